// The award page filled from the award table and the profile, the award
// details with their hints, the certificate's words, and the chart pages as
// the text player prints and presses them.
#include "actionchart/chart_model.h"

#include "app/game_state.h"
#include "awards/award_check.h"
#include "awards/award_details.h"
#include "character/inventory.h"
#include "character/rule_options.h"
#include "save/profiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

AwardDefinition makeAward(int id, int book, int series, int demand, bool restricted) {
    AwardDefinition a;
    a.id = id;
    a.title = "Award " + std::to_string(id);
    a.description = "Lore of " + std::to_string(id);
    a.statusNote = "(Status " + std::to_string(id) + ")";
    a.medal = id == 2 ? "bow" : "medal_generic";
    a.book = book;
    a.series = series;
    a.rulesRequirement = demand;
    a.rulesRestricted = restricted;
    a.displayOrder = 10 - id;
    a.difficulty = 1;
    a.category = 3;
    return a;
}

struct AwardPageTest : ::testing::Test {
    GameState g;
    Catalogues cat = compiledCatalogues();
    ProfileList profiles;
    ChartState state;

    void SetUp() override {
        cat.awards = AwardCatalogue();
        addAward(cat.awards, makeAward(1, 1, 0, DEMAND_BY_THE_BOOK, true));
        addAward(cat.awards, makeAward(2, 1, 0, DEMAND_ANY_PRESET, true));
        addAward(cat.awards, makeAward(3, 0, 1, DEMAND_BY_THE_BOOK, false));
        for (Profile& p : profiles.slots) clearProfile(p, awardIds(cat.awards));
        profiles.active = 1;
        profiles.slots[1].name = "Aldric";
        profiles.slots[1].awards[1].earned = true; // award 2, new this run
        profiles.slots[1].awards[1].isNew = true;
        profiles.slots[1].awards[2].earned = true; // award 3, from an earlier run
        g.profiles = &profiles;
        applyByTheBook(g.rules);
        state.page = CHART_AWARDS;
    }
    ChartPage page() { return buildChartPage(state, g, cat, chartContext(g, cat)); }
    static const ChartLine* find(const ChartPage& p, const std::string& text) {
        for (const ChartLine& l : p.lines)
            if (l.text == text) return &l;
        return nullptr;
    }
    static int at(const ChartPage& p, const std::string& text) {
        for (size_t i = 0; i < p.lines.size(); ++i)
            if (p.lines[i].text == text) return static_cast<int>(i);
        return -1;
    }
};

TEST_F(AwardPageTest, filled_from_the_table_and_the_active_profile) {
    ChartPage p = page();
    EXPECT_EQ(p.lines[0].text, "PROFILE AWARDS for Aldric");
    // Book awards by display order (2 before 1), then the series award.
    const int book = at(p, "Book 1 Awards:"), two = at(p, "Award 2"), one = at(p, "Award 1"),
              series = at(p, "DRAVIC Series Awards:");
    ASSERT_GE(book, 0);
    EXPECT_LT(book, two);
    EXPECT_LT(two, one);
    EXPECT_LT(one, series);
    const ChartLine* earned = find(p, "Award 2");
    EXPECT_EQ(earned->image, "bow");
    EXPECT_EQ(earned->badge, "newly");
    EXPECT_EQ(earned->click.kind, ChartActionKind::AwardDetails);
    EXPECT_EQ(earned->click.value, 2);
    EXPECT_NE(find(p, "Lore of 2"), nullptr);
    EXPECT_NE(find(p, "(Status 2)"), nullptr);
    // Not earned: the blank medal, no lore, no status.
    EXPECT_EQ(find(p, "Award 1")->image, "unearned_medal");
    EXPECT_EQ(find(p, "Lore of 1"), nullptr);
    // Earned in an earlier run: no "newly" mark.
    EXPECT_TRUE(find(p, "Award 3")->badge.empty());
    // Every restricted award names its demand in the tooltip.
    EXPECT_NE(find(p, "Award 1")->tooltip.find("(Must play with BY-THE-BOOK gameplay rules only)"),
              std::string::npos);
    EXPECT_EQ(find(p, "Award 3")->tooltip.find("(Must play"), std::string::npos);

    // Another profile, another set of marks.
    profiles.active = 0;
    p = page();
    EXPECT_EQ(find(p, "Award 2")->image, "unearned_medal");
    g.profiles = nullptr;
    EXPECT_EQ(page().lines[0].text, "PROFILE AWARDS for ");
}

TEST_F(AwardPageTest, rule_note_only_where_the_rules_fall_short) {
    const std::string btb = "(Must play with BY-THE-BOOK gameplay rules only)";
    EXPECT_EQ(find(page(), btb), nullptr);
    applyHardcore(g.rules);
    ChartPage p = page();
    // Award 1 (By-the-Book only) now shows its note under it; award 2 (any
    // preset) and the unrestricted award 3 do not.
    const int note = at(p, btb);
    ASSERT_GE(note, 0);
    EXPECT_GT(note, at(p, "Award 1"));
    EXPECT_EQ(find(p, "(Must play with BY-THE-BOOK, HARDCORE, or PRODIGY gameplay rules)"), nullptr);
    g.rules.dualWield = 1; // custom rules: every restricted award falls short
    p = page();
    EXPECT_NE(find(p, btb), nullptr);
    EXPECT_NE(find(p, "(Must play with BY-THE-BOOK, HARDCORE, or PRODIGY gameplay rules)"), nullptr);
    EXPECT_EQ(std::count_if(p.lines.begin(), p.lines.end(),
                            [](const ChartLine& l) { return l.text.rfind("(Must play", 0) == 0; }),
              2);
}

TEST(AwardDetails, texts_and_graded_hints) {
    AwardDefinition a = makeAward(7, 1, 0, DEMAND_HARDCORE, true);
    std::string t = awardDetailsText(a, false, 6);
    EXPECT_EQ(t.rfind("Award 7`Difficulty: Easy`(Item Collection)`(Must play with HARDCORE gameplay "
                      "rules only)``(Not earned yet)",
                      0),
              0u)
        << t;
    EXPECT_NE(t.find(NO_HINT_TEXT), std::string::npos);
    EXPECT_EQ(t.find("Lore of 7"), std::string::npos);
    // Hints come vaguest first whatever the table's order, one more per page.
    a.hints = {{"the plain answer", 6}, {"a vague nudge", 1}, {"closer", 3}};
    t = awardDetailsText(a, true, 1);
    EXPECT_NE(t.find("Lore of 7`(Status 7)"), std::string::npos);
    EXPECT_NE(t.find("Hint 1 of 3: a vague nudge``(2 more hint(s))"), std::string::npos) << t;
    EXPECT_EQ(t.find("closer"), std::string::npos);
    t = awardDetailsText(a, true, 99); // held to the hints there are
    EXPECT_NE(t.find("Hint 2 of 3: closer``Hint 3 of 3: the plain answer"), std::string::npos);
    EXPECT_EQ(t.find("more hint"), std::string::npos);
    EXPECT_EQ(t.find(NO_HINT_TEXT), std::string::npos);
    EXPECT_EQ(awardDetailsText(a, true, -5).find("Hint 1"), std::string::npos);
}

TEST(Certificate, names_the_profile_and_the_rank) {
    Character c;
    c.onBook = 6;
    c.onBookSeries = TIER_DRAVIC;
    const std::string t = certificateText(c, "Aldric");
    EXPECT_EQ(t.rfind("This certifies that`Aldric`has attained the rank of`", 0), 0u) << t;
    EXPECT_NE(t.find(rankTitle(c, TIER_DRAVIC)), std::string::npos);
    EXPECT_NE(t.find("the Dravic"), std::string::npos);
    c.onBookSeries = 7; // out of range: held to the last tier
    EXPECT_NE(certificateText(c, "").find("Greystar"), std::string::npos);
}

TEST(ChartText, numbers_every_button_and_clickable_line) {
    GameState g;
    Catalogues cat = compiledCatalogues();
    Character& c = g.character;
    c.onBook = 1;
    c.completedOpeningSection = true;
    Item dagger;
    dagger.name = "Dagger";
    dagger.type = ITEM_WEAPON;
    dagger.equipable = true;
    Item axe = dagger;
    axe.name = "Axe";
    c.weapons = {dagger, axe};
    ChartState s;
    s.page = CHART_WEAPONS;
    std::vector<ChartButton> buttons;
    const std::string text = chartPageText(buildChartPage(s, g, cat, {}), buttons);
    EXPECT_EQ(text.rfind("== ACTION CHART: Weapons ==\n", 0), 0u) << text;
    EXPECT_NE(text.find("Dagger  [1 Drop]  [2 Equip]  [3 Down]"), std::string::npos) << text;
    EXPECT_NE(text.find("Axe  [4 Drop]  [5 Equip]  [6 Up]"), std::string::npos) << text;
    ASSERT_GE(buttons.size(), 6u);
    EXPECT_EQ(buttons[3].tooltip, DISCARD_ITEM_TIP);
    ChartState after = s;
    performChartAction(buttons[3].action, after, g, cat);
    ASSERT_EQ(c.weapons.size(), 1u);
    EXPECT_EQ(c.weapons[0].name, "Dagger");

    // A clickable line (the journal's book line) is numbered before its text.
    s.page = CHART_JOURNAL;
    const std::string journal = chartPageText(buildChartPage(s, g, cat, {}), buttons);
    EXPECT_NE(journal.find("[1] Book 1: "), std::string::npos) << journal;
    EXPECT_EQ(buttons[0].action.kind, ChartActionKind::JournalBook);
    EXPECT_EQ(buttons[0].action.value, -1);

    EXPECT_EQ(chartPageByName("Weapons"), CHART_WEAPONS);
    EXPECT_EQ(chartPageByName("11"), CHART_AWARDS);
    for (const char* bad : {"", "0", "12", "-1", "999999999999", "statsx", "1a"})
        EXPECT_EQ(chartPageByName(bad), 0) << bad;
}

} // namespace
