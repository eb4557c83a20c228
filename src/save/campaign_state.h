// What the saves keep about the campaign beside the hero himself: the books
// played with their records (flags that a book's sections set and test, and
// whether the book was finished), where the reader's pages stood, and which
// save files could not be read this run (those are never overwritten until
// the player starts a new campaign).
#pragma once

#include <string>
#include <vector>

struct GameState;

// One book of the campaign's played-books list.
constexpr int BOOK_PLAYING = 0;
constexpr int BOOK_FINISHED = 1;
struct BookRecord {
    int book = 0;
    int status = BOOK_PLAYING;
    std::vector<int> flags; // set flag numbers, ascending
};

// Which pages the reader shows: left and right panel with a value each (how
// far it is scrolled), two further numbers, and what the spare page holds.
struct PageViewState {
    int leftPage = 0;
    int leftValue = 0;
    int rightPage = -1;
    int rightValue = 0;
    int extraFirst = 0;
    int extraSecond = 0;
    std::string sparePage = "none";
};

// The page-view state that puts the book archive's licence page in front
// of a profile that has not accepted it yet.
constexpr int LICENCE_LEFT_PAGE = 19;
constexpr int LICENCE_RIGHT_PAGE = 17;
constexpr int LICENCE_EXTRA_FIRST = 18;

struct CampaignState {
    int profile = 1;               // N of the profile whose files this game uses (1-5)
    std::string profileName;       // for the travel-log export's headings
    std::vector<BookRecord> books; // in the order the books were first played
    bool bookFinished = false;     // the Action Chart's flag: the current book is done
    PageViewState view;
    // A random draw (a table pick or a fight) is under way: the pending-result
    // file stands until the resume save holds its outcome.
    bool drawUnderWay = false;
    bool drawRunning = false; // a pick or a combat round ran in the last frame
    bool menuShown = false; // the main menu was open in the last frame of play

    // Save files that exist but could not be read: kept as they are.
    bool resumeUnreadable = false;
    bool sectionOneUnreadable = false;
    bool campaignUnreadable = false;
};

// The record of `book`, or null when it was never played.
const BookRecord* findBookRecord(const CampaignState& s, int book);
// The record of `book`, added (being played) when missing.
BookRecord& bookRecord(CampaignState& s, int book);
bool bookPlayed(const CampaignState& s, int book);
bool bookFinished(const CampaignState& s, int book);

// Flags of the current book's record (condition 24, effect 35).
bool bookFlag(const GameState& g, int flag);
void setBookFlag(GameState& g, int flag);
// The book is finished: the chart's flag, and status finished in the list.
void finishBook(GameState& g);
// Restarting from the start of `book`: what later books recorded goes.
void forgetBooksFrom(CampaignState& s, int book);
