// What the rest of the program asks of the windows: opening and closing by ID,
// the message box and text entry popups, the first profile, and the profile list.
#include "ui/windows.h"

#include "app/application.h"
#include "character/inventory_state.h"
#include "ui/image.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int viewerSlotOf(int id) {
    switch (id) {
    case WIN_ILLUSTRATION:
        return 0;
    case WIN_MAP:
        return 1;
    case WIN_CERTIFICATE:
        return 2;
    default:
        return -1;
    }
}

} // namespace

void logWindowLayout(const GameWindow& w) {
    // End-to-end tests find buttons by their IDs through this log.
    static const char* path = std::getenv("QH_LAYOUT_LOG");
    if (!path || !*path) return;
    FILE* f = std::fopen(path, "a");
    if (!f) return;
    for (const auto& b : w.buttons) {
        SDL_Surface* img = hitImage(*b);
        if (!img || !b->visible) continue;
        std::fprintf(f, "window %d button %d at %d %d\n", w.id, b->id, w.x + b->x + img->w / 2,
                     w.y + b->y + img->h / 2);
    }
    // ...and read what it says.
    for (const auto& b : w.buttons)
        if (b->visible && !b->caption.empty() && b->caption != " ")
            std::fprintf(f, "window %d caption %d %s\n", w.id, b->id, b->caption.c_str());
    std::fclose(f);
}

void openGameWindow(Application& app, int id, int mode, const std::string& argument) {
    const int slot = viewerSlotOf(id);
    if (slot >= 0) app.windowData.windowArgs[slot] = argument;
    if (id == WIN_RULES) app.windowData.rulesTitle = argument;
    openWindow(id, mode, app.windowManager);
    GameWindow* w = findWindow(app.windowManager, id);
    if (w) logWindowLayout(*w);
}

void closeTopGameWindow(Application& app) {
    GameWindow* top = topWindow(app.windowManager);
    if (top) closeWindow(top->id, app.windowManager, 0);
}

void clickWindowButton(Application& app, int windowId, int buttonId) {
    GameWindow* w = findWindow(app.windowManager, windowId);
    if (!w) return;
    Button* b = findButton(*w, buttonId);
    if (!b || !b->enabled || !b->visible) return;
    if (w->onClick) w->onClick(&app, w->id, buttonId);
    if (w->onRefresh) w->onRefresh(&app, w->id);
}

void showNextMessage(Application& app) {
    MessageQueue& q = app.game.messages;
    if (q.pending.empty() || isWindowOpen(app.windowManager, WIN_MESSAGE) ||
        isWindowOpen(app.windowManager, WIN_SELECTION))
        return;
    if (app.textEntry.active) return; // one question at a time
    const MessageRequest front = q.pending.front();
    WindowData& d = app.windowData;
    if (front.targetWindow == RULES_REPLY_TARGET && (front.numberEntry || front.textEntry)) {
        // The rules want a number or a line typed: the entry popup asks.
        q.pending.pop_front();
        std::string prompt = front.title;
        if (!front.text.empty()) prompt += (prompt.empty() ? "" : "`") + front.text;
        d.promptIsText = front.textEntry;
        if (front.textEntry) {
            d.entryText.clear();
            beginTextEntry(app.textEntry, &d.entryText, prompt, nullptr, RULES_REPLY_TARGET,
                           front.id1, true);
        } else {
            d.promptNumber = 0;
            beginNumberEntry(app.textEntry, &d.promptNumber, prompt, -1, false, nullptr,
                             RULES_REPLY_TARGET, front.id1);
        }
        return;
    }
    app.windowData.message = front;
    q.pending.pop_front();
    app.windowData.messageResult = -1;
    if (const char* log = std::getenv("QH_LAYOUT_LOG"); log && *log) {
        // End-to-end tests read what the player was told.
        if (FILE* f = std::fopen(log, "a")) {
            std::fprintf(f, "message %s|%s\n", front.title.c_str(), front.text.c_str());
            std::fclose(f);
        }
    }
    if (front.choices.size() > 2) {
        // More answers than the message box has buttons: the selection list.
        app.windowData.selectionPage = 0;
        app.windowData.selectionResult = -1;
        openGameWindow(app, WIN_SELECTION, 2);
        return;
    }
    openGameWindow(app, WIN_MESSAGE, 2);
}

void installWindowDispatch(Application& app) {
    Application* a = &app;
    app.game.messages.show = [a](const MessageRequest& r) {
        a->game.messages.pending.push_back(r);
        showNextMessage(*a);
    };
    app.textEntry.showPopup = [a](TextEntry&) { openGameWindow(*a, WIN_TEXT_ENTRY, 2); };
    app.textEntry.reportCommit = [a](int window, int id) { windowClick(a, window, id); };
    // Requests made before the windows existed are shown now.
    showNextMessage(app);
}

bool anyProfileExists(const Application& app) {
    return firstNamedProfile(app.profiles) >= 0;
}

std::vector<int> knownAwardIds(const Application& app) {
    return awardIds(app.catalogues.awards);
}

void startFirstProfile(Application& app) {
    app.profiles.active = 0;
    Profile& p = app.profiles.slots[0];
    clearProfile(p, knownAwardIds(app));
    p.name = "Greystar";
    if (!app.avatarNames.empty()) p.avatar = app.avatarNames.front();
    // The entry starts empty: an empty answer keeps "Greystar".
    app.windowData.entryText.clear();
    app.windowData.firstProfilePending = true;
    beginTextEntry(app.textEntry, &app.windowData.entryText, "Please type a name for your profile",
                   nullptr, WIN_PLACEHOLDER, FIRST_PROFILE_NAME_COMMAND, true);
}

void saveAllProfiles(Application& app) {
    saveProfiles(app.profiles, app.paths);
}

void postQuitEvent() {
    SDL_Event quit;
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

void openInBrowser(const std::string& address) {
    if (address.empty()) return;
    // The address goes to the browser as one argument, never through a shell.
    pid_t child = fork();
    if (child == 0) {
        if (fork() == 0) {
            execlp("xdg-open", "xdg-open", address.c_str(), static_cast<char*>(nullptr));
        }
        _exit(0);
    }
    if (child > 0) waitpid(child, nullptr, 0);
}

SDL_Surface* mapPicture(Application& app, const std::string& number) {
    const std::string folder =
        "/data/books/book" + std::to_string(std::max(1, app.game.character.onBook));
    SDL_Surface* image = loadImage(folder, "map" + number);
    if (!isPlaceholder(image)) return image;
    SDL_FreeSurface(image);
    return loadImage(folder, "map");
}
