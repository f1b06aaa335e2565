// Implementation of the background pieces.
#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

#include "art/art_bg.h"
#include "art/art_ui_scene.h"

namespace {

constexpr float pi = 3.14159265f;

// A table of one value per column, read with linear interpolation.
Profile table_profile(std::vector<float> values) {
    auto table = std::make_shared<const std::vector<float>>(std::move(values));
    return [table](float x) {
        const std::vector<float>& t = *table;
        float p = std::clamp(x - 0.5f, 0.0f, static_cast<float>(t.size() - 1));
        size_t i = std::min(static_cast<size_t>(p), t.size() - 2);
        float f = p - static_cast<float>(i);
        return t[i] + (t[i + 1] - t[i]) * f;
    };
}

}  // namespace

Profile seamless(const Profile& f, int width, float margin) {
    float w = static_cast<float>(width);
    std::vector<float> values(static_cast<size_t>(width) + 1);
    for (int i = 0; i <= width; ++i) {
        float x = i + 0.5f;
        float left = 0.5f * (1 - smoothstep(0, margin, x));
        float right = 0.5f * (1 - smoothstep(0, margin, w - x));
        values[i] = f(x) * (1 - left - right) + f(-x) * left + f(2 * w - x) * right;
    }
    return table_profile(std::move(values));
}

Profile rolling(float base, float amp, float period, uint32_t seed) {
    return [=](float x) { return base - amp * noise1(x / period, seed, 4); };
}

void paint_land(Canvas& cv, const Profile& top, Color edge, Color deep, float depth, uint32_t seed,
                float grain, float amount) {
    paint_ridge(cv, {top, [=](float x, float y, float d) {
                         Color c = mix(edge, deep, smoothstep(0, depth, d));
                         return shade(
                             c, (fractal_noise(x / grain, y / grain, seed, 3) - 0.5f) * 2 * amount);
                     }});
}

void paint_mountains(Canvas& cv, const Profile& top, const MountainStyle& st, uint32_t seed) {
    std::vector<float> tops(static_cast<size_t>(cv.w) + 2);
    for (int i = 0; i < cv.w + 2; ++i) tops[i] = top(i - 0.5f);
    std::vector<float> broad = tops, mid = tops;
    blur_field(broad, static_cast<int>(broad.size()), 1, 18);
    blur_field(mid, static_cast<int>(mid.size()), 1, 4);
    auto slope = [](const std::vector<float>& v, float x) {
        int n = static_cast<int>(v.size());
        int i = std::clamp(static_cast<int>(x + 1), 1, n - 2);
        return (v[i + 1] - v[i - 1]) / 2;
    };
    // Faces turned up-left catch the light: the divide between lit and shaded faces runs down
    // from each peak, leaning right for the big peaks and left for the small spurs.
    paint_ridge(cv, {top, [&](float x, float y, float d) {
                         float main = 1 - smoothstep(-0.12f, 0.12f, slope(broad, x - d * 0.35f));
                         float spur = 1 - smoothstep(-0.2f, 0.2f, slope(mid, x + d * 0.5f));
                         float edge = 1 - smoothstep(-0.3f, 0.3f, slope(tops, x));
                         float lit = main + (spur - main) * 0.3f;
                         lit += (edge - lit) * 0.5f * (1 - smoothstep(0, 25, d));
                         float grain = fractal_noise(x / 30, y / 50, seed, 3);
                         float jag = (noise1(x / 35, seed + 2, 3) - 0.5f) * 70 + grain * 25;
                         float snow = 1 - smoothstep(-2, 2, y - (st.snowline + jag));
                         Color rock = mix(st.rock_shadow, st.rock_lit, lit);
                         Color ice = mix(st.snow_shadow, st.snow_lit, lit);
                         Color c = shade(mix(rock, ice, snow), (grain - 0.5f) * 0.1f);
                         return mix(c, st.haze, smoothstep(0, st.haze_depth, d) * 0.85f);
                     }});
}

void draw_pine(Canvas& cv, float x, float y, float height, Color needles, bool snowy, Color rim,
               uint32_t seed) {
    Pen pen{x, y, height / 100};
    float edge = std::max(1.2f, pen.s * 2.2f);
    sticker(cv, pen.box(-5, -14, 5, 0, 1), hex(0x7A4B2C), edge, rim);
    Rng rng(seed);
    for (int i = 0; i < 4; ++i) {
        float base = -10 - i * 20.0f, half = 34 - i * 7.5f, peak = base - 34, droop = 7;
        Shape tier = grown(pen.poly({{-half, base},
                                     {-half * 0.55f, base - droop},
                                     {0, base - droop * 0.4f},
                                     {half * 0.55f, base - droop},
                                     {half, base},
                                     {0, peak}}),
                           1.5f * pen.s);
        Shader tone = noisy(pen.radial(-half * 0.6f, peak + 8, half * 2.4f, shade(needles, 0.25f),
                                       shade(needles, -0.3f)),
                            seed + i, 6 * pen.s, 0.06f);
        sticker(cv, tier, tone, edge, rim);
        if (!snowy) continue;
        float line = peak + (base - peak) * rng.range(0.38f, 0.5f);
        Sdf wavy = [=](float px, float py) {
            float wave = std::sin((px - x) / (pen.s * 4.5f) + i) * pen.s * 2.5f;
            return py - (pen.y(line) + wave);
        };
        fill(cv, clip(tier, {wavy, tier.box}), pen.vgrad(peak, hex(0xFFFFFF), line, hex(0xDCE9F7)));
        for (float side : {-1.0f, 1.0f})
            fill(cv, pen.ellipse(side * half * 0.82f, base - 3, 5, 2.6f), hex(0xF4FAFF));
    }
}

void draw_stars(Canvas& cv, float floor, int count, uint32_t seed) {
    Rng rng(seed);
    Pen pen;
    for (int i = 0; i < count; ++i) {
        float x = rng.range(0, static_cast<float>(cv.w)), y = rng.range(0, floor);
        float fade = 1 - smoothstep(floor * 0.45f, floor, y);
        float bright = rng.range(0.35f, 1.0f) * fade;
        Color tint =
            mix(pal::white, rng.uniform() < 0.5f ? pal::ice : hex(0xFFF3C4), rng.uniform() * 0.6f);
        if (rng.uniform() < 0.06f) {
            draw_sparkle(cv, x, y, rng.range(5, 10), with_alpha(tint, bright));
        } else {
            float r = rng.range(0.7f, 1.8f);
            fill(cv, pen.circle(x, y, r * 2.5f),
                 radial(x, y, r * 2.5f, with_alpha(tint, 0.25f * bright), with_alpha(tint, 0)));
            fill(cv, pen.circle(x, y, r), with_alpha(tint, bright));
        }
    }
}

void draw_moon(Canvas& cv, float cx, float cy, float r) {
    Pen pen;
    Color glow = hex(0xFFF3C4);
    fill(cv, pen.circle(cx, cy, r * 4),
         radial(cx, cy, r * 4, with_alpha(glow, 0.28f), with_alpha(glow, 0)));
    fill(cv, pen.circle(cx, cy, r * 1.6f),
         radial(cx, cy, r * 1.6f, with_alpha(glow, 0.35f), with_alpha(glow, 0)));
    Shape disc = pen.circle(cx, cy, r);
    fill(cv, disc, radial(cx - r * 0.35f, cy - r * 0.4f, r * 1.6f, hex(0xFFFDF2), hex(0xF2DFA6)));
    const float craters[][3] = {{-0.3f, -0.2f, 0.22f},
                                {0.3f, 0.25f, 0.16f},
                                {0.1f, -0.45f, 0.1f},
                                {-0.15f, 0.45f, 0.12f},
                                {0.45f, -0.15f, 0.09f}};
    for (const auto& c : craters)
        fill(cv, clip(pen.circle(cx + c[0] * r, cy + c[1] * r, c[2] * r), disc),
             with_alpha(hex(0xD9C48A), 0.45f));
}

void draw_castle(Canvas& cv, float cx, float ground, float height, Color stone) {
    Pen pen{cx, ground, height / 100};
    Shape body = unite(pen.box(-60, -34, 60, 2), pen.box(-22, -68, 22, 2));
    for (float tx : {-53.0f, 53.0f}) body = unite(body, pen.box(tx - 9, -60, tx + 9, 2));
    body = unite(body, pen.box(-9, -92, 9, -60));
    for (float bx = -58; bx <= 50; bx += 10) body = unite(body, pen.box(bx, -39, bx + 5, -33));
    for (float bx = -21; bx <= 16; bx += 9) body = unite(body, pen.box(bx, -73, bx + 5, -67));
    for (auto [tx, top, half] :
         {std::tuple{-53.0f, -60.0f, 12.0f}, {53.0f, -60.0f, 12.0f}, {0.0f, -92.0f, 12.0f}})
        body = unite(body, pen.poly({{tx - half, top}, {tx + half, top}, {tx, top - 24}}));
    sticker(cv, body, pen.vgrad(-116, shade(stone, 0.18f), 0, shade(stone, -0.2f)),
            std::max(1.2f, pen.s * 1.2f), shade(stone, -0.5f));
    fill(cv, pen.capsule(0, -116, 0, -126, 0.7f), shade(stone, -0.3f));
    fill(cv, pen.poly({{0, -126}, {11, -122.5f}, {0, -119}}), shade(pal::red, -0.15f));
    Color lamp = hex(0xFFD27A);
    const float windows[][2] = {{-12, -56}, {0, -56},   {12, -56}, {-53, -46}, {53, -46},
                                {0, -82},   {-35, -20}, {35, -20}, {-8, -24}};
    for (const auto& w : windows) {
        fill(cv, pen.circle(w[0], w[1], 7),
             pen.radial(w[0], w[1], 7, with_alpha(lamp, 0.45f), with_alpha(lamp, 0)));
        fill(cv, pen.box(w[0] - 2, w[1] - 3, w[0] + 2, w[1] + 3, 2), lamp);
    }
    fill(cv, pen.box(-6, -14, 6, 2, 6), shade(stone, -0.45f));
}

void draw_cottage(Canvas& cv, float x, float y, float size, uint32_t seed) {
    Pen pen{x, y, size / 100};
    float edge = std::max(1.2f, pen.s * 3);
    Rng rng(seed);
    Color wall = mix(hex(0xF3E3C3), hex(0xE8D2B0), rng.uniform());
    Color roof = rng.uniform() < 0.6f ? pal::red : hex(0x3A6FD8);
    sticker(cv, pen.box(62, -96, 76, -50), shade(pal::stone, -0.1f), edge);
    sticker(cv, pen.box(8, -56, 92, 0), pen.vgrad(-56, shade(wall, 0.1f), 0, shade(wall, -0.15f)),
            edge);
    sticker(cv, grown(pen.poly({{-4, -52}, {104, -52}, {50, -100}}), 2 * pen.s),
            pen.vgrad(-100, shade(roof, 0.2f), -52, shade(roof, -0.25f)), edge);
    sticker(cv, pen.box(22, -36, 42, 0, 3), shade(pal::wood, -0.1f), edge);
    sticker(cv, pen.box(56, -40, 80, -18, 2), hex(0xFFE08A), edge);
    fill(cv, pen.box(67.5f, -40, 68.5f, -18), shade(pal::wood, -0.4f));
}
