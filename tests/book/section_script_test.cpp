#include "book/section_script.h"
#include "book/section_text.h"
#include "fs/data_file.h"
#include "fs/vfs.h"
#include "support/test_env.h"
#include "app/message_queue.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const ConditionTypes CONDITION_TYPES = [] {
    ConditionType t;
    t.typeId = 9;
    t.name = "Carries item";
    return ConditionTypes{t};
}();
const EffectTypes EFFECT_TYPES = [] {
    EffectType t;
    t.typeId = 1;
    t.name = "Turn to section";
    return EffectTypes{t};
}();

// A page of `n` stock words "w0", "w1" ... numbered as the text loader does.
SectionPage stockPage(int n) {
    SectionPage page;
    page.bookCode = "01tb";
    page.sectionName = "sect7";
    for (int i = 0; i < n; ++i) {
        PageWord w;
        w.text = "w" + std::to_string(i);
        w.wordId = i;
        page.words.push_back(w);
    }
    return page;
}

void applyScript(SectionPage& page, const std::string& script, bool merge = false,
           CombatRecord* combat = nullptr) {
    DataFile f = openMemoryRead(script, "sect7.txt");
    readSectionScript(page, f, merge, ScriptContext{CONDITION_TYPES, EFFECT_TYPES, combat});
}

std::string texts(const SectionPage& page) {
    std::string out;
    for (const PageWord& w : page.words) out += (out.empty() ? "" : " ") + w.text;
    return out;
}

std::string fullScript(const SectionPage& page, const std::vector<PageWord>& stock,
                       const CombatRecord* combat = nullptr) {
    DataFile f = openMemoryWrite("sect7.txt");
    writeSectionScript(page, f, false, stock, combat);
    return f.data;
}

} // namespace

TEST(SectionScriptReader, IgnoreWordOnlyHidesThatWord) {
    SectionPage page = stockPage(5);
    const SectionPage before = page;
    applyScript(page, "IGNORE_WORD: 3\nEND\n");
    for (size_t i = 0; i < page.words.size(); ++i) {
        EXPECT_EQ(page.words[i].ignore, i == 3) << i;
        page.words[i].ignore = false;
        EXPECT_EQ(page.words[i], before.words[i]);
    }
    EXPECT_TRUE(page.buttons.empty());
    EXPECT_TRUE(page.deadOnZeroEp);
}

TEST(SectionScriptReader, AddedWordsKeepFileOrderBehindTheirStockWord) {
    SectionPage page = stockPage(3);
    applyScript(page, "ADD_WORD\nWORD_ID: 30000\nORDER: 1\nTEXT: first\nEND\n"
                "ADD_WORD\nWORD_ID: 30001\nORDER: 1\nTEXT: second\nEND\n"
                "ADD_WORD\nWORD_ID: 30002\nORDER: -1\nTEXT: (\nEND\n"
                "ADD_WORD\nWORD_ID: 30003\nORDER: -1\nTEXT: opening\nEND\nEND\n");
    EXPECT_EQ(texts(page), "( opening w0 w1 first second w2");

    // Written back, the words before the first stock word carry order -1 and
    // come back at the start of the page.
    const std::vector<PageWord> stock = stockPage(3).words;
    const std::string script = fullScript(page, stock);
    SectionPage again = stockPage(3);
    DataFile f = openMemoryRead(script, "sect7.txt");
    readSectionScript(again, f, false, ScriptContext{CONDITION_TYPES, EFFECT_TYPES, nullptr});
    EXPECT_EQ(texts(again), texts(page));
    EXPECT_EQ(again.words[1].order, -1);
    EXPECT_EQ(again.words[4].order, 1);
}

TEST(SectionScriptReader, WordRecordDefaultsAndStockChanges) {
    SectionPage page = stockPage(3);
    applyScript(page, "STOCK_WORDS\nWORD\nWORD_ID: 2\nTEXT: Fight on\nIS_BUTTON: 1\nEND\n"
                "WORD\nWORD_ID: 40\nTEXT: nowhere\nEND\nEND_STOCK\nEND\n");
    EXPECT_EQ(texts(page), "w0 w1 Fight on");
    EXPECT_TRUE(page.words[2].isButton);
    EXPECT_EQ(page.words[2].size, 100);
    EXPECT_EQ(page.words[2].buttonId, -1);
    EXPECT_EQ(page.words.size(), 3u); // the record for word 40 matches nothing

    DataFile f = openMemoryRead("WORD_ID: 4\nTEXT:\nBOLD: 1\nEND", "x.txt");
    PageWord w;
    ASSERT_TRUE(readWord(f, w));
    EXPECT_EQ(w.text, "");
    EXPECT_TRUE(w.bold);
    EXPECT_EQ(w.size, 100);
    EXPECT_EQ(w.buttonId, -1);
}

TEST(SectionScriptWriter, UnchangedSectionGolden) {
    SectionPage page = stockPage(4);
    EXPECT_EQ(fullScript(page, page.words), "STOCK_WORDS\r\n"
                                            "END_STOCK\r\n"
                                            "BUTTONS: 0\r\n"
                                            "COMBAT\r\n"
                                            "END\r\n"
                                            "NO_AUTO_HEAL: 0\r\n"
                                            "MUST_EAT_NUM: 0\r\n"
                                            "DEAD_ON_ZERO_EP: 1\r\n"
                                            "LOSING_BACKPACK: 0\r\n"
                                            "PREVENT_EQUIPPING: 0\r\n"
                                            "END\r\n");
}

TEST(SectionScriptWriter, FullScriptGoldenAndRoundTrip) {
    const std::vector<PageWord> stock = stockPage(3).words;
    SectionPage page = stockPage(3);
    page.words[1].isButton = true;
    page.words[1].buttonId = 1;
    page.mustEatNum = 1;
    page.noAutoHeal = true;
    SectionButton b;
    b.id = 1;
    b.text = "Turn to 12";
    addEffectOfType(b.effects, EFFECT_TYPES, 1, 0, 12);
    addConditionOfType(b.conditions, CONDITION_TYPES, 9, 0, 33);
    page.buttons.push_back(b);
    const std::string script = fullScript(page, stock);
    EXPECT_EQ(script, "STOCK_WORDS\r\n"
                      "WORD\r\n"
                      "WORD_ID: 1\r\n"
                      "    ORDER: -1\r\n"
                      "    TEXT: w1\r\n"
                      "    IGNORE: 0\r\n"
                      "    NEW_P: 0\r\n"
                      "    END_P: 0\r\n"
                      "    ADD_LINES: 0\r\n"
                      "    LEFT_TABS: 0\r\n"
                      "    BEGIN_C: 0\r\n"
                      "    END_C: 0\r\n"
                      "    IS_BUTTON: 1\r\n"
                      "    BUTTON_ID: 1\r\n"
                      "    SIZE: 100\r\n"
                      "    HANG_INDENT: 0\r\n"
                      "    BOLD: 0\r\n"
                      "    ITALIC: 0\r\n"
                      "    END\r\n"
                      "END_STOCK\r\n"
                      "BUTTONS: 1\r\n"
                      "ID: 1\r\n"
                      "    ONLY_TEXT: 0\r\n"
                      "    TEXT: Turn to 12\r\n"
                      "    COLOR: 2\r\n"
                      "    TOOLTIP: *Blank*\r\n"
                      "    PICTURE: *Blank*\r\n"
                      "    VAL_NUM_FOR_TEXT: 0\r\n"
                      "    VALUE: 0\r\n"
                      "    EFFECTS: 1\r\n"
                      "    TYPE: 1 Turn to section\r\n"
                      "        ID_TO_AFFECT: 0\r\n"
                      "        VALUE: 12\r\n"
                      "        VALUE2: 0\r\n"
                      "        STR: *Blank*\r\n"
                      "        CONDITIONS: 0\r\n"
                      "    END\r\n"
                      "    CONDITIONS: 1\r\n"
                      "    TYPE: 9 Carries item\r\n"
                      "        VALUE: 33\r\n"
                      "        EQUATION: ==\r\n"
                      "        ID_TO_CHECK: 0\r\n"
                      "        REVERSE: 0\r\n"
                      "        SINGULAR: 0\r\n"
                      "        SECONDARY: 0\r\n"
                      "    END\r\n"
                      "END\r\n"
                      "COMBAT\r\n"
                      "END\r\n"
                      "NO_AUTO_HEAL: 1\r\n"
                      "MUST_EAT_NUM: 1\r\n"
                      "DEAD_ON_ZERO_EP: 1\r\n"
                      "LOSING_BACKPACK: 0\r\n"
                      "PREVENT_EQUIPPING: 0\r\n"
                      "END\r\n");
    SectionPage back = stockPage(3);
    applyScript(back, script);
    EXPECT_EQ(fullScript(back, stock), script);
    ASSERT_EQ(back.buttons.size(), 1u);
    EXPECT_EQ(back.buttons[0].effects[0].value, 12);
    EXPECT_EQ(back.buttons[0].conditions[0].value, 33);
    EXPECT_TRUE(back.noAutoHeal);
    EXPECT_EQ(back.mustEatNum, 1);
}

TEST(SectionScriptReader, ButtonCaptionForms) {
    SectionPage page = stockPage(1);
    applyScript(page, "BUTTONS: 4\n"
                "ID: 1\nTEXT: *MENU BUTTON*\n12 4 1 0\nAction Chart\nCOLOR: 3\nEND\n"
                "ID: 2\nTEXT: AUTOEXECUTE\nCOLOR: 9\nTOOLTIP: *Blank*\nEND\n"
                "ID: 3\nTEXT: *Blank*\nPICTURE: *Blank*\nVAL_NUM_FOR_TEXT: 1\nVALUE: 7\nEND\n"
                "ID: 4\nTEXT:\nTOOLTIP: Two`lines\nPICTURE: ill3\nEND\nEND\n");
    ASSERT_EQ(page.buttons.size(), 4u);
    const SectionButton& menu = page.buttons[0];
    EXPECT_TRUE(menu.menuStyle);
    EXPECT_EQ(menu.menuPadX, 12);
    EXPECT_EQ(menu.menuPadY, 4);
    EXPECT_EQ(menu.menuFlag, 1);
    EXPECT_FALSE(menu.menuFirstFont);
    EXPECT_EQ(menu.text, "Action Chart");
    EXPECT_EQ(menu.colour, 3);
    EXPECT_TRUE(page.buttons[1].autoExecute());
    EXPECT_EQ(page.buttons[1].colour, 2); // no art set beyond 3
    EXPECT_EQ(page.buttons[2].text, "");
    EXPECT_EQ(page.buttons[2].picture, "");
    EXPECT_EQ(page.buttons[2].shownText(), "7");
    EXPECT_EQ(page.buttons[3].tooltip, "Two`lines");
    EXPECT_EQ(page.buttons[3].picture, "ill3");

    // The menu form survives a round trip.
    DataFile out = openMemoryWrite("x.txt");
    writeButton(0, out, menu, false);
    DataFile in = openMemoryRead(out.data, "x.txt");
    SectionButton back;
    ASSERT_TRUE(readButton(in, back, CONDITION_TYPES, EFFECT_TYPES));
    EXPECT_TRUE(back.menuStyle);
    EXPECT_EQ(back.text, "Action Chart");
    EXPECT_EQ(back.menuPadX, 12);
}

TEST(SectionStateBlock, MergeChangesOnlyTheButtonsItHolds) {
    SectionPage page = stockPage(3);
    for (int i = 0; i < 3; ++i) {
        SectionButton b;
        b.id = i + 1;
        b.value = 10 * (i + 1);
        addEffectOfType(b.effects, EFFECT_TYPES, 1, 0, 5);
        page.buttons.push_back(b);
    }
    SectionPage saved = page;
    saved.words[0].ignore = true;
    saved.buttons[0].value = -1;
    saved.buttons[1].colour = 0;
    saved.buttons.pop_back();
    DataFile out = openMemoryWrite("x.txt");
    writeSectionScript(saved, out, true, {}, nullptr);
    EXPECT_EQ(out.data.rfind("IGNORE_WORD: 0\r\nBUTTONS: 2\r\nID: 1\r\n", 0), 0u);
    EXPECT_EQ(out.data.find("EFFECTS"), std::string::npos); // short form

    applyScript(page, out.data, true);
    EXPECT_TRUE(page.words[0].ignore);
    ASSERT_EQ(page.buttons.size(), 3u);
    EXPECT_EQ(page.buttons[0].value, -1);
    EXPECT_EQ(page.buttons[1].colour, 0);
    EXPECT_EQ(page.buttons[2].value, 30);
    EXPECT_EQ(page.buttons[0].effects.size(), 1u); // effects stay from the script

    // A block that announces more records than it holds: the rest stay as they
    // are, and its "END" still ends the block (the rule line after it is not read).
    DataFile shortBlock =
        openMemoryRead("BUTTONS: 3\nID: 1\nVALUE: 4\nEND\nEND\nID: 2\nVALUE: 99\nEND\n", "x.txt");
    readSectionScript(page, shortBlock, true, ScriptContext{CONDITION_TYPES, EFFECT_TYPES, nullptr});
    EXPECT_EQ(page.buttons[0].value, 4);
    EXPECT_EQ(page.buttons[1].value, 20);
    EXPECT_EQ(page.buttons[2].value, 30);
    std::string next;
    ASSERT_TRUE(readValue(shortBlock, next));
    EXPECT_EQ(next, "ID:"); // what follows the block is left for its own reader
    // More records than the page has buttons: appended.
    applyScript(page, "BUTTONS: 4\nID: 1\nEND\nID: 2\nEND\nID: 3\nEND\nID: 9\nEND\nEND\n", true);
    ASSERT_EQ(page.buttons.size(), 4u);
    EXPECT_EQ(page.buttons[3].id, 9);
}

TEST(SectionScriptReader, CombatGoesToTheMainPageOnly) {
    const std::string script = "BUTTONS: 0\nCOMBAT\nCOMBAT_TITLE: Bridge\nENEMIES: 1\n"
                               "NAME: Troll\nCS: 18\nEP: 30\nEND\nMODIFIERS: 0\nEND\n"
                               "DEAD_ON_ZERO_EP: 0\nEND\n";
    SectionPage main = stockPage(1);
    CombatRecord combat;
    applyScript(main, script, false, &combat);
    EXPECT_EQ(combat.title, "Bridge");
    ASSERT_EQ(combat.enemies.size(), 1u);
    EXPECT_EQ(combat.enemies[0].ep, 30);
    EXPECT_FALSE(main.deadOnZeroEp);
    // Another page reads the block past: its rule lines still count.
    SectionPage other = stockPage(1);
    applyScript(other, script);
    EXPECT_FALSE(other.deadOnZeroEp);
}

TEST(SectionScriptReader, CutOffScriptsKeepWhatWasRead) {
    SectionPage page = stockPage(3);
    testing::internal::CaptureStdout();
    applyScript(page, "IGNORE_WORD: 1\nBUTTONS: 2\nID: 5\nTEXT: Go on\nEND\nID: 6\nTEXT: Ha");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Unexpected EOF while reading sect7.txt\n");
    EXPECT_TRUE(page.words[1].ignore);
    ASSERT_EQ(page.buttons.size(), 2u);
    EXPECT_EQ(page.buttons[0].text, "Go on");

    // Every prefix of a full script, and garbage: no crash, and never more
    // buttons than the script holds.
    SectionPage full = stockPage(3);
    full.words[2].bold = true;
    SectionButton b;
    b.id = 1;
    addEffectOfType(b.effects, EFFECT_TYPES, 1, 0, 12);
    full.buttons.assign(2, b);
    const std::string script = fullScript(full, stockPage(3).words);
    testing::internal::CaptureStdout();
    for (size_t cut = 0; cut < script.size(); cut += 3) {
        SectionPage p = stockPage(3);
        applyScript(p, script.substr(0, cut));
        EXPECT_LE(p.buttons.size(), 2u);
        EXPECT_EQ(p.words.size(), 3u);
    }
    SectionPage junk = stockPage(2);
    applyScript(junk, "BUTTONS: -7\nADD_WORD\nORDER: 99999\nEND\nSTOCK_WORDS\nWORD\n\x01\xff");
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(junk.buttons.empty());
    EXPECT_EQ(junk.words.size(), 3u); // an added word behind a missing word goes last
}

TEST(SectionButtons, FindButtonTakesTheLastWithTheIdOrTheFirst) {
    SectionPage page = stockPage(1);
    EXPECT_EQ(findButton(page, 1), nullptr);
    page.buttons.resize(3);
    page.buttons[0].id = 4;
    page.buttons[1].id = 2;
    page.buttons[2].id = 2;
    EXPECT_EQ(findButton(page, 2), &page.buttons[2]);
    testing::internal::CaptureStdout();
    EXPECT_EQ(findButton(page, 8), &page.buttons[0]);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Couldn't find button ID: 8 in Section ID: 7. Returning first button...\n");
}

class SectionScriptFiles : public VfsTest {};

TEST_F(SectionScriptFiles, LoadSectionAppliesTheBooksScript) {
    writeRealFile(userFile("01tb/sect7.htm"),
                  "<div id=\"body\">\n<p>Go <a href=\"sect9.htm\">left</a> now.</p>\n");
    writeRealFile(userFile("01tb/sect7.dat"),
                  encodeText("STOCK_WORDS\nWORD\nWORD_ID: 1\nTEXT: left\nIS_BUTTON: 1\n"
                             "BUTTON_ID: 1\nEND\nEND_STOCK\nBUTTONS: 1\nID: 1\nTEXT: left\n"
                             "EFFECTS: 1\nTYPE: 1\nVALUE: 9\nEND\nEND\nCOMBAT\nEND\n"
                             "MUST_EAT_NUM: 1\nEND\n",
                             true));
    SectionPage page;
    page.bookCode = "01tb";
    page.sectionName = "sect7";
    page.mustEatNum = 5;
    page.deadOnZeroEp = false;
    CombatRecord combat;
    combat.enemies.resize(2);
    ASSERT_TRUE(loadSection(page, ScriptContext{CONDITION_TYPES, EFFECT_TYPES, &combat}));
    EXPECT_TRUE(combat.enemies.empty()); // the old combat is gone
    ASSERT_EQ(page.words.size(), 3u);
    EXPECT_TRUE(page.words[1].isButton);
    ASSERT_EQ(page.buttons.size(), 1u);
    EXPECT_EQ(page.buttons[0].effects[0].value, 9);
    EXPECT_EQ(page.mustEatNum, 1);
    EXPECT_TRUE(page.deadOnZeroEp); // reset with the page, not left from before

    // No script: stock words only.
    writeRealFile(userFile("01tb/sect8.htm"), "<p>The end.</p>\n");
    page.sectionName = "sect8";
    combat.enemies.resize(1);
    ASSERT_TRUE(loadSection(page, ScriptContext{CONDITION_TYPES, EFFECT_TYPES, &combat}));
    EXPECT_TRUE(combat.enemies.empty());
    EXPECT_EQ(page.words.size(), 2u);
    EXPECT_TRUE(page.buttons.empty());
    EXPECT_EQ(page.mustEatNum, 0);
}

TEST_F(SectionScriptFiles, EditorSaveWritesIntoTheUserFolder) {
    SectionPage page = stockPage(2);
    page.words[0].ignore = true;
    MessageQueue messages;
    ASSERT_TRUE(saveSectionScript(page, 1, stockPage(2).words, nullptr, messages));
    EXPECT_TRUE(messages.pending.empty());
    const std::string stored = readRealFile(userFile("data/books/book1/1data/sect7.dat"));
    ASSERT_FALSE(stored.empty());
    EXPECT_EQ(unshiftBytes(stored).rfind("STOCK_WORDS\r\nWORD\r\nWORD_ID: 0\r\n", 0), 0u);

    vfsSetWriteDir(""); // nowhere to write: the player is told, nothing is lost
    EXPECT_FALSE(saveSectionScript(page, 1, stockPage(2).words, nullptr, messages));
    ASSERT_EQ(messages.pending.size(), 1u);
    EXPECT_EQ(messages.pending[0].title, "ERROR!");
    EXPECT_EQ(messages.pending[0].caption1, "OK");
}
