// The character record: the hero as the campaign and resume files carry him,
// a run of key lines closed by "END". The writer emits one fixed order; the
// reader takes the keys in any order, skips what it does not know, and reads
// every battle-log layout older versions wrote.
#pragma once

#include "character/character.h"

#include <string>
#include <vector>

struct DataFile;
class RecordWriter;

// A record that does not say which version wrote it predates the key.
constexpr const char* OLDEST_RECORD_VERSION = "1.5.0";

// Writes the record at the writer's level, item records one level deeper.
// False when a write failed.
bool writeCharacter(const Character& c, RecordWriter& writer);

// What a record says beyond the character itself.
struct CharacterReadExtras {
    bool sawAcceptedLicense = false; // older files kept the profile's flag here
    bool acceptedLicense = false;
    int rawOnBook = 1; // "ON_BOOK:" as written, before it is held to 1-20
};

// Resets `c`, then reads one record until "END". Item records take their
// catalogue entry and then their saved state. False when the file ended before
// "END"; what was read is kept and the diagnostic is printed once.
bool readCharacter(DataFile& file, Character& c, const std::vector<Item>& catalogue,
                   CharacterReadExtras* extras = nullptr);
