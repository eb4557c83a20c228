// The one seedable pseudo-random generator of the game. Every draw of the
// game goes through it, and its seed and draw count are saved with the
// campaign, so that reloading continues the same sequence instead of
// offering a fresh number.
#pragma once

#include <cstdint>

// The clock used for seeding. Returns -1 when unavailable.
using RandomClock = long long (*)();

struct RandomSource {
    int seed = 0;  // the seed last given to the generator
    int draws = 0; // numbers drawn since seeding
    bool seeded = false;
    uint32_t state = 0; // generator state after `draws` draws
    RandomClock clock = nullptr; // seeds from it when set (tests); else from the system clock
};

// The generator's output range is 0..RANDOM_MAX.
constexpr int RANDOM_MAX = 32767;

// With seed or draws not 0: seeds with `seed` and skips `draws` numbers, so the
// sequence continues where it was saved. With both 0: seeds from the clock with
// no draws. False when the clock is not available.
bool seedRandom(RandomSource& source, int seed, int draws);
// One counted draw, 0..RANDOM_MAX. Seeds from the clock first when needed; a
// missing clock ends the program with its message.
int nextRandom(RandomSource& source);
// A counted draw below n (0 when n is not positive).
int randomBelow(RandomSource& source, int n);

