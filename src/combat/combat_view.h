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
