// The word lists of the demo books' pages are pinned: section scripts address
// words by number, so a change in the converter (or in a page) that moves a
// word must be seen. After a deliberate change, rewrite the golden files with
//   QH_UPDATE_GOLDEN=1 build/tests/test_book --gtest_filter='DemoBookWords*'
#include "book/section_text.h"
#include "support/test_env.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// "== page" and then the page's words as the words command prints them, for
// every page of the book's sources in name order.
std::string describeBook(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".htm") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::string out;
    for (const fs::path& file : files) {
        std::string name = file.stem().string();
        DataFile f = openMemoryRead(readRealFile(file.string()), file.filename().string());
        std::vector<PageWord> words;
        convertSectionText(f, name, words);
        out += "== " + name + "\n";
        for (const PageWord& w : words)
            out += describeWord(w) + "\n";
    }
    return out;
}

void checkBook(int number) {
    fs::path source =
        fs::path(QH_SOURCE_DIR) / "data/books" / ("book" + std::to_string(number)) / "src";
    if (!fs::is_directory(source)) GTEST_SKIP() << "no demo book " << number;
    fs::path golden = fs::path(QH_SOURCE_DIR) / "tests/book/golden" /
                      ("book" + std::to_string(number) + ".words");
    std::string now = describeBook(source);
    if (std::getenv("QH_UPDATE_GOLDEN")) {
        writeRealFile(golden.string(), now);
        return;
    }
    std::string pinned = readRealFile(golden.string());
    if (pinned == now) return;
    // Name the first page that differs rather than dumping whole books.
    size_t at = 0;
    while (at < now.size() && at < pinned.size() && now[at] == pinned[at])
        ++at;
    size_t page = now.rfind("\n== ", at);
    page = page == std::string::npos ? 0 : page + 1;
    ADD_FAILURE() << "the words of demo book " << number
                  << " changed, from: " << now.substr(page, now.find('\n', page) - page)
                  << " (line "
                  << std::count(now.begin(), now.begin() + static_cast<long>(at), '\n') + 1
                  << "). If intended, rerun with QH_UPDATE_GOLDEN=1.";
}

} // namespace

TEST(DemoBookWords, Book1IsStable) {
    checkBook(1);
}
TEST(DemoBookWords, Book2IsStable) {
    checkBook(2);
}
