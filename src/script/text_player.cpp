#include "script/text_player.h"

#include "awards/award_check.h"
#include "awards/award_details.h"
#include "awards/award_summary.h"

#include "book/book_catalogue.h"
#include "book/random_table.h"
#include "book/section_layout.h"
#include "book/section_script.h"
#include "character/character.h"
#include "character/inventory.h"
#include "character/scores.h"
#include "fs/vfs.h"
#include "script/section_change.h"
#include "script/section_combat.h"
#include "script/section_runtime.h"
#include "save/save_files.h"
#include "book/random_table_pending.h"
#include "save/text_saves.h"
#include "script/type_registry.h"

#include <algorithm>
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
    for (char ch : text)
        out += ch == '`' ? '\n' : ch;
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
        for (size_t i = 0; i < m.choices.size(); ++i)
            o << "  " << i + 1 << ") " << m.choices[i] << "\n";
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

bool pickIsGuided(const TextPlayer& p) {
    return p.g.rulesState.pick.value2 != 0;
}

// A button waits for a number from the Random Number Table: the player picks it.
void printPickPrompt(TextPlayer& p) {
    std::ostream& o = *p.out;
    if (pickIsGuided(p))
        o << "\n(The Random Number Table: choose where to point with 'pick 1' to 'pick 9',\n"
             " as on a numeric keypad: 7 8 9 the top of the table, 1 2 3 the bottom)\n";
    else if (p.g.rules.allowGuidedRtn)
        o << "\n(The Random Number Table: type 'pick', or 'pick 1' to 'pick 9' to point at a "
             "region)\n";
    else
        o << "\n(The Random Number Table: type 'pick' to pick a number)\n";
}

ChartSnapshot snapshot(const GameState& g) {
    const Character& c = g.character;
    ChartSnapshot s;
    s.csBase = c.csBase;
    s.cs = effectiveCombatSkill(c, g.rules, nullptr);
    s.epCur = c.epCur;
    s.epMax = c.epMax;
    s.crowns = c.goldCrowns;
    s.lune = c.lune;
    s.kika = c.kika;
    for (int l = LIST_WEAPONS; l <= LIST_SPECIAL; ++l)
        for (const Item& it : *carriedList(c, l))
            s.items.push_back(it.name);
    std::sort(s.items.begin(), s.items.end());
    return s;
}

// What the command changed on the Action Chart, one line each.
void tellChanges(TextPlayer& p) {
    const ChartSnapshot& before = p.before;
    ChartSnapshot now = snapshot(p.g);
    std::ostringstream o;
    auto number = [&](const char* what, int a, int b) {
        if (a != b) o << "  (" << what << ": " << a << " -> " << b << ")\n";
    };
    // Before the scores are set the bonuses alone would make a number.
    if (before.csBase > 0)
        number("COMBAT SKILL", before.cs, now.cs);
    else if (now.csBase > 0)
        o << "  (COMBAT SKILL: " << now.cs << ")\n";
    number("ENDURANCE", before.epCur, now.epCur);
    number("ENDURANCE maximum", before.epMax, now.epMax);
    number("Gold Crowns", before.crowns, now.crowns);
    number("Lune", before.lune, now.lune);
    number("Kika", before.kika, now.kika);
    std::vector<std::string> gained, lost;
    std::set_difference(now.items.begin(), now.items.end(), before.items.begin(),
                        before.items.end(), std::back_inserter(gained));
    std::set_difference(before.items.begin(), before.items.end(), now.items.begin(),
                        now.items.end(), std::back_inserter(lost));
    for (const std::string& n : gained)
        o << "  (+ " << n << ")\n";
    for (const std::string& n : lost)
        o << "  (- " << n << ")\n";
    if (!o.str().empty()) *p.out << "\n" << o.str();
    p.before = now;
}

void settle(TextPlayer& p, bool forcePage);
void finishBook(TextPlayer& p);
void openBook(TextPlayer& p);
int offeredWith(const TextPlayer& p, int effectType);
void press(TextPlayer& p, int choice);

// What a resolved draw's resume save says, for the player (and the crash tests).
void reportSave(TextPlayer& p, const std::string& report) {
    if (!report.empty()) *p.out << report << "\n";
}

// The pick a button asked for, made on the book's table and handed back to
// the button. `region` 0 lets the table choose.
void pickNumber(TextPlayer& p, int region) {
    std::ostream& o = *p.out;
    GameState& g = p.g;
    if (!g.rulesState.pickWanted) {
        // A choice of the page that picks (its caption is often "Pick"):
        // 'pick' presses it and picks at once.
        int choice = offeredWith(p, 5);
        if (choice < 0) {
            o << "Nothing asks for a random number now.\n";
            return;
        }
        press(p, choice);
        if (!g.rulesState.pickWanted || (pickIsGuided(p) && region == RNT_NO_REGION)) return;
    }
    if (pickIsGuided(p) && region == RNT_NO_REGION) {
        o << "This pick lets you choose where to point: type 'pick 1' to 'pick 9'.\n";
        return;
    }
    if (!pickIsGuided(p) && region != RNT_NO_REGION && !g.rules.allowGuidedRtn) {
        o << "The rules of this game do not let you choose a region: type 'pick'.\n";
        return;
    }
    RandomNumberTable& t = g.randomTable;
    if (t.book != g.character.onBook) loadTable(t, g.character.onBook);
    endPick(t); // a pick left over from a page that has gone
    drawStarts(g, PENDING_PICK);
    startPick(t, g.rulesState.pick, g.random, g.rules.allowGuidedRtn);
    if (region != RNT_NO_REGION) chooseRegion(t, region, g.random);
    for (int step = 0; step < 64 && !updatePick(t, 10000, 4, g.random); ++step) {
    }
    PickResult result = pickResult(t, g.character);
    o << "\n" << pickReport(t) << "\n";
    endPick(t);
    deliverPick(g, p.cat, result);
    reportSave(p, drawEnds(g));
    settle(p, false);
}

// The round a fight or evade button asked for, printed as it is fought.
void fightAskedRound(TextPlayer& p) {
    bool evade = false;
    if (!takeCombatRound(p.g, evade)) return;
    std::vector<std::string> lines;
    roundStarts(p.g);
    playCombatRound(p.g, p.cat, evade, &lines);
    *p.out << "\n";
    for (const std::string& line : lines)
        *p.out << line << "\n";
    reportSave(p, roundEnds(p.g));
}

void showScreens(TextPlayer& p) {
    for (const ScreenRequest& r : p.g.rulesState.screens) {
        switch (r.kind) {
        case ScreenKind::Window:
            if (r.value == RULES_DEATH_WINDOW) {
                p.fallen = true;
                *p.out << "\n== Greystar, you have fallen... ==\n";
                std::string lament = bookLament(p.g.character.onBook);
                if (!lament.empty()) *p.out << breakLines(lament) << "\n";
                *p.out
                    << "Type 'restart' to begin this book again, 'chart' to see the Action Chart, "
                       "or 'quit'.\n";
            } else {
                *p.out << "(screen " << r.value << " is not shown in text mode)\n";
            }
            break;
        case ScreenKind::Notice:
            *p.out << "\n" << breakLines(r.text) << "\n";
            break;
        case ScreenKind::ActionChartPage:
            *p.out << "\n" << actionChartText(p.g, p.cat);
            break;
        case ScreenKind::ResultsTable:
            *p.out << "(The Combat Results Table is not drawn in text mode: every round prints its "
                      "ratio, number and losses.)\n";
            break;
        default: // journal and entry-list screens have nothing to print here
            break;
        }
    }
    p.g.rulesState.screens.clear();
    for (std::string& arg : p.g.pendingWindowArgs)
        arg.clear();
}

void loadOpeningPage(TextPlayer& p) {
    SectionPage& page = p.g.section;
    page.sectionName = OPENING_PAGES[p.pageIndex];
    page.resetRules();
    ScriptContext context{p.cat.conditionTypes, p.cat.effectTypes, &p.g.combat};
    loadSection(page, context);
}

// Where a button's word stands on the page; buttons without a word come last.
size_t wordPosition(const SectionPage& page, int buttonId) {
    for (size_t i = 0; i < page.words.size(); ++i)
        if (page.words[i].isButton && page.words[i].buttonId == buttonId && !page.words[i].ignore)
            return i;
    return page.words.size();
}

void listButtons(TextPlayer& p) {
    p.offered.clear();
    const auto& buttons = p.g.section.buttons;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const SectionButton& b = buttons[i];
        if (b.autoExecute() || b.colour == 0 || !buttonOffered(b, p.g, p.cat)) continue;
        p.offered.push_back(static_cast<int>(i));
    }
    // Numbered in reading order, as the player meets them on the page.
    std::stable_sort(p.offered.begin(), p.offered.end(), [&](int a, int b) {
        return wordPosition(p.g.section, buttons[static_cast<size_t>(a)].id) <
               wordPosition(p.g.section, buttons[static_cast<size_t>(b)].id);
    });
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
        fightAskedRound(p);
        handPendingToInventory(p.g, p.cat);
        if (p.g.pendingSection > 0) {
            int section = p.g.pendingSection;
            p.g.pendingSection = 0;
            enterSection(p.g, p.cat, section);
            pageChanged = true;
        }
        runFrameRules(p.g, p.cat);
        if (runAutoExecutes(p.g, p.cat) == 0 && p.g.pendingSection == 0 &&
            !p.g.rulesState.roundWanted)
            break;
    }
    if (p.g.pendingBookComplete) {
        p.g.pendingBookComplete = false;
        finishBook(p);
    }
    tellChanges(p);
    if (pageChanged) {
        std::string text = pageText(p.g.section);
        *p.out << "\n--- " << p.g.section.sectionName << " ---\n" << text;
        p.lastPrinted = text;
    }
    showScreens(p);
    flushMessages(p);
    if (p.g.awardNotice.pending) {
        *p.out << "\n" << breakLines(awardNoticeText(p.g.awardNotice.titles)) << "\n";
        p.g.awardNotice = AwardNotice();
    }
    if (p.fallen) return;
    if (MessageRequest* q = openQuestion(p)) {
        printMessage(p, *q);
        return;
    }
    if (p.g.rulesState.pickWanted) {
        printPickPrompt(p);
        return;
    }
    if (p.nextBook) {
        // As in the window: the summary is read, and the next book's opening
        // pages follow with the hero as he finished.
        p.nextBook = false;
        *p.out << "\n== Book " << p.g.character.onBook << " begins ==\n";
        p.book = p.g.character.onBook;
        openBook(p);
        return;
    }
    if (p.bookOver) {
        *p.out << "\n== The end of the book ==\nYou have completed this adventure. Type 'chart' to "
                  "see what you carry, or 'quit'.\n";
        return;
    }
    listButtons(p);
}

// The first offered choice with an effect of this type (a fight: 32 with
// VALUE 0; an evasion: 33); -1 when none.
int offeredWith(const TextPlayer& p, int effectType) {
    for (size_t n = 0; n < p.offered.size(); ++n) {
        const SectionButton& b = p.g.section.buttons[static_cast<size_t>(p.offered[n])];
        for (const Effect& e : b.effects)
            if (e.type.known && e.type.typeId == effectType && (effectType != 32 || e.value == 0))
                return static_cast<int>(n);
    }
    return -1;
}

void press(TextPlayer& p, int choice) {
    size_t index = static_cast<size_t>(p.offered[static_cast<size_t>(choice)]);
    if (index >= p.g.section.buttons.size()) return;
    pressButton(p.g.section.buttons[index], p.g, p.cat);
    settle(p, false);
}

// Book N's pages, scripts and table, from the data folder's book folder;
// false when the book is not there.
bool mountBook(TextPlayer& p, int book) {
    namespace fs = std::filesystem;
    if (book < 1 || book > static_cast<int>(p.cat.books.size())) return false;
    const BookEntry& entry = p.cat.books[static_cast<size_t>(book - 1)];
    fs::path folder = fs::path(p.dataDir) / "books" / ("book" + std::to_string(book));
    vfsMount((folder / entry.code).string(), entry.code);
    vfsMount((folder / (entry.code + ".zip")).string(), entry.code);
    vfsMount((folder / (std::to_string(book) + "data")).string(), entry.code);
    const std::string opening = std::string(OPENING_PAGES[0]) + ".htm";
    return vfsExists(entry.code + "/" + opening) ||
           vfsExists(entry.code + "/en/xhtml/gs/" + entry.code + "/" + opening);
}

// The end-of-book step of the window: the summary, the hero carried into the
// next book and the campaign saved; after the last book (or when the next is
// not in the data folder) the play is over.
void finishBook(TextPlayer& p) {
    GameState& g = p.g;
    const Character finished = g.character;
    const bool finalBook = finished.onBook >= lastBookNumber(p.cat);
    bool saved = false;
    if (!finalBook) {
        carryHeroIntoNextBook(g.character);
        g.campaign.bookFinished = false;
        saved = p.saves && saveCampaign(g, p.cat, g.campaign.profile);
    }
    const BookEntry* entry = findBook(p.cat, finished.onBook);
    const BookSummary s = endOfBookSummary(finished, entry ? entry->title : "",
                                           qualifyForHallOfFame(finished, g.rules), finalBook, saved);
    *p.out << "\n== " << breakLines(s.title) << " ==\n" << breakLines(s.text) << "\n";
    p.bookOver = true;
    if (finalBook) return;
    if (mountBook(p, g.character.onBook)) {
        p.nextBook = true;
        return;
    }
    *p.out << "\n(book " << g.character.onBook << " is not in " << p.dataDir
           << ": the campaign goes on when it is)\n";
}

// A new hero in the book, on its first opening page; the random source goes on.
void beginBook(TextPlayer& p) {
    Character& c = p.g.character;
    resetCharacter(c);
    c.onBook = p.book;
    c.onBookSeries = p.book <= 5 ? TIER_VAEL : p.book <= 12 ? TIER_DRAVIC : TIER_GRAND_MASTER;
    startCampaignInTier(c, c.onBookSeries);
    openBook(p);
}

// The book p.book begins on its first opening page for the hero as he is.
void openBook(TextPlayer& p) {
    p.g.combat.reset();
    p.g.rulesState = RulesState();
    p.g.messages.pending.clear();
    p.g.pendingSection = 0;
    p.g.pendingItem = -1;
    p.g.pendingCoins = 0;
    p.g.pendingBookComplete = false;
    p.fallen = false;
    p.bookOver = false;
    loadTable(p.g.randomTable, p.book);
    p.before = snapshot(p.g);
    p.g.section.bookCode = p.cat.books[static_cast<size_t>(p.book - 1)].code;
    p.pageIndex = 0;
    loadOpeningPage(p);
    settle(p, true);
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
    std::string s =
        itemLabel(it, g.rules.weaponRules, g.rules.armorRules, g.rules.limitSi, g.character.onBook);
    if (it.equipped) s += " (equipped)";
    if (it.dessiStone) s += " w/ Dessi Stone";
    return s;
}

// Carried items are numbered across the three lists, for 'equip', 'use' and 'drop'.
void listItems(std::ostringstream& o, const GameState& g, const char* heading,
               const std::vector<Item>& items, int& number) {
    o << heading << ":";
    if (items.empty()) o << " none";
    o << "\n";
    for (const Item& it : items)
        o << "  " << ++number << ") " << itemLine(g, it) << "\n";
}

// The place of carried item number n (from 1, in the chart's order).
bool itemPlace(const Character& c, int n, ItemPlace& at) {
    for (int l = LIST_WEAPONS; l <= LIST_SPECIAL; ++l) {
        int size = static_cast<int>(carriedList(c, l)->size());
        if (n >= 1 && n <= size) {
            at.list = l;
            at.index = n - 1;
            return true;
        }
        n -= size;
    }
    return false;
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
        if (w.ignore || w.text.empty() || w.text == AUTOEXECUTE_CAPTION) continue;
        if (w.newParagraph) {
            endLine();
            if (!out.empty() &&
                out.compare(out.size() - 2 < out.size() ? out.size() - 2 : 0, 2, "\n\n") != 0)
                out += "\n";
        }
        std::string text = breakLines(w.text);
        // Punctuation stays on its word's line, with no blank, as on the page.
        const bool glued = !line.empty() && gluedToPrevious(text);
        if (!glued && !line.empty() && line.size() + 1 + text.size() > 78) endLine();
        if (!glued && !line.empty()) line += ' ';
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
    o << "Damage: " << c.damageFromCombat << " combat, " << c.damageFromStarvation
      << " starvation\n";
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
    int number = 0;
    listItems(o, g, "Weapons", c.weapons, number);
    if (c.haveBackpack)
        listItems(o, g, "Backpack", c.backpackItems, number);
    else
        o << "Backpack: you do not have a Backpack\n";
    listItems(o, g, "Special Items", c.specialItems, number);
    o << "Belt Pouch: ";
    if (c.haveBeltPouch)
        o << c.goldCrowns << " Gold Crowns, " << c.lune << " Lune, " << c.kika << " Kika\n";
    else
        o << "you do not have a Belt Pouch\n";
    o << "Meals: " << mealCount(c) << " (eaten so far: " << c.mealsEaten << ")\n";
    return o.str();
}

void chartCommand(TextPlayer& p, const std::string& args) {
    std::ostream& o = *p.out;
    if (args.empty()) {
        o << "\n" << actionChartText(p.g, p.cat)
          << "(Pages: 'chart stats', 'weapons', 'backpack', 'special', 'journal', 'battles',\n"
             " 'notes', 'storage', 'lost', 'certificate', 'awards'.)\n";
        return;
    }
    auto showPage = [&] {
        const ChartPage page = buildChartPage(p.chart, p.g, p.cat, chartContext(p.g, p.cat));
        o << "\n" << chartPageText(page, p.chartButtons);
    };
    const bool tip = args.rfind("tip", 0) == 0;
    if (tip || args.rfind("press", 0) == 0) {
        const int n = parseNumber(trim(args.substr(tip ? 3 : 5)));
        if (n < 1 || n > static_cast<int>(p.chartButtons.size())) {
            o << "Give the number of a button of the page 'chart PAGE' showed, as in 'chart "
              << (tip ? "tip" : "press") << " 1'.\n";
            return;
        }
        const ChartButton b = p.chartButtons[static_cast<size_t>(n - 1)];
        if (tip) {
            o << (b.tooltip.empty() ? "(no tooltip)" : breakLines(b.tooltip)) << "\n";
            return;
        }
        if (p.fallen || openQuestion(p) || p.g.rulesState.pickWanted) {
            o << "Answer what is asked first; the chart's buttons wait.\n";
            return;
        }
        if (b.action.kind == ChartActionKind::AwardDetails) {
            // Window 45 in text: every hint at once.
            const AwardDefinition* a = findAward(p.cat.awards, b.action.value);
            const Profile* profile = activeProfile(p.g);
            if (a)
                o << "\n" << breakLines(awardDetailsText(*a, profile && awardEarned(*profile, a->id),
                                                          AWARD_HINTS_MAX))
                  << "\n";
            return;
        }
        performChartAction(b.action, p.chart, p.g, p.cat);
        if (!p.g.pendingWindowArgs[2].empty())
            o << "\n" << breakLines(certificateText(p.g.character, activeProfile(p.g) ? activeProfile(p.g)->name : "")) << "\n";
        settle(p, false);
        if (!openQuestion(p)) showPage();
        return;
    }
    const int page = chartPageByName(args);
    if (page == 0) {
        o << "There is no chart page '" << args << "'. Type 'chart' for the list.\n";
        return;
    }
    performChartAction({ChartActionKind::ShowPage, 0, 0, page}, p.chart, p.g, p.cat);
    showPage();
}

bool startTextPlayer(TextPlayer& p, const std::string& dataDir, int book, int seed,
                     std::ostream& out, const char* argv0) {
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
    // The user folder with the saves, in front of the data as in the window;
    // a saved game goes on in its own book.
    p.dataDir = data.string();
    const bool saves = openUserSaves(p.g);
    p.saves = saves;
    loadCatalogue(p.cat.items);
    int savedBook = 0, savedSection = 0;
    if (saves && !p.newCampaign && peekResumePosition(p.g.campaign.profile, p.cat, savedBook, savedSection))
        book = savedBook;
    const BookEntry& entry = p.cat.books[static_cast<size_t>(book - 1)];
    const bool bookThere = mountBook(p, book);
    loadConditionTypes(CONDITION_TYPES_FILE, p.cat.conditionTypes);
    loadEffectTypes(EFFECT_TYPES_FILE, p.cat.effectTypes);
    loadDisciplineTexts(p.cat.disciplineTexts);
    defineAwards(p.cat.awards);
    for (Profile& slot : p.profiles.slots)
        clearProfile(slot, awardIds(p.cat.awards));
    p.g.profiles = &p.profiles;
    if (!loadCombatTable(p.cat.combatTable)) {
        out << "qhdata play: " << CRT_PATH << " cannot be read from " << dataDir << "\n";
        return false;
    }
    if (!bookThere) {
        out << "qhdata play: book " << book << " (" << entry.title << ") is not in "
            << (data / "books" / ("book" + std::to_string(book))).string() << "\n";
        return false;
    }

    p.book = book;
    if (savedBook && resumeSavedGame(p.g, p.cat)) {
        const Character& c = p.g.character;
        out << "(your saved game goes on: book " << c.onBook << ", section " << c.onSection
            << ", draws " << p.g.random.draws << ")\n";
        settle(p, true);
        return true;
    }
    // The old saves go only once the new game can begin.
    if (saves && p.newCampaign) deleteProfileSaves(p.g, p.g.campaign.profile);
    seedRandom(p.g.random, seed, 0);
    beginBook(p);
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
    if (line == "chart" || line.rfind("chart ", 0) == 0) {
        chartCommand(p, trim(line.substr(5)));
        return;
    }
    if (line == "help") {
        o << "Commands: a choice's number; 'fight' and 'evade' in a combat; 'pick' (or 'pick 1' "
             "to\n"
             "'pick 9') when the Random Number Table is asked for; 'chart' for the Action Chart;\n"
             "'chart PAGE' for one of its pages, 'chart press N' and 'chart tip N' for its\n"
             "buttons; 'equip N', 'use N' and 'drop N' for item N of the chart; 'look' to read the page\n"
             "again; 'next' for the next opening page; 'restart' after a death; 'quit'.\n";
        return;
    }
    if (line == "restart") {
        if (!p.fallen) {
            o << "You can only restart after Greystar has fallen.\n";
            return;
        }
        beginBook(p);
        return;
    }
    if (p.fallen) {
        o << "Greystar has fallen. Type 'restart', 'chart' or 'quit'.\n";
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
    if (line == "pick" || line.rfind("pick ", 0) == 0) {
        int region = line == "pick" ? RNT_NO_REGION : parseNumber(trim(line.substr(5)));
        if (region < 1 || region > 9) {
            if (line != "pick") {
                o << "A region is a number from 1 to 9.\n";
                return;
            }
            region = RNT_NO_REGION;
        }
        pickNumber(p, region);
        return;
    }
    if (p.g.rulesState.pickWanted) {
        o << "The Random Number Table waits: type 'pick' first.\n";
        return;
    }
    for (const char* verb : {"equip", "use", "drop"}) {
        std::string v = verb;
        if (line != v && line.rfind(v + " ", 0) != 0) continue;
        ItemPlace at;
        int n = line == v ? -1 : parseNumber(trim(line.substr(v.size())));
        if (!itemPlace(p.g.character, n, at)) {
            o << "Give the number of an item as 'chart' lists it, as in '" << v << " 1'.\n";
            return;
        }
        if (v == "equip") {
            if (at.list == LIST_BACKPACK) {
                o << "Only Weapons and Special Items can be wielded or worn.\n";
                return;
            }
        }
        // The same presses as the chart page's Equip, Use (Cure) and Drop buttons.
        const std::vector<Item>& items = *carriedList(p.g.character, at.list);
        const bool cure = curesBacillusNow(p.g.character, items[static_cast<size_t>(at.index)]);
        const ChartActionKind kind = v == "equip" ? ChartActionKind::Equip
                                     : v == "use" ? (cure ? ChartActionKind::Cure : ChartActionKind::Use)
                                                  : ChartActionKind::Drop;
        performChartAction({kind, at.list, at.index, 0}, p.chart, p.g, p.cat);
        settle(p, false);
        return;
    }
    if (line == "fight" || line == "evade") {
        int choice = offeredWith(p, line == "fight" ? 32 : 33);
        if (choice < 0) {
            o << (line == "fight" ? "There is no fight here.\n" : "You cannot evade here.\n");
            return;
        }
        press(p, choice);
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
        o << "Unknown command. Type a choice's number, 'chart', 'help' or 'quit'.\n";
        return;
    }
    if (n < 1 || n > static_cast<int>(p.offered.size())) {
        o << "There is no choice " << n << " here.\n";
        return;
    }
    press(p, n - 1);
}

int runTextPlayer(TextPlayer& p, std::istream& in) {
    std::string line;
    long count = 0;
    while (!p.quit && count < MAX_LINES && std::getline(in, line)) {
        ++count;
        textPlayerCommand(p, line);
    }
    if (!p.quit) *p.out << "\n(end of input)\n";
    std::string report;
    saveGameAsPlayStops(p.g, report);
    *p.out << report << "\n";
    return 0;
}
