// The one text entry: a number or a short text typed into a popup. The popup
// itself is a window; this is the entry's state and its key rules.
#pragma once

#include <functional>
#include <string>

struct Button;

// Longest text an entry accepts: profile names and notes, never pages of text.
constexpr size_t MAX_ENTRY_LENGTH = 200;

struct TextEntry {
    bool active = false;
    bool numeric = false;
    int* targetNumber = nullptr;
    std::string* targetText = nullptr;
    std::string prompt;
    int limit = -1; // upper limit of a number; -1 for none
    bool allowNegative = false;
    bool forbidBacktick = false;
    Button* button = nullptr; // the button that started the entry, if any
    int callbackWindow = -1;  // otherwise: whom to report a commit to
    int callbackId = -1;
    std::string text; // what is being typed

    // Asked to show the entry popup (the window dispatcher installs it).
    std::function<void(TextEntry&)> showPopup;
    // Told the two callback ids when an entry started by a screen is committed.
    std::function<void(int window, int id)> reportCommit;
    // Turns the key translation needed for typed characters on and off.
    std::function<void(bool)> setUnicode;
};

void beginNumberEntry(TextEntry& entry, int* target, const std::string& prompt, int limit,
                      bool allowNegative, Button* button, int callbackWindow = -1,
                      int callbackId = -1);
void beginTextEntry(TextEntry& entry, std::string* target, const std::string& prompt,
                    Button* button, int callbackWindow = -1, int callbackId = -1,
                    bool forbidBacktick = false);

enum class EntryKey { Typed, Committed, Cancelled, Ignored };
// One key press: `sym` is the SDL key, `unicode` its translated character (0 when
// none). Return commits and Escape cancels; both close the entry.
EntryKey entryKey(TextEntry& entry, int sym, int unicode);
// Closes the entry: commits the text to the target when asked, then lets the
// starting button run its effects or reports the commit to the screen.
void closeEntry(TextEntry& entry, bool commit);
