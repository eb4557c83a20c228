#include "save/profiles.h"

#include <algorithm>

const char* const PROFILES_FILE = "/data/profiles/profiles.dat";

void clearProfile(Profile& profile, const std::vector<int>& awardIds) {
    profile = Profile{};
    for (int id : awardIds)
        profile.awards.push_back({id, false});
}

int firstNamedProfile(const ProfileList& list) {
    for (int i = 0; i < PROFILE_COUNT; ++i)
        if (!list.slots[i].name.empty()) return i;
    return -1;
}

namespace {

int clampSlot(int index) {
    return std::clamp(index, 0, PROFILE_COUNT - 1);
}

std::string orBlank(const std::string& s) {
    return s.empty() ? "*Blank*" : s;
}

// A line value: "*Blank*" stands for the empty string.
std::string lineValue(DataFile& file) {
    std::string v;
    readLine(file, v);
    return v == "*Blank*" ? std::string() : v;
}

// Files from before the keyed layout: the active index first, then per slot an
// ignored line, the name, the avatar and twenty covers.
void readOlderLayout(DataFile& file, ProfileList& list) {
    list.active = clampSlot(readInt(file));
    for (Profile& p : list.slots) {
        std::string ignored;
        readLine(file, ignored);
        p.name = lineValue(file);
        p.avatar = lineValue(file);
        for (std::string& cover : p.covers)
            cover = lineValue(file);
    }
}

} // namespace

bool readProfiles(DataFile& file, ProfileList& list) {
    if (!file.isOpen()) return false;
    std::string token;
    size_t start = file.pos;
    if (readValue(file, token) && token == "LAST_ACTIVE:") readOlderLayout(file, list);
    file.pos = start;

    Profile* current = nullptr;
    while (readValue(file, token)) {
        if (token == "PROFILE:") {
            int n = readInt(file);
            current = n >= 0 && n < PROFILE_COUNT ? &list.slots[n] : nullptr;
        } else if (token == "LAST_ACTIVE:") {
            list.active = clampSlot(readInt(file));
        } else if (token == "AC_ZOOM_PAGES:") {
            for (int& z : list.zoomPages)
                z = std::min(readInt(file), AC_ZOOM_LIMIT);
        } else if (!current) {
            continue; // fields of a slot number out of range are dropped
        } else if (token == "NAME:") {
            current->name = lineValue(file);
        } else if (token == "AVATAR:") {
            current->avatar = lineValue(file);
        } else if (token == "COVERS:") {
            // The key stands alone on its line; skip what may trail it.
            char before = file.pos > 0 ? file.data[file.pos - 1] : '\n';
            std::string rest;
            if (before != '\n' && before != '\r') readLine(file, rest);
            for (std::string& cover : current->covers)
                cover = lineValue(file);
        } else if (token == "ACCEPTED_LICENSE:") {
            current->acceptedLicense = readInt(file) != 0;
        } else if (token == "AWARD:") {
            int id = readInt(file);
            bool earned = readInt(file) != 0;
            for (AwardEntry& a : current->awards)
                if (a.id == id) a.earned = earned;
        }
    }
    return true;
}

void writeProfiles(DataFile& file, const ProfileList& list, FileSystemPaths& paths) {
    std::string zoom;
    for (int z : list.zoomPages)
        zoom += std::to_string(z) + " ";
    for (int slot = 0; slot < PROFILE_COUNT; ++slot) {
        const Profile& p = list.slots[slot];
        std::string text = "PROFILE: " + std::to_string(slot) + "\n";
        text += "NAME: " + orBlank(p.name) + "\n";
        text += "AVATAR: " + orBlank(p.avatar) + "\n";
        text += "COVERS:\n";
        for (const std::string& cover : p.covers)
            text += orBlank(cover) + "\n";
        text += "ACCEPTED_LICENSE: " + std::string(p.acceptedLicense ? "1" : "0") + "\n";
        text += "AC_ZOOM_PAGES: " + zoom + "\n";
        for (const AwardEntry& a : p.awards)
            text += "AWARD: " + std::to_string(a.id) + " " + (a.earned ? "1" : "0") + "\n";
        writeString(text, paths, file);
    }
    writeString("LAST_ACTIVE: " + std::to_string(list.active) + "\n", paths, file);
}

bool loadProfiles(ProfileList& list, const std::string& path) {
    DataFile file = openRead(path);
    if (!file.isOpen()) return false;
    bool ok = readProfiles(file, list);
    closeFile(file);
    return ok;
}

bool saveProfiles(const ProfileList& list, FileSystemPaths& paths, const std::string& path) {
    DataFile file = openWrite(path);
    if (!file.isOpen()) return false;
    writeProfiles(file, list, paths);
    return closeFile(file);
}
