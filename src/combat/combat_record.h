// The combat of a section as data: its enemies with their COMBAT SKILL and
// ENDURANCE, its rule variant and modifiers, and the progress of a combat
// under way. The same block is written into section scripts (where it defines
// the combat) and into saves (where it carries a combat that was interrupted).
#pragma once

#include "script/condition.h"

#include <memory>
#include <string>
#include <vector>

struct DataFile;
struct SDL_Surface;

// A loss of this many ENDURANCE POINTS means killed outright.
constexpr int KILL_VALUE = 999;

struct EnemyRecord {
    int cs = 0;
    int ep = 0; // current ENDURANCE; lowered during the combat
    bool immuneToMindblast = false;
    bool immuneToPsiSurge = false;
    bool immuneToVaelSurge = false;
    bool susceptibleToMindblast = false;
    bool susceptibleToPsiSurge = false;
    bool susceptibleToVaelSurge = false;
    int epButtonId = 0; // the section button that shows this enemy's EP
    std::string name = "Enemy";
    std::string descriptor; // comma-and-space separated list ("Undead, Helghast")
};

struct CombatModifier {
    std::string name = "Modifier";
    int value = 0;
    std::string equation = "+"; // "+", "-", "x", "/+", "/-"
    int affectWhat = 1;         // 1 COMBAT SKILL; other: the round's loss (2 also a permanent loss)
    bool affectEnemy = false;
    int beginOnRound = 1;
    int lengthOfEffect = 0; // rounds; 0 lasts for the rest of the combat
    std::vector<Condition> conditions;
    int exclWeaponId = 0;
    int fromEqWeap = -1; // the equipped weapon that brought the modifier; -1 none

    // Run-time only, never stored.
    bool active = false;
    bool applied = false;
    bool undo = false;
    bool undone = false;
    // Drawn by the combat screen; copies share it.
    std::shared_ptr<SDL_Surface> namePlate;
};

struct CombatRecord {
    std::string title = "Title";
    int specialType = 0;
    int unarmed = 0; // the hero fights unarmed when set
    bool potionsAllowed = true;
    std::vector<EnemyRecord> enemies; // fought in order
    int currentEnemy = 0;
    int roundsFinished = 0;
    bool started = false;
    bool won = false;
    int enemyEpLost = 0; // total over all enemies
    int heroEpLost = 0;  // total
    int heroLoss = 0;    // last round
    int enemyLoss = 0;   // last round
    bool usedCsBooster = false;
    bool usedAdgana = false;
    std::vector<CombatModifier> modifiers;

    // Run-time only (the combat engine's), reset with the record.
    int phase = 0;
    int step = 0;
    int elapsedMs = 0;
    int heroCombatSkill = 0;
    int enemyCombatSkill = 0;
    bool evading = false;
    bool finished = false;
    int combatRatio = 0;
    int randomNumber = 0;

    void reset() { *this = CombatRecord(); }
};

// Resets the record to its defaults, then reads keys until "END" (the
// opening "COMBAT" is skipped like any other token that is not a key).
// Each reader returns false when the file ended before its "END".
bool readCombat(DataFile& file, CombatRecord& combat, const ConditionTypes& types);
// `level` is the nesting counter; the block itself does not raise it.
bool writeCombat(int level, DataFile& file, const CombatRecord& combat);
bool readEnemy(DataFile& file, EnemyRecord& enemy);
bool writeEnemy(int level, DataFile& file, const EnemyRecord& enemy);
bool readModifier(DataFile& file, CombatModifier& modifier, const ConditionTypes& types);
// The two weapon keys are written only once the combat has started.
bool writeModifier(int level, DataFile& file, const CombatModifier& modifier,
                   bool combatStarted);
