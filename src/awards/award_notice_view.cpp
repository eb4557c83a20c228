#include "awards/award_notice_view.h"

#include "app/application.h"
#include "awards/award_check.h"
#include "ui/image.h"
#include "ui/toolbar.h"

void notifyAwards(Application& app, const std::string& medal,
                  const std::vector<std::string>& titles) {
    Button* b = toolbarButton(app.headerButtons, TOOLBAR_AWARD);
    if (!b) return;
    SDL_Surface* screen = app.screen.surface ? app.screen.surface : SDL_GetVideoSurface();
    const int W = screen ? screen->w : 1024, H = screen ? screen->h : 768;
    SDL_Surface* raw = loadImage("data/misc/awards", medal.empty() ? "medal_generic" : medal);
    SDL_Surface* scaled =
        isPlaceholder(raw) ? raw : scaleImage(raw, awardMedalScale(raw->h, H));
    if (scaled != raw) SDL_FreeSurface(raw);
    setShadedImages(*b, shareSurface(scaled), 30, 70);
    setTooltip(*b, nullptr, awardNoticeText(titles));
    const SDL_Rect at = toolbarPlacement(TOOLBAR_AWARD, W, H, scaled ? scaled->w : 0,
                                         scaled ? scaled->h : 0);
    b->x = at.x;
    b->y = at.y;
    b->visible = true;
}
