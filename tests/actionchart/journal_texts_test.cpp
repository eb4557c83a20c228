#include "actionchart/journal_texts.h"

#include "support/test_env.h"

#include <gtest/gtest.h>

namespace {

JournalTexts read(const std::string& text, int books = 20) {
    JournalTexts t;
    readJournalTexts(t, books, text);
    return t;
}

TEST(JournalTextsTest, get) {
    JournalTexts t = read("## comment line\r\n{Book1}\r\n[1] Woke at midnight.\r\n[2] Ran for the gate.\r\n"
                          "{Book2}\r\n[1] A new road.\r\n");
    ASSERT_EQ(t.books.size(), 20u);
    EXPECT_EQ(journalText(t, 1, 1), "Woke at midnight.");
    EXPECT_EQ(journalText(t, 1, 2), "Ran for the gate.");
    EXPECT_EQ(journalText(t, 2, 1), "A new road.");
    EXPECT_EQ(travelLogLine(t, 1, 2), "2: Ran for the gate.");
    // No text: the section number alone; nothing past any list.
    EXPECT_EQ(travelLogLine(t, 1, 3), "3");
    EXPECT_EQ(travelLogLine(t, 21, 1), "1");
    EXPECT_EQ(travelLogLine(t, 1, -1), "-1");
}

TEST(JournalTextsTest, bracketed_entry_is_read_as_the_next_entry) {
    // The first entry's rest is an entry of its own: no text for the first,
    // and the second is read in full.
    JournalTexts t = read("{Book1}\n[1] [2] The second text.\n[3] The third.\n");
    ASSERT_EQ(t.books[0].size(), 2u);
    EXPECT_EQ(t.books[0][0], "The second text.");
    EXPECT_EQ(t.books[0][1], "The third.");
}

TEST(JournalTextsTest, bad_input) {
    // Empty, no book markers, a huge marker number, binary bytes: no crash,
    // nothing lands outside the catalogue's books.
    EXPECT_EQ(read("").books.size(), 20u);
    JournalTexts noMarker = read("[1] Before any book.\n[2] Still none.\n");
    for (const auto& list : noMarker.books) EXPECT_TRUE(list.empty());
    JournalTexts huge = read("{Book99999999999}\n[1] Lost text.\n{Book-3}\n[1] Also lost.\n{Book2}\n[1] Kept.\n");
    for (size_t b = 0; b < huge.books.size(); ++b)
        EXPECT_EQ(huge.books[b].size(), b == 1 ? 1u : 0u) << b;
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 131 + 7) % 256);
    binary += "{Book1}\n[1] [";
    JournalTexts b = read(binary);
    EXPECT_EQ(b.books.size(), 20u);
    // A short marker has no number.
    EXPECT_TRUE(read("{B}\n[1] x\n").books[0].empty());
}

class JournalFileTest : public VfsTest {};

TEST_F(JournalFileTest, missing_file_leaves_lists_empty) {
    JournalTexts t;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(loadJournalTexts(t, 20, "/data/misc/nothing_here.txt"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Couldn't open Journal file... no flavored text!\n");
    EXPECT_EQ(t.books.size(), 20u);
}

TEST_F(JournalFileTest, shipped_file_has_book_one) {
    mountBuiltData();
    JournalTexts t;
    ASSERT_TRUE(loadJournalTexts(t, 20));
    EXPECT_FALSE(journalText(t, 1, 1).empty());
}

} // namespace
