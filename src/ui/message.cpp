#include "ui/message.h"

#include "app/application.h"

#include <cstdio>

void showMessage(const std::string& title, const std::string& text, int targetWindow,
                 const std::string& caption1, int id1, const std::string& caption2, int id2) {
    if (!theApp) {
        // No application yet (start-up, tools): the player would see nothing else.
        printf("%s: %s\n", title.c_str(), text.c_str());
        return;
    }
    showMessage(theApp->game.messages, title, text, targetWindow, caption1, id1, caption2, id2);
}
