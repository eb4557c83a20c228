// A small pair of type registries for the fuzz targets: a few types that the
// inputs can name, so both the known and the unknown paths are taken.
#pragma once

#include "script/condition.h"
#include "script/effect.h"

inline ConditionTypes fuzzConditionTypes() {
    ConditionTypes types;
    for (int id : {1, 5, 9, 19}) {
        ConditionType t;
        t.typeId = id;
        t.name = "Type " + std::to_string(id);
        types.push_back(t);
    }
    return types;
}

inline EffectTypes fuzzEffectTypes() {
    EffectTypes types;
    for (int id : {1, 3, 21, 22}) {
        EffectType t;
        t.typeId = id;
        t.name = "Type " + std::to_string(id);
        types.push_back(t);
    }
    return types;
}
