// Placing labels and buttons in a window: x in percent of the window's width
// with an alignment, y either a centre at p percent of the height (written -p)
// or a row of the label font.
#pragma once

#include "ui/window_manager.h"

#include <string>

struct Application;

enum WindowFontRole { FONT_TIP = 1, FONT_MENU = 2, FONT_MENU_SMALL = 3 };
enum Alignment { ALIGN_LEFT = -1, ALIGN_CENTRE = 0, ALIGN_RIGHT = 1 };

// A window of `width` x `height` at a scale of 1 (768-high screen, 462 on the
// title screens), with the menu background stretched under it, resting where
// windows rest on the current screen.
// The message box's size at a display scale of 1.
constexpr int MESSAGE_BOX_WIDTH = 400, MESSAGE_BOX_HEIGHT = 210;

GameWindow& addWindow(Application& app, int id, int width, int height);
// A new pixel size for `w` (a message longer than its box): its background,
// its resting place and its buttons follow.
void resizeWindow(Application& app, GameWindow& w, int width, int height);

// A text label (caption only, menu text colour).
Button& addLabel(Application& app, GameWindow& w, int id, const std::string& caption, int font,
                 double xPercent, int align, int y);
// A clickable button of the menu button art (style set 1 to 3).
Button& addButton(Application& app, GameWindow& w, int id, const std::string& caption,
                  const std::string& tooltip, int styleSet, int font, double xPercent, int align,
                  int y);
// A label showing a picture (avatar, cover, preview), scaled to fit `maxW` x `maxH`.
Button& addPicture(Application& app, GameWindow& w, int id, SDL_Surface* image, int maxW, int maxH,
                   double xPercent, int align, int y);

// New caption (and tooltip when given), keeping the button where it was placed.
void setLabelText(Application& app, GameWindow& w, int id, const std::string& caption);
void setButtonTooltip(GameWindow& w, int id, const std::string& tooltip);
void setPictureImage(GameWindow& w, int id, SDL_Surface* image, int maxW, int maxH);
void setButtonEnabled(GameWindow& w, int id, bool enabled);
void setButtonVisible(GameWindow& w, int id, bool visible);
// Marks a choice button as the current one (colour 2) or not (colour 1).
void setChosen(GameWindow& w, int id, bool chosen);
// New padding round the caption (small buttons), or a padding that makes the
// button `width` wide (rows of buttons of one width).
void setButtonPadding(GameWindow& w, Button& b, int paddingX, int paddingY);
void setButtonWidth(GameWindow& w, Button& b, int width);
// Recomputes the button's position from its stored placement.
void placeButton(GameWindow& w, Button& b);
