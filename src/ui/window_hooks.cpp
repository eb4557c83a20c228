// The spine's hooks into the windows and the presentation toolkit.
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "book/section_page_view.h"
#include "book/book_flows.h"
#include "ui/toolkit.h"
#include "ui/windows.h"

namespace hooks {

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

ScreenStatus screenStatus(const Application& app) {
    ScreenStatus st;
    const WindowManager& m = app.windowManager;
    st.windowCount = static_cast<int>(m.openStack.size());
    if (!m.openStack.empty()) {
        st.topWindowId = m.openStack.back()->id;
        st.topWindowState = m.openStack.back()->state;
    }
    st.pagePanelsExist = !pageDeck(const_cast<Application&>(app)).panels.empty();
    // What runs over the pages; while it animates, frames keep coming.
    const RandomNumberTable& rnt = app.game.randomTable;
    st.randomTableShown = app.playing && rnt.active;
    st.randomTableState = st.randomTableShown && waitingForRegion(rnt) ? 1 : 0;
    st.combatRunning = app.playing && app.combatScreen.running;
    st.combatState = st.combatRunning ? app.game.combat.phase : 0;
    st.resultsTableOpen = app.playing && app.resultsTable.viewerMode;
    st.resultsTableActive = app.playing && app.resultsTable.state != CRT_IDLE;
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

} // namespace hooks
