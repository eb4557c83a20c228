// Action Chart art: the journal's book line, enemy portraits for the battle
// history, the three rank certificates, and the cover shown while covers download.
#include "kit.h"
#include "registry.h"

#include <cmath>
#include <string>

namespace {

const float PI = 3.14159265f;

Canvas bookLine() {
    const int w = 420, h = 40;
    Canvas c(w, h);
    Shape band = roundRect(1, 4, w - 2.0f, h - 8.0f, 6);
    Canvas paper(w, h);
    paintParchment(paper, 1401, PARCHMENT_DARK, 0.6f, false);
    c.fillShape(band, [&](float x, float y) {
        float edge = std::min(x, w - x) / 40.0f;
        Color p = paper.get((int)x, (int)y);
        p.a = std::min(1.0f, edge) * 0.9f;
        return p;
    });
    c.fillShape(rectShape(10, 6, w - 20.0f, 1.2f), withAlpha(BRONZE_DARK, 0.6f));
    c.fillShape(rectShape(10, h - 7.2f, w - 20.0f, 1.2f), withAlpha(BRONZE_DARK, 0.6f));
    return c;
}

// A head-and-shoulders silhouette in a roundel; `beast` gives horns and a snout.
Canvas portrait(bool beast) {
    const int s = 96;
    Canvas c(s, s);
    float r = s / 2.0f;
    c.fillShape(circle(r, r, r - 1), BRONZE_DARK);
    c.fillShape(circle(r, r, r - 4),
                radialGradient(r, r * 0.7f, r, {{0.0f, hex(0xa48454)}, {1.0f, hex(0x4d3823)}}));
    Shape clip = circle(r, r, r - 4);
    Color ink = hex(0x1b120b);
    Shape shoulders = intersect(ellipse(r, s * 1.0f, r * 0.8f, r * 0.62f), clip);
    c.fillShape(shoulders, ink);
    c.fillShape(rectShape(r - r * 0.16f, r * 1.0f, r * 0.32f, r * 0.45f), ink);
    if (!beast) {
        c.fillShape(ellipse(r, r * 0.86f, r * 0.3f, r * 0.37f), ink);
        // A helm with a crest and a dark eye slit.
        c.fillShape(intersect(circle(r, r * 0.8f, r * 0.36f), rectShape(0, 0, s, r * 0.86f)),
                    hex(0x3b3f45));
        c.fillShape(rectShape(r - r * 0.28f, r * 0.78f, r * 0.56f, r * 0.07f), hex(0x0c0c0c));
        c.fillShape(segment(r, r * 0.44f, r, r * 0.25f, 4), OXBLOOD);
    } else {
        c.fillShape(ellipse(r, r * 0.9f, r * 0.34f, r * 0.3f), ink);
        c.fillShape(ellipse(r, r * 1.08f, r * 0.18f, r * 0.16f), ink);
        for (int side = -1; side <= 1; side += 2) {
            std::vector<std::pair<float, float>> horn;
            for (int i = 0; i <= 12; ++i) {
                float t = i / 12.0f;
                horn.push_back({r + side * (r * 0.2f + t * r * 0.45f),
                                r * 0.75f - std::sin(t * PI * 0.8f) * r * 0.5f - t * r * 0.05f});
            }
            for (int i = 12; i >= 0; --i) {
                float t = i / 12.0f;
                horn.push_back(
                    {r + side * (r * 0.2f + t * r * 0.45f),
                     r * 0.75f - std::sin(t * PI * 0.8f) * r * 0.5f + (1 - t) * r * 0.3f});
            }
            c.fillShape(polygon(horn), hex(0x2a1f14));
        }
        c.fillShape(circle(r - r * 0.13f, r * 0.86f, 2.4f), hex(0xd94a2a));
        c.fillShape(circle(r + r * 0.13f, r * 0.86f, 2.4f), hex(0xd94a2a));
    }
    c.strokeShape(circle(r, r, r - 3), 1.5f, GOLD);
    return c;
}

struct CertLook {
    const char* name;
    const char* series;
    unsigned seal, ribbon;
};

Canvas certificate(ArtContext& ctx, const CertLook& look, uint32_t seed) {
    const int w = 600, h = 440;
    Canvas c(w, h);
    Canvas paper(w, h);
    paintParchment(paper, seed, PARCHMENT, 0.7f, false);
    vignette(paper, 0.55f, PARCHMENT_EDGE, 0.45f);
    Shape sheet = rectShape(0, 0, w, h);
    c.fillShape(sheet, [&](float x, float y) { return paper.get((int)x, (int)y); });
    // A border of two rules with a band of lozenges between them.
    Color seal = hex(look.seal);
    c.strokeShape(rectShape(14, 14, w - 28.0f, h - 28.0f), 3, BRONZE_DARK);
    c.strokeShape(rectShape(30, 30, w - 60.0f, h - 60.0f), 1.2f, BRONZE_DARK);
    for (float x = 34; x < w - 34; x += 14) {
        diamondOrnament(c, x + 7, 22, 3, withAlpha(seal, 0.7f));
        diamondOrnament(c, x + 7, h - 22.0f, 3, withAlpha(seal, 0.7f));
    }
    for (int i = 0; i < 4; ++i)
        cornerOrnament(c, i % 2 ? w - 36.0f : 36.0f, i / 2 ? h - 36.0f : 36.0f, 46, i % 2 ? -1 : 1,
                       i / 2 ? -1 : 1, GOLD_DARK);
    const Font& title = ctx.font(FONT_DISPLAY, 40);
    TextStyle ts;
    ts.fill = solid(INK);
    drawText(c, title, "Certificate of Rank", w / 2.0f, 52, 0, ts);
    flourish(c, w / 2.0f, 112, 300, 3, seal);
    const Font& sub = ctx.font(FONT_BOOK, 20);
    drawText(c, sub, std::string("awarded in the ") + look.series, w / 2.0f, 128, 0,
             TextStyle{solid(INK_SOFT)});
    // Signature lines; the name and rank are written by the program.
    c.fillShape(rectShape(70, 360, 170, 1.2f), withAlpha(INK, 0.6f));
    c.fillShape(rectShape(w - 240.0f, 360, 170, 1.2f), withAlpha(INK, 0.6f));
    const Font& small = ctx.font(FONT_BOOK, 14);
    drawText(c, small, "Master of the Order", 155, 364, 0, TextStyle{solid(INK_SOFT)});
    drawText(c, small, "Keeper of the Records", w - 155.0f, 364, 0, TextStyle{solid(INK_SOFT)});
    // The wax seal with its ribbons.
    float sx = w / 2.0f, sy = 366;
    Color rib = hex(look.ribbon);
    c.fillShape(polygon({{sx - 6, sy},
                         {sx - 30, sy + 58},
                         {sx - 16, sy + 50},
                         {sx - 8, sy + 62},
                         {sx + 4, sy}}),
                rib);
    c.fillShape(polygon({{sx + 6, sy},
                         {sx + 30, sy + 58},
                         {sx + 16, sy + 50},
                         {sx + 8, sy + 62},
                         {sx - 4, sy}}),
                shade(rib, -0.2f));
    std::vector<std::pair<float, float>> blob;
    for (int i = 0; i < 36; ++i) {
        float a = i * PI / 18, rr = 30 + 3 * std::sin(i * 2.3f) + 2 * std::cos(i * 5.1f);
        blob.push_back({sx + std::cos(a) * rr, sy + std::sin(a) * rr});
    }
    Canvas wax(w, h);
    wax.fillShape(polygon(blob),
                  radialGradient(sx - 8, sy - 8, 38,
                                 {{0.0f, shade(seal, 0.3f)}, {1.0f, shade(seal, -0.35f)}}));
    wax.bevel(wax.alphaMask(), 3, 0.7f);
    c.draw(wax, 0, 0);
    c.strokeShape(circle(sx, sy, 20), 1.5f, shade(seal, -0.45f));
    std::vector<std::pair<float, float>> star;
    for (int i = 0; i < 10; ++i) {
        float a = -PI / 2 + i * PI / 5, rr = i % 2 ? 6.0f : 14.0f;
        star.push_back({sx + std::cos(a) * rr, sy + std::sin(a) * rr});
    }
    c.fillShape(polygon(star), shade(seal, -0.45f));
    return c;
}

Canvas downloadCover(ArtContext& ctx) {
    const int w = 240, h = 360;
    Canvas c(w, h);
    Canvas leather(w, h);
    paintLeather(leather, 1501, hex(0x2d3f57));
    Shape cover = roundRect(2, 2, w - 4.0f, h - 4.0f, 8);
    c.fillShape(cover, [&](float x, float y) { return leather.get((int)x, (int)y); });
    c.strokeShape(roundRect(14, 14, w - 28.0f, h - 28.0f, 4), 2, withAlpha(GOLD, 0.8f));
    // An arrow falling into an open book: covers are on their way.
    float cx = w / 2.0f;
    c.fillShape(polygon({{cx - 16, 90},
                         {cx + 16, 90},
                         {cx + 16, 150},
                         {cx + 38, 150},
                         {cx, 195},
                         {cx - 38, 150},
                         {cx - 16, 150}}),
                linearGradient(0, 90, 0, 195, {{0.0f, GOLD_LIGHT}, {1.0f, GOLD}}));
    c.fillShape(polygon({{cx - 70, 215}, {cx - 4, 230}, {cx - 4, 262}, {cx - 70, 247}}), PARCHMENT);
    c.fillShape(polygon({{cx + 4, 230}, {cx + 70, 215}, {cx + 70, 247}, {cx + 4, 262}}),
                PARCHMENT_DARK);
    const Font& f = ctx.font(FONT_BOOK, 24);
    TextStyle st;
    st.fill = solid(PARCHMENT_LIGHT);
    drawText(c, f, "Fetching", cx, 36, 0, st);
    drawText(c, f, "covers...", cx, 290, 0, st);
    return c;
}

} // namespace

ART_MODULE(actionChart) {
    ctx.save(bookLine(), "misc/ac/book.png");
    ctx.save(portrait(false), "misc/ac/heads.png");
    ctx.save(portrait(true), "misc/ac/heads2.png");
    const CertLook certs[] = {{"cert1", "Vael series", 0x3d6b37, 0x2f4a2c},
                              {"cert2", "Dravic series", 0x2f4f7a, 0x1d2a3a},
                              {"cert3", "Grand Master series", 0x8a2a22, 0xc9a043}};
    uint32_t seed = 1450;
    for (const CertLook& cert : certs)
        ctx.save(certificate(ctx, cert, seed++), std::string("misc/ac/") + cert.name + ".png");
    ctx.save(downloadCover(ctx), "misc/downloadcover.png");
}
