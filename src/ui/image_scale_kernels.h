// Inner loops of the scaler (image_scale.cpp), shared by its portable SSE2
// loops and the AVX2 ones that run where the processor has them. Both give
// the very same bytes: same weights, same sums, same rounding.
#pragma once

#include <SDL/SDL.h>

#include <vector>

namespace scale_kernels {

constexpr int WEIGHT_BITS = 14;
constexpr int WEIGHT_ONE = 1 << WEIGHT_BITS;
constexpr int MID_BITS = 7; // extra precision of the rows between the passes
constexpr int ACROSS_SHIFT = WEIGHT_BITS - MID_BITS;
constexpr int DOWN_SHIFT = WEIGHT_BITS + MID_BITS;

// Filter taps: every output index takes the same number of weight pairs
// (zero weights fill the short ones), so the inner loops have a fixed length.
// The window of 2 x `pairs` source samples starts at `first` and stays inside
// the source whenever the source is that long. Weights are packed low/high
// into 32 bits and stored four times over, ready for a 16-byte load.
struct Taps {
    std::vector<int> first;
    std::vector<Uint32> weights; // 4 x pairs words per output index
    // Weight pairs that are not all zero, per output index (at least 1).
    std::vector<int> used;
    // The weights of indices 2g and 2g+1 side by side, pair by pair, for
    // loops that filter two indices in one 32-byte register (empty unless
    // those loops run).
    std::vector<Uint32> paired;
    int pairs = 1;
};

// Weights that map `srcLen` samples onto `dstLen`, each set summing to WEIGHT_ONE.
void buildTaps(int srcLen, int dstLen, Taps& t);
// Fills `t.paired` from `t.weights`.
void pairTaps(Taps& t);

// True when this processor runs the AVX2 loops.
bool haveAvx2();

// One source row of ARGB words filtered across into `width` pixels of four
// 16-bit channels in B, G, R, A order, for 1 or 2 weight pairs (`t.paired`
// filled). `src` may be read up to the end of the tap window of every index.
void filterAcrossAvx2(const Uint32* src, const Taps& t, int width, Sint16* out);
// Rows filtered across combined down into one output row of ARGB words
// (premultiplied, channels clamped to 255). `rows` holds two row pointers per
// weight pair; `count` is the row length in 16-bit values, a multiple of 8.
void combineDownAvx2(Sint16* const* rows, const Uint32* w, int pairs, int count, Uint32* out);

} // namespace scale_kernels
