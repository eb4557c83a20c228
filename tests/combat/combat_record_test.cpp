#include "combat/combat_record.h"
#include "fs/data_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ConditionTypes types() {
    ConditionType t;
    t.typeId = 19;
    t.name = "Combat started";
    return {t};
}

CombatRecord read(const std::string& text) {
    DataFile f = openMemoryRead(text, "sect5.txt");
    CombatRecord c;
    c.title = "stale";
    c.enemies.resize(3);
    readCombat(f, c, types());
    return c;
}

std::string write(const CombatRecord& c) {
    DataFile f = openMemoryWrite("x.txt");
    writeCombat(0, f, c);
    return f.data;
}

CombatRecord sample() {
    CombatRecord c;
    c.title = "Gorge ambush";
    c.specialType = 2;
    EnemyRecord e;
    e.name = "Hill Raider";
    e.cs = 15;
    e.ep = 22;
    e.immuneToPsiSurge = true;
    e.epButtonId = 4;
    c.enemies.push_back(e);
    CombatModifier m;
    m.name = "High ground";
    m.value = 2;
    m.conditions.emplace_back();
    m.conditions[0].type = types()[0];
    c.modifiers.push_back(m);
    return c;
}

} // namespace

TEST(CombatRecordWriter, GoldenBlockBeforeTheCombatStarted) {
    const std::string text = write(sample());
    EXPECT_EQ(text, "COMBAT\r\n"
                    "COMBAT_TITLE: Gorge ambush\r\n"
                    "SPECIAL: 2\r\n"
                    "UNARMED_X: 0\r\n"
                    "POTIONS_ARE_ALLOWED: 1\r\n"
                    "ENEMIES: 1\r\n"
                    "NAME: Hill Raider\r\n"
                    "    DESCRIPTOR: *Blank*\r\n"
                    "    CS: 15\r\n"
                    "    EP: 22\r\n"
                    "    IMMUNETOMB: 0\r\n"
                    "    IMMUNETOPS: 1\r\n"
                    "    IMMUNETOKS: 0\r\n"
                    "    SUSCEPT_MB: 0\r\n"
                    "    SUSCEPT_PS: 0\r\n"
                    "    SUSCEPT_KS: 0\r\n"
                    "    EPBUTTONID: 4\r\n"
                    "    END\r\n"
                    "ON_ENEMY_NUMBER: 0\r\n"
                    "ROUNDS_FINISHED: 0\r\n"
                    "COMBAT_IS_STARTED: 0\r\n"
                    "WON: 0\r\n"
                    "ENEMY_EP_LOST: 0\r\n"
                    "GS_EP_LOST: 0\r\n"
                    "GS_EP_LOSS: 0\r\n"
                    "EN_EP_LOSS: 0\r\n"
                    "USED_CS_BOOSTER: 0\r\n"
                    "USED_ADGANA: 0\r\n"
                    "MODIFIERS: 1\r\n"
                    "NAME: High ground\r\n"
                    "    VALUE: 2\r\n"
                    "    EQUATION: +\r\n"
                    "    AFFECT_WHAT: 1\r\n"
                    "    AFFECT_ENEMY: 0\r\n"
                    "    LENGTH_OF_EFFECT: 0\r\n"
                    "    BEGIN_ON_ROUND: 1\r\n"
                    "    CONDITIONS: 1\r\n"
                    "    TYPE: 19 Combat started\r\n"
                    "        VALUE: 0\r\n"
                    "        EQUATION: ==\r\n"
                    "        ID_TO_CHECK: 0\r\n"
                    "        REVERSE: 0\r\n"
                    "        SINGULAR: 0\r\n"
                    "        SECONDARY: 0\r\n"
                    "    END\r\n"
                    "END\r\n"
                    "END\r\n");
    const CombatRecord back = read(text);
    ASSERT_EQ(back.enemies.size(), 1u);
    EXPECT_EQ(back.enemies[0].name, "Hill Raider");
    EXPECT_EQ(back.enemies[0].descriptor, "");
    EXPECT_TRUE(back.enemies[0].immuneToPsiSurge);
    EXPECT_EQ(back.enemies[0].epButtonId, 4);
    ASSERT_EQ(back.modifiers.size(), 1u);
    EXPECT_EQ(back.modifiers[0].exclWeaponId, 0);
    EXPECT_EQ(back.modifiers[0].fromEqWeap, -1);
    ASSERT_EQ(back.modifiers[0].conditions.size(), 1u);
    EXPECT_EQ(write(back), text);
}

TEST(CombatRecordWriter, StartedCombatCarriesTheWeaponKeys) {
    CombatRecord c = sample();
    c.started = true;
    c.roundsFinished = 3;
    c.heroEpLost = 5;
    c.modifiers[0].exclWeaponId = 7;
    c.modifiers[0].fromEqWeap = 12;
    const std::string text = write(c);
    EXPECT_NE(text.find("    EXCL_WEAPON_ID: 7\r\n    FROM_EQ_WEAP: 12\r\nEND\r\n"),
              std::string::npos);
    const CombatRecord back = read(text);
    EXPECT_TRUE(back.started);
    EXPECT_EQ(back.roundsFinished, 3);
    EXPECT_EQ(back.heroEpLost, 5);
    EXPECT_EQ(back.modifiers[0].exclWeaponId, 7);
    EXPECT_EQ(back.modifiers[0].fromEqWeap, 12);
}

TEST(CombatRecordReader, OtherKeyOrderEmptyTitleBlankNameAndNoEnemies) {
    const CombatRecord a = read("COMBAT\nMODIFIERS: 0\nUNKNOWN_KEY: 5\nENEMIES: 2\n"
                                "EP: 10\nCS: 12\nNAME: *Blank*\nEND\n"
                                "DESCRIPTOR: Undead, Helghast\nNAME:\nEND\n"
                                "COMBAT_TITLE:\nPOTIONS_ARE_ALLOWED: 0\nEND\n");
    EXPECT_EQ(a.title, "");
    EXPECT_FALSE(a.potionsAllowed);
    ASSERT_EQ(a.enemies.size(), 2u);
    EXPECT_EQ(a.enemies[0].name, "Enemy");
    EXPECT_EQ(a.enemies[0].cs, 12);
    EXPECT_EQ(a.enemies[0].ep, 10);
    EXPECT_EQ(a.enemies[1].descriptor, "Undead, Helghast");
    EXPECT_EQ(a.enemies[1].name, "Enemy");

    CombatRecord none;
    none.title = "";
    EXPECT_EQ(write(none), "COMBAT\r\nEND\r\n");
    const CombatRecord back = read(write(none));
    EXPECT_EQ(back.title, "Title");
    EXPECT_TRUE(back.enemies.empty());
    EXPECT_TRUE(back.potionsAllowed);
}

TEST(CombatRecordReader, BadCountsAndTruncation) {
    // More enemies announced than there are: the block's own "END" still closes it.
    const CombatRecord a = read("COMBAT\nENEMIES: 999999999\nNAME: One\nEND\nEND\nSPECIAL: 9");
    EXPECT_EQ(a.enemies.size(), 1u);
    EXPECT_EQ(a.specialType, 0);
    const CombatRecord b = read("COMBAT\nENEMIES: -4\nMODIFIERS: -1\nEND\n");
    EXPECT_TRUE(b.enemies.empty());
    EXPECT_TRUE(b.modifiers.empty());

    const std::string full = write(sample());
    // Every cut before the closing "END" is whole leaves the block unfinished.
    for (size_t cut = 0; cut + 2 < full.size(); ++cut) {
        DataFile f = openMemoryRead(full.substr(0, cut), "x.txt");
        CombatRecord c;
        EXPECT_FALSE(readCombat(f, c, types())) << cut;
    }
}
