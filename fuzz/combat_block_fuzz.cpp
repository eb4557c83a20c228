// Combat blocks as section scripts and saves carry them: read, written, read back.
#include "combat/combat_record.h"
#include "fs/data_file.h"
#include "fuzz_registries.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ConditionTypes conditions = fuzzConditionTypes();
    const std::string text(reinterpret_cast<const char*>(data), size);
    DataFile in = openMemoryRead(text, "combat.txt");
    CombatRecord combat;
    readCombat(in, combat, conditions);
    DataFile out = openMemoryWrite("combat.txt");
    writeCombat(0, out, combat);
    DataFile back = openMemoryRead(out.data, "combat.txt");
    CombatRecord again;
    readCombat(back, again, conditions);
    return 0;
}
