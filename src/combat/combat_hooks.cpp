// The spine's hooks into the Random Number Table, the combat screen and the
// Combat Results Table viewer.
#include "app/subsystem_hooks.h"

#include "app/application.h"

namespace hooks {

void drawOverlays(Application&, int) {}

bool closeRandomTable(Application&) {
    return false;
}

bool closeResultsTable(Application&) {
    return false;
}

void randomTableKey(Application&, SDLKey) {}

void openResultsTableViewer(Application&, int) {}

bool coverFirstOnly(const Application&) {
    return false;
}

} // namespace hooks
