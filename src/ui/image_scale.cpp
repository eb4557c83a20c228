// The program's own resampler: a separable filter that averages the covered
// source area when shrinking (box filter, so thin lines fade instead of
// vanishing) and interpolates linearly when enlarging. Colours are weighted by
// alpha so transparent pixels never bleed their colour into the edges.
//
// Speed matters here: skins, title maps and intro pictures are scaled while
// the player watches. So the source is read in its own pixel format, each
// source row is filtered across once into a small ring of rows (as many as
// one output row needs), the rows are combined down straight into the new
// surface in the display format, and the weights are fixed-point pairs that
// SSE2 multiplies and adds in one instruction (AVX2, where the processor has
// it, does two pixels at once: image_scale_avx2.cpp). Output rows whose
// last weights are zero skip those source rows. No buffer outlives the call.
#include "ui/image_scale.h"

#include "ui/image.h"
#include "ui/image_scale_kernels.h"
#include "ui/surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

using namespace scale_kernels;

namespace {

Uint32 packPair(int w0, int w1) {
    return (static_cast<Uint32>(w1) << 16) | (static_cast<Uint32>(w0) & 0xFFFFu);
}

} // namespace

void scale_kernels::buildTaps(int srcLen, int dstLen, Taps& t) {
    const double scale = static_cast<double>(dstLen) / srcLen;
    // All weight sets end to end: set i is flat[at[i]] .. flat[at[i + 1]].
    std::vector<int> firsts(dstLen), at(dstLen + 1, 0), flat;
    flat.reserve(static_cast<size_t>(dstLen) * (scale < 1.0 ? 3 : 2));
    double w[64];
    int most = 1;
    for (int i = 0; i < dstLen; ++i) {
        int first, n = 0;
        if (scale < 1.0) {
            // Box: the source interval [i/scale, (i+1)/scale) weighted by overlap.
            const double a = i / scale, b = (i + 1) / scale;
            first = static_cast<int>(std::floor(a));
            const int last = std::min(srcLen - 1, static_cast<int>(std::ceil(b)) - 1);
            double sum = 0;
            for (int s = first; s <= last; ++s) {
                const double v = std::min<double>(b, s + 1) - std::max<double>(a, s);
                if (n < 64) w[n] = v;
                sum += v;
                ++n;
            }
            if (n > 64) {
                // Strong shrinking: weights worked out again below, one by one.
                int given = 0;
                for (int s = first; s <= last; ++s) {
                    const double v = std::min<double>(b, s + 1) - std::max<double>(a, s);
                    int q = static_cast<int>(std::lround(v / sum * WEIGHT_ONE));
                    if (s == last) q = WEIGHT_ONE - given; // exact sum, no drift
                    given += q;
                    flat.push_back(q);
                }
                firsts[i] = first;
                at[i + 1] = static_cast<int>(flat.size());
                most = std::max(most, n);
                continue;
            }
        } else {
            // Linear between the two nearest source centres, edges clamped.
            const double c = (i + 0.5) / scale - 0.5;
            int s0 = static_cast<int>(std::floor(c));
            double f = c - s0;
            if (s0 < 0) {
                s0 = 0;
                f = 0;
            }
            if (s0 >= srcLen - 1) {
                s0 = srcLen - 1;
                f = 0;
            }
            first = s0;
            w[n++] = 1.0 - f;
            if (f > 0) w[n++] = f;
        }
        double sum = 0;
        for (int k = 0; k < n; ++k)
            sum += w[k];
        int given = 0;
        for (int k = 0; k < n; ++k) {
            int v = static_cast<int>(std::lround(w[k] / sum * WEIGHT_ONE));
            if (k + 1 == n) v = WEIGHT_ONE - given; // exact sum, no drift
            given += v;
            flat.push_back(v);
        }
        firsts[i] = first;
        at[i + 1] = static_cast<int>(flat.size());
        most = std::max(most, n);
    }
    t.pairs = (most + 1) / 2;
    const int n = t.pairs * 2;
    t.first.assign(dstLen, 0);
    t.used.assign(dstLen, 1);
    t.weights.assign(static_cast<size_t>(dstLen) * t.pairs * 4, 0);
    t.paired.clear();
    std::vector<int> q(n);
    for (int i = 0; i < dstLen; ++i) {
        const int start = srcLen >= n ? std::min(firsts[i], srcLen - n) : firsts[i];
        std::fill(q.begin(), q.end(), 0);
        for (int k = at[i]; k < at[i + 1]; ++k)
            q[firsts[i] - start + k - at[i]] = flat[k];
        t.first[i] = start;
        Uint32* out = &t.weights[static_cast<size_t>(i) * t.pairs * 4];
        for (int k = 0; k < t.pairs; ++k) {
            for (int r = 0; r < 4; ++r)
                out[k * 4 + r] = packPair(q[2 * k], q[2 * k + 1]);
            if (q[2 * k] || q[2 * k + 1]) t.used[i] = k + 1;
        }
    }
}

void scale_kernels::pairTaps(Taps& t) {
    const int groups = (static_cast<int>(t.first.size()) + 1) / 2;
    const size_t perIndex = static_cast<size_t>(t.pairs) * 4;
    t.paired.assign(static_cast<size_t>(groups) * perIndex * 2, 0);
    for (size_t i = 0; i < t.first.size(); ++i)
        for (int k = 0; k < t.pairs; ++k)
            for (int r = 0; r < 4; ++r)
                t.paired[(i / 2) * perIndex * 2 + k * 8 + (i % 2) * 4 + r] =
                    t.weights[i * perIndex + k * 4 + r];
}

namespace {

// x / 255 rounded, exact for x up to 255 * 255.
inline Uint32 div255(Uint32 x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// Reads rows of a surface as ARGB words, in the surface's own layout when that
// is 24 or 32 bits with whole-byte channels; anything else (palettes, 16-bit,
// colour keys) is converted to ARGB once up front.
class RowReader {
  public:
    explicit RowReader(SDL_Surface* image) {
        const SDL_PixelFormat* f = image->format;
        const bool bytes = f->Rloss == 0 && f->Gloss == 0 && f->Bloss == 0 && f->Rshift % 8 == 0 &&
                           f->Gshift % 8 == 0 && f->Bshift % 8 == 0 &&
                           (f->Amask == 0 || (f->Aloss == 0 && f->Ashift % 8 == 0));
        if (bytes && !(image->flags & SDL_SRCCOLORKEY) &&
            (f->BytesPerPixel == 4 || f->BytesPerPixel == 3)) {
            surface = image;
        } else {
            owned = toArgb(image);
            surface = owned;
        }
        if (surface) {
            const SDL_PixelFormat* g = surface->format;
            rs = g->Rshift;
            gs = g->Gshift;
            bs = g->Bshift;
            as = g->Ashift;
            hasAlphaChannel = g->Amask != 0;
            bpp = g->BytesPerPixel;
            plain = bpp == 4 && rs == 16 && gs == 8 && bs == 0;
            lock = new SurfaceLock(surface);
        }
    }
    ~RowReader() {
        delete lock;
        if (owned) SDL_FreeSurface(owned);
    }
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    bool ok() const { return surface != nullptr; }
    // 32-bit with red, green and blue in the ARGB places.
    bool plainArgb() const { return plain; }
    bool alphaChannel() const { return hasAlphaChannel; }
    const Uint32* row32(int y) const { return reinterpret_cast<const Uint32*>(row(y)); }
    int width() const { return surface->w; }
    int height() const { return surface->h; }

    // True when some pixel is not fully opaque.
    bool anyClear() const {
        if (!hasAlphaChannel) return false;
        for (int y = 0; y < surface->h; ++y) {
            const Uint8* p = row(y);
            for (int x = 0; x < surface->w; ++x, p += bpp)
                if (((word(p) >> as) & 0xFF) != 0xFF) return true;
        }
        return false;
    }

    // Row y as ARGB words; premultiplied by alpha when `premultiply`.
    void read(int y, Uint32* out, bool premultiply) const {
        const Uint8* p = row(y);
        const int w = surface->w;
        if (plain && !hasAlphaChannel) {
            const Uint32* in = reinterpret_cast<const Uint32*>(p);
            for (int x = 0; x < w; ++x)
                out[x] = in[x] | ARGB_A;
            return;
        }
        if (plain && !premultiply) {
            std::memcpy(out, p, static_cast<size_t>(w) * 4);
            return;
        }
        for (int x = 0; x < w; ++x, p += bpp) {
            const Uint32 v = word(p);
            const Uint32 a = hasAlphaChannel ? (v >> as) & 0xFF : 255;
            Uint32 r = (v >> rs) & 0xFF, g = (v >> gs) & 0xFF, b = (v >> bs) & 0xFF;
            if (premultiply && a != 255) {
                r = div255(r * a);
                g = div255(g * a);
                b = div255(b * a);
            }
            out[x] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    }

  private:
    const Uint8* row(int y) const {
        return static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    }
    Uint32 word(const Uint8* p) const {
        if (bpp == 4) {
            Uint32 v;
            std::memcpy(&v, p, 4);
            return v;
        }
        if (SDL_BYTEORDER == SDL_BIG_ENDIAN) return (p[0] << 16) | (p[1] << 8) | p[2];
        return p[0] | (p[1] << 8) | (p[2] << 16);
    }

    SDL_Surface* surface = nullptr;
    SDL_Surface* owned = nullptr;
    SurfaceLock* lock = nullptr;
    int rs = 16, gs = 8, bs = 0, as = 24, bpp = 4;
    bool hasAlphaChannel = false, plain = false;
};

// One source row of ARGB words filtered across into `width` pixels of four
// 16-bit channels in B, G, R, A order. P is the number of weight pairs.
template <int P> void filterAcross(const Uint32* src, const Taps& t, int width, Sint16* out) {
    const int* first = t.first.data();
    const Uint32* w = t.weights.data();
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi32(1 << (ACROSS_SHIFT - 1));
    for (int x = 0; x < width; ++x, w += 4 * P) {
        const Uint32* p = src + first[x];
        __m128i acc = half;
        for (int k = 0; k < P; ++k) {
            // Two neighbours as b0 g0 r0 a0 b1 g1 r1 a1, paired up per channel.
            __m128i v = _mm_unpacklo_epi8(
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 2 * k)), zero);
            v = _mm_unpacklo_epi16(v, _mm_srli_si128(v, 8));
            const __m128i wk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 4 * k));
            acc = _mm_add_epi32(acc, _mm_madd_epi16(v, wk));
        }
        acc = _mm_srai_epi32(acc, ACROSS_SHIFT);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x * 4), _mm_packs_epi32(acc, acc));
    }
#else
    for (int x = 0; x < width; ++x, w += 4 * P) {
        const Uint32* p = src + first[x];
        int acc[4] = {0, 0, 0, 0};
        for (int k = 0; k < P; ++k) {
            const int w0 = static_cast<Sint16>(w[4 * k] & 0xFFFF);
            const int w1 = static_cast<Sint16>(w[4 * k] >> 16);
            for (int c = 0; c < 4; ++c)
                acc[c] += w0 * static_cast<int>((p[2 * k] >> (8 * c)) & 0xFF) +
                          w1 * static_cast<int>((p[2 * k + 1] >> (8 * c)) & 0xFF);
        }
        for (int c = 0; c < 4; ++c)
            out[x * 4 + c] =
                static_cast<Sint16>((acc[c] + (1 << (ACROSS_SHIFT - 1))) >> ACROSS_SHIFT);
    }
#endif
}

// Rows filtered across combined down into one output row of ARGB words
// (premultiplied, channels clamped to 255). `rows` holds two row pointers per
// weight pair; `count` is the row length in 16-bit values, a multiple of 8.
template <int P> void combineDown(Sint16* const* rows, const Uint32* w, int count, Uint32* out) {
#ifdef __SSE2__
    const __m128i round = _mm_set1_epi32(1 << (DOWN_SHIFT - 1));
    __m128i wk[P];
    for (int k = 0; k < P; ++k)
        wk[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 4 * k));
    for (int i = 0; i < count; i += 8) {
        __m128i lo = round, hi = round;
        for (int k = 0; k < P; ++k) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * k] + i));
            const __m128i b =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * k + 1] + i));
            lo = _mm_add_epi32(lo, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), wk[k]));
            hi = _mm_add_epi32(hi, _mm_madd_epi16(_mm_unpackhi_epi16(a, b), wk[k]));
        }
        lo = _mm_srai_epi32(lo, DOWN_SHIFT);
        hi = _mm_srai_epi32(hi, DOWN_SHIFT);
        const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(lo, hi), _mm_setzero_si128());
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i / 4), bytes);
    }
#else
    for (int i = 0; i < count; i += 4) {
        Uint32 px = 0;
        for (int c = 0; c < 4; ++c) {
            int acc = 1 << (DOWN_SHIFT - 1);
            for (int k = 0; k < P; ++k)
                acc += static_cast<Sint16>(w[4 * k] & 0xFFFF) * rows[2 * k][i + c] +
                       static_cast<Sint16>(w[4 * k] >> 16) * rows[2 * k + 1][i + c];
            px |= static_cast<Uint32>(std::clamp(acc >> DOWN_SHIFT, 0, 255)) << (8 * c);
        }
        out[i / 4] = px;
    }
#endif
}

// The loops above for the pair counts that matter, and a general one.
void filterAcrossAny(const Uint32* src, const Taps& t, int width, Sint16* out) {
    switch (t.pairs) {
    case 1:
        return filterAcross<1>(src, t, width, out);
    case 2:
        return filterAcross<2>(src, t, width, out);
    default: // strong shrinking: rare, and the outputs are small
        break;
    }
    const int P = t.pairs;
    for (int x = 0; x < width; ++x) {
        const Uint32* p = src + t.first[x];
        const Uint32* w = &t.weights[static_cast<size_t>(x) * P * 4];
        int sum[4] = {0, 0, 0, 0};
        for (int k = 0; k < P; ++k) {
            const int w0 = static_cast<Sint16>(w[4 * k] & 0xFFFF);
            const int w1 = static_cast<Sint16>(w[4 * k] >> 16);
            for (int c = 0; c < 4; ++c)
                sum[c] += w0 * static_cast<int>((p[2 * k] >> (8 * c)) & 0xFF) +
                          w1 * static_cast<int>((p[2 * k + 1] >> (8 * c)) & 0xFF);
        }
        for (int c = 0; c < 4; ++c)
            out[x * 4 + c] =
                static_cast<Sint16>((sum[c] + (1 << (ACROSS_SHIFT - 1))) >> ACROSS_SHIFT);
    }
}

void combineDownAny(Sint16* const* rows, const Uint32* w, int pairs, int count, Uint32* out) {
    switch (pairs) {
    case 1:
        return combineDown<1>(rows, w, count, out);
    case 2:
        return combineDown<2>(rows, w, count, out);
    case 3:
        return combineDown<3>(rows, w, count, out);
    default:
        break;
    }
    for (int i = 0; i < count; i += 4) {
        Uint32 px = 0;
        for (int c = 0; c < 4; ++c) {
            int acc = 1 << (DOWN_SHIFT - 1);
            for (int k = 0; k < pairs; ++k)
                acc += static_cast<Sint16>(w[4 * k] & 0xFFFF) * rows[2 * k][i + c] +
                       static_cast<Sint16>(w[4 * k] >> 16) * rows[2 * k + 1][i + c];
            px |= static_cast<Uint32>(std::clamp(acc >> DOWN_SHIFT, 0, 255)) << (8 * c);
        }
        out[i / 4] = px;
    }
}

// Reciprocals for undoing premultiplication without a division per channel:
// (n * RECIP[a]) >> 24 == n / a for every n below 2^16.
struct Reciprocals {
    Uint32 r[256];
    Reciprocals() {
        r[0] = 0;
        for (Uint32 a = 1; a < 256; ++a)
            r[a] = ((1u << 24) + a - 1) / a;
    }
};
const Reciprocals RECIP;

inline Uint32 unpremultiply(Uint32 p) {
    const Uint32 a = p >> 24;
    if (a == 255) return p;
    if (a == 0) return 0;
    Uint32 out = a << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
        const Uint32 pre = (p >> shift) & 0xFF;
        const Uint64 n = pre * 255 + a / 2;
        out |= std::min<Uint32>(255, static_cast<Uint32>((n * RECIP.r[a]) >> 24)) << shift;
    }
    return out;
}

// Fills `dst` (ARGB layout, same or other size) from the source, a few output
// rows per call; records whether some output pixel is not fully opaque.
// `clear` says the source has clear pixels (filtered premultiplied);
// `opaqueOut` that the top byte of the output is not read, so opaque sources
// may leave it as it comes.
class Resample {
  public:
    Resample(const RowReader& source, SDL_Surface* target, bool clearSource, bool opaqueOut,
             bool wideLoops)
        : src(source), dst(target), clear(clearSource) {
        width = dst->w;
        height = dst->h;
        same = width == src.width() && height == src.height();
        if (same) return;
        buildTaps(src.width(), width, across);
        buildTaps(src.height(), height, down);
        wideAcross = wideLoops && across.pairs <= 2;
        wideDown = wideLoops && down.pairs <= 3;
        if (wideAcross) pairTaps(across);
        // Source rows are filtered from the surface itself when it is already in
        // our layout and every tap window fits inside the row; otherwise from a
        // converted copy padded past the end.
        const int windowW = across.pairs * 2;
        fromSurface = !clear && src.plainArgb() && src.width() >= windowW &&
                      (opaqueOut || src.alphaChannel());
        line.assign(static_cast<size_t>(src.width()) + windowW, 0u);
        // A ring of rows filtered across, as many as one output row draws on, and
        // which source row each slot holds. Rows are padded to a multiple of two
        // pixels so the combining step works on whole 16-byte groups.
        slots = down.pairs * 2;
        stride = static_cast<size_t>((width + 1) / 2 * 2) * 4;
        ring.assign(stride * slots, 0);
        held.assign(slots, -1);
        rows.resize(slots);
        outLine.resize(stride / 4);
    }

    bool done() const { return y >= height; }
    bool anyClear() const { return allAlpha != 0xFFu; }

    // Up to `count` more output rows; true once every row is written.
    bool step(int count) {
        SurfaceLock ld(dst);
        for (const int stop = std::min(height, y + std::max(count, 1)); y < stop; ++y) {
            if (same)
                copyRow();
            else
                filterRow();
        }
        return done();
    }

  private:
    void copyRow() {
        Uint32* out = argbRow(dst, y);
        src.read(y, out, false);
        if (clear)
            for (int x = 0; x < width; ++x)
                allAlpha &= out[x] >> 24;
    }

    void filterRow() {
        const int first = down.first[y];
        for (int k = 0; k < slots; ++k) {
            // Past the last row the weights are 0: any held row will do.
            const int r = std::min(first + k, src.height() - 1);
            const int slot = r % slots;
            Sint16* at = &ring[stride * slot];
            if (held[slot] != r) {
                const Uint32* from = line.data();
                if (fromSurface)
                    from = src.row32(r);
                else
                    src.read(r, line.data(), clear);
                if (wideAcross)
                    filterAcrossAvx2(from, across, width, at);
                else
                    filterAcrossAny(from, across, width, at);
                held[slot] = r;
            }
            rows[k] = at;
        }
        // Rows whose last weights are zero (most of them when shrinking a
        // little) skip those rows; an even-width opaque row goes straight in.
        Uint32* out = argbRow(dst, y);
        Uint32* to = !clear && width % 2 == 0 ? out : outLine.data();
        const Uint32* w = &down.weights[static_cast<size_t>(y) * down.pairs * 4];
        if (wideDown)
            combineDownAvx2(rows.data(), w, down.used[y], static_cast<int>(stride), to);
        else
            combineDownAny(rows.data(), w, down.used[y], static_cast<int>(stride), to);
        if (to == out) return;
        if (clear) {
            for (int x = 0; x < width; ++x) {
                out[x] = unpremultiply(outLine[x]);
                allAlpha &= out[x] >> 24;
            }
        } else {
            std::memcpy(out, outLine.data(), static_cast<size_t>(width) * 4);
        }
    }

    const RowReader& src;
    SDL_Surface* dst;
    bool clear;
    int width = 0, height = 0, y = 0;
    bool same = false, fromSurface = false, wideAcross = false, wideDown = false;
    Uint32 allAlpha = 0xFFu;
    Taps across, down;
    std::vector<Uint32> line;
    int slots = 0;
    size_t stride = 0;
    std::vector<Sint16> ring;
    std::vector<int> held;
    std::vector<Sint16*> rows;
    std::vector<Uint32> outLine;
};

// True when the display is 32-bit with red, green and blue in the ARGB places,
// so the display formats (with and without alpha) can be written directly.
bool displayIsArgb() {
    const SDL_Surface* v = SDL_GetVideoSurface();
    if (!v) return false;
    const SDL_PixelFormat* f = v->format;
    return f->BytesPerPixel == 4 && f->Rmask == ARGB_R && f->Gmask == ARGB_G && f->Bmask == ARGB_B;
}

} // namespace

struct ScaleInSteps::Work {
    RowReader src;
    SDL_Surface* dst = nullptr;
    bool direct = false;
    std::unique_ptr<Resample> resample;
    explicit Work(SDL_Surface* image) : src(image) {}
};

ScaleInSteps::ScaleInSteps(SDL_Surface* image, int width, int height, ScaleLoops loops) {
    if (!image) return;
    width = std::clamp(width, 1, MAX_SURFACE_SIDE);
    height = std::clamp(height, 1, MAX_SURFACE_SIDE);
    auto w = std::make_unique<Work>(image);
    if (!w->src.ok()) return;
    const bool clear = w->src.anyClear();
    w->direct = displayIsArgb();
    // An opaque picture goes straight into the display format without alpha;
    // one with clear parts into ARGB, which is the display's alpha format here.
    w->dst = w->direct && !clear
                 ? SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, ARGB_R, ARGB_G, ARGB_B, 0)
                 : createArgbSurface(width, height);
    if (!w->dst) return;
    const bool wide = loops == ScaleLoops::Fastest && haveAvx2();
    w->resample = std::make_unique<Resample>(w->src, w->dst, clear, w->direct && !clear, wide);
    work = std::move(w);
}

ScaleInSteps::~ScaleInSteps() {
    if (work && work->dst) SDL_FreeSurface(work->dst);
}

bool ScaleInSteps::step(int rows) {
    return !work || work->resample->step(rows);
}

SDL_Surface* ScaleInSteps::take() {
    if (!work) return makePlaceholder();
    while (!work->resample->step(1 << 14)) {
    }
    const bool anyClear = work->resample->anyClear();
    SDL_Surface* dst = work->dst;
    const bool direct = work->direct;
    work->dst = nullptr;
    work.reset();
    if (direct) {
        if (!anyClear && dst->format->Amask) {
            // Clear parts averaged away (rare): copy, do not blend, like any opaque picture.
            SDL_SetAlpha(dst, 0, 255);
            SDL_Surface* opaque = SDL_DisplayFormat(dst);
            if (opaque) {
                SDL_FreeSurface(dst);
                dst = opaque;
            }
        }
        return dst;
    }
    SDL_Surface* out = finishSurface(dst, anyClear);
    return out ? out : makePlaceholder();
}

SDL_Surface* scaleImageTo(SDL_Surface* image, int width, int height) {
    return ScaleInSteps(image, width, height).take();
}
