// The loading thread and its screen.
#include "app/loading.h"

#include <SDL_image.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>

#include "app/assets.h"
#include "app/clock.h"
#include "app/draw.h"
#include "app/paths.h"

namespace {
constexpr SDL_Color label_colour{170, 170, 170, 255};
constexpr int label_size = 30;
constexpr int spin_step = 2;        // degrees per drawn frame
constexpr double shrink = 1.5;      // spinner to its drawn size, and spinner to emblem
constexpr int corner_margin = 100;  // label's right edge and the row's centre, from the corner
constexpr int spinner_gap = 50;     // from the spinner's centre to the label

SDL_Thread* loader_thread = nullptr;
std::atomic<bool> loader_alive{false};
int loading_end_time = 0;

// What the main thread hands the thread before starting it; the thread owns it from then on.
LoadingScreen handed_screen;
std::string handed_label;

// The thread's set-up is done: the main thread may grant the first frame.
std::mutex start_lock;
std::condition_variable start_changed;
bool loader_starting = false;

TexturePtr load_image(const char* relative) {
    return TexturePtr(IMG_LoadTexture(game_renderer, resource_path(relative).c_str()));
}

TexturePtr render_label(const std::string& text) {
    FontPtr font = open_font("intensa.ttf", label_size);
    if (!font || text.empty()) return nullptr;
    SurfacePtr surface(TTF_RenderUTF8_Blended(font.get(), text.c_str(), label_colour));
    if (!surface) return nullptr;
    return TexturePtr(SDL_CreateTextureFromSurface(game_renderer, surface.get()));
}

void texture_size(SDL_Texture* tex, int* w, int* h) {
    *w = *h = 0;
    if (tex) SDL_QueryTexture(tex, nullptr, nullptr, w, h);
}

void mark_started() {
    {
        std::lock_guard<std::mutex> lock(start_lock);
        loader_starting = false;
    }
    start_changed.notify_all();
}

// "thload": loads its own images while the main thread waits, then draws a frame whenever the
// main thread is between two loads, until the frames are stopped; frees everything on its way out.
int loader_body(void*) {
    renderer_take();
    LoadingScreen screen = std::move(handed_screen);
    screen.spinner = load_image("ide/load.png");
    screen.emblem = load_image("ide/icon.png");
    if (!screen.backdrop) screen.backdrop = window_snapshot();
    screen.label = render_label(handed_label);
    renderer_hand_off();
    mark_started();

    while (loader_frame_wait()) {
        loading_update(screen);
        SDL_RenderClear(game_renderer);
        loading_draw(screen);
        present_frame();
        loader_frame_end();
    }

    renderer_take();
    screen = LoadingScreen{};
    renderer_hand_off();
    loader_alive = false;
    return 0;
}
}  // namespace

LoadingLayout loading_layout(int w, int h, int tw, int th, int sw, int sh) {
    LoadingLayout l{};
    int w1 = static_cast<int>(sw / shrink), h1 = static_cast<int>(sh / shrink);
    int w2 = static_cast<int>(w1 / shrink), h2 = static_cast<int>(h1 / shrink);
    l.label = {w - tw - corner_margin, h - th / 2 - corner_margin, tw, th};
    l.spinner = {w - w1 / 2 - tw - corner_margin - spinner_gap, h - h1 / 2 - corner_margin, w1, h1};
    l.emblem = {static_cast<int>(w - (w1 / shrink) / 2 - tw - spinner_gap - corner_margin),
                static_cast<int>(h - (h1 / shrink) / 2 - corner_margin), w2, h2};
    l.pivot = {w1 / 2, h1 / 2};
    return l;
}

void loading_update(LoadingScreen& s) { s.angle += spin_step; }

void loading_draw(const LoadingScreen& s) {
    int tw, th, sw, sh;
    texture_size(s.label.get(), &tw, &th);
    texture_size(s.spinner.get(), &sw, &sh);
    LoadingLayout l = loading_layout(window_width, window_height, tw, th, sw, sh);
    draw_fullscreen(s.backdrop.get());
    if (s.label) SDL_RenderCopy(game_renderer, s.label.get(), nullptr, &l.label);
    if (s.spinner)
        render_copy_ex(s.spinner.get(), l.spinner, s.angle, &l.pivot, SDL_FLIP_NONE);
    if (s.emblem) SDL_RenderCopy(game_renderer, s.emblem.get(), nullptr, &l.emblem);
}

void loading_begin(int min_ms, const std::string& label, TexturePtr backdrop) {
    handed_label = label;
    handed_screen = LoadingScreen{};
    handed_screen.backdrop = std::move(backdrop);
    loading_end_time = now_ms() + min_ms;
    // Raised before the thread exists, so that its clearing can never come first.
    {
        std::lock_guard<std::mutex> lock(start_lock);
        loader_starting = true;
    }
    renderer_handover_begin();
    loader_alive = true;
    loader_thread = SDL_CreateThread(loader_body, "thload", nullptr);
    if (!loader_thread) {
        std::printf("No loading screen (%s): loading without it.\n", SDL_GetError());
        loader_alive = false;
        renderer_handover_end();
        handed_screen = LoadingScreen{};
        return;
    }
    std::unique_lock<std::mutex> lock(start_lock);
    start_changed.wait(lock, [] { return !loader_starting; });
    lock.unlock();
    renderer_release();  // the first frame may be drawn
}

void loading_end() {
    for (int now = now_ms(); now < loading_end_time; now = now_ms())
        sleep_ms(loading_end_time - now);
    if (!loader_thread) return;
    loader_stop_frames();
    SDL_WaitThread(loader_thread, nullptr);
    loader_thread = nullptr;
    renderer_handover_end();
}

bool loading_thread_alive() { return loader_alive; }
