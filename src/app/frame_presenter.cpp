// The frame presenter: flip, then sleep so the loop holds its target rate
// (twice as fast while something animates), and release the click lock.
#include "app/application.h"
#include "app/main_loop.h"
#include "app/subsystem_hooks.h"

#include <SDL/SDL.h>

namespace {

struct FrameClock {
    Uint32 lastPresent = 0;
    Uint32 fpsWindowStart = 0;
    int framesInWindow = 0;
    int framesPerSecond = 0;
};
FrameClock g_clock;

bool somethingAnimates(const Application& app) {
    const hooks::ScreenStatus st = hooks::screenStatus(app);
    return (st.windowCount > 0 && st.topWindowState != WINDOW_SHOWN) || st.randomTableShown ||
           st.combatRunning || st.resultsTableActive;
}

} // namespace

void presentFrame(Application& app) {
    const Uint32 now = SDL_GetTicks();
    if (g_clock.lastPresent == 0) g_clock.lastPresent = g_clock.fpsWindowStart = now;
    const int frameMs = static_cast<int>(now - g_clock.lastPresent);
    g_clock.lastPresent = now;

    ++g_clock.framesInWindow;
    if (now - g_clock.fpsWindowStart >= 1000) {
        g_clock.framesPerSecond = g_clock.framesInWindow;
        g_clock.framesInWindow = 0;
        g_clock.fpsWindowStart = now;
    }
    if (app.settings.showFps) hooks::drawFpsReadout(app, g_clock.framesPerSecond);
    if (app.skipFlip)
        app.skipFlip = false;
    else if (app.screen.surface)
        SDL_Flip(app.screen.surface);

    updateFrameDelay(app.pacer, app.settings.targetFps, somethingAnimates(app), frameMs);
    SDL_Delay(static_cast<Uint32>(app.pacer.frameDelay));
    updateClickLock(app.pacer, app.clickLock, frameMs);
}
