// The spine's hooks into the character, its inventory and the rule options.
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "character/character.h"
#include "character/rule_options.h"

namespace hooks {

// The last used rules are the defaults of the next campaign.
void readRuleDefaults(Application& app, DataFile& file) {
    readRules(file, app.game.rules);
}

bool writeRuleDefaults(Application& app, DataFile& file) {
    return writeRules(app.game.rules, file, app.paths.indentLevel);
}

void runFrameRuleHooks(Application&) {}

void keyG(Application&) {}

int highestMapNumber(const Application& app) {
    return highestMapNumber(app.game.character);
}

bool heroIsDead(const Application&) {
    return false;
}

void giveItem(Application&, int) {}

void giveCoins(Application&, int, int) {}

void startNewCharacter(Application&) {}

bool allowMidSaves(const Application& app) {
    return app.game.rules.allowMidSaves;
}

} // namespace hooks
