// What makes a section page interactive: evaluating the conditions of buttons
// (and of combat modifiers and awards) against the game, and performing a
// button's effects when it is pressed or fires by itself. Both front ends (the
// window's page and the text player) call these; nothing here draws.
#pragma once

#include "book/random_table.h"
#include "book/section_button.h"
#include "script/condition.h"
#include "script/effect.h"

#include <string>
#include <utility>
#include <vector>

struct Catalogues;
struct Character;
struct GameState;

// The lists of book/section pairs that condition type 16 asks about.
constexpr int VISIT_LIST_COUNT = 36;
using VisitList = std::vector<std::pair<int, int>>;
const VisitList& visitList(int index); // empty for an index outside 0-35

// The game-state tests of condition type 26, by VALUE.
constexpr int STATE_TEST_COUNT = 18;
bool stateTest(const GameState& g, const Catalogues& cat, int index);

// The Action Chart's flags by number (condition type 25, effect type 46):
// 0 usedMegaCuring, 1 usedMegaDeliverance, 2 useOnlyMindblast, 3 usedAdgana,
// 4 usedAdganaThisBook, 5 hasSunbladeAfterBook3, 6 reclaiming, 7 gmRerollStats,
// 8 usingVaelBlast, 9 usingVaelRay, 10 usedVaelRay, 11 emptyPouchStartBook12,
// 12 haveBackpack, 13 haveBeltPouch, 14 lostBackpack, 15 lostBeltPouch,
// 16 completedOpeningSection, 17 warmarn.
constexpr int CHART_FLAG_COUNT = 18;
bool chartFlag(const Character& c, int index);
bool* chartFlagField(Character& c, int index); // null outside 0-17

// "<", "<=", "==", ">=", ">" between q and v; any other text compares for equality.
bool compareByEquation(int q, const std::string& equation, int v);

// An empty list is true. Plain conditions are joined by AND; a SINGULAR one
// that holds is a sufficient alternative, and SINGULAR with REVERSE a veto. A
// condition that needs a button the page lacks makes the whole list false.
bool evaluateConditions(const std::vector<Condition>& list, const GameState& g, const Catalogues& cat);

// Performs the effects of the button whose conditions hold, in order, until an
// effect ends the walk. Effects that name a missing button do nothing.
void pressButton(SectionButton& button, GameState& g, const Catalogues& cat);
// The button is offered on the page: its conditions hold.
bool buttonOffered(const SectionButton& button, const GameState& g, const Catalogues& cat);

// The number of a Random Number Table pick that a button asked for (effect
// 5): it becomes the button's value, the modifier lines join its tooltip, and
// the button is pressed again so that its effects go on. False when no pick
// was wanted or the button has gone.
bool deliverPick(GameState& g, const Catalogues& cat, const PickResult& result);

// An "AUTOEXECUTE" button fires once it is in view and clickable: its colour
// becomes 0 and its effects run. The page view calls this on every update for
// each such button with whether it lies in the visible part of the page; the
// text player calls it with `visible` true. True when it fired.
bool autoExecuteIfDue(SectionButton& button, bool visible, GameState& g, const Catalogues& cat);
// Fires every due "AUTOEXECUTE" button of the current page, as if all were in
// view; repeats while firing made others due (bounded). Returns how many fired.
int runAutoExecutes(GameState& g, const Catalogues& cat);

// The current page's last button with this id; null when none (no message:
// a missing button is a normal outcome for conditions and effects).
SectionButton* pageButton(GameState& g, int id);
const SectionButton* pageButton(const GameState& g, int id);
