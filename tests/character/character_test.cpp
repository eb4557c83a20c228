#include "character/character.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Character inTier(Tier tier, int vael, int dravic, int gm) {
    Character c;
    c.onBookSeries = tier;
    c.vaelBooksCompleted = vael;
    c.dravicBooksCompleted = dravic;
    c.grandMasterBooksCompleted = gm;
    return c;
}

} // namespace

TEST(DisciplineTables, NamesOrdersAndWeaponNames) {
    EXPECT_EQ(disciplineTable(TIER_VAEL).entries.size(), 10u);
    EXPECT_EQ(disciplineTable(TIER_DRAVIC).entries.size(), 10u);
    EXPECT_EQ(disciplineTable(TIER_GRAND_MASTER).entries.size(), 12u);

    std::string dravicOrder;
    for (const DisciplineInfo& d : disciplineTable(TIER_DRAVIC).entries)
        dravicOrder += std::to_string(d.id) + " ";
    EXPECT_EQ(dravicOrder, "5 8 4 0 1 3 7 6 9 2 ");
    EXPECT_EQ(disciplineTable(TIER_GRAND_MASTER).entries.back().name, "Vael-Alchemy");
    EXPECT_EQ(disciplineTable(TIER_VAEL).entries[3].name, "Tracking");

    // Looked up by role id, whatever the presentation order.
    EXPECT_EQ(disciplineInfo(TIER_DRAVIC, DISC_HEALING).name, "Curing");
    EXPECT_EQ(disciplineInfo(TIER_GRAND_MASTER, DISC_MINDSHIELD).name, "Vael-Screen");
    EXPECT_EQ(disciplineInfo(TIER_VAEL, DISC_HUNTING).bonusText,
              ": No need for meal when instructed");
    EXPECT_EQ(disciplineInfo(TIER_GRAND_MASTER, DISC_WEAPONSKILL).bonusText, "");

    EXPECT_EQ(weaponName(WEAPON_SHORT_SWORD), "Short Sword");
    EXPECT_EQ(weaponNameUpper(WEAPON_QUARTERSTAFF), "QUARTERSTAFF");
    EXPECT_EQ(weaponName(10), "");
    EXPECT_EQ(weaponName(-1), "");
}

TEST(DisciplineTables, BadIdsPrintTheTablesErrorLine) {
    testing::internal::CaptureStderr();
    DisciplineInfo bad = disciplineInfo(TIER_DRAVIC, 10);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Tried to access invalid index in Dravic Disciplines.\n");
    EXPECT_EQ(bad.id, 0);
    EXPECT_EQ(bad.name, "");

    testing::internal::CaptureStderr();
    disciplineInfo(TIER_VAEL, -1);
    disciplineInfo(TIER_GRAND_MASTER, 12);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Tried to access invalid index in Vael Disciplines.\n"
              "Tried to access invalid index in Grandmaster Disciplines.\n");
    // Valid in the third tier only.
    EXPECT_EQ(disciplineInfo(TIER_GRAND_MASTER, 10).name, "Magi-Magic");
}

TEST(CharacterRank, LevelsAndTitles) {
    Character c = inTier(TIER_DRAVIC, 5, 0, 0);
    EXPECT_EQ(rankLevel(c, TIER_DRAVIC), 3);
    EXPECT_EQ(rankTitle(c, TIER_DRAVIC), "Vael Master Superior");
    EXPECT_EQ(rankHeading(TIER_DRAVIC), "DRAVIC RANK");

    // Looking back at the first series: one lower unless all five were done.
    Character partial = inTier(TIER_DRAVIC, 3, 0, 0);
    EXPECT_EQ(rankLevel(partial, TIER_VAEL), 7);
    EXPECT_EQ(rankTitle(partial, TIER_VAEL), "Guardian");
    Character four = inTier(TIER_DRAVIC, 4, 0, 0); // one short of the series
    EXPECT_EQ(rankLevel(four, TIER_VAEL), 8);
    EXPECT_EQ(rankLevel(c, TIER_VAEL), 10);
    EXPECT_EQ(rankTitle(c, TIER_VAEL), "Master");

    Character gm = inTier(TIER_GRAND_MASTER, 5, 6, 8);
    EXPECT_EQ(rankLevel(gm, TIER_DRAVIC), 8);
    EXPECT_EQ(rankTitle(gm, TIER_DRAVIC), "Scion-Vael");
    gm.dravicBooksCompleted = 7;
    EXPECT_EQ(rankTitle(gm, TIER_DRAVIC), "Vael Grand Master");
    EXPECT_EQ(rankTitle(gm, TIER_GRAND_MASTER), "Vael Supreme Master");

    // A later tier than the current one shows the current one.
    Character first = inTier(TIER_VAEL, 0, 0, 0);
    EXPECT_EQ(rankLevel(first, TIER_GRAND_MASTER), 5);
    EXPECT_EQ(rankTitle(first, TIER_GRAND_MASTER), "Initiate");

    first.vaelBooksCompleted = 3;
    EXPECT_EQ(rankTitle(first, TIER_VAEL), "Warmarn");
    first.warmarn = false;
    EXPECT_EQ(rankTitle(first, TIER_VAEL), "Journeyman");

    // Beyond the list (damaged counters) the last title stays.
    first.vaelBooksCompleted = 40;
    EXPECT_EQ(rankTitle(first, TIER_VAEL), "Master");
    first.vaelBooksCompleted = -40;
    EXPECT_EQ(rankTitle(first, TIER_VAEL), "Zero");
}

TEST(CharacterBonusText, RankDependentForms) {
    Character c = inTier(TIER_DRAVIC, 5, 5, 0); // level 8
    EXPECT_EQ(bonusTextFor(c, TIER_DRAVIC, DISC_MINDBLAST), ": +4 CS, -2 EP");
    EXPECT_EQ(bonusTextFor(c, TIER_DRAVIC, DISC_WEAPONSKILL), ": +4 CS");
    c.dravicBooksCompleted = 6; // level 9
    EXPECT_EQ(bonusTextFor(c, TIER_DRAVIC, DISC_MINDBLAST), ": +6 CS, -1 EP");
    c.dravicBooksCompleted = 4; // level 7
    EXPECT_EQ(bonusTextFor(c, TIER_DRAVIC, DISC_WEAPONSKILL), ": +3 CS");
    EXPECT_EQ(bonusTextFor(c, TIER_DRAVIC, DISC_HEALING), ": +1 EP per section w/o combat");

    EXPECT_EQ(bonusTextFor(c, TIER_GRAND_MASTER, DISC_WEAPONSKILL), ": +5 CS");
    EXPECT_EQ(bonusTextFor(c, TIER_GRAND_MASTER, DISC_MINDBLAST), ": +8 CS, -1 EP");
    EXPECT_EQ(bonusTextFor(c, TIER_GRAND_MASTER, DISC_HEALING), "");
    EXPECT_EQ(bonusTextFor(c, TIER_VAEL, DISC_MINDBLAST), ": +2 CS if enemy not immune");
    EXPECT_EQ(bonusTextFor(c, TIER_VAEL, 10), "");
}

TEST(CharacterDisciplines, LearnForgetAndCount) {
    Character c;
    learnDiscipline(c, TIER_DRAVIC, DISC_HEALING);
    learnDiscipline(c, TIER_DRAVIC, DISC_CAMOUFLAGE);
    learnDiscipline(c, TIER_DRAVIC, DISC_HEALING); // twice counts once
    learnDiscipline(c, TIER_VAEL, 10);             // no such Discipline
    EXPECT_TRUE(hasDiscipline(c, TIER_DRAVIC, DISC_HEALING));
    EXPECT_FALSE(hasDiscipline(c, TIER_VAEL, DISC_HEALING));
    EXPECT_TRUE(c.hasDiscipline[DISCIPLINE_FLAG_OFFSET[TIER_DRAVIC] + DISC_HEALING]);
    EXPECT_EQ(knownCount(c, TIER_DRAVIC), 2);
    EXPECT_EQ(c.disciplineOrder[TIER_DRAVIC], (std::vector<int>{4, 0}));
    EXPECT_EQ(knownCount(c, TIER_VAEL), 0);

    forgetDiscipline(c, TIER_DRAVIC, DISC_HEALING);
    EXPECT_FALSE(hasDiscipline(c, TIER_DRAVIC, DISC_HEALING));
    EXPECT_EQ(c.disciplineOrder[TIER_DRAVIC], (std::vector<int>{0}));

    learnDiscipline(c, TIER_GRAND_MASTER, DISC_VAEL_ALCHEMY);
    EXPECT_TRUE(c.hasDiscipline[31]);
    EXPECT_FALSE(hasDiscipline(c, 3, 0));
}

TEST(CharacterReset, ValuesAndStartingCounts) {
    Character c;
    c.epCur = 12;
    c.haveBackpack = false;
    c.warmarn = false;
    c.notes.push_back("x");
    learnDiscipline(c, TIER_VAEL, 3);
    resetCharacter(c);
    EXPECT_EQ(c.epCur, 0);
    EXPECT_TRUE(c.haveBackpack);
    EXPECT_TRUE(c.haveBeltPouch);
    EXPECT_TRUE(c.warmarn);
    EXPECT_EQ(c.hcLeft, 10);
    EXPECT_EQ(c.onBook, 1);
    EXPECT_EQ(c.onSection, 1);
    EXPECT_EQ(c.version, "1.17.0");
    EXPECT_TRUE(c.notes.empty());
    EXPECT_EQ(knownCount(c, TIER_VAEL), 0);
    EXPECT_FALSE(c.hasDiscipline[3]);

    startCampaignInTier(c, TIER_VAEL);
    EXPECT_EQ(c.disciplinesToChoose, 5);
    startCampaignInTier(c, TIER_DRAVIC);
    EXPECT_EQ(c.disciplinesToChoose, 3);
    startCampaignInTier(c, TIER_GRAND_MASTER);
    EXPECT_EQ(c.disciplinesToChoose, 4);
    EXPECT_EQ(c.onBookSeries, TIER_GRAND_MASTER);
}

TEST(CharacterInitialStats, RebuiltFromBaseTravelLogAndSpecialItems) {
    Character c;
    c.csBase = 18;
    c.epMax = 31;
    c.travelLog = {{1, 12}, {1, 236}, {3, 55}};
    Item helmet;
    helmet.type = ITEM_SPECIAL;
    helmet.bonuses[0].epBonus = 2;
    helmet.bonuses[1].epBonus = 9; // other rule variants do not count
    Item chain = helmet;
    chain.bonuses[0].epBonus = 4;
    Item ring;
    ring.type = ITEM_SPECIAL;
    c.specialItems = {helmet, ring, chain};
    rebuildInitialStats(c);
    EXPECT_EQ(c.csInitial, 15);
    EXPECT_EQ(c.epInitial, 25);

    c.travelLog = {{3, 236}, {1, 55}};
    rebuildInitialStats(c);
    EXPECT_EQ(c.csInitial, 18);
}

TEST(CharacterMaps, HighestCarriedMapNumber) {
    Character c;
    EXPECT_EQ(highestMapNumber(c), -1);
    Item map;
    map.name = "Map";
    map.uses = 3;
    Item other = map;
    other.name = "Map Case"; // not a map
    other.uses = 9;
    c.specialItems = {map, other};
    map.uses = 5;
    c.backpackItems = {map};
    EXPECT_EQ(highestMapNumber(c), 5);
}

TEST(CharacterImprovements, WrapsAtSixtyCharacters) {
    std::string para(59, 'a');
    para += "b c d";
    EXPECT_EQ(wrapImprovement(para), std::string(59, 'a') + "b`c d");
    // An existing break restarts the count.
    EXPECT_EQ(wrapImprovement(std::string(30, 'x') + "`" + std::string(40, 'y') + " z"),
              std::string(30, 'x') + "`" + std::string(40, 'y') + " z");
    EXPECT_EQ(wrapImprovement(std::string(61, 'q') + " r s"), std::string(61, 'q') + "`r s");
}

class DisciplineTextTest : public VfsTest {};

TEST_F(DisciplineTextTest, ImprovementBlockFollowsRank) {
    writeRealFile(userFile("data/misc/disciplines.txt"),
                  "## test lore\r\n"
                  "DISCIPLINE: 1 7\r\n"
                  "    DESCRIPTION: Surge of the mind.`Second line.\r\n"
                  "    IMPROVEMENT: First.\r\n"
                  "    IMPROVEMENT: Second.\r\n"
                  "    IMPROVEMENT: Third.\r\n"
                  "END\r\n"
                  "DISCIPLINE: 2 4\r\n"
                  "    IMPROVEMENT: Only one.\r\n"
                  "END\r\n"
                  "DISCIPLINE: 0 12\r\n"
                  "END\r\n");
    DisciplineTexts texts;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(loadDisciplineTexts(texts));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Skipping"), std::string::npos);
    EXPECT_EQ(disciplineInfo(TIER_DRAVIC, DISC_MINDBLAST).description, "");
    EXPECT_EQ(disciplineInfo(texts, TIER_DRAVIC, DISC_MINDBLAST).description,
              "Surge of the mind.`Second line.");

    // Psi-Surge: thresholds 4, 6, 9.
    Character c = inTier(TIER_DRAVIC, 5, 0, 0);
    EXPECT_EQ(improvementText(texts, c, TIER_DRAVIC, DISC_MINDBLAST),
              "``Improvements to this Discipline:");
    c.dravicBooksCompleted = 3; // level 6
    EXPECT_EQ(improvementText(texts, c, TIER_DRAVIC, DISC_MINDBLAST),
              "``Improvements to this Discipline:``First.``Second.");
    c.dravicBooksCompleted = 6;
    EXPECT_EQ(improvementText(texts, c, TIER_DRAVIC, DISC_MINDBLAST),
              "``Improvements to this Discipline:``First.``Second.``Third.");
    EXPECT_EQ(improvementText(texts, c, TIER_VAEL, DISC_MINDBLAST), "");

    // Deliverance (thresholds 6, 8, 9, 11) with only one paragraph in the data.
    Character gm = inTier(TIER_GRAND_MASTER, 5, 7, 8);
    gm.gmRerollStats = true;
    EXPECT_EQ(improvementText(texts, gm, TIER_GRAND_MASTER, DISC_HEALING),
              "``Improvements to this Discipline:``Only one."
              "``(SELECTING GM BASE STATS FORFEITS ANY LOYALTY BONUSES)");

    // Loading again replaces the paragraphs instead of adding to them.
    ASSERT_TRUE(loadDisciplineTexts(texts));
    EXPECT_EQ(disciplineInfo(texts, TIER_DRAVIC, DISC_MINDBLAST).improvements.size(), 3u);

    testing::internal::CaptureStdout();
    EXPECT_FALSE(loadDisciplineTexts(texts, "/data/misc/none.txt"));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Couldn't open"), std::string::npos);
}

TEST_F(DisciplineTextTest, ShippedLoreCoversEveryDiscipline) {
    mountBuiltData();
    DisciplineTexts texts;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(loadDisciplineTexts(texts));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    for (Tier t = 0; t < TIER_COUNT; ++t) {
        for (const DisciplineInfo& entry : disciplineTable(t).entries) {
            const DisciplineInfo d = disciplineInfo(texts, t, entry.id);
            SCOPED_TRACE(d.name);
            EXPECT_GE(d.description.size(), 100u);
            EXPECT_LE(d.description.size(), 750u);
            EXPECT_EQ(d.improvements.size(), improvementThresholds(t, d.id).size());
            for (const std::string& p : d.improvements)
                EXPECT_GE(p.size(), 40u);
        }
    }
}
