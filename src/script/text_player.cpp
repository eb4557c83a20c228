#include "script/text_player.h"

#include "book/random_table.h"
#include "book/section_script.h"
#include "character/character.h"
#include "character/inventory.h"
#include "character/scores.h"
#include "fs/vfs.h"
#include "script/section_change.h"
#include "script/section_runtime.h"
#include "script/type_registry.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace {

// The opening pages a new campaign goes through before section 1.
const char* const OPENING_PAGES[] = {"gamerulz", "discplnz", "equipmnt"};
constexpr int OPENING_PAGE_COUNT = 3;
// A line longer than this is not a command; endless input ends after this many lines.
constexpr size_t MAX_LINE = 4096;
constexpr long MAX_LINES = 1000000;

std::string breakLines(const std::string& text) {
    std::string out;
    for (char ch : text) out += ch == '`' ? '\n' : ch;
    return out;
}

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// A whole non-negative number, or -1.
int parseNumber(const std::string& s) {
    if (s.empty() || s.size() > 6) return -1;
    for (char ch : s)
        if (ch < '0' || ch > '9') return -1;
    return std::atoi(s.c_str());
}

bool isQuestion(const MessageRequest& m) {
    return m.targetWindow == RULES_REPLY_TARGET;
}

void printMessage(TextPlayer& p, const MessageRequest& m) {
    std::ostream& o = *p.out;
    o << "\n== " << breakLines(m.title) << " ==\n";
    if (!m.text.empty()) o << breakLines(m.text) << "\n";
    if (!isQuestion(m)) return;
    if (m.numberEntry)
        o << "(type a number, or 'cancel')\n";
    else if (m.textEntry)
        o << "(type the text, or 'cancel')\n";
    else
        for (size_t i = 0; i < m.choices.size(); ++i) o << "  " << i + 1 << ") " << m.choices[i] << "\n";
}

// The question waiting for the player's answer, if any: the first of the queue.
MessageRequest* openQuestion(TextPlayer& p) {
    auto& q = p.g.messages.pending;
    return !q.empty() && isQuestion(q.front()) ? &q.front() : nullptr;
}

// Prints and drops plain messages until a question heads the queue.
void flushMessages(TextPlayer& p) {
    auto& q = p.g.messages.pending;
    while (!q.empty() && !isQuestion(q.front())) {
        printMessage(p, q.front());
        q.pop_front();
    }
}

// A number asked for by a button: the pick is made at once from the book's table.
void runPicks(TextPlayer& p) {
    for (int guard = 0; guard < 16 && p.g.rulesState.pickWanted; ++guard) {
        RandomNumberTable table;
        loadTable(table, p.g.character.onBook);
        if (!startPick(table, p.g.rulesState.pick, p.g.random, false)) break;
        for (int step = 0; step < 64 && !updatePick(table, 10000, 4, p.g.random); ++step) {
        }
        PickResult result = pickResult(table, p.g.character);
        *p.out << "\n" << pickReport(table) << "\n";
        endPick(table);
        if (!deliverPick(p.g, p.cat, result)) break;
    }
}

void showScreens(TextPlayer& p) {
    for (const ScreenRequest& r : p.g.rulesState.screens) {
        switch (r.kind) {
        case ScreenKind::Window:
            if (r.value == RULES_DEATH_WINDOW)
                *p.out << "\n== You have fallen... ==\nYour adventure ends here. Type 'quit'.\n";
            else
                *p.out << "(screen " << r.value << " is not shown in text mode)\n";
            break;
        case ScreenKind::Notice:
            *p.out << "\n" << breakLines(r.text) << "\n";
            break;
        default:
            break;
        }
    }
    p.g.rulesState.screens.clear();
    for (std::string& arg : p.g.pendingWindowArgs) arg.clear();
}

void loadOpeningPage(TextPlayer& p) {
    SectionPage& page = p.g.section;
    page.sectionName = OPENING_PAGES[p.pageIndex];
    page.resetRules();
    ScriptContext context{p.cat.conditionTypes, p.cat.effectTypes, &p.g.combat};
    loadSection(page, context);
}

void listButtons(TextPlayer& p) {
    p.offered.clear();
    const auto& buttons = p.g.section.buttons;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const SectionButton& b = buttons[i];
        if (b.autoExecute() || b.colour == 0 || !buttonOffered(b, p.g, p.cat)) continue;
        p.offered.push_back(static_cast<int>(i));
    }
    std::ostream& o = *p.out;
    if (p.offered.empty()) {
        if (!p.g.rulesState.heroActive && p.pageIndex + 1 < OPENING_PAGE_COUNT)
            o << "\n(no choices here; type 'next' for the next opening page)\n";
        else
            o << "\n(no choices here)\n";
        return;
    }
    o << "\n";
    for (size_t n = 0; n < p.offered.size(); ++n) {
        const SectionButton& b = buttons[static_cast<size_t>(p.offered[n])];
        std::string caption = b.shownText();
        if (caption.empty()) caption = b.tooltip.empty() ? "(picture)" : b.tooltip;
        o << "  [" << n + 1 << "] " << breakLines(caption) << "\n";
    }
}

// Everything that happens after a command: pending turns, picks, self-firing
// buttons, messages; then the page (when it changed) and its choices.
void settle(TextPlayer& p, bool forcePage) {
    bool pageChanged = forcePage;
    for (int round = 0; round < 32; ++round) {
        runPicks(p);
        handPendingToInventory(p.g, p.cat);
        if (p.g.pendingSection > 0) {
            int section = p.g.pendingSection;
            p.g.pendingSection = 0;
            enterSection(p.g, p.cat, section);
            pageChanged = true;
        }
        runFrameRules(p.g, p.cat);
        if (runAutoExecutes(p.g, p.cat) == 0 && p.g.pendingSection == 0 && !p.g.rulesState.pickWanted) break;
    }
    if (p.g.pendingBookComplete) {
        p.g.pendingBookComplete = false;
        *p.out << "\n== The end of the book ==\n";
    }
    if (pageChanged) {
        std::string text = pageText(p.g.section);
        *p.out << "\n--- " << p.g.section.sectionName << " ---\n" << text;
        p.lastPrinted = text;
    }
    showScreens(p);
    flushMessages(p);
    if (MessageRequest* q = openQuestion(p)) {
        printMessage(p, *q);
        return;
    }
    listButtons(p);
}

bool answer(TextPlayer& p, const std::string& line) {
    MessageRequest m = *openQuestion(p);
    int n = parseNumber(line);
    bool cancel = line == "cancel";
    if (m.numberEntry) {
        if (!cancel && n < 0) {
            *p.out << "Please type a number, or 'cancel'.\n";
            return false;
        }
        p.g.messages.pending.pop_front();
        answerPrompt(p.g, p.cat, cancel ? m.id2 : m.id1, cancel ? 0 : n);
        return true;
    }
    if (m.textEntry) {
        p.g.messages.pending.pop_front();
        answerPromptText(p.g, cancel ? m.id2 : m.id1, cancel ? "" : line);
        return true;
    }
    if (n < 1 || n > static_cast<int>(m.choices.size())) {
        *p.out << "Please choose 1 to " << m.choices.size() << ".\n";
        return false;
    }
    p.g.messages.pending.pop_front();
    answerPrompt(p.g, p.cat, m.choiceIds[static_cast<size_t>(n - 1)]);
    return true;
}

std::string itemLine(const GameState& g, const Item& it) {
    std::string s = itemLabel(it, g.rules.weaponRules, g.rules.armorRules, g.rules.limitSi, g.character.onBook);
    if (it.equipped) s += " (equipped)";
    if (it.dessiStone) s += " w/ Dessi Stone";
    return s;
}

void listItems(std::ostringstream& o, const GameState& g, const char* heading, const std::vector<Item>& items) {
    o << heading << ":";
    if (items.empty()) o << " none";
    o << "\n";
    for (const Item& it : items) o << "  - " << itemLine(g, it) << "\n";
}

} // namespace

std::string pageText(const SectionPage& page) {
    // Words joined by blanks and wrapped at 78 columns; paragraph marks give
    // blank lines and line ends.
    std::string out, line;
    auto endLine = [&]() {
        if (!line.empty()) out += line + "\n";
        line.clear();
    };
    for (const PageWord& w : page.words) {
        if (w.ignore || w.text.empty()) continue;
        if (w.newParagraph) {
            endLine();
            if (!out.empty() && out.compare(out.size() - 2 < out.size() ? out.size() - 2 : 0, 2, "\n\n") != 0)
                out += "\n";
        }
        std::string text = breakLines(w.text);
        if (!line.empty() && line.size() + 1 + text.size() > 78) endLine();
        if (!line.empty()) line += ' ';
        line += text;
        if (w.endParagraph) endLine();
    }
    endLine();
    return out;
}

std::string actionChartText(const GameState& g, const Catalogues&) {
    const Character& c = g.character;
    std::ostringstream o;
    std::string csText, epText;
    int cs = c.csBase + combatSkill(c, g.rules, nullptr, &csText).bonus;
    enduranceMaximum(c, g.rules, &epText);
    o << "ACTION CHART (book " << c.onBook << ", section " << c.onSection << ")\n";
    o << "COMBAT SKILL: " << cs << " (base " << c.csBase << ")\n";
    if (!csText.empty()) o << breakLines(csText);
    if (!csText.empty() && csText.back() != '\n' && csText.back() != '`') o << "\n";
    o << "ENDURANCE: " << c.epCur << " / " << c.epMax << "\n";
    if (!epText.empty()) o << breakLines(epText) << (epText.back() == '`' ? "" : "\n");
    o << "Damage: " << c.damageFromCombat << " combat, " << c.damageFromStarvation << " starvation\n";
    o << "Disciplines:";
    const std::vector<int>& order = c.disciplineOrder[static_cast<size_t>(c.onBookSeries)];
    if (order.empty()) o << " none";
    o << "\n";
    for (int id : order) {
        o << "  - " << disciplineInfo(c.onBookSeries, id).name;
        if (id == DISC_WEAPONSKILL && c.onBookSeries == TIER_VAEL)
            for (int k = 0; k < WEAPON_TYPE_COUNT; ++k)
                if (c.weaponskillIn[static_cast<size_t>(k)]) o << " in " << weaponName(k);
        o << "\n";
    }
    if (c.disciplinesToChoose > 0) o << "  (" << c.disciplinesToChoose << " still to choose)\n";
    listItems(o, g, "Weapons", c.weapons);
    if (c.haveBackpack)
        listItems(o, g, "Backpack", c.backpackItems);
    else
        o << "Backpack: you do not have a Backpack\n";
    listItems(o, g, "Special Items", c.specialItems);
    o << "Belt Pouch: ";
    if (c.haveBeltPouch)
        o << c.goldCrowns << " Gold Crowns, " << c.lune << " Lune, " << c.kika << " Kika\n";
    else
        o << "you do not have a Belt Pouch\n";
    o << "Meals: " << mealCount(c) << " (eaten so far: " << c.mealsEaten << ")\n";
    return o.str();
}

bool startTextPlayer(TextPlayer& p, const std::string& dataDir, int book, int seed, std::ostream& out,
                     const char* argv0) {
    p.out = &out;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path data = fs::absolute(dataDir, ec);
    if (ec || !fs::is_directory(data / "misc")) {
        out << "qhdata play: " << dataDir << " is not a data folder\n";
        return false;
    }
    if (!vfsIsInitialised() && !vfsInit(argv0)) {
        out << "qhdata play: cannot start the file system\n";
        return false;
    }
    vfsMount(data.string(), "/data");
    p.cat = compiledCatalogues();
    if (book < 1 || book > static_cast<int>(p.cat.books.size())) {
        out << "qhdata play: there is no book " << book << "\n";
        return false;
    }
    const BookEntry& entry = p.cat.books[static_cast<size_t>(book - 1)];
    fs::path folder = data / "books" / ("book" + std::to_string(book));
    vfsMount((folder / entry.code).string(), entry.code);
    vfsMount((folder / (entry.code + ".zip")).string(), entry.code);
    vfsMount((folder / (std::to_string(book) + "data")).string(), entry.code);
    loadCatalogue(p.cat.items);
    loadConditionTypes(CONDITION_TYPES_FILE, p.cat.conditionTypes);
    loadEffectTypes(EFFECT_TYPES_FILE, p.cat.effectTypes);

    Character& c = p.g.character;
    resetCharacter(c);
    c.onBook = book;
    c.onBookSeries = book <= 5 ? TIER_VAEL : book <= 12 ? TIER_DRAVIC : TIER_GRAND_MASTER;
    startCampaignInTier(c, c.onBookSeries);
    seedRandom(p.g.random, seed, 0);
    p.g.section.bookCode = entry.code;
    p.pageIndex = 0;
    loadOpeningPage(p);
    settle(p, true);
    return true;
}

void textPlayerCommand(TextPlayer& p, const std::string& raw) {
    std::string line = trim(raw);
    if (line.size() > MAX_LINE) line = line.substr(0, MAX_LINE);
    std::ostream& o = *p.out;
    if (line.empty()) return;
    if (line == "quit") {
        p.quit = true;
        return;
    }
    if (line == "chart") {
        o << "\n" << actionChartText(p.g, p.cat);
        return;
    }
    if (line == "help") {
        o << "Commands: a choice's number, 'chart', 'look', 'next' (opening pages), 'quit'.\n";
        return;
    }
    if (line == "look") {
        o << "\n--- " << p.g.section.sectionName << " ---\n" << pageText(p.g.section);
        if (MessageRequest* q = openQuestion(p))
            printMessage(p, *q);
        else
            listButtons(p);
        return;
    }
    if (openQuestion(p)) {
        if (answer(p, line)) settle(p, false);
        return;
    }
    if (line == "next") {
        if (p.g.rulesState.heroActive || p.pageIndex + 1 >= OPENING_PAGE_COUNT) {
            o << "There is no next opening page.\n";
            return;
        }
        ++p.pageIndex;
        loadOpeningPage(p);
        settle(p, true);
        return;
    }
    int n = parseNumber(line);
    if (n < 0) {
        o << "Unknown command. Type a choice's number, 'chart', 'look', 'help' or 'quit'.\n";
        return;
    }
    if (n < 1 || n > static_cast<int>(p.offered.size())) {
        o << "There is no choice " << n << " here.\n";
        return;
    }
    size_t index = static_cast<size_t>(p.offered[static_cast<size_t>(n - 1)]);
    if (index >= p.g.section.buttons.size()) return;
    pressButton(p.g.section.buttons[index], p.g, p.cat);
    settle(p, false);
}

int runTextPlayer(TextPlayer& p, std::istream& in) {
    std::string line;
    long count = 0;
    while (!p.quit && count < MAX_LINES && std::getline(in, line)) {
        ++count;
        textPlayerCommand(p, line);
    }
    if (!p.quit) *p.out << "\n(end of input)\n";
    return 0;
}
