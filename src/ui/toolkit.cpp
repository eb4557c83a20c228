#include "ui/toolkit.h"

#include "app/application.h"
#include "ui/image.h"

namespace {

SDL_Color colourOf(const RgbColor& c) {
    return SDL_Color{c.r, c.g, c.b, 0};
}

} // namespace

ToolkitSettings toolkitSettingsFrom(const Application& app) {
    const Settings& st = app.settings;
    ToolkitSettings s;
    s.fonts.textFont = st.textFont;
    s.fonts.textSize = st.textFontSize;
    s.fonts.tipFont = st.tipFont;
    s.fonts.tipSize = st.tipFontSize;
    s.fonts.actionFont = st.actionFont;
    s.fonts.menuFont = st.menuFont;
    s.fonts.fpsFont = st.fpsFont;
    s.fonts.fpsSize = st.fpsSize;
    s.fonts.displayScale = app.screen.uiScale;
    SDL_Surface* screen = app.screen.surface ? app.screen.surface : SDL_GetVideoSurface();
    s.skin.paper = st.paper;
    s.skin.menuBackground = st.menuBackground;
    s.skin.button4 = st.button4;
    s.skin.button8 = st.button8;
    s.skin.skinFile = st.skinFile;
    s.skin.uiScale = app.screen.uiScale;
    s.skin.screenWidth = screen ? screen->w : 800;
    s.skin.screenHeight = screen ? screen->h : 600;
    s.skin.pageWidth = app.pageRects[0].w > 0 ? app.pageRects[0].w
                                              : s.skin.screenWidth * app.pageWidthPercent / 100;
    s.textColour = colourOf(st.textColor);
    s.tipColour = colourOf(st.tipColor);
    s.tipBackground = colourOf(st.tipBgColor);
    s.tipDelayMs = st.tipDelay;
    s.frameRate.fontName = st.fpsFont;
    s.frameRate.pointSize = st.fpsSize;
    s.frameRate.colour = colourOf(st.fpsColor);
    s.frameRate.position = st.fpsPosition;
    return s;
}

void loadToolkitImages(Application& app) {
    refreshToolkit(app, toolkitSettingsFrom(app));
    // The screen state owns the background it draws each frame (and frees it
    // when the video mode changes); the skin keeps no second copy.
    if (app.screen.skin) SDL_FreeSurface(app.screen.skin);
    app.screen.skin = nullptr;
    if (app.skin.playBackground && !isPlaceholder(app.skin.playBackground.get())) {
        app.screen.skin =
            SDL_ConvertSurface(app.skin.playBackground.get(), app.skin.playBackground->format,
                               app.skin.playBackground->flags);
        if (app.screen.skin) app.skin.playBackground.reset();
    }
}

void refreshToolkit(Application& app, const ToolkitSettings& s) {
    reopenFonts(app.fonts, s.fonts);
    loadSkinImages(app.skin, s.skin);
    loadFramePieces(app.skin.frame, s.skin.uiScale);
    ButtonStyle style;
    style.textColour = s.textColour;
    style.tipColour = s.tipColour;
    style.tipBackground = s.tipBackground;
    style.tipFont = app.fonts.tip;
    style.tipDelayMs = s.tipDelayMs;
    style.captionBackground = app.skin.captionBackground;
    app.buttonStyle = style;
    // The read-out reopens its font from the new settings on its next update.
    app.frameRate.font.reset();
}

void releaseToolkit(Application& app) {
    app.tooltip = TooltipSlot{};
    app.buttonStyle = ButtonStyle{};
    app.frameRate = FrameRateCounter{};
    releaseSkinImages(app.skin);
    // The play background was made by loadToolkitImages: released with the rest.
    if (app.screen.skin) SDL_FreeSurface(app.screen.skin);
    app.screen.skin = nullptr;
    closeFonts(app.fonts);
}
