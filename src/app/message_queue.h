// Messages and prompts for the player. The rules raise them without knowing
// who shows them: the window dispatcher puts them in the message box, the text
// player prints them.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct MessageRequest {
    std::string title;
    std::string text; // back-ticks break lines
    int targetWindow = 0;
    std::string caption1 = "OK";
    int id1 = -1;
    std::string caption2; // empty: a single button
    int id2 = -1;
    // A question with more answers than two buttons: one line each, with the
    // id reported for it (the two captions are then unused).
    std::vector<std::string> choices;
    std::vector<int> choiceIds;
    bool numberEntry = false; // caption1 confirms a number typed by the player
    bool textEntry = false;   // caption1 confirms a line of text
};

struct MessageQueue {
    // Requests not yet shown, oldest first.
    std::deque<MessageRequest> pending;
    // Set by the front end that shows requests at once instead of queueing them.
    std::function<void(const MessageRequest&)> show;
};

// Hands the request to the front end, or queues it when none is listening;
// when the box closes, id1 or id2 (by the button pressed) goes to `targetWindow`.
void showMessage(MessageQueue& queue, const MessageRequest& request);
void showMessage(MessageQueue& queue, const std::string& title, const std::string& text,
                 int targetWindow = 0, const std::string& caption1 = "OK", int id1 = -1,
                 const std::string& caption2 = "", int id2 = -1);
