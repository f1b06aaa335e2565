// Frame pacing and drawing helpers. Every real-to-pixel conversion truncates toward zero.
#include "app/draw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/clock.h"
#include "app/stretched_copies.h"

SDL_Window* game_window = nullptr;
SDL_Renderer* game_renderer = nullptr;
int window_width = 1000;
int window_height = 600;

namespace {
constexpr double frame_target = 1.0 / 60.0;
bool cap_started = false;
double last_present = 0;
std::function<void()> frame_hook;

// With MIVO_FRAME_REPORT set, the game prints how many frames it has presented, once a second
// (bench/window.sh measures the frame rate in a real window with it).
void report_frames() {
    static const bool wanted = std::getenv("MIVO_FRAME_REPORT") != nullptr;
    static long presented = 0;
    static int last_report = 0;
    if (!wanted) return;
    if (presented == 0) {
        SDL_RendererInfo info{};
        SDL_GetRendererInfo(game_renderer, &info);
        std::printf("renderer: %s\n", info.name ? info.name : "?");
    }
    ++presented;
    int now = now_ms();
    if (now - last_report < 1000) return;
    last_report = now;
    std::printf("frames presented: %ld at %d ms\n", presented, now);
    std::fflush(stdout);
}

bool texture_size(SDL_Texture* tex, int* w, int* h) {
    *w = *h = 0;
    return tex && SDL_QueryTexture(tex, nullptr, nullptr, w, h) == 0;
}

void copy(SDL_Texture* tex, int x, int y, int w, int h) {
    SDL_Rect dst{x, y, w, h};
    render_copy(tex, &dst);
}
}  // namespace

void render_copy(SDL_Texture* tex, const SDL_Rect* dst) {
    if (!tex) return;
    // A picture without an alpha channel blended at full alpha is a plain copy, and drawn as
    // one: the software renderer takes its slowest way for it (20 ms for a 1920 × 1080 picture,
    // 0.3 ms copied plainly).
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    Uint8 alpha = 0;
    Uint32 format = 0;
    SDL_GetTextureBlendMode(tex, &mode);
    SDL_GetTextureAlphaMod(tex, &alpha);
    SDL_QueryTexture(tex, &format, nullptr, nullptr, nullptr);
    bool opaque = mode == SDL_BLENDMODE_BLEND && alpha == 255 && !SDL_ISPIXELFORMAT_ALPHA(format);
    // Drawn at a size it keeps frame after frame: its copy stretched once, with its settings.
    bool tinted = false;
    if (SDL_Texture* copy = dst ? stretched_copy(tex, *dst, false, &tinted) : nullptr) {
        Uint8 r = 255, g = 255, b = 255;
        if (!tinted) SDL_GetTextureColorMod(tex, &r, &g, &b);
        SDL_SetTextureColorMod(copy, r, g, b);
        SDL_SetTextureAlphaMod(copy, alpha);
        SDL_SetTextureBlendMode(copy, opaque || tinted ? SDL_BLENDMODE_NONE : mode);
        SDL_RenderCopy(game_renderer, copy, nullptr, dst);
        return;
    }
    if (opaque) SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_NONE);
    SDL_RenderCopy(game_renderer, tex, nullptr, dst);
    if (opaque) SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
}

void render_copy_ex(SDL_Texture* tex, const SDL_Rect& dst, double angle, const SDL_Point* centre,
                    SDL_RendererFlip flip) {
    if (!tex) return;
    SDL_Texture* copy =
        angle != 0 || flip != SDL_FLIP_NONE ? stretched_copy(tex, dst, true) : nullptr;
    if (copy) {
        Uint8 r = 255, g = 255, b = 255, a = 255;
        SDL_GetTextureColorMod(tex, &r, &g, &b);
        SDL_GetTextureAlphaMod(tex, &a);
        SDL_SetTextureColorMod(copy, r, g, b);
        SDL_SetTextureAlphaMod(copy, a);
        SDL_SetTextureBlendMode(copy, SDL_BLENDMODE_BLEND);
        tex = copy;
    }
    SDL_RenderCopyEx(game_renderer, tex, nullptr, &dst, angle, centre, flip);
}

void refresh_window_size() {
    if (game_window) SDL_GetWindowSize(game_window, &window_width, &window_height);
}

ScopedViewport::ScopedViewport(SDL_Rect part)
    : saved_width(window_width), saved_height(window_height) {
    SDL_RenderSetViewport(game_renderer, &part);
    SDL_Rect clip{0, 0, part.w, part.h};  // relative to the viewport
    SDL_RenderSetClipRect(game_renderer, &clip);
    window_width = part.w;
    window_height = part.h;
}

ScopedViewport::~ScopedViewport() {
    SDL_RenderSetClipRect(game_renderer, nullptr);
    SDL_RenderSetViewport(game_renderer, nullptr);
    window_width = saved_width;
    window_height = saved_height;
}

void present_frame() {
    if (!cap_started) {
        cap_started = true;
        last_present = now_ms();
    }
    double elapsed = (now_ms() - last_present) / 1000.0;
    double remaining = frame_target - elapsed;
    if (remaining > 0) sleep_ms(static_cast<int>(remaining * 1000));
    last_present = now_ms();
    SDL_RenderPresent(game_renderer);
    report_frames();
    if (frame_hook) frame_hook();
}

void set_frame_hook(std::function<void()> hook) { frame_hook = std::move(hook); }

void reset_frame_cap() { cap_started = false; }

void draw_rect(SDL_Texture* tex, int x, int y, int w, int h) { copy(tex, x, y, w, h); }

namespace {
char black_veil_mark;
}

void mark_black_veil(SDL_Texture* tex) {
    if (tex) SDL_SetTextureUserData(tex, &black_veil_mark);
}

void draw_fullscreen(SDL_Texture* tex) {
    if (!tex) return;
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    Uint8 alpha = 255;
    SDL_GetTextureBlendMode(tex, &mode);
    SDL_GetTextureAlphaMod(tex, &alpha);
    bool blended = mode == SDL_BLENDMODE_BLEND || mode == SDL_BLENDMODE_ADD;
    if (blended && alpha == 0) return;
    if (SDL_GetTextureUserData(tex) != &black_veil_mark) {
        copy(tex, 0, 0, window_width, window_height);
        return;
    }
    if (blended && alpha < 255 && window_width <= black_veil_width) {
        for (int y = 0; y < window_height; y += black_veil_height) {
            int h = std::min(black_veil_height, window_height - y);
            SDL_Rect from{0, 0, window_width, h}, to{0, y, window_width, h};
            SDL_RenderCopy(game_renderer, tex, &from, &to);
        }
        return;
    }
    // Opaque, or a window wider than the strip: filled. The draw colour is also the colour
    // frames are cleared to: it is put back, with the blend mode.
    SDL_BlendMode before = SDL_BLENDMODE_NONE;
    Uint8 r, g, b, a;
    SDL_GetRenderDrawBlendMode(game_renderer, &before);
    SDL_GetRenderDrawColor(game_renderer, &r, &g, &b, &a);
    bool opaque = !blended || alpha == 255;
    SDL_SetRenderDrawBlendMode(game_renderer, opaque ? SDL_BLENDMODE_NONE : mode);
    SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, alpha);
    SDL_Rect all{0, 0, window_width, window_height};
    SDL_RenderFillRect(game_renderer, &all);
    SDL_SetRenderDrawBlendMode(game_renderer, before);
    SDL_SetRenderDrawColor(game_renderer, r, g, b, a);
}

void draw_scaled(SDL_Texture* tex, int x, int y, double s) {
    int w, h;
    if (!texture_size(tex, &w, &h)) return;
    copy(tex, x, y, static_cast<int>(w * s), static_cast<int>(h * s));
}

void draw_scaled_anchored(SDL_Texture* tex, int x, int y, double s) {
    int w, h;
    if (!texture_size(tex, &w, &h)) return;
    int sw = static_cast<int>(w * s), sh = static_cast<int>(h * s);
    copy(tex, x, window_height - y - sh, sw, sh);
}

void draw_scaled_centered(SDL_Texture* tex, int px, int py, double s) {
    int w, h;
    if (!texture_size(tex, &w, &h)) return;
    int sw = static_cast<int>(w * s), sh = static_cast<int>(h * s);
    copy(tex, static_cast<int>(window_width * (px / 100.0) - sw * 0.5),
         static_cast<int>(window_height * (py / 100.0) - sh * 0.5), sw, sh);
}

void draw_cell(SDL_Texture* tex, double cx, double cy) {
    int t = tile_size();
    copy(tex, static_cast<int>(t * cx), static_cast<int>(window_height - t * (cy + 1)), t, t);
}

void draw_cell_px(SDL_Texture* tex, int x, int y) {
    int t = tile_size();
    copy(tex, x, window_height - y, t, t);
}

void draw_sprite_cells(SDL_Texture* tex, bool mirror, int x, int y, double wc, double hc) {
    if (!tex) return;
    int t = tile_size();
    SDL_Rect dst{x, static_cast<int>((window_height - y) - hc), static_cast<int>(t * wc),
                 static_cast<int>(t * hc)};
    render_copy_ex(tex, dst, 0, nullptr, mirror ? SDL_FLIP_HORIZONTAL : SDL_FLIP_NONE);
}

int alpha_value(int lo, int hi, int base, int fade) {
    int a = base;
    if (a > hi) a = hi;
    if (a < lo) a = lo;
    a -= std::abs(fade);
    if (a < 0) a = 0;
    return a;
}

void set_alpha(SDL_Texture* tex, int lo, int hi, int base, int fade) {
    if (tex) SDL_SetTextureAlphaMod(tex, static_cast<Uint8>(alpha_value(lo, hi, base, fade)));
}

TexturePtr window_snapshot() {
    refresh_window_size();
    SurfacePtr surface(SDL_CreateRGBSurface(0, window_width, window_height, 32, 0x00FF0000,
                                            0x0000FF00, 0x000000FF, 0xFF000000));
    if (!surface) return nullptr;
    SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, surface->pixels,
                         surface->pitch);
    return TexturePtr(SDL_CreateTextureFromSurface(game_renderer, surface.get()));
}
