#include "character/character.h"
#include "character/rule_options.h"
#include "character/scores.h"

#include <gtest/gtest.h>

namespace {

Character hero(Tier tier, int vael, int dravic, int gm) {
    Character c;
    c.onBookSeries = tier;
    c.vaelBooksCompleted = vael;
    c.dravicBooksCompleted = dravic;
    c.grandMasterBooksCompleted = gm;
    c.csBase = 20;
    c.epMax = c.epCur = 30;
    c.onBook = tier == TIER_VAEL ? 1 : tier == TIER_DRAVIC ? 7 : 14;
    return c;
}

Item weapon(int id, const std::string& name, WeaponType type, bool equipped = true) {
    Item w;
    w.id = id;
    w.name = name;
    w.type = ITEM_WEAPON;
    w.weaponType = type;
    w.equipped = equipped;
    return w;
}

Item armour(int id, const std::string& name, int epBonus) {
    Item a;
    a.id = id;
    a.name = name;
    a.type = ITEM_SPECIAL;
    for (ItemBonus& b : a.bonuses)
        b.epBonus = epBonus;
    return a;
}

std::string csText(const Character& c, const RuleOptions& rules,
                   const FightContext* fight = nullptr) {
    std::string text;
    combatSkill(c, rules, fight, &text);
    return text;
}

std::string epText(const Character& c, const RuleOptions& rules) {
    std::string text;
    enduranceMaximum(c, rules, &text);
    return text;
}

} // namespace

TEST(CombatSkill, FirstTierLinesInOrder) {
    Character c = hero(TIER_VAEL, 0, 0, 0);
    RuleOptions rules;
    learnDiscipline(c, TIER_VAEL, DISC_MINDBLAST);
    learnDiscipline(c, TIER_VAEL, DISC_WEAPONSKILL);
    c.weaponskillIn[WEAPON_SWORD] = true;
    c.weapons = {weapon(7, "Sword", WEAPON_SWORD), weapon(3, "Short Sword", WEAPON_SHORT_SWORD)};
    EXPECT_EQ(csText(c, rules), "+2 Mindblast`+2 Weaponskill`");

    // Immune enemies take no Mindblast; the Weaponskill needs the weapon in hand.
    FightContext fight;
    fight.immuneMindblast = true;
    c.weapons[0].equipped = false;
    EXPECT_EQ(csText(c, rules, &fight), "");

    // A second matching weapon counts only when both hands may hold one.
    c.weaponskillIn[WEAPON_SHORT_SWORD] = true;
    c.weapons[0].equipped = true;
    EXPECT_EQ(csText(c, rules, &fight), "+2 Weaponskill`");
    rules.dualWield = 1;
    EXPECT_EQ(csText(c, rules, &fight), "+2 Weaponskill`+2 Dual Wield Weaponskill`");
    EXPECT_EQ(combatSkill(c, rules, &fight).bonus, 4);
    EXPECT_EQ(effectiveCombatSkill(c, rules, &fight), 24);
}

TEST(CombatSkill, PsiSurgeByRankLevel) {
    RuleOptions rules;
    Character c = hero(TIER_DRAVIC, 0, 3, 0); // level 6
    learnDiscipline(c, TIER_DRAVIC, DISC_MINDBLAST);
    c.weapons = {weapon(7, "Sword", WEAPON_SWORD)};
    CombatSkillResult r = combatSkill(c, rules, nullptr);
    EXPECT_EQ(scoreLinesText(r.lines), "+4 Psi-surge`");
    EXPECT_EQ(r.psychicEpCost, 2);
    EXPECT_EQ(r.psychicEpThreshold, 6);

    c.dravicBooksCompleted = 5; // level 8: still the weaker surge
    EXPECT_EQ(combatSkill(c, rules, nullptr).lines.front().amount, 4);
    c.dravicBooksCompleted = 6; // level 9
    r = combatSkill(c, rules, nullptr);
    EXPECT_EQ(scoreLinesText(r.lines), "+6 Psi-surge`");
    EXPECT_EQ(r.psychicEpCost, 1);

    // The lesser form on request, and when ENDURANCE is too low for the surge.
    c.useOnlyMindblast = true;
    EXPECT_EQ(csText(c, rules), "+3 Mindblast`");
    c.useOnlyMindblast = false;
    c.epCur = 4;
    EXPECT_EQ(csText(c, rules), "+3 Mindblast`");
    c.epCur = 5;
    EXPECT_EQ(csText(c, rules), "+6 Psi-surge`");
}

TEST(CombatSkill, SecondTierLoreCirclesAndWeaponmastery) {
    RuleOptions rules;
    Character c = hero(TIER_DRAVIC, 5, 4, 0); // level 7
    c.loreCircles = {true, true, true, true};
    learnDiscipline(c, TIER_DRAVIC, DISC_WEAPONSKILL);
    learnDiscipline(c, TIER_VAEL, DISC_WEAPONSKILL);
    learnDiscipline(c, TIER_VAEL, DISC_MINDBLAST);
    c.weaponmasteryIn[WEAPON_AXE] = true;
    c.weaponskillIn[WEAPON_AXE] = true;
    c.weapons = {weapon(6, "Axe", WEAPON_AXE)};
    EXPECT_EQ(csText(c, rules), "+1 Lore-circle of Fire`+1 Lore-circle of Solaris`"
                                "+3 Lore-circle of The Spirit`+2 Vael Mindblast`+3 Weaponmastery`");
    EXPECT_EQ(epText(c, rules), "+2 Lore-circle of Fire`+3 Lore-circle of Solaris`"
                                "+3 Lore-circle of The Spirit`+3 Lore-circle of Light`");
    rules.wsStacking = 1;
    c.dravicBooksCompleted = 5; // level 8
    EXPECT_EQ(combatSkill(c, rules, nullptr).lines.back().label, "Vael Weaponskill");
    EXPECT_EQ(combatSkill(c, rules, nullptr).bonus, 5 + 2 + 4 + 2);

    // The alternate bonus counts books, whatever the circles.
    rules = RuleOptions();
    rules.loreCirclesHc = 1;
    c.dravicBooksCompleted = 4;
    c.loreCircles = {false, false, false, false};
    EXPECT_EQ(combatSkill(c, rules, nullptr).lines.front().amount, 4);
    EXPECT_EQ(combatSkill(c, rules, nullptr).lines.front().label, "Lore-circle Bonus");
    EXPECT_EQ(epText(c, rules), "+8 Lore-circle Bonus`");
}

TEST(CombatSkill, ThirdTierStackingAndReroll) {
    RuleOptions rules;
    Character c = hero(TIER_GRAND_MASTER, 5, 7, 2);
    learnDiscipline(c, TIER_DRAVIC, DISC_MINDBLAST);
    learnDiscipline(c, TIER_DRAVIC, DISC_WEAPONSKILL);
    c.weaponmasteryIn[WEAPON_SPEAR] = true;
    c.weapons = {weapon(1, "Spear", WEAPON_SPEAR)};
    EXPECT_EQ(csText(c, rules),
              "+6 Dravic Psi-surge`+4 Dravic Weaponmastery`+5 Dravic Lore-circles`"
              "+2 GM Advancement`");
    EXPECT_EQ(epText(c, rules), "+11 Dravic Lore-circle Bonus`+4 Grandmaster Advancement`");

    // Re-rolled scores forfeit what the second tier gave.
    c.gmRerollStats = true;
    EXPECT_EQ(csText(c, rules), "+2 GM Advancement`");
    EXPECT_EQ(epText(c, rules), "+4 Grandmaster Advancement`");

    // The extra bonus per initial Discipline, at most four of them.
    Character gm = hero(TIER_GRAND_MASTER, 0, 0, 0);
    for (int id : {0, 1, 2, 3, 9})
        learnDiscipline(gm, TIER_GRAND_MASTER, id);
    gm.weapons = {weapon(1, "Spear", WEAPON_SPEAR)};
    rules.gmExtraDiscBonus = 1;
    EXPECT_EQ(csText(gm, rules), "+4 GM Advancement`");
    EXPECT_EQ(epText(gm, rules), "+8 Grandmaster Advancement`");
}

TEST(CombatSkill, VaelSurgeSectionsAndFightKinds) {
    RuleOptions rules;
    Character c = hero(TIER_GRAND_MASTER, 0, 0, 1);
    learnDiscipline(c, TIER_GRAND_MASTER, DISC_MINDBLAST);
    c.weapons = {weapon(1, "Spear", WEAPON_SPEAR)};
    auto surge = [&](const FightContext* f) { return combatSkill(c, rules, f).lines.front(); };
    EXPECT_EQ(surge(nullptr).amount, 8);
    EXPECT_EQ(surge(nullptr).label, "Vael-surge");
    c.onBook = 16, c.onSection = 97;
    EXPECT_EQ(surge(nullptr).amount, 4);
    c.onBook = 13, c.onSection = 301;
    EXPECT_EQ(surge(nullptr).amount, 10);
    c.onBook = 15, c.onSection = 297;
    EXPECT_EQ(surge(nullptr).amount, 1);
    c.onBook = 14;
    FightContext fight;
    fight.specialType = SPECIAL_DOUBLE_VAEL_SURGE;
    EXPECT_EQ(surge(&fight).amount, 16);
    fight.specialType = SPECIAL_WEAKER_VAEL_SURGE;
    EXPECT_EQ(surge(&fight).amount, 4);
    c.useOnlyMindblast = true;
    EXPECT_EQ(scoreLineText(surge(nullptr)), "+4 Mindblast`");
    // A psychic attack chosen for the round replaces the surge.
    c.useOnlyMindblast = false;
    c.usingVaelBlast = true;
    EXPECT_EQ(csText(c, rules), "+1 GM Advancement`");
}

TEST(CombatSkill, ItemsUnarmedAfflictionsAndFixedScore) {
    RuleOptions rules;
    Character c = hero(TIER_VAEL, 0, 0, 0);
    // Unarmed by tier and level.
    EXPECT_EQ(csText(c, rules), "-4 Unarmed`");
    c = hero(TIER_DRAVIC, 0, 2, 0);
    EXPECT_EQ(csText(c, rules), "-2 Unarmed`");
    c.dravicBooksCompleted = 5;
    EXPECT_EQ(csText(c, rules), "-1 Unarmed`");
    c = hero(TIER_GRAND_MASTER, 0, 0, 6);
    EXPECT_EQ(csText(c, rules), "+6 GM Advancement`+3 Unarmed`");

    // Weapon bonuses against the enemy at hand, armour moved to COMBAT SKILL,
    // the potion, Limbdeath and the rings.
    c = hero(TIER_VAEL, 0, 0, 0);
    Item blade = weapon(10, "Sunblade", WEAPON_SWORD);
    blade.bonuses[0].csBonuses = {8, 2};
    blade.bonuses[0].bonusAgainsts = {"All", "Undead"};
    c.weapons = {blade};
    c.specialItems = {armour(50, "Chainmail Waistcoat", 3), armour(166, "Grey Crystal Ring", 0)};
    c.disease = {DISEASE_LIMBDEATH};
    rules.armorRules = 2;
    FightContext fight;
    fight.enemyDescriptor = "Giak, Undead";
    fight.potionCsBoost = 2;
    fight.potionName = "Laumspur";
    EXPECT_EQ(csText(c, rules, &fight),
              "+10 Sunblade`+1 Chainmail Waistcoat`+2 Laumspur`-3 Limbdeath`"
              "+3 Grey Crystal Ring`");
    EXPECT_EQ(csText(c, rules),
              "+8 Sunblade`+1 Chainmail Waistcoat`-3 Limbdeath`+3 Grey Crystal Ring`");
    EXPECT_EQ(epText(c, rules), "+1 Chainmail Waistcoat`");
    rules.armorRules = 1;
    EXPECT_EQ(epText(c, rules), "");
    EXPECT_EQ(enduranceMaximum(c, rules).armorToCs, 3);
    rules.armorRules = 0;
    EXPECT_EQ(epText(c, rules), "+3 Chainmail Waistcoat`");

    // A fight that fixes COMBAT SKILL at 15 shows only that.
    fight.specialType = SPECIAL_FIXED_CS_15;
    CombatSkillResult fixed = combatSkill(c, rules, &fight);
    EXPECT_EQ(scoreLinesText(fixed.lines), "Combat Skill = 15`");
    EXPECT_EQ(c.csBase + fixed.bonus, 15);
}

TEST(CombatSkill, ArcheryContestUsesItsOwnOptions) {
    RuleOptions rules;
    Character c = hero(TIER_DRAVIC, 5, 0, 0);
    c.onBook = ARCHERY_BOOK;
    c.onSection = ARCHERY_SECTION;
    c.archeryRealEp = 20;
    learnDiscipline(c, TIER_VAEL, DISC_MINDBLAST);
    learnDiscipline(c, TIER_DRAVIC, DISC_WEAPONSKILL);
    c.weaponmasteryIn[WEAPON_BOW] = true;
    Item bow = weapon(5, "Bow", WEAPON_BOW);
    bow.bonuses[0].bowBonus = 3;
    c.weapons = {bow};
    c.specialItems = {armour(ITEM_ID_SILVER_HELMET, "Silver Helmet", 0),
                      armour(ITEM_ID_KALTE_BONE_BOW, "Kalte Bone Bow", 0)};
    FightContext fight;
    rules.doublePsychicBonuses = true;
    EXPECT_EQ(csText(c, rules, &fight), "+2 Vael Mindblast`+2 Double Mindblast`+2 Silver Helmet`"
                                        "-4 Kalte Bone Bow`+3 Weaponmastery`+3 Bow`");
    rules.allowSilverHelmet = false;
    rules.wmBowCsBoost = false;
    learnDiscipline(c, TIER_DRAVIC, DISC_MINDBLAST);
    CombatSkillResult r = combatSkill(c, rules, &fight);
    EXPECT_EQ(scoreLinesText(r.lines),
              "+4 Psi-surge`+4 Double Psi-surge`-4 Kalte Bone Bow`+3 Bow`");
    EXPECT_TRUE(r.psychicFromRealEp);
    // Outside the contest's fight the ordinary rules hold.
    EXPECT_EQ(csText(c, rules), "+4 Psi-surge`+3 Weaponmastery`");
}

TEST(StartingScores, MethodsAndBases) {
    EXPECT_EQ(initialStats(INITIAL_ROLL, false, 4, 9, 0).cs, 14);
    EXPECT_EQ(initialStats(INITIAL_ROLL, false, 4, 9, 0).ep, 29);
    EXPECT_EQ(initialStats(INITIAL_ROLL, true, 0, 0, 0).cs, 25);
    StartingScores d = initialStats(INITIAL_DISTRIBUTE, false, 0, 0, 9);
    EXPECT_EQ(d.cs, 17);
    EXPECT_EQ(d.ep, 23);
    d = initialStats(INITIAL_DISTRIBUTE, true, 0, 0, 0);
    EXPECT_EQ(d.cs, 28);
    EXPECT_EQ(d.ep, 37);
    EXPECT_EQ(initialStats(INITIAL_FIXED_HARDCORE, false, 0, 0, 0).ep, 23);
    EXPECT_EQ(initialStats(INITIAL_FIXED_HARDCORE, true, 0, 0, 0).cs, 32);
    EXPECT_EQ(initialStats(INITIAL_FIXED_MAXIMUM, false, 0, 0, 0).cs, 19);
    EXPECT_EQ(initialStats(INITIAL_FIXED_MAXIMUM, true, 0, 0, 0).ep, 39);
    EXPECT_TRUE(initialStatsNeedPicks(INITIAL_ROLL));
    EXPECT_FALSE(initialStatsNeedPicks(INITIAL_FIXED_MAXIMUM));

    Character c;
    setInitialStats(c, {15, 25});
    EXPECT_EQ(c.csInitial, 15);
    EXPECT_EQ(c.epCur, 25);
    EXPECT_EQ(c.epInitial, 25);
}

TEST(StartingScores, LoweringKeepsToTheLimits) {
    Character c;
    setInitialStats(c, {17, 23});
    EXPECT_EQ(lowerBaseScorePrompt(LOWER_EP), "Enter new ENDURANCE POINTS score");
    EXPECT_FALSE(lowerBaseScore(c, LOWER_CS, 18)); // never raised
    EXPECT_TRUE(lowerBaseScore(c, LOWER_CS, 2));
    EXPECT_EQ(c.csBase, 5);
    EXPECT_EQ(c.csInitial, 5);
    EXPECT_FALSE(canLowerBaseScore(c, LOWER_CS));
    EXPECT_TRUE(lowerBaseScore(c, LOWER_EP, 16));
    EXPECT_EQ(c.epMax, 16);
    EXPECT_EQ(c.epCur, 16);

    // Not after an item that changes ENDURANCE, and not once the adventure began.
    c.specialItems = {armour(50, "Chainmail Waistcoat", 4)};
    EXPECT_FALSE(lowerBaseScore(c, LOWER_EP, 15));
    c.specialItems.clear();
    c.completedOpeningSection = true;
    EXPECT_FALSE(lowerBaseScore(c, LOWER_EP, 15));
}

TEST(Healing, EmergencyOncePerBook) {
    Character c = hero(TIER_DRAVIC, 0, 5, 0); // level 8: too low
    learnDiscipline(c, TIER_DRAVIC, DISC_HEALING);
    c.epCur = 5;
    EXPECT_EQ(emergencyHealingKind(c), 0);
    c.dravicBooksCompleted = 6;
    EXPECT_TRUE(canUseEmergencyHealing(c));
    c.epCur = 7;
    EXPECT_FALSE(canUseEmergencyHealing(c));
    c.epCur = 6;
    c.epMax = 22;
    EXPECT_TRUE(useEmergencyHealing(c));
    EXPECT_EQ(c.epCur, 22); // not above the maximum
    EXPECT_TRUE(c.usedMegaCuring);
    c.epCur = 3;
    EXPECT_FALSE(useEmergencyHealing(c));
    EXPECT_NE(
        emergencyHealingTooltip(c).find("`(You have already used this ability during this book.)"),
        std::string::npos);

    Character gm = hero(TIER_GRAND_MASTER, 0, 0, 0);
    learnDiscipline(gm, TIER_GRAND_MASTER, DISC_HEALING);
    gm.epCur = 8;
    EXPECT_TRUE(useEmergencyHealing(gm));
    EXPECT_EQ(gm.epCur, 28);
    EXPECT_TRUE(gm.usedMegaDeliverance);
}

TEST(Healing, PerSectionByTierAndOption) {
    RuleOptions rules;
    Character c = hero(TIER_VAEL, 0, 0, 0);
    c.epCur = 25;
    c.damageFromCombat = 2;
    c.damageFromStarvation = 3;
    SectionHealingContext quiet;
    EXPECT_EQ(sectionHealing(c, rules, quiet), 0); // no Discipline
    learnDiscipline(c, TIER_VAEL, DISC_HEALING);
    SectionHealingContext fought;
    fought.hadCombat = true;
    EXPECT_EQ(sectionHealing(c, rules, fought), 0);
    SectionHealingContext noHeal;
    noHeal.noAutoHeal = true;
    EXPECT_EQ(sectionHealing(c, rules, noHeal), 0);

    // Rule 0 heals combat damage only.
    EXPECT_EQ(sectionHealing(c, rules, quiet), 1);
    EXPECT_EQ(sectionHealing(c, rules, quiet), 1);
    EXPECT_EQ(sectionHealing(c, rules, quiet), 0);
    EXPECT_EQ(c.epCur, 27);
    EXPECT_EQ(c.damageFromCombat, 0);
    // Rule 1 heals the "other" damage (30 - 27 - 3 starvation = 0 here): nothing.
    rules.healingRules = 1;
    EXPECT_EQ(sectionHealing(c, rules, quiet), 0);
    // Rule 2 heals starvation too.
    rules.healingRules = 2;
    EXPECT_EQ(sectionHealing(c, rules, quiet), 1);
    EXPECT_EQ(c.damageFromStarvation, 2);

    // Stacking earlier tiers: at most 2 a section.
    Character gm = hero(TIER_GRAND_MASTER, 0, 0, 0);
    gm.epCur = 20;
    gm.damageFromCombat = 10;
    learnDiscipline(gm, TIER_VAEL, DISC_HEALING);
    learnDiscipline(gm, TIER_DRAVIC, DISC_HEALING);
    learnDiscipline(gm, TIER_GRAND_MASTER, DISC_HEALING);
    EXPECT_EQ(sectionHealingAmount(gm, rules, quiet), 1);
    rules.healStacking = 1;
    EXPECT_EQ(sectionHealingAmount(gm, rules, quiet), 2);
    // Prodigy: Deliverance adds one more.
    RuleOptions prodigy;
    applyProdigy(prodigy);
    EXPECT_EQ(sectionHealingAmount(gm, prodigy, quiet), 2);
    // Intelligent autoheal holds back in a combat situation.
    SectionHealingContext tense;
    tense.combatSituation = true;
    EXPECT_EQ(sectionHealingAmount(gm, rules, tense), 0);
    rules.intelligentAutoheal = 0;
    EXPECT_EQ(sectionHealingAmount(gm, rules, tense), 2);
}
