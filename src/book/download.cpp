#include "book/download.h"

#include "app/game_state.h"
#include "book/book_catalogue.h"
#include "character/character.h"
#include "fs/file_system.h"
#include "fs/raw_write.h"
#include "fs/vfs.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

namespace {

// An index page larger than this is not a cover listing.
constexpr size_t MAX_INDEX_PAGE = 4 * 1024 * 1024;
constexpr size_t MAX_COVER_NAME = 200;

bool startsWithNoCase(const char* data, size_t size, const char* prefix) {
    for (size_t i = 0; prefix[i]; ++i) {
        if (i >= size) return false;
        if (std::tolower(static_cast<unsigned char>(data[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

// "HTTP/1.1 404 Not Found" -> 404; 0 when the line is not a status line.
int statusOf(const std::string& line) {
    if (line.compare(0, 5, "HTTP/") != 0) return 0;
    size_t space = line.find(' ');
    return space == std::string::npos ? 0 : parseInt(line.substr(space + 1));
}

bool isSuccessStatus(int status) {
    return status >= 200 && status <= 299;
}

// Header names are matched without regard to case: HTTP/2 sends them in lower case.
void readHeaderLine(const char* data, size_t size, int& status, int& length) {
    std::string line(data, size);
    if (int s = statusOf(line)) {
        status = s;
        length = 0; // a new answer (after an interim one) announces its own length
        return;
    }
    static const char* const KEY = "content-length:";
    if (!startsWithNoCase(data, size, KEY)) return;
    length = std::max(0, parseInt(line.substr(15)));
}

size_t jobHeader(char* data, size_t size, size_t count, void* user) {
    DownloadJob* job = static_cast<DownloadJob*>(user);
    readHeaderLine(data, size * count, job->status, job->expectedLength);
    return size * count;
}

size_t jobWrite(char* data, size_t size, size_t count, void* user) {
    DownloadJob* job = static_cast<DownloadJob*>(user);
    size_t bytes = size * count;
    if (!job->file.isOpen()) {
        // An error page is never saved, however long it is.
        if (!isSuccessStatus(job->status)) return 0;
        job->file = openWrite(job->localPath);
        if (!job->file.isOpen()) {
            job->writeError = true;
            return 0;
        }
    }
    if (!writeRawBytes(job->file, data, bytes)) {
        job->writeError = true;
        return 0;
    }
    job->written += static_cast<int>(std::min<size_t>(bytes, 0x7fffffff - job->written));
    if (job->watcher) job->watcher->progress(job->written, job->expectedLength);
    if (job->watcher && !job->watcher->keepGoing()) {
        job->expectedLength = 0;
        job->cancelled = true;
        return 0;
    }
    return bytes;
}

// Also called while no data arrives, so that a stalled server can be left with Escape.
int jobIdle(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    DownloadJob* job = static_cast<DownloadJob*>(user);
    if (job->cancelled) return 1;
    if (job->watcher && !job->watcher->keepGoing()) {
        job->expectedLength = 0;
        job->cancelled = true;
        return 1;
    }
    return 0;
}

// One libcurl transfer: only http and https, no redirects, no time-out.
CURLcode perform(const std::string& url, curl_write_callback header, curl_write_callback write,
                 void* data, curl_xferinfo_callback idle) {
    CURL* curl = curl_easy_init();
    if (!curl) return CURLE_FAILED_INIT;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, header);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, data);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, write);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, data);
    if (idle) {
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, idle);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, data);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    }
    CURLcode result = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    return result;
}

// The cover folder's index page, in memory.
struct PageFetch {
    TransferWatcher* watcher = nullptr;
    std::string page;
    int status = 0;
    int length = 0;
    bool missing = false; // "404 Not Found"
};

size_t pageHeader(char* data, size_t size, size_t count, void* user) {
    PageFetch* fetch = static_cast<PageFetch*>(user);
    size_t bytes = size * count;
    std::string line(data, bytes);
    readHeaderLine(data, bytes, fetch->status, fetch->length);
    if (line.find("404 Not Found") != std::string::npos ||
        (fetch->status >= 400 && statusOf(line))) {
        fetch->missing = true;
        return 0;
    }
    return bytes;
}

size_t pageWrite(char* data, size_t size, size_t count, void* user) {
    PageFetch* fetch = static_cast<PageFetch*>(user);
    size_t bytes = size * count;
    if (!isSuccessStatus(fetch->status) || fetch->page.size() + bytes > MAX_INDEX_PAGE) return 0;
    fetch->page.append(data, bytes);
    return bytes;
}

int pageIdle(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    PageFetch* fetch = static_cast<PageFetch*>(user);
    return !fetch->watcher || fetch->watcher->keepGoing() ? 0 : 1;
}

std::string twoDigits(int number) {
    return (number >= 0 && number < 10 ? "0" : "") + std::to_string(number);
}

void remount(const std::string& realPath, const std::string& mountPoint) {
    vfsUnmount(realPath); // a replaced archive must not be read through its old handle
    vfsMount(realPath, mountPoint);
}

} // namespace

bool loadDownloadServers(DownloadServers& servers, const std::string& path) {
    servers = DownloadServers();
    servers.bookFolderUrl = "http://book-archive.invalid/books/";
    servers.coverFolderUrl = "http://book-archive.invalid/covers/";
    servers.fanArt1Url = "http://book-archive.invalid/fanart/fanart1.zip";
    servers.fanArt2Url = "http://book-archive.invalid/fanart/fanart2.zip";
    servers.versionUrl = "http://book-archive.invalid/quillhaven/curr_ver.txt";
    servers.donationUrl = "http://book-archive.invalid/donate.html";
    servers.loaded = true;
    DataFile file = openRead(path);
    if (!file.isOpen()) {
        std::printf("Couldn't open %s: using the placeholder download addresses.\n", path.c_str());
        return false;
    }
    std::string key, value;
    while (readValue(file, key)) {
        std::string* target = nullptr;
        if (key == "BOOK_FOLDER_URL:")
            target = &servers.bookFolderUrl;
        else if (key == "COVER_FOLDER_URL:")
            target = &servers.coverFolderUrl;
        else if (key == "FANART1_URL:")
            target = &servers.fanArt1Url;
        else if (key == "FANART2_URL:")
            target = &servers.fanArt2Url;
        else if (key == "VERSION_URL:")
            target = &servers.versionUrl;
        else if (key == "DONATION_URL:")
            target = &servers.donationUrl;
        if (target && readValue(file, value)) *target = value;
    }
    closeFile(file);
    return true;
}

const DownloadServers& downloadServers(DownloadServers& servers) {
    if (!servers.loaded) loadDownloadServers(servers);
    return servers;
}

bool downloadFile(const std::string& url, const std::string& localPath,
                  TransferWatcher* watcher) {
    DownloadJob job;
    job.watcher = watcher;
    job.localPath = localPath;
    if (watcher) watcher->started();
    CURLcode result = perform(url, jobHeader, jobWrite, &job, jobIdle);
    bool lengthOk = job.expectedLength >= MIN_DOWNLOAD_LENGTH || localPath == VERSION_FILE;
    bool ok = result == CURLE_OK && lengthOk && !job.cancelled && !job.writeError &&
              isSuccessStatus(job.status) && job.written >= job.expectedLength;
    if (job.file.isOpen()) {
        // Only a complete transfer replaces the target; otherwise the partial
        // copy is dropped and any older file stays as it was.
        if (!ok) job.file.writeFailed = true;
        if (!closeFile(job.file)) ok = false;
    }
    if (job.status && !isSuccessStatus(job.status))
        std::printf("Download of %s failed: the server answered %d\n", url.c_str(), job.status);
    else if (result != CURLE_OK && !job.cancelled)
        std::printf("Download of %s failed: %s\n", url.c_str(), curl_easy_strerror(result));
    return ok && vfsExists(localPath);
}

bool downloadBook(const Catalogues& catalogues, const DownloadServers& servers, int number,
                  TransferWatcher* watcher) {
    const BookEntry* book = findBook(catalogues, number);
    if (!book) return false;
    return downloadFile(servers.bookFolderUrl + book->code + ".zip", bookArchivePath(*book),
                        watcher);
}

std::vector<std::string> parseCoverIndex(const std::string& page, int number) {
    std::vector<std::string> names;
    std::string prefix = "GS" + twoDigits(number);
    for (size_t at = page.find("GS"); at != std::string::npos; at = page.find("GS", at + 2)) {
        size_t jpg = page.find(".jpg", at);
        if (jpg == std::string::npos) break;
        std::string name = page.substr(at, jpg + 4 - at);
        if (name.compare(0, 4, prefix) != 0) continue;
        if (name.find("thumb") != std::string::npos || name.find('<') != std::string::npos ||
            name.find("..&gt") != std::string::npos)
            continue;
        // The name becomes a file in the covers folder: never a path.
        if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
            name.find("..") != std::string::npos || name.size() > MAX_COVER_NAME)
            continue;
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
}

bool listCovers(const DownloadServers& servers, int number, std::vector<std::string>& names,
                TransferWatcher* watcher) {
    names.clear();
    PageFetch fetch;
    fetch.watcher = watcher;
    CURLcode result = perform(servers.coverFolderUrl, pageHeader, pageWrite, &fetch, pageIdle);
    if (result != CURLE_OK || fetch.missing || !isSuccessStatus(fetch.status)) return false;
    names = parseCoverIndex(fetch.page, number);
    return true;
}

CoverOutcome downloadCovers(const DownloadServers& servers, int number,
                            TransferWatcher* watcher) {
    std::vector<std::string> names;
    if (!listCovers(servers, number, names, watcher)) return CoverOutcome::IndexFailed;
    std::string folder = "data/books/book" + std::to_string(number) + "/covers/";
    bool fetched = false;
    for (const std::string& name : names) {
        if (vfsExists(folder + name)) continue;
        if (downloadFile(servers.coverFolderUrl + name, folder + name, watcher))
            fetched = true;
    }
    return fetched ? CoverOutcome::Fetched : CoverOutcome::NothingNew;
}

bool downloadFanArt(const DownloadServers& servers, const FileSystemPaths& paths,
                    const std::vector<BookEntry>& books, TransferWatcher* watcher) {
    bool first = downloadFile(servers.fanArt1Url, "/data/fanart/fanart1.zip", watcher);
    bool second = downloadFile(servers.fanArt2Url, "/data/fanart/fanart2.zip", watcher);
    if (first || second) mountFanArt(paths, books);
    return first && second;
}

void mountFanArt(const FileSystemPaths& paths, const std::vector<BookEntry>& books) {
    // Downloads land in the user folder, whose copy comes before the program's own.
    for (const BookEntry& book : books) {
        std::string name = "fanart" + std::to_string(book.number);
        for (const std::string& root : {paths.userFolder, paths.baseDir}) {
            if (root.empty()) continue;
            std::string real = realPath(paths, root, {"data", "fanart", name + ".zip"});
            std::error_code error;
            if (std::filesystem::exists(real, error)) remount(real, name);
        }
    }
}

bool compareVersions(const std::string& current, const std::string& published) {
    auto split = [](const std::string& v, int part[3]) {
        size_t first = v.find('.');
        size_t last = v.rfind('.');
        if (first == std::string::npos) {
            part[0] = parseInt(v);
            part[1] = part[2] = 0;
            return;
        }
        part[0] = parseInt(v.substr(0, first));
        part[1] = last > first ? parseInt(v.substr(first + 1, last - first - 1)) : 0;
        part[2] = parseInt(v.substr(last + 1));
    };
    int c[3], p[3];
    split(current, c);
    split(published, p);
    if (c[0] != p[0]) return c[0] > p[0];
    if (c[1] != p[1]) return c[1] > p[1];
    return c[2] >= p[2];
}

bool fetchPublishedVersion(const DownloadServers& servers, std::string& published,
                           TransferWatcher* watcher) {
    if (!downloadFile(servers.versionUrl, VERSION_FILE, watcher)) return false;
    DataFile file = openRead(VERSION_FILE);
    if (!file.isOpen()) return false;
    std::string line;
    bool read = readValue(file, line);
    closeFile(file);
    vfsDelete(VERSION_FILE);
    if (!read || line.empty()) return false;
    published = line;
    return true;
}
