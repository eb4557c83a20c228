// The Random Number Table: each book's printed grid of digits that the reader
// points at blindly. The program picks a cell with the game's one random
// source (or lets the player narrow the pick to a region first), animates the
// pick and hands the number to whoever asked. This file is the model: the
// grid, the pick, its timing and the delivered number with its modifiers. The
// popup that draws it is random_table_view.
#pragma once

#include "book/random_source.h"

#include <string>
#include <vector>

struct Character;
struct RuleOptions;
struct DataFile;

constexpr int RNT_SIZE = 10;
constexpr int RNT_STEP_COUNT = 5;
// Region numbers follow a numeric keypad (7 8 9 on top); 0 none chosen yet.
constexpr int RNT_NO_REGION = 0;

// Who asked for the number, and how: the requesting effect's fields.
struct PickRequest {
    int buttonId = -1;  // the section button that receives the number; -1 none (combat)
    int value = 0;      // VALUE: which random-number modifiers apply
    int value2 = 0;     // VALUE2: not 0 makes the pick guided
    int idToAffect = 0; // ID_TO_AFFECT: not 0 makes a picked 0 count as 10
    bool forCombat = false;
};

struct RandomNumberTable {
    int grid[RNT_SIZE][RNT_SIZE] = {}; // [column][row]
    int book = 0;                      // the book whose grid is loaded
    bool active = false;               // a pick is running
    int step = 0;                      // 0 in, 1 bars converge, 2 number shown, 3 held, 4 out
    int elapsed = 0;                   // ms in the current step
    bool guided = false;               // waits for a region before the pick
    bool guidable = false;             // a region may be chosen while the table comes in
    int region = RNT_NO_REGION;
    bool drawn = false; // column and row have been drawn
    int column = 0;
    int row = 0;
    int number = -1;         // the picked digit (10 for a 0 when asked), -1 while none
    bool finished = false;   // the animation is over: the number awaits delivery
    bool fastResult = false; // the speed skipped to the result step
    PickRequest requester;
    int pickCounter = 0;
};

// Fills the grid with the fallback (every cell of row r holds r).
void fallbackGrid(RandomNumberTable& table);
// 100 values, row by row; a short file keeps the fallback for what is
// missing, values are kept to 0-9, extra values are ignored.
void readTable(DataFile& file, RandomNumberTable& table);
// "data/books/book" N "/rnt.dat"; a missing file gives the fallback grid.
std::string randomTablePath(int book);
void loadTable(RandomNumberTable& table, int book);

// Starts a pick unless one runs. `allowGuided` is the ALLOW_GUIDED_RTN: rule:
// with it the player may narrow any pick while the table slides in. False when
// a pick was already running.
bool startPick(RandomNumberTable& table, const PickRequest& request, RandomSource& random,
               bool allowGuided);
// The player chose a region (keypad 1-9). Accepted while the pick waits for a
// region, or while a guidable table is still coming in.
bool chooseRegion(RandomNumberTable& table, int region, RandomSource& random);
// Arrow keys move the region like the keypad digits do; (dx, dy) in -1..1.
int regionFromArrows(int region, int dx, int dy);
// The 4 x 4 block a region allows: its top-left cell.
void regionOrigin(int region, int& column, int& row);
bool waitingForRegion(const RandomNumberTable& table);

// Duration of a step at RNT_SPEED s (1 slow .. 4 skip).
int stepDuration(const RandomNumberTable& table, int step, int speed);
// Advances the animation (a guidable pick left alone draws when the table is
// in); true once when it has ended and the number awaits
// delivery.
bool updatePick(RandomNumberTable& table, int elapsedMs, int speed, RandomSource& random);

// The number as delivered: the digit plus the modifiers the request's VALUE
// selects, with one "`Modifier: ..." line each.
struct PickResult {
    int number = 0;
    std::vector<std::string> modifierLines;
    std::string message; // "The number you picked was: " ...
};
PickResult pickResult(const RandomNumberTable& table, const Character& c);
int randomNumberModifiers(int value, const Character& c, std::vector<std::string>& lines);
// Ends the pick after delivery.
void endPick(RandomNumberTable& table);
// The text player's line for a pick: the cell and the number.
std::string pickReport(const RandomNumberTable& table);

// One recorded sequence of picks of a book, as the campaign keeps it:
// numbers picked in order, a negative entry -n standing for n picks that were
// not recorded.
struct RecordedPicks {
    int book = 0;
    int section = 0;
    std::vector<int> numbers;
};
// Do the recorded picks follow from the saved seed? Reseeds `random` with the
// saved seed and draw count afterwards.
bool verifyPicks(const RandomNumberTable& table, int book,
                 const std::vector<RecordedPicks>& records, bool wmBowRnBoost,
                 RandomSource& random);
