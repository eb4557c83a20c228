// Drawing and input while a transfer runs: the progress bar, drawn straight to
// the screen, and the event queue, polled so that Escape or closing the window
// cancels the transfer.
#pragma once

#include "book/download.h"

#include <SDL/SDL_video.h>

// The download progress bar: an optional frame picture with the bar's
// rectangle inside it (from "/data/misc/pb1.txt", loaded with the intro),
// placed by a keypad code (1 bottom left ... 9 top right).
struct ProgressBar {
    SDL_Surface* image = nullptr; // the frame, owned by the application; null: a plain bar
    SDL_Rect rect = {};           // the bar, relative to the frame
    int placement = 3;
    bool frameDrawn = false; // the frame is on screen already
};

// Draws the bar at done of total and pushes only its rectangle to the screen.
void drawProgress(int done, int total, ProgressBar& bar);
// Drains the event queue; false when the transfer must stop (Escape, or a
// quit, which is put back for the main loop).
bool pollDownloadEvents();

// The window's watcher: the bar on screen, Escape and quit listened for.
class ScreenTransferWatcher : public TransferWatcher {
  public:
    explicit ScreenTransferWatcher(ProgressBar& bar) : bar_(bar) {}
    void started() override { bar_.frameDrawn = false; }
    void progress(int done, int total) override { drawProgress(done, total, bar_); }
    bool keepGoing() override { return pollDownloadEvents(); }

  private:
    ProgressBar& bar_;
};
