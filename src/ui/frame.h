// Frame pieces and framed panels: window and page frames are assembled from a
// dozen small pieces so that adjoining panels share their edges seamlessly.
#pragma once

#include "ui/surface.h"

// The pieces of "data/misc/edge", in file order.
enum FramePieceId {
    PIECE_MIDDLE,
    PIECE_CORNER_BL,
    PIECE_CORNER_BR,
    PIECE_CORNER_TL,
    PIECE_CORNER_TR,
    PIECE_EDGE_HORIZ,
    PIECE_EDGE_VERT,
    PIECE_T_BOTTOM,
    PIECE_T_LEFT,
    PIECE_T_RIGHT,
    PIECE_T_TOP,
    PIECE_CROSS,
    FRAME_PIECE_COUNT
};
extern const char* const FRAME_PIECE_NAMES[FRAME_PIECE_COUNT];

struct FramePieces {
    SurfacePtr piece[FRAME_PIECE_COUNT];
    bool loaded = false;
};

// Loads the pieces once for the program's run, scaled by the interface scale.
void loadFramePieces(FramePieces& pieces, double uiScale);

// What goes at one corner of a panel, numbered like a numeric keypad after the
// side the joint opens to: 0 the plain corner of that position, 8 the T piece
// opening upwards ("T-top"), 2 downwards ("T-bottom"), 4 to the left, 6 to the
// right, and 5 the cross. A cross already carries the edges through the corner,
// so with 5 the edges are not drawn under it.
enum CornerChoice {
    CORNER_PLAIN = 0,
    CORNER_T_BOTTOM = 2,
    CORNER_T_LEFT = 4,
    CORNER_CROSS = 5,
    CORNER_T_RIGHT = 6,
    CORNER_T_TOP = 8,
};

struct PanelCorners {
    int topLeft = CORNER_PLAIN;
    int topRight = CORNER_PLAIN;
    int bottomLeft = CORNER_PLAIN;
    int bottomRight = CORNER_PLAIN;
};

// A white panel of width x height with the edges stretched between the corners
// and the chosen corner pieces; the result is in the display format.
SDL_Surface* buildFramedPanel(int width, int height, const PanelCorners& corners,
                              const FramePieces& pieces);
