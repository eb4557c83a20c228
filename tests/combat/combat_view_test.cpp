#include "character/character.h"
#include "character/rule_options.h"
#include "combat/combat_view.h"
#include "ui/ui_fixture.h"

#include <cstdlib>

TEST_F(UiTest, CombatPanelsShowSkillRatioAndDamage) {
    mountBuiltData();
    CombatView view;
    ASSERT_TRUE(loadCombatView(view, 1280, 1024, "bluehigh", "rnt1"));
    SDL_Surface* screen =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 1280, 1024, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    CombatRecord c;
    c.enemies.resize(1);
    c.enemies[0].name = "Vordak of the Long Night and the Hollow Hills";
    c.heroCombatSkill = 19;
    c.enemyCombatSkill = 17;
    drawSkillPanels(view, c);
    ASSERT_TRUE(view.heroPanel && view.enemyPanel);
    EXPECT_EQ(view.heroPanel->w, 256);
    drawMiddlePanel(view, "Combat", "Ratio", 2);
    drawPanels(view, screen, 255);
    if (const char* dir = std::getenv("QH_SHOT_DIR"))
        SDL_SaveBMP(screen, (std::string(dir) + "/skill.bmp").c_str());
    c.heroLoss = 999;
    c.enemyLoss = 6;
    drawDamagePanels(view, c, true);
    SDL_FillRect(screen, nullptr, 0);
    drawPanels(view, screen, 255);
    if (const char* dir = std::getenv("QH_SHOT_DIR"))
        SDL_SaveBMP(screen, (std::string(dir) + "/damage.bmp").c_str());
    EXPECT_EQ(panelLossText(999), "K");
    EXPECT_EQ(panelLossText(100), "K");
    EXPECT_EQ(panelLossText(99), "99");
    freeCombatView(view);
    SDL_FreeSurface(screen);
}

TEST_F(UiTest, RoundOnScreenEndsLikeTheRoundInARow) {
    mountBuiltData();
    CombatTable table;
    ASSERT_TRUE(loadCombatTable(table));
    Character hero;
    hero.csBase = 18;
    hero.epMax = hero.epCur = 25;
    RuleOptions rules;
    RandomSource random, twin;
    seedRandom(random, 4711, 0);
    seedRandom(twin, 4711, 0);
    RandomNumberTable grid;
    loadTable(grid, 1);
    CombatRecord onScreen;
    onScreen.enemies.resize(1);
    onScreen.enemies[0].cs = 14;
    onScreen.enemies[0].ep = 20;
    CombatModifier m;
    m.name = "High ground";
    m.value = 2;
    onScreen.modifiers = {m};
    CombatRecord inARow = onScreen;
    Character heroTwin = hero;

    CombatEnv env{hero, rules, random, nullptr, nullptr};
    CombatScreen screen;
    loadCombatView(screen.view, 1280, 1024, "bluehigh", "rnt1");
    CombatResultsTable crt;
    loadTableImages(crt, 1280, 1024, "bluehigh", SDL_Color{255, 0, 0, 0});
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 1280, 1024, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    ASSERT_TRUE(startRound(screen, onScreen, env, false));
    EXPECT_FALSE(startRound(screen, onScreen, env, false)); // one at a time
    int frames = 0, plateFrames = 0, skillBefore = 0;
    const int reached = combatFadeMs(2) + combatMoveMs(2);
    while (screen.running && frames < 2000) {
        SDL_FillRect(surface, nullptr,
                     SDL_MapRGB(surface->format, 60, 50, 40)); // the page, redrawn each frame
        updateCombat(screen, onScreen, env, table, crt, grid, 33, 2, 2, surface);
        ++frames;
        // The modifier's plate is on screen through its turn, and its +2 is
        // in the panel's value once the plate has reached the panel.
        if (onScreen.phase == 1 && onScreen.step == 2 && screen.plate) {
            if (plateFrames++ == 0) skillBefore = onScreen.heroCombatSkill;
            if (plateFrames == 40 && std::getenv("QH_SHOT_DIR"))
                SDL_SaveBMP(surface,
                            (std::string(std::getenv("QH_SHOT_DIR")) + "/plate.bmp").c_str());
            EXPECT_EQ(onScreen.heroCombatSkill, skillBefore + (onScreen.elapsedMs >= reached ? 2 : 0))
                << onScreen.elapsedMs;
        }
        if (onScreen.phase == 3 && onScreen.step == 2 && std::getenv("QH_SHOT_DIR"))
            SDL_SaveBMP(surface, (std::string(std::getenv("QH_SHOT_DIR")) + "/round.bmp").c_str());
    }
    EXPECT_FALSE(screen.running);
    ASSERT_TRUE(screen.outcomeReady);
    EXPECT_GT(plateFrames, 20);
    EXPECT_EQ(screen.plate, nullptr);

    CombatEnv twinEnv{heroTwin, rules, twin, nullptr, nullptr};
    RoundOutcome row = fightRound(inARow, twinEnv, table, grid, false);
    EXPECT_EQ(onScreen.heroCombatSkill, inARow.heroCombatSkill);
    EXPECT_EQ(onScreen.randomNumber, inARow.randomNumber);
    EXPECT_EQ(screen.outcome.heroLoss, row.heroLoss);
    EXPECT_EQ(screen.outcome.enemyLoss, row.enemyLoss);
    EXPECT_EQ(hero.epCur, heroTwin.epCur);
    EXPECT_EQ(onScreen.enemies[0].ep, inARow.enemies[0].ep);
    freeTableImages(crt);
    freeCombatView(screen.view);
    SDL_FreeSurface(surface);
}

TEST(CombatPlates, GlideBetweenTheMiddleAndTheirPanel) {
    CombatView v;
    v.screenW = 1000;
    v.screenH = 800;
    const int fade = combatFadeMs(2), move = combatMoveMs(2);
    // Fading in where it starts, then gliding to the enemy's panel, then fading out there.
    PlatePlace start = platePlace(v, 100, 40, true, false, 0, 2);
    PlatePlace half = platePlace(v, 100, 40, true, false, fade / 2, 2);
    PlatePlace there = platePlace(v, 100, 40, true, false, fade + move, 2);
    PlatePlace gone = platePlace(v, 100, 40, true, false, 2 * fade + move, 2);
    EXPECT_EQ(start.alpha, 0);
    EXPECT_EQ(half.x, start.x);
    EXPECT_NEAR(half.alpha, 127, 2);
    EXPECT_EQ(start.x, 450);
    EXPECT_EQ(there.x, 700);
    EXPECT_EQ(there.alpha, 255);
    EXPECT_EQ(gone.x, 700);
    EXPECT_EQ(gone.alpha, 0);
    PlatePlace mid = platePlace(v, 100, 40, true, false, fade + move / 2, 2);
    EXPECT_GT(mid.x, start.x);
    EXPECT_LT(mid.x, there.x);
    // The hero's panel; taking back glides from the panel to the middle.
    EXPECT_EQ(platePlace(v, 100, 40, false, false, fade + move, 2).x, 200);
    EXPECT_EQ(platePlace(v, 100, 40, false, true, 0, 2).x, 200);
    EXPECT_EQ(platePlace(v, 100, 40, false, true, fade + move, 2).x, 450);
}
