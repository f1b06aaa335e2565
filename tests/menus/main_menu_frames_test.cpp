// The main menu's quicker drawing changes no pixel: frame after frame, with the real pictures,
// the clouds, the veil fading, a tile hovered and left, a tile zooming back into place and the
// window resized, the menu that pastes its resting tiles back shows exactly what the menu that
// draws every tile whole shows.
#include <gtest/gtest.h>

#include <vector>

#include "app/draw.h"
#include "app/random.h"
#include "menus/main_menu.h"
#include "menus/widgets.h"
#include "support/harness.h"

namespace {
std::vector<Uint32> frame_pixels() {
    std::vector<Uint32> px(static_cast<size_t>(window_width) * window_height);
    SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, px.data(),
                         window_width * 4);
    return px;
}

struct Comparison {
    int frames = 0, differing_frames = 0, pasted_frames = 0;
};

// One frame of the menu, drawn both ways from the same state.
void compare_frame(MainMenu& m, const MainMenuArt& whole, const MainMenuArt& kept,
                   const Controls& c, Comparison& out) {
    main_menu_update(m, c, nullptr, nullptr);
    clear_black();
    main_menu_draw(m, whole);
    std::vector<Uint32> expected = frame_pixels();
    clear_black();
    main_menu_draw(m, kept);
    if (frame_pixels() != expected) ++out.differing_frames;
    bool pasted = false;
    for (const RestingTile& r : kept.resting) pasted = pasted || r.pixels;
    if (pasted) ++out.pasted_frames;
    ++out.frames;
}

Controls pointer_at(int x, int y) {
    Controls c;
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    c.events.push_back(e);
    return c;
}
}  // namespace

TEST(MainMenuFrames, PastedTilesGiveTheSamePixels) {
    TestDisplay display(1000, 600);
    random_seed(7);
    cloud_tunnel = CloudTunnel{};
    MainMenuArt whole = main_menu_art(), kept = main_menu_art();
    whole.keep_resting_tiles = false;
    ASSERT_TRUE(kept.pictures[0] && kept.outline && kept.veil);
    Comparison cmp;
    Controls none;
    // Coming back from "Story": its tile zooms back into place, then the veil fades off.
    MainMenu m = main_menu_open(tile_story);
    for (int i = 0; i < 90; ++i) compare_frame(m, whole, kept, none, cmp);
    // The pointer on "Settings": it grows, rests grown, and shrinks back once left.
    MenuTile settings = main_menu_tile(tile_settings, window_width, window_height);
    Controls on = pointer_at(window_width / 2 + settings.dx, window_height / 2 + settings.dy);
    compare_frame(m, whole, kept, on, cmp);
    for (int i = 0; i < 40; ++i) compare_frame(m, whole, kept, none, cmp);
    compare_frame(m, whole, kept, pointer_at(1, 1), cmp);
    for (int i = 0; i < 40; ++i) compare_frame(m, whole, kept, none, cmp);
    // A larger window: every tile moves and grows.
    SDL_SetWindowSize(game_window, 1280, 720);
    refresh_window_size();
    for (int i = 0; i < 10; ++i) compare_frame(m, whole, kept, none, cmp);
    // The veil's last step, to nothing.
    m.overlay = 1e-15;
    for (int i = 0; i < 10; ++i) compare_frame(m, whole, kept, none, cmp);

    EXPECT_EQ(cmp.differing_frames, 0) << "of " << cmp.frames << " frames";
    // The comparison is worth something only if tiles were pasted most of the time.
    EXPECT_GT(cmp.pasted_frames, cmp.frames / 2);
}
