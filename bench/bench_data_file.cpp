// Reading a catalogue-sized shifted file token by token.
#include "fs/data_file.h"

#include <benchmark/benchmark.h>

static void BM_ReadValues(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "    NAME: Some item name " + std::to_string(i) + "\nVALUE 12\n";
    std::string stored = encodeText(text, true);
    for (auto _ : state) {
        DataFile f = openMemoryRead(stored, "items.dat");
        std::string v;
        int n = 0;
        while (readValue(f, v)) ++n;
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_ReadValues);
BENCHMARK_MAIN();
