// The program's windows: building the table, the three shared handlers (click,
// refresh, closed) that branch on the window ID, and what the spine asks of them.
#pragma once

#include "ui/message.h"
#include "ui/window_ids.h"
#include "ui/window_manager.h"

#include <SDL/SDL.h>

#include <string>
#include <vector>

struct Application;

// The command the first profile-name entry reports to window 6.
constexpr int FIRST_PROFILE_NAME_COMMAND = 1001;
// The "Continue" answer of the overwrite question, reported to window 0.
constexpr int OVERWRITE_CONTINUE_COMMAND = 999;

// Working copies of the font settings window: only "Apply" hands them over.
struct FontChoices {
    std::string textFont, tipFont, actionFont;
    int textSize = 21, tipSize = 17; // point sizes
    SDL_Color textColour{0, 0, 0, 0};
    SDL_Color tipBackground{255, 255, 185, 0};
    int preview = 0; // which of the three previews is shown
};

// State the windows keep between frames.
struct WindowData {
    MessageRequest message; // the request the message box shows
    int messageResult = -1; // 0 first button, 1 second; -1 closed otherwise
    std::string entryText;  // what the entry popup edits
    int promptNumber = 0;       // the number typed for a question of the rules
    bool promptIsText = false;  // ...or the line of text (entryText)
    int profileSlot = 0;    // the slot the profiles window is working on
    int avatarIndex = 0;    // current pick of the avatar window
    FontChoices fonts;
    std::string windowArgs[3]; // arguments of windows 5, 38 and 39
    int restartChoice = 5;
    bool creatingProfile = false;     // the name entry creates a new profile
    int cursorMs = 0;                 // blink of the entry cursor
    bool firstProfilePending = false; // the first profile's name entry is open
    std::string rulesTitle;           // title the rules window was opened with
    bool fontsEditing = false;        // the font window works on its copies
    int selectedBook = 1;             // the book the selection window shows
    int selectionPage = 0;            // window 37: the page of its choices shown
    int selectionResult = -1;         // ...and the choice made, -1 none
    int awardsPage = 0;               // window 44: the page of its list
    int awardId = 0;                  // window 45: the award shown
    int awardHints = 1;               // ...and how many of its hints
};

// Rows of the list windows: the selection list (37), the awards list (44)
// and the books of a restart (46, one button per book from this ID).
constexpr int SELECTION_ROWS = 8;
constexpr int SELECTION_FIRST_ROW = 10;
constexpr int AWARD_ROWS = 8;
constexpr int AWARD_FIRST_ROW = 10;
constexpr int RESTART_BOOK_FIRST = 10;

// Builds the whole table for the current mode (title screens or play).
void buildWindows(Application& app);
void releaseWindows(Application& app);

// The shared handlers.
void windowClick(Application* app, int windowId, int buttonId);
bool windowRefresh(Application* app, int windowId);
void windowClosed(Application* app, int windowId);

// What the spine calls.
void openGameWindow(Application& app, int id, int mode, const std::string& argument = "");
void closeTopGameWindow(Application& app);
// The top window's share of a mouse event (only in state 2).
void windowMouseEvent(Application& app, GameWindow& w, int mouseX, int mouseY, Uint8 eventType);
void clickWindowButton(Application& app, int windowId, int buttonId);
// Advances and draws every open window, bottom to top.
void updateWindows(Application& app, int elapsedMs);

// Profiles: the first avatar, the start-up flow without a profile, the profile
// the menus show.
void startFirstProfile(Application& app);
bool anyProfileExists(const Application& app);
// Asks for the message box through the window dispatcher.
void installWindowDispatch(Application& app);
// Appends where the window's buttons are to the file named by QH_LAYOUT_LOG, if set.
void logWindowLayout(const GameWindow& w);
// Shows the next queued message, if any and the box is free.
void showNextMessage(Application& app);
// Saves the profile list now (profile changes are never left to the shutdown alone).
void saveAllProfiles(Application& app);
// Asks the system to quit at the end of the frame.
void postQuitEvent();
// Opens a web address in the system's browser.
void openInBrowser(const std::string& address);
// The map picture of the book being played; `number` is the map's number.
SDL_Surface* mapPicture(Application& app, const std::string& number);
// Cover pictures of a book's covers folder.
std::vector<std::string> listBookCovers(int book);
// The award IDs every profile keeps an entry for.
std::vector<int> knownAwardIds(const Application& app);
