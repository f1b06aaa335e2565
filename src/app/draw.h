// The window, its renderer and the frame: the frame cap every loop ends with, and the stateless
// drawing helpers every screen draws with. Sizes come from the window at the moment of the call,
// so the whole game follows a resized window; one cell is always a 24th of the window height.
#pragma once
#include <SDL.h>

#include <algorithm>
#include <functional>

#include "app/sdl_handles.h"

extern SDL_Window* game_window;      // the one window, from start-up to quit
extern SDL_Renderer* game_renderer;  // its renderer, the only one of the program
extern int window_width;             // drawable size in pixels, 1000 × 600 until the window exists
extern int window_height;

// Pixel size of one level cell. A window lower than 24 pixels (possible without a window
// manager) still has one-pixel cells: the view is measured in cells by dividing by this.
inline int tile_size() { return std::max(1, window_height / 24); }
// Reads the window's size into window_width and window_height.
void refresh_window_size();

// Drawing into one part of the window (a half of a split screen): for the scope's life the
// renderer draws into `part` and clips to it, and window_width and window_height are the part's
// size, so that everything laid out from the window's size (the level, the background, the
// veils, the gauges) lays itself out in the part. The whole window comes back at the end.
struct ScopedViewport {
    explicit ScopedViewport(SDL_Rect part);
    ~ScopedViewport();
    ScopedViewport(const ScopedViewport&) = delete;
    ScopedViewport& operator=(const ScopedViewport&) = delete;
    int saved_width, saved_height;
};

// Ends a frame: sleeps what is left of 1/60 s since the previous present (never catching up),
// presents, then calls the frame hook.
void present_frame();
// Tests run code after every present (push events, look at state, close the window).
void set_frame_hook(std::function<void()> hook);
// Forgets the frame cap's last reading, as at program start (tests).
void reset_frame_cap();

// The whole texture into dst (null: the window), as SDL_RenderCopy; a texture without an alpha
// channel, blended at full alpha, is copied without blending, which looks the same.
void render_copy(SDL_Texture* tex, const SDL_Rect* dst);
// True when the renderer is SDL's software renderer, which draws with the processor.
bool software_renderer();
// The pixel format of what the renderer draws on now: its target, or the window.
Uint32 frame_format();
// True when the renderer clips (a half of a split screen) and dst crosses the clip's edge: a
// picture stretched there is cut before it is stretched, which picks other pixels than cutting
// a copy stretched whole.
bool crosses_clip(const SDL_Rect& dst);
// The whole texture turned by `angle` degrees about `centre` (null: dst's centre) and mirrored,
// into dst, as SDL_RenderCopyEx.
void render_copy_ex(SDL_Texture* tex, const SDL_Rect& dst, double angle, const SDL_Point* centre,
                    SDL_RendererFlip flip);
void draw_rect(SDL_Texture* tex, int x, int y, int w, int h);
// Stretched over the whole window. A blended texture faded to alpha 0 draws nothing, and a black
// veil is laid row after row rather than stretched: a veil lies over every frame of a level, and
// stretching a texture over the window costs the software renderer milliseconds.
void draw_fullscreen(SDL_Texture* tex);
// Marks an opaque black texture of black_veil_width × black_veil_height as a veil, for
// draw_fullscreen.
void mark_black_veil(SDL_Texture* tex);
// Off, a black veil is always blended by the renderer strip after strip, and a turned picture
// turned by it, rather than laid on the software renderer's frame directly (comparing pixels,
// the benchmarks' way without shortcuts). On at start.
void use_direct_drawing(bool on);
// Whether what is drawn now lands on the software renderer's frame itself, whole window, where
// fade_frame_directly can work on its pixels (only on x86-64, where the renderer's blend is known).
bool frame_drawn_directly();
// The frame's pixels, drawn over black, made what drawing them onto a canvas and laying that over
// the black frame at alpha a would give with the renderer: each colour c becomes c·a >> 8. For
// the lower of two pictures cross-fading, which then needs no canvas. Only when
// frame_drawn_directly().
void fade_frame_directly(int a);
// The frame's own surface (XRGB) when frame_drawn_directly(), everything asked of the renderer
// before having landed on it, for rows written on it directly; null otherwise.
SDL_Surface* frame_surface_directly();
// How many veils were laid, and pictures turned, on the frame directly so far.
int veils_laid_directly();
int pictures_turned_directly();
constexpr int black_veil_width = 4096, black_veil_height = 16;
// Top-left corner at (x, y), y downward, scaled by s.
void draw_scaled(SDL_Texture* tex, int x, int y, double s);
// Lower-left corner at (x, y) measured upward from the window's lower-left corner.
void draw_scaled_anchored(SDL_Texture* tex, int x, int y, double s);
// Centre at px % of the width and py % of the height.
void draw_scaled_centered(SDL_Texture* tex, int px, int py, double s);
// The cell whose lower-left corner is (cx, cy) cells from the window's lower-left corner.
void draw_cell(SDL_Texture* tex, double cx, double cy);
// A cell-sized square whose top edge is y pixels above the window's lower edge.
void draw_cell_px(SDL_Texture* tex, int x, int y);
// A sprite wc × hc cells whose top edge is at upward pixel y; the top edge is moved down by hc
// pixels (a number of cells taken as pixels), which every sprite of the game is placed with.
void draw_sprite_cells(SDL_Texture* tex, bool mirror, int x, int y, double wc, double hc);

// Alpha modulation from a base alpha limited to lo … hi, minus the absolute fade amount.
void set_alpha(SDL_Texture* tex, int lo, int hi, int base, int fade);
// The alpha that set_alpha applies.
int alpha_value(int lo, int hi, int base, int fade);

// A texture holding the frame currently on the renderer (owned by the caller).
TexturePtr window_snapshot();
