// Texture loaders and the renderer handshake.
#include "app/assets.h"

#include <SDL_image.h>

#include <atomic>
#include <mutex>

#include "app/clock.h"
#include "app/draw.h"

namespace {
std::atomic<bool> renderer_request{false};  // the main thread wants the renderer
std::atomic<bool> loader_busy{false};       // the loading thread is drawing a frame
std::atomic<bool> renderer_granted{false};  // the main thread finished its texture work
std::mutex claim_mutex;                     // makes each side's check-and-claim one step
std::function<void()> acquire_hook;

TexturePtr load_full_path(const std::string& path) {
    if (path.size() > max_texture_path) return nullptr;
    renderer_acquire();
    TexturePtr tex(IMG_LoadTexture(game_renderer, path.c_str()));
    renderer_release();
    return tex;
}
}  // namespace

void renderer_acquire() {
    {
        std::lock_guard<std::mutex> lock(claim_mutex);
        renderer_request = true;
    }
    while (loader_busy) sleep_ms(1);
    // The grant is withdrawn before the request is, so the loading thread never sees both
    // flags clear while the main thread is about to use the renderer.
    renderer_granted = false;
    if (acquire_hook) acquire_hook();
    renderer_request = false;
}

void renderer_release() { renderer_granted = true; }

bool loader_frame_begin() {
    std::lock_guard<std::mutex> lock(claim_mutex);
    if (renderer_request || !renderer_granted) return false;
    loader_busy = true;
    return true;
}

void loader_frame_end() { loader_busy = false; }

void renderer_handshake_reset() {
    renderer_request = false;
    loader_busy = false;
    renderer_granted = false;
}

std::string resource_path(const std::string& relative) { return "ressources/" + relative; }

FontPtr open_font(const std::string& file, int size) {
    return FontPtr(TTF_OpenFont(resource_path("fonts/" + file).c_str(), size));
}

void set_renderer_acquire_hook(std::function<void()> hook) { acquire_hook = std::move(hook); }

TexturePtr load_texture(const std::string& relative) {
    return load_full_path(resource_path(relative));
}

TexturePtr load_texture_in(const std::string& folder, const std::string& file) {
    return load_full_path(resource_path(folder + "/" + file));
}

TexturePtr load_theme_texture(const std::string& theme, const std::string& category, char code,
                              const std::string& ext) {
    return load_full_path(resource_path("textures/theme_" + theme + "/" + category + "/" +
                                        std::string(1, code) + "." + ext));
}

TexturePtr make_black_texture() {
    SurfacePtr surface(SDL_CreateRGBSurface(0, 1, 1, 32, 0, 0, 0, 0));
    if (!surface) return nullptr;
    renderer_acquire();
    TexturePtr tex(SDL_CreateTextureFromSurface(game_renderer, surface.get()));
    renderer_release();
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
