#include "ui/blit.h"
#include "ui/image_scale_kernels.h"

#include <algorithm>

#ifdef __x86_64__
#include <immintrin.h>
#endif

namespace {

// SDL 1.2's own arithmetic for a pixel with alpha over another: red and blue
// side by side in one multiply, green in another, the destination's alpha
// byte kept. Its quirks (a borrow from blue into red) are kept too, so that
// a picture looks the same whichever blitter drew it.
inline Uint32 blendPixel(Uint32 s, Uint32 d) {
    const Uint32 alpha = s >> 24;
    if (alpha == 0) return d;
    const Uint32 dalpha = d & 0xff000000;
    if (alpha == 255) return (s & 0x00ffffff) | dalpha;
    const Uint32 s1 = s & 0xff00ff, d1 = d & 0xff00ff;
    const Uint32 rb = (d1 + ((s1 - d1) * alpha >> 8)) & 0xff00ff;
    const Uint32 s2 = s & 0xff00, d2 = d & 0xff00;
    const Uint32 g = (d2 + ((s2 - d2) * alpha >> 8)) & 0xff00;
    return rb | g | dalpha;
}

void blendRowPlain(const Uint32* src, Uint32* dst, int width) {
    for (int x = 0; x < width; ++x)
        dst[x] = blendPixel(src[x], dst[x]);
}

#ifdef __x86_64__
#define QH_AVX2 __attribute__((target("avx2")))

// blendPixel's sum for the channels of `mask`: d + ((s - d) * alpha >> 8).
QH_AVX2 inline __m256i blendChannels(__m256i s, __m256i d, __m256i alpha, __m256i mask) {
    const __m256i dm = _mm256_and_si256(d, mask);
    const __m256i step =
        _mm256_srli_epi32(_mm256_mullo_epi32(_mm256_sub_epi32(_mm256_and_si256(s, mask), dm), alpha), 8);
    return _mm256_and_si256(_mm256_add_epi32(dm, step), mask);
}

// blendPixel on eight pixels: the same 32-bit products, so the same bytes.
QH_AVX2 void blendRowAvx2(const Uint32* src, Uint32* dst, int width) {
    const __m256i rbMask = _mm256_set1_epi32(0x00ff00ff);
    const __m256i gMask = _mm256_set1_epi32(0x0000ff00);
    const __m256i aMask = _mm256_set1_epi32(static_cast<int>(0xff000000u));
    const __m256i rgbMask = _mm256_set1_epi32(0x00ffffff);
    const __m256i opaque = _mm256_set1_epi32(255);
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + x));
        // Most of a picture's pixels are clear or opaque, eight in a row: a
        // clear run leaves the row as it is, an opaque one is copied.
        if (_mm256_testz_si256(s, aMask)) continue;
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + x));
        if (_mm256_testc_si256(s, aMask)) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + x),
                                _mm256_or_si256(_mm256_and_si256(s, rgbMask),
                                                _mm256_and_si256(d, aMask)));
            continue;
        }
        const __m256i alpha = _mm256_srli_epi32(s, 24);
        const __m256i rb = blendChannels(s, d, alpha, rbMask);
        const __m256i g = blendChannels(s, d, alpha, gMask);
        const __m256i dalpha = _mm256_and_si256(d, aMask);
        // Alpha 0 comes out of the sums as the destination itself; only
        // full alpha needs its own case (a shift by 8 is not a division by 255).
        const __m256i blended = _mm256_or_si256(_mm256_or_si256(rb, g), dalpha);
        const __m256i copied = _mm256_or_si256(_mm256_and_si256(s, rgbMask), dalpha);
        const __m256i full = _mm256_cmpeq_epi32(alpha, opaque);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + x),
                            _mm256_blendv_epi8(blended, copied, full));
    }
    blendRowPlain(src + x, dst + x, width - x);
}
#endif

// The case SDL hands to its plain per-pixel alpha loop.
bool isAlphaOver(const SDL_Surface* src, const SDL_Surface* dst) {
    const SDL_PixelFormat* s = src->format;
    const SDL_PixelFormat* d = dst->format;
    return (src->flags & SDL_SRCALPHA) && !(src->flags & (SDL_SRCCOLORKEY | SDL_RLEACCEL)) &&
           s->BytesPerPixel == 4 && d->BytesPerPixel == 4 && s->Amask == 0xff000000 &&
           s->Rmask == d->Rmask && s->Gmask == d->Gmask && s->Bmask == d->Bmask &&
           !SDL_MUSTLOCK(src) && !SDL_MUSTLOCK(dst) && !src->locked && !dst->locked && src != dst && src->pixels && dst->pixels;
}

} // namespace

void blendAlphaRow(const Uint32* src, Uint32* dst, int width) {
#ifdef __x86_64__
    if (scale_kernels::haveAvx2()) {
        blendRowAvx2(src, dst, width);
        return;
    }
#endif
    blendRowPlain(src, dst, width);
}

int blitSurface(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect) {
    if (!src || !dst) return SDL_BlitSurface(src, srcRect, dst, dstRect);
    if (!isAlphaOver(src, dst)) return SDL_BlitSurface(src, srcRect, dst, dstRect);
    // SDL_UpperBlit's clipping, step for step: the source rectangle to the
    // source, then the destination to its clip rectangle, written back.
    SDL_Rect whole{0, 0, 0, 0};
    if (!dstRect) dstRect = &whole;
    int dx = dstRect->x, dy = dstRect->y;
    int sx = 0, sy = 0, w = src->w, h = src->h;
    if (srcRect) {
        sx = srcRect->x;
        w = srcRect->w;
        if (sx < 0) {
            w += sx;
            dx -= sx;
            sx = 0;
        }
        w = std::min(w, src->w - sx);
        sy = srcRect->y;
        h = srcRect->h;
        if (sy < 0) {
            h += sy;
            dy -= sy;
            sy = 0;
        }
        h = std::min(h, src->h - sy);
    }
    const SDL_Rect& clip = dst->clip_rect;
    if (int cut = clip.x - dx; cut > 0) {
        w -= cut;
        dx += cut;
        sx += cut;
    }
    if (int over = dx + w - clip.x - clip.w; over > 0) w -= over;
    if (int cut = clip.y - dy; cut > 0) {
        h -= cut;
        dy += cut;
        sy += cut;
    }
    if (int over = dy + h - clip.y - clip.h; over > 0) h -= over;
    dstRect->x = static_cast<Sint16>(dx);
    dstRect->y = static_cast<Sint16>(dy);
    if (w <= 0 || h <= 0) {
        dstRect->w = dstRect->h = 0;
        return 0;
    }
    dstRect->w = static_cast<Uint16>(w);
    dstRect->h = static_cast<Uint16>(h);
    const auto* in = static_cast<const Uint8*>(src->pixels) + sy * src->pitch + sx * 4;
    auto* out = static_cast<Uint8*>(dst->pixels) + dy * dst->pitch + dx * 4;
    for (int row = 0; row < h; ++row)
        blendAlphaRow(reinterpret_cast<const Uint32*>(in + row * src->pitch),
                      reinterpret_cast<Uint32*>(out + row * dst->pitch), w);
    return 0;
}

SDL_Rect opaqueInterior(SDL_Surface* src, const SDL_Surface* dst) {
    SDL_Rect none{0, 0, 0, 0};
    if (!src || !dst || src->w < 1 || src->h < 1 || (src->flags & SDL_SRCCOLORKEY)) return none;
    if (!(src->flags & SDL_SRCALPHA))
        return SDL_Rect{0, 0, static_cast<Uint16>(src->w), static_cast<Uint16>(src->h)};
    // Only the exact per-pixel blend leaves an opaque pixel as it is; SDL's
    // other blends move it by a step depending on what was under it.
    if (!isAlphaOver(src, dst)) return none;
    const int w = src->w, h = src->h, cx = w / 2;
    // Each row's run of opaque pixels through the centre column ([left, right)).
    std::vector<int> left(static_cast<size_t>(h)), right(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        const auto* row =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(src->pixels) + y * src->pitch);
        int l = cx, r = cx;
        if (row[cx] >> 24 == 255) {
            while (l > 0 && row[l - 1] >> 24 == 255)
                --l;
            while (r < w && row[r] >> 24 == 255)
                ++r;
        }
        left[static_cast<size_t>(y)] = l;
        right[static_cast<size_t>(y)] = r;
    }
    // The best band of consecutive rows, each taken as wide as all its rows allow.
    long best = 0;
    for (int top = 0; top < h; ++top) {
        int l = 0, r = w;
        for (int bottom = top; bottom < h; ++bottom) {
            l = std::max(l, left[static_cast<size_t>(bottom)]);
            r = std::min(r, right[static_cast<size_t>(bottom)]);
            if (r <= l) break;
            const long area = static_cast<long>(r - l) * (bottom - top + 1);
            if (area > best) {
                best = area;
                none = SDL_Rect{static_cast<Sint16>(l), static_cast<Sint16>(top),
                                static_cast<Uint16>(r - l), static_cast<Uint16>(bottom - top + 1)};
            }
        }
    }
    return none;
}

std::vector<SDL_Rect> rectsOutside(const SDL_Rect& area, const std::vector<SDL_Rect>& covers) {
    struct Box {
        int x0, y0, x1, y1;
    };
    std::vector<Box> parts;
    if (area.w > 0 && area.h > 0) parts.push_back({area.x, area.y, area.x + area.w, area.y + area.h});
    for (const SDL_Rect& c : covers) {
        const Box cut{c.x, c.y, c.x + c.w, c.y + c.h};
        if (cut.x1 <= cut.x0 || cut.y1 <= cut.y0) continue;
        std::vector<Box> left;
        for (const Box& b : parts) {
            if (cut.x0 >= b.x1 || cut.x1 <= b.x0 || cut.y0 >= b.y1 || cut.y1 <= b.y0) {
                left.push_back(b);
                continue;
            }
            // Full-width bands above and below the cut, then what is beside it.
            const int top = std::max(b.y0, cut.y0), bottom = std::min(b.y1, cut.y1);
            if (b.y0 < top) left.push_back({b.x0, b.y0, b.x1, top});
            if (bottom < b.y1) left.push_back({b.x0, bottom, b.x1, b.y1});
            if (b.x0 < cut.x0) left.push_back({b.x0, top, cut.x0, bottom});
            if (cut.x1 < b.x1) left.push_back({cut.x1, top, b.x1, bottom});
        }
        parts.swap(left);
    }
    std::vector<SDL_Rect> out;
    out.reserve(parts.size());
    for (const Box& b : parts)
        out.push_back(SDL_Rect{static_cast<Sint16>(b.x0), static_cast<Sint16>(b.y0),
                               static_cast<Uint16>(b.x1 - b.x0), static_cast<Uint16>(b.y1 - b.y0)});
    return out;
}
