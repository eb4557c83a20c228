#include "noise.h"

#include <cmath>

uint32_t hash2(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x27d4eb2du;
    h ^= static_cast<uint32_t>(x) * 0x85ebca6bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xc2b2ae35u;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

namespace {

float cell(int x, int y, uint32_t seed, int px, int py) {
    if (px > 0) x = ((x % px) + px) % px;
    if (py > 0) y = ((y % py) + py) % py;
    return (hash2(x, y, seed) & 0xFFFFFF) / 16777215.0f;
}

float smooth(float t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

} // namespace

float valueNoise(float x, float y, uint32_t seed, int periodX, int periodY) {
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    float tx = smooth(x - ix), ty = smooth(y - iy);
    float a = cell(ix, iy, seed, periodX, periodY), b = cell(ix + 1, iy, seed, periodX, periodY);
    float c = cell(ix, iy + 1, seed, periodX, periodY);
    float d = cell(ix + 1, iy + 1, seed, periodX, periodY);
    float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float fbm(float x, float y, float scale, int octaves, uint32_t seed, int tileW, int tileH) {
    float sum = 0, amp = 1, norm = 0;
    float freq = 1.0f / scale;
    for (int o = 0; o < octaves; ++o) {
        int px = tileW > 0 ? static_cast<int>(std::lround(tileW * freq)) : 0;
        int py = tileH > 0 ? static_cast<int>(std::lround(tileH * freq)) : 0;
        sum += amp * valueNoise(x * freq, y * freq, seed + o * 101u, px, py);
        norm += amp;
        amp *= 0.5f;
        freq *= 2;
    }
    return sum / norm;
}

float streaks(float x, float y, float along, float across, uint32_t seed, int tileW, int tileH) {
    int px = tileW > 0 ? static_cast<int>(std::lround(tileW / along)) : 0;
    int py = tileH > 0 ? static_cast<int>(std::lround(tileH / across)) : 0;
    return valueNoise(x / along, y / across, seed, px, py);
}
