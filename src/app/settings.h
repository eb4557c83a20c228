// The player's display and interface preferences, kept in the plain file
// "settings.txt" at the root of the virtual tree. Read once at start-up (a key
// that is missing keeps its default), written back in full at shutdown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Application;
struct DataFile;

struct RgbColor {
    uint8_t r = 0, g = 0, b = 0;
    uint8_t unused = 0;
};

struct VideoModeSize {
    int width = 0, height = 0;
};

// The video mode current when the program started, queried once.
struct DesktopInfo {
    bool queried = false;
    int width = 0, height = 0, bpp = 0;
};

// Font sizes in the file run 1..20 and are kept as point sizes 2n+7 (9..47).
constexpr int FONT_SIZE_MAX = 20;
int fontSizeFromFile(int n);
int fontSizeToFile(int pointSize);

struct Settings {
    Application* app = nullptr; // a few keys also update application state

    // Video
    int fullscreenWidth = 0, fullscreenHeight = 0, fullscreenBpp = 16;
    bool useFullscreen = false;
    int windowedWidth = 800, windowedHeight = 600;
    int windowPosX = 0, windowPosY = 0;
    int targetFps = 30;
    int fpsPosition = 1;
    bool showFps = false;
    std::string fpsFont;
    RgbColor fpsColor;
    int fpsSize = 0; // point size

    // Fonts and colours (sizes are point sizes)
    std::string textFont, tipFont, actionFont, menuFont;
    int textFontSize = 0, tipFontSize = 0;
    RgbColor textColor, tipColor, tipBgColor, menuTextColor, buttonTextColor;

    // Miscellaneous
    std::string cursor, paper;
    bool paperShowScroll = true, paperShowBorder = false;
    std::string button4, button8;
    int tipDelay = 500;
    bool transparify = true;
    int rntSpeed = 2, combatSpeed = 2;
    RgbColor rntBarColor, combatBarColor;
    bool acFocus = true;
    int useFanArt = 1;
    float mouseSpeed = 1.0f;
    std::string menuBackground, acHeaderButtons;
    bool autoCheckUpdate = false;
    std::string skinFile, rntPaper, titleFile;
    bool shownAutoUpdateChoice = false;
    int progStartCount = 0;
    bool showChoiceDigits = false; // the digit key beside each choice of the page

    // Derived at every read, for the defaults and the options window.
    DesktopInfo desktop;
    std::vector<VideoModeSize> fullscreenModes, windowedModes;

    // Defaults, then the file. False (after writing a default file) when it
    // could not be opened.
    bool load(const std::string& fileName);
    void setDefaults();
    // The whole file, fixed comments included, through a temporary copy.
    bool save(const std::string& fileName);

    // Parses an open file over the current values (load without the defaults).
    void parse(DataFile& file);
    // The text written before the gameplay rule block.
    std::string composeText() const;
};

// Asks SDL for the desktop mode (once) and the full-screen and windowed mode
// lists. Without an SDL video subsystem a 1024x768 desktop is assumed.
void queryVideoModes(Settings& settings);
