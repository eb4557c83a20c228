#include "ui/window_layout.h"

#include "app/application.h"
#include "ui/blit.h"
#include "ui/image.h"

#include <algorithm>

namespace {

SDL_Color toColour(const RgbColor& c) {
    return SDL_Color{c.r, c.g, c.b, 0};
}

const FontPtr& fontFor(Application& app, int font) {
    if (font == FONT_TIP) return app.fonts.tip;
    if (font == FONT_MENU_SMALL) return app.fonts.menuSmall;
    return app.fonts.menu;
}

double scaleOf(const Application& app) {
    return app.screen.uiScale > 0 ? app.screen.uiScale : 1.0;
}

WindowPlacement* placementOf(GameWindow& w, int id) {
    for (WindowPlacement& p : w.placements)
        if (p.buttonId == id) return &p;
    return nullptr;
}

Button& newButton(GameWindow& w, int id, double xPercent, int align, int y, int font) {
    w.buttons.push_back(std::make_unique<Button>());
    Button& b = *w.buttons.back();
    b.owner = w.app;
    b.id = id;
    w.placements.push_back({id, xPercent, align, y, font});
    return b;
}

} // namespace

namespace {

// Gives `w` its pixel size, a background of that size (shared with any window
// of the same size) and its resting place on the screen.
void setWindowSize(Application& app, GameWindow& w, int width, int height) {
    w.width = std::max(1, width);
    w.height = std::max(1, height);
    w.background.reset();
    w.cover = SDL_Rect{0, 0, 0, 0};
    // Most windows have the main menu's size: scale the background once for them all.
    for (const auto& other : app.windowManager.table)
        if (other.get() != &w && other->background && other->width == w.width &&
            other->height == w.height) {
            w.background = other->background;
            w.cover = other->cover;
        }
    SDL_Surface* screen = app.screen.surface;
    if (!w.background && app.skin.menuBackground) {
        w.background = shareSurface(scaleImageTo(app.skin.menuBackground.get(), w.width, w.height));
        w.cover = opaqueInterior(w.background.get(), screen);
    }
    const int sw = screen ? screen->w : 800, sh = screen ? screen->h : 600;
    SDL_Rect r = restingPosition(w.width, w.height, sw, sh, app.playing);
    w.x = r.x;
    w.y = r.y;
}

} // namespace

GameWindow& addWindow(Application& app, int id, int width, int height) {
    auto win = std::make_unique<GameWindow>();
    GameWindow& w = *win;
    w.app = &app;
    w.id = id;
    const double s = scaleOf(app);
    setWindowSize(app, w, static_cast<int>(width * s), static_cast<int>(height * s));
    app.windowManager.table.push_back(std::move(win));
    return w;
}

void resizeWindow(Application& app, GameWindow& w, int width, int height) {
    if (w.width == width && w.height == height) return;
    setWindowSize(app, w, width, height);
    for (auto& b : w.buttons)
        placeButton(w, *b);
}

void placeButton(GameWindow& w, Button& b) {
    const WindowPlacement* p = placementOf(w, b.id);
    if (!p) return;
    SDL_Surface* box = hitImage(b);
    const int bw = box ? box->w : 0, bh = box ? box->h : 0;
    const int anchorX = static_cast<int>(w.width * p->xPercent / 100.0);
    b.centred = false;
    b.x = p->align == ALIGN_LEFT    ? anchorX
          : p->align == ALIGN_RIGHT ? anchorX - bw
                                    : anchorX - bw / 2;
    if (p->y < 0) {
        b.y = static_cast<int>(w.height * (-p->y) / 100.0) - bh / 2;
    } else {
        // Rows of the label font, below a margin of one row.
        const FontPtr& f = fontFor(*w.app, p->font);
        const int line = f ? TTF_FontLineSkip(f.get()) : 20;
        b.y = line * (p->y + 1);
    }
}

Button& addLabel(Application& app, GameWindow& w, int id, const std::string& caption, int font,
                 double xPercent, int align, int y) {
    Button& b = newButton(w, id, xPercent, align, y, font);
    b.clickable = false;
    b.enabled = false;
    b.onlyText = false;
    b.colour = 0;
    setCaption(b, caption, fontFor(app, font), toColour(app.settings.menuTextColor), 0, 0, true);
    // A label is its caption alone: no button art behind it.
    for (SurfacePtr& s : b.stateImages)
        s.reset();
    placeButton(w, b);
    return b;
}

Button& addButton(Application& app, GameWindow& w, int id, const std::string& caption,
                  const std::string& tooltip, int styleSet, int font, double xPercent, int align,
                  int y) {
    Button& b = newButton(w, id, xPercent, align, y, font);
    setArt(b, app.skin.buttonArt4);
    b.colour = std::clamp(styleSet, 1, 3);
    const double s = scaleOf(app);
    setCaption(b, caption, fontFor(app, font), toColour(app.settings.buttonTextColor),
               static_cast<int>(14 * s), static_cast<int>(6 * s), false);
    if (!tooltip.empty()) setTooltip(b, nullptr, tooltip);
    placeButton(w, b);
    return b;
}

Button& addPicture(Application& app, GameWindow& w, int id, SDL_Surface* image, int maxW, int maxH,
                   double xPercent, int align, int y) {
    Button& b = newButton(w, id, xPercent, align, y, FONT_MENU);
    b.clickable = false;
    b.enabled = false;
    setPictureImage(w, id, image, static_cast<int>(maxW * scaleOf(app)),
                    static_cast<int>(maxH * scaleOf(app)));
    return b;
}

void setPictureImage(GameWindow& w, int id, SDL_Surface* image, int maxW, int maxH) {
    Button* b = findButton(w, id);
    if (!b || !image) {
        if (image) SDL_FreeSurface(image);
        return;
    }
    double fit = std::min(static_cast<double>(maxW) / std::max(1, image->w),
                          static_cast<double>(maxH) / std::max(1, image->h));
    SDL_Surface* scaled = isPlaceholder(image) ? image : scaleImage(image, fit);
    if (scaled != image) SDL_FreeSurface(image);
    setPicture(*b, "", shareSurface(scaled));
    placeButton(w, *b);
}

void setLabelText(Application&, GameWindow& w, int id, const std::string& caption) {
    Button* b = findButton(w, id);
    if (!b || b->caption == caption) return;
    const bool label = !b->clickable && !b->stateImages[STATE_CLICKABLE];
    b->caption = caption;
    refreshCaption(*b);
    if (label)
        for (SurfacePtr& s : b->stateImages)
            s.reset();
    placeButton(w, *b);
}

void setButtonTooltip(GameWindow& w, int id, const std::string& tooltip) {
    Button* b = findButton(w, id);
    if (b && b->tooltipText != tooltip) setTooltip(*b, nullptr, tooltip);
}

void setButtonEnabled(GameWindow& w, int id, bool enabled) {
    Button* b = findButton(w, id);
    if (!b) return;
    b->enabled = enabled;
    b->clickable = enabled;
    b->state = enabled ? STATE_CLICKABLE : STATE_UNCLICKABLE;
}

void setButtonVisible(GameWindow& w, int id, bool visible) {
    Button* b = findButton(w, id);
    if (b) b->visible = visible;
}

void setChosen(GameWindow& w, int id, bool chosen) {
    Button* b = findButton(w, id);
    if (!b || (b->value != 0) == chosen) return;
    // The current choice looks pressed in; `value` is free on window buttons.
    b->value = chosen ? 1 : 0;
    setColour(*b, b->colour);
    if (chosen && b->stateImages[STATE_PRESSED]) {
        b->stateImages[STATE_CLICKABLE] = b->stateImages[STATE_PRESSED];
        b->stateImages[STATE_OVER] = b->stateImages[STATE_PRESSED];
    }
}

void setButtonPadding(GameWindow& w, Button& b, int paddingX, int paddingY) {
    b.paddingX = paddingX;
    b.paddingY = paddingY;
    refreshCaption(b);
    placeButton(w, b);
}

void setButtonWidth(GameWindow& w, Button& b, int width) {
    const int captionW = b.captionImage ? b.captionImage->w : 0;
    setButtonPadding(w, b, std::max(b.paddingX, (width - captionW) / 2), b.paddingY);
}
