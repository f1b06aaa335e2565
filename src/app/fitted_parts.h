// Parts of a stretched picture drawn alone, with exactly the pixels the whole stretched picture
// gives them. A screen that keeps most of its frame from one frame to the next (app: the main
// menu's resting tiles) then draws only the rest.
//
// The software renderer picks a stretched picture's pixels by the ratio of the two sizes, so a
// part cut from the picture itself would pick other pixels; and it blends a picture drawn at its
// own size with other rounding than a stretched one. A FittedPicture is the picture stretched
// once to the size it is drawn at, every row doubled: a part of it is drawn halved in height,
// which goes through the renderer's stretching blend again and picks exactly the fitted pixels.
// A smoothed picture is blended from its stretched copy at the copy's own size whatever is drawn
// (app/stretched_copies): a part of that copy is the same copy.
#pragma once
#include <SDL.h>

#include <vector>

#include "app/sdl_handles.h"

struct FittedPicture {
    TexturePtr doubled;   // w × 2h, in the picture's own pixel format (sampled at the nearest pixel)
    TexturePtr smoothed;  // w × h, for a smoothed picture: its parts are copied at their size
    int w = 0, h = 0;     // the size the picture is drawn at
};

// The picture stretched to w × h as the renderer stretches it; empty when it cannot be made.
FittedPicture fit_picture(SDL_Texture* tex, int w, int h);
// True when `tex` drawn over `whole` can be drawn in parts: the whole lies inside the window (a
// picture reaching out of it takes another way through the renderer), and the picture is either
// drawn at its own size or fitted to the whole's size.
bool parts_drawable(SDL_Texture* tex, const FittedPicture& fitted, const SDL_Rect& whole);
// The part `part` (window pixels, inside `whole`) of `tex` drawn over `whole`, with its blend
// mode and modulation, as render_copy draws it.
void draw_part(SDL_Texture* tex, const FittedPicture& fitted, const SDL_Rect& whole,
               const SDL_Rect& part);
// Rectangles covering `area` except the holes: bands between the holes' edges, cut around them.
std::vector<SDL_Rect> rects_outside(const SDL_Rect& area, const std::vector<SDL_Rect>& holes);
