// Showing a section on the play screen: each page panel renders its words and
// buttons once per show, lays them out with the layout arithmetic, and draws
// paper, border, text, buttons and scroll art every frame. Also the panels'
// mouse, wheel and key handling and turning the main page to a section.
#pragma once

#include "app/screen_maths.h"
#include "book/section_layout.h"
#include "book/section_page.h"
#include "script/condition.h"
#include "script/effect.h"
#include "ui/button.h"
#include "ui/page_scrollbar.h"

#include <memory>
#include <string>
#include <vector>

struct Application;

// One slot of the application's page list.
struct PagePanel : ButtonPage {
    int slot = -1;
    std::string title;
    SectionPage own;                 // the model of pages other than the main one
    SectionPage* model = &own;       // slot 0 shows the game's current section
    PageRect rect;
    bool rightSide = false;
    int scrollOffset = 0;
    int maxScroll = 0;
    bool laidOut = false;
    bool shown = false;
    int revision = -1; // the rules' page revision its buttons were built at
    int book = 1; // number of the book the words come from (text encoding, pictures)

    std::vector<std::unique_ptr<Button>> buttons; // the widgets of model->buttons, same order
    std::vector<LayoutButton> layoutButtons;
    PageMetrics metrics;

    int pageX() const override { return rect.x; }
    int pageY() const override { return rect.y; }
    int pageScroll() const override { return scrollOffset; }
};

// The book's illustrations as pages show them, decoded and scaled: a turn to
// an illustrated section, or a rule that rebuilds a page's buttons, then only
// copies a pointer. Up to `budget` bytes of pictures of one book are kept (a
// book's dozen or so at full-screen sizes), the least recently used going
// first; another book starts afresh.
struct PagePictureCache {
    size_t budget = 48u << 20;
    std::string book; // code of the book the pictures come from
    struct Entry {
        std::string key; // the picture and everything its scaled image depends on
        SurfacePtr image;
    };
    std::vector<Entry> entries; // most recently used last

    SurfacePtr find(const std::string& bookCode, const std::string& key);
    void put(const std::string& bookCode, const std::string& key, const SurfacePtr& image);
    void clear() {
        entries.clear();
        book.clear();
    }
};

// The page panels of the play screen and what goes with them.
struct PageDeck {
    std::vector<std::unique_ptr<PagePanel>> panels;
    int current[2] = {-1, -1};  // panel shown in the left and the right position
    int previous[2] = {-1, -1}; // what each position showed before
    int scrollPanel = 0;        // scrolled when the mouse is over no panel
    PageScrollbar scrollBars[2];
    bool digitsShown = false;  // the pages were laid out with room for the digit keys' labels
    SurfacePtr digitImages[9]; // the labels "1" to "9", made for one text size and colour
    long long digitImagesKey = -1;
    PagePictureCache pictures;
    // The page tabs: while the opening pages last, one per opening page, in
    // the right-hand position; a click shows that page on the main page.
    std::vector<std::unique_ptr<Button>> tabs;
    int tabsShownFor = -1; // the opening page the tabs were built for; -1 none
    int tabWanted = -1;    // a tab was clicked: the page to show after drawing
};

// The opening pages a new campaign goes through before section 1, in order,
// with the names of their tabs.
constexpr int OPENING_PAGE_COUNT = 3;
extern const char* const OPENING_PAGE_FILES[OPENING_PAGE_COUNT];
extern const char* const OPENING_PAGE_TABS[OPENING_PAGE_COUNT];
// Index of the opening page the main page shows; -1 when it shows none.
int shownOpeningPage(Application& app);
// Builds, rebuilds or removes the tabs for what the main page shows.
void refreshPageTabs(Application& app);
// Height of the band the tabs cover at the top of `page` (0 without tabs).
int pageTabBand(Application& app, const PagePanel& page);

PageDeck& pageDeck(Application& app);

void prepareSectionPage(Application& app, PagePanel& page);
// The button widgets alone, from the model's buttons (after the rules changed them).
void prepareButtons(Application& app, PagePanel& page);
void layoutSectionPage(Application& app, PagePanel& page);
void showSectionPage(Application& app, PagePanel& page, bool keepPrevious);
void unloadSectionPage(PagePanel& page);
void scrollSectionPage(Application& app, PagePanel& page, int direction, bool byScreen);
void drawSectionPage(Application& app, PagePanel& page, int elapsedMs);

// Entering play: the main page (slot 0) and the book's front-matter pages.
void resetPagePanels(Application& app);
// Forgets the decoded illustrations (new picture files, such as downloaded fan art).
void forgetPagePictures(Application& app);
// Frees every panel with its images (at shutdown).
void releasePagePanels(Application& app);
// The main page loads `sectionName` of the current book (an opening page, or
// a section without the rules of arriving there) and shows it.
void turnMainPageTo(Application& app, const std::string& sectionName);
// The main page shows the game's section as it stands (after the rules
// turned to it), scrolled to the top.
void showMainPage(Application& app);
// After the rules changed the page's buttons: new widgets, same scroll.
void refreshPageButtons(Application& app, PagePanel& page);
// After drawing: AUTOEXECUTE buttons in view fire, clicked buttons are
// pressed (through the rules), and the widgets follow what changed.
void runPagePresses(Application& app, PagePanel& page);

// Frame glue.
void drawPagePanels(Application& app, int elapsedMs);
void pagePanelsMouse(Application& app, int x, int y, bool down);
void pagePanelsMotion(Application& app, int x, int y);
void scrollPagePanels(Application& app, int direction, bool byPage);
void pagePanelsHomeEnd(Application& app, bool end);
// Presses the nth (1-9) visible clickable choice of the current page.
bool pressDigitButton(Application& app, int digit);
void switchPagePanel(Application& app, int button);

// The choice buttons the digit keys reach, in reading order.
// Choices wholly hidden under the top `topBand` pixels (the page tabs) do not count.
std::vector<Button*> digitButtons(PagePanel& page, int topBand = 0);

// Whether `page` shows the digit keys' labels beside its choices: the option
// is on and the page is the one the digit keys press.
bool showsChoiceDigits(Application& app, const PagePanel& page);

// Appends the page's shown buttons and section name to the QH_LAYOUT_LOG file.
void logPageLayout(const PagePanel& page);
