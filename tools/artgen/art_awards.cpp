// Award medals: a ribboned medallion with an emblem per kind of award, the
// greyed medal of an award not yet earned, and the "new" mark.
#include "kit.h"
#include "registry.h"

#include <cmath>
#include <functional>
#include <string>

namespace {

const float PI = 3.14159265f;
const int MEDAL_W = 160, MEDAL_H = 240;

using Emblem = std::function<void(Canvas&, float cx, float cy, float r, Color ink)>;

Canvas medal(Color ribbonA, Color ribbonB, Color metalBase, const Emblem& emblem, bool dull) {
    Canvas c(MEDAL_W, MEDAL_H);
    float cx = MEDAL_W / 2.0f, cy = 160, r = 62;
    // The ribbon: two tails meeting behind the medal, striped.
    for (int side = 0; side < 2; ++side) {
        float d = side ? 1.0f : -1.0f;
        Shape tail = polygon(
            {{cx + d * 4, 4}, {cx + d * 58, 4}, {cx + d * 26, cy - 20}, {cx - d * 20, cy - 20}});
        c.fillShape(tail, [&](float x, float) {
            float u = std::fmod(std::fabs(x - cx) + 200, 18.0f);
            return u < 6 ? ribbonB : ribbonA;
        });
        c.strokeShape(tail, 1.2f, withAlpha(INK, 0.6f));
    }
    c.fillShape(rectShape(cx - 60, 4, 120, 8), withAlpha(Color{0, 0, 0, 1}, 0.25f));
    dropShadow(c, circle(cx, cy, r), 4, 2, 4, 0.5f);
    Canvas disc(MEDAL_W, MEDAL_H);
    disc.fillShape(circle(cx, cy, r), metal(cy - r, cy + r, metalBase));
    disc.bevel(disc.alphaMask(), 3.0f, 0.6f);
    c.draw(disc, 0, 0);
    c.fillShape(circle(cx, cy, r * 0.78f),
                radialGradient(cx - r * 0.3f, cy - r * 0.3f, r * 1.1f,
                               {{0.0f, shade(metalBase, 0.3f)}, {1.0f, shade(metalBase, -0.35f)}}));
    c.strokeShape(circle(cx, cy, r * 0.78f), 1.5f, shade(metalBase, -0.6f));
    // Beads round the rim.
    for (int i = 0; i < 24; ++i) {
        float a = i * PI / 12;
        c.fillShape(circle(cx + std::cos(a) * r * 0.89f, cy + std::sin(a) * r * 0.89f, 2.2f),
                    shade(metalBase, -0.45f));
    }
    Color ink = dull ? hex(0x4a4742) : shade(metalBase, -0.7f);
    emblem(c, cx, cy, r * 0.6f, ink);
    if (dull) {
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x) {
                Color& p = c.at(x, y);
                float g = (p.r + p.g + p.b) / 3;
                p = mix(p, Color{g, g, g, p.a}, 0.85f);
                p.a *= 0.75f;
            }
    }
    return c;
}

std::vector<std::pair<float, float>> starPoints(float cx, float cy, float outer, float inner,
                                                int n) {
    std::vector<std::pair<float, float>> pts;
    for (int i = 0; i < 2 * n; ++i) {
        float a = -PI / 2 + i * PI / n, rr = i % 2 ? inner : outer;
        pts.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
    }
    return pts;
}

void emblemStar(Canvas& c, float cx, float cy, float r, Color ink) {
    c.fillShape(polygon(starPoints(cx, cy, r, r * 0.42f, 5)), ink);
}

void emblemSword(Canvas& c, float cx, float cy, float r, Color ink) {
    c.fillShape(polygon({{cx, cy - r},
                         {cx + r * 0.12f, cy - r * 0.8f},
                         {cx + r * 0.12f, cy + r * 0.45f},
                         {cx - r * 0.12f, cy + r * 0.45f},
                         {cx - r * 0.12f, cy - r * 0.8f}}),
                ink);
    c.fillShape(rectShape(cx - r * 0.45f, cy + r * 0.42f, r * 0.9f, r * 0.14f), ink);
    c.fillShape(rectShape(cx - r * 0.07f, cy + r * 0.56f, r * 0.14f, r * 0.3f), ink);
    c.fillShape(circle(cx, cy + r * 0.92f, r * 0.1f), ink);
    // An olive sprig across the blade: the fight avoided.
    for (int i = 0; i < 5; ++i) {
        float t = i / 4.0f;
        float x = cx - r * 0.8f + t * r * 1.6f, y = cy - r * 0.1f + std::sin(t * PI) * -r * 0.25f;
        c.fillShape(ellipse(x, y - r * 0.1f, r * 0.13f, r * 0.06f), ink);
    }
    c.fillShape(segment(cx - r * 0.85f, cy - r * 0.05f, cx + r * 0.85f, cy - r * 0.05f, 1.5f), ink);
}

void emblemCircle(Canvas& c, float cx, float cy, float r, Color ink) {
    c.fillShape(outline(circle(cx, cy, r * 0.75f), r * 0.12f), ink);
    for (int i = 0; i < 4; ++i) {
        float a = i * PI / 2 + PI / 4;
        c.fillShape(circle(cx + std::cos(a) * r * 0.75f, cy + std::sin(a) * r * 0.75f, r * 0.2f),
                    ink);
    }
    c.fillShape(polygon(starPoints(cx, cy, r * 0.4f, r * 0.15f, 4)), ink);
}

void emblemBow(Canvas& c, float cx, float cy, float r, Color ink) {
    for (int i = 0; i < 20; ++i) {
        float a0 = -PI / 2.6f + i * (2 * PI / 2.6f) / 20,
              a1 = -PI / 2.6f + (i + 1) * (2 * PI / 2.6f) / 20;
        c.fillShape(segment(cx - r * 0.5f + std::cos(a0) * r, cy + std::sin(a0) * r,
                            cx - r * 0.5f + std::cos(a1) * r, cy + std::sin(a1) * r, r * 0.12f),
                    ink);
    }
    float sx = cx - r * 0.5f + std::cos(PI / 2.6f) * r;
    c.fillShape(segment(sx, cy - std::sin(PI / 2.6f) * r, sx, cy + std::sin(PI / 2.6f) * r, 1.5f),
                ink);
    c.fillShape(segment(sx - r * 0.2f, cy, cx + r * 0.85f, cy, r * 0.07f), ink);
    c.fillShape(
        polygon({{cx + r, cy}, {cx + r * 0.75f, cy - r * 0.15f}, {cx + r * 0.75f, cy + r * 0.15f}}),
        ink);
}

void emblemWanted(Canvas& c, float cx, float cy, float r, Color ink) {
    c.strokeShape(rectShape(cx - r * 0.6f, cy - r * 0.8f, r * 1.2f, r * 1.6f), r * 0.08f, ink);
    c.fillShape(circle(cx, cy - r * 0.25f, r * 0.26f), ink);
    c.fillShape(ellipse(cx, cy + r * 0.35f, r * 0.42f, r * 0.25f), ink);
}

void emblemBounty(Canvas& c, float cx, float cy, float r, Color ink) {
    for (int i = 0; i < 3; ++i) {
        float y = cy + r * 0.5f - i * r * 0.28f;
        c.fillShape(ellipse(cx - r * 0.2f, y, r * 0.5f, r * 0.16f), ink);
        c.strokeShape(ellipse(cx - r * 0.2f, y - 1, r * 0.5f, r * 0.16f), 1.0f, shade(ink, 0.5f));
    }
    c.fillShape(circle(cx + r * 0.45f, cy - r * 0.35f, r * 0.35f), ink);
}

void emblemWing(Canvas& c, float cx, float cy, float r, Color ink) {
    for (int i = 0; i < 5; ++i) {
        float len = r * (1.2f - i * 0.15f), y = cy - r * 0.5f + i * r * 0.24f;
        c.fillShape(roundRect(cx - r * 0.6f, y, len, r * 0.18f, r * 0.09f), ink);
    }
}

void emblemBook(Canvas& c, float cx, float cy, float r, Color ink) {
    c.fillShape(polygon({{cx - r, cy - r * 0.5f},
                         {cx - r * 0.05f, cy - r * 0.3f},
                         {cx - r * 0.05f, cy + r * 0.6f},
                         {cx - r, cy + r * 0.4f}}),
                ink);
    c.fillShape(polygon({{cx + r * 0.05f, cy - r * 0.3f},
                         {cx + r, cy - r * 0.5f},
                         {cx + r, cy + r * 0.4f},
                         {cx + r * 0.05f, cy + r * 0.6f}}),
                ink);
}

void emblemShield(Canvas& c, float cx, float cy, float r, Color ink) {
    std::vector<std::pair<float, float>> pts = {
        {cx - r * 0.7f, cy - r * 0.8f}, {cx + r * 0.7f, cy - r * 0.8f}, {cx + r * 0.7f, cy}};
    for (int i = 1; i < 12; ++i) {
        float t = i / 12.0f;
        pts.push_back({cx + r * 0.7f * (1 - t), cy + r * std::sin(t * PI / 2)});
    }
    for (int i = 11; i > 0; --i) {
        float t = i / 12.0f;
        pts.push_back({cx - r * 0.7f * (1 - t), cy + r * std::sin(t * PI / 2)});
    }
    pts.push_back({cx - r * 0.7f, cy});
    c.fillShape(polygon(pts), ink);
    c.fillShape(polygon(starPoints(cx, cy - r * 0.1f, r * 0.38f, r * 0.16f, 5)), shade(ink, 0.75f));
}

void emblemFlame(Canvas& c, float cx, float cy, float r, Color ink) {
    std::vector<std::pair<float, float>> pts;
    for (int i = 0; i <= 40; ++i) {
        float t = i / 40.0f * 2 * PI;
        float rr = r * (0.55f + 0.08f * std::sin(t * 3));
        float x = cx + std::sin(t) * rr * 0.8f;
        float y = cy + r * 0.25f - std::cos(t) * rr;
        if (std::cos(t) > 0.3f) y -= (std::cos(t) - 0.3f) * r * 0.9f;
        pts.push_back({x, y});
    }
    c.fillShape(polygon(pts), ink);
}

void emblemSprout(Canvas& c, float cx, float cy, float r, Color ink) {
    c.fillShape(segment(cx, cy + r * 0.8f, cx, cy - r * 0.2f, r * 0.1f), ink);
    c.fillShape(ellipse(cx - r * 0.35f, cy - r * 0.3f, r * 0.38f, r * 0.18f), ink);
    c.fillShape(ellipse(cx + r * 0.35f, cy - r * 0.5f, r * 0.38f, r * 0.18f), ink);
    c.fillShape(rectShape(cx - r * 0.6f, cy + r * 0.7f, r * 1.2f, r * 0.14f), ink);
}

void emblemHeart(Canvas& c, float cx, float cy, float r, Color ink) {
    Shape h = unite(unite(circle(cx - r * 0.33f, cy - r * 0.2f, r * 0.38f),
                          circle(cx + r * 0.33f, cy - r * 0.2f, r * 0.38f)),
                    polygon({{cx - r * 0.68f, cy - r * 0.08f},
                             {cx + r * 0.68f, cy - r * 0.08f},
                             {cx, cy + r * 0.75f}}));
    c.fillShape(h, ink);
}

void emblemNone(Canvas&, float, float, float, Color) {}

} // namespace

ART_MODULE(awardMedals) {
    struct Kind {
        const char* name;
        unsigned ribbonA, ribbonB, metal;
        void (*emblem)(Canvas&, float, float, float, Color);
    };
    const Kind kinds[] = {
        {"medal_generic", 0x2f4f7a, 0xc9a043, 0xc9a043, emblemStar},
        {"avoidUC", 0x3d6b37, 0xf0e6cc, 0xc0c6cc, emblemSword},
        {"loc", 0x5a3c8a, 0xc9a043, 0xc9a043, emblemCircle},
        {"bow", 0x3d6b37, 0x7a5a2c, 0xb87d46, emblemBow},
        {"wanted", 0x7a1f1b, 0x1d1d1d, 0xb87d46, emblemWanted},
        {"bounty", 0x7a1f1b, 0xc9a043, 0xd9b44a, emblemBounty},
        {"agility", 0x2a6a8a, 0xf0e6cc, 0xc0c6cc, emblemWing},
        {"btb", 0x2f4f7a, 0xf0e6cc, 0xc9a043, emblemBook},
        {"heroic", 0x8a2a22, 0xc9a043, 0xd9b44a, emblemShield},
        {"hc", 0x1d1d1d, 0x8a2a22, 0xb0b6bc, emblemFlame},
        {"fresh", 0x3d6b37, 0xc9e0b0, 0xc9a043, emblemSprout},
        {"charitable", 0xa35a6a, 0xf0e6cc, 0xd9b44a, emblemHeart},
    };
    for (const Kind& k : kinds)
        ctx.save(medal(hex(k.ribbonA), hex(k.ribbonB), hex(k.metal), k.emblem, false),
                 std::string("misc/awards/") + k.name + ".png");
    {
        Canvas c = medal(hex(0x6b6760), hex(0x8d8a84), hex(0x9c9890), emblemNone, true);
        const Font& f = ctx.font(FONT_BOOK, 64);
        drawText(c, f, "?", MEDAL_W / 2.0f, 160 - f.lineHeight() / 2.0f, 0,
                 TextStyle{solid(withAlpha(hex(0x3e3b37), 0.8f))});
        ctx.save(c, "misc/awards/unearned_medal.png");
    }
    // The "new" mark beside a newly earned award.
    const int w = 64, h = 28;
    Canvas c(w, h);
    Shape tag = polygon(
        {{2, 2}, {w - 10.0f, 2}, {w - 2.0f, h / 2.0f}, {w - 10.0f, h - 2.0f}, {2, h - 2.0f}});
    c.fillShape(tag, linearGradient(0, 0, 0, h,
                                    {{0.0f, shade(OXBLOOD, 0.3f)}, {1.0f, shade(OXBLOOD, -0.2f)}}));
    c.strokeShape(tag, 1.5f, GOLD);
    const Font& f = ctx.font(FONT_SANS, 13);
    TextStyle st;
    st.fill = solid(PARCHMENT_LIGHT);
    st.bold = true;
    drawText(c, f, "NEW", w / 2.0f - 3, (h - f.lineHeight()) / 2.0f, 0, st);
    ctx.save(c, "misc/awards/newly.png");
}
