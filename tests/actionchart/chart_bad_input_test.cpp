// The chart given what a damaged save or a script could hand it: pages,
// books, notes, tiers and awards out of range. Never a crash, never an index
// past a list; the request is dropped and the page shows what there is.
#include "actionchart/chart_model.h"

#include "app/game_state.h"
#include "character/inventory.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct ChartBadInput : ::testing::Test {
    GameState g;
    Catalogues cat = compiledCatalogues();
    ChartState state;
    ChartContext ctx;

    void SetUp() override {
        g.character.onBook = 3;
        g.character.completedOpeningSection = true;
        g.character.notes = {"one", "two"};
        g.character.travelLog = {{3, 1}, {3, 40}};
        cat.journal.books.assign(cat.books.size(), {});
    }
    ChartPage page(int p) {
        state.page = p;
        return buildChartPage(state, g, cat, ctx);
    }
    static int count(const ChartPage& p, const std::string& prefix) {
        int n = 0;
        for (const ChartLine& l : p.lines) n += l.text.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }
};

TEST_F(ChartBadInput, pages_out_of_range_are_dropped) {
    state.page = CHART_NOTES;
    for (int bad : {0, -1, CHART_PAGE_COUNT + 1, INT_MAX, INT_MIN}) {
        performChartAction({ChartActionKind::ShowPage, 0, 0, bad}, state, g, cat);
        EXPECT_EQ(state.page, CHART_NOTES) << bad;
        EXPECT_TRUE(g.rulesState.screens.empty()) << bad; // taken off the queue all the same
    }
    // A page number the chart does not know builds the Stats page.
    ChartPage p = page(99);
    EXPECT_EQ(p.page, CHART_STATS);
    EXPECT_EQ(count(p, "COMBAT SKILL: "), 1);
    EXPECT_EQ(chartPageByName("0"), 0);
    EXPECT_EQ(chartPageByName("12"), 0);
    EXPECT_EQ(chartPageByName("-1"), 0);
    EXPECT_EQ(chartPageByName("99999999999999999999"), 0);
    EXPECT_EQ(chartPageByName("LOST"), CHART_LOST);
}

TEST_F(ChartBadInput, battles_book_line_closes_with_minus_one_and_odd_books_show_nothing) {
    // The Battles page's book line, like the Journal's, passes -1 for the
    // book shown, and leaves the Journal's choice alone.
    ChartPage p = page(CHART_BATTLES);
    const ChartLine* line = nullptr;
    for (const ChartLine& l : p.lines)
        if (l.text.rfind("Book 3: ", 0) == 0) line = &l;
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->click.value, -1);
    EXPECT_EQ(line->click.list, 1);
    performChartAction(line->click, state, g, cat);
    EXPECT_EQ(state.battlesBook, -1);
    EXPECT_EQ(state.journalBook, 0);
    EXPECT_EQ(count(page(CHART_BATTLES), "(No battles"), 0); // closed: nothing under it

    // A book no campaign has visited, or none at all: the book lines only.
    for (int book : {999, -7, INT_MAX}) {
        state.journalBook = state.battlesBook = book;
        EXPECT_EQ(count(page(CHART_JOURNAL), "40"), 0) << book;
        EXPECT_EQ(count(page(CHART_JOURNAL), "Book 3: "), 1) << book;
        EXPECT_EQ(count(page(CHART_BATTLES), "Book 3: "), 1) << book;
    }
    // A travel log in a book the catalogue does not have.
    g.character.travelLog = {{0, 5}, {77, 2}};
    state.journalBook = 77;
    ChartPage odd = page(CHART_JOURNAL);
    EXPECT_EQ(count(odd, "Book 77: ?"), 1);
    EXPECT_EQ(count(odd, "2"), 1);
}

TEST_F(ChartBadInput, notes_markers_and_tiers_out_of_range) {
    for (int bad : {2, -2, INT_MAX}) {
        performChartAction({ChartActionKind::DeleteNote, 0, bad}, state, g, cat);
        EXPECT_EQ(g.character.notes.size(), 2u) << bad;
    }
    performChartAction({ChartActionKind::DeleteNote, 0, 1}, state, g, cat);
    EXPECT_EQ(g.character.notes, std::vector<std::string>{"one"});

    g.character.disease = {5, 999, -3};
    g.character.damageFromCombat = 7;
    ChartPage notes = page(CHART_NOTES);
    EXPECT_EQ(count(notes, "- Severe Injuries: -7 EP"), 1);
    EXPECT_EQ(count(notes, "- Lasting condition 999"), 1);
    EXPECT_EQ(count(notes, "- Lasting condition -3"), 1);

    // A tier past the third: every page builds with the last tier's texts.
    g.character.onBookSeries = 7;
    state.viewedTier = 12;
    EXPECT_EQ(count(page(CHART_STATS), "GRAND MASTER RANK"), 1);
    EXPECT_EQ(count(page(CHART_CERTIFICATE), "GRAND MASTER RANK"), 1);
    for (int p = 1; p <= CHART_PAGE_COUNT; ++p) EXPECT_FALSE(page(p).lines.empty()) << p;
    performChartAction({ChartActionKind::ViewTier, 0, 0, 40}, state, g, cat);
    EXPECT_LE(state.viewedTier, 7);
    EXPECT_EQ(count(page(CHART_STATS), "VAEL RANK"), 0);
    EXPECT_EQ(certificateImage(-5), "cert1");
    EXPECT_EQ(certificateImage(INT_MAX), "cert3");
}

TEST_F(ChartBadInput, items_out_of_range_are_left_alone) {
    g.character.weapons = {Item()};
    for (ChartActionKind k : {ChartActionKind::Drop, ChartActionKind::Deposit, ChartActionKind::Equip,
                              ChartActionKind::Use, ChartActionKind::Cure, ChartActionKind::MoveUp,
                              ChartActionKind::MoveDown, ChartActionKind::Withdraw, ChartActionKind::Reclaim}) {
        for (ChartAction a : {ChartAction{k, LIST_WEAPONS, 5}, ChartAction{k, LIST_WEAPONS, -1},
                              ChartAction{k, 9, 0}, ChartAction{k, -4, 0}})
            performChartAction(a, state, g, cat);
        EXPECT_EQ(g.character.weapons.size(), 1u) << static_cast<int>(k);
    }
    for (int cur : {-1, 3, INT_MAX}) {
        performChartAction({ChartActionKind::CoinDrop, 0, 0, cur}, state, g, cat);
        performChartAction({ChartActionKind::CoinWithdraw, 0, 0, cur}, state, g, cat);
    }
    EXPECT_TRUE(g.rulesState.prompts.empty()); // no question about a currency that is not there
}

TEST_F(ChartBadInput, awards_out_of_range) {
    ChartAward a;
    a.id = 4;
    a.title = "Odd";
    a.series = 9;
    a.book = 0;
    a.difficulty = -3;
    a.category = 99;
    a.rulesNote = 17;
    ctx.awards = {a};
    ChartPage p = page(CHART_AWARDS);
    EXPECT_EQ(count(p, "GRANDMASTER Series Awards:"), 1);
    ASSERT_EQ(count(p, "Odd"), 1);
    const std::string tip = awardTooltip(a);
    EXPECT_EQ(tip.rfind("Odd`Difficulty: Not available yet`", 0), 0u) << tip;
    EXPECT_EQ(tip.find("(Must play"), std::string::npos) << tip;
}

} // namespace
