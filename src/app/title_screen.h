// The title screens' pictures: a background picked at random from
// "/data/menu/map" and a logo from "/data/menu/title", each replaced now and
// then by another with a cross-fade (backgrounds) or a slide (logos).
#pragma once

#include "ui/image_prepare.h"

#include <SDL/SDL_video.h>

#include <string>
#include <vector>

struct Application;
struct RandomSource;

struct TitleScreen {
    std::vector<std::string> backgroundNames, logoNames;
    int backgroundPick = -1, logoPick = -1;
    int leavingBackgroundPick = -1, leavingLogoPick = -1; // the pictures going off
    SDL_Surface* background = nullptr;
    SDL_Surface* nextBackground = nullptr;
    SDL_Surface* logo = nullptr;
    SDL_Surface* nextLogo = nullptr;
    int logoX = 0, logoY = 0, nextLogoX = 0, nextLogoY = 0;
    SDL_Rect logoCover{0, 0, 0, 0}; // what the logo hides wholly, logo-relative
    int backgroundAlpha = 255, nextBackgroundAlpha = 0;

    bool started = false;
    int backgroundTimer = 0, backgroundInterval = 0;
    int backgroundFade = -1; // ms into a cross-fade, -1 when none runs
    int logoTimer = 0, logoInterval = 0;
    int logoSlide = -1;      // ms into a slide, -1 when none runs
    int direction = 0;       // +1 or -1 once chosen
    bool windowSeen = false; // a window has been shown on the title screens

    // The next background and logo, picked as soon as the one before has
    // come in and made ready a slice per frame while the screen rests, so
    // that the frame that starts a cross-fade or a slide only swaps pointers.
    int upcomingBackgroundPick = -1, upcomingLogoPick = -1;
    PreparedPicture upcomingBackground, upcomingLogo;

    // Pictures shown before and replaced since, kept at the screen's size
    // (up to a bound, the longest unused going first): a picture that comes
    // round again is not decoded again.
    struct Kept {
        bool logo = false;
        int pick = -1;
        SDL_Surface* surface = nullptr;
    };
    std::vector<Kept> kept; // oldest first
};

// Picture names of a folder (cut at their first "."), kept when such a picture
// exists; the single name "blank" when the folder has none.
std::vector<std::string> listPictureNames(const std::string& folder);
// A random pick different from `current` when there are at least two.
int pickDifferent(RandomSource& random, int count, int current);

// Loads the first background and logo (the intro shows them).
void loadTitlePictures(Application& app);
void advanceTitleSlideshow(Application& app, int elapsedMs);
// The title screens' backdrop: black, the skin, the backgrounds and the logos.
void drawTitleScreen(Application& app);
void freeTitlePictures(TitleScreen& title);
