// The one record that owns all running state of the program, reached through
// the one global pointer `theApp`. Subsystems add their members here.
#pragma once

#include "app/game_state.h"
#include "app/screen_maths.h"
#include "app/settings.h"
#include "app/title_screen.h"
#include "book/download_view.h"
#include "book/random_table_view.h"
#include "combat/combat_view.h"
#include "combat/crt_view.h"
#include "fs/data_file.h"
#include "ui/button.h"
#include "ui/font.h"
#include "ui/frame_rate.h"
#include "ui/message.h"
#include "ui/skin.h"
#include "ui/text_entry.h"
#include "ui/toolbar.h"
#include "ui/tooltip.h"
#include "ui/window_manager.h"
#include "ui/windows.h"
#include "save/profiles.h"

#include <SDL/SDL_video.h>

#include <memory>
#include <string>
#include <vector>

// Initial page-layout margins in pixels; the paper settings trim them.
constexpr int PAGE_MARGIN_FIRST = 45;
constexpr int PAGE_MARGIN_SECOND = 80;

// The video state.
struct ScreenState {
    SDL_Surface* surface = nullptr; // the video surface (owned by SDL)
    float uiScale = 1.0f;           // height / 768 while playing, / 462 on the title screen
    SDL_Surface* skin = nullptr;    // background while playing, rebuilt per video mode
};

struct Application {
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    FileSystemPaths paths;
    Settings settings;
    ScreenState screen;
    GameState game;         // what the rules work on
    Catalogues catalogues;  // loaded once at start
    TitleScreen titleScreen;
    FramePacer pacer;
    ProgressBar progressBar; // downloads; also the loading indicator

    long long firstFrameMs = 0; // program start to the first intro frame; 0 until shown
    bool playing = false; // false on the title and menu screens
    bool quit = false;    // leave the main loop at the end of this frame
    int mouseX = 0, mouseY = 0;

    bool clickLock = false; // a section button was clicked; released by the frame presenter
    bool skipFlip = false;  // the frame presenter skips one flip
    // When set, the presenter sends only these parts of the screen (none: nothing changed).
    bool flipPartly = false;
    std::vector<SDL_Rect> flipRects;
    // Idle frames (ui/frame_dirty.h): draw the next frame; frames drawn and
    // frames flipped onto the window so far; what the windows looked like in
    // the last frame drawn.
    bool frameDirty = true;
    long framesDrawn = 0;
    long framesFlipped = 0;
    std::vector<int> drawnWindows;

    // Page layout margins in pixels, trimmed by the paper settings.
    int pageLayoutMargins[2] = {PAGE_MARGIN_FIRST, PAGE_MARGIN_SECOND};
    // The two page rectangles of the play screen (left, right), sized in
    // percent of the screen.
    PageRect pageRects[2];
    int pageWidthPercent = 46, pageHeightPercent = 80;

    // Last book and section of the section editor; read from the settings, never written.
    int editorLastBook = 1;
    std::string editorLastSection = "sect1";

    DownloadServers servers;      // where books, covers and fan art are fetched from
    std::string publishedVersion; // newest version read by the update check

    // Presentation toolkit
    FontSet fonts;           // role fonts, reopened when the settings change
    SkinImages skin;         // skin images, reloaded when the settings change
    ButtonStyle buttonStyle; // colours, tooltip font and delay used by every button
    TextEntry textEntry;     // the one number or text entry
    TooltipSlot tooltip;     // drawn last in the frame
    FrameRateCounter frameRate;

    // Windows and profiles
    WindowManager windowManager;          // every menu, dialog and viewer, and the open stack
    WindowData windowData;                // what the windows keep between frames
    ProfileList profiles;                 // the five players and the active one
    std::vector<std::string> fontNames;   // the fonts folder, for the font settings window
    std::vector<std::string> avatarNames; // the avatar images, for the profiles

    // Play screen: the tool bar (the first eight entries) and the section
    // choice buttons after it; the logo and book title above the pages.
    std::vector<std::unique_ptr<Button>> headerButtons;
    TitleBar titleBar;

    // Drawn over the pages while playing: the Random Number Table popup (its
    // pick is game.randomTable), the combat screen (its record is
    // game.combat) and the Combat Results Table, for a round or as the viewer.
    RandomTableView randomTableView;
    CombatScreen combatScreen;
    CombatResultsTable resultsTable;
};

extern Application* theApp;

// Allocates the record, points `theApp` at it and builds the fixed tables.
Application* createApplication();
void destroyApplication();
