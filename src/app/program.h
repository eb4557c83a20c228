// Program entry, start-up, video modes and shutdown.
#pragma once

#include "app/version.h"

#include <string>

struct Application;

constexpr int START_FAILURE_PAUSE_MS = 2000;

// The whole program: returns the exit status.
int runProgram(int argc, char** argv);

// Libraries, file system (settings and catalogues included), caption and icon.
// Exits the process on the fatal errors.
void startUp(Application& app, const char* argv0);
// Sets the mode for the title screen or for play; false when not even
// 640 x 480 could be had.
bool setVideoMode(Application& app);
// Saves what must survive, releases everything (the record itself too, when
// it is `theApp`) and shuts the libraries down.
void shutDown(Application& app);
// shutDown, then the process ends with `status`.
[[noreturn]] void shutDownAndExit(Application& app, int status);

// The window for the current state: first the first window of program entry.
int firstWindowId(bool autoCheckUpdate, bool updateIsNewer, bool shownUpdateChoice, int startCount);

// Milliseconds from program start to the first frame of the intro (0 until shown).
long long startupMilliseconds();
void markFirstFrame();
