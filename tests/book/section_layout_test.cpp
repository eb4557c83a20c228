#include "book/section_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// S 20 gives M 25, T 10, D 15; ascent 16, line skip 24, space 5 (tab unit 20).
PageMetrics metrics() {
    PageMetrics m;
    m.size = 20;
    m.ascent = 16;
    m.lineSkip = 24;
    m.space = 5;
    return m;
}

PageWord word(const std::string& text, int w = 40, int h = 24) {
    PageWord pw;
    pw.text = text;
    pw.w = w;
    pw.h = h;
    pw.ascent = 16;
    return pw;
}

struct Page {
    std::vector<PageWord> words;
    std::vector<int> buttonOf;
    std::vector<LayoutButton> buttons;
    PageSize size{250, 400, false}; // 200 pixels of line between the margins
    int maxScroll = -1;

    PageWord& add(const std::string& text, int w = 40) {
        words.push_back(word(text, w));
        buttonOf.push_back(-1);
        return words.back();
    }
    void run() {
        buttonOf.resize(words.size(), -1);
        maxScroll = layoutWords(words, buttonOf, buttons, metrics(), size);
    }
    int right(int i) const { return words[i].x + words[i].w; }
};

constexpr int M = 25, T = 10, D = 15, L = 24;

} // namespace

TEST(SectionLayoutTest, justifies_full_lines_but_not_the_last_of_a_paragraph) {
    Page p;
    for (int i = 0; i < 7; ++i)
        p.add("w" + std::to_string(i));
    p.words.back().endParagraph = true;
    p.run();
    // Four 40-pixel words fit in 200 with 5-pixel spaces (175); the fifth does not.
    EXPECT_EQ(p.words[0].x, M + D);
    EXPECT_EQ(p.words[0].y, T);
    EXPECT_EQ(p.words[4].y, T + L);
    EXPECT_EQ(p.right(3), M + D + 200); // stretched to the right margin
    EXPECT_EQ(p.words[1].x, M + D + 40 + 13); // (200 - 160) / 3 each
    // The paragraph's last line keeps plain spaces.
    EXPECT_EQ(p.words[5].x, p.right(4) + 5);
    EXPECT_EQ(p.words[6].x, p.right(5) + 5);
    EXPECT_EQ(p.maxScroll, 0); // a short page
}

TEST(SectionLayoutTest, a_word_wider_than_the_line_stands_alone) {
    Page p;
    p.add("a");
    p.add("enormous", 300);
    p.add("b").endParagraph = true;
    p.run();
    EXPECT_EQ(p.words[0].y, T);
    EXPECT_EQ(p.words[1].y, T + L);
    EXPECT_EQ(p.words[1].x, M + D);
    EXPECT_GT(p.right(1), 250); // runs past the right margin
    EXPECT_EQ(p.words[2].y, T + 2 * L);
}

TEST(SectionLayoutTest, punctuation_and_brackets_keep_to_their_words) {
    // The comma overflows the margin yet stays on the line, glued.
    Page comma;
    for (int i = 0; i < 4; ++i)
        comma.add("w");
    comma.add(",", 8);
    comma.add("next");
    comma.words.back().endParagraph = true;
    comma.run();
    EXPECT_EQ(comma.words[4].y, T);
    EXPECT_EQ(comma.words[4].x, comma.right(3));
    EXPECT_EQ(comma.words[5].y, T + L);

    // A "(" that would end a line goes down with the word it opens.
    Page bracket;
    for (int i = 0; i < 3; ++i)
        bracket.add("w", 50);
    bracket.add("(", 6);
    bracket.add("aside");
    bracket.words.back().endParagraph = true;
    bracket.run();
    EXPECT_EQ(bracket.words[3].y, T + L);
    EXPECT_EQ(bracket.words[3].x, M + D);
    EXPECT_EQ(bracket.words[4].x, bracket.right(3)); // no gap after "("
    EXPECT_EQ(bracket.words[4].y, T + L);
    EXPECT_EQ(bracket.right(2), M + D + 200); // the line before is still justified
}

TEST(SectionLayoutTest, centred_heading_then_justified_text) {
    Page p;
    PageWord& h = p.add("Heading", 100);
    h.beginCentre = h.endCentre = true;
    h.size = 140;
    for (int i = 0; i < 5; ++i)
        p.add("w");
    p.words[3].newParagraph = false;
    p.words.back().endParagraph = true;
    p.run();
    EXPECT_EQ(p.words[0].x, 250 / 2 - 50 + D);
    EXPECT_EQ(p.words[1].y, T + L);
    EXPECT_EQ(p.words[1].x, M + D);
    EXPECT_EQ(p.right(4), M + D + 200);
}

TEST(SectionLayoutTest, footnote_marker_is_raised_and_glued) {
    Page p;
    p.add("word");
    PageWord& marker = p.add("FOOTNOTE:3", 6);
    marker.ascent = 16 * 14 / 10; // as the renderer lifts it
    p.add("more").endParagraph = true;
    p.run();
    EXPECT_EQ(p.words[1].x, p.right(0));
    EXPECT_EQ(p.words[1].y, T + 16 - 22);
    EXPECT_LT(p.words[1].y, p.words[0].y);
    EXPECT_EQ(p.words[2].x, p.right(1) + 5);
}

TEST(SectionLayoutTest, indents_and_hanging_indents) {
    Page p;
    PageWord& first = p.add("choice");
    first.leftTabs = 1;
    first.hangIndent = 2;
    for (int i = 0; i < 5; ++i)
        p.add("w");
    p.words.back().endParagraph = true;
    p.add("after").endParagraph = true;
    p.run();
    EXPECT_EQ(p.words[0].x, M + D + 20);
    // Following lines of the paragraph hang two tab units in.
    const int second = 4; // 20 + 4 * 40 + 3 * 5 fits, a fifth word does not
    EXPECT_EQ(p.words[second].y, T + L);
    EXPECT_EQ(p.words[second].x, M + D + 40);
    // The next paragraph is back at the margin.
    EXPECT_EQ(p.words[6].x, M + D);
}

TEST(SectionLayoutTest, buttons_sit_on_the_text_line_and_pictures_take_their_height) {
    Page p;
    p.add("Turn");
    p.add("to");
    p.add("btn").endParagraph = true;
    p.buttonOf = {-1, -1, 0};
    LayoutButton b;
    b.width = 60;
    b.height = b.stateHeight = 34;
    b.hasCaption = true;
    b.captionHeight = 24;
    b.captionOffsetY = 2;
    p.buttons.push_back(b);
    PageWord& pic = p.add("illustration:ill1");
    pic.newParagraph = pic.beginCentre = pic.endCentre = pic.endParagraph = true;
    LayoutButton picture;
    picture.width = 120;
    picture.height = 340;
    picture.hasPicture = true;
    p.buttons.push_back(picture);
    p.buttonOf[3] = 1;
    p.add("below").endParagraph = true;
    p.run();
    ASSERT_TRUE(p.buttons[0].placed);
    EXPECT_EQ(p.buttons[0].x, p.right(1) + 5);
    EXPECT_EQ(p.buttons[0].y, T - (17 - 12 - 1)); // caption centred on the line
    const int picY = T + 2 * L;                   // next line plus the blank line
    EXPECT_EQ(p.buttons[1].y, picY);
    EXPECT_EQ(p.buttons[1].x, 125 - 60 + D);
    EXPECT_EQ(p.words[4].y, picY + 340); // the text resumes under the picture
    // The sheet scrolls far enough to show the last line with a margin under it.
    EXPECT_EQ(p.maxScroll, T + picY + 340 + 16 - 400);
}

TEST(SectionLayoutTest, a_choice_keeps_room_for_its_digit_before_it) {
    LayoutButton choice;
    choice.width = 60;
    choice.height = choice.stateHeight = 30;
    choice.hasCaption = true;
    choice.captionHeight = 24;
    const int room = choiceDigitRoom(metrics(), 10); // a 10-pixel digit and its gap
    ASSERT_EQ(room, 12);
    // Without the room the choice fits after three words (40+5+40+5+40+5+60 = 195
    // of 200); with it, it goes down to start the next line.
    Page fits, wraps;
    for (Page* p : {&fits, &wraps}) {
        for (const char* w : {"Go", "to", "the"})
            p->add(w);
        p->add("btn").endParagraph = true;
        p->buttonOf = {-1, -1, -1, 0};
        p->buttons.push_back(choice);
    }
    wraps.buttons[0].digitRoom = room;
    fits.run();
    wraps.run();
    EXPECT_EQ(fits.buttons[0].x, fits.right(2) + 5);
    EXPECT_EQ(wraps.buttons[0].y, fits.buttons[0].y + L);
    EXPECT_EQ(wraps.buttons[0].x, M + D + room);
    // The digit stands where the line's text starts, centred on the button.
    DigitSpot spot = choiceDigitSpot(wraps.buttons[0], metrics(), 10, 20);
    EXPECT_EQ(spot.x, M + D);
    EXPECT_EQ(spot.y, wraps.buttons[0].y + 5);
    // Inside a justified line the room comes after the word gap: the digit
    // never touches the word before it, and the line still ends at the margin.
    Page inLine;
    inLine.add("Go");
    inLine.add("btn");
    inLine.add("now", 60);
    inLine.add("more").endParagraph = true;
    inLine.buttonOf = {-1, 0, -1, -1};
    inLine.buttons.push_back(choice);
    inLine.buttons[0].digitRoom = room;
    inLine.run();
    ASSERT_EQ(inLine.words[2].y, inLine.words[0].y); // one line: 40+12+60+60 and gaps
    spot = choiceDigitSpot(inLine.buttons[0], metrics(), 10, 20);
    EXPECT_GE(spot.x, inLine.right(0) + 5);
    EXPECT_EQ(spot.x + 10 + 2, inLine.buttons[0].x);
    EXPECT_EQ(inLine.right(2), M + D + 200);
}

TEST(SectionLayoutTest, right_hand_page_shifts_text_left) {
    Page left, right;
    right.size.rightSide = true;
    for (Page* p : {&left, &right}) {
        p->add("one");
        p->add("two").endParagraph = true;
        p->run();
    }
    EXPECT_EQ(left.words[0].x, M + D);
    EXPECT_EQ(right.words[0].x, M - D);
    EXPECT_EQ(right.words[1].x, left.words[1].x - 2 * D);
}

TEST(SectionLayoutTest, hidden_words_take_no_room) {
    Page p;
    p.add("a");
    p.add("gone").ignore = true;
    p.add("b").endParagraph = true;
    PageWord& last = p.add("tail");
    last.ignore = true;
    p.run();
    EXPECT_EQ(p.words[2].x, p.right(0) + 5);
    EXPECT_EQ(p.words[2].y, T);
}

TEST(SectionLayoutTest, bad_sizes_never_hang_or_divide_by_zero) {
    Page zero;
    zero.size = PageSize{0, 0, false};
    for (int i = 0; i < 50; ++i)
        zero.add("w");
    zero.run();
    EXPECT_EQ(zero.words[49].y, T + 49 * L); // one word per line
    EXPECT_GT(zero.maxScroll, 0);

    Page many;
    many.size = PageSize{30000, 20000, false};
    for (int i = 0; i < 20000; ++i)
        many.add(i % 7 == 6 ? "," : "w", i % 7 == 6 ? 4 : 40 + i % 13).endParagraph = i % 50 == 49;
    many.run();
    EXPECT_GT(many.words.back().y, many.words.front().y);

    // Words that refer to buttons the page lacks are laid out as text.
    Page missing;
    missing.add("x").endParagraph = true;
    missing.buttonOf = {5};
    missing.run();
    EXPECT_EQ(missing.words[0].x, M + D);

    Page empty;
    empty.run();
    EXPECT_EQ(empty.maxScroll, 0);
}

TEST(SectionLayoutTest, covered_bands_move_the_text_and_the_scroll_limit) {
    Page plain, banded;
    banded.size.topInset = 30;    // the tab row
    banded.size.bottomInset = 12; // the scroll strip
    for (Page* p : {&plain, &banded}) {
        for (int i = 0; i < 80; ++i)
            p->add("w").endParagraph = i % 4 == 3;
        p->run();
    }
    EXPECT_EQ(banded.words[0].y, plain.words[0].y + 30);
    EXPECT_EQ(banded.words.back().y, plain.words.back().y + 30);
    ASSERT_GT(plain.maxScroll, 0);
    EXPECT_EQ(banded.maxScroll, plain.maxScroll + 30 + 12);
}

TEST(SectionLayoutTest, a_line_of_self_firing_buttons_takes_no_room) {
    Page p;
    p.add("first").endParagraph = true;
    PageWord& fire = p.add("AUTOEXECUTE");
    fire.newParagraph = fire.beginCentre = fire.endCentre = fire.endParagraph = true;
    PageWord& next = p.add("second");
    next.newParagraph = next.endParagraph = true;
    p.buttonOf = {-1, 0, -1};
    LayoutButton unseen;
    unseen.width = 90;
    unseen.height = unseen.stateHeight = 30;
    unseen.unseen = true;
    p.buttons.push_back(unseen);
    p.run();
    // One blank line between the paragraphs, as if the button were not there;
    // the button still stands there to scroll into view.
    EXPECT_EQ(p.words[2].y, T + 2 * L);
    EXPECT_TRUE(p.buttons[0].placed);
    EXPECT_EQ(p.buttons[0].y, T + L);
}
