// The demo books' covers (two each, shown by the cover view and the book
// selection), the title banner on each book's title page, and each book's map.
#include "books_ink.h"
#include "kit.h"
#include "palette.h"
#include "registry.h"

#include <cmath>
#include <string>

using namespace ink;

namespace {

constexpr int COVER_W = 420, COVER_H = 600;

struct BookNames {
    int number;
    const char* title1; // the title, split over two lines
    const char* title2;
};

const BookNames BOOK1{1, "Fleeing the", "Ashen Keep"};
const BookNames BOOK2{2, "The Drowned Bell", "of Harrowmere"};

// Lays a black-on-white drawing onto a painted canvas as ink of one colour.
void inkOnto(Canvas& dest, const Canvas& drawing, Color inkColour) {
    for (int y = 0; y < dest.height() && y < drawing.height(); ++y)
        for (int x = 0; x < dest.width() && x < drawing.width(); ++x) {
            const Color& p = drawing.at(x, y);
            float dark = 1.0f - (p.r + p.g + p.b) / 3.0f;
            if (dark > 0.01f) dest.blend(x, y, inkColour, dark);
        }
}

TextStyle goldLettering() {
    TextStyle s;
    s.fill = linearGradient(0, 0, 0, 60, {{0, GOLD_LIGHT}, {0.5f, GOLD}, {1, GOLD_DARK}});
    s.outline = hex(0x1a0f08);
    s.outlineWidth = 2;
    s.shadow = hex(0x000000, 0.7f);
    s.shadowBlur = 3;
    s.shadowDx = 2;
    s.shadowDy = 3;
    return s;
}

void coverLettering(ArtContext& ctx, Canvas& c, const BookNames& b, float titleY) {
    TextStyle gold = goldLettering();
    const Font& series = ctx.font(FONT_BOOK, 18);
    drawText(c, series, "VAEL SERIES  -  BOOK " + std::to_string(b.number), COVER_W / 2.0f, 26, 0,
             gold);
    int size = fittingSize(ctx.fontPath(FONT_DISPLAY), b.title2, COVER_W - 60, 54);
    const Font& title = ctx.font(FONT_DISPLAY, size);
    drawText(c, title, b.title1, COVER_W / 2.0f, titleY, 0, gold);
    drawText(c, title, b.title2, COVER_W / 2.0f, titleY + title.lineHeight() * 0.95f, 0, gold);
    flourish(c, COVER_W / 2.0f, COVER_H - 40.0f, 200, 2.5f, GOLD);
}

// Book 1, first cover: the Ashen Keep burning on its mountain at night.
Canvas keepAtNight(ArtContext& ctx) {
    Canvas c(COVER_W, COVER_H);
    c.fill(linearGradient(
        0, 0, 0, COVER_H,
        {{0, hex(0x0b0e18)}, {0.55f, hex(0x2a1420)}, {0.75f, hex(0x7a2a14)}, {1, hex(0x1a0c08)}}));
    c.fillShape(circle(210, 330, 200),
                radialGradient(210, 330, 200, {{0, hex(0xff8a2a, 0.55f)}, {1, hex(0xff5010, 0)}}));
    Canvas stars = sheet(COVER_W, COVER_H);
    ink::stars(stars, 10, 10, 410, 250, 60, 3);
    for (int y = 0; y < COVER_H; ++y)
        for (int x = 0; x < COVER_W; ++x)
            if (stars.at(x, y).r < 0.5f) c.blend(x, y, hex(0xfff2d0), 0.8f);
    Shape mountain = polygon({{-5, 600},
                              {-5, 470},
                              {90, 380},
                              {170, 300},
                              {250, 310},
                              {330, 400},
                              {425, 450},
                              {425, 600}});
    c.fillShape(mountain, hex(0x120a08));
    for (int i = 0; i < 7; ++i) {
        float x = 165 + i * 15.0f, h = 50 + (i % 3) * 18.0f;
        Shape tongue = polygon({{x - 9, 292},
                                {x - 4, 292 - h * 0.6f},
                                {x + (i % 2 ? 4.0f : -3.0f), 292 - h},
                                {x + 6, 292 - h * 0.5f},
                                {x + 9, 292}});
        c.fillShape(tongue, linearGradient(0, 292 - h, 0, 292,
                                           {{0, hex(0xffe080, 0.9f)}, {1, hex(0xe04010, 0.9f)}}));
    }
    Shape keep = unite(unite(rectShape(180, 240, 40, 70), rectShape(222, 262, 28, 48)),
                       rectShape(160, 285, 100, 25));
    for (int i = 0; i < 4; ++i)
        keep = unite(keep, rectShape(180 + i * 11.0f, 232, 6, 10));
    c.fillShape(keep, hex(0x0c0606));
    for (float wx : {192.0f, 232.0f})
        c.fillShape(rectShape(wx, 270, 6, 10), hex(0xffb040));
    // Fire and smoke over the walls.
    for (int i = 0; i < 9; ++i)
        c.fillShape(circle(230 + i * 12.0f, 220 - i * 22.0f, 14 + i * 4.0f), hex(0x3a2a2a, 0.35f));
    // A small grey-cloaked figure fleeing down the slope.
    Canvas fig = sheet(COVER_W, COVER_H);
    FigureLook hero;
    figure(fig, 120, 520, 70, -1, hero);
    inkOnto(c, fig, hex(0x050303));
    coverLettering(ctx, c, BOOK1, 60);
    vignette(c, 0.5f, hex(0x000000), 0.6f);
    return c;
}

// A leather binding with a gold frame, the emblem drawn by `emblem`.
template <typename Emblem>
Canvas boundCover(ArtContext& ctx, const BookNames& b, Color leather, uint32_t seed,
                  Emblem emblem) {
    Canvas c(COVER_W, COVER_H);
    paintLeather(c, seed, leather);
    Shape frame = outline(roundRect(24, 24, COVER_W - 48, COVER_H - 48, 8), 5);
    metalBar(c, frame, 0, COVER_H, GOLD);
    c.strokeShape(roundRect(36, 36, COVER_W - 72, COVER_H - 72, 6), 1.5f, GOLD);
    for (int dx : {1, -1})
        for (int dy : {1, -1})
            cornerOrnament(c, dx > 0 ? 44.0f : COVER_W - 44.0f, dy > 0 ? 44.0f : COVER_H - 44.0f,
                           36, dx, dy, GOLD);
    emblem(c);
    coverLettering(ctx, c, b, 390);
    return c;
}

void keyEmblem(Canvas& c) {
    Shape ring = outline(circle(210, 200, 42), 14);
    Shape shaft = rectShape(203, 240, 14, 120);
    Shape bits = unite(rectShape(217, 320, 34, 12), rectShape(217, 342, 24, 12));
    Shape key = unite(unite(ring, shaft), bits);
    dropShadow(c, key, 4, 3, 4, 0.6f);
    metalBar(c, key, 150, 360, GOLD);
    diamondOrnament(c, 210, 200, 18, GOLD_LIGHT);
}

void bellEmblem(Canvas& c) {
    Shape body = polygon({{180, 150},
                          {240, 150},
                          {250, 210},
                          {262, 260},
                          {300, 300},
                          {120, 300},
                          {158, 260},
                          {170, 210}});
    Shape b = unite(unite(body, outline(circle(210, 140, 14), 6)), circle(210, 312, 12));
    dropShadow(c, b, 4, 3, 4, 0.6f);
    metalBar(c, b, 120, 320, GOLD);
    for (int i = 0; i < 3; ++i)
        c.strokeShape(outline(circle(210, 230, 110 + i * 18.0f), 0.5f), 1.2f,
                      withAlpha(GOLD_LIGHT, 0.5f - i * 0.12f));
}

// Book 2, first cover: the empty Mere at dawn, the bell shining under the water.
Canvas mereAtDawn(ArtContext& ctx) {
    Canvas c(COVER_W, COVER_H);
    c.fill(linearGradient(0, 0, 0, COVER_H,
                          {{0, hex(0x1c2a3c)},
                           {0.4f, hex(0x8a9aa6)},
                           {0.5f, hex(0xe8c9a0)},
                           {0.52f, hex(0x6c7c88)},
                           {1, hex(0x18222c)}}));
    c.fillShape(circle(240, 250, 34), hex(0xfff0d0, 0.9f));
    Shape island = polygon({{130, 312}, {170, 296}, {250, 294}, {300, 312}});
    c.fillShape(island, hex(0x1a1c20));
    Shape stump = polygon({{195, 300}, {195, 240}, {205, 232}, {212, 248}, {222, 236}, {228, 300}});
    c.fillShape(stump, hex(0x1a1c20));
    for (int i = 0; i < 14; ++i) {
        float y = 330 + i * 18.0f;
        c.fillShape(rectShape(40 + (i % 3) * 30.0f, y, 340 - (i % 4) * 40.0f, 1.5f),
                    hex(0xd8e4ea, 0.35f));
    }
    Shape bell = polygon({{185, 390}, {235, 390}, {245, 440}, {275, 480}, {145, 480}, {175, 440}});
    c.fillShape(bell, hex(0xc9a043, 0.45f));
    c.fillShape(rectShape(0, 250, COVER_W, 80), [](float x, float y) {
        return withAlpha(hex(0xeef2f4), 0.35f * std::sin((y - 250) / 80 * 3.14159f) *
                                            (0.6f + 0.4f * std::sin(x / 37)));
    });
    coverLettering(ctx, c, BOOK2, 60);
    vignette(c, 0.5f, hex(0x000000), 0.6f);
    return c;
}

// The title banner of each book's title page: ink lettering between rules.
Canvas titleBanner(ArtContext& ctx, const std::string& title) {
    Canvas c = sheet(600, 120);
    int size = fittingSize(ctx.fontPath(FONT_DISPLAY), title, 540, 56);
    const Font& f = ctx.font(FONT_DISPLAY, size);
    TextStyle s;
    s.fill = solid(BLACK);
    drawText(c, f, title, 300, (120 - f.lineHeight()) / 2.0f, 0, s);
    stroke(c, {{20, 14}, {580, 14}}, 2.0f);
    stroke(c, {{20, 106}, {580, 106}}, 2.0f);
    flourish(c, 300, 14, 160, 2.5f, BLACK);
    flourish(c, 300, 106, 160, 2.5f, BLACK);
    return c;
}

void label(ArtContext& ctx, Canvas& c, const std::string& text, float x, float y, int size) {
    TextStyle s;
    s.fill = solid(BLACK);
    drawText(c, ctx.font(FONT_BOOK, size), text, x, y, 0, s);
}

Canvas onParchment(const Canvas& drawing, uint32_t seed) {
    Canvas map(drawing.width(), drawing.height());
    paintParchment(map, seed, PARCHMENT, 0.6f, false);
    vignette(map, 0.5f, PARCHMENT_EDGE, 0.55f);
    inkOnto(map, drawing, INK);
    // Drawn large for clean lines, shipped at the size the map window shows.
    return map.resized(drawing.width() * 3 / 4, drawing.height() * 3 / 4);
}

// Book 1's map: from the Ashen Keep down Mount Cindral to the Sennet and Saltmarrow.
Canvas mapOfCindral(ArtContext& ctx) {
    Canvas d = sheet(600, 800);
    mountain(d, {{60, 330}, {160, 220}, {240, 110}, {300, 80}, {360, 120}, {450, 230}, {560, 320}},
             360, 91);
    tower(d, 270, 120, 30, 50, false, 92);
    label(ctx, d, "The Ashen Keep", 270, 40, 20);
    label(ctx, d, "Mount Cindral", 420, 150, 18);
    forestEdge(d, 40, 560, 470, 50, 93);
    forestEdge(d, 80, 520, 530, 45, 94);
    label(ctx, d, "The Thornwold", 300, 540, 20);
    Path river = curve({0, 640}, {300, 560}, {600, 690}, 40);
    for (int i = -3; i <= 3; ++i) {
        Path bank = river;
        for (Pt& p : bank)
            p.second += i * 3.0f;
        stroke(d, bank, i == -3 || i == 3 ? 1.8f : 0.5f);
    }
    label(ctx, d, "River Sennet", 140, 660, 18);
    Path drovers = curve({300, 150}, {170, 330}, {250, 460}, 40);
    for (size_t i = 0; i + 1 < drovers.size(); i += 2)
        stroke(d, {drovers[i], drovers[i + 1]}, 1.5f);
    label(ctx, d, "drovers' path", 150, 380, 15);
    boat(d, 330, 612, 40, true);
    label(ctx, d, "Cinder Ford", 390, 580, 16);
    tower(d, 470, 770, 40, 50, false, 95);
    tower(d, 520, 770, 30, 40, false, 96);
    label(ctx, d, "Saltmarrow", 490, 680, 18);
    border(d);
    return onParchment(d, 97);
}

// Book 2's map: the Harrow Mere, Stave Rock, the town and the sluices.
Canvas mapOfHarrowmere(ArtContext& ctx) {
    Canvas d = sheet(600, 800);
    Shape mere = wobbly(ellipse(300, 420, 230, 260), 14, 80, 101);
    d.strokeShape(mere, 2.0f, BLACK);
    Shape low = wobbly(ellipse(300, 440, 120, 90), 8, 40, 102);
    d.strokeShape(low, 1.2f, BLACK);
    water(d, 190, 370, 410, 520, 103);
    label(ctx, d, "The Harrow Mere", 300, 600, 22);
    label(ctx, d, "(mud flats)", 300, 300, 14);
    solid(d, wobbly(ellipse(300, 430, 26, 12), 3, 10, 104));
    tower(d, 300, 428, 14, 30, true, 105);
    label(ctx, d, "Stave Rock", 300, 528, 15);
    for (int i = 0; i < 9; ++i) {
        float a = 3.6f + i * 0.2f;
        float x = 300 + 250 * std::cos(a), y = 420 + 280 * std::sin(a);
        Shape house = unite(rectShape(x - 8, y - 8, 16, 12),
                            polygon({{x - 10, y - 8}, {x, y - 16}, {x + 10, y - 8}}));
        blank(d, house);
        d.strokeShape(house, 1.2f, BLACK);
    }
    label(ctx, d, "Harrowmere", 300, 64, 22);
    stroke(d, curve({300, 14}, {330, 40}, {300, 60}, 20), 1.5f);
    stroke(d, curve({300, 92}, {290, 120}, {300, 150}, 10), 1.5f);
    label(ctx, d, "road to Saltmarrow", 420, 40, 14);
    solid(d, rectShape(285, 672, 30, 12));
    label(ctx, d, "the sluice-gates", 300, 700, 16);
    Path outflow = curve({300, 684}, {320, 740}, {300, 800}, 20);
    stroke(d, outflow, 1.5f);
    border(d);
    return onParchment(d, 106);
}

} // namespace

ART_MODULE(bookCovers) {
    ctx.save(keepAtNight(ctx), "books/book1/covers/GS01a.png");
    ctx.save(boundCover(ctx, BOOK1, hex(0x5a2418), 111, keyEmblem), "books/book1/covers/GS01b.png");
    ctx.save(mereAtDawn(ctx), "books/book2/covers/GS02a.png");
    ctx.save(boundCover(ctx, BOOK2, hex(0x1f3a30), 112, bellEmblem),
             "books/book2/covers/GS02b.png");
}

ART_MODULE(bookPages) {
    ctx.save(titleBanner(ctx, "Fleeing the Ashen Keep"), bookArtPath(1, "title.png"));
    ctx.save(titleBanner(ctx, "The Drowned Bell of Harrowmere"), bookArtPath(2, "title.png"));
    ctx.save(mapOfCindral(ctx), bookArtPath(1, "map.png"));
    ctx.save(mapOfHarrowmere(ctx), bookArtPath(2, "map.png"));
}
