// Building chart pages line by line; shared by the page builders only.
#pragma once

#include "actionchart/chart_model.h"

struct ChartPageBuilder {
    ChartPage& page;

    ChartLine& add(ChartLineStyle style, const std::string& text, const std::string& tip = "",
                   int indent = 0) {
        ChartLine l;
        l.style = style;
        l.text = text;
        l.tooltip = tip;
        l.indent = indent;
        page.lines.push_back(l);
        return page.lines.back();
    }
    // A heading, with an optional note after it in the same line.
    void heading(const std::string& text, const std::string& tip = "", const std::string& note = "") {
        add(ChartLineStyle::Heading, note.empty() ? text : text + "  " + note, tip);
    }
    void subheading(const std::string& text, const std::string& tip = "") {
        add(ChartLineStyle::Subheading, text, tip);
    }
    void text(const std::string& text, const std::string& tip = "", int indent = 0) {
        add(ChartLineStyle::Text, text, tip, indent);
    }
    void small(const std::string& text, const std::string& tip = "") {
        add(ChartLineStyle::Small, text, tip, 1);
    }
    // A button after the last line's text (a new line when there is none).
    void addButton(const ChartButton& b) {
        if (page.lines.empty()) add(ChartLineStyle::Text, "");
        page.lines.back().buttons.push_back(b);
    }
    void button(const std::string& caption, const std::string& tip, const ChartAction& action) {
        ChartButton b;
        b.caption = caption;
        b.tooltip = tip;
        b.action = action;
        addButton(b);
    }
};

void buildStatsPage(ChartPageBuilder& p, const ChartState& state, const GameState& g,
                    const Catalogues& cat);
void buildWeaponsPage(ChartPageBuilder& p, const GameState& g, const Catalogues& cat);
void buildBackpackPage(ChartPageBuilder& p, const GameState& g, const Catalogues& cat);
void buildSpecialPage(ChartPageBuilder& p, const GameState& g, const Catalogues& cat);
void buildJournalPage(ChartPageBuilder& p, const ChartState& state, const GameState& g,
                      const Catalogues& cat);
void buildBattlesPage(ChartPageBuilder& p, const ChartState& state, const GameState& g,
                      const Catalogues& cat);
void buildNotesPage(ChartPageBuilder& p, const GameState& g);
void buildStoragePage(ChartPageBuilder& p, const GameState& g, const Catalogues& cat);
void buildLostPage(ChartPageBuilder& p, const GameState& g);
void buildCertificatePage(ChartPageBuilder& p, const GameState& g);
void buildAwardsPage(ChartPageBuilder& p, const ChartContext& ctx);

// One carried item with its buttons: Drop, Deposit, Equip/Unequip, Use/Eat/Cure, up, down.
void addItemLine(ChartPageBuilder& p, const GameState& g, int list, int index);
// The Deposit buttons of the weapon lines, while storage is open.
void addWeaponDeposits(ChartPageBuilder& p, const GameState& g, const Catalogues& cat);
