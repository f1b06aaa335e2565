// The level editor: a mode of the running session, switched with E. While it is on the game
// stands still, the arrows fly the view, a dock of brushes runs across the top of the window,
// and the mouse paints (left), erases (right) and picks (other buttons) cells of both layers.
#pragma once
#include <SDL.h>

#include "app/controls.h"
#include "session/world.h"

struct EditorState {
    bool active = false;
    char brush0 = ' ';                  // what painting writes into the play layer
    char brush1 = ' ';                  // what painting writes into the decor layer
    int pointer_x = 0, pointer_y = 0;   // last pointer position seen while on, y downwards
    int cell_column = 0, cell_row = 0;  // the cell under the pointer
    int dock_scroll_drawn = 0;   // the scroll the dock is drawn with (one easing step behind)
    int dock_scroll_target = 0;  // always a multiple of 300
    int dock_scroll = 0;
};

// The dock's pictures and the cursor.
struct EditorArt {
    TexturePtr dock, select, cursor;
};
// The editor's sounds; an editor given none works silently.
struct EditorSounds {
    ChunkPtr swipe, click, put, remove;
};

// The dock: 67 slots of 60 pixels, brushes in groups separated by gaps.
constexpr int dock_slot_count = 67;
constexpr int dock_slot_width = 60;
constexpr int dock_height = 70;  // y ≤ 69 is the dock, y ≥ 71 the level
constexpr int dock_wheel_step = 300;
constexpr char rail_brush = cell::rail;  // armed with A

enum class DockLayer { gap, play, decor };
struct DockSlot {
    DockLayer layer = DockLayer::gap;
    char code = ' ';
    int icon = -1;  // slot of the World's tile table
};
DockSlot dock_slot(int slot);
// The slot holding `code` on that layer, or −1 (a blank brush has no slot).
int dock_slot_of(DockLayer layer, char code);
// The slot under a click at (x, y) with the dock scrolled by `scroll`, or −1 for none.
int dock_hit(int x, int y, int scroll);

// Starts off with blank brushes; loads the dock's pictures and the sounds.
void editor_init(EditorState& ed, EditorArt& art, EditorSounds& snd);
// E toggles the editor; in the editor A takes the rail brush for the decor layer; C clears both
// brushes.
void editor_handle_key(EditorState& ed, const SDL_Event& event);
// Pointer motion and the dock's wheel, while on.
void editor_handle_event(EditorState& ed, const SDL_Event& event, const EditorSounds* snd);
// Flies the view with the held arrows and paints, erases, picks or chooses with the held mouse
// buttons, then eases the dock's scroll, while on.
void editor_update(EditorState& ed, World& world, Player& player, const Controls& controls,
                   const EditorSounds* snd);
// Draws the dock with the theme's tiles, and the cursor, while on.
void editor_draw(const EditorState& ed, const EditorArt& art, const ThemeTiles& tiles);
void editor_release(EditorArt& art, EditorSounds& snd);
