#include "support/test_env.h"
#include "ui/window_manager.h"

#include <vector>

namespace {

std::vector<int> g_closed;
int g_refreshes = 0;

bool countRefresh(Application*, int) {
    ++g_refreshes;
    return true;
}
void recordClosed(Application*, int id) {
    g_closed.push_back(id);
}

GameWindow& addWindow(WindowManager& m, int id, int w, int h) {
    auto win = std::make_unique<GameWindow>();
    win->id = id;
    win->width = w;
    win->height = h;
    SDL_Rect r = restingPosition(w, h, m.screenWidth, m.screenHeight, false);
    win->x = r.x;
    win->y = r.y;
    win->onRefresh = countRefresh;
    win->onClosed = recordClosed;
    m.table.push_back(std::move(win));
    return *m.table.back();
}

WindowManager makeManager() {
    WindowManager m;
    m.screenWidth = 649;
    m.screenHeight = 649;
    addWindow(m, 0, 400, 300);
    addWindow(m, 10, 400, 300);
    addWindow(m, 12, 500, 400);
    addWindow(m, 4, 300, 200);
    g_closed.clear();
    g_refreshes = 0;
    return m;
}

} // namespace

TEST(WindowManager, RestingPositions) {
    SDL_Rect title = restingPosition(400, 300, 649, 649, false);
    EXPECT_EQ(title.x, 124);
    EXPECT_EQ(title.y, 649 * 7 / 10 - 150);
    SDL_Rect play = restingPosition(400, 301, 1280, 1024, true);
    EXPECT_EQ(play.x, 440);
    EXPECT_EQ(play.y, (1024 - 301) / 2);
}

TEST(WindowManager, OpensWithASlideAndSettlesAfterHalfASecond) {
    WindowManager m = makeManager();
    EXPECT_TRUE(openWindow(0, 0, m));
    GameWindow* w = findWindow(m, 0);
    EXPECT_EQ(w->state, WINDOW_OPENING);
    EXPECT_EQ(w->openMode, 2);
    EXPECT_EQ(g_refreshes, 1);
    EXPECT_TRUE(windowsAnimating(m));
    advanceWindows(m, 499);
    EXPECT_EQ(w->state, WINDOW_OPENING);
    advanceWindows(m, 1);
    EXPECT_EQ(w->state, WINDOW_OPEN);
    EXPECT_FALSE(windowsAnimating(m));
    // Opening it again while open changes nothing.
    EXPECT_FALSE(openWindow(0, 2, m));
    EXPECT_EQ(m.openStack.size(), 1u);
}

TEST(WindowManager, AWindowReplacingAnotherAtTheSamePlaceAppearsAtOnce) {
    WindowManager m = makeManager();
    openWindow(0, 2, m);
    advanceWindows(m, 500);
    openWindow(10, 2, m);
    EXPECT_EQ(findWindow(m, 10)->state, WINDOW_OPEN);
    EXPECT_TRUE(isCovered(m, 0));
    // A different size slides as asked.
    openWindow(12, 8, m);
    EXPECT_EQ(findWindow(m, 12)->state, WINDOW_OPENING);
    EXPECT_FALSE(isCovered(m, 1));
}

TEST(WindowManager, ClosingTheTopLeavesTheOneBelow) {
    WindowManager m = makeManager();
    openWindow(10, 2, m);
    openWindow(12, 2, m);
    advanceWindows(m, 500);
    closeWindow(12, m, 0);
    GameWindow* w = findWindow(m, 12);
    EXPECT_EQ(w->state, WINDOW_CLOSING);
    EXPECT_FALSE(w->active);
    // A second close request while closing is ignored.
    closeWindow(12, m, 5);
    EXPECT_EQ(w->animTime, 0);
    advanceWindows(m, 500);
    ASSERT_EQ(m.openStack.size(), 1u);
    EXPECT_EQ(m.openStack[0]->id, 10);
    EXPECT_EQ(g_closed, std::vector<int>{12});
    EXPECT_FALSE(w->shown);
}

TEST(WindowManager, ModeFiveClosesOnTheNextFrame) {
    WindowManager m = makeManager();
    openWindow(4, 5, m);
    EXPECT_EQ(findWindow(m, 4)->state, WINDOW_OPEN);
    closeWindow(4, m, 5);
    advanceWindows(m, 0);
    EXPECT_TRUE(m.openStack.empty());
    EXPECT_EQ(g_closed, std::vector<int>{4});
    // Closing what is not open is ignored.
    closeWindow(4, m, 0);
    closeWindow(77, m, 0);
}

TEST(WindowManager, SlideFollowsASineEase) {
    WindowManager m = makeManager();
    GameWindow& w = *findWindow(m, 0);
    SDL_Rect start = slidePosition(w, 2, 0.0f, true, 649, 649);
    SDL_Rect end = slidePosition(w, 2, 1.0f, true, 649, 649);
    EXPECT_EQ(start.y, 649);
    EXPECT_EQ(end.y, w.y);
    EXPECT_EQ(start.x, w.x);
    SDL_Rect half = slidePosition(w, 2, 0.5f, true, 649, 649);
    EXPECT_EQ(half.y, 649 - static_cast<int>(0.70710678 * (649 - w.y)));
    // Closing runs back out; corners move on both axes.
    EXPECT_EQ(slidePosition(w, 2, 1.0f, false, 649, 649).y, 649);
    SDL_Rect corner = slidePosition(w, 7, 0.0f, true, 649, 649);
    EXPECT_EQ(corner.x, -w.width);
    EXPECT_EQ(corner.y, -w.height);
    SDL_Rect right = slidePosition(w, 6, 0.0f, true, 649, 649);
    EXPECT_EQ(right.x, 649);
}

TEST(WindowManager, UnknownIdFindsTheFirstWindow) {
    WindowManager m = makeManager();
    EXPECT_EQ(findWindow(m, 999)->id, 0);
    WindowManager empty;
    EXPECT_EQ(findWindow(empty, 1), nullptr);
    EXPECT_FALSE(openWindow(1, 2, empty));
}

TEST(WindowManager, DuplicateIdsAreReportedPerPairAndOrder) {
    WindowManager m = makeManager();
    addWindow(m, 41, 10, 10);
    addWindow(m, 41, 20, 20);
    testing::internal::CaptureStdout();
    checkWindowTable(m);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "You have menus with identical IDs(ID 41). Not good!\n"
                   "You have menus with identical IDs(ID 41). Not good!\n");
    EXPECT_EQ(findWindow(m, 41)->width, 10);
}
