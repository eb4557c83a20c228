#include "app/game_state.h"
#include "book/random_table_pending.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

namespace {
int g_saves = 0;
bool g_saveOk = true;
bool countingSave(GameState&, int) {
    ++g_saves;
    return g_saveOk;
}
} // namespace

TEST_F(VfsTest, PendingResultLivesFromDrawToResumeSave) {
    GameState g;
    g.character.onBook = 2;
    g.character.onSection = 140;
    seedRandom(g.random, 12345, 7);
    ASSERT_TRUE(writePendingResult(3, g, PENDING_COMBAT));
    EXPECT_FALSE(readRealFile(userFile("data/misc/result3.dat")).empty());
    PendingResult p;
    ASSERT_TRUE(readPendingResult(3, p));
    EXPECT_EQ(p.kind, "COMBAT");
    EXPECT_EQ(p.book, 2);
    EXPECT_EQ(p.section, 140);
    EXPECT_EQ(p.seed, 12345);
    EXPECT_EQ(p.draws, 7);

    // A failed resume save keeps the marker.
    setResumeSaveHook(countingSave);
    g_saveOk = false;
    drawResolved(g, 3);
    EXPECT_TRUE(pendingResultExists(3));
    g_saveOk = true;
    drawResolved(g, 3);
    EXPECT_EQ(g_saves, 2);
    EXPECT_FALSE(pendingResultExists(3));
    // Saving by hand: no resume save, the marker still goes.
    writePendingResult(3, g, PENDING_PICK);
    g.rules.allowMidSaves = true;
    drawResolved(g, 3);
    EXPECT_EQ(g_saves, 2);
    EXPECT_FALSE(pendingResultExists(3));
    setResumeSaveHook(nullptr);
    EXPECT_FALSE(readPendingResult(3, p));
}
