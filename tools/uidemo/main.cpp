// uidemo: draws a sheet of the toolkit's widgets with the art of a data folder.
//   uidemo [DATA_PARENT_DIR] [--save FILE.bmp] [--hold MS]
// DATA_PARENT_DIR holds the "data" folder (default: the build folder, beside
// this tool's folder). The sheet stays on screen for --hold milliseconds.
#include "app/application.h"
#include "fs/vfs.h"
#include "ui/button.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/image.h"
#include "ui/skin.h"
#include "ui/text.h"
#include "ui/text_entry.h"
#include "ui/tooltip.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <SDL/SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

void label(SDL_Surface* screen, TTF_Font* font, const std::string& text, int x, int y) {
    SDL_Surface* s = renderText(font, text, SDL_Color{60, 40, 20, 0});
    if (!s) return;
    SDL_Rect at{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(s, nullptr, screen, &at);
    SDL_FreeSurface(s);
}

// One button of each state in a row, starting at (x, y).
void stateRow(SDL_Surface* screen, const ButtonArt& art, const FontPtr& font, int colour, int x,
              int y) {
    const char* names[STATE_COUNT] = {"Unclickable", "Clickable", "Mouse over", "Pressed"};
    for (int s = 0; s < STATE_COUNT; ++s) {
        Button b;
        setArt(b, art);
        b.colour = colour;
        setCaption(b, names[s], font, SDL_Color{255, 255, 255, 0}, 12, 6);
        b.x = x + s * 190;
        b.y = y;
        b.state = s;
        paintButton(b, screen);
    }
}

void drawSheet(SDL_Surface* screen, Application& app) {
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 236, 226, 200));
    TTF_Font* small = app.fonts.tip.get();
    label(screen, small, "Menu buttons (BUTTON4 \"redgel\") in their four states", 20, 10);
    stateRow(screen, app.skin.buttonArt4, app.fonts.text, 1, 20, 36);
    label(screen, small, "Section buttons (BUTTON8 \"twotone\"), colours 1, 2 and 3", 20, 100);
    for (int c = 1; c <= 3; ++c)
        stateRow(screen, app.skin.buttonArt8, app.fonts.text, c, 20, 70 + 56 * c);

    label(screen, small, "Multi-line menu button", 20, 300);
    Button menu;
    setArt(menu, app.skin.buttonArt4);
    setCaption(menu, "Restart Book`or Campaign", app.fonts.menu, SDL_Color{0, 0, 0, 0}, 18, 8,
               true);
    menu.x = 20;
    menu.y = 326;
    menu.state = STATE_OVER;
    paintButton(menu, screen);

    label(screen, small, "Tooltip", 330, 300);
    Button tipped;
    setArt(tipped, app.skin.buttonArt4);
    setCaption(tipped, "Options", app.fonts.text, SDL_Color{255, 255, 255, 0}, 12, 6);
    setTooltip(tipped, nullptr,
               "Modify settings, change fonts, etc.`(two back-ticks make``an empty line)");
    tipped.x = 400;
    tipped.y = 460;
    tipped.state = STATE_OVER;
    paintButton(tipped, screen);
    SDL_Rect tipAt = placeTooltip(440, 470, tipped.tooltipImage->w, tipped.tooltipImage->h,
                                  screen->w, screen->h);
    SDL_BlitSurface(tipped.tooltipImage.get(), nullptr, screen, &tipAt);

    label(screen, small, "Text entry (framed panel)", 20, 420);
    std::string name = "Greystar";
    beginTextEntry(app.textEntry, &name, "Please type a name for your profile", nullptr, 6, 1001);
    for (char c : std::string(" the Bold"))
        entryKey(app.textEntry, c, c);
    SDL_Surface* panel = buildFramedPanel(300, 120, PanelCorners{}, app.skin.frame);
    SDL_Rect panelAt{20, 446, 0, 0};
    SDL_BlitSurface(panel, nullptr, screen, &panelAt);
    label(screen, small, app.textEntry.prompt, 34, 462);
    SDL_Rect box{34, 500, 272, 34};
    SDL_FillRect(screen, &box, SDL_MapRGB(screen->format, 90, 70, 50));
    SDL_Rect inner{35, 501, 270, 32};
    SDL_FillRect(screen, &inner, SDL_MapRGB(screen->format, 255, 255, 245));
    SDL_Surface* typed =
        renderText(app.fonts.text.get(), app.textEntry.text, SDL_Color{0, 0, 0, 0});
    SDL_Rect typedAt{40, 504, 0, 0};
    SDL_BlitSurface(typed, nullptr, screen, &typedAt);
    SDL_Rect cursor{static_cast<Sint16>(41 + typed->w), 506, 3, 22};
    SDL_FillRect(screen, &cursor, 0);
    SDL_FreeSurface(typed);
    SDL_FreeSurface(panel);
    closeEntry(app.textEntry, false);
}

} // namespace

int main(int argc, char** argv) {
    std::string parent, save;
    int hold = 0;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--save") && i + 1 < argc)
            save = argv[++i];
        else if (!strcmp(argv[i], "--hold") && i + 1 < argc)
            hold = atoi(argv[++i]);
        else
            parent = argv[i];
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || TTF_Init() != 0) {
        fprintf(stderr, "SDL: %s\n", SDL_GetError());
        return 1;
    }
    IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
    SDL_Surface* screen = SDL_SetVideoMode(820, 600, 32, SDL_SWSURFACE);
    if (!screen || !vfsInit(argv[0])) return 1;
    if (parent.empty()) parent = vfsBaseDir() + "../";
    vfsMount(parent, "");

    auto holder = std::make_unique<Application>();
    Application& app = *holder;
    theApp = &app;
    reopenFonts(app.fonts, FontSettings{});
    SkinSettings skinSettings;
    skinSettings.screenWidth = screen->w;
    skinSettings.screenHeight = screen->h;
    loadSkinImages(app.skin, skinSettings);
    loadFramePieces(app.skin.frame, 1.0);
    app.buttonStyle.tipFont = app.fonts.tip;
    app.buttonStyle.captionBackground = app.skin.captionBackground;

    drawSheet(screen, app);
    SDL_Flip(screen);
    if (!save.empty()) SDL_SaveBMP(screen, save.c_str());
    Uint32 until = SDL_GetTicks() + static_cast<Uint32>(hold);
    while (SDL_GetTicks() < until) {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            if (e.type == SDL_QUIT) until = 0;
        SDL_Delay(20);
    }
    holder.reset(); // frees the surfaces before SDL goes
    theApp = nullptr;
    vfsDeinit();
    IMG_Quit();
    TTF_Quit();
    SDL_Quit();
    return 0;
}
