#include "ui/image.h"
#include "ui/text.h"
#include "ui/toolkit.h"
#include "ui/top_bar.h"
#include "ui_fixture.h"

namespace {

class ToolkitTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        installFont("bluehigh.ttf");
        installFont("augie___.ttf");
    }
};

} // namespace

TEST_F(ToolkitTest, SettingsChangeReopensFontsAndRebuildsTheStyle) {
    ToolkitSettings s;
    s.tipDelayMs = 800;
    s.tipBackground = SDL_Color{1, 2, 3, 0};
    refreshToolkit(app(), s);
    ASSERT_TRUE(app().fonts.tip);
    EXPECT_EQ(app().buttonStyle.tipFont, app().fonts.tip);
    EXPECT_EQ(app().buttonStyle.tipDelayMs, 800);
    EXPECT_EQ(app().buttonStyle.tipBackground.b, 3);
    const int before = TTF_FontHeight(app().fonts.tip.get());

    // A button made before the change keeps working with its old caption font.
    Button b;
    setCaption(b, "Old", app().fonts.text, SDL_Color{0, 0, 0, 0}, 0, 0);
    s.fonts.tipSize = 40;
    s.fonts.textSize = 30;
    refreshToolkit(app(), s);
    EXPECT_GT(TTF_FontHeight(app().fonts.tip.get()), before);
    refreshCaption(b);
    EXPECT_TRUE(b.captionImage);

    releaseToolkit(app());
    EXPECT_FALSE(app().fonts.tip);
    EXPECT_FALSE(app().buttonStyle.tipFont);
    b = Button{}; // the last holder of the old font lets it go
}

TEST_F(ToolkitTest, TopBarButtonsShadeTheirImages) {
    SDL_Surface* quit = filledSurface(20, 20, 100, 100, 100);
    saveImage(quit, "data/gui/quit.bmp");
    SDL_FreeSurface(quit);
    Button b;
    makeImageButton(b, "data/gui", "quit", 1.0, "Close Quillhaven");
    ASSERT_TRUE(b.stateImages[STATE_OVER]);
    EXPECT_EQ(b.stateImages[STATE_UNCLICKABLE].get(), b.stateImages[STATE_CLICKABLE].get());
    EXPECT_EQ(readPixel(b.stateImages[STATE_CLICKABLE].get(), 5, 5, nullptr).r, 100);
    EXPECT_EQ(readPixel(b.stateImages[STATE_OVER].get(), 5, 5, nullptr).r, 100 + 155 * 30 / 100);
    EXPECT_EQ(readPixel(b.stateImages[STATE_PRESSED].get(), 5, 5, nullptr).r, 100 + 155 * 70 / 100);
    EXPECT_EQ(b.tooltipText, "Close Quillhaven");

    FontPtr menu = shareFont(openFont("bluehigh", 30));
    Button m;
    makeMainMenuButton(m, menu, SDL_Color{0, 0, 0, 0}, 1024);
    ASSERT_TRUE(m.stateImages[STATE_CLICKABLE]);
    EXPECT_EQ(m.stateImages[STATE_CLICKABLE]->w, 96); // a tenth of 1024, at most 96
    // Dark ink in the upper and lower halves: "Main" over "Menu".
    auto inkIn = [&](int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < 96; ++x)
                n += readPixel(m.stateImages[STATE_CLICKABLE].get(), x, y, nullptr).r < 100;
        return n;
    };
    EXPECT_GT(inkIn(0, 48), 20);
    EXPECT_GT(inkIn(48, 96), 20);
    m = Button{};
    menu.reset();
}

TEST_F(ToolkitTest, WordImagesAreSharedPerFontColourAndText) {
    FontPtr font = shareFont(openFont("bluehigh", 20));
    FontPtr other = shareFont(openFont("bluehigh", 30));
    {
        WordImageCache cache;
        SDL_Color black{0, 0, 0, 0}, red{255, 0, 0, 0};
        SurfacePtr a = cache.get(font, "the", black);
        ASSERT_TRUE(a);
        EXPECT_EQ(cache.get(font, "the", black).get(), a.get());
        EXPECT_NE(cache.get(font, "the", red).get(), a.get());
        EXPECT_NE(cache.get(other, "the", black).get(), a.get());
        EXPECT_NE(cache.get(font, "The", black).get(), a.get());
        EXPECT_EQ(cache.size(), 4u);
        EXPECT_FALSE(cache.get(nullptr, "the", black));
        cache.clear();
        EXPECT_EQ(a.use_count(), 1); // the page's copy outlives the cache
    }
    font.reset();
    other.reset();
}

TEST_F(ToolkitTest, SettingsOfTheApplicationDriveFontsColoursAndSkin) {
    app().settings.setDefaults();
    app().settings.tipDelay = 1234;
    app().settings.tipBgColor = RgbColor{10, 20, 30, 0};
    app().settings.button4 = "bluegel";
    app().screen.uiScale = 1.5f;
    ToolkitSettings s = toolkitSettingsFrom(app());
    EXPECT_EQ(s.tipDelayMs, 1234);
    EXPECT_EQ(s.tipBackground.g, 20);
    EXPECT_EQ(s.fonts.textSize, app().settings.textFontSize);
    EXPECT_EQ(s.fonts.tipFont, app().settings.tipFont);
    EXPECT_EQ(s.skin.button4, "bluegel");
    EXPECT_DOUBLE_EQ(s.skin.uiScale, 1.5);
    EXPECT_EQ(s.skin.screenWidth, 640);
    EXPECT_EQ(s.skin.pageWidth, 640 * app().pageWidthPercent / 100);

    SDL_Surface* back = filledSurface(32, 24, 5, 6, 7);
    saveImage(back, "data/skin/" + app().settings.skinFile + ".bmp");
    SDL_FreeSurface(back);
    loadToolkitImages(app());
    ASSERT_NE(app().screen.skin, nullptr);
    EXPECT_EQ(app().screen.skin->w, 640);
    EXPECT_FALSE(app().skin.playBackground); // one copy, owned by the screen state
    EXPECT_EQ(app().buttonStyle.tipDelayMs, 1234);
    SDL_FreeSurface(app().screen.skin);
    app().screen.skin = nullptr;
}
