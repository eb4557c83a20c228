#include "book/section_page_view.h"
#include "ui/font.h"
#include "ui/image.h"
#include "ui_fixture.h"

#include "app/subsystem_hooks.h"
#include "book/section_script.h"
#include "fs/vfs.h"

#include <filesystem>
#include <tuple>

namespace {

class SectionPageViewTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        installFont("bluehigh.ttf");
        app().settings.textFont = "bluehigh";
        app().settings.textFontSize = 20;
        app().fonts.text = shareFont(openFont("bluehigh", 20));
        for (int i = 0; i < ART_SLOT_COUNT; ++i)
            app().skin.buttonArt8[i] = shareSurface(filledSurface(30, 20, 10 * i, 0, 0));
        panel.rect = PageRect{0, 0, 400, 300};
        panel.own.bookCode = "01ftak";
        panel.slot = 0;
    }
    void TearDown() override {
        // Captions hold the font, which reads through the file system.
        panel.buttons.clear();
        panel.own = SectionPage();
        releasePagePanels(app()); // the deck's pictures and labels, before the next test
        UiTest::TearDown();
    }
    PageWord& addWord(const std::string& text, int button = -1) {
        PageWord w;
        w.text = text;
        w.wordId = static_cast<int>(panel.own.words.size());
        if (button >= 0) {
            w.isButton = true;
            w.buttonId = button;
        }
        panel.own.words.push_back(w);
        return panel.own.words.back();
    }
    SectionButton& addButton(int id, const std::string& text, const std::string& picture = "") {
        SectionButton b;
        b.id = id;
        b.text = text;
        b.picture = picture;
        panel.own.buttons.push_back(b);
        return panel.own.buttons.back();
    }
    void picturePage() {
        addWord("Look");
        addWord("illustration:ill1", 7).endParagraph = true;
        addButton(7, " ", "ill1");
    }
    void prepare() {
        prepareSectionPage(app(), panel);
        layoutSectionPage(app(), panel);
    }

    PagePanel panel;
};

} // namespace

TEST_F(SectionPageViewTest, renders_words_and_lifts_footnote_markers) {
    addWord("Hello");
    addWord("FOOTNOTE:3").size = 70;
    addWord("world").endParagraph = true;
    prepare();
    const std::vector<PageWord>& w = panel.own.words;
    ASSERT_TRUE(w[0].image && w[1].image);
    EXPECT_GT(w[0].w, w[1].w); // only the "3" is drawn
    EXPECT_EQ(w[1].x, w[0].x + w[0].w);
    EXPECT_LT(w[1].y + w[1].h, w[0].y + w[0].h); // raised above the base line
    EXPECT_EQ(panel.maxScroll, 0);
    EXPECT_GT(panel.metrics.space, 0);
}

TEST_F(SectionPageViewTest, picture_choice_follows_use_fan_art) {
    SDL_Surface* fan = filledSurface(50, 40, 0, 0, 255);
    saveImage(fan, "fanart1/ill1.bmp");
    SDL_FreeSurface(fan);
    // Book illustration missing, fan art present: setting 1 shows the fan art.
    app().settings.useFanArt = 1;
    app().settings.transparify = false;
    picturePage();
    prepare();
    ASSERT_EQ(panel.buttons.size(), 1u);
    ASSERT_TRUE(panel.buttons[0]->pictureImage);
    EXPECT_FALSE(isPlaceholder(panel.buttons[0]->pictureImage.get()));
    EXPECT_TRUE(panel.buttons[0]->placed);
    unloadSectionPage(panel);
    panel.own = SectionPage();
    panel.own.bookCode = "01ftak";

    // Setting 0 wants the book's own: the button goes and its word is hidden.
    app().settings.useFanArt = 0;
    picturePage();
    prepare();
    EXPECT_TRUE(panel.buttons.empty());
    EXPECT_TRUE(panel.own.buttons.empty());
    EXPECT_TRUE(panel.own.words[1].ignore);
    EXPECT_FALSE(panel.own.words[1].isButton);
}

TEST_F(SectionPageViewTest, digit_keys_follow_reading_order_of_visible_choices) {
    for (int i = 0; i < 60; ++i)
        addWord("word");
    addWord("first", 2).endParagraph = true;
    addWord("second", 1).endParagraph = true;
    addButton(1, "Turn to 2");
    addButton(2, "Turn to 3");
    addButton(3, "Hidden"); // no word shows it
    prepare();
    std::vector<Button*> list = digitButtons(panel);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->id, 2);
    EXPECT_EQ(list[1]->id, 1);
    // Scrolled out of view they are no longer offered.
    panel.rect.h = 40;
    layoutSectionPage(app(), panel);
    panel.scrollOffset = 0;
    EXPECT_TRUE(digitButtons(panel).empty());
    scrollSectionPage(app(), panel, 1, true);
    EXPECT_GT(panel.scrollOffset, 0);
    for (int i = 0; i < 100; ++i)
        scrollSectionPage(app(), panel, 1, false);
    EXPECT_EQ(panel.scrollOffset, panel.maxScroll); // clamped at the bottom
    scrollSectionPage(app(), panel, -1, false);
    EXPECT_EQ(panel.scrollOffset, panel.maxScroll - panel.metrics.lineSkip);
}

TEST_F(SectionPageViewTest, the_digit_option_makes_room_before_each_shown_choice) {
    addWord("Go");
    addWord("first", 1).endParagraph = true;
    addWord("then", 2).endParagraph = true;
    addWord("illustration:ill1", 7).endParagraph = true;
    addButton(1, "Turn to 2");
    addButton(2, "Turn to 3");
    addButton(7, " ", "ill1");
    SDL_Surface* fan = filledSurface(50, 40, 0, 0, 255);
    saveImage(fan, "fanart1/ill1.bmp");
    SDL_FreeSurface(fan);
    pageDeck(app()).current[0] = panel.slot;
    prepare();
    ASSERT_EQ(panel.buttons.size(), 3u);
    std::vector<int> off;
    for (const auto& b : panel.buttons)
        off.push_back(b->x);
    app().settings.showChoiceDigits = true;
    ASSERT_TRUE(showsChoiceDigits(app(), panel));
    layoutSectionPage(app(), panel);
    const int room = panel.layoutButtons[0].digitRoom;
    EXPECT_GT(room, panel.metrics.space);
    EXPECT_EQ(panel.buttons[0]->x, off[0] + room);
    EXPECT_EQ(panel.buttons[1]->x, off[1] + room); // first on its line: in from the margin
    EXPECT_EQ(panel.buttons[2]->x, off[2]);        // a picture has no digit
    EXPECT_EQ(panel.layoutButtons[2].digitRoom, 0);
    // Only the page the digit keys press makes room.
    pageDeck(app()).current[0] = panel.slot + 1;
    layoutSectionPage(app(), panel);
    EXPECT_EQ(panel.buttons[0]->x, off[0]);
    releasePagePanels(app());
}

// A choice as wide as the line is set smaller while the digits are shown, so
// that with its digit it still ends at the margin, inside the sheet.
TEST_F(SectionPageViewTest, a_line_wide_choice_keeps_inside_the_sheet_with_its_digit) {
    pageDeck(app()).current[0] = panel.slot;
    // A caption that just fits the line without a digit: with one it would not.
    auto choice = [&](const std::string& caption, bool digits) {
        app().settings.showChoiceDigits = digits;
        panel.buttons.clear();
        panel.own = SectionPage();
        addWord("go", 1).endParagraph = true;
        addButton(1, caption);
        prepare();
        return hitImage(*panel.buttons[0])->w;
    };
    const PageMetrics& m = panel.metrics;
    choice("go", true);
    const int line = panel.rect.w - 2 * m.sideMargin(), room = panel.layoutButtons[0].digitRoom;
    ASSERT_GT(room, 0);
    std::string caption = "Take the road";
    while (choice(caption, false) <= line - room + 2 && caption.size() < 200)
        caption += "o";
    ASSERT_LE(choice(caption, false), line);
    const int width = choice(caption, true);
    EXPECT_LE(width, line - room);
    EXPECT_LE(panel.buttons[0]->x + width, m.sideMargin() + m.sideShift() + line);
}

// A picture is decoded and scaled once: later turns to its section, and
// rebuilt buttons, take it from memory, until the book or the files change.
TEST_F(SectionPageViewTest, pictures_are_decoded_once_per_book) {
    SDL_Surface* art = filledSurface(64, 48, 200, 30, 30);
    saveImage(art, "01ftak/en/xhtml/gs/01ftak/ill1.bmp");
    SDL_FreeSurface(art);
    app().settings.useFanArt = 0;
    auto showPicture = [&](const std::string& code) {
        panel.buttons.clear();
        panel.own = SectionPage();
        panel.own.bookCode = code;
        picturePage();
        prepare();
        return panel.buttons.empty() ? nullptr : panel.buttons[0]->pictureImage.get();
    };
    SDL_Surface* first = showPicture("01ftak");
    ASSERT_NE(first, nullptr);
    std::filesystem::remove(userFile("01ftak/en/xhtml/gs/01ftak/ill1.bmp"));
    EXPECT_EQ(showPicture("01ftak"), first); // the same image, not read again
    prepareButtons(app(), panel);
    EXPECT_EQ(panel.buttons[0]->pictureImage.get(), first);
    // A page of another size needs it scaled afresh: the file is gone, so is the picture.
    panel.rect.w = 300;
    EXPECT_EQ(showPicture("01ftak"), nullptr);
    panel.rect.w = 400;
    EXPECT_EQ(showPicture("01ftak"), first);
    forgetPagePictures(app());
    EXPECT_EQ(showPicture("01ftak"), nullptr);
    releasePagePanels(app());
}

TEST(PagePictureCacheTest, keeps_one_book_within_its_budget_dropping_the_least_used) {
    auto picture = [](int h) { return shareSurface(createArgbSurface(100, h)); };
    PagePictureCache cache;
    cache.budget = 100 * 4 * 30; // thirty rows of the 100-pixel pictures
    const SurfacePtr a = picture(10), b = picture(10), c = picture(10), d = picture(10);
    cache.put("01ftak", "a", a);
    cache.put("01ftak", "b", b);
    cache.put("01ftak", "c", c);
    EXPECT_EQ(cache.find("01ftak", "a"), a); // now the most recently used
    cache.put("01ftak", "d", d);             // over the budget: b goes
    EXPECT_EQ(cache.find("01ftak", "b"), nullptr);
    EXPECT_EQ(cache.find("01ftak", "a"), a);
    EXPECT_EQ(cache.find("01ftak", "c"), c);
    EXPECT_EQ(cache.find("02tdboh", "a"), nullptr); // another book's key space
    const SurfacePtr huge = picture(50);
    cache.put("01ftak", "huge", huge); // alone over the budget, but kept
    EXPECT_EQ(cache.entries.size(), 1u);
    EXPECT_EQ(cache.find("01ftak", "huge"), huge);
    cache.put("02tdboh", "a", a); // another book starts afresh
    EXPECT_EQ(cache.find("01ftak", "huge"), nullptr);
    EXPECT_EQ(cache.find("02tdboh", "a"), a);
}

// A book's illustration that is there but does not decode counts as missing.
TEST_F(SectionPageViewTest, a_picture_that_does_not_decode_leaves_the_page_standing) {
    SDL_Surface* art = filledSurface(64, 48, 200, 30, 30);
    saveImage(art, "good.bmp");
    SDL_FreeSurface(art);
    const std::string good = readRealFile(userFile("good.bmp"));
    const std::string folder = "01ftak/en/xhtml/gs/01ftak/";
    std::filesystem::create_directories(userFile(folder));
    // A real PNG cut off halfway, and a bitmap cut off in its pixels.
    const std::string png =
        readRealFile(std::string(QH_BUILD_DIR) + "/data/buttons/misc/checkbox.png");
    ASSERT_GT(png.size(), 100u);
    writeRealFile(userFile(folder + "ill1.png"), png.substr(0, png.size() / 2));
    writeRealFile(userFile(folder + "ill2.bmp"), good.substr(0, good.size() / 3));
    for (int fanArt : {0, 1}) {
        SCOPED_TRACE(fanArt);
        app().settings.useFanArt = fanArt;
        panel.buttons.clear();
        panel.own = SectionPage();
        panel.own.bookCode = "01ftak";
        addWord("Look");
        addWord("illustration:ill1", 7).endParagraph = true;
        addWord("illustration:ill2", 8).endParagraph = true;
        addWord("then", 1).endParagraph = true;
        addButton(7, " ", "ill1");
        addButton(8, " ", "ill2");
        addButton(1, "Turn to 2");
        prepare();
        // Without fan art both pictures go; the words and the choice stay.
        ASSERT_EQ(panel.buttons.size(), 1u);
        EXPECT_EQ(panel.buttons[0]->id, 1);
        EXPECT_TRUE(panel.buttons[0]->placed);
        EXPECT_TRUE(panel.own.words[1].ignore);
        EXPECT_TRUE(panel.own.words[2].ignore);
        EXPECT_TRUE(panel.own.words[0].image);
    }
}

TEST_F(SectionPageViewTest, bad_input_still_shows_the_page) {
    addWord(std::string(10000, 'x'));
    addWord("refers", 42); // the page has one button, not 42: the first is used
    addButton(5, "Only");
    panel.rect = PageRect{0, 0, 0, 0};
    prepare();
    EXPECT_TRUE(panel.own.words[0].image);
    EXPECT_TRUE(panel.buttons[0]->placed);
}

TEST_F(SectionPageViewTest, a_page_of_twenty_thousand_words_runs_far_down_the_sheet) {
    for (int i = 0; i < 20000; ++i)
        addWord(i % 7 == 0 ? "," : "word").endParagraph = i % 500 == 499;
    addWord("last", 3);
    addButton(3, "turn to 2");
    prepare();
    const PageWord& last = panel.own.words[19999];
    EXPECT_GT(last.y, 32767); // well past what a 16-bit position holds
    EXPECT_GT(panel.maxScroll, last.y - panel.rect.h);
    EXPECT_TRUE(panel.buttons[0]->placed);
    EXPECT_GT(panel.buttons[0]->y, last.y - panel.metrics.lineSkip);
    // A huge sheet from the settings fits it all without scrolling.
    panel.rect = PageRect{0, 0, 30000, 30000};
    layoutSectionPage(app(), panel);
    EXPECT_EQ(panel.maxScroll, 0);
}

// Showing a page makes everything its first frame draws: the first frame
// after a turn only copies images.
TEST_F(SectionPageViewTest, showing_makes_the_border_and_scroll_bar_ahead_of_drawing) {
    for (int i = 0; i < 400; ++i)
        addWord("long");
    app().settings.paperShowBorder = true;
    app().screen.uiScale = 1.0f;
    showSectionPage(app(), panel, false);
    EXPECT_TRUE(panel.shown);
    EXPECT_TRUE(app().skin.tilesLoaded);
    const PageScrollbar& bar = pageDeck(app()).scrollBars[0];
    EXPECT_TRUE(bar.thumbImages[1]);
    EXPECT_TRUE(bar.trackImage);
    EXPECT_GT(panel.maxScroll, 0);
    unloadSectionPage(panel);
    releasePagePanels(app());
}

namespace {

// The demo books as shipped: the built archives and scripts.
class DemoPicturesTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        mountBuiltData();
        app().settings.setDefaults();
        hooks::loadCataloguesBeforeSettings(app());
        app().fonts.text = shareFont(openFont(app().settings.textFont, 20));
    }
    void TearDown() override {
        panel.buttons.clear();
        panel.own = SectionPage();
        UiTest::TearDown();
    }
    // Loads and prepares `section` of `book` on a 1280 x 1024 screen's page.
    void show(int book, const std::string& code, const std::string& section) {
        const std::string folder =
            std::string(QH_BUILD_DIR) + "/data/books/book" + std::to_string(book) + "/";
        ASSERT_TRUE(vfsMount(folder + code + ".zip", code));
        ASSERT_TRUE(vfsMount(folder + std::to_string(book) + "data", code)); // the scripts
        panel.buttons.clear();
        panel.own = SectionPage();
        panel.own.bookCode = code;
        panel.own.sectionName = section;
        panel.book = book;
        panel.rect = PageRect{40, 100, 589, 819};
        ScriptContext context{app().catalogues.conditionTypes, app().catalogues.effectTypes,
                              nullptr, nullptr};
        ASSERT_TRUE(loadSection(panel.own, context));
        prepareSectionPage(app(), panel);
        layoutSectionPage(app(), panel);
    }
    PagePanel panel;
};

} // namespace

// Every illustration of both books stands in its section as a picture, drawn
// from the archive, in place of its "illustration:" word.
TEST_F(DemoPicturesTest, illustrated_sections_show_their_pictures) {
    const std::vector<std::tuple<int, std::string, std::string, std::string>> pages = {
        {1, "01ftak", "sect74", "ill1"},   {1, "01ftak", "sect181", "ill6"},
        {1, "01ftak", "sect350", "ill11"}, {2, "02tdboh", "sect1", "ill1"},
        {2, "02tdboh", "sect340", "ill6"}};
    for (const auto& [book, code, section, picture] : pages) {
        SCOPED_TRACE(section + " of " + code);
        show(book, code, section);
        const Button* shown = nullptr;
        for (const auto& b : panel.buttons)
            if (b->picture == picture) shown = b.get();
        ASSERT_NE(shown, nullptr);
        ASSERT_TRUE(shown->pictureImage);
        EXPECT_GT(shown->pictureImage->w, 100);
        EXPECT_TRUE(shown->placed);
        EXPECT_FALSE(shown->clickable); // shown, not a choice
        EXPECT_LE(shown->x + shown->pictureImage->w, panel.rect.w); // within the sheet
        for (const PageWord& w : panel.own.words)
            if (w.text == "illustration:" + picture) {
                EXPECT_TRUE(w.isButton);
            }
    }
}

// The book's own pages stand in the right-hand position, one slot per entry
// of the book's table: they read their text when first shown, keep it clear of
// the scroll bar at their right edge, and offer none of their script's choices.
TEST_F(DemoPicturesTest, the_books_own_pages_show_their_text_on_the_right) {
    const std::string folder = std::string(QH_BUILD_DIR) + "/data/books/book1/";
    ASSERT_TRUE(vfsMount(folder + "01ftak.zip", "01ftak"));
    ASSERT_TRUE(vfsMount(folder + "1data", "01ftak"));
    app().game.character.onBook = 1;
    app().pageRects[0] = PageRect{40, 100, 589, 819};
    app().pageRects[1] = PageRect{680, 100, 589, 819};
    resetPagePanels(app());
    PageDeck& deck = pageDeck(app());
    ASSERT_EQ(deck.panels.size(), app().catalogues.frontMatter.size());
    PagePanel& rules = *deck.panels[5];
    ASSERT_EQ(rules.title, "Game Rules");
    ASSERT_TRUE(rules.rightSide);
    showSectionPage(app(), rules, false);
    EXPECT_EQ(deck.current[1], 5);
    ASSERT_GT(rules.own.words.size(), 50u);
    EXPECT_TRUE(rules.buttons.empty()); // the opening's choices are the main page's
    EXPECT_GT(rules.maxScroll, 0);
    const PageMetrics& m = rules.metrics;
    const int textRight = rules.rect.w - m.sideMargin() - m.sideShift();
    const PageScrollbar& bar = deck.scrollBars[1];
    for (const PageWord& w : rules.own.words) {
        if (w.ignore) continue;
        EXPECT_GE(w.x, 0);
        EXPECT_LE(w.x + w.w, textRight + 2) << w.text;
    }
    EXPECT_GE(bar.geometry.trackX, rules.rect.x + textRight);
    releasePagePanels(app());
}

// A choice under the pointer lights up and shows its tooltip, but not while a
// window (a message, the death notice) lies over the page.
TEST_F(SectionPageViewTest, an_open_window_keeps_the_choices_under_it_dark) {
    addWord("first", 1).endParagraph = true;
    addButton(1, "Fight").tooltip = "Fight a round of this combat";
    prepare();
    SurfacePtr screen = shareSurface(filledSurface(400, 300, 0, 0, 0));
    app().screen.surface = screen.get();
    panel.shown = true;
    ASSERT_EQ(panel.buttons.size(), 1u);
    Button& b = *panel.buttons[0];
    ASSERT_TRUE(b.placed);
    int x = -1, y = -1;
    for (int py = 0; py < 300 && x < 0; ++py)
        for (int px = 0; px < 400 && x < 0; ++px)
            if (hitTest(b, px, py)) x = px, y = py;
    ASSERT_GE(x, 0);
    app().mouseX = x;
    app().mouseY = y;
    auto drawAWhile = [&] {
        app().tooltip.image.reset();
        for (int i = 0; i < 10; ++i) drawSectionPage(app(), panel, 200);
    };
    drawAWhile();
    EXPECT_TRUE(b.hovered);
    EXPECT_TRUE(app().tooltip.image);

    auto w = std::make_unique<GameWindow>();
    w->id = 4;
    app().windowManager.openStack.push_back(w.get());
    app().windowManager.table.push_back(std::move(w));
    drawAWhile();
    EXPECT_FALSE(b.hovered);
    EXPECT_FALSE(app().tooltip.image);
    app().windowManager.openStack.clear();
    app().screen.surface = nullptr;
}
