#include "ui/tooltip.h"
#include "ui/blit.h"

#include "ui/text.h"

#include <algorithm>
#include <vector>

namespace {

Uint32 mapColour(SDL_Surface* s, int r, int g, int b) {
    return SDL_MapRGBA(s->format, static_cast<Uint8>(std::clamp(r, 0, 255)),
                       static_cast<Uint8>(std::clamp(g, 0, 255)),
                       static_cast<Uint8>(std::clamp(b, 0, 255)), 255);
}

} // namespace

SDL_Surface* buildTooltipImage(const std::string& text, SDL_Surface* picture, TTF_Font* font,
                               SDL_Color fg, SDL_Color bg) {
    if (text.empty() && !picture) return nullptr;
    std::vector<SDL_Surface*> lines;
    if (font) {
        for (const std::string& line : splitLines(text)) {
            SDL_Surface* s = renderText(font, line, fg, TextQuality::Shaded, bg);
            if (s) lines.push_back(s);
        }
    }
    int width = picture ? picture->w : 0, height = 0;
    for (SDL_Surface* s : lines) {
        width = std::max(width, s->w);
        height += s->h;
    }
    width += 8;
    height += static_cast<int>(lines.size()) + 1;
    if (picture) {
        height += picture->h + 9;
        if (text.empty() && !lines.empty()) height -= lines.front()->h;
    }
    SDL_Surface* tip = createArgbSurface(width, height);
    if (tip) {
        SDL_FillRect(tip, nullptr, mapColour(tip, bg.r + 75, bg.g + 75, bg.b + 75));
        SDL_Rect dark{1, 1, static_cast<Uint16>(width - 1), static_cast<Uint16>(height - 1)};
        SDL_FillRect(tip, &dark, mapColour(tip, bg.r - 75, bg.g - 75, bg.b - 75));
        SDL_Rect inside{1, 1, static_cast<Uint16>(std::max(0, width - 2)),
                        static_cast<Uint16>(std::max(0, height - 2))};
        SDL_FillRect(tip, &inside, mapColour(tip, bg.r, bg.g, bg.b));
        int y = 1;
        if (picture) {
            SDL_Rect at{static_cast<Sint16>((width - picture->w) / 2), 5, 0, 0};
            blitSurface(picture, nullptr, tip, &at);
            y = picture->h + 10;
        }
        // An empty text under a picture has no line to show.
        if (!(picture && text.empty())) {
            for (SDL_Surface* s : lines) {
                SDL_Rect at{static_cast<Sint16>((width - s->w) / 2), static_cast<Sint16>(y), 0, 0};
                blitSurface(s, nullptr, tip, &at);
                y += s->h + 1;
            }
        }
    }
    for (SDL_Surface* s : lines)
        SDL_FreeSurface(s);
    return tip ? finishSurface(tip, false) : nullptr;
}

SDL_Rect placeTooltip(int mouseX, int mouseY, int width, int height, int screenW, int screenH) {
    int x = mouseX - width / 2;
    int y = mouseY - height - 8;
    x = std::max(0, std::min(x, screenW - width));
    y = std::max(0, std::min(y, screenH - height));
    SDL_Rect r{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(width),
               static_cast<Uint16>(height)};
    return r;
}

void drawTooltip(SDL_Surface* screen, TooltipSlot& slot) {
    if (screen && slot.image) {
        SDL_Rect at{static_cast<Sint16>(slot.x), static_cast<Sint16>(slot.y), 0, 0};
        blitSurface(slot.image.get(), nullptr, screen, &at);
    }
    slot.image.reset();
}
