// Fetching over HTTP with libcurl: book archives, cover pictures, the fan-art
// archives and the one-line version file. Transfers run on the main thread and
// report to a TransferWatcher: the window's draws a progress bar and listens
// for Escape (download_view.h); tests and tools pass none. A download is
// written to a temporary file that replaces the target only when the whole
// transfer succeeded, so a failed one never leaves a file behind. Nothing here
// reaches the Application: callers pass the records a transfer needs.
#pragma once

#include "fs/data_file.h"

#include <string>
#include <vector>

struct BookEntry;
struct Catalogues;

// Whoever shows a transfer: told of its start and progress, and asked
// whether to go on (also while no data arrives, so a stalled server can be left).
class TransferWatcher {
  public:
    virtual ~TransferWatcher() = default;
    virtual void started() {}
    virtual void progress(int done, int total) {
        (void)done;
        (void)total;
    }
    // False stops the transfer: the player cancelled it.
    virtual bool keepGoing() { return true; }
};

// The addresses downloads come from, read from a plain file of the data set
// that users may edit. The program appends only file names to the two folders.
struct DownloadServers {
    std::string bookFolderUrl;  // + code ".zip"
    std::string coverFolderUrl; // its index page lists the covers; + cover name
    std::string fanArt1Url;
    std::string fanArt2Url;
    std::string versionUrl; // one line: the newest published version
    std::string donationUrl; // the page the donation notice opens in the browser
    bool loaded = false;
};

constexpr const char* SERVERS_FILE = "/data/misc/servers.txt";

// Reads the keys of SERVERS_FILE; a missing key keeps its placeholder default.
bool loadDownloadServers(DownloadServers& servers, const std::string& path = SERVERS_FILE);
// `servers`, read from SERVERS_FILE on first use.
const DownloadServers& downloadServers(DownloadServers& servers);

// One transfer in progress.
struct DownloadJob {
    TransferWatcher* watcher = nullptr;
    std::string localPath;
    DataFile file;          // opened when the first data arrives
    int expectedLength = 0; // from "Content-Length:"; 0 when none or cancelled
    int written = 0;
    int status = 0;          // HTTP status of the answer
    bool cancelled = false;  // Escape or quit
    bool writeError = false; // the file could not be opened or written
};

// Smallest announced length of a real download: error pages are shorter.
constexpr int MIN_DOWNLOAD_LENGTH = 350;
constexpr const char* VERSION_FILE = "ver.txt";

bool downloadFile(const std::string& url, const std::string& localPath,
                  TransferWatcher* watcher = nullptr);
// Fetches book `number`'s archive into "/data/books/book" N "/" code ".zip";
// false without a transfer outside the catalogue.
bool downloadBook(const Catalogues& catalogues, const DownloadServers& servers, int number,
                  TransferWatcher* watcher = nullptr);
// Cover names of book `number` found on the cover folder's index page; false
// when the page could not be fetched.
bool listCovers(const DownloadServers& servers, int number, std::vector<std::string>& names,
                TransferWatcher* watcher = nullptr);
// The scan of an index page: every "GS" up to the next ".jpg" that names book
// `number` ("GS05...") and is neither a thumbnail nor markup nor a path.
std::vector<std::string> parseCoverIndex(const std::string& page, int number);
enum class CoverOutcome { Fetched, NothingNew, IndexFailed };
// Fetches every listed cover not yet in "data/books/book" N "/covers/".
CoverOutcome downloadCovers(const DownloadServers& servers, int number,
                            TransferWatcher* watcher = nullptr);
// Both fan-art archives into "/data/fanart/"; mounts what arrived.
bool downloadFanArt(const DownloadServers& servers, const FileSystemPaths& paths,
                    const std::vector<BookEntry>& books, TransferWatcher* watcher = nullptr);
// Mounts every book's fan-art archive (user folder first) at "fanart" N.
void mountFanArt(const FileSystemPaths& paths, const std::vector<BookEntry>& books);
// The newest published version, from the one-line version file; false (and
// `published` untouched) when it cannot be fetched or read.
bool fetchPublishedVersion(const DownloadServers& servers, std::string& published,
                           TransferWatcher* watcher = nullptr);
// True when `current` is at least as new as `published` (major.minor.patch).
bool compareVersions(const std::string& current, const std::string& published);
