// Bodies of the spine's hooks. A subsystem replaces the body of its hooks with
// a call into its own code; the defaults here mean "nothing of that kind yet".
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "book/download.h"
#include "fs/data_file.h"
#include "ui/skin.h"
#include "ui/toolkit.h"

namespace hooks {

int catalogueBookCount(const Application& app) {
    return static_cast<int>(app.books.size());
}

bool bookMountInfo(const Application& app, int index, BookMountInfo& out) {
    const BookEntry* book = findBook(app, index + 1);
    if (!book) return false;
    out.number = book->number;
    out.code = book->code;
    out.archiveSize = book->archiveSize;
    return true;
}

void loadCataloguesBeforeSettings(Application& app) {
    app.fontNames = listFonts();
    app.avatarNames = listAvatars();
}
void loadCataloguesAfterSettings(Application& app) {
    loadCatalogue(app.items);
    loadDisciplineTexts();
}

// The last used rules are the defaults of the next campaign.
void readRuleDefaults(Application& app, DataFile& file) {
    readRules(file, app.rules);
}

bool writeRuleDefaults(Application& app, DataFile& file) {
    return writeRules(app.rules, file, app.paths.indentLevel);
}

void loadInterfaceImages(Application& app) {
    loadToolkitImages(app);
}
void buildMainMenuWindows(Application&) {}

bool profileExists(Application&) {
    return false;
}
bool updateIsNewer(Application& app) {
    return checkForUpdate(app);
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
int highestMapNumber(const Application& app) {
    return highestMapNumber(app.character);
}
void turnToSection(Application&, int) {}
bool isLastSectionOfBook(const Application& app, int section) {
    const BookEntry* book = findBook(app, currentBookNumber(app));
    return book && isLastSection(*book, section);
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
bool allowMidSaves(const Application& app) {
    return app.rules.allowMidSaves;
}
void writeResumeSave(Application&) {}
void releaseSubsystems(Application& app) {
    releaseToolkit(app);
}

} // namespace hooks
