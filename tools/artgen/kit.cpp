#include "kit.h"

#include "noise.h"

#include <algorithm>
#include <cmath>

float smoothstep(float e0, float e1, float x) {
    float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

void paintParchment(Canvas& c, uint32_t seed, Color base, float age, bool tile) {
    int tw = tile ? c.width() : 0, th = tile ? c.height() : 0;
    float big = tile ? c.width() / 2.0f : std::max(c.width(), c.height()) / 3.0f;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            float blot = fbm(x, y, big, 5, seed, tw, th);
            float fine = fbm(x, y, tile ? c.width() / 16.0f : 24.0f, 3, seed + 7, tw, th);
            float fibre = streaks(x, y, tile ? c.width() / 16.0f : 40.0f, 4.0f, seed + 13, tw, th);
            Color col =
                mix(base, PARCHMENT_DARK, smoothstep(0.35f, 0.85f, blot) * (0.35f + 0.5f * age));
            col = mix(col, PARCHMENT_LIGHT, smoothstep(0.55f, 0.15f, blot) * 0.45f);
            float k = 1.0f + (fine - 0.5f) * 0.08f + (fibre - 0.5f) * 0.018f;
            col.r *= k, col.g *= k, col.b *= k;
            col.a = 1;
            c.at(x, y) = col;
        }
    grain(c, seed + 99, 0.025f);
}

void vignette(Canvas& c, float strength, Color edge, float inner) {
    float cx = c.width() / 2.0f, cy = c.height() / 2.0f;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            float dx = (x + 0.5f - cx) / cx, dy = (y + 0.5f - cy) / cy;
            float d = std::sqrt(dx * dx + dy * dy) / 1.41421f;
            float t = smoothstep(inner, 1.0f, d) * strength;
            Color& p = c.at(x, y);
            float a = p.a;
            p = mix(p, edge, t);
            p.a = a;
        }
}

void grain(Canvas& c, uint32_t seed, float amount) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            float n = ((hash2(x, y, seed) & 0xFFFF) / 65535.0f - 0.5f) * 2 * amount;
            Color& p = c.at(x, y);
            p.r = std::clamp(p.r + n, 0.0f, 1.0f);
            p.g = std::clamp(p.g + n, 0.0f, 1.0f);
            p.b = std::clamp(p.b + n, 0.0f, 1.0f);
        }
}

void paintLeather(Canvas& c, uint32_t seed, Color base) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            float blot = fbm(x, y, c.width() / 3.0f, 4, seed);
            // Pebbled grain: the distance to a jittered cell centre gives small pits.
            float cellSize = 4.5f;
            int ix = static_cast<int>(x / cellSize), iy = static_cast<int>(y / cellSize);
            float best = 9;
            for (int j = -1; j <= 1; ++j)
                for (int i = -1; i <= 1; ++i) {
                    uint32_t h = hash2(ix + i, iy + j, seed + 5);
                    float px = (ix + i + (h & 0xFF) / 255.0f) * cellSize;
                    float py = (iy + j + ((h >> 8) & 0xFF) / 255.0f) * cellSize;
                    best = std::min(best, std::hypot(x - px, y - py) / cellSize);
                }
            float pit = smoothstep(0.15f, 0.75f, best);
            float crease = std::fabs(fbm(x, y, 90, 3, seed + 8) - 0.5f);
            Color col = mix(shade(base, 0.12f), shade(base, -0.35f), blot);
            col = shade(col, (pit - 0.5f) * -0.07f - smoothstep(0.02f, 0.0f, crease) * 0.06f);
            col.a = 1;
            c.at(x, y) = col;
        }
    grain(c, seed + 1, 0.02f);
}

void paintWood(Canvas& c, uint32_t seed, Color base) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            // Long planks; the grain is stretched noise bent by a slower noise.
            int plankIndex = y / 160;
            float py = y + fbm(x, y, 300, 3, seed + plankIndex) * 30.0f;
            float grainLine = streaks(x + plankIndex * 997.0f, py, 260.0f, 3.0f, seed + 9);
            float fine = streaks(x + plankIndex * 131.0f, py, 60.0f, 1.0f, seed + 19);
            float tone = fbm(x + plankIndex * 577.0f, y, 200, 3, seed + 29);
            Color col = mix(shade(base, 0.12f), shade(base, -0.28f), tone);
            col = shade(col, (grainLine - 0.5f) * 0.35f + (fine - 0.5f) * 0.12f);
            float plank = static_cast<float>(y % 160);
            if (plank < 2.0f)
                col = shade(col, -0.6f); // seams between planks
            else if (plank < 3.0f)
                col = shade(col, 0.08f);
            col.a = 1;
            c.at(x, y) = col;
        }
    grain(c, seed + 2, 0.015f);
}

void paintStone(Canvas& c, uint32_t seed, Color base) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            float n = fbm(x, y, 260, 6, seed);
            float cloud = fbm(x, y, 80, 3, seed + 4);
            Color col = mix(shade(base, 0.12f), shade(base, -0.3f), n);
            col = shade(col, (cloud - 0.5f) * 0.1f);
            col.a = 1;
            c.at(x, y) = col;
        }
    grain(c, seed + 3, 0.018f);
}

Paint metal(float y0, float y1, Color base) {
    Stops stops{
        {0.0f, shade(base, 0.55f)},   {0.18f, shade(base, 0.25f)}, {0.45f, base},
        {0.55f, shade(base, -0.25f)}, {0.8f, shade(base, 0.1f)},   {1.0f, shade(base, -0.45f)}};
    return linearGradient(0, y0, 0, y1, stops);
}

void metalBar(Canvas& c, const Shape& s, float y0, float y1, Color base) {
    Canvas layer(c.width(), c.height());
    layer.fillShape(s, metal(y0, y1, base));
    Mask m = layer.alphaMask();
    layer.bevel(m, 1.5f, 0.6f);
    c.draw(layer, 0, 0);
}

Canvas gelButton(int w, int h, Color base, int state) {
    Canvas c(w, h);
    float r = h / 2.0f - 1;
    Color body = base;
    if (state == 0) body = mix(base, hex(0x8a8478), 0.75f);
    if (state == 2) body = shade(base, 0.22f);
    if (state == 3) body = shade(base, -0.25f);
    Shape outer = roundRect(0.5f, 0.5f, w - 1.0f, h - 1.0f, r);
    // Dark rim, then the body with a deep bottom and a light top.
    c.fillShape(outer, shade(body, -0.6f));
    Shape inner = roundRect(2, 2, w - 4.0f, h - 4.0f, r - 1.5f);
    float top = state == 3 ? 0.15f : -0.05f;
    c.fillShape(inner, linearGradient(0, 2, 0, h - 2.0f,
                                      {{0.0f, shade(body, -0.15f + top)},
                                       {0.5f, body},
                                       {1.0f, shade(body, state == 3 ? -0.3f : 0.25f)}}));
    // The gel's gloss: a soft white lens over the upper half.
    if (state != 3) {
        Shape gloss = roundRect(h * 0.3f, 3, w - h * 0.6f, h * 0.42f, h * 0.2f);
        c.fillShape(gloss, linearGradient(0, 3, 0, 3 + h * 0.42f,
                                          {{0.0f, Color{1, 1, 1, state == 0 ? 0.25f : 0.62f}},
                                           {1.0f, Color{1, 1, 1, 0.04f}}}));
    }
    // Bottom glow, as light passes through the gel.
    c.fillShape(roundRect(h * 0.4f, h * 0.62f, w - h * 0.8f, h * 0.28f, h * 0.14f),
                linearGradient(0, h * 0.62f, 0, h * 0.9f,
                               {{0.0f, withAlpha(shade(body, 0.5f), 0.0f)},
                                {1.0f, withAlpha(shade(body, 0.5f), state == 0 ? 0.1f : 0.35f)}}));
    return c;
}

void flourish(Canvas& c, float cx, float cy, float width, float weight, Color ink) {
    float half = width / 2;
    // Two tapering strokes that curl at their ends, and a lozenge in the middle.
    for (int side = -1; side <= 1; side += 2) {
        const int steps = 60;
        float px = cx + side * weight * 3, py = cy;
        for (int i = 1; i <= steps; ++i) {
            float t = static_cast<float>(i) / steps;
            float x = cx + side * (weight * 3 + t * (half - weight * 3));
            float y = cy + std::sin(t * 3.14159f * 2) * weight * 1.6f * (1 - t);
            float thick = weight * (1.0f - 0.8f * t);
            c.fillShape(segment(px, py, x, y, std::max(0.6f, thick)), ink);
            px = x, py = y;
        }
        // Curl
        float ex = cx + side * half, r = weight * 1.8f;
        for (int i = 0; i < 24; ++i) {
            float a0 = i / 24.0f * 5.5f, a1 = (i + 1) / 24.0f * 5.5f;
            float rr0 = r * (1 - i / 30.0f), rr1 = r * (1 - (i + 1) / 30.0f);
            c.fillShape(segment(ex - side * rr0 * std::sin(a0) - side * r * 0.0f,
                                cy - r + rr0 * std::cos(a0), ex - side * rr1 * std::sin(a1),
                                cy - r + rr1 * std::cos(a1), std::max(0.6f, weight * 0.25f)),
                        ink);
        }
    }
    diamondOrnament(c, cx, cy, weight * 3.2f, ink);
}

void diamondOrnament(Canvas& c, float cx, float cy, float size, Color ink) {
    c.fillShape(
        polygon({{cx, cy - size}, {cx + size * 0.7f, cy}, {cx, cy + size}, {cx - size * 0.7f, cy}}),
        ink);
    c.fillShape(circle(cx - size * 1.2f, cy, size * 0.22f), ink);
    c.fillShape(circle(cx + size * 1.2f, cy, size * 0.22f), ink);
}

void cornerOrnament(Canvas& c, float x, float y, float size, int dx, int dy, Color ink) {
    float w = std::max(1.0f, size / 14);
    auto P = [&](float u, float v) { return std::make_pair(x + dx * u * size, y + dy * v * size); };
    auto line = [&](float u0, float v0, float u1, float v1, float width) {
        auto a = P(u0, v0), b = P(u1, v1);
        c.fillShape(segment(a.first, a.second, b.first, b.second, width), ink);
    };
    // An outer bracket, an inner bracket, a quarter arc joining them and a lozenge.
    line(0.08f, 0.08f, 1.0f, 0.08f, w * 1.3f);
    line(0.08f, 0.08f, 0.08f, 1.0f, w * 1.3f);
    line(0.2f, 0.2f, 0.62f, 0.2f, w * 0.7f);
    line(0.2f, 0.2f, 0.2f, 0.62f, w * 0.7f);
    const int steps = 16;
    for (int i = 0; i < steps; ++i) {
        float a0 = i * 1.5708f / steps, a1 = (i + 1) * 1.5708f / steps;
        line(0.2f + 0.42f * std::cos(a0), 0.2f + 0.42f * std::sin(a0), 0.2f + 0.42f * std::cos(a1),
             0.2f + 0.42f * std::sin(a1), w * 0.7f);
    }
    auto m = P(0.34f, 0.34f);
    float r = size * 0.09f;
    c.fillShape(polygon({{m.first - r, m.second},
                         {m.first, m.second - r},
                         {m.first + r, m.second},
                         {m.first, m.second + r}}),
                ink);
    auto e1 = P(1.0f, 0.08f), e2 = P(0.08f, 1.0f);
    c.fillShape(circle(e1.first, e1.second, w * 1.3f), ink);
    c.fillShape(circle(e2.first, e2.second, w * 1.3f), ink);
}

void parchmentPanel(Canvas& c, float x, float y, float w, float h, float radius, uint32_t seed) {
    Canvas paper(static_cast<int>(w), static_cast<int>(h));
    paintParchment(paper, seed, PARCHMENT, 0.5f, false);
    vignette(paper, 0.45f, PARCHMENT_EDGE, 0.5f);
    Shape s = roundRect(x, y, w, h, radius);
    c.fillShape(s, [&](float px, float py) {
        return paper.get(static_cast<int>(px - x), static_cast<int>(py - y));
    });
    // Gold double rule inside a dark rim.
    c.strokeShape(s, 3.0f, BRONZE_DARK);
    c.strokeShape(roundRect(x + 5, y + 5, w - 10, h - 10, std::max(0.0f, radius - 4)), 2.0f,
                  GOLD_DARK);
    c.strokeShape(roundRect(x + 9, y + 9, w - 18, h - 18, std::max(0.0f, radius - 7)), 0.9f,
                  GOLD_DARK);
}

void dropShadow(Canvas& c, const Shape& s, float blurRadius, int dx, int dy, float opacity) {
    Mask m = shapeMask(c.width(), c.height(), s);
    m = blur(shifted(m, dx, dy), blurRadius);
    c.fillMask(m, Color{0, 0, 0, opacity});
}
