#include "script/save_effects.h"

#include "app/game_state.h"
#include "save/campaign_state.h"
#include "save/save_files.h"
#include "script/effect.h"

bool bookRecordFlagHolds(const GameState& g, int flag) {
    return bookFlag(g, flag);
}

void setBookRecordFlag(const Effect& e, GameState& g) {
    setBookFlag(g, e.value);
}

void finishBookEffect(GameState& g) {
    finishBook(g);
}

void exportTravelLogEffect(const Effect& e, GameState& g, const Catalogues& cat) {
    std::string fileName;
    MessageRequest m;
    m.caption1 = "OK";
    if (exportTravelLog(g.character, cat, g.campaign.profileName, g.campaign.profile,
                        e.value < 0 ? 0 : e.value, fileName)) {
        m.title = "Travel Log Exported";
        m.text = "Your travel log has been successfully exported to`" + fileName;
    } else {
        m.title = "Export Failed";
        m.text =
            "Unable to write the travel log file " + fileName + ".`Check for writing privileges.";
    }
    showMessage(g.messages, m);
}

bool startOfBookSave(GameState& g) {
    const Character& c = g.character;
    if (c.onSection != 1) return false;
    if (!c.completedOpeningSection && !g.rulesState.heroActive) return false;
    // A hero who left the book before unfinished has nothing to restart from here.
    const BookRecord* previous = findBookRecord(g.campaign, c.onBook - 1);
    if (previous && previous->status != BOOK_FINISHED) return false;
    bookRecord(g.campaign, c.onBook);
    g.campaign.bookFinished = false;
    return saveResume(g, g.campaign.profile, true);
}
