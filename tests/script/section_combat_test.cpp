// The section's combat as the buttons drive it, and the rules that live
// between the inventory and the section change: ENDURANCE that comes and goes
// with an item, the third series' frame rules, unknown types.
#include "app/game_state.h"
#include "character/character.h"
#include "character/inventory.h"
#include "script/section_change.h"
#include "script/section_combat.h"
#include "script/section_runtime.h"

#include <gtest/gtest.h>

namespace {

Effect effect(int type, int v, int known = 1) {
    Effect e;
    e.type.typeId = type;
    e.type.known = known != 0;
    e.value = v;
    return e;
}

SectionButton button(int id, std::vector<Effect> effects, const std::string& tip = "") {
    SectionButton b;
    b.id = id;
    b.effects = std::move(effects);
    b.tooltip = tip;
    return b;
}

struct SectionCombatTest : ::testing::Test {
    GameState g;
    Catalogues cat;
    void SetUp() override {
        Character& c = g.character;
        c.csBase = 15;
        c.epMax = c.epCur = 20;
        g.rulesState.heroActive = true;
        fallbackGrid(g.randomTable); // a pick reads its row: every number is knowable
        g.randomTable.book = c.onBook;
        // Every cell: the enemy loses 4, the hero 3.
        for (auto& column : cat.combatTable.enemyLoss)
            for (int& v : column)
                v = 4;
        for (auto& column : cat.combatTable.heroLoss)
            for (int& v : column)
                v = 3;
        EnemyRecord enemy;
        enemy.name = "Ghoul";
        enemy.cs = 12;
        enemy.ep = 7;
        enemy.epButtonId = 1;
        g.combat.enemies = {enemy};
        g.section.buttons = {button(1, {}),
                             button(2, {effect(32, 0), effect(3, 0)}, "Fight a round"),
                             button(3, {effect(33, 77)}, "Run")};
        g.section.buttons[1].effects[1].idToAffect = 1; // would set button 1 to 0
    }
    SectionButton& b(int id) { return *pageButton(g, id); }
    RoundOutcome round() {
        bool evade = false;
        EXPECT_TRUE(takeCombatRound(g, evade));
        return playCombatRound(g, cat, evade);
    }
};

} // namespace

TEST_F(SectionCombatTest, FightButtonAsksForOneRoundAndStopsItsWalk) {
    b(1).value = 55;
    pressButton(b(2), g, cat);
    EXPECT_TRUE(g.rulesState.roundWanted);
    EXPECT_FALSE(g.rulesState.roundEvade);
    EXPECT_EQ(b(1).value, 55);                     // the effect after the fight did not run
    EXPECT_FALSE(requestCombatRound(g, 2, false)); // one at a time
    bool evade = true;
    ASSERT_TRUE(takeCombatRound(g, evade));
    EXPECT_FALSE(evade);
    EXPECT_FALSE(takeCombatRound(g, evade));

    g.character.epCur = 0; // a fallen hero fights no more
    EXPECT_FALSE(requestCombatRound(g, 2, false));
    g.character.epCur = 20;
    g.combat.won = true;
    EXPECT_FALSE(requestCombatRound(g, 2, false));
    g.combat.won = false;
    g.combat.enemies.clear();
    pressButton(b(2), g, cat);
    EXPECT_FALSE(g.rulesState.roundWanted);
}

TEST_F(SectionCombatTest, RoundsReportOnTheirButtonAndEndInVictory) {
    pressButton(b(2), g, cat);
    RoundOutcome first = round();
    EXPECT_EQ(first.heroLoss, 3);
    EXPECT_EQ(g.character.epCur, 17);
    EXPECT_EQ(b(1).value, 3); // the enemy's ENDURANCE button
    EXPECT_EQ(b(2).tooltip, "Fight a round``You have fought 1 round(s) of combat");
    EXPECT_TRUE(g.rulesState.sectionHadCombat);
    pressButton(b(2), g, cat);
    RoundOutcome second = round();
    EXPECT_TRUE(second.won);
    EXPECT_EQ(second.enemyLoss, 3); // capped at what the enemy had left
    // The last report replaces the one before.
    EXPECT_EQ(b(2).tooltip, "Fight a round``You have won the combat in 2 round(s)");
    pressButton(b(2), g, cat);
    EXPECT_FALSE(g.rulesState.roundWanted);
}

TEST_F(SectionCombatTest, EvasionTurnsThePageOnlyWhileTheHeroStands) {
    pressButton(b(3), g, cat);
    EXPECT_TRUE(g.rulesState.roundEvade);
    RoundOutcome out = round();
    EXPECT_EQ(out.enemyLoss, 0); // evading never hurts the enemy
    EXPECT_EQ(g.character.epCur, 17);
    EXPECT_EQ(g.pendingSection, 77);

    // Under special kind 3 a hurt hero cannot get away.
    g.pendingSection = 0;
    g.combat = CombatRecord();
    g.combat.enemies = {EnemyRecord()};
    g.combat.enemies[0].ep = 10;
    g.combat.enemies[0].cs = 10;
    g.combat.specialType = SPECIAL_EVADE_UNHURT;
    pressButton(b(3), g, cat);
    round();
    EXPECT_EQ(g.pendingSection, 0);

    // Falling in the evading round: no escape, and the death window.
    g.combat = CombatRecord();
    g.combat.enemies = {EnemyRecord()};
    g.combat.enemies[0].ep = 10;
    g.character.epCur = 2;
    g.section.deadOnZeroEp = true;
    pressButton(b(3), g, cat);
    RoundOutcome fallen = round();
    EXPECT_TRUE(fallen.defeated);
    EXPECT_EQ(g.character.epCur, 0);
    EXPECT_EQ(g.pendingSection, 0);
    ASSERT_EQ(g.rulesState.screens.size(), 1u);
    EXPECT_EQ(g.rulesState.screens[0].value, RULES_DEATH_WINDOW);
    EXPECT_EQ(playCombatRound(g, cat, false).heroLoss, 0); // no round for the dead
}

TEST_F(SectionCombatTest, ItemEnduranceComesAndGoesWithTheItem) {
    Item jerkin;
    jerkin.id = 7;
    jerkin.name = "Jerkin";
    jerkin.type = ITEM_SPECIAL;
    for (ItemBonus& block : jerkin.bonuses)
        block.epBonus = 3;
    Character& c = g.character;
    c.epCur = 18;
    ASSERT_TRUE(canTake(g, jerkin));
    EXPECT_EQ(c.epMax, 23);
    EXPECT_EQ(c.epCur, 21);
    ASSERT_TRUE(depositItem(g, LIST_SPECIAL, 0));
    EXPECT_EQ(c.epMax, 20);
    EXPECT_EQ(c.epCur, 20); // kept within the maximum
    ASSERT_TRUE(withdrawItem(g, 0));
    EXPECT_EQ(c.epMax, 23);
    ASSERT_TRUE(discardItem(g, LIST_SPECIAL, 0));
    EXPECT_EQ(c.epMax, 20);
    // Half of it under ARMOR_RULES: 2, none under 1 (it goes to COMBAT SKILL).
    g.rules.armorRules = 2;
    canTake(g, jerkin);
    EXPECT_EQ(c.epMax, 21);
    g.section.buttons = {button(9, {effect(17, 7)})};
    g.section.buttons[0].effects[0].value2 = 1; // the text takes item 7
    pressButton(g.section.buttons[0], g, cat);
    EXPECT_EQ(c.epMax, 20);
    ASSERT_EQ(c.lostItems.size(), 1u);
    g.rules.armorRules = 1;
    canTake(g, jerkin);
    EXPECT_EQ(c.epMax, 20);
}

TEST_F(SectionCombatTest, ThirdSeriesFrameRules) {
    Character& c = g.character;
    c.onBook = 13;
    c.onBookSeries = TIER_GRAND_MASTER;
    c.dravicBooksCompleted = 7;
    learnDiscipline(c, TIER_DRAVIC, 2);
    Item onlyDravic;
    onlyDravic.id = ITEM_ID_DRAVIC_ONLY;
    onlyDravic.type = ITEM_SPECIAL;
    c.specialItems = {onlyDravic};
    c.warmarn = false; // the flag that keeps it
    runFrameRules(g, cat);
    EXPECT_EQ(knownCount(c, TIER_DRAVIC), disciplineCount(TIER_DRAVIC));
    EXPECT_EQ(c.specialItems.size(), 1u);
    c.warmarn = true;
    runFrameRules(g, cat);
    EXPECT_TRUE(c.specialItems.empty());
    c.gmRerollStats = true; // re-rolled: the second series' Disciplines are forfeit
    runFrameRules(g, cat);
    EXPECT_EQ(knownCount(c, TIER_DRAVIC), 0);
    // Before the third series nothing changes.
    c.gmRerollStats = false;
    c.onBook = 12;
    c.onBookSeries = TIER_DRAVIC;
    c.specialItems = {onlyDravic};
    runFrameRules(g, cat);
    EXPECT_EQ(knownCount(c, TIER_DRAVIC), 0);
    EXPECT_EQ(c.specialItems.size(), 1u);
}

TEST_F(SectionCombatTest, UnknownTypesAreSkippedAndTheRestRuns) {
    Effect unknown = effect(99, 5, 0);
    SectionButton& target = b(1);
    target.value = 1;
    Effect set = effect(3, 42);
    set.idToAffect = 1;
    g.section.buttons.push_back(button(4, {unknown, set}));
    testing::internal::CaptureStdout();
    pressButton(g.section.buttons.back(), g, cat);
    std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(b(1).value, 42);
    EXPECT_EQ(said, "Effect type 99 of button 4 in  is not defined; skipped\n");

    Condition odd;
    odd.type.typeId = 98;
    odd.type.known = false;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(evaluateConditions({odd}, g, cat));
    EXPECT_TRUE(evaluateConditions({odd}, g, cat));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Condition type 98 in  is not defined; skipped\n");
}
