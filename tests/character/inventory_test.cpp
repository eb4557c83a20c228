#include "app/game_state.h"
#include "character/character.h"
#include "character/inventory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Item makeItem(int id, const std::string& name, int type) {
    Item it;
    it.id = id;
    it.name = name;
    it.type = type;
    return it;
}

Item weapon(int id, const std::string& name, bool twoHanded = false) {
    Item it = makeItem(id, name, ITEM_WEAPON);
    it.equipable = true;
    it.twoHanded = twoHanded;
    return it;
}

Item meal(int id, const std::string& name, int ep = 0) {
    Item it = makeItem(id, name, ITEM_BACKPACK);
    it.meal = true;
    it.usable = true;
    it.epRestore = ep;
    return it;
}

struct InventoryTest : ::testing::Test {
    GameState g;
    Catalogues cat;
    void SetUp() override {
        g.character.epMax = 25;
        g.character.epCur = 25;
        cat.books.resize(20);
        for (int i = 0; i < 20; ++i) cat.books[i].number = i + 1;
        cat.books[4].storageAccess = 1; // book 5
        for (int i = 0; i < 250; ++i) cat.items.push_back(makeItem(i, "Thing", ITEM_BACKPACK));
    }
    const MessageRequest& lastMessage() { return g.messages.pending.back(); }
    // The only message raised since the queue was last cleared.
    void expectOneMessage(const std::string& title, const std::string& text) {
        ASSERT_EQ(g.messages.pending.size(), 1u);
        EXPECT_EQ(g.messages.pending.front().title, title);
        EXPECT_EQ(g.messages.pending.front().text, text);
        g.messages.pending.clear();
    }
    int reply(int choice) {
        const MessageRequest& m = g.messages.pending.back();
        if (m.choiceIds.empty()) return choice == 0 ? m.id1 : m.id2;
        return m.choiceIds.at(static_cast<size_t>(choice));
    }
};

} // namespace

TEST_F(InventoryTest, ThirdWeaponIsRefusedAndNothingChanges) {
    EXPECT_TRUE(canTake(g, weapon(0, "Dagger")));
    EXPECT_TRUE(canTake(g, weapon(7, "Sword")));
    Character before = g.character;
    EXPECT_FALSE(canTake(g, weapon(6, "Axe")));
    expectOneMessage("You already have two Weapons",
                     "You cannot possess more than two Weapons at one time.`(This does not apply to "
                     "Weapon-like Special Items.)``Discard a Weapon to pick this up");
    EXPECT_EQ(g.character.weapons.size(), before.weapons.size());
    // Weapon-like Special Items do not count toward the two.
    Item staff = makeItem(30, "Staff", ITEM_SPECIAL);
    staff.subType = SUB_WEAPON_LIKE;
    EXPECT_TRUE(canTake(g, staff));
}

TEST_F(InventoryTest, BackpackRoomAndOwnership) {
    Item rope = makeItem(40, "Rope", ITEM_BACKPACK);
    rope.spaceTaken = 3;
    EXPECT_TRUE(canTake(g, rope));
    EXPECT_TRUE(canTake(g, rope));
    EXPECT_FALSE(canTake(g, rope)); // 9 > 8
    expectOneMessage("Your Backpack is too full``Discard an item to pick this up",
                     "You do not have enough room in your Backpack.`(You can carry a maximum of 8 articles)");
    g.character.onBookSeries = TIER_GRAND_MASTER; // room for 10 in the third tier
    Item small = rope;
    small.spaceTaken = 4;
    EXPECT_TRUE(canTake(g, small));
    EXPECT_EQ(backpackSpaceUsed(g.character), 10);

    g.character.backpackItems.clear();
    g.character.haveBackpack = false;
    EXPECT_FALSE(canTake(g, rope));
    expectOneMessage("You do not have a Backpack", "You must have a Backpack in order to take this item.`");
    EXPECT_TRUE(canTake(g, makeItem(50, "Backpack", ITEM_THE_BACKPACK)));
    EXPECT_TRUE(g.character.haveBackpack);
    EXPECT_FALSE(canTake(g, makeItem(50, "Backpack", ITEM_THE_BACKPACK)));
    expectOneMessage("You already have a Backpack", "You cannot wear more than one Backpack at a time.`");
    EXPECT_FALSE(canTake(g, makeItem(51, "Belt Pouch", ITEM_THE_BELT_POUCH)));
    expectOneMessage("You already have a Belt Pouch", "You cannot wear more than one Belt Pouch at a time.`");
}

TEST_F(InventoryTest, SpecialItemLimitByBookAndRule) {
    Item heavy = makeItem(60, "Brass Idol", ITEM_SPECIAL);
    heavy.spaceTaken = 6;
    g.character.specialItems = {heavy, heavy};
    g.character.onBook = 8; // by the book: no limit before book 9
    EXPECT_TRUE(canTake(g, heavy));
    g.character.onBook = 9; // 18 counted from book 8: a weightless one still fits
    Item feather = makeItem(61, "Feather", ITEM_SPECIAL);
    feather.spaceTaken = 0;
    EXPECT_TRUE(canTake(g, feather));
    g.character.specialItems.resize(2);
    EXPECT_FALSE(canTake(g, heavy));
    expectOneMessage("You do not have room",
                     "You cannot carry more than 12 Special Items at once.`(Certain Special Items do "
                     "not count toward this limit.)``Discard an Item to pick this up");
    EXPECT_TRUE(canTake(g, feather)); // takes no space: always welcome
    g.rules.limitSi = 2;
    EXPECT_TRUE(canTake(g, heavy));
    g.rules.limitSi = 1;
    g.character.onBook = 2;
    EXPECT_FALSE(canTake(g, heavy));
}

TEST_F(InventoryTest, ArmourSlotsShieldsAndFireseeds) {
    Item helm = makeItem(76, "Silver Helmet", ITEM_SPECIAL);
    helm.subType = SUB_ARMOR_HEAD;
    Item helm2 = helm;
    helm2.id = 77;
    ASSERT_TRUE(canTake(g, helm));
    EXPECT_FALSE(canTake(g, helm2));
    expectOneMessage("Cannot wear this item", "You already have on armor of this type.``Discard Armor to pick this up");
    Item shield = makeItem(36, "Shield", ITEM_SPECIAL);
    shield.archetype = "Shield";
    ASSERT_TRUE(canTake(g, shield));
    EXPECT_FALSE(canTake(g, shield));
    expectOneMessage("Cannot take another Shield", "You may only carry one Shield at a time");
    Item seeds = makeItem(140, "Fireseed", ITEM_SPECIAL);
    seeds.archetype = "Fireseed";
    seeds.uses = 2;
    ASSERT_TRUE(canTake(g, seeds));
    seeds.uses = 3;
    ASSERT_TRUE(canTake(g, seeds));
    ASSERT_EQ(g.character.specialItems.size(), 3u);
    EXPECT_EQ(g.character.specialItems[2].uses, 5);
}

TEST_F(InventoryTest, ArrowsGoIntoTheFullestQuiverWithRoom) {
    Item arrow = makeItem(117, "Arrow", ITEM_SPECIAL);
    arrow.archetype = "Arrow";
    EXPECT_FALSE(canTake(g, arrow));
    expectOneMessage("Cannot Take Any Arrow(s)", "You do not have a quiver in which to keep arrows");
    Item quiver = makeItem(100, "Quiver", ITEM_SPECIAL);
    quiver.archetype = "Quiver";
    quiver.spaceTaken = 0;
    quiver.uses = 6;
    g.character.specialItems = {quiver, quiver, quiver};
    g.character.specialItems[1].uses = 2;
    g.character.specialItems[2].uses = 4;
    EXPECT_TRUE(canTake(g, arrow));
    EXPECT_EQ(g.character.specialItems[2].uses, 5);
    EXPECT_EQ(g.character.specialItems[1].uses, 2);
    Item zejar = arrow;
    zejar.id = ITEM_ID_ZEJAR_DULAGA;
    EXPECT_TRUE(canTake(g, zejar));
    EXPECT_TRUE(g.character.specialItems[2].zejarDulaga);
    g.character.specialItems[1].uses = 6;
    EXPECT_FALSE(canTake(g, zejar));
    expectOneMessage("Cannot Take Zejar-dulaga", "You have no more room in your quiver(s)");
    EXPECT_FALSE(canTake(g, arrow));
    expectOneMessage("Cannot Take All Arrow(s)", "You have no more room in your quiver(s)");
}

TEST_F(InventoryTest, InvalidItemIdIsRefused) {
    EXPECT_FALSE(canTakeById(g, cat, 9999));
    EXPECT_EQ(lastMessage().title, "Error");
    EXPECT_EQ(lastMessage().text, "Invalid item ID (9999) passed in to Inventory Manager.\n``Please contact game author!");
    EXPECT_FALSE(canTakeById(g, cat, -1));
    EXPECT_TRUE(g.character.backpackItems.empty());
    EXPECT_TRUE(canTakeById(g, cat, 5));
    EXPECT_EQ(g.character.backpackItems.size(), 1u);
}

TEST_F(InventoryTest, CoinsUpToTheBeltPouchLimit) {
    Character& c = g.character;
    int excess = -1;
    c.goldCrowns = 40;
    c.lune = 20;
    c.kika = 50; // exactly 50 crowns' worth
    EXPECT_FALSE(addCoins(g, cat, 1, CURRENCY_KIKA, excess));
    EXPECT_EQ(excess, 1);
    EXPECT_EQ(c.kika, 50);
    expectOneMessage("Your Belt Pouch is full", "You cannot hold any more money in your Belt Pouch.");

    c.goldCrowns = 45;
    c.lune = 0;
    c.kika = 0;
    EXPECT_FALSE(addCoins(g, cat, 30, CURRENCY_LUNE, excess));
    EXPECT_EQ(excess, 10);
    EXPECT_EQ(c.lune, 20);
    expectOneMessage("Your Belt Pouch is now full", "You are unable to take all of the coins.");

    c.goldCrowns = 10;
    EXPECT_TRUE(addCoins(g, cat, 12, CURRENCY_CROWNS, excess));
    EXPECT_EQ(excess, 0);
    EXPECT_EQ(c.goldCrowns, 22);
    EXPECT_TRUE(g.messages.pending.empty());

    c.haveBeltPouch = false;
    EXPECT_FALSE(addCoins(g, cat, 3, CURRENCY_CROWNS, excess));
    EXPECT_EQ(excess, 3);
    EXPECT_EQ(c.goldCrowns, 22);
    expectOneMessage("You have no Belt Pouch", "You must have a Belt Pouch in order to carry money.");
}

TEST_F(InventoryTest, ExcessCoinsGoToStorageBeforeTheOpeningSection) {
    Character& c = g.character;
    int excess = 0;
    c.onBook = 5;
    c.goldCrowns = 48;
    EXPECT_FALSE(addCoins(g, cat, 5, CURRENCY_CROWNS, excess));
    EXPECT_EQ(c.goldCrowns, 50);
    EXPECT_EQ(c.storageCrowns, 3);
    expectOneMessage("Your Belt Pouch is now full",
                     "You are unable to take all of the coins.`(The 3 excess coins have been added to your storage)");
    // Book 1 never has storage; after the opening section it is closed anyway.
    c.onBook = 1;
    EXPECT_FALSE(addCoins(g, cat, 5, CURRENCY_CROWNS, excess));
    EXPECT_EQ(c.storageCrowns, 3);
    g.messages.pending.clear();
    c.onBook = 5;
    c.completedOpeningSection = true;
    EXPECT_FALSE(addCoins(g, cat, 5, CURRENCY_CROWNS, excess));
    EXPECT_EQ(c.storageCrowns, 3);
}

TEST_F(InventoryTest, WieldRule) {
    Character& c = g.character;
    c.weapons = {weapon(7, "Sword"), weapon(0, "Dagger")};
    ASSERT_TRUE(equipToggle(g, LIST_WEAPONS, 0));
    ASSERT_TRUE(equipToggle(g, LIST_WEAPONS, 1)); // one at a time: the Sword goes
    EXPECT_FALSE(c.weapons[0].equipped);
    EXPECT_TRUE(c.weapons[1].equipped);
    g.rules.dualWield = 1;
    ASSERT_TRUE(equipToggle(g, LIST_WEAPONS, 0)); // one in each hand
    EXPECT_TRUE(c.weapons[0].equipped);
    EXPECT_TRUE(c.weapons[1].equipped);
    ASSERT_TRUE(equipToggle(g, LIST_WEAPONS, 0)); // equipped: simply taken off
    EXPECT_FALSE(c.weapons[0].equipped);

    c.weapons[0].equipped = true;
    c.weapons.push_back(weapon(9, "Broadsword", true));
    c.weapons.erase(c.weapons.begin() + 1); // Sword (equipped), Broadsword
    c.specialItems = {makeItem(30, "Staff", ITEM_SPECIAL)};
    c.specialItems[0].subType = SUB_WEAPON_LIKE;
    c.specialItems[0].equipped = true;
    ASSERT_TRUE(equipToggle(g, LIST_WEAPONS, 1)); // a two-handed weapon frees both hands
    EXPECT_FALSE(c.weapons[0].equipped);
    EXPECT_FALSE(c.specialItems[0].equipped);
    EXPECT_TRUE(c.weapons[1].equipped);

    c.weapons[1].equipped = false;
    c.disease = {DISEASE_LIMBDEATH};
    EXPECT_FALSE(equipToggle(g, LIST_WEAPONS, 1));
    expectOneMessage("Can't do that right now", "While infected with Limbdeath, you are`unable to wield two-handed weapons");
    EXPECT_FALSE(c.weapons[1].equipped);

    g.section.preventEquipping = true;
    EXPECT_FALSE(equipToggle(g, LIST_WEAPONS, 0));
    expectOneMessage("Can't do that right now", "You are unable to change your equipped weapon at this time");
    EXPECT_FALSE(discardItem(g, LIST_WEAPONS, 0));
    expectOneMessage("Can't do that right now", "You are unable to drop a weapon directly`from the Action Chart at this time");
    EXPECT_EQ(c.weapons.size(), 2u);

    unequipAllWeapons(c);
    c.specialItems[0].equipped = true;
    unequipAllWeapons(c);
    EXPECT_FALSE(c.specialItems[0].equipped);
}

TEST_F(InventoryTest, OneEquipPerCombatRound) {
    Character& c = g.character;
    c.weapons = {weapon(7, "Sword"), weapon(0, "Dagger")};
    Item shield = makeItem(ITEM_ID_SHIELD, "Shield", ITEM_SPECIAL);
    shield.archetype = "Shield";
    shield.equipable = true;
    c.specialItems = {shield};
    g.combat.started = true;
    g.combat.roundsFinished = 2;
    ASSERT_TRUE(equipToggle(g, LIST_WEAPONS, 0));
    EXPECT_FALSE(equipToggle(g, LIST_WEAPONS, 1));
    expectOneMessage("Can't do that right now", "You can only equip one item per round`while in the middle of combat!");
    EXPECT_TRUE(c.weapons[0].equipped);
    g.combat.roundsFinished = 3;
    ASSERT_TRUE(equipToggle(g, LIST_SPECIAL, 0));
    ASSERT_EQ(g.messages.pending.size(), 1u);
    EXPECT_EQ(g.messages.pending.front().title, "Notice: Equipping Limit");
    EXPECT_EQ(g.rulesState.shieldPendingRound, 3);
    g.messages.pending.clear();
    c.specialItems[0].equipped = false;
    g.combat.roundsFinished = 4;
    ASSERT_TRUE(equipToggle(g, LIST_SPECIAL, 0));
    EXPECT_TRUE(g.messages.pending.empty()); // the notice shows once per run
}

TEST_F(InventoryTest, UsingItems) {
    Character& c = g.character;
    Item potion = makeItem(15, "Potion of Laumspur", ITEM_BACKPACK);
    potion.potion = true;
    potion.epRestore = 4;
    potion.uses = 2;
    c.backpackItems = {potion};
    c.epCur = 10;
    c.damageFromCombat = 15;
    c.disease = {DISEASE_BLOOD_POISONING};
    ASSERT_TRUE(useItem(g, LIST_BACKPACK, 0));
    EXPECT_EQ(c.epCur, 14);
    EXPECT_EQ(c.damageFromCombat, 11);
    EXPECT_TRUE(c.disease.empty());
    ASSERT_EQ(c.backpackItems.size(), 1u);
    EXPECT_EQ(c.backpackItems[0].uses, 1);

    g.combat.started = true;
    EXPECT_FALSE(useItem(g, LIST_BACKPACK, 0));
    expectOneMessage("Cannot use this Item right now", "You can use this item before or after combat,`but not in the midst of the fight!");
    g.combat.won = true;
    ASSERT_TRUE(useItem(g, LIST_BACKPACK, 0));
    EXPECT_TRUE(c.backpackItems.empty());

    c.backpackItems = {meal(11, "Meal")};
    c.epCur = 0;
    EXPECT_FALSE(useItem(g, LIST_BACKPACK, 0));
    expectOneMessage("Cannot use any items", "You have no Endurance Points -`you cannot use any items!");
    c.epCur = 5;
    g.combat.won = false;
    EXPECT_FALSE(useItem(g, LIST_BACKPACK, 0));
    expectOneMessage("Cannot use this Item right now", "You can eat a meal before or after combat,`but not in the midst of the fight!");
    g.combat = CombatRecord();
    g.combat.potionsAllowed = false;
    Item alether = makeItem(26, "Potion of Alether", ITEM_BACKPACK);
    alether.potion = true;
    alether.csBoost = 2;
    c.backpackItems.push_back(alether);
    EXPECT_FALSE(useItem(g, LIST_BACKPACK, 1));
    expectOneMessage("Cannot use this Item right now", "You are unable to use this item before combat`in this section.");
    g.combat.potionsAllowed = true;
    ASSERT_TRUE(useItem(g, LIST_BACKPACK, 1));
    c.backpackItems.push_back(alether);
    EXPECT_FALSE(useItem(g, LIST_BACKPACK, 1));
    expectOneMessage("Cannot use this Item right now", "You can only use one COMBAT SKILL enhancer per combat.");
    EXPECT_EQ(c.backpackItems.size(), 2u);
    ASSERT_TRUE(useItem(g, LIST_BACKPACK, 0)); // the Meal: eaten
    EXPECT_EQ(c.mealsEaten, 1);
}

TEST_F(InventoryTest, MealChoicesBySituation) {
    Character& c = g.character;
    c.backpackItems = {meal(11, "Meal"), meal(11, "Meal"), meal(51, "Honeycake", 2)};
    auto texts = mealChoiceTexts(g, cat, 0, nullptr);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "Don't Eat - Lose 3 EP");
    EXPECT_EQ(texts[1], "Eat a Meal");
    EXPECT_EQ(texts[2], "Eat a Honeycake: +2 EP");
    learnDiscipline(c, TIER_VAEL, DISC_HUNTING);
    EXPECT_EQ(mealChoiceTexts(g, cat, 0, nullptr)[0], "Use your Hunting Discipline to get a Meal");
    EXPECT_EQ(mealChoiceTexts(g, cat, 1, nullptr)[0], "Don't Eat - Lose 3 EP");
    EXPECT_EQ(mealChoiceTexts(g, cat, 3, nullptr)[0], "Eat only the Captain's food - Lose 2 EP");
    auto tray = mealChoiceTexts(g, cat, 5, nullptr);
    EXPECT_EQ(tray[0], "Eat Nothing - Lose 3 EP");
    EXPECT_EQ(tray[1], "Eat a Meal from your Backpack");
    EXPECT_EQ(tray.size(), 3u); // Hunting known: no tray
    auto four = mealChoiceTexts(g, cat, 4, nullptr);
    EXPECT_EQ(four.front(), "Don't Eat - Lose 3 EP");
    EXPECT_EQ(four.back(), "Use your Hunting Discipline to get a Meal");
    c.onBook = 3; // Hunting never feeds the hero in book 3
    EXPECT_EQ(mealChoiceTexts(g, cat, 0, nullptr)[0], "Don't Eat - Lose 3 EP");
    c.goldCrowns = 1;
    EXPECT_EQ(mealChoiceTexts(g, cat, 2, nullptr).back(), "Pay 1 Gold Crown for a Meal");
    forgetDiscipline(c, TIER_VAEL, DISC_HUNTING);
    EXPECT_EQ(mealChoiceTexts(g, cat, 5, nullptr).back(), "Eat the hot Meal on the tray");

    // Later tiers: Huntmastery, or Hunting once the first series is done.
    c.onBook = 7;
    c.onBookSeries = TIER_DRAVIC;
    learnDiscipline(c, TIER_VAEL, DISC_HUNTING);
    EXPECT_EQ(huntingTier(c, 0), -1);
    c.vaelBooksCompleted = 5;
    EXPECT_EQ(huntingTier(c, 0), TIER_VAEL);
    EXPECT_EQ(huntingTier(c, 6), -1);
    learnDiscipline(c, TIER_DRAVIC, DISC_HUNTING);
    EXPECT_EQ(mealChoiceTexts(g, cat, 6, nullptr)[0], "Use your Huntmastery Discipline to get a Meal");
    EXPECT_EQ(huntingTier(c, 7), -1);
    c.onBookSeries = TIER_GRAND_MASTER;
    c.dravicBooksCompleted = 7;
    EXPECT_EQ(huntingTier(c, 0), TIER_DRAVIC);
    c.gmRerollStats = true;
    EXPECT_EQ(huntingTier(c, 0), -1);
    learnDiscipline(c, TIER_GRAND_MASTER, DISC_HUNTING);
    EXPECT_EQ(huntingTier(c, 7), TIER_GRAND_MASTER);
    EXPECT_EQ(huntingTier(c, 1), -1);
}

TEST_F(InventoryTest, MealQuestionAndAnswers) {
    Character& c = g.character;
    c.epCur = 2;
    c.backpackItems = {meal(11, "Meal")};
    offerMeal(g, cat, 0);
    ASSERT_EQ(g.messages.pending.size(), 1u);
    EXPECT_EQ(lastMessage().choices.size(), 2u);
    ASSERT_TRUE(answerPrompt(g, cat, reply(0))); // go without at 2 EP
    EXPECT_EQ(c.epCur, 0);
    EXPECT_EQ(c.damageFromStarvation, 3);
    EXPECT_EQ(c.mealsEaten, 1);
    EXPECT_EQ(c.backpackItems.size(), 1u);
    EXPECT_FALSE(answerPrompt(g, cat, reply(0))); // answered already

    c.epCur = 10;
    offerMeal(g, cat, 0);
    ASSERT_TRUE(answerPrompt(g, cat, reply(1)));
    EXPECT_TRUE(c.backpackItems.empty());
    EXPECT_EQ(c.mealsEaten, 2);
    EXPECT_EQ(c.epCur, 10);

    c.goldCrowns = 3;
    offerMeal(g, cat, 2);
    ASSERT_EQ(lastMessage().choices.back(), "Pay 1 Gold Crown for a Meal");
    ASSERT_TRUE(answerPrompt(g, cat, reply(1)));
    EXPECT_EQ(c.goldCrowns, 2);
    EXPECT_EQ(c.mealsEaten, 3);
    offerMeal(g, cat, 3);
    ASSERT_TRUE(answerPrompt(g, cat, reply(0)));
    EXPECT_EQ(c.epCur, 8);
    EXPECT_EQ(c.damageFromStarvation, 5);
}

TEST_F(InventoryTest, ExtraMealHealsStarvationWithTheHouseRule) {
    Character& c = g.character;
    g.rules.healWithMeal = 1;
    c.epCur = 15;
    c.damageFromStarvation = 5;
    c.backpackItems = {meal(11, "Meal"), meal(11, "Meal")};
    offerMeal(g, cat, 0);
    ASSERT_TRUE(answerPrompt(g, cat, reply(1))); // the demanded Meal: no healing
    EXPECT_EQ(c.epCur, 15);
    ASSERT_TRUE(useItem(g, LIST_BACKPACK, 0)); // an extra one heals up to 3
    EXPECT_EQ(c.epCur, 18);
    EXPECT_EQ(c.damageFromStarvation, 2);
    g.rules.healWithMeal = 0;
    c.backpackItems = {meal(11, "Meal")};
    ASSERT_TRUE(useItem(g, LIST_BACKPACK, 0));
    EXPECT_EQ(c.epCur, 18);
}

TEST_F(InventoryTest, StorageLostItemsAndCoinQuestions) {
    Character& c = g.character;
    c.goldCrowns = 20;
    askCoinAmount(g, CoinMove::Deposit, CURRENCY_CROWNS);
    EXPECT_EQ(lastMessage().title, "How many Gold Crowns to deposit?");
    EXPECT_TRUE(lastMessage().numberEntry);
    ASSERT_TRUE(answerPrompt(g, cat, reply(0), 25)); // more than carried: all of it
    EXPECT_EQ(c.goldCrowns, 0);
    EXPECT_EQ(c.storageCrowns, 20);
    askCoinAmount(g, CoinMove::Reclaim, CURRENCY_KIKA);
    EXPECT_EQ(lastMessage().title, "How many Kika to reclaim?");
    c.lostKika = 30;
    c.goldCrowns = 49;
    ASSERT_TRUE(answerPrompt(g, cat, reply(0), 30));
    EXPECT_EQ(c.kika, 10); // one crown's worth fits
    EXPECT_EQ(c.lostKika, 20);
    EXPECT_EQ(c.storageKika, 0);
    g.messages.pending.clear();

    c.backpackItems = {meal(11, "Meal")};
    askDeposit(g);
    EXPECT_EQ(lastMessage().title, "Choose an Item to Deposit");
    ASSERT_TRUE(answerPrompt(g, cat, reply(0)));
    EXPECT_TRUE(c.backpackItems.empty());
    ASSERT_EQ(c.storageItems.size(), 1u);
    askWithdraw(g);
    EXPECT_EQ(lastMessage().title, "Choose an Item to Withdraw");
    ASSERT_TRUE(answerPrompt(g, cat, reply(0)));
    EXPECT_TRUE(c.storageItems.empty());
    EXPECT_EQ(c.backpackItems.size(), 1u);
    c.lostItems = {weapon(0, "Dagger")};
    c.weapons = {weapon(7, "Sword"), weapon(6, "Axe")};
    askReclaim(g);
    EXPECT_EQ(lastMessage().title, "Choose an Item to Reclaim");
    EXPECT_FALSE(answerPrompt(g, cat, reply(0))); // no room: it stays lost
    EXPECT_EQ(c.lostItems.size(), 1u);
    EXPECT_EQ(lastMessage().title, "You already have two Weapons");
}

TEST_F(InventoryTest, SellingDiscardingAndTheDessiStone) {
    Character& c = g.character;
    c.weapons = {weapon(7, "Sword"), weapon(0, "Dagger")};
    Item bow = weapon(5, "Bow");
    bow.weaponType = WEAPON_BOW;
    c.weapons[0].weaponType = WEAPON_SWORD;
    askSell(g, WEAPON_DAGGER, 3);
    EXPECT_EQ(lastMessage().title, "Select which Dagger to sell");
    ASSERT_EQ(lastMessage().choices.size(), 2u); // the Dagger, Cancel
    ASSERT_TRUE(answerPrompt(g, cat, reply(0)));
    EXPECT_EQ(c.weapons.size(), 1u);
    EXPECT_EQ(c.goldCrowns, 3);
    EXPECT_EQ(sellTitle(-2), "Select which Weapon to sell");
    EXPECT_EQ(sellTitle(-1), "Select which Item to sell");
    EXPECT_EQ(sellTitle(9), "Select which Broadsword to sell");

    c.weapons.push_back(bow);
    setDessiStone(g);
    EXPECT_EQ(lastMessage().title, "Select a Weapon for Dessi Stone");
    ASSERT_EQ(lastMessage().choices.size(), 2u); // the Sword; no bows
    ASSERT_TRUE(answerPrompt(g, cat, reply(0)));
    EXPECT_TRUE(c.weapons[0].dessiStone);

    askDiscard(g, 0);
    EXPECT_EQ(lastMessage().title, "Select which Weapon to discard");
    ASSERT_TRUE(answerPrompt(g, cat, reply(1)));
    EXPECT_EQ(c.weapons.size(), 1u);
    EXPECT_EQ(c.weaponDiscards, 1);
    EXPECT_EQ(discardTitle(5), "Select which Restorative to discard");
    askDiscard(g, 2);
    ASSERT_TRUE(answerPrompt(g, cat, reply(0))); // Cancel: nothing goes
    EXPECT_EQ(c.weapons.size(), 1u);

    Item quiver = makeItem(100, "Quiver", ITEM_SPECIAL);
    quiver.archetype = "Quiver";
    quiver.uses = 1;
    c.specialItems = {quiver};
    ASSERT_TRUE(discardItem(g, LIST_SPECIAL, 0)); // the arrow first
    ASSERT_EQ(c.specialItems.size(), 1u);
    ASSERT_TRUE(discardItem(g, LIST_SPECIAL, 0)); // then the empty quiver
    EXPECT_TRUE(c.specialItems.empty());
    EXPECT_EQ(c.specialItemDiscards, 2);
}
