// Loaders and the renderer handshake between the main thread and a loading screen's thread.
#include "app/assets.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/clock.h"
#include "app/draw.h"
#include "support/harness.h"

TEST(Assets, MissingOrOverlongPathsLoadNothing) {
    TestDisplay display;
    EXPECT_EQ(load_texture("ide/does-not-exist.png"), nullptr);
    EXPECT_EQ(load_theme_texture("no-such-theme", "blocs", 'a', "png"), nullptr);
    // A name that would not fit the loaders' path limit is refused instead of overflowing.
    EXPECT_EQ(load_texture(std::string(200, 'x') + ".png"), nullptr);
    EXPECT_EQ(make_text_texture(nullptr, "text", {255, 255, 255, 255}), nullptr);
}

TEST(Assets, BlackTextureIsOneOpaqueBlackPixel) {
    TestDisplay display;
    TexturePtr black = make_black_texture();
    ASSERT_NE(black, nullptr);
    int w = 0, h = 0;
    SDL_QueryTexture(black.get(), nullptr, nullptr, &w, &h);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);
    SDL_SetRenderDrawColor(game_renderer, 255, 255, 255, 255);
    SDL_RenderClear(game_renderer);
    draw_fullscreen(black.get());
    SDL_Color c = read_pixel(500, 300);
    EXPECT_EQ(c.r + c.g + c.b, 0);
}

// The loading screen draws a frame only while the main thread neither asks for the renderer
// nor holds it, and a load waits for a frame being drawn to end.
TEST(Assets, HandshakeKeepsLoadingFramesOutOfLoads) {
    clock_use_virtual(true, 0);
    renderer_handshake_reset();
    EXPECT_FALSE(loader_frame_begin());  // no frame before the main thread grants the first
    renderer_release();

    ASSERT_TRUE(loader_frame_begin());  // the loading screen is drawing
    std::atomic<bool> frame_over{false}, acquired{false};
    bool frame_over_at_claim = false, loader_got_in = true;
    set_renderer_acquire_hook([&] {
        frame_over_at_claim = frame_over;
        // The loading thread looks at the flags at the worst moment of the claim.
        loader_got_in = loader_frame_begin();
        if (loader_got_in) loader_frame_end();
    });
    std::thread load([&] {
        renderer_acquire();
        acquired = true;
    });
    // The load polls the clock while it waits; the frame ends once it does.
    while (now_ms() == 0 && !acquired) std::this_thread::yield();
    frame_over = true;
    loader_frame_end();
    load.join();
    set_renderer_acquire_hook(nullptr);
    EXPECT_TRUE(frame_over_at_claim) << "the load went ahead while a frame was being drawn";
    EXPECT_FALSE(loader_got_in) << "a frame could start while the load claimed the renderer";

    EXPECT_FALSE(loader_frame_begin());  // held by the main thread
    renderer_release();
    EXPECT_TRUE(loader_frame_begin());  // released: the next frame may be drawn
    loader_frame_end();
    renderer_handshake_reset();
    clock_use_virtual(false);
}
