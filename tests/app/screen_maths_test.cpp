#include "app/program.h"
#include "app/screen_maths.h"

#include <gtest/gtest.h>

TEST(VideoSizes, TitleWindowIsSquareAndScaledFromTheDesktopHeight) {
    EXPECT_EQ(titleWindowSide(1080), 649);
    EXPECT_EQ(titleWindowSide(768), 462);
    EXPECT_EQ(titleWindowSide(600), 462); // never smaller than the artwork
    EXPECT_EQ(titleWindowSide(1024), 616);
    EXPECT_EQ(fitWindowSide(1920, 1920), 1728);
    EXPECT_EQ(fitWindowSide(2000, 1920), 1728);
    EXPECT_EQ(fitWindowSide(1024, 1920), 1024);
    EXPECT_FLOAT_EQ(uiScaleFor(649, false), 649.0f / 462);
    EXPECT_FLOAT_EQ(uiScaleFor(1024, true), 1024.0f / 768);
}

TEST(VideoSizes, PageRectanglesSitSideBySide) {
    PageRect left, right;
    computePageRects(1000, 800, 46, 80, false, left, right);
    EXPECT_EQ(left.w, 460);
    EXPECT_EQ(left.h, 640);
    EXPECT_EQ(left.x, 250 - 230);
    EXPECT_EQ(left.y, 348 + 104 - 320);
    EXPECT_EQ(right.x, left.x + 500);
    EXPECT_EQ(right.y, left.y);
    PageRect scrolledLeft, scrolledRight;
    computePageRects(1000, 800, 46, 80, true, scrolledLeft, scrolledRight);
    EXPECT_EQ(scrolledLeft.y, left.y - 32);
}

TEST(FirstWindow, DependsOnUpdatesAndTheStartCount) {
    EXPECT_EQ(firstWindowId(true, true, true, 3), 40);
    EXPECT_EQ(firstWindowId(false, true, true, 3), 0); // no check asked for
    EXPECT_EQ(firstWindowId(false, false, false, 10), 47);
    EXPECT_EQ(firstWindowId(false, false, true, 10), 48);
    EXPECT_EQ(firstWindowId(false, false, true, 11), 0);
}

TEST(Intro, CrossFadeFollowsAHalfSineFromFirstToSecondImage) {
    EXPECT_EQ(crossFadeAlpha(0), 255);
    EXPECT_EQ(crossFadeAlpha(750), 127); // (255 + 255 sin 180deg) / 2, truncated
    EXPECT_EQ(crossFadeAlpha(1500), 0);
    EXPECT_EQ(crossFadeAlpha(5000), 0); // clamped to the fade's length
    EXPECT_EQ(crossFadeAlpha(375), 217);
    for (int t = 1; t <= 1500; ++t)
        EXPECT_LE(crossFadeAlpha(t), crossFadeAlpha(t - 1));
}

TEST(Intro, TimelineLayersAtKeyMoments) {
    const IntroSizes sz{600, 600, 200, 100, 300, 80, 600, 240};
    IntroFrame f = introFrameAt(0, sz);
    EXPECT_TRUE(f.introImage.visible);
    EXPECT_EQ(f.introImage.alpha, 255);
    EXPECT_EQ(f.introImage.x, 200);
    EXPECT_FALSE(f.archiveLogo.visible);
    EXPECT_FALSE(f.background.visible);

    f = introFrameAt(750, sz); // logo half risen, intro image half gone
    EXPECT_EQ(f.introImage.alpha, 255 - 127);
    EXPECT_TRUE(f.archiveLogo.visible);
    EXPECT_EQ(f.archiveLogo.x, 150);
    EXPECT_EQ(f.archiveLogo.y, 600 - 40);

    f = introFrameAt(1600, sz); // resting at the bottom edge, intro image gone
    EXPECT_FALSE(f.introImage.visible);
    EXPECT_EQ(f.archiveLogo.y, 520);
    EXPECT_FALSE(f.titleLogo.visible);

    f = introFrameAt(2000, sz); // title half in, background starting
    EXPECT_EQ(f.titleLogo.y, -120);
    EXPECT_EQ(f.titleLogo.x, 0);
    EXPECT_TRUE(f.background.visible);
    EXPECT_EQ(f.background.alpha, 0);

    f = introFrameAt(2750, sz); // logo sinking, title resting, background fading in
    EXPECT_EQ(f.archiveLogo.y, 40 + 520);
    EXPECT_EQ(f.titleLogo.y, 0);
    EXPECT_EQ(f.background.alpha, 255 * 750 / 1250);

    f = introFrameAt(3260, sz);
    EXPECT_FALSE(f.archiveLogo.visible);
    EXPECT_EQ(f.background.alpha, 255);
    EXPECT_FALSE(introTimelineOver(3300));
    EXPECT_TRUE(introTimelineOver(3301));
}

TEST(Intro, PhasesAreInclusiveAtBothEnds) {
    EXPECT_TRUE(introPhaseActive(1, 250));
    EXPECT_TRUE(introPhaseActive(1, 1250));
    EXPECT_FALSE(introPhaseActive(1, 1251));
    EXPECT_FALSE(introPhaseActive(6, 1749));
}

TEST(Slideshow, FadeAndSlideRunOverTwoAndAHalfSeconds) {
    EXPECT_EQ(slideshowFadeAlpha(0), 0);
    EXPECT_EQ(slideshowFadeAlpha(1250), 127);
    EXPECT_EQ(slideshowFadeAlpha(9999), 255);
    EXPECT_EQ(slideshowLogoX(1250, 600, 1), 300);
    EXPECT_EQ(slideshowLogoX(1250, 600, -1), -300);
    EXPECT_EQ(slideshowLogoX(2500, 600, -1), -600);
}

TEST(FramePacing, AnimationsDoubleTheTarget) {
    EXPECT_EQ(pacingTarget(30, true), 90);
    EXPECT_EQ(pacingTarget(45, true), 90);
    EXPECT_EQ(pacingTarget(60, true), 120);
    EXPECT_EQ(pacingTarget(60, false), 60);
}

TEST(FramePacing, DelayFollowsTheFrameTimeAndHalvesOnceEnteringFastMode) {
    FramePacer p;
    updateFrameDelay(p, 30, false, 40); // slower than 33 ms: sleep less
    EXPECT_EQ(p.frameDelay, 9);
    updateFrameDelay(p, 30, false, 20); // faster: sleep more
    EXPECT_EQ(p.frameDelay, 10);
    updateFrameDelay(p, 30, false, 33); // on time
    EXPECT_EQ(p.frameDelay, 10);
    updateFrameDelay(p, 30, true, 5); // halved, then period 11 ms: +1
    EXPECT_EQ(p.frameDelay, 6);
    EXPECT_TRUE(p.fastMode);
    updateFrameDelay(p, 30, true, 11); // still fast: no second halving
    EXPECT_EQ(p.frameDelay, 6);
    updateFrameDelay(p, 30, false, 100);
    EXPECT_FALSE(p.fastMode);
    for (int i = 0; i < 20; ++i)
        updateFrameDelay(p, 30, false, 100);
    EXPECT_EQ(p.frameDelay, 1); // never below 1
}

TEST(FramePacing, ClickLockHoldsForThreeFramesOr300Ms) {
    FramePacer p;
    bool lock = true;
    updateClickLock(p, lock, 10); // the initial release flag clears a stray lock
    EXPECT_FALSE(lock);
    lock = true; // a click
    updateClickLock(p, lock, 10);
    updateClickLock(p, lock, 10);
    EXPECT_TRUE(lock); // two frames, 20 ms: a second click is ignored
    updateClickLock(p, lock, 10);
    EXPECT_TRUE(lock); // third frame sets the release...
    updateClickLock(p, lock, 10);
    EXPECT_FALSE(lock); // ...which clears it on the next
    lock = true;
    updateClickLock(p, lock, 301); // a slow frame releases by time
    updateClickLock(p, lock, 10);
    EXPECT_FALSE(lock);
}
