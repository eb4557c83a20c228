// The whole turn to a section, with its loading; kept apart from the rules so
// that they can be tested without the section files.
#include "app/game_state.h"
#include "book/random_table.h"
#include "book/section_script.h"
#include "script/section_change.h"

bool enterSection(GameState& g, const Catalogues& cat, int section) {
    SectionLeft left = leaveSection(g);
    const Character& c = g.character;
    if (g.randomTable.book != c.onBook) loadTable(g.randomTable, c.onBook);
    if (c.onBook >= 1 && c.onBook <= static_cast<int>(cat.books.size()))
        g.section.bookCode = cat.books[static_cast<size_t>(c.onBook - 1)].code;
    g.section.sectionName = "sect" + std::to_string(section);
    g.section.resetRules();
    ScriptContext context{cat.conditionTypes, cat.effectTypes, &g.combat};
    bool loaded = loadSection(g.section, context);
    arriveInSection(g, cat, section, left);
    return loaded;
}
