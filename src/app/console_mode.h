// Started with a path argument, the program prints the record of a resume
// save to the console instead of opening a play window.
#pragma once

#include <cstdio>
#include <string>

struct Application;

// The file name after the last path separator.
std::string fileNameOf(const std::string& path);
// Waits for the player to press Enter; returns at once when input is closed.
void waitForKey(std::FILE* in);
// Never returns: exits 0 after the record, 1 when the file is refused.
[[noreturn]] void runConsoleMode(Application& app, const std::string& argument);
