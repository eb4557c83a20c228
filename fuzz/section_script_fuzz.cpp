// Section scripts and state blocks: read into a page that has stock words and
// buttons, then written and read back.
#include "book/section_script.h"
#include "fs/data_file.h"
#include "fuzz_registries.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ConditionTypes conditions = fuzzConditionTypes();
    static const EffectTypes effects = fuzzEffectTypes();
    if (size == 0) return 0;
    const bool merge = data[0] & 1;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    SectionPage page;
    page.bookCode = "01tb";
    page.sectionName = "sect1";
    for (int i = 0; i < 20; ++i) {
        PageWord w;
        w.wordId = i;
        page.words.push_back(w);
    }
    const std::vector<PageWord> stock = page.words;
    page.buttons.resize(3);
    CombatRecord combat;
    DataFile in = openMemoryRead(text, "sect1.txt");
    readSectionScript(page, in, merge, ScriptContext{conditions, effects, &combat});
    findButton(page, 1);

    DataFile out = openMemoryWrite("sect1.txt");
    writeSectionScript(page, out, false, stock, &combat);
    writeSectionScript(page, out, true, stock, &combat);
    SectionPage again;
    again.words = stock;
    DataFile back = openMemoryRead(out.data, "sect1.txt");
    readSectionScript(again, back, false, ScriptContext{conditions, effects, &combat});
    return 0;
}
