// The built data tree holds everything the program asks for in normal play,
// and every picture in it decodes. The list of what is asked for is
// required_data.txt beside this file.
#include "fs/data_file.h"
#include "fs/physfs_rwops.h"
#include "fs/vfs.h"
#include "support/test_env.h"

#include <SDL/SDL_image.h>
#include <SDL/SDL_ttf.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const IMAGE_EXTENSIONS[] = {".bmp", ".png", ".gif", ".jpg", ".tiff"};

struct Requirement {
    int line;
    std::string kind;
    std::vector<std::string> args;
};

std::vector<Requirement> requirements() {
    std::ifstream in(std::string(QH_SOURCE_DIR) + "/tests/dataset/required_data.txt");
    std::vector<Requirement> out;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        std::istringstream words(text);
        Requirement r{line, "", {}};
        if (!(words >> r.kind) || r.kind[0] == '#') continue;
        for (std::string w; words >> w;)
            r.args.push_back(w);
        out.push_back(r);
    }
    return out;
}

// The virtual path of an image as the program's loader finds it: the name as
// given, else with each known extension in turn; empty when nothing matches.
std::string findImage(const std::string& folder, const std::string& name) {
    std::string path = folder + "/" + name;
    if (vfsExists(path)) return path;
    for (const char* ext : IMAGE_EXTENSIONS)
        if (vfsExists(path + ext)) return path + ext;
    return std::string();
}

// Decodes through the virtual file system exactly as the program reads images.
bool decodes(const std::string& path, int* w = nullptr, int* h = nullptr) {
    SDL_RWops* rw = PHYSFSRWOPS_openRead(path);
    if (!rw) return false;
    SDL_Surface* s = IMG_Load_RW(rw, 1);
    if (!s) return false;
    if (w) *w = s->w;
    if (h) *h = s->h;
    bool big = s->w > 1 && s->h > 1;
    SDL_FreeSurface(s);
    return big;
}

bool isImageName(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    for (const char* ext : IMAGE_EXTENSIONS)
        if (lower.size() > std::strlen(ext) &&
            lower.compare(lower.size() - std::strlen(ext), std::string::npos, ext) == 0)
            return true;
    return lower.size() > 5 && lower.compare(lower.size() - 5, 5, ".jpeg") == 0;
}

} // namespace

class DataTreeTest : public VfsTest {
  protected:
    void SetUp() override {
        VfsTest::SetUp();
        mountBuiltData();
    }
};

TEST_F(DataTreeTest, everyRequiredFileAndImageIsThere) {
    std::vector<Requirement> reqs = requirements();
    ASSERT_GT(reqs.size(), 100u) << "required_data.txt was not found or is nearly empty";
    for (const Requirement& r : reqs) {
        SCOPED_TRACE("required_data.txt line " + std::to_string(r.line));
        if (r.kind == "file") {
            ASSERT_EQ(r.args.size(), 1u);
            EXPECT_TRUE(vfsExists(r.args[0])) << r.args[0] << " is missing";
        } else if (r.kind == "image") {
            ASSERT_EQ(r.args.size(), 2u);
            std::string path = findImage(r.args[0], r.args[1]);
            EXPECT_FALSE(path.empty()) << r.args[0] << "/" << r.args[1] << " is missing";
            if (!path.empty()) {
                EXPECT_TRUE(decodes(path)) << path << " does not decode";
            }
        } else if (r.kind == "images") {
            ASSERT_EQ(r.args.size(), 2u);
            int count = 0;
            for (const std::string& name : vfsList(r.args[0]))
                if (isImageName(name) && decodes(r.args[0] + "/" + name)) ++count;
            EXPECT_GE(count, std::atoi(r.args[1].c_str())) << "too few pictures in " << r.args[0];
        } else if (r.kind == "fonts") {
            ASSERT_EQ(r.args.size(), 1u);
            ASSERT_EQ(TTF_WasInit() || TTF_Init() == 0, true);
            int count = 0;
            for (const std::string& name : vfsListWildcard("data/fonts", "*.ttf", true)) {
                SCOPED_TRACE(name);
                TTF_Font* font = TTF_OpenFontRW(PHYSFSRWOPS_openRead("data/fonts/" + name), 1, 20);
                EXPECT_NE(font, nullptr) << "does not open";
                if (font) TTF_CloseFont(font);
                std::string stem = name.substr(0, name.size() - 4);
                EXPECT_TRUE(vfsExists("data/fonts/licenses/" + stem + ".txt")) << "no licence file";
                ++count;
            }
            EXPECT_GE(count, std::atoi(r.args[0].c_str()));
        } else {
            ADD_FAILURE() << "unknown requirement " << r.kind;
        }
    }
}

TEST_F(DataTreeTest, everyPictureInTheTreeDecodes) {
    const fs::path root = fs::path(QH_BUILD_DIR) / "data";
    int seen = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || !isImageName(entry.path().filename().string())) continue;
        std::string rel = "data/" + fs::relative(entry.path(), root).generic_string();
        EXPECT_TRUE(decodes(rel)) << rel;
        ++seen;
    }
    EXPECT_GT(seen, 150);
}

TEST_F(DataTreeTest, progressBarDescriptionFitsItsImage) {
    DataFile f = openRead("/data/misc/pb1.txt");
    ASSERT_TRUE(f.isOpen());
    std::string name;
    ASSERT_TRUE(readValue(f, name));
    int x = readInt(f), y = readInt(f), w = readInt(f), h = readInt(f);
    closeFile(f);
    // The name is a path from the root of the tree, looked up like any image.
    std::string path = findImage("", name);
    ASSERT_FALSE(path.empty()) << name;
    int iw = 0, ih = 0;
    ASSERT_TRUE(decodes(path, &iw, &ih));
    EXPECT_GT(w, 0);
    EXPECT_GT(h, 0);
    EXPECT_GE(x, 0);
    EXPECT_GE(y, 0);
    EXPECT_LE(x + w, iw);
    EXPECT_LE(y + h, ih);
}

TEST_F(DataTreeTest, textsReadThroughTheProgramsReader) {
    // The missing-section page is stored shifted and has the body marker the
    // section loader looks for.
    DataFile blank = openRead("/data/misc/blank.dat");
    ASSERT_TRUE(blank.isOpen());
    EXPECT_TRUE(blank.shifted);
    bool body = false;
    std::string line;
    for (int guard = 0; guard < 1000 && readLine(blank, line); ++guard)
        if (line == "<div id=\"body\">") body = true;
    closeFile(blank);
    EXPECT_TRUE(body);

    // Every book has its marker in the journal texts, in order.
    DataFile journal = openRead("/data/misc/journal.txt");
    ASSERT_TRUE(journal.isOpen());
    std::vector<int> books;
    std::string token;
    for (int guard = 0; guard < 100000 && readValue(journal, token); ++guard)
        if (token.size() > 6 && token[0] == '{')
            books.push_back(parseInt(token.substr(5, token.size() - 6)));
    closeFile(journal);
    ASSERT_EQ(books.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(books[i], i + 1);
}

TEST(ArtgenTest, drawsTheSameBytesEveryRun) {
    // A fresh run of the generator reproduces what the build put in the tree.
    std::string out = makeTempFolder("art");
    std::string cmd = std::string(QH_BUILD_DIR) + "/tools/artgen generate " + out + " " +
                      QH_SOURCE_DIR + "/data/fonts --only buttonSets --only framePieces >/dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out)) {
        if (!entry.is_regular_file()) continue;
        std::string rel = fs::relative(entry.path(), out).generic_string();
        EXPECT_EQ(readRealFile(entry.path().string()),
                  readRealFile(std::string(QH_BUILD_DIR) + "/data/" + rel))
            << rel;
        ++compared;
    }
    EXPECT_GT(compared, 60);
}
