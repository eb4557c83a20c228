#include "app/title_screen.h"
#include "ui/blit.h"

#include "app/application.h"
#include "app/fade_blit.h"
#include "app/screen_maths.h"
#include "fs/vfs.h"
#include "ui/image.h"

#include <algorithm>

namespace {

const char* const BACKGROUND_FOLDER = "/data/menu/map";
const char* const LOGO_FOLDER = "/data/menu/title";
const char* const IMAGE_EXTENSIONS[] = {".png", ".jpg", ".gif", ".bmp", ".tiff"};

bool pictureExists(const std::string& folder, const std::string& name) {
    for (const char* ext : IMAGE_EXTENSIONS)
        if (vfsExists(folder + "/" + name + ext)) return true;
    return false;
}

SDL_Surface* loadScaled(const std::string& folder, const std::string& name, int w, int h) {
    SDL_Surface* raw = loadImage(folder, name);
    SDL_Surface* scaled = scaleImageTo(raw, w, h);
    SDL_FreeSurface(raw);
    return scaled;
}

int screenW(const Application& app) {
    return app.screen.surface ? app.screen.surface->w : 1;
}
int screenH(const Application& app) {
    return app.screen.surface ? app.screen.surface->h : 1;
}

SDL_Surface* loadBackground(Application& app, int pick) {
    return loadScaled(BACKGROUND_FOLDER, app.titleScreen.backgroundNames[pick], screenW(app),
                      screenH(app));
}

SDL_Surface* loadLogo(Application& app, int pick) {
    return loadScaled(LOGO_FOLDER, app.titleScreen.logoNames[pick], screenW(app),
                      screenH(app) * 2 / 5);
}

void replace(SDL_Surface*& slot, SDL_Surface* with) {
    if (slot) SDL_FreeSurface(slot);
    slot = with;
}

// Bytes of replaced pictures kept for their next turn: all the bundled ones
// the screen is not showing, up to a 1440-line desktop's title size.
constexpr size_t KEPT_BYTES = 16u << 20;

size_t bytesOf(const SDL_Surface* s) {
    return static_cast<size_t>(s->pitch) * static_cast<size_t>(s->h);
}

// Keeps a picture going off the screen; the longest unused go when over the bound.
void keep(TitleScreen& t, bool logo, int pick, SDL_Surface* surface) {
    if (!surface) return;
    if (pick < 0 || bytesOf(surface) > KEPT_BYTES) {
        SDL_FreeSurface(surface);
        return;
    }
    t.kept.push_back({logo, pick, surface});
    size_t total = 0;
    for (const TitleScreen::Kept& k : t.kept)
        total += bytesOf(k.surface);
    while (total > KEPT_BYTES) {
        total -= bytesOf(t.kept.front().surface);
        SDL_FreeSurface(t.kept.front().surface);
        t.kept.erase(t.kept.begin());
    }
}

// The kept picture of that pick at that size, taken out of the store; null
// when there is none (one of another size is let go).
SDL_Surface* takeKept(TitleScreen& t, bool logo, int pick, int w, int h) {
    for (auto it = t.kept.begin(); it != t.kept.end(); ++it) {
        if (it->logo != logo || it->pick != pick) continue;
        SDL_Surface* s = it->surface;
        t.kept.erase(it);
        if (s->w == w && s->h == h) return s;
        SDL_FreeSurface(s);
        return nullptr;
    }
    return nullptr;
}

bool isKept(const TitleScreen& t, bool logo, int pick) {
    for (const TitleScreen::Kept& k : t.kept)
        if (k.logo == logo && k.pick == pick) return true;
    return false;
}

// Time a frame spends on the upcoming pictures: well inside the slack of a
// frame at the highest rates, and the work is done seconds before it is due.
constexpr int PREPARE_BUDGET_MICROS = 2000;

// A picture kept from its last turn needs no preparing.
void prepareBackground(Application& app, TitleScreen& t) {
    t.upcomingBackgroundPick = pickDifferent(
        app.game.random, static_cast<int>(t.backgroundNames.size()), t.backgroundPick);
    if (isKept(t, false, t.upcomingBackgroundPick)) return;
    t.upcomingBackground.start(BACKGROUND_FOLDER, t.backgroundNames[t.upcomingBackgroundPick],
                               screenW(app), screenH(app));
}

void prepareLogo(Application& app, TitleScreen& t) {
    t.upcomingLogoPick =
        pickDifferent(app.game.random, static_cast<int>(t.logoNames.size()), t.logoPick);
    if (isKept(t, true, t.upcomingLogoPick)) return;
    t.upcomingLogo.start(LOGO_FOLDER, t.logoNames[t.upcomingLogoPick], screenW(app),
                         screenH(app) * 2 / 5);
}

// The kept or prepared picture, or one made now when it was never begun or
// is of another size than the screen wants now.
SDL_Surface* takeUpcoming(TitleScreen& t, bool logo, PreparedPicture& upcoming, int w, int h,
                          SDL_Surface* (*makeNow)(Application&, int), Application& app, int pick) {
    if (SDL_Surface* kept = takeKept(t, logo, pick, w, h)) {
        upcoming.reset();
        return kept;
    }
    if (upcoming.pending() && upcoming.width() == w && upcoming.height() == h)
        return upcoming.take();
    upcoming.reset();
    return makeNow(app, pick);
}

void advanceBackground(Application& app, TitleScreen& t, int elapsed) {
    t.backgroundTimer += elapsed;
    if (t.backgroundFade < 0 && t.backgroundTimer >= t.backgroundInterval) {
        if (t.upcomingBackgroundPick < 0) prepareBackground(app, t);
        const int pick = t.upcomingBackgroundPick;
        replace(t.nextBackground, takeUpcoming(t, false, t.upcomingBackground, screenW(app),
                                               screenH(app), loadBackground, app, pick));
        t.upcomingBackgroundPick = -1;
        t.leavingBackgroundPick = t.backgroundPick;
        t.backgroundPick = pick;
        t.backgroundTimer = 0;
        t.backgroundInterval = 9000 + randomBelow(app.game.random, 6000);
        t.backgroundFade = 0;
    } else if (t.backgroundFade >= 0) {
        t.backgroundFade += elapsed;
    }
    if (t.backgroundFade < 0) return;
    t.nextBackgroundAlpha = slideshowFadeAlpha(t.backgroundFade);
    t.backgroundAlpha = 255 - t.nextBackgroundAlpha;
    if (t.backgroundFade >= SLIDESHOW_FADE_MS) {
        keep(t, false, t.leavingBackgroundPick, t.background);
        t.background = t.nextBackground;
        t.nextBackground = nullptr;
        t.backgroundAlpha = 255;
        t.backgroundFade = -1;
        app.frameDirty = true; // the last step of the fade must show
    }
}

void advanceLogo(Application& app, TitleScreen& t, int elapsed) {
    t.logoTimer += elapsed;
    if (t.logoSlide < 0 && t.logoTimer >= t.logoInterval) {
        if (t.upcomingLogoPick < 0) prepareLogo(app, t);
        const int pick = t.upcomingLogoPick;
        replace(t.nextLogo, takeUpcoming(t, true, t.upcomingLogo, screenW(app),
                                         screenH(app) * 2 / 5, loadLogo, app, pick));
        t.upcomingLogoPick = -1;
        t.leavingLogoPick = t.logoPick;
        t.logoPick = pick;
        t.logoTimer = 0;
        t.logoInterval = 20000 + randomBelow(app.game.random, 10000);
        t.logoSlide = 0;
    } else if (t.logoSlide >= 0) {
        t.logoSlide += elapsed;
    }
    if (t.logoSlide < 0) return;
    const int w = screenW(app);
    t.logoX = slideshowLogoX(t.logoSlide, w, t.direction);
    t.nextLogoX = t.logoX - w * t.direction;
    t.nextLogoY = t.logoY;
    if (t.logoSlide >= SLIDESHOW_FADE_MS) {
        keep(t, true, t.leavingLogoPick, t.logo);
        t.logo = t.nextLogo;
        t.logoCover = opaqueInterior(t.logo, app.screen.surface);
        t.nextLogo = nullptr;
        t.logoX = 0;
        t.logoSlide = -1;
        t.direction = -t.direction;
        app.frameDirty = true; // the last step of the slide must show
    }
}

// While nothing moves, the next pictures are picked and made ready, one
// slice a frame and one picture at a time.
void prepareUpcoming(Application& app, TitleScreen& t) {
    if (t.backgroundFade >= 0 || t.logoSlide >= 0) return;
    if (t.upcomingBackgroundPick < 0) prepareBackground(app, t);
    if (t.upcomingLogoPick < 0) prepareLogo(app, t);
    if (t.upcomingBackground.pending() && !t.upcomingBackground.ready())
        t.upcomingBackground.work(PREPARE_BUDGET_MICROS);
    else if (t.upcomingLogo.pending() && !t.upcomingLogo.ready())
        t.upcomingLogo.work(PREPARE_BUDGET_MICROS);
}

} // namespace

std::vector<std::string> listPictureNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const std::string& file : vfsList(folder)) {
        std::string name = file.substr(0, file.find('.'));
        if (name.empty() || std::find(names.begin(), names.end(), name) != names.end()) continue;
        if (pictureExists(folder, name)) names.push_back(name);
    }
    if (names.empty()) names.push_back("blank");
    return names;
}

int pickDifferent(RandomSource& random, int count, int current) {
    if (count <= 1) return 0;
    // Bounded: the generator cannot repeat one value forever, but be safe.
    for (int tries = 0; tries < 64; ++tries) {
        int pick = randomBelow(random, count);
        if (pick != current) return pick;
    }
    return (current + 1) % count;
}

void loadTitlePictures(Application& app) {
    TitleScreen& t = app.titleScreen;
    t.backgroundNames = listPictureNames(BACKGROUND_FOLDER);
    t.backgroundPick = randomBelow(app.game.random, static_cast<int>(t.backgroundNames.size()));
    replace(t.background, loadBackground(app, t.backgroundPick));
    t.logoNames = listPictureNames(LOGO_FOLDER);
    t.logoPick = randomBelow(app.game.random, static_cast<int>(t.logoNames.size()));
    replace(t.logo, loadLogo(app, t.logoPick));
    t.logoCover = opaqueInterior(t.logo, app.screen.surface);
    t.logoX = t.logoY = 0;
    t.backgroundAlpha = 255;
}

void advanceTitleSlideshow(Application& app, int elapsedMs) {
    TitleScreen& t = app.titleScreen;
    elapsedMs = std::clamp(elapsedMs, 0, SLIDESHOW_MAX_STEP_MS);
    if (!t.started) {
        t.started = true;
        t.backgroundInterval = 6000 + randomBelow(app.game.random, 6000);
        t.logoInterval = 23000 + randomBelow(app.game.random, 7000);
        t.direction = randomBelow(app.game.random, 2) == 0 ? -1 : 1;
    }
    if (t.backgroundNames.empty() || t.logoNames.empty()) return;
    advanceBackground(app, t, elapsedMs);
    advanceLogo(app, t, elapsedMs);
    prepareUpcoming(app, t);
}

void drawTitleScreen(Application& app) {
    TitleScreen& t = app.titleScreen;
    SDL_Surface* screen = app.screen.surface;
    // The backgrounds hide whatever is under them, so black, the skin and the
    // fading pictures go down in one pass where their formats allow.
    SDL_Surface* layers[2] = {t.background, t.nextBackground};
    int alphas[2] = {t.backgroundFade >= 0 ? t.backgroundAlpha : 255,
                     t.backgroundFade >= 0 ? t.nextBackgroundAlpha : 0};
    if (!stackOpaqueLayers(screen, app.screen.skin, layers, alphas, 2)) {
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
        if (app.screen.skin) blitSurface(app.screen.skin, nullptr, screen, nullptr);
        blitWithAlpha(t.background, screen, 0, 0, alphas[0]);
        if (t.backgroundFade >= 0) blitWithAlpha(t.nextBackground, screen, 0, 0, alphas[1]);
    }
    blitWithAlpha(t.logo, screen, t.logoX, t.logoY, 255);
    if (t.logoSlide >= 0) blitWithAlpha(t.nextLogo, screen, t.nextLogoX, t.nextLogoY, 255);
}

void freeTitlePictures(TitleScreen& t) {
    t.upcomingBackground.reset();
    t.upcomingLogo.reset();
    t.upcomingBackgroundPick = t.upcomingLogoPick = -1;
    for (SDL_Surface** s : {&t.background, &t.nextBackground, &t.logo, &t.nextLogo}) {
        if (*s) SDL_FreeSurface(*s);
        *s = nullptr;
    }
    t.logoCover = SDL_Rect{0, 0, 0, 0};
    for (const TitleScreen::Kept& k : t.kept)
        SDL_FreeSurface(k.surface);
    t.kept.clear();
}
