#include "app/settings.h"

#include "app/application.h"
#include "app/subsystem_hooks.h"
#include "fs/data_file.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int fontSizeFromFile(int n) {
    return 2 * std::clamp(n, 1, FONT_SIZE_MAX) + 7;
}
int fontSizeToFile(int pointSize) {
    return (pointSize - 7) / 2;
}

namespace {

enum class Kind { Int, IntAsRead, Bool, Bpp, FontSize, Token, Color, MouseSpeed };

// One key of the file: how it is read and how its line is written. The table
// is in file order, so the reader and the writer cannot drift apart.
struct KeyRow {
    const char* field; // key padded to its column, as written
    Kind kind;
    int Settings::*intValue;
    bool Settings::*boolValue;
    std::string Settings::*textValue;
    RgbColor Settings::*colorValue;
    int low, high;
    const char* comment;
};

KeyRow intRow(const char* f, int Settings::*v, int low, int high, const char* c) {
    return {f, Kind::Int, v, nullptr, nullptr, nullptr, low, high, c};
}
KeyRow asReadRow(const char* f, int Settings::*v, const char* c) {
    return {f, Kind::IntAsRead, v, nullptr, nullptr, nullptr, 0, 0, c};
}
KeyRow sizeRow(const char* f, int Settings::*v, const char* c) {
    return {f, Kind::FontSize, v, nullptr, nullptr, nullptr, 1, FONT_SIZE_MAX, c};
}
KeyRow boolRow(const char* f, bool Settings::*v, const char* c) {
    return {f, Kind::Bool, nullptr, v, nullptr, nullptr, 0, 0, c};
}
KeyRow tokenRow(const char* f, std::string Settings::*v, const char* c) {
    return {f, Kind::Token, nullptr, nullptr, v, nullptr, 0, 0, c};
}
KeyRow colorRow(const char* f, RgbColor Settings::*v, const char* c) {
    return {f, Kind::Color, nullptr, nullptr, nullptr, v, 0, 0, c};
}

const std::vector<KeyRow>& keyRows() {
    using S = Settings;
    static const std::vector<KeyRow> rows = {
        intRow("FULLSCREEN_WIDTH    ", &S::fullscreenWidth, 640, 2560,
               "      // range: 640 to 2560"),
        intRow("FULLSCREEN_HEIGHT   ", &S::fullscreenHeight, 400, 1600,
               "      // range: 480 to 1600"),
        {"FULLSCREEN_BPP      ", Kind::Bpp, &S::fullscreenBpp, nullptr, nullptr, nullptr, 0, 0,
         "       // 8, 16, or 32"},
        boolRow("USE_FULLSCREEN      ", &S::useFullscreen, "        // 1=yes, 0=no"),
        intRow("WINDOWED_WIDTH      ", &S::windowedWidth, 640, 2560, "      // range: 640 to 2560"),
        intRow("WINDOWED_HEIGHT     ", &S::windowedHeight, 400, 1600,
               "      // range: 480 to 1600"),
        asReadRow("WINDOW_POS_X        ", &S::windowPosX, "      // position on screen"),
        asReadRow("WINDOW_POS_Y        ", &S::windowPosY, "      // position on sceren"),
        intRow("TARGET_FPS          ", &S::targetFps, 10, 100, "      // range: 10 to 60"),
        intRow("FPS_POSITION        ", &S::fpsPosition, 1, 9, "        // numpad corner values"),
        boolRow("SHOW_FPS     ", &S::showFps, "            // 1=yes, 0=no"),
        tokenRow("FPS_FONT     ", &S::fpsFont, "     // a .ttf in the data/fonts folder"),
        colorRow("FPS_COLOR    ", &S::fpsColor, " // RGB color range:0 to 255"),
        sizeRow("FPS_SIZE     ", &S::fpsSize, "           // range: 1 to 20"),
        // -- fonts
        tokenRow("TEXT_FONT        ", &S::textFont, "     // Font for Text for book sections"),
        tokenRow("TIP_FONT         ", &S::tipFont, "     // Font for popup tooltips"),
        tokenRow("ACTION_FONT      ", &S::actionFont, "     // Action Chart font"),
        tokenRow("MENU_FONT        ", &S::menuFont, "     // Menu font"),
        sizeRow("TEXT_FONTSIZE    ", &S::textFontSize, "          // range: 1 to 20"),
        sizeRow("TIP_FONTSIZE     ", &S::tipFontSize, "          // range: 1 to 20"),
        colorRow("TEXT_COLOR       ", &S::textColor, "  // RGB color range: 0 to 255"),
        colorRow("TIP_COLOR        ", &S::tipColor, "  // RGB color tange: 0 to 255"),
        colorRow("TIP_BG_COLOR     ", &S::tipBgColor, "  // RGB color range: 0 to 255"),
        colorRow("MENUTEXT_COLOR   ", &S::menuTextColor, "  // RGB color range: 0 to 255"),
        colorRow("BUTTONTEXT_COLOR ", &S::buttonTextColor, "  // RGB color range: 0 to 255"),
        // -- miscellaneous
        tokenRow("CURSOR           ", &S::cursor, "      // mouse cursor image"),
        tokenRow("PAPER            ", &S::paper, "     // book paper image"),
        boolRow("PAPER_SHOW_SCROLL ", &S::paperShowScroll,
                "   //whether to show the scroll at bottom"),
        boolRow("PAPER_SHOW_BORDER ", &S::paperShowBorder,
                "  //whether to show border around paper"),
        tokenRow("BUTTON4          ", &S::button4, "      // menu and scroll buttons"),
        tokenRow("BUTTON8          ", &S::button8, "      // section text buttons"),
        intRow("TIP_DELAY        ", &S::tipDelay, 0, 30000, "        // range: 0 to 30000 in ms"),
        boolRow("TRANSPARIFY      ", &S::transparify,
                "         // make illustrations transparent, 0=no, 1=yes"),
        intRow("RNT_SPEED        ", &S::rntSpeed, 1, 4,
               "         // range 1-4: slow,normal,fast,skip animation"),
        intRow("COMBAT_SPEED     ", &S::combatSpeed, 1, 4,
               "         // range 1-4: slow,normal,fast, skip"),
        colorRow("RNT_BAR_COLOR    ", &S::rntBarColor, "   // color of Random Number Table bars"),
        colorRow("COMBAT_BAR_COLOR ", &S::combatBarColor,
                 "   // color of Combat Results Table bars"),
        boolRow("AC_FOCUS        ", &S::acFocus, "         // 0 = no, 1 = yes"),
        asReadRow("USE_FAN_ART      ", &S::useFanArt,
                  "       // 0 = no, 1 = original pref., 2 = fan pref."),
        {"MOUSE_SPEED      ", Kind::MouseSpeed, nullptr, nullptr, nullptr, nullptr, 0, 0,
         "         // range 0.2-5.0: 1=normal, <1=slower, >1=faster"},
        tokenRow("MENU_BACKGROUND  ", &S::menuBackground, "         // image background for menus"),
        tokenRow("AC_HEADER_BUTTONS ", &S::acHeaderButtons,
                 "      // which folder to use for ac buttons"),
        boolRow("AUTO_CHECK_UPDATE ", &S::autoCheckUpdate,
                "      // 1 = check for update on program start"),
        tokenRow("SKIN_FILE         ", &S::skinFile,
                 " // the background image to use while playing"),
        tokenRow("RNT_PAPER         ", &S::rntPaper, " // the paper border to use for RNT"),
        tokenRow("TITLE_FILE        ", &S::titleFile, " // which title logo to show while playing"),
        boolRow("SHOWN_AUTO_UPDATE_CHOICE ", &S::shownAutoUpdateChoice,
                " // 1 = yes, shown the choice"),
        asReadRow("PROG_START_COUNT ", &S::progStartCount, " // 10 times = mention donate"),
    };
    return rows;
}

std::string keyName(const KeyRow& row) {
    std::string name = row.field;
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

// Rows 1-14, 15-25 and 26-48 are separated by banners.
constexpr size_t FONT_ROWS_START = 14;
constexpr size_t MISC_ROWS_START = 25;

float parseMouseSpeed(const std::string& token) {
    double v = std::strtod(token.c_str(), nullptr);
    // Written as !(v >= low) so that "nan" also falls to the low end.
    if (!(v >= 0.2)) v = 0.2;
    if (v > 5.0) v = 5.0;
    return static_cast<float>(v);
}

RgbColor readColor(DataFile& file) {
    RgbColor c;
    c.r = static_cast<uint8_t>(readInt(file));
    c.g = static_cast<uint8_t>(readInt(file));
    c.b = static_cast<uint8_t>(readInt(file));
    return c;
}

void readRow(Settings& s, const KeyRow& row, DataFile& file) {
    switch (row.kind) {
    case Kind::Int:
        s.*row.intValue = std::clamp(readInt(file), row.low, row.high);
        break;
    case Kind::IntAsRead:
        s.*row.intValue = readInt(file);
        break;
    case Kind::FontSize:
        s.*row.intValue = fontSizeFromFile(readInt(file));
        break;
    case Kind::Bpp: {
        int bpp = readInt(file);
        s.fullscreenBpp = bpp <= 15 ? 8 : bpp == 16 ? 16 : 32;
        break;
    }
    case Kind::Bool:
        s.*row.boolValue = readInt(file) != 0;
        break;
    case Kind::Token: {
        std::string value;
        readValue(file, value);
        s.*row.textValue = value;
        break;
    }
    case Kind::Color:
        s.*row.colorValue = readColor(file);
        break;
    case Kind::MouseSpeed: {
        std::string value;
        readValue(file, value);
        s.mouseSpeed = parseMouseSpeed(value);
        break;
    }
    }
}

std::string formatValue(const Settings& s, const KeyRow& row) {
    char buf[64];
    switch (row.kind) {
    case Kind::Int:
    case Kind::IntAsRead:
    case Kind::Bpp:
        return std::to_string(s.*row.intValue);
    case Kind::FontSize:
        return std::to_string(fontSizeToFile(s.*row.intValue));
    case Kind::Bool:
        return s.*row.boolValue ? "1" : "0";
    case Kind::Token: {
        const std::string& v = s.*row.textValue;
        return v.empty() ? "*Blank*" : v;
    }
    case Kind::Color: {
        const RgbColor& c = s.*row.colorValue;
        std::snprintf(buf, sizeof buf, "%d %d %d", c.r, c.g, c.b);
        return buf;
    }
    case Kind::MouseSpeed:
        std::snprintf(buf, sizeof buf, "%g", static_cast<double>(s.mouseSpeed));
        return buf;
    }
    return "";
}

// Side effects of a few keys on the page layout, applied when read as true.
void applyPaperMargins(Settings& s, const KeyRow& row) {
    if (!s.app) return;
    if (row.boolValue == &Settings::paperShowScroll && s.paperShowScroll)
        s.app->pageLayoutMargins[1] -= 8;
    if (row.boolValue == &Settings::paperShowBorder && s.paperShowBorder) {
        s.app->pageLayoutMargins[0] -= 5;
        s.app->pageLayoutMargins[1] -= 2;
    }
}

const std::string HASH60(60, '#');
const std::string HASH61(61, '#');

} // namespace

void queryVideoModes(Settings& s) {
    const bool video = SDL_WasInit(SDL_INIT_VIDEO) != 0;
    if (!s.desktop.queried) {
        s.desktop.queried = true;
        const SDL_VideoInfo* info = video ? SDL_GetVideoInfo() : nullptr;
        if (info) {
            s.desktop.width = info->current_w;
            s.desktop.height = info->current_h;
            s.desktop.bpp = info->vfmt ? info->vfmt->BitsPerPixel : 0;
        }
        // Some drivers report no size; a common desktop is a safe guess.
        if (s.desktop.width <= 0 || s.desktop.height <= 0) {
            s.desktop.width = 1024;
            s.desktop.height = 768;
        }
        if (s.desktop.bpp <= 0) s.desktop.bpp = 32;
    }
    s.fullscreenModes.clear();
    s.windowedModes.clear();
    if (!video) return;

    SDL_Rect** const ANY = reinterpret_cast<SDL_Rect**>(-1);
    SDL_Rect** modes = SDL_ListModes(nullptr, SDL_FULLSCREEN | SDL_SWSURFACE);
    if (!modes) {
        std::printf("No fullscreen video modes available! Check for driver issues!\n");
    } else if (modes == ANY) {
        s.fullscreenModes.push_back({s.desktop.width, s.desktop.height});
    } else {
        for (int i = 0; modes[i] && i < 256; ++i)
            s.fullscreenModes.push_back({modes[i]->w, modes[i]->h});
    }
    modes = SDL_ListModes(nullptr, SDL_SWSURFACE);
    if (!modes) {
        std::printf("No windowed video modes available! Check for driver issues!\n");
    } else if (modes == ANY) {
        // Any size goes in a window: offer the usual ones that fit the desktop.
        static const VideoModeSize common[] = {
            {640, 480},   {800, 600},   {1024, 768},  {1152, 864}, {1280, 720},  {1280, 800},
            {1280, 1024}, {1366, 768},  {1440, 900},  {1600, 900}, {1600, 1200}, {1680, 1050},
            {1920, 1080}, {1920, 1200}, {2560, 1440}, {2560, 1600}};
        for (const VideoModeSize& m : common)
            if (m.width <= s.desktop.width && m.height <= s.desktop.height)
                s.windowedModes.push_back(m);
        if (s.windowedModes.empty()) s.windowedModes.push_back({640, 480});
    } else {
        for (int i = 0; modes[i] && i < 256; ++i)
            s.windowedModes.push_back({modes[i]->w, modes[i]->h});
    }
}

void Settings::setDefaults() {
    queryVideoModes(*this);
    const int dw = desktop.width, dh = desktop.height;
    fullscreenWidth = dw;
    fullscreenHeight = dh;
    fullscreenBpp = 16;
    useFullscreen = false;
    windowedWidth = 800;
    windowedHeight = 600;
    windowPosX = dw / 2 - 400;
    windowPosY = dh / 2 - 300;
    targetFps = 30;
    fpsPosition = 1;
    showFps = false;
    fpsFont = "bluehigh";
    fpsColor = {255, 255, 185};
    fpsSize = 20; // written back as 6
    textFont = "bluehigh";
    tipFont = "bluehigh";
    actionFont = "augie___";
    menuFont = "bluehigh";
    textFontSize = fontSizeFromFile(7);
    tipFontSize = fontSizeFromFile(5);
    textColor = {0, 0, 0};
    tipColor = {0, 0, 0};
    tipBgColor = {255, 255, 185};
    menuTextColor = {0, 0, 0};
    buttonTextColor = {255, 255, 255};
    cursor = "green";
    paper = "paper1";
    paperShowScroll = true;
    paperShowBorder = false;
    button4 = "redgel";
    button8 = "twotone";
    tipDelay = 500;
    transparify = true;
    rntSpeed = 2;
    combatSpeed = 2;
    rntBarColor = {255, 0, 0};
    combatBarColor = {255, 0, 0};
    acFocus = true;
    useFanArt = 1;
    mouseSpeed = 1.0f;
    menuBackground = "menubase";
    acHeaderButtons = "ac1";
    autoCheckUpdate = false;
    skinFile = "skin1";
    rntPaper = "rnt1";
    titleFile = "title1";
    shownAutoUpdateChoice = false;
    progStartCount = 0;
    if (app) {
        // The paper keys adjust these when read, so every read starts afresh.
        app->pageLayoutMargins[0] = PAGE_MARGIN_FIRST;
        app->pageLayoutMargins[1] = PAGE_MARGIN_SECOND;
        app->editorLastBook = 1;
        app->editorLastSection = "sect1";
    }
}

void Settings::parse(DataFile& file) {
    const std::vector<KeyRow>& rows = keyRows();
    std::string token;
    while (readValue(file, token)) {
        auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const KeyRow& r) { return keyName(r) == token; });
        if (row != rows.end()) {
            readRow(*this, *row, file);
            applyPaperMargins(*this, *row);
        } else if (token == "GAMEPLAY_SETTINGS:") {
            if (app) hooks::readRuleDefaults(*app, file);
        } else if (token == "EDITOR_LAST_BOOK:") {
            int book = readInt(file);
            if (app) app->editorLastBook = book;
        } else if (token == "EDITOR_LAST_SECTION:") {
            std::string section;
            readValue(file, section);
            if (app) app->editorLastSection = section;
        }
        // Any other word is not a key and is ignored.
    }
}

bool Settings::load(const std::string& fileName) {
    setDefaults();
    DataFile file = openRead(fileName);
    if (!file.isOpen()) {
        std::printf("Unable to open the settings file - default settings will be used,\nand an "
                    "attempt to create a new settings file will be made...\n");
        if (!save(fileName))
            std::printf("Couldn't write to settings file. Not a critical error, but you\nreally "
                        "should check your installation, as you likely cannot save games, "
                        "either.\n");
        return false;
    }
    parse(file);
    closeFile(file);
    return true;
}

std::string Settings::composeText() const {
    const std::vector<KeyRow>& rows = keyRows();
    std::string t;
    auto line = [&t](const std::string& text) { t += text + "\n"; };
    auto rowLines = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i)
            line(rows[i].field + formatValue(*this, rows[i]) + rows[i].comment);
    };
    line(HASH60);
    line("## Video Settings:");
    line("## You may specify non-standard screen resolutions(wide screen,");
    line("## or custom), from 640x480 - 2560x1600.");
    line(HASH60);
    rowLines(0, FONT_ROWS_START);
    line("");
    line(HASH60);
    line("## Font Settings:");
    line("## This specifies which fonts will be used in the game. Place");
    line("## any additional fonts you wish to use in the data/fonts folder");
    line("## and they can be used in-game. You may omit the .ttf ending.");
    line(HASH60);
    rowLines(FONT_ROWS_START, MISC_ROWS_START);
    line("");
    line(HASH60);
    line("## Misc Settings:");
    line("## Paper is in the data/paper folder. You may add files there.");
    line("## BUTTON4 refers to the folder 'xxx' which contains 4 images:");
    line("##    unclick, clickable, over, and clicked. This will be used for");
    line("##    menu buttons and scroll buttons. Location: data/buttons/4/xxx");
    line("## BUTTON8 refers to the folder 'xxx' which contains 8 images:");
    line("##    Button1 through Button8, which has the diffrent colored buttons");
    line("##    for use in section text. You may specify any of the folders");
    line("##    contained therein to customize the appearance of these buttons.");
    line("## Tip delay is the 'pause' length before popping up a tooltip, in ms");
    line(HASH60);
    rowLines(MISC_ROWS_START, rows.size());
    line("");
    line(HASH61);
    line("## The following settings are the last used gameplay options.");
    line("## They will be used as the default for a new campaign.");
    line(HASH61);
    line("GAMEPLAY_SETTINGS:");
    return t;
}

bool Settings::save(const std::string& fileName) {
    // The data layer writes a temporary copy and renames it over the old file
    // only once everything is on disk, so a crash here keeps the old settings.
    DataFile file = openWrite(fileName);
    if (!file.isOpen()) {
        std::printf("Unable to write to the options file, cannot save custom settings...\n");
        return false;
    }
    bool ok = writeText(0, file, composeText());
    if (app) ok = hooks::writeRuleDefaults(*app, file) && ok;
    if (!ok) file.writeFailed = true;
    return closeFile(file) && ok;
}
