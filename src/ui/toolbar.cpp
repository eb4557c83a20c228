// Tool bar and title bar rules: placement, visibility, clicks. No drawing here.
#include "ui/toolbar.h"

#include <algorithm>
#include <cmath>

int mainMenuButtonSide(int screenH) {
    // The square must stay big enough to carry its two words.
    return std::clamp(screenH / 10, 8, 96);
}

double awardMedalScale(int imageH, int screenH) {
    if (imageH <= 0 || screenH <= 0) return 1.0;
    return screenH * 0.3 / imageH;
}

SDL_Rect toolbarPlacement(int id, int screenW, int screenH, int imageW, int imageH) {
    int x = 0, y = 0;
    switch (id) {
    case TOOLBAR_MAIN_MENU: // centred at the top
        x = (screenW - imageW) / 2;
        break;
    case TOOLBAR_MINIMIZE: // beside the close button, a tenth of a width apart
        x = screenW - static_cast<int>(std::lround(2.1 * imageW));
        break;
    case TOOLBAR_QUIT: // top right corner
        x = screenW - imageW;
        break;
    case TOOLBAR_AWARD: // bottom right corner
        x = screenW - imageW;
        y = screenH - imageH;
        break;
    default: // the hidden page switches have no place of their own yet
        break;
    }
    return SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(imageW),
                    static_cast<Uint16>(imageH)};
}

bool toolbarButtonShownAtStart(int id, bool fullScreen) {
    switch (id) {
    case TOOLBAR_MAIN_MENU:
        return true;
    case TOOLBAR_MINIMIZE:
    case TOOLBAR_QUIT: // a window has its own title bar buttons
        return fullScreen;
    default: // page switches, and the medal until an award is earned
        return false;
    }
}

void headerMouse(ButtonList& buttons, bool& clickLock, int x, int y, bool down) {
    for (auto& bp : buttons) {
        if (!bp) continue;
        Button& b = *bp;
        if (!hitTest(b, x, y)) continue;
        if (!b.enabled || !b.visible || !b.clickable) continue;
        if (b.needsClickLock && clickLock) continue;
        if (down) {
            b.pressed = true;
        } else if (b.pressed) {
            b.pressed = false;
            b.clicked = true;
            clickLock = true;
        }
    }
    if (down) return;
    for (auto& bp : buttons)
        if (bp) bp->pressed = false;
}

Button* toolbarButton(ButtonList& buttons, int id) {
    if (id < 0 || id >= TOOLBAR_BUTTON_COUNT || id >= static_cast<int>(buttons.size()))
        return nullptr;
    Button* b = buttons[id].get();
    // Tool bar buttons sit on the screen, not on a page, in ID order.
    return b && b->id == id && !b->page ? b : nullptr;
}

int takeToolbarClick(ButtonList& buttons) {
    for (int id = 0; id < TOOLBAR_BUTTON_COUNT; ++id) {
        Button* b = toolbarButton(buttons, id);
        if (b && b->clicked) {
            b->clicked = false;
            return id;
        }
    }
    return -1;
}

void setToolbarButtonVisible(ButtonList& buttons, int id, bool visible) {
    Button* b = toolbarButton(buttons, id);
    if (!b) return;
    b->visible = visible;
    if (!visible) b->pressed = b->clicked = false;
}

void replaceToolbar(ButtonList& buttons, ButtonList toolbar) {
    int old = 0;
    while (old < TOOLBAR_BUTTON_COUNT && toolbarButton(buttons, old))
        ++old;
    buttons.erase(buttons.begin(), buttons.begin() + old);
    buttons.insert(buttons.begin(), std::make_move_iterator(toolbar.begin()),
                   std::make_move_iterator(toolbar.end()));
}

namespace {

// A w x h image scaled by `scale`, centred on (centreX, centreY of the band).
SDL_Rect centredRect(int w, int h, double scale, int centreX, int bandHeight) {
    const int sw = std::max(1, static_cast<int>(w * scale));
    const int sh = std::max(1, static_cast<int>(h * scale));
    return SDL_Rect{static_cast<Sint16>(centreX - sw / 2),
                    static_cast<Sint16>(std::max(0, (bandHeight - sh) / 2)),
                    static_cast<Uint16>(sw), static_cast<Uint16>(sh)};
}

} // namespace

TitleBarLayout layoutTitleBar(const TitleBarSpace& s, int logoW, int logoH, int frameW, int frameH,
                              double uiScale) {
    TitleBarLayout out;
    const int W = s.screenW;
    if (W <= 0 || s.bandHeight <= 0) return out;
    const int margin = std::max(2, s.screenH / 100);
    const int height = std::max(1, s.bandHeight - 2 * margin);
    const int menuHalf = s.menuButtonSide / 2;
    // The skins tool their corners; the title bar keeps off them.
    const int outer = W * 8 / 100;

    // Left of the menu square: the logo, as large as the band allows.
    const int left0 = outer, left1 = W / 2 - menuHalf - margin;
    if (logoW > 0 && logoH > 0 && left1 > left0) {
        const double fit = std::min(static_cast<double>(left1 - left0) / logoW,
                                    static_cast<double>(height) / logoH);
        out.logo = centredRect(logoW, logoH, fit, (left0 + left1) / 2, s.bandHeight);
    }

    // Right of it: the book's title, clear of the minimise and close buttons.
    const int right0 = W / 2 + menuHalf + margin;
    const int right1 = W - std::max(outer, s.cornerReserve + margin);
    if (frameW > 0 && frameH > 0 && right1 > right0) {
        const double fit = std::min({uiScale, static_cast<double>(right1 - right0) / frameW,
                                     static_cast<double>(height) / frameH});
        out.frame = centredRect(frameW, frameH, fit, (right0 + right1) / 2, s.bandHeight);
    }
    return out;
}

int titleBarFontSize(int frameHeight) {
    return std::max(1, frameHeight * 45 / 100);
}

bool titleBarNeedsBuild(const TitleBar& bar, int book, const std::string& logoName, int screenW,
                        int screenH, bool startPending) {
    if (startPending) return false;
    return bar.book != book || bar.logoName != logoName || bar.screenW != screenW ||
           bar.screenH != screenH;
}
