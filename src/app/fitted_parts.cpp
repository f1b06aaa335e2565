// Fitting a picture to its drawn size, and drawing parts of it.
#include "app/fitted_parts.h"

#include <algorithm>

#include "app/draw.h"
#include "app/stretched_copies.h"

namespace {
SDL_Point size_of(SDL_Texture* tex) {
    SDL_Point s{0, 0};
    if (tex) SDL_QueryTexture(tex, nullptr, nullptr, &s.x, &s.y);
    return s;
}

bool sampled_at_nearest(SDL_Texture* tex) {
    SDL_ScaleMode scale = SDL_ScaleModeNearest;
    return SDL_GetTextureScaleMode(tex, &scale) == 0 && scale == SDL_ScaleModeNearest;
}

bool inside_window(const SDL_Rect& r) {
    return r.w > 0 && r.h > 0 && r.x >= 0 && r.y >= 0 && r.x + r.w <= window_width &&
           r.y + r.h <= window_height;
}
}  // namespace

FittedPicture fit_picture(SDL_Texture* tex, int w, int h) {
    FittedPicture f;
    Uint32 format = 0;
    if (!tex || w <= 0 || h <= 0 ||
        SDL_QueryTexture(tex, &format, nullptr, nullptr, nullptr) != 0 ||
        SDL_BYTESPERPIXEL(format) != 4 || SDL_ISPIXELFORMAT_INDEXED(format))
        return f;
    if (!sampled_at_nearest(tex)) {
        f.smoothed = stretch_once(tex, w, h);
        if (f.smoothed) {
            f.w = w;
            f.h = h;
        }
        return f;
    }
    // A target of another pixel order than the picture's: the renderer then stretches through
    // the same routine as when it draws the picture stretched onto the window (its plain stretch
    // between pictures of one format is another routine, which need not pick the same pixels).
    Uint32 other =
        format == SDL_PIXELFORMAT_ABGR8888 ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_ABGR8888;
    TexturePtr target(SDL_CreateTexture(game_renderer, other, SDL_TEXTUREACCESS_TARGET, w, h));
    if (!target) return f;
    // Stretched as it is, without blending or modulation; the picture's settings come back.
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    Uint8 r = 255, g = 255, b = 255, a = 255;
    SDL_GetTextureBlendMode(tex, &mode);
    SDL_GetTextureColorMod(tex, &r, &g, &b);
    SDL_GetTextureAlphaMod(tex, &a);
    SDL_Texture* before = SDL_GetRenderTarget(game_renderer);
    std::vector<Uint32> pixels(static_cast<size_t>(w) * h * 2);
    bool read = false;
    if (SDL_SetRenderTarget(game_renderer, target.get()) == 0) {
        SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_NONE);
        SDL_SetTextureColorMod(tex, 255, 255, 255);
        SDL_SetTextureAlphaMod(tex, 255);
        SDL_RenderCopy(game_renderer, tex, nullptr, nullptr);
        // Every row twice: the upper copies are read into the lower half, then spread.
        read = SDL_RenderReadPixels(game_renderer, nullptr, format,
                                    pixels.data() + static_cast<size_t>(w) * h, w * 4) == 0;
        SDL_SetRenderTarget(game_renderer, before);
        SDL_SetTextureBlendMode(tex, mode);
        SDL_SetTextureColorMod(tex, r, g, b);
        SDL_SetTextureAlphaMod(tex, a);
    }
    if (!read) return f;
    for (int y = 0; y < h; ++y) {
        const Uint32* from = pixels.data() + static_cast<size_t>(w) * (h + y);
        std::copy(from, from + w, pixels.data() + static_cast<size_t>(w) * 2 * y);
        std::copy(from, from + w, pixels.data() + static_cast<size_t>(w) * (2 * y + 1));
    }
    // In the picture's own format, so that its parts are blended by the same routine.
    TexturePtr doubled(
        SDL_CreateTexture(game_renderer, format, SDL_TEXTUREACCESS_STATIC, w, h * 2));
    if (!doubled || SDL_UpdateTexture(doubled.get(), nullptr, pixels.data(), w * 4) != 0) return f;
    f.doubled = std::move(doubled);
    f.w = w;
    f.h = h;
    return f;
}

bool parts_drawable(SDL_Texture* tex, const FittedPicture& fitted, const SDL_Rect& whole) {
    if (!tex || !inside_window(whole)) return false;
    SDL_Point size = size_of(tex);
    if (size.x == whole.w && size.y == whole.h) return true;
    const TexturePtr& made = sampled_at_nearest(tex) ? fitted.doubled : fitted.smoothed;
    return made && fitted.w == whole.w && fitted.h == whole.h;
}

void draw_part(SDL_Texture* tex, const FittedPicture& fitted, const SDL_Rect& whole,
               const SDL_Rect& part) {
    if (!tex || part.w <= 0 || part.h <= 0) return;
    SDL_Point size = size_of(tex);
    SDL_Rect from{part.x - whole.x, part.y - whole.y, part.w, part.h};
    if (size.x == whole.w && size.y == whole.h) {
        // Drawn at its own size: a part of it is the same copy.
        SDL_BlendMode mode = SDL_BLENDMODE_NONE;
        Uint8 alpha = 255;
        Uint32 format = 0;
        SDL_GetTextureBlendMode(tex, &mode);
        SDL_GetTextureAlphaMod(tex, &alpha);
        SDL_QueryTexture(tex, &format, nullptr, nullptr, nullptr);
        bool opaque =
            mode == SDL_BLENDMODE_BLEND && alpha == 255 && !SDL_ISPIXELFORMAT_ALPHA(format);
        if (opaque) SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_NONE);
        SDL_RenderCopy(game_renderer, tex, &from, &part);
        if (opaque) SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
        return;
    }
    bool smoothed = !sampled_at_nearest(tex);
    SDL_Texture* f = (smoothed ? fitted.smoothed : fitted.doubled).get();
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    Uint8 r = 255, g = 255, b = 255, a = 255;
    Uint32 format = 0;
    SDL_GetTextureBlendMode(tex, &mode);
    SDL_GetTextureColorMod(tex, &r, &g, &b);
    SDL_GetTextureAlphaMod(tex, &a);
    SDL_QueryTexture(tex, &format, nullptr, nullptr, nullptr);
    // render_copy's plain copy of an opaque picture at full alpha, the same way.
    bool opaque = mode == SDL_BLENDMODE_BLEND && a == 255 && !SDL_ISPIXELFORMAT_ALPHA(format);
    SDL_SetTextureBlendMode(f, opaque ? SDL_BLENDMODE_NONE : mode);
    SDL_SetTextureColorMod(f, r, g, b);
    SDL_SetTextureAlphaMod(f, a);
    if (!smoothed) {
        from.y *= 2;
        from.h *= 2;
    }
    SDL_RenderCopy(game_renderer, f, &from, &part);
}

std::vector<SDL_Rect> rects_outside(const SDL_Rect& area, const std::vector<SDL_Rect>& holes) {
    std::vector<int> edges{area.y, area.y + area.h};
    for (const SDL_Rect& h : holes) {
        edges.push_back(std::clamp(h.y, area.y, area.y + area.h));
        edges.push_back(std::clamp(h.y + h.h, area.y, area.y + area.h));
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::vector<SDL_Rect> out;
    for (size_t e = 0; e + 1 < edges.size(); ++e) {
        int top = edges[e], bottom = edges[e + 1];
        // The holes crossing this band, left to right; the gaps between them are kept.
        std::vector<std::pair<int, int>> cut;
        for (const SDL_Rect& h : holes)
            if (h.w > 0 && h.y <= top && h.y + h.h >= bottom) cut.push_back({h.x, h.x + h.w});
        std::sort(cut.begin(), cut.end());
        int x = area.x;
        for (auto [l, r] : cut) {
            if (l > x) out.push_back({x, top, std::min(l, area.x + area.w) - x, bottom - top});
            x = std::max(x, r);
        }
        if (x < area.x + area.w) out.push_back({x, top, area.x + area.w - x, bottom - top});
    }
    out.erase(std::remove_if(out.begin(), out.end(), [](const SDL_Rect& r) { return r.w <= 0; }),
              out.end());
    return out;
}
