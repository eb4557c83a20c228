// Interface pieces: the frame pieces of framed panels, the play screen's
// title frame, small window buttons, page tabs, the page scroll bar, the
// caption background of menu buttons, mouse cursors and the program icon.
#include "kit.h"
#include "registry.h"

#include <cmath>
#include <string>

namespace {

// Frame pieces are ink on white: the program inks them in the text colour by
// turning white into transparency. Each piece is a junction of "arms" running
// from its centre to its sides; the rule runs along the middle of every arm,
// flanked by two hairlines, so top and bottom (and left and right) can use the
// same piece and neighbouring panels meet in one continuous line.
const int PIECE = 12;
const float RULE = 2.2f, FLANK = 3.6f, HAIR = 0.9f;

enum Arm { UP = 1, DOWN = 2, LEFT = 4, RIGHT = 8 };

Canvas framePiece(int w, int h, int arms) {
    Canvas c(w, h, hex(0xffffff));
    float cx = w / 2.0f, cy = h / 2.0f;
    float far = 1000;
    // The area swept by the arms; its outline gives the hairlines.
    Shape core = rectShape(cx - FLANK, cy - FLANK, 2 * FLANK, 2 * FLANK);
    Shape swept = core;
    if (arms & UP) swept = unite(swept, rectShape(cx - FLANK, -far, 2 * FLANK, far + cy));
    if (arms & DOWN) swept = unite(swept, rectShape(cx - FLANK, cy, 2 * FLANK, far));
    if (arms & LEFT) swept = unite(swept, rectShape(-far, cy - FLANK, far + cx, 2 * FLANK));
    if (arms & RIGHT) swept = unite(swept, rectShape(cx, cy - FLANK, far, 2 * FLANK));
    swept.x0 = 0, swept.y0 = 0, swept.x1 = static_cast<float>(w), swept.y1 = static_cast<float>(h);
    c.fillShape(outline(swept, HAIR), hex(0x5a5a5a));
    Color ink = hex(0x141414);
    if (arms & UP) c.fillShape(rectShape(cx - RULE / 2, 0, RULE, cy + RULE / 2), ink);
    if (arms & DOWN)
        c.fillShape(rectShape(cx - RULE / 2, cy - RULE / 2, RULE, h - cy + RULE / 2), ink);
    if (arms & LEFT) c.fillShape(rectShape(0, cy - RULE / 2, cx + RULE / 2, RULE), ink);
    if (arms & RIGHT)
        c.fillShape(rectShape(cx - RULE / 2, cy - RULE / 2, w - cx + RULE / 2, RULE), ink);
    return c;
}

Canvas windowButton(int size, bool quit) {
    Canvas c(size, size);
    float r = size / 2.0f;
    c.fillShape(circle(r, r + 1, r - 1), Color{0, 0, 0, 0.4f});
    c.fillShape(circle(r, r, r - 1), BRONZE_DARK);
    Color face = quit ? hex(0x8e2a1f) : hex(0x6b4a22);
    c.fillShape(circle(r, r, r - 2.5f),
                radialGradient(r * 0.75f, r * 0.6f, r * 1.3f,
                               {{0.0f, shade(face, 0.35f)}, {1.0f, shade(face, -0.35f)}}));
    c.strokeShape(circle(r, r, r - 2.5f), 1.0f, withAlpha(GOLD_LIGHT, 0.7f));
    float s = r * 0.4f;
    if (quit) {
        c.fillShape(segment(r - s, r - s, r + s, r + s, 3.0f), PARCHMENT_LIGHT);
        c.fillShape(segment(r - s, r + s, r + s, r - s, 3.0f), PARCHMENT_LIGHT);
    } else {
        c.fillShape(segment(r - s, r + s * 0.7f, r + s, r + s * 0.7f, 3.0f), PARCHMENT_LIGHT);
    }
    return c;
}

const int TAB_W = 120, TAB_H = 34;

Shape tabShape() {
    // Rounded top corners, square bottom that meets the page.
    Shape top = roundRect(0.5f, 0.5f, TAB_W - 1.0f, TAB_H + 10.0f, 9);
    return intersect(top, rectShape(0, 0, TAB_W, TAB_H));
}

Canvas cursorArrow(Color fill, Color rim) {
    Canvas c(32, 32);
    std::vector<std::pair<float, float>> pts = {{1.5f, 1.5f},   {1.5f, 22.0f},  {7.0f, 17.0f},
                                                {11.0f, 26.0f}, {15.0f, 24.5f}, {11.0f, 15.5f},
                                                {18.0f, 15.5f}};
    Shape arrow = polygon(pts);
    dropShadow(c, arrow, 1.5f, 1, 2, 0.45f);
    c.fillShape(inflate(arrow, 1.2f), rim);
    c.fillShape(arrow, linearGradient(0, 0, 12, 24,
                                      {{0.0f, shade(fill, 0.45f)}, {1.0f, shade(fill, -0.2f)}}));
    return c;
}

// A quill over an open book, the program's mark.
void drawEmblem(Canvas& c, float cx, float cy, float size) {
    float s = size / 64.0f;
    // Book
    auto P = [&](float x, float y) { return std::make_pair(cx + x * s, cy + y * s); };
    Shape left = polygon({P(-28, 6), P(-2, 12), P(-2, 26), P(-28, 20)});
    Shape right = polygon({P(2, 12), P(28, 6), P(28, 20), P(2, 26)});
    Shape cover = polygon({P(-31, 8), P(0, 15), P(31, 8), P(31, 24), P(0, 31), P(-31, 24)});
    c.fillShape(cover, OXBLOOD);
    c.fillShape(left, linearGradient(cx - 28 * s, 0, cx, 0,
                                     {{0.0f, PARCHMENT_DARK}, {1.0f, PARCHMENT_LIGHT}}));
    c.fillShape(right, linearGradient(cx, 0, cx + 28 * s, 0,
                                      {{0.0f, PARCHMENT_LIGHT}, {1.0f, PARCHMENT_DARK}}));
    for (int i = 0; i < 3; ++i) {
        float y = 11.5f + i * 3.5f;
        c.fillShape(segment(cx - 24 * s, cy + (y - 2) * s, cx - 6 * s, cy + (y + 2) * s, 0.9f * s),
                    withAlpha(INK, 0.5f));
        c.fillShape(segment(cx + 6 * s, cy + (y + 2) * s, cx + 24 * s, cy + (y - 2) * s, 0.9f * s),
                    withAlpha(INK, 0.5f));
    }
    // Quill: a curved vane with a dark shaft and a gold nib.
    std::vector<std::pair<float, float>> vane;
    for (int i = 0; i <= 20; ++i) {
        float t = i / 20.0f;
        vane.push_back(
            P(6 + 22 * t + std::sin(t * 3.14159f) * 6, -30 + 40 * t - std::sin(t * 3.14159f) * 4));
    }
    for (int i = 20; i >= 0; --i) {
        float t = i / 20.0f;
        vane.push_back(P(6 + 22 * t - std::sin(t * 3.14159f) * 7 + 4,
                         -30 + 40 * t + std::sin(t * 3.14159f) * 5));
    }
    (void)vane;
    std::vector<std::pair<float, float>> feather;
    for (int i = 0; i <= 24; ++i) {
        float t = i / 24.0f;
        float wdt = std::sin(t * 3.14159f) * (1 - 0.4f * t) * 9;
        feather.push_back(P(20 - 26 * t - wdt * 0.8f, -34 + 40 * t - wdt * 0.6f));
    }
    for (int i = 24; i >= 0; --i) {
        float t = i / 24.0f;
        float wdt = std::sin(t * 3.14159f) * (1 - 0.4f * t) * 9;
        feather.push_back(P(20 - 26 * t + wdt * 0.8f, -34 + 40 * t + wdt * 0.6f));
    }
    Shape f = polygon(feather);
    c.fillShape(inflate(f, 1.2f * s), INK);
    c.fillShape(f, linearGradient(cx + 20 * s, cy - 34 * s, cx - 6 * s, cy + 6 * s,
                                  {{0.0f, hex(0xfaf3e0)}, {1.0f, hex(0xcdb98e)}}));
    auto a = P(22, -36), b = P(-8, 10);
    c.fillShape(segment(a.first, a.second, b.first, b.second, 1.3f * s), INK_SOFT);
    auto n = P(-8, 10), m = P(-11, 15);
    c.fillShape(segment(n.first, n.second, m.first, m.second, 2.2f * s), GOLD);
}

} // namespace

ART_MODULE(framePieces) {
    struct Piece {
        const char* name;
        int w, h, arms;
    };
    const Piece pieces[] = {{"corner-TL", PIECE, PIECE, DOWN | RIGHT},
                            {"corner-TR", PIECE, PIECE, DOWN | LEFT},
                            {"corner-BL", PIECE, PIECE, UP | RIGHT},
                            {"corner-BR", PIECE, PIECE, UP | LEFT},
                            {"edge-horiz", 32, PIECE, LEFT | RIGHT},
                            {"edge-vert", PIECE, 32, UP | DOWN},
                            {"T-top", PIECE, PIECE, LEFT | RIGHT | DOWN},
                            {"T-bottom", PIECE, PIECE, LEFT | RIGHT | UP},
                            {"T-left", PIECE, PIECE, UP | DOWN | RIGHT},
                            {"T-right", PIECE, PIECE, UP | DOWN | LEFT},
                            {"cross", PIECE, PIECE, UP | DOWN | LEFT | RIGHT}};
    for (const Piece& p : pieces)
        ctx.save(framePiece(p.w, p.h, p.arms), std::string("misc/edge/") + p.name + ".png");
    ctx.save(Canvas(PIECE, PIECE, hex(0xffffff)), "misc/edge/middle.png");
}

ART_MODULE(guiPieces) {
    ctx.save(windowButton(32, false), "gui/minimize.png");
    ctx.save(windowButton(32, true), "gui/quit.png");

    // The frame of the book's title on the play screen: a parchment cartouche
    // with gilt ends; the title is written over its middle.
    {
        const int w = 560, h = 60;
        Canvas c(w, h);
        Shape body = roundRect(22, 6, w - 44.0f, h - 12.0f, 6);
        dropShadow(c, body, 4, 0, 3, 0.5f);
        for (int side = 0; side < 2; ++side) {
            float x = side ? w - 30.0f : 30.0f;
            Shape cap = polygon({{x - 26, h / 2.0f}, {x, 2}, {x + 26, h / 2.0f}, {x, h - 2.0f}});
            metalBar(c, cap, 2, h - 2.0f, GOLD);
        }
        Canvas paper(w, h);
        paintParchment(paper, 501, PARCHMENT, 0.4f, false);
        c.fillShape(body, [&](float x, float y) { return paper.get((int)x, (int)y); });
        c.strokeShape(body, 2.5f, BRONZE_DARK);
        c.strokeShape(roundRect(28, 11, w - 56.0f, h - 22.0f, 4), 1.0f, GOLD_DARK);
        ctx.save(c, "gui/booktitle.png");
    }

    // Page tabs and the mask that cuts a tab's shape (white inside, clear outside).
    {
        Canvas tab(TAB_W, TAB_H);
        Canvas paper(TAB_W, TAB_H);
        paintParchment(paper, 601, PARCHMENT, 0.5f, false);
        Shape s = tabShape();
        tab.fillShape(s, [&](float x, float y) {
            Color p = paper.get((int)x, (int)y);
            return shade(p, -0.12f * (1 - y / TAB_H));
        });
        tab.strokeShape(intersect(roundRect(1, 1, TAB_W - 2.0f, TAB_H + 10.0f, 8.5f),
                                  rectShape(0, 0, TAB_W, TAB_H - 0.5f)),
                        1.6f, BRONZE_DARK);
        ctx.save(tab, "gui/tab.png");
        Canvas mask(TAB_W, TAB_H);
        mask.fillShape(s, hex(0xffffff));
        ctx.save(mask, "gui/tabmask.png");
    }

    // Scroll bar thumb (its four states are brightness shifts of this) and track.
    {
        const int w = 20, h = 84;
        Canvas c(w, h);
        Shape s = roundRect(1, 1, w - 2.0f, h - 2.0f, 8);
        c.fillShape(
            s, linearGradient(
                   0, 0, w, 0,
                   {{0.0f, shade(BRONZE, 0.3f)}, {0.5f, BRONZE}, {1.0f, shade(BRONZE, -0.35f)}}));
        c.strokeShape(s, 1.4f, BRONZE_DARK);
        for (int i = -1; i <= 1; ++i) {
            float y = h / 2.0f + i * 6;
            c.fillShape(segment(6, y, w - 6.0f, y, 1.6f), shade(BRONZE, -0.5f));
            c.fillShape(segment(6, y + 1.3f, w - 6.0f, y + 1.3f, 1.0f),
                        withAlpha(GOLD_LIGHT, 0.6f));
        }
        ctx.save(c, "gui/scrollbar.png");
        const int th = 400;
        Canvas track(w, th);
        Shape groove = roundRect(3, 1, w - 6.0f, th - 2.0f, 7);
        track.fillShape(groove, linearGradient(0, 0, w, 0,
                                               {{0.0f, withAlpha(hex(0x1c120a), 0.75f)},
                                                {0.5f, withAlpha(hex(0x3a281a), 0.55f)},
                                                {1.0f, withAlpha(hex(0x5a4330), 0.5f)}}));
        track.strokeShape(groove, 1.0f, withAlpha(hex(0x0e0804), 0.8f));
        ctx.save(track, "gui/scrollback.png");
    }

    // Under multi-line captions of menu-like buttons: soft parchment that fades out.
    {
        const int w = 240, h = 64;
        Canvas c(w, h);
        Canvas paper(w, h);
        paintParchment(paper, 701, PARCHMENT_LIGHT, 0.3f, false);
        c.fill([&](float x, float y) {
            float ex = std::min(x, w - x) / (w * 0.12f), ey = std::min(y, h - y) / (h * 0.25f);
            float a = std::min(1.0f, std::min(ex, ey));
            Color p = paper.get((int)x, (int)y);
            p.a = a * a * (3 - 2 * a) * 0.92f;
            return p;
        });
        ctx.save(c, "gui/captionbg.png");
    }

    ctx.save(cursorArrow(hex(0x3f8f3a), hex(0x10240e)), "gui/cursors/green.png");
    ctx.save(cursorArrow(GOLD, BRONZE_DARK), "gui/cursors/gold.png");
    ctx.save(cursorArrow(hex(0xe8e2d4), INK), "gui/cursors/ink.png");

    // 32 and 64 for the window; every size for the desktop's icon theme.
    for (int size : {32, 48, 64, 128, 256}) {
        Canvas c(size, size);
        float r = size / 2.0f;
        c.fillShape(circle(r, r, r - 0.5f), radialGradient(r * 0.8f, r * 0.7f, r * 1.2f,
                                                           {{0.0f, hex(0x2c3b52)}, {1.0f, NIGHT}}));
        c.strokeShape(circle(r, r, r - 1.5f), size / 24.0f, GOLD);
        drawEmblem(c, r, r + size * 0.02f, size * 0.8f);
        ctx.save(c, size == 64 ? "gui/icon.png" : "gui/icon" + std::to_string(size) + ".png");
    }
}
