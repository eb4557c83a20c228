// What the rules work on, apart from what is on screen. The Application owns
// one GameState and one Catalogues; rule functions take these two and never
// the Application, so that the same rules run in the window, in the text
// player and in tests without a display.
#pragma once

#include "app/message_queue.h"
#include "book/book_catalogue.h"
#include "book/random_source.h"
#include "book/section_page.h"
#include "character/character.h"
#include "character/disciplines.h"
#include "character/item_catalogue.h"
#include "character/rule_options.h"
#include "character/inventory_state.h"
#include "combat/combat_record.h"
#include "combat/crt.h"
#include "save/campaign_state.h"
#include "script/condition.h"
#include "script/effect.h"
#include "ui/window_ids.h"

#include <string>
#include <vector>

// The window open requests a frame can leave: an illustration, a map, a certificate.
constexpr int PENDING_WINDOW_COUNT = 3;
constexpr int PENDING_WINDOW_IDS[PENDING_WINDOW_COUNT] = {WIN_ILLUSTRATION, WIN_MAP,
                                                          WIN_CERTIFICATE};

struct GameState {
    Character character; // the hero of the campaign being played
    RuleOptions rules;   // the campaign's house rules
    RandomSource random; // every draw of the game goes through it
    CampaignState campaign; // books played, page view, saves that could not be read

    // The section being shown: its words and buttons, and later its rule
    // fields and combat.
    SectionPage section;
    // The combat of that section (or the one under way); empty when it has none.
    CombatRecord combat;
    // The grid of the book being played: every Random Number Table pick and
    // combat round draws from it. Loaded on the first section of a book.
    RandomNumberTable randomTable;

    // What the inventory and section rules remember between calls: open
    // questions, screens asked for, per-fight limits.
    RulesState rulesState;
    // A section has loaded since the death window last closed: it opens again
    // only then.
    bool firstPageLoaded = false;

    // Requests that handlers leave for the end of the frame, in the order the
    // main loop takes them: the windows after drawing, the rest after the flip.
    std::string pendingWindowArgs[PENDING_WINDOW_COUNT]; // non-empty: open with this argument
    int pendingStart = 0;   // > 0 resume the saved game, -1 new game
    int pendingSection = 0; // section to turn to; 0 none
    bool pendingBookComplete = false;
    int pendingItem = -1; // -1 none
    int pendingCoins = 0;

    // Messages and prompts the rules raise for the player.
    MessageQueue messages;
};

// Loaded once at start and read-only afterwards.
struct Catalogues {
    std::vector<BookEntry> books;              // the twenty books
    std::vector<FrontMatterPage> frontMatter;  // the pages every book archive carries
    std::vector<Item> items;                   // the item catalogue
    DisciplineTexts disciplineTexts;           // lore of every Discipline
    ConditionTypes conditionTypes;             // the condition definitions, in file order
    EffectTypes effectTypes;                   // the effect definitions, in file order
    CombatTable combatTable;                   // the Combat Results Table
};

// The compiled-in tables (books and front matter); what is loaded from the
// data set is left empty.
Catalogues compiledCatalogues();
