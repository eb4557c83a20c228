// The illustrations of demo book 2, "The Drowned Bell of Harrowmere".
#include "books_ink.h"
#include "registry.h"

#include <cmath>

using namespace ink;

namespace {

// A row of gabled houses along a shore line.
void town(Canvas& c, float x0, float x1, float baseY, float h, uint32_t seed) {
    Rng rng(seed);
    for (float x = x0; x < x1;) {
        float w = rng.range(h * 0.5f, h * 0.9f), hh = rng.range(h * 0.5f, h);
        Shape wall = rectShape(x, baseY - hh, w, hh);
        Shape roof = poly(
            {{x - 2, baseY - hh}, {x + w / 2, baseY - hh - w * 0.45f}, {x + w + 2, baseY - hh}});
        blank(c, unite(wall, roof));
        hatchFill(c, roof, 60, 2.6f, 1.0f);
        c.strokeShape(unite(wall, roof), 1.2f, BLACK);
        solid(c, rectShape(x + w * 0.35f, baseY - hh * 0.6f, w * 0.18f, hh * 0.25f));
        x += w + rng.range(0, 4);
    }
}

// Drowned folk: silhouettes with still water where their eyes should be.
void drowned(Canvas& c, float x, float footY, float h, int facing) {
    FigureLook look;
    look.hood = false;
    look.armRaised = true;
    figure(c, x, footY, h, facing, look);
    float headY = footY - h + h * 0.075f;
    blank(c, ellipse(x - h * 0.025f, headY, h * 0.016f, h * 0.01f));
    blank(c, ellipse(x + h * 0.025f, headY, h * 0.016f, h * 0.01f));
    for (int i = 0; i < 4; ++i)
        blank(c, segment(x - h * 0.08f + i * h * 0.05f, footY - h * 0.5f,
                         x - h * 0.08f + i * h * 0.05f, footY - h * 0.2f, 0.8f));
}

void mudFlats(Canvas& c, float x0, float y0, float x1, float y1, uint32_t seed) {
    Rng rng(seed);
    Shape s = rectShape(x0, y0, x1 - x0, y1 - y0);
    blank(c, s);
    for (int i = 0; i < 500; ++i) {
        float x = rng.range(x0, x1), y = rng.range(y0, y1);
        solid(c, circle(x, y, 0.5f + (y - y0) / (y1 - y0)));
    }
    hatchFill(c, s, 0, 9, 0.4f);
}

// 1. Harrowmere from the ridge: the town, the empty lake and the broken tower.
Canvas harrowmereFromRidge() {
    Canvas c = sheet();
    gradedHatch(c, rectShape(0, 0, ILL_W, 140), 0, 140, 0);
    town(c, 10, 390, 200, 50, 31);
    mudFlats(c, 0, 200, ILL_W, 420, 32);
    Shape lake = wobbly(ellipse(220, 300, 150, 45), 6, 40, 33);
    blank(c, lake);
    water(c, 80, 265, 360, 340, 34);
    c.strokeShape(lake, 1.2f, BLACK);
    solid(c, wobbly(ellipse(230, 290, 30, 10), 3, 10, 35));
    tower(c, 232, 285, 18, 40, true, 36);
    mist(c, 0, 180, ILL_W, 360, 0.9f, 37);
    Shape ridge = wobbly(poly({{0, 430}, {200, 410}, {400, 440}, {400, 500}, {0, 500}}), 4, 30, 38);
    blank(c, ridge);
    crossHatch(c, ridge, 4.5f, 1.0f);
    FigureLook hero;
    hero.cloakHatched = true;
    figure(c, 170, 420, 90, 1, hero);
    FigureLook wenna;
    wenna.hood = false;
    figure(c, 215, 418, 80, -1, wenna);
    border(c);
    return c;
}

// 2. The Drowned walk out of the mist in the market square.
Canvas drownedInSquare() {
    Canvas c = sheet();
    town(c, 0, 400, 260, 110, 41);
    Shape square = rectShape(0, 260, ILL_W, 240);
    blank(c, square);
    for (float y = 270; y < 500; y += 12 + (y - 260) * 0.05f)
        stroke(c, {{0, y}, {400, y}}, 0.6f);
    mist(c, 0, 120, ILL_W, 330, 1.0f, 42);
    drowned(c, 110, 400, 190, 1);
    drowned(c, 260, 420, 210, -1);
    drowned(c, 340, 330, 100, -1);
    FigureLook hero;
    hero.cloakHatched = true;
    hero.armRaised = true;
    Pt hand = figure(c, 200, 490, 150, 1, hero);
    sword(c, hand, 60, 60);
    border(c);
    return c;
}

// The Grandmother Pike rising out of the water, jaws open.
void pike(Canvas& c, float x, float y, float len) {
    Shape head = poly({{x, y + len * 0.25f},
                       {x + len * 0.1f, y - len * 0.1f},
                       {x + len * 0.45f, y - len * 0.55f},
                       {x + len * 0.55f, y - len * 0.45f},
                       {x + len * 0.25f, y + len * 0.25f}});
    Shape jaw = poly(
        {{x + len * 0.2f, y}, {x + len * 0.62f, y - len * 0.3f}, {x + len * 0.3f, y + len * 0.2f}});
    Shape all = unite(head, jaw);
    blank(c, inflate(all, 2));
    crossHatch(c, all, 3.5f, 1.1f);
    c.strokeShape(all, 2, BLACK);
    for (int i = 0; i < 7; ++i) {
        float t = 0.25f + i * 0.1f;
        float tx = x + len * 0.1f + len * 0.45f * t, ty = y - len * 0.5f * t;
        solid(c, poly({{tx, ty}, {tx + 4, ty + 3}, {tx + 6, ty + 12}}));
    }
    blank(c, circle(x + len * 0.32f, y - len * 0.32f, len * 0.04f));
    solid(c, circle(x + len * 0.32f, y - len * 0.32f, len * 0.02f));
}

// 3. The Grandmother Pike strikes at Hob's boat.
Canvas pikeAttack() {
    Canvas c = sheet();
    mist(c, 0, 0, ILL_W, 200, 1.0f, 51);
    gradedHatch(c, rectShape(0, 0, ILL_W, 220), 0, 220, 0);
    mist(c, 0, 60, ILL_W, 240, 1.0f, 52);
    water(c, 20, 260, 390, 490, 53);
    boat(c, 130, 330, 200, false);
    FigureLook hob;
    hob.hood = false;
    hob.bulk = 1.1f;
    figure(c, 80, 318, 100, 1, hob);
    FigureLook hero;
    hero.cloakHatched = true;
    hero.armRaised = true;
    Pt hand = figure(c, 160, 318, 120, 1, hero);
    sword(c, hand, 50, 20);
    pike(c, 230, 360, 200);
    border(c);
    return c;
}

// 4. Old Clarion in the mud of Stave Rock, the Kindled's frame and furnace.
Canvas bellOnStaveRock() {
    Canvas c = sheet();
    gradedHatch(c, rectShape(0, 0, ILL_W, 250), 0, 250, 0);
    tower(c, 90, 280, 70, 120, true, 61);
    mudFlats(c, 0, 280, ILL_W, 500, 62);
    bell(c, 210, 360, 150, 25);
    solid(c, segment(110, 440, 180, 230, 7));
    solid(c, segment(320, 440, 250, 230, 7));
    solid(c, segment(160, 240, 270, 240, 7));
    stroke(c, {{215, 240}, {215, 295}}, 1.5f);
    Shape pit = ellipse(330, 460, 55, 15);
    solid(c, pit);
    for (int i = 0; i < 4; ++i)
        flame(c, 300 + i * 20.0f, 460, 40 + (i % 2) * 20.0f);
    boat(c, 350, 300, 120, false);
    FigureLook kindled;
    kindled.mask = true;
    kindled.armRaised = true;
    figure(c, 60, 470, 110, 1, kindled);
    figure(c, 390, 400, 80, -1, kindled);
    border(c);
    return c;
}

// 5. Sister Cendra in her cabin, a flame on her palm.
Canvas sisterCendra() {
    Canvas c = sheet();
    crossHatch(c, rectShape(0, 0, ILL_W, ILL_H), 5.5f, 0.8f);
    Shape lampLight = circle(200, 120, 110);
    blank(c, lampLight);
    hatchFill(c, lampLight, 0, 9, 0.4f);
    solid(c, segment(200, 0, 200, 40, 2));
    Shape lamp = poly({{185, 40}, {215, 40}, {225, 70}, {175, 70}});
    solid(c, lamp);
    FigureLook cendra;
    cendra.hood = false;
    cendra.armRaised = true;
    cendra.bulk = 1.1f;
    Pt hand = figure(c, 200, 480, 380, 1, cendra);
    flame(c, hand.first + 4, hand.second - 4, 50);
    solid(c, segment(110, 470, 130, 110, 6));
    solid(c, circle(130, 105, 9));
    blank(c, ellipse(200, 129, 17, 21));
    c.strokeShape(ellipse(200, 129, 17, 21), 1.2f, BLACK);
    solid(c, ellipse(194, 126, 3, 1.5f));
    solid(c, ellipse(206, 126, 3, 1.5f));
    solid(c, segment(195, 140, 205, 140, 1.2f));
    border(c);
    return c;
}

// 6. The Drowned rise round the bell as Greystar runs with its tongue.
Canvas drownedRound() {
    Canvas c = sheet();
    gradedHatch(c, rectShape(0, 0, ILL_W, 200), 0, 200, 0);
    mudFlats(c, 0, 200, ILL_W, 500, 71);
    bell(c, 290, 270, 150, 20);
    mist(c, 0, 200, ILL_W, 300, 0.7f, 72);
    drowned(c, 190, 300, 110, 1);
    drowned(c, 380, 320, 120, -1);
    drowned(c, 250, 360, 90, 1);
    FigureLook hero;
    hero.cloakHatched = true;
    hero.armRaised = true;
    Pt hand = figure(c, 110, 470, 200, 1, hero);
    solid(c, segment(hand.first - 60, hand.second + 30, hand.first + 20, hand.second - 20, 8));
    solid(c, circle(hand.first + 24, hand.second - 22, 10));
    border(c);
    return c;
}

// 7. Morning: the water comes back to Harrowmere and the bell lies safe below.
Canvas morningOnTheMere() {
    Canvas c = sheet();
    Shape sun = circle(200, 190, 50);
    for (int i = 0; i < 16; ++i) {
        float a = i * 3.14159f / 15;
        solid(c, segment(200 + 60 * std::cos(a), 190 - 60 * std::sin(a), 200 + 110 * std::cos(a),
                         190 - 110 * std::sin(a), 1.0f));
    }
    c.strokeShape(sun, 1.5f, BLACK);
    town(c, 0, 120, 220, 50, 81);
    town(c, 290, 400, 220, 45, 82);
    Shape mere = rectShape(0, 220, ILL_W, 280);
    blank(c, mere);
    water(c, 20, 225, 390, 330, 83);
    bell(c, 200, 420, 120, 0);
    water(c, 20, 390, 390, 480, 84);
    FigureLook hero;
    hero.cloakHatched = true;
    figure(c, 60, 490, 150, 1, hero);
    FigureLook wenna;
    wenna.hood = false;
    figure(c, 110, 490, 130, 1, wenna);
    border(c);
    return c;
}

} // namespace

ART_MODULE(bookTwoIllustrations) {
    ctx.save(harrowmereFromRidge(), bookArtPath(2, "ill1.png"));
    ctx.save(drownedInSquare(), bookArtPath(2, "ill2.png"));
    ctx.save(pikeAttack(), bookArtPath(2, "ill3.png"));
    ctx.save(bellOnStaveRock(), bookArtPath(2, "ill4.png"));
    ctx.save(sisterCendra(), bookArtPath(2, "ill5.png"));
    ctx.save(drownedRound(), bookArtPath(2, "ill6.png"));
    ctx.save(morningOnTheMere(), bookArtPath(2, "ill7.png"));
}
