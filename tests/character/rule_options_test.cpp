#include "character/rule_options.h"
#include "fs/data_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

RuleOptions readBlock(const std::string& plain, bool* ended = nullptr) {
    DataFile f = openMemoryRead(plain, "rules.txt");
    RuleOptions r;
    r.weaponRules = 2; // must not leak into what is read
    bool ok = readRules(f, r);
    if (ended) *ended = ok;
    return r;
}

// The hardcore values of every option but the three third-tier ones, as an
// older version wrote them (no GM_ keys, no markers).
const char* const OLD_HARDCORE_BLOCK = "WEAPON_RULES: 1\nARMOR_RULES: 0\nARMOR_REMOVAL: 1\n"
                                       "HEAL_WITH_MEAL: 0\nHEAL_STACKING: 0\nHEALING_RULES: 0\n"
                                       "INITIAL_STATS: 1\nLIMITED_DISCIPLINES: 1\n"
                                       "LORE_CIRCLES_HC: 1\nDUAL_WIELD: 0\nLIMIT_SI: 1\n"
                                       "EXTENDED_CRT: 0\nEXTRA_STORAGE: 0\nWS_STACKING: 0\n"
                                       "SHIELD_ON_ARM: 0\nALLOW_MID_SAVES: 0\n"
                                       "ALLOW_GUIDED_RTN: 0\nEND\n";

} // namespace

TEST(RuleOptionsWriter, GoldenBlockIndentedWithCrLfAndShifted) {
    RuleOptions r;
    r.weaponRules = 2;
    r.allowSunblade = true;
    r.gmExtraDiscBonus = 1;
    DataFile f = openMemoryWrite("/data/profiles/resume1.dat");
    int nesting = 0;
    ASSERT_TRUE(writeRules(r, f, nesting));
    EXPECT_EQ(nesting, 0);
    const std::string expected = "WEAPON_RULES: 2\r\n"
                                 "    ARMOR_RULES: 0\r\n"
                                 "    ARMOR_REMOVAL: 1\r\n"
                                 "    HEAL_WITH_MEAL: 0\r\n"
                                 "    HEAL_STACKING: 0\r\n"
                                 "    HEALING_RULES: 0\r\n"
                                 "    INTELLIGENT_DAMAGE: 1\r\n"
                                 "    INTELLIGENT_AUTOHEAL: 1\r\n"
                                 "    INITIAL_STATS: 0\r\n"
                                 "    LIMITED_DISCIPLINES: 0\r\n"
                                 "    LORE_CIRCLES_HC: 0\r\n"
                                 "    DUAL_WIELD: 0\r\n"
                                 "    LIMIT_SI: 0\r\n"
                                 "    EXTENDED_CRT: 0\r\n"
                                 "    EXTRA_STORAGE: 0\r\n"
                                 "    WS_STACKING: 0\r\n"
                                 "    SHIELD_ON_ARM: 1\r\n"
                                 "    ALLOW_MINDBLAST: 1\r\n"
                                 "    ALLOW_PSI_SURGE: 1\r\n"
                                 "    DOUBLE_PSYCHIC_BONUSES: 0\r\n"
                                 "    ALLOW_ALETHER: 1\r\n"
                                 "    ALLOW_SILVER_HELMET: 1\r\n"
                                 "    ALLOW_SUNBLADE: 1\r\n"
                                 "    ALLOW_SHIELD: 0\r\n"
                                 "    WM_BOW_CS_BOOST: 1\r\n"
                                 "    WM_BOW_RN_BOOST: 0\r\n"
                                 "    WM_BOW_DAMAGE_BOOST: 0\r\n"
                                 "    ALLOW_MID_SAVES: 0\r\n"
                                 "    ALLOW_GUIDED_RTN: 0\r\n"
                                 "    GM_STATS_TRANSFER: 1\r\n"
                                 "    GM_ITEM_IMPORT: 0\r\n"
                                 "    GM_EXTRA_DISC_BONUS: 1\r\n"
                                 "    GM_RULES_NEW\r\n"
                                 "    BTB_RULES_NEW\r\n"
                                 "END\r\n";
    EXPECT_EQ(f.data, shiftBytes(expected));

    // Nested one level deeper (inside another record) everything moves right.
    DataFile g = openMemoryWrite("x.txt");
    nesting = 1;
    writeRules(r, g, nesting);
    EXPECT_EQ(nesting, 1);
    EXPECT_EQ(g.data.substr(0, 31), "    WEAPON_RULES: 2\r\n        AR");
    EXPECT_EQ(g.data.substr(g.data.size() - 9), "    END\r\n");
}

TEST(RuleOptionsReader, RoundTripAndKeysInAnyOrder) {
    RuleOptions r;
    applyProdigy(r);
    r.dualWield = 1;
    r.wmBowDamageBoost = true;
    DataFile f = openMemoryWrite("x.dat");
    int nesting = 0;
    writeRules(r, f, nesting);
    DataFile in = openMemoryRead(f.data, "x.dat");
    RuleOptions back;
    ASSERT_TRUE(readRules(in, back));
    EXPECT_EQ(back, r);

    RuleOptions shuffled = readBlock("## comment\nGM_RULES_NEW\nLIMIT_SI: 2\nBTB_RULES_NEW\n"
                                     "UNKNOWN_KEY: 9\nALLOW_SHIELD: 5\nWEAPON_RULES: 1\nEND\n"
                                     "WEAPON_RULES: 0\n");
    EXPECT_EQ(shuffled.limitSi, 2);
    EXPECT_TRUE(shuffled.allowShield);
    EXPECT_EQ(shuffled.weaponRules, 1);  // the key after END belongs to someone else
    EXPECT_EQ(shuffled.armorRemoval, 1); // missing keys take their defaults
}

TEST(RuleOptionsReader, ClampsAndEndOfFile) {
    bool ended = true;
    RuleOptions r = readBlock("WEAPON_RULES: 7\nINITIAL_STATS: -3\nLIMIT_SI: x\n"
                              "GM_STATS_TRANSFER: 99\nGM_RULES_NEW\nBTB_RULES_NEW\n",
                              &ended);
    EXPECT_FALSE(ended);
    EXPECT_EQ(r.weaponRules, 2);
    EXPECT_EQ(r.initialStats, 0);
    EXPECT_EQ(r.limitSi, 0);
    EXPECT_EQ(r.gmStatsTransfer, 2);
}

TEST(RuleOptionsReader, OldBlocksTakeThirdTierOptionsFromTheirPreset) {
    RuleOptions hc = readBlock(OLD_HARDCORE_BLOCK);
    EXPECT_EQ(hc.gmStatsTransfer, 0);
    EXPECT_EQ(hc.gmItemImport, 0);
    EXPECT_EQ(hc.gmExtraDiscBonus, 1);
    EXPECT_TRUE(isHardcore(hc, false));

    // The same with the fixed hardcore scores keeps method 2.
    std::string fixed = OLD_HARDCORE_BLOCK;
    fixed.replace(fixed.find("INITIAL_STATS: 1"), 16, "INITIAL_STATS: 2");
    RuleOptions hc2 = readBlock(fixed);
    EXPECT_EQ(hc2.initialStats, 2);
    EXPECT_EQ(hc2.gmExtraDiscBonus, 1);

    // A custom old block keeps the defaults of the new options.
    std::string custom = OLD_HARDCORE_BLOCK;
    custom.replace(custom.find("DUAL_WIELD: 0"), 13, "DUAL_WIELD: 1");
    RuleOptions c = readBlock(custom);
    EXPECT_EQ(c.gmStatsTransfer, 1);
    EXPECT_EQ(c.gmExtraDiscBonus, 0);

    // Old by-the-book blocks without BTB_RULES_NEW are made fully by-the-book,
    // whatever their shield setting and third-tier values were.
    RuleOptions btb = readBlock("SHIELD_ON_ARM: 0\nGM_STATS_TRANSFER: 0\nGM_RULES_NEW\nEND\n");
    EXPECT_TRUE(isByTheBook(btb, false));
    EXPECT_EQ(btb.shieldOnArm, 1);
    // ...but not once the marker says the block is new.
    RuleOptions kept = readBlock("SHIELD_ON_ARM: 0\nGM_RULES_NEW\nBTB_RULES_NEW\nEND\n");
    EXPECT_EQ(kept.shieldOnArm, 0);
    EXPECT_FALSE(isByTheBook(kept, false));
    EXPECT_TRUE(isByTheBook(kept, true));
}

TEST(RuleOptionsPresets, MatchingAndCustomSets) {
    RuleOptions r;
    EXPECT_TRUE(isByTheBook(r, false)); // the defaults are the book's rules
    EXPECT_FALSE(isHardcore(r, false));

    applyHardcore(r);
    EXPECT_TRUE(isHardcore(r, false));
    EXPECT_FALSE(isByTheBook(r, true));
    r.initialStats = 2;
    EXPECT_TRUE(isHardcore(r, false));
    r.initialStats = 3;
    EXPECT_FALSE(isHardcore(r, false));

    applyHardcore(r); // 3 is not a hardcore method: back to 1
    EXPECT_EQ(r.initialStats, 1);
    r.initialStats = 2;
    applyHardcore(r);
    EXPECT_EQ(r.initialStats, 2);

    // "*" options are outside the presets; the others make the set custom.
    r.allowSunblade = true;
    r.armorRemoval = 0;
    EXPECT_TRUE(isHardcore(r, false));
    r.extendedCrt = 1;
    EXPECT_FALSE(isHardcore(r, false));
    EXPECT_FALSE(isHardcore(r, true));

    RuleOptions p;
    applyProdigy(p);
    EXPECT_TRUE(isProdigy(p, false));
    EXPECT_TRUE(p.allowGuidedRtn);
    p.gmItemImport = 0;
    EXPECT_FALSE(isProdigy(p, false));
    EXPECT_TRUE(isProdigy(p, true));
    p.allowMidSaves = true;
    EXPECT_FALSE(isProdigy(p, true));
}

TEST(RuleOptionsInfo, LabelsKeysAndRanges) {
    const auto& infos = ruleOptionInfos();
    ASSERT_EQ(infos.size(), 32u);
    EXPECT_STREQ(infos.front().key, "WEAPON_RULES:");
    EXPECT_STREQ(infos.back().key, "GM_EXTRA_DISC_BONUS:");
    int changeable = 0;
    for (const auto& info : infos) {
        EXPECT_EQ(std::string(info.key).back(), ':');
        if (changeableInCampaign(info)) ++changeable;
    }
    // Armor removal, the two "intelligent" options and the ten archery options.
    EXPECT_EQ(changeable, 13);
    RuleOptions r;
    setRuleValue(r, infos[8], 9); // INITIAL_STATS
    EXPECT_EQ(r.initialStats, 3);
    setRuleValue(r, infos[17], 0); // ALLOW_MINDBLAST
    EXPECT_FALSE(r.allowMindblast);
}
