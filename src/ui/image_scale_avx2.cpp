// The scaler's AVX2 loops: the SSE2 arithmetic of image_scale.cpp on twice
// the width, four output pixels a turn across and eight down. Only these
// functions are built for AVX2, and they run only where haveAvx2() says so.
#include "ui/image_scale_kernels.h"

#ifdef __x86_64__
#include <immintrin.h>
#endif

namespace scale_kernels {

#ifdef __x86_64__

bool haveAvx2() {
    static const bool have = __builtin_cpu_supports("avx2");
    return have;
}

namespace {

#define QH_AVX2 __attribute__((target("avx2")))

// Two neighbours b0 g0 r0 a0 b1 g1 r1 a1 (bytes) as the 16-bit pairs
// b0 b1 g0 g1 r0 r1 a0 a1; pair k of a 16-byte window starts at byte 8k.
QH_AVX2 inline __m256i pairMask(int k) {
    const char o = static_cast<char>(8 * k), z = static_cast<char>(0x80);
    const __m128i m = _mm_setr_epi8(o, z, o + 4, z, o + 1, z, o + 5, z, o + 2, z, o + 6, z, o + 3,
                                    z, o + 7, z);
    return _mm256_broadcastsi128_si256(m);
}

// The window of output pixel a in the low half, of b in the high half.
template <int P> QH_AVX2 inline __m256i twoWindows(const Uint32* a, const Uint32* b) {
    if (P == 1)
        return _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(a))),
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(b)), 1);
    return _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a))),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)), 1);
}

// Sums of output pixels 2g and 2g+1 (the group's weights at `w`), shifted.
template <int P>
QH_AVX2 inline __m256i acrossTwo(__m256i v, const Uint32* w, const __m256i* masks, __m256i half) {
    __m256i acc = half;
    for (int k = 0; k < P; ++k) {
        const __m256i wk = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + 8 * k));
        acc = _mm256_add_epi32(acc, _mm256_madd_epi16(_mm256_shuffle_epi8(v, masks[k]), wk));
    }
    return _mm256_srai_epi32(acc, ACROSS_SHIFT);
}

template <int P> QH_AVX2 void across(const Uint32* src, const Taps& t, int width, Sint16* out) {
    const int* first = t.first.data();
    const Uint32* w = t.paired.data();
    const __m256i half = _mm256_set1_epi32(1 << (ACROSS_SHIFT - 1));
    __m256i masks[P];
    for (int k = 0; k < P; ++k)
        masks[k] = pairMask(k);
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        const __m256i v01 = twoWindows<P>(src + first[x], src + first[x + 1]);
        const __m256i v23 = twoWindows<P>(src + first[x + 2], src + first[x + 3]);
        const __m256i s01 = acrossTwo<P>(v01, w + (x / 2) * 8 * P, masks, half);
        const __m256i s23 = acrossTwo<P>(v23, w + (x / 2 + 1) * 8 * P, masks, half);
        // Lanes hold pixels 0 2 | 1 3 after packing: put them in order.
        const __m256i packed = _mm256_permute4x64_epi64(_mm256_packs_epi32(s01, s23), 0xD8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x * 4), packed);
    }
    for (; x < width; ++x) {
        // The last pixels one at a time, in the low half.
        const Uint32* p = src + first[x];
        const __m256i v = twoWindows<P>(p, p);
        const Uint32* wg = w + (x / 2) * 8 * P;
        __m256i acc = half;
        for (int k = 0; k < P; ++k) {
            const __m128i wk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(wg + 8 * k + 4 * (x & 1)));
            acc = _mm256_add_epi32(
                acc, _mm256_madd_epi16(_mm256_shuffle_epi8(v, masks[k]), _mm256_castsi128_si256(wk)));
        }
        const __m128i s = _mm256_castsi256_si128(_mm256_srai_epi32(acc, ACROSS_SHIFT));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x * 4), _mm_packs_epi32(s, s));
    }
}

template <int P>
QH_AVX2 void down(Sint16* const* rows, const Uint32* w, int count, Uint32* out) {
    const __m256i round = _mm256_set1_epi32(1 << (DOWN_SHIFT - 1));
    __m256i wk[P];
    for (int k = 0; k < P; ++k)
        wk[k] = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 4 * k)));
    int i = 0;
    for (; i + 32 <= count; i += 32) {
        __m256i lo0 = round, hi0 = round, lo1 = round, hi1 = round;
        for (int k = 0; k < P; ++k) {
            const Sint16* ra = rows[2 * k] + i;
            const Sint16* rb = rows[2 * k + 1] + i;
            const __m256i a0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(ra));
            const __m256i b0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rb));
            const __m256i a1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(ra + 16));
            const __m256i b1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rb + 16));
            lo0 = _mm256_add_epi32(lo0, _mm256_madd_epi16(_mm256_unpacklo_epi16(a0, b0), wk[k]));
            hi0 = _mm256_add_epi32(hi0, _mm256_madd_epi16(_mm256_unpackhi_epi16(a0, b0), wk[k]));
            lo1 = _mm256_add_epi32(lo1, _mm256_madd_epi16(_mm256_unpacklo_epi16(a1, b1), wk[k]));
            hi1 = _mm256_add_epi32(hi1, _mm256_madd_epi16(_mm256_unpackhi_epi16(a1, b1), wk[k]));
        }
        const __m256i s0 = _mm256_packs_epi32(_mm256_srai_epi32(lo0, DOWN_SHIFT),
                                              _mm256_srai_epi32(hi0, DOWN_SHIFT));
        const __m256i s1 = _mm256_packs_epi32(_mm256_srai_epi32(lo1, DOWN_SHIFT),
                                              _mm256_srai_epi32(hi1, DOWN_SHIFT));
        // Lanes hold pixels 0 1 4 5 | 2 3 6 7 after packing: put them in order.
        const __m256i bytes = _mm256_permute4x64_epi64(_mm256_packus_epi16(s0, s1), 0xD8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i / 4), bytes);
    }
    for (; i < count; i += 8) {
        __m128i lo = _mm256_castsi256_si128(round), hi = lo;
        for (int k = 0; k < P; ++k) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * k] + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * k + 1] + i));
            const __m128i w128 = _mm256_castsi256_si128(wk[k]);
            lo = _mm_add_epi32(lo, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), w128));
            hi = _mm_add_epi32(hi, _mm_madd_epi16(_mm_unpackhi_epi16(a, b), w128));
        }
        const __m128i s =
            _mm_packs_epi32(_mm_srai_epi32(lo, DOWN_SHIFT), _mm_srai_epi32(hi, DOWN_SHIFT));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i / 4),
                         _mm_packus_epi16(s, _mm_setzero_si128()));
    }
}

} // namespace

void filterAcrossAvx2(const Uint32* src, const Taps& t, int width, Sint16* out) {
    if (t.pairs == 1)
        across<1>(src, t, width, out);
    else
        across<2>(src, t, width, out);
}

void combineDownAvx2(Sint16* const* rows, const Uint32* w, int pairs, int count, Uint32* out) {
    switch (pairs) {
    case 1:
        return down<1>(rows, w, count, out);
    case 2:
        return down<2>(rows, w, count, out);
    default:
        return down<3>(rows, w, count, out);
    }
}

#else // not x86-64: the portable loops only

bool haveAvx2() {
    return false;
}
void filterAcrossAvx2(const Uint32*, const Taps&, int, Sint16*) {}
void combineDownAvx2(Sint16* const*, const Uint32*, int, int, Uint32*) {}

#endif

} // namespace scale_kernels
