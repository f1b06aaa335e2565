// The level backgrounds of textures/backgrounds/. A layered set is a folder named by one
// character: a small sky stretched over the window, three bands of land drawn at the window's
// height and twice its width and scrolled at 1/6, 1/4 and 1/3 of the camera's speed (far to
// near), and a fourth image the game loads but never draws. Every other copy of a band is
// mirrored, so each band's skyline flattens into its mirror image at both ends. A band slides
// down as the camera rises, so its land keeps to the lower part and reaches the bottom edge.
// "vallee.png" is a panorama: one wide landscape, scaled to the window's height.
#include <algorithm>
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

// A skyline of ridged peaks: `base` minus up to `height` pixels of ridged noise `period` pixels
// wide (sharpened by `power`), minus up to `detail` pixels of finer noise. Seeds seed, seed + 1.
Profile ridged_range(float base, float height, float power, float period, float detail,
                     float detail_period, uint32_t seed) {
    return seamless(
        [=](float x) {
            float ridged = 1 - std::fabs(noise1(x / period, seed, 4) * 2 - 1);
            return base - height * std::pow(ridged, power) -
                   detail * noise1(x / detail_period, seed + 1, 3);
        },
        band_w, seam);
}

// A row of `count` snowy pines standing a little into the land, pulled toward the haze.
// Seeds seed (sizes), seed + 1 (places), seed + 2 … (each pine).
void snowy_pines(Canvas& cv, const Profile& top, int count, float sink, float lowest, float tallest,
                 Color needles, Color haze, float amount, uint32_t seed) {
    Rng rng(seed);
    hazed(
        cv,
        [&](Canvas& layer) {
            for (float x : spread(count, 40, seed + 1))
                draw_pine(layer, x, top(x) + rng.range(8, sink), rng.range(lowest, tallest),
                          needles, true, pal::outline, seed + 2 + static_cast<uint32_t>(x));
        },
        haze, amount);
}

// A small light with its halo: a firefly, a window far away, a lamp.
void glow_dot(Canvas& cv, float x, float y, float halo, Color glow, float strength, float core,
              Color centre) {
    Pen pen;
    fill(cv, pen.circle(x, y, halo),
         radial(x, y, halo, with_alpha(glow, strength), with_alpha(glow, 0)));
    fill(cv, pen.circle(x, y, core), centre);
}

// White daytime clouds high in a band's sky, clear of its mirrored ends. The clouds the game
// draws over every level are see-through, to suit night skies too; a sunny set paints its own.
void day_clouds(Canvas& cv, int count, float highest, float lowest, uint32_t seed) {
    Rng rng(seed);
    for (float x : spread(count, 200, seed + 1)) {
        float w = rng.range(200, 340);
        Canvas cloud = cloud_canvas(static_cast<int>(w), static_cast<int>(w * 0.56f),
                                    seed + 2 + static_cast<uint32_t>(x));
        draw_canvas(cv, cloud, std::floor(x - w / 2), std::floor(rng.range(highest, lowest)), 1,
                    0.95f);
    }
}

// --- "1": a sunny meadow -------------------------------------------------------------------

Canvas meadow_far() {
    Canvas cv(band_w, band_h);
    day_clouds(cv, 4, 30, 170, 1106);
    Profile top = ridged_range(540, 230, 1.5f, 330, 35, 80, 1101);
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
    day_clouds(cv, 3, 20, 110, 2106);
    Profile top = ridged_range(570, 340, 1.6f, 300, 45, 70, 2101);
    paint_mountains(
        cv, top,
        {hex(0x8C9FC2), hex(0x62779F), hex(0xFFFFFF), hex(0xB8CCEA), 420, hex(0xD8E8F8), 380},
        2103);
    return cv;
}

Canvas snow_hills() {
    Canvas cv(band_w, band_h);
    Profile top = seamless(rolling(650, 110, 400, 2201), band_w, seam);
    snowy_pines(cv, top, 60, 30, 60, 110, hex(0x2E6B5E), hex(0xCFE0F3), 0.5f, 2202);
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
    Color glow = hex(0xE9FF8A);
    for (float x : spread(36, 30, 3307)) {
        float y = top(x) - rng.range(20, 260);
        glow_dot(cv, x, y, 14, glow, 0.4f, 2.2f, with_alpha(hex(0xFBFFD8), 0.95f));
    }
    return cv;
}

// --- "4": the northern lights over frozen peaks --------------------------------------------

// Curtains of light hanging from a wavy upper edge: bright green at their foot, fading to violet
// and nothing toward their top, in soft vertical rays.
void draw_aurora(Canvas& cv, float foot, uint32_t seed) {
    Profile lower =
        seamless([&](float x) { return foot - 120 * noise1(x / 420, seed, 3); }, band_w, seam);
    Profile height =
        seamless([&](float x) { return 160 + 200 * noise1(x / 260, seed + 1, 3); }, band_w, seam);
    Profile rays = seamless([&](float x) { return 0.35f + 0.65f * noise1(x / 18, seed + 2, 2); },
                            band_w, seam);
    const Color green = hex(0x7CFFB8), violet = hex(0xB07CFF);
    for (int x = 0; x < cv.w; ++x) {
        float fx = static_cast<float>(x), bottom = lower(fx), top = bottom - height(fx);
        float ray = rays(fx);
        for (int y = std::max(0, static_cast<int>(top));
             y < std::min(cv.h, static_cast<int>(bottom) + 30); ++y) {
            float t = (bottom - y) / (bottom - top);  // 0 at the foot, 1 at the top
            float a = t < 0 ? std::max(0.0f, 1 + t * 3.5f) * 0.7f : (1 - t) * (1 - t) * 0.7f;
            blend(cv, x, y, with_alpha(mix(green, violet, std::clamp(t, 0.0f, 1.0f)), a * ray));
        }
    }
}

Canvas aurora_far() {
    Canvas cv(band_w, band_h);
    draw_stars(cv, 640, 420, 4101);
    draw_aurora(cv, 330, 4102);
    Profile top = ridged_range(600, 300, 1.7f, 280, 40, 60, 4103);
    // Night snow: the faces turned up catch the aurora's green glow, the rest is deep blue.
    paint_mountains(
        cv, top,
        {hex(0x3F5E84), hex(0x1D3153), hex(0x9CCFC6), hex(0x4A6C96), 460, hex(0x133350), 360},
        4105);
    return cv;
}

Canvas aurora_hills() {
    Canvas cv(band_w, band_h);
    Profile top = seamless(rolling(680, 100, 360, 4201), band_w, seam);
    snowy_pines(cv, top, 48, 26, 60, 105, hex(0x24574F), hex(0x15304C), 0.7f, 4202);
    paint_land(cv, top, hex(0x6C93B0), hex(0x223F62), 300, 4205, 50, 0.05f);
    return cv;
}

Canvas aurora_near() {
    Canvas cv(band_w, band_h);
    Profile top = seamless(rolling(860, 60, 300, 4301), band_w, seam);
    Rng rng(4302);
    Pen pen;
    // Clusters of ice crystals standing out of the snow, lit green from above.
    for (float x : spread(9, 120, 4303)) {
        float foot = top(x) + 30;
        for (int k = 0; k < 3; ++k) {
            float cx = x + (k - 1) * rng.range(26, 40),
                  h = rng.range(110, 230) * (k == 1 ? 1.3f : 0.8f);
            float w = h * 0.16f, lean = (k - 1) * h * 0.18f;
            Shape crystal = pen.poly({{cx - w, foot},
                                      {cx - w * 0.8f + lean * 0.7f, foot - h * 0.8f},
                                      {cx + lean, foot - h},
                                      {cx + w * 0.8f + lean * 0.7f, foot - h * 0.8f},
                                      {cx + w, foot}});
            sticker(cv, crystal, pen.vgrad(foot - h, hex(0xD2FFEA), foot, hex(0x5C8FBF)), 3,
                    hex(0x1C3456));
        }
    }
    paint_land(cv, top, hex(0x9BC3D3), hex(0x35567E), 170, 4304, 26, 0.05f);
    for (float x : spread(50, 20, 4305))
        draw_sparkle(cv, x, top(x) + rng.range(16, 130), rng.range(3, 7),
                     with_alpha(hex(0xD8FFF0), 0.9f));
    return cv;
}

// --- "5": a railway viaduct at dusk --------------------------------------------------------

// The level in front of this set crosses a bottomless gorge: the foot of every band sinks into
// the dark, so that through the gap in the ground the player looks down into the deep, not at
// a floor. The ground of the level hides the bands' lowest quarter everywhere else.
constexpr float gorge_top = 0.7f * band_h;
const Color gorge_dark = hex(0x07040F);

void sink_into_gorge(Canvas& cv) {
    for (int y = static_cast<int>(gorge_top); y < cv.h; ++y) {
        float t = smoothstep(gorge_top, 0.94f * band_h, y + 0.5f);
        for (int x = 0; x < cv.w; ++x)
            cv.at(x, y) = with_alpha(mix(cv.at(x, y), gorge_dark, t), cv.at(x, y).a);
    }
}

// A faint violet mist hanging in the gorge below the viaduct.
void gorge_mist(Canvas& cv) {
    const float middle = 0.76f * band_h, half = 0.06f * band_h;
    const Color mist = hex(0x6A4A9A);
    for (int y = static_cast<int>(middle - half); y < static_cast<int>(middle + half); ++y) {
        float k = 1 - std::fabs(y + 0.5f - middle) / half;
        for (int x = 0; x < cv.w; ++x) blend(cv, x, y, with_alpha(mist, 0.22f * k * k));
    }
}

Canvas dusk_far() {
    Canvas cv(band_w, band_h);
    draw_stars(cv, 420, 260, 5101);
    draw_moon(cv, 560, 150, 38);
    Profile top = seamless(rolling(640, 120, 420, 5102), band_w, seam);
    paint_land(cv, top, hex(0x4A2F6B), hex(0x2A1A45), 300, 5103, 60, 0.04f);
    // The lights of far villages along the hilltops.
    Rng rng(5104);
    Color lamp = hex(0xFFD27A);
    for (float x : spread(14, 80, 5105)) {
        for (int k = 0; k < 4; ++k) {
            float lx = x + rng.range(-26, 26), ly = top(lx) + rng.range(10, 40);
            glow_dot(cv, lx, ly, 7, lamp, 0.35f, 1.8f, with_alpha(hex(0xFFF1C4), 0.95f));
        }
    }
    sink_into_gorge(cv);
    return cv;
}

Canvas dusk_viaduct() {
    Canvas cv(band_w, band_h);
    Profile top = seamless(rolling(760, 90, 380, 5201), band_w, seam);
    const Color stone = hex(0x1A1230);
    Pen pen;
    // The viaduct: a deck all along the band, on arched piers; its rail on top, lamps on posts.
    const float deck = 560, span = 128;
    fill(cv, pen.box(0, deck, band_w, deck + 30), stone);
    fill(cv, pen.box(0, deck - 6, band_w, deck), hex(0x4B3A6E));
    for (float x = span / 2; x < band_w; x += span) {
        fill(cv, pen.box(x - 16, deck + 30, x + 16, band_h), stone);
        Shape arch = cut(pen.box(x + 16, deck + 30, x + span - 16, deck + 90),
                         pen.ellipse(x + span / 2, deck + 100, span / 2 - 16, 62));
        fill(cv, arch, stone);
    }
    Color lamp = hex(0xFFD27A);
    for (float x = span; x < band_w - span / 2; x += 2 * span) {
        fill(cv, pen.box(x - 2, deck - 52, x + 2, deck - 6), stone);
        glow_dot(cv, x, deck - 56, 26, lamp, 0.45f, 5, hex(0xFFF1C4));
    }
    paint_land(cv, top, hex(0x352654), hex(0x1C1433), 240, 5202, 50, 0.05f);
    sink_into_gorge(cv);
    gorge_mist(cv);
    return cv;
}

Canvas dusk_near() {
    Canvas cv(band_w, band_h);
    Profile top = seamless(rolling(880, 60, 320, 5301), band_w, seam);
    Rng rng(5302);
    hazed(
        cv,
        [&](Canvas& layer) {
            for (float x : spread(7, 140, 5303)) {
                if (rng.range(0, 1) < 0.5f)
                    draw_tree(layer, x, top(x) + 40, rng.range(230, 300), pal::grass,
                              5304 + static_cast<uint32_t>(x));
                else
                    draw_bush(layer, x, top(x) + 20, rng.range(50, 80),
                              5305 + static_cast<uint32_t>(x));
            }
        },
        hex(0x150F26), 0.8f);
    paint_land(cv, top, hex(0x241A38), hex(0x0F0A1C), 150, 5306, 30, 0.05f);
    Color glow = hex(0xFFE28A);
    for (float x : spread(30, 30, 5307)) {
        float y = top(x) - rng.range(20, 240);
        glow_dot(cv, x, y, 12, glow, 0.4f, 2, with_alpha(hex(0xFFF6D0), 0.95f));
    }
    sink_into_gorge(cv);
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
        {"4",
         [] {
             return sky({{0.0f, hex(0x050E22)}, {0.5f, hex(0x0D2846)}, {1.0f, hex(0x2A6474)}});
         },
         aurora_far, aurora_hills, aurora_near},
        {"5",
         [] {
             return sky({{0.0f, hex(0x120A2E)},
                         {0.3f, hex(0x2E1D5C)},
                         {0.48f, hex(0x8A3F6E)},
                         {0.62f, hex(0xF0925D)},
                         {1.0f, hex(0xF6B070)}});
         },
         dusk_far, dusk_viaduct, dusk_near},
    };
    bool ok = true;
    for (const LayerSet& set : sets) ok = write_set(dir, set) && ok;
    return generate_valley(dir + "vallee.png") && ok;
}
