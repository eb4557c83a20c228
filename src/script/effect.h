// Effects: the actions a section button performs when pressed (or by itself,
// for "AUTOEXECUTE"). Each names an effect type by number; the types are data
// (the effect definition file), kept in a registry.
#pragma once

#include "script/condition.h"

#include <string>
#include <vector>

struct DataFile;

// One entry of the effect type registry.
struct EffectType {
    int typeId = 0;
    std::string name = "Default Effect Name";
    std::string idToAffectName = "ID to Affect";
    std::string valueName = "Value";
    std::string value2Name = "Value 2";
    std::string strName = "String";
    std::string mainTip = "Type an adequate description of what this effect does";
    std::string idToAffectTip = "ID of the button to affect";
    std::string valueTip = "The value to apply to the button";
    std::string value2Tip = "Another value field, for more complex effects";
    std::string strTip = "String for changing button text, tooltips, or other strings";
    // Not stored. False when a record named a type ID the registry lacks: the
    // number is kept for writing back, and pressing the button skips the effect.
    bool known = true;
};

using EffectTypes = std::vector<EffectType>;

// One action; it is performed only when its own conditions hold.
struct Effect {
    EffectType type; // a copy of the registry entry
    int idToAffect = 0;
    int value = 0;
    int value2 = 0;
    std::string str;
    std::vector<Condition> conditions;
};

const EffectType* findEffectType(const EffectTypes& types, int typeId);

// One effect record with its conditions; the effect is reset first. Unknown
// type IDs are reported and kept as for conditions.
bool readEffect(DataFile& file, Effect& effect, const EffectTypes& types,
                const ConditionTypes& conditionTypes);
bool writeEffect(int level, DataFile& file, const Effect& effect);
bool readEffectList(DataFile& file, int count, std::vector<Effect>& out, const EffectTypes& types,
                    const ConditionTypes& conditionTypes);
bool writeEffectList(int level, DataFile& file, const std::vector<Effect>& list);

// Builds an effect from the last registry entry with `typeId` and appends it;
// used by screens that give their own buttons effects. False (with its
// message) when the registry has no such type.
bool addEffectOfType(std::vector<Effect>& list, const EffectTypes& types, int typeId,
                     int idToAffect, int value, int value2 = 0, const std::string& str = "");
