#include "ui/options_model.h"

#include <gtest/gtest.h>

TEST(VideoSizes, StepsThroughTheOfferedList) {
    auto list = offeredVideoSizes({{1280, 1024}, {640, 480}, {320, 200}, {800, 600}, {800, 600}});
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.front(), (VideoSize{640, 480}));
    EXPECT_EQ(stepVideoSize(list, {800, 600}, +1), (VideoSize{1280, 1024}));
    EXPECT_EQ(stepVideoSize(list, {800, 600}, -1), (VideoSize{640, 480}));
    // Ends of the list hold.
    EXPECT_EQ(stepVideoSize(list, {640, 480}, -1), (VideoSize{640, 480}));
    EXPECT_EQ(stepVideoSize(list, {1280, 1024}, +1), (VideoSize{1280, 1024}));
    // A size not in the list steps to the nearest entry.
    EXPECT_EQ(stepVideoSize(list, {1200, 1000}, -1), (VideoSize{1280, 1024}));
}

TEST(VideoSizes, StandardListWhenTheSystemReportsNothing) {
    auto list = offeredVideoSizes({});
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(stepVideoSize(list, {1024, 768}, +1), (VideoSize{1280, 1024}));
    EXPECT_EQ(stepVideoSize({}, {700, 500}, 1), (VideoSize{700, 500}));
}

TEST(BarColours, FiveChoicesInButtonOrder) {
    EXPECT_EQ(barColourChoice(2).r, 200);
    EXPECT_EQ(barColourChoice(2).g, 50);
    EXPECT_EQ(barColourChoice(4).r, 255);
    EXPECT_EQ(barColourChoice(4).g, 0);
    EXPECT_EQ(barColourChoice(99).b, 0);
}
