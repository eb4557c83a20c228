#include "save/text_saves.h"

#include "app/game_state.h"
#include "book/random_table_pending.h"
#include "fs/file_system.h"
#include "fs/vfs.h"
#include "save/profiles.h"
#include "save/save_files.h"
#include "script/section_combat.h"

#include <algorithm>

bool openUserSaves(GameState& g) {
    FileSystemPaths paths;
    if (!establishFolders(paths)) return false;
    // The user folder hides the program's copies, as in the window.
    vfsMountFirst(paths.userFolder, "");
    ProfileList list;
    loadProfiles(list);
    const int active = std::clamp(list.active, 0, PROFILE_COUNT - 1);
    g.campaign.profile = active + 1;
    g.campaign.profileName = list.slots[static_cast<size_t>(active)].name;
    installResumeSaveHook();
    return true;
}

bool resumeSavedGame(GameState& g, const Catalogues& cat) {
    bool accepted = true; // the text player shows no licence page
    const LoadResult r = loadResume(g, cat, g.campaign.profile, false, accepted);
    return r == LoadResult::Loaded;
}

bool saveGameAsPlayStops(GameState& g, std::string& report) {
    if (g.rules.allowMidSaves) {
        report = "(your rules save by hand only: nothing was saved)";
        return false;
    }
    if (!saveResume(g, g.campaign.profile, false)) {
        report = "(the game could not be saved)";
        return false;
    }
    const Character& c = g.character;
    report = "(game saved: book " + std::to_string(c.onBook) + ", section " +
             std::to_string(c.onSection) + ", draws " + std::to_string(g.random.draws) + ")";
    return true;
}

void drawStarts(GameState& g, const char* kind) {
    writePendingResult(g.campaign.profile, g, kind);
}

namespace {

std::string savedReport(const GameState& g) {
    const Character& c = g.character;
    return "(game saved: book " + std::to_string(c.onBook) + ", section " +
           std::to_string(c.onSection) + ", draws " + std::to_string(g.random.draws) + ")";
}

} // namespace

std::string drawEnds(GameState& g) {
    drawResolved(g, g.campaign.profile);
    if (g.rules.allowMidSaves || pendingResultExists(g.campaign.profile)) return "";
    return savedReport(g);
}

void roundStarts(GameState& g) {
    if (!g.combat.started || !pendingResultExists(g.campaign.profile))
        drawStarts(g, PENDING_COMBAT);
}

std::string roundEnds(GameState& g) {
    if (!combatUnderWay(g)) return drawEnds(g);
    if (g.rules.allowMidSaves || !saveResume(g, g.campaign.profile, false)) return "";
    return savedReport(g);
}
