// Libraries, window and renderer lifetime, and the window animations.
#include "app/shell.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/assets.h"
#include "app/audio.h"
#include "app/clock.h"
#include "app/controls.h"
#include "app/draw.h"
#include "app/settings.h"
#include "app/splash.h"
#include "app/stretched_copies.h"

namespace {
WindowPtr window_owner;
RendererPtr renderer_owner;

void centre_window() {
    SDL_SetWindowPosition(game_window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

// The size the window grows to and shrinks from: the settings' size within the largest window
// and the display. A hand-edited resx=100000 would otherwise grow a window the system cannot
// make, or one of gigabytes, before the window's limits apply.
WindowSize animated_size() {
    int w = std::clamp(settings.resx, 0, window_max_width);
    int h = std::clamp(settings.resy, 0, window_max_height);
    SDL_Rect display{};
    int index = SDL_GetWindowDisplayIndex(game_window);
    if (index >= 0 && SDL_GetDisplayBounds(index, &display) == 0) {
        w = std::min(w, display.w);
        h = std::min(h, display.h);
    }
    return {w, h};
}

void set_window_percent(WindowSize size, double p) {
    SDL_SetWindowSize(game_window, static_cast<int>(size.w * p / 100),
                      static_cast<int>(size.h * p / 100));
}

// The closing animation's pace: from 100 down past 1, slowly at first, then faster (49 steps).
double outro_step(double p) { return p - (101 - p) / 10; }

bool exclusive_full_screen() {
    return (SDL_GetWindowFlags(game_window) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
           SDL_WINDOW_FULLSCREEN;
}

// The frame on screen darkens at the pace of the shrinking, down to black on the last frame.
void fade_outro() {
    TexturePtr frame = window_snapshot();
    TexturePtr black = make_black_texture();
    if (black) SDL_SetTextureBlendMode(black.get(), SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
    for (double p = 100; p > 1; p = outro_step(p)) {
        SDL_RenderClear(game_renderer);
        draw_fullscreen(frame.get());
        if (black) {
            double left = std::max(0.0, outro_step(p));  // what the next step leaves: the last is 0
            SDL_SetTextureAlphaMod(black.get(), static_cast<Uint8>(255 - 255 * left / 100));
            draw_fullscreen(black.get());
        }
        present_frame();
        sleep_ms(1);
    }
}
}  // namespace

void init_libraries() {
#if defined(__GLIBC__)
    // Window-sized pictures come and go (backgrounds fitted while the level selection turns,
    // pictures made for a new window size). With the C library's sliding threshold, once one is
    // freed the next ones are carved from the heap, whose freed middle stays with the game: at
    // 1920 × 1080 the selection then held some 50 MB it no longer used. A fixed threshold gives
    // each big picture its own mapping, back to the system the moment it is freed.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
#endif
    TTF_Init();
    SDL_Init(SDL_INIT_VIDEO);
    // Controllers start on their own: when they fail the game is played without one, whereas a
    // failed SDL_Init of both would have undone the video it had just started.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        std::printf("No game controller support (%s): keyboard only.\n", SDL_GetError());
    IMG_Init(IMG_INIT_PNG);
    Mix_Init(MIX_INIT_OGG);
    Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024);
}

namespace {
// The OpenGL implementation behind the renderer ("" when it does not draw with OpenGL).
std::string opengl_implementation(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name ||
        std::string(info.name).rfind("opengl", 0) != 0)
        return "";
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int gl_renderer = 0x1F01;  // GL_RENDERER
    auto get = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = get ? get(gl_renderer) : nullptr;
    return name ? reinterpret_cast<const char*>(name) : "";
}
}  // namespace

bool drawn_by_processor(const std::string& opengl_name) {
    for (const char* soft : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
        if (opengl_name.find(soft) != std::string::npos) return true;
    return false;
}

bool create_display() {
    window_owner.reset(SDL_CreateWindow("Mivo : The Game", SDL_WINDOWPOS_CENTERED,
                                        SDL_WINDOWPOS_CENTERED, 0, 0,
                                        SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE));
    if (!window_owner) {
        std::printf("Cannot open the window: %s\n", SDL_GetError());
        return false;
    }
    game_window = window_owner.get();
    renderer_owner.reset(
        SDL_CreateRenderer(game_window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC));
    // Without a graphics card, OpenGL is itself drawn by the processor, and through it every
    // picture costs more than SDL's own software renderer showing its frame straight in the
    // window (half the frame rate for twice the processor time at 1920 × 1080). A renderer the
    // player asked for (SDL_RENDER_DRIVER) is kept.
    std::string opengl = renderer_owner ? opengl_implementation(renderer_owner.get()) : "";
    if (drawn_by_processor(opengl) && !SDL_GetHint(SDL_HINT_RENDER_DRIVER)) {
        renderer_owner.reset();
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        renderer_owner.reset(SDL_CreateRenderer(game_window, -1, SDL_RENDERER_SOFTWARE));
        if (renderer_owner) {
            std::printf(
                "OpenGL is drawn by the processor here (%s): drawing with the software "
                "renderer.\n",
                opengl.c_str());
        } else {
            SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
            renderer_owner.reset(SDL_CreateRenderer(
                game_window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC));
        }
    }
    if (!renderer_owner) {
        // No graphics driver: draw with the software renderer rather than with none.
        renderer_owner.reset(SDL_CreateRenderer(game_window, -1, SDL_RENDERER_SOFTWARE));
    }
    if (!renderer_owner) {
        std::printf("Cannot create a renderer: %s\n", SDL_GetError());
        window_owner.reset();
        game_window = nullptr;
        return false;
    }
    game_renderer = renderer_owner.get();
    return true;
}

void destroy_display() {
    forget_all_stretched_copies();
    renderer_owner.reset();
    game_renderer = nullptr;
    window_owner.reset();
    game_window = nullptr;
}

void quit_libraries() {
    if (audio_shutdown()) {
        Mix_CloseAudio();
        Mix_Quit();
    } else {
        std::printf(
            "The music worker is still busy after 2 s (is its track a named pipe?): quitting "
            "without closing the audio device.\n");
    }
    controls_shutdown();
    IMG_Quit();
    SDL_Quit();
    TTF_Quit();
}

void window_intro() {
    SDL_SetWindowBordered(game_window, SDL_FALSE);
    // Frames are cleared to the splashes' colour from the first one on.
    const SDL_Color c = splash_background;
    SDL_SetRenderDrawColor(game_renderer, c.r, c.g, c.b, 255);
    SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_BLEND);
    SDL_ShowWindow(game_window);
    WindowSize size = animated_size();
    double p = 0;
    while (p < 100) {
        set_window_percent(size, p);
        p += (101 - p) / 10;
        centre_window();
        SDL_RenderClear(game_renderer);
        present_frame();
        sleep_ms(1);
    }
    if (settings.mode != mode_borderless) SDL_SetWindowBordered(game_window, SDL_TRUE);
}

void window_outro() {
    if (exclusive_full_screen()) {
        fade_outro();
        SDL_HideWindow(game_window);
        return;
    }
    SDL_SetWindowBordered(game_window, SDL_FALSE);
    SDL_SetRenderDrawColor(game_renderer, 255, 255, 255, 255);
    SDL_SetWindowMinimumSize(game_window, 1, 1);
    WindowSize size = animated_size();
    double p = 100;
    while (p > 1) {
        set_window_percent(size, p);
        p = outro_step(p);
        centre_window();
        present_frame();
        sleep_ms(1);
    }
    SDL_HideWindow(game_window);
}

void show_message(const std::string& text) {
    FontPtr font = open_font("intensa.ttf", 150);
    TexturePtr black = make_black_texture();
    TexturePtr label;
    if (font) {
        SurfacePtr surface(TTF_RenderText_Blended(font.get(), text.c_str(), {200, 200, 200, 255}));
        if (surface) label.reset(SDL_CreateTextureFromSurface(game_renderer, surface.get()));
    }
    SDL_RenderClear(game_renderer);
    draw_fullscreen(black.get());
    draw_scaled_centered(label.get(), 50, 40, 0.3);
    present_frame();
}
