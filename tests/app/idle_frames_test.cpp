// Idle frames: the real main loop over the main menu, with the dummy video
// driver. A screen where nothing happens is drawn once and then left alone;
// anything that changes it is drawn again.
#include "app/main_loop.h"
#include "app/subsystem_hooks.h"
#include "ui/frame_dirty.h"
#include "ui/toolkit.h"
#include "ui/ui_fixture.h"
#include "ui/window_ids.h"
#include "ui/windows.h"

namespace {

class IdleFramesTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        mountBuiltData();
        Application& a = app();
        a.screen.surface = SDL_GetVideoSurface();
        a.screen.uiScale = a.screen.surface->h / 462.0f;
        a.settings.setDefaults();
        a.settings.targetFps = 60;
        hooks::loadCataloguesBeforeSettings(a);
        hooks::loadInterfaceImages(a);
        hooks::buildMainMenuWindows(a);
        hooks::openWindow(a, WIN_MAIN_MENU, OPEN_FROM_BOTTOM, "");
        // Let the menu slide in and come to rest.
        for (int i = 0; i < 200 && !restingMenu(); ++i)
            runFrame(a, 10);
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
        }
    }
    void TearDown() override {
        releaseWindows(app());
        releaseToolkit(app());
        UiTest::TearDown();
    }
    bool restingMenu() {
        const GameWindow* top = topWindow(app().windowManager);
        return top && top->id == WIN_MAIN_MENU && top->state == WINDOW_OPEN;
    }
    long framesDrawnOver(int frames) {
        const long before = app().framesDrawn;
        for (int i = 0; i < frames; ++i)
            runFrame(app(), 16);
        return app().framesDrawn - before;
    }
    // A screen point over button `id` of the main menu.
    bool pointOnButton(int id, int& x, int& y) {
        Button* b = findButton(*topWindow(app().windowManager), id);
        SDL_Surface* s = app().screen.surface;
        for (y = 0; y < s->h; y += 2)
            for (x = 0; x < s->w; x += 2)
                if (hitTest(*b, x, y)) return true;
        return false;
    }
    Uint32& pixel(int x, int y) {
        SDL_Surface* s = app().screen.surface;
        return reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x];
    }
    // The screen's pixels in rows [top, bottom).
    std::vector<Uint32> rows(int top, int bottom) {
        std::vector<Uint32> px;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < app().screen.surface->w; ++x)
                px.push_back(pixel(x, y));
        return px;
    }
    // The title pictures loaded and the slideshow's timers started.
    TitleScreen& startSlideshow() {
        loadTitlePictures(app());
        framesDrawnOver(3);
        return app().titleScreen;
    }
    // Rows [top, bottom) of the same moment drawn as a whole frame.
    std::vector<Uint32> wholeFrameRows(int top, int bottom) {
        app().frameDirty = true;
        runFrame(app(), 0);
        return rows(top, bottom);
    }
    void moveMouse(int x, int y) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = static_cast<Uint16>(x);
        e.motion.y = static_cast<Uint16>(y);
        SDL_PushEvent(&e);
    }
};

} // namespace

TEST_F(IdleFramesTest, StaticMenuDrawsOnceAndChangesDrawAgain) {
    ASSERT_TRUE(restingMenu());
    framesDrawnOver(2); // the frame after coming to rest shows the rested menu
    const long flipped = app().framesFlipped;
    EXPECT_EQ(framesDrawnOver(20), 0);
    EXPECT_EQ(app().framesFlipped, flipped); // nor sent to the display again

    // The pointer comes over a button: drawn at once, and again while its
    // tooltip waits for its delay; then the screen rests once more.
    int x = 0, y = 0;
    ASSERT_TRUE(pointOnButton(3, x, y));
    moveMouse(x, y);
    EXPECT_GE(framesDrawnOver(1), 1);
    EXPECT_EQ(app().framesFlipped, flipped + 1);
    const int delayFrames = currentButtonStyle().tipDelayMs / 16 + 10;
    EXPECT_GE(framesDrawnOver(delayFrames), delayFrames - 12);
    EXPECT_EQ(framesDrawnOver(10), 0);

    // Anything else that changes the screen asks with the one call.
    markFrameDirty();
    EXPECT_EQ(framesDrawnOver(5), 1);
    // A window opening or closing is seen without being asked.
    closeWindow(WIN_MAIN_MENU, app().windowManager, 0);
    EXPECT_GE(framesDrawnOver(5), 5);
}

// While only the title logo slides, a frame redraws the logo's rows alone,
// and they come out as a whole frame would draw them.
TEST_F(IdleFramesTest, LogoSlideRedrawsItsRowsAsAWholeFrameWould) {
    Application& a = app();
    TitleScreen& t = startSlideshow();
    ASSERT_TRUE(t.logo);
    t.backgroundTimer = -1000000; // no cross-fade during this test
    t.logoTimer = t.logoInterval; // the slide begins next frame
    framesDrawnOver(10);
    ASSERT_GE(t.logoSlide, 0);
    SDL_Surface* s = a.screen.surface;
    const int below = t.logoY + t.logo->h + 2;
    ASSERT_LT(below, s->h);
    auto rowsOutside = [&] {
        std::vector<Uint32> px = rows(0, t.logoY);
        const std::vector<Uint32> after = rows(t.logoY + t.logo->h, s->h);
        px.insert(px.end(), after.begin(), after.end());
        return px;
    };
    const Uint32 marker = SDL_MapRGB(s->format, 255, 0, 255);
    pixel(3, below) = marker;
    const std::vector<Uint32> outside = rowsOutside();
    EXPECT_EQ(framesDrawnOver(1), 1);
    EXPECT_TRUE(rowsOutside() == outside); // outside the band: left alone, the menu too
    const std::vector<Uint32> band = rows(t.logoY, t.logoY + t.logo->h);

    EXPECT_TRUE(wholeFrameRows(t.logoY, t.logoY + t.logo->h) == band);
    EXPECT_NE(pixel(3, below), marker);
    freeTitlePictures(t);
}

// While only the backgrounds cross-fade, a frame leaves what the resting
// menu and logo hide wholly as it is, and everything it draws comes out as a
// whole frame would draw it.
TEST_F(IdleFramesTest, CrossFadeRedrawsWhatShowsAsAWholeFrameWould) {
    Application& a = app();
    TitleScreen& t = startSlideshow();
    t.logoTimer = -1000000;                  // no slide during this test
    t.backgroundTimer = t.backgroundInterval; // the fade begins next frame
    framesDrawnOver(10);
    ASSERT_GE(t.backgroundFade, 0);
    const GameWindow* menu = topWindow(a.windowManager);
    ASSERT_GT(menu->cover.w, 0);
    ASSERT_GT(t.logoCover.w, 0);
    SDL_Surface* s = a.screen.surface;
    const Uint32 marker = SDL_MapRGB(s->format, 255, 0, 255);
    const int mx = menu->x + menu->cover.x + menu->cover.w / 2, my = menu->y + menu->cover.y;
    const int lx = t.logoX + t.logoCover.x, ly = t.logoY + t.logoCover.y + t.logoCover.h - 1;
    const Uint32 menuPixel = pixel(mx, my), logoPixel = pixel(lx, ly);
    pixel(mx, my) = marker;
    pixel(lx, ly) = marker;
    EXPECT_EQ(framesDrawnOver(1), 1);
    EXPECT_EQ(pixel(mx, my), marker); // covered: left alone
    EXPECT_EQ(pixel(lx, ly), marker);
    pixel(mx, my) = menuPixel;
    pixel(lx, ly) = logoPixel;
    const std::vector<Uint32> inParts = rows(0, s->h);

    EXPECT_TRUE(wholeFrameRows(0, s->h) == inParts);
    freeTitlePictures(t);
}

// A background that comes round again is the picture kept from its last
// turn, not one decoded again; the pictures on the screen are never among
// the kept ones, and leaving the title screens lets them all go.
TEST_F(IdleFramesTest, ABackgroundComingRoundAgainIsTheOneKept) {
    Application& a = app();
    TitleScreen& t = startSlideshow();
    t.logoTimer = -1000000;
    auto fade = [&] {
        t.backgroundTimer = t.backgroundInterval;
        runFrame(a, 33);
        ASSERT_GE(t.backgroundFade, 0);
        for (int i = 0; i < 200 && t.backgroundFade >= 0; ++i)
            runFrame(a, 33);
        ASSERT_LT(t.backgroundFade, 0);
    };
    const int first = t.backgroundPick;
    SDL_Surface* const firstPicture = t.background;
    fade();
    SDL_Surface* const secondPicture = t.background;
    ASSERT_NE(secondPicture, firstPicture);
    ASSERT_EQ(t.kept.size(), 1u);
    EXPECT_EQ(t.kept[0].surface, firstPicture);

    t.upcomingBackground.reset(); // the first picture is the next one
    t.upcomingBackgroundPick = first;
    fade();
    EXPECT_EQ(t.background, firstPicture);
    ASSERT_EQ(t.kept.size(), 1u);
    EXPECT_EQ(t.kept[0].surface, secondPicture);
    freeTitlePictures(t);
    EXPECT_TRUE(t.kept.empty());
}

// The turn "Start" is clicked in draws nothing: the window is still the title
// window, and a play screen drawn into it would flash before the cover.
TEST_F(IdleFramesTest, TheTurnThatChoosesPlayDrawsNoPlayScreen) {
    Application& a = app();
    framesDrawnOver(2);
    a.frameDirty = true; // a click was handled this turn
    a.playing = true;
    a.game.pendingStart = -1;
    const long drawn = a.framesDrawn;
    runFrame(a, 16); // enters play after its frame
    EXPECT_EQ(a.framesDrawn, drawn);
    EXPECT_EQ(a.game.pendingStart, 0);
    EXPECT_GE(framesDrawnOver(1), 1); // the first play frame
    hooks::releaseSubsystems(a); // play's fonts and images go before the libraries
}
