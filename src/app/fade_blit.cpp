#include "app/fade_blit.h"
#include "ui/image_scale_kernels.h"
#include "ui/blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#ifdef __x86_64__
#include <immintrin.h>
#endif

void blitWithAlpha(SDL_Surface* image, SDL_Surface* target, int x, int y, int alpha) {
    if (!image || !target || alpha <= 0) return;
    SDL_Rect at{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    alpha = std::min(alpha, 255);
    if (!image->format->Amask) {
        SDL_SetAlpha(image, alpha < 255 ? SDL_SRCALPHA : 0, static_cast<Uint8>(alpha));
        blitSurface(image, nullptr, target, &at);
        return;
    }
    if (alpha == 255 || image->format->BytesPerPixel != 4) {
        blitSurface(image, nullptr, target, &at);
        return;
    }
    SDL_Surface* copy = SDL_ConvertSurface(image, image->format, SDL_SWSURFACE | SDL_SRCALPHA);
    if (!copy) return;
    const SDL_PixelFormat* f = copy->format;
    SDL_LockSurface(copy);
    for (int row = 0; row < copy->h; ++row) {
        auto* p = reinterpret_cast<Uint32*>(static_cast<Uint8*>(copy->pixels) + row * copy->pitch);
        for (int col = 0; col < copy->w; ++col) {
            Uint32 a = (p[col] & f->Amask) >> f->Ashift;
            a = a * static_cast<Uint32>(alpha) / 255;
            p[col] = (p[col] & ~f->Amask) | (a << f->Ashift);
        }
    }
    SDL_UnlockSurface(copy);
    blitSurface(copy, nullptr, target, &at);
    SDL_FreeSurface(copy);
}

namespace {

bool fitsUnder(const SDL_Surface* layer, const SDL_Surface* target) {
    const SDL_PixelFormat* f = layer->format;
    const SDL_PixelFormat* t = target->format;
    return f->BytesPerPixel == 4 && f->Amask == 0 && f->Rmask == t->Rmask && f->Gmask == t->Gmask &&
           f->Bmask == t->Bmask && !(layer->flags & SDL_SRCCOLORKEY) && layer->w >= target->w &&
           layer->h >= target->h && !SDL_MUSTLOCK(layer);
}

// d + floor((s - d) * alpha / 256) per byte: SDL's blend for per-surface
// alpha on 32-bit pixels (its half-way case gives the same values).
inline Uint32 blendPixel(Uint32 s, Uint32 d, int alpha) {
    Uint32 out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int sc = static_cast<int>((s >> shift) & 0xFF),
                  dc = static_cast<int>((d >> shift) & 0xFF);
        const int v = dc + (((sc - dc) * alpha) >> 8);
        out |= static_cast<Uint32>(v & 0xFF) << shift;
    }
    return out;
}

void blendRow(const Uint32* src, Uint32* dst, int width, int alpha) {
    int x = 0;
#ifdef __SSE2__
    // The same sum in 16-bit lanes: the low 16 bits of the product shifted
    // down are the floor of the quotient modulo 256, which is all a byte keeps.
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = _mm_set1_epi16(static_cast<short>(alpha));
    for (; x + 4 <= width; x += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + x));
        const __m128i lo = _mm_srli_epi16(
            _mm_mullo_epi16(_mm_sub_epi16(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero)),
                            a),
            8);
        const __m128i hi = _mm_srli_epi16(
            _mm_mullo_epi16(_mm_sub_epi16(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero)),
                            a),
            8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x),
                         _mm_add_epi8(d, _mm_packus_epi16(lo, hi)));
    }
#endif
    for (; x < width; ++x)
        dst[x] = blendPixel(src[x], dst[x], alpha);
}

const Uint32* rowOf(const SDL_Surface* s, int y) {
    return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch);
}

// A layer that blends over what is under it (0 < alpha < 255).
struct Blend {
    const Uint32* row;
    int alpha;
};

// One row of the stack, layer after layer over the whole row.
void stackRowPlain(Uint32* out, const Uint32* start, const Blend* blends, int count, int width) {
    if (start)
        std::memcpy(out, start, static_cast<size_t>(width) * 4);
    else
        std::memset(out, 0, static_cast<size_t>(width) * 4);
    for (int i = 0; i < count; ++i)
        blendRow(blends[i].row, out, width, blends[i].alpha);
}

#ifdef __x86_64__
#define QH_AVX2 __attribute__((target("avx2")))

// blendRow's sum on eight pixels of a register.
QH_AVX2 inline __m256i blendEight(__m256i s, __m256i d, __m256i a) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i lo = _mm256_srli_epi16(
        _mm256_mullo_epi16(
            _mm256_sub_epi16(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero)), a),
        8);
    const __m256i hi = _mm256_srli_epi16(
        _mm256_mullo_epi16(
            _mm256_sub_epi16(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero)), a),
        8);
    return _mm256_add_epi8(d, _mm256_packus_epi16(lo, hi));
}

// The whole stack eight pixels at a time in a register: each picture is read
// once and the screen written once, where the plain loop goes over the row
// once per layer.
QH_AVX2 void stackRowAvx2(Uint32* out, const Uint32* start, const Blend* blends, int count,
                          int width) {
    __m256i alphas[4];
    for (int i = 0; i < count; ++i)
        alphas[i] = _mm256_set1_epi16(static_cast<short>(blends[i].alpha));
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        __m256i acc = start ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(start + x))
                            : _mm256_setzero_si256();
        for (int i = 0; i < count; ++i)
            acc = blendEight(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(blends[i].row + x)),
                             acc, alphas[i]);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), acc);
    }
    for (; x < width; ++x) {
        Uint32 v = start ? start[x] : 0;
        for (int i = 0; i < count; ++i)
            v = blendPixel(blends[i].row[x], v, blends[i].alpha);
        out[x] = v;
    }
}
#endif

void stackRow(Uint32* out, const Uint32* start, const Blend* blends, int count, int width) {
#ifdef __x86_64__
    if (count <= 4 && scale_kernels::haveAvx2()) {
        stackRowAvx2(out, start, blends, count, width);
        return;
    }
#endif
    stackRowPlain(out, start, blends, count, width);
}

} // namespace

bool stackOpaqueLayers(SDL_Surface* target, SDL_Surface* base, SDL_Surface* const* layers,
                       const int* alphas, int count) {
    if (!target || target->format->BytesPerPixel != 4 || SDL_MUSTLOCK(target)) return false;
    // An opaque layer hides everything under it: start there.
    int first = 0;
    for (int i = 0; i < count; ++i)
        if (alphas[i] >= 255) first = i;
    const bool baseShows = first == 0 && (count == 0 || alphas[0] < 255);
    if (!baseShows) base = nullptr;
    if (base && !fitsUnder(base, target)) return false;
    for (int i = first; i < count; ++i)
        if (alphas[i] > 0 && (!layers[i] || !fitsUnder(layers[i], target))) return false;
    // SDL blits stay inside the target's clip rectangle; so does this.
    const SDL_Rect clip = target->clip_rect;
    std::vector<Blend> blends;
    for (int y = clip.y; y < clip.y + clip.h; ++y) {
        Uint32* out =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(target->pixels) + y * target->pitch) +
            clip.x;
        // The row everything else goes over: the skin, black, or the last
        // opaque layer.
        const Uint32* start = base ? rowOf(base, y) + clip.x : nullptr;
        blends.clear();
        for (int i = first; i < count; ++i) {
            if (alphas[i] <= 0) continue;
            const Uint32* in = rowOf(layers[i], y) + clip.x;
            if (alphas[i] >= 255) {
                start = in;
                blends.clear();
            } else {
                blends.push_back({in, alphas[i]});
            }
        }
        stackRow(out, start, blends.data(), static_cast<int>(blends.size()), clip.w);
    }
    return true;
}
