#include "ui/frame_rate.h"
#include "ui/blit.h"

#include "ui/font.h"
#include "ui/text.h"

bool countFrame(FrameRateCounter& c, int elapsedMs) {
    ++c.frames;
    c.totalMs += elapsedMs > 0 ? elapsedMs : 0;
    if (c.totalMs <= 1000) return false;
    c.lastCount = c.frames;
    c.frames = 0;
    c.totalMs = 0;
    return true;
}

SDL_Rect keypadCorner(int position, int screenW, int screenH, int w, int h) {
    if (position < 1 || position > 9) position = 1;
    SDL_Rect r{0, 0, static_cast<Uint16>(w), static_cast<Uint16>(h)};
    int row = (position - 1) / 3; // 0 bottom, 1 middle, 2 top
    int col = (position - 1) % 3; // 0 left, 1 centre, 2 right
    int y = row == 0 ? screenH - h : row == 1 ? screenH / 2 - h / 2 : 0;
    int x = col == 0 ? 0 : col == 1 ? screenW / 2 - w / 2 : screenW - w;
    r.x = static_cast<Sint16>(x);
    r.y = static_cast<Sint16>(y);
    return r;
}

void drawFrameRate(SDL_Surface* screen, FrameRateCounter& c, int elapsedMs,
                   const FrameRateStyle& style) {
    if (countFrame(c, elapsedMs)) {
        if (!c.font) c.font = shareFont(openFont(style.fontName, style.pointSize));
        std::string text = std::to_string(c.lastCount) + " FPS";
        SDL_Surface* s = renderText(c.font.get(), text, style.colour, TextQuality::Solid);
        if (s && SDL_GetVideoSurface()) {
            SDL_Surface* d = SDL_DisplayFormat(s);
            if (d) {
                SDL_FreeSurface(s);
                s = d;
            }
        }
        c.image = shareSurface(s);
    }
    if (!screen || !c.image) return;
    SDL_Rect at = keypadCorner(style.position, screen->w, screen->h, c.image->w, c.image->h);
    blitSurface(c.image.get(), nullptr, screen, &at);
}
