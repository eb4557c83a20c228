// Shared pieces of the interface art: textures (parchment, leather, wood),
// metals, gel surfaces, rules and ornaments. Modules build on these so that
// papers, buttons and frames share one hand.
#pragma once

#include "canvas.h"
#include "palette.h"

#include <cstdint>

float smoothstep(float e0, float e1, float x);

// Parchment over the whole canvas. `age` 0..1 darkens blotches and edges; with
// `tile` the texture wraps seamlessly (sides should be multiples of 64).
void paintParchment(Canvas& c, uint32_t seed, Color base, float age, bool tile);
// Darkens toward the edges; `inner` is where the darkening starts (0..1 of the radius).
void vignette(Canvas& c, float strength, Color edge, float inner);
void paintLeather(Canvas& c, uint32_t seed, Color base);
void paintWood(Canvas& c, uint32_t seed, Color base);
void paintStone(Canvas& c, uint32_t seed, Color base);
// Fine grain over the existing pixels (amount in brightness units, e.g. 0.04).
void grain(Canvas& c, uint32_t seed, float amount);

// Polished metal bands between y0 and y1 (gold by default).
Paint metal(float y0, float y1, Color base);
// A metal bar with bevelled edges.
void metalBar(Canvas& c, const Shape& s, float y0, float y1, Color base);

// A glossy pill-shaped button face. state: 0 unavailable, 1 ready, 2 under the
// pointer, 3 pressed.
Canvas gelButton(int w, int h, Color base, int state);

// A calligraphic divider centred at (cx, cy).
void flourish(Canvas& c, float cx, float cy, float width, float weight, Color ink);
// A small diamond-and-dots ornament.
void diamondOrnament(Canvas& c, float cx, float cy, float size, Color ink);
// A corner ornament whose outer corner is at (x, y); dx, dy = +1 or -1 point inward.
void cornerOrnament(Canvas& c, float x, float y, float size, int dx, int dy, Color ink);
// A bordered parchment panel with a gold double rule.
void parchmentPanel(Canvas& c, float x, float y, float w, float h, float radius, uint32_t seed);
// A drop shadow under a shape.
void dropShadow(Canvas& c, const Shape& s, float blurRadius, int dx, int dy, float opacity);
