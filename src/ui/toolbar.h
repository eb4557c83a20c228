// The play screen's tool bar (main menu, minimise, close, award medal), its
// title bar (logo and book title) and the loading indicator. The rules here
// (where things go, what is shown when, how clicks are taken) need no window;
// building and drawing are in toolbar_view.cpp.
#pragma once

#include "ui/button.h"
#include "ui/surface.h"

#include <SDL/SDL.h>

#include <memory>
#include <string>
#include <vector>

struct Application;

// Tool bar button IDs; they are also the first eight entries of the play
// screen's button list.
enum ToolbarButtonId {
    TOOLBAR_MAIN_MENU = 0,
    TOOLBAR_PAGES_FIRST = 1, // 1 to 4: the page switches, kept hidden
    TOOLBAR_PAGES_LAST = 4,
    TOOLBAR_MINIMIZE = 5,
    TOOLBAR_QUIT = 6,
    TOOLBAR_AWARD = 7,
    TOOLBAR_BUTTON_COUNT = 8
};

using ButtonList = std::vector<std::unique_ptr<Button>>;

// ---- Placement --------------------------------------------------------------

// Side of the white main-menu square: a tenth of the screen height, at most 96.
int mainMenuButtonSide(int screenH);
// The medal's scale factor: its image becomes 30 % of the screen height.
double awardMedalScale(int imageH, int screenH);
// Top-left corner of tool bar button `id` whose image is imageW x imageH (as
// drawn) on a screenW x screenH screen.
SDL_Rect toolbarPlacement(int id, int screenW, int screenH, int imageW, int imageH);
// Whether button `id` is shown when the tool bar is built: the page switches
// and the medal start hidden, minimise and close exist only in full screen.
bool toolbarButtonShownAtStart(int id, bool fullScreen);

// ---- Clicks -----------------------------------------------------------------

// The press and click rules of the play screen's buttons for one left-button
// event at (x, y): a hit button that is enabled and visible, and needs no click
// lock or finds it released, is pressed on button down; a pressed one is
// clicked on button up and sets the lock. Button up releases every other
// pressed button too, so a press dragged off a button does not stick.
void headerMouse(ButtonList& buttons, bool& clickLock, int x, int y, bool down);
// The tool bar button among the first eight entries of the list, null when
// the list holds no such button.
Button* toolbarButton(ButtonList& buttons, int id);
// The ID of a clicked tool bar button, its click taken; -1 when none.
int takeToolbarClick(ButtonList& buttons);
void setToolbarButtonVisible(ButtonList& buttons, int id, bool visible);
// Puts the eight tool bar buttons at the front of the list in place of any
// earlier ones; section buttons after them are kept.
void replaceToolbar(ButtonList& buttons, ButtonList toolbar);

// ---- Title bar --------------------------------------------------------------

// The band above the pages the title bar lives in, and the tool bar items
// it has to keep clear of.
struct TitleBarSpace {
    int screenW = 0, screenH = 0;
    int bandHeight = 0;     // from the top of the screen to the top of the pages
    int menuButtonSide = 0; // the main-menu square at the top centre
    int cornerReserve = 0;  // width kept free at the top right (minimise, close)
};

struct TitleBarLayout {
    SDL_Rect logo{0, 0, 0, 0};  // the logo, left of the menu square
    SDL_Rect frame{0, 0, 0, 0}; // the title frame, right of it
};

// Fits a logo of logoW x logoH and a frame of frameW x frameH (at a scale of
// 1) into the band, the logo left of the menu square and the frame right of
// it, both off the outer 8 % of the screen on either side, keeping their
// proportions. The frame grows with the interface scale but stays clear of
// the reserved corner.
TitleBarLayout layoutTitleBar(const TitleBarSpace& space, int logoW, int logoH, int frameW,
                              int frameH, double uiScale);
// The book title's point size: 45 % of the frame's height as drawn.
int titleBarFontSize(int frameHeight);

struct TitleBar {
    SurfacePtr logo, frame, title; // scaled for the screen they were built for
    TitleBarLayout layout;
    int book = 0; // the book shown; 0 before the first build
    std::string logoName;
    int screenW = 0, screenH = 0;
};

// Whether the title bar must be built for `book`: never while a start of play
// is pending, else when the book, the chosen logo or the screen size differs
// from what it shows.
bool titleBarNeedsBuild(const TitleBar& bar, int book, const std::string& logoName, int screenW,
                        int screenH, bool startPending);

// ---- Building and drawing (toolbar_view.cpp) ----------------------------------

// The eight tool bar buttons, at the front of `app.headerButtons`.
void buildToolBar(Application& app);
// The title bar for `book`, unless the rules above say it is current.
void buildTitleBar(Application& app, int book);
void drawTitleBar(Application& app);
void drawHeaderButtons(Application& app, int elapsedMs);
// Frees the tool bar and the title bar (before the fonts and images go).
void releaseToolbar(Application& app);
// The progress bar half full while playing, nine tenths on the title screens,
// shown at once while the windows are built.
void drawLoadingIndicator(Application& app);
