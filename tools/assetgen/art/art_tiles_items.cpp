// Items of each theme (64 × 64, one cell: traps, power-ups, the gem, the spring and the coin)
// and the rail pieces that carry moving platforms.
#include <algorithm>
#include <cmath>
#include <tuple>

#include "art/art_tiles_util.h"

namespace tiles {

namespace {

// A metal spike: the lit left face and the shaded right face meet at the ridge.
void spike(Canvas& cv, float x, float base, float half, float top_x, float top_y, Color metal) {
    Sdf left = sdf_polygon({{x - half, base}, {top_x, top_y}, {x, base}});
    Sdf right = sdf_polygon({{x, base}, {top_x, top_y}, {x + half, base}});
    fill(cv, left, vgradient(top_y, shade(metal, 0.55f), base, shade(metal, 0.05f)));
    fill(cv, right, vgradient(top_y, shade(metal, 0.1f), base, shade(metal, -0.4f)));
}

void spike_base(Canvas& cv, Color metal, uint32_t seed) {
    Sdf plate = sdf_box(2, 50, 62, 64, 3);
    fill(cv, plate, lit(shade(metal, -0.25f), 50, 64, seed));
    bevel(cv, plate, 3, 0.4f, 0.35f);
    for (float x : {10.0f, 32.0f, 54.0f}) {
        fill(cv, sdf_circle(x, 57, 1.7f), shade(metal, -0.6f));
        fill(cv, sdf_circle(x - 0.4f, 56.6f, 0.8f), shade(metal, 0.4f));
    }
}

Canvas trap(const Theme& t) {
    Canvas cv(64, 64);
    for (int i = 0; i < 4; ++i) {
        float x = 9 + i * 15.33f;
        spike(cv, x, 51, 7.5f, x, 12, t.metal);
    }
    spike_base(cv, t.metal, t.seed + 1);
    ink(cv);
    return cv;
}

Canvas sprung_trap(const Theme& t) {
    Canvas cv(64, 64);
    Color dull = mix(t.metal, pal::outline, 0.3f);
    const float tips[][2] = {{-9, 41}, {8, 43}, {-7, 40}, {10, 44}};
    for (int i = 0; i < 4; ++i) {
        float x = 9 + i * 15.33f;
        spike(cv, x, 51, 6.5f, x + tips[i][0], tips[i][1], dull);
    }
    spike_base(cv, dull, t.seed + 2);
    Sdf bit = sdf_polygon({{40, 46}, {47, 43}, {45, 48}});
    fill(cv, bit, shade(dull, 0.2f));
    ink(cv);
    return cv;
}

Canvas hourglass(const Theme& t) {
    Canvas cv(64, 64);
    Color wood = t.wood;
    Sdf glass = sdf_union(sdf_union(sdf_ellipse(32, 22, 13, 11), sdf_ellipse(32, 42, 13, 11)),
                          sdf_box(29, 26, 35, 38, 2));
    fill(cv, glass, with_alpha(mix(pal::ice, pal::white, 0.4f), 0.85f));
    Sdf top_sand = sdf_intersect(sdf_ellipse(32, 22, 11, 9), sdf_box(0, 22, 64, 64));
    Sdf heap = sdf_intersect(sdf_ellipse(32, 42, 11, 9), sdf_ellipse(32, 53, 14, 11));
    Color sand = t.night ? pal::gold : hex(0xF2B63A);
    fill(cv, top_sand, vgradient(22, shade(sand, 0.2f), 31, shade(sand, -0.15f)));
    fill(cv, heap, vgradient(42, shade(sand, 0.25f), 52, shade(sand, -0.2f)));
    fill(cv, sdf_box(31.2f, 28, 32.8f, 46), sand);
    fill(cv, sdf_capsule(25, 16, 23, 25, 1.6f), with_alpha(pal::white, 0.85f));
    stroke(cv, glass, 1.2f, with_alpha(shade(pal::ice, -0.35f), 0.9f));
    for (float y : {6.0f, 52.0f}) {
        Sdf cap = sdf_box(14, y, 50, y + 7, 2.5f);
        fill(cv, cap, lit(wood, y, y + 7, t.seed + 3));
        bevel(cv, cap, 2.5f, 0.4f, 0.35f);
    }
    for (float x : {17.0f, 47.0f}) {
        Sdf post = sdf_box(x - 2, 12, x + 2, 53, 1.5f);
        fill(cv, post, hgradient(x - 2, shade(wood, 0.25f), x + 2, shade(wood, -0.25f)));
    }
    ink(cv);
    return cv;
}

Canvas feather(const Theme& t) {
    Canvas cv(64, 64);
    // The feather lies along a gentle curve from the quill (bottom left) to the tip (top right).
    auto spine = [](float s) {
        float x = 12 + s * 40, y = 54 - s * 44 - std::sin(s * kPi) * 6;
        return std::pair{x, y};
    };
    std::vector<std::pair<float, float>> left, right, mid;
    for (int i = 0; i <= 16; ++i) {
        float s = i / 16.0f;
        auto [x, y] = spine(s);
        auto [nx2, ny2] = spine(std::min(1.0f, s + 0.02f));
        float dx = nx2 - x, dy = ny2 - y, len = std::hypot(dx, dy) + 1e-4f;
        float px = -dy / len, py = dx / len;
        float width = s < 0.18f ? 0 : 10 * std::sin((s - 0.18f) / 0.82f * kPi * 0.92f + 0.1f);
        float notch = (i == 7 || i == 11) ? 3.0f : 0.0f;
        left.emplace_back(x + px * (width - notch), y + py * (width - notch));
        right.emplace_back(x - px * width * 0.8f, y - py * width * 0.8f);
        mid.emplace_back(x, y);
    }
    std::vector<std::pair<float, float>> outline_pts = left;
    for (auto it = right.rbegin(); it != right.rend(); ++it) outline_pts.push_back(*it);
    Sdf vane = sdf_polygon(outline_pts);
    Color tint = t.night ? hex(0xB79CFF) : (t.snow ? hex(0x7CC8F2) : hex(0x6FBDF5));
    fill(cv, vane, [=](float x, float y) {
        float k = std::clamp((x - 14) / 40 + (54 - y) / 80, 0.0f, 1.0f);
        return mix(pal::white, tint, std::sqrt(k));
    });
    for (int i = 4; i < 16; i += 2) {
        auto [x, y] = mid[i];
        fill(cv, sdf_capsule(x, y, left[i + 1].first, left[i + 1].second, 0.45f),
             with_alpha(shade(tint, -0.35f), 0.5f));
    }
    fill(cv, sdf_path(mid, 1.1f), shade(tint, -0.45f));
    ink(cv);
    return cv;
}

Canvas bolt() {
    Canvas cv(64, 64);
    Sdf s = sdf_polygon({{38, 3}, {14, 35}, {29, 35}, {22, 61}, {50, 25}, {34, 25}, {44, 3}});
    fill(cv, s, vgradient(4, shade(pal::gold, 0.45f), 60, hex(0xF29A1E)));
    bevel(cv, s, 3, 0.5f, 0.3f);
    fill(cv, sdf_polygon({{38, 7}, {20, 31}, {24, 31}, {40, 9}}), with_alpha(pal::white, 0.7f));
    ink(cv);
    for (auto [x, y, r] :
         {std::tuple{12.0f, 14.0f, 4.0f}, {54.0f, 44.0f, 3.5f}, {51.0f, 9.0f, 2.5f}}) {
        fill(cv, sdf_star(x, y, r, r * 0.3f, 4), pal::white);
    }
    return cv;
}

Canvas gem(const Theme& t) {
    Canvas cv(64, 64);
    Color g = t.snow ? hex(0x4FD1E8) : (t.night ? hex(0xB06CFF) : pal::pink);
    const std::pair<float, float> crown[] = {{8, 24}, {20, 10}, {44, 10}, {56, 24}};
    const std::pair<float, float> tip{32, 58};
    // Facets: the table on top, two crown bevels, and the pavilion split in shaded slices.
    fill(cv, sdf_polygon({crown[0], crown[1], {26, 24}}), shade(g, 0.2f));
    fill(cv, sdf_polygon({crown[1], crown[2], {38, 24}, {26, 24}}), shade(g, 0.55f));
    fill(cv, sdf_polygon({crown[2], crown[3], {38, 24}}), shade(g, -0.05f));
    fill(cv, sdf_polygon({crown[0], {26, 24}, tip}), shade(g, 0.05f));
    fill(cv, sdf_polygon({{26, 24}, {38, 24}, tip}), shade(g, 0.3f));
    fill(cv, sdf_polygon({{38, 24}, crown[3], tip}), shade(g, -0.3f));
    fill(cv, sdf_polygon({{22, 12}, {30, 12}, {25, 22}, {20, 22}}), with_alpha(pal::white, 0.55f));
    ink(cv);
    fill(cv, sdf_star(47, 14, 7, 1.6f, 4), pal::white);
    fill(cv, sdf_star(15, 44, 4, 1.0f, 4), with_alpha(pal::white, 0.9f));
    return cv;
}

// The spring is stretched between 1/48 and about half a window high at full cell width, so it
// is two full-width plates with an even coil between them that reads at any height.
Canvas spring(const Theme& t) {
    Canvas cv(64, 64);
    Color coil = shade(t.metal, 0.05f);
    constexpr int kTurns = 5;
    constexpr float kPitch = 9.2f;
    for (int i = 0; i < kTurns; ++i) {
        float y = 8 + i * kPitch;
        fill(cv, sdf_capsule(12, y + kPitch / 2, 52, y, 3.0f), shade(coil, -0.35f));
        fill(cv, sdf_capsule(12, y + kPitch / 2, 52, y + kPitch, 3.0f),
             vgradient(y + 1, shade(coil, 0.5f), y + kPitch + 2, shade(coil, -0.15f)));
    }
    Color top = t.night ? pal::purple : (t.snow ? pal::blue : pal::red);
    Sdf plate_top = sdf_box(2, 2, 62, 10, 3);
    fill(cv, plate_top, lit(top, 2, 10, t.seed + 5));
    bevel(cv, plate_top, 2.5f, 0.5f, 0.35f);
    Sdf plate_bottom = sdf_box(4, 55, 60, 63, 2.5f);
    fill(cv, plate_bottom, lit(shade(t.metal, -0.3f), 55, 63, t.seed + 6));
    bevel(cv, plate_bottom, 2.5f, 0.4f, 0.35f);
    ink(cv);
    return cv;
}

// A face-on coin: the game squeezes its width to make it spin.
Canvas coin() {
    Canvas cv(64, 64);
    Color g = pal::gold;
    fill(cv, sdf_circle(32, 32, 28), vgradient(4, shade(g, 0.2f), 60, hex(0xE09A1A)));
    Sdf face = sdf_circle(32, 32, 21);
    fill(cv, face, vgradient(11, shade(g, 0.35f), 53, shade(g, -0.1f)));
    stroke(cv, sdf_circle(32, 32, 22), 1.6f, hex(0xC77A12));
    Sdf star = sdf_star(32, 33, 13, 6, 5);
    fill(
        cv, [&](float x, float y) { return star(x - 1, y - 1); }, with_alpha(pal::white, 0.7f));
    fill(
        cv, [&](float x, float y) { return star(x + 1, y + 1); }, hex(0xC77A12));
    fill(cv, star, shade(g, 0.1f));
    fill(cv, sdf_intersect(sdf_ring(32, 32, 24.5f, 2.5f), sdf_box(0, 0, 30, 30)),
         with_alpha(pal::white, 0.75f));
    ink(cv);
    fill(cv, sdf_star(46, 16, 6, 1.3f, 4), pal::white);
    return cv;
}

// --- rails ------------------------------------------------------------------------------------

Canvas rail_node(const Theme& t) {
    Canvas cv(64, 64);
    Color m = t.metal, tie = shade(t.wood, -0.2f);
    for (float a : {0.0f, 90.0f}) {
        float c = std::cos(a * kTau / 360), s = std::sin(a * kTau / 360);
        Sdf sleeper = sdf_capsule(32 - c * 22, 32 - s * 22, 32 + c * 22, 32 + s * 22, 4);
        fill(cv, sleeper, lit(tie, 26, 38, t.seed + 7));
    }
    Sdf ring = sdf_ring(32, 32, 14, 5);
    fill(cv, ring, radial(26, 26, 22, shade(m, 0.45f), shade(m, -0.3f)));
    fill(cv, sdf_circle(32, 32, 5), radial(30, 30, 6, shade(m, 0.6f), shade(m, -0.3f)));
    ink(cv);
    return cv;
}

Canvas rail_bar(const Theme& t) {
    Canvas cv(64, 8);
    fill(cv, sdf_box(0, 0, 64, 8), pal::outline);
    fill(cv, sdf_box(0, 1.5f, 64, 6.5f),
         vgradient(1.5f, shade(t.metal, 0.5f), 6.5f, shade(t.metal, -0.35f)));
    return cv;
}

}  // namespace

void draw_items(const Theme& t, Writer& out) {
    std::string dir = "textures/theme_" + t.name + "/";
    out.put(trap(t), dir + "objets/a.png");
    out.put(sprung_trap(t), dir + "objets/b.png");
    out.put(hourglass(t), dir + "objets/c.png");
    out.put(feather(t), dir + "objets/d.png");
    out.put(bolt(), dir + "objets/e.png");
    out.put(gem(t), dir + "objets/f.png");
    out.put(spring(t), dir + "objets/g.png");
    out.put(coin(), dir + "objets/h.png");
    out.put(rail_node(t), dir + "rail/1.png");
    out.put(rail_bar(t), dir + "rail/0.png");
}

}  // namespace tiles
