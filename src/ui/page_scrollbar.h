// The scroll bar beside the current page of each position: where its track and
// thumb are, and how pointing, dragging and track clicks move the page. The
// arithmetic and the mouse rules need no window; the images and drawing are in
// page_scrollbar_view.cpp.
#pragma once

#include "ui/surface.h"

// What the bar is built for.
struct ScrollbarInput {
    int size = 21;       // S, the base text size
    int pageX = 0, pageY = 0, pageW = 0, pageH = 0;
    bool rightSide = false;
    int maxScroll = 0;
    int thumbImageHeight = 0; // the thumb image as scaled
};

struct ScrollbarGeometry {
    int trackX = 0, trackTop = 0, trackHeight = 0, trackWidth = 0;
    int thumbHeight = 0;
    bool active = false; // only when the page can scroll
    int thumbMin() const;  // highest thumb top: track top + S / 10
    int thumbMax() const;  // lowest thumb top
    int size = 21;
};

// Thumb width S * 8 / 10; track height the page height less S, rounded up to even.
int scrollbarThumbWidth(int size);
int scrollbarTrackHeight(int size, int pageH);

ScrollbarGeometry scrollbarGeometry(const ScrollbarInput& in, int trackImageWidth);
// Thumb top for a scroll offset.
int thumbTopFor(const ScrollbarGeometry& g, int scrollOffset, int maxScroll);
// Scroll offset for a thumb top (clamped into the track).
int scrollForThumbTop(const ScrollbarGeometry& g, int thumbTop, int maxScroll);

// Thumb states, as the button states: inactive, normal, pointed at, dragged.
enum ThumbState { THUMB_INACTIVE, THUMB_NORMAL, THUMB_OVER, THUMB_DRAGGED };

struct PageScrollbar {
    ScrollbarInput built; // what the geometry and images were made for
    int builtSlot = -2;   // page slot the bar was built for; -2 never built
    ScrollbarGeometry geometry;
    bool dragging = false;
    int grab = 0; // pointer y less thumb top while dragging
    bool hovered = false;

    SurfacePtr thumbImages[4]; // brightness -30, 0, +30, +60
    SurfacePtr trackImage;
};

// Whether the bar must be rebuilt: another page, another page height plus
// maxScroll, another base size.
bool scrollbarNeedsRebuild(const PageScrollbar& bar, int slot, const ScrollbarInput& in);
// Takes the new geometry (images are the view's business).
void setScrollbarGeometry(PageScrollbar& bar, int slot, const ScrollbarInput& in,
                          int trackImageWidth);

ThumbState thumbState(const PageScrollbar& bar);
int thumbTop(const PageScrollbar& bar, int scrollOffset);
bool pointOnThumb(const PageScrollbar& bar, int scrollOffset, int x, int y);
bool pointOnTrack(const PageScrollbar& bar, int x, int y);

// Mouse rules; each returns true when it took the event. `scrollOffset` is the
// page's and is changed in place.
bool scrollbarMouseDown(PageScrollbar& bar, int x, int y, int& scrollOffset);
bool scrollbarMotion(PageScrollbar& bar, int x, int y, int& scrollOffset);
bool scrollbarMouseUp(PageScrollbar& bar);
