// The combat screen's panels: the two COMBAT SKILL panels, the modifier
// plates, the ratio and random-number panels and the two damage panels,
// drawn over the section page. The arithmetic they show is combat_engine's.
#pragma once

#include "combat/combat_record.h"

#include <SDL/SDL.h>

#include <string>

struct CombatView {
    int screenW = 0, screenH = 0;
    std::string fontName = "bluehigh";
    SDL_Surface* paper = nullptr; // panel ground
    SDL_Surface* heroPanel = nullptr;
    SDL_Surface* enemyPanel = nullptr;
    SDL_Surface* middlePanel = nullptr; // ratio or number
};

bool loadCombatView(CombatView& view, int screenW, int screenH, const std::string& fontName,
                    const std::string& paperName);
void freeCombatView(CombatView& view);
// A panel of up to three lines, the first shrunk to 85 % of the width.
SDL_Surface* renderPanel(CombatView& view, const std::string& first, const std::string& second,
                         const std::string& third, int width, int height);
void drawSkillPanels(CombatView& view, const CombatRecord& combat);
void drawDamagePanels(CombatView& view, const CombatRecord& combat, bool permanent);
void drawMiddlePanel(CombatView& view, const std::string& top, const std::string& bottom,
                     int value);
// A modifier's plate: its name and operation ("+2", "x1.5").
SDL_Surface* renderPlate(CombatView& view, const CombatModifier& m);
// Blits the panels at their rest positions, with an alpha for the fades.
void drawPanels(CombatView& view, SDL_Surface* screen, Uint8 alpha);
// "K" for a loss of 100 or more.
std::string panelLossText(int loss);

// ---- The round on screen ------------------------------------------------------

#include "book/random_table.h"
#include "combat/combat_engine.h"
#include "combat/crt_view.h"

#include <vector>

struct CombatScreen {
    CombatView view;
    std::vector<ModifierAction> actions; // of the walk under way
    size_t nextAction = 0;
    bool actionPerformed = false;  // the acting modifier's effect is in the values
    SDL_Surface* plate = nullptr;  // the acting modifier's plate
    Uint8 alpha = 0;
    bool running = false;
    RoundOutcome outcome; // of the last finished round
    bool outcomeReady = false;
};

// Fade, move and slide times at COMBAT_SPEED s (capped at 3 for the engine's own steps).
int combatFadeMs(int speed);
int combatMoveMs(int speed);
int combatSlideMs(int speed);

// The plate of the modifier acting `elapsedMs` into its turn: fading in
// where it starts, gliding to the panel it affects (from it when taken back),
// fading out there. Its top-left corner and alpha.
struct PlatePlace {
    int x = 0, y = 0;
    Uint8 alpha = 0;
};
PlatePlace platePlace(const CombatView& view, int plateW, int plateH, bool toEnemy, bool takeBack,
                      int elapsedMs, int speed);
void freeCombatScreen(CombatScreen& screen);

// Begins a round; ignored when the hero has no ENDURANCE left or a round runs.
bool startRound(CombatScreen& screen, CombatRecord& combat, CombatEnv& env, bool evade);
// Advances the round by the elapsed time, drawing when `surface` is given.
// The table pick and the Combat Results Table run their own animations.
void updateCombat(CombatScreen& screen, CombatRecord& combat, CombatEnv& env,
                  const CombatTable& table, CombatResultsTable& crt, RandomNumberTable& rnt,
                  int elapsedMs, int combatSpeed, int rntSpeed, SDL_Surface* surface);
