// qhdata save-check DATA_DIR FILE...: reads each save file as the game does
// (resume and section-1 files whole, campaign files with every snapshot, the
// timestamp file) and says whether it can be loaded. For the crash tests, and
// for players who wonder whether a save survived.
#include "app/game_state.h"
#include "data_tree.h"
#include "fs/data_file.h"
#include "fs/vfs.h"
#include "save/save_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

std::string fileName(const std::string& path) {
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// "OK ..." with what the file holds, or "DAMAGED".
std::string check(const std::string& path, const Catalogues& cat) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "MISSING";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string name = fileName(path);
    DataFile file = openMemoryRead(bytes.str(), name);
    if (name.find("campaign") != std::string::npos) {
        CampaignData data;
        if (!readCampaign(file, cat, data)) return "DAMAGED";
        return "OK campaign " + std::to_string(data.records.size()) + " snapshots, latest book " +
               std::to_string(data.records.back().onBook);
    }
    if (name.find("ts.dat") != std::string::npos) {
        Timestamps ts;
        readTimestamps(file, ts);
        return ts.tenSlots ? "OK timestamps" : "OK timestamps (five slots)";
    }
    ResumeData d;
    if (!readResume(file, cat, d)) return "DAMAGED";
    // The time the game recorded for the file, in ts.dat beside the profiles folder.
    std::string stamp;
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    std::ifstream tsIn(folder + "/../misc/ts.dat", std::ios::binary);
    const int profile = std::atoi(name.c_str() + name.find_first_of("0123456789"));
    if (tsIn && profile >= 1 && profile <= 5) {
        std::ostringstream tsBytes;
        tsBytes << tsIn.rdbuf();
        DataFile tsFile = openMemoryRead(tsBytes.str(), "ts.dat");
        Timestamps ts;
        readTimestamps(tsFile, ts);
        struct stat st {};
        const bool sectionOne = name.compare(0, 4, "sec1") == 0;
        if (stat(path.c_str(), &st) == 0 &&
            static_cast<int64_t>(st.st_mtime) !=
                ts.times[static_cast<size_t>(timestampSlot(profile, sectionOne))])
            stamp = " (its time differs from ts.dat)";
    }
    return "OK book " + std::to_string(d.character.onBook) + " page " + d.pageName + " section " +
           std::to_string(d.character.onSection) + " draws " + std::to_string(d.draws) + stamp;
}

} // namespace

int saveCheckCommand(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: qhdata save-check DATA_DIR FILE...\n");
        return 2;
    }
    Catalogues cat = compiledCatalogues();
    int missing = 0;
    if (!mountDataTree(argv[0], argv[2], cat, missing)) return 2;
    int damaged = 0;
    for (int i = 3; i < argc; ++i) {
        const std::string result = check(argv[i], cat);
        if (result.compare(0, 2, "OK") != 0) ++damaged;
        std::printf("%s: %s\n", argv[i], result.c_str());
    }
    vfsDeinit();
    return damaged ? 1 : 0;
}
