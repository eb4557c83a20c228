#include "combat/crt.h"
#include "fs/data_file.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CombatTable tableFrom(const std::string& plain) {
    DataFile f = openMemoryRead(encodeText(plain, true), "crt.dat");
    CombatTable t;
    readCombatTable(f, t);
    return t;
}

std::string countingValues(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += std::to_string(i) + (i % 44 == 43 ? "\n" : " ");
    return s;
}

} // namespace

TEST(CombatTableReader, get) {
    // Order: row by row, column by column, enemy loss before hero loss;
    // comments anywhere between values.
    CombatTable t = tableFrom("## header\n" + countingValues(20) + "// mid-row comment\n" +
                              countingValues(440).substr(countingValues(20).size()));
    EXPECT_EQ(t.enemyLoss[0][0], 0);
    EXPECT_EQ(t.heroLoss[0][0], 1);
    EXPECT_EQ(t.enemyLoss[1][0], 2);
    EXPECT_EQ(t.heroLoss[21][0], 43);
    EXPECT_EQ(t.enemyLoss[0][1], 44);
    EXPECT_EQ(t.heroLoss[21][9], 439);

    // The writer's layout reads back the same.
    DataFile out = openMemoryWrite("crt.dat");
    ASSERT_TRUE(writeCombatTable(t, out));
    CombatTable back;
    DataFile in = openMemoryRead(out.data, "crt.dat");
    readCombatTable(in, back);
    for (int c = 0; c < CRT_COLUMNS; ++c)
        for (int r = 0; r < CRT_ROWS; ++r) {
            EXPECT_EQ(back.enemyLoss[c][r], t.enemyLoss[c][r]);
            EXPECT_EQ(back.heroLoss[c][r], t.heroLoss[c][r]);
        }
}

TEST(CombatTableReader, syntax_error) {
    // Short: the rest stays 0. Long: the excess is ignored.
    CombatTable shortT = tableFrom("5 6 7");
    EXPECT_EQ(shortT.enemyLoss[1][0], 7);
    EXPECT_EQ(shortT.heroLoss[1][0], 0);
    EXPECT_EQ(shortT.heroLoss[21][9], 0);
    CombatTable longT = tableFrom(countingValues(500));
    EXPECT_EQ(longT.heroLoss[21][9], 439);
    // Negative and huge values are kept in range; words count as 0.
    CombatTable odd = tableFrom("-5 123456 abc 3x");
    EXPECT_EQ(odd.enemyLoss[0][0], 0);
    EXPECT_EQ(odd.heroLoss[0][0], KILL_VALUE);
    EXPECT_EQ(odd.enemyLoss[1][0], 0);
    EXPECT_EQ(odd.heroLoss[1][0], 3);
    // Binary junk never reads outside the table.
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 97 + 13) & 0xFF);
    DataFile f = openMemoryRead(junk, "crt.dat");
    CombatTable bin;
    readCombatTable(f, bin);
    for (int c = 0; c < CRT_COLUMNS; ++c)
        for (int r = 0; r < CRT_ROWS; ++r) {
            EXPECT_GE(bin.enemyLoss[c][r], 0);
            EXPECT_LE(bin.heroLoss[c][r], KILL_VALUE);
        }
}

TEST(CombatTableCells, RatioColumnsAndNumberRows) {
    for (int ratio : {-11, -12, -40, -2147483647 - 1})
        EXPECT_EQ(lookupCell(ratio, 1, false).column, 0);
    EXPECT_EQ(lookupCell(-10, 1, false).column, 1);
    EXPECT_EQ(lookupCell(-9, 1, false).column, 1);
    EXPECT_EQ(lookupCell(-1, 1, false).column, 5);
    EXPECT_EQ(lookupCell(-2, 1, false).column, 5);
    EXPECT_EQ(lookupCell(0, 1, false).column, 6);
    EXPECT_EQ(lookupCell(1, 1, false).column, 7);
    EXPECT_EQ(lookupCell(2, 1, false).column, 7);
    EXPECT_EQ(lookupCell(11, 1, false).column, 12);
    EXPECT_EQ(lookupCell(40, 1, false).column, 12);
    EXPECT_EQ(lookupCell(28, 1, true).column, 20);
    EXPECT_EQ(lookupCell(29, 1, true).column, 21);
    EXPECT_EQ(lookupCell(2147483647, 1, true).column, 21);
    EXPECT_EQ(lookupCell(0, 0, false).row, 9);
    EXPECT_EQ(lookupCell(0, 1, false).row, 0);
    EXPECT_EQ(lookupCell(0, 9, false).row, 8);
    EXPECT_EQ(rowNumber(9), 0);
    EXPECT_EQ(rowNumber(0), 1);
}

TEST(CombatTableCells, PagingAndLabels) {
    EXPECT_EQ(pageShiftFor(13, false), 0);
    EXPECT_EQ(pageShiftFor(12, true), 0);
    EXPECT_EQ(pageShiftFor(13, true), 1);
    EXPECT_EQ(slotLabel(1, 12, true), "+13/+14");
    EXPECT_EQ(pageShiftFor(29, true), 9);
    EXPECT_EQ(pageShiftFor(400, true), 9);
    EXPECT_EQ(slotLabel(9, 12, true), "+29 >");
    EXPECT_EQ(slotLabel(0, 0, false), "< -11");
    EXPECT_EQ(slotLabel(0, 1, false), "-10/-9");
    EXPECT_EQ(slotLabel(0, 6, false), "0/0");
    EXPECT_EQ(slotLabel(0, 7, false), "+1/+2");
    EXPECT_EQ(slotLabel(0, 12, false), "+11 >");
    EXPECT_EQ(slotLabel(0, 12, true), "+11/+12");
    EXPECT_EQ(columnLabel(5, false), "-2/-1");
    EXPECT_EQ(columnLabel(20, true), "+27/+28");
    EXPECT_EQ(columnLabel(21, true), "+29 >");

    CombatTable t;
    t.enemyLoss[3][2] = KILL_VALUE;
    t.heroLoss[3][2] = 0;
    EXPECT_EQ(cellEnemyLine(t, {3, 2}), "E K");
    EXPECT_EQ(cellHeroLine(t, {3, 2}), "GS -0");
    EXPECT_EQ(cellLossText(6), "-6");
}

TEST(CombatTableData, ShippedTableIsSound) {
    CombatTable t;
    std::string path = std::string(QH_BUILD_DIR) + "/data/misc/crt.dat";
    std::string stored = readRealFile(path);
    ASSERT_FALSE(stored.empty()) << path;
    DataFile f = openMemoryRead(stored, "crt.dat");
    readCombatTable(f, t);
    bool enemyKill = false, heroKill = false;
    for (int c = 0; c < CRT_COLUMNS; ++c)
        for (int r = 0; r < CRT_ROWS; ++r) {
            int n = rowNumber(r) == 0 ? 10 : rowNumber(r);
            enemyKill |= t.enemyLoss[c][r] == KILL_VALUE;
            heroKill |= t.heroLoss[c][r] == KILL_VALUE;
            // The enemy suffers more, the hero less, as ratio and number grow.
            if (c > 0) {
                EXPECT_GE(t.enemyLoss[c][r], t.enemyLoss[c - 1][r]);
                EXPECT_LE(t.heroLoss[c][r], t.heroLoss[c - 1][r]);
            }
            if (n > 1) {
                EXPECT_GE(t.enemyLoss[c][r], t.enemyLoss[c][r - 1]);
                EXPECT_LE(t.heroLoss[c][r], t.heroLoss[c][r - 1]);
            }
        }
    EXPECT_TRUE(enemyKill);
    EXPECT_TRUE(heroKill);
    // The standard table kills at both ends too.
    EXPECT_EQ(t.heroLoss[0][0], KILL_VALUE);
    EXPECT_EQ(t.enemyLoss[12][9], KILL_VALUE);
}
