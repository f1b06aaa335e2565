// The main menu: six picture tiles over the dimmed background and the cloud tunnel. Pointing at
// a tile grows it, a click zooms its picture up to fill the window and the menu hands the tile's
// number to the main flow; the tile the player comes back from zooms back into place. Escape
// opens the settings menu over it, Backspace goes back to the title. Also the credits wait: the
// "Credits" picture held until a key or a click.
#pragma once
#include <SDL.h>

#include <array>
#include <functional>

#include "app/controls.h"
#include "app/fitted_parts.h"
#include "app/sdl_handles.h"

// What main_menu returns; the tile codes are the tiles' numbers.
constexpr int menu_code_quit = 0;  // the window closed, or "Exit" in the settings menu
constexpr int tile_story = 1;
constexpr int tile_creations = 2;
constexpr int tile_multiplayer = 3;
constexpr int tile_settings = 4;
constexpr int tile_credits = 5;
constexpr int tile_close = 6;
constexpr int menu_code_title = 7;  // Backspace
constexpr int menu_tiles = 6;

// What main_menu_update returns once the menu is over (the code is main_menu_result's).
constexpr int main_menu_done = 1;

// Where tile k (1 … 6) sits in a w × h window, as draw_menu_tile and menu_tile_hit take it.
struct MenuTile {
    int dx = 0, dy = 0, w = 0, h = 0;
};
MenuTile main_menu_tile(int k, int window_w, int window_h);

// How the menu leaves without a chosen tile.
constexpr int leave_stay = 0;
constexpr int leave_quit = 1;
constexpr int leave_title = 2;

// Per tile, indexed k − 1.
struct MainMenu {
    std::array<double, menu_tiles> hover{};  // eased pointer-over, 0 … 1
    std::array<double, menu_tiles> zoom{};   // 1 at rest, 0 filling the window
    std::array<bool, menu_tiles> chosen{}, returning{}, swipe_armed{}, chosen_seen{};
    SDL_Point pointer{-1, -1};  // from mouse motions only
    int focus = 0;  // the tile the keys or the controller highlight; 0 while the pointer leads
    StickLatch stick;
    int leave = leave_stay;
    double overlay = 255;  // the undimmed background over everything while the menu appears
    bool done = false;     // the last frame: the chosen picture over the whole window
};

// What a tile at rest looks like: everything its picture's rectangle shows in the finished frame
// comes from these (its picture is opaque: nothing below it shows).
struct RestingTileLook {
    SDL_Rect picture{}, outline{}, caption{};
    int brightness = 0, picture_alpha = 0, caption_alpha = 0, veil_alpha = 0;
    int window_w = 0, window_h = 0;
};

// The drawing's memory of one tile. A tile that looked the same two frames running keeps its
// picture's rectangle as it was finished (veil included) and is pasted back while it still looks
// so; only its caption and the ring of its outline around the picture are drawn again, over the
// moving clouds. The software renderer then spares the stretched picture, most of the outline and
// part of the veil.
struct RestingTile {
    RestingTileLook look;         // of the last frame
    TexturePtr pixels;            // the finished rectangle
    RestingTileLook pixels_look;  // the look it was kept with
    FittedPicture outline;
};

struct MainMenuArt {
    std::array<TexturePtr, menu_tiles> pictures;  // "ide/1.png" … "ide/6.png"
    std::array<TexturePtr, menu_tiles> captions;
    TexturePtr outline;     // "ide/ctr.png"
    TexturePtr background;  // "ide/bgg.png", dimmed
    TexturePtr veil;        // "ide/bgg.png" undimmed, fading off as the menu appears
    std::array<TexturePtr, 3> clouds;
    mutable std::array<RestingTile, menu_tiles> resting;
    mutable FittedPicture veil_fitted;
    bool keep_resting_tiles = true;  // false: every tile drawn whole (tests compare the two)
};

struct MainMenuSounds {
    ChunkPtr swipe, click;
};

// The menu as it opens after returning `previous` (0 the first time).
MainMenu main_menu_open(int previous);
MainMenuArt main_menu_art();
MainMenuSounds main_menu_sounds();

// True for the tiles that hover, grow and open a screen when clicked.
bool tile_live(int k);
// A tile's growth at its current hover.
double tile_growth(const MainMenu& m, int k);
// The code the menu gives back: 0 once the window was closed (or "Exit" confirmed in the settings
// menu), even while a chosen tile zooms; else the first chosen tile, else 7 after Backspace.
int main_menu_result(const MainMenu& m);

// One frame. The arrow keys, the d-pad and the left stick move a highlight over the live tiles
// (the first press shows it), Return, Space and A choose the highlighted tile, Start acts as
// Escape and B as Backspace; the mouse takes the lead again as soon as it moves. `escape` opens the
// settings menu over this one and returns its result (non-zero leaves the menu). Returns
// main_menu_done once the menu is over; its last frame is then drawn.
int main_menu_update(MainMenu& m, const Controls& c, const MainMenuSounds* sounds,
                     const std::function<int()>& escape);
void main_menu_draw(const MainMenu& m, const MainMenuArt& art);

// The whole menu: 0, 1, 2, 4, 5, 6 or 7.
int main_menu(int previous);

// The credits: "ide/5.png" over the whole window until a key press or a click (true) or the
// window's close (false).
bool credits_wait();
