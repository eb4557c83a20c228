// PNG encoding of a canvas (libpng), and decoding of any image SDL_image reads
// (used for contact sheets of the finished data tree).
#pragma once

#include "canvas.h"

#include <string>

// 8-bit RGBA, or RGB when every pixel is opaque. A light deterministic dither
// keeps smooth gradients from banding; the bytes depend only on the pixels.
std::string encodePng(const Canvas& c);
bool loadImageFile(const std::string& path, Canvas& out);
