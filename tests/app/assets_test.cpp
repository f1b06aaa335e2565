// Loaders and the renderer handshake between the main thread and a loading screen's thread.
#include "app/assets.h"

#include <gtest/gtest.h>

#include <SDL_image.h>

#include <atomic>
#include <filesystem>
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

// The veil covers the whole window at its alpha, to the last row of a window whose height is
// not a whole number of strips, and leaves the colour frames are cleared to as it was.
TEST(Assets, BlackVeilCoversTheWindowAtItsAlpha) {
    TestDisplay display(1000, 600);
    TexturePtr veil = make_black_texture();
    ASSERT_NE(veil, nullptr);
    SDL_SetTextureBlendMode(veil.get(), SDL_BLENDMODE_BLEND);
    const SDL_Point corners[] = {{0, 0}, {999, 0}, {500, 300}, {0, 599}, {999, 599}};
    auto white_then = [&](int alpha) {
        SDL_SetRenderDrawColor(game_renderer, 255, 255, 255, 255);
        SDL_RenderClear(game_renderer);
        SDL_SetTextureAlphaMod(veil.get(), static_cast<Uint8>(alpha));
        draw_fullscreen(veil.get());
    };
    for (int alpha : {0, 128, 255}) {
        white_then(alpha);
        for (SDL_Point p : corners) {
            SDL_Color c = read_pixel(p.x, p.y);
            EXPECT_NEAR(c.r, 255 - alpha, 2) << "alpha " << alpha << " at " << p.x << "," << p.y;
            EXPECT_EQ(c.r, c.g);
            EXPECT_EQ(c.g, c.b);
        }
    }
    // Opaque (no blending) it is plain black too; the clear colour is still white afterwards.
    SDL_SetTextureBlendMode(veil.get(), SDL_BLENDMODE_NONE);
    white_then(10);
    EXPECT_EQ(read_pixel(999, 599).r, 0);
    SDL_RenderClear(game_renderer);
    EXPECT_EQ(read_pixel(500, 300).r, 255);
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

// An image darkened once at load looks as the colour modulation would show it, and an opaque
// picture blended at full alpha is drawn as a plain copy: over red it leaves no red, and its
// blend mode is as it was.
TEST(Assets, DimmedImagesAndOpaquePicturesDrawAsModulatedAndCopied) {
    TestDisplay display(100, 60);
    TempDir dir;
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::create_directories(dir.path + "/ressources/ide");
    std::filesystem::current_path(dir.path);
    SurfacePtr opaque(SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 24, SDL_PIXELFORMAT_RGB24));
    SDL_FillRect(opaque.get(), nullptr, SDL_MapRGB(opaque->format, 200, 100, 50));
    IMG_SavePNG(opaque.get(), "ressources/ide/o.png");
    TexturePtr dimmed = load_texture_dimmed("ide/o.png", 200);
    std::filesystem::current_path(previous);
    ASSERT_NE(dimmed, nullptr);
    auto red_then = [&](Uint8 alpha) {
        SDL_SetRenderDrawColor(game_renderer, 255, 0, 0, 255);
        SDL_RenderClear(game_renderer);
        SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
        SDL_SetTextureBlendMode(dimmed.get(), SDL_BLENDMODE_BLEND);
        SDL_SetTextureAlphaMod(dimmed.get(), alpha);
        render_copy(dimmed.get(), nullptr);
    };
    red_then(255);
    SDL_Color c = read_pixel(50, 30);
    EXPECT_EQ(c.r, 200 * 200 / 255);
    EXPECT_EQ(c.g, 100 * 200 / 255);
    EXPECT_EQ(c.b, 50 * 200 / 255);
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetTextureBlendMode(dimmed.get(), &mode);
    EXPECT_EQ(mode, SDL_BLENDMODE_BLEND);
    red_then(128);  // faded, it still blends
    EXPECT_NEAR(read_pixel(50, 30).r, (156 * 128 + 255 * 127) / 255, 2);
}
