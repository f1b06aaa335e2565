// Texture loaders and the renderer handshake.
#include "app/assets.h"

#include <SDL_image.h>

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>

#include "app/draw.h"
#include "app/file_checks.h"
#include "app/paths.h"

namespace {
// The handshake's flags, all read and changed under one lock, so that each side's check and
// claim is one step. Waits sleep on the condition instead of polling: a waiting thread costs
// nothing and wakes the moment the other side lets go.
std::mutex handshake_lock;
std::condition_variable handshake_changed;
bool renderer_request = false;  // the main thread wants the renderer
bool loader_busy = false;       // the loading thread is drawing a frame
bool renderer_granted = false;  // the main thread finished its texture work
bool frames_stopped = false;    // the loading screen is over: no more frames
std::function<void()> wait_hook;

// A loading screen runs: the renderer moves between threads. Set and cleared by the main thread
// around the loading thread's whole life.
std::atomic<bool> handing_over{false};
SDL_GLContext gl_context = nullptr;  // the OpenGL renderer's context, null for other renderers

bool renderer_uses_gl() {
    SDL_RendererInfo info{};
    return game_renderer && SDL_GetRendererInfo(game_renderer, &info) == 0 && info.name &&
           std::strncmp(info.name, "opengl", 6) == 0;
}

// The file is read and decoded before the renderer is taken: the loading screen keeps turning
// while the disk works.
TexturePtr load_resource(const std::string& relative) {
    std::string path = resource_path(relative);
    if (source_resource_chars(relative) > max_texture_path || !regular_file(path)) return nullptr;
    SurfacePtr image(IMG_Load(path.c_str()));
    if (!image) return nullptr;
    renderer_acquire();
    TexturePtr tex(SDL_CreateTextureFromSurface(game_renderer, image.get()));
    renderer_release();
    return tex;
}
}  // namespace

void renderer_take() {
    if (handing_over && gl_context) SDL_GL_MakeCurrent(game_window, gl_context);
}

void renderer_hand_off() {
    if (!handing_over) return;
    // Drawing is batched: what this thread drew must reach the context before it lets go.
    SDL_RenderFlush(game_renderer);
    if (gl_context && SDL_GL_GetCurrentContext()) SDL_GL_MakeCurrent(game_window, nullptr);
}

void renderer_acquire() {
    std::unique_lock<std::mutex> lock(handshake_lock);
    renderer_request = true;
    if (loader_busy && wait_hook) {
        lock.unlock();
        wait_hook();
        lock.lock();
    }
    handshake_changed.wait(lock, [] { return !loader_busy; });
    renderer_granted = false;
    renderer_request = false;
    lock.unlock();
    renderer_take();
}

void renderer_release() {
    renderer_hand_off();
    {
        std::lock_guard<std::mutex> lock(handshake_lock);
        renderer_granted = true;
    }
    handshake_changed.notify_all();
}

namespace {
bool frame_claimable() { return !renderer_request && renderer_granted && !loader_busy; }
}  // namespace

bool loader_frame_begin() {
    {
        std::lock_guard<std::mutex> lock(handshake_lock);
        if (frames_stopped || !frame_claimable()) return false;
        loader_busy = true;
    }
    renderer_take();
    return true;
}

bool loader_frame_wait() {
    {
        std::unique_lock<std::mutex> lock(handshake_lock);
        handshake_changed.wait(lock, [] { return frames_stopped || frame_claimable(); });
        if (frames_stopped) return false;
        loader_busy = true;
    }
    renderer_take();
    return true;
}

void loader_frame_end() {
    renderer_hand_off();
    {
        std::lock_guard<std::mutex> lock(handshake_lock);
        loader_busy = false;
    }
    handshake_changed.notify_all();
}

void loader_stop_frames() {
    {
        std::lock_guard<std::mutex> lock(handshake_lock);
        frames_stopped = true;
    }
    handshake_changed.notify_all();
}

void renderer_handover_begin() {
    {
        std::lock_guard<std::mutex> lock(handshake_lock);
        renderer_request = loader_busy = renderer_granted = frames_stopped = false;
    }
    // The renderer's context is current here, on the thread that created the renderer.
    gl_context = renderer_uses_gl() ? SDL_GL_GetCurrentContext() : nullptr;
    handing_over = true;
    renderer_hand_off();
}

void renderer_handover_end() {
    renderer_take();
    handing_over = false;
}

void renderer_handshake_reset() {
    std::lock_guard<std::mutex> lock(handshake_lock);
    renderer_request = loader_busy = renderer_granted = frames_stopped = false;
}

void set_renderer_wait_hook(std::function<void()> hook) { wait_hook = std::move(hook); }

FontPtr open_font(const std::string& file, int size) {
    return FontPtr(TTF_OpenFont(resource_path("fonts/" + file).c_str(), size));
}

TexturePtr load_texture(const std::string& relative) { return load_resource(relative); }

TexturePtr load_texture_dimmed(const std::string& relative, Uint8 dim) {
    std::string path = resource_path(relative);
    if (source_resource_chars(relative) > max_texture_path || !regular_file(path)) return nullptr;
    SurfacePtr image(IMG_Load(path.c_str()));
    if (!image) return nullptr;
    SurfacePtr pixels(SDL_ConvertSurfaceFormat(image.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!pixels) return nullptr;
    // What the renderer's colour modulation computes, once: each channel times dim / 255.
    for (int y = 0; y < pixels->h; ++y) {
        Uint32* row = surface_row(pixels.get(), y);
        for (int x = 0; x < pixels->w; ++x) {
            Uint32 p = row[x];
            Uint32 r = ((p >> 16) & 0xFF) * dim / 255, g = ((p >> 8) & 0xFF) * dim / 255,
                   b = (p & 0xFF) * dim / 255;
            row[x] = (p & 0xFF000000u) | (r << 16) | (g << 8) | b;
        }
    }
    // An image without transparency stays opaque: it is copied, not blended.
    if (!SDL_ISPIXELFORMAT_ALPHA(image->format->format)) {
        SurfacePtr opaque(SDL_ConvertSurfaceFormat(pixels.get(), SDL_PIXELFORMAT_RGB888, 0));
        if (opaque) pixels = std::move(opaque);
    }
    renderer_acquire();
    TexturePtr tex(SDL_CreateTextureFromSurface(game_renderer, pixels.get()));
    renderer_release();
    return tex;
}

TexturePtr load_texture_in(const std::string& folder, const std::string& file) {
    return load_resource(folder + "/" + file);
}

TexturePtr load_theme_texture(const std::string& theme, const std::string& category, char code,
                              const std::string& ext) {
    return load_resource("textures/theme_" + theme + "/" + category + "/" + std::string(1, code) +
                         "." + ext);
}

TexturePtr make_black_texture() {
    // A strip rather than a pixel: draw_fullscreen lays it over the window row after row as
    // plain copies, several times faster than stretching or filling with blending.
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, black_veil_width, black_veil_height, 32,
                                                      SDL_PIXELFORMAT_RGB888));
    if (!surface) return nullptr;
    SDL_FillRect(surface.get(), nullptr, 0);
    renderer_acquire();
    TexturePtr tex(SDL_CreateTextureFromSurface(game_renderer, surface.get()));
    renderer_release();
    mark_black_veil(tex.get());
    return tex;
}

TexturePtr make_text_texture(TTF_Font* font, const std::string& text, SDL_Color color) {
    if (!font || text.empty()) return nullptr;
    SurfacePtr surface(TTF_RenderUTF8_Blended(font, text.c_str(), color));
    if (!surface) return nullptr;
    renderer_acquire();
    TexturePtr tex(SDL_CreateTextureFromSurface(game_renderer, surface.get()));
    renderer_release();
    return tex;
}
