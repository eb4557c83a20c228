// Text helpers: the back-tick line rule and rendering with SDL_ttf.
#pragma once

#include "ui/surface.h"

#include <string>
#include <unordered_map>
#include <vector>

// Splits at every back-tick; an empty piece becomes a single space, so two
// back-ticks in a row give an empty line and a trailing one a last blank line.
std::vector<std::string> splitLines(const std::string& text);

// True when `text` is valid UTF-8 holding at least one multi-byte sequence;
// other text is taken as Latin-1 (the data files' own encoding).
bool looksUtf8(const std::string& text);

enum class TextQuality { Solid, Shaded, Blended };

// One line rendered with the font; an empty text renders as one space. Null
// only when the font is missing or SDL_ttf fails.
SDL_Surface* renderText(TTF_Font* font, const std::string& text, SDL_Color colour,
                        TextQuality quality = TextQuality::Blended,
                        SDL_Color background = SDL_Color{255, 255, 255, 0});

// Several lines (split at back-ticks), each centred, one below the other, on a
// transparent ARGB sheet as wide as the widest line and as high as the sum of
// the line heights plus `gap` between lines. With a background the background
// is stretched under the whole text first.
SDL_Surface* renderLines(TTF_Font* font, const std::string& text, SDL_Color colour,
                         SDL_Surface* background = nullptr, int gap = 0);

// Width and height `text` would take in one line (0 x 0 without a font).
void textSize(TTF_Font* font, const std::string& text, int* width, int* height);

// `text` with every back-tick line wider than `maxWidth` broken at spaces (a
// back-tick put in), so that it fits a box of that width. A single word wider
// than the box keeps its line. Unchanged without a font.
std::string fitLines(TTF_Font* font, const std::string& text, int maxWidth);

// Rendered word images shared by reference count: a page asks for every word
// it shows, and the same word in the same font and colour is rendered once.
// Holding the font keeps its address from being reused by another font.
class WordImageCache {
  public:
    // Null only when the font is missing or rendering fails.
    SurfacePtr get(const FontPtr& font, const std::string& text, SDL_Color colour);
    void clear();
    size_t size() const { return entries.size(); }

    // Beyond this many words the cache starts over rather than grow for ever.
    static constexpr size_t MAX_ENTRIES = 8192;

  private:
    struct Entry {
        FontPtr font;
        SurfacePtr image;
    };
    std::unordered_map<std::string, Entry> entries;
};
