#include "ui/button.h"
#include "ui/font.h"
#include "ui/text.h"
#include "ui/tooltip.h"
#include "ui_fixture.h"

namespace {

class ButtonTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        installFont("bluehigh.ttf");
        font = shareFont(openFont("bluehigh", 20));
        ButtonStyle style;
        style.tipFont = font;
        style.tipDelayMs = 500;
        setButtonStyle(style);
        // Eight art slots told apart by their red value: slot i has red 10 * i.
        for (int i = 0; i < ART_SLOT_COUNT; ++i)
            art[i] = shareSurface(filledSurface(30, 20, 10 * i, 0, 0));
    }
    void TearDown() override {
        font.reset();
        UiTest::TearDown();
    }
    int redOfState(const Button& b, int s) { return pixelAt(b.stateImages[s].get(), 0, 0).r; }

    FontPtr font;
    ButtonArt art;
};

struct FakePage : ButtonPage {
    int px = 100, py = 50, scroll = 0;
    int pageX() const override { return px; }
    int pageY() const override { return py; }
    int pageScroll() const override { return scroll; }
};

// A section-like button whose conditions and effects are counted.
struct CountingButton : Button {
    bool offered = false;
    int runs = 0;
    bool hasConditions() const override { return true; }
    bool conditionsHold() override { return offered; }
    void runEffects() override { ++runs; }
};

} // namespace

TEST_F(ButtonTest, ColourPicksTheArtSlotsOfEachState) {
    Button b;
    setArt(b, art);
    setColour(b, 2);
    EXPECT_EQ(redOfState(b, 0), 0);
    EXPECT_EQ(redOfState(b, 1), 20);
    EXPECT_EQ(redOfState(b, 2), 50);
    EXPECT_EQ(redOfState(b, 3), 70);
    EXPECT_TRUE(b.clickable);
    setColour(b, 3);
    EXPECT_EQ(redOfState(b, 1), 30);
    EXPECT_EQ(redOfState(b, 2), 60);
    setColour(b, 0);
    EXPECT_FALSE(b.clickable);
    EXPECT_EQ(redOfState(b, 1), 10); // colour 0 uses the slots of colour 1
    EXPECT_EQ(redOfState(b, 2), 40);
    setColour(b, 4); // ignored
    EXPECT_EQ(b.colour, 0);
    EXPECT_FALSE(b.clickable);
    // Without a caption the art keeps its own size and is shared, not copied.
    EXPECT_EQ(b.stateImages[1].get(), art[ART_CLICK_1].get());
}

TEST_F(ButtonTest, CaptionStretchesTheArtAroundItWithPadding) {
    Button b;
    setArt(b, art);
    setCaption(b, "Turn to 12", font, SDL_Color{255, 255, 255, 0}, 6, 3);
    ASSERT_TRUE(b.captionImage);
    EXPECT_EQ(b.stateImages[1]->w, b.captionImage->w + 12);
    EXPECT_EQ(b.stateImages[1]->h, b.captionImage->h + 6);
    setCaption(b, "", font, SDL_Color{255, 255, 255, 0}, 6, 3);
    EXPECT_EQ(b.caption, " ");
    EXPECT_EQ(b.stateImages[1]->w, 30);
    b.valueAsLabel = true;
    b.value = 42;
    refreshCaption(b);
    EXPECT_EQ(b.caption, "42");
}

TEST_F(ButtonTest, MultiLineCaptionsStackCentredLines) {
    Button one, two;
    setCaption(one, "A`B", font, SDL_Color{0, 0, 0, 0}, 0, 0, false);
    setCaption(two, "A`B", font, SDL_Color{0, 0, 0, 0}, 0, 0, true);
    const int lineH = TTF_FontHeight(font.get());
    EXPECT_EQ(one.captionImage->h, lineH); // ordinary buttons: one line
    ASSERT_EQ(two.captionImage->h, 2 * lineH);
    // Ink of A only in the top half, ink of B only in the bottom half, both centred.
    auto inkRows = [&](int y0, int y1, int* minX, int* maxX) {
        int n = 0;
        *minX = 1000;
        *maxX = -1;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < two.captionImage->w; ++x) {
                Uint8 a = 0;
                pixelAt(two.captionImage.get(), x, y, &a);
                if (a > 128) {
                    ++n;
                    *minX = std::min(*minX, x);
                    *maxX = std::max(*maxX, x);
                }
            }
        return n;
    };
    int l1, r1, l2, r2;
    EXPECT_GT(inkRows(0, lineH, &l1, &r1), 10);
    EXPECT_GT(inkRows(lineH, 2 * lineH, &l2, &r2), 10);
    const int w = two.captionImage->w;
    EXPECT_NEAR(l1 + r1, w, 4);
    EXPECT_NEAR(l2 + r2, w, 4);

    // Menu-like buttons are multi-line whatever the flag.
    struct MenuButton : Button {
        bool menuLike() const override { return true; }
    } menu;
    setCaption(menu, "Main`Menu", font, SDL_Color{0, 0, 0, 0}, 0, 0, false);
    EXPECT_EQ(menu.captionImage->h, 2 * lineH);
}

TEST_F(ButtonTest, HitTestUsesPagePositionScrollAndCentre) {
    FakePage page;
    Button b;
    setArt(b, art);
    setColour(b, 1);
    b.page = &page;
    b.x = 10;
    b.y = 20;
    EXPECT_TRUE(hitTest(b, 110, 70)); // page (100, 50) + (10, 20)
    EXPECT_TRUE(hitTest(b, 139, 89)); // last pixel of 30 x 20
    EXPECT_FALSE(hitTest(b, 140, 70));
    EXPECT_FALSE(hitTest(b, 109, 70));
    page.scroll = 15; // the page moved up by 15
    EXPECT_TRUE(hitTest(b, 110, 55));
    EXPECT_FALSE(hitTest(b, 110, 54));
    EXPECT_TRUE(hitTest(b, 110, 74));
    EXPECT_FALSE(hitTest(b, 110, 75));
    b.header = true; // header buttons do not scroll
    EXPECT_TRUE(hitTest(b, 110, 70));
    b.page = nullptr;
    b.centred = true;
    EXPECT_TRUE(hitTest(b, 10 - 15, 20 - 10));
    EXPECT_FALSE(hitTest(b, 10 - 16, 20));
    b.visible = false;
    EXPECT_FALSE(hitTest(b, 10, 20));
    b.visible = true;
    b.state = 9; // out of range: reset before use
    EXPECT_TRUE(hitTest(b, 10, 20));
    EXPECT_EQ(b.state, 0);
}

TEST_F(ButtonTest, PixelTestedButtonIsNotHitOverATransparentCorner) {
    SDL_Surface* round = filledSurface(20, 20, 200, 0, 0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5 - y; ++x)
            argbRow(round, y)[x] = 0; // clear top-left corner
    SurfacePtr img = shareSurface(finishSurface(round, true));
    Button b;
    for (int i = 0; i < ART_SLOT_COUNT; ++i)
        b.art[i] = img;
    setColour(b, 1);
    EXPECT_TRUE(hitTest(b, 0, 0)); // inside the rectangle
    b.pixelTest = true;
    EXPECT_FALSE(hitTest(b, 0, 0));
    EXPECT_FALSE(hitTest(b, 3, 1));
    EXPECT_TRUE(hitTest(b, 10, 10));
    EXPECT_TRUE(hitTest(b, 19, 19));
}

TEST_F(ButtonTest, AutoexecuteRunsOnceWhenItsConditionsAllow) {
    CountingButton b;
    setArt(b, art);
    setCaption(b, "AUTOEXECUTE", font, SDL_Color{0, 0, 0, 0}, 6, 0);
    setColour(b, 2);
    EXPECT_FALSE(updateButton(b, -1, -1, 30, 500).draw);
    EXPECT_EQ(b.runs, 0); // not offered yet
    b.offered = true;
    updateButton(b, -1, -1, 30, 500);
    EXPECT_EQ(b.runs, 1);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(updateButton(b, -1, -1, 30, 500).draw);
    EXPECT_EQ(b.runs, 1);
    EXPECT_EQ(b.colour, 0);
}

TEST_F(ButtonTest, StatesFollowConditionsHoverAndPress) {
    CountingButton b;
    setArt(b, art);
    setColour(b, 1);
    updateButton(b, 5, 5, 30, 500);
    EXPECT_EQ(b.state, STATE_UNCLICKABLE);
    b.offered = true;
    updateButton(b, 5, 5, 30, 500);
    EXPECT_EQ(b.state, STATE_OVER);
    b.pressed = true;
    updateButton(b, 5, 5, 30, 500);
    EXPECT_EQ(b.state, STATE_PRESSED);
    updateButton(b, 500, 5, 30, 500); // moving off releases the press
    EXPECT_FALSE(b.pressed);
    EXPECT_EQ(b.state, STATE_CLICKABLE);
    b.runPending = true;
    updateButton(b, 500, 5, 30, 500);
    EXPECT_EQ(b.runs, 1);
    EXPECT_FALSE(b.runPending);
}

TEST_F(ButtonTest, TooltipDelayRestartsWhenThePointerMovesOnePixel) {
    Button b;
    setArt(b, art);
    setColour(b, 1);
    setTooltip(b, nullptr, "Hello");
    ASSERT_TRUE(b.tooltipImage);
    EXPECT_FALSE(updateButton(b, 5, 5, 200, 500).showTooltip); // arrives: 0
    EXPECT_FALSE(updateButton(b, 5, 5, 200, 500).showTooltip); // 200
    EXPECT_FALSE(updateButton(b, 6, 5, 200, 500).showTooltip); // moved: 0 again
    EXPECT_FALSE(updateButton(b, 6, 5, 200, 500).showTooltip); // 200
    EXPECT_FALSE(updateButton(b, 6, 5, 200, 500).showTooltip); // 400
    EXPECT_TRUE(updateButton(b, 6, 5, 200, 500).showTooltip);  // 600
    b.pressed = true;
    EXPECT_FALSE(updateButton(b, 6, 5, 200, 500).showTooltip);
    b.pressed = false;
    EXPECT_FALSE(updateButton(b, 6, 5, 200, 500).showTooltip); // starts over
}

TEST_F(ButtonTest, DrawnTooltipIsHandedToTheApplicationInsideTheScreen) {
    Button b;
    setArt(b, art);
    setColour(b, 1);
    setTooltip(b, nullptr, "A rather long tooltip for a button at the edge");
    SDL_Surface* screen = SDL_GetVideoSurface();
    for (int i = 0; i < 3; ++i)
        drawButton(b, screen, 2, 2, 300);
    ASSERT_TRUE(app().tooltip.image);
    EXPECT_EQ(app().tooltip.x, 0);
    EXPECT_EQ(app().tooltip.y, 0);
    drawTooltip(screen, app().tooltip);
    EXPECT_FALSE(app().tooltip.image);

    SDL_Rect r = placeTooltip(320, 240, 100, 40, 640, 480);
    EXPECT_EQ(r.x, 270);
    EXPECT_EQ(r.y, 192);
    r = placeTooltip(630, 470, 100, 40, 640, 480);
    EXPECT_EQ(r.x, 540);
    EXPECT_EQ(r.y, 422);
}

TEST_F(ButtonTest, TooltipImageHasALightAndDarkBevel) {
    SDL_Color fg{0, 0, 0, 0}, bg{100, 150, 200, 0};
    SDL_Surface* tip = buildTooltipImage("One`Two", nullptr, font.get(), fg, bg);
    ASSERT_NE(tip, nullptr);
    const int lineH = TTF_FontHeight(font.get());
    EXPECT_EQ(tip->h, 2 * lineH + 2 + 1);
    auto is = [&](int x, int y, int r, int g, int b) {
        SDL_Color c = pixelAt(tip, x, y);
        return c.r == r && c.g == g && c.b == b;
    };
    const int w = tip->w, h = tip->h;
    EXPECT_TRUE(is(0, 0, 175, 225, 255));       // light, capped at 255
    EXPECT_TRUE(is(w - 1, 0, 175, 225, 255));   // top row is light to the end
    EXPECT_TRUE(is(0, h - 1, 175, 225, 255));   // left column is light to the end
    EXPECT_TRUE(is(w - 1, h - 1, 25, 75, 125)); // dark
    EXPECT_TRUE(is(w - 1, 1, 25, 75, 125));
    EXPECT_TRUE(is(1, h - 1, 25, 75, 125));
    EXPECT_TRUE(is(1, 1, 100, 150, 200)); // plain inside
    SDL_FreeSurface(tip);

    // A trailing back-tick adds a last line of one space.
    SDL_Surface* trailing = buildTooltipImage("One`", nullptr, font.get(), fg, bg);
    EXPECT_EQ(trailing->h, 2 * lineH + 3);
    SDL_FreeSurface(trailing);

    SDL_Surface* pic = filledSurface(80, 30, 0, 255, 0);
    SDL_Surface* withPic = buildTooltipImage("One", pic, font.get(), fg, bg);
    EXPECT_EQ(withPic->w, 88);
    EXPECT_EQ(withPic->h, lineH + 2 + 30 + 9);
    EXPECT_EQ(pixelAt(withPic, 44, 5).g, 255); // picture at y = 5
    SDL_Surface* picOnly = buildTooltipImage("", pic, font.get(), fg, bg);
    EXPECT_EQ(picOnly->h, 30 + 11);
    EXPECT_EQ(buildTooltipImage("", nullptr, font.get(), fg, bg), nullptr);
    for (SDL_Surface* s : {pic, withPic, picOnly})
        SDL_FreeSurface(s);

    Button b;
    setTooltip(b, nullptr, "x");
    EXPECT_TRUE(b.tooltipImage);
    setTooltip(b, nullptr, "");
    EXPECT_FALSE(b.tooltipImage);
}

TEST(TextLines, BackTicksSplitAndEmptyPiecesBecomeSpaces) {
    EXPECT_EQ(splitLines("A`B"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(splitLines("A``B"), (std::vector<std::string>{"A", " ", "B"}));
    EXPECT_EQ(splitLines("A`"), (std::vector<std::string>{"A", " "}));
    EXPECT_EQ(splitLines(""), (std::vector<std::string>{" "}));
    EXPECT_TRUE(looksUtf8("caf\xC3\xA9"));
    EXPECT_FALSE(looksUtf8("caf\xE9"));
    EXPECT_FALSE(looksUtf8("plain"));
    EXPECT_FALSE(looksUtf8("cut \xC3"));
}
