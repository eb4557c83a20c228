#include "app/game_state.h"
#include "character/character.h"
#include "character/inventory.h"
#include "script/section_change.h"

#include <gtest/gtest.h>

namespace {

struct SectionChangeTest : ::testing::Test {
    GameState g;
    Catalogues cat;
    void SetUp() override {
        Character& c = g.character;
        c.epMax = 20;
        c.epCur = 17;
        c.damageFromCombat = 3;
        learnDiscipline(c, TIER_VAEL, DISC_HEALING);
        g.rulesState.heroActive = true;
        g.rulesState.sectionStartEp = 17;
        for (int i = 0; i < 20; ++i) {
            Item it;
            it.id = i;
            cat.items.push_back(it);
        }
    }
    void turnTo(int section) { arriveInSection(g, cat, section, leaveSection(g)); }
};

} // namespace

TEST_F(SectionChangeTest, TravelLogAndHealingBetweenQuietSections) {
    turnTo(12);
    EXPECT_EQ(g.character.onSection, 12);
    ASSERT_EQ(g.character.travelLog.size(), 1u);
    EXPECT_EQ(g.character.travelLog[0], std::make_pair(1, 12));
    EXPECT_EQ(g.character.epCur, 18);
    EXPECT_EQ(g.character.damageFromCombat, 2);

    g.combat.started = true; // a fight here: no healing on leaving
    turnTo(13);
    EXPECT_EQ(g.character.epCur, 18);
    g.combat = CombatRecord();
    g.section.noAutoHeal = true;
    turnTo(14);
    EXPECT_EQ(g.character.epCur, 18);
    g.section.noAutoHeal = false;
    g.character.epCur = 16; // hurt in the section left
    turnTo(15);
    EXPECT_EQ(g.character.epCur, 16);
    turnTo(16);
    EXPECT_EQ(g.character.epCur, 17);
    g.rulesState.heroActive = false; // the opening pages heal nobody
    turnTo(17);
    EXPECT_EQ(g.character.epCur, 17);
    EXPECT_EQ(g.character.travelLog.size(), 6u);
}

TEST_F(SectionChangeTest, MealsDemandedAndTheBackpackTaken) {
    Item meal;
    meal.id = 11;
    meal.name = "Meal";
    meal.meal = true;
    g.character.backpackItems = {meal, meal};
    g.section.mustEatNum = 2;
    turnTo(20);
    ASSERT_EQ(g.messages.pending.size(), 2u);
    EXPECT_EQ(g.messages.pending[0].choices[1], "Eat a Meal");
    EXPECT_EQ(g.rulesState.prompts.size(), 2u);

    g.messages.pending.clear();
    g.section.mustEatNum = 0;
    g.section.losingBackpack = true;
    turnTo(21);
    EXPECT_FALSE(g.character.haveBackpack);
    EXPECT_TRUE(g.character.lostBackpack);
    EXPECT_TRUE(g.character.backpackItems.empty());
    EXPECT_EQ(g.character.lostItems.size(), 2u);
}

TEST_F(SectionChangeTest, DeathIsAskedForOncePerSection) {
    g.character.epCur = 0;
    g.section.deadOnZeroEp = false;
    EXPECT_FALSE(checkDeath(g));
    g.section.deadOnZeroEp = true;
    EXPECT_TRUE(checkDeath(g));
    EXPECT_FALSE(checkDeath(g));
    ASSERT_EQ(g.rulesState.screens.size(), 1u);
    EXPECT_EQ(g.rulesState.screens[0].value, RULES_DEATH_WINDOW);
    turnTo(30);
    EXPECT_TRUE(checkDeath(g));
}

TEST_F(SectionChangeTest, PendingItemAndCoinsReachTheInventory) {
    g.pendingItem = 5;
    g.pendingCoins = 7;
    handPendingToInventory(g, cat);
    EXPECT_EQ(g.character.backpackItems.size(), 1u);
    EXPECT_EQ(g.character.goldCrowns, 7);
    EXPECT_EQ(g.character.lune, 0);
    EXPECT_EQ(g.pendingItem, -1);
    EXPECT_EQ(g.pendingCoins, 0);
    g.character.onBook = 13;
    runFrameRules(g, cat);
    EXPECT_EQ(g.character.disciplinesToChoose, 4);
}
