// The resampler behind scaleImageTo, a few rows at a time: a picture that is
// prepared while the screen goes on moving (the title slideshow's next
// picture) is scaled over several frames instead of holding one of them up.
#pragma once

#include <SDL/SDL.h>

#include <memory>

// Which inner loops run: the widest this processor has, or the portable
// SSE2 ones everywhere (the results are the same bytes; tests compare them).
enum class ScaleLoops { Fastest, Portable };

class ScaleInSteps {
  public:
    // `image` must stay alive and unchanged until take() or destruction.
    ScaleInSteps(SDL_Surface* image, int width, int height,
                 ScaleLoops loops = ScaleLoops::Fastest);
    ~ScaleInSteps();
    ScaleInSteps(const ScaleInSteps&) = delete;
    ScaleInSteps& operator=(const ScaleInSteps&) = delete;

    // Writes up to `rows` more rows of the result; true once all are written.
    bool step(int rows);
    // The finished picture, exactly what scaleImageTo gives (the rows left are
    // done first); owned by the caller. Once only.
    SDL_Surface* take();

  private:
    struct Work;
    std::unique_ptr<Work> work;
};
