#include "book/random_source.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr uint32_t MULTIPLIER = 214013u;
constexpr uint32_t INCREMENT = 2531011u;

// QUILLHAVEN_SEED=N stands in for the clock, so that a run of the window can be
// replayed chance for chance (tests, bug reports); saves keep the seed as always.
long long systemClock() {
    if (const char* fixed = std::getenv("QUILLHAVEN_SEED"); fixed && *fixed) {
        char* end = nullptr;
        long long seed = std::strtoll(fixed, &end, 10);
        if (*end == '\0' && seed > 0 && seed <= 0x7FFFFFFF) return seed;
    }
    std::time_t now = std::time(nullptr);
    return now == static_cast<std::time_t>(-1) ? -1 : static_cast<long long>(now);
}

// state after n steps, by composing the affine step with itself (square and
// multiply): a damaged save with a huge draw count cannot stall loading.
uint32_t skipAhead(uint32_t state, uint32_t n) {
    uint32_t mul = 1, add = 0;                          // accumulated map x -> mul*x + add
    uint32_t stepMul = MULTIPLIER, stepAdd = INCREMENT; // map for 2^k steps
    while (n) {
        if (n & 1u) {
            mul *= stepMul;
            add = add * stepMul + stepAdd;
        }
        stepAdd = stepAdd * stepMul + stepAdd;
        stepMul *= stepMul;
        n >>= 1;
    }
    return state * mul + add;
}

} // namespace

bool seedRandom(RandomSource& source, int seed, int draws) {
    if (seed == 0 && draws == 0) {
        long long now = source.clock ? source.clock() : systemClock();
        if (now < 0) return false;
        seed = static_cast<int>(now);
    }
    if (draws < 0) draws = 0;
    source.seed = seed;
    source.draws = draws;
    source.seeded = true;
    source.state = skipAhead(static_cast<uint32_t>(seed), static_cast<uint32_t>(draws));
    return true;
}

int nextRandom(RandomSource& source) {
    if (!source.seeded && !seedRandom(source, 0, 0)) {
        std::printf("Unable to get random numbers! Too serious a problem... aborting\n");
        std::fflush(stdout);
        std::exit(0);
    }
    source.state = source.state * MULTIPLIER + INCREMENT;
    if (source.draws < 0x7FFFFFFF) ++source.draws;
    return static_cast<int>((source.state >> 16) & 0x7FFFu);
}

int randomBelow(RandomSource& source, int n) {
    int value = nextRandom(source);
    return n > 0 ? value % n : 0;
}
