// Implementation of the headless test harness.
#include "support/harness.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/audio.h"
#include "app/clock.h"
#include "app/draw.h"
#include "app/shell.h"

namespace fs = std::filesystem;

bool same_rect(SDL_Rect a, SDL_Rect b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

ChunkPtr silent_chunk() {
    static std::vector<Uint8> silence(4410, 0);
    return ChunkPtr(Mix_QuickLoad_RAW(silence.data(), static_cast<Uint32>(silence.size())));
}

bool sound_played() {
    bool playing = Mix_Playing(-1) > 0;
    Mix_HaltChannel(-1);
    return playing;
}

void push_key(SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
}

TestDisplay::TestDisplay(int w, int h) {
    clock_use_virtual(true, 0);
    reset_frame_cap();
    init_libraries();
    create_display();
    SDL_SetWindowSize(game_window, w, h);
    refresh_window_size();
    clear_black();
}

TestDisplay::~TestDisplay() {
    set_frame_hook(nullptr);
    destroy_display();
    let_music_workers_finish();
    quit_libraries();
    window_width = 1000;
    window_height = 600;
    clock_use_virtual(false);
}

void let_music_workers_finish() {
    auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!audio_shutdown() && std::chrono::steady_clock::now() < give_up) {
    }
}

SDL_Color read_pixel(int x, int y) {
    SDL_Rect r{x, y, 1, 1};
    Uint32 px = 0;
    SDL_RenderReadPixels(game_renderer, &r, SDL_PIXELFORMAT_ARGB8888, &px, 4);
    return {static_cast<Uint8>(px >> 16), static_cast<Uint8>(px >> 8), static_cast<Uint8>(px),
            static_cast<Uint8>(px >> 24)};
}

SDL_Rect find_colour(SDL_Color c) { return find_pixels(c, false); }

SDL_Rect find_lit() { return find_pixels({0, 0, 0, 255}, true); }

SDL_Rect find_pixels(SDL_Color c, bool other_than) {
    int w = window_width, h = window_height;
    std::string buf(static_cast<size_t>(w) * h * 4, '\0');
    SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, buf.data(), w * 4);
    const auto* px = reinterpret_cast<const Uint32*>(buf.data());
    Uint32 want = (static_cast<Uint32>(c.r) << 16) | (static_cast<Uint32>(c.g) << 8) | c.b;
    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (((px[y * w + x] & 0xFFFFFF) != want) != other_than) continue;
            x0 = std::min(x0, x);
            y0 = std::min(y0, y);
            x1 = std::max(x1, x);
            y1 = std::max(y1, y);
        }
    }
    if (x1 < 0) return {0, 0, 0, 0};
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

void clear_black() {
    SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
    SDL_RenderClear(game_renderer);
}

TexturePtr solid_texture(int w, int h, SDL_Color c) {
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
    SDL_FillRect(s.get(), nullptr, SDL_MapRGBA(s->format, c.r, c.g, c.b, 255));
    return TexturePtr(SDL_CreateTextureFromSurface(game_renderer, s.get()));
}

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "mivo-test-XXXXXX").string();
    if (mkdtemp(pattern.data())) path = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!path.empty()) fs::remove_all(path, ec);
}

Sandbox::Sandbox() {
    previous = fs::current_path().string();
    fs::create_directories(dir.path + "/levels");
    std::error_code ec;
    fs::create_directory_symlink(source_dir() + "/ressources", dir.path + "/ressources", ec);
    fs::current_path(dir.path);
}

Sandbox::~Sandbox() { fs::current_path(previous); }

void write_file(const std::string& path, const std::string& content) {
    fs::path p(path);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "";
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool file_exists(const std::string& path) { return fs::exists(path); }

std::string source_dir() { return MIVO_SOURCE_DIR; }
