#include "app/application.h"
#include "app/settings.h"
#include "fs/data_file.h"
#include "fs/vfs.h"
#include "support/test_env.h"

#include <string>

namespace {

// The file a fresh program writes on a 1024 x 768 desktop, line by line.
const char* const DEFAULT_FILE_LINES[] = {
    "############################################################",
    "## Video Settings:",
    "## You may specify non-standard screen resolutions(wide screen,",
    "## or custom), from 640x480 - 2560x1600.",
    "############################################################",
    "FULLSCREEN_WIDTH    1024      // range: 640 to 2560",
    "FULLSCREEN_HEIGHT   768      // range: 480 to 1600",
    "FULLSCREEN_BPP      16       // 8, 16, or 32",
    "USE_FULLSCREEN      0        // 1=yes, 0=no",
    "WINDOWED_WIDTH      800      // range: 640 to 2560",
    "WINDOWED_HEIGHT     600      // range: 480 to 1600",
    "WINDOW_POS_X        112      // position on screen",
    "WINDOW_POS_Y        84      // position on sceren",
    "TARGET_FPS          30      // range: 10 to 60",
    "FPS_POSITION        1        // numpad corner values",
    "SHOW_FPS     0            // 1=yes, 0=no",
    "FPS_FONT     bluehigh     // a .ttf in the data/fonts folder",
    "FPS_COLOR    255 255 185 // RGB color range:0 to 255",
    "FPS_SIZE     6           // range: 1 to 20",
    "",
    "############################################################",
    "## Font Settings:",
    "## This specifies which fonts will be used in the game. Place",
    "## any additional fonts you wish to use in the data/fonts folder",
    "## and they can be used in-game. You may omit the .ttf ending.",
    "############################################################",
    "TEXT_FONT        bluehigh     // Font for Text for book sections",
    "TIP_FONT         bluehigh     // Font for popup tooltips",
    "ACTION_FONT      augie___     // Action Chart font",
    "MENU_FONT        bluehigh     // Menu font",
    "TEXT_FONTSIZE    7          // range: 1 to 20",
    "TIP_FONTSIZE     5          // range: 1 to 20",
    "TEXT_COLOR       0 0 0  // RGB color range: 0 to 255",
    "TIP_COLOR        0 0 0  // RGB color tange: 0 to 255",
    "TIP_BG_COLOR     255 255 185  // RGB color range: 0 to 255",
    "MENUTEXT_COLOR   0 0 0  // RGB color range: 0 to 255",
    "BUTTONTEXT_COLOR 255 255 255  // RGB color range: 0 to 255",
    "",
    "############################################################",
    "## Misc Settings:",
    "## Paper is in the data/paper folder. You may add files there.",
    "## BUTTON4 refers to the folder 'xxx' which contains 4 images:",
    "##    unclick, clickable, over, and clicked. This will be used for",
    "##    menu buttons and scroll buttons. Location: data/buttons/4/xxx",
    "## BUTTON8 refers to the folder 'xxx' which contains 8 images:",
    "##    Button1 through Button8, which has the diffrent colored buttons",
    "##    for use in section text. You may specify any of the folders",
    "##    contained therein to customize the appearance of these buttons.",
    "## Tip delay is the 'pause' length before popping up a tooltip, in ms",
    "############################################################",
    "CURSOR           green      // mouse cursor image",
    "PAPER            paper1     // book paper image",
    "PAPER_SHOW_SCROLL 1   //whether to show the scroll at bottom",
    "PAPER_SHOW_BORDER 0  //whether to show border around paper",
    "BUTTON4          redgel      // menu and scroll buttons",
    "BUTTON8          twotone      // section text buttons",
    "TIP_DELAY        500        // range: 0 to 30000 in ms",
    "TRANSPARIFY      1         // make illustrations transparent, 0=no, 1=yes",
    "RNT_SPEED        2         // range 1-4: slow,normal,fast,skip animation",
    "COMBAT_SPEED     2         // range 1-4: slow,normal,fast, skip",
    "RNT_BAR_COLOR    255 0 0   // color of Random Number Table bars",
    "COMBAT_BAR_COLOR 255 0 0   // color of Combat Results Table bars",
    "AC_FOCUS        1         // 0 = no, 1 = yes",
    "USE_FAN_ART      1       // 0 = no, 1 = original pref., 2 = fan pref.",
    "MOUSE_SPEED      1         // range 0.2-5.0: 1=normal, <1=slower, >1=faster",
    "MENU_BACKGROUND  menubase         // image background for menus",
    "AC_HEADER_BUTTONS ac1      // which folder to use for ac buttons",
    "AUTO_CHECK_UPDATE 0      // 1 = check for update on program start",
    "SKIN_FILE         skin1 // the background image to use while playing",
    "RNT_PAPER         rnt1 // the paper border to use for RNT",
    "TITLE_FILE        title1 // which title logo to show while playing",
    "SHOWN_AUTO_UPDATE_CHOICE 0 // 1 = yes, shown the choice",
    "PROG_START_COUNT 0 // 10 times = mention donate",
    "SHOW_CHOICE_DIGITS 0 // 1 = show the digit key beside each choice",
    "",
    "#############################################################",
    "## The following settings are the last used gameplay options.",
    "## They will be used as the default for a new campaign.",
    "#############################################################",
    "GAMEPLAY_SETTINGS:",
    // The rule block: the first line and END flush left, the rest indented.
    "WEAPON_RULES: 0",
    "    ARMOR_RULES: 0",
    "    ARMOR_REMOVAL: 1",
    "    HEAL_WITH_MEAL: 0",
    "    HEAL_STACKING: 0",
    "    HEALING_RULES: 0",
    "    INTELLIGENT_DAMAGE: 1",
    "    INTELLIGENT_AUTOHEAL: 1",
    "    INITIAL_STATS: 0",
    "    LIMITED_DISCIPLINES: 0",
    "    LORE_CIRCLES_HC: 0",
    "    DUAL_WIELD: 0",
    "    LIMIT_SI: 0",
    "    EXTENDED_CRT: 0",
    "    EXTRA_STORAGE: 0",
    "    WS_STACKING: 0",
    "    SHIELD_ON_ARM: 1",
    "    ALLOW_MINDBLAST: 1",
    "    ALLOW_PSI_SURGE: 1",
    "    DOUBLE_PSYCHIC_BONUSES: 0",
    "    ALLOW_ALETHER: 1",
    "    ALLOW_SILVER_HELMET: 1",
    "    ALLOW_SUNBLADE: 0",
    "    ALLOW_SHIELD: 0",
    "    WM_BOW_CS_BOOST: 1",
    "    WM_BOW_RN_BOOST: 0",
    "    WM_BOW_DAMAGE_BOOST: 0",
    "    ALLOW_MID_SAVES: 0",
    "    ALLOW_GUIDED_RTN: 0",
    "    GM_STATS_TRANSFER: 1",
    "    GM_ITEM_IMPORT: 0",
    "    GM_EXTRA_DISC_BONUS: 0",
    "    GM_RULES_NEW",
    "    BTB_RULES_NEW",
    "END",
};

std::string defaultFile() {
    std::string out;
    for (const char* line : DEFAULT_FILE_LINES)
        out += std::string(line) + "\r\n";
    return out;
}

class SettingsTest : public VfsTest {
  protected:
    void SetUp() override {
        VfsTest::SetUp();
        app = new Application();
        app->settings.desktop = {true, 1024, 768, 32};
    }
    void TearDown() override {
        delete app;
        VfsTest::TearDown();
    }
    Settings& s() { return app->settings; }
    // Loads `text` as the user's settings file.
    bool loadText(const std::string& text) {
        writeRealFile(userFile("settings.txt"), text);
        return s().load("settings.txt");
    }
    std::string saved() {
        EXPECT_TRUE(s().save("settings.txt"));
        return readRealFile(userFile("settings.txt"));
    }
    Application* app = nullptr;
};

} // namespace

TEST_F(SettingsTest, MissingFileGivesDefaultsAndWritesTheExactLayout) {
    EXPECT_FALSE(s().load("settings.txt"));
    EXPECT_EQ(readRealFile(userFile("settings.txt")), defaultFile());
    EXPECT_EQ(s().fullscreenWidth, 1024);
    EXPECT_EQ(s().textFontSize, 21);
    EXPECT_EQ(s().tipFontSize, 17);
    EXPECT_EQ(s().fpsSize, 20);
    EXPECT_EQ(s().windowPosX, 112);
    EXPECT_EQ(s().actionFont, "augie___");
    // Only a paper key read from the file trims the page margins.
    EXPECT_EQ(app->pageLayoutMargins[1], PAGE_MARGIN_SECOND);
    loadText("PAPER_SHOW_SCROLL 1");
    EXPECT_EQ(app->pageLayoutMargins[1], PAGE_MARGIN_SECOND - 8);
}

TEST_F(SettingsTest, UnknownWordsCommentsAndOrderDoNotMatter) {
    ASSERT_TRUE(loadText("junk words here\r\n"
                         "// TARGET_FPS 50\r\n"
                         "## FULLSCREEN_BPP 32\r\n"
                         "TIP_COLOR 1 2 3  // trailing comment\r\n"
                         "    CURSOR red\r\n"
                         "TARGET_FPS 45\r\n"
                         "PAPER *Blank*\r\n"));
    EXPECT_EQ(s().targetFps, 45);
    EXPECT_EQ(s().fullscreenBpp, 16);
    EXPECT_EQ(s().tipColor.r, 1);
    EXPECT_EQ(s().tipColor.b, 3);
    EXPECT_EQ(s().cursor, "red");
    EXPECT_EQ(s().paper, "");
    EXPECT_NE(saved().find("PAPER            *Blank*     // book paper image\r\n"),
              std::string::npos);
}

TEST_F(SettingsTest, ValuesAreClampedAsRead) {
    ASSERT_TRUE(loadText("TARGET_FPS 500"));
    EXPECT_EQ(s().targetFps, 100);
    EXPECT_EQ(s().windowedWidth, 800); // everything else at its default
    loadText("FULLSCREEN_BPP 24\nTEXT_FONTSIZE 0\nMOUSE_SPEED 0.05\nTIP_DELAY -5\n");
    EXPECT_EQ(s().fullscreenBpp, 32);
    EXPECT_EQ(s().textFontSize, 9);
    EXPECT_FLOAT_EQ(s().mouseSpeed, 0.2f);
    EXPECT_EQ(s().tipDelay, 0);
    EXPECT_NE(saved().find("TEXT_FONTSIZE    1 "), std::string::npos);
    loadText("FULLSCREEN_BPP 12\nMOUSE_SPEED fast\nFULLSCREEN_HEIGHT 100\nFPS_POSITION 12\n"
             "WINDOWED_WIDTH 99999\nRNT_SPEED 9\nUSE_FAN_ART 7\nFPS_COLOR 256 -1 300\n");
    EXPECT_EQ(s().fullscreenBpp, 8);
    EXPECT_FLOAT_EQ(s().mouseSpeed, 0.2f);
    EXPECT_EQ(s().fullscreenHeight, 400);
    EXPECT_EQ(s().fpsPosition, 9);
    EXPECT_EQ(s().windowedWidth, 2560);
    EXPECT_EQ(s().rntSpeed, 4);
    EXPECT_EQ(s().useFanArt, 7);  // stored as read
    EXPECT_EQ(s().fpsColor.r, 0); // a byte of 256
    EXPECT_EQ(s().fpsColor.g, 255);
    loadText("MOUSE_SPEED nan\nFULLSCREEN_BPP 16\n");
    EXPECT_FLOAT_EQ(s().mouseSpeed, 0.2f);
    EXPECT_EQ(s().fullscreenBpp, 16);
    loadText("MOUSE_SPEED 1.5\n");
    EXPECT_NE(saved().find("MOUSE_SPEED      1.5 "), std::string::npos);

    // The start counter is incremented at every start: it must stay below the top.
    loadText("PROG_START_COUNT 2147483647\n");
    EXPECT_EQ(s().progStartCount, 2147483646);
    loadText("PROG_START_COUNT -12\n");
    EXPECT_EQ(s().progStartCount, -12);
    // A name of absurd length is cut, not written back whole.
    loadText("TEXT_FONT " + std::string(100000, 'x') + " PAPER paper2\n");
    EXPECT_EQ(s().textFont, std::string(255, 'x'));
    EXPECT_EQ(s().paper, "paper2");
}

TEST_F(SettingsTest, LoadThenSaveReproducesTheValuesWithFixedComments) {
    ASSERT_TRUE(loadText("TARGET_FPS 5\nSHOW_FPS 1\nTEXT_FONT times\nTEXT_COLOR 10 20 30\n"
                         "MOUSE_SPEED 2.25\nPROG_START_COUNT 9\nPAPER_SHOW_BORDER 1\n"
                         "EDITOR_LAST_BOOK: 4\nEDITOR_LAST_SECTION: sect12\n"));
    EXPECT_EQ(app->editorLastBook, 4);
    EXPECT_EQ(app->editorLastSection, "sect12");
    EXPECT_EQ(app->pageLayoutMargins[0], PAGE_MARGIN_FIRST - 5);
    EXPECT_EQ(app->pageLayoutMargins[1], PAGE_MARGIN_SECOND - 2);
    const std::string first = saved();
    EXPECT_EQ(first.find("EDITOR_LAST"), std::string::npos);
    EXPECT_NE(first.find("TARGET_FPS          10      // range: 10 to 60\r\n"), std::string::npos);

    Application again;
    again.settings.desktop = s().desktop;
    ASSERT_TRUE(again.settings.load("settings.txt"));
    EXPECT_EQ(again.settings.composeText(), s().composeText());
    EXPECT_TRUE(again.settings.showFps);
    EXPECT_EQ(again.settings.textFont, "times");
    EXPECT_FLOAT_EQ(again.settings.mouseSpeed, 2.25f);
    EXPECT_EQ(again.settings.progStartCount, 9);
    // Loading twice does not trim the margins twice.
    EXPECT_EQ(again.pageLayoutMargins[0], PAGE_MARGIN_FIRST - 5);
}

TEST_F(SettingsTest, AFiveFromTheOptionsWindowIsSavedAndReadBackAsTen) {
    s().setDefaults();
    s().targetFps = 5;
    EXPECT_NE(saved().find("TARGET_FPS          5      "), std::string::npos);
    ASSERT_TRUE(s().load("settings.txt"));
    EXPECT_EQ(s().targetFps, 10);
}

TEST_F(SettingsTest, TheGameplayBlockCarriesTheRuleDefaults) {
    ASSERT_TRUE(loadText("TARGET_FPS 40\r\nGAMEPLAY_SETTINGS:\r\nWEAPON_RULES: 1\r\n"
                         "    ARMOR_RULES: 2\r\nGM_RULES_NEW\r\nBTB_RULES_NEW\r\nEND\r\n"
                         "EDITOR_LAST_BOOK: 3\r\n"));
    EXPECT_EQ(app->editorLastBook, 3); // keys after the block are still read
    EXPECT_EQ(app->game.rules.weaponRules, 1);
    EXPECT_EQ(app->game.rules.armorRules, 2);
    const std::string text = saved();
    EXPECT_NE(text.find("GAMEPLAY_SETTINGS:\r\nWEAPON_RULES: 1\r\n    ARMOR_RULES: 2\r\n"),
              std::string::npos);
    EXPECT_EQ(text.rfind("END\r\n"), text.size() - 5);
}

TEST_F(SettingsTest, BadInputNeverCrashes) {
    // Cut off in the middle of a key, and a key with no value at the end.
    ASSERT_TRUE(loadText("TARGET_FPS 44\nTEXT_FONTSIZE 3\nFULLSCREEN_WI"));
    EXPECT_EQ(s().targetFps, 44);
    EXPECT_EQ(s().fullscreenWidth, 1024);
    loadText("TEXT_COLOR 5 6");
    EXPECT_EQ(s().textColor.r, 5);
    EXPECT_EQ(s().textColor.b, 0);
    loadText("WINDOWED_HEIGHT");
    EXPECT_EQ(s().windowedHeight, 400); // missing value reads as 0, then clamped
    // Binary bytes and one huge token.
    std::string junk;
    for (int i = 0; i < 65536; ++i)
        junk += static_cast<char>((i * 7919) >> 3);
    loadText(junk);
    EXPECT_GE(s().targetFps, 10);
    loadText(std::string(2'000'000, 'X') + " TARGET_FPS 20");
    EXPECT_EQ(s().targetFps, 20);
    loadText("GAMEPLAY_SETTINGS:\nWEAPON_RULES: 2\n"); // cut off inside the block
    EXPECT_EQ(app->game.rules.weaponRules, 2);
    EXPECT_EQ(saved().rfind("END\r\n"), saved().size() - 5);
}

TEST_F(SettingsTest, UnwritableFolderReportsFailureAndKeepsDefaults) {
    ASSERT_TRUE(vfsSetWriteDir(""));
    EXPECT_FALSE(s().load("settings.txt"));
    EXPECT_EQ(s().targetFps, 30);
    EXPECT_FALSE(s().save("settings.txt"));
}

TEST_F(SettingsTest, TheChoiceDigitsAreOffUntilChosenAndKeptOnceChosen) {
    s().load("settings.txt"); // no file: the defaults
    EXPECT_FALSE(s().showChoiceDigits);
    s().showChoiceDigits = true;
    EXPECT_NE(saved().find("\r\nSHOW_CHOICE_DIGITS 1 // 1 = show the digit key beside each "
                           "choice\r\n"),
              std::string::npos);
    s().showChoiceDigits = false;
    ASSERT_TRUE(s().load("settings.txt"));
    EXPECT_TRUE(s().showChoiceDigits);
    // A file from before the option, and one that names it without a value.
    loadText("TARGET_FPS 40\n");
    EXPECT_FALSE(s().showChoiceDigits);
    loadText("SHOW_CHOICE_DIGITS 1\nSHOW_CHOICE_DIGITS");
    EXPECT_FALSE(s().showChoiceDigits);
}
