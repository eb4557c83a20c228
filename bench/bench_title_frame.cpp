// What one frame of the title screens costs while the slideshow moves, layer
// by layer, on the 616 x 616 title window a 1024-pixel desktop gives: the
// pictures in the middle of a background cross-fade and of a logo slide, the
// main menu over them, and the whole frame as the loop draws it. The idle CPU
// of the title screens is mostly these frames (about 30 a second while
// something moves).
#include "app/application.h"
#include "app/main_loop.h"
#include "app/subsystem_hooks.h"
#include "app/title_screen.h"
#include "fs/vfs.h"
#include "ui/toolkit.h"
#include "ui/window_ids.h"
#include "ui/windows.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <SDL/SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int SIDE = 616;

struct TitleSetUp {
    Application* app = nullptr;
    TitleSetUp() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        SDL_Init(SDL_INIT_VIDEO);
        TTF_Init();
        IMG_Init(IMG_INIT_PNG);
        vfsInit("bench");
        vfsMount(std::string(QH_BUILD_DIR) + "/", "");
        app = createApplication();
        app->screen.surface = SDL_SetVideoMode(SIDE, SIDE, 32, SDL_SWSURFACE);
        app->screen.uiScale = SIDE / 462.0f;
        app->settings.setDefaults();
        hooks::loadCataloguesBeforeSettings(*app);
        hooks::loadInterfaceImages(*app);
        hooks::buildMainMenuWindows(*app);
        loadTitlePictures(*app);
        hooks::openWindow(*app, WIN_MAIN_MENU, OPEN_FROM_BOTTOM, "");
        for (int i = 0; i < 400; ++i) {
            const GameWindow* top = topWindow(app->windowManager);
            if (top && top->state == WINDOW_OPEN) break;
            updateWindows(*app, 10);
        }
    }
};

Application& titleApp() {
    static TitleSetUp setUp;
    return *setUp.app;
}

// The slideshow stopped halfway through a cross-fade (`fade`) or a slide.
void midMove(Application& app, bool fade) {
    TitleScreen& t = app.titleScreen;
    t.backgroundFade = -1;
    t.logoSlide = -1;
    t.logoX = 0;
    if (fade) {
        if (!t.nextBackground) t.nextBackground = SDL_DisplayFormat(t.background);
        t.backgroundFade = 1250;
        t.backgroundAlpha = 128;
        t.nextBackgroundAlpha = 127;
    } else {
        if (!t.nextLogo) t.nextLogo = SDL_DisplayFormatAlpha(t.logo);
        t.logoSlide = 1250;
        t.logoX = SIDE / 2;
        t.nextLogoX = t.logoX - SIDE;
    }
}

void BM_TitlePictures(benchmark::State& state) {
    Application& app = titleApp();
    midMove(app, state.range(0) == 0);
    SDL_Surface* screen = app.screen.surface;
    for (auto _ : state) {
        drawTitleScreen(app);
        benchmark::DoNotOptimize(screen->pixels);
    }
}

void BM_TitleMenuWindow(benchmark::State& state) {
    Application& app = titleApp();
    for (auto _ : state) {
        hooks::drawWindows(app, 0);
        benchmark::DoNotOptimize(app.screen.surface->pixels);
    }
}

// The whole frame through the real loop, kept drawing by a dirty mark.
void BM_TitleWholeFrame(benchmark::State& state) {
    Application& app = titleApp();
    app.settings.targetFps = 1000; // the pacing sleeps as little as it can
    for (auto _ : state) {
        midMove(app, state.range(0) == 0);
        app.frameDirty = true;
        runFrame(app, 0);
    }
}

// A frame in which only the slideshow moves: drawn where nothing covers
// the moving pictures, as the loop does it.
void BM_TitleSlideshowFrame(benchmark::State& state) {
    Application& app = titleApp();
    app.settings.targetFps = 1000;
    app.frameDirty = true;
    runFrame(app, 0);
    for (auto _ : state) {
        midMove(app, state.range(0) == 0);
        runFrame(app, 0);
    }
}

} // namespace

// Argument 0: mid cross-fade of the backgrounds; 1: mid slide of the logos.
BENCHMARK(BM_TitlePictures)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TitleMenuWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TitleWholeFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TitleSlideshowFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
