// The end-of-book summary: what the player is told when a book is finished.
#pragma once

#include <string>

struct Character;

struct BookSummary {
    std::string title = "Congratulations!";
    std::string text;
    bool offerDownload = true; // a next book to go on to (and perhaps download)
};

// `hallOfFame` is qualifyForHallOfFame's result; `finalBook` true after the
// last book of the series; `campaignSaved` whether the campaign was written.
BookSummary endOfBookSummary(const Character& c, const std::string& bookTitle, int hallOfFame,
                             bool finalBook, bool campaignSaved);
