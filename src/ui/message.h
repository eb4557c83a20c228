// Message popups: every part of the program tells the player something by
// asking for the message box with a title, a text and one or two buttons.
// Code that has the game state at hand posts to its queue directly.
#pragma once

#include "app/message_queue.h"

#include <string>

// Posts to the running program's queue; without one (start-up, tools) the
// message goes to standard output.
void showMessage(const std::string& title, const std::string& text, int targetWindow = 0,
                 const std::string& caption1 = "OK", int id1 = -1, const std::string& caption2 = "",
                 int id2 = -1);
