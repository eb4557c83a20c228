// The intro: the two opening pictures cross-fade, then the title screen
// builds up (background, archive logo, title logo) along a fixed timeline.
#pragma once

struct Application;

// False when the player closed the window during the intro.
bool runIntro(Application& app);
// The download progress bar of "/data/misc/pb1.txt", scaled for the screen.
void loadProgressBar(Application& app);
