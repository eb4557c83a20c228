#include "ui/top_bar.h"

#include "ui/image.h"
#include "ui/text.h"

#include <algorithm>

void makeMainMenuButton(Button& b, const FontPtr& menuFont, SDL_Color textColour, int screenH) {
    const int side = std::clamp(screenH / 10, 8, 96);
    SDL_Surface* square = createArgbSurface(side, side);
    if (!square) return;
    SDL_FillRect(square, nullptr, 0xFFFFFFFFu);
    SDL_Surface* words = renderLines(menuFont.get(), "Main`Menu", textColour);
    if (words) {
        // Fit the two words inside the square, a small margin all round.
        const double fit = std::min(static_cast<double>(side - 6) / words->w,
                                    static_cast<double>(side - 6) / words->h);
        SDL_Surface* scaled = scaleImage(words, fit);
        composeOver(square, scaled, (side - scaled->w) / 2, (side - scaled->h) / 2);
        SDL_FreeSurface(scaled);
        SDL_FreeSurface(words);
    }
    SurfacePtr image = shareSurface(finishSurface(square, false));
    // A white square cannot get brighter: hover and press darken it instead.
    setShadedImages(b, image, -15, -30);
    b.caption = " ";
    b.captionImage.reset();
    setTooltip(b, nullptr, "Open the Main Menu");
}

void makeImageButton(Button& b, const std::string& folder, const std::string& name, double scale,
                     const std::string& tooltip, int overShift, int pressedShift) {
    SDL_Surface* raw = loadImage(folder, name);
    SurfacePtr image =
        shareSurface(scale == 1.0 || isPlaceholder(raw) ? raw : scaleImage(raw, scale));
    if (image.get() != raw) SDL_FreeSurface(raw);
    setShadedImages(b, image, overShift, pressedShift);
    b.caption = " ";
    b.captionImage.reset();
    setTooltip(b, nullptr, tooltip);
}
