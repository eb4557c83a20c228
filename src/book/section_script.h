// Section script files: what makes a section playable on top of its stock
// words (word edits, buttons with their effects and conditions, the combat,
// the section's rules), and the compact state block that saves keep of a
// shown section (hidden words, button states).
#pragma once

#include "book/page_word.h"
#include "book/section_button.h"
#include "book/section_page.h"
#include "combat/combat_record.h"
#include "script/condition.h"
#include "script/effect.h"

#include <string>
#include <vector>

struct DataFile;
struct MessageQueue;

// Words added by a script are numbered from here up; stock words are below.
constexpr int FIRST_ADDED_WORD_ID = 30000;

// What the readers of a script need besides the file: both type registries,
// and the combat record the section's combat goes into (the current combat of
// the game for the main book page; null for other pages, whose combat block is
// not read).
struct ScriptContext {
    const ConditionTypes& conditionTypes;
    const EffectTypes& effectTypes;
    CombatRecord* combat = nullptr;
};

// Where the script of a section is read: book code + "/" + section name + ".dat".
std::string sectionScriptPath(const std::string& bookCode, const std::string& sectionName);
// Where the section editor writes it, for book number `book`.
std::string sectionScriptSavePath(int book, const std::string& sectionName);
std::string sectionScriptSaveFolder(int book);

// One word record; the word is reset to the word defaults first.
bool readWord(DataFile& file, PageWord& word);
// `level` is the enclosing nesting counter; the record raises it by one.
bool writeWord(int level, DataFile& file, const PageWord& word);

// One button record; keys in any order, until "END" or the end of the file.
// The effects and conditions are read whenever they are there.
bool readButton(DataFile& file, SectionButton& button, const ConditionTypes& conditionTypes,
                const EffectTypes& effectTypes);
// Full form with effects and conditions; short form (state blocks) without.
bool writeButton(int level, DataFile& file, const SectionButton& button, bool full);

// Reads a section script (merge false) or a state block applied to a page that
// already has its buttons (merge true) into the page, until the first
// top-level "END". The end of the file prints "Unexpected EOF while reading %s"
// and keeps what was read.
void readSectionScript(SectionPage& page, DataFile& file, bool merge, const ScriptContext& context);
// Full script (stateBlock false): word changes against `stockWords`, added
// words, buttons, `combat` (none when null: "COMBAT" and "END") and the rules.
// State block (stateBlock true): hidden words and the buttons in short form.
bool writeSectionScript(const SectionPage& page, DataFile& file, bool stateBlock,
                        const std::vector<PageWord>& stockWords, const CombatRecord* combat);

// Loads the page's section: its stock words, then its script when there is one
// (a missing script leaves the stock words and no buttons). Does nothing when
// the book code or the section name is empty. With a combat record (the main
// page), the record is reset first and receives the section's combat.
bool loadSection(SectionPage& page, const ScriptContext& context);

// The page's last button with that id; when none has it, prints its message and
// returns the first button; null when the page has no buttons at all.
SectionButton* findButton(SectionPage& page, int id);
const SectionButton* findButton(const SectionPage& page, int id);

// The section editor's save into the user folder, for book number `book` (the
// catalogue entry whose code is the page's). The two outcomes the player must
// hear about (a folder had to be made; nothing could be written) are raised on
// `messages`. False when nothing was written.
bool saveSectionScript(const SectionPage& page, int book, const std::vector<PageWord>& stockWords,
                       const CombatRecord* combat, MessageQueue& messages);
