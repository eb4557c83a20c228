// Random bytes through the settings parser: it ends, and the parsed settings
// stay inside their ranges.
#include "app/application.h"
#include "fs/data_file.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string randomText(std::mt19937& rng, size_t length) {
    // Mostly the bytes that matter to the reader, some of anything.
    static const char SPECIAL[] = {' ', '\r', '\n', '#', '/', '*', '-', '0', '9', 'A', '\xa0'};
    std::uniform_int_distribution<int> pick(0, 99), any(0, 255), special(0, sizeof SPECIAL - 1);
    std::string s;
    for (size_t i = 0; i < length; ++i)
        s += pick(rng) < 70 ? SPECIAL[special(rng)] : static_cast<char>(any(rng));
    return s;
}

} // namespace

TEST(SettingsFuzz, RandomInputStaysInRange) {
    std::mt19937 rng(462);
    Application app;
    app.settings.desktop = {true, 1024, 768, 32};
    static const char* KEYS[] = {"TARGET_FPS ",  "FULLSCREEN_BPP ", "TEXT_FONTSIZE ",
                                 "MOUSE_SPEED ", "FPS_COLOR ",      "GAMEPLAY_SETTINGS:\n",
                                 "PAPER "};
    for (int round = 0; round < 500; ++round) {
        std::string text;
        for (int k = 0; k < 6; ++k)
            text += std::string(KEYS[rng() % 7]) + randomText(rng, rng() % 12) + "\n";
        app.settings.setDefaults();
        DataFile f = openMemoryRead(text, "settings.txt");
        app.settings.parse(f);
        const Settings& s = app.settings;
        ASSERT_GE(s.targetFps, 10);
        ASSERT_LE(s.targetFps, 100);
        ASSERT_TRUE(s.fullscreenBpp == 8 || s.fullscreenBpp == 16 || s.fullscreenBpp == 32);
        ASSERT_GE(s.textFontSize, 9);
        ASSERT_LE(s.textFontSize, 47);
        ASSERT_GE(s.mouseSpeed, 0.2f);
        ASSERT_LE(s.mouseSpeed, 5.0f);
    }
}
