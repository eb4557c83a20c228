#include "ui/frame.h"
#include "ui/image.h"
#include "ui/skin.h"
#include "ui_fixture.h"

namespace {

class SkinTest : public UiTest {
  protected:
    void writeImage(const std::string& rel, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
        SDL_Surface* s = filledSurface(w, h, r, g, b);
        saveImage(s, rel);
        SDL_FreeSurface(s);
    }
    // Frame pieces told apart by colour: corners 8 x 8, edges 8 thick.
    FramePieces makePieces() {
        FramePieces p;
        auto piece = [](int w, int h, Uint8 r, Uint8 g, Uint8 b) {
            return shareSurface(filledSurface(w, h, r, g, b));
        };
        p.piece[PIECE_CORNER_TL] = piece(8, 8, 255, 0, 0);
        p.piece[PIECE_CORNER_TR] = piece(8, 8, 0, 255, 0);
        p.piece[PIECE_CORNER_BL] = piece(8, 8, 0, 0, 255);
        p.piece[PIECE_CORNER_BR] = piece(8, 8, 255, 255, 0);
        p.piece[PIECE_EDGE_HORIZ] = piece(3, 8, 10, 10, 10);
        p.piece[PIECE_EDGE_VERT] = piece(8, 3, 20, 20, 20);
        p.piece[PIECE_CROSS] = piece(8, 8, 90, 90, 90);
        p.piece[PIECE_T_TOP] = piece(8, 8, 80, 0, 80);
        p.loaded = true;
        return p;
    }
};

bool colourIs(SDL_Surface* s, int x, int y, int r, int g, int b) {
    SDL_Color c = readPixel(s, x, y, nullptr);
    return c.r == r && c.g == g && c.b == b;
}

} // namespace

TEST_F(SkinTest, FramedPanelPutsEdgesBetweenTheChosenCorners) {
    FramePieces pieces = makePieces();
    SDL_Surface* panel = buildFramedPanel(100, 60, PanelCorners{}, pieces);
    ASSERT_EQ(panel->w, 100);
    ASSERT_EQ(panel->h, 60);
    EXPECT_TRUE(colourIs(panel, 0, 0, 255, 0, 0));       // top-left corner
    EXPECT_TRUE(colourIs(panel, 99, 0, 0, 255, 0));      // top-right
    EXPECT_TRUE(colourIs(panel, 0, 59, 0, 0, 255));      // bottom-left
    EXPECT_TRUE(colourIs(panel, 99, 59, 255, 255, 0));   // bottom-right
    EXPECT_TRUE(colourIs(panel, 8, 0, 10, 10, 10));      // top edge starts after the corner
    EXPECT_TRUE(colourIs(panel, 91, 59, 10, 10, 10));    // bottom edge ends before it
    EXPECT_TRUE(colourIs(panel, 0, 30, 20, 20, 20));     // left edge
    EXPECT_TRUE(colourIs(panel, 99, 51, 20, 20, 20));    // right edge
    EXPECT_TRUE(colourIs(panel, 50, 30, 255, 255, 255)); // white inside
    SDL_FreeSurface(panel);

    PanelCorners joined;
    joined.topLeft = CORNER_CROSS;
    joined.topRight = CORNER_T_TOP;
    SDL_Surface* second = buildFramedPanel(40, 40, joined, pieces);
    EXPECT_TRUE(colourIs(second, 0, 0, 90, 90, 90));
    EXPECT_TRUE(colourIs(second, 39, 0, 80, 0, 80));
    EXPECT_TRUE(colourIs(second, 0, 39, 0, 0, 255));
    SDL_FreeSurface(second);
}

TEST_F(SkinTest, FramedPanelSurvivesMissingPiecesAndTinySizes) {
    FramePieces none;
    SDL_Surface* plain = buildFramedPanel(10, 10, PanelCorners{}, none);
    EXPECT_TRUE(colourIs(plain, 5, 5, 255, 255, 255));
    SDL_FreeSurface(plain);
    FramePieces pieces = makePieces();
    SDL_Surface* tiny = buildFramedPanel(0, 5, PanelCorners{}, pieces);
    EXPECT_EQ(tiny->w, 1);
    SDL_FreeSurface(tiny);
}

TEST_F(SkinTest, SkinLoadsArtSlotsAndDropsMissingOptionalImages) {
    writeImage("data/paper/paper1.png", 200, 100, 240, 230, 200);
    SDL_Surface* strip = filledSurface(100, 20, 0, 0, 0);
    argbRow(strip, 0)[0] = 0xFFFF0000u; // a red mark at the left end
    saveImage(strip, "data/paper/paper1-scroll.bmp");
    SDL_FreeSurface(strip);
    for (const char* n : {"unclick", "canclick", "over", "clicked"})
        writeImage(std::string("data/buttons/4/redgel/") + n + ".png", 40, 20, 1, 2, 3);
    writeImage("data/skin/skin1.png", 64, 48, 9, 9, 9);
    SkinSettings s;
    s.pageWidth = 300;
    s.screenWidth = 640;
    s.screenHeight = 480;
    SkinImages skin;
    loadSkinImages(skin, s);
    ASSERT_TRUE(skin.paper);
    EXPECT_EQ(skin.paper->w, 300);
    EXPECT_EQ(skin.paper->h, 150);
    EXPECT_FALSE(skin.paperTop); // missing optional image dropped
    ASSERT_TRUE(skin.scrollStrip);
    EXPECT_EQ(skin.scrollStrip->w, 315);
    ASSERT_TRUE(skin.scrollStripRight);
    EXPECT_GT(readPixel(skin.scrollStripRight.get(), 314, 0, nullptr).r, 100); // mirrored
    EXPECT_EQ(skin.buttonArt4[ART_CLICK_2].get(), skin.buttonArt4[ART_CLICK_3].get());
    EXPECT_EQ(skin.buttonArt4[ART_OVER_1].get(), skin.buttonArt4[ART_OVER_3].get());
    EXPECT_EQ(skin.buttonArt4[ART_PRESSED]->w, 40);
    EXPECT_TRUE(isPlaceholder(skin.buttonArt8[0].get())); // no eight-image set here
    EXPECT_EQ(skin.playBackground->w, 640);
    EXPECT_EQ(skin.playBackground->h, 480);
    EXPECT_FALSE(skin.playBackground->flags & SDL_SRCALPHA);
    releaseSkinImages(skin);
}

TEST_F(SkinTest, AvatarsAreImageNamesSortedOrBlank) {
    EXPECT_EQ(listAvatars(), std::vector<std::string>{"blank"});
    writeRealFile(userFile("data/profiles/avatars/zed.png"), "x");
    writeRealFile(userFile("data/profiles/avatars/amy.jpg"), "x");
    writeRealFile(userFile("data/profiles/avatars/notes.txt"), "x");
    EXPECT_EQ(listAvatars(), (std::vector<std::string>{"amy.jpg", "zed.png"}));
}

TEST_F(SkinTest, FramePiecesAndTilesLoadOnceScaled) {
    writeImage("data/misc/edge/corner-TL.png", 10, 10, 1, 1, 1);
    writeImage("data/paper/tiles/bordertile-top.png", 20, 4, 1, 1, 1);
    SkinImages skin;
    loadFramePieces(skin.frame, 1.5);
    EXPECT_EQ(skin.frame.piece[PIECE_CORNER_TL]->w, 15);
    EXPECT_TRUE(isPlaceholder(skin.frame.piece[PIECE_CROSS].get()));
    loadFramePieces(skin.frame, 3.0); // once for the program's run
    EXPECT_EQ(skin.frame.piece[PIECE_CORNER_TL]->w, 15);
    loadPaperTiles(skin, 0.5);
    EXPECT_EQ(skin.paperTiles[TILE_BORDER_TOP]->w, 10);
}
