#include "book/section_script.h"

#include "app/game_state.h"

#include "book/section_text.h"
#include "fs/data_file.h"
#include "fs/vfs.h"
#include "script/script_io.h"
#include "app/message_queue.h"

#include <cstdio>
#include <cstdlib>

using namespace scriptio;

std::string sectionScriptPath(const std::string& bookCode, const std::string& sectionName) {
    return bookCode + "/" + sectionName + ".dat";
}

std::string sectionScriptSaveFolder(int book) {
    const std::string n = std::to_string(book);
    return "/data/books/book" + n + "/" + n + "data";
}

std::string sectionScriptSavePath(int book, const std::string& sectionName) {
    return sectionScriptSaveFolder(book) + "/" + sectionName + ".dat";
}

// ---- Words ------------------------------------------------------------------

bool readWord(DataFile& file, PageWord& w) {
    w.reset();
    std::string token;
    while (readValue(file, token)) {
        if (token == "END") return true;
        if (token == "WORD_ID:") w.wordId = readInt(file);
        else if (token == "ORDER:") w.order = readInt(file);
        else if (token == "TEXT:") w.text = lineValue(file);
        else if (token == "IGNORE:") w.ignore = readInt(file) != 0;
        else if (token == "NEW_P:") w.newParagraph = readInt(file) != 0;
        else if (token == "END_P:") w.endParagraph = readInt(file) != 0;
        else if (token == "ADD_LINES:") w.addLines = readInt(file);
        else if (token == "LEFT_TABS:") w.leftTabs = readInt(file);
        else if (token == "BEGIN_C:") w.beginCentre = readInt(file) != 0;
        else if (token == "END_C:") w.endCentre = readInt(file) != 0;
        else if (token == "IS_BUTTON:") w.isButton = readInt(file) != 0;
        else if (token == "BUTTON_ID:") w.buttonId = readInt(file);
        else if (token == "SIZE:") w.size = readInt(file);
        else if (token == "HANG_INDENT:") w.hangIndent = readInt(file);
        else if (token == "BOLD:") w.bold = readInt(file) != 0;
        else if (token == "ITALIC:") w.italic = readInt(file) != 0;
    }
    return false;
}

bool writeWord(int level, DataFile& file, const PageWord& w) {
    std::string text;
    keyLine(text, "WORD_ID: ", w.wordId);
    keyLine(text, "ORDER: ", w.order);
    keyLine(text, "TEXT: ", w.text);
    keyLine(text, "IGNORE: ", flag(w.ignore));
    keyLine(text, "NEW_P: ", flag(w.newParagraph));
    keyLine(text, "END_P: ", flag(w.endParagraph));
    keyLine(text, "ADD_LINES: ", w.addLines);
    keyLine(text, "LEFT_TABS: ", w.leftTabs);
    keyLine(text, "BEGIN_C: ", flag(w.beginCentre));
    keyLine(text, "END_C: ", flag(w.endCentre));
    keyLine(text, "IS_BUTTON: ", flag(w.isButton));
    keyLine(text, "BUTTON_ID: ", w.buttonId);
    keyLine(text, "SIZE: ", w.size);
    keyLine(text, "HANG_INDENT: ", w.hangIndent);
    keyLine(text, "BOLD: ", flag(w.bold));
    keyLine(text, "ITALIC: ", flag(w.italic));
    text += "END\n";
    return writeText(level + 1, file, text);
}

// ---- Buttons ----------------------------------------------------------------

namespace {

const char* const MENU_BUTTON_CAPTION = "*MENU BUTTON*";

void readCaption(DataFile& file, SectionButton& b) {
    std::string caption = lineValue(file);
    b.menuStyle = caption == MENU_BUTTON_CAPTION;
    if (b.menuStyle) {
        b.menuPadX = readInt(file);
        b.menuPadY = readInt(file);
        b.menuFlag = readInt(file);
        b.menuFirstFont = readInt(file) != 0;
        // The real caption is the next line (or what is left of this one).
        caption.clear();
        if (!tokenEndedLine(file)) readLine(file, caption);
        if (caption.empty()) readLine(file, caption);
    }
    b.text = emptyIfBlank(caption);
}

} // namespace

bool readButton(DataFile& file, SectionButton& b, const ConditionTypes& conditionTypes,
                const EffectTypes& effectTypes) {
    std::string token;
    bool complete = false;
    while (readValue(file, token)) {
        if (token == "END") {
            complete = true;
            break;
        }
        if (token == "ID:") {
            b.id = readInt(file);
        } else if (token == "ONLY_TEXT:") {
            b.onlyText = readInt(file) != 0;
        } else if (token == "TEXT:") {
            readCaption(file, b);
        } else if (token == "COLOR:") {
            const int colour = readInt(file);
            if (colour >= 0 && colour <= 3) b.colour = colour; // no art set beyond these
        } else if (token == "TOOLTIP:") {
            b.tooltip = emptyIfBlank(lineValue(file));
        } else if (token == "PICTURE:") {
            b.picture = lineValue(file);
        } else if (token == "VAL_NUM_FOR_TEXT:") {
            b.valueAsLabel = readInt(file) != 0;
        } else if (token == "VALUE:") {
            b.value = readInt(file);
        } else if (token == "EFFECTS:") {
            if (!readEffectList(file, readInt(file), b.effects, effectTypes, conditionTypes))
                break;
        } else if (token == "CONDITIONS:") {
            if (!readConditionList(file, readInt(file), b.conditions, conditionTypes)) break;
        }
    }
    if (b.picture == "*Blank*") b.picture.clear();
    return complete;
}

bool writeButton(int level, DataFile& file, const SectionButton& b, bool full) {
    const int inner = level + 1;
    std::string text;
    keyLine(text, "ID: ", b.id);
    keyLine(text, "ONLY_TEXT: ", flag(b.onlyText));
    if (b.menuStyle) {
        text += "TEXT: ";
        text += MENU_BUTTON_CAPTION;
        text += '\n';
        text += std::to_string(b.menuPadX) + " " + std::to_string(b.menuPadY) + " " +
                std::to_string(b.menuFlag) + " " + flag(b.menuFirstFont) + "\n";
        text += blankIfEmpty(b.text) + "\n";
    } else {
        keyLine(text, "TEXT: ", blankIfEmpty(b.text));
    }
    keyLine(text, "COLOR: ", b.colour);
    keyLine(text, "TOOLTIP: ", blankIfEmpty(b.tooltip));
    keyLine(text, "PICTURE: ", blankIfEmpty(b.picture));
    keyLine(text, "VAL_NUM_FOR_TEXT: ", flag(b.valueAsLabel));
    keyLine(text, "VALUE: ", b.value);
    bool ok = writeText(inner, file, text);
    if (full) {
        // One level deeper so that the count lines up with the keys above.
        ok = writeText(inner + 1, file,
                       "EFFECTS: " + std::to_string(b.effects.size()) + "\n") && ok;
        ok = writeEffectList(inner, file, b.effects) && ok;
        ok = writeText(inner + 1, file,
                       "CONDITIONS: " + std::to_string(b.conditions.size()) + "\n") && ok;
        ok = writeConditionList(inner, file, b.conditions) && ok;
    }
    return writeText(inner, file, "END\n") && ok;
}

// ---- Whole scripts ------------------------------------------------------------

namespace {

void reportEof(const DataFile& file) {
    std::printf("Unexpected EOF while reading %s\n", file.path.c_str());
}

PageWord* wordWithId(SectionPage& page, int id) {
    // Stock words are numbered by position: try that first.
    if (id >= 0 && static_cast<size_t>(id) < page.words.size() && page.words[id].wordId == id)
        return &page.words[id];
    for (PageWord& w : page.words)
        if (w.wordId == id) return &w;
    return nullptr;
}

// After the stock word it follows (the start of the page for order -1), behind
// the words added there earlier, so several added words keep their file order.
// A word whose stock word is missing goes last rather than being lost.
void insertAddedWord(SectionPage& page, PageWord word) {
    auto& words = page.words;
    size_t at = words.size();
    if (word.order < 0) {
        at = 0;
    } else {
        for (size_t i = words.size(); i-- > 0;) {
            if (words[i].wordId == word.order) {
                at = i + 1;
                break;
            }
        }
    }
    while (at < words.size() && words[at].wordId >= FIRST_ADDED_WORD_ID &&
           words[at].order == word.order)
        ++at;
    words.insert(words.begin() + static_cast<std::ptrdiff_t>(at), std::move(word));
}

// False when the file ended inside.
bool readStockWords(SectionPage& page, DataFile& file) {
    std::string token;
    while (readValue(file, token)) {
        if (token == "END_STOCK") return true;
        if (token != "WORD") continue;
        PageWord word;
        const bool complete = readWord(file, word);
        if (PageWord* target = wordWithId(page, word.wordId)) {
            if (!word.image) word.image = target->image;
            *target = word;
        }
        if (!complete) return false;
    }
    return false;
}

bool readButtons(SectionPage& page, DataFile& file, bool merge, const ScriptContext& ctx) {
    const int count = boundedCount(readInt(file), MAX_RECORD_LIST);
    for (int i = 0; i < count; ++i) {
        // A block that announced more records than it holds meets its "END"
        // here: the remaining buttons stay as they are, and that "END" closes it.
        if (atRecordEnd(file)) return true;
        const size_t index = static_cast<size_t>(i);
        if (!merge || index >= page.buttons.size()) {
            page.buttons.emplace_back();
            if (!readButton(file, page.buttons.back(), ctx.conditionTypes, ctx.effectTypes))
                return false;
        } else if (!readButton(file, page.buttons[index], ctx.conditionTypes,
                               ctx.effectTypes)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool readSectionScript(SectionPage& page, DataFile& file, bool merge, const ScriptContext& ctx) {
    std::string token;
    for (;;) {
        if (!readValue(file, token)) {
            reportEof(file);
            return false;
        }
        bool complete = true;
        if (token == "END") return true;
        if (token == "STOCK_WORDS") {
            complete = readStockWords(page, file);
        } else if (token == "ADD_WORD") {
            PageWord word;
            complete = readWord(file, word);
            insertAddedWord(page, std::move(word));
        } else if (token == "IGNORE_WORD:") {
            const int id = readInt(file);
            for (PageWord& w : page.words)
                if (w.wordId == id) w.ignore = true;
        } else if (token == "BUTTONS:") {
            complete = readButtons(page, file, merge, ctx);
        } else if (token == "COMBAT") {
            // Only the main page has a combat; other pages read the block past,
            // so that the rule lines behind it still apply.
            CombatRecord scratch;
            complete = readCombat(file, ctx.combat ? *ctx.combat : scratch, ctx.conditionTypes);
        } else if (token == "NO_AUTO_HEAL:") {
            page.noAutoHeal = readInt(file) != 0;
        } else if (token == "MUST_EAT_NUM:") {
            page.mustEatNum = readInt(file);
        } else if (token == "DEAD_ON_ZERO_EP:") {
            page.deadOnZeroEp = readInt(file) != 0;
        } else if (token == "LOSING_BACKPACK:") {
            page.losingBackpack = readInt(file) != 0;
        } else if (token == "PREVENT_EQUIPPING:") {
            page.preventEquipping = readInt(file) != 0;
        }
        if (!complete) {
            reportEof(file);
            return false;
        }
    }
}

bool writeSectionScript(const SectionPage& page, DataFile& file, bool stateBlock,
                        const std::vector<PageWord>& stockWords, const CombatRecord* combat) {
    bool ok = true;
    auto line = [&](const std::string& text) { ok = writeText(0, file, text + "\n") && ok; };
    if (stateBlock) {
        for (const PageWord& w : page.words)
            if (w.ignore) line("IGNORE_WORD: " + std::to_string(w.wordId));
        line("BUTTONS: " + std::to_string(page.buttons.size()));
        for (const SectionButton& b : page.buttons) ok = writeButton(0, file, b, false) && ok;
        line("END");
        return ok;
    }
    line("STOCK_WORDS");
    for (const PageWord& stock : stockWords) {
        const PageWord* current = nullptr;
        for (const PageWord& w : page.words)
            if (w.wordId == stock.wordId) {
                current = &w;
                break;
            }
        if (!current || *current == stock) continue;
        line("WORD");
        ok = writeWord(0, file, *current) && ok;
    }
    line("END_STOCK");
    int lastStock = -1; // no stock word yet: an added word at the very start
    for (const PageWord& w : page.words) {
        if (w.wordId < FIRST_ADDED_WORD_ID) {
            lastStock = w.wordId;
            continue;
        }
        PageWord added = w;
        added.order = lastStock;
        line("ADD_WORD");
        ok = writeWord(0, file, added) && ok;
    }
    line("BUTTONS: " + std::to_string(page.buttons.size()));
    for (const SectionButton& b : page.buttons) ok = writeButton(0, file, b, true) && ok;
    ok = writeCombat(0, file, combat ? *combat : CombatRecord()) && ok;
    line("NO_AUTO_HEAL: " + std::string(flag(page.noAutoHeal)));
    line("MUST_EAT_NUM: " + std::to_string(page.mustEatNum));
    line("DEAD_ON_ZERO_EP: " + std::string(flag(page.deadOnZeroEp)));
    line("LOSING_BACKPACK: " + std::string(flag(page.losingBackpack)));
    line("PREVENT_EQUIPPING: " + std::string(flag(page.preventEquipping)));
    line("END");
    return ok;
}

bool loadSection(SectionPage& page, const ScriptContext& ctx, SectionLoadReport* report) {
    SectionLoadReport local;
    SectionLoadReport& r = report ? *report : local;
    r = SectionLoadReport();
    if (page.bookCode.empty() || page.sectionName.empty()) return false;
    if (ctx.combat) ctx.combat->reset();
    page.resetRules();
    const std::string wanted = page.sectionName;
    MessageQueue dropped;
    const bool haveText = loadSectionText(page, wanted, ctx.messages ? *ctx.messages : dropped);
    r.textFound = haveText && page.sectionName == wanted;
    DataFile file = openRead(sectionScriptPath(page.bookCode, page.sectionName));
    if (file.isOpen()) {
        r.scriptFound = true;
        r.scriptComplete = readSectionScript(page, file, false, ctx);
        closeFile(file);
    }
    return haveText;
}

bool loadSection(GameState& game, const Catalogues& catalogues, SectionLoadReport* report) {
    return loadSection(game.section,
                       ScriptContext{catalogues.conditionTypes, catalogues.effectTypes, &game.combat,
                                     &game.messages},
                       report);
}

namespace {

int sectionNumber(const SectionPage& page) {
    const std::string& name = page.sectionName;
    if (name.compare(0, 4, "sect") != 0) return 0;
    return std::atoi(name.c_str() + 4);
}

} // namespace

const SectionButton* findButton(const SectionPage& page, int id) {
    if (page.buttons.empty()) return nullptr;
    for (size_t i = page.buttons.size(); i-- > 0;)
        if (page.buttons[i].id == id) return &page.buttons[i];
    std::printf("Couldn't find button ID: %d in Section ID: %d. Returning first button...\n", id,
                sectionNumber(page));
    return &page.buttons.front();
}

SectionButton* findButton(SectionPage& page, int id) {
    return const_cast<SectionButton*>(findButton(static_cast<const SectionPage&>(page), id));
}

bool saveSectionScript(const SectionPage& page, int book, const std::vector<PageWord>& stockWords,
                       const CombatRecord* combat, MessageQueue& messages) {
    const std::string path = sectionScriptSavePath(book, page.sectionName);
    DataFile file = openWrite(path);
    if (!file.isOpen()) {
        vfsMkdir(sectionScriptSaveFolder(book));
        file = openWrite(path);
        MessageRequest note;
        note.caption1 = "OK";
        if (!file.isOpen()) {
            note.title = "ERROR!";
            note.text = "Unable to open file or make folder`Check for correct folder "
                        "permissions, etc.`Your changes are not yet saved...";
            showMessage(messages, note);
            return false;
        }
        note.title = "Created Folder";
        note.text = "The needed folder did not exist.`A new one has been created - If this "
                    "occurred`because the folder had been zipped`you should unzip the folder "
                    "manually and save again!``You should then restart the Editor, to make "
                    "sure`it is using the folder for loading, and not the zip!";
        showMessage(messages, note);
    }
    const bool written = writeSectionScript(page, file, false, stockWords, combat);
    return closeFile(file) && written;
}
