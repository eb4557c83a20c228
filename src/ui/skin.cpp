#include "ui/skin.h"

#include "fs/vfs.h"
#include "ui/image.h"

#include <algorithm>
#include <cstdio>

const char* const SMALL_BUTTON_NAMES[SMALL_BUTTON_COUNT] = {
    "clear", "preview", "plusminus", "xminus", "checkbox", "export", "radio1", "radio3"};
const char* const PAPER_TILE_NAMES[PAPER_TILE_COUNT] = {
    "cornertile-bottomleft", "cornertile-bottomright", "cornertile-topleft", "cornertile-topright",
    "bordertile-bottom",     "bordertile-left",        "bordertile-right",   "bordertile-top"};

namespace {

SurfacePtr load(const std::string& folder, const std::string& name) {
    return shareSurface(loadImage(folder, name));
}

// Replaces `image` by a copy scaled to `width` wide, aspect kept.
SurfacePtr toWidth(SDL_Surface* image, int width) {
    if (!image) return nullptr;
    double factor = static_cast<double>(std::max(1, width)) / image->w;
    return shareSurface(scaleImage(image, factor));
}

// Optional images: a missing one is released and treated as absent.
SurfacePtr optional(SurfacePtr image) {
    return isPlaceholder(image.get()) ? nullptr : image;
}

} // namespace

void loadButtonArt4(ButtonArt& art, const std::string& folder) {
    SurfacePtr unclick = load(folder, "unclick.png");
    SurfacePtr canclick = load(folder, "canclick.png");
    SurfacePtr over = load(folder, "over.png");
    SurfacePtr clicked = load(folder, "clicked.png");
    art[ART_UNCLICKABLE] = unclick;
    art[ART_CLICK_1] = art[ART_CLICK_2] = art[ART_CLICK_3] = canclick;
    art[ART_OVER_1] = art[ART_OVER_2] = art[ART_OVER_3] = over;
    art[ART_PRESSED] = clicked;
}

void loadButtonArt8(ButtonArt& art, const std::string& folder) {
    for (int i = 0; i < ART_SLOT_COUNT; ++i)
        art[i] = load(folder, "button" + std::to_string(i + 1));
}

void loadSkinImages(SkinImages& skin, const SkinSettings& s) {
    const std::string paperFolder = "data/paper";
    SurfacePtr paper = load(paperFolder, s.paper);
    skin.paper = isPlaceholder(paper.get()) ? paper : toWidth(paper.get(), s.pageWidth);
    SurfacePtr top = optional(load(paperFolder, s.paper + "-top"));
    skin.paperTop = top ? toWidth(top.get(), s.pageWidth) : nullptr;
    SurfacePtr strip = optional(load(paperFolder, s.paper + "-scroll"));
    skin.scrollStrip = strip ? toWidth(strip.get(), static_cast<int>(s.pageWidth * 1.05)) : nullptr;
    // The right-hand page's strip is the left one mirrored, so the roll's ends
    // face the book's spine on both sides.
    skin.scrollStripRight =
        skin.scrollStrip ? shareSurface(mirrorImage(skin.scrollStrip.get())) : nullptr;

    const char* arrowNames[ARROW_COUNT] = {"left.png", "up.png", "right.png", "down.png"};
    for (int i = 0; i < ARROW_COUNT; ++i)
        skin.arrows[i] = load("data/buttons/arrows", arrowNames[i]);

    SurfacePtr menu = load("data/menu", s.menuBackground);
    if (s.uiScale >= 1.0 && s.uiScale != 1.0 && !isPlaceholder(menu.get()))
        menu = shareSurface(scaleImage(menu.get(), s.uiScale));
    skin.menuBackground = menu;

    loadButtonArt4(skin.buttonArt4, "data/buttons/4/" + s.button4);
    loadButtonArt8(skin.buttonArt8, "data/buttons/8/" + s.button8);
    for (int i = 0; i < SMALL_BUTTON_COUNT; ++i)
        skin.smallButtons[i] = load("data/buttons/misc", SMALL_BUTTON_NAMES[i]);

    SurfacePtr back = load("/data/skin", s.skinFile);
    if (!isPlaceholder(back.get())) {
        SDL_Surface* scaled = scaleImageTo(back.get(), s.screenWidth, s.screenHeight);
        // The background covers the screen: drawn as a plain copy, never blended.
        SDL_SetAlpha(scaled, 0, 255);
        back = shareSurface(scaled);
    }
    skin.playBackground = back;
    skin.captionBackground = optional(load("data/gui", "captionbg"));
}

void loadPaperTiles(SkinImages& skin, double uiScale) {
    if (skin.tilesLoaded) return;
    for (int i = 0; i < PAPER_TILE_COUNT; ++i) {
        SurfacePtr tile = load("data/paper/tiles", PAPER_TILE_NAMES[i]);
        if (!isPlaceholder(tile.get()) && uiScale != 1.0)
            tile = shareSurface(scaleImage(tile.get(), uiScale));
        skin.paperTiles[i] = tile;
    }
    skin.tilesLoaded = true;
}

void releaseSkinImages(SkinImages& skin) {
    skin = SkinImages{};
}

std::vector<std::string> listAvatars() {
    std::vector<std::string> names;
    for (const std::string& f : vfsList("/data/profiles/avatars")) {
        // A name is kept once for each image extension it contains.
        for (const char* ext : {".png", ".jpg", ".gif", ".bmp", ".tiff"})
            if (f.find(ext) != std::string::npos) names.push_back(f);
    }
    if (names.empty()) {
        printf("Couldn't find any avatars! Using a blank image...\n");
        names.push_back("blank");
    }
    std::sort(names.begin(), names.end());
    return names;
}
