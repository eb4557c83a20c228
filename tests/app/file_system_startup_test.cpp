// The start-up of the virtual tree as the program runs it: folders, mounts,
// settings and catalogues.
#include "app/application.h"
#include "app/file_system_startup.h"
#include "fs/vfs.h"
#include "support/test_env.h"

#include <cstdlib>

namespace {
// The built tree, as the program finds its own folder: fonts, catalogues and
// art are there, so start-up runs through to the end (a program folder
// without fonts would end the program at the font listing).
std::string programFolder() { return std::string(QH_BUILD_DIR) + "/"; }
} // namespace

TEST(FileSystemStartUp, StartsFromTheProgramFolderWithoutAWriteFolder) {
    vfsDeinit();
    const std::string oldHome = getenv("HOME");
    // "Documents" is a file: no user folder can be made, even by root.
    const std::string home = makeTempFolder("blocked");
    writeRealFile(home + "Documents", "x");
    setenv("HOME", home.c_str(), 1);
    ASSERT_TRUE(vfsInit("test"));
    {
        Application app;
        app.settings.desktop = {true, 1024, 768, 32};
        testing::internal::CaptureStdout();
        EXPECT_TRUE(mountFileSystem(app, programFolder()));
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(out.find("Unable to establish writing privileges"), std::string::npos);
        EXPECT_NE(out.find("Unable to write to the options file"), std::string::npos);
        EXPECT_EQ(vfsWriteDir(), "");
        EXPECT_EQ(app.settings.targetFps, 30);
    }
    setenv("HOME", oldHome.c_str(), 1);
    vfsDeinit();
}

TEST(FileSystemStartUp, FirstStartMakesTheUserFolderSettingsAndCounters) {
    vfsDeinit();
    const std::string oldHome = getenv("HOME");
    const std::string home = makeTempFolder("fresh");
    setenv("HOME", home.c_str(), 1);
    ASSERT_TRUE(vfsInit("test"));
    {
        Application app;
        app.settings.desktop = {true, 1024, 768, 32};
        testing::internal::CaptureStdout();
        EXPECT_TRUE(mountFileSystem(app, programFolder()));
        testing::internal::GetCapturedStdout();
        const std::string user = home + "Documents/Quillhaven/";
        EXPECT_EQ(app.paths.userFolder, user);
        EXPECT_EQ(readRealFile(user + "data/misc/ts.dat"), shiftBytes("0\r\n0\r\n0\r\n0\r\n0\r\n"));
        EXPECT_NE(readRealFile(user + "settings.txt").find("GAMEPLAY_SETTINGS:"),
                  std::string::npos);
        // The catalogues after the settings were read from the program folder.
        EXPECT_FALSE(app.fontNames.empty());
        EXPECT_GT(app.catalogues.items.size(), 200u);
    }
    setenv("HOME", oldHome.c_str(), 1);
    vfsDeinit();
}
