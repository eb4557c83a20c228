#include "actionchart/action_chart_view.h"
#include "ui/blit.h"

#include "app/application.h"
#include "book/section_page_view.h"
#include "ui/font.h"
#include "ui/frame_dirty.h"
#include "ui/image.h"
#include "ui/text.h"
#include "ui/tooltip.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

const SDL_Color INK{52, 32, 14, 0};
const SDL_Color HEADING_INK{112, 22, 18, 0};
const SDL_Color SMALL_INK{74, 52, 30, 0};
const SDL_Color CAPTION{255, 250, 235, 0};
const char* const AC_FOLDER = "data/misc/ac";
const char* const MEDAL_FOLDER = "data/misc/awards";

std::map<const Application*, std::unique_ptr<ActionChartView>>& views() {
    static std::map<const Application*, std::unique_ptr<ActionChartView>> all;
    return all;
}

PageRect chartRect(const Application& app) {
    return app.pageRects[1];
}

int zoomOf(const Application& app, int page) {
    const int i = chartZoomIndex(page);
    return i < 0 ? 2 : std::clamp(app.profiles.zoomPages[static_cast<size_t>(i)], 0, AC_ZOOM_LIMIT);
}

// Line height in pixels for a zoom step, laid out for a 768-line screen.
int pixelHeight(const Application& app, int zoom) {
    // The handwritten face has small letters for its height: below about 22
    // pixels its strokes run together.
    return std::max(22, static_cast<int>(std::lround((24 + 3 * zoom) * app.screen.uiScale)));
}

FontPtr openActionFont(const Application& app, int height) {
    const std::string name = app.settings.actionFont.empty() ? "augie___" : app.settings.actionFont;
    // The face's line box is tall for its letters: ask for more so the ink reaches the height.
    return shareFont(openFont(name, fontSizeForHeight(name, height * 3 / 2)));
}

void ensureFonts(Application& app, ActionChartView& v, int zoom) {
    if (v.fontZoom == zoom && v.font) return;
    const int h = pixelHeight(app, zoom);
    v.font = openActionFont(app, h);
    v.headingFont = openActionFont(app, h * 5 / 4);
    v.smallFont = openActionFont(app, std::max(20, h * 9 / 10));
    v.fontZoom = zoom;
}

// Text broken into lines of at most `width` pixels, at back-ticks and spaces.
std::vector<std::string> wrap(TTF_Font* font, const std::string& text, int width) {
    std::vector<std::string> out;
    for (const std::string& para : splitLines(text)) {
        std::string line;
        size_t i = 0;
        if (para.empty()) out.push_back("");
        while (i < para.size()) {
            size_t next = para.find(' ', i);
            std::string word = para.substr(i, next == std::string::npos ? std::string::npos : next - i);
            std::string trial = line.empty() ? word : line + " " + word;
            int w = 0, h = 0;
            textSize(font, trial, &w, &h);
            if (w > width && !line.empty()) {
                out.push_back(line);
                line = word;
            } else {
                line = trial;
            }
            if (next == std::string::npos) break;
            i = next + 1;
        }
        if (!line.empty()) out.push_back(line);
    }
    return out;
}

SurfacePtr renderWrapped(TTF_Font* font, const std::string& text, SDL_Color colour, int width) {
    if (!font || text.empty()) return nullptr;
    std::vector<SurfacePtr> parts;
    int w = 1, h = 0;
    const int skip = TTF_FontLineSkip(font);
    for (const std::string& l : wrap(font, text, std::max(20, width))) {
        SurfacePtr s = l.empty() ? nullptr : shareSurface(renderText(font, l, colour));
        if (s) w = std::max(w, s->w);
        h += skip;
        parts.push_back(s);
    }
    SDL_Surface* out = createArgbSurface(w, std::max(1, h));
    if (!out) return nullptr;
    int y = 0;
    for (const SurfacePtr& s : parts) {
        if (s) {
            SDL_Surface* argb = toArgb(s.get());
            if (argb) {
                composeOver(out, argb, 0, y);
                SDL_FreeSurface(argb);
            }
        }
        y += skip;
    }
    return shareSurface(finishSurface(out, true));
}

SurfacePtr loadScaled(const std::string& folder, const std::string& name, int w, int h) {
    SDL_Surface* raw = loadImage(folder, name);
    if (!raw) return nullptr;
    if (isPlaceholder(raw) || raw->w <= 0 || raw->h <= 0) {
        SDL_FreeSurface(raw);
        return nullptr;
    }
    if (h <= 0) h = std::max(1, raw->h * w / raw->w);
    if (w <= 0) w = std::max(1, raw->w * h / raw->h);
    SDL_Surface* scaled = scaleImageTo(raw, w, h);
    SDL_FreeSurface(raw);
    return shareSurface(scaled);
}

std::string folderOf(const std::string& image) {
    if (image == "book" || image == "heads" || image == "heads2" || image == "battle_pics" ||
        image.compare(0, 4, "cert") == 0)
        return AC_FOLDER;
    return MEDAL_FOLDER;
}

std::unique_ptr<Button> makeButton(Application& app, ButtonPage* page, const FontPtr& font,
                                   const std::string& caption, const std::string& tip,
                                   const ChartAction& action) {
    auto b = std::make_unique<Button>();
    b->owner = &app;
    b->page = page;
    setArt(*b, app.skin.buttonArt4);
    const int pad = std::max(2, TTF_FontHeight(font.get()) / 4);
    // Snug sides: four buttons must leave an item name its line.
    setCaption(*b, caption, font, CAPTION, pad, pad / 2);
    setColour(*b, action.kind == ChartActionKind::None ? 0 : 1);
    // Up and down are the round arrows, as wide as they are high: two worded
    // buttons pushed a long item's name onto three lines.
    const bool up = action.kind == ChartActionKind::MoveUp;
    if (up || action.kind == ChartActionKind::MoveDown) {
        const SurfacePtr& arrow = app.skin.arrows[up ? ARROW_UP : ARROW_DOWN];
        SDL_Surface* face = hitImage(*b);
        if (arrow && !isPlaceholder(arrow.get()) && face && arrow->h > 0) {
            const int side = std::max(8, face->h);
            SurfacePtr scaled = shareSurface(scaleImageTo(arrow.get(), side, side));
            if (scaled) {
                setShadedImages(*b, scaled, 30, -30);
                b->captionImage = nullptr; // the arrow says it; the caption stays for the log
            }
        }
    }
    if (!tip.empty()) setTooltip(*b, nullptr, tip);
    return b;
}

// The action each line button stands for, by button pointer.
std::map<const Button*, ChartAction>& buttonActions() {
    static std::map<const Button*, ChartAction> actions;
    return actions;
}

int buttonWidth(const Button& b) {
    SDL_Surface* s = hitImage(b);
    return s ? s->w : 0;
}
int buttonHeight(const Button& b) {
    SDL_Surface* s = hitImage(b);
    return s ? s->h : 0;
}

std::string menuFaceName(const Application& app) {
    return app.settings.menuFont.empty() ? "bluehigh" : app.settings.menuFont;
}

// A caption on one line, or broken at its first space onto two.
std::vector<std::string> captionLines(const std::string& caption, int count) {
    const size_t space = caption.find(' ');
    if (count < 2 || space == std::string::npos) return {caption};
    return {caption.substr(0, space), caption.substr(space + 1)};
}

// The widest line of `lines` in `font`.
int widestLine(TTF_Font* font, const std::vector<std::string>& lines) {
    int widest = 0;
    for (const std::string& l : lines) {
        int tw = 0, th = 0;
        textSize(font, l, &tw, &th);
        widest = std::max(widest, tw);
    }
    return widest;
}

// A tab's caption in the menu face, at the largest size up to `maxSize` that
// fits the tab: on one line, or broken at its space onto two. Narrowing a
// handwritten caption to fit made it unreadable on small screens.
SurfacePtr tabCaption(Application& app, const std::string& caption, int w, int h, int maxSize = 0,
                      int* sizeOut = nullptr) {
    const std::string name = menuFaceName(app);
    SurfacePtr best;
    int bestSize = 0;
    for (int count = 1; count <= 2; ++count) {
        const std::vector<std::string> lines = captionLines(caption, count);
        if (count == 2 && lines.size() < 2) break;
        int size = std::max(6, h * 3 / 4 / count + 2);
        if (maxSize > 0) size = std::min(size, maxSize);
        for (; size >= 6 && size > bestSize; --size) {
            FontPtr font = shareFont(openFont(name, size));
            if (!font) break;
            if (widestLine(font.get(), lines) > w || TTF_FontLineSkip(font.get()) * count > h + 2)
                continue;
            std::string joined = lines[0];
            if (lines.size() > 1) joined += "`" + lines[1];
            best = renderWrapped(font.get(), joined, CAPTION, w);
            bestSize = size;
            break;
        }
    }
    if (sizeOut) *sizeOut = bestSize;
    return best;
}

// Widths for a row of tabs sized to their captions: the largest type size at
// which every caption (on one line, or on two where the tab is tall enough)
// fits the row, each tab as wide as its caption plus padding, and what room
// is left shared out evenly. `size` gets the type size chosen.
std::vector<int> fitTabs(Application& app, const std::vector<std::string>& captions, int rowW, int h,
                         int& size) {
    const std::string name = menuFaceName(app);
    const int n = static_cast<int>(captions.size());
    std::vector<int> widths(captions.size(), n > 0 ? rowW / n : 0);
    size = 0;
    if (n == 0) return widths;
    for (int s = std::max(6, h * 3 / 4 + 2); s >= 6; --s) {
        FontPtr font = shareFont(openFont(name, s));
        if (!font) break;
        // The caption's room is the tab less 6 pixels; a little more keeps
        // neighbouring captions apart.
        const int pad = 6 + std::max(2, s / 6);
        const bool twoFit = TTF_FontLineSkip(font.get()) * 2 <= h + 2;
        std::vector<int> need(captions.size());
        int total = 0;
        for (size_t i = 0; i < captions.size(); ++i) {
            int w = widestLine(font.get(), captionLines(captions[i], 1));
            if (twoFit) w = std::min(w, widestLine(font.get(), captionLines(captions[i], 2)));
            need[i] = w + pad;
            total += need[i];
        }
        if (total > rowW && s > 6) continue;
        const int spare = std::max(0, rowW - total);
        for (size_t i = 0; i < captions.size(); ++i)
            widths[i] = need[i] + spare / n + (static_cast<int>(i) < spare % n ? 1 : 0);
        size = s;
        return widths;
    }
    return widths;
}

// A tab: the tab art with its caption inked on it.
std::unique_ptr<Button> makeTab(Application& app, ButtonPage* page,
                                const std::string& art, const std::string& caption,
                                const std::string& tip, int w, int h, const ChartAction& action,
                                int captionSize = 0) {
    auto b = std::make_unique<Button>();
    b->owner = &app;
    b->page = page;
    const std::string folder = std::string(AC_FOLDER) + "/" +
                               (app.settings.acHeaderButtons.empty() ? "ac1" : app.settings.acHeaderButtons);
    SurfacePtr bg = loadScaled(folder, art, w, h);
    SDL_Surface* face = bg ? toArgb(bg.get()) : createArgbSurface(w, h);
    if (face && !caption.empty()) {
        SurfacePtr text = tabCaption(app, caption, w - 6, h - 2, captionSize);
        if (text) {
            SDL_Surface* argb = toArgb(text.get());
            if (argb) {
                composeOver(face, argb, (w - argb->w) / 2, (h - argb->h) / 2);
                SDL_FreeSurface(argb);
            }
        }
    }
    setShadedImages(*b, shareSurface(finishSurface(face, true)), 30, -30);
    b->caption = "";
    if (!tip.empty()) setTooltip(*b, nullptr, tip);
    buttonActions()[b.get()] = action;
    return b;
}

void buildHeader(Application& app, ActionChartView& v, const PageRect& r) {
    v.tabs.clear();
    const int tabH = std::max(22, static_cast<int>(26 * app.screen.uiScale));
    const std::string folder = std::string(AC_FOLDER) + "/" +
                               (app.settings.acHeaderButtons.empty() ? "ac1" : app.settings.acHeaderButtons);
    const int headerH = tabH * 2;
    v.header = loadScaled(folder, "header", r.w, headerH);
    const int top = headerH - tabH;
    // The zoom pair sits at the right of the title strip, so the tabs have
    // the whole width for captions large enough to read.
    const int zoomSide = tabH - 2;
    const auto& tabs = chartTabs();
    std::vector<std::string> captions;
    for (const ChartTab& t : tabs) captions.push_back(t.caption);
    int captionSize = 0;
    const std::vector<int> widths = fitTabs(app, captions, r.w - 8, tabH - 2, captionSize);
    int x = 4;
    for (size_t i = 0; i < tabs.size(); ++i) {
        const bool open = mainTabOf(v.state.page) == tabs[i].page;
        auto b = makeTab(app, &v.headerPage, open ? "tab_open" : "tab", tabs[i].caption, tabs[i].tooltip,
                         widths[i], tabH, {ChartActionKind::ShowPage, 0, 0, tabs[i].page}, captionSize);
        b->x = x;
        b->y = top;
        x += widths[i];
        v.tabs.push_back(std::move(b));
    }
    if (chartZoomIndex(v.state.page) >= 0) {
        auto out = makeTab(app, &v.headerPage, "zoom_out", "", ZOOM_OUT_TIP, zoomSide, zoomSide, {});
        out->x = r.w - 2 * zoomSide - 10;
        out->y = 1;
        out->value = -1;
        auto in = makeTab(app, &v.headerPage, "zoom_in", "", ZOOM_IN_TIP, zoomSide, zoomSide, {});
        in->x = r.w - zoomSide - 8;
        in->y = 1;
        in->value = 1;
        v.tabs.push_back(std::move(out));
        v.tabs.push_back(std::move(in));
    }
    v.bodyTop = headerH + 4;
    v.groupTabs.clear();
    const std::vector<ChartTab> group = groupTabs(v.state.page);
    if (!group.empty()) {
        const int gw = (r.w - 16) / 3;
        // Three equal tabs across the page, their captions in one size.
        std::vector<std::string> names;
        for (const ChartTab& t : group) names.push_back(t.caption);
        int groupSize = 0;
        for (const std::string& name : names) {
            int size = 0;
            tabCaption(app, name, gw - 6, tabH - 2, 0, &size);
            groupSize = groupSize == 0 ? size : std::min(groupSize, size);
        }
        for (size_t i = 0; i < group.size(); ++i) {
            const bool open = group[i].page == v.state.page;
            auto b = makeTab(app, &v.headerPage, open ? "tab_open" : "tab", group[i].caption, "", gw, tabH,
                             {ChartActionKind::ShowPage, 0, 0, group[i].page}, groupSize);
            b->x = 8 + static_cast<int>(i) * gw;
            b->y = v.bodyTop;
            v.groupTabs.push_back(std::move(b));
        }
        v.bodyTop += tabH + 4;
    }
}

// Lays the page out from its model: text left, buttons after it on the right.
void layout(Application& app, ActionChartView& v, const ChartPage& page, const PageRect& r) {
    for (ChartLineView& l : v.lines)
        for (auto& b : l.buttons) buttonActions().erase(b.get());
    v.lines.clear();
    const int margin = std::max(8, r.w / 28);
    const int width = r.w - 2 * margin;
    const int lineH = TTF_FontLineSkip(v.font.get());
    const int tab = lineH;
    int y = 4;
    for (const ChartLine& line : page.lines) {
        ChartLineView lv;
        lv.line = line;
        TTF_Font* font = line.style == ChartLineStyle::Heading ? v.headingFont.get()
                         : line.style == ChartLineStyle::Small ? v.smallFont.get()
                                                               : v.font.get();
        const SDL_Color colour = line.style == ChartLineStyle::Heading      ? HEADING_INK
                                 : line.style == ChartLineStyle::Subheading ? HEADING_INK
                                 : line.style == ChartLineStyle::Small      ? SMALL_INK
                                                                            : INK;
        if (line.style == ChartLineStyle::Heading && y > 4) y += lineH / 2;
        int x = margin + line.indent * tab;
        // Buttons: their total width is taken off the text's room.
        int buttonsW = 0, buttonsH = 0;
        for (const ChartButton& cb : line.buttons) {
            std::string caption = cb.caption;
            if (cb.checkBox) caption = std::string(cb.checked ? "[X] " : "[  ] ") + caption;
            auto b = makeButton(app, &v.bodyPage, v.smallFont, caption, cb.tooltip, cb.action);
            buttonActions()[b.get()] = cb.action;
            buttonsW += buttonWidth(*b) + 4;
            buttonsH = std::max(buttonsH, buttonHeight(*b));
            lv.buttons.push_back(std::move(b));
        }
        int textW = width - (x - margin) - (line.text.empty() ? 0 : buttonsW);
        int picW = 0, h = 0;
        if (line.style == ChartLineStyle::Picture) {
            if (line.image == "book") {
                lv.picture = loadScaled(AC_FOLDER, "book", width - buttonsW, lineH * 3 / 2);
            } else if (line.image.compare(0, 4, "cert") == 0) {
                lv.picture = loadScaled(AC_FOLDER, line.image, width, 0);
            } else {
                lv.picture = loadScaled(folderOf(line.image), line.image, 0, lineH * 2);
            }
            if (!line.badge.empty() && lv.picture) {
                lv.badge = loadScaled(MEDAL_FOLDER, line.badge, 0, lineH);
                if (lv.badge) picW += lv.badge->w + lineH / 3;
            }
            if (line.image == "book") {
                picW = 0;
                h = lv.picture ? lv.picture->h : lineH;
            } else if (lv.picture && line.text.empty()) {
                h = lv.picture->h;
            } else if (lv.picture) {
                picW += lv.picture->w + lineH / 2;
                h = lv.picture->h;
            }
            textW -= picW;
        } else if (!line.image.empty()) {
            // A small picture before the text (the battle rounds).
            lv.picture = loadScaled(AC_FOLDER, line.image, 0, lineH);
            picW = lv.picture ? lv.picture->w + lineH / 3 : 0;
            textW -= picW;
        }
        // A text that would wrap beside its buttons more than on its own gets
        // the line's whole width, and the buttons go on a row below it.
        bool below = false;
        if (!line.buttons.empty() && !line.text.empty() && line.style != ChartLineStyle::Picture) {
            const int fullW = width - (x - margin) - picW;
            if (wrap(font, line.text, std::max(20, textW)).size() > wrap(font, line.text, fullW).size()) {
                below = true;
                textW = fullW;
            }
        }
        lv.textImage = renderWrapped(font, line.text, colour, textW);
        const int th = lv.textImage ? lv.textImage->h : (line.text.empty() ? 0 : lineH);
        const int rowGap = lineH / 8;
        if (below) lv.textTop = 0;
        h = below ? th + rowGap + buttonsH
                  : std::max({h, th, buttonsH, line.style == ChartLineStyle::Rule ? lineH / 2 : 0});
        if (h == 0 && line.buttons.empty()) h = lineH / 2;
        lv.x = x;
        lv.y = y;
        lv.h = h;
        // Buttons: after the text on the right, or from the indent when there is no text.
        int bx = line.text.empty() ? x + picW : margin + width - buttonsW + 4;
        if (line.text.empty() && !v.lines.empty() && v.lines.back().line.text.empty() &&
            !v.lines.back().buttons.empty() && line.buttons.size() == 1 &&
            line.buttons[0].checkBox) {
            // Check-box lists run across the page, two to a row.
            ChartLineView& prev = v.lines.back();
            const Button& last = *prev.buttons.back();
            const int nx = last.x + std::max(buttonWidth(last) + 8, width / 2);
            if (prev.buttons.size() == 1 && nx + buttonsW < margin + width) {
                lv.buttons[0]->x = nx;
                lv.buttons[0]->y = prev.y + (prev.h - buttonHeight(*lv.buttons[0])) / 2;
                prev.buttons.push_back(std::move(lv.buttons[0]));
                continue;
            }
        }
        for (auto& b : lv.buttons) {
            b->x = bx;
            b->y = below ? y + th + rowGap + (buttonsH - buttonHeight(*b)) / 2
                         : y + (h - buttonHeight(*b)) / 2;
            bx += buttonWidth(*b) + 4;
        }
        y += h + lineH / 6;
        v.lines.push_back(std::move(lv));
    }
    const int bodyH = r.h - v.bodyTop;
    v.maxScroll = std::max(0, y + lineH - bodyH);
    v.scroll = std::clamp(v.scroll, 0, v.maxScroll);
}

std::string signatureOf(const ChartPage& page) {
    std::string s = std::to_string(page.page);
    for (const ChartLine& l : page.lines) {
        s += '\x1f' + l.text + '\x1e' + l.tooltip + '\x1e' + l.image;
        for (const ChartButton& b : l.buttons)
            s += '\x1d' + b.caption + (b.checked ? "1" : "0") + b.tooltip +
                 std::to_string(static_cast<int>(b.action.kind));
    }
    return s;
}

void drawPaper(Application& app, ActionChartView& v, SDL_Surface* screen, const PageRect& r) {
    if (!v.paper) {
        SDL_Surface* raw = loadImage(AC_FOLDER, "chart_paper");
        if (raw && !isPlaceholder(raw)) {
            v.paper = shareSurface(scaleImageTo(raw, r.w, r.h));
        } else if (app.skin.paper) {
            v.paper = app.skin.paper;
        }
        SDL_FreeSurface(raw);
    }
    SDL_Rect clip{static_cast<Sint16>(r.x), static_cast<Sint16>(r.y), static_cast<Uint16>(r.w),
                  static_cast<Uint16>(r.h)};
    SDL_SetClipRect(screen, &clip);
    if (v.paper) {
        for (int y = 0; y < r.h; y += v.paper->h)
            for (int x = 0; x < r.w; x += v.paper->w) {
                SDL_Rect at{static_cast<Sint16>(r.x + x), static_cast<Sint16>(r.y + y), 0, 0};
                blitSurface(v.paper.get(), nullptr, screen, &at);
            }
    } else {
        SDL_FillRect(screen, &clip, SDL_MapRGB(screen->format, 236, 222, 188));
    }
}

void blit(SDL_Surface* image, SDL_Surface* screen, int x, int y) {
    if (!image) return;
    SDL_Rect at{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    blitSurface(image, nullptr, screen, &at);
}

bool inside(int px, int py, int x, int y, int w, int h) {
    return px >= x && py >= y && px < x + w && py < y + h;
}

void showLineTooltip(Application& app, ChartLineView& l, int elapsedMs) {
    if (l.line.tooltip.empty()) return;
    l.hoverMs += elapsedMs;
    markFrameDirty();
    const ButtonStyle& style = currentButtonStyle();
    if (l.hoverMs < style.tipDelayMs) return;
    SurfacePtr tip = shareSurface(buildTooltipImage(l.line.tooltip, nullptr, style.tipFont.get(),
                                                    style.tipColour, style.tipBackground));
    if (!tip) return;
    SDL_Surface* screen = app.screen.surface;
    SDL_Rect at = placeTooltip(app.mouseX, app.mouseY, tip->w, tip->h, screen->w, screen->h);
    app.tooltip.image = tip;
    app.tooltip.x = at.x;
    app.tooltip.y = at.y;
}

void perform(Application& app, ActionChartView& v, const ChartAction& a) {
    const int page = v.state.page;
    if (a.kind == ChartActionKind::AwardDetails) {
        // Window 45 shows the active profile's award from its first hint.
        app.windowData.profileSlot = std::clamp(app.profiles.active, 0, PROFILE_COUNT - 1);
        app.windowData.awardId = a.value;
        app.windowData.awardHints = 1;
    }
    performChartAction(a, v.state, app.game, app.catalogues);
    if (v.state.page != page) v.scroll = 0;
    v.signature.clear(); // whatever changed shows at once
    markFrameDirty();
}

// Where a line's text starts below the line's top: centred, unless its
// buttons sit on a row beneath it.
int textTopOf(const ChartLineView& l) {
    if (l.textTop >= 0 || !l.textImage) return std::max(0, l.textTop);
    return (l.h - l.textImage->h) / 2;
}

// Where the chart's tabs, lines and buttons are on the screen, for the
// end-to-end scripts (QH_LAYOUT_LOG): centres in screen pixels, after scrolling.
void logChartLayout(const ActionChartView& v, const PageRect& r) {
    static const char* path = std::getenv("QH_LAYOUT_LOG");
    if (!path || !*path) return;
    FILE* f = std::fopen(path, "a");
    if (!f) return;
    std::fprintf(f, "chart page %d rect %d %d %d %d scroll %d max %d body %d\n", v.state.page, r.x, r.y,
                 r.w, r.h, v.scroll, v.maxScroll, r.y + v.bodyTop);
    int w = 0;
    auto centre = [&w](const Button& b, int ox, int oy, int& x, int& y) {
        SDL_Surface* img = hitImage(b);
        if (!img) return false;
        x = ox + b.x + img->w / 2;
        y = oy + b.y + img->h / 2;
        w = img->w;
        return true;
    };
    int x = 0, y = 0, i = 0;
    for (const auto& b : v.tabs) {
        if (centre(*b, r.x, r.y, x, y)) {
            const ChartAction a = buttonActions()[b.get()];
            if (a.kind == ChartActionKind::ShowPage)
                std::fprintf(f, "chart tab %d at %d %d\n", a.value, x, y);
            else
                std::fprintf(f, "chart zoom %s at %d %d\n", b->value < 0 ? "out" : "in", x, y);
        }
    }
    for (const auto& b : v.groupTabs)
        if (centre(*b, r.x, r.y, x, y))
            std::fprintf(f, "chart tab %d at %d %d\n", buttonActions()[b.get()].value, x, y);
    const int oy = r.y + v.bodyTop - v.scroll;
    for (const ChartLineView& l : v.lines) {
        // The text where drawLine puts it: after the picture and the badge.
        int tx = r.x + l.x, tw = l.textImage ? l.textImage->w : 0;
        if (l.picture && l.line.image == "book") {
            tx += (l.picture->w - tw) / 2;
        } else {
            const int gap = TTF_FontLineSkip(v.font.get()) / 3;
            if (l.picture) tx += l.picture->w + gap;
            if (l.badge) tx += l.badge->w + gap;
        }
        const int th = l.textImage ? l.textImage->h : 0;
        std::fprintf(f, "chart line %d at %d %d w %d h %d ty %d th %d text %s\n", i, tx + tw / 2,
                     oy + l.y + l.h / 2, tw, l.h, oy + l.y + textTopOf(l) + th / 2, th,
                     l.line.text.c_str());
        int j = 0;
        for (const auto& b : l.buttons) {
            if (centre(*b, r.x, oy, x, y))
                std::fprintf(f, "chart button %d %d at %d %d w %d h %d caption %s\n", i, j, x, y, w,
                             buttonHeight(*b), b->caption.c_str());
            ++j;
        }
        ++i;
    }
    std::fclose(f);
}

// True when a shown tool bar button (the award medal in the corner) covers
// the point: it lies over the chart and takes the click.
bool toolbarCovers(Application& app, int x, int y) {
    for (const auto& b : app.headerButtons)
        if (b && b->visible && b->clickable && hitTest(*b, x, y)) return true;
    return false;
}

} // namespace

ActionChartView& actionChartView(Application& app) {
    auto& slot = views()[&app];
    if (!slot) slot = std::make_unique<ActionChartView>();
    return *slot;
}

bool actionChartOnScreen(Application& app) {
    if (!app.playing) return false;
    ActionChartView& v = actionChartView(app);
    // A front-matter page shown on the right takes the chart's place.
    return v.shown && pageDeck(app).current[1] < 0 && chartRect(app).w > 0;
}

ChartContext actionChartContext(Application& app) {
    ChartContext ctx = chartContext(app.game, app.catalogues);
    if (!app.game.profiles) {
        const int slot = std::clamp(app.profiles.active, 0, PROFILE_COUNT - 1);
        ctx.profileName = app.profiles.slots[static_cast<size_t>(slot)].name;
    }
    return ctx;
}

void drawActionChart(Application& app, int elapsedMs) {
    if (!actionChartOnScreen(app)) return;
    ActionChartView& v = actionChartView(app);
    SDL_Surface* screen = app.screen.surface;
    const PageRect r = chartRect(app);
    if (takeChartRequests(v.state, app.game)) v.scroll = 0;
    const int zoom = zoomOf(app, v.state.page);
    ensureFonts(app, v, zoom);
    const ChartPage page = buildChartPage(v.state, app.game, app.catalogues, actionChartContext(app));
    std::string sig = signatureOf(page);
    if (sig != v.signature || zoom != v.builtZoom || r.w != v.builtWidth) {
        buildHeader(app, v, r);
        layout(app, v, page, r);
        v.signature = sig;
        v.builtZoom = zoom;
        v.builtWidth = r.w;
        v.loggedScroll = -1;
    }
    if (v.loggedScroll != v.scroll) {
        logChartLayout(v, r);
        v.loggedScroll = v.scroll;
    }
    v.headerPage.x = r.x;
    v.headerPage.y = r.y;
    v.bodyPage.x = r.x;
    v.bodyPage.y = r.y + v.bodyTop;
    v.bodyPage.scroll = v.scroll;
    drawPaper(app, v, screen, r);
    if (v.header) blit(v.header.get(), screen, r.x, r.y);
    for (auto& b : v.tabs) drawButton(*b, screen, app.mouseX, app.mouseY, elapsedMs, r.x, r.y);
    for (auto& b : v.groupTabs) drawButton(*b, screen, app.mouseX, app.mouseY, elapsedMs, r.x, r.y);
    // The scrolled body.
    SDL_Rect body{static_cast<Sint16>(r.x), static_cast<Sint16>(r.y + v.bodyTop), static_cast<Uint16>(r.w),
                  static_cast<Uint16>(std::max(0, r.h - v.bodyTop))};
    SDL_SetClipRect(screen, &body);
    const int ox = r.x, oy = r.y + v.bodyTop - v.scroll;
    // Under an open window the pointer belongs to the window.
    const bool mouseInBody = !topWindow(app.windowManager) &&
                             inside(app.mouseX, app.mouseY, body.x, body.y, body.w, body.h);
    for (ChartLineView& l : v.lines) {
        if (oy + l.y + l.h < body.y || oy + l.y > body.y + body.h) continue;
        int x = ox + l.x;
        if (l.picture && l.line.image == "book") {
            blit(l.picture.get(), screen, x, oy + l.y);
            if (l.textImage)
                blit(l.textImage.get(), screen, x + (l.picture->w - l.textImage->w) / 2,
                     oy + l.y + (l.h - l.textImage->h) / 2);
        } else {
            if (l.picture) {
                blit(l.picture.get(), screen, x, oy + l.y + (l.h - l.picture->h) / 2);
                x += l.picture->w + TTF_FontLineSkip(v.font.get()) / 3;
            }
            if (l.badge) {
                blit(l.badge.get(), screen, x, oy + l.y + (l.h - l.badge->h) / 2);
                x += l.badge->w + TTF_FontLineSkip(v.font.get()) / 3;
            }
            if (l.textImage) blit(l.textImage.get(), screen, x, oy + l.y + textTopOf(l));
        }
        if (l.line.style == ChartLineStyle::Heading && l.textImage) {
            SDL_Rect rule{static_cast<Sint16>(ox + l.x), static_cast<Sint16>(oy + l.y + l.h),
                          static_cast<Uint16>(r.w - 2 * l.x), 1};
            SDL_FillRect(screen, &rule, SDL_MapRGB(screen->format, 150, 110, 70));
        }
        const bool over = mouseInBody && inside(app.mouseX, app.mouseY, ox, oy + l.y, r.w, l.h);
        if (over) {
            bool onButton = false;
            for (auto& b : l.buttons) onButton = onButton || hitTest(*b, app.mouseX, app.mouseY);
            if (!onButton) showLineTooltip(app, l, elapsedMs);
        } else {
            l.hoverMs = 0;
        }
        for (auto& b : l.buttons) {
            drawButton(*b, screen, mouseInBody ? app.mouseX : -1000, app.mouseY, elapsedMs, ox, oy);
            if (b->hovered) markFrameDirty();
        }
    }
    SDL_SetClipRect(screen, nullptr);
    // A thin scroll indicator on the right edge.
    if (v.maxScroll > 0) {
        const int trackH = body.h - 8;
        const int thumbH = std::max(12, trackH * body.h / (body.h + v.maxScroll));
        const int thumbY = body.y + 4 + (trackH - thumbH) * v.scroll / v.maxScroll;
        SDL_Rect track{static_cast<Sint16>(r.x + r.w - 7), static_cast<Sint16>(body.y + 4), 4,
                       static_cast<Uint16>(trackH)};
        SDL_FillRect(screen, &track, SDL_MapRGB(screen->format, 200, 180, 140));
        SDL_Rect thumb{static_cast<Sint16>(r.x + r.w - 8), static_cast<Sint16>(thumbY), 6,
                       static_cast<Uint16>(thumbH)};
        SDL_FillRect(screen, &thumb, SDL_MapRGB(screen->format, 120, 80, 40));
    }
    for (auto& b : v.tabs)
        if (b->hovered) markFrameDirty();
}

bool actionChartMouse(Application& app, int x, int y, bool down) {
    if (!actionChartOnScreen(app)) return false;
    ActionChartView& v = actionChartView(app);
    const PageRect r = chartRect(app);
    if (!inside(x, y, r.x, r.y, r.w, r.h) || toolbarCovers(app, x, y)) {
        if (!down)
            for (auto* list : {&v.tabs, &v.groupTabs})
                for (auto& b : *list) b->pressed = false;
        return false;
    }
    auto press = [&](Button& b, const std::function<void()>& run) {
        if (!b.clickable || !b.visible) return false;
        if (down) {
            if (hitTest(b, x, y)) b.pressed = true;
            return b.pressed;
        }
        if (!b.pressed) return false;
        b.pressed = false;
        if (hitTest(b, x, y)) run();
        return true;
    };
    for (auto* list : {&v.tabs, &v.groupTabs})
        for (auto& b : *list) {
            Button* btn = b.get();
            if (press(*btn, [&] {
                    if (btn->value != 0 && buttonActions()[btn].kind == ChartActionKind::None) {
                        if (chartZoomStep(app.profiles.zoomPages, v.state.page, btn->value, AC_ZOOM_LIMIT))
                            v.signature.clear();
                        markFrameDirty();
                    } else {
                        perform(app, v, buttonActions()[btn]);
                    }
                }))
                return true;
        }
    if (y < r.y + v.bodyTop) return true;
    const int oy = r.y + v.bodyTop - v.scroll;
    for (ChartLineView& l : v.lines) {
        for (auto& b : l.buttons) {
            Button* btn = b.get();
            ChartAction a = buttonActions()[btn];
            bool run = false;
            if (press(*btn, [&] { run = true; })) {
                if (run) perform(app, v, a); // the page is rebuilt: stop here
                return true;
            }
        }
        if (l.line.click.kind != ChartActionKind::None && !down &&
            inside(x, y, r.x, oy + l.y, r.w, l.h)) {
            perform(app, v, l.line.click);
            return true;
        }
    }
    return true;
}

bool actionChartScroll(Application& app, int direction, bool byPage) {
    if (!actionChartOnScreen(app)) return false;
    const PageRect r = chartRect(app);
    if (!inside(app.mouseX, app.mouseY, r.x, r.y, r.w, r.h)) return false;
    ActionChartView& v = actionChartView(app);
    const int step = byPage ? std::max(10, r.h - v.bodyTop - 40)
                            : (v.font ? TTF_FontLineSkip(v.font.get()) * 2 : 30);
    v.scroll = std::clamp(v.scroll + (direction < 0 ? -step : step), 0, v.maxScroll);
    markFrameDirty();
    return true;
}

void releaseActionChart(Application& app) {
    auto it = views().find(&app);
    if (it == views().end()) return;
    for (ChartLineView& l : it->second->lines)
        for (auto& b : l.buttons) buttonActions().erase(b.get());
    for (auto& b : it->second->tabs) buttonActions().erase(b.get());
    for (auto& b : it->second->groupTabs) buttonActions().erase(b.get());
    views().erase(it);
}
