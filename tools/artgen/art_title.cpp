// The title screens: intro images, the archive's logo, the menu background,
// the title logos and the hand-drawn-looking maps shown behind them.
#include "kit.h"
#include "noise.h"
#include "registry.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

const float PI = 3.14159265f;

// ---- Maps --------------------------------------------------------------

const int MAP_SIZE = 1024;

struct MapLook {
    uint32_t seed;
    float dirX, dirY; // where the land lies
    float landBias;
    unsigned seaTint;
};

std::string placeName(Rng& rng) {
    static const char* first[] = {"Ash", "Bram", "Cor", "Dun", "Eld", "Fen", "Gal",  "Hol",
                                  "Ir",  "Kel",  "Lor", "Mar", "Nor", "Or",  "Pell", "Quill",
                                  "Ros", "Sel",  "Tor", "Vel", "Wyn", "Yarr"};
    static const char* second[] = {"ford", "haven", "mere", "wick", "holt", "stead", "more",
                                   "gate", "by",    "wold", "crag", "dale", "mouth", "reach"};
    return std::string(first[rng.below(22)]) + second[rng.below(14)];
}

void mountain(Canvas& c, float x, float y, float s) {
    Shape peak = polygon({{x - s, y}, {x - s * 0.15f, y - s * 1.2f}, {x + s, y}});
    Shape shadowSide = polygon({{x - s * 0.15f, y - s * 1.2f}, {x + s, y}, {x + s * 0.1f, y}});
    c.fillShape(peak, PARCHMENT_LIGHT);
    c.fillShape(shadowSide, withAlpha(hex(0x8a6a44), 0.55f));
    c.fillShape(segment(x - s, y, x - s * 0.15f, y - s * 1.2f, 1.3f), INK_SOFT);
    c.fillShape(segment(x - s * 0.15f, y - s * 1.2f, x + s, y, 1.3f), INK_SOFT);
}

void tree(Canvas& c, float x, float y, float s) {
    c.fillShape(segment(x, y, x, y - s * 0.5f, 1.0f), INK_SOFT);
    Shape crown = circle(x, y - s * 0.9f, s * 0.55f);
    c.fillShape(crown, hex(0x6f7f4a));
    c.fillShape(circle(x + s * 0.15f, y - s * 0.8f, s * 0.35f), withAlpha(hex(0x4e5c33), 0.6f));
    c.strokeShape(crown, 1.0f, INK_SOFT);
}

void compassRose(Canvas& c, ArtContext& ctx, float cx, float cy, float r) {
    c.strokeShape(circle(cx, cy, r * 0.72f), 1.5f, withAlpha(INK, 0.8f));
    c.strokeShape(circle(cx, cy, r * 0.64f), 0.8f, withAlpha(INK, 0.7f));
    for (int i = 0; i < 8; ++i) {
        float a = i * PI / 4 - PI / 2;
        float len = i % 2 ? r * 0.6f : r;
        float wdt = i % 2 ? r * 0.09f : r * 0.14f;
        float ex = cx + std::cos(a) * len, ey = cy + std::sin(a) * len;
        float lx = cx + std::cos(a - PI / 2) * wdt, ly = cy + std::sin(a - PI / 2) * wdt;
        float rx = cx + std::cos(a + PI / 2) * wdt, ry = cy + std::sin(a + PI / 2) * wdt;
        c.fillShape(polygon({{cx, cy}, {lx, ly}, {ex, ey}}), i == 0 ? OXBLOOD : INK);
        c.fillShape(polygon({{cx, cy}, {rx, ry}, {ex, ey}}), PARCHMENT_LIGHT);
        c.fillShape(outline(polygon({{lx, ly}, {ex, ey}, {rx, ry}, {cx, cy}}), 1.0f), INK);
    }
    c.fillShape(circle(cx, cy, r * 0.06f), GOLD);
    const Font& f = ctx.font(FONT_BOOK, static_cast<int>(r * 0.32f));
    TextStyle st;
    st.fill = solid(INK);
    drawText(c, f, "N", cx, cy - r - f.lineHeight() * 0.95f, 0, st);
}

Canvas drawMap(ArtContext& ctx, const MapLook& look) {
    const int n = MAP_SIZE;
    std::vector<float> elev(static_cast<size_t>(n) * n), moist(elev.size());
    float len = std::sqrt(look.dirX * look.dirX + look.dirY * look.dirY);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            float u = (x - n / 2.0f) / (n / 2.0f), v = (y - n / 2.0f) / (n / 2.0f);
            float bias = (u * look.dirX + v * look.dirY) / len * 0.22f + look.landBias;
            elev[static_cast<size_t>(y) * n + x] = fbm(x, y, 420, 7, look.seed) - 0.5f + bias;
            moist[static_cast<size_t>(y) * n + x] = fbm(x, y, 260, 4, look.seed + 50);
        }
    auto E = [&](int x, int y) {
        x = std::clamp(x, 0, n - 1), y = std::clamp(y, 0, n - 1);
        return elev[static_cast<size_t>(y) * n + x];
    };
    Canvas c(n, n);
    paintParchment(c, look.seed + 1, PARCHMENT, 0.7f, false);
    Color sea = hex(look.seaTint);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            float e = E(x, y);
            float gx = (E(x + 1, y) - E(x - 1, y)) / 2, gy = (E(x, y + 1) - E(x, y - 1)) / 2;
            float g = std::sqrt(gx * gx + gy * gy) + 1e-5f;
            float dist = e / g; // approximate pixels to the coast
            Color& p = c.at(x, y);
            if (e < 0) {
                float depth = smoothstep(0, 0.12f, -e);
                p = mix(p, sea, 0.25f + 0.3f * depth);
                // Ripple lines that follow the coast.
                float ring = std::fmod(-dist, 9.0f);
                if (-dist < 40 && ring > 0 && ring < 1.1f)
                    p = mix(p, INK_BLUE, 0.35f * (1 - -dist / 40));
            } else {
                float m = moist[static_cast<size_t>(y) * n + x];
                Color land = mix(hex(0xe6d4a6), hex(0xc9c48f), smoothstep(0.4f, 0.7f, m));
                land = mix(land, hex(0xd9bf8c), smoothstep(0.1f, 0.3f, e));
                // Relief lit from the north-west.
                float light = std::clamp((-gx - gy) * 70.0f, -0.2f, 0.2f);
                p = shade(mix(p, land, 0.7f), light);
            }
            float coast = std::fabs(dist);
            if (coast < 1.6f) p = mix(p, INK, (1.6f - coast) / 1.6f * 0.9f);
        }
    Rng rng(look.seed + 2);
    // Mountains on the high ground, then woods, drawn from the top down.
    struct Glyph {
        float x, y, s;
        bool peak;
    };
    std::vector<Glyph> glyphs;
    for (int gy = 20; gy < n - 20; gy += 22)
        for (int gx = 20; gx < n - 20; gx += 26) {
            float x = gx + rng.range(-8, 8), y = gy + rng.range(-6, 6);
            float e = E(static_cast<int>(x), static_cast<int>(y));
            float m = moist[static_cast<size_t>(std::clamp((int)y, 0, n - 1)) * n +
                            std::clamp((int)x, 0, n - 1)];
            // Ranges follow the ridges of a second noise, on higher ground.
            float ridge = 1 - std::fabs(2 * fbm(x, y, 300, 4, look.seed + 70) - 1);
            if (e > 0.06f && ridge > 0.86f && rng.uniform() < 0.85f)
                glyphs.push_back({x, y, rng.range(12, 17) + (ridge - 0.86f) * 60, true});
            else if (e > 0.03f && m > 0.56f && rng.uniform() < 0.8f)
                glyphs.push_back({x, y, rng.range(7, 10), false});
        }
    std::sort(glyphs.begin(), glyphs.end(),
              [](const Glyph& a, const Glyph& b) { return a.y < b.y; });
    for (const Glyph& gl : glyphs) {
        if (gl.peak)
            mountain(c, gl.x, gl.y, gl.s);
        else
            tree(c, gl.x, gl.y, gl.s);
    }
    // Towns with names, on low land away from the edges.
    const Font& f = ctx.font(FONT_BOOK, 19);
    int towns = 0;
    for (int tries = 0; tries < 400 && towns < 6; ++tries) {
        float x = rng.range(90, n - 200.0f), y = rng.range(90, n - 90.0f);
        float e = E(static_cast<int>(x), static_cast<int>(y));
        if (e < 0.02f || e > 0.12f) continue;
        c.fillShape(circle(x, y, 5.5f), INK);
        c.fillShape(circle(x, y, 3.2f), OXBLOOD);
        TextStyle st;
        st.fill = solid(INK);
        st.outline = withAlpha(PARCHMENT_LIGHT, 0.7f);
        st.outlineWidth = 2;
        drawText(c, f, placeName(rng), x + 10, y - f.lineHeight() / 2.0f, -1, st);
        ++towns;
    }
    // A compass rose in open water.
    for (int tries = 0; tries < 200; ++tries) {
        float x = rng.range(130, n - 130.0f), y = rng.range(130, n - 130.0f);
        bool clear = true;
        for (int a = 0; a < 12 && clear; ++a)
            for (float r : {0.0f, 60.0f, 110.0f})
                if (E(static_cast<int>(x + std::cos(a * PI / 6) * r),
                      static_cast<int>(y + std::sin(a * PI / 6) * r)) > -0.01f)
                    clear = false;
        if (clear) {
            compassRose(c, ctx, x, y, 90);
            break;
        }
    }
    // Frame with degree bars.
    c.strokeShape(rectShape(14, 14, n - 28.0f, n - 28.0f), 3.0f, INK);
    c.strokeShape(rectShape(24, 24, n - 48.0f, n - 48.0f), 1.2f, INK);
    for (int i = 0; i < (n - 48) / 32; ++i)
        if (i % 2 == 0) {
            float p = 24 + i * 32.0f;
            c.fillShape(rectShape(p, 15.5f, 32, 7), INK_SOFT);
            c.fillShape(rectShape(p, n - 22.5f, 32, 7), INK_SOFT);
            c.fillShape(rectShape(15.5f, p, 7, 32), INK_SOFT);
            c.fillShape(rectShape(n - 22.5f, p, 7, 32), INK_SOFT);
        }
    vignette(c, 0.5f, hex(0x7a5630), 0.55f);
    return c;
}

// ---- Lettering -----------------------------------------------------------

const int LOGO_W = 1000, LOGO_H = 400;

Canvas logoGold(ArtContext& ctx) {
    Canvas c(LOGO_W, LOGO_H);
    const Font& big = ctx.font(FONT_DISPLAY, 168);
    float top = 40;
    TextStyle st;
    st.fill = metal(top + 30, top + big.lineHeight() - 30.0f, GOLD);
    st.outline = hex(0x2a1608);
    st.outlineWidth = 5;
    st.shadow = Color{0, 0, 0, 0.65f};
    st.shadowBlur = 6;
    st.shadowDx = 4, st.shadowDy = 6;
    st.bevel = 0.8f;
    drawText(c, big, "Quillhaven", LOGO_W / 2.0f, top, 0, st);
    float y = top + big.lineHeight() + 6.0f;
    flourish(c, LOGO_W / 2.0f, y + 6, 520, 4, hex(0x2a1608));
    flourish(c, LOGO_W / 2.0f, y + 4, 516, 3, GOLD);
    const Font& sub = ctx.font(FONT_BOOK, 34);
    TextStyle ss;
    ss.fill = solid(PARCHMENT_LIGHT);
    ss.outline = hex(0x2a1608);
    ss.outlineWidth = 3;
    ss.shadow = Color{0, 0, 0, 0.5f};
    ss.shadowBlur = 3, ss.shadowDy = 3;
    drawText(c, sub, "A D V E N T U R E   G A M E B O O K S", LOGO_W / 2.0f, y + 30, 0, ss);
    return c;
}

Canvas logoRibbon(ArtContext& ctx) {
    Canvas c(LOGO_W, LOGO_H);
    float y0 = 70, y1 = 300;
    // Ribbon ends behind the band.
    for (int side = 0; side < 2; ++side) {
        float d = side ? -1.0f : 1.0f, x = side ? LOGO_W - 20.0f : 20.0f;
        Shape tail = polygon({{x, y0 + 40},
                              {x + d * 150, y0 + 40},
                              {x + d * 150, y1 + 40},
                              {x, y1 + 40},
                              {x + d * 50, (y0 + y1) / 2 + 40}});
        c.fillShape(tail, linearGradient(0, y0 + 40, 0, y1 + 40,
                                         {{0.0f, shade(PARCHMENT_DARK, -0.2f)},
                                          {1.0f, shade(PARCHMENT_DARK, -0.45f)}}));
        c.strokeShape(tail, 2.0f, INK);
    }
    Shape band = roundRect(110, y0, LOGO_W - 220.0f, y1 - y0, 8);
    dropShadow(c, band, 6, 3, 6, 0.5f);
    Canvas paper(LOGO_W, LOGO_H);
    paintParchment(paper, 901, PARCHMENT, 0.6f, false);
    c.fillShape(band, [&](float x, float y) {
        Color p = paper.get((int)x, (int)y);
        return shade(p, -0.25f * std::pow(std::fabs((y - (y0 + y1) / 2) / ((y1 - y0) / 2)), 3.0f));
    });
    c.strokeShape(band, 2.5f, INK);
    c.strokeShape(roundRect(122, y0 + 12, LOGO_W - 244.0f, y1 - y0 - 24, 5), 1.2f, OXBLOOD);
    const Font& big = ctx.font(FONT_DISPLAY, 150);
    const Font& initial = ctx.font(FONT_DISPLAY, 190);
    TextStyle cap;
    cap.fill = linearGradient(0, y0, 0, y1,
                              {{0.0f, shade(OXBLOOD, 0.25f)}, {1.0f, shade(OXBLOOD, -0.2f)}});
    cap.outline = GOLD;
    cap.outlineWidth = 2;
    TextStyle rest;
    rest.fill = solid(INK);
    int wq = initial.textWidth("Q"), wr = big.textWidth("uillhaven");
    float x = (LOGO_W - (wq + wr)) / 2.0f;
    float baseline = (y0 + y1) / 2 + 55;
    drawText(c, initial, "Q", x, baseline - initial.ascent(), -1, cap);
    drawText(c, big, "uillhaven", x + wq, baseline - big.ascent(), -1, rest);
    const Font& sub = ctx.font(FONT_BOOK, 26);
    drawText(c, sub, "adventure gamebooks", LOGO_W / 2.0f, y1 - 58, 0, TextStyle{solid(INK_SOFT)});
    return c;
}

Canvas logoPlate(ArtContext& ctx) {
    Canvas c(LOGO_W, LOGO_H);
    Shape plate = roundRect(90, 60, LOGO_W - 180.0f, 280, 30);
    dropShadow(c, plate, 8, 4, 8, 0.6f);
    Canvas stone(LOGO_W, LOGO_H);
    paintStone(stone, 905, hex(0x2d3440));
    c.fillShape(plate, [&](float x, float y) { return stone.get((int)x, (int)y); });
    Canvas rim(LOGO_W, LOGO_H);
    rim.fillShape(subtract(plate, roundRect(104, 74, LOGO_W - 208.0f, 252, 20)),
                  metal(60, 340, BRONZE));
    rim.bevel(rim.alphaMask(), 2.0f, 0.7f);
    c.draw(rim, 0, 0);
    const Font& big = ctx.font(FONT_DISPLAY, 140);
    TextStyle st;
    st.fill = metal(110, 260, hex(0xb8844a));
    st.shadow = Color{0, 0, 0, 0.8f};
    st.shadowBlur = 2, st.shadowDx = -1, st.shadowDy = -2; // engraved: lit from below
    st.bevel = 0.6f;
    drawText(c, big, "Quillhaven", LOGO_W / 2.0f, 95, 0, st);
    for (int side = 0; side < 2; ++side)
        diamondOrnament(c, side ? LOGO_W - 150.0f : 150.0f, 200, 10, GOLD);
    const Font& sub = ctx.font(FONT_BOOK, 26);
    drawText(c, sub, "T H E   G R E Y S T A R   A D V E N T U R E S", LOGO_W / 2.0f, 275, 0,
             TextStyle{solid(hex(0xd8c8a8))});
    return c;
}

// Intro images, shown centred on white.
const int INTRO_W = 420, INTRO_H = 320;

void drawQuillEmblem(Canvas& c, float cx, float cy, float size);

Canvas introFirst(ArtContext& ctx) {
    Canvas c(INTRO_W, INTRO_H);
    float cx = INTRO_W / 2.0f;
    c.fillShape(circle(cx, 130, 96),
                radialGradient(cx, 120, 110, {{0.0f, PARCHMENT_LIGHT}, {1.0f, PARCHMENT}}));
    c.strokeShape(circle(cx, 130, 96), 3, BRONZE_DARK);
    c.strokeShape(circle(cx, 130, 88), 1.2f, GOLD_DARK);
    drawQuillEmblem(c, cx, 136, 150);
    const Font& f = ctx.font(FONT_BOOK, 34);
    drawText(c, f, "Q U I L L H A V E N", cx, 238, 0, TextStyle{solid(INK)});
    const Font& s = ctx.font(FONT_BOOK, 18);
    drawText(c, s, "gamebooks on the screen", cx, 282, 0, TextStyle{solid(INK_SOFT)});
    return c;
}

Canvas introSecond(ArtContext& ctx) {
    Canvas c(INTRO_W, INTRO_H);
    float cx = INTRO_W / 2.0f;
    // A heater shield with a silver star: the emblem of the Greystar tales.
    std::vector<std::pair<float, float>> shield;
    for (int i = 0; i <= 30; ++i) {
        float t = i / 30.0f;
        shield.push_back({cx - 80 + 160 * t, 40.0f});
        (void)t;
        break;
    }
    shield = {{cx - 80, 40}, {cx + 80, 40}, {cx + 80, 120}};
    for (int i = 1; i <= 20; ++i) {
        float t = i / 20.0f;
        shield.push_back({cx + 80 * (1 - t), 120 + 100 * std::sin(t * PI / 2)});
    }
    for (int i = 19; i >= 0; --i) {
        float t = i / 20.0f;
        shield.push_back({cx - 80 * (1 - t), 120 + 100 * std::sin(t * PI / 2)});
    }
    shield.push_back({cx - 80, 120});
    Shape s = polygon(shield);
    dropShadow(c, s, 5, 3, 5, 0.4f);
    c.fillShape(s, linearGradient(0, 40, 0, 220, {{0.0f, hex(0x31465f)}, {1.0f, hex(0x172231)}}));
    Canvas rim(INTRO_W, INTRO_H);
    rim.fillShape(outline(s, 8), metal(36, 224, GOLD));
    rim.bevel(rim.alphaMask(), 1.5f, 0.6f);
    c.draw(rim, 0, 0);
    std::vector<std::pair<float, float>> star;
    for (int i = 0; i < 10; ++i) {
        float a = -PI / 2 + i * PI / 5, r = i % 2 ? 20.0f : 52.0f;
        star.push_back({cx + std::cos(a) * r, 118 + std::sin(a) * r});
    }
    c.fillShape(polygon(star), linearGradient(cx - 40, 70, cx + 40, 170,
                                              {{0.0f, hex(0xf2f4f7)}, {1.0f, hex(0x8d97a6)}}));
    c.strokeShape(polygon(star), 1.5f, hex(0x0d141d));
    const Font& f = ctx.font(FONT_DISPLAY, 40);
    TextStyle st;
    st.fill = solid(INK);
    drawText(c, f, "The Greystar Tales", cx, 240, 0, st);
    return c;
}

void drawQuillEmblem(Canvas& c, float cx, float cy, float size) {
    float s = size / 100.0f;
    // Ink pot
    c.fillShape(
        roundRect(cx - 24 * s, cy + 4 * s, 48 * s, 34 * s, 8 * s),
        linearGradient(cx - 24 * s, 0, cx + 24 * s, 0,
                       {{0.0f, hex(0x3a4a5e)}, {0.35f, hex(0x1c2633)}, {1.0f, hex(0x0b1017)}}));
    c.fillShape(roundRect(cx - 14 * s, cy - 4 * s, 28 * s, 10 * s, 3 * s), hex(0x1c2633));
    c.fillShape(rectShape(cx - 24 * s, cy + 14 * s, 48 * s, 4 * s), GOLD);
    // Feather leaning out of the pot.
    std::vector<std::pair<float, float>> f;
    const int steps = 30;
    for (int i = 0; i <= steps; ++i) {
        float t = i / static_cast<float>(steps);
        float w = std::sin(t * PI) * (1 - 0.3f * t) * 15 * s;
        f.push_back(
            {cx + (28 - 30 * t) * s + w * 0.85f - 10 * s, cy + (-60 + 58 * t) * s + w * 0.5f});
    }
    for (int i = steps; i >= 0; --i) {
        float t = i / static_cast<float>(steps);
        float w = std::sin(t * PI) * (1 - 0.3f * t) * 15 * s;
        f.push_back(
            {cx + (28 - 30 * t) * s - w * 0.85f - 10 * s, cy + (-60 + 58 * t) * s - w * 0.5f});
    }
    Shape feather = polygon(f);
    c.fillShape(inflate(feather, 1.5f), INK);
    c.fillShape(feather, linearGradient(cx + 18 * s, cy - 60 * s, cx - 12 * s, cy,
                                        {{0.0f, hex(0xfbf6ea)}, {1.0f, hex(0xc9b487)}}));
    for (int i = 1; i < 8; ++i) {
        float t = i / 9.0f;
        float x = cx + (28 - 30 * t) * s - 10 * s, y = cy + (-60 + 58 * t) * s;
        c.fillShape(segment(x, y, x + 8 * s, y - 8 * s, 0.8f), withAlpha(INK_SOFT, 0.5f));
    }
    c.fillShape(segment(cx + 18 * s, cy - 60 * s, cx - 12 * s, cy - 2 * s, 1.6f), INK_SOFT);
}

Canvas archiveLogo(ArtContext& ctx) {
    const int w = 320, h = 84;
    Canvas c(w, h);
    Shape plate = roundRect(2, 6, w - 4.0f, h - 12.0f, 10);
    dropShadow(c, plate, 3, 0, 3, 0.5f);
    c.fillShape(plate,
                linearGradient(0, 6, 0, h - 6.0f, {{0.0f, hex(0x2e3f57)}, {1.0f, hex(0x141d2a)}}));
    c.strokeShape(plate, 2.0f, GOLD);
    // A stack of books as the archive's mark.
    Color spines[] = {hex(0x8a2a22), hex(0x3d6b37), hex(0xc9a043)};
    for (int i = 0; i < 3; ++i)
        c.fillShape(roundRect(18 + i * 2.0f, 22 + i * 14.0f, 44 - i * 4.0f, 12, 2), spines[i]);
    const Font& f = ctx.font(FONT_DISPLAY, 38);
    TextStyle st;
    st.fill = metal(12, 56, GOLD);
    st.bevel = 0.4f;
    drawText(c, f, "VELMAR", 78, 8, -1, st);
    const Font& s = ctx.font(FONT_BOOK, 15);
    drawText(c, s, "the free gamebook archive", 80, 54, -1, TextStyle{solid(PARCHMENT)});
    return c;
}

} // namespace

ART_MODULE(titleMaps) {
    const MapLook looks[] = {{1201, -1.0f, 0.2f, 0.04f, 0x8fa6ad},
                             {1202, 0.6f, -1.0f, 0.0f, 0x93a39b},
                             {1203, 0.2f, 1.0f, 0.06f, 0x8a9fb0},
                             {1204, 1.0f, 0.5f, -0.02f, 0x98aaa6},
                             {1205, -0.4f, -0.8f, 0.08f, 0x8c9fa8}};
    int i = 1;
    for (const MapLook& look : looks)
        ctx.save(drawMap(ctx, look), "menu/map/map" + std::to_string(i++) + ".png");
}

ART_MODULE(titleLogos) {
    ctx.save(logoGold(ctx), "menu/title/title1.png");
    ctx.save(logoRibbon(ctx), "menu/title/title2.png");
    ctx.save(logoPlate(ctx), "menu/title/title3.png");
}

ART_MODULE(titleIntro) {
    ctx.save(introFirst(ctx), "menu/open1.png");
    ctx.save(introSecond(ctx), "menu/open2.png");
    ctx.save(archiveLogo(ctx), "menu/velmar.png");
    // Menu background: the size of the main menu window (it rests 7/10 down the
    // square title screen, so it is at most 276 pixels high there).
    const int w = 420, h = 276;
    Canvas c(w, h);
    parchmentPanel(c, 0, 0, w, h, 10, 1301);
    cornerOrnament(c, 14, 14, 30, 1, 1, GOLD_DARK);
    cornerOrnament(c, w - 14.0f, 14, 30, -1, 1, GOLD_DARK);
    cornerOrnament(c, 14, h - 14.0f, 30, 1, -1, GOLD_DARK);
    cornerOrnament(c, w - 14.0f, h - 14.0f, 30, -1, -1, GOLD_DARK);
    ctx.save(c, "menu/menubase.png");
}
