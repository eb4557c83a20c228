#include "app/application.h"
#include "book/book_flows.h"
#include "book/download_view.h"
#include "book/section_text.h"
#include "fs/vfs.h"
#include "http_server.h"
#include "support/test_env.h"

#include <SDL/SDL.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

namespace {

// Writes a zip holding `entries` (name, text) with Python's zipfile; its size.
long makeZip(const std::string& path, const std::string& name, const std::string& text) {
    writeRealFile(path + ".txt", text);
    std::string cmd = "python3 -c \"import sys,zipfile; z=zipfile.ZipFile(sys.argv[1],'w'); "
                      "z.write(sys.argv[3], sys.argv[2]); z.close()\" '" +
                      path + "' '" + name + "' '" + path + ".txt'";
    if (std::system(cmd.c_str()) != 0) return -1;
    return static_cast<long>(readRealFile(path).size());
}

std::string bytes(size_t n, char seed) {
    std::string s(n, ' ');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(seed + i % 50);
    return s;
}

} // namespace

class DownloadTest : public VfsTest {
  protected:
    static void SetUpTestSuite() {
        root = new std::string(makeTempFolder("www"));
        writeRealFile(*root + "big.bin", bytes(8000, 'a'));
        writeRealFile(*root + "small.bin", bytes(200, 'b'));
        bookZipSize =
            makeZip(*root + "books/03tcos.zip", "en/xhtml/gs/03tcos/sect1.htm",
                    "<div id=\"body\">\n<p>Into the caverns.</p>\n" + std::string(400, '\n'));
        writeRealFile(*root + "covers/index.html",
                      "<html><body><ul>\n"
                      "<li><a href=\"GS05cover.jpg\">GS05cover.jpg</a></li>\n"
                      "<li><a href=\"GS05cover-thumb.jpg\">GS05cover-thumb.jpg</a></li>\n"
                      "</ul></body></html>\n");
        writeRealFile(*root + "covers/GS05cover.jpg", bytes(2000, 'c'));
        writeRealFile(*root + "ver/newer.txt", "1.17.1\r\n");
        writeRealFile(*root + "ver/same.txt", "1.17.0\r\n");
        server = new TestHttpServer(*root);
    }
    static void TearDownTestSuite() {
        delete server;
        delete root;
    }

    void SetUp() override {
        VfsTest::SetUp();
        ASSERT_GT(server->port(), 0) << "the test HTTP server did not start";
        app = std::make_unique<Application>();
        theApp = app.get();
        app->paths.userFolder = userFolder;
        app->paths.baseDir = makeTempFolder("base");
        app->paths.dirSeparator = "/";
        app->servers.loaded = true;
        app->servers.bookFolderUrl = server->url("files/books/");
        app->servers.coverFolderUrl = server->url("files/covers/");
        app->servers.fanArt1Url = server->url("files/big.bin");
        app->servers.fanArt2Url = server->url("missing/fanart2.zip");
        app->servers.versionUrl = server->url("files/ver/newer.txt");
    }
    void TearDown() override {
        theApp = nullptr;
        app.reset();
        if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_Quit();
        VfsTest::TearDown();
    }
    void openScreen() {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        ASSERT_NE(SDL_SetVideoMode(320, 240, 32, SDL_SWSURFACE), nullptr);
    }
    static void pushKey(SDLKey key) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = key;
        SDL_PushEvent(&e);
    }
    // Nothing of the download may stay in the user folder, not even its temporary copy.
    bool leftNothing(const std::string& path) {
        return !vfsExists(path) && !vfsExists(path + "~new");
    }

    static std::string* root;
    static TestHttpServer* server;
    static long bookZipSize;
    std::unique_ptr<Application> app;
};

std::string* DownloadTest::root = nullptr;
TestHttpServer* DownloadTest::server = nullptr;
long DownloadTest::bookZipSize = 0;

TEST_F(DownloadTest, BookArchiveDownloadsMountsAndItsFirstSectionLoads) {
    ASSERT_GT(bookZipSize, 0);
    app->catalogues.books[2].archiveSize = static_cast<int>(bookZipSize);
    EXPECT_EQ(checkBookStart(*app, 3), BookStart::NeedZip);
    MessageRequest failure;
    ASSERT_TRUE(runBookDownload(*app, 3, failure));
    EXPECT_EQ(readRealFile(userFile("data/books/book3/03tcos.zip")).size(),
              static_cast<size_t>(bookZipSize));
    EXPECT_EQ(checkBookStart(*app, 3), BookStart::Start);
    SectionPage page;
    page.bookCode = "03tcos";
    ASSERT_TRUE(loadSectionText(page, "sect1", app->game.messages));
    EXPECT_EQ(page.sectionName, "sect1");
    ASSERT_EQ(page.words.size(), 3u);
    EXPECT_EQ(page.words[2].text, "caverns.");
}

TEST_F(DownloadTest, FailedTransfersLeaveNoFile) {
    const std::string target = "data/books/book9/x.bin";
    // An error page, however long, is not a book.
    EXPECT_FALSE(downloadFile(server->url("missing/09tsg.zip"), target));
    EXPECT_TRUE(leftNothing(target));
    // No "Content-Length:".
    EXPECT_FALSE(downloadFile(server->url("nolength/big.bin"), target));
    EXPECT_TRUE(leftNothing(target));
    // The connection closes halfway.
    EXPECT_FALSE(downloadFile(server->url("truncated/big.bin"), target));
    EXPECT_TRUE(leftNothing(target));
    // Redirects are not followed, and their page is not saved either.
    EXPECT_FALSE(downloadFile(server->url("redirect/big.bin"), target));
    EXPECT_TRUE(leftNothing(target));
    // Shorter than any archive: taken for an error page.
    EXPECT_FALSE(downloadFile(server->url("files/small.bin"), target));
    EXPECT_TRUE(leftNothing(target));
    // No server at all.
    EXPECT_FALSE(downloadFile("http://127.0.0.1:1/big.bin", target));
    EXPECT_TRUE(leftNothing(target));
    // Not a web address.
    EXPECT_FALSE(downloadFile("file:///etc/passwd", target));
    EXPECT_TRUE(leftNothing(target));
}

TEST_F(DownloadTest, LowerCaseHeadersAndSlowServersStillDeliver) {
    EXPECT_TRUE(downloadFile(server->url("lower/big.bin"), "data/a.bin"));
    EXPECT_EQ(readRealFile(userFile("data/a.bin")), bytes(8000, 'a'));
    openScreen();
    ScreenTransferWatcher watcher(app->progressBar);
    EXPECT_TRUE(downloadFile(server->url("slow/big.bin"), "data/b.bin", &watcher));
    EXPECT_EQ(readRealFile(userFile("data/b.bin")), bytes(8000, 'a'));
    // The finished bar is red at the bottom right of the screen.
    SDL_Surface* screen = SDL_GetVideoSurface();
    Uint8 r, g, b;
    Uint32 pixel = static_cast<Uint32*>(screen->pixels)[232 * screen->pitch / 4 + 300];
    SDL_GetRGB(pixel, screen->format, &r, &g, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
}

// The transfer itself needs no window: whoever shows it only watches.
class CountingWatcher : public TransferWatcher {
  public:
    int starts = 0, reports = 0, lastDone = 0, lastTotal = 0;
    int stopAfter = -1; // reports before the watcher asks to stop; -1 never
    void started() override { ++starts; }
    void progress(int done, int total) override {
        ++reports;
        lastDone = done;
        lastTotal = total;
    }
    bool keepGoing() override { return stopAfter < 0 || reports < stopAfter; }
};

TEST_F(DownloadTest, AWatcherSeesTheProgressAndCanStopTheTransfer) {
    theApp = nullptr; // nothing of the Application is reached
    CountingWatcher all;
    EXPECT_TRUE(downloadFile(server->url("slow/big.bin"), "data/w.bin", &all));
    EXPECT_EQ(all.starts, 1);
    EXPECT_GT(all.reports, 1);
    EXPECT_EQ(all.lastDone, 8000);
    EXPECT_EQ(all.lastTotal, 8000);

    CountingWatcher stopping;
    stopping.stopAfter = 1;
    EXPECT_FALSE(downloadFile(server->url("slow/big.bin"), "data/x.bin", &stopping));
    EXPECT_TRUE(leftNothing("data/x.bin"));
    EXPECT_EQ(stopping.reports, 1);
}

TEST_F(DownloadTest, FailedRedownloadKeepsTheOldFile) {
    writeRealFile(userFile("data/keep.bin"), "old copy");
    EXPECT_FALSE(downloadFile(server->url("truncated/big.bin"), "data/keep.bin"));
    EXPECT_EQ(readRealFile(userFile("data/keep.bin")), "old copy");
    EXPECT_TRUE(downloadFile(server->url("files/big.bin"), "data/keep.bin"));
    EXPECT_EQ(readRealFile(userFile("data/keep.bin")), bytes(8000, 'a'));
}

TEST_F(DownloadTest, EscapeCancelsAndQuitIsKeptForTheMainLoop) {
    openScreen();
    pushKey(SDLK_a); // other events are dropped
    pushKey(SDLK_ESCAPE);
    MessageRequest failure;
    EXPECT_FALSE(runBookDownload(*app, 3, failure));
    EXPECT_TRUE(leftNothing("data/books/book3/03tcos.zip"));
    EXPECT_EQ(failure.title, "Download Failed");
    EXPECT_EQ(failure.caption2, "Try Again");
    EXPECT_EQ(failure.id2, BOOK_CMD_DOWNLOAD);

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    ScreenTransferWatcher watcher(app->progressBar);
    EXPECT_FALSE(downloadFile(server->url("slow/big.bin"), "data/c.bin", &watcher));
    EXPECT_TRUE(leftNothing("data/c.bin"));
    SDL_Event next;
    ASSERT_EQ(SDL_PollEvent(&next), 1);
    EXPECT_EQ(next.type, SDL_QUIT);
}

TEST_F(DownloadTest, EscapeReachesAStalledServer) {
    openScreen();
    std::thread press([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        pushKey(SDLK_ESCAPE);
    });
    auto start = std::chrono::steady_clock::now();
    ScreenTransferWatcher watcher(app->progressBar);
    EXPECT_FALSE(downloadFile(server->url("stall/big.bin"), "data/d.bin", &watcher));
    press.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(leftNothing("data/d.bin"));
}

TEST_F(DownloadTest, OnlyCatalogueBooksAreFetched) {
    EXPECT_FALSE(downloadBook(app->catalogues, app->servers, 0));
    EXPECT_FALSE(downloadBook(app->catalogues, app->servers, 21));
    app->servers.bookFolderUrl = server->url("missing/");
    MessageRequest failure;
    EXPECT_FALSE(runBookDownload(*app, 3, failure));
    EXPECT_EQ(failure.title, "Download Failed");
    EXPECT_EQ(failure.text.substr(0, 46), "Unable to automatically download the .zip file");
}

TEST_F(DownloadTest, CoversOfTheIndexPage) {
    EXPECT_EQ(downloadCovers(app->servers, 5), CoverOutcome::Fetched);
    EXPECT_EQ(readRealFile(userFile("data/books/book5/covers/GS05cover.jpg")), bytes(2000, 'c'));
    EXPECT_FALSE(vfsExists("data/books/book5/covers/GS05cover-thumb.jpg"));
    // Already here: nothing new.
    EXPECT_EQ(downloadCovers(app->servers, 5), CoverOutcome::NothingNew);
    EXPECT_EQ(downloadCovers(app->servers, 15), CoverOutcome::NothingNew);
    EXPECT_EQ(coverMessage(CoverOutcome::NothingNew).title, "Nothing Available");
    EXPECT_EQ(coverMessage(CoverOutcome::Fetched).title, "New Covers Downloaded");
    app->servers.coverFolderUrl = server->url("missing/covers/");
    EXPECT_EQ(downloadCovers(app->servers, 5), CoverOutcome::IndexFailed);
    EXPECT_EQ(coverMessage(CoverOutcome::IndexFailed).title, "Download Failed");
}

TEST(CoverIndex, NamesOfOneBookOnly) {
    std::string page = "<a href=\"GS05cover.jpg\">GS05cover.jpg</a> "
                       "<a href=\"GS05coverthumb.jpg\">x</a> GS15big.jpg GS5odd.jpg";
    EXPECT_EQ(parseCoverIndex(page, 5), std::vector<std::string>{"GS05cover.jpg"});
    EXPECT_EQ(parseCoverIndex(page, 15), std::vector<std::string>{"GS15big.jpg"});
    EXPECT_TRUE(parseCoverIndex(page, 7).empty());
    // Markup, paths and parent folders are never taken as names.
    EXPECT_TRUE(parseCoverIndex("GS05<b>x.jpg GS05/../../evil.jpg GS05..\\evil.jpg "
                                "GS05a..&gt;.jpg GS05..x.jpg",
                                5)
                    .empty());
    EXPECT_TRUE(parseCoverIndex("GS05 never ends", 5).empty());
}

TEST_F(DownloadTest, UpdateCheck) {
    EXPECT_TRUE(checkForUpdate(*app));
    EXPECT_EQ(app->publishedVersion, "1.17.1");
    EXPECT_FALSE(vfsExists("ver.txt"));
    EXPECT_EQ(publishedVersionLine(*app), "        Updated Version: 1.17.1");
    EXPECT_EQ(currentVersionLine(), "Current version: 1.17.0");
    app->servers.versionUrl = server->url("files/ver/same.txt");
    EXPECT_FALSE(checkForUpdate(*app));
    app->servers.versionUrl = server->url("missing/curr_ver.txt");
    EXPECT_FALSE(checkForUpdate(*app));
    EXPECT_FALSE(vfsExists("ver.txt"));
}

TEST_F(DownloadTest, FanArtFailureMessage) {
    MessageRequest failure;
    EXPECT_FALSE(runFanArtDownload(*app, failure));
    EXPECT_EQ(failure.title, "Download Failed");
    EXPECT_EQ(failure.targetWindow, WIN_MISC);
    EXPECT_TRUE(vfsExists("data/fanart/fanart1.zip"));
    EXPECT_FALSE(vfsExists("data/fanart/fanart2.zip"));
}

TEST(Versions, Comparisons) {
    EXPECT_TRUE(compareVersions("1.17.0", "1.17.0"));
    EXPECT_FALSE(compareVersions("1.17.0", "1.17.1")); // higher patch: newer
    EXPECT_TRUE(compareVersions("1.17.0", "1.16.9"));  // lower minor, higher patch: not newer
    EXPECT_FALSE(compareVersions("1.17.0", "2.0.0"));  // higher major: always newer
    EXPECT_FALSE(compareVersions("1.17.0", "1.18.0"));
    EXPECT_TRUE(compareVersions("2.0.0", "1.99.99"));
    EXPECT_TRUE(compareVersions("1.17.0", "garbage"));
    EXPECT_FALSE(compareVersions("1.17.0", "1.17.0.1")); // "17.0" and "1": patch 1
}

class BookStartTest : public VfsTest {};

TEST_F(BookStartTest, WhichMessageForWhichBook) {
    auto app = std::make_unique<Application>();
    theApp = app.get();
    app->paths.userFolder = userFolder;
    app->paths.baseDir = makeTempFolder("base");
    app->paths.dirSeparator = "/";
    MessageRequest m;

    EXPECT_EQ(checkBookStart(*app, 18), BookStart::CantPlay);
    ASSERT_TRUE(bookStartMessage(BookStart::CantPlay, m));
    EXPECT_EQ(m.title, "CAN'T PLAY BOOK");
    EXPECT_EQ(m.text, "You cannot play this book yet, but stay tuned for updates.");
    EXPECT_TRUE(m.caption2.empty());

    EXPECT_EQ(checkBookStart(*app, 4), BookStart::NeedZip);
    ASSERT_TRUE(bookStartMessage(BookStart::NeedZip, m));
    EXPECT_EQ(m.title, "Need Zip File");
    EXPECT_EQ(m.caption1, "Return");
    EXPECT_EQ(m.caption2, "Download");
    EXPECT_EQ(m.id2, BOOK_CMD_DOWNLOAD);

    writeRealFile(userFile("data/books/book4/04btim.zip"), "not the published archive");
    EXPECT_EQ(checkBookStart(*app, 4), BookStart::InvalidZip);
    ASSERT_TRUE(bookStartMessage(BookStart::InvalidZip, m));
    EXPECT_EQ(m.title, "Invalid Zip File");
    EXPECT_EQ(m.caption2, "Re-download");

    writeRealFile(userFile("04btim/sect1.htm"), "<p>unpacked</p>");
    EXPECT_EQ(checkBookStart(*app, 4), BookStart::Start);
    EXPECT_FALSE(bookStartMessage(BookStart::Start, m));
    theApp = nullptr;
}
