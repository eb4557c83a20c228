// A picture loaded and scaled a slice at a time, while the screen goes on
// moving: the title slideshow readies its next background and logo this way
// long before they are shown, so that no frame waits for a decode or a scale.
// The result is exactly what loadImage followed by scaleImageTo would give.
#pragma once

#include <SDL/SDL.h>

#include <memory>
#include <string>

class PreparedPicture {
  public:
    PreparedPicture();
    ~PreparedPicture();
    PreparedPicture(const PreparedPicture&) = delete;
    PreparedPicture& operator=(const PreparedPicture&) = delete;

    // Begins on folder/name (loadImage's name rules), to be scaled to width x
    // height. Whatever was under way is dropped.
    void start(const std::string& folder, const std::string& name, int width, int height);
    // Started and not yet taken.
    bool pending() const;
    bool ready() const;
    int width() const;
    int height() const;
    // Works for about `budgetMicros` (always at least one small piece); true
    // once the picture is ready.
    bool work(int budgetMicros);
    // The picture, finished now when it is not yet; owned by the caller. Null
    // when nothing was started.
    SDL_Surface* take();
    // Drops whatever is under way or ready.
    void reset();

    struct Job;

  private:
    std::unique_ptr<Job> job;
};
