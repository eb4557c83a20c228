// Turning the book page to a section as the main loop does it: the section's
// XHTML converted to words, its script applied, the words and buttons
// rendered and laid out, on the 1280 x 1024 play screen with the default
// fonts. One iteration turns to one section of book 1, going round them all;
// "median_us" is the median over the sections of each one's median time.
#include "play_screen.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

std::vector<std::string> bookOneSections(Application& app) {
    const std::string code = app.game.section.bookCode;
    // QH_BENCH_ONLY=sect181 turns to that section alone, for a profile of it.
    const char* only = std::getenv("QH_BENCH_ONLY");
    std::vector<std::string> names;
    for (const std::string& file : vfsList(code + "/en/xhtml/gs/" + code))
        if (file.compare(0, 4, "sect") == 0) {
            const std::string name = file.substr(0, file.find('.'));
            if (!only || name == only) names.push_back(name);
        }
    return names;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void BM_SectionTurn(benchmark::State& state) {
    Application& app = playScreenApp(static_cast<int>(state.range(0)),
                                     static_cast<int>(state.range(1)));
    const std::vector<std::string> names = bookOneSections(app);
    if (names.empty()) {
        state.SkipWithError("book 1 has no sections (build the demo books first)");
        return;
    }
    std::vector<std::vector<double>> perSection(names.size());
    size_t next = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        turnMainPageTo(app, names[next]);
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        perSection[next].push_back(took.count());
        next = (next + 1) % names.size();
    }
    std::vector<double> medians;
    std::vector<std::pair<double, std::string>> slowest;
    for (size_t i = 0; i < names.size(); ++i)
        if (!perSection[i].empty()) {
            medians.push_back(median(perSection[i]));
            slowest.emplace_back(medians.back(), names[i]);
        }
    // The slowest sections, for finding where a turn's time goes.
    std::sort(slowest.rbegin(), slowest.rend());
    if (std::getenv("QH_BENCH_SLOWEST"))
        for (size_t i = 0; i < slowest.size() && i < 8; ++i)
            std::fprintf(stderr, "%s %.0f us\n", slowest[i].second.c_str(), slowest[i].first);
    state.counters["median_us"] = median(medians);
    state.counters["worst_section_us"] =
        medians.empty() ? 0 : *std::max_element(medians.begin(), medians.end());
    state.counters["sections"] = static_cast<double>(names.size());
}

} // namespace

BENCHMARK(BM_SectionTurn)->Args({1280, 1024})->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
