// Frame pacing and drawing helpers. Every real-to-pixel conversion truncates toward zero.
#include "app/draw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#if defined(__x86_64__)
#include <emmintrin.h>
#endif

#include "app/clock.h"
#include "app/frame_rows.h"
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

bool software_renderer() {
    SDL_RendererInfo info{};
    return game_renderer && SDL_GetRendererInfo(game_renderer, &info) == 0 && info.name &&
           std::strcmp(info.name, "software") == 0;
}

Uint32 frame_format() {
    Uint32 format = SDL_PIXELFORMAT_UNKNOWN;
    if (SDL_Texture* target = SDL_GetRenderTarget(game_renderer))
        SDL_QueryTexture(target, &format, nullptr, nullptr, nullptr);
    else if (game_window)
        format = SDL_GetWindowPixelFormat(game_window);
    return format;
}

bool crosses_clip(const SDL_Rect& dst) {
    if (!SDL_RenderIsClipEnabled(game_renderer)) return false;
    SDL_Rect clip{0, 0, 0, 0};
    SDL_RenderGetClipRect(game_renderer, &clip);
    return dst.x < clip.x || dst.y < clip.y || dst.x + dst.w > clip.x + clip.w ||
           dst.y + dst.h > clip.y + clip.h;
}

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

namespace {
bool turn_directly(SDL_Texture* copy, const SDL_Rect& dst, double angle, const SDL_Point* centre);
}  // namespace

void render_copy_ex(SDL_Texture* tex, const SDL_Rect& dst, double angle, const SDL_Point* centre,
                    SDL_RendererFlip flip) {
    if (!tex) return;
    // Unmirrored and turned by whole turns, the renderer copies the picture as it is, unturned.
    const bool turned = flip != SDL_FLIP_NONE || static_cast<int>(angle / 360) != angle / 360;
    SDL_Texture* copy = turned ? stretched_copy(tex, dst, true) : nullptr;
    if (copy) {
        Uint8 r = 255, g = 255, b = 255, a = 255;
        SDL_GetTextureColorMod(tex, &r, &g, &b);
        SDL_GetTextureAlphaMod(tex, &a);
        SDL_SetTextureColorMod(copy, r, g, b);
        SDL_SetTextureAlphaMod(copy, a);
        SDL_SetTextureBlendMode(copy, SDL_BLENDMODE_BLEND);
        tex = copy;
    }
    if (flip == SDL_FLIP_NONE && turn_directly(tex, dst, angle, centre)) return;
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
bool direct_drawing_on = true;
int laid_directly = 0, turned_directly = 0;

// The frame the software renderer draws on, when a veil may be laid on its pixels directly: the
// window's own surface in the renderer's usual XRGB, drawn without a target, at scale 1. On
// x86-64 the renderer blends an opaque picture with an alpha through its MMX blitter, whose
// arithmetic darken_rows repeats.
SDL_Surface* direct_frame() {
#if defined(__x86_64__)
    float sx = 0, sy = 0;
    int lw = 0, lh = 0;
    if (!direct_drawing_on || !game_window || !software_renderer() ||
        SDL_GetRenderTarget(game_renderer) || !SDL_HasMMX())
        return nullptr;
    SDL_RenderGetScale(game_renderer, &sx, &sy);
    SDL_RenderGetLogicalSize(game_renderer, &lw, &lh);
    if (sx != 1 || sy != 1 || lw != 0 || lh != 0) return nullptr;
    SDL_Surface* frame = SDL_GetWindowSurface(game_window);
    if (!frame || frame->format->format != SDL_PIXELFORMAT_RGB888) return nullptr;
    return frame;
#else
    return nullptr;
#endif
}

// Black laid over `area` of an XRGB frame at alpha a (1 … 254), as the renderer's blend of an
// opaque black picture gives it: each of red, green and blue d becomes d − ⌈d·a / 256⌉; the
// fourth byte stays, but for a = 128, where the blend halves each colour and clears it.
void darken_rows(SDL_Surface* frame, const SDL_Rect& area, int a) {
#if defined(__x86_64__)
    const Uint32 keep = a == 128 ? 0x00FFFFFFu : 0xFFFFFFFFu;
    const __m128i zero = _mm_setzero_si128();
    const __m128i mult = _mm_set_epi16(0, a, a, a, 0, a, a, a);
    const __m128i up = _mm_set_epi16(0, 255, 255, 255, 0, 255, 255, 255);
    const __m128i mask = _mm_set1_epi32(static_cast<int>(keep));
    for (int y = area.y; y < area.y + area.h; ++y) {
        Uint32* p = reinterpret_cast<Uint32*>(static_cast<Uint8*>(frame->pixels) +
                                              static_cast<size_t>(y) * frame->pitch) +
                    area.x;
        int n = area.w;
        for (; n >= 4; n -= 4, p += 4) {
            __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            __m128i lo = _mm_unpacklo_epi8(px, zero), hi = _mm_unpackhi_epi8(px, zero);
            lo = _mm_sub_epi16(lo, _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(lo, mult), up), 8));
            hi = _mm_sub_epi16(hi, _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(hi, mult), up), 8));
            px = _mm_and_si128(_mm_packus_epi16(lo, hi), mask);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), px);
        }
        for (; n > 0; --n, ++p) {
            Uint32 d = *p, out = d & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                Uint32 c = (d >> shift) & 0xFF;
                out |= (c - ((c * a + 255) >> 8)) << shift;
            }
            *p = out & keep;
        }
    }
#else
    (void)frame, (void)area, (void)a;
#endif
}

// The veil `tex` at alpha a over the viewport, laid on the frame's pixels at once rather than
// blended strip after strip by the renderer (the same pixels, a tenth of the time: a veil lies
// over every frame of a level). False when it cannot be: the renderer draws it then.
bool darken_directly(SDL_Texture* tex, int a) {
    Uint32 format = 0;
    Uint8 r = 0, g = 0, b = 0;
    if (SDL_QueryTexture(tex, &format, nullptr, nullptr, nullptr) != 0 ||
        format != SDL_PIXELFORMAT_RGB888 || SDL_GetTextureColorMod(tex, &r, &g, &b) != 0 ||
        r != 255 || g != 255 || b != 255)
        return false;
    SDL_Surface* frame = direct_frame();
    if (!frame) return false;
    SDL_Rect viewport{0, 0, 0, 0}, area{0, 0, 0, 0};
    SDL_RenderGetViewport(game_renderer, &viewport);
    SDL_Rect wanted{viewport.x, viewport.y, window_width, window_height};
    SDL_IntersectRect(&wanted, &viewport, &area);
    if (SDL_RenderIsClipEnabled(game_renderer)) {
        SDL_Rect clip{0, 0, 0, 0};
        SDL_RenderGetClipRect(game_renderer, &clip);
        clip.x += viewport.x;
        clip.y += viewport.y;
        SDL_Rect within = area;
        if (!SDL_IntersectRect(&within, &clip, &area)) return true;
    }
    SDL_Rect whole{0, 0, frame->w, frame->h}, inside = area;
    if (!SDL_IntersectRect(&inside, &whole, &area)) return true;
    // Everything asked before the veil lands first.
    if (SDL_RenderFlush(game_renderer) != 0) return false;
    if (SDL_MUSTLOCK(frame) && SDL_LockSurface(frame) != 0) return false;
    darken_rows(frame, area, a);
    if (SDL_MUSTLOCK(frame)) SDL_UnlockSurface(frame);
    ++laid_directly;
    return true;
}

// One pixel of a picture turned by the renderer: the four source pixels around the sampled point
// (16.16 fixed point) mixed byte by byte, first along x by ex, then along y by ey, each step
// rounded down as the renderer's smooth turn does.
inline Uint32 turned_sample(const Uint32* src, int pitch, int sx, int sy) {
    const Uint32* p = src + static_cast<ptrdiff_t>(sy >> 16) * pitch + (sx >> 16);
    const Uint32 c00 = p[0], c01 = p[1], c10 = p[pitch], c11 = p[pitch + 1];
    const int ex = sx & 0xFFFF, ey = sy & 0xFFFF;
    Uint32 out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int a00 = (c00 >> shift) & 0xFF, a01 = (c01 >> shift) & 0xFF;
        const int a10 = (c10 >> shift) & 0xFF, a11 = (c11 >> shift) & 0xFF;
        const int t1 = ((((a01 - a00) * ex) >> 16) + a00) & 0xFF;
        const int t2 = ((((a11 - a10) * ex) >> 16) + a10) & 0xFF;
        out |= static_cast<Uint32>(((((t2 - t1) * ey) >> 16) + t1) & 0xFF) << shift;
    }
    return out;
}

// An ABGR pixel over the XRGB frame as the renderer's blitter for swapped red and blue lays it:
// red and blue moved a step towards the source by a packed multiply, green on its own, and the
// alpha byte A + (d·(255 − A) >> 8); the pixel itself, made opaque, at 255.
inline void blend_abgr_over(Uint32* dp, Uint32 s) {
    const Uint32 alpha = s >> 24;
    if (alpha == 0) return;
    Uint32 s1 = s & 0xFF00FF;
    s1 = (s1 >> 16) | (s1 << 16);
    s &= 0xFF00;
    if (alpha == 255) {
        *dp = 0xFF000000u | s | s1;
        return;
    }
    Uint32 d = *dp;
    Uint32 dalpha = d >> 24;
    Uint32 d1 = d & 0xFF00FF;
    d1 = (d1 + ((s1 - d1) * alpha >> 8)) & 0xFF00FF;
    d &= 0xFF00;
    d = (d + ((s - d) * alpha >> 8)) & 0xFF00;
    dalpha = alpha + (dalpha * (alpha ^ 0xFF) >> 8);
    *dp = d1 | d | (dalpha << 24);
}

// `copy` (a picture of dst's size, or its kept stretched copy) turned by `angle` degrees about
// `centre` and blended onto the frame's pixels at once, as the software renderer does it in three
// passes (a new scratch picture cleared, the turn written into it, then blended): the same
// arithmetic, pixel for pixel, without the scratch picture. Only the smooth turn by an angle that
// is not a quarter turn, unmodulated, blended, on the whole window: otherwise false, and the
// renderer turns it.
bool turn_directly(SDL_Texture* copy, const SDL_Rect& dst, double angle, const SDL_Point* centre) {
    if (!frame_drawn_directly()) return false;
    SDL_Surface* frame = direct_frame();
    const int quarter = static_cast<int>(angle / 90);
    if (quarter == angle / 90) return false;  // the renderer's own quarter-turn copy
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_ScaleMode scale = SDL_ScaleModeNearest;
    Uint8 r = 0, g = 0, b = 0, a = 0;
    int w = 0, h = 0;
    if (SDL_GetTextureBlendMode(copy, &mode) != 0 || mode != SDL_BLENDMODE_BLEND ||
        SDL_GetTextureScaleMode(copy, &scale) != 0 || scale == SDL_ScaleModeNearest ||
        SDL_GetTextureColorMod(copy, &r, &g, &b) != 0 || SDL_GetTextureAlphaMod(copy, &a) != 0 ||
        (r & g & b & a) != 255 || SDL_QueryTexture(copy, nullptr, nullptr, &w, &h) != 0 ||
        w != dst.w || h != dst.h || w < 2 || h < 2)
        return false;
    Uint32 format = 0;
    const Uint32* src = turned_pixels(copy, &format);
    if (!src) return false;
    const bool abgr = format == SDL_PIXELFORMAT_ABGR8888;

    // The turned picture's box, and the sampling steps, as the renderer works them out.
    const SDL_FPoint c =
        centre ? SDL_FPoint{static_cast<float>(centre->x), static_cast<float>(centre->y)}
               : SDL_FPoint{static_cast<float>(dst.w) / 2.0f, static_cast<float>(dst.h) / 2.0f};
    const double radians = angle * (M_PI / 180.0);
    const double sine = std::sin(radians), cosine = std::cos(radians);
    double xs[4], ys[4];
    const double corners[4][2] = {{0.5, 0.5}, {w - 0.5, 0.5}, {0.5, h - 0.5}, {w - 0.5, h - 0.5}};
    for (int k = 0; k < 4; ++k) {
        const double sx = corners[k][0] - c.x, sy = corners[k][1] - c.y;
        xs[k] = cosine * sx - sine * sy + c.x;
        ys[k] = sine * sx + cosine * sy + c.y;
    }
    const int minx =
        static_cast<int>(std::floor(std::min(std::min(xs[0], xs[1]), std::min(xs[2], xs[3]))));
    const int maxx =
        static_cast<int>(std::ceil(std::max(std::max(xs[0], xs[1]), std::max(xs[2], xs[3]))));
    const int miny =
        static_cast<int>(std::floor(std::min(std::min(ys[0], ys[1]), std::min(ys[2], ys[3]))));
    const int maxy =
        static_cast<int>(std::ceil(std::max(std::max(ys[0], ys[1]), std::max(ys[2], ys[3]))));
    const int isin = static_cast<int>(-sine * 65536.0), icos = static_cast<int>(cosine * 65536.0);
    const int cx = static_cast<int>(c.x * 65536.0), cy = static_cast<int>(c.y * 65536.0);
    constexpr int half = 1 << 15;

    const SDL_Rect placed{dst.x + minx, dst.y + miny, maxx - minx, maxy - miny};
    const SDL_Rect bounds{0, 0, frame->w, frame->h};
    SDL_Rect area{0, 0, 0, 0};
    ++turned_directly;
    if (!SDL_IntersectRect(&placed, &bounds, &area)) return true;  // all of it out of the window
    if (SDL_RenderFlush(game_renderer) != 0) return false;
    if (SDL_MUSTLOCK(frame) && SDL_LockSurface(frame) != 0) return false;
    for (int y = area.y - placed.y; y < area.y - placed.y + area.h; ++y) {
        const double src_x = minx + 0 + 0.5 - c.x;
        const double src_y = miny + y + 0.5 - c.y;
        int sdx = static_cast<int>((icos * src_x - isin * src_y) + cx - half);
        int sdy = static_cast<int>((isin * src_x + icos * src_y) + cy - half);
        const int skipped = area.x - placed.x;
        sdx += skipped * icos;
        sdy += skipped * isin;
        Uint32* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(frame->pixels) +
                                                static_cast<size_t>(placed.y + y) * frame->pitch) +
                      area.x;
        for (int x = 0; x < area.w; ++x, sdx += icos, sdy += isin) {
            const int sx = sdx >> 16, sy = sdy >> 16;
            if (sx < 0 || sy < 0 || sx >= w - 1 || sy >= h - 1) continue;
            const Uint32 p = turned_sample(src, w, sdx, sdy);
            if (abgr)
                blend_abgr_over(out + x, p);
            else
                blend_argb_over(out + x, p);
        }
    }
    if (SDL_MUSTLOCK(frame)) SDL_UnlockSurface(frame);
    return true;
}
}  // namespace

bool frame_drawn_directly() {
    SDL_Surface* frame = direct_frame();
    if (!frame || SDL_RenderIsClipEnabled(game_renderer)) return false;
    SDL_Rect viewport{0, 0, 0, 0};
    SDL_RenderGetViewport(game_renderer, &viewport);
    return viewport.x == 0 && viewport.y == 0 && viewport.w == frame->w && viewport.h == frame->h;
}

void fade_frame_directly(int a) {
    SDL_Surface* frame = frame_drawn_directly() ? direct_frame() : nullptr;
    if (!frame || a < 0 || a > 255) return;
    if (SDL_RenderFlush(game_renderer) != 0) return;
    if (SDL_MUSTLOCK(frame) && SDL_LockSurface(frame) != 0) return;
#if defined(__x86_64__)
    // Each colour c becomes c·a >> 8 (the alpha-128 blend's halving gives the same); the fourth
    // byte is the cleared frame's, 0.
    const __m128i zero = _mm_setzero_si128();
    const __m128i mult = _mm_set_epi16(0, a, a, a, 0, a, a, a);
    for (int y = 0; y < frame->h; ++y) {
        Uint32* p = reinterpret_cast<Uint32*>(static_cast<Uint8*>(frame->pixels) +
                                              static_cast<size_t>(y) * frame->pitch);
        int n = frame->w;
        for (; n >= 4; n -= 4, p += 4) {
            __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            __m128i lo = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(px, zero), mult), 8);
            __m128i hi = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(px, zero), mult), 8);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(lo, hi));
        }
        for (; n > 0; --n, ++p) {
            Uint32 d = *p, out = 0;
            for (int shift = 0; shift < 24; shift += 8)
                out |= ((((d >> shift) & 0xFF) * static_cast<Uint32>(a)) >> 8) << shift;
            *p = out;
        }
    }
#endif
    if (SDL_MUSTLOCK(frame)) SDL_UnlockSurface(frame);
}

SDL_Surface* frame_surface_directly() {
    SDL_Surface* frame = frame_drawn_directly() ? direct_frame() : nullptr;
    if (!frame || SDL_MUSTLOCK(frame) || SDL_RenderFlush(game_renderer) != 0) return nullptr;
    return frame;
}

void use_direct_drawing(bool on) { direct_drawing_on = on; }

int veils_laid_directly() { return laid_directly; }

int pictures_turned_directly() { return turned_directly; }

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
        if (mode == SDL_BLENDMODE_BLEND && darken_directly(tex, alpha)) return;
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
