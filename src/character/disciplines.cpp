#include "character/disciplines.h"

#include "fs/data_file.h"

#include <cstdio>

namespace {

const char* const WEAPON_NAMES[WEAPON_TYPE_COUNT] = {
    "Dagger", "Spear", "Mace",  "Short Sword",  "Warhammer",
    "Bow",    "Axe",   "Sword", "Quarterstaff", "Broadsword"};
const char* const WEAPON_NAMES_UPPER[WEAPON_TYPE_COUNT] = {
    "DAGGER", "SPEAR", "MACE",  "SHORT SWORD",  "WARHAMMER",
    "BOW",    "AXE",   "SWORD", "QUARTERSTAFF", "BROADSWORD"};

struct Row {
    int id;
    const char* name;
    const char* bonusText;
};

// Names and stored bonus texts by id; the presentation orders are separate.
const Row VAEL_ROWS[] = {
    {0, "Camouflage", ""},
    {1, "Hunting", ": No need for meal when instructed"},
    {2, "Sixth Sense", ""},
    {3, "Tracking", ""},
    {4, "Healing", ": +1 EP per section w/o combat"},
    {5, "Weaponskill", ": +2 CS with this weapon"},
    {6, "Mindshield", ": No points lost if attacked by Mindblast"},
    {7, "Mindblast", ": +2 CS if enemy not immune"},
    {8, "Animal Kinship", ""},
    {9, "Mind Over Matter", ""},
};
const Row DRAVIC_ROWS[] = {
    {0, "Invisibility", ""},
    {1, "Huntmastery", ""},
    {2, "Divination", ""},
    {3, "Pathsmanship", ""},
    {4, "Curing", ": +1 EP per section w/o combat"},
    {5, "Weaponmastery", ": +3 CS"},
    {6, "Psi-Screen", ": No points lost if attacked by Mindforce"},
    {7, "Psi-Surge", ": +4 CS, -2 EP"},
    {8, "Animal Control", ""},
    {9, "Nexus", ""},
};
// The third tier's bonus texts are computed, never stored.
const Row GRAND_MASTER_ROWS[] = {
    {0, "Assimilance", ""},        {1, "Grand Huntmastery", ""}, {2, "Telegnosis", ""},
    {3, "Grand Pathsmanship", ""}, {4, "Deliverance", ""},       {5, "Grand Weaponmastery", ""},
    {6, "Vael-Screen", ""},        {7, "Vael-Surge", ""},        {8, "Animal Mastery", ""},
    {9, "Grand Nexus", ""},        {10, "Magi-Magic", ""},       {11, "Vael-Alchemy", ""},
};

const int VAEL_ORDER[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
const int DRAVIC_ORDER[] = {5, 8, 4, 0, 1, 3, 7, 6, 9, 2};
const int GRAND_MASTER_ORDER[] = {5, 8, 4, 0, 1, 3, 7, 6, 9, 2, 10, 11};

// Rank levels that unlock each improvement paragraph, by id.
const std::vector<int> DRAVIC_THRESHOLDS[10] = {
    {4, 6, 8}, {4, 6, 9}, {5, 7, 8}, {5, 7, 8}, {4, 7, 9},
    {5, 7, 8}, {5, 7, 8}, {4, 6, 9}, {4, 6, 9}, {4, 6, 9},
};
const std::vector<int> GRAND_MASTER_THRESHOLDS[12] = {
    {5, 7, 9, 11}, {5, 7, 8, 11}, {6, 7, 9},      {6, 8, 10}, {6, 8, 9, 11}, {6, 7, 10},
    {5, 8, 10},    {5, 7, 9, 11}, {5, 8, 10, 11}, {6, 9, 10}, {5, 7, 9},     {6, 8, 10},
};

template <size_t N, size_t M>
DisciplineTable buildTable(const Row (&rows)[N], const int (&order)[M], const char* errorLine) {
    static_assert(N == M, "every Discipline needs a place in the presentation order");
    DisciplineTable table;
    table.errorLine = errorLine;
    for (int& slot : table.slotOf)
        slot = -1;
    for (size_t i = 0; i < M; ++i) {
        const Row& row = rows[order[i]];
        DisciplineInfo info;
        info.id = row.id;
        info.name = row.name;
        info.bonusText = row.bonusText;
        table.slotOf[row.id] = static_cast<int>(table.entries.size());
        table.entries.push_back(info);
    }
    return table;
}

const DisciplineTable* tables() {
    static const DisciplineTable built[TIER_COUNT] = {
        buildTable(VAEL_ROWS, VAEL_ORDER, "Tried to access invalid index in Vael Disciplines.\n"),
        buildTable(DRAVIC_ROWS, DRAVIC_ORDER,
                   "Tried to access invalid index in Dravic Disciplines.\n"),
        buildTable(GRAND_MASTER_ROWS, GRAND_MASTER_ORDER,
                   "Tried to access invalid index in Grandmaster Disciplines.\n"),
    };
    return built;
}

Tier clampTier(Tier tier) {
    return tier < 0 || tier >= TIER_COUNT ? TIER_VAEL : tier;
}

const DisciplineInfo* findEntry(Tier tier, int id) {
    const DisciplineTable& table = tables()[clampTier(tier)];
    if (id < 0 || id >= disciplineCount(clampTier(tier))) return nullptr;
    int slot = table.slotOf[id];
    return slot < 0 ? nullptr : &table.entries[static_cast<size_t>(slot)];
}

} // namespace

std::string weaponName(WeaponType type) {
    return type >= 0 && type < WEAPON_TYPE_COUNT ? WEAPON_NAMES[type] : "";
}

std::string weaponNameUpper(WeaponType type) {
    return type >= 0 && type < WEAPON_TYPE_COUNT ? WEAPON_NAMES_UPPER[type] : "";
}

int disciplineCount(Tier tier) {
    if (tier == TIER_VAEL || tier == TIER_DRAVIC) return 10;
    return tier == TIER_GRAND_MASTER ? 12 : 0;
}

const DisciplineTable& disciplineTable(Tier tier) {
    return tables()[clampTier(tier)];
}

DisciplineInfo disciplineInfo(Tier tier, int id) {
    const DisciplineInfo* entry = findEntry(tier, id);
    if (!entry) {
        std::fputs(disciplineTable(tier).errorLine, stderr);
        return DisciplineInfo();
    }
    return *entry;
}

DisciplineInfo disciplineInfo(const DisciplineTexts& texts, Tier tier, int id) {
    DisciplineInfo info = disciplineInfo(tier, id);
    if (findEntry(tier, id)) {
        info.description = texts.description[clampTier(tier)][id];
        info.improvements = texts.improvements[clampTier(tier)][id];
    }
    return info;
}

bool loadDisciplineTexts(DisciplineTexts& texts, const std::string& path) {
    DataFile file = openRead(path);
    if (!file.isOpen()) {
        std::printf("Couldn't open the Discipline texts file %s. Descriptions will be empty.\n",
                    path.c_str());
        return false;
    }
    // Records: "DISCIPLINE: tier id", then "DESCRIPTION:" and any number of
    // "IMPROVEMENT:" lines, closed by "END". Unknown tokens are skipped.
    std::string token;
    // The texts of the Discipline being read, null while skipping one.
    std::string* description = nullptr;
    std::vector<std::string>* improvements = nullptr;
    bool freshImprovements = false;
    while (readValue(file, token)) {
        if (token == "DISCIPLINE:") {
            int tier = readInt(file);
            int id = readInt(file);
            const bool known = tier >= 0 && tier < TIER_COUNT && findEntry(tier, id);
            description = known ? &texts.description[tier][id] : nullptr;
            improvements = known ? &texts.improvements[tier][id] : nullptr;
            if (!known)
                std::printf("Skipping unknown Discipline %d of tier %d in %s\n", id, tier,
                            path.c_str());
            freshImprovements = true;
        } else if (token == "DESCRIPTION:") {
            std::string text;
            readLine(file, text);
            if (description) *description = text == "*Blank*" ? "" : text;
        } else if (token == "IMPROVEMENT:") {
            std::string text;
            readLine(file, text);
            if (!improvements) continue;
            // A file read twice replaces the paragraphs rather than adding to them.
            if (freshImprovements) improvements->clear();
            freshImprovements = false;
            if (improvements->size() < 8) improvements->push_back(text);
        } else if (token == "END") {
            description = nullptr;
            improvements = nullptr;
        }
    }
    closeFile(file);
    return true;
}

std::vector<int> improvementThresholds(Tier tier, int id) {
    if (tier == TIER_DRAVIC && id >= 0 && id < 10) return DRAVIC_THRESHOLDS[id];
    if (tier == TIER_GRAND_MASTER && id >= 0 && id < 12) return GRAND_MASTER_THRESHOLDS[id];
    return {};
}

int rankBase(Tier tier) {
    static const int BASES[TIER_COUNT] = {5, 3, 4};
    return BASES[clampTier(tier)];
}

int startingDisciplineCount(Tier tier) {
    return rankBase(tier);
}

const std::vector<std::string>& rankTitles(Tier tier, bool warmarn) {
    static const std::vector<std::string> VAEL_WARMARN = {
        "Zero",     "Novice",   "Intuite", "Doan",   "Acolyte", "Initiate",
        "Aspirant", "Guardian", "Warmarn", "Savant", "Master"};
    static const std::vector<std::string> VAEL_JOURNEYMAN = {
        "Zero",     "Novice",   "Intuite",    "Doan",   "Acolyte", "Initiate",
        "Aspirant", "Guardian", "Journeyman", "Savant", "Master"};
    static const std::vector<std::string> DRAVIC = {
        "Zero",       "Vael Master", "Vael Master Senior", "Vael Master Superior",
        "Primate",    "Tutelary",    "Principalin",        "Mentora",
        "Scion-Vael", "Archmaster",  "Vael Grand Master"};
    static const std::vector<std::string> GRAND_MASTER = {"Zero",
                                                          "Vael Grand Master Senior",
                                                          "Vael Grand Master Superior",
                                                          "Vael Grand Sentinel",
                                                          "Vael Grand Defender",
                                                          "Vael Grand Guardian",
                                                          "Sun Knight",
                                                          "Sun Lord",
                                                          "Sun Thane",
                                                          "Grand Thane",
                                                          "Grand Crown",
                                                          "Sun Prince",
                                                          "Vael Supreme Master"};
    switch (clampTier(tier)) {
    case TIER_DRAVIC:
        return DRAVIC;
    case TIER_GRAND_MASTER:
        return GRAND_MASTER;
    default:
        return warmarn ? VAEL_WARMARN : VAEL_JOURNEYMAN;
    }
}

std::string rankHeading(Tier tier) {
    switch (clampTier(tier)) {
    case TIER_DRAVIC:
        return "DRAVIC RANK";
    case TIER_GRAND_MASTER:
        return "GRAND MASTER RANK";
    default:
        return "VAEL RANK";
    }
}
