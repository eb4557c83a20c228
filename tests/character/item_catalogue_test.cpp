#include "character/item_catalogue.h"
#include "fs/data_file.h"
#include "fs/vfs.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Item sampleAxe() {
    Item axe;
    axe.id = 6;
    axe.name = "Axe";
    axe.description = "A woodsman's axe.`Heavy in the hand.";
    axe.type = ITEM_WEAPON;
    axe.weaponType = 6;
    axe.equipable = true;
    axe.bonuses.resize(2);
    axe.bonuses[1].csBonuses = {2, -1};
    axe.bonuses[1].bonusAgainsts = {"Undead", "All"};
    axe.bonuses[1].damageMultipliers = {20};
    axe.bonuses[1].multiplyAgainsts = {"Undead"};
    axe.bonuses[1].epBonus = 3;
    return axe;
}

Item readOne(const std::string& plain) {
    DataFile f = openMemoryRead(plain, "x.txt");
    Item it;
    readItem(f, it);
    return it;
}

} // namespace

TEST(ItemWriter, GoldenFullRecord) {
    DataFile f = openMemoryWrite("/data/misc/items.dat");
    int nesting = 0;
    ASSERT_TRUE(writeItem(sampleAxe(), f, false, nesting));
    EXPECT_EQ(nesting, 0);
    const std::string expected = "ID: 6\r\n"
                                 "    NAME: Axe\r\n"
                                 "    NOTE: *Blank*\r\n"
                                 "    DESCRIPTION: A woodsman's axe.`Heavy in the hand.\r\n"
                                 "    PIC: *Blank*\r\n"
                                 "    TYPE: 1\r\n"
                                 "    SUB_TYPE: 0\r\n"
                                 "    ARCHETYPE: *Blank*\r\n"
                                 "    WEAPON_TYPE: 6\r\n"
                                 "    TWO_HANDED: 0\r\n"
                                 "    METAL_EDGE: 1\r\n"
                                 "    EQUIPABLE: 1\r\n"
                                 "    EQUIPPED: 0\r\n"
                                 "    BONUS_ENHANCED: 2\r\n"
                                 "        EP_BONUS: 0\r\n"
                                 "        CS_BONUSES: 1 0\r\n"
                                 "        BONUS_AGAINSTS: 1\r\n"
                                 "        All\r\n"
                                 "        DAMAGE_MULTIPLIERS: 1 10\r\n"
                                 "        MULTIPLY_AGAINSTS: 1\r\n"
                                 "        All\r\n"
                                 "        BOW_BONUS: 0\r\n"
                                 "        EP_PENALTY: 0\r\n"
                                 "        DONE_WITH_THESE_BONUSES\r\n"
                                 "        EP_BONUS: 3\r\n"
                                 "        CS_BONUSES: 2 2 -1\r\n"
                                 "        BONUS_AGAINSTS: 2\r\n"
                                 "        Undead\r\n"
                                 "        All\r\n"
                                 "        DAMAGE_MULTIPLIERS: 1 20\r\n"
                                 "        MULTIPLY_AGAINSTS: 1\r\n"
                                 "        Undead\r\n"
                                 "        BOW_BONUS: 0\r\n"
                                 "        EP_PENALTY: 0\r\n"
                                 "        DONE_WITH_THESE_BONUSES\r\n"
                                 "    USABLE: 0\r\n"
                                 "    USES: 1\r\n"
                                 "    CS_BOOST: 0\r\n"
                                 "    EP_RESTORE: 0\r\n"
                                 "    MEAL: 0\r\n"
                                 "    POTION: 0\r\n"
                                 "    SPACE_TAKEN: 1\r\n"
                                 "    EARMARK: 0\r\n"
                                 "END\r\n";
    EXPECT_EQ(unshiftBytes(f.data), expected);
    EXPECT_EQ(f.data, shiftBytes(expected));

    DataFile in = openMemoryRead(f.data, "/data/misc/items.dat");
    Item back;
    ASSERT_TRUE(readItem(in, back));
    EXPECT_EQ(back, sampleAxe());
}

TEST(ItemWriter, GoldenStateOnlyRecordNestedInASave) {
    Item quiver;
    quiver.id = 118;
    quiver.name = "Quiver";
    quiver.equipped = true;
    quiver.uses = 4;
    quiver.earmark = 7;
    quiver.zejarDulaga = true;
    DataFile f = openMemoryWrite("/data/profiles/resume1.dat");
    int nesting = 1; // inside a character record
    ASSERT_TRUE(writeItem(quiver, f, true, nesting));
    EXPECT_EQ(nesting, 1);
    EXPECT_EQ(f.data, shiftBytes("    ID: 118\r\n"
                                 "        EQUIPPED: 1\r\n"
                                 "        USES: 4\r\n"
                                 "        EARMARK: 7\r\n"
                                 "        ZEJAR_DULAGA: 1\r\n"
                                 "        DESSI_STONE: 0\r\n"
                                 "    END\r\n"));

    std::vector<Item> catalogue(119);
    catalogue[118].id = 118;
    catalogue[118].name = "Quiver";
    catalogue[118].archetype = "Quiver";
    DataFile in = openMemoryRead(f.data, "/data/profiles/resume1.dat");
    Item back;
    ASSERT_TRUE(readItemState(in, catalogue, back));
    EXPECT_EQ(back.id, 118);
    EXPECT_EQ(back.archetype, "Quiver"); // from the catalogue
    EXPECT_TRUE(back.equipped);
    EXPECT_EQ(back.uses, 4);
    EXPECT_EQ(back.earmark, 7);
    EXPECT_TRUE(back.zejarDulaga);
    EXPECT_FALSE(back.dessiStone);
}

TEST(ItemReader, get) {
    // No bonus blocks: three default ones. Keys in any order, comments, unknown keys.
    Item plain = readOne("## a comment\n"
                         "TYPE: 3\n"
                         "NAME:   Silver Key of the Undercroft\n"
                         "NOTE: *Blank*\n"
                         "MYSTERY_KEY: 12\n"
                         "SPACE_TAKEN: 0\n"
                         "PIC: *Blank*\n"
                         "END\n");
    EXPECT_EQ(plain.name, "Silver Key of the Undercroft");
    EXPECT_EQ(plain.note, "");
    EXPECT_EQ(plain.picture, "");
    EXPECT_EQ(plain.type, ITEM_SPECIAL);
    EXPECT_EQ(plain.spaceTaken, 0);
    ASSERT_EQ(plain.bonuses.size(), 3u);
    for (const ItemBonus& b : plain.bonuses) {
        EXPECT_EQ(b.csBonuses, std::vector<int>{0});
        EXPECT_EQ(b.bonusAgainsts, std::vector<std::string>{"All"});
        EXPECT_EQ(b.damageMultipliers, std::vector<int>{10});
        EXPECT_EQ(b.multiplyAgainsts, std::vector<std::string>{"All"});
    }
    EXPECT_EQ(plain.uses, 1);
    EXPECT_TRUE(plain.metalEdge);

    // The older "BONUS:" layout: labels, no closing line.
    Item old = readOne("NAME: Old Blade\n"
                       "BONUS: 2\n"
                       "BLOCK0 4 CS 2 1 -2\nAGAINST 2\nUndead\nAll\n"
                       "MULT 1 20\nMAGAINST 1\nUndead\n"
                       "BLOCK1 0 CS 1 3\nAGAINST 1\nAll\nMULT 0\nMAGAINST 0\n"
                       "USES: 2\nEND\n");
    ASSERT_EQ(old.bonuses.size(), 2u);
    EXPECT_EQ(old.bonuses[0].epBonus, 4);
    EXPECT_EQ(old.bonuses[0].csBonuses, (std::vector<int>{1, -2}));
    EXPECT_EQ(old.bonuses[0].bonusAgainsts, (std::vector<std::string>{"Undead", "All"}));
    EXPECT_EQ(old.bonuses[0].damageMultipliers, std::vector<int>{20});
    EXPECT_EQ(old.bonuses[0].multiplyAgainsts, std::vector<std::string>{"Undead"});
    EXPECT_EQ(old.bonuses[1].csBonuses, std::vector<int>{3});
    EXPECT_TRUE(old.bonuses[1].damageMultipliers.empty());
    EXPECT_EQ(old.uses, 2);
    // A record with fewer blocks than rule variants uses its last block.
    EXPECT_EQ(bonusBlock(old, 2).csBonuses, std::vector<int>{3});
    EXPECT_EQ(bonusBlock(old, -1).epBonus, 4);
}

TEST(ItemReader, syntax_error) {
    // End of file in the middle of a record: what was read is kept.
    DataFile f = openMemoryRead("NAME: Torn\nUSES: 3\nBONUS_ENHANCED: 1\nEP_BONUS: 2\n", "x.txt");
    Item it;
    EXPECT_FALSE(readItem(f, it));
    EXPECT_EQ(it.name, "Torn");
    EXPECT_EQ(it.uses, 3);

    // Absurd counts are bounded; an unclosed block ends at the record's END.
    Item huge = readOne("BONUS_ENHANCED: 999999999\nCS_BONUSES: 2000000000 1 2\nEND\n"
                        "NAME: Next record\nEND\n");
    EXPECT_LE(huge.bonuses.size(), 16u);
    EXPECT_EQ(huge.name, "Item");
    Item noBlocks = readOne("BONUS_ENHANCED: 0\nEND\n");
    EXPECT_TRUE(noBlocks.bonuses.empty());
    EXPECT_EQ(bonusBlock(noBlocks, 1).damageMultipliers, std::vector<int>{10});

    // A state-only record that does not start with "ID:" warns and goes on.
    std::vector<Item> catalogue(3);
    catalogue[2].name = "Rope";
    DataFile s = openMemoryRead("IDENT: 2\nUSES: 5\nEND\n", "x.txt");
    Item state;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(readItemState(s, catalogue, state));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Unexpected error reading items... \n");
    EXPECT_EQ(state.name, "Rope");
    EXPECT_EQ(state.uses, 5);

    // An ID outside the catalogue gives the first entry and a diagnostic.
    catalogue[0].name = "First";
    testing::internal::CaptureStdout();
    EXPECT_EQ(item(catalogue, 3).name, "First");
    EXPECT_EQ(item(catalogue, -1).name, "First");
    EXPECT_NE(testing::internal::GetCapturedStdout().find("(3)"), std::string::npos);
    EXPECT_EQ(item(std::vector<Item>(), 0).name, "Item");
}

TEST(ItemWriter, EmptyAndMultiLineStringsStayReadable) {
    Item it;
    it.name = "Two\nlines";
    it.note = "";
    it.bonuses[0].bonusAgainsts = {""};
    DataFile f = openMemoryWrite("x.txt");
    int nesting = 0;
    writeItem(it, f, false, nesting);
    DataFile in = openMemoryRead(f.data, "x.txt");
    Item back;
    ASSERT_TRUE(readItem(in, back));
    EXPECT_EQ(back.name, "Two lines");
    EXPECT_EQ(back.note, "");
    EXPECT_EQ(back.bonuses[0].bonusAgainsts, std::vector<std::string>{""});
}

TEST(ItemLabel, EverySteps) {
    Item potion;
    potion.name = "Potion of Laumspur";
    potion.epRestore = 4;
    potion.uses = 2;
    EXPECT_EQ(itemLabel(potion, 0, 0, 0, 1), "Potion of Laumspur: +4 EP (x2)");
    potion.csBoost = -1;
    EXPECT_EQ(itemLabel(potion, 0, 0, 0, 1), "Potion of Laumspur: -1 CS, +4 EP (x2)");
    potion.epRestore = -2;
    potion.csBoost = 2;
    EXPECT_EQ(itemLabel(potion, 0, 0, 0, 1), "Potion of Laumspur: +2 CS, -2 EP (x2)");

    Item map;
    map.name = "Map";
    map.archetype = "Map";
    map.uses = 3;
    EXPECT_EQ(itemLabel(map, 0, 0, 0, 1), "Map");
    map.archetype = "Mapcase";
    EXPECT_EQ(itemLabel(map, 0, 0, 0, 1), "Map");

    Item bow;
    bow.name = "Bow";
    bow.bonuses[1].csBonuses = {-1};
    bow.bonuses[1].bowBonus = 2;
    EXPECT_EQ(itemLabel(bow, 0, 0, 0, 1), "Bow");
    EXPECT_EQ(itemLabel(bow, 1, 0, 0, 1), "Bow: -1 CS: +2");

    Item mail;
    mail.name = "Mail";
    mail.type = ITEM_SPECIAL;
    mail.bonuses = {ItemBonus(), ItemBonus(), ItemBonus()};
    for (ItemBonus& b : mail.bonuses)
        b.epBonus = 5;
    EXPECT_EQ(itemLabel(mail, 0, 0, 0, 1), "Mail: +5 EP");
    EXPECT_EQ(itemLabel(mail, 0, 1, 0, 1), "Mail: +5 CS");
    EXPECT_EQ(itemLabel(mail, 0, 2, 0, 1), "Mail: +2 CS +2 EP");
    mail.bonuses[0].csBonuses = {1};
    EXPECT_EQ(itemLabel(mail, 0, 0, 0, 1), "Mail: +1 CS +5 EP");

    // "*": takes no room towards the Special Item limit.
    Item ring;
    ring.name = "Ring";
    ring.type = ITEM_SPECIAL;
    ring.spaceTaken = 0;
    EXPECT_EQ(itemLabel(ring, 0, 0, 0, 7), "Ring");
    EXPECT_EQ(itemLabel(ring, 0, 0, 0, 8), "Ring*");
    EXPECT_EQ(itemLabel(ring, 0, 0, 1, 2), "Ring*");
    EXPECT_EQ(itemLabel(ring, 0, 0, 2, 12), "Ring");
    ring.type = ITEM_BACKPACK;
    EXPECT_EQ(itemLabel(ring, 0, 0, 1, 12), "Ring");

    Item sword;
    sword.name = "Sword";
    sword.dessiStone = true;
    EXPECT_EQ(itemLabel(sword, 0, 0, 0, 1), "Sword w/ Dessi Stone");
}

class ItemCatalogueTest : public VfsTest {};

TEST_F(ItemCatalogueTest, MissingFileLeavesOneDefaultItem) {
    std::vector<Item> catalogue(5);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(loadCatalogue(catalogue));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Couldn't open the items file for reading. Proceeding with NO ITEMS!\n");
    ASSERT_EQ(catalogue.size(), 1u);
    EXPECT_EQ(catalogue[0], Item());

    writeRealFile(userFile("data/misc/items.dat"), shiftBytes("0\r\n"));
    EXPECT_TRUE(loadCatalogue(catalogue));
    EXPECT_EQ(catalogue.size(), 1u);
}

TEST_F(ItemCatalogueTest, TruncatedFileKeepsTheWholeRecords) {
    writeRealFile(userFile("data/misc/items.dat"),
                  encodeText("3\nID: 0\nNAME: Dagger\nEND\nID: 7\nNAME: Spear\nEND\n"
                             "ID: 2\nNAME: Broken",
                             true));
    std::vector<Item> catalogue;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(loadCatalogue(catalogue));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Unexpected EOF while reading /data/misc/items.dat\n");
    ASSERT_EQ(catalogue.size(), 2u);
    EXPECT_EQ(catalogue[1].name, "Spear");
    EXPECT_EQ(catalogue[1].id, 1); // the position is the ID
}

TEST_F(ItemCatalogueTest, SaveWritesCatalogueAndShortList) {
    Item a = sampleAxe();
    a.id = 0;
    Item b;
    b.id = 1;
    b.name = "Draught";
    b.csBoost = 2;
    b.epRestore = -3;
    b.description = "Bitter.";
    std::vector<Item> catalogue = {a, b};
    ASSERT_TRUE(saveCatalogue(catalogue));
    EXPECT_EQ(readRealFile(userFile("itemlist.txt")),
              "0: Axe - A woodsman's axe.`Heavy in the hand.\r\n"
              "1: Draught: +2 CS: -3 EP - Bitter.\r\n");
    std::string stored = readRealFile(userFile("data/misc/items.dat"));
    EXPECT_EQ(unshiftBytes(stored).substr(0, 11), "2\r\nID: 0\r\n ");
    std::vector<Item> back;
    ASSERT_TRUE(loadCatalogue(back));
    EXPECT_EQ(back, catalogue);
}

namespace {

bool hasArchetype(const std::vector<Item>& items, int type, const std::string& archetype) {
    for (const Item& it : items)
        if (it.type == type && it.archetype == archetype) return true;
    return false;
}

} // namespace

TEST_F(ItemCatalogueTest, ShippedCatalogueGivesEveryRuleItsItem) {
    mountBuiltData();
    std::vector<Item> items;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(loadCatalogue(items));
    ASSERT_EQ(testing::internal::GetCapturedStdout(), "");
    ASSERT_GE(items.size(), 287u);

    for (const Item& it : items) {
        SCOPED_TRACE(std::to_string(it.id) + " " + it.name);
        EXPECT_NE(it.name, "Item");
        EXPECT_GE(it.description.size(), 15u);
        EXPECT_GE(it.type, ITEM_WEAPON);
        EXPECT_LE(it.type, ITEM_THE_BELT_POUCH);
        EXPECT_EQ(it.bonuses.size(), 3u);
        if (it.type == ITEM_WEAPON || it.subType == SUB_WEAPON_LIKE) {
            EXPECT_TRUE(it.equipable);
        }
        if (it.subType >= SUB_ARMOR_HEAD) {
            EXPECT_EQ(it.type, ITEM_SPECIAL);
            EXPECT_EQ(it.archetype, "Armor");
            EXPECT_TRUE(it.equipable);
        }
        if (it.meal || it.potion) {
            EXPECT_TRUE(it.usable);
        }
        if (it.potion) {
            EXPECT_TRUE(it.epRestore != 0 || it.csBoost != 0);
        }
        if (it.archetype == "Map") {
            EXPECT_EQ(it.name, "Map");
        }
        if (it.archetype == "Quiver") {
            EXPECT_LE(it.uses, 6);
        }
    }

    // The ten plain weapons, in weapon-class order.
    for (int w = 0; w < 10; ++w) {
        EXPECT_EQ(items[w].type, ITEM_WEAPON);
        EXPECT_EQ(items[w].weaponType, w);
        EXPECT_EQ(bonusBlock(items[w], 0).csBonuses, std::vector<int>{0});
    }
    EXPECT_EQ(items[0].name, "Dagger");
    EXPECT_EQ(items[9].name, "Broadsword");

    // The legendary sword: a wielded Special Item, +8, double damage to the Undead.
    const Item& sunblade = items[ITEM_ID_SUNBLADE];
    EXPECT_EQ(sunblade.name, "Sunblade");
    EXPECT_EQ(sunblade.type, ITEM_SPECIAL);
    EXPECT_EQ(sunblade.subType, SUB_WEAPON_LIKE);
    EXPECT_EQ(sunblade.weaponType, 7);
    EXPECT_EQ(bonusBlock(sunblade, 0).csBonuses[0], 8);
    EXPECT_EQ(bonusBlock(sunblade, 0).damageMultipliers[0], 20);
    EXPECT_EQ(bonusBlock(sunblade, 0).multiplyAgainsts[0], "Undead");
    // Hardcore: +8 only against the mightiest foes, +2 otherwise.
    EXPECT_EQ(bonusBlock(sunblade, 1).csBonuses, (std::vector<int>{8, 2}));
    EXPECT_EQ(bonusBlock(sunblade, 1).bonusAgainsts[1], "All");

    EXPECT_EQ(items[ITEM_ID_SHIELD].archetype, "Shield");
    EXPECT_EQ(items[ITEM_ID_SHIELD].type, ITEM_SPECIAL);
    EXPECT_EQ(items[ITEM_ID_SILVER_HELMET].name, "Silver Helmet");
    EXPECT_EQ(items[ITEM_ID_SILVER_HELMET].subType, SUB_ARMOR_HEAD);

    for (int cure : {ITEM_ID_BACILLUS_CURE_A, ITEM_ID_BACILLUS_CURE_B}) {
        EXPECT_TRUE(items[cure].potion);
        EXPECT_GT(items[cure].epRestore, 0); // the cure runs only for restoratives
        EXPECT_NE(items[cure].description.find("Korovax"), std::string::npos);
    }
    for (int arrow : {ITEM_ID_ARROW, ITEM_ID_ZEJAR_DULAGA}) {
        EXPECT_EQ(items[arrow].type, ITEM_SPECIAL);
        EXPECT_EQ(items[arrow].archetype, "Arrow");
        EXPECT_EQ(items[arrow].spaceTaken, 0);
    }
    EXPECT_EQ(items[ITEM_ID_ZEJAR_DULAGA].name, "Zejar-dulaga");
    for (int bow : {ITEM_ID_CRACKED_JAKAN, ITEM_ID_KALTE_BONE_BOW}) {
        EXPECT_EQ(items[bow].type, ITEM_WEAPON);
        EXPECT_EQ(items[bow].weaponType, 5);
    }
    EXPECT_EQ(items[ITEM_ID_CRACKED_JAKAN].name, "Cracked Jakan");
    EXPECT_EQ(items[ITEM_ID_KALTE_BONE_BOW].name, "Kalte Bone Bow");
    EXPECT_EQ(items[ITEM_ID_FIRESEED].archetype, "Fireseed");
    EXPECT_EQ(items[ITEM_ID_FIRESEED].type, ITEM_SPECIAL);
    EXPECT_EQ(items[ITEM_ID_GREY_CRYSTAL_RING].name, "Grey Crystal Ring");
    EXPECT_EQ(items[ITEM_ID_PSYCHIC_RING].name, "Psychic Ring");
    EXPECT_EQ(items[ITEM_ID_JADIN_AMULET].name, "Jadin Amulet");
    EXPECT_EQ(items[ITEM_ID_DRAVIC_ONLY].type, ITEM_SPECIAL);
    // The relics kept when everything else is taken, two of them weapons
    // that count against the mightiest foes.
    for (int relic : {10, 27, 90, 235, 236, 238})
        EXPECT_EQ(items[relic].type, ITEM_SPECIAL);
    for (int weapon : {90, 236}) {
        EXPECT_EQ(items[weapon].subType, SUB_WEAPON_LIKE);
        EXPECT_EQ(bonusBlock(items[weapon], 2).bonusAgainsts[0], "Darklord");
    }

    // Everyday items the books hand out.
    auto named = [&](const std::string& part) {
        for (const Item& it : items)
            if (it.name.find(part) != std::string::npos) return true;
        return false;
    };
    EXPECT_TRUE(named("Laumspur"));
    EXPECT_TRUE(named("Dessi Stone"));
    EXPECT_TRUE(hasArchetype(items, ITEM_SPECIAL, "Quiver"));
    EXPECT_TRUE(hasArchetype(items, ITEM_SPECIAL, "Map"));
    int meals = 0, slots[6] = {};
    bool backpack = false, pouch = false;
    for (const Item& it : items) {
        meals += it.meal;
        if (it.type == ITEM_SPECIAL && it.subType >= 2 && it.subType <= 5) ++slots[it.subType];
        backpack |= it.type == ITEM_THE_BACKPACK;
        pouch |= it.type == ITEM_THE_BELT_POUCH;
    }
    EXPECT_GE(meals, 5);
    for (int slot = 2; slot <= 5; ++slot)
        EXPECT_GE(slots[slot], 2);
    EXPECT_TRUE(backpack);
    EXPECT_TRUE(pouch);

    // Load, save, load: the same catalogue.
    ASSERT_TRUE(saveCatalogue(items));
    std::vector<Item> again;
    ASSERT_TRUE(loadCatalogue(again));
    EXPECT_EQ(vfsRealDir(ITEMS_PATH), userFolder); // the copy just written
    EXPECT_EQ(again, items);
}

TEST(ItemReader, ScrambledInputEndsCleanly) {
    // Key words, numbers and line ends in random order: every read must end.
    const char* const words[] = {"ID:",
                                 "NAME:",
                                 "BONUS_ENHANCED:",
                                 "BONUS:",
                                 "CS_BONUSES:",
                                 "BONUS_AGAINSTS:",
                                 "DONE_WITH_THESE_BONUSES",
                                 "END",
                                 "99999",
                                 "-5",
                                 "3",
                                 "\n",
                                 "\r",
                                 " ",
                                 "*Blank*",
                                 "## x"};
    unsigned seed = 12345;
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = 0; i < 60; ++i) {
            seed = seed * 1103515245u + 12345u;
            text += words[(seed >> 16) % 16];
            text += ' ';
        }
        DataFile f = openMemoryRead(text, "x.txt");
        Item it;
        int records = 0;
        while (readItem(f, it) && records < 1000)
            ++records;
        EXPECT_TRUE(atEnd(f));
        EXPECT_LE(it.bonuses.size(), 16u);
    }
}
