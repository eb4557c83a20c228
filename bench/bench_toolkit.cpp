// Rendering a page's worth of words and scaling a full-screen skin: the two
// costs that decide how fast a section appears and how long a resize takes.
#include "fs/vfs.h"
#include "ui/font.h"
#include "ui/image.h"
#include "ui/surface.h"
#include "ui/text.h"

#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <sstream>
#include <vector>

namespace {

// About 400 words of ordinary prose, with the repetition real text has.
std::vector<std::string> pageWords() {
    const char* text =
        "The road winds north through the forest of Durn, where the old trees lean over the path "
        "and the light comes down in narrow shafts. You walk for an hour before you hear the "
        "sound of water, and soon a stream crosses the way, bridged by a single fallen log. On "
        "the far bank a figure in a grey cloak sits with his back against a stone, a staff across "
        "his knees. He raises his head as you approach and studies you with pale, tired eyes. "
        "If you wish to greet the stranger, turn to 112. If you would rather cross the stream "
        "further upstream and avoid him, turn to 47. ";
    std::vector<std::string> words;
    std::istringstream in(std::string(text) + text + text + text);
    std::string w;
    while (in >> w && words.size() < 400)
        words.push_back(w);
    return words;
}

struct Setup {
    Setup() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        SDL_Init(SDL_INIT_VIDEO);
        SDL_SetVideoMode(1280, 1024, 32, SDL_SWSURFACE);
        TTF_Init();
        vfsInit("bench");
        vfsMount(std::string(QH_BUILD_DIR) + "/", "");
        font = shareFont(openFont("bluehigh", 21));
    }
    FontPtr font;
};

Setup& setup() {
    static Setup s;
    return s;
}

void BM_RenderPageWords(benchmark::State& state) {
    FontPtr font = setup().font;
    if (!font) state.SkipWithError("no font in the built data folder");
    std::vector<std::string> words = pageWords();
    SDL_Color ink{0, 0, 0, 0};
    for (auto _ : state) {
        for (const std::string& w : words) {
            SDL_Surface* s = renderText(font.get(), w, ink);
            benchmark::DoNotOptimize(s);
            SDL_FreeSurface(s);
        }
    }
    state.SetItemsProcessed(state.iterations() * words.size());
}
BENCHMARK(BM_RenderPageWords)->Unit(benchmark::kMillisecond);

void BM_RenderPageWordsShared(benchmark::State& state) {
    FontPtr font = setup().font;
    std::vector<std::string> words = pageWords();
    SDL_Color ink{0, 0, 0, 0};
    for (auto _ : state) {
        WordImageCache cache; // a fresh page: only repeated words are saved
        for (const std::string& w : words)
            benchmark::DoNotOptimize(cache.get(font, w, ink));
    }
    state.SetItemsProcessed(state.iterations() * words.size());
}
BENCHMARK(BM_RenderPageWordsShared)->Unit(benchmark::kMillisecond);

SDL_Surface* noiseImage(int w, int h) {
    SDL_Surface* s = createArgbSurface(w, h);
    std::mt19937 rng(7);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            argbRow(s, y)[x] = 0xFF000000u | (rng() & 0xFFFFFFu);
    return s;
}

// A 1024 x 768 skin scaled to the screen: up to 1280 x 1024, down to 800 x 600.
void BM_ScaleSkinToScreen(benchmark::State& state) {
    setup();
    SDL_Surface* skin = noiseImage(1024, 768);
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    for (auto _ : state) {
        SDL_Surface* s = scaleImageTo(skin, w, h);
        benchmark::DoNotOptimize(s);
        SDL_FreeSurface(s);
    }
    SDL_FreeSurface(skin);
}
BENCHMARK(BM_ScaleSkinToScreen)
    ->Args({1280, 1024})
    ->Args({800, 600})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
