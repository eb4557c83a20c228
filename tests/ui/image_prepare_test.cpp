// Pictures made ready a slice at a time must come out exactly as loading and
// scaling them at once does, for the shipped title pictures and for the
// pictures that take the whole-file road (other formats, damaged files).
#include "ui/image.h"
#include "ui/image_prepare.h"
#include "ui_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

class PreparedPictureTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        mountBuiltData();
    }

    // Worked with no time to spare, so every call does one piece; returns the
    // number of calls it took.
    static int workInPieces(PreparedPicture& p) {
        int calls = 0;
        while (!p.ready() && calls < 100000) {
            p.work(0);
            ++calls;
        }
        return calls;
    }

    static void expectSame(SDL_Surface* want, SDL_Surface* got, const std::string& what) {
        ASSERT_TRUE(want && got) << what;
        ASSERT_EQ(got->w, want->w) << what;
        ASSERT_EQ(got->h, want->h) << what;
        ASSERT_EQ(got->format->BytesPerPixel, want->format->BytesPerPixel) << what;
        ASSERT_EQ(got->format->Amask, want->format->Amask) << what;
        EXPECT_EQ(got->flags & SDL_SRCALPHA, want->flags & SDL_SRCALPHA) << what;
        const Uint32 colour = ~want->format->Amask;
        long differing = 0;
        for (int y = 0; y < want->h; ++y)
            for (int x = 0; x < want->w; ++x) {
                const Uint32 a = argbRow(want, y)[x], b = argbRow(got, y)[x];
                // Without an alpha channel the top byte is never read.
                if (want->format->Amask ? a != b : (a & colour) != (b & colour)) ++differing;
            }
        EXPECT_EQ(differing, 0) << what;
    }

    static SDL_Surface* loadAndScale(const std::string& folder, const std::string& name, int w,
                                     int h) {
        SDL_Surface* raw = loadImage(folder, name);
        SDL_Surface* out = scaleImageTo(raw, w, h);
        SDL_FreeSurface(raw);
        return out;
    }

    void writeUserFile(const std::string& rel, const std::string& bytes) {
        std::filesystem::create_directories(std::filesystem::path(userFile(rel)).parent_path());
        std::ofstream(userFile(rel), std::ios::binary) << bytes;
    }

    static std::string builtFile(const std::string& rel) {
        std::ifstream in(std::string(QH_BUILD_DIR) + "/" + rel, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

TEST_F(PreparedPictureTest, ShippedTitlePicturesComeOutAsLoadedAndScaledAtOnce) {
    struct Case {
        const char* folder;
        const char* name;
        int w, h;
    } cases[] = {
        {"/data/menu/map", "map1", 616, 616},     // opaque, shrunk
        {"/data/menu/map", "map3", 1100, 1100},   // opaque, enlarged
        {"/data/menu/title", "title2", 616, 246}, // clear parts, shrunk
        {"/data/menu", "velmar", 500, 131},       // clear parts, enlarged
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.folder) + "/" + c.name;
        PreparedPicture p;
        EXPECT_FALSE(p.pending());
        p.start(c.folder, c.name, c.w, c.h);
        EXPECT_TRUE(p.pending());
        // A large picture takes many small pieces, not one long one.
        EXPECT_GT(workInPieces(p), 8) << what;
        SDL_Surface* got = p.take();
        EXPECT_FALSE(p.pending());
        SDL_Surface* want = loadAndScale(c.folder, c.name, c.w, c.h);
        expectSame(want, got, what);
        SDL_FreeSurface(want);
        SDL_FreeSurface(got);
    }
}

TEST_F(PreparedPictureTest, OtherFilesTakeTheWholeFileRoadWithTheSameResult) {
    const std::string png = builtFile("data/menu/map/map2.png");
    ASSERT_GT(png.size(), 10000u);
    // Cut short inside the rows, cut inside the header, not a picture at all.
    writeUserFile("data/prep/short.png", png.substr(0, png.size() / 2));
    writeUserFile("data/prep/header.png", png.substr(0, 20));
    writeUserFile("data/prep/text.png", "no picture here");
    // Another format: a BMP with clear parts saved by SDL itself.
    SDL_Surface* bmp = createArgbSurface(37, 23);
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x)
            argbRow(bmp, y)[x] = (static_cast<Uint32>(x * 7) << 24) | (y * 11u << 8) | 0x400000u;
    saveImage(bmp, "data/prep/other.bmp");
    SDL_FreeSurface(bmp);

    for (const char* name : {"short", "header", "text", "other", "missing"}) {
        PreparedPicture p;
        p.start("/data/prep", name, 90, 50);
        workInPieces(p);
        SDL_Surface* got = p.take();
        SDL_Surface* want = loadAndScale("/data/prep", name, 90, 50);
        expectSame(want, got, name);
        SDL_FreeSurface(want);
        SDL_FreeSurface(got);
    }
}

TEST_F(PreparedPictureTest, TakeFinishesWhatIsLeftAndStartDropsWhatWasUnderWay) {
    PreparedPicture p;
    EXPECT_EQ(p.take(), nullptr);
    p.start("/data/menu/map", "map4", 300, 300);
    p.work(0);
    p.start("/data/menu/title", "title1", 200, 80); // replaces the map half done
    p.work(0);
    EXPECT_FALSE(p.ready());
    SDL_Surface* got = p.take(); // not ready: finished here
    SDL_Surface* want = loadAndScale("/data/menu/title", "title1", 200, 80);
    expectSame(want, got, "title1");
    SDL_FreeSurface(want);
    SDL_FreeSurface(got);

    p.start("/data/menu/map", "map5", 64, 64);
    p.reset();
    EXPECT_FALSE(p.pending());
    EXPECT_EQ(p.take(), nullptr);
}

} // namespace
