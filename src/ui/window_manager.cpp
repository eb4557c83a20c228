#include "ui/window_manager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

SDL_Rect restingPosition(int width, int height, int screenWidth, int screenHeight, bool playing) {
    SDL_Rect r;
    r.x = static_cast<Sint16>((screenWidth - width) / 2);
    r.y = static_cast<Sint16>(playing ? (screenHeight - height) / 2
                                      : screenHeight * 7 / 10 - height / 2);
    r.w = static_cast<Uint16>(std::max(0, width));
    r.h = static_cast<Uint16>(std::max(0, height));
    return r;
}

SDL_Rect slidePosition(const GameWindow& w, int mode, float p, bool opening, int screenW,
                       int screenH) {
    const double pi = 3.14159265358979323846;
    double u = std::sin((90.0 * p + (opening ? 0.0 : 90.0)) * pi / 180.0);
    int x = w.x, y = w.y;
    bool fromLeft = mode == 1 || mode == 4 || mode == 7;
    bool fromRight = mode == 3 || mode == 6 || mode == 9;
    bool fromTop = mode == 7 || mode == 8 || mode == 9;
    bool fromBottom = mode == 1 || mode == 2 || mode == 3;
    if (fromLeft) x = static_cast<int>(u * (w.width + w.x)) - w.width;
    if (fromRight) x = screenW - static_cast<int>(u * (screenW - w.x));
    if (fromTop) y = static_cast<int>(u * (w.height + w.y)) - w.height;
    if (fromBottom) y = screenH - static_cast<int>(u * (screenH - w.y));
    SDL_Rect r;
    r.x = static_cast<Sint16>(x);
    r.y = static_cast<Sint16>(y);
    r.w = static_cast<Uint16>(w.width);
    r.h = static_cast<Uint16>(w.height);
    return r;
}

GameWindow* findWindow(WindowManager& manager, int id) {
    for (auto& w : manager.table)
        if (w->id == id) return w.get();
    return manager.table.empty() ? nullptr : manager.table.front().get();
}

GameWindow* topWindow(WindowManager& manager) {
    return manager.openStack.empty() ? nullptr : manager.openStack.back();
}

Button* findButton(GameWindow& window, int buttonId) {
    for (auto& b : window.buttons)
        if (b->id == buttonId) return b.get();
    std::printf("Error in checking for a menu(ID: %d) button with ID: %d\n", window.id, buttonId);
    return window.buttons.empty() ? nullptr : window.buttons.front().get();
}

bool isWindowOpen(const WindowManager& manager, int id) {
    for (const GameWindow* w : manager.openStack)
        if (w->id == id) return true;
    return false;
}

bool openWindow(int id, int mode, WindowManager& manager) {
    GameWindow* w = findWindow(manager, id);
    if (!w) return false;
    if (std::find(manager.openStack.begin(), manager.openStack.end(), w) != manager.openStack.end())
        return false;
    if (mode == 0) mode = 2;
    manager.openStack.push_back(w);
    if (manager.openStack.size() >= 2) {
        const GameWindow* below = manager.openStack[manager.openStack.size() - 2];
        // A window that replaces another at the same place is shown at once.
        if (below->x == w->x && below->y == w->y && below->state == WINDOW_OPEN) mode = 5;
    }
    manager.modeStack.push_back(mode);
    if (w->shown && w->state != WINDOW_CLOSING) return false;
    w->scrollOffset = 0;
    w->shown = true;
    w->active = true;
    w->state = mode == 5 ? WINDOW_OPEN : WINDOW_OPENING;
    w->animTime = 0;
    w->openMode = mode;
    return w->onRefresh ? w->onRefresh(w->app, w->id) : true;
}

void closeWindow(int id, WindowManager& manager, int mode) {
    GameWindow* w = nullptr;
    for (auto it = manager.openStack.rbegin(); it != manager.openStack.rend(); ++it)
        if ((*it)->id == id) {
            w = *it;
            break;
        }
    if (!w || !w->shown || !w->active) return;
    if (mode == 0) mode = manager.modeStack.empty() ? 2 : manager.modeStack.back();
    w->active = false;
    w->state = WINDOW_CLOSING;
    w->openMode = mode;
    // Mode 5 has no slide: the window vanishes on the next frame.
    w->animTime = mode == 5 ? WINDOW_SLIDE_MS : 0;
}

void closeAllWindows(WindowManager& manager) {
    for (GameWindow* w : manager.openStack) {
        w->shown = false;
        w->active = false;
        w->state = WINDOW_CLOSED;
    }
    manager.openStack.clear();
    manager.modeStack.clear();
}

bool isCovered(const WindowManager& manager, size_t stackIndex) {
    if (stackIndex + 1 >= manager.openStack.size()) return false;
    const GameWindow* w = manager.openStack[stackIndex];
    const GameWindow* above = manager.openStack[stackIndex + 1];
    return above->x == w->x && above->y == w->y;
}

bool windowsAnimating(const WindowManager& manager) {
    return !manager.openStack.empty() && manager.openStack.back()->state != WINDOW_OPEN;
}

void advanceWindows(WindowManager& manager, int elapsed) {
    for (size_t i = 0; i < manager.openStack.size();) {
        GameWindow* w = manager.openStack[i];
        if (w->state == WINDOW_OPENING || w->state == WINDOW_CLOSING) {
            w->animTime = std::clamp(w->animTime + elapsed, 0, WINDOW_SLIDE_MS);
            if (w->animTime >= WINDOW_SLIDE_MS) {
                if (w->state == WINDOW_OPENING) {
                    w->state = WINDOW_OPEN;
                } else {
                    w->state = WINDOW_CLOSED;
                    w->shown = false;
                    manager.openStack.erase(manager.openStack.begin() + static_cast<long>(i));
                    manager.modeStack.erase(manager.modeStack.begin() + static_cast<long>(i));
                    if (w->onClosed) w->onClosed(w->app, w->id);
                    continue;
                }
            }
        }
        ++i;
    }
}

void checkWindowTable(const WindowManager& manager) {
    const auto& t = manager.table;
    for (size_t i = 0; i < t.size(); ++i)
        for (size_t j = 0; j < t.size(); ++j)
            if (i != j && t[i]->id == t[j]->id)
                std::printf("You have menus with identical IDs(ID %d). Not good!\n", t[i]->id);
    for (const auto& w : t) {
        const auto& b = w->buttons;
        for (size_t i = 0; i < b.size(); ++i)
            for (size_t j = i + 1; j < b.size(); ++j)
                if (b[i]->id == b[j]->id)
                    std::printf(
                        "In menu(ID %d), you have buttons with identical IDs(ID %d). Not good!\n",
                        w->id, b[i]->id);
    }
}
