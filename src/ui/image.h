// Images: loading through the virtual file system, scaling, pixel operations.
// Every surface returned here is new and owned by the caller (SDL_FreeSurface).
#pragma once

#include <SDL/SDL.h>

#include <string>

// folder + "/" + name, trying ".bmp", ".png", ".gif", ".jpg", ".tiff" when the
// plain path is missing. A missing or undecodable file gives a 1x1 image.
SDL_Surface* loadImage(const std::string& folder, const std::string& name);
// A new surface of factor x the size (factor capped at 100, each side at least 1),
// in the display format (with alpha when the source has any). The source is untouched.
SDL_Surface* scaleImage(SDL_Surface* image, double factor);
// Resampled to exactly width x height (each at least 1).
SDL_Surface* scaleImageTo(SDL_Surface* image, int width, int height);
// True for the 1x1 stand-in of a missing image.
bool isPlaceholder(const SDL_Surface* image);
