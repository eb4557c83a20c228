#pragma once
// SDL_BlitSurface with the same clipping and the same pixels, faster where
// most of our frames go: a 32-bit picture with its own alpha channel onto a
// 32-bit surface of the same colour layout (windows, buttons, words, logos).
// Every other kind of blit is SDL's own.
#include <SDL/SDL.h>

int blitSurface(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect);

// SDL's blend of one row of alpha pixels over another row, byte for byte
// (exposed for the tests and the benchmark).
void blendAlphaRow(const Uint32* src, Uint32* dst, int width);
