// Both definition files: the same bytes read as condition types and as effect
// types, then written and read back.
#include "fs/data_file.h"
#include "script/type_registry.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    DataFile a = openMemoryRead(text, "cond.txt");
    ConditionTypes conditions;
    readConditionTypes(a, conditions);
    DataFile b = openMemoryRead(text, "eff.txt");
    EffectTypes effects;
    readEffectTypes(b, effects);

    DataFile out = openMemoryWrite("types.txt");
    writeConditionTypes(out, conditions);
    DataFile back = openMemoryRead(out.data, "types.txt");
    ConditionTypes again;
    readConditionTypes(back, again);
    DataFile eout = openMemoryWrite("types.txt");
    writeEffectTypes(eout, effects);
    DataFile eback = openMemoryRead(eout.data, "types.txt");
    EffectTypes eagain;
    readEffectTypes(eback, eagain);
    return 0;
}
