#include "save/profiles.h"

#include "fs/record_fields.h"

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

// The file is flat: "PROFILE:" n makes slot n the one the following keys
// fill. Keys before any slot, or of a slot number out of range, go to a
// scratch profile and are dropped.
struct SlotCursor {
    ProfileList* list = nullptr;
    Profile* slot = nullptr;
    int index = 0;
    Profile dropped;
};

RecordEnd readCovers(DataFile& file, SlotCursor& c) {
    // The key stands alone on its line; skip what may trail it.
    skipRestOfLine(file);
    for (std::string& cover : c.slot->covers) {
        std::string v;
        readLine(file, v);
        cover = v == "*Blank*" ? std::string() : v.substr(0, MAX_TOKEN_VALUE);
    }
    return RecordEnd::Open;
}

void writeCovers(RecordWriter& w, const SlotCursor& c) {
    w.line("COVERS:");
    for (const std::string& cover : c.slot->covers)
        w.line(orBlank(cover));
}

RecordEnd readZoom(DataFile& file, SlotCursor& c) {
    for (int& z : c.list->zoomPages)
        z = std::min(readInt(file), AC_ZOOM_LIMIT);
    return RecordEnd::Open;
}

void writeZoom(RecordWriter& w, const SlotCursor& c) {
    std::string zoom;
    for (int z : c.list->zoomPages)
        zoom += std::to_string(z) + " ";
    w.line("AC_ZOOM_PAGES: " + zoom);
}

RecordEnd readAward(DataFile& file, SlotCursor& c) {
    const int id = readInt(file);
    const bool earned = readBool(file);
    // Awards the table no longer has are skipped.
    for (AwardEntry& a : c.slot->awards)
        if (a.id == id) a.earned = earned;
    return RecordEnd::Open;
}

void writeAwards(RecordWriter& w, const SlotCursor& c) {
    for (const AwardEntry& a : c.slot->awards)
        w.line("AWARD: " + std::to_string(a.id) + " " + (a.earned ? "1" : "0"));
}

const FieldTable<SlotCursor>& slotFields() {
    static const FieldTable<SlotCursor> T = {
        customField<SlotCursor>(
            "PROFILE:",
            [](DataFile& file, SlotCursor& c) {
                const int n = readInt(file);
                c.slot = n >= 0 && n < PROFILE_COUNT ? &c.list->slots[n] : &c.dropped;
                return RecordEnd::Open;
            },
            [](RecordWriter& w, const SlotCursor& c) {
                w.line("PROFILE: " + std::to_string(c.index));
            }),
        lineField<SlotCursor>("NAME:", [](SlotCursor& c) -> std::string& { return c.slot->name; })
            .keepLength(MAX_TOKEN_VALUE),
        lineField<SlotCursor>(
            "AVATAR:", [](SlotCursor& c) -> std::string& { return c.slot->avatar; })
            .keepLength(MAX_TOKEN_VALUE),
        customField<SlotCursor>("COVERS:", readCovers, writeCovers),
        boolField<SlotCursor>(
            "ACCEPTED_LICENSE:", [](SlotCursor& c) -> bool& { return c.slot->acceptedLicense; }),
        customField<SlotCursor>("AC_ZOOM_PAGES:", readZoom, writeZoom),
        customField<SlotCursor>("AWARD:", readAward, writeAwards),
        // Written once after the five slots.
        customField<SlotCursor>(
            "LAST_ACTIVE:",
            [](DataFile& file, SlotCursor& c) {
                c.list->active = clampSlot(readInt(file));
                return RecordEnd::Open;
            },
            nullptr),
    };
    return T;
}

// A line value: "*Blank*" stands for the empty string.
std::string lineValue(DataFile& file) {
    std::string v;
    readLine(file, v);
    return v == "*Blank*" ? std::string() : v.substr(0, MAX_TOKEN_VALUE);
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

    SlotCursor cursor;
    cursor.list = &list;
    cursor.slot = &cursor.dropped;
    readRecord(file, cursor, slotFields(), nullptr);
    return true;
}

void writeProfiles(DataFile& file, const ProfileList& list, FileSystemPaths& paths) {
    RecordWriter w(file, paths.indentLevel);
    SlotCursor cursor;
    cursor.list = const_cast<ProfileList*>(&list); // written, not changed
    for (int slot = 0; slot < PROFILE_COUNT; ++slot) {
        cursor.index = slot;
        cursor.slot = &cursor.list->slots[slot];
        writeFields(w, cursor, slotFields());
    }
    w.line("LAST_ACTIVE: " + std::to_string(list.active));
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
