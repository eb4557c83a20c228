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

// Alphas of 0 and 255 come often: both are special cases of the blend.
void fill(SDL_Surface* s, std::mt19937& rng) {
    for (int y = 0; y < s->h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < s->w; ++x) {
            Uint32 v = rng();
            switch (rng() % 4) {
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

} // namespace
