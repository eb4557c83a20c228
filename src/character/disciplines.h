// The three Discipline tiers, the ten weapon classes and the rank titles.
// The tables are compiled in and read-only; their lore texts (descriptions and
// improvement paragraphs) are book data, loaded once from
// "/data/misc/disciplines.txt" into a DisciplineTexts record.
#pragma once

#include <string>
#include <vector>

// 0 = Vael (books 1-5), 1 = Dravic (books 6-12), 2 = Grand Master (books 13-20).
using Tier = int;
constexpr Tier TIER_VAEL = 0;
constexpr Tier TIER_DRAVIC = 1;
constexpr Tier TIER_GRAND_MASTER = 2;
constexpr int TIER_COUNT = 3;

// Weapon classes, in the order the item catalogue's first ten entries follow.
using WeaponType = int;
constexpr WeaponType WEAPON_DAGGER = 0;
constexpr WeaponType WEAPON_SPEAR = 1;
constexpr WeaponType WEAPON_MACE = 2;
constexpr WeaponType WEAPON_SHORT_SWORD = 3;
constexpr WeaponType WEAPON_WARHAMMER = 4;
constexpr WeaponType WEAPON_BOW = 5;
constexpr WeaponType WEAPON_AXE = 6;
constexpr WeaponType WEAPON_SWORD = 7;
constexpr WeaponType WEAPON_QUARTERSTAFF = 8;
constexpr WeaponType WEAPON_BROADSWORD = 9;
constexpr int WEAPON_TYPE_COUNT = 10;

// "Dagger" ... "Broadsword"; empty for a value outside 0-9.
std::string weaponName(WeaponType type);
// "DAGGER" ... "BROADSWORD", the form used in item texts.
std::string weaponNameUpper(WeaponType type);

// Discipline role ids: the same role has the same id in every tier. Named after
// the first tier's Disciplines; the third tier adds 10 and 11.
constexpr int DISC_CAMOUFLAGE = 0;
constexpr int DISC_HUNTING = 1;
constexpr int DISC_SIXTH_SENSE = 2;
constexpr int DISC_TRACKING = 3;
constexpr int DISC_HEALING = 4;
constexpr int DISC_WEAPONSKILL = 5;
constexpr int DISC_MINDSHIELD = 6;
constexpr int DISC_MINDBLAST = 7;
constexpr int DISC_ANIMAL_KINSHIP = 8;
constexpr int DISC_MIND_OVER_MATTER = 9;
constexpr int DISC_MAGI_MAGIC = 10;
constexpr int DISC_VAEL_ALCHEMY = 11;
constexpr int MAX_DISCIPLINES_PER_TIER = 12;
// The third-tier Discipline that lets a hero with more than one third-tier book
// completed wield a two-handed weapon in one hand (Grand Weaponmastery).
constexpr int DISC_ONE_HAND_MASTERY = DISC_WEAPONSKILL;

// Disciplines per tier: 10, 10, 12 (0 for a bad tier).
int disciplineCount(Tier tier);

struct DisciplineInfo {
    int id = 0;
    std::string name;
    std::string bonusText;   // stored reminder, e.g. ": +2 CS with this weapon"
    std::string description; // lore paragraph; "`" breaks lines
    // Improvement paragraphs (tiers 1 and 2), unlocked in order by rank level.
    std::vector<std::string> improvements;
};

// The lore texts of every Discipline, by tier and id.
struct DisciplineTexts {
    std::string description[TIER_COUNT][MAX_DISCIPLINES_PER_TIER];
    std::vector<std::string> improvements[TIER_COUNT][MAX_DISCIPLINES_PER_TIER];
};

struct DisciplineTable {
    std::vector<DisciplineInfo> entries;  // in the books' presentation order
    int slotOf[MAX_DISCIPLINES_PER_TIER]; // id -> index into entries
    const char* errorLine;                // printed for an id outside the table
};

// The table of a tier (a bad tier gives the first tier's table).
const DisciplineTable& disciplineTable(Tier tier);
// Copy of one entry (name and bonus text; the lore texts empty); for a bad id
// the table's error line goes to the error stream and an empty entry (id 0,
// empty strings) comes back.
DisciplineInfo disciplineInfo(Tier tier, int id);
// The same with its description and improvement paragraphs.
DisciplineInfo disciplineInfo(const DisciplineTexts& texts, Tier tier, int id);

// Reads the lore texts. Missing file or entries leave the texts empty and play
// goes on. Returns false when the file could not be opened.
bool loadDisciplineTexts(DisciplineTexts& texts,
                         const std::string& path = "/data/misc/disciplines.txt");

// Rank levels at or above which the improvement paragraphs of a Discipline
// show (empty for tier 0 and bad ids).
std::vector<int> improvementThresholds(Tier tier, int id);

// Base of the rank level of a tier: 5, 3, 4. Also the number of Disciplines a
// new campaign starting in that tier chooses before play.
int rankBase(Tier tier);
int startingDisciplineCount(Tier tier);

// Rank title lists: 11, 11 and 13 entries.
const std::vector<std::string>& rankTitles(Tier tier, bool warmarn);
// "VAEL RANK", "DRAVIC RANK", "GRAND MASTER RANK".
std::string rankHeading(Tier tier);
