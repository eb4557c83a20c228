// A button of a section page: what the section script binds to words (choices,
// pictures, combat). The script subsystem grows it with conditions and effects.
#pragma once

#include <string>

struct SectionButton {
    int id = -1;      // the id words refer to with BUTTON_ID
    int value = 0;    // what conditions compare and effects write
    std::string text; // caption ("AUTOEXECUTE" fires by itself)
};
