#include "book/section_text.h"

#include "app/message_queue.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* const BLANK_PAGE = "/data/misc/blank.dat";
const char* const EM_DASH = "\xE2\x80\x94";

struct Conversion {
    Conversion(const std::string& name, std::vector<PageWord>& out)
        : section(name), words(out), sectLike(name.find("sect") != std::string::npos),
          noticeLike(name.compare(0, 6, "notice") == 0) {}

    const std::string& section;
    std::vector<PageWord>& words;
    const bool sectLike;   // a numbered section (name contains "sect")
    const bool noticeLike; // name starts with "notice"

    bool bold = false;
    bool italic = false;
    int headingSize = 0; // 0: not in a heading
    bool inFootnotes = false;
    bool footnoteLinkPending = false;
    bool fightEmitted = false;
    bool inUnorderedList = false;
    bool inList = false;
    int listCounter = 0;
    int listIndent = 0;
    int emitted = 0;
    bool stopped = false; // the copyright paragraph was met

    PageWord* last() { return words.empty() ? nullptr : &words.back(); }
    void append(PageWord word) {
        words.push_back(std::move(word));
        ++emitted;
    }
};

bool contains(const std::string& s, const char* what) {
    return s.find(what) != std::string::npos;
}

// (a) One fix of each kind, on its first occurrence; later ones are met by
// later passes. Dashes become words of their own.
void fixCharacters(std::string& text) {
    size_t p = text.find("&nbsp;");
    if (p != std::string::npos) text.replace(p, 6, " ");
    // A no-break space's second byte (160) already split the token, leaving its
    // lead byte 0xC2 at the end: make that a word break. A 0xC2 that leads a
    // real two-byte character (copyright sign, degree sign) is left alone.
    for (p = text.find('\xC2'); p != std::string::npos; p = text.find('\xC2', p + 1)) {
        unsigned char next = p + 1 < text.size() ? static_cast<unsigned char>(text[p + 1]) : 0;
        if (next < 0x80 || next > 0xBF) {
            text[p] = ' ';
            break;
        }
    }
    p = text.find("--");
    if (p != std::string::npos && p > 0) text.replace(p, 2, " -- ");
    p = text.find(EM_DASH);
    if (p != std::string::npos && p > 0) text.replace(p, 3, std::string(" ") + EM_DASH + " ");
}

// (b) Cut the text at its first space unless a tag comes first; the rest goes
// to the carry.
void splitAtSpace(std::string& text, std::string& carry) {
    size_t space = text.find(' ');
    if (space == std::string::npos) return;
    size_t lt = text.find('<');
    if (lt != std::string::npos && lt < space) return;
    if (lt != std::string::npos && space + 1 == lt) {
        text.erase(space, 1);
    } else if (space + 1 == text.size()) {
        text.erase(space, 1);
    } else {
        size_t rest = space;
        while (rest < text.size() && text[rest] == ' ')
            ++rest;
        carry.append(text, rest, std::string::npos);
        text.resize(space);
    }
}

// (d) Running styles reach every word they span.
void copyRunningStyles(Conversion& c, PageWord& pending) {
    if (c.bold) pending.bold = true;
    if (c.headingSize) pending.size = c.headingSize;
    if (c.italic) pending.italic = true;
    PageWord* last = c.last();
    if (c.inList && c.emitted > 0 && last && last->endParagraph) {
        pending.leftTabs = 1;
        pending.hangIndent = c.listIndent;
    }
}

bool isHeading(const std::string& tag) {
    return tag.size() > 2 && tag[1] == 'h' && tag[2] >= '1' && tag[2] <= '6';
}

// "illustration:" + the src file name up to its first "."; just "illustration"
// without a src.
std::string illustrationWord(const std::string& tag) {
    size_t src = tag.find("src=");
    if (src == std::string::npos) return "illustration";
    size_t start = src + 4;
    if (start < tag.size() && (tag[start] == '"' || tag[start] == '\'')) ++start;
    size_t dot = tag.find('.', start);
    if (dot == std::string::npos) dot = tag.size();
    return "illustration:" + tag.substr(start, dot - start);
}

void paragraphTag(Conversion& c, const std::string& text, PageWord& pending) {
    PageWord* last = c.last();
    bool mark = true;
    if ((c.section == "discplnz" || c.section == "license") && last && last->size == 120)
        mark = false;
    if (c.section == "footnotz" && pending.endParagraph) mark = false;
    if (c.sectLike && c.inFootnotes && (text.empty() || text[0] != '[')) mark = false;
    if (c.emitted == 0) mark = false;
    pending.newParagraph = mark;
    if (c.sectLike && !c.inFootnotes && last) last->endParagraph = true;
}

void listItemTag(Conversion& c, PageWord& pending) {
    PageWord* last = c.last();
    if (c.section == "toc") {
        if (last) last->endParagraph = true;
        return;
    }
    if (c.inUnorderedList) {
        pending.hangIndent = 1;
        pending.leftTabs = 1;
        return;
    }
    if ((last && last->addLines == 0 && !last->endParagraph) ||
        (c.section == "levels" && c.listCounter == 1))
        pending.newParagraph = true;
    // An item outside any ordered list gets no number (it would read "0.").
    if (c.listCounter > 0) {
        PageWord number = pending;
        number.text = std::to_string(c.listCounter) + ".";
        number.hangIndent = 1;
        c.append(std::move(number));
        ++c.listCounter;
        // The number word starts the item's line and carries its paragraph mark.
        pending.newParagraph = false;
    }
    pending.leftTabs = 0;
}

void lineBreakTag(Conversion& c, const std::string& text, PageWord& pending) {
    if (pending.endParagraph) ++pending.addLines;
    PageWord* last = c.last();
    if (text.empty() && c.listCounter != 0 && last) ++last->addLines;
    pending.endParagraph = true;
    if (c.section == "equipmnt" && c.inUnorderedList) pending.addLines = 0;
}

// (e) The effect of one tag. `at` is where the tag stood in `text`. Returns
// false when the tag was put back for a later pass (a footnote link).
void applyTag(Conversion& c, const std::string& tag, size_t at, std::string& text,
              std::string& carry, PageWord& pending) {
    PageWord* last = c.last();
    if (tag == "<div class=\"footnote\">") {
        // Every footnote starts a word of its own.
        if (c.section == "footnotz" && at < text.size()) {
            size_t from = at;
            while (from < text.size() && text[from] == ' ')
                ++from;
            carry.insert(0, text, from, std::string::npos);
            text.resize(at);
        }
    } else if (tag == "<div id=\"footnotes\">") {
        c.inFootnotes = true;
    } else if (contains(tag, "foot") && contains(tag, "href")) {
        if (c.inFootnotes || c.footnoteLinkPending) {
            if (c.section != "toc") {
                text.insert(0, "FOOTNOTE:");
                pending.size = 70;
            }
            c.footnoteLinkPending = false;
        } else {
            // The marker text is converted first; the link's second pass prefixes it.
            carry.insert(0, tag);
            c.footnoteLinkPending = true;
        }
    } else if (tag == "<p class=\"copyright\">") {
        c.stopped = true;
    } else if (contains(tag, "<img alt=\"[illustration]\"") ||
               contains(tag, "<img alt=\"illustration\"")) {
        text = illustrationWord(tag);
        pending.newParagraph = pending.endParagraph = true;
        pending.beginCentre = pending.endCentre = true;
        pending.addLines = 0;
        if (c.section == "equipmnt" && c.inUnorderedList) {
            if (last) last->addLines = 0;
            pending.newParagraph = false;
        }
    } else if (tag == "<div class=\"signpost\">") {
        pending.beginCentre = pending.newParagraph = true;
    } else if (tag == "<p class=\"choice\">") {
        if (c.sectLike && !c.inFootnotes && last) last->endParagraph = true;
        pending.newParagraph = true;
        pending.leftTabs = 1;
        pending.hangIndent = 2;
    } else if (tag == "<p class=\"dedication\">") {
        if (last) last->addLines = 5;
        pending.beginCentre = true;
    } else if (tag == "<p class=\"combat\">") {
        if (!c.fightEmitted) {
            c.fightEmitted = true;
            PageWord fight;
            fight.text = "Fight";
            fight.beginCentre = fight.endCentre = true;
            fight.newParagraph = fight.endParagraph = true;
            c.append(std::move(fight));
        }
        pending.beginCentre = true;
    } else if (isHeading(tag)) {
        c.headingSize = (6 - (tag[2] - '0')) * 10 + 100;
        c.bold = true;
        pending.beginCentre = pending.bold = true;
        pending.size = c.headingSize;
        if (c.emitted > 0) pending.newParagraph = true;
    } else if (contains(tag, "/h")) {
        pending.endCentre = true;
        c.bold = false;
        c.headingSize = 0;
    } else if (tag == "<cite>" || tag == "<i>") {
        c.italic = true;
        pending.italic = true;
    } else if (tag == "</cite>" || tag == "</i>") {
        c.italic = false;
    } else if (tag == "<strong>") {
        c.bold = true;
        pending.bold = true;
    } else if (tag == "</strong>") {
        c.bold = false;
    } else if (tag == "<p>") {
        paragraphTag(c, text, pending);
    } else if (tag == "</p>") {
        pending.endParagraph = true;
    } else if (tag == "<ol>") {
        c.listCounter = 1;
        c.listIndent = c.noticeLike ? 2 : 1;
        c.inList = true;
    } else if (tag == "</ol>") {
        c.listCounter = 0;
        c.listIndent = 0;
        c.inList = false;
        if (last) last->addLines = 0;
    } else if (tag == "<ul>") {
        if (c.section == "toc")
            pending.newParagraph = true;
        else if (c.noticeLike)
            c.listIndent = 1;
        else
            c.inUnorderedList = true;
    } else if (tag == "</ul>") {
        if (c.noticeLike)
            c.listIndent = 2;
        else
            c.inUnorderedList = false;
    } else if (tag == "<li>") {
        listItemTag(c, pending);
    } else if (tag == "</li>") {
        pending.endParagraph = true;
    } else if (tag == "<br />") {
        lineBreakTag(c, text, pending);
    } else if (tag == "<dt>") {
        c.bold = true;
        pending.bold = true;
    } else if (tag == "</dt>") {
        c.bold = false;
        pending.bold = pending.endParagraph = true;
    } else if (tag == "<dd>") {
        int indent = c.section == "acknwldg" ? 2 : 1;
        pending.hangIndent = indent;
        pending.leftTabs = 1;
        c.listIndent = indent;
        c.inList = true;
    } else if (tag == "</dd>") {
        pending.endParagraph = true;
        c.inList = false;
    }
    // Anything else (anchors, div, span, table ...) goes without effect.
}

// One pass: strips tags off the front of `text` until none is left, setting
// marks on `pending`. What follows the first word is left in `carry`.
void runPass(Conversion& c, std::string& text, std::string& carry, PageWord& pending) {
    // Every round removes a tag, so the text's length bounds the rounds.
    for (size_t guard = text.size() + 2; guard > 0; --guard) {
        fixCharacters(text);
        splitAtSpace(text, carry);
        size_t lt = text.find('<');
        size_t gt = lt == std::string::npos ? lt : text.find('>', lt);
        bool found = gt != std::string::npos;
        std::string tag;
        if (found) {
            tag.assign(text, lt, gt - lt + 1);
            bool inside = lt > 0 && gt + 1 < text.size();
            text.erase(lt, gt - lt + 1);
            // A tag between two letters still parts them.
            if (inside) text.insert(lt, 1, ' ');
        }
        copyRunningStyles(c, pending);
        if (!found) return;
        applyTag(c, tag, lt, text, carry, pending);
        if (c.stopped) return;
    }
}

bool startsWithCloser(const std::string& text) {
    char first = text[0];
    return first == '.' || first == ')' || first == ']' || first == ',';
}

void emitWord(Conversion& c, std::string& text, PageWord& pending) {
    if (text == "&amp;") text = "&";
    if (contains(text, "COMBAT") || contains(text, "SKILL") || contains(text, "ENDURANCE"))
        pending.size = 80;
    if (c.stopped || text.empty()) return;
    PageWord* last = c.last();
    if (startsWithCloser(text) && c.emitted > 0 && last) {
        // Punctuation after a tag or a link sticks to the word before it.
        last->text += text;
        if (pending.endParagraph || pending.endCentre) last->endParagraph = true;
        if (pending.addLines) last->addLines = pending.addLines;
        if (c.inFootnotes && text == "]" && c.words.size() >= 2) {
            // "FOOTNOTE:[", the marker and "]" become one word.
            PageWord& before = c.words[c.words.size() - 2];
            before.text += last->text;
            c.words.pop_back();
        }
        return;
    }
    if (text == "FOOTNOTE:" && last) {
        last->text.insert(0, "FOOTNOTE:");
        last->size = 70;
        return;
    }
    if (last && (last->text == "[" || last->text == "(")) {
        last->text += text;
        if (pending.size != 100) last->size = pending.size;
        return;
    }
    pending.text = std::move(text);
    c.append(std::move(pending));
}

// Converts one assembled token: a pass per word, each followed by its emission.
void convertToken(Conversion& c, std::string&& token) {
    std::string text = std::move(token);
    std::string carry;
    // A footnote link may come back once; every other pass shortens the text.
    for (size_t guard = 2 * text.size() + 4; guard > 0 && !c.stopped; --guard) {
        PageWord pending;
        runPass(c, text, carry, pending);
        emitWord(c, text, pending);
        if (carry.empty()) return;
        text.swap(carry);
        carry.clear();
    }
}

size_t countOf(const std::string& s, char ch) {
    return static_cast<size_t>(std::count(s.begin(), s.end(), ch));
}

bool isBodyMarker(const std::string& line) {
    static const std::string marker = "<div id=\"body\">";
    if (line.compare(0, marker.size(), marker) != 0) return false;
    for (size_t i = marker.size(); i < line.size(); ++i)
        if (line[i] != ' ') return false;
    return true;
}

void reportNoSource(MessageQueue& messages) {
    const char* text = "Couldn't even open 'blank.dat'. This is really bad!\n";
    std::printf("%s", text);
    showMessage(messages, "No htm file, & no blank.dat", text);
}

} // namespace

void convertSectionText(DataFile& file, const std::string& sectionName,
                        std::vector<PageWord>& words) {
    // Tabs indent hand-written pages like spaces do: they never belong to a word.
    std::replace(file.data.begin(), file.data.end(), '\t', ' ');

    std::string line;
    bool foundBody = false;
    while (readLine(file, line)) {
        if (isBodyMarker(line)) {
            foundBody = true;
            break;
        }
    }
    if (!foundBody) file.pos = 0;

    Conversion c(sectionName, words);
    size_t firstNew = words.size();
    std::string token, next;
    while (!c.stopped && readValue(file, token)) {
        size_t open = countOf(token, '<');
        size_t close = countOf(token, '>');
        bool unfinished = false;
        // A tag with attributes spans several tokens: gather it whole.
        while (open != close) {
            if (token.size() > MAX_SECTION_TOKEN || !readValue(file, next)) {
                unfinished = true;
                break;
            }
            token += ' ';
            token += next;
            open += countOf(next, '<');
            close += countOf(next, '>');
        }
        if (unfinished || token.size() > MAX_SECTION_TOKEN) break;
        convertToken(c, std::move(token));
        token.clear();
    }
    if (words.size() > firstNew) words.back().endParagraph = true;
    for (size_t i = firstNew; i < words.size(); ++i)
        words[i].wordId = static_cast<int>(i);
}

std::vector<std::string> sectionSourcePaths(const SectionPage& page,
                                            const std::string& sectionName) {
    std::vector<std::string> paths;
    if (sectionName == "notice") {
        std::string number = page.noticeNumber ? std::to_string(page.noticeNumber) : "";
        paths.push_back("/data/misc/notice" + number + ".htm");
    } else {
        paths.push_back(page.bookCode + "/" + sectionName + ".htm");
    }
    paths.push_back(page.bookCode + "/en/xhtml/gs/" + page.bookCode + "/" + sectionName + ".htm");
    return paths;
}

bool loadSectionText(SectionPage& page, const std::string& sectionName, MessageQueue& messages) {
    page.sectionName = sectionName;
    page.words.clear();
    page.buttons.clear();
    DataFile file;
    for (const std::string& path : sectionSourcePaths(page, sectionName)) {
        file = openRead(path);
        if (file.isOpen()) break;
    }
    if (!file.isOpen()) {
        file = openRead(BLANK_PAGE);
        if (!file.isOpen()) {
            reportNoSource(messages);
            return false;
        }
        page.sectionName = "blank";
    }
    convertSectionText(file, page.sectionName, page.words);
    closeFile(file);
    return true;
}
