// Turning to a section: what the rules do when the page changes, in the order
// the main loop takes it (clear what belonged to the section left, load the
// new one, log it, heal, demand Meals, take the Backpack), the per-frame rule
// hooks, and handing pending items and coins to the inventory. The window's
// main loop and the text player both call these.
#pragma once

struct Catalogues;
struct GameState;

// What the rules remember of the section being left.
struct SectionLeft {
    bool hadCombat = false; // a fight was fought there
    bool hurt = false;      // ENDURANCE fell while there
};

// Notes what the section being left held; call before the page is replaced.
SectionLeft leaveSection(GameState& g);
// The rules of arriving in the section now on the page: current section and
// travel log, per-section healing, MUST_EAT_NUM: Meals, LOSING_BACKPACK:.
void arriveInSection(GameState& g, const Catalogues& cat, int section, const SectionLeft& left);
// The whole turn: leave, load "sect" N of the book being played into the
// page (words and script, with its combat), arrive. False when the section
// could not be loaded (the page then shows the blank page).
bool enterSection(GameState& g, const Catalogues& cat, int section);

// Zero ENDURANCE in a section that kills at zero, once play has begun: asks
// the front end for the death window (43), once per section. True when asked.
bool checkDeath(GameState& g);

// The per-frame rule hooks while playing (the third-tier entry rules).
void runFrameRules(GameState& g, const Catalogues& cat);

// Hands pendingItem and pendingCoins (as Gold Crowns) to the inventory and
// clears them.
void handPendingToInventory(GameState& g, const Catalogues& cat);
