// The two demo books the program ships: their links, their pages as the game
// converts them, and their archives as the build packs them.
#include "app/game_state.h"
#include "book/book_catalogue.h"
#include "book/section_text.h"
#include "fs/file_system.h"
#include "fs/vfs.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct DemoBook {
    int number;
    std::string code;
    std::string srcDir() const {
        return std::string(QH_SOURCE_DIR) + "/data/books/book" + std::to_string(number) + "/src";
    }
    std::string artDir() const {
        return std::string(QH_BUILD_DIR) + "/bookart/book" + std::to_string(number);
    }
    std::string zipPath() const {
        return std::string(QH_BUILD_DIR) + "/data/books/book" + std::to_string(number) + "/" +
               code + ".zip";
    }
};

const DemoBook BOOK1{1, "01ftak"};
const DemoBook BOOK2{2, "02tdboh"};

// Page name -> XHTML source, for every page of a book.
std::map<std::string, std::string> pages(const DemoBook& book) {
    std::map<std::string, std::string> out;
    for (const auto& entry : fs::directory_iterator(book.srcDir())) {
        if (entry.path().extension() != ".htm") continue;
        out[entry.path().stem().string()] = readRealFile(entry.path().string());
    }
    return out;
}

// Section number -> the sections its choice paragraphs lead to.
std::map<int, std::vector<int>> sectionLinks(const DemoBook& book) {
    std::map<int, std::vector<int>> links;
    const std::regex choice(R"(<p class="choice">[^\n]*)");
    const std::regex target(R"(href="sect(\d+)\.htm")");
    for (const auto& [name, text] : pages(book)) {
        if (name.rfind("sect", 0) != 0) continue;
        std::vector<int>& to = links[std::atoi(name.c_str() + 4)];
        for (std::sregex_iterator c(text.begin(), text.end(), choice), end; c != end; ++c) {
            std::string line = c->str();
            for (std::sregex_iterator t(line.begin(), line.end(), target); t != end; ++t)
                to.push_back(std::stoi((*t)[1]));
        }
    }
    return links;
}

std::set<int> reachableFromOne(const std::map<int, std::vector<int>>& links) {
    std::set<int> seen{1};
    std::vector<int> todo{1};
    while (!todo.empty()) {
        int n = todo.back();
        todo.pop_back();
        auto it = links.find(n);
        if (it == links.end()) continue;
        for (int to : it->second)
            if (seen.insert(to).second) todo.push_back(to);
    }
    return seen;
}

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(DemoBookLinks, EverySectionIsReachableAndNoChoiceDangles) {
    for (const DemoBook& book : {BOOK1, BOOK2}) {
        SCOPED_TRACE(book.code);
        auto links = sectionLinks(book);
        ASSERT_TRUE(links.count(1));
        ASSERT_TRUE(links.count(350));
        for (const auto& [from, targets] : links)
            for (int to : targets)
                EXPECT_TRUE(links.count(to)) << from << " leads to missing " << to;
        std::set<int> reached = reachableFromOne(links);
        for (const auto& entry : links)
            EXPECT_TRUE(reached.count(entry.first)) << entry.first;
    }
    size_t book1 = sectionLinks(BOOK1).size(), book2 = sectionLinks(BOOK2).size();
    EXPECT_GE(book1, 40u);
    EXPECT_LE(book1, 60u);
    EXPECT_LT(book2, book1); // the continuation is the shorter book
}

TEST(DemoBookLinks, EverySectionLeadsOnOrEndsTheAdventure) {
    for (const DemoBook& book : {BOOK1, BOOK2}) {
        SCOPED_TRACE(book.code);
        auto all = pages(book);
        int deaths = 0;
        for (const auto& [from, targets] : sectionLinks(book)) {
            const std::string& text = all["sect" + std::to_string(from)];
            bool death = text.find("adventure end here.") != std::string::npos;
            deaths += death;
            if (from == 350 || death)
                EXPECT_TRUE(targets.empty()) << from;
            else
                EXPECT_FALSE(targets.empty()) << from << " is a dead end";
        }
        EXPECT_GE(deaths, 1);
    }
}

// What the mechanisms of the game will hang on: the pages must name them.
TEST(DemoBookLinks, Book1GivesEveryMechanismItsPlace) {
    auto all = pages(BOOK1);
    std::string sections;
    int combats = 0, twoEnemySections = 0;
    for (const auto& [name, text] : all) {
        if (name.rfind("sect", 0) != 0) continue;
        sections += text;
        int n = count(text, "<p class=\"combat\">");
        combats += n;
        twoEnemySections += n >= 2;
    }
    EXPECT_GE(combats, 4);
    EXPECT_GE(twoEnemySections, 1);
    for (const char* mechanism :
         {"You may evade this combat", "Random Number Table", "eat a Meal", "Gold Crowns",
          "Special Item", "Backpack Item", "If you have the Discipline of"})
        EXPECT_NE(sections.find(mechanism), std::string::npos) << mechanism;
    // Section 236 is the book-1 event that raises base COMBAT SKILL.
    EXPECT_NE(all["sect236"].find("COMBAT SKILL is permanently increased by 1"), std::string::npos);
    EXPECT_NE(all["discplnz"].find("Weaponskill"), std::string::npos);
    EXPECT_NE(all["equipmnt"].find("Choose two"), std::string::npos);
}

// The game shows books 1 to 15 as Latin-1 text: anything beyond ASCII would
// come out as the wrong letters, and entities other than &amp; stay as typed.
TEST(DemoBookPages, ArePlainAscii) {
    for (const DemoBook& book : {BOOK1, BOOK2})
        for (const auto& [name, text] : pages(book)) {
            for (unsigned char ch : text)
                EXPECT_LT(ch, 128) << book.code << " " << name;
            std::string rest = text;
            for (size_t at = rest.find('&'); at != std::string::npos; at = rest.find('&', at + 1))
                EXPECT_EQ(rest.compare(at, 5, "&amp;"), 0) << book.code << " " << name;
        }
}

// A sentence pasted twice (perhaps with its first words changed) is an
// editing slip the reader trips over: no run of ten words comes back on a page.
TEST(DemoBookPages, SayNothingTwice) {
    const std::regex tag("<[^>]*>");
    for (const DemoBook& book : {BOOK1, BOOK2})
        for (const auto& [name, text] : pages(book)) {
            std::istringstream in(std::regex_replace(text, tag, " "));
            std::vector<std::string> words;
            for (std::string w; in >> w;)
                words.push_back(w);
            std::set<std::string> seen;
            for (size_t i = 0; i + 10 <= words.size(); ++i) {
                std::string run;
                for (size_t k = i; k < i + 10; ++k)
                    run += words[k] + " ";
                EXPECT_TRUE(seen.insert(run).second) << book.code << " " << name << ": " << run;
            }
        }
}

class DemoBookArchive : public VfsTest {
  protected:
    // Mounts the book exactly as start-up does: the archive only when its size
    // matches the catalogue.
    void mountAsTheGameDoes(const DemoBook& book) {
        FileSystemPaths paths;
        paths.baseDir = std::string(QH_BUILD_DIR) + "/";
        paths.userFolder = userFolder;
        paths.dirSeparator = "/";
        const BookEntry* entry = findBook(catalogues, book.number);
        ASSERT_NE(entry, nullptr);
        BookMountInfo info;
        info.number = book.number;
        info.code = entry->code;
        info.archiveSize = entry->archiveSize;
        mountBuiltData();
        mountBookFiles(paths, info);
    }
    std::string inArchive(const DemoBook& book, const std::string& file) const {
        return book.code + "/en/xhtml/gs/" + book.code + "/" + file;
    }
    const Catalogues catalogues = compiledCatalogues();
};

TEST_F(DemoBookArchive, CatalogueNamesTheShippedArchives) {
    for (const DemoBook& book : {BOOK1, BOOK2}) {
        const BookEntry* entry = findBook(catalogues, book.number);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->code, book.code);
        EXPECT_EQ(entry->lastSection, 350);
        std::error_code ec;
        auto size = fs::file_size(book.zipPath(), ec);
        ASSERT_FALSE(ec) << book.zipPath();
        EXPECT_EQ(static_cast<int64_t>(size), entry->archiveSize)
            << "the demo book changed: put its new archive size in the book catalogue";
    }
}

TEST_F(DemoBookArchive, EveryPageConvertsFromTheArchive) {
    for (const DemoBook& book : {BOOK1, BOOK2}) {
        SCOPED_TRACE(book.code);
        mountAsTheGameDoes(book);
        auto all = pages(book);
        ASSERT_EQ(vfsRealDir(inArchive(book, "sect1.htm")), book.zipPath())
            << "the archive was not mounted";
        for (const FrontMatterPage& front : catalogues.frontMatter) {
            if (front.index == 0 || front.file == "notice") continue; // not in the archive
            EXPECT_TRUE(all.count(front.file)) << "missing front-matter page " << front.file;
        }
        for (const auto& [name, text] : all) {
            SectionPage page;
            page.bookCode = book.code;
            MessageQueue messages;
            ASSERT_TRUE(loadSectionText(page, name, messages));
            EXPECT_EQ(page.sectionName, name) << "fell back to the blank page";
            EXPECT_GT(page.words.size(), 3u) << name;
            // The marks the layout and the section scripts rely on.
            int choices = 0, fights = 0, footnotes = 0;
            for (const PageWord& w : page.words) {
                choices += w.newParagraph && w.leftTabs == 1 && w.hangIndent == 2;
                // The placeholder the combat button binds to, not the word in a sentence.
                fights += w.text == "Fight" && w.beginCentre && w.endCentre && w.endParagraph;
                footnotes += w.text.rfind("FOOTNOTE:", 0) == 0;
            }
            if (name.rfind("sect", 0) != 0) continue;
            EXPECT_EQ(choices, count(text, "<p class=\"choice\">")) << name;
            EXPECT_EQ(fights, count(text, "<p class=\"combat\">") ? 1 : 0) << name;
            EXPECT_EQ(footnotes, 2 * count(text, "class=\"footnote-ref\"")) << name;
            EXPECT_EQ(page.words[0].text, name.substr(4)) << "the section number heads the page";
        }
        vfsUnmount(book.zipPath());
    }
}

TEST_F(DemoBookArchive, PicturesAreThereForEveryIllustration) {
    for (const DemoBook& book : {BOOK1, BOOK2}) {
        SCOPED_TRACE(book.code);
        mountAsTheGameDoes(book);
        int sections = 0;
        std::set<std::string> pictures;
        for (const auto& [name, text] : pages(book)) {
            SectionPage page;
            page.bookCode = book.code;
            MessageQueue messages;
            ASSERT_TRUE(loadSectionText(page, name, messages));
            sections += name.rfind("sect", 0) == 0;
            for (const PageWord& w : page.words)
                if (w.text.rfind("illustration:", 0) == 0) {
                    std::string file = w.text.substr(13) + ".png";
                    EXPECT_TRUE(vfsExists(inArchive(book, file))) << name << " shows " << file;
                    if (name.rfind("sect", 0) == 0) pictures.insert(file);
                }
        }
        EXPECT_GE(static_cast<int>(pictures.size()) * 5, sections);
        EXPECT_TRUE(vfsExists(inArchive(book, "map.png")));
        EXPECT_TRUE(vfsExists(inArchive(book, "title.png")));
        auto covers = vfsListWildcard("data/books/book" + std::to_string(book.number) + "/covers",
                                      "*.png", false);
        EXPECT_GE(covers.size(), 2u);
        vfsUnmount(book.zipPath());
    }
}

std::string packCommand(const std::string& out, const std::string& code, long long size,
                        const std::string& dirs) {
    std::string command =
        std::string(QH_BUILD_DIR) + "/tools/bookpack/bookpack " + out + " " + code;
    if (size > 0) command += " --size " + std::to_string(size);
    return command + " " + dirs + " 2>/dev/null";
}

TEST(DemoBookPacking, TheArchiveIsRebuiltByteForByte) {
    const Catalogues catalogues = compiledCatalogues();
    for (const DemoBook& book : {BOOK1, BOOK2}) {
        std::string again = makeTempFolder("pack") + "/again.zip";
        std::string command = packCommand(again, book.code, findBook(catalogues, book.number)->archiveSize,
                                          book.srcDir() + " " + book.artDir());
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        std::string built = readRealFile(book.zipPath()), rebuilt = readRealFile(again);
        ASSERT_FALSE(built.empty());
        EXPECT_TRUE(built == rebuilt) << book.code << ": the packed archive is not reproducible";
    }
}

TEST(DemoBookPacking, FillsUpToTheFixedSizeOrRefuses) {
    std::string dir = makeTempFolder("packsize");
    writeRealFile(dir + "/in/sect1.htm", std::string(3000, 'x'));
    std::string loose = dir + "/loose.zip", fixed = dir + "/fixed.zip", tight = dir + "/tight.zip";
    ASSERT_EQ(std::system(packCommand(loose, "01ftak", 0, dir + "/in").c_str()), 0);
    ASSERT_EQ(std::system(packCommand(fixed, "01ftak", 5000, dir + "/in").c_str()), 0);
    EXPECT_LT(readRealFile(loose).size(), 1000u); // deflated
    EXPECT_EQ(readRealFile(fixed).size(), 5000u);
    // The packed page is still the first entry, the filler comes last.
    EXPECT_EQ(readRealFile(fixed).compare(30, 28, "en/xhtml/gs/01ftak/sect1.htm"), 0);
    EXPECT_NE(std::system(packCommand(tight, "01ftak", 200, dir + "/in").c_str()), 0);
    EXPECT_FALSE(fs::exists(tight));
    EXPECT_NE(std::system(packCommand(tight, "01ftak", 0, dir + "/nowhere").c_str()), 0);
    EXPECT_FALSE(fs::exists(tight));
}

// The filled archive is still a zip PhysicsFS reads, with the page intact.
TEST_F(DemoBookArchive, AFilledArchiveMountsWithItsPages) {
    std::string dir = makeTempFolder("packmount");
    std::string page = "<div id=\"body\">\n<p>Hello there.</p>\n";
    writeRealFile(dir + "/in/sect1.htm", page);
    std::string zip = dir + "/book.zip";
    ASSERT_EQ(std::system(packCommand(zip, "99test", 4096, dir + "/in").c_str()), 0);
    ASSERT_TRUE(vfsMount(zip, "99test"));
    std::string read;
    ASSERT_TRUE(vfsReadAll("99test/en/xhtml/gs/99test/sect1.htm", read));
    EXPECT_EQ(read, page);
    EXPECT_TRUE(vfsExists("99test/en/xhtml/gs/99test/padding.txt"));
    vfsUnmount(zip);
}

// The travel log shows, for each section visited, that book's entry of the
// journal texts; each demo section has its own line, at the section's place.
TEST(DemoBookJournal, EverySectionHasItsEntryInPlace) {
    std::string stored = readRealFile(std::string(QH_SOURCE_DIR) + "/data/misc/journal.txt");
    ASSERT_FALSE(stored.empty());
    DataFile file = openMemoryRead(stored, "journal.txt");
    std::map<int, std::vector<std::string>> entries;
    int book = 0;
    std::string token, text;
    while (readValue(file, token)) {
        if (token[0] == '{') {
            book = std::atoi(token.substr(5, token.size() - 6).c_str());
        } else if (token[0] == '[') {
            ASSERT_TRUE(readLine(file, text));
            entries[book].push_back(text);
        }
    }
    for (const DemoBook& demo : {BOOK1, BOOK2}) {
        const std::vector<std::string>& list = entries[demo.number];
        ASSERT_EQ(list.size(), 350u) << demo.code;
        for (const auto& [section, targets] : sectionLinks(demo)) {
            const std::string& line = list[section - 1];
            EXPECT_GT(line.size(), 20u) << demo.code << " section " << section;
            EXPECT_LT(line.size(), 110u) << demo.code << " section " << section;
        }
    }
}
