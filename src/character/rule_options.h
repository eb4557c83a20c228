// The campaign's house rules: chosen before a campaign begins, saved inside
// every campaign, resume and section-1 file, and as the defaults of the next
// campaign at the end of "settings.txt".
#pragma once

#include <vector>

struct DataFile;

struct RuleOptions {
    int weaponRules = 0;       // 0 book, 1 hardcore, 2 enemy-specific; picks the item CS block
    int armorRules = 0;        // 0 book, 1 EP becomes CS, 2 half; picks the item EP block
    int armorRemoval = 1;      // 1 taking armour off lowers only the maximum
    int healWithMeal = 0;      // an extra Meal heals up to 3 starvation damage
    int healStacking = 0;      // healing Disciplines of earlier tiers add up (max +2)
    int healingRules = 0;      // 0 combat damage, 1 all but starvation, 2 all
    int intelligentDamage = 1; // combat-like / starvation-like text damage is classified
    int intelligentAutoheal = 1;
    int initialStats = 0;       // 0 roll, 1 distribute 10, 2 fixed hardcore, 3 fixed maximum
    int limitedDisciplines = 0; // at most 5 Disciplines per tier
    int loreCirclesHc = 0;      // flat Lore-circle bonus per second-tier book
    int dualWield = 0;
    int limitSi = 0; // 0 by the book, 1 always 12, 2 no limit
    int extendedCrt = 0;
    int extraStorage = 0;
    int wsStacking = 0;
    int shieldOnArm = 1; // 1 a shield takes no hand
    // The book-6 archery contest.
    bool allowMindblast = true;
    bool allowPsiSurge = true;
    bool doublePsychicBonuses = false;
    bool allowAlether = true;
    bool allowSilverHelmet = true;
    bool allowSunblade = false;
    bool allowShield = false;
    bool wmBowCsBoost = true;
    bool wmBowRnBoost = false;
    bool wmBowDamageBoost = false;
    bool allowMidSaves = false;  // disqualifies from the halls of fame
    bool allowGuidedRtn = false; // arrow keys narrow the Random Number Table pick
    // Entering the third tier.
    int gmStatsTransfer = 1;  // 0 keep, 1 player chooses, 2 maximum base scores
    int gmItemImport = 0;     // 0 strict, 1 relaxed
    int gmExtraDiscBonus = 0; // +1 CS/+2 EP per initial third-tier Discipline

    bool operator==(const RuleOptions& o) const;
    bool operator!=(const RuleOptions& o) const { return !(*this == o); }
};

// One option as the file and the rules screen know it.
struct RuleOptionInfo {
    const char* key;   // "WEAPON_RULES:"
    const char* label; // screen label; options of one group share it
    int maxValue;      // values run 0..maxValue
    int RuleOptions::*intField;
    bool RuleOptions::*boolField;
};

// Every option, in the order of the written block.
const std::vector<RuleOptionInfo>& ruleOptionInfos();
int ruleValue(const RuleOptions& rules, const RuleOptionInfo& info);
// Stores `value` clamped to the option's range (booleans: non-zero is true).
void setRuleValue(RuleOptions& rules, const RuleOptionInfo& info, int value);
// Options whose label begins with "*" may change after the campaign began.
bool changeableInCampaign(const RuleOptionInfo& info);

// The block: one "KEY: value" line per option, "GM_RULES_NEW", "BTB_RULES_NEW",
// "END". `nesting` is the writer's nesting counter (raised for the block).
bool writeRules(const RuleOptions& rules, DataFile& file, int& nesting);
// Reads a block (keys in any order) until "END", starting from the defaults,
// and upgrades blocks of older versions. False when the file ended before "END".
bool readRules(DataFile& file, RuleOptions& rules);

void applyByTheBook(RuleOptions& rules);
void applyHardcore(RuleOptions& rules);
void applyProdigy(RuleOptions& rules);
// True when every option of the preset matches. `ignoreThirdTier` leaves out
// the three "GM_" options (and, for By-The-Book, SHIELD_ON_ARM).
bool isByTheBook(const RuleOptions& rules, bool ignoreThirdTier);
bool isHardcore(const RuleOptions& rules, bool ignoreThirdTier);
bool isProdigy(const RuleOptions& rules, bool ignoreThirdTier);
