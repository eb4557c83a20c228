// Windows (menus, dialogs, viewers) by integer ID: the table, the open stack and
// the slides. This file holds the rules; drawing lives in window_view.cpp.
#pragma once

#include "ui/button.h"

#include <SDL/SDL.h>

#include <memory>
#include <vector>

struct Application;

constexpr int WINDOW_SLIDE_MS = 500;

enum WindowState { WINDOW_CLOSED = 0, WINDOW_OPENING = 1, WINDOW_OPEN = 2, WINDOW_CLOSING = 3 };

using WindowClickHandler = void (*)(Application* app, int windowId, int buttonId);
using WindowRefreshHandler = bool (*)(Application* app, int windowId);
using WindowClosedHandler = void (*)(Application* app, int windowId);

// Where a window's button was placed (see window_layout.h), kept so that a new
// caption can be placed again.
struct WindowPlacement {
    int buttonId = 0;
    double xPercent = 50;
    int align = 0;
    int y = 0;
    int font = 2;
};

// Buttons of a window hit-test and draw relative to where the window is drawn
// this frame; credits of a scrolling window also move up by the scroll offset.
struct WindowOrigin : ButtonPage {
    int x = 0, y = 0, scroll = 0;
    int pageX() const override { return x; }
    int pageY() const override { return y; }
    int pageScroll() const override { return scroll; }
};

struct GameWindow {
    Application* app = nullptr;
    int id = 0;
    WindowClickHandler onClick = nullptr;
    WindowRefreshHandler onRefresh = nullptr;
    WindowClosedHandler onClosed = nullptr;
    std::vector<std::unique_ptr<Button>>
        buttons; // labels and buttons; positions relative to the window
    std::vector<WindowPlacement> placements;
    WindowOrigin origin;
    SurfacePtr background;     // its size is the window's size; windows of one size share it
    int width = 0, height = 0; // cached background size
    SDL_Rect cover{0, 0, 0, 0}; // the part of the background nothing shows through, window-relative
    bool shown = false;
    bool active = false;
    bool clipToWindow = true;
    bool hideBackground = false;
    bool autoScroll = false;
    int openMode = 2;
    int state = WINDOW_CLOSED;
    int animTime = 0;
    float scrollOffset = 0;
    int x = 0, y = 0; // resting position
};

struct WindowManager {
    std::vector<std::unique_ptr<GameWindow>> table;
    std::vector<GameWindow*> openStack; // last = top
    std::vector<int> modeStack;
    int screenWidth = 0, screenHeight = 0;
};

// Where a window of this size rests: centred while playing, 7/10 down on the title screens.
SDL_Rect restingPosition(int width, int height, int screenWidth, int screenHeight, bool playing);

// Where a sliding window is drawn: p in [0,1] of the slide, `opening` or closing.
SDL_Rect slidePosition(const GameWindow& w, int mode, float p, bool opening, int screenW,
                       int screenH);

GameWindow* findWindow(WindowManager& manager, int id);
GameWindow* topWindow(WindowManager& manager);
// The button with that ID; else a notice and the first button (null when there is none).
Button* findButton(GameWindow& window, int buttonId);
bool isWindowOpen(const WindowManager& manager, int id);

bool openWindow(int id, int mode, WindowManager& manager);
void closeWindow(int id, WindowManager& manager, int mode);
void closeAllWindows(WindowManager& manager);

// Advances every open window's slide by `elapsed` ms, finishing slides that are done
// (a closed window leaves both stacks and its closed handler runs).
void advanceWindows(WindowManager& manager, int elapsed);
// True when the window directly above in the stack rests at the same place (fully covered).
bool isCovered(const WindowManager& manager, size_t stackIndex);
// Any window still sliding (the frame pacer speeds up then).
bool windowsAnimating(const WindowManager& manager);

// Prints the notices for duplicate window IDs (one per pair and order) and for
// duplicate button IDs inside one window.
void checkWindowTable(const WindowManager& manager);
