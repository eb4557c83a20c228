// The one record that owns all running state of the program, reached through
// the one global pointer `theApp`. Subsystems add their members here.
#pragma once

#include "book/book_catalogue.h"
#include "book/download.h"
#include "character/character.h"
#include "character/item_catalogue.h"
#include "character/rule_options.h"
#include "fs/data_file.h"
#include "ui/button.h"
#include "ui/font.h"
#include "ui/frame_rate.h"
#include "ui/message.h"
#include "ui/skin.h"
#include "ui/text_entry.h"
#include "ui/tooltip.h"

#include <vector>

struct Application {
    Application();

    FileSystemPaths paths;

    // Books: the catalogue and the front-matter pages, built by the constructor.
    std::vector<BookEntry> books;
    std::vector<FrontMatterPage> frontMatter;
    DownloadServers servers;      // where books, covers and fan art are fetched from
    ProgressBar progressBar;      // drawn while a download runs
    std::string publishedVersion; // newest version read by the update check

    // Character and inventory
    Character character;     // the hero of the campaign being played
    RuleOptions rules;       // the campaign's house rules
    std::vector<Item> items; // the item catalogue, loaded once at start

    // Presentation toolkit
    FontSet fonts;           // role fonts, reopened when the settings change
    SkinImages skin;         // skin images, reloaded when the settings change
    ButtonStyle buttonStyle; // colours, tooltip font and delay used by every button
    TextEntry textEntry;     // the one number or text entry
    TooltipSlot tooltip;     // drawn last in the frame
    MessageQueue messages;   // message box requests for the window dispatcher
    FrameRateCounter frameRate;
};

extern Application* theApp;
