// The play screen as a player reaches it, for the benchmarks: the real
// start-up of the file system in a fresh home, a new campaign of book 1
// entered through the same call the main loop makes, at a chosen window size
// with SDL's dummy video driver.
#pragma once

#include "app/application.h"
#include "app/file_system_startup.h"
#include "app/main_loop.h"
#include "app/subsystem_hooks.h"
#include "book/section_page_view.h"
#include "fs/vfs.h"
#include "ui/tooltip.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <SDL/SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <string>

inline Application& playScreenApp(int width = 1280, int height = 1024) {
    static Application* app = [width, height] {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        char home[] = "/tmp/qh-bench-home-XXXXXX";
        if (mkdtemp(home)) setenv("HOME", home, 1);
        SDL_Init(SDL_INIT_VIDEO);
        TTF_Init();
        IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
        Application* a = createApplication();
        // Start-up notes its fresh home on standard output, where the
        // benchmark's JSON goes.
        std::fflush(stdout);
        const int out = dup(1);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) dup2(null, 1);
        vfsInit("bench");
        mountFileSystem(*a, std::string(QH_BUILD_DIR) + "/");
        a->settings.useFullscreen = false;
        a->settings.windowedWidth = width;
        a->settings.windowedHeight = height;
        a->settings.desktop.width = width * 2; // the window fits as asked
        a->settings.desktop.height = height * 2;
        a->settings.targetFps = 1000;
        enterPlayMode(*a, -1);
        std::fflush(stdout);
        if (out >= 0) dup2(out, 1);
        if (out >= 0) close(out);
        if (null >= 0) close(null);
        return a;
    }();
    return *app;
}

// Everything a play-screen frame draws, in the main loop's order, without
// the pacing and the flip.
inline void drawPlayFrame(Application& app, int elapsedMs) {
    SDL_Surface* screen = app.screen.surface;
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    if (app.screen.skin) SDL_BlitSurface(app.screen.skin, nullptr, screen, nullptr);
    hooks::drawPlayBackground(app);
    hooks::drawPagesAndButtons(app, elapsedMs);
    hooks::drawWindows(app, elapsedMs);
    hooks::drawOverlays(app, elapsedMs);
    drawTooltip(screen, app.tooltip);
}
