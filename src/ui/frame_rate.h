// The frames-per-second read-out.
#pragma once

#include "ui/surface.h"

#include <string>

struct FrameRateCounter {
    int frames = 0;     // frames counted in the current period
    int totalMs = 0;    // time of the current period
    int lastCount = -1; // frames of the last finished period (-1 before the first)
    SurfacePtr image;   // the rendered read-out, kept between updates
    FontPtr font;       // opened on first use
};

// Counts one frame of `elapsedMs`; true when a period of just over a second
// ended, `lastCount` then holds its frame count and the count restarts.
bool countFrame(FrameRateCounter& counter, int elapsedMs);

// Top-left corner of an image of w x h at keypad `position` (1..9) of the screen.
SDL_Rect keypadCorner(int position, int screenW, int screenH, int w, int h);

struct FrameRateStyle {
    std::string fontName = "bluehigh";
    int pointSize = 20;
    SDL_Color colour{255, 255, 185, 0};
    int position = 1;
};

// Counts the frame, re-renders the text after each period and draws the last
// rendered read-out on `screen`.
void drawFrameRate(SDL_Surface* screen, FrameRateCounter& counter, int elapsedMs,
                   const FrameRateStyle& style);
