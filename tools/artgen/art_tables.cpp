// The Combat Results Table (body, header strip and its three decorations), the
// Random Number Table's frame and region guide, and the download progress bar
// with its description file.
#include "kit.h"
#include "registry.h"

#include <cmath>
#include <string>

namespace {

// The table body holds 13 visible columns and 10 rows. The program places its
// highlight bars from these proportions: side margins of 0.026875 of the width,
// columns of width / 1.05375 / 13, rows of height / 10.06 starting 0.003 of the
// height down. The sizes below follow them with whole-pixel cells (60 x 44).
const int CRT_W = 822, CRT_H = 443;
const float CRT_MARGIN = CRT_W * 0.026875f;
const float CRT_COL = CRT_W / 1.05375f / 13.0f;
const float CRT_ROW = CRT_H / 10.06f;
const float CRT_TOP = CRT_H * 0.003f;

Mask rotateLeft(const Mask& m) {
    Mask o(m.h, m.w);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            o.at(y, m.w - 1 - x) = m.a[static_cast<size_t>(y) * m.w + x];
    return o;
}

Canvas parchmentCanvas(int w, int h, uint32_t seed, float age) {
    Canvas c(w, h);
    paintParchment(c, seed, PARCHMENT, age, false);
    return c;
}

Canvas crtBody() {
    Canvas c = parchmentCanvas(CRT_W, CRT_H, 801, 0.4f);
    // Row bands alternate lightly so the eye follows a row across.
    for (int r = 0; r < 10; ++r) {
        float y = CRT_TOP + r * CRT_ROW;
        if (r % 2)
            c.fillShape(rectShape(CRT_MARGIN, y, CRT_W - 2 * CRT_MARGIN, CRT_ROW),
                        withAlpha(PARCHMENT_DARK, 0.45f));
    }
    // The margins carry the row numbers: a darker band on each side.
    c.fillShape(rectShape(0, 0, CRT_MARGIN, CRT_H), withAlpha(hex(0xc8ad78), 0.8f));
    c.fillShape(rectShape(CRT_W - CRT_MARGIN, 0, CRT_MARGIN, CRT_H),
                withAlpha(hex(0xc8ad78), 0.8f));
    Color line = withAlpha(BRONZE_DARK, 0.7f);
    for (int k = 0; k <= 13; ++k) {
        float x = CRT_MARGIN + k * CRT_COL;
        c.fillShape(rectShape(x - 0.6f, 0, 1.2f, CRT_H), line);
    }
    for (int r = 0; r <= 10; ++r) {
        float y = CRT_TOP + r * CRT_ROW;
        c.fillShape(rectShape(0, y - 0.6f, CRT_W, 1.2f), line);
        // A faint line between the enemy's line and the hero's line of each cell.
        if (r < 10)
            c.fillShape(rectShape(CRT_MARGIN, y + CRT_ROW / 2 - 0.3f, CRT_W - 2 * CRT_MARGIN, 0.6f),
                        withAlpha(BRONZE, 0.25f));
    }
    c.strokeShape(rectShape(1, 1, CRT_W - 2.0f, CRT_H - 2.0f), 2.5f, BRONZE_DARK);
    return c;
}

Canvas crtHeader() {
    const int h = 44;
    Canvas c(CRT_W, h);
    Canvas paper = parchmentCanvas(CRT_W, h, 803, 0.8f);
    c.fillShape(rectShape(0, 0, CRT_W, h),
                [&](float x, float y) { return shade(paper.get((int)x, (int)y), -0.08f); });
    for (int k = 0; k <= 13; ++k) {
        float x = k * CRT_W / 13.0f;
        c.fillShape(rectShape(x - 0.7f, 4, 1.4f, h - 8.0f), withAlpha(BRONZE_DARK, 0.6f));
    }
    c.strokeShape(rectShape(1, 1, CRT_W - 2.0f, h - 2.0f), 2.5f, BRONZE_DARK);
    return c;
}

Canvas plaque(ArtContext& ctx, int w, int h, const std::string& text, int size) {
    Canvas c(w, h);
    Shape s = roundRect(1, 1, w - 2.0f, h - 2.0f, 5);
    metalBar(c, s, 0, static_cast<float>(h), BRONZE);
    c.strokeShape(s, 1.5f, BRONZE_DARK);
    const Font& f = ctx.font(FONT_BOOK, size);
    TextStyle st;
    st.fill = solid(PARCHMENT_LIGHT);
    st.shadow = Color{0, 0, 0, 0.6f};
    st.shadowDx = 1, st.shadowDy = 1;
    drawText(c, f, text, w / 2.0f, (h - f.lineHeight()) / 2.0f, 0, st);
    return c;
}

Canvas crtTitle(ArtContext& ctx) {
    const int w = CRT_W, h = 72;
    Canvas c(w, h);
    // A ribbon banner with swallow-tailed ends.
    float y0 = 10, y1 = h - 10.0f;
    for (int side = 0; side < 2; ++side) {
        float x = side ? w - 8.0f : 8.0f, d = side ? -1.0f : 1.0f;
        Shape tail = polygon({{x, y0 + 8},
                              {x + d * 110, y0 + 8},
                              {x + d * 110, y1 + 8},
                              {x, y1 + 8},
                              {x + d * 26, (y0 + y1) / 2 + 8}});
        c.fillShape(tail, shade(OXBLOOD, -0.35f));
    }
    Shape band = rectShape(80, y0, w - 160.0f, y1 - y0);
    dropShadow(c, band, 3, 0, 3, 0.5f);
    c.fillShape(
        band, linearGradient(
                  0, y0, 0, y1,
                  {{0.0f, shade(OXBLOOD, 0.25f)}, {0.5f, OXBLOOD}, {1.0f, shade(OXBLOOD, -0.3f)}}));
    c.fillShape(rectShape(80, y0 + 4, w - 160.0f, 1.5f), withAlpha(GOLD, 0.9f));
    c.fillShape(rectShape(80, y1 - 5.5f, w - 160.0f, 1.5f), withAlpha(GOLD, 0.9f));
    const Font& f = ctx.font(FONT_DISPLAY, 40);
    TextStyle st;
    st.fill = metal(y0, y1, GOLD);
    st.outline = hex(0x2a0c08);
    st.outlineWidth = 2;
    st.bevel = 0.5f;
    drawText(c, f, "Combat Results Table", w / 2.0f, (h - f.lineHeight()) / 2.0f, 0, st);
    return c;
}

Canvas crtSide(ArtContext& ctx) {
    const int w = 40;
    Canvas c(w, CRT_H);
    Shape s = roundRect(1, 1, w - 2.0f, CRT_H - 2.0f, 5);
    Canvas layer(w, CRT_H);
    layer.fillShape(
        s, linearGradient(
               0, 0, w, 0,
               {{0.0f, shade(BRONZE, 0.35f)}, {0.5f, BRONZE}, {1.0f, shade(BRONZE, -0.4f)}}));
    layer.bevel(layer.alphaMask(), 1.5f, 0.5f);
    c.draw(layer, 0, 0);
    c.strokeShape(s, 1.5f, BRONZE_DARK);
    const Font& f = ctx.font(FONT_BOOK, 20);
    Mask m = rotateLeft(f.render("RANDOM NUMBER"));
    c.fillMask(blur(m, 1.0f), Color{0, 0, 0, 0.6f}, (w - m.w) / 2 + 1, (CRT_H - m.h) / 2 + 1);
    c.fillMask(m, PARCHMENT_LIGHT, (w - m.w) / 2, (CRT_H - m.h) / 2);
    return c;
}

// The frame round the 10 x 10 grid of the Random Number Table.
const int RNT_SIZE = 400, RNT_BORDER = 10;

Canvas rntBox() {
    Canvas c(RNT_SIZE, RNT_SIZE);
    float cell = (RNT_SIZE - 2.0f * RNT_BORDER) / 10;
    Shape outer = roundRect(0.5f, 0.5f, RNT_SIZE - 1.0f, RNT_SIZE - 1.0f, 6);
    Shape inner = rectShape(RNT_BORDER, RNT_BORDER, RNT_SIZE - 2.0f * RNT_BORDER,
                            RNT_SIZE - 2.0f * RNT_BORDER);
    metalBar(c, subtract(outer, inner), 0, RNT_SIZE, BRONZE);
    c.strokeShape(outer, 1.2f, BRONZE_DARK);
    for (int i = 1; i < 10; ++i) {
        float p = RNT_BORDER + i * cell;
        float width = i == 5 ? 1.8f : 1.0f;
        c.fillShape(rectShape(p - width / 2, RNT_BORDER, width, RNT_SIZE - 2.0f * RNT_BORDER),
                    withAlpha(INK, 0.55f));
        c.fillShape(rectShape(RNT_BORDER, p - width / 2, RNT_SIZE - 2.0f * RNT_BORDER, width),
                    withAlpha(INK, 0.55f));
    }
    c.strokeShape(inner, 1.5f, INK);
    return c;
}

// Regions a player may point at, numbered like a numeric keypad.
Canvas rntGuide(ArtContext& ctx) {
    Canvas c(RNT_SIZE, RNT_SIZE);
    float inner = RNT_SIZE - 2.0f * RNT_BORDER, third = inner / 3;
    const Font& f = ctx.font(FONT_DISPLAY, 64);
    const char* digits[3][3] = {{"7", "8", "9"}, {"4", "5", "6"}, {"1", "2", "3"}};
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k) {
            float x = RNT_BORDER + k * third, y = RNT_BORDER + r * third;
            Shape cellShape = roundRect(x + 4, y + 4, third - 8, third - 8, 10);
            c.fillShape(cellShape, withAlpha((r + k) % 2 ? GOLD_LIGHT : PARCHMENT_LIGHT, 0.35f));
            c.strokeShape(cellShape, 2.0f, withAlpha(GOLD_DARK, 0.8f));
            TextStyle st;
            st.fill = solid(withAlpha(OXBLOOD, 0.55f));
            st.outline = withAlpha(PARCHMENT_LIGHT, 0.6f);
            st.outlineWidth = 2;
            drawText(c, f, digits[r][k], x + third / 2, y + (third - f.lineHeight()) / 2, 0, st);
        }
    return c;
}

// The progress bar's frame; the bar fills the slot described in pb1.txt.
const int PB_W = 224, PB_H = 36, PB_X = 14, PB_Y = 12, PB_BAR_W = 196, PB_BAR_H = 12;

Canvas progressFrame() {
    Canvas c(PB_W, PB_H);
    Shape outer = roundRect(1, 1, PB_W - 2.0f, PB_H - 2.0f, PB_H / 2.0f - 1);
    dropShadow(c, outer, 2, 0, 2, 0.5f);
    metalBar(c, outer, 1, PB_H - 1.0f, BRONZE);
    c.strokeShape(outer, 1.2f, BRONZE_DARK);
    Shape slot = roundRect(PB_X - 2.0f, PB_Y - 2.0f, PB_BAR_W + 4.0f, PB_BAR_H + 4.0f, 4);
    c.fillShape(slot, linearGradient(0, PB_Y - 2.0f, 0, PB_Y + PB_BAR_H + 2.0f,
                                     {{0.0f, hex(0x140c06)}, {1.0f, hex(0x3a2a1c)}}));
    c.fillShape(rectShape(PB_X, PB_Y, PB_BAR_W, PB_BAR_H), hex(0xf6efdc));
    return c;
}

} // namespace

ART_MODULE(combatTable) {
    ctx.save(crtTitle(ctx), "misc/crt-1.png");
    ctx.save(plaque(ctx, CRT_W, 40, "COMBAT RATIO", 20), "misc/crt-2.png");
    ctx.save(crtSide(ctx), "misc/crt-3.png");
    ctx.save(crtHeader(), "misc/crt-4.png");
    ctx.save(crtBody(), "misc/crt-5.png");
}

ART_MODULE(randomTable) {
    ctx.save(rntBox(), "misc/rntbox.png");
    ctx.save(rntGuide(ctx), "misc/rntguide.png");
}

ART_MODULE(progressBar) {
    ctx.save(progressFrame(), "misc/pb1.png");
    // Image path, then the bar's slot inside the image: x, y, width, height.
    ctx.saveBytes("data/misc/pb1\r\n" + std::to_string(PB_X) + " " + std::to_string(PB_Y) + " " +
                      std::to_string(PB_BAR_W) + " " + std::to_string(PB_BAR_H) + "\r\n",
                  "misc/pb1.txt");
}
