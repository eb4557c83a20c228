// Condition and effect records (with secondary chains and effect conditions):
// the first byte picks the reader, the rest is the record text.
#include "fs/data_file.h"
#include "fuzz_registries.h"
#include "script/condition.h"
#include "script/effect.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ConditionTypes conditions = fuzzConditionTypes();
    static const EffectTypes effects = fuzzEffectTypes();
    if (size == 0) return 0;
    const int count = data[0] >> 1;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    DataFile in = openMemoryRead(text, "record.txt");
    DataFile out = openMemoryWrite("record.txt");
    if (data[0] & 1) {
        std::vector<Effect> list;
        readEffectList(in, count, list, effects, conditions);
        writeEffectList(0, out, list);
        DataFile back = openMemoryRead(out.data, "record.txt");
        std::vector<Effect> again;
        readEffectList(back, count, again, effects, conditions);
    } else {
        std::vector<Condition> list;
        readConditionList(in, count, list, conditions);
        std::vector<Condition> copy = list; // chains are deep-copied
        writeConditionList(0, out, copy);
        DataFile back = openMemoryRead(out.data, "record.txt");
        std::vector<Condition> again;
        readConditionList(back, count, again, conditions);
    }
    return 0;
}
