#include "app/program.h"

#include "app/application.h"
#include "app/console_mode.h"
#include "app/file_system_startup.h"
#include "app/intro.h"
#include "app/main_loop.h"
#include "app/subsystem_hooks.h"
#include "fs/file_system.h"
#include "fs/physfs_rwops.h"
#include "fs/vfs.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <SDL/SDL_ttf.h>
#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

const auto PROGRAM_START = std::chrono::steady_clock::now();

// Window caption: "Greystar - A Role Playing Adventure v1.17.0"; icon title "Quillhaven v1.17.0".
void setCaptionAndIcon() {
    const std::string caption =
        std::string("Greystar - A Role Playing Adventure v") + VERSION_STRING;
    const std::string iconTitle = std::string("Quillhaven v") + VERSION_STRING;
    SDL_WM_SetCaption(caption.c_str(), iconTitle.c_str());
    // The window icon is cosmetic: set it from the data set when it is there.
    for (const char* path : {"data/gui/icon32.png", "data/gui/icon.png"}) {
        if (!vfsExists(path)) continue;
        SDL_RWops* rw = PHYSFSRWOPS_openRead(path);
        SDL_Surface* icon = rw ? IMG_Load_RW(rw, 1) : nullptr;
        if (icon) {
            SDL_WM_SetIcon(icon, nullptr);
            SDL_FreeSurface(icon);
        }
        break;
    }
}

int desktopWidth(const Application& app) {
    return app.settings.desktop.width;
}
int desktopHeight(const Application& app) {
    return app.settings.desktop.height;
}

void reportStartupTime(long long ms) {
    if (!std::getenv("QUILLHAVEN_REPORT_STARTUP")) return;
    std::printf("Start-up to the first intro frame: %lld ms\n", ms);
    std::fflush(stdout);
}

// For bench/run-all.sh: how the frames of the run went, and how many were drawn.
void reportFrames(const Application& app) {
    if (!std::getenv("QUILLHAVEN_REPORT_FRAMES")) return;
    const FramePacer& p = app.pacer;
    std::printf("Frames: title %ld, worst gap %d ms; play %ld, worst gap %d ms; "
                "entering play %d ms; drawn %ld\n",
                p.frames[0], p.worstFrameMs[0], p.frames[1], p.worstFrameMs[1], p.switchFrameMs,
                app.framesDrawn);
    std::fflush(stdout);
}

} // namespace

void markFirstFrame(Application& app) {
    if (app.firstFrameMs) return;
    app.firstFrameMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - PROGRAM_START)
                           .count();
    if (app.firstFrameMs == 0) app.firstFrameMs = 1;
    reportStartupTime(app.firstFrameMs);
}

int firstWindowId(bool autoCheckUpdate, bool updateIsNewer, bool shownUpdateChoice,
                  int startCount) {
    if (autoCheckUpdate && updateIsNewer) return 40; // update available
    if (!shownUpdateChoice) return 47;               // ask about automatic update checks
    if (startCount == 10) return 48;                 // the one-time notice on the tenth start
    return 0;                                        // main menu
}

void startUp(Application& app, const char* argv0) {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "Unable to initialize SDL: %s\n", SDL_GetError());
        std::exit(1);
    }
    SDL_EnableKeyRepeat(200, 20);
    TTF_Init();
    curl_global_init(CURL_GLOBAL_ALL);

    bool mounted = false;
    if (!vfsInit(argv0))
        std::printf("Couldn't initialize PHYSFS... Unable to access any files. Aborting...\n");
    else
        mounted = mountFileSystem(app, vfsBaseDir());

    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
    setCaptionAndIcon();
    if (!mounted) {
        std::fflush(stdout);
        SDL_Delay(START_FAILURE_PAUSE_MS);
        shutDownAndExit(app, 1);
    }
}

bool setVideoMode(Application& app) {
    if (app.screen.skin) {
        SDL_FreeSurface(app.screen.skin);
        app.screen.skin = nullptr;
    }
    const Settings& s = app.settings;
    int w, h, bpp = 0;
    Uint32 flags = SDL_SWSURFACE;
    if (!app.playing) {
        w = h = titleWindowSide(desktopHeight(app));
    } else if (s.useFullscreen) {
        w = s.fullscreenWidth;
        h = s.fullscreenHeight;
        bpp = s.fullscreenBpp;
        flags |= SDL_FULLSCREEN;
    } else {
        w = fitWindowSide(s.windowedWidth, desktopWidth(app));
        h = fitWindowSide(s.windowedHeight, desktopHeight(app));
    }
    SDL_Surface* screen = SDL_SetVideoMode(w, h, bpp, flags);
    if (!screen) {
        std::printf("Couldn't set video mode of %dx%d at %d bit-depth. Trying something else...\n",
                    w, h, bpp);
        screen = SDL_SetVideoMode(640, 480, 0, SDL_SWSURFACE);
        if (!screen) {
            std::printf("Couldn't even set a standard 640x480 window... Serious Error! "
                        "Aborting.\n");
            app.screen.surface = SDL_GetVideoSurface();
            return false;
        }
    }
    app.screen.surface = screen;
    app.screen.uiScale = uiScaleFor(screen->h, app.playing);
    return true;
}

void shutDown(Application& app) {
    reportFrames(app);
    hooks::saveProfiles(app);
    if (hooks::screenStatus(app).pagePanelsExist && !hooks::allowMidSaves(app))
        hooks::writeResumeSave(app);
    if (vfsIsInitialised()) app.settings.save("settings.txt");

    // Every image and font the record holds goes before the libraries do.
    hooks::releaseSubsystems(app);
    if (app.screen.skin) SDL_FreeSurface(app.screen.skin);
    app.screen.skin = nullptr;
    if (app.progressBar.image) SDL_FreeSurface(app.progressBar.image);
    app.progressBar.image = nullptr;
    freeTitlePictures(app.titleScreen);
    if (&app == theApp) destroyApplication();

    vfsDeinit();
    curl_global_cleanup();
    if (TTF_WasInit()) TTF_Quit();
    IMG_Quit();
    SDL_Quit();
}

void shutDownAndExit(Application& app, int status) {
    shutDown(app);
    std::fflush(stdout);
    std::exit(status);
}

int runProgram(int argc, char** argv) {
    Application& app = *createApplication();
    setenv("SDL_VIDEO_CENTERED", "1", 1);
    startUp(app, argc > 0 ? argv[0] : "quillhaven");
    if (argc > 1) runConsoleMode(app, argv[1]); // never returns

    if (!setVideoMode(app)) {
        // Go on with whatever surface SDL has; without one nothing can be shown.
        if (!app.screen.surface) shutDownAndExit(app, 1);
    }
    if (!runIntro(app)) shutDownAndExit(app, 1);
    ++app.settings.progStartCount;

    if (hooks::profileExists(app)) {
        bool newer = app.settings.autoCheckUpdate && hooks::updateIsNewer(app);
        hooks::openWindow(app,
                          firstWindowId(app.settings.autoCheckUpdate, newer,
                                        app.settings.shownAutoUpdateChoice,
                                        app.settings.progStartCount),
                          2, "");
    } else {
        hooks::startFirstProfile(app);
    }

    runMainLoop(app);
    shutDown(app);
    return 0;
}
