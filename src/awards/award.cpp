#include "awards/award.h"

#include "fs/data_file.h"
#include "fs/record_fields.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

const char* const AWARDS_FILE = "/data/misc/awards.txt";

bool addAward(AwardCatalogue& catalogue, const AwardDefinition& award) {
    if (findAward(catalogue, award.id)) {
        printf("Big time error! Trying to add a award with the same ID as another! check game!\n");
        return false;
    }
    catalogue.awards.push_back(award);
    return true;
}

bool addAwardHint(AwardCatalogue& catalogue, int awardId, int level, const std::string& text) {
    for (AwardDefinition& a : catalogue.awards) {
        if (a.id != awardId) continue;
        if (static_cast<int>(a.hints.size()) >= AWARD_HINTS_MAX) return false;
        a.hints.push_back({text, std::clamp(level, 1, AWARD_HINTS_MAX)});
        return true;
    }
    return false;
}

const AwardDefinition* findAward(const AwardCatalogue& catalogue, int id) {
    for (const AwardDefinition& a : catalogue.awards)
        if (a.id == id) return &a;
    return nullptr;
}

std::vector<int> awardIds(const AwardCatalogue& catalogue) {
    std::vector<int> ids;
    ids.reserve(catalogue.awards.size());
    for (const AwardDefinition& a : catalogue.awards)
        ids.push_back(a.id);
    return ids;
}

namespace {

// What a record of the file holds besides the definition: its hints in file
// order, handed to addAwardHint once the award itself is in.
struct AwardRecord {
    AwardDefinition award;
    std::vector<AwardHint> hints;
};

struct TestWord {
    const char* word;
    AwardTestKind kind;
};
const TestWord TEST_WORDS[] = {
    {"FINISHED", AwardTestKind::Finished},
    {"COMBATS_AT_MOST", AwardTestKind::CombatsAtMost},
    {"COMBATS_AT_LEAST", AwardTestKind::CombatsAtLeast},
    {"SECTIONS", AwardTestKind::Sections},
    {"AVOIDED", AwardTestKind::Avoided},
    {"CARRIES", AwardTestKind::Carries},
    {"CARRIES_SOME", AwardTestKind::CarriesSome},
    {"AWARDS", AwardTestKind::Awards},
    {"BUTTON", AwardTestKind::Button},
    {"EP_AT_MOST", AwardTestKind::EnduranceAtMost},
    {"EP_AT_LEAST", AwardTestKind::EnduranceAtLeast},
    {"EP_FULL", AwardTestKind::EnduranceFull},
    {"GOLD_AT_MOST", AwardTestKind::GoldAtMost},
    {"GOLD_AT_LEAST", AwardTestKind::GoldAtLeast},
    {"NO_RESTARTS", AwardTestKind::NoRestarts},
    {"DISCIPLINE", AwardTestKind::Discipline},
    {"DISCIPLINES_AT_MOST", AwardTestKind::DisciplinesAtMost},
    {"LONGEST_FIGHT_AT_MOST", AwardTestKind::LongestFightAtMost},
    {"UNARMED_FIGHT", AwardTestKind::UnarmedFight},
    {"MEALS_AT_LEAST", AwardTestKind::MealsAtLeast},
    {"SERIES_COMPLETE", AwardTestKind::SeriesComplete},
    {"NEVER", AwardTestKind::Never},
};

// How many leading numbers each kind takes before its list (book, amount, extra).
void leadingFields(AwardTestKind k, bool& book, bool& amount, bool& extra, bool& list) {
    using K = AwardTestKind;
    book = k == K::Finished || k == K::CombatsAtMost || k == K::CombatsAtLeast ||
           k == K::Sections || k == K::Avoided || k == K::LongestFightAtMost ||
           k == K::UnarmedFight;
    amount = k == K::CombatsAtMost || k == K::CombatsAtLeast || k == K::Sections ||
             k == K::CarriesSome || k == K::Button || k == K::EnduranceAtMost ||
             k == K::EnduranceAtLeast || k == K::GoldAtMost || k == K::GoldAtLeast ||
             k == K::Discipline || k == K::DisciplinesAtMost || k == K::LongestFightAtMost ||
             k == K::MealsAtLeast || k == K::SeriesComplete;
    extra = k == K::Button || k == K::Discipline || k == K::DisciplinesAtMost;
    list = k == K::Sections || k == K::Avoided || k == K::Carries || k == K::CarriesSome ||
           k == K::Awards;
}

constexpr size_t MAX_TEST_VALUES = 400;

// "SECTIONS 1 5 12 40 96*2": the kind's word, its numbers, then the list; a
// "*2" after a section makes it count twice. An unknown word can never hold.
AwardTest parseTest(const std::string& line, int awardId) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    AwardTest t;
    const TestWord* found = nullptr;
    for (const TestWord& w : TEST_WORDS)
        if (word == w.word) found = &w;
    if (!found) {
        printf("Unknown award test %s in award %d: it can never be earned\n", word.c_str(),
               awardId);
        return t;
    }
    t.kind = found->kind;
    bool book, amount, extra, list;
    leadingFields(t.kind, book, amount, extra, list);
    std::string token;
    // Discipline and DisciplinesAtMost read their tier into amount.
    if (book && in >> token) t.book = parseInt(token);
    if (amount && in >> token) t.amount = parseInt(token);
    if (extra && in >> token) t.extra = parseInt(token);
    while (list && t.values.size() < MAX_TEST_VALUES && in >> token) {
        const int v = parseInt(token);
        if (token.size() > 2 && token.compare(token.size() - 2, 2, "*2") == 0)
            t.doubled.push_back(v);
        else
            t.values.push_back(v);
    }
    return t;
}

RecordEnd readTestField(DataFile& file, AwardRecord& r) {
    std::string line = readLineValue(file);
    if (r.award.tests.size() < 32) r.award.tests.push_back(parseTest(line, r.award.id));
    return RecordEnd::Open;
}

RecordEnd readHintField(DataFile& file, AwardRecord& r) {
    std::string line = readLineValue(file);
    std::istringstream in(line);
    std::string level;
    in >> level;
    std::string text;
    std::getline(in >> std::ws, text);
    if (!text.empty()) r.hints.push_back({text, parseInt(level)});
    return RecordEnd::Open;
}

const FieldTable<AwardRecord>& awardFields() {
    using R = AwardRecord;
    static const FieldTable<R> T = {
        lineField<R>("TITLE:", [](R& r) -> std::string& { return r.award.title; }),
        lineField<R>("DESCRIPTION:", [](R& r) -> std::string& { return r.award.description; }),
        lineField<R>("REQUIREMENT:", [](R& r) -> std::string& { return r.award.requirement; }),
        lineField<R>("STATUS:", [](R& r) -> std::string& { return r.award.statusNote; }),
        tokenField<R>("MEDAL:", [](R& r) -> std::string& { return r.award.medal; }),
        intField<R>("SERIES:", [](R& r) -> int& { return r.award.series; }).clamp(0, 2),
        intField<R>("BOOK:", [](R& r) -> int& { return r.award.book; }).clamp(0, 20),
        intField<R>("RULES:", [](R& r) -> int& { return r.award.rulesRequirement; }).clamp(0, 3),
        boolField<R>("RESTRICTED:", [](R& r) -> bool& { return r.award.rulesRestricted; }),
        intField<R>("ORDER:", [](R& r) -> int& { return r.award.displayOrder; }),
        intField<R>("DIFFICULTY:", [](R& r) -> int& { return r.award.difficulty; }).clamp(0, 4),
        intField<R>("CATEGORY:", [](R& r) -> int& { return r.award.category; }).clamp(0, 12),
        intField<R>("ATTRIBUTE:", [](R& r) -> int& { return r.award.attribute; }),
        customField<R>("TEST:", readTestField, nullptr),
        customField<R>("HINT:", readHintField, nullptr),
    };
    return T;
}

} // namespace

bool readAwards(DataFile& file, AwardCatalogue& catalogue) {
    std::string token;
    bool ok = true;
    // Bounded: a file of garbage cannot make the table grow without end.
    while (readValue(file, token) && catalogue.awards.size() < 1000) {
        if (token != "AWARD:") continue;
        AwardRecord r;
        r.award.id = readInt(file);
        const RecordEnd end = readRecord(file, r, awardFields());
        if (r.award.medal.empty()) r.award.medal = "medal_generic";
        if (!addAward(catalogue, r.award)) {
            ok = false;
            break;
        }
        for (const AwardHint& h : r.hints)
            addAwardHint(catalogue, r.award.id, h.level, h.text);
        if (end == RecordEnd::Eof) break;
    }
    return ok;
}

bool defineAwards(AwardCatalogue& catalogue, const std::string& path) {
    catalogue.awards.clear();
    DataFile file = openRead(path);
    if (!file.isOpen()) {
        printf("Couldn't open awards file %s... no awards!\n", path.c_str());
        return true;
    }
    const bool ok = readAwards(file, catalogue);
    closeFile(file);
    return ok;
}

std::string rulesDemandNote(int demand) {
    switch (demand) {
    case DEMAND_BY_THE_BOOK:
        return "(Must play with BY-THE-BOOK gameplay rules only)";
    case DEMAND_HARDCORE:
        return "(Must play with HARDCORE gameplay rules only)";
    case DEMAND_ANY_PRESET:
        return "(Must play with BY-THE-BOOK, HARDCORE, or PRODIGY gameplay rules)";
    case DEMAND_STRICT_PRESET:
        return "(Must play with BY-THE-BOOK or HARDCORE gameplay rules only)";
    default:
        return "";
    }
}

std::string difficultyText(int difficulty) {
    static const char* const TEXTS[] = {"Not available yet", "Easy", "Moderate", "Hard",
                                        "Expert"};
    return TEXTS[std::clamp(difficulty, 0, 4)];
}

std::string awardCategoryText(int category) {
    static const char* const TEXTS[] = {
        "(Minimum Combat Count)", "(High Combat Count)", "(Item Collection)",
        "(Death Defying Feat)",   "(Heroic Feat)",       "(Bounty Hunter)",
        "(Charitable Feat)",      "(Intellectual Feat)", "(Mischievous Feat)",
        "(Epic Failure)",         "(Fresh Start)",       "(Unexplored Path)"};
    if (category < 1 || category > 12) return "";
    return TEXTS[category - 1];
}

std::string awardGroupHeading(int series, int book) {
    if (book != 0) return "Book " + std::to_string(book) + " Awards:";
    static const char* const SERIES[] = {"VAEL Series Awards:", "DRAVIC Series Awards:",
                                         "GRANDMASTER Series Awards:"};
    return SERIES[std::clamp(series, 0, 2)];
}
