// The Stats and Weapons pages: scores with their breakdowns, rank,
// Disciplines of the viewed tier, Lore-circles and Grand Master advancement,
// emergency healing and the psychic attacks; weapons, armour and quiver.
#include "actionchart/chart_model.h"
#include "actionchart/chart_pages.h"

#include "app/game_state.h"
#include "character/inventory.h"
#include "character/scores.h"

#include <algorithm>

namespace {

const char* const TIER_DISCIPLINE_HEADING[TIER_COUNT] = {"VAEL DISCIPLINES", "DRAVIC DISCIPLINES",
                                                         "GRANDMASTER DISCIPLINES"};
const char* const TIER_NAME[TIER_COUNT] = {"Vael", "Dravic", "Grand Master"};

void addScores(ChartPageBuilder& p, const GameState& g) {
    const Character& c = g.character;
    const int cs = effectiveCombatSkill(c, g.rules, nullptr);
    p.heading("COMBAT SKILL: " + std::to_string(cs), combatSkillTooltip(g));
    if (canLowerBaseScore(c, LOWER_CS))
        p.button("Lesser value", std::string("Choose a lower COMBAT SKILL score`") + LOWER_CS_TOOLTIP,
                 {ChartActionKind::LowerScore, 0, 0, LOWER_CS});
    p.text("Base CS: " + std::to_string(c.csBase), "", 1);
    p.heading("ENDURANCE POINTS: " + std::to_string(c.epCur), enduranceTooltip(g));
    if (canLowerBaseScore(c, LOWER_EP))
        p.button("Lesser value",
                 std::string("Choose a lower ENDURANCE POINTS score`") + LOWER_EP_TOOLTIP,
                 {ChartActionKind::LowerScore, 0, 0, LOWER_EP});
    // Armour set aside for a fight (effect 71) shows as a modified maximum.
    const bool modified = c.epMax < c.epInitial + enduranceMaximum(c, g.rules).bonus &&
                          g.combat.enemies.size() > 0;
    p.text("Maximum EP: " + std::to_string(c.epMax) + (modified ? " (Modified)" : ""),
           modified ? "Your max EP is altered to have no armor bonuses.`When combat is over, it "
                      "will be restored."
                    : "",
           1);
    const int other = std::max(0, c.epMax - c.epCur - c.damageFromCombat - c.damageFromStarvation);
    p.text("Damage: " + std::to_string(c.damageFromCombat) + " / " +
               std::to_string(c.damageFromStarvation) + " / " + std::to_string(other),
           "The first number is Combat Damage`The second is Starvation Damage`The third is "
           "'Other' Damage",
           1);
    if (inArcheryContest(c))
        p.text("Real EP: " + std::to_string(c.archeryRealEp) + " (PS: -" +
                   std::to_string(c.archeryDamage) + ")",
               "", 1);
    if (emergencyHealingKind(c) != 0) {
        p.text("Emergency healing", "", 1);
        // Used already this book, or ENDURANCE not low enough: the button
        // stays to show its tooltip but cannot be pressed.
        p.button("+20 EP", emergencyHealingTooltip(c),
                 {canUseEmergencyHealing(c) ? ChartActionKind::EmergencyHeal : ChartActionKind::None});
    }
}

void addRank(ChartPageBuilder& p, const GameState& g, Tier tier) {
    const Character& c = g.character;
    p.heading(rankHeading(tier));
    p.text(rankTitle(c, tier), "", 1);
    if (tier == TIER_VAEL && rankLevel(c, tier) >= 8)
        p.button(c.warmarn ? "Journeyman" : "Warmarn",
                 "Pressing this button will let you select between`Warmarn and Journeyman for "
                 "your rank",
                 {ChartActionKind::ToggleRankTitle});
}

void addDisciplines(ChartPageBuilder& p, const GameState& g, const Catalogues& cat, Tier tier) {
    const Character& c = g.character;
    p.heading(TIER_DISCIPLINE_HEADING[tier]);
    const std::vector<int>& order = c.disciplineOrder[static_cast<size_t>(tier)];
    if (order.empty()) p.text("(none yet)", "", 1);
    const int base = tier == TIER_VAEL ? 5 : tier == TIER_DRAVIC ? 3 : 4;
    for (size_t i = 0; i < order.size(); ++i) {
        const int id = order[i];
        DisciplineInfo info = disciplineInfo(cat.disciplineTexts, tier, id);
        std::string line = info.name + bonusTextFor(c, tier, id);
        if (tier == TIER_VAEL && id == DISC_WEAPONSKILL)
            for (int w = 0; w < WEAPON_TYPE_COUNT; ++w)
                if (c.weaponskillIn[static_cast<size_t>(w)]) line += " in " + weaponName(w);
        std::string tip = info.description + improvementText(cat.disciplineTexts, c, tier, id);
        if (id == DISC_HEALING && tier == TIER_GRAND_MASTER && g.rules.healingRules == 2 &&
            g.rules.healStacking)
            tip += PRODIGY_DELIVERANCE_NOTE;
        // Disciplines beyond the tier's starting number are bonus Disciplines.
        if (static_cast<int>(i) == base) p.subheading("BONUS DISCIPLINES");
        p.text(line, tip, 1);
    }
    if (c.disciplinesToChoose > 0 && tier == c.onBookSeries)
        p.small("You have " + std::to_string(c.disciplinesToChoose) +
                " Discipline(s) left to choose on the opening pages.");
}

void addLoreCircles(ChartPageBuilder& p, const GameState& g) {
    const Character& c = g.character;
    struct Circle {
        const char* name;
        const char* bonus;
        const char* members;
        int cs, ep;
    };
    static const Circle CIRCLES[4] = {
        {"Fire", "+1 CS, +2 EP", "The Circle of Fire is comprised of:`Weaponmastery and Huntmastery",
         1, 2},
        {"Solaris", "+1 CS, +3 EP",
         "The Circle of Solaris is comprised of:`Invisibility, Huntmastery and Pathsmanship", 1, 3},
        {"Light", "+0 CS, +3 EP", "The Circle of Light is comprised of:`Animal Control and Curing",
         0, 3},
        {"The Spirit", "+3 CS, +3 EP",
         "The Circle of The Spirit is comprised of:`Psi-surge, Psi-screen, Nexus and Divination", 3,
         3},
    };
    p.heading("LORE-CIRCLES of the DRAVIC");
    for (int i = 0; i < 4; ++i) {
        const Circle& circle = CIRCLES[i];
        std::string tip = circle.members;
        tip += c.loreCircles[static_cast<size_t>(i)] ? "``You have completed this Lore-circle"
                                                     : "``You have not yet completed this Lore-circle";
        if (c.gmRerollStats) tip += "``(Taking GM Base stats forfeits Lore-circle Bonuses)";
        p.text(std::string(circle.name) + ": " + circle.bonus +
                   (c.loreCircles[static_cast<size_t>(i)] ? "  (completed)" : ""),
               tip, 1);
    }
    if (g.rules.loreCirclesHc)
        p.small("Alternate Bonus: +" + std::to_string(c.dravicBooksCompleted) + " CS, +" +
                std::to_string(2 * c.dravicBooksCompleted) + " EP");
    if (c.gmRerollStats) p.small("(GM base stats forfeit bonus)");
}

void addAdvancement(ChartPageBuilder& p, const GameState& g) {
    const Character& c = g.character;
    const int a = (g.rules.gmExtraDiscBonus ? std::min(4, knownCount(c, TIER_GRAND_MASTER)) : 0) +
                  c.grandMasterBooksCompleted;
    p.heading("GRANDMASTER Advancement");
    p.text("Advancement Bonus: +" + std::to_string(a) + " CS, +" + std::to_string(2 * a) + " EP",
           "", 1);
}

void addPsychic(ChartPageBuilder& p, const GameState& g) {
    const Character& c = g.character;
    const bool surge = hasDiscipline(c, TIER_DRAVIC, DISC_MINDBLAST) && c.onBookSeries == TIER_DRAVIC;
    const bool vael = hasDiscipline(c, TIER_GRAND_MASTER, DISC_MINDBLAST) &&
                      c.onBookSeries == TIER_GRAND_MASTER;
    if (!surge && !vael) return;
    const std::string name = vael ? "Vael-Surge" : "Psi-surge";
    p.heading("PSYCHIC ATTACKS");
    ChartButton box;
    box.caption = "Use " + name;
    box.tooltip = "Check this box to use " + name +
                  " whenever possible in combat.`When unchecked, only the lesser form, Mindblast, "
                  "will be used.`(Some enemies are immune to Mindblast and/or Psi-surge.)`You may "
                  "change this option at any point during combat.";
    box.action = {ChartActionKind::ToggleSurge};
    box.checkBox = true;
    box.checked = !c.useOnlyMindblast;
    p.text("", "", 1);
    p.addButton(box);
    if (!vael) return;
    ChartButton blast;
    blast.caption = "Vael-blast";
    blast.tooltip = "Check this box to use Vael-blast this round:`2-18 damage to your enemy for 4 "
                    "EP.`(You need at least 5 EP to use it.)";
    blast.action = {ChartActionKind::VaelBlast};
    blast.checkBox = true;
    blast.checked = c.usingVaelBlast;
    p.addButton(blast);
    ChartButton ray;
    ray.caption = "Vael-ray";
    ray.tooltip = "Check this box to use Vael-ray this round:`15 damage to your enemy for 4 "
                  "EP.`(You need more than 10 EP; once per combat.)";
    if (c.usedVaelRay) ray.tooltip += "``(You have already used Vael-ray during this combat.)";
    ray.action = {c.usedVaelRay ? ChartActionKind::None : ChartActionKind::VaelRay};
    ray.checkBox = true;
    ray.checked = c.usingVaelRay;
    p.addButton(ray);
}

} // namespace

void buildStatsPage(ChartPageBuilder& p, const ChartState& state, const GameState& g,
                    const Catalogues& cat) {
    const Character& c = g.character;
    const Tier current = std::clamp(static_cast<int>(c.onBookSeries), 0, TIER_COUNT - 1);
    const Tier tier = state.viewedTier < 0 ? current : std::clamp(state.viewedTier, 0, current);
    addScores(p, g);
    addRank(p, g, tier);
    addDisciplines(p, g, cat, tier);
    if (tier == TIER_DRAVIC) addLoreCircles(p, g);
    if (tier == TIER_GRAND_MASTER) addAdvancement(p, g);
    if (tier == current) addPsychic(p, g);
    // Earlier tiers can be looked at again.
    if (current > 0) {
        p.heading("NOTES");
        p.text("Currently viewing " + std::string(TIER_NAME[tier]) + " Rank and Disciplines", "", 1);
        for (Tier t = 0; t <= current; ++t) {
            if (t == tier) continue;
            std::string tip = "View your " + std::string(TIER_NAME[t]) + " Rank and Disciplines";
            if (c.gmRerollStats && t < TIER_GRAND_MASTER)
                tip += std::string("`(Remember, you receive no ") + TIER_NAME[t] +
                       " loyalty bonuses,`as you opted to re-roll your stats in GM series)";
            p.button(TIER_NAME[t], tip, {ChartActionKind::ViewTier, 0, 0, t});
        }
    }
}

void buildWeaponsPage(ChartPageBuilder& p, const GameState& g, const Catalogues& cat) {
    const Character& c = g.character;
    p.heading("WEAPONS", "", "(maximum 2 weapons)");
    if (c.weapons.empty()) p.text("(no weapons)", "", 1);
    for (size_t i = 0; i < c.weapons.size(); ++i) addItemLine(p, g, LIST_WEAPONS, static_cast<int>(i));
    addWeaponDeposits(p, g, cat);

    std::vector<std::string> wielded, worn;
    for (const Item& w : c.weapons)
        if (w.equipped) wielded.push_back(chartItemLabel(w, g));
    for (const Item& s : c.specialItems) {
        if (!s.equipped) continue;
        (s.subType == SUB_WEAPON_LIKE ? wielded : worn).push_back(chartItemLabel(s, g));
    }
    p.subheading(g.rules.dualWield ? "EQUIPPED WEAPON(S):" : "EQUIPPED WEAPON:");
    if (wielded.empty()) p.text("(none)", "", 1);
    for (const std::string& w : wielded) p.text(w, "", 1);
    p.subheading("EQUIPPED ARMOR:");
    if (worn.empty()) p.text("(none)", "", 1);
    for (const std::string& w : worn) p.text(w, "", 1);

    // The weapon-bonus and unarmed lines.
    const int tier = c.onBookSeries;
    const bool skill = hasDiscipline(c, tier, DISC_WEAPONSKILL);
    if (skill)
        p.small("If holding Weapon and appropriate " +
                std::string(tier == TIER_VAEL ? "Weaponskill" : "Weaponmastery") +
                " in combat: +" + std::to_string(weaponDisciplineBonus(c)) + " CS");
    const int unarmed = unarmedModifier(c);
    p.small(std::string("If combat entered carrying no weapon: ") +
            (unarmed == 0 ? "No penalty"
                          : (unarmed < 0 ? "-" : "+") + std::to_string(std::abs(unarmed)) + " CS"));

    // The weapon-mastery checklists of the later tiers.
    if (tier >= TIER_DRAVIC && skill) {
        const bool grand = tier == TIER_GRAND_MASTER;
        const auto& list = grand ? c.grandWeaponmasteryIn : c.weaponmasteryIn;
        const int left = grand ? c.grandWeaponmasteryToChoose : c.weaponmasteryToChoose;
        const std::string discipline = grand ? "Grand Weaponmastery" : "Weaponmastery";
        p.heading(grand ? "GRAND WEAPONMASTERY CHECKLIST" : "WEAPONMASTERY CHECKLIST");
        if (left > 0)
            p.small("You have " + std::to_string(left) +
                    " weapon(s) left to select...`(Once a box is checked, it cannot be changed.)");
        for (int w = 0; w < WEAPON_TYPE_COUNT; ++w) {
            const bool have = list[static_cast<size_t>(w)];
            ChartButton box;
            box.caption = weaponNameUpper(w);
            box.checkBox = true;
            box.checked = have;
            if (!have && left > 0) {
                box.tooltip = "Check this box to select " + weaponName(w) + " for " + discipline;
                box.action = {ChartActionKind::ChooseWeapon, grand ? 2 : 1, 0, w};
            } else if (!have) {
                box.tooltip = "You do not have " + discipline + " in this weapon";
            } else {
                box.tooltip = "You have " + discipline + " in this weapon";
            }
            p.text("", "", 1);
            p.addButton(box);
        }
    }

    // The quiver block.
    int arrows = 0;
    bool quiver = false;
    for (const Item& s : c.specialItems)
        if (s.archetype == "Quiver") {
            quiver = true;
            arrows += s.uses;
        }
    p.heading("QUIVER");
    p.text(quiver ? "YES" : "NO", "", 1);
    p.subheading("ARROWS");
    p.text(std::to_string(arrows), "", 1);
}
