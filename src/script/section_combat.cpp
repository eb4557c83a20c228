#include "script/section_combat.h"

#include "app/game_state.h"
#include "book/random_table.h"
#include "script/section_change.h"
#include "script/section_runtime.h"

namespace {

bool enemyLeft(const CombatRecord& c) {
    return c.currentEnemy >= 0 && c.currentEnemy < static_cast<int>(c.enemies.size());
}

} // namespace

bool combatRoundPossible(const GameState& g) {
    const CombatRecord& c = g.combat;
    return enemyLeft(c) && !c.won && c.phase == 0 && g.character.epCur > 0 &&
           !g.rulesState.roundWanted;
}

bool combatUnderWay(const GameState& g) {
    const CombatRecord& c = g.combat;
    return c.started && !c.won && !c.finished && enemyLeft(c) && g.character.epCur > 0;
}

bool requestCombatRound(GameState& g, int buttonId, bool evade) {
    if (!combatRoundPossible(g)) return false;
    RulesState& s = g.rulesState;
    s.roundWanted = true;
    s.roundEvade = evade;
    s.roundButtonId = buttonId;
    return true;
}

bool takeCombatRound(GameState& g, bool& evade) {
    RulesState& s = g.rulesState;
    if (!s.roundWanted) return false;
    s.roundWanted = false;
    evade = s.roundEvade;
    return true;
}

CombatEnv sectionCombatEnv(GameState& g, const Catalogues& cat) {
    return combatEnv(g, [&g, &cat](const std::vector<Condition>& list) {
        return evaluateConditions(list, g, cat);
    });
}

void afterCombatRound(GameState& g, const Catalogues& cat, const RoundOutcome& outcome) {
    RulesState& s = g.rulesState;
    s.sectionHadCombat = true;
    SectionButton* button = pageButton(g, s.roundButtonId);
    if (button && !outcome.messages.empty()) {
        // The button's own help stays; the last round's report replaces the one before.
        std::string& tip = button->tooltip;
        size_t cut = tip.find("``");
        if (cut != std::string::npos) tip.erase(cut);
        tip += "`";
        for (const std::string& m : outcome.messages)
            tip += "`" + m;
        ++s.pageRevision;
    }
    // The evade effect of that button turns the page once the combat has
    // ended by evasion.
    if (outcome.pressAgain && button) pressButton(*button, g, cat);
    checkDeath(g);
}

RoundOutcome playCombatRound(GameState& g, const Catalogues& cat, bool evade,
                             std::vector<std::string>* lines) {
    if (!enemyLeft(g.combat) || g.combat.won || g.character.epCur <= 0) return RoundOutcome();
    if (g.randomTable.book != g.character.onBook) loadTable(g.randomTable, g.character.onBook);
    CombatEnv env = sectionCombatEnv(g, cat);
    RoundOutcome out = fightRound(g.combat, env, cat.combatTable, g.randomTable, evade, lines);
    afterCombatRound(g, cat, out);
    return out;
}
