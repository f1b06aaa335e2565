// The level editor: a mode of the running session, switched with E. While it is on the game
// stands still, the arrows fly the view, a dock of brushes runs across the top of the window,
// and the mouse paints (left), erases (right) and picks (other buttons) cells of both layers.
#pragma once
#include <SDL.h>

#include "session/world.h"

struct EditorState {
    bool active = false;
    TexturePtr dock_image, select_image, cursor_image;
    ChunkPtr swipe_sound, click_sound, put_sound, remove_sound;
    char brush0 = ' ';                  // what painting writes into the play layer
    char brush1 = ' ';                  // what painting writes into the decor layer
    int pointer_x = 0, pointer_y = 0;   // last pointer position seen while on, y downwards
    int cell_column = 0, cell_row = 0;  // the cell under the pointer
    int dock_scroll_drawn = 0;   // the scroll the dock is drawn with (one easing step behind)
    int dock_scroll_target = 0;  // always a multiple of 300
    int dock_scroll = 0;
    const Uint8* keys = nullptr;
};

// The dock: 67 slots of 60 pixels, brushes in groups separated by gaps.
constexpr int dock_slot_count = 67;
constexpr int dock_slot_width = 60;
constexpr int dock_height = 70;  // y ≤ 69 is the dock, y ≥ 71 the level
constexpr int dock_wheel_step = 300;
constexpr char rail_brush = '.';  // the decor layer's rail cell, armed with A

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

void editor_init(EditorState& ed);
// E toggles the editor, A takes the rail brush for the decor layer, C clears both brushes.
void editor_handle_key(EditorState& ed, const SDL_Event& event);
// Pointer motion and the dock's wheel, while on.
void editor_handle_event(EditorState& ed, const SDL_Event& event);
// Flies the view and paints, erases, picks or chooses with the mouse, while on.
void editor_update(EditorState& ed, World& world, Player& player);
// Eases the dock's scroll, draws the dock and the cursor, while on.
void editor_draw(EditorState& ed, const World& world);
void editor_release(EditorState& ed);
