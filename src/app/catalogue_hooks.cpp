// Start-up: the lists and catalogues read around the settings file.
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "awards/award.h"
#include "combat/crt.h"
#include "script/type_registry.h"
#include "ui/font.h"
#include "ui/skin.h"
#include "ui/windows.h"

#include <cstdlib>

namespace hooks {

void loadCataloguesBeforeSettings(Application& app) {
    // The award table first: every profile keeps one entry per award. A
    // duplicate ID is a broken table, and the program cannot go on with it.
    if (!defineAwards(app.catalogues.awards)) exit(0);
    app.game.profiles = &app.profiles;
    app.fontNames = listFonts();
    app.avatarNames = listAvatars();
    for (Profile& p : app.profiles.slots)
        clearProfile(p, knownAwardIds(app));
    loadProfiles(app.profiles);
}

void loadCataloguesAfterSettings(Application& app) {
    loadCatalogue(app.catalogues.items);
    // A missing definition file is reported; the sections then run without types.
    loadConditionTypes(CONDITION_TYPES_FILE, app.catalogues.conditionTypes);
    loadEffectTypes(EFFECT_TYPES_FILE, app.catalogues.effectTypes);
    loadDisciplineTexts(app.catalogues.disciplineTexts);
    loadJournalTexts(app.catalogues.journal, static_cast<int>(app.catalogues.books.size()));
    // Combat cannot be played without its table: this exits with a message when it is missing.
    loadCombatResultsTable(app.catalogues.combatTable);
}

} // namespace hooks
