#include "books_ink.h"

#include "noise.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace ink {

namespace {

constexpr float PI = 3.14159265f;

float clamp01f(float v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

Pt lerp(Pt a, Pt b, float t) {
    return {a.first + (b.first - a.first) * t, a.second + (b.second - a.second) * t};
}

} // namespace

std::string bookArtPath(int book, const std::string& file) {
    return "../bookart/book" + std::to_string(book) + "/" + file;
}

Canvas sheet(int w, int h) {
    return Canvas(w, h, PAPER);
}

void border(Canvas& c) {
    float w = static_cast<float>(c.width()), h = static_cast<float>(c.height());
    c.strokeShape(rectShape(6, 6, w - 12, h - 12), 2.2f, BLACK);
    c.strokeShape(rectShape(11, 11, w - 22, h - 22), 0.8f, BLACK);
}

Paint hatch(float angleDeg, float spacing, float weight, Color inkColour) {
    float a = angleDeg * PI / 180.0f;
    float ca = std::cos(a), sa = std::sin(a);
    return [=](float x, float y) {
        float d = -x * sa + y * ca;
        float m = std::fmod(d, spacing);
        if (m < 0) m += spacing;
        float dist = std::fabs(m - spacing / 2);
        return withAlpha(inkColour, clamp01f(weight / 2 - dist + 0.5f));
    };
}

void hatchFill(Canvas& c, const Shape& s, float angleDeg, float spacing, float weight) {
    c.fillShape(s, hatch(angleDeg, spacing, weight));
}

void crossHatch(Canvas& c, const Shape& s, float spacing, float weight) {
    hatchFill(c, s, 35, spacing, weight);
    hatchFill(c, s, -35, spacing, weight);
}

void gradedHatch(Canvas& c, const Shape& s, float denseY, float lightY, float angleDeg) {
    float a = angleDeg * PI / 180.0f;
    float ca = std::cos(a), sa = std::sin(a);
    c.fillShape(s, [=](float x, float y) {
        float t = clamp01f((y - denseY) / (lightY - denseY));
        float weight = 1.6f * (1 - t) + 0.35f * t;
        float d = -x * sa + y * ca;
        float m = std::fmod(d, 4.0f);
        if (m < 0) m += 4.0f;
        float dist = std::fabs(m - 2.0f);
        return withAlpha(BLACK, clamp01f(weight / 2 - dist + 0.5f) * (1 - 0.6f * t));
    });
}

void solid(Canvas& c, const Shape& s) {
    c.fillShape(s, BLACK);
}

void blank(Canvas& c, const Shape& s) {
    c.fillShape(s, PAPER);
}

Shape poly(const Path& p) {
    return polygon(p);
}

Path curve(Pt a, Pt b, Pt cpt, int steps) {
    Path out;
    for (int i = 0; i <= steps; ++i) {
        float t = static_cast<float>(i) / steps;
        out.push_back(lerp(lerp(a, b, t), lerp(b, cpt, t), t));
    }
    return out;
}

void stroke(Canvas& c, const Path& p, float weight) {
    for (size_t i = 1; i < p.size(); ++i) {
        // Pens press harder mid-stroke.
        float t = static_cast<float>(i) / p.size();
        float w = weight * (0.75f + 0.5f * std::sin(t * PI));
        c.fillShape(segment(p[i - 1].first, p[i - 1].second, p[i].first, p[i].second, w), BLACK);
    }
}

Path jitter(const Path& p, float amp, uint32_t seed) {
    Rng rng(seed);
    Path out;
    for (const Pt& q : p)
        out.push_back({q.first + rng.range(-amp, amp), q.second + rng.range(-amp, amp)});
    return out;
}

Shape wobbly(const Shape& s, float amp, float scale, uint32_t seed) {
    Shape o = inflate(s, amp);
    auto f = s.sdf;
    o.sdf = [f, amp, scale, seed](float x, float y) {
        return f(x, y) + (fbm(x, y, scale, 3, seed) - 0.5f) * 2 * amp;
    };
    return o;
}

void mountain(Canvas& c, const Path& ridge, float baseY, uint32_t seed) {
    Path body = ridge;
    body.push_back({ridge.back().first, baseY});
    body.push_back({ridge.front().first, baseY});
    Shape m = poly(body);
    blank(c, m);
    // The flank right of the summit lies in shadow.
    size_t top = 0;
    for (size_t i = 1; i < ridge.size(); ++i)
        if (ridge[i].second < ridge[top].second) top = i;
    float sx = ridge[top].first;
    Shape shadow = intersect(m, rectShape(sx, 0, static_cast<float>(c.width()), baseY));
    hatchFill(c, wobbly(shadow, 3, 30, seed), 60, 3.2f, 1.1f);
    hatchFill(c, m, -20, 9, 0.5f);
    stroke(c, jitter(ridge, 0.8f, seed), 2.0f);
    // Gullies running down from the ridge.
    Rng rng(seed + 7);
    for (size_t i = 1; i + 1 < ridge.size(); ++i) {
        Pt a = ridge[i];
        float len = rng.range(20, 60);
        float dx = (a.first < sx ? -1.0f : 1.0f) * rng.range(5, 25);
        stroke(
            c,
            curve(a, {a.first + dx * 0.3f, a.second + len * 0.5f}, {a.first + dx, a.second + len}),
            0.9f);
    }
}

void pine(Canvas& c, float x, float baseY, float h) {
    Path p{{x, baseY - h}};
    int tiers = 4;
    for (int i = 1; i <= tiers; ++i) {
        float y = baseY - h + h * 0.85f * i / tiers;
        float w = h * 0.12f * (0.6f + i * 0.25f);
        p.push_back({x + w, y});
        if (i < tiers) p.push_back({x + w * 0.45f, y - h * 0.04f});
    }
    Path left;
    for (auto it = p.rbegin(); it != p.rend() - 1; ++it)
        left.push_back({2 * x - it->first, it->second});
    p.insert(p.end(), left.begin(), left.end());
    solid(c, poly(p));
    solid(c, segment(x, baseY - h * 0.2f, x, baseY, std::max(1.5f, h * 0.05f)));
}

void leafyTree(Canvas& c, float x, float baseY, float h, uint32_t seed) {
    solid(c, poly({{x - h * 0.04f, baseY},
                   {x + h * 0.04f, baseY},
                   {x + h * 0.02f, baseY - h * 0.55f},
                   {x - h * 0.02f, baseY - h * 0.55f}}));
    Shape crown =
        wobbly(ellipse(x, baseY - h * 0.65f, h * 0.3f, h * 0.32f), h * 0.06f, h * 0.15f, seed);
    blank(c, crown);
    hatchFill(c, intersect(crown, rectShape(x, 0, h, baseY)), 45, 3.0f, 1.0f);
    c.strokeShape(crown, 1.4f, BLACK);
}

void forestEdge(Canvas& c, float x0, float x1, float baseY, float h, uint32_t seed) {
    Rng rng(seed);
    for (float x = x0; x < x1; x += rng.range(h * 0.12f, h * 0.22f))
        pine(c, x, baseY + rng.range(-3, 3), h * rng.range(0.7f, 1.1f));
}

void water(Canvas& c, float x0, float y0, float x1, float y1, uint32_t seed) {
    Rng rng(seed);
    for (float y = y0; y < y1; y += 4 + (y - y0) * 0.08f) {
        float x = x0 + rng.range(-20, 10);
        while (x < x1) {
            float len = rng.range(12, 40) * (0.6f + (y - y0) / std::max(1.0f, y1 - y0));
            float weight = 0.6f + 1.0f * (y - y0) / std::max(1.0f, y1 - y0);
            float xe = std::min(x1, x + len);
            if (xe > x0 && x < x1)
                stroke(c, curve({std::max(x, x0), y}, {(x + xe) / 2, y - 1.2f}, {xe, y}, 6),
                       weight);
            x = xe + rng.range(6, 22);
        }
    }
}

void mist(Canvas& c, float x0, float y0, float x1, float y1, float strength, uint32_t seed) {
    c.fillShape(rectShape(x0, y0, x1 - x0, y1 - y0), [=](float x, float y) {
        float n = fbm(x, y * 2.5f, 110, 4, seed);
        float edge = std::min(1.0f, std::min(y - y0, y1 - y) / 12.0f);
        return withAlpha(PAPER, clamp01f((n - 0.38f) * 9.0f) * strength * std::max(0.0f, edge));
    });
}

void smoke(Canvas& c, float x, float y, float height, float lean, uint32_t seed) {
    Rng rng(seed);
    for (float t = 0; t < 1; t += 0.08f) {
        float r = 6 + t * height * 0.18f;
        float cx = x + lean * t * t * height + rng.range(-3, 3);
        float cy = y - t * height;
        Shape puff = wobbly(circle(cx, cy, r), r * 0.2f, r, seed + static_cast<uint32_t>(t * 100));
        blank(c, puff);
        hatchFill(c, puff, 80, 3.5f + t * 3, 0.8f);
        c.strokeShape(puff, 1.0f - t * 0.5f, BLACK);
    }
}

void flame(Canvas& c, float x, float baseY, float h) {
    float r = h * 0.28f;
    float sway = h * 0.12f;
    Shape outer = unite(circle(x, baseY - r, r), poly({{x - r, baseY - r},
                                                       {x - r * 0.2f, baseY - h * 0.55f},
                                                       {x + sway, baseY - h},
                                                       {x + r * 0.5f, baseY - h * 0.5f},
                                                       {x + r, baseY - r}}));
    outer = unite(outer, poly({{x - r * 0.9f, baseY - r * 1.2f},
                               {x - r * 1.5f, baseY - h * 0.6f},
                               {x - r * 0.3f, baseY - r * 1.6f}}));
    outer = unite(outer, poly({{x + r * 0.9f, baseY - r * 1.2f},
                               {x + r * 1.4f, baseY - h * 0.7f},
                               {x + r * 0.4f, baseY - r * 1.8f}}));
    blank(c, inflate(outer, 1.5f));
    solid(c, outer);
    blank(c,
          unite(circle(x, baseY - r * 0.9f, r * 0.5f), poly({{x - r * 0.5f, baseY - r * 0.9f},
                                                             {x + sway * 0.4f, baseY - h * 0.6f},
                                                             {x + r * 0.5f, baseY - r * 0.9f}})));
}

void moon(Canvas& c, float x, float y, float r) {
    blank(c, circle(x, y, r + 4));
    c.strokeShape(circle(x, y, r), 1.2f, BLACK);
    hatchFill(c, subtract(circle(x, y, r), circle(x - r * 0.35f, y - r * 0.2f, r * 0.95f)), 45,
              2.5f, 0.9f);
}

void stars(Canvas& c, float x0, float y0, float x1, float y1, int count, uint32_t seed) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        float x = rng.range(x0, x1), y = rng.range(y0, y1), r = rng.range(0.8f, 2.0f);
        blank(c, circle(x, y, r + 1.5f));
        solid(c, circle(x, y, r * 0.6f));
    }
}

void tower(Canvas& c, float x, float baseY, float w, float h, bool ruined, uint32_t seed) {
    float top = baseY - h;
    Path body{{x - w / 2, baseY}, {x - w / 2, top}};
    Rng rng(seed);
    if (ruined) {
        for (float t = 0; t <= 1.0f; t += 0.2f)
            body.push_back({x - w / 2 + w * t, top + rng.range(0, h * 0.25f)});
    } else {
        int merlons = std::max(3, static_cast<int>(w / 12));
        float mw = w / (2 * merlons - 1);
        for (int i = 0; i < 2 * merlons - 1; ++i) {
            float xl = x - w / 2 + i * mw;
            float y = (i % 2 == 0) ? top - mw : top;
            body.push_back({xl, y});
            body.push_back({xl + mw, y});
        }
    }
    body.push_back({x + w / 2, top});
    body.push_back({x + w / 2, baseY});
    Shape s = poly(body);
    blank(c, s);
    hatchFill(c, intersect(s, rectShape(x, top - w, w, h + w)), 90, 3.0f, 1.0f);
    hatchFill(c, s, 0, 10, 0.6f); // courses of stone
    c.strokeShape(s, 1.6f, BLACK);
    for (int i = 0; i < 3; ++i) {
        float wy = top + h * (0.2f + 0.25f * i);
        if (ruined && i == 0) continue;
        solid(c, roundRect(x - w * 0.08f, wy, w * 0.16f, w * 0.3f, w * 0.08f));
    }
}

void wallWithGate(Canvas& c, float x0, float x1, float baseY, float h) {
    Shape wall = rectShape(x0, baseY - h, x1 - x0, h);
    blank(c, wall);
    hatchFill(c, wall, 0, 8, 0.7f);
    hatchFill(c, wall, 90, 14, 0.5f);
    c.strokeShape(wall, 1.6f, BLACK);
    float gx = (x0 + x1) / 2, gw = h * 0.5f;
    solid(c, unite(rectShape(gx - gw / 2, baseY - h * 0.55f, gw, h * 0.55f),
                   circle(gx, baseY - h * 0.55f, gw / 2)));
}

Pt figure(Canvas& c, float x, float footY, float h, int facing, const FigureLook& look) {
    float f = static_cast<float>(facing);
    float headR = h * 0.075f;
    float headY = footY - h + headR;
    float shoulderY = headY + headR * 1.6f;
    float half = h * 0.13f * look.bulk;
    Path robe{{x - half * 0.55f, shoulderY},
              {x + half * 0.55f, shoulderY},
              {x + half * (look.skirt ? 1.15f : 0.6f), footY - h * 0.05f},
              {x - half * (look.skirt ? 1.15f : 0.6f), footY - h * 0.05f}};
    Shape body = poly(robe);
    if (!look.skirt) {
        body = unite(
            body, segment(x - half * 0.3f, footY - h * 0.1f, x - half * 0.45f, footY, h * 0.06f));
        body = unite(
            body, segment(x + half * 0.3f, footY - h * 0.1f, x + half * 0.45f, footY, h * 0.06f));
    } else {
        body = unite(body, rectShape(x - half * 1.1f, footY - h * 0.06f, half * 2.2f, h * 0.06f));
    }
    Shape head = circle(x, headY, headR);
    if (look.hood)
        head = unite(head, poly({{x - headR * 1.3f, shoulderY + 2},
                                 {x - f * headR * 0.3f, headY - headR * 1.5f},
                                 {x + headR * 1.3f, shoulderY + 2}}));
    // The back arm hangs, the forward arm reaches or rests.
    Pt hand = look.armRaised ? Pt{x + f * half * 1.6f, shoulderY - h * 0.12f}
                             : Pt{x + f * half * 1.3f, shoulderY + h * 0.25f};
    Shape arm = segment(x + f * half * 0.4f, shoulderY + 3, hand.first, hand.second, h * 0.055f);
    Shape backArm = segment(x - f * half * 0.4f, shoulderY + 3, x - f * half * 0.9f,
                            shoulderY + h * 0.3f, h * 0.05f);
    Shape all = unite(unite(body, head), unite(arm, backArm));
    if (look.cloakHatched) {
        blank(c, inflate(all, 1.5f));
        hatchFill(c, body, 70, 3.0f, 1.0f);
        c.strokeShape(all, 1.6f, BLACK);
        solid(c, head);
        solid(c, arm);
        // The grey cord of the Vael at the waist.
        blank(c, segment(x - half * 0.75f, shoulderY + h * 0.2f, x + half * 0.75f,
                         shoulderY + h * 0.2f, 2.2f));
    } else {
        blank(c, inflate(all, 1.5f));
        solid(c, all);
    }
    if (look.mask) {
        blank(c,
              ellipse(x + f * headR * 0.25f, headY + headR * 0.1f, headR * 0.62f, headR * 0.82f));
        solid(c, rectShape(x + f * headR * 0.25f - headR * 0.4f, headY - headR * 0.05f,
                           headR * 0.8f, headR * 0.15f));
    }
    return hand;
}

void sword(Canvas& c, Pt hand, float len, float angleDeg) {
    float a = angleDeg * PI / 180.0f;
    float dx = std::cos(a), dy = -std::sin(a);
    Pt tip{hand.first + dx * len, hand.second + dy * len};
    blank(c, segment(hand.first, hand.second, tip.first, tip.second, 5.5f));
    c.strokeShape(segment(hand.first, hand.second, tip.first, tip.second, 3.2f), 1.0f, BLACK);
    solid(c, segment(hand.first - dy * 7, hand.second + dx * 7, hand.first + dy * 7,
                     hand.second - dx * 7, 2.5f));
}

void spear(Canvas& c, Pt hand, float len, float angleDeg) {
    float a = angleDeg * PI / 180.0f;
    float dx = std::cos(a), dy = -std::sin(a);
    Pt back{hand.first - dx * len * 0.35f, hand.second - dy * len * 0.35f};
    Pt tip{hand.first + dx * len * 0.65f, hand.second + dy * len * 0.65f};
    solid(c, segment(back.first, back.second, tip.first, tip.second, 2.4f));
    solid(c, poly({{tip.first + dx * 14, tip.second + dy * 14},
                   {tip.first - dy * 4, tip.second + dx * 4},
                   {tip.first + dy * 4, tip.second - dx * 4}}));
}

void hound(Canvas& c, float x, float footY, float s, int facing) {
    float f = static_cast<float>(facing);
    float bodyY = footY - s * 0.55f;
    Shape body = ellipse(x, bodyY, s * 0.5f, s * 0.17f);
    Shape chest = ellipse(x + f * s * 0.3f, bodyY - s * 0.02f, s * 0.2f, s * 0.2f);
    Shape neck = segment(x + f * s * 0.35f, bodyY - s * 0.05f, x + f * s * 0.55f, bodyY - s * 0.3f,
                         s * 0.14f);
    Shape head = ellipse(x + f * s * 0.62f, bodyY - s * 0.34f, s * 0.13f, s * 0.09f);
    Shape snout = segment(x + f * s * 0.62f, bodyY - s * 0.32f, x + f * s * 0.82f,
                          bodyY - s * 0.27f, s * 0.08f);
    Shape ear = poly({{x + f * s * 0.55f, bodyY - s * 0.4f},
                      {x + f * s * 0.5f, bodyY - s * 0.55f},
                      {x + f * s * 0.63f, bodyY - s * 0.42f}});
    Shape tail = segment(x - f * s * 0.45f, bodyY - s * 0.05f, x - f * s * 0.75f, bodyY - s * 0.28f,
                         s * 0.05f);
    Shape legs = segment(x + f * s * 0.3f, bodyY, x + f * s * 0.42f, footY, s * 0.07f);
    legs = unite(legs, segment(x + f * s * 0.2f, bodyY, x + f * s * 0.12f, footY, s * 0.07f));
    legs = unite(legs, segment(x - f * s * 0.3f, bodyY, x - f * s * 0.45f, footY, s * 0.07f));
    legs = unite(legs, segment(x - f * s * 0.38f, bodyY, x - f * s * 0.22f, footY, s * 0.07f));
    Shape all = unite(unite(unite(body, chest), unite(neck, head)),
                      unite(unite(snout, ear), unite(tail, legs)));
    blank(c, inflate(all, 1.5f));
    solid(c, all);
    // Ember eyes.
    blank(c, circle(x + f * s * 0.66f, bodyY - s * 0.36f, s * 0.025f + 0.8f));
}

void gloamwing(Canvas& c, float x, float y, float span, int facing) {
    float f = static_cast<float>(facing);
    float s = span / 2;
    auto wing = [&](float side) {
        Path p{{x, y - s * 0.05f},
               {x + side * s * 0.45f, y - s * 0.45f},
               {x + side * s, y - s * 0.35f},
               {x + side * s * 0.8f, y - s * 0.15f},
               {x + side * s * 0.65f, y - s * 0.02f},
               {x + side * s * 0.45f, y - s * 0.08f},
               {x + side * s * 0.3f, y + s * 0.05f},
               {x, y + s * 0.08f}};
        return poly(p);
    };
    Shape body = ellipse(x, y, s * 0.12f, s * 0.2f);
    Shape neck = segment(x, y - s * 0.1f, x + f * s * 0.15f, y - s * 0.32f, s * 0.07f);
    Shape beak = poly({{x + f * s * 0.1f, y - s * 0.36f},
                       {x + f * s * 0.42f, y - s * 0.22f},
                       {x + f * s * 0.18f, y - s * 0.28f}});
    Shape tail =
        poly({{x - s * 0.05f, y + s * 0.15f}, {x + s * 0.05f, y + s * 0.15f}, {x, y + s * 0.45f}});
    Shape all = unite(unite(wing(-1), wing(1)), unite(unite(body, neck), unite(beak, tail)));
    blank(c, inflate(all, 2));
    solid(c, all);
    // Ribs of the wings, picked out in white.
    for (float side : {-1.0f, 1.0f})
        for (float t : {0.45f, 0.7f, 0.9f})
            blank(c, segment(x + side * s * 0.1f, y - s * 0.05f, x + side * s * t,
                             y - s * (0.12f + 0.25f * t), 1.0f));
}

void bell(Canvas& c, float x, float y, float h, float tiltDeg) {
    float a = tiltDeg * PI / 180.0f;
    float ca = std::cos(a), sa = std::sin(a);
    auto at = [&](float u, float v) { return Pt{x + u * ca - v * sa, y + u * sa + v * ca}; };
    float w = h * 0.5f;
    Path p{at(-w * 0.35f, -h * 0.5f), at(-w * 0.45f, -h * 0.2f), at(-w * 0.55f, h * 0.2f),
           at(-w * 0.95f, h * 0.5f),  at(w * 0.95f, h * 0.5f),   at(w * 0.55f, h * 0.2f),
           at(w * 0.45f, -h * 0.2f),  at(w * 0.35f, -h * 0.5f)};
    Shape s = poly(p);
    blank(c, inflate(s, 2));
    hatchFill(c, s, 90 + tiltDeg, 3.0f, 1.1f);
    Pt l0 = at(-w * 0.2f, -h * 0.45f), l1 = at(-w * 0.45f, h * 0.45f);
    blank(c, segment(l0.first, l0.second, l1.first, l1.second, w * 0.12f)); // highlight
    c.strokeShape(s, 1.8f, BLACK);
    Pt b0 = at(-w * 0.85f, h * 0.42f), b1 = at(w * 0.85f, h * 0.42f);
    solid(c, segment(b0.first, b0.second, b1.first, b1.second, 2.5f));
    Pt crown = at(0, -h * 0.55f);
    c.strokeShape(circle(crown.first, crown.second, h * 0.07f), 2.5f, BLACK);
}

void boat(Canvas& c, float x, float y, float len, bool raft) {
    float h = raft ? len * 0.06f : len * 0.14f;
    Path p = raft ? Path{{x - len / 2, y - h},
                         {x + len / 2, y - h},
                         {x + len / 2, y + 2},
                         {x - len / 2, y + 2}}
                  : Path{{x - len / 2, y - h},
                         {x + len / 2, y - h * 1.3f},
                         {x + len * 0.35f, y + 2},
                         {x - len * 0.38f, y + 2}};
    Shape s = poly(p);
    blank(c, inflate(s, 1.5f));
    hatchFill(c, s, 0, 2.6f, 1.0f);
    c.strokeShape(s, 1.6f, BLACK);
    if (raft)
        for (float t = -0.4f; t <= 0.41f; t += 0.2f)
            solid(c, segment(x + len * t, y - h, x + len * t, y + 2, 1.0f));
}

} // namespace ink
