// Idle frames draw nothing: the main loop draws and flips a frame only when
// something on the screen may have changed since the last one it drew.
//
// The loop notices by itself: every input event, every running animation
// (window slides, the Random Number Table popup, combat, the Combat Results
// Table viewer, the title slideshow's cross-fades and slides), any change of
// the open windows or their states, the frame-rate read-out and every request
// the frame handled (a section turned to, play entered, a window opened).
//
// Anything else that changes what is shown, outside an event handler and
// outside those animations, makes the next frame draw with the one call:
//
//     markFrameDirty();
//
// Drawing code may call it while it draws, to ask for the frame after too
// (a tooltip still waiting for its delay, a blinking cursor, a scrolling text).
#pragma once

void markFrameDirty();
