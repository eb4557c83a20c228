// Pen-and-ink pieces for the demo books' illustrations: black ink on white
// paper (the page makes the white transparent and tints the ink), hatching for
// shade, silhouettes for people and beasts, and a few pieces of scenery. The
// scenes themselves are in books_art1.cpp and books_art2.cpp.
#pragma once

#include "canvas.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace ink {

using Pt = std::pair<float, float>;
using Path = std::vector<Pt>;

const Color PAPER = hex(0xffffff);
const Color BLACK = hex(0x14110e);

constexpr int ILL_W = 400, ILL_H = 500;

// Where a book's pictures are drawn: beside the data folder, for bookpack to
// put into the book's archive (they are not loose files of the data folder).
std::string bookArtPath(int book, const std::string& file);

Canvas sheet(int w = ILL_W, int h = ILL_H);
// The ruled border every illustration gets.
void border(Canvas& c);

// Parallel strokes at `angleDeg`, `spacing` apart and `weight` thick.
Paint hatch(float angleDeg, float spacing, float weight, Color ink = BLACK);
void hatchFill(Canvas& c, const Shape& s, float angleDeg, float spacing, float weight);
void crossHatch(Canvas& c, const Shape& s, float spacing, float weight);
// Hatching whose spacing opens up from `denseY` to `lightY`: a sky or a shadow.
void gradedHatch(Canvas& c, const Shape& s, float denseY, float lightY, float angleDeg);
void solid(Canvas& c, const Shape& s);
void blank(Canvas& c, const Shape& s); // paint paper over (for highlights)

Shape poly(const Path& p);
// A quadratic curve from a through control b to c.
Path curve(Pt a, Pt b, Pt c, int steps = 24);
// A line of slightly uneven weight, as a pen draws it.
void stroke(Canvas& c, const Path& p, float weight);
// Shakes a path by up to `amp` pixels.
Path jitter(const Path& p, float amp, uint32_t seed);
// A shape whose edge wanders by up to `amp` pixels (hand-drawn edges).
Shape wobbly(const Shape& s, float amp, float scale, uint32_t seed);

// Scenery.
// A ridge line from left to right; the body below it to `baseY` is hatched,
// darker on its right flank.
void mountain(Canvas& c, const Path& ridge, float baseY, uint32_t seed);
void pine(Canvas& c, float x, float baseY, float h);
void leafyTree(Canvas& c, float x, float baseY, float h, uint32_t seed);
void forestEdge(Canvas& c, float x0, float x1, float baseY, float h, uint32_t seed);
// Broken horizontal ripple strokes filling a band.
void water(Canvas& c, float x0, float y0, float x1, float y1, uint32_t seed);
// Paper-white drifting wash: fog that fades what is behind it.
void mist(Canvas& c, float x0, float y0, float x1, float y1, float strength, uint32_t seed);
void smoke(Canvas& c, float x, float y, float height, float lean, uint32_t seed);
void flame(Canvas& c, float x, float baseY, float h);
void moon(Canvas& c, float x, float y, float r);
void stars(Canvas& c, float x0, float y0, float x1, float y1, int count, uint32_t seed);
// A square tower with battlements and windows; `ruined` breaks its top.
void tower(Canvas& c, float x, float baseY, float w, float h, bool ruined, uint32_t seed);
void wallWithGate(Canvas& c, float x0, float x1, float baseY, float h);

// People and beasts, as silhouettes standing on `footY`, `h` tall.
// facing +1 right, -1 left.
struct FigureLook {
    bool hood = true;
    bool mask = false;         // the Kindled's blank clay face
    bool cloakHatched = false; // the hero: drawn in line and hatching, not solid
    bool armRaised = false;    // the forward arm raised (to strike, to hold up)
    float bulk = 1.0f;         // width factor
    bool skirt = true;         // long robe; false for breeches
};
// Returns the point of the forward hand, for weapons and lamps.
Pt figure(Canvas& c, float x, float footY, float h, int facing, const FigureLook& look);
void sword(Canvas& c, Pt hand, float len, float angleDeg);
void spear(Canvas& c, Pt hand, float len, float angleDeg);
void hound(Canvas& c, float x, float footY, float s, int facing);
// A winged beast with its wings spread, centred at (x, y), `span` wide.
void gloamwing(Canvas& c, float x, float y, float span, int facing);
void bell(Canvas& c, float x, float y, float h, float tiltDeg);
// A flat boat or raft on the water line `y`.
void boat(Canvas& c, float x, float y, float len, bool raft);

} // namespace ink
