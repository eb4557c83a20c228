// qhdata play DATA_DIR [BOOK] [--book N] [--seed S]: plays a book in text mode
// on the game's own rules (README, "Playing without a window").
#include "script/text_player.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

namespace {

int playUsage() {
    std::fprintf(stderr, "usage: qhdata play DATA_DIR [BOOK] [--book N] [--seed S]\n");
    return 2;
}

// A whole number within [lo, hi]; false for anything else.
bool parseArg(const char* s, long lo, long hi, int& out) {
    if (!s || !*s) return false;
    char* end = nullptr;
    long v = std::strtol(s, &end, 10);
    if (*end != '\0' || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

int playCommand(int argc, char** argv) {
    if (argc < 3) return playUsage();
    int book = 1, seed = 0;
    bool bookGiven = false;
    for (int i = 3; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!std::strcmp(arg, "--book")) {
            if (!parseArg(value, -1000000, 1000000, book)) return playUsage();
            ++i;
        } else if (!std::strcmp(arg, "--seed")) {
            if (!parseArg(value, 0, 2147483647L, seed)) return playUsage();
            ++i;
        } else if (!bookGiven && parseArg(arg, -1000000, 1000000, book)) {
            bookGiven = true;
        } else {
            return playUsage();
        }
    }
    // The player is large (a whole game state): keep it off the stack.
    auto player = std::make_unique<TextPlayer>();
    if (!startTextPlayer(*player, argv[2], book, seed, std::cout, argv[0])) return 1;
    return runTextPlayer(*player, std::cin);
}
