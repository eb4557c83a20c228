// The item pages: Backpack with the Belt Pouch and Meals, Special Items, and
// every item's label, tooltip and buttons (the Weapons page uses them too).
#include "actionchart/chart_model.h"
#include "actionchart/chart_pages.h"

#include "app/game_state.h"
#include "character/inventory.h"
#include "character/scores.h"

#include <cstdlib>

namespace {

bool isQuiver(const Item& it) {
    return it.archetype == "Quiver";
}
bool isFireseed(const Item& it) {
    return isFireseedItem(it);
}

// Tenths as "2" or "1.5".
std::string tenths(int m) {
    std::string s = std::to_string(m / 10);
    if (m % 10) s += "." + std::to_string(std::abs(m % 10));
    return s;
}

std::string bonusSummary(const Item& it, const GameState& g) {
    const ItemBonus& w = bonusBlock(it, g.rules.weaponRules);
    const ItemBonus& a = bonusBlock(it, g.rules.armorRules);
    std::string lines;
    for (size_t k = 0; k < w.csBonuses.size(); ++k) {
        if (w.csBonuses[k] == 0) continue;
        const std::string against = k < w.bonusAgainsts.size() ? w.bonusAgainsts[k] : "All";
        lines += "`  " + std::string(w.csBonuses[k] > 0 ? "+" : "") + std::to_string(w.csBonuses[k]) +
                 " CS versus " + against;
    }
    for (size_t k = 0; k < w.damageMultipliers.size(); ++k) {
        const std::string against = k < w.multiplyAgainsts.size() ? w.multiplyAgainsts[k] : "All";
        if (w.damageMultipliers[k] == 10) continue;
        lines += "`  x" + tenths(w.damageMultipliers[k]) + " damage versus " + against;
    }
    if (a.epBonus > 0) {
        const int ep = itemEpShare(a.epBonus, g.rules.armorRules);
        const int cs = itemCsShare(a.epBonus, g.rules.armorRules);
        if (cs > 0) lines += "`  +" + std::to_string(cs) + " CS versus All";
        if (ep > 0) lines += "`  +" + std::to_string(ep) + " max EP score";
    }
    if (w.bowBonus != 0)
        lines += "`  " + std::string(w.bowBonus > 0 ? "+" : "") + std::to_string(w.bowBonus) +
                 " to Random Number picks when firing arrows";
    if (it.csBoost != 0) lines += "`  +" + std::to_string(it.csBoost) + " CS for one combat";
    if (it.epRestore > 0) lines += "`  +" + std::to_string(it.epRestore) + " EP when used";
    return lines;
}

} // namespace

std::string chartItemLabel(const Item& it, const GameState& g) {
    std::string label;
    if (isQuiver(it)) {
        label = it.name + (it.uses == 1   ? " w/ 1 Arrow"
                           : it.uses <= 0 ? " w/ no Arrows"
                                          : " w/ " + std::to_string(it.uses) + " Arrows");
        if (it.zejarDulaga) label += " & Zejar-dulaga";
        return label;
    }
    label = itemLabel(it, g.rules.weaponRules, g.rules.armorRules, g.rules.limitSi, g.character.onBook);
    if (it.dessiStone) label += " w/ Dessi Stone";
    if (it.equipped) label += " (equipped)";
    return label;
}

std::string itemTooltip(const Item& it, const GameState& g) {
    std::string tip = it.description.empty() ? it.name : it.description;
    const std::string bonus = bonusSummary(it, g);
    const bool weapon = it.type == ITEM_WEAPON || it.subType == SUB_WEAPON_LIKE;
    if (!bonus.empty())
        tip += std::string(weapon ? "``This weapon gives the following bonus:"
                                  : "``This item gives the following bonus:") +
               bonus;
    if (it.dessiStone)
        tip += "``The Dessi Stone embedded in this weapon`grants the wielder a bonus of:`x2 damage "
               "versus Undead";
    if (it.potion && it.uses > 1)
        tip += "`(There is enough for " + std::to_string(it.uses) + " doses.)";
    if (isQuiver(it))
        tip += "``(When you pick up arrows or a quiver with arrows,`they will be automatically "
               "combined into as big a group`as possible. When you use an arrow, it will come "
               "from`the quiver with the least number of arrows in it.)";
    if (weapon && it.twoHanded && g.rules.weaponRules == 1)
        tip += "``The extra reach of this two-handed weapon will`aid you by keeping you from "
               "taking any damage in the`first round of any combat. (HARDCORE Weapon Rule)";
    return tip;
}

void addItemLine(ChartPageBuilder& p, const GameState& g, int list, int index) {
    const std::vector<Item>& items = *carriedList(g.character, list);
    const Item& it = items[static_cast<size_t>(index)];
    p.text(chartItemLabel(it, g), itemTooltip(it, g), 1);
    const char* dropTip = isQuiver(it) && it.uses > 0 ? DISCARD_ARROW_TIP
                          : isFireseed(it) && it.uses > 1 ? DISCARD_FIRESEED_TIP
                                                          : DISCARD_ITEM_TIP;
    p.button("Drop", dropTip, {ChartActionKind::Drop, list, index});
    if (it.equipable && (list == LIST_WEAPONS || list == LIST_SPECIAL))
        p.button(it.equipped ? "Unequip" : "Equip",
                 it.equipped ? "Put this item away" : "Wield or wear this item",
                 {ChartActionKind::Equip, list, index});
    if (curesBacillusNow(g.character, it))
        p.button("Cure",
                 "Use this item to cure your Korovax Baccilus infection.`(It will not perform its "
                 "usual restorative effect.)",
                 {ChartActionKind::Cure, list, index});
    else if (it.meal)
        p.button("Eat", "Eat this Meal", {ChartActionKind::Use, list, index});
    else if (itemHasUse(it)) // a "usable" item the rules do nothing with gets no button
        p.button("Use", "Use this item", {ChartActionKind::Use, list, index});
    if (index > 0) p.button("Up", "Move this item up in the list", {ChartActionKind::MoveUp, list, index});
    if (index + 1 < static_cast<int>(items.size()))
        p.button("Down", "Move this item down in the list", {ChartActionKind::MoveDown, list, index});
}

namespace {

void addDeposits(ChartPageBuilder& p, const GameState& g, const Catalogues& cat, int list) {
    if (!storageOpen(g, cat)) return;
    const std::vector<Item>& items = *carriedList(g.character, list);
    // The Deposit button of each item line, in list order.
    size_t line = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        while (line < p.page.lines.size() &&
               (p.page.lines[line].buttons.empty() ||
                p.page.lines[line].buttons[0].action.kind != ChartActionKind::Drop ||
                p.page.lines[line].buttons[0].action.list != list ||
                p.page.lines[line].buttons[0].action.index != static_cast<int>(i)))
            ++line;
        if (line >= p.page.lines.size()) return;
        const Item& it = items[i];
        ChartButton b;
        b.caption = "Deposit";
        b.tooltip = isQuiver(it) ? "Click to Deposit this Quiver and any Arrows`it may contain "
                                   "directly into storage."
                    : isFireseed(it) ? "Click to Deposit all Fireseeds directly into storage."
                                     : STORE_DIRECTLY_TIP;
        b.action = {ChartActionKind::Deposit, list, static_cast<int>(i)};
        auto& buttons = p.page.lines[line].buttons;
        buttons.insert(buttons.begin() + 1, b);
    }
}

} // namespace

void buildBackpackPage(ChartPageBuilder& p, const GameState& g, const Catalogues& cat) {
    const Character& c = g.character;
    p.heading("BELT POUCH");
    if (!c.haveBeltPouch) {
        p.text("You do not have a Belt Pouch", "", 1);
    } else {
        static const char* const MAXIMA[3] = {"50", "200", "500"};
        std::string maxima;
        for (int cur = 0; cur < 3; ++cur) {
            const int amount = cur == 0 ? c.goldCrowns : cur == 1 ? c.lune : c.kika;
            if (cur > 0 && amount == 0) continue; // Gold Crowns always show
            if (!maxima.empty()) maxima += "/";
            maxima += MAXIMA[cur];
            p.text(currencyName(cur) + ": " + std::to_string(amount), "", 1);
            if (amount > 0)
                p.button("Drop", "Drop some " + currencyName(cur) + " (Cannot be reclaimed!)",
                         {ChartActionKind::CoinDrop, 0, 0, cur});
            if (amount > 0 && storageOpen(g, cat))
                p.button("Deposit", "Directly deposit some " + currencyName(cur) + " into storage",
                         {ChartActionKind::CoinDeposit, 0, 0, cur});
        }
        p.small("(" + maxima + " maximum)",
                "The maximum number of coins can never exceed`the value of 50 Gold Crowns");
        if (c.lune > 0) p.small("(4 Lune is equivalent to 1 Gold Crown)");
        if (c.kika > 0) p.small("(10 Kika is equivalent to 1 Gold Crown)");
    }
    p.heading("MEALS");
    p.text(std::to_string(mealCount(c)) + " Meal(s)", "", 1);
    p.small("-3 EP if no meal available`when instructed to eat");
    p.heading("BACKPACK", "", "(maximum " + std::to_string(backpackCapacity(c)) + " articles)");
    if (!c.haveBackpack) {
        p.text("You do not have a Backpack", "", 1);
        return;
    }
    if (c.backpackItems.empty()) p.text("(empty)", "", 1);
    for (size_t i = 0; i < c.backpackItems.size(); ++i)
        addItemLine(p, g, LIST_BACKPACK, static_cast<int>(i));
    addDeposits(p, g, cat, LIST_BACKPACK);
}

void buildSpecialPage(ChartPageBuilder& p, const GameState& g, const Catalogues& cat) {
    const Character& c = g.character;
    p.heading("SPECIAL ITEMS",
              "", specialItemLimitApplies(c, g.rules) ? "(maximum 12 items)" : "");
    if (c.specialItems.empty()) p.text("(none)", "", 1);
    bool starred = false;
    for (size_t i = 0; i < c.specialItems.size(); ++i) {
        addItemLine(p, g, LIST_SPECIAL, static_cast<int>(i));
        const std::string& label = p.page.lines.back().text;
        starred = starred || (!label.empty() && label.find('*') != std::string::npos);
    }
    addDeposits(p, g, cat, LIST_SPECIAL);
    if (starred) p.small("``*  (This item does not count toward the limit of 12 Special Items)");
}

// Deposits of weapons go through the same place as the other lists.
void addWeaponDeposits(ChartPageBuilder& p, const GameState& g, const Catalogues& cat) {
    addDeposits(p, g, cat, LIST_WEAPONS);
}
