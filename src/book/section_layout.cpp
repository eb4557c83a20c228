#include "book/section_layout.h"

#include <algorithm>
#include <cmath>

bool isFootnoteMarker(const std::string& text) {
    return text.rfind("FOOTNOTE:", 0) == 0 && text.rfind("FOOTNOTE:[", 0) != 0;
}

bool gluedToPrevious(const std::string& text) {
    return text == "," || text == "." || text == ";" || text == ")" || isFootnoteMarker(text);
}

namespace {

bool isPunctuation(const std::string& text) {
    return text == "," || text == "." || text == ";" || text == ")";
}

struct LayoutState {
    bool centring = false;
    bool hangOn = false;
    int hang = 0; // H, in tab units
};

struct Line {
    int first = -1; // first visible word; -1 for an empty line
    int last = 0;   // e
    int glued = 0;  // G
    int brackets = 0; // B
};

class Layout {
  public:
    Layout(std::vector<PageWord>& w, const std::vector<int>& b, std::vector<LayoutButton>& bt,
           const PageMetrics& m, const PageSize& p)
        : words(w), buttonOf(b), buttons(bt), metrics(m), page(p) {}

    int run() {
        for (LayoutButton& b : buttons)
            b.placed = false;
        const int count = static_cast<int>(words.size());
        if (count == 0) return 0;
        y = metrics.topMargin() + std::max(0, page.topInset);
        int lastLineY = y;
        for (int s = 0; s < count;) {
            const int before = y;
            Line line = gather(s);
            adjust(line);
            if (line.first >= 0 && unseenOnly(line)) {
                y = before; // nor its paragraph's blank line
                place(line);
            } else if (line.first >= 0) {
                place(line);
                lastLineY = y;
                y += metrics.lineSkip * (1 + words[line.last].addLines);
            }
            s = line.last + 1;
        }
        return std::max(0, metrics.topMargin() + lastLineY + metrics.ascent - page.height +
                               std::max(0, page.bottomInset));
    }

  private:
    int buttonIndex(int i) const {
        if (i >= static_cast<int>(buttonOf.size())) return -1;
        const int b = buttonOf[i];
        return b >= 0 && b < static_cast<int>(buttons.size()) ? b : -1;
    }
    bool unseenOnly(const Line& line) const {
        for (int k = line.first; k <= line.last; ++k) {
            if (words[k].ignore) continue;
            const int b = buttonIndex(k);
            if (b < 0 || !buttons[b].unseen) return false;
        }
        return true;
    }
    int widthOf(int i) const {
        const int b = buttonIndex(i);
        return b >= 0 ? buttons[b].width + std::max(0, buttons[b].digitRoom) : words[i].w;
    }
    int available() const { return page.width - 2 * metrics.sideMargin(); }
    bool endsLine(const PageWord& w) const { return w.endParagraph || w.endCentre; }

    // Collects the words of one line starting at s, counting the glued words
    // and the "(" that take no gap.
    Line gather(int s) {
        const int count = static_cast<int>(words.size());
        const int tab = metrics.tabUnit();
        Line line;
        line.last = count - 1;
        double width = 0; // W
        bool first = true;
        for (int i = s; i < count; ++i) {
            PageWord& w = words[i];
            if (w.ignore) {
                if (i == count - 1) line.last = i;
                continue;
            }
            const int wi = widthOf(i);
            double g = width + w.leftTabs * tab;
            if (first && state.hangOn) g += state.hang * tab;
            // The first word always stays, however wide: it runs past the margin.
            // A word that does not fit leaves its marks for the line it starts.
            if (!first && g + wi > available()) {
                line.last = i - 1;
                break;
            }
            if (first) line.first = i;
            first = false;
            if (w.newParagraph) y += metrics.lineSkip;
            if (w.hangIndent) {
                state.hangOn = true;
                state.hang = w.hangIndent;
            }
            if (w.beginCentre) state.centring = true;
            const bool endsHere = endsLine(w) || i == count - 1;
            width = g + metrics.space;
            if (w.text == "(") {
                width -= metrics.space;
                if (!endsHere) ++line.brackets;
            }
            if (gluedToPrevious(w.text)) {
                width -= metrics.space;
                ++line.glued;
            }
            width += wi;
            if (endsHere) {
                line.last = i;
                break;
            }
        }
        return line;
    }

    int previousVisible(int i, int floor) const {
        for (int k = i - 1; k >= floor; --k)
            if (!words[k].ignore) return k;
        return -1;
    }

    void adjust(Line& line) {
        if (line.first < 0) return;
        const int count = static_cast<int>(words.size());
        // "(" never ends a line: it goes down with the word it opens.
        if (words[line.last].text == "(" && !endsLine(words[line.last]) && line.last > line.first &&
            line.last + 1 < count) {
            line.last = previousVisible(line.last, line.first);
            line.brackets = std::max(0, line.brackets - 1);
        }
        // Punctuation after the last word stays with it, even past the margin.
        const PageWord& e = words[line.last];
        if (!endsLine(e) && line.last + 1 < count && gluedToPrevious(words[line.last + 1].text) &&
            !words[line.last + 1].ignore) {
            ++line.last;
            ++line.glued;
        }
        const PageWord& last = words[line.last];
        if (line.last != line.first) {
            if (isFootnoteMarker(last.text)) --line.glued;
            const int before = previousVisible(line.last, line.first);
            if (before >= 0 && buttonIndex(before) >= 0 && isPunctuation(last.text)) --line.glued;
        }
        line.glued = std::max(0, line.glued);
    }

    void place(const Line& line) {
        const int count = static_cast<int>(words.size());
        const int tab = metrics.tabUnit();
        int n = 0, tabs = 0;
        double sum = 0;
        for (int k = line.first; k <= line.last; ++k) {
            if (words[k].ignore) continue;
            ++n;
            sum += widthOf(k);
            tabs += words[k].leftTabs;
        }
        const int hang = state.hangOn ? state.hang : 0;
        double lineWidth = sum + (hang + tabs) * tab;
        if (words[line.first].hangIndent) lineWidth -= hang * tab;
        const int gaps = n - line.glued - line.brackets - 1;
        const bool endsParagraph = words[line.last].endParagraph || line.last == count - 1;
        double gap = metrics.space;
        double x = metrics.sideMargin();
        if (!state.centring && !endsParagraph && gaps > 0)
            gap = std::max(0.0, (available() - lineWidth) / gaps);
        if (state.centring)
            x = page.width / 2.0 - std::max(0, gaps) * metrics.space / 2.0 - lineWidth / 2.0;
        const int shift = page.rightSide ? -metrics.sideShift() : metrics.sideShift();

        for (int k = line.first; k <= line.last; ++k) {
            PageWord& w = words[k];
            if (w.ignore) continue;
            if (endsLine(w)) state.centring = false;
            if (k == line.first && state.hangOn && !w.hangIndent) x += state.hang * tab;
            if (w.endParagraph) {
                state.hangOn = false;
                state.hang = 0;
            }
            x += w.leftTabs * tab;
            const int bi = buttonIndex(k);
            if (bi >= 0) {
                LayoutButton& b = buttons[bi];
                x += std::max(0, b.digitRoom);
                b.x = static_cast<int>(std::floor(x)) + shift;
                if (b.hasPicture) {
                    b.y = y;
                    y += b.height - metrics.lineSkip;
                } else {
                    const int c = b.hasCaption ? b.stateHeight / 2 - b.captionHeight / 2 -
                                                     b.captionOffsetY / 2
                                               : 0;
                    b.y = y - c;
                }
                b.placed = true;
                w.x = b.x;
                w.y = b.y;
                x += b.width + gap;
            } else {
                if (gluedToPrevious(w.text)) x -= gap;
                w.x = static_cast<int>(std::floor(x)) + shift;
                w.y = metrics.ascent + y - w.ascent;
                x += w.w;
                if (w.text != "(") x += gap;
            }
        }
    }

    std::vector<PageWord>& words;
    const std::vector<int>& buttonOf;
    std::vector<LayoutButton>& buttons;
    const PageMetrics& metrics;
    const PageSize& page;
    LayoutState state;
    int y = 0;
};

} // namespace

namespace {
int digitGap(const PageMetrics& metrics) {
    return std::max(2, metrics.space / 2);
}
} // namespace

int choiceDigitRoom(const PageMetrics& metrics, int widestDigit) {
    return std::max(0, widestDigit) + digitGap(metrics);
}

DigitSpot choiceDigitSpot(const LayoutButton& button, const PageMetrics& metrics, int w, int h) {
    return {button.x - digitGap(metrics) - w, button.y + (button.stateHeight - h) / 2};
}

int layoutWords(std::vector<PageWord>& words, const std::vector<int>& buttonOf,
                std::vector<LayoutButton>& buttons, const PageMetrics& metrics,
                const PageSize& page) {
    return Layout(words, buttonOf, buttons, metrics, page).run();
}
