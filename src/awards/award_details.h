// What the details of one award say (window 45 and the text player): its
// texts, and its graded hints shown one at a time, vaguest first.
#pragma once

#include <string>

struct AwardDefinition;

extern const char* const NO_HINT_TEXT;

// `hintsShown` of the award's hints (held to 0..its count) follow the texts.
std::string awardDetailsText(const AwardDefinition& award, bool earned, int hintsShown);
// The hints the award has; the paging stops there.
int awardHintCount(const AwardDefinition& award);
