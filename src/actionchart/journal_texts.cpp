#include "actionchart/journal_texts.h"

#include "fs/data_file.h"

#include <cstdio>

namespace {

void readFrom(JournalTexts& texts, int bookCount, DataFile& file) {
    texts.books.assign(static_cast<size_t>(bookCount > 0 ? bookCount : 0), {});
    int current = -1; // list the entries go to; none before the first marker
    std::string token;
    while (readValue(file, token)) {
        if (token[0] == '{') {
            // "{Book12}": the number runs from the sixth to the second-last character.
            const int n = token.size() > 6 ? parseInt(token.substr(5, token.size() - 6)) : 0;
            current = n >= 1 && n <= bookCount ? n - 1 : -1;
        } else if (token[0] == '[') {
            const size_t restStart = file.pos;
            std::string rest;
            readLine(file, rest);
            if (!rest.empty() && rest[0] == '[') {
                // The line is an entry of its own: read it again as such.
                file.pos = restStart;
                continue;
            }
            if (current >= 0) texts.books[static_cast<size_t>(current)].push_back(rest);
        }
    }
}

} // namespace

bool loadJournalTexts(JournalTexts& texts, int bookCount, const std::string& path) {
    DataFile file = openRead(path);
    if (!file.isOpen()) {
        texts.books.assign(static_cast<size_t>(bookCount > 0 ? bookCount : 0), {});
        std::printf("Couldn't open Journal file... no flavored text!\n");
        return false;
    }
    readFrom(texts, bookCount, file);
    closeFile(file);
    return true;
}

void readJournalTexts(JournalTexts& texts, int bookCount, const std::string& plain,
                      const std::string& name) {
    DataFile file = openMemoryRead(plain, name);
    readFrom(texts, bookCount, file);
}

std::string journalText(const JournalTexts& texts, int book, int section) {
    if (book < 1 || book > static_cast<int>(texts.books.size()) || section < 1) return "";
    const std::vector<std::string>& list = texts.books[static_cast<size_t>(book - 1)];
    if (section > static_cast<int>(list.size())) return "";
    return list[static_cast<size_t>(section - 1)];
}

std::string travelLogLine(const JournalTexts& texts, int book, int section) {
    const std::string text = journalText(texts, book, section);
    return text.empty() ? std::to_string(section) : std::to_string(section) + ": " + text;
}
