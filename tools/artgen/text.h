// Lettering for the artwork, rendered with SDL_ttf from the fonts shipped in
// data/fonts, then treated as a mask so it can take gradients, outlines and shadows.
#pragma once

#include "canvas.h"

#include <string>

struct _TTF_Font;

class Font {
  public:
    Font(const std::string& path, int pointSize);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    bool ok() const { return font_ != nullptr; }
    int lineHeight() const;
    int ascent() const;
    int textWidth(const std::string& utf8) const;
    // The text as a mask exactly as wide as the text and one line high.
    Mask render(const std::string& utf8, bool bold = false) const;

  private:
    _TTF_Font* font_ = nullptr;
};

struct TextStyle {
    Paint fill = solid(Color{0, 0, 0, 1});
    Color outline = TRANSPARENT;
    int outlineWidth = 0;
    Color shadow = TRANSPARENT;
    float shadowBlur = 0;
    int shadowDx = 0, shadowDy = 0;
    float bevel = 0; // strength of a raised, lit look
    bool bold = false;
};

// Draws one line with its box's top at y; align -1 left edge at x, 0 centred on x,
// 1 right edge at x. Returns the drawn width.
int drawText(Canvas& c, const Font& f, const std::string& utf8, float x, float y, int align,
             const TextStyle& style);
// Fits the text into a width by picking the largest size that fits (down to minSize).
int fittingSize(const std::string& fontPath, const std::string& utf8, int maxWidth, int startSize,
                int minSize = 6);
