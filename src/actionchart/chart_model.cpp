// Tabs, zoom steps, and the one place chart buttons reach the rules.
#include "actionchart/chart_model.h"

#include "app/game_state.h"
#include "character/inventory.h"
#include "character/scores.h"
#include "script/section_runtime.h"

#include <algorithm>

const char* const ZOOM_OUT_TIP =
    "Zoom out to view more of this page at once`(You can set separate zoom levels for each page)";
const char* const ZOOM_IN_TIP =
    "Zoom in to view more detail on this page`(You can set separate zoom levels for each page)";

int chartZoomIndex(int page) {
    if (page >= CHART_STATS && page <= CHART_LOST) return page - 1;
    if (page == CHART_AWARDS) return 9;
    return -1;
}

bool chartZoomStep(std::array<int, CHART_ZOOM_COUNT>& zoom, int page, int step, int limit) {
    const int i = chartZoomIndex(page);
    if (i < 0) return false;
    int& z = zoom[static_cast<size_t>(i)];
    const int next = std::clamp(z + step, 0, std::max(0, limit));
    if (next == z) return false;
    z = next;
    return true;
}

const std::vector<ChartTab>& chartTabs() {
    static const std::vector<ChartTab> tabs = {
        {"Stats", "View Stats, such as Combat Skill,`Endurance Points and Disciplines", CHART_STATS},
        {"Weapons", "View Weapons and which Armor and Weapons are equipped", CHART_WEAPONS},
        {"Backpack", "View Backpack Items and Belt Pouch contents", CHART_BACKPACK},
        {"Special Items", "View Special Items (such as Maps, Armor, etc.)", CHART_SPECIAL},
        {"Journal",
         "View the Journal or Battle History,`or enter your own notes and observations",
         CHART_JOURNAL},
        {"Storage", "View the items you have stored, or lost items`that may be recovered later",
         CHART_STORAGE},
        {"Awards", "View all of the Awards you have earned", CHART_AWARDS},
    };
    return tabs;
}

std::vector<ChartTab> groupTabs(int page) {
    if (page >= CHART_JOURNAL && page <= CHART_NOTES)
        return {{"Journal", "", CHART_JOURNAL},
                {"Battles", "", CHART_BATTLES},
                {"Notes", "", CHART_NOTES}};
    if (page >= CHART_STORAGE && page <= CHART_CERTIFICATE)
        return {{"Storage", "", CHART_STORAGE},
                {"Lost Items", "", CHART_LOST},
                {"Certificate", "", CHART_CERTIFICATE}};
    return {};
}

int mainTabOf(int page) {
    if (page >= CHART_JOURNAL && page <= CHART_NOTES) return CHART_JOURNAL;
    if (page >= CHART_STORAGE && page <= CHART_CERTIFICATE) return CHART_STORAGE;
    return page;
}

namespace {

// Presses a button that carries one effect, as a section button would.
void pressEffect(GameState& g, const Catalogues& cat, int type, int idToAffect, int value,
                 int value2 = 0) {
    SectionButton b;
    Effect e;
    e.type.typeId = type;
    e.idToAffect = idToAffect;
    e.value = value;
    e.value2 = value2;
    b.effects.push_back(e);
    pressButton(b, g, cat);
}

const Item* itemAt(const GameState& g, int list, int index) {
    const std::vector<Item>* items = carriedList(g.character, list);
    if (!items || index < 0 || index >= static_cast<int>(items->size())) return nullptr;
    return &(*items)[static_cast<size_t>(index)];
}

} // namespace

void performChartAction(const ChartAction& a, ChartState& state, GameState& g,
                        const Catalogues& cat) {
    switch (a.kind) {
    case ChartActionKind::None:
        break;
    case ChartActionKind::ShowPage: // the tabs
        pressEffect(g, cat, 47, 0, a.value);
        break;
    case ChartActionKind::JournalBook: // the book line of the Journal or Battles page
        pressEffect(g, cat, 50, 0, a.value, a.list);
        break;
    case ChartActionKind::ExportLog:
        pressEffect(g, cat, 65, 0, a.value);
        break;
    case ChartActionKind::AddNote:
        pressEffect(g, cat, 53, 0, 0, 1);
        break;
    case ChartActionKind::DeleteNote:
        pressEffect(g, cat, 53, 0, a.index, -1);
        break;
    case ChartActionKind::Drop:
        discardItem(g, a.list, a.index);
        break;
    case ChartActionKind::Deposit:
        depositItem(g, a.list, a.index);
        break;
    case ChartActionKind::Withdraw:
        withdrawItem(g, a.index);
        break;
    case ChartActionKind::Reclaim:
        reclaimItem(g, a.index);
        break;
    case ChartActionKind::Equip:
        pressEffect(g, cat, 48, 0, a.list, a.index);
        break;
    case ChartActionKind::Use: // Use and Eat go through the item rules
        if (itemAt(g, a.list, a.index)) useItem(g, a.list, a.index);
        break;
    case ChartActionKind::Cure:
        cureWithItem(g, a.list, a.index);
        break;
    case ChartActionKind::MoveUp:
        pressEffect(g, cat, 72, a.list, a.index, 1);
        break;
    case ChartActionKind::MoveDown:
        pressEffect(g, cat, 72, a.list, a.index, 0);
        break;
    case ChartActionKind::CoinDrop:
        pressEffect(g, cat, 39, 0, a.value);
        break;
    case ChartActionKind::CoinDeposit:
        pressEffect(g, cat, 38, 0, a.value);
        break;
    case ChartActionKind::CoinWithdraw:
        pressEffect(g, cat, 40, 0, a.value);
        break;
    case ChartActionKind::CoinReclaim:
        pressEffect(g, cat, 41, 0, a.value);
        break;
    case ChartActionKind::AskWithdraw:
        askWithdraw(g);
        break;
    case ChartActionKind::AskDeposit:
        askDeposit(g);
        break;
    case ChartActionKind::AskReclaim:
        askReclaim(g);
        break;
    case ChartActionKind::LowerScore:
        askLowerBaseScore(g, a.value);
        break;
    case ChartActionKind::EmergencyHeal:
        useEmergencyHealing(g.character);
        break;
    case ChartActionKind::ToggleRankTitle:
        pressEffect(g, cat, 59, 0, 0);
        break;
    case ChartActionKind::ToggleSurge: // Action Chart flag 2: useOnlyMindblast
        pressEffect(g, cat, 46, 0, 2);
        break;
    case ChartActionKind::VaelBlast:
        pressEffect(g, cat, 74, 0, 0, g.character.usingVaelBlast ? 1 : 0);
        break;
    case ChartActionKind::VaelRay:
        pressEffect(g, cat, 74, 0, 1, g.character.usingVaelRay ? 1 : 0);
        break;
    case ChartActionKind::ChooseWeapon:
        pressEffect(g, cat, 29, 0, a.value, a.list);
        break;
    case ChartActionKind::ViewTier:
        state.viewedTier = std::clamp(a.value, 0, static_cast<int>(g.character.onBookSeries));
        break;
    case ChartActionKind::Certificate:
        pressEffect(g, cat, 52, 0, 0);
        break;
    case ChartActionKind::AwardDetails:
        g.rulesState.screens.push_back({ScreenKind::Window, 45, a.value, 0, ""});
        break;
    }
    takeChartRequests(state, g);
}

bool takeChartRequests(ChartState& state, GameState& g) {
    std::vector<ScreenRequest>& list = g.rulesState.screens;
    bool any = false;
    for (auto it = list.begin(); it != list.end();) {
        if (it->kind == ScreenKind::ActionChartPage) {
            if (it->value >= 1 && it->value <= CHART_PAGE_COUNT) state.page = it->value;
        } else if (it->kind == ScreenKind::JournalBook) {
            (it->second == 1 ? state.battlesBook : state.journalBook) = it->value;
        } else {
            ++it;
            continue;
        }
        it = list.erase(it);
        any = true;
    }
    return any;
}
