#include "app/application.h"
#include "app/intro.h"
#include "fs/vfs.h"
#include "support/test_env.h"

#include <SDL/SDL.h>

class ProgressBoardTest : public VfsTest {};

TEST_F(ProgressBoardTest, HugeNumbersAreHeldAtTheRectangleLimits) {
    Application app;
    app.screen.uiScale = 2.0f;
    vfsWriteAll("data/misc/pb1.txt", "board 2147483647 -2147483647 2147483647 -5\r\n");
    loadProgressBar(app);
    EXPECT_EQ(app.progressBar.rect.x, 32767);
    EXPECT_EQ(app.progressBar.rect.y, -32768);
    EXPECT_EQ(app.progressBar.rect.w, 65535);
    EXPECT_EQ(app.progressBar.rect.h, 0);

    vfsWriteAll("data/misc/pb1.txt", "board 10 20 30 40\r\n");
    loadProgressBar(app);
    EXPECT_EQ(app.progressBar.rect.x, 20);
    EXPECT_EQ(app.progressBar.rect.h, 80);
    if (app.progressBar.image) SDL_FreeSurface(app.progressBar.image);
    app.progressBar.image = nullptr;
}
