// Earning awards: the rule set the campaign is played under, the test of each
// award's rule against the campaign's records, the check after every section
// change, the awards a section grants, and the hall-of-fame qualification.
#pragma once

#include <string>
#include <vector>

struct AwardDefinition;
struct AwardTest;
struct Catalogues;
struct Character;
struct GameState;
struct Profile;
struct RuleOptions;
struct SectionButton;

// The rule sets the awards know; any other combination of options is custom.
enum RuleSet { RULESET_BY_THE_BOOK = 0, RULESET_HARDCORE = 1, RULESET_PRODIGY = 2, RULESET_CUSTOM = 4 };

RuleSet classifyRules(const RuleOptions& rules);
// Demand 3 is met by By-the-Book and Hardcore, 2 by those and Prodigy, 0 and
// 1 by their own set alone.
bool rulesMeetDemand(RuleSet set, int demand);
// The note shown under an award whose demand the current rules do not meet;
// "" when they meet it or the award is not restricted.
std::string unmetRulesNote(const AwardDefinition& award, const RuleOptions& rules);

// The profile whose awards are being earned, or null.
Profile* activeProfile(GameState& g);
const Profile* activeProfile(const GameState& g);
bool awardEarned(const Profile& profile, int id);

// A book is in the campaign's played-books list, or is the one being played.
bool awardBookPlayed(const GameState& g, int book);
// The button of that ID on a screen (the current section's page), or null
// after "Big error in checking for button ID: %d in awards check...".
const SectionButton* findButtonForAward(const GameState& g, int id);

bool awardTestHolds(const AwardTest& test, const GameState& g, const Catalogues& cat,
                    const Profile& profile);
// The award's own rule: all tests hold, its rules demand is met and, for a
// book award, the book has been played. Awards of books not available
// (difficulty 0) and awards without tests never hold.
bool awardRuleHolds(const AwardDefinition& award, const GameState& g, const Catalogues& cat,
                    const Profile& profile);

// The check after a section change: two passes over the active profile's
// unearned awards, so that one that rests on another earned in the same
// check follows it. Earned awards become new and go into the notice with
// their medal. True when anything was earned.
bool checkAwards(GameState& g, const Catalogues& cat);
// A section grants award `id` (effect 64), then the collection awards 111
// and 169 when their sets are complete. True when anything was earned.
bool grantSectionAward(GameState& g, const Catalogues& cat, int id);

// The medal's tooltip for the notice.
std::string awardNoticeText(const std::vector<std::string>& titles);
// Marks every new award of the profile as seen.
void clearNewAwards(Profile& profile);

// Hall of fame: 0 none, 1 By-the-Book, 2 Hardcore. A series must be complete
// (or the hero stand in its final section with one book to go), the save
// must not have been edited outside the program, the options must be one of
// the two presets, and for campaigns begun with version 1.14.4 or later the
// recorded picks of books 1 to 17 must follow from the table.
int qualifyForHallOfFame(const Character& c, const RuleOptions& rules);
