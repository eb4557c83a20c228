#include "app/fade_blit.h"

#include <algorithm>

void blitWithAlpha(SDL_Surface* image, SDL_Surface* target, int x, int y, int alpha) {
    if (!image || !target || alpha <= 0) return;
    SDL_Rect at{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    alpha = std::min(alpha, 255);
    if (!image->format->Amask) {
        SDL_SetAlpha(image, alpha < 255 ? SDL_SRCALPHA : 0, static_cast<Uint8>(alpha));
        SDL_BlitSurface(image, nullptr, target, &at);
        return;
    }
    if (alpha == 255 || image->format->BytesPerPixel != 4) {
        SDL_BlitSurface(image, nullptr, target, &at);
        return;
    }
    SDL_Surface* copy = SDL_ConvertSurface(image, image->format, SDL_SWSURFACE | SDL_SRCALPHA);
    if (!copy) return;
    const SDL_PixelFormat* f = copy->format;
    SDL_LockSurface(copy);
    for (int row = 0; row < copy->h; ++row) {
        auto* p = reinterpret_cast<Uint32*>(static_cast<Uint8*>(copy->pixels) + row * copy->pitch);
        for (int col = 0; col < copy->w; ++col) {
            Uint32 a = (p[col] & f->Amask) >> f->Ashift;
            a = a * static_cast<Uint32>(alpha) / 255;
            p[col] = (p[col] & ~f->Amask) | (a << f->Ashift);
        }
    }
    SDL_UnlockSurface(copy);
    SDL_BlitSurface(copy, nullptr, target, &at);
    SDL_FreeSurface(copy);
}
