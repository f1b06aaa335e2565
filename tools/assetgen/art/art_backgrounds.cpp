// The level backgrounds of textures/backgrounds/. A layered set is a folder named by one
// character: a small sky stretched over the window, three bands of land drawn at the window's
// height and twice its width and scrolled at 1/6, 1/4 and 1/3 of the camera's speed (far to
// near), and a fourth image the game loads but never draws. Every other copy of a band is
// mirrored, so each band's skyline flattens into its mirror image at both ends. A band slides
// down as the camera rises, so its land keeps to the lower part and reaches the bottom edge.
// "vallee.png" is a panorama: one wide landscape, scaled to the window's height.
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "art/art_bg.h"
#include "art/art_ui_scene.h"
#include "assetgen.h"

namespace {

constexpr int band_w = 2048, band_h = 1024;
constexpr float seam = 220;  // how far from each end a skyline turns into its mirror image

Canvas sky(const std::vector<std::pair<float, Color>>& stops) {
    Canvas cv(64, 512);
    paint_vstops(cv, stops);
    return cv;
}

Canvas unused_layer() { return Canvas(1, 1); }

// Positions along a band for `count` objects, kept `margin` pixels clear of the mirrored ends.
std::vector<float> spread(int count, float margin, uint32_t seed) {
    Rng rng(seed);
    std::vector<float> xs;
    float step = (band_w - 2 * margin) / count;
    for (int i = 0; i < count; ++i) xs.push_back(margin + step * (i + rng.range(0.15f, 0.85f)));
    return xs;
}

// Trees and other things drawn on their own layer, then pulled toward the haze or the night.
void hazed(Canvas& cv, const std::function<void(Canvas&)>& draw, Color haze, float amount) {
    Canvas layer(cv.w, cv.h);
    draw(layer);
    tint(layer, haze, amount);
    draw_canvas(cv, layer, 0, 0);
}

// --- "1": a sunny meadow -------------------------------------------------------------------

Canvas meadow_far() {
    Canvas cv(band_w, band_h);
    Profile top = seamless(
        [](float x) {
            float ridged = 1 - std::fabs(noise1(x / 330, 1101, 4) * 2 - 1);
            return 540 - 230 * std::pow(ridged, 1.5f) - 35 * noise1(x / 80, 1102, 3);
        },
        band_w, seam);
    paint_mountains(cv, top,
                    {hex(0xB4BFE6), hex(0x8E98C8), hex(0xF7F9FF), hex(0xCCD5F0), 365,
                     mix(pal::sky_bottom, hex(0xAFC0E6), 0.45f), 380},
                    1103);
    return cv;
}

Canvas meadow_hills() {
    Canvas cv(band_w, band_h);
    Profile top = seamless(rolling(640, 120, 420, 1201), band_w, seam);
    Color haze = mix(pal::sky_bottom, hex(0xA9C7E8), 0.3f);
    Rng rng(1202);
    hazed(
        cv,
        [&](Canvas& layer) {
            for (float x : spread(30, 60, 1203))
                draw_tree(layer, x, top(x) + 14, rng.range(60, 90), pal::grass,
                          1204 + static_cast<uint32_t>(x));
        },
        haze, 0.45f);
    paint_land(cv, top, mix(shade(pal::grass, 0.2f), haze, 0.4f), mix(pal::grass, haze, 0.25f), 300,
               1205, 50, 0.05f);
    hazed(
        cv,
        [&](Canvas& layer) {
            for (float x : spread(7, 110, 1206))
                draw_tree(layer, x, top(x) + 90, rng.range(110, 150), pal::grass,
                          1207 + static_cast<uint32_t>(x));
        },
        haze, 0.25f);
    return cv;
}

Canvas meadow_near() {
    Canvas cv(band_w, band_h);
    Profile top = seamless(rolling(850, 70, 330, 1301), band_w, seam);
    Rng rng(1302);
    for (float x : spread(4, 200, 1303))
        draw_tree(cv, x, top(x) + 50, rng.range(260, 380), shade(pal::grass, -0.05f),
                  1304 + static_cast<uint32_t>(x));
    paint_land(cv, top, shade(pal::grass, 0.22f), shade(pal::grass, -0.3f), 170, 1305, 30, 0.08f);
    for (float x : spread(7, 90, 1306))
        draw_bush(cv, x, top(x) + 22, rng.range(26, 40), 1307 + static_cast<uint32_t>(x));
    Pen pen;
    for (float x : spread(36, 30, 1308)) {
        float y = top(x) + rng.range(14, 60);
        Color petals =
            rng.uniform() < 0.5f ? pal::pink : (rng.uniform() < 0.5f ? pal::gold : pal::white);
        for (int i = 0; i < 5; ++i) {
            float a = i * 2 * 3.14159265f / 5;
            fill(cv, pen.circle(x + std::cos(a) * 4, y + std::sin(a) * 4, 3.4f), petals);
        }
        fill(cv, pen.circle(x, y, 2.4f), pal::gold);
    }
    return cv;
}

// --- "2": snowy mountains and pines -------------------------------------------------------

Canvas snow_far() {
    Canvas cv(band_w, band_h);
    Profile top = seamless(
        [](float x) {
            float ridged = 1 - std::fabs(noise1(x / 300, 2101, 4) * 2 - 1);
            return 570 - 340 * std::pow(ridged, 1.6f) - 45 * noise1(x / 70, 2102, 3);
        },
        band_w, seam);
    paint_mountains(
        cv, top,
        {hex(0x8C9FC2), hex(0x62779F), hex(0xFFFFFF), hex(0xB8CCEA), 420, hex(0xD8E8F8), 380},
        2103);
    return cv;
}

Canvas snow_hills() {
    Canvas cv(band_w, band_h);
    Profile top = seamless(rolling(650, 110, 400, 2201), band_w, seam);
    Color haze = hex(0xCFE0F3);
    Rng rng(2202);
    hazed(
        cv,
        [&](Canvas& layer) {
            for (float x : spread(60, 40, 2203))
                draw_pine(layer, x, top(x) + rng.range(8, 30), rng.range(60, 110), hex(0x2E6B5E),
                          true, pal::outline, 2204 + static_cast<uint32_t>(x));
        },
        haze, 0.5f);
    paint_land(cv, top, hex(0xEAF3FC), hex(0xB7CCE7), 300, 2205, 50, 0.04f);
    return cv;
}

Canvas snow_near() {
    Canvas cv(band_w, band_h);
    Profile top = seamless(rolling(850, 70, 330, 2301), band_w, seam);
    Rng rng(2302);
    for (float x : spread(5, 150, 2303))
        draw_pine(cv, x, top(x) + 40, rng.range(250, 380), hex(0x2E6B5E), true, pal::outline,
                  2304 + static_cast<uint32_t>(x));
    paint_land(cv, top, hex(0xFFFFFF), hex(0xB3CBEA), 170, 2305, 26, 0.06f);
    Profile drift = seamless(rolling(960, 50, 260, 2307), band_w, seam);
    paint_land(cv, drift, hex(0xFFFFFF), hex(0xAFC7E8), 110, 2308, 26, 0.05f);
    for (float x : spread(40, 20, 2306))
        draw_sparkle(cv, x, top(x) + rng.range(20, 120), rng.range(3, 7),
                     with_alpha(pal::white, 0.9f));
    return cv;
}

// --- "3": a starry night, a castle on the hill --------------------------------------------

const Color night_shadow = hex(0x0E1428);

Canvas night_far() {
    Canvas cv(band_w, band_h);
    draw_stars(cv, 660, 520, 3101);
    draw_moon(cv, 1420, 170, 60);
    Profile top = seamless(rolling(600, 130, 480, 3102), band_w, seam);
    paint_land(cv, top, hex(0x3A4282), hex(0x262D66), 300, 3103, 60, 0.04f);
    return cv;
}

Canvas night_hills() {
    Canvas cv(band_w, band_h);
    const float castle_x = 1020;
    Profile hills = rolling(700, 80, 380, 3201);
    Profile top = seamless(
        [&](float x) {
            float mound = std::exp(-std::pow((x - castle_x) / 280, 2.0f));
            return hills(x) * (1 - mound) + (hills(castle_x) - 150) * mound;
        },
        band_w, seam);
    Rng rng(3202);
    hazed(
        cv,
        [&](Canvas& layer) {
            for (float x : spread(26, 50, 3203)) {
                if (std::fabs(x - castle_x) < 250) continue;
                draw_pine(layer, x, top(x) + 14, rng.range(70, 110), hex(0x2E5D5A), false,
                          pal::outline, 3204 + static_cast<uint32_t>(x));
            }
        },
        hex(0x1E2550), 0.7f);
    draw_castle(cv, castle_x, top(castle_x) + 8, 300, hex(0x2B3060));
    paint_land(cv, top, hex(0x2A3166), hex(0x1A1F47), 260, 3205, 50, 0.05f);
    return cv;
}

Canvas night_near() {
    Canvas cv(band_w, band_h);
    Profile top = seamless(rolling(860, 70, 330, 3301), band_w, seam);
    Rng rng(3302);
    hazed(
        cv,
        [&](Canvas& layer) {
            std::vector<float> xs = spread(5, 160, 3303);
            for (size_t i = 0; i < xs.size(); ++i) {
                float x = xs[i];
                if (i % 2 == 0)
                    draw_pine(layer, x, top(x) + 40, rng.range(280, 360), hex(0x2E5D5A), false,
                              pal::outline, 3304 + static_cast<uint32_t>(x));
                else
                    draw_tree(layer, x, top(x) + 40, rng.range(250, 320), pal::grass,
                              3305 + static_cast<uint32_t>(x));
            }
        },
        night_shadow, 0.8f);
    paint_land(cv, top, hex(0x1E2D40), hex(0x0E1522), 160, 3306, 30, 0.05f);
    Pen pen;
    Color glow = hex(0xE9FF8A);
    for (float x : spread(36, 30, 3307)) {
        float y = top(x) - rng.range(20, 260);
        fill(cv, pen.circle(x, y, 14),
             radial(x, y, 14, with_alpha(glow, 0.4f), with_alpha(glow, 0)));
        fill(cv, pen.circle(x, y, 2.2f), with_alpha(hex(0xFBFFD8), 0.95f));
    }
    return cv;
}

struct LayerSet {
    const char* name;
    std::function<Canvas()> sky, far, hills, near;
};

bool write_set(const std::string& dir, const LayerSet& set) {
    const std::string folder = dir + set.name + "/";
    bool ok = save_png(set.sky(), folder + "0.png");
    ok = save_png(set.far(), folder + "1.png") && ok;
    ok = save_png(set.hills(), folder + "2.png") && ok;
    ok = save_png(set.near(), folder + "3.png") && ok;
    return save_png(unused_layer(), folder + "4.png") && ok;
}

}  // namespace

bool generate_backgrounds(const std::string& root) {
    const std::string dir = root + "/textures/backgrounds/";
    const LayerSet sets[] = {
        {"1",
         [] {
             return sky({{0.0f, shade(pal::sky_top, -0.08f)},
                         {0.55f, pal::sky_top},
                         {1.0f, pal::sky_bottom}});
         },
         meadow_far, meadow_hills, meadow_near},
        {"2",
         [] {
             return sky({{0.0f, hex(0x6FA8DC)}, {0.6f, hex(0xB4D4F0)}, {1.0f, hex(0xE6F2FF)}});
         },
         snow_far, snow_hills, snow_near},
        {"3",
         [] {
             return sky({{0.0f, hex(0x080C26)}, {0.55f, hex(0x18204F)}, {1.0f, hex(0x3B3F7C)}});
         },
         night_far, night_hills, night_near},
    };
    bool ok = true;
    for (const LayerSet& set : sets) ok = write_set(dir, set) && ok;
    return generate_valley(dir + "vallee.png") && ok;
}
