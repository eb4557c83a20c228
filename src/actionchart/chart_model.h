// The Action Chart as pages of lines: what each page lists, which buttons it
// offers and every tooltip, built from the game state without drawing. The
// window's view draws these pages; the text player prints them; both press
// their buttons through performChartAction, which hands each press to the
// inventory, score and section-effect rules that own it.
#pragma once

#include "character/disciplines.h"

#include <array>
#include <string>
#include <vector>

struct AwardCatalogue;
struct Catalogues;
struct Profile;
struct RuleOptions;
struct Character;
struct GameState;
struct Item;

// Page numbers, as the tabs hand them to effect 47.
constexpr int CHART_STATS = 1;
constexpr int CHART_WEAPONS = 2;
constexpr int CHART_BACKPACK = 3;
constexpr int CHART_SPECIAL = 4;
constexpr int CHART_JOURNAL = 5;
constexpr int CHART_BATTLES = 6;
constexpr int CHART_NOTES = 7;
constexpr int CHART_STORAGE = 8;
constexpr int CHART_LOST = 9;
constexpr int CHART_CERTIFICATE = 10;
constexpr int CHART_AWARDS = 11;
constexpr int CHART_PAGE_COUNT = 11;

// The ten stored zoom values: Stats 0, Weapons 1, Backpack 2, Special Items 3,
// Journal 4, Battles 5, Notes 6, Storage 7, Lost Items 8, Awards 9. The
// certificate is always scaled to the page and has no zoom (-1).
constexpr int CHART_ZOOM_COUNT = 10;
int chartZoomIndex(int page);
// One step in (+1) or out (-1), kept within 0..limit. False when it did not move.
bool chartZoomStep(std::array<int, CHART_ZOOM_COUNT>& zoom, int page, int step, int limit);
extern const char* const ZOOM_OUT_TIP;
extern const char* const ZOOM_IN_TIP;

enum class ChartActionKind {
    None,
    ShowPage,      // value: page (effect 47)
    JournalBook,   // value: book or -1, list: 0 travel log, 1 battles (effect 50)
    ExportLog,     // value: book (effect 65)
    AddNote,       // effect 53 with 0 and 1
    DeleteNote,    // index: note (effect 53 with index and -1)
    Drop,          // list, index
    Deposit,       // list, index: straight into storage
    Withdraw,      // index of storageItems
    Reclaim,       // index of lostItems
    Equip,         // list, index (effect 48)
    Use,           // list, index: use or eat
    Cure,          // list, index: the dose cures the bacillus infection only
    MoveUp,        // list, index (effect 72)
    MoveDown,
    CoinDrop,      // value: currency
    CoinDeposit,
    CoinWithdraw,
    CoinReclaim,
    AskWithdraw,   // the storage selections of window 37
    AskDeposit,
    AskReclaim,
    LowerScore,    // value: LOWER_CS or LOWER_EP
    EmergencyHeal,
    ToggleRankTitle, // effect 59
    ToggleSurge,     // the Psi-surge / Vael-Surge box (flag 2 of effect 46)
    VaelBlast,       // effect 74 with 0
    VaelRay,         // effect 74 with 1
    ChooseWeapon,    // value: weapon class, list: 1 Weaponmastery, 2 Grand (effect 29)
    ViewTier,        // value: tier shown on the Stats page
    Certificate,     // effect 52: the larger certificate
    AwardDetails,    // value: award id
};

struct ChartAction {
    ChartActionKind kind = ChartActionKind::None;
    int list = 0;
    int index = 0;
    int value = 0;
};

struct ChartButton {
    std::string caption;
    std::string tooltip; // "`" breaks lines
    ChartAction action;
    bool checkBox = false; // drawn as a box, ticked when `checked`
    bool checked = false;
};

enum class ChartLineStyle {
    Heading,    // a page or block heading
    Subheading, // a smaller heading within a block
    Text,       // an ordinary line
    Small,      // a note in smaller type
    Picture,    // `image` from data/misc/ac (or the medals folder), `text` beside it
    Rule,       // a thin separator
};

struct ChartLine {
    ChartLineStyle style = ChartLineStyle::Text;
    std::string text;
    std::string tooltip;
    int indent = 0; // steps of one tab
    std::string image;
    std::string badge;                // a mark drawn after the picture ("newly")
    ChartAction click;                // clicking the line itself (book line, medal, certificate)
    std::vector<ChartButton> buttons; // after the text, in order
};

struct ChartPage {
    int page = CHART_STATS;
    std::vector<ChartLine> lines;
};

// What the player has chosen on the chart; the front end keeps it.
struct ChartState {
    int page = CHART_STATS;
    int journalBook = 0; // book shown on the Journal page: 0 the current one, -1 none
    int battlesBook = 0; // book shown on the Battles page, likewise
    Tier viewedTier = -1; // tier shown on the Stats page; -1 the current one
};

// One award as the award page shows it. The award catalogue fills these.
struct ChartAward {
    int id = 0;
    std::string title;
    std::string description; // shown once earned
    std::string statusNote;  // likewise: "(Finished with no combats)"
    std::string unmetNote;   // the rule note when the current rules do not meet the demand
    std::string medal; // image name; empty: "medal_generic"
    int book = 0;      // 0: a series award
    Tier series = 0;
    int difficulty = 0; // 0 not available yet .. 4 expert
    int category = 0;   // award type 1-12
    int rulesNote = 0;  // 0 none, 1-4 the rule requirement
    int order = 0;
    bool earned = false;
    bool newly = false;
};

// What the chart shows that is not in the game state.
struct ChartContext {
    std::string profileName;
    std::vector<ChartAward> awards;
};

// The profile's name and its awards as the award page shows them, from the
// award table and the active profile of `g` (none without profiles).
ChartContext chartContext(const GameState& g, const Catalogues& cat);
// The awards of `table` with the marks of `profile` (may be null), in the
// page's order: book awards by book, then the series awards, each group by
// display order.
std::vector<ChartAward> chartAwards(const AwardCatalogue& table, const Profile* profile,
                                    const RuleOptions& rules);

// The seven tabs of the chart (pages 1-4, then the first page of each group
// and the award page) and the three tabs of a group.
struct ChartTab {
    std::string caption;
    std::string tooltip;
    int page = 0;
};
const std::vector<ChartTab>& chartTabs();
// The journal group (5-7) or the storage group (8-10); empty for other pages.
std::vector<ChartTab> groupTabs(int page);
// The main tab a page belongs to (its group's first page for 5-10).
int mainTabOf(int page);

// Builds one page.
ChartPage buildChartPage(const ChartState& state, const GameState& g, const Catalogues& cat,
                         const ChartContext& ctx);

// Presses a chart button: one call into the rule that owns it. Screen changes
// the chart itself owns (tabs, journal book, viewed tier) go to `state`.
void performChartAction(const ChartAction& action, ChartState& state, GameState& g,
                        const Catalogues& cat);
// Takes the rules' requests for chart pages and journal books off the queue
// into `state`; other requests stay for the front end. True when any was taken.
bool takeChartRequests(ChartState& state, GameState& g);

// A page as plain text for the text player: every button and clickable line
// numbered from 1 in `buttons` order, as "[n Caption]" or "[n]" before a line
// (a clickable line comes as a button with its text and tooltip).
std::string chartPageText(const ChartPage& page, std::vector<ChartButton>& buttons);
// The page a word names ("stats", "weapons" ... "awards", or its number); 0 when none.
int chartPageByName(const std::string& word);

// ---- Texts the pages use, exposed for the text player and tests ------------

// The item's tooltip: description, bonus summary, doses, quiver note and rule notes.
std::string itemTooltip(const Item& item, const GameState& g);
// The label shown for a carried item ("*" outside the Special Item limit, Dessi Stone).
std::string chartItemLabel(const Item& item, const GameState& g);
// The COMBAT SKILL tooltip: base, breakdown, "(including all bonuses)".
std::string combatSkillTooltip(const GameState& g);
std::string enduranceTooltip(const GameState& g);
// The certificate image of the hero's tier: "cert1", "cert2", "cert3".
std::string certificateImage(int book);
// The certificate's words: the profile's name and the rank reached in the tier.
std::string certificateText(const Character& c, const std::string& profileName);
// The medal tooltip of an award.
std::string awardTooltip(const ChartAward& award);
std::string awardDifficultyText(int difficulty);
// A lasting-condition marker: its title line and its explanation.
struct ConditionMarker {
    std::string title;
    std::string tooltip;
};
ConditionMarker conditionMarker(int id, const GameState& g);
// Every marker the hero has, in the order they came.
std::vector<ConditionMarker> heroMarkers(const GameState& g);
