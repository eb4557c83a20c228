// Drawing a picture with an overall opacity. Our pictures carry an alpha
// channel, which makes SDL 1.2 ignore per-surface alpha, so the picture's own
// alpha is scaled on a scratch copy instead.
#pragma once

#include <SDL/SDL_video.h>

// Blits `image` at (x, y) with opacity 0..255 (0 draws nothing).
void blitWithAlpha(SDL_Surface* image, SDL_Surface* target, int x, int y, int alpha);
