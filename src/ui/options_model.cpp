#include "ui/options_model.h"

#include <algorithm>
#include <cstdlib>

std::vector<VideoSize> standardVideoSizes() {
    return {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
}

std::vector<VideoSize> offeredVideoSizes(const std::vector<VideoSize>& reported) {
    std::vector<VideoSize> out;
    for (const VideoSize& s : reported)
        if (s.width >= 640 && s.height >= 400 && std::find(out.begin(), out.end(), s) == out.end())
            out.push_back(s);
    if (out.empty()) return standardVideoSizes();
    std::sort(out.begin(), out.end(), [](const VideoSize& a, const VideoSize& b) {
        long long areaA = 1LL * a.width * a.height, areaB = 1LL * b.width * b.height;
        return areaA != areaB ? areaA < areaB : a.width < b.width;
    });
    return out;
}

VideoSize stepVideoSize(const std::vector<VideoSize>& offered, VideoSize current, int direction) {
    if (offered.empty()) return current;
    auto it = std::find(offered.begin(), offered.end(), current);
    long index;
    if (it != offered.end()) {
        index = it - offered.begin() + (direction > 0 ? 1 : -1);
    } else {
        // Start from the nearest entry: the step lands on it.
        long best = 0;
        long long bestDistance = -1;
        for (size_t i = 0; i < offered.size(); ++i) {
            long long d = std::llabs(1LL * offered[i].width - current.width) +
                          std::llabs(1LL * offered[i].height - current.height);
            if (bestDistance < 0 || d < bestDistance) {
                bestDistance = d;
                best = static_cast<long>(i);
            }
        }
        index = best;
    }
    index = std::clamp(index, 0L, static_cast<long>(offered.size()) - 1);
    VideoSize next = offered[static_cast<size_t>(index)];
    next.width = std::max(next.width, 640);
    next.height = std::max(next.height, 400);
    return next;
}

SDL_Color barColourChoice(int index) {
    static const SDL_Color colours[5] = {
        {255, 255, 0, 0}, {0, 255, 0, 0}, {200, 50, 255, 0}, {0, 0, 255, 0}, {255, 0, 0, 0}};
    return colours[std::clamp(index, 0, 4)];
}
