#include "app/main_loop.h"
#include "ui/blit.h"

#include "app/application.h"
#include "app/subsystem_hooks.h"
#include "book/section_page_view.h"
#include "ui/text_entry.h"
#include "ui/tooltip.h"

#include <SDL/SDL.h>

namespace {

// Windows whose scroll buttons (2 up, 3 down) the mouse wheel drives.
bool wheelDrivesWindow(int id) {
    return id == 23 || id == 25 || id == 26 || id == 27;
}

// Windows opened from a frame's requests close on a click once fully shown.
bool closesAfterClick(int id) {
    for (int pending : PENDING_WINDOW_IDS)
        if (pending == id) return true;
    return false;
}

void handleMouseButton(Application& app, const SDL_Event& e) {
    const hooks::ScreenStatus st = hooks::screenStatus(app);
    if (st.windowCount > 0) {
        hooks::windowMouseEvent(app, e);
        const hooks::ScreenStatus after = hooks::screenStatus(app);
        if (after.windowCount > 0 && closesAfterClick(after.topWindowId) &&
            after.topWindowState == WINDOW_OPEN)
            hooks::closeTopWindow(app);
        return;
    }
    if (!st.randomTableShown && !st.combatRunning && !st.resultsTableOpen)
        hooks::headerButtonsMouse(app, e);
    hooks::pagesMouse(app, e);
    if (app.playing && e.type == SDL_MOUSEBUTTONDOWN &&
        hooks::pointInBookPicture(app, e.button.x, e.button.y))
        showCover(app, false);
}

void handleWheel(Application& app, int direction) {
    if (!app.playing) return;
    const hooks::ScreenStatus st = hooks::screenStatus(app);
    if (st.windowCount > 0 && wheelDrivesWindow(st.topWindowId)) {
        hooks::clickTopWindowButton(app, direction < 0 ? 2 : 3);
        return;
    }
    hooks::wheelPages(app, direction);
}

void handleEscape(Application& app, const hooks::ScreenStatus& st) {
    if (st.windowCount > 0) {
        hooks::closeTopWindow(app);
        return;
    }
    if (hooks::closeRandomTable(app)) return;
    if (hooks::closeResultsTable(app)) return;
    if (!st.combatRunning && !st.randomTableShown) app.quit = true;
}

void handleKey(Application& app, const SDL_KeyboardEvent& key) {
    const hooks::ScreenStatus st = hooks::screenStatus(app);
    if (app.textEntry.active) {
        entryKey(app.textEntry, key.keysym.sym, key.keysym.unicode);
        return;
    }
    const SDLKey sym = key.keysym.sym;
    const bool tableWaits = st.randomTableShown && st.randomTableState == 1;
    switch (sym) {
    case SDLK_ESCAPE:
        handleEscape(app, st);
        break;
    case SDLK_LEFT:
    case SDLK_RIGHT:
        if (tableWaits) hooks::randomTableKey(app, sym);
        break;
    case SDLK_UP:
    case SDLK_DOWN:
    case SDLK_PAGEUP:
    case SDLK_PAGEDOWN:
        if (!st.pagePanelsExist) break;
        if (tableWaits)
            hooks::randomTableKey(app, sym);
        else
            hooks::scrollPages(app, sym == SDLK_UP || sym == SDLK_PAGEUP ? -1 : 1,
                               sym == SDLK_PAGEUP || sym == SDLK_PAGEDOWN);
        break;
    case SDLK_f:
        app.settings.showFps = !app.settings.showFps;
        break;
    case SDLK_m: {
        const int map = hooks::highestMapNumber(app);
        if (map >= 0) app.game.pendingWindowArgs[1] = std::to_string(map);
        break;
    }
    case SDLK_g:
        hooks::keyG(app);
        break;
    case SDLK_HOME:
    case SDLK_END:
        if (st.pagePanelsExist && st.windowCount == 0) pagePanelsHomeEnd(app, sym == SDLK_END);
        break;
    default:
        if (sym >= SDLK_KP1 && sym <= SDLK_KP9 && tableWaits) hooks::randomTableKey(app, sym);
        // Keyboard play: 1-9 press the page's visible choices in reading order.
        if (sym >= SDLK_1 && sym <= SDLK_9 && app.playing && st.windowCount == 0 &&
            !st.randomTableShown && !st.combatRunning)
            pressDigitButton(app, sym - SDLK_0);
        break;
    }
}

void drawScreen(Application& app, int elapsedMs) {
    SDL_Surface* screen = app.screen.surface;
    if (app.playing) {
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
        if (app.screen.skin) blitSurface(app.screen.skin, nullptr, screen, nullptr);
        hooks::drawPlayBackground(app);
    } else {
        drawTitleScreen(app);
    }
    hooks::drawPagesAndButtons(app, elapsedMs);
    hooks::drawWindows(app, elapsedMs);
    hooks::drawOverlays(app, elapsedMs);
}

// The tooltip goes on top of everything, except over the Random Number
// Table and a combat past its opening.
void drawTooltipIfAllowed(Application& app) {
    const hooks::ScreenStatus st = hooks::screenStatus(app);
    if (st.randomTableShown || st.combatState >= 2) {
        app.tooltip.image.reset();
        return;
    }
    drawTooltip(app.screen.surface, app.tooltip);
}

void handleToolbarClicks(Application& app) {
    for (int guard = 0; guard < 16; ++guard) {
        const int button = hooks::takeToolbarClick(app);
        if (button < 0) break;
        switch (button) {
        case 0: // "Open the Main Menu"
            hooks::openWindow(app, WIN_MAIN_MENU, OPEN_FROM_BOTTOM, "");
            break;
        case 1:
        case 2:
        case 3:
        case 4: // page switches
            hooks::switchPagePanels(app, button);
            break;
        case 5: // "Minimize Quillhaven to the taskbar"
            SDL_WM_IconifyWindow();
            break;
        case 6: { // "Close Quillhaven"
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            break;
        }
        case 7: // the award medal hides itself
            hooks::setToolbarButtonVisible(app, 7, false);
            break;
        default:
            break;
        }
    }
    hooks::refreshPageTabs(app);
}

// Title screens: quit once the last window has gone (or is closing). Until a
// window has been shown there is nothing to have closed.
bool titleScreensDone(Application& app, bool& windowSeen) {
    const hooks::ScreenStatus st = hooks::screenStatus(app);
    if (st.windowCount > 0) windowSeen = true;
    if (!windowSeen) return false;
    return st.windowCount == 0 || (st.windowCount == 1 && st.topWindowState == WINDOW_CLOSING);
}

// Ids and states of the open windows, bottom to top.
std::vector<int> windowSignature(const Application& app) {
    std::vector<int> sig;
    for (const GameWindow* w : app.windowManager.openStack) {
        sig.push_back(w->id);
        sig.push_back(w->state);
    }
    return sig;
}

bool anyRequest(const Application& app) {
    const GameState& g = app.game;
    return g.pendingStart || (app.playing && g.pendingSection) || g.pendingBookComplete ||
           g.pendingItem >= 0 || g.pendingCoins >= 1;
}

void processRequests(Application& app) {
    if (anyRequest(app)) app.frameDirty = true; // whatever they change shows next frame
    if (app.game.pendingStart) {
        const int value = app.game.pendingStart;
        app.game.pendingStart = 0;
        enterPlayMode(app, value);
    }
    if (app.playing && app.game.pendingSection) {
        const int section = app.game.pendingSection;
        hooks::turnToSection(app, section);
        app.game.pendingSection = 0;
    }
    // Awards are earned on every section change and by section effects: the
    // medal comes up whenever something was.
    if (app.playing && hooks::runAwardsCheck(app)) hooks::setToolbarButtonVisible(app, 7, true);
    // Zero ENDURANCE where it kills: the death window is among the screens
    // the rules ask for, shown with the others.
    if (app.playing) {
        hooks::heroIsDead(app);
        showRuleRequests(app);
    }
    if (app.game.pendingBookComplete) {
        app.game.pendingBookComplete = false;
        hooks::runEndOfBook(app);
    }
    hooks::handPendingToInventory(app);
}

} // namespace

void handleEvent(Application& app, const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        app.quit = true;
        break;
    case SDL_MOUSEMOTION:
        app.mouseX = e.motion.x;
        app.mouseY = e.motion.y;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (e.button.button == SDL_BUTTON_LEFT)
            handleMouseButton(app, e);
        else if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_WHEELUP)
            handleWheel(app, -1);
        else if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_WHEELDOWN)
            handleWheel(app, 1);
        break;
    case SDL_KEYDOWN:
        handleKey(app, e.key);
        break;
    default:
        break;
    }
}

bool frameIsDue(const Application& app) {
    if (app.frameDirty || app.settings.showFps || app.textEntry.active) return true;
    if (somethingAnimates(app)) return true;
    const TitleScreen& t = app.titleScreen;
    if (!app.playing && (t.backgroundFade >= 0 || t.logoSlide >= 0)) return true;
    return windowSignature(app) != app.drawnWindows;
}

// What nothing shows through on the title screens: the settled windows'
// backgrounds and, while it rests, the logo's plate. Only on a 32-bit screen,
// where our own blit leaves their opaque pixels exact.
std::vector<SDL_Rect> titleCovers(const Application& app) {
    std::vector<SDL_Rect> covers;
    const TitleScreen& t = app.titleScreen;
    if (t.logoSlide < 0 && t.logo)
        covers.push_back(SDL_Rect{static_cast<Sint16>(t.logoX + t.logoCover.x),
                                  static_cast<Sint16>(t.logoY + t.logoCover.y), t.logoCover.w,
                                  t.logoCover.h});
    for (const GameWindow* w : app.windowManager.openStack)
        if (w->state == WINDOW_OPEN && w->background && !w->hideBackground && w->cover.w > 0)
            covers.push_back(SDL_Rect{static_cast<Sint16>(w->x + w->cover.x),
                                      static_cast<Sint16>(w->y + w->cover.y), w->cover.w,
                                      w->cover.h});
    return covers;
}

// While only the slideshow moves on the title screens, only its pictures
// change where nothing covers them: the background's cross-fade all over the
// screen, a logo's slide in the logo's rows. The frame is drawn and sent for
// those parts alone. False when anything else may have changed.
bool onlyTheSlideshowMoves(const Application& app, std::vector<SDL_Rect>& parts) {
    const TitleScreen& t = app.titleScreen;
    SDL_Surface* screen = app.screen.surface;
    if (app.playing || !screen || screen->format->BytesPerPixel != 4) return false;
    const bool fading = t.backgroundFade >= 0, sliding = t.logoSlide >= 0 && t.logo;
    if (!fading && !sliding) return false;
    if (app.frameDirty || app.settings.showFps || app.textEntry.active || app.tooltip.image)
        return false;
    if (somethingAnimates(app) || windowSignature(app) != app.drawnWindows) return false;
    SDL_Rect area{0, 0, static_cast<Uint16>(screen->w), static_cast<Uint16>(screen->h)};
    if (!fading) {
        const int height = std::max(t.logo->h, t.nextLogo ? t.nextLogo->h : 0);
        const int top = std::max(0, std::min(t.logoY, t.nextLogo ? t.nextLogoY : t.logoY));
        const int bottom = std::min(screen->h, t.logoY + height);
        if (bottom <= top) return false;
        area.y = static_cast<Sint16>(top);
        area.h = static_cast<Uint16>(bottom - top);
    }
    parts = rectsOutside(area, titleCovers(app));
    return true;
}

void runFrame(Application& app, int elapsedMs) {
    if (!app.playing) advanceTitleSlideshow(app, elapsedMs);
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        handleEvent(app, e);
        app.frameDirty = true; // whatever it was, it may show
    }

    // An idle frame keeps its pacing and events but neither draws nor flips.
    // Nor does the turn a menu chose to play in: the screen is still the
    // title window until play is entered after this frame.
    const bool enteringPlay = app.playing && app.game.pendingStart != 0;
    const bool draw = !enteringPlay && frameIsDue(app);
    if (draw) {
        std::vector<SDL_Rect> parts;
        const bool inParts = onlyTheSlideshowMoves(app, parts);
        app.frameDirty = false; // drawing code may ask for the next frame again
        app.drawnWindows = windowSignature(app);
        ++app.framesDrawn;
        if (inParts) {
            // One frame in pieces: its time passes once.
            int elapsed = elapsedMs;
            for (SDL_Rect& part : parts) {
                SDL_SetClipRect(app.screen.surface, &part);
                drawScreen(app, elapsed);
                elapsed = 0;
            }
            SDL_SetClipRect(app.screen.surface, nullptr);
            app.flipRects = std::move(parts);
            app.flipPartly = true;
        } else {
            drawScreen(app, elapsedMs);
        }
    }
    if (app.playing) {
        hooks::syncSavesWithRandomDraws(app);
        hooks::runFrameRuleHooks(app);
    }
    for (int i = 0; i < PENDING_WINDOW_COUNT; ++i) {
        if (app.game.pendingWindowArgs[i].empty()) continue;
        const std::string arg = app.game.pendingWindowArgs[i];
        app.game.pendingWindowArgs[i].clear();
        hooks::openWindow(app, PENDING_WINDOW_IDS[i], OPEN_FROM_TOP, arg);
    }
    const bool tipWaiting = app.tooltip.image != nullptr;
    drawTooltipIfAllowed(app);
    // A turn that drew nothing leaves the window as it is: a flip would only
    // send the same picture to the display again (an uncovered window is
    // repainted from the screen surface without one).
    if (!draw && !tipWaiting) app.skipFlip = true;
    presentFrame(app);
    handleToolbarClicks(app);
    if (!app.playing && titleScreensDone(app, app.titleScreen.windowSeen)) app.quit = true;
    processRequests(app);
}

void runMainLoop(Application& app) {
    Uint32 previous = SDL_GetTicks();
    while (!app.quit) {
        const Uint32 now = SDL_GetTicks();
        runFrame(app, static_cast<int>(now - previous));
        previous = now;
    }
}
