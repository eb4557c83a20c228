// Bringing the toolkit in line with the settings: at start-up and whenever the
// options change, the role fonts are reopened, the skin reloaded and the style
// every button draws with is rebuilt.
#pragma once

#include "ui/font.h"
#include "ui/frame_rate.h"
#include "ui/skin.h"

struct Application;

struct ToolkitSettings {
    FontSettings fonts;
    SkinSettings skin;
    SDL_Color textColour{0, 0, 0, 0};
    SDL_Color tipColour{0, 0, 0, 0};
    SDL_Color tipBackground{255, 255, 185, 0};
    int tipDelayMs = 500;
    FrameRateStyle frameRate;
};

// The toolkit's share of the settings, the interface scale and the screen size.
ToolkitSettings toolkitSettingsFrom(const Application& app);

// Reopens the fonts, reloads the skin images (frame pieces and paper tiles
// stay as loaded) and rebuilds the button style.
void refreshToolkit(Application& app, const ToolkitSettings& settings);
// Releases every font and image the toolkit holds; done before the virtual
// file system and SDL_ttf shut down, since open fonts still read their files.
void releaseToolkit(Application& app);
// Everything for the current settings and video mode: the refresh above, and
// the play background handed to the screen state that draws it.
void loadToolkitImages(Application& app);
