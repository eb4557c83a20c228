// The data-file tool, run as a modder or the build runs it.
#include "fs/data_file.h"
#include "fs/vfs.h"
#include "support/test_env.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

int runTool(const std::string& args) {
    std::string cmd = std::string(QH_BUILD_DIR) + "/tools/qhdata " + args + " >/dev/null 2>&1";
    return std::system(cmd.c_str());
}

std::vector<std::string> valuesOf(DataFile& f) {
    std::vector<std::string> out;
    std::string token;
    for (int guard = 0; guard < 10000 && readValue(f, token); ++guard)
        out.push_back(token);
    return out;
}

const char* const SOURCE = "## An item record, as a modder would write it\n"
                           "ITEM:\n"
                           "    NAME: Healing Potion\n"
                           "    // a comment line in the middle\n"
                           "    DESCRIPTION: *Blank*\n"
                           "    BONUS: 4 -2\n"
                           "END\n";

} // namespace

class QhdataTest : public VfsTest {};

TEST_F(QhdataTest, encodeWritesTheProgramsBytes) {
    std::string dir = makeTempFolder("enc");
    writeRealFile(dir + "a.txt", "A\n");
    ASSERT_EQ(runTool("encode " + dir + "a.txt " + dir + "a.dat"), 0);
    EXPECT_EQ(readRealFile(dir + "a.dat"), std::string("\x83\x4f\x4c", 3)); // 131, 79, 76

    // A source saved with CR LF encodes exactly like the LF one.
    writeRealFile(dir + "b.txt", "A\r\n");
    ASSERT_EQ(runTool("encode " + dir + "b.txt " + dir + "b.dat"), 0);
    EXPECT_EQ(readRealFile(dir + "b.dat"), readRealFile(dir + "a.dat"));

    // Same bytes as the program's own writer for a multi-line text.
    writeRealFile(dir + "c.txt", SOURCE);
    ASSERT_EQ(runTool("encode " + dir + "c.txt " + dir + "c.dat"), 0);
    DataFile w = openMemoryWrite("c.dat");
    ASSERT_TRUE(writeText(0, w, SOURCE));
    EXPECT_EQ(readRealFile(dir + "c.dat"), w.data);
}

TEST_F(QhdataTest, programReadsAnEncodedSourceTokenForToken) {
    std::string dir = makeTempFolder("read");
    writeRealFile(dir + "src.txt", SOURCE);
    ASSERT_EQ(runTool("encode " + dir + "src.txt " + userFile("items.dat")), 0);
    DataFile stored = openRead("items.dat");
    ASSERT_TRUE(stored.isOpen());
    DataFile plain = openMemoryRead(SOURCE, "items.txt");
    std::vector<std::string> got = valuesOf(stored), want = valuesOf(plain);
    closeFile(stored);
    EXPECT_EQ(got, want);
    EXPECT_EQ(got, (std::vector<std::string>{"ITEM:", "NAME:", "Healing", "Potion",
                                             "DESCRIPTION:", "", "BONUS:", "4", "-2", "END"}));
}

TEST_F(QhdataTest, decodeGivesBackTheSource) {
    std::string dir = makeTempFolder("dec");
    writeRealFile(dir + "src.txt", SOURCE);
    ASSERT_EQ(runTool("encode " + dir + "src.txt " + dir + "x.dat"), 0);
    ASSERT_EQ(runTool("decode " + dir + "x.dat " + dir + "back.txt"), 0);
    EXPECT_EQ(readRealFile(dir + "back.txt"), SOURCE);
}

TEST_F(QhdataTest, shiftAndUnshiftAreExactInversesOnAnyBytes) {
    std::string dir = makeTempFolder("raw");
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    bytes += std::string("\r\n\r\r\n\n\0\xff", 8);
    writeRealFile(dir + "in.bin", bytes);
    ASSERT_EQ(runTool("shift " + dir + "in.bin " + dir + "s.bin"), 0);
    std::string shifted = readRealFile(dir + "s.bin");
    ASSERT_EQ(shifted.size(), bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(shifted[i]),
                  (static_cast<unsigned char>(bytes[i]) + 66) % 256);
    ASSERT_EQ(runTool("unshift " + dir + "s.bin " + dir + "back.bin"), 0);
    EXPECT_EQ(readRealFile(dir + "back.bin"), bytes);
    ASSERT_EQ(runTool("unshift " + dir + "in.bin " + dir + "u.bin"), 0);
    ASSERT_EQ(runTool("shift " + dir + "u.bin " + dir + "back2.bin"), 0);
    EXPECT_EQ(readRealFile(dir + "back2.bin"), bytes);
}

TEST_F(QhdataTest, buildTreeEncodesSourcesAndCopiesTheRest) {
    std::string src = makeTempFolder("tree"), dest = makeTempFolder("out");
    writeRealFile(src + "misc/table.dat.txt", "1 2 3\n");
    writeRealFile(src + "misc/readme.txt", "plain\n");
    writeRealFile(src + "fonts/x.ttf", std::string("\0\1\2", 3));
    ASSERT_EQ(runTool("build-tree " + src + " " + dest), 0);
    EXPECT_EQ(readRealFile(dest + "misc/table.dat"), encodeText("1 2 3\n", true));
    EXPECT_FALSE(fs::exists(dest + "misc/table.dat.txt"));
    EXPECT_EQ(readRealFile(dest + "misc/readme.txt"), "plain\n");
    EXPECT_EQ(readRealFile(dest + "fonts/x.ttf"), std::string("\0\1\2", 3));

    // And back: every shifted file gets a readable source again.
    std::string again = makeTempFolder("again");
    ASSERT_EQ(runTool("decode-tree " + dest + " " + again), 0);
    EXPECT_EQ(readRealFile(again + "misc/table.dat.txt"), "1 2 3\n");
}

TEST_F(QhdataTest, badUseFailsWithoutWriting) {
    std::string dir = makeTempFolder("bad");
    EXPECT_NE(runTool("encode " + dir + "missing.txt " + dir + "out.dat"), 0);
    EXPECT_FALSE(fs::exists(dir + "out.dat"));
    EXPECT_NE(runTool("frobnicate a b"), 0);
    EXPECT_NE(runTool("build-tree " + dir + "nowhere " + dir + "out"), 0);
}

namespace {

// The built data folder's catalogues and book 1, copied so that one fault at a
// time can be planted in a script.
std::string copyOfBookOne() {
    const std::string dir = makeTempFolder("validate");
    const fs::path from = fs::path(QH_BUILD_DIR) / "data";
    const fs::path to = fs::path(dir) / "data";
    fs::create_directories(to / "misc");
    for (const char* name : {"cond_dat.dat", "eff_dat.dat", "items.dat", "blank.dat"})
        fs::copy_file(from / "misc" / name, to / "misc" / name);
    fs::create_directories(to / "books");
    fs::copy(from / "books" / "book1", to / "books" / "book1", fs::copy_options::recursive);
    return to.string();
}

std::string toolOutput(const std::string& args, int& status) {
    const std::string out = makeTempFolder("out") + "out.txt";
    status = std::system(
        (std::string(QH_BUILD_DIR) + "/tools/qhdata " + args + " >" + out + " 2>&1").c_str());
    return readRealFile(out);
}

void plantScript(const std::string& data, const std::string& section, const std::string& plain) {
    writeRealFile(data + "/books/book1/1data/" + section + ".dat", encodeText(plain, true));
}

const char* const ONE_BUTTON = "BUTTONS: 1\nID: 1\nTEXT: On\nEFFECTS: 1\n";

} // namespace

TEST_F(QhdataTest, validateShippedDataAndPlantedFaults) {
    int status = -1;
    const std::string clean = toolOutput("validate " + std::string(QH_BUILD_DIR) + "/data", status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << clean;
    EXPECT_NE(clean.find("no problems"), std::string::npos) << clean;

    const std::string data = copyOfBookOne();
    struct Fault {
        std::string script, expected;
    } faults[] = {
        {std::string(ONE_BUTTON) + "TYPE: 1\nVALUE: 2\nEND\nEND\nEND\n",
         "book 1 (01ftak), sect350: button 1, effect type 1 turns to section 2, which the book "
         "does not have"},
        {std::string(ONE_BUTTON) + "TYPE: 999\nEND\nEND\nEND\n",
         "sect350: button 1, effect type 999 is not in the effect definitions"},
        {std::string(ONE_BUTTON) + "TYPE: 21\nVALUE: 5000\nEND\nEND\nEND\n",
         "sect350: button 1, effect type 21 names item ID 5000"},
        {"STOCK_WORDS\nWORD\nWORD_ID: 0\nTEXT: Go\nIS_BUTTON: 1\nBUTTON_ID: 7\nEND\nEND_STOCK\n"
         "END\n",
         "sect350: word 0 (\"Go\") is a button word for button ID 7, which the page lacks"},
        {"BUTTONS: 1\nID: 1\nCONDITIONS: 1\nTYPE: 9\nVALUE: 1\nSECONDARY: 1\nTYPE: 444\nEND\n",
         "sect350: the script ends before its closing END"},
    };
    for (const Fault& f : faults) {
        plantScript(data, "sect350", f.script);
        const std::string out = toolOutput("validate " + data, status);
        EXPECT_EQ(WEXITSTATUS(status), 1) << out;
        EXPECT_NE(out.find(f.expected), std::string::npos) << out;
    }

    // Section 1 with no way on: it is a dead end and nothing else is reached.
    fs::copy_file(std::string(QH_BUILD_DIR) + "/data/books/book1/1data/sect350.dat",
                  data + "/books/book1/1data/sect350.dat", fs::copy_options::overwrite_existing);
    plantScript(data, "sect1", "END\n");
    const std::string out = toolOutput("validate " + data, status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(out.find("sect1: a dead end"), std::string::npos) << out;
    EXPECT_NE(out.find("sect350: no choice reaches this section from section 1"), std::string::npos)
        << out;
}

TEST_F(QhdataTest, wordsShowsAShippedPageWithItsScript) {
    int status = -1;
    const std::string out =
        toolOutput("words " + std::string(QH_BUILD_DIR) + "/data 1 sect1", status);
    ASSERT_EQ(WEXITSTATUS(status), 0) << out;
    EXPECT_NE(out.find("IS_BUTTON BUTTON_ID:"), std::string::npos) << out;
    EXPECT_NE(out.find("\nbutton "), std::string::npos) << out;
    toolOutput("words " + std::string(QH_BUILD_DIR) + "/data 1 sect2", status);
    EXPECT_EQ(WEXITSTATUS(status), 1); // book 1 has no section 2
}

TEST_F(QhdataTest, playReadsItsInputAndRefusesBadArguments) {
    const std::string data = std::string(QH_BUILD_DIR) + "/data";
    const std::string dir = makeTempFolder("play");
    writeRealFile(dir + "in.txt", "1\nchart\nquit\n");
    int status = -1;
    std::string out = toolOutput("play " + data + " 1 --seed 3 <" + dir + "in.txt", status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << out;
    EXPECT_NE(out.find("--- gamerulz ---"), std::string::npos) << out;
    EXPECT_NE(out.find("ACTION CHART (book 1, section 1)"), std::string::npos);
    // The same seed and input print the same.
    EXPECT_EQ(toolOutput("play " + data + " --book 1 --seed 3 <" + dir + "in.txt", status), out);

    for (const char* bad : {"play", "play DATA --seed", "play DATA --seed -4", "play DATA 1 2",
                            "play DATA --colour red"}) {
        std::string args = bad;
        size_t at = args.find("DATA");
        if (at != std::string::npos) args.replace(at, 4, data);
        toolOutput(args + " </dev/null", status);
        EXPECT_EQ(WEXITSTATUS(status), 2) << bad;
    }
    out = toolOutput("play " + data + " 9 </dev/null", status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(out.find("qhdata play: book 9 ("), std::string::npos) << out;
}
