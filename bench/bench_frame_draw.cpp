// One full frame of the play screen at 1280 x 1024 (skin, title bar, tool
// bar, both pages with their paper, text, buttons and scroll bars), drawn as
// the main loop draws it, on SDL's dummy video driver. Also the first frame
// after turning to a section, which is where work left over from preparing a
// page would show.
#include "play_screen.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// The first frame after entering play, timed once when the screen is built.
double firstFrameMs = -1;

Application& frameApp() {
    static Application& app = [] () -> Application& {
        Application& a = playScreenApp(1280, 1024);
        const auto start = std::chrono::steady_clock::now();
        drawPlayFrame(a, 0);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        firstFrameMs = took.count();
        return a;
    }();
    return app;
}

// Argument 0: the opening page a new campaign starts on (with its tabs);
// 1: section 1 of book 1.
void BM_PlayFrame(benchmark::State& state) {
    Application& app = frameApp();
    turnMainPageTo(app, state.range(0) == 0 ? "gamerulz" : "sect1");
    refreshPageTabs(app);
    drawPlayFrame(app, 0);
    for (auto _ : state) {
        drawPlayFrame(app, 16);
        benchmark::DoNotOptimize(app.screen.surface->pixels);
    }
    state.counters["first_frame_ms"] = firstFrameMs;
}

// Turning (not timed), then the first frame of the new page (timed).
void BM_FirstFrameAfterTurn(benchmark::State& state) {
    Application& app = frameApp();
    const char* sections[] = {"sect1", "sect181", "sect191", "sect12"};
    size_t next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        turnMainPageTo(app, sections[next]);
        next = (next + 1) % (sizeof sections / sizeof *sections);
        state.ResumeTiming();
        drawPlayFrame(app, 16);
        benchmark::DoNotOptimize(app.screen.surface->pixels);
    }
}

} // namespace

BENCHMARK(BM_PlayFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstFrameAfterTurn)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
