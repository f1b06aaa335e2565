// The menu widgets: the fading list, the picture tiles and the cloud tunnel.
#include "menus/widgets.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "app/clock.h"
#include "app/draw.h"
#include "app/random.h"
#include "support/harness.h"

namespace {
constexpr SDL_Color white{255, 255, 255, 255};

// What a pixel of colour c drawn at alpha a leaves over black (the renderer may round by one).
void expect_faded(int x, int y, SDL_Color c, int a) {
    SDL_Color got = read_pixel(x, y);
    EXPECT_NEAR(got.r, c.r * a / 255, 1) << "at " << x << ", " << y;
    EXPECT_NEAR(got.g, c.g * a / 255, 1) << "at " << x << ", " << y;
    EXPECT_NEAR(got.b, c.b * a / 255, 1) << "at " << x << ", " << y;
}
void expect_grey(int x, int y, int a) { expect_faded(x, y, white, a); }
}  // namespace

// Entries are 80 pixels apart; the one at the list's position has its top on the middle line at
// full opacity, its neighbours show faintly, the rest not at all.
TEST(Widgets, FadingListShowsItsPositionAndFadesTheNeighbours) {
    TestDisplay display(1000, 600);
    constexpr SDL_Color red{255, 0, 0, 255}, blue{0, 0, 255, 255};
    std::vector<TexturePtr> entries;
    for (int i = 0; i < 6; ++i)
        entries.push_back(solid_texture(40, 20, i == 1 ? red : (i == 3 ? blue : white)));

    clear_black();
    draw_fading_list(entries, 100, 2.0);
    expect_grey(110, 300, 255);  // entry 2, top edge on the middle line
    expect_grey(110, 299, 0);
    expect_faded(110, 220, red, 50);  // entries 1 and 3, a fifth of full opacity
    expect_faded(110, 380, blue, 50);
    expect_grey(110, 140, 0);  // entries 0 and 4: hidden
    expect_grey(110, 460, 0);

    clear_black();
    draw_fading_list(entries, 100, 2.5);
    expect_grey(110, 260, 178);  // entries 2 and 3 halfway, equally faded
    expect_faded(110, 340, blue, 178);
    expect_grey(110, 259, 0);
    expect_grey(110, 180, 0);  // entries 1 and 4: hidden
    expect_grey(110, 420, 0);

    // A list glides a third of the remaining way each frame.
    EXPECT_DOUBLE_EQ(ease_list(0, 3), 1.0);
    EXPECT_DOUBLE_EQ(ease_list(1.0, 3), 1.0 + 2.0 / 3);
}

// A tile brightens with hover and zoom, sits centred at rest, fills the window at zoom 0 with its
// caption left where it was, and is hit strictly inside only.
TEST(Widgets, MenuTileBrightnessPlaceAndHit) {
    EXPECT_EQ(menu_tile_brightness(1.0, 1.0), 150);
    EXPECT_EQ(menu_tile_brightness(1.1, 1.0), 255);
    EXPECT_EQ(menu_tile_brightness(1.05, 1.0), 227);

    TestDisplay display(1000, 600);
    TexturePtr picture = solid_texture(96, 54, white);
    TexturePtr caption = solid_texture(50, 20, {0, 255, 0, 255});
    TexturePtr frame = solid_texture(10, 10, {255, 0, 0, 255});

    clear_black();
    draw_menu_tile(picture.get(), caption.get(), nullptr, 20, -10, 200, 100, 1.0, 1.0);
    EXPECT_RECT(find_colour({150, 150, 150, 255}), 420, 240, 200, 100);
    EXPECT_RECT(find_colour({0, 255, 0, 255}), 495, 320, 50, 20);  // on the lower edge
    clear_black();
    draw_menu_tile(picture.get(), caption.get(), frame.get(), 20, -10, 200, 100, 1.0, 1.0);
    EXPECT_RECT(find_colour({255, 0, 0, 255}), 416, 236, 208, 108);  // the outline, on top

    clear_black();
    draw_menu_tile(picture.get(), caption.get(), nullptr, 20, -10, 200, 100, 1.0, 0.0);
    EXPECT_RECT(find_colour(white), 0, 0, 1000, 600);
    EXPECT_RECT(find_colour({0, 255, 0, 255}), 495, 320, 50, 20);
    SDL_Rect full = menu_tile_rect(20, -10, 200, 100, 1.0, 0.0);
    EXPECT_RECT(full, 0, 0, 1000, 600);

    // At rest, grown by 1.1: 220 × 110 from (410, 235).
    EXPECT_FALSE(menu_tile_hit({410, 290}, 20, -10, 200, 100, 1.1));  // the left edge
    EXPECT_TRUE(menu_tile_hit({411, 290}, 20, -10, 200, 100, 1.1));
    EXPECT_TRUE(menu_tile_hit({629, 344}, 20, -10, 200, 100, 1.1));
    EXPECT_FALSE(menu_tile_hit({630, 290}, 20, -10, 200, 100, 1.1));
    EXPECT_FALSE(menu_tile_hit({500, 235}, 20, -10, 200, 100, 1.1));
    EXPECT_FALSE(menu_tile_hit({500, 345}, 20, -10, 200, 100, 1.1));
}

// Clouds start one a frame at most, 100 … 299 ms apart, with speeds of −5 … 4 pixels a frame,
// and fly until they are one window diagonal from the centre.
TEST(Widgets, CloudTunnelStartsCloudsAndLetsThemGoPastTheDiagonal) {
    int saved_w = window_width, saved_h = window_height;
    clock_use_virtual(true, 1000);
    random_seed(7);
    window_width = 1920;
    window_height = 1080;

    CloudTunnel t;
    bool low_speed = false, high_speed = false;
    for (int start = 0; start < 300; ++start) {
        t = CloudTunnel{};
        t.next_cloud_ms = static_cast<uint32_t>(now_ms() - 1);
        cloud_tunnel_step(t);
        int active = 0;
        for (const Cloud& c : t.clouds) active += c.active;
        ASSERT_EQ(active, 1);
        const Cloud& c = t.clouds[0];
        for (int v : {c.vx, c.vy}) {
            ASSERT_GE(v, -5);
            ASSERT_LE(v, 4);
            low_speed |= v == -5;
            high_speed |= v == 4;
        }
        ASSERT_GE(c.kind, 0);
        ASSERT_LE(c.kind, 2);
        ASSERT_GE(t.next_cloud_ms, static_cast<uint32_t>(now_ms() + 100));
        ASSERT_LE(t.next_cloud_ms, static_cast<uint32_t>(now_ms() + 299));
    }
    EXPECT_TRUE(low_speed && high_speed);

    // A cloud flying right on 1920 × 1080 leaves only past 2203 pixels.
    t = CloudTunnel{};
    t.next_cloud_ms = UINT32_MAX;  // no new cloud
    t.clouds[0].active = true;
    t.clouds[0].vx = 4;
    int last_x = 0, frames = 0;
    while (t.clouds[0].active && frames++ < 1000) {
        last_x = t.clouds[0].x;
        cloud_tunnel_step(t);
    }
    EXPECT_GT(last_x, 2190);
    EXPECT_LE(last_x, 2202);
    EXPECT_GT(t.clouds[0].x, 2202);

    window_width = saved_w;
    window_height = saved_h;
    clock_use_virtual(false);
}

// A cloud is centred on its position (y upward from the centre), sized by its scale, and fades in
// toward the middle of its flight.
TEST(Widgets, CloudTunnelDrawsEachCloudAtItsPlace) {
    TestDisplay display(1000, 600);  // cells of 25 pixels
    TexturePtr cloud = solid_texture(300, 150, white);
    SDL_SetTextureBlendMode(cloud.get(), SDL_BLENDMODE_BLEND);
    CloudTunnel t;
    t.clouds[5] = Cloud{true, 100, 50, 0, 0, 0.5, 0};
    clear_black();
    cloud_tunnel_draw(t, {cloud.get(), nullptr, nullptr});
    // 250 × 125 pixels at full scale; alpha 200 − |200 − 127.5| = 128 at half.
    EXPECT_RECT(find_colour({128, 128, 128, 255}), 537, 218, 125, 62);
}
