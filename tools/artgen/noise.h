// Deterministic value noise for textures (paper fibres, leather, wood, maps).
// A period > 0 makes the noise wrap, so textures tile without a seam.
#pragma once

#include <cstdint>

uint32_t hash2(int x, int y, uint32_t seed);
// 0..1, smooth, one feature per unit.
float valueNoise(float x, float y, uint32_t seed, int periodX = 0, int periodY = 0);
// Sum of octaves, normalised to 0..1. `scale` is the size of the largest feature
// in pixels; with tiling, the period (in pixels) must be a multiple of `scale`.
float fbm(float x, float y, float scale, int octaves, uint32_t seed, int tileW = 0, int tileH = 0);
// Fibres: noise stretched along one axis.
float streaks(float x, float y, float along, float across, uint32_t seed, int tileW = 0,
              int tileH = 0);
