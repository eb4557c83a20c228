// The section scripts of the two demo books, checked from their sources: every
// page that needs one has it, every choice of the prose is a button that leads
// where the prose says, combats and Random Number Table picks are scripted, and
// the book can be played through on its buttons alone.
#include "book/section_text.h"
#include "combat/crt.h"
#include "fs/data_file.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Cond {
    int type = 0, value = 0, id = 0;
    std::string equation;
};
struct Eff {
    int type = 0, affect = 0, value = 0, value2 = 0;
    std::vector<Cond> conds;
};
struct Button {
    int id = 0, value = 0;
    std::string text;
    std::vector<Eff> effects;
    std::vector<Cond> conds;
};
struct Enemy {
    std::string name;
    int cs = 0, ep = 0, epButton = 0;
};
struct Word {
    int id = 0, buttonId = -1;
    bool isButton = false, ignore = false;
    std::string text;
};
struct Script {
    std::vector<Word> words; // stock changes and added words
    std::vector<Button> buttons;
    std::vector<Enemy> enemies;
    int modifiers = 0;
    std::set<int> condTypes, effTypes;
};

// A reader of just what these sources hold, line by line: enough to check them
// without the game's own reader.
class Lines {
  public:
    explicit Lines(const std::string& text) {
        std::istringstream in(text);
        for (std::string l; std::getline(in, l);) {
            size_t b = l.find_first_not_of(' ');
            if (b == std::string::npos || l.compare(b, 2, "//") == 0) continue;
            lines.push_back(l.substr(b));
        }
    }
    bool done() const { return at >= lines.size(); }
    const std::string& peek() const { return lines.at(at); }
    std::string next() { return lines.at(at++); }
    // "KEY: value" -> value; fails the test when the key differs.
    std::string value(const std::string& key) {
        std::string l = next();
        EXPECT_EQ(l.compare(0, key.size() + 1, key + ":"), 0) << "expected " << key << ", got " << l;
        return l.size() > key.size() + 2 ? l.substr(key.size() + 2) : "";
    }
    int number(const std::string& key) { return std::atoi(value(key).c_str()); }

  private:
    std::vector<std::string> lines;
    size_t at = 0;
};

Cond readCond(Lines& in, Script& s) {
    Cond c;
    c.type = in.number("TYPE");
    c.value = in.number("VALUE");
    c.equation = in.value("EQUATION");
    c.id = in.number("ID_TO_CHECK");
    in.number("REVERSE");
    in.number("SINGULAR");
    if (in.number("SECONDARY")) readCond(in, s);
    EXPECT_EQ(in.next(), "END");
    s.condTypes.insert(c.type);
    return c;
}

std::vector<Cond> readConds(Lines& in, Script& s) {
    std::vector<Cond> out;
    for (int n = in.number("CONDITIONS"); n > 0; --n)
        out.push_back(readCond(in, s));
    return out;
}

Eff readEff(Lines& in, Script& s) {
    Eff e;
    e.type = in.number("TYPE");
    e.affect = in.number("ID_TO_AFFECT");
    e.value = in.number("VALUE");
    e.value2 = in.number("VALUE2");
    in.value("STR");
    e.conds = readConds(in, s);
    EXPECT_EQ(in.next(), "END");
    s.effTypes.insert(e.type);
    return e;
}

Word readWord(Lines& in) {
    Word w;
    w.id = in.number("WORD_ID");
    in.number("ORDER");
    w.text = in.value("TEXT");
    w.ignore = in.number("IGNORE") != 0;
    for (const char* key : {"NEW_P", "END_P", "ADD_LINES", "LEFT_TABS", "BEGIN_C", "END_C"})
        in.number(key);
    w.isButton = in.number("IS_BUTTON") != 0;
    w.buttonId = in.number("BUTTON_ID");
    for (const char* key : {"SIZE", "HANG_INDENT", "BOLD", "ITALIC"})
        in.number(key);
    EXPECT_EQ(in.next(), "END");
    return w;
}

Script readScript(const std::string& text) {
    Script s;
    Lines in(text);
    EXPECT_EQ(in.next(), "STOCK_WORDS");
    while (!in.done() && in.peek() == "WORD") {
        in.next();
        s.words.push_back(readWord(in));
    }
    EXPECT_EQ(in.next(), "END_STOCK");
    while (!in.done() && in.peek() == "ADD_WORD") {
        in.next();
        s.words.push_back(readWord(in));
    }
    for (int n = in.number("BUTTONS"); n > 0; --n) {
        Button b;
        b.id = in.number("ID");
        in.number("ONLY_TEXT");
        b.text = in.value("TEXT");
        for (const char* key : {"COLOR", "TOOLTIP", "PICTURE", "VAL_NUM_FOR_TEXT"})
            in.value(key);
        b.value = in.number("VALUE");
        for (int e = in.number("EFFECTS"); e > 0; --e)
            b.effects.push_back(readEff(in, s));
        b.conds = readConds(in, s);
        EXPECT_EQ(in.next(), "END");
        s.buttons.push_back(b);
    }
    EXPECT_EQ(in.next(), "COMBAT");
    if (in.peek() != "END") {
        for (const char* key : {"COMBAT_TITLE", "SPECIAL", "UNARMED_X", "POTIONS_ARE_ALLOWED"})
            in.value(key);
        for (int n = in.number("ENEMIES"); n > 0; --n) {
            Enemy e;
            e.name = in.value("NAME");
            in.value("DESCRIPTOR");
            e.cs = in.number("CS");
            e.ep = in.number("EP");
            for (const char* key : {"IMMUNETOMB", "IMMUNETOPS", "IMMUNETOKS", "SUSCEPT_MB", "SUSCEPT_PS",
                                    "SUSCEPT_KS"})
                in.number(key);
            e.epButton = in.number("EPBUTTONID");
            EXPECT_EQ(in.next(), "END");
            s.enemies.push_back(e);
        }
        for (const char* key : {"ON_ENEMY_NUMBER", "ROUNDS_FINISHED", "COMBAT_IS_STARTED", "WON",
                                "ENEMY_EP_LOST", "GS_EP_LOST", "GS_EP_LOSS", "EN_EP_LOSS",
                                "USED_CS_BOOSTER", "USED_ADGANA"})
            in.number(key);
        for (s.modifiers = in.number("MODIFIERS"); s.modifiers > 0; --s.modifiers) {
            for (const char* key : {"NAME", "VALUE", "EQUATION", "AFFECT_WHAT", "AFFECT_ENEMY",
                                    "LENGTH_OF_EFFECT", "BEGIN_ON_ROUND"})
                in.value(key);
            readConds(in, s);
            EXPECT_EQ(in.next(), "END");
        }
        s.modifiers = 0;
    }
    EXPECT_EQ(in.next(), "END");
    for (const char* key :
         {"NO_AUTO_HEAL", "MUST_EAT_NUM", "DEAD_ON_ZERO_EP", "LOSING_BACKPACK", "PREVENT_EQUIPPING"})
        in.number(key);
    EXPECT_EQ(in.next(), "END");
    EXPECT_TRUE(in.done()) << "text after the end of the script";
    return s;
}

struct Book {
    int number;
    std::string folder(const std::string& what) const {
        return std::string(QH_SOURCE_DIR) + "/data/books/book" + std::to_string(number) + "/" + what;
    }
    std::string scripts() const { return folder(std::to_string(number) + "data"); }
};

// Page name -> XHTML source.
std::map<std::string, std::string> pages(const Book& book) {
    std::map<std::string, std::string> out;
    for (const auto& entry : fs::directory_iterator(book.folder("src")))
        if (entry.path().extension() == ".htm")
            out[entry.path().stem().string()] = readRealFile(entry.path().string());
    return out;
}

// Page name -> script, for every "NAME.dat.txt" source of the book.
std::map<std::string, Script> scripts(const Book& book) {
    std::map<std::string, Script> out;
    for (const auto& entry : fs::directory_iterator(book.scripts())) {
        std::string file = entry.path().filename().string();
        EXPECT_TRUE(file.size() > 8 && file.compare(file.size() - 8, 8, ".dat.txt") == 0) << file;
        std::string name = file.substr(0, file.size() - 8);
        SCOPED_TRACE(name);
        out[name] = readScript(readRealFile(entry.path().string()));
    }
    return out;
}

int sectionOf(const std::string& name) {
    return name.rfind("sect", 0) == 0 ? std::atoi(name.c_str() + 4) : 0;
}

std::vector<std::string> paragraphs(const std::string& page, const std::string& cls) {
    std::vector<std::string> out;
    std::regex p("<p class=\"" + cls + "\">([^\n]*)</p>");
    for (std::sregex_iterator it(page.begin(), page.end(), p), end; it != end; ++it)
        out.push_back((*it)[1]);
    return out;
}

const Button* findButton(const Script& s, int id) {
    for (const Button& b : s.buttons)
        if (b.id == id) return &b;
    return nullptr;
}

// Where a button can take the reader: its turn-to and evade targets.
std::vector<int> targets(const Button& b) {
    std::vector<int> out;
    for (const Eff& e : b.effects)
        if (e.type == 1 || e.type == 33) out.push_back(e.value);
    return out;
}

const Book BOOK1{1}, BOOK2{2};

} // namespace

TEST(DemoBookScripts, EverySectionHasAScriptAndEveryChoiceItsButton) {
    for (const Book& book : {BOOK1, BOOK2}) {
        SCOPED_TRACE(book.number);
        auto all = pages(book);
        auto sc = scripts(book);
        for (const auto& [name, script] : sc)
            EXPECT_TRUE(all.count(name)) << "a script without its page: " << name;
        const std::regex link(R"(href="sect(\d+)\.htm")");
        for (const auto& [name, page] : all) {
            if (!sectionOf(name)) continue;
            SCOPED_TRACE(name);
            ASSERT_TRUE(sc.count(name)) << "no script";
            const Script& s = sc[name];
            // The prose's links, in order, against the buttons' targets.
            std::multiset<int> prose, scripted;
            for (const std::string& p : paragraphs(page, "choice"))
                for (std::sregex_iterator t(p.begin(), p.end(), link), end; t != end; ++t)
                    prose.insert(std::stoi((*t)[1]));
            for (const Button& b : s.buttons)
                for (int to : targets(b)) {
                    scripted.insert(to);
                    EXPECT_TRUE(all.count("sect" + std::to_string(to))) << "leads to missing " << to;
                }
            EXPECT_EQ(prose, scripted);
            // Stock words are addressed by number: a change of the prose that
            // moves them must show here, not as a garbled page.
            DataFile source = openMemoryRead(page, name + ".htm");
            std::vector<PageWord> stock;
            convertSectionText(source, name, stock);
            for (const Word& w : s.words) {
                if (w.id >= 30000) continue;
                ASSERT_LT(w.id, static_cast<int>(stock.size())) << "no stock word " << w.id;
                const std::string& was = stock[static_cast<size_t>(w.id)].text;
                if (w.ignore || !w.isButton) {
                    EXPECT_EQ(w.text, was) << "word " << w.id;
                } else {
                    EXPECT_EQ(w.text.compare(0, was.size(), was), 0) << "word " << w.id << " was " << was;
                }
            }
            // Every button word shows a button of the page, and every button
            // with a caption has its word.
            std::set<int> shown;
            for (const Word& w : s.words)
                if (w.isButton && !w.ignore) {
                    EXPECT_TRUE(findButton(s, w.buttonId)) << "word " << w.id << " shows button " << w.buttonId;
                    shown.insert(w.buttonId);
                }
            for (const Button& b : s.buttons) {
                if (!targets(b).empty()) {
                    EXPECT_TRUE(shown.count(b.id)) << "button " << b.id << " has no word";
                }
            }
            // Buttons refer to buttons of the same page.
            for (const Button& b : s.buttons) {
                for (const Cond& c : b.conds) {
                    if (c.type == 1) {
                        EXPECT_TRUE(findButton(s, c.id)) << "condition on button " << c.id;
                    }
                }
                for (const Eff& e : b.effects) {
                    if (e.type == 4 || e.type == 7) {
                        EXPECT_TRUE(findButton(s, e.affect));
                    }
                }
            }
        }
    }
}

// Playing on the buttons alone (whatever their conditions) reaches every section.
TEST(DemoBookScripts, EverySectionIsReachableThroughTheButtons) {
    for (const Book& book : {BOOK1, BOOK2}) {
        SCOPED_TRACE(book.number);
        auto sc = scripts(book);
        std::set<int> sections, seen{1};
        for (const auto& [name, s] : sc)
            if (sectionOf(name)) sections.insert(sectionOf(name));
        std::vector<int> todo{1};
        while (!todo.empty()) {
            int n = todo.back();
            todo.pop_back();
            for (const Button& b : sc["sect" + std::to_string(n)].buttons)
                for (int to : targets(b))
                    if (seen.insert(to).second) todo.push_back(to);
        }
        EXPECT_EQ(seen, sections);
        // The last section ends the book; death sections take what is left.
        bool finishes = false, summary = false;
        for (const Button& b : sc["sect350"].buttons)
            for (const Eff& e : b.effects) {
                finishes |= e.type == 36;
                summary |= e.type == 37;
            }
        EXPECT_TRUE(finishes && summary);
        bool saves = false;
        for (const Button& b : sc["sect1"].buttons)
            for (const Eff& e : b.effects)
                saves |= e.type == 76 && b.text == "AUTOEXECUTE";
        EXPECT_TRUE(saves) << "section 1 writes the start-of-book save";
    }
}

TEST(DemoBookScripts, EveryCombatHasItsBlock) {
    const std::regex enemy(R"(^(.*): COMBAT SKILL (\d+) ENDURANCE (\d+)$)");
    int twoEnemies = 0, evadable = 0;
    for (const Book& book : {BOOK1, BOOK2}) {
        auto sc = scripts(book);
        for (const auto& [name, page] : pages(book)) {
            if (!sectionOf(name)) continue;
            SCOPED_TRACE(name);
            const Script& s = sc[name];
            auto lines = paragraphs(page, "combat");
            ASSERT_EQ(s.enemies.size(), lines.size());
            if (lines.empty()) continue;
            for (size_t i = 0; i < lines.size(); ++i) {
                std::smatch m;
                ASSERT_TRUE(std::regex_match(lines[i], m, enemy)) << lines[i];
                EXPECT_EQ(s.enemies[i].name, m[1].str());
                EXPECT_EQ(s.enemies[i].cs, std::stoi(m[2]));
                EXPECT_EQ(s.enemies[i].ep, std::stoi(m[3]));
                const Button* ep = findButton(s, s.enemies[i].epButton);
                ASSERT_TRUE(ep) << "no EP button for enemy " << i;
                EXPECT_EQ(ep->value, s.enemies[i].ep);
            }
            twoEnemies += lines.size() >= 2;
            bool fight = false, evade = false, wins = false;
            for (const Button& b : s.buttons)
                for (const Eff& e : b.effects) {
                    fight |= e.type == 32 && e.value == 0;
                    evade |= e.type == 33;
                    if (e.type == 1)
                        for (const Cond& c : b.conds)
                            wins |= c.type == 21;
                }
            EXPECT_TRUE(fight);
            EXPECT_TRUE(wins) << "the way on waits for the fight to be won";
            EXPECT_EQ(evade, page.find("evade") != std::string::npos);
            evadable += evade;
        }
    }
    EXPECT_GE(twoEnemies, 1);
    EXPECT_GE(evadable, 1);
}

// The chance that a hero of this COMBAT SKILL and ENDURANCE wins a fight
// against these enemies, one after the other, on the shipped table; `extra`
// is lost each round beside the table's loss (a psychic attack).
double winChance(const CombatTable& crt, int cs, int ep, const std::vector<Enemy>& enemies,
                 int extra) {
    std::map<std::tuple<size_t, int, int>, double> memo;
    std::function<double(size_t, int, int)> chance = [&](size_t i, int hero, int foe) {
        if (hero <= 0) return 0.0;
        if (i == enemies.size()) return 1.0;
        const auto key = std::make_tuple(i, hero, foe);
        if (auto it = memo.find(key); it != memo.end()) return it->second;
        double sum = 0;
        for (int n = 0; n < 10; ++n) {
            const CrtCell c = lookupCell(cs - enemies[i].cs, n, false);
            const int foeLeft = foe - crt.enemyLoss[c.column][c.row];
            const int heroLeft = hero - crt.heroLoss[c.column][c.row] - extra;
            if (heroLeft <= 0) continue;
            sum += foeLeft > 0 ? chance(i, heroLeft, foeLeft)
                               : chance(i + 1, heroLeft, i + 1 < enemies.size() ? enemies[i + 1].ep : 0);
        }
        return memo[key] = sum / 10;
    };
    return enemies.empty() ? 1.0 : chance(0, ep, enemies[0].ep);
}

// A demo book is where a new player learns the game: a hero of average scores
// (COMBAT SKILL 15, ENDURANCE 25, as the opening pages roll them on average)
// and no Discipline to help wins each fight at least two times in five. A
// fight that kills most heroes is a fault of the book, not bad luck.
TEST(DemoBookScripts, EveryFightIsFairToAnAverageHero) {
    CombatTable crt;
    DataFile f = openMemoryRead(readRealFile(std::string(QH_SOURCE_DIR) + "/data/misc/crt.dat.txt"),
                                "crt.txt");
    readCombatTable(f, crt);
    ASSERT_EQ(crt.heroLoss[CRT_ZERO_COLUMN][0], 7) << "the table did not read";
    const std::regex psychic(R"(lose (\d+) ENDURANCE points for every round)");
    int fights = 0;
    for (const Book& book : {BOOK1, BOOK2}) {
        auto sc = scripts(book);
        for (const auto& [name, page] : pages(book)) {
            const Script& s = sc[name];
            if (s.enemies.empty()) continue;
            std::smatch m;
            const int extra = std::regex_search(page, m, psychic) ? std::stoi(m[1]) : 0;
            EXPECT_GE(winChance(crt, 15, 25, s.enemies, extra), 0.4) << "book " << book.number << " " << name;
            ++fights;
        }
    }
    EXPECT_GE(fights, 10);
}

// A choice that depends on a number picked from the table is offered only for
// its range of that button's value.
TEST(DemoBookScripts, EveryRandomNumberChoiceIsScripted) {
    int picks = 0;
    for (const Book& book : {BOOK1, BOOK2}) {
        auto sc = scripts(book);
        for (const auto& [name, page] : pages(book)) {
            if (!sectionOf(name) || page.find("ick a number from the Random Number Table") == std::string::npos)
                continue;
            SCOPED_TRACE(name);
            const Script& s = sc[name];
            const Button* pick = nullptr;
            for (const Button& b : s.buttons)
                for (const Eff& e : b.effects)
                    if (e.type == 5) pick = &b;
            ASSERT_TRUE(pick) << "no pick button";
            EXPECT_LT(pick->value, 0) << "a pick button starts below 0 so that its first press picks";
            ++picks;
            // A pick for a wager (or a bonus) rather than for the way on.
            std::string choices;
            for (const std::string& c : paragraphs(page, "choice"))
                choices += c;
            if (choices.find("If you pick") == std::string::npos && choices.find("If your total") == std::string::npos)
                continue;
            std::set<int> covered;
            for (const Button& b : s.buttons) {
                if (targets(b).empty()) continue;
                int lo = -1, hi = 99;
                for (const Cond& c : b.conds)
                    if (c.type == 1 && c.id == pick->id) {
                        if (c.equation == ">=") lo = c.value;
                        if (c.equation == "<=") hi = c.value;
                    }
                ASSERT_GE(lo, 0) << "button " << b.id << " does not wait for the pick";
                for (int n = lo; n <= std::min(hi, 20); ++n)
                    EXPECT_TRUE(covered.insert(n).second) << "two choices for " << n;
            }
            for (int n = 0; n <= 9; ++n)
                EXPECT_TRUE(covered.count(n)) << "no choice for " << n;
        }
    }
    EXPECT_GE(picks, 8);
}

// Every condition and effect type the scripts use is defined, and so is every
// custom one the opening pages rely on.
TEST(DemoBookScripts, UseOnlyDefinedTypes) {
    auto ids = [](const std::string& file) {
        std::set<int> out;
        std::istringstream in(readRealFile(std::string(QH_SOURCE_DIR) + "/data/misc/" + file));
        for (std::string l; std::getline(in, l);)
            if (l.rfind("TYPEID: ", 0) == 0) {
                EXPECT_TRUE(out.insert(std::atoi(l.c_str() + 8)).second) << l;
            }
        return out;
    };
    std::set<int> conds = ids("cond_dat.dat.txt"), effs = ids("eff_dat.dat.txt");
    std::set<int> usedC, usedE;
    for (const Book& book : {BOOK1, BOOK2})
        for (const auto& [name, s] : scripts(book)) {
            for (int t : s.condTypes)
                EXPECT_TRUE(conds.count(t)) << name << " uses condition type " << t;
            for (int t : s.effTypes)
                EXPECT_TRUE(effs.count(t)) << name << " uses effect type " << t;
            usedC.insert(s.condTypes.begin(), s.condTypes.end());
            usedE.insert(s.effTypes.begin(), s.effTypes.end());
        }
    for (int t : {36, 37})
        EXPECT_TRUE(usedC.count(t)) << t;
    for (int t : {15, 49, 51, 55, 76, 36, 37})
        EXPECT_TRUE(usedE.count(t)) << t;
}
