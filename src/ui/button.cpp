#include "ui/button.h"

#include "app/application.h"
#include "ui/frame_dirty.h"
#include "ui/image.h"
#include "ui/text.h"
#include "ui/tooltip.h"

#include <algorithm>

const ButtonStyle& currentButtonStyle() {
    static const ButtonStyle defaults;
    return theApp ? theApp->buttonStyle : defaults;
}

void setButtonStyle(const ButtonStyle& style) {
    if (theApp) theApp->buttonStyle = style;
}

void setArt(Button& b, const ButtonArt& art) {
    for (int i = 0; i < ART_SLOT_COUNT; ++i)
        b.art[i] = art[i];
}

namespace {

// Button art stretched to a caption's size, shared by every button of that size:
// a window table holds many buttons of few sizes, and stretching is the slow part.
SurfacePtr stretchedArt(const SurfacePtr& art, int w, int h) {
    struct Entry {
        std::weak_ptr<SDL_Surface> art, result;
        int w, h;
    };
    static std::vector<Entry> cache;
    for (const Entry& e : cache)
        if (e.w == w && e.h == h && e.art.lock() == art)
            if (SurfacePtr hit = e.result.lock()) return hit;
    SurfacePtr made = shareSurface(scaleImageTo(art.get(), w, h));
    cache.erase(std::remove_if(cache.begin(), cache.end(),
                               [](const Entry& e) { return e.result.expired(); }),
                cache.end());
    cache.push_back({art, made, w, h});
    return made;
}

} // namespace

void setColour(Button& b, int c) {
    if (c > 3 || c < 0 || b.pictureImage) return;
    b.colour = c;
    b.clickable = c != 0;
    const int click = c <= 1 ? ART_CLICK_1 : c == 2 ? ART_CLICK_2 : ART_CLICK_3;
    const int over = click + (ART_OVER_1 - ART_CLICK_1);
    const int slots[STATE_COUNT] = {ART_UNCLICKABLE, click, over, ART_PRESSED};
    const bool ownSize = b.caption.empty() || b.caption == " " || !b.captionImage;
    const int w = b.captionImage ? b.captionImage->w + 2 * b.paddingX : 0;
    const int h = b.captionImage ? b.captionImage->h + 2 * b.paddingY : 0;
    for (int s = 0; s < STATE_COUNT; ++s) {
        SDL_Surface* art = b.art[slots[s]].get();
        if (!art) {
            b.stateImages[s].reset();
        } else if (ownSize || (art->w == w && art->h == h)) {
            b.stateImages[s] = b.art[slots[s]]; // shared, never changed
        } else {
            b.stateImages[s] = stretchedArt(b.art[slots[s]], std::max(1, w), std::max(1, h));
        }
    }
}

void refreshCaption(Button& b) {
    const ButtonStyle& style = currentButtonStyle();
    if (b.valueAsLabel) b.caption = std::to_string(b.value);
    if (b.caption.empty()) b.caption = " ";
    SDL_Color colour = b.onlyText ? style.textColour : b.captionColour;
    SDL_Surface* image = nullptr;
    if (b.captionFont) {
        if (b.multiLine || b.menuLike())
            image =
                renderLines(b.captionFont.get(), b.caption, colour, style.captionBackground.get());
        else
            image = renderText(b.captionFont.get(), b.caption, colour);
    }
    b.captionImage = shareSurface(image);
    setColour(b, b.colour);
}

void setCaption(Button& b, const std::string& text, const FontPtr& font, SDL_Color colour,
                int paddingX, int paddingY, bool multiLine) {
    b.caption = text;
    b.captionFont = font;
    b.captionColour = colour;
    b.paddingX = paddingX;
    b.paddingY = paddingY;
    b.multiLine = multiLine;
    refreshCaption(b);
}

void setTooltip(Button& b, const SurfacePtr& picture, const std::string& text) {
    b.tooltipText = text;
    b.tooltipPicture = picture;
    if (text.empty() && !picture) {
        b.tooltipImage.reset();
        return;
    }
    const ButtonStyle& style = currentButtonStyle();
    b.tooltipImage = shareSurface(buildTooltipImage(text, picture.get(), style.tipFont.get(),
                                                    style.tipColour, style.tipBackground));
}

void setShadedImages(Button& b, const SurfacePtr& image, int overShift, int pressedShift) {
    b.stateImages[STATE_UNCLICKABLE] = image;
    b.stateImages[STATE_CLICKABLE] = image;
    b.stateImages[STATE_OVER] =
        image ? shareSurface(shiftBrightness(overShift, image.get())) : nullptr;
    b.stateImages[STATE_PRESSED] =
        image ? shareSurface(shiftBrightness(pressedShift, image.get())) : nullptr;
}

void setPicture(Button& b, const std::string& name, const SurfacePtr& image) {
    b.picture = image ? name : "";
    b.pictureImage = image;
}

SDL_Surface* hitImage(const Button& b) {
    if (b.pictureImage) return b.pictureImage.get();
    if (b.onlyText) return b.captionImage.get();
    int s = (b.state < 0 || b.state >= STATE_COUNT) ? 0 : b.state;
    if (b.stateImages[s]) return b.stateImages[s].get();
    return b.captionImage.get();
}

bool hitTest(Button& b, int mouseX, int mouseY) {
    if (!b.visible) return false;
    if (b.state < 0 || b.state >= STATE_COUNT) b.state = STATE_UNCLICKABLE;
    int px = mouseX, py = mouseY;
    if (b.page) {
        px -= b.page->pageX();
        py += (b.header ? 0 : b.page->pageScroll()) - b.page->pageY();
    }
    SDL_Surface* img = hitImage(b);
    if (!img) return false;
    const int left = b.centred ? b.x - img->w / 2 : b.x;
    const int top = b.centred ? b.y - img->h / 2 : b.y;
    if (px < left || py < top || px >= left + img->w || py >= top + img->h) return false;
    if (b.pixelTest && !b.pictureImage && !b.onlyText) {
        const int ix = std::clamp(px - left, 0, img->w - 1);
        const int iy = std::clamp(py - top, 0, img->h - 1);
        Uint8 alpha = 0;
        readPixel(img, ix, iy, &alpha);
        if (alpha == 0) return false;
    }
    return true;
}

ButtonFrame updateButton(Button& b, int mouseX, int mouseY, int elapsedMs, int tipDelayMs) {
    ButtonFrame f;
    if (b.caption == "AUTOEXECUTE") {
        // Runs by itself once, as soon as it is offered; never drawn.
        if (b.colour != 0 && (!b.hasConditions() || b.conditionsHold())) {
            b.runEffects();
            setColour(b, 0);
            b.colour = 0;
            b.clickable = false;
        }
        return f;
    }
    if (b.hasConditions()) b.clickable = b.conditionsHold();
    const bool hov = hitTest(b, mouseX, mouseY);
    if (!hov) b.pressed = false;
    b.state = !b.clickable ? STATE_UNCLICKABLE : hov ? STATE_OVER : STATE_CLICKABLE;
    if (b.pressed) b.state = STATE_PRESSED;
    if (b.runPending) {
        b.runPending = false;
        b.runEffects();
    }
    if (hov && !b.pressed) {
        if (mouseX == b.restX && mouseY == b.restY) {
            b.hoverMs += std::max(0, elapsedMs);
        } else {
            b.restX = mouseX;
            b.restY = mouseY;
            b.hoverMs = 0;
        }
        f.showTooltip = b.tooltipImage && b.hoverMs >= tipDelayMs;
        if (b.tooltipImage && !f.showTooltip) markFrameDirty(); // the delay runs on
    } else {
        b.hoverMs = 0;
        b.restX = b.restY = -1;
    }
    b.hovered = hov;
    f.draw = b.visible;
    return f;
}
