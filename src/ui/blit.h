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

#include <vector>

// The largest rectangle of `src` (in its own coordinates) that a blit onto
// `dst` sets to the source's pixels whatever was under it: all of a picture
// that is copied, the run of opaque pixels around the centre of one with an
// alpha channel. Empty when the blit mixes everything (colour key, surface
// alpha, a blend SDL rounds). Frames that redraw only what changed leave
// such rectangles alone.
SDL_Rect opaqueInterior(SDL_Surface* src, const SDL_Surface* dst);

// `area` less the `covers`, as rectangles that do not overlap.
std::vector<SDL_Rect> rectsOutside(const SDL_Rect& area, const std::vector<SDL_Rect>& covers);
