// Random bytes through the token reader and the settings parser: every call
// ends, nothing reads out of bounds (the sanitizer build checks), and the
// parsed settings stay inside their ranges.
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

TEST(TokenFuzz, RandomInputAlwaysEnds) {
    std::mt19937 rng(20151026);
    for (int round = 0; round < 2000; ++round) {
        const std::string bytes = randomText(rng, rng() % 300);
        for (const char* name : {"f.txt", "f.dat"}) {
            DataFile f = openMemoryRead(bytes, name);
            std::string v;
            size_t calls = 0;
            // Every successful read consumes at least one byte.
            while (calls <= bytes.size() + 1) {
                const int op = static_cast<int>(rng() % 3);
                const size_t before = f.pos;
                bool more = op == 0   ? readValue(f, v)
                            : op == 1 ? readLine(f, v)
                                      : atEnd(f) == false;
                if (op == 2 && more) readInt(f);
                if (!more) break;
                ASSERT_GT(f.pos, before);
                ++calls;
            }
            ASSERT_LE(calls, bytes.size() + 1);
            EXPECT_TRUE(closeFile(f));
        }
    }
}

TEST(TokenFuzz, SettingsFromRandomInputStayInRange) {
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
