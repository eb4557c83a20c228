#include "book/random_table_view.h"
#include "ui/ui_fixture.h"

#include <cstdlib>

TEST_F(UiTest, RandomTablePopupDrawsEachStep) {
    mountBuiltData();
    RandomTableView view;
    ASSERT_TRUE(loadRandomTableView(view, 1280, 1024, "rnt1", "bluehigh", SDL_Color{255, 0, 0, 0}));
    SDL_Surface* screen =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 1280, 1024, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    RandomNumberTable t;
    loadTable(t, 1);
    RandomSource random;
    seedRandom(random, 31, 0);
    PickRequest guided;
    guided.value2 = 1;
    startPick(t, guided, random, false);
    updatePick(t, 10000, 2, random);
    SDL_FillRect(screen, nullptr, 0);
    drawPick(view, t, screen, 2);
    // The guide lies over the waiting grid: its centre is not the bare box.
    ASSERT_TRUE(chooseRegion(t, regionForKey(SDLK_KP5), random));
    updatePick(t, 750, 2, random); // the bars halfway (the table was in already)
    EXPECT_EQ(t.step, 1);
    SDL_FillRect(screen, nullptr, 0);
    drawPick(view, t, screen, 2);
    if (const char* dir = std::getenv("QH_SHOT_DIR"))
        SDL_SaveBMP(screen, (std::string(dir) + "/rnt_bars.bmp").c_str());
    updatePick(t, 900, 2, random); // the number shows
    EXPECT_EQ(t.step, 2);
    SDL_FillRect(screen, nullptr, 0);
    drawPick(view, t, screen, 2);
    if (const char* dir = std::getenv("QH_SHOT_DIR"))
        SDL_SaveBMP(screen, (std::string(dir) + "/rnt_number.bmp").c_str());
    EXPECT_EQ(regionForKey(SDLK_KP7), 7);
    EXPECT_EQ(regionForKey(SDLK_a), RNT_NO_REGION);
    freeRandomTableView(view);
    SDL_FreeSurface(screen);
}
