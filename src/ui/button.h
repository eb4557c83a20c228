// The one button widget: section choices, menu entries, Action Chart controls,
// the tool bar and the scroll bar. Section buttons (conditions and effects)
// derive from it and override the hooks at the bottom.
#pragma once

#include "ui/skin.h"
#include "ui/surface.h"

#include <functional>
#include <string>

struct Application;

// Where a page shows its buttons: page-relative positions are turned into
// screen positions with this. The section page implements it.
class ButtonPage {
  public:
    virtual ~ButtonPage() = default;
    virtual int pageX() const = 0;
    virtual int pageY() const = 0;
    virtual int pageScroll() const = 0; // how far the page is scrolled down
};

// Button states, also the indices of the state images.
enum ButtonState { STATE_UNCLICKABLE, STATE_CLICKABLE, STATE_OVER, STATE_PRESSED, STATE_COUNT };

struct Button {
    virtual ~Button() = default;

    Application* owner = nullptr;
    ButtonPage* page = nullptr; // null for screen buttons
    int id = 0;
    int value = 0;

    int x = 0, y = 0; // top-left corner, or the centre when centred
    bool centred = false;
    SurfacePtr stateImages[STATE_COUNT];
    int state = STATE_CLICKABLE;
    SurfacePtr art[ART_SLOT_COUNT]; // shared with the skin
    int colour = 1;
    bool clickable = true;
    bool visible = true;
    bool pixelTest = false;

    std::string caption = " ";
    FontPtr captionFont;
    SDL_Color captionColour{255, 255, 255, 0};
    SurfacePtr captionImage;
    int captionOffsetY = 0; // vertical offset of the caption's ink inside its image
    bool multiLine = false; // the caption flag: split at back-ticks over a background
    int paddingX = 0, paddingY = 0;

    std::string tooltipText;
    SurfacePtr tooltipPicture;
    SurfacePtr tooltipImage;

    std::string picture;
    SurfacePtr pictureImage;

    bool onlyText = false;     // bare caption in the section text colour, no art
    bool valueAsLabel = false; // the caption shows `value`
    bool placed = false;
    bool header = false;
    bool awaitingEntry = false;

    // Click handling by the screen or window that holds the button.
    bool enabled = true;
    bool pressed = false;
    bool clicked = false;
    bool needsClickLock = false;
    bool runPending = false; // marked to run its effects in the next draw

    // Tooltip timing.
    bool hovered = false;
    int hoverMs = 0;
    int restX = -1, restY = -1;

    // Run by the default runEffects; section buttons run their effect list instead.
    std::function<void(Button&)> onRun;

    virtual bool hasConditions() const { return false; }
    virtual bool conditionsHold() { return true; }
    virtual void runEffects() {
        if (onRun) onRun(*this);
    }
    // Menu-like buttons (their first effect opens a menu-like target) always get
    // multi-line captions.
    virtual bool menuLike() const { return false; }
};

// What the widget needs from the application's settings and skin.
struct ButtonStyle {
    SDL_Color textColour{0, 0, 0, 0}; // section text colour, for onlyText captions
    SDL_Color tipColour{0, 0, 0, 0};
    SDL_Color tipBackground{255, 255, 185, 0};
    FontPtr tipFont;
    int tipDelayMs = 500;
    SurfacePtr captionBackground; // under multi-line captions
};

// The application's style when there is one, else defaults.
const ButtonStyle& currentButtonStyle();
void setButtonStyle(const ButtonStyle& style);

// Copies eight art slots into the button (they stay shared with the skin).
void setArt(Button& b, const ButtonArt& art);
// Rebuilds the state images from the art for colour c (ignored when c > 3, c < 0
// or the button shows a picture); clickable = (c != 0).
void setColour(Button& b, int c);
// Stores and renders the caption, then rebuilds the state images.
void setCaption(Button& b, const std::string& text, const FontPtr& font, SDL_Color colour,
                int paddingX, int paddingY, bool multiLine = false);
// Re-renders the stored caption (after `value` changed for valueAsLabel buttons).
void refreshCaption(Button& b);
// Builds the tooltip image; an empty text without picture removes it.
void setTooltip(Button& b, const SurfacePtr& picture, const std::string& text);
// Uses `image` for states 0 and 1 and brightness shifts of it for over and pressed.
void setShadedImages(Button& b, const SurfacePtr& image, int overShift, int pressedShift);
// Shows `image` as the button (a picture button); null clears it.
void setPicture(Button& b, const std::string& name, const SurfacePtr& image);

// The image the button's hit area and size come from: its picture, its caption
// for onlyText buttons, else the image of its current state (or the caption).
SDL_Surface* hitImage(const Button& b);
// Whether the screen point (mouseX, mouseY) is on the button.
bool hitTest(Button& b, int mouseX, int mouseY);

struct ButtonFrame {
    bool draw = false;        // false for hidden and AUTOEXECUTE buttons
    bool showTooltip = false; // the pointer has rested long enough
};
// The per-frame rules of drawButton without the drawing: AUTOEXECUTE, state,
// marked runs and the tooltip delay.
ButtonFrame updateButton(Button& b, int mouseX, int mouseY, int elapsedMs, int tipDelayMs);

// Updates the button for this frame (updateButton) and draws it on `target`,
// offset by (originX, originY): the page's screen position less its scroll for
// page buttons (without the scroll for header buttons), 0 for screen buttons.
// A tooltip that is due is handed to the application's tooltip slot.
void drawButton(Button& b, SDL_Surface* target, int mouseX, int mouseY, int elapsedMs,
                int originX = 0, int originY = 0);
// Draws the button as it is (state, caption or picture) without the frame rules.
void paintButton(const Button& b, SDL_Surface* target, int originX = 0, int originY = 0);
