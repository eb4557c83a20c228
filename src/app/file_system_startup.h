// Start-up of the virtual tree: folders, mounts, then the settings and the
// catalogues read from it.
#pragma once

struct Application;

#include <string>

// The whole start-up of the file system, with `programFolder` (ending in the
// separator) as the read-only program folder; false on an unrecoverable error
// (its message printed). PhysicsFS must be initialised.
bool mountFileSystem(Application& app, const std::string& programFolder);
