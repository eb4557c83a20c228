#include "character/inventory.h"

#include "app/game_state.h"
#include "character/character.h"

#include <algorithm>
#include <cstdio>

const char* const DISCARD_ITEM_TIP = "Discard this item (Cannot be reclaimed)";
const char* const DISCARD_ARROW_TIP =
    "Click to discard a single arrow.`If the quiver is empty, clicking this button`will discard "
    "the quiver. (Cannot be reclaimed.)";
const char* const DISCARD_FIRESEED_TIP = "Click to discard a single Fireseed.`(Cannot be reclaimed.)";
const char* const STORE_DIRECTLY_TIP =
    "Place this item directly into storage.`You can reclaim it at the beginning of any book,`"
    "including this one, by accessing the \"Storage\" page.";

namespace {

const char* const CANT_NOW = "Can't do that right now";
const char* const CANT_USE_NOW = "Cannot use this Item right now";

bool fightRunning(const GameState& g) {
    return g.combat.started && !g.combat.won;
}

int combatRound(const GameState& g) {
    return g.combat.roundsFinished;
}

bool weaponLike(const Item& it) {
    return it.type == ITEM_SPECIAL && it.subType == SUB_WEAPON_LIKE;
}

bool isArmourSlot(int subType) {
    return subType >= SUB_ARMOR_HEAD && subType <= SUB_ARMOR_LEGS;
}

Item* findArchetype(std::vector<Item>& list, const std::string& archetype) {
    for (Item& it : list)
        if (it.archetype == archetype) return &it;
    return nullptr;
}

// A question with one line per caption; returns it so the caller can fill in
// what each line means.
RulesPrompt& raisePrompt(GameState& g, PromptKind kind, const std::string& title,
                         const std::string& text, const std::vector<std::string>& captions,
                         bool numberEntry = false) {
    RulesState& s = g.rulesState;
    RulesPrompt p;
    p.serial = s.nextSerial++;
    p.kind = kind;
    s.prompts.push_back(p);
    MessageRequest m;
    m.title = title;
    m.text = text;
    m.targetWindow = RULES_REPLY_TARGET;
    m.numberEntry = numberEntry;
    const int base = p.serial * PROMPT_REPLY_STRIDE;
    if (numberEntry || captions.size() <= 2) {
        // Two buttons at most: the message box's own.
        m.caption1 = captions.empty() ? "OK" : captions[0];
        m.id1 = base;
        m.caption2 = captions.size() > 1 ? captions[1] : "";
        m.id2 = captions.size() > 1 ? base + 1 : -1;
    }
    if (!numberEntry)
        for (size_t i = 0; i < captions.size(); ++i) {
            m.choices.push_back(captions[i]);
            m.choiceIds.push_back(base + static_cast<int>(i));
        }
    showMessage(g.messages, m);
    return s.prompts.back();
}

void refuseArrow(GameState& g, const Item& item, bool haveQuiver) {
    std::string what = item.id == ITEM_ID_ZEJAR_DULAGA ? "Zejar-dulaga"
                       : haveQuiver                    ? "All Arrow(s)"
                                                       : "Any Arrow(s)";
    raiseMessage(g, "Cannot Take " + what,
                 haveQuiver ? "You have no more room in your quiver(s)"
                            : "You do not have a quiver in which to keep arrows");
}

// Arrows live in quivers: the fullest quiver that still has room takes it.
bool takeArrow(GameState& g, const Item& item) {
    Item* best = nullptr;
    bool haveQuiver = false;
    for (Item& q : g.character.specialItems) {
        if (q.archetype != "Quiver") continue;
        haveQuiver = true;
        if (q.uses < QUIVER_CAPACITY && (!best || q.uses > best->uses)) best = &q;
    }
    if (!best) {
        refuseArrow(g, item, haveQuiver);
        return false;
    }
    best->uses += 1;
    if (item.id == ITEM_ID_ZEJAR_DULAGA) best->zejarDulaga = true;
    return true;
}

bool takeSpecialItem(GameState& g, const Item& item) {
    Character& c = g.character;
    if (specialItemLimitApplies(c, g.rules) && item.spaceTaken != 0 &&
        specialItemSpaceUsed(c) + item.spaceTaken > SPECIAL_ITEM_LIMIT) {
        raiseMessage(g, "You do not have room",
                     "You cannot carry more than 12 Special Items at once.`(Certain Special Items "
                     "do not count toward this limit.)``Discard an Item to pick this up");
        return false;
    }
    if (isArmourSlot(item.subType)) {
        for (const Item& it : c.specialItems)
            if (it.subType == item.subType) {
                raiseMessage(g, "Cannot wear this item",
                             "You already have on armor of this type.``Discard Armor to pick this up");
                return false;
            }
    }
    if (item.archetype == "Shield" && findArchetype(c.specialItems, "Shield")) {
        raiseMessage(g, "Cannot take another Shield", "You may only carry one Shield at a time");
        return false;
    }
    if (item.archetype == "Fireseed") {
        if (Item* seeds = findArchetype(c.specialItems, "Fireseed")) {
            seeds->uses += item.uses;
            return true;
        }
    }
    if (item.archetype == "Arrow") return takeArrow(g, item);
    c.specialItems.push_back(item);
    itemEnduranceGained(c, item, g.rules.armorRules);
    return true;
}


} // namespace

int coinsPerCrown(int currency) {
    return currency == CURRENCY_LUNE ? 4 : currency == CURRENCY_KIKA ? 10 : 1;
}

std::string currencyName(int currency) {
    return currency == CURRENCY_LUNE ? "Lune" : currency == CURRENCY_KIKA ? "Kika" : "Gold Crowns";
}

int beltPouchWorth(const Character& c) {
    return c.goldCrowns + c.lune / 4 + c.kika / 10;
}

int backpackCapacity(const Character& c) {
    return c.onBookSeries == TIER_GRAND_MASTER ? 10 : 8;
}

int backpackSpaceUsed(const Character& c) {
    int n = 0;
    for (const Item& it : c.backpackItems) n += it.spaceTaken;
    return n;
}

int specialItemSpaceUsed(const Character& c) {
    int n = 0;
    for (const Item& it : c.specialItems) n += it.spaceTaken;
    return n;
}

bool specialItemLimitApplies(const Character& c, const RuleOptions& rules) {
    if (rules.limitSi == 2) return false;
    return rules.limitSi == 1 || c.onBook >= 9;
}

int& currencyField(Character& c, int currency) {
    return currency == CURRENCY_LUNE ? c.lune : currency == CURRENCY_KIKA ? c.kika : c.goldCrowns;
}

int& storageCurrencyField(Character& c, int currency) {
    return currency == CURRENCY_LUNE   ? c.storageLune
           : currency == CURRENCY_KIKA ? c.storageKika
                                       : c.storageCrowns;
}

int& lostCurrencyField(Character& c, int currency) {
    return currency == CURRENCY_LUNE ? c.lostLune : currency == CURRENCY_KIKA ? c.lostKika : c.lostCrowns;
}

std::vector<Item>* carriedList(Character& c, int list) {
    switch (list) {
    case LIST_WEAPONS:
        return &c.weapons;
    case LIST_BACKPACK:
        return &c.backpackItems;
    case LIST_SPECIAL:
        return &c.specialItems;
    default:
        return nullptr;
    }
}

const std::vector<Item>* carriedList(const Character& c, int list) {
    return carriedList(const_cast<Character&>(c), list);
}

bool carriesItem(const Character& c, int id) {
    for (int l = LIST_WEAPONS; l <= LIST_SPECIAL; ++l)
        for (const Item& it : *carriedList(c, l))
            if (it.id == id) return true;
    return false;
}

int mealCount(const Character& c) {
    int n = 0;
    for (const Item& it : c.backpackItems)
        if (it.meal) n += std::max(1, it.uses);
    return n;
}

bool storageOpen(const GameState& g, const Catalogues& cat) {
    const Character& c = g.character;
    if (c.completedOpeningSection) return false;
    int access = -1;
    if (c.onBook >= 1 && c.onBook <= static_cast<int>(cat.books.size()))
        access = cat.books[c.onBook - 1].storageAccess;
    return access == 1 || (access == 0 && g.rules.extraStorage != 0);
}

void raiseMessage(GameState& g, const std::string& title, const std::string& text) {
    MessageRequest m;
    m.title = title;
    m.text = text;
    showMessage(g.messages, m);
}

bool canTake(GameState& g, const Item& item) {
    Character& c = g.character;
    switch (item.type) {
    case ITEM_WEAPON:
        // Two weapons at most; weapon-like Special Items do not count.
        if (c.weapons.size() >= 2) {
            raiseMessage(g, "You already have two Weapons",
                         "You cannot possess more than two Weapons at one time.`(This does not "
                         "apply to Weapon-like Special Items.)``Discard a Weapon to pick this up");
            return false;
        }
        c.weapons.push_back(item);
        return true;
    case ITEM_BACKPACK: {
        int capacity = backpackCapacity(c);
        if (backpackSpaceUsed(c) + item.spaceTaken > capacity) {
            raiseMessage(g, "Your Backpack is too full``Discard an item to pick this up",
                         "You do not have enough room in your Backpack.`(You can carry a maximum of " +
                             std::to_string(capacity) + " articles)");
            return false;
        }
        if (!c.haveBackpack) {
            raiseMessage(g, "You do not have a Backpack",
                         "You must have a Backpack in order to take this item.`");
            return false;
        }
        c.backpackItems.push_back(item);
        return true;
    }
    case ITEM_SPECIAL:
        return takeSpecialItem(g, item);
    case ITEM_THE_BACKPACK:
        if (c.haveBackpack) {
            raiseMessage(g, "You already have a Backpack",
                         "You cannot wear more than one Backpack at a time.`");
            return false;
        }
        c.haveBackpack = true;
        return true;
    case ITEM_THE_BELT_POUCH:
        if (c.haveBeltPouch) {
            raiseMessage(g, "You already have a Belt Pouch",
                         "You cannot wear more than one Belt Pouch at a time.`");
            return false;
        }
        c.haveBeltPouch = true;
        return true;
    default:
        return true;
    }
}

bool canTakeById(GameState& g, const Catalogues& cat, int id) {
    if (!isValidItemId(cat.items, id)) {
        std::string text = "Invalid item ID (" + std::to_string(id) + ") passed in to Inventory Manager.\n";
        fputs(text.c_str(), stdout);
        raiseMessage(g, "Error", text + "``Please contact game author!");
        return false;
    }
    return canTake(g, cat.items[static_cast<size_t>(id)]);
}

bool addCoins(GameState& g, const Catalogues& cat, int amount, int currency, int& excess) {
    Character& c = g.character;
    excess = 0;
    if (amount <= 0) return true;
    int k = coinsPerCrown(currency);
    int worth = beltPouchWorth(c);
    bool toStorage = storageOpen(g, cat);
    std::string title, text;
    if (worth >= BELT_POUCH_LIMIT) {
        excess = amount;
        title = "Your Belt Pouch is full";
        text = "You cannot hold any more money in your Belt Pouch.";
    } else if (!c.haveBeltPouch) {
        excess = amount;
        raiseMessage(g, "You have no Belt Pouch", "You must have a Belt Pouch in order to carry money.");
        return false;
    } else if (amount / k + worth > BELT_POUCH_LIMIT) {
        // Whatever goes beyond the room left, in whole crowns' worth, stays out.
        excess = amount - k * (BELT_POUCH_LIMIT - worth);
        title = "Your Belt Pouch is now full";
        text = "You are unable to take all of the coins.";
        currencyField(c, currency) += amount - excess;
    } else {
        currencyField(c, currency) += amount;
        return true;
    }
    if (toStorage) {
        text += "`(The " + std::to_string(excess) + " excess coins have been added to your storage)";
        storageCurrencyField(c, currency) += excess;
    }
    raiseMessage(g, title, text);
    return false;
}

// ---- Equipping -------------------------------------------------------------

void unequipAllWeapons(Character& c) {
    for (Item& w : c.weapons) w.equipped = false;
    for (Item& s : c.specialItems)
        if (weaponLike(s)) s.equipped = false;
}

int handsNeeded(const Character& c, const Item& weapon) {
    if (!weapon.twoHanded) return 1;
    if (c.onBookSeries == TIER_GRAND_MASTER && hasDiscipline(c, TIER_GRAND_MASTER, DISC_ONE_HAND_MASTERY) &&
        c.grandMasterBooksCompleted > 1)
        return 1;
    return 2;
}

namespace {

// Wields `item` (a weapon or weapon-like Special Item), freeing the hands it
// needs. False (and the refusal) when the disease forbids it.
bool wield(GameState& g, Item& item) {
    Character& c = g.character;
    bool twoHands = handsNeeded(c, item) == 2;
    if (twoHands && std::find(c.disease.begin(), c.disease.end(), DISEASE_LIMBDEATH) != c.disease.end()) {
        raiseMessage(g, CANT_NOW, "While infected with Limbdeath, you are`unable to wield two-handed weapons");
        return false;
    }
    Item* first = nullptr;
    Item* other = nullptr; // a two-handed one, or the second one found
    auto note = [&](Item& it) {
        if (&it == &item || !it.equipped) return;
        if (!first) {
            first = &it;
            if (handsNeeded(c, it) == 2) other = &it;
        } else if (!other) {
            other = &it;
        }
    };
    for (Item& w : c.weapons) note(w);
    for (Item& s : c.specialItems)
        if (weaponLike(s)) note(s);
    if (twoHands || !g.rules.dualWield) {
        // Two hands, or one weapon at a time: whatever is held goes.
        if (first) first->equipped = false;
        if (twoHands && other) other->equipped = false;
    } else if (other) {
        other->equipped = false;
    }
    item.equipped = true;
    return true;
}

} // namespace

bool equipToggle(GameState& g, int list, int index) {
    std::vector<Item>* items = carriedList(g.character, list);
    if (!items || index < 0 || index >= static_cast<int>(items->size())) return false;
    Item& item = (*items)[static_cast<size_t>(index)];
    Character& c = g.character;
    if (g.section.preventEquipping) {
        raiseMessage(g, CANT_NOW, "You are unable to change your equipped weapon at this time");
        return false;
    }
    if (item.equipped) {
        item.equipped = false;
        return true;
    }
    RulesState& s = g.rulesState;
    if (fightRunning(g)) {
        int round = combatRound(g);
        if (s.equipBook == c.onBook && s.equipSection == c.onSection && s.equipRound == round) {
            raiseMessage(g, CANT_NOW, "You can only equip one item per round`while in the middle of combat!");
            return false;
        }
        s.equipBook = c.onBook;
        s.equipSection = c.onSection;
        s.equipRound = round;
        if (item.id == ITEM_ID_SHIELD) {
            // Readied now, held from the next round on.
            s.shieldPendingRound = round;
            if (!s.shieldNoticeShown) {
                s.shieldNoticeShown = true;
                raiseMessage(g, "Notice: Equipping Limit",
                             "You can only equip one item per round`while in the middle of "
                             "combat.``Your Shield will become equipped in the next round.``(This "
                             "message will appear only once per game -`It will not be shown again "
                             "until the next time you play.)");
            }
        }
    }
    if (list == LIST_WEAPONS || weaponLike(item)) return wield(g, item);
    // Worn things: one per armour slot.
    if (isArmourSlot(item.subType))
        for (Item& other : c.specialItems)
            if (&other != &item && other.subType == item.subType) other.equipped = false;
    item.equipped = true;
    return true;
}

// ---- Using items -----------------------------------------------------------

void gainEndurance(Character& c, int amount) {
    if (amount <= 0) return;
    int gained = std::min(amount, std::max(0, c.epMax - c.epCur));
    c.epCur += gained;
    int other = std::max(0, c.epMax - c.epCur + gained - c.damageFromCombat - c.damageFromStarvation);
    int left = gained - std::min(gained, other);
    int fromCombat = std::min(left, c.damageFromCombat);
    c.damageFromCombat -= fromCombat;
    left -= fromCombat;
    c.damageFromStarvation -= std::min(left, c.damageFromStarvation);
}

int loseEndurance(Character& c, int amount, int kind) {
    if (amount <= 0) return 0;
    int lost = std::min(amount, c.epCur);
    c.epCur -= lost;
    if (kind == 1) c.damageFromCombat = std::min(c.epMax, c.damageFromCombat + lost);
    if (kind == 2) c.damageFromStarvation = std::min(c.epMax, c.damageFromStarvation + lost);
    return lost;
}

namespace {

bool hasDisease(const Character& c, int id) {
    return std::find(c.disease.begin(), c.disease.end(), id) != c.disease.end();
}

void cureDisease(Character& c, int id) {
    auto it = std::find(c.disease.begin(), c.disease.end(), id);
    if (it != c.disease.end()) c.disease.erase(it);
}

// One dose of a used item: the item leaves its list when the last is gone.
void consumeOne(Character& c, int list, int index) {
    std::vector<Item>* items = carriedList(c, list);
    if (!items || index < 0 || index >= static_cast<int>(items->size())) return;
    Item& it = (*items)[static_cast<size_t>(index)];
    if (it.uses > 1)
        --it.uses;
    else
        items->erase(items->begin() + index);
}

} // namespace

void eatMeal(GameState& g, const Item& item) {
    Character& c = g.character;
    c.mealsEaten += 1;
    if (g.rules.healWithMeal && c.mealsEaten > g.rulesState.mealsExpected) {
        // An extra Meal heals what hunger took.
        int heal = std::min({3, c.damageFromStarvation, std::max(0, c.epMax - c.epCur)});
        c.epCur += heal;
        c.damageFromStarvation -= heal;
        g.rulesState.mealsExpected = c.mealsEaten;
    }
    if (item.epRestore != 0) gainEndurance(c, item.epRestore);
}

bool usePotion(GameState& g, const Item& item) {
    Character& c = g.character;
    if (item.epRestore != 0) {
        if (curesBacillusNow(c, item)) cureDisease(c, DISEASE_BACILLUS);
        if (item.epRestore > 0)
            gainEndurance(c, item.epRestore);
        else
            loseEndurance(c, -item.epRestore, 0);
        if (item.name.find("Laumspur") != std::string::npos) cureDisease(c, DISEASE_BLOOD_POISONING);
    }
    if (item.csBoost != 0) {
        if (g.combat.usedCsBooster) {
            raiseMessage(g, CANT_USE_NOW, "You can only use one COMBAT SKILL enhancer per combat.");
            return false;
        }
        // The combat record keeps the boost for the rest of the fight.
        g.combat.usedCsBooster = true;
    }
    return true;
}

namespace {

bool noEnduranceLeft(GameState& g) {
    if (g.character.epCur > 0) return false;
    raiseMessage(g, "Cannot use any items", "You have no Endurance Points -`you cannot use any items!");
    return true;
}

// A potion waits for the end of a fight, and for a section that allows it before one.
bool potionRefusedNow(GameState& g) {
    if (fightRunning(g)) {
        raiseMessage(g, CANT_USE_NOW, "You can use this item before or after combat,`but not in the midst of the fight!");
        return true;
    }
    if (!g.combat.started && !g.combat.won && !g.combat.potionsAllowed) {
        raiseMessage(g, CANT_USE_NOW, "You are unable to use this item before combat`in this section.");
        return true;
    }
    return false;
}

} // namespace

bool curesBacillusNow(const Character& c, const Item& item) {
    return (item.id == ITEM_ID_BACILLUS_CURE_A || item.id == ITEM_ID_BACILLUS_CURE_B) &&
           hasDisease(c, DISEASE_BACILLUS);
}

bool cureWithItem(GameState& g, int list, int index) {
    std::vector<Item>* items = carriedList(g.character, list);
    if (!items || index < 0 || index >= static_cast<int>(items->size())) return false;
    const Item item = (*items)[static_cast<size_t>(index)];
    if (!curesBacillusNow(g.character, item)) return false;
    if (noEnduranceLeft(g) || potionRefusedNow(g)) return false;
    // The dose goes on the infection alone: no ENDURANCE, no combat boost.
    cureDisease(g.character, DISEASE_BACILLUS);
    consumeOne(g.character, list, index);
    return true;
}

bool itemHasUse(const Item& item) {
    return item.meal || item.potion || item.archetype.rfind("Map", 0) == 0;
}

bool isFireseedItem(const Item& item) {
    return item.id == ITEM_ID_FIRESEED || item.archetype == "Fireseed";
}

bool useItem(GameState& g, int list, int index) {
    std::vector<Item>* items = carriedList(g.character, list);
    if (!items || index < 0 || index >= static_cast<int>(items->size())) return false;
    Item item = (*items)[static_cast<size_t>(index)];
    Character& c = g.character;
    if (noEnduranceLeft(g)) return false;
    if (item.meal) {
        if (fightRunning(g)) {
            raiseMessage(g, CANT_USE_NOW, "You can eat a meal before or after combat,`but not in the midst of the fight!");
            return false;
        }
        consumeOne(c, list, index);
        eatMeal(g, item);
        return true;
    }
    if (!item.potion) {
        // Maps open their map; other items have no use of their own.
        if (item.archetype.rfind("Map", 0) == 0)
            g.pendingWindowArgs[1] = std::to_string(item.uses);
        return true;
    }
    if (potionRefusedNow(g)) return false;
    if (c.onBook == 6 && c.onSection == 26 && !g.rules.allowAlether && item.csBoost != 0) {
        raiseMessage(g, "Cannot use this Item",
                     "You are unable to use this item because of the current`rules set for the "
                     "Archery Contest in Gameplay Rules.``You can change this rule before the "
                     "combat begins.");
        return false;
    }
    if (!usePotion(g, item)) return false;
    consumeOne(c, list, index);
    return true;
}

// ---- Meals -----------------------------------------------------------------

int huntingTier(const Character& c, int situation) {
    if (situation == 1) return -1;
    bool hunting = hasDiscipline(c, TIER_VAEL, DISC_HUNTING);
    bool huntmastery = hasDiscipline(c, TIER_DRAVIC, DISC_HUNTING);
    bool grand = hasDiscipline(c, TIER_GRAND_MASTER, DISC_HUNTING);
    bool vaelDone = c.vaelBooksCompleted >= 5;
    bool dravicDone = c.dravicBooksCompleted >= 7;
    switch (c.onBookSeries) {
    case TIER_VAEL:
        if (situation == 6 || situation == 7) return -1;
        return hunting && c.onBook != 3 ? TIER_VAEL : -1;
    case TIER_DRAVIC:
        if (situation == 7) return -1;
        if (huntmastery) return TIER_DRAVIC;
        return hunting && vaelDone && situation != 6 ? TIER_VAEL : -1;
    case TIER_GRAND_MASTER:
        if (grand) return TIER_GRAND_MASTER;
        if (situation == 7 || c.gmRerollStats) return -1;
        if (huntmastery && dravicDone) return TIER_DRAVIC;
        return hunting && vaelDone && situation != 6 ? TIER_VAEL : -1;
    default:
        return -1;
    }
}

std::vector<std::string> mealChoiceTexts(const GameState& g, const Catalogues& cat, int situation,
                                         RulesPrompt* build) {
    const Character& c = g.character;
    std::vector<std::string> texts;
    auto add = [&](const std::string& text, MealChoice what, int itemId) {
        texts.push_back(text);
        if (build) {
            build->meals.push_back(what);
            build->mealItems.push_back(itemId);
        }
    };
    int tier = (situation == 2 || situation == 3 || situation == 4 || situation == 5)
                   ? -1
                   : huntingTier(c, situation);
    if (situation == 3)
        add("Eat only the Captain's food - Lose 2 EP", MealChoice::Starve, -1);
    else if (situation == 5)
        add("Eat Nothing - Lose 3 EP", MealChoice::Starve, -1);
    else if (tier >= 0)
        add("Use your " + disciplineInfo(tier, DISC_HUNTING).name + " Discipline to get a Meal",
            MealChoice::Hunt, -1);
    else
        add("Don't Eat - Lose 3 EP", MealChoice::Starve, -1);
    std::vector<int> seen;
    for (const Item& it : c.backpackItems) {
        if (!it.meal || seen.size() >= 10 ||
            std::find(seen.begin(), seen.end(), it.id) != seen.end())
            continue;
        seen.push_back(it.id);
        std::string text = "Eat a " + it.name;
        if (it.epRestore != 0) text += ": +" + std::to_string(it.epRestore) + " EP";
        if (situation == 5) text += " from your Backpack";
        add(text, MealChoice::EatItem, it.id);
    }
    if (situation == 2 && c.goldCrowns >= 1) add("Pay 1 Gold Crown for a Meal", MealChoice::Pay, -1);
    if (situation == 4 && hasDiscipline(c, TIER_VAEL, DISC_HUNTING))
        add("Use your Hunting Discipline to get a Meal", MealChoice::Hunt, -1);
    if (situation == 5 && !hasDiscipline(c, TIER_VAEL, DISC_HUNTING))
        add("Eat the hot Meal on the tray", MealChoice::HotMeal, -1);
    (void)cat;
    return texts;
}

void offerMeal(GameState& g, const Catalogues& cat, int situation) {
    g.rulesState.mealSituation = situation;
    g.rulesState.mealsExpected += 1;
    RulesPrompt built;
    std::vector<std::string> texts = mealChoiceTexts(g, cat, situation, &built);
    RulesPrompt& p = raisePrompt(g, PromptKind::Meal, "Choose from options below", "", texts);
    p.situation = situation;
    p.meals = built.meals;
    p.mealItems = built.mealItems;
}

bool resolveMeal(GameState& g, const RulesPrompt& prompt, int choice) {
    if (choice < 0 || choice >= static_cast<int>(prompt.meals.size())) return false;
    Character& c = g.character;
    switch (prompt.meals[static_cast<size_t>(choice)]) {
    case MealChoice::Starve: {
        int cost = prompt.situation == 3 ? 2 : 3;
        // Hunger counts in full even when less was left to lose.
        loseEndurance(c, cost, 0);
        c.damageFromStarvation += cost;
        c.mealsEaten += 1;
        return true;
    }
    case MealChoice::Hunt:
    case MealChoice::HotMeal:
        c.mealsEaten += 1;
        return true;
    case MealChoice::Pay:
        if (c.goldCrowns < 1) return false;
        c.goldCrowns -= 1;
        c.mealsEaten += 1;
        return true;
    case MealChoice::EatItem: {
        int id = prompt.mealItems[static_cast<size_t>(choice)];
        for (size_t i = 0; i < c.backpackItems.size(); ++i) {
            if (c.backpackItems[i].id != id) continue;
            Item eaten = c.backpackItems[i];
            consumeOne(c, LIST_BACKPACK, static_cast<int>(i));
            eatMeal(g, eaten);
            return true;
        }
        return false; // the Meal was eaten or dropped meanwhile
    }
    }
    return false;
}

// ---- Removing, storage, lost items -----------------------------------------

int itemEnduranceShare(const Item& item, int armorRules) {
    if (item.type != ITEM_SPECIAL) return 0;
    return itemEpShare(bonusBlock(item, armorRules).epBonus, armorRules);
}

void itemEnduranceGained(Character& c, const Item& item, int armorRules) {
    int share = itemEnduranceShare(item, armorRules);
    if (share <= 0) return;
    c.epMax += share;
    c.epCur += share;
}

void itemEnduranceLost(Character& c, const Item& item, int armorRules) {
    int share = itemEnduranceShare(item, armorRules);
    if (share <= 0) return;
    c.epMax = std::max(0, c.epMax - share);
    c.epCur = std::min(c.epCur, c.epMax);
}

bool removeItemAt(GameState& g, int list, int index) {
    std::vector<Item>* items = carriedList(g.character, list);
    if (!items || index < 0 || index >= static_cast<int>(items->size())) return false;
    Item gone = (*items)[static_cast<size_t>(index)];
    items->erase(items->begin() + index);
    itemEnduranceLost(g.character, gone, g.rules.armorRules);
    return true;
}

bool discardItem(GameState& g, int list, int index) {
    Character& c = g.character;
    std::vector<Item>* items = carriedList(c, list);
    if (!items || index < 0 || index >= static_cast<int>(items->size())) return false;
    Item& it = (*items)[static_cast<size_t>(index)];
    if ((list == LIST_WEAPONS || weaponLike(it)) && g.section.preventEquipping) {
        raiseMessage(g, CANT_NOW, "You are unable to drop a weapon directly`from the Action Chart at this time");
        return false;
    }
    // Quivers lose their arrows one by one, then themselves; Fireseeds go singly.
    if ((it.archetype == "Quiver" && it.uses > 0) || (isFireseedItem(it) && it.uses > 1)) {
        --it.uses;
        if (it.archetype == "Quiver" && it.uses == 0) it.zejarDulaga = false;
    } else {
        removeItemAt(g, list, index);
    }
    if (list == LIST_WEAPONS)
        ++c.weaponDiscards;
    else if (list == LIST_BACKPACK)
        ++c.backpackDiscards;
    else
        ++c.specialItemDiscards;
    return true;
}

bool depositItem(GameState& g, int list, int index) {
    Character& c = g.character;
    std::vector<Item>* items = carriedList(c, list);
    if (!items || index < 0 || index >= static_cast<int>(items->size())) return false;
    Item it = (*items)[static_cast<size_t>(index)];
    it.equipped = false;
    removeItemAt(g, list, index);
    c.storageItems.push_back(it);
    return true;
}

namespace {

// Takes an item out of a pool (storage or lost) if the hero can carry it.
bool takeFromPool(GameState& g, std::vector<Item>& pool, int index) {
    if (index < 0 || index >= static_cast<int>(pool.size())) return false;
    Item it = pool[static_cast<size_t>(index)];
    it.equipped = false;
    if (!canTake(g, it)) return false;
    pool.erase(pool.begin() + index);
    return true;
}

} // namespace

bool withdrawItem(GameState& g, int index) {
    return takeFromPool(g, g.character.storageItems, index);
}

bool reclaimItem(GameState& g, int index) {
    g.character.reclaiming = true;
    bool ok = takeFromPool(g, g.character.lostItems, index);
    g.character.reclaiming = false;
    return ok;
}

int moveCoins(GameState& g, const Catalogues& cat, CoinMove move, int currency, int amount) {
    Character& c = g.character;
    if (amount <= 0 || currency < 0 || currency > 2) return 0;
    int& pouch = currencyField(c, currency);
    switch (move) {
    case CoinMove::Deposit: {
        int n = std::min(amount, pouch);
        pouch -= n;
        storageCurrencyField(c, currency) += n;
        return n;
    }
    case CoinMove::Discard: {
        int n = std::min(amount, pouch);
        pouch -= n;
        return n;
    }
    case CoinMove::Withdraw:
    case CoinMove::Reclaim: {
        int& pool = move == CoinMove::Withdraw ? storageCurrencyField(c, currency)
                                               : lostCurrencyField(c, currency);
        int n = std::min(amount, pool);
        int excess = 0;
        // Coins that do not fit stay where they were, not in storage.
        Character before = c;
        addCoins(g, cat, n, currency, excess);
        if (excess > 0 && storageCurrencyField(c, currency) != storageCurrencyField(before, currency))
            storageCurrencyField(c, currency) = storageCurrencyField(before, currency);
        pool -= n - excess;
        return n - excess;
    }
    }
    return 0;
}

void loseAllCoins(Character& c) {
    c.lostCrowns += c.goldCrowns;
    c.lostLune += c.lune;
    c.lostKika += c.kika;
    c.goldCrowns = c.lune = c.kika = 0;
}

// ---- Questions -------------------------------------------------------------

void askCoinAmount(GameState& g, CoinMove move, int currency) {
    if (currency < 0 || currency > 2) return;
    const char* verb = move == CoinMove::Deposit    ? "deposit"
                       : move == CoinMove::Withdraw ? "withdraw"
                       : move == CoinMove::Reclaim  ? "reclaim"
                                                    : "discard";
    RulesPrompt& p = raisePrompt(g, PromptKind::CoinAmount,
                                 "How many " + currencyName(currency) + " to " + verb + "?", "",
                                 {"OK", "Cancel"}, true);
    p.move = move;
    p.currency = currency;
}

namespace {

std::string labelOf(const GameState& g, const Item& it) {
    std::string label = itemLabel(it, g.rules.weaponRules, g.rules.armorRules, g.rules.limitSi, g.character.onBook);
    if (it.dessiStone) label += " w/ Dessi Stone";
    return label;
}

void askFromPool(GameState& g, PromptKind kind, const std::string& title, const std::vector<Item>& pool) {
    std::vector<std::string> captions;
    std::vector<ItemPlace> places;
    for (size_t i = 0; i < pool.size(); ++i) {
        captions.push_back(labelOf(g, pool[i]));
        places.push_back({0, static_cast<int>(i)});
    }
    captions.push_back("Cancel");
    RulesPrompt& p = raisePrompt(g, kind, title, "", captions);
    p.places = places;
}

// Asks which carried item (among those `fits` accepts) the question is about.
template <typename Fits>
void askCarried(GameState& g, PromptKind kind, const std::string& title, Fits fits, int price = 0) {
    std::vector<std::string> captions;
    std::vector<ItemPlace> places;
    for (int l = LIST_WEAPONS; l <= LIST_SPECIAL; ++l) {
        const std::vector<Item>& items = *carriedList(g.character, l);
        for (size_t i = 0; i < items.size(); ++i)
            if (fits(l, items[i])) {
                captions.push_back(labelOf(g, items[i]));
                places.push_back({l, static_cast<int>(i)});
            }
    }
    captions.push_back("Cancel");
    RulesPrompt& p = raisePrompt(g, kind, title, "", captions);
    p.places = places;
    p.price = price;
}

const char* const DISCARD_NOUNS[] = {"Weapon", "Backpack Item", "Special Item", "equipped Weapon",
                                     "Potion", "Restorative",   "Item",         "Herb"};

} // namespace

void askWithdraw(GameState& g) {
    askFromPool(g, PromptKind::Withdraw, "Choose an Item to Withdraw", g.character.storageItems);
}

void askReclaim(GameState& g) {
    askFromPool(g, PromptKind::Reclaim, "Choose an Item to Reclaim", g.character.lostItems);
}

void askDeposit(GameState& g) {
    askCarried(g, PromptKind::Deposit, "Choose an Item to Deposit", [](int, const Item&) { return true; });
}

std::string sellTitle(int weaponClass) {
    if (weaponClass >= 0 && weaponClass < WEAPON_TYPE_COUNT)
        return "Select which " + weaponName(weaponClass) + " to sell";
    return weaponClass == -2 ? "Select which Weapon to sell" : "Select which Item to sell";
}

void askSell(GameState& g, int weaponClass, int price) {
    askCarried(
        g, PromptKind::Sell, sellTitle(weaponClass),
        [weaponClass](int list, const Item& it) {
            bool weapon = list == LIST_WEAPONS || weaponLike(it);
            if (weaponClass == -1) return true;
            if (weaponClass == -2) return weapon;
            return weapon && it.weaponType == weaponClass;
        },
        price);
}

std::string discardTitle(int kind) {
    if (kind < 0 || kind >= 8) kind = 6;
    return std::string("Select which ") + DISCARD_NOUNS[kind] + " to discard";
}

void askDiscard(GameState& g, int kind) {
    if (kind < 0 || kind >= 8) kind = 6;
    askCarried(g, PromptKind::Discard, discardTitle(kind), [kind](int list, const Item& it) {
        switch (kind) {
        case 0:
            return list == LIST_WEAPONS;
        case 1:
            return list == LIST_BACKPACK;
        case 2:
            return list == LIST_SPECIAL;
        case 3:
            return (list == LIST_WEAPONS || weaponLike(it)) && it.equipped;
        case 4:
            return it.potion;
        case 5:
            return it.potion && it.epRestore > 0;
        case 7:
            return it.potion && it.name.find("Laumspur") != std::string::npos;
        default:
            return true;
        }
    });
}

void setDessiStone(GameState& g) {
    askCarried(g, PromptKind::DessiStone, "Select a Weapon for Dessi Stone", [](int list, const Item& it) {
        if (it.weaponType == WEAPON_BOW) return false;
        if (list == LIST_WEAPONS) return true;
        return weaponLike(it) && it.id != ITEM_ID_SUNBLADE;
    });
}

void askLowerBaseScore(GameState& g, int kind) {
    if (!canLowerBaseScore(g.character, kind)) return;
    RulesPrompt& p = raisePrompt(g, PromptKind::LowerScore, lowerBaseScorePrompt(kind), "",
                                 {"OK", "Cancel"}, true);
    p.currency = kind;
}

void askNote(GameState& g) {
    raisePrompt(g, PromptKind::Note, "Enter your new note", "", {"OK", "Cancel"}, true);
    // The same two buttons as a number, but a line of text is typed.
    if (!g.messages.pending.empty() && g.messages.pending.back().title == "Enter your new note") {
        g.messages.pending.back().numberEntry = false;
        g.messages.pending.back().textEntry = true;
    }
}

bool answerPromptText(GameState& g, int replyId, const std::string& text) {
    const RulesPrompt* found = findPrompt(g, replyId);
    if (!found || found->kind != PromptKind::Note) return false;
    int serial = found->serial;
    auto& open = g.rulesState.prompts;
    open.erase(std::remove_if(open.begin(), open.end(), [&](const RulesPrompt& q) { return q.serial == serial; }),
               open.end());
    if (replyId % PROMPT_REPLY_STRIDE == 0 && !text.empty()) g.character.notes.push_back(text);
    return true;
}

const RulesPrompt* findPrompt(const GameState& g, int replyId) {
    if (replyId < 0) return nullptr;
    int serial = replyId / PROMPT_REPLY_STRIDE;
    for (const RulesPrompt& p : g.rulesState.prompts)
        if (p.serial == serial) return &p;
    return nullptr;
}

bool answerPrompt(GameState& g, const Catalogues& cat, int replyId, int number) {
    const RulesPrompt* found = findPrompt(g, replyId);
    if (!found) return false;
    RulesPrompt p = *found; // the answer may raise further questions
    auto& open = g.rulesState.prompts;
    open.erase(std::remove_if(open.begin(), open.end(), [&](const RulesPrompt& q) { return q.serial == p.serial; }),
               open.end());
    int choice = replyId % PROMPT_REPLY_STRIDE;
    auto pick = [&](ItemPlace& out) {
        if (choice < 0 || choice >= static_cast<int>(p.places.size())) return false; // Cancel
        out = p.places[static_cast<size_t>(choice)];
        return true;
    };
    ItemPlace at;
    switch (p.kind) {
    case PromptKind::Meal:
        return resolveMeal(g, p, choice);
    case PromptKind::CoinAmount:
        if (choice != 0) return true; // Cancel
        moveCoins(g, cat, p.move, p.currency, number);
        return true;
    case PromptKind::Withdraw:
        return pick(at) ? withdrawItem(g, at.index) : true;
    case PromptKind::Reclaim:
        return pick(at) ? reclaimItem(g, at.index) : true;
    case PromptKind::Deposit:
        return pick(at) ? depositItem(g, at.list, at.index) : true;
    case PromptKind::Discard:
        if (!pick(at)) return true;
        return discardItem(g, at.list, at.index);
    case PromptKind::Sell: {
        if (!pick(at)) return true;
        if (!removeItemAt(g, at.list, at.index)) return false;
        int excess = 0;
        addCoins(g, cat, p.price, CURRENCY_CROWNS, excess);
        return true;
    }
    case PromptKind::DessiStone: {
        if (!pick(at)) return true;
        std::vector<Item>* items = carriedList(g.character, at.list);
        if (!items || at.index >= static_cast<int>(items->size())) return false;
        (*items)[static_cast<size_t>(at.index)].dessiStone = true;
        return true;
    }
    case PromptKind::LowerScore:
        if (choice == 0) lowerBaseScore(g.character, p.currency, number);
        return true;
    case PromptKind::Notice:
    case PromptKind::Note: // answered with its text
        return true;
    }
    return false;
}
