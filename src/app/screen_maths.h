// The arithmetic of the screen flow, kept free of SDL so it can be tested:
// window sizes, the intro timeline and cross-fade, the title slideshow fades
// and the frame pacing.
#pragma once

// ---- Video modes --------------------------------------------------------------

constexpr int TITLE_BASE_HEIGHT = 462; // title artwork is laid out for this height
constexpr int PLAY_BASE_HEIGHT = 768;  // play artwork is laid out for this height

// Side of the square title window: max(462, truncate(desktop height * 462 / 768)).
int titleWindowSide(int desktopHeight);
// A windowed size not smaller than the desktop becomes 9/10 of it.
int fitWindowSide(int requested, int desktopSide);
float uiScaleFor(int screenHeight, bool playing);

struct PageRect {
    int x = 0, y = 0, w = 0, h = 0;
};
// The two page rectangles of the play screen for a W x H screen.
void computePageRects(int screenW, int screenH, int widthPercent, int heightPercent,
                      bool showScroll, PageRect& left, PageRect& right);

// ---- Intro --------------------------------------------------------------------

constexpr int INTRO_CROSSFADE_MS = 1500;

// Alpha of the first intro image t ms into the cross-fade; the second gets 255 minus it.
int crossFadeAlpha(int t);

struct IntroPhase {
    int start, length;
};
constexpr int INTRO_PHASE_COUNT = 8;
extern const IntroPhase INTRO_PHASES[INTRO_PHASE_COUNT];
// A phase is active while start <= t <= start + length.
bool introPhaseActive(int phase, int t);
// Every phase has ended.
bool introTimelineOver(int t);

struct IntroLayer {
    bool visible = false;
    int alpha = 255;
    int x = 0, y = 0;
};
// Where the four layers of the intro are t ms into the timeline, in drawing
// order: second intro image, background, archive logo, title logo.
struct IntroFrame {
    IntroLayer introImage, background, archiveLogo, titleLogo;
};
struct IntroSizes {
    int screenW, screenH, introW, introH, logoW, logoH, titleW, titleH;
};
IntroFrame introFrameAt(int t, const IntroSizes& sizes);

// ---- Title slideshow ------------------------------------------------------------

constexpr int SLIDESHOW_FADE_MS = 2500;
constexpr int SLIDESHOW_MAX_STEP_MS = 33;

// The next picture's alpha t ms into a cross-fade (the current one gets 255 minus it).
int slideshowFadeAlpha(int t);
// The current title logo's x t ms into a slide; the next one is a screen width behind.
int slideshowLogoX(int t, int screenW, int direction);

// ---- Frame pacing -------------------------------------------------------------

struct FramePacer {
    int frameDelay = 10; // ms slept each frame
    bool fastMode = false;
    int lockFrames = 0, lockMs = 0; // click lock counters
    bool lockRelease = true;
    unsigned lastPresentTicks = 0; // when the previous frame was presented
    // Per screen kind (0 title screens, 1 play): loop turns and the longest
    // time between two of them, which the benchmark scripts report; the turn
    // that went from one kind to the other (entering play) on its own.
    long frames[2] = {0, 0};
    int worstFrameMs[2] = {0, 0};
    int lastKind = 0, switchFrameMs = 0;
};

// Frames per second aimed at: doubled (at least 90) while something animates.
int pacingTarget(int targetFps, bool animating);
// Adjusts frameDelay after a frame of `frameMs` ms.
void updateFrameDelay(FramePacer& pacer, int targetFps, bool animating, int frameMs);
// Releases the click lock 3 frames or 300 ms after a click, one frame later.
void updateClickLock(FramePacer& pacer, bool& clickLock, int frameMs);
