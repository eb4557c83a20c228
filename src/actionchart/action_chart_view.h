// Drawing the Action Chart beside the book: the header with its tabs and zoom
// buttons, the group tabs, and the lines and buttons of the page model, in the
// right-hand page rectangle. Clicks go to performChartAction.
#pragma once

#include "actionchart/chart_model.h"
#include "ui/button.h"

#include <memory>
#include <string>
#include <vector>

struct Application;
union SDL_Event;

struct ChartLineView {
    ChartLine line;
    SurfacePtr textImage;
    SurfacePtr picture;
    SurfacePtr badge; // the "newly" mark after an award's medal
    int x = 0, y = 0, h = 0; // page-relative, before scrolling
    int textTop = -1;        // the text's offset in the line; -1 centred
    std::vector<std::unique_ptr<Button>> buttons;
    int hoverMs = 0;
};

// Where chart buttons sit on the screen: the header does not scroll, the body does.
struct ChartButtonPage : ButtonPage {
    int x = 0, y = 0, scroll = 0;
    int pageX() const override { return x; }
    int pageY() const override { return y; }
    int pageScroll() const override { return scroll; }
};

struct ActionChartView {
    ChartButtonPage headerPage, bodyPage;
    ChartState state;
    bool shown = true;
    int scroll = 0;
    int maxScroll = 0;
    std::string signature; // what the laid-out page was built from
    int builtZoom = -1, builtWidth = -1;
    FontPtr font, headingFont, smallFont;
    int fontZoom = -1;
    std::vector<ChartLineView> lines;
    std::vector<std::unique_ptr<Button>> tabs;      // the seven main tabs, then the zoom pair
    std::vector<std::unique_ptr<Button>> groupTabs; // the three tabs of a group page
    int groupOf = 0;
    SurfacePtr header;
    SurfacePtr paper;
    int bodyTop = 0; // page-relative top of the scrolled area
    int loggedScroll = -1; // the scroll the layout log last recorded
};

// The chart of the application (made on first use).
ActionChartView& actionChartView(Application& app);
// Where the chart is drawn: the right-hand page rectangle.
bool actionChartOnScreen(Application& app);
void drawActionChart(Application& app, int elapsedMs);
// Mouse buttons: true when the chart took the event.
bool actionChartMouse(Application& app, int x, int y, bool down);
// Wheel or keys over the chart: true when it scrolled.
bool actionChartScroll(Application& app, int direction, bool byPage);
// The context the page model needs from the application (profile name, awards).
ChartContext actionChartContext(Application& app);
void releaseActionChart(Application& app);
