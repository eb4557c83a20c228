#include "script/condition.h"

#include "fs/data_file.h"
#include "script/script_io.h"

#include <cstdio>

using namespace scriptio;

Condition::Condition(const Condition& other)
    : type(other.type), value(other.value), idToCheck(other.idToCheck),
      equation(other.equation), reverse(other.reverse), singular(other.singular),
      secondary(other.secondary ? std::make_unique<Condition>(*other.secondary) : nullptr) {}

Condition& Condition::operator=(const Condition& other) {
    if (this != &other) {
        Condition copy(other);
        *this = std::move(copy);
    }
    return *this;
}

const ConditionType* findConditionType(const ConditionTypes& types, int typeId) {
    for (const ConditionType& t : types)
        if (t.typeId == typeId) return &t;
    return nullptr;
}

namespace {

ConditionType typeFor(const ConditionTypes& types, int typeId, const DataFile& file) {
    if (const ConditionType* t = findConditionType(types, typeId)) return *t;
    std::printf("Condition type %d is not in the condition definitions (reading %s); the "
                "condition is left out.\n",
                typeId, file.path.c_str());
    ConditionType unknown;
    unknown.typeId = typeId;
    unknown.name = "Unknown condition type";
    unknown.known = false;
    return unknown;
}

// Reads past one condition record and its whole secondary chain without keeping
// them: the chain is counted, not recursed into.
bool skipConditionRecord(DataFile& file) {
    int open = 1;
    std::string token;
    while (readValue(file, token)) {
        if (token == "END") {
            if (--open == 0) return true;
        } else if (token == "SECONDARY:") {
            if (readInt(file) != 0) ++open;
        } else if (token == "TYPE:" || token == "EQUATION:") {
            skipRestOfLine(file);
        }
    }
    return false;
}

bool readConditionAt(DataFile& file, Condition& c, const ConditionTypes& types, int depth) {
    c = Condition();
    std::string token;
    while (readValue(file, token)) {
        if (token == "END") return true;
        if (token == "TYPE:") {
            const int id = readInt(file);
            // Everything after the number is the type's name, for the reader's eyes.
            skipRestOfLine(file);
            c.type = typeFor(types, id, file);
        } else if (token == "VALUE:") {
            c.value = readInt(file);
        } else if (token == "EQUATION:") {
            c.equation = emptyIfBlank(lineValue(file));
        } else if (token == "ID_TO_CHECK:") {
            c.idToCheck = readInt(file);
        } else if (token == "REVERSE:") {
            c.reverse = readInt(file) != 0;
        } else if (token == "SINGULAR:") {
            c.singular = readInt(file) != 0;
        } else if (token == "SECONDARY:") {
            if (readInt(file) == 0) continue;
            if (depth + 1 >= MAX_CONDITION_DEPTH) {
                if (!skipConditionRecord(file)) return false;
                continue;
            }
            c.secondary = std::make_unique<Condition>();
            if (!readConditionAt(file, *c.secondary, types, depth + 1)) return false;
        }
    }
    return false;
}

} // namespace

bool readCondition(DataFile& file, Condition& condition, const ConditionTypes& types) {
    return readConditionAt(file, condition, types, 0);
}

bool writeCondition(int level, DataFile& file, const Condition& c) {
    const int inner = level + 1;
    std::string text = "TYPE: " + std::to_string(c.type.typeId);
    if (!c.type.name.empty()) text += " " + c.type.name;
    text += '\n';
    keyLine(text, "VALUE: ", c.value);
    keyLine(text, "EQUATION: ", blankIfEmpty(c.equation));
    keyLine(text, "ID_TO_CHECK: ", c.idToCheck);
    keyLine(text, "REVERSE: ", flag(c.reverse));
    keyLine(text, "SINGULAR: ", flag(c.singular));
    keyLine(text, "SECONDARY: ", flag(c.secondary != nullptr));
    bool ok = writeText(inner, file, text);
    if (c.secondary) ok = writeCondition(inner, file, *c.secondary) && ok;
    return writeText(inner, file, "END\n") && ok;
}

bool readConditionList(DataFile& file, int count, std::vector<Condition>& out,
                       const ConditionTypes& types) {
    count = boundedCount(count, MAX_RECORD_LIST);
    for (int i = 0; i < count && !atRecordEnd(file); ++i) {
        Condition c;
        const bool complete = readCondition(file, c, types);
        out.push_back(std::move(c));
        if (!complete) return false;
    }
    return true;
}

bool writeConditionList(int level, DataFile& file, const std::vector<Condition>& list) {
    bool ok = true;
    for (const Condition& c : list) ok = writeCondition(level, file, c) && ok;
    return ok;
}

bool addConditionOfType(std::vector<Condition>& list, const ConditionTypes& types, int typeId,
                        int idToCheck, int value, const std::string& equation, bool reverse,
                        bool singular) {
    const ConditionType* found = nullptr;
    for (const ConditionType& t : types)
        if (t.typeId == typeId) found = &t;
    if (!found) {
        std::printf("Big time error! Trying to auto-add a condition type that doesn't exist yet!\n");
        return false;
    }
    Condition c;
    c.type = *found;
    c.idToCheck = idToCheck;
    c.value = value;
    c.equation = equation.empty() ? found->defaultEquation : equation;
    c.reverse = reverse;
    c.singular = singular;
    list.push_back(std::move(c));
    return true;
}
