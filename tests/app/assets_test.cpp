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

// A loading thread draws frames whenever the handshake lets it, while the main thread runs
// loads between renderer_acquire and renderer_release: frames fall between loads, never inside.
TEST(Assets, HandshakeKeepsLoadingFramesOutOfLoads) {
    clock_use_virtual(false);
    renderer_handshake_reset();
    std::atomic<bool> stop{false}, loading{false}, drawing{false}, overlap{false};
    std::atomic<int> frames{0};
    std::thread loader([&] {
        while (!stop) {
            if (loader_frame_begin()) {
                drawing = true;
                if (loading) overlap = true;
                std::this_thread::yield();
                if (loading) overlap = true;
                drawing = false;
                frames.fetch_add(1);
                loader_frame_end();
            }
            std::this_thread::yield();
        }
    });
    renderer_release();  // the loading screen may start drawing
    int frames_between_loads = 0;
    for (int i = 0; i < 20000; ++i) {
        int before = frames.load();
        renderer_acquire();
        loading = true;
        if (drawing) overlap = true;
        std::this_thread::yield();
        if (drawing) overlap = true;
        loading = false;
        renderer_release();
        for (int spin = 0; spin < 50 && frames.load() == before; ++spin) std::this_thread::yield();
        if (frames.load() != before) ++frames_between_loads;
    }
    stop = true;
    loader.join();
    EXPECT_FALSE(overlap);
    EXPECT_GT(frames_between_loads, 0);
    renderer_handshake_reset();
}
