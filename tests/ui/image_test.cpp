#include "ui/image.h"
#include "ui_fixture.h"

#include <cmath>

namespace {

class ImageTest : public UiTest {
  protected:
    // Writes a w x h image of one colour; the file name decides only the name,
    // the decoder goes by content.
    void writeImage(const std::string& rel, Uint8 r, Uint8 g, Uint8 b, int w = 4, int h = 3) {
        SDL_Surface* s = filledSurface(w, h, r, g, b);
        saveImage(s, rel);
        SDL_FreeSurface(s);
    }
};

} // namespace

TEST_F(ImageTest, ExtensionsAreTriedInOrderAndBmpWinsOverPng) {
    writeImage("pics/a.png", 0, 0, 255);
    writeImage("pics/a.bmp", 255, 0, 0);
    writeImage("pics/b.tiff", 0, 255, 0);
    writeImage("pics/b.jpg", 10, 20, 30, 5, 5);
    writeImage("pics/c.png", 0, 0, 255);

    SDL_Surface* a = loadImage("pics", "a");
    ASSERT_EQ(a->w, 4);
    EXPECT_EQ(pixelAt(a, 0, 0).r, 255); // the .bmp, not the .png
    SDL_Surface* b = loadImage("/pics", "b");
    EXPECT_EQ(b->w, 5); // .jpg comes before .tiff
    SDL_Surface* c = loadImage("pics", "c");
    EXPECT_EQ(pixelAt(c, 1, 1).b, 255);
    SDL_Surface* exact = loadImage("pics", "a.png"); // an exact name is used as it is
    EXPECT_EQ(pixelAt(exact, 0, 0).b, 255);
    for (SDL_Surface* s : {a, b, c, exact})
        SDL_FreeSurface(s);
}

TEST_F(ImageTest, MissingOrBrokenImagesGiveTheOnePixelStandIn) {
    writeRealFile(userFile("pics/broken.png"), "not an image at all");
    for (const char* name : {"nothing", "broken"}) {
        SDL_Surface* s = loadImage("pics", name);
        ASSERT_NE(s, nullptr);
        EXPECT_TRUE(isPlaceholder(s)) << name;
        Uint32 px = *static_cast<Uint32*>(s->pixels);
        EXPECT_EQ(px, 0xFF0000u);
        SDL_FreeSurface(s);
    }
    // A folder named like the image is not the image.
    writeImage("pics/dir/x.bmp", 1, 2, 3);
    writeImage("pics/dir.bmp", 9, 9, 9);
    SDL_Surface* d = loadImage("pics", "dir");
    EXPECT_EQ(pixelAt(d, 0, 0).r, 9);
    SDL_FreeSurface(d);
}

TEST_F(ImageTest, ScalingGivesTheStatedSizesAndNeverAnEmptyImage) {
    SDL_Surface* src = filledSurface(100, 100, 50, 100, 150);
    SDL_Surface* tiny = scaleImage(src, 0.001);
    EXPECT_EQ(tiny->w, 1);
    EXPECT_EQ(tiny->h, 1);
    SDL_Color c = pixelAt(tiny, 0, 0);
    EXPECT_EQ(c.r, 50);
    EXPECT_EQ(c.g, 100);
    EXPECT_EQ(c.b, 150);
    SDL_Surface* half = scaleImage(src, 0.5);
    EXPECT_EQ(half->w, 50);
    SDL_Surface* odd = scaleImage(src, 1.234);
    EXPECT_EQ(odd->w, 123); // truncated
    SDL_Surface* neg = scaleImage(src, -3);
    EXPECT_EQ(neg->w, 1);
    SDL_Surface* nan = scaleImage(src, std::nan(""));
    EXPECT_EQ(nan->h, 1);
    SDL_Surface* capped = scaleImage(tiny, 1000.0); // factor capped at 100
    EXPECT_EQ(capped->w, 100);
    SDL_Surface* exact = scaleImageTo(src, 7, 300);
    EXPECT_EQ(exact->w, 7);
    EXPECT_EQ(exact->h, 300);
    for (SDL_Surface* s : {src, tiny, half, odd, neg, nan, capped, exact})
        SDL_FreeSurface(s);
}

TEST_F(ImageTest, ShrinkingAveragesAndEnlargingInterpolates) {
    // A one-pixel checkerboard shrunk by half is an even grey, not black or white.
    SDL_Surface* checker = createArgbSurface(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            argbRow(checker, y)[x] = ((x + y) % 2) ? 0xFFFFFFFFu : 0xFF000000u;
    SDL_Surface* grey = scaleImage(checker, 0.5);
    for (int x = 0; x < 4; ++x)
        EXPECT_NEAR(pixelAt(grey, x, 2).g, 128, 1);

    // Black | white, doubled: the middle goes through grey, the ends stay pure.
    SDL_Surface* bw = createArgbSurface(2, 1);
    argbRow(bw, 0)[0] = 0xFF000000u;
    argbRow(bw, 0)[1] = 0xFFFFFFFFu;
    SDL_Surface* wide = scaleImageTo(bw, 8, 1);
    EXPECT_EQ(pixelAt(wide, 0, 0).r, 0);
    EXPECT_EQ(pixelAt(wide, 7, 0).r, 255);
    int prev = -1;
    for (int x = 0; x < 8; ++x) {
        int v = pixelAt(wide, x, 0).r;
        EXPECT_GE(v, prev);
        prev = v;
    }
    EXPECT_GT(pixelAt(wide, 4, 0).r, 0);
    EXPECT_LT(pixelAt(wide, 3, 0).r, 255);
    for (SDL_Surface* s : {checker, grey, bw, wide})
        SDL_FreeSurface(s);
}

TEST_F(ImageTest, TransparentPixelsDoNotBleedTheirColourIntoEdges) {
    // Opaque red next to fully transparent green: the blend stays red.
    SDL_Surface* s = createArgbSurface(2, 1);
    argbRow(s, 0)[0] = 0xFFFF0000u;
    argbRow(s, 0)[1] = 0x0000FF00u;
    SDL_Surface* wide = scaleImageTo(s, 6, 1);
    EXPECT_TRUE(hasTransparency(wide));
    for (int x = 0; x < 5; ++x) {
        Uint8 a = 0;
        SDL_Color c = pixelAt(wide, x, 0, &a);
        if (a > 0) {
            EXPECT_EQ(c.g, 0) << x;
            EXPECT_GT(c.r, 200) << x;
        }
    }
    Uint8 a0 = 0, a5 = 0;
    pixelAt(wide, 0, 0, &a0);
    pixelAt(wide, 5, 0, &a5);
    EXPECT_EQ(a0, 255);
    EXPECT_EQ(a5, 0);
    SDL_FreeSurface(s);
    SDL_FreeSurface(wide);
}

TEST_F(ImageTest, TransparencyIsDetectedFromAlphaAndColourKeys) {
    SDL_Surface* opaque = filledSurface(3, 3, 1, 2, 3);
    EXPECT_FALSE(hasTransparency(opaque));
    argbRow(opaque, 1)[1] = 0xFE010203u;
    EXPECT_TRUE(hasTransparency(opaque));
    SDL_Surface* keyed = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(keyed, nullptr, 0x00FF00);
    EXPECT_FALSE(hasTransparency(keyed));
    SDL_SetColorKey(keyed, SDL_SRCCOLORKEY, 0x00FF00);
    EXPECT_TRUE(hasTransparency(keyed));
    SDL_FreeSurface(opaque);
    SDL_FreeSurface(keyed);
}

TEST_F(ImageTest, TransparifyTurnsPaperWhiteIntoClearInk) {
    SDL_Surface* s = createArgbSurface(3, 1);
    argbRow(s, 0)[0] = 0xFFFFFFFFu; // white
    argbRow(s, 0)[1] = 0xFF000000u; // black
    argbRow(s, 0)[2] = 0xFF306090u; // grey (48 + 96 + 144) / 3 = 96
    SDL_Color ink{20, 40, 60, 0};
    SDL_Surface* t = transparify(s, ink);
    Uint8 a = 0;
    SDL_Color c = pixelAt(t, 0, 0, &a);
    EXPECT_EQ(a, 0);
    c = pixelAt(t, 1, 0, &a);
    EXPECT_EQ(a, 255);
    EXPECT_EQ(c.r, 20);
    EXPECT_EQ(c.g, 40);
    EXPECT_EQ(c.b, 60);
    pixelAt(t, 2, 0, &a);
    EXPECT_EQ(a, 255 - 96);

    ink.unused = 50; // half opacity
    SDL_Surface* half = transparify(s, ink);
    pixelAt(half, 1, 0, &a);
    EXPECT_EQ(a, 127);
    pixelAt(half, 0, 0, &a);
    EXPECT_EQ(a, 0);
    for (SDL_Surface* x : {s, t, half})
        SDL_FreeSurface(x);
}

TEST_F(ImageTest, BrightnessShiftsTowardsWhiteOrBlackAndKeepsAlpha) {
    SDL_Surface* s = createArgbSurface(2, 1);
    argbRow(s, 0)[0] = 0xFF646464u; // 100, 100, 100
    argbRow(s, 0)[1] = 0x80FF0000u; // half-transparent red
    SDL_Surface* up = shiftBrightness(60, s);
    SDL_Surface* down = shiftBrightness(-30, s);
    EXPECT_EQ(pixelAt(up, 0, 0).r, 193);
    EXPECT_EQ(pixelAt(up, 0, 0).b, 193);
    EXPECT_EQ(pixelAt(down, 0, 0).g, 70);
    Uint8 a = 0;
    SDL_Color red = pixelAt(down, 1, 0, &a);
    EXPECT_EQ(a, 0x80);
    EXPECT_EQ(red.r, 255 - 76);
    EXPECT_EQ(red.g, 0);
    SDL_Surface* white = shiftBrightness(500, s); // clamped to 100
    EXPECT_EQ(pixelAt(white, 0, 0).r, 255);
    // Opaque sources come back without an alpha channel to blend.
    SDL_Surface* opaque = filledSurface(2, 2, 100, 100, 100);
    SDL_Surface* flat = shiftBrightness(30, opaque);
    EXPECT_FALSE(flat->flags & SDL_SRCALPHA);
    for (SDL_Surface* x : {s, up, down, white, opaque, flat})
        SDL_FreeSurface(x);
}

TEST_F(ImageTest, MirroredAndShapedCopies) {
    SDL_Surface* s = createArgbSurface(3, 1);
    argbRow(s, 0)[0] = 0xFFFF0000u;
    argbRow(s, 0)[1] = 0xFF00FF00u;
    argbRow(s, 0)[2] = 0x400000FFu;
    SDL_Surface* m = mirrorImage(s);
    Uint8 a = 0;
    EXPECT_EQ(pixelAt(m, 0, 0, &a).b, 255);
    EXPECT_EQ(a, 0x40);
    EXPECT_EQ(pixelAt(m, 2, 0).r, 255);

    SDL_Surface* opaque = filledSurface(4, 4, 200, 10, 10);
    SDL_Surface* round = shapedCopy(opaque, [](int x, int y) { return x + y < 4; });
    EXPECT_TRUE(round->flags & SDL_SRCCOLORKEY);
    SDL_Color c = pixelAt(round, 3, 3, &a);
    EXPECT_EQ(c.g, 255);
    EXPECT_EQ(a, 0); // the colour key
    c = pixelAt(round, 0, 0, &a);
    EXPECT_EQ(c.r, 200);
    EXPECT_EQ(a, 255);
    for (SDL_Surface* x : {s, m, opaque, round})
        SDL_FreeSurface(x);
}

TEST_F(ImageTest, LoadedImagesAreInTheDisplayFormat) {
    writeImage("pics/plain.bmp", 1, 2, 3);
    SDL_Surface* s = loadImage("pics", "plain");
    SDL_PixelFormat* disp = SDL_GetVideoSurface()->format;
    EXPECT_EQ(s->format->BitsPerPixel, disp->BitsPerPixel);
    EXPECT_EQ(s->format->Rmask, disp->Rmask);
    SDL_FreeSurface(s);
}
