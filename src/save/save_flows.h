// The saves as the window uses them: which profile's files the game writes,
// resuming at the start of play, the resume save when play stops or a draw
// is resolved, the restart and save/load windows (41, 42), the move into the
// next book, and the console viewer's record. Window handlers make one call
// here each; the file formats and rules are in save/save_files.h.
#pragma once

#include "ui/message.h"

#include <string>

struct Application;
struct DataFile;

// The active profile's number and name go to the game's campaign state, and
// the resume save joins the random draws.
void bindProfileSaves(Application& app);

// Entering play with "Resume": the hero of the resume file (or, when it
// cannot be read, of the campaign file) becomes the character, so that his
// book can be set up. False when neither could be read (a new character
// then begins); the player is told why.
bool readSavedHero(Application& app);
// After the pages are set up: the rest of the resume file (page, fight,
// random source, page view). True when a save was restored.
bool restoreSavedGame(Application& app);

// The resume save of the game on screen, with where the pages stand.
bool writeResumeNow(Application& app);
// Each frame: a draw starting (a pick or a round runs, or a combat has begun)
// writes the pending-result file, one resolved writes the resume save and
// removes it; a combat keeps the file to its end and is saved after each
// round. Opening the main menu saves too.
void syncSavesWithDraws(Application& app, bool running, bool combatOpen, bool menuOpen);

// Window 41: restart the current book from its start (the section-1 save,
// else the campaign's snapshot of the book). The message to show.
MessageRequest restartCurrentBook(Application& app);
// Window 46: restart from the start of an earlier book of the campaign.
MessageRequest restartFromBook(Application& app, int book);
// Window 41's "Start Over", once confirmed: a new hero in the same book,
// the old saves removed.
constexpr int RESTART_OVER_COMMAND = 998;
void startOverFromScratch(Application& app);
// Window 42, with "Allow Saving/Loading at any time".
MessageRequest saveByHand(Application& app);
MessageRequest loadByHand(Application& app);

// The book is finished: the campaign file gains the hero as he starts the
// next book, which begins when its archive is there; else the player is told
// to download it. The message to show (empty title when none).
MessageRequest carryIntoNextBook(Application& app);

// The main menu's "Resume Campaign" tooltip: where the saved hero stands.
std::string resumeTooltip(Application& app);

// Console mode: prints the record of an open resume file.
void printRecordOfSave(Application& app, DataFile& file);
// The hall-of-fame result the console viewer uses; the awards give it.
int consoleHallOfFame(Application& app);
