// The illustrations of demo book 1, "Fleeing the Ashen Keep": pen and ink,
// one scene per picture, in the order they appear in the book.
#include "books_ink.h"
#include "registry.h"

#include <cmath>

using namespace ink;

namespace {

void stoneWall(Canvas& c, float x0, float y0, float x1, float y1) {
    Shape s = rectShape(x0, y0, x1 - x0, y1 - y0);
    hatchFill(c, s, 0, 14, 0.8f);
    for (float y = y0; y < y1; y += 14)
        for (float x = x0 + (static_cast<int>(y / 14) % 2) * 14; x < x1; x += 28)
            solid(c, segment(x, y, x, y + 14, 0.7f));
}

void darkSky(Canvas& c, float bottom) {
    gradedHatch(c, rectShape(0, 0, static_cast<float>(c.width()), bottom), 0, bottom, 0);
}

// 1. A zealot of the Kindled comes up the stair with a torch.
Canvas zealotOnStair() {
    Canvas c = sheet();
    stoneWall(c, 0, 0, ILL_W, ILL_H);
    gradedHatch(c, rectShape(0, 0, ILL_W, 220), 0, 220, 30);
    for (int i = 0; i < 7; ++i) {
        float y = 470 - i * 34.0f, x = 400 - i * 30.0f;
        Shape step = poly({{x - 160, y}, {x, y - 6}, {x, y + 30}, {x - 160, y + 34}});
        blank(c, step);
        hatchFill(c, rectShape(x - 160, y + 16, 160, 18), 0, 3, 0.9f);
        c.strokeShape(step, 1.4f, BLACK);
    }
    FigureLook zealot;
    zealot.mask = true;
    zealot.armRaised = true;
    Pt hand = figure(c, 215, 430, 270, -1, zealot);
    sword(c, hand, 80, 140);
    blank(c, circle(270, 240, 36));
    solid(c, segment(262, 300, 275, 250, 5));
    flame(c, 276, 252, 44);
    border(c);
    return c;
}

// 2. Master Oriel gives Greystar the Ember Key.
Canvas keeperAndKey() {
    Canvas c = sheet();
    stoneWall(c, 0, 0, ILL_W, 380);
    Shape window = unite(rectShape(160, 70, 80, 90), circle(200, 70, 40));
    blank(c, window);
    stars(c, 162, 32, 238, 158, 10, 21);
    moon(c, 215, 70, 14);
    c.strokeShape(window, 2.5f, BLACK);
    Shape floor = rectShape(0, 380, ILL_W, 120);
    hatchFill(c, floor, 0, 5, 0.8f);
    FigureLook oriel;
    oriel.hood = false;
    oriel.bulk = 1.1f;
    Pt give = figure(c, 110, 450, 280, 1, oriel);
    FigureLook hero;
    hero.cloakHatched = true;
    figure(c, 300, 455, 250, -1, hero);
    // The key, held out between them.
    float kx = give.first + 6, ky = give.second - 4;
    c.strokeShape(circle(kx + 18, ky, 10), 3.5f, BLACK);
    solid(c, segment(kx + 28, ky, kx + 72, ky, 5));
    solid(c, rectShape(kx + 60, ky, 5, 12));
    solid(c, rectShape(kx + 68, ky, 4, 9));
    // A lamp on the table.
    solid(c, rectShape(40, 330, 150, 8));
    solid(c, segment(60, 338, 60, 400, 4));
    solid(c, segment(170, 338, 170, 400, 4));
    solid(c, ellipse(150, 322, 12, 8));
    flame(c, 150, 314, 16);
    border(c);
    return c;
}

// 3. The forge: Gorran over Wenna at the anvil.
Canvas forge() {
    Canvas c = sheet();
    crossHatch(c, rectShape(0, 0, ILL_W, ILL_H), 5, 0.9f);
    Shape mouth = unite(rectShape(20, 200, 120, 150), circle(80, 200, 60));
    blank(c, mouth);
    for (int i = 0; i < 5; ++i)
        flame(c, 40 + i * 20.0f, 350, 60 + (i % 2) * 30.0f);
    c.strokeShape(mouth, 4, BLACK);
    hatchFill(c, rectShape(0, 420, ILL_W, 80), 0, 4, 1.2f);
    // The anvil.
    Shape anvil = poly({{180, 360},
                        {330, 360},
                        {310, 385},
                        {280, 390},
                        {285, 430},
                        {225, 430},
                        {230, 390},
                        {200, 385}});
    blank(c, inflate(anvil, 2));
    solid(c, anvil);
    FigureLook gorran;
    gorran.hood = false;
    gorran.bulk = 1.5f;
    gorran.armRaised = true;
    gorran.skirt = false;
    Pt hand = figure(c, 300, 440, 300, -1, gorran);
    solid(c, segment(hand.first, hand.second, hand.first - 10, hand.second - 60, 5));
    solid(c, rectShape(hand.first - 30, hand.second - 80, 40, 22));
    FigureLook wenna;
    wenna.hood = false;
    figure(c, 170, 440, 150, 1, wenna);
    Path chain = curve({175, 438}, {200, 452}, {250, 430}, 10);
    for (size_t i = 0; i < chain.size(); ++i)
        c.strokeShape(ellipse(chain[i].first, chain[i].second, 3.5f, 2.5f), 1.2f, BLACK);
    border(c);
    return c;
}

// 4. The Bridge of Chains over the fume-crack.
Canvas bridgeOfChains() {
    Canvas c = sheet();
    darkSky(c, 260);
    smoke(c, 330, 140, 120, 0.5f, 41);
    Shape leftRock = wobbly(poly({{0, 160}, {70, 170}, {110, 260}, {95, 500}, {0, 500}}), 5, 40, 3);
    Shape rightRock =
        wobbly(poly({{400, 150}, {320, 175}, {290, 280}, {310, 500}, {400, 500}}), 5, 40, 4);
    for (const Shape& r : {leftRock, rightRock}) {
        blank(c, r);
        crossHatch(c, r, 4, 1.0f);
        c.strokeShape(r, 2, BLACK);
    }
    for (int i = 0; i < 6; ++i)
        flame(c, 130 + i * 30.0f, 495, 40 + (i % 3) * 15.0f);
    Path upper = curve({95, 175}, {200, 215}, {315, 180}, 30);
    Path lower = curve({95, 200}, {200, 245}, {315, 205}, 30);
    for (size_t i = 0; i < upper.size(); ++i) {
        if (i == 13 || i == 14 || i == 15) continue; // the missing planks
        solid(c, segment(upper[i].first, upper[i].second + 12, lower[i].first, lower[i].second, 4));
    }
    stroke(c, upper, 2.5f);
    stroke(c, lower, 2.5f);
    stroke(c, curve({95, 140}, {200, 185}, {315, 145}, 30), 2.0f);
    FigureLook hero;
    hero.cloakHatched = true;
    hero.armRaised = true;
    figure(c, 160, 222, 80, 1, hero);
    border(c);
    return c;
}

// 5. Dawn on the slopes of Mount Cindral, the keep smoking behind.
Canvas slopesAtDawn() {
    Canvas c = sheet();
    Shape sun = circle(320, 120, 40);
    c.strokeShape(sun, 1.5f, BLACK);
    for (int i = 0; i < 12; ++i) {
        float a = i * 3.14159f / 11;
        solid(c, segment(320 + 50 * std::cos(a), 120 - 50 * std::sin(a), 320 + 75 * std::cos(a),
                         120 - 75 * std::sin(a), 1.2f));
    }
    mountain(c, {{-10, 330}, {60, 230}, {130, 110}, {170, 90}, {220, 130}, {300, 240}, {410, 300}},
             420, 5);
    tower(c, 150, 130, 40, 70, false, 6);
    tower(c, 190, 140, 26, 45, false, 7);
    smoke(c, 160, 60, 80, 1.2f, 8);
    forestEdge(c, 0, 410, 420, 60, 9);
    Shape land = rectShape(0, 420, ILL_W, 80);
    blank(c, land);
    water(c, 20, 440, 390, 490, 10);
    border(c);
    return c;
}

// 6. The gloamwing drops on Greystar on the ridge.
Canvas gloamwingAttack() {
    Canvas c = sheet();
    gradedHatch(c, rectShape(0, 0, ILL_W, 330), 0, 330, -10);
    gloamwing(c, 260, 150, 260, -1);
    Shape ridge = wobbly(poly({{0, 380}, {150, 350}, {260, 370}, {400, 340}, {400, 500}, {0, 500}}),
                         4, 30, 12);
    blank(c, ridge);
    crossHatch(c, ridge, 4.5f, 1.0f);
    c.strokeShape(ridge, 2, BLACK);
    FigureLook hero;
    hero.cloakHatched = true;
    hero.armRaised = true;
    Pt hand = figure(c, 140, 360, 170, 1, hero);
    sword(c, hand, 70, 50);
    border(c);
    return c;
}

// 7. Maud Ferrow's hut in the green valley.
Canvas shepherdsHut() {
    Canvas c = sheet();
    mountain(c, {{-10, 200}, {100, 120}, {200, 170}, {300, 100}, {410, 180}}, 300, 13);
    Shape valley = rectShape(0, 300, ILL_W, 200);
    blank(c, valley);
    hatchFill(c, valley, 0, 7, 0.5f);
    Shape hut = rectShape(150, 250, 140, 110);
    blank(c, hut);
    stoneWall(c, 150, 250, 290, 360);
    c.strokeShape(hut, 2, BLACK);
    Shape roof = poly({{135, 255}, {220, 190}, {305, 255}});
    blank(c, roof);
    hatchFill(c, roof, 60, 3, 1.1f);
    c.strokeShape(roof, 2, BLACK);
    solid(c, rectShape(255, 200, 18, 35));
    smoke(c, 264, 190, 150, 0.8f, 14);
    solid(c, rectShape(200, 300, 34, 60));
    FigureLook maud;
    maud.hood = false;
    maud.bulk = 0.9f;
    figure(c, 120, 380, 120, 1, maud);
    hound(c, 330, 380, 60, -1);
    border(c);
    return c;
}

// 8. Skarre the Houndmaster and his hounds in the forest.
Canvas houndmaster() {
    Canvas c = sheet();
    for (int i = 0; i < 9; ++i)
        pine(c, 20 + i * 46.0f, 330 + (i % 3) * 10.0f, 200 + (i % 2) * 60.0f);
    mist(c, 0, 250, ILL_W, 360, 0.8f, 15);
    Shape clearing = rectShape(0, 340, ILL_W, 160);
    blank(c, clearing);
    hatchFill(c, clearing, 0, 6, 0.6f);
    FigureLook skarre;
    skarre.mask = true;
    skarre.hood = false;
    skarre.armRaised = true;
    skarre.skirt = false;
    Pt hand = figure(c, 200, 440, 260, 1, skarre);
    spear(c, hand, 230, 80);
    flame(c, 203, 212, 10);
    hound(c, 90, 450, 90, 1);
    hound(c, 320, 455, 95, -1);
    hound(c, 300, 390, 60, -1);
    border(c);
    return c;
}

// 9. Cinder Ford: the ferry-house, the rope and Brannoch on his barrel.
Canvas cinderFord() {
    Canvas c = sheet();
    forestEdge(c, 0, 400, 190, 50, 16);
    water(c, 20, 200, 390, 420, 17);
    stroke(c, curve({0, 230}, {200, 250}, {400, 225}), 1.5f);
    boat(c, 250, 300, 150, true);
    FigureLook traveller;
    traveller.bulk = 0.9f;
    figure(c, 280, 292, 70, -1, traveller);
    Shape house = rectShape(30, 330, 120, 90);
    blank(c, house);
    hatchFill(c, house, 90, 3, 0.9f);
    c.strokeShape(house, 2, BLACK);
    Shape roof = poly({{15, 335}, {90, 285}, {165, 335}});
    blank(c, roof);
    hatchFill(c, roof, -60, 3, 1.0f);
    c.strokeShape(roof, 2, BLACK);
    Shape jetty = rectShape(140, 410, 200, 10);
    solid(c, jetty);
    for (float x = 150; x < 340; x += 40)
        solid(c, rectShape(x, 420, 5, 40));
    solid(c, ellipse(220, 398, 14, 12));
    FigureLook brannoch;
    brannoch.hood = false;
    brannoch.bulk = 1.3f;
    figure(c, 220, 392, 90, 1, brannoch);
    border(c);
    return c;
}

// 10. Morrac Vell and Greystar fight on the raft in mid-river.
Canvas fightOnRaft() {
    Canvas c = sheet();
    gradedHatch(c, rectShape(0, 0, ILL_W, 200), 0, 200, 5);
    forestEdge(c, 0, 400, 200, 40, 18);
    stroke(c, curve({0, 90}, {200, 120}, {400, 85}), 1.5f);
    water(c, 20, 210, 390, 480, 19);
    boat(c, 200, 360, 300, true);
    FigureLook morrac;
    morrac.hood = false;
    morrac.armRaised = true;
    Pt knife = figure(c, 260, 352, 220, -1, morrac);
    sword(c, knife, 40, 160);
    smoke(c, knife.first - 38, knife.second - 12, 60, 0.4f, 20);
    FigureLook hero;
    hero.cloakHatched = true;
    hero.armRaised = true;
    Pt hand = figure(c, 140, 352, 200, 1, hero);
    sword(c, hand, 70, 35);
    border(c);
    return c;
}

// 11. Saltmarrow at sunset: the road to the chapter-house gate.
Canvas saltmarrowGate() {
    Canvas c = sheet();
    Shape sun = circle(200, 250, 60);
    c.strokeShape(sun, 1.2f, BLACK);
    hatchFill(c, rectShape(0, 0, ILL_W, 250), 0, 6, 0.6f);
    blank(c, circle(200, 250, 58));
    wallWithGate(c, 40, 360, 300, 110);
    tower(c, 80, 300, 60, 170, false, 22);
    tower(c, 320, 300, 60, 150, false, 23);
    Shape road = poly({{170, 300}, {230, 300}, {330, 500}, {70, 500}});
    blank(c, road);
    hatchFill(c, rectShape(0, 300, ILL_W, 200), 0, 7, 0.6f);
    blank(c, road);
    stroke(c, {{170, 300}, {70, 500}}, 1.4f);
    stroke(c, {{230, 300}, {330, 500}}, 1.4f);
    FigureLook hero;
    hero.cloakHatched = true;
    figure(c, 205, 420, 110, -1, hero);
    border(c);
    return c;
}

} // namespace

ART_MODULE(bookOneIllustrations) {
    ctx.save(zealotOnStair(), bookArtPath(1, "ill1.png"));
    ctx.save(keeperAndKey(), bookArtPath(1, "ill2.png"));
    ctx.save(forge(), bookArtPath(1, "ill3.png"));
    ctx.save(bridgeOfChains(), bookArtPath(1, "ill4.png"));
    ctx.save(slopesAtDawn(), bookArtPath(1, "ill5.png"));
    ctx.save(gloamwingAttack(), bookArtPath(1, "ill6.png"));
    ctx.save(shepherdsHut(), bookArtPath(1, "ill7.png"));
    ctx.save(houndmaster(), bookArtPath(1, "ill8.png"));
    ctx.save(cinderFord(), bookArtPath(1, "ill9.png"));
    ctx.save(fightOnRaft(), bookArtPath(1, "ill10.png"));
    ctx.save(saltmarrowGate(), bookArtPath(1, "ill11.png"));
}
