// The item catalogue "/data/misc/items.dat": every object the hero can own.
// An item's ID is its position in the catalogue; inventory lists hold copies
// whose few changeable fields are saved with the campaign (state-only records).
#pragma once

#include <string>
#include <vector>

struct DataFile;

constexpr const char* ITEMS_PATH = "/data/misc/items.dat";
constexpr const char* ITEM_LIST_PATH = "itemlist.txt";

// Item types: who carries the item and by which rule.
constexpr int ITEM_NONE = 0;
constexpr int ITEM_WEAPON = 1;
constexpr int ITEM_BACKPACK = 2;
constexpr int ITEM_SPECIAL = 3;
constexpr int ITEM_THE_BACKPACK = 4;
constexpr int ITEM_THE_BELT_POUCH = 5;

// Special Item sub-types: 1 is wielded like a weapon; 2-5 are armour slots.
constexpr int SUB_WEAPON_LIKE = 1;
constexpr int SUB_ARMOR_HEAD = 2;
constexpr int SUB_ARMOR_BODY = 3;
constexpr int SUB_ARMOR_ARMS = 4;
constexpr int SUB_ARMOR_LEGS = 5;

// Well-known catalogue IDs that the rules single out.
constexpr int ITEM_ID_SUNBLADE = 10;
constexpr int ITEM_ID_SHIELD = 36;
constexpr int ITEM_ID_SILVER_HELMET = 76;
constexpr int ITEM_ID_BACILLUS_CURE_A = 92;
constexpr int ITEM_ID_ARROW = 117;
constexpr int ITEM_ID_CRACKED_JAKAN = 123;
constexpr int ITEM_ID_KALTE_BONE_BOW = 127;
constexpr int ITEM_ID_FIRESEED = 140;
constexpr int ITEM_ID_BACILLUS_CURE_B = 164;
constexpr int ITEM_ID_GREY_CRYSTAL_RING = 166;
constexpr int ITEM_ID_PSYCHIC_RING = 189;
constexpr int ITEM_ID_DRAVIC_ONLY = 243;
constexpr int ITEM_ID_ZEJAR_DULAGA = 246;
constexpr int ITEM_ID_JADIN_AMULET = 286;

// One block of combat and ENDURANCE bonuses. An item holds one per rule
// variant: "WEAPON_RULES:" picks the block for COMBAT SKILL and damage,
// "ARMOR_RULES:" the block for ENDURANCE.
struct ItemBonus {
    std::vector<int> csBonuses{0};                 // entry k against bonusAgainsts[k]
    std::vector<std::string> bonusAgainsts{"All"}; // enemy kinds, "All" or an enemy number
    std::vector<int> damageMultipliers{10};        // tenths: 10 normal, 20 double
    std::vector<std::string> multiplyAgainsts{"All"};
    int epBonus = 0;
    int bowBonus = 0;
    int epPenalty = 0;

    bool operator==(const ItemBonus& o) const;
    bool operator!=(const ItemBonus& o) const { return !(*this == o); }
};

struct Item {
    int id = 0;
    std::string name = "Item";
    std::string note;
    std::string description; // "`" breaks lines
    std::string picture;
    int type = ITEM_BACKPACK;
    int subType = 0;
    std::string archetype; // "Shield", "Armor", "Arrow", "Quiver", "Fireseed", "Map"...
    int weaponType = 0;
    bool twoHanded = false;
    bool metalEdge = true;
    bool equipable = false;
    bool equipped = false; // state
    std::vector<ItemBonus> bonuses = std::vector<ItemBonus>(3);
    bool usable = false;
    int uses = 1; // state: doses, charges, arrows in a quiver, or a map's number
    int csBoost = 0;
    int epRestore = 0;
    bool meal = false;
    bool potion = false;
    int spaceTaken = 1;
    int earmark = 0;          // state
    bool zejarDulaga = false; // state
    bool dessiStone = false;  // state

    bool operator==(const Item& o) const;
    bool operator!=(const Item& o) const { return !(*this == o); }
};

// The bonus block for a rule variant. A record with fewer blocks than variants
// uses its last block for the missing ones; one without blocks the default block.
const ItemBonus& bonusBlock(const Item& item, int ruleVariant);

// One record. The full form is the catalogue's; the state-only form (ID,
// equipped, uses, earmark and the two flags) is what saves carry. `nesting` is
// the writer's nesting counter; it is raised for the record and restored.
bool writeItem(const Item& item, DataFile& file, bool stateOnly, int& nesting);
// Reads the keys of one record into `item` until "END" (keys in any order,
// unknown tokens skipped). Starts from the default item. False when the file
// ended before "END" (what was read is kept).
bool readItem(DataFile& file, Item& item);
// Reads a state-only record: "ID:" and the ID, then the fields over a copy of
// that catalogue entry, until "END".
bool readItemState(DataFile& file, const std::vector<Item>& catalogue, Item& item);

// Copy of catalogue entry `id`; an ID outside the catalogue prints a diagnostic
// and gives the first entry (the catalogue is never empty once loaded).
Item item(const std::vector<Item>& catalogue, int id);
bool isValidItemId(const std::vector<Item>& catalogue, int id);

// Reads the catalogue; a missing or empty file leaves one default item.
bool loadCatalogue(std::vector<Item>& catalogue, const std::string& path = ITEMS_PATH);
// Writes the catalogue, then the short list "itemlist.txt".
bool saveCatalogue(const std::vector<Item>& catalogue, const std::string& path = ITEMS_PATH,
                   const std::string& listPath = ITEM_LIST_PATH);
// One line of the short list (without the line end).
std::string itemListLine(const Item& item);

// The text the Action Chart and selection lists show for an item.
std::string itemLabel(const Item& item, int weaponRules, int armorRules, int limitSi, int onBook);
