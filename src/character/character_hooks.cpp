// The spine's hooks into the character, its inventory and the rule options.
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "character/character.h"
#include "character/new_campaign.h"
#include "character/rule_options.h"
#include "script/section_change.h"

#include <algorithm>

namespace hooks {

// The last used rules are the defaults of the next campaign.
void readRuleDefaults(Application& app, DataFile& file) {
    readRules(file, app.game.rules);
}

bool writeRuleDefaults(Application& app, DataFile& file) {
    return writeRules(app.game.rules, file, app.paths.indentLevel);
}

void runFrameRuleHooks(Application& app) {
    runFrameRules(app.game, app.catalogues);
}

void keyG(Application&) {}

int highestMapNumber(const Application& app) {
    return highestMapNumber(app.game.character);
}

bool heroIsDead(Application& app) {
    checkDeath(app.game);
    // The death window is one of the screens the rules ask for.
    for (const ScreenRequest& r : app.game.rulesState.screens)
        if (r.kind == ScreenKind::Window && r.value == RULES_DEATH_WINDOW) return true;
    return false;
}

void handPendingToInventory(Application& app) {
    ::handPendingToInventory(app.game, app.catalogues);
}

void startNewCharacter(Application& app) {
    startNewCampaign(app.game, std::max(1, app.game.character.onBook));
}

bool allowMidSaves(const Application& app) {
    return app.game.rules.allowMidSaves;
}

} // namespace hooks
