// Laying a section's words out on its sheet of paper: justified lines with
// paragraph spacing, indents, centring and inline buttons. Pure arithmetic on
// the sizes the renderer measured, so it runs (and is tested) without a window.
#pragma once

#include "book/page_word.h"

#include <string>
#include <vector>

// Metrics of the section text font at the base size S (point size).
struct PageMetrics {
    int size = 21;   // S
    int ascent = 0;  // A
    int lineSkip = 0; // L
    int space = 0;   // P, the advance of " "

    int sideMargin() const { return size * 5 / 4; } // M
    int topMargin() const { return size / 2; }      // T
    int tabUnit() const { return 4 * space; }
    int sideShift() const { return size * 3 / 4; }  // D
};

// What the layout needs of a page's button, measured by the view, and where
// the layout puts it (page coordinates, top-left corner).
struct LayoutButton {
    int width = 0, height = 0; // picture, caption (onlyText) or current state image
    int stateHeight = 0;       // current state image
    int captionHeight = 0;     // 0 without a caption image
    int captionOffsetY = 0;    // vertical offset of the caption's ink
    bool hasCaption = false;
    bool hasPicture = false;
    bool onlyText = false;
    // Never drawn (a button that fires itself): it is placed where it stands
    // so that it can scroll into view, but a line of nothing else takes no room.
    bool unseen = false;
    // Room kept before the button for the digit key that presses it (only
    // while the digits are shown); the button stands that much further right.
    int digitRoom = 0;
    int x = 0, y = 0;
    bool placed = false;
};

struct PageSize {
    int width = 0, height = 0;
    bool rightSide = false; // text shifted left by D instead of right
    // Bands of the sheet's window that something covers: the page tabs at the
    // top, the scroll strip at the bottom. The text starts below the one and
    // can scroll clear of the other.
    int topInset = 0, bottomInset = 0;
};

// Punctuation that sticks to the word before it; footnote markers too, except
// the bracketed footnote bodies.
bool gluedToPrevious(const std::string& text);
bool isFootnoteMarker(const std::string& text);

// Positions the words (x, y, w, h; w and h must already hold the sizes of
// their rendered images) and the buttons they stand for. `buttonOf` gives, per
// word, the index into `buttons` of the button the word shows, or -1 for a
// text word (the caller resolves button ids, including missing ones). Returns
// maxScroll: how far the sheet can scroll up, 0 when it fits.
int layoutWords(std::vector<PageWord>& words, const std::vector<int>& buttonOf,
                std::vector<LayoutButton>& buttons, const PageMetrics& metrics,
                const PageSize& page);

// The digit keys' labels beside the choices: the room a choice keeps for its
// label (the widest digit and a small gap), and where a label of `w` x `h`
// stands before a placed button: right-aligned to the gap, centred on the
// button's height.
int choiceDigitRoom(const PageMetrics& metrics, int widestDigit);
struct DigitSpot {
    int x = 0, y = 0;
};
DigitSpot choiceDigitSpot(const LayoutButton& button, const PageMetrics& metrics, int w, int h);
