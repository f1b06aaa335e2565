// Drawing helpers shared by the game's tiles and sprites.
#include "art/art_tiles_util.h"

#include <algorithm>
#include <cmath>

namespace tiles {

namespace {

Theme base_theme() {
    Theme t;
    t.name = "base";
    t.seed = 11;
    t.top = pal::grass;
    t.earth = pal::earth;
    t.stone = pal::stone;
    t.brick = hex(0xC4643C);
    t.wood = pal::wood;
    t.metal = hex(0xB4BFCB);
    t.ice = pal::ice;
    t.sand = hex(0xF0CF85);
    t.dark_earth = hex(0x7C5034);
    t.moss = hex(0x5FB040);
    t.pipe = hex(0x4CB848);
    t.roof = pal::red;
    t.leaf = hex(0x5DB541);
    t.trunk = hex(0x8E5B37);
    t.glow = pal::gold;
    t.creature = hex(0xD8473A);
    return t;
}

Theme snow_theme() {
    Theme t;
    t.name = "neige";
    t.seed = 23;
    t.snow = true;
    t.top = hex(0xF2F8FF);
    t.earth = hex(0x9A7F78);
    t.stone = hex(0xA3B4C8);
    t.brick = hex(0x7F97C2);
    t.wood = hex(0xB98B63);
    t.metal = hex(0xBCCDE2);
    t.ice = pal::ice;
    t.sand = hex(0xE6E2D8);
    t.dark_earth = hex(0x6C5A62);
    t.moss = hex(0xE8F6FF);
    t.pipe = pal::blue;
    t.roof = hex(0x5878B8);
    t.leaf = hex(0x3F8262);
    t.trunk = hex(0x7A5442);
    t.glow = pal::gold;
    t.creature = hex(0x4A9BE8);
    return t;
}

Theme night_theme() {
    Theme t;
    t.name = "nuit";
    t.seed = 37;
    t.night = true;
    t.top = hex(0x3E8C72);
    t.earth = hex(0x634B6E);
    t.stone = hex(0x676A96);
    t.brick = hex(0x7A5C98);
    t.wood = hex(0x946246);
    t.metal = hex(0x8C95B8);
    t.ice = hex(0x86B4EC);
    t.sand = hex(0xB09A7A);
    t.dark_earth = hex(0x3F3252);
    t.moss = hex(0x4FA080);
    t.pipe = hex(0x7446D0);
    t.roof = hex(0x4E4282);
    t.leaf = hex(0x2F6466);
    t.trunk = hex(0x4E3A4C);
    t.glow = hex(0xFFC05A);
    t.creature = hex(0x9A4FE0);
    return t;
}

}  // namespace

const std::vector<Theme>& themes() {
    static const std::vector<Theme> all = {base_theme(), snow_theme(), night_theme()};
    return all;
}

float smoothstep(float e0, float e1, float v) {
    float t = std::clamp((v - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

float tile_noise(float x, float y, uint32_t seed, int cell, int size) {
    int period = std::max(1, size / cell);
    float fx = std::fmod(x + size * 4.0f, static_cast<float>(size));
    float fy = std::fmod(y + size * 4.0f, static_cast<float>(size));
    return fractal_noise(fx / cell, fy / cell, seed, 3, period);
}

Shader tile_noisy(Shader base, uint32_t seed, int cell, float amount, int size) {
    return [=](float x, float y) {
        Color c = base(x, y);
        Color out = shade(c, (tile_noise(x, y, seed, cell, size) * 2 - 1) * amount);
        out.a = c.a;
        return out;
    };
}

Shader lit(Color c, float y0, float y1, uint32_t seed, float grain) {
    return noisy(vgradient(y0, shade(c, 0.22f), y1, shade(c, -0.22f)), seed, 3.0f, grain);
}

Color masonry_px(Color stone, const Masonry& m, float x, float y) {
    float dx = x - m.cx, dy = y - m.cy;
    float seam;
    int id;
    if (dy < 0) {
        float a = std::atan2(-dy, dx) / kPi * static_cast<float>(m.wedges);
        float frac = a - std::floor(a);
        seam = std::min(frac, 1 - frac) * std::hypot(dx, dy) * kPi / static_cast<float>(m.wedges);
        id = static_cast<int>(std::floor(a));
    } else {
        float row = dy / m.course;
        float frac = row - std::floor(row);
        seam = std::min(frac, 1 - frac) * m.course;
        id = 100 + static_cast<int>(row) * 2 + (dx > 0 ? 1 : 0);
    }
    Rng r(m.seed * 31ull + static_cast<uint64_t>(id));
    Color c = shade(stone, r.range(-0.1f, 0.1f));
    c = shade(c, (value_noise(x * 0.3f, y * 0.3f, m.seed + 1) - 0.5f) * 0.2f);
    return mix(shade(stone, -0.45f), c, std::clamp(seam - 0.7f, 0.0f, 1.0f));
}

Sdf sdf_star(float cx, float cy, float outer, float inner, int points, float turn) {
    std::vector<std::pair<float, float>> pts;
    for (int i = 0; i < points * 2; ++i) {
        float a = turn + static_cast<float>(i) * kPi / points;
        float r = i % 2 == 0 ? outer : inner;
        pts.emplace_back(cx + std::sin(a) * r, cy - std::cos(a) * r);
    }
    return sdf_polygon(pts);
}

Sdf sdf_path(const std::vector<std::pair<float, float>>& pts, float r) {
    return [pts, r](float x, float y) {
        float d = 1e30f;
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            auto [ax, ay] = pts[i];
            auto [bx, by] = pts[i + 1];
            float pax = x - ax, pay = y - ay, bax = bx - ax, bay = by - ay;
            float len2 = bax * bax + bay * bay;
            float t = len2 > 0 ? std::clamp((pax * bax + pay * bay) / len2, 0.0f, 1.0f) : 0.0f;
            d = std::min(d, std::hypot(pax - bax * t, pay - bay * t));
        }
        return d - r;
    };
}

void ink(Canvas& cv) { outline(cv, 2.0f, pal::outline); }

void danger_rim(Canvas& cv) { outline(cv, 2.0f, with_alpha(hex(0xFFF1C9), 0.9f)); }

void glow(Canvas& cv, float cx, float cy, float r, Color c, float strength) {
    Box b = around(cx, cy, r);
    for (int y = std::max(b.y0, 0); y < std::min(b.y1, cv.h); ++y) {
        for (int x = std::max(b.x0, 0); x < std::min(b.x1, cv.w); ++x) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
            if (d >= 1) continue;
            float k = (1 - d) * (1 - d) * strength;
            blend(cv, x, y, with_alpha(c, std::min(k, 1.0f)));
        }
    }
}

void tint_where(Canvas& cv, const std::function<float(float x, float y)>& amount, Color toward) {
    for (int y = 0; y < cv.h; ++y) {
        for (int x = 0; x < cv.w; ++x) {
            Color& c = cv.at(x, y);
            if (c.a <= 0) continue;
            float k = std::clamp(amount(x + 0.5f, y + 0.5f), 0.0f, 1.0f);
            if (k <= 0) continue;
            float a = c.a;
            c = mix(c, toward, k);
            c.a = a;
        }
    }
}

namespace {

// The visible pixels' bounding box of a canvas.
Box visible_box(const Canvas& cv) {
    Box b{cv.w, cv.h, 0, 0};
    for (int y = 0; y < cv.h; ++y) {
        for (int x = 0; x < cv.w; ++x) {
            if (cv.at(x, y).a < 0.05f) continue;
            b.x0 = std::min(b.x0, x);
            b.y0 = std::min(b.y0, y);
            b.x1 = std::max(b.x1, x + 1);
            b.y1 = std::max(b.y1, y + 1);
        }
    }
    if (b.x1 <= b.x0) return {0, 0, cv.w, cv.h};
    return b;
}

}  // namespace

Canvas glyph(const std::string& text, int size, Color color) {
    Canvas t = text_canvas(display_font_path(), size, text, color);
    if (t.w == 0) return t;
    Box b = visible_box(t);
    Canvas out(b.x1 - b.x0 + 6, b.y1 - b.y0 + 6);
    draw_canvas(out, t, static_cast<float>(3 - b.x0), static_cast<float>(3 - b.y0));
    ink(out);
    return out;
}

void draw_centred(Canvas& dst, const Canvas& src, float cx, float cy) {
    Box b = visible_box(src);
    float x = std::round(cx - (b.x0 + b.x1) / 2.0f), y = std::round(cy - (b.y0 + b.y1) / 2.0f);
    draw_canvas(dst, src, x, y);
}

void Writer::put(const Canvas& cv, const std::string& rel) {
    ok = save_png(cv, root + "/" + rel) && ok;
}

}  // namespace tiles
