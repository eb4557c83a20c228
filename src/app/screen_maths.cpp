#include "app/screen_maths.h"

#include <algorithm>
#include <cmath>

int titleWindowSide(int desktopHeight) {
    return std::max(TITLE_BASE_HEIGHT, desktopHeight * TITLE_BASE_HEIGHT / PLAY_BASE_HEIGHT);
}

int fitWindowSide(int requested, int desktopSide) {
    return requested >= desktopSide ? desktopSide * 9 / 10 : requested;
}

float uiScaleFor(int screenHeight, bool playing) {
    return static_cast<float>(screenHeight) /
           static_cast<float>(playing ? PLAY_BASE_HEIGHT : TITLE_BASE_HEIGHT);
}

void computePageRects(int W, int H, int widthPercent, int heightPercent, bool showScroll,
                      PageRect& left, PageRect& right) {
    left.w = right.w = W * widthPercent / 100;
    left.h = right.h = H * heightPercent / 100;
    left.x = W / 4 - W * widthPercent / 200;
    left.y = H * 87 / 200 + H * 13 / 100 - H * heightPercent / 200;
    if (showScroll) left.y -= H * 4 / 100;
    right.x = left.x + W / 2;
    right.y = left.y;
}

int crossFadeAlpha(int t) {
    t = std::clamp(t, 0, INTRO_CROSSFADE_MS);
    const double degrees = static_cast<double>(t) / INTRO_CROSSFADE_MS * 180.0 + 90.0;
    const double alpha = (255.0 + 255.0 * std::sin(degrees * M_PI / 180.0)) / 2.0;
    return std::clamp(static_cast<int>(alpha), 0, 255);
}

const IntroPhase INTRO_PHASES[INTRO_PHASE_COUNT] = {
    {0, 1500},    // second intro image fades out
    {250, 1000},  // archive logo rises from below
    {1250, 1000}, // archive logo rests at the bottom
    {2000, 1250}, // background fades in
    {3250, 50},   // background fully shown
    {2250, 1000}, // archive logo sinks out
    {1750, 500},  // title logo slides in from above
    {2250, 1050}, // title logo rests at the top
};

bool introPhaseActive(int phase, int t) {
    const IntroPhase& p = INTRO_PHASES[phase];
    return t >= p.start && t <= p.start + p.length;
}

bool introTimelineOver(int t) {
    for (int i = 0; i < INTRO_PHASE_COUNT; ++i)
        if (t <= INTRO_PHASES[i].start + INTRO_PHASES[i].length) return false;
    return true;
}

IntroFrame introFrameAt(int t, const IntroSizes& s) {
    IntroFrame f;
    auto elapsed = [t](int phase) { return t - INTRO_PHASES[phase].start; };
    auto length = [](int phase) { return INTRO_PHASES[phase].length; };
    const int logoX = (s.screenW - s.logoW) / 2;

    if (introPhaseActive(0, t)) {
        f.introImage = {true, 255 - 255 * elapsed(0) / length(0), (s.screenW - s.introW) / 2,
                        (s.screenH - s.introH) / 2};
    }
    // Later phases of a layer take over from earlier ones where they meet.
    if (introPhaseActive(3, t)) f.background = {true, 255 * elapsed(3) / length(3), 0, 0};
    if (introPhaseActive(4, t)) f.background = {true, 255, 0, 0};
    if (introPhaseActive(1, t))
        f.archiveLogo = {true, 255, logoX, s.screenH - s.logoH * elapsed(1) / length(1)};
    if (introPhaseActive(2, t)) f.archiveLogo = {true, 255, logoX, s.screenH - s.logoH};
    if (introPhaseActive(5, t))
        f.archiveLogo = {true, 255, logoX, s.logoH * elapsed(5) / length(5) + s.screenH - s.logoH};
    if (introPhaseActive(6, t))
        f.titleLogo = {true, 255, (s.screenW - s.titleW) / 2,
                       s.titleH * elapsed(6) / length(6) - s.titleH};
    if (introPhaseActive(7, t)) f.titleLogo = {true, 255, 0, 0};
    return f;
}

int slideshowFadeAlpha(int t) {
    return 255 * std::clamp(t, 0, SLIDESHOW_FADE_MS) / SLIDESHOW_FADE_MS;
}

int slideshowLogoX(int t, int screenW, int direction) {
    const long long x = static_cast<long long>(std::clamp(t, 0, SLIDESHOW_FADE_MS)) * screenW *
                        direction / SLIDESHOW_FADE_MS;
    return static_cast<int>(x);
}

int pacingTarget(int targetFps, bool animating) {
    if (!animating) return targetFps;
    return targetFps <= 45 ? 90 : targetFps * 2;
}

void updateFrameDelay(FramePacer& p, int targetFps, bool animating, int frameMs) {
    if (animating && !p.fastMode) p.frameDelay /= 2;
    p.fastMode = animating;
    const int target = std::max(1, pacingTarget(targetFps, animating));
    const int period = 1000 / target;
    if (frameMs > period)
        --p.frameDelay;
    else if (frameMs < period)
        ++p.frameDelay;
    p.frameDelay = std::max(1, p.frameDelay);
}

void updateClickLock(FramePacer& p, bool& clickLock, int frameMs) {
    if (p.lockRelease) {
        clickLock = false;
        p.lockFrames = p.lockMs = 0;
        p.lockRelease = false;
        return;
    }
    if (!clickLock) return;
    ++p.lockFrames;
    p.lockMs += frameMs;
    if (p.lockFrames > 2 || p.lockMs > 300) p.lockRelease = true;
}
