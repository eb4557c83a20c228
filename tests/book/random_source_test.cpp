#include "book/random_source.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
long long noClock() {
    return -1;
}
long long fixedClock() {
    return 777;
}
} // namespace

TEST(RandomSource, FirstOutputForSeedOneIs41) {
    RandomSource r;
    ASSERT_TRUE(seedRandom(r, 1, 0));
    EXPECT_EQ(randomBelow(r, 10), 1);
    EXPECT_EQ(r.draws, 1);
    RandomSource raw;
    seedRandom(raw, 1, 0);
    EXPECT_EQ(nextRandom(raw), 41);
    EXPECT_EQ(nextRandom(raw), 18467);
    EXPECT_EQ(nextRandom(raw), 6334);
}

TEST(RandomSource, ReseedingWithTheDrawCountContinuesTheSequence) {
    RandomSource a;
    seedRandom(a, 12345, 0);
    nextRandom(a);
    nextRandom(a);
    const int third = nextRandom(a);
    RandomSource b;
    seedRandom(b, 12345, 2);
    EXPECT_EQ(b.draws, 2);
    EXPECT_EQ(nextRandom(b), third);
    EXPECT_EQ(b.draws, 3);
    EXPECT_EQ(b.seed, 12345);

    // A long skip lands where drawing one by one does.
    RandomSource slow, fast;
    seedRandom(slow, -42, 0);
    for (int i = 0; i < 100000; ++i)
        nextRandom(slow);
    seedRandom(fast, -42, 100000);
    EXPECT_EQ(nextRandom(fast), nextRandom(slow));
}

TEST(RandomSource, SeedsFromTheClockWhenNeeded) {
    RandomSource r;
    r.clock = fixedClock;
    EXPECT_FALSE(r.seeded);
    const int v = randomBelow(r, 6);
    EXPECT_TRUE(r.seeded);
    EXPECT_EQ(r.seed, 777);
    EXPECT_EQ(r.draws, 1);
    EXPECT_GE(v, 0);
    EXPECT_LT(v, 6);
    RandomSource none;
    none.clock = noClock;
    EXPECT_FALSE(seedRandom(none, 0, 0));
    EXPECT_TRUE(seedRandom(none, 5, 0)); // a saved seed needs no clock
}

TEST(RandomSource, AFixedSeedInTheEnvironmentStandsInForTheClock) {
    setenv("QUILLHAVEN_SEED", "4242", 1);
    RandomSource r;
    ASSERT_TRUE(seedRandom(r, 0, 0));
    EXPECT_EQ(r.seed, 4242);
    for (const char* bad : {"0", "-5", "12x", "99999999999"}) {
        setenv("QUILLHAVEN_SEED", bad, 1);
        RandomSource clocked;
        ASSERT_TRUE(seedRandom(clocked, 0, 0));
        EXPECT_NE(clocked.seed, 4242) << bad;
        EXPECT_GT(clocked.seed, 1000000) << bad; // the clock's seconds
    }
    unsetenv("QUILLHAVEN_SEED");
}

TEST(RandomSource, OddArgumentsAreSafe) {
    RandomSource r;
    seedRandom(r, 3, -10);
    EXPECT_EQ(r.draws, 0);
    EXPECT_EQ(randomBelow(r, 0), 0);
    EXPECT_EQ(randomBelow(r, -4), 0);
    seedRandom(r, 3, 0x7FFFFFFF); // a damaged save: no stall
    EXPECT_GE(nextRandom(r), 0);
}

TEST(RandomSourceDeathTest, NoClockEndsTheProgramWithItsMessage) {
    EXPECT_EXIT(
        {
            RandomSource r;
            r.clock = noClock;
            randomBelow(r, 10);
        },
        testing::ExitedWithCode(0), "");
}
