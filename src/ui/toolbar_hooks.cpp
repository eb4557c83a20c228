// The spine's hooks into the play screen's tool bar and title bar.
#include "app/subsystem_hooks.h"

#include "actionchart/action_chart_view.h"
#include "app/application.h"
#include "book/section_page_view.h"
#include "ui/toolbar.h"
#include "ui/toolkit.h"

namespace hooks {

void headerButtonsMouse(Application& app, const SDL_Event& event) {
    headerMouse(app.headerButtons, app.clickLock, event.button.x, event.button.y,
                event.type == SDL_MOUSEBUTTONDOWN);
}

void drawPlayBackground(Application& app) {
    // The title bar follows the book being played (a no-op while it is current).
    buildTitleBar(app, currentBookNumber(app));
    drawTitleBar(app);
}

void drawPagesAndButtons(Application& app, int elapsedMs) {
    if (app.playing) drawPagePanels(app, elapsedMs);
    // The chart sits beside the book; the tool bar (and the award medal in
    // the corner) over both.
    drawActionChart(app, elapsedMs);
    drawHeaderButtons(app, elapsedMs);
}

int takeToolbarClick(Application& app) {
    return ::takeToolbarClick(app.headerButtons);
}

void setToolbarButtonVisible(Application& app, int button, bool visible) {
    ::setToolbarButtonVisible(app.headerButtons, button, visible);
}

void buildToolbar(Application& app) {
    buildToolBar(app);
    buildTitleBar(app, currentBookNumber(app));
}

void releaseSubsystems(Application& app) {
    releaseActionChart(app);
    releasePagePanels(app);
    releaseOverlays(app);
    releaseToolbar(app);
    releaseToolkit(app);
}

} // namespace hooks
