// The text player on the shipped data: book 1 played to its end along one
// path with one seed, and the input a player may get wrong.
#include "script/text_player.h"

#include "character/inventory.h"
#include "fs/vfs.h"
#include "script/section_change.h"
#include "script/section_runtime.h"
#include "support/test_env.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string DATA = std::string(QH_BUILD_DIR) + "/data";

struct TextPlayerTest : VfsTest {
    std::unique_ptr<TextPlayer> p = std::make_unique<TextPlayer>();
    std::ostringstream out;

    // The player keeps its saves in the program's HOME, which every test
    // shares: each test plays a new campaign, not the one the last one saved.
    bool start(int book = 1, int seed = 7) {
        p->newCampaign = true;
        return startTextPlayer(*p, DATA, book, seed, out, "test");
    }
    // Plays the commands and returns what they printed.
    std::string play(const std::vector<std::string>& commands) {
        out.str("");
        for (const std::string& c : commands)
            textPlayerCommand(*p, c);
        return out.str();
    }
    // The number the last listing gave the choice with this caption; 0 when
    // the page does not offer it.
    int choice(const std::string& listing, const std::string& caption) const {
        const size_t at = listing.rfind("] " + caption + "\n");
        if (at == std::string::npos) return 0;
        const size_t open = listing.rfind('[', at);
        return std::atoi(listing.c_str() + open + 1);
    }
    std::string press(const std::string& listing, const std::string& caption) {
        const int n = choice(listing, caption);
        EXPECT_GT(n, 0) << "no choice \"" << caption << "\" in\n" << listing;
        return play({std::to_string(n)});
    }
    // Turns straight to a section of the book and lists its choices.
    std::string turnTo(int section) {
        enterSection(p->g, p->cat, section);
        runAutoExecutes(p->g, p->cat);
        return play({"look"});
    }
    bool carries(const std::string& name) const {
        const Character& c = p->g.character;
        for (int l = LIST_WEAPONS; l <= LIST_SPECIAL; ++l)
            for (const Item& it : *carriedList(c, l))
                if (it.name == name) return true;
        return false;
    }
};

// Opening pages: scores, five Disciplines (Weaponskill picks its weapon),
// equipment with its pick for the Belt Pouch, the Axe and the Padded Jerkin.
const std::vector<std::string> OPENING = {"1", "next", "2", "4",    "4", "pick", "6",
                                          "2", "next", "1", "pick", "9", "1",    "equip 1"};

} // namespace

TEST_F(TextPlayerTest, BookOnePlayedToItsLastSection) {
    ASSERT_TRUE(start());
    std::string text = play(OPENING);
    const Character& c = p->g.character;
    EXPECT_EQ(c.csBase, 17);
    // The Jerkin's +2 raised the maximum and the current score.
    EXPECT_EQ(c.epMax, 23);
    EXPECT_EQ(c.epCur, 23);
    EXPECT_EQ(c.goldCrowns, 1);
    EXPECT_TRUE(carries("Axe") && carries("Padded Jerkin") && carries("Meal") && carries("Map"));
    EXPECT_NE(text.find("(+ Padded Jerkin)"), std::string::npos);
    std::string chart = play({"chart"});
    EXPECT_NE(chart.find("ENDURANCE: 23 / 23\n+2 Padded Jerkin"), std::string::npos) << chart;
    EXPECT_NE(chart.find("1) Axe (equipped)"), std::string::npos);

    // The adventure: 1, 74 and its fight, won in three rounds.
    text = play({"1", "1", "fight", "fight", "fight"});
    EXPECT_NE(text.find("Round 1\n  base COMBAT SKILL 17\nGreystar COMBAT SKILL: 17\n"
                        "Kindled Zealot COMBAT SKILL: 15\nCombat Ratio: 2\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("You have won the combat in 3 round(s)"), std::string::npos);
    EXPECT_NE(text.find("--- sect1 ---"), std::string::npos);
    EXPECT_EQ(text.find("AUTOEXECUTE"),
              std::string::npos); // a button that fires itself has no word
    // Choices are numbered in reading order: 74 comes first on the page of section 1.
    EXPECT_NE(text.find("  [1] turn to 74\n  [2] turn to 143\n"), std::string::npos);
    EXPECT_EQ(c.epCur, 15);
    EXPECT_EQ(p->g.section.sectionName, "sect74");
    EXPECT_EQ(play({"fight"}), "There is no fight here.\n");

    // 118: the Dagger, the coins and the mask; 88 gives the Ember Key.
    play({"1", "1", "1", "1", "1"});
    EXPECT_TRUE(carries("Dagger") && carries("Zealot's Mask") && carries("Ember Key"));
    EXPECT_EQ(c.goldCrowns, 4);
    // 47, 120, 40: a pick from the table decides the swim.
    text = play({"2", "2", "2", "1"});
    EXPECT_NE(text.find("(The Random Number Table: type 'pick' to pick a number)"),
              std::string::npos);
    EXPECT_EQ(play({"1"}), "The Random Number Table waits: type 'pick' first.\n");
    text = play({"pick"});
    EXPECT_NE(text.find("Random Number Table: column 2, row 5: 5\n"), std::string::npos) << text;
    EXPECT_NE(text.find("The number you picked was: 5"), std::string::npos);
    // 168, 250, 64 and its pick (a 3: the slide), 77, then 211 asks for a Meal.
    text = play({"1", "1", "2", "pick", "1", "1"}); // "pick" presses the page's Pick too
    EXPECT_EQ(p->g.section.sectionName, "sect211");
    EXPECT_NE(
        text.find(
            "== Choose from options below ==\n  1) Use your Hunting Discipline to get a Meal\n"
            "  2) Eat a Meal\n"),
        std::string::npos)
        << text;
    EXPECT_EQ(play({"7"}), "Please choose 1 to 2.\n");
    play({"2"});
    EXPECT_EQ(c.mealsEaten, 1);
    EXPECT_FALSE(carries("Meal"));
    // 315: Skarre; 107: his coins and a Cordial, drunk at once.
    play({"1", "fight", "fight", "fight", "1", "1", "1"});
    EXPECT_EQ(c.goldCrowns, 8);
    int before = c.epCur;
    play({"use 3"});
    EXPECT_EQ(c.epCur, before + 4);
    // 277, 330 (the ferry costs three Crowns), 342, 345 and the Steward.
    play({"1", "1", "1", "1"});
    EXPECT_EQ(c.goldCrowns, 5);
    text = play({"fight", "fight", "fight", "fight", "1"});
    EXPECT_EQ(p->g.section.sectionName, "sect350");
    EXPECT_NE(text.find("modifier: Ready for him +2 (hero)"), std::string::npos);
    EXPECT_GT(c.epCur, 0);
    EXPECT_EQ(c.travelLog.back(), std::make_pair(1, 350));
    const int cs = c.csBase, ep = c.epMax, crowns = c.goldCrowns;
    const size_t weapons = c.weapons.size();

    // "The End": the book's summary, and book 2 begins with the same hero,
    // who has one more Discipline to choose; the campaign is saved on book 2.
    text = play({"1"});
    EXPECT_NE(text.find("== Congratulations! =="), std::string::npos) << text;
    EXPECT_NE(text.find("== Book 2 begins ==\n\n--- gamerulz ---"), std::string::npos) << text;
    EXPECT_EQ(text.find("== The end of the book =="), std::string::npos);
    EXPECT_EQ(c.onBook, 2);
    EXPECT_EQ(c.vaelBooksCompleted, 1);
    EXPECT_EQ(c.disciplinesToChoose, 1);
    EXPECT_EQ(c.csBase, cs);
    EXPECT_EQ(c.epMax, ep);
    EXPECT_EQ(c.goldCrowns, crowns);
    EXPECT_EQ(c.weapons.size(), weapons);
    EXPECT_TRUE(std::filesystem::exists(testHome() + "/Documents/Quillhaven/data/profiles/campaign1.dat"));
    text = play({"next"});
    EXPECT_NE(text.find("--- discplnz ---"), std::string::npos);
    play({"1"}); // the sixth Discipline
    EXPECT_EQ(c.disciplinesToChoose, 0);
    text = play({"next"});
    // The carried hero does not get a new hero's Backpack, Meal and Crowns.
    EXPECT_EQ(choice(text, "Take your Backpack, Meal and Gold Crowns"), 0) << text;
    text = press(text, "Begin the adventure");
    EXPECT_NE(text.find("--- sect1 ---"), std::string::npos) << text;
    EXPECT_EQ(c.epCur, c.epMax); // rested at Saltmarrow
}

TEST_F(TextPlayerTest, TheSameSeedPlaysTheSameGame) {
    std::vector<std::string> path = OPENING;
    for (const char* c : {"1", "1", "fight", "fight", "chart"})
        path.push_back(c);
    ASSERT_TRUE(start(1, 12345));
    std::string first = play(path);
    vfsDeinit();
    VfsTest::SetUp();
    p = std::make_unique<TextPlayer>();
    p->newCampaign = true; // not the game the first run saved
    ASSERT_TRUE(start(1, 12345));
    EXPECT_EQ(play(path), first);
}

TEST_F(TextPlayerTest, DeathOffersARestart) {
    ASSERT_TRUE(start());
    play(OPENING);
    play({"1", "1"}); // the fight at 74
    p->g.character.epCur = 1;
    std::string text;
    for (int i = 0; i < 20 && !p->fallen; ++i)
        text += play({"fight"});
    ASSERT_TRUE(p->fallen) << text;
    EXPECT_NE(text.find("You have been defeated"), std::string::npos);
    EXPECT_NE(
        text.find("== Greystar, you have fallen... ==\nThe blood of your fallen Vael brethren"),
        std::string::npos)
        << text;
    EXPECT_EQ(play({"1"}), "Greystar has fallen. Type 'restart', 'chart' or 'quit'.\n");
    text = play({"restart"});
    EXPECT_FALSE(p->fallen);
    EXPECT_NE(text.find("--- gamerulz ---"), std::string::npos);
    EXPECT_EQ(p->g.character.epCur, 0);
    EXPECT_TRUE(p->g.character.weapons.empty());
}

TEST_F(TextPlayerTest, BadCommandsGetAnAnswerAndChangeNothing) {
    ASSERT_TRUE(start());
    play(OPENING);
    const Character before = p->g.character;
    EXPECT_EQ(play({"xyzzy"}),
              "Unknown command. Type a choice's number, 'chart', 'help' or 'quit'.\n");
    EXPECT_EQ(play({"99"}), "There is no choice 99 here.\n");
    EXPECT_EQ(play({"0"}), "There is no choice 0 here.\n");
    EXPECT_EQ(play({"-1"}),
              "Unknown command. Type a choice's number, 'chart', 'help' or 'quit'.\n");
    EXPECT_EQ(play({"99999999999999999999"}),
              "Unknown command. Type a choice's number, 'chart', 'help' or 'quit'.\n");
    EXPECT_EQ(play({"pick"}), "Nothing asks for a random number now.\n");
    EXPECT_EQ(play({"pick 12"}), "A region is a number from 1 to 9.\n");
    EXPECT_EQ(play({"equip 42"}),
              "Give the number of an item as 'chart' lists it, as in 'equip 1'.\n");
    EXPECT_EQ(play({"equip 2"}), "Only Weapons and Special Items can be wielded or worn.\n");
    EXPECT_EQ(play({"evade"}), "You cannot evade here.\n");
    EXPECT_EQ(play({"restart"}), "You can only restart after Greystar has fallen.\n");
    EXPECT_EQ(play({std::string(100000, 'x')}),
              "Unknown command. Type a choice's number, 'chart', 'help' or 'quit'.\n");
    EXPECT_EQ(play({std::string("\x01\xff\x80 7\0", 6)}),
              "Unknown command. Type a choice's number, 'chart', 'help' or 'quit'.\n");
    EXPECT_EQ(play({"", "   "}), "");
    EXPECT_EQ(p->g.character.epCur, before.epCur);
    EXPECT_EQ(p->g.character.weapons.size(), before.weapons.size());
    EXPECT_EQ(p->g.section.sectionName, "equipmnt");

    // The end of the input ends the player, whatever was asked.
    std::istringstream none("");
    EXPECT_EQ(runTextPlayer(*p, none), 0);
    EXPECT_NE(out.str().find("(end of input)"), std::string::npos);
    std::istringstream stop("chart\nquit\n1\n");
    out.str("");
    runTextPlayer(*p, stop);
    EXPECT_TRUE(p->quit);
    EXPECT_EQ(out.str().find("(end of input)"), std::string::npos);
}

TEST_F(TextPlayerTest, MissingBooksAndDataAreReported) {
    EXPECT_FALSE(start(0));
    EXPECT_NE(out.str().find("qhdata play: there is no book 0"), std::string::npos);
    EXPECT_FALSE(start(21));
    EXPECT_NE(out.str().find("there is no book 21"), std::string::npos);
    out.str("");
    EXPECT_FALSE(start(7)); // a book of the series that is not shipped
    EXPECT_NE(out.str().find("qhdata play: book 7 ("), std::string::npos) << out.str();
    out.str("");
    auto other = std::make_unique<TextPlayer>();
    EXPECT_FALSE(startTextPlayer(*other, testHome() + "/nowhere", 1, 1, out, "test"));
    EXPECT_EQ(out.str(), "qhdata play: " + testHome() + "/nowhere is not a data folder\n");
}

TEST_F(TextPlayerTest, DamagedSectionFilesDoNotStopThePlay) {
    // A section page and a section script of our own in the user folder, which
    // is searched before the book: garbage in both.
    std::string folder = userFile("01ftak/");
    std::filesystem::create_directories(folder);
    writeRealFile(folder + "sect74.htm", std::string("<html><body><p>Half a <b>page\x01\xfe<", 30));
    writeRealFile(folder + "sect74.dat",
                  "WORD\nWORD_ID: 99999999\nBUTTONS: 1000000\nID: 1\nEFFECTS: -5\n"
                  "TYPE: 9999 Nothing\nCOMBAT\nENEMIES: 3\nNAME:");
    ASSERT_TRUE(start());
    play(OPENING);
    std::string text = play({"1", "1"});
    EXPECT_EQ(p->g.section.sectionName, "sect74");
    EXPECT_NE(text.find("--- sect74 ---"), std::string::npos);
    // Whatever the page kept, commands still get answers.
    text = play({"fight", "1", "chart", "look"});
    EXPECT_NE(text.find("ACTION CHART"), std::string::npos);
}

TEST_F(TextPlayerTest, MaudSellsTwoMealsAndAFullBackpackKeepsTheCoin) {
    ASSERT_TRUE(start());
    play(OPENING);
    Character& c = p->g.character;
    c.goldCrowns = 3;
    const int meals = mealCount(c);
    std::string text = turnTo(96);
    text = press(text, "Buy a Meal for 1 Gold Crown");
    EXPECT_EQ(mealCount(c), meals + 1);
    EXPECT_EQ(c.goldCrowns, 2);
    text = press(text, "Buy a Meal for 1 Gold Crown");
    EXPECT_EQ(mealCount(c), meals + 2);
    EXPECT_EQ(c.goldCrowns, 1);
    EXPECT_EQ(choice(text, "Buy a Meal for 1 Gold Crown"), 0) << text; // two at most
    // Maud's own choices stay (Animal Kinship turns to 32, the others to 211).
    EXPECT_GT(choice(text, "turn to 211") + choice(text, "turn to 32"), 0) << text;

    // A Backpack with no room: the Meal is refused and the Crown stays.
    text = turnTo(96);
    while (canTakeById(p->g, p->cat, 11)) {
    }
    p->g.messages.pending.clear();
    text = press(play({"look"}), "Buy a Meal for 1 Gold Crown");
    EXPECT_NE(text.find("== Your Backpack is too full\n\nDiscard an item to pick this up ==\n"
                        "You do not have enough room in your Backpack.\n(You can carry a maximum "
                        "of 8 articles)"),
              std::string::npos)
        << text;
    EXPECT_EQ(c.goldCrowns, 1);
}

TEST_F(TextPlayerTest, ANewHeroOfBookTwoGetsHisPouchWhateverHeTakesFirst) {
    ASSERT_TRUE(start(2, 8));
    std::string text = play({"1", "next", "1", "1", "1", "1", "1", "next"});
    ASSERT_EQ(p->g.section.sectionName, "equipmnt");
    text = press(text, "Take two Meals");
    EXPECT_EQ(mealCount(p->g.character), 2);
    text = press(text, "Take your Backpack, Meal and Gold Crowns");
    play({"pick"});
    EXPECT_EQ(mealCount(p->g.character), 3);
    EXPECT_GE(p->g.character.goldCrowns, 10);
    EXPECT_LE(p->g.character.goldCrowns, 19);
}

TEST(TextPlayerPage, PunctuationStaysOnItsWordWithoutABlank) {
    SectionPage page;
    for (const char* t : {"your", "Action", "Chart", ";", "if", "none", ",", "lose", "3", "."}) {
        PageWord w;
        w.text = t;
        page.words.push_back(w);
    }
    page.words.back().endParagraph = true;
    EXPECT_EQ(pageText(page), "your Action Chart; if none, lose 3.\n");
}
