#include "script/type_registry.h"

#include "fs/data_file.h"
#include "fs/vfs.h"
#include "script/script_io.h"

#include <cstdio>

using namespace scriptio;

namespace {

// One field of a type block: its key, where it goes, and whether "*Blank*"
// stands for an empty label (only the parameter labels; the names and help
// texts keep "*Blank*" as their text).
template <class T> struct Field {
    const char* key;
    std::string T::*member;
    bool blankIsEmpty;
};

// In the written key order.
const Field<ConditionType> CONDITION_FIELDS[] = {
    {"NAME:", &ConditionType::name, false},
    {"DEFAULT_EQUATION:", &ConditionType::defaultEquation, false},
    {"ID_TO_CHECK_NAME:", &ConditionType::idToCheckName, true},
    {"VALUE_NAME:", &ConditionType::valueName, true},
    {"EQUATION_NAME:", &ConditionType::equationName, true},
    {"MAIN_TIP:", &ConditionType::mainTip, false},
    {"ID_TO_CHECK_TIP:", &ConditionType::idToCheckTip, false},
    {"VALUE_TIP:", &ConditionType::valueTip, false},
    {"EQUATION_TIP:", &ConditionType::equationTip, false},
};

const Field<EffectType> EFFECT_FIELDS[] = {
    {"NAME:", &EffectType::name, false},
    {"ID_TO_AFFECT_NAME:", &EffectType::idToAffectName, true},
    {"VALUE_NAME:", &EffectType::valueName, true},
    {"VALUE2_NAME:", &EffectType::value2Name, true},
    {"MAIN_TIP:", &EffectType::mainTip, false},
    {"ID_TO_AFFECT_TIP:", &EffectType::idToAffectTip, false},
    {"VALUE_TIP:", &EffectType::valueTip, false},
    {"VALUE2_TIP:", &EffectType::value2Tip, false},
    {"STR_NAME:", &EffectType::strName, true},
    {"STR_TIP:", &EffectType::strTip, false},
};

// Blocks until the end of the file; a block ends at "END". A stray "END" with
// no key before it adds nothing.
template <class T, size_t N>
void readBlocks(DataFile& file, std::vector<T>& types, const Field<T> (&fields)[N]) {
    std::string token;
    T block;
    bool any = false;
    while (readValue(file, token)) {
        if (token == "END") {
            if (any) types.push_back(block);
            block = T();
            any = false;
            continue;
        }
        if (token == "TYPEID:") {
            block.typeId = readInt(file);
            any = true;
            continue;
        }
        for (const Field<T>& f : fields) {
            if (token != f.key) continue;
            // Values run to the end of the line; readValue would have turned a
            // lone "*Blank*" into nothing, so the line is read as it stands.
            std::string value = lineValue(file);
            block.*f.member = f.blankIsEmpty ? emptyIfBlank(value) : value;
            any = true;
            break;
        }
    }
    if (any) {
        std::printf("Unexpected EOF while reading %s", file.path.c_str());
        std::printf("\n");
        types.push_back(block);
    }
}

template <class T, size_t N>
bool writeBlocks(DataFile& file, const std::vector<T>& types, const Field<T> (&fields)[N]) {
    bool ok = true;
    for (const T& t : types) {
        std::string text = "TYPEID: " + std::to_string(t.typeId) + "\n";
        for (const Field<T>& f : fields)
            text += std::string(f.key) + " " + blankIfEmpty(t.*f.member) + "\n";
        ok = writeText(1, file, text) && ok;
        ok = writeText(1, file, "END\n") && ok;
    }
    return ok;
}

template <class T, size_t N>
bool saveBlocks(const std::string& path, const std::vector<T>& types, const Field<T> (&fields)[N],
                const char* what) {
    if (types.empty()) {
        // An empty registry leaves no empty file behind for the next start to trip on.
        vfsDelete(path);
        return true;
    }
    DataFile file = openWrite(path);
    if (!file.isOpen()) {
        std::printf("Couldn't open the file %s for writing! %s definitions not written.\n",
                    path.c_str(), what);
        return false;
    }
    const bool written = writeBlocks(file, types, fields);
    return closeFile(file) && written;
}

} // namespace

void readConditionTypes(DataFile& file, ConditionTypes& types) {
    readBlocks(file, types, CONDITION_FIELDS);
}
void readEffectTypes(DataFile& file, EffectTypes& types) { readBlocks(file, types, EFFECT_FIELDS); }
bool writeConditionTypes(DataFile& file, const ConditionTypes& types) {
    return writeBlocks(file, types, CONDITION_FIELDS);
}
bool writeEffectTypes(DataFile& file, const EffectTypes& types) {
    return writeBlocks(file, types, EFFECT_FIELDS);
}

bool loadConditionTypes(const std::string& path, ConditionTypes& types) {
    types.clear();
    DataFile file = openRead(path);
    if (!file.isOpen()) {
        std::printf("Couldn't open the file %s! This contains condition definitions.\nUnable to "
                    "continue - corrupt installation!\n",
                    path.c_str());
        return false;
    }
    readConditionTypes(file, types);
    closeFile(file);
    return true;
}

bool loadEffectTypes(const std::string& path, EffectTypes& types) {
    types.clear();
    DataFile file = openRead(path);
    if (!file.isOpen()) {
        std::printf("Couldn't open the file %s! This contains effect definitions.\nUnable to "
                    "continue - corrupt installation!\n",
                    path.c_str());
        return false;
    }
    readEffectTypes(file, types);
    closeFile(file);
    return true;
}

bool saveConditionTypes(const std::string& path, const ConditionTypes& types) {
    return saveBlocks(path, types, CONDITION_FIELDS, "Conditions");
}
bool saveEffectTypes(const std::string& path, const EffectTypes& types) {
    return saveBlocks(path, types, EFFECT_FIELDS, "Effects");
}
