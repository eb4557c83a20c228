// Toolkit tests draw on real surfaces: SDL runs with the dummy video driver and
// a 32-bit video mode so the display format conversions happen as in the game.
#pragma once

#include "app/application.h"
#include "support/test_env.h"
#include "ui/surface.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <SDL/SDL_ttf.h>

#include <filesystem>
#include <memory>
#include <string>

inline const char* const SYSTEM_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class UiTest : public VfsTest {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_TRUE(SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE) != nullptr);
        ASSERT_EQ(TTF_Init(), 0);
        IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
    }
    static void TearDownTestSuite() {
        IMG_Quit();
        TTF_Quit();
        SDL_Quit();
    }
    void SetUp() override {
        VfsTest::SetUp();
        appHolder = std::make_unique<Application>();
        theApp = appHolder.get();
    }
    // Fonts read their file through the virtual file system while open, so
    // everything is released before it shuts down.
    void TearDown() override {
        theApp = nullptr;
        appHolder.reset();
        VfsTest::TearDown();
    }
    // Copies the system font into the user folder's fonts folder as `name`.
    void installFont(const std::string& name) {
        std::filesystem::create_directories(userFile("data/fonts"));
        std::filesystem::copy_file(SYSTEM_FONT, userFile("data/fonts/" + name),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    // Saves a surface as BMP at a virtual path of the user folder.
    void saveImage(SDL_Surface* s, const std::string& rel) {
        std::filesystem::create_directories(std::filesystem::path(userFile(rel)).parent_path());
        SDL_SaveBMP(s, userFile(rel).c_str());
    }

    std::unique_ptr<Application> appHolder;
    Application& app() { return *appHolder; }
};

// A new ARGB surface filled with one colour.
inline SDL_Surface* filledSurface(int w, int h, Uint8 r, Uint8 g, Uint8 b, Uint8 a = 255) {
    SDL_Surface* s = createArgbSurface(w, h);
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, r, g, b, a));
    return s;
}

inline SDL_Color pixelAt(SDL_Surface* s, int x, int y, Uint8* alpha = nullptr) {
    return readPixel(s, x, y, alpha);
}
