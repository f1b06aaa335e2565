// The level editor: a mode of the running session, switched with E. While it is on the game
// stands still, the arrows fly the view, a dock of brushes runs across the top of the window,
// and the mouse paints (left), erases (right) and picks (other buttons) cells of both layers.
#pragma once
#include <SDL.h>

#include <array>
#include <string>

#include "app/controls.h"
#include "editor/history.h"
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
    EditHistory history;
    bool stroke_held = false;      // a paint, erase or pick button was down last frame
    int hover_slot = -1;           // the dock slot under the pointer, −1 for none
    Grid clean_play, clean_decor;  // the authored layers as last read from or written to the files
    bool unsaved = false;          // the authored layers differ from the files
    int notice_until = 0;          // the on-screen notice shows until this clock time
    bool pad_shoulder_left = false, pad_shoulder_right = false, pad_y = false;  // for edges
    bool marked = false;  // a cell shown outlined, the one the author came to look at
    int marked_column = 0, marked_row = 0;
};

// The dock: 67 slots of 60 pixels, brushes in groups separated by gaps.
constexpr int dock_slot_count = 67;
// The dock's pictures, the cursor, and the editor's words: each slot's name, the help line, the
// "unsaved" mark and the notice of the last save or reload.
struct EditorArt {
    TexturePtr dock, select, cursor;
    FontPtr font;
    std::array<TexturePtr, dock_slot_count> slot_names;
    TexturePtr rail_name, eraser_name, help, unsaved, notice;
    std::array<TexturePtr, 2> help_lines;  // the help line in two, for narrow windows
    TexturePtr mark_note;                  // beside the marked cell: what is the matter with it
};
// The editor's sounds; an editor given none works silently.
struct EditorSounds {
    ChunkPtr swipe, click, put, remove;
};

constexpr int dock_slot_width = 60;
constexpr int dock_height = 70;  // y ≤ 69 is the dock, y ≥ 71 the level
constexpr int dock_wheel_step = 300;
constexpr char rail_brush = cell::rail;  // armed with A
constexpr int notice_ms = 2500;          // how long a save's or reload's notice stays

enum class DockLayer { gap, play, decor };
struct DockSlot {
    DockLayer layer = DockLayer::gap;
    char code = ' ';
    int icon = -1;  // slot of the World's tile table
};
DockSlot dock_slot(int slot);
// The slot holding `code` on that layer, or −1 (a blank brush has no slot).
int dock_slot_of(DockLayer layer, char code);
// What a slot holds, in words ("breakable block", "coin", "start flag"); "" for a gap.
std::string dock_slot_name(int slot);
// The tile that shows a brush of a layer, or −1 for a blank brush.
int brush_icon(DockLayer layer, char code);
// The slot under a click at (x, y) with the dock scrolled by `scroll`, or −1 for none.
int dock_hit(int x, int y, int scroll);

// Starts off with blank brushes; loads the dock's pictures, the words and the sounds.
void editor_init(EditorState& ed, EditorArt& art, EditorSounds& snd);
// E toggles the editor; in the editor A takes the rail brush for the decor layer, Backspace undoes
// the last stroke and Shift+Backspace redoes it; C clears both brushes.
void editor_handle_key(EditorState& ed, World& world, const SDL_Event& event);
// The layers were just read from the files (or written to them): nothing is unsaved, and after a
// read the undo history is gone, since the cells it knew may be back as they were.
void editor_layers_read(EditorState& ed, const World& world);
void editor_layers_saved(EditorState& ed, const World& world);
// Outlines a cell (rows from the lowest) while the editor is on, until the session ends, with
// a note beside it when one is given.
void editor_mark_cell(EditorState& ed, EditorArt& art, int column, int row,
                      const std::string& note = "");
// Shows a line (a save's or reload's result) in the window for a moment.
void editor_notice(EditorState& ed, EditorArt& art, const std::string& text);
// Pointer motion and the dock's wheel, while on.
void editor_handle_event(EditorState& ed, const SDL_Event& event, const EditorSounds* snd);
// Flies the view with the held arrows and paints, erases, picks or chooses with the held mouse
// buttons (or a controller: the left stick moves the pointer, A paints, B erases, X picks, Y
// chooses, the shoulders scroll the dock), then eases the dock's scroll, while on.
void editor_update(EditorState& ed, World& world, Player& player, const Controls& controls,
                   const EditorSounds* snd);
// Draws, while on, the marked cell's outline, the outlined cell under the pointer with the
// brushes faint in it, the dock with the theme's tiles, the slot name under the pointer, the
// "unsaved" mark, the help line and the cursor; and, on or off, the notice of the last save or
// reload.
void editor_draw(const EditorState& ed, const EditorArt& art, const ThemeTiles& tiles,
                 const World& world);
void editor_release(EditorArt& art, EditorSounds& snd);
