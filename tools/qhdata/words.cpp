// qhdata words FILE [SECTION]: converts one XHTML page exactly as the game does
// and prints its words, one per line (see README, "Checking a page's words").
// qhdata words DATA_DIR BOOK SECTION: the same for a page of a shipped book,
// after its section script has been applied.
#include "app/game_state.h"
#include "book/section_script.h"
#include "book/section_text.h"
#include "data_tree.h"
#include "fs/vfs.h"
#include "fs/data_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

void printWords(const std::vector<PageWord>& words) {
    std::string out;
    for (const PageWord& w : words) {
        out += describeWord(w);
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

// Button words already show their BUTTON_ID and hidden words IGNORE; the
// buttons themselves follow, so an author sees what each word will do.
int scriptedWords(char** argv) {
    Catalogues app = compiledCatalogues();
    int missing = 0;
    if (!mountDataTree(argv[0], argv[2], app, missing)) return 2;
    const BookEntry* book = findBook(app, std::atoi(argv[3]));
    if (!book) {
        std::fprintf(stderr, "qhdata: no book %s in the catalogue\n", argv[3]);
        vfsDeinit();
        return 2;
    }
    SectionPage page;
    page.bookCode = book->code;
    page.sectionName = argv[4];
    CombatRecord combat;
    SectionLoadReport loaded;
    loadSection(page, ScriptContext{app.conditionTypes, app.effectTypes, &combat}, &loaded);
    vfsDeinit();
    if (!loaded.textFound) {
        std::fprintf(stderr, "qhdata: book %d has no page %s\n", book->number, argv[4]);
        return 1;
    }
    printWords(page.words);
    for (const SectionButton& b : page.buttons) {
        std::printf("button %d\t%s", b.id, b.shownText().c_str());
        for (const Effect& e : b.effects)
            std::printf("\teffect %d (%s) %d", e.type.typeId, e.type.name.c_str(), e.value);
        if (!b.conditions.empty()) std::printf("\t%zu conditions", b.conditions.size());
        std::printf("\n");
    }
    if (!combat.enemies.empty()) {
        std::printf("combat\t%s", combat.title.c_str());
        for (const EnemyRecord& e : combat.enemies)
            std::printf("\t%s CS %d EP %d", e.name.c_str(), e.cs, e.ep);
        std::printf("\n");
    }
    return 0;
}

} // namespace

int wordsCommand(int argc, char** argv) {
    if (argc == 5) return scriptedWords(argv);
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: qhdata words FILE.htm [SECTION_NAME]\n"
                             "       qhdata words DATA_DIR BOOK_NUMBER SECTION_NAME\n");
        return 2;
    }
    std::filesystem::path path(argv[2]);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "qhdata: cannot read %s\n", argv[2]);
        return 1;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    // The page's rules depend on its name: "sect12" for sect12.htm unless given.
    std::string section = argc == 4 ? argv[3] : path.filename().string();
    if (argc == 3) section = section.substr(0, section.find('.'));
    DataFile file = openMemoryRead(bytes.str(), path.filename().string());
    std::vector<PageWord> words;
    convertSectionText(file, section, words);
    printWords(words);
    return 0;
}
