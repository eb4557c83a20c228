// The seams between the program's spine (start-up, main loop, shutdown) and
// the subsystems it drives. Each function is called from exactly the place
// in the frame or start-up order where its subsystem acts. The bodies live
// with the subsystem that owns them, one file each (<folder>/<name>_hooks.cpp:
// ui/window_hooks.cpp, book/book_hooks.cpp, combat/combat_hooks.cpp ...), and
// are one call into that subsystem's own code; a new subsystem adds its own
// file. Until a subsystem exists its hooks do nothing and report "nothing there".
#pragma once

#include <SDL/SDL_events.h>

#include <cstdint>
#include <string>

struct Application;
struct DataFile;

namespace hooks {

// ---- Start-up ---------------------------------------------------------------

// Loaded while mounting, around the settings: the font list, the avatar list
// and the profile list before them; the item catalogue, the condition and
// effect types and the journal texts after them.
void loadCataloguesBeforeSettings(Application& app);
void loadCataloguesAfterSettings(Application& app);

// The "GAMEPLAY_SETTINGS:" block of the settings file: the defaults of the
// next campaign's rule options. The reader is positioned after the key.
void readRuleDefaults(Application& app, DataFile& file);
bool writeRuleDefaults(Application& app, DataFile& file);

// Interface images and the main menu windows, for the current video mode.
void loadInterfaceImages(Application& app);
void buildMainMenuWindows(Application& app);

// Program entry: the first window.
bool profileExists(Application& app);
bool updateIsNewer(Application& app); // the update check reports a newer version
// No profile yet: slot 0 "Greystar" with the first avatar, then the name entry.
void startFirstProfile(Application& app);

// Console mode: read the save's character, rules and random source from the
// open file and print the record (the file is closed by the caller if still open).
void printSavedRecord(Application& app, DataFile& file);

// ---- What is on screen ------------------------------------------------------

struct ScreenStatus {
    int windowCount = 0;    // open windows
    int topWindowId = -1;   // -1 when none
    int topWindowState = 0; // 2 shown, 3 closing; other values are animating
    bool randomTableShown = false;
    int randomTableState = 0; // 1 waiting for the player
    bool combatRunning = false;
    int combatState = 0;
    bool resultsTableOpen = false;   // the Combat Results Table viewer
    bool resultsTableActive = false; // ...and animating
    bool pagePanelsExist = false;    // a book has been played
};
ScreenStatus screenStatus(const Application& app);

// ---- Windows ----------------------------------------------------------------

void openWindow(Application& app, int id, int mode, const std::string& argument);
void closeTopWindow(Application& app);
void windowMouseEvent(Application& app, const SDL_Event& event);
// Clicks button `button` of the top window when it is enabled.
void clickTopWindowButton(Application& app, int button);
void drawWindows(Application& app, int elapsedMs);

// ---- Play screen ------------------------------------------------------------

// Header buttons: enabled and visible buttons that need no click lock, or find
// `app.clickLock` clear, become pressed on button down; pressed ones become
// clicked on button up and set `app.clickLock`.
void headerButtonsMouse(Application& app, const SDL_Event& event);
// Page panels and both scroll bars; popups and the results table viewer that
// close on a click.
void pagesMouse(Application& app, const SDL_Event& event);
bool pointInBookPicture(const Application& app, int x, int y);
// Scrolls the panel under the mouse (or the default scroll panel) by lines or pages.
void scrollPages(Application& app, int direction, bool byPage);
// Mouse wheel over the pages: one line of the panel's font per notch.
void wheelPages(Application& app, int direction);
void drawPlayBackground(Application& app); // book picture and title bar
// Page panels, scroll bars, header buttons, then the Action Chart refresh.
void drawPagesAndButtons(Application& app, int elapsedMs);
// The results table viewer, the Random Number Table and the combat screen.
void drawOverlays(Application& app, int elapsedMs);
// The popups' images for the current screen size, made ahead of their first frame.
void prepareOverlays(Application& app);
// The index of a clicked tool bar button with its click taken, -1 when none.
int takeToolbarClick(Application& app);
void switchPagePanels(Application& app, int button);
void setToolbarButtonVisible(Application& app, int button, bool visible);
void refreshPageTabs(Application& app);

// ---- Random Number Table, combat, Combat Results Table -----------------------

bool closeRandomTable(Application& app);  // when shown and it allows closing
bool closeResultsTable(Application& app); // when open and it allows closing
void randomTableKey(Application& app, SDLKey key);
// The Combat Results Table viewer at `page` (effect 32 with a value).
void openResultsTableViewer(Application& app, int page);

// ---- Each frame while playing -----------------------------------------------

// Pending-result file when a draw starts, resume save when it is resolved.
void syncSavesWithRandomDraws(Application& app);
// Carried ENDURANCE bonuses, Grand Master choices, second-tier flags, item 243.
void runFrameRuleHooks(Application& app);
void keyG(Application& app);
int highestMapNumber(const Application& app); // -1 when no "Map" is carried
void turnToSection(Application& app, int section);
bool isLastSectionOfBook(const Application& app, int section);
bool runAwardsCheck(Application& app); // true when something was awarded
// Zero ENDURANCE where it kills: the rules ask for the death window.
bool heroIsDead(Application& app);
void runEndOfBook(Application& app);
// pendingItem and pendingCoins go to the inventory.
void handPendingToInventory(Application& app);

// ---- Entering play ----------------------------------------------------------

bool readResumeCharacter(Application& app); // false when the resume file cannot be opened
void deleteProfileSaves(Application& app);  // resume, campaign and section-1 saves
void resetPlayScreen(Application& app);     // pages, buttons and open windows
void loadBookOfCharacter(Application& app);
void buildToolbar(Application& app);
void setPanelLayout(Application& app); // page panel indices from the profile's choice
bool loadSavedGame(Application& app);
void startNewCharacter(Application& app); // a new campaign's hero in the chosen book
int currentBookNumber(const Application& app);
std::string chosenCover(const Application& app, int book); // "" when none chosen
bool coverFirstOnly(const Application& app); // the combat record asks for the first cover

// ---- Shutdown -----------------------------------------------------------------

void saveProfiles(Application& app);
bool allowMidSaves(const Application& app);
void writeResumeSave(Application& app);
void releaseSubsystems(Application& app); // tab images and every image held
void releaseOverlays(Application& app);   // the table popup, combat and results table images

} // namespace hooks
