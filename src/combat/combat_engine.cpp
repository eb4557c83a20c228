#include "combat/combat_engine.h"

#include "app/game_state.h"
#include "book/random_source.h"
#include "book/random_table.h"
#include "book/section_button.h"
#include "character/character.h"
#include "character/rule_options.h"
#include "character/scores.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace {

bool hasEnemy(const CombatRecord& c) {
    return c.currentEnemy >= 0 && c.currentEnemy < static_cast<int>(c.enemies.size());
}

EnemyRecord* currentEnemy(CombatRecord& c) {
    return hasEnemy(c) ? &c.enemies[static_cast<size_t>(c.currentEnemy)] : nullptr;
}

int clampInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN / 2, INT_MAX / 2));
}

SectionButton* findButton(CombatEnv& env, int id) {
    if (!env.buttons) return nullptr;
    for (SectionButton& b : *env.buttons)
        if (b.id == id) return &b;
    return nullptr;
}

bool holds(CombatEnv& env, const std::vector<Condition>& conditions) {
    if (conditions.empty() || !env.conditionsHold) return true;
    return env.conditionsHold(conditions);
}

int weaponInUse(const Character& hero) {
    for (const Item& i : hero.weapons)
        if (i.equipped) return i.id;
    for (const Item& i : hero.specialItems)
        if (i.equipped && i.subType == SUB_WEAPON_LIKE) return i.id;
    return -2;
}

bool hasBowMastery(const Character& hero) {
    return hasDiscipline(hero, TIER_DRAVIC, DISC_WEAPONSKILL) && hero.weaponmasteryIn[WEAPON_BOW];
}

} // namespace

CombatEnv combatEnv(GameState& g,
                    std::function<bool(const std::vector<Condition>&)> conditionsHold) {
    return CombatEnv{g.character, g.rules, g.random, &g.section.buttons, std::move(conditionsHold)};
}

int applyToSkill(const std::string& eq, int v, int cs) {
    long long c = cs;
    if (eq == "+") return clampInt(c + v);
    if (eq == "-") return clampInt(c - v);
    if (eq == "x") return clampInt(static_cast<long long>(v) * c / 10);
    // A divisor of 0 would be a damaged script: the value is left alone.
    if (v == 0) return cs;
    if (eq == "/+") {
        long long q = c / v;
        if (c % v != 0 && ((c < 0) == (v < 0))) ++q;
        return clampInt(q);
    }
    if (eq == "/-") {
        long long q = c / v;
        if (c % v != 0 && ((c < 0) != (v < 0))) --q;
        return clampInt(q);
    }
    return cs;
}

int takeBackFromSkill(const std::string& eq, int v, int cs) {
    long long c = cs;
    if (eq == "+") return clampInt(c - v);
    if (eq == "-") return clampInt(c + v);
    if (eq == "x") return v == 0 ? cs : clampInt(c * 10 / v);
    if (eq == "/+" || eq == "/-") return v == 0 ? cs : clampInt(c * v);
    return cs;
}

int applyToLoss(const std::string& eq, int v, int loss) {
    long long l = loss;
    long long out = l;
    if (eq == "+")
        out = l + v;
    else if (eq == "-")
        out = l - v;
    else if (eq == "x")
        out = static_cast<long long>(v) * l / 10;
    else if ((eq == "/+" || eq == "/-") && v != 0)
        out = l / v;
    return std::max(0, clampInt(out));
}

std::string operationText(const std::string& eq, int value) {
    if (eq.empty()) return std::to_string(value);
    if (eq[0] == 'x') {
        char buf[32];
        if (value % 10 == 0)
            std::snprintf(buf, sizeof buf, "x%d", value / 10);
        else
            std::snprintf(buf, sizeof buf, "x%.1f", value / 10.0);
        return buf;
    }
    return std::string(1, eq[0]) + std::to_string(value);
}

FightContext fightContext(const CombatRecord& combat) {
    FightContext f;
    f.specialType = combat.specialType;
    f.unarmed = combat.unarmed != 0;
    if (hasEnemy(combat)) {
        const EnemyRecord& e = combat.enemies[static_cast<size_t>(combat.currentEnemy)];
        f.immuneMindblast = e.immuneToMindblast;
        f.immunePsiSurge = e.immuneToPsiSurge;
        f.immuneVaelSurge = e.immuneToVaelSurge;
        f.enemyDescriptor = e.descriptor;
        f.enemyNumber = combat.currentEnemy + 1;
    }
    return f;
}

bool beginRound(CombatRecord& combat, CombatEnv& env, bool evade) {
    Character& hero = env.hero;
    if (hero.epCur <= 0 || combat.won || !hasEnemy(combat)) return false;
    if (combat.specialType == SPECIAL_FIXED_CS_15 && combat.roundsFinished == 0)
        combat.heroCombatSkill = 15;
    if (combat.specialType == SPECIAL_UNARMED_UNLESS &&
        hasDiscipline(hero, hero.onBookSeries, SPECIAL_11_DISCIPLINE))
        combat.unarmed = 0;
    if (combat.roundsFinished == 0) {
        FightContext fight = fightContext(combat);
        combat.heroCombatSkill = effectiveCombatSkill(hero, env.rules, &fight);
        combat.started = true;
        logCombatRound(combat, hero, env.rules, true, false, -1);
    }
    if (combat.heroCombatSkill == 0)
        combat.heroCombatSkill = effectiveCombatSkill(hero, env.rules, nullptr);
    if (combat.enemyCombatSkill == 0) combat.enemyCombatSkill = currentEnemy(combat)->cs;
    combat.evading = evade;
    combat.finished = false;
    combat.phase = 1;
    combat.step = 0;
    combat.elapsedMs = 0;
    return true;
}

std::vector<ModifierAction> modifierWalk(CombatRecord& combat, CombatEnv& env, bool damage) {
    std::vector<ModifierAction> actions;
    const int round = combat.roundsFinished + 1;
    int claimedExcl = 0, claimedBy = -1;
    int claimedWeapon = -1;
    for (size_t i = 0; i < combat.modifiers.size(); ++i) {
        CombatModifier& m = combat.modifiers[i];
        if ((m.affectWhat == 1) == damage) continue;
        m.active = true;
        m.undo = false;
        if (!holds(env, m.conditions)) {
            m.active = false;
            if (m.applied) m.undo = true;
        }
        if (round < m.beginOnRound) m.active = false;
        if (m.lengthOfEffect > 0 && static_cast<long long>(round) >=
                                        static_cast<long long>(m.beginOnRound) + m.lengthOfEffect) {
            m.active = false;
            if (m.applied) m.undo = true;
        }
        // Of several modifiers for one exclusive weapon only the first acts.
        if (m.exclWeaponId != 0) {
            if (m.active) {
                if (m.exclWeaponId == claimedExcl && claimedBy != static_cast<int>(i)) continue;
                claimedExcl = m.exclWeaponId;
                claimedBy = static_cast<int>(i);
            } else if (m.applied && !m.undo) {
                claimedExcl = m.exclWeaponId;
                claimedBy = static_cast<int>(i);
            }
        }
        if (combat.specialType == SPECIAL_ONE_WEAPON && m.fromEqWeap >= 0 && m.active) {
            if (claimedWeapon < 0) {
                claimedWeapon = m.fromEqWeap;
            } else if (m.fromEqWeap != claimedWeapon) {
                if (!m.applied) continue;
                m.undo = true;
            }
        }
        if (m.undo) m.active = false;
        if (!m.active && !m.undo) continue;
        if (m.active && m.applied) continue;
        if (m.undo && m.undone) continue;
        actions.push_back({static_cast<int>(i), m.undo});
    }
    return actions;
}

void performSkillModifier(CombatRecord& combat, const ModifierAction& action) {
    if (action.index < 0 || action.index >= static_cast<int>(combat.modifiers.size())) return;
    CombatModifier& m = combat.modifiers[static_cast<size_t>(action.index)];
    int& cs = m.affectEnemy ? combat.enemyCombatSkill : combat.heroCombatSkill;
    if (action.takeBack) {
        cs = takeBackFromSkill(m.equation, m.value, cs);
        m.undone = true;
        m.applied = false;
    } else {
        cs = applyToSkill(m.equation, m.value, cs);
        m.applied = true;
        m.undone = false;
    }
}

int computeRatio(CombatRecord& combat) {
    combat.combatRatio =
        clampInt(static_cast<long long>(combat.heroCombatSkill) - combat.enemyCombatSkill);
    return combat.combatRatio;
}

bool setRoundNumber(CombatRecord& combat, CombatEnv& env, int number) {
    int n = ((number % 10) + 10) % 10;
    bool bonus = env.rules.wmBowRnBoost && inArcheryContest(env.hero) && hasBowMastery(env.hero);
    if (bonus && n != 0) {
        n += 3;
        if (n > 9) n = 0;
    }
    combat.randomNumber = n;
    return bonus;
}

int drawTableNumber(const RandomNumberTable& table, RandomSource& random) {
    int col = randomBelow(random, RNT_SIZE);
    int row = randomBelow(random, RNT_SIZE);
    return table.grid[col][row];
}

void tableLosses(CombatRecord& combat, CombatEnv& env, const CombatTable& table) {
    CrtCell cell = lookupCell(combat.combatRatio, combat.randomNumber, env.rules.extendedCrt != 0);
    combat.heroLoss = table.heroLoss[cell.column][cell.row];
    combat.enemyLoss = table.enemyLoss[cell.column][cell.row];
    if (combat.evading) combat.enemyLoss = 0;
    if (combat.specialType == SPECIAL_JAKAN_BACKFIRE && combat.randomNumber == 0 &&
        std::any_of(env.hero.weapons.begin(), env.hero.weapons.end(),
                    [](const Item& i) { return i.id == ITEM_ID_CRACKED_JAKAN; })) {
        combat.heroLoss = KILL_VALUE;
        combat.enemyLoss = 0;
    }
    if (combat.specialType == SPECIAL_PERMANENT_LOSS && combat.roundsFinished == 0) {
        if (SectionButton* b = findButton(env, 10)) b->value = combat.heroLoss;
        if (SectionButton* b = findButton(env, 20)) b->value = combat.enemyLoss;
    }
}

bool needsSecondPick(const CombatRecord& combat) {
    return combat.specialType == SPECIAL_KILL_ON_NINE && combat.heroLoss != 0;
}

void applySecondPick(CombatRecord& combat, int number) {
    combat.heroLoss = number == 9 ? KILL_VALUE : 0;
}

bool permanentLoss(const CombatRecord& combat, CombatEnv& env) {
    if (combat.specialType != SPECIAL_PERMANENT_LOSS || combat.roundsFinished == 0) return false;
    SectionButton* ten = findButton(env, 10);
    SectionButton* twenty = findButton(env, 20);
    return ten && twenty && twenty->value < ten->value;
}

void performDamageModifier(CombatRecord& combat, CombatEnv& env, const ModifierAction& action) {
    if (action.takeBack || action.index < 0 ||
        action.index >= static_cast<int>(combat.modifiers.size()))
        return;
    CombatModifier& m = combat.modifiers[static_cast<size_t>(action.index)];
    Character& hero = env.hero;
    if (m.name == "REAL EP" && inArcheryContest(hero)) {
        combat.heroLoss = std::max(0, combat.heroLoss - m.value);
        hero.archeryRealEp -= m.value;
        hero.damageFromCombat += m.value;
        hero.archeryDamage += m.value;
    } else {
        int& loss = m.affectEnemy ? combat.enemyLoss : combat.heroLoss;
        loss = applyToLoss(m.equation, m.value, loss);
    }
    if (m.affectWhat == 2) {
        hero.epMax = std::max(0, hero.epMax - m.value);
        hero.damageFromCombat = std::max(0, hero.damageFromCombat - m.value);
        hero.epCur = std::min(hero.epCur, hero.epMax);
    }
    // A loss lasts one round, so the next round's walk acts on it afresh.
    m.applied = false;
    m.undone = false;
}

RoundOutcome finishRound(CombatRecord& combat, CombatEnv& env) {
    RoundOutcome out;
    Character& hero = env.hero;
    EnemyRecord* enemy = currentEnemy(combat);
    if (!enemy) return out;
    const bool permanent = permanentLoss(combat, env);
    combat.heroLoss = std::clamp(combat.heroLoss, 0, std::max(0, hero.epCur));
    combat.enemyLoss = std::clamp(combat.enemyLoss, 0, std::max(0, enemy->ep));
    hero.epCur -= combat.heroLoss;
    hero.damageFromCombat =
        std::min(hero.damageFromCombat + combat.heroLoss, std::max(hero.epMax, 0));
    combat.heroEpLost += combat.heroLoss;
    if (permanent) hero.epMax = std::max(0, hero.epMax - combat.heroLoss);
    enemy->ep -= combat.enemyLoss;
    combat.enemyEpLost += combat.enemyLoss;
    if (SectionButton* b = findButton(env, enemy->epButtonId); b && enemy->epButtonId != 0)
        b->value = enemy->ep;
    out.heroLoss = combat.heroLoss;
    out.enemyLoss = combat.enemyLoss;

    // The psychic attack's price, never the last point of ENDURANCE.
    FightContext fight = fightContext(combat);
    CombatSkillResult cs = combatSkill(hero, env.rules, &fight);
    if (cs.psychicEpCost > 0) {
        int& pool = cs.psychicFromRealEp ? hero.archeryRealEp : hero.epCur;
        int cost = std::min(cs.psychicEpCost, std::max(0, pool - 1));
        pool -= cost;
        if (cs.psychicFromRealEp) hero.archeryDamage += cost;
    }

    int loggedNumber = combat.randomNumber;
    if (enemy->ep < 1) {
        bool last = combat.currentEnemy + 1 >= static_cast<int>(combat.enemies.size());
        if (!last) {
            logCombatRound(combat, hero, env.rules, false, false, -1);
            ++combat.currentEnemy;
            combat.enemyCombatSkill = currentEnemy(combat)->cs;
            out.enemyChanged = true;
            loggedNumber = -1;
        } else if (hero.epCur > 0) {
            combat.won = true;
            out.won = true;
        }
    }
    ++combat.roundsFinished;
    logCombatRound(combat, hero, env.rules, false, out.enemyChanged, loggedNumber);
    if (out.won)
        out.messages.push_back("You have won the combat in " +
                               std::to_string(combat.roundsFinished) + " round(s)");
    else
        out.messages.push_back("You have fought " + std::to_string(combat.roundsFinished) +
                               " round(s) of combat");
    if (hero.epCur < 1) {
        out.defeated = true;
        out.messages.push_back("You have been defeated");
    }
    if (combat.evading) {
        combat.finished = true;
        out.pressAgain = combat.specialType != SPECIAL_EVADE_UNHURT || combat.heroEpLost == 0;
    }
    if (out.won) combat.finished = true;
    out.adganaCheck = out.won && combat.usedAdgana;
    combat.phase = out.adganaCheck ? 10 : 0;
    return out;
}

bool adganaCheck(Character& hero, int number) {
    bool before = hero.usedAdgana;
    hero.usedAdgana = true;
    if (number > (before ? 3 : 1)) return false;
    bool hasTwo = std::find(hero.disease.begin(), hero.disease.end(), 2) != hero.disease.end();
    hero.disease.push_back(hasTwo ? 7 : 2);
    hero.epMax -= 4;
    hero.epCur -= 4;
    if (hero.epMax < 1) {
        hero.epMax = hero.epCur = 0;
    } else {
        hero.epCur = std::max(1, hero.epCur);
    }
    return true;
}

bool staffBlastPicks(const CombatRecord& combat) {
    if (combat.specialType == SPECIAL_STAFF_EVERY_OTHER) return combat.roundsFinished % 2 != 0;
    if (combat.specialType == SPECIAL_STAFF_FROM_FOURTH) return combat.roundsFinished >= 3;
    return false;
}

void applyStaffBlast(CombatRecord& combat, CombatEnv& env, int number) {
    auto it = std::find_if(combat.modifiers.begin(), combat.modifiers.end(),
                           [](const CombatModifier& m) { return m.name == "Staff Blast"; });
    SectionButton* button = findButton(env, STAFF_BLAST_BUTTON);
    bool typeEight = combat.specialType == SPECIAL_STAFF_EVERY_OTHER;
    if (number < 0) {
        if (button) button->value = 0;
        if (it != combat.modifiers.end()) {
            it->lengthOfEffect = 1;
            it->beginOnRound = typeEight ? 2 : 4;
        }
        return;
    }
    if (button) button->value = number;
    if (it != combat.modifiers.end()) {
        it->value = number;
        it->beginOnRound = typeEight ? 1 : 4;
        it->lengthOfEffect = 0;
    }
}

void applyPsychicBlast(CombatRecord& combat, int first, int second) {
    auto it = std::find_if(combat.modifiers.begin(), combat.modifiers.end(),
                           [](const CombatModifier& m) { return m.name == "Vael-blast"; });
    if (it == combat.modifiers.end()) return;
    auto count = [](int n) { return n <= 0 ? 1 : std::min(n, 9); };
    it->value = count(first) + count(second);
    it->lengthOfEffect = 0;
}

void logCombatRound(CombatRecord& combat, Character& hero, const RuleOptions& rules,
                    bool firstRound, bool enemyChanged, int randomNumber) {
    (void)enemyChanged; // the entry itself carries the switch by its -1 number
    if (firstRound || hero.battleLog.empty()) {
        BattleLogEntry entry;
        entry.book = hero.onBook;
        entry.title = combat.title;
        entry.section = hero.onSection;
        hero.battleLog.push_back(entry);
    }
    BattleLogRound r;
    if (const EnemyRecord* e = currentEnemy(combat)) {
        r.enemyName = e->name;
        r.enemyCs = combat.enemyCombatSkill != 0 ? combat.enemyCombatSkill : e->cs;
        r.enemyEp = e->ep;
    }
    r.heroCs = firstRound ? effectiveCombatSkill(hero, rules, nullptr) : combat.heroCombatSkill;
    r.heroEp = hero.epCur;
    r.randomNumber = firstRound ? -1 : randomNumber;
    r.extra = 0;
    r.weaponId = weaponInUse(hero);
    hero.battleLog.back().rounds.push_back(r);
}

std::string skillLine(const std::string& who, int cs) {
    return who + " COMBAT SKILL: " + std::to_string(cs);
}

std::string modifierLine(const CombatModifier& m, bool takeBack) {
    return std::string(takeBack ? "  taken back: " : "  modifier: ") + m.name + " " +
           operationText(m.equation, m.value) + (m.affectEnemy ? " (enemy)" : " (hero)");
}

std::string lossLine(const std::string& who, int loss, int ep) {
    std::string shown = loss >= 100 ? std::string("K") : std::to_string(loss);
    return who + " loses " + shown + " ENDURANCE, now " + std::to_string(ep);
}

RoundOutcome fightRound(CombatRecord& combat, CombatEnv& env, const CombatTable& table,
                        const RandomNumberTable& grid, bool evade,
                        std::vector<std::string>* lines) {
    RoundOutcome none;
    auto say = [&](const std::string& s) {
        if (lines) lines->push_back(s);
    };
    if (!beginRound(combat, env, evade)) return none;
    const EnemyRecord enemyAtStart = *currentEnemy(combat);
    say("Round " + std::to_string(combat.roundsFinished + 1) + (evade ? " (evading)" : ""));
    if (combat.roundsFinished == 0) {
        FightContext fight = fightContext(combat);
        std::vector<ScoreLine> bonusLines = combatSkill(env.hero, env.rules, &fight).lines;
        say("  base COMBAT SKILL " + std::to_string(env.hero.csBase));
        for (const ScoreLine& l : bonusLines) {
            std::string t = scoreLineText(l);
            say("  " + t.substr(0, t.size() - 1));
        }
    }
    for (const ModifierAction& a : modifierWalk(combat, env, false)) {
        say(modifierLine(combat.modifiers[static_cast<size_t>(a.index)], a.takeBack));
        performSkillModifier(combat, a);
    }
    say(skillLine("Greystar", combat.heroCombatSkill));
    say(skillLine(enemyAtStart.name, combat.enemyCombatSkill));
    say("Combat Ratio: " + std::to_string(computeRatio(combat)));
    int drawn = drawTableNumber(grid, env.random);
    bool bonus = setRoundNumber(combat, env, drawn);
    say("Random Number: " + std::to_string(combat.randomNumber) + (bonus ? " (+3)" : ""));
    tableLosses(combat, env, table);
    if (needsSecondPick(combat)) applySecondPick(combat, drawTableNumber(grid, env.random));
    if (staffBlastPicks(combat))
        applyStaffBlast(combat, env, drawTableNumber(grid, env.random));
    else if (combat.specialType == SPECIAL_STAFF_EVERY_OTHER ||
             combat.specialType == SPECIAL_STAFF_FROM_FOURTH)
        applyStaffBlast(combat, env, -1);
    if (env.hero.usingVaelBlast)
        applyPsychicBlast(combat, drawTableNumber(grid, env.random),
                          drawTableNumber(grid, env.random));
    for (const ModifierAction& a : modifierWalk(combat, env, true)) {
        say(modifierLine(combat.modifiers[static_cast<size_t>(a.index)], a.takeBack));
        performDamageModifier(combat, env, a);
    }
    RoundOutcome out = finishRound(combat, env);
    say(lossLine(enemyAtStart.name, out.enemyLoss,
                 combat
                     .enemies[static_cast<size_t>(out.enemyChanged ? combat.currentEnemy - 1
                                                                   : combat.currentEnemy)]
                     .ep));
    say(lossLine("Greystar", out.heroLoss, env.hero.epCur));
    for (const std::string& m : out.messages)
        say(m);
    if (out.adganaCheck) {
        int n = drawTableNumber(grid, env.random);
        say("Adgana Addiction Check: " + std::to_string(n) +
            (adganaCheck(env.hero, n) ? " - addicted" : ""));
        combat.phase = 0;
    }
    return out;
}
