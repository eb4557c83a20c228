// The profile list: up to five players sharing one installation, kept in
// "/data/profiles/profiles.dat".
#pragma once

#include "fs/data_file.h"

#include <array>
#include <string>
#include <vector>

constexpr int PROFILE_COUNT = 5;
constexpr int PROFILE_BOOK_COUNT = 20;
constexpr int AC_ZOOM_PAGE_COUNT = 10;
// Highest zoom step an Action Chart page may be stored with.
constexpr int AC_ZOOM_LIMIT = 4;
extern const char* const PROFILES_FILE;

struct AwardEntry {
    int id = 0;
    bool earned = false;
    bool isNew = false; // earned this run and not yet looked at (not stored)
};

struct Profile {
    std::string name; // empty for an unused slot
    std::string avatar;
    std::array<std::string, PROFILE_BOOK_COUNT> covers; // chosen cover per book, or empty
    bool acceptedLicense = false;
    std::vector<AwardEntry> awards; // one entry per known award
};

struct ProfileList {
    std::array<Profile, PROFILE_COUNT> slots;
    int active = 0;
    std::array<int, AC_ZOOM_PAGE_COUNT> zoomPages{}; // shared by all profiles
};

// Empties a slot, keeping one unearned entry per known award.
void clearProfile(Profile& profile, const std::vector<int>& awardIds);
// The lowest-numbered slot with a name, or -1.
int firstNamedProfile(const ProfileList& list);

bool readProfiles(DataFile& file, ProfileList& list);
void writeProfiles(DataFile& file, const ProfileList& list, FileSystemPaths& paths);

// False when the file is missing (nothing is changed then).
bool loadProfiles(ProfileList& list, const std::string& path = PROFILES_FILE);
bool saveProfiles(const ProfileList& list, FileSystemPaths& paths,
                  const std::string& path = PROFILES_FILE);
