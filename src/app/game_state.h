// TEMPORARY local seam until the shared game state lands; not for main.
#pragma once

#include "book/random_source.h"
#include "book/section_page.h"
#include "character/character.h"
#include "character/item_catalogue.h"
#include "character/rule_options.h"
#include "character/inventory_state.h"
#include "book/book_catalogue.h"
#include "combat/combat_record.h"
#include "script/condition.h"
#include "script/effect.h"

#include <deque>
#include <string>
#include <vector>

struct GsMessage {
    std::string title;
    std::string text;
    int targetWindow = 0;
    std::vector<std::string> captions{"OK"};
    bool numberEntry = false;
    bool textEntry = false;
    std::vector<int> replyIds{-1};
};

struct GameState {
    CombatRecord combat;
    RulesState rulesState;
    Character character;
    RuleOptions rules;
    RandomSource random;
    SectionPage section;
    int pendingStart = 0;
    int pendingSection = 0;
    std::string pendingWindowArgs[3];
    bool pendingBookComplete = false;
    int pendingItem = -1;
    int pendingCoins = 0;
    std::deque<GsMessage> messages;
};

struct Catalogues {
    std::vector<Item> items;
    std::vector<BookEntry> books;
    ConditionTypes conditionTypes;
    EffectTypes effectTypes;
};
