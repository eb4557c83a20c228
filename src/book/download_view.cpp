// The download progress bar and the input a transfer listens to.
#include "book/download_view.h"
#include "ui/blit.h"

#include <SDL/SDL.h>

#include <algorithm>

namespace {

// Pushes the part of `r` that lies on the screen.
void updateOnScreen(SDL_Surface* screen, const SDL_Rect& r) {
    int x0 = std::max<int>(0, r.x), y0 = std::max<int>(0, r.y);
    int x1 = std::min<int>(screen->w, r.x + r.w), y1 = std::min<int>(screen->h, r.y + r.h);
    if (x1 > x0 && y1 > y0) SDL_UpdateRect(screen, x0, y0, x1 - x0, y1 - y0);
}

SDL_Rect barRectangle(SDL_Surface* screen, ProgressBar& bar) {
    SDL_Rect r;
    if (!bar.image) {
        r.x = static_cast<Sint16>(screen->w * 80 / 100);
        r.y = static_cast<Sint16>(screen->h * 96 / 100);
        r.w = static_cast<Uint16>(screen->w * 17 / 100);
        r.h = static_cast<Uint16>(screen->h / 50);
        return r;
    }
    SDL_Surface* frame = bar.image;
    int column = (bar.placement - 1) % 3; // 0 left, 1 centre, 2 right
    int row = (bar.placement - 1) / 3;    // 0 bottom, 1 centre, 2 top
    int x = column == 0 ? 0 : column == 1 ? (screen->w - frame->w) / 2 : screen->w - frame->w;
    int y = row == 2 ? 0 : row == 1 ? (screen->h - frame->h) / 2 : screen->h - frame->h;
    if (!bar.frameDrawn) {
        SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
        blitSurface(frame, nullptr, screen, &at);
        SDL_Rect whole = {static_cast<Sint16>(x), static_cast<Sint16>(y),
                          static_cast<Uint16>(frame->w), static_cast<Uint16>(frame->h)};
        updateOnScreen(screen, whole);
        bar.frameDrawn = true;
    }
    r = bar.rect;
    r.x = static_cast<Sint16>(x + bar.rect.x);
    r.y = static_cast<Sint16>(y + bar.rect.y);
    return r;
}

} // namespace

void drawProgress(int done, int total, ProgressBar& bar) {
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (!screen) return;
    bar.placement = bar.placement < 1 || bar.placement > 9 ? 3 : bar.placement;
    SDL_Rect r = barRectangle(screen, bar);
    if (!bar.image) SDL_FillRect(screen, &r, SDL_MapRGB(screen->format, 255, 255, 255));
    long long width = r.w;
    long long filled;
    if (total > 0) {
        filled = std::min<long long>(width, width * std::max(0, done) / total);
    } else {
        // No length announced: a bar that fills every 2 MB shows that data still flows.
        const long long cycle = 2 * 1024 * 1024;
        filled = width * (std::max(0, done) % cycle) / cycle;
    }
    SDL_Rect red = r;
    red.w = static_cast<Uint16>(filled);
    if (red.w > 0) SDL_FillRect(screen, &red, SDL_MapRGB(screen->format, 255, 0, 0));
    updateOnScreen(screen, r);
    if (total > 0 && done >= total) bar.frameDrawn = false;
}

bool pollDownloadEvents() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return true;
    bool keepGoing = true;
    bool quit = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) keepGoing = false;
        if (event.type == SDL_QUIT) quit = true;
    }
    if (quit) {
        // The main loop handles the quit once the transfer has stopped.
        SDL_Event again;
        again.type = SDL_QUIT;
        SDL_PushEvent(&again);
        keepGoing = false;
    }
    return keepGoing;
}
