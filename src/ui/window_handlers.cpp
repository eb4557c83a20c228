// The three shared window handlers: one switch per handler, one case per window.
// Handlers stay thin: each case calls into whoever owns the rule.
#include "app/application.h"
#include "book/book_flows.h"
#include "book/download.h"
#include "character/inventory.h"
#include "fs/vfs.h"
#include "ui/image.h"
#include "ui/text.h"
#include "ui/window_layout.h"
#include "ui/windows.h"
#include "save/save_flows.h"

#include <algorithm>

// Options windows live in window_handlers_options.cpp.
void optionsClick(Application& app, int windowId, int buttonId);
void optionsRefresh(Application& app, int windowId);
void optionsClosed(Application& app, int windowId);
// The records' windows (37, 39, 44, 45, 46) live in window_handlers_records.cpp.
void selectionRefresh(Application& app, GameWindow& w);
void selectionClick(Application& app, int buttonId);
void selectionClosed(Application& app);
void certificateRefresh(Application& app, GameWindow& w);
void awardsListRefresh(Application& app, GameWindow& w);
void awardsListClick(Application& app, int buttonId);
void awardDetailsRefresh(Application& app, GameWindow& w);
void awardDetailsClick(Application& app, int buttonId);
void awardDetailsClosed(Application& app);
void restartBookRefresh(Application& app, GameWindow& w);
void restartBookClick(Application& app, int buttonId);
// Book selection and rules live in window_handlers_books.cpp.
void bookSelectClick(Application& app, int buttonId);
void bookSelectRefresh(Application& app, GameWindow& w);
void rulesClick(Application& app, int buttonId);
void rulesRefresh(Application& app, GameWindow& w);

namespace {

Profile& activeProfile(Application& app) {
    return app.profiles.slots[std::clamp(app.profiles.active, 0, PROFILE_COUNT - 1)];
}

std::string saveFileName(const char* kind, int slot) {
    return std::string("/data/profiles/") + kind + std::to_string(slot + 1) + ".dat";
}

bool profileHasCampaign(const Application& app) {
    const int slot = app.profiles.active;
    return vfsExists(saveFileName("resume", slot)) || vfsExists(saveFileName("campaign", slot));
}

void setAvatarPicture(Application& app, GameWindow& w, int id, const std::string& avatar,
                      int size) {
    const double s = app.screen.uiScale > 0 ? app.screen.uiScale : 1.0;
    SDL_Surface* image = loadImage("/data/profiles/avatars", avatar.empty() ? "blank" : avatar);
    setPictureImage(w, id, image, static_cast<int>(size * s), static_cast<int>(size * s));
}

// ---- 0: main menu ---------------------------------------------------------------

void mainMenuClick(Application& app, int buttonId) {
    if (app.playing) {
        switch (buttonId) {
        case 1: // restart this book or the campaign
            openGameWindow(app, WIN_RESTART, 2);
            break;
        case 2: // save or load the game in progress
            openGameWindow(app, WIN_SAVE_LOAD, 2);
            break;
        case 3: // quit to the system
            postQuitEvent();
            break;
        case 4: // view the campaign's rules
            openGameWindow(app, WIN_RULES, 2, "View Gameplay Rules");
            break;
        case 5:
            openGameWindow(app, WIN_OPTIONS, 2);
            break;
        case 7: // back to the book
            closeWindow(WIN_MAIN_MENU, app.windowManager, 0);
            break;
        }
        return;
    }
    switch (buttonId) {
    case 1: // resume the campaign of the active profile
        app.game.pendingStart = app.profiles.active + 1;
        app.playing = true;
        break;
    case 2: // a new campaign starts at book 1 unless the player picks another
        app.game.character.onBook = 1;
        if (profileHasCampaign(app))
            showMessage("Overwrite existing campaign?",
                        "Starting a new campaign replaces the one you have saved.", WIN_MAIN_MENU,
                        "Continue", OVERWRITE_CONTINUE_COMMAND, "Cancel", -1);
        else {
            app.windowData.selectedBook = 1;
            openGameWindow(app, WIN_BOOK_SELECT, 2);
        }
        break;
    case OVERWRITE_CONTINUE_COMMAND:
        app.windowData.selectedBook = 1;
        openGameWindow(app, WIN_BOOK_SELECT, 2);
        break;
    case 3:
        openGameWindow(app, WIN_OPTIONS, 2);
        break;
    case 4:
        openGameWindow(app, WIN_PROFILES, 2);
        break;
    case 5:
        openGameWindow(app, WIN_ABOUT, 2);
        break;
    case 7:
        postQuitEvent();
        break;
    }
}

void mainMenuRefresh(Application& app, GameWindow& w) {
    const Profile& p = activeProfile(app);
    setLabelText(app, w, 9, p.name.empty() ? " " : p.name);
    setAvatarPicture(app, w, 6, p.avatar, 120);
    if (app.playing) return;
    const std::string resume = saveFileName("resume", app.profiles.active);
    if (vfsExists(resume))
        setButtonTooltip(w, 1, resumeTooltip(app));
    else
        setButtonTooltip(w, 1,
                         "Pick up where you last left off`(your last save file is missing: a new "
                         "character will be started)");
}

// ---- 1: text entry, 4: message box -------------------------------------------------

void textEntryClick(Application& app, int buttonId) {
    if (buttonId == 3) closeEntry(app.textEntry, true);
    if (buttonId == 4) closeEntry(app.textEntry, false);
    closeWindow(WIN_TEXT_ENTRY, app.windowManager, 0);
}

void textEntryRefresh(Application& app, GameWindow& w) {
    setLabelText(app, w, 2, app.textEntry.prompt.empty() ? " " : app.textEntry.prompt);
    setLabelText(app, w, 5, app.textEntry.text.empty() ? " " : app.textEntry.text);
}

// The title sits at 16 % of the box's height, the text's middle at 47 % and the
// buttons at 82 %: a text of many lines makes the box taller so that none of
// them overlap; a short one gives it back its usual size.
void fitMessageBox(Application& app, GameWindow& w) {
    const double s = app.screen.uiScale > 0 ? app.screen.uiScale : 1.0;
    const int usual = static_cast<int>(MESSAGE_BOX_HEIGHT * s);
    auto heightOf = [&](int id) {
        Button* b = findButton(w, id);
        SDL_Surface* img = b ? hitImage(*b) : nullptr;
        return img ? img->h : 0;
    };
    const int text = heightOf(2), title = heightOf(1), button = heightOf(3);
    const int margin = static_cast<int>(6 * s);
    const int needed = std::max((text + title + 2 * margin) * 100 / 62,
                                (text + button + 2 * margin) * 100 / 70);
    resizeWindow(app, w, w.width, std::max(usual, needed));
}

// Two answers stand at a quarter and three quarters of the width: long
// captions ("Don't Eat - Lose 3 EP") widen the box so that each stays inside
// its half; otherwise the box keeps its usual width.
void fitMessageWidth(Application& app, GameWindow& w, bool twoButtons) {
    const double s = app.screen.uiScale > 0 ? app.screen.uiScale : 1.0;
    const int usual = static_cast<int>(MESSAGE_BOX_WIDTH * s);
    int widest = 0;
    if (twoButtons)
        for (int id : {3, 4})
            if (Button* b = findButton(w, id))
                if (SDL_Surface* img = hitImage(*b)) widest = std::max(widest, img->w);
    const int margin = static_cast<int>(12 * s);
    resizeWindow(app, w, std::max(usual, 2 * (widest + 2 * margin)), w.height);
}

void messageRefresh(Application& app, GameWindow& w) {
    const MessageRequest& m = app.windowData.message;
    setLabelText(app, w, 1, m.title.empty() ? " " : m.title);
    setLabelText(app, w, 3, m.caption1.empty() ? "OK" : m.caption1);
    if (!m.caption2.empty()) setLabelText(app, w, 4, m.caption2);
    fitMessageWidth(app, w, !m.caption2.empty());
    // A long line is broken to fit inside the frame.
    const int inside = w.width > 0 ? w.width * 9 / 10 : 0;
    setLabelText(app, w, 2, m.text.empty() ? " " : fitLines(app.fonts.tip.get(), m.text, inside));
    Button* second = findButton(w, 4);
    Button* first = findButton(w, 3);
    WindowPlacement* p1 = nullptr;
    for (WindowPlacement& p : w.placements)
        if (p.buttonId == 3) p1 = &p;
    if (m.caption2.empty()) {
        if (p1) p1->xPercent = 50;
        if (second) second->visible = false;
    } else {
        if (p1) p1->xPercent = 25;
        if (second) second->visible = true;
    }
    if (first) placeButton(w, *first);
    fitMessageBox(app, w);
}

// ---- 6: first profile name, 7: profiles, 8: avatar ------------------------------------

void firstProfileNamed(Application& app) {
    Profile& p = activeProfile(app);
    const std::string& typed = app.windowData.entryText;
    p.name = typed.empty() ? "Greystar" : typed;
    app.windowData.firstProfilePending = false;
    openGameWindow(app, WIN_AVATAR, 5);
}

int avatarIndexOf(const Application& app, const std::string& avatar) {
    const auto& list = app.avatarNames;
    auto it = std::find(list.begin(), list.end(), avatar);
    return it == list.end() ? 0 : static_cast<int>(it - list.begin());
}

void profilesClick(Application& app, int buttonId) {
    WindowData& d = app.windowData;
    if (buttonId == 90) {
        closeWindow(WIN_PROFILES, app.windowManager, 0);
        return;
    }
    const int slot = buttonId % 10;
    if (slot < 0 || slot >= PROFILE_COUNT) return;
    Profile& p = app.profiles.slots[slot];
    switch (buttonId / 10) {
    case 2: // use, or create when the slot is empty
        if (p.name.empty()) {
            d.profileSlot = slot;
            d.creatingProfile = true;
            d.entryText.clear();
            beginTextEntry(app.textEntry, &d.entryText, "Please type a name for this profile",
                           nullptr, WIN_PROFILES, 100 + slot, true);
        } else {
            app.profiles.active = slot;
            saveAllProfiles(app);
        }
        break;
    case 3: // edit name, then avatar
        if (p.name.empty()) return;
        d.profileSlot = slot;
        d.creatingProfile = false;
        d.entryText = p.name;
        beginTextEntry(app.textEntry, &d.entryText, "Please type a name for this profile", nullptr,
                       WIN_PROFILES, 100 + slot, true);
        break;
    case 4: // erase after asking
        if (p.name.empty()) return;
        d.profileSlot = slot;
        showMessage("Erase profile", "Are you sure you really want to delete this profile?",
                    WIN_PROFILES, "Yes", 200 + slot, "No", -1);
        break;
    case 5: // awards
        if (p.name.empty()) return;
        d.profileSlot = slot;
        d.awardsPage = 0;
        openGameWindow(app, WIN_AWARDS, 2);
        break;
    case 10: { // a name was typed for the slot
        std::string name = d.entryText;
        if (name.empty() && d.creatingProfile) return;
        if (d.creatingProfile) clearProfile(p, knownAwardIds(app));
        if (!name.empty()) p.name = name;
        if (p.avatar.empty() && !app.avatarNames.empty()) p.avatar = app.avatarNames.front();
        app.profiles.active = slot;
        d.creatingProfile = false;
        saveAllProfiles(app);
        openGameWindow(app, WIN_AVATAR, 2);
        break;
    }
    case 20: // confirmed erase
        clearProfile(p, knownAwardIds(app));
        if (app.profiles.active == slot) {
            int other = firstNamedProfile(app.profiles);
            app.profiles.active = other < 0 ? 0 : other;
        }
        saveAllProfiles(app);
        break;
    }
}

void profilesRefresh(Application& app, GameWindow& w) {
    for (int slot = 0; slot < PROFILE_COUNT; ++slot) {
        const Profile& p = app.profiles.slots[slot];
        const bool used = !p.name.empty();
        std::string label = used ? p.name : "(empty)";
        if (used && slot == app.profiles.active) label = "> " + label;
        if (used) {
            const auto earned = std::count_if(p.awards.begin(), p.awards.end(),
                                              [](const AwardEntry& e) { return e.earned; });
            label += "  (" + std::to_string(earned) + (earned == 1 ? " award)" : " awards)");
        }
        setLabelText(app, w, 10 + slot, std::to_string(slot + 1) + ". " + label);
        setLabelText(app, w, 20 + slot, used ? "Use this profile" : "Create profile");
        setChosen(w, 20 + slot, used && slot == app.profiles.active);
        setButtonEnabled(w, 30 + slot, used);
        setButtonEnabled(w, 40 + slot, used);
        setButtonEnabled(w, 50 + slot, used);
    }
}

void avatarClick(Application& app, int buttonId) {
    const int n = static_cast<int>(app.avatarNames.size());
    Profile& p = activeProfile(app);
    int& i = app.windowData.avatarIndex;
    switch (buttonId) {
    case 3: // previous, wrapping round
        if (n > 0) i = (i + n - 1) % n;
        break;
    case 4: // next, wrapping round
        if (n > 0) i = (i + 1) % n;
        break;
    case 6: // accept: straight on to the main menu
        closeWindow(WIN_AVATAR, app.windowManager, 5);
        saveAllProfiles(app);
        openGameWindow(app, WIN_MAIN_MENU, 5);
        return;
    }
    if (n > 0) p.avatar = app.avatarNames[static_cast<size_t>(i)];
}

void avatarRefresh(Application& app, GameWindow& w) {
    Profile& p = activeProfile(app);
    if (p.avatar.empty() && !app.avatarNames.empty()) p.avatar = app.avatarNames.front();
    const std::string name = p.name.empty() ? "Greystar" : p.name;
    setLabelText(app, w, 1, name + ", please choose your avatar");
    app.windowData.avatarIndex = avatarIndexOf(app, p.avatar);
    setAvatarPicture(app, w, 2, p.avatar, 130);
}

// ---- 9: about, 40, 47, 48: start-up notices ----------------------------------------

void aboutClick(Application& app, int buttonId) {
    if (buttonId == 6) closeWindow(WIN_ABOUT, app.windowManager, 0);
    if (buttonId == 7) {
        if (checkForUpdate(app))
            openGameWindow(app, WIN_UPDATE, 2);
        else
            showMessage("No update available", "There is no updated version available yet.",
                        WIN_ABOUT);
    }
}

void noticeClick(Application& app, int windowId, int buttonId) {
    switch (windowId) {
    case WIN_UPDATE:
        if (buttonId != 4) return;
        break;
    case WIN_ASK_UPDATES:
        if (buttonId != 50 && buttonId != 51) return;
        app.settings.autoCheckUpdate = buttonId == 50;
        break;
    case WIN_DONATE:
        if (buttonId == 50) openInBrowser(downloadServers(app.servers).donationUrl);
        break;
    }
    openGameWindow(app, WIN_MAIN_MENU, 2);
    closeWindow(windowId, app.windowManager, 0);
}

// ---- 43: death ------------------------------------------------------------------------

void deathClick(Application& app, int buttonId) {
    switch (buttonId) {
    case 4: // restart, with the restart window's choice for "this book"
        app.windowData.restartChoice = 5;
        openGameWindow(app, WIN_RESTART, 2);
        break;
    case 5: // as the load button of window 42
        windowClick(&app, WIN_SAVE_LOAD, 4);
        break;
    case 6: // as "Quit to system" of the main menu
        postQuitEvent();
        break;
    }
}

void deathRefresh(Application& app, GameWindow& w) {
    const BookEntry* book = findBook(app.catalogues, app.game.character.onBook);
    // A lament runs longer than the window is wide: break it at spaces.
    std::string lament = book && !book->lament.empty() ? book->lament : " ";
    for (size_t start = 0, at; lament.size() - start > 38; start = at + 1) {
        at = lament.rfind(' ', start + 38);
        if (at == std::string::npos || at <= start) break;
        lament[at] = '`';
    }
    setLabelText(app, w, 2, lament);
    setButtonEnabled(w, 5, app.game.rules.allowMidSaves);
}

// Viewers (5, 38, 39) show the argument they were opened with.
void viewerRefresh(Application& app, GameWindow& w, int slot) {
    const std::string& arg = app.windowData.windowArgs[slot];
    SDL_Surface* screen = app.screen.surface;
    const int sw = screen ? screen->w : 800, sh = screen ? screen->h : 600;
    SDL_Surface* image = w.id == WIN_MAP ? mapPicture(app, arg) : loadImage("", arg);
    setPictureImage(w, 2, image, static_cast<int>(sw * 0.75), static_cast<int>(sh * 0.72));
}

int viewerSlot(int windowId) {
    return windowId == WIN_ILLUSTRATION ? 0 : windowId == WIN_MAP ? 1 : 2;
}

} // namespace

void windowClick(Application* appPtr, int windowId, int buttonId) {
    if (!appPtr) return;
    Application& app = *appPtr;
    switch (windowId) {
    case WIN_MAIN_MENU:
        mainMenuClick(app, buttonId);
        break;
    case WIN_TEXT_ENTRY:
        textEntryClick(app, buttonId);
        break;
    case WIN_MESSAGE: // either button records its result and closes the box
        if (buttonId == 3 || buttonId == 4) {
            app.windowData.messageResult = buttonId - 3;
            closeWindow(WIN_MESSAGE, app.windowManager, 0);
        }
        break;
    case WIN_ILLUSTRATION:
    case WIN_MAP:
    case WIN_CERTIFICATE: // any click closes a viewer
        closeWindow(windowId, app.windowManager, 0);
        break;
    case WIN_SELECTION: // a choice of a list of answers
        selectionClick(app, buttonId);
        break;
    case WIN_AWARD_DETAILS: // hint paging
        awardDetailsClick(app, buttonId);
        break;
    case WIN_RESTART_BOOK: // the book a restart goes back to
        restartBookClick(app, buttonId);
        break;
    case WIN_PLACEHOLDER: // the first profile's name has been typed
        if (buttonId == FIRST_PROFILE_NAME_COMMAND) firstProfileNamed(app);
        break;
    case WIN_PROFILES:
        profilesClick(app, buttonId);
        break;
    case WIN_AVATAR:
        avatarClick(app, buttonId);
        break;
    case WIN_ABOUT:
        aboutClick(app, buttonId);
        break;
    case WIN_OPTIONS:
    case WIN_VIDEO:
    case WIN_FONTS:
    case WIN_APPEARANCE:
    case WIN_MISC:
        optionsClick(app, windowId, buttonId);
        break;
    case WIN_UPDATE:
    case WIN_ASK_UPDATES:
    case WIN_DONATE:
        noticeClick(app, windowId, buttonId);
        break;
    case WIN_DEATH:
        deathClick(app, buttonId);
        break;
    case WIN_BOOK_SELECT:
        bookSelectClick(app, buttonId);
        break;
    case WIN_RULES:
        rulesClick(app, buttonId);
        break;
    case WIN_AWARDS: // the list of awards: a row opens its details
        awardsListClick(app, buttonId);
        break;
    case WIN_SAVE_LOAD:
        if (buttonId == 3) showMessage(app.game.messages, saveByHand(app));
        if (buttonId == 4) showMessage(app.game.messages, loadByHand(app));
        if (buttonId == 90) closeWindow(windowId, app.windowManager, 0);
        break;
    case WIN_RESTART:
        if (buttonId == 3) showMessage(app.game.messages, restartCurrentBook(app));
        if (buttonId == 4) openGameWindow(app, WIN_RESTART_BOOK, 2);
        if (buttonId == 5)
            showMessage("Overwrite existing campaign?",
                        "Starting over replaces the campaign you have saved.", WIN_RESTART,
                        "Continue", RESTART_OVER_COMMAND, "Cancel", -1);
        if (buttonId == RESTART_OVER_COMMAND) startOverFromScratch(app);
        if (buttonId == 90) closeWindow(windowId, app.windowManager, 0);
        break;
    case RULES_REPLY_TARGET: // the answer to a question of the rules
        if (app.windowData.promptIsText)
            answerPromptText(app.game, buttonId, app.windowData.entryText);
        else
            answerPrompt(app.game, app.catalogues, buttonId, app.windowData.promptNumber);
        app.windowData.promptNumber = 0;
        app.windowData.promptIsText = false;
        break;
    default: // windows whose contents come later close with their one button
        if (buttonId == 90) closeWindow(windowId, app.windowManager, 0);
        break;
    }
}

bool windowRefresh(Application* appPtr, int windowId) {
    if (!appPtr) return false;
    Application& app = *appPtr;
    GameWindow* w = findWindow(app.windowManager, windowId);
    if (!w) return false;
    switch (windowId) {
    case WIN_MAIN_MENU:
        mainMenuRefresh(app, *w);
        break;
    case WIN_TEXT_ENTRY:
        textEntryRefresh(app, *w);
        break;
    case WIN_MESSAGE:
        messageRefresh(app, *w);
        break;
    case WIN_ILLUSTRATION:
    case WIN_MAP:
        viewerRefresh(app, *w, viewerSlot(windowId));
        break;
    case WIN_CERTIFICATE:
        certificateRefresh(app, *w);
        break;
    case WIN_SELECTION:
        selectionRefresh(app, *w);
        break;
    case WIN_AWARD_DETAILS:
        awardDetailsRefresh(app, *w);
        break;
    case WIN_RESTART_BOOK:
        restartBookRefresh(app, *w);
        break;
    case WIN_PROFILES:
        profilesRefresh(app, *w);
        break;
    case WIN_AVATAR:
        avatarRefresh(app, *w);
        break;
    case WIN_OPTIONS:
    case WIN_VIDEO:
    case WIN_FONTS:
    case WIN_APPEARANCE:
    case WIN_MISC:
        optionsRefresh(app, windowId);
        break;
    case WIN_UPDATE:
        setLabelText(app, *w, 2, currentVersionLine() + "`" + publishedVersionLine(app));
        break;
    case WIN_DEATH:
        deathRefresh(app, *w);
        break;
    case WIN_AWARDS:
        awardsListRefresh(app, *w);
        break;
    case WIN_BOOK_SELECT:
        bookSelectRefresh(app, *w);
        break;
    case WIN_RULES:
        rulesRefresh(app, *w);
        break;
    }
    return true;
}

void windowClosed(Application* appPtr, int windowId) {
    if (!appPtr) return;
    Application& app = *appPtr;
    WindowData& d = app.windowData;
    switch (windowId) {
    case WIN_TEXT_ENTRY: // the entry goes with its popup
        if (app.textEntry.active) closeEntry(app.textEntry, false);
        // The very first profile is never left without a name.
        if (d.firstProfilePending) firstProfileNamed(app);
        showNextMessage(app); // questions waiting behind the entry
        break;
    case WIN_MESSAGE: { // the answer goes to the window that asked
        const MessageRequest m = d.message;
        const int result = d.messageResult;
        d.messageResult = -1;
        const int id = result == 0 ? m.id1 : result == 1 ? m.id2 : -1;
        if (id >= 0) windowClick(&app, m.targetWindow, id);
        showNextMessage(app);
        break;
    }
    case WIN_ILLUSTRATION:
    case WIN_MAP:
    case WIN_CERTIFICATE: {
        const int slot = viewerSlot(windowId);
        d.windowArgs[slot].clear();
        app.game.pendingWindowArgs[slot].clear();
        GameWindow* w = findWindow(app.windowManager, windowId);
        if (w && w->id == windowId) {
            Button* picture = findButton(*w, 2);
            if (picture && windowId != WIN_CERTIFICATE) setPicture(*picture, "", nullptr);
        }
        break;
    }
    case WIN_PROFILES: // never leave the menus without an active profile
        if (app.profiles.slots[app.profiles.active].name.empty()) {
            int first = firstNamedProfile(app.profiles);
            if (first >= 0) app.profiles.active = first;
        }
        if (isWindowOpen(app.windowManager, WIN_MAIN_MENU)) windowRefresh(&app, WIN_MAIN_MENU);
        break;
    case WIN_AVATAR:
        if (isWindowOpen(app.windowManager, WIN_PROFILES)) windowRefresh(&app, WIN_PROFILES);
        if (isWindowOpen(app.windowManager, WIN_MAIN_MENU)) windowRefresh(&app, WIN_MAIN_MENU);
        break;
    case WIN_FONTS:
    case WIN_APPEARANCE:
        optionsClosed(app, windowId);
        break;
    case WIN_RESTART:
        d.restartChoice = 5;
        break;
    case WIN_SELECTION:
        selectionClosed(app);
        break;
    case WIN_AWARD_DETAILS: // resets the award page
        awardDetailsClosed(app);
        break;
    case WIN_DEATH: // not again until another section has loaded
        app.game.firstPageLoaded = false;
        break;
    case WIN_ASK_UPDATES:
        app.settings.shownAutoUpdateChoice = true;
        break;
    }
}
