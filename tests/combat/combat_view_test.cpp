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
