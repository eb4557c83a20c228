// The spine's hooks into the awards and the end of a book.
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "awards/award_check.h"
#include "awards/award_notice_view.h"
#include "awards/award_summary.h"
#include "book/book_catalogue.h"
#include "save/save_flows.h"

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

// The summary of the book just finished, then the hero goes on into the next
// book (the campaign saved), or the player is told what stands in the way.
void runEndOfBook(Application& app) {
    const Character finished = app.game.character;
    const BookEntry* book = findBook(app.catalogues, finished.onBook);
    const int fame = qualifyForHallOfFame(finished, app.game.rules);
    const bool finalBook = finished.onBook >= lastBookNumber(app.catalogues);
    MessageRequest next = carryIntoNextBook(app);
    const bool saved = !finalBook && next.title != "Campaign not saved";
    const BookSummary s =
        endOfBookSummary(finished, book ? book->title : "", fame, finalBook, saved);
    MessageRequest m;
    m.title = s.title;
    m.text = s.text;
    if (!finalBook && !next.title.empty()) {
        // The next book's archive is missing (or the save failed): its note
        // and its "Download" follow the summary.
        m.text += "``" + next.text;
        m.targetWindow = next.targetWindow;
        m.caption1 = next.caption1;
        m.id1 = next.id1;
        m.caption2 = next.caption2;
        m.id2 = next.id2;
    }
    showMessage(app.game.messages, m);
}

} // namespace hooks
