// The campaign's save files, per profile N (1-5): the campaign file (rule
// options and one snapshot of the hero per book start), the resume file (the
// whole game where play stopped), the section-1 file (the same, at the start
// of the current book, for restarts), and the shared timestamp file that
// tells a save written by the program from one changed outside it.
//
// Every file goes to a temporary file beside the old one and is renamed over
// it once complete, so a crash leaves the old save or the new one. A save that
// exists but cannot be read is never overwritten until the player begins a
// new campaign (CampaignState's unreadable marks).
#pragma once

#include "character/character.h"
#include "character/rule_options.h"
#include "combat/combat_record.h"
#include "save/campaign_state.h"
#include "save/character_record.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Catalogues;
struct DataFile;
struct GameState;
struct RandomSource;

extern const char* const TIMESTAMP_FILE; // "/data/misc/ts.dat"
std::string campaignPath(int profile);   // "/data/profiles/campaign" N ".dat"
std::string resumePath(int profile);     // "/data/profiles/resume" N ".dat"
std::string sectionOnePath(int profile); // "/data/profiles/sec1-" N ".dat"
std::string savePath(int profile, bool sectionOne);

// ---- The timestamp file ------------------------------------------------------

constexpr int TIMESTAMP_SLOTS = 10; // resume files of profiles 1-5, then section-1 files
struct Timestamps {
    std::array<int64_t, TIMESTAMP_SLOTS> times{};
    bool tenSlots = false; // read from a "TS_NEW" file
};
int timestampSlot(int profile, bool sectionOne); // 0-9
// A file without "TS_NEW" holds the five resume slots only.
void readTimestamps(DataFile& file, Timestamps& ts);
bool writeTimestamps(DataFile& file, const Timestamps& ts);
// False when the file is missing (every slot is then 0).
bool loadTimestamps(Timestamps& ts);
bool saveTimestamps(const Timestamps& ts);

// ---- Resume and section-1 files ----------------------------------------------

// A resume file as read, before any of it reaches the game.
struct ResumeData {
    Character character;
    CharacterReadExtras extras;
    std::string pageName;  // the main page's section or opening page
    std::string pageState; // its state block (hidden words, buttons), as plain text
    std::vector<BookRecord> books;
    bool bookFinished = false;
    CombatRecord combat;
    RuleOptions rules;
    PageViewState view;
    bool haveSeed = false;
    int seed = 0;
    int draws = 0;
};

// The six parts in order: character, page records, combat, rule options,
// page-view state, "SEED".
bool writeResume(DataFile& file, const GameState& g);
// False when a part is damaged or cut short: nothing of it may be used then.
bool readResume(DataFile& file, const Catalogues& cat, ResumeData& out);
// Puts what was read into the game: the hero, rules, books, combat and random
// source, and the page reloaded from the book with its saved state on top.
void applyResume(GameState& g, const Catalogues& cat, const ResumeData& data);

// Writes the resume file (or the section-1 file) of profile N and records its
// time. False (with the diagnostic) when it could not be written, or when the
// file on disk could not be read this run.
bool saveResume(GameState& g, int profile, bool sectionOne);

enum class LoadResult { Loaded, Missing, Damaged };
// Loads the resume file (or the section-1 file). `acceptedLicense` is the
// profile's flag: an old record may set it; while false the view shows the
// licence page. A damaged file leaves the game as it was and is marked
// unreadable.
LoadResult loadResume(GameState& g, const Catalogues& cat, int profile, bool sectionOne,
                      bool& acceptedLicense);
// The two halves of loadResume, for a front end that learns the hero's book
// before it sets up the pages: the file read and checked, then applied.
LoadResult readResumeFile(GameState& g, const Catalogues& cat, int profile, bool sectionOne,
                          ResumeData& data);
void finishResumeLoad(GameState& g, const Catalogues& cat, int profile, bool sectionOne,
                      const ResumeData& data, bool& acceptedLicense);
// Installs the resume save that follows every resolved draw.
void installResumeSaveHook();

// ---- The campaign file --------------------------------------------------------

struct CampaignData {
    RuleOptions rules;
    std::vector<Character> records; // snapshots, oldest first
};
bool writeCampaign(DataFile& file, const RuleOptions& rules, const std::vector<Character>& records);
// False when the file is damaged; the records read completely are kept.
bool readCampaign(DataFile& file, const Catalogues& cat, CampaignData& out);

// After a book is completed and the next begins: keeps the snapshots of
// earlier books except book 1, adds the current hero, removes the section-1
// file. False (with the diagnostic) when the file could not be written.
bool saveCampaign(GameState& g, const Catalogues& cat, int profile);
// Restarts from the snapshot of `targetBook` (0: the latest). False when the
// file is missing or damaged; the game is then left as it was.
bool loadCampaign(GameState& g, const Catalogues& cat, int profile, int targetBook);

// The resume, campaign and section-1 files of profile N, for a new campaign.
void deleteProfileSaves(GameState& g, int profile);

// ---- Around the saves ----------------------------------------------------------

// 0 no series completed (or the record fails a check), 1 By-the-Book, 2 Hardcore.
int seriesCompletionCheck(const Character& record, const RuleOptions& rules);
// "major.minor.patch" compared part by part.
int compareVersionNumbers(const std::string& a, const std::string& b);

// The travel log as text: "GS" N "_Log_Book" book ".txt", or "GS" N
// "_Log_Full.txt" with book 0, in the writable root. `summaries` gives a
// section's one-line summary. False when it could not be written.
std::string travelLogFileName(int profile, int book);
std::string travelLogText(const Character& c, const Catalogues& cat, const std::string& profileName,
                          int book, const std::vector<std::vector<std::string>>* summaries);
bool exportTravelLog(const Character& c, const Catalogues& cat, const std::string& profileName,
                     int profile, int book, std::string& fileName);

// The hero carried over into the next book: the book and tier advance, the
// finished book counts, the opening pages come again.
void carryHeroIntoNextBook(Character& c);

// ---- The console viewer ----------------------------------------------------------

// Reads what the viewer shows from an open resume file: the hero, the rule
// options from wherever "WEAPON_RULES:" stands, and the random source after
// "SEED". False when the hero's record is cut short.
bool readConsoleRecord(DataFile& file, const Catalogues& cat, Character& c, RuleOptions& rules,
                       RandomSource& random);
// "Here is the pertinent HoF info:" and the scores; the three Discipline
// lines when `hallOfFame` is 2 (the Hardcore hall of fame).
std::string consoleRecordText(const Character& c, const RuleOptions& rules, int hallOfFame);
