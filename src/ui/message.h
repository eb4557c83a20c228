// Message popups: every part of the program tells the player something by
// asking for the message box with a title, a text and one or two buttons.
#pragma once

#include <deque>
#include <functional>
#include <string>

struct MessageRequest {
    std::string title;
    std::string text; // back-ticks break lines
    int targetWindow = 0;
    std::string caption1 = "OK";
    int id1 = -1;
    std::string caption2; // empty: a single button
    int id2 = -1;
};

struct MessageQueue {
    // Requests not yet shown, oldest first.
    std::deque<MessageRequest> pending;
    // Set by the window dispatcher: shows a request at once instead of queueing it.
    std::function<void(const MessageRequest&)> show;
};

// Asks for the message box; when it closes, id1 or id2 (by the button pressed)
// is sent to `targetWindow`.
void showMessage(const std::string& title, const std::string& text, int targetWindow = 0,
                 const std::string& caption1 = "OK", int id1 = -1, const std::string& caption2 = "",
                 int id2 = -1);
void showMessage(MessageQueue& queue, const MessageRequest& request);
