// The windows as the player drives them: built from the real data folder, with
// clicks going through the shared handlers.
#include "app/subsystem_hooks.h"
#include "character/inventory_state.h"
#include "fs/vfs.h"
#include "ui/toolkit.h"
#include "ui/windows.h"
#include "ui_fixture.h"

namespace {

class WindowsTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        mountBuiltData();
        Application& a = app();
        a.paths.baseDir = std::string(QH_BUILD_DIR) + "/";
        a.paths.userFolder = userFolder;
        a.paths.dirSeparator = "/";
        a.screen.surface = SDL_GetVideoSurface();
        a.screen.uiScale = a.screen.surface->h / 462.0f;
        a.settings.setDefaults();
        hooks::loadCataloguesBeforeSettings(a);
        hooks::loadInterfaceImages(a);
        hooks::buildMainMenuWindows(a);
    }
    void TearDown() override {
        releaseWindows(app());
        releaseToolkit(app());
        if (app().screen.skin) SDL_FreeSurface(app().screen.skin);
        app().screen.skin = nullptr;
        UiTest::TearDown();
    }
    WindowManager& wm() { return app().windowManager; }
    int top() { return topWindow(wm()) ? topWindow(wm())->id : -1; }
    void settle() { advanceWindows(wm(), WINDOW_SLIDE_MS); }
    void click(int window, int button) {
        clickWindowButton(app(), window, button);
        settle();
    }
    void open(int id) {
        openGameWindow(app(), id, 2);
        settle();
    }
};

} // namespace

TEST_F(WindowsTest, TableIsBuiltOnceWithoutDuplicates) {
    testing::internal::CaptureStdout();
    buildWindows(app());
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find("identical IDs"), std::string::npos) << out;
    for (int id : {0,  1,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                   16, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48})
        EXPECT_EQ(findWindow(wm(), id)->id, id) << id;
    EXPECT_EQ(findButton(*findWindow(wm(), 0), 1)->caption, "Resume Campaign");
    app().playing = true;
    buildWindows(app());
    EXPECT_EQ(findButton(*findWindow(wm(), 0), 1)->caption, "Restart Book/Campaign");
    EXPECT_EQ(findButton(*findWindow(wm(), 0), 7)->caption, "Resume");
}

TEST_F(WindowsTest, OptionsOverTheMenuAppearAtOnceAndEscapeClosesOnlyTheTop) {
    open(WIN_MAIN_MENU);
    click(WIN_MAIN_MENU, 3);
    EXPECT_EQ(top(), WIN_OPTIONS);
    click(WIN_OPTIONS, 4);
    EXPECT_EQ(top(), WIN_FONTS);
    closeTopGameWindow(app());
    settle();
    EXPECT_EQ(top(), WIN_OPTIONS);
    EXPECT_TRUE(isWindowOpen(wm(), WIN_MAIN_MENU));
}

TEST_F(WindowsTest, OverwriteQuestionContinueOpensBookSelectionCancelNothing) {
    Application& a = app();
    a.profiles.slots[0].name = "Aldric";
    vfsWriteAll("/data/profiles/resume1.dat", "x");
    open(WIN_MAIN_MENU);
    click(WIN_MAIN_MENU, 2);
    ASSERT_EQ(top(), WIN_MESSAGE);
    EXPECT_EQ(a.windowData.message.title, "Overwrite existing campaign?");
    click(WIN_MESSAGE, 4); // Cancel
    EXPECT_EQ(top(), WIN_MAIN_MENU);
    click(WIN_MAIN_MENU, 2);
    click(WIN_MESSAGE, 3); // Continue
    EXPECT_EQ(top(), WIN_BOOK_SELECT);
    EXPECT_EQ(a.game.character.onBook, 1);
}

TEST_F(WindowsTest, MessagesWaitTheirTurn) {
    showMessage("First", "one");
    showMessage("Second", "two");
    settle();
    EXPECT_EQ(top(), WIN_MESSAGE);
    EXPECT_EQ(app().windowData.message.title, "First");
    click(WIN_MESSAGE, 3);
    settle();
    EXPECT_EQ(top(), WIN_MESSAGE);
    EXPECT_EQ(app().windowData.message.title, "Second");
    EXPECT_FALSE(findButton(*findWindow(wm(), WIN_MESSAGE), 4)->visible);
}

TEST_F(WindowsTest, ALongMessageGetsATallerBoxWhoseLinesDoNotOverlap) {
    const int usualHeight = findWindow(wm(), WIN_MESSAGE)->height;
    showMessage("Congratulations!",
                "You have completed Book 1: Fleeing the Ashen Keep!`No deaths/restarts - Special "
                "props to you!``Campaign Saved...");
    settle();
    GameWindow* w = findWindow(wm(), WIN_MESSAGE);
    ASSERT_NE(w, nullptr);
    EXPECT_GT(w->height, usualHeight);
    EXPECT_EQ(w->background->h, w->height);
    auto box = [&](int id) {
        Button* b = findButton(*w, id);
        SDL_Surface* img = hitImage(*b);
        return std::make_pair(b->y, b->y + img->h);
    };
    const auto title = box(1), text = box(2), ok = box(3);
    EXPECT_LE(title.second, text.first);
    EXPECT_LE(text.second, ok.first);
    EXPECT_LE(ok.second, w->height);
    // Every line fits the box's width.
    EXPECT_LE(hitImage(*findButton(*w, 2))->w, w->width);
    click(WIN_MESSAGE, 3);
    settle();
    showMessage("Short", "one line");
    settle();
    EXPECT_EQ(findWindow(wm(), WIN_MESSAGE)->height, usualHeight);
}

TEST_F(WindowsTest, TwoLongAnswersWidenTheBoxSoBothStayInside) {
    const int usualWidth = findWindow(wm(), WIN_MESSAGE)->width;
    showMessage("Choose from options below", "", RULES_REPLY_TARGET, "Don't Eat - Lose 3 EP", 1,
                "Eat the Meal of Dried Ashroot", 2);
    settle();
    GameWindow* w = findWindow(wm(), WIN_MESSAGE);
    ASSERT_NE(w, nullptr);
    EXPECT_GT(w->width, usualWidth);
    Button* left = findButton(*w, 3);
    Button* right = findButton(*w, 4);
    EXPECT_GE(left->x, 0);
    EXPECT_LE(left->x + hitImage(*left)->w, right->x);
    EXPECT_LE(right->x + hitImage(*right)->w, w->width);
    click(WIN_MESSAGE, 3);
    settle();
    showMessage("Short", "one line");
    settle();
    EXPECT_EQ(findWindow(wm(), WIN_MESSAGE)->width, usualWidth);
}

TEST_F(WindowsTest, FirstProfileFlow) {
    Application& a = app();
    startFirstProfile(a);
    settle();
    EXPECT_EQ(top(), WIN_TEXT_ENTRY);
    EXPECT_EQ(a.profiles.slots[0].name, "Greystar");
    for (char c : std::string("Mira"))
        entryKey(a.textEntry, 0, c);
    entryKey(a.textEntry, SDLK_RETURN, 0);
    updateWindows(a, 0);
    settle();
    EXPECT_EQ(a.profiles.slots[0].name, "Mira");
    EXPECT_EQ(top(), WIN_AVATAR);
    click(WIN_AVATAR, 4);
    const std::string second = a.profiles.slots[0].avatar;
    click(WIN_AVATAR, 3);
    click(WIN_AVATAR, 3); // wraps round from the first to the last
    EXPECT_NE(a.profiles.slots[0].avatar, second);
    EXPECT_EQ(a.profiles.slots[0].avatar, a.avatarNames.back());
    click(WIN_AVATAR, 6);
    EXPECT_EQ(top(), WIN_MAIN_MENU);
    EXPECT_TRUE(vfsExists("/data/profiles/profiles.dat"));
}

TEST_F(WindowsTest, CancellingTheFirstNameKeepsGreystar) {
    Application& a = app();
    startFirstProfile(a);
    settle();
    entryKey(a.textEntry, 0, 'Z');
    entryKey(a.textEntry, SDLK_ESCAPE, 0);
    updateWindows(a, 0);
    settle();
    EXPECT_EQ(a.profiles.slots[0].name, "Greystar");
    EXPECT_EQ(top(), WIN_AVATAR);
}

TEST_F(WindowsTest, ProfilesCreateAndErase) {
    Application& a = app();
    a.profiles.slots[0].name = "Aldric";
    open(WIN_MAIN_MENU);
    click(WIN_MAIN_MENU, 4);
    ASSERT_EQ(top(), WIN_PROFILES);
    click(WIN_PROFILES, 22); // slot 3 is empty: create
    ASSERT_TRUE(a.textEntry.active);
    EXPECT_EQ(a.textEntry.prompt, "Please type a name for this profile");
    for (char c : std::string("Tamsin"))
        entryKey(a.textEntry, 0, c);
    entryKey(a.textEntry, SDLK_RETURN, 0);
    updateWindows(a, 0);
    settle();
    EXPECT_EQ(a.profiles.slots[2].name, "Tamsin");
    EXPECT_EQ(a.profiles.active, 2);
    click(WIN_AVATAR, 6);
    click(WIN_PROFILES, 42); // erase slot 3
    ASSERT_EQ(top(), WIN_MESSAGE);
    EXPECT_EQ(a.windowData.message.text, "Are you sure you really want to delete this profile?");
    click(WIN_MESSAGE, 3);
    EXPECT_EQ(a.profiles.slots[2].name, "");
    EXPECT_EQ(a.profiles.active, 0);
}

TEST_F(WindowsTest, VideoOptionsStepAndClamp) {
    Settings& s = app().settings;
    open(WIN_VIDEO);
    s.targetFps = 95;
    click(WIN_VIDEO, 23);
    EXPECT_EQ(s.targetFps, 100);
    EXPECT_FALSE(findButton(*findWindow(wm(), WIN_VIDEO), 23)->enabled);
    s.targetFps = 10;
    click(WIN_VIDEO, 22);
    EXPECT_EQ(s.targetFps, 5);
    EXPECT_FALSE(findButton(*findWindow(wm(), WIN_VIDEO), 22)->enabled);
    click(WIN_VIDEO, 22);
    EXPECT_EQ(s.targetFps, 5);
    click(WIN_VIDEO, 20);
    EXPECT_EQ(s.fullscreenBpp, 32);
    click(WIN_VIDEO, 28);
    EXPECT_EQ(s.fpsPosition, 7);
    click(WIN_VIDEO, 998);
    EXPECT_EQ(s.targetFps, 30);
    EXPECT_EQ(s.fpsPosition, 1);
    EXPECT_EQ(s.windowedWidth, 800);
}

TEST_F(WindowsTest, FontChoicesApplyOnlyOnApply) {
    Settings& s = app().settings;
    open(WIN_OPTIONS);
    click(WIN_OPTIONS, 4);
    click(WIN_FONTS, 10); // bigger text
    EXPECT_EQ(s.textFontSize, 21);
    click(WIN_FONTS, 997); // cancel drops the copy
    EXPECT_EQ(s.textFontSize, 21);
    click(WIN_OPTIONS, 4);
    click(WIN_FONTS, 10);
    click(WIN_FONTS, 13); // next text colour
    click(WIN_FONTS, 999);
    EXPECT_EQ(s.textFontSize, 23);
    EXPECT_NE(s.textColor.r + s.textColor.g + s.textColor.b, 0);
    EXPECT_EQ(top(), WIN_OPTIONS);
}

TEST_F(WindowsTest, MiscAndAppearanceOptions) {
    Settings& s = app().settings;
    open(WIN_MISC);
    click(WIN_MISC, 114);
    EXPECT_EQ(s.rntBarColor.r, 200);
    click(WIN_MISC, 127);
    EXPECT_EQ(s.combatSpeed, 4);
    click(WIN_MISC, 103);
    EXPECT_EQ(s.acHeaderButtons, "ac2");
    // The digit keys' check box turns on, shows it, and Defaults turns it off.
    const Button& digits = *findButton(*findWindow(wm(), WIN_MISC), 125);
    EXPECT_FALSE(s.showChoiceDigits);
    EXPECT_EQ(digits.value, 0); // not chosen
    click(WIN_MISC, 125);
    EXPECT_TRUE(s.showChoiceDigits);
    EXPECT_EQ(digits.value, 1); // shown pressed in
    click(WIN_MISC, 11);
    EXPECT_FALSE(s.showChoiceDigits);
    EXPECT_EQ(digits.value, 0); // not chosen
    EXPECT_EQ(s.rntSpeed, 1);
    EXPECT_EQ(s.acHeaderButtons, "ac1");
    EXPECT_EQ(s.rntBarColor.r, 255);
    EXPECT_EQ(s.rntBarColor.g, 0);
    open(WIN_APPEARANCE);
    s.button4 = "darkgel";
    click(WIN_APPEARANCE, 21); // next menu button set wraps round
    EXPECT_EQ(s.button4, "greengel");
    click(WIN_APPEARANCE, 26); // previous paper
    EXPECT_EQ(s.paper, "paper4");
}

TEST_F(WindowsTest, StartUpNoticesLeadToTheMainMenu) {
    Settings& s = app().settings;
    open(WIN_ASK_UPDATES);
    click(WIN_ASK_UPDATES, 50);
    EXPECT_TRUE(s.autoCheckUpdate);
    EXPECT_TRUE(s.shownAutoUpdateChoice);
    EXPECT_EQ(top(), WIN_MAIN_MENU);
    EXPECT_FALSE(isWindowOpen(wm(), WIN_ASK_UPDATES));
}

TEST_F(WindowsTest, CreditsScrollAndStartOver) {
    GameWindow& about = *findWindow(wm(), WIN_ABOUT);
    ASSERT_TRUE(about.autoScroll);
    ASSERT_GT(about.buttons.size(), 5u);
    open(WIN_ABOUT);
    updateWindows(app(), 1000);
    EXPECT_NEAR(about.scrollOffset, 30.0f, 0.5f);
    for (int i = 0; i < 2000 && about.scrollOffset > 1.0f; ++i)
        updateWindows(app(), 1000);
    EXPECT_LT(about.scrollOffset, 31.0f);
}

TEST_F(WindowsTest, NewCampaignThroughBookSelectionAndRules) {
    Application& a = app();
    a.profiles.slots[0].name = "Aldric";
    open(WIN_MAIN_MENU);
    click(WIN_MAIN_MENU, 2);
    ASSERT_EQ(top(), WIN_BOOK_SELECT);
    // Book 18 and later can be chosen but not started.
    click(WIN_BOOK_SELECT, 4); // Dravic series
    click(WIN_BOOK_SELECT, 4); // Grand Master series
    EXPECT_EQ(a.windowData.selectedBook, 13);
    for (int i = 0; i < 10; ++i)
        click(WIN_BOOK_SELECT, 8);
    EXPECT_EQ(a.windowData.selectedBook, 20);
    click(WIN_BOOK_SELECT, 12);
    ASSERT_EQ(top(), WIN_MESSAGE);
    EXPECT_EQ(a.windowData.message.title, "CAN'T PLAY BOOK");
    EXPECT_EQ(a.windowData.message.text,
              "You cannot play this book yet, but stay tuned for updates.");
    click(WIN_MESSAGE, 3);
    click(WIN_BOOK_SELECT, 4); // back round to the Vael series
    EXPECT_EQ(a.windowData.selectedBook, 1);
    click(WIN_BOOK_SELECT, 12);
    ASSERT_EQ(top(), WIN_RULES) << a.windowData.message.title << ": " << a.windowData.message.text;
    EXPECT_EQ(a.game.character.onBook, 1);
    click(WIN_RULES, 4);
    EXPECT_TRUE(isHardcore(a.game.rules, false));
    click(WIN_RULES, 10);
    EXPECT_EQ(a.game.pendingStart, -1);
    EXPECT_TRUE(a.playing);
}

TEST_F(WindowsTest, RulesInViewModeCannotChangePresets) {
    Application& a = app();
    applyByTheBook(a.game.rules);
    openGameWindow(a, WIN_RULES, 2, "View Gameplay Rules");
    settle();
    click(WIN_RULES, 4); // disabled: nothing happens
    EXPECT_TRUE(isByTheBook(a.game.rules, false));
    EXPECT_FALSE(findButton(*findWindow(wm(), WIN_RULES), 10)->visible);
    click(WIN_RULES, 90);
    EXPECT_EQ(a.game.pendingStart, 0);
}
