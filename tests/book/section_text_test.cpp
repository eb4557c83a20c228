#include "app/message_queue.h"
#include "book/section_text.h"
#include "fs/vfs.h"
#include "support/test_env.h"

#include <string>
#include <vector>

namespace {

const char* const HEAD = "<html>\n<head><title>Skipped</title></head>\n<body>\n<div id=\"body\">\n";

std::vector<PageWord> convert(const std::string& body, const std::string& section = "sect1") {
    DataFile f = openMemoryRead(HEAD + body + "\n</div>\n</body>\n</html>\n", section + ".htm");
    std::vector<PageWord> words;
    convertSectionText(f, section, words);
    return words;
}

std::vector<std::string> texts(const std::vector<PageWord>& words) {
    std::vector<std::string> out;
    for (const PageWord& w : words)
        out.push_back(w.text);
    return out;
}

using Texts = std::vector<std::string>;

const PageWord& word(const std::vector<PageWord>& words, const std::string& text) {
    for (const PageWord& w : words)
        if (w.text == text) return w;
    static PageWord none;
    ADD_FAILURE() << "no word " << text;
    return none;
}

} // namespace

TEST(SectionTextWords, DashesBecomeWordsOfTheirOwn) {
    EXPECT_EQ(texts(convert("<p>He said--no more.</p>")),
              (Texts{"He", "said", "--", "no", "more."}));
    EXPECT_EQ(texts(convert("<p>Wait\xE2\x80\x94there.</p>")),
              (Texts{"Wait", "\xE2\x80\x94", "there."}));
    // A token that starts with the dash keeps it glued (only inner dashes split).
    EXPECT_EQ(texts(convert("--x")), (Texts{"--x"}));
    EXPECT_EQ(texts(convert("<p>--x</p>")), (Texts{"--", "x"}));
}

TEST(SectionTextWords, ClosingTagBeforeAFullStopGluesTheStopToTheLink) {
    auto w = convert("<p class=\"choice\">If you wish to fight, <a href=\"sect2.htm\">turn to "
                     "2</a>.</p>");
    EXPECT_EQ(texts(w), (Texts{"If", "you", "wish", "to", "fight,", "turn", "to", "2."}));
    EXPECT_TRUE(w.back().endParagraph);
    EXPECT_TRUE(w[0].newParagraph);
    EXPECT_EQ(w[0].leftTabs, 1);
    EXPECT_EQ(w[0].hangIndent, 2);
}

TEST(SectionTextWords, ParagraphMarkOnlyAfterTheFirstWord) {
    auto w = convert("<p>First words.</p>\n<p>Second paragraph.</p>");
    ASSERT_EQ(texts(w), (Texts{"First", "words.", "Second", "paragraph."}));
    EXPECT_FALSE(w[0].newParagraph);
    EXPECT_TRUE(w[1].endParagraph);
    EXPECT_TRUE(w[2].newParagraph);
}

TEST(SectionTextWords, HeadingsAreCentredBoldAndSizedByLevel) {
    auto w = convert("<h2>Alone</h2>");
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0].size, 140);
    EXPECT_TRUE(w[0].bold);
    EXPECT_TRUE(w[0].beginCentre);
    EXPECT_TRUE(w[0].endCentre);
    EXPECT_FALSE(w[0].newParagraph); // nothing before it

    w = convert("<p>Text</p>\n<h1>The Long Title</h1>\n<p>after</p>");
    ASSERT_EQ(texts(w), (Texts{"Text", "The", "Long", "Title", "after"}));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(w[i].size, 150) << i;
        EXPECT_TRUE(w[i].bold) << i;
    }
    EXPECT_TRUE(w[1].newParagraph);
    EXPECT_TRUE(w[1].beginCentre);
    EXPECT_TRUE(w[3].endCentre);
    EXPECT_EQ(w[4].size, 100);
    EXPECT_FALSE(w[4].bold);
    EXPECT_EQ(convert("<h6>x</h6>")[0].size, 100);
}

TEST(SectionTextWords, ItalicAndBoldSpans) {
    auto w = convert("<p>a <i>word</i> after <cite>The Book of Ways</cite> <strong>big "
                     "bold</strong> plain</p>");
    ASSERT_EQ(texts(w),
              (Texts{"a", "word", "after", "The", "Book", "of", "Ways", "big", "bold", "plain"}));
    EXPECT_FALSE(w[0].italic);
    EXPECT_TRUE(w[1].italic);
    EXPECT_FALSE(w[2].italic);
    for (int i = 3; i <= 6; ++i)
        EXPECT_TRUE(w[i].italic) << w[i].text;
    EXPECT_TRUE(w[7].bold);
    EXPECT_TRUE(w[8].bold);
    EXPECT_FALSE(w[9].bold);
}

TEST(SectionTextWords, IllustrationsBecomeNamedPlaceholders) {
    auto w = convert("<p>Before.</p>\n<div class=\"illustration\"><img alt=\"illustration\" "
                     "src=\"ill3.png\" width=\"386\" height=\"600\" /></div>\n<p>After.</p>");
    ASSERT_EQ(texts(w), (Texts{"Before.", "illustration:ill3", "After."}));
    const PageWord& ill = w[1];
    EXPECT_TRUE(ill.newParagraph && ill.endParagraph && ill.beginCentre && ill.endCentre);
    EXPECT_EQ(ill.addLines, 0);

    EXPECT_EQ(texts(convert("<img alt=\"[illustration]\" src=\"small7.gif\" />")),
              (Texts{"illustration:small7"}));
    EXPECT_EQ(texts(convert("<img alt=\"illustration\" />")), (Texts{"illustration"}));
    // Other pictures are plain tags without a word.
    EXPECT_TRUE(convert("<img alt=\"map\" src=\"map.png\" />").empty());
}

TEST(SectionTextWords, OneFightPlaceholderPerSection) {
    auto w = convert("<p>Text.</p>\n<p class=\"combat\">Wolf: COMBAT SKILL 14</p>\n"
                     "<p class=\"combat\">Wolf: COMBAT SKILL 12</p>");
    EXPECT_EQ(texts(w), (Texts{"Text.", "Fight", "Wolf:", "COMBAT", "SKILL", "14",
                               "Wolf:", "COMBAT", "SKILL", "12"}));
    const PageWord& fight = w[1];
    EXPECT_TRUE(fight.newParagraph && fight.endParagraph && fight.beginCentre && fight.endCentre);
    EXPECT_TRUE(w[2].beginCentre);
    EXPECT_TRUE(w[6].beginCentre);
    EXPECT_EQ(w[3].size, 80);
    EXPECT_EQ(w[4].size, 80);
    EXPECT_EQ(w[5].size, 100);
}

TEST(SectionTextWords, TableOfContentsItemsEndThePreviousEntry) {
    auto w = convert("<ul>\n<li><a href=\"title.htm\">Title Page</a></li>\n"
                     "<li><a href=\"tssf.htm\">The Story So Far</a></li>\n</ul>",
                     "toc");
    ASSERT_EQ(texts(w), (Texts{"Title", "Page", "The", "Story", "So", "Far"}));
    EXPECT_TRUE(w[1].endParagraph);
    EXPECT_FALSE(w[0].endParagraph);
    EXPECT_TRUE(w[5].endParagraph);
}

TEST(SectionTextWords, OrderedListsAreNumberedAndRestart) {
    auto w = convert("<p>Rules:</p>\n<ol>\n<li>Eat.</li>\n<li>Rest well.</li>\n</ol>\n"
                     "<p>More:</p>\n<ol>\n<li>Again.</li>\n</ol>",
                     "gamerulz");
    ASSERT_EQ(texts(w),
              (Texts{"Rules:", "1.", "Eat.", "2.", "Rest", "well.", "More:", "1.", "Again."}));
    EXPECT_EQ(w[1].hangIndent, 1);
    EXPECT_EQ(w[1].leftTabs, 1); // the item's indent rides on its number
    EXPECT_EQ(w[2].leftTabs, 0);
    EXPECT_TRUE(w[2].endParagraph);
    EXPECT_TRUE(w[5].endParagraph);
    // "levels" opens the first item with a blank line.
    auto levels = convert("<p>Ranks</p>\n<ol>\n<li>Novice</li>\n</ol>", "levels");
    EXPECT_TRUE(word(levels, "1.").newParagraph);
    EXPECT_FALSE(word(levels, "Novice").newParagraph);
}

TEST(SectionTextWords, UnorderedListItemsIndentWithoutNumbers) {
    auto w = convert("<ul>\n<li>Sword</li>\n<li>Rope</li>\n</ul>", "equipmnt");
    ASSERT_EQ(texts(w), (Texts{"Sword", "Rope"}));
    EXPECT_EQ(w[0].leftTabs, 1);
    EXPECT_EQ(w[0].hangIndent, 1);
}

TEST(SectionTextWords, CopyrightParagraphStopsTheConversion) {
    auto w = convert("<p>The end of it.</p>\n<p class=\"copyright\">Copyright 2015 Someone.</p>\n"
                     "<p>Never</p>");
    EXPECT_EQ(texts(w), (Texts{"The", "end", "of", "it."}));
    EXPECT_TRUE(w.back().endParagraph);
}

TEST(SectionTextWords, WithoutBodyMarkerTheWholeFileIsConverted) {
    DataFile f = openMemoryRead("<html><title>Top</title>\n<p>Body text</p>\n", "x.htm");
    std::vector<PageWord> w;
    convertSectionText(f, "sect9", w);
    EXPECT_EQ(texts(w), (Texts{"Top", "Body", "text"}));

    // With the marker, the head is skipped; indentation (spaces or tabs) does not matter.
    DataFile g =
        openMemoryRead("<title>Top</title>\n\t  <div id=\"body\">  \r\n<p>Body</p>\r\n", "x.htm");
    w.clear();
    convertSectionText(g, "sect9", w);
    EXPECT_EQ(texts(w), (Texts{"Body"}));
}

TEST(SectionTextWords, WordsAreNumberedAndTheLastEndsItsParagraph) {
    auto w = convert("one two\nthree");
    ASSERT_EQ(w.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w[i].wordId, i);
    EXPECT_TRUE(w[2].endParagraph);
    EXPECT_FALSE(w[1].endParagraph);
    EXPECT_TRUE(convert("").empty());
}

TEST(SectionTextWords, FootnoteMarkersAndBodies) {
    auto w = convert("<p>A word<a href=\"footnotz.htm#f1\">1</a> here.</p>\n"
                     "<div id=\"footnotes\">\n"
                     "<p>[<a href=\"sect3.htm#foot1\">1</a>] The note itself.</p>\n</div>");
    ASSERT_EQ(texts(w), (Texts{"A", "word", "FOOTNOTE:1", "here.", "FOOTNOTE:[1]", "The", "note",
                               "itself."}));
    EXPECT_EQ(w[2].size, 70);
    EXPECT_EQ(w[4].size, 70);
    // A marker that stands alone after its link is prefixed by the link's own pass.
    auto alone = convert("<p>word <a href=\"footnotz.htm#f2\">2</a></p>");
    EXPECT_EQ(texts(alone), (Texts{"word", "FOOTNOTE:2"}));
    // In the footnotes page every footnote starts a word of its own.
    auto page = convert("<div class=\"footnote\">first</div><div class=\"footnote\">second</div>",
                        "footnotz");
    EXPECT_EQ(texts(page), (Texts{"first", "second"}));
}

TEST(SectionTextWords, EntitiesBracketsAndComments) {
    auto w = convert("<p>Salt &amp; iron (rare) [note] a&nbsp;b c\xC2\xA0"
                     "d \xC2\xA9 2015</p>\n## a comment line\n<p>x *Blank* end</p>");
    EXPECT_EQ(texts(w), (Texts{"Salt", "&", "iron", "(rare)", "[note]", "a", "b", "c", "d",
                               "\xC2\xA9", "2015", "x", "end"}));
}

TEST(SectionTextWords, LineBreaksEndLinesAndCountBlankLines) {
    auto w = convert("<p>one<br />two<br /><br />three</p>");
    ASSERT_EQ(texts(w), (Texts{"one", "two", "three"}));
    EXPECT_TRUE(w[0].endParagraph);
    EXPECT_EQ(w[0].addLines, 0);
    EXPECT_TRUE(w[1].endParagraph);
}

TEST(SectionTextWords, DefinitionListsIndentTheirDescriptions) {
    auto w = convert("<dl>\n<dt>Sword</dt>\n<dd>Sharp and long.</dd>\n<dt>Axe</dt>\n"
                     "<dd>Heavy.</dd>\n</dl>",
                     "discplnz");
    ASSERT_EQ(texts(w), (Texts{"Sword", "Sharp", "and", "long.", "Axe", "Heavy."}));
    EXPECT_TRUE(w[0].bold);
    EXPECT_TRUE(w[0].endParagraph);
    EXPECT_EQ(w[1].hangIndent, 1);
    EXPECT_EQ(w[1].leftTabs, 1);
    EXPECT_FALSE(w[2].bold);
    EXPECT_TRUE(w[3].endParagraph);
    EXPECT_TRUE(w[4].bold);
}

TEST(SectionTextWords, UnfinishedTagEndsTheConversion) {
    auto w = convert("<p>kept words</p>\n<a href=\"never");
    EXPECT_EQ(texts(w), (Texts{"kept", "words"}));
    // A stray "<" never closed swallows the rest of the page, but nothing blows up.
    std::string longPage = "<p>start a < b";
    for (int i = 0; i < 20000; ++i)
        longPage += " filler<i>x</i>";
    auto v = convert(longPage);
    EXPECT_EQ(texts(v), (Texts{"start", "a"}));
}

TEST(SectionTextWords, DescribeWordListsOnlyNonDefaultMarks) {
    auto w = convert("<p>Plain</p>\n<h3>Head</h3>");
    EXPECT_EQ(describeWord(w[0]), "0\tPlain\tEND_P");
    EXPECT_EQ(describeWord(w[1]), "1\tHead\tNEW_P END_P BEGIN_C END_C SIZE:130 BOLD");
    PageWord b;
    b.text = "go";
    b.isButton = true;
    b.buttonId = 3;
    b.leftTabs = 1;
    EXPECT_EQ(describeWord(b), "0\tgo\tLEFT_TABS:1 IS_BUTTON BUTTON_ID:3");
}

class SectionTextSource : public VfsTest {
protected:
    MessageQueue messages;
};

TEST_F(SectionTextSource, UnpackedFolderArchiveLayoutThenBlank) {
    SectionPage page;
    page.bookCode = "01ftak";
    vfsWriteAll("01ftak/en/xhtml/gs/01ftak/sect1.htm", "<p>archive</p>");
    ASSERT_TRUE(loadSectionText(page, "sect1", messages));
    EXPECT_EQ(texts(page.words), (Texts{"archive"}));

    vfsWriteAll("01ftak/sect1.htm", "<p>folder</p>");
    page.buttons.push_back(SectionButton());
    ASSERT_TRUE(loadSectionText(page, "sect1", messages));
    EXPECT_EQ(texts(page.words), (Texts{"folder"}));
    EXPECT_TRUE(page.buttons.empty());
    EXPECT_EQ(page.sectionName, "sect1");

    vfsWriteAll("data/misc/blank.dat", shiftBytes("<p>Nothing here</p>"));
    ASSERT_TRUE(loadSectionText(page, "sect2", messages));
    EXPECT_EQ(page.sectionName, "blank");
    EXPECT_EQ(texts(page.words), (Texts{"Nothing", "here"}));
}

TEST_F(SectionTextSource, NoticePagesComeFromTheMiscFolder) {
    SectionPage page;
    page.bookCode = "01ftak";
    vfsWriteAll("data/misc/notice.htm", "plain");
    vfsWriteAll("data/misc/notice3.htm", "third");
    ASSERT_TRUE(loadSectionText(page, "notice", messages));
    EXPECT_EQ(texts(page.words), (Texts{"plain"}));
    page.noticeNumber = 3;
    ASSERT_TRUE(loadSectionText(page, "notice", messages));
    EXPECT_EQ(texts(page.words), (Texts{"third"}));
}

TEST_F(SectionTextSource, NothingToOpenLeavesAnEmptyPage) {
    SectionPage page;
    page.bookCode = "01ftak";
    page.words.resize(3);
    EXPECT_FALSE(loadSectionText(page, "sect5", messages));
    EXPECT_TRUE(page.words.empty());
    ASSERT_EQ(messages.pending.size(), 1u);
    EXPECT_EQ(messages.pending[0].title, "No htm file, & no blank.dat");
    EXPECT_EQ(messages.pending[0].text,
              "Couldn't even open 'blank.dat'. This is really bad!\n");
    EXPECT_EQ(messages.pending[0].caption1, "OK");
}
