// Rows of pixels written on the software renderer's frame directly, with the renderer's own
// arithmetic: what its blitters would give, byte for byte, without going through a picture per
// layer. The frame is XRGB; its fourth byte is never shown and may hold anything.
#pragma once
#include <SDL.h>

#include <algorithm>

// An ARGB pixel over the XRGB frame as the renderer's MMX blitter lays it: nothing at alpha 0,
// the pixel itself (its alpha byte too) at 255; else each byte
// min(255, (s·A >> 8) + (d·(255 − A) >> 8)), the alpha byte taking s = 255.
inline void blend_argb_over(Uint32* d, Uint32 s) {
    const Uint32 a = s >> 24;
    if (a == 0) return;
    if (a == 255) {
        *d = s;
        return;
    }
    const Uint32 dv = *d, s_with_full_alpha = s | 0xFF000000u;
    Uint32 out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const Uint32 sc = (s_with_full_alpha >> shift) & 0xFF, dc = (dv >> shift) & 0xFF;
        const Uint32 sum = ((sc * a) >> 8) + ((dc * (255 - a)) >> 8);
        out |= std::min<Uint32>(sum, 255) << shift;
    }
    *d = out;
}

// n ARGB pixels blended over n pixels of a frame row, as blend_argb_over lays each.
void blend_row(Uint32* d, const Uint32* s, int n);

// Two pictures cross-fading, row by row: `lower` (what was drawn over the black frame) faded to
// alpha a_lower, each colour c becoming c·a_lower >> 8, then `upper` laid over it at a_upper as
// the renderer blends an opaque canvas with an alpha: each colour d + ((u − d)·a_upper >> 8).
// Both alphas 1 … 254. The result goes to `lower`.
void cross_fade_row(Uint32* lower, const Uint32* upper, int n, int a_lower, int a_upper);

#include <vector>

#include "app/sdl_handles.h"

// A picture of `surface`'s pixels that rows can be read from cheaply: with the software renderer
// a streaming picture, whose pixels are read in place; with any other renderer an ordinary one.
TexturePtr readable_texture(SDL_Surface* surface);
// A readable picture holding the pixels of the drawing target `target` (the software renderer
// only; null otherwise, or when they cannot be read).
TexturePtr readable_copy(SDL_Texture* target);

// The pixels of readable pictures, locked in place while it lives.
class PixelReader {
  public:
    PixelReader() = default;
    PixelReader(const PixelReader&) = delete;
    PixelReader& operator=(const PixelReader&) = delete;
    ~PixelReader();
    // The rows of `tex` when it is a readable picture in `format`, its pitch in pixels to
    // `pitch`; null otherwise.
    const Uint32* rows(SDL_Texture* tex, Uint32 format, int* pitch);

  private:
    struct Locked {
        SDL_Texture* tex;
        const Uint32* pixels;
        int pitch;
    };
    std::vector<Locked> locked_;
};
