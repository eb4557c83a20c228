// The buttons of the strip drawn above the play screen.
#pragma once

#include "ui/button.h"

// The main-menu button: a white square of a tenth of the screen height (at
// most 96 pixels) with "Main" over "Menu" in the menu font, tooltip "Open the
// Main Menu".
void makeMainMenuButton(Button& b, const FontPtr& menuFont, SDL_Color textColour, int screenH);
// An image button of "data/gui" (minimize, quit) or the awards medal: the image
// for states 0 and 1, brightened by `overShift` and `pressedShift` for the others.
void makeImageButton(Button& b, const std::string& folder, const std::string& name, double scale,
                     const std::string& tooltip, int overShift = 30, int pressedShift = 70);
