// Kept stretched copies of pictures, one size per picture.
//
// Why the copy gives the same pixels, with the software renderer:
// - smoothed, a picture drawn stretched goes through the linear stretch into a scratch picture of
//   the picture's own format, which is then blitted at its own size with the picture's blend mode
//   and modulation (or, without blending nor modulation onto a frame of the picture's format,
//   straight through the same stretch). The copy is made by drawing the picture, unblended and
//   unmodulated, onto a target of its own format: the same linear stretch. Copied at its own size
//   with the picture's settings, it takes the blit the scratch picture took.
// - at the nearest pixel, only a plain copy (no blending, no modulation, the frame's format) is
//   stretched by the same routine both ways; a blended one picks its pixels inside the blit.
#include "app/stretched_copies.h"

#include <array>
#include <unordered_map>
#include <vector>

#include "app/draw.h"

namespace {
// A picture larger than this is drawn as it is: the full-window pictures have their own ways.
constexpr long max_kept_pixels = 512L * 512L;
// All copies together: past this, everything kept is dropped and fitted again as asked.
constexpr long max_all_pixels = 4L * 1024L * 1024L;
// A size asked this many draws running is worth a copy; a picture drawn at changing sizes (a
// coin turning, a spring bouncing) is never copied.
constexpr int asks_before_copy = 3;

// One picture's copy at one size. A tinted opaque picture (a background block, darkened) may
// have its tint put in too: it is then copied plainly, without modulating each pixel again.
constexpr Uint32 untinted = 0xFFFFFF;
struct Variant {
    int w = 0, h = 0;        // the size asked
    Uint32 tint = untinted;  // 0xRRGGBB put in the copy
    int asks = 0;            // draws asking for it, until the copy is made
    unsigned long used = 0;  // when it was last asked
    TexturePtr copy;
    std::vector<Uint32> pixels;  // a turned copy's pixels, once they were asked for
};
// A picture drawn at two sizes or tints (a block in the play layer and darkened behind it)
// keeps both; a third replaces the one asked longest ago.
struct Kept {
    std::array<Variant, 2> variants;
    std::vector<Uint32> own_pixels;  // the picture's own, once a turn asked for them
};

std::unordered_map<SDL_Texture*, Kept>& kept() {
    static std::unordered_map<SDL_Texture*, Kept> all;
    return all;
}
long kept_pixels = 0;
unsigned long asks_so_far = 0;
bool copies_on = true;

// At the nearest pixel: true when the picture is drawn now as a plain copy onto a frame of its
// own format (render_copy copies an opaque picture blended at full alpha plainly).
bool plain_copy_now(SDL_Texture* tex, Uint32 format) {
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    Uint8 r = 0, g = 0, b = 0, a = 0;
    if (SDL_GetTextureBlendMode(tex, &mode) != 0 || SDL_GetTextureColorMod(tex, &r, &g, &b) != 0 ||
        SDL_GetTextureAlphaMod(tex, &a) != 0)
        return false;
    bool unblended = mode == SDL_BLENDMODE_NONE ||
                     (mode == SDL_BLENDMODE_BLEND && !SDL_ISPIXELFORMAT_ALPHA(format));
    return unblended && r == 255 && g == 255 && b == 255 && a == 255 && format == frame_format();
}

}  // namespace

TexturePtr stretch_once(SDL_Texture* tex, int w, int h, Uint32 into) {
    Uint32 format = 0;
    if (!tex || w <= 0 || h <= 0 || SDL_QueryTexture(tex, &format, nullptr, nullptr, nullptr) != 0)
        return nullptr;
    if (into != SDL_PIXELFORMAT_UNKNOWN) format = into;
    TexturePtr copy(SDL_CreateTexture(game_renderer, format, SDL_TEXTUREACCESS_TARGET, w, h));
    SDL_ScaleMode scale = SDL_ScaleModeNearest;
    if (!copy || SDL_GetTextureScaleMode(tex, &scale) != 0) return nullptr;
    SDL_SetTextureScaleMode(copy.get(), scale);  // a turn samples the copy as it would the picture
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    Uint8 r = 255, g = 255, b = 255, a = 255;
    SDL_GetTextureBlendMode(tex, &mode);
    SDL_GetTextureColorMod(tex, &r, &g, &b);
    SDL_GetTextureAlphaMod(tex, &a);
    SDL_Texture* before = SDL_GetRenderTarget(game_renderer);
    bool drawn = false;
    if (SDL_SetRenderTarget(game_renderer, copy.get()) == 0) {
        SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_NONE);
        SDL_SetTextureColorMod(tex, 255, 255, 255);
        SDL_SetTextureAlphaMod(tex, 255);
        drawn = SDL_RenderCopy(game_renderer, tex, nullptr, nullptr) == 0;
        SDL_SetRenderTarget(game_renderer, before);
        SDL_SetTextureBlendMode(tex, mode);
        SDL_SetTextureColorMod(tex, r, g, b);
        SDL_SetTextureAlphaMod(tex, a);
    }
    if (!drawn) return nullptr;
    return copy;
}

namespace {
// `copy` with the tint put in, by the very blit that tints it onto a frame of its format.
TexturePtr tinted_copy(SDL_Texture* copy, Uint32 format, Uint32 tint) {
    int w = 0, h = 0;
    SDL_QueryTexture(copy, nullptr, nullptr, &w, &h);
    TexturePtr out(SDL_CreateTexture(game_renderer, format, SDL_TEXTUREACCESS_TARGET, w, h));
    if (!out) return nullptr;
    SDL_Texture* before = SDL_GetRenderTarget(game_renderer);
    if (SDL_SetRenderTarget(game_renderer, out.get()) != 0) return nullptr;
    SDL_SetTextureBlendMode(copy, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(copy, static_cast<Uint8>(tint >> 16), static_cast<Uint8>(tint >> 8),
                           static_cast<Uint8>(tint));
    bool drawn = SDL_RenderCopy(game_renderer, copy, nullptr, nullptr) == 0;
    SDL_SetRenderTarget(game_renderer, before);
    if (!drawn) return nullptr;
    SDL_SetTextureBlendMode(out.get(), SDL_BLENDMODE_NONE);
    return out;
}
}  // namespace

SDL_Texture* stretched_copy(SDL_Texture* tex, const SDL_Rect& dst, bool turned, bool* tinted) {
    if (tinted) *tinted = false;
    const int w = dst.w, h = dst.h;
    if (!copies_on || !tex || !game_renderer || w <= 0 || h <= 0 ||
        static_cast<long>(w) * h > max_kept_pixels)
        return nullptr;
    Uint32 format = 0;
    int access = 0, tw = 0, th = 0;
    SDL_ScaleMode scale = SDL_ScaleModeNearest;
    if (SDL_QueryTexture(tex, &format, &access, &tw, &th) != 0 || (tw == w && th == h) ||
        access != SDL_TEXTUREACCESS_STATIC || SDL_BYTESPERPIXEL(format) != 4 ||
        SDL_ISPIXELFORMAT_INDEXED(format) || format == SDL_PIXELFORMAT_ARGB2101010 ||
        SDL_GetTextureScaleMode(tex, &scale) != 0)
        return nullptr;
    if (turned) {
        // Turned or mirrored, a blended picture is first stretched unblended into a scratch
        // picture in ARGB8888, then turned: the copy is that scratch picture, whatever the
        // sampling, and clipping comes only after the turn. A picture in ARGB8888 or ABGR8888 (as
        // a PNG loads) goes through the same stretch into it.
        SDL_BlendMode mode = SDL_BLENDMODE_NONE;
        if ((format != SDL_PIXELFORMAT_ARGB8888 && format != SDL_PIXELFORMAT_ABGR8888) ||
            SDL_GetTextureBlendMode(tex, &mode) != 0 || mode != SDL_BLENDMODE_BLEND)
            return nullptr;
    } else if (scale == SDL_ScaleModeNearest && !plain_copy_now(tex, format)) {
        return nullptr;
    }
    if (!turned && crosses_clip(dst)) return nullptr;

    // Tinted, blended at full alpha, onto a frame of its own format, smoothed: the tint goes in.
    Uint32 tint = untinted;
    if (!turned && scale != SDL_ScaleModeNearest && !SDL_ISPIXELFORMAT_ALPHA(format) &&
        format == frame_format()) {
        SDL_BlendMode mode = SDL_BLENDMODE_NONE;
        Uint8 r = 255, g = 255, b = 255, a = 255;
        SDL_GetTextureBlendMode(tex, &mode);
        SDL_GetTextureColorMod(tex, &r, &g, &b);
        SDL_GetTextureAlphaMod(tex, &a);
        if ((mode == SDL_BLENDMODE_NONE || mode == SDL_BLENDMODE_BLEND) && a == 255)
            tint = static_cast<Uint32>(r) << 16 | static_cast<Uint32>(g) << 8 | b;
    }
    if (tinted) *tinted = tint != untinted;

    Kept& k = kept()[tex];
    ++asks_so_far;
    Variant* v = nullptr;
    for (Variant& c : k.variants)
        if (c.w == w && c.h == h && c.tint == tint) v = &c;
    if (!v) {
        v = &k.variants[0];
        for (Variant& c : k.variants)
            if (c.used < v->used) v = &c;
        if (v->copy) kept_pixels -= static_cast<long>(v->w) * v->h;
        TexturePtr gone = std::move(v->copy);
        *v = Variant{w, h, tint, 0, 0, nullptr, {}};
    }
    v->used = asks_so_far;
    if (v->copy) return v->copy.get();
    if (++v->asks < asks_before_copy) return nullptr;
    if (kept_pixels + static_cast<long>(w) * h > max_all_pixels) {
        forget_all_stretched_copies();
        return nullptr;
    }
    TexturePtr copy =
        stretch_once(tex, w, h, turned ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_UNKNOWN);
    if (copy && tint != untinted) copy = tinted_copy(copy.get(), format, tint);
    if (!copy) return nullptr;
    // Made after the table was last looked at: found again.
    for (Variant& c : kept()[tex].variants) {
        if (c.w == w && c.h == h && c.tint == tint) {
            c.copy = std::move(copy);
            kept_pixels += static_cast<long>(w) * h;
            return c.copy.get();
        }
    }
    return nullptr;
}

void use_stretched_copies(bool on) {
    copies_on = on;
    if (!on) forget_all_stretched_copies();
}

int stretched_copies_kept() {
    int n = 0;
    for (const auto& [tex, k] : kept())
        for (const Variant& v : k.variants) n += v.copy ? 1 : 0;
    return n;
}

void forget_stretched_copies(SDL_Texture* tex) {
    auto& all = kept();
    auto it = all.find(tex);
    if (it == all.end()) return;
    // The copies go after the entry: their own destruction asks here again.
    std::array<TexturePtr, 2> gone;
    for (size_t i = 0; i < gone.size(); ++i) {
        Variant& v = it->second.variants[i];
        if (v.copy) kept_pixels -= static_cast<long>(v.w) * v.h;
        gone[i] = std::move(v.copy);
    }
    all.erase(it);
}

void forget_all_stretched_copies() {
    auto all = std::move(kept());
    kept().clear();
    kept_pixels = 0;
    // `all` is destroyed here, each copy asking for itself in the now empty table.
}

namespace {
// The pixels of `tex`, a drawing target of `format`, w × h, the top row first.
std::vector<Uint32> read_pixels(SDL_Texture* tex, Uint32 format, int w, int h) {
    std::vector<Uint32> read(static_cast<size_t>(w) * h);
    SDL_Texture* before = SDL_GetRenderTarget(game_renderer);
    bool ok = SDL_SetRenderTarget(game_renderer, tex) == 0 &&
              SDL_RenderReadPixels(game_renderer, nullptr, format, read.data(), w * 4) == 0;
    SDL_SetRenderTarget(game_renderer, before);
    if (!ok) read.clear();
    return read;
}
}  // namespace

const Uint32* turned_pixels(SDL_Texture* tex, Uint32* format) {
    int access = 0, w = 0, h = 0;
    if (!copies_on || !tex || !game_renderer ||
        SDL_QueryTexture(tex, format, &access, &w, &h) != 0 ||
        (*format != SDL_PIXELFORMAT_ARGB8888 && *format != SDL_PIXELFORMAT_ABGR8888) || w <= 0 ||
        h <= 0)
        return nullptr;
    // A kept copy: its pixels are read once, beside it.
    for (auto& [original, k] : kept()) {
        for (Variant& v : k.variants) {
            if (v.copy.get() != tex) continue;
            if (v.pixels.empty()) v.pixels = read_pixels(tex, *format, w, h);
            return v.pixels.empty() ? nullptr : v.pixels.data();
        }
    }
    // A picture of its own (turned at its own size): copied plainly onto a target, read once.
    if (access != SDL_TEXTUREACCESS_STATIC || static_cast<long>(w) * h > max_kept_pixels)
        return nullptr;
    Kept& k = kept()[tex];
    if (k.own_pixels.empty()) {
        TexturePtr plain = stretch_once(tex, w, h);
        if (plain) k.own_pixels = read_pixels(plain.get(), *format, w, h);
    }
    return k.own_pixels.empty() ? nullptr : k.own_pixels.data();
}
