// What the inventory and section rules remember between calls: the questions
// put to the player that still wait for an answer, the Meal situation of the
// section, and the per-fight limits (one equip per round, one COMBAT SKILL
// enhancer per fight). It lives in the game state; it is never saved, since a
// question or a fight limit does not outlive the section it was raised in.
#pragma once

#include "book/random_table.h"

#include <string>
#include <vector>

// What an open question is about; the answer is routed by it.
enum class PromptKind {
    Meal,          // one choice per way to eat (or not)
    CoinAmount,    // a number: how many coins to move
    Withdraw,      // an item out of storage
    Reclaim,       // an item out of the lost items
    Deposit,       // a carried item into storage
    Sell,          // a carried item for money
    Discard,       // a carried item thrown away
    DessiStone,    // the weapon that takes the gem
    Note,          // a line of text for the notes page
    Notice,        // a message with one "OK": nothing to do on answer
};

// How coins move when a CoinAmount question is answered.
enum class CoinMove { Deposit, Withdraw, Reclaim, Discard };

// One way out of the Meal question.
enum class MealChoice { Starve, Hunt, EatItem, Pay, HotMeal };

// A place in the carried lists: 1 weapons, 2 Backpack, 3 Special Items.
struct ItemPlace {
    int list = 0;
    int index = 0;
};

struct RulesPrompt {
    int serial = 0; // reply ids of this question are serial * PROMPT_REPLY_STRIDE + choice
    PromptKind kind = PromptKind::Notice;
    int situation = 0;               // Meal: the situation that built the choices
    std::vector<MealChoice> meals;   // Meal: the action of each choice
    std::vector<int> mealItems;      // Meal: the item ID eaten by an EatItem choice (else -1)
    std::vector<ItemPlace> places;   // item choices: where each listed item sits
    CoinMove move = CoinMove::Deposit;
    int currency = 0; // CoinAmount: 0 Gold Crowns, 1 Lune, 2 Kika
    int price = 0;    // Sell: Gold Crowns paid for the item
};

// Reply ids: one block of this many per open question.
constexpr int PROMPT_REPLY_STRIDE = 100;
// The message box reports replies to this target instead of a window: the
// front end hands them to answerPrompt.
constexpr int RULES_REPLY_TARGET = -14;

// Something only a front end can do: open a screen, turn an Action Chart page,
// show the notice screen. The window dispatcher and the text player take them
// from the queue in order.
enum class ScreenKind {
    Window,          // open the window (or screen) `value`
    ActionChartPage, // show Action Chart page `value`
    JournalBook,     // journal group book selection: `value`, `second` picks the second one
    Notice,          // the notice screen with `text` and `value`
    ResultsTable,    // the Combat Results Table viewer, page `value`
    EntryList,       // hide (second 0) or show the first screen's entries `value`..`last`
};

constexpr int RULES_DEATH_WINDOW = 43; // the death window the rules ask for

struct ScreenRequest {
    ScreenKind kind = ScreenKind::Window;
    int value = 0;
    int second = 0;
    int last = 0;
    std::string text;
};

struct RulesState {
    std::vector<ScreenRequest> screens; // for the front end, oldest first
    std::vector<int> armedButtons;      // used up (colour 0) after their next press
    int pageRevision = 0;               // grows whenever effects change how the page looks
    bool heroActive = false;            // the opening pages are done: play has begun
    bool sectionHadCombat = false;      // a fight was fought in the section being left
    int sectionStartEp = 0;             // ENDURANCE on entering the section
    // A button asked for a number from the Random Number Table: the front end
    // runs the pick and hands the number to deliverPick.
    bool pickWanted = false;
    PickRequest pick;
    bool deathAsked = false;            // the death window was asked for in this section
    // A fight or evade button asked for a combat round: the front end runs it
    // (the window animates it, the text player plays it at once) and hands
    // the outcome to afterCombatRound.
    bool roundWanted = false;
    bool roundEvade = false;
    int roundButtonId = -1; // the button that started the round; its tooltip gets the outcome
    // Condition types the definitions lack, already reported (conditions are
    // checked on every frame: one line per type is enough).
    mutable std::vector<int> unknownConditionsReported;

    std::vector<RulesPrompt> prompts; // open questions, oldest first
    int nextSerial = 1;

    int mealSituation = 0;  // set by the Meal effect for the question it raises
    int mealsExpected = 0;  // mealsEaten once every Meal demanded in this section is eaten

    // One equip per combat round: where the last change mid-fight happened.
    int equipBook = -1, equipSection = -1, equipRound = -1;
    bool shieldNoticeShown = false; // once per run of the program
    int shieldPendingRound = -1;    // the round the Shield was readied in (-1 none)
};
