// The one main loop: each frame handles the pending events, draws the screen,
// acts on the requests handlers left in the Application and paces itself.
#pragma once

#include "ui/window_ids.h"

#include "ui/window_manager.h"

#include <SDL/SDL_events.h>

struct Application;

void runMainLoop(Application& app);
// One frame; `elapsedMs` since the previous one.
void runFrame(Application& app, int elapsedMs);
void handleEvent(Application& app, const SDL_Event& event);
// Flip, sleep to the target rate and release the click lock in time.
void presentFrame(Application& app);
// A window slides, or the Random Number Table, combat or the results table runs.
bool somethingAnimates(const Application& app);
// Whether this frame must be drawn (see ui/frame_dirty.h): something marked
// it, an animation runs or the open windows changed since the last drawn frame.
bool frameIsDue(const Application& app);
// Leaves the title screens for play: 1 or more resumes the saved game, -1 starts anew.
void enterPlayMode(Application& app, int startValue);
// What the rules asked of the screen during the frame: windows (the death
// window among them), notices, the Combat Results Table viewer.
void showRuleRequests(Application& app);
// The book's cover, at once as a loading picture or until a key or click.
void showCover(Application& app, bool loading);

// Window open modes used by the loop.
constexpr int OPEN_FROM_BOTTOM = 2;
constexpr int OPEN_FROM_TOP = 8;
