// The spine's hooks into the book being read: the page panels and the
// section being turned to.
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "book/book_catalogue.h"

#include <algorithm>

namespace hooks {

void pagesMouse(Application&, const SDL_Event&) {}

bool pointInBookPicture(const Application&, int, int) {
    return false;
}

void scrollPages(Application&, int, bool) {}

void wheelPages(Application&, int) {}

void switchPagePanels(Application&, int) {}

void refreshPageTabs(Application&) {}

void turnToSection(Application&, int) {}

bool isLastSectionOfBook(const Application& app, int section) {
    const BookEntry* book = findBook(app.catalogues, currentBookNumber(app));
    return book && isLastSection(*book, section);
}

void resetPlayScreen(Application&) {}

void loadBookOfCharacter(Application&) {}

void setPanelLayout(Application&) {}

int currentBookNumber(const Application& app) {
    return std::clamp(app.game.character.onBook, 1, lastBookNumber(app.catalogues));
}

std::string chosenCover(const Application& app, int book) {
    if (book < 1 || book > PROFILE_BOOK_COUNT) return "";
    const int slot = std::clamp(app.profiles.active, 0, PROFILE_COUNT - 1);
    return app.profiles.slots[slot].covers[static_cast<size_t>(book - 1)];
}

} // namespace hooks
