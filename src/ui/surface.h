// Shared ownership of SDL surfaces and fonts, and the small pixel helpers the
// image operations are built on. Art that several buttons use at once (button
// slots, caption backgrounds, word images) is held through these pointers so a
// skin reload or a font change never leaves a button pointing at freed memory.
#pragma once

#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include <memory>

using SurfacePtr = std::shared_ptr<SDL_Surface>;
using FontPtr = std::shared_ptr<TTF_Font>;

// Takes ownership: the surface is freed when the last pointer goes. Null stays null.
SurfacePtr shareSurface(SDL_Surface* surface);
// Takes ownership: the font is closed when the last pointer goes.
FontPtr shareFont(TTF_Font* font);

// 32-bit ARGB: the working format of every pixel operation here.
constexpr Uint32 ARGB_A = 0xFF000000u;
constexpr Uint32 ARGB_R = 0x00FF0000u;
constexpr Uint32 ARGB_G = 0x0000FF00u;
constexpr Uint32 ARGB_B = 0x000000FFu;
// The largest side a surface may have: SDL keeps the pitch in 16 bits.
constexpr int MAX_SURFACE_SIDE = 16383;

// A new zero-filled (fully transparent) ARGB surface; null when it cannot be made.
SDL_Surface* createArgbSurface(int width, int height);
// A new ARGB copy of any surface; colour-keyed pixels become fully transparent
// and per-pixel alpha is kept.
SDL_Surface* toArgb(SDL_Surface* image);
// Converts a new ARGB surface to the display format (with an alpha channel when
// `keepAlpha`) and frees the input. Without a video mode the ARGB surface itself
// is returned, with per-pixel alpha blending enabled when `keepAlpha`.
SDL_Surface* finishSurface(SDL_Surface* argb, bool keepAlpha);
// True when any pixel of an ARGB surface has alpha below 255.
bool argbHasAlpha(SDL_Surface* argb);

// Locks a surface for the scope, only when SDL requires it.
class SurfaceLock {
  public:
    explicit SurfaceLock(SDL_Surface* s) : surface(s) {
        locked = s && SDL_MUSTLOCK(s) && SDL_LockSurface(s) == 0;
    }
    ~SurfaceLock() {
        if (locked) SDL_UnlockSurface(surface);
    }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

  private:
    SDL_Surface* surface;
    bool locked = false;
};

inline Uint32* argbRow(SDL_Surface* s, int y) {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
}

// The colour of one pixel of any surface (x, y inside the surface).
SDL_Color readPixel(SDL_Surface* s, int x, int y, Uint8* alpha);

// Draws `src` onto an ARGB `dst` at (x, y) with proper "over" compositing, so the
// destination's own alpha is updated too (SDL 1.2 blits leave it untouched).
void composeOver(SDL_Surface* dst, SDL_Surface* src, int x, int y);
