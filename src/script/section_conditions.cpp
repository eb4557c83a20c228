// The condition dispatcher: one case per condition type, each saying in game
// terms what it asks.
#include "app/game_state.h"
#include "character/character.h"
#include "character/inventory.h"
#include "character/scores.h"
#include "script/save_effects.h"
#include "script/section_runtime.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

// A condition that needs a button the page lacks: the whole list is false.
struct MissingButton {};

int buttonValue(const GameState& g, int id) {
    const SectionButton* b = pageButton(g, id);
    if (!b) throw MissingButton{};
    return b->value;
}

// The Action Chart's counters that conditions and effects read by number.
// 2 is the per-campaign counter, which sections see capped at 7.
int chartCounter(const Character& c, int index) {
    switch (index) {
    case 0:
        return c.disciplinesToChoose;
    case 1:
        return c.weaponmasteryToChoose;
    case 2:
        return std::min(c.hcLeft, 7);
    case 3:
        return c.grandWeaponmasteryToChoose;
    default:
        return 0;
    }
}

std::vector<std::string> splitList(const std::string& text) {
    // Entries are separated by a comma and a space; a bare comma will do too.
    std::vector<std::string> out;
    std::string cur;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ',') {
            size_t b = cur.find_first_not_of(' ');
            size_t e = cur.find_last_not_of(' ');
            if (b != std::string::npos) out.push_back(cur.substr(b, e - b + 1));
            cur.clear();
        } else {
            cur += text[i];
        }
    }
    return out;
}

const EnemyRecord* currentEnemy(const GameState& g) {
    const CombatRecord& f = g.combat;
    if (f.currentEnemy < 0 || f.currentEnemy >= static_cast<int>(f.enemies.size())) return nullptr;
    return &f.enemies[static_cast<size_t>(f.currentEnemy)];
}

bool enemyHasKind(const GameState& g, const std::string& kind) {
    const EnemyRecord* e = currentEnemy(g);
    if (!e) return false;
    std::vector<std::string> kinds = splitList(e->descriptor);
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

bool inArchery(const GameState& g) {
    return g.character.onBook == 6 && g.character.onSection == 26 && g.combat.started;
}

// Where an item sits, for the inventory tests: 0 carried anywhere, 1 weapons,
// 2 Backpack, 3 Special Items, 4 storage, 5 lost items, 6 carried and equipped.
template <typename Match>
bool itemIn(const Character& c, int place, Match match) {
    auto any = [&](const std::vector<Item>& list, bool equipped) {
        for (const Item& it : list)
            if (match(it) && (!equipped || it.equipped)) return true;
        return false;
    };
    switch (place) {
    case 1:
        return any(c.weapons, false);
    case 2:
        return any(c.backpackItems, false);
    case 3:
        return any(c.specialItems, false);
    case 4:
        return any(c.storageItems, false);
    case 5:
        return any(c.lostItems, false);
    case 6:
        return any(c.weapons, true) || any(c.specialItems, true) || any(c.backpackItems, true);
    default:
        return any(c.weapons, false) || any(c.backpackItems, false) || any(c.specialItems, false);
    }
}

// Currencies and counts of condition type 12, by kind.
int countOfKind(const Character& c, int kind) {
    switch (kind) {
    case 0:
        return c.goldCrowns;
    case 1:
        return c.lune;
    case 2:
        return c.kika;
    case 3:
        return beltPouchWorth(c);
    case 4:
        return mealCount(c);
    case 5:
        return static_cast<int>(c.backpackItems.size());
    case 6:
        return static_cast<int>(c.specialItems.size());
    case 7:
        return static_cast<int>(c.weapons.size());
    case 8:
        return c.storageCrowns;
    case 9:
        return c.storageLune;
    case 10:
        return c.storageKika;
    default:
        return 0;
    }
}

int freePlaces(const GameState& g, int kind) {
    const Character& c = g.character;
    int weapons = std::max(0, 2 - static_cast<int>(c.weapons.size()));
    int backpack = c.haveBackpack ? std::max(0, backpackCapacity(c) - backpackSpaceUsed(c)) : 0;
    int special = specialItemLimitApplies(c, g.rules) ? std::max(0, SPECIAL_ITEM_LIMIT - specialItemSpaceUsed(c))
                                                      : SPECIAL_ITEM_LIMIT;
    switch (kind) {
    case 1:
        return weapons;
    case 2:
        return backpack;
    case 3:
        return special;
    default:
        return weapons + backpack + special;
    }
}

// The lists that condition type 56 compares, by number.
int chartListSize(const Character& c, int list) {
    switch (list) {
    case 0:
        return static_cast<int>(c.weapons.size());
    case 1:
        return static_cast<int>(c.backpackItems.size());
    case 2:
        return static_cast<int>(c.specialItems.size());
    case 3:
        return static_cast<int>(c.storageItems.size());
    case 4:
        return static_cast<int>(c.lostItems.size());
    case 5:
        return static_cast<int>(c.notes.size());
    case 6:
        return static_cast<int>(c.disease.size());
    default:
        return 0;
    }
}

FightContext fightContext(const GameState& g) {
    FightContext f;
    f.specialType = g.combat.specialType;
    f.unarmed = g.combat.unarmed != 0;
    if (const EnemyRecord* e = currentEnemy(g)) {
        f.immuneMindblast = e->immuneToMindblast;
        f.immunePsiSurge = e->immuneToPsiSurge;
        f.immuneVaelSurge = e->immuneToVaelSurge;
        f.enemyDescriptor = e->descriptor;
        f.enemyNumber = g.combat.currentEnemy + 1;
    }
    return f;
}

bool weaponSkillMatches(const Character& c, const Item& it) {
    Tier t = c.onBookSeries;
    if (!hasDiscipline(c, t, DISC_WEAPONSKILL) || it.weaponType < 0 || it.weaponType >= WEAPON_TYPE_COUNT)
        return false;
    const auto& in = t == TIER_VAEL ? c.weaponskillIn : t == TIER_DRAVIC ? c.weaponmasteryIn : c.grandWeaponmasteryIn;
    return in[static_cast<size_t>(it.weaponType)];
}

bool heldWeaponMatches(const Character& c, bool (*fits)(const Character&, const Item&)) {
    for (const Item& w : c.weapons)
        if (w.equipped && fits(c, w)) return true;
    for (const Item& s : c.specialItems)
        if (s.equipped && s.subType == SUB_WEAPON_LIKE && fits(c, s)) return true;
    return false;
}

// A readied weapon that the rules let wound a Helghast: one whose bonus or
// damage lists name the kind.
bool harmsHelghast(const Character&, const Item& it) {
    for (const ItemBonus& b : it.bonuses) {
        if (std::find(b.bonusAgainsts.begin(), b.bonusAgainsts.end(), "Helghast") != b.bonusAgainsts.end() ||
            std::find(b.multiplyAgainsts.begin(), b.multiplyAgainsts.end(), "Helghast") != b.multiplyAgainsts.end())
            return true;
    }
    return it.id == ITEM_ID_SUNBLADE;
}

bool disciplineOfTier(const Character& c, int tier, int id) {
    if (tier == TIER_DRAVIC && id >= 10) return false;
    return hasDiscipline(c, tier, id);
}

// The raw result of one condition, before its secondary and REVERSE.
bool rawResult(const Condition& cond, const GameState& g, const Catalogues& cat) {
    const Character& c = g.character;
    const int v = cond.value;
    const int n = cond.idToCheck;
    const std::string& eq = cond.equation;
    switch (cond.type.typeId) {
    case 1: // a button's value against v
        return compareByEquation(buttonValue(g, n), eq, v);
    case 2: // a button's value against another button's value
        return compareByEquation(buttonValue(g, n), eq, buttonValue(g, v));
    case 3: { // a button's colour state
        const SectionButton* b = pageButton(g, n);
        if (!b) throw MissingButton{};
        return b->colour == v;
    }
    case 4: // every Discipline has been chosen
        return chartCounter(c, 0) == 0;
    case 5: // knows Discipline v of tier n
        return disciplineOfTier(c, n, v);
    case 6: { // rank within the current tier
        Tier t = c.onBookSeries;
        return knownCount(c, t) >= v - rankBase(t);
    }
    case 7: { // the weapon-skill Discipline of tier n with weapon kind v
        if (v < 0 || v >= WEAPON_TYPE_COUNT || !hasDiscipline(c, n, DISC_WEAPONSKILL)) return false;
        const auto& in = n == TIER_VAEL ? c.weaponskillIn : n == TIER_DRAVIC ? c.weaponmasteryIn : c.grandWeaponmasteryIn;
        return in[static_cast<size_t>(v)];
    }
    case 8: { // a statistic
        int q = n == 0 ? (inArchery(g) ? c.archeryRealEp : c.epCur) : n == 1 ? c.epMax : chartCounter(c, 2);
        return compareByEquation(q, eq, v);
    }
    case 9: // carries item v (or, with n set and v below 1, anything at all)
        if (n != 0 && v < 1) return !c.weapons.empty() || !c.backpackItems.empty() || !c.specialItems.empty();
        return carriesItem(c, v);
    case 10: { // an item named by the equation field, in place n
        bool byName = !eq.empty() && eq != "<" && eq != "<=" && eq != "==" && eq != ">=" && eq != ">";
        return itemIn(c, n, [&](const Item& it) { return byName ? it.name == eq : it.id == v; });
    }
    case 11: // item v in place n
        return itemIn(c, n, [&](const Item& it) { return it.id == v; });
    case 12: // a currency or count
        return compareByEquation(countOfKind(c, n), eq, v);
    case 13: // never
        return false;
    case 14: // weapons still to pick for Weaponmastery
        return chartCounter(c, 1) >= (v == 0 ? 1 : v);
    case 15: { // free places
        int free = freePlaces(g, n);
        if (v < 0) return free > buttonValue(g, -v);
        return free > (v > 0 ? v - 1 : 0);
    }
    case 16: { // visited a pair of list v
        for (const auto& pair : visitList(v))
            if (travelLogContains(c, pair.first, pair.second)) return true;
        return false;
    }
    case 17: // the opening section is done
        return c.completedOpeningSection;
    case 18: // a weapon-skill Discipline and a weapon to match in hand
        return heldWeaponMatches(c, weaponSkillMatches);
    case 19: // the combat has started
        return g.combat.started;
    case 20: // rounds finished
        return g.combat.roundsFinished >= (v == 0 ? buttonValue(g, n) : v);
    case 21: // the combat is won
        return g.combat.won;
    case 22: // the hero was hurt in this combat
        return g.combat.heroEpLost > 0;
    case 23: // the section being read
        return c.onSection == v;
    case 24: // a flag of the book's record
        return bookRecordFlagHolds(g, v);
    case 25: // an Action Chart flag by number
        return chartFlag(c, v);
    case 26: // a fixed game-state test
        return stateTest(g, cat, v);
    case 27: { // COMBAT SKILL
        int cs;
        if (n == -1) {
            cs = g.combat.heroCombatSkill;
        } else if (n != 0) {
            FightContext f = fightContext(g);
            cs = effectiveCombatSkill(c, g.rules, &f);
        } else {
            cs = effectiveCombatSkill(c, g.rules, nullptr);
        }
        return compareByEquation(cs, eq, v);
    }
    case 28: { // the enemy resists a psychic attack
        const EnemyRecord* e = currentEnemy(g);
        bool immune = e && (v == 0 ? e->immuneToMindblast : v == 1 ? e->immuneToPsiSurge : e->immuneToVaelSurge);
        return n != 0 ? !immune : immune;
    }
    case 29: { // the enemy is of a kind in the list
        const EnemyRecord* e = currentEnemy(g);
        if (!e) return false;
        std::vector<std::string> mine = splitList(e->descriptor);
        for (const std::string& k : splitList(eq))
            if (std::find(mine.begin(), mine.end(), k) != mine.end()) return true;
        return false;
    }
    case 30: // a list of the combat is empty: 0 enemies, 1 modifiers
        return v == 1 ? g.combat.modifiers.empty() : g.combat.enemies.empty();
    case 31: // never
        return false;
    case 32: { // Fireseeds against button n
        int seeds = 0;
        for (const Item& it : c.specialItems)
            if (it.archetype == "Fireseed") seeds += it.uses;
        return compareByEquation(seeds, eq, buttonValue(g, n));
    }
    case 33: // fewer rounds than v
        return g.combat.roundsFinished < v;
    case 34: // a Helghast can be harmed
        return !enemyHasKind(g, "Helghast") || heldWeaponMatches(c, harmsHelghast);
    case 35: // a lasting condition
        return std::find(c.disease.begin(), c.disease.end(), v) != c.disease.end();
    case 36: // Disciplines still to choose
        return compareByEquation(c.disciplinesToChoose, eq, v);
    case 37: // the starting scores have been set
        return c.csInitial != 0 || c.epInitial != 0;
    case 38: // one of four flags of the hero
        switch (v) {
        case 1:
            return c.usedMegaCuring;
        case 2:
            return c.usedMegaDeliverance;
        case 3:
            return c.usedAdgana;
        case 4:
            return c.usedAdganaThisBook;
        default:
            return false;
        }
    case 39: // a counter
        return compareByEquation(chartCounter(c, n), eq, v);
    case 40: { // the enemy is susceptible to a psychic attack
        const EnemyRecord* e = currentEnemy(g);
        return e && (v == 0 ? e->susceptibleToMindblast : v == 1 ? e->susceptibleToPsiSurge : e->susceptibleToVaelSurge);
    }
    case 41: // the rank title flag (toggled by effect 59)
        return v != 0 ? !c.warmarn : c.warmarn;
    case 42: // one of two flags set by effect 58
        return v != 0 ? c.emptyPouchStartBook12 : c.hasSunbladeAfterBook3;
    case 43: { // arrows in the quivers against button n
        int arrows = 0;
        for (const Item& it : c.specialItems)
            if (it.archetype == "Quiver") arrows += it.uses;
        return compareByEquation(arrows, eq, buttonValue(g, n));
    }
    case 44: // ENDURANCE above v
        return (inArchery(g) ? c.archeryRealEp : c.epCur) > v;
    case 48: // a rule of the section, by n
        switch (n) {
        case 1:
            return g.section.noAutoHeal;
        case 2:
            return g.section.deadOnZeroEp;
        case 3:
            return g.section.losingBackpack;
        case 4:
            return g.section.preventEquipping;
        case 5:
            return g.section.mustEatNum > 0;
        default:
            return true;
        }
    case 52: // always
        return true;
    case 53: // hurt in the last round
        return g.combat.heroLoss >= 1;
    case 54: { // a Darklord can be faced
        if (!enemyHasKind(g, "Darklord")) return true;
        for (const Item& it : c.specialItems)
            if (it.equipped && (it.id == ITEM_ID_SUNBLADE || it.id == 236 || it.id == 90)) return true;
        return false;
    }
    case 55: // the psychic-attack choices
        return n == 0 ? c.usingVaelBlast : n == 1 ? c.usingVaelRay : c.usedVaelRay;
    case 56: { // one list at least as long as another, and not empty
        int a = chartListSize(c, n);
        return a > 0 && a >= chartListSize(c, v);
    }
    default:
        printf("Condition type %d is not known to the rules\n", cond.type.typeId);
        return false;
    }
}

// One condition with its secondary chain joined in and REVERSE applied.
bool conditionResult(const Condition& cond, const GameState& g, const Catalogues& cat, int depth) {
    bool r = rawResult(cond, g, cat);
    if (cond.secondary && depth < MAX_CONDITION_DEPTH) {
        // The secondary counts as a list of one: a SINGULAR one that fails
        // leaves that list true, one that holds gives the inverse of its REVERSE.
        const Condition& s2 = *cond.secondary;
        bool second = conditionResult(s2, g, cat, depth + 1);
        if (s2.singular) second = second ? !s2.reverse : true;
        r = r && second;
    }
    if (cond.reverse && !cond.singular) r = !r;
    return r;
}

} // namespace

bool* chartFlagField(Character& c, int index) {
    bool* flags[CHART_FLAG_COUNT] = {&c.usedMegaCuring,    &c.usedMegaDeliverance, &c.useOnlyMindblast,
                                     &c.usedAdgana,        &c.usedAdganaThisBook,  &c.hasSunbladeAfterBook3,
                                     &c.reclaiming,        &c.gmRerollStats,       &c.usingVaelBlast,
                                     &c.usingVaelRay,      &c.usedVaelRay,         &c.emptyPouchStartBook12,
                                     &c.haveBackpack,      &c.haveBeltPouch,       &c.lostBackpack,
                                     &c.lostBeltPouch,     &c.completedOpeningSection, &c.warmarn};
    if (index < 0 || index >= CHART_FLAG_COUNT) return nullptr;
    return flags[index];
}

bool chartFlag(const Character& c, int index) {
    const bool* f = chartFlagField(const_cast<Character&>(c), index);
    return f && *f;
}

bool compareByEquation(int q, const std::string& equation, int v) {
    if (equation == "<") return q < v;
    if (equation == "<=") return q <= v;
    if (equation == ">=") return q >= v;
    if (equation == ">") return q > v;
    return q == v;
}

bool evaluateConditions(const std::vector<Condition>& list, const GameState& g, const Catalogues& cat) {
    bool result = true;
    const Condition* singularHeld = nullptr;
    try {
        for (const Condition& cond : list) {
            if (!cond.type.known) { // a type the definitions lack takes no part
                std::vector<int>& seen = g.rulesState.unknownConditionsReported;
                if (std::find(seen.begin(), seen.end(), cond.type.typeId) == seen.end()) {
                    seen.push_back(cond.type.typeId);
                    printf("Condition type %d in %s is not defined; skipped\n", cond.type.typeId,
                           g.section.sectionName.c_str());
                }
                continue;
            }
            bool r = conditionResult(cond, g, cat, 0);
            if (!cond.singular) {
                if (!r) result = false;
            } else if (r) {
                singularHeld = &cond;
            }
        }
    } catch (const MissingButton&) {
        return false;
    }
    if (singularHeld) return !singularHeld->reverse;
    return result;
}

bool buttonOffered(const SectionButton& button, const GameState& g, const Catalogues& cat) {
    return evaluateConditions(button.conditions, g, cat);
}

bool stateTest(const GameState& g, const Catalogues& cat, int index) {
    const Character& c = g.character;
    const RuleOptions& r = g.rules;
    switch (index) {
    case 0: // saving and loading at any time is allowed
        return r.allowMidSaves;
    case 1:
        return isByTheBook(r, false);
    case 2:
        return isHardcore(r, false);
    case 3:
        return isProdigy(r, false);
    case 4:
        return r.dualWield != 0;
    case 5:
        return r.extraStorage != 0;
    case 6:
        return c.haveBackpack;
    case 7:
        return c.haveBeltPouch;
    case 8: // the Backpack is empty
        return c.backpackItems.empty();
    case 9:
        return c.specialItems.empty();
    case 10:
        return c.weapons.empty();
    case 11: // nothing in storage
        return c.storageItems.empty() && c.storageCrowns == 0 && c.storageLune == 0 && c.storageKika == 0;
    case 12: // something may be reclaimed
        return !c.lostItems.empty() || c.lostCrowns || c.lostLune || c.lostKika || c.lostBackpack || c.lostBeltPouch;
    case 13: // any lasting condition
        return !c.disease.empty();
    case 14:
        return !c.notes.empty();
    case 15: // the hero is in play (the opening pages are done)
        return g.rulesState.heroActive;
    case 16: // no Special Item limit
        return r.limitSi == 2;
    case 17: // storage can be used directly now
        return storageOpen(g, cat);
    default:
        return false;
    }
}

namespace {

// Book/section pairs for condition type 16. Lists 0-19: the last section of
// book 1-20 (the book was finished). 20-22: a book of the first, second or
// third series was finished. 23: the events that raised the base COMBAT
// SKILL. 24-26 are the demo books': book 1 section 57 (a companion came
// along), book 1 section 342 (the ferry crossing), book 2 section 298 (the
// barge sensed from the shore). 27-35 are free for book authors.
std::vector<VisitList> buildVisitLists() {
    std::vector<VisitList> lists(VISIT_LIST_COUNT);
    for (int b = 1; b <= 20; ++b) {
        lists[static_cast<size_t>(b - 1)] = {{b, 350}};
        lists[static_cast<size_t>(b <= 5 ? 20 : b <= 12 ? 21 : 22)].push_back({b, 350});
    }
    lists[23] = {{1, 236}, {3, 55}};
    lists[24] = {{1, 57}};
    lists[25] = {{1, 342}};
    lists[26] = {{2, 298}};
    return lists;
}

} // namespace

const VisitList& visitList(int index) {
    static const std::vector<VisitList> lists = buildVisitLists();
    static const VisitList none;
    if (index < 0 || index >= VISIT_LIST_COUNT) return none;
    return lists[static_cast<size_t>(index)];
}
