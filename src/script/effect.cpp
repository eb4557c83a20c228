#include "script/effect.h"

#include "fs/data_file.h"
#include "script/script_io.h"

#include <cstdio>

using namespace scriptio;

const EffectType* findEffectType(const EffectTypes& types, int typeId) {
    for (const EffectType& t : types)
        if (t.typeId == typeId) return &t;
    return nullptr;
}

namespace {

EffectType typeFor(const EffectTypes& types, int typeId, const DataFile& file) {
    if (const EffectType* t = findEffectType(types, typeId)) return *t;
    std::printf("Effect type %d is not in the effect definitions (reading %s); the effect "
                "will do nothing.\n",
                typeId, file.path.c_str());
    EffectType unknown;
    unknown.typeId = typeId;
    unknown.name = "Unknown effect type";
    unknown.known = false;
    return unknown;
}

} // namespace

bool readEffect(DataFile& file, Effect& effect, const EffectTypes& types,
                const ConditionTypes& conditionTypes) {
    effect = Effect();
    std::string token;
    while (readValue(file, token)) {
        if (token == "END") return true;
        if (token == "TYPE:") {
            const int id = readInt(file);
            skipRestOfLine(file); // the type's name, for the reader's eyes
            effect.type = typeFor(types, id, file);
        } else if (token == "ID_TO_AFFECT:") {
            effect.idToAffect = readInt(file);
        } else if (token == "VALUE:") {
            effect.value = readInt(file);
        } else if (token == "VALUE2:") {
            effect.value2 = readInt(file);
        } else if (token == "STR:") {
            effect.str = emptyIfBlank(lineValue(file));
        } else if (token == "CONDITIONS:") {
            if (!readConditionList(file, readInt(file), effect.conditions, conditionTypes))
                return false;
        }
    }
    return false;
}

bool writeEffect(int level, DataFile& file, const Effect& effect) {
    const int inner = level + 1;
    std::string text = "TYPE: " + std::to_string(effect.type.typeId);
    if (!effect.type.name.empty()) text += " " + effect.type.name;
    text += '\n';
    keyLine(text, "ID_TO_AFFECT: ", effect.idToAffect);
    keyLine(text, "VALUE: ", effect.value);
    keyLine(text, "VALUE2: ", effect.value2);
    keyLine(text, "STR: ", blankIfEmpty(effect.str));
    keyLine(text, "CONDITIONS: ", static_cast<int>(effect.conditions.size()));
    bool ok = writeText(inner, file, text);
    ok = writeConditionList(inner, file, effect.conditions) && ok;
    return writeText(inner, file, "END\n") && ok;
}

bool readEffectList(DataFile& file, int count, std::vector<Effect>& out, const EffectTypes& types,
                    const ConditionTypes& conditionTypes) {
    count = boundedCount(count, MAX_RECORD_LIST);
    for (int i = 0; i < count && !atRecordEnd(file); ++i) {
        Effect e;
        const bool complete = readEffect(file, e, types, conditionTypes);
        out.push_back(std::move(e));
        if (!complete) return false;
    }
    return true;
}

bool writeEffectList(int level, DataFile& file, const std::vector<Effect>& list) {
    bool ok = true;
    for (const Effect& e : list) ok = writeEffect(level, file, e) && ok;
    return ok;
}

bool addEffectOfType(std::vector<Effect>& list, const EffectTypes& types, int typeId,
                     int idToAffect, int value, int value2, const std::string& str) {
    const EffectType* found = nullptr;
    for (const EffectType& t : types)
        if (t.typeId == typeId) found = &t; // the last entry with the ID
    if (!found) {
        std::printf("Big time error! Trying to auto-add an effect type that doesn't exist yet!\n");
        return false;
    }
    Effect e;
    e.type = *found;
    e.idToAffect = idToAffect;
    e.value = value;
    e.value2 = value2;
    e.str = str;
    list.push_back(std::move(e));
    return true;
}
