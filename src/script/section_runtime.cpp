// The effect dispatcher and the button press: one case per effect type, each
// saying in game terms what it does.
#include "script/section_runtime.h"

#include "app/game_state.h"
#include "character/character.h"
#include "character/inventory.h"
#include "character/scores.h"
#include "script/save_effects.h"
#include "script/section_combat.h"

#include <algorithm>
#include <cstdio>

namespace {

// Effect 12 presses other buttons; a page whose buttons press each other in a
// ring must not run away.
constexpr int MAX_PRESS_DEPTH = 16;

void changed(GameState& g) {
    ++g.rulesState.pageRevision;
}

// v, or button a's value when v is 0 (the amount of several effects).
bool amountOf(const Effect& e, const GameState& g, int& amount) {
    if (e.value != 0) {
        amount = e.value;
        return true;
    }
    const SectionButton* b = pageButton(g, e.idToAffect);
    if (!b) return false;
    amount = b->value;
    return true;
}

void screen(GameState& g, ScreenKind kind, int value, int second = 0, int last = 0, const std::string& text = "") {
    ScreenRequest r;
    r.kind = kind;
    r.value = value;
    r.second = second;
    r.last = last;
    r.text = text;
    g.rulesState.screens.push_back(r);
}

// The same counters conditions read: 0 Disciplines to choose, 1 and 3 weapons
// still to pick for the two masteries, 2 the per-campaign counter.
int* counterField(Character& c, int index) {
    switch (index) {
    case 0:
        return &c.disciplinesToChoose;
    case 1:
        return &c.weaponmasteryToChoose;
    case 2:
        return &c.hcLeft;
    case 3:
        return &c.grandWeaponmasteryToChoose;
    default:
        return nullptr;
    }
}

int carriedCount(const Character& c, const std::string& name) {
    int n = 0;
    for (int l = LIST_WEAPONS; l <= LIST_SPECIAL; ++l)
        for (const Item& it : *carriedList(c, l))
            if (name.empty() || it.name == name) ++n;
    return n;
}

// The game quantities effect 8 copies into a button.
bool gameQuantity(const GameState& g, int kind, int w, const std::string& s, int& out) {
    const Character& c = g.character;
    const CombatRecord& f = g.combat;
    switch (kind) {
    case 0:
        out = effectiveCombatSkill(c, g.rules, nullptr);
        return true;
    case 1:
        out = c.epMax;
        return true;
    case 2:
        out = c.epCur;
        return true;
    case 3:
        out = w == 1 ? c.damageFromCombat : w == 2 ? c.damageFromStarvation : std::max(0, c.epMax - c.epCur);
        return true;
    case 4: {
        int* counter = counterField(const_cast<Character&>(c), w);
        out = counter ? (w == 2 ? std::min(*counter, 7) : *counter) : 0;
        return true;
    }
    case 5:
        out = f.heroEpLost;
        return true;
    case 6:
        out = carriedCount(c, s);
        return true;
    case 7:
        out = c.mealsEaten;
        return true;
    case 8:
        out = f.enemyEpLost;
        return true;
    case 9:
        if (w < 0 || w >= static_cast<int>(f.enemies.size())) return false;
        out = f.enemies[static_cast<size_t>(w)].ep;
        return true;
    case 10: {
        const SectionButton* b = pageButton(g, w);
        if (!b) return false;
        out = b->value;
        return true;
    }
    case 11:
        out = f.randomNumber;
        return true;
    case 12: { // stored entries of that name
        out = 0;
        for (const Item& it : c.storageItems)
            if (it.name == s) ++out;
        return true;
    }
    case 13:
        out = booksCompleted(c, c.onBookSeries);
        return true;
    case 14:
        out = c.restarts;
        return true;
    default:
        return false;
    }
}

void clampEndurance(Character& c) {
    c.epCur = std::max(0, std::min(c.epCur, c.epMax));
}

// The ENDURANCE that carried Special Items add to the maximum under the armour rule.
int specialItemEnduranceBonus(const Character& c, int armorRules) {
    int sum = 0;
    for (const Item& it : c.specialItems) {
        int ep = bonusBlock(it, armorRules).epBonus;
        if (ep > 0) sum += itemEpShare(ep, armorRules);
    }
    return sum;
}

// The second-tier Lore-circles, their member Disciplines and the ENDURANCE they give.
struct LoreCircle {
    int index;
    std::vector<int> members;
    int ep;
};
const LoreCircle LORE_CIRCLES[] = {
    {LORE_CIRCLE_FIRE, {DISC_WEAPONSKILL, DISC_HUNTING}, 2},
    {LORE_CIRCLE_SOLARIS, {DISC_CAMOUFLAGE, DISC_HUNTING, DISC_TRACKING}, 3},
    {LORE_CIRCLE_LIGHT, {DISC_ANIMAL_KINSHIP, DISC_HEALING}, 3},
    {LORE_CIRCLE_SPIRIT, {DISC_MINDBLAST, DISC_MINDSHIELD, DISC_MIND_OVER_MATTER, DISC_SIXTH_SENSE}, 3},
};

// Forgets a Discipline; a second-tier one that completed a Lore-circle takes
// the circle and its ENDURANCE with it.
void loseDiscipline(Character& c, int tier, int id) {
    if (!hasDiscipline(c, tier, id)) return;
    forgetDiscipline(c, tier, id);
    c.disciplinesToChoose += 1;
    if (tier != TIER_DRAVIC) return;
    for (const LoreCircle& circle : LORE_CIRCLES) {
        if (!c.loreCircles[static_cast<size_t>(circle.index)]) continue;
        if (std::find(circle.members.begin(), circle.members.end(), id) == circle.members.end()) continue;
        c.loreCircles[static_cast<size_t>(circle.index)] = false;
        c.epMax -= circle.ep;
        c.epCur -= circle.ep;
    }
    clampEndurance(c);
}

// Sends the first carried copy of item `id` to the lost items.
bool loseItem(Character& c, int id, bool keep, int armorRules) {
    for (int l = LIST_WEAPONS; l <= LIST_SPECIAL; ++l) {
        std::vector<Item>& list = *carriedList(c, l);
        for (size_t i = 0; i < list.size(); ++i) {
            if (list[i].id != id) continue;
            Item it = list[i];
            it.equipped = false;
            list.erase(list.begin() + static_cast<long>(i));
            itemEnduranceLost(c, it, armorRules);
            if (keep) c.lostItems.push_back(it);
            return true;
        }
    }
    return false;
}

void loseList(std::vector<Item>& list, std::vector<Item>& lost) {
    for (Item& it : list) {
        it.equipped = false;
        lost.push_back(it);
    }
    list.clear();
}

// Coins that do not fit the pouch go to storage, and the player hears how many.
void coinsWithStorage(GameState& g, int amount, int currency) {
    Character& c = g.character;
    if (amount <= 0 || currency < 0 || currency > 2) return;
    int k = coinsPerCrown(currency);
    int room = c.haveBeltPouch ? std::max(0, k * (BELT_POUCH_LIMIT - beltPouchWorth(c))) : 0;
    int added = std::min(room, amount);
    currencyField(c, currency) += added;
    int rest = amount - added;
    if (rest <= 0) return;
    storageCurrencyField(c, currency) += rest;
    raiseMessage(g, "Your Belt Pouch is now full",
                 "You are unable to take all of the coins.`(The " + std::to_string(rest) +
                     " excess coins have been added to your storage)");
}

// The inventory actions of effect 17, chosen by VALUE2.
void inventoryAction(const Effect& e, GameState& g, const Catalogues& cat) {
    Character& c = g.character;
    const int v = e.value;
    switch (e.value2) {
    case 0: // take item v
        canTakeById(g, cat, v);
        break;
    case 1: // the text takes item v; it may come back later
        loseItem(c, v, true, g.rules.armorRules);
        break;
    case 2: // item v is gone for good
        loseItem(c, v, false, g.rules.armorRules);
        break;
    case 3: // sell: a names the weapon class (-1 any item, -2 any weapon), v the price
        askSell(g, e.idToAffect, v);
        break;
    case 4: // choose something to discard, of kind v
        askDiscard(g, v);
        break;
    case 5:
        setDessiStone(g);
        break;
    case 6:
        askDeposit(g);
        break;
    case 7: // item v straight into storage
        if (isValidItemId(cat.items, v)) c.storageItems.push_back(cat.items[static_cast<size_t>(v)]);
        break;
    case 8: // the Backpack is taken, with what is in it
        if (!c.haveBackpack) break;
        loseList(c.backpackItems, c.lostItems);
        c.haveBackpack = false;
        c.lostBackpack = true;
        break;
    case 9: // every weapon is taken
        loseList(c.weapons, c.lostItems);
        break;
    case 10: // every coin is taken
        loseAllCoins(c);
        break;
    case 11:
        askWithdraw(g);
        break;
    case 12:
        askReclaim(g);
        break;
    default:
        break;
    }
}

// Uses of fire-seeds (effect 43) and new ones (effect 45).
Item* fireseeds(Character& c) {
    for (Item& it : c.specialItems)
        if (it.id == ITEM_ID_FIRESEED || it.archetype == "Fireseed") return &it;
    return nullptr;
}

void pressAt(SectionButton& button, GameState& g, const Catalogues& cat, int depth);

// The effects that write the campaign's records and files, all five sent
// here by the switch below; the saves' rules (save_effects) perform them.
bool campaignEffect(const Effect& e, GameState& g, const Catalogues& cat) {
    Character& c = g.character;
    switch (e.type.typeId) {
    case 24: { // lose maximum ENDURANCE for good
        int amount = 0;
        if (!amountOf(e, g, amount) || amount <= 0) return true;
        c.epMax -= amount;
        c.epCur = std::max(1, std::min(c.epMax, c.epCur - amount));
        return true;
    }
    case 35: // a flag of the book's record
        setBookRecordFlag(e, g);
        return true;
    case 36: // the book is finished
        finishBookEffect(g);
        return true;
    case 65: // the travel log to a text file
        exportTravelLogEffect(e, g, cat);
        return true;
    default: // 76: the start-of-book save a restart returns to
        startOfBookSave(g);
        return true;
    }
}

// Effect 64: award v of the current profile, its two dependent awards and
// the notice. The awards' rules take this over.
void awardEffect(int award, GameState&, const Catalogues&) {
    printf("Effect type 64 (award %d) waits for the awards\n", award);
}

// Performs one effect; false ends the walk over the button's effects.
bool perform(Effect& e, SectionButton& pressed, GameState& g, const Catalogues& cat, int depth) {
    Character& c = g.character;
    const int v = e.value;
    const int w = e.value2;
    const int a = e.idToAffect;
    const std::string& s = e.str;
    switch (e.type.typeId) {
    case 1: // turn to section v
        g.pendingSection = v;
        return true;
    case 2: // switch to the screen of window v
        screen(g, ScreenKind::Window, v);
        return true;
    case 3: { // set a button's value
        SectionButton* b = pageButton(g, a);
        if (!b) return true;
        b->value = s == "this" ? pressed.value : v;
        changed(g);
        return true;
    }
    case 4: { // change a button's value
        SectionButton* b = pageButton(g, a);
        if (!b) return true;
        int by = s == "this" ? pressed.value : v;
        switch (w) {
        case 1:
            b->value *= by;
            break;
        case 2: // divide, rounding down
        case 3: // divide, rounding up
            if (by != 0) {
                int q = b->value / by, r = b->value % by;
                if (r != 0 && ((r < 0) != (by < 0))) --q; // floor
                if (w == 3 && r != 0) ++q;
                b->value = q;
            }
            break;
        default:
            b->value += by;
            break;
        }
        if (!s.empty() && s != "this") b->tooltip += "`" + s;
        changed(g);
        return true;
    }
    case 5: // the button's random-number pick; the walk goes on once the number is in
        if (pressed.value >= 0) return true;
        if (!g.rulesState.pickWanted) {
            g.rulesState.pickWanted = true;
            g.rulesState.pick = PickRequest{pressed.id, v, w, a, false};
        }
        return false;
    case 6: // the illustration viewer
        g.pendingWindowArgs[0] = std::to_string(v);
        return true;
    case 7: { // a button's colour state
        SectionButton* b = pageButton(g, a);
        if (!b) return true;
        b->colour = std::max(0, std::min(3, v));
        changed(g);
        return true;
    }
    case 8: { // a button takes a game quantity
        SectionButton* b = pageButton(g, a);
        int q = 0;
        if (!b || !gameQuantity(g, v, w, s, q)) return true;
        b->value = q;
        changed(g);
        return true;
    }
    case 9: // a game quantity takes a value
        if (a >= 0 && a <= 3) {
            *counterField(c, a) = std::max(0, v);
        } else if (a == 6) {
            const SectionButton* from = pageButton(g, v);
            if (!from || w < 0 || w >= static_cast<int>(g.combat.enemies.size())) return true;
            EnemyRecord& enemy = g.combat.enemies[static_cast<size_t>(w)];
            enemy.ep = from->value;
            if (SectionButton* shown = pageButton(g, enemy.epButtonId)) shown->value = enemy.ep;
            changed(g);
        } else if (a == 7) {
            if (w != 0) {
                c.epCur = w;
            } else {
                const SectionButton* from = pageButton(g, v);
                if (!from) return true;
                c.epCur = from->value;
            }
            clampEndurance(c);
        }
        return true;
    case 10: { // a button's caption
        SectionButton* b = pageButton(g, a);
        if (!b) return true;
        b->text = s;
        changed(g);
        return true;
    }
    case 11: { // a button's tooltip
        SectionButton* b = pageButton(g, a);
        if (!b) return true;
        if (v == 100)
            b->tooltip += s;
        else if (v == 200)
            b->tooltip = b->tooltip.substr(0, b->tooltip.find('`'));
        else
            b->tooltip = s;
        changed(g);
        return true;
    }
    case 12: { // press another button, or arm one to be used up
        SectionButton* b = pageButton(g, a);
        if (!b) return true;
        if (v != 0) {
            if (depth < MAX_PRESS_DEPTH && buttonOffered(*b, g, cat)) pressAt(*b, g, cat, depth + 1);
        } else if (std::find(g.rulesState.armedButtons.begin(), g.rulesState.armedButtons.end(), a) ==
                   g.rulesState.armedButtons.end()) {
            g.rulesState.armedButtons.push_back(a);
        }
        return true;
    }
    case 13: // a Meal, in situation v
        offerMeal(g, cat, std::max(0, std::min(7, v)));
        return true;
    case 14: // take an item back: from storage (v 0) or the lost items
        if (v == 0)
            askWithdraw(g);
        else
            askReclaim(g);
        return true;
    case 16: // nothing
    case 31:
    case 42:
    case 44:
        return true;
    case 15: { // learn a Discipline of the current tier
        Tier t = c.onBookSeries;
        if (c.disciplinesToChoose <= 0 || v < 0 || v >= disciplineCount(t) || hasDiscipline(c, t, v)) return true;
        learnDiscipline(c, t, v);
        c.disciplinesToChoose -= 1;
        return true;
    }
    case 17:
        inventoryAction(e, g, cat);
        return true;
    case 18: // use item v
        for (int l = LIST_WEAPONS; l <= LIST_SPECIAL; ++l) {
            const std::vector<Item>& list = *carriedList(c, l);
            for (size_t i = 0; i < list.size(); ++i)
                if (list[i].id == v) {
                    useItem(g, l, static_cast<int>(i));
                    return true;
                }
        }
        return true;
    case 19: { // move coins of currency w: a 0 pay, 1 lost, 2 storage, 3 from lost, 4 from storage
        if (w < 0 || w > 2) return true;
        int amount = v < 0 ? 1 << 30 : v;
        switch (a) {
        case 1: {
            int n = std::min(amount, currencyField(c, w));
            currencyField(c, w) -= n;
            lostCurrencyField(c, w) += n;
            break;
        }
        case 2:
            moveCoins(g, cat, CoinMove::Deposit, w, amount);
            break;
        case 3:
            moveCoins(g, cat, CoinMove::Reclaim, w, amount);
            break;
        case 4:
            moveCoins(g, cat, CoinMove::Withdraw, w, amount);
            break;
        default:
            moveCoins(g, cat, CoinMove::Discard, w, amount);
            break;
        }
        return true;
    }
    case 20: { // coins found: v of currency w
        int excess = 0;
        if (w >= 0 && w <= 2) addCoins(g, cat, v, w, excess);
        return true;
    }
    case 21: // item v
        canTakeById(g, cat, v);
        return true;
    case 22: { // lose ENDURANCE
        int amount = 0;
        if (!amountOf(e, g, amount)) return true;
        int kind = g.rules.intelligentDamage != 0 && (w == 1 || w == 2) ? w : 0;
        loseEndurance(c, amount, kind);
        return true;
    }
    case 23: { // shift ENDURANCE and the damage counters, by mode w
        int amount = 0;
        if (!amountOf(e, g, amount) || amount <= 0) return true;
        int other = std::max(0, c.epMax - c.epCur - c.damageFromCombat - c.damageFromStarvation);
        switch (w) {
        case 1: { // other damage becomes combat damage
            int n = std::min(amount, other);
            c.damageFromCombat += n;
            break;
        }
        case 2: { // other damage becomes starvation
            int n = std::min(amount, other);
            c.damageFromStarvation += n;
            break;
        }
        case 3: { // hunger healed
            int n = std::min({amount, c.damageFromStarvation, c.epMax - c.epCur});
            c.epCur += n;
            c.damageFromStarvation -= n;
            break;
        }
        default:
            gainEndurance(c, amount);
            break;
        }
        return true;
    }
    case 24: // maximum ENDURANCE lost for good
    case 35: // a flag of the book's record
    case 36: // the book is finished
    case 65: // the travel log exported
    case 76: // the start-of-book save
        return campaignEffect(e, g, cat);
    case 25: { // lose COMBAT SKILL
        int amount = 0;
        if (!amountOf(e, g, amount)) return true;
        c.csBase -= amount;
        return true;
    }
    case 26: { // gain ENDURANCE, or set it
        int amount = 0;
        if (!amountOf(e, g, amount)) return true;
        if (s == "set") {
            amount = std::max(15, amount);
            c.epMax = c.epCur = c.epInitial = amount;
        } else {
            c.epMax += amount;
            c.epCur += amount;
        }
        return true;
    }
    case 27: { // gain COMBAT SKILL, or set it
        int amount = 0;
        if (!amountOf(e, g, amount)) return true;
        if (s == "set")
            c.csBase = c.csInitial = std::max(5, amount);
        else
            c.csBase += amount;
        return true;
    }
    case 28: // lose a Discipline
        if (w >= 0 && w < TIER_COUNT) loseDiscipline(c, w, v);
        return true;
    case 29: { // toggle a weapon class of a weapon-skill list
        int kind = v;
        if (kind == -1) {
            const SectionButton* b = pageButton(g, a);
            if (!b) return true;
            kind = b->value;
        }
        if (kind < 0 || kind >= WEAPON_TYPE_COUNT || w < 0 || w > 2) return true;
        auto& list = w == 0 ? c.weaponskillIn : w == 1 ? c.weaponmasteryIn : c.grandWeaponmasteryIn;
        int* left = w == 1 ? &c.weaponmasteryToChoose : w == 2 ? &c.grandWeaponmasteryToChoose : nullptr;
        bool& entry = list[static_cast<size_t>(kind)];
        if (!entry && left && *left <= 0) return true; // nothing left to pick
        entry = !entry;
        if (left) *left += entry ? -1 : 1;
        return true;
    }
    case 30: { // a computed amount of ENDURANCE lost
        int amount = 0;
        if (a >= 1) {
            const SectionButton* b = pageButton(g, a);
            if (!b) return true;
            amount = b->value;
        } else {
            switch (w) {
            case 1:
            case 2:
            case 3:
                amount = *counterField(c, w - 1);
                break;
            case 4:
                amount = c.damageFromCombat;
                break;
            case 5:
                amount = c.damageFromStarvation;
                break;
            case 6:
                amount = effectiveCombatSkill(c, g.rules, nullptr);
                break;
            case 7:
                amount = c.epCur;
                break;
            case 8:
                amount = std::min(v, c.disciplinesToChoose);
                break;
            default:
                amount = v;
                break;
            }
        }
        loseEndurance(c, amount, 0);
        return true;
    }
    case 32: // a combat round, or the Combat Results Table viewer
        if (v == 0) {
            // The front end runs the round; the walk stops here either way.
            requestCombatRound(g, pressed.id, false);
            return false;
        }
        screen(g, ScreenKind::ResultsTable, v);
        e.value += 1; // the next press shows the other page
        return true;
    case 33: // evade
        if (g.combat.evading && g.combat.finished) {
            if (c.epCur > 0) g.pendingSection = v;
            return true;
        }
        requestCombatRound(g, pressed.id, true);
        return true;
    case 34: // inventory clean-ups
        if (v == 0) {
            // Used-up doses leave their lists.
            for (int l = LIST_WEAPONS; l <= LIST_SPECIAL; ++l) {
                std::vector<Item>& list = *carriedList(c, l);
                list.erase(std::remove_if(list.begin(), list.end(),
                                          [](const Item& it) { return it.uses <= 0 && (it.potion || it.meal); }),
                           list.end());
            }
        } else if (v == 1) {
            unequipAllWeapons(c);
        } else if (v == 2) {
            loseList(c.backpackItems, c.lostItems);
        }
        return true;
    case 37: // the end-of-book summary
        g.pendingBookComplete = true;
        return true;
    case 38: // how many coins to deposit
        askCoinAmount(g, CoinMove::Deposit, v);
        return true;
    case 39: // how many to discard
        askCoinAmount(g, CoinMove::Discard, v);
        return true;
    case 40:
        askCoinAmount(g, CoinMove::Withdraw, v);
        return true;
    case 41:
        askCoinAmount(g, CoinMove::Reclaim, v);
        return true;
    case 43: { // fire-seeds used
        int amount = 0;
        Item* seeds = fireseeds(c);
        if (!seeds || !amountOf(e, g, amount) || amount <= 0) return true;
        seeds->uses -= amount;
        if (seeds->uses <= 0)
            c.specialItems.erase(c.specialItems.begin() + (seeds - c.specialItems.data()));
        return true;
    }
    case 45: { // fire-seeds gained
        int amount = 0;
        if (!amountOf(e, g, amount) || amount <= 0) return true;
        if (Item* seeds = fireseeds(c)) {
            seeds->uses += amount;
        } else if (isValidItemId(cat.items, ITEM_ID_FIRESEED)) {
            Item it = cat.items[ITEM_ID_FIRESEED];
            it.uses = amount;
            canTake(g, it);
        }
        return true;
    }
    case 46: // toggle an Action Chart flag
        if (bool* f = chartFlagField(c, v)) *f = !*f;
        return true;
    case 47:
        screen(g, ScreenKind::ActionChartPage, v);
        return true;
    case 48: { // equip or unequip an item
        if (a != 0) {
            for (int l : {LIST_WEAPONS, LIST_SPECIAL}) {
                const std::vector<Item>& list = *carriedList(c, l);
                for (size_t i = 0; i < list.size(); ++i)
                    if (list[i].id == a) {
                        equipToggle(g, l, static_cast<int>(i));
                        return true;
                    }
            }
            return true;
        }
        equipToggle(g, v, w);
        return true;
    }
    case 49: // the Weaponskill weapon
        if (v < 0 || v >= WEAPON_TYPE_COUNT) return true;
        c.weaponskillIn.fill(false);
        c.weaponskillIn[static_cast<size_t>(v)] = true;
        return true;
    case 50:
        screen(g, ScreenKind::JournalBook, v, w);
        return true;
    case 51: { // the starting scores
        int method = g.rules.initialStats;
        int csPick = 0, epPick = 0, csPoints = 0;
        if (initialStatsNeedPicks(method)) {
            // Two unguided picks from the book's table, as the reader would make them.
            if (g.randomTable.book != c.onBook) loadTable(g.randomTable, c.onBook);
            csPick = drawTableNumber(g.randomTable, g.random);
            epPick = drawTableNumber(g.randomTable, g.random);
        }
        if (initialStatsNeedDistribution(method)) {
            const SectionButton* b = pageButton(g, a);
            if (!b) return true;
            csPoints = b->value;
        }
        setInitialStats(c, initialStats(method, false, csPick, epPick, csPoints));
        return true;
    }
    case 52: // the rank certificate
        g.pendingWindowArgs[2] = "rank";
        return true;
    case 53: // notes: add one (w 1) or delete note v (w -1)
        if (w < 0) {
            if (v >= 0 && v < static_cast<int>(c.notes.size())) c.notes.erase(c.notes.begin() + v);
        } else {
            askNote(g);
        }
        return true;
    case 54: { // a lasting condition comes or goes
        auto it = std::find(c.disease.begin(), c.disease.end(), v);
        if (w >= 0) {
            if (it == c.disease.end()) c.disease.push_back(v);
        } else if (it != c.disease.end()) {
            c.disease.erase(it);
        }
        return true;
    }
    case 55: // the opening pages are done: section 1 begins
        g.rulesState.heroActive = true;
        c.completedOpeningSection = true;
        g.pendingSection = 1;
        return true;
    case 58:
        (v != 0 ? c.emptyPouchStartBook12 : c.hasSunbladeAfterBook3) = true;
        return true;
    case 59:
        c.warmarn = !c.warmarn;
        return true;
    case 60: { // arrows, one at a time until one does not fit
        int amount = 0;
        if (!amountOf(e, g, amount)) return true;
        int id = w != 0 ? ITEM_ID_ZEJAR_DULAGA : ITEM_ID_ARROW;
        for (int i = 0; i < std::min(amount, 100); ++i)
            if (!canTakeById(g, cat, id)) break;
        return true;
    }
    case 62:
        coinsWithStorage(g, v, w);
        return true;
    case 64: // an award of the profile, with its notice
        awardEffect(v, g, cat);
        return true;
    case 66:
        screen(g, ScreenKind::Notice, v, 0, 0, s);
        return true;
    case 67: { // a message box: title before the first line break
        size_t cut = s.find('`');
        raiseMessage(g, s.substr(0, cut), cut == std::string::npos ? "" : s.substr(cut + 1));
        return true;
    }
    case 68: // storage emptied, by tag or by kind
        if (w != 0) {
            auto& st = c.storageItems;
            st.erase(std::remove_if(st.begin(), st.end(), [w](const Item& it) { return it.earmark == w; }), st.end());
        } else {
            if (v == 0 || v == 1) c.storageItems.clear();
            if (v == 0 || v == 2) c.storageCrowns = c.storageLune = c.storageKika = 0;
        }
        return true;
    case 69:
        screen(g, ScreenKind::EntryList, v, a >= 1 ? 1 : 0, w);
        return true;
    case 70: { // a modifier line on a tooltip
        SectionButton* b = pageButton(g, a);
        if (!b) return true;
        size_t old = b->tooltip.find("`Modifier: ");
        if (old != std::string::npos) b->tooltip.erase(old);
        b->tooltip += "`Modifier: " + std::to_string(v);
        changed(g);
        return true;
    }
    case 71: { // armour bonuses set aside for a fight, or given back
        SectionButton* current = pageButton(g, a);
        SectionButton* maximum = pageButton(g, v);
        if (!current || !maximum) return true;
        if (w == 0) {
            int cut = specialItemEnduranceBonus(c, g.rules.armorRules);
            c.epMax -= cut;
            int curCut = std::max(0, c.epCur - c.epMax);
            c.epCur -= curCut;
            current->value = curCut;
            maximum->value = cut;
        } else {
            c.epMax += maximum->value;
            c.epCur += current->value;
            current->value = maximum->value = 0;
        }
        changed(g);
        return true;
    }
    case 72: { // move an item within its list
        std::vector<Item>* list = carriedList(c, a);
        if (!list || v < 0 || v >= static_cast<int>(list->size())) return true;
        int to = w >= 1 ? v - 1 : v + 1;
        if (to < 0 || to >= static_cast<int>(list->size())) return true;
        std::swap((*list)[static_cast<size_t>(v)], (*list)[static_cast<size_t>(to)]);
        return true;
    }
    case 74: // a psychic attack chosen or not for the round
        (v == 0 ? c.usingVaelBlast : c.usingVaelRay) = w == 0;
        return true;
    case 75: { // every Special Item but a few is taken
        static const int KEPT[] = {ITEM_ID_SUNBLADE, 27, 90, 235, 238};
        auto kept = [](const Item& it) { return std::find(std::begin(KEPT), std::end(KEPT), it.id) != std::end(KEPT); };
        int cut = 0;
        std::vector<Item> keep;
        for (const Item& it : c.specialItems) {
            if (kept(it)) {
                keep.push_back(it);
                continue;
            }
            int ep = bonusBlock(it, g.rules.armorRules).epBonus;
            if (ep > 0) cut += itemEpShare(ep, g.rules.armorRules);
        }
        c.specialItems = keep;
        c.epMax -= cut;
        clampEndurance(c);
        auto& lost = c.lostItems;
        lost.erase(std::remove_if(lost.begin(), lost.end(), [](const Item& it) { return it.type == ITEM_SPECIAL; }),
                   lost.end());
        return true;
    }
    case 78: // storage emptied
        c.storageItems.clear();
        c.storageCrowns = c.storageLune = c.storageKika = 0;
        return true;
    default:
        printf("Effect type %d is not known to the rules\n", e.type.typeId);
        return true;
    }
}

void pressAt(SectionButton& button, GameState& g, const Catalogues& cat, int depth) {
    auto& armed = g.rulesState.armedButtons;
    // Armed before this press: this press uses it up.
    const bool wasArmed = std::find(armed.begin(), armed.end(), button.id) != armed.end();
    const int id = button.id;
    // The effects may press other buttons, but never add or remove any, so
    // `button` stays valid; walk by index all the same.
    for (size_t i = 0; i < button.effects.size(); ++i) {
        Effect& e = button.effects[i];
        if (!e.type.known) {
            // The definitions lack this type: the rest of the button still works.
            printf("Effect type %d of button %d in %s is not defined; skipped\n", e.type.typeId, id,
                   g.section.sectionName.c_str());
            continue;
        }
        if (!evaluateConditions(e.conditions, g, cat)) continue;
        if (!perform(e, button, g, cat, depth)) break;
    }
    auto it = std::find(armed.begin(), armed.end(), id);
    if (wasArmed && it != armed.end()) {
        armed.erase(it);
        button.colour = 0;
        changed(g);
    }
}

} // namespace

SectionButton* pageButton(GameState& g, int id) {
    for (auto it = g.section.buttons.rbegin(); it != g.section.buttons.rend(); ++it)
        if (it->id == id) return &*it;
    return nullptr;
}

const SectionButton* pageButton(const GameState& g, int id) {
    return pageButton(const_cast<GameState&>(g), id);
}

void pressButton(SectionButton& button, GameState& g, const Catalogues& cat) {
    pressAt(button, g, cat, 0);
}

bool deliverPick(GameState& g, const Catalogues& cat, const PickResult& result) {
    RulesState& s = g.rulesState;
    if (!s.pickWanted) return false;
    s.pickWanted = false;
    SectionButton* b = pageButton(g, s.pick.buttonId);
    if (!b) return false;
    b->value = result.number;
    for (const std::string& line : result.modifierLines) b->tooltip += line;
    raiseMessage(g, "Random Number Table", result.message);
    changed(g);
    // The press that asked for the number goes on with it.
    pressButton(*b, g, cat);
    return true;
}

bool autoExecuteIfDue(SectionButton& button, bool visible, GameState& g, const Catalogues& cat) {
    if (!button.autoExecute() || !visible || button.colour == 0) return false;
    button.colour = 0;
    changed(g);
    pressButton(button, g, cat);
    return true;
}

int runAutoExecutes(GameState& g, const Catalogues& cat) {
    int fired = 0;
    for (int pass = 0; pass < MAX_PRESS_DEPTH; ++pass) {
        bool any = false;
        for (size_t i = 0; i < g.section.buttons.size(); ++i)
            if (autoExecuteIfDue(g.section.buttons[i], true, g, cat)) {
                ++fired;
                any = true;
            }
        if (!any || g.pendingSection != 0) break;
    }
    return fired;
}
