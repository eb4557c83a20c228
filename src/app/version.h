// The program's version: the window caption, the about window, the saves and
// the update check all show this one.
#pragma once

constexpr const char* VERSION_STRING = "1.17.0";
constexpr const char* RELEASE_DATE = "Oct 26, 2015";
