// The XHTML conversion: it ends, numbers its words in order and emits no
// empty word, whatever the markup.
#include "book/section_text.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const NAMES[] = {"sect12", "toc", "footnotz", "title", "map"};
    const char* name = size > 0 ? NAMES[data[0] % 5] : "sect1";
    DataFile f = fuzzFile(data, size, "sect.htm", "sect.dat");
    std::vector<PageWord> words;
    convertSectionText(f, name, words);
    for (size_t i = 0; i < words.size(); ++i) {
        FUZZ_CHECK(words[i].wordId == static_cast<int>(i));
        FUZZ_CHECK(!words[i].text.empty());
    }
    FUZZ_CHECK(words.size() <= size + 1);
    return 0;
}
