#include "support/test_env.h"

#include "fs/vfs.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {
std::string g_home;
int g_counter = 0;
} // namespace

const std::string& testHome() { return g_home; }

std::string makeTempFolder(const std::string& prefix) {
    fs::path p = fs::path(g_home) / (prefix + std::to_string(++g_counter));
    fs::remove_all(p);
    fs::create_directories(p);
    return p.string() + "/";
}

std::string readRealFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeRealFile(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void VfsTest::SetUp() {
    vfsDeinit();
    ASSERT_TRUE(vfsInit("test"));
    userFolder = makeTempFolder("user");
    ASSERT_TRUE(vfsSetWriteDir(userFolder));
    ASSERT_TRUE(vfsMount(userFolder, ""));
}

void VfsTest::TearDown() { vfsDeinit(); }

void VfsTest::mountBuiltData() { ASSERT_TRUE(vfsMount(std::string(QH_BUILD_DIR) + "/", "")); }

namespace {
pid_t g_mainPid = 0;
bool g_testsFinished = false;
bool g_deathTestChild = false;

// Code under test that calls exit() (a missing font, a missing table) would
// otherwise end the program with status 0 and every test not yet run would
// count as passed. Death-test children are meant to exit: they are left alone.
void failIfEndedEarly() {
    if (g_testsFinished || g_deathTestChild || getpid() != g_mainPid) return;
    std::fprintf(stderr, "The test program ended before its tests had finished.\n");
    std::fflush(stdout);
    _exit(1);
}
} // namespace

int main(int argc, char** argv) {
    g_mainPid = getpid();
    for (int i = 1; i < argc; ++i)
        if (std::strstr(argv[i], "internal_run_death_test")) g_deathTestChild = true;
    std::atexit(failIfEndedEarly);
    char pattern[] = "/tmp/qhtest-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) return 1;
    g_home = made;
    setenv("HOME", g_home.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    g_testsFinished = true;
    std::error_code ec;
    fs::remove_all(g_home, ec);
    return rc;
}
