#include "fs/vfs.h"

#include <physfs.h>

#include <filesystem>

#include <fcntl.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>

std::string vfsPath(const std::string& path) {
    size_t start = 0;
    while (start < path.size() && path[start] == '/')
        ++start;
    return path.substr(start);
}

bool vfsInit(const char* argv0) {
    if (PHYSFS_isInit()) return true;
    return PHYSFS_init(argv0) != 0;
}

void vfsDeinit() {
    if (PHYSFS_isInit()) PHYSFS_deinit();
}

bool vfsIsInitialised() {
    return PHYSFS_isInit() != 0;
}

const char* vfsLastError() {
    PHYSFS_ErrorCode code = PHYSFS_getLastErrorCode();
    const char* text = PHYSFS_getErrorByCode(code);
    return text ? text : "unknown error";
}

std::string vfsBaseDir() {
    const char* d = PHYSFS_getBaseDir();
    return d ? d : "";
}

std::string vfsDirSeparator() {
    return PHYSFS_getDirSeparator();
}

std::string vfsUserDir() {
    // Deprecated in favour of per-application "pref" folders, but the program
    // keeps its files where players expect them: under Documents in the home folder.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const char* d = PHYSFS_getUserDir();
#pragma GCC diagnostic pop
    return d ? d : "";
}

bool vfsSetWriteDir(const std::string& realDir) {
    return PHYSFS_setWriteDir(realDir.empty() ? nullptr : realDir.c_str()) != 0;
}

std::string vfsWriteDir() {
    const char* d = PHYSFS_getWriteDir();
    return d ? d : "";
}

bool vfsMount(const std::string& realPath, const std::string& mountPoint) {
    return PHYSFS_mount(realPath.c_str(), mountPoint.empty() ? nullptr : mountPoint.c_str(), 1) !=
           0;
}

bool vfsUnmount(const std::string& realPath) {
    return PHYSFS_unmount(realPath.c_str()) != 0;
}

bool vfsExists(const std::string& path) {
    return PHYSFS_exists(vfsPath(path).c_str()) != 0;
}

bool vfsIsDirectory(const std::string& path) {
    PHYSFS_Stat st;
    if (!PHYSFS_stat(vfsPath(path).c_str(), &st)) return false;
    return st.filetype == PHYSFS_FILETYPE_DIRECTORY;
}

int64_t vfsFileLength(const std::string& path) {
    PHYSFS_File* f = PHYSFS_openRead(vfsPath(path).c_str());
    if (!f) return -1;
    PHYSFS_sint64 n = PHYSFS_fileLength(f);
    PHYSFS_close(f);
    return n;
}

int64_t vfsLastModified(const std::string& path) {
    PHYSFS_Stat st;
    if (!PHYSFS_stat(vfsPath(path).c_str(), &st)) return -1;
    return st.modtime;
}

bool vfsSetLastModified(const std::string& path, int64_t seconds) {
    const std::string real = vfsRealWritePath(path);
    if (real.empty()) return false;
    struct timeval times[2] = {{static_cast<time_t>(seconds), 0}, {static_cast<time_t>(seconds), 0}};
    return ::utimes(real.c_str(), times) == 0;
}

bool vfsDelete(const std::string& path) {
    return PHYSFS_delete(vfsPath(path).c_str()) != 0;
}

bool vfsMkdir(const std::string& path) {
    return PHYSFS_mkdir(vfsPath(path).c_str()) != 0;
}

std::string vfsRealWritePath(const std::string& path) {
    std::string dir = vfsWriteDir();
    if (dir.empty()) return "";
    std::string sep = vfsDirSeparator();
    if (dir.size() < sep.size() || dir.compare(dir.size() - sep.size(), sep.size(), sep) != 0)
        dir += sep;
    std::string rel = vfsPath(path);
    if (sep != "/") std::replace(rel.begin(), rel.end(), '/', sep[0]);
    return dir + rel;
}

namespace {
// Asks the disk to hold what was written to a file or a folder's entries.
bool syncToDisk(const std::string& realPath, bool folder) {
    const int fd = ::open(realPath.c_str(), folder ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}
} // namespace

bool vfsReplace(const std::string& fromPath, const std::string& toPath) {
    std::string from = vfsRealWritePath(fromPath), to = vfsRealWritePath(toPath);
    if (from.empty() || to.empty()) return false;
    // The new copy reaches the disk before it takes the old one's name, and
    // the rename itself right after: a power loss leaves the old file or the
    // new one, never an empty one.
    syncToDisk(from, false);
    if (std::rename(from.c_str(), to.c_str()) != 0) return false;
    syncToDisk(std::filesystem::path(to).parent_path().string(), true);
    return true;
}

std::string vfsRealDir(const std::string& path) {
    const char* d = PHYSFS_getRealDir(vfsPath(path).c_str());
    return d ? d : "";
}

std::vector<std::string> vfsList(const std::string& folder) {
    std::set<std::string> names;
    char** list = PHYSFS_enumerateFiles(vfsPath(folder).c_str());
    if (list) {
        for (char** i = list; *i; ++i)
            names.insert(*i);
        PHYSFS_freeList(list);
    }
    return {names.begin(), names.end()};
}

bool wildcardMatch(const std::string& pattern, const std::string& name, bool caseSensitive) {
    auto same = [caseSensitive](char a, char b) {
        if (caseSensitive) return a == b;
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    // Iterative matcher with one backtrack point: linear in practice, no recursion.
    size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<std::string> vfsListWildcard(const std::string& folder, const std::string& pattern,
                                         bool caseSensitive) {
    std::vector<std::string> out;
    for (const std::string& name : vfsList(folder))
        if (wildcardMatch(pattern, name, caseSensitive)) out.push_back(name);
    return out;
}

bool vfsReadAll(const std::string& path, std::string& out) {
    out.clear();
    PHYSFS_File* f = PHYSFS_openRead(vfsPath(path).c_str());
    if (!f) return false;
    char buf[16384];
    for (;;) {
        PHYSFS_sint64 n = PHYSFS_readBytes(f, buf, sizeof buf);
        if (n <= 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    PHYSFS_close(f);
    return true;
}

bool vfsWriteAll(const std::string& path, const std::string& bytes) {
    std::string vpath = vfsPath(path);
    size_t slash = vpath.rfind('/');
    if (slash != std::string::npos && slash > 0) PHYSFS_mkdir(vpath.substr(0, slash).c_str());
    std::string temp = vpath + "~new";
    PHYSFS_File* f = PHYSFS_openWrite(temp.c_str());
    if (!f) return false;
    bool ok = PHYSFS_writeBytes(f, bytes.data(), bytes.size()) ==
              static_cast<PHYSFS_sint64>(bytes.size());
    ok = PHYSFS_close(f) != 0 && ok;
    if (ok) ok = vfsReplace(temp, vpath);
    if (!ok) PHYSFS_delete(temp.c_str());
    return ok;
}
