#include "fs/file_system.h"
#include "fs/vfs.h"
#include "support/test_env.h"


namespace {

// A program folder and a user folder mounted in the order start-up uses.
class MountTest : public ::testing::Test {
  protected:
    void SetUp() override {
        vfsDeinit();
        ASSERT_TRUE(vfsInit("test"));
        paths.dirSeparator = "/";
        paths.baseDir = makeTempFolder("base");
        paths.userFolder = makeTempFolder("user");
        ASSERT_TRUE(vfsSetWriteDir(paths.userFolder));
        ASSERT_TRUE(vfsMount(paths.userFolder, ""));
        ASSERT_TRUE(vfsMount(paths.baseDir, ""));
    }
    void TearDown() override { vfsDeinit(); }
    std::string read(const std::string& path) {
        std::string out;
        vfsReadAll(path, out);
        return out;
    }
    FileSystemPaths paths;
};

// A stored (uncompressed) zip holding one file, enough for PhysicsFS to mount.
std::string storedZip(const std::string& name, const std::string& body) {
    auto u16 = [](std::string& s, unsigned v) {
        s += static_cast<char>(v & 0xFF);
        s += static_cast<char>((v >> 8) & 0xFF);
    };
    auto u32 = [&](std::string& s, unsigned v) {
        u16(s, v & 0xFFFF);
        u16(s, v >> 16);
    };
    unsigned crc = 0xFFFFFFFFu;
    for (unsigned char c : body) {
        crc ^= c;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc = ~crc;
    std::string local;
    u32(local, 0x04034b50);
    u16(local, 20), u16(local, 0), u16(local, 0), u16(local, 0), u16(local, 0);
    u32(local, crc), u32(local, body.size()), u32(local, body.size());
    u16(local, name.size()), u16(local, 0);
    local += name + body;
    std::string central;
    u32(central, 0x02014b50);
    u16(central, 20), u16(central, 20), u16(central, 0), u16(central, 0), u16(central, 0),
        u16(central, 0);
    u32(central, crc), u32(central, body.size()), u32(central, body.size());
    u16(central, name.size()), u16(central, 0), u16(central, 0), u16(central, 0), u16(central, 0);
    u32(central, 0), u32(central, 0);
    central += name;
    std::string end;
    u32(end, 0x06054b50);
    u16(end, 0), u16(end, 0), u16(end, 1), u16(end, 1);
    u32(end, central.size()), u32(end, local.size());
    u16(end, 0);
    return local + central + end;
}

} // namespace

TEST_F(MountTest, AUserCopyHidesTheProgramCopy) {
    writeRealFile(paths.baseDir + "data/misc/items.dat", "program");
    EXPECT_EQ(read("/data/misc/items.dat"), "program");
    writeRealFile(paths.userFolder + "data/misc/items.dat", "user");
    EXPECT_EQ(read("/data/misc/items.dat"), "user");
    EXPECT_EQ(read("data/misc/items.dat"), "user");
}

TEST_F(MountTest, AnArchiveOfTheWrongSizeIsNotMountedButTheFolderIs) {
    const std::string zip = storedZip("sect1.htm", "zipped section");
    writeRealFile(paths.baseDir + "data/books/book3/tb3.zip", zip);
    writeRealFile(paths.baseDir + "data/books/book3/tb3/sect2.htm", "unpacked section");
    writeRealFile(paths.baseDir + "data/books/book3/3data/rnt.dat", "table");

    BookMountInfo book{3, "tb3", static_cast<int64_t>(zip.size()) + 1};
    EXPECT_FALSE(isBookArchiveValid(book));
    mountBookFiles(paths, book);
    EXPECT_EQ(read("tb3/sect2.htm"), "unpacked section");
    EXPECT_EQ(read("tb3/rnt.dat"), "table");
    EXPECT_FALSE(vfsExists("tb3/sect1.htm"));

    BookMountInfo right{3, "tb3", static_cast<int64_t>(zip.size())};
    EXPECT_TRUE(isBookArchiveValid(right));
    mountBookFiles(paths, right);
    EXPECT_EQ(read("tb3/sect1.htm"), "zipped section");

    BookMountInfo missing{4, "tb4", 100};
    EXPECT_FALSE(isBookArchiveValid(missing));
    mountBookFiles(paths, missing); // nothing there: silently skipped
}

TEST_F(MountTest, PictureArchivesMountAtTheirPoints) {
    writeRealFile(paths.baseDir + "data/misc/itempics.zip", storedZip("sword.png", "p"));
    writeRealFile(paths.baseDir + "data/fanart/fanart2.zip", storedZip("ill1.png", "f"));
    mountPictureArchives(paths, 3);
    EXPECT_TRUE(vfsExists("item_pics/sword.png"));
    EXPECT_TRUE(vfsExists("fanart2/ill1.png"));
    EXPECT_FALSE(vfsExists("fanart1/ill1.png"));
}

TEST_F(MountTest, CountersFileIsCreatedShiftedOnceAndKeptAfterwards) {
    ASSERT_TRUE(ensureCountersFile());
    EXPECT_EQ(readRealFile(paths.userFolder + "data/misc/ts.dat"),
              shiftBytes("0\r\n0\r\n0\r\n0\r\n0\r\n"));
    writeRealFile(paths.userFolder + "data/misc/ts.dat", shiftBytes("7\r\n"));
    ASSERT_TRUE(ensureCountersFile());
    EXPECT_EQ(readRealFile(paths.userFolder + "data/misc/ts.dat"), shiftBytes("7\r\n"));
}

TEST_F(MountTest, WithoutAWriteFolderOnlyAMissingCountersFileFails) {
    ASSERT_TRUE(vfsSetWriteDir(""));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(ensureCountersFile());
    EXPECT_NE(testing::internal::GetCapturedStdout().find(
                  "Unable to write to data folder. Please review folder permissions. Aborting..."),
              std::string::npos);
    writeRealFile(paths.baseDir + "data/misc/ts.dat", shiftBytes("0\r\n"));
    EXPECT_TRUE(ensureCountersFile()); // the program folder's copy is enough
}

TEST(FileSystemStartUp, MakesTheUserFolderUnderTheHomeFolder) {
    vfsDeinit();
    ASSERT_TRUE(vfsInit("test"));
    const std::string home = makeTempFolder("home");
    const std::string oldHome = getenv("HOME");
    setenv("HOME", home.c_str(), 1);
    vfsDeinit(); // the user folder is read at initialisation
    ASSERT_TRUE(vfsInit("test"));
    FileSystemPaths paths;
    EXPECT_TRUE(establishFolders(paths));
    EXPECT_EQ(paths.userFolder, home + "Documents/Quillhaven/");
    EXPECT_EQ(vfsWriteDir(), paths.userFolder);

    setenv("HOME", oldHome.c_str(), 1);
    vfsDeinit();
}

TEST(FileSystemStartUp, RealPathsUseThePlatformSeparator) {
    FileSystemPaths paths;
    paths.dirSeparator = "\\";
    EXPECT_EQ(realPath(paths, "C:\\Q\\", {"data", "books", "book1", "tb1.zip"}),
              "C:\\Q\\data\\books\\book1\\tb1.zip");
}
