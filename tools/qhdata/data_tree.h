// Mounting a built data folder the way the game mounts its own, for the
// commands that load books without a window.
#pragma once

struct Catalogues;

// Mounts the folder that holds DATA_DIR at the root and every playable book at
// its code; loads the type registries and the item catalogue into `app`.
// False (with a line on stderr) when the folder cannot be mounted; `missing`
// counts the catalogues that could not be read.
bool mountDataTree(const char* argv0, const char* dataDir, Catalogues& app, int& missing);
