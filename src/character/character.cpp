#include "character/character.h"

#include <algorithm>

namespace {

bool validDiscipline(Tier tier, int id) {
    return tier >= 0 && tier < TIER_COUNT && id >= 0 && id < disciplineCount(tier);
}

constexpr int IMPROVEMENT_WRAP = 60;

// The book events that raise the base COMBAT SKILL, by (book, section).
struct CsEvent {
    int book;
    int section;
    int amount;
};
constexpr CsEvent CS_RAISING_EVENTS[] = {{1, 236, 1}, {3, 55, 2}};

} // namespace

void resetCharacter(Character& c) {
    c = Character();
}

bool hasDiscipline(const Character& c, Tier tier, int id) {
    return validDiscipline(tier, id) && c.hasDiscipline[DISCIPLINE_FLAG_OFFSET[tier] + id];
}

void learnDiscipline(Character& c, Tier tier, int id) {
    if (!validDiscipline(tier, id) || hasDiscipline(c, tier, id)) return;
    c.hasDiscipline[DISCIPLINE_FLAG_OFFSET[tier] + id] = true;
    c.disciplineOrder[tier].push_back(id);
}

void forgetDiscipline(Character& c, Tier tier, int id) {
    if (!validDiscipline(tier, id)) return;
    c.hasDiscipline[DISCIPLINE_FLAG_OFFSET[tier] + id] = false;
    std::vector<int>& order = c.disciplineOrder[tier];
    order.erase(std::remove(order.begin(), order.end(), id), order.end());
}

int knownCount(const Character& c, Tier tier) {
    if (tier < 0 || tier >= TIER_COUNT) return 0;
    return static_cast<int>(c.disciplineOrder[tier].size());
}

int booksCompleted(const Character& c, Tier tier) {
    switch (tier) {
    case TIER_VAEL:
        return c.vaelBooksCompleted;
    case TIER_DRAVIC:
        return c.dravicBooksCompleted;
    case TIER_GRAND_MASTER:
        return c.grandMasterBooksCompleted;
    default:
        return 0;
    }
}

int rankLevel(const Character& c, Tier tier) {
    Tier current = std::clamp(c.onBookSeries, TIER_VAEL, TIER_GRAND_MASTER);
    Tier shown = std::clamp(tier, TIER_VAEL, current);
    int base = rankBase(shown);
    // Looking back at a series left before its last book.
    if (shown < current) {
        if (shown == TIER_VAEL && c.vaelBooksCompleted < 5) --base;
        if (shown == TIER_DRAVIC && c.dravicBooksCompleted < 7) --base;
    }
    return base + booksCompleted(c, shown);
}

std::string rankTitle(const Character& c, Tier tier) {
    Tier current = std::clamp(c.onBookSeries, TIER_VAEL, TIER_GRAND_MASTER);
    const std::vector<std::string>& titles =
        rankTitles(std::clamp(tier, TIER_VAEL, current), c.warmarn);
    int level = std::clamp(rankLevel(c, tier), 0, static_cast<int>(titles.size()) - 1);
    return titles[static_cast<size_t>(level)];
}

std::string bonusTextFor(const Character& c, Tier tier, int id) {
    if (!validDiscipline(tier, id)) return "";
    if (tier == TIER_GRAND_MASTER) {
        if (id == DISC_WEAPONSKILL) return ": +5 CS";
        if (id == DISC_MINDBLAST) return ": +8 CS, -1 EP";
        return "";
    }
    if (tier == TIER_DRAVIC) {
        int level = c.dravicBooksCompleted + rankBase(TIER_DRAVIC);
        if (id == DISC_WEAPONSKILL) return level < 8 ? ": +3 CS" : ": +4 CS";
        if (id == DISC_MINDBLAST) return level < 9 ? ": +4 CS, -2 EP" : ": +6 CS, -1 EP";
    }
    return disciplineInfo(tier, id).bonusText;
}

std::string wrapImprovement(const std::string& paragraph) {
    std::string out;
    out.reserve(paragraph.size());
    int sinceBreak = 0;
    for (char ch : paragraph) {
        if (ch == '`' || (ch == ' ' && sinceBreak >= IMPROVEMENT_WRAP)) {
            out += '`';
            sinceBreak = 0;
            continue;
        }
        out += ch;
        ++sinceBreak;
    }
    return out;
}

std::string improvementText(const DisciplineTexts& texts, const Character& c, Tier tier, int id) {
    if (tier != TIER_DRAVIC && tier != TIER_GRAND_MASTER) return "";
    if (!validDiscipline(tier, id)) return "";
    std::vector<int> thresholds = improvementThresholds(tier, id);
    DisciplineInfo info = disciplineInfo(texts, tier, id);
    int level = rankLevel(c, tier);
    std::string text = "``Improvements to this Discipline:";
    for (size_t i = 0; i < thresholds.size() && i < info.improvements.size(); ++i) {
        if (level < thresholds[i]) break;
        text += "``" + wrapImprovement(info.improvements[i]);
    }
    if (tier == TIER_GRAND_MASTER && c.gmRerollStats)
        text += "``(SELECTING GM BASE STATS FORFEITS ANY LOYALTY BONUSES)";
    return text;
}

bool travelLogContains(const Character& c, int book, int section) {
    return std::find(c.travelLog.begin(), c.travelLog.end(), std::make_pair(book, section)) !=
           c.travelLog.end();
}

void rebuildInitialStats(Character& c) {
    // The initial score is the one before those events raised it, so their
    // raises come off the base, as the item bonuses come off the maximum.
    c.csInitial = c.csBase;
    for (const CsEvent& e : CS_RAISING_EVENTS)
        if (travelLogContains(c, e.book, e.section)) c.csInitial -= e.amount;
    c.epInitial = c.epMax;
    for (const Item& special : c.specialItems) {
        int bonus = special.bonuses.empty() ? 0 : special.bonuses.front().epBonus;
        c.epInitial -= bonus;
    }
}

void startCampaignInTier(Character& c, Tier tier) {
    c.onBookSeries = std::clamp(tier, TIER_VAEL, TIER_GRAND_MASTER);
    c.disciplinesToChoose = startingDisciplineCount(c.onBookSeries);
}

int highestMapNumber(const Character& c) {
    int best = -1;
    for (const std::vector<Item>* list : {&c.weapons, &c.backpackItems, &c.specialItems})
        for (const Item& it : *list)
            if (it.name == "Map") best = std::max(best, it.uses);
    return best;
}
