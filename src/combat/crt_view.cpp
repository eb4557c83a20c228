#include "combat/crt_view.h"
#include "ui/blit.h"

#include "ui/font.h"
#include "ui/image.h"
#include "ui/text.h"

#include <SDL/SDL_ttf.h>

#include <algorithm>

namespace {

constexpr double CELL_SPAN = 1.05375; // body width over the 13 columns' width
constexpr double ROW_SPAN = 10.06;    // body height over one row's height
constexpr double LEFT_MARGIN = 0.026875;
constexpr double TOP_MARGIN = 0.003;
const SDL_Color INK{58, 36, 18, 0};
const SDL_Color LABEL_INK{120, 80, 40, 0};

int slideTime(int speed) {
    return 1250 - 250 * std::clamp(speed, 1, 4);
}
int barTime(int speed) {
    return 2500 - 500 * std::clamp(speed, 1, 4);
}

SDL_Surface* copyOf(SDL_Surface* s) {
    return s ? SDL_ConvertSurface(s, s->format, s->flags) : nullptr;
}

SDL_Surface* makeBar(int w, int h, SDL_Color colour) {
    SDL_Surface* bar = SDL_CreateRGBSurface(SDL_SWSURFACE, std::max(1, w), std::max(1, h), 32,
                                            0xFF0000, 0xFF00, 0xFF, 0);
    if (!bar) return nullptr;
    SDL_FillRect(bar, nullptr, SDL_MapRGB(bar->format, colour.r, colour.g, colour.b));
    SDL_SetAlpha(bar, SDL_SRCALPHA, 128);
    return bar;
}

void blitText(SDL_Surface* dst, TTF_Font* font, const std::string& text, SDL_Color colour, int x,
              int y,
              int align) { // align: 0 left, 1 centre, 2 right of x
    if (!font || !dst) return;
    SDL_Surface* s = renderText(font, text, colour);
    if (!s) return;
    int left = align == 1 ? x - s->w / 2 : align == 2 ? x - s->w : x;
    SDL_Rect at{static_cast<Sint16>(left), static_cast<Sint16>(y), 0, 0};
    blitSurface(s, nullptr, dst, &at);
    SDL_FreeSurface(s);
}

void blit(SDL_Surface* src, SDL_Surface* dst, int x, int y) {
    if (!src || !dst) return;
    SDL_Rect at{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    blitSurface(src, nullptr, dst, &at);
}

// Where the body rests, plus the slide offset.
SDL_Rect bodyRect(const CombatResultsTable& v, int offsetY) {
    SDL_Surface* body = v.images[4];
    SDL_Rect r{0, 0, 0, 0};
    if (!body) return r;
    r.x = static_cast<Sint16>((v.screenW - body->w) / 2);
    r.y = static_cast<Sint16>(v.screenH * 6 / 10 - body->h / 2 + offsetY);
    r.w = static_cast<Uint16>(body->w);
    r.h = static_cast<Uint16>(body->h);
    return r;
}

int slideOffset(const CombatResultsTable& v, int speed) {
    int t = std::max(1, slideTime(speed));
    int e = std::min(v.elapsed, t);
    if (v.state == CRT_SLIDE_IN) return v.screenH - v.screenH * e / t;
    if (v.state == CRT_SLIDE_OUT) return v.screenH * e / t;
    return 0;
}

void computeTarget(CombatResultsTable& v) {
    SDL_Surface* body = v.images[4];
    int w = body ? body->w : 0, h = body ? body->h : 0;
    v.target = lookupCell(v.ratio, v.number, v.extended);
    int colW = v.columnBar ? v.columnBar->w : 0;
    int slot = v.pageShift != 0 ? CRT_VISIBLE_COLUMNS - 1 : v.target.column;
    v.colTargetX = colW * slot + static_cast<int>(LEFT_MARGIN * w);
    v.rowTargetY = static_cast<int>(v.target.row * (h / ROW_SPAN) + TOP_MARGIN * h);
    v.colStartX = v.target.column < 7 ? w : -colW;
    v.rowStartY = v.target.row < 5 ? h : -(v.rowBar ? v.rowBar->h : 0);
    v.colX = v.colStartX;
    v.rowY = v.rowStartY;
}

void writeOutputs(CombatResultsTable& v, const CombatTable& table) {
    if (v.heroOut && *v.heroOut == CRT_WAITING) {
        *v.heroOut = table.heroLoss[v.target.column][v.target.row];
        if (v.enemyOut) *v.enemyOut = table.enemyLoss[v.target.column][v.target.row];
    }
}

void drawAll(CombatResultsTable& v, SDL_Surface* screen, int offsetY, bool bars) {
    SDL_Rect body = bodyRect(v, offsetY);
    SDL_Surface* header = v.images[3];
    int headerY = body.y - (header ? header->h + header->h / 10 : 0);
    if (header) blit(header, screen, (v.screenW - header->w) / 2, headerY);
    int y2 = headerY - (v.images[1] ? v.images[1]->h : 0);
    if (v.images[1]) blit(v.images[1], screen, (v.screenW - v.images[1]->w) / 2, y2);
    if (v.images[0])
        blit(v.images[0], screen, (v.screenW - v.images[0]->w) / 2,
             y2 - v.images[0]->h - v.images[0]->h / 10);
    if (v.images[2])
        blit(v.images[2], screen, body.x - v.images[2]->w, body.y + (body.h - v.images[2]->h) / 2);
    blit(v.images[4], screen, body.x, body.y);
    if (!bars) return;
    SDL_Rect oldClip;
    SDL_GetClipRect(screen, &oldClip);
    SDL_SetClipRect(screen, &body);
    blit(v.columnBar, screen, body.x + v.colX, body.y);
    blit(v.rowBar, screen, body.x + static_cast<int>(LEFT_MARGIN * body.w), body.y + v.rowY);
    SDL_SetClipRect(screen, &oldClip);
}

} // namespace

bool loadTableImages(CombatResultsTable& v, int screenW, int screenH, const std::string& fontName,
                     SDL_Color barColor) {
    v.screenW = screenW;
    v.screenH = screenH;
    v.fontName = fontName;
    v.barColor = barColor;
    if (v.images[4]) return true;
    SDL_Surface* raw[5];
    for (int i = 0; i < 5; ++i)
        raw[i] = loadImage("data/misc", "crt-" + std::to_string(i + 1));
    double factor = raw[4] && raw[4]->h > 0 ? 0.6 * screenH / raw[4]->h : 1.0;
    for (int i = 0; i < 5; ++i) {
        v.images[i] = scaleImage(raw[i], factor);
        if (v.images[i] != raw[i]) SDL_FreeSurface(raw[i]);
    }
    v.cleanBody = copyOf(v.images[4]);
    v.cleanHeader = copyOf(v.images[3]);
    int w = v.images[4] ? v.images[4]->w : 1, h = v.images[4] ? v.images[4]->h : 1;
    v.columnBar = makeBar(static_cast<int>(w / CELL_SPAN / CRT_VISIBLE_COLUMNS), h, barColor);
    v.rowBar = makeBar(static_cast<int>(w / CELL_SPAN), static_cast<int>(h / ROW_SPAN), barColor);
    return !isPlaceholder(v.images[4]);
}

void freeTableImages(CombatResultsTable& v) {
    for (SDL_Surface*& s : v.images) {
        if (s) SDL_FreeSurface(s);
        s = nullptr;
    }
    for (SDL_Surface** s : {&v.cleanBody, &v.cleanHeader, &v.columnBar, &v.rowBar}) {
        if (*s) SDL_FreeSurface(*s);
        *s = nullptr;
    }
}

void drawTable(CombatResultsTable& v, const CombatTable& table, int ratio) {
    v.pageShift = pageShiftFor(ratio, v.extended);
    if (!v.cleanBody || !v.cleanHeader) return;
    // Rebuild the drawn copies from the clean ones.
    SDL_FreeSurface(v.images[4]);
    SDL_FreeSurface(v.images[3]);
    v.images[4] = copyOf(v.cleanBody);
    v.images[3] = copyOf(v.cleanHeader);
    SDL_Surface* body = v.images[4];
    SDL_Surface* header = v.images[3];
    int size = std::max(6, body->h / 20);
    TTF_Font* font = openFont(v.fontName, size);
    TTF_Font* small = openFont(v.fontName, std::max(5, size * 2 / 3));
    int wh = header->w;
    // The widest label of the page must fit its slot, or neighbours run together.
    int headerSize = size;
    TTF_Font* headerFont = openFont(v.fontName, headerSize);
    for (int tries = 0; headerFont && tries < 12; ++tries) {
        int widest = 0;
        for (int k = 0; k < CRT_VISIBLE_COLUMNS; ++k) {
            int w = 0, h = 0;
            textSize(headerFont, slotLabel(v.pageShift, k, v.extended), &w, &h);
            widest = std::max(widest, w);
        }
        if (widest <= wh / CRT_VISIBLE_COLUMNS - 4 || headerSize <= 6) break;
        TTF_CloseFont(headerFont);
        headerFont = openFont(v.fontName, --headerSize);
    }
    for (int k = 0; k < CRT_VISIBLE_COLUMNS; ++k)
        blitText(header, headerFont, slotLabel(v.pageShift, k, v.extended), INK,
                 k * wh / CRT_VISIBLE_COLUMNS + wh / 26, header->h / 2 - headerSize / 2 - 2, 1);
    if (headerFont) TTF_CloseFont(headerFont);
    double colW = body->w / CELL_SPAN / CRT_VISIBLE_COLUMNS;
    double rowH = body->h / ROW_SPAN;
    int left = static_cast<int>(LEFT_MARGIN * body->w);
    int top = static_cast<int>(TOP_MARGIN * body->h);
    int last = lastColumn(v.extended);
    for (int row = 0; row < CRT_ROWS; ++row) {
        int y = top + static_cast<int>(row * rowH);
        std::string n = std::to_string(rowNumber(row));
        blitText(body, font, n, INK, left / 2, y + static_cast<int>(rowH / 2) - size / 2, 1);
        blitText(body, font, n, INK, body->w - left / 2, y + static_cast<int>(rowH / 2) - size / 2,
                 1);
        for (int k = 0; k < CRT_VISIBLE_COLUMNS; ++k) {
            int col = std::min(v.pageShift + k, last);
            int x = left + static_cast<int>(k * colW);
            int right = left + static_cast<int>((k + 1) * colW) - 3;
            blitText(body, small, "E", LABEL_INK, x + 3, y + 1, 0);
            blitText(body, font, cellLossText(table.enemyLoss[col][row]), INK, right, y - 1, 2);
            int y2 = y + static_cast<int>(rowH / 2);
            blitText(body, small, "GS", LABEL_INK, x + 3, y2 + 1, 0);
            blitText(body, font, cellLossText(table.heroLoss[col][row]), INK, right, y2 - 1, 2);
        }
    }
    if (font) TTF_CloseFont(font);
    if (small) TTF_CloseFont(small);
}

void startResult(CombatResultsTable& v, const CombatTable& table, int ratio, int number,
                 int* heroOut, int* enemyOut, int speed) {
    v.ratio = ratio;
    v.number = number;
    v.heroOut = heroOut;
    v.enemyOut = enemyOut;
    v.viewerMode = false;
    v.elapsed = 0;
    v.state = CRT_SLIDE_IN;
    if (speed >= 4) {
        computeTarget(v);
        writeOutputs(v, table);
        v.state = CRT_RESULT;
    }
}

void proceedTable(CombatResultsTable& v) {
    if (v.state == CRT_RESULT) {
        v.state = CRT_HOLD;
        v.elapsed = 0;
    }
}

void openTableViewer(CombatResultsTable& v, const CombatTable& table, int page) {
    v.viewerMode = true;
    v.heroOut = v.enemyOut = nullptr;
    drawTable(v, table, 0);
    if (v.extended && page % 2 != 0) {
        // The second page: columns 9 to 21, as a ratio of 29 pages it.
        drawTable(v, table, 29);
    }
    v.state = CRT_SLIDE_IN;
    v.elapsed = 0;
}

void closeTableViewer(CombatResultsTable& v) {
    if (v.viewerMode && v.state == CRT_HOLD) {
        v.state = CRT_SLIDE_OUT;
        v.elapsed = 0;
    }
}

bool tableBusy(const CombatResultsTable& v) {
    return v.state != CRT_IDLE;
}

void updateTable(CombatResultsTable& v, const CombatTable& table, SDL_Surface* screen,
                 int elapsedMs, int speed) {
    if (v.state == CRT_IDLE) return;
    v.elapsed += std::max(0, elapsedMs);
    const bool skip = speed >= 4 && !v.viewerMode;
    switch (v.state) {
    case CRT_SLIDE_IN: // the table rises from below the screen
        if (v.elapsed >= slideTime(speed)) {
            v.state = v.viewerMode ? CRT_HOLD : CRT_COMPUTE;
            v.elapsed = 0;
        }
        break;
    case CRT_COMPUTE:
        computeTarget(v);
        v.state = CRT_BARS;
        v.elapsed = 0;
        break;
    case CRT_BARS: { // the bars glide onto the cell
        int t = std::max(1, barTime(speed));
        int e = std::min(v.elapsed, t);
        v.colX = v.colStartX + (v.colTargetX - v.colStartX) * e / t;
        v.rowY = v.rowStartY + (v.rowTargetY - v.rowStartY) * e / t;
        if (v.elapsed >= t) {
            v.state = CRT_RESULT;
            v.elapsed = 0;
        }
        break;
    }
    case CRT_RESULT: // until the engine has shown the damage
        writeOutputs(v, table);
        break;
    case CRT_HOLD:
        if (!v.viewerMode && v.elapsed >= (skip ? 250 : slideTime(speed))) {
            v.state = skip ? CRT_IDLE : CRT_SLIDE_OUT;
            v.elapsed = 0;
        }
        break;
    case CRT_SLIDE_OUT:
        if (v.elapsed >= slideTime(speed)) {
            v.state = CRT_IDLE;
            v.viewerMode = false;
            v.elapsed = 0;
        }
        break;
    default:
        v.state = CRT_IDLE;
        break;
    }
    if (!screen || v.state == CRT_IDLE || (skip && (v.state == CRT_RESULT || v.state == CRT_HOLD)))
        return;
    bool bars = !v.viewerMode && (v.state == CRT_BARS || v.state == CRT_RESULT ||
                                  v.state == CRT_HOLD || v.state == CRT_SLIDE_OUT);
    drawAll(v, screen, slideOffset(v, speed), bars);
}
