// The one record that owns all running state of the program, reached through
// the one global pointer `theApp`. Subsystems add their members here.
#pragma once

#include "character/character.h"
#include "character/item_catalogue.h"
#include "character/rule_options.h"
#include "fs/data_file.h"

#include <vector>

struct Application {
    FileSystemPaths paths;
    Character character;     // the hero of the campaign being played
    RuleOptions rules;       // the campaign's house rules
    std::vector<Item> items; // the item catalogue, loaded once at start
};

extern Application* theApp;
