// The spine's hooks into the saves and the profile list.
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "ui/windows.h"

namespace hooks {

void printSavedRecord(Application&, DataFile&) {}

void syncSavesWithRandomDraws(Application&) {}

bool readResumeCharacter(Application&) {
    return false;
}

void deleteProfileSaves(Application&) {}

bool loadSavedGame(Application&) {
    return false;
}

void saveProfiles(Application& app) {
    saveAllProfiles(app);
}

void writeResumeSave(Application&) {}

} // namespace hooks
