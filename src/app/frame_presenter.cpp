// The frame presenter: flip, then sleep so the loop holds its target rate
// (twice as fast while something animates), and release the click lock.
#include "app/application.h"
#include "app/main_loop.h"
#include "app/subsystem_hooks.h"
#include "ui/frame_rate.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

bool somethingAnimates(const Application& app) {
    const hooks::ScreenStatus st = hooks::screenStatus(app);
    return (st.windowCount > 0 && st.topWindowState != WINDOW_OPEN) || st.randomTableShown ||
           st.combatRunning || st.resultsTableActive;
}

namespace {

FrameRateStyle frameRateStyle(const Settings& s) {
    FrameRateStyle style;
    style.fontName = s.fpsFont;
    style.pointSize = s.fpsSize;
    style.colour = {s.fpsColor.r, s.fpsColor.g, s.fpsColor.b, 0};
    style.position = s.fpsPosition;
    return style;
}

// QUILLHAVEN_FRAME_LOG=file writes one line per loop turn, for finding where
// a frame's time goes on a busy machine: screen kind (0 title screens, 1 play),
// whether it drew, the milliseconds since the turn before and the CPU time
// the main thread spent in between (microseconds), which other programs'
// load does not move. Measuring only: the file is opened once, at the first
// turn, and closed by the process's exit.
void logFrame(const Application& app, int kind, int frameMs) {
    struct Log {
        std::FILE* file = nullptr;
        long lastDrawn = 0;
        long long lastCpuMicros = 0;
        Log() {
            const char* path = std::getenv("QUILLHAVEN_FRAME_LOG");
            if (path) file = std::fopen(path, "w");
            if (file) std::setvbuf(file, nullptr, _IOLBF, 0); // whole lines even if killed
        }
    };
    static Log log; // a measuring aid, like the reports of program.cpp
    if (!log.file) return;
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    const long long cpu = static_cast<long long>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
    std::fprintf(log.file, "%d %d %d %lld\n", kind, app.framesDrawn != log.lastDrawn ? 1 : 0,
                 frameMs, cpu - log.lastCpuMicros);
    log.lastDrawn = app.framesDrawn;
    log.lastCpuMicros = cpu;
}

} // namespace

void presentFrame(Application& app) {
    const Uint32 now = SDL_GetTicks();
    Uint32& last = app.pacer.lastPresentTicks;
    if (last == 0) last = now;
    const int frameMs = static_cast<int>(now - last);
    last = now;
    // The turn a menu chose to play in still shows the title screens.
    const int kind = app.playing && app.game.pendingStart == 0 ? 1 : 0;
    ++app.pacer.frames[kind];
    if (kind != app.pacer.lastKind)
        app.pacer.switchFrameMs = std::max(app.pacer.switchFrameMs, frameMs);
    else
        app.pacer.worstFrameMs[kind] = std::max(app.pacer.worstFrameMs[kind], frameMs);
    app.pacer.lastKind = kind;
    logFrame(app, kind, frameMs);

    if (app.settings.showFps && app.screen.surface)
        drawFrameRate(app.screen.surface, app.frameRate, frameMs, frameRateStyle(app.settings));
    if (app.skipFlip) {
        app.skipFlip = false;
    } else if (app.screen.surface) {
        if (!app.flipPartly)
            SDL_Flip(app.screen.surface);
        else if (!app.flipRects.empty())
            SDL_UpdateRects(app.screen.surface, static_cast<int>(app.flipRects.size()),
                            app.flipRects.data());
        ++app.framesFlipped;
    }
    app.flipPartly = false;
    app.flipRects.clear();

    updateFrameDelay(app.pacer, app.settings.targetFps, somethingAnimates(app), frameMs);
    SDL_Delay(static_cast<Uint32>(app.pacer.frameDelay));
    updateClickLock(app.pacer, app.clickLock, frameMs);
}
