// Reading "settings.txt": the shipped layout, and a large file of garbage
// (the reader looks every word up once; a start must not wait on it).
#include "app/settings.h"
#include "fs/data_file.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

std::string garbage(size_t bytes) {
    std::mt19937 rng(7);
    static const char* const WORDS[] = {"TARGET_FPS", "12", "PAPER", "//", "##", "x", "\n",
                                        "TEXT_FONT", "*Blank*", "GAMEPLAY", "COLOR", "-3"};
    std::string s;
    while (s.size() < bytes) {
        s += WORDS[rng() % 12];
        s += rng() % 4 ? ' ' : '\n';
    }
    return s;
}

void BM_SettingsDefaultFile(benchmark::State& state) {
    Settings s;
    s.setDefaults();
    const std::string text = s.composeText();
    for (auto _ : state) {
        DataFile f = openMemoryRead(text, "settings.txt");
        s.parse(f);
        benchmark::DoNotOptimize(s.targetFps);
    }
}
BENCHMARK(BM_SettingsDefaultFile);

void BM_SettingsGarbage(benchmark::State& state) {
    const std::string text = garbage(static_cast<size_t>(state.range(0)) << 20);
    Settings s;
    s.setDefaults();
    for (auto _ : state) {
        DataFile f = openMemoryRead(text, "settings.txt");
        s.parse(f);
        benchmark::DoNotOptimize(s.targetFps);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}
BENCHMARK(BM_SettingsGarbage)->Arg(60)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
