// Frame rate of the real frame presenter while a window slides in and out, on
// an 800x600 screen (dummy video driver): the loop should hold about twice
// TARGET_FPS during a slide. Reported as the "fps" counter.
#include "app/application.h"
#include "app/main_loop.h"
#include "app/subsystem_hooks.h"
#include "fs/vfs.h"
#include "ui/toolkit.h"
#include "ui/windows.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <SDL/SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

static void BM_WindowSlideFrameRate(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_Init(SDL_INIT_VIDEO);
    TTF_Init();
    IMG_Init(IMG_INIT_PNG);
    vfsInit("bench");
    vfsMount(std::string(QH_BUILD_DIR) + "/", "");
    Application* app = createApplication();
    app->screen.surface = SDL_SetVideoMode(800, 600, 32, SDL_SWSURFACE);
    app->screen.uiScale = 600 / 768.0f;
    app->playing = true;
    app->settings.setDefaults();
    app->settings.targetFps = static_cast<int>(state.range(0));
    hooks::loadCataloguesBeforeSettings(*app);
    hooks::loadInterfaceImages(*app);
    hooks::buildMainMenuWindows(*app);
    double frames = 0, seconds = 0;
    for (auto _ : state) {
        // One slide in and one slide out of the message box.
        showMessage("Slide", "A window on its way");
        Uint32 start = SDL_GetTicks(), last = start;
        bool closing = false;
        while (true) {
            Uint32 now = SDL_GetTicks();
            updateWindows(*app, static_cast<int>(now - last));
            last = now;
            presentFrame(*app);
            frames += 1;
            GameWindow* top = topWindow(app->windowManager);
            if (!top) break;
            if (top->state == WINDOW_OPEN && !closing) {
                closeWindow(WIN_MESSAGE, app->windowManager, 0);
                closing = true;
            }
        }
        seconds += (SDL_GetTicks() - start) / 1000.0;
    }
    state.counters["fps"] = seconds > 0 ? frames / seconds : 0;
    releaseWindows(*app);
    releaseToolkit(*app);
    destroyApplication();
    vfsDeinit();
    IMG_Quit();
    TTF_Quit();
    SDL_Quit();
}
BENCHMARK(BM_WindowSlideFrameRate)->Arg(30)->Arg(60)->Iterations(6)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
