// The program's own resampler: a separable filter that averages the covered
// source area when shrinking (box filter, so thin lines fade instead of
// vanishing) and interpolates linearly when enlarging. Colours are weighted by
// alpha so transparent pixels never bleed their colour into the edges.
// The working buffers are kept between calls: skins and frames are scaled in
// bursts, and reallocating megabytes each time shows up in the start-up time.
#include "ui/surface.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int WEIGHT_BITS = 14;
constexpr int WEIGHT_ONE = 1 << WEIGHT_BITS;
constexpr int MID_BITS = 7; // extra precision of the intermediate pass

struct Taps {
    std::vector<int> first; // first source index per output index
    std::vector<int> count; // number of taps per output index
    std::vector<int> start; // offset into weights per output index
    std::vector<int> weights;
};

// Weights that map `srcLen` samples onto `dstLen`, each set summing to WEIGHT_ONE.
void buildTaps(int srcLen, int dstLen, Taps& t) {
    t.first.assign(dstLen, 0);
    t.count.assign(dstLen, 0);
    t.start.assign(dstLen, 0);
    t.weights.clear();
    const double scale = static_cast<double>(dstLen) / srcLen;
    std::vector<double> w;
    for (int i = 0; i < dstLen; ++i) {
        int first;
        w.clear();
        if (scale < 1.0) {
            // Box: the source interval [i/scale, (i+1)/scale) weighted by overlap.
            double a = i / scale, b = (i + 1) / scale;
            first = static_cast<int>(std::floor(a));
            int last = std::min(srcLen - 1, static_cast<int>(std::ceil(b)) - 1);
            for (int s = first; s <= last; ++s)
                w.push_back(std::min<double>(b, s + 1) - std::max<double>(a, s));
        } else {
            // Linear between the two nearest source centres, edges clamped.
            double c = (i + 0.5) / scale - 0.5;
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
            w.push_back(1.0 - f);
            if (f > 0) w.push_back(f);
        }
        double sum = 0;
        for (double v : w)
            sum += v;
        t.first[i] = first;
        t.count[i] = static_cast<int>(w.size());
        t.start[i] = static_cast<int>(t.weights.size());
        int given = 0;
        for (size_t k = 0; k < w.size(); ++k) {
            int q = static_cast<int>(std::lround(w[k] / sum * WEIGHT_ONE));
            if (k + 1 == w.size()) q = WEIGHT_ONE - given; // exact sum, no drift
            given += q;
            t.weights.push_back(q);
        }
    }
}

struct Buffers {
    Taps across, down;
    std::vector<Uint16> mid; // premultiplied channels after the horizontal pass
    std::vector<Uint32> col; // accumulators of the vertical pass
    std::vector<Uint32> row; // one source row, premultiplied
};

// x / 255 rounded, exact for x up to 255 * 255.
inline Uint32 div255(Uint32 x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

Buffers& buffers() {
    static Buffers b;
    return b;
}

} // namespace

// A new ARGB surface of exactly width x height resampled from an ARGB source.
SDL_Surface* resampleArgb(SDL_Surface* src, int width, int height) {
    if (!src || width < 1 || height < 1) return nullptr;
    SDL_Surface* dst = createArgbSurface(width, height);
    if (!dst) return nullptr;
    Buffers& b = buffers();
    buildTaps(src->w, width, b.across);
    buildTaps(src->h, height, b.down);
    const size_t midSize = static_cast<size_t>(width) * src->h * 4;
    b.mid.resize(midSize);

    SurfaceLock ls(src);
    SurfaceLock ld(dst);
    // Horizontal pass: every source row, premultiplied by alpha once, into `mid`.
    b.row.resize(static_cast<size_t>(src->w) * 4);
    const int shift = WEIGHT_BITS - MID_BITS;
    const Uint32 half = 1u << (shift - 1);
    for (int y = 0; y < src->h; ++y) {
        const Uint32* row = argbRow(src, y);
        for (int x = 0; x < src->w; ++x) {
            Uint32 v = row[x], a = v >> 24;
            Uint32* q = &b.row[static_cast<size_t>(x) * 4];
            q[0] = a;
            if (a == 255) {
                q[1] = (v >> 16) & 0xFF;
                q[2] = (v >> 8) & 0xFF;
                q[3] = v & 0xFF;
            } else {
                q[1] = div255(((v >> 16) & 0xFF) * a);
                q[2] = div255(((v >> 8) & 0xFF) * a);
                q[3] = div255((v & 0xFF) * a);
            }
        }
        Uint16* out = &b.mid[static_cast<size_t>(y) * width * 4];
        for (int x = 0; x < width; ++x) {
            const int* w = &b.across.weights[b.across.start[x]];
            const Uint32* p = &b.row[static_cast<size_t>(b.across.first[x]) * 4];
            Uint32 s0 = 0, s1 = 0, s2 = 0, s3 = 0;
            for (int k = 0; k < b.across.count[x]; ++k, p += 4) {
                const Uint32 wk = static_cast<Uint32>(w[k]);
                s0 += wk * p[0];
                s1 += wk * p[1];
                s2 += wk * p[2];
                s3 += wk * p[3];
            }
            out[x * 4 + 0] = static_cast<Uint16>((s0 + half) >> shift);
            out[x * 4 + 1] = static_cast<Uint16>((s1 + half) >> shift);
            out[x * 4 + 2] = static_cast<Uint16>((s2 + half) >> shift);
            out[x * 4 + 3] = static_cast<Uint16>((s3 + half) >> shift);
        }
    }
    // Vertical pass: accumulate whole rows of `mid` so memory is read in order.
    b.col.resize(static_cast<size_t>(width) * 4);
    const int total = WEIGHT_BITS + MID_BITS;
    const Uint32 round = 1u << (total - 1);
    for (int y = 0; y < height; ++y) {
        std::fill(b.col.begin(), b.col.end(), 0u);
        const int* w = &b.down.weights[b.down.start[y]];
        for (int k = 0; k < b.down.count[y]; ++k) {
            const Uint16* in = &b.mid[static_cast<size_t>(b.down.first[y] + k) * width * 4];
            const Uint32 wk = static_cast<Uint32>(w[k]);
            for (int i = 0; i < width * 4; ++i)
                b.col[i] += wk * in[i];
        }
        Uint32* out = argbRow(dst, y);
        for (int x = 0; x < width; ++x) {
            Uint32 a = std::min<Uint32>(255, (b.col[x * 4] + round) >> total);
            if (a == 0) {
                out[x] = 0;
                continue;
            }
            Uint32 c[3];
            for (int ch = 0; ch < 3; ++ch) {
                Uint32 pre = (b.col[x * 4 + 1 + ch] + round) >> total;
                c[ch] = a == 255 ? std::min<Uint32>(255, pre)
                                 : std::min<Uint32>(255, (pre * 255 + a / 2) / a);
            }
            out[x] = (a << 24) | (c[0] << 16) | (c[1] << 8) | c[2];
        }
    }
    return dst;
}
