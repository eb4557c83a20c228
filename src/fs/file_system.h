// The virtual tree: the user folder first (the only write folder), then the
// program folder, the book archives and folders, the fan-art archives and the
// picture archives, each appended in that order so earlier ones hide later ones.
#pragma once

#include "app/subsystem_hooks.h"
#include "fs/data_file.h"

#include <initializer_list>
#include <string>

struct Application;

constexpr int STARTUP_BOOK_MOUNTS = 17;
extern const char* const COUNTERS_FILE; // "data/misc/ts.dat"

// The whole start-up of the file system; false on an unrecoverable error
// (its message printed). PhysicsFS must be initialised.
bool mountFileSystem(Application& app);

// The mounts of one book, by catalogue index (book number - 1); also after a download.
void mountBook(int index);
// The downloaded archive exists with the size the catalogue expects (or a
// size that cannot be determined).
bool isBookArchiveValid(int index);

// The pieces, for tests and callers that have the book's details at hand.
// Records the folders and makes the write folder; false when there is none.
bool establishFolders(FileSystemPaths& paths);
void mountBookFiles(const FileSystemPaths& paths, const hooks::BookMountInfo& book);
bool isBookArchiveValid(const hooks::BookMountInfo& book);
void mountPictureArchives(const FileSystemPaths& paths, int catalogueSize);
// Creates the counters file with five zeros when it is missing anywhere in the tree.
bool ensureCountersFile();

// A real path under `root` from folder words joined with the platform separator.
std::string realPath(const FileSystemPaths& paths, const std::string& root,
                     std::initializer_list<std::string> words);
