// The spine's hooks into the saves and the profile list.
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "save/save_files.h"
#include "save/save_flows.h"
#include "script/section_combat.h"
#include "ui/windows.h"

namespace hooks {

void printSavedRecord(Application& app, DataFile& file) {
    printRecordOfSave(app, file);
}

void syncSavesWithRandomDraws(Application& app) {
    const ScreenStatus st = screenStatus(app);
    syncSavesWithDraws(app, st.randomTableShown || st.combatRunning,
                       app.playing && combatUnderWay(app.game),
                       st.windowCount > 0 && st.topWindowId == WIN_MAIN_MENU);
}

bool readResumeCharacter(Application& app) {
    return readSavedHero(app);
}

void deleteProfileSaves(Application& app) {
    bindProfileSaves(app);
    deleteProfileSaves(app.game, app.game.campaign.profile);
}

bool loadSavedGame(Application& app) {
    return restoreSavedGame(app);
}

void saveProfiles(Application& app) {
    saveAllProfiles(app);
}

void writeResumeSave(Application& app) {
    writeResumeNow(app);
}

} // namespace hooks
