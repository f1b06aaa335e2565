// Decorations of each theme, drawn at 40 pixels a cell. The game scales them by cell / 40 and
// grows them up and to the right from their cell, so the bottom row of every image is the ground
// line and the left edge is the cell's left edge.
#include <algorithm>
#include <cmath>

#include "art/art_tiles_util.h"

namespace tiles {

namespace {

const Color kSnow = hex(0xF4FAFF);
const Color kSnowShade = hex(0xBCD6EE);

Sdf shifted(const Sdf& s, float dx, float dy) {
    return [=](float x, float y) { return s(x - dx, y - dy); };
}

// The highest row of the canvas that the shape covers.
float top_row(const Canvas& cv, const Sdf& shape) {
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x)
            if (shape(x + 0.5f, y + 0.5f) < 0) return static_cast<float>(y);
    return static_cast<float>(cv.h);
}

// A layer resting on the top of a shape, `depth` pixels thick with a wavy lower edge, shaded
// from `under` at its lower edge to `over` on top. It reaches `reach` depths below the shape's
// top, so on a round shape it stays on the crown instead of running down the sides.
void cap_layer(Canvas& cv, const Sdf& shape, float depth, uint32_t seed, Color over, Color under,
               float reach = 2.2f) {
    float lowest = top_row(cv, shape) + depth * reach;
    Sdf below = [=](float x, float y) {
        float wave = 1.6f * std::sin(x * 0.45f + static_cast<float>(seed)) +
                     1.0f * std::sin(x * 1.1f + static_cast<float>(seed) * 0.3f);
        return shape(x, y - depth - wave);
    };
    Sdf cap = sdf_subtract([=](float x, float y) { return shape(x, y) - 1.2f; }, below);
    Sdf wave_limit = [=](float x, float y) {
        return y - lowest - 2.5f * std::sin(x * 0.7f + static_cast<float>(seed));
    };
    fill(cv, sdf_intersect(cap, wave_limit), [=](float x, float y) {
        float k = std::clamp((shape(x, y) + depth) / depth, 0.0f, 1.0f);
        return mix(under, over, std::min(1.0f, k * 1.6f));
    });
}

void snow_cap(Canvas& cv, const Sdf& shape, float depth, uint32_t seed, float reach = 2.2f) {
    cap_layer(cv, shape, depth, seed, kSnow, kSnowShade, reach);
}

// Fills a part of a sprite with the lit look and rounds it with a bevel.
void part(Canvas& cv, const Sdf& s, Color c, float y0, float y1, uint32_t seed, float round = 4) {
    fill(cv, s, lit(c, y0, y1, seed));
    if (round > 0) bevel(cv, s, round, 0.35f, 0.3f);
}

// Fireflies: small warm dots with a halo, for the night theme.
void fireflies(Canvas& cv, uint32_t seed, int count, Color c) {
    Rng r(seed);
    for (int i = 0; i < count; ++i) {
        float x = r.range(4, cv.w - 4.0f), y = r.range(4, cv.h * 0.7f);
        glow(cv, x, y, 5, c, 0.7f);
        fill(cv, sdf_circle(x, y, 1.1f), shade(c, 0.6f), around(x, y, 2));
    }
}

// --- A, B: editor markers ---------------------------------------------------------------------

Canvas flag(const Theme& t, bool exit) {
    Canvas cv(40, 80);
    auto wave = [](float x) { return 2.2f * std::sin(x * 0.22f); };
    Sdf cloth = [=](float x, float y) {
        float w = wave(x - 9);
        return std::max(std::max(9 - x, x - 37), std::max(8 + w - y, y - (34 + w)));
    };
    // Start: a green flag with a star. Exit: the chequered flag of a finish line.
    fill(cv, cloth, [=](float x, float y) {
        Color c = pal::grass;
        if (exit) {
            int square =
                static_cast<int>((x - 9) / 7) + static_cast<int>((y - 8 - wave(x - 9)) / 6.5f);
            c = square % 2 != 0 ? pal::outline : pal::white;
        }
        return shade(c, 0.15f * std::cos((x - 9) * 0.22f));
    });
    if (!exit) {
        fill(cv, shifted(sdf_star(22, 20, 8, 3.4f, 5), 0, wave(13)), pal::white);
    }
    part(cv, sdf_box(5, 6, 10, 76, 2), t.metal, 6, 76, 3, 2);
    fill(cv, sdf_circle(7.5f, 5, 4),
         radial(6, 3.5f, 5, shade(pal::gold, 0.5f), shade(pal::gold, -0.2f)));
    part(cv, sdf_box(1, 72, 16, 80, 3), t.stone, 72, 80, 5, 2);
    ink(cv);
    return cv;
}

// --- C: bush ----------------------------------------------------------------------------------

Sdf bush_shape() {
    Sdf s = sdf_circle(16, 28, 14);
    s = sdf_union(s, sdf_circle(34, 19, 17));
    s = sdf_union(s, sdf_circle(54, 22, 15));
    s = sdf_union(s, sdf_circle(68, 29, 11));
    return sdf_union(s, sdf_box(8, 28, 74, 42, 4));
}

// Clusters of lighter leaves that give a bush or a crown its volume.
void leaf_clusters(Canvas& cv, const Sdf& inside, Color leaf, uint32_t seed, int count, float r0,
                   float r1) {
    Rng r(seed);
    for (int i = 0; i < count; ++i) {
        float x = r.range(0, static_cast<float>(cv.w)), y = r.range(0, cv.h * 0.85f);
        float rad = r.range(r0, r1);
        if (inside(x, y) > -rad * 0.6f) continue;
        float lift = 0.3f * (1 - y / cv.h) - 0.05f;
        Sdf blob = sdf_intersect(sdf_circle(x, y, rad), inside);
        fill(cv, shifted(blob, 1, 1.5f), with_alpha(shade(leaf, -0.35f), 0.6f),
             around(x, y, rad + 2));
        fill(cv, blob, lit(shade(leaf, lift), y - rad, y + rad, seed + i), around(x, y, rad + 1));
    }
}

Canvas bush(const Theme& t) {
    Canvas cv(80, 40);
    Sdf s = bush_shape();
    part(cv, s, t.leaf, 4, 40, t.seed + 21, 5);
    leaf_clusters(cv, s, t.leaf, t.seed + 22, 40, 4, 7);
    if (t.snow) snow_cap(cv, s, 7, 3);
    if (!t.snow && !t.night) {
        for (auto [x, y] :
             {std::pair{24.0f, 26.0f}, {44.0f, 16.0f}, {58.0f, 28.0f}, {36.0f, 31.0f}}) {
            fill(cv, sdf_circle(x, y, 2.6f),
                 radial(x - 1, y - 1, 3, shade(pal::red, 0.4f), shade(pal::red, -0.2f)));
        }
    }
    ink(cv);
    if (t.night) fireflies(cv, t.seed + 23, 3, t.glow);
    return cv;
}

// --- D: flowers -------------------------------------------------------------------------------

void flower_head(Canvas& cv, float x, float y, float r, Color petal, Color heart) {
    for (int i = 0; i < 5; ++i) {
        float a = kTau * i / 5 - 0.3f;
        float px = x + std::cos(a) * r * 0.62f, py = y + std::sin(a) * r * 0.62f;
        fill(cv, sdf_circle(px, py, r * 0.5f),
             radial(px - 1, py - 1, r * 0.6f, shade(petal, 0.35f), petal));
    }
    fill(cv, sdf_circle(x, y, r * 0.34f),
         radial(x - 0.5f, y - 0.5f, r * 0.4f, shade(heart, 0.4f), heart));
}

void bell_head(Canvas& cv, float x, float y, float r, Color petal) {
    Sdf bell = sdf_union(sdf_circle(x, y, r * 0.7f),
                         sdf_polygon({{x - r, y + r * 0.9f}, {x, y}, {x + r, y + r * 0.9f}}));
    fill(cv, bell, vgradient(y - r, shade(petal, 0.4f), y + r, shade(petal, -0.15f)));
}

Canvas flowers(const Theme& t) {
    Canvas cv(40, 40);
    Color stem = shade(t.snow ? t.leaf : t.top, -0.1f);
    struct Stalk {
        float x, top, lean;
    };
    const Stalk stalks[] = {{8, 20, -2}, {17, 12, 1}, {27, 17, 2}, {34, 25, 1}};
    for (const Stalk& s : stalks) {
        fill(cv,
             sdf_path({{s.x, 40}, {s.x + s.lean * 0.4f, (40 + s.top) / 2}, {s.x + s.lean, s.top}},
                      1.2f),
             stem);
    }
    fill(cv, sdf_ellipse(12, 33, 5, 2), shade(stem, 0.15f));
    fill(cv, sdf_ellipse(24, 31, 5, 2), shade(stem, 0.1f));
    const Color day[] = {pal::pink, pal::gold, hex(0x9E6BFF), pal::red};
    const Color snow[] = {pal::white, pal::ice, pal::white, hex(0xC9B8FF)};
    const Color night[] = {hex(0x7FD8FF), hex(0xC38BFF), hex(0x7FD8FF), hex(0xFF9AD0)};
    for (int i = 0; i < 4; ++i) {
        const Stalk& s = stalks[i];
        float x = s.x + s.lean, y = s.top;
        if (t.night) {
            bell_head(cv, x, y, 4.5f, night[i]);
        } else if (t.snow) {
            bell_head(cv, x, y, 4.5f, snow[i]);
        } else {
            flower_head(cv, x, y, 6, day[i], i == 1 ? pal::red : pal::gold);
        }
    }
    ink(cv);
    if (t.night) {
        for (int i = 0; i < 4; ++i)
            glow(cv, stalks[i].x + stalks[i].lean, stalks[i].top + 2, 9, night[i], 0.5f);
    }
    return cv;
}

// --- E: tree ----------------------------------------------------------------------------------

Sdf trunk_shape() {
    Sdf trunk = sdf_polygon({{50, 200}, {53, 120}, {56, 96}, {64, 96}, {67, 120}, {70, 200}});
    trunk = sdf_union(trunk, sdf_polygon({{40, 200}, {52, 186}, {55, 200}}));
    trunk = sdf_union(trunk, sdf_polygon({{80, 200}, {68, 184}, {66, 200}}));
    trunk = sdf_union(trunk, sdf_capsule(60, 132, 78, 112, 3.5f));
    return sdf_union(trunk, sdf_capsule(58, 138, 44, 116, 3.5f));
}

Canvas round_tree(const Theme& t) {
    Canvas cv(120, 200);
    Sdf trunk = trunk_shape();
    fill(cv, trunk, [&](float x, float y) {
        Color c = shade(t.trunk, (60 - x) / 40 * 0.35f);
        float bark = value_noise(x * 0.6f, y * 0.08f, t.seed + 31);
        return shade(c, (bark - 0.5f) * 0.4f);
    });
    Sdf crown = sdf_circle(60, 64, 40);
    crown = sdf_union(crown, sdf_circle(30, 82, 26));
    crown = sdf_union(crown, sdf_circle(90, 80, 27));
    crown = sdf_union(crown, sdf_circle(42, 40, 26));
    crown = sdf_union(crown, sdf_circle(80, 42, 25));
    crown = sdf_union(crown, sdf_circle(60, 100, 24));
    part(cv, crown, t.leaf, 10, 125, t.seed + 32, 8);
    leaf_clusters(cv, crown, t.leaf, t.seed + 33, 70, 7, 12);
    if (!t.night) {
        for (auto [x, y] : {std::pair{40.0f, 70.0f},
                            {78.0f, 58.0f},
                            {62.0f, 92.0f},
                            {92.0f, 86.0f},
                            {52.0f, 42.0f}}) {
            fill(cv, sdf_circle(x, y, 4),
                 radial(x - 1.5f, y - 1.5f, 5, shade(pal::red, 0.45f), shade(pal::red, -0.15f)));
        }
    }
    ink(cv);
    if (t.night) fireflies(cv, t.seed + 34, 6, t.glow);
    return cv;
}

Canvas pine_tree(const Theme& t) {
    Canvas cv(120, 200);
    part(cv, sdf_box(53, 150, 67, 200, 2), t.trunk, 150, 200, t.seed + 35, 3);
    const float tiers[][3] = {{60, 150, 56}, {60, 112, 46}, {60, 76, 36}, {60, 44, 24}};
    for (int i = 0; i < 4; ++i) {
        float cx = tiers[i][0], base = tiers[i][1], half = tiers[i][2];
        float top = base - half * 1.35f;
        std::vector<std::pair<float, float>> pts = {{cx, top}};
        for (int k = 0; k <= 6; ++k) {
            float x = cx + half - (2 * half) * k / 6.0f;
            pts.emplace_back(x, base + (k % 2 == 0 ? 4.0f : 0.0f));
        }
        Sdf spiky = sdf_polygon(pts);
        Sdf tier = [spiky](float x, float y) { return spiky(x, y) - 1.5f; };
        part(cv, tier, t.leaf, top, base, t.seed + 36 + i, 6);
        snow_cap(cv, tier, 5.0f - i * 0.5f, 5 + i, 100);
    }
    ink(cv);
    return cv;
}

// --- F: rock ----------------------------------------------------------------------------------

Canvas rock(const Theme& t) {
    Canvas cv(60, 40);
    Sdf s = sdf_polygon({{3, 40}, {6, 24}, {16, 10}, {30, 6}, {44, 12}, {54, 24}, {57, 40}});
    s = [s](float x, float y) { return s(x, y) - 2.5f; };
    part(cv, s, t.stone, 5, 40, t.seed + 41, 7);
    fill(cv, sdf_polygon({{18, 14}, {30, 9}, {36, 14}, {24, 22}}), with_alpha(pal::white, 0.22f));
    fill(cv, sdf_path({{32, 20}, {36, 27}, {34, 33}}, 0.8f), shade(t.stone, -0.45f));
    fill(cv, sdf_path({{14, 28}, {19, 31}}, 0.7f), shade(t.stone, -0.4f));
    if (t.snow) snow_cap(cv, s, 7, 7);
    if (t.night) cap_layer(cv, s, 5, 7, shade(t.moss, 0.2f), shade(t.moss, -0.25f));
    ink(cv);
    return cv;
}

// --- G: signpost ------------------------------------------------------------------------------

Canvas signpost(const Theme& t) {
    Canvas cv(40, 60);
    part(cv, sdf_box(17, 16, 23, 60, 1.5f), shade(t.wood, -0.15f), 16, 60, t.seed + 51, 2);
    Sdf board = sdf_polygon({{3, 10}, {29, 10}, {38, 19.5f}, {29, 29}, {3, 29}});
    fill(cv, board, [&](float x, float y) {
        Color c = mix(shade(t.wood, 0.2f), shade(t.wood, -0.15f), (y - 10) / 19);
        return shade(c, (value_noise(x * 0.15f, y * 1.2f, t.seed + 52) - 0.5f) * 0.35f);
    });
    bevel(cv, board, 3, 0.35f, 0.35f);
    fill(cv, sdf_box(3, 19, 36, 20.2f), with_alpha(pal::outline, 0.35f));
    Sdf arrow =
        sdf_polygon({{9, 17}, {21, 17}, {21, 13.5f}, {29, 19.5f}, {21, 25.5f}, {21, 22}, {9, 22}});
    fill(cv, arrow, shade(t.wood, -0.55f));
    fill(cv, sdf_circle(6, 13, 1), shade(t.metal, -0.3f));
    fill(cv, sdf_circle(6, 26, 1), shade(t.metal, -0.3f));
    if (t.snow) snow_cap(cv, board, 4, 9);
    ink(cv);
    return cv;
}

// --- H: fence (continuous when placed side by side) -------------------------------------------

Canvas fence(const Theme& t) {
    Canvas cv(40, 40);
    Color w = t.night ? shade(t.wood, -0.1f) : t.wood;
    for (float y : {15.0f, 27.0f}) {
        Sdf rail = sdf_box(-4, y, 44, y + 5);
        fill(cv, sdf_box(-4, y - 1.5f, 44, y + 6.5f), pal::outline);
        fill(cv, rail, lit(shade(w, -0.08f), y, y + 5, t.seed + 61));
    }
    Sdf post = sdf_polygon({{15, 40}, {15, 9}, {20, 4}, {25, 9}, {25, 40}});
    fill(cv, post, [&](float x, float y) {
        Color c = mix(shade(w, 0.2f), shade(w, -0.15f), y / 40);
        return shade(c, (value_noise(x * 1.2f, y * 0.15f, t.seed + 62) - 0.5f) * 0.3f);
    });
    bevel(cv, post, 2.5f, 0.35f, 0.35f);
    fill(cv, sdf_circle(20, 17.5f, 1), shade(t.metal, -0.3f));
    fill(cv, sdf_circle(20, 29.5f, 1), shade(t.metal, -0.3f));
    if (t.snow) {
        snow_cap(cv, post, 4, 11);
        snow_cap(cv, sdf_box(-4, 15, 44, 20), 2.5f, 12);
    }
    ink(cv);
    return cv;
}

// --- I: mushroom ------------------------------------------------------------------------------

void mushroom_at(Canvas& cv, const Theme& t, float x, float base, float size) {
    Color cap_c = t.night ? hex(0x5FD3E8) : (t.snow ? hex(0x6E8FD8) : pal::red);
    Sdf stem = sdf_box(x - size * 0.28f, base - size * 0.9f, x + size * 0.28f, base, size * 0.15f);
    fill(cv, stem, hgradient(x - size * 0.3f, hex(0xFFF3DC), x + size * 0.3f, hex(0xD9C3A0)));
    Sdf cap = sdf_intersect(sdf_ellipse(x, base - size * 0.82f, size * 0.78f, size * 0.62f),
                            sdf_box(x - size, base - size * 2, x + size, base - size * 0.72f));
    fill(cv, cap,
         radial(x - size * 0.3f, base - size * 1.2f, size * 1.2f, shade(cap_c, 0.35f),
                shade(cap_c, -0.2f)));
    Color dot = t.night ? hex(0xE9FFFF) : pal::white;
    fill(cv, sdf_circle(x - size * 0.35f, base - size * 1.05f, size * 0.12f), dot);
    fill(cv, sdf_circle(x + size * 0.2f, base - size * 1.22f, size * 0.14f), dot);
    fill(cv, sdf_circle(x + size * 0.48f, base - size * 0.92f, size * 0.09f), dot);
    if (t.snow) snow_cap(cv, cap, size * 0.25f, 13);
}

Canvas mushrooms(const Theme& t) {
    Canvas cv(40, 40);
    mushroom_at(cv, t, 14, 40, 14);
    mushroom_at(cv, t, 31, 40, 8);
    ink(cv);
    if (t.night) {
        glow(cv, 14, 26, 16, hex(0x5FD3E8), 0.35f);
        glow(cv, 31, 33, 10, hex(0x5FD3E8), 0.35f);
    }
    return cv;
}

// --- J: tall grass ----------------------------------------------------------------------------

Canvas tall_grass(const Theme& t) {
    Canvas cv(40, 40);
    Color g = t.snow ? hex(0xC9C08F) : t.top;
    Rng r(t.seed + 71);
    for (int i = 0; i < 11; ++i) {
        float x = 3 + i * 3.4f + r.range(-1, 1), h = r.range(18, 34), lean = r.range(-7, 7);
        float w = r.range(2.2f, 3.2f);
        Sdf blade = sdf_polygon({{x - w, 40},
                                 {x + lean * 0.5f - w * 0.4f, 40 - h * 0.55f},
                                 {x + lean, 40 - h},
                                 {x + lean * 0.5f + w * 0.5f, 40 - h * 0.55f},
                                 {x + w, 40}});
        Color c = shade(g, r.range(-0.2f, 0.2f));
        fill(cv, blade, vgradient(40 - h, shade(c, 0.3f), 40, shade(c, -0.25f)));
        if (t.snow) fill(cv, sdf_circle(x + lean, 40 - h + 2, 1.6f), kSnow);
    }
    ink(cv);
    if (t.night) fireflies(cv, t.seed + 72, 2, t.glow);
    return cv;
}

// --- K: lantern -------------------------------------------------------------------------------

Color iron_of(const Theme& t) { return t.night ? hex(0x3C3A55) : hex(0x4A4E63); }

// The lantern itself, glass and roof, with its top ring at (20, 4) of the canvas.
void lantern_head(Canvas& cv, const Theme& t) {
    Color iron = iron_of(t), light = t.glow;
    part(cv, sdf_box(12, 32, 28, 37, 1.5f), iron, 32, 37, t.seed + 83, 1.5f);
    Sdf glass = sdf_box(12.5f, 14, 27.5f, 32, 2);
    fill(cv, glass, radial(20, 24, 12, shade(light, 0.7f), shade(light, -0.1f)));
    fill(cv, sdf_box(19.2f, 14, 20.8f, 32), with_alpha(iron, 0.85f));
    fill(cv, sdf_ellipse(20, 26, 2.4f, 3.6f), with_alpha(pal::white, 0.95f));
    Sdf roof_shape = sdf_polygon({{8, 15}, {20, 5}, {32, 15}});
    part(cv, roof_shape, iron, 5, 15, t.seed + 84, 2);
    fill(cv, sdf_circle(20, 4, 2.2f), iron);
    if (t.snow) snow_cap(cv, roof_shape, 3.5f, 15);
}

Canvas lantern(const Theme& t) {
    Canvas cv(40, 80);
    Color iron = iron_of(t);
    part(cv, sdf_box(18, 36, 22, 80, 1), iron, 36, 80, t.seed + 81, 1.5f);
    part(cv, sdf_box(14, 74, 26, 80, 2), iron, 74, 80, t.seed + 82, 1.5f);
    lantern_head(cv, t);
    ink(cv);
    glow(cv, 20, 23, t.night ? 20 : 14, t.glow, t.night ? 0.95f : 0.4f);
    return cv;
}

// --- L: arch ----------------------------------------------------------------------------------

// Ivy climbing the left leg of the arch and over its shoulder.
void ivy(Canvas& cv, const Theme& t) {
    std::vector<std::pair<float, float>> vine;
    for (float y = 118; y > 62; y -= 8) vine.emplace_back(12 + 2 * std::sin(y * 0.3f), y);
    for (float a = kPi; a > kPi * 0.58f; a -= 0.12f)
        vine.emplace_back(60 + std::cos(a) * 49, 60 - std::sin(a) * 49);
    fill(cv, sdf_path(vine, 1.1f), mix(t.trunk, t.leaf, 0.4f));
    Color leaf = shade(t.leaf, 0.05f);
    for (size_t i = 1; i < vine.size(); ++i) {
        auto [x, y] = vine[i];
        float side = i % 2 != 0 ? 3.5f : -3.5f;
        float lx = x + side, ly = y - 1;
        Sdf clover = sdf_union(sdf_circle(lx - 1.6f, ly, 2.3f), sdf_circle(lx + 1.6f, ly, 2.3f));
        clover = sdf_union(clover, sdf_circle(lx, ly - 1.8f, 2.3f));
        fill(cv, clover, lit(leaf, ly - 4, ly + 3, t.seed + 94 + static_cast<uint32_t>(i)),
             around(lx, ly, 5));
        fill(cv, sdf_circle(lx - 0.6f, ly - 1.6f, 0.8f), with_alpha(pal::white, 0.4f),
             around(lx, ly, 2));
    }
}

Canvas arch(const Theme& t) {
    Canvas cv(120, 120);
    Sdf legs = sdf_union(sdf_box(4, 56, 26, 120), sdf_box(94, 56, 116, 120));
    Sdf ring = sdf_intersect(sdf_subtract(sdf_circle(60, 60, 56), sdf_circle(60, 60, 34)),
                             sdf_box(0, 0, 120, 62));
    Sdf stones = sdf_union(legs, ring);
    Masonry masonry{60, 60, 9, 16, t.seed + 91};
    fill(cv, stones, [&](float x, float y) {
        Color c = masonry_px(t.stone, masonry, x, y);
        return shade(c, -(x + y - 120) / 240 * 0.25f);
    });
    bevel(cv, stones, 4, 0.3f, 0.35f);
    Sdf key = sdf_polygon({{52, 2}, {68, 2}, {65, 28}, {55, 28}});
    part(cv, key, shade(t.stone, 0.08f), 2, 28, t.seed + 92, 3);
    if (t.snow) {
        snow_cap(cv, stones, 7, 17);
        snow_cap(cv, key, 4, 18);
    } else if (!t.night) {
        ivy(cv, t);
    }
    ink(cv);
    if (t.night) {
        // A lantern hangs from the keystone on a short chain.
        fill(cv, sdf_path({{60, 27}, {60, 33}}, 1.0f), iron_of(t));
        Canvas lamp(40, 40);
        lantern_head(lamp, t);
        ink(lamp);
        glow(lamp, 20, 23, 20, t.glow, 0.9f);
        draw_canvas(cv, scaled(lamp, 24, 24), 48, 30);
    }
    return cv;
}

}  // namespace

void draw_decor(const Theme& t, Writer& out) {
    std::string dir = "textures/theme_" + t.name + "/decor/";
    out.put(flag(t, false), dir + "A.png");
    out.put(flag(t, true), dir + "B.png");
    out.put(bush(t), dir + "C.png");
    out.put(flowers(t), dir + "D.png");
    out.put(t.snow ? pine_tree(t) : round_tree(t), dir + "E.png");
    out.put(rock(t), dir + "F.png");
    out.put(signpost(t), dir + "G.png");
    out.put(fence(t), dir + "H.png");
    out.put(mushrooms(t), dir + "I.png");
    out.put(tall_grass(t), dir + "J.png");
    out.put(lantern(t), dir + "K.png");
    out.put(arch(t), dir + "L.png");
}

}  // namespace tiles
