#include "ui/text_entry.h"

#include "fs/data_file.h"
#include "ui/button.h"

#include <SDL/SDL.h>

namespace {

void turnUnicode(TextEntry& e, bool on) {
    if (e.setUnicode)
        e.setUnicode(on);
    else
        SDL_EnableUNICODE(on ? 1 : 0);
}

void start(TextEntry& e, const std::string& prompt, Button* button, int window, int id) {
    std::function<void(TextEntry&)> show = e.showPopup;
    std::function<void(int, int)> report = e.reportCommit;
    std::function<void(bool)> unicode = e.setUnicode;
    if (e.active && e.button) e.button->awaitingEntry = false; // one entry at a time
    e = TextEntry{};
    e.showPopup = show;
    e.reportCommit = report;
    e.setUnicode = unicode;
    e.prompt = prompt;
    e.button = button;
    if (button) {
        button->awaitingEntry = true;
    } else {
        e.callbackWindow = window;
        e.callbackId = id;
    }
}

void open(TextEntry& e) {
    e.active = true;
    turnUnicode(e, true);
    if (e.showPopup) e.showPopup(e);
}

// The number rules after every key: the limit, then the canonical decimal form.
void normaliseNumber(TextEntry& e) {
    long long v = parseInt(e.text);
    if (e.limit >= 0 && v > e.limit) v = e.limit;
    if (!e.allowNegative && v < 0) v = 0;
    e.text = std::to_string(v);
}

} // namespace

void beginNumberEntry(TextEntry& e, int* target, const std::string& prompt, int limit,
                      bool allowNegative, Button* button, int callbackWindow, int callbackId) {
    start(e, prompt, button, callbackWindow, callbackId);
    e.numeric = true;
    e.targetNumber = target;
    e.limit = limit < 0 ? -1 : limit;
    e.allowNegative = allowNegative;
    int value = target ? *target : 0;
    e.text = (value < 0 && !allowNegative) ? "0" : std::to_string(value);
    open(e);
}

void beginTextEntry(TextEntry& e, std::string* target, const std::string& prompt, Button* button,
                    int callbackWindow, int callbackId, bool forbidBacktick) {
    start(e, prompt, button, callbackWindow, callbackId);
    e.targetText = target;
    e.forbidBacktick = forbidBacktick;
    e.text = target ? *target : "";
    if (e.text.size() > MAX_ENTRY_LENGTH) e.text.resize(MAX_ENTRY_LENGTH);
    open(e);
}

EntryKey entryKey(TextEntry& e, int sym, int unicode) {
    if (!e.active) return EntryKey::Ignored;
    if (sym == SDLK_ESCAPE) {
        closeEntry(e, false);
        return EntryKey::Cancelled;
    }
    if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) {
        closeEntry(e, true);
        return EntryKey::Committed;
    }
    EntryKey result = EntryKey::Typed;
    if (sym == SDLK_DELETE) {
        e.text.clear();
    } else if (sym == SDLK_BACKSPACE) {
        if (!e.text.empty()) e.text.pop_back();
    } else if (unicode >= 32 && unicode <= 126) {
        char c = static_cast<char>(unicode);
        if (e.numeric) {
            if (c == '-') {
                if (e.allowNegative) {
                    long long v = -static_cast<long long>(parseInt(e.text));
                    e.text = std::to_string(v);
                }
            } else if (c >= '0' && c <= '9') {
                e.text += c;
            } else {
                result = EntryKey::Ignored;
            }
        } else if ((c == '`' && e.forbidBacktick) || e.text.size() >= MAX_ENTRY_LENGTH) {
            result = EntryKey::Ignored;
        } else {
            e.text += c;
        }
    } else {
        result = EntryKey::Ignored;
    }
    if (e.numeric) normaliseNumber(e);
    return result;
}

void closeEntry(TextEntry& e, bool commit) {
    if (!e.active) return;
    e.active = false;
    if (commit) {
        if (e.numeric && e.targetNumber) *e.targetNumber = parseInt(e.text);
        if (!e.numeric && e.targetText) *e.targetText = e.text;
    }
    turnUnicode(e, false);
    if (e.button) {
        Button* b = e.button;
        e.button = nullptr;
        b->awaitingEntry = false;
        b->runEffects();
    } else if (commit && e.reportCommit) {
        e.reportCommit(e.callbackWindow, e.callbackId);
    }
}
