// Bodies of the spine's hooks. A subsystem replaces the body of its hooks with
// a call into its own code; the defaults here mean "nothing of that kind yet".
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "fs/data_file.h"

namespace hooks {

void buildStaticTables(Application&) {}

int catalogueBookCount(const Application&) {
    return 0;
}
bool bookMountInfo(const Application&, int, BookMountInfo&) {
    return false;
}

void loadCataloguesBeforeSettings(Application&) {}
void loadCataloguesAfterSettings(Application&) {}

// Until the rule options have their own reader, the block is kept as read so
// that saving the settings does not lose it.
void readRuleDefaults(Application& app, DataFile& file) {
    app.ruleDefaultsText.clear();
    std::string line;
    for (int lines = 0; lines < 256 && readLine(file, line); ++lines) {
        line.erase(line.find_last_not_of(" \t\xa0") + 1);
        if (line.empty() || line.compare(0, 2, "##") == 0 || line.compare(0, 2, "//") == 0)
            continue;
        app.ruleDefaultsText += line + "\n";
        if (line == "END") break;
    }
}

bool writeRuleDefaults(Application& app, DataFile& file) {
    if (app.ruleDefaultsText.empty()) return true;
    std::string text = app.ruleDefaultsText;
    if (text.size() < 4 || text.compare(text.size() - 4, 4, "END\n") != 0) text += "END\n";
    return writeText(0, file, text);
}

void loadInterfaceImages(Application&) {}
void buildMainMenuWindows(Application&) {}

bool profileExists(Application&) {
    return false;
}
bool updateIsNewer(Application&) {
    return false;
}
void startFirstProfile(Application&) {}

void printSavedRecord(Application&, DataFile&) {}

ScreenStatus screenStatus(const Application&) {
    return {};
}

void openWindow(Application&, int, int, const std::string&) {}
void closeTopWindow(Application&) {}
void windowMouseEvent(Application&, const SDL_Event&) {}
void clickTopWindowButton(Application&, int) {}
void drawWindows(Application&, int) {}

void headerButtonsMouse(Application&, const SDL_Event&) {}
void pagesMouse(Application&, const SDL_Event&) {}
bool pointInBookPicture(const Application&, int, int) {
    return false;
}
void scrollPages(Application&, int, bool) {}
void wheelPages(Application&, int) {}
void drawPlayBackground(Application&) {}
void drawPagesAndButtons(Application&, int) {}
void drawOverlays(Application&, int) {}
int takeToolbarClick(Application&) {
    return -1;
}
void switchPagePanels(Application&, int) {}
void setToolbarButtonVisible(Application&, int, bool) {}
void refreshPageTabs(Application&) {}

bool closeRandomTable(Application&) {
    return false;
}
bool closeResultsTable(Application&) {
    return false;
}
void randomTableKey(Application&, SDLKey) {}

void syncSavesWithRandomDraws(Application&) {}
void runFrameRuleHooks(Application&) {}
void keyG(Application&) {}
int highestMapNumber(const Application&) {
    return -1;
}
void turnToSection(Application&, int) {}
bool isLastSectionOfBook(const Application&, int) {
    return false;
}
bool runAwardsCheck(Application&) {
    return false;
}
bool heroIsDead(const Application&) {
    return false;
}
void runEndOfBook(Application&) {}
void giveItem(Application&, int) {}
void giveCoins(Application&, int, int) {}

bool readResumeCharacter(Application&) {
    return false;
}
void deleteProfileSaves(Application&) {}
void resetPlayScreen(Application&) {}
void loadBookOfCharacter(Application&) {}
void buildToolbar(Application&) {}
void setPanelLayout(Application&) {}
bool loadSavedGame(Application&) {
    return false;
}
void startNewCharacter(Application&) {}
int currentBookNumber(const Application&) {
    return 1;
}
std::string chosenCover(const Application&, int) {
    return "";
}
bool coverFirstOnly(const Application&) {
    return false;
}

void saveProfiles(Application&) {}
bool allowMidSaves(const Application&) {
    return false;
}
void writeResumeSave(Application&) {}
void releaseSubsystems(Application&) {}

} // namespace hooks
