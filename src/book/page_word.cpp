#include "book/page_word.h"

bool sameWord(const PageWord& a, const PageWord& b) {
    return a.text == b.text && a.wordId == b.wordId && a.ignore == b.ignore &&
           a.newParagraph == b.newParagraph && a.endParagraph == b.endParagraph &&
           a.addLines == b.addLines && a.leftTabs == b.leftTabs && a.beginCentre == b.beginCentre &&
           a.endCentre == b.endCentre && a.isButton == b.isButton && a.buttonId == b.buttonId &&
           a.size == b.size && a.hangIndent == b.hangIndent && a.bold == b.bold &&
           a.italic == b.italic;
}

std::string describeWord(const PageWord& word) {
    std::string marks;
    auto flag = [&marks](bool on, const char* key) {
        if (!on) return;
        if (!marks.empty()) marks += ' ';
        marks += key;
    };
    auto number = [&marks](int value, int byDefault, const char* key) {
        if (value == byDefault) return;
        if (!marks.empty()) marks += ' ';
        marks += key;
        marks += ':';
        marks += std::to_string(value);
    };
    number(word.order, -1, "ORDER");
    flag(word.ignore, "IGNORE");
    flag(word.newParagraph, "NEW_P");
    flag(word.endParagraph, "END_P");
    number(word.addLines, 0, "ADD_LINES");
    number(word.leftTabs, 0, "LEFT_TABS");
    number(word.hangIndent, 0, "HANG_INDENT");
    flag(word.beginCentre, "BEGIN_C");
    flag(word.endCentre, "END_C");
    flag(word.isButton, "IS_BUTTON");
    number(word.buttonId, -1, "BUTTON_ID");
    number(word.size, 100, "SIZE");
    flag(word.bold, "BOLD");
    flag(word.italic, "ITALIC");
    std::string line = std::to_string(word.wordId);
    line += '\t';
    line += word.text;
    if (!marks.empty()) {
        line += '\t';
        line += marks;
    }
    return line;
}
