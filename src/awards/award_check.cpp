#include "awards/award_check.h"

#include "app/game_state.h"
#include "awards/award.h"
#include "book/book_catalogue.h"
#include "save/campaign_state.h"
#include "save/save_files.h"
#include "fs/data_file.h"
#include "save/profiles.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

// The options that decide the preset, with their value under By-the-Book,
// Hardcore and Prodigy. Hardcore's initial scores are 1 or 2 (the second
// value); the others have one value each.
struct PresetRow {
    int RuleOptions::*option;
    int byTheBook, hardcore, hardcoreAlso, prodigy;
};
const PresetRow PRESET_ROWS[] = {
    {&RuleOptions::weaponRules, 0, 1, 1, 2},       {&RuleOptions::armorRules, 0, 0, 0, 0},
    {&RuleOptions::healWithMeal, 0, 0, 0, 1},      {&RuleOptions::healStacking, 0, 0, 0, 0},
    {&RuleOptions::healingRules, 0, 0, 0, 0},      {&RuleOptions::initialStats, 0, 1, 2, 3},
    {&RuleOptions::limitedDisciplines, 0, 1, 1, 0}, {&RuleOptions::loreCirclesHc, 0, 1, 1, 1},
    {&RuleOptions::dualWield, 0, 0, 0, 0},         {&RuleOptions::limitSi, 0, 1, 1, 2},
    {&RuleOptions::extendedCrt, 0, 0, 0, 0},       {&RuleOptions::extraStorage, 0, 0, 0, 1},
    {&RuleOptions::wsStacking, 0, 0, 0, 0},        {&RuleOptions::shieldOnArm, 1, 0, 0, 1},
    {&RuleOptions::gmStatsTransfer, 1, 0, 0, 2},   {&RuleOptions::gmItemImport, 0, 0, 0, 1},
    {&RuleOptions::gmExtraDiscBonus, 0, 1, 1, 1},
};
// The two boolean options of the table.
struct PresetFlag {
    bool RuleOptions::*option;
    bool byTheBook, hardcore, prodigy;
};
const PresetFlag PRESET_FLAGS[] = {
    {&RuleOptions::allowMidSaves, false, false, false},
    {&RuleOptions::allowGuidedRtn, false, false, true},
};

bool matches(const RuleOptions& r, RuleSet set) {
    for (const PresetRow& row : PRESET_ROWS) {
        const int v = r.*row.option;
        const bool ok = set == RULESET_BY_THE_BOOK ? v == row.byTheBook
                        : set == RULESET_HARDCORE  ? v == row.hardcore || v == row.hardcoreAlso
                                                   : v == row.prodigy;
        if (!ok) return false;
    }
    for (const PresetFlag& f : PRESET_FLAGS) {
        const bool want = set == RULESET_BY_THE_BOOK ? f.byTheBook
                          : set == RULESET_HARDCORE  ? f.hardcore
                                                     : f.prodigy;
        if (r.*f.option != want) return false;
    }
    return true;
}


int carriedCount(const Character& c, int itemId) {
    int n = 0;
    for (const std::vector<Item>* list : {&c.weapons, &c.backpackItems, &c.specialItems})
        for (const Item& it : *list)
            if (it.id == itemId) ++n;
    return n;
}

bool visited(const Character& c, int book, int section) {
    return travelLogContains(c, book, section);
}

int fightsInBook(const Character& c, int book) {
    return static_cast<int>(std::count_if(c.battleLog.begin(), c.battleLog.end(),
                                          [book](const BattleLogEntry& e) { return e.book == book; }));
}

// Rounds actually fought: the opening entry and a change of enemy carry no number.
int roundsFought(const BattleLogEntry& e) {
    return static_cast<int>(std::count_if(e.rounds.begin(), e.rounds.end(),
                                          [](const BattleLogRound& r) { return r.randomNumber >= 0; }));
}

bool seriesComplete(const Character& c, int tier) {
    static const int FULL[TIER_COUNT] = {5, 7, 8};
    static const int LAST_BOOK[TIER_COUNT] = {5, 12, 20};
    static const int LAST_SECTION[TIER_COUNT] = {400, 350, 350};
    if (tier < 0 || tier >= TIER_COUNT) return false;
    const int done = booksCompleted(c, static_cast<Tier>(tier));
    if (done >= FULL[tier]) return true;
    return done == FULL[tier] - 1 && c.onBook == LAST_BOOK[tier] &&
           c.onSection == LAST_SECTION[tier];
}

void announce(GameState& g, const AwardDefinition& a) {
    AwardNotice& n = g.awardNotice;
    n.pending = true;
    n.profilesChanged = true;
    n.titles.push_back(a.title);
    n.medal = a.medal.empty() ? "medal_generic" : a.medal;
}

AwardEntry* entryOf(Profile& p, int id) {
    for (AwardEntry& e : p.awards)
        if (e.id == id) return &e;
    return nullptr;
}

// Marks the award earned and new; false when the profile has it already or
// does not know it.
bool earn(GameState& g, const Catalogues& cat, Profile& p, int id) {
    AwardEntry* e = entryOf(p, id);
    const AwardDefinition* a = findAward(cat.awards, id);
    if (!e || !a || e->earned) return false;
    e->earned = true;
    e->isNew = true;
    announce(g, *a);
    return true;
}

} // namespace

RuleSet classifyRules(const RuleOptions& rules) {
    for (RuleSet s : {RULESET_BY_THE_BOOK, RULESET_HARDCORE, RULESET_PRODIGY})
        if (matches(rules, s)) return s;
    return RULESET_CUSTOM;
}

bool rulesMeetDemand(RuleSet set, int demand) {
    switch (demand) {
    case DEMAND_BY_THE_BOOK:
        return set == RULESET_BY_THE_BOOK;
    case DEMAND_HARDCORE:
        return set == RULESET_HARDCORE;
    case DEMAND_ANY_PRESET:
        return set != RULESET_CUSTOM;
    case DEMAND_STRICT_PRESET:
        return set == RULESET_BY_THE_BOOK || set == RULESET_HARDCORE;
    default:
        return false;
    }
}

std::string unmetRulesNote(const AwardDefinition& award, const RuleOptions& rules) {
    if (!award.rulesRestricted || rulesMeetDemand(classifyRules(rules), award.rulesRequirement))
        return "";
    return rulesDemandNote(award.rulesRequirement);
}

Profile* activeProfile(GameState& g) {
    if (!g.profiles || g.profiles->active < 0 || g.profiles->active >= PROFILE_COUNT) return nullptr;
    return &g.profiles->slots[g.profiles->active];
}

const Profile* activeProfile(const GameState& g) {
    return activeProfile(const_cast<GameState&>(g));
}

bool awardEarned(const Profile& profile, int id) {
    for (const AwardEntry& e : profile.awards)
        if (e.id == id) return e.earned;
    return false;
}

bool awardBookPlayed(const GameState& g, int book) {
    // The book being played is played, even before its record is written.
    return g.character.onBook == book || bookPlayed(g.campaign, book);
}

const SectionButton* findButtonForAward(const GameState& g, int id) {
    for (const SectionButton& b : g.section.buttons)
        if (b.id == id) return &b;
    printf("Big error in checking for button ID: %d in awards check...\n", id);
    return nullptr;
}

bool awardTestHolds(const AwardTest& t, const GameState& g, const Catalogues& cat,
                    const Profile& profile) {
    const Character& c = g.character;
    using K = AwardTestKind;
    switch (t.kind) {
    case K::Finished: { // the last section of the book reached
        const BookEntry* book = findBook(cat, t.book);
        return book && t.book >= 1 && visited(c, t.book, book->lastSection);
    }
    case K::CombatsAtMost:
        return fightsInBook(c, t.book) <= t.amount;
    case K::CombatsAtLeast:
        return fightsInBook(c, t.book) >= t.amount;
    case K::Sections: { // each section counted once, however often visited
        int count = 0;
        for (int s : t.values)
            if (visited(c, t.book, s)) count += 1;
        for (int s : t.doubled)
            if (visited(c, t.book, s)) count += 2;
        return count >= t.amount;
    }
    case K::Avoided:
        return std::none_of(t.values.begin(), t.values.end(),
                            [&](int s) { return visited(c, t.book, s); });
    case K::Carries:
        return std::all_of(t.values.begin(), t.values.end(),
                           [&](int id) { return carriedCount(c, id) > 0; });
    case K::CarriesSome: {
        std::set<int> distinct(t.values.begin(), t.values.end());
        const long n = std::count_if(distinct.begin(), distinct.end(),
                                     [&](int id) { return carriedCount(c, id) > 0; });
        return n >= t.amount;
    }
    case K::Awards:
        return std::all_of(t.values.begin(), t.values.end(),
                           [&](int id) { return awardEarned(profile, id); });
    case K::Button: {
        const SectionButton* b = findButtonForAward(g, t.amount);
        return b && b->value >= t.extra;
    }
    case K::EnduranceAtMost:
        return c.epCur <= t.amount;
    case K::EnduranceAtLeast:
        return c.epCur >= t.amount;
    case K::EnduranceFull:
        return c.epCur >= c.epMax;
    case K::GoldAtMost:
        return c.goldCrowns <= t.amount;
    case K::GoldAtLeast:
        return c.goldCrowns >= t.amount;
    case K::NoRestarts:
        return c.restarts == 0;
    case K::Discipline:
        return t.amount >= 0 && t.amount < TIER_COUNT &&
               hasDiscipline(c, static_cast<Tier>(t.amount), t.extra);
    case K::DisciplinesAtMost:
        return t.amount >= 0 && t.amount < TIER_COUNT &&
               knownCount(c, static_cast<Tier>(t.amount)) <= t.extra;
    case K::LongestFightAtMost:
        return std::all_of(c.battleLog.begin(), c.battleLog.end(), [&](const BattleLogEntry& e) {
            return e.book != t.book || roundsFought(e) <= t.amount;
        });
    case K::UnarmedFight:
        return std::any_of(c.battleLog.begin(), c.battleLog.end(), [&](const BattleLogEntry& e) {
            return e.book == t.book && roundsFought(e) > 0 &&
                   std::all_of(e.rounds.begin(), e.rounds.end(), [](const BattleLogRound& r) {
                       return r.randomNumber < 0 || r.weaponId == -2;
                   });
        });
    case K::MealsAtLeast:
        return c.mealsEaten >= t.amount;
    case K::SeriesComplete:
        return seriesComplete(c, t.amount);
    case K::Never:
        return false;
    }
    return false;
}

bool awardRuleHolds(const AwardDefinition& a, const GameState& g, const Catalogues& cat,
                    const Profile& profile) {
    if (a.difficulty <= 0 || a.tests.empty()) return false;
    if (a.book != 0 && !awardBookPlayed(g, a.book)) return false;
    if (a.rulesRestricted && !rulesMeetDemand(classifyRules(g.rules), a.rulesRequirement))
        return false;
    return std::all_of(a.tests.begin(), a.tests.end(),
                       [&](const AwardTest& t) { return awardTestHolds(t, g, cat, profile); });
}

bool checkAwards(GameState& g, const Catalogues& cat) {
    Profile* p = activeProfile(g);
    if (!p) return false;
    bool any = false;
    for (int pass = 0; pass < 2; ++pass) {
        for (AwardEntry& e : p->awards) {
            if (e.earned) continue;
            const AwardDefinition* a = findAward(cat.awards, e.id);
            if (!a || !awardRuleHolds(*a, g, cat, *p)) continue;
            any = earn(g, cat, *p, e.id) || any;
        }
    }
    return any;
}

bool grantSectionAward(GameState& g, const Catalogues& cat, int id) {
    Profile* p = activeProfile(g);
    if (!p) return false;
    bool any = earn(g, cat, *p, id);
    struct Collection {
        int award;
        std::vector<int> parts;
    };
    static const Collection COLLECTIONS[] = {
        {111, {69, 106, 102, 93, 87}},
        {169, {130, 140, 147, 155, 162, 122, 127}},
    };
    for (const Collection& col : COLLECTIONS) {
        const bool all = std::all_of(col.parts.begin(), col.parts.end(),
                                     [&](int part) { return awardEarned(*p, part); });
        if (all) any = earn(g, cat, *p, col.award) || any;
    }
    return any;
}

std::string awardNoticeText(const std::vector<std::string>& titles) {
    std::string text = "Congratulations!`You have earned the following award(s):`";
    for (const std::string& t : titles)
        text += "`" + t;
    text += "``(Click this medal to clear this notification.`You can see the details of your "
            "new awards`by viewing the appropriate page in your action chart.)";
    return text;
}

void clearNewAwards(Profile& profile) {
    for (AwardEntry& e : profile.awards)
        e.isNew = false;
}

int qualifyForHallOfFame(const Character& c, const RuleOptions& rules) {
    // The same check the saves make of a campaign record.
    return seriesCompletionCheck(c, rules);
}
