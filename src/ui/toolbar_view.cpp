// Building and drawing the play screen's tool bar and title bar, and the
// loading indicator shown while the windows are built.
#include "app/application.h"
#include "ui/blit.h"
#include "book/book_catalogue.h"
#include "book/download.h"
#include "ui/image.h"
#include "ui/text.h"
#include "ui/toolbar.h"
#include "ui/top_bar.h"

#include <algorithm>

namespace {

// Ink of the words on the white main-menu square.
constexpr SDL_Color SQUARE_INK{0, 0, 0, 0};
// Share of the title frame's width between its gilt end caps.
constexpr double FRAME_INNER_SHARE = 0.78;

SDL_Surface* videoSurface(const Application& app) {
    return app.screen.surface ? app.screen.surface : SDL_GetVideoSurface();
}

SDL_Color colourOf(const RgbColor& c) {
    return SDL_Color{c.r, c.g, c.b, 0};
}

void blitAt(SDL_Surface* image, SDL_Surface* target, int x, int y) {
    if (!image || !target) return;
    SDL_Rect at{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    blitSurface(image, nullptr, target, &at);
}

void makeAwardMedal(Button& b, int screenH) {
    SDL_Surface* raw = loadImage("data/misc/awards", "medal_generic");
    SDL_Surface* medal =
        isPlaceholder(raw) ? raw : scaleImage(raw, awardMedalScale(raw->h, screenH));
    if (medal != raw) SDL_FreeSurface(raw);
    setShadedImages(b, shareSurface(medal), 30, 70);
    b.caption = " ";
    b.captionImage.reset();
    setTooltip(b, nullptr, "Will need to set this tip to something useful!");
}

std::unique_ptr<Button> makeToolbarButton(Application& app, int id, int W, int H, bool fullScreen) {
    auto b = std::make_unique<Button>();
    b->owner = &app;
    b->id = id;
    const double scale = app.screen.uiScale;
    switch (id) {
    case TOOLBAR_MAIN_MENU:
        makeMainMenuButton(*b, app.fonts.menu, SQUARE_INK, H);
        break;
    case TOOLBAR_MINIMIZE:
        makeImageButton(*b, "data/gui", "minimize", scale, "Minimize Quillhaven to the taskbar");
        break;
    case TOOLBAR_QUIT:
        makeImageButton(*b, "data/gui", "quit", scale, "Close Quillhaven");
        break;
    case TOOLBAR_AWARD:
        makeAwardMedal(*b, H);
        break;
    default: // the page switches: placeholders until the pages give them tabs
        setCaption(*b, "Dummy", app.fonts.menuSmall, colourOf(app.settings.menuTextColor), 0, 0);
        break;
    }
    SDL_Surface* image = hitImage(*b);
    const SDL_Rect at = toolbarPlacement(id, W, H, image ? image->w : 0, image ? image->h : 0);
    b->x = at.x;
    b->y = at.y;
    b->visible = toolbarButtonShownAtStart(id, fullScreen);
    return b;
}

// Width at the top right that the minimise and close buttons take.
int cornerReserve(Application& app, int W) {
    Button* minimize = toolbarButton(app.headerButtons, TOOLBAR_MINIMIZE);
    Button* quit = toolbarButton(app.headerButtons, TOOLBAR_QUIT);
    int reserve = 0;
    for (Button* b : {minimize, quit})
        if (b && b->visible) reserve = std::max(reserve, W - b->x);
    return reserve;
}

// The book's title in the menu font, at most as wide as the frame's middle.
SurfacePtr renderBookTitle(Application& app, int book, const SDL_Rect& frame) {
    const BookEntry* entry = findBook(app.catalogues, book);
    if (!entry || entry->title.empty() || frame.h <= 1) return nullptr;
    TTF_Font* font = openFont(app.settings.menuFont, titleBarFontSize(frame.h));
    SDL_Surface* text = renderText(font, entry->title, colourOf(app.settings.textColor));
    if (font) TTF_CloseFont(font);
    if (!text) return nullptr;
    const int room = static_cast<int>(frame.w * FRAME_INNER_SHARE);
    if (text->w > room && room > 0) {
        SDL_Surface* fitted = scaleImage(text, static_cast<double>(room) / text->w);
        SDL_FreeSurface(text);
        text = fitted;
    }
    return shareSurface(text);
}

// The logo without its fully transparent margins, so that its ink fills the
// band; the source is freed. Images without transparency come back as they are.
SDL_Surface* trimmed(SDL_Surface* raw) {
    if (isPlaceholder(raw) || !hasTransparency(raw)) return raw;
    SDL_Surface* argb = toArgb(raw);
    if (!argb) return raw;
    int x0 = argb->w, y0 = argb->h, x1 = -1, y1 = -1;
    {
        SurfaceLock lock(argb);
        for (int y = 0; y < argb->h; ++y) {
            const Uint32* row = argbRow(argb, y);
            for (int x = 0; x < argb->w; ++x) {
                if (!(row[x] & ARGB_A)) continue;
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
        }
    }
    SDL_Surface* out = x1 < 0 ? nullptr : createArgbSurface(x1 - x0 + 1, y1 - y0 + 1);
    if (!out) {
        SDL_FreeSurface(argb);
        return raw;
    }
    for (int y = 0; y < out->h; ++y)
        std::copy_n(argbRow(argb, y0 + y) + x0, out->w, argbRow(out, y));
    SDL_FreeSurface(argb);
    SDL_FreeSurface(raw);
    return out;
}

// The image at exactly the rectangle's size; null for a missing image.
SurfacePtr fitted(SDL_Surface* raw, const SDL_Rect& r) {
    SurfacePtr out;
    if (!isPlaceholder(raw) && r.w > 0 && r.h > 0) out = shareSurface(scaleImageTo(raw, r.w, r.h));
    SDL_FreeSurface(raw);
    return out;
}

} // namespace

void buildToolBar(Application& app) {
    SDL_Surface* screen = videoSurface(app);
    const int W = screen ? screen->w : 0, H = screen ? screen->h : 0;
    // The mode in effect, not the setting: a failed full-screen mode falls
    // back to a window, which has its own minimise and close buttons.
    const bool fullScreen =
        screen ? (screen->flags & SDL_FULLSCREEN) != 0 : app.settings.useFullscreen;
    ButtonList bar;
    for (int id = 0; id < TOOLBAR_BUTTON_COUNT; ++id)
        bar.push_back(makeToolbarButton(app, id, W, H, fullScreen));
    replaceToolbar(app.headerButtons, std::move(bar));
}

void buildTitleBar(Application& app, int book) {
    SDL_Surface* screen = videoSurface(app);
    if (!screen) return;
    const int W = screen->w, H = screen->h;
    const std::string& logoName = app.settings.titleFile;
    if (!titleBarNeedsBuild(app.titleBar, book, logoName, W, H, app.game.pendingStart != 0)) return;

    TitleBar bar;
    bar.book = book;
    bar.logoName = logoName;
    bar.screenW = W;
    bar.screenH = H;
    SDL_Surface* logo = trimmed(loadImage("/data/menu/title", logoName));
    SDL_Surface* frame = loadImage("data/gui", "booktitle");
    TitleBarSpace space;
    space.screenW = W;
    space.screenH = H;
    space.bandHeight = app.pageRects[0].y > 0 ? app.pageRects[0].y : H * 165 / 1000;
    space.menuButtonSide = mainMenuButtonSide(H);
    space.cornerReserve = cornerReserve(app, W);
    bar.layout = layoutTitleBar(space, logo->w, logo->h, frame->w, frame->h, app.screen.uiScale);
    bar.logo = fitted(logo, bar.layout.logo);
    bar.frame = fitted(frame, bar.layout.frame);
    bar.title = renderBookTitle(app, book, bar.layout.frame);
    app.titleBar = std::move(bar);
}

void drawTitleBar(Application& app) {
    SDL_Surface* screen = videoSurface(app);
    const TitleBar& bar = app.titleBar;
    if (!screen) return;
    blitAt(bar.logo.get(), screen, bar.layout.logo.x, bar.layout.logo.y);
    blitAt(bar.frame.get(), screen, bar.layout.frame.x, bar.layout.frame.y);
    if (bar.title) {
        const SDL_Rect& f = bar.layout.frame;
        blitAt(bar.title.get(), screen, f.x + (f.w - bar.title->w) / 2,
               f.y + (f.h - bar.title->h) / 2);
    }
}

void drawHeaderButtons(Application& app, int elapsedMs) {
    SDL_Surface* screen = videoSurface(app);
    if (!screen) return;
    for (auto& bp : app.headerButtons) {
        if (!bp) continue;
        Button& b = *bp;
        int ox = 0, oy = 0;
        if (b.page) { // section buttons move with their page
            ox = b.page->pageX();
            oy = b.page->pageY() - (b.header ? 0 : b.page->pageScroll());
        }
        drawButton(b, screen, app.mouseX, app.mouseY, elapsedMs, ox, oy);
    }
}

void releaseToolbar(Application& app) {
    app.headerButtons.clear();
    app.titleBar = TitleBar{};
}

void drawLoadingIndicator(Application& app) {
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (!screen) return;
    // Drawn whole each time: whatever was on screen before has gone.
    app.progressBar.frameDrawn = false;
    drawProgress(app.playing ? 5 : 9, 10, app.progressBar);
    app.progressBar.frameDrawn = false;
    SDL_Flip(screen);
}
