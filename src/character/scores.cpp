#include "character/scores.h"

#include "character/character.h"
#include "character/item_catalogue.h"
#include "character/rule_options.h"
#include "fs/data_file.h"

#include <algorithm>
#include <array>
#include <cctype>

const char* const LOWER_CS_PROMPT = "Enter new COMBAT SKILL score";
const char* const LOWER_EP_PROMPT = "Enter new ENDURANCE POINTS score";
const char* const LOWER_CS_TOOLTIP = "(You cannot pick an initial score below 5 COMBAT SKILL.)";
const char* const LOWER_EP_TOOLTIP =
    "(You cannot pick an initial score below 15 ENDURANCE POINTS.)";
const char* const PRODIGY_DELIVERANCE_NOTE =
    "` `(Prodigy rules grant +1 EP per section w/o combat from Deliverance)";

namespace {

// Sections where the legendary sword burns brighter on the Plane of Darkness.
constexpr int SUNBLADE_BOOK16[] = {52, 97, 132, 152, 158, 216, 232, 254, 334};
constexpr int SUNBLADE_BOOK17[] = {27,  38,  53,  67,  111, 137, 142, 145,
                                   154, 210, 230, 278, 285, 308, 337, 347};

template <size_t N> bool listed(const int (&list)[N], int value) {
    return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

bool carries(const std::vector<Item>& list, int id) {
    return std::any_of(list.begin(), list.end(), [id](const Item& i) { return i.id == id; });
}

bool carriesAnywhere(const Character& c, int id) {
    return carries(c.weapons, id) || carries(c.specialItems, id) || carries(c.backpackItems, id);
}

// Weapons in hand: equipped weapons, then equipped weapon-like Special Items.
std::vector<const Item*> wieldedWeapons(const Character& c) {
    std::vector<const Item*> out;
    for (const Item& i : c.weapons)
        if (i.equipped) out.push_back(&i);
    for (const Item& i : c.specialItems)
        if (i.equipped && i.subType == SUB_WEAPON_LIKE) out.push_back(&i);
    return out;
}

// How many of the wielded weapons fall in a class of the list (at most two
// count, and the second only when both hands may hold one).
int matchingWeapons(const std::vector<const Item*>& wielded,
                    const std::array<bool, WEAPON_TYPE_COUNT>& classes, bool dualWield) {
    int n = 0;
    for (const Item* w : wielded)
        if (w->weaponType >= 0 && w->weaponType < WEAPON_TYPE_COUNT && classes[w->weaponType]) ++n;
    return std::min(n, dualWield ? 2 : 1);
}

std::vector<std::string> splitDescriptor(const std::string& list) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(", ", start);
        std::string part =
            list.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!part.empty()) out.push_back(part);
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return out;
}

// An against-entry applies to every enemy ("All"), to enemies of a kind named
// in their descriptor, or to one enemy by number.
bool bonusApplies(const std::string& against, const FightContext* fight) {
    if (against == "All") return true;
    if (!fight) return false;
    if (!against.empty() && (std::isdigit(static_cast<unsigned char>(against[0])) != 0))
        return parseInt(against) == fight->enemyNumber;
    for (const std::string& kind : splitDescriptor(fight->enemyDescriptor))
        if (kind == against) return true;
    return false;
}

int weaponCsBonus(const Item& weapon, const RuleOptions& rules, const FightContext* fight) {
    const ItemBonus& block = bonusBlock(weapon, rules.weaponRules);
    int sum = 0;
    for (size_t k = 0; k < block.csBonuses.size(); ++k) {
        std::string against = k < block.bonusAgainsts.size() ? block.bonusAgainsts[k] : "All";
        if (bonusApplies(against, fight)) sum += block.csBonuses[k];
    }
    return sum;
}

struct Lines {
    std::vector<ScoreLine>& out;
    void add(int amount, const std::string& label) {
        if (amount != 0) out.push_back({amount, label, false});
    }
};

int dravicLevel(const Character& c) {
    return c.dravicBooksCompleted + 3;
}
bool vaelStacked(const Character& c) {
    return c.vaelBooksCompleted >= 5;
}
bool dravicStacked(const Character& c) {
    return c.dravicBooksCompleted >= 7 && !c.gmRerollStats;
}
int gmAdvancement(const Character& c, const RuleOptions& rules) {
    int extra = rules.gmExtraDiscBonus ? std::min(4, knownCount(c, TIER_GRAND_MASTER)) : 0;
    return extra + c.grandMasterBooksCompleted;
}
int psiSurgeAmount(const Character& c) {
    return dravicLevel(c) < 9 ? 4 : 6;
}
int psiSurgeCost(const Character& c) {
    return dravicLevel(c) < 9 ? 2 : 1;
}
int psiSurgeThreshold(const Character& c) {
    return dravicLevel(c) < 9 ? 6 : 4;
}

// The Vael-surge bonus before the lesser form: section and fight kinds
// change it.
int vaelSurgeAmount(const Character& c, const FightContext* fight) {
    int amount = 8;
    if (c.onBook == 16 && (c.onSection == 97 || c.onSection == 132)) amount = 4;
    if (c.onBook == 13 && c.onSection == 301) amount += 2;
    if (c.onBook == 15 && (c.onSection == 121 || c.onSection == 297)) amount -= 7;
    if (fight && fight->specialType == SPECIAL_WEAKER_VAEL_SURGE) amount -= 4;
    if (fight && fight->specialType == SPECIAL_DOUBLE_VAEL_SURGE && c.grandMasterBooksCompleted > 0)
        amount *= 2;
    return amount;
}

void archeryContest(const Character& c, const RuleOptions& rules, const FightContext* fight,
                    CombatSkillResult& r) {
    Lines l{r.lines};
    bool psiSurge = hasDiscipline(c, TIER_DRAVIC, DISC_MINDBLAST);
    if (!psiSurge && rules.allowMindblast && vaelStacked(c) &&
        hasDiscipline(c, TIER_VAEL, DISC_MINDBLAST)) {
        l.add(2, "Vael Mindblast");
        if (rules.doublePsychicBonuses) l.add(2, "Double Mindblast");
    }
    if (psiSurge && rules.allowPsiSurge && c.archeryRealEp > psiSurgeThreshold(c)) {
        l.add(psiSurgeAmount(c), "Psi-surge");
        if (rules.doublePsychicBonuses) l.add(psiSurgeAmount(c), "Double Psi-surge");
        r.psychicEpCost = psiSurgeCost(c);
        r.psychicEpThreshold = psiSurgeThreshold(c);
        r.psychicFromRealEp = true;
    }
    if (rules.allowSilverHelmet && carriesAnywhere(c, ITEM_ID_SILVER_HELMET))
        l.add(2, "Silver Helmet");
    if (rules.allowSunblade && carriesAnywhere(c, ITEM_ID_SUNBLADE)) {
        static const int SUNBLADE_BY_RULES[] = {8, 2, 1};
        l.add(SUNBLADE_BY_RULES[std::clamp(rules.weaponRules, 0, 2)], "Sunblade");
    }
    if (rules.allowShield && carriesAnywhere(c, ITEM_ID_SHIELD)) l.add(2, "Shield");
    if (carriesAnywhere(c, ITEM_ID_CRACKED_JAKAN)) l.add(-2, "Cracked Jakan");
    if (carriesAnywhere(c, ITEM_ID_KALTE_BONE_BOW)) l.add(-4, "Kalte Bone Bow");
    if (rules.wmBowCsBoost && hasDiscipline(c, TIER_DRAVIC, DISC_WEAPONSKILL) &&
        c.weaponmasteryIn[WEAPON_BOW])
        l.add(3, "Weaponmastery");
    for (const Item* w : wieldedWeapons(c))
        if (w->weaponType == WEAPON_BOW) l.add(bonusBlock(*w, rules.weaponRules).bowBonus, w->name);
    if (fight && rules.allowAlether) l.add(fight->potionCsBoost, fight->potionName);
}

} // namespace

std::string scoreLineText(const ScoreLine& line) {
    if (line.fixed) return line.label + "`";
    std::string amount =
        line.amount >= 0 ? "+" + std::to_string(line.amount) : std::to_string(line.amount);
    return amount + " " + line.label + "`";
}

std::string scoreLinesText(const std::vector<ScoreLine>& lines) {
    std::string out;
    for (const ScoreLine& l : lines)
        out += scoreLineText(l);
    return out;
}

std::string scoreLineSign(const ScoreLine& line) {
    return line.amount < 0 ? "-" : "+";
}

int scoreLineValue(const ScoreLine& line) {
    return line.amount < 0 ? -line.amount : line.amount;
}

bool inArcheryContest(const Character& c) {
    return c.onBook == ARCHERY_BOOK && c.onSection == ARCHERY_SECTION;
}

int itemCsShare(int epBonus, int armorRules) {
    if (epBonus <= 0) return 0;
    if (armorRules == 1) return epBonus;
    if (armorRules == 2) return epBonus / 2; // an odd point is lost, as the item label shows
    return 0;
}

int itemEpShare(int epBonus, int armorRules) {
    if (epBonus <= 0) return 0;
    if (armorRules == 1) return 0;
    if (armorRules == 2) return epBonus / 2;
    return epBonus;
}

CombatSkillResult combatSkill(const Character& c, const RuleOptions& rules,
                              const FightContext* fight, std::string* withText) {
    CombatSkillResult r;
    Lines l{r.lines};
    const Tier tier = c.onBookSeries;
    const int lv = dravicLevel(c);
    const std::vector<const Item*> wielded = wieldedWeapons(c);
    const bool dual = rules.dualWield != 0;
    auto finish = [&]() {
        for (const ScoreLine& line : r.lines)
            r.bonus += line.amount;
        if (withText) *withText = scoreLinesText(r.lines);
        return r;
    };

    // 1. A fight that fixes COMBAT SKILL ignores every other bonus.
    if (fight && fight->specialType == SPECIAL_FIXED_CS_15) {
        r.lines.push_back({15 - c.csBase, "Combat Skill = 15", true});
        return finish();
    }
    if (fight && inArcheryContest(c)) {
        archeryContest(c, rules, fight, r);
        return finish();
    }

    // 2. Lore-circles of the second tier.
    if (tier == TIER_DRAVIC) {
        if (rules.loreCirclesHc) {
            l.add(c.dravicBooksCompleted, "Lore-circle Bonus");
        } else {
            if (c.loreCircles[LORE_CIRCLE_FIRE]) l.add(1, "Lore-circle of Fire");
            if (c.loreCircles[LORE_CIRCLE_SOLARIS]) l.add(1, "Lore-circle of Solaris");
            if (c.loreCircles[LORE_CIRCLE_SPIRIT]) l.add(3, "Lore-circle of The Spirit");
        }
    }
    // 3-4. First tier.
    if (tier == TIER_VAEL) {
        if (hasDiscipline(c, TIER_VAEL, DISC_MINDBLAST) && !(fight && fight->immuneMindblast))
            l.add(2, "Mindblast");
        if (hasDiscipline(c, TIER_VAEL, DISC_WEAPONSKILL)) {
            int n = matchingWeapons(wielded, c.weaponskillIn, dual);
            if (n >= 1) l.add(2, "Weaponskill");
            if (n >= 2) l.add(2, "Dual Wield Weaponskill");
        }
    }
    // 5-6. Second tier.
    if (tier == TIER_DRAVIC) {
        bool canSurge = !(fight && fight->immunePsiSurge) && c.epCur > psiSurgeThreshold(c);
        bool canBlast = !(fight && fight->immuneMindblast);
        if (hasDiscipline(c, TIER_DRAVIC, DISC_MINDBLAST)) {
            if (canSurge && !c.useOnlyMindblast) {
                l.add(psiSurgeAmount(c), "Psi-surge");
                r.psychicEpCost = psiSurgeCost(c);
                r.psychicEpThreshold = psiSurgeThreshold(c);
            } else if (canBlast) {
                l.add(psiSurgeAmount(c) / 2, "Mindblast");
            }
        } else if (vaelStacked(c) && hasDiscipline(c, TIER_VAEL, DISC_MINDBLAST) && canBlast) {
            l.add(2, "Vael Mindblast");
        }
        if (hasDiscipline(c, TIER_DRAVIC, DISC_WEAPONSKILL)) {
            int amount = lv < 8 ? 3 : 4;
            int n = matchingWeapons(wielded, c.weaponmasteryIn, dual);
            if (n >= 1) l.add(amount, "Weaponmastery");
            if (n >= 2) l.add(amount, "Dual Wield Weaponmastery");
        }
        if (rules.wsStacking && vaelStacked(c) && hasDiscipline(c, TIER_VAEL, DISC_WEAPONSKILL) &&
            matchingWeapons(wielded, c.weaponskillIn, false) > 0)
            l.add(2, "Vael Weaponskill");
    }
    // 7-10. Third tier.
    if (tier == TIER_GRAND_MASTER) {
        bool canBlast = !(fight && fight->immuneMindblast);
        if (hasDiscipline(c, TIER_GRAND_MASTER, DISC_MINDBLAST)) {
            if (!c.usingVaelBlast && !c.usingVaelRay && !(fight && fight->immuneVaelSurge)) {
                if (c.useOnlyMindblast) {
                    if (canBlast) l.add(4, "Mindblast");
                } else {
                    l.add(vaelSurgeAmount(c, fight), "Vael-surge");
                    r.psychicEpCost = 1;
                }
            }
        } else if (dravicStacked(c) && hasDiscipline(c, TIER_DRAVIC, DISC_MINDBLAST)) {
            if (c.useOnlyMindblast || (fight && fight->immunePsiSurge)) {
                if (canBlast) l.add(3, "Dravic Mindblast");
            } else {
                l.add(6, "Dravic Psi-surge");
                r.psychicEpCost = 1;
            }
        }
        if (hasDiscipline(c, TIER_GRAND_MASTER, DISC_WEAPONSKILL)) {
            int n = matchingWeapons(wielded, c.grandWeaponmasteryIn, dual);
            if (n >= 1) l.add(5, "Grand Weaponmastery");
            if (n >= 2) l.add(5, "Dual Wield Grand Weaponmastery");
        }
        if (dravicStacked(c) && hasDiscipline(c, TIER_DRAVIC, DISC_WEAPONSKILL)) {
            int n = matchingWeapons(wielded, c.weaponmasteryIn, dual);
            for (int k = 0; k < n; ++k)
                l.add(4, "Dravic Weaponmastery");
        }
        if (dravicStacked(c)) l.add(rules.loreCirclesHc ? 7 : 5, "Dravic Lore-circles");
        l.add(gmAdvancement(c, rules), "GM Advancement");
    }
    // 11. Items.
    for (const Item* w : wielded)
        l.add(weaponCsBonus(*w, rules, fight), w->name);
    for (const Item& i : c.specialItems)
        l.add(itemCsShare(bonusBlock(i, rules.armorRules).epBonus, rules.armorRules), i.name);
    if (fight) l.add(fight->potionCsBoost, fight->potionName);
    // 12. Bare hands.
    if (wielded.empty() || (fight && fight->unarmed)) {
        l.add(unarmedModifier(c), "Unarmed");
    }
    // 13. The legendary sword against the Plane of Darkness.
    bool sunbladeReady =
        std::any_of(c.specialItems.begin(), c.specialItems.end(), [](const Item& i) {
            return i.equipped && (i.id == ITEM_ID_SUNBLADE || i.name == "Sunblade");
        });
    if (sunbladeReady && ((c.onBook == 16 && listed(SUNBLADE_BOOK16, c.onSection)) ||
                          (c.onBook == 17 && listed(SUNBLADE_BOOK17, c.onSection))))
        l.add(4, "Sunblade Bonus - Plane of Darkness");
    // 14. Afflictions.
    if (std::find(c.disease.begin(), c.disease.end(), DISEASE_LIMBDEATH) != c.disease.end())
        l.add(-3, "Limbdeath");
    // 15. A fight that counts the second tier's Disciplines.
    if (fight && fight->specialType == SPECIAL_COUNT_DRAVIC_DISCIPLINES &&
        knownCount(c, TIER_DRAVIC) > 3)
        l.add(knownCount(c, TIER_DRAVIC) - 3, "Dravic Disciplines");
    // 16. Rings.
    if (carries(c.specialItems, ITEM_ID_GREY_CRYSTAL_RING)) l.add(3, "Grey Crystal Ring");
    if (carries(c.specialItems, ITEM_ID_PSYCHIC_RING)) l.add(3, "Psychic Ring");
    return finish();
}

int unarmedModifier(const Character& c) {
    const int lv = dravicLevel(c);
    if (c.onBookSeries == TIER_VAEL) return -4;
    if (c.onBookSeries == TIER_DRAVIC) return lv >= 8 ? -1 : lv >= 5 ? -2 : -4;
    return c.grandMasterBooksCompleted >= 6 ? 3 : 0;
}

int weaponDisciplineBonus(const Character& c) {
    if (c.onBookSeries == TIER_VAEL) return 2;
    if (c.onBookSeries == TIER_DRAVIC) return dravicLevel(c) >= 8 ? 4 : 3;
    return 5;
}

int effectiveCombatSkill(const Character& c, const RuleOptions& rules, const FightContext* fight) {
    return c.csBase + combatSkill(c, rules, fight).bonus;
}

EnduranceResult enduranceMaximum(const Character& c, const RuleOptions& rules,
                                 std::string* withText) {
    EnduranceResult r;
    Lines l{r.lines};
    const Tier tier = c.onBookSeries;
    for (const Item& i : c.specialItems) {
        int ep = bonusBlock(i, rules.armorRules).epBonus;
        l.add(itemEpShare(ep, rules.armorRules), i.name);
        r.armorToCs += itemCsShare(ep, rules.armorRules);
    }
    if (tier == TIER_DRAVIC) {
        if (rules.loreCirclesHc) {
            l.add(2 * c.dravicBooksCompleted, "Lore-circle Bonus");
        } else {
            if (c.loreCircles[LORE_CIRCLE_FIRE]) l.add(2, "Lore-circle of Fire");
            if (c.loreCircles[LORE_CIRCLE_SOLARIS]) l.add(3, "Lore-circle of Solaris");
            if (c.loreCircles[LORE_CIRCLE_SPIRIT]) l.add(3, "Lore-circle of The Spirit");
            if (c.loreCircles[LORE_CIRCLE_LIGHT]) l.add(3, "Lore-circle of Light");
        }
    }
    if (tier == TIER_GRAND_MASTER) {
        if (dravicStacked(c)) l.add(rules.loreCirclesHc ? 14 : 11, "Dravic Lore-circle Bonus");
        l.add(2 * gmAdvancement(c, rules), "Grandmaster Advancement");
    }
    for (const ScoreLine& line : r.lines)
        r.bonus += line.amount;
    if (withText) *withText = scoreLinesText(r.lines);
    return r;
}

// ---- Starting scores --------------------------------------------------------

StartingScores startingBase(bool thirdTierReroll) {
    return thirdTierReroll ? StartingScores{25, 30} : StartingScores{10, 20};
}

bool initialStatsNeedPicks(int method) {
    return method == INITIAL_ROLL;
}

bool initialStatsNeedDistribution(int method) {
    return method == INITIAL_DISTRIBUTE;
}

StartingScores initialStats(int method, bool thirdTierReroll, int csPick, int epPick,
                            int csPoints) {
    StartingScores base = startingBase(thirdTierReroll);
    switch (method) {
    case INITIAL_DISTRIBUTE: {
        // At most 7 on either score, so COMBAT SKILL takes 3 to 7 of the ten.
        int cs = std::clamp(csPoints, DISTRIBUTE_POINTS - DISTRIBUTE_MAX_PER_SCORE,
                            DISTRIBUTE_MAX_PER_SCORE);
        return {base.cs + cs, base.ep + DISTRIBUTE_POINTS - cs};
    }
    case INITIAL_FIXED_HARDCORE:
        return {base.cs + 7, base.ep + 3};
    case INITIAL_FIXED_MAXIMUM:
        return {base.cs + 9, base.ep + 9};
    default:
        return {base.cs + std::clamp(csPick, 0, 9), base.ep + std::clamp(epPick, 0, 9)};
    }
}

void setInitialStats(Character& c, const StartingScores& scores) {
    c.csBase = c.csInitial = scores.cs;
    c.epMax = c.epCur = c.epInitial = scores.ep;
}

// ---- Lowering a base score ----------------------------------------------------

std::string lowerBaseScorePrompt(int kind) {
    if (kind == LOWER_CS) return LOWER_CS_PROMPT;
    if (kind == LOWER_EP) return LOWER_EP_PROMPT;
    return std::string();
}

bool canLowerBaseScore(const Character& c, int kind) {
    if (c.completedOpeningSection) return false;
    if (kind == LOWER_CS) return c.csBase > LOWEST_INITIAL_CS;
    if (kind != LOWER_EP) return false;
    auto changesEp = [](const Item& i) {
        return std::any_of(i.bonuses.begin(), i.bonuses.end(),
                           [](const ItemBonus& b) { return b.epBonus != 0; });
    };
    for (const std::vector<Item>* list : {&c.weapons, &c.backpackItems, &c.specialItems})
        if (std::any_of(list->begin(), list->end(), changesEp)) return false;
    return c.epMax > LOWEST_INITIAL_EP;
}

int lowerBaseScoreMinimum(int kind) {
    return kind == LOWER_EP ? LOWEST_INITIAL_EP : LOWEST_INITIAL_CS;
}

int lowerBaseScoreMaximum(const Character& c, int kind) {
    return kind == LOWER_EP ? c.epMax : c.csBase;
}

bool lowerBaseScore(Character& c, int kind, int value) {
    if (!canLowerBaseScore(c, kind)) return false;
    int v = std::clamp(value, lowerBaseScoreMinimum(kind), lowerBaseScoreMaximum(c, kind));
    if (kind == LOWER_CS) {
        if (v == c.csBase) return false;
        c.csBase = c.csInitial = v;
        return true;
    }
    if (v == c.epMax) return false;
    c.epMax = c.epInitial = v;
    c.epCur = std::min(c.epCur, v);
    return true;
}

// ---- Emergency healing ---------------------------------------------------------

int emergencyHealingKind(const Character& c) {
    if (c.onBookSeries == TIER_DRAVIC && hasDiscipline(c, TIER_DRAVIC, DISC_HEALING) &&
        rankLevel(c, TIER_DRAVIC) >= 9)
        return 1;
    if (c.onBookSeries == TIER_GRAND_MASTER && hasDiscipline(c, TIER_GRAND_MASTER, DISC_HEALING))
        return 2;
    return 0;
}

bool canUseEmergencyHealing(const Character& c) {
    switch (emergencyHealingKind(c)) {
    case 1:
        return !c.usedMegaCuring && c.epCur > 0 && c.epCur <= 6;
    case 2:
        return !c.usedMegaDeliverance && c.epCur > 0 && c.epCur <= 8;
    default:
        return false;
    }
}

std::string emergencyHealingTooltip(const Character& c) {
    int kind = emergencyHealingKind(c);
    if (kind == 0) return std::string();
    std::string text =
        kind == 1 ? "You may use this button to restore 20 EP when`your ENDURANCE falls to 6 or "
                    "fewer points.`You may use this ability once every 100 days(once per book)"
                  : "You may use this button to restore 20 EP when`your ENDURANCE falls to 8 or "
                    "fewer points.`You may use this ability once every 20 days(once per book)";
    if (kind == 1 ? c.usedMegaCuring : c.usedMegaDeliverance)
        text += "`(You have already used this ability during this book.)";
    return text;
}

bool useEmergencyHealing(Character& c) {
    if (!canUseEmergencyHealing(c)) return false;
    int kind = emergencyHealingKind(c);
    int healed = std::max(0, std::min(EMERGENCY_HEAL_AMOUNT, c.epMax - c.epCur));
    c.epCur += healed;
    // Healing mends the recorded damage too, combat damage first.
    int fromCombat = std::min(healed, c.damageFromCombat);
    c.damageFromCombat -= fromCombat;
    if (kind == 1)
        c.usedMegaCuring = true;
    else
        c.usedMegaDeliverance = true;
    return true;
}

// ---- Healing per section ----------------------------------------------------------

int sectionHealingAmount(const Character& c, const RuleOptions& rules,
                         const SectionHealingContext& ctx) {
    if (ctx.hadCombat || ctx.noAutoHeal) return 0;
    if (rules.intelligentAutoheal && ctx.combatSituation) return 0;
    if (c.epCur <= 0 || c.epCur >= c.epMax) return 0;
    const Tier tier = std::clamp(c.onBookSeries, TIER_VAEL, TIER_GRAND_MASTER);
    int amount = hasDiscipline(c, tier, DISC_HEALING) ? 1 : 0;
    if (rules.healStacking) {
        for (Tier t = TIER_VAEL; t < tier; ++t)
            if (hasDiscipline(c, t, DISC_HEALING)) ++amount;
        amount = std::min(amount, 2);
    }
    if (tier == TIER_GRAND_MASTER && hasDiscipline(c, tier, DISC_HEALING) &&
        isProdigy(rules, false))
        ++amount;
    int missing = c.epMax - c.epCur;
    int healable = missing;
    if (rules.healingRules == 0)
        healable = std::min(missing, c.damageFromCombat);
    else if (rules.healingRules == 1)
        healable = missing - std::min(missing, c.damageFromStarvation);
    return std::max(0, std::min(amount, healable));
}

int sectionHealing(Character& c, const RuleOptions& rules, const SectionHealingContext& ctx) {
    int healed = sectionHealingAmount(c, rules, ctx);
    if (healed <= 0) return 0;
    c.epCur += healed;
    int left = healed;
    int fromCombat = std::min(left, c.damageFromCombat);
    c.damageFromCombat -= fromCombat;
    left -= fromCombat;
    // Other damage is not counted on its own (it is what the two counters leave),
    // so only what exceeds it can have come off starvation.
    if (left > 0 && rules.healingRules == 2) {
        int other = std::max(0, c.epMax - (c.epCur - healed) - c.damageFromCombat - fromCombat -
                                    c.damageFromStarvation);
        int fromStarvation = std::min(c.damageFromStarvation, std::max(0, left - other));
        c.damageFromStarvation -= fromStarvation;
    }
    return healed;
}
