// The skin images the application holds: paper, arrows, button art, the play
// background and the paper border tiles. Reloaded when the settings change.
#pragma once

#include "ui/frame.h"
#include "ui/surface.h"

#include <string>
#include <vector>

// Button art slots, in order.
enum ArtSlot {
    ART_UNCLICKABLE,
    ART_CLICK_1,
    ART_CLICK_2,
    ART_CLICK_3,
    ART_OVER_1,
    ART_OVER_2,
    ART_OVER_3,
    ART_PRESSED,
    ART_SLOT_COUNT
};

enum ArrowId { ARROW_LEFT, ARROW_UP, ARROW_RIGHT, ARROW_DOWN, ARROW_COUNT };

enum SmallButtonId {
    SMALL_CLEAR,
    SMALL_PREVIEW,
    SMALL_PLUSMINUS,
    SMALL_XMINUS,
    SMALL_CHECKBOX,
    SMALL_EXPORT,
    SMALL_RADIO1,
    SMALL_RADIO3,
    SMALL_BUTTON_COUNT
};

enum PaperTileId {
    TILE_CORNER_BOTTOMLEFT,
    TILE_CORNER_BOTTOMRIGHT,
    TILE_CORNER_TOPLEFT,
    TILE_CORNER_TOPRIGHT,
    TILE_BORDER_BOTTOM,
    TILE_BORDER_LEFT,
    TILE_BORDER_RIGHT,
    TILE_BORDER_TOP,
    PAPER_TILE_COUNT
};

using ButtonArt = SurfacePtr[ART_SLOT_COUNT];

// The settings and sizes the skin depends on.
struct SkinSettings {
    std::string paper = "paper1";
    std::string menuBackground = "menubase";
    std::string button4 = "redgel";
    std::string button8 = "twotone";
    std::string skinFile = "skin1";
    double uiScale = 1.0;
    int pageWidth = 400;
    int screenWidth = 800;
    int screenHeight = 600;
};

struct SkinImages {
    SurfacePtr paper;
    SurfacePtr paperTop;         // null when the paper has none
    SurfacePtr scrollStrip;      // null when the paper has none
    SurfacePtr scrollStripRight; // the strip mirrored, for right-hand pages
    SurfacePtr arrows[ARROW_COUNT];
    SurfacePtr menuBackground;
    ButtonArt buttonArt4; // menu and scroll buttons
    ButtonArt buttonArt8; // section choice buttons
    SurfacePtr smallButtons[SMALL_BUTTON_COUNT];
    SurfacePtr playBackground;    // screen-sized, drawn without alpha blending
    SurfacePtr captionBackground; // under multi-line captions; null when the skin has none
    SurfacePtr paperTiles[PAPER_TILE_COUNT];
    bool tilesLoaded = false;
    FramePieces frame;
};

extern const char* const SMALL_BUTTON_NAMES[SMALL_BUTTON_COUNT];
extern const char* const PAPER_TILE_NAMES[PAPER_TILE_COUNT];

// (Re)loads everything but the frame pieces and paper tiles, which are loaded
// once for the program's run.
void loadSkinImages(SkinImages& skin, const SkinSettings& settings);
// The eight border tiles, on first use, scaled by the interface scale.
void loadPaperTiles(SkinImages& skin, double uiScale);
// Fills eight art slots from a four-image folder ("canclick" and "over" fill
// three slots each) or an eight-image folder ("button1" ... "button8").
void loadButtonArt4(ButtonArt& art, const std::string& folder);
void loadButtonArt8(ButtonArt& art, const std::string& folder);
void releaseSkinImages(SkinImages& skin);

// Image files of "/data/profiles/avatars", sorted; {"blank"} when there is none.
std::vector<std::string> listAvatars();
