#include "actionchart/chart_model.h"

#include "app/game_state.h"
#include "character/inventory.h"
#include "character/scores.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A hero in the middle of book 1: a sword with a bonus against undead, a
// dagger, a potion and a meal in the Backpack, a Special Item, coins, a note.
struct ChartFixture : ::testing::Test {
    GameState g;
    Catalogues cat = compiledCatalogues();
    ChartState state;
    ChartContext ctx;

    void SetUp() override {
        Character& c = g.character;
        c.onBook = 1;
        c.onSection = 120;
        c.completedOpeningSection = true;
        c.csBase = 15;
        c.epMax = 25;
        c.epCur = 18;
        learnDiscipline(c, TIER_VAEL, DISC_WEAPONSKILL);
        learnDiscipline(c, TIER_VAEL, DISC_MINDBLAST);
        c.weaponskillIn[WEAPON_SWORD] = true;
        Item sword;
        sword.id = 11;
        sword.name = "Ashen Sword";
        sword.type = ITEM_WEAPON;
        sword.weaponType = WEAPON_SWORD;
        sword.equipable = true;
        sword.description = "A blade forged in the Keep.";
        for (ItemBonus& b : sword.bonuses) {
            b.csBonuses = {2};
            b.bonusAgainsts = {"Undead"};
        }
        Item dagger;
        dagger.id = 0;
        dagger.name = "Dagger";
        dagger.type = ITEM_WEAPON;
        dagger.equipable = true;
        c.weapons = {sword, dagger};
        Item potion;
        potion.id = 50;
        potion.name = "Potion of Laumspur";
        potion.potion = true;
        potion.usable = true;
        potion.epRestore = 4;
        Item meal;
        meal.id = 51;
        meal.name = "Meal";
        meal.meal = true;
        c.backpackItems = {potion, meal};
        Item map;
        map.id = 52;
        map.name = "Map of the Marches";
        map.type = ITEM_SPECIAL;
        c.specialItems = {map};
        c.goldCrowns = 12;
        c.notes = {"Remember the masked gatekeeper."};
        c.travelLog = {{1, 1}, {1, 85}, {1, 120}};
        cat.journal.books.assign(cat.books.size(), {});
        cat.journal.books[0].resize(120);
        cat.journal.books[0][0] = "Woke at midnight.";
        cat.journal.books[0][84] = "Crossed the ford.";
    }

    ChartPage page(int p) {
        state.page = p;
        return buildChartPage(state, g, cat, ctx);
    }
    static const ChartLine* find(const ChartPage& page, const std::string& text) {
        for (const ChartLine& l : page.lines)
            if (l.text.find(text) != std::string::npos) return &l;
        return nullptr;
    }
    static const ChartLine* exact(const ChartPage& page, const std::string& text) {
        for (const ChartLine& l : page.lines)
            if (l.text == text) return &l;
        return nullptr;
    }
    static const ChartButton* button(const ChartLine* l, const std::string& caption) {
        if (!l) return nullptr;
        for (const ChartButton& b : l->buttons)
            if (b.caption == caption) return &b;
        return nullptr;
    }
    void press(const ChartButton* b) {
        ASSERT_NE(b, nullptr);
        performChartAction(b->action, state, g, cat);
    }
};

TEST_F(ChartFixture, journal_book_line_and_travel_log) {
    ChartPage p = page(CHART_JOURNAL);
    const ChartLine* book = find(p, "Book 1: ");
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->image, "book");
    // The log is open on the current book: its line closes it with -1.
    EXPECT_EQ(book->click.kind, ChartActionKind::JournalBook);
    EXPECT_EQ(book->click.value, -1);
    EXPECT_NE(find(p, "-Beginning a new campaign..."), nullptr);
    EXPECT_NE(find(p, "1: Woke at midnight."), nullptr);
    EXPECT_NE(find(p, "85: Crossed the ford."), nullptr);
    ASSERT_NE(button(book, "Export"), nullptr);
    EXPECT_EQ(button(book, "Export")->tooltip, "Save this book's travel log to a .txt file");

    // Pressing it goes through effect 50 and closes the log; pressing again opens it.
    performChartAction(book->click, state, g, cat);
    EXPECT_EQ(state.journalBook, -1);
    p = page(CHART_JOURNAL);
    EXPECT_EQ(find(p, "85: Crossed the ford."), nullptr);
    EXPECT_EQ(find(p, "Book 1: ")->click.value, 1);
    performChartAction(find(p, "Book 1: ")->click, state, g, cat);
    EXPECT_EQ(state.journalBook, 1);
}

TEST_F(ChartFixture, certificate_by_tier) {
    EXPECT_EQ(certificateImage(1), "cert1");
    EXPECT_EQ(certificateImage(5), "cert1");
    EXPECT_EQ(certificateImage(6), "cert2");
    EXPECT_EQ(certificateImage(12), "cert2");
    EXPECT_EQ(certificateImage(13), "cert3");
    g.character.onBook = 6;
    g.character.onBookSeries = TIER_DRAVIC;
    ChartPage p = page(CHART_CERTIFICATE);
    auto it = std::find_if(p.lines.begin(), p.lines.end(),
                           [](const ChartLine& l) { return l.style == ChartLineStyle::Picture; });
    ASSERT_NE(it, p.lines.end());
    EXPECT_EQ(it->image, "cert2");
    EXPECT_EQ(it->tooltip, "Click to view larger certificate");
    EXPECT_NE(find(p, "DRAVIC RANK"), nullptr);
}

TEST_F(ChartFixture, tabs_and_zoom) {
    ChartAction show{ChartActionKind::ShowPage, 0, 0, CHART_NOTES};
    performChartAction(show, state, g, cat);
    EXPECT_EQ(state.page, CHART_NOTES);
    EXPECT_TRUE(g.rulesState.screens.empty()); // the chart took its own request
    EXPECT_EQ(mainTabOf(CHART_NOTES), CHART_JOURNAL);
    EXPECT_EQ(groupTabs(CHART_LOST)[1].caption, "Lost Items");
    EXPECT_EQ(chartTabs().size(), 7u);

    std::array<int, CHART_ZOOM_COUNT> zoom{};
    EXPECT_FALSE(chartZoomStep(zoom, CHART_STATS, -1, 4)); // already at the bottom
    EXPECT_TRUE(chartZoomStep(zoom, CHART_AWARDS, 1, 4));
    EXPECT_EQ(zoom[9], 1);
    for (int i = 0; i < 6; ++i) chartZoomStep(zoom, CHART_AWARDS, 1, 4);
    EXPECT_EQ(zoom[9], 4);
    EXPECT_FALSE(chartZoomStep(zoom, CHART_CERTIFICATE, 1, 4));
    // Every zoomable page has its own value.
    std::vector<int> seen;
    for (int p = 1; p <= CHART_PAGE_COUNT; ++p)
        if (chartZoomIndex(p) >= 0) seen.push_back(chartZoomIndex(p));
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::unique(seen.begin(), seen.end()) - seen.begin(), CHART_ZOOM_COUNT);
}

TEST_F(ChartFixture, weapon_buttons_act_through_the_rules) {
    ChartPage p = page(CHART_WEAPONS);
    const ChartLine* sword = find(p, "Ashen Sword");
    ASSERT_NE(sword, nullptr);
    EXPECT_NE(sword->tooltip.find("``This weapon gives the following bonus:`  +2 CS versus Undead"),
              std::string::npos)
        << sword->tooltip;
    press(button(sword, "Equip"));
    EXPECT_TRUE(g.character.weapons[0].equipped);
    p = page(CHART_WEAPONS);
    EXPECT_NE(button(find(p, "Ashen Sword"), "Unequip"), nullptr);
    EXPECT_NE(find(p, "If holding Weapon and appropriate Weaponskill in combat: +2 CS"), nullptr);
    EXPECT_NE(find(p, "If combat entered carrying no weapon: -4 CS"), nullptr);
    // Down moves the sword below the dagger.
    press(button(find(p, "Ashen Sword"), "Down"));
    EXPECT_EQ(g.character.weapons[0].name, "Dagger");
    p = page(CHART_WEAPONS);
    press(button(find(p, "Dagger"), "Drop"));
    ASSERT_EQ(g.character.weapons.size(), 1u);
    EXPECT_EQ(g.character.weaponDiscards, 1);
    // Storage is shut in the middle of a book: no Deposit.
    EXPECT_EQ(button(find(page(CHART_WEAPONS), "Ashen Sword"), "Deposit"), nullptr);
}

TEST_F(ChartFixture, backpack_page) {
    ChartPage p = page(CHART_BACKPACK);
    EXPECT_NE(find(p, "Gold Crowns: 12"), nullptr);
    EXPECT_NE(find(p, "(50 maximum)"), nullptr);
    EXPECT_NE(find(p, "(maximum 8 articles)"), nullptr);
    press(button(find(p, "Gold Crowns: 12"), "Drop"));
    ASSERT_FALSE(g.rulesState.prompts.empty()); // how many to discard?
    EXPECT_EQ(g.rulesState.prompts.back().kind, PromptKind::CoinAmount);
    press(button(find(p, "Potion of Laumspur"), "Use"));
    EXPECT_EQ(g.character.epCur, 22);
    p = page(CHART_BACKPACK);
    EXPECT_NE(button(exact(p, "Meal"), "Eat"), nullptr);
    g.character.haveBeltPouch = false;
    EXPECT_NE(find(page(CHART_BACKPACK), "You do not have a Belt Pouch"), nullptr);
}

TEST_F(ChartFixture, cure_spends_the_dose_on_the_infection_only) {
    Item cure;
    cure.id = 92;
    cure.name = "Oede Herb";
    cure.potion = true;
    cure.usable = true;
    cure.epRestore = 10;
    cure.uses = 2;
    g.character.backpackItems = {cure};
    // Without the infection it is an ordinary restorative.
    EXPECT_EQ(button(find(page(CHART_BACKPACK), "Oede Herb"), "Cure"), nullptr);
    ASSERT_NE(button(find(page(CHART_BACKPACK), "Oede Herb"), "Use"), nullptr);

    g.character.disease = {DISEASE_BLOOD_POISONING, DISEASE_BACILLUS};
    ChartPage p = page(CHART_BACKPACK);
    EXPECT_EQ(button(find(p, "Oede Herb"), "Use"), nullptr);
    const ChartButton* b = button(find(p, "Oede Herb"), "Cure");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->tooltip, "Use this item to cure your Korovax Baccilus infection.`(It will not "
                          "perform its usual restorative effect.)");
    // Mid-fight it waits, like any potion.
    g.combat.started = true;
    press(b);
    EXPECT_EQ(g.character.disease.size(), 2u);
    ASSERT_EQ(g.messages.pending.size(), 1u);
    EXPECT_EQ(g.messages.pending[0].title, "Cannot use this Item right now");
    g.combat.won = true;
    press(b);
    EXPECT_EQ(g.character.disease, std::vector<int>{DISEASE_BLOOD_POISONING});
    EXPECT_EQ(g.character.epCur, 18); // no restorative effect
    ASSERT_EQ(g.character.backpackItems.size(), 1u);
    EXPECT_EQ(g.character.backpackItems[0].uses, 1); // one dose spent
    // Cured: the next press is an ordinary Use again.
    EXPECT_NE(button(find(page(CHART_BACKPACK), "Oede Herb"), "Use"), nullptr);
}

TEST_F(ChartFixture, stats_tooltips) {
    const std::string tip = combatSkillTooltip(g);
    EXPECT_EQ(tip.rfind("Base CS: 15`", 0), 0u) << tip;
    EXPECT_NE(tip.find("+2 Mindblast`"), std::string::npos) << tip;
    EXPECT_EQ(tip.substr(tip.size() - 23), "(including all bonuses)");
    ChartPage p = page(CHART_STATS);
    const ChartLine* cs = find(p, "COMBAT SKILL: ");
    ASSERT_NE(cs, nullptr);
    EXPECT_EQ(cs->tooltip, tip);
    EXPECT_NE(find(p, "VAEL RANK"), nullptr);
    EXPECT_NE(find(p, "Weaponskill: +2 CS with this weapon in Sword"), nullptr);
    EXPECT_NE(find(p, "Damage: "), nullptr);
}

TEST_F(ChartFixture, notes_page) {
    g.character.disease = {DISEASE_BLOOD_POISONING};
    ChartPage p = page(CHART_NOTES);
    ASSERT_GE(p.lines.size(), 4u);
    EXPECT_EQ(p.lines[1].text, "- Blood Poisoning: -2 EP/section"); // markers come first
    EXPECT_FALSE(p.lines[1].tooltip.empty());
    const ChartLine* note = find(p, "Remember the masked gatekeeper.");
    ASSERT_NE(button(note, "Delete"), nullptr);
    EXPECT_EQ(button(note, "Delete")->tooltip, "Delete this note (cannot be undone!)");
    press(button(find(p, "(Add a new note)"), "Add"));
    ASSERT_FALSE(g.rulesState.prompts.empty());
    EXPECT_EQ(g.rulesState.prompts.back().kind, PromptKind::Note);
    press(button(note, "Delete"));
    EXPECT_TRUE(g.character.notes.empty());
}

TEST_F(ChartFixture, battles_page) {
    BattleLogEntry fight;
    fight.book = 1;
    fight.title = "The gate guard";
    fight.section = 85;
    fight.rounds.push_back({"Kindled Guard", 14, 20, 17, 18, -1, 0, 11});
    fight.rounds.push_back({"Kindled Guard", 14, 16, 17, 15, 6, 0, 11});
    g.character.battleLog.push_back(fight);
    ChartPage p = page(CHART_BATTLES);
    EXPECT_NE(find(p, "Initial Stats for Greystar vs. Kindled Guard"), nullptr);
    const ChartLine* round = find(p, "Round 1:");
    ASSERT_NE(round, nullptr);
    EXPECT_NE(round->text.find("CR: 3"), std::string::npos) << round->text;
    EXPECT_NE(round->text.find("RN: 6"), std::string::npos);
}

TEST(ChartAwardsTest, tooltip_and_groups) {
    ChartAward a;
    a.id = 1;
    a.title = "Not a Scratch";
    a.difficulty = 2;
    a.category = 1;
    a.rulesNote = 2;
    EXPECT_EQ(awardTooltip(a), "Not a Scratch`Difficulty: Moderate`(Minimum Combat Count)`(Must play "
                               "with HARDCORE gameplay rules only)``(Click medal for details)");
    a.rulesNote = 0;
    a.difficulty = 9; // out of range: clamped, never past the list
    EXPECT_EQ(awardTooltip(a),
              "Not a Scratch`Difficulty: Expert`(Minimum Combat Count)``(Click medal for details)");
    GameState g;
    Catalogues cat = compiledCatalogues();
    ChartState s;
    s.page = CHART_AWARDS;
    ChartContext ctx;
    ctx.profileName = "Greystar";
    ChartAward series;
    series.id = 5;
    series.title = "Series";
    series.series = TIER_DRAVIC;
    series.earned = true;
    a.book = 1;
    ctx.awards = {series, a};
    ChartPage p = buildChartPage(s, g, cat, ctx);
    ASSERT_GE(p.lines.size(), 5u);
    EXPECT_EQ(p.lines[0].text, "PROFILE AWARDS for Greystar");
    EXPECT_EQ(p.lines[1].text, "Book 1 Awards:");
    EXPECT_EQ(p.lines[2].image, "unearned_medal");
    EXPECT_EQ(p.lines[3].text, "DRAVIC Series Awards:");
    EXPECT_EQ(p.lines[4].image, "medal_generic");
}

} // namespace
