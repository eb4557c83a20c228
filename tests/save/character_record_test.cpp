#include "save/character_record.h"

#include "fs/data_file.h"
#include "fs/record_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* SAVE_NAME = "/data/profiles/resume1.dat";

std::vector<Item> sampleCatalogue() {
    std::vector<Item> items(5);
    const char* names[] = {"Nothing", "Axe", "Meal", "Map", "Rope"};
    const int types[] = {ITEM_NONE, ITEM_WEAPON, ITEM_BACKPACK, ITEM_SPECIAL, ITEM_BACKPACK};
    for (int i = 0; i < 5; ++i) {
        items[i].id = i;
        items[i].name = names[i];
        items[i].type = types[i];
    }
    items[4].spaceTaken = 2;
    return items;
}

Character sampleHero(const std::vector<Item>& cat) {
    Character c;
    c.disciplinesToChoose = 1;
    c.grandWeaponmasteryToChoose = 2;
    learnDiscipline(c, TIER_VAEL, 7);
    learnDiscipline(c, TIER_VAEL, 3);
    learnDiscipline(c, TIER_GRAND_MASTER, 11);
    c.weaponskillIn[6] = true;
    c.backpackItems = {cat[2]};
    c.goldCrowns = 12;
    c.specialItems = {cat[3]};
    c.specialItems[0].uses = 3;
    c.weapons = {cat[1]};
    c.weapons[0].equipped = true;
    c.csBase = 15;
    c.epMax = 25;
    c.epCur = 20;
    c.csInitial = 15;
    c.epInitial = 25;
    c.onBook = 4;
    c.onSection = 120;
    c.restarts = 2;
    c.version = "1.17.0";
    c.disease = {1};
    c.travelLog = {{4, 1}, {4, 120}};
    BattleLogEntry fight;
    fight.book = 4;
    fight.section = 77;
    BattleLogRound first;
    first.enemyName = "Bandit";
    first.enemyCs = 14;
    first.enemyEp = 20;
    first.heroCs = 15;
    first.heroEp = 20;
    BattleLogRound second = first;
    second.enemyEp = 16;
    second.randomNumber = 5;
    second.weaponId = 1;
    fight.rounds = {first, second};
    c.battleLog = {fight};
    c.notes = {"Met the ferryman", ""};
    c.loreCircles[LORE_CIRCLE_LIGHT] = true;
    c.usedAdgana = true;
    return c;
}

std::string written(const Character& c) {
    DataFile f = openMemoryWrite(SAVE_NAME);
    RecordWriter w(f);
    EXPECT_TRUE(writeCharacter(c, w));
    EXPECT_EQ(w.level(), 0);
    return f.data;
}

bool readPlain(const std::string& plain, Character& c, const std::vector<Item>& cat,
               CharacterReadExtras* extras = nullptr) {
    DataFile f = openMemoryRead(encodeText(plain, true), SAVE_NAME);
    return readCharacter(f, c, cat, extras);
}

std::string itemState(int id, int equipped, int uses) {
    return "    ID: " + std::to_string(id) + "\n        EQUIPPED: " + std::to_string(equipped) +
           "\n        USES: " + std::to_string(uses) +
           "\n        EARMARK: 0\n        ZEJAR_DULAGA: 0\n        DESSI_STONE: 0\n    END\n";
}

const std::string GOLDEN = "DISCIPLINE_LEFT_TO_CHOOSE: 1\n"
                           "DISCIPLINE_WM_LEFT_TO_CHOOSE: 0\n"
                           "DISCIPLINE_GWM_LEFT_TO_CHOOSE: 2\n"
                           "VAEL_DISCIPLINES: 0 0 0 1 0 0 0 1 0 0 \n"
                           "DRAVIC_DISCIPLINES: 0 0 0 0 0 0 0 0 0 0 \n"
                           "GRANDMASTER_DISCIPLINES: 0 0 0 0 0 0 0 0 0 0 0 1 \n"
                           "VAEL_DISCIPLINE_ORDER: 2 7 3\n"
                           "DRAVIC_DISCIPLINE_ORDER: 0\n"
                           "GRANDMASTER_DISCIPLINE_ORDER: 1 11\n"
                           "WEAPONSKILL_IN: 0 0 0 0 0 0 1 0 0 0 \n"
                           "WEAPONMASTERY_IN: 0 0 0 0 0 0 0 0 0 0 \n"
                           "GRANDWEAPONMASTERY_IN: 0 0 0 0 0 0 0 0 0 0 \n"
                           "HAVE_BACKPACK: 1\n"
                           "BACKPACK_ITEMS: 1\n" +
                           itemState(2, 0, 1) +
                           "HAVE_BELT_POUCH: 1\n"
                           "GOLD_CROWNS: 12\n"
                           "LUNE: 0\n"
                           "KIKA: 0\n"
                           "SPECIAL_ITEMS: 1\n" +
                           itemState(3, 0, 3) + "WEAPONS: 1\n" + itemState(1, 1, 1) +
                           "MONASTERY_ITEMS: 0\n"
                           "MONASTERY_CROWNS: 0\n"
                           "MONASTERY_LUNE: 0\n"
                           "MONASTERY_KIKA: 0\n"
                           "LOST_ITEMS: 0\n"
                           "LOST_CROWNS: 0\n"
                           "LOST_LUNE: 0\n"
                           "LOST_KIKA: 0\n"
                           "LOST_BACKPACK: 0\n"
                           "LOST_BELT_POUCH: 0\n"
                           "STATS_CS_BASE: 15\n"
                           "STATS_EP_MAX: 25\n"
                           "STATS_EP_CUR: 20\n"
                           "STATS_HC_LEFT: 10\n"
                           "STATS_ARCHERY_REAL_EP: 0\n"
                           "STATS_ARCHERY_DAMAGE: 0\n"
                           "STATS_CS_INITIAL: 15\n"
                           "STATS_EP_INITIAL: 25\n"
                           "DAMAGE_FROM_COMBAT: 0\n"
                           "DAMAGE_FROM_STARVATION: 0\n"
                           "MEALS_EATEN: 0\n"
                           "BACKPACK_DISCARDS: 0\n"
                           "SPECIAL_ITEM_DISCARDS: 0\n"
                           "WEAPON_DISCARDS: 0\n"
                           "VAEL_BOOKS_COMPLETED: 0\n"
                           "DRAVIC_BOOKS_COMPLETED: 0\n"
                           "GRANDMASTER_BOOKS_COMPLETED: 0\n"
                           "ON_BOOK: 4\n"
                           "ON_BOOK_SERIES: 0\n"
                           "ON_SECTION: 120\n"
                           "WARMARN: 1\n"
                           "TS: 0\n"
                           "RESTARTS: 2\n"
                           "VERSION: 1.17.0\n"
                           "COMPLETED_OPENING_SECTION: 0\n"
                           "DISEASE: 1\n"
                           "1\n"
                           "TRAVEL_LOG: 2\n"
                           "4 1\n"
                           "4 120\n"
                           "BATTLE_LOG: ENHANCED4\n"
                           "1\n"
                           "4\n"
                           "2\n"
                           "*Blank*\n"
                           "77\n"
                           "Bandit\n"
                           "14 20 15 20 -1 0 -2\n"
                           "Bandit\n"
                           "14 16 15 20 5 0 1\n"
                           "NOTE: Met the ferryman\n"
                           "NOTE: *Blank*\n"
                           "LORE_CIRCLES: 0 0 1 0 \n"
                           "USED_MEGA_CURING: 0\n"
                           "USED_MEGA_DELIVERANCE: 0\n"
                           "USE_ONLY_MINDBLAST: 0\n"
                           "USED_ADGANA: 1\n"
                           "USED_ADGANA_THIS_BOOK: 0\n"
                           "HAS_SUNBLADE_AFTER_BOOK_3: 0\n"
                           "RECLAIMING: 0\n"
                           "GM_REROLL_STATS: 0\n"
                           "USING_VAEL_BLAST: 0\n"
                           "USING_VAEL_RAY: 0\n"
                           "USED_VAEL_RAY: 0\n"
                           "EMPTY_POUCH_START_BOOK_12: 0\n"
                           "END\n";

void expectSameHero(const Character& a, const Character& b) {
    EXPECT_EQ(a.hasDiscipline, b.hasDiscipline);
    EXPECT_EQ(a.disciplineOrder, b.disciplineOrder);
    EXPECT_EQ(a.weaponskillIn, b.weaponskillIn);
    EXPECT_EQ(a.backpackItems, b.backpackItems);
    EXPECT_EQ(a.specialItems, b.specialItems);
    EXPECT_EQ(a.weapons, b.weapons);
    EXPECT_EQ(a.goldCrowns, b.goldCrowns);
    EXPECT_EQ(a.onBook, b.onBook);
    EXPECT_EQ(a.onSection, b.onSection);
    EXPECT_EQ(a.restarts, b.restarts);
    EXPECT_EQ(a.version, b.version);
    EXPECT_EQ(a.disease, b.disease);
    EXPECT_EQ(a.travelLog, b.travelLog);
    EXPECT_EQ(a.notes, b.notes);
    EXPECT_EQ(a.loreCircles, b.loreCircles);
    EXPECT_EQ(a.usedAdgana, b.usedAdgana);
    ASSERT_EQ(a.battleLog.size(), b.battleLog.size());
    for (size_t i = 0; i < a.battleLog.size(); ++i) {
        const BattleLogEntry &x = a.battleLog[i], &y = b.battleLog[i];
        EXPECT_EQ(x.book, y.book);
        EXPECT_EQ(x.title, y.title);
        EXPECT_EQ(x.section, y.section);
        ASSERT_EQ(x.rounds.size(), y.rounds.size());
        for (size_t r = 0; r < x.rounds.size(); ++r) {
            EXPECT_EQ(x.rounds[r].enemyName, y.rounds[r].enemyName);
            EXPECT_EQ(x.rounds[r].enemyEp, y.rounds[r].enemyEp);
            EXPECT_EQ(x.rounds[r].randomNumber, y.rounds[r].randomNumber);
            EXPECT_EQ(x.rounds[r].weaponId, y.rounds[r].weaponId);
        }
    }
}

} // namespace

TEST(CharacterRecord, WritesTheExactLayoutAndReadsItBack) {
    const std::vector<Item> cat = sampleCatalogue();
    const Character hero = sampleHero(cat);
    const std::string bytes = written(hero);
    EXPECT_EQ(unshiftBytes(bytes), encodeText(GOLDEN, false));

    DataFile in = openMemoryRead(bytes, SAVE_NAME);
    Character back;
    ASSERT_TRUE(readCharacter(in, back, cat));
    expectSameHero(back, hero);
    EXPECT_EQ(written(back), bytes); // read, write, read: nothing drifts
}

TEST(CharacterRecord, NestsAtTheWritersLevel) {
    const std::vector<Item> cat = sampleCatalogue();
    Character c;
    c.weapons = {cat[1]};
    DataFile f = openMemoryWrite(SAVE_NAME);
    int nesting = 1;
    RecordWriter w(f, nesting);
    writeCharacter(c, w);
    const std::string plain = unshiftBytes(f.data);
    EXPECT_EQ(plain.compare(0, 34, "    DISCIPLINE_LEFT_TO_CHOOSE: 0\r\n"), 0);
    EXPECT_NE(plain.find("    WEAPONS: 1\r\n        ID: 1\r\n            EQUIPPED: 0\r\n"),
              std::string::npos);
    EXPECT_NE(plain.find("        END\r\n    MONASTERY_ITEMS: 0\r\n"), std::string::npos);
    EXPECT_EQ(plain.substr(plain.size() - 9), "    END\r\n");
}

TEST(CharacterRecord, ReadsOlderFiles) {
    const std::vector<Item> cat = sampleCatalogue();
    Character c;
    CharacterReadExtras extras;
    // Keys out of order, comments, unknown keys, no version.
    ASSERT_TRUE(readPlain("## an old save\nON_SECTION: 9\nSOMETHING_NEW: 4 5\n"
                          "GOLD_CROWNS: 7\nACCEPTED_LICENSE: 1\nSTATS_CS_BASE: 14\nEND\n",
                          c, cat, &extras));
    EXPECT_EQ(c.version, OLDEST_RECORD_VERSION);
    EXPECT_EQ(c.onSection, 9);
    EXPECT_EQ(c.goldCrowns, 7);
    EXPECT_EQ(c.csInitial, 14); // files without initial scores get them rebuilt
    EXPECT_TRUE(extras.sawAcceptedLicense);
    EXPECT_TRUE(extras.acceptedLicense);

    // Every battle-log layout: no word (count on the key's line or the next),
    // then the header's section, then the weapon as a flag, then as a number.
    struct Layout {
        const char* head;
        const char* numbers;
        int section, extra, weapon;
    };
    const Layout layouts[] = {
        {"BATTLE_LOG: 1\n", "12 10 16 22 3", 0, 0, -1},
        {"BATTLE_LOG:\n1\n", "12 10 16 22 3", 0, 0, -1},
        {"BATTLE_LOG: ENHANCED1\n1\n", "12 10 16 22 3", 40, 0, -1},
        {"BATTLE_LOG: ENHANCED2\n1\n", "12 10 16 22 3 0 1", 40, 0, 10},
        {"BATTLE_LOG: ENHANCED2\n1\n", "12 10 16 22 3 0 0", 40, 0, -1},
        {"BATTLE_LOG: ENHANCED3\n1\n", "12 10 16 22 3 0 7", 40, 0, 7},
        {"BATTLE_LOG: ENHANCED4\n1\n", "12 10 16 22 3 4 7", 40, 4, 7},
    };
    for (const Layout& l : layouts) {
        SCOPED_TRACE(std::string(l.head) + l.numbers);
        const bool hasSection = l.section != 0;
        std::string text = std::string(l.head) + "2\n1\nAmbush\n" + (hasSection ? "40\n" : "") +
                           "Giak\n" + l.numbers + "\nNOTE: after\nEND\n";
        ASSERT_TRUE(readPlain(text, c, cat));
        ASSERT_EQ(c.battleLog.size(), 1u);
        const BattleLogEntry& e = c.battleLog[0];
        EXPECT_EQ(e.book, 2);
        EXPECT_EQ(e.title, "Ambush");
        EXPECT_EQ(e.section, l.section);
        ASSERT_EQ(e.rounds.size(), 1u);
        EXPECT_EQ(e.rounds[0].enemyName, "Giak");
        EXPECT_EQ(e.rounds[0].enemyCs, 12);
        EXPECT_EQ(e.rounds[0].randomNumber, 3);
        EXPECT_EQ(e.rounds[0].extra, l.extra);
        EXPECT_EQ(e.rounds[0].weaponId, l.weapon);
        EXPECT_EQ(c.notes, std::vector<std::string>{"after"});
    }
}

TEST(CharacterRecord, ItemsGoWhereTheyBelong) {
    const std::vector<Item> cat = sampleCatalogue();
    auto entry = [](int id) { return "ID: " + std::to_string(id) + "\nUSES: 2\nEND\n"; };
    Character c;
    // A Special Item in the Backpack list; Backpack items among the Special
    // Items: the Meal fits (2 + 2 + 2 + 1 < 8), the Rope then does not.
    std::string text = "BACKPACK_ITEMS: 5\n" + entry(3) + entry(4) + entry(4) + entry(4) +
                       entry(2) + "SPECIAL_ITEMS: 2\n" + entry(2) + entry(4) + "END\n";
    ASSERT_TRUE(readPlain(text, c, cat));
    ASSERT_EQ(c.specialItems.size(), 1u);
    EXPECT_EQ(c.specialItems[0].name, "Map");
    EXPECT_EQ(c.specialItems[0].uses, 2);
    ASSERT_EQ(c.backpackItems.size(), 5u);
    EXPECT_EQ(c.backpackItems[4].name, "Meal");
    ASSERT_EQ(c.storageItems.size(), 1u);
    EXPECT_EQ(c.storageItems[0].name, "Rope");

    // From book 13 on the Backpack holds ten.
    ASSERT_TRUE(readPlain("ON_BOOK: 13\n" + text, c, cat));
    EXPECT_EQ(c.backpackItems.size(), 6u);
    EXPECT_TRUE(c.storageItems.empty());

    // IDs past either end of the catalogue give its first entry, and the
    // record reads on.
    ASSERT_TRUE(
        readPlain("WEAPONS: 2\n" + entry(999) + entry(-4) + "GOLD_CROWNS: 3\nEND\n", c, cat));
    ASSERT_EQ(c.weapons.size(), 2u);
    EXPECT_EQ(c.weapons[0].name, "Nothing");
    EXPECT_EQ(c.weapons[1].name, "Nothing");
    EXPECT_EQ(c.goldCrowns, 3);
}

TEST(CharacterRecord, BadCountsAndIdsStayBounded) {
    const std::vector<Item> cat = sampleCatalogue();
    Character c;
    // Counts far beyond what follows end at the record's closing word, which
    // still closes the record; negative counts read as none.
    const char* texts[] = {
        "BACKPACK_ITEMS: 2147483647\nEND\n",
        "TRAVEL_LOG: 99999999\n1 2\nEND\n",
        "DISEASE: 2000000000\n3\nEND\n",
        "BATTLE_LOG: ENHANCED4\n2147483647\n1\n2147483647\n*Blank*\n5\nEND\n",
        "VAEL_DISCIPLINE_ORDER: 2147483647 3 3 99 -1 4\nEND\n",
        "WEAPONS: -5\nTRAVEL_LOG: -1\nBATTLE_LOG: -7\nEND\n",
    };
    for (const char* t : texts) {
        SCOPED_TRACE(t);
        EXPECT_TRUE(readPlain(t, c, cat));
    }
    EXPECT_TRUE(c.weapons.empty());
    EXPECT_TRUE(c.travelLog.empty());
    EXPECT_TRUE(c.battleLog.empty());

    ASSERT_TRUE(readPlain(texts[1], c, cat));
    EXPECT_EQ(c.travelLog, (std::vector<std::pair<int, int>>{{1, 2}}));
    ASSERT_TRUE(readPlain(texts[3], c, cat));
    ASSERT_EQ(c.battleLog.size(), 1u);
    EXPECT_TRUE(c.battleLog[0].rounds.empty());
    // Ids outside the tier and repeats are dropped.
    ASSERT_TRUE(readPlain(texts[4], c, cat));
    EXPECT_EQ(c.disciplineOrder[TIER_VAEL], (std::vector<int>{3, 4}));
    // A short line of flags leaves the next key alone.
    ASSERT_TRUE(readPlain("VAEL_DISCIPLINES: 1 0\nLORE_CIRCLES: 1\nGOLD_CROWNS: 5\nEND\n", c, cat));
    EXPECT_TRUE(hasDiscipline(c, TIER_VAEL, 0));
    EXPECT_TRUE(c.loreCircles[0]);
    EXPECT_EQ(c.goldCrowns, 5);
    ASSERT_TRUE(readPlain("ON_BOOK: 500\nON_BOOK_SERIES: -3\nEND\n", c, cat));
    EXPECT_EQ(c.onBook, 20);
    EXPECT_EQ(c.onBookSeries, TIER_VAEL);
}

TEST(CharacterRecord, ACutRecordKeepsWhatWasRead) {
    const std::vector<Item> cat = sampleCatalogue();
    const std::string bytes = written(sampleHero(cat));
    const std::string plain = unshiftBytes(bytes);
    const size_t endAt = plain.rfind("END");
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        DataFile in = openMemoryRead(bytes.substr(0, cut), SAVE_NAME);
        Character c;
        testing::internal::CaptureStdout();
        const bool whole = readCharacter(in, c, cat);
        const std::string said = testing::internal::GetCapturedStdout();
        ASSERT_EQ(whole, cut >= endAt + 3) << "cut at " << cut;
        if (whole) continue;
        ASSERT_NE(said.find("Unexpected EOF while reading /data/profiles/resume1.dat"),
                  std::string::npos)
            << "cut at " << cut;
        const std::string head = plain.substr(0, cut);
        if (head.find("GOLD_CROWNS: 12\r\n") != std::string::npos) {
            EXPECT_EQ(c.goldCrowns, 12) << "cut at " << cut;
        }
        if (head.find("MONASTERY_ITEMS:") != std::string::npos) {
            EXPECT_EQ(c.weapons.size(), 1u) << "cut at " << cut;
        }
        if (head.find("4 120\r\n") != std::string::npos) {
            EXPECT_EQ(c.travelLog.size(), 2u) << "cut at " << cut;
        }
        if (head.find("NOTE: Met the ferryman\r\n") != std::string::npos) {
            EXPECT_EQ(c.battleLog.size(), 1u) << "cut at " << cut;
        }
    }
}
