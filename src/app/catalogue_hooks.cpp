// Start-up: the lists and catalogues read around the settings file.
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "combat/crt.h"
#include "script/type_registry.h"
#include "ui/font.h"
#include "ui/skin.h"
#include "ui/windows.h"

namespace hooks {

void loadCataloguesBeforeSettings(Application& app) {
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
    // Combat cannot be played without its table: this exits with a message when it is missing.
    loadCombatResultsTable(app.catalogues.combatTable);
}

} // namespace hooks
