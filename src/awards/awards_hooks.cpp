// The spine's hooks into the awards and the end of a book.
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "awards/award_check.h"
#include "awards/award_notice_view.h"
#include "awards/award_summary.h"
#include "book/book_catalogue.h"
#include "book/book_flows.h"
#include "book/random_table.h"

namespace hooks {

// The awards were checked by the rules as the section changed (and granted by
// section effects); what they earned is shown here, once, and kept.
bool runAwardsCheck(Application& app) {
    AwardNotice& notice = app.game.awardNotice;
    if (notice.profilesChanged) saveProfiles(app);
    notice.profilesChanged = false;
    if (!notice.pending) return false;
    notifyAwards(app, notice.medal, notice.titles);
    notice = AwardNotice();
    return true;
}

void runEndOfBook(Application& app) {
    Character& hero = app.game.character;
    const BookEntry* book = findBook(app.catalogues, hero.onBook);
    // The campaign's recorded picks come with the campaign saves; none yet.
    const std::vector<RecordedPicks> picks;
    const int fame = qualifyForHallOfFame(hero, app.game.rules, picks, app.game.random);
    const bool finalBook = hero.onBook >= lastBookNumber(app.catalogues);
    const BookSummary s =
        endOfBookSummary(hero, book ? book->title : "", fame, finalBook, false);
    if (s.offerDownload) {
        app.windowData.selectedBook = hero.onBook + 1;
        showMessage(app.game.messages, s.title, s.text, WIN_BOOK_SELECT, "Download",
                    BOOK_CMD_DOWNLOAD, "Close", -1);
    } else {
        showMessage(app.game.messages, s.title, s.text);
    }
}

} // namespace hooks
