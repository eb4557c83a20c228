#include "book/section_page_view.h"
#include "ui/blit.h"

#include "app/application.h"
#include "book/section_script.h"
#include "book/section_text.h"
#include "script/section_runtime.h"
#include "ui/font.h"
#include "ui/frame_dirty.h"
#include "ui/image.h"
#include "ui/surface.h"

#include <SDL/SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <tuple>

namespace {

// The page deck lives beside the Application until the record grows a member
// for it; one deck per application.
std::map<const Application*, std::unique_ptr<PageDeck>>& decks() {
    static std::map<const Application*, std::unique_ptr<PageDeck>> all;
    return all;
}

SDL_Color textColour(const Application& app) {
    const RgbColor& c = app.settings.textColor;
    return SDL_Color{c.r, c.g, c.b, 0};
}

int baseSize(const Application& app) {
    return std::max(1, app.settings.textFontSize);
}

// True when converting `s` to the display's alpha format would only copy
// it: same depth and masks, and no colour key or surface alpha to carry over.
bool inDisplayAlphaFormat(const SDL_Surface* s) {
    static const SDL_Surface* screenSeen = nullptr;
    static SDL_PixelFormat display{};
    static bool known = false;
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (!screen) return false;
    if (screen != screenSeen) {
        // The display alpha format, as the conversion makes it.
        screenSeen = screen;
        known = false;
        if (SDL_Surface* probe = createArgbSurface(1, 1)) {
            if (SDL_Surface* converted = SDL_DisplayFormatAlpha(probe)) {
                display = *converted->format;
                known = true;
                SDL_FreeSurface(converted);
            }
            SDL_FreeSurface(probe);
        }
    }
    const SDL_PixelFormat& f = *s->format;
    return known && !f.palette && f.BitsPerPixel == display.BitsPerPixel &&
           f.Rmask == display.Rmask && f.Gmask == display.Gmask && f.Bmask == display.Bmask &&
           f.Amask == display.Amask && (s->flags & (SDL_SRCCOLORKEY | SDL_HWSURFACE)) == 0;
}

// Display format, at least 1 x 1, shared.
std::shared_ptr<SDL_Surface> finish(SDL_Surface* rendered) {
    if (!rendered || rendered->w < 1 || rendered->h < 1) {
        if (rendered) SDL_FreeSurface(rendered);
        return shareSurface(makePlaceholder());
    }
    // Rendered text is usually in that format already: converting it would
    // copy every word of the section for nothing.
    if (SDL_GetVideoSurface() && !inDisplayAlphaFormat(rendered)) {
        SDL_Surface* converted = SDL_DisplayFormatAlpha(rendered);
        if (converted) {
            SDL_FreeSurface(rendered);
            rendered = converted;
        }
    }
    return shareSurface(rendered);
}

SDL_Surface* renderWord(TTF_Font* font, const std::string& text, SDL_Color colour, bool utf8) {
    if (!font) return nullptr;
    const std::string shown = text.empty() ? " " : text;
    return utf8 ? TTF_RenderUTF8_Blended(font, shown.c_str(), colour)
                : TTF_RenderText_Blended(font, shown.c_str(), colour);
}

// A section button's widget: the model's look; its presses go to the rules
// once the page has been drawn, never in the middle of drawing it.
struct PageButton : Button {
    SectionButton* model = nullptr;
    GameState* game = nullptr;
    const Catalogues* catalogues = nullptr;
    bool pressQueued = false;
    void runEffects() override {
        pressQueued = true;
        markFrameDirty();
    }
    bool hasConditions() const override { return model && !model->conditions.empty(); }
    bool conditionsHold() override {
        return !model || !game || buttonOffered(*model, *game, *catalogues);
    }
};

PageButton& pageButtonOf(const std::unique_ptr<Button>& b) {
    return static_cast<PageButton&>(*b);
}

// The words' buttons, by the loader's rule (the last with the id, else the first).
int buttonIndexFor(PagePanel& page, int id) {
    const SectionButton* b = findButton(*page.model, id);
    return b ? static_cast<int>(b - page.model->buttons.data()) : -1;
}

// Fills a page from its section: the stock words and the script. Only the
// main page takes the section's combat.
void loadPageSection(Application& app, PagePanel& panel) {
    ScriptContext context{app.catalogues.conditionTypes, app.catalogues.effectTypes,
                          panel.model == &app.game.section ? &app.game.combat : nullptr,
                          &app.game.messages};
    loadSection(*panel.model, context);
}

void blit(SDL_Surface* image, SDL_Surface* screen, int x, int y) {
    if (!image || !screen) return;
    SDL_Rect at{static_cast<Sint16>(std::clamp(x, -32768, 32767)),
                static_cast<Sint16>(std::clamp(y, -32768, 32767)), 0, 0};
    blitSurface(image, nullptr, screen, &at);
}

SDL_Rect rectOf(const PageRect& r) {
    return SDL_Rect{static_cast<Sint16>(r.x), static_cast<Sint16>(r.y),
                    static_cast<Uint16>(std::max(0, r.w)), static_cast<Uint16>(std::max(0, r.h))};
}

// Repeats `tile` over the band, clipped to it.
void tileBand(SDL_Surface* screen, SDL_Surface* tile, SDL_Rect band, bool horizontal) {
    if (!tile || tile->w < 1 || tile->h < 1 || band.w == 0 || band.h == 0) return;
    SDL_SetClipRect(screen, &band);
    if (horizontal)
        for (int x = band.x; x < band.x + band.w; x += tile->w)
            blit(tile, screen, x, band.y);
    else
        for (int y = band.y; y < band.y + band.h; y += tile->h)
            blit(tile, screen, band.x, y);
    SDL_SetClipRect(screen, nullptr);
}

void drawBorder(Application& app, const PagePanel& page, SDL_Surface* screen) {
    SkinImages& skin = app.skin;
    if (!skin.tilesLoaded) loadPaperTiles(skin, app.screen.uiScale);
    auto tile = [&](int id) { return skin.paperTiles[id].get(); };
    SDL_Surface* left = tile(TILE_BORDER_LEFT);
    SDL_Surface* bl = tile(TILE_CORNER_BOTTOMLEFT);
    SDL_Surface* br = tile(TILE_CORNER_BOTTOMRIGHT);
    SDL_Surface* tl = tile(TILE_CORNER_TOPLEFT);
    SDL_Surface* tr = tile(TILE_CORNER_TOPRIGHT);
    if (!left || !bl || !br || !tl || !tr) return;
    const int x = page.rect.x, y = page.rect.y, w = page.rect.w, h = page.rect.h;
    const int l = left->w;
    const int bandX = x + bl->w - l;
    const int bandW = std::max(0, x + w + l - br->w - bandX);
    if (SDL_Surface* top = tile(TILE_BORDER_TOP))
        tileBand(screen, top,
                 SDL_Rect{static_cast<Sint16>(bandX), static_cast<Sint16>(y - top->h),
                          static_cast<Uint16>(bandW), static_cast<Uint16>(top->h)},
                 true);
    if (SDL_Surface* bottom = tile(TILE_BORDER_BOTTOM))
        tileBand(screen, bottom,
                 SDL_Rect{static_cast<Sint16>(bandX), static_cast<Sint16>(y + h),
                          static_cast<Uint16>(bandW), static_cast<Uint16>(bottom->h)},
                 true);
    tileBand(screen, left,
             SDL_Rect{static_cast<Sint16>(x - l), static_cast<Sint16>(y),
                      static_cast<Uint16>(l), static_cast<Uint16>(std::max(0, h))},
             false);
    if (SDL_Surface* right = tile(TILE_BORDER_RIGHT))
        tileBand(screen, right,
                 SDL_Rect{static_cast<Sint16>(x + w), static_cast<Sint16>(y),
                          static_cast<Uint16>(right->w), static_cast<Uint16>(std::max(0, h))},
                 false);
    blit(bl, screen, x - l, y + h);
    blit(br, screen, x + l + w - br->w, y + h);
    blit(tl, screen, x - l, y - tl->h);
    blit(tr, screen, x + l + w - tr->w, y - tl->h);
}

void drawPaper(Application& app, PagePanel& page, SDL_Surface* screen) {
    if (page.scrollOffset < 0) page.scrollOffset = 0;
    const int bottom = page.rect.y + page.rect.h;
    int y = page.rect.y - page.scrollOffset;
    if (SDL_Surface* top = app.skin.paperTop.get()) {
        blit(top, screen, page.rect.x, y);
        y += top->h;
    }
    SDL_Surface* paper = app.skin.paper.get();
    if (!paper || paper->h < 1) return;
    // Skip the copies wholly above the page in one step.
    if (y + paper->h <= page.rect.y) y += (page.rect.y - y) / paper->h * paper->h;
    for (; y < bottom; y += paper->h)
        if (y + paper->h > page.rect.y) blit(paper, screen, page.rect.x, y);
}

void buildScrollbarImages(Application& app, PageScrollbar& bar) {
    const int S = bar.built.size;
    SDL_Surface* raw = loadImage("data/gui", "scrollbar");
    const int w = scrollbarThumbWidth(S);
    SDL_Surface* thumb = scaleImage(raw, static_cast<double>(w) / std::max(1, raw->w));
    static const int shifts[4] = {-30, 0, 30, 60};
    for (int i = 0; i < 4; ++i)
        bar.thumbImages[i] = shareSurface(shiftBrightness(shifts[i], thumb));
    SDL_FreeSurface(thumb);
    SDL_FreeSurface(raw);
    SDL_Surface* back = loadImage("data/gui", "scrollback");
    const int trackH = scrollbarTrackHeight(S, bar.built.pageH);
    bar.trackImage = shareSurface(scaleImageTo(back, std::max(1, w), std::max(1, trackH)));
    SDL_FreeSurface(back);
    (void)app;
}

ScrollbarInput scrollbarInputFor(const PagePanel& page) {
    ScrollbarInput in;
    in.size = page.metrics.size;
    in.pageX = page.rect.x;
    in.pageY = page.rect.y;
    in.pageW = page.rect.w;
    in.pageH = page.rect.h;
    in.rightSide = page.rightSide;
    in.maxScroll = page.maxScroll;
    return in;
}

// Rebuilds the position's bar when its page or the page's length changed.
PageScrollbar& scrollbarFor(Application& app, int position, PagePanel& page) {
    PageScrollbar& bar = pageDeck(app).scrollBars[position];
    ScrollbarInput in = scrollbarInputFor(page);
    if (scrollbarNeedsRebuild(bar, page.slot, in)) {
        bar.built = in;
        buildScrollbarImages(app, bar);
        in.thumbImageHeight = bar.thumbImages[1] ? bar.thumbImages[1]->h : 0;
        setScrollbarGeometry(bar, page.slot, in, scrollbarThumbWidth(in.size));
    }
    return bar;
}

void drawScrollbar(Application& app, int position, PagePanel& page) {
    PageScrollbar& bar = scrollbarFor(app, position, page);
    SDL_Surface* screen = app.screen.surface;
    blit(bar.trackImage.get(), screen, bar.geometry.trackX, bar.geometry.trackTop);
    SDL_Surface* thumb = bar.thumbImages[thumbState(bar)].get();
    if (!thumb) return;
    // The thumb stretches to its share of the track.
    if (thumb->h != bar.geometry.thumbHeight) {
        for (auto& img : bar.thumbImages)
            if (img) img = shareSurface(scaleImageTo(img.get(), img->w, bar.geometry.thumbHeight));
        thumb = bar.thumbImages[thumbState(bar)].get();
    }
    blit(thumb, screen, bar.geometry.trackX, thumbTop(bar, page.scrollOffset));
}

PagePanel* panelAt(Application& app, int index) {
    PageDeck& deck = pageDeck(app);
    if (index < 0 || index >= static_cast<int>(deck.panels.size())) return nullptr;
    return deck.panels[index].get();
}

bool inside(const PageRect& r, int x, int y) {
    return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

// The panel under the mouse, else the default scroll panel.
PagePanel* scrollTarget(Application& app) {
    PageDeck& deck = pageDeck(app);
    for (int pos = 0; pos < 2; ++pos) {
        PagePanel* p = panelAt(app, deck.current[pos]);
        if (p && inside(p->rect, app.mouseX, app.mouseY)) return p;
    }
    return panelAt(app, deck.scrollPanel);
}

// AUTOEXECUTE buttons fire once they have scrolled into view.
bool inView(const PagePanel& page, const Button& b) {
    const int top = b.y - page.scrollOffset;
    return b.placed && top < page.rect.h && top >= -1 - (hitImage(b) ? hitImage(b)->h : 0) + 1;
}

// The digit keys' labels: each digit in the bold text font, in a thin key-cap
// box of the text colour, so that it reads as a key and not as the book's words.
void buildChoiceDigits(Application& app, PageDeck& deck) {
    const int S = baseSize(app);
    const RgbColor& c = app.settings.textColor;
    const long long key = ((S * 256LL + c.r) * 256 + c.g) * 256 + c.b;
    if (deck.digitImagesKey == key && deck.digitImages[0]) return;
    deck.digitImagesKey = key;
    TTF_Font* font = openFont(app.settings.textFont, std::max(6, S * 85 / 100));
    if (font) TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    const SDL_Color ink = textColour(app);
    const int pad = std::max(3, S / 4);
    for (int d = 0; d < 9; ++d) {
        const std::string text(1, static_cast<char>('1' + d));
        SDL_Surface* rendered = renderWord(font, text, ink, false);
        SDL_Surface* glyph = rendered ? toArgb(rendered) : nullptr;
        if (rendered) SDL_FreeSurface(rendered);
        const int gw = glyph ? glyph->w : S / 2, gh = glyph ? glyph->h : S;
        SDL_Surface* box = createArgbSurface(gw + 2 * pad, gh + 2);
        if (!box) {
            if (glyph) SDL_FreeSurface(glyph);
            deck.digitImages[d] = shareSurface(makePlaceholder());
            continue;
        }
        // All of it is ink: a faint wash inside, a firmer edge (corners left
        // out) and the digit, each pixel as opaque as the strongest of them.
        const Uint32 rgb = (Uint32{ink.r} << 16) | (Uint32{ink.g} << 8) | ink.b;
        {
            SurfaceLock lockBox(box);
            SurfaceLock lockGlyph(glyph);
            for (int y = 0; y < box->h; ++y) {
                Uint32* row = argbRow(box, y);
                for (int x = 0; x < box->w; ++x) {
                    const bool edgeX = x == 0 || x == box->w - 1, edgeY = y == 0 || y == box->h - 1;
                    Uint32 alpha = edgeX && edgeY ? 0 : edgeX || edgeY ? 170 : 28;
                    const int gx = x - pad, gy = y - 1;
                    if (glyph && gx >= 0 && gx < glyph->w && gy >= 0 && gy < glyph->h)
                        alpha = std::max(alpha, argbRow(glyph, gy)[gx] >> 24);
                    row[x] = (alpha << 24) | rgb;
                }
            }
        }
        if (glyph) SDL_FreeSurface(glyph);
        deck.digitImages[d] = shareSurface(finishSurface(box, true));
    }
    if (font) TTF_CloseFont(font);
}

int widestChoiceDigit(Application& app) {
    PageDeck& deck = pageDeck(app);
    buildChoiceDigits(app, deck);
    int widest = 0;
    for (const SurfacePtr& img : deck.digitImages)
        if (img) widest = std::max(widest, img->w);
    return widest;
}

// The room each choice keeps for its digit key's label; 0 while none is shown.
int digitRoomOf(Application& app, const PagePanel& page) {
    return showsChoiceDigits(app, page) ? choiceDigitRoom(page.metrics, widestChoiceDigit(app)) : 0;
}

void drawChoiceDigits(Application& app, PagePanel& page, SDL_Surface* screen) {
    PageDeck& deck = pageDeck(app);
    buildChoiceDigits(app, deck);
    const std::vector<Button*> list = digitButtons(page, pageTabBand(app, page));
    for (size_t n = 0; n < list.size() && n < 9; ++n) {
        const auto at = std::find_if(page.buttons.begin(), page.buttons.end(),
                                     [&](const auto& b) { return b.get() == list[n]; });
        const size_t i = static_cast<size_t>(at - page.buttons.begin());
        SDL_Surface* img = deck.digitImages[n].get();
        if (i >= page.layoutButtons.size() || !img) continue;
        LayoutButton lb = page.layoutButtons[i];
        SDL_Surface* state =
            list[n]->stateImages[std::clamp(list[n]->state, 0, STATE_COUNT - 1)].get();
        if (state) lb.stateHeight = state->h;
        const DigitSpot spot = choiceDigitSpot(lb, page.metrics, img->w, img->h);
        blit(img, screen, page.rect.x + spot.x, page.rect.y + spot.y - page.scrollOffset);
    }
}

// A section's picture, from the book or the fan art as the settings prefer,
// scaled to the page and made transparent when asked; null when neither is there.
SurfacePtr loadPagePicture(Application& app, const PagePanel& page, const std::string& code,
                           const std::string& name, int value) {
    const int S = baseSize(app);
    SDL_Surface* fan = loadImage("fanart" + std::to_string(page.book), name);
    SDL_Surface* own = loadImage(code + "/en/xhtml/gs/" + code, name);
    SDL_Surface* chosen = own;
    const int choice = app.settings.useFanArt;
    if (choice == 1 && isPlaceholder(own)) chosen = fan;
    if (choice == 2 && !isPlaceholder(fan)) chosen = fan;
    SDL_FreeSurface(chosen == fan ? own : fan);
    if (isPlaceholder(chosen)) {
        SDL_FreeSurface(chosen);
        return nullptr;
    }
    const double width = page.rect.w - S * 5.0 / 2.0;
    double factor = width * (value / 102.0) / std::max(1, chosen->w);
    if (factor * chosen->h > 0.96 * page.rect.h)
        factor = 0.96 * page.rect.h / std::max(1, chosen->h);
    SDL_Surface* scaled = scaleImage(chosen, std::max(0.001, factor));
    SDL_FreeSurface(chosen);
    if (app.settings.transparify) {
        SDL_Surface* clear = transparify(scaled, SDL_Color{0, 0, 0, 0});
        if (clear) {
            SDL_FreeSurface(scaled);
            scaled = clear;
        }
    }
    return shareSurface(scaled);
}

} // namespace

PageDeck& pageDeck(Application& app) {
    auto& slot = decks()[&app];
    if (!slot) slot = std::make_unique<PageDeck>();
    return *slot;
}

void prepareSectionPage(Application& app, PagePanel& page) {
    if (page.title == "Action Chart") {
        page.laidOut = true;
        return;
    }
    const int S = baseSize(app);
    const bool utf8 = page.book > 15;
    const SDL_Color colour = textColour(app);
    std::map<std::tuple<int, bool, bool>, std::pair<TTF_Font*, int>> fonts;
    auto fontFor = [&](int size, bool bold, bool italic) {
        const auto key = std::make_tuple(size, bold, italic);
        auto it = fonts.find(key);
        if (it != fonts.end()) return it->second;
        TTF_Font* f = openFont(app.settings.textFont, std::max(1, S * size / 100));
        int ascent = 0;
        if (f) {
            TTF_SetFontStyle(f, (bold ? TTF_STYLE_BOLD : 0) | (italic ? TTF_STYLE_ITALIC : 0));
            ascent = TTF_FontAscent(f);
        }
        return fonts[key] = {f, ascent};
    };

    // Base metrics of the section text font.
    const auto base = fontFor(100, false, false);
    page.metrics.size = S;
    page.metrics.ascent = base.second;
    page.metrics.lineSkip = base.first ? TTF_FontLineSkip(base.first) : S;
    int advance = S / 4;
    if (base.first) TTF_GlyphMetrics(base.first, ' ', nullptr, nullptr, nullptr, nullptr, &advance);
    page.metrics.space = advance;

    for (PageWord& w : page.model->words) {
        auto [font, ascent] = fontFor(w.size, w.bold, w.italic);
        w.image.reset();
        const size_t marker = w.text.find("FOOTNOTE:");
        if (marker != std::string::npos && w.text.size() > 9) {
            // The small marker is lifted above the base line.
            w.image = finish(renderWord(font, w.text.substr(9), colour, false));
            w.ascent = ascent * 14 / 10;
        } else {
            w.image = finish(renderWord(font, w.text, colour, utf8));
            w.ascent = ascent;
        }
        w.w = w.image->w;
        w.h = w.image->h;
    }
    for (auto& entry : fonts)
        if (entry.second.first) TTF_CloseFont(entry.second.first);
    prepareButtons(app, page);
    page.laidOut = true;
}

void prepareButtons(Application& app, PagePanel& page) {
    const int S = baseSize(app);
    // Widgets for the model's buttons.
    page.buttons.clear();
    const BookEntry* book = findBook(app.catalogues, page.book);
    const std::string code = book ? book->code : page.model->bookCode;
    std::vector<SectionButton>& models = page.model->buttons;
    for (size_t i = 0; i < models.size();) {
        SectionButton& m = models[i];
        auto b = std::make_unique<PageButton>();
        b->owner = &app;
        b->page = &page;
        b->id = m.id;
        b->value = m.value;
        b->onlyText = m.onlyText;
        b->valueAsLabel = m.valueAsLabel;
        b->pixelTest = false;
        b->needsClickLock = true;
        if (!m.picture.empty()) {
            if (m.value < 1) m.value = 100;
            // Everything the scaled picture depends on.
            const std::string key = std::to_string(page.book) + "/" + m.picture + " fan " +
                                    std::to_string(app.settings.useFanArt) + " clear " +
                                    std::to_string(app.settings.transparify) + " at " +
                                    std::to_string(m.value) + " in " + std::to_string(page.rect.w) +
                                    "x" + std::to_string(page.rect.h) + " S " + std::to_string(S);
            SurfacePtr picture = pageDeck(app).pictures.find(code, key);
            if (!picture) picture = loadPagePicture(app, page, code, m.picture, m.value);
            if (!picture) {
                // Neither picture is there: the button and its words go.
                for (PageWord& w : page.model->words)
                    if (w.isButton && w.buttonId == m.id) {
                        w.isButton = false;
                        w.buttonId = -1;
                        w.ignore = true;
                    }
                models.erase(models.begin() + static_cast<long>(i));
                continue;
            }
            pageDeck(app).pictures.put(code, key, picture);
            setPicture(*b, m.picture, picture);
            b->caption = " ";
            // A picture of colour 0 is only shown: a click on it does nothing,
            // so it takes none (and the digit keys and the log say so).
            b->colour = m.colour;
            b->clickable = m.colour != 0;
            const bool fanArt = m.picture.size() > 2 && m.picture.compare(0, 2, "fa") == 0 &&
                                std::atoi(m.picture.c_str() + 2) != 0;
            if (fanArt) setTooltip(*b, nullptr, "Fan Art`(Click to see large version of picture)");
        } else {
            setArt(*b, app.skin.buttonArt8);
            const RgbColor& bc = app.settings.buttonTextColor;
            const SDL_Color ink{bc.r, bc.g, bc.b, 0};
            setCaption(*b, m.shownText(), app.fonts.text, ink, 6, 0);
            // A caption wider than the line (less its digit's room) would run
            // off the sheet: it is set in a smaller size of the same font until it fits.
            const int line = page.rect.w - 2 * (S * 5 / 4) - digitRoomOf(app, page);
            for (int tries = 0; tries < 3 && line > 0; ++tries) {
                SDL_Surface* box = hitImage(*b);
                if (!box || box->w <= line) break;
                const int size = std::max(6, S * line / box->w - tries);
                FontPtr small = shareFont(openFont(app.settings.textFont, size));
                if (!small) break;
                setCaption(*b, m.shownText(), small, ink, 6, 0);
                if (size == 6) break;
            }
            setColour(*b, m.colour);
            if (!m.tooltip.empty()) setTooltip(*b, nullptr, m.tooltip);
        }
        b->model = &m;
        b->game = &app.game;
        b->catalogues = &app.catalogues;
        page.buttons.push_back(std::move(b));
        ++i;
    }
    // Erasing moved the models: point the widgets at their records again.
    for (size_t i = 0; i < page.buttons.size(); ++i)
        static_cast<PageButton&>(*page.buttons[i]).model = &models[i];
    page.revision = app.game.rulesState.pageRevision;
}

void layoutSectionPage(Application& app, PagePanel& page) {
    std::vector<PageWord>& words = page.model->words;
    page.layoutButtons.assign(page.buttons.size(), LayoutButton{});
    const int digitRoom = digitRoomOf(app, page);
    for (size_t i = 0; i < page.buttons.size(); ++i) {
        Button& b = *page.buttons[i];
        LayoutButton& lb = page.layoutButtons[i];
        SDL_Surface* box = hitImage(b);
        lb.width = box ? box->w : 0;
        lb.height = box ? box->h : 0;
        lb.hasPicture = static_cast<bool>(b.pictureImage);
        lb.unseen = b.caption == AUTOEXECUTE_CAPTION;
        lb.onlyText = b.onlyText;
        SDL_Surface* state = b.stateImages[std::clamp(b.state, 0, STATE_COUNT - 1)].get();
        lb.stateHeight = state ? state->h : lb.height;
        lb.hasCaption = static_cast<bool>(b.captionImage);
        lb.captionHeight = b.captionImage ? b.captionImage->h : 0;
        lb.captionOffsetY = b.captionOffsetY;
        // Every shown choice keeps the room, clickable or not just now, so
        // that the text does not move when a choice becomes available.
        if (!lb.hasPicture && !lb.unseen) lb.digitRoom = digitRoom;
    }
    std::vector<int> buttonOf(words.size(), -1);
    if (!page.buttons.empty())
        for (size_t i = 0; i < words.size(); ++i)
            if (words[i].isButton) buttonOf[i] = buttonIndexFor(page, words[i].buttonId);
    PageSize size{page.rect.w, page.rect.h, page.rightSide};
    size.topInset = pageTabBand(app, page);
    if (app.settings.paperShowScroll) {
        // The scroll strip lies over the bottom of the sheet: the last line
        // must scroll clear of it.
        SDL_Surface* strip =
            (page.rightSide ? app.skin.scrollStripRight : app.skin.scrollStrip).get();
        if (strip) size.bottomInset = strip->h * 4 / 10;
    }
    page.maxScroll = layoutWords(words, buttonOf, page.layoutButtons, page.metrics, size);
    for (size_t i = 0; i < page.buttons.size(); ++i) {
        page.buttons[i]->x = page.layoutButtons[i].x;
        page.buttons[i]->y = page.layoutButtons[i].y;
        page.buttons[i]->placed = page.layoutButtons[i].placed;
        page.buttons[i]->visible = page.layoutButtons[i].placed;
    }
    page.scrollOffset = std::clamp(page.scrollOffset, 0, page.maxScroll);
    page.laidOut = true;
    logPageLayout(page);
}

void showSectionPage(Application& app, PagePanel& page, bool keepPrevious) {
    if (page.shown) return;
    PageDeck& deck = pageDeck(app);
    const int position = page.rightSide ? 1 : 0;
    if (!keepPrevious) {
        PagePanel* before = panelAt(app, deck.current[position]);
        deck.previous[position] = deck.current[position];
        if (before && before != &page) unloadSectionPage(*before);
    }
    deck.current[position] = page.slot;
    // A book's own page (front matter) reads its words the first time it
    // shows. Only its text: it is there to be read, and its section script's
    // choices belong to the main page, where the rules offer them.
    if (page.model == &page.own && page.own.words.empty() && !page.own.sectionName.empty()) {
        MessageQueue unheard;
        loadSectionText(page.own, page.own.sectionName, unheard);
    }
    if (!page.laidOut) {
        prepareSectionPage(app, page);
        layoutSectionPage(app, page);
        page.scrollOffset = 0;
    }
    page.shown = true;
    // The border tiles and the scroll bar are made now, with the page, so
    // that the first frame that shows it only copies images.
    if (app.settings.paperShowBorder && !app.skin.tilesLoaded)
        loadPaperTiles(app.skin, app.screen.uiScale);
    scrollbarFor(app, position, page);
}

void unloadSectionPage(PagePanel& page) {
    if (!page.shown) return;
    if (page.laidOut) {
        for (PageWord& w : page.model->words)
            w.image.reset();
        page.buttons.clear();
        page.laidOut = false;
    }
    page.shown = false;
}

void scrollSectionPage(Application& app, PagePanel& page, int direction, bool byScreen) {
    (void)app;
    const int step = byScreen ? page.rect.h - page.metrics.lineSkip : page.metrics.lineSkip;
    const int before = page.scrollOffset;
    page.scrollOffset += direction <= 0 ? -step : step;
    page.scrollOffset = std::clamp(page.scrollOffset, 0, std::max(0, page.maxScroll));
    if (page.scrollOffset != before) logPageLayout(page);
}

void drawSectionPage(Application& app, PagePanel& page, int elapsedMs) {
    SDL_Surface* screen = app.screen.surface;
    if (!screen || !page.shown) return;
    if (!page.laidOut) {
        prepareSectionPage(app, page);
        layoutSectionPage(app, page);
    }
    if (app.settings.paperShowBorder) drawBorder(app, page, screen);
    SDL_Rect clip = rectOf(page.rect);
    SDL_SetClipRect(screen, &clip);
    drawPaper(app, page, screen);
    SDL_Rect words = clip;
    if (!page.buttons.empty() && page.buttons.front()->header) {
        SDL_Surface* h = hitImage(*page.buttons.front());
        const int below = page.buttons.front()->y + (h ? h->h : 0);
        words.y = static_cast<Sint16>(std::min<int>(page.rect.y + page.rect.h, page.rect.y + below));
        words.h = static_cast<Uint16>(std::max(0, page.rect.y + page.rect.h - words.y));
    }
    // Text and choices scroll under the tabs, never over them.
    const int band = pageTabBand(app, page);
    if (band > 0 && words.y < page.rect.y + band) {
        const int y = std::min(page.rect.y + page.rect.h, page.rect.y + band);
        words.h = static_cast<Uint16>(std::max(0, words.y + words.h - y));
        words.y = static_cast<Sint16>(y);
    }
    SDL_Rect below = clip;
    if (band > 0) below = words;
    SDL_SetClipRect(screen, &words);
    const int top = page.scrollOffset - 64, bottom = page.scrollOffset + page.rect.h;
    for (const PageWord& w : page.model->words) {
        if (w.ignore || (w.isButton && !page.buttons.empty()) || !w.image) continue;
        if (w.y + w.h < top || w.y > bottom) continue; // off the sheet's window
        blit(w.image.get(), screen, page.rect.x + w.x, page.rect.y + w.y - page.scrollOffset);
    }
    SDL_SetClipRect(screen, &below);
    // Under an open window the pointer belongs to the window: no choice lights
    // up or shows its tooltip over it.
    const int mouseX = topWindow(app.windowManager) ? -1000 : app.mouseX;
    for (auto& b : page.buttons) {
        if (!b->placed) continue;
        if (b->caption == AUTOEXECUTE_CAPTION) continue; // never drawn; fired by the rules
        drawButton(*b, screen, mouseX, app.mouseY, elapsedMs, page.rect.x,
                   page.rect.y - page.scrollOffset);
    }
    if (showsChoiceDigits(app, page)) drawChoiceDigits(app, page, screen);
    SDL_SetClipRect(screen, nullptr);
    if (app.settings.paperShowScroll) {
        SDL_Surface* strip =
            (page.rightSide ? app.skin.scrollStripRight : app.skin.scrollStrip).get();
        if (strip) blit(strip, screen, page.rect.x - page.rect.w / 40,
                        page.rect.y + page.rect.h - strip->h * 4 / 10);
    }
}

SurfacePtr PagePictureCache::find(const std::string& bookCode, const std::string& key) {
    if (bookCode != book) return nullptr;
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].key == key) {
            // Most recently used last.
            Entry used = std::move(entries[i]);
            entries.erase(entries.begin() + static_cast<long>(i));
            entries.push_back(std::move(used));
            return entries.back().image;
        }
    return nullptr;
}

void PagePictureCache::put(const std::string& bookCode, const std::string& key,
                           const SurfacePtr& image) {
    if (!image) return;
    if (bookCode != book) {
        clear();
        book = bookCode;
    }
    for (Entry& e : entries)
        if (e.key == key) {
            e.image = image;
            return;
        }
    entries.push_back({key, image});
    auto bytes = [](const Entry& e) { return static_cast<size_t>(e.image->pitch) * e.image->h; };
    size_t total = 0;
    for (const Entry& e : entries)
        total += bytes(e);
    // The newest stays, whatever its size.
    while (total > budget && entries.size() > 1) {
        total -= bytes(entries.front());
        entries.erase(entries.begin());
    }
}

void forgetPagePictures(Application& app) {
    pageDeck(app).pictures.clear();
}

void releasePagePanels(Application& app) {
    // Before the fonts and the file system go: captions hold their font.
    decks().erase(&app);
}

void resetPagePanels(Application& app) {
    PageDeck& deck = pageDeck(app);
    for (auto& p : deck.panels)
        unloadSectionPage(*p);
    deck.panels.clear();
    deck.tabs.clear();
    deck.tabsShownFor = deck.tabWanted = -1;
    deck.current[0] = deck.current[1] = -1;
    deck.previous[0] = deck.previous[1] = -1;
    for (PageScrollbar& bar : deck.scrollBars)
        bar = PageScrollbar();
    const int book = std::max(1, app.game.character.onBook);
    const BookEntry* entry = findBook(app.catalogues, book);
    auto add = [&](const std::string& title) {
        auto p = std::make_unique<PagePanel>();
        p->slot = static_cast<int>(deck.panels.size());
        p->title = title;
        p->book = book;
        p->rect = app.pageRects[0];
        p->own.bookCode = entry ? entry->code : "";
        deck.panels.push_back(std::move(p));
        return deck.panels.back().get();
    };
    PagePanel* main = add("Section");
    main->model = &app.game.section;
    // The book's own front-matter pages, shown on the right; the first entry
    // is the section text, which the main page shows, so that each page's
    // slot is its index in the book's table.
    for (const FrontMatterPage& f : app.catalogues.frontMatter) {
        if (f.file.empty() || f.index == 0) continue;
        PagePanel* p = add(f.name);
        p->rightSide = true;
        p->rect = app.pageRects[1];
        p->own.sectionName = f.file;
    }
    deck.scrollPanel = 0;
}

namespace {

PagePanel& mainPanel(Application& app) {
    PageDeck& deck = pageDeck(app);
    if (deck.panels.empty()) resetPagePanels(app);
    return *deck.panels.front();
}

} // namespace

void showMainPage(Application& app) {
    PagePanel& main = mainPanel(app);
    unloadSectionPage(main);
    main.book = std::max(1, app.game.character.onBook);
    main.rect = app.pageRects[main.rightSide ? 1 : 0];
    main.shown = false;
    showSectionPage(app, main, false);
    main.scrollOffset = 0;
    logPageLayout(main);
}

void turnMainPageTo(Application& app, const std::string& sectionName) {
    PagePanel& main = mainPanel(app);
    unloadSectionPage(main);
    const BookEntry* entry = findBook(app.catalogues, std::max(1, app.game.character.onBook));
    SectionPage& page = app.game.section;
    page.bookCode = entry ? entry->code : page.bookCode;
    page.sectionName = sectionName;
    page.resetRules();
    loadPageSection(app, main);
    showMainPage(app);
}

void refreshPageButtons(Application& app, PagePanel& page) {
    if (!page.shown || !page.laidOut) return;
    const int scroll = page.scrollOffset;
    prepareButtons(app, page);
    layoutSectionPage(app, page);
    page.scrollOffset = std::clamp(scroll, 0, page.maxScroll);
    logPageLayout(page);
}

void runPagePresses(Application& app, PagePanel& page) {
    if (!page.shown || !page.laidOut) return;
    // AUTOEXECUTE buttons fire once in view; queued clicks go to the rules.
    std::vector<SectionButton*> pressed;
    for (auto& b : page.buttons) {
        PageButton& pb = pageButtonOf(b);
        if (!pb.model) continue;
        if (pb.model->autoExecute()) {
            autoExecuteIfDue(*pb.model, inView(page, pb), app.game, app.catalogues);
        } else if (pb.pressQueued) {
            pb.pressQueued = false;
            pressed.push_back(pb.model);
        }
    }
    for (SectionButton* m : pressed) pressButton(*m, app.game, app.catalogues);
    if (page.revision != app.game.rulesState.pageRevision) refreshPageButtons(app, page);
}

const char* const OPENING_PAGE_FILES[OPENING_PAGE_COUNT] = {"gamerulz", "discplnz", "equipmnt"};
const char* const OPENING_PAGE_TABS[OPENING_PAGE_COUNT] = {"Game Rules", "Disciplines",
                                                           "Equipment"};

int shownOpeningPage(Application& app) {
    PageDeck& deck = pageDeck(app);
    if (!app.playing || deck.panels.empty() || app.game.rulesState.heroActive) return -1;
    const std::string& name = app.game.section.sectionName;
    for (int i = 0; i < OPENING_PAGE_COUNT; ++i)
        if (name == OPENING_PAGE_FILES[i]) return i;
    return -1;
}

void refreshPageTabs(Application& app) {
    PageDeck& deck = pageDeck(app);
    const int shown = shownOpeningPage(app);
    if (shown == deck.tabsShownFor) return;
    deck.tabs.clear();
    deck.tabsShownFor = shown;
    markFrameDirty();
    PagePanel* main = deck.panels.empty() ? nullptr : deck.panels.front().get();
    if (shown < 0) {
        // The section takes the whole sheet again.
        if (main && main->laidOut) layoutSectionPage(app, *main);
        return;
    }
    if (!main) return;
    // A row of tabs along the top of the main page: the Action Chart has the
    // other position, and the text is laid out below the row.
    const PageRect& r = main->rect;
    const int S = baseSize(app);
    const int margin = std::max(2, S / 2);
    const int left = S * 3 / 2; // clear of the scroll bar
    const int tabW = std::max(8, (r.w - left - margin) / OPENING_PAGE_COUNT);
    SDL_Surface* raw = loadImage("data/gui", "tab");
    const double scale = static_cast<double>(tabW) / std::max(1, raw->w);
    SurfacePtr art = shareSurface(scaleImageTo(raw, tabW, std::max(4, static_cast<int>(raw->h * scale))));
    SDL_FreeSurface(raw);
    const RgbColor& ink = app.settings.textColor;
    for (int i = 0; i < OPENING_PAGE_COUNT; ++i) {
        auto tab = std::make_unique<Button>();
        tab->owner = &app;
        tab->id = i;
        tab->pixelTest = false;
        tab->needsClickLock = true;
        setCaption(*tab, OPENING_PAGE_TABS[i], app.fonts.tip, SDL_Color{ink.r, ink.g, ink.b, 0}, 0,
                   0);
        setShadedImages(*tab, art, 30, -30);
        setTooltip(*tab, nullptr, std::string("Read the page \"") + OPENING_PAGE_TABS[i] + "\"");
        tab->x = r.x + left + i * tabW;
        tab->y = r.y + margin / 2;
        tab->placed = true;
        // The open page's tab stands out and takes no clicks.
        tab->clickable = i != shown;
        tab->colour = tab->clickable ? 1 : 0;
        if (!tab->clickable && art)
            tab->stateImages[STATE_UNCLICKABLE] = shareSurface(shiftBrightness(40, art.get()));
        tab->onRun = [&app, i](Button&) { pageDeck(app).tabWanted = i; };
        deck.tabs.push_back(std::move(tab));
    }
    if (main->laidOut) layoutSectionPage(app, *main);
}

int pageTabBand(Application& app, const PagePanel& page) {
    PageDeck& deck = pageDeck(app);
    if (deck.tabs.empty() || deck.panels.empty() || deck.panels.front().get() != &page) return 0;
    int bottom = 0;
    for (const auto& tab : deck.tabs)
        if (SDL_Surface* img = hitImage(*tab)) bottom = std::max(bottom, tab->y + img->h);
    return std::max(0, bottom - page.rect.y);
}

void drawPagePanels(Application& app, int elapsedMs) {
    PageDeck& deck = pageDeck(app);
    if (deck.digitsShown != app.settings.showChoiceDigits) {
        // The option changed: the choices gain or lose the room for their
        // digits, and a caption that filled the line is fitted again.
        deck.digitsShown = app.settings.showChoiceDigits;
        for (int pos = 0; pos < 2; ++pos)
            if (PagePanel* p = panelAt(app, deck.current[pos])) refreshPageButtons(app, *p);
        markFrameDirty();
    }
    pagePanelsMotion(app, app.mouseX, app.mouseY); // drags follow the pointer
    for (int pos = 0; pos < 2; ++pos) {
        PagePanel* p = panelAt(app, deck.current[pos]);
        if (!p || !p->shown) continue;
        const int before = p->scrollOffset;
        drawSectionPage(app, *p, elapsedMs);
        drawScrollbar(app, pos, *p);
        if (p->scrollOffset != before) logPageLayout(*p);
        runPagePresses(app, *p);
        // A pointed-at choice still counts towards its tooltip; a drag moves on.
        bool waiting = deck.scrollBars[pos].dragging;
        for (const auto& b : p->buttons)
            waiting = waiting || b->hovered || b->runPending;
        if (waiting) markFrameDirty();
    }
    for (auto& tab : deck.tabs)
        drawButton(*tab, app.screen.surface, app.mouseX, app.mouseY, elapsedMs, 0, 0);
    if (deck.tabWanted >= 0 && deck.tabWanted < OPENING_PAGE_COUNT) {
        const int wanted = deck.tabWanted;
        deck.tabWanted = -1;
        turnMainPageTo(app, OPENING_PAGE_FILES[wanted]);
        refreshPageTabs(app);
    }
}

void pagePanelsMouse(Application& app, int x, int y, bool down) {
    PageDeck& deck = pageDeck(app);
    for (auto& tab : deck.tabs) {
        if (!tab->clickable) continue;
        if (down) {
            if (hitTest(*tab, x, y) && !app.clickLock) tab->pressed = true;
        } else if (tab->pressed) {
            tab->pressed = false;
            if (hitTest(*tab, x, y)) {
                tab->runPending = true;
                app.clickLock = true;
            }
        }
    }
    for (int pos = 0; pos < 2; ++pos) {
        PagePanel* p = panelAt(app, deck.current[pos]);
        if (!p || !p->shown) continue;
        PageScrollbar& bar = scrollbarFor(app, pos, *p);
        const int before = p->scrollOffset;
        if (down)
            scrollbarMouseDown(bar, x, y, p->scrollOffset);
        else
            scrollbarMouseUp(bar);
        if (p->scrollOffset != before) logPageLayout(*p);
        if (!inside(p->rect, x, y) || y < p->rect.y + pageTabBand(app, *p)) continue;
        // Section choices take presses like the play screen's other buttons.
        for (auto& b : p->buttons) {
            if (!b->placed || !b->visible || !b->clickable) continue;
            if (down) {
                if (hitTest(*b, x, y) && (!b->needsClickLock || !app.clickLock)) b->pressed = true;
            } else if (b->pressed) {
                b->pressed = false;
                if (hitTest(*b, x, y)) {
                    b->runPending = true;
                    app.clickLock = true;
                }
            }
        }
    }
}

void pagePanelsMotion(Application& app, int x, int y) {
    PageDeck& deck = pageDeck(app);
    for (int pos = 0; pos < 2; ++pos) {
        PagePanel* p = panelAt(app, deck.current[pos]);
        if (!p || !p->shown) continue;
        const int before = p->scrollOffset;
        scrollbarMotion(scrollbarFor(app, pos, *p), x, y, p->scrollOffset);
        if (p->scrollOffset != before) logPageLayout(*p);
    }
}

void scrollPagePanels(Application& app, int direction, bool byPage) {
    if (PagePanel* p = scrollTarget(app)) scrollSectionPage(app, *p, direction, byPage);
}

void pagePanelsHomeEnd(Application& app, bool end) {
    PagePanel* p = scrollTarget(app);
    if (!p) return;
    p->scrollOffset = end ? p->maxScroll : 0;
    logPageLayout(*p);
}

std::vector<Button*> digitButtons(PagePanel& page, int topBand) {
    std::vector<Button*> list;
    for (auto& b : page.buttons) {
        if (!b->placed || !b->visible || !b->clickable || b->pictureImage) continue;
        if (b->caption == AUTOEXECUTE_CAPTION) continue;
        const int top = b->y - page.scrollOffset;
        SDL_Surface* img = hitImage(*b);
        const int h = img ? img->h : 0;
        if (top + h <= topBand || top >= page.rect.h) continue;
        list.push_back(b.get());
    }
    std::stable_sort(list.begin(), list.end(), [](const Button* a, const Button* b) {
        return a->y != b->y ? a->y < b->y : a->x < b->x;
    });
    return list;
}

bool showsChoiceDigits(Application& app, const PagePanel& page) {
    return app.settings.showChoiceDigits && !page.rightSide &&
           pageDeck(app).current[0] == page.slot;
}

bool pressDigitButton(Application& app, int digit) {
    PagePanel* p = panelAt(app, pageDeck(app).current[0]);
    if (!p || !p->shown || digit < 1 || digit > 9) return false;
    std::vector<Button*> list = digitButtons(*p, pageTabBand(app, *p));
    if (digit > static_cast<int>(list.size())) return false;
    list[static_cast<size_t>(digit - 1)]->runPending = true;
    return true;
}

void switchPagePanel(Application& app, int button) {
    // Buttons 1 to 4 show the front-matter pages in the right position in turn.
    PageDeck& deck = pageDeck(app);
    if (deck.panels.size() < 2) return;
    const int count = static_cast<int>(deck.panels.size()) - 1;
    int next = deck.current[1] < 1 ? 1 : deck.current[1] + (button <= 2 ? -1 : 1);
    if (next < 1) next = count;
    if (next > count) next = 1;
    if (PagePanel* p = panelAt(app, next)) showSectionPage(app, *p, false);
}

void logPageLayout(const PagePanel& page) {
    static const char* path = std::getenv("QH_LAYOUT_LOG");
    if (!path || !*path) return;
    FILE* f = std::fopen(path, "a");
    if (!f) return;
    std::fprintf(f, "page %d section %s rect %d %d %d %d scroll %d max %d\n", page.slot,
                 page.model->sectionName.c_str(), page.rect.x, page.rect.y, page.rect.w,
                 page.rect.h, page.scrollOffset, page.maxScroll);
    // The digit key that presses each choice of the left-hand page (0: none).
    std::vector<Button*> digits;
    if (theApp && pageDeck(*theApp).current[0] == page.slot) {
        PagePanel& shown = const_cast<PagePanel&>(page);
        digits = digitButtons(shown, pageTabBand(*theApp, shown));
    }
    for (const auto& b : page.buttons) {
        SDL_Surface* img = hitImage(*b);
        if (!b->placed || !img) continue;
        const auto at = std::find(digits.begin(), digits.end(), b.get());
        const int digit = at == digits.end() || at - digits.begin() >= 9
                              ? 0
                              : static_cast<int>(at - digits.begin()) + 1;
        std::fprintf(f, "page %d button %d at %d %d clickable %d digit %d\n", page.slot, b->id,
                     page.rect.x + b->x + img->w / 2,
                     page.rect.y + b->y - page.scrollOffset + img->h / 2, b->clickable ? 1 : 0,
                     digit);
    }
    if (page.slot == 0 && theApp)
        for (const auto& tab : pageDeck(*theApp).tabs) {
            SDL_Surface* img = hitImage(*tab);
            if (img)
                std::fprintf(f, "tab %d at %d %d clickable %d\n", tab->id, tab->x + img->w / 2,
                             tab->y + img->h / 2, tab->clickable ? 1 : 0);
        }
    std::fclose(f);
}
