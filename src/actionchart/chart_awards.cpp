// What the award page shows: the award table seen through the active
// profile's earned and new marks and the campaign's current rules.
#include "actionchart/chart_model.h"

#include "app/game_state.h"
#include "awards/award.h"
#include "awards/award_check.h"
#include "save/profiles.h"

#include <algorithm>

std::vector<ChartAward> chartAwards(const AwardCatalogue& table, const Profile* profile,
                                    const RuleOptions& rules) {
    std::vector<ChartAward> list;
    for (const AwardDefinition& def : table.awards) {
        ChartAward a;
        a.id = def.id;
        a.title = def.title;
        a.description = def.description;
        a.statusNote = def.statusNote;
        a.medal = def.medal;
        a.book = def.book;
        a.series = std::clamp(def.series, 0, AWARD_SERIES_COUNT - 1);
        a.difficulty = def.difficulty;
        a.category = def.category;
        a.order = def.displayOrder;
        // The tooltip names the demand of every restricted award; the page adds
        // the note only where the campaign's rules fall short of it.
        if (def.rulesRestricted && def.rulesRequirement >= 0 && def.rulesRequirement <= 3)
            a.rulesNote = def.rulesRequirement + 1;
        a.unmetNote = unmetRulesNote(def, rules);
        if (profile)
            for (const AwardEntry& e : profile->awards)
                if (e.id == def.id) {
                    a.earned = e.earned;
                    a.newly = e.earned && e.isNew;
                }
        list.push_back(a);
    }
    // Book awards by book, then the series awards after them; by display order within.
    std::stable_sort(list.begin(), list.end(), [](const ChartAward& a, const ChartAward& b) {
        const int ka = a.book > 0 ? a.book : 100 + a.series;
        const int kb = b.book > 0 ? b.book : 100 + b.series;
        return ka != kb ? ka < kb : a.order < b.order;
    });
    return list;
}

ChartContext chartContext(const GameState& g, const Catalogues& cat) {
    ChartContext ctx;
    const Profile* profile = activeProfile(g);
    if (profile) ctx.profileName = profile->name;
    ctx.awards = chartAwards(cat.awards, profile, g.rules);
    return ctx;
}
