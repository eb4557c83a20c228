// The windows of the records: the selection list (37), the rank certificate
// (39), a profile's awards (44) and one award's details (45), and the book a
// restart goes back to (46). Each case hands its rule to the subsystem that
// owns it.
#include "actionchart/chart_model.h"
#include "app/application.h"
#include "awards/award.h"
#include "awards/award_details.h"
#include "book/book_flows.h"
#include "save/save_flows.h"
#include "ui/image.h"
#include "ui/window_layout.h"
#include "ui/windows.h"

#include <algorithm>

namespace {

Profile& profileAt(Application& app, int slot) {
    return app.profiles.slots[static_cast<size_t>(std::clamp(slot, 0, PROFILE_COUNT - 1))];
}

int pageCount(size_t items, int rows) {
    return std::max(1, static_cast<int>((items + static_cast<size_t>(rows) - 1) / static_cast<size_t>(rows)));
}

std::vector<ChartAward> listedAwards(Application& app) {
    return chartAwards(app.catalogues.awards, &profileAt(app, app.windowData.profileSlot),
                       app.game.rules);
}

} // namespace

// ---- 37: the selection list ---------------------------------------------------------

void selectionRefresh(Application& app, GameWindow& w) {
    const MessageRequest& m = app.windowData.message;
    const int pages = pageCount(m.choices.size(), SELECTION_ROWS);
    int& page = app.windowData.selectionPage;
    page = std::clamp(page, 0, pages - 1);
    setLabelText(app, w, 1, m.title.empty() ? "Choose from options below" : m.title);
    setLabelText(app, w, 2, m.text.empty() ? " " : m.text);
    for (int row = 0; row < SELECTION_ROWS; ++row) {
        const size_t i = static_cast<size_t>(page * SELECTION_ROWS + row);
        const bool shown = i < m.choices.size();
        if (shown) setLabelText(app, w, SELECTION_FIRST_ROW + row, m.choices[i]);
        setButtonVisible(w, SELECTION_FIRST_ROW + row, shown);
    }
    setButtonVisible(w, 5, page > 0);
    setButtonVisible(w, 6, page + 1 < pages);
}

void selectionClick(Application& app, int buttonId) {
    WindowData& d = app.windowData;
    if (buttonId == 5 || buttonId == 6) {
        d.selectionPage += buttonId == 5 ? -1 : 1;
        windowRefresh(&app, WIN_SELECTION);
        return;
    }
    const int row = buttonId - SELECTION_FIRST_ROW;
    if (row < 0 || row >= SELECTION_ROWS) return;
    const int i = d.selectionPage * SELECTION_ROWS + row;
    if (i >= static_cast<int>(d.message.choices.size())) return;
    d.selectionResult = i;
    closeWindow(WIN_SELECTION, app.windowManager, 0);
}

// The answer goes to whoever asked once the list has gone. Closed without a
// choice (Escape), a list that ends in "Cancel" takes that; any other question
// is asked again, as the rules wait for its answer.
void selectionClosed(Application& app) {
    WindowData& d = app.windowData;
    const MessageRequest m = d.message;
    int i = d.selectionResult;
    d.selectionResult = -1;
    if (i < 0 && !m.choices.empty() && m.choices.back() == "Cancel")
        i = static_cast<int>(m.choices.size()) - 1;
    if (i >= 0 && i < static_cast<int>(m.choiceIds.size())) {
        windowClick(&app, m.targetWindow, m.choiceIds[static_cast<size_t>(i)]);
    } else if (!m.choices.empty()) {
        app.game.messages.pending.push_front(m);
    }
    showNextMessage(app);
}

// ---- 39: the rank certificate -------------------------------------------------------

void certificateRefresh(Application& app, GameWindow& w) {
    const Character& c = app.game.character;
    const double s = app.screen.uiScale > 0 ? app.screen.uiScale : 1.0;
    setPictureImage(w, 2, loadImage("data/misc/ac", certificateImage(c.onBook)),
                    static_cast<int>(540 * s), static_cast<int>(270 * s));
    setLabelText(app, w, 3, certificateText(c, profileAt(app, app.profiles.active).name));
}

// ---- 44: a profile's awards ---------------------------------------------------------

void awardsListRefresh(Application& app, GameWindow& w) {
    WindowData& d = app.windowData;
    const std::vector<ChartAward> list = listedAwards(app);
    const int pages = pageCount(list.size(), AWARD_ROWS);
    d.awardsPage = std::clamp(d.awardsPage, 0, pages - 1);
    setLabelText(app, w, 1, "AWARDS for " + profileAt(app, d.profileSlot).name);
    const auto earned = std::count_if(list.begin(), list.end(), [](const ChartAward& a) { return a.earned; });
    setLabelText(app, w, 2,
                 std::to_string(earned) + " of " + std::to_string(list.size()) +
                     " awards earned   (page " + std::to_string(d.awardsPage + 1) + " of " +
                     std::to_string(pages) + ")");
    for (int row = 0; row < AWARD_ROWS; ++row) {
        const size_t i = static_cast<size_t>(d.awardsPage * AWARD_ROWS + row);
        const int id = AWARD_FIRST_ROW + row;
        setButtonVisible(w, id, i < list.size());
        if (i >= list.size()) continue;
        const ChartAward& a = list[i];
        const std::string group = a.book > 0 ? "Book " + std::to_string(a.book)
                                             : awardGroupHeading(a.series, 0);
        setLabelText(app, w, id, (a.earned ? "* " : "") + group + ": " + a.title);
        setChosen(w, id, a.earned);
        setButtonTooltip(w, id, awardTooltip(a));
    }
    setButtonVisible(w, 5, d.awardsPage > 0);
    setButtonVisible(w, 6, d.awardsPage + 1 < pages);
}

void awardsListClick(Application& app, int buttonId) {
    WindowData& d = app.windowData;
    if (buttonId == 4) {
        closeWindow(WIN_AWARDS, app.windowManager, 0);
    } else if (buttonId == 5 || buttonId == 6) {
        d.awardsPage += buttonId == 5 ? -1 : 1;
        windowRefresh(&app, WIN_AWARDS);
    } else if (buttonId >= AWARD_FIRST_ROW && buttonId < AWARD_FIRST_ROW + AWARD_ROWS) {
        const std::vector<ChartAward> list = listedAwards(app);
        const size_t i = static_cast<size_t>(d.awardsPage * AWARD_ROWS + buttonId - AWARD_FIRST_ROW);
        if (i >= list.size()) return;
        d.awardId = list[i].id;
        d.awardHints = 1;
        openGameWindow(app, WIN_AWARD_DETAILS, 2);
    }
}

// ---- 45: one award ------------------------------------------------------------------

void awardDetailsRefresh(Application& app, GameWindow& w) {
    WindowData& d = app.windowData;
    const AwardDefinition* a = findAward(app.catalogues.awards, d.awardId);
    if (!a) {
        setLabelText(app, w, 1, "Award");
        setLabelText(app, w, 2, NO_HINT_TEXT);
        setButtonVisible(w, 5, false);
        return;
    }
    Profile& p = profileAt(app, d.profileSlot);
    bool earned = false;
    for (AwardEntry& e : p.awards)
        if (e.id == a->id) {
            earned = e.earned;
            e.isNew = false; // seen now
        }
    d.awardHints = std::clamp(d.awardHints, 0, awardHintCount(*a));
    setLabelText(app, w, 1, a->title);
    setLabelText(app, w, 2, awardDetailsText(*a, earned, d.awardHints));
    const double s = app.screen.uiScale > 0 ? app.screen.uiScale : 1.0;
    setPictureImage(w, 3,
                    loadImage("data/misc/awards",
                              !earned ? "unearned_medal" : a->medal.empty() ? "medal_generic" : a->medal),
                    static_cast<int>(64 * s), static_cast<int>(64 * s));
    setButtonVisible(w, 5, d.awardHints < awardHintCount(*a));
}

void awardDetailsClick(Application& app, int buttonId) {
    if (buttonId == 5) {
        ++app.windowData.awardHints;
        windowRefresh(&app, WIN_AWARD_DETAILS);
    } else if (buttonId == 90) {
        closeWindow(WIN_AWARD_DETAILS, app.windowManager, 0);
    }
}

// The award page starts over with the vaguest hint next time.
void awardDetailsClosed(Application& app) {
    app.windowData.awardHints = 1;
    if (isWindowOpen(app.windowManager, WIN_AWARDS)) windowRefresh(&app, WIN_AWARDS);
}

// ---- 46: the book a restart goes back to --------------------------------------------

void restartBookRefresh(Application& app, GameWindow& w) {
    const int current = app.game.character.onBook;
    for (int b = 1; b <= PROFILE_BOOK_COUNT; ++b) {
        // Books of the campaign so far: the current one and those before it.
        setButtonEnabled(w, RESTART_BOOK_FIRST + b - 1, b <= current && findBook(app.catalogues, b));
        setChosen(w, RESTART_BOOK_FIRST + b - 1, b == current);
    }
}

void restartBookClick(Application& app, int buttonId) {
    if (buttonId == 90) {
        closeWindow(WIN_RESTART_BOOK, app.windowManager, 0);
        return;
    }
    const int book = buttonId - RESTART_BOOK_FIRST + 1;
    if (book < 1 || book > PROFILE_BOOK_COUNT) return;
    MessageRequest m;
    const BookStart start = checkBookStart(app, book);
    if (bookStartMessage(start, m)) {
        app.windowData.selectedBook = book; // what its "Download" fetches
        showMessage(app.game.messages, m); // "Need ZIP file..." and the like
        return;
    }
    closeWindow(WIN_RESTART_BOOK, app.windowManager, 0);
    showMessage(app.game.messages, restartFromBook(app, book));
}
