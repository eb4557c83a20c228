// The chart pages as plain text, for the text player: the same lines and the
// same buttons as the window, numbered so a command can press them.
#include "actionchart/chart_model.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

const char* const PAGE_NAMES[CHART_PAGE_COUNT] = {"stats",   "weapons",  "backpack", "special",
                                                  "journal", "battles",  "notes",    "storage",
                                                  "lost",    "certificate", "awards"};

// Back-ticks start new lines at the same indent.
std::string indented(const std::string& text, const std::string& pad) {
    std::string out = pad;
    for (char ch : text) {
        if (ch == '`') {
            out += "\n" + pad;
            continue;
        }
        out += ch;
    }
    return out;
}

std::string pageTitle(int page) {
    for (const ChartTab& t : chartTabs())
        if (t.page == page) return t.caption;
    for (const ChartTab& t : groupTabs(page))
        if (t.page == page) return t.caption;
    return "";
}

} // namespace

int chartPageByName(const std::string& word) {
    std::string w;
    for (char ch : word) w += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    for (int i = 0; i < CHART_PAGE_COUNT; ++i)
        if (w == PAGE_NAMES[i]) return i + 1;
    if (w.empty() || w.size() > 2 || w.find_first_not_of("0123456789") != std::string::npos) return 0;
    const int n = std::atoi(w.c_str());
    return n >= 1 && n <= CHART_PAGE_COUNT ? n : 0;
}

std::string chartPageText(const ChartPage& page, std::vector<ChartButton>& actions) {
    actions.clear();
    std::string out = "== ACTION CHART: " + pageTitle(page.page) + " ==\n";
    for (const ChartLine& l : page.lines) {
        if (l.style == ChartLineStyle::Rule) continue;
        std::string line;
        if (l.click.kind != ChartActionKind::None) {
            ChartButton b;
            b.caption = l.text;
            b.tooltip = l.tooltip;
            b.action = l.click;
            actions.push_back(b);
            line += "[" + std::to_string(actions.size()) + "] ";
        }
        line += l.text;
        if (l.style == ChartLineStyle::Picture && l.text.empty())
            line += "(picture: " + l.image + ")";
        if (!l.badge.empty()) line += "  (new)";
        for (const ChartButton& b : l.buttons) {
            actions.push_back(b);
            line += std::string(line.empty() ? "" : "  ") + "[" + std::to_string(actions.size()) +
                    " " + (b.checkBox ? std::string(b.checked ? "(x) " : "( ) ") : "") + b.caption +
                    "]";
        }
        if (line.empty()) continue;
        const std::string pad(static_cast<size_t>(std::max(0, l.indent)) * 2, ' ');
        if (l.style == ChartLineStyle::Heading) out += "\n";
        out += indented(line, pad) + "\n";
    }
    return out;
}
