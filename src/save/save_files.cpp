#include "save/save_files.h"

#include "awards/award_check.h"

#include "app/game_state.h"
#include "book/random_table.h"
#include "book/random_table_pending.h"
#include "book/section_script.h"
#include "character/scores.h"
#include "fs/data_file.h"
#include "fs/record_fields.h"
#include "fs/record_writer.h"
#include "fs/vfs.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sstream>

const char* const TIMESTAMP_FILE = "/data/misc/ts.dat";

namespace {

const char* const CAMPAIGN_MARKER = "EXTENDED_CAMPAIGN_DATA";
const char* const TIMESTAMP_MARKER = "TS_NEW";
const char* const PAGE_RECORD_KEY = "PAGE_RECORD:";
const char* const PLAYED_BOOKS_KEY = "PLAYED_BOOKS:";

// Bounds that no honest save comes near; beyond them a file is damaged.
constexpr int MAX_SAVED_DRAWS = 10000000; // skipping them on load stays quick
constexpr int MAX_PLAYED_BOOKS = 64;
constexpr int MAX_BOOK_FLAGS = 256;
constexpr int MAX_SNAPSHOTS = 64;
constexpr int MAX_SECTION = 9999;

bool isOpeningPage(const std::string& name) {
    return name == "gamerulz" || name == "discplnz" || name == "equipmnt";
}

std::vector<int> numbersOf(const std::string& line, size_t max) {
    std::istringstream in(line);
    std::vector<int> v;
    std::string word;
    while (v.size() < max && in >> word)
        v.push_back(parseInt(word));
    return v;
}

// The section number a page name stands for, 0 for other pages.
int sectionOf(const std::string& name) {
    if (name.compare(0, 4, "sect") != 0 || name.size() == 4) return 0;
    return parseInt(name.substr(4));
}

// A hero whose book or section no book has cannot be played on.
bool plausibleHero(const Character& c, const CharacterReadExtras& extras) {
    if (extras.rawOnBook < 1 || extras.rawOnBook > BOOK_COUNT) return false;
    return c.onSection >= 0 && c.onSection <= MAX_SECTION;
}

// ---- Page records ----------------------------------------------------------

void writePageRecords(DataFile& file, RecordWriter& w, const GameState& g) {
    w.line(std::string(PAGE_RECORD_KEY) + " " + orBlank(g.section.sectionName));
    writeSectionScript(g.section, file, true, {}, nullptr);
    const std::vector<BookRecord>& books = g.campaign.books;
    w.line(std::string(PLAYED_BOOKS_KEY) + " " + std::to_string(books.size()));
    {
        Nest inside(w);
        for (const BookRecord& b : books) {
            std::string line = std::to_string(b.book) + " " + std::to_string(b.status) + " " +
                               std::to_string(b.flags.size());
            for (int f : b.flags)
                line += " " + std::to_string(f);
            w.line(line);
        }
        w.line(std::string("BOOK_FINISHED: ") + (g.campaign.bookFinished ? "1" : "0"));
    }
    w.line("END");
}

bool readPlayedBooks(DataFile& file, ResumeData& out) {
    const int n = readCount(file, MAX_PLAYED_BOOKS);
    for (int i = 0; i < n; ++i) {
        if (atEnd(file)) return false;
        const std::vector<int> v = numbersOf(readListLine(file, 4096), 3 + MAX_BOOK_FLAGS);
        if (v.size() < 3) return false;
        BookRecord r;
        r.book = v[0];
        r.status = v[1] == BOOK_FINISHED ? BOOK_FINISHED : BOOK_PLAYING;
        const size_t flags = static_cast<size_t>(std::clamp(v[2], 0, MAX_BOOK_FLAGS));
        for (size_t k = 3; k < v.size() && k < 3 + flags; ++k)
            r.flags.push_back(v[k]);
        std::sort(r.flags.begin(), r.flags.end());
        r.flags.erase(std::unique(r.flags.begin(), r.flags.end()), r.flags.end());
        const bool known = std::any_of(out.books.begin(), out.books.end(),
                                       [&](const BookRecord& b) { return b.book == r.book; });
        if (r.book >= 1 && r.book <= BOOK_COUNT && !known) out.books.push_back(std::move(r));
    }
    std::string token;
    while (readValue(file, token)) {
        if (token == "END") return true;
        if (token == "BOOK_FINISHED:") out.bookFinished = readBool(file);
    }
    return false;
}

bool readPageRecords(DataFile& file, const Catalogues& cat, ResumeData& out) {
    bool mainPage = true;
    std::string token;
    for (int guard = 0; guard < 64; ++guard) {
        if (!peekValue(file, token)) return false;
        if (token == PAGE_RECORD_KEY) {
            readValue(file, token);
            const std::string name = readLineValue(file, false, MAX_TOKEN_VALUE);
            const size_t start = file.pos;
            SectionPage scratch;
            ScriptContext context{cat.conditionTypes, cat.effectTypes, nullptr, nullptr};
            if (!readSectionScript(scratch, file, false, context)) return false;
            // Only the main page is kept; records of other pages are read past.
            if (mainPage) {
                out.pageName = name;
                out.pageState = file.data.substr(start, file.pos - start);
                mainPage = false;
            }
        } else if (token == PLAYED_BOOKS_KEY) {
            readValue(file, token);
            if (!readPlayedBooks(file, out)) return false;
        } else {
            return true;
        }
    }
    return true;
}

// ---- Page-view state ---------------------------------------------------------

void writeView(RecordWriter& w, const PageViewState& v) {
    w.line(std::to_string(v.leftPage) + " " + std::to_string(v.leftValue));
    w.line(std::to_string(v.rightPage) + " " + std::to_string(v.rightValue));
    w.line(std::to_string(v.extraFirst) + " " + std::to_string(v.extraSecond));
    w.line(orBlank(v.sparePage));
}

// A value cut off by the end of the file would read as another number.
bool lineWasComplete(const DataFile& file) {
    if (file.pos == 0 || file.pos > file.data.size()) return false;
    const char last = file.data[file.pos - 1];
    return last == '\n' || last == '\r';
}

bool readView(DataFile& file, PageViewState& v) {
    int* pairs[3][2] = {{&v.leftPage, &v.leftValue},
                        {&v.rightPage, &v.rightValue},
                        {&v.extraFirst, &v.extraSecond}};
    for (auto& pair : pairs) {
        if (atEnd(file)) return false;
        const std::vector<int> n = numbersOf(readListLine(file, 256), 2);
        if (n.size() < 2 || !lineWasComplete(file)) return false;
        *pair[0] = n[0];
        *pair[1] = n[1];
    }
    if (atEnd(file)) return false;
    v.sparePage = readListLine(file, MAX_TOKEN_VALUE);
    if (!lineWasComplete(file)) return false;
    if (v.sparePage == "*Blank*") v.sparePage.clear();
    // The licence page was once numbered one further on.
    if (v.leftPage == 19 && v.extraFirst != LICENCE_EXTRA_FIRST) {
        v.leftPage = 18;
        v.extraFirst = 20;
    }
    return true;
}

// Writes `text` through a callback to a file of the write folder; closeFile
// renames it over the old copy only once complete.
template <class Write> bool writeWholeFile(const std::string& path, int64_t modTime, Write write) {
    DataFile file = openWrite(path);
    if (!file.isOpen()) return false;
    file.modTime = modTime;
    const bool written = write(file);
    if (!written) file.writeFailed = true;
    return closeFile(file) && written;
}

void printLoadFailure(int profile, bool sectionOne) {
    if (sectionOne)
        std::printf("Unable to load savegame. Tried to load sec1-%d.dat...\n", profile);
    else
        std::printf("Unable to load savegame. Tried to load resume%d.dat...\n", profile);
}

bool& unreadableMark(CampaignState& s, bool sectionOne) {
    return sectionOne ? s.sectionOneUnreadable : s.resumeUnreadable;
}

} // namespace

std::string campaignPath(int profile) {
    return "/data/profiles/campaign" + std::to_string(profile) + ".dat";
}
std::string resumePath(int profile) {
    return "/data/profiles/resume" + std::to_string(profile) + ".dat";
}
std::string sectionOnePath(int profile) {
    return "/data/profiles/sec1-" + std::to_string(profile) + ".dat";
}
std::string savePath(int profile, bool sectionOne) {
    return sectionOne ? sectionOnePath(profile) : resumePath(profile);
}

// ---- The timestamp file ------------------------------------------------------

int timestampSlot(int profile, bool sectionOne) {
    const int index = std::clamp(profile, 1, 5) - 1;
    return sectionOne ? index + 5 : index;
}

void readTimestamps(DataFile& file, Timestamps& ts) {
    ts = Timestamps();
    const size_t start = file.pos;
    std::string token;
    if (readValue(file, token) && token == TIMESTAMP_MARKER) {
        ts.tenSlots = true;
    } else {
        file.pos = start;
    }
    const size_t slots = ts.tenSlots ? TIMESTAMP_SLOTS : TIMESTAMP_SLOTS / 2;
    for (size_t i = 0; i < slots && readValue(file, token); ++i) {
        long long v = 0;
        std::istringstream in(token);
        if (!(in >> v)) v = 0;
        ts.times[i] = v;
    }
}

bool writeTimestamps(DataFile& file, const Timestamps& ts) {
    RecordWriter w(file);
    w.line(TIMESTAMP_MARKER);
    for (int64_t t : ts.times)
        w.line(std::to_string(static_cast<long long>(t)));
    return w.ok();
}

bool loadTimestamps(Timestamps& ts) {
    ts = Timestamps();
    DataFile file = openRead(TIMESTAMP_FILE);
    if (!file.isOpen()) return false;
    readTimestamps(file, ts);
    closeFile(file);
    return true;
}

bool saveTimestamps(const Timestamps& ts) {
    return writeWholeFile(TIMESTAMP_FILE, -1, [&](DataFile& f) { return writeTimestamps(f, ts); });
}

// ---- Resume and section-1 files ----------------------------------------------

bool writeResume(DataFile& file, const GameState& g) {
    RecordWriter w(file);
    writeCharacter(g.character, w);
    writePageRecords(file, w, g);
    bool ok = writeCombat(0, file, g.combat);
    int nesting = 0;
    ok = writeRules(g.rules, file, nesting) && ok;
    writeView(w, g.campaign.view);
    w.line("SEED " + std::to_string(g.random.seed) + " " + std::to_string(g.random.draws));
    return w.ok() && ok;
}

bool readResume(DataFile& file, const Catalogues& cat, ResumeData& out) {
    out = ResumeData();
    if (!readCharacter(file, out.character, cat.items, &out.extras)) return false;
    if (!plausibleHero(out.character, out.extras)) return false;
    if (!readPageRecords(file, cat, out)) return false;
    std::string token;
    if (!peekValue(file, token) || token != "COMBAT") return false;
    if (!readCombat(file, out.combat, cat.conditionTypes)) return false;
    if (!readRules(file, out.rules)) return false;
    if (!readView(file, out.view)) return false;
    // Files of older versions end here; ours close with the random source.
    if (!peekValue(file, token)) return true;
    if (token != "SEED") return false;
    readValue(file, token);
    out.seed = readInt(file);
    out.draws = readInt(file);
    if (out.draws < 0 || out.draws > MAX_SAVED_DRAWS || !lineWasComplete(file)) return false;
    out.haveSeed = true;
    return true;
}

void applyResume(GameState& g, const Catalogues& cat, const ResumeData& d) {
    g.character = d.character;
    g.rules = d.rules;
    g.campaign.books = d.books;
    g.campaign.bookFinished = d.bookFinished;
    g.campaign.view = d.view;
    Character& c = g.character;

    // The page comes from the book as a new turn would load it, then takes
    // back what play had changed on it.
    const bool opening = isOpeningPage(d.pageName) && !c.completedOpeningSection;
    const int section = opening ? 0 : std::max(1, c.onSection);
    const BookEntry* book = findBook(cat, c.onBook);
    g.section = SectionPage();
    g.section.bookCode = book ? book->code : "";
    g.section.sectionName = opening ? d.pageName : "sect" + std::to_string(section);
    loadSection(g, cat);
    if (!d.pageState.empty() && (d.pageName == g.section.sectionName || d.pageName.empty())) {
        DataFile state = openMemoryRead(d.pageState, "page state");
        ScriptContext context{cat.conditionTypes, cat.effectTypes, nullptr, nullptr};
        readSectionScript(g.section, state, true, context);
    }
    // The fight as it stood, not as the section begins it.
    g.combat = d.combat;
    if (g.combat.currentEnemy < 0 ||
        g.combat.currentEnemy > static_cast<int>(g.combat.enemies.size()))
        g.combat.currentEnemy = 0;

    RulesState& s = g.rulesState;
    s = RulesState();
    s.heroActive = c.completedOpeningSection || sectionOf(g.section.sectionName) > 0;
    s.sectionStartEp = c.epCur;
    s.sectionHadCombat = g.combat.started;
    s.mealsExpected = c.mealsEaten;
    ++s.pageRevision;
    g.firstPageLoaded = true;
    g.pendingSection = 0;
    g.pendingBookComplete = false;
    g.pendingItem = -1;
    g.pendingCoins = 0;
    g.messages.pending.clear();

    if (d.haveSeed) seedRandom(g.random, d.seed, d.draws);
}

void installResumeSaveHook() {
    setResumeSaveHook([](GameState& g, int profile) { return saveResume(g, profile, false); });
}

bool saveResume(GameState& g, int profile, bool sectionOne) {
    const std::string path = savePath(profile, sectionOne);
    if (unreadableMark(g.campaign, sectionOne)) {
        std::printf("Not writing %s: it could not be read and is kept as it is.\n", path.c_str());
        return false;
    }
    // The file keeps the time recorded for it while it has not been changed
    // outside the program, so that the timestamp file can be written first and
    // a crash between the two writes never marks an honest save as edited.
    Timestamps ts;
    loadTimestamps(ts);
    const int slot = timestampSlot(profile, sectionOne);
    const int64_t recorded = ts.times[static_cast<size_t>(slot)];
    const int64_t onDisk = vfsExists(path) ? vfsLastModified(path) : -1;
    int64_t stamp = recorded;
    if (recorded <= 0 || (onDisk >= 0 && onDisk != recorded))
        stamp = static_cast<int64_t>(std::time(nullptr));
    if (stamp != recorded || !ts.tenSlots) {
        ts.times[static_cast<size_t>(slot)] = stamp;
        if (!saveTimestamps(ts)) {
            std::printf("Unable to write savegame. Check for writing privileges.\n");
            return false;
        }
    }
    const bool ok = writeWholeFile(path, stamp, [&](DataFile& f) { return writeResume(f, g); });
    if (!ok) std::printf("Unable to write savegame. Check for writing privileges.\n");
    return ok;
}

LoadResult readResumeFile(GameState& g, const Catalogues& cat, int profile, bool sectionOne,
                          ResumeData& data) {
    const std::string path = savePath(profile, sectionOne);
    DataFile file = openRead(path);
    if (!file.isOpen()) {
        printLoadFailure(profile, sectionOne);
        return LoadResult::Missing;
    }
    const bool complete = readResume(file, cat, data);
    closeFile(file);
    if (!complete) {
        printLoadFailure(profile, sectionOne);
        unreadableMark(g.campaign, sectionOne) = true;
        return LoadResult::Damaged;
    }
    return LoadResult::Loaded;
}

void finishResumeLoad(GameState& g, const Catalogues& cat, int profile, bool sectionOne,
                      const ResumeData& data, bool& acceptedLicense) {
    if (data.extras.sawAcceptedLicense) acceptedLicense = data.extras.acceptedLicense;
    applyResume(g, cat, data);

    const std::string path = savePath(profile, sectionOne);
    Timestamps ts;
    loadTimestamps(ts);
    if (vfsLastModified(path) != ts.times[static_cast<size_t>(timestampSlot(profile, sectionOne))])
        g.character.tsFlag = true;
    if (!acceptedLicense) {
        PageViewState& v = g.campaign.view;
        v.leftPage = LICENCE_LEFT_PAGE;
        v.rightPage = LICENCE_RIGHT_PAGE;
        v.extraFirst = LICENCE_EXTRA_FIRST;
        v.extraSecond = 0;
    }
    Character& c = g.character;
    if (c.onBook == 13) c.disciplinesToChoose = std::max(0, 4 - knownCount(c, TIER_GRAND_MASTER));
}

LoadResult loadResume(GameState& g, const Catalogues& cat, int profile, bool sectionOne,
                      bool& acceptedLicense) {
    ResumeData data;
    const LoadResult r = readResumeFile(g, cat, profile, sectionOne, data);
    if (r == LoadResult::Loaded)
        finishResumeLoad(g, cat, profile, sectionOne, data, acceptedLicense);
    return r;
}

// ---- The campaign file --------------------------------------------------------

bool writeCampaign(DataFile& file, const RuleOptions& rules,
                   const std::vector<Character>& records) {
    RecordWriter w(file);
    w.line(CAMPAIGN_MARKER);
    bool ok = writeRules(rules, file, w.nesting());
    for (const Character& c : records)
        ok = writeCharacter(c, w) && ok;
    return w.ok() && ok;
}

bool readCampaign(DataFile& file, const Catalogues& cat, CampaignData& out) {
    out = CampaignData();
    const size_t start = file.pos;
    std::string token;
    if (!readValue(file, token)) return false;
    if (token != CAMPAIGN_MARKER) {
        // The older layout: one record, then the rule options.
        file.pos = start;
        Character c;
        CharacterReadExtras extras;
        if (!readCharacter(file, c, cat.items, &extras) || !plausibleHero(c, extras)) return false;
        out.records.push_back(std::move(c));
        return readRules(file, out.rules);
    }
    if (!readRules(file, out.rules)) return false;
    while (peekValue(file, token)) {
        if (out.records.size() >= static_cast<size_t>(MAX_SNAPSHOTS)) return false;
        Character c;
        CharacterReadExtras extras;
        if (!readCharacter(file, c, cat.items, &extras) || !plausibleHero(c, extras)) return false;
        out.records.push_back(std::move(c));
    }
    return !out.records.empty();
}

bool saveCampaign(GameState& g, const Catalogues& cat, int profile) {
    const std::string path = campaignPath(profile);
    const Character& hero = g.character;
    std::vector<Character> kept;
    if (vfsExists(path)) {
        DataFile old = openRead(path);
        CampaignData data;
        const bool complete = old.isOpen() && readCampaign(old, cat, data);
        if (old.isOpen()) closeFile(old);
        if (!complete) g.campaign.campaignUnreadable = true;
        for (Character& c : data.records)
            if (c.onBook < hero.onBook && c.onBook != 1) kept.push_back(std::move(c));
    }
    if (g.campaign.campaignUnreadable) {
        std::printf("Not writing %s: it could not be read and is kept as it is.\n", path.c_str());
        return false;
    }
    kept.push_back(hero);
    const bool ok =
        writeWholeFile(path, -1, [&](DataFile& f) { return writeCampaign(f, g.rules, kept); });
    if (!ok) {
        std::printf("Unable to write campaign save file. Check for writing privileges.\n");
        std::printf("%s\n", vfsLastError());
        return false;
    }
    // The restart save belonged to the book just finished.
    if (vfsExists(sectionOnePath(profile))) vfsDelete(sectionOnePath(profile));
    g.campaign.sectionOneUnreadable = false;
    return true;
}

bool loadCampaign(GameState& g, const Catalogues& cat, int profile, int targetBook) {
    const std::string path = campaignPath(profile);
    DataFile file = openRead(path);
    if (!file.isOpen()) {
        std::printf("Unable to load campaign file. Tried to load campaign%d.dat...\n", profile);
        return false;
    }
    CampaignData data;
    const bool complete = readCampaign(file, cat, data);
    closeFile(file);
    if (!complete) {
        std::printf("Unable to load campaign file. Tried to load campaign%d.dat...\n", profile);
        g.campaign.campaignUnreadable = true;
        return false;
    }
    const Character* chosen = nullptr;
    for (const Character& c : data.records) {
        if (c.onBook != 1 || data.records.size() == 1) chosen = &c;
        if (targetBook != 0 && c.onBook == targetBook) break;
    }
    if (!chosen) chosen = &data.records.back();
    g.character = *chosen;
    g.rules = data.rules;
    forgetBooksFrom(g.campaign, g.character.onBook);
    return true;
}

void deleteProfileSaves(GameState& g, int profile) {
    for (const std::string& path :
         {resumePath(profile), campaignPath(profile), sectionOnePath(profile)})
        if (vfsExists(path)) vfsDelete(path);
    removePendingResult(profile);
    g.campaign.resumeUnreadable = false;
    g.campaign.sectionOneUnreadable = false;
    g.campaign.campaignUnreadable = false;
    g.campaign.books.clear();
    g.campaign.bookFinished = false;
}

// ---- Around the saves ----------------------------------------------------------

int compareVersionNumbers(const std::string& a, const std::string& b) {
    auto parts = [](const std::string& v) {
        std::array<int, 3> p{};
        std::istringstream in(v);
        std::string piece;
        for (size_t i = 0; i < 3 && std::getline(in, piece, '.'); ++i)
            p[i] = parseInt(piece);
        return p;
    };
    const auto pa = parts(a), pb = parts(b);
    for (size_t i = 0; i < 3; ++i)
        if (pa[i] != pb[i]) return pa[i] < pb[i] ? -1 : 1;
    return 0;
}

int seriesCompletionCheck(const Character& r, const RuleOptions& rules) {
    struct Series {
        int completed, full, lastBook, lastSection;
    };
    const Series series[3] = {{r.vaelBooksCompleted, 5, 5, 400},
                              {r.dravicBooksCompleted, 7, 12, 350},
                              {r.grandMasterBooksCompleted, 8, 20, 350}};
    bool any = false;
    for (const Series& s : series)
        any = any || s.completed >= s.full ||
              (s.completed == s.full - 1 && r.onBook == s.lastBook && r.onSection == s.lastSection);
    if (!any || r.tsFlag) return 0;
    // The presets as the awards classify them (the options that do not
    // decide a preset are left out).
    const RuleSet set = classifyRules(rules);
    if (set != RULESET_BY_THE_BOOK && set != RULESET_HARDCORE) return 0;
    const int result = set == RULESET_BY_THE_BOOK ? 1 : 2;
    if (compareVersionNumbers(r.version, "1.14.4") >= 0) {
        // The fights' round numbers are the picks the campaign recorded.
        for (int book = 1; book <= 17; ++book) {
            std::vector<RecordedPicks> records;
            for (const BattleLogEntry& e : r.battleLog) {
                if (e.book != book) continue;
                RecordedPicks p;
                p.book = e.book;
                p.section = e.section;
                for (const BattleLogRound& round : e.rounds)
                    if (round.randomNumber >= 0) p.numbers.push_back(round.randomNumber);
                if (!p.numbers.empty()) records.push_back(std::move(p));
            }
            if (records.empty()) continue;
            RandomNumberTable table;
            loadTable(table, book);
            RandomSource scratch;
            if (!verifyPicks(table, book, records, rules.wmBowRnBoost, scratch)) return 0;
        }
    }
    return result;
}

std::string travelLogFileName(int profile, int book) {
    const std::string n = std::to_string(profile);
    return book == 0 ? "GS" + n + "_Log_Full.txt"
                     : "GS" + n + "_Log_Book" + std::to_string(book) + ".txt";
}

std::string travelLogText(const Character& c, const Catalogues& cat, const std::string& profileName,
                          int book, const std::vector<std::vector<std::string>>* summaries) {
    std::string out;
    int shown = -1;
    for (const auto& [b, section] : c.travelLog) {
        if (book != 0 && b != book) continue;
        if (b != shown) {
            if (shown != -1) out += "\n";
            const BookEntry* entry = findBook(cat, b);
            out += profileName + "'s Travel Log for \"" + (entry ? entry->title : "") +
                   "\" (Book " + std::to_string(b) + ")\n";
            shown = b;
        }
        std::string summary;
        if (summaries && b >= 1 && static_cast<size_t>(b) <= summaries->size()) {
            const std::vector<std::string>& lines = (*summaries)[static_cast<size_t>(b - 1)];
            if (section >= 1 && static_cast<size_t>(section) <= lines.size())
                summary = lines[static_cast<size_t>(section - 1)];
        }
        out += std::to_string(section) + ": " + summary + "\n";
    }
    return out;
}

bool exportTravelLog(const Character& c, const Catalogues& cat, const std::string& profileName,
                     int profile, int book, std::string& fileName) {
    fileName = travelLogFileName(profile, book);
    const std::string text = travelLogText(c, cat, profileName, book, nullptr);
    return writeWholeFile(fileName, -1,
                          [&](DataFile& f) { return text.empty() || writeText(0, f, text); });
}

void carryHeroIntoNextBook(Character& c) {
    const Tier finished = c.onBookSeries;
    int& completed = finished == TIER_VAEL     ? c.vaelBooksCompleted
                     : finished == TIER_DRAVIC ? c.dravicBooksCompleted
                                               : c.grandMasterBooksCompleted;
    ++completed;
    c.onBook = std::min(c.onBook + 1, BOOK_COUNT);
    const Tier next = c.onBook <= 5 ? TIER_VAEL : c.onBook <= 12 ? TIER_DRAVIC : TIER_GRAND_MASTER;
    if (next != finished) {
        startCampaignInTier(c, next);
    } else if (knownCount(c, next) < disciplineCount(next)) {
        // Each book of a series teaches one more Discipline of it.
        c.disciplinesToChoose = std::max(c.disciplinesToChoose, 1);
    }
    c.onSection = 1;
    c.completedOpeningSection = false;
    c.usedAdganaThisBook = false;
}

// ---- The console viewer ----------------------------------------------------------

bool readConsoleRecord(DataFile& file, const Catalogues& cat, Character& c, RuleOptions& rules,
                       RandomSource& random) {
    const bool complete = readCharacter(file, c, cat.items);
    std::string token;
    for (;;) {
        const size_t at = file.pos;
        if (!readValue(file, token)) break;
        if (token == "WEAPON_RULES:") {
            file.pos = at;
            readRules(file, rules);
            break;
        }
    }
    while (readValue(file, token)) {
        if (token != "SEED") continue;
        const int seed = readInt(file);
        const int draws = readInt(file);
        if (draws >= 0 && draws <= MAX_SAVED_DRAWS) seedRandom(random, seed, draws);
        break;
    }
    return complete;
}

std::string consoleRecordText(const Character& c, const RuleOptions& rules, int hallOfFame) {
    char line[256];
    std::string out = "Here is the pertinent HoF info:\n\n";
    const int cs = c.csBase + combatSkill(c, rules, nullptr).bonus;
    std::snprintf(line, sizeof line,
                  "Combat Skill: %d / Endurance : %d        (Initial scores- CS: %d / EP: %d)\n",
                  cs, c.epCur, c.csInitial, c.epInitial);
    out += line;
    if (hallOfFame == 2) {
        const char* heads[TIER_COUNT] = {"Vael Disc: ", "\nDR Disc: ", "\nGM Disc: "};
        for (int t = 0; t < TIER_COUNT; ++t) {
            out += heads[t];
            for (int id : c.disciplineOrder[static_cast<size_t>(t)])
                out += disciplineInfo(static_cast<Tier>(t), id).name + "   ";
        }
    }
    return out;
}
