#include "book/random_table.h"

#include "character/character.h"
#include "character/item_catalogue.h"
#include "fs/data_file.h"

#include <algorithm>

namespace {

constexpr int STEP_BASE_MS[RNT_STEP_COUNT] = {500, 1000, 500, 750, 250};
constexpr int FAST_RESULT_MS = 1500;
constexpr int REGION_BLOCK = 4;
constexpr int VERIFY_PICKS = 3000;

void computeNumber(RandomNumberTable& t) {
    t.number = t.grid[t.column][t.row];
    // Sections that count the table's 0 as ten say so by naming a button.
    if (t.requester.idToAffect != 0 && t.number == 0) t.number = 10;
}

void drawUnguided(RandomNumberTable& t, RandomSource& random) {
    t.column = randomBelow(random, RNT_SIZE);
    t.row = randomBelow(random, RNT_SIZE);
    t.drawn = true;
    computeNumber(t);
}

bool carriesItem(const Character& c, int id) {
    for (const std::vector<Item>* list : {&c.weapons, &c.backpackItems, &c.specialItems})
        for (const Item& i : *list)
            if (i.id == id) return true;
    return false;
}

// One pick the way an unguided pick draws it: column first, then row.
int verifyDigit(const RandomNumberTable& t, RandomSource& s) {
    int col = randomBelow(s, RNT_SIZE);
    int row = randomBelow(s, RNT_SIZE);
    return t.grid[col][row];
}

bool matchesAt(const std::string& text, size_t at, const std::string& pattern) {
    for (size_t k = 0; k < pattern.size(); ++k)
        if (pattern[k] != '?' && pattern[k] != text[at + k]) return false;
    return true;
}

bool occursIn(const std::string& text, const std::string& pattern) {
    if (pattern.size() > text.size()) return false;
    for (size_t at = 0; at + pattern.size() <= text.size(); ++at)
        if (matchesAt(text, at, pattern)) return true;
    return false;
}

} // namespace

void fallbackGrid(RandomNumberTable& table) {
    for (int col = 0; col < RNT_SIZE; ++col)
        for (int row = 0; row < RNT_SIZE; ++row)
            table.grid[col][row] = row;
}

void readTable(DataFile& file, RandomNumberTable& table) {
    fallbackGrid(table);
    std::string token;
    for (int row = 0; row < RNT_SIZE; ++row)
        for (int col = 0; col < RNT_SIZE; ++col) {
            if (!readValue(file, token)) return;
            table.grid[col][row] = std::clamp(parseInt(token), 0, 9);
        }
}

std::string randomTablePath(int book) {
    return "data/books/book" + std::to_string(book) + "/rnt.dat";
}

void loadTable(RandomNumberTable& table, int book) {
    table.book = book;
    DataFile file = openRead(randomTablePath(book));
    if (!file.isOpen()) {
        fallbackGrid(table);
        return;
    }
    readTable(file, table);
    closeFile(file);
}

bool startPick(RandomNumberTable& table, const PickRequest& request, RandomSource& random,
               bool allowGuided) {
    if (table.active) return false;
    table.active = true;
    table.step = 0;
    table.elapsed = 0;
    table.requester = request;
    table.guided = request.value2 != 0;
    table.guidable = allowGuided && !table.guided;
    table.region = RNT_NO_REGION;
    table.drawn = false;
    table.number = -1;
    table.finished = false;
    table.fastResult = false;
    ++table.pickCounter;
    if (!table.guided && !table.guidable) drawUnguided(table, random);
    return true;
}

void regionOrigin(int region, int& column, int& row) {
    int r = std::clamp(region, 1, 9);
    static const int COLUMN_START[3] = {0, 3, 6};
    static const int ROW_START[3] = {6, 3, 0}; // keypad rows from the bottom
    column = COLUMN_START[(r - 1) % 3];
    row = ROW_START[(r - 1) / 3];
}

bool waitingForRegion(const RandomNumberTable& table) {
    return table.active && table.guided && !table.drawn;
}

bool chooseRegion(RandomNumberTable& table, int region, RandomSource& random) {
    if (!table.active || table.drawn || region < 1 || region > 9) return false;
    if (!table.guided && !(table.guidable && table.step == 0)) return false;
    int col0, row0;
    regionOrigin(region, col0, row0);
    table.region = region;
    table.column = col0 + randomBelow(random, REGION_BLOCK);
    table.row = row0 + randomBelow(random, REGION_BLOCK);
    table.drawn = true;
    computeNumber(table);
    return true;
}

int regionFromArrows(int region, int dx, int dy) {
    int r = region >= 1 && region <= 9 ? region : 5;
    int col = std::clamp((r - 1) % 3 + dx, 0, 2);
    int up = std::clamp((r - 1) / 3 - dy, 0, 2); // screen y grows downwards
    return up * 3 + col + 1;
}

int stepDuration(const RandomNumberTable& table, int step, int speed) {
    if (step < 0 || step >= RNT_STEP_COUNT) return 0;
    if (table.fastResult && step == 2) return FAST_RESULT_MS;
    int s = std::clamp(speed, 1, 4);
    return STEP_BASE_MS[step] * (5 - s) / 2;
}

bool updatePick(RandomNumberTable& table, int elapsedMs, int speed, RandomSource& random) {
    if (!table.active || table.finished) return false;
    if (speed >= 4 && table.step == 0 && !table.guided) {
        // Skipping the animation: straight to the result, held a moment.
        if (!table.drawn) drawUnguided(table, random);
        table.step = 2;
        table.elapsed = 0;
        table.fastResult = true;
    }
    table.elapsed += std::max(0, elapsedMs);
    while (table.step < RNT_STEP_COUNT) {
        int duration = stepDuration(table, table.step, speed);
        if (table.elapsed < duration) return false;
        if (table.step == 0 && !table.drawn) {
            if (table.guided) {
                table.elapsed = duration; // wait, fully in, for the player's region
                return false;
            }
            drawUnguided(table, random); // no region chosen while it came in
        }
        table.elapsed -= duration;
        if (table.fastResult && table.step == 2)
            table.step = RNT_STEP_COUNT - 1;
        else
            ++table.step;
    }
    table.finished = true;
    return true;
}

int randomNumberModifiers(int value, const Character& c, std::vector<std::string>& lines) {
    if (value == 0) return 0;
    int total = 0;
    auto add = [&](int amount, const std::string& what) {
        total += amount;
        lines.push_back("`Modifier: +" + std::to_string(amount) + " " + what);
    };
    if (value == -1) {
        if (carriesItem(c, ITEM_ID_JADIN_AMULET)) add(1, "Jadin Amulet");
        return total;
    }
    if (value == 2) return 0; // the section counts the bow itself
    if (value == 1 && c.onBookSeries <= TIER_DRAVIC) {
        if (hasDiscipline(c, TIER_DRAVIC, DISC_WEAPONSKILL) && c.weaponmasteryIn[WEAPON_BOW]) {
            add(3, "Weaponmastery in Bow");
            if (rankLevel(c, TIER_DRAVIC) >= 8) add(2, "Improved Weaponmastery");
        }
        return total;
    }
    // The third tier: Grand Weaponmastery, or the second tier's mastery kept
    // when the whole series was completed without re-rolling.
    if (hasDiscipline(c, TIER_GRAND_MASTER, DISC_WEAPONSKILL) &&
        c.grandWeaponmasteryIn[WEAPON_BOW]) {
        add(3, "Grand Weaponmastery in Bow");
        if (rankLevel(c, TIER_GRAND_MASTER) >= 8) add(1, "Improved Grand Weaponmastery in Bow");
    } else if (c.dravicBooksCompleted >= 7 && !c.gmRerollStats &&
               hasDiscipline(c, TIER_DRAVIC, DISC_WEAPONSKILL) && c.weaponmasteryIn[WEAPON_BOW]) {
        add(3, "Dravic Weaponmastery in Bow");
    }
    return total;
}

PickResult pickResult(const RandomNumberTable& table, const Character& c) {
    PickResult r;
    r.number = std::max(0, table.number);
    r.number += randomNumberModifiers(table.requester.value, c, r.modifierLines);
    r.message = "The number you picked was: " + std::to_string(r.number);
    for (const std::string& line : r.modifierLines)
        r.message += line;
    return r;
}

void endPick(RandomNumberTable& table) {
    table.active = false;
    table.finished = false;
    table.step = 0;
    table.elapsed = 0;
}

std::string pickReport(const RandomNumberTable& table) {
    return "Random Number Table: column " + std::to_string(table.column) + ", row " +
           std::to_string(table.row) + ": " + std::to_string(std::max(0, table.number));
}

bool verifyPicks(const RandomNumberTable& table, int book,
                 const std::vector<RecordedPicks>& records, bool wmBowRnBoost,
                 RandomSource& random) {
    const int seed = random.seed, draws = random.draws;
    // Two copies of the sequence: from the seed, and one draw later, since a
    // pick may have started on either parity.
    RandomSource first;
    first.seed = seed;
    first.seeded = true;
    first.state = static_cast<uint32_t>(seed);
    RandomSource second = first;
    nextRandom(second);
    std::string a, b;
    a.reserve(VERIFY_PICKS);
    b.reserve(VERIFY_PICKS);
    for (int k = 0; k < VERIFY_PICKS; ++k) {
        a += static_cast<char>('0' + verifyDigit(table, first));
        b += static_cast<char>('0' + verifyDigit(table, second));
    }
    bool ok = true;
    for (const RecordedPicks& rec : records) {
        if (rec.book != book) continue;
        bool boosted = wmBowRnBoost && rec.book == 6 && rec.section == 26;
        std::string pattern;
        for (int n : rec.numbers) {
            if (n < 0) {
                pattern.append(static_cast<size_t>(std::min(-static_cast<long long>(n), 3000LL)),
                               '?');
                continue;
            }
            if (boosted) {
                if (n == 0) {
                    pattern += '?';
                    continue;
                }
                n -= 3;
            }
            pattern += static_cast<char>('0' + ((n % 10) + 10) % 10);
        }
        if (!pattern.empty() && !occursIn(a, pattern) && !occursIn(b, pattern)) ok = false;
    }
    // The game's own sequence stays where it was.
    if (random.seeded && (seed != 0 || draws != 0)) seedRandom(random, seed, draws);
    return ok;
}
