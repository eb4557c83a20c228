#include "book/random_table.h"
#include "character/character.h"
#include "fs/data_file.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <string>

namespace {

RandomNumberTable tableFrom(const std::string& plain) {
    DataFile f = openMemoryRead(encodeText(plain, true), "rnt.dat");
    RandomNumberTable t;
    readTable(f, t);
    return t;
}

// Every cell its own two-digit id would not fit; column + row mod 10 does.
RandomNumberTable diagonalTable() {
    RandomNumberTable t;
    for (int c = 0; c < RNT_SIZE; ++c)
        for (int r = 0; r < RNT_SIZE; ++r)
            t.grid[c][r] = (c + r) % 10;
    return t;
}

RandomSource seeded(int seed) {
    RandomSource s;
    seedRandom(s, seed, 0);
    return s;
}

} // namespace

TEST(RandomTableReader, get) {
    std::string plain = "## book 9\n";
    for (int i = 0; i < 100; ++i)
        plain += std::to_string(i % 10) + (i % 10 == 9 ? "\n" : " ");
    RandomNumberTable t = tableFrom(plain);
    // Row by row: the first ten values are row 0, columns 0-9.
    EXPECT_EQ(t.grid[3][0], 3);
    EXPECT_EQ(t.grid[0][5], 0);
    EXPECT_EQ(t.grid[9][9], 9);
}

TEST(RandomTableReader, syntax_error) {
    // Short: what is missing keeps the fallback (row index).
    RandomNumberTable shortT = tableFrom("7 7 7");
    EXPECT_EQ(shortT.grid[2][0], 7);
    EXPECT_EQ(shortT.grid[3][0], 0);
    EXPECT_EQ(shortT.grid[0][6], 6);
    // Negative, large and non-numeric values are kept to digits.
    RandomNumberTable odd = tableFrom("-4 12 x");
    EXPECT_EQ(odd.grid[0][0], 0);
    EXPECT_EQ(odd.grid[1][0], 9);
    EXPECT_EQ(odd.grid[2][0], 0);
    std::string junk;
    for (int i = 0; i < 3000; ++i)
        junk += static_cast<char>((i * 31 + 7) & 0xFF);
    DataFile f = openMemoryRead(junk, "rnt.dat");
    RandomNumberTable bin;
    readTable(f, bin);
    for (int c = 0; c < RNT_SIZE; ++c)
        for (int r = 0; r < RNT_SIZE; ++r) {
            EXPECT_GE(bin.grid[c][r], 0);
            EXPECT_LE(bin.grid[c][r], 9);
        }
}

TEST_F(VfsTest, MissingRandomTableGivesTheFallbackGrid) {
    RandomNumberTable t;
    t.grid[4][4] = 9;
    loadTable(t, 17);
    EXPECT_EQ(t.grid[4][4], 4);
    EXPECT_EQ(t.grid[0][8], 8);
    EXPECT_EQ(randomTablePath(5), "data/books/book5/rnt.dat");
}

TEST_F(VfsTest, DemoBooksShipTheirOwnTables) {
    mountBuiltData();
    for (int book : {1, 2}) {
        RandomNumberTable t;
        loadTable(t, book);
        int count[10] = {};
        for (int c = 0; c < RNT_SIZE; ++c)
            for (int r = 0; r < RNT_SIZE; ++r)
                ++count[t.grid[c][r]];
        for (int d = 0; d < 10; ++d)
            EXPECT_EQ(count[d], 10) << "book " << book << " digit " << d;
    }
}

TEST(RandomTablePick, UnguidedDrawsColumnThenRow) {
    RandomNumberTable t = diagonalTable();
    RandomSource random = seeded(1);
    RandomSource twin = seeded(1);
    ASSERT_TRUE(startPick(t, PickRequest{}, random, false));
    int col = randomBelow(twin, 10), row = randomBelow(twin, 10);
    EXPECT_EQ(col, 1); // the generator's first output for seed 1 is 41
    EXPECT_EQ(t.column, col);
    EXPECT_EQ(t.row, row);
    EXPECT_EQ(t.number, (col + row) % 10);
    EXPECT_FALSE(startPick(t, PickRequest{}, random, false)); // one at a time
    EXPECT_EQ(random.draws, 2);
}

TEST(RandomTablePick, ZeroCountsAsTenWhenAsked) {
    RandomNumberTable t; // all zeros
    RandomSource random = seeded(5);
    PickRequest asked;
    asked.idToAffect = 3;
    startPick(t, asked, random, false);
    EXPECT_EQ(t.number, 10);
    Character c;
    EXPECT_EQ(pickResult(t, c).message, "The number you picked was: 10");
    endPick(t);
    startPick(t, PickRequest{}, random, false);
    EXPECT_EQ(t.number, 0);
}

TEST(RandomTablePick, GuidedRegionsStayInTheirBlock) {
    for (int seed = 1; seed < 60; ++seed) {
        RandomNumberTable t = diagonalTable();
        RandomSource random = seeded(seed);
        PickRequest guided;
        guided.value2 = 1;
        startPick(t, guided, random, false);
        EXPECT_TRUE(waitingForRegion(t));
        // It waits, however long, until a region is chosen.
        EXPECT_FALSE(updatePick(t, 100000, 2, random));
        EXPECT_EQ(random.draws, 0);
        ASSERT_TRUE(chooseRegion(t, 5, random));
        EXPECT_GE(t.column, 3);
        EXPECT_LE(t.column, 6);
        EXPECT_GE(t.row, 3);
        EXPECT_LE(t.row, 6);
    }
    int c, r;
    regionOrigin(7, c, r);
    EXPECT_EQ(c, 0);
    EXPECT_EQ(r, 0);
    regionOrigin(3, c, r);
    EXPECT_EQ(c, 6);
    EXPECT_EQ(r, 6);
    EXPECT_EQ(regionFromArrows(RNT_NO_REGION, 0, -1), 8);
    EXPECT_EQ(regionFromArrows(8, 1, 1), 6);
    EXPECT_EQ(regionFromArrows(1, -1, 1), 1);
}

TEST(RandomTablePick, GuidableOnlyWhileComingIn) {
    RandomNumberTable t = diagonalTable();
    RandomSource random = seeded(9);
    startPick(t, PickRequest{}, random, true);
    EXPECT_FALSE(t.drawn);
    updatePick(t, 100, 2, random);
    EXPECT_TRUE(chooseRegion(t, 9, random));
    EXPECT_GE(t.column, 6);
    EXPECT_LE(t.row, 3);
    // Left alone, it draws from the whole grid once it is in.
    RandomNumberTable u = diagonalTable();
    startPick(u, PickRequest{}, random, true);
    updatePick(u, 600, 3, random);
    EXPECT_TRUE(u.drawn);
    EXPECT_FALSE(chooseRegion(u, 1, random));
}

TEST(RandomTablePick, StepTimesFollowTheSpeed) {
    RandomNumberTable t;
    EXPECT_EQ(stepDuration(t, 1, 1), 2000);
    EXPECT_EQ(stepDuration(t, 1, 3), 1000);
    EXPECT_EQ(stepDuration(t, 3, 2), 1125);
    RandomSource random = seeded(2);
    startPick(t, PickRequest{}, random, false);
    // Speed 2: 750 + 1500 + 750 + 1125 + 375 ms in all.
    EXPECT_FALSE(updatePick(t, 4499, 2, random));
    EXPECT_TRUE(updatePick(t, 1, 2, random));
    EXPECT_FALSE(updatePick(t, 1, 2, random)); // reported once
    endPick(t);
    // Speed 4 skips to the result, held 1.5 s, and a short exit.
    startPick(t, PickRequest{}, random, false);
    EXPECT_FALSE(updatePick(t, 1500, 4, random));
    EXPECT_EQ(t.step, 4);
    EXPECT_TRUE(updatePick(t, 125, 4, random));
}

TEST(RandomTablePick, ModifierLines) {
    RandomNumberTable t;
    t.number = 4;
    Character c;
    c.specialItems.push_back(Item());
    c.specialItems.back().id = ITEM_ID_JADIN_AMULET;
    t.requester.value = -1;
    EXPECT_EQ(pickResult(t, c).message, "The number you picked was: 5`Modifier: +1 Jadin Amulet");
    c.onBookSeries = TIER_DRAVIC;
    c.dravicBooksCompleted = 5;
    learnDiscipline(c, TIER_DRAVIC, DISC_WEAPONSKILL);
    c.weaponmasteryIn[WEAPON_BOW] = true;
    t.requester.value = 1;
    EXPECT_EQ(pickResult(t, c).message, "The number you picked was: 9`Modifier: +3 Weaponmastery "
                                        "in Bow`Modifier: +2 Improved Weaponmastery");
    t.requester.value = 2;
    EXPECT_EQ(pickResult(t, c).number, 4);
    t.requester.value = 0;
    EXPECT_EQ(pickResult(t, c).number, 4);
}

TEST(RandomTableVerify, RecordedPicksFollowTheSeed) {
    RandomNumberTable t = diagonalTable();
    RandomSource random = seeded(4242);
    // Play a few picks the game's way and record them, one unrecorded.
    RandomSource play = random;
    RecordedPicks rec;
    rec.book = 3;
    for (int k = 0; k < 6; ++k) {
        RandomNumberTable p = t;
        startPick(p, PickRequest{}, play, false);
        rec.numbers.push_back(k == 2 ? -1 : p.number);
    }
    for (int k = 0; k < 40; ++k)
        nextRandom(random); // the game went on
    EXPECT_TRUE(verifyPicks(t, 3, {rec}, false, random));
    EXPECT_EQ(random.draws, 40); // left where it was
    rec.numbers[0] = (rec.numbers[0] + 1) % 10;
    rec.numbers[1] = (rec.numbers[1] + 1) % 10;
    rec.numbers[3] = (rec.numbers[3] + 1) % 10;
    EXPECT_FALSE(verifyPicks(t, 3, {rec}, false, random));
    EXPECT_TRUE(verifyPicks(t, 4, {rec}, false, random)); // other books are not checked
}
