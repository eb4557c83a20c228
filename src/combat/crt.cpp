#include "combat/crt.h"

#include "fs/data_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

void readCombatTable(DataFile& file, CombatTable& table) {
    for (int row = 0; row < CRT_ROWS; ++row)
        for (int col = 0; col < CRT_COLUMNS; ++col) {
            // readInt yields 0 at the end of the file, so a short file leaves zeros.
            table.enemyLoss[col][row] = std::clamp(readInt(file), 0, KILL_VALUE);
            table.heroLoss[col][row] = std::clamp(readInt(file), 0, KILL_VALUE);
        }
}

bool writeCombatTable(const CombatTable& table, DataFile& file) {
    bool ok = true;
    for (int row = 0; row < CRT_ROWS; ++row) {
        std::string line = "## random number " + std::to_string(rowNumber(row)) + "\n";
        for (int col = 0; col < CRT_COLUMNS; ++col) {
            line += std::to_string(table.enemyLoss[col][row]) + " " +
                    std::to_string(table.heroLoss[col][row]);
            line += col + 1 < CRT_COLUMNS ? "  " : "\n";
        }
        ok = writeText(0, file, line) && ok;
    }
    return ok;
}

bool loadCombatTable(CombatTable& table, const std::string& path) {
    DataFile file = openRead(path);
    if (!file.isOpen()) return false;
    readCombatTable(file, table);
    closeFile(file);
    table.loaded = true;
    return true;
}

void loadCombatResultsTable(CombatTable& table) {
    if (table.loaded) return;
    if (!loadCombatTable(table)) {
        std::printf("Couldn't open combat result table file. Aborting...\n");
        std::fflush(stdout);
        std::exit(0);
    }
}

int lastColumn(bool extended) {
    return extended ? CRT_EXTENDED_LAST_COLUMN : CRT_STANDARD_LAST_COLUMN;
}

CrtCell lookupCell(int ratio, int number, bool extended) {
    // Half steps truncate toward zero: +1/+2 share a column, as do -1/-2.
    long long r = ratio;
    long long half = r == 0 ? 0 : r > 0 ? (r + 1) / 2 : (r - 1) / 2;
    long long col = std::clamp<long long>(half + CRT_ZERO_COLUMN, 0, lastColumn(extended));
    CrtCell cell;
    cell.column = static_cast<int>(col);
    int n = ((number % 10) + 10) % 10;
    cell.row = n == 0 ? CRT_ROWS - 1 : n - 1;
    return cell;
}

int pageShiftFor(int ratio, bool extended) {
    if (!extended || ratio <= 12) return 0;
    long long shift = (static_cast<long long>(ratio) - 11) / 2;
    return static_cast<int>(std::min<long long>(shift, CRT_COLUMNS - CRT_VISIBLE_COLUMNS));
}

std::string slotLabel(int pageShift, int slot, bool extended) {
    if (slot == 0 && pageShift == 0) return "< -11";
    int v = 2 * pageShift + 2 * slot - 12;
    if (extended && v == 30) return "+29 >";
    if (!extended && slot == CRT_VISIBLE_COLUMNS - 1) return "+11 >";
    if (v > 0) return "+" + std::to_string(v - 1) + "/+" + std::to_string(v);
    if (v == 0) return "0/0";
    return std::to_string(v) + "/" + std::to_string(v + 1);
}

std::string columnLabel(int column, bool extended) {
    int c = std::clamp(column, 0, lastColumn(extended));
    // The column as the first slot of a window that starts on it, or as the
    // last slot of the unshifted window.
    if (c < CRT_VISIBLE_COLUMNS) return slotLabel(0, c, extended);
    return slotLabel(c - (CRT_VISIBLE_COLUMNS - 1), CRT_VISIBLE_COLUMNS - 1, extended);
}

int rowNumber(int row) {
    return row == CRT_ROWS - 1 ? 0 : row + 1;
}

std::string cellLossText(int loss) {
    if (loss >= KILL_VALUE) return "K";
    return "-" + std::to_string(loss);
}

std::string cellEnemyLine(const CombatTable& table, CrtCell cell) {
    return "E " + cellLossText(table.enemyLoss[cell.column][cell.row]);
}

std::string cellHeroLine(const CombatTable& table, CrtCell cell) {
    return "GS " + cellLossText(table.heroLoss[cell.column][cell.row]);
}
