// Drawing the open windows each frame and handing them the mouse.
#include "app/application.h"
#include "ui/blit.h"
#include "ui/frame_dirty.h"
#include "ui/window_layout.h"
#include "ui/windows.h"

#include <algorithm>

namespace {

constexpr int CURSOR_BLINK_MS = 500;
constexpr float CREDITS_SPEED = 30.0f; // pixels per second

int screenW(const Application& app) {
    return app.screen.surface ? app.screen.surface->w : 800;
}
int screenH(const Application& app) {
    return app.screen.surface ? app.screen.surface->h : 600;
}

// Where the window is drawn this frame.
SDL_Rect drawnRect(const Application& app, const GameWindow& w) {
    if (w.state == WINDOW_OPENING || w.state == WINDOW_CLOSING)
        return slidePosition(w, w.openMode,
                             static_cast<float>(w.animTime) / static_cast<float>(WINDOW_SLIDE_MS),
                             w.state == WINDOW_OPENING, screenW(app), screenH(app));
    SDL_Rect r;
    r.x = static_cast<Sint16>(w.x);
    r.y = static_cast<Sint16>(w.y);
    r.w = static_cast<Uint16>(w.width);
    r.h = static_cast<Uint16>(w.height);
    return r;
}

SDL_Rect creditsBand(const SDL_Rect& window) {
    SDL_Rect r = window;
    r.y = static_cast<Sint16>(window.y + window.h * 36 / 100);
    r.h = static_cast<Uint16>(window.h * 44 / 100);
    return r;
}

SDL_Rect intersect(const SDL_Rect& a, const SDL_Rect& b) {
    const int x0 = std::max<int>(a.x, b.x), y0 = std::max<int>(a.y, b.y);
    const int x1 = std::min<int>(a.x + a.w, b.x + b.w), y1 = std::min<int>(a.y + a.h, b.y + b.h);
    SDL_Rect r;
    r.x = static_cast<Sint16>(x0);
    r.y = static_cast<Sint16>(y0);
    r.w = static_cast<Uint16>(std::max(0, x1 - x0));
    r.h = static_cast<Uint16>(std::max(0, y1 - y0));
    return r;
}

void advanceCredits(GameWindow& w, int elapsedMs) {
    if (!w.autoScroll || w.buttons.empty()) return;
    markFrameDirty(); // the credits keep moving
    w.scrollOffset += CREDITS_SPEED * static_cast<float>(elapsedMs) / 1000.0f;
    const Button& last = *w.buttons.back();
    SDL_Surface* img = hitImage(last);
    const int bottom = last.y + (img ? img->h : 0) - static_cast<int>(w.scrollOffset);
    if (bottom < -25) w.scrollOffset = 0;
}

void drawWindow(Application& app, GameWindow& w, bool top, int elapsedMs) {
    SDL_Surface* screen = app.screen.surface;
    if (!screen) return;
    const SDL_Rect at = drawnRect(app, w);
    if (w.background && !w.hideBackground) {
        SDL_Rect dst = at;
        blitSurface(w.background.get(), nullptr, screen, &dst);
    }
    SDL_Rect oldClip;
    SDL_GetClipRect(screen, &oldClip);
    if (w.clipToWindow) {
        // Inside whatever part of the screen this frame draws.
        SDL_Rect clip = intersect(at, oldClip);
        SDL_SetClipRect(screen, &clip);
    }
    advanceCredits(w, elapsedMs);
    w.origin.x = at.x;
    w.origin.y = at.y;
    w.origin.scroll = static_cast<int>(w.scrollOffset);
    // Only the settled top window reacts to the pointer.
    const bool live = top && w.state == WINDOW_OPEN;
    const int mx = live ? app.mouseX : -10000, my = live ? app.mouseY : -10000;
    SDL_Rect windowClip;
    SDL_GetClipRect(screen, &windowClip);
    for (auto& b : w.buttons) {
        b->page = &w.origin;
        const bool scrolls = w.autoScroll && b->id > 99;
        b->header = !scrolls;
        if (scrolls) {
            // Scrolling rows stay inside their band, clear of the title and the buttons.
            SDL_Rect band = creditsBand(at);
            SDL_Rect clipped = intersect(band, windowClip);
            SDL_SetClipRect(screen, &clipped);
        }
        drawButton(*b, screen, mx, my, elapsedMs, at.x, at.y - (scrolls ? w.origin.scroll : 0));
        if (scrolls) SDL_SetClipRect(screen, &windowClip);
    }
    if (w.id == WIN_TEXT_ENTRY && w.state == WINDOW_OPEN) {
        // The blinking cursor: a black bar after the text.
        WindowData& d = app.windowData;
        d.cursorMs = (d.cursorMs + elapsedMs) % (2 * CURSOR_BLINK_MS);
        markFrameDirty(); // the cursor blinks on
        Button* text = findButton(w, 5);
        SDL_Surface* img = text ? hitImage(*text) : nullptr;
        if (img && d.cursorMs < CURSOR_BLINK_MS) {
            const bool empty = app.textEntry.text.empty();
            SDL_Rect bar;
            bar.x = static_cast<Sint16>(at.x + text->x + (empty ? img->w / 2 : img->w) + 2);
            bar.y = static_cast<Sint16>(at.y + text->y + 2);
            bar.w = 3;
            bar.h = static_cast<Uint16>(std::max(4, img->h - 4));
            SDL_FillRect(screen, &bar, SDL_MapRGB(screen->format, 0, 0, 0));
        }
    }
    SDL_SetClipRect(screen, &oldClip);
}

// The entry popup follows the entry: its text each frame, and it closes when
// the entry has been committed or cancelled by a key.
void followTextEntry(Application& app) {
    GameWindow* w = findWindow(app.windowManager, WIN_TEXT_ENTRY);
    if (!w || w->id != WIN_TEXT_ENTRY || !isWindowOpen(app.windowManager, WIN_TEXT_ENTRY)) return;
    if (!app.textEntry.active) {
        closeWindow(WIN_TEXT_ENTRY, app.windowManager, 0);
        return;
    }
    setLabelText(app, *w, 5, app.textEntry.text.empty() ? " " : app.textEntry.text);
}

} // namespace

void updateWindows(Application& app, int elapsedMs) {
    WindowManager& m = app.windowManager;
    followTextEntry(app);
    advanceWindows(m, elapsedMs);
    for (size_t i = 0; i < m.openStack.size(); ++i) {
        GameWindow* w = m.openStack[i];
        if (w->state == WINDOW_OPEN && isCovered(m, i)) continue;
        drawWindow(app, *w, i + 1 == m.openStack.size(), elapsedMs);
    }
}

void windowMouseEvent(Application& app, GameWindow& w, int mouseX, int mouseY, Uint8 eventType) {
    if (w.state != WINDOW_OPEN) return;
    const bool down = eventType == SDL_MOUSEBUTTONDOWN;
    w.origin.x = w.x;
    w.origin.y = w.y;
    w.origin.scroll = static_cast<int>(w.scrollOffset);
    const bool inside =
        mouseX >= w.x && mouseY >= w.y && mouseX < w.x + w.width && mouseY < w.y + w.height;
    if (w.clipToWindow && !inside) return;
    std::vector<int> clicked;
    for (auto& bp : w.buttons) {
        Button& b = *bp;
        b.page = &w.origin;
        if (!hitTest(b, mouseX, mouseY)) continue;
        if (!b.enabled || !b.visible || !b.clickable) continue;
        if (b.needsClickLock && app.clickLock) continue;
        if (down) {
            b.pressed = true;
        } else if (b.pressed) {
            b.pressed = false;
            b.clicked = false; // reset at once: the handler runs now
            if (b.needsClickLock) app.clickLock = true;
            clicked.push_back(b.id);
        }
    }
    if (!down)
        for (auto& bp : w.buttons)
            bp->pressed = false;
    const int id = w.id;
    for (int buttonId : clicked) {
        if (w.onClick) w.onClick(&app, id, buttonId);
        if (w.onRefresh) w.onRefresh(&app, id);
        logWindowLayout(w);
    }
}
