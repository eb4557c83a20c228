// The pages of the campaign's records: journal, battles, notes, storage, lost
// items, certificate and awards; and the page builder's entry point.
#include "actionchart/chart_model.h"
#include "actionchart/chart_pages.h"

#include "app/game_state.h"
#include "awards/award.h"
#include "character/inventory.h"
#include "character/scores.h"

#include <algorithm>

namespace {

std::string bookTitle(const Catalogues& cat, int book) {
    const BookEntry* entry = findBook(cat, book);
    return "Book " + std::to_string(book) + ": " + (entry ? entry->title : std::string("?"));
}

// The books of the travel log in the order first visited; the current book
// always among them.
std::vector<int> visitedBooks(const Character& c) {
    std::vector<int> books;
    for (const auto& visit : c.travelLog)
        if (std::find(books.begin(), books.end(), visit.first) == books.end())
            books.push_back(visit.first);
    if (std::find(books.begin(), books.end(), c.onBook) == books.end()) books.push_back(c.onBook);
    return books;
}

// The book a group page shows: 0 means "not chosen yet", the current book.
int shownBook(int chosen, const Character& c) {
    return chosen == 0 ? c.onBook : chosen;
}

void bookLine(ChartPageBuilder& p, const Catalogues& cat, int book, int shown, int list) {
    ChartLine& l = p.add(ChartLineStyle::Picture, bookTitle(cat, book),
                         book == shown ? "Click to close this book" : "Click to open this book");
    l.image = "book";
    l.click = {ChartActionKind::JournalBook, list, 0, book == shown ? -1 : book};
}

void moneyRows(ChartPageBuilder& p, const int amounts[3], ChartActionKind take,
               ChartActionKind give, bool open) {
    static const char* const NAMES[3] = {"Gold Crown(s)", "Lune", "Kika"};
    for (int cur = 0; cur < 3; ++cur) {
        p.text(std::string(NAMES[cur]) + ": " + std::to_string(amounts[cur]), "", 1);
        if (!open) continue;
        p.button("Take", "Take some or all of this currency", {take, 0, 0, cur});
        if (give != ChartActionKind::None)
            p.button("Give", "Place money of this currency into storage", {give, 0, 0, cur});
    }
}

} // namespace

void buildJournalPage(ChartPageBuilder& p, const ChartState& state, const GameState& g,
                      const Catalogues& cat) {
    const Character& c = g.character;
    const int shown = shownBook(state.journalBook, c);
    p.heading("TRAVEL LOG");
    for (int book : visitedBooks(c)) {
        bookLine(p, cat, book, shown, 0);
        if (book != shown) continue;
        p.button("Export", "Save this book's travel log to a .txt file",
                 {ChartActionKind::ExportLog, 0, 0, book});
        if (!c.travelLog.empty() && c.travelLog.front().first == book)
            p.text("-Beginning a new campaign...", "", 1);
        for (const auto& visit : c.travelLog)
            if (visit.first == book) p.text(travelLogLine(cat.journal, book, visit.second), "", 1);
    }
}

void buildBattlesPage(ChartPageBuilder& p, const ChartState& state, const GameState& g,
                      const Catalogues& cat) {
    const Character& c = g.character;
    const int shown = shownBook(state.battlesBook, c);
    p.heading("BATTLE HISTORY");
    for (int book : visitedBooks(c)) {
        bookLine(p, cat, book, shown, 1);
        if (book != shown) continue;
        bool any = false;
        for (const BattleLogEntry& fight : c.battleLog) {
            if (fight.book != book || fight.rounds.empty()) continue;
            any = true;
            const BattleLogRound& first = fight.rounds.front();
            ChartLine& head = p.add(ChartLineStyle::Picture,
                                    "Initial Stats for Greystar vs. " + first.enemyName,
                                    fight.title + "`(Section " + std::to_string(fight.section) + ")");
            // Beasts get the horned portrait; people the helmed one.
            head.image = first.enemyName.find_first_of("aeiou") == 0 ? "heads2" : "heads";
            // One short line per side and per round, so a block reads at a
            // glance and keeps to its lines at 800x600.
            p.text("Greystar:  CS: " + std::to_string(first.heroCs) + "   EP: " + std::to_string(first.heroEp),
                   "", 1);
            p.text(first.enemyName + ":  CS: " + std::to_string(first.enemyCs) +
                       "   EP: " + std::to_string(first.enemyEp),
                   "", 1);
            int round = 0;
            for (size_t r = 1; r < fight.rounds.size(); ++r) {
                const BattleLogRound& b = fight.rounds[r];
                if (b.randomNumber < 0) {
                    p.subheading("Next enemy: " + b.enemyName);
                    continue;
                }
                ++round;
                const std::string ratio = std::to_string(b.heroCs - b.enemyCs);
                ChartLine& l = p.add(ChartLineStyle::Text,
                                     "Round " + std::to_string(round) + ":   CR: " + ratio +
                                         "   RN: " + std::to_string(b.randomNumber),
                                     "Combat Ratio: " + ratio + "`Random number: " +
                                         std::to_string(b.randomNumber),
                                     1);
                l.image = "battle_pics";
                p.add(ChartLineStyle::Small,
                      "CS: " + std::to_string(b.heroCs) + "  EP: " + std::to_string(b.heroEp) + "  |  CS: " +
                          std::to_string(b.enemyCs) + "  EP: " + std::to_string(b.enemyEp),
                      "Greystar's scores after the round, then " + b.enemyName + "'s", 2);
            }
        }
        if (!any) p.text("(No battles fought in this book)", "", 1);
    }
}

void buildNotesPage(ChartPageBuilder& p, const GameState& g) {
    const Character& c = g.character;
    p.heading("NOTES");
    for (const ConditionMarker& m : heroMarkers(g)) p.text(m.title, m.tooltip, 1);
    for (size_t i = 0; i < c.notes.size(); ++i) {
        p.text(c.notes[i], "", 1);
        p.button("Delete", "Delete this note (cannot be undone!)",
                 {ChartActionKind::DeleteNote, 0, static_cast<int>(i)});
    }
    p.text("(Add a new note)", "", 1);
    p.button("Add", "Click here to enter a new note", {ChartActionKind::AddNote});
}

void buildStoragePage(ChartPageBuilder& p, const GameState& g, const Catalogues& cat) {
    const Character& c = g.character;
    // Storage opens before a book's adventure begins, where the book allows
    // it: the same test the Deposit buttons of the item pages use.
    const bool open = storageOpen(g, cat);
    p.heading("STORED ITEMS");
    if (c.storageItems.empty()) p.text("(nothing stored)", "", 1);
    for (size_t i = 0; i < c.storageItems.size(); ++i) {
        const Item& it = c.storageItems[i];
        p.text(chartItemLabel(it, g), itemTooltip(it, g), 1);
        if (open)
            p.button("Withdraw", "Withdraw this item directly from storage.",
                     {ChartActionKind::Withdraw, 0, static_cast<int>(i)});
    }
    if (open) {
        p.text("", "", 1);
        p.button("Withdraw", "Withdraw item(s) from storage", {ChartActionKind::AskWithdraw});
        p.button("Deposit", "Place item(s) into storage", {ChartActionKind::AskDeposit});
    } else {
        // Would it open at the start of this book? Not every book has storage.
        GameState atStart;
        atStart.character.onBook = c.onBook;
        atStart.rules = g.rules;
        p.small(storageOpen(atStart, cat) ? "(Storage can be reached before a book's adventure begins)"
                                          : "(There is no storage to reach in this book)");
    }
    p.heading("STORED MONEY");
    const int amounts[3] = {c.storageCrowns, c.storageLune, c.storageKika};
    moneyRows(p, amounts, ChartActionKind::CoinWithdraw, ChartActionKind::CoinDeposit, open);
}

void buildLostPage(ChartPageBuilder& p, const GameState& g) {
    const Character& c = g.character;
    p.heading("LOST ITEMS");
    if (c.lostItems.empty()) p.text("(nothing lost)", "", 1);
    for (size_t i = 0; i < c.lostItems.size(); ++i) {
        const Item& it = c.lostItems[i];
        p.text(chartItemLabel(it, g), itemTooltip(it, g), 1);
        if (c.reclaiming)
            p.button("Reclaim", "Withdraw this item directly from the lost item pool.",
                     {ChartActionKind::Reclaim, 0, static_cast<int>(i)});
    }
    if (c.reclaiming) {
        p.text("", "", 1);
        p.button("Reclaim Lost Item(s)", "Take item(s) from the list below",
                 {ChartActionKind::AskReclaim});
    }
    p.heading("LOST MONEY");
    const int amounts[3] = {c.lostCrowns, c.lostLune, c.lostKika};
    moneyRows(p, amounts, ChartActionKind::CoinReclaim, ChartActionKind::None, c.reclaiming);
}

std::string certificateImage(int book) {
    return book >= 13 ? "cert3" : book >= 6 ? "cert2" : "cert1";
}

std::string certificateText(const Character& c, const std::string& profileName) {
    const Tier tier = std::clamp(static_cast<int>(c.onBookSeries), 0, TIER_COUNT - 1);
    static const char* const ORDER[TIER_COUNT] = {"the Vael", "the Dravic", "the Grand Masters"};
    return "This certifies that`" + (profileName.empty() ? std::string("Greystar") : profileName) +
           "`has attained the rank of`" + rankTitle(c, tier) + "`in the order of " + ORDER[tier];
}

void buildCertificatePage(ChartPageBuilder& p, const GameState& g) {
    const Character& c = g.character;
    const Tier tier = std::clamp(static_cast<int>(c.onBookSeries), 0, TIER_COUNT - 1);
    p.heading(rankHeading(tier));
    p.text(rankTitle(c, tier), "", 1);
    ChartLine& l = p.add(ChartLineStyle::Picture, "", "Click to view larger certificate");
    l.image = certificateImage(c.onBook);
    l.click = {ChartActionKind::Certificate};
}

void buildAwardsPage(ChartPageBuilder& p, const ChartContext& ctx) {
    p.heading("PROFILE AWARDS for " + ctx.profileName);
    if (ctx.awards.empty()) {
        p.text("(No awards are known yet)", "", 1);
        return;
    }
    std::vector<ChartAward> list = ctx.awards;
    std::stable_sort(list.begin(), list.end(), [](const ChartAward& a, const ChartAward& b) {
        // Book awards by book, then the series awards after them.
        const int ka = a.book > 0 ? a.book : 100 + a.series;
        const int kb = b.book > 0 ? b.book : 100 + b.series;
        return ka != kb ? ka < kb : a.order < b.order;
    });
    static const char* const SERIES[TIER_COUNT] = {"VAEL Series Awards:", "DRAVIC Series Awards:",
                                                   "GRANDMASTER Series Awards:"};
    std::string group;
    for (const ChartAward& a : list) {
        const std::string heading =
            a.book > 0 ? "Book " + std::to_string(a.book) + " Awards:"
                       : SERIES[std::clamp(static_cast<int>(a.series), 0, TIER_COUNT - 1)];
        if (heading != group) {
            p.subheading(heading);
            group = heading;
        }
        ChartLine& l = p.add(ChartLineStyle::Picture, a.title, awardTooltip(a), 1);
        l.image = !a.earned ? "unearned_medal" : a.medal.empty() ? "medal_generic" : a.medal;
        if (a.newly) l.badge = "newly";
        l.click = {ChartActionKind::AwardDetails, 0, 0, a.id};
        if (a.earned && !a.description.empty()) p.small(a.description);
        if (a.earned && !a.statusNote.empty()) p.small(a.statusNote);
        if (!a.unmetNote.empty()) p.small(a.unmetNote);
    }
}

std::string awardDifficultyText(int d) {
    static const char* const TEXT[5] = {"Not available yet", "Easy", "Moderate", "Hard", "Expert"};
    return TEXT[std::clamp(d, 0, 4)];
}

std::string awardTooltip(const ChartAward& a) {
    static const char* const RULES[5] = {
        "", "(Must play with BY-THE-BOOK gameplay rules only)",
        "(Must play with HARDCORE gameplay rules only)",
        "(Must play with BY-THE-BOOK, HARDCORE, or PRODIGY gameplay rules)",
        "(Must play with BY-THE-BOOK or HARDCORE gameplay rules only)"};
    std::string tip = a.title + "`Difficulty: " + awardDifficultyText(a.difficulty) + "`" +
                      awardCategoryText(a.category);
    if (a.rulesNote >= 1 && a.rulesNote <= 4) tip += std::string("`") + RULES[a.rulesNote];
    return tip + "``(Click medal for details)";
}

ConditionMarker conditionMarker(int id, const GameState& g) {
    switch (id) {
    case DISEASE_BLOOD_POISONING: // loses ENDURANCE every section until cured
        return {"- Blood Poisoning: -2 EP/section",
                "A wound has turned bad. You lose 2 ENDURANCE POINTS`in every section until "
                "the poison is cured`(Laumspur or a healer will do it)."};
    case DISEASE_ADDICTION:
        return {"- Adgana Addiction",
                "You have taken Adgana more than once and your body`craves it. Each further "
                "dose costs you dearly."};
    case DISEASE_LIMBDEATH:
        return {"- Limbdeath: -3 CS", "Your limbs wither: -3 COMBAT SKILL, and you are`unable "
                                      "to wield two-handed weapons."};
    case DISEASE_BACILLUS:
        return {"- Korovax Baccilus Infection",
                "A fever burns in your blood. Only the right medicine`will cure it."};
    case 5:
        return {"- Severe Injuries: -" + std::to_string(g.character.damageFromCombat) + " EP",
                "Your wounds from combat are deep; they heal only`slowly, however you rest."};
    case 6:
        return {"- Cursed", "A curse lies upon you. Something in the book may lift it."};
    case DISEASE_ADDICTION_AGAIN:
        return {"- Severe Adgana Addiction", "Your craving for Adgana has grown worse."};
    default:
        return {"- Lasting condition " + std::to_string(id),
                "A lasting condition the book has given you."};
    }
}

std::vector<ConditionMarker> heroMarkers(const GameState& g) {
    std::vector<ConditionMarker> list;
    for (int id : g.character.disease) list.push_back(conditionMarker(id, g));
    return list;
}

std::string combatSkillTooltip(const GameState& g) {
    std::string lines;
    combatSkill(g.character, g.rules, nullptr, &lines);
    return "Base CS: " + std::to_string(g.character.csBase) + "`" + lines + "(including all bonuses)";
}

std::string enduranceTooltip(const GameState& g) {
    std::string lines;
    enduranceMaximum(g.character, g.rules, &lines);
    return "Current EP: " + std::to_string(g.character.epCur) + "`Maximum EP: " +
           std::to_string(g.character.epMax) + (lines.empty() ? "" : "`" + lines);
}

ChartPage buildChartPage(const ChartState& state, const GameState& g, const Catalogues& cat,
                         const ChartContext& ctx) {
    ChartPage page;
    page.page = state.page >= 1 && state.page <= CHART_PAGE_COUNT ? state.page : CHART_STATS;
    ChartPageBuilder p{page};
    switch (page.page) {
    case CHART_STATS:
        buildStatsPage(p, state, g, cat);
        break;
    case CHART_WEAPONS:
        buildWeaponsPage(p, g, cat);
        break;
    case CHART_BACKPACK:
        buildBackpackPage(p, g, cat);
        break;
    case CHART_SPECIAL:
        buildSpecialPage(p, g, cat);
        break;
    case CHART_JOURNAL:
        buildJournalPage(p, state, g, cat);
        break;
    case CHART_BATTLES:
        buildBattlesPage(p, state, g, cat);
        break;
    case CHART_NOTES:
        buildNotesPage(p, g);
        break;
    case CHART_STORAGE:
        buildStoragePage(p, g, cat);
        break;
    case CHART_LOST:
        buildLostPage(p, g);
        break;
    case CHART_CERTIFICATE:
        buildCertificatePage(p, g);
        break;
    case CHART_AWARDS:
        buildAwardsPage(p, ctx);
        break;
    }
    return page;
}
