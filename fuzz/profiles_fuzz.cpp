// The profile list: slots and the active index stay in range, zoom values
// under their limit.
#include "fuzz_support.h"
#include "save/profiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DataFile f = fuzzFile(data, size, "profiles.txt", "profiles.dat");
    ProfileList list;
    for (Profile& p : list.slots)
        clearProfile(p, {1, 2, 3});
    readProfiles(f, list);
    FUZZ_CHECK(list.active >= 0 && list.active < PROFILE_COUNT);
    for (int z : list.zoomPages)
        FUZZ_CHECK(z <= AC_ZOOM_LIMIT);
    for (const Profile& p : list.slots)
        FUZZ_CHECK(p.awards.size() == 3);
    return 0;
}
