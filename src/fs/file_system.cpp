#include "fs/file_system.h"

#include "fs/vfs.h"

#include <cstdio>

const char* const COUNTERS_FILE = "data/misc/ts.dat";

namespace {
const char* const USER_SUBFOLDER = "Documents/Quillhaven/";
}

std::string realPath(const FileSystemPaths& paths, const std::string& root,
                     std::initializer_list<std::string> words) {
    std::string out = root;
    bool first = true;
    for (const std::string& w : words) {
        if (!first) out += paths.dirSeparator;
        out += w;
        first = false;
    }
    return out;
}

bool establishFolders(FileSystemPaths& paths) {
    paths.baseDir = vfsBaseDir();
    paths.dirSeparator = vfsDirSeparator();
    const std::string home = vfsUserDir();
    paths.userFolder = home + USER_SUBFOLDER;
    if (paths.dirSeparator != "/")
        for (char& c : paths.userFolder)
            if (c == '/') c = paths.dirSeparator[0];

    if (vfsSetWriteDir(paths.userFolder)) return true;
    // First run: make the folder from the home folder, then try again.
    if (vfsSetWriteDir(home)) {
        vfsMkdir("Documents/Quillhaven");
        if (vfsSetWriteDir(paths.userFolder)) return true;
    }
    vfsSetWriteDir("");
    std::printf("Unable to establish writing privileges for the file system.\nYou might be having "
                "problems later - No saving games,preferences, etc.\n");
    return false;
}

bool isBookArchiveValid(const BookMountInfo& book) {
    const std::string archive =
        "/data/books/book" + std::to_string(book.number) + "/" + book.code + ".zip";
    if (!vfsExists(archive)) return false;
    int64_t length = vfsFileLength(archive);
    return length < 0 || length == book.archiveSize;
}

void mountBookFiles(const FileSystemPaths& paths, const BookMountInfo& book) {
    const std::string n = std::to_string(book.number);
    const std::string folder = "book" + n;
    // Missing folders and archives simply fail to mount: nothing to report.
    vfsMount(realPath(paths, paths.baseDir, {"data", "books", folder, book.code}), book.code);
    if (isBookArchiveValid(book)) {
        vfsMount(realPath(paths, paths.baseDir, {"data", "books", folder, book.code + ".zip"}),
                 book.code);
        vfsMount(realPath(paths, paths.userFolder, {"data", "books", folder, book.code + ".zip"}),
                 book.code);
    }
    vfsMount(realPath(paths, paths.baseDir, {"data", "books", folder, n + "data"}), book.code);
    vfsMount(realPath(paths, paths.baseDir, {"data", "books", folder, n + "data.7z"}), book.code);
}

void mountPictureArchives(const FileSystemPaths& paths, int catalogueSize) {
    for (int i = 1; i <= catalogueSize; ++i) {
        const std::string name = "fanart" + std::to_string(i);
        vfsMount(realPath(paths, paths.baseDir, {"data", "fanart", name + ".zip"}), name);
    }
    vfsMount(realPath(paths, paths.baseDir, {"data", "misc", "itempics.zip"}), "item_pics");
    vfsMount(realPath(paths, paths.baseDir, {"data", "misc", "battlepics.zip"}), "battle_pics");
}

bool ensureCountersFile() {
    if (vfsExists(COUNTERS_FILE)) return true;
    DataFile file = openWrite(COUNTERS_FILE);
    bool ok = file.isOpen() && writeText(0, file, "0\n0\n0\n0\n0\n");
    if (file.isOpen()) {
        if (!ok) file.writeFailed = true;
        ok = closeFile(file) && ok;
    }
    if (!ok)
        std::printf("Unable to write to data folder. Please review folder permissions. "
                    "Aborting...\n");
    return ok;
}
