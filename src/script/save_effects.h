// The section effects and the condition that reach the campaign's book
// records and save files. The effect dispatcher calls one function per type.
#pragma once

struct Catalogues;
struct Effect;
struct GameState;

// Condition 24: flag v of the current book's record is set.
bool bookRecordFlagHolds(const GameState& g, int flag);
// Effect 35: sets flag v of the current book's record.
void setBookRecordFlag(const Effect& e, GameState& g);
// Effect 36: the book is finished (the chart's flag, the played-books list).
void finishBookEffect(GameState& g);
// Effect 65: the travel log of book v (0: the whole campaign) to a text
// file, and the message that says where it went.
void exportTravelLogEffect(const Effect& e, GameState& g, const Catalogues& cat);
// Effect 76: in section 1, once the opening pages are done and the book
// before (when it was played) is finished, the save a restart returns to.
// True when it was written.
bool startOfBookSave(GameState& g);
