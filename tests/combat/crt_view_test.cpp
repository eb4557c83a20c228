#include "combat/crt_view.h"
#include "ui/ui_fixture.h"

#include <cstdlib>

namespace {

class CrtViewTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        mountBuiltData();
        ASSERT_TRUE(loadCombatTable(table));
        screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 1280, 1024, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        ASSERT_TRUE(loadTableImages(view, 1280, 1024, "bluehigh", SDL_Color{255, 0, 0, 0}));
    }
    void TearDown() override {
        freeTableImages(view);
        SDL_FreeSurface(screen);
        UiTest::TearDown();
    }
    // Optional picture for a person to look at.
    void shot(const char* name) {
        if (const char* dir = std::getenv("QH_SHOT_DIR"))
            SDL_SaveBMP(screen, (std::string(dir) + "/" + name).c_str());
    }
    CombatTable table;
    CombatResultsTable view;
    SDL_Surface* screen = nullptr;
};

} // namespace

TEST_F(CrtViewTest, ResultAnimationWritesTheCellAndWaitsForTheEngine) {
    EXPECT_NEAR(view.images[4]->h, 1024 * 0.6, 2);
    drawTable(view, table, 3);
    int hero = CRT_WAITING, enemy = CRT_WAITING;
    startResult(view, table, 3, 4, &hero, &enemy, 2);
    EXPECT_EQ(view.state, CRT_SLIDE_IN);
    updateTable(view, table, screen, 749, 2);
    EXPECT_EQ(view.state, CRT_SLIDE_IN);
    updateTable(view, table, screen, 1, 2); // slide time at speed 2: 750 ms
    updateTable(view, table, screen, 0, 2);
    EXPECT_EQ(view.state, CRT_BARS);
    EXPECT_EQ(view.target.column, 8);
    EXPECT_EQ(view.target.row, 3);
    // The bars start on the side away from the cell: column 8 from the left,
    // row 3 from the bottom.
    EXPECT_LT(view.colStartX, 0);
    EXPECT_EQ(view.rowStartY, view.images[4]->h);
    updateTable(view, table, screen, 1500, 2);
    EXPECT_EQ(view.state, CRT_RESULT);
    EXPECT_EQ(hero, CRT_WAITING);
    updateTable(view, table, screen, 10, 2);
    EXPECT_EQ(hero, table.heroLoss[8][3]);
    EXPECT_EQ(enemy, table.enemyLoss[8][3]);
    shot("crt_bars.bmp");
    // It holds until the engine has shown the damage.
    updateTable(view, table, screen, 100000, 2);
    EXPECT_EQ(view.state, CRT_RESULT);
    proceedTable(view);
    updateTable(view, table, screen, 750, 2);
    EXPECT_EQ(view.state, CRT_SLIDE_OUT);
    updateTable(view, table, screen, 750, 2);
    EXPECT_EQ(view.state, CRT_IDLE);
}

TEST_F(CrtViewTest, SkippedAnimationAndTheViewer) {
    int hero = CRT_WAITING, enemy = CRT_WAITING;
    startResult(view, table, -20, 0, &hero, &enemy, 4);
    EXPECT_EQ(view.state, CRT_RESULT);
    EXPECT_EQ(hero, table.heroLoss[0][9]);
    proceedTable(view);
    updateTable(view, table, screen, 249, 4);
    EXPECT_EQ(view.state, CRT_HOLD);
    updateTable(view, table, screen, 1, 4);
    EXPECT_EQ(view.state, CRT_IDLE);

    // Paging of the extended table, and the viewer's second page.
    view.extended = true;
    drawTable(view, table, 13);
    EXPECT_EQ(view.pageShift, 1);
    openTableViewer(view, table, 1);
    EXPECT_EQ(view.pageShift, 9);
    updateTable(view, table, screen, 2000, 4);
    EXPECT_EQ(view.state, CRT_HOLD);
    updateTable(view, table, screen, 100000, 4);
    EXPECT_EQ(view.state, CRT_HOLD); // held until closed
    shot("crt_viewer.bmp");
    closeTableViewer(view);
    updateTable(view, table, screen, 250, 4);
    EXPECT_EQ(view.state, CRT_IDLE);
    EXPECT_FALSE(view.viewerMode);
}
