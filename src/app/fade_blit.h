// Drawing a picture with an overall opacity. Our pictures carry an alpha
// channel, which makes SDL 1.2 ignore per-surface alpha, so the picture's own
// alpha is scaled on a scratch copy instead.
#pragma once

#include <SDL/SDL_video.h>

// Blits `image` at (x, y) with opacity 0..255 (0 draws nothing).
void blitWithAlpha(SDL_Surface* image, SDL_Surface* target, int x, int y, int alpha);

// Opaque full-screen layers stacked in one pass over the target: `base` (or
// black when null) copied, then each of `layers` drawn over it with its
// opacity, pixel for pixel as SDL's own blit with that per-surface alpha
// does (0 draws nothing, 255 copies). The title backgrounds' cross-fade
// draws this way instead of clearing the screen and blending twice over it.
// False, with nothing drawn, unless every surface is 32-bit in the target's
// layout, has no alpha channel or colour key and covers the target.
bool stackOpaqueLayers(SDL_Surface* target, SDL_Surface* base, SDL_Surface* const* layers,
                       const int* alphas, int count);
