#include "fs/record_fields.h"

#include <gtest/gtest.h>

namespace {

struct Knot {
    int size = 1;
};

struct Rope {
    int length = 10;
    bool knotted = false;
    std::string name = "Rope";
    std::string maker;
    std::vector<int> marks;
    std::vector<std::string> owners;
    bool newFormat = false;
    std::vector<Knot> knots;
    int legacy = 0;
};

const FieldTable<Knot>& knotFields() {
    static const FieldTable<Knot> T = {intField("SIZE:", &Knot::size)};
    return T;
}

const FieldTable<Rope>& ropeFields() {
    static const FieldTable<Rope> T = {
        lineField("NAME:", &Rope::name),
        intField("LENGTH:", &Rope::length).clamp(1, 50),
        boolField("KNOTTED:", &Rope::knotted),
        tokenField("MAKER:", &Rope::maker).keepLength(8),
        intListField("MARKS:", &Rope::marks).maxCount(4),
        lineListField("OWNERS:", &Rope::owners),
        customField<Rope>(
            "KNOTS:",
            [](DataFile& f, Rope& r) {
                r.knots.clear();
                return readRecordList(f, r.knots, knotFields(), readCount(f, 8));
            },
            [](RecordWriter& w, const Rope& r) {
                w.line("KNOTS: " + std::to_string(r.knots.size()));
                for (const Knot& k : r.knots)
                    writeRecord(w, k, knotFields());
            }),
        intField("OLD_KEY:", &Rope::legacy).readOnly(),
        markerField("NEW_FORMAT", &Rope::newFormat),
    };
    return T;
}

std::string plain(const DataFile& f) {
    return f.shifted ? unshiftBytes(f.data) : f.data;
}

Rope readRope(const std::string& text, RecordEnd* end = nullptr) {
    DataFile f = openMemoryRead(text, "rope.txt");
    Rope r;
    RecordEnd e = readRecord(f, r, ropeFields());
    if (end) *end = e;
    return r;
}

} // namespace

TEST(RecordWriter, NestedLevelsAndTheSharedCounter) {
    DataFile f = openMemoryWrite("x.dat");
    int counter = 1; // a caller already one record deep
    {
        RecordWriter w(f, counter);
        w.line("A");
        {
            Nest in(w);
            w.text("B\n\nC\n");
            Nest deeper(w);
            w.line("D\nE"); // a line break inside a value stays on its line
        }
        EXPECT_EQ(counter, 1);
        w.line("F");
        EXPECT_TRUE(w.ok());
    }
    EXPECT_EQ(plain(f), "    A\r\n        B\r\n\r\n        C\r\n            D E\r\n    F\r\n");
    EXPECT_EQ(f.data.substr(0, 4), std::string(4, static_cast<char>(32 + BYTE_SHIFT)));
}

TEST(RecordFields, WritesTheRecordShapeAndReadsItBack) {
    Rope r;
    r.length = 12;
    r.knotted = true;
    r.name = "Elven rope";
    r.marks = {3, -4};
    r.owners = {"Old Tam", ""};
    r.knots = {{2}, {5}};
    r.newFormat = true;
    r.legacy = 9; // read only: never written
    DataFile f = openMemoryWrite("rope.txt");
    RecordWriter w(f);
    writeRecord(w, r, ropeFields());
    const std::string expected = "NAME: Elven rope\r\n"
                                 "    LENGTH: 12\r\n"
                                 "    KNOTTED: 1\r\n"
                                 "    MAKER: *Blank*\r\n"
                                 "    MARKS: 2 3 -4\r\n"
                                 "    OWNERS: 2\r\n"
                                 "    Old Tam\r\n"
                                 "    *Blank*\r\n"
                                 "    KNOTS: 2\r\n"
                                 "    SIZE: 2\r\n"
                                 "    END\r\n"
                                 "    SIZE: 5\r\n"
                                 "    END\r\n"
                                 "    NEW_FORMAT\r\n"
                                 "END\r\n";
    EXPECT_EQ(f.data, expected);

    RecordEnd end;
    Rope back = readRope(f.data, &end);
    EXPECT_EQ(end, RecordEnd::Closed);
    EXPECT_EQ(back.name, r.name);
    EXPECT_EQ(back.length, 12);
    EXPECT_TRUE(back.knotted);
    EXPECT_EQ(back.maker, "");
    EXPECT_EQ(back.marks, r.marks);
    EXPECT_EQ(back.owners, r.owners);
    ASSERT_EQ(back.knots.size(), 2u);
    EXPECT_EQ(back.knots[1].size, 5);
    EXPECT_TRUE(back.newFormat);
    EXPECT_EQ(back.legacy, 0);

    // The counter is back where it was, also for a record closed inside.
    EXPECT_EQ(w.level(), 0);
    DataFile g = openMemoryWrite("k.txt");
    RecordWriter wk(g);
    Knot k;
    writeRecord(wk, k, knotFields(), "END", CloseAt::Inside);
    EXPECT_EQ(g.data, "SIZE: 1\r\n    END\r\n");
}

TEST(RecordFields, get) {
    // Keys in any order, comments, words that are not keys, keys of older files.
    Rope r = readRope("// a comment naming LENGTH: 40\n"
                      "KNOTTED: 7 LENGTH: 99 stray words\n"
                      "## NAME: not this\n"
                      "MAKER: Tamsin-of-the-Reeds\n"
                      "OLD_KEY: 3\n"
                      "NAME:\n"
                      "MARKS: 2 8 9\n"
                      "END\n"
                      "LENGTH: 4\n");
    EXPECT_TRUE(r.knotted);
    EXPECT_EQ(r.length, 50); // clamped
    EXPECT_EQ(r.maker, "Tamsin-o");
    EXPECT_EQ(r.legacy, 3);
    EXPECT_EQ(r.name, ""); // a key alone on its line does not take the next line
    EXPECT_EQ(r.marks, (std::vector<int>{8, 9}));
}

TEST(RecordFields, syntax_error) {
    // The end of the file inside a record: said once, what was read is kept.
    testing::internal::CaptureStdout();
    RecordEnd end;
    Rope r = readRope("LENGTH: 20\nKNOTS: 3\nSIZE: 4\nEND\nSIZE: 6\n", &end);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Unexpected EOF while reading rope.txt\n");
    EXPECT_EQ(end, RecordEnd::Eof);
    EXPECT_EQ(r.length, 20);
    ASSERT_EQ(r.knots.size(), 1u);
    EXPECT_EQ(r.knots[0].size, 4);

    // Announced counts are bounded and lists hold only what is there.
    Rope big = readRope("MARKS: 2000000000 1 2 3 4 5 6\nOWNERS: -5\n"
                        "KNOTS: 99999\nSIZE: 2\nEND\nEND\nLENGTH: 3\n",
                        &end);
    EXPECT_EQ(big.marks, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(big.owners.empty());
    // The list that announced more knots than it holds ends at the record's END.
    EXPECT_EQ(big.knots.size(), 1u);
    EXPECT_EQ(end, RecordEnd::Closed);
    EXPECT_EQ(big.length, 10);
    testing::internal::CaptureStdout();
    Rope cut = readRope("OWNERS: 500000\nAnn\n");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(cut.owners, std::vector<std::string>{"Ann"});

    // A block that is not closed ends at its parent's closing word.
    DataFile f = openMemoryRead("SIZE: 3\nEND\n", "x.txt");
    Knot k;
    EXPECT_EQ(readRecord(f, k, knotFields(), "DONE", "END"), RecordEnd::OuterClosed);
    EXPECT_EQ(k.size, 3);
    // Without a closer the record runs to the end of the file, silently.
    DataFile g = openMemoryRead("SIZE: 8", "x.txt");
    testing::internal::CaptureStdout();
    EXPECT_EQ(readRecord(g, k, knotFields(), nullptr), RecordEnd::Closed);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(k.size, 8);
}
