// The renderer's blends, four pixels at a time where the processor has SSE2.
#include "app/frame_rows.h"

#include "app/draw.h"

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

void blend_row(Uint32* d, const Uint32* s, int n) {
#if defined(__x86_64__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaque = _mm_set1_epi32(255);
    const __m128i alpha_lanes = _mm_set_epi16(0xFF, 0, 0, 0, 0xFF, 0, 0, 0);
    const __m128i bytes = _mm_set1_epi16(0xFF);
    for (; n >= 4; n -= 4, d += 4, s += 4) {
        const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        const __m128i a = _mm_srli_epi32(sv, 24);
        const __m128i clear = _mm_cmpeq_epi32(a, zero), full = _mm_cmpeq_epi32(a, opaque);
        if (_mm_movemask_epi8(clear) == 0xFFFF) continue;  // the sky between the hills
        if (_mm_movemask_epi8(full) == 0xFFFF) {           // inside a hill
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d), sv);
            continue;
        }
        // A soft edge: every byte of a pixel weighed by its alpha, as the MMX blitter does
        // (the source's alpha byte weighed by 255, the frame's by 255 − A).
        const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
        const __m128i a16 = _mm_or_si128(a, _mm_slli_epi32(a, 16));
        const __m128i a_lo = _mm_unpacklo_epi32(a16, a16), a_hi = _mm_unpackhi_epi32(a16, a16);
        const __m128i s_lo =
            _mm_mullo_epi16(_mm_unpacklo_epi8(sv, zero), _mm_or_si128(a_lo, alpha_lanes));
        const __m128i s_hi =
            _mm_mullo_epi16(_mm_unpackhi_epi8(sv, zero), _mm_or_si128(a_hi, alpha_lanes));
        const __m128i d_lo =
            _mm_mullo_epi16(_mm_unpacklo_epi8(dv, zero), _mm_xor_si128(a_lo, bytes));
        const __m128i d_hi =
            _mm_mullo_epi16(_mm_unpackhi_epi8(dv, zero), _mm_xor_si128(a_hi, bytes));
        const __m128i lo = _mm_add_epi16(_mm_srli_epi16(s_lo, 8), _mm_srli_epi16(d_lo, 8));
        const __m128i hi = _mm_add_epi16(_mm_srli_epi16(s_hi, 8), _mm_srli_epi16(d_hi, 8));
        const __m128i mixed = _mm_packus_epi16(lo, hi);
        // Alpha 0 keeps the frame's pixel, 255 takes the source's.
        __m128i out = _mm_andnot_si128(_mm_or_si128(clear, full), mixed);
        out = _mm_or_si128(out, _mm_and_si128(clear, dv));
        out = _mm_or_si128(out, _mm_and_si128(full, sv));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), out);
    }
#endif
    for (; n > 0; --n) blend_argb_over(d++, *s++);
}

void cross_fade_row(Uint32* lower, const Uint32* upper, int n, int a_lower, int a_upper) {
#if defined(__x86_64__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i fade = _mm_set_epi16(0, a_lower, a_lower, a_lower, 0, a_lower, a_lower, a_lower);
    const __m128i over = _mm_set_epi16(0, a_upper, a_upper, a_upper, 0, a_upper, a_upper, a_upper);
    for (; n >= 4; n -= 4, lower += 4, upper += 4) {
        const __m128i l = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower));
        const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper));
        const __m128i l_lo = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(l, zero), fade), 8);
        const __m128i l_hi = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(l, zero), fade), 8);
        // The canvas blend's step keeps the low 16 bits of the signed product, shifted as
        // unsigned, and adds it byte by byte: d + ((u − d)·a >> 8) in every case.
        const __m128i t_lo = _mm_srli_epi16(
            _mm_mullo_epi16(_mm_sub_epi16(_mm_unpacklo_epi8(u, zero), l_lo), over), 8);
        const __m128i t_hi = _mm_srli_epi16(
            _mm_mullo_epi16(_mm_sub_epi16(_mm_unpackhi_epi8(u, zero), l_hi), over), 8);
        const __m128i out = _mm_packus_epi16(_mm_add_epi8(t_lo, l_lo), _mm_add_epi8(t_hi, l_hi));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(lower), out);
    }
#endif
    for (; n > 0; --n, ++lower, ++upper) {
        Uint32 out = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const int d = static_cast<int>(((*lower >> shift) & 0xFF) * a_lower) >> 8;
            const int u = static_cast<int>((*upper >> shift) & 0xFF);
            // An arithmetic shift: a step down rounds down, as the blend's does.
            const int c = d + ((u - d) * a_upper >> 8);
            out |= static_cast<Uint32>(c & 0xFF) << shift;
        }
        *lower = out;
    }
}

TexturePtr readable_texture(SDL_Surface* surface) {
    if (!surface) return nullptr;
    if (!software_renderer() || SDL_BYTESPERPIXEL(surface->format->format) != 4)
        return TexturePtr(SDL_CreateTextureFromSurface(game_renderer, surface));
    TexturePtr tex(SDL_CreateTexture(game_renderer, surface->format->format,
                                     SDL_TEXTUREACCESS_STREAMING, surface->w, surface->h));
    if (!tex || SDL_UpdateTexture(tex.get(), nullptr, surface->pixels, surface->pitch) != 0)
        return nullptr;
    return tex;
}

TexturePtr readable_copy(SDL_Texture* target) {
    Uint32 format = 0;
    int access = 0, w = 0, h = 0;
    if (!software_renderer() || !target ||
        SDL_QueryTexture(target, &format, &access, &w, &h) != 0 ||
        access != SDL_TEXTUREACCESS_TARGET || SDL_BYTESPERPIXEL(format) != 4)
        return nullptr;
    SurfacePtr pixels(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, format));
    SDL_Texture* before = SDL_GetRenderTarget(game_renderer);
    if (!pixels || SDL_SetRenderTarget(game_renderer, target) != 0) return nullptr;
    const int read =
        SDL_RenderReadPixels(game_renderer, nullptr, format, pixels->pixels, pixels->pitch);
    SDL_SetRenderTarget(game_renderer, before);
    if (read != 0) return nullptr;
    TexturePtr copy = readable_texture(pixels.get());
    if (!copy) return nullptr;
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetTextureBlendMode(target, &mode);
    SDL_SetTextureBlendMode(copy.get(), mode);
    return copy;
}

PixelReader::~PixelReader() {
    for (const Locked& l : locked_) SDL_UnlockTexture(l.tex);
}

const Uint32* PixelReader::rows(SDL_Texture* tex, Uint32 format, int* pitch) {
    for (const Locked& l : locked_)
        if (l.tex == tex) {
            *pitch = l.pitch;
            return l.pixels;
        }
    Uint32 f = 0;
    int access = 0, bytes = 0;
    void* pixels = nullptr;
    if (!tex || !software_renderer() || SDL_QueryTexture(tex, &f, &access, nullptr, nullptr) != 0 ||
        f != format || access != SDL_TEXTUREACCESS_STREAMING ||
        SDL_LockTexture(tex, nullptr, &pixels, &bytes) != 0)
        return nullptr;
    *pitch = bytes / 4;
    locked_.push_back({tex, static_cast<const Uint32*>(pixels), *pitch});
    return locked_.back().pixels;
}
