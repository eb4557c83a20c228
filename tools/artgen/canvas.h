// The art generator's drawing surface: straight-alpha float RGBA pixels, shapes
// given as signed distance functions (negative inside) so every edge is
// anti-aliased the same way, and paints that colour a pixel by its position.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct Color {
    float r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB, optionally with an alpha of 0..1.
Color hex(unsigned rgb, float alpha = 1.0f);
Color mix(const Color& a, const Color& b, float t);
// amount > 0 moves toward white, < 0 toward black (-1..1).
Color shade(const Color& c, float amount);
Color withAlpha(Color c, float a);
constexpr Color TRANSPARENT{0, 0, 0, 0};

using Paint = std::function<Color(float x, float y)>;
using Stops = std::vector<std::pair<float, Color>>;

Paint solid(Color c);
Color sampleStops(const Stops& stops, float t);
Paint linearGradient(float x0, float y0, float x1, float y1, Stops stops);
Paint radialGradient(float cx, float cy, float radius, Stops stops);

// A shape: signed distance in pixels, negative inside, plus the box it lives in.
struct Shape {
    std::function<float(float, float)> sdf;
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

Shape rectShape(float x, float y, float w, float h);
Shape roundRect(float x, float y, float w, float h, float radius);
Shape circle(float cx, float cy, float r);
Shape ellipse(float cx, float cy, float rx, float ry);
Shape segment(float ax, float ay, float bx, float by, float thickness);
Shape polygon(std::vector<std::pair<float, float>> points);
// A ring of width `width` centred on the outline of `s`.
Shape outline(const Shape& s, float width);
Shape unite(const Shape& a, const Shape& b);
Shape subtract(const Shape& a, const Shape& b);
Shape intersect(const Shape& a, const Shape& b);
// Grow (> 0) or shrink (< 0) a shape.
Shape inflate(const Shape& s, float by);

// An alpha-only layer, used for text, glows and bevels.
struct Mask {
    int w = 0, h = 0;
    std::vector<float> a;
    Mask() = default;
    Mask(int width, int height) : w(width), h(height), a(static_cast<size_t>(width) * height, 0) {}
    float get(int x, int y) const;
    float& at(int x, int y) { return a[static_cast<size_t>(y) * w + x]; }
};

Mask shapeMask(int w, int h, const Shape& s);
// Separable box blur repeated three times (close to a Gaussian of that radius).
Mask blur(const Mask& m, float radius);
// Max filter of the given radius (for outlines round text).
Mask dilate(const Mask& m, int radius);
Mask shifted(const Mask& m, int dx, int dy);
Mask multiply(const Mask& a, const Mask& b);

class Canvas {
  public:
    Canvas() = default;
    Canvas(int width, int height, Color fillWith = TRANSPARENT);

    int width() const { return w_; }
    int height() const { return h_; }
    Color get(int x, int y) const; // clamped to the edges
    Color& at(int x, int y) { return px_[static_cast<size_t>(y) * w_ + x]; }
    const Color& at(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }

    // Source-over blend of one colour with extra coverage 0..1.
    void blend(int x, int y, const Color& c, float coverage = 1.0f);
    void fill(const Paint& p);
    void fillShape(const Shape& s, const Paint& p);
    void fillShape(const Shape& s, const Color& c) { fillShape(s, solid(c)); }
    void strokeShape(const Shape& s, float width, const Color& c) {
        fillShape(outline(s, width), c);
    }
    void fillMask(const Mask& m, const Paint& p, int dx = 0, int dy = 0);
    void fillMask(const Mask& m, const Color& c, int dx = 0, int dy = 0) {
        fillMask(m, solid(c), dx, dy);
    }
    // Draws another canvas over this one at (dx, dy), with an overall opacity.
    void draw(const Canvas& src, int dx, int dy, float opacity = 1.0f);
    // Multiplies every pixel's colour (not alpha) by a function of position: texture.
    void modulate(const std::function<float(float, float)>& factor);
    // Lighting of a raised shape: the blurred mask is a height field lit from the
    // upper left; highlight and shadow are blended in where `m` covers.
    void bevel(const Mask& m, float radius, float strength);
    Mask alphaMask() const;
    Canvas resized(int width, int height) const; // box/bilinear resample
    Canvas flippedH() const;
    Canvas flippedV() const;
    Canvas crop(int x, int y, int width, int height) const;

  private:
    int w_ = 0, h_ = 0;
    std::vector<Color> px_;
};

// Deterministic pseudo-random numbers for the generators (no global state).
class Rng {
  public:
    explicit Rng(unsigned seed) : s_(seed * 2654435761u + 0x9E3779B9u) {
        if (s_ == 0) s_ = 1;
    }
    unsigned next();
    float uniform(); // 0..1
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<unsigned>(n)); }

  private:
    unsigned s_;
};
