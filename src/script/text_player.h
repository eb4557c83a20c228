// The text-mode player: plays a book on the same game state and rules as the
// window, reading one command per line and printing the page, its choices and
// every message. For players without a display, for book authors, and for
// tests that play a book.
#pragma once

#include "actionchart/chart_model.h"
#include "app/game_state.h"
#include "save/profiles.h"

#include <iosfwd>
#include <string>
#include <vector>

// What the player is told changed after a command: scores, coins, items.
struct ChartSnapshot {
    int csBase = 0, cs = 0, epCur = 0, epMax = 0, crowns = 0, lune = 0, kika = 0;
    std::vector<std::string> items; // carried item names, sorted
};

struct TextPlayer {
    GameState g;
    Catalogues cat;
    std::ostream* out = nullptr;
    bool quit = false;
    int pageIndex = 0; // which opening page is shown while the opening pages last
    std::vector<int> offered; // indices into the page's buttons, numbered from 1
    std::string lastPrinted;  // the page's text as last printed
    bool fallen = false;      // the hero died: only restart, chart and quit remain
    bool bookOver = false;    // the book's end was reached
    int book = 1;             // the book being played, for a restart
    ChartSnapshot before;     // the chart as the current command found it
    bool newCampaign = false; // start afresh: the profile's saves are removed first
    ProfileList profiles;     // a profile of its own, for the awards earned in play
    ChartState chart;         // the Action Chart page 'chart PAGE' shows
    std::vector<ChartButton> chartButtons; // its buttons, as 'chart press N' numbers them
    std::string dataDir;      // the data folder, for the next book's files
    bool saves = false;       // the user folder is open: the campaign is saved
    bool nextBook = false;    // the book is done and the hero goes on into the next
};

// Mounts DATA_DIR (a data folder as the build makes it) and the book's files,
// loads the catalogues and starts a new campaign in `book` on its first
// opening page. `seed` 0 seeds from the clock. False (with a line on `out`)
// when the data folder cannot be used.
bool startTextPlayer(TextPlayer& p, const std::string& dataDir, int book, int seed, std::ostream& out,
                     const char* argv0);
// One line of input; prints what follows from it.
void textPlayerCommand(TextPlayer& p, const std::string& line);
// Runs to the end of input or "quit". Returns the exit status.
int runTextPlayer(TextPlayer& p, std::istream& in);
// The Action Chart as text.
std::string actionChartText(const GameState& g, const Catalogues& cat);
// The 'chart' command: the summary, one page ('chart weapons'), a button of
// that page pressed ('chart press 3') or its tooltip ('chart tip 3').
void chartCommand(TextPlayer& p, const std::string& args);
// The current page's words as reflowed paragraphs.
std::string pageText(const SectionPage& page);
