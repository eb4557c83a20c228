// Our scaler beside pixman's bilinear scaler on the same pictures: a 1024 x 768
// skin scaled to 1280 x 1024 and to 800 x 600, and a 1024 x 1024 title map
// shrunk to a 616-pixel title window. pixman is linked into this benchmark
// alone, as a yardstick; the game never uses it. Sources are in the display
// format, as loaded pictures are.
#include "ui/image.h"
#include "ui/surface.h"

#include <SDL/SDL.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdlib>
#include <random>

namespace {

struct Video {
    Video() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        SDL_Init(SDL_INIT_VIDEO);
        SDL_SetVideoMode(1280, 1024, 32, SDL_SWSURFACE);
    }
};

// Smooth shading with fine noise over it, like painted artwork.
SDL_Surface* picture(int w, int h) {
    static Video video;
    SDL_Surface* s = createArgbSurface(w, h);
    std::mt19937 rng(7);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Uint32 n = rng() & 0x1F1F1Fu;
            Uint32 base = ((x * 200 / w) << 16) | ((y * 200 / h) << 8) | ((x + y) % 200);
            argbRow(s, y)[x] = 0xFF000000u | (base + n);
        }
    SDL_SetAlpha(s, 0, 255);
    SDL_Surface* display = SDL_DisplayFormat(s);
    SDL_FreeSurface(s);
    return display;
}

void scaleCase(benchmark::State& state, int sw, int sh) {
    SDL_Surface* src = picture(sw, sh);
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    for (auto _ : state) {
        SDL_Surface* s = scaleImageTo(src, w, h);
        benchmark::DoNotOptimize(s->pixels);
        SDL_FreeSurface(s);
    }
    SDL_FreeSurface(src);
}

void pixmanCase(benchmark::State& state, int sw, int sh) {
    SDL_Surface* src = picture(sw, sh);
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    pixman_image_t* in = pixman_image_create_bits(PIXMAN_x8r8g8b8, sw, sh,
                                                  static_cast<uint32_t*>(src->pixels), src->pitch);
    pixman_transform_t t;
    pixman_transform_init_scale(&t, pixman_double_to_fixed(double(sw) / w),
                                pixman_double_to_fixed(double(sh) / h));
    pixman_image_set_transform(in, &t);
    pixman_image_set_filter(in, PIXMAN_FILTER_BILINEAR, nullptr, 0);
    pixman_image_set_repeat(in, PIXMAN_REPEAT_PAD);
    for (auto _ : state) {
        // A new destination each time, as our scaler makes a new surface.
        pixman_image_t* out = pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, nullptr, 0);
        pixman_image_composite32(PIXMAN_OP_SRC, in, nullptr, out, 0, 0, 0, 0, 0, 0, w, h);
        benchmark::DoNotOptimize(pixman_image_get_data(out));
        pixman_image_unref(out);
    }
    pixman_image_unref(in);
    SDL_FreeSurface(src);
}

void BM_ScaleSkin(benchmark::State& state) {
    scaleCase(state, 1024, 768);
}
void BM_PixmanSkin(benchmark::State& state) {
    pixmanCase(state, 1024, 768);
}
void BM_ScaleTitleMap(benchmark::State& state) {
    scaleCase(state, 1024, 1024);
}
void BM_PixmanTitleMap(benchmark::State& state) {
    pixmanCase(state, 1024, 1024);
}

BENCHMARK(BM_ScaleSkin)->Args({1280, 1024})->Args({800, 600})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixmanSkin)->Args({1280, 1024})->Args({800, 600})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaleTitleMap)->Args({616, 616})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixmanTitleMap)->Args({616, 616})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
