// The number of every window, menu, dialog and viewer: the one name for each.
// Plain numbers without any drawing, so that the rules can address messages
// to a window too.
#pragma once

enum WindowId {
    WIN_MAIN_MENU = 0,
    WIN_TEXT_ENTRY = 1,
    WIN_MESSAGE = 4,
    WIN_ILLUSTRATION = 5,
    WIN_PLACEHOLDER = 6,
    WIN_PROFILES = 7,
    WIN_AVATAR = 8,
    WIN_ABOUT = 9,
    WIN_OPTIONS = 10,
    WIN_VIDEO = 11,
    WIN_FONTS = 12,
    WIN_APPEARANCE = 13,
    WIN_MISC = 14,
    WIN_BOOK_SELECT = 15,
    WIN_RULES = 16,
    WIN_SELECTION = 37,
    WIN_MAP = 38,
    WIN_CERTIFICATE = 39,
    WIN_UPDATE = 40,
    WIN_RESTART = 41,
    WIN_SAVE_LOAD = 42,
    WIN_DEATH = 43,
    WIN_AWARDS = 44,
    WIN_AWARD_DETAILS = 45,
    WIN_RESTART_BOOK = 46,
    WIN_ASK_UPDATES = 47,
    WIN_DONATE = 48,
};
