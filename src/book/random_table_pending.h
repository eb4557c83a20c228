// The pending-result file: written when the Random Number Table popup opens
// (outside combat) or a combat starts, removed once the draw is resolved and
// the resume save holds its outcome. A file still present at the next start
// shows that play stopped in the middle of a draw, so reloading cannot offer
// the player a second number.
#pragma once

#include <string>

struct GameState;

// "/data/misc/result" N ".dat" for profile N.
std::string pendingResultPath(int profile);

// What kind of draw is under way.
constexpr const char* PENDING_PICK = "PICK";
constexpr const char* PENDING_COMBAT = "COMBAT";

struct PendingResult {
    std::string kind;
    int book = 0;
    int section = 0;
    int seed = 0;
    int draws = 0;
};

// Keys in any order until "END"; false when the file is missing.
bool readPendingResult(int profile, PendingResult& out);
bool writePendingResult(int profile, const GameState& g, const std::string& kind);
bool pendingResultExists(int profile);
bool removePendingResult(int profile);

// The resume save written after a draw; the saves code installs it. Until
// then no resume save is written here.
using ResumeSaveHook = bool (*)(GameState& g, int profile);
void setResumeSaveHook(ResumeSaveHook hook);
// The draw has been resolved: writes the resume save (unless the rules let
// the player save by hand), then removes the pending-result file.
void drawResolved(GameState& g, int profile);
