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
// nor holds it; a load waits for a frame being drawn to end, and while it waits no new frame
// starts; stopped frames end the loading thread's wait.
TEST(Assets, HandshakeKeepsLoadingFramesOutOfLoads) {
    renderer_handshake_reset();
    EXPECT_FALSE(loader_frame_begin());  // no frame before the main thread grants the first
    renderer_release();

    ASSERT_TRUE(loader_frame_begin());  // the loading screen is drawing
    std::atomic<bool> waiting{false}, acquired{false};
    set_renderer_wait_hook([&] { waiting = true; });
    std::thread load([&] {
        renderer_acquire();
        acquired = true;
    });
    // Either the load waits for the frame, or it went ahead (the fault this guards against).
    while (!waiting && !acquired) std::this_thread::yield();
    EXPECT_FALSE(acquired) << "the load went ahead while a frame was being drawn";
    loader_frame_end();
    // The load asked first: the frame just ended gives way to it.
    bool second_frame = loader_frame_begin();
    if (second_frame) loader_frame_end();
    load.join();
    set_renderer_wait_hook(nullptr);
    EXPECT_TRUE(acquired);
    EXPECT_FALSE(second_frame) << "a frame started while the load was claiming the renderer";

    EXPECT_FALSE(loader_frame_begin());  // held by the main thread
    renderer_release();
    EXPECT_TRUE(loader_frame_wait());  // released: the next frame may be drawn
    loader_frame_end();

    renderer_acquire();
    std::atomic<bool> frame_drawn{false};
    std::thread frames([&] {
        while (loader_frame_wait()) {
            frame_drawn = true;
            loader_frame_end();
        }
    });
    loader_stop_frames();
    frames.join();  // ends although the renderer was never granted
    EXPECT_FALSE(frame_drawn);
    renderer_handshake_reset();
}
