// One word of a section page with the layout marks the page layout reads.
// Stock words come from the XHTML converter; section scripts add and edit them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct SDL_Surface;

struct PageWord {
    std::string text = "WORD";
    int wordId = 0;            // stock words 0, 1, 2 ...; script words from 30000 up
    int order = -1;            // script words: the stock word they follow
    bool ignore = false;       // hidden: neither laid out nor drawn
    bool newParagraph = false; // a blank line before the line this word starts on
    bool endParagraph = false; // the line ends after it; ends centring and hanging indent
    int addLines = 0;          // extra empty lines after the line that ends with it
    int leftTabs = 0;          // indent before it, in tab units
    int hangIndent = 0;        // hanging indent (tab units) for the paragraph's following lines
    bool beginCentre = false;
    bool endCentre = false;
    bool isButton = false;
    int buttonId = -1;
    int size = 100; // per cent of the base text size
    bool bold = false;
    bool italic = false;

    // Set by the page layout; never stored. Full ints: a long section runs
    // well past 32767 pixels down the sheet.
    int x = 0, y = 0;
    int w = 0, h = 0;
    // Rendered text, shared between copies of the word (copying raises the count,
    // reset releases this word's share).
    std::shared_ptr<SDL_Surface> image;
    int ascent = 0;

    void reset() { *this = PageWord(); }
};

// Equality as the script writer needs it: layout position, image, ascent and
// `order` do not count.
bool sameWord(const PageWord& a, const PageWord& b);
inline bool operator==(const PageWord& a, const PageWord& b) {
    return sameWord(a, b);
}
inline bool operator!=(const PageWord& a, const PageWord& b) {
    return !sameWord(a, b);
}

// One line describing the word: its id, a tab, its text, and, after another tab,
// every mark that differs from the default ("NEW_P END_P SIZE:140 BOLD ..."), in
// the key names of the word record format. What the data tool's words command prints.
std::string describeWord(const PageWord& word);
