// Start-up of the virtual tree: folders, mounts, then the settings and the
// catalogues read from it.
#pragma once

struct Application;

// The whole start-up of the file system; false on an unrecoverable error
// (its message printed). PhysicsFS must be initialised.
bool mountFileSystem(Application& app);
