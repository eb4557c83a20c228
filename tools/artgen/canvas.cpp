#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace {

float clamp01(float v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

float length(float x, float y) {
    return std::sqrt(x * x + y * y);
}

} // namespace

Color hex(unsigned rgb, float alpha) {
    return Color{((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f,
                 alpha};
}

Color mix(const Color& a, const Color& b, float t) {
    return Color{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
                 a.a + (b.a - a.a) * t};
}

Color shade(const Color& c, float amount) {
    Color target = amount >= 0 ? Color{1, 1, 1, c.a} : Color{0, 0, 0, c.a};
    return mix(c, target, std::fabs(amount) > 1 ? 1 : std::fabs(amount));
}

Color withAlpha(Color c, float a) {
    c.a = a;
    return c;
}

Paint solid(Color c) {
    return [c](float, float) { return c; };
}

Color sampleStops(const Stops& stops, float t) {
    if (stops.empty()) return TRANSPARENT;
    if (t <= stops.front().first) return stops.front().second;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].first) {
            float span = stops[i].first - stops[i - 1].first;
            float u = span > 0 ? (t - stops[i - 1].first) / span : 1;
            return mix(stops[i - 1].second, stops[i].second, u);
        }
    }
    return stops.back().second;
}

Paint linearGradient(float x0, float y0, float x1, float y1, Stops stops) {
    float dx = x1 - x0, dy = y1 - y0;
    float len2 = dx * dx + dy * dy;
    if (len2 <= 0) len2 = 1;
    return [=](float x, float y) {
        float t = ((x - x0) * dx + (y - y0) * dy) / len2;
        return sampleStops(stops, t);
    };
}

Paint radialGradient(float cx, float cy, float radius, Stops stops) {
    if (radius <= 0) radius = 1;
    return [=](float x, float y) { return sampleStops(stops, length(x - cx, y - cy) / radius); };
}

Shape rectShape(float x, float y, float w, float h) {
    return roundRect(x, y, w, h, 0);
}

Shape roundRect(float x, float y, float w, float h, float radius) {
    float cx = x + w / 2, cy = y + h / 2;
    float r = std::min(radius, std::min(w, h) / 2);
    float hx = w / 2 - r, hy = h / 2 - r;
    Shape s;
    s.sdf = [=](float px, float py) {
        float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
        float outside = length(std::max(qx, 0.0f), std::max(qy, 0.0f));
        float inside = std::min(std::max(qx, qy), 0.0f);
        return outside + inside - r;
    };
    s.x0 = x - 1, s.y0 = y - 1, s.x1 = x + w + 1, s.y1 = y + h + 1;
    return s;
}

Shape circle(float cx, float cy, float r) {
    Shape s;
    s.sdf = [=](float px, float py) { return length(px - cx, py - cy) - r; };
    s.x0 = cx - r - 1, s.y0 = cy - r - 1, s.x1 = cx + r + 1, s.y1 = cy + r + 1;
    return s;
}

Shape ellipse(float cx, float cy, float rx, float ry) {
    Shape s;
    s.sdf = [=](float px, float py) {
        float x = (px - cx), y = (py - cy);
        float k0 = length(x / rx, y / ry);
        float k1 = length(x / (rx * rx), y / (ry * ry));
        if (k1 <= 1e-6f) return -std::min(rx, ry);
        return k0 * (k0 - 1) / k1;
    };
    s.x0 = cx - rx - 1, s.y0 = cy - ry - 1, s.x1 = cx + rx + 1, s.y1 = cy + ry + 1;
    return s;
}

Shape segment(float ax, float ay, float bx, float by, float thickness) {
    Shape s;
    float half = thickness / 2;
    s.sdf = [=](float px, float py) {
        float pax = px - ax, pay = py - ay, bax = bx - ax, bay = by - ay;
        float len2 = bax * bax + bay * bay;
        float h = len2 > 0 ? clamp01((pax * bax + pay * bay) / len2) : 0;
        return length(pax - bax * h, pay - bay * h) - half;
    };
    s.x0 = std::min(ax, bx) - half - 1, s.y0 = std::min(ay, by) - half - 1;
    s.x1 = std::max(ax, bx) + half + 1, s.y1 = std::max(ay, by) + half + 1;
    return s;
}

Shape polygon(std::vector<std::pair<float, float>> v) {
    Shape s;
    if (v.empty()) return circle(0, 0, 0);
    s.x0 = s.x1 = v[0].first;
    s.y0 = s.y1 = v[0].second;
    for (auto& p : v) {
        s.x0 = std::min(s.x0, p.first), s.x1 = std::max(s.x1, p.first);
        s.y0 = std::min(s.y0, p.second), s.y1 = std::max(s.y1, p.second);
    }
    s.x0 -= 1, s.y0 -= 1, s.x1 += 1, s.y1 += 1;
    s.sdf = [v](float px, float py) {
        size_t n = v.size();
        float dx = px - v[0].first, dy = py - v[0].second;
        float d = dx * dx + dy * dy;
        float sign = 1;
        for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
            float ex = v[j].first - v[i].first, ey = v[j].second - v[i].second;
            float wx = px - v[i].first, wy = py - v[i].second;
            float len2 = ex * ex + ey * ey;
            float h = len2 > 0 ? clamp01((wx * ex + wy * ey) / len2) : 0;
            float bx = wx - ex * h, by = wy - ey * h;
            d = std::min(d, bx * bx + by * by);
            bool c1 = py >= v[i].second, c2 = py<v[j].second, c3 = ex * wy> ey * wx;
            if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
        }
        return sign * std::sqrt(d);
    };
    return s;
}

Shape outline(const Shape& s, float width) {
    Shape o;
    auto f = s.sdf;
    float half = width / 2;
    o.sdf = [f, half](float x, float y) { return std::fabs(f(x, y)) - half; };
    o.x0 = s.x0 - half, o.y0 = s.y0 - half, o.x1 = s.x1 + half, o.y1 = s.y1 + half;
    return o;
}

Shape unite(const Shape& a, const Shape& b) {
    Shape s;
    auto fa = a.sdf, fb = b.sdf;
    s.sdf = [fa, fb](float x, float y) { return std::min(fa(x, y), fb(x, y)); };
    s.x0 = std::min(a.x0, b.x0), s.y0 = std::min(a.y0, b.y0);
    s.x1 = std::max(a.x1, b.x1), s.y1 = std::max(a.y1, b.y1);
    return s;
}

Shape subtract(const Shape& a, const Shape& b) {
    Shape s = a;
    auto fa = a.sdf, fb = b.sdf;
    s.sdf = [fa, fb](float x, float y) { return std::max(fa(x, y), -fb(x, y)); };
    return s;
}

Shape intersect(const Shape& a, const Shape& b) {
    Shape s;
    auto fa = a.sdf, fb = b.sdf;
    s.sdf = [fa, fb](float x, float y) { return std::max(fa(x, y), fb(x, y)); };
    s.x0 = std::max(a.x0, b.x0), s.y0 = std::max(a.y0, b.y0);
    s.x1 = std::min(a.x1, b.x1), s.y1 = std::min(a.y1, b.y1);
    return s;
}

Shape inflate(const Shape& s, float by) {
    Shape o = s;
    auto f = s.sdf;
    o.sdf = [f, by](float x, float y) { return f(x, y) - by; };
    o.x0 -= by, o.y0 -= by, o.x1 += by, o.y1 += by;
    return o;
}

float Mask::get(int x, int y) const {
    if (w == 0 || h == 0) return 0;
    x = std::clamp(x, 0, w - 1);
    y = std::clamp(y, 0, h - 1);
    return a[static_cast<size_t>(y) * w + x];
}

Mask shapeMask(int w, int h, const Shape& s) {
    Mask m(w, h);
    int x0 = std::max(0, static_cast<int>(std::floor(s.x0))),
        y0 = std::max(0, (int)std::floor(s.y0));
    int x1 = std::min(w, static_cast<int>(std::ceil(s.x1)) + 1);
    int y1 = std::min(h, static_cast<int>(std::ceil(s.y1)) + 1);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            m.at(x, y) = clamp01(0.5f - s.sdf(x + 0.5f, y + 0.5f));
    return m;
}

namespace {

void boxPass(std::vector<float>& data, int w, int h, int r, bool horizontal) {
    if (r <= 0) return;
    int n = horizontal ? w : h, lines = horizontal ? h : w;
    std::vector<float> line(static_cast<size_t>(n)), out(static_cast<size_t>(n));
    for (int l = 0; l < lines; ++l) {
        for (int i = 0; i < n; ++i)
            line[i] = horizontal ? data[static_cast<size_t>(l) * w + i]
                                 : data[static_cast<size_t>(i) * w + l];
        float sum = 0;
        auto at = [&](int i) { return line[std::clamp(i, 0, n - 1)]; };
        for (int i = -r; i <= r; ++i)
            sum += at(i);
        for (int i = 0; i < n; ++i) {
            out[i] = sum / (2 * r + 1);
            sum += at(i + r + 1) - at(i - r);
        }
        for (int i = 0; i < n; ++i) {
            if (horizontal)
                data[static_cast<size_t>(l) * w + i] = out[i];
            else
                data[static_cast<size_t>(i) * w + l] = out[i];
        }
    }
}

} // namespace

Mask blur(const Mask& m, float radius) {
    Mask o = m;
    int r = static_cast<int>(std::lround(radius / 1.7f));
    if (r < 1 && radius > 0) r = 1;
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(o.a, o.w, o.h, r, true);
        boxPass(o.a, o.w, o.h, r, false);
    }
    return o;
}

Mask dilate(const Mask& m, int radius) {
    Mask o(m.w, m.h);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            float best = 0;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx) {
                    float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
                    if (d > radius + 0.5f) continue;
                    int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= m.w || sy >= m.h) continue;
                    float v = m.a[static_cast<size_t>(sy) * m.w + sx] * clamp01(radius + 0.5f - d);
                    best = std::max(best, v);
                }
            o.at(x, y) = best;
        }
    return o;
}

Mask shifted(const Mask& m, int dx, int dy) {
    Mask o(m.w, m.h);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            int sx = x - dx, sy = y - dy;
            if (sx >= 0 && sy >= 0 && sx < m.w && sy < m.h) o.at(x, y) = m.a[(size_t)sy * m.w + sx];
        }
    return o;
}

Mask multiply(const Mask& a, const Mask& b) {
    Mask o = a;
    for (size_t i = 0; i < o.a.size() && i < b.a.size(); ++i)
        o.a[i] *= b.a[i];
    return o;
}

Canvas::Canvas(int width, int height, Color fillWith)
    : w_(std::max(1, width)), h_(std::max(1, height)), px_(static_cast<size_t>(w_) * h_, fillWith) {
}

Color Canvas::get(int x, int y) const {
    x = std::clamp(x, 0, w_ - 1);
    y = std::clamp(y, 0, h_ - 1);
    return at(x, y);
}

void Canvas::blend(int x, int y, const Color& c, float coverage) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    float sa = clamp01(c.a * coverage);
    if (sa <= 0) return;
    Color& d = at(x, y);
    float oa = sa + d.a * (1 - sa);
    if (oa <= 0) return;
    float k = d.a * (1 - sa);
    d.r = (c.r * sa + d.r * k) / oa;
    d.g = (c.g * sa + d.g * k) / oa;
    d.b = (c.b * sa + d.b * k) / oa;
    d.a = oa;
}

void Canvas::fill(const Paint& p) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            blend(x, y, p(x + 0.5f, y + 0.5f));
}

void Canvas::fillShape(const Shape& s, const Paint& p) {
    int x0 = std::max(0, static_cast<int>(std::floor(s.x0)));
    int y0 = std::max(0, static_cast<int>(std::floor(s.y0)));
    int x1 = std::min(w_, static_cast<int>(std::ceil(s.x1)) + 1);
    int y1 = std::min(h_, static_cast<int>(std::ceil(s.y1)) + 1);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            float cov = clamp01(0.5f - s.sdf(x + 0.5f, y + 0.5f));
            if (cov > 0) blend(x, y, p(x + 0.5f, y + 0.5f), cov);
        }
}

void Canvas::fillMask(const Mask& m, const Paint& p, int dx, int dy) {
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            float cov = m.a[static_cast<size_t>(y) * m.w + x];
            if (cov > 0) blend(x + dx, y + dy, p(x + dx + 0.5f, y + dy + 0.5f), cov);
        }
}

void Canvas::draw(const Canvas& src, int dx, int dy, float opacity) {
    for (int y = 0; y < src.h_; ++y)
        for (int x = 0; x < src.w_; ++x)
            blend(x + dx, y + dy, src.at(x, y), opacity);
}

void Canvas::modulate(const std::function<float(float, float)>& factor) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            Color& c = at(x, y);
            float f = factor(x + 0.5f, y + 0.5f);
            c.r = clamp01(c.r * f), c.g = clamp01(c.g * f), c.b = clamp01(c.b * f);
        }
}

void Canvas::bevel(const Mask& m, float radius, float strength) {
    Mask hgt = blur(m, radius);
    float scale = std::max(1.0f, radius) * strength;
    for (int y = 0; y < h_ && y < m.h; ++y)
        for (int x = 0; x < w_ && x < m.w; ++x) {
            float cov = m.a[static_cast<size_t>(y) * m.w + x];
            if (cov <= 0) continue;
            float gx = hgt.get(x + 1, y) - hgt.get(x - 1, y);
            float gy = hgt.get(x, y + 1) - hgt.get(x, y - 1);
            float light = std::clamp((gx + gy) * 0.7071f * scale, -1.0f, 1.0f);
            Color& c = at(x, y);
            Color s = shade(c, light * 0.85f);
            c.r += (s.r - c.r) * cov, c.g += (s.g - c.g) * cov, c.b += (s.b - c.b) * cov;
        }
}

Mask Canvas::alphaMask() const {
    Mask m(w_, h_);
    for (size_t i = 0; i < px_.size(); ++i)
        m.a[i] = px_[i].a;
    return m;
}

Canvas Canvas::resized(int width, int height) const {
    Canvas out(width, height);
    float sx = static_cast<float>(w_) / out.w_, sy = static_cast<float>(h_) / out.h_;
    for (int y = 0; y < out.h_; ++y)
        for (int x = 0; x < out.w_; ++x) {
            // Area average when shrinking, bilinear when growing; premultiplied.
            float fx0 = x * sx, fy0 = y * sy, fx1 = fx0 + sx, fy1 = fy0 + sy;
            float r = 0, g = 0, b = 0, a = 0, wsum = 0;
            if (sx <= 1 && sy <= 1) {
                float cx = (x + 0.5f) * sx - 0.5f, cy = (y + 0.5f) * sy - 0.5f;
                int ix = static_cast<int>(std::floor(cx)), iy = static_cast<int>(std::floor(cy));
                float tx = cx - ix, ty = cy - iy;
                for (int j = 0; j < 2; ++j)
                    for (int i = 0; i < 2; ++i) {
                        float wgt = (i ? tx : 1 - tx) * (j ? ty : 1 - ty);
                        Color c = get(ix + i, iy + j);
                        r += c.r * c.a * wgt, g += c.g * c.a * wgt, b += c.b * c.a * wgt;
                        a += c.a * wgt, wsum += wgt;
                    }
            } else {
                for (int yy = static_cast<int>(fy0); yy < static_cast<int>(std::ceil(fy1)); ++yy)
                    for (int xx = static_cast<int>(fx0); xx < static_cast<int>(std::ceil(fx1));
                         ++xx) {
                        float wx = std::min<float>(xx + 1, fx1) - std::max<float>(xx, fx0);
                        float wy = std::min<float>(yy + 1, fy1) - std::max<float>(yy, fy0);
                        float wgt = std::max(0.0f, wx) * std::max(0.0f, wy);
                        Color c = get(xx, yy);
                        r += c.r * c.a * wgt, g += c.g * c.a * wgt, b += c.b * c.a * wgt;
                        a += c.a * wgt, wsum += wgt;
                    }
            }
            Color& d = out.at(x, y);
            if (a > 0)
                d = Color{r / a, g / a, b / a, wsum > 0 ? a / wsum : 0};
            else
                d = TRANSPARENT;
        }
    return out;
}

Canvas Canvas::flippedH() const {
    Canvas out(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            out.at(x, y) = at(w_ - 1 - x, y);
    return out;
}

Canvas Canvas::flippedV() const {
    Canvas out(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            out.at(x, y) = at(x, h_ - 1 - y);
    return out;
}

Canvas Canvas::crop(int x, int y, int width, int height) const {
    Canvas out(width, height);
    for (int j = 0; j < out.h_; ++j)
        for (int i = 0; i < out.w_; ++i)
            out.at(i, j) = get(x + i, y + j);
    return out;
}

unsigned Rng::next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return s_;
}

float Rng::uniform() {
    return (next() >> 8) * (1.0f / 16777216.0f);
}
