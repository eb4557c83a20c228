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
    MessageRequest r;
    r.title = title;
    r.text = text;
    r.targetWindow = targetWindow;
    r.caption1 = caption1;
    r.id1 = id1;
    r.caption2 = caption2;
    r.id2 = id2;
    showMessage(queue, r);
}
