// The Action Chart's own frame: the header banner behind the tabs, the open
// and closed tab shapes and the two zoom buttons, in two looks ("ac1" leather
// and gold, "ac2" dark wood and silver), the chart's paper, and the small
// pictures of the battle history.
#include "kit.h"
#include "registry.h"

#include <string>

namespace {

struct HeaderLook {
    const char* folder;
    unsigned base, trim, tab, tabOpen;
};

Canvas header(ArtContext& ctx, const HeaderLook& look) {
    const int w = 560, h = 64;
    Canvas c(w, h);
    Canvas leather(w, h);
    paintLeather(leather, 1601, hex(look.base));
    Shape band = roundRect(0, 0, w, h - 2.0f, 6);
    c.fillShape(band, [&](float x, float y) { return leather.get((int)x, (int)y); });
    Color trim = hex(look.trim);
    c.fillShape(rectShape(6, h - 8.0f, w - 12.0f, 2), withAlpha(trim, 0.9f));
    c.strokeShape(roundRect(3, 3, w - 6.0f, h - 8.0f, 5), 1.4f, withAlpha(trim, 0.8f));
    for (int i = 0; i < 2; ++i) diamondOrnament(c, i ? w - 22.0f : 22.0f, 15, 5, trim);
    const Font& f = ctx.font(FONT_DISPLAY, 19);
    TextStyle st;
    st.fill = solid(shade(trim, 0.25f));
    drawText(c, f, "ACTION CHART", w / 2.0f, 4, 0, st);
    flourish(c, w / 2.0f - 120, 17, 70, 1.5f, trim);
    flourish(c, w / 2.0f + 120, 17, 70, 1.5f, trim);
    return c;
}

Canvas tab(const HeaderLook& look, bool open) {
    const int w = 120, h = 34;
    Canvas c(w, h);
    Color fill = hex(open ? look.tabOpen : look.tab);
    Shape s = roundRect(1, 1, w - 2.0f, h + 8.0f, 8);
    Shape clip = rectShape(0, 0, w, h);
    c.fillShape(intersect(s, clip),
                linearGradient(0, 0, 0, h, {{0.0f, shade(fill, 0.25f)}, {1.0f, shade(fill, -0.2f)}}));
    c.strokeShape(intersect(s, clip), 1.5f, hex(look.trim));
    if (open) c.fillShape(rectShape(4, h - 3.0f, w - 8.0f, 3), shade(fill, -0.1f));
    return c;
}

Canvas zoom(const HeaderLook& look, bool in) {
    const int s = 34;
    Canvas c(s, s);
    Color fill = hex(look.tab);
    c.fillShape(roundRect(1, 1, s - 2.0f, s - 2.0f, 7),
                linearGradient(0, 0, 0, s, {{0.0f, shade(fill, 0.3f)}, {1.0f, shade(fill, -0.2f)}}));
    c.strokeShape(roundRect(1, 1, s - 2.0f, s - 2.0f, 7), 1.5f, hex(look.trim));
    Color ink = hex(0xfff5dc);
    // A magnifying glass with plus or minus.
    c.strokeShape(circle(14, 14, 8), 2.2f, ink);
    c.fillShape(segment(20, 20, 28, 28, 3.4f), ink);
    c.fillShape(rectShape(10, 13, 8, 2.2f), ink);
    if (in) c.fillShape(rectShape(12.9f, 10, 2.2f, 8), ink);
    return c;
}

Canvas chartPaper() {
    const int w = 256, h = 256;
    Canvas c(w, h);
    paintParchment(c, 1611, PARCHMENT, 0.35f, true);
    return c;
}

// One strip of battle pictures: crossed swords, a shield, a skull, a laurel.
Canvas battlePics() {
    const int s = 48;
    Canvas c(s, s);
    c.fillShape(circle(s / 2.0f, s / 2.0f, s / 2.0f - 1), withAlpha(PARCHMENT_DARK, 0.9f));
    c.strokeShape(circle(s / 2.0f, s / 2.0f, s / 2.0f - 2), 1.5f, BRONZE_DARK);
    Color steel = hex(0x5d636b);
    c.fillShape(segment(12, 12, 36, 36, 3.5f), steel);
    c.fillShape(segment(36, 12, 12, 36, 3.5f), steel);
    c.fillShape(segment(14, 30, 20, 36, 3), GOLD_DARK);
    c.fillShape(segment(34, 30, 28, 36, 3), GOLD_DARK);
    c.fillShape(circle(11, 39, 3), BRONZE);
    c.fillShape(circle(37, 39, 3), BRONZE);
    return c;
}

} // namespace

ART_MODULE(actionChartHeader) {
    const HeaderLook looks[] = {{"ac1", 0x5a3420, 0xc9a043, 0x7a4a2a, 0x9c6b3c},
                                {"ac2", 0x2b2f36, 0xc8ccd2, 0x3d4652, 0x5a6a7e}};
    for (const HeaderLook& look : looks) {
        const std::string dir = std::string("misc/ac/") + look.folder + "/";
        ctx.save(header(ctx, look), dir + "header.png");
        ctx.save(tab(look, false), dir + "tab.png");
        ctx.save(tab(look, true), dir + "tab_open.png");
        ctx.save(zoom(look, false), dir + "zoom_out.png");
        ctx.save(zoom(look, true), dir + "zoom_in.png");
    }
    ctx.save(chartPaper(), "misc/ac/chart_paper.png");
    ctx.save(battlePics(), "misc/ac/battle_pics.png");
}
