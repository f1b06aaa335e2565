// Pieces every theme borrows from "base": the teleport door (a stone frame and two rotating
// rings the game tints), the exit portal (three rotating layers, 10 × 10 cells) and the tiles
// shown for a cell code the game does not know.
#include <algorithm>
#include <cmath>

#include "art/art_tiles_util.h"

namespace tiles {

namespace {

// Sets every pixel from a function of its offset from the canvas centre, radius and angle.
void paint_polar(Canvas& cv, const std::function<Color(float dx, float dy, float r, float a)>& f) {
    float cx = cv.w / 2.0f, cy = cv.h / 2.0f;
    for (int y = 0; y < cv.h; ++y) {
        for (int x = 0; x < cv.w; ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            cv.at(x, y) = f(dx, dy, std::hypot(dx, dy), std::atan2(dy, dx));
        }
    }
}

// A soft four-pointed sparkle.
void sparkle(Canvas& cv, float x, float y, float r, Color c) {
    glow(cv, x, y, r * 1.3f, c, 0.5f);
    fill(cv, sdf_star(x, y, r, r * 0.22f, 4), c, around(x, y, r + 1));
}

// --- the door ---------------------------------------------------------------------------------

Canvas door_frame() {
    Canvas cv(120, 120);
    Sdf outer = sdf_union(sdf_box(8, 56, 112, 116), sdf_circle(60, 56, 52));
    Sdf opening = sdf_union(sdf_box(30, 56, 90, 121), sdf_circle(60, 56, 30));
    fill(cv, opening, [](float x, float y) {
        Color c = mix(hex(0x2A1F55), hex(0x0C0B1E),
                      std::clamp(std::hypot(x - 60, y - 76) / 50, 0.0f, 1.0f));
        return shade(c, (value_noise(x * 0.15f, y * 0.15f, 979) - 0.5f) * 0.15f);
    });
    Sdf frame = sdf_subtract(outer, opening);
    Masonry masonry{60, 56, 7, 14, 977};
    fill(cv, frame, [&](float x, float y) { return masonry_px(pal::stone, masonry, x, y); });
    bevel(cv, frame, 4, 0.3f, 0.35f);
    Sdf key = sdf_polygon({{52, 2}, {68, 2}, {65, 27}, {55, 27}});
    fill(cv, key, lit(shade(pal::stone, 0.1f), 2, 27, 980));
    bevel(cv, key, 3, 0.4f, 0.3f);
    fill(cv, sdf_circle(60, 12, 3.5f), radial(59, 11, 4, shade(pal::blue, 0.6f), pal::blue));
    Sdf step = sdf_box(2, 110, 118, 120, 2);
    fill(cv, step, lit(shade(pal::stone, -0.1f), 110, 120, 981));
    bevel(cv, step, 2.5f, 0.35f, 0.3f);
    ink(cv);
    return cv;
}

// The door's ring: white and light grey so the game's tint colours it; notches show it turning.
Canvas door_ring() {
    Canvas cv(120, 120);
    Sdf ring = sdf_ring(60, 60, 38, 9);
    Sdf notches = [](float x, float y) {
        float a = std::atan2(y - 60, x - 60);
        return (std::cos(a * 8) - 0.93f) * -40;
    };
    Sdf band = sdf_subtract(ring, notches);
    fill(cv, band, radial(46, 46, 70, pal::white, hex(0xB8BCC8)));
    stroke(cv, band, 1.3f, hex(0x8E94A6));
    for (int i = 0; i < 8; ++i) {
        float a = (i + 0.5f) * kPi / 4;
        float x = 60 + std::cos(a) * 50, y = 60 + std::sin(a) * 50;
        Sdf rune = sdf_star(x, y, i % 2 == 0 ? 5.5f : 3.8f, 2.2f, 4, a);
        fill(cv, rune, hex(0xE8EAF0), around(x, y, 7));
    }
    fill(cv, sdf_ring(60, 60, 26, 1.6f), with_alpha(pal::white, 0.8f));
    return cv;
}

Canvas door_sparkles() {
    Canvas cv(120, 120);
    for (int i = 0; i < 12; ++i) {
        float a = i * kPi / 6;
        float r = i % 3 == 0 ? 7.0f : 4.0f;
        sparkle(cv, 60 + std::cos(a) * 50, 60 + std::sin(a) * 50, r, pal::white);
        float b = a + kPi / 12;
        float x = 60 + std::cos(b) * 44, y = 60 + std::sin(b) * 44;
        fill(cv, sdf_circle(x, y, 1.5f), with_alpha(pal::white, 0.85f), around(x, y, 2));
    }
    return cv;
}

// --- the exit portal --------------------------------------------------------------------------

// The outer layer: a deep violet vortex whose bright arms wind in toward the centre.
Canvas portal_swirl() {
    Canvas cv(400, 400);
    paint_polar(cv, [](float dx, float dy, float r, float a) {
        float env = 1 - smoothstep(150, 197, r);
        if (env <= 0) return Color{0, 0, 0, 0};
        float arms = 0.5f + 0.5f * std::cos(a * 5 + r * 0.055f);
        float wisp = fractal_noise(dx / 24 + 50, dy / 24 + 50, 1201, 3);
        float k = std::clamp(std::pow(arms, 2.2f) * (0.5f + 0.8f * wisp), 0.0f, 1.0f);
        Color deep = mix(hex(0x3A1670), hex(0x1E0F45), smoothstep(40, 190, r));
        Color bright = mix(pal::pink, hex(0x9E6BFF), smoothstep(60, 180, r));
        bright = mix(bright, hex(0x8FE3FF), 0.4f * smoothstep(0.7f, 1.0f, arms * wisp * 1.4f));
        Color c = mix(deep, bright, k);
        float rim = std::exp(-std::pow((r - 178) / 9, 2.0f)) * 0.5f;
        c = mix(c, hex(0xC9A6FF), rim);
        return with_alpha(c, std::clamp(env * (0.72f + 0.28f * k), 0.0f, 1.0f));
    });
    Rng rng(1202);
    for (int i = 0; i < 18; ++i) {
        float a = rng.range(0, 2 * kPi), r = rng.range(80, 180);
        sparkle(cv, 200 + std::cos(a) * r, 200 + std::sin(a) * r, rng.range(3, 7), pal::white);
    }
    return cv;
}

Canvas portal_ring() {
    Canvas cv(400, 400);
    paint_polar(cv, [](float, float, float r, float a) {
        float line = std::exp(-std::pow((r - 118) / 4.5f, 2.0f));
        float halo = std::exp(-std::pow((r - 118) / 16, 2.0f)) * 0.45f;
        float dashes = std::cos(a * 24) > 0.2f ? 1.0f : 0.0f;
        float inner = std::exp(-std::pow((r - 98) / 1.8f, 2.0f)) * dashes;
        float outer = std::exp(-std::pow((r - 140) / 1.6f, 2.0f)) * 0.8f;
        Color c = mix(hex(0x8FE3FF), pal::gold, std::clamp(line * 1.2f, 0.0f, 1.0f));
        c = mix(c, pal::white, line * 0.6f);
        float alpha = std::max(std::max(line, halo), std::max(inner, outer));
        return with_alpha(c, std::clamp(alpha, 0.0f, 1.0f));
    });
    for (int i = 0; i < 8; ++i) {
        float a = i * kPi / 4;
        float x = 200 + std::cos(a) * 118, y = 200 + std::sin(a) * 118;
        Sdf gem = sdf_star(x, y, 10, 4.5f, 4, -a);
        fill(cv, gem, shade(pal::gold, -0.45f), around(x, y, 11));
        fill(
            cv, [gem](float px, float py) { return gem(px, py) + 1.5f; },
            radial(x - 2, y - 2, 10, pal::white, pal::gold), around(x, y, 11));
        float b = a + kPi / 8;
        float sx = 200 + std::cos(b) * 129, sy = 200 + std::sin(b) * 129;
        fill(cv, sdf_circle(sx, sy, 3), hex(0xBDF0FF), around(sx, sy, 4));
    }
    return cv;
}

// The top layer: a bright core with light spiralling out and a four-pointed flare.
Canvas portal_glow() {
    Canvas cv(400, 400);
    paint_polar(cv, [](float, float, float r, float a) {
        float body = std::pow(1 - smoothstep(0, 105, r), 1.2f);
        float spiral = 0.5f + 0.5f * std::cos(a * 3 - r * 0.08f);
        float rays = std::pow(std::fabs(std::cos(a * 2)), 60.0f) * (1 - smoothstep(0, 130, r));
        if (body <= 0 && rays <= 0) return Color{0, 0, 0, 0};
        Color c = mix(pal::white, hex(0x8FE3FF), smoothstep(10, 55, r));
        c = mix(c, pal::pink, smoothstep(45, 100, r) * (0.3f + 0.7f * spiral));
        float alpha = body * (0.75f + 0.25f * spiral) + rays;
        return with_alpha(mix(c, pal::white, std::min(rays, 1.0f)), std::clamp(alpha, 0.0f, 1.0f));
    });
    return cv;
}

// --- unknown cell codes -----------------------------------------------------------------------

Canvas error_tile(bool dim) {
    Canvas cv(64, 64);
    Color magenta = dim ? hex(0x8A1C8A) : hex(0xFF00FF), black = hex(0x000000);
    paint_all(cv, [&](float x, float y) {
        bool odd = (static_cast<int>(x / 8) + static_cast<int>(y / 8)) % 2 != 0;
        return odd ? black : magenta;
    });
    Canvas mark = glyph("?", 40, dim ? hex(0xC8C8D0) : pal::white);
    draw_centred(cv, mark, 32, 32);
    if (dim) fade(cv, 0.7f);
    return cv;
}

}  // namespace

void draw_base_extras(Writer& out) {
    out.put(door_frame(), "textures/theme_base/door/base.png");
    out.put(door_ring(), "textures/theme_base/door/center.png");
    out.put(door_sparkles(), "textures/theme_base/door/center2.png");
    out.put(portal_glow(), "textures/theme_base/portail/0.png");
    out.put(portal_ring(), "textures/theme_base/portail/1.png");
    out.put(portal_swirl(), "textures/theme_base/portail/2.png");
    out.put(error_tile(false), "textures/erb.png");
    out.put(error_tile(true), "textures/erd.png");
}

}  // namespace tiles
