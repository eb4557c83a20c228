#include "app/file_system_startup.h"

#include "app/application.h"
#include "app/subsystem_hooks.h"
#include "fs/file_system.h"
#include "fs/vfs.h"

#include <cstdio>

bool mountFileSystem(Application& app, const std::string& programFolder) {
    FileSystemPaths& paths = app.paths;
    const bool writable = establishFolders(paths);
    paths.baseDir = programFolder;
    if (writable && !vfsMount(paths.userFolder, ""))
        std::printf("Unable to add write folder to PHYSFS search path.\n");
    if (!vfsMount(paths.baseDir, "")) {
        std::printf("Unable to add main folder to PHYSFS search path. Unrecoverable error. "
                    "Aborting.\n");
        return false;
    }
    const std::vector<BookEntry>& books = app.catalogues.books;
    for (size_t i = 0; i < books.size() && i < STARTUP_BOOK_MOUNTS; ++i)
        mountBookFiles(paths, bookMountInfo(books[i]));
    mountPictureArchives(paths, static_cast<int>(books.size()));

    hooks::loadCataloguesBeforeSettings(app);
    app.settings.load("settings.txt");
    hooks::loadCataloguesAfterSettings(app);

    // Without any write folder the player has been warned that nothing will
    // be saved; the program still runs from its own folder.
    return !writable || ensureCountersFile();
}
