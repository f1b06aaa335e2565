// Pictures drawn stretched to the same size frame after frame (a theme's tiles at the cell size,
// the HUD's pieces, a character at its size) are stretched once and then copied: with smoothing,
// the software renderer stretches a blended picture into a new scratch picture of its own format
// on every draw before blending that; the kept copy is exactly that scratch picture, so copying it
// gives the same pixels for a fraction of the time.
#pragma once
#include <SDL.h>

#include "app/sdl_handles.h"

// The picture `tex` stretched to w × h, ready to be copied at its own size in place of `tex`
// drawn over w × h, with `tex`'s blend mode and modulation; nullptr when `tex` is to be drawn
// as it is: it is drawn at its own size, is not smoothed (nearest-pixel stretching with blending
// picks other pixels drawn in two steps), is a drawing target whose pixels change, is too big to
// keep, or has not yet been asked at this size a few draws running.
// `dst` is where it is drawn, in the renderer's viewport; `turned`: drawn turned or mirrored.
// `tinted` (when given) says whether the copy holds `tex`'s colour modulation already: it is then
// copied plainly, unmodulated.
SDL_Texture* stretched_copy(SDL_Texture* tex, const SDL_Rect& dst, bool turned = false,
                            bool* tinted = nullptr);
// `tex` stretched to w × h onto a new drawing target of its own format (or of `into`),
// unblended and unmodulated: with smoothing, the very pixels the renderer blends when it draws
// `tex` over w × h. Null when it cannot be made.
TexturePtr stretch_once(SDL_Texture* tex, int w, int h, Uint32 into = SDL_PIXELFORMAT_UNKNOWN);
// The pixels of `tex`, a picture about to be turned (in its format, ARGB8888 or ABGR8888, which
// goes to `format`; its width × height, the top row first): a kept copy's or a static picture's
// own, read once and kept until it goes; null for any other picture, or when they cannot be read.
const Uint32* turned_pixels(SDL_Texture* tex, Uint32* format);
// Off, every picture is stretched on every draw again (comparing pixels, the benchmarks' way
// without shortcuts). On at start.
void use_stretched_copies(bool on);
// How many copies are kept now.
int stretched_copies_kept();
// Drops what is kept for `tex`, which is being destroyed.
void forget_stretched_copies(SDL_Texture* tex);
// Drops everything kept: before the renderer goes.
void forget_all_stretched_copies();
