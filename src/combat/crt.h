// The Combat Results Table: one round's combat ratio and random number give
// the ENDURANCE the enemy and the hero lose. The table is data
// ("data/misc/crt.dat"); this file holds its reader, the cell rule and the
// labels, all without a window so both front ends and the tests share them.
#pragma once

#include "combat/combat_record.h" // KILL_VALUE

#include <string>

struct DataFile;

constexpr int CRT_COLUMNS = 22;
constexpr int CRT_ROWS = 10;
constexpr int CRT_VALUE_COUNT = CRT_COLUMNS * CRT_ROWS * 2;
// Columns shown at once; also the standard table's width.
constexpr int CRT_VISIBLE_COLUMNS = 13;
constexpr int CRT_STANDARD_LAST_COLUMN = 12;
constexpr int CRT_EXTENDED_LAST_COLUMN = 21;
constexpr int CRT_ZERO_COLUMN = 6; // ratio 0
constexpr const char* CRT_PATH = "data/misc/crt.dat";

struct CombatTable {
    int enemyLoss[CRT_COLUMNS][CRT_ROWS] = {};
    int heroLoss[CRT_COLUMNS][CRT_ROWS] = {};
    bool loaded = false;
};

struct CrtCell {
    int column = 0;
    int row = 0;
};

// Reads the 440 values, row by row (random numbers 1..9 then 0), column by
// column, enemy loss before hero loss. Missing values stay 0; values are kept
// within 0..KILL_VALUE; anything after the 440th is ignored.
void readCombatTable(DataFile& file, CombatTable& table);
// The same layout, one table row per line, with a comment naming each row.
bool writeCombatTable(const CombatTable& table, DataFile& file);
// Opens and reads the file; false when it cannot be opened.
bool loadCombatTable(CombatTable& table, const std::string& path = CRT_PATH);
// Once per program: a table that is missing cannot be played without, so it
// prints "Couldn't open combat result table file. Aborting...\n" and exits.
void loadCombatResultsTable(CombatTable& table);

// The cell of a ratio and a random number (0-9; 0 reads the last row).
CrtCell lookupCell(int ratio, int number, bool extended);
int lastColumn(bool extended);

// First table column of the 13 shown for a ratio (paging of the extended table).
int pageShiftFor(int ratio, bool extended);
// The header label of visible slot 0-12 at a page shift.
std::string slotLabel(int pageShift, int slot, bool extended);
// The ratio label of a table column ("< -11", "-10/-9", "0/0", "+1/+2", "+29 >").
std::string columnLabel(int column, bool extended);
// The random number a row belongs to: 1..9, then 0.
int rowNumber(int row);
// A loss as a cell shows it: "K" from KILL_VALUE on, else "-" and the value.
std::string cellLossText(int loss);
// The two lines of a cell: "E" with the enemy's loss, "GS" with the hero's.
std::string cellEnemyLine(const CombatTable& table, CrtCell cell);
std::string cellHeroLine(const CombatTable& table, CrtCell cell);
