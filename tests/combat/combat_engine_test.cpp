#include "book/random_table.h"
#include "book/section_button.h"
#include "character/character.h"
#include "character/rule_options.h"
#include "character/scores.h"
#include "combat/combat_engine.h"

#include <gtest/gtest.h>

namespace {

// Each cell tells where it is: the hero loses the column, the enemy ten
// plus the row.
CombatTable markedTable() {
    CombatTable t;
    for (int c = 0; c < CRT_COLUMNS; ++c)
        for (int r = 0; r < CRT_ROWS; ++r) {
            t.heroLoss[c][r] = c;
            t.enemyLoss[c][r] = 10 + r;
        }
    return t;
}

RandomNumberTable gridOf(int digit) {
    RandomNumberTable g;
    for (auto& col : g.grid)
        for (int& v : col)
            v = digit;
    return g;
}

struct Fixture : ::testing::Test {
    Character hero;
    RuleOptions rules;
    RandomSource random;
    std::vector<SectionButton> buttons;
    CombatEnv env{hero, rules, random, &buttons, nullptr};
    CombatRecord combat;
    CombatTable table = markedTable();

    void SetUp() override {
        seedRandom(random, 77, 0);
        hero.csBase = 15;
        hero.epMax = hero.epCur = 25;
        Item sword;
        sword.id = 7;
        sword.name = "Sword";
        sword.type = ITEM_WEAPON;
        sword.equipped = true;
        hero.weapons = {sword};
        combat.enemies.resize(1);
        combat.enemies[0].name = "Giak";
        combat.enemies[0].cs = 12;
        combat.enemies[0].ep = 14;
    }
    CombatModifier modifier(const std::string& eq, int value, int begin = 1, int length = 0) {
        CombatModifier m;
        m.name = "Test";
        m.equation = eq;
        m.value = value;
        m.beginOnRound = begin;
        m.lengthOfEffect = length;
        return m;
    }
};

} // namespace

TEST_F(Fixture, RoundArithmeticFromRatioToOutcome) {
    std::vector<std::string> lines;
    RoundOutcome out = fightRound(combat, env, table, gridOf(4), false, &lines);
    // Ratio +3 reads column 8; number 4 reads row 3.
    EXPECT_EQ(combat.combatRatio, 3);
    EXPECT_EQ(combat.randomNumber, 4);
    EXPECT_EQ(out.heroLoss, 8);
    EXPECT_EQ(out.enemyLoss, 13);
    EXPECT_EQ(hero.epCur, 17);
    EXPECT_EQ(hero.damageFromCombat, 8);
    EXPECT_EQ(combat.enemies[0].ep, 1);
    EXPECT_EQ(combat.roundsFinished, 1);
    EXPECT_TRUE(combat.started);
    EXPECT_FALSE(out.won);
    EXPECT_EQ(out.messages.front(), "You have fought 1 round(s) of combat");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Combat Ratio: 3"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Greystar loses 8 ENDURANCE, now 17"),
              lines.end());

    // The enemy falls next round: its loss is capped at what it has left.
    out = fightRound(combat, env, table, gridOf(4), false);
    EXPECT_TRUE(out.won);
    EXPECT_EQ(out.enemyLoss, 1);
    EXPECT_EQ(combat.enemyEpLost, 14);
    EXPECT_EQ(out.messages.front(), "You have won the combat in 2 round(s)");
    // The log: the opening entry, then one per round with its number.
    ASSERT_EQ(hero.battleLog.size(), 1u);
    ASSERT_EQ(hero.battleLog[0].rounds.size(), 3u);
    EXPECT_EQ(hero.battleLog[0].rounds[0].randomNumber, -1);
    EXPECT_EQ(hero.battleLog[0].rounds[1].randomNumber, 4);
    EXPECT_EQ(hero.battleLog[0].rounds[2].weaponId, 7);
    // A won combat takes no more rounds.
    EXPECT_FALSE(beginRound(combat, env, false));
}

TEST_F(Fixture, KillsAreCappedAndSharedFallsAreNoVictory) {
    table.heroLoss[6][0] = KILL_VALUE;
    table.enemyLoss[6][0] = KILL_VALUE;
    combat.enemies[0].cs = 15; // ratio 0
    std::vector<std::string> lines;
    RoundOutcome out = fightRound(combat, env, table, gridOf(1), false, &lines);
    EXPECT_EQ(hero.epCur, 0);
    EXPECT_EQ(out.heroLoss, 25);
    EXPECT_EQ(combat.enemies[0].ep, 0);
    EXPECT_FALSE(out.won);
    EXPECT_TRUE(out.defeated);
    EXPECT_FALSE(combat.won);
    EXPECT_EQ(out.messages.back(), "You have been defeated");
    EXPECT_EQ(lossLine("Greystar", KILL_VALUE, 0), "Greystar loses K ENDURANCE, now 0");
    // A hero without ENDURANCE starts no round.
    EXPECT_FALSE(beginRound(combat, env, false));
}

TEST_F(Fixture, EvasionNeverHurtsTheEnemy) {
    RoundOutcome out = fightRound(combat, env, table, gridOf(9), true);
    EXPECT_EQ(out.enemyLoss, 0);
    EXPECT_EQ(combat.enemies[0].ep, 14);
    EXPECT_EQ(out.heroLoss, 8);
    EXPECT_TRUE(out.pressAgain);
    EXPECT_TRUE(combat.finished);
    // Kind 3: evading is possible only while unhurt.
    CombatRecord c2;
    c2.specialType = SPECIAL_EVADE_UNHURT;
    c2.enemies = combat.enemies;
    EXPECT_FALSE(fightRound(c2, env, table, gridOf(9), true).pressAgain);
}

TEST_F(Fixture, ModifierFromRoundThreeForTwoRounds) {
    combat.enemies[0].ep = 1000;
    hero.epMax = hero.epCur = 1000;
    combat.modifiers = {modifier("+", 2, 3, 2)};
    std::vector<int> cs;
    for (int round = 1; round <= 6; ++round) {
        fightRound(combat, env, table, gridOf(0), false);
        cs.push_back(combat.heroCombatSkill);
    }
    EXPECT_EQ(cs, (std::vector<int>{15, 15, 17, 17, 15, 15}));
    EXPECT_TRUE(combat.modifiers[0].undone);
}

TEST_F(Fixture, OperationsAndTheirTakingBack) {
    EXPECT_EQ(applyToSkill("x", 15, 17), 25);
    EXPECT_EQ(takeBackFromSkill("x", 15, 25), 16);
    EXPECT_EQ(applyToSkill("x", 20, 17), 34);
    EXPECT_EQ(applyToSkill("/+", 2, 17), 9);
    EXPECT_EQ(applyToSkill("/-", 2, 17), 8);
    EXPECT_EQ(takeBackFromSkill("/-", 2, 8), 16);
    EXPECT_EQ(applyToSkill("-", 3, 17), 14);
    EXPECT_EQ(applyToLoss("x", 5, 7), 3);
    EXPECT_EQ(applyToLoss("/+", 2, 7), 3);
    EXPECT_EQ(applyToLoss("-", 9, 7), 0);
    // A zero divisor or factor in a damaged script: no division, the value holds.
    for (const char* eq : {"/+", "/-"}) {
        EXPECT_EQ(applyToSkill(eq, 0, 17), 17);
        EXPECT_EQ(takeBackFromSkill(eq, 0, 17), 17); // nothing was done, nothing undone
        EXPECT_EQ(applyToLoss(eq, 0, 7), 7);
    }
    EXPECT_EQ(applyToSkill("x", 0, 17), 0);
    EXPECT_EQ(takeBackFromSkill("x", 0, 0), 0);
    EXPECT_EQ(operationText("x", 15), "x1.5");
    EXPECT_EQ(operationText("x", 20), "x2");
    EXPECT_EQ(operationText("+", 2), "+2");
    EXPECT_EQ(operationText("/-", 3), "/3");
}

TEST_F(Fixture, DamageModifiersActEveryRound) {
    combat.enemies[0].ep = 1000;
    hero.epMax = hero.epCur = 1000;
    CombatModifier m = modifier("+", 2);
    m.affectWhat = 0;
    m.affectEnemy = true;
    combat.modifiers = {m};
    // Ratio +3: enemy loses 10 + row each round, plus 2.
    EXPECT_EQ(fightRound(combat, env, table, gridOf(1), false).enemyLoss, 12);
    EXPECT_EQ(fightRound(combat, env, table, gridOf(1), false).enemyLoss, 12);
    // A permanent loss lowers the maximum as well.
    combat.modifiers[0].affectWhat = 2;
    combat.modifiers[0].affectEnemy = false;
    fightRound(combat, env, table, gridOf(1), false);
    EXPECT_EQ(hero.epMax, 998);
}

TEST_F(Fixture, ExclusiveWeaponModifiersActOnce) {
    CombatModifier a = modifier("+", 2), b = modifier("+", 5);
    a.exclWeaponId = b.exclWeaponId = 44;
    combat.modifiers = {a, b};
    fightRound(combat, env, table, gridOf(1), false);
    EXPECT_EQ(combat.heroCombatSkill, 17);
}

TEST_F(Fixture, EnemiesInTurnAndBadRecords) {
    combat.enemies.resize(2);
    combat.enemies[0].ep = 5;
    combat.enemies[1].name = "Kraan";
    combat.enemies[1].cs = 0; // nothing to add: the ratio is the hero's own
    combat.enemies[1].ep = -3;
    buttons.resize(1);
    buttons[0].id = 31;
    combat.enemies[0].epButtonId = 31;
    RoundOutcome out = fightRound(combat, env, table, gridOf(2), false);
    EXPECT_TRUE(out.enemyChanged);
    EXPECT_EQ(combat.currentEnemy, 1);
    EXPECT_EQ(combat.enemyCombatSkill, 0);
    EXPECT_EQ(buttons[0].value, 0);
    EXPECT_EQ(hero.battleLog[0].rounds.back().randomNumber, -1);
    // The second enemy has nothing left: the next round resolves and wins.
    out = fightRound(combat, env, table, gridOf(2), false);
    EXPECT_EQ(combat.combatRatio, 15);
    EXPECT_EQ(out.enemyLoss, 0);
    EXPECT_TRUE(out.won);

    CombatRecord empty;
    EXPECT_FALSE(beginRound(empty, env, false));
    // Zero divisors and factors in every walk: the round still resolves.
    CombatRecord odd;
    odd.enemies = {EnemyRecord()};
    odd.enemies[0].ep = 30;
    for (const char* eq : {"x", "/+", "/-"}) {
        odd.modifiers.push_back(modifier(eq, 0));
        odd.modifiers.push_back(modifier(eq, 0));
        odd.modifiers.back().affectWhat = 0;
    }
    hero.epCur = 25;
    fightRound(odd, env, table, gridOf(3), false);
    EXPECT_EQ(odd.roundsFinished, 1);
    EXPECT_EQ(odd.heroCombatSkill, 0); // "x" 0 leaves nothing, and dividing by 0 leaves that
    EXPECT_FALSE(fightRound(empty, env, table, gridOf(2), false).won);
}

TEST_F(Fixture, SpecialKindsOfTheTable) {
    // Kind 2: a hurt hero picks again; 9 kills him, anything else spares him.
    combat.specialType = SPECIAL_KILL_ON_NINE;
    combat.heroCombatSkill = 12;
    combat.enemyCombatSkill = 12;
    tableLosses(combat, env, table);
    ASSERT_TRUE(needsSecondPick(combat));
    applySecondPick(combat, 3);
    EXPECT_EQ(combat.heroLoss, 0);
    applySecondPick(combat, 9);
    EXPECT_EQ(combat.heroLoss, KILL_VALUE);
    // Kind 4: a 0 with the Cracked Jakan in hand kills the hero.
    combat.specialType = SPECIAL_JAKAN_BACKFIRE;
    hero.weapons[0].id = ITEM_ID_CRACKED_JAKAN;
    combat.randomNumber = 0;
    tableLosses(combat, env, table);
    EXPECT_EQ(combat.heroLoss, KILL_VALUE);
    EXPECT_EQ(combat.enemyLoss, 0);
    // Kind 7 fixes COMBAT SKILL at 15 whatever the bonuses.
    CombatRecord fixed;
    fixed.specialType = SPECIAL_FIXED_CS_15;
    fixed.enemies = combat.enemies;
    hero.csBase = 30;
    beginRound(fixed, env, false);
    EXPECT_EQ(fixed.heroCombatSkill, 15);
}

TEST(CombatAftermath, AdganaAddiction) {
    Character hero;
    hero.epMax = 20;
    hero.epCur = 3;
    EXPECT_FALSE(adganaCheck(hero, 2)); // first time: only 0 or 1 strike
    EXPECT_TRUE(hero.usedAdgana);
    EXPECT_TRUE(adganaCheck(hero, 3)); // marked before: up to 3
    EXPECT_EQ(hero.disease, (std::vector<int>{2}));
    EXPECT_EQ(hero.epMax, 16);
    EXPECT_EQ(hero.epCur, 1);
    EXPECT_TRUE(adganaCheck(hero, 0));
    EXPECT_EQ(hero.disease, (std::vector<int>{2, 7}));
    hero.epMax = 3;
    EXPECT_TRUE(adganaCheck(hero, 1));
    EXPECT_EQ(hero.epMax, 0);
    EXPECT_EQ(hero.epCur, 0);
}
