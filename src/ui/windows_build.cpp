// Building the window table: every window with its captions and layout. What
// the buttons do is in the window handlers.
#include "app/application.h"
#include "ui/image.h"
#include "ui/toolbar.h"
#include "ui/window_layout.h"
#include "ui/windows.h"

#include "app/version.h"

#include <algorithm>
#include <cstdio>

namespace {

// Most windows share the main menu's size, so that one replacing another at the
// same place appears at once. The title screen is square and small; while
// playing there is room for larger windows.
int menuW(const Application& app) {
    return app.playing ? 600 : 420;
}
int menuH(const Application& app) {
    return app.playing ? 370 : 276;
}
// The button that closes a window whose contents come with later work.
constexpr int CLOSE_BUTTON = 90;

GameWindow& titledWindow(Application& app, int id, const std::string& title) {
    GameWindow& win = addWindow(app, id, menuW(app), menuH(app));
    addLabel(app, win, 1, title, FONT_MENU_SMALL, 50, ALIGN_CENTRE, -12);
    return win;
}

void addCloseButton(Application& app, GameWindow& w, const std::string& caption = "Close") {
    addButton(app, w, CLOSE_BUTTON, caption, "", 3, FONT_MENU_SMALL, 50, ALIGN_CENTRE, -86);
}

// A small button in the tooltip font: option choices and arrows.
double scaleOf(const Application& app) {
    return app.screen.uiScale > 0 ? app.screen.uiScale : 1.0;
}

Button& small(Application& app, GameWindow& w, int id, const std::string& caption, double x, int y,
              const std::string& tip = "") {
    Button& b = addButton(app, w, id, caption, tip, 1, FONT_TIP, x, ALIGN_CENTRE, y);
    const double s = scaleOf(app);
    setButtonPadding(w, b, static_cast<int>(7 * s), static_cast<int>(4 * s));
    return b;
}

// Menu columns read better with buttons of one width: at least `width`, and
// wide enough for the longest caption (fonts do not shrink with the screen).
void evenWidths(Application& app, GameWindow& w, std::initializer_list<int> ids, int width) {
    int target = static_cast<int>(width * scaleOf(app));
    for (int id : ids) {
        const Button& b = *findButton(w, id);
        const int captionW = b.captionImage ? b.captionImage->w : 0;
        target = std::max(target, captionW + 2 * b.paddingX);
    }
    for (int id : ids)
        setButtonWidth(w, *findButton(w, id), target);
}

Button& rowLabel(Application& app, GameWindow& w, int id, const std::string& caption, int y) {
    return addLabel(app, w, id, caption, FONT_TIP, 5, ALIGN_LEFT, y);
}

void buildMainMenu(Application& app) {
    GameWindow& w = addWindow(app, WIN_MAIN_MENU, menuW(app), menuH(app));
    struct Entry {
        int id;
        const char* caption;
        const char* tip;
    };
    static const Entry title[] = {
        {1, "Resume Campaign", "Pick up where you last left off"},
        {2, "New Campaign", "You may start on any book you wish"},
        {3, "Options", "Modify settings, change fonts, etc."},
        {4, "Profiles", "Switch, create or modify profiles"},
        {5, "About", "Program information and credits"},
        {7, "Quit", "Quit to operating system"},
    };
    static const Entry play[] = {
        {1, "Restart Book/Campaign",
         "You can choose to return to the beginning of the current book,`or restart your "
         "campaign from scratch"},
        {2, "Save/Load Progress",
         "If you have the appropriate Gameplay option selected,`you can save or load your game "
         "whenever you wish."},
        {3, "Quit to system", "Quit to the operating system"},
        {4, "Gameplay Rules",
         "View which gameplay rules apply to your current campaign.`(Most Gameplay Rules cannot "
         "be changed once you begin your campaign)"},
        {5, "Options", "You may change various font options, appearance options, and more"},
        {7, "Resume", "Return to your campaign in-progress"},
    };
    const Entry* entries = app.playing ? play : title;
    static const int rows[] = {15, 29, 43, 57, 71, 85};
    for (int i = 0; i < 6; ++i)
        addButton(app, w, entries[i].id, entries[i].caption, entries[i].tip, 3, FONT_MENU_SMALL, 73,
                  ALIGN_CENTRE, -rows[i]);
    evenWidths(app, w, {1, 2, 3, 4, 5, 7}, 160);
    addPicture(app, w, 6, loadImage("/data/profiles/avatars", "blank"), 120, 120, 25, ALIGN_CENTRE,
               -60);
    addLabel(app, w, 8, "Welcome to Quillhaven,", FONT_TIP, 25, ALIGN_CENTRE, -10);
    addLabel(app, w, 9, " ", FONT_MENU, 25, ALIGN_CENTRE, -18);
}

void buildTextEntry(Application& app) {
    GameWindow& w = addWindow(app, WIN_TEXT_ENTRY, 380, 170);
    addLabel(app, w, 2, " ", FONT_TIP, 50, ALIGN_CENTRE, -22);
    addLabel(app, w, 5, " ", FONT_MENU, 50, ALIGN_CENTRE, -48);
    addButton(app, w, 3, "OK", "", 3, FONT_MENU_SMALL, 30, ALIGN_CENTRE, -78);
    addButton(app, w, 4, "Cancel", "", 3, FONT_MENU_SMALL, 70, ALIGN_CENTRE, -78);
}

void buildMessageBox(Application& app) {
    GameWindow& w = addWindow(app, WIN_MESSAGE, MESSAGE_BOX_WIDTH, MESSAGE_BOX_HEIGHT);
    addLabel(app, w, 1, " ", FONT_MENU, 50, ALIGN_CENTRE, -16);
    addLabel(app, w, 2, " ", FONT_TIP, 50, ALIGN_CENTRE, -47);
    addButton(app, w, 3, "OK", "", 3, FONT_MENU_SMALL, 50, ALIGN_CENTRE, -82);
    addButton(app, w, 4, " ", "", 3, FONT_MENU_SMALL, 75, ALIGN_CENTRE, -82);
}

void buildProfiles(Application& app) {
    GameWindow& w = titledWindow(app, WIN_PROFILES, "Please select a profile to use/create");
    setLabelText(app, w, 1, "Please select a profile to use/create");
    for (int slot = 0; slot < 5; ++slot) {
        const int y = -(26 + slot * 12);
        addLabel(app, w, 10 + slot, " ", FONT_TIP, 5, ALIGN_LEFT, y);
        small(app, w, 20 + slot, "Use this profile", 51, y, "Make this the active profile");
        small(app, w, 30 + slot, "Edit", 68, y, "Change the name or the avatar");
        small(app, w, 40 + slot, "Erase", 79, y, "Delete this profile");
        small(app, w, 50 + slot, "Awards", 91, y, "The awards of this profile");
    }
    addCloseButton(app, w);
}

void buildAvatarChoice(Application& app) {
    GameWindow& w = titledWindow(app, WIN_AVATAR, "DUMMY(NAME), please choose your avatar");
    addPicture(app, w, 2, loadImage("/data/profiles/avatars", "blank"), 130, 130, 50, ALIGN_CENTRE,
               -50);
    addButton(app, w, 3, "<", "Previous avatar", 1, FONT_MENU, 20, ALIGN_CENTRE, -50);
    addButton(app, w, 4, ">", "Next avatar", 1, FONT_MENU, 80, ALIGN_CENTRE, -50);
    addButton(app, w, 6, "Accept", "Use this avatar", 3, FONT_MENU_SMALL, 50, ALIGN_CENTRE, -86);
}

void buildAbout(Application& app) {
    GameWindow& w = titledWindow(app, WIN_ABOUT, "Quillhaven");
    w.autoScroll = true;
    addLabel(app, w, 2, std::string("Version ") + VERSION_STRING + ", released " + RELEASE_DATE, FONT_TIP, 50, ALIGN_CENTRE, -22);
    addLabel(app, w, 3, "Playable books: 1 to 17", FONT_TIP, 50, ALIGN_CENTRE, -29);
    addButton(app, w, 6, "Close", "", 3, FONT_MENU_SMALL, 30, ALIGN_CENTRE, -88);
    addButton(app, w, 7, "Check for update", "Ask the book archive for a newer version", 3,
              FONT_MENU_SMALL, 70, ALIGN_CENTRE, -88);
    // The credits scroll by themselves (IDs above 99), starting below the header.
    DataFile f = openRead("/data/credits.txt");
    std::string line;
    int id = 100;
    int row = 0;
    while (f.isOpen() && readLine(f, line) && id < 400) {
        Button& b =
            addLabel(app, w, id++, line.empty() ? " " : line, FONT_TIP, 50, ALIGN_CENTRE, -40);
        const int lineH = b.captionImage ? b.captionImage->h : 18;
        b.y = w.height * 40 / 100 + row * lineH;
        w.placements.pop_back(); // placed by hand: rows below one another
        ++row;
    }
    closeFile(f);
}

void buildOptions(Application& app) {
    GameWindow& w = titledWindow(app, WIN_OPTIONS, "Options");
    addButton(app, w, 3, "Video Settings", "Screen size, colours and frame rate", 3,
              FONT_MENU_SMALL, 50, ALIGN_CENTRE, -28);
    addButton(app, w, 4, "Font Settings", "Fonts, sizes and colours of the text", 3,
              FONT_MENU_SMALL, 50, ALIGN_CENTRE, -42);
    addButton(app, w, 5, "Appearance", "Buttons, paper and backgrounds", 3, FONT_MENU_SMALL, 50,
              ALIGN_CENTRE, -56);
    addButton(app, w, 6, "Misc. Settings", "Animation speeds, colours and updates", 3,
              FONT_MENU_SMALL, 50, ALIGN_CENTRE, -70);
    addButton(app, w, 7, "Back", "", 3, FONT_MENU_SMALL, 50, ALIGN_CENTRE, -86);
    evenWidths(app, w, {3, 4, 5, 6, 7}, 170);
}

void buildVideo(Application& app) {
    GameWindow& w = titledWindow(app, WIN_VIDEO, "Video Settings");
    rowLabel(app, w, 30, "Window size:", -26);
    small(app, w, 10, "<", 45, -26, "Smaller window");
    addLabel(app, w, 31, " ", FONT_TIP, 65, ALIGN_CENTRE, -26);
    small(app, w, 9, ">", 85, -26, "Larger window");
    rowLabel(app, w, 32, "Full screen size:", -37);
    small(app, w, 13, "<", 45, -37, "Smaller full-screen mode");
    addLabel(app, w, 33, " ", FONT_TIP, 65, ALIGN_CENTRE, -37);
    small(app, w, 12, ">", 85, -37, "Larger full-screen mode");
    rowLabel(app, w, 34, "Colour depth:", -48);
    small(app, w, 18, "8", 50, -48);
    small(app, w, 19, "16", 65, -48);
    small(app, w, 20, "32", 80, -48);
    rowLabel(app, w, 35, "Full screen:", -59);
    small(app, w, 21, "Off", 50, -59, "Play in full screen or in a window");
    rowLabel(app, w, 36, "Target FPS:", -70);
    small(app, w, 22, "-", 45, -70, "Lower the frame rate by 5");
    addLabel(app, w, 37, " ", FONT_TIP, 55, ALIGN_CENTRE, -70);
    small(app, w, 23, "+", 65, -70, "Raise the frame rate by 5");
    rowLabel(app, w, 38, "Show FPS:", -81);
    small(app, w, 25, "Off", 36, -81, "Show the frame rate");
    small(app, w, 26, "1", 55, -81, "Bottom left corner");
    small(app, w, 27, "3", 65, -81, "Bottom right corner");
    small(app, w, 28, "7", 75, -81, "Top left corner");
    small(app, w, 29, "9", 85, -81, "Top right corner");
    addButton(app, w, 998, "Defaults", "", 3, FONT_TIP, 30, ALIGN_CENTRE, -92);
    addButton(app, w, 999, "Apply", "New sizes take effect when play begins", 3, FONT_TIP, 70,
              ALIGN_CENTRE, -92);
}

void buildFonts(Application& app) {
    GameWindow& w = titledWindow(app, WIN_FONTS, "Font Settings");
    const char* rows[] = {"Text:", "Tooltips:", "Action Chart:"};
    for (int r = 0; r < 3; ++r) {
        const int y = -(25 + r * 11);
        rowLabel(app, w, 30 + r, rows[r], y);
        small(app, w, 3 + 2 * r, "<", 36, y, "Previous font");
        addLabel(app, w, 33 + r, " ", FONT_TIP, 52, ALIGN_CENTRE, y);
        small(app, w, 4 + 2 * r, ">", 68, y, "Next font");
    }
    small(app, w, 9, "-", 78, -25, "Smaller text");
    addLabel(app, w, 36, " ", FONT_TIP, 86, ALIGN_CENTRE, -25);
    small(app, w, 10, "+", 94, -25, "Bigger text");
    small(app, w, 11, "-", 78, -36, "Smaller tooltips");
    addLabel(app, w, 37, " ", FONT_TIP, 86, ALIGN_CENTRE, -36);
    small(app, w, 12, "+", 94, -36, "Bigger tooltips");
    small(app, w, 13, "Text colour", 25, -58, "Try the next text colour");
    small(app, w, 14, "Tip background", 55, -58, "Try the next tooltip background");
    small(app, w, 15, "Preview", 85, -58, "Show the next preview");
    addPicture(app, w, 20, nullptr, 380, 40, 50, ALIGN_CENTRE, -71);
    addButton(app, w, 998, "Defaults", "", 3, FONT_TIP, 20, ALIGN_CENTRE, -88);
    addButton(app, w, 999, "Apply", "", 3, FONT_TIP, 50, ALIGN_CENTRE, -88);
    addButton(app, w, 997, "Cancel", "", 3, FONT_TIP, 80, ALIGN_CENTRE, -88);
}

void buildMisc(Application& app) {
    GameWindow& w = titledWindow(app, WIN_MISC, "Miscellaneous Settings");
    rowLabel(app, w, 30, "Number table speed:", -20);
    const char* speeds[] = {"Slow", "Normal", "Fast", "Skip"};
    for (int i = 0; i < 4; ++i)
        small(app, w, 108 + i, speeds[i], 50 + i * 14, -20);
    rowLabel(app, w, 31, "Number table bars:", -29);
    const char* colours[] = {"Yellow", "Green", "Violet", "Blue", "Red"};
    for (int i = 0; i < 5; ++i)
        small(app, w, 112 + i, colours[i], 44 + i * 12, -29);
    rowLabel(app, w, 32, "Combat speed:", -38);
    const int combatIds[] = {117, 118, 119, 127};
    for (int i = 0; i < 4; ++i)
        small(app, w, combatIds[i], speeds[i], 50 + i * 14, -38);
    rowLabel(app, w, 33, "Combat table bars:", -47);
    for (int i = 0; i < 5; ++i)
        small(app, w, 120 + i, colours[i], 44 + i * 12, -47);
    rowLabel(app, w, 34, "Fan art:", -56);
    small(app, w, 104, "None", 38, -56, "Never show fan art");
    small(app, w, 105, "Original", 52, -56, "Prefer the book's own illustrations");
    small(app, w, 106, "Fan", 65, -56, "Prefer fan art");
    small(app, w, 107, "Download", 84, -56, "Download the fan-art archives");
    rowLabel(app, w, 35, "Other:", -65);
    small(app, w, 100, "Check updates", 34, -65, "Look for a newer version at start");
    small(app, w, 101, "AC focus", 56, -65, "Action Chart focus");
    small(app, w, 102, "ac1", 72, -65, "Action Chart header buttons, first set");
    small(app, w, 103, "ac2", 84, -65, "Action Chart header buttons, second set");
    rowLabel(app, w, 36, "Keyboard:", -74);
    small(app, w, 125, "Show the digit keys", 50, -74,
          "Show beside each choice the digit key (1 to 9) that picks it");
    addButton(app, w, 11, "Defaults", "", 3, FONT_TIP, 30, ALIGN_CENTRE, -88);
    addButton(app, w, 10, "Accept", "", 3, FONT_TIP, 70, ALIGN_CENTRE, -88);
}

void buildAppearance(Application& app) {
    GameWindow& w = titledWindow(app, WIN_APPEARANCE, "Appearance");
    const char* rows[] = {"Menu buttons:", "Text buttons:",       "Title logo:",
                          "Paper:",        "Number table paper:", "Background:"};
    for (int r = 0; r < 6; ++r) {
        const int y = -(24 + r * 10);
        rowLabel(app, w, 60 + r, rows[r], y);
        small(app, w, 20 + 2 * r, "<", 55, y);
        addLabel(app, w, 40 + r, " ", FONT_TIP, 72, ALIGN_CENTRE, y);
        small(app, w, 21 + 2 * r, ">", 89, y);
    }
    addButton(app, w, 11, "Defaults", "", 3, FONT_TIP, 30, ALIGN_CENTRE, -88);
    addButton(app, w, 10, "Accept", "", 3, FONT_TIP, 70, ALIGN_CENTRE, -88);
}

void buildNotice(Application& app, int id, const std::string& title, const std::string& text,
                 const std::string& caption1, int id1, const std::string& caption2 = "",
                 int id2 = 0) {
    GameWindow& w = titledWindow(app, id, title);
    addLabel(app, w, 2, text, FONT_TIP, 50, ALIGN_CENTRE, -45);
    if (caption2.empty()) {
        addButton(app, w, id1, caption1, "", 3, FONT_MENU_SMALL, 50, ALIGN_CENTRE, -85);
    } else {
        addButton(app, w, id1, caption1, "", 3, FONT_MENU_SMALL, 30, ALIGN_CENTRE, -85);
        addButton(app, w, id2, caption2, "", 3, FONT_MENU_SMALL, 70, ALIGN_CENTRE, -85);
    }
}

void buildDeath(Application& app) {
    GameWindow& w = titledWindow(app, WIN_DEATH, "Greystar, you have fallen...");
    addLabel(app, w, 2, " ", FONT_TIP, 50, ALIGN_CENTRE, -40);
    addButton(app, w, 4, "Restart", "Begin this book again", 3, FONT_MENU_SMALL, 20, ALIGN_CENTRE,
              -82);
    addButton(app, w, 5, "Load Game", "Load your saved game", 3, FONT_MENU_SMALL, 50, ALIGN_CENTRE,
              -82);
    addButton(app, w, 6, "Quit", "Quit to the operating system", 3, FONT_MENU_SMALL, 80,
              ALIGN_CENTRE, -82);
}

void buildViewer(Application& app, int id, const std::string& hint) {
    SDL_Surface* screen = app.screen.surface;
    const double s = app.screen.uiScale > 0 ? app.screen.uiScale : 1.0;
    const int sw = screen ? screen->w : 800, sh = screen ? screen->h : 600;
    GameWindow& w =
        addWindow(app, id, static_cast<int>(sw * 0.8 / s), static_cast<int>(sh * 0.85 / s));
    addPicture(app, w, 2, nullptr, static_cast<int>(sw * 0.75 / s), static_cast<int>(sh * 0.72 / s),
               50, ALIGN_CENTRE, -46);
    addLabel(app, w, 3, hint, FONT_TIP, 50, ALIGN_CENTRE, -94);
}

void buildBookSelect(Application& app) {
    GameWindow& w = titledWindow(app, WIN_BOOK_SELECT, "SELECT A BOOK");
    addPicture(app, w, 2, nullptr, 140, 190, 25, ALIGN_CENTRE, -52);
    addLabel(app, w, 3, " ", FONT_TIP, 68, ALIGN_CENTRE, -24);
    small(app, w, 4, "Next series", 68, -33, "Show the books of the next series");
    addLabel(app, w, 5, " ", FONT_TIP, 68, ALIGN_CENTRE, -45);
    small(app, w, 6, "<", 54, -56, "Previous book");
    addLabel(app, w, 7, " ", FONT_TIP, 68, ALIGN_CENTRE, -56);
    small(app, w, 8, ">", 82, -56, "Next book");
    small(app, w, 10, "Zip", 58, -69, "Download this book's archive");
    small(app, w, 11, "Pic", 78, -69, "Download the covers of this book");
    small(app, w, 9, "Other cover", 25, -92, "Show another cover of this book");
    addButton(app, w, 12, "Start", "Begin a new campaign with this book", 3, FONT_MENU_SMALL, 58,
              ALIGN_CENTRE, -86);
    addButton(app, w, 13, "Back", "", 3, FONT_MENU_SMALL, 84, ALIGN_CENTRE, -86);
}

void buildRules(Application& app) {
    GameWindow& w = titledWindow(app, WIN_RULES, "Choose Gameplay Rules");
    addLabel(app, w, 2, "Pick the rules your campaign is played by:", FONT_TIP, 50, ALIGN_CENTRE,
             -25);
    addButton(app, w, 3, "By-The-Book", "The rules exactly as the books give them", 3,
              FONT_MENU_SMALL, 30, ALIGN_CENTRE, -42);
    addButton(app, w, 4, "Hardcore", "Harsher rules for seasoned players", 3, FONT_MENU_SMALL, 70,
              ALIGN_CENTRE, -42);
    addButton(app, w, 5, "Custom", "Your own mix of rules", 3, FONT_MENU_SMALL, 30, ALIGN_CENTRE,
              -60);
    addButton(app, w, 6, "Prodigy", "Gentler rules for a first campaign", 3, FONT_MENU_SMALL, 70,
              ALIGN_CENTRE, -60);
    evenWidths(app, w, {3, 4, 5, 6}, 150);
    addButton(app, w, 10, "Start", "Begin the campaign", 3, FONT_MENU_SMALL, 30, ALIGN_CENTRE, -86);
    addButton(app, w, 90, "Close", "", 3, FONT_MENU_SMALL, 70, ALIGN_CENTRE, -86);
}

// 37: a question with more answers than the message box has buttons, a page
// of them at a time.
void buildSelection(Application& app) {
    GameWindow& w = titledWindow(app, WIN_SELECTION, "Choose from options below");
    addLabel(app, w, 2, " ", FONT_TIP, 50, ALIGN_CENTRE, -20);
    for (int row = 0; row < SELECTION_ROWS; ++row)
        small(app, w, SELECTION_FIRST_ROW + row, " ", 50, -(29 + row * 7));
    small(app, w, 5, "<", 12, -88, "Previous choices");
    small(app, w, 6, ">", 88, -88, "More choices");
}

// 39: the rank certificate, its words on the tier's certificate.
void buildCertificate(Application& app) {
    GameWindow& w = titledWindow(app, WIN_CERTIFICATE, "Certificate of Rank");
    addPicture(app, w, 2, nullptr, 540, 270, 50, ALIGN_CENTRE, -52);
    addLabel(app, w, 3, " ", FONT_TIP, 50, ALIGN_CENTRE, -52);
    addLabel(app, w, 4, "(Click to close)", FONT_TIP, 50, ALIGN_CENTRE, -94);
}

// 44: a profile's awards, a page of them at a time; a row opens its details (45).
void buildAwardsList(Application& app) {
    GameWindow& w = titledWindow(app, WIN_AWARDS, "AWARDS for (NAME)");
    addLabel(app, w, 2, " ", FONT_TIP, 50, ALIGN_CENTRE, -20);
    for (int row = 0; row < AWARD_ROWS; ++row)
        small(app, w, AWARD_FIRST_ROW + row, " ", 50, -(28 + row * 7),
              "View this award's details and hints");
    small(app, w, 5, "<", 12, -86, "Previous awards");
    small(app, w, 6, ">", 88, -86, "More awards");
    addButton(app, w, 4, "Close", "", 3, FONT_MENU_SMALL, 50, ALIGN_CENTRE, -86);
}

// 45: one award: its texts and its hints, one more at each press.
void buildAwardDetails(Application& app) {
    GameWindow& w = titledWindow(app, WIN_AWARD_DETAILS, "Award");
    addPicture(app, w, 3, nullptr, 64, 64, 12, ALIGN_CENTRE, -22);
    addLabel(app, w, 2, " ", FONT_TIP, 50, ALIGN_CENTRE, -52);
    addButton(app, w, 5, "Next Hint", "Show the next, plainer hint", 3, FONT_MENU_SMALL, 30,
              ALIGN_CENTRE, -88);
    addButton(app, w, CLOSE_BUTTON, "Close", "", 3, FONT_MENU_SMALL, 70, ALIGN_CENTRE, -88);
}

// 46: the book a restart goes back to, a row per series.
void buildRestartBook(Application& app) {
    GameWindow& w = titledWindow(app, WIN_RESTART_BOOK, "Choose from available books:");
    static const char* const SERIES[3] = {"VAEL", "DRAVIC", "GRANDMASTER"};
    const int first[4] = {1, 6, 13, 21};
    for (int s = 0; s < 3; ++s) {
        const int y = -(30 + s * 16);
        addLabel(app, w, 2 + s, SERIES[s], FONT_TIP, 50, ALIGN_CENTRE, y - 7);
        const int count = first[s + 1] - first[s];
        for (int b = first[s]; b < first[s + 1]; ++b) {
            const double x = 50 + (b - first[s] - (count - 1) / 2.0) * 10;
            small(app, w, RESTART_BOOK_FIRST + b - 1, std::to_string(b), x, y,
                  "Restart the campaign from the start of book " + std::to_string(b));
        }
    }
    addCloseButton(app, w);
}

} // namespace

void buildWindows(Application& app) {
    releaseWindows(app);
    buildMainMenu(app);
    // The rest in the program's fixed order.
    GameWindow& restart = titledWindow(app, WIN_RESTART, "Restart Book / Campaign");
    addButton(app, restart, 3, "Restart This Book",
              "Return to the start of the book you are playing,`as you were when you began it",
              3, FONT_MENU_SMALL, 50, ALIGN_CENTRE, -32);
    addButton(app, restart, 4, "Restart An Earlier Book",
              "Return to the start of an earlier book of your campaign", 3, FONT_MENU_SMALL, 50,
              ALIGN_CENTRE, -50);
    addButton(app, restart, 5, "Start Over",
              "Begin a new campaign from scratch`(your saved campaign is replaced)", 3,
              FONT_MENU_SMALL, 50, ALIGN_CENTRE, -68);
    addCloseButton(app, restart);
    buildRestartBook(app);
    GameWindow& saveLoad = titledWindow(app, WIN_SAVE_LOAD, "Save / Load Game In-Progress");
    addButton(app, saveLoad, 3, "Save Game", "", 3, FONT_MENU_SMALL, 50, ALIGN_CENTRE, -40);
    addButton(app, saveLoad, 4, "Load Game", "", 3, FONT_MENU_SMALL, 50, ALIGN_CENTRE, -58);
    addCloseButton(app, saveLoad);
    buildSelection(app);
    buildAbout(app);
    buildOptions(app);
    buildVideo(app);
    buildFonts(app);
    buildMisc(app);
    buildAppearance(app);
    buildNotice(app, WIN_UPDATE, "Updated version available!", " ", "OK", 4);
    buildNotice(app, WIN_ASK_UPDATES, "Check For Updates Automatically?",
                "Quillhaven can ask the book archive for a newer version`each time it starts.",
                "Yes", 50, "No", 51);
    buildNotice(app, WIN_DONATE, "Please consider a Donation",
                "If you enjoy Quillhaven, please consider a donation`to the people who keep the "
                "book archive running.",
                "Donate", 50, "Not now", 51);
    buildDeath(app);
    buildBookSelect(app);
    buildRules(app);
    buildTextEntry(app);
    buildMessageBox(app);
    GameWindow& placeholder = addWindow(app, WIN_PLACEHOLDER, 1, 1);
    placeholder.hideBackground = true;
    buildAvatarChoice(app);
    buildViewer(app, WIN_ILLUSTRATION, "Press ESC or click to close Illustration");
    buildViewer(app, WIN_MAP, "Press ESC or click to close Map");
    buildCertificate(app);
    buildProfiles(app);
    buildAwardsList(app);
    buildAwardDetails(app);

    for (auto& w : app.windowManager.table) {
        w->onClick = windowClick;
        w->onRefresh = windowRefresh;
        w->onClosed = windowClosed;
        for (auto& b : w->buttons)
            b->owner = &app;
    }
    checkWindowTable(app.windowManager);
    // A loading indicator while the next screen gets ready.
    drawLoadingIndicator(app);
}

void releaseWindows(Application& app) {
    closeAllWindows(app.windowManager);
    app.windowManager.table.clear();
}
