#include "book/random_table_view.h"
#include "ui/blit.h"

#include "ui/font.h"
#include "ui/image.h"
#include "ui/text.h"

#include <SDL/SDL_ttf.h>

#include <algorithm>

namespace {

const SDL_Color DIGIT_INK{52, 32, 16, 0};
const SDL_Color NUMBER_INK{120, 20, 16, 0};
constexpr double BORDER = 10.0 / 400.0; // of the box's side, as the art draws it

SDL_Surface* bar(int w, int h, SDL_Color c) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, std::max(1, w), std::max(1, h), 32,
                                          0xFF0000, 0xFF00, 0xFF, 0);
    if (!s) return nullptr;
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, c.r, c.g, c.b));
    SDL_SetAlpha(s, SDL_SRCALPHA, 128);
    return s;
}

void blit(SDL_Surface* src, SDL_Surface* dst, int x, int y) {
    if (!src || !dst) return;
    SDL_Rect at{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    blitSurface(src, nullptr, dst, &at);
}

void centred(SDL_Surface* dst, TTF_Font* font, const std::string& text, SDL_Color c, int cx,
             int cy) {
    if (!font) return;
    SDL_Surface* s = renderText(font, text, c);
    if (!s) return;
    blit(s, dst, cx - s->w / 2, cy - s->h / 2);
    SDL_FreeSurface(s);
}

int lerp(int a, int b, int e, int t) {
    return t <= 0 ? b : a + (b - a) * std::clamp(e, 0, t) / t;
}

} // namespace

bool loadRandomTableView(RandomTableView& v, int screenW, int screenH, const std::string& paperName,
                         const std::string& fontName, SDL_Color barColor) {
    v.screenW = screenW;
    v.screenH = screenH;
    v.fontName = fontName;
    v.side = screenH / 2;
    auto scaled = [&](SDL_Surface* raw, int size) {
        SDL_Surface* s = scaleImageTo(raw, size, size);
        if (s != raw) SDL_FreeSurface(raw);
        return s;
    };
    v.box = scaled(loadImage("data/misc", "rntbox"), v.side);
    v.guide = scaled(loadImage("data/misc", "rntguide"), v.side);
    v.paper = scaled(loadImage("data/paper", paperName), v.side * 6 / 5);
    int cell = static_cast<int>(v.side * (1 - 2 * BORDER) / RNT_SIZE);
    v.columnBar = bar(cell, v.side, barColor);
    v.rowBar = bar(v.side, cell, barColor);
    return !isPlaceholder(v.box);
}

void freeRandomTableView(RandomTableView& v) {
    for (SDL_Surface** s : {&v.paper, &v.box, &v.guide, &v.columnBar, &v.rowBar}) {
        if (*s) SDL_FreeSurface(*s);
        *s = nullptr;
    }
}

int regionForKey(SDLKey key) {
    if (key >= SDLK_KP1 && key <= SDLK_KP9) return key - SDLK_KP1 + 1;
    if (key >= SDLK_1 && key <= SDLK_9) return key - SDLK_1 + 1;
    return RNT_NO_REGION;
}

void drawPick(RandomTableView& v, const RandomNumberTable& t, SDL_Surface* screen, int speed) {
    if (!t.active || !screen || !v.box) return;
    const int side = v.side;
    const int restY = (v.screenH - side) / 2 - v.screenH / 20;
    const int x = (v.screenW - side) / 2;
    int y = restY;
    int dur = stepDuration(t, t.step, speed);
    if (t.step == 0) y = lerp(-side - side / 5, restY, t.elapsed, dur);
    if (t.step == 4) y = lerp(restY, -side - side / 5, t.elapsed, dur);
    if (v.paper) blit(v.paper, screen, x - side / 10, y - side / 10);
    blit(v.box, screen, x, y);

    const int border = static_cast<int>(side * BORDER);
    const double cell = side * (1 - 2 * BORDER) / RNT_SIZE;
    TTF_Font* font = openFont(v.fontName, std::max(6, static_cast<int>(cell * 0.6)));
    for (int col = 0; col < RNT_SIZE; ++col)
        for (int row = 0; row < RNT_SIZE; ++row)
            centred(screen, font, std::to_string(t.grid[col][row]), DIGIT_INK,
                    x + border + static_cast<int>((col + 0.5) * cell),
                    y + border + static_cast<int>((row + 0.5) * cell));
    if (font) TTF_CloseFont(font);
    if (waitingForRegion(t) || (t.guidable && !t.drawn)) blit(v.guide, screen, x, y);

    if (t.drawn && t.step >= 1) {
        // The bars come from the side away from the cell.
        int cellX = x + border + static_cast<int>(t.column * cell);
        int cellY = y + border + static_cast<int>(t.row * cell);
        int fromX = t.column < 5 ? x + side : x - static_cast<int>(cell);
        int fromY = t.row < 5 ? y + side : y - static_cast<int>(cell);
        int e = t.step == 1 ? t.elapsed : dur;
        int d = t.step == 1 ? dur : 1;
        SDL_Rect clip{static_cast<Sint16>(x), static_cast<Sint16>(std::max(0, y)),
                      static_cast<Uint16>(side), static_cast<Uint16>(side)};
        SDL_Rect old;
        SDL_GetClipRect(screen, &old);
        SDL_SetClipRect(screen, &clip);
        blit(v.columnBar, screen, lerp(fromX, cellX, e, d), y);
        blit(v.rowBar, screen, x, lerp(fromY, cellY, e, d));
        SDL_SetClipRect(screen, &old);
    }
    if (t.drawn && t.step >= 2 && t.step <= 3) {
        TTF_Font* big = openFont(v.fontName, std::max(8, v.screenH * 15 / 100));
        centred(screen, big, std::to_string(std::max(0, t.number)), NUMBER_INK, v.screenW / 2,
                y + side + v.screenH / 10);
        if (big) TTF_CloseFont(big);
    }
}
