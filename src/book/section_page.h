// The page that shows one section or front-matter page. The text loader fills
// its words; the section script and the page layout add their own fields.
#pragma once

#include "book/page_word.h"
#include "book/section_button.h"

#include <string>
#include <vector>

struct SectionPage {
    std::string bookCode;    // the book's code: its mount point
    std::string sectionName; // file name without extension ("sect1", "toc", "notice" ...)
    int noticeNumber = 0;    // only for "notice": 0 for notice.htm, n for notice<n>.htm
    std::vector<PageWord> words;
    std::vector<SectionButton> buttons;
};
