#include "book/random_table_pending.h"

#include "app/game_state.h"
#include "fs/data_file.h"
#include "fs/vfs.h"

namespace {
ResumeSaveHook g_resumeSave = nullptr;
}

std::string pendingResultPath(int profile) {
    return "/data/misc/result" + std::to_string(profile) + ".dat";
}

bool writePendingResult(int profile, const GameState& g, const std::string& kind) {
    DataFile f = openWrite(pendingResultPath(profile));
    if (!f.isOpen()) return false;
    const Character& c = g.character;
    std::string text = "PENDING_RESULT: " + kind + "\nBOOK: " + std::to_string(c.onBook) +
                       "\nSECTION: " + std::to_string(c.onSection) + "\nSEED " +
                       std::to_string(g.random.seed) + " " + std::to_string(g.random.draws) +
                       "\nEND\n";
    bool ok = writeText(0, f, text);
    return closeFile(f) && ok;
}

bool readPendingResult(int profile, PendingResult& out) {
    out = PendingResult();
    DataFile f = openRead(pendingResultPath(profile));
    if (!f.isOpen()) return false;
    std::string key;
    for (int guard = 0; guard < 1000 && readValue(f, key); ++guard) {
        if (key == "END") break;
        if (key == "PENDING_RESULT:")
            readValue(f, out.kind);
        else if (key == "BOOK:")
            out.book = readInt(f);
        else if (key == "SECTION:")
            out.section = readInt(f);
        else if (key == "SEED") {
            out.seed = readInt(f);
            out.draws = readInt(f);
        }
    }
    closeFile(f);
    return true;
}

bool pendingResultExists(int profile) {
    return vfsExists(pendingResultPath(profile));
}

bool removePendingResult(int profile) {
    return !pendingResultExists(profile) || vfsDelete(pendingResultPath(profile));
}

void setResumeSaveHook(ResumeSaveHook hook) {
    g_resumeSave = hook;
}

void drawResolved(GameState& g, int profile) {
    // The outcome is kept by the resume save before the marker goes, so a
    // crash in between leaves the marker, never a lost draw.
    if (!g.rules.allowMidSaves && g_resumeSave && !g_resumeSave(g, profile)) return;
    removePendingResult(profile);
}
