#include "save/campaign_state.h"

#include "app/game_state.h"

#include <algorithm>

namespace {
// A flag number is a book author's choice; this many are plenty and keep a
// damaged save from growing the list without end.
constexpr int MAX_BOOK_FLAG = 9999;
} // namespace

const BookRecord* findBookRecord(const CampaignState& s, int book) {
    for (const BookRecord& r : s.books)
        if (r.book == book) return &r;
    return nullptr;
}

BookRecord& bookRecord(CampaignState& s, int book) {
    for (BookRecord& r : s.books)
        if (r.book == book) return r;
    s.books.push_back(BookRecord{book, BOOK_PLAYING, {}});
    return s.books.back();
}

bool bookPlayed(const CampaignState& s, int book) {
    return findBookRecord(s, book) != nullptr;
}

bool bookFinished(const CampaignState& s, int book) {
    const BookRecord* r = findBookRecord(s, book);
    return r && r->status == BOOK_FINISHED;
}

bool bookFlag(const GameState& g, int flag) {
    const BookRecord* r = findBookRecord(g.campaign, g.character.onBook);
    return r && std::binary_search(r->flags.begin(), r->flags.end(), flag);
}

void setBookFlag(GameState& g, int flag) {
    if (flag < 0 || flag > MAX_BOOK_FLAG) return;
    std::vector<int>& flags = bookRecord(g.campaign, g.character.onBook).flags;
    auto at = std::lower_bound(flags.begin(), flags.end(), flag);
    if (at == flags.end() || *at != flag) flags.insert(at, flag);
}

void finishBook(GameState& g) {
    g.campaign.bookFinished = true;
    bookRecord(g.campaign, g.character.onBook).status = BOOK_FINISHED;
}

void forgetBooksFrom(CampaignState& s, int book) {
    s.books.erase(std::remove_if(s.books.begin(), s.books.end(),
                                 [book](const BookRecord& r) { return r.book >= book; }),
                  s.books.end());
    s.bookFinished = false;
}
