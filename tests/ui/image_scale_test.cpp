// The scaler against stored results: a few pictures shrunk, enlarged and both
// at once must come out as they always have (one step per channel of slack),
// whatever pixel format they arrive in. Run with QH_WRITE_GOLDEN=1 to rewrite
// the stored results after a deliberate change of filter.
#include "ui/image.h"
#include "ui/image_scale.h"
#include "ui/image_scale_kernels.h"
#include "ui_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

const std::string GOLDEN = std::string(QH_SOURCE_DIR) + "/tests/ui/golden/image_scale.bin";

// Gradients, hard edges, a one-pixel grid and some noise: what filters get wrong.
Uint32 opaquePattern(int x, int y) {
    Uint32 noise = static_cast<Uint32>(x * 7919 + y * 104729) * 2654435761u >> 24;
    Uint32 r = static_cast<Uint32>(x * 255 / 40);
    Uint32 g = (x / 5 + y / 4) % 2 ? 230 : 20;
    Uint32 b = (x % 3 == 0 || y % 4 == 0) ? 255 : noise;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// Opaque, clear and half-clear areas side by side, with colours that would
// bleed if transparent pixels were not weighted out.
Uint32 alphaPattern(int x, int y) {
    Uint32 a = x < 10 ? 255 : x < 20 ? 0 : static_cast<Uint32>((x - 20) * 12 + y * 2);
    if (a > 255) a = 255;
    if ((x + y) % 7 == 0) a = 128;
    Uint32 rgb = opaquePattern(y, x) & 0xFFFFFFu;
    return (a << 24) | rgb;
}

const int SRC_W = 41, SRC_H = 29;

SDL_Surface* argbPicture(Uint32 (*pattern)(int, int)) {
    SDL_Surface* s = createArgbSurface(SRC_W, SRC_H);
    for (int y = 0; y < SRC_H; ++y)
        for (int x = 0; x < SRC_W; ++x)
            argbRow(s, y)[x] = pattern(x, y);
    return s;
}

// The same picture in another layout, converted by SDL itself.
SDL_Surface* convertedTo(SDL_Surface* argb, int bits, Uint32 r, Uint32 g, Uint32 b, Uint32 a) {
    SDL_Surface* out = SDL_CreateRGBSurface(SDL_SWSURFACE, argb->w, argb->h, bits, r, g, b, a);
    SDL_SetAlpha(argb, 0, 255);
    SDL_BlitSurface(argb, nullptr, out, nullptr);
    SDL_SetAlpha(argb, SDL_SRCALPHA, 255);
    return out;
}

struct Size {
    int w, h;
};
const Size SIZES[] = {{97, 70}, {17, 11}, {90, 13}, {3, 2}, {SRC_W, SRC_H}, {1, 40}};

// Every result as ARGB words, in case order.
std::vector<Uint32> scaleAll(SDL_Surface* src) {
    std::vector<Uint32> out;
    for (Size size : SIZES) {
        SDL_Surface* s = scaleImageTo(src, size.w, size.h);
        EXPECT_EQ(s->w, size.w);
        EXPECT_EQ(s->h, size.h);
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) {
                Uint8 a = 0;
                SDL_Color c = readPixel(s, x, y, &a);
                if (!(s->flags & SDL_SRCALPHA)) a = 255; // opaque surfaces draw opaque
                out.push_back((Uint32(a) << 24) | (Uint32(c.r) << 16) | (Uint32(c.g) << 8) | c.b);
            }
        SDL_FreeSurface(s);
    }
    return out;
}

std::vector<Uint32> readGolden() {
    std::ifstream in(GOLDEN, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<Uint32> words(bytes.size() / 4);
    for (size_t i = 0; i < words.size(); ++i)
        for (int k = 0; k < 4; ++k)
            words[i] |= Uint32(static_cast<Uint8>(bytes[i * 4 + k])) << (8 * k);
    return words;
}

void writeGolden(const std::vector<Uint32>& words) {
    std::ofstream out(GOLDEN, std::ios::binary);
    for (Uint32 w : words)
        for (int k = 0; k < 4; ++k)
            out.put(static_cast<char>((w >> (8 * k)) & 0xFF));
}

// Counts the pixels that differ by more than one step in any channel; fully
// clear pixels compare by alpha alone (their colour is never seen).
int pixelsOff(const std::vector<Uint32>& got, const std::vector<Uint32>& want, size_t from,
              size_t count, std::string& first) {
    int off = 0;
    for (size_t i = 0; i < count; ++i) {
        Uint32 a = got[from + i], b = want[from + i];
        bool bad = false;
        for (int shift = 0; shift < 32; shift += 8) {
            int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
            if ((a >> 24) == 0 && (b >> 24) == 0 && shift < 24) continue;
            if (d > 1 || d < -1) bad = true;
        }
        if (bad && off++ == 0) {
            char text[80];
            std::snprintf(text, sizeof text, "pixel %zu: %08X, stored %08X", i, a, b);
            first = text;
        }
    }
    return off;
}

class ImageScaleTest : public UiTest {};

} // namespace

TEST_F(ImageScaleTest, ResultsMatchTheStoredOnesInEveryPixelFormat) {
    SDL_Surface* opaque = argbPicture(opaquePattern);
    SDL_SetAlpha(opaque, 0, 255);
    SDL_Surface* alpha = argbPicture(alphaPattern);
    std::vector<Uint32> expected = scaleAll(opaque);
    const size_t opaqueCount = expected.size();
    std::vector<Uint32> alphaResults = scaleAll(alpha);
    expected.insert(expected.end(), alphaResults.begin(), alphaResults.end());

    if (std::getenv("QH_WRITE_GOLDEN")) writeGolden(expected);
    const std::vector<Uint32> golden = readGolden();
    ASSERT_EQ(golden.size(), expected.size()) << GOLDEN;
    std::string first;
    EXPECT_EQ(pixelsOff(expected, golden, 0, opaqueCount, first), 0) << "opaque: " << first;
    EXPECT_EQ(pixelsOff(expected, golden, opaqueCount, golden.size() - opaqueCount, first), 0)
        << "with alpha: " << first;

    // The layouts images really arrive in: the display's own, and 24-bit RGB,
    // BGRX and RGBA byte orders from the decoders.
    struct Layout {
        const char* name;
        SDL_Surface* surface;
        bool hasAlpha;
    };
    SDL_Surface* display = SDL_DisplayFormat(opaque);
    SDL_Surface* rgb24 = convertedTo(opaque, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
    SDL_Surface* bgrx = convertedTo(opaque, 32, 0x0000FF00, 0x00FF0000, 0xFF000000, 0);
    SDL_Surface* rgba = convertedTo(alpha, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    SDL_Surface* displayAlpha = SDL_DisplayFormatAlpha(alpha);
    for (Layout l : {Layout{"display", display, false}, Layout{"rgb24", rgb24, false},
                     Layout{"bgrx", bgrx, false}, Layout{"rgba", rgba, true},
                     Layout{"display alpha", displayAlpha, true}}) {
        std::vector<Uint32> got = scaleAll(l.surface);
        const size_t from = l.hasAlpha ? opaqueCount : 0;
        const size_t count = l.hasAlpha ? golden.size() - opaqueCount : opaqueCount;
        ASSERT_EQ(got.size(), count) << l.name;
        got.insert(got.begin(), from, 0u);
        EXPECT_EQ(pixelsOff(got, golden, from, count, first), 0) << l.name << ": " << first;
        SDL_FreeSurface(l.surface);
    }

    // A colour-keyed picture: keyed pixels are clear, the rest as the source.
    SDL_Surface* keyed = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 1, 32, ARGB_R, ARGB_G, ARGB_B, 0);
    Uint32* row = argbRow(keyed, 0);
    row[0] = row[1] = 0x00FF00;
    row[2] = row[3] = 0x804020;
    SDL_SetColorKey(keyed, SDL_SRCCOLORKEY, 0x00FF00);
    SDL_Surface* wide = scaleImageTo(keyed, 8, 1);
    Uint8 a = 0;
    readPixel(wide, 0, 0, &a);
    EXPECT_EQ(a, 0);
    SDL_Color c = readPixel(wide, 7, 0, &a);
    EXPECT_EQ(a, 255);
    EXPECT_EQ(c.r, 0x80);
    for (SDL_Surface* s : {opaque, alpha, keyed, wide})
        SDL_FreeSurface(s);
}

TEST_F(ImageScaleTest, OpaqueResultsHaveNoAlphaChannelAndClearOnesKeepIt) {
    // What blits and cross-fades rely on: an opaque picture is copied, not
    // blended; a picture with clear parts blends by its own alpha.
    SDL_Surface* opaque = filledSurface(30, 20, 10, 20, 30);
    SDL_Surface* big = scaleImageTo(opaque, 64, 50);
    EXPECT_EQ(big->format->Amask, 0u);
    EXPECT_FALSE(big->flags & SDL_SRCALPHA);
    EXPECT_EQ(big->format->BitsPerPixel, SDL_GetVideoSurface()->format->BitsPerPixel);
    SDL_Surface* clear = filledSurface(30, 20, 10, 20, 30, 100);
    SDL_Surface* small = scaleImageTo(clear, 7, 5);
    EXPECT_NE(small->format->Amask, 0u);
    EXPECT_TRUE(small->flags & SDL_SRCALPHA);
    // A nearly opaque pixel averaged away leaves an opaque result.
    argbRow(opaque, 0)[0] = 0xFE0A141Eu;
    SDL_Surface* averaged = scaleImageTo(opaque, 3, 2);
    EXPECT_FALSE(averaged->flags & SDL_SRCALPHA);
    EXPECT_FALSE(hasTransparency(averaged));
    for (SDL_Surface* s : {opaque, big, clear, small, averaged})
        SDL_FreeSurface(s);
}

TEST_F(ImageScaleTest, WideLoopsGiveTheSameBytesAsThePortableOnes) {
    if (!scale_kernels::haveAvx2()) GTEST_SKIP() << "this processor runs the portable loops only";
    // Pictures big enough for the wide loops' full turns and their tails:
    // slight and strong shrinking, enlarging, odd and even widths, both at once.
    auto pattern = [](int x, int y) { return opaquePattern(x * 3 + y, y * 5 + x / 3); };
    SDL_Surface* opaque = createArgbSurface(131, 97);
    SDL_Surface* alpha = createArgbSurface(131, 97);
    for (int y = 0; y < 97; ++y)
        for (int x = 0; x < 131; ++x) {
            argbRow(opaque, y)[x] = pattern(x, y);
            argbRow(alpha, y)[x] = alphaPattern(x % 41, y % 29);
        }
    SDL_SetAlpha(opaque, 0, 255);
    SDL_Surface* display = SDL_DisplayFormat(opaque);
    const Size sizes[] = {{102, 76}, {103, 75}, {79, 58}, {40, 30}, {13, 9},  {200, 150},
                          {163, 121}, {64, 300}, {300, 20}, {5, 97}, {131, 96}, {8, 8}};
    for (SDL_Surface* src : {opaque, alpha, display})
        for (Size size : sizes) {
            SDL_Surface* wide = ScaleInSteps(src, size.w, size.h, ScaleLoops::Fastest).take();
            SDL_Surface* portable = ScaleInSteps(src, size.w, size.h, ScaleLoops::Portable).take();
            ASSERT_EQ(wide->w, portable->w);
            ASSERT_EQ(wide->format->Amask, portable->format->Amask);
            int differing = 0;
            for (int y = 0; y < wide->h; ++y)
                for (int x = 0; x < wide->w; ++x)
                    if (argbRow(wide, y)[x] != argbRow(portable, y)[x]) ++differing;
            EXPECT_EQ(differing, 0) << src->w << "x" << src->h << " to " << size.w << "x"
                                    << size.h << (src == alpha ? " with alpha" : "");
            SDL_FreeSurface(wide);
            SDL_FreeSurface(portable);
        }
    for (SDL_Surface* s : {opaque, alpha, display})
        SDL_FreeSurface(s);
}
