// Button art: the four-state gel sets used by menus and scroll buttons, the
// eight-slot sets of section choice buttons, small control buttons and arrows.
#include "kit.h"
#include "registry.h"

#include <array>
#include <cmath>
#include <string>

namespace {

const int GEL_W = 180, GEL_H = 44;
const int CHOICE_W = 220, CHOICE_H = 38;

struct GelSet {
    const char* name;
    unsigned colour;
};

const GelSet GEL_SETS[] = {{"greengel", 0x2f8a3c},  {"bluegel", 0x2b5ea8},   {"redgel", 0xa52a20},
                           {"purplegel", 0x6b3b9c}, {"orangegel", 0xd0721a}, {"darkgel", 0x3b3733}};

const char* const GEL_FILES[] = {"unclick.png", "canclick.png", "over.png", "clicked.png"};

// Slot order of an eight-image set: unavailable; colours 1-3 ready; colours 1-3
// under the pointer; pressed. Colour 2 is what a new choice button gets.
struct ChoiceLook {
    Color colour;
    int state; // 0 unavailable, 1 ready, 2 over, 3 pressed
};

std::array<ChoiceLook, 8> choiceSlots(Color c1, Color c2, Color c3) {
    return {ChoiceLook{c2, 0}, ChoiceLook{c1, 1}, ChoiceLook{c2, 1}, ChoiceLook{c3, 1},
            ChoiceLook{c1, 2}, ChoiceLook{c2, 2}, ChoiceLook{c3, 2}, ChoiceLook{c2, 3}};
}

Color stateColour(Color base, int state) {
    if (state == 0) return mix(base, hex(0x8d877c), 0.8f);
    if (state == 2) return shade(base, 0.2f);
    if (state == 3) return shade(base, -0.3f);
    return base;
}

Canvas twotone(const ChoiceLook& look) {
    Canvas c(CHOICE_W, CHOICE_H);
    Color b = stateColour(look.colour, look.state);
    float w = CHOICE_W, h = CHOICE_H;
    Shape outer = roundRect(0.5f, 0.5f, w - 1, h - 1, 7);
    c.fillShape(outer, look.state == 0 ? hex(0x6b655c) : GOLD_DARK);
    Shape inner = roundRect(2, 2, w - 4, h - 4, 5.5f);
    float split = look.state == 3 ? h * 0.55f : h * 0.5f;
    c.fillShape(inner,
                [&](float, float y) { return y < split ? shade(b, 0.18f) : shade(b, -0.12f); });
    c.fillShape(rectShape(4, split - 0.5f, w - 8, 1), withAlpha(shade(b, 0.45f), 0.7f));
    if (look.state != 0)
        c.strokeShape(roundRect(3.5f, 3.5f, w - 7, h - 7, 4.5f), 0.8f,
                      withAlpha(GOLD_LIGHT, look.state == 2 ? 0.8f : 0.45f));
    return c;
}

Canvas pastel(const ChoiceLook& look) {
    Canvas c(CHOICE_W, CHOICE_H);
    Color b = stateColour(mix(look.colour, PARCHMENT, 0.28f), look.state);
    float w = CHOICE_W, h = CHOICE_H;
    Shape outer = roundRect(0.5f, 0.5f, w - 1, h - 1, h / 2 - 1);
    c.fillShape(outer, shade(b, -0.35f));
    c.fillShape(roundRect(2, 2, w - 4, h - 4, h / 2 - 2),
                linearGradient(0, 0, 0, h,
                               {{0.0f, shade(b, look.state == 3 ? -0.1f : 0.3f)},
                                {1.0f, shade(b, look.state == 3 ? 0.1f : -0.1f)}}));
    return c;
}

Canvas solidLook(const ChoiceLook& look) {
    Canvas c(CHOICE_W, CHOICE_H);
    Color b = stateColour(look.colour, look.state);
    float w = CHOICE_W, h = CHOICE_H;
    c.fillShape(roundRect(0.5f, 0.5f, w - 1, h - 1, 3), shade(b, -0.45f));
    c.fillShape(roundRect(2.5f, 2.5f, w - 5, h - 5, 2), b);
    return c;
}

Canvas fade(const ChoiceLook& look) {
    Canvas c(CHOICE_W, CHOICE_H);
    Color b = stateColour(look.colour, look.state);
    float w = CHOICE_W, h = CHOICE_H;
    // Solid in the middle, melting into the page at both ends.
    c.fillShape(rectShape(0, 2, w, h - 4), [&](float x, float y) {
        float edge = std::min(x, w - x) / (w * 0.22f);
        float a = std::min(1.0f, edge);
        a = a * a * (3 - 2 * a);
        Color col = mix(shade(b, 0.15f), shade(b, -0.2f), y / h);
        col.a = a * (look.state == 0 ? 0.7f : 0.95f);
        return col;
    });
    c.fillShape(rectShape(0, 1, w, 1.2f), [&](float x, float) {
        float a = std::min(1.0f, std::min(x, w - x) / (w * 0.3f));
        return withAlpha(GOLD, a * 0.8f);
    });
    c.fillShape(rectShape(0, h - 2.2f, w, 1.2f), [&](float x, float) {
        float a = std::min(1.0f, std::min(x, w - x) / (w * 0.3f));
        return withAlpha(GOLD, a * 0.8f);
    });
    return c;
}

// A round bronze control with a symbol drawn by `glyph` on it.
template <typename Glyph> Canvas roundControl(int size, Glyph glyph) {
    Canvas c(size, size);
    float r = size / 2.0f;
    c.fillShape(circle(r, r + 1, r - 1), Color{0, 0, 0, 0.35f});
    c.fillShape(circle(r, r, r - 1), BRONZE_DARK);
    c.fillShape(circle(r, r, r - 2.5f),
                radialGradient(r * 0.7f, r * 0.6f, r * 1.3f,
                               {{0.0f, shade(BRONZE, 0.35f)}, {1.0f, shade(BRONZE, -0.3f)}}));
    c.strokeShape(circle(r, r, r - 2.5f), 1.0f, withAlpha(GOLD_LIGHT, 0.6f));
    glyph(c, r);
    return c;
}

void arrowGlyph(Canvas& c, float r, float angle) {
    float ca = std::cos(angle), sa = std::sin(angle);
    auto rot = [&](float x, float y) {
        return std::make_pair(r + x * ca - y * sa, r + x * sa + y * ca);
    };
    float s = r * 0.55f;
    std::vector<std::pair<float, float>> pts = {rot(s, 0),
                                                rot(-s * 0.2f, -s * 0.85f),
                                                rot(-s * 0.2f, -s * 0.35f),
                                                rot(-s * 0.9f, -s * 0.35f),
                                                rot(-s * 0.9f, s * 0.35f),
                                                rot(-s * 0.2f, s * 0.35f),
                                                rot(-s * 0.2f, s * 0.85f)};
    Shape arrow = polygon(pts);
    c.fillShape(inflate(arrow, 1.0f), withAlpha(INK, 0.7f));
    c.fillShape(arrow, linearGradient(0, r - s, 0, r + s, {{0.0f, GOLD_LIGHT}, {1.0f, GOLD}}));
}

} // namespace

ART_MODULE(buttonSets) {
    for (const GelSet& set : GEL_SETS)
        for (int state = 0; state < 4; ++state)
            ctx.save(gelButton(GEL_W, GEL_H, hex(set.colour), state),
                     std::string("buttons/4/") + set.name + "/" + GEL_FILES[state]);

    struct ChoiceSet {
        const char* name;
        Canvas (*draw)(const ChoiceLook&);
        Color c1, c2, c3;
    };
    const ChoiceSet sets[] = {
        {"twotone", twotone, hex(0x3d6b37), hex(0x2f4f7a), hex(0x8a2a22)},
        {"pastel", pastel, hex(0x5f8f5a), hex(0x56789f), hex(0xa35a5a)},
        {"solid", solidLook, hex(0x35602f), hex(0x2a4669), hex(0x7d241e)},
        {"fade", fade, hex(0x2e5a2a), hex(0x23405f), hex(0x6e1f1a)},
    };
    for (const ChoiceSet& set : sets) {
        auto slots = choiceSlots(set.c1, set.c2, set.c3);
        for (int i = 0; i < 8; ++i)
            ctx.save(set.draw(slots[i]), std::string("buttons/8/") + set.name + "/button" +
                                             std::to_string(i + 1) + ".png");
    }
}

ART_MODULE(buttonArrows) {
    const int size = 36;
    const char* names[] = {"right", "down", "left", "up"};
    for (int i = 0; i < 4; ++i) {
        float angle = i * 3.14159265f / 2;
        ctx.save(roundControl(size, [angle](Canvas& c, float r) { arrowGlyph(c, r, angle); }),
                 std::string("buttons/arrows/") + names[i] + ".png");
    }
}

ART_MODULE(buttonMisc) {
    const int size = 28;
    Color ink = GOLD_LIGHT;
    auto stroke = [](Canvas& c, float ax, float ay, float bx, float by, float w, Color col) {
        c.fillShape(segment(ax, ay, bx, by, w + 1.2f), withAlpha(INK, 0.6f));
        c.fillShape(segment(ax, ay, bx, by, w), col);
    };
    // clear: a cross
    ctx.save(roundControl(size,
                          [&](Canvas& c, float r) {
                              float s = r * 0.38f;
                              stroke(c, r - s, r - s, r + s, r + s, 2.6f, ink);
                              stroke(c, r - s, r + s, r + s, r - s, 2.6f, ink);
                          }),
             "buttons/misc/clear.png");
    // preview: a magnifying glass
    ctx.save(roundControl(size,
                          [&](Canvas& c, float r) {
                              c.fillShape(outline(circle(r - 2, r - 2, r * 0.32f), 2.2f), ink);
                              stroke(c, r + 1.5f, r + 1.5f, r + r * 0.45f, r + r * 0.45f, 2.8f,
                                     ink);
                          }),
             "buttons/misc/preview.png");
    // plusminus: plus over minus
    ctx.save(roundControl(size,
                          [&](Canvas& c, float r) {
                              stroke(c, r - 5, r - 4, r + 5, r - 4, 2.2f, ink);
                              stroke(c, r, r - 9, r, r + 1, 2.2f, ink);
                              stroke(c, r - 5, r + 6, r + 5, r + 6, 2.2f, ink);
                          }),
             "buttons/misc/plusminus.png");
    // xminus: remove
    ctx.save(
        roundControl(
            size, [&](Canvas& c, float r) { stroke(c, r - 6, r, r + 6, r, 3.0f, hex(0xf0b0a0)); }),
        "buttons/misc/xminus.png");
    // export: a sheet with an arrow leaving it
    ctx.save(
        roundControl(size,
                     [&](Canvas& c, float r) {
                         c.fillShape(rectShape(r - 7, r - 6, 9, 12), PARCHMENT);
                         c.strokeShape(rectShape(r - 7, r - 6, 9, 12), 1.0f, INK);
                         stroke(c, r - 3, r, r + 7, r, 2.0f, ink);
                         c.fillShape(polygon({{r + 9, r}, {r + 4, r - 4}, {r + 4, r + 4}}), ink);
                     }),
        "buttons/misc/export.png");
    // checkbox: an empty inked box on parchment
    {
        Canvas c(size - 4, size - 4);
        float s = size - 4.0f;
        c.fillShape(roundRect(0.5f, 0.5f, s - 1, s - 1, 3), BRONZE_DARK);
        c.fillShape(roundRect(2.5f, 2.5f, s - 5, s - 5, 2),
                    linearGradient(0, 0, 0, s, {{0.0f, hex(0xd9c8a0)}, {1.0f, PARCHMENT_LIGHT}}));
        ctx.save(c, "buttons/misc/checkbox.png");
    }
    // radio1 (off) and radio3 (on)
    for (int on = 0; on < 2; ++on) {
        Canvas c(size - 6, size - 6);
        float r = (size - 6) / 2.0f;
        c.fillShape(circle(r, r, r - 0.5f), BRONZE_DARK);
        c.fillShape(circle(r, r, r - 2.5f),
                    radialGradient(r * 0.8f, r * 0.7f, r * 1.4f,
                                   {{0.0f, PARCHMENT_LIGHT}, {1.0f, hex(0xcdb888)}}));
        if (on)
            c.fillShape(circle(r, r, r * 0.45f),
                        radialGradient(r * 0.85f, r * 0.8f, r * 0.6f,
                                       {{0.0f, hex(0x4d7a48)}, {1.0f, FOREST}}));
        ctx.save(c, on ? "buttons/misc/radio3.png" : "buttons/misc/radio1.png");
    }
}
