// The Combat Results Table on screen: the table body with its cells, the
// header strip with the visible ratio labels, the decorations, and the short
// animation that slides the table in, glides two half-transparent bars onto
// the round's cell, hands the losses over and slides it away. The table
// viewer shows the same table without a result.
#pragma once

#include "combat/crt.h"

#include <SDL/SDL.h>

#include <string>

// Animation states.
constexpr int CRT_IDLE = 0;
constexpr int CRT_SLIDE_IN = 1;
constexpr int CRT_COMPUTE = 2;
constexpr int CRT_BARS = 3;
constexpr int CRT_RESULT = 4;
constexpr int CRT_HOLD = 5;
constexpr int CRT_SLIDE_OUT = 6;
constexpr int CRT_WAITING = -10000; // what the caller sets the outputs to

struct CombatResultsTable {
    SDL_Surface* images[5] = {}; // "crt-1" .. "crt-5", scaled
    SDL_Surface* cleanBody = nullptr;
    SDL_Surface* cleanHeader = nullptr;
    SDL_Surface* columnBar = nullptr;
    SDL_Surface* rowBar = nullptr;
    int screenW = 0, screenH = 0;
    std::string fontName = "bluehigh";
    SDL_Color barColor{255, 0, 0, 0};

    bool extended = false;
    int pageShift = 0;
    int state = CRT_IDLE;
    int elapsed = 0;
    CrtCell target;
    int ratio = 0; // the round's, read when the cell is computed
    int number = 0;
    int colStartX = 0, colTargetX = 0, rowStartY = 0, rowTargetY = 0;
    int colX = 0, rowY = 0;
    bool viewerMode = false;
    int* heroOut = nullptr;
    int* enemyOut = nullptr;
};

// Loads and scales the five images (0.6 x screen height over the body's
// height) and makes the bars. Does nothing when already loaded.
bool loadTableImages(CombatResultsTable& view, int screenW, int screenH,
                     const std::string& fontName, SDL_Color barColor);
void freeTableImages(CombatResultsTable& view);

// Chooses the page for the ratio and redraws the header labels and the 13
// visible columns of cells.
void drawTable(CombatResultsTable& view, const CombatTable& table, int ratio);
// Starts the animation for one round; with COMBAT_SPEED 4 the outputs are
// written at once and only a short hold remains.
void startResult(CombatResultsTable& view, const CombatTable& table, int ratio, int number,
                 int* heroOut, int* enemyOut, int speed);
// Advances the animation and draws the table on `screen` (null: no drawing).
void updateTable(CombatResultsTable& view, const CombatTable& table, SDL_Surface* screen,
                 int elapsedMs, int speed);
// The engine has shown the round's damage: hold, then slide away.
void proceedTable(CombatResultsTable& view);
// The viewer: page 0 (columns 0-12), or columns 9-21 for an odd page in extended mode.
void openTableViewer(CombatResultsTable& view, const CombatTable& table, int page);
void closeTableViewer(CombatResultsTable& view);
bool tableBusy(const CombatResultsTable& view);
