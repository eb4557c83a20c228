#include "ui/frame.h"
#include "ui/blit.h"

#include "ui/image.h"

#include <algorithm>

const char* const FRAME_PIECE_NAMES[FRAME_PIECE_COUNT] = {
    "middle",    "corner-BL", "corner-BR", "corner-TL", "corner-TR", "edge-horiz",
    "edge-vert", "T-bottom",  "T-left",    "T-right",   "T-top",     "cross"};

void loadFramePieces(FramePieces& pieces, double uiScale) {
    if (pieces.loaded) return;
    for (int i = 0; i < FRAME_PIECE_COUNT; ++i) {
        SDL_Surface* raw = loadImage("data/misc/edge", FRAME_PIECE_NAMES[i]);
        if (!isPlaceholder(raw) && uiScale != 1.0) {
            SDL_Surface* scaled = scaleImage(raw, uiScale);
            SDL_FreeSurface(raw);
            raw = scaled;
        }
        pieces.piece[i] = shareSurface(raw);
    }
    pieces.loaded = true;
}

namespace {

SDL_Surface* cornerPiece(const FramePieces& p, int choice, FramePieceId plain) {
    switch (choice) {
    case CORNER_T_BOTTOM:
        return p.piece[PIECE_T_BOTTOM].get();
    case CORNER_T_LEFT:
        return p.piece[PIECE_T_LEFT].get();
    case CORNER_CROSS:
        return p.piece[PIECE_CROSS].get();
    case CORNER_T_RIGHT:
        return p.piece[PIECE_T_RIGHT].get();
    case CORNER_T_TOP:
        return p.piece[PIECE_T_TOP].get();
    default:
        return p.piece[plain].get();
    }
}

void blitAt(SDL_Surface* piece, SDL_Surface* dst, int x, int y) {
    if (!piece || isPlaceholder(piece)) return;
    SDL_Rect at{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    blitSurface(piece, nullptr, dst, &at);
}

void stretchedAt(SDL_Surface* piece, SDL_Surface* dst, int x, int y, int w, int h) {
    if (!piece || isPlaceholder(piece) || w < 1 || h < 1) return;
    SDL_Surface* s = scaleImageTo(piece, w, h);
    blitAt(s, dst, x, y);
    SDL_FreeSurface(s);
}

} // namespace

SDL_Surface* buildFramedPanel(int width, int height, const PanelCorners& corners,
                              const FramePieces& pieces) {
    SDL_Surface* panel = createArgbSurface(std::max(1, width), std::max(1, height));
    if (!panel) return makePlaceholder();
    width = panel->w;
    height = panel->h;
    SDL_FillRect(panel, nullptr, 0xFFFFFFFFu);

    SDL_Surface* tl = pieces.piece[PIECE_CORNER_TL].get();
    const int cw = tl && !isPlaceholder(tl) ? tl->w : 0;
    const int ch = tl && !isPlaceholder(tl) ? tl->h : 0;
    SDL_Surface* horiz = pieces.piece[PIECE_EDGE_HORIZ].get();
    SDL_Surface* vert = pieces.piece[PIECE_EDGE_VERT].get();
    if (horiz && !isPlaceholder(horiz)) {
        stretchedAt(horiz, panel, cw, 0, width - 2 * cw, horiz->h);
        stretchedAt(horiz, panel, cw, height - horiz->h, width - 2 * cw, horiz->h);
    }
    if (vert && !isPlaceholder(vert)) {
        stretchedAt(vert, panel, 0, ch, vert->w, height - 2 * ch);
        stretchedAt(vert, panel, width - vert->w, ch, vert->w, height - 2 * ch);
    }
    struct Place {
        int choice;
        FramePieceId plain;
        bool right, bottom;
    } places[4] = {{corners.topLeft, PIECE_CORNER_TL, false, false},
                   {corners.topRight, PIECE_CORNER_TR, true, false},
                   {corners.bottomLeft, PIECE_CORNER_BL, false, true},
                   {corners.bottomRight, PIECE_CORNER_BR, true, true}};
    for (const Place& p : places) {
        SDL_Surface* piece = cornerPiece(pieces, p.choice, p.plain);
        if (!piece || isPlaceholder(piece)) continue;
        blitAt(piece, panel, p.right ? width - piece->w : 0, p.bottom ? height - piece->h : 0);
    }
    SDL_Surface* out = finishSurface(panel, false);
    return out ? out : makePlaceholder();
}
