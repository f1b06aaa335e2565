// "vallee.png": a sunny valley panorama, one continuous landscape much wider than the window.
// Snowy peaks far away, wooded hills, fields and a winding river on the valley floor with a few
// villages, and green hills with big trees in front. It is opaque from top to bottom.
// The panorama is as high as the window and never moves up or down, so its lowest rows are what
// a pit or a cave shows at the foot of the view: the landscape keeps above them, and below the
// near hills the ground is cut open, earth and stones darkening into the deep.
#include <cmath>

#include "art/art_bg.h"
#include "art/art_ui_scene.h"

namespace {

constexpr int pano_w = 5760, pano_h = 1000;

void sky_and_clouds(Canvas& cv) {
    paint_vstops(cv, {{0.0f, shade(pal::sky_top, -0.1f)},
                      {0.4f, pal::sky_top},
                      {0.72f, pal::sky_bottom},
                      {1.0f, pal::sky_bottom}});
    Pen pen;
    fill(cv, pen.circle(1100, 170, 520),
         radial(1100, 170, 520, with_alpha(hex(0xFFF7D6), 0.55f), with_alpha(hex(0xFFF7D6), 0)));
    fill(cv, pen.circle(1100, 170, 66), radial(1100, 170, 66, hex(0xFFFDF0), hex(0xFFE98A)));
    Rng rng(4001);
    for (int i = 0; i < 14; ++i) {
        float w = rng.range(220, 460);
        Canvas cloud = cloud_canvas(static_cast<int>(w), static_cast<int>(w * 0.55f), 4002 + i);
        draw_canvas(cv, cloud, std::floor(i * 420 + rng.range(-60, 120)),
                    std::floor(rng.range(20, 200)), 1, 0.9f);
    }
}

void far_range(Canvas& cv) {
    Profile top = [](float x) {
        float ridged = 1 - std::fabs(noise1(x / 360, 4101, 4) * 2 - 1);
        return 455 - 290 * std::pow(ridged, 1.5f) - 40 * noise1(x / 80, 4102, 3);
    };
    paint_mountains(cv, top,
                    {hex(0xB9C5E8), hex(0x939FCC), hex(0xFBFCFF), hex(0xCFD9F2), 290,
                     mix(pal::sky_bottom, hex(0xB0C4E4), 0.4f), 360},
                    4103);
}

void wooded_hills(Canvas& cv) {
    Profile top = rolling(555, 105, 520, 4201);
    Color haze = mix(pal::grass, pal::sky_bottom, 0.45f);
    Rng rng(4202);
    for (int i = 0; i < 110; ++i) {
        float x = rng.range(0, pano_w);
        draw_tree(cv, x, top(x) + 12, rng.range(45, 75),
                  mix(shade(pal::grass, -0.1f), pal::sky_bottom, 0.38f), 4203 + i,
                  mix(pal::outline, haze, 0.6f));
    }
    paint_land(cv, top, shade(haze, 0.12f), shade(mix(pal::grass, pal::sky_bottom, 0.3f), -0.05f),
               200, 4204, 50, 0.05f);
}

// The valley floor: a patchwork of fields crossed by a river.
void valley_floor(Canvas& cv) {
    Profile top = [](float x) { return 598 - 25 * noise1(x / 700, 4301, 3); };
    auto river = [](float x) {
        return 636 + 20 * std::sin(x / 520) + 14 * (noise1(x / 300, 4302, 3) - 0.5f);
    };
    const Color crops[] = {hex(0x9ACD5C), hex(0xB8D46A), hex(0xE3C86A), hex(0x7DBF55)};
    paint_ridge(cv, {top, [&](float x, float y, float d) {
                         float warp = x + 160 * noise1(x / 400 + y / 90, 4303, 2);
                         int field = static_cast<int>(std::floor(warp / 300));
                         Color c = crops[(field * 7 + 3) % 4];
                         float rows = 0.5f + 0.5f * std::sin((x * 0.35f + y * 1.4f) *
                                                             (field % 2 ? 0.25f : 0.18f));
                         c = shade(c, (rows - 0.5f) * 0.08f - smoothstep(0, 120, d) * 0.05f);
                         float border = std::fabs(warp / 300 - std::round(warp / 300)) * 300;
                         c = mix(shade(pal::grass, -0.35f), c, smoothstep(2, 4, border));
                         float bank = std::fabs(y - river(x)) - (9 + 5 * noise1(x / 150, 4304, 2));
                         c = mix(shade(pal::earth, -0.1f), c, smoothstep(2.5f, 3.5f, bank));
                         float ripple = 0.5f + 0.5f * std::sin(x * 0.08f + y * 0.9f);
                         Color water = mix(hex(0x7CC8F2), pal::white, ripple * 0.35f + 0.1f);
                         return mix(water, c, smoothstep(-0.5f, 0.5f, bank));
                     }});
    Rng rng(4305);
    for (float vx : {1500.0f, 3300.0f, 4850.0f}) {
        for (int i = 0; i < 4; ++i) {
            float x = vx + i * 95 + rng.range(-20, 20);
            draw_cottage(cv, x, top(x + 40) + 22 + rng.range(0, 10), rng.range(60, 80),
                         4306 + i + static_cast<uint32_t>(vx));
        }
    }
}

void near_hills(Canvas& cv) {
    Profile top = rolling(676, 62, 430, 4401);
    Rng rng(4402);
    for (int i = 0; i < 13; ++i) {
        float x = 180 + i * 440 + rng.range(-120, 120);
        draw_tree(cv, x, top(x) + 30, rng.range(190, 270), shade(pal::grass, -0.05f), 4403 + i);
    }
    paint_land(cv, top, shade(pal::grass, 0.22f), shade(pal::grass, -0.25f), 60, 4404, 30, 0.08f);
}

// The ground cut open below the near hills: a grassy lip, roots hanging from it, then earth
// with stones in it, darker and darker down to the bottom edge.
void cut_ground(Canvas& cv) {
    Profile lip = [](float x) { return 688 + 10 * noise1(x / 160, 4501, 3); };
    const Color earth = shade(pal::earth, -0.15f), deep = hex(0x120B08);
    paint_ridge(cv, {lip, [&](float x, float y, float d) {
                         if (d < 9) return shade(pal::grass, -0.3f + 0.02f * d);
                         float strata = std::sin(y / 11 + 3 * noise1(x / 240, 4502, 2));
                         Color c = mix(earth, deep, smoothstep(0, 230, d));
                         float grain = fractal_noise(x / 18, y / 18, 4503, 3) - 0.5f;
                         return shade(c, 0.05f * strata + 0.12f * grain);
                     }});
    Rng rng(4504);
    Pen pen;
    for (int i = 0; i < 260; ++i) {
        float x = rng.range(0, pano_w), d = 20 + 230 * std::pow(rng.uniform(), 1.3f);
        float y = lip(x) + d, r = rng.range(4, 13);
        Color stone = mix(shade(pal::stone, -0.25f), deep, smoothstep(0, 260, d) * 0.85f);
        fill(cv, pen.ellipse(x, y, r * 1.4f, r),
             pen.vgrad(y - r, shade(stone, 0.15f), y + r, stone));
    }
    for (int i = 0; i < 90; ++i) {
        float x = rng.range(0, pano_w), len = rng.range(20, 70), sway = rng.range(-12, 12);
        float y = lip(x) + 6;
        fill(cv,
             pen.poly({{x - 2.5f, y},
                       {x + 2.5f, y},
                       {x + sway + 0.8f, y + len},
                       {x + sway - 0.8f, y + len}}),
             with_alpha(hex(0x3B2414), 0.85f));
    }
}

}  // namespace

bool generate_valley(const std::string& path) {
    Canvas cv(pano_w, pano_h);
    sky_and_clouds(cv);
    far_range(cv);
    wooded_hills(cv);
    valley_floor(cv);
    near_hills(cv);
    cut_ground(cv);
    return save_png(cv, path);
}
