#include "script/section_change.h"

#include "app/game_state.h"
#include "character/character.h"
#include "character/inventory.h"
#include "character/scores.h"

#include <algorithm>

SectionLeft leaveSection(GameState& g) {
    SectionLeft left;
    left.hadCombat = g.rulesState.sectionHadCombat || g.combat.started;
    left.hurt = g.character.epCur < g.rulesState.sectionStartEp;
    RulesState& s = g.rulesState;
    // What was armed or limited on that page does not follow the hero; open
    // questions (a Meal asked for on the way out) still wait for their answer.
    s.armedButtons.clear();
    s.equipBook = s.equipSection = s.equipRound = -1;
    s.shieldPendingRound = -1;
    s.mealSituation = 0;
    s.mealsExpected = g.character.mealsEaten;
    for (const RulesPrompt& p : s.prompts)
        if (p.kind == PromptKind::Meal) ++s.mealsExpected;
    s.deathAsked = false;
    s.roundWanted = false; // a round asked for on the way out is not fought
    return left;
}

void arriveInSection(GameState& g, const Catalogues& cat, int section, const SectionLeft& left) {
    Character& c = g.character;
    RulesState& s = g.rulesState;
    c.onSection = section;
    c.travelLog.push_back({c.onBook, section});

    if (s.heroActive) {
        SectionHealingContext heal;
        heal.hadCombat = left.hadCombat;
        heal.noAutoHeal = g.section.noAutoHeal;
        // Wounded on the way here, or a fight waiting: no time to rest.
        heal.combatSituation = left.hurt || !g.combat.enemies.empty();
        sectionHealing(c, g.rules, heal);
    }

    if (g.section.losingBackpack && c.haveBackpack) {
        for (Item& it : c.backpackItems) {
            it.equipped = false;
            c.lostItems.push_back(it);
        }
        c.backpackItems.clear();
        c.haveBackpack = false;
        c.lostBackpack = true;
    }
    for (int i = 0; i < std::min(g.section.mustEatNum, 10); ++i) offerMeal(g, cat, 0);

    s.sectionStartEp = c.epCur;
    s.sectionHadCombat = false;
    ++s.pageRevision;
}

bool checkDeath(GameState& g) {
    RulesState& s = g.rulesState;
    if (s.deathAsked || !s.heroActive || g.character.epCur > 0 || !g.section.deadOnZeroEp) return false;
    s.deathAsked = true;
    ScreenRequest r;
    r.kind = ScreenKind::Window;
    r.value = RULES_DEATH_WINDOW;
    s.screens.push_back(r);
    return true;
}

namespace {

// From the third series on, a hero who finished the whole second series with
// his old scores holds every one of its Disciplines; one who re-rolled his
// scores forfeited them (the GM_STATS_TRANSFER: choice).
void settleDravicDisciplines(Character& c) {
    if (c.onBookSeries != TIER_GRAND_MASTER) return;
    const int count = disciplineCount(TIER_DRAVIC);
    if (c.gmRerollStats) {
        for (int id = 0; id < count; ++id)
            if (hasDiscipline(c, TIER_DRAVIC, id)) forgetDiscipline(c, TIER_DRAVIC, id);
    } else if (c.dravicBooksCompleted >= 7) { // 3 Disciplines to start, one per book: all ten
        for (int id = 0; id < count; ++id)
            if (!hasDiscipline(c, TIER_DRAVIC, id)) learnDiscipline(c, TIER_DRAVIC, id);
    }
}

// The item that belongs to the second series only does not cross into the
// third while the character's flag (warmarn) says so.
void dropDravicOnlyItems(GameState& g) {
    Character& c = g.character;
    if (c.onBook < 13 || !c.warmarn) return;
    for (int l = LIST_WEAPONS; l <= LIST_SPECIAL; ++l) {
        std::vector<Item>& list = *carriedList(c, l);
        for (size_t i = list.size(); i-- > 0;)
            if (list[i].id == ITEM_ID_DRAVIC_ONLY) removeItemAt(g, l, static_cast<int>(i));
    }
}

} // namespace

void runFrameRules(GameState& g, const Catalogues&) {
    Character& c = g.character;
    // Entering the third tier: the Grand Master Disciplines still to choose.
    if (c.onBook == 13 && !c.completedOpeningSection)
        c.disciplinesToChoose = std::max(0, 4 - knownCount(c, TIER_GRAND_MASTER));
    settleDravicDisciplines(c);
    dropDravicOnlyItems(g);
    // A combat under way marks the section as one with a fight (no healing on leaving it).
    if (g.combat.started) g.rulesState.sectionHadCombat = true;
    checkDeath(g);
}

void handPendingToInventory(GameState& g, const Catalogues& cat) {
    if (g.pendingItem >= 0) {
        canTakeById(g, cat, g.pendingItem);
        g.pendingItem = -1;
    }
    if (g.pendingCoins >= 1) {
        int excess = 0;
        addCoins(g, cat, g.pendingCoins, CURRENCY_CROWNS, excess);
        g.pendingCoins = 0;
    }
}
