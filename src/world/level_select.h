// The level selection: the level folders on disk as a carousel of buttons over a cross-fading
// preview of each level's background. Arrows or the wheel move through them, Space, Return or a
// click (or the controller's pad and A) choose one; the back button (or B) returns to the main
// menu.
#pragma once
#include <SDL.h>

#include <array>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/sdl_handles.h"
#include "session/level_files.h"
#include "world/background.h"

constexpr int max_listed_levels = 100;  // the carousel's buttons; names past it are counted

// The level highlighted last, kept between visits.
extern int selected_level;

// What the player chose. A record rather than a word, so that any folder name is a level.
struct SelectChoice {
    enum Kind {
        none,  // nothing yet
        play,  // the level named `level`
        back,  // the back button: the main menu again
        quit,  // the window was closed (or the settings menu said to quit)
    };
    Kind kind = none;
    std::string level;  // the chosen folder's name
    bool operator==(const SelectChoice&) const = default;
};

// The level folders the selection offers.
struct LevelList {
    std::vector<std::string> names;  // in name order, at most max_listed_levels
    int left_out = 0;                // complete folders past them in name order
};

struct LevelSelect {
    std::vector<std::string> names;  // the listed levels
    double scroll = 0;               // carousel position in level indices, easing to the highlight
    SelectChoice choice;
    int fade = 255;           // the black veil: fades in, and out once a choice is made
    double logo_scale = 0.5;  // breathes
    double logo_drawn = 0.5;  // the scale the logo is drawn with this frame
    int frames = 0;
    int mouse_x = 0, mouse_y = 0;
    StickLatch stick;  // the left stick moves the highlight once per push
};

struct LevelSelectArt {
    FontPtr name_font, version_font;
    TexturePtr button, back, cursor, logo, version, veil;
    TexturePtr left_out;  // how many levels are not listed, when some are not
    // One per background the listed levels use: levels sharing a background share its images.
    std::vector<BackgroundArt> backgrounds;
    std::vector<std::size_t> background_of;  // each listed level's entry in `backgrounds`
    // Where the two backgrounds fading into each other are made whole, and the window size
    // they were made for.
    std::array<TexturePtr, 2> canvases;
    int canvas_width = 0, canvas_height = 0;
    // Set by a frame that had to lay two backgrounds over each other without them.
    mutable bool canvases_missed = false;
    std::vector<TexturePtr> labels;  // the levels' names
};

struct LevelSelectSounds {
    ChunkPtr swipe, click;
};

// Lists the levels and loads what the screen shows and plays (the selection's music starts).
void level_select_load(LevelSelect& ls, LevelSelectArt& art, LevelSelectSounds& snd);
// Once a frame: fits the backgrounds near the highlight (on a worker thread), lets the others
// go, and makes the canvases again after a change of display mode (or lets them go while the
// backgrounds near the highlight cross-fade on the frame without them).
void level_select_fit(LevelSelectArt& art, const LevelSelect& ls);
// True when "levels/<folder>/<file>" is a regular file (anything else there says so).
bool level_has_file(const std::string& folder, const std::string& file);
// The level folders: every entry of "levels/" is printed between quotes as it is met; folders
// holding 0.lvl, 1.lvl and config.ini are kept ("Server" and names too long for the level paths
// are not), in name order, the first max_listed_levels of them; a line tells how many more there
// are.
LevelList list_levels();

// Centred in the window, then moved by (dx, dy), at the texture's own size.
void draw_offset_centered(SDL_Texture* tex, int dx, int dy);
bool hit_offset_centered(const SDL_Event& e, SDL_Texture* tex, int dx, int dy);
// The carousel button of level i: its offset from the window's centre.
int carousel_x(int i, double scroll);

// One frame: the events, then the easing of the carousel, the logo and the veil. Returns
// screen_running, or 1 when the screen is over (a choice faded out, or the window closed, even
// during the fade: the choice is then to quit).
// `escape` opens the settings menu and gives its code (non-zero leaves).
int level_select_update(LevelSelect& ls, const LevelSelectArt& art, const Controls& c,
                        const LevelSelectSounds* snd, int (*escape)());
void level_select_draw(const LevelSelect& ls, const LevelSelectArt& art);

// Runs the screen: a level, the back button or quit (never none).
SelectChoice level_select(int (*escape)());
