#include "combat/combat_view.h"
#include "ui/blit.h"

#include "character/character.h"
#include "character/rule_options.h"
#include "combat/combat_engine.h"
#include "ui/font.h"
#include "ui/image.h"
#include "ui/text.h"

#include <SDL/SDL_ttf.h>

#include <algorithm>

namespace {

const SDL_Color INK{52, 32, 16, 0};
const SDL_Color VALUE_INK{120, 20, 16, 0};

void freeSurface(SDL_Surface*& s) {
    if (s) SDL_FreeSurface(s);
    s = nullptr;
}

void blitCentred(SDL_Surface* dst, SDL_Surface* src, int cx, int y) {
    if (!src) return;
    SDL_Rect at{static_cast<Sint16>(cx - src->w / 2), static_cast<Sint16>(y), 0, 0};
    blitSurface(src, nullptr, dst, &at);
}

// Renders a line at a size, shrinking it until it fits `maxWidth`.
SDL_Surface* fittedLine(const std::string& font, const std::string& text, int size, int maxWidth,
                        SDL_Color c) {
    for (int s = size; s >= 6; s -= std::max(1, s / 10)) {
        TTF_Font* f = openFont(font, s);
        if (!f) return nullptr;
        SDL_Surface* line = renderText(f, text, c);
        TTF_CloseFont(f);
        if (!line || line->w <= maxWidth || s <= 6) return line;
        SDL_FreeSurface(line);
    }
    return nullptr;
}

const EnemyRecord* enemyOf(const CombatRecord& c) {
    if (c.currentEnemy < 0 || c.currentEnemy >= static_cast<int>(c.enemies.size())) return nullptr;
    return &c.enemies[static_cast<size_t>(c.currentEnemy)];
}

} // namespace

std::string panelLossText(int loss) {
    return loss >= 100 ? "K" : std::to_string(loss);
}

bool loadCombatView(CombatView& v, int screenW, int screenH, const std::string& fontName,
                    const std::string& paperName) {
    v.screenW = screenW;
    v.screenH = screenH;
    v.fontName = fontName;
    v.paper = loadImage("data/paper", paperName);
    return v.paper && !isPlaceholder(v.paper);
}

void freeCombatView(CombatView& v) {
    for (SDL_Surface** s : {&v.paper, &v.heroPanel, &v.enemyPanel, &v.middlePanel})
        freeSurface(*s);
}

SDL_Surface* renderPanel(CombatView& v, const std::string& first, const std::string& second,
                         const std::string& third, int width, int height) {
    SDL_Surface* panel =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    if (!panel) return nullptr;
    if (v.paper) {
        SDL_Surface* ground = scaleImageTo(v.paper, width, height);
        blitSurface(ground, nullptr, panel, nullptr);
        if (ground != v.paper) SDL_FreeSurface(ground);
    } else {
        SDL_FillRect(panel, nullptr, SDL_MapRGB(panel->format, 232, 214, 170));
    }
    // A bronze rim.
    Uint32 rim = SDL_MapRGB(panel->format, 110, 74, 36);
    for (int k = 0; k < 3; ++k) {
        SDL_Rect top{static_cast<Sint16>(k), static_cast<Sint16>(k),
                     static_cast<Uint16>(width - 2 * k), 1};
        SDL_Rect bottom{static_cast<Sint16>(k), static_cast<Sint16>(height - 1 - k),
                        static_cast<Uint16>(width - 2 * k), 1};
        SDL_Rect left{static_cast<Sint16>(k), static_cast<Sint16>(k), 1,
                      static_cast<Uint16>(height - 2 * k)};
        SDL_Rect right{static_cast<Sint16>(width - 1 - k), static_cast<Sint16>(k), 1,
                       static_cast<Uint16>(height - 2 * k)};
        for (SDL_Rect* r : {&top, &bottom, &left, &right})
            SDL_FillRect(panel, r, rim);
    }
    int size = height / 6;
    SDL_Surface* a = fittedLine(v.fontName, first, size, width * 85 / 100, INK);
    SDL_Surface* b = fittedLine(v.fontName, second, size * 4 / 5, width * 85 / 100, INK);
    SDL_Surface* c = fittedLine(v.fontName, third, size * 2, width * 85 / 100, VALUE_INK);
    blitCentred(panel, a, width / 2, height / 12);
    blitCentred(panel, b, width / 2, height / 12 + size * 6 / 5);
    blitCentred(panel, c, width / 2, height / 12 + size * 5 / 2);
    for (SDL_Surface* s : {a, b, c})
        if (s) SDL_FreeSurface(s);
    return panel;
}

void drawSkillPanels(CombatView& v, const CombatRecord& combat) {
    int w = v.screenW / 5, h = v.screenH / 8;
    freeSurface(v.heroPanel);
    freeSurface(v.enemyPanel);
    v.heroPanel =
        renderPanel(v, "Greystar", "Combat Skill", std::to_string(combat.heroCombatSkill), w, h);
    const EnemyRecord* e = enemyOf(combat);
    v.enemyPanel = renderPanel(v, e ? e->name : "Enemy", "Combat Skill",
                               std::to_string(combat.enemyCombatSkill), w, h);
}

void drawDamagePanels(CombatView& v, const CombatRecord& combat, bool permanent) {
    int w = v.screenW / 5, h = v.screenH / 8;
    freeSurface(v.heroPanel);
    freeSurface(v.enemyPanel);
    v.heroPanel = renderPanel(v, "Greystar", permanent ? "PERMANENT Loss" : "Damage",
                              panelLossText(combat.heroLoss), w, h);
    const EnemyRecord* e = enemyOf(combat);
    v.enemyPanel =
        renderPanel(v, e ? e->name : "Enemy", "Damage", panelLossText(combat.enemyLoss), w, h);
}

void drawMiddlePanel(CombatView& v, const std::string& top, const std::string& bottom, int value) {
    freeSurface(v.middlePanel);
    v.middlePanel =
        renderPanel(v, top, bottom, std::to_string(value), v.screenW / 7, v.screenH / 5);
}

SDL_Surface* renderPlate(CombatView& v, const CombatModifier& m) {
    return renderPanel(v, m.name, "", operationText(m.equation, m.value), v.screenW / 6,
                       v.screenH / 12);
}

void drawPanels(CombatView& v, SDL_Surface* screen, Uint8 alpha) {
    if (!screen) return;
    // Above the Combat Results Table, which fills the middle of the screen.
    int y = v.screenH / 100;
    auto put = [&](SDL_Surface* s, int cx) {
        if (!s) return;
        SDL_SetAlpha(s, SDL_SRCALPHA, alpha);
        blitCentred(screen, s, cx, y);
    };
    put(v.heroPanel, v.screenW / 4);
    put(v.enemyPanel, v.screenW * 3 / 4);
    put(v.middlePanel, v.screenW / 2);
}

// ---- The round on screen ----------------------------------------------------------

int combatFadeMs(int speed) {
    return 1001 - 250 * std::clamp(speed, 1, 3);
}
int combatMoveMs(int speed) {
    return (5 - std::clamp(speed, 1, 3)) * 250;
}
int combatSlideMs(int speed) {
    return (5 - std::clamp(speed, 1, 3)) * 500;
}

PlatePlace platePlace(const CombatView& v, int plateW, int plateH, bool toEnemy, bool takeBack,
                      int elapsedMs, int speed) {
    const int fade = combatFadeMs(speed), move = combatMoveMs(speed);
    // Starts between the panels, below them; ends on the panel it affects.
    const int startX = v.screenW / 2 - plateW / 2, startY = v.screenH / 100 + v.screenH / 8 + 4;
    const int panelX = (toEnemy ? v.screenW * 3 / 4 : v.screenW / 4) - plateW / 2;
    const int panelY = v.screenH / 100 + v.screenH / 16 - plateH / 2;
    int fromX = startX, fromY = startY, toX = panelX, toY = panelY;
    if (takeBack) {
        std::swap(fromX, toX);
        std::swap(fromY, toY);
    }
    PlatePlace p;
    const int t = std::max(0, elapsedMs);
    if (t < fade) {
        p = {fromX, fromY, static_cast<Uint8>(t * 255 / std::max(1, fade))};
    } else if (t < fade + move) {
        const int k = t - fade;
        p = {fromX + (toX - fromX) * k / std::max(1, move),
             fromY + (toY - fromY) * k / std::max(1, move), 255};
    } else {
        const int k = std::min(fade, t - fade - move);
        p = {toX, toY, static_cast<Uint8>(255 - k * 255 / std::max(1, fade))};
    }
    return p;
}

void freeCombatScreen(CombatScreen& s) {
    freeSurface(s.plate);
    freeCombatView(s.view);
}

bool startRound(CombatScreen& s, CombatRecord& combat, CombatEnv& env, bool evade) {
    if (s.running || !beginRound(combat, env, evade)) return false;
    s.running = true;
    s.outcomeReady = false;
    s.actions.clear();
    s.nextAction = 0;
    s.actionPerformed = false;
    freeSurface(s.plate);
    return true;
}

namespace {

// One acting modifier takes a fade in, a glide and a fade out.
int modifierMs(int speed) {
    return 2 * combatFadeMs(speed) + combatMoveMs(speed);
}

// One turn of the acting modifier: its plate comes, the operation is
// performed once the plate has reached its panel, and the plate goes.
// True when the turn is over.
template <typename Perform>
bool modifierTurn(CombatScreen& s, CombatRecord& combat, int speed, Perform perform) {
    const ModifierAction& a = s.actions[s.nextAction];
    if (!s.plate && a.index >= 0 && a.index < static_cast<int>(combat.modifiers.size()))
        s.plate = renderPlate(s.view, combat.modifiers[static_cast<size_t>(a.index)]);
    if (!s.actionPerformed && combat.elapsedMs >= combatFadeMs(speed) + combatMoveMs(speed)) {
        perform(a);
        s.actionPerformed = true;
    }
    if (combat.elapsedMs < modifierMs(speed)) return false;
    if (!s.actionPerformed) perform(a);
    freeSurface(s.plate);
    s.actionPerformed = false;
    ++s.nextAction;
    combat.elapsedMs = 0;
    return true;
}

void drawPlate(CombatScreen& s, const CombatRecord& combat, SDL_Surface* surface, int speed) {
    if (!surface || !s.plate || s.nextAction >= s.actions.size()) return;
    const ModifierAction& a = s.actions[s.nextAction];
    if (a.index < 0 || a.index >= static_cast<int>(combat.modifiers.size())) return;
    const CombatModifier& m = combat.modifiers[static_cast<size_t>(a.index)];
    PlatePlace p = platePlace(s.view, s.plate->w, s.plate->h, m.affectEnemy, a.takeBack,
                              combat.elapsedMs, speed);
    SDL_SetAlpha(s.plate, SDL_SRCALPHA, p.alpha);
    SDL_Rect at{static_cast<Sint16>(p.x), static_cast<Sint16>(p.y), 0, 0};
    blitSurface(s.plate, nullptr, surface, &at);
}

void next(CombatRecord& c, int phase, int step) {
    c.phase = phase;
    c.step = step;
    c.elapsedMs = 0;
}

} // namespace

void updateCombat(CombatScreen& s, CombatRecord& combat, CombatEnv& env, const CombatTable& table,
                  CombatResultsTable& crt, RandomNumberTable& rnt, int elapsedMs, int speed,
                  int rntSpeed, SDL_Surface* surface) {
    if (!s.running) return;
    combat.elapsedMs += std::max(0, elapsedMs);
    const int fade = combatFadeMs(speed);
    switch (combat.phase) {
    case 1: // preparation
        if (combat.step == 0) {
            drawSkillPanels(s.view, combat);
            freeSurface(s.view.middlePanel);
            next(combat, 1, 1);
        } else if (combat.step == 1) {
            s.alpha = static_cast<Uint8>(std::min(255, combat.elapsedMs * 255 / std::max(1, fade)));
            if (combat.elapsedMs >= fade) {
                s.actions = modifierWalk(combat, env, false);
                s.nextAction = 0;
                next(combat, 1, 2);
            }
        } else if (combat.step == 2) {
            if (s.nextAction >= s.actions.size()) {
                next(combat, 1, 3);
            } else {
                modifierTurn(s, combat, speed, [&](const ModifierAction& a) {
                    performSkillModifier(combat, a);
                    drawSkillPanels(s.view, combat);
                });
            }
        } else if (combat.elapsedMs >= combatMoveMs(speed)) {
            drawMiddlePanel(s.view, "Combat", "Ratio", computeRatio(combat));
            PickRequest request;
            request.forCombat = true;
            startPick(rnt, request, env.random, env.rules.allowGuidedRtn);
            next(combat, 2, 1);
        } else if (combat.step == 3 && !s.view.middlePanel) {
            drawMiddlePanel(s.view, "Combat", "Ratio", computeRatio(combat));
        }
        break;
    case 2: // random number
        if (combat.step == 1) {
            if (updatePick(rnt, elapsedMs, rntSpeed, env.random)) {
                bool bonus = setRoundNumber(combat, env, rnt.number);
                endPick(rnt);
                drawMiddlePanel(s.view, "Random", bonus ? "Number (+3)" : "Number",
                                combat.randomNumber);
                next(combat, 2, 2);
            }
        } else if (combat.elapsedMs >= fade) {
            drawTable(crt, table, combat.combatRatio);
            combat.heroLoss = combat.enemyLoss = CRT_WAITING;
            startResult(crt, table, combat.combatRatio, combat.randomNumber, &combat.heroLoss,
                        &combat.enemyLoss, speed);
            next(combat, 3, 1);
        }
        break;
    case 3: // the table's result
        if (combat.step == 1) {
            if (combat.heroLoss != CRT_WAITING) {
                // The table showed the plain cell; the engine's rules follow.
                tableLosses(combat, env, table);
                if (needsSecondPick(combat))
                    applySecondPick(combat, drawTableNumber(rnt, env.random));
                drawDamagePanels(s.view, combat, permanentLoss(combat, env));
                freeSurface(s.view.middlePanel);
                proceedTable(crt);
                next(combat, 3, 2);
            }
        } else if (combat.elapsedMs >= combatSlideMs(speed)) {
            if (staffBlastPicks(combat))
                applyStaffBlast(combat, env, drawTableNumber(rnt, env.random));
            else if (combat.specialType == SPECIAL_STAFF_EVERY_OTHER ||
                     combat.specialType == SPECIAL_STAFF_FROM_FOURTH)
                applyStaffBlast(combat, env, -1);
            if (env.hero.usingVaelBlast)
                applyPsychicBlast(combat, drawTableNumber(rnt, env.random),
                                  drawTableNumber(rnt, env.random));
            s.actions = modifierWalk(combat, env, true);
            s.nextAction = 0;
            next(combat, 4, 1);
        }
        break;
    case 4: // aftermath
        if (combat.step == 1) {
            if (s.nextAction >= s.actions.size()) {
                next(combat, 4, 2);
            } else {
                modifierTurn(s, combat, speed, [&](const ModifierAction& a) {
                    performDamageModifier(combat, env, a);
                    drawDamagePanels(s.view, combat, permanentLoss(combat, env));
                });
            }
        } else if (combat.step == 2) {
            s.outcome = finishRound(combat, env);
            s.outcomeReady = true;
            next(combat, 4, 3);
        } else if (combat.elapsedMs >= fade) {
            s.alpha = 0;
            if (s.outcome.adganaCheck) adganaCheck(env.hero, drawTableNumber(rnt, env.random));
            next(combat, 0, 0);
            s.running = false;
        } else {
            s.alpha =
                static_cast<Uint8>(255 - std::min(255, combat.elapsedMs * 255 / std::max(1, fade)));
        }
        break;
    default:
        s.running = false;
        break;
    }
    updateTable(crt, table, surface, elapsedMs, speed);
    if (surface && s.running) {
        drawPanels(s.view, surface, s.alpha);
        drawPlate(s, combat, surface, speed);
    }
}
