#include "app/message_queue.h"

void showMessage(MessageQueue& queue, const MessageRequest& request) {
    if (queue.show)
        queue.show(request);
    else
        queue.pending.push_back(request);
}

void showMessage(MessageQueue& queue, const std::string& title, const std::string& text,
                 int targetWindow, const std::string& caption1, int id1,
                 const std::string& caption2, int id2) {
    showMessage(queue, MessageRequest{title, text, targetWindow, caption1, id1, caption2, id2});
}
