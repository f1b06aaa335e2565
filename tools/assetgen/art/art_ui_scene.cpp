// The level pieces, trees, gears, clouds and the logo that the interface pictures are made of.
#include "art/art_ui_scene.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float pi = 3.14159265f;

// A shape from any distance function, inside the given bounds.
Shape custom(Sdf f, Bounds b) { return {std::move(f), b}; }

void block_grass_top(Canvas& cv, const Shape& body, float x, float y, float size, uint32_t seed) {
    float edge = size * 0.3f;
    Sdf wave = [=](float px, float py) {
        float bump = std::sin((px - x) / size * 2 * pi * 2.5f + seed) * size * 0.045f;
        return py - (y + edge + bump);
    };
    Shape turf = clip(body, custom(wave, {x, y, x + size, y + edge + size * 0.06f}));
    fill(cv, turf,
         noisy(vgradient(y, shade(pal::grass, 0.3f), y + edge, shade(pal::grass, -0.1f)), seed,
               size * 0.12f, 0.08f));
    Sdf lip = [=](float px, float py) { return std::fabs(wave(px, py)) - size * 0.025f; };
    fill(cv, clip(body, custom(lip, turf.box)), shade(pal::grass, -0.35f));
    fill(
        cv,
        clip(body, custom([=](float,
                              float py) { return std::fabs(py - y - size * 0.07f) - size * 0.02f; },
                          {x, y, x + size, y + size * 0.12f})),
        with_alpha(pal::white, 0.35f));
}

void block_pebbles(Canvas& cv, float x, float y, float size, uint32_t seed, float from) {
    Rng rng(seed);
    for (int i = 0; i < 4; ++i) {
        float px = x + rng.range(0.15f, 0.85f) * size, py = y + rng.range(from, 0.88f) * size;
        float r = size * rng.range(0.04f, 0.07f);
        Pen pen;
        fill(cv, pen.ellipse(px, py, r * 1.3f, r), shade(pal::earth, -0.28f));
        fill(cv, pen.ellipse(px - r * 0.3f, py - r * 0.3f, r * 0.6f, r * 0.4f),
             shade(pal::earth, 0.15f));
    }
}

void block_bricks(Canvas& cv, const Shape& body, float x, float y, float size) {
    Color mortar = shade(pal::earth, -0.35f);
    float row = size / 3;
    for (int r = 0; r < 3; ++r) {
        float yy = y + r * row;
        fill(cv,
             clip(body, Pen{}.box(x, yy + row - size * 0.03f, x + size, yy + row + size * 0.03f)),
             mortar);
        for (float bx = (r % 2 ? size / 4 : size / 2); bx < size; bx += size / 2)
            fill(cv, Pen{}.box(x + bx - size * 0.03f, yy, x + bx + size * 0.03f, yy + row), mortar);
    }
}

void block_question(Canvas& cv, float x, float y, float size) {
    Canvas mark = text_canvas(display_font_path(), static_cast<int>(size * 0.62f), "?", pal::white);
    Canvas framed(mark.w + 8, mark.h + 8);
    draw_canvas(framed, mark, 4, 4);
    thick_outline(framed, std::max(1.5f, size * 0.04f), pal::outline);
    draw_canvas(cv, framed, std::floor(x + (size - framed.w) / 2),
                std::floor(y + (size - framed.h) / 2 + size * 0.02f));
    for (auto [cx, cy] : {std::pair{0.14f, 0.14f}, {0.86f, 0.14f}, {0.14f, 0.86f}, {0.86f, 0.86f}})
        fill(cv, Pen{}.circle(x + cx * size, y + cy * size, size * 0.045f),
             shade(pal::gold, -0.4f));
}

void block_crate(Canvas& cv, const Shape& body, float x, float y, float size) {
    Color dark = shade(pal::wood, -0.4f);
    float b = size * 0.14f;
    Pen pen;
    fill(cv, clip(body, pen.capsule(x + b, y + size - b, x + size - b, y + b, size * 0.06f)), dark);
    for (float yy : {y + b * 0.5f, y + size - b * 1.5f})
        fill(cv, clip(body, pen.box(x, yy, x + size, yy + b)), shade(pal::wood, -0.15f));
}

Color block_color(Block kind) {
    switch (kind) {
        case Block::grass:
        case Block::earth:
            return pal::earth;
        case Block::brick:
            return hex(0xC8643C);
        case Block::question:
            return pal::gold;
        case Block::stone:
            return pal::stone;
        case Block::crate:
            return pal::wood;
    }
    return pal::earth;
}

}  // namespace

void draw_block(Canvas& cv, float x, float y, float size, Block kind, uint32_t seed) {
    Pen pen;
    Shape body = pen.box(x, y, x + size, y + size, size * 0.08f);
    Color base = block_color(kind);
    Shader surface = noisy(vgradient(y, shade(base, 0.18f), y + size, shade(base, -0.18f)), seed,
                           size * 0.15f, 0.09f);
    sticker(cv, body, surface, std::max(1.5f, size * 0.045f));
    bevel_in(cv, body, size * 0.08f, 0.35f, 0.3f);
    switch (kind) {
        case Block::grass:
            block_pebbles(cv, x, y, size, seed, 0.45f);
            block_grass_top(cv, body, x, y, size, seed);
            break;
        case Block::earth:
            block_pebbles(cv, x, y, size, seed, 0.15f);
            break;
        case Block::brick:
            block_bricks(cv, body, x, y, size);
            break;
        case Block::question:
            block_question(cv, x, y, size);
            break;
        case Block::stone:
            fill(cv,
                 pen.capsule(x + size * 0.3f, y + size * 0.2f, x + size * 0.45f, y + size * 0.5f,
                             size * 0.015f),
                 shade(pal::stone, -0.4f));
            break;
        case Block::crate:
            block_crate(cv, body, x, y, size);
            break;
    }
}

void draw_coin(Canvas& cv, float cx, float cy, float r, float width) {
    Pen pen;
    float rx = std::max(r * width, r * 0.12f);
    Shape face = pen.ellipse(cx, cy, rx, r);
    sticker(cv, face,
            radial(cx - rx * 0.4f, cy - r * 0.5f, r * 1.7f, shade(pal::gold, 0.45f),
                   shade(pal::gold, -0.25f)),
            std::max(1.5f, r * 0.12f));
    fill(cv,
         cut(pen.ellipse(cx, cy, rx * 0.72f, r * 0.72f), pen.ellipse(cx, cy, rx * 0.6f, r * 0.6f)),
         shade(pal::gold, -0.3f));
    fill(cv,
         pen.capsule(cx - rx * 0.15f, cy - r * 0.35f, cx - rx * 0.15f, cy + r * 0.35f,
                     std::max(0.8f, rx * 0.13f)),
         shade(pal::gold, -0.28f));
    fill(cv, pen.ellipse(cx - rx * 0.45f, cy - r * 0.45f, rx * 0.18f, r * 0.25f),
         with_alpha(pal::white, 0.8f));
}

void draw_portal(Canvas& cv, float cx, float cy, float r) {
    Shape disc = Pen{}.circle(cx, cy, r * 1.25f);
    fill(cv, disc, [=](float x, float y) {
        float dx = x - cx, dy = y - cy, d = std::hypot(dx, dy) / r;
        float a = std::atan2(dy, dx);
        float swirl = 0.5f + 0.5f * std::sin(a * 5 + d * 9);
        Color outer = mix(pal::purple, pal::pink, swirl);
        Color inner = mix(hex(0xFFFFFF), pal::ice, smoothstep(0.0f, 0.45f, d));
        Color c = mix(inner, mix(pal::blue, outer, smoothstep(0.45f, 0.8f, d)),
                      smoothstep(0.2f, 0.6f, d));
        float ring = std::exp(-std::pow((d - 0.62f) / 0.05f, 2.0f));
        c = mix(c, pal::white, ring * 0.8f);
        float alpha = d < 0.95f ? 1.0f : std::max(0.0f, 1 - (d - 0.95f) / 0.3f) * 0.5f;
        if (d > 0.8f && d < 1.0f) alpha *= 0.75f + 0.25f * swirl;
        return with_alpha(c, alpha);
    });
    Rng rng(77);
    for (int i = 0; i < 9; ++i) {
        float a = rng.range(0, 2 * pi), d = r * rng.range(0.75f, 1.2f);
        draw_sparkle(cv, cx + std::cos(a) * d, cy + std::sin(a) * d, r * rng.range(0.05f, 0.1f),
                     pal::white);
    }
}

void draw_tree(Canvas& cv, float x, float y, float height, Color leaves, uint32_t seed, Color rim) {
    Pen pen{x, y, height / 100};
    float edge = std::max(1.5f, pen.s * 2.0f);
    Rng rng(seed);
    Shape trunk =
        unite(pen.poly({{-7, 0}, {7, 0}, {4, -40}, {-4, -40}}), pen.capsule(1, -30, 12, -46, 2.5f));
    sticker(cv, trunk, pen.vgrad(-40, hex(0xB27A48), 0, hex(0x8A5530)), edge, rim);
    const float lumps[][3] = {{0, -72, 24},  {-20, -60, 17}, {20, -61, 17}, {-12, -84, 16},
                              {12, -86, 17}, {-24, -74, 13}, {25, -75, 13}};
    Shape crown = pen.circle(0, -62, 20);
    for (const auto& l : lumps)
        crown = unite(crown, pen.circle(l[0] + rng.range(-2, 2), l[1] + rng.range(-2, 2),
                                        l[2] * rng.range(0.92f, 1.08f)));
    Shader tone = noisy(pen.radial(-16, -92, 70, shade(leaves, 0.32f), shade(leaves, -0.32f)), seed,
                        pen.s * 8, 0.07f);
    sticker(cv, crown, tone, edge, rim);
    for (const auto& l : lumps) {
        if (l[1] > -70) continue;
        Shape top = clip(pen.circle(l[0] - l[2] * 0.15f, l[1] - l[2] * 0.2f, l[2] * 0.7f), crown);
        fill(cv, top, with_alpha(shade(leaves, 0.4f), 0.35f));
    }
    for (int i = 0; i < 4; ++i)
        fill(cv, pen.ellipse(rng.range(-20, 14), rng.range(-90, -66), 4.5f, 2.6f),
             with_alpha(shade(leaves, 0.55f), 0.55f));
}

void draw_bush(Canvas& cv, float x, float y, float r, uint32_t seed) {
    Pen pen;
    Shape s = unite(unite(pen.circle(x - r * 0.8f, y - r * 0.55f, r * 0.6f),
                          pen.circle(x, y - r * 0.8f, r * 0.8f)),
                    pen.circle(x + r * 0.85f, y - r * 0.5f, r * 0.55f));
    s = clip(s, pen.box(x - 2 * r, y - 2 * r, x + 2 * r, y));
    sticker(cv, s,
            noisy(radial(x - r * 0.6f, y - r * 1.4f, r * 2.4f, shade(pal::grass, 0.3f),
                         shade(pal::grass, -0.35f)),
                  seed, r * 0.3f, 0.07f),
            std::max(1.5f, r * 0.07f));
}

void draw_gear(Canvas& cv, float cx, float cy, float r, int teeth, Color metal, float angle) {
    std::vector<std::pair<float, float>> pts;
    float step = 2 * pi / teeth, turn = angle * pi / 180;
    float inner = r * 0.8f;
    for (int i = 0; i < teeth; ++i) {
        float a = turn + i * step;
        for (auto [frac, rad] : {std::pair{-0.3f, inner}, {-0.17f, r}, {0.17f, r}, {0.3f, inner}})
            pts.emplace_back(cx + std::cos(a + frac * step) * rad,
                             cy + std::sin(a + frac * step) * rad);
    }
    Pen pen;
    Shape body = unite(pen.poly(pts), pen.circle(cx, cy, inner * 0.97f));
    for (int i = 0; i < 5; ++i) {
        float a = turn + i * 2 * pi / 5 + 0.3f;
        body = cut(body,
                   pen.circle(cx + std::cos(a) * r * 0.5f, cy + std::sin(a) * r * 0.5f, r * 0.13f));
    }
    body = cut(body, pen.circle(cx, cy, r * 0.18f));
    sticker(
        cv, body,
        noisy(radial(cx - r * 0.5f, cy - r * 0.6f, r * 2, shade(metal, 0.4f), shade(metal, -0.3f)),
              91, r * 0.2f, 0.06f),
        std::max(1.5f, r * 0.05f));
    fill(cv, cut(pen.circle(cx, cy, r * 0.7f), pen.circle(cx, cy, r * 0.64f)),
         with_alpha(shade(metal, -0.35f), 0.7f));
    fill(cv, cut(pen.circle(cx, cy, r * 0.3f), pen.circle(cx, cy, r * 0.18f)),
         with_alpha(shade(metal, 0.35f), 0.8f));
}

void draw_sparkle(Canvas& cv, float cx, float cy, float r, Color color) {
    std::vector<std::pair<float, float>> pts;
    for (int i = 0; i < 8; ++i) {
        float a = i * pi / 4 - pi / 2, d = (i % 2 == 0) ? r : r * 0.28f;
        pts.emplace_back(cx + std::cos(a) * d, cy + std::sin(a) * d);
    }
    fill(cv, Pen{}.circle(cx, cy, r * 0.6f), with_alpha(color, 0.25f));
    fill(cv, Pen{}.poly(pts), color);
}

Canvas cloud_canvas(int w, int h, uint32_t seed) {
    Canvas cv(w, h);
    Rng rng(seed);
    float fw = static_cast<float>(w), fh = static_cast<float>(h);
    float feather = std::max(1.2f, fh * 0.02f), bottom = fh * 0.9f;
    Sdf shape = sdf_ellipse(fw * 0.5f, fh * 0.74f, fw * 0.45f, fh * 0.15f);
    const float puffs[][3] = {{0.17f, 0.66f, 0.17f},
                              {0.34f, 0.48f, 0.28f},
                              {0.56f, 0.40f, 0.34f},
                              {0.76f, 0.53f, 0.25f},
                              {0.88f, 0.68f, 0.14f}};
    for (const auto& p : puffs) {
        float px = (p[0] + rng.range(-0.02f, 0.02f)) * fw,
              py = (p[1] + rng.range(-0.03f, 0.03f)) * fh;
        shape = sdf_union(shape, sdf_circle(px, py, p[2] * fh * rng.range(0.92f, 1.06f)));
    }
    shape = sdf_intersect(shape, [bottom](float, float y) { return y - bottom; });
    float k = fh * 0.1f;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float px = x + 0.5f, py = y + 0.5f, d = shape(px, py);
            float a = 1 - smoothstep(-feather, feather, d);
            if (a <= 0) continue;
            Color c = mix(pal::white, hex(0xD9E6F3), smoothstep(fh * 0.3f, bottom, py));
            c = shade(c, 0.7f * smoothstep(-k, k * 0.5f, shape(px - k, py - k)));
            cv.at(x, y) = with_alpha(c, a);
        }
    }
    return cv;
}

Canvas rimmed_text(const std::string& font, int size, const std::string& text, Color color,
                   float rim) {
    Canvas t = text_canvas(font, size, text, color);
    int pad = static_cast<int>(std::ceil(rim)) + 2;
    Canvas out(t.w + 2 * pad, t.h + 2 * pad);
    draw_canvas(out, t, static_cast<float>(pad), static_cast<float>(pad));
    thick_outline(out, rim, pal::outline);
    return out;
}

void caption_shade(Canvas& cv, float height, float strength) {
    for (int y = 0; y < cv.h; ++y) {
        float t = smoothstep(cv.h - height, static_cast<float>(cv.h), y + 0.5f) * strength;
        if (t <= 0) continue;
        for (int x = 0; x < cv.w; ++x) {
            float edge = std::fabs((x + 0.5f) / cv.w - 0.5f) * 2;
            blend(cv, x, y, pal::panel, t * (1 - 0.5f * edge * edge));
        }
    }
}

void meadow_backdrop(Canvas& cv, float horizon, uint32_t seed) {
    float w = static_cast<float>(cv.w), h = static_cast<float>(cv.h);
    paint_vstops(cv, {{0.0f, shade(pal::sky_top, -0.06f)},
                      {horizon / h * 0.55f, pal::sky_top},
                      {horizon / h, pal::sky_bottom},
                      {1.0f, pal::sky_bottom}});
    Pen pen;
    float sx = w * 0.12f, sy = h * 0.14f, sr = h * 0.07f;
    fill(cv, pen.circle(sx, sy, sr * 6),
         radial(sx, sy, sr * 6, with_alpha(hex(0xFFF7D6), 0.55f), with_alpha(hex(0xFFF7D6), 0)));
    fill(cv, pen.circle(sx, sy, sr), radial(sx, sy, sr, hex(0xFFFDF0), hex(0xFFE98A)));
    Rng rng(seed);
    for (int i = 0; i < 3; ++i) {
        float cw = w * rng.range(0.16f, 0.26f);
        Canvas cloud = cloud_canvas(static_cast<int>(cw), static_cast<int>(cw * 0.56f), seed + i);
        draw_canvas(cv, cloud, std::floor(w * (0.28f + 0.27f * i) + rng.range(-20, 20)),
                    std::floor(h * rng.range(0.04f, 0.22f)));
    }
    Color far = mix(pal::grass, pal::sky_bottom, 0.55f);
    paint_ridge(cv, {[=](float x) {
                         return horizon - h * (0.12f + 0.14f * noise1(x / (w * 0.22f), seed + 10));
                     },
                     [=](float x, float y, float depth) {
                         return shade(mix(far, shade(far, -0.12f), smoothstep(0, h * 0.2f, depth)),
                                      (fractal_noise(x / 40, y / 40, seed + 11, 2) - 0.5f) * 0.05f);
                     }});
    Color near = pal::grass;
    auto hill = [=](float x) {
        return horizon - h * (0.02f + 0.07f * noise1(x / (w * 0.16f), seed + 20));
    };
    for (int i = 0; i < 4; ++i) {
        float tx = w * (0.08f + 0.24f * i) + rng.range(-30, 30);
        draw_tree(cv, tx, hill(tx) + h * 0.02f, h * rng.range(0.1f, 0.15f),
                  shade(pal::grass, -0.1f), seed + 30 + i);
    }
    paint_ridge(
        cv, {hill, [=](float x, float y, float depth) {
                 Color c =
                     mix(shade(near, 0.22f), shade(near, -0.18f), smoothstep(0, h * 0.3f, depth));
                 return shade(c, (fractal_noise(x / 30, y / 30, seed + 21, 3) - 0.5f) * 0.09f);
             }});
}
