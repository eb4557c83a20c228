// Start-up: the lists and catalogues read around the settings file.
#include "app/subsystem_hooks.h"

#include "app/application.h"
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
    loadDisciplineTexts(app.catalogues.disciplineTexts);
}

} // namespace hooks
