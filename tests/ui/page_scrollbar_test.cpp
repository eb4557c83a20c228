#include "ui/page_scrollbar.h"

#include <gtest/gtest.h>

namespace {

// S 20: track at x + 10 (left) or x + w - 30 (right), top y + 10, height 380.
ScrollbarInput input(int maxScroll, bool rightSide = false) {
    ScrollbarInput in;
    in.size = 20;
    in.pageX = 100;
    in.pageY = 50;
    in.pageW = 400;
    in.pageH = 400;
    in.rightSide = rightSide;
    in.maxScroll = maxScroll;
    in.thumbImageHeight = 30;
    return in;
}

PageScrollbar bar(int maxScroll, bool rightSide = false) {
    PageScrollbar b;
    setScrollbarGeometry(b, 0, input(maxScroll, rightSide), 16);
    return b;
}

} // namespace

TEST(PageScrollbarTest, geometry_follows_the_page) {
    EXPECT_EQ(scrollbarTrackHeight(20, 401), 382); // rounded up to even
    EXPECT_EQ(scrollbarThumbWidth(20), 16);

    const PageScrollbar left = bar(400);
    EXPECT_EQ(left.geometry.trackX, 110);
    EXPECT_EQ(left.geometry.trackTop, 60);
    EXPECT_EQ(left.geometry.trackHeight, 380);
    EXPECT_EQ(left.geometry.thumbHeight, (380 - 4) * 400 / 800);
    EXPECT_EQ(bar(400, true).geometry.trackX, 100 + 400 - 30);

    // A page that fits: the thumb fills the track and nothing is active.
    const PageScrollbar still = bar(0);
    EXPECT_FALSE(still.geometry.active);
    EXPECT_EQ(thumbState(still), THUMB_INACTIVE);
    int offset = 0;
    EXPECT_FALSE(scrollbarMouseDown(const_cast<PageScrollbar&>(still), 115, 200, offset));
    // A very long page keeps the thumb at least as tall as its image.
    EXPECT_EQ(bar(1000000).geometry.thumbHeight, 30);
}

TEST(PageScrollbarTest, thumb_follows_the_offset_both_ways) {
    const PageScrollbar b = bar(400);
    const int room = 380 - 188 - 4;
    EXPECT_EQ(thumbTop(b, 0), 62);
    EXPECT_EQ(thumbTop(b, 400), 62 + room);
    EXPECT_EQ(thumbTop(b, 200), 62 + room / 2);
    EXPECT_EQ(scrollForThumbTop(b.geometry, 62 + room, 400), 400);
    EXPECT_EQ(scrollForThumbTop(b.geometry, 0, 400), 0);     // kept in the track
    EXPECT_EQ(scrollForThumbTop(b.geometry, 9999, 400), 400);
}

TEST(PageScrollbarTest, dragging_and_track_clicks) {
    PageScrollbar b = bar(400);
    int offset = 0;
    // Grab the thumb 10 pixels below its top and drag it 47 pixels down.
    ASSERT_TRUE(scrollbarMouseDown(b, 115, 72, offset));
    EXPECT_EQ(offset, 0);
    EXPECT_EQ(thumbState(b), THUMB_DRAGGED);
    EXPECT_TRUE(scrollbarMotion(b, 300, 119, offset)); // the pointer may leave the bar
    EXPECT_EQ(offset, 400 * 47 / (380 - 188 - 4));
    EXPECT_TRUE(scrollbarMouseUp(b));
    EXPECT_FALSE(scrollbarMotion(b, 115, 300, offset));
    EXPECT_FALSE(b.dragging);

    // A click low on the track centres the thumb on the pointer.
    offset = 0;
    ASSERT_TRUE(scrollbarMouseDown(b, 115, 300, offset));
    EXPECT_NEAR(thumbTop(b, offset), 300 - 188 / 2, 1); // offsets are whole pixels
    scrollbarMouseUp(b);
    // Beside the bar nothing happens.
    EXPECT_FALSE(scrollbarMouseDown(b, 300, 400, offset));

    // Hovering lights the thumb.
    offset = 0;
    scrollbarMotion(b, 115, 70, offset);
    EXPECT_EQ(thumbState(b), THUMB_OVER);
}

TEST(PageScrollbarTest, rebuilt_when_the_page_changes) {
    const PageScrollbar b = bar(400);
    EXPECT_FALSE(scrollbarNeedsRebuild(b, 0, input(400)));
    EXPECT_TRUE(scrollbarNeedsRebuild(b, 1, input(400)));
    EXPECT_TRUE(scrollbarNeedsRebuild(b, 0, input(300)));
    ScrollbarInput bigger = input(400);
    bigger.size = 22;
    EXPECT_TRUE(scrollbarNeedsRebuild(b, 0, bigger));
}
