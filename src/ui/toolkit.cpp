#include "ui/toolkit.h"

#include "app/application.h"

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
    closeFonts(app.fonts);
}
