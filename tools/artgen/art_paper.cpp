// Papers for the book pages (with their top edges and scroll strips), the
// border tiles round a page, the Random Number Table papers and the skins
// behind the pages.
#include "kit.h"
#include "noise.h"
#include "registry.h"

#include <cmath>
#include <string>

namespace {

const int PAPER_W = 640, PAPER_H = 640;
const int TOP_H = 48;
const int SCROLL_W = 672, SCROLL_H = 84;

struct PaperLook {
    const char* name;
    unsigned base;
    float age;
    uint32_t seed;
    int texture; // 0 plain, 1 foxing spots, 2 linen weave, 3 herb-paper flecks
};

const PaperLook PAPERS[] = {{"paper1", 0xefe2c0, 0.45f, 11, 0},
                            {"paper2", 0xe6cf9f, 1.0f, 23, 1},
                            {"paper3", 0xf4eedf, 0.2f, 37, 2},
                            {"paper4", 0xe2e3cb, 0.4f, 41, 3}};

// The page's paper, seamless top to bottom (it is repeated down the page).
Canvas drawPaper(const PaperLook& look) {
    Canvas c(PAPER_W, PAPER_H);
    paintParchment(c, look.seed, hex(look.base), look.age, true);
    Rng rng(look.seed);
    if (look.texture == 1) {
        // Foxing: faint brown spots, drawn wrapped so the tile stays seamless.
        for (int i = 0; i < 26; ++i) {
            float x = rng.range(0, PAPER_W), y = rng.range(0, PAPER_H), r = rng.range(2, 9);
            Color spot = withAlpha(hex(0x9a6a38), rng.range(0.05f, 0.16f));
            for (int wy = -1; wy <= 1; ++wy)
                c.fillShape(circle(x, y + wy * PAPER_H, r),
                            radialGradient(x, y + wy * PAPER_H, r,
                                           {{0.0f, spot}, {1.0f, withAlpha(spot, 0)}}));
        }
    } else if (look.texture == 2) {
        c.modulate([](float x, float y) {
            float weave = std::sin(x * 1.9f) * 0.5f + std::sin(y * 1.9f) * 0.5f;
            return 1.0f + weave * 0.012f;
        });
    } else if (look.texture == 3) {
        for (int i = 0; i < 160; ++i) {
            float x = rng.range(0, PAPER_W), y = rng.range(0, PAPER_H);
            float len = rng.range(2, 6), a = rng.range(0, 3.14159f);
            Color fleck = withAlpha(rng.uniform() < 0.5f ? hex(0x7d8c55) : hex(0x8a6b3e), 0.35f);
            c.fillShape(segment(x, y, x + len * std::cos(a), y + len * std::sin(a), 0.9f), fleck);
        }
    }
    // The sheet's sides darken a little, like the edge of a real page.
    c.modulate([](float x, float) {
        float d = std::min(x, PAPER_W - x) / (PAPER_W * 0.08f);
        return 0.9f + 0.1f * std::min(1.0f, d);
    });
    return c;
}

// The first rows of the page: the paper's own last rows (so the repeat below
// joins it) with a deckled, darkened top edge.
Canvas drawPaperTop(const Canvas& paper, uint32_t seed) {
    Canvas c = paper.crop(0, PAPER_H - TOP_H, PAPER_W, TOP_H);
    for (int y = 0; y < TOP_H; ++y)
        for (int x = 0; x < PAPER_W; ++x) {
            float edge =
                1.5f + 4.5f * fbm(x, 0, 40, 3, seed) + 1.5f * valueNoise(x / 3.0f, 0, seed + 1);
            Color& p = c.at(x, y);
            float dark = smoothstep(22, 0, y - edge);
            p = mix(p, hex(0x9b7443), dark * 0.45f);
            p.a = std::clamp(y - edge + 0.5f, 0.0f, 1.0f);
        }
    return c;
}

// The rolled bottom of a scroll, with its two curled ends.
Canvas drawScrollStrip(Color base, uint32_t seed) {
    Canvas c(SCROLL_W, SCROLL_H);
    float h = SCROLL_H, rollTop = 10, rollH = h - 20;
    Canvas tex(SCROLL_W, SCROLL_H);
    paintParchment(tex, seed, base, 0.6f, false);
    Paint roll = [&](float x, float y) {
        float t = (y - rollTop) / rollH;
        float light = std::sin(t * 3.14159f);
        Color p = tex.get(static_cast<int>(x), static_cast<int>(y));
        p = shade(p, (light - 0.65f) * 0.7f);
        if (t < 0.25f) p = shade(p, (0.25f - t) * 1.2f);
        return p;
    };
    dropShadow(c, roundRect(14, rollTop + 4, SCROLL_W - 28, rollH, rollH / 2), 4, 0, 3, 0.45f);
    c.fillShape(roundRect(14, rollTop, SCROLL_W - 28, rollH, rollH / 2), roll);
    // The curls: an ellipse at each end with the paper's spiral.
    for (int side = 0; side < 2; ++side) {
        float cx = side ? SCROLL_W - 22.0f : 22.0f, cy = rollTop + rollH / 2;
        float rx = 14, ry = rollH / 2;
        c.fillShape(ellipse(cx, cy, rx, ry),
                    radialGradient(cx - 3, cy - 6, ry * 1.3f,
                                   {{0.0f, shade(base, 0.15f)}, {1.0f, shade(base, -0.35f)}}));
        for (int turn = 0; turn < 4; ++turn) {
            float k = 1.0f - turn * 0.22f;
            c.strokeShape(
                ellipse(cx + turn * 0.8f * (side ? -1 : 1), cy + turn * 0.5f, rx * k, ry * k), 1.0f,
                withAlpha(hex(0x6e4b25), 0.55f));
        }
        c.fillShape(ellipse(cx, cy + 2, rx * 0.18f, ry * 0.2f), withAlpha(hex(0x3d2812), 0.8f));
    }
    c.strokeShape(roundRect(14, rollTop, SCROLL_W - 28, rollH, rollH / 2), 1.0f,
                  withAlpha(hex(0x6e4b25), 0.6f));
    return c;
}

// Border tiles round a page: a gilt moulding. v runs from the outer edge (0) to
// the page (1); u along the edge, with a bead every 16 pixels.
Color moulding(float u, float v) {
    Color c = sampleStops({{0.0f, hex(0x3b2410)},
                           {0.12f, hex(0x8a6224)},
                           {0.3f, hex(0xe9cf7c)},
                           {0.45f, hex(0xb38a38)},
                           {0.62f, hex(0x6b4a1a)},
                           {0.75f, hex(0xd6b662)},
                           {0.9f, hex(0x8a6224)},
                           {1.0f, hex(0x2e1c0c)}},
                          v);
    float bead = std::fabs(std::fmod(u, 16.0f) - 8.0f) / 8.0f; // 0 at bead centre
    if (v > 0.5f && v < 0.9f) {
        float dv = (v - 0.7f) / 0.2f;
        float d = std::sqrt(bead * bead + dv * dv);
        if (d < 1) c = shade(c, (0.5f - d) * 0.6f);
    }
    return c;
}

const int TILE = 14, TILE_LEN = 64;

Canvas borderTile(int side) {
    // side: 0 top, 1 bottom, 2 left, 3 right
    bool horizontal = side < 2;
    Canvas c(horizontal ? TILE_LEN : TILE, horizontal ? TILE : TILE_LEN);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            float u = horizontal ? x + 0.5f : y + 0.5f;
            float across = horizontal ? y + 0.5f : x + 0.5f;
            float v = across / TILE;
            if (side == 1 || side == 3) v = 1 - v;
            c.at(x, y) = moulding(u, v);
        }
    return c;
}

Canvas cornerTile(bool right, bool bottom) {
    Canvas c(TILE, TILE);
    for (int y = 0; y < TILE; ++y)
        for (int x = 0; x < TILE; ++x) {
            float fx = right ? TILE - x - 0.5f : x + 0.5f, fy = bottom ? TILE - y - 0.5f : y + 0.5f;
            c.at(x, y) = moulding(8, std::min(fx, fy) / TILE);
        }
    // A gilt stud where the mouldings meet.
    float cx = TILE / 2.0f, cy = TILE / 2.0f;
    c.fillShape(circle(cx, cy, 4.2f), hex(0x3b2410));
    c.fillShape(circle(cx, cy, 3.4f), radialGradient(cx - 1.2f, cy - 1.2f, 4.5f,
                                                     {{0.0f, GOLD_LIGHT}, {1.0f, GOLD_DARK}}));
    return c;
}

Canvas rntPaper(unsigned base, uint32_t seed, Color rule) {
    const int w = 480, h = 480;
    Canvas c(w, h);
    Canvas paper(w, h);
    paintParchment(paper, seed, hex(base), 0.7f, false);
    vignette(paper, 0.55f, PARCHMENT_EDGE, 0.45f);
    Shape sheet = roundRect(3, 3, w - 6.0f, h - 6.0f, 10);
    dropShadow(c, sheet, 3, 0, 2, 0.4f);
    c.fillShape(sheet, [&](float x, float y) { return paper.get((int)x, (int)y); });
    c.strokeShape(sheet, 2.0f, BRONZE_DARK);
    c.strokeShape(roundRect(12, 12, w - 24.0f, h - 24.0f, 6), 2.2f, rule);
    c.strokeShape(roundRect(17, 17, w - 34.0f, h - 34.0f, 4), 0.9f, rule);
    cornerOrnament(c, 12, 12, 34, 1, 1, rule);
    cornerOrnament(c, w - 12.0f, 12, 34, -1, 1, rule);
    cornerOrnament(c, 12, h - 12.0f, 34, 1, -1, rule);
    cornerOrnament(c, w - 12.0f, h - 12.0f, 34, -1, -1, rule);
    return c;
}

} // namespace

ART_MODULE(papers) {
    for (const PaperLook& look : PAPERS) {
        Canvas paper = drawPaper(look);
        ctx.save(paper, std::string("paper/") + look.name + ".png");
        ctx.save(drawPaperTop(paper, look.seed + 5),
                 std::string("paper/") + look.name + "-top.png");
        ctx.save(drawScrollStrip(hex(look.base), look.seed + 9),
                 std::string("paper/") + look.name + "-scroll.png");
    }
    const char* sides[] = {"top", "bottom", "left", "right"};
    for (int s = 0; s < 4; ++s)
        ctx.save(borderTile(s), std::string("paper/tiles/bordertile-") + sides[s] + ".png");
    ctx.save(cornerTile(false, false), "paper/tiles/cornertile-topleft.png");
    ctx.save(cornerTile(true, false), "paper/tiles/cornertile-topright.png");
    ctx.save(cornerTile(false, true), "paper/tiles/cornertile-bottomleft.png");
    ctx.save(cornerTile(true, true), "paper/tiles/cornertile-bottomright.png");

    ctx.save(rntPaper(0xefe2c0, 71, GOLD_DARK), "paper/rnt1.png");
    ctx.save(rntPaper(0xe3cd9c, 73, OXBLOOD), "paper/rnt2.png");
}

ART_MODULE(skins) {
    const int w = 1280, h = 960;
    {
        Canvas c(w, h);
        paintLeather(c, 101, LEATHER);
        vignette(c, 0.75f, hex(0x120a05), 0.35f);
        // Gold tooling round the desk's edge.
        c.strokeShape(rectShape(22, 22, w - 44.0f, h - 44.0f), 3.0f, withAlpha(GOLD, 0.75f));
        c.strokeShape(rectShape(31, 31, w - 62.0f, h - 62.0f), 1.2f, withAlpha(GOLD, 0.6f));
        cornerOrnament(c, 31, 31, 70, 1, 1, withAlpha(GOLD, 0.7f));
        cornerOrnament(c, w - 31.0f, 31, 70, -1, 1, withAlpha(GOLD, 0.7f));
        cornerOrnament(c, 31, h - 31.0f, 70, 1, -1, withAlpha(GOLD, 0.7f));
        cornerOrnament(c, w - 31.0f, h - 31.0f, 70, -1, -1, withAlpha(GOLD, 0.7f));
        ctx.save(c, "skin/skin1.png");
    }
    {
        Canvas c(w, h);
        paintWood(c, 202, hex(0x6e4423));
        vignette(c, 0.7f, hex(0x1a0d05), 0.4f);
        ctx.save(c, "skin/skin2.png");
    }
    {
        Canvas c(w, h);
        paintStone(c, 303, hex(0x364250));
        vignette(c, 0.7f, hex(0x080b10), 0.35f);
        c.strokeShape(rectShape(22, 22, w - 44.0f, h - 44.0f), 2.0f,
                      withAlpha(hex(0xa9b4c2), 0.35f));
        ctx.save(c, "skin/skin3.png");
    }
}
