// A button of a section page as the section script stores it: its id, caption,
// look, value, and what it does (effects) and when it is offered (conditions).
// Plain model: the images and the drawing belong to the page view.
#pragma once

#include "script/condition.h"
#include "script/effect.h"

#include <string>
#include <vector>

// The caption of a button that runs its effects by itself once it is in view.
inline const char* const AUTOEXECUTE_CAPTION = "AUTOEXECUTE";

struct SectionButton {
    int id = 0;               // words refer to it with BUTTON_ID
    bool onlyText = false;    // bare text in the section text colour, no button art
    std::string text;         // caption; a back-tick breaks the line where allowed
    int colour = 2;           // 0 not clickable, 1-3 the three clickable looks
    std::string tooltip;      // a back-tick breaks the line
    std::string picture;      // illustration shown instead of the caption; "" none
    bool valueAsLabel = false; // the caption shows `value`
    int value = 0; // owned by its effects; for picture buttons the width in per cent
    std::vector<Effect> effects;       // performed in order when pressed
    std::vector<Condition> conditions; // the button is offered when they hold

    // A "*MENU BUTTON*" caption: rendered in the menu colour with these settings.
    bool menuStyle = false;
    int menuPadX = 0, menuPadY = 0;
    int menuFlag = 0;          // handed to the caption renderer (several lines over a background)
    bool menuFirstFont = true; // the first menu font, else the second

    bool autoExecute() const { return text == AUTOEXECUTE_CAPTION; }
    // The caption to show: the number when the value is the label.
    std::string shownText() const { return valueAsLabel ? std::to_string(value) : text; }
};
