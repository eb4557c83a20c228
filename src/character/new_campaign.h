// A new campaign's hero: a fresh character in the book's tier, before the
// opening pages (Disciplines, weapon, scores, equipment). Both front ends
// start a campaign through it.
#pragma once

struct GameState;

// Resets the hero and what the rules remember, and puts him in `book`.
void startNewCampaign(GameState& g, int book);
