#include "awards/award_summary.h"

#include "character/character.h"

BookSummary endOfBookSummary(const Character& c, const std::string& bookTitle, int hallOfFame,
                             bool finalBook, bool campaignSaved) {
    BookSummary s;
    s.text = "You have completed Book " + std::to_string(c.onBook) + ": " + bookTitle + "!";
    if (c.restarts == 0) s.text += "`No deaths/restarts - Special props to you!";
    if (hallOfFame == 1) s.text += "``(You have qualified to be in the By-the-Book Hall of Fame!";
    if (hallOfFame == 2) s.text += "``(You have qualified to be in the Hardcore Hall of Fame!";
    if (campaignSaved) s.text += "``Campaign Saved...";
    if (finalBook) {
        s.text += "``You have completed the final Greystar adventure!";
        s.offerDownload = false;
    }
    return s;
}
