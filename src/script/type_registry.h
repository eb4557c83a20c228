// The two definition files: every condition type and every effect type with
// its name, parameter labels and help texts. Loaded once at start-up; saved
// only by the script editor.
#pragma once

#include "script/condition.h"
#include "script/effect.h"

#include <string>

struct DataFile;

inline const char* const CONDITION_TYPES_FILE = "/data/misc/cond_dat.dat";
inline const char* const EFFECT_TYPES_FILE = "/data/misc/eff_dat.dat";

// Clear the registry, then append every block of the file. False (with its
// message) when the file cannot be opened.
bool loadConditionTypes(const std::string& path, ConditionTypes& types);
bool loadEffectTypes(const std::string& path, EffectTypes& types);
// Write every entry in order; an empty registry deletes the file instead.
// False (with its message) when the file cannot be opened for writing.
bool saveConditionTypes(const std::string& path, const ConditionTypes& types);
bool saveEffectTypes(const std::string& path, const EffectTypes& types);

// The same on an open file, block after block to the end of the file.
void readConditionTypes(DataFile& file, ConditionTypes& types);
void readEffectTypes(DataFile& file, EffectTypes& types);
bool writeConditionTypes(DataFile& file, const ConditionTypes& types);
bool writeEffectTypes(DataFile& file, const EffectTypes& types);
