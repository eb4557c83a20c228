// The option windows (10 to 14): they edit the settings in memory; the file is
// written at shutdown.
#include "app/application.h"
#include "book/book_flows.h"
#include "book/section_page_view.h"
#include "ui/font.h"
#include "ui/options_model.h"
#include "ui/text.h"
#include "ui/toolkit.h"
#include "ui/window_layout.h"
#include "ui/windows.h"

#include <algorithm>

void optionsClick(Application& app, int windowId, int buttonId);
void optionsRefresh(Application& app, int windowId);
void optionsClosed(Application& app, int windowId);

namespace {

SDL_Color toSdl(const RgbColor& c) {
    return SDL_Color{c.r, c.g, c.b, 0};
}
RgbColor toRgb(const SDL_Color& c) {
    RgbColor r;
    r.r = c.r;
    r.g = c.g;
    r.b = c.b;
    return r;
}

std::string sizeText(int w, int h) {
    return std::to_string(w) + " x " + std::to_string(h);
}
const char* onOff(bool on) {
    return on ? "On" : "Off";
}

std::vector<VideoSize> toSizes(const std::vector<VideoModeSize>& modes) {
    std::vector<VideoSize> out;
    for (const VideoModeSize& m : modes)
        out.push_back({m.width, m.height});
    return out;
}

// ---- 11: video ------------------------------------------------------------------------

void videoClick(Application& app, int id) {
    Settings& s = app.settings;
    auto step = [](const std::vector<VideoModeSize>& modes, int& w, int& h, int dir) {
        VideoSize next = stepVideoSize(offeredVideoSizes(toSizes(modes)), {w, h}, dir);
        w = next.width;
        h = next.height;
    };
    switch (id) {
    case 9:  // larger window
    case 10: // smaller window
        step(s.windowedModes, s.windowedWidth, s.windowedHeight, id == 9 ? 1 : -1);
        break;
    case 12: // larger full-screen mode
    case 13:
        step(s.fullscreenModes, s.fullscreenWidth, s.fullscreenHeight, id == 12 ? 1 : -1);
        break;
    case 18:
        s.fullscreenBpp = 8;
        break;
    case 19:
        s.fullscreenBpp = 16;
        break;
    case 20:
        s.fullscreenBpp = 32;
        break;
    case 21:
        s.useFullscreen = !s.useFullscreen;
        break;
    case 22: // may go down to 5; the next start reads that back as 10
        if (s.targetFps >= 6) s.targetFps -= 5;
        break;
    case 23:
        if (s.targetFps < 100) s.targetFps = std::min(100, s.targetFps + 5);
        break;
    case 25:
        s.showFps = !s.showFps;
        break;
    case 26:
        s.fpsPosition = 1;
        break;
    case 27:
        s.fpsPosition = 3;
        break;
    case 28:
        s.fpsPosition = 7;
        break;
    case 29:
        s.fpsPosition = 9;
        break;
    case 998: // defaults
        queryVideoModes(s);
        s.fullscreenWidth = s.desktop.width;
        s.fullscreenHeight = s.desktop.height;
        s.windowedWidth = 800;
        s.windowedHeight = 600;
        s.useFullscreen = false;
        s.targetFps = 30;
        s.showFps = false;
        s.fpsPosition = 1;
        break;
    case 999: // apply: a new size takes effect when play begins
        closeWindow(WIN_VIDEO, app.windowManager, 0);
        break;
    }
}

void videoRefresh(Application& app, GameWindow& w) {
    const Settings& s = app.settings;
    setLabelText(app, w, 31, sizeText(s.windowedWidth, s.windowedHeight));
    setLabelText(app, w, 33, sizeText(s.fullscreenWidth, s.fullscreenHeight));
    setChosen(w, 18, s.fullscreenBpp == 8);
    setChosen(w, 19, s.fullscreenBpp == 16);
    setChosen(w, 20, s.fullscreenBpp == 32);
    setLabelText(app, w, 21, onOff(s.useFullscreen));
    setChosen(w, 21, s.useFullscreen);
    setLabelText(app, w, 37, std::to_string(s.targetFps));
    setButtonEnabled(w, 22, s.targetFps >= 6);
    setButtonEnabled(w, 23, s.targetFps < 100);
    setLabelText(app, w, 25, onOff(s.showFps));
    setChosen(w, 25, s.showFps);
    const int corners[] = {1, 3, 7, 9};
    for (int i = 0; i < 4; ++i)
        setChosen(w, 26 + i, s.fpsPosition == corners[i]);
}

// ---- 12: fonts ------------------------------------------------------------------------

// Colours offered for the section text and the tooltip background.
const SDL_Color TEXT_COLOURS[] = {{0, 0, 0, 0},    {60, 40, 20, 0}, {20, 30, 80, 0},
                                  {80, 10, 10, 0}, {30, 60, 30, 0}, {70, 70, 70, 0}};
const SDL_Color TIP_BACKGROUNDS[] = {{255, 255, 185, 0}, {255, 255, 255, 0}, {240, 225, 190, 0},
                                     {210, 230, 255, 0}, {220, 245, 210, 0}, {255, 220, 220, 0}};

template <size_t N> SDL_Color nextColour(const SDL_Color (&list)[N], SDL_Color current) {
    for (size_t i = 0; i < N; ++i)
        if (list[i].r == current.r && list[i].g == current.g && list[i].b == current.b)
            return list[(i + 1) % N];
    return list[0];
}

void copyFontsFromSettings(Application& app) {
    const Settings& s = app.settings;
    FontChoices& f = app.windowData.fonts;
    f.textFont = s.textFont;
    f.tipFont = s.tipFont;
    f.actionFont = s.actionFont;
    f.textSize = s.textFontSize;
    f.tipSize = s.tipFontSize;
    f.textColour = toSdl(s.textColor);
    f.tipBackground = toSdl(s.tipBgColor);
    f.preview = 0;
}

void stepFont(Application& app, std::string& name, int direction) {
    FontStep next =
        direction > 0 ? nextFont(app.fontNames, name) : previousFont(app.fontNames, name);
    if (!next.name.empty()) name = next.name;
}

// Font sizes move one file unit (two points) at a time, within 9 to 47 points.
int stepSize(int points, int direction) {
    return std::clamp(points + 2 * direction, fontSizeFromFile(1), fontSizeFromFile(FONT_SIZE_MAX));
}

void fontsClick(Application& app, int id) {
    FontChoices& f = app.windowData.fonts;
    switch (id) {
    case 3:
    case 4:
        stepFont(app, f.textFont, id == 4 ? 1 : -1);
        f.preview = 0;
        break;
    case 5:
    case 6:
        stepFont(app, f.tipFont, id == 6 ? 1 : -1);
        f.preview = 1;
        break;
    case 7:
    case 8:
        stepFont(app, f.actionFont, id == 8 ? 1 : -1);
        f.preview = 2;
        break;
    case 9:
    case 10:
        f.textSize = stepSize(f.textSize, id == 10 ? 1 : -1);
        f.preview = 0;
        break;
    case 11:
    case 12:
        f.tipSize = stepSize(f.tipSize, id == 12 ? 1 : -1);
        f.preview = 1;
        break;
    case 13:
        f.textColour = nextColour(TEXT_COLOURS, f.textColour);
        f.preview = 0;
        break;
    case 14:
        f.tipBackground = nextColour(TIP_BACKGROUNDS, f.tipBackground);
        f.preview = 1;
        break;
    case 15:
        f.preview = (f.preview + 1) % 3;
        break;
    case 998: // the program's own choice
        f.textFont = "bluehigh";
        f.tipFont = "bluehigh";
        f.actionFont = "augie___";
        f.textSize = 21;
        f.tipSize = 17;
        f.textColour = SDL_Color{0, 0, 0, 0};
        f.tipBackground = SDL_Color{255, 255, 185, 0};
        break;
    case 999: { // apply: hand the copies over and reopen the fonts
        Settings& s = app.settings;
        s.textFont = f.textFont;
        s.tipFont = f.tipFont;
        s.actionFont = f.actionFont;
        s.textFontSize = f.textSize;
        s.tipFontSize = f.tipSize;
        s.textColor = toRgb(f.textColour);
        s.tipBgColor = toRgb(f.tipBackground);
        loadToolkitImages(app); // reopen fonts and skin from the new settings
        closeWindow(WIN_FONTS, app.windowManager, 0);
        break;
    }
    case 997: // cancel: the copies are dropped
        closeWindow(WIN_FONTS, app.windowManager, 0);
        break;
    }
}

SDL_Surface* fontPreview(const FontChoices& f) {
    static const char* const SAMPLES[] = {"The road to the Ashen Keep runs north.",
                                          "A tooltip looks like this.",
                                          "Action Chart: Meal, Sword, 12 Gold Crowns"};
    const std::string& name = f.preview == 0   ? f.textFont
                              : f.preview == 1 ? f.tipFont
                                               : f.actionFont;
    const int size = f.preview == 0 ? f.textSize : f.preview == 1 ? f.tipSize : 20;
    TTF_Font* font = openFont(name, size);
    if (!font) return nullptr;
    SDL_Surface* out = f.preview == 1
                           ? renderText(font, SAMPLES[1], SDL_Color{0, 0, 0, 0},
                                        TextQuality::Shaded, f.tipBackground)
                           : renderText(font, SAMPLES[f.preview],
                                        f.preview == 0 ? f.textColour : SDL_Color{0, 0, 0, 0});
    TTF_CloseFont(font);
    return out;
}

void fontsRefresh(Application& app, GameWindow& w) {
    const FontChoices& f = app.windowData.fonts;
    setLabelText(app, w, 33, f.textFont);
    setLabelText(app, w, 34, f.tipFont);
    setLabelText(app, w, 35, f.actionFont);
    setLabelText(app, w, 36, std::to_string(fontSizeToFile(f.textSize)));
    setLabelText(app, w, 37, std::to_string(fontSizeToFile(f.tipSize)));
    const double s = app.screen.uiScale > 0 ? app.screen.uiScale : 1.0;
    setPictureImage(w, 20, fontPreview(f), static_cast<int>(380 * s), static_cast<int>(40 * s));
}

// ---- 13: appearance ---------------------------------------------------------------------

struct ChoiceRow {
    const char* const* names;
    int count;
};
const char* const BUTTON4_SETS[] = {"greengel",  "bluegel",   "redgel",
                                    "purplegel", "orangegel", "darkgel"};
const char* const BUTTON8_SETS[] = {"twotone", "pastel", "solid", "fade"};
const char* const TITLES[] = {"title1", "title2", "title3"};
const char* const PAPERS[] = {"paper1", "paper2", "paper3", "paper4"};
const char* const RNT_PAPERS[] = {"rnt1", "rnt2"};
const char* const SKINS[] = {"skin1", "skin2", "skin3"};
const ChoiceRow APPEARANCE_ROWS[] = {{BUTTON4_SETS, 6}, {BUTTON8_SETS, 4}, {TITLES, 3},
                                     {PAPERS, 4},       {RNT_PAPERS, 2},   {SKINS, 3}};

std::string* appearanceField(Settings& s, int row) {
    switch (row) {
    case 0:
        return &s.button4;
    case 1:
        return &s.button8;
    case 2:
        return &s.titleFile;
    case 3:
        return &s.paper;
    case 4:
        return &s.rntPaper;
    default:
        return &s.skinFile;
    }
}

void appearanceClick(Application& app, int id) {
    Settings& s = app.settings;
    if (id >= 20 && id < 32) {
        const int row = (id - 20) / 2;
        const int dir = (id - 20) % 2 ? 1 : -1;
        const ChoiceRow& r = APPEARANCE_ROWS[row];
        std::string* field = appearanceField(s, row);
        int index = 0;
        for (int i = 0; i < r.count; ++i)
            if (*field == r.names[i]) index = i;
        *field = r.names[(index + dir + r.count) % r.count];
        return;
    }
    if (id == 11) { // the program's own look
        s.button4 = "redgel";
        s.button8 = "twotone";
        s.titleFile = "title1";
        s.paper = "paper1";
        s.rntPaper = "rnt1";
        s.skinFile = "skin1";
    } else if (id == 10) {               // accept: the new look from the next frame on
        loadToolkitImages(app); // reopen fonts and skin from the new settings
        closeWindow(WIN_APPEARANCE, app.windowManager, 0);
    }
}

void appearanceRefresh(Application& app, GameWindow& w) {
    for (int row = 0; row < 6; ++row)
        setLabelText(app, w, 40 + row, *appearanceField(app.settings, row));
}

// ---- 14: miscellaneous --------------------------------------------------------------------

void miscClick(Application& app, int id) {
    Settings& s = app.settings;
    if (id >= 108 && id <= 111)
        s.rntSpeed = id - 107;
    else if (id >= 112 && id <= 116)
        s.rntBarColor = toRgb(barColourChoice(id - 112));
    else if (id >= 117 && id <= 119)
        s.combatSpeed = id - 116;
    else if (id == 127)
        s.combatSpeed = 4;
    else if (id >= 120 && id <= 124)
        s.combatBarColor = toRgb(barColourChoice(id - 120));
    else if (id >= 104 && id <= 106)
        s.useFanArt = id - 104;
    switch (id) {
    case 100:
        s.autoCheckUpdate = !s.autoCheckUpdate;
        break;
    case 101:
        s.acFocus = !s.acFocus;
        break;
    case 102:
        s.acHeaderButtons = "ac1";
        break;
    case 103:
        s.acHeaderButtons = "ac2";
        break;
    case 125: // the digit key beside each choice of the page
        s.showChoiceDigits = !s.showChoiceDigits;
        break;
    case 107: { // both fan-art archives, with the progress bar
        MessageRequest failure;
        if (!runFanArtDownload(app, failure)) showMessage(app.game.messages, failure);
        forgetPagePictures(app); // the pages may now prefer the new pictures
        break;
    }
    case 11: // defaults
        s.autoCheckUpdate = false;
        s.acFocus = true;
        s.useFanArt = 1;
        s.acHeaderButtons = "ac1";
        s.rntSpeed = 1;
        s.combatSpeed = 1;
        s.rntBarColor = toRgb(barColourChoice(4));
        s.combatBarColor = toRgb(barColourChoice(4));
        s.showChoiceDigits = false;
        break;
    case 10: // accept
        closeWindow(WIN_MISC, app.windowManager, 0);
        break;
    }
}

bool sameColour(const RgbColor& a, const SDL_Color& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

void miscRefresh(Application& app, GameWindow& w) {
    const Settings& s = app.settings;
    for (int i = 0; i < 4; ++i)
        setChosen(w, 108 + i, s.rntSpeed == i + 1);
    const int combatIds[] = {117, 118, 119, 127};
    for (int i = 0; i < 4; ++i)
        setChosen(w, combatIds[i], s.combatSpeed == i + 1);
    for (int i = 0; i < 5; ++i) {
        setChosen(w, 112 + i, sameColour(s.rntBarColor, barColourChoice(i)));
        setChosen(w, 120 + i, sameColour(s.combatBarColor, barColourChoice(i)));
    }
    for (int i = 0; i < 3; ++i)
        setChosen(w, 104 + i, s.useFanArt == i);
    setChosen(w, 100, s.autoCheckUpdate);
    setChosen(w, 101, s.acFocus);
    setChosen(w, 102, s.acHeaderButtons == "ac1");
    setChosen(w, 103, s.acHeaderButtons == "ac2");
    setChosen(w, 125, s.showChoiceDigits);
}

} // namespace

void optionsClick(Application& app, int windowId, int buttonId) {
    switch (windowId) {
    case WIN_OPTIONS: // the four option pages
        // 3 to 6 open the video, font, appearance and miscellaneous pages (11 to 14).
        if (buttonId >= 3 && buttonId <= 6) openGameWindow(app, WIN_VIDEO + buttonId - 3, 2);
        if (buttonId == 7) closeWindow(WIN_OPTIONS, app.windowManager, 0);
        break;
    case WIN_VIDEO:
        videoClick(app, buttonId);
        break;
    case WIN_FONTS:
        fontsClick(app, buttonId);
        break;
    case WIN_APPEARANCE:
        appearanceClick(app, buttonId);
        break;
    case WIN_MISC:
        miscClick(app, buttonId);
        break;
    }
}

void optionsRefresh(Application& app, int windowId) {
    GameWindow* w = findWindow(app.windowManager, windowId);
    if (!w || w->id != windowId) return;
    switch (windowId) {
    case WIN_VIDEO:
        videoRefresh(app, *w);
        break;
    case WIN_FONTS:
        // The first refresh after opening starts from the settings in force.
        if (!app.windowData.fontsEditing) copyFontsFromSettings(app);
        app.windowData.fontsEditing = true;
        fontsRefresh(app, *w);
        break;
    case WIN_APPEARANCE:
        appearanceRefresh(app, *w);
        break;
    case WIN_MISC:
        miscRefresh(app, *w);
        break;
    }
}

void optionsClosed(Application& app, int windowId) {
    if (windowId == WIN_FONTS) app.windowData.fontsEditing = false;
}
