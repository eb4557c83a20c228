// The combat of a section as the section rules see it: the fight and evade
// buttons ask for a round, a front end runs it, and the rules take the
// outcome back (the button's tooltip, the second press after an evasion, the
// death check). The window animates the round step by step with the combat
// engine; the text player and the tests play it in a row with
// playCombatRound. Both end in afterCombatRound, so the rules after a round
// exist once.
#pragma once

#include "combat/combat_engine.h"

#include <string>
#include <vector>

struct Catalogues;
struct GameState;

// The section's combat can take another round: it has an enemy left, is not
// won, the hero has ENDURANCE and no round is running or asked for.
bool combatRoundPossible(const GameState& g);
// A combat has begun and not yet ended: its first round was fought, and it is
// neither won, lost nor left by evasion. Its draws are under way between rounds.
bool combatUnderWay(const GameState& g);
// What effects 32 (v 0) and 33 do: ask for a round started by button
// `buttonId`. False (nothing asked) when no round is possible.
bool requestCombatRound(GameState& g, int buttonId, bool evade);
// The front end takes the request: true when a round was asked for, with
// whether it is an evasion. The request is cleared.
bool takeCombatRound(GameState& g, bool& evade);

// The combat engine's view of the game, with the rules' condition evaluation
// for the modifiers' conditions.
CombatEnv sectionCombatEnv(GameState& g, const Catalogues& cat);

// The rules once a round has finished: the outcome's messages replace the
// old ones on the tooltip of the button that started it, the section counts
// as one with a fight, an evasion presses that button again (its evade
// effect then turns the page), and a fallen hero is checked for death.
void afterCombatRound(GameState& g, const Catalogues& cat, const RoundOutcome& outcome);

// A whole round in a row, as the text player plays it: the engine's round
// on the section's combat with picks from the book's table, then
// afterCombatRound. `lines` receives the round as printed. An outcome with
// nothing set when no round was possible.
RoundOutcome playCombatRound(GameState& g, const Catalogues& cat, bool evade,
                             std::vector<std::string>* lines = nullptr);
