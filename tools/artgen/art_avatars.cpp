// Profile avatars: painted-looking portrait roundels of a few kinds of hero,
// built from simple shapes so they stay readable at small sizes.
#include "kit.h"
#include "registry.h"

#include <cmath>
#include <string>

namespace {

const int AV = 128;
const float R = AV / 2.0f;

struct Hero {
    const char* name;
    unsigned backdrop, skin, hair, garb, trim;
    int hat; // 0 none, 1 hood, 2 helm, 3 pointed hat, 4 circlet, 5 bandana
    bool beard;
    bool longHair;
    bool pointedEars;
};

void face(Canvas& c, const Hero& h, const Shape& clip) {
    Color skin = hex(h.skin), hair = hex(h.hair), garb = hex(h.garb), trim = hex(h.trim);
    // Shoulders and garment.
    c.fillShape(
        intersect(ellipse(R, AV * 1.02f, R * 0.86f, R * 0.62f), clip),
        linearGradient(0, R, 0, AV, {{0.0f, shade(garb, 0.15f)}, {1.0f, shade(garb, -0.35f)}}));
    c.fillShape(
        intersect(polygon({{R - 16, AV * 0.78f}, {R + 16, AV * 0.78f}, {R, AV * 0.98f}}), clip),
        shade(garb, -0.4f));
    c.strokeShape(intersect(ellipse(R, AV * 1.02f, R * 0.86f, R * 0.62f), clip), 2, trim);
    if (h.longHair) c.fillShape(roundRect(R - 27, R - 30, 54, 66, 22), shade(hair, -0.15f));
    // Neck and head.
    c.fillShape(rectShape(R - 9, R + 8, 18, 22), shade(skin, -0.2f));
    if (h.pointedEars)
        for (int side = -1; side <= 1; side += 2)
            c.fillShape(polygon({{R + side * 17.0f, R - 6},
                                 {R + side * 31.0f, R - 20},
                                 {R + side * 19.0f, R + 6}}),
                        shade(skin, -0.1f));
    Shape head = ellipse(R, R - 4, 20, 25);
    c.fillShape(head, radialGradient(R - 6, R - 12, 30,
                                     {{0.0f, shade(skin, 0.2f)}, {1.0f, shade(skin, -0.25f)}}));
    // Eyes, brows, nose, mouth.
    for (int side = -1; side <= 1; side += 2) {
        c.fillShape(ellipse(R + side * 8.0f, R - 6, 3.2f, 2.0f), hex(0xf4efe6));
        c.fillShape(circle(R + side * 8.0f, R - 6, 1.6f), hex(0x2a1d12));
        c.fillShape(segment(R + side * 4.0f, R - 11, R + side * 12.0f, R - 12, 2),
                    shade(hair, -0.2f));
    }
    c.fillShape(segment(R, R - 4, R - 2, R + 4, 1.6f), withAlpha(shade(skin, -0.45f), 0.7f));
    c.fillShape(segment(R - 5, R + 10, R + 5, R + 10, 1.6f), withAlpha(hex(0x6e2f24), 0.8f));
    if (h.beard) {
        Shape beard = intersect(ellipse(R, R + 6, 21, 22), rectShape(0, R + 3, AV, AV));
        c.fillShape(beard, shade(hair, 0.05f));
        c.fillShape(segment(R - 6, R + 9, R + 6, R + 9, 3), shade(hair, -0.3f));
    }
    // Hair or headgear.
    switch (h.hat) {
    case 1: { // hood
        Shape hood = subtract(ellipse(R, R - 8, 30, 36), ellipse(R, R - 1, 21, 27));
        c.fillShape(intersect(hood, rectShape(0, 0, AV, R + 22)),
                    linearGradient(0, R - 44, 0, R + 20,
                                   {{0.0f, shade(garb, 0.1f)}, {1.0f, shade(garb, -0.4f)}}));
        break;
    }
    case 2: // helm with a nose guard
        c.fillShape(intersect(ellipse(R, R - 10, 23, 24), rectShape(0, 0, AV, R - 9)),
                    metal(R - 36, R - 8, hex(0x9aa3ad)));
        c.fillShape(rectShape(R - 23, R - 13, 46, 5), hex(0x6b737d));
        c.fillShape(rectShape(R - 2.5f, R - 13, 5, 14), hex(0x7d8590));
        break;
    case 3: // pointed hat
        c.fillShape(polygon({{R - 30, R - 18}, {R + 30, R - 18}, {R + 6, R - 62}}),
                    linearGradient(R - 30, 0, R + 30, 0,
                                   {{0.0f, shade(garb, 0.2f)}, {1.0f, shade(garb, -0.3f)}}));
        c.fillShape(ellipse(R, R - 18, 34, 6), shade(garb, -0.2f));
        c.fillShape(rectShape(R - 22, R - 24, 44, 4), trim);
        break;
    case 4: // hair with a circlet
        c.fillShape(intersect(ellipse(R, R - 12, 22, 20), rectShape(0, 0, AV, R - 12)), hair);
        c.fillShape(rectShape(R - 20, R - 17, 40, 3), trim);
        c.fillShape(circle(R, R - 16, 3), hex(0x6fb3d9));
        break;
    case 5: // bandana and a mask over the eyes
        c.fillShape(intersect(ellipse(R, R - 12, 22, 20), rectShape(0, 0, AV, R - 13)),
                    hex(h.trim));
        c.fillShape(polygon({{R + 18, R - 16}, {R + 34, R - 6}, {R + 26, R - 2}}), hex(h.trim));
        c.fillShape(roundRect(R - 19, R - 10, 38, 8, 4), withAlpha(hex(0x1a1410), 0.85f));
        for (int side = -1; side <= 1; side += 2)
            c.fillShape(circle(R + side * 8.0f, R - 6, 1.6f), hex(0xe8d8b0));
        break;
    default: // bare head, short hair
        c.fillShape(intersect(ellipse(R, R - 12, 21, 19), rectShape(0, 0, AV, R - 14)), hair);
        break;
    }
}

Canvas avatar(const Hero& h, uint32_t seed) {
    Canvas c(AV, AV);
    Shape disc = circle(R, R, R - 2);
    Canvas back(AV, AV);
    paintParchment(back, seed, hex(h.backdrop), 0.5f, false);
    vignette(back, 0.6f, shade(hex(h.backdrop), -0.6f), 0.3f);
    c.fillShape(disc, [&](float x, float y) { return back.get((int)x, (int)y); });
    face(c, h, circle(R, R, R - 5));
    Canvas rim(AV, AV);
    rim.fillShape(outline(circle(R, R, R - 4), 6), metal(0, AV, GOLD));
    rim.bevel(rim.alphaMask(), 1.5f, 0.6f);
    c.draw(rim, 0, 0);
    return c;
}

} // namespace

ART_MODULE(avatars) {
    const Hero heroes[] = {
        {"archer", 0x6f8a5a, 0xe8c39e, 0xd8b070, 0x3d6b37, 0xc9a043, 4, false, true, true},
        {"dwarf", 0x8a6a4a, 0xd9a37e, 0xb2572b, 0x5a3420, 0xc9a043, 2, true, false, false},
        {"knight", 0x5d6f8a, 0xe3b48c, 0x4a3322, 0x8a2a22, 0xd9b44a, 2, false, false, false},
        {"monk", 0xb08a54, 0xc98e62, 0x2a1d12, 0xb05a1a, 0x7a3a12, 0, false, false, false},
        {"ranger", 0x4f6a48, 0xdcb08a, 0x5a3a22, 0x2f4a2c, 0x8c5a2b, 1, true, false, false},
        {"rogue", 0x4a4a55, 0xe0b894, 0x2a2a2a, 0x2a2a30, 0x7a1f1b, 5, false, false, false},
        {"scholar", 0x8a7a5a, 0xe8c8a8, 0x8a8a8a, 0x1d2a3a, 0xc9a043, 0, true, false, false},
        {"wizard", 0x3a3a6a, 0xe3bc98, 0xdcdcdc, 0x3b2f6b, 0xc9a043, 3, true, false, false},
        {"wanderer", 0x7a6040, 0xb9825a, 0x1d1612, 0x6a5a3a, 0xa08050, 1, false, false, false},
        {"shieldmaiden", 0x6a7a8a, 0xf0cca8, 0xc98a3a, 0x4a5a6a, 0xc9a043, 4, false, true, false},
    };
    uint32_t seed = 1601;
    for (const Hero& h : heroes)
        ctx.save(avatar(h, seed++), std::string("profiles/avatars/") + h.name + ".png");
}
