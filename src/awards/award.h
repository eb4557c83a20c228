// The award table: every award a profile can earn, with its texts, medal,
// place on the awards page and the rule that earns it. Read once at start
// from "/data/misc/awards.txt"; the earned and new flags live in the profiles.
#pragma once

#include <string>
#include <vector>

struct DataFile;

extern const char* const AWARDS_FILE;
constexpr int AWARD_COUNT = 169;
constexpr int AWARD_HINTS_MAX = 6;
constexpr int AWARD_SERIES_COUNT = 3;

// The demand an award makes on the gameplay rules (see rulesMeetDemand).
enum AwardRulesDemand {
    DEMAND_BY_THE_BOOK = 0,
    DEMAND_HARDCORE = 1,
    DEMAND_ANY_PRESET = 2,   // By-the-Book, Hardcore or Prodigy
    DEMAND_STRICT_PRESET = 3 // By-the-Book or Hardcore
};

struct AwardHint {
    std::string text;
    int level = 1; // 1 the vaguest ... 6 the plain answer
};

// One test of an award's rule; an award is earned when all of its tests hold.
enum class AwardTestKind {
    Finished,        // book: its last section has been reached
    CombatsAtMost,   // book, n: at most n fights of that book in the battle log
    CombatsAtLeast,  // book, n
    Sections,        // book, n, sections: visited ones of the set (a "*2" one counts twice) reach n
    Avoided,         // book, sections: none of them visited
    Carries,         // items: every one carried (weapons, Backpack, Special Items)
    CarriesSome,     // n, items: at least n of them carried
    Awards,          // ids: all earned already
    Button,          // id, n: the button of that ID is on a screen and its value is at least n
    EnduranceAtMost, // n: current ENDURANCE
    EnduranceAtLeast,
    EnduranceFull,   // ENDURANCE at its maximum
    GoldAtMost,      // n: Gold Crowns carried
    GoldAtLeast,
    NoRestarts,      // the campaign never died or restarted
    Discipline,      // tier, id: the Discipline is known
    DisciplinesAtMost, // tier, n: at most n Disciplines of the tier known
    LongestFightAtMost,// book, n: no fight of the book lasted more than n rounds
    UnarmedFight,    // book: a fight of the book fought without a weapon throughout
    MealsAtLeast,    // n: Meals eaten over the campaign
    SeriesComplete,  // tier: the series' books are all finished
    Never,           // not earnable (books not published with the program)
};

struct AwardTest {
    AwardTestKind kind = AwardTestKind::Never;
    int book = 0;            // Finished, Combats*, Sections, Avoided, LongestFightAtMost, UnarmedFight
    int amount = 0;          // threshold, count, tier or button ID as the kind says
    int extra = 0;           // Discipline: the id; Button: the least value
    std::vector<int> values; // sections, items or award ids
    std::vector<int> doubled; // Sections: those that count twice
};

struct AwardDefinition {
    int id = 0;
    std::string title;
    std::string description;  // lore; back-ticks break lines
    std::string statusNote;   // "(Finished with no combats)"
    std::string medal = "medal_generic"; // image of "data/misc/awards"
    std::string requirement;  // "complete book 1 with no combats"
    int series = 0;           // 0 first, 1 second, 2 third series
    int book = 0;             // 0: an award of the whole series
    int rulesRequirement = DEMAND_ANY_PRESET;
    bool rulesRestricted = true; // false: earned under any rules, custom ones too
    int displayOrder = 0;     // within its group on the awards page
    int difficulty = 0;       // 0 not available yet, 1 easy ... 4 expert
    int category = 0;         // award type 1-12 (see awardCategoryText)
    int attribute = 0;        // kept with the record; nothing reads it
    std::vector<AwardTest> tests;
    std::vector<AwardHint> hints; // at most six
};

struct AwardCatalogue {
    std::vector<AwardDefinition> awards; // in the order added
};

// Appends an award. A duplicate ID prints "Big time error! Trying to add a
// award with the same ID as another! check game!" and is refused (false):
// the program ends at start-up then, as the table is built into every profile.
bool addAward(AwardCatalogue& catalogue, const AwardDefinition& award);
// Appends a hint to the award with that ID; false when there is none or it
// already has six. The level is held to 1-6.
bool addAwardHint(AwardCatalogue& catalogue, int awardId, int level, const std::string& text);
// The award with that ID, or null.
const AwardDefinition* findAward(const AwardCatalogue& catalogue, int id);
std::vector<int> awardIds(const AwardCatalogue& catalogue);

// Reads award records from an open file into the catalogue (through addAward
// and addAwardHint). False when a duplicate ID was met.
bool readAwards(DataFile& file, AwardCatalogue& catalogue);
// Builds the table from the award file. False on a duplicate ID; a missing
// file prints "Couldn't open awards file %s... no awards!" and leaves it empty.
bool defineAwards(AwardCatalogue& catalogue, const std::string& path = AWARDS_FILE);

// "(Must play with BY-THE-BOOK gameplay rules only)" ... by demand 0-3; "" otherwise.
std::string rulesDemandNote(int demand);
// "Not available yet", "Easy", "Moderate", "Hard", "Expert".
std::string difficultyText(int difficulty);
// "(Minimum Combat Count)" ... "(Unexplored Path)" for types 1-12; "" otherwise.
std::string awardCategoryText(int category);
// "VAEL Series Awards:", "DRAVIC Series Awards:", "GRANDMASTER Series Awards:", or
// "Book n Awards:".
std::string awardGroupHeading(int series, int book);
