// Characters: pictures standing in the level, some floating or swaying, each with something to
// say. When the player comes near one, a speech bubble with its text fades in above it, and fades
// out when the player walks away. A level lists its characters in "caracters.lvl".
#pragma once
#include <SDL.h>

#include <string>
#include <vector>

#include "app/sdl_handles.h"

constexpr int max_characters = 50;  // lines of caracters.lvl read
constexpr int max_bubble_lines = 50;
constexpr int max_bubble_line_length = 99;

// How a character moves.
constexpr int motion_still = 0;
constexpr int motion_float = 1;  // up and down
constexpr int motion_sway = 2;   // up and down, and sideways

struct Character {
    bool disabled = false;      // its line began with a backslash: not drawn, never spoken to
    int x = 0, y = 0;           // lower-left corner in cells, rows counted from the lowest
    int w = 0, h = 0;           // size in cells
    int motion = motion_still;  // any value but float and sway stands still
    std::string image_path;     // below "ressources/"
    std::string text;           // '&' starts a new line of the bubble
};

struct Characters {
    std::vector<Character> entries;  // in file order
    int hovered = 0;                 // index + 1 of the character the player is near, 0 for none
    int shown = 0;         // index + 1 of the character whose bubble is on screen or fading
    int bubble_alpha = 0;  // 0 … 255
    double anchor_x = 0;   // where the shown character's bubble stands, in cells
    double anchor_y = 0;
    int clock_ms = 0;  // the frame's clock, which floating and swaying follow
};

// The bubble's font and picture, and each entry's picture (null when it is missing).
struct CharacterArt {
    FontPtr font;
    TexturePtr bubble;
    std::vector<TexturePtr> images;  // one per entry
};

// Once per session: no bubble, the font and the bubble picture.
void characters_init(Characters& c, CharacterArt& art);
// At every restart of the level and on R: the level's characters replace the old ones. The
// bubble carries on as it was.
void characters_load(Characters& c, CharacterArt& art, const std::string& level);
void characters_release(CharacterArt& art);

// Index + 1 of the first enabled character within two cells of the player's lower-left corner,
// 0 when there is none.
int character_near(const Characters& c, double player_x, double player_y);
// Once a frame, in play and in the editor, after the player's and the doors' updates: the step of
// the bubble's fade that follows the last frame's drawing, then which character the player is
// near. A bubble fades in over 7 frames and out over 7, from the frame after the player comes or
// goes; moving straight from one character to another, the first bubble fades out completely
// before the second fades in.
void characters_update(Characters& c, double player_x, double player_y);

// The lines of a bubble: the text split at every '&', within the bubble's limits.
std::vector<std::string> bubble_lines(const std::string& text);

// The texture stretched over w × h cells whose lower-left corner is (x, y) cells from the
// window's lower-left corner.
void draw_cell_rect(SDL_Texture* tex, double x, double y, double w, double h);
void characters_draw(const Characters& c, const CharacterArt& art, double camera_x,
                     double camera_y);
// Where a bubble goes (window pixels): its rectangle moved into the window as little as needed.
// When moving it down made it cover its speaker (`speaker`, empty when unknown), it stands beside
// the speaker instead, at that height: right of it, else left of it, where it fits in the window.
// A bubble larger than the window keeps its top-left corner in it.
SDL_Rect bubble_place(SDL_Rect bubble, SDL_Rect speaker, int window_w, int window_h);
// The shown character's bubble, at the fade the last update left; right after characters_draw.
void bubble_draw(const Characters& c, const CharacterArt& art, double camera_x, double camera_y);
