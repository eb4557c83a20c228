#include "support/test_env.h"

#include "fs/vfs.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

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

int main(int argc, char** argv) {
    char pattern[] = "/tmp/qhtest-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) return 1;
    g_home = made;
    setenv("HOME", g_home.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    std::error_code ec;
    fs::remove_all(g_home, ec);
    return rc;
}
