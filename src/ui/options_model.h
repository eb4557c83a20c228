// Rules behind the option windows that need no drawing: stepping through video
// modes and the colour choices of the miscellaneous settings.
#pragma once

#include <SDL/SDL.h>

#include <vector>

struct VideoSize {
    int width = 0, height = 0;
    bool operator==(const VideoSize& o) const { return width == o.width && height == o.height; }
};

// The sizes offered when the system reports "any size" or nothing at all.
std::vector<VideoSize> standardVideoSizes();
// Sorted ascending by area, duplicates and sizes below 640x400 removed; the
// standard list when `reported` is empty.
std::vector<VideoSize> offeredVideoSizes(const std::vector<VideoSize>& reported);
// The next larger (direction +1) or smaller (-1) entry. A size that is not in the
// list steps from the nearest entry. Never below 640x400.
VideoSize stepVideoSize(const std::vector<VideoSize>& offered, VideoSize current, int direction);

// The five bar colours of the miscellaneous settings, in button order:
// yellow, green, violet, blue, red.
SDL_Color barColourChoice(int index);
