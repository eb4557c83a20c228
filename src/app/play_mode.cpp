// Leaving the title screens for play, and the book's cover view.
#include "app/application.h"
#include "ui/blit.h"
#include "app/main_loop.h"
#include "app/program.h"
#include "app/subsystem_hooks.h"
#include "fs/vfs.h"
#include "ui/image.h"

#include <SDL/SDL.h>

namespace {

bool keyOrButtonPressed(Application& app) {
    SDL_Event e;
    bool pressed = false;
    while (SDL_PollEvent(&e)) {
        if (e.type == SDL_QUIT) {
            app.quit = true;
            pressed = true;
        }
        if (e.type == SDL_KEYDOWN || e.type == SDL_MOUSEBUTTONDOWN) pressed = true;
    }
    return pressed;
}

} // namespace

void showRuleRequests(Application& app) {
    std::vector<ScreenRequest>& screens = app.game.rulesState.screens;
    std::vector<ScreenRequest> others;
    for (const ScreenRequest& r : screens) {
        switch (r.kind) {
        case ScreenKind::Window:
            if (r.value == RULES_DEATH_WINDOW) {
                if (hooks::screenStatus(app).topWindowId != WIN_DEATH)
                    hooks::openWindow(app, WIN_DEATH, 0, "");
            } else {
                hooks::openWindow(app, r.value, OPEN_FROM_BOTTOM, "");
            }
            break;
        case ScreenKind::Notice:
            showMessage(app.game.messages, "", r.text);
            break;
        case ScreenKind::ResultsTable:
            hooks::openResultsTableViewer(app, r.value);
            break;
        default: // the Action Chart's own requests wait for it
            others.push_back(r);
            break;
        }
    }
    // Requests nobody takes must not pile up for the rest of the game.
    constexpr size_t KEEP = 32;
    if (others.size() > KEEP) others.erase(others.begin(), others.end() - KEEP);
    screens = std::move(others);
}

void showCover(Application& app, bool loading) {
    SDL_Surface* screen = app.screen.surface;
    if (!screen) return;
    const int book = hooks::currentBookNumber(app);
    const std::string folder = "data/books/book" + std::to_string(book) + "/covers";
    std::vector<std::string> covers = listBookCovers(book);
    std::string name = hooks::chosenCover(app, book);
    if (name.empty() && !covers.empty())
        name = hooks::coverFirstOnly(app)
                   ? covers.front()
                   : covers[randomBelow(app.game.random, static_cast<int>(covers.size()))];

    SDL_Surface* raw = loadImage(folder, name);
    SDL_Surface* cover = scaleImage(raw, static_cast<double>(screen->h) / std::max(1, raw->h));
    SDL_FreeSurface(raw);
    auto draw = [&] {
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
        SDL_Rect at{static_cast<Sint16>((screen->w - cover->w) / 2), 0, 0, 0};
        blitSurface(cover, nullptr, screen, &at);
        if (app.progressBar.image) {
            SDL_Rect bar = app.progressBar.rect;
            blitSurface(app.progressBar.image, nullptr, screen, &bar);
        }
    };
    draw();
    SDL_Flip(screen);
    if (!loading) {
        while (!keyOrButtonPressed(app)) {
            draw();
            presentFrame(app);
        }
    }
    SDL_FreeSurface(cover);
}

void enterPlayMode(Application& app, int startValue) {
    app.playing = true;
    setVideoMode(app);
    const int W = app.screen.surface ? app.screen.surface->w : 0;
    const int H = app.screen.surface ? app.screen.surface->h : 0;
    computePageRects(W, H, app.pageWidthPercent, app.pageHeightPercent,
                     app.settings.paperShowScroll, app.pageRects[0], app.pageRects[1]);
    freeTitlePictures(app.titleScreen);

    // A new game (-1) keeps the character the menus prepared.
    bool resume = startValue > 0;
    if (resume && !hooks::readResumeCharacter(app)) {
        resume = false;
        hooks::startNewCharacter(app);
    }

    if (startValue == -1) {
        hooks::startNewCharacter(app);
        hooks::deleteProfileSaves(app);
    }
    showCover(app, true);
    hooks::resetPlayScreen(app);
    hooks::loadInterfaceImages(app);
    hooks::buildMainMenuWindows(app);
    hooks::loadBookOfCharacter(app);
    hooks::buildToolbar(app);
    hooks::setPanelLayout(app);
    if (resume && !hooks::loadSavedGame(app)) hooks::startNewCharacter(app);
    // While the cover is up: the first frame of play would otherwise stall
    // on making the popups' images.
    hooks::prepareOverlays(app);
}
