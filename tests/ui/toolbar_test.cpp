#include "ui/image.h"
#include "ui/toolbar.h"
#include "ui/toolkit.h"
#include "ui_fixture.h"

#include <cmath>

namespace {

// A clickable screen button of w x h at (x, y).
std::unique_ptr<Button> squareButton(int id, int x, int y, int w = 10, int h = 10) {
    auto b = std::make_unique<Button>();
    b->id = id;
    b->x = x;
    b->y = y;
    SurfacePtr image = shareSurface(filledSurface(w, h, 200, 200, 200));
    for (SurfacePtr& s : b->stateImages)
        s = image;
    return b;
}

ButtonList eightButtons() {
    ButtonList list;
    for (int id = 0; id < TOOLBAR_BUTTON_COUNT; ++id)
        list.push_back(squareButton(id, id * 20, 0));
    return list;
}

void press(ButtonList& list, bool& lock, int x, int y) {
    headerMouse(list, lock, x, y, true);
    headerMouse(list, lock, x, y, false);
}

} // namespace

TEST(ToolbarRules, PlacementsOfEachButton) {
    // The main-menu square: a tenth of the height, at most 96, centred at the top.
    EXPECT_EQ(mainMenuButtonSide(600), 60);
    EXPECT_EQ(mainMenuButtonSide(1024), 96);
    SDL_Rect r = toolbarPlacement(TOOLBAR_MAIN_MENU, 1280, 1024, 96, 96);
    EXPECT_EQ(r.x, (1280 - 96) / 2);
    EXPECT_EQ(r.y, 0);
    // Minimise: left side 2.1 image widths from the right edge, at the top.
    r = toolbarPlacement(TOOLBAR_MINIMIZE, 1280, 1024, 40, 40);
    EXPECT_EQ(r.x, 1280 - 84);
    EXPECT_EQ(r.y, 0);
    // Close: the top right corner.
    r = toolbarPlacement(TOOLBAR_QUIT, 1280, 1024, 40, 40);
    EXPECT_EQ(r.x, 1240);
    EXPECT_EQ(r.y, 0);
    // Medal: 30 % of the height, the bottom right corner.
    EXPECT_DOUBLE_EQ(awardMedalScale(256, 1024), 1.2);
    r = toolbarPlacement(TOOLBAR_AWARD, 800, 600, 150, 180);
    EXPECT_EQ(r.x, 650);
    EXPECT_EQ(r.y, 420);
}

TEST(ToolbarRules, MinimiseAndCloseOnlyInFullScreen) {
    EXPECT_FALSE(toolbarButtonShownAtStart(TOOLBAR_MINIMIZE, false));
    EXPECT_FALSE(toolbarButtonShownAtStart(TOOLBAR_QUIT, false));
    EXPECT_TRUE(toolbarButtonShownAtStart(TOOLBAR_MINIMIZE, true));
    EXPECT_TRUE(toolbarButtonShownAtStart(TOOLBAR_QUIT, true));
    for (bool full : {false, true}) {
        EXPECT_TRUE(toolbarButtonShownAtStart(TOOLBAR_MAIN_MENU, full));
        EXPECT_FALSE(toolbarButtonShownAtStart(TOOLBAR_AWARD, full));
        for (int id = TOOLBAR_PAGES_FIRST; id <= TOOLBAR_PAGES_LAST; ++id)
            EXPECT_FALSE(toolbarButtonShownAtStart(id, full));
    }
}

TEST(ToolbarRules, PressThenReleaseClicksAndSetsTheLock) {
    ButtonList list = eightButtons();
    bool lock = false;
    headerMouse(list, lock, 5, 5, true);
    EXPECT_TRUE(list[0]->pressed);
    EXPECT_EQ(takeToolbarClick(list), -1); // not before the button comes up
    headerMouse(list, lock, 5, 5, false);
    EXPECT_FALSE(list[0]->pressed);
    EXPECT_TRUE(lock);
    EXPECT_EQ(takeToolbarClick(list), 0);
    EXPECT_EQ(takeToolbarClick(list), -1); // taken once

    // Released elsewhere: no click, and the press does not stick.
    headerMouse(list, lock, 25, 5, true);
    headerMouse(list, lock, 200, 200, false);
    EXPECT_FALSE(list[1]->pressed);
    EXPECT_EQ(takeToolbarClick(list), -1);

    // A button up without a press before it clicks nothing.
    headerMouse(list, lock, 45, 5, false);
    EXPECT_EQ(takeToolbarClick(list), -1);
}

TEST(ToolbarRules, DisabledHiddenAndLockedButtonsIgnoreClicks) {
    ButtonList list = eightButtons();
    bool lock = false;
    list[1]->enabled = false;
    list[2]->visible = false;
    list[3]->clickable = false;
    press(list, lock, 25, 5);
    press(list, lock, 45, 5);
    press(list, lock, 65, 5);
    EXPECT_EQ(takeToolbarClick(list), -1);
    EXPECT_FALSE(lock);

    // A button that needs the lock is refused while it is held...
    list[4]->needsClickLock = true;
    lock = true;
    press(list, lock, 85, 5);
    EXPECT_EQ(takeToolbarClick(list), -1);
    // ...and takes clicks again once it is released; others never wait.
    press(list, lock, 105, 5);
    EXPECT_EQ(takeToolbarClick(list), 5);
    lock = false;
    press(list, lock, 85, 5);
    EXPECT_EQ(takeToolbarClick(list), 4);
}

TEST(ToolbarRules, MedalHidesAndClicksOnlyTheToolbar) {
    ButtonList list = eightButtons();
    bool lock = false;
    setToolbarButtonVisible(list, TOOLBAR_AWARD, false);
    press(list, lock, 145, 5);
    EXPECT_EQ(takeToolbarClick(list), -1);
    setToolbarButtonVisible(list, TOOLBAR_AWARD, true);
    press(list, lock, 145, 5);
    EXPECT_EQ(takeToolbarClick(list), TOOLBAR_AWARD);

    // Section buttons after the tool bar are never taken as tool bar clicks,
    // even with a tool bar ID, and survive a rebuild of the tool bar.
    list.push_back(squareButton(3, 300, 300));
    press(list, lock, 305, 305);
    EXPECT_TRUE(list[8]->clicked);
    EXPECT_EQ(takeToolbarClick(list), -1);
    replaceToolbar(list, eightButtons());
    ASSERT_EQ(list.size(), 9u);
    EXPECT_EQ(list[8]->x, 300);
    // Into a list without a tool bar it goes in front.
    ButtonList sections;
    sections.push_back(squareButton(0, 300, 300));
    sections[0]->id = 42;
    replaceToolbar(sections, eightButtons());
    ASSERT_EQ(sections.size(), 9u);
    EXPECT_EQ(sections[8]->id, 42);
    EXPECT_EQ(toolbarButton(sections, 7)->id, 7);
    EXPECT_EQ(toolbarButton(sections, 8), nullptr);
}

TEST(TitleBarRules, FontSizeAndRebuilds) {
    EXPECT_EQ(titleBarFontSize(60), 27);
    EXPECT_EQ(titleBarFontSize(80), 36);
    EXPECT_EQ(titleBarFontSize(1), 1);

    TitleBar bar;
    EXPECT_TRUE(titleBarNeedsBuild(bar, 1, "title1", 800, 600, false));
    EXPECT_FALSE(titleBarNeedsBuild(bar, 1, "title1", 800, 600, true)); // start pending
    bar.book = 1;
    bar.logoName = "title1";
    bar.screenW = 800;
    bar.screenH = 600;
    EXPECT_FALSE(titleBarNeedsBuild(bar, 1, "title1", 800, 600, false));
    EXPECT_TRUE(titleBarNeedsBuild(bar, 2, "title1", 800, 600, false));
    EXPECT_FALSE(titleBarNeedsBuild(bar, 2, "title1", 800, 600, true));
    EXPECT_TRUE(titleBarNeedsBuild(bar, 1, "title2", 800, 600, false));
    EXPECT_TRUE(titleBarNeedsBuild(bar, 1, "title1", 1280, 1024, false));
}

TEST(TitleBarRules, LayoutKeepsClearOfTheToolbar) {
    for (int full = 0; full < 2; ++full) {
        for (auto [W, H] : {std::pair{800, 600}, std::pair{1280, 1024}, std::pair{640, 480},
                            std::pair{1920, 1080}}) {
            TitleBarSpace s;
            s.screenW = W;
            s.screenH = H;
            s.bandHeight = H * 165 / 1000;
            s.menuButtonSide = mainMenuButtonSide(H);
            s.cornerReserve = full ? static_cast<int>(2.1 * 32 * H / 768.0) : 0;
            const TitleBarLayout l = layoutTitleBar(s, 1000, 400, 560, 60, H / 768.0);
            SCOPED_TRACE(std::to_string(W) + "x" + std::to_string(H));
            const int menuLeft = (W - s.menuButtonSide) / 2,
                      menuRight = menuLeft + s.menuButtonSide;
            EXPECT_GT(l.logo.w, 0);
            EXPECT_GE(l.logo.x, W * 8 / 100);
            EXPECT_LE(l.logo.x + l.logo.w, menuLeft);
            EXPECT_LE(l.logo.y + l.logo.h, s.bandHeight);
            EXPECT_NEAR(static_cast<double>(l.logo.w) / l.logo.h, 2.5, 0.05);
            EXPECT_GE(l.frame.x, menuRight);
            EXPECT_LE(l.frame.x + l.frame.w, W - s.cornerReserve);
            EXPECT_LE(l.frame.y + l.frame.h, s.bandHeight);
            EXPECT_LE(l.frame.h, 60 * H / 768 + 1); // never above the interface scale
            // In a window the two sit symmetrically about the menu square.
            if (!full) {
                EXPECT_NEAR(l.logo.x + l.logo.w / 2 + l.frame.x + l.frame.w / 2, W, 2);
            }
        }
    }
    // Nothing to lay out on an empty band.
    TitleBarSpace none;
    EXPECT_EQ(layoutTitleBar(none, 1000, 400, 560, 60, 1.0).frame.w, 0);
}

namespace {

// The tool bar and title bar built from the real artwork on a screen of
// the given size and mode.
class ToolbarBuild : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        mountBuiltData();
    }
    void TearDown() override {
        releaseToolbar(app());
        releaseToolkit(app());
        if (screen) SDL_FreeSurface(screen);
        app().screen.surface = nullptr;
        freeSkin();
        UiTest::TearDown();
    }
    // The play background the toolkit hands to the screen state.
    void freeSkin() {
        if (app().screen.skin) SDL_FreeSurface(app().screen.skin);
        app().screen.skin = nullptr;
    }
    void useScreen(int w, int h, bool fullScreen) {
        screen = createArgbSurface(w, h);
        if (fullScreen) screen->flags |= SDL_FULLSCREEN;
        app().screen.surface = screen;
        app().screen.uiScale = h / 768.0f;
        app().settings.setDefaults();
        loadToolkitImages(app());
    }
    Button& button(int id) { return *toolbarButton(app().headerButtons, id); }
    SDL_Surface* screen = nullptr;
};

} // namespace

TEST_F(ToolbarBuild, WindowedAndFullScreenToolbars) {
    useScreen(800, 600, false);
    buildToolBar(app());
    ASSERT_EQ(app().headerButtons.size(), 8u);
    EXPECT_TRUE(button(TOOLBAR_MAIN_MENU).visible);
    EXPECT_FALSE(button(TOOLBAR_MINIMIZE).visible);
    EXPECT_FALSE(button(TOOLBAR_QUIT).visible);
    EXPECT_FALSE(button(TOOLBAR_AWARD).visible);
    EXPECT_EQ(button(2).caption, "Dummy");
    EXPECT_EQ(button(TOOLBAR_MAIN_MENU).x, (800 - 60) / 2);
    EXPECT_EQ(button(TOOLBAR_MAIN_MENU).tooltipText, "Open the Main Menu");
    // The medal is 30 % of the height, in the bottom right corner.
    SDL_Surface* medal = hitImage(button(TOOLBAR_AWARD));
    ASSERT_FALSE(isPlaceholder(medal));
    EXPECT_NEAR(medal->h, 180, 1);
    EXPECT_EQ(button(TOOLBAR_AWARD).x + medal->w, 800);
    EXPECT_EQ(button(TOOLBAR_AWARD).y + medal->h, 600);
    EXPECT_EQ(button(TOOLBAR_AWARD).tooltipText, "Will need to set this tip to something useful!");
    SDL_Surface* quit = hitImage(button(TOOLBAR_QUIT));
    EXPECT_EQ(quit->w, static_cast<int>(32 * 600 / 768.0));
    // The minimise and close buttons are there but cannot be clicked.
    bool lock = false;
    headerMouse(app().headerButtons, lock, 799, 1, true);
    headerMouse(app().headerButtons, lock, 799, 1, false);
    EXPECT_EQ(takeToolbarClick(app().headerButtons), -1);

    releaseToolbar(app());
    SDL_FreeSurface(screen);
    useScreen(1280, 1024, true);
    buildToolBar(app());
    ASSERT_EQ(app().headerButtons.size(), 8u);
    EXPECT_TRUE(button(TOOLBAR_MINIMIZE).visible);
    EXPECT_TRUE(button(TOOLBAR_QUIT).visible);
    quit = hitImage(button(TOOLBAR_QUIT));
    EXPECT_EQ(button(TOOLBAR_QUIT).x, 1280 - quit->w);
    EXPECT_EQ(button(TOOLBAR_MINIMIZE).x, 1280 - static_cast<int>(std::lround(2.1 * quit->w)));
    EXPECT_EQ(button(TOOLBAR_MINIMIZE).tooltipText, "Minimize Quillhaven to the taskbar");
    EXPECT_EQ(button(TOOLBAR_QUIT).tooltipText, "Close Quillhaven");
    // Hover and press are brighter versions of the image.
    Button& q = button(TOOLBAR_QUIT);
    const int cx = quit->w / 2, cy = quit->h / 2;
    const int base = readPixel(q.stateImages[STATE_CLICKABLE].get(), cx, cy, nullptr).g;
    const int over = readPixel(q.stateImages[STATE_OVER].get(), cx, cy, nullptr).g;
    const int down = readPixel(q.stateImages[STATE_PRESSED].get(), cx, cy, nullptr).g;
    EXPECT_NEAR(over, base + (255 - base) * 30 / 100, 2);
    EXPECT_NEAR(down, base + (255 - base) * 70 / 100, 2);
    headerMouse(app().headerButtons, lock, 1279, 1, true);
    headerMouse(app().headerButtons, lock, 1279, 1, false);
    EXPECT_EQ(takeToolbarClick(app().headerButtons), TOOLBAR_QUIT);
}

TEST_F(ToolbarBuild, TitleBarShowsTheBookAndIsBuiltOncePerBook) {
    useScreen(1024, 768, false);
    app().game.pendingStart = 1; // play has not begun yet
    buildTitleBar(app(), 1);
    EXPECT_EQ(app().titleBar.book, 0);
    EXPECT_FALSE(app().titleBar.frame);

    app().game.pendingStart = 0;
    buildTitleBar(app(), 13); // "The Last Lantern"
    ASSERT_TRUE(app().titleBar.frame);
    ASSERT_TRUE(app().titleBar.logo);
    ASSERT_TRUE(app().titleBar.title);
    EXPECT_EQ(app().titleBar.book, 13);
    // The frame fills the room right of the menu square (never above scale 1
    // here); a short title is written at 45 % of its height.
    const SDL_Rect& f = app().titleBar.layout.frame;
    EXPECT_EQ(app().titleBar.frame->h, f.h);
    EXPECT_LE(f.h, 60);
    TTF_Font* font = openFont(app().settings.menuFont, titleBarFontSize(f.h));
    EXPECT_EQ(app().titleBar.title->h, TTF_FontHeight(font));
    TTF_CloseFont(font);
    EXPECT_LT(app().titleBar.title->w, f.w);

    SDL_Surface* shown = app().titleBar.frame.get();
    buildTitleBar(app(), 13);
    EXPECT_EQ(app().titleBar.frame.get(), shown); // the same book: kept as it is
    // A long title is narrowed to the frame's middle.
    buildTitleBar(app(), 2);
    EXPECT_EQ(app().titleBar.book, 2);
    EXPECT_LE(app().titleBar.title->w, f.w * 4 / 5);

    // Drawn on the screen: the frame's middle is not the black screen.
    SDL_FillRect(screen, nullptr, SDL_MapRGBA(screen->format, 0, 0, 0, 255));
    drawTitleBar(app());
    const SDL_Color c = readPixel(screen, f.x + 40, f.y + f.h / 2, nullptr);
    EXPECT_GT(c.r + c.g + c.b, 200);
}

TEST_F(UiTest, LoadingIndicatorFillsHalfWhilePlayingAndNineTenthsOnTitleScreens) {
    SDL_Surface* screen = SDL_GetVideoSurface();
    ASSERT_TRUE(screen);
    // Without a frame image the bar is a plain strip at the bottom right.
    const int x = screen->w * 80 / 100, y = screen->h * 96 / 100 + 2, w = screen->w * 17 / 100;
    auto redAt = [&](int at) {
        const SDL_Color c = readPixel(screen, at, y, nullptr);
        return c.r == 255 && c.g == 0;
    };
    app().playing = true;
    drawLoadingIndicator(app());
    EXPECT_TRUE(redAt(x + w * 4 / 10));
    EXPECT_FALSE(redAt(x + w * 6 / 10));
    app().playing = false;
    drawLoadingIndicator(app());
    EXPECT_TRUE(redAt(x + w * 85 / 100));
    EXPECT_FALSE(redAt(x + w * 95 / 100));
    // The next download draws its frame again.
    EXPECT_FALSE(app().progressBar.frameDrawn);
}
