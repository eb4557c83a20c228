#include "save/character_record.h"

#include "character/inventory.h"
#include "fs/data_file.h"
#include "fs/record_fields.h"
#include "fs/record_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <sstream>

namespace {

// What the rows work on: the character, and what reading needs beside it.
struct CharacterIo {
    Character* c = nullptr;
    const std::vector<Item>* catalogue = nullptr;
    CharacterReadExtras extras;
};
using Row = Field<CharacterIo>;

constexpr int MAX_ITEMS_PER_LIST = 1024;
constexpr int MAX_TRAVEL_LOG = 20000; // every section of every book, with room to spare
constexpr int MAX_BATTLES = 4096;
constexpr int MAX_ROUNDS = 1024;
constexpr int MAX_DISEASES = 256;
constexpr size_t MAX_TEXT = 1024;

// Stops a short list where the record's closing word already stands, so the
// record still closes on it.
bool atRecordEnd(DataFile& file) {
    std::string next;
    return !peekValue(file, next) || next == "END";
}

RecordEnd endOrOpen(DataFile& file) {
    return atEnd(file) ? RecordEnd::Eof : RecordEnd::Open;
}

// The numbers on the rest of the key's line. Taken by line so that a short
// line cannot swallow the next key (or the closing word) as a value.
std::vector<int> lineNumbers(DataFile& file, size_t max) {
    std::istringstream in(readLineValue(file));
    std::vector<int> v;
    std::string word;
    while (v.size() < max && in >> word)
        v.push_back(parseInt(word));
    return v;
}

Row intRow(const char* key, int Character::*m) {
    return intField<CharacterIo>(
        key, std::function<int&(CharacterIo&)>([m](CharacterIo& x) -> int& { return x.c->*m; }));
}

Row boolRow(const char* key, bool Character::*m) {
    return boolField<CharacterIo>(
        key, std::function<bool&(CharacterIo&)>([m](CharacterIo& x) -> bool& { return x.c->*m; }));
}

// A fixed number of flags on the key's line, each followed by a blank.
template <size_t N>
Row flagsRow(const char* key, std::function<std::array<bool, N>&(Character&)> ref,
             size_t count = N) {
    std::string label = std::string(key) + " ";
    return customField<CharacterIo>(
        key,
        [ref, count](DataFile& file, CharacterIo& x) {
            std::array<bool, N>& flags = ref(*x.c);
            const std::vector<int> v = lineNumbers(file, count);
            for (size_t i = 0; i < v.size(); ++i)
                flags[i] = v[i] != 0;
            return endOrOpen(file);
        },
        [ref, count, label](RecordWriter& w, const CharacterIo& x) {
            std::array<bool, N>& flags = ref(*x.c);
            std::string line = label;
            for (size_t i = 0; i < count; ++i)
                line += flags[i] ? "1 " : "0 ";
            w.line(line);
        });
}

template <size_t N> Row flagsRow(const char* key, std::array<bool, N> Character::*m) {
    return flagsRow<N>(key, [m](Character& c) -> std::array<bool, N>& { return c.*m; });
}

// One tier's part of the Discipline flags.
Row disciplineFlagsRow(const char* key, Tier tier) {
    const size_t offset = static_cast<size_t>(DISCIPLINE_FLAG_OFFSET[tier]);
    const size_t count = static_cast<size_t>(disciplineCount(tier));
    std::string label = std::string(key) + " ";
    return customField<CharacterIo>(
        key,
        [offset, count](DataFile& file, CharacterIo& x) {
            const std::vector<int> v = lineNumbers(file, count);
            for (size_t i = 0; i < v.size(); ++i)
                x.c->hasDiscipline[offset + i] = v[i] != 0;
            return endOrOpen(file);
        },
        [offset, count, label](RecordWriter& w, const CharacterIo& x) {
            std::string line = label;
            for (size_t i = 0; i < count; ++i)
                line += x.c->hasDiscipline[offset + i] ? "1 " : "0 ";
            w.line(line);
        });
}

// The order Disciplines were learnt in; ids outside the tier are dropped so
// that no table is indexed with them later.
Row disciplineOrderRow(const char* key, Tier tier) {
    std::string label = std::string(key) + " ";
    return customField<CharacterIo>(
        key,
        [tier](DataFile& file, CharacterIo& x) {
            std::vector<int>& order = x.c->disciplineOrder[static_cast<size_t>(tier)];
            order.clear();
            const std::vector<int> v = lineNumbers(file, MAX_DISCIPLINES_PER_TIER + 1);
            const size_t n = v.empty() ? 0 : static_cast<size_t>(std::max(v[0], 0));
            for (size_t i = 1; i < v.size() && i <= n; ++i) {
                const int id = v[i];
                if (id >= 0 && id < disciplineCount(tier) &&
                    std::find(order.begin(), order.end(), id) == order.end())
                    order.push_back(id);
            }
            return endOrOpen(file);
        },
        [tier, label](RecordWriter& w, const CharacterIo& x) {
            const std::vector<int>& order = x.c->disciplineOrder[static_cast<size_t>(tier)];
            std::string line = label + std::to_string(order.size());
            for (int id : order)
                line += " " + std::to_string(id);
            w.line(line);
        });
}

// The Backpack's capacity by the inventory rules, for the book read so far:
// the record's tier may come after its items.
int capacityWhileReading(Character& c) {
    const Tier tier = c.onBookSeries;
    if (c.onBook > 12) c.onBookSeries = TIER_GRAND_MASTER;
    const int capacity = backpackCapacity(c);
    c.onBookSeries = tier;
    return capacity;
}

enum class ItemList { Backpack, Special, Plain };

// Where an item read into one list really belongs: older files kept Special
// Items in the Backpack list and Backpack items among the Special Items.
void placeItem(Character& c, std::vector<Item>& list, ItemList which, Item item) {
    if (which == ItemList::Backpack && item.type == ITEM_SPECIAL) {
        c.specialItems.push_back(std::move(item));
    } else if (which == ItemList::Special && item.type == ITEM_BACKPACK) {
        if (backpackSpaceUsed(c) < capacityWhileReading(c))
            c.backpackItems.push_back(std::move(item));
        else
            c.storageItems.push_back(std::move(item));
    } else {
        list.push_back(std::move(item));
    }
}

Row itemListRow(const char* key, std::vector<Item> Character::*m, ItemList which) {
    std::string label = std::string(key) + " ";
    return customField<CharacterIo>(
        key,
        [m, which](DataFile& file, CharacterIo& x) {
            // Appends: the Backpack list may already have moved items here.
            std::vector<Item>& list = x.c->*m;
            const int n = readCount(file, MAX_ITEMS_PER_LIST);
            for (int i = 0; i < n; ++i) {
                if (atRecordEnd(file)) return endOrOpen(file);
                Item entry;
                // An item cut short may carry half its ID or its uses: drop it
                // rather than hand the hero something he never had.
                if (!readItemState(file, *x.catalogue, entry)) return RecordEnd::Eof;
                placeItem(*x.c, list, which, std::move(entry));
            }
            return RecordEnd::Open;
        },
        [m, label](RecordWriter& w, const CharacterIo& x) {
            const std::vector<Item>& list = x.c->*m;
            w.line(label + std::to_string(list.size()));
            Nest inside(w);
            for (const Item& it : list)
                writeItem(it, w.file(), true, w.nesting());
        });
}

RecordEnd readDiseases(DataFile& file, CharacterIo& x) {
    const int n = readCount(file, MAX_DISEASES);
    for (int i = 0; i < n; ++i) {
        if (atRecordEnd(file)) return endOrOpen(file);
        x.c->disease.push_back(readInt(file));
    }
    return endOrOpen(file);
}

void writeDiseases(RecordWriter& w, const CharacterIo& x) {
    w.line("DISEASE: " + std::to_string(x.c->disease.size()));
    for (int id : x.c->disease)
        w.line(std::to_string(id));
}

RecordEnd readTravelLog(DataFile& file, CharacterIo& x) {
    const int n = readCount(file, MAX_TRAVEL_LOG);
    for (int i = 0; i < n; ++i) {
        if (atRecordEnd(file)) return endOrOpen(file);
        const int book = readInt(file);
        if (atEnd(file)) return RecordEnd::Eof; // half an entry is no entry
        const int section = readInt(file);
        x.c->travelLog.emplace_back(book, section);
    }
    return endOrOpen(file);
}

void writeTravelLog(RecordWriter& w, const CharacterIo& x) {
    w.line("TRAVEL_LOG: " + std::to_string(x.c->travelLog.size()));
    for (const auto& [book, section] : x.c->travelLog)
        w.line(std::to_string(book) + " " + std::to_string(section));
}

// Which values a battle-log layout holds. The oldest files have no word.
struct BattleLayout {
    bool sectionValue = false;
    int lastValue = 0; // 0: absent, 1: a flag (weapon 10 or none), 2: the number
};

BattleLayout battleLayout(const std::string& word) {
    if (word == "ENHANCED1") return {true, 0};
    if (word == "ENHANCED2") return {true, 1};
    if (word == "ENHANCED3" || word == "ENHANCED4") return {true, 2};
    return {};
}

// The round's numbers are read as a line, so that a layout with fewer numbers
// than we expect cannot pull the next round's name in as a number.
void parseRoundNumbers(const std::string& line, const BattleLayout& layout, BattleLogRound& r) {
    std::istringstream in(line);
    std::vector<int> v;
    std::string word;
    while (in >> word && v.size() < 7)
        v.push_back(parseInt(word));
    v.resize(std::max<size_t>(v.size(), 5), 0);
    r.enemyCs = v[0];
    r.enemyEp = v[1];
    r.heroCs = v[2];
    r.heroEp = v[3];
    r.randomNumber = v[4];
    r.extra = 0;
    r.weaponId = -1;
    if (layout.lastValue == 0 || v.size() < 6) return;
    // The last number is the weapon; a sixth one before it when both stand.
    const int last = v.back();
    if (v.size() >= 7) r.extra = v[5];
    r.weaponId = layout.lastValue == 1 ? (last != 0 ? 10 : -1) : last;
}

RecordEnd readBattleLog(DataFile& file, CharacterIo& x) {
    // The layout word shares the key's line; the oldest files put the count there.
    std::string word = readLineValue(file, false, MAX_TOKEN_VALUE);
    while (!word.empty() && (word.back() == ' ' || word.back() == '\t'))
        word.pop_back();
    int count = 0;
    if (word.compare(0, 8, "ENHANCED") == 0 || word.empty()) {
        count = readCount(file, MAX_BATTLES);
    } else {
        count = std::clamp(parseInt(word), 0, MAX_BATTLES);
        word.clear();
    }
    const BattleLayout layout = battleLayout(word);
    for (int i = 0; i < count; ++i) {
        if (atRecordEnd(file)) return endOrOpen(file);
        BattleLogEntry entry;
        entry.book = readInt(file);
        const int rounds = readCount(file, MAX_ROUNDS);
        entry.title = readListLine(file, MAX_TEXT);
        if (layout.sectionValue) entry.section = readInt(file);
        for (int r = 0; r < rounds && !atEnd(file); ++r) {
            if (atRecordEnd(file)) break;
            BattleLogRound round;
            round.enemyName = readListLine(file, MAX_TEXT);
            std::string numbers = readListLine(file, MAX_TEXT);
            parseRoundNumbers(numbers, layout, round);
            entry.rounds.push_back(std::move(round));
        }
        x.c->battleLog.push_back(std::move(entry));
        if (atEnd(file)) return RecordEnd::Eof;
    }
    return endOrOpen(file);
}

void writeBattleLog(RecordWriter& w, const CharacterIo& x) {
    const std::vector<BattleLogEntry>& log = x.c->battleLog;
    w.line("BATTLE_LOG: ENHANCED4");
    w.line(std::to_string(log.size()));
    for (const BattleLogEntry& e : log) {
        w.line(std::to_string(e.book));
        w.line(std::to_string(e.rounds.size()));
        w.line(orBlank(e.title));
        w.line(std::to_string(e.section));
        for (const BattleLogRound& r : e.rounds) {
            w.line(orBlank(r.enemyName));
            w.line(std::to_string(r.enemyCs) + " " + std::to_string(r.enemyEp) + " " +
                   std::to_string(r.heroCs) + " " + std::to_string(r.heroEp) + " " +
                   std::to_string(r.randomNumber) + " " + std::to_string(r.extra) + " " +
                   std::to_string(r.weaponId));
        }
    }
}

RecordEnd readNote(DataFile& file, CharacterIo& x) {
    if (x.c->notes.size() < static_cast<size_t>(MAX_LIST_COUNT))
        x.c->notes.push_back(readLineValue(file, false, MAX_TEXT));
    else
        skipRestOfLine(file);
    return endOrOpen(file);
}

void writeNotes(RecordWriter& w, const CharacterIo& x) {
    for (const std::string& note : x.c->notes)
        w.line("NOTE: " + orBlank(note));
}

RecordEnd readAcceptedLicense(DataFile& file, CharacterIo& x) {
    x.extras.sawAcceptedLicense = true;
    x.extras.acceptedLicense = readBool(file);
    return endOrOpen(file);
}

// Kept in range for the tables it picks from; the value as written tells a
// damaged record from a sound one.
RecordEnd readOnBook(DataFile& file, CharacterIo& x) {
    x.extras.rawOnBook = readInt(file);
    x.c->onBook = std::clamp(x.extras.rawOnBook, 1, 20);
    return endOrOpen(file);
}

const FieldTable<CharacterIo>& characterFields() {
    using C = Character;
    static const FieldTable<CharacterIo> T = {
        intRow("DISCIPLINE_LEFT_TO_CHOOSE:", &C::disciplinesToChoose),
        intRow("DISCIPLINE_WM_LEFT_TO_CHOOSE:", &C::weaponmasteryToChoose),
        intRow("DISCIPLINE_GWM_LEFT_TO_CHOOSE:", &C::grandWeaponmasteryToChoose),
        disciplineFlagsRow("VAEL_DISCIPLINES:", TIER_VAEL),
        disciplineFlagsRow("DRAVIC_DISCIPLINES:", TIER_DRAVIC),
        disciplineFlagsRow("GRANDMASTER_DISCIPLINES:", TIER_GRAND_MASTER),
        disciplineOrderRow("VAEL_DISCIPLINE_ORDER:", TIER_VAEL),
        disciplineOrderRow("DRAVIC_DISCIPLINE_ORDER:", TIER_DRAVIC),
        disciplineOrderRow("GRANDMASTER_DISCIPLINE_ORDER:", TIER_GRAND_MASTER),
        flagsRow("WEAPONSKILL_IN:", &C::weaponskillIn),
        flagsRow("WEAPONMASTERY_IN:", &C::weaponmasteryIn),
        flagsRow("GRANDWEAPONMASTERY_IN:", &C::grandWeaponmasteryIn),
        boolRow("HAVE_BACKPACK:", &C::haveBackpack),
        itemListRow("BACKPACK_ITEMS:", &C::backpackItems, ItemList::Backpack),
        boolRow("HAVE_BELT_POUCH:", &C::haveBeltPouch),
        intRow("GOLD_CROWNS:", &C::goldCrowns),
        intRow("LUNE:", &C::lune),
        intRow("KIKA:", &C::kika),
        itemListRow("SPECIAL_ITEMS:", &C::specialItems, ItemList::Special),
        itemListRow("WEAPONS:", &C::weapons, ItemList::Plain),
        itemListRow("MONASTERY_ITEMS:", &C::storageItems, ItemList::Plain),
        intRow("MONASTERY_CROWNS:", &C::storageCrowns),
        intRow("MONASTERY_LUNE:", &C::storageLune),
        intRow("MONASTERY_KIKA:", &C::storageKika),
        itemListRow("LOST_ITEMS:", &C::lostItems, ItemList::Plain),
        intRow("LOST_CROWNS:", &C::lostCrowns),
        intRow("LOST_LUNE:", &C::lostLune),
        intRow("LOST_KIKA:", &C::lostKika),
        boolRow("LOST_BACKPACK:", &C::lostBackpack),
        boolRow("LOST_BELT_POUCH:", &C::lostBeltPouch),
        intRow("STATS_CS_BASE:", &C::csBase),
        intRow("STATS_EP_MAX:", &C::epMax),
        intRow("STATS_EP_CUR:", &C::epCur),
        intRow("STATS_HC_LEFT:", &C::hcLeft),
        intRow("STATS_ARCHERY_REAL_EP:", &C::archeryRealEp),
        intRow("STATS_ARCHERY_DAMAGE:", &C::archeryDamage),
        intRow("STATS_CS_INITIAL:", &C::csInitial),
        intRow("STATS_EP_INITIAL:", &C::epInitial),
        intRow("DAMAGE_FROM_COMBAT:", &C::damageFromCombat),
        intRow("DAMAGE_FROM_STARVATION:", &C::damageFromStarvation),
        intRow("MEALS_EATEN:", &C::mealsEaten),
        intRow("BACKPACK_DISCARDS:", &C::backpackDiscards),
        intRow("SPECIAL_ITEM_DISCARDS:", &C::specialItemDiscards),
        intRow("WEAPON_DISCARDS:", &C::weaponDiscards),
        intRow("VAEL_BOOKS_COMPLETED:", &C::vaelBooksCompleted),
        intRow("DRAVIC_BOOKS_COMPLETED:", &C::dravicBooksCompleted),
        intRow("GRANDMASTER_BOOKS_COMPLETED:", &C::grandMasterBooksCompleted),
        // Book and tier pick catalogue rows and tables: keep them in range.
        customField<CharacterIo>("ON_BOOK:", readOnBook,
                                 [](RecordWriter& w, const CharacterIo& x) {
                                     w.line("ON_BOOK: " + std::to_string(x.c->onBook));
                                 }),
        intRow("ON_BOOK_SERIES:", &C::onBookSeries).clamp(TIER_VAEL, TIER_GRAND_MASTER),
        intRow("ON_SECTION:", &C::onSection),
        boolRow("WARMARN:", &C::warmarn),
        boolRow("TS:", &C::tsFlag),
        intRow("RESTARTS:", &C::restarts),
        lineField<CharacterIo>("VERSION:",
                               std::function<std::string&(CharacterIo&)>(
                                   [](CharacterIo& x) -> std::string& { return x.c->version; }))
            .keepLength(64),
        boolRow("COMPLETED_OPENING_SECTION:", &C::completedOpeningSection),
        customField<CharacterIo>("DISEASE:", readDiseases, writeDiseases),
        customField<CharacterIo>("TRAVEL_LOG:", readTravelLog, writeTravelLog),
        customField<CharacterIo>("BATTLE_LOG:", readBattleLog, writeBattleLog),
        customField<CharacterIo>("NOTE:", readNote, writeNotes),
        flagsRow("LORE_CIRCLES:", &C::loreCircles),
        boolRow("USED_MEGA_CURING:", &C::usedMegaCuring),
        boolRow("USED_MEGA_DELIVERANCE:", &C::usedMegaDeliverance),
        boolRow("USE_ONLY_MINDBLAST:", &C::useOnlyMindblast),
        boolRow("USED_ADGANA:", &C::usedAdgana),
        boolRow("USED_ADGANA_THIS_BOOK:", &C::usedAdganaThisBook),
        boolRow("HAS_SUNBLADE_AFTER_BOOK_3:", &C::hasSunbladeAfterBook3),
        boolRow("RECLAIMING:", &C::reclaiming),
        boolRow("GM_REROLL_STATS:", &C::gmRerollStats),
        boolRow("USING_VAEL_BLAST:", &C::usingVaelBlast),
        boolRow("USING_VAEL_RAY:", &C::usingVaelRay),
        boolRow("USED_VAEL_RAY:", &C::usedVaelRay),
        boolRow("EMPTY_POUCH_START_BOOK_12:", &C::emptyPouchStartBook12),
        // Older versions kept the profile's licence flag with the hero.
        customField<CharacterIo>("ACCEPTED_LICENSE:", readAcceptedLicense, nullptr),
    };
    return T;
}

} // namespace

bool writeCharacter(const Character& c, RecordWriter& writer) {
    CharacterIo io;
    io.c = const_cast<Character*>(&c); // the rows only read through it when writing
    writeFields(writer, io, characterFields());
    writer.line("END");
    return writer.ok();
}

bool readCharacter(DataFile& file, Character& c, const std::vector<Item>& catalogue,
                   CharacterReadExtras* extras) {
    resetCharacter(c);
    c.version = OLDEST_RECORD_VERSION;
    CharacterIo io;
    io.c = &c;
    io.catalogue = &catalogue;
    const RecordEnd end = readRecord(file, io, characterFields());
    // A record cut short keeps its scores usable too.
    if (c.csInitial == 0 || c.epInitial == 0) rebuildInitialStats(c);
    if (extras) *extras = io.extras;
    return end == RecordEnd::Closed;
}
