// The inventory rules: whether the hero may take, wear, wield, use, eat,
// sell, store or discard an item, and the money in the Belt Pouch. Section
// effects call these when the text gives or takes things, the Action Chart
// when the player clicks. Refusals and questions go onto the game state's
// message queue; a refusal always leaves the inventory as it was.
#pragma once

#include "character/inventory_state.h"
#include "character/item_catalogue.h"
#include "character/scores.h" // DISEASE_LIMBDEATH

#include <string>
#include <vector>

struct Catalogues;
struct Character;
struct GameState;
struct RuleOptions;

// Carried lists, as effects and the Action Chart number them.
constexpr int LIST_WEAPONS = 1;
constexpr int LIST_BACKPACK = 2;
constexpr int LIST_SPECIAL = 3;

constexpr int CURRENCY_CROWNS = 0;
constexpr int CURRENCY_LUNE = 1;
constexpr int CURRENCY_KIKA = 2;

constexpr int BELT_POUCH_LIMIT = 50; // worth in Gold Crowns
constexpr int SPECIAL_ITEM_LIMIT = 12;
constexpr int QUIVER_CAPACITY = 6;

// Lasting conditions of the hero (Character::disease).
constexpr int DISEASE_BLOOD_POISONING = 1; // -2 EP every section; Laumspur cures it
constexpr int DISEASE_ADDICTION = 2;       // Adgana addiction
constexpr int DISEASE_BACILLUS = 4;        // cured by items 92 and 164
constexpr int DISEASE_ADDICTION_AGAIN = 7;

// Coins of a currency per Gold Crown: 1, 4, 10.
int coinsPerCrown(int currency);
std::string currencyName(int currency); // "Gold Crowns", "Lune", "Kika"
// goldCrowns + lune / 4 + kika / 10, each rounded down.
int beltPouchWorth(const Character& c);
int backpackCapacity(const Character& c); // 8, 10 in the third tier
int backpackSpaceUsed(const Character& c);
int specialItemSpaceUsed(const Character& c);
// The Special Item limit applies: from book 9 under the by-the-book rule, always
// under rule 1, never under rule 2.
bool specialItemLimitApplies(const Character& c, const RuleOptions& rules);
int& currencyField(Character& c, int currency);
int& storageCurrencyField(Character& c, int currency);
int& lostCurrencyField(Character& c, int currency);
// The carried list by number (1-3); null otherwise.
std::vector<Item>* carriedList(Character& c, int list);
const std::vector<Item>* carriedList(const Character& c, int list);
bool carriesItem(const Character& c, int id);
// Meals in the Backpack and other places counted as "Meals" on the Action Chart.
int mealCount(const Character& c);

// Storage can take coins and items directly now: before the book's opening
// section is complete, in a book that allows it (or with EXTRA_STORAGE: in one
// that does not forbid it).
bool storageOpen(const GameState& g, const Catalogues& cat);

// Puts one message box with "OK" on the queue.
void raiseMessage(GameState& g, const std::string& title, const std::string& text);

// Checks whether the hero may take the item and, when he may, adds it to its
// list (the Backpack and Belt Pouch set their flags; Fireseeds and arrows join
// what is carried). Shows the refusal and returns false otherwise.
bool canTake(GameState& g, const Item& item);
// The same by catalogue ID; an ID outside the catalogue is refused with the
// "Invalid item ID" error box.
bool canTakeById(GameState& g, const Catalogues& cat, int id);

// Adds coins to the Belt Pouch up to its limit. `excess` gets what did not fit.
// False when nothing could be added or some was left over (the refusal shows).
// Before the opening section is complete, with storage open, the excess is
// moved into storage here and the message says so.
bool addCoins(GameState& g, const Catalogues& cat, int amount, int currency, int& excess);

// Wield or wear the item at `index` of list 1 or 3, or take it off.
bool equipToggle(GameState& g, int list, int index);
void unequipAllWeapons(Character& c);
// Hands a two-handed weapon needs right now (2, or 1 with third-tier mastery).
int handsNeeded(const Character& c, const Item& weapon);

bool useItem(GameState& g, int list, int index);
// Whether useItem does anything with the item: meals are eaten, potions
// drunk, maps opened; other items have no use of their own.
bool itemHasUse(const Item& item);
// Fireseeds, by their ID or their kind: dropped one at a time.
bool isFireseedItem(const Item& item);
// Items 92 and 164 while the bacillus infection is present: the chart's Cure.
bool curesBacillusNow(const Character& c, const Item& item);
// Spends one dose of the item at `index` on the infection only (none of its
// usual restorative effect), under the same refusals as a potion.
bool cureWithItem(GameState& g, int list, int index);
void eatMeal(GameState& g, const Item& item);
bool usePotion(GameState& g, const Item& item);
// Raises ENDURANCE by `amount` up to the maximum, healing the recorded damage
// ("other" first, then combat, then starvation) by what was gained.
void gainEndurance(Character& c, int amount);
// Lowers ENDURANCE, never below 0; `kind` 1 counts it as combat damage, 2 as
// starvation, 0 as other. Returns the loss.
int loseEndurance(Character& c, int amount, int kind);

// Meals. offerMeal puts the question on the queue; resolveMeal applies the
// chosen line of the question `prompt` (index 0 is the first choice).
// `situation` 0-7 is that of the section's Meal effect.
void offerMeal(GameState& g, const Catalogues& cat, int situation);
bool resolveMeal(GameState& g, const RulesPrompt& prompt, int choice);
std::vector<std::string> mealChoiceTexts(const GameState& g, const Catalogues& cat, int situation,
                                         RulesPrompt* build = nullptr);
// The hunting Discipline that feeds the hero in this situation, or -1.
// Returns the tier whose Discipline applies (its name is the choice's D).
int huntingTier(const Character& c, int situation);

// A Special Item's ENDURANCE bonus (its share under ARMOR_RULES:) comes and
// goes with the item: taking it raises the maximum and the current score;
// losing it lowers the maximum, and the current score is kept within it.
// Every path that adds or removes a Special Item goes through these.
int itemEnduranceShare(const Item& item, int armorRules);
void itemEnduranceGained(Character& c, const Item& item, int armorRules);
void itemEnduranceLost(Character& c, const Item& item, int armorRules);

// Removes one item at a place (with the ENDURANCE it gave).
bool removeItemAt(GameState& g, int list, int index);
// The Action Chart's Drop: arrows and Fireseeds go one at a time.
bool discardItem(GameState& g, int list, int index);
// Deposit into / withdraw from storage, reclaim from the lost items.
bool depositItem(GameState& g, int list, int index);
bool withdrawItem(GameState& g, int index);
bool reclaimItem(GameState& g, int index);
// Moves coins between the pouch and storage, lost coins or nowhere (discard).
// Amounts are clamped to what is there. Returns the amount moved.
int moveCoins(GameState& g, const Catalogues& cat, CoinMove move, int currency, int amount);
// Sends lost coins/items to the lost pools (effects that take things).
void loseAllCoins(Character& c);

// Questions put to the player (they end in answerPrompt).
void askCoinAmount(GameState& g, CoinMove move, int currency);
void askWithdraw(GameState& g);
void askReclaim(GameState& g);
void askDeposit(GameState& g);
// weaponClass -1 any item, -2 any weapon, 0-9 one weapon class.
void askSell(GameState& g, int weaponClass, int price);
// kind: the discard selection's noun index (Weapon, Backpack Item, Special Item,
// equipped Weapon, Potion, Restorative, Item, Herb).
void askDiscard(GameState& g, int kind);
void setDessiStone(GameState& g);
// "Enter your new note": a line of text for the notes page.
void askNote(GameState& g);
// The Action Chart's lesser-value buttons: the new base score, typed (LOWER_CS / LOWER_EP).
void askLowerBaseScore(GameState& g, int kind);
// The captions of the discard selections.
std::string discardTitle(int kind);
std::string sellTitle(int weaponClass);

// The answer to an open question: `replyId` is the chosen line's reply id,
// `number` the amount typed for a number question. False when no open question
// has that reply id (the answer is then ignored).
bool answerPrompt(GameState& g, const Catalogues& cat, int replyId, int number = 0);
// The answer to a text question (the note); an empty text adds nothing.
bool answerPromptText(GameState& g, int replyId, const std::string& text);
// The open question a reply id belongs to; null when none.
const RulesPrompt* findPrompt(const GameState& g, int replyId);

// Texts shown beside inventory buttons.
extern const char* const DISCARD_ITEM_TIP;     // "Discard this item (Cannot be reclaimed)"
extern const char* const DISCARD_ARROW_TIP;
extern const char* const DISCARD_FIRESEED_TIP;
extern const char* const STORE_DIRECTLY_TIP;
