// Drawing of buttons; the rules of each frame are in button.cpp.
#include "app/application.h"
#include "ui/blit.h"
#include "ui/button.h"
#include "ui/tooltip.h"

namespace {

void blitAt(SDL_Surface* image, SDL_Surface* target, int x, int y) {
    if (!image || !target) return;
    SDL_Rect at{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    blitSurface(image, nullptr, target, &at);
}

} // namespace

void paintButton(const Button& b, SDL_Surface* target, int originX, int originY) {
    SDL_Surface* box = hitImage(b);
    const int bw = box ? box->w : 0, bh = box ? box->h : 0;
    const int left = originX + (b.centred ? b.x - bw / 2 : b.x);
    const int top = originY + (b.centred ? b.y - bh / 2 : b.y);
    if (b.pictureImage) {
        blitAt(b.pictureImage.get(), target, left, top);
        return;
    }
    const int state = (b.state < 0 || b.state >= STATE_COUNT) ? 0 : b.state;
    if (!b.onlyText) blitAt(b.stateImages[state].get(), target, left, top);
    SDL_Surface* cap = b.captionImage.get();
    if (cap && b.caption != " ") {
        const int cx = left + (bw - cap->w) / 2;
        const int cy = top + (bh - cap->h) / 2 - b.captionOffsetY / 2;
        blitAt(cap, target, cx, cy);
    }
}

void drawButton(Button& b, SDL_Surface* target, int mouseX, int mouseY, int elapsedMs, int originX,
                int originY) {
    const ButtonStyle& style = currentButtonStyle();
    ButtonFrame f = updateButton(b, mouseX, mouseY, elapsedMs, style.tipDelayMs);
    if (!f.draw) return;
    paintButton(b, target, originX, originY);
    if (f.showTooltip && theApp) {
        SDL_Surface* screen = SDL_GetVideoSurface();
        SDL_Surface* tip = b.tooltipImage.get();
        const int sw = screen ? screen->w : (target ? target->w : tip->w);
        const int sh = screen ? screen->h : (target ? target->h : tip->h);
        SDL_Rect at = placeTooltip(mouseX, mouseY, tip->w, tip->h, sw, sh);
        theApp->tooltip.image = b.tooltipImage;
        theApp->tooltip.x = at.x;
        theApp->tooltip.y = at.y;
    }
}
