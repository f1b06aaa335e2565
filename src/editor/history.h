// The editor's undo and redo: every stroke (the cells changed while one button was held, or the
// brushes a pick took) is one step back or forward. Only the changed cells are kept, and the
// oldest strokes are dropped past history_max_strokes strokes or history_max_cells cells.
#pragma once
#include <cstddef>
#include <vector>

#include "session/world.h"

struct CellChange {
    int row = 0, column = 0;
    char play_before = ' ', decor_before = ' ';
    char play_after = ' ', decor_after = ' ';
    // The authored play cell before the change: it differs from play_before where play took an
    // item or broke a block, and undo gives the author's cell back, not the game's.
    char authored_before = ' ';
};

struct Stroke {
    std::vector<CellChange> cells;
    bool picked = false;  // a pick: the brushes changed, no cell did
    char brush0_before = ' ', brush1_before = ' ', brush0_after = ' ', brush1_after = ' ';
    bool empty() const { return cells.empty() && !picked; }
};

struct EditHistory {
    std::vector<Stroke> done;    // oldest first
    std::vector<Stroke> undone;  // most recently undone last
    Stroke open;                 // the stroke of the button held now
    size_t cells = 0;            // cell changes held in done and undone
};

constexpr size_t history_max_strokes = 500;
constexpr size_t history_max_cells = 200000;  // about 2.4 MB of changes at most

// Notes a change of one cell in the open stroke (before and after, both layers).
void history_note_cell(EditHistory& h, const CellChange& change);
// Notes a pick in the open stroke.
void history_note_pick(EditHistory& h, char brush0_before, char brush1_before, char brush0_after,
                       char brush1_after);
// The button was let go: the open stroke becomes one step, and what was undone is forgotten.
void history_close_stroke(EditHistory& h);
// Puts the last stroke's cells (and brushes) back as they were; false when there is nothing.
bool history_undo(EditHistory& h, World& world, char& brush0, char& brush1);
// Does the last undone stroke again; false when there is nothing.
bool history_redo(EditHistory& h, World& world, char& brush0, char& brush1);
// Forgets everything (the layers came back from the files).
void history_clear(EditHistory& h);
