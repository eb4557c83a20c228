// The spine's hooks into the awards and the end of a book.
#include "app/subsystem_hooks.h"

#include "app/application.h"

namespace hooks {

bool runAwardsCheck(Application&) {
    return false;
}

void runEndOfBook(Application&) {}

} // namespace hooks
