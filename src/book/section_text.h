// Turning a section's XHTML into the page's stock words. Not a general XHTML
// parser: the file is read as blank-separated tokens, tags are stripped out of
// each token, and a fixed set of tags (and a few page names) set marks on the
// words. The result must be deterministic: section scripts address words by
// the numbers given here.
#pragma once

#include "book/page_word.h"
#include "book/section_page.h"
#include "fs/data_file.h"

struct MessageQueue;

#include <string>
#include <vector>

// A token longer than this (a tag left open for pages on end) ends the
// conversion as an unfinished tag at the end of the file would.
constexpr size_t MAX_SECTION_TOKEN = 16384;

// Sets the page's section name, empties its words and buttons and fills the
// words from the first source that opens: the unpacked book folder (or the
// notice page), the archive layout, then "/data/misc/blank.dat" (the section
// name becomes "blank"). False, with a message for the player, when not
// even that opens.
bool loadSectionText(SectionPage& page, const std::string& sectionName, MessageQueue& messages);

// The conversion itself, on an opened file, appending to `words` and numbering
// them. `sectionName` selects the page-specific rules ("toc", "footnotz" ...).
// The file is left open.
void convertSectionText(DataFile& file, const std::string& sectionName,
                        std::vector<PageWord>& words);

// The sources tried for a page, in order (without the blank fallback).
std::vector<std::string> sectionSourcePaths(const SectionPage& page,
                                            const std::string& sectionName);
