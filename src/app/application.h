// The one record that owns all running state of the program, reached through
// the one global pointer `theApp`. Subsystems add their members here.
#pragma once

#include "fs/data_file.h"

struct Application {
    FileSystemPaths paths;
};

extern Application* theApp;
