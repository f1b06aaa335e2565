// The solid blocks of each theme, 64 × 64, stretched to one cell. Ground textures repeat every
// 64 pixels so neighbouring blocks join without seams; lone blocks (item blocks, crates, metal)
// get a darker rim where they meet the air.
#include <algorithm>
#include <cmath>

#include "art/art_tiles_util.h"

namespace tiles {

namespace {

constexpr int kSize = 64;
float rand01(uint32_t seed, int a, int b) {
    Rng r(seed * 7919ull + static_cast<uint64_t>(a) * 104729ull +
          static_cast<uint64_t>(b) * 1299709ull);
    return r.uniform();
}

// Soil: big soft blotches and a fine grain, both repeating.
Color soil(Color base, float x, float y, uint32_t seed) {
    float big = tile_noise(x, y, seed, 16);
    float fine = tile_noise(x, y, seed + 5, 4);
    float grit = tile_noise(x, y, seed + 9, 2);
    Color c = mix(shade(base, -0.14f), shade(base, 0.1f), big);
    c = shade(c, (fine - 0.5f) * 0.22f);
    if (grit > 0.68f) c = shade(c, -0.13f);
    if (grit < 0.3f) c = shade(c, 0.07f);
    return c;
}

// Small round stones sunk into soil, kept away from the edges so the texture still repeats.
void pebbles(Canvas& cv, Color stone, uint32_t seed, int count, float top) {
    Rng r(seed);
    for (int i = 0; i < count; ++i) {
        float cx = r.range(8, 56), cy = r.range(top + 5, 57);
        float rx = r.range(2.2f, 4.2f), ry = rx * r.range(0.6f, 0.85f);
        Color c = shade(stone, r.range(-0.15f, 0.1f));
        fill(cv, sdf_ellipse(cx + 0.8f, cy + 1.0f, rx, ry), with_alpha(pal::outline, 0.35f),
             around(cx, cy, rx + 2));
        fill(cv, sdf_ellipse(cx, cy, rx, ry),
             vgradient(cy - ry, shade(c, 0.3f), cy + ry, shade(c, -0.2f)), around(cx, cy, rx + 1));
    }
}

// The rim of a block: light along the top and left, shadow along the bottom and right. At
// night the light is the warm glow of the castle's lanterns.
void block_rim(Canvas& cv, const Theme& t, float width, float light, float dark) {
    Color lamp = t.night ? shade(t.glow, 0.2f) : pal::white;
    float strength = t.night ? light * 1.3f : light;
    tint_where(
        cv, [=](float x, float y) { return strength * (1 - std::min(x, y) / width); }, lamp);
    tint_where(
        cv, [=](float x, float y) { return dark * (1 - std::min(kSize - x, kSize - y) / width); },
        pal::outline);
}

// Where a point falls in a wall of bricks `bw` × `bh`, every other row shifted by `shift`.
struct BrickHit {
    int row = 0, col = 0;
    float u = 0, v = 0;  // position inside the brick
    float edge = 0;      // distance to the brick's nearest side
};

BrickHit brick_at(float x, float y, float bw, float bh, float shift) {
    BrickHit h;
    h.row = static_cast<int>(std::floor(y / bh));
    h.v = y - h.row * bh;
    float xs = x + (h.row % 2 != 0 ? shift : 0);
    h.col = static_cast<int>(std::floor(xs / bw));
    h.u = xs - h.col * bw;
    int cols = std::max(1, static_cast<int>(kSize / bw));
    h.col = ((h.col % cols) + cols) % cols;
    h.edge = std::min(std::min(h.u, bw - h.u), std::min(h.v, bh - h.v));
    return h;
}

struct BrickStyle {
    Color brick, mortar;
    float bw = 32, bh = 16, shift = 16, mortar_width = 1.6f, vary = 0.1f;
    uint32_t seed = 0;
};

Color brick_px(const BrickStyle& s, float x, float y) {
    BrickHit h = brick_at(x, y, s.bw, s.bh, s.shift);
    Color body = shade(s.brick, (rand01(s.seed, h.row, h.col) * 2 - 1) * s.vary);
    body = shade(body, (tile_noise(x, y, s.seed + 3, 4) - 0.5f) * 0.2f);
    float in_u = h.u - s.mortar_width, in_v = h.v - s.mortar_width;
    float out_u = s.bw - h.u - s.mortar_width, out_v = s.bh - h.v - s.mortar_width;
    if (std::min(in_u, in_v) < 2.5f) body = shade(body, 0.16f);
    if (std::min(out_u, out_v) < 2.5f) body = shade(body, -0.2f);
    Color mortar = shade(s.mortar, (tile_noise(x, y, s.seed + 9, 4) - 0.5f) * 0.2f);
    return mix(mortar, body, std::clamp(h.edge - s.mortar_width + 0.5f, 0.0f, 1.0f));
}

Canvas brick_wall(const BrickStyle& s) {
    Canvas cv(kSize, kSize);
    paint_all(cv, [&](float x, float y) { return brick_px(s, x, y); });
    return cv;
}

// A dark crack with a light lip under it, carved along the points.
void crack(Canvas& cv, const std::vector<std::pair<float, float>>& pts, Color surface) {
    std::vector<std::pair<float, float>> lip;
    for (auto [x, y] : pts) lip.emplace_back(x + 0.8f, y + 1.0f);
    fill(cv, sdf_path(lip, 0.75f), with_alpha(shade(surface, 0.35f), 0.8f));
    fill(cv, sdf_path(pts, 0.95f), shade(surface, -0.68f));
}

// Specks of frost scattered over a block of the snow theme.
void frost(Canvas& cv, uint32_t seed, int count) {
    Rng r(seed);
    for (int i = 0; i < count; ++i) {
        float x = r.range(4, 60), y = r.range(4, 60);
        fill(cv, sdf_circle(x, y, r.range(0.8f, 1.4f)), with_alpha(pal::white, 0.75f),
             around(x, y, 2));
    }
}

// --- a: plain ground --------------------------------------------------------------------------

Canvas ground_block(const Theme& t) {
    Canvas cv(kSize, kSize);
    Color base = t.snow ? shade(t.earth, 0.05f) : t.earth;
    paint_all(cv, [&](float x, float y) { return soil(base, x, y, t.seed + 101); });
    pebbles(cv, t.stone, t.seed + 102, 5, 0);
    if (t.snow) frost(cv, t.seed + 103, 14);
    block_rim(cv, t, 4, 0.22f, 0.35f);
    return cv;
}

// --- b: breakable bricks ----------------------------------------------------------------------

Canvas cracked_bricks(const Theme& t) {
    BrickStyle s{t.brick, shade(t.brick, t.night ? -0.5f : -0.45f)};
    s.seed = t.seed + 201;
    Canvas cv = brick_wall(s);
    crack(cv, {{20, 2}, {23, 9}, {19, 14}, {25, 21}, {22, 27}}, t.brick);
    crack(cv, {{23, 9}, {29, 11}}, t.brick);
    crack(cv, {{44, 34}, {40, 40}, {46, 46}, {42, 53}, {47, 60}}, t.brick);
    crack(cv, {{40, 40}, {34, 42}}, t.brick);
    crack(cv, {{8, 42}, {13, 47}, {10, 52}}, t.brick);
    crack(cv, {{52, 6}, {57, 12}}, t.brick);
    block_rim(cv, t, 3, 0.06f, 0.14f);
    return cv;
}

// --- c and g: grass (snow, moss) over earth, and the earth beneath ------------------------------

float grass_edge(float x) {
    float w = kTau * x / kSize;
    float drip = std::max(0.0f, 1 - std::fabs(std::fmod(x + 3, 8.0f) - 4) / 2.2f);
    return 15 + 2.5f * std::sin(2 * w + 0.7f) + 1.5f * std::sin(5 * w + 1.3f) + 3.2f * drip;
}

float snow_edge(float x) {
    float w = kTau * x / kSize;
    float lumps = std::sqrt(std::max(0.0f, std::sin(w * 7 + 0.4f)));
    return 14 + 2.0f * std::sin(w + 0.3f) + 1.2f * std::sin(3 * w) + 3.0f * lumps;
}

Color cover_px(const Theme& t, float x, float y, float edge) {
    if (t.snow) {
        Color c = mix(pal::white, hex(0xCFE4F7), smoothstep(0, edge, y));
        if (edge - y < 3) c = mix(c, hex(0xA9C7E6), 0.6f);
        return shade(c, (tile_noise(x, y, t.seed + 301, 8) - 0.5f) * 0.08f);
    }
    Color c = mix(shade(t.top, 0.18f), shade(t.top, -0.18f), smoothstep(0, edge, y));
    float blades = tile_noise(x * 4, y * 0.5f, t.seed + 302, 4, kSize * 4);
    c = shade(c, (blades - 0.5f) * 0.3f);
    if (y < 2.5f) c = shade(c, 0.25f);
    if (edge - y < 2) c = shade(c, -0.25f);
    return c;
}

Color grass_top_px(const Theme& t, float x, float y) {
    float edge = t.snow ? snow_edge(x) : grass_edge(x);
    Color earth = soil(t.earth, x, y, t.seed + 300);
    float below = y - edge;
    if (below > 0 && below < 4) earth = shade(earth, -0.3f * (1 - below / 4));
    Color cover = cover_px(t, x, y, edge);
    return mix(cover, earth, std::clamp(below + 0.5f, 0.0f, 1.0f));
}

Canvas grass_block(const Theme& t) {
    Canvas cv(kSize, kSize);
    paint_all(cv, [&](float x, float y) { return grass_top_px(t, x, y); });
    pebbles(cv, t.stone, t.seed + 310, 2, 26);
    if (t.snow) {
        Rng r(t.seed + 311);
        for (int i = 0; i < 7; ++i) {
            float x = r.range(3, 61), y = r.range(3, 10);
            fill(cv, sdf_star(x, y, 1.8f, 0.5f, 4), with_alpha(pal::white, 0.9f), around(x, y, 2));
        }
    }
    return cv;
}

Canvas earth_block(const Theme& t) {
    Canvas cv(kSize, kSize);
    paint_all(cv, [&](float x, float y) { return soil(t.earth, x, y, t.seed + 300); });
    pebbles(cv, t.stone, t.seed + 320, 4, 0);
    return cv;
}

// --- d, e, f: item blocks ---------------------------------------------------------------------

Canvas item_frame(Color face, uint32_t seed) {
    Canvas cv(kSize, kSize);
    fill(cv, sdf_box(0, 0, kSize, kSize, 5), pal::outline);
    Sdf inner = sdf_box(2.5f, 2.5f, kSize - 2.5f, kSize - 2.5f, 3.5f);
    fill(cv, inner,
         noisy(vgradient(2, shade(face, 0.18f), 62, shade(face, -0.14f)), seed, 3, 0.06f));
    bevel(cv, inner, 5, 0.45f, 0.35f);
    for (auto [x, y] : {std::pair{9.0f, 9.0f}, {55.0f, 9.0f}, {9.0f, 55.0f}, {55.0f, 55.0f}}) {
        fill(cv, sdf_circle(x + 0.6f, y + 0.8f, 2.6f), shade(face, -0.45f));
        fill(cv, sdf_circle(x, y, 2.2f),
             radial(x - 0.8f, y - 0.8f, 2.5f, shade(face, 0.6f), shade(face, -0.1f)));
    }
    return cv;
}

Canvas item_block() {
    Canvas cv = item_frame(pal::gold, 401);
    Canvas mark = glyph("?", 44, pal::white);
    Canvas shadow = mark;
    for (Color& c : shadow.px) c = with_alpha(shade(pal::gold, -0.55f), c.a * 0.8f);
    draw_centred(cv, shadow, 34.5f, 35.5f);
    draw_centred(cv, mark, 32, 32);
    return cv;
}

Canvas spent_block(const Theme& t) {
    Color dull = mix(mix(pal::gold, t.earth, 0.65f), pal::stone, 0.25f);
    Canvas cv = item_frame(shade(dull, -0.05f), 402);
    fill(cv, sdf_box(20, 22, 44, 42, 4), with_alpha(shade(dull, -0.3f), 0.5f));
    fill(cv, sdf_box(21, 23, 45, 43, 4), with_alpha(shade(dull, 0.12f), 0.35f));
    return cv;
}

Canvas hidden_block() {
    Canvas cv = item_block();
    fade(cv, 0.32f);
    return cv;
}

// --- h: one-way plank -------------------------------------------------------------------------

Canvas plank(const Theme& t) {
    Canvas cv(kSize, kSize);
    float top = t.snow ? 8 : 6, bottom = top + 14;
    auto grain = [&](float x, float y) {
        float g = tile_noise(x * 0.25f, y * 3, t.seed + 501, 4, kSize / 4);
        Color c = mix(shade(t.wood, 0.2f), shade(t.wood, -0.2f), (y - top) / (bottom - top));
        return shade(c, (g - 0.5f) * 0.35f);
    };
    fill(cv, sdf_box(-4, top, kSize + 4, bottom), pal::outline);
    fill(cv, sdf_box(-4, top + 2, kSize + 4, bottom - 2), grain);
    fill(cv, sdf_box(-4, top + 2, kSize + 4, top + 3.5f), with_alpha(pal::white, 0.25f));
    fill(cv, sdf_box(31, top + 2, 32.5f, bottom - 2), with_alpha(pal::outline, 0.6f));
    for (float x : {8.0f, 24.0f, 40.0f, 56.0f}) {
        float y = (top + bottom) / 2;
        fill(cv, sdf_circle(x, y, 1.6f), shade(t.metal, -0.35f));
        fill(cv, sdf_circle(x - 0.4f, y - 0.4f, 0.8f), shade(t.metal, 0.4f));
    }
    if (t.snow) {
        auto cap = [](float x, float y) {
            return y - (5.5f + 1.6f * std::sin(kTau * x / 32 + 0.5f));
        };
        fill(
            cv, [&](float x, float y) { return std::max(cap(x, y), 2.5f - y); }, pal::outline);
        fill(
            cv, [&](float x, float y) { return std::max(cap(x, y) - 1.5f, 4.5f - y); },
            vgradient(4, pal::white, 10, hex(0xCFE3F6)));
    }
    return cv;
}

// --- i … s: the other solids ------------------------------------------------------------------

// Cobbles: repeating Worley cells, each a rounded stone with a dark joint around it.
Canvas cobbles(Color stone, uint32_t seed, float joint) {
    std::vector<std::pair<float, float>> pts;
    Rng r(seed);
    for (int gy = 0; gy < 4; ++gy)
        for (int gx = 0; gx < 4; ++gx)
            pts.emplace_back(gx * 16 + r.range(3, 13), gy * 16 + r.range(3, 13));
    Canvas cv(kSize, kSize);
    paint_all(cv, [&](float x, float y) {
        float f1 = 1e9f, f2 = 1e9f;
        size_t id = 0;
        float nx = 0, ny = 0;
        for (size_t i = 0; i < pts.size(); ++i) {
            for (int oy = -1; oy <= 1; ++oy) {
                for (int ox = -1; ox <= 1; ++ox) {
                    float px = pts[i].first + ox * kSize, py = pts[i].second + oy * kSize;
                    float d = std::hypot(x - px, y - py);
                    if (d < f1) {
                        f2 = f1;
                        f1 = d;
                        id = i;
                        nx = x - px;
                        ny = y - py;
                    } else if (d < f2) {
                        f2 = d;
                    }
                }
            }
        }
        float edge = (f2 - f1) / 2;
        Color c = shade(stone, (rand01(seed, static_cast<int>(id), 1) * 2 - 1) * 0.1f);
        c = shade(c, (tile_noise(x, y, seed + 1, 4) - 0.5f) * 0.22f);
        float light = -(nx + ny) / (std::hypot(nx, ny) + 1e-3f);
        c = shade(c, light * 0.12f * smoothstep(2, 9, f1));
        if (edge < 3) c = shade(c, light > 0 ? 0.1f : -0.15f);
        Color gap = shade(stone, -0.55f);
        return mix(gap, c, std::clamp(edge - joint + 0.5f, 0.0f, 1.0f));
    });
    return cv;
}

Canvas stone_block(const Theme& t) {
    Canvas cv = cobbles(t.stone, t.seed + 601, 1.2f);
    if (t.snow) frost(cv, t.seed + 602, 10);
    block_rim(cv, t, 3, 0.06f, 0.15f);
    return cv;
}

Canvas stone_bricks(const Theme& t) {
    BrickStyle s{t.stone, shade(t.stone, -0.5f)};
    s.bw = 32;
    s.bh = 21.3333f;
    s.shift = 16;
    s.mortar_width = 1.8f;
    s.seed = t.seed + 701;
    Canvas cv = brick_wall(s);
    if (t.snow) frost(cv, t.seed + 702, 10);
    block_rim(cv, t, 3, 0.08f, 0.2f);
    return cv;
}

Canvas crate(const Theme& t) {
    Canvas cv(kSize, kSize);
    Color w = t.wood;
    auto grain = [&](uint32_t seed, bool across) {
        return [=](float x, float y) {
            float g = across ? tile_noise(x * 0.2f, y * 3, seed, 4, kSize / 4)
                             : tile_noise(x * 3, y * 0.2f, seed, 4, kSize / 4);
            return shade(w, (g - 0.5f) * 0.4f);
        };
    };
    fill(cv, sdf_box(0, 0, kSize, kSize, 3), pal::outline);
    fill(cv, sdf_box(2, 2, 62, 62, 2), grain(t.seed + 801, true));
    for (float x : {21.0f, 42.0f})
        fill(cv, sdf_box(x, 2, x + 1.2f, 62), with_alpha(pal::outline, 0.5f));
    Sdf frame = sdf_subtract(sdf_box(2, 2, 62, 62, 2), sdf_box(10, 10, 54, 54));
    Sdf brace = sdf_polygon({{10, 47}, {47, 10}, {54, 10}, {54, 17}, {17, 54}, {10, 54}});
    Sdf boards = sdf_union(frame, brace);
    fill(cv,
         sdf_union(sdf_subtract(sdf_box(1, 1, 63, 63, 2), sdf_box(11, 11, 53, 53)),
                   sdf_polygon({{9, 47}, {47, 9}, {55, 9}, {55, 17}, {17, 55}, {9, 55}})),
         pal::outline);
    fill(cv, boards,
         [&](float x, float y) { return shade(grain(t.seed + 802, false)(x, y), 0.12f); });
    bevel(cv, boards, 2.5f, 0.3f, 0.35f);
    for (auto [x, y] : {std::pair{6.0f, 6.0f}, {58.0f, 6.0f}, {6.0f, 58.0f}, {58.0f, 58.0f}}) {
        fill(cv, sdf_circle(x, y, 1.6f), shade(t.metal, -0.4f));
        fill(cv, sdf_circle(x - 0.4f, y - 0.4f, 0.7f), shade(t.metal, 0.5f));
    }
    return cv;
}

Canvas metal_plate(const Theme& t) {
    Canvas cv(kSize, kSize);
    Color m = t.metal;
    fill(cv, sdf_box(0, 0, kSize, kSize, 3), pal::outline);
    Sdf plate = sdf_box(2, 2, 62, 62, 2);
    fill(cv, plate, [&](float x, float y) {
        Color c = mix(shade(m, 0.2f), shade(m, -0.25f), y / kSize);
        c = shade(c, (tile_noise(x * 0.25f, y * 4, t.seed + 901, 4, kSize / 4) - 0.5f) * 0.16f);
        float band = std::fabs(x + y - 46);
        if (band < 9) c = shade(c, 0.22f * (1 - band / 9));
        return c;
    });
    bevel(cv, plate, 4, 0.5f, 0.4f);
    Sdf panel = sdf_box(12, 12, 52, 52, 2);
    stroke(cv, sdf_box(11, 11, 53, 53, 3), 1.2f, with_alpha(shade(m, 0.5f), 0.8f));
    stroke(cv, panel, 1.2f, with_alpha(shade(m, -0.45f), 0.8f));
    for (auto [x, y] : {std::pair{7.0f, 7.0f}, {57.0f, 7.0f}, {7.0f, 57.0f}, {57.0f, 57.0f}}) {
        fill(cv, sdf_circle(x + 0.6f, y + 0.8f, 2.6f), shade(m, -0.5f));
        fill(cv, sdf_circle(x, y, 2.3f),
             radial(x - 0.8f, y - 0.8f, 2.6f, pal::white, shade(m, -0.1f)));
    }
    return cv;
}

Canvas ice_block(const Theme& t) {
    Canvas cv(kSize, kSize);
    Color ice = t.ice;
    fill(cv, sdf_box(0, 0, kSize, kSize, 4), shade(ice, -0.45f));
    Sdf body = sdf_box(1.5f, 1.5f, 62.5f, 62.5f, 3);
    fill(cv, body, [&](float x, float y) {
        Color c = mix(shade(ice, 0.35f), shade(ice, -0.12f), (x + y) / 128);
        float streak = std::fmod(x - y + 128, 22.0f);
        if (streak < 3) c = shade(c, 0.3f);
        c = shade(c, (tile_noise(x, y, t.seed + 1001, 8) - 0.5f) * 0.12f);
        return c;
    });
    bevel(cv, body, 6, 0.7f, 0.3f);
    std::vector<std::pair<float, float>> line = {{40, 12}, {35, 22}, {41, 30}, {36, 41}};
    fill(cv, sdf_path(line, 0.6f), with_alpha(pal::white, 0.8f));
    fill(cv, sdf_path({{35, 22}, {27, 25}}, 0.5f), with_alpha(pal::white, 0.7f));
    fill(cv, sdf_capsule(9, 14, 16, 7, 1.6f), with_alpha(pal::white, 0.9f));
    fill(cv, sdf_circle(20, 48, 1.8f), with_alpha(pal::white, 0.6f));
    fill(cv, sdf_circle(25, 53, 1.2f), with_alpha(pal::white, 0.5f));
    return cv;
}

Canvas sand_block(const Theme& t) {
    Canvas cv(kSize, kSize);
    paint_all(cv, [&](float x, float y) {
        Color c = shade(t.sand, (tile_noise(x, y, t.seed + 1101, 16) - 0.5f) * 0.14f);
        float ripple = std::sin(kTau * (y / 16 + 0.18f * std::sin(kTau * x / kSize)));
        if (ripple > 0.75f) c = shade(c, -0.12f);
        if (ripple < -0.8f) c = shade(c, 0.1f);
        float speck = tile_noise(x, y, t.seed + 1102, 1);
        if (speck > 0.72f) c = shade(c, -0.18f);
        if (speck < 0.24f) c = shade(c, 0.16f);
        return c;
    });
    return cv;
}

Canvas dark_earth(const Theme& t) {
    Canvas cv(kSize, kSize);
    paint_all(cv, [&](float x, float y) { return soil(t.dark_earth, x, y, t.seed + 1201); });
    Color root = mix(t.trunk, t.wood, 0.5f);
    auto draw_root = [&](const std::vector<std::pair<float, float>>& pts, float r) {
        fill(cv, sdf_path(pts, r + 0.8f), with_alpha(shade(t.dark_earth, -0.45f), 0.7f));
        fill(cv, sdf_path(pts, r), root);
    };
    draw_root({{6, 18}, {14, 22}, {20, 19}, {28, 25}, {33, 24}}, 1.3f);
    draw_root({{14, 22}, {16, 29}, {13, 34}}, 0.9f);
    draw_root({{36, 46}, {44, 42}, {51, 47}, {58, 44}}, 1.2f);
    pebbles(cv, shade(t.stone, -0.15f), t.seed + 1202, 4, 0);
    return cv;
}

Canvas mossy_stone(const Theme& t) {
    BrickStyle s{t.stone, shade(t.stone, -0.5f)};
    s.bw = 32;
    s.bh = 16;
    s.seed = t.seed + 1301;
    Canvas cv = brick_wall(s);
    Color moss = t.moss;
    Canvas cover(kSize, kSize);
    paint_all(cover, [&](float x, float y) {
        float n = tile_noise(x, y, t.seed + 1302, 16);
        float amount = n + 0.35f * (1 - y / kSize) - 0.62f;
        float a = std::clamp(amount * 10, 0.0f, 1.0f);
        Color c = shade(moss, (tile_noise(x, y, t.seed + 1303, 2) - 0.5f) * 0.35f);
        if (amount < 0.06f) c = shade(c, -0.18f);
        return with_alpha(c, a);
    });
    draw_canvas(cv, cover, 0, 0);
    return cv;
}

Canvas pipe(const Theme& t) {
    Canvas cv(kSize, kSize);
    Color p = t.pipe;
    auto body = [=](float x, float) {
        float u = (x - 32) / 32;
        float light = 1 - std::fabs(u + 0.35f) * 1.6f;
        Color c = shade(p, light > 0 ? light * 0.45f : light * 0.35f);
        return c;
    };
    fill(cv, sdf_box(3, -2, 61, kSize + 2), pal::outline);
    fill(cv, sdf_box(5, -2, 59, kSize + 2), tile_noisy(body, t.seed + 1401, 8, 0.05f));
    fill(cv, sdf_box(0, 0, kSize, 14, 2), pal::outline);
    fill(cv, sdf_box(2, 2, 62, 12, 1.5f), tile_noisy(body, t.seed + 1402, 8, 0.05f));
    fill(cv, sdf_box(2, 2, 62, 4, 1), with_alpha(pal::white, 0.3f));
    fill(cv, sdf_box(14, 20, 18, 58, 2), with_alpha(pal::white, 0.35f));
    return cv;
}

Canvas pillar(const Theme& t) {
    Canvas cv(kSize, kSize);
    Color s = shade(t.stone, 0.08f);
    auto shaft = [=](float x, float y) {
        float u = (x - 32) / 26;
        Color c = shade(s, (0.3f - std::fabs(u + 0.3f)) * 0.6f);
        float flute = std::fmod(x - 6, 10.4f);
        if (flute < 2.2f) c = shade(c, -0.22f);
        if (flute > 2.2f && flute < 3.4f) c = shade(c, 0.14f);
        return shade(c, (tile_noise(x, y, t.seed + 1501, 8) - 0.5f) * 0.14f);
    };
    fill(cv, sdf_box(4, -2, 60, kSize + 2), pal::outline);
    fill(cv, sdf_box(6, -2, 58, kSize + 2), shaft);
    for (float y0 : {0.0f, 56.0f}) {
        Sdf band = sdf_box(0, y0, kSize, y0 + 8, 1.5f);
        fill(cv, band, pal::outline);
        Sdf inner = sdf_box(1.5f, y0 + 1.5f, 62.5f, y0 + 6.5f, 1);
        fill(cv, inner,
             tile_noisy(vgradient(y0, shade(s, 0.25f), y0 + 8, shade(s, -0.2f)), t.seed + 1502, 8,
                        0.06f));
    }
    return cv;
}

// Roof tiles in courses 16 pixels high; each tile has a rounded lower edge that overlaps the top
// of the course below, every other course shifted by half a tile.
Color roof_px(const Theme& t, float x, float y) {
    constexpr float kCourse = 16, kTile = 16, kArc = 6;
    int row = static_cast<int>(std::floor(y / kCourse));
    auto local_u = [&](int r) {
        float shift = (r % 2 != 0) ? kTile / 2 : 0;
        return std::fmod(x + shift + kSize, kTile) - kTile / 2;
    };
    auto bottom_of = [&](int r, float u) {
        return r * kCourse + kCourse - kArc * (1 - std::sqrt(std::max(0.0f, 1 - u * u / 64)));
    };
    int owner = y <= bottom_of(row, local_u(row)) ? row : row + 1;
    float u = local_u(owner), bottom = bottom_of(owner, u), top = owner * kCourse - kArc;
    float along = std::clamp((y - top) / (bottom - top), 0.0f, 1.0f);
    int col = static_cast<int>(std::floor((x + (owner % 2 != 0 ? kTile / 2 : 0) + kSize) / kTile));
    Color c = shade(t.roof, 0.28f - 0.5f * along);
    c = shade(c, (rand01(t.seed, owner & 3, col & 3) - 0.5f) * 0.18f);
    c = shade(c, (u < 0 ? 0.08f : -0.08f) * std::fabs(u) / 8);
    if (std::fabs(u) > 7) c = shade(c, -0.3f);
    if (owner != row)
        c = shade(c, -0.3f * std::clamp(1 - (y - bottom_of(row, local_u(row))) / 4, 0.0f, 1.0f));
    float rim = bottom - y;
    if (t.snow) c = mix(c, hex(0xEAF4FF), 0.85f * std::clamp(5 - rim, 0.0f, 1.0f));
    c = mix(c, shade(t.roof, -0.6f), std::clamp(1.8f - rim, 0.0f, 1.0f));
    return shade(c, (tile_noise(x, y, t.seed + 1601, 4) - 0.5f) * 0.12f);
}

Canvas roof(const Theme& t) {
    Canvas cv(kSize, kSize);
    paint_all(cv, [&](float x, float y) { return roof_px(t, x, y); });
    return cv;
}

}  // namespace

void draw_blocks(const Theme& t, Writer& out) {
    std::string dir = "textures/theme_" + t.name + "/blocs/";
    out.put(ground_block(t), dir + "a.png");
    out.put(cracked_bricks(t), dir + "b.png");
    out.put(grass_block(t), dir + "c.png");
    out.put(item_block(), dir + "d.png");
    out.put(spent_block(t), dir + "e.png");
    out.put(hidden_block(), dir + "f.png");
    out.put(earth_block(t), dir + "g.png");
    out.put(plank(t), dir + "h.png");
    out.put(stone_block(t), dir + "i.png");
    out.put(stone_bricks(t), dir + "j.png");
    out.put(crate(t), dir + "k.png");
    out.put(metal_plate(t), dir + "l.png");
    out.put(ice_block(t), dir + "m.png");
    out.put(sand_block(t), dir + "n.png");
    out.put(dark_earth(t), dir + "o.png");
    out.put(mossy_stone(t), dir + "p.png");
    out.put(pipe(t), dir + "q.png");
    out.put(pillar(t), dir + "r.png");
    out.put(roof(t), dir + "s.png");
}

}  // namespace tiles
