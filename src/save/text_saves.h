// The saves of the text player: the same user folder, profile list and files
// as the window, so that a game saved by one is resumed by the other.
#pragma once

#include <string>

struct Catalogues;
struct GameState;

// Makes the user folder the write folder, puts it in front of the data, and
// binds the game to the active profile of the profile list. False when there
// is no writable user folder (the game is then played without saves).
bool openUserSaves(GameState& g);
// Loads the profile's resume save when there is one that can be read.
bool resumeSavedGame(GameState& g, const Catalogues& cat);
// The resume save as play stops; a line for the player says where it went.
bool saveGameAsPlayStops(GameState& g, std::string& report);
// A random draw begins (the pending-result file) and ends (the resume save,
// then the file goes). The report is empty when nothing was saved.
void drawStarts(GameState& g, const char* kind);
std::string drawEnds(GameState& g);
// A combat's file stands from its first round to its end; each round that
// leaves the combat under way is kept by the resume save alone.
void roundStarts(GameState& g);
std::string roundEnds(GameState& g);
