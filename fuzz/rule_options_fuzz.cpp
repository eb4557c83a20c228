// The rule options block: every option inside its range, and the block
// written back reads back equal.
#include "character/rule_options.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DataFile f = fuzzFile(data, size, "rules.txt", "rules.dat");
    RuleOptions rules;
    readRules(f, rules);
    for (const RuleOptionInfo& info : ruleOptionInfos()) {
        const int v = ruleValue(rules, info);
        FUZZ_CHECK(v >= 0 && v <= info.maxValue);
    }
    DataFile w = openMemoryWrite("r.dat");
    int nesting = 0;
    writeRules(rules, w, nesting);
    DataFile r = openMemoryRead(w.data, "r.dat");
    RuleOptions back;
    FUZZ_CHECK(readRules(r, back));
    FUZZ_CHECK(back == rules);
    return 0;
}
