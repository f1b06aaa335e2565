// The interface images of ide/: splash screens, the logo, clouds, the cursor, panels and frames
// of the menus and the editor, the heads-up display's line art and the loading spinner. The
// menu pictures and the menu background are drawn in art_ui_menu.cpp.
#include <cmath>
#include <functional>
#include <utility>

#include "art/art_ui_scene.h"
#include "assetgen.h"

namespace {

constexpr float pi = 3.14159265f;

// A dark navy panel with rounded corners, lit from the top and grainy, inside `shape`.
void panel(Canvas& cv, const Shape& shape, float top, float bottom, uint32_t seed) {
    Shader body = noisy(vgradient(top, shade(pal::panel, 0.16f), bottom, shade(pal::panel, -0.25f)),
                        seed, 24, 0.04f);
    fill(cv, shape, body);
}

Canvas mouse_cursor() {
    Canvas cv(24, 24);
    Pen pen;
    Shape arrow = pen.poly({{0.4f, 0.4f},
                            {0.4f, 19.5f},
                            {5.2f, 15.2f},
                            {8.6f, 22.6f},
                            {12.2f, 21.0f},
                            {8.9f, 13.9f},
                            {15.2f, 13.6f}});
    fill(cv, arrow, pal::outline);
    Shape inner = {[f = arrow.sdf](float x, float y) { return f(x, y) + 1.7f; }, arrow.box};
    fill(cv, inner, vgradient(2, pal::white, 20, hex(0xC9DDEA)));
    return cv;
}

Canvas white_pixel() { return Canvas(1, 1, pal::white); }

// The clouds the game draws over every level's background, day and night alike: half see-through,
// so the sky's own colour shows in them. Over a blue day they are soft white puffs; over a night
// sky, pale clouds lit by the moon. The lit tops hold more than the shaded undersides.
Canvas level_cloud(int w, int h, uint32_t seed) {
    Canvas cv = cloud_canvas(w, h, seed);
    for (Color& c : cv.px) {
        float light = smoothstep(0.86f, 1.0f, (c.r + c.g + c.b) / 3);
        c = mix(with_alpha(hex(0xC9D3EA), c.a), c, light);
        c.a *= 0.42f + 0.2f * light;
    }
    return cv;
}

Canvas select_frame() {
    Canvas cv(60, 60);
    Pen pen;
    fill(cv, cut(pen.box(3, 3, 57, 57, 10), pen.box(8, 8, 52, 52, 6)),
         with_alpha(pal::gold, 0.18f));
    Shape frame = cut(pen.box(1.5f, 1.5f, 58.5f, 58.5f, 11), pen.box(5.5f, 5.5f, 54.5f, 54.5f, 7));
    sticker(cv, frame, vgradient(0, hex(0xFFF1A8), 60, hex(0xF0A323)), 1.2f);
    return cv;
}

Canvas tile_frame() {
    Canvas cv(968, 548);
    Pen pen;
    fill(cv, cut(pen.box(0, 0, 968, 548, 26), pen.box(15, 15, 953, 533, 14)), pal::outline);
    Shape band = cut(pen.box(2, 2, 966, 546, 24), pen.box(12, 12, 956, 536, 14));
    fill(cv, band, vgradient(0, pal::white, 548, shade(pal::text, -0.12f)));
    fill(cv, cut(pen.box(3, 3, 965, 545, 23), pen.box(5, 5, 963, 543, 21)),
         with_alpha(pal::white, 0.8f));
    return cv;
}

Canvas dock_strip() {
    Canvas cv(64, 70);
    paint_vstops(cv, {{0.0f, shade(pal::panel, 0.2f)},
                      {0.85f, shade(pal::panel, -0.15f)},
                      {1.0f, shade(pal::panel, -0.3f)}});
    for (int x = 0; x < cv.w; ++x) {
        cv.at(x, 0) = shade(pal::panel, 0.35f);
        cv.at(x, 66) = shade(pal::gold, -0.1f);
        cv.at(x, 67) = shade(pal::gold, -0.35f);
        cv.at(x, 68) = pal::outline;
        cv.at(x, 69) = with_alpha(pal::outline, 0.6f);
    }
    return cv;
}

Canvas speech_bubble() {
    Canvas cv(200, 120);
    Pen pen;
    Shape body = unite(pen.box(2, 2, 198, 98, 26), pen.poly({{40, 90}, {72, 90}, {38, 118}}));
    fill(cv, body, pal::outline);
    Shape inner = {[f = body.sdf](float x, float y) { return f(x, y) + 2.2f; }, body.box};
    fill(cv, inner, vgradient(0, pal::white, 110, hex(0xE6F2FA)));
    return cv;
}

Canvas level_card() {
    Canvas cv(1600, 420);
    Pen pen;
    Shape outer = pen.box(8, 8, 1592, 412, 90);
    fill(cv, outer, pal::outline);
    Shape body = pen.box(16, 16, 1584, 404, 82);
    panel(cv, body, 16, 404, 501);
    fill(cv, cut(body, pen.box(30, 30, 1570, 390, 70)), shade(pal::gold, -0.05f));
    fill(cv, cut(pen.box(30, 30, 1570, 390, 70), pen.box(38, 38, 1562, 382, 62)),
         with_alpha(pal::outline, 0.8f));
    fill(cv, pen.box(38, 38, 1562, 382, 62),
         vgradient(40, with_alpha(pal::white, 0.08f), 220, with_alpha(pal::white, 0)));
    bevel_in(cv, body, 14, 0.4f, 0.35f);
    return cv;
}

Canvas back_button() {
    Canvas cv(120, 60);
    Pen pen;
    Shape body = pen.box(2, 2, 118, 58, 18);
    fill(cv, body, pal::outline);
    panel(cv, pen.box(4, 4, 116, 56, 16), 4, 56, 502);
    bevel_in(cv, pen.box(4, 4, 116, 56, 16), 5, 0.35f, 0.3f);
    Shape arrow = unite(pen.poly({{24, 30}, {50, 12}, {50, 48}}), pen.box(46, 23, 94, 37, 5));
    Shape rounded = {[f = arrow.sdf](float x, float y) { return f(x, y) - 2; },
                     {arrow.box.x0 - 2, arrow.box.y0 - 2, arrow.box.x1 + 2, arrow.box.y1 + 2}};
    sticker(cv, rounded, vgradient(12, hex(0xFFF1A8), 48, hex(0xF0A323)), 2);
    return cv;
}

// The ring around the time gauge's ticks: ticks fill a 40-pixel radius round (50, 50).
Canvas hud_ring() {
    Canvas cv(100, 100);
    Pen pen;
    fill(cv, cut(pen.circle(50, 50, 49.5f), pen.circle(50, 50, 40.5f)), pal::outline);
    Shape band = cut(pen.circle(50, 50, 47.5f), pen.circle(50, 50, 42.5f));
    fill(cv, band, [](float x, float y) {
        float facing = ((50 - x) + (50 - y)) / (std::hypot(x - 50, y - 50) * 1.41421356f + 1e-3f);
        return shade(pal::white, -0.25f + 0.25f * facing);
    });
    for (int i = 0; i < 12; ++i) {
        float a = i * pi / 6;
        float c = std::cos(a), s = std::sin(a);
        fill(cv, pen.capsule(50 + c * 43.5f, 50 + s * 43.5f, 50 + c * 46.5f, 50 + s * 46.5f, 0.7f),
             with_alpha(pal::outline, 0.7f));
    }
    return cv;
}

// The frame of the power gauge: four 37-pixel segments from x = 10, y = 10 … 30.
Canvas hud_bar() {
    Canvas cv(170, 40);
    Pen pen;
    Shape frame = cut(pen.box(3, 3, 165, 37, 10), pen.box(10, 10, 158, 30, 3));
    fill(cv, frame, pal::outline);
    Shape band = cut(pen.box(5, 5, 163, 35, 8), pen.box(8, 8, 160, 32, 4));
    fill(cv, band, vgradient(5, pal::white, 35, shade(pal::white, -0.35f)));
    for (int j = 1; j < 4; ++j) {
        float x = 10 + 37.0f * j;
        fill(cv, pen.box(x - 1, 10, x + 1, 30), with_alpha(pal::outline, 0.85f));
    }
    return cv;
}

Canvas spinner() {
    Canvas cv(150, 150);
    const int dots = 12;
    for (int i = 0; i < dots; ++i) {
        float t = static_cast<float>(i) / dots;  // 0 is the leading dot
        float a = -pi / 2 - t * 2 * pi;
        float cx = 75 + std::cos(a) * 58, cy = 75 + std::sin(a) * 58, r = 11 - 7 * t;
        Canvas dot(150, 150);
        Pen pen;
        Color c = mix(pal::gold, pal::text, t);
        sticker(dot, pen.circle(cx, cy, r),
                radial(cx - r * 0.4f, cy - r * 0.5f, r * 1.6f, shade(c, 0.45f), shade(c, -0.2f)),
                2);
        draw_canvas(cv, dot, 0, 0, 1, 1 - 0.55f * t);
    }
    return cv;
}

// Mivo's head on a blue disc, drawn at `size` pixels (128 for the splash screen and the window).
Canvas emblem(int size = 128) {
    float k = size / 128.0f;
    Canvas cv(size, size);
    Pen pen;
    sticker(cv, pen.circle(64 * k, 64 * k, 60 * k),
            radial(44 * k, 40 * k, 90 * k, hex(0x9FDBFF), pal::blue), 3 * k);
    Pen head{62 * k, 70 * k, 1.62f * k};
    draw_mivo_head(cv, head);
    return cv;
}

Canvas team_splash() {
    Canvas cv(640, 300, pal::black);
    Rng rng(801);
    for (int i = 0; i < 30; ++i)
        draw_sparkle(cv, rng.range(0, 640), rng.range(0, 300), rng.range(1, 3.5f),
                     with_alpha(pal::white, rng.range(0.15f, 0.5f)));
    Pen pen;
    fill(cv, pen.circle(320, 78, 90),
         radial(320, 78, 90, with_alpha(pal::blue, 0.35f), with_alpha(pal::blue, 0)));
    Canvas badge(128, 128);
    draw_canvas(badge, emblem(), 0, 0);
    draw_canvas(cv, badge, 320 - 44, 34, 88.0f / 128);
    Canvas team = text_canvas(display_font_path(), 46, "The Mivo Team", pal::gold);
    draw_canvas(cv, team, std::floor((640 - team.w) / 2.0f), 140);
    Canvas presents = text_canvas(display_font_path(), 26, "presents", pal::text);
    draw_canvas(cv, presents, std::floor((640 - presents.w) / 2.0f), 206);
    return cv;
}

Canvas banner_splash() {
    Canvas scene(640, 300);
    meadow_backdrop(scene, 250, 901);
    for (int i = 0; i < 16; ++i) draw_block(scene, i * 40.0f, 262, 40, Block::grass, 910 + i);
    draw_mivo(scene, Pen{540, 264, 1.25f, true}, Pose::wave);
    draw_coin(scene, 455, 205, 13);
    Canvas logo = logo_canvas(112);
    draw_canvas(scene, logo, std::floor(270 - logo.w / 2.0f), 34);
    Canvas tagline = rimmed_text(display_font_path(), 24, "A platform adventure", pal::white, 3);
    draw_canvas(scene, tagline, std::floor(270 - tagline.w / 2.0f), 188);
    Canvas cv(640, 300, pal::black);
    Pen pen;
    fill(cv, pen.box(4, 4, 636, 296, 30), pal::outline);
    fill(cv, pen.box(8, 8, 632, 292, 26),
         [&scene](float x, float y) { return scene.at(static_cast<int>(x), static_cast<int>(y)); });
    fill(cv, cut(pen.box(8, 8, 632, 292, 26), pen.box(12, 12, 628, 288, 22)),
         shade(pal::gold, -0.05f));
    return cv;
}

Canvas title_logo() {
    Canvas logo = logo_canvas(250);
    Canvas cv(800, 300);
    draw_canvas(cv, logo, std::floor((800 - logo.w) / 2.0f), std::floor((300 - logo.h) / 2.0f));
    return cv;
}

}  // namespace

bool generate_interface(const std::string& root) {
    const std::string ide = root + "/ide/";
    const std::pair<const char*, std::function<Canvas()>> images[] = {
        {"splashScreen.png", team_splash},
        {"splashScreen2.png", banner_splash},
        {"mivo.png", title_logo},
        {"cloud.png", [] { return level_cloud(320, 180, 11); }},
        {"cloud2.png", [] { return level_cloud(106, 60, 12); }},
        {"cloud3.png", [] { return level_cloud(160, 90, 13); }},
        {"mouse.png", mouse_cursor},
        {"px.png", white_pixel},
        {"select.png", select_frame},
        {"ctr.png", tile_frame},
        {"dock.png", dock_strip},
        {"bubble.png", speech_bubble},
        {"button.png", level_card},
        {"back.png", back_button},
        {"circle.png", hud_ring},
        {"h2.png", hud_bar},
        {"load.png", spinner},
        {"icon.png", [] { return emblem(); }},
    };
    bool ok = generate_menu_pictures(ide);
    for (const auto& [name, draw] : images) ok = save_png(draw(), ide + name) && ok;
    return ok;
}

bool generate_icons(const std::string& root) {
    bool ok = save_png(emblem(256), root + "/icons/mivo-256.png");
    return write_icon_svg(root + "/icons/mivo.svg") && ok;
}
