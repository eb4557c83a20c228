#include "ui/page_scrollbar.h"

#include <algorithm>

int ScrollbarGeometry::thumbMin() const {
    return trackTop + size / 10;
}
int ScrollbarGeometry::thumbMax() const {
    return std::max(thumbMin(), trackTop + trackHeight - size / 10 - thumbHeight);
}

int scrollbarThumbWidth(int size) {
    return std::max(1, size * 8 / 10);
}

int scrollbarTrackHeight(int size, int pageH) {
    int h = std::max(1, pageH - size);
    return h + (h & 1);
}

ScrollbarGeometry scrollbarGeometry(const ScrollbarInput& in, int trackImageWidth) {
    ScrollbarGeometry g;
    const int S = std::max(1, in.size);
    g.size = S;
    g.trackX = in.rightSide ? in.pageX + in.pageW - S * 3 / 2 : in.pageX + S / 2;
    g.trackTop = in.pageY + S / 2;
    g.trackHeight = scrollbarTrackHeight(S, in.pageH);
    g.trackWidth = trackImageWidth;
    g.active = in.maxScroll > 0;
    const long long total = std::max(1LL, static_cast<long long>(in.pageH) + in.maxScroll);
    const long long share = static_cast<long long>(g.trackHeight - S / 5) * in.pageH / total;
    g.thumbHeight = std::max<long long>(in.thumbImageHeight, share);
    return g;
}

int thumbTopFor(const ScrollbarGeometry& g, int scrollOffset, int maxScroll) {
    if (maxScroll <= 0) return g.thumbMin();
    const long long room = g.trackHeight - g.thumbHeight - g.size / 5;
    const int offset = std::clamp(scrollOffset, 0, maxScroll);
    return g.thumbMin() + static_cast<int>(room * offset / maxScroll);
}

int scrollForThumbTop(const ScrollbarGeometry& g, int top, int maxScroll) {
    if (maxScroll <= 0) return 0;
    top = std::clamp(top, g.thumbMin(), g.thumbMax());
    const long long room = g.thumbMax() - g.thumbMin();
    if (room <= 0) return 0;
    return static_cast<int>(static_cast<long long>(maxScroll) * (top - g.thumbMin()) / room);
}

bool scrollbarNeedsRebuild(const PageScrollbar& bar, int slot, const ScrollbarInput& in) {
    return bar.builtSlot != slot || bar.built.pageH + bar.built.maxScroll != in.pageH + in.maxScroll ||
           bar.built.size != in.size || bar.built.pageX != in.pageX || bar.built.pageY != in.pageY ||
           bar.built.pageW != in.pageW || bar.built.rightSide != in.rightSide;
}

void setScrollbarGeometry(PageScrollbar& bar, int slot, const ScrollbarInput& in,
                          int trackImageWidth) {
    bar.built = in;
    bar.builtSlot = slot;
    bar.geometry = scrollbarGeometry(in, trackImageWidth);
    bar.dragging = bar.dragging && bar.geometry.active;
}

ThumbState thumbState(const PageScrollbar& bar) {
    if (!bar.geometry.active) return THUMB_INACTIVE;
    if (bar.dragging) return THUMB_DRAGGED;
    return bar.hovered ? THUMB_OVER : THUMB_NORMAL;
}

int thumbTop(const PageScrollbar& bar, int scrollOffset) {
    return thumbTopFor(bar.geometry, scrollOffset, bar.built.maxScroll);
}

bool pointOnTrack(const PageScrollbar& bar, int x, int y) {
    const ScrollbarGeometry& g = bar.geometry;
    return x >= g.trackX && x < g.trackX + g.trackWidth && y >= g.trackTop &&
           y < g.trackTop + g.trackHeight;
}

bool pointOnThumb(const PageScrollbar& bar, int scrollOffset, int x, int y) {
    const ScrollbarGeometry& g = bar.geometry;
    const int top = thumbTop(bar, scrollOffset);
    return pointOnTrack(bar, x, y) && y >= top && y < top + g.thumbHeight;
}

bool scrollbarMouseDown(PageScrollbar& bar, int x, int y, int& scrollOffset) {
    if (!bar.geometry.active || bar.builtSlot < 0 || !pointOnTrack(bar, x, y)) return false;
    const int maxScroll = bar.built.maxScroll;
    int top = thumbTop(bar, scrollOffset);
    if (!pointOnThumb(bar, scrollOffset, x, y)) {
        // A click on the track brings the thumb's middle under the pointer.
        top = std::clamp(y - bar.geometry.thumbHeight / 2, bar.geometry.thumbMin(),
                         bar.geometry.thumbMax());
        scrollOffset = scrollForThumbTop(bar.geometry, top, maxScroll);
    }
    bar.dragging = true;
    bar.grab = y - top;
    return true;
}

bool scrollbarMotion(PageScrollbar& bar, int x, int y, int& scrollOffset) {
    bar.hovered = bar.geometry.active && pointOnThumb(bar, scrollOffset, x, y);
    if (!bar.dragging) return false;
    scrollOffset = scrollForThumbTop(bar.geometry, y - bar.grab, bar.built.maxScroll);
    return true;
}

bool scrollbarMouseUp(PageScrollbar& bar) {
    const bool was = bar.dragging;
    bar.dragging = false;
    return was;
}
