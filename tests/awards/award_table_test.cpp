#include "awards/award.h"
#include "fs/data_file.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <set>

namespace {

AwardCatalogue readText(const std::string& text, bool* ok = nullptr) {
    AwardCatalogue cat;
    DataFile f = openMemoryRead(text, "awards.txt");
    const bool read = readAwards(f, cat);
    if (ok) *ok = read;
    return cat;
}

} // namespace

TEST(AwardTableReader, RecordsTestsAndHints) {
    const AwardCatalogue cat = readText(
        "// a comment line\n"
        "AWARD: 3\n"
        "    TITLE: Every Stair\n"
        "    STATUS: (Explored)\n"
        "    BOOK: 1\n"
        "    DIFFICULTY: 9\n"
        "    TEST: SECTIONS 1 5 29 40 166*2\n"
        "    TEST: BUTTON 4 2\n"
        "    TEST: FLY_TO_THE_MOON 3\n"
        "    HINT: 2 Look around\n"
        "    HINT: 0 Level held to one\n"
        "END\n"
        "AWARD: 4\n"
        "END\n");
    ASSERT_EQ(cat.awards.size(), 2u);
    const AwardDefinition& a = cat.awards[0];
    EXPECT_EQ(a.id, 3);
    EXPECT_EQ(a.title, "Every Stair");
    EXPECT_EQ(a.statusNote, "(Explored)");
    EXPECT_EQ(a.difficulty, 4); // clamped
    ASSERT_EQ(a.tests.size(), 3u);
    EXPECT_EQ(a.tests[0].kind, AwardTestKind::Sections);
    EXPECT_EQ(a.tests[0].book, 1);
    EXPECT_EQ(a.tests[0].amount, 5);
    EXPECT_EQ(a.tests[0].values, (std::vector<int>{29, 40}));
    EXPECT_EQ(a.tests[0].doubled, (std::vector<int>{166}));
    EXPECT_EQ(a.tests[1].kind, AwardTestKind::Button);
    EXPECT_EQ(a.tests[1].amount, 4);
    EXPECT_EQ(a.tests[1].extra, 2);
    EXPECT_EQ(a.tests[2].kind, AwardTestKind::Never); // unknown words can never hold
    ASSERT_EQ(a.hints.size(), 2u);
    EXPECT_EQ(a.hints[0].text, "Look around");
    EXPECT_EQ(a.hints[1].level, 1);
    EXPECT_EQ(cat.awards[1].medal, "medal_generic");
}

TEST(AwardTableReader, DuplicatesHintLimitAndBadInput) {
    testing::internal::CaptureStdout();
    bool ok = true;
    AwardCatalogue dup = readText("AWARD: 1\nEND\nAWARD: 2\nEND\nAWARD: 1\nEND\nAWARD: 5\nEND\n", &ok);
    EXPECT_NE(testing::internal::GetCapturedStdout().find(
                  "Big time error! Trying to add a award with the same ID as another! check game!"),
              std::string::npos);
    EXPECT_FALSE(ok);
    EXPECT_EQ(dup.awards.size(), 2u);

    AwardCatalogue cat;
    AwardDefinition a;
    a.id = 7;
    ASSERT_TRUE(addAward(cat, a));
    for (int i = 0; i < AWARD_HINTS_MAX; ++i)
        EXPECT_TRUE(addAwardHint(cat, 7, i + 1, "hint"));
    EXPECT_FALSE(addAwardHint(cat, 7, 1, "a seventh"));
    EXPECT_FALSE(addAwardHint(cat, 8, 1, "no such award"));

    // Binary noise and a record cut off by the end of the file.
    std::string noise;
    for (int i = 0; i < 4000; ++i)
        noise += static_cast<char>((i * 131) % 256);
    readText(noise);
    AwardCatalogue cut = readText("AWARD: 9\n    TITLE: Half\n    TEST: SECTIONS 1");
    ASSERT_EQ(cut.awards.size(), 1u);
    EXPECT_EQ(cut.awards[0].title, "Half");
}

class ShippedAwardTable : public VfsTest {};

TEST_F(ShippedAwardTable, HoldsAllAwardsWithTheirMedals) {
    mountBuiltData();
    AwardCatalogue cat;
    ASSERT_TRUE(defineAwards(cat));
    ASSERT_EQ(cat.awards.size(), static_cast<size_t>(AWARD_COUNT));
    const std::set<std::string> medals = {"medal_generic", "avoidUC", "loc",    "bow",
                                          "wanted",        "bounty",  "agility", "btb",
                                          "heroic",        "hc",      "fresh",  "charitable"};
    for (int i = 0; i < AWARD_COUNT; ++i) {
        const AwardDefinition& a = cat.awards[static_cast<size_t>(i)];
        EXPECT_EQ(a.id, i + 1);
        EXPECT_FALSE(a.title.empty()) << a.id;
        EXPECT_FALSE(a.hints.empty()) << a.id;
        EXPECT_TRUE(medals.count(a.medal)) << a.id << " " << a.medal;
        EXPECT_GE(a.category, 1) << a.id;
        // Only the books we ship (1 and 2) and the first series can be earned.
        const bool shipped = a.book == 1 || a.book == 2 || (a.book == 0 && a.series == 0);
        EXPECT_EQ(a.difficulty > 0, shipped) << a.id;
        for (const AwardTest& t : a.tests)
            EXPECT_EQ(t.kind == AwardTestKind::Never, !shipped) << a.id;
    }
    const AwardDefinition* first = findAward(cat, 1);
    EXPECT_EQ(first->requirement, "complete book 1 with no combats");
    EXPECT_EQ(first->statusNote, "(Finished with no combats)");
    EXPECT_EQ(first->book, 1);
    EXPECT_EQ(first->attribute, 1);
}

TEST(AwardTexts, NotesHeadingsAndCategories) {
    EXPECT_EQ(rulesDemandNote(3), "(Must play with BY-THE-BOOK or HARDCORE gameplay rules only)");
    EXPECT_EQ(rulesDemandNote(7), "");
    EXPECT_EQ(difficultyText(0), "Not available yet");
    EXPECT_EQ(difficultyText(4), "Expert");
    EXPECT_EQ(awardCategoryText(12), "(Unexplored Path)");
    EXPECT_EQ(awardCategoryText(13), "");
    EXPECT_EQ(awardGroupHeading(1, 0), "DRAVIC Series Awards:");
    EXPECT_EQ(awardGroupHeading(0, 4), "Book 4 Awards:");
}
