// The frame presenter: flip, then sleep so the loop holds its target rate
// (twice as fast while something animates), and release the click lock.
#include "app/application.h"
#include "app/main_loop.h"
#include "app/subsystem_hooks.h"
#include "ui/frame_rate.h"

#include <SDL/SDL.h>

#include <algorithm>

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

} // namespace

void presentFrame(Application& app) {
    const Uint32 now = SDL_GetTicks();
    Uint32& last = app.pacer.lastPresentTicks;
    if (last == 0) last = now;
    const int frameMs = static_cast<int>(now - last);
    last = now;
    const int kind = app.playing ? 1 : 0;
    ++app.pacer.frames[kind];
    if (kind != app.pacer.lastKind)
        app.pacer.switchFrameMs = std::max(app.pacer.switchFrameMs, frameMs);
    else
        app.pacer.worstFrameMs[kind] = std::max(app.pacer.worstFrameMs[kind], frameMs);
    app.pacer.lastKind = kind;

    if (app.settings.showFps && app.screen.surface)
        drawFrameRate(app.screen.surface, app.frameRate, frameMs, frameRateStyle(app.settings));
    if (app.skipFlip)
        app.skipFlip = false;
    else if (app.screen.surface)
        SDL_Flip(app.screen.surface);

    updateFrameDelay(app.pacer, app.settings.targetFps, somethingAnimates(app), frameMs);
    SDL_Delay(static_cast<Uint32>(app.pacer.frameDelay));
    updateClickLock(app.pacer, app.clickLock, frameMs);
}
