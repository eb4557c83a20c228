#include "awards/award_details.h"

#include "awards/award.h"

#include <algorithm>

const char* const NO_HINT_TEXT = "There is no hint assigned for this medal yet.";

int awardHintCount(const AwardDefinition& award) {
    return static_cast<int>(std::min<size_t>(award.hints.size(), AWARD_HINTS_MAX));
}

std::string awardDetailsText(const AwardDefinition& a, bool earned, int hintsShown) {
    std::string text = a.title + "`Difficulty: " + difficultyText(a.difficulty);
    const std::string category = awardCategoryText(a.category);
    if (!category.empty()) text += "`" + category;
    if (a.rulesRestricted) text += "`" + rulesDemandNote(a.rulesRequirement);
    if (earned) {
        if (!a.description.empty()) text += "``" + a.description;
        if (!a.statusNote.empty()) text += "`" + a.statusNote;
    } else {
        text += "``(Not earned yet)";
    }
    const int count = awardHintCount(a);
    if (count == 0) return text + "``" + NO_HINT_TEXT;
    const int shown = std::clamp(hintsShown, 0, count);
    // Hints by level, the vaguest first, whatever order the table gave them.
    std::vector<AwardHint> hints(a.hints.begin(), a.hints.begin() + count);
    std::stable_sort(hints.begin(), hints.end(),
                     [](const AwardHint& x, const AwardHint& y) { return x.level < y.level; });
    for (int i = 0; i < shown; ++i)
        text += "``Hint " + std::to_string(i + 1) + " of " + std::to_string(count) + ": " +
                hints[static_cast<size_t>(i)].text;
    if (shown < count) text += "``(" + std::to_string(count - shown) + " more hint(s))";
    return text;
}
