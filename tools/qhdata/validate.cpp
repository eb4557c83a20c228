// qhdata validate DATA_DIR: loads the type registries, the item catalogue, the
// book catalogue and every section and script of every shipped book as the
// game does, without a window, and reports every reference that does not
// resolve (see README, "Checking a book's scripts").
#include "app/game_state.h"
#include "book/book_catalogue.h"
#include "book/section_script.h"
#include "book/section_text.h"
#include "character/item_catalogue.h"
#include "combat/combat_record.h"
#include "fs/file_system.h"
#include "fs/vfs.h"
#include "script/type_registry.h"
#include "data_tree.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Effect and condition type numbers the checks read.
constexpr int EFFECT_TURN_TO = 1;
constexpr int EFFECT_SET_VALUE = 3;
constexpr int EFFECT_CHANGE_VALUE = 4;
constexpr int EFFECT_SET_COLOUR = 7;
constexpr int EFFECT_SET_TEXT = 10;
constexpr int EFFECT_SET_TOOLTIP = 11;
constexpr int EFFECT_PRESS = 12;
constexpr int EFFECT_ADD_ITEM = 21;
constexpr int EFFECT_LOSE_ENDURANCE = 22;
constexpr int EFFECT_LOSE_MAX_ENDURANCE = 24;
constexpr int EFFECT_EVADE = 33;
constexpr int EFFECT_TOGGLE_EQUIPPED = 48;
constexpr int CONDITION_BUTTON_VALUE = 1;
constexpr int CONDITION_TWO_BUTTONS = 2;
constexpr int CONDITION_BUTTON_COLOUR = 3;
constexpr int CONDITION_CARRIES_ITEM = 9;
constexpr int CONDITION_INVENTORY_NAMED = 10;
constexpr int CONDITION_INVENTORY = 11;

struct Choice {
    int target = 0;    // the section it turns to
    std::string where; // the button and effect, for the report
};

struct PageCheck {
    std::vector<Choice> choices;
    bool death = false;       // it takes all the hero's ENDURANCE
};

class Validator {
  public:
    Validator(const ConditionTypes& c, const EffectTypes& e, const std::vector<Item>& items)
        : conditionTypes_(c), effectTypes_(e), items_(items) {}

    int problems() const { return problems_; }
    int pagesChecked() const { return pages_; }
    int buttonsChecked() const { return buttons_; }

    void report(const BookEntry& book, const std::string& page, const std::string& what) {
        std::printf("book %d (%s), %s: %s\n", book.number, book.code.c_str(), page.c_str(),
                    what.c_str());
        ++problems_;
    }

    void checkBook(const BookEntry& book, const std::vector<FrontMatterPage>& frontMatter) {
        book_ = &book;
        std::map<int, PageCheck> sections;
        for (int s = 1; s <= book.lastSection; ++s) {
            const std::string name = "sect" + std::to_string(s);
            if (!hasText(book, name)) {
                if (vfsExists(sectionScriptPath(book.code, name)))
                    report(book, name, "a script for a section that has no text");
                continue;
            }
            sections[s] = checkPage(book, name, true);
        }
        for (const FrontMatterPage& fm : frontMatter) {
            if (fm.index == 0 || fm.file == "notice" || !hasText(book, fm.file)) continue;
            checkPage(book, fm.file, false);
        }
        // Choices to sections the book does not have.
        for (const auto& [number, page] : sections)
            for (const Choice& c : page.choices)
                if (!sections.count(c.target))
                    report(book, "sect" + std::to_string(number),
                           c.where + " turns to section " + std::to_string(c.target) +
                               ", which the book does not have");
        checkReachability(book, sections);
    }

  private:
    const ConditionTypes& conditionTypes_;
    const EffectTypes& effectTypes_;
    const std::vector<Item>& items_;
    const BookEntry* book_ = nullptr;
    std::string pageName_;
    const SectionPage* page_ = nullptr;
    int problems_ = 0, pages_ = 0, buttons_ = 0;

    static bool hasText(const BookEntry& book, const std::string& name) {
        SectionPage probe;
        probe.bookCode = book.code;
        for (const std::string& path : sectionSourcePaths(probe, name))
            if (vfsExists(path)) return true;
        return false;
    }

    void problem(const std::string& what) { report(*book_, pageName_, what); }

    bool hasButton(int id) const {
        for (const SectionButton& b : page_->buttons)
            if (b.id == id) return true;
        return false;
    }

    void needButton(int id, const std::string& who) {
        if (!hasButton(id))
            problem(who + " names button ID " + std::to_string(id) + ", which the page lacks");
    }

    void needItem(int id, const std::string& who) {
        if (!isValidItemId(items_, id))
            problem(who + " names item ID " + std::to_string(id) + ", which the item catalogue (" +
                    std::to_string(items_.size()) + " entries) lacks");
    }

    void checkCondition(const Condition& c, const std::string& where) {
        for (const Condition* link = &c; link; link = link->secondary.get()) {
            const int type = link->type.typeId;
            const std::string who = where + ", condition type " + std::to_string(type);
            if (!link->type.known) {
                problem(who + " is not in the condition definitions");
                continue;
            }
            switch (type) {
            case CONDITION_BUTTON_VALUE:
            case CONDITION_BUTTON_COLOUR:
                needButton(link->idToCheck, who);
                break;
            case CONDITION_TWO_BUTTONS:
                needButton(link->idToCheck, who);
                needButton(link->value, who);
                break;
            case CONDITION_CARRIES_ITEM:
                // With an ID to check and no item, it asks for any item at all.
                if (!(link->idToCheck != 0 && link->value < 1)) needItem(link->value, who);
                break;
            case CONDITION_INVENTORY_NAMED:
            case CONDITION_INVENTORY:
                needItem(link->value, who);
                break;
            default:
                break;
            }
        }
    }

    void checkEffect(const Effect& e, const std::string& where, PageCheck& out) {
        const int type = e.type.typeId;
        const std::string who = where + ", effect type " + std::to_string(type);
        for (const Condition& c : e.conditions) checkCondition(c, who);
        if (!e.type.known) {
            problem(who + " is not in the effect definitions");
            return;
        }
        switch (type) {
        case EFFECT_TURN_TO:
            if (pageIsSection_) out.choices.push_back({e.value, who});
            break;
        case EFFECT_EVADE:
            if (pageIsSection_ && e.value != 0) out.choices.push_back({e.value, who});
            break;
        case EFFECT_SET_VALUE:
        case EFFECT_CHANGE_VALUE:
        case EFFECT_SET_COLOUR:
        case EFFECT_SET_TEXT:
        case EFFECT_SET_TOOLTIP:
        case EFFECT_PRESS:
            needButton(e.idToAffect, who);
            break;
        case EFFECT_ADD_ITEM:
            needItem(e.value, who);
            break;
        case EFFECT_TOGGLE_EQUIPPED:
            if (e.idToAffect != 0) needItem(e.idToAffect, who);
            break;
        case EFFECT_LOSE_ENDURANCE:
        case EFFECT_LOSE_MAX_ENDURANCE:
            if (e.value >= KILL_VALUE) out.death = true;
            break;
        default:
            break;
        }
    }

    bool pageIsSection_ = false;

    PageCheck checkPage(const BookEntry& book, const std::string& name, bool isSection) {
        PageCheck out;
        SectionPage page;
        page.bookCode = book.code;
        page.sectionName = name;
        CombatRecord combat;
        SectionLoadReport loaded;
        // Front-matter pages are not the main page: their combat is not kept.
        loadSection(page, ScriptContext{conditionTypes_, effectTypes_, isSection ? &combat : nullptr},
                    &loaded);
        ++pages_;
        book_ = &book;
        pageName_ = name;
        page_ = &page;
        pageIsSection_ = isSection;
        if (loaded.scriptFound && !loaded.scriptComplete)
            problem("the script ends before its closing END");
        for (const PageWord& w : page.words)
            if (w.isButton && !hasButton(w.buttonId))
                problem("word " + std::to_string(w.wordId) + " (\"" + w.text +
                        "\") is a button word for button ID " + std::to_string(w.buttonId) +
                        ", which the page lacks");
        for (const SectionButton& b : page.buttons) {
            ++buttons_;
            const std::string where = "button " + std::to_string(b.id);
            for (const Condition& c : b.conditions) checkCondition(c, where);
            for (const Effect& e : b.effects) checkEffect(e, where, out);
        }
        for (const CombatModifier& m : combat.modifiers)
            for (const Condition& c : m.conditions) checkCondition(c, "combat modifier " + m.name);
        for (const EnemyRecord& e : combat.enemies)
            if (e.epButtonId != 0 && !hasButton(e.epButtonId))
                problem("enemy " + e.name + " shows its ENDURANCE on button ID " +
                        std::to_string(e.epButtonId) + ", which the page lacks");
        page_ = nullptr;
        return out;
    }

    void checkReachability(const BookEntry& book, const std::map<int, PageCheck>& sections) {
        if (!sections.count(1)) {
            report(book, "sect1", "the book has no section 1");
            return;
        }
        std::set<int> reached{1};
        std::vector<int> todo{1};
        while (!todo.empty()) {
            const int s = todo.back();
            todo.pop_back();
            auto it = sections.find(s);
            if (it == sections.end()) continue;
            for (const Choice& c : it->second.choices)
                if (sections.count(c.target) && reached.insert(c.target).second)
                    todo.push_back(c.target);
        }
        for (const auto& [number, page] : sections) {
            const std::string name = "sect" + std::to_string(number);
            if (!reached.count(number)) {
                report(book, name, "no choice reaches this section from section 1");
                continue;
            }
            if (page.choices.empty() && !page.death && number != book.lastSection)
                report(book, name,
                       "a dead end: no choice leads on, and it is neither a death nor the "
                       "final section");
        }
    }
};

} // namespace

bool mountDataTree(const char* argv0, const char* dataDir, Catalogues& app, int& missing) {
    missing = 0;
    std::error_code ec;
    const fs::path dir = fs::absolute(dataDir, ec).lexically_normal();
    if (!fs::is_directory(dir)) {
        std::fprintf(stderr, "qhdata: %s is not a folder\n", dataDir);
        return false;
    }
    // The game's folder is the one that holds "data".
    std::string base = dir.parent_path().string();
    if (base.empty() || base.back() != '/') base += '/';
    if (!vfsInit(argv0) || !vfsMount(base, "")) {
        std::fprintf(stderr, "qhdata: cannot mount %s\n", base.c_str());
        return false;
    }
    FileSystemPaths paths;
    paths.baseDir = base;
    paths.dirSeparator = "/";
    for (int i = 0; i < FIRST_UNPLAYABLE_BOOK - 1; ++i) {
        BookMountInfo info;
        info.number = app.books[i].number;
        info.code = app.books[i].code;
        info.archiveSize = app.books[i].archiveSize;
        mountBookFiles(paths, info);
    }
    if (!loadConditionTypes(CONDITION_TYPES_FILE, app.conditionTypes)) ++missing;
    if (!loadEffectTypes(EFFECT_TYPES_FILE, app.effectTypes)) ++missing;
    if (!loadCatalogue(app.items)) {
        std::printf("the item catalogue %s cannot be read\n", ITEMS_PATH);
        ++missing;
    }
    return true;
}

int validateCommand(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qhdata validate DATA_DIR\n");
        return 2;
    }
    Catalogues app = compiledCatalogues(); // the book catalogue and front-matter table
    int fatal = 0;
    if (!mountDataTree(argv[0], argv[2], app, fatal)) return 2;
    Validator v(app.conditionTypes, app.effectTypes, app.items);
    int books = 0;
    for (int i = 0; i < FIRST_UNPLAYABLE_BOOK - 1; ++i) {
        const BookEntry& book = app.books[i];
        SectionPage probe;
        probe.bookCode = book.code;
        bool shipped = false;
        for (const std::string& path : sectionSourcePaths(probe, "sect1"))
            shipped = shipped || vfsExists(path);
        if (!shipped && vfsList(book.code).empty()) continue;
        ++books;
        v.checkBook(book, app.frontMatter);
    }
    vfsDeinit();
    const int total = fatal + v.problems();
    if (total) {
        std::printf("qhdata validate: %d problem%s found\n", total, total == 1 ? "" : "s");
        return 1;
    }
    std::printf("qhdata validate: %d book%s, %d pages, %d buttons, %zu condition and %zu effect "
                "types, %zu items: no problems\n",
                books, books == 1 ? "" : "s", v.pagesChecked(), v.buttonsChecked(),
                app.conditionTypes.size(), app.effectTypes.size(), app.items.size());
    return 0;
}
