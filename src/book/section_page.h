// The page that shows one section or front-matter page, as model: its words,
// its buttons and the section's rule fields. The text loader fills the words;
// the section script adds buttons, word edits and rules; the page view lays
// it out and draws it.
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

    // Rules of the section, read from its script.
    bool noAutoHeal = false;       // no automatic healing here
    int mustEatNum = 0;            // meals the section demands
    bool deadOnZeroEp = true;      // zero ENDURANCE here kills
    bool losingBackpack = false;   // the section takes the Backpack
    bool preventEquipping = false; // no equipping here

    void resetRules() {
        noAutoHeal = false;
        mustEatNum = 0;
        deadOnZeroEp = true;
        losingBackpack = false;
        preventEquipping = false;
    }
};
