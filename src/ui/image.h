// Images: loading through the virtual file system, scaling, pixel operations.
// Every surface returned here is new and owned by the caller (SDL_FreeSurface);
// sources are never changed.
#pragma once

#include <SDL/SDL.h>

#include <functional>
#include <string>

// folder + "/" + name, trying ".bmp", ".png", ".gif", ".jpg", ".tiff" when the
// plain path is missing. A missing or undecodable file gives a 1x1 image.
SDL_Surface* loadImage(const std::string& folder, const std::string& name);
// The file loadImage would read by those rules; empty when there is none.
std::string findImageFile(const std::string& folder, const std::string& name);
// A new surface of factor x the size (factor capped at 100, each side at least 1),
// in the display format (with alpha when the source has any). The source is untouched.
SDL_Surface* scaleImage(SDL_Surface* image, double factor);
// Resampled to exactly width x height (each at least 1).
SDL_Surface* scaleImageTo(SDL_Surface* image, int width, int height);
// True for the 1x1 stand-in of a missing image.
bool isPlaceholder(const SDL_Surface* image);
// The stand-in itself: 1x1, pixel value 0xFF0000 in ARGB (red, fully transparent).
SDL_Surface* makePlaceholder();

// True when any pixel has an alpha below 255 (colour-keyed pixels count as 0).
bool hasTransparency(SDL_Surface* image);
// Ink on a transparent sheet: alpha = 255 - grey (scaled by ink.unused per cent
// when that is not 0, and by the source's own alpha), colour = the ink.
SDL_Surface* transparify(SDL_Surface* image, SDL_Color ink);
// Per cent towards white (amount > 0) or black (amount < 0); alpha kept.
SDL_Surface* shiftBrightness(int amount, SDL_Surface* image);
// Left-right mirrored copy, alpha kept.
SDL_Surface* mirrorImage(SDL_Surface* image);
// Copy where the pixels for which `inside(x, y)` is false become pure green, the
// colour key of the copy. An image with its own transparency keeps its alpha
// channel and those pixels also become fully transparent.
SDL_Surface* shapedCopy(SDL_Surface* image, const std::function<bool(int, int)>& inside);
