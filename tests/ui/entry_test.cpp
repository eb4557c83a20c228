#include "app/application.h"
#include "ui/button.h"
#include "ui/message.h"
#include "ui/text_entry.h"

#include <gtest/gtest.h>

#include <SDL/SDL.h>

namespace {

struct EntryTest : ::testing::Test {
    void SetUp() override {
        entry.setUnicode = [this](bool on) { unicode = on; };
        entry.showPopup = [this](TextEntry&) { ++popups; };
        entry.reportCommit = [this](int w, int id) {
            reportedWindow = w;
            reportedId = id;
        };
    }
    void type(const std::string& keys) {
        for (char c : keys)
            entryKey(entry, c, c);
    }
    TextEntry entry;
    bool unicode = false;
    int popups = 0, reportedWindow = -1, reportedId = -1;
};

struct RunCounter : Button {
    int runs = 0;
    void runEffects() override { ++runs; }
};

} // namespace

TEST_F(EntryTest, NumberWithLimitFiftyClampsAndIgnoresMinus) {
    int value = 0;
    beginNumberEntry(entry, &value, "How many?", 50, false, nullptr, 6, 1001);
    EXPECT_TRUE(entry.active);
    EXPECT_TRUE(unicode);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(entry.text, "0");
    type("7");
    EXPECT_EQ(entry.text, "7");
    type("3");
    EXPECT_EQ(entry.text, "50");
    type("-");
    EXPECT_EQ(entry.text, "50");
    type("x!");
    EXPECT_EQ(entry.text, "50");
    entryKey(entry, SDLK_BACKSPACE, 8);
    EXPECT_EQ(entry.text, "5");
    entryKey(entry, SDLK_BACKSPACE, 8);
    EXPECT_EQ(entry.text, "0"); // an empty number reads 0
    type("12");
    entryKey(entry, SDLK_DELETE, 127);
    EXPECT_EQ(entry.text, "0");
    type("9");
    EXPECT_EQ(entryKey(entry, SDLK_RETURN, 13), EntryKey::Committed);
    EXPECT_EQ(value, 9);
    EXPECT_FALSE(entry.active);
    EXPECT_FALSE(unicode);
    EXPECT_EQ(reportedWindow, 6);
    EXPECT_EQ(reportedId, 1001);
}

TEST_F(EntryTest, NegativesWhenAllowedAndNegativeStartWhenNot) {
    int value = -7;
    beginNumberEntry(entry, &value, "", -1, false, nullptr);
    EXPECT_EQ(entry.text, "0");
    beginNumberEntry(entry, &value, "", -1, true, nullptr);
    EXPECT_EQ(entry.text, "-7");
    type("-");
    EXPECT_EQ(entry.text, "7");
    type("-");
    EXPECT_EQ(entry.text, "-7");
    type("99999999999"); // saturates instead of overflowing
    EXPECT_EQ(entry.text, "-2147483648");
    entryKey(entry, SDLK_ESCAPE, 27);
    EXPECT_EQ(value, -7);      // Escape changes nothing
    EXPECT_EQ(reportedId, -1); // and reports nothing
}

TEST_F(EntryTest, TextWithForbiddenBackTickAcceptsEveryOtherPrintable) {
    std::string name = "Grey";
    beginTextEntry(entry, &name, "Name?", nullptr, 7, 3, true);
    EXPECT_EQ(entry.text, "Grey");
    std::string all;
    for (int c = 32; c <= 126; ++c)
        if (c != '`') all += static_cast<char>(c);
    entryKey(entry, SDLK_BACKQUOTE, '`');
    for (int c = 32; c <= 126; ++c)
        entryKey(entry, c, c);
    entryKey(entry, SDLK_F1, 0);
    entryKey(entry, 200, 200); // beyond the printable range
    EXPECT_EQ(entry.text, "Grey" + all);
    entryKey(entry, SDLK_RETURN, 13);
    EXPECT_EQ(name, "Grey" + all);

    std::string note;
    beginTextEntry(entry, &note, "", nullptr, 1, 2, false);
    type("a`b");
    entryKey(entry, SDLK_KP_ENTER, 13);
    EXPECT_EQ(note, "a`b");
}

TEST_F(EntryTest, TextIsBoundedInLength) {
    std::string s;
    beginTextEntry(entry, &s, "", nullptr);
    type(std::string(500, 'x'));
    EXPECT_EQ(entry.text.size(), MAX_ENTRY_LENGTH);
}

TEST_F(EntryTest, ButtonStartedEntryRunsTheButtonWhenClosed) {
    RunCounter b;
    int value = 3;
    beginNumberEntry(entry, &value, "", 10, false, &b);
    EXPECT_TRUE(b.awaitingEntry);
    type("1");
    entryKey(entry, SDLK_RETURN, 13);
    EXPECT_EQ(value, 10);
    EXPECT_FALSE(b.awaitingEntry);
    EXPECT_EQ(b.runs, 1);
    EXPECT_EQ(reportedWindow, -1); // buttons are not reported to a window

    // A new entry while one is open replaces it and frees the first button.
    RunCounter other;
    beginNumberEntry(entry, &value, "", 10, false, &b);
    beginNumberEntry(entry, &value, "", 10, false, &other);
    EXPECT_FALSE(b.awaitingEntry);
    EXPECT_TRUE(other.awaitingEntry);
    EXPECT_EQ(entryKey(entry, SDLK_ESCAPE, 27), EntryKey::Cancelled);
    EXPECT_EQ(other.runs, 1);
    EXPECT_EQ(entryKey(entry, 'a', 'a'), EntryKey::Ignored); // closed
}

TEST(Message, RequestsAreQueuedOrHandedToTheDispatcher) {
    Application app;
    theApp = &app;
    showMessage("Progress Saved!", "All is`well", 42, "OK", 1);
    ASSERT_EQ(app.game.messages.pending.size(), 1u);
    EXPECT_EQ(app.game.messages.pending[0].title, "Progress Saved!");
    EXPECT_EQ(app.game.messages.pending[0].targetWindow, 42);
    EXPECT_EQ(app.game.messages.pending[0].caption2, "");
    std::vector<MessageRequest> shown;
    app.game.messages.show = [&](const MessageRequest& r) { shown.push_back(r); };
    showMessage("Q", "Sure?", 7, "Yes", 1, "No", 2);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].id2, 2);
    EXPECT_EQ(app.game.messages.pending.size(), 1u);
    theApp = nullptr;
}
