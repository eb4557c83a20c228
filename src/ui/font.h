// Fonts: found by name in the fonts folder of the virtual file system, opened
// through the SDL read adapter, with the role fonts the application keeps.
#pragma once

#include "ui/surface.h"

#include <SDL/SDL_ttf.h>

#include <string>
#include <vector>

inline const char* const FONTS_FOLDER = "/data/fonts";
inline const char* const FALLBACK_FONT = "bluehigh.ttf";

// Opens name, name + ".ttf", a case-insensitive match of either, "bluehigh.ttf",
// then the first "*.ttf" of the fonts folder. Sizes below 1 become 1. With no
// font at all the program prints its notice and exits (status 0). The caller
// closes the font (TTF_CloseFont), which also releases the file adapter.
TTF_Font* openFont(const std::string& name, int pointSize);
// The point size at which `name` renders the word "Change" `pixelHeight` high.
int fontSizeForHeight(const std::string& name, int pixelHeight);
// Lower-cased names of the ".ttf" files of the fonts folder, sorted by byte value.
// An empty folder prints its notice and exits (status 0).
std::vector<std::string> listFonts();

struct FontStep {
    std::string name;
    bool hasPrevious = false;
    bool hasNext = false;
};
// Moves `step` entries from `current` (as given or with ".ttf"; index 0 when
// absent) and clamps to the list.
FontStep nextFont(const std::vector<std::string>& list, const std::string& current, int step = 1);
FontStep previousFont(const std::vector<std::string>& list, const std::string& current,
                      int step = 1);

// What the role fonts are opened from (the font settings, the display scale).
struct FontSettings {
    std::string textFont = "bluehigh";
    int textSize = 21;
    std::string tipFont = "bluehigh";
    int tipSize = 17;
    std::string actionFont = "augie___";
    std::string menuFont = "bluehigh";
    std::string fpsFont = "bluehigh";
    int fpsSize = 20;
    double displayScale = 1.0;       // the application's display scale
    bool actionUsesTextSize = false; // Action Chart at the configured text size
};

// One open font per role, reopened whenever the settings change. Buttons keep
// the font their caption was made with, so reopening never invalidates them.
struct FontSet {
    FontPtr text;      // section text
    FontPtr tip;       // tooltips
    FontPtr action;    // Action Chart
    FontPtr menu;      // menu captions, large
    FontPtr menuSmall; // menu captions, small (labels, long captions)
    FontPtr fps;       // frame-rate read-out
};

// Pixel heights of the two menu fonts at a display scale of 1.
constexpr int MENU_FONT_HEIGHT = 30;
constexpr int MENU_SMALL_FONT_HEIGHT = 22;
constexpr int ACTION_FONT_HEIGHT = 15;

void reopenFonts(FontSet& fonts, const FontSettings& settings);
void closeFonts(FontSet& fonts);
