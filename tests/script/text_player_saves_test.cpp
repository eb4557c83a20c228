// The text player keeps its game in the profile's resume save: a game stopped
// in the middle of a fight goes on, in a new run, with the same enemy and the
// random numbers an uninterrupted game would have drawn.
#include "script/text_player.h"

#include "fs/vfs.h"
#include "save/save_files.h"
#include "support/test_env.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string DATA = std::string(QH_BUILD_DIR) + "/data";
const std::vector<std::string> TO_THE_FIGHT = {"1", "next",    "2",    "4", "4",    "pick",
                                               "6", "2",       "next", "1", "pick", "9",
                                               "1", "equip 1", "1",    "1"};

struct PlayerRun {
    std::unique_ptr<TextPlayer> p = std::make_unique<TextPlayer>();
    std::ostringstream out;
    std::string play(const std::vector<std::string>& commands) {
        std::istringstream in;
        std::string text;
        for (const std::string& c : commands)
            text += c + "\n";
        in.str(text);
        runTextPlayer(*p, in);
        return out.str();
    }
};

} // namespace

TEST_F(VfsTest, TextPlayerGoesOnFromItsSave) {
    auto whole = std::make_unique<PlayerRun>();
    whole->p->newCampaign = true;
    ASSERT_TRUE(startTextPlayer(*whole->p, DATA, 1, 4321, whole->out, "test"));
    std::vector<std::string> all = TO_THE_FIGHT;
    all.insert(all.end(), {"fight", "fight"});
    whole->play(all);
    const int enemyEp = whole->p->g.combat.enemies.at(0).ep;
    const int draws = whole->p->g.random.draws;
    ASSERT_GE(whole->p->g.combat.roundsFinished, 2);
    vfsDeinit();

    // The same game stopped after the first round, and a second run.
    VfsTest::SetUp();
    auto first = std::make_unique<PlayerRun>();
    first->p->newCampaign = true;
    ASSERT_TRUE(startTextPlayer(*first->p, DATA, 1, 4321, first->out, "test"));
    std::vector<std::string> part = TO_THE_FIGHT;
    part.push_back("fight");
    const std::string said = first->play(part);
    EXPECT_NE(said.find("(game saved: book 1, section 74"), std::string::npos) << said;
    const std::string page = first->p->g.section.sectionName;
    vfsDeinit();

    VfsTest::SetUp();
    auto second = std::make_unique<PlayerRun>();
    ASSERT_TRUE(startTextPlayer(*second->p, DATA, 1, 1, second->out, "test"));
    EXPECT_NE(second->out.str().find("(your saved game goes on: book 1, section 74"),
              std::string::npos)
        << second->out.str();
    EXPECT_EQ(second->p->g.section.sectionName, page);
    EXPECT_EQ(second->p->g.combat.roundsFinished, 1);
    second->play({"fight"});
    EXPECT_EQ(second->p->g.combat.enemies.at(0).ep, enemyEp);
    EXPECT_EQ(second->p->g.random.draws, draws);
}
