// Every button of the Action Chart does what its tooltip says. Three rich
// heroes (one per tier) have their eleven pages built; each button and
// clickable line is pressed on a fresh copy of its hero, and the change is
// checked against the verb of its tooltip. The window and the text player
// press the same ChartButton actions, so this covers both.
#include "actionchart/chart_model.h"

#include "app/game_state.h"
#include "awards/award.h"
#include "character/inventory.h"
#include "character/item_catalogue.h"
#include "character/scores.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

namespace {

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.rfind(prefix, 0) == 0;
}

int carriedCount(const Character& c) {
    return static_cast<int>(c.weapons.size() + c.backpackItems.size() + c.specialItems.size());
}

class ChartButtonWalk : public VfsTest {
protected:
    Catalogues cat = compiledCatalogues();
    std::set<ChartActionKind> seen;
    int checked = 0;

    void SetUp() override {
        VfsTest::SetUp();
        mountBuiltData();
        ASSERT_TRUE(loadCatalogue(cat.items));
        ASSERT_GT(cat.items.size(), 200u);
        defineAwards(cat.awards);
    }

    Item item(int id, int uses = -1, bool equipped = false) {
        Item it = cat.items[static_cast<size_t>(id)];
        if (uses >= 0) it.uses = uses;
        it.equipped = equipped;
        return it;
    }

    // Carried items, coins, storage, lost items, notes, a travel log and a fight.
    void fill(Character& c) {
        c.weapons = {item(7, -1, true), item(0)};
        c.backpackItems = {item(16), item(11), item(ITEM_ID_BACILLUS_CURE_A), item(17)};
        c.specialItems = {item(22, 6), item(ITEM_ID_FIRESEED, 3), item(23), item(24, -1, true), item(21, 0)};
        c.goldCrowns = 10;
        c.lune = 8;
        c.kika = 12;
        c.storageItems = {item(1), item(15)};
        c.storageCrowns = 3;
        c.storageLune = 2;
        c.storageKika = 1;
        c.lostItems = {item(2), item(26)};
        c.lostCrowns = 4;
        c.lostLune = 5;
        c.lostKika = 6;
        c.notes = {"The Steward lies.", "Find the Ember Door."};
        c.disease = {DISEASE_BACILLUS};
        c.travelLog = {{c.onBook, 1}, {c.onBook, 20}};
        BattleLogEntry fight;
        fight.book = c.onBook;
        fight.title = "A zealot";
        fight.section = 20;
        fight.rounds.push_back({"Kindled Zealot", 14, 20, 15, 18, -1, 0, 0});
        fight.rounds.push_back({"Kindled Zealot", 14, 17, 15, 14, 5, 0, 0});
        c.battleLog.push_back(fight);
    }

    // Vael, at the start of book 5: storage open, lost items to reclaim, the
    // scores still to be lowered, the ninth rank title.
    GameState vael() {
        GameState g;
        Character& c = g.character;
        c.onBook = 5;
        c.onSection = 1;
        c.onBookSeries = TIER_VAEL;
        c.completedOpeningSection = false;
        c.reclaiming = true;
        c.vaelBooksCompleted = 4;
        c.csBase = c.csInitial = 15;
        c.epMax = c.epInitial = 25;
        c.epCur = 18;
        for (int d : {DISC_WEAPONSKILL, DISC_MINDBLAST, DISC_HEALING}) learnDiscipline(c, TIER_VAEL, d);
        c.weaponskillIn[WEAPON_SWORD] = true;
        fill(c);
        return g;
    }

    // Dravic, mid-book 12: two weapons to choose for Weaponmastery, Psi-surge,
    // Curing at the ninth rank with ENDURANCE low.
    GameState dravic() {
        GameState g = vael();
        Character& c = g.character;
        c.onBook = 12;
        c.onSection = 120;
        c.onBookSeries = TIER_DRAVIC;
        c.completedOpeningSection = true;
        c.reclaiming = false;
        c.vaelBooksCompleted = 5;
        c.dravicBooksCompleted = 6;
        for (int d : {DISC_WEAPONSKILL, DISC_MINDBLAST, DISC_HEALING}) learnDiscipline(c, TIER_DRAVIC, d);
        c.weaponmasteryIn[WEAPON_SWORD] = true;
        c.weaponmasteryToChoose = 2;
        c.epCur = 5;
        c.disease.clear();
        c.travelLog = {{5, 1}, {12, 1}, {12, 20}};
        return g;
    }

    // Grand Master, book 14: Vael-Surge, Vael-blast and Vael-ray, Deliverance,
    // the earlier tiers to look back at.
    GameState grandMaster() {
        GameState g = dravic();
        Character& c = g.character;
        c.onBook = 14;
        c.onBookSeries = TIER_GRAND_MASTER;
        c.dravicBooksCompleted = 7;
        c.grandMasterBooksCompleted = 1;
        for (int d : {DISC_WEAPONSKILL, DISC_MINDBLAST, DISC_HEALING})
            learnDiscipline(c, TIER_GRAND_MASTER, d);
        c.grandWeaponmasteryIn[WEAPON_SWORD] = true;
        c.grandWeaponmasteryToChoose = 1;
        c.epCur = 7;
        c.usingVaelBlast = false;
        c.usingVaelRay = true;
        return g;
    }

    // The currency a coin button's tooltip or line names.
    static int currencyIn(const std::string& text) {
        for (int cur = 0; cur < 3; ++cur)
            if (text.find(currencyName(cur)) != std::string::npos) return cur;
        if (startsWith(text, "Gold Crown(s)")) return 0;
        if (startsWith(text, "Lune")) return 1;
        if (startsWith(text, "Kika")) return 2;
        return -1;
    }

    static const RulesPrompt* lastPrompt(const GameState& g) {
        return g.rulesState.prompts.empty() ? nullptr : &g.rulesState.prompts.back();
    }

    void expectCoinPrompt(const GameState& after, CoinMove move, int currency, const std::string& what) {
        const RulesPrompt* p = lastPrompt(after);
        ASSERT_NE(p, nullptr) << what;
        EXPECT_EQ(p->kind, PromptKind::CoinAmount) << what;
        EXPECT_EQ(p->move, move) << what;
        EXPECT_EQ(p->currency, currency) << what;
    }

    void expectPrompt(const GameState& after, PromptKind kind, const std::string& what) {
        const RulesPrompt* p = lastPrompt(after);
        ASSERT_NE(p, nullptr) << what;
        EXPECT_EQ(p->kind, kind) << what;
    }

    // An item out of a pool: carried now, or refused with the rules' message
    // (a third weapon) and left where it was.
    static void expectTakenOrRefused(const GameState& g, size_t poolAfter, size_t poolBefore,
                                     const Character& a, const Character& b) {
        if (!g.messages.pending.empty()) {
            EXPECT_EQ(poolAfter, poolBefore);
            EXPECT_EQ(carriedCount(a), carriedCount(b));
            return;
        }
        EXPECT_EQ(poolAfter + 1, poolBefore);
        EXPECT_EQ(carriedCount(a), carriedCount(b) + 1);
    }

    // Presses one button of `line` on a copy of `hero` and checks the change
    // against the tooltip's verb.
    void pressAndCheck(const GameState& hero, int page, const ChartLine& line, const std::string& caption,
                       const std::string& tip, const ChartAction& action) {
        const std::string what = "page " + std::to_string(page) + ", line \"" + line.text +
                                 "\", button \"" + caption + "\": " + tip;
        SCOPED_TRACE(what);
        GameState g = hero;
        ChartState st;
        st.page = page;
        seen.insert(action.kind);
        ++checked;
        const Character& b = hero.character;
        const Item* target = nullptr;
        if (const std::vector<Item>* list = carriedList(b, action.list))
            if (action.index >= 0 && action.index < static_cast<int>(list->size()))
                target = &(*list)[static_cast<size_t>(action.index)];
        performChartAction(action, st, g, cat);
        const Character& a = g.character;
        const std::vector<Item>* before = carriedList(b, action.list);
        const std::vector<Item>* after = carriedList(a, action.list);
        auto itemButton = [&] {
            // The button acts on the item its line shows.
            ASSERT_NE(target, nullptr);
            EXPECT_EQ(line.text, chartItemLabel(*target, hero));
        };

        if (startsWith(tip, "Discard this item")) {
            itemButton();
            EXPECT_EQ(after->size() + 1, before->size());
        } else if (startsWith(tip, "Click to discard a single arrow") ||
                   startsWith(tip, "Click to discard a single Fireseed")) {
            itemButton();
            ASSERT_EQ(after->size(), before->size());
            EXPECT_EQ((*after)[static_cast<size_t>(action.index)].uses, target->uses - 1);
        } else if (startsWith(tip, "Place this item directly into storage") ||
                   startsWith(tip, "Click to Deposit this Quiver") ||
                   startsWith(tip, "Click to Deposit all Fireseeds")) {
            itemButton();
            EXPECT_EQ(after->size() + 1, before->size());
            ASSERT_EQ(a.storageItems.size(), b.storageItems.size() + 1);
            EXPECT_EQ(a.storageItems.back().id, target->id);
            EXPECT_EQ(a.storageItems.back().uses, target->uses); // every arrow, every seed
        } else if (tip == "Withdraw this item directly from storage.") {
            ASSERT_GE(action.index, 0);
            ASSERT_LT(action.index, static_cast<int>(b.storageItems.size()));
            EXPECT_EQ(line.text, chartItemLabel(b.storageItems[static_cast<size_t>(action.index)], hero));
            expectTakenOrRefused(g, a.storageItems.size(), b.storageItems.size(), a, b);
        } else if (tip == "Withdraw this item directly from the lost item pool.") {
            ASSERT_GE(action.index, 0);
            ASSERT_LT(action.index, static_cast<int>(b.lostItems.size()));
            EXPECT_EQ(line.text, chartItemLabel(b.lostItems[static_cast<size_t>(action.index)], hero));
            expectTakenOrRefused(g, a.lostItems.size(), b.lostItems.size(), a, b);
        } else if (tip == "Wield or wear this item" || tip == "Put this item away") {
            itemButton();
            EXPECT_FALSE(target->equipped == (tip == "Wield or wear this item"));
            EXPECT_EQ((*after)[static_cast<size_t>(action.index)].equipped, tip == "Wield or wear this item");
        } else if (tip == "Use this item") {
            itemButton();
            const bool used = a.epCur != b.epCur || after->size() != before->size() ||
                              !g.pendingWindowArgs[1].empty();
            EXPECT_TRUE(used) << "nothing happened";
        } else if (tip == "Eat this Meal") {
            itemButton();
            EXPECT_EQ(mealCount(a) + 1, mealCount(b));
        } else if (startsWith(tip, "Use this item to cure your Korovax Baccilus infection.")) {
            itemButton();
            auto infected = [](const Character& c) {
                return std::count(c.disease.begin(), c.disease.end(), DISEASE_BACILLUS) > 0;
            };
            EXPECT_FALSE(infected(a));
            EXPECT_TRUE(infected(b));
            EXPECT_EQ(a.epCur, b.epCur);
        } else if (tip == "Move this item up in the list" || tip == "Move this item down in the list") {
            itemButton();
            const int to = action.index + (tip == "Move this item up in the list" ? -1 : 1);
            ASSERT_GE(to, 0);
            ASSERT_LT(to, static_cast<int>(after->size()));
            EXPECT_EQ((*after)[static_cast<size_t>(to)].id, target->id);
        } else if (startsWith(tip, "Drop some ") && tip.find("(Cannot be reclaimed!)") != std::string::npos) {
            expectCoinPrompt(g, CoinMove::Discard, currencyIn(tip), what);
        } else if (startsWith(tip, "Directly deposit some ")) {
            expectCoinPrompt(g, CoinMove::Deposit, currencyIn(tip), what);
        } else if (tip == "Take some or all of this currency") {
            expectCoinPrompt(g, page == CHART_LOST ? CoinMove::Reclaim : CoinMove::Withdraw,
                             currencyIn(line.text), what);
        } else if (tip == "Place money of this currency into storage") {
            expectCoinPrompt(g, CoinMove::Deposit, currencyIn(line.text), what);
        } else if (tip == "Withdraw item(s) from storage") {
            expectPrompt(g, PromptKind::Withdraw, what);
        } else if (tip == "Place item(s) into storage") {
            expectPrompt(g, PromptKind::Deposit, what);
        } else if (tip == "Take item(s) from the list below") {
            expectPrompt(g, PromptKind::Reclaim, what);
        } else if (startsWith(tip, "Choose a lower COMBAT SKILL score") ||
                   startsWith(tip, "Choose a lower ENDURANCE POINTS score")) {
            expectPrompt(g, PromptKind::LowerScore, what);
            EXPECT_EQ(lastPrompt(g)->currency, startsWith(tip, "Choose a lower COMBAT") ? 0 : 1);
        } else if (startsWith(tip, "You may use this button to restore 20 EP")) {
            if (action.kind == ChartActionKind::None)
                EXPECT_EQ(a.epCur, b.epCur);
            else
                EXPECT_EQ(a.epCur, std::min(b.epMax, b.epCur + 20));
        } else if (startsWith(tip, "Check this box to use Psi-surge") ||
                   startsWith(tip, "Check this box to use Vael-Surge")) {
            EXPECT_NE(a.useOnlyMindblast, b.useOnlyMindblast);
        } else if (startsWith(tip, "Check this box to use Vael-blast")) {
            EXPECT_NE(a.usingVaelBlast, b.usingVaelBlast);
        } else if (startsWith(tip, "Check this box to use Vael-ray")) {
            EXPECT_NE(a.usingVaelRay, b.usingVaelRay);
        } else if (startsWith(tip, "Check this box to select ")) {
            const bool grand = tip.find("Grand Weaponmastery") != std::string::npos;
            const auto& was = grand ? b.grandWeaponmasteryIn : b.weaponmasteryIn;
            const auto& now = grand ? a.grandWeaponmasteryIn : a.weaponmasteryIn;
            ASSERT_GE(action.value, 0);
            ASSERT_LT(action.value, WEAPON_TYPE_COUNT);
            EXPECT_EQ(tip, "Check this box to select " + weaponName(action.value) + " for " +
                               (grand ? "Grand Weaponmastery" : "Weaponmastery"));
            EXPECT_FALSE(was[static_cast<size_t>(action.value)]);
            EXPECT_TRUE(now[static_cast<size_t>(action.value)]);
        } else if (tip.find(" in this weapon") != std::string::npos) {
            // A box that cannot change.
            EXPECT_EQ(action.kind, ChartActionKind::None);
            EXPECT_EQ(a.weaponmasteryIn, b.weaponmasteryIn);
            EXPECT_EQ(a.grandWeaponmasteryIn, b.grandWeaponmasteryIn);
        } else if (startsWith(tip, "Pressing this button will let you select between")) {
            EXPECT_NE(a.warmarn, b.warmarn);
        } else if (startsWith(tip, "View your ")) {
            static const char* const NAMES[TIER_COUNT] = {"Vael", "Dravic", "Grand Master"};
            ASSERT_GE(st.viewedTier, 0);
            EXPECT_EQ(tip.rfind(std::string("View your ") + NAMES[st.viewedTier] + " Rank", 0), 0u);
        } else if (tip == "Save this book's travel log to a .txt file") {
            ASSERT_FALSE(g.messages.pending.empty());
            EXPECT_EQ(g.messages.pending.back().title, "Travel Log Exported");
        } else if (tip == "Delete this note (cannot be undone!)") {
            ASSERT_EQ(a.notes.size() + 1, b.notes.size());
            EXPECT_EQ(std::count(a.notes.begin(), a.notes.end(), line.text), 0);
        } else if (tip == "Click here to enter a new note") {
            expectPrompt(g, PromptKind::Note, what);
        } else if (tip == "Click to close this book" || tip == "Click to open this book") {
            const int shown = page == CHART_BATTLES ? st.battlesBook : st.journalBook;
            const int book = std::atoi(line.text.substr(5).c_str());
            EXPECT_EQ(shown, tip == "Click to close this book" ? -1 : book);
        } else if (tip == "Click to view larger certificate") {
            EXPECT_EQ(g.pendingWindowArgs[2], "rank");
        } else if (tip.size() > 25 && tip.substr(tip.size() - 25) == "(Click medal for details)") {
            ASSERT_FALSE(g.rulesState.screens.empty());
            EXPECT_EQ(g.rulesState.screens.back().kind, ScreenKind::Window);
            EXPECT_EQ(g.rulesState.screens.back().value, 45);
            EXPECT_EQ(g.rulesState.screens.back().second, action.value);
            EXPECT_EQ(tip.rfind(line.text + "`", 0), 0u); // the medal of the award it names
        } else {
            ADD_FAILURE() << "no check for this tooltip";
        }
    }

    void walk(const GameState& hero) {
        ChartContext ctx;
        ctx.profileName = "Aldric";
        ctx.awards = chartAwards(cat.awards, nullptr, hero.rules);
        for (int page = 1; page <= CHART_PAGE_COUNT; ++page) {
            ChartState st;
            st.page = page;
            const ChartPage p = buildChartPage(st, hero, cat, ctx);
            for (const ChartLine& line : p.lines) {
                for (const ChartButton& b : line.buttons)
                    pressAndCheck(hero, page, line, b.caption, b.tooltip, b.action);
                if (line.click.kind != ChartActionKind::None)
                    pressAndCheck(hero, page, line, "(the line)", line.tooltip, line.click);
            }
        }
    }
};

TEST_F(ChartButtonWalk, every_button_does_what_its_tooltip_says) {
    walk(vael());
    walk(dravic());
    walk(grandMaster());
    EXPECT_GT(checked, 80);
    // Every kind of chart button was met (the tabs are pressed below).
    for (ChartActionKind k :
         {ChartActionKind::JournalBook, ChartActionKind::ExportLog, ChartActionKind::AddNote,
          ChartActionKind::DeleteNote, ChartActionKind::Drop, ChartActionKind::Deposit,
          ChartActionKind::Withdraw, ChartActionKind::Reclaim, ChartActionKind::Equip, ChartActionKind::Use,
          ChartActionKind::Cure, ChartActionKind::MoveUp, ChartActionKind::MoveDown, ChartActionKind::CoinDrop,
          ChartActionKind::CoinDeposit, ChartActionKind::CoinWithdraw, ChartActionKind::CoinReclaim,
          ChartActionKind::AskWithdraw, ChartActionKind::AskDeposit, ChartActionKind::AskReclaim,
          ChartActionKind::LowerScore, ChartActionKind::EmergencyHeal, ChartActionKind::ToggleRankTitle,
          ChartActionKind::ToggleSurge, ChartActionKind::VaelBlast, ChartActionKind::VaelRay,
          ChartActionKind::ChooseWeapon, ChartActionKind::ViewTier, ChartActionKind::Certificate,
          ChartActionKind::AwardDetails})
        EXPECT_TRUE(seen.count(k)) << "no button of kind " << static_cast<int>(k);

    // The tabs show the page they name.
    for (const ChartTab& tab : chartTabs()) {
        GameState g = vael();
        ChartState st;
        performChartAction({ChartActionKind::ShowPage, 0, 0, tab.page}, st, g, cat);
        EXPECT_EQ(st.page, tab.page) << tab.caption;
        EXPECT_EQ(tab.tooltip.rfind("View ", 0), 0u) << tab.caption;
    }
}

TEST_F(ChartButtonWalk, buttons_that_would_do_nothing_are_not_offered) {
    // Rope has no use of its own, even marked usable: no Use button. Emergency healing at full
    // ENDURANCE cannot be pressed. Storage shut: no Withdraw, no Deposit.
    GameState g = dravic();
    g.character.epCur = g.character.epMax;
    g.character.backpackItems[3].usable = true; // marked usable, yet the rules have no use for it
    ChartState st;
    ChartContext ctx;
    st.page = CHART_BACKPACK;
    ChartPage p = buildChartPage(st, g, cat, ctx);
    auto line = std::find_if(p.lines.begin(), p.lines.end(), [](const ChartLine& l) { return l.text == "Rope"; });
    ASSERT_NE(line, p.lines.end());
    for (const ChartButton& b : line->buttons) EXPECT_NE(b.caption, "Use");
    st.page = CHART_STATS;
    p = buildChartPage(st, g, cat, ctx);
    bool heal = false;
    for (const ChartLine& l : p.lines)
        for (const ChartButton& b : l.buttons)
            if (b.caption == "+20 EP") {
                heal = true;
                EXPECT_EQ(b.action.kind, ChartActionKind::None);
            }
    EXPECT_TRUE(heal);
    st.page = CHART_STORAGE;
    for (const ChartLine& l : buildChartPage(st, g, cat, ctx).lines)
        for (const ChartButton& b : l.buttons) ADD_FAILURE() << "storage is shut, yet " << b.caption;
    // Book 1 never allows storage, even before its adventure begins.
    g.character.onBook = 1;
    g.character.completedOpeningSection = false;
    bool said = false;
    for (const ChartLine& l : buildChartPage(st, g, cat, ctx).lines) {
        for (const ChartButton& b : l.buttons) ADD_FAILURE() << "book 1 has no storage, yet " << b.caption;
        said = said || l.text == "(There is no storage to reach in this book)";
    }
    EXPECT_TRUE(said);
}

} // namespace
