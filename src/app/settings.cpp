#include "app/settings.h"

#include "app/application.h"
#include "app/subsystem_hooks.h"
#include "fs/data_file.h"
#include "fs/record_fields.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

int fontSizeFromFile(int n) {
    return 2 * std::clamp(n, 1, FONT_SIZE_MAX) + 7;
}
int fontSizeToFile(int pointSize) {
    return (pointSize - 7) / 2;
}

namespace {

using S = Settings;
using Row = Field<Settings>;

// Every key line is written as its padded key field, the value and a fixed
// comment; the row keeps the key as read (the field without its padding).
std::string trimmed(const char* field) {
    std::string name = field;
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

template <class F>
Row keyed(F make, const char* field, const char* comment) {
    const std::string key = trimmed(field);
    Row row = make(key.c_str());
    row.writtenAs(field).withComment(comment);
    return row;
}

Row intRow(const char* f, int S::*v, int low, int high, const char* c) {
    return keyed([&](const char* k) { return intField(k, v).clamp(low, high); }, f, c);
}
Row asReadRow(const char* f, int S::*v, const char* c) {
    return keyed([&](const char* k) { return intField(k, v); }, f, c);
}
Row boolRow(const char* f, bool S::*v, const char* c) {
    return keyed([&](const char* k) { return boolField(k, v); }, f, c);
}
Row tokenRow(const char* f, std::string S::*v, const char* c) {
    return keyed([&](const char* k) { return tokenField(k, v); }, f, c);
}

// A custom row whose one line is the padded key, `format` of the value and the comment.
Row customRow(const char* f, const char* c, std::function<void(DataFile&, Settings&)> read,
              std::function<std::string(const Settings&)> format) {
    const std::string label = f, comment = c;
    return keyed(
        [&](const char* k) {
            return customField<Settings>(
                k,
                [read](DataFile& file, Settings& s) {
                    read(file, s);
                    return RecordEnd::Open;
                },
                [format, label, comment](RecordWriter& w, const Settings& s) {
                    w.line(label + format(s) + comment);
                });
        },
        f, c);
}

Row sizeRow(const char* f, int S::*v, const char* c) {
    return customRow(
        f, c, [v](DataFile& file, Settings& s) { s.*v = fontSizeFromFile(readInt(file)); },
        [v](const Settings& s) { return std::to_string(fontSizeToFile(s.*v)); });
}

Row colorRow(const char* f, RgbColor S::*v, const char* c) {
    return customRow(
        f, c,
        [v](DataFile& file, Settings& s) {
            RgbColor& color = s.*v;
            color.r = static_cast<uint8_t>(readInt(file));
            color.g = static_cast<uint8_t>(readInt(file));
            color.b = static_cast<uint8_t>(readInt(file));
        },
        [v](const Settings& s) {
            const RgbColor& color = s.*v;
            return std::to_string(color.r) + " " + std::to_string(color.g) + " " +
                   std::to_string(color.b);
        });
}

Row bppRow(const char* f, const char* c) {
    return customRow(
        f, c,
        [](DataFile& file, Settings& s) {
            const int bpp = readInt(file);
            s.fullscreenBpp = bpp <= 15 ? 8 : bpp == 16 ? 16 : 32;
        },
        [](const Settings& s) { return std::to_string(s.fullscreenBpp); });
}

float parseMouseSpeed(const std::string& token) {
    double v = std::strtod(token.c_str(), nullptr);
    // Written as !(v >= low) so that "nan" also falls to the low end.
    if (!(v >= 0.2)) v = 0.2;
    if (v > 5.0) v = 5.0;
    return static_cast<float>(v);
}

Row mouseSpeedRow(const char* f, const char* c) {
    return customRow(
        f, c, [](DataFile& file, Settings& s) { s.mouseSpeed = parseMouseSpeed(readTokenValue(file)); },
        [](const Settings& s) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%g", static_cast<double>(s.mouseSpeed));
            return std::string(buf);
        });
}

// The paper keys also move the page-layout margins when read as true.
Row paperRow(const char* f, bool S::*v, const char* c, void (*onTrue)(Application&)) {
    return customRow(
        f, c,
        [v, onTrue](DataFile& file, Settings& s) {
            s.*v = readBool(file);
            if (s.*v && s.app) onTrue(*s.app);
        },
        [v](const Settings& s) { return std::string(s.*v ? "1" : "0"); });
}

Row banner(const std::string& text) {
    return literalLine<Settings>(text);
}

const std::string HASH60(60, '#');
const std::string HASH61(61, '#');

const FieldTable<Settings>& settingsFields() {
    static const FieldTable<Settings> T = {
        banner(HASH60),
        banner("## Video Settings:"),
        banner("## You may specify non-standard screen resolutions(wide screen,"),
        banner("## or custom), from 640x480 - 2560x1600."),
        banner(HASH60),
        intRow("FULLSCREEN_WIDTH    ", &S::fullscreenWidth, 640, 2560,
               "      // range: 640 to 2560"),
        intRow("FULLSCREEN_HEIGHT   ", &S::fullscreenHeight, 400, 1600,
               "      // range: 480 to 1600"),
        bppRow("FULLSCREEN_BPP      ", "       // 8, 16, or 32"),
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
        banner(""),
        banner(HASH60),
        banner("## Font Settings:"),
        banner("## This specifies which fonts will be used in the game. Place"),
        banner("## any additional fonts you wish to use in the data/fonts folder"),
        banner("## and they can be used in-game. You may omit the .ttf ending."),
        banner(HASH60),
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
        banner(""),
        banner(HASH60),
        banner("## Misc Settings:"),
        banner("## Paper is in the data/paper folder. You may add files there."),
        banner("## BUTTON4 refers to the folder 'xxx' which contains 4 images:"),
        banner("##    unclick, clickable, over, and clicked. This will be used for"),
        banner("##    menu buttons and scroll buttons. Location: data/buttons/4/xxx"),
        banner("## BUTTON8 refers to the folder 'xxx' which contains 8 images:"),
        banner("##    Button1 through Button8, which has the diffrent colored buttons"),
        banner("##    for use in section text. You may specify any of the folders"),
        banner("##    contained therein to customize the appearance of these buttons."),
        banner("## Tip delay is the 'pause' length before popping up a tooltip, in ms"),
        banner(HASH60),
        tokenRow("CURSOR           ", &S::cursor, "      // mouse cursor image"),
        tokenRow("PAPER            ", &S::paper, "     // book paper image"),
        paperRow("PAPER_SHOW_SCROLL ", &S::paperShowScroll,
                 "   //whether to show the scroll at bottom",
                 [](Application& a) { a.pageLayoutMargins[1] -= 8; }),
        paperRow("PAPER_SHOW_BORDER ", &S::paperShowBorder,
                 "  //whether to show border around paper",
                 [](Application& a) {
                     a.pageLayoutMargins[0] -= 5;
                     a.pageLayoutMargins[1] -= 2;
                 }),
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
        mouseSpeedRow("MOUSE_SPEED      ",
                      "         // range 0.2-5.0: 1=normal, <1=slower, >1=faster"),
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
        // Incremented at every start: a count at the top must not overflow.
        intRow("PROG_START_COUNT ", &S::progStartCount, INT_MIN, INT_MAX - 1,
               " // 10 times = mention donate"),
        boolRow("SHOW_CHOICE_DIGITS ", &S::showChoiceDigits,
                " // 1 = show the digit key beside each choice"),
        banner(""),
        banner(HASH61),
        banner("## The following settings are the last used gameplay options."),
        banner("## They will be used as the default for a new campaign."),
        banner(HASH61),
        customField<Settings>(
            "GAMEPLAY_SETTINGS:",
            [](DataFile& file, Settings& s) {
                if (s.app) hooks::readRuleDefaults(*s.app, file);
                return RecordEnd::Open;
            },
            [](RecordWriter& w, const Settings& s) {
                w.line("GAMEPLAY_SETTINGS:");
                if (s.app && !hooks::writeRuleDefaults(*s.app, w.file()))
                    w.file().writeFailed = true;
            }),
        // The section editor's last place: honoured when read, never written.
        customField<Settings>(
            "EDITOR_LAST_BOOK:",
            [](DataFile& file, Settings& s) {
                const int book = readInt(file);
                if (s.app) s.app->editorLastBook = book;
                return RecordEnd::Open;
            },
            nullptr),
        customField<Settings>(
            "EDITOR_LAST_SECTION:",
            [](DataFile& file, Settings& s) {
                std::string section = readTokenValue(file);
                if (s.app) s.app->editorLastSection = section;
                return RecordEnd::Open;
            },
            nullptr),
    };
    return T;
}

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
    showChoiceDigits = false;
    if (app) {
        // The paper keys adjust these when read, so every read starts afresh.
        app->pageLayoutMargins[0] = PAGE_MARGIN_FIRST;
        app->pageLayoutMargins[1] = PAGE_MARGIN_SECOND;
        app->editorLastBook = 1;
        app->editorLastSection = "sect1";
    }
}

void Settings::parse(DataFile& file) {
    // Words that are not keys are ignored, so the file is one record without
    // a closing word.
    readRecord(file, *this, settingsFields(), nullptr);
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
    // Without the application the gameplay row writes its key line alone.
    Settings alone = *this;
    alone.app = nullptr;
    DataFile file = openMemoryWrite("settings.txt");
    RecordWriter w(file);
    writeFields(w, alone, settingsFields());
    std::string text;
    for (char c : file.data)
        if (c != '\r') text += c;
    return text;
}

bool Settings::save(const std::string& fileName) {
    // The data layer writes a temporary copy and renames it over the old file
    // only once everything is on disk, so a crash here keeps the old settings.
    DataFile file = openWrite(fileName);
    if (!file.isOpen()) {
        std::printf("Unable to write to the options file, cannot save custom settings...\n");
        return false;
    }
    RecordWriter w(file);
    writeFields(w, *this, settingsFields());
    const bool ok = w.ok();
    if (!ok) file.writeFailed = true;
    return closeFile(file) && ok;
}
