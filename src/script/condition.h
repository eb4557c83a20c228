// Conditions: the tests that section scripts attach to buttons, to combat
// modifiers and to effects. Each names a condition type by number; the types
// themselves are data (the condition definition file), kept in a registry.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct DataFile;

// One entry of the condition type registry: a display name, the labels of the
// parameters and the help texts an author reads in the script editor.
struct ConditionType {
    int typeId = 0;
    std::string defaultEquation = "==";
    std::string name = "Default Condition Name";
    std::string idToCheckName = "ID to check";
    std::string valueName = "Value";
    std::string equationName = "Equation";
    std::string mainTip = "Type an adequate description of what this condition checks";
    std::string idToCheckTip = "This is the ID of the button to check";
    std::string valueTip = "This is the value to check for in this condition";
    std::string equationTip = "What type of mathemathical relationship we are looking at";
    // Not stored. False when a record named a type ID the registry lacks: the
    // number is kept (so a save or the editor writes the author's data back
    // unchanged), and evaluation leaves such a condition out of its list.
    bool known = true;
};

// The registry, in file order. Duplicate IDs are kept; record readers take the
// first entry with an ID, addConditionOfType the last.
using ConditionTypes = std::vector<ConditionType>;

// Secondary chains deeper than this are read past but not kept, so a damaged
// file cannot make the reader (or the destructor) recurse without bound.
constexpr int MAX_CONDITION_DEPTH = 32;
// Counts of records read from a file ("CONDITIONS:", "EFFECTS:", ...) above this
// are taken as this.
constexpr int MAX_RECORD_LIST = 1000;

// One test. The equation compares the checked quantity with `value`: one of
// "<", "<=", "==", ">=", ">" (some types read it as a name or a list instead).
struct Condition {
    ConditionType type; // a copy of the registry entry
    int value = 0;
    int idToCheck = 0;
    std::string equation = "==";
    bool reverse = false;
    bool singular = false;
    // Owned; the chain may be of any length (up to MAX_CONDITION_DEPTH when read).
    std::unique_ptr<Condition> secondary;

    Condition() = default;
    Condition(const Condition& other); // copies the whole chain
    Condition& operator=(const Condition& other);
    Condition(Condition&&) = default;
    Condition& operator=(Condition&&) = default;
    ~Condition() = default;
};

// The first registry entry with that ID, or null.
const ConditionType* findConditionType(const ConditionTypes& types, int typeId);

// One condition record (from "TYPE:" to its "END"), with its secondary chain.
// The condition is reset first. A type ID the registry lacks prints one line
// naming the ID and the file and gives the record an unknown type (see
// ConditionType::known); reading goes on. False when the file ended first.
bool readCondition(DataFile& file, Condition& condition, const ConditionTypes& types);
// Writes the record with the nesting counter raised by one: `level` is the
// counter of the enclosing record.
bool writeCondition(int level, DataFile& file, const Condition& condition);
// Reads `count` condition records appended to `out`; a count of 0 or less
// reads none, and nothing is reserved before a record is actually there. A
// list that meets the enclosing record's "END" early stops there. False when
// the file ended inside it.
bool readConditionList(DataFile& file, int count, std::vector<Condition>& out,
                       const ConditionTypes& types);
bool writeConditionList(int level, DataFile& file, const std::vector<Condition>& list);

// Builds a condition from the last registry entry with `typeId` and appends it.
// False (with its message) when the registry has no such type.
bool addConditionOfType(std::vector<Condition>& list, const ConditionTypes& types, int typeId,
                        int idToCheck, int value, const std::string& equation = "",
                        bool reverse = false, bool singular = false);
