// What the book selection window (15) and the fan-art download (window 14)
// tell the player, kept out of the window handlers so that every outcome can
// be checked without a screen. Handlers show the returned MessageRequest.
#pragma once

#include "book/download.h"
#include "ui/message.h"
#include "ui/window_ids.h"

struct Application;

// Sent back to window 15 by "Download", "Re-download" and "Try Again".
constexpr int BOOK_CMD_DOWNLOAD = 150;
// "Return" and "OK": nothing is sent back.
constexpr int BOOK_CMD_NONE = -1;

enum class BookStart {
    Start,      // the book's pages can be read
    CantPlay,   // books 18 and later
    NeedZip,    // no archive and no unpacked folder
    InvalidZip, // an archive of the wrong size
};

// Whether book `number` can be started, mounting an archive that arrived by
// other means (copied in by the player) when it passes the size check.
BookStart checkBookStart(Application& app, int number);
// The message for a book that cannot start; false for BookStart::Start.
bool bookStartMessage(BookStart start, MessageRequest& message);

// The book download ("Zip", "Download", "Re-download", "Try Again"): fetches
// the archive and mounts it. On failure `failure` holds "Download Failed".
bool runBookDownload(Application& app, int number, MessageRequest& failure);

// The cover download ("Pic"), and the message for each outcome.
CoverOutcome runCoverDownload(Application& app, int number);
MessageRequest coverMessage(CoverOutcome outcome);
// The fan-art download (window 14); false with `failure` set when it failed.
bool runFanArtDownload(Application& app, MessageRequest& failure);
// True when the published version is newer than ours; stores it in the
// application. Fails silently (false) when it cannot be fetched or read.
bool checkForUpdate(Application& app);

// The two lines of window 40 (update available).
std::string currentVersionLine();
std::string publishedVersionLine(const Application& app);
