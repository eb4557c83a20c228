// The congratulation notice the award rules leave for the front end: the
// titles earned since it was last shown and the medal to show with them.
#pragma once

#include <string>
#include <vector>

struct AwardNotice {
    bool pending = false;        // something was earned and not yet shown
    std::string medal;           // of the award earned last
    std::vector<std::string> titles;
    bool profilesChanged = false; // the profiles are to be saved
};
