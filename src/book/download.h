// Fetching over HTTP with libcurl: book archives, cover pictures, the fan-art
// archives and the one-line version file. Transfers run on the main thread;
// while one runs, a progress bar is drawn straight to the screen and the event
// queue is polled so that Escape or closing the window cancels it. A download
// is written to a temporary file that replaces the target only when the whole
// transfer succeeded, so a failed one never leaves a file behind.
#pragma once

#include "fs/data_file.h"

#include <SDL/SDL_video.h>

#include <string>
#include <vector>

struct Application;

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
// The servers of the application, read on first use.
const DownloadServers& downloadServers(Application& app);

// The download progress bar: an optional frame picture with the bar's
// rectangle inside it (from "/data/misc/pb1.txt", loaded with the intro),
// placed by a keypad code (1 bottom left ... 9 top right).
struct ProgressBar {
    SDL_Surface* image = nullptr; // the frame, owned by the application; null: a plain bar
    SDL_Rect rect = {};           // the bar, relative to the frame
    int placement = 3;
    bool frameDrawn = false; // the frame is on screen already
};

// One transfer in progress.
struct DownloadJob {
    Application* app = nullptr;
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

bool downloadFile(const std::string& url, const std::string& localPath);
// Fetches book `number`'s archive into "/data/books/book" N "/" code ".zip";
// false without a transfer outside the catalogue.
bool downloadBook(int number);
// Cover names of book `number` found on the cover folder's index page; false
// when the page could not be fetched.
bool listCovers(int number, std::vector<std::string>& names);
// The scan of an index page: every "GS" up to the next ".jpg" that names book
// `number` ("GS05...") and is neither a thumbnail nor markup nor a path.
std::vector<std::string> parseCoverIndex(const std::string& page, int number);
enum class CoverOutcome { Fetched, NothingNew, IndexFailed };
// Fetches every listed cover not yet in "data/books/book" N "/covers/".
CoverOutcome downloadCovers(int number);
// Both fan-art archives into "/data/fanart/"; mounts what arrived.
bool downloadFanArt();
// Mounts every book's fan-art archive (user folder first) at "fanart" N.
void mountFanArt(const Application& app);
// True when the published version is newer than ours; stores it in the
// application. Fails silently (false) when it cannot be fetched or read.
bool checkForUpdate(Application& app);
// True when `current` is at least as new as `published` (major.minor.patch).
bool compareVersions(const std::string& current, const std::string& published);

// download_view.cpp: drawing and input while a transfer runs.
// Draws the bar at done of total and pushes only its rectangle to the screen.
void drawProgress(int done, int total, ProgressBar& bar);
// Drains the event queue; false when the transfer must stop (Escape, or a
// quit, which is put back for the main loop).
bool pollDownloadEvents();
