// The few pieces every menu is drawn from: text labels, the fading list column of the settings
// menu, the zooming picture tile of the main menu with its hit test, and the tunnel of clouds
// flying out of the window's centre behind the title screen and the main menu.
#pragma once
#include <SDL.h>
#include <SDL_ttf.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/sdl_handles.h"

// The UTF-8 text in the font and colour; null for an empty text or a missing font. Menus make
// their labels while no loading screen runs, so this needs no renderer handshake.
TexturePtr make_label(TTF_Font* font, const std::string& text, SDL_Color colour);

// A fading list: entries 80 pixels apart, the one at the list's position at full opacity with its
// top edge on the window's middle line, its neighbours faint, the others hidden.
constexpr int list_spacing = 80;
// Alpha of entry i with the list at pos: 255 at pos, about 50 one entry away, 0 beyond 1.2.
int fading_alpha(int i, double pos);
// Top edge of entry i with the list at pos.
int fading_y(int i, double pos);
// Entry i of a list at pos, at x, unscaled; nothing when it is hidden. A value shown beside an
// entry is drawn with the entry's index, so that it fades and scrolls with it.
void draw_fading_entry(SDL_Texture* tex, int i, int x, double pos);
void draw_fading_list(const std::vector<TexturePtr>& entries, int x, double pos);
// One frame of a list's glide toward the selected entry: a third of the way left.
double ease_list(double pos, int selected);

// A main-menu tile: centred (dx, dy) from the window's centre, w × h at rest, grown by the
// hover s (≥ 1), and zoomed by z from 1 (at rest) to 0 (filling the window).
// The picture's brightness: 150 at rest, full once hover or zoom has moved it a little.
int menu_tile_brightness(double s, double z);
// Where the picture lands; its outline is this rectangle grown by 4 pixels on every side.
SDL_Rect menu_tile_rect(int dx, int dy, int w, int h, double s, double z);
// Where the outline lands, and where the caption does.
SDL_Rect menu_tile_outline_rect(int dx, int dy, int w, int h, double s, double z);
SDL_Rect menu_tile_caption_rect(SDL_Texture* label, int dx, int dy, int w, int h, double s);
// The picture, its caption resting on its lower edge (the caption grows with the hover but does
// not follow the zoom; one too wide for the tile is shrunk to fit), then the outline over both.
// Alpha is the caller's.
void draw_menu_tile(SDL_Texture* image, SDL_Texture* label, SDL_Texture* frame, int dx, int dy,
                    int w, int h, double s, double z);
// True when the point lies strictly inside the tile at rest: a point on its border misses.
bool menu_tile_hit(SDL_Point p, int dx, int dy, int w, int h, double s);

// The cloud tunnel. Clouds start at the window's centre with a small random speed, accelerate
// and grow as they fly outward, and end one window diagonal away from the centre.
struct Cloud {
    bool active = false;
    int x = 0, y = 0;    // pixels from the window's centre, y upward
    int vx = 0, vy = 0;  // pixels per frame, −5 … 4
    double scale = 0;    // 0 at the centre, 1 at one window diagonal
    int kind = 0;        // which of the three cloud pictures
};
constexpr size_t tunnel_clouds = 100;
struct CloudTunnel {
    std::array<Cloud, tunnel_clouds> clouds{};
    uint32_t next_cloud_ms = 0;  // the clock time after which the next cloud may start
};
// One tunnel for the whole run, so the clouds fly on from the title screen into the main menu
// and back.
extern CloudTunnel cloud_tunnel;
// One frame: clouds in flight move and may leave; a free slot takes a new cloud when its time
// has come, so clouds start at most once a frame, 100 … 299 ms apart.
void cloud_tunnel_step(CloudTunnel& t);
// Draws the clouds in flight; each picture's size comes from the first picture, whose blend mode
// the caller has set.
void cloud_tunnel_draw(const CloudTunnel& t, const std::array<SDL_Texture*, 3>& images);
