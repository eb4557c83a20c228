#include "combat/combat_view.h"

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
    SDL_BlitSurface(src, nullptr, dst, &at);
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
        SDL_BlitSurface(ground, nullptr, panel, nullptr);
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
    int w = v.screenW / 5, h = v.screenH / 5;
    freeSurface(v.heroPanel);
    freeSurface(v.enemyPanel);
    v.heroPanel =
        renderPanel(v, "Greystar", "Combat Skill", std::to_string(combat.heroCombatSkill), w, h);
    const EnemyRecord* e = enemyOf(combat);
    v.enemyPanel = renderPanel(v, e ? e->name : "Enemy", "Combat Skill",
                               std::to_string(combat.enemyCombatSkill), w, h);
}

void drawDamagePanels(CombatView& v, const CombatRecord& combat, bool permanent) {
    int w = v.screenW / 5, h = v.screenH / 5;
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
    return renderPanel(v, m.name, operationText(m.equation, m.value), "", v.screenW / 6,
                       v.screenH / 12);
}

void drawPanels(CombatView& v, SDL_Surface* screen, Uint8 alpha) {
    if (!screen) return;
    int y = v.screenH / 8;
    auto put = [&](SDL_Surface* s, int cx) {
        if (!s) return;
        SDL_SetAlpha(s, SDL_SRCALPHA, alpha);
        blitCentred(screen, s, cx, y);
    };
    put(v.heroPanel, v.screenW / 4);
    put(v.enemyPanel, v.screenW * 3 / 4);
    put(v.middlePanel, v.screenW / 2);
}
