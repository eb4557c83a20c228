#include "character/new_campaign.h"

#include "app/game_state.h"
#include "character/character.h"

#include <algorithm>

void startNewCampaign(GameState& g, int book) {
    Character& c = g.character;
    resetCharacter(c);
    c.onBook = std::clamp(book, 1, 20);
    startCampaignInTier(c, c.onBook <= 5 ? TIER_VAEL : c.onBook <= 12 ? TIER_DRAVIC : TIER_GRAND_MASTER);
    // Questions, screens and picks of an earlier game do not carry over.
    g.rulesState = RulesState();
    g.messages.pending.clear();
    g.combat = CombatRecord();
    g.pendingSection = 0;
    g.pendingItem = -1;
    g.pendingCoins = 0;
    g.pendingBookComplete = false;
}
