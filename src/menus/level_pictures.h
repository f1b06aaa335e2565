// Pictures of levels made in memory, without the renderer, for the Creations screen: a level's
// map drawn from its two layers with its theme's tiles scaled down, a sample of a theme's tiles,
// and a background's thumbnail. They touch no texture, so a worker thread may make them.
#pragma once
#include <SDL.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "app/paths.h"
#include "app/sdl_handles.h"
#include "check/level_check.h"

// The pixels of `from` in `src` averaged into w × h (each new pixel the alpha-weighted mean of
// those it covers): 32-bit ARGB with alpha, or null when there is nothing to scale.
SurfacePtr shrink_surface(SDL_Surface* src, SDL_Rect from, int w, int h);

// The pixel size of a cell for the map of a level of width × height cells to fit w × h pixels:
// at least 1, at most `largest`.
int map_cell_pixels(int width, int height, int box_w, int box_h, int largest);

// A theme's tile pictures as loaded (ARGB), and the same scaled to each cell size asked for.
struct ThemePictures {
    std::array<SurfacePtr, 19> blocks;  // 'a' … 's'
    std::array<SurfacePtr, 8> items;    // play 'A' … 'H'
    std::array<SurfacePtr, 12> decor;   // decor 'A' … 'L', made for 40-pixel cells
    SurfacePtr rail;
};
struct ScaledTiles {
    std::array<SurfacePtr, 19> blocks, background_blocks;  // the second darkened, as drawn
    std::array<SurfacePtr, 8> items;
    std::array<SurfacePtr, 12> decor;  // at their own size for the cell size
    SurfacePtr rail;
};
// Every picture a map needs, loaded once: the themes' tiles, the editor's enemy icons, the
// player, the exit's portal, the error tiles, and the skies of layered backgrounds.
struct PictureBox {
    std::string resources = game_folders().resources;
    std::map<std::string, ThemePictures> themes;
    std::map<std::pair<std::string, int>, ScaledTiles> scaled;  // by theme and cell size
    std::map<std::string, SurfacePtr> skies;                    // by background
    std::array<SurfacePtr, 3> enemies;                          // spawn cells '0' … '2'
    SurfacePtr player, portal, error_play, error_decor;
    bool common_loaded = false;
};

// The level's map at `cell` pixels a cell: its sky, the background blocks darkened, rails,
// decorations at their own size, the blocks, items and enemies, Mivo at the start and the
// portal at the exit.
SurfacePtr level_map_surface(const LevelReport& level, int cell, PictureBox& box);
// The level's map as large as fits w × h pixels (keeping its shape), its cells drawn at most
// `largest` pixels and averaged down to the size.
SurfacePtr level_map_fitted(const LevelReport& level, int w, int h, int largest, PictureBox& box);
// A little scene of the theme's ground, blocks, items and a bush, w × h pixels.
SurfacePtr theme_sample_surface(const std::string& theme, int w, int h, PictureBox& box);
// The background as a window of that shape would show it: the sky and the three bands of a
// layered set, or the left of a panorama. Null when it cannot be read.
SurfacePtr background_thumbnail(const std::string& resources, const std::string& fond, int w,
                                int h);
