#include "save/save_files.h"

#include "app/game_state.h"
#include "book/book_catalogue.h"
#include "book/section_script.h"
#include "character/rule_options.h"
#include "fs/data_file.h"
#include "fs/file_system.h"
#include "fs/record_writer.h"
#include "fs/vfs.h"
#include "script/save_effects.h"
#include "script/section_combat.h"
#include "script/section_change.h"
#include "script/section_runtime.h"
#include "script/type_registry.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <sys/time.h>

#include <algorithm>
#include <vector>

namespace {

// The built data and demo book 1 mounted as the game mounts them, with every
// catalogue the saves read against.
struct SaveFiles : VfsTest {
    Catalogues cat = compiledCatalogues();
    void SetUp() override {
        VfsTest::SetUp();
        mountBuiltData();
        FileSystemPaths paths;
        paths.baseDir = std::string(QH_BUILD_DIR) + "/";
        paths.userFolder = userFolder;
        paths.dirSeparator = "/";
        for (int book : {1, 2}) {
            const BookEntry* entry = findBook(cat, book);
            BookMountInfo info;
            info.number = book;
            info.code = entry->code;
            info.archiveSize = entry->archiveSize;
            mountBookFiles(paths, info);
        }
        loadCatalogue(cat.items);
        loadConditionTypes(CONDITION_TYPES_FILE, cat.conditionTypes);
        loadEffectTypes(EFFECT_TYPES_FILE, cat.effectTypes);
    }

    // A hero in the middle of book 1, in a fight two rounds old.
    void midBook(GameState& g) {
        Character& c = g.character;
        c.onBook = 1;
        c.completedOpeningSection = true;
        c.csBase = c.csInitial = 15;
        c.epMax = c.epInitial = 24;
        c.epCur = 19;
        c.goldCrowns = 7;
        c.weapons = {cat.items[1]};
        g.rulesState.heroActive = true;
        ASSERT_TRUE(enterSection(g, cat, 1));
        ASSERT_TRUE(enterSection(g, cat, 74));
        ASSERT_FALSE(g.section.buttons.empty());
        g.section.buttons.back().value = 6;
        g.section.buttons.back().colour = 0;
        g.section.words[3].ignore = true;
        g.combat.started = true;
        g.combat.roundsFinished = 2;
        EnemyRecord foe;
        foe.name = "Cave Lurker";
        foe.cs = 13;
        foe.ep = 9;
        g.combat.enemies = {foe};
        setBookFlag(g, 4);
        g.campaign.view.leftValue = 120;
        seedRandom(g.random, 4242, 17);
    }

    std::string stored(const std::string& virtualPath) {
        return readRealFile(userFile(virtualPath.substr(1)));
    }
    void setModTime(const std::string& virtualPath, long seconds) {
        struct timeval t[2] = {{seconds, 0}, {seconds, 0}};
        ASSERT_EQ(utimes(userFile(virtualPath.substr(1)).c_str(), t), 0);
    }
};

Character heroOnBook(int book) {
    Character c;
    c.onBook = book;
    c.onBookSeries = TIER_VAEL;
    c.csBase = c.csInitial = 10 + book;
    c.epMax = c.epCur = c.epInitial = 20 + book;
    return c;
}

} // namespace

TEST_F(SaveFiles, ResumeRestoresTheGameAndRoundTripsByteForByte) {
    GameState g;
    midBook(g);
    ASSERT_TRUE(saveResume(g, 2, false));
    const std::string first = stored(resumePath(2));
    ASSERT_FALSE(first.empty());

    GameState back;
    bool licence = true;
    ASSERT_EQ(loadResume(back, cat, 2, false, licence), LoadResult::Loaded);
    EXPECT_EQ(back.section.sectionName, "sect74");
    EXPECT_EQ(back.section.buttons.size(), g.section.buttons.size());
    EXPECT_EQ(back.section.buttons.back().value, 6);
    EXPECT_EQ(back.section.buttons.back().colour, 0);
    EXPECT_TRUE(back.section.words[3].ignore);
    // Effects come from the book, not from the save.
    EXPECT_EQ(back.section.buttons.back().effects.size(), g.section.buttons.back().effects.size());
    EXPECT_EQ(back.combat.roundsFinished, 2);
    ASSERT_EQ(back.combat.enemies.size(), 1u);
    EXPECT_EQ(back.combat.enemies[0].ep, 9);
    EXPECT_EQ(back.character.epCur, 19);
    EXPECT_EQ(back.character.travelLog, g.character.travelLog);
    EXPECT_TRUE(bookFlag(back, 4));
    EXPECT_EQ(back.campaign.view.leftValue, 120);
    EXPECT_TRUE(back.rulesState.heroActive);
    EXPECT_FALSE(back.character.tsFlag);
    // The next number is the one the uninterrupted game draws.
    EXPECT_EQ(nextRandom(back.random), nextRandom(g.random));
    seedRandom(back.random, 4242, 17);

    ASSERT_TRUE(saveResume(back, 2, false));
    EXPECT_EQ(stored(resumePath(2)), first);
}

TEST_F(SaveFiles, TimestampsTellTheProgramsSavesFromOthers) {
    // An older five-value file is upgraded on the next save, keeping its values.
    GameState g;
    midBook(g);
    ASSERT_TRUE(saveResume(g, 1, false));
    const long long saved = vfsLastModified(resumePath(1));
    DataFile ts = openWrite(TIMESTAMP_FILE);
    writeText(0, ts, std::to_string(saved) + "\n22\n33\n44\n55\n");
    ASSERT_TRUE(closeFile(ts));
    ASSERT_TRUE(saveResume(g, 1, false));
    Timestamps t;
    ASSERT_TRUE(loadTimestamps(t));
    EXPECT_TRUE(t.tenSlots);
    EXPECT_EQ(t.times[0], saved);
    EXPECT_EQ(t.times[1], 22);
    EXPECT_EQ(t.times[4], 55);
    ASSERT_TRUE(saveResume(g, 3, true));
    ASSERT_TRUE(loadTimestamps(t));
    EXPECT_EQ(t.times[7], vfsLastModified(sectionOnePath(3)));

    bool licence = true;
    GameState back;
    ASSERT_EQ(loadResume(back, cat, 3, true, licence), LoadResult::Loaded);
    EXPECT_FALSE(back.character.tsFlag);

    // A complete series under By-the-Book rules qualifies...
    Character record = back.character;
    record.vaelBooksCompleted = 5;
    RuleOptions btb;
    applyByTheBook(btb);
    EXPECT_EQ(seriesCompletionCheck(record, btb), 1);
    record.vaelBooksCompleted = 4;
    EXPECT_EQ(seriesCompletionCheck(record, btb), 0);
    record.onBook = 5;
    record.onSection = 400;
    EXPECT_EQ(seriesCompletionCheck(record, btb), 1);

    // ...until the save comes from elsewhere: it loads, but is marked.
    setModTime(sectionOnePath(3), 1000000);
    ASSERT_EQ(loadResume(back, cat, 3, true, licence), LoadResult::Loaded);
    EXPECT_TRUE(back.character.tsFlag);
    record.tsFlag = back.character.tsFlag;
    EXPECT_EQ(seriesCompletionCheck(record, btb), 0);

    // A profile that has not accepted the licence is shown the licence page.
    licence = false;
    ASSERT_EQ(loadResume(back, cat, 3, true, licence), LoadResult::Loaded);
    EXPECT_EQ(back.campaign.view.leftPage, LICENCE_LEFT_PAGE);
    EXPECT_EQ(back.campaign.view.rightPage, LICENCE_RIGHT_PAGE);
}

TEST_F(SaveFiles, CampaignKeepsBookSnapshotsButNeverBookOne) {
    GameState g;
    // A book-1 snapshot of an older run is dropped at the next save.
    DataFile old = openWrite(campaignPath(1));
    ASSERT_TRUE(writeCampaign(old, g.rules, {heroOnBook(1)}));
    ASSERT_TRUE(closeFile(old));
    vfsWriteAll(sectionOnePath(1), "x");
    for (int book : {2, 3, 4}) {
        g.character = heroOnBook(book);
        g.rules.weaponRules = 1;
        ASSERT_TRUE(saveCampaign(g, cat, 1));
    }
    EXPECT_FALSE(vfsExists(sectionOnePath(1)));
    DataFile f = openRead(campaignPath(1));
    CampaignData data;
    ASSERT_TRUE(readCampaign(f, cat, data));
    closeFile(f);
    ASSERT_EQ(data.records.size(), 3u);
    EXPECT_EQ(data.records[0].onBook, 2);
    EXPECT_EQ(data.records[1].onBook, 3);
    EXPECT_EQ(data.records[2].onBook, 4);
    EXPECT_EQ(data.rules.weaponRules, 1);

    // Restarting book 3 again, and a later save on book 3 drops books 3 and 4.
    GameState restart;
    setBookFlag(restart, 1);
    restart.character.onBook = 4;
    setBookFlag(restart, 1);
    ASSERT_TRUE(loadCampaign(restart, cat, 1, 3));
    EXPECT_EQ(restart.character.onBook, 3);
    EXPECT_EQ(restart.character.csBase, 13);
    EXPECT_EQ(restart.rules.weaponRules, 1);
    EXPECT_TRUE(bookPlayed(restart.campaign, 1));
    EXPECT_FALSE(bookPlayed(restart.campaign, 4));
    ASSERT_TRUE(loadCampaign(restart, cat, 1, 0));
    EXPECT_EQ(restart.character.onBook, 4);

    // The older layout: one record, then the rule options.
    DataFile older = openMemoryWrite("campaign9.dat");
    RecordWriter w(older);
    writeCharacter(heroOnBook(6), w);
    int nesting = 0;
    writeRules(g.rules, older, nesting);
    DataFile in = openMemoryRead(older.data, "campaign9.dat");
    ASSERT_TRUE(readCampaign(in, cat, data));
    ASSERT_EQ(data.records.size(), 1u);
    EXPECT_EQ(data.records[0].onBook, 6);
}

TEST_F(SaveFiles, DamagedSavesAreReportedAndKept) {
    GameState g;
    midBook(g);
    ASSERT_TRUE(saveResume(g, 1, false));
    const std::string good = stored(resumePath(1));
    const std::string plain = unshiftBytes(good);
    const size_t seedAt = plain.rfind("SEED");
    ASSERT_NE(seedAt, std::string::npos);

    // Cut at every byte: never a crash, and nothing of a cut file reaches the
    // game (a file that ends where older versions stopped, before the seed,
    // still loads, and so does one that lost only its last line feed).
    const std::string path = userFile("data/profiles/resume4.dat");
    for (size_t cut = 0; cut < good.size(); ++cut) {
        DataFile f = openMemoryRead(good.substr(0, cut), "resume4.dat");
        ResumeData d;
        const bool read = readResume(f, cat, d);
        if (cut != seedAt && cut + 1 != seedAt && cut + 1 < good.size()) {
            ASSERT_FALSE(read) << "cut at " << cut;
        }
    }

    auto loadOf = [&](const std::string& plainText) {
        writeRealFile(path, shiftBytes(plainText));
        GameState fresh;
        fresh.character.csBase = 99; // untouched by a failed load
        bool licence = true;
        LoadResult r = loadResume(fresh, cat, 4, false, licence);
        if (r != LoadResult::Loaded) {
            EXPECT_EQ(fresh.character.csBase, 99);
        }
        return std::make_pair(r, fresh);
    };
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 7919) & 0xFF);
    EXPECT_EQ(loadOf(binary).first, LoadResult::Damaged);
    EXPECT_EQ(loadOf("garbage words only\n").first, LoadResult::Damaged);
    EXPECT_EQ(loadOf("").first, LoadResult::Damaged);
    // Unknown books and absurd draw counts.
    std::string text = plain;
    text.replace(text.find("ON_BOOK: 1"), 10, "ON_BOOK: 99");
    EXPECT_EQ(loadOf(text).first, LoadResult::Damaged);
    text = plain;
    text.replace(seedAt, std::string::npos, "SEED 4242 2000000000\r\n");
    EXPECT_EQ(loadOf(text).first, LoadResult::Damaged);
    // Huge counts are bounded and items past the catalogue become its first entry.
    text = plain;
    text.replace(text.find("WEAPONS: 1"), 10, "WEAPONS: 999999999");
    const auto huge = loadOf(text);
    EXPECT_LE(huge.second.character.weapons.size(), 1024u);
    text = plain;
    const size_t weapon = text.find("ID: 1", text.find("WEAPONS:"));
    text.replace(weapon, 5, "ID: 70000");
    auto [result, loaded] = loadOf(text);
    ASSERT_EQ(result, LoadResult::Loaded);
    ASSERT_EQ(loaded.character.weapons.size(), 1u);
    EXPECT_EQ(loaded.character.weapons[0].id, cat.items[0].id);
    EXPECT_EQ(loadOf(plain).first, LoadResult::Loaded);

    // A file that could not be read is not overwritten by the game that
    // started without it, until a new campaign begins.
    writeRealFile(path, "damaged");
    GameState other;
    midBook(other);
    bool licence = true;
    ASSERT_EQ(loadResume(other, cat, 4, false, licence), LoadResult::Damaged);
    EXPECT_FALSE(saveResume(other, 4, false));
    EXPECT_EQ(readRealFile(path), "damaged");
    deleteProfileSaves(other, 4);
    EXPECT_FALSE(vfsExists(resumePath(4)));
    EXPECT_TRUE(saveResume(other, 4, false));

    // The same for the campaign file.
    writeRealFile(userFile("data/profiles/campaign4.dat"), "EXTENDED_CAMPAIGN_DATA\nWEAPON");
    EXPECT_FALSE(loadCampaign(other, cat, 4, 0));
    EXPECT_FALSE(saveCampaign(other, cat, 4));
    EXPECT_FALSE(loadCampaign(other, cat, 5, 0)); // missing
}

TEST_F(SaveFiles, BookRecordsAndTheStartOfBookSave) {
    GameState g;
    g.campaign.profile = 2;
    Character& c = g.character;
    c.onBook = 1;
    c.completedOpeningSection = true;
    g.rulesState.heroActive = true;
    c.epMax = c.epCur = 20;
    c.csBase = 12;
    ASSERT_TRUE(enterSection(g, cat, 1));
    runAutoExecutes(g, cat); // section 1 writes the restart save
    EXPECT_TRUE(vfsExists(sectionOnePath(2)));
    EXPECT_TRUE(bookPlayed(g.campaign, 1));
    EXPECT_FALSE(bookFinished(g.campaign, 1));

    // Finishing the book; book 2 then begins with the hero carried over.
    finishBook(g);
    EXPECT_TRUE(bookFinished(g.campaign, 1));
    carryHeroIntoNextBook(c);
    EXPECT_EQ(c.onBook, 2);
    EXPECT_EQ(c.vaelBooksCompleted, 1);
    EXPECT_FALSE(c.completedOpeningSection);
    EXPECT_EQ(c.csBase, 12);
    ASSERT_TRUE(saveCampaign(g, cat, 2));
    EXPECT_FALSE(vfsExists(sectionOnePath(2)));

    // A book left unfinished gives no restart save in the next one.
    GameState quitter;
    quitter.campaign.profile = 3;
    bookRecord(quitter.campaign, 1);
    quitter.character.onBook = 2;
    quitter.character.onSection = 1;
    quitter.character.completedOpeningSection = true;
    EXPECT_FALSE(startOfBookSave(quitter));
    EXPECT_FALSE(vfsExists(sectionOnePath(3)));
}

TEST_F(SaveFiles, TravelLogExport) {
    Character c;
    c.travelLog = {{1, 1}, {1, 74}, {2, 1}};
    EXPECT_EQ(travelLogText(c, cat, "Mira", 2, nullptr),
              "Mira's Travel Log for \"" + findBook(cat, 2)->title + "\" (Book 2)\n1: \n");
    const std::vector<std::vector<std::string>> summaries = {{"Woke", "x"}};
    const std::string full = travelLogText(c, cat, "Mira", 0, &summaries);
    EXPECT_NE(full.find("(Book 1)\n1: Woke\n74: \n\nMira's"), std::string::npos) << full;
    std::string name;
    ASSERT_TRUE(exportTravelLog(c, cat, "Mira", 2, 0, name));
    EXPECT_EQ(name, "GS2_Log_Full.txt");
    EXPECT_NE(readRealFile(userFile(name)).find("74: \r\n"), std::string::npos);
}

TEST_F(SaveFiles, DamagedTimestampsAndOddCombatsNeverStopTheGame) {
    GameState g;
    midBook(g);
    ASSERT_TRUE(saveResume(g, 2, false));
    const std::string goodTs = stored(TIMESTAMP_FILE);
    const std::string tsPath = userFile(std::string(TIMESTAMP_FILE).substr(1));
    std::string binary;
    for (int i = 0; i < 700; ++i)
        binary += static_cast<char>((i * 131 + 5) & 0xFF);
    std::vector<std::string> damaged = {binary, shiftBytes("TS_NEW\n99999999999999999999999\n-5\n"),
                                        shiftBytes("TS_NEW\n")};
    for (size_t cut = 0; cut < goodTs.size(); ++cut)
        damaged.push_back(goodTs.substr(0, cut));
    for (const std::string& ts : damaged) {
        // The save still loads (marked, at worst, as edited elsewhere), and
        // the next save leaves a sound ten-slot file behind.
        writeRealFile(tsPath, ts);
        GameState back;
        bool licence = true;
        ASSERT_EQ(loadResume(back, cat, 2, false, licence), LoadResult::Loaded);
        EXPECT_EQ(back.character.epCur, 19);
        ASSERT_TRUE(saveResume(back, 2, false));
        Timestamps t;
        ASSERT_TRUE(loadTimestamps(t));
        EXPECT_TRUE(t.tenSlots);
        EXPECT_EQ(t.times[1], vfsLastModified(resumePath(2)));
        ASSERT_EQ(loadResume(back, cat, 2, false, licence), LoadResult::Loaded);
    }

    // Combats in a save with no enemy, an enemy of 0 COMBAT SKILL or below 0
    // ENDURANCE: the game loads, and a round either resolves or is not offered.
    ASSERT_TRUE(saveResume(g, 2, false));
    const std::string plain = unshiftBytes(stored(resumePath(2)));
    auto withCombat = [&](const std::string& from, const std::string& to) {
        std::string text = plain;
        const size_t at = text.find(from, text.find("\nCOMBAT"));
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
        return text;
    };
    const std::vector<std::string> odd = {
        withCombat("ENEMIES: 1", "ENEMIES: 0"), withCombat("CS: 13", "CS: 0"),
        withCombat("EP: 9", "EP: -7"), withCombat("ENEMIES: 1", "ENEMIES: -3"),
        withCombat("ENEMIES: 1", "ENEMIES: 2000000000")};
    for (const std::string& text : odd) {
        writeRealFile(userFile("data/profiles/resume2.dat"), shiftBytes(text));
        GameState back;
        bool licence = true;
        const LoadResult r = loadResume(back, cat, 2, false, licence);
        if (r != LoadResult::Loaded) continue;
        const int heroBefore = back.character.epCur;
        const std::vector<EnemyRecord> before = back.combat.enemies;
        for (int round = 0; round < 30 && combatRoundPossible(back); ++round)
            playCombatRound(back, cat, false);
        // Losses only ever lower ENDURANCE, and never below 0.
        EXPECT_GE(back.character.epCur, 0);
        EXPECT_LE(back.character.epCur, heroBefore);
        ASSERT_EQ(back.combat.enemies.size(), before.size());
        for (size_t i = 0; i < before.size(); ++i)
            EXPECT_LE(back.combat.enemies[i].ep, std::max(before[i].ep, 0)) << text;
    }
}
