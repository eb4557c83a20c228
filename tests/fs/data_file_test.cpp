#include "fs/data_file.h"
#include "fs/vfs.h"
#include "support/test_env.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> allValues(DataFile& f) {
    std::vector<std::string> out;
    std::string v;
    while (readValue(f, v)) out.push_back(v);
    return out;
}

} // namespace

TEST(DataFileWriter, IndentsLinesAfterTheFirstByLevel) {
    DataFile f = openMemoryWrite("x.txt");
    ASSERT_TRUE(writeText(2, f, "A\nB"));
    EXPECT_EQ(f.data, "    A\r\n        B");

    DataFile g = openMemoryWrite("x.txt");
    writeText(1, g, "A\nB");
    EXPECT_EQ(g.data, "A\r\n    B");

    DataFile h = openMemoryWrite("x.txt");
    writeText(0, h, "A\nB");
    EXPECT_EQ(h.data, "A\r\nB");
}

TEST(DataFileWriter, EveryLineBreakBecomesCrLfAndEmptyTextWritesNothing) {
    DataFile f = openMemoryWrite("x.txt");
    writeText(0, f, "a\rb\r\nc\n");
    EXPECT_EQ(f.data, "a\r\nb\r\n\r\nc\r\n");
    EXPECT_FALSE(writeText(0, f, ""));
}

TEST(DataFileWriter, ShiftsEveryByteOfDatFiles) {
    EXPECT_EQ(encodeText("A\n", true), std::string("\x83\x4f\x4c"));
    DataFile f = openMemoryWrite("/data/misc/ts.dat");
    writeText(1, f, "x\ny");
    EXPECT_EQ(unshiftBytes(f.data), "x\r\n    y");
    // Shift wraps round 256.
    EXPECT_EQ(shiftBytes(std::string(1, '\xff')), std::string(1, '\x41'));
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    EXPECT_EQ(unshiftBytes(shiftBytes(all)), all);
}

TEST(DataFileReader, get) {
    DataFile f = openMemoryRead("## header comment\r\n"
                                "NAME: Greystar of the Vael\r\n"
                                "    NOTES: *Blank*\r\n"
                                "// KEY in a comment\n"
                                "  VALUE\xa0" "42 -7 12abc\r\n"
                                "END",
                                "x.txt");
    std::string v;
    ASSERT_TRUE(readValue(f, v));
    EXPECT_EQ(v, "NAME:");
    ASSERT_TRUE(readLine(f, v));
    EXPECT_EQ(v, "Greystar of the Vael");
    ASSERT_TRUE(readValue(f, v));
    EXPECT_EQ(v, "NOTES:");
    ASSERT_TRUE(readValue(f, v));
    EXPECT_EQ(v, "");
    EXPECT_EQ(allValues(f), (std::vector<std::string>{"VALUE", "42", "-7", "12abc", "END"}));
}

TEST(DataFileReader, ShiftedFileRoundTrip) {
    DataFile f = openMemoryRead(std::string("\x83\x4f\x4c"), "a.dat");
    std::string v;
    ASSERT_TRUE(readValue(f, v));
    EXPECT_EQ(v, "A");
    EXPECT_FALSE(readValue(f, v));
}

TEST(DataFileReader, TokenAtEndOfFileWithoutLineEnd) {
    DataFile f = openMemoryRead("last", "x.txt");
    std::string v;
    EXPECT_TRUE(readToken(f, v, true));
    EXPECT_EQ(v, "last");
    EXPECT_FALSE(readToken(f, v, true));
}

TEST(DataFileReader, LoneCrEndsALineAndLeavesTheNextByte) {
    DataFile f = openMemoryRead("ab\rcd\r", "x.txt");
    std::string v;
    ASSERT_TRUE(readLine(f, v));
    EXPECT_EQ(v, "ab");
    ASSERT_TRUE(readLine(f, v));
    EXPECT_EQ(v, "cd");
    EXPECT_FALSE(readLine(f, v));
}

TEST(DataFileReader, syntax_error) {
    // Only comments: nothing to read, and no endless loop on a trailing comment.
    DataFile f = openMemoryRead("## a\n//b\n##", "x.txt");
    std::string v;
    EXPECT_FALSE(readValue(f, v));
    DataFile empty = openMemoryRead("", "x.dat");
    EXPECT_FALSE(readValue(empty, v));
    EXPECT_EQ(readInt(empty), 0);
    // Binary garbage still ends.
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 131) & 0xFF);
    DataFile g = openMemoryRead(junk, "junk.dat");
    size_t n = 0;
    while (readValue(g, v) && n < 10000) ++n;
    EXPECT_LT(n, 10000u);
}

TEST(DataFileReader, ParseIntIsLikeAtoiWithoutOverflow) {
    EXPECT_EQ(parseInt("42"), 42);
    EXPECT_EQ(parseInt("-7x"), -7);
    EXPECT_EQ(parseInt("abc"), 0);
    EXPECT_EQ(parseInt(""), 0);
    EXPECT_EQ(parseInt("+5"), 5);
    EXPECT_EQ(parseInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(parseInt("-99999999999999999999"), -2147483647 - 1);
}

class DataFileOnDisk : public VfsTest {};

TEST_F(DataFileOnDisk, WritesThroughTheWriteFolderAndReadsBack) {
    DataFile w = openWrite("/data/misc/ts.dat");
    ASSERT_TRUE(w.isOpen());
    ASSERT_TRUE(writeText(0, w, "0\n0\n0\n0\n0\n"));
    ASSERT_TRUE(closeFile(w));
    EXPECT_EQ(readRealFile(userFile("data/misc/ts.dat")), shiftBytes("0\r\n0\r\n0\r\n0\r\n0\r\n"));

    DataFile r = openRead("data/misc/ts.dat");
    ASSERT_TRUE(r.isOpen());
    int sum = 0, count = 0;
    std::string v;
    while (readValue(r, v)) {
        sum += parseInt(v);
        ++count;
    }
    EXPECT_EQ(count, 5);
    EXPECT_EQ(sum, 0);
    EXPECT_TRUE(closeFile(r));
}

TEST_F(DataFileOnDisk, AnUnfinishedWriteLeavesTheOldFileWhole) {
    writeRealFile(userFile("settings.txt"), "OLD\r\n");
    DataFile w = openWrite("settings.txt");
    ASSERT_TRUE(w.isOpen());
    writeText(0, w, "NEW, HALF WRITTEN");
    // Until the writer closes, the old text is what a reader sees.
    EXPECT_EQ(readRealFile(userFile("settings.txt")), "OLD\r\n");
    w.writeFailed = true;
    EXPECT_FALSE(closeFile(w));
    EXPECT_EQ(readRealFile(userFile("settings.txt")), "OLD\r\n");
    EXPECT_FALSE(vfsExists("settings.txt~new"));
}

TEST_F(DataFileOnDisk, MissingFileGivesClosedHandle) {
    DataFile r = openRead("/data/nothing/here.dat");
    EXPECT_FALSE(r.isOpen());
    EXPECT_TRUE(r.shifted);
    EXPECT_FALSE(closeFile(r));
}

TEST(Wildcard, MatchesStarsAndQuestionMarks) {
    EXPECT_TRUE(wildcardMatch("*.png", "title1.png", true));
    EXPECT_FALSE(wildcardMatch("*.png", "title1.PNG", true));
    EXPECT_TRUE(wildcardMatch("*.png", "title1.PNG", false));
    EXPECT_TRUE(wildcardMatch("resume?.dat", "resume3.dat", true));
    EXPECT_FALSE(wildcardMatch("resume?.dat", "resume12.dat", true));
    EXPECT_TRUE(wildcardMatch("*", "", true));
    EXPECT_TRUE(wildcardMatch("a*b*c", "axxbyyc", true));
    EXPECT_FALSE(wildcardMatch("a*b*c", "axxbyy", true));
}
