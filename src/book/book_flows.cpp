#include "book/book_flows.h"

#include "app/application.h"
#include "book/book_catalogue.h"
#include "character/character.h"
#include "fs/file_system.h"
#include "fs/vfs.h"

namespace {

MessageRequest message(const std::string& title, const std::string& text,
                       const std::string& caption2 = "", int id2 = BOOK_CMD_NONE) {
    MessageRequest m;
    m.title = title;
    m.text = text;
    m.targetWindow = WIN_BOOK_SELECT;
    m.caption1 = caption2.empty() ? "OK" : "Return";
    m.id1 = BOOK_CMD_NONE;
    m.caption2 = caption2;
    m.id2 = id2;
    return m;
}

bool sectionOneReadable(const BookEntry& book) {
    return vfsExists(book.code + "/sect1.htm") ||
           vfsExists(book.code + "/en/xhtml/gs/" + book.code + "/sect1.htm");
}

// Mounts the book again after its archive changed on disk: the old archive
// is let go first, or its stale directory would keep being read.
void remountBook(Application& app, const BookEntry& book) {
    std::string folder = "book" + std::to_string(book.number);
    std::string zip = book.code + ".zip";
    vfsUnmount(realPath(app.paths, app.paths.userFolder, {"data", "books", folder, zip}));
    vfsUnmount(realPath(app.paths, app.paths.baseDir, {"data", "books", folder, zip}));
    mountBookFiles(app.paths, bookMountInfo(book));
}

} // namespace

BookStart checkBookStart(Application& app, int number) {
    const BookEntry* book = findBook(app.catalogues, number);
    if (!book || !isBookPlayable(number)) return BookStart::CantPlay;
    if (sectionOneReadable(*book)) return BookStart::Start;
    if (!vfsExists(bookArchivePath(*book))) return BookStart::NeedZip;
    if (isBookArchiveValid(bookMountInfo(*book))) {
        remountBook(app, *book);
        if (sectionOneReadable(*book)) return BookStart::Start;
    }
    return BookStart::InvalidZip;
}

bool bookStartMessage(BookStart start, MessageRequest& out) {
    switch (start) {
    case BookStart::Start:
        return false;
    case BookStart::CantPlay:
        out = message(CANT_PLAY_BOOK_TITLE, CANT_PLAY_BOOK_TEXT);
        return true;
    case BookStart::NeedZip:
        out = message("Need Zip File",
                      "The .zip file of this book could not be found.``You can download it "
                      "now from Velmar, or place it`in the appropriate folder yourself.",
                      "Download", BOOK_CMD_DOWNLOAD);
        return true;
    case BookStart::InvalidZip:
        out = message("Invalid Zip File",
                      "The .zip file of this book is damaged or incomplete`(its size is not "
                      "the expected one).``You can download it again from Velmar.",
                      "Re-download", BOOK_CMD_DOWNLOAD);
        return true;
    }
    return false;
}

bool runBookDownload(Application& app, int number, MessageRequest& failure) {
    const BookEntry* book = findBook(app.catalogues, number);
    ScreenTransferWatcher watcher(app.progressBar);
    if (book && downloadBook(app.catalogues, downloadServers(app.servers), number, &watcher)) {
        remountBook(app, *book);
        return true;
    }
    failure = message("Download Failed",
                      "Unable to automatically download the .zip file!``You may need to manually "
                      "download the file from Velmar`and place it in the appropriate folder.``(Or "
                      "ensure you are connected to the internet and try again.)",
                      "", BOOK_CMD_NONE);
    failure.caption1 = "OK";
    failure.caption2 = "Try Again";
    failure.id2 = BOOK_CMD_DOWNLOAD;
    return false;
}

MessageRequest coverMessage(CoverOutcome outcome) {
    switch (outcome) {
    case CoverOutcome::Fetched:
        return message("New Covers Downloaded",
                       "At least one new book cover has been downloaded`for this book. You may "
                       "view it by using the arrows`located below the book cover image.");
    case CoverOutcome::NothingNew:
        return message("Nothing Available",
                       "There are currently no new book covers`available for this book on "
                       "Velmar.``(Or you were not connected to the internet)");
    case CoverOutcome::IndexFailed:
        break;
    }
    return message("Download Failed",
                   "Unable to download any cover art for this book!``You may need to manually "
                   "download/scan art and place it`in the appropriate folder``(Or ensure you are "
                   "connected to the internet and try again.)");
}

CoverOutcome runCoverDownload(Application& app, int number) {
    ScreenTransferWatcher watcher(app.progressBar);
    return downloadCovers(downloadServers(app.servers), number, &watcher);
}

bool runFanArtDownload(Application& app, MessageRequest& failure) {
    ScreenTransferWatcher watcher(app.progressBar);
    if (downloadFanArt(downloadServers(app.servers), app.paths, app.catalogues.books, &watcher))
        return true;
    failure = message("Download Failed",
                      "Unable to automatically download the .zip file(s)!``You may need to "
                      "manually download the file(s) from Velmar`and place it/them in the "
                      "appropriate folder.`");
    failure.targetWindow = WIN_MISC;
    return false;
}

std::string currentVersionLine() {
    return std::string("Current version: ") + VERSION_STRING;
}

std::string publishedVersionLine(const Application& app) {
    return "        Updated Version: " + app.publishedVersion;
}

bool checkForUpdate(Application& app) {
    ScreenTransferWatcher watcher(app.progressBar);
    std::string published;
    if (!fetchPublishedVersion(downloadServers(app.servers), published, &watcher)) return false;
    app.publishedVersion = published;
    return !compareVersions(VERSION_STRING, published);
}
