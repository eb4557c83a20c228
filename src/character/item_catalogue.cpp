#include "character/item_catalogue.h"

#include "fs/data_file.h"
#include "fs/record_fields.h"

#include <algorithm>
#include <cstdio>

namespace {

// Bounds for what a record may claim; anything beyond is malformed data.
constexpr int MAX_BONUS_BLOCKS = 16;
constexpr int MAX_BONUS_ENTRIES = 64;
constexpr int MAX_CATALOGUE_SIZE = 100000;

constexpr const char* BONUS_CLOSER = "DONE_WITH_THESE_BONUSES";

const FieldTable<ItemBonus>& bonusFields() {
    using B = ItemBonus;
    static const FieldTable<ItemBonus> T = {
        intField("EP_BONUS:", &B::epBonus),
        intListField("CS_BONUSES:", &B::csBonuses).maxCount(MAX_BONUS_ENTRIES),
        lineListField("BONUS_AGAINSTS:", &B::bonusAgainsts).maxCount(MAX_BONUS_ENTRIES),
        intListField("DAMAGE_MULTIPLIERS:", &B::damageMultipliers).maxCount(MAX_BONUS_ENTRIES),
        lineListField("MULTIPLY_AGAINSTS:", &B::multiplyAgainsts).maxCount(MAX_BONUS_ENTRIES),
        intField("BOW_BONUS:", &B::bowBonus),
        intField("EP_PENALTY:", &B::epPenalty),
    };
    return T;
}

// "BONUS_ENHANCED:" n and n keyed blocks, each closed by its own word. Blocks
// are kept as they are read; an "END" where a block or its closing word
// should be closes the whole item.
RecordEnd readBonusBlocks(DataFile& file, Item& item) {
    const int count = readCount(file, MAX_BONUS_BLOCKS);
    item.bonuses.clear();
    std::string next;
    for (int i = 0; i < count; ++i) {
        if (!peekValue(file, next)) return RecordEnd::Eof;
        if (next == "END") return RecordEnd::Open;
        ItemBonus b;
        const RecordEnd end = readRecord(file, b, bonusFields(), BONUS_CLOSER, "END");
        item.bonuses.push_back(b);
        if (end == RecordEnd::OuterClosed) return RecordEnd::Closed;
        if (end == RecordEnd::Eof) return end;
    }
    return RecordEnd::Open;
}

void writeBonusBlocks(RecordWriter& w, const Item& item) {
    w.line("BONUS_ENHANCED: " + std::to_string(item.bonuses.size()));
    Nest blocks(w);
    for (const ItemBonus& b : item.bonuses) {
        writeFields(w, b, bonusFields());
        w.line(BONUS_CLOSER);
    }
}

std::vector<int> readNumbers(DataFile& file) {
    int n = readCount(file, MAX_BONUS_ENTRIES);
    std::vector<int> values;
    for (int i = 0; i < n && !atEnd(file); ++i)
        values.push_back(readInt(file));
    return values;
}

std::vector<std::string> readTextLines(DataFile& file) {
    int n = readCount(file, MAX_BONUS_ENTRIES);
    std::vector<std::string> lines;
    for (int i = 0; i < n && !atEnd(file); ++i)
        lines.push_back(readListLine(file));
    return lines;
}

// The older "BONUS:" layout: fixed order, labels instead of keys, no closing line.
RecordEnd readOldBonusBlocks(DataFile& file, Item& item) {
    const int count = readCount(file, MAX_BONUS_BLOCKS);
    item.bonuses.clear();
    for (int i = 0; i < count && !atEnd(file); ++i) {
        ItemBonus b;
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
        item.bonuses.push_back(b);
    }
    return RecordEnd::Open;
}

// The catalogue's record, in written order. The two state flags are never in
// the catalogue, but any key may be read over a copy in a save.
const FieldTable<Item>& itemFields() {
    using I = Item;
    static const FieldTable<Item> T = {
        intField("ID:", &I::id),
        lineField("NAME:", &I::name),
        lineField("NOTE:", &I::note),
        lineField("DESCRIPTION:", &I::description),
        lineField("PIC:", &I::picture),
        intField("TYPE:", &I::type),
        intField("SUB_TYPE:", &I::subType),
        lineField("ARCHETYPE:", &I::archetype),
        intField("WEAPON_TYPE:", &I::weaponType),
        boolField("TWO_HANDED:", &I::twoHanded),
        boolField("METAL_EDGE:", &I::metalEdge),
        boolField("EQUIPABLE:", &I::equipable),
        boolField("EQUIPPED:", &I::equipped),
        customField<Item>("BONUS_ENHANCED:", readBonusBlocks, writeBonusBlocks),
        customField<Item>("BONUS:", readOldBonusBlocks, nullptr),
        boolField("USABLE:", &I::usable),
        intField("USES:", &I::uses),
        intField("CS_BOOST:", &I::csBoost),
        intField("EP_RESTORE:", &I::epRestore),
        boolField("MEAL:", &I::meal),
        boolField("POTION:", &I::potion),
        intField("SPACE_TAKEN:", &I::spaceTaken),
        intField("EARMARK:", &I::earmark),
        boolField("ZEJAR_DULAGA:", &I::zejarDulaga).readOnly(),
        boolField("DESSI_STONE:", &I::dessiStone).readOnly(),
    };
    return T;
}

// What saves carry of an inventory item.
const FieldTable<Item>& itemStateFields() {
    using I = Item;
    static const FieldTable<Item> T = {
        intField("ID:", &I::id),
        boolField("EQUIPPED:", &I::equipped),
        intField("USES:", &I::uses),
        intField("EARMARK:", &I::earmark),
        boolField("ZEJAR_DULAGA:", &I::zejarDulaga),
        boolField("DESSI_STONE:", &I::dessiStone),
    };
    return T;
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
    RecordWriter w(file, nesting);
    writeRecord(w, item, stateOnly ? itemStateFields() : itemFields());
    return w.ok();
}

bool readItem(DataFile& file, Item& item) {
    item = Item();
    return readRecord(file, item, itemFields()) == RecordEnd::Closed;
}

bool readItemState(DataFile& file, const std::vector<Item>& catalogue, Item& out) {
    std::string token;
    if (!readValue(file, token)) return false;
    if (token != "ID:") std::printf("Unexpected error reading items... \n");
    int id = readInt(file);
    out = item(catalogue, id);
    return readRecord(file, out, itemFields()) == RecordEnd::Closed;
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
        if (!readItem(file, entry)) break; // the reader said where the file ended
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
    RecordWriter w(file);
    w.line(std::to_string(catalogue.size()));
    for (const Item& entry : catalogue)
        writeRecord(w, entry, itemFields());
    const bool ok = w.ok();
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
