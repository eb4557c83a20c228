// The journal texts "/data/misc/journal.txt": one line of travel-log text per
// section of each book. The travel log, its export and the journal page show
// them beside the section numbers.
#pragma once

#include <string>
#include <vector>

constexpr const char* JOURNAL_TEXTS_PATH = "/data/misc/journal.txt";

struct JournalTexts {
    // One list per catalogue book (index book - 1), entries in file order.
    std::vector<std::vector<std::string>> books;
};

// Reads the file token by token: "{Book" n "}" selects book n, "[" n "]"
// starts an entry whose text is the rest of the line. An entry whose rest is
// itself a bracketed entry adds nothing and is read as the next entry. Books
// outside 1..bookCount and entries before any book marker are skipped.
// A missing file leaves every list empty (with its message); false then.
bool loadJournalTexts(JournalTexts& texts, int bookCount,
                      const std::string& path = JOURNAL_TEXTS_PATH);
// The same from text already in memory (`name` for messages).
void readJournalTexts(JournalTexts& texts, int bookCount, const std::string& plain,
                      const std::string& name = "journal.txt");

// The text of a section: the section-th entry of its book; empty when none.
std::string journalText(const JournalTexts& texts, int book, int section);
// A travel-log line: the section number, ": " and its text; the number alone
// when there is no text.
std::string travelLogLine(const JournalTexts& texts, int book, int section);
