// Tooltips: the bevelled tooltip image and where it is shown.
#pragma once

#include "ui/surface.h"

#include <string>

// Lines split at back-ticks, rendered shaded in `fg` on `bg`, with an optional
// picture above them, inside a one-pixel bevel (light top-left, dark
// bottom-right). Null when there is neither text nor picture.
SDL_Surface* buildTooltipImage(const std::string& text, SDL_Surface* picture, TTF_Font* font,
                               SDL_Color fg, SDL_Color bg);

// Centred above the pointer (8 pixels clear of it), moved inside the screen.
SDL_Rect placeTooltip(int mouseX, int mouseY, int width, int height, int screenW, int screenH);

// The tooltip handed to the application by a hovered button, drawn on top of
// everything at the end of the frame.
struct TooltipSlot {
    SurfacePtr image;
    int x = 0, y = 0;
};

// Draws the tooltip in the slot, if any, and empties the slot for the next frame.
void drawTooltip(SDL_Surface* screen, TooltipSlot& slot);
