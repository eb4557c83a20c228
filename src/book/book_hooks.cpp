// The spine's hooks into the book being read: the page panels and the
// section being turned to.
#include "app/subsystem_hooks.h"

#include "actionchart/action_chart_view.h"
#include "app/application.h"
#include "book/section_page_view.h"
#include "book/book_catalogue.h"
#include "script/section_change.h"

#include <algorithm>

namespace hooks {

void pagesMouse(Application& app, const SDL_Event& event) {
    if (!app.playing) return;
    const bool down = event.type == SDL_MOUSEBUTTONDOWN;
    actionChartMouse(app, event.button.x, event.button.y, down);
    pagePanelsMouse(app, event.button.x, event.button.y, down);
}

bool pointInBookPicture(const Application&, int, int) {
    return false;
}

void scrollPages(Application& app, int direction, bool byPage) {
    // The keys read the book: they scroll the page under the pointer or, with
    // the pointer anywhere else (the Action Chart too), the main page. The
    // wheel is what scrolls the chart.
    scrollPagePanels(app, direction, byPage);
}

void wheelPages(Application& app, int direction) {
    if (actionChartScroll(app, direction, false)) return;
    scrollPagePanels(app, direction, false);
}

void switchPagePanels(Application& app, int button) {
    switchPagePanel(app, button);
}

void refreshPageTabs(Application& app) {
    ::refreshPageTabs(app);
}

void turnToSection(Application& app, int section) {
    // The rules turn the page (per-section state, travel log, healing, Meals);
    // the page then shows what they loaded.
    enterSection(app.game, app.catalogues, section);
    showMainPage(app);
}

bool isLastSectionOfBook(const Application& app, int section) {
    const BookEntry* book = findBook(app.catalogues, currentBookNumber(app));
    return book && isLastSection(*book, section);
}

void resetPlayScreen(Application& app) {
    resetPagePanels(app);
}

void loadBookOfCharacter(Application&) {}

void setPanelLayout(Application& app) {
    // The first page: the opening pages until they are done, then the section.
    const Character& hero = app.game.character;
    turnMainPageTo(app, hero.completedOpeningSection
                            ? "sect" + std::to_string(std::max(1, hero.onSection))
                            : "gamerulz");
}

int currentBookNumber(const Application& app) {
    return std::clamp(app.game.character.onBook, 1, lastBookNumber(app.catalogues));
}

std::string chosenCover(const Application& app, int book) {
    if (book < 1 || book > PROFILE_BOOK_COUNT) return "";
    const int slot = std::clamp(app.profiles.active, 0, PROFILE_COUNT - 1);
    return app.profiles.slots[slot].covers[static_cast<size_t>(book - 1)];
}

} // namespace hooks
