#include "app/game_state.h"
#include "character/character.h"
#include "character/inventory.h"
#include "script/section_runtime.h"

#include <gtest/gtest.h>

namespace {

Condition cond(int type, int idToCheck, int value, const std::string& eq = "==", bool reverse = false,
               bool singular = false) {
    Condition c;
    c.type.typeId = type;
    c.idToCheck = idToCheck;
    c.value = value;
    c.equation = eq;
    c.reverse = reverse;
    c.singular = singular;
    return c;
}

Effect effect(int type, int a, int v, int w = 0, const std::string& s = "") {
    Effect e;
    e.type.typeId = type;
    e.idToAffect = a;
    e.value = v;
    e.value2 = w;
    e.str = s;
    return e;
}

SectionButton button(int id, int value = 0) {
    SectionButton b;
    b.id = id;
    b.value = value;
    return b;
}

struct RuntimeTest : ::testing::Test {
    GameState g;
    Catalogues cat;
    void SetUp() override {
        g.section.buttons = {button(1, 5), button(2, 10), button(3, 0)};
        g.character.epMax = 20;
        g.character.epCur = 20;
        for (int i = 0; i < 150; ++i) {
            Item it;
            it.id = i;
            it.name = "Thing " + std::to_string(i);
            cat.items.push_back(it);
        }
    }
    bool eval(const std::vector<Condition>& list) { return evaluateConditions(list, g, cat); }
    SectionButton& b(int id) { return *pageButton(g, id); }
    void press(std::vector<Effect> effects, int id = 3) {
        b(id).effects = std::move(effects);
        pressButton(b(id), g, cat);
    }
};

} // namespace

TEST_F(RuntimeTest, ConditionListsJoinByAndWithSingularAlternativesAndVetoes) {
    EXPECT_TRUE(eval({}));
    Condition holds = cond(1, 1, 5);          // button 1 is 5
    Condition fails = cond(1, 2, 3, "<");     // button 2 < 3: no
    EXPECT_TRUE(eval({holds, cond(1, 2, 10, ">=")}));
    EXPECT_FALSE(eval({holds, fails}));
    Condition alternative = cond(23, 0, 0, "==", false, true); // section 0... no
    g.character.onSection = 0;
    EXPECT_TRUE(eval({holds, fails, alternative}));
    alternative.reverse = true; // a veto
    EXPECT_FALSE(eval({holds, alternative}));
    // A SINGULAR condition that fails changes nothing.
    Condition idle = cond(23, 0, 99, "==", false, true);
    EXPECT_TRUE(eval({holds, idle}));
    EXPECT_FALSE(eval({fails, idle}));
}

TEST_F(RuntimeTest, ReverseAppliesAfterTheSecondaryIsJoined) {
    Condition c = cond(1, 1, 5, "==", true); // holds, but reversed
    c.secondary = std::make_unique<Condition>(cond(1, 2, 0)); // does not hold
    // (true AND false) reversed is true; reversing before the join would give false.
    EXPECT_TRUE(eval({c}));
    c.secondary = std::make_unique<Condition>(cond(1, 2, 10));
    EXPECT_FALSE(eval({c}));
    // The secondary is a list of one: a failing SINGULAR one leaves it true,
    // a SINGULAR and REVERSE one that holds makes it false.
    Condition alt = cond(1, 1, 5);
    alt.secondary = std::make_unique<Condition>(cond(1, 2, 0, "==", false, true));
    EXPECT_TRUE(eval({alt}));
    alt.secondary = std::make_unique<Condition>(cond(1, 2, 10, "==", true, true));
    EXPECT_FALSE(eval({alt}));
    // A secondary chain two deep.
    Condition top = cond(1, 1, 5);
    top.secondary = std::make_unique<Condition>(cond(1, 2, 10));
    top.secondary->secondary = std::make_unique<Condition>(cond(1, 3, 1));
    EXPECT_FALSE(eval({top}));
    b(3).value = 1;
    EXPECT_TRUE(eval({top}));
}

TEST_F(RuntimeTest, MissingButtonsMakeTheListFalseAndEffectsDoNothing) {
    Condition rescue = cond(52, 0, 0, "==", false, true);
    EXPECT_FALSE(eval({cond(1, 42, 0), rescue}));
    EXPECT_FALSE(eval({cond(2, 1, 42)}));
    Condition c = cond(1, 1, 5);
    c.secondary = std::make_unique<Condition>(cond(3, 42, 2));
    EXPECT_FALSE(eval({c}));
    GameState before = g;
    press({effect(3, 42, 7), effect(4, 42, 1), effect(7, 42, 0), effect(22, 42, 0), effect(12, 42, 1)});
    EXPECT_EQ(g.character.epCur, 20);
    for (size_t i = 0; i < g.section.buttons.size(); ++i) EXPECT_EQ(g.section.buttons[i].value, before.section.buttons[i].value);
    EXPECT_TRUE(g.messages.pending.empty());
}

TEST_F(RuntimeTest, ButtonValueArithmetic) {
    press({effect(4, 2, 3, 2)});
    EXPECT_EQ(b(2).value, 3); // 10 / 3 rounded down
    b(2).value = 10;
    press({effect(4, 2, 3, 3)});
    EXPECT_EQ(b(2).value, 4); // rounded up
    b(2).value = -7;
    press({effect(4, 2, 2, 2)});
    EXPECT_EQ(b(2).value, -4);
    press({effect(4, 2, 3, 1)});
    EXPECT_EQ(b(2).value, -12);
    press({effect(4, 2, 0, 2)}); // by zero: unchanged
    EXPECT_EQ(b(2).value, -12);
    b(3).value = 6;
    press({effect(3, 1, 0, 0, "this"), effect(4, 2, 0, 0, "this")});
    EXPECT_EQ(b(1).value, 6);
    EXPECT_EQ(b(2).value, -6);
    b(2).tooltip = "Counter";
    press({effect(4, 2, 1, 0, "One more")});
    EXPECT_EQ(b(2).tooltip, "Counter`One more");
}

TEST_F(RuntimeTest, EffectsRunInOrderUnderTheirConditions) {
    Effect gated = effect(3, 1, 99);
    gated.conditions = {cond(1, 2, 11)}; // button 2 is 10: skipped
    press({gated});
    EXPECT_EQ(b(1).value, 5);
    press({gated, effect(1, 0, 141), effect(3, 2, 11), gated});
    EXPECT_EQ(g.pendingSection, 141);
    EXPECT_EQ(b(1).value, 99); // the last one saw button 2 at 11
    // A negative random-number button stops the walk.
    b(3).value = -1;
    b(1).value = 0;
    press({effect(5, 0, 0), effect(3, 1, 7)});
    EXPECT_EQ(b(1).value, 0);
    ASSERT_TRUE(g.rulesState.pickWanted);
    EXPECT_EQ(g.rulesState.pick.buttonId, 3);
    PickResult picked;
    picked.number = 4;
    picked.modifierLines = {"`Modifier: +1"};
    ASSERT_TRUE(deliverPick(g, cat, picked)); // the number goes in and the walk goes on
    EXPECT_EQ(b(3).value, 4);
    EXPECT_EQ(b(3).tooltip, "`Modifier: +1");
    EXPECT_EQ(b(1).value, 7);
    EXPECT_FALSE(deliverPick(g, cat, picked));
}

TEST_F(RuntimeTest, ResultsTableAlternatesItsPage) {
    b(3).effects = {effect(32, 0, 1)};
    pressButton(b(3), g, cat);
    pressButton(b(3), g, cat);
    ASSERT_EQ(g.rulesState.screens.size(), 2u);
    EXPECT_EQ(g.rulesState.screens[0].kind, ScreenKind::ResultsTable);
    EXPECT_EQ(g.rulesState.screens[0].value, 1);
    EXPECT_EQ(g.rulesState.screens[1].value, 2);
}

TEST_F(RuntimeTest, PressingOtherButtonsAndUsingThemUp) {
    b(1).effects = {effect(4, 2, 1)};
    b(1).conditions = {cond(1, 2, 10, ">=")};
    press({effect(12, 1, 1), effect(12, 1, 1)}); // 10 -> 11 -> 12
    EXPECT_EQ(b(2).value, 12);
    b(1).conditions = {cond(1, 2, 0)}; // not offered: not pressed
    press({effect(12, 1, 1)});
    EXPECT_EQ(b(2).value, 12);
    // A ring of presses ends.
    b(1).conditions.clear();
    b(1).effects = {effect(12, 1, 1), effect(4, 2, 1)};
    pressButton(b(1), g, cat);
    EXPECT_LT(b(2).value, 100);
    // Armed: the next press is its last.
    press({effect(12, 3, 0)});
    EXPECT_EQ(b(3).colour, 2);
    b(3).effects.clear();
    pressButton(b(3), g, cat);
    EXPECT_EQ(b(3).colour, 0);
}

TEST_F(RuntimeTest, AutoExecuteFiresOnceUntilItsColourReturns) {
    SectionButton autoButton = button(9);
    autoButton.text = "AUTOEXECUTE";
    autoButton.effects = {effect(4, 1, 1)};
    g.section.buttons.push_back(autoButton);
    EXPECT_FALSE(autoExecuteIfDue(b(9), false, g, cat)); // not in view yet
    EXPECT_TRUE(autoExecuteIfDue(b(9), true, g, cat));
    EXPECT_FALSE(autoExecuteIfDue(b(9), true, g, cat));
    EXPECT_EQ(b(1).value, 6);
    EXPECT_EQ(b(9).colour, 0);
    press({effect(7, 9, 1)}); // made clickable again: it fires again
    EXPECT_EQ(runAutoExecutes(g, cat), 1);
    EXPECT_EQ(b(1).value, 7);
    EXPECT_FALSE(autoExecuteIfDue(b(1), true, g, cat)); // an ordinary button never fires by itself
}

TEST_F(RuntimeTest, EnduranceAndCombatSkillEffects) {
    Character& c = g.character;
    press({effect(22, 0, 5, 1)});
    EXPECT_EQ(c.epCur, 15);
    EXPECT_EQ(c.damageFromCombat, 5);
    g.rules.intelligentDamage = 0;
    press({effect(22, 0, 4, 2)});
    EXPECT_EQ(c.damageFromStarvation, 0); // counted as "other"
    press({effect(22, 2, 0)}); // the amount from button 2 (10); never below 0
    EXPECT_EQ(c.epCur, 1);
    press({effect(22, 0, 50)});
    EXPECT_EQ(c.epCur, 0);
    c.epCur = 3;
    press({effect(24, 0, 5)});
    EXPECT_EQ(c.epMax, 15);
    EXPECT_EQ(c.epCur, 1);
    press({effect(26, 0, 4)});
    EXPECT_EQ(c.epMax, 19);
    EXPECT_EQ(c.epCur, 5);
    press({effect(26, 0, 9, 0, "set")});
    EXPECT_EQ(c.epMax, 15);
    EXPECT_EQ(c.epCur, 15);
    c.csBase = 12;
    press({effect(25, 0, 2), effect(27, 0, 3, 0, "set")});
    EXPECT_EQ(c.csBase, 5);
    press({effect(27, 0, 4)});
    EXPECT_EQ(c.csBase, 9);
}

TEST_F(RuntimeTest, DisciplineEffects) {
    Character& c = g.character;
    c.disciplinesToChoose = 1;
    press({effect(15, 0, DISC_HUNTING), effect(15, 0, DISC_HEALING)});
    EXPECT_TRUE(hasDiscipline(c, TIER_VAEL, DISC_HUNTING));
    EXPECT_FALSE(hasDiscipline(c, TIER_VAEL, DISC_HEALING)); // none left to choose
    EXPECT_EQ(c.disciplinesToChoose, 0);
    EXPECT_TRUE(eval({cond(36, 0, 0), cond(4, 0, 0), cond(5, TIER_VAEL, DISC_HUNTING)}));
    press({effect(28, 0, DISC_HUNTING, TIER_VAEL)});
    EXPECT_FALSE(hasDiscipline(c, TIER_VAEL, DISC_HUNTING));
    EXPECT_EQ(c.disciplinesToChoose, 1);

    // Losing a member of a completed Lore-circle takes its ENDURANCE.
    c.onBookSeries = TIER_DRAVIC;
    learnDiscipline(c, TIER_DRAVIC, DISC_ANIMAL_KINSHIP);
    learnDiscipline(c, TIER_DRAVIC, DISC_HEALING);
    c.loreCircles[LORE_CIRCLE_LIGHT] = true;
    press({effect(28, 0, DISC_HEALING, TIER_DRAVIC)});
    EXPECT_FALSE(c.loreCircles[LORE_CIRCLE_LIGHT]);
    EXPECT_EQ(c.epMax, 17);
    EXPECT_EQ(c.epCur, 17);

    // Weapons for Weaponmastery, while picks remain.
    c.weaponmasteryToChoose = 1;
    press({effect(29, 0, WEAPON_SWORD, 1), effect(29, 0, WEAPON_AXE, 1)});
    EXPECT_TRUE(c.weaponmasteryIn[WEAPON_SWORD]);
    EXPECT_FALSE(c.weaponmasteryIn[WEAPON_AXE]);
    EXPECT_EQ(c.weaponmasteryToChoose, 0);
    press({effect(29, 0, WEAPON_SWORD, 1)}); // unpicked: the pick comes back
    EXPECT_EQ(c.weaponmasteryToChoose, 1);
    press({effect(49, 0, WEAPON_MACE)});
    EXPECT_TRUE(c.weaponskillIn[WEAPON_MACE]);
}

TEST_F(RuntimeTest, InventoryEffectsAndTheirConditions) {
    Character& c = g.character;
    cat.items[7].type = ITEM_WEAPON;
    cat.items[7].name = "Sword";
    cat.items[11].meal = true;
    press({effect(21, 0, 7), effect(21, 0, 7), effect(21, 0, 7)});
    EXPECT_EQ(c.weapons.size(), 2u);
    ASSERT_EQ(g.messages.pending.size(), 1u);
    EXPECT_EQ(g.messages.pending.front().title, "You already have two Weapons");
    EXPECT_TRUE(eval({cond(9, 0, 7), cond(11, 1, 7), cond(12, 7, 2), cond(15, 1, 0, "==", true)}));
    press({effect(21, 0, 500)}); // past the catalogue: refused
    EXPECT_EQ(g.messages.pending.back().title, "Error");
    press({effect(20, 0, 12, CURRENCY_CROWNS), effect(19, 0, 2, CURRENCY_CROWNS)});
    EXPECT_EQ(c.goldCrowns, 10);
    press({effect(17, 0, 7, 1)}); // the text takes the Sword
    EXPECT_EQ(c.weapons.size(), 1u);
    EXPECT_EQ(c.lostItems.size(), 1u);
    press({effect(62, 0, 45, CURRENCY_CROWNS)});
    EXPECT_EQ(c.goldCrowns, 50);
    EXPECT_EQ(c.storageCrowns, 5);
    g.messages.pending.clear();
    press({effect(13, 0, 0)});
    ASSERT_EQ(g.messages.pending.size(), 1u);
    EXPECT_EQ(g.messages.pending.front().choices.front(), "Don't Eat - Lose 3 EP");
    press({effect(54, 0, 4), effect(54, 0, 4)});
    EXPECT_EQ(c.disease.size(), 1u);
    EXPECT_TRUE(eval({cond(35, 0, 4)}));
    press({effect(54, 0, 4, -1)});
    EXPECT_TRUE(c.disease.empty());
    press({effect(67, 0, 0, 0, "A title`Some`text")});
    EXPECT_EQ(g.messages.pending.back().title, "A title");
    EXPECT_EQ(g.messages.pending.back().text, "Some`text");
}

TEST_F(RuntimeTest, VisitListsAndSectionConditions) {
    Character& c = g.character;
    c.onSection = 17;
    EXPECT_TRUE(eval({cond(23, 0, 17)}));
    EXPECT_FALSE(eval({cond(16, 0, 0)}));
    c.travelLog.push_back({1, 350});
    EXPECT_TRUE(eval({cond(16, 0, 0)}));  // book 1 finished
    EXPECT_TRUE(eval({cond(16, 0, 20)})); // a first-series book finished
    EXPECT_FALSE(eval({cond(16, 0, 21)}));
    EXPECT_FALSE(eval({cond(16, 0, 99)})); // no such list
    EXPECT_FALSE(eval({cond(16, 0, 24)}));
    c.travelLog.push_back({1, 57});
    EXPECT_TRUE(eval({cond(16, 0, 24)})); // the demo book's own list
    g.section.noAutoHeal = true;
    EXPECT_TRUE(eval({cond(48, 1, 0), cond(48, 0, 0), cond(48, 4, 0, "==", true)}));
    EXPECT_TRUE(stateTest(g, cat, 6));  // a Backpack
    EXPECT_FALSE(stateTest(g, cat, 99)); // no such test
}
