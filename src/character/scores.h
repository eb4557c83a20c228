// The hero's effective COMBAT SKILL and ENDURANCE maximum: the base scores of
// the Character plus the bonuses of tier, Disciplines, rank, books completed,
// items and house rules. One computation gives both the number and the lines
// that explain it, so the Action Chart tooltip and the combat screen's
// modifier table can never disagree with the arithmetic.
// Also here: the starting scores, lowering them before play, emergency
// healing and the healing granted per section.
#pragma once

#include <string>
#include <vector>

struct Character;
struct RuleOptions;

// One bonus of a breakdown. `label` carries no leading blank ("Mindblast").
// A line with `fixed` set replaces the score instead of adding to it and is
// shown by its label alone ("Combat Skill = 15").
struct ScoreLine {
    int amount = 0;
    std::string label;
    bool fixed = false;
};

// "+2 Mindblast`", "-4 Kalte Bone Bow`", "Combat Skill = 15`".
std::string scoreLineText(const ScoreLine& line);
// The lines one after another in their tooltip form.
std::string scoreLinesText(const std::vector<ScoreLine>& lines);
// The combat table form: the sign text ("+" or "-") and the unsigned value.
std::string scoreLineSign(const ScoreLine& line);
int scoreLineValue(const ScoreLine& line);

// What the COMBAT SKILL rules need to know of the fight at hand. The combat
// engine fills it from the current combat record; the Action Chart passes
// none, and then no enemy-specific bonus or immunity applies.
struct FightContext {
    int specialType = 0; // the combat's SPECIAL: kind
    bool unarmed = false;
    bool immuneMindblast = false;
    bool immunePsiSurge = false;
    bool immuneVaelSurge = false;
    std::string enemyDescriptor; // "Undead, Helghast": kinds that item bonuses name
    int enemyNumber = 0;         // 1-based position of the current enemy
    int potionCsBoost = 0;       // CS_BOOST of a potion taken for this fight
    std::string potionName = "Potion";
};

// Special kinds of combat that change COMBAT SKILL.
constexpr int SPECIAL_FIXED_CS_15 = 7;
constexpr int SPECIAL_COUNT_DRAVIC_DISCIPLINES = 10;
constexpr int SPECIAL_WEAKER_VAEL_SURGE = 17;
constexpr int SPECIAL_DOUBLE_VAEL_SURGE = 18;

constexpr int DISEASE_LIMBDEATH = 3;

// The book-6 archery contest, fought as a combat with rules of its own.
constexpr int ARCHERY_BOOK = 6;
constexpr int ARCHERY_SECTION = 26;
bool inArcheryContest(const Character& c);

struct CombatSkillResult {
    int bonus = 0; // add to csBase for the effective COMBAT SKILL
    std::vector<ScoreLine> lines;
    int psychicEpCost = 0;          // ENDURANCE the psychic attack in use costs per round
    int psychicEpThreshold = 0;     // the attack is not used at or below this ENDURANCE
    bool psychicFromRealEp = false; // the archery contest pays from its "Real EP"
};

// COMBAT SKILL bonuses, in the order the rules list them. `fight` null means
// outside combat (the Action Chart). `withText`, when given, receives the
// breakdown in tooltip form.
CombatSkillResult combatSkill(const Character& c, const RuleOptions& rules,
                              const FightContext* fight, std::string* withText = nullptr);
// Fighting without a weapon: -4, less in the second tier by rank, +3 for a
// third-tier hero of six books or more (0 otherwise there).
int unarmedModifier(const Character& c);
// What Weaponskill (first tier), Weaponmastery or Grand Weaponmastery adds
// with a weapon of its class: 2; 3, or 4 from rank level 8; 5.
int weaponDisciplineBonus(const Character& c);
// csBase plus every bonus.
int effectiveCombatSkill(const Character& c, const RuleOptions& rules, const FightContext* fight);

// ENDURANCE maximum bonuses. These are already part of the stored epMax (the
// rules add them when an item, a circle or a book brings them); the breakdown
// explains the maximum shown on the Action Chart.
struct EnduranceResult {
    int bonus = 0;
    std::vector<ScoreLine> lines;
    int armorToCs = 0; // EP bonus of armour moved to COMBAT SKILL under ARMOR_RULES 1 and 2
};
EnduranceResult enduranceMaximum(const Character& c, const RuleOptions& rules,
                                 std::string* withText = nullptr);

// The Special Items' EP bonus that stays on ENDURANCE, and the part that goes to
// COMBAT SKILL, for one item under the armour rule.
int itemEpShare(int epBonus, int armorRules);
int itemCsShare(int epBonus, int armorRules);

// ---- Starting scores -------------------------------------------------------

// INITIAL_STATS: values.
constexpr int INITIAL_ROLL = 0;
constexpr int INITIAL_DISTRIBUTE = 1;
constexpr int INITIAL_FIXED_HARDCORE = 2;
constexpr int INITIAL_FIXED_MAXIMUM = 3;
constexpr int DISTRIBUTE_POINTS = 10;
constexpr int DISTRIBUTE_MAX_PER_SCORE = 7;

struct StartingScores {
    int cs = 0;
    int ep = 0;
};
// The bases the methods start from: 10/20 in the first tier, 25/30 when a
// third-tier hero re-rolls.
StartingScores startingBase(bool thirdTierReroll);
// Does the method need picks from the Random Number Table (method 0), or the
// player's share of the ten points (method 1)?
bool initialStatsNeedPicks(int method);
bool initialStatsNeedDistribution(int method);
// The scores of a method. csPick and epPick (0-9) are read by method 0;
// csPoints (the points put on COMBAT SKILL, the rest go to ENDURANCE, at most 7
// on either) by method 1.
StartingScores initialStats(int method, bool thirdTierReroll, int csPick, int epPick, int csPoints);
// Writes the scores as base, maximum, current and initial values.
void setInitialStats(Character& c, const StartingScores& scores);

// ---- Lowering a base score before the adventure ----------------------------

constexpr int LOWER_CS = 0;
constexpr int LOWER_EP = 1;
constexpr int LOWEST_INITIAL_CS = 5;
constexpr int LOWEST_INITIAL_EP = 15;
extern const char* const LOWER_CS_PROMPT; // "Enter new COMBAT SKILL score"
extern const char* const LOWER_EP_PROMPT; // "Enter new ENDURANCE POINTS score"
extern const char* const
    LOWER_CS_TOOLTIP; // "(You cannot pick an initial score below 5 COMBAT SKILL.)"
extern const char* const LOWER_EP_TOOLTIP;
// The prompt for a kind, empty for an unknown kind.
std::string lowerBaseScorePrompt(int kind);
// May the player still lower this score? Not once the adventure has begun,
// and ENDURANCE not after picking up any item that changes it.
bool canLowerBaseScore(const Character& c, int kind);
// The range the prompt accepts: [lowest, current].
int lowerBaseScoreMinimum(int kind);
int lowerBaseScoreMaximum(const Character& c, int kind);
// Lowers the score to `value` (kept inside the range); false when not allowed
// or nothing changed. The initial value follows, so the score cannot be raised again.
bool lowerBaseScore(Character& c, int kind, int value);

// ---- Emergency healing (once per book) --------------------------------------

constexpr int EMERGENCY_HEAL_AMOUNT = 20;
// 1 for the second tier's Curing form, 2 for the third tier's Deliverance form,
// 0 when the hero has neither.
int emergencyHealingKind(const Character& c);
// Held and not yet used in this book, and ENDURANCE low enough.
bool canUseEmergencyHealing(const Character& c);
// The button's tooltip, with the note once used.
std::string emergencyHealingTooltip(const Character& c);
// Restores 20 EP (not above the maximum) and marks the ability used. False when
// it may not be used now.
bool useEmergencyHealing(Character& c);

// ---- Healing per section ----------------------------------------------------

struct SectionHealingContext {
    bool hadCombat = false;  // the section just left held a fight
    bool noAutoHeal = false; // the section's NO_AUTO_HEAL: flag
    bool combatSituation =
        false; // a fight is pending or the hero was hurt here (INTELLIGENT_AUTOHEAL)
};
// EP the Disciplines would restore on leaving a section: 1 for the current
// tier's healing Discipline, earlier tiers' ones adding up to 2 with
// HEAL_STACKING, plus 1 from Deliverance under the Prodigy rules, and never
// more than the damage the HEALING_RULES let them heal.
int sectionHealingAmount(const Character& c, const RuleOptions& rules,
                         const SectionHealingContext& ctx);
// Applies it: current ENDURANCE rises and the damage counters fall (combat
// damage first, then other damage, then starvation). Returns the EP restored.
int sectionHealing(Character& c, const RuleOptions& rules, const SectionHealingContext& ctx);
// The note the healing Discipline's tooltip ends with under the Prodigy rules.
extern const char* const PRODIGY_DELIVERANCE_NOTE;
