// The virtual tree: the user folder first (the only write folder), then the
// program folder, the book archives and folders, the fan-art archives and the
// picture archives, each appended in that order so earlier ones hide later ones.
#pragma once

#include "fs/data_file.h"

#include <cstdint>
#include <initializer_list>
#include <string>

constexpr int STARTUP_BOOK_MOUNTS = 17;
extern const char* const COUNTERS_FILE; // "data/misc/ts.dat"

// What mounting needs to know of a book.
struct BookMountInfo {
    int number = 0;           // book number, 1-based
    std::string code;         // short code: mount point and archive name
    int64_t archiveSize = -1; // expected size of the downloaded archive
};

// Records the folders and makes the write folder; false when there is none.
bool establishFolders(FileSystemPaths& paths);
// The mounts of one book, at start-up and again after a download.
void mountBookFiles(const FileSystemPaths& paths, const BookMountInfo& book);
// The archive exists with the size the catalogue expects (or a size that
// cannot be determined).
bool isBookArchiveValid(const BookMountInfo& book);
void mountPictureArchives(const FileSystemPaths& paths, int catalogueSize);
// Creates the counters file with five zeros when it is missing anywhere in the tree.
bool ensureCountersFile();

// A real path under `root` from folder words joined with the platform separator.
std::string realPath(const FileSystemPaths& paths, const std::string& root,
                     std::initializer_list<std::string> words);
