#include "app/intro.h"

#include "app/application.h"
#include "app/fade_blit.h"
#include "app/program.h"
#include "app/screen_maths.h"
#include "app/subsystem_hooks.h"
#include "ui/image.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

void fillWhite(SDL_Surface* screen) {
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 255, 255, 255));
}

void drawCentred(SDL_Surface* image, SDL_Surface* screen, int alpha) {
    if (!image) return;
    blitWithAlpha(image, screen, (screen->w - image->w) / 2, (screen->h - image->h) / 2, alpha);
}

SDL_Surface* loadAtScale(const char* folder, const char* name, float scale) {
    SDL_Surface* raw = loadImage(folder, name);
    SDL_Surface* scaled = scaleImage(raw, scale);
    SDL_FreeSurface(raw);
    return scaled;
}

void freeSurface(SDL_Surface*& s) {
    if (s) SDL_FreeSurface(s);
    s = nullptr;
}

// True when a key or mouse button was pressed; sets `closed` on a quit event.
bool interrupted(bool& closed) {
    SDL_Event e;
    bool pressed = false;
    while (SDL_PollEvent(&e)) {
        if (e.type == SDL_QUIT) closed = true;
        if (e.type == SDL_KEYDOWN || e.type == SDL_MOUSEBUTTONDOWN) pressed = true;
    }
    return pressed || closed;
}

void crossFade(Application& app, SDL_Surface* screen, SDL_Surface* first, SDL_Surface* second) {
    const Uint32 start = SDL_GetTicks();
    int t = 0;
    do {
        t = std::min<int>(static_cast<int>(SDL_GetTicks() - start), INTRO_CROSSFADE_MS);
        const int alpha = crossFadeAlpha(t);
        fillWhite(screen);
        drawCentred(first, screen, alpha);
        drawCentred(second, screen, 255 - alpha);
        SDL_Flip(screen);
        markFirstFrame(app);
        SDL_Delay(1);
    } while (t < INTRO_CROSSFADE_MS);
}

} // namespace

namespace {
// The board's numbers come from a file users may edit: out of range of the
// rectangle's fields, they are held at the nearest value the field can take.
template <typename T>
T toRectField(double value) {
    const double lo = std::numeric_limits<T>::min(), hi = std::numeric_limits<T>::max();
    return static_cast<T>(std::clamp(value, lo, hi));
}
} // namespace

void loadProgressBar(Application& app) {
    DataFile file = openRead("/data/misc/pb1.txt");
    std::string name;
    int x = 0, y = 0, w = 0, h = 0;
    if (file.isOpen()) {
        readValue(file, name);
        x = readInt(file);
        y = readInt(file);
        w = readInt(file);
        h = readInt(file);
        closeFile(file);
    }
    const float s = app.screen.uiScale;
    freeSurface(app.progressBar.image);
    app.progressBar.image = loadAtScale("", name.c_str(), s);
    app.progressBar.rect.x = toRectField<Sint16>(std::floor(double(x) * s));
    app.progressBar.rect.y = toRectField<Sint16>(std::floor(double(y) * s));
    app.progressBar.rect.w = toRectField<Uint16>(std::ceil(double(w) * s));
    app.progressBar.rect.h = toRectField<Uint16>(std::ceil(double(h) * s));
}

bool runIntro(Application& app) {
    SDL_Surface* screen = app.screen.surface;
    loadProgressBar(app);
    SDL_Surface* first = loadAtScale("/data/menu", "open1.png", app.screen.uiScale);
    SDL_Surface* second = loadAtScale("/data/menu", "open2.png", app.screen.uiScale);
    crossFade(app, screen, first, second);
    freeSurface(first);

    hooks::loadInterfaceImages(app);
    hooks::buildMainMenuWindows(app);
    loadTitlePictures(app);
    SDL_Surface* archiveLogo = loadAtScale("/data/menu", "velmar.png", app.screen.uiScale);

    TitleScreen& title = app.titleScreen;
    IntroSizes sizes{screen->w,      screen->h,      second->w,     second->h,
                     archiveLogo->w, archiveLogo->h, title.logo->w, title.logo->h};
    bool closed = false;
    const Uint32 start = SDL_GetTicks();
    for (;;) {
        const int t = static_cast<int>(SDL_GetTicks() - start);
        if (introTimelineOver(t) || interrupted(closed)) break;
        const IntroFrame f = introFrameAt(t, sizes);
        fillWhite(screen);
        if (f.introImage.visible)
            blitWithAlpha(second, screen, f.introImage.x, f.introImage.y, f.introImage.alpha);
        if (f.background.visible) blitWithAlpha(title.background, screen, 0, 0, f.background.alpha);
        if (f.archiveLogo.visible)
            blitWithAlpha(archiveLogo, screen, f.archiveLogo.x, f.archiveLogo.y, 255);
        if (f.titleLogo.visible)
            blitWithAlpha(title.logo, screen, f.titleLogo.x, f.titleLogo.y, 255);
        SDL_Flip(screen);
        SDL_Delay(1);
    }
    // The title screen goes on from here: background opaque, logo at the top.
    title.backgroundAlpha = 255;
    title.logoX = title.logoY = 0;
    freeSurface(second);
    freeSurface(archiveLogo);
    return !closed;
}
