// The settings reader: values stay in their ranges, and what is written back
// reads back to the same file.
#include "app/settings.h"
#include "fuzz_support.h"

#include <climits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Settings s;
    s.setDefaults();
    DataFile f = openMemoryRead(fuzzBytes(data, size), "settings.txt");
    s.parse(f);
    FUZZ_CHECK(s.fullscreenWidth >= 640 && s.fullscreenWidth <= 2560);
    FUZZ_CHECK(s.targetFps >= 10 && s.targetFps <= 100);
    FUZZ_CHECK(s.fpsSize >= 9 && s.fpsSize <= 47);
    FUZZ_CHECK(s.mouseSpeed >= 0.2f && s.mouseSpeed <= 5.0f);
    FUZZ_CHECK(s.progStartCount < INT_MAX);
    FUZZ_CHECK(s.textFont.size() <= 255);

    const std::string once = s.composeText();
    Settings again;
    again.setDefaults();
    DataFile g = openMemoryRead(once, "settings.txt");
    again.parse(g);
    FUZZ_CHECK(again.composeText() == once);
    return 0;
}
