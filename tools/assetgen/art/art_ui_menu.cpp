// The main menu's six tile pictures (each zooms up to fill the window when chosen, and the
// credits picture is read whole), the menus' background and the settings corner picture.
// Tiles carry a light caption on their lower edge, so their subjects keep to the upper part.
#include <cmath>
#include <functional>
#include <utility>

#include "art/art_ui_scene.h"

namespace {

constexpr int tile_w = 960, tile_h = 540;
constexpr float pi = 3.14159265f;

// A row of blocks of `size` pixels from column x0 to x1 (exclusive), top edge at y.
void block_row(Canvas& cv, int x0, int x1, float y, float size, Block kind, uint32_t seed) {
    for (int i = x0; i < x1; ++i) draw_block(cv, i * size, y, size, kind, seed + i);
}

void flower(Canvas& cv, float x, float y, float r, Color petals) {
    Pen pen;
    fill(cv, pen.capsule(x, y, x, y - r * 2.5f, r * 0.18f), shade(pal::grass, -0.3f));
    for (int i = 0; i < 5; ++i) {
        float a = i * 2 * pi / 5;
        sticker(
            cv,
            pen.circle(x + std::cos(a) * r * 0.6f, y - r * 2.5f + std::sin(a) * r * 0.6f, r * 0.5f),
            petals, 1.2f);
    }
    sticker(cv, pen.circle(x, y - r * 2.5f, r * 0.38f), pal::gold, 1.0f);
}

Canvas story_picture() {
    Canvas cv(tile_w, tile_h);
    meadow_backdrop(cv, 430, 101);
    const float b = 72;
    block_row(cv, 0, 8, 432, b, Block::grass, 110);
    block_row(cv, 10, 14, 432, b, Block::grass, 120);
    block_row(cv, 0, 8, 432 + b, b, Block::earth, 130);
    block_row(cv, 10, 14, 432 + b, b, Block::earth, 140);
    draw_bush(cv, 90, 434, 46, 150);
    flower(cv, 190, 434, 9, pal::pink);
    flower(cv, 222, 434, 8, pal::gold);
    draw_block(cv, 470, 170, b, Block::brick, 160);
    draw_block(cv, 470 + b, 170, b, Block::question, 161);
    draw_block(cv, 470 + 2 * b, 170, b, Block::brick, 162);
    for (int i = 0; i < 4; ++i) {
        float t = i / 3.0f;
        draw_coin(cv, 590 + i * 50, 330 - std::sin(t * pi) * 60, 17, 1 - 0.25f * (i % 2));
    }
    draw_portal(cv, 860, 330, 92);
    draw_mivo(cv, Pen{450, 384, 2.0f}, Pose::run);
    caption_shade(cv, 110, 0.45f);
    return cv;
}

// The editor's palette strip across the top of a picture, its third icon highlighted.
void editor_dock(Canvas& cv, float height) {
    Pen pen;
    fill(cv, pen.box(0, 0, static_cast<float>(cv.w), height),
         vgradient(0, shade(pal::panel, 0.2f), height, shade(pal::panel, -0.2f)));
    fill(cv, pen.box(0, height - 6, static_cast<float>(cv.w), height - 2),
         shade(pal::gold, -0.15f));
    fill(cv, pen.box(0, height - 2, static_cast<float>(cv.w), height + 2), pal::outline);
    const Block icons[] = {Block::grass,    Block::earth, Block::brick,
                           Block::question, Block::stone, Block::crate};
    float slot = height * 0.95f, icon = height * 0.62f, top = (height - 6 - icon) / 2;
    int i = 0;
    for (Block kind : icons) {
        float x = 24 + slot * i;
        if (i == 2) {
            Shape frame = cut(pen.box(x - 9, top - 9, x + icon + 9, top + icon + 9, 14),
                              pen.box(x - 3, top - 3, x + icon + 3, top + icon + 3, 8));
            fill(cv, grown(frame, 3), with_alpha(pal::gold, 0.3f));
            sticker(cv, frame, vgradient(top, hex(0xFFF1A8), top + icon, hex(0xF0A323)), 2);
        }
        draw_block(cv, x, top, icon, kind, 300 + i);
        ++i;
    }
    float x = 24 + slot * i;
    draw_coin(cv, x + icon / 2, top + icon / 2, icon * 0.4f);
    draw_tree(cv, x + slot + icon / 2, top + icon, icon, shade(pal::grass, -0.05f), 310);
    draw_mivo_head(cv, Pen{x + 2 * slot + icon / 2, top + icon / 2, icon / 56});
}

// The editor's cell grid below `top`, lines on multiples of `cell` shifted down by `phase`.
void grid_overlay(Canvas& cv, float top, float cell, float phase) {
    for (int y = static_cast<int>(top); y < cv.h; ++y) {
        bool row_line = std::fmod(y - phase, cell) < 2;
        for (int x = 0; x < cv.w; ++x) {
            if (row_line || std::fmod(static_cast<float>(x), cell) < 2)
                blend(cv, x, y, pal::white, 0.28f);
        }
    }
}

// An arrow cursor like the game's, `s` times its natural size, tip at (x, y).
void big_cursor(Canvas& cv, float x, float y, float s) {
    Pen pen{x, y, s};
    Shape arrow = pen.poly({{0, 0},
                            {0, 19},
                            {4.8f, 14.8f},
                            {8.2f, 22.2f},
                            {11.8f, 20.6f},
                            {8.5f, 13.5f},
                            {14.8f, 13.2f}});
    sticker(cv, arrow, vgradient(y, pal::white, y + 20 * s, hex(0xC9DDEA)), 1.6f * s);
}

Canvas creations_picture() {
    Canvas cv(tile_w, tile_h);
    meadow_backdrop(cv, 440, 201);
    const float b = 60, top = 100;
    grid_overlay(cv, top, b, 20);
    block_row(cv, 0, 16, 440, b, Block::grass, 210);
    block_row(cv, 0, 16, 440 + b, b, Block::earth, 220);
    for (int i = 0; i < 3; ++i) draw_block(cv, 600 + i * b, 380 - i * b, b, Block::stone, 230 + i);
    draw_block(cv, 600 + b, 380, b, Block::stone, 233);
    draw_block(cv, 600 + 2 * b, 380, b, Block::stone, 234);
    draw_block(cv, 600 + 2 * b, 320, b, Block::stone, 235);
    draw_block(cv, 300, 260, b, Block::brick, 240);
    draw_block(cv, 360, 260, b, Block::question, 241);
    Canvas ghost(tile_w, tile_h);
    draw_block(ghost, 420, 260, b, Block::brick, 242);
    draw_canvas(cv, ghost, 0, 0, 1, 0.55f);
    Pen pen;
    fill(cv, cut(pen.box(416, 256, 484, 324, 8), pen.box(420, 260, 480, 320, 6)), pal::white);
    draw_mivo(cv, Pen{150, 440, 1.25f}, Pose::stand);
    draw_coin(cv, 390, 200, 16);
    draw_coin(cv, 840, 160, 16);
    big_cursor(cv, 462, 300, 3.2f);
    editor_dock(cv, top);
    caption_shade(cv, 110, 0.45f);
    return cv;
}

Canvas multiplayer_picture() {
    Canvas cv(tile_w, tile_h);
    meadow_backdrop(cv, 470, 301);
    const float b = 64;
    block_row(cv, 0, 15, 476, b, Block::grass, 310);
    for (int i = 0; i < 4; ++i) draw_block(cv, 80 + i * b, 330, b, Block::grass, 320 + i);
    for (int i = 0; i < 4; ++i) draw_block(cv, 624 + i * b, 300, b, Block::grass, 330 + i);
    for (int i = 0; i < 5; ++i)
        draw_coin(cv, 370 + i * 55, 140 + std::fabs(i - 2.0f) * 22, 15, i % 2 ? 0.7f : 1.0f);
    draw_mivo(cv, Pen{300, 300, 1.9f}, Pose::jump);
    MivoLook friend_look{pal::purple, hex(0x2FB57C)};
    draw_mivo(cv, Pen{680, 300, 1.9f, true}, Pose::wave, friend_look);
    draw_sparkle(cv, 480, 95, 22, pal::white);
    draw_sparkle(cv, 440, 120, 11, hex(0xFFF3B0));
    draw_sparkle(cv, 525, 118, 13, hex(0xFFF3B0));
    caption_shade(cv, 110, 0.45f);
    return cv;
}

void slider(Canvas& cv, float x0, float x1, float y, float value, Color bar) {
    Pen pen;
    sticker(cv, pen.box(x0, y - 8, x1, y + 8, 8), shade(pal::panel, -0.2f), 3);
    float knob = x0 + (x1 - x0) * value;
    fill(cv, pen.box(x0 + 3, y - 5, knob, y + 5, 5),
         vgradient(y - 5, shade(bar, 0.3f), y + 5, bar));
    sticker(cv, pen.circle(knob, y, 17),
            radial(knob - 6, y - 7, 28, hex(0xFFF6C4), shade(pal::gold, -0.2f)), 3);
}

Canvas settings_picture() {
    Canvas cv(tile_w, tile_h);
    paint_all(cv, radial(480, 200, 700, shade(pal::purple, -0.1f), shade(pal::panel, -0.1f)));
    Rng rng(401);
    for (int i = 0; i < 40; ++i)
        draw_sparkle(cv, rng.range(0, tile_w), rng.range(0, tile_h), rng.range(2, 5),
                     with_alpha(pal::white, 0.5f));
    draw_gear(cv, 300, 250, 190, 12, pal::gold, 8);
    draw_gear(cv, 565, 118, 110, 9, pal::stone, 3);
    draw_gear(cv, 560, 400, 92, 8, hex(0x5AA0FF), 12);
    Pen pen;
    sticker(cv, pen.box(660, 150, 920, 400, 24),
            vgradient(150, shade(pal::panel, 0.2f), 400, shade(pal::panel, -0.1f)), 4);
    slider(cv, 700, 880, 210, 0.75f, pal::blue);
    slider(cv, 700, 880, 275, 0.45f, pal::pink);
    slider(cv, 700, 880, 340, 0.6f, pal::grass);
    caption_shade(cv, 110, 0.45f);
    return cv;
}

// One centred line of the credits page.
void centred(Canvas& cv, const std::string& font, int size, const std::string& text, float y,
             Color c) {
    Canvas t = rimmed_text(font, size, text, c, 2.5f);
    draw_canvas(cv, t, std::floor((cv.w - t.w) / 2.0f), std::floor(y));
}

// A credits row: the role right-aligned before the middle, the names left-aligned after it.
void credit_row(Canvas& cv, const std::string& role, const std::string& names, float y) {
    if (!role.empty()) {
        Canvas r = text_canvas(display_font_path(), 21, role, pal::ice);
        draw_canvas(cv, r, std::floor(cv.w / 2.0f - 16 - r.w), std::floor(y + 2));
    }
    draw_text(cv, small_font_path(), 26, names, cv.w / 2.0f + 16, y - 2, pal::text);
}

Canvas credits_picture() {
    Canvas cv(tile_w, tile_h);
    paint_all(cv, noisy(vgradient(0, shade(pal::panel, 0.18f), tile_h, shade(pal::panel, -0.3f)),
                        501, 40, 0.03f));
    Rng rng(502);
    for (int i = 0; i < 60; ++i)
        draw_sparkle(cv, rng.range(0, tile_w), rng.range(0, tile_h), rng.range(1.5f, 4),
                     with_alpha(pal::white, rng.range(0.2f, 0.6f)));
    Pen pen;
    fill(cv, cut(pen.box(14, 14, 946, 526, 26), pen.box(20, 20, 940, 520, 21)),
         shade(pal::gold, -0.1f));
    Canvas logo = logo_canvas(96);
    draw_canvas(cv, logo, std::floor((tile_w - logo.w) / 2.0f), 22);
    centred(cv, display_font_path(), 26, "A game by the Mivo Team", 150, pal::gold);
    fill(cv, pen.capsule(300, 206, 660, 206, 1.2f), with_alpha(pal::text, 0.5f));
    credit_row(cv, "Game design & code", "The Mivo Team", 226);
    credit_row(cv, "Art, drawn in code", "The Mivo Team", 266);
    credit_row(cv, "Music & sound, synthesised in code", "The Mivo Team", 306);
    credit_row(cv, "Fonts", "Comfortaa by Johan Aakerlund", 346);
    credit_row(cv, "", "Carlito by tyPoland \xC5\x81ukasz Dziedzic", 380);
    centred(cv, display_font_path(), 34, "Thanks for playing!", 438, pal::gold);
    draw_mivo(cv, Pen{110, 500, 1.05f}, Pose::wave);
    draw_coin(cv, 840, 470, 20);
    draw_coin(cv, 880, 440, 14, 0.6f);
    return cv;
}

void arched_door(Canvas& cv, float cx, float bottom, float w, float h) {
    Pen pen;
    float x0 = cx - w / 2, x1 = cx + w / 2, spring = bottom - h + w / 2;
    auto arch = [&](float grow) {
        return unite(pen.box(x0 - grow, spring, x1 + grow, bottom),
                     pen.circle(cx, spring, w / 2 + grow));
    };
    Shape frame = arch(w * 0.22f);
    sticker(cv, frame,
            noisy(vgradient(spring - w, shade(pal::stone, 0.2f), bottom, shade(pal::stone, -0.15f)),
                  601, 8, 0.08f),
            4);
    for (int i = 0; i < 9; ++i) {
        float a = pi + i * pi / 8;
        float r0 = w / 2, r1 = w / 2 + w * 0.22f;
        fill(cv,
             pen.capsule(cx + std::cos(a) * r0, spring + std::sin(a) * r0, cx + std::cos(a) * r1,
                         spring + std::sin(a) * r1, 1.5f),
             shade(pal::stone, -0.45f));
    }
    Shape opening = arch(0);
    fill(cv, opening, radial(cx, bottom - h * 0.4f, h, hex(0xFFF3C4), hex(0xFFB347)));
    float leaf = w * 0.62f;
    Shape door = clip(opening, pen.poly({{x0, spring - w},
                                         {x0 + leaf, spring - w + w * 0.08f},
                                         {x0 + leaf, bottom + 2},
                                         {x0, bottom + 2}}));
    sticker(cv, door,
            noisy(hgradient(x0, shade(pal::wood, 0.1f), x0 + leaf, shade(pal::wood, -0.3f)), 602, 6,
                  0.08f),
            3);
    for (int i = 1; i < 3; ++i) {
        float px = x0 + leaf * i / 3;
        fill(cv, clip(pen.box(px - 1.5f, spring - w, px + 1.5f, bottom), door),
             shade(pal::wood, -0.45f));
    }
    for (float by : {spring + h * 0.05f, bottom - h * 0.2f})
        sticker(cv, clip(pen.box(x0, by, x0 + leaf, by + 10), door), hex(0x5B6170), 2);
    sticker(cv, pen.circle(x0 + leaf - 16, bottom - h * 0.42f, 7), pal::gold, 2);
}

Canvas close_picture() {
    Canvas cv(tile_w, tile_h);
    paint_vstops(cv, {{0.0f, hex(0x2E3A7A)},
                      {0.45f, hex(0x8A5AA8)},
                      {0.8f, hex(0xFFB38A)},
                      {1.0f, hex(0xFFD6A0)}});
    Rng rng(603);
    for (int i = 0; i < 50; ++i)
        draw_sparkle(cv, rng.range(0, tile_w), rng.range(0, 220), rng.range(1.5f, 4.5f),
                     with_alpha(pal::white, rng.range(0.4f, 0.9f)));
    paint_ridge(cv, {[](float x) { return 380 - 50 * noise1(x / 260, 604); },
                     [](float x, float y, float d) {
                         return shade(mix(hex(0x6E8F5A), hex(0x3E5C45), smoothstep(0, 160, d)),
                                      (fractal_noise(x / 30, y / 30, 605, 3) - 0.5f) * 0.08f);
                     }});
    Pen pen;
    fill(cv, pen.ellipse(480, 470, 300, 90),
         radial(480, 470, 300, with_alpha(hex(0xFFD27A), 0.55f), with_alpha(hex(0xFFD27A), 0)));
    paint_ridge(cv, {[](float x) { return 460 - 18 * std::cos((x - 480) / 400); },
                     [](float x, float y, float d) {
                         return shade(mix(shade(pal::grass, -0.1f), shade(pal::grass, -0.45f),
                                          smoothstep(0, 80, d)),
                                      (fractal_noise(x / 25, y / 25, 606, 3) - 0.5f) * 0.1f);
                     }});
    arched_door(cv, 480, 450, 190, 330);
    fill(cv, pen.ellipse(470, 456, 150, 22),
         radial(470, 456, 150, with_alpha(hex(0xFFE7A8), 0.6f), with_alpha(hex(0xFFE7A8), 0)));
    draw_mivo(cv, Pen{700, 462, 1.15f, true}, Pose::wave);
    draw_tree(cv, 140, 470, 230, shade(pal::grass, -0.25f), 607);
    caption_shade(cv, 110, 0.45f);
    return cv;
}

// Land for the menu background: a colour darkening with depth below the ridge, with grain.
std::function<Color(float, float, float)> land(Color top, Color bottom, float depth, uint32_t seed,
                                               float grain_size) {
    return [=](float x, float y, float d) {
        Color c = mix(top, bottom, smoothstep(0, depth, d));
        return shade(c, (fractal_noise(x / grain_size, y / grain_size, seed, 3) - 0.5f) * 0.07f);
    };
}

Canvas menu_background() {
    Canvas cv(1920, 1080);
    paint_vstops(cv, {{0.0f, shade(pal::sky_top, -0.05f)},
                      {0.35f, pal::sky_top},
                      {0.6f, pal::sky_bottom},
                      {1.0f, pal::sky_bottom}});
    Pen pen;
    fill(cv, pen.circle(250, 180, 560),
         radial(250, 180, 560, with_alpha(hex(0xFFF7D6), 0.6f), with_alpha(hex(0xFFF7D6), 0)));
    fill(cv, pen.circle(250, 180, 72), radial(250, 180, 72, hex(0xFFFDF0), hex(0xFFE98A)));
    for (int i = 0; i < 3; ++i) {
        Canvas cloud = cloud_canvas(420 - i * 60, 236 - i * 34, 720 + i);
        draw_canvas(cv, cloud, 640.0f + i * 430, 70.0f + (i % 2) * 110, 1, 0.75f);
    }
    Color far = mix(hex(0x8FA8D8), pal::sky_bottom, 0.35f);
    paint_ridge(cv, {[](float x) {
                         float ridged = 1 - std::fabs(noise1(x / 300, 701, 4) * 2 - 1);
                         return 640 - 260 * ridged * ridged - 60 * noise1(x / 90, 709, 3);
                     },
                     land(shade(far, 0.25f), far, 220, 702, 70)});
    Color mid = mix(pal::grass, pal::sky_bottom, 0.45f);
    auto mid_top = [](float x) { return 720 - 110 * noise1(x / 420, 703); };
    Rng rng(706);
    for (int i = 0; i < 40; ++i) {
        float tx = rng.range(0, 1920);
        draw_tree(cv, tx, mid_top(tx) + 14, rng.range(45, 70),
                  mix(shade(pal::grass, -0.1f), pal::sky_bottom, 0.4f), 740 + i,
                  mix(pal::outline, mid, 0.55f));
    }
    paint_ridge(cv, {mid_top, land(shade(mid, 0.12f), shade(mid, -0.08f), 250, 704, 60)});
    auto near = [](float x) { return 850 - 120 * noise1(x / 360, 705) - 30 * std::sin(x / 500); };
    const float groves[][2] = {{140, 190},  {250, 150},  {820, 210},
                               {1480, 170}, {1590, 220}, {1700, 160}};
    for (const auto& g : groves)
        draw_tree(cv, g[0], near(g[0]) + 34, g[1], shade(pal::grass, -0.08f),
                  707 + static_cast<uint32_t>(g[0]));
    paint_ridge(cv,
                {near, land(shade(pal::grass, 0.22f), shade(pal::grass, -0.22f), 260, 708, 40)});
    return cv;
}

// Kept low in its corner: the menu's rows glide down the window's left side above it, and the
// row under the highlighted one must stay readable on a 600-pixel-high window.
Canvas settings_corner() {
    Canvas cv(320, 220);
    Pen pen;
    sticker(cv, pen.box(100, 92, 314, 214, 18),
            vgradient(92, shade(pal::panel, 0.25f), 214, shade(pal::panel, -0.1f)), 3);
    slider(cv, 150, 290, 116, 0.7f, pal::blue);
    slider(cv, 150, 290, 153, 0.4f, pal::pink);
    slider(cv, 150, 290, 190, 0.55f, pal::grass);
    draw_gear(cv, 56, 168, 48, 10, pal::gold, 5);
    draw_gear(cv, 122, 198, 24, 8, pal::stone, 20);
    return cv;
}
}  // namespace

bool generate_menu_pictures(const std::string& ide) {
    const std::pair<const char*, std::function<Canvas()>> images[] = {
        {"1.png", story_picture},       {"2.png", creations_picture},
        {"3.png", multiplayer_picture}, {"4.png", settings_picture},
        {"5.png", credits_picture},     {"6.png", close_picture},
        {"bgg.png", menu_background},   {"setts.png", settings_corner},
    };
    bool ok = true;
    for (const auto& [name, draw] : images) ok = save_png(draw(), ide + name) && ok;
    return ok;
}
