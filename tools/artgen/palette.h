// The one palette of the interface art: parchment, deep ink, warm gold and
// bronze, with a few restrained accent colours. Modules take colours from here
// so everything sits together.
#pragma once

#include "canvas.h"

const Color PARCHMENT = hex(0xefe2c0);
const Color PARCHMENT_LIGHT = hex(0xf7eed6);
const Color PARCHMENT_DARK = hex(0xd8c193);
const Color PARCHMENT_EDGE = hex(0xa9865a);
const Color INK = hex(0x2a1d12);
const Color INK_SOFT = hex(0x4a3826);
const Color INK_BLUE = hex(0x1d2a3a);
const Color GOLD = hex(0xc9a043);
const Color GOLD_LIGHT = hex(0xf3dc8e);
const Color GOLD_DARK = hex(0x7c5a1c);
const Color BRONZE = hex(0x8c5a2b);
const Color BRONZE_DARK = hex(0x4e2f14);
const Color OXBLOOD = hex(0x7a1f1b);
const Color FOREST = hex(0x2f4a2c);
const Color NIGHT = hex(0x141a24);
const Color LEATHER = hex(0x5a3420);

// Font files of data/fonts used for lettering.
const char* const FONT_DISPLAY = "klaudia.ttf";
const char* const FONT_BOOK = "vollkorn.ttf";
const char* const FONT_SANS = "dejavusans.ttf";
const char* const FONT_UI = "bluehigh.ttf";
const char* const FONT_HAND = "augie___.ttf";
