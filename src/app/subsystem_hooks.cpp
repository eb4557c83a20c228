// Bodies of the spine's hooks. A subsystem replaces the body of its hooks with
// a call into its own code; the defaults here mean "nothing of that kind yet".
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "book/download.h"
#include "fs/data_file.h"
#include "ui/font.h"
#include "ui/skin.h"
#include "ui/toolbar.h"
#include "ui/toolkit.h"
#include "ui/windows.h"

#include <algorithm>

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

// The last used rules are the defaults of the next campaign.
void readRuleDefaults(Application& app, DataFile& file) {
    readRules(file, app.game.rules);
}

bool writeRuleDefaults(Application& app, DataFile& file) {
    return writeRules(app.game.rules, file, app.paths.indentLevel);
}

void loadInterfaceImages(Application& app) {
    loadToolkitImages(app);
}
void buildMainMenuWindows(Application& app) {
    buildWindows(app);
    installWindowDispatch(app);
}

bool profileExists(Application& app) {
    return anyProfileExists(app);
}
bool updateIsNewer(Application& app) {
    return checkForUpdate(app);
}
void startFirstProfile(Application& app) {
    ::startFirstProfile(app);
}

void printSavedRecord(Application&, DataFile&) {}

ScreenStatus screenStatus(const Application& app) {
    ScreenStatus st;
    const WindowManager& m = app.windowManager;
    st.windowCount = static_cast<int>(m.openStack.size());
    if (!m.openStack.empty()) {
        st.topWindowId = m.openStack.back()->id;
        st.topWindowState = m.openStack.back()->state;
    }
    return st;
}

void openWindow(Application& app, int id, int mode, const std::string& argument) {
    openGameWindow(app, id, mode, argument);
}
void closeTopWindow(Application& app) {
    closeTopGameWindow(app);
}
void windowMouseEvent(Application& app, const SDL_Event& event) {
    GameWindow* top = topWindow(app.windowManager);
    if (top) ::windowMouseEvent(app, *top, event.button.x, event.button.y, event.type);
}
void clickTopWindowButton(Application& app, int button) {
    GameWindow* top = topWindow(app.windowManager);
    if (top) clickWindowButton(app, top->id, button);
}
void drawWindows(Application& app, int elapsedMs) {
    updateWindows(app, elapsedMs);
}

void headerButtonsMouse(Application& app, const SDL_Event& event) {
    headerMouse(app.headerButtons, app.clickLock, event.button.x, event.button.y,
                event.type == SDL_MOUSEBUTTONDOWN);
}
void pagesMouse(Application&, const SDL_Event&) {}
bool pointInBookPicture(const Application&, int, int) {
    return false;
}
void scrollPages(Application&, int, bool) {}
void wheelPages(Application&, int) {}
void drawPlayBackground(Application& app) {
    // The title bar follows the book being played (a no-op while it is current).
    buildTitleBar(app, currentBookNumber(app));
    drawTitleBar(app);
}
void drawPagesAndButtons(Application& app, int elapsedMs) {
    // Page panels, their scroll bars and the Action Chart refresh come with the
    // section pages; until then only the buttons are drawn.
    drawHeaderButtons(app, elapsedMs);
}
void drawOverlays(Application&, int) {}
int takeToolbarClick(Application& app) {
    return ::takeToolbarClick(app.headerButtons);
}
void switchPagePanels(Application&, int) {}
void setToolbarButtonVisible(Application& app, int button, bool visible) {
    ::setToolbarButtonVisible(app.headerButtons, button, visible);
}
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
    return highestMapNumber(app.game.character);
}
void turnToSection(Application&, int) {}
bool isLastSectionOfBook(const Application& app, int section) {
    const BookEntry* book = findBook(app.catalogues, currentBookNumber(app));
    return book && isLastSection(*book, section);
}
bool runAwardsCheck(Application&) {
    return false;
}
bool heroIsDead(const Application&) {
    return false;
}
void clearFirstPageLoaded(Application&) {}
void runEndOfBook(Application&) {}
void giveItem(Application&, int) {}
void giveCoins(Application&, int, int) {}

bool readResumeCharacter(Application&) {
    return false;
}
void deleteProfileSaves(Application&) {}
void resetPlayScreen(Application&) {}
void loadBookOfCharacter(Application&) {}
void buildToolbar(Application& app) {
    buildToolBar(app);
    buildTitleBar(app, currentBookNumber(app));
}
void setPanelLayout(Application&) {}
bool loadSavedGame(Application&) {
    return false;
}
void startNewCharacter(Application&) {}
int currentBookNumber(const Application& app) {
    return std::clamp(app.game.character.onBook, 1, lastBookNumber(app.catalogues));
}
std::string chosenCover(const Application& app, int book) {
    if (book < 1 || book > PROFILE_BOOK_COUNT) return "";
    const int slot = std::clamp(app.profiles.active, 0, PROFILE_COUNT - 1);
    return app.profiles.slots[slot].covers[static_cast<size_t>(book - 1)];
}
bool coverFirstOnly(const Application&) {
    return false;
}

void saveProfiles(Application& app) {
    saveAllProfiles(app);
}
bool allowMidSaves(const Application& app) {
    return app.game.rules.allowMidSaves;
}
void writeResumeSave(Application&) {}
void releaseSubsystems(Application& app) {
    releaseToolbar(app);
    releaseToolkit(app);
}

} // namespace hooks
