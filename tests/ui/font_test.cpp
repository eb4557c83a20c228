#include <algorithm>

#include "ui/font.h"
#include "ui/frame_rate.h"
#include "ui/text.h"
#include "ui_fixture.h"

namespace {

class FontTest : public UiTest {};

std::string familyOf(TTF_Font* f) {
    const char* name = f ? TTF_FontFaceFamilyName(f) : nullptr;
    return name ? name : "";
}

} // namespace

TEST_F(FontTest, FindsFontsWithOrWithoutExtensionAndFallsBack) {
    installFont("bluehigh.ttf");
    installFont("Fancy.ttf");
    TTF_Font* plain = openFont("bluehigh", 20);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(familyOf(plain), "DejaVu Sans");
    TTF_Font* exact = openFont("bluehigh.ttf", 20);
    ASSERT_NE(exact, nullptr);
    TTF_Font* other = openFont("fancy", 12); // names are matched ignoring case
    ASSERT_NE(other, nullptr);
    TTF_Font* unknown = openFont("no-such-font", 12);
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(TTF_GetFontHinting(unknown), TTF_HINTING_LIGHT);
    for (TTF_Font* f : {plain, exact, other, unknown})
        TTF_CloseFont(f);
}

TEST_F(FontTest, SizeBelowOneOpensAtOne) {
    installFont("bluehigh.ttf");
    TTF_Font* zero = openFont("bluehigh", 0);
    TTF_Font* one = openFont("bluehigh", 1);
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(TTF_FontHeight(zero), TTF_FontHeight(one));
    TTF_CloseFont(zero);
    TTF_CloseFont(one);
}

TEST_F(FontTest, WithoutBluehighTheFirstTtfIsUsed) {
    installFont("zz.ttf");
    TTF_Font* f = openFont("missing", 10);
    EXPECT_NE(f, nullptr);
    TTF_CloseFont(f);
}

TEST_F(FontTest, SizeForHeightScalesTheRenderedHeight) {
    installFont("bluehigh.ttf");
    int size = fontSizeForHeight("bluehigh", 30);
    TTF_Font* f = openFont("bluehigh", size);
    SDL_Color black{0, 0, 0, 0}, white{255, 255, 255, 0};
    SDL_Surface* s = TTF_RenderText_Shaded(f, "Change", black, white);
    EXPECT_NEAR(s->h, 30, 2);
    SDL_FreeSurface(s);
    TTF_CloseFont(f);
}

TEST_F(FontTest, ListIsLowerCasedAndSorted) {
    installFont("Zeta.TTF");
    installFont("alpha.ttf");
    installFont("Beta.ttf");
    writeRealFile(userFile("data/fonts/readme.txt"), "not a font");
    std::vector<std::string> list = listFonts();
    EXPECT_EQ(list, (std::vector<std::string>{"alpha.ttf", "beta.ttf", "zeta.ttf"}));
}

TEST_F(FontTest, NextAndPreviousClampToTheList) {
    std::vector<std::string> list{"a.ttf", "b.ttf", "c.ttf"};
    FontStep s = nextFont(list, "c", 1);
    EXPECT_EQ(s.name, "c.ttf");
    EXPECT_TRUE(s.hasPrevious);
    EXPECT_FALSE(s.hasNext);
    s = nextFont(list, "a.ttf", 1);
    EXPECT_EQ(s.name, "b.ttf");
    EXPECT_TRUE(s.hasNext);
    s = previousFont(list, "b", 1);
    EXPECT_EQ(s.name, "a.ttf");
    EXPECT_FALSE(s.hasPrevious);
    s = nextFont(list, "unknown", 1); // starts from the first entry
    EXPECT_EQ(s.name, "b.ttf");
    s = previousFont(list, "c", 10);
    EXPECT_EQ(s.name, "a.ttf");
    s = nextFont({}, "x", 1);
    EXPECT_EQ(s.name, "x");
}

TEST_F(FontTest, RoleFontsAreReopenedAndOldOnesStayValidWhileHeld) {
    installFont("bluehigh.ttf");
    FontSet fonts;
    reopenFonts(fonts, FontSettings{});
    ASSERT_TRUE(fonts.text && fonts.tip && fonts.action && fonts.menu && fonts.menuSmall &&
                fonts.fps);
    EXPECT_GT(TTF_FontHeight(fonts.menu.get()), TTF_FontHeight(fonts.menuSmall.get()));
    FontPtr held = fonts.text;
    FontSettings bigger;
    bigger.textSize = 40;
    reopenFonts(fonts, bigger);
    EXPECT_GT(TTF_FontHeight(fonts.text.get()), TTF_FontHeight(held.get()));
    closeFonts(fonts);
    EXPECT_GT(TTF_FontHeight(held.get()), 0);
}

using FontDeathTest = FontTest;

TEST_F(FontDeathTest, NoFontsAtAllEndsTheProgramWithItsNotice) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(openFont("bluehigh", 10), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(listFonts(), ::testing::ExitedWithCode(0), "");
}

TEST(FrameRate, CountsFramesOfEachPeriodOfJustOverASecond) {
    FrameRateCounter c;
    int updates = 0;
    for (int i = 0; i < 30; ++i)
        updates += countFrame(c, 34) ? 1 : 0; // 1020 ms
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(c.lastCount, 30);
    for (int i = 0; i < 29; ++i)
        countFrame(c, 34);
    EXPECT_EQ(c.lastCount, 30); // unchanged between updates
    EXPECT_EQ(c.frames, 29);
}

TEST(FrameRate, CornersFollowTheKeypad) {
    auto at = [](int pos) {
        SDL_Rect r = keypadCorner(pos, 800, 600, 60, 20);
        return std::make_pair(static_cast<int>(r.x), static_cast<int>(r.y));
    };
    EXPECT_EQ(at(1), std::make_pair(0, 580));
    EXPECT_EQ(at(2), std::make_pair(370, 580));
    EXPECT_EQ(at(3), std::make_pair(740, 580));
    EXPECT_EQ(at(5), std::make_pair(370, 290));
    EXPECT_EQ(at(7), std::make_pair(0, 0));
    EXPECT_EQ(at(9), std::make_pair(740, 0));
    EXPECT_EQ(at(6), std::make_pair(740, 290));
}

TEST_F(FontTest, FrameRateReadOutIsDrawnInItsCorner) {
    installFont("bluehigh.ttf");
    SDL_Surface* screen = createArgbSurface(200, 100);
    FrameRateCounter c;
    FrameRateStyle style;
    style.position = 9;
    style.colour = SDL_Color{255, 0, 0, 0};
    for (int i = 0; i < 12; ++i)
        drawFrameRate(screen, c, 100, style);
    ASSERT_TRUE(c.image);
    EXPECT_EQ(c.lastCount, 11);
    // Some red ink in the top-right corner, none at the bottom left.
    int red = 0;
    for (int y = 0; y < c.image->h; ++y)
        for (int x = 200 - c.image->w; x < 200; ++x)
            red += pixelAt(screen, x, y).r > 128;
    EXPECT_GT(red, 5);
    EXPECT_EQ(pixelAt(screen, 0, 99).r, 0);
    SDL_FreeSurface(screen);
}

TEST_F(FontTest, LongMessageLinesAreBrokenToFitTheirBox) {
    installFont("bluehigh.ttf");
    TTF_Font* f = openFont("bluehigh", 16);
    ASSERT_NE(f, nullptr);
    int wide = 0, h = 0;
    textSize(f, "You have completed Book 1:", &wide, &h);
    const std::string text = "You have completed Book 1: Fleeing the Ashen Keep`OK`";
    const std::string fitted = fitLines(f, text, wide);
    // Every line fits, the words and the given breaks are all kept.
    for (const std::string& line : splitLines(fitted)) {
        int w = 0;
        textSize(f, line, &w, &h);
        EXPECT_LE(w, wide) << line;
    }
    EXPECT_EQ(fitted.substr(0, 27), "You have completed Book 1:`");
    std::string rejoined = fitted;
    std::replace(rejoined.begin(), rejoined.end(), '`', ' ');
    std::string expected = text;
    std::replace(expected.begin(), expected.end(), '`', ' ');
    EXPECT_EQ(rejoined, expected);
    // Short text, no font, a word wider than the box: left as they are.
    EXPECT_EQ(fitLines(f, "Campaign Saved...", 1000), "Campaign Saved...");
    EXPECT_EQ(fitLines(nullptr, text, 10), text);
    EXPECT_EQ(fitLines(f, "Incomprehensibilities", 5), "Incomprehensibilities");
    TTF_CloseFont(f);
}
