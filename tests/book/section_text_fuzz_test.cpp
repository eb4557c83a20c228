// Random markup through the converter: it always ends, numbers its words in
// order, emits no empty word and never produces more words than the page has
// bytes (the sanitizer build checks the reads).
#include "book/section_text.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const char* const PIECES[] = {"<p>",
                              "</p>",
                              "<p class=\"choice\">",
                              "<p class=\"combat\">",
                              "<h2>",
                              "</h2>",
                              "<i>",
                              "</i>",
                              "<cite>",
                              "</cite>",
                              "<strong>",
                              "</strong>",
                              "<ol>",
                              "</ol>",
                              "<ul>",
                              "</ul>",
                              "<li>",
                              "</li>",
                              "<br />",
                              "<dt>",
                              "</dt>",
                              "<dd>",
                              "</dd>",
                              "<div id=\"footnotes\">",
                              "<div class=\"footnote\">",
                              "<a href=\"footnotz.htm#f1\">",
                              "</a>",
                              "<img alt=\"illustration\" src=\"ill1.png\" />",
                              "word",
                              "--",
                              "\xE2\x80\x94",
                              "&nbsp;",
                              "&amp;",
                              "\xC2",
                              "\xA0",
                              " ",
                              "\n",
                              ".",
                              "]",
                              "[",
                              "(",
                              "FOOTNOTE:",
                              "<",
                              ">",
                              "COMBAT",
                              "<div id=\"body\">\n",
                              "##",
                              "*Blank*",
                              "<p class=\"copyright\">"};

std::string randomPage(std::mt19937& rng) {
    std::uniform_int_distribution<size_t> piece(0, sizeof PIECES / sizeof PIECES[0] - 1);
    std::string page;
    size_t count = rng() % 120;
    for (size_t i = 0; i < count; ++i)
        page += PIECES[piece(rng)];
    return page;
}

} // namespace

TEST(SectionTextFuzz, RandomMarkupConvertsSafely) {
    std::mt19937 rng(1026);
    const char* sections[] = {"sect7", "toc", "footnotz", "equipmnt", "levels", "notice2"};
    for (int round = 0; round < 3000; ++round) {
        const std::string page = randomPage(rng);
        const char* section = sections[round % 6];
        DataFile f = openMemoryRead(page, std::string(section) + ".htm");
        std::vector<PageWord> words;
        convertSectionText(f, section, words);
        ASSERT_LE(words.size(), page.size() + 1) << page;
        for (size_t i = 0; i < words.size(); ++i) {
            ASSERT_EQ(words[i].wordId, static_cast<int>(i)) << page;
            ASSERT_FALSE(words[i].text.empty()) << page;
        }
        if (!words.empty()) {
            ASSERT_TRUE(words.back().endParagraph) << page;
        }
    }
}
