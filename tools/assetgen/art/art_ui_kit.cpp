// Implementation of the interface and background drawing kit.
#include "art/art_ui_kit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

Bounds merge(const Bounds& a, const Bounds& b) {
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Bounds overlap(const Bounds& a, const Bounds& b) {
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

// The pixels a shape can touch: its bounds and one pixel around them for the soft edge.
Box pixels(const Bounds& b) {
    return {static_cast<int>(std::floor(b.x0)) - 1, static_cast<int>(std::floor(b.y0)) - 1,
            static_cast<int>(std::ceil(b.x1)) + 1, static_cast<int>(std::ceil(b.y1)) + 1};
}

// Squared distance transform of one line (Felzenszwalb and Huttenlocher's lower envelope).
void edt_line(const std::vector<float>& f, std::vector<float>& out, int n) {
    std::vector<int> v(n);
    std::vector<float> z(n + 1);
    int k = 0;
    v[0] = 0;
    z[0] = -std::numeric_limits<float>::infinity();
    z[1] = std::numeric_limits<float>::infinity();
    for (int q = 1; q < n; ++q) {
        float s = 0;
        while (true) {
            int p = v[k];
            s = ((f[q] + q * q) - (f[p] + p * p)) / (2.0f * (q - p));
            if (s > z[k] || k == 0) break;
            --k;
        }
        if (s <= z[k]) s = z[k];
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = std::numeric_limits<float>::infinity();
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < q) ++k;
        float d = static_cast<float>(q - v[k]);
        out[q] = d * d + f[v[k]];
    }
}

}  // namespace

Color over(Color top, Color under) {
    float a = top.a + under.a * (1 - top.a);
    if (a <= 0) return {0, 0, 0, 0};
    auto ch = [&](float t, float u) { return (t * top.a + u * under.a * (1 - top.a)) / a; };
    return {ch(top.r, under.r), ch(top.g, under.g), ch(top.b, under.b), a};
}

Shape unite(const Shape& a, const Shape& b) {
    return {sdf_union(a.sdf, b.sdf), merge(a.box, b.box)};
}
Shape cut(const Shape& a, const Shape& b) { return {sdf_subtract(a.sdf, b.sdf), a.box}; }
Shape clip(const Shape& a, const Shape& b) {
    return {sdf_intersect(a.sdf, b.sdf), overlap(a.box, b.box)};
}

Shape grown(const Shape& s, float amount) {
    Sdf f = s.sdf;
    return {[f, amount](float x, float y) { return f(x, y) - amount; },
            {s.box.x0 - amount, s.box.y0 - amount, s.box.x1 + amount, s.box.y1 + amount}};
}

void fill(Canvas& cv, const Shape& s, const Shader& color) {
    fill(cv, s.sdf, color, pixels(s.box));
}

void fill(Canvas& cv, const Shape& s, Color color) { fill(cv, s.sdf, color, pixels(s.box)); }

void sticker(Canvas& cv, const Shape& s, const Shader& color, float edge, Color rim) {
    fill(cv, grown(s, edge), rim);
    fill(cv, s, color);
}

void bevel_in(Canvas& cv, const Shape& s, float size, float light, float dark) {
    int x0 = std::max(0, static_cast<int>(std::floor(s.box.x0)));
    int y0 = std::max(0, static_cast<int>(std::floor(s.box.y0)));
    int x1 = std::min(cv.w, static_cast<int>(std::ceil(s.box.x1)) + 1);
    int y1 = std::min(cv.h, static_cast<int>(std::ceil(s.box.y1)) + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f, d = s.sdf(fx, fy);
            if (d > 0 || d < -size) continue;
            float gx = s.sdf(fx + 1, fy) - s.sdf(fx - 1, fy);
            float gy = s.sdf(fx, fy + 1) - s.sdf(fx, fy - 1);
            float len = std::hypot(gx, gy);
            if (len < 1e-6f) continue;
            float facing = (-gx - gy) / (len * 1.41421356f), e = 1 + d / size;
            Color& c = cv.at(x, y);
            float a = c.a;
            c = shade(c, facing > 0 ? facing * light * e : facing * dark * e);
            c.a = a;
        }
    }
}

void sticker(Canvas& cv, const Shape& s, Color color, float edge, Color rim) {
    sticker(cv, s, solid(color), edge, rim);
}

Shape Pen::circle(float cx, float cy, float r) const {
    float px = x(cx), py = y(cy), pr = s * r;
    return {sdf_circle(px, py, pr), {px - pr, py - pr, px + pr, py + pr}};
}

Shape Pen::ellipse(float cx, float cy, float rx, float ry) const {
    float px = x(cx), py = y(cy), prx = s * rx, pry = s * ry;
    return {sdf_ellipse(px, py, prx, pry), {px - prx, py - pry, px + prx, py + pry}};
}

Shape Pen::box(float x0, float y0, float x1, float y1, float r) const {
    float a = std::min(x(x0), x(x1)), b = std::max(x(x0), x(x1));
    return {sdf_box(a, y(y0), b, y(y1), s * r), {a, y(y0), b, y(y1)}};
}

Shape Pen::capsule(float ax, float ay, float bx, float by, float r) const {
    float pax = x(ax), pay = y(ay), pbx = x(bx), pby = y(by), pr = s * r;
    return {sdf_capsule(pax, pay, pbx, pby, pr),
            {std::min(pax, pbx) - pr, std::min(pay, pby) - pr, std::max(pax, pbx) + pr,
             std::max(pay, pby) + pr}};
}

Shape Pen::poly(const std::vector<std::pair<float, float>>& pts) const {
    std::vector<std::pair<float, float>> placed;
    Bounds b{1e30f, 1e30f, -1e30f, -1e30f};
    for (auto [px, py] : pts) {
        placed.emplace_back(x(px), y(py));
        b = merge(b, {x(px), y(py), x(px), y(py)});
    }
    return {sdf_polygon(std::move(placed)), b};
}

Shader Pen::vgrad(float y0, Color top, float y1, Color bottom) const {
    return vgradient(y(y0), top, y(y1), bottom);
}

Shader Pen::radial(float cx, float cy, float r, Color inner, Color outer) const {
    return ::radial(x(cx), y(cy), s * r, inner, outer);
}

std::vector<float> distance_field(const Canvas& cv, float threshold, bool inverse) {
    const float far = 1e12f;
    size_t n = static_cast<size_t>(cv.w) * cv.h;
    std::vector<float> d(n);
    for (size_t i = 0; i < n; ++i) d[i] = ((cv.px[i].a >= threshold) != inverse) ? 0 : far;
    int longest = std::max(cv.w, cv.h);
    std::vector<float> line(longest), out(longest);
    for (int x = 0; x < cv.w; ++x) {
        for (int y = 0; y < cv.h; ++y) line[y] = d[static_cast<size_t>(y) * cv.w + x];
        edt_line(line, out, cv.h);
        for (int y = 0; y < cv.h; ++y) d[static_cast<size_t>(y) * cv.w + x] = out[y];
    }
    for (int y = 0; y < cv.h; ++y) {
        float* row = &d[static_cast<size_t>(y) * cv.w];
        std::copy(row, row + cv.w, line.begin());
        edt_line(line, out, cv.w);
        for (int x = 0; x < cv.w; ++x) row[x] = std::sqrt(out[x]);
    }
    return d;
}

namespace {

// Box blur of `n` values `stride` apart, in place.
void blur_line(float* f, int n, int stride, int radius, std::vector<float>& tmp) {
    tmp.assign(n + 1, 0);
    for (int i = 0; i < n; ++i) tmp[i + 1] = tmp[i] + f[static_cast<size_t>(i) * stride];
    for (int i = 0; i < n; ++i) {
        int a = std::max(0, i - radius), b = std::min(n, i + radius + 1);
        f[static_cast<size_t>(i) * stride] = (tmp[b] - tmp[a]) / (b - a);
    }
}

}  // namespace

Canvas cropped(const Canvas& cv, int margin) {
    int x0 = cv.w, y0 = cv.h, x1 = -1, y1 = -1;
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x)
            if (cv.at(x, y).a > 0.004f) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (x1 < 0) return Canvas(1, 1);
    Canvas out(x1 - x0 + 1 + 2 * margin, y1 - y0 + 1 + 2 * margin);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) out.at(x - x0 + margin, y - y0 + margin) = cv.at(x, y);
    return out;
}

void blur_field(std::vector<float>& f, int w, int h, int radius) {
    std::vector<float> tmp;
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < h; ++y) blur_line(&f[static_cast<size_t>(y) * w], w, 1, radius, tmp);
        for (int x = 0; x < w; ++x) blur_line(&f[x], h, w, radius, tmp);
    }
}

void tint(Canvas& cv, Color color, float amount) {
    for (Color& c : cv.px)
        if (c.a > 0) c = with_alpha(mix(c, color, amount), c.a);
}

void thick_outline(Canvas& cv, float width, Color color) {
    std::vector<float> d = distance_field(cv);
    for (size_t i = 0; i < cv.px.size(); ++i) {
        float reach = std::clamp(width + 0.5f - d[i], 0.0f, 1.0f);
        if (reach <= 0) continue;
        cv.px[i] = over(cv.px[i], with_alpha(color, color.a * reach));
    }
}

void drop_shadow(Canvas& cv, float dx, float dy, float blur, Color color) {
    std::vector<float> d = distance_field(cv, 0.5f);
    Canvas out(cv.w, cv.h);
    int ox = static_cast<int>(std::lround(dx)), oy = static_cast<int>(std::lround(dy));
    for (int y = 0; y < cv.h; ++y) {
        for (int x = 0; x < cv.w; ++x) {
            int sx = x - ox, sy = y - oy;
            if (!cv.inside(sx, sy)) continue;
            float dist = d[static_cast<size_t>(sy) * cv.w + sx];
            float a = 1 - smoothstep(0, blur, dist);
            out.at(x, y) = with_alpha(color, color.a * a);
        }
    }
    for (size_t i = 0; i < cv.px.size(); ++i) cv.px[i] = over(cv.px[i], out.px[i]);
}

void paint_ridge(Canvas& cv, const Ridge& ridge) {
    for (int x = 0; x < cv.w; ++x) {
        float fx = x + 0.5f;
        float t = ridge.top(fx);
        float slope = (ridge.top(fx + 1) - ridge.top(fx - 1)) / 2;
        float norm = 1 / std::sqrt(1 + slope * slope);
        int start = std::max(0, static_cast<int>(std::floor(t - std::fabs(slope) - 1)));
        for (int y = start; y < cv.h; ++y) {
            float depth = y + 0.5f - t;
            float cover = std::clamp(0.5f + depth * norm, 0.0f, 1.0f);
            if (cover > 0) blend(cv, x, y, ridge.color(fx, y + 0.5f, depth), cover);
        }
    }
}

float noise1(float x, uint32_t seed, int octaves) { return fractal_noise(x, 0.5f, seed, octaves); }

float smoothstep(float e0, float e1, float v) {
    float t = std::clamp((v - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

Color stop_color(const std::vector<std::pair<float, Color>>& stops, float t) {
    if (t <= stops.front().first) return stops.front().second;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].first) {
            auto [t0, c0] = stops[i - 1];
            auto [t1, c1] = stops[i];
            return mix(c0, c1, smoothstep(t0, t1, t));
        }
    }
    return stops.back().second;
}

void paint_vstops(Canvas& cv, const std::vector<std::pair<float, Color>>& stops) {
    for (int y = 0; y < cv.h; ++y) {
        Color c = stop_color(stops, (y + 0.5f) / cv.h);
        std::fill(cv.px.begin() + static_cast<std::ptrdiff_t>(y) * cv.w,
                  cv.px.begin() + static_cast<std::ptrdiff_t>(y + 1) * cv.w, c);
    }
}
