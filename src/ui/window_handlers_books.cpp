// Book selection (15) and the gameplay rules (16): the way into a new campaign.
#include "app/application.h"
#include "book/book_flows.h"
#include "character/rule_options.h"
#include "fs/vfs.h"
#include "ui/image.h"
#include "ui/window_layout.h"
#include "ui/windows.h"

#include <algorithm>

namespace {

// The three series: Vael (1-5), Dravic (6-12), Grand Master (13-20).
const int SERIES_FIRST[] = {1, 6, 13};
const int SERIES_LAST[] = {5, 12, 20};
const char* const SERIES_NAMES[] = {"Vael series (books 1-5)", "Dravic series (books 6-12)",
                                    "Grand Master series (books 13-20)"};

int seriesOf(int book) {
    return book <= 5 ? 0 : book <= 12 ? 1 : 2;
}

int& selectedBook(Application& app) {
    int& b = app.windowData.selectedBook;
    b = std::clamp(b, 1, lastBookNumber(app.catalogues));
    return b;
}

Profile& activeProfile(Application& app) {
    return app.profiles.slots[std::clamp(app.profiles.active, 0, PROFILE_COUNT - 1)];
}

// The cover shown for a book: the profile's choice, else the first one found.
std::string shownCover(Application& app, int book) {
    std::vector<std::string> covers = listBookCovers(book);
    const std::string& chosen = activeProfile(app).covers[static_cast<size_t>(book - 1)];
    if (!chosen.empty() && std::find(covers.begin(), covers.end(), chosen) != covers.end())
        return chosen;
    return covers.empty() ? std::string() : covers.front();
}

void startBook(Application& app, int book) {
    MessageRequest problem;
    if (bookStartMessage(checkBookStart(app, book), problem)) {
        showMessage(app.game.messages, problem);
        return;
    }
    app.game.character.onBook = book;
    openGameWindow(app, WIN_RULES, 2);
}

void showPreset(Application& app, GameWindow& w) {
    const RuleOptions& r = app.game.rules;
    const bool btb = isByTheBook(r, false), hard = isHardcore(r, false),
               prodigy = isProdigy(r, false);
    setChosen(w, 3, btb);
    setChosen(w, 4, hard);
    setChosen(w, 5, !btb && !hard && !prodigy);
    setChosen(w, 6, prodigy);
}

} // namespace

std::vector<std::string> listBookCovers(int book) {
    const std::string folder = "data/books/book" + std::to_string(book) + "/covers";
    std::vector<std::string> names;
    for (const char* pattern : {"*.png", "*.jpg", "*.gif", "*.bmp", "*.tiff"})
        for (const std::string& name : vfsListWildcard(folder, pattern, false))
            names.push_back(name);
    return names;
}

void bookSelectClick(Application& app, int buttonId) {
    int& book = selectedBook(app);
    const int series = seriesOf(book);
    switch (buttonId) {
    case 4: // next series, at its first book
        book = SERIES_FIRST[(series + 1) % 3];
        break;
    case 6: // previous book of the series
        if (book > SERIES_FIRST[series]) --book;
        break;
    case 8: // next book of the series
        if (book < SERIES_LAST[series]) ++book;
        break;
    case 9: { // the next cover becomes the one shown for this book
        std::vector<std::string> covers = listBookCovers(book);
        if (covers.empty()) break;
        auto it = std::find(covers.begin(), covers.end(), shownCover(app, book));
        size_t next =
            it == covers.end() ? 0 : (static_cast<size_t>(it - covers.begin()) + 1) % covers.size();
        activeProfile(app).covers[static_cast<size_t>(book - 1)] = covers[next];
        saveAllProfiles(app);
        break;
    }
    case 10:                  // "Zip": fetch the book's archive
    case BOOK_CMD_DOWNLOAD: { // "Download", "Re-download", "Try Again"
        MessageRequest failure;
        if (!runBookDownload(app, book, failure)) showMessage(app.game.messages, failure);
        break;
    }
    case 11: // "Pic": fetch the covers
        showMessage(app.game.messages, coverMessage(runCoverDownload(app, book)));
        break;
    case 12:
        startBook(app, book);
        break;
    case 13:
        closeWindow(WIN_BOOK_SELECT, app.windowManager, 0);
        break;
    }
}

void bookSelectRefresh(Application& app, GameWindow& w) {
    const int book = selectedBook(app);
    const int series = seriesOf(book);
    setLabelText(app, w, 3, SERIES_NAMES[series]);
    const BookEntry* entry = findBook(app.catalogues, book);
    setLabelText(app, w, 5, entry ? entry->title : " ");
    setLabelText(app, w, 7, "Book " + std::to_string(book));
    setButtonEnabled(w, 6, book > SERIES_FIRST[series]);
    setButtonEnabled(w, 8, book < SERIES_LAST[series]);
    const std::string cover = shownCover(app, book);
    const double s = app.screen.uiScale > 0 ? app.screen.uiScale : 1.0;
    const std::string folder = "data/books/book" + std::to_string(book) + "/covers";
    SDL_Surface* picture =
        cover.empty() ? loadImage("data/misc", "downloadcover") : loadImage(folder, cover);
    setPictureImage(w, 2, picture, static_cast<int>(140 * s), static_cast<int>(190 * s));
    setButtonEnabled(w, 9, listBookCovers(book).size() > 1);
}

void rulesClick(Application& app, int buttonId) {
    const bool viewing = app.windowData.rulesTitle == "View Gameplay Rules";
    if (!viewing) {
        if (buttonId == 3) applyByTheBook(app.game.rules);
        if (buttonId == 4) applyHardcore(app.game.rules);
        if (buttonId == 6) applyProdigy(app.game.rules);
    }
    if (buttonId == 10 && !viewing) { // begin the new campaign
        app.game.pendingStart = -1;
        app.playing = true;
    }
    if (buttonId == 10 || buttonId == 90) closeWindow(WIN_RULES, app.windowManager, 0);
}

void rulesRefresh(Application& app, GameWindow& w) {
    const bool viewing = app.windowData.rulesTitle == "View Gameplay Rules";
    setLabelText(app, w, 1, viewing ? "View Gameplay Rules" : "Choose Gameplay Rules");
    for (int id : {3, 4, 5, 6})
        setButtonEnabled(w, id, !viewing);
    setButtonVisible(w, 10, !viewing);
    showPreset(app, w);
}
