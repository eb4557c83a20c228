// Our alpha blit against SDL's own: for random pictures, places and clip
// rectangles both must leave the same bytes and report the same rectangle.
#include "ui/blit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

SDL_Surface* makeSurface(int w, int h, bool withAlpha) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xff0000, 0xff00, 0xff,
                                withAlpha ? 0xff000000 : 0);
}

// Alphas of 0 and 255 come often, alone and in runs as in real pictures:
// both are special cases of the blend, and runs of them have their own paths.
void fill(SDL_Surface* s, std::mt19937& rng) {
    int kind = 0, runLeft = 0;
    for (int y = 0; y < s->h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < s->w; ++x) {
            if (runLeft-- <= 0) {
                kind = static_cast<int>(rng() % 4);
                runLeft = rng() % 3 == 0 ? static_cast<int>(rng() % 24) : 0;
            }
            Uint32 v = rng();
            switch (kind) {
            case 0: v &= 0x00ffffff; break;
            case 1: v |= 0xff000000; break;
            default: break;
            }
            row[x] = v;
        }
    }
}

bool samePixels(const SDL_Surface* a, const SDL_Surface* b) {
    for (int y = 0; y < a->h; ++y)
        if (std::memcmp(static_cast<const Uint8*>(a->pixels) + y * a->pitch,
                        static_cast<const Uint8*>(b->pixels) + y * b->pitch, a->w * 4) != 0)
            return false;
    return true;
}

SDL_Surface* copyOf(SDL_Surface* s) {
    SDL_Surface* c = makeSurface(s->w, s->h, s->format->Amask != 0);
    for (int y = 0; y < s->h; ++y)
        std::memcpy(static_cast<Uint8*>(c->pixels) + y * c->pitch,
                    static_cast<Uint8*>(s->pixels) + y * s->pitch, s->w * 4);
    return c;
}

TEST(Blit, SameBytesAndRectanglesAsSdl) {
    std::mt19937 rng(7);
    for (int round = 0; round < 400; ++round) {
        const bool dstAlpha = round % 3 == 0;
        SDL_Surface* src = makeSurface(1 + rng() % 70, 1 + rng() % 40, true);
        SDL_SetAlpha(src, SDL_SRCALPHA, static_cast<Uint8>(rng() % 256)); // ignored with an alpha channel
        SDL_Surface* ours = makeSurface(1 + rng() % 90, 1 + rng() % 50, dstAlpha);
        fill(src, rng);
        fill(ours, rng);
        SDL_Surface* theirs = copyOf(ours);
        SDL_Rect clip{static_cast<Sint16>(rng() % 20), static_cast<Sint16>(rng() % 20),
                      static_cast<Uint16>(rng() % 100), static_cast<Uint16>(rng() % 60)};
        if (round % 4) {
            SDL_SetClipRect(ours, &clip);
            SDL_SetClipRect(theirs, &clip);
        }
        SDL_Rect part{static_cast<Sint16>(static_cast<int>(rng() % 30) - 10),
                      static_cast<Sint16>(static_cast<int>(rng() % 30) - 10),
                      static_cast<Uint16>(rng() % 80), static_cast<Uint16>(rng() % 50)};
        SDL_Rect* srcRect = round % 2 ? &part : nullptr;
        SDL_Rect at{static_cast<Sint16>(static_cast<int>(rng() % 120) - 30),
                    static_cast<Sint16>(static_cast<int>(rng() % 70) - 20), 0, 0};
        SDL_Rect atOurs = at, atTheirs = at, partOurs = part, partTheirs = part;
        ASSERT_EQ(blitSurface(src, srcRect ? &partOurs : nullptr, ours, &atOurs), 0);
        ASSERT_EQ(SDL_BlitSurface(src, srcRect ? &partTheirs : nullptr, theirs, &atTheirs), 0);
        ASSERT_TRUE(samePixels(ours, theirs)) << "round " << round;
        EXPECT_EQ(atOurs.x, atTheirs.x);
        EXPECT_EQ(atOurs.y, atTheirs.y);
        EXPECT_EQ(atOurs.w, atTheirs.w);
        EXPECT_EQ(atOurs.h, atTheirs.h);
        for (SDL_Surface* s : {src, ours, theirs})
            SDL_FreeSurface(s);
    }
}

// What the fast path must leave to SDL still comes out as SDL's: a colour
// key, a picture without alpha, a source without the alpha flag.
TEST(Blit, OtherKindsOfBlitAreSdls) {
    std::mt19937 rng(3);
    for (int kind = 0; kind < 3; ++kind) {
        SDL_Surface* src = makeSurface(33, 17, kind != 1);
        fill(src, rng);
        if (kind == 0) SDL_SetColorKey(src, SDL_SRCCOLORKEY, 0x123456);
        if (kind == 2) SDL_SetAlpha(src, 0, 255);
        if (kind == 1) SDL_SetAlpha(src, SDL_SRCALPHA, 100);
        SDL_Surface* ours = makeSurface(40, 30, false);
        fill(ours, rng);
        SDL_Surface* theirs = copyOf(ours);
        SDL_Rect a{3, 4, 0, 0}, b = a;
        blitSurface(src, nullptr, ours, &a);
        SDL_BlitSurface(src, nullptr, theirs, &b);
        EXPECT_TRUE(samePixels(ours, theirs)) << "kind " << kind;
        for (SDL_Surface* s : {src, ours, theirs})
            SDL_FreeSurface(s);
    }
}

// What a blit hides wholly: the whole of a copied picture; the opaque
// middle of one with alpha, as large as its rows allow; nothing where SDL's
// own blend or a colour key decides.
TEST(Blit, OpaqueInteriorIsWhatABlitHidesWholly) {
    SDL_Surface* screen = makeSurface(80, 60, false);
    SDL_Surface* plain = makeSurface(30, 20, false);
    SDL_Rect r = opaqueInterior(plain, screen);
    EXPECT_EQ(r.w, 30);
    EXPECT_EQ(r.h, 20);

    // A plate: clear margins, a clear notch at each corner of the plate.
    SDL_Surface* plate = makeSurface(40, 30, true);
    SDL_SetAlpha(plate, SDL_SRCALPHA, 255);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 4 && x < 36 && y >= 3 && y < 27;
            const bool notch = (x < 6 || x >= 34) && (y < 5 || y >= 25);
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(plate->pixels) + y * plate->pitch)[x] =
                inside && !notch ? 0xff102030 : (inside ? 0x80102030 : 0);
        }
    r = opaqueInterior(plate, screen);
    // Between the notches all the plate's rows (28 x 24) beat all its columns
    // between them (32 x 20).
    EXPECT_EQ(r.x, 6);
    EXPECT_EQ(r.y, 3);
    EXPECT_EQ(r.w, 28);
    EXPECT_EQ(r.h, 24);
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            ASSERT_EQ(reinterpret_cast<Uint32*>(static_cast<Uint8*>(plate->pixels) +
                                                y * plate->pitch)[x] >> 24,
                      255u);

    SDL_Surface* otherOrder = SDL_CreateRGBSurface(SDL_SWSURFACE, 80, 60, 32, 0xff, 0xff00,
                                                   0xff0000, 0);
    EXPECT_EQ(opaqueInterior(plate, otherOrder).w, 0); // SDL's rounded blend
    SDL_SetAlpha(plain, SDL_SRCALPHA, 200);
    EXPECT_EQ(opaqueInterior(plain, screen).w, 0); // see-through all over
    SDL_SetAlpha(plain, 0, 255);
    SDL_SetColorKey(plain, SDL_SRCCOLORKEY, 0);
    EXPECT_EQ(opaqueInterior(plain, screen).w, 0);
    SDL_FillRect(plate, nullptr, 0x80ffffff);
    EXPECT_EQ(opaqueInterior(plate, screen).w, 0); // half clear everywhere
    for (SDL_Surface* s : {screen, plain, plate, otherOrder})
        SDL_FreeSurface(s);
}

// An area less its covers: every point of the area not under a cover lies
// in exactly one of the pieces, and no other point in any.
TEST(Blit, RectsOutsideCoversTheRestExactlyOnce) {
    std::mt19937 rng(11);
    auto rect = [&](int most) {
        return SDL_Rect{static_cast<Sint16>(static_cast<int>(rng() % most) - 5),
                        static_cast<Sint16>(static_cast<int>(rng() % most) - 5),
                        static_cast<Uint16>(rng() % most), static_cast<Uint16>(rng() % most)};
    };
    auto inside = [](const SDL_Rect& r, int x, int y) {
        return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
    };
    for (int round = 0; round < 300; ++round) {
        const SDL_Rect area = rect(40);
        std::vector<SDL_Rect> covers;
        for (int i = static_cast<int>(rng() % 4); i > 0; --i)
            covers.push_back(rect(40));
        const std::vector<SDL_Rect> parts = rectsOutside(area, covers);
        for (int y = -6; y < 80; ++y)
            for (int x = -6; x < 80; ++x) {
                bool covered = false;
                for (const SDL_Rect& c : covers)
                    covered = covered || inside(c, x, y);
                int count = 0;
                for (const SDL_Rect& p : parts)
                    count += inside(p, x, y);
                ASSERT_EQ(count, inside(area, x, y) && !covered ? 1 : 0)
                    << "round " << round << " at " << x << "," << y;
            }
    }
}

} // namespace
