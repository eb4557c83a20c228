// The arithmetic of one combat round, without a window: the hero's COMBAT
// SKILL for the combat, the modifiers that act this round (applied, taken
// back or skipped), the ratio, the table's losses, the damage modifiers, the
// losses applied and the outcome. The combat screen animates these steps one
// by one; the text player and the tests run them in a row with fightRound.
// All progress lives in the CombatRecord, so a combat can be saved between
// rounds.
#pragma once

#include "combat/combat_record.h"
#include "combat/crt.h"

#include <functional>
#include <string>
#include <vector>

struct Character;
struct RuleOptions;
struct RandomSource;
struct RandomNumberTable;
struct SectionButton;
struct FightContext;
struct GameState;

// What a round reaches beyond its record. The rules' condition evaluation is
// handed in, so modifier conditions see the same game as the buttons do.
struct CombatEnv {
    Character& hero;
    const RuleOptions& rules;
    RandomSource& random;
    std::vector<SectionButton>* buttons = nullptr;                     // the current page's buttons
    std::function<bool(const std::vector<Condition>&)> conditionsHold; // null: they hold
};

// The env of the game's current section: its hero, rules, random source and
// buttons, with the rules' condition evaluation handed in.
CombatEnv combatEnv(GameState& g,
                    std::function<bool(const std::vector<Condition>&)> conditionsHold);

// Special kinds the engine acts on.
constexpr int SPECIAL_KILL_ON_NINE = 2;      // a hurt hero picks again: 9 kills him, else no loss
constexpr int SPECIAL_EVADE_UNHURT = 3;      // evasion only while unhurt in this combat
constexpr int SPECIAL_JAKAN_BACKFIRE = 4;    // a 0 with the Cracked Jakan kills the hero
constexpr int SPECIAL_ONE_WEAPON = 5;        // modifiers of one wielded weapon only
constexpr int SPECIAL_STAFF_EVERY_OTHER = 8; // staff blast on odd rounds
constexpr int SPECIAL_STAFF_FROM_FOURTH = 9; // staff blast from round 4
constexpr int SPECIAL_UNARMED_UNLESS = 11;   // unarmed unless the hero has the Discipline below
constexpr int SPECIAL_PERMANENT_LOSS = 15;   // losses against buttons 10 and 20
constexpr int STAFF_BLAST_BUTTON = 99;
// The Discipline role that lets a hero keep his weapon under special kind 11:
// the hand-to-hand training of Weaponskill and its successors.
constexpr int SPECIAL_11_DISCIPLINE = 5;

// What an acting modifier does now.
struct ModifierAction {
    int index = 0;
    bool takeBack = false;
};

// The five operations.
int applyToSkill(const std::string& equation, int value, int cs);
int takeBackFromSkill(const std::string& equation, int value, int cs);
int applyToLoss(const std::string& equation, int value, int loss);
// The plate text: "+2", "-3", "x1.5", "x2", "/+2".
std::string operationText(const std::string& equation, int value);

// The fight as the COMBAT SKILL rules see it.
FightContext fightContext(const CombatRecord& combat);

// Round start: false (nothing happens) when the hero has no ENDURANCE left or
// the combat is over. Sets the hero's and the enemy's COMBAT SKILL for the
// combat on its first round and opens the combat log entry.
bool beginRound(CombatRecord& combat, CombatEnv& env, bool evade);
// The COMBAT SKILL modifiers (AFFECT_WHAT 1) or the damage modifiers (the
// others) that act this round, by the applicability rule. Marks their run-time flags.
std::vector<ModifierAction> modifierWalk(CombatRecord& combat, CombatEnv& env, bool damage);
// Performs one COMBAT SKILL modifier on the hero's or the enemy's value.
void performSkillModifier(CombatRecord& combat, const ModifierAction& action);
// The ratio of the round, stored in the record.
int computeRatio(CombatRecord& combat);
// Stores the round's number; the archery contest's bow bonus raises it.
// Returns true when the "(+3)" bonus applied.
bool setRoundNumber(CombatRecord& combat, CombatEnv& env, int number);
// One unguided pick from the grid.
int drawTableNumber(const RandomNumberTable& table, RandomSource& random);
// The table's losses for the round's ratio and number, then evasion and the
// special kinds 4 and 15. Kind 2 needs a second pick: see needsSecondPick.
void tableLosses(CombatRecord& combat, CombatEnv& env, const CombatTable& table);
bool needsSecondPick(const CombatRecord& combat);
void applySecondPick(CombatRecord& combat, int number);
// True when kind 15 makes this round's loss permanent (the panels say so).
bool permanentLoss(const CombatRecord& combat, CombatEnv& env);
// Performs one damage modifier on the round's losses.
void performDamageModifier(CombatRecord& combat, CombatEnv& env, const ModifierAction& action);

// The end of the round.
struct RoundOutcome {
    bool won = false;
    bool defeated = false;
    bool enemyChanged = false;
    bool pressAgain = false;  // an evasion ended the combat: press the round's button again
    bool adganaCheck = false; // a won combat in which Adgana was used
    int heroLoss = 0;         // as applied
    int enemyLoss = 0;
    std::vector<std::string> messages; // for the tooltip of the button that started the round
};
RoundOutcome finishRound(CombatRecord& combat, CombatEnv& env);

// The addiction check after a won combat with Adgana: true when it struck.
bool adganaCheck(Character& hero, int number);

// Staff blast (kinds 8 and 9): does this round pick? Then its result.
bool staffBlastPicks(const CombatRecord& combat);
void applyStaffBlast(CombatRecord& combat, CombatEnv& env, int number); // number -1: no pick
// Psychic blast: two picks, a 0 counting 1.
void applyPsychicBlast(CombatRecord& combat, int first, int second);

// The combat log of the current book.
void logCombatRound(CombatRecord& combat, Character& hero, const RuleOptions& rules,
                    bool firstRound, bool enemyChanged, int randomNumber);

// A whole round in a row, picks drawn from the grid: what the text player
// plays and the tests step through. `lines` receives the round as printed.
RoundOutcome fightRound(CombatRecord& combat, CombatEnv& env, const CombatTable& table,
                        const RandomNumberTable& grid, bool evade,
                        std::vector<std::string>* lines = nullptr);

// Printable lines of a round, shared by both front ends.
std::string skillLine(const std::string& who, int cs);
std::string modifierLine(const CombatModifier& m, bool takeBack);
std::string lossLine(const std::string& who, int loss, int ep);
