// The hero carried from book to book, and the campaign's progress: everything
// the campaign file stores about him. Default member values are the reset values.
#pragma once

#include "app/version.h"
#include "character/disciplines.h"
#include "character/item_catalogue.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

// One round of a logged fight, as the journal shows it.
struct BattleLogRound {
    std::string enemyName;
    int enemyCs = 0;
    int enemyEp = 0;
    int heroCs = 0;
    int heroEp = 0;
    int randomNumber = -1; // -1 for the opening entry and a switch of enemy
    int extra = 0;         // always written 0
    int weaponId = -2;     // item ID of the weapon in use, -2 when none
};

// One fight of the battle log.
struct BattleLogEntry {
    int book = 0;
    std::string title;
    int section = 0;
    std::vector<BattleLogRound> rounds;
};

// Offsets of each tier's flags in Character::hasDiscipline (10 + 10 + 12).
constexpr int DISCIPLINE_FLAG_OFFSET[TIER_COUNT] = {0, 10, 20};
constexpr int DISCIPLINE_FLAG_COUNT = 32;

constexpr int LORE_CIRCLE_FIRE = 0;
constexpr int LORE_CIRCLE_SOLARIS = 1;
constexpr int LORE_CIRCLE_LIGHT = 2;
constexpr int LORE_CIRCLE_SPIRIT = 3;

constexpr int HC_LEFT_RESET = 10;

struct Character {
    // Disciplines.
    int disciplinesToChoose = 0;
    int weaponmasteryToChoose = 0;
    int grandWeaponmasteryToChoose = 0;
    std::array<bool, DISCIPLINE_FLAG_COUNT> hasDiscipline{};  // by tier offset + id
    std::array<std::vector<int>, TIER_COUNT> disciplineOrder; // ids in the order learnt
    std::array<bool, WEAPON_TYPE_COUNT> weaponskillIn{};
    std::array<bool, WEAPON_TYPE_COUNT> weaponmasteryIn{};
    std::array<bool, WEAPON_TYPE_COUNT> grandWeaponmasteryIn{};
    std::array<bool, 4> loreCircles{}; // Fire, Solaris, Light, The Spirit

    // Possessions.
    bool haveBackpack = true;
    std::vector<Item> backpackItems;
    bool haveBeltPouch = true;
    int goldCrowns = 0;
    int lune = 0;
    int kika = 0;
    std::vector<Item> specialItems;
    std::vector<Item> weapons;
    std::vector<Item> storageItems;
    int storageCrowns = 0;
    int storageLune = 0;
    int storageKika = 0;
    std::vector<Item> lostItems;
    int lostCrowns = 0;
    int lostLune = 0;
    int lostKika = 0;
    bool lostBackpack = false;
    bool lostBeltPouch = false;

    // Statistics and counters.
    int csBase = 0;
    int epMax = 0;
    int epCur = 0;
    int hcLeft = HC_LEFT_RESET;
    int archeryRealEp = 0;
    int archeryDamage = 0;
    int csInitial = 0;
    int epInitial = 0;
    int damageFromCombat = 0;
    int damageFromStarvation = 0;
    int mealsEaten = 0;
    int backpackDiscards = 0;
    int specialItemDiscards = 0;
    int weaponDiscards = 0;
    int vaelBooksCompleted = 0;
    int dravicBooksCompleted = 0;
    int grandMasterBooksCompleted = 0;

    // Progress and flags.
    int onBook = 1;
    Tier onBookSeries = TIER_VAEL;
    int onSection = 1;
    int restarts = 0;
    std::string version = VERSION_STRING;
    bool tsFlag = false;
    bool warmarn = true;
    std::vector<int> disease;
    bool completedOpeningSection = false;
    std::vector<std::pair<int, int>> travelLog; // (book, section)
    std::vector<BattleLogEntry> battleLog;
    std::vector<std::string> notes;
    bool usedMegaCuring = false;
    bool usedMegaDeliverance = false;
    bool useOnlyMindblast = false;
    bool usedAdgana = false;
    bool usedAdganaThisBook = false;
    bool hasSunbladeAfterBook3 = false;
    bool reclaiming = false;
    bool gmRerollStats = false;
    bool usingVaelBlast = false;
    bool usingVaelRay = false;
    bool usedVaelRay = false;
    bool emptyPouchStartBook12 = false;
};

void resetCharacter(Character& c);

bool hasDiscipline(const Character& c, Tier tier, int id);
// Learning adds the id to the tier's order; forgetting removes it (it may be
// chosen again). Both ignore bad tiers and ids.
void learnDiscipline(Character& c, Tier tier, int id);
void forgetDiscipline(Character& c, Tier tier, int id);
int knownCount(const Character& c, Tier tier);
int booksCompleted(const Character& c, Tier tier);

// Rank level of a tier as shown; a tier later than the current one is shown
// as the current one, and an earlier, unfinished series counts one lower.
int rankLevel(const Character& c, Tier tier);
std::string rankTitle(const Character& c, Tier tier);

// The bonus text shown after a Discipline's name, rank-dependent in tiers 1 and 2.
std::string bonusTextFor(const Character& c, Tier tier, int id);
// The "Improvements to this Discipline:" block (tiers 1 and 2; empty otherwise).
std::string improvementText(const DisciplineTexts& texts, const Character& c, Tier tier, int id);
// Breaks a paragraph with "`" at the first space once 60 characters have gone
// by since the last break.
std::string wrapImprovement(const std::string& paragraph);

// For a campaign file that lacks the initial scores.
void rebuildInitialStats(Character& c);
// A new campaign beginning in `tier`: the Disciplines to choose before play.
void startCampaignInTier(Character& c, Tier tier);
bool travelLogContains(const Character& c, int book, int section);
// The highest map number (uses) among carried items named exactly "Map"; -1 when none.
int highestMapNumber(const Character& c);
