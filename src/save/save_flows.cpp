#include "save/save_flows.h"

#include "awards/award_check.h"

#include "app/application.h"
#include "app/subsystem_hooks.h"
#include "book/book_flows.h"
#include "book/random_table_pending.h"
#include "book/section_page_view.h"
#include "save/save_files.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// What "Resume" read before the pages existed, applied once they do. Kept
// only between the two steps of one start of play.
struct HeldResume {
    bool held = false;
    ResumeData data;
    // Why the save could not be used, told once the play screen is up (the
    // windows are rebuilt while play begins).
    MessageRequest problem;
};
HeldResume& heldResume() {
    static HeldResume h;
    return h;
}

Profile& activeProfile(Application& app) {
    return app.profiles
        .slots[static_cast<size_t>(std::clamp(app.profiles.active, 0, PROFILE_COUNT - 1))];
}

MessageRequest note(const std::string& title, const std::string& text) {
    MessageRequest m;
    m.title = title;
    m.text = text;
    m.caption1 = "OK";
    return m;
}

// Where the pages stand, for the resume file.
void captureView(Application& app) {
    PageDeck& deck = pageDeck(app);
    PageViewState& v = app.game.campaign.view;
    auto scrollOf = [&](int index) {
        return index >= 0 && static_cast<size_t>(index) < deck.panels.size()
                   ? deck.panels[static_cast<size_t>(index)]->scrollOffset
                   : 0;
    };
    v.leftPage = deck.current[0];
    v.leftValue = scrollOf(deck.current[0]);
    v.rightPage = deck.current[1];
    v.rightValue = scrollOf(deck.current[1]);
    v.extraFirst = deck.previous[0];
    v.extraSecond = deck.previous[1];
}

// The main page shows the game's section as it now stands (the loaded save),
// without reading it from the book again.
void showRestoredPage(Application& app) {
    PageDeck& deck = pageDeck(app);
    if (deck.panels.empty()) resetPagePanels(app);
    PagePanel& main = *deck.panels.front();
    unloadSectionPage(main);
    main.book = std::max(1, app.game.character.onBook);
    main.rect = app.pageRects[main.rightSide ? 1 : 0];
    main.shown = false;
    showSectionPage(app, main, false);
    const PageViewState& v = app.game.campaign.view;
    if (v.leftPage == 0)
        main.scrollOffset = std::clamp(v.leftValue, 0, std::max(0, main.maxScroll));
}

// A new book on screen: its pages, tool bar and first page.
void setUpBook(Application& app) {
    hooks::resetPlayScreen(app);
    hooks::loadBookOfCharacter(app);
    hooks::buildToolbar(app);
    hooks::setPanelLayout(app);
}

void closeIfOpen(Application& app, int id) {
    if (isWindowOpen(app.windowManager, id)) closeWindow(id, app.windowManager, 0);
}

} // namespace

void bindProfileSaves(Application& app) {
    CampaignState& s = app.game.campaign;
    s.profile = std::clamp(app.profiles.active, 0, PROFILE_COUNT - 1) + 1;
    s.profileName = activeProfile(app).name;
    installResumeSaveHook();
}

bool readSavedHero(Application& app) {
    bindProfileSaves(app);
    GameState& g = app.game;
    HeldResume& held = heldResume();
    held.held = false;
    held.problem = MessageRequest();
    resetCharacter(g.character);
    startCampaignInTier(g.character, TIER_VAEL);
    const LoadResult r = readResumeFile(g, app.catalogues, g.campaign.profile, false, held.data);
    if (r == LoadResult::Loaded) {
        held.held = true;
        g.character = held.data.character;
        return true;
    }
    if (loadCampaign(g, app.catalogues, g.campaign.profile, 0)) {
        if (r == LoadResult::Damaged)
            held.problem = note("Unable to load savegame",
                                "Your saved game could not be read.`It is kept as it is: you go "
                                "on`from the start of your book.");
        return true;
    }
    if (r == LoadResult::Damaged || g.campaign.campaignUnreadable)
        held.problem = note("Unable to load savegame",
                            "Your saved game could not be read.`It is kept as it is until "
                            "you`start a new campaign.");
    return false;
}

bool restoreSavedGame(Application& app) {
    HeldResume& held = heldResume();
    GameState& g = app.game;
    if (!held.held) return g.character.onBook >= 1; // the campaign's snapshot: opening pages
    held.held = false;
    Profile& profile = activeProfile(app);
    bool accepted = profile.acceptedLicense;
    finishResumeLoad(g, app.catalogues, g.campaign.profile, false, held.data, accepted);
    profile.acceptedLicense = accepted;
    held.data = ResumeData();
    showRestoredPage(app);
    return true;
}

bool writeResumeNow(Application& app) {
    // Until the pages of a book are up (the start of play is still pending)
    // there is no game on screen to save, only the one on disk.
    if (!app.playing || app.game.pendingStart != 0 || app.game.section.sectionName.empty())
        return false;
    bindProfileSaves(app);
    captureView(app);
    return saveResume(app.game, app.game.campaign.profile, false);
}

void syncSavesWithDraws(Application& app, bool running, bool combatOpen, bool menuOpen) {
    GameState& g = app.game;
    CampaignState& s = g.campaign;
    HeldResume& held = heldResume();
    if (!held.problem.title.empty() && g.pendingStart == 0) {
        showMessage(g.messages, held.problem);
        held.problem = MessageRequest();
    }
    const bool drawing = running || combatOpen;
    if (drawing && !s.drawUnderWay) {
        s.drawUnderWay = true;
        writePendingResult(s.profile, g, combatOpen || g.combat.phase != 0 ? PENDING_COMBAT
                                                                          : PENDING_PICK);
    } else if (!drawing && s.drawUnderWay) {
        s.drawUnderWay = false;
        captureView(app);
        drawResolved(g, s.profile);
    } else if (!running && s.drawRunning && combatOpen && !g.rules.allowMidSaves) {
        // A round of a combat that goes on: its outcome is saved, and the
        // file stays until the combat ends.
        writeResumeNow(app);
    }
    s.drawRunning = running;
    // Going back to the menu stops play for now: the game is saved as it stands.
    if (menuOpen && !s.menuShown && !running && !g.rules.allowMidSaves) writeResumeNow(app);
    s.menuShown = menuOpen;
}

MessageRequest restartCurrentBook(Application& app) {
    bindProfileSaves(app);
    GameState& g = app.game;
    const int restarts = g.character.restarts;
    const int book = g.character.onBook;
    Profile& profile = activeProfile(app);
    bool accepted = profile.acceptedLicense;
    bool restored = false;
    if (loadResume(g, app.catalogues, g.campaign.profile, true, accepted) == LoadResult::Loaded &&
        g.character.onBook == book) {
        restored = true;
        profile.acceptedLicense = accepted;
        g.character.restarts = restarts + 1;
        setUpBook(app);
        showRestoredPage(app);
    } else if (loadCampaign(g, app.catalogues, g.campaign.profile, book) &&
               g.character.onBook == book) {
        restored = true;
        g.character.restarts = restarts + 1;
        setUpBook(app);
    }
    closeIfOpen(app, WIN_RESTART);
    closeIfOpen(app, WIN_MAIN_MENU);
    // A fallen hero who starts again is no longer dead: the notice goes too.
    if (restored) closeIfOpen(app, WIN_DEATH);
    if (!restored)
        return note("Restart book failed...", "There is no save of the start of this book.");
    if (!g.rules.allowMidSaves) writeResumeNow(app);
    return note("Book restarted!", "You are back at the start of this book.");
}

MessageRequest restartFromBook(Application& app, int book) {
    bindProfileSaves(app);
    GameState& g = app.game;
    const int restarts = g.character.restarts;
    if (!loadCampaign(g, app.catalogues, g.campaign.profile, book) || g.character.onBook != book)
        return note("Restart book failed...", "Your campaign holds no start of that book.");
    g.character.restarts = restarts + 1;
    setUpBook(app);
    closeIfOpen(app, WIN_RESTART);
    closeIfOpen(app, WIN_MAIN_MENU);
    closeIfOpen(app, WIN_DEATH);
    if (!g.rules.allowMidSaves) writeResumeNow(app);
    return note("Book restarted!",
                "You are back at the start of book " + std::to_string(book) + ".");
}

void startOverFromScratch(Application& app) {
    Character& c = app.game.character;
    const int book = c.onBook;
    resetCharacter(c);
    c.onBook = book;
    startCampaignInTier(c, book <= 5 ? TIER_VAEL : book <= 12 ? TIER_DRAVIC : TIER_GRAND_MASTER);
    closeIfOpen(app, WIN_RESTART);
    closeIfOpen(app, WIN_DEATH);
    closeIfOpen(app, WIN_MAIN_MENU);
    app.game.pendingStart = -1; // removes the old saves as play begins again
}

MessageRequest saveByHand(Application& app) {
    if (!app.game.rules.allowMidSaves || !writeResumeNow(app))
        return note("Save failed...", app.game.rules.allowMidSaves
                                          ? "The game could not be written."
                                          : "Your gameplay rules do not allow saving at any time.");
    return note("Progress Saved!", "Your game has been saved.");
}

MessageRequest loadByHand(Application& app) {
    bindProfileSaves(app);
    GameState& g = app.game;
    if (!g.rules.allowMidSaves)
        return note("Load failed...", "Your gameplay rules do not allow loading at any time.");
    const int book = g.character.onBook;
    Profile& profile = activeProfile(app);
    bool accepted = profile.acceptedLicense;
    if (loadResume(g, app.catalogues, g.campaign.profile, false, accepted) != LoadResult::Loaded)
        return note("Load failed...", "There is no saved game that can be read.");
    profile.acceptedLicense = accepted;
    if (g.character.onBook != book) setUpBook(app);
    showRestoredPage(app);
    closeIfOpen(app, WIN_SAVE_LOAD);
    closeIfOpen(app, WIN_DEATH);
    closeIfOpen(app, WIN_MAIN_MENU);
    return note("Game Loaded!", "Your saved game has been loaded.");
}

MessageRequest carryIntoNextBook(Application& app) {
    bindProfileSaves(app);
    GameState& g = app.game;
    if (g.character.onBook >= lastBookNumber(app.catalogues))
        return note("Congratulations!", "You have completed the final Greystar adventure!");
    carryHeroIntoNextBook(g.character);
    g.campaign.bookFinished = false;
    const bool saved = saveCampaign(g, app.catalogues, g.campaign.profile);
    if (checkBookStart(app, g.character.onBook) != BookStart::Start) {
        writeResumeNow(app);
        MessageRequest m = note("Need Zip File",
                                "You have not yet downloaded the next book's .zip file.`You can "
                                "attempt to download it now. Your campaign has`been saved and can "
                                "be resumed once the .zip is downloaded.`");
        m.targetWindow = WIN_BOOK_SELECT;
        m.caption1 = "Close";
        m.caption2 = "Download";
        m.id2 = BOOK_CMD_DOWNLOAD;
        app.windowData.selectedBook = g.character.onBook;
        return m;
    }
    setUpBook(app);
    if (!g.rules.allowMidSaves) writeResumeNow(app);
    if (!saved)
        return note("Campaign not saved",
                    "Unable to write campaign save file.`Check for writing privileges.");
    return MessageRequest{};
}

std::string resumeTooltip(Application& app) {
    int book = 0, section = 0;
    const int profile = std::clamp(app.profiles.active, 0, PROFILE_COUNT - 1) + 1;
    if (!peekResumePosition(profile, app.catalogues, book, section))
        return "Pick up where you last left off`(your save file cannot be read: it is kept, and "
               "your campaign goes on from the start of its book)";
    const BookEntry* entry = findBook(app.catalogues, book);
    return "Pick up where you last left off`(Book " + std::to_string(book) +
           (entry ? ": " + entry->title : std::string()) + ", section " + std::to_string(section) +
           ")";
}

int consoleHallOfFame(Application& app) {
    return qualifyForHallOfFame(app.game.character, app.game.rules);
}

void printRecordOfSave(Application& app, DataFile& file) {
    Character c;
    RuleOptions rules;
    readConsoleRecord(file, app.catalogues, c, rules, app.game.random);
    closeFile(file);
    app.game.character = c;
    app.game.rules = rules;
    std::printf("%s", consoleRecordText(c, rules, consoleHallOfFame(app)).c_str());
}
