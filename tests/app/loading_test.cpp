// The loading screen: its layout, its minimum duration, its frames between the main thread's
// loads, and the renderer going back and forth between the two threads.
#include "app/loading.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "app/assets.h"
#include "app/clock.h"
#include "app/draw.h"
#include "app/x_window.h"
#include "support/harness.h"

namespace {
constexpr SDL_Color label_grey{170, 170, 170, 255};
constexpr SDL_Color backdrop_blue{40, 120, 200, 255};
constexpr SDL_Color loaded_red{230, 40, 30, 255};

// A frame of one colour, kept as the loading screen's backdrop before it is presented.
TexturePtr backdrop_of(SDL_Color c) {
    SDL_SetRenderDrawColor(game_renderer, c.r, c.g, c.b, 255);
    SDL_RenderClear(game_renderer);
    TexturePtr frame = window_snapshot();
    present_frame();
    clear_black();
    return frame;
}

// The loading screen's time on the virtual clock around one load of load_ms. Its own frames move
// the clock too, each by what is left of its 1/60 s, and as many of them as the machine lets it
// draw before this thread asks for the renderer: that time is measured (`before_load`). The load
// then holds the renderer into loading_end, so that no frame is drawn meanwhile and only this
// thread moves the clock: the result is exact.
int elapsed_for_load(int min_ms, int load_ms, int& before_load) {
    int start = now_ms();
    loading_begin(min_ms, "Loading");
    renderer_acquire();
    before_load = now_ms() - start;
    sleep_ms(load_ms);
    loading_end();
    return now_ms() - start;
}

bool same_colour(SDL_Color a, SDL_Color b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// Frames of the tests can be kept to look at: MIVO_FRAMES=/some/folder.
void keep_frame(const char* name) {
    const char* dir = std::getenv("MIVO_FRAMES");
    if (!dir) return;
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, window_width, window_height, 32,
                                                SDL_PIXELFORMAT_ARGB8888));
    SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, s->pixels, s->pitch);
    IMG_SavePNG(s.get(), (std::string(dir) + "/" + name + ".png").c_str());
}
}  // namespace

TEST(Loading, LayoutPutsLabelSpinnerAndEmblemInTheLowerRightCorner) {
    // A 120 × 30 label, the 150 × 150 spinner image on 1000 × 600.
    LoadingLayout l = loading_layout(1000, 600, 120, 30, 150, 150);
    EXPECT_RECT(l.label, 780, 485, 120, 30);     // ends 100 px from the right, centred 100 px up
    EXPECT_RECT(l.spinner, 680, 450, 100, 100);  // shown at 2/3 of its size
    EXPECT_RECT(l.emblem, 696, 466, 66, 66);     // 2/3 of the spinner's drawn size
    EXPECT_EQ(l.pivot.x, 50);
    EXPECT_EQ(l.pivot.y, 50);
    // Spinner and emblem share their centre, 150 px left of the label, 100 px above the bottom
    // (the emblem's is truncated from 729.67).
    EXPECT_EQ(l.spinner.x + l.spinner.w / 2, 1000 - 120 - 150);
    EXPECT_EQ(l.spinner.y + l.spinner.h / 2, 600 - 100);
    EXPECT_EQ(l.emblem.x + l.emblem.w / 2, 1000 - 120 - 150 - 1);
    EXPECT_EQ(l.emblem.y + l.emblem.h / 2, 600 - 100 - 1);
}

// The minimum duration counts from loading_begin: fast loads wait the rest, slow loads are not
// waited for again.
TEST(Loading, MinimumDurationIsAFloorNotAnAddition) {
    TestDisplay display;
    int before_load = 0;
    int fast = elapsed_for_load(2000, 300, before_load);
    EXPECT_EQ(fast, std::max(2000, before_load + 300));
    int slow = elapsed_for_load(2000, 3000, before_load);
    EXPECT_EQ(slow, before_load + 3000);
    EXPECT_FALSE(loading_thread_alive()) << "loading_end returned before the thread had ended";
}

// Frames of the loading screen come between loads, never during one, and show the frozen frame
// with the grey label; textures loaded meanwhile draw afterwards.
TEST(Loading, FramesFallBetweenLoadsAndShowTheFrozenFrame) {
    TestDisplay display;
    std::atomic<bool> in_load{false};
    std::atomic<int> frames{0}, frames_in_loads{0};
    std::mutex seen_lock;
    SDL_Color corner{};
    SDL_Rect label{};
    TexturePtr backdrop = backdrop_of(backdrop_blue);
    set_frame_hook([&] {
        if (in_load) frames_in_loads += 1;
        if (frames == 2) {
            std::lock_guard<std::mutex> lock(seen_lock);
            corner = read_pixel(5, 5);
            label = find_colour(label_grey);
            keep_frame("loading");
        }
        frames += 1;
    });
    loading_begin(2000, "Loading", std::move(backdrop));
    std::vector<TexturePtr> loaded;
    for (int i = 0; i < 5; ++i) {
        renderer_acquire();
        in_load = true;
        SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_ARGB8888));
        SDL_FillRect(s.get(), nullptr,
                     SDL_MapRGBA(s->format, loaded_red.r, loaded_red.g, loaded_red.b, 255));
        loaded.emplace_back(SDL_CreateTextureFromSurface(game_renderer, s.get()));
        in_load = false;
        renderer_release();
        // The next load waits for a frame, so that every gap between loads holds one.
        for (int seen = frames; frames == seen;) std::this_thread::yield();
    }
    loading_end();
    set_frame_hook(nullptr);
    EXPECT_GE(frames.load(), 5);
    EXPECT_EQ(frames_in_loads.load(), 0);
    {
        std::lock_guard<std::mutex> lock(seen_lock);
        EXPECT_TRUE(same_colour(corner, backdrop_blue));
        ASSERT_GT(label.w, 0) << "no label drawn";
        // The label's right edge is 100 px from the window's, its middle 100 px above the bottom.
        EXPECT_LE(label.x + label.w, 900);
        EXPECT_GT(label.x + label.w, 880);
        EXPECT_NEAR(label.y + label.h / 2, 500, 6);
    }
    clear_black();
    draw_rect(loaded[4].get(), 100, 100, 50, 50);
    EXPECT_TRUE(same_colour(read_pixel(120, 120), loaded_red));
}

// Run by tests/e2e/loading_gl.sh under Xvfb with SDL's OpenGL renderer, whose context is current
// on one thread at a time: the loading thread's frames must reach the window, and textures made
// on the main thread between them must draw once the loading screen is gone.
TEST(Loading, OpenGLRendererChangesThreadsCleanly) {
    if (!std::getenv("MIVO_GL_CHECK")) GTEST_SKIP() << "needs a display with OpenGL";
    TestDisplay display;
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(game_renderer, &info);
    ASSERT_STREQ(info.name, "opengl");
    // The context is current on one thread at a time: here at first, then on whichever thread
    // holds the renderer, and nowhere else. Mesa lets a context be current on two threads, so
    // this is checked directly as well as through the pixels.
    SDL_GLContext context = SDL_GL_GetCurrentContext();
    ASSERT_NE(context, nullptr);
    std::atomic<int> frames_without_context{0};
    int loads_without_context = 0, released_with_context = 0;
    // The server reads back only what lies on its screen, and sizes a window in its own time:
    // a few frames let the drawable reach the window's size.
    SDL_SetWindowPosition(game_window, 0, 0);
    SDL_ShowWindow(game_window);
    for (int i = 0; i < 3; ++i) {
        SDL_PumpEvents();
        clear_black();
        present_frame();
    }

    std::atomic<int> frames{0};
    std::vector<SDL_Color> shown;
    int w = window_width, h = window_height;
    TexturePtr backdrop = backdrop_of(backdrop_blue);
    set_frame_hook([&] {
        // What the window shows after a loading frame: the thread that drew it holds the
        // renderer, and the main thread waits for the frame.
        if (SDL_GL_GetCurrentContext() != context) frames_without_context += 1;
        if (++frames == 3) shown = x_window_pixels(game_window, w, h);
    });
    loading_begin(2000, "Loading", std::move(backdrop));
    std::vector<TexturePtr> loaded;
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    for (int i = 0; i < 5; ++i) {
        renderer_acquire();
        loads_without_context += SDL_GL_GetCurrentContext() != context;
        SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_ARGB8888));
        SDL_FillRect(s.get(), nullptr,
                     SDL_MapRGBA(s->format, loaded_red.r, loaded_red.g, loaded_red.b, 255));
        loaded.emplace_back(SDL_CreateTextureFromSurface(game_renderer, s.get()));
        renderer_release();
        released_with_context += SDL_GL_GetCurrentContext() != nullptr;
        for (int seen = frames; frames == seen;) std::this_thread::yield();
    }
    loading_end();
    set_frame_hook(nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), context);
    EXPECT_EQ(frames_without_context.load(), 0);
    EXPECT_EQ(loads_without_context, 0);
    EXPECT_EQ(released_with_context, 0);

    ASSERT_EQ(shown.size(), static_cast<size_t>(w) * h) << "no loading frame read back";
    auto shown_at = [&](int px, int py) { return shown[static_cast<size_t>(py) * w + px]; };
    EXPECT_TRUE(same_colour(shown_at(5, 5), backdrop_blue));
    EXPECT_TRUE(same_colour(shown_at(w / 2, h / 2), backdrop_blue));
    int grey = 0;
    for (int py = h - 140; py < h - 60; ++py)
        for (int px = w - 300; px < w - 90; ++px) grey += same_colour(shown_at(px, py), label_grey);
    EXPECT_GT(grey, 20) << "the label did not reach the window";

    clear_black();
    for (size_t i = 0; i < loaded.size(); ++i)
        draw_rect(loaded[i].get(), 100 + 60 * static_cast<int>(i), 100, 50, 50);
    for (size_t i = 0; i < loaded.size(); ++i)
        EXPECT_TRUE(same_colour(read_pixel(120 + 60 * static_cast<int>(i), 120), loaded_red))
            << "texture " << i << " loaded during the loading screen";
    keep_frame("gl_after_loading");
    present_frame();
}
