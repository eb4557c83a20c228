// The spine's hooks into the Random Number Table popup, the combat screen and
// the Combat Results Table viewer: each frame they take what the rules asked
// for (a pick, a round, the viewer), animate it over the pages and hand the
// result back to the rules.
#include "app/subsystem_hooks.h"

#include "app/application.h"
#include "script/section_combat.h"
#include "script/section_runtime.h"
#include "ui/frame_dirty.h"

namespace hooks {

namespace {

SDL_Color colourOf(const RgbColor& c) {
    return SDL_Color{c.r, c.g, c.b, 0};
}

// The popups' images follow the screen size.
void prepareOverlayImages(Application& app) {
    SDL_Surface* screen = app.screen.surface;
    if (!screen) return;
    const Settings& s = app.settings;
    const std::string font = s.textFont.empty() ? "bluehigh" : s.textFont;
    RandomTableView& rv = app.randomTableView;
    if (rv.screenW != screen->w || rv.screenH != screen->h) {
        freeRandomTableView(rv);
        loadRandomTableView(rv, screen->w, screen->h, s.rntPaper, font, colourOf(s.rntBarColor));
        rv.screenW = screen->w;
        rv.screenH = screen->h;
    }
    CombatResultsTable& crt = app.resultsTable;
    if (crt.screenW != screen->w || crt.screenH != screen->h) {
        if (crt.state != CRT_IDLE) return; // not in the middle of its animation
        freeTableImages(crt);
        loadTableImages(crt, screen->w, screen->h, font, colourOf(s.combatBarColor));
        crt.screenW = screen->w;
        crt.screenH = screen->h;
    }
    CombatView& cv = app.combatScreen.view;
    if (cv.screenW != screen->w || cv.screenH != screen->h) {
        freeCombatView(cv);
        loadCombatView(cv, screen->w, screen->h, font, s.rntPaper);
        cv.screenW = screen->w;
        cv.screenH = screen->h;
    }
    app.resultsTable.extended = app.game.rules.extendedCrt != 0;
}

// A fight or evade button asked for a round: the combat screen runs it, and
// the rules take its outcome when it is over.
void runCombat(Application& app, int elapsedMs) {
    GameState& g = app.game;
    CombatScreen& cs = app.combatScreen;
    CombatEnv env = sectionCombatEnv(g, app.catalogues);
    bool evade = false;
    if (!cs.running && takeCombatRound(g, evade)) startRound(cs, g.combat, env, evade);
    if (!cs.running) return;
    updateCombat(cs, g.combat, env, app.catalogues.combatTable, app.resultsTable, g.randomTable,
                 elapsedMs, app.settings.combatSpeed, app.settings.rntSpeed, app.screen.surface);
    if (g.randomTable.active)
        drawPick(app.randomTableView, g.randomTable, app.screen.surface, app.settings.rntSpeed);
    if (cs.outcomeReady) {
        cs.outcomeReady = false;
        afterCombatRound(g, app.catalogues, cs.outcome);
    }
    markFrameDirty();
}

// A button asked for a number: the popup picks it, shows it and hands it back.
void runPick(Application& app, int elapsedMs) {
    GameState& g = app.game;
    RandomNumberTable& rnt = g.randomTable;
    if (g.rulesState.pickWanted && !rnt.active)
        startPick(rnt, g.rulesState.pick, g.random, g.rules.allowGuidedRtn);
    if (!rnt.active) return;
    const bool done = updatePick(rnt, elapsedMs, app.settings.rntSpeed, g.random);
    drawPick(app.randomTableView, rnt, app.screen.surface, app.settings.rntSpeed);
    markFrameDirty();
    if (!done) return;
    const PickResult result = pickResult(rnt, g.character);
    endPick(rnt);
    deliverPick(g, app.catalogues, result); // raises the number's message itself
}

} // namespace

void prepareOverlays(Application& app) {
    prepareOverlayImages(app);
}

void drawOverlays(Application& app, int elapsedMs) {
    if (!app.playing || !app.screen.surface) return;
    prepareOverlayImages(app);
    GameState& g = app.game;
    if (g.randomTable.book != g.character.onBook && !g.randomTable.active)
        loadTable(g.randomTable, g.character.onBook);
    runCombat(app, elapsedMs);
    if (app.combatScreen.running) return;
    // The viewer, or the table of the last round sliding away.
    if (app.resultsTable.state != CRT_IDLE) {
        updateTable(app.resultsTable, app.catalogues.combatTable, app.screen.surface, elapsedMs,
                    app.settings.combatSpeed);
        markFrameDirty();
    }
    runPick(app, elapsedMs);
}

bool closeRandomTable(Application&) {
    return false; // a pick always runs to its number
}

bool closeResultsTable(Application& app) {
    CombatResultsTable& crt = app.resultsTable;
    if (!crt.viewerMode || app.combatScreen.running) return false;
    closeTableViewer(crt);
    return true;
}

void randomTableKey(Application& app, SDLKey key) {
    RandomNumberTable& rnt = app.game.randomTable;
    int region = regionForKey(key);
    // Arrows pick the region beside the middle one, as the keypad would.
    if (key == SDLK_LEFT) region = regionFromArrows(5, -1, 0);
    if (key == SDLK_RIGHT) region = regionFromArrows(5, 1, 0);
    if (key == SDLK_UP) region = regionFromArrows(5, 0, -1);
    if (key == SDLK_DOWN) region = regionFromArrows(5, 0, 1);
    if (region != RNT_NO_REGION) chooseRegion(rnt, region, app.game.random);
}

void openResultsTableViewer(Application& app, int page) {
    if (app.combatScreen.running) return;
    prepareOverlayImages(app);
    openTableViewer(app.resultsTable, app.catalogues.combatTable, page);
    markFrameDirty();
}

bool coverFirstOnly(const Application&) {
    return false;
}

void releaseOverlays(Application& app) {
    freeRandomTableView(app.randomTableView);
    freeTableImages(app.resultsTable);
    freeCombatScreen(app.combatScreen);
}

} // namespace hooks
