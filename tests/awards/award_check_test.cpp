#include "app/game_state.h"
#include "awards/award_check.h"
#include "awards/award_summary.h"
#include "character/rule_options.h"
#include "fs/data_file.h"
#include "save/campaign_state.h"
#include "save/profiles.h"
#include "script/section_change.h"
#include "script/section_runtime.h"

#include <gtest/gtest.h>

namespace {

AwardTest test(AwardTestKind kind, int book = 0, int amount = 0, std::vector<int> values = {},
               int extra = 0) {
    AwardTest t;
    t.kind = kind;
    t.book = book;
    t.amount = amount;
    t.values = std::move(values);
    t.extra = extra;
    return t;
}

AwardDefinition award(int id, const std::string& title, const std::string& medal,
                      std::vector<AwardTest> tests, int book = 1) {
    AwardDefinition a;
    a.id = id;
    a.title = title;
    a.medal = medal;
    a.book = book;
    a.difficulty = 2;
    a.tests = std::move(tests);
    return a;
}

struct AwardCheckTest : ::testing::Test {
    GameState g;
    Catalogues cat = compiledCatalogues();
    ProfileList profiles;

    void SetUp() override {
        // Book 1 finished without a fight, under the Prodigy rules.
        applyProdigy(g.rules);
        g.character.onBook = 1;
        g.character.travelLog = {{1, 1}, {1, 74}, {1, 350}};
        g.character.epCur = 3;
        g.character.epMax = 25;
        g.profiles = &profiles;
    }
    void add(const AwardDefinition& a) {
        ASSERT_TRUE(addAward(cat.awards, a));
        rebuildProfiles();
    }
    void rebuildProfiles() {
        for (Profile& p : profiles.slots)
            clearProfile(p, awardIds(cat.awards));
    }
    bool earned(int id) { return awardEarned(profiles.slots[0], id); }
    void fight(int book, int rounds) {
        BattleLogEntry e;
        e.book = book;
        e.rounds.push_back({}); // the opening entry
        for (int r = 0; r < rounds; ++r) {
            BattleLogRound round;
            round.randomNumber = 4;
            e.rounds.push_back(round);
        }
        g.character.battleLog.push_back(e);
    }
};

} // namespace

TEST_F(AwardCheckTest, EarnedOnceAndAnnouncedOnce) {
    add(award(1, "Ghost", "avoidUC",
              {test(AwardTestKind::Finished, 1), test(AwardTestKind::CombatsAtMost, 1, 0)}));
    EXPECT_TRUE(checkAwards(g, cat));
    EXPECT_TRUE(earned(1));
    EXPECT_TRUE(profiles.slots[0].awards[0].isNew);
    EXPECT_EQ(g.awardNotice.titles, (std::vector<std::string>{"Ghost"}));
    EXPECT_TRUE(g.awardNotice.profilesChanged);
    g.awardNotice = AwardNotice();
    EXPECT_FALSE(checkAwards(g, cat));
    EXPECT_FALSE(g.awardNotice.pending);
    EXPECT_FALSE(awardEarned(profiles.slots[1], 1)); // only the active profile earns
}

TEST_F(AwardCheckTest, TwoAwardsOneNoticeWithTheLaterMedal) {
    add(award(1, "Ghost", "avoidUC", {test(AwardTestKind::Finished, 1)}));
    add(award(7, "By a Thread", "agility", {test(AwardTestKind::EnduranceAtMost, 0, 3)}));
    ASSERT_TRUE(checkAwards(g, cat));
    EXPECT_EQ(g.awardNotice.titles, (std::vector<std::string>{"Ghost", "By a Thread"}));
    EXPECT_EQ(g.awardNotice.medal, "agility");
    const std::string tip = awardNoticeText(g.awardNotice.titles);
    EXPECT_EQ(tip, "Congratulations!`You have earned the following award(s):``Ghost`By a Thread"
                   "``(Click this medal to clear this notification.`You can see the details of "
                   "your new awards`by viewing the appropriate page in your action chart.)");
}

TEST_F(AwardCheckTest, DependentAwardFollowsInTheSecondPass) {
    // The award resting on the others comes first in the list.
    add(award(43, "Peacemaker", "heroic", {test(AwardTestKind::Awards, 0, 0, {1, 9})}, 0));
    add(award(1, "Ghost", "avoidUC", {test(AwardTestKind::Finished, 1)}));
    add(award(9, "Quiet", "avoidUC", {test(AwardTestKind::CombatsAtMost, 1, 0)}));
    ASSERT_TRUE(checkAwards(g, cat));
    EXPECT_TRUE(earned(43));
    EXPECT_EQ(g.awardNotice.titles.back(), "Peacemaker");
}

TEST_F(AwardCheckTest, RulesBookAndRecordsDecide) {
    AwardDefinition ghost = award(1, "Ghost", "avoidUC",
                                  {test(AwardTestKind::Finished, 1), test(AwardTestKind::CombatsAtMost, 1, 0)});
    add(ghost);
    AwardDefinition anyRules = award(2, "Anyone", "fresh", {test(AwardTestKind::Finished, 1)});
    anyRules.rulesRestricted = false;
    add(anyRules);
    AwardDefinition book2 = award(3, "Elsewhere", "loc", {test(AwardTestKind::NoRestarts)}, 2);
    book2.rulesRestricted = false;
    add(book2);
    AwardDefinition unavailable = award(4, "Later", "loc", {test(AwardTestKind::NoRestarts)});
    unavailable.difficulty = 0;
    add(unavailable);

    fight(1, 2); // a fight in book 1 spoils award 1
    g.rules.weaponRules = 0; // neither Prodigy nor another preset now
    EXPECT_EQ(classifyRules(g.rules), RULESET_CUSTOM);
    EXPECT_TRUE(checkAwards(g, cat));
    EXPECT_FALSE(earned(1));
    EXPECT_TRUE(earned(2));  // unrestricted: custom rules are enough
    EXPECT_FALSE(earned(3)); // book 2 never played
    bookRecord(g.campaign, 2); // now in the played-books list
    EXPECT_TRUE(checkAwards(g, cat));
    EXPECT_TRUE(earned(3));
    EXPECT_FALSE(earned(4)); // not available yet

    g.character.battleLog.clear();
    EXPECT_FALSE(checkAwards(g, cat)); // the rules are still custom
    applyProdigy(g.rules);
    EXPECT_TRUE(checkAwards(g, cat));
    EXPECT_TRUE(earned(1));
}

TEST_F(AwardCheckTest, SectionCountsAndFightRecords) {
    AwardTest sections = test(AwardTestKind::Sections, 1, 5, {29, 40, 57, 74});
    sections.doubled = {166};
    add(award(3, "Explorer", "loc", {sections}));
    add(award(8, "Swift", "heroic",
              {test(AwardTestKind::CombatsAtLeast, 1, 2), test(AwardTestKind::LongestFightAtMost, 1, 3)}));
    g.character.travelLog.push_back({1, 29});
    g.character.travelLog.push_back({1, 29}); // the same section twice counts once
    g.character.travelLog.push_back({2, 40}); // another book's section does not count
    g.character.travelLog.push_back({1, 57});
    fight(1, 3);
    fight(1, 4);
    EXPECT_FALSE(checkAwards(g, cat)); // 29, 57, 74: three; a fight of four rounds
    g.character.travelLog.push_back({1, 166});
    g.character.battleLog.back().rounds.pop_back();
    EXPECT_TRUE(checkAwards(g, cat));
    EXPECT_TRUE(earned(3));
    EXPECT_TRUE(earned(8));
}

TEST_F(AwardCheckTest, ButtonRuleWithoutTheButton) {
    add(award(5, "Pressed", "loc", {test(AwardTestKind::Button, 0, 4, {}, 2)}));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(checkAwards(g, cat));
    EXPECT_NE(testing::internal::GetCapturedStdout().find(
                  "Big error in checking for button ID: 4 in awards check..."),
              std::string::npos);
    SectionButton b;
    b.id = 4;
    b.value = 2;
    g.section.buttons.push_back(b);
    EXPECT_TRUE(checkAwards(g, cat));
}

TEST_F(AwardCheckTest, NoProfileListNoAwards) {
    add(award(1, "Ghost", "avoidUC", {test(AwardTestKind::Finished, 1)}));
    g.profiles = nullptr;
    EXPECT_FALSE(checkAwards(g, cat));
    EXPECT_FALSE(grantSectionAward(g, cat, 1));
    profiles.active = 9; // a bad index finds no profile either
    g.profiles = &profiles;
    EXPECT_FALSE(checkAwards(g, cat));
}

TEST_F(AwardCheckTest, SectionChangeChecksAndEffectGrantsWithCollections) {
    add(award(1, "Ghost", "avoidUC", {test(AwardTestKind::Finished, 1)}));
    // Arriving in the last section earns it.
    g.character.travelLog.clear();
    arriveInSection(g, cat, 350, SectionLeft());
    EXPECT_TRUE(earned(1));

    for (int id : {69, 106, 102, 93, 87, 111})
        add(award(id, "Part " + std::to_string(id), id == 111 ? "heroic" : "loc",
                  {test(AwardTestKind::Never)}, 0));
    rebuildProfiles();
    for (int id : {69, 106, 102, 93})
        EXPECT_TRUE(grantSectionAward(g, cat, id));
    EXPECT_FALSE(earned(111));
    g.awardNotice = AwardNotice();
    // Effect 64 grants the last part; the collection follows with its medal.
    SectionButton b;
    b.id = 1;
    Effect e;
    e.type.typeId = 64;
    e.value = 87;
    b.effects.push_back(e);
    g.section.buttons = {b};
    pressButton(g.section.buttons[0], g, cat);
    EXPECT_TRUE(earned(87));
    EXPECT_TRUE(earned(111));
    EXPECT_EQ(g.awardNotice.titles, (std::vector<std::string>{"Part 87", "Part 111"}));
    EXPECT_EQ(g.awardNotice.medal, "heroic");
    g.awardNotice = AwardNotice();
    EXPECT_FALSE(grantSectionAward(g, cat, 87)); // already earned: no second notice
    EXPECT_FALSE(g.awardNotice.pending);
    EXPECT_FALSE(grantSectionAward(g, cat, 500)); // no such award
}

TEST(AwardRules, PresetClassificationAndDemands) {
    RuleOptions r;
    applyByTheBook(r);
    EXPECT_EQ(classifyRules(r), RULESET_BY_THE_BOOK);
    r.armorRemoval = 0; // options outside the table do not matter
    r.allowMindblast = false;
    EXPECT_EQ(classifyRules(r), RULESET_BY_THE_BOOK);
    r.allowMidSaves = true;
    EXPECT_EQ(classifyRules(r), RULESET_CUSTOM);
    applyHardcore(r);
    EXPECT_EQ(classifyRules(r), RULESET_HARDCORE);
    r.initialStats = 2;
    EXPECT_EQ(classifyRules(r), RULESET_HARDCORE);
    r.initialStats = 3;
    EXPECT_EQ(classifyRules(r), RULESET_CUSTOM);
    applyProdigy(r);
    EXPECT_EQ(classifyRules(r), RULESET_PRODIGY);

    EXPECT_TRUE(rulesMeetDemand(RULESET_HARDCORE, DEMAND_STRICT_PRESET));
    EXPECT_FALSE(rulesMeetDemand(RULESET_PRODIGY, DEMAND_STRICT_PRESET));
    EXPECT_TRUE(rulesMeetDemand(RULESET_PRODIGY, DEMAND_ANY_PRESET));
    EXPECT_FALSE(rulesMeetDemand(RULESET_CUSTOM, DEMAND_ANY_PRESET));
    EXPECT_FALSE(rulesMeetDemand(RULESET_HARDCORE, DEMAND_BY_THE_BOOK));

    AwardDefinition btb;
    btb.rulesRequirement = DEMAND_BY_THE_BOOK;
    r.weaponRules = 1; // custom
    EXPECT_EQ(unmetRulesNote(btb, r), "(Must play with BY-THE-BOOK gameplay rules only)");
    applyByTheBook(r);
    EXPECT_EQ(unmetRulesNote(btb, r), "");
    btb.rulesRestricted = false;
    r.weaponRules = 1;
    EXPECT_EQ(unmetRulesNote(btb, r), "");
}

TEST(HallOfFame, SeriesPresetsAndDisqualification) {
    Character c;
    RuleOptions r;
    applyByTheBook(r);
    c.version = "1.5.0"; // older campaigns keep no picks to verify
    c.vaelBooksCompleted = 4;
    c.onBook = 5;
    c.onSection = 350;
    EXPECT_EQ(qualifyForHallOfFame(c, r), 0);
    c.onSection = 400; // the series' final section with one book to go
    EXPECT_EQ(qualifyForHallOfFame(c, r), 1);
    applyHardcore(r);
    EXPECT_EQ(qualifyForHallOfFame(c, r), 2);
    applyProdigy(r);
    EXPECT_EQ(qualifyForHallOfFame(c, r), 0);
    applyHardcore(r);
    c.tsFlag = true;
    EXPECT_EQ(qualifyForHallOfFame(c, r), 0);
    c.tsFlag = false;
    r.allowMindblast = false; // outside the preset table: still Hardcore
    EXPECT_EQ(qualifyForHallOfFame(c, r), 2);
}

TEST(EndOfBookSummary, Lines) {
    Character c;
    c.onBook = 1;
    BookSummary s = endOfBookSummary(c, "Fleeing the Ashen Keep", 2, false, true);
    EXPECT_EQ(s.title, "Congratulations!");
    EXPECT_NE(s.text.find("`No deaths/restarts - Special props to you!"), std::string::npos);
    EXPECT_NE(s.text.find("``(You have qualified to be in the Hardcore Hall of Fame!"),
              std::string::npos);
    EXPECT_NE(s.text.find("Campaign Saved..."), std::string::npos);
    EXPECT_TRUE(s.offerDownload);
    c.restarts = 2;
    c.onBook = 20;
    s = endOfBookSummary(c, "The Heart of Eternity", 0, true, true);
    EXPECT_EQ(s.text.find("No deaths"), std::string::npos);
    EXPECT_EQ(s.text.find("Hall of Fame"), std::string::npos);
    EXPECT_NE(s.text.find("You have completed the final Greystar adventure!"), std::string::npos);
    EXPECT_FALSE(s.offerDownload);
}

TEST_F(AwardCheckTest, ProfileAwardLinesForUnknownIdsAreSkipped) {
    add(award(1, "Ghost", "avoidUC", {test(AwardTestKind::Finished, 1)}));
    add(award(2, "Other", "loc", {test(AwardTestKind::Finished, 1)}));
    DataFile f = openMemoryRead("PROFILE: 0\nNAME: Ash\nAWARD: 170 1\nAWARD: -4 1\n"
                                "AWARD: 99999999999 1\nAWARD: 1 1\nAWARD: x 1\nLAST_ACTIVE: 0\n",
                                "profiles.txt");
    ASSERT_TRUE(readProfiles(f, profiles));
    ASSERT_EQ(profiles.slots[0].awards.size(), 2u);
    EXPECT_TRUE(earned(1));
    EXPECT_FALSE(earned(2));
    // What the profile kept is not announced again; the other one is.
    ASSERT_TRUE(checkAwards(g, cat));
    EXPECT_EQ(g.awardNotice.titles, (std::vector<std::string>{"Other"}));
}
