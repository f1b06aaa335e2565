// The heads-up display: tick and segment colours, easing, the seconds' text and placement, and
// where the gauges land on screen.
#include "levelend/hud.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

#include "app/draw.h"
#include "support/harness.h"

namespace {
bool is(SDL_Color c, int r, int g, int b) { return c.r == r && c.g == g && c.b == b; }
}  // namespace

// The eased time is tested with explicit values: easing only approaches its target.
TEST(Hud, TicksRunGreenToRedWithTheTimeAndGreyOnceSpent) {
    for (int i = 0; i < 360; ++i) EXPECT_TRUE(is(hud_tick_colour(i, 1.0, true, 0), 0, 255, 0));
    EXPECT_TRUE(is(hud_tick_colour(0, 0.5, true, 0), 255, 255, 0));
    EXPECT_TRUE(is(hud_tick_colour(179, 0.5, true, 0), 255, 255, 0));
    EXPECT_TRUE(is(hud_tick_colour(180, 0.5, true, 0), 50, 50, 50));
    EXPECT_TRUE(is(hud_tick_colour(359, 0.5, true, 0), 50, 50, 50));
    EXPECT_TRUE(is(hud_tick_colour(0, 0.1, true, 0), 255, 51, 0));
    // A time item can lift the eased time over full for a moment: still green, not wrapped red.
    EXPECT_TRUE(is(hud_tick_colour(0, 1.01, true, 0), 0, 255, 0));
}

TEST(Hud, InvulnerableFlickerUsesTheLowEightBits) {
    EXPECT_TRUE(is(hud_tick_colour(0, 1.0, false, 0.0), 0, 126, 0));
    EXPECT_TRUE(is(hud_tick_colour(0, 1.0, false, 0.49), 124, 1, 0));    // 257 → 1
    EXPECT_TRUE(is(hud_tick_colour(0, 1.0, false, 0.5), 127, 254, 0));   // 254.5
    EXPECT_TRUE(is(hud_tick_colour(0, 1.0, false, 0.99), 252, 129, 0));  // 129.55
    EXPECT_TRUE(is(hud_tick_colour(200, 0.5, false, 0.3), 50, 50, 50));  // spent stays grey
}

TEST(Hud, GaugesEaseTowardTheirValues) {
    HudGauges g;
    hud_update(g, 300000, 40000);
    EXPECT_DOUBLE_EQ(g.time_smooth, 0.1);
    EXPECT_DOUBLE_EQ(g.power_smooth, 0.101);
    for (int i = 0; i < 300; ++i) hud_update(g, 150000, 15000);
    EXPECT_NEAR(g.time_smooth, 0.5, 1e-9);
    EXPECT_NEAR(g.power_smooth, 0.385, 1e-9);  // a hundredth above 15000 / 40000
    for (int i = 0; i < 300; ++i) hud_update(g, 300000, 40000);
    EXPECT_NEAR(g.power_smooth, 1.01, 1e-9);
    // The terms are added from the left: with the power rising 10 a frame from nothing, as the
    // countdown feeds it, the 1050th frame eases to 0.27 exactly and the second segment is 3
    // pixels long (adding the last two terms first gives 0.26999999999999996, and 2 pixels).
    HudGauges rising;
    for (int i = 0; i < 1050; ++i) hud_update(rising, 300000, 10 * i);
    EXPECT_EQ(rising.power_smooth, 0.27);
    EXPECT_EQ(static_cast<int>(hud_segment_fill(rising.power_smooth, 1) * 37.5), 3);
}

TEST(Hud, PowerSegmentsFillInTurn) {
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(hud_segment_fill(1.01, j), 1.0);
        EXPECT_TRUE(is(hud_segment_colour(1.0), 50, 219, 255));
    }
    double p = 0.385;
    EXPECT_EQ(hud_segment_fill(p, 0), 1.0);
    EXPECT_NEAR(hud_segment_fill(p, 1), 0.54, 1e-9);
    EXPECT_EQ(static_cast<int>(hud_segment_fill(p, 1) * 37.5), 20);
    EXPECT_TRUE(is(hud_segment_colour(0.54), 234, 255, 0));
    EXPECT_EQ(hud_segment_fill(p, 2), 0.0);
    EXPECT_EQ(hud_segment_fill(p, 3), 0.0);
    EXPECT_TRUE(is(hud_segment_colour(0.0), 255, 0, 0));
}

TEST(Hud, SecondsAreRoundedAndCentredOnTheRing) {
    EXPECT_EQ(hud_seconds_text(9600), "10");
    EXPECT_EQ(hud_seconds_text(9400), "9");
    EXPECT_EQ(hud_seconds_text(300000), "300");
    EXPECT_EQ(hud_seconds_text(2500), "2");  // halves go to the even neighbour
    EXPECT_EQ(hud_seconds_text(3500), "4");
    // One character of width 20 in a cell of 22 is centred on x = 69; three cells stand side by
    // side around it.
    EXPECT_EQ(hud_char_x(0, 1, 20, 22), 59);
    EXPECT_EQ(hud_char_x(0, 3, 20, 22), 37);
    EXPECT_EQ(hud_char_x(1, 3, 20, 22), 59);
    EXPECT_EQ(hud_char_x(2, 3, 20, 22), 81);
    EXPECT_EQ(hud_char_x(0, 2, 21, 22), 47);  // 69 − 22 + 0.5
}

// Drawn in the game's font, the seconds' digits never touch one another, the widest ones
// included, and they stay inside the ring.
TEST(Hud, SecondsDigitsNeverTouch) {
    Sandbox sandbox;
    TestDisplay display;
    HudArt art;
    hud_create(art);
    art.dot.reset();  // the digits alone
    art.ring.reset();
    art.bar.reset();
    HudGauges g;
    for (int seconds : {444, 300, 188, 200, 44, 8}) {
        SCOPED_TRACE(seconds);
        clear_black();
        hud_draw(art, g, seconds * 1000, true);
        std::string text = std::to_string(seconds);
        // Columns holding any lit pixel, in runs: one run per digit.
        int runs = 0;
        bool lit_before = false;
        for (int x = 0; x < 160; ++x) {
            bool lit = false;
            for (int y = 0; y < 140 && !lit; ++y) {
                SDL_Color c = read_pixel(x, y);
                lit = c.r || c.g || c.b;
                if (lit) {
                    EXPECT_GT(x, 30);
                    EXPECT_LT(x, 110);
                    EXPECT_GT(y, 40);
                    EXPECT_LT(y, 100);
                }
            }
            if (lit && !lit_before) ++runs;
            lit_before = lit;
        }
        EXPECT_EQ(runs, static_cast<int>(text.size()));
    }
}

TEST(Hud, DrawsTheRingTheBarAndTheSeconds) {
    TestDisplay display;
    HudArt art;
    hud_create(art);
    ASSERT_NE(art.dot, nullptr);
    HudGauges g;
    g.time_smooth = 0.5;
    g.power_smooth = 1.01;
    clear_black();
    hud_draw(art, g, 150000, true);
    // Tick 0 points up from (70, 70), tick 90 right; past half the ring is spent.
    EXPECT_TRUE(is(read_pixel(85, 36), 255, 255, 0));
    EXPECT_TRUE(is(read_pixel(55, 36), 50, 50, 50));
    EXPECT_TRUE(is(read_pixel(100, 70), 255, 255, 0));
    EXPECT_TRUE(is(read_pixel(40, 70), 50, 50, 50));
    EXPECT_RECT(find_colour({50, 219, 255, 255}), 108, 60, 148, 20);  // four full segments
    SDL_Rect digits = find_colour({255, 255, 255, 255});
    EXPECT_GT(digits.w, 0);
    EXPECT_NEAR(digits.x + digits.w / 2, 69, 4);
    EXPECT_GE(digits.y, 45);
    if (const char* dir = std::getenv("MIVO_FRAMES")) {
        SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, 300, 140, 32, SDL_PIXELFORMAT_ARGB8888));
        SDL_Rect r{0, 0, 300, 140};
        SDL_RenderReadPixels(game_renderer, &r, SDL_PIXELFORMAT_ARGB8888, s->pixels, s->pitch);
        IMG_SavePNG(s.get(), (std::string(dir) + "/hud.png").c_str());
    }
    hud_destroy(art);
    EXPECT_EQ(art.ring, nullptr);
}

// The ticks' pixels are kept and copied back while the same ticks lie over the same pixels: over
// a changed background, with other colours, and in the other half of a split screen the ring is
// turned again, and every frame shows what turning all 360 ticks shows.
TEST(Hud, KeptTicksGiveThePixelsOfTurningThemAgain) {
    TestDisplay display(640, 400);
    HudArt kept, turned;
    hud_create(kept);
    hud_create(turned);
    turned.keep_ticks = false;
    // Two backgrounds under the ring: vertical and diagonal stripes.
    auto background = [](int kind) {
        for (int x = 0; x < 640; x += 4) {
            SDL_SetRenderDrawColor(game_renderer, static_cast<Uint8>(x * (kind + 3)),
                                   static_cast<Uint8>(90 + kind * 70), static_cast<Uint8>(x), 255);
            SDL_Rect band{x, 0, 4, 400};
            SDL_RenderFillRect(game_renderer, &band);
        }
        SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
    };
    struct Frame {
        int background;
        double time;
        bool right_half;
    };
    const Frame frames[] = {{0, 0.8, false}, {0, 0.8, false}, {1, 0.8, false},
                            {1, 0.8, false}, {1, 0.3, false}, {1, 0.3, true},
                            {0, 0.3, true},  {0, 0.3, true},  {1, 0.3, false}};
    for (const Frame& f : frames) {
        std::vector<Uint32> shown[2];
        for (int k = 0; k < 2; ++k) {
            clear_black();
            background(f.background);
            HudGauges g;
            g.time_smooth = f.time;
            g.power_smooth = 0.6;
            std::optional<ScopedViewport> half;
            if (f.right_half) half.emplace(SDL_Rect{320, 0, 320, 400});
            hud_draw(k == 0 ? kept : turned, g, 120000, true);
            half.reset();
            shown[k].resize(640 * 400);
            SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shown[k].data(),
                                 640 * 4);
        }
        EXPECT_TRUE(shown[0] == shown[1]) << "background " << f.background << ", time " << f.time
                                          << (f.right_half ? ", right half" : "");
    }
    EXPECT_EQ(kept.kept_ticks.size(), 2u);  // one ring in the window, one in its right half
    hud_destroy(kept);
    hud_destroy(turned);
}
