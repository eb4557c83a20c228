#include "character/item_catalogue.h"

#include "fs/data_file.h"

#include <algorithm>
#include <cstdio>

namespace {

// Bounds for what a record may claim; anything beyond is malformed data.
constexpr int MAX_BONUS_BLOCKS = 16;
constexpr int MAX_BONUS_ENTRIES = 64;
constexpr int MAX_CATALOGUE_SIZE = 100000;

const char* const BLANK = "*Blank*";

// Values are written on one line: a line break inside one would end it early.
std::string oneLine(const std::string& text) {
    if (text.empty()) return BLANK;
    std::string out(text);
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    return out;
}

std::string numbersLine(const std::vector<int>& values) {
    std::string out = std::to_string(values.size());
    for (int v : values)
        out += " " + std::to_string(v);
    return out;
}

std::string bonusBlockText(const ItemBonus& b) {
    std::string t;
    t += "EP_BONUS: " + std::to_string(b.epBonus) + "\n";
    t += "CS_BONUSES: " + numbersLine(b.csBonuses) + "\n";
    t += "BONUS_AGAINSTS: " + std::to_string(b.bonusAgainsts.size()) + "\n";
    for (const std::string& s : b.bonusAgainsts)
        t += oneLine(s) + "\n";
    t += "DAMAGE_MULTIPLIERS: " + numbersLine(b.damageMultipliers) + "\n";
    t += "MULTIPLY_AGAINSTS: " + std::to_string(b.multiplyAgainsts.size()) + "\n";
    for (const std::string& s : b.multiplyAgainsts)
        t += oneLine(s) + "\n";
    t += "BOW_BONUS: " + std::to_string(b.bowBonus) + "\n";
    t += "EP_PENALTY: " + std::to_string(b.epPenalty) + "\n";
    t += "DONE_WITH_THESE_BONUSES\n";
    return t;
}

// Every line of `text` one level deeper than its surroundings.
std::string indented(const std::string& text) {
    std::string out;
    bool atLineStart = true;
    for (char c : text) {
        if (atLineStart && c != '\n') out += "    ";
        out += c;
        atLineStart = c == '\n';
    }
    return out;
}

std::string flag(bool b) {
    return b ? "1" : "0";
}

int boundedCount(DataFile& file, int limit) {
    return std::clamp(readInt(file), 0, limit);
}

// A text value that stands on a line of its own. Blank lines (left by a value
// with trailing blanks before it) are not values.
std::string readTextLine(DataFile& file) {
    std::string line;
    while (readLine(file, line)) {
        if (!line.empty()) break;
    }
    return line == BLANK ? "" : line;
}

std::vector<int> readNumbers(DataFile& file) {
    int n = boundedCount(file, MAX_BONUS_ENTRIES);
    std::vector<int> values;
    for (int i = 0; i < n; ++i)
        values.push_back(readInt(file));
    return values;
}

std::vector<std::string> readTextLines(DataFile& file) {
    int n = boundedCount(file, MAX_BONUS_ENTRIES);
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i)
        lines.push_back(readTextLine(file));
    return lines;
}

enum class BlockEnd { Done, RecordEnd, Eof };

BlockEnd readBonusBlock(DataFile& file, ItemBonus& b) {
    std::string key;
    while (readValue(file, key)) {
        if (key == "DONE_WITH_THESE_BONUSES") return BlockEnd::Done;
        if (key == "END") return BlockEnd::RecordEnd; // malformed: the block was never closed
        if (key == "EP_BONUS:")
            b.epBonus = readInt(file);
        else if (key == "BOW_BONUS:")
            b.bowBonus = readInt(file);
        else if (key == "EP_PENALTY:")
            b.epPenalty = readInt(file);
        else if (key == "CS_BONUSES:")
            b.csBonuses = readNumbers(file);
        else if (key == "BONUS_AGAINSTS:")
            b.bonusAgainsts = readTextLines(file);
        else if (key == "DAMAGE_MULTIPLIERS:")
            b.damageMultipliers = readNumbers(file);
        else if (key == "MULTIPLY_AGAINSTS:")
            b.multiplyAgainsts = readTextLines(file);
    }
    return BlockEnd::Eof;
}

// The older "BONUS:" layout: fixed order, labels instead of keys, no closing line.
void readOldBonusBlock(DataFile& file, ItemBonus& b) {
    std::string label;
    readValue(file, label);
    b.epBonus = readInt(file);
    readValue(file, label);
    b.csBonuses = readNumbers(file);
    readValue(file, label);
    b.bonusAgainsts = readTextLines(file);
    readValue(file, label);
    b.damageMultipliers = readNumbers(file);
    readValue(file, label);
    b.multiplyAgainsts = readTextLines(file);
}

std::string readRestOfLine(DataFile& file) {
    std::string value;
    readLine(file, value);
    return value;
}

// Reads keys into `item` until "END"; false when the file ends first.
bool readItemFields(DataFile& file, Item& item) {
    std::string key;
    bool ended = false;
    bool truncated = false;
    while (!ended && !truncated && readValue(file, key)) {
        if (key == "END")
            ended = true;
        else if (key == "ID:")
            item.id = readInt(file);
        else if (key == "NAME:")
            item.name = readRestOfLine(file);
        else if (key == "NOTE:")
            item.note = readRestOfLine(file);
        else if (key == "DESCRIPTION:")
            item.description = readRestOfLine(file);
        else if (key == "PIC:")
            item.picture = readRestOfLine(file);
        else if (key == "TYPE:")
            item.type = readInt(file);
        else if (key == "SUB_TYPE:")
            item.subType = readInt(file);
        else if (key == "ARCHETYPE:")
            item.archetype = readRestOfLine(file);
        else if (key == "WEAPON_TYPE:")
            item.weaponType = readInt(file);
        else if (key == "TWO_HANDED:")
            item.twoHanded = readInt(file) != 0;
        else if (key == "METAL_EDGE:")
            item.metalEdge = readInt(file) != 0;
        else if (key == "EQUIPABLE:")
            item.equipable = readInt(file) != 0;
        else if (key == "EQUIPPED:")
            item.equipped = readInt(file) != 0;
        else if (key == "USABLE:")
            item.usable = readInt(file) != 0;
        else if (key == "USES:")
            item.uses = readInt(file);
        else if (key == "CS_BOOST:")
            item.csBoost = readInt(file);
        else if (key == "EP_RESTORE:")
            item.epRestore = readInt(file);
        else if (key == "MEAL:")
            item.meal = readInt(file) != 0;
        else if (key == "POTION:")
            item.potion = readInt(file) != 0;
        else if (key == "SPACE_TAKEN:")
            item.spaceTaken = readInt(file);
        else if (key == "EARMARK:")
            item.earmark = readInt(file);
        else if (key == "ZEJAR_DULAGA:")
            item.zejarDulaga = readInt(file) != 0;
        else if (key == "DESSI_STONE:")
            item.dessiStone = readInt(file) != 0;
        else if (key == "BONUS_ENHANCED:") {
            int count = boundedCount(file, MAX_BONUS_BLOCKS);
            item.bonuses.assign(static_cast<size_t>(count), ItemBonus());
            for (ItemBonus& b : item.bonuses) {
                BlockEnd end = readBonusBlock(file, b);
                truncated = end == BlockEnd::Eof;
                ended = end == BlockEnd::RecordEnd;
                if (end != BlockEnd::Done) break;
            }
        } else if (key == "BONUS:") {
            int count = boundedCount(file, MAX_BONUS_BLOCKS);
            item.bonuses.assign(static_cast<size_t>(count), ItemBonus());
            for (ItemBonus& b : item.bonuses)
                readOldBonusBlock(file, b);
        }
    }
    for (std::string* s :
         {&item.name, &item.note, &item.description, &item.picture, &item.archetype})
        if (*s == BLANK) s->clear();
    return ended;
}

std::string signedValue(int v) {
    return (v > 0 ? "+" : "") + std::to_string(v);
}

} // namespace

bool ItemBonus::operator==(const ItemBonus& o) const {
    return csBonuses == o.csBonuses && bonusAgainsts == o.bonusAgainsts &&
           damageMultipliers == o.damageMultipliers && multiplyAgainsts == o.multiplyAgainsts &&
           epBonus == o.epBonus && bowBonus == o.bowBonus && epPenalty == o.epPenalty;
}

bool Item::operator==(const Item& o) const {
    return id == o.id && name == o.name && note == o.note && description == o.description &&
           picture == o.picture && type == o.type && subType == o.subType &&
           archetype == o.archetype && weaponType == o.weaponType && twoHanded == o.twoHanded &&
           metalEdge == o.metalEdge && equipable == o.equipable && equipped == o.equipped &&
           bonuses == o.bonuses && usable == o.usable && uses == o.uses && csBoost == o.csBoost &&
           epRestore == o.epRestore && meal == o.meal && potion == o.potion &&
           spaceTaken == o.spaceTaken && earmark == o.earmark && zejarDulaga == o.zejarDulaga &&
           dessiStone == o.dessiStone;
}

const ItemBonus& bonusBlock(const Item& item, int ruleVariant) {
    static const ItemBonus DEFAULT_BLOCK;
    if (item.bonuses.empty()) return DEFAULT_BLOCK;
    size_t i = static_cast<size_t>(std::max(ruleVariant, 0));
    return item.bonuses[std::min(i, item.bonuses.size() - 1)];
}

bool writeItem(const Item& item, DataFile& file, bool stateOnly, int& nesting) {
    std::string t;
    t += "ID: " + std::to_string(item.id) + "\n";
    if (stateOnly) {
        t += "EQUIPPED: " + flag(item.equipped) + "\n";
        t += "USES: " + std::to_string(item.uses) + "\n";
        t += "EARMARK: " + std::to_string(item.earmark) + "\n";
        t += "ZEJAR_DULAGA: " + flag(item.zejarDulaga) + "\n";
        t += "DESSI_STONE: " + flag(item.dessiStone) + "\n";
    } else {
        t += "NAME: " + oneLine(item.name) + "\n";
        t += "NOTE: " + oneLine(item.note) + "\n";
        t += "DESCRIPTION: " + oneLine(item.description) + "\n";
        t += "PIC: " + oneLine(item.picture) + "\n";
        t += "TYPE: " + std::to_string(item.type) + "\n";
        t += "SUB_TYPE: " + std::to_string(item.subType) + "\n";
        t += "ARCHETYPE: " + oneLine(item.archetype) + "\n";
        t += "WEAPON_TYPE: " + std::to_string(item.weaponType) + "\n";
        t += "TWO_HANDED: " + flag(item.twoHanded) + "\n";
        t += "METAL_EDGE: " + flag(item.metalEdge) + "\n";
        t += "EQUIPABLE: " + flag(item.equipable) + "\n";
        t += "EQUIPPED: " + flag(item.equipped) + "\n";
        t += "BONUS_ENHANCED: " + std::to_string(item.bonuses.size()) + "\n";
        for (const ItemBonus& b : item.bonuses)
            t += indented(bonusBlockText(b));
        t += "USABLE: " + flag(item.usable) + "\n";
        t += "USES: " + std::to_string(item.uses) + "\n";
        t += "CS_BOOST: " + std::to_string(item.csBoost) + "\n";
        t += "EP_RESTORE: " + std::to_string(item.epRestore) + "\n";
        t += "MEAL: " + flag(item.meal) + "\n";
        t += "POTION: " + flag(item.potion) + "\n";
        t += "SPACE_TAKEN: " + std::to_string(item.spaceTaken) + "\n";
        t += "EARMARK: " + std::to_string(item.earmark) + "\n";
    }
    ++nesting;
    bool ok = writeText(nesting, file, t);
    ok = writeText(nesting, file, "END\n") && ok;
    --nesting;
    return ok;
}

bool readItem(DataFile& file, Item& item) {
    item = Item();
    return readItemFields(file, item);
}

bool readItemState(DataFile& file, const std::vector<Item>& catalogue, Item& out) {
    std::string token;
    if (!readValue(file, token)) return false;
    if (token != "ID:") std::printf("Unexpected error reading items... \n");
    int id = readInt(file);
    out = item(catalogue, id);
    return readItemFields(file, out);
}

bool isValidItemId(const std::vector<Item>& catalogue, int id) {
    return id >= 0 && static_cast<size_t>(id) < catalogue.size();
}

Item item(const std::vector<Item>& catalogue, int id) {
    if (isValidItemId(catalogue, id)) return catalogue[static_cast<size_t>(id)];
    std::printf("Invalid item ID (%d) requested from the item catalogue.\n", id);
    return catalogue.empty() ? Item() : catalogue.front();
}

bool loadCatalogue(std::vector<Item>& catalogue, const std::string& path) {
    catalogue.clear();
    DataFile file = openRead(path);
    if (!file.isOpen()) {
        std::printf("Couldn't open the items file for reading. Proceeding with NO ITEMS!\n");
        catalogue.emplace_back();
        return false;
    }
    int count = std::clamp(readInt(file), 0, MAX_CATALOGUE_SIZE);
    for (int i = 0; i < count; ++i) {
        Item entry;
        if (!readItem(file, entry)) {
            std::printf("Unexpected EOF while reading %s\n", path.c_str());
            break;
        }
        entry.id = i; // the position is the ID sections refer to
        catalogue.push_back(entry);
    }
    closeFile(file);
    if (catalogue.empty()) catalogue.emplace_back();
    return true;
}

std::string itemListLine(const Item& item) {
    std::string line = std::to_string(item.id) + ": " + item.name;
    if (item.csBoost != 0) line += ": " + signedValue(item.csBoost) + " CS";
    if (item.epRestore != 0) line += ": " + signedValue(item.epRestore) + " EP";
    return line + " - " + item.description;
}

bool saveCatalogue(const std::vector<Item>& catalogue, const std::string& path,
                   const std::string& listPath) {
    DataFile file = openWrite(path);
    if (!file.isOpen()) {
        std::printf("Unable to save the items file. Serious error! Check permissions!\n");
        return false;
    }
    int nesting = 0;
    bool ok = writeText(nesting, file, std::to_string(catalogue.size()) + "\n");
    for (const Item& entry : catalogue)
        ok = writeItem(entry, file, false, nesting) && ok;
    if (!closeFile(file) || !ok) return false;

    DataFile list = openWrite(listPath);
    if (!list.isOpen()) {
        std::printf("Can't write the item short list. Check permissions!\n");
        return false;
    }
    std::string text;
    for (const Item& entry : catalogue)
        text += itemListLine(entry) + "\n";
    if (!text.empty()) writeText(0, list, text);
    return closeFile(list);
}

std::string itemLabel(const Item& item, int weaponRules, int armorRules, int limitSi, int onBook) {
    std::string label = item.name;
    if (item.dessiStone) label += " w/ Dessi Stone";
    if (item.csBoost != 0) label += ": " + signedValue(item.csBoost) + " CS";
    if (item.epRestore != 0)
        label += (item.csBoost != 0 ? ", " : ": ") + signedValue(item.epRestore) + " EP";

    const ItemBonus& weapon = bonusBlock(item, weaponRules);
    bool shownCs = !weapon.csBonuses.empty() && weapon.csBonuses[0] != 0;
    if (shownCs) label += ": " + signedValue(weapon.csBonuses[0]) + " CS";
    if (weapon.bowBonus != 0) label += ": " + signedValue(weapon.bowBonus);

    int ep = bonusBlock(item, armorRules).epBonus;
    if (ep > 0) {
        if (!shownCs) label += ":";
        if (armorRules == 1)
            label += " +" + std::to_string(ep) + " CS";
        else if (armorRules == 2)
            label += " +" + std::to_string(ep / 2) + " CS +" + std::to_string(ep / 2) + " EP";
        else
            label += " +" + std::to_string(ep) + " EP";
    }

    if (item.uses > 1 && item.archetype.compare(0, 3, "Map") != 0)
        label += " (x" + std::to_string(item.uses) + ")";
    if (item.type == ITEM_SPECIAL && item.spaceTaken == 0 &&
        (limitSi == 1 || (limitSi == 0 && onBook >= 8)))
        label += "*";
    return label;
}
