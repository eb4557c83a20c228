// The one wrapper over PhysicsFS. Nothing outside fs/ includes physfs.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Virtual paths may start with or without "/"; this gives the form PhysicsFS takes.
std::string vfsPath(const std::string& path);

bool vfsInit(const char* argv0);
void vfsDeinit();
bool vfsIsInitialised();
const char* vfsLastError();

// Folders. baseDir ends with the separator.
std::string vfsBaseDir();
std::string vfsDirSeparator();
// The user's home folder, ends with the separator.
std::string vfsUserDir();
bool vfsSetWriteDir(const std::string& realDir);
std::string vfsWriteDir(); // empty when there is none
// Appends a real folder or archive to the search path at a mount point ("" for the root).
bool vfsMount(const std::string& realPath, const std::string& mountPoint);
bool vfsUnmount(const std::string& realPath);

bool vfsExists(const std::string& path);
bool vfsIsDirectory(const std::string& path);
// -1 when the length cannot be determined or the file is missing.
int64_t vfsFileLength(const std::string& path);
int64_t vfsLastModified(const std::string& path);
// Sets the last-modified time (seconds since the epoch) of a file of the write folder.
bool vfsSetLastModified(const std::string& path, int64_t seconds);
bool vfsDelete(const std::string& path);
bool vfsMkdir(const std::string& path);
// Renames a file of the write folder over another (atomic on one file system).
bool vfsReplace(const std::string& fromPath, const std::string& toPath);
// The real path of a virtual path in the write folder ("" with no write folder).
std::string vfsRealWritePath(const std::string& path);
// Which real folder or archive provides a virtual file ("" when none).
std::string vfsRealDir(const std::string& path);

// Entry names of a folder, merged over the whole search path, sorted, without duplicates.
std::vector<std::string> vfsList(const std::string& folder);
// Names matching a wildcard pattern ("*" any run, "?" one byte), optionally ignoring case.
std::vector<std::string> vfsListWildcard(const std::string& folder, const std::string& pattern,
                                         bool caseSensitive);
bool wildcardMatch(const std::string& pattern, const std::string& name, bool caseSensitive);

// Whole-file helpers for raw bytes (no shift applied).
bool vfsReadAll(const std::string& path, std::string& out);
bool vfsWriteAll(const std::string& path, const std::string& bytes);
