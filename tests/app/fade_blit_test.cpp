// The one-pass stack of opaque layers must give the very pixels that clearing
// the screen, copying the skin and blending each layer with SDL's own
// per-surface alpha give, at every opacity and inside the clip rectangle.
#include "app/fade_blit.h"
#include "ui/ui_fixture.h"

#include <random>

namespace {

class StackLayersTest : public UiTest {
  protected:
    // A noisy opaque picture in the display format, a little larger than the screen.
    SDL_Surface* noisy(unsigned seed) {
        SDL_Surface* screen = SDL_GetVideoSurface();
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, screen->w + 3, screen->h + 2, 32,
                                              screen->format->Rmask, screen->format->Gmask,
                                              screen->format->Bmask, 0);
        std::mt19937 rng(seed);
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x)
                argbRow(s, y)[x] = rng() & 0xFFFFFFu;
        return s;
    }
    // What the screen shows: colour bytes only.
    static std::vector<Uint32> shown(SDL_Surface* screen) {
        std::vector<Uint32> px;
        for (int y = 0; y < screen->h; ++y)
            for (int x = 0; x < screen->w; ++x)
                px.push_back(argbRow(screen, y)[x] & 0xFFFFFFu);
        return px;
    }
    // The screen drawn layer by layer with SDL's blits.
    static void drawWithSdl(SDL_Surface* screen, SDL_Surface* base, SDL_Surface* a, int alphaA,
                            SDL_Surface* b, int alphaB) {
        SDL_FillRect(screen, nullptr, 0);
        if (base) SDL_BlitSurface(base, nullptr, screen, nullptr);
        blitWithAlpha(a, screen, 0, 0, alphaA);
        blitWithAlpha(b, screen, 0, 0, alphaB);
    }
};

TEST_F(StackLayersTest, SameAsClearingAndBlendingWithSdl) {
    SDL_Surface* screen = SDL_GetVideoSurface();
    SDL_Surface* skin = noisy(1);
    SDL_Surface* current = noisy(2);
    SDL_Surface* next = noisy(3);
    const int alphas[] = {0, 1, 2, 37, 64, 127, 128, 129, 200, 253, 254, 255};
    for (SDL_Surface* base : {static_cast<SDL_Surface*>(nullptr), skin}) {
        for (int a : alphas) {
            const int b = 255 - a;
            // A clip rectangle with an odd width, as a partly drawn frame has.
            for (bool clipped : {false, true}) {
                SDL_Rect clip{3, 5, 157, 101};
                SDL_SetClipRect(screen, clipped ? &clip : nullptr);
                SDL_FillRect(screen, nullptr, 0x123456);
                drawWithSdl(screen, base, current, a, next, b);
                const std::vector<Uint32> want = shown(screen);

                SDL_FillRect(screen, nullptr, 0x123456);
                SDL_Surface* layers[] = {current, next};
                const int opacities[] = {a, b};
                ASSERT_TRUE(stackOpaqueLayers(screen, base, layers, opacities, 2));
                EXPECT_TRUE(shown(screen) == want)
                    << "opacity " << a << (base ? " over the skin" : " over black")
                    << (clipped ? ", clipped" : "");
            }
        }
    }
    SDL_SetClipRect(screen, nullptr);
    SDL_FreeSurface(skin);
    SDL_FreeSurface(current);
    SDL_FreeSurface(next);
}

TEST_F(StackLayersTest, RefusesLayersItCannotStackAndDrawsNothing) {
    SDL_Surface* screen = SDL_GetVideoSurface();
    SDL_Surface* full = noisy(4);
    SDL_Surface* small = SDL_CreateRGBSurface(SDL_SWSURFACE, 10, 10, 32, screen->format->Rmask,
                                              screen->format->Gmask, screen->format->Bmask, 0);
    SDL_Surface* alpha = createArgbSurface(screen->w, screen->h);
    SDL_FillRect(screen, nullptr, 0x123456);
    const std::vector<Uint32> before = shown(screen);
    for (SDL_Surface* bad : {small, alpha}) {
        SDL_Surface* layers[] = {full, bad};
        const int opacities[] = {255, 100};
        EXPECT_FALSE(stackOpaqueLayers(screen, nullptr, layers, opacities, 2));
    }
    EXPECT_TRUE(shown(screen) == before);
    // A layer that does not show may be anything; one that hides the base
    // makes the base's own shape irrelevant.
    SDL_Surface* layers[] = {full, nullptr};
    const int opacities[] = {255, 0};
    EXPECT_TRUE(stackOpaqueLayers(screen, small, layers, opacities, 2));
    SDL_FreeSurface(full);
    SDL_FreeSurface(small);
    SDL_FreeSurface(alpha);
}

} // namespace
