// Undo and redo of the editor's strokes.
#include "editor/history.h"

namespace {
void trim(EditHistory& h) {
    while (!h.done.empty() &&
           (h.done.size() + h.undone.size() > history_max_strokes || h.cells > history_max_cells)) {
        h.cells -= h.done.front().cells.size();
        h.done.erase(h.done.begin());
    }
}

void forget_undone(EditHistory& h) {
    for (const Stroke& s : h.undone) h.cells -= s.cells.size();
    h.undone.clear();
}
}  // namespace

void history_note_cell(EditHistory& h, const CellChange& change) { h.open.cells.push_back(change); }

void history_note_pick(EditHistory& h, char brush0_before, char brush1_before, char brush0_after,
                       char brush1_after) {
    if (!h.open.picked) {
        h.open.picked = true;
        h.open.brush0_before = brush0_before;
        h.open.brush1_before = brush1_before;
    }
    h.open.brush0_after = brush0_after;
    h.open.brush1_after = brush1_after;
}

void history_close_stroke(EditHistory& h) {
    if (h.open.empty()) return;
    forget_undone(h);
    h.cells += h.open.cells.size();
    h.done.push_back(std::move(h.open));
    h.open = Stroke{};
    trim(h);
}

bool history_undo(EditHistory& h, World& world, char& brush0, char& brush1) {
    history_close_stroke(h);
    if (h.done.empty()) return false;
    Stroke s = std::move(h.done.back());
    h.done.pop_back();
    // Backwards, so a cell changed twice in one stroke ends as it was before the first change.
    for (auto it = s.cells.rbegin(); it != s.cells.rend(); ++it) {
        author_cell(world, it->row, it->column, it->play_before, it->decor_before);
        grid_set(it->row, it->column, world.authored_play, it->authored_before);
    }
    if (s.picked) {
        brush0 = s.brush0_before;
        brush1 = s.brush1_before;
    }
    h.undone.push_back(std::move(s));
    return true;
}

bool history_redo(EditHistory& h, World& world, char& brush0, char& brush1) {
    history_close_stroke(h);
    if (h.undone.empty()) return false;
    Stroke s = std::move(h.undone.back());
    h.undone.pop_back();
    for (const CellChange& c : s.cells) {
        author_cell(world, c.row, c.column, c.play_after, c.decor_after);
    }
    if (s.picked) {
        brush0 = s.brush0_after;
        brush1 = s.brush1_after;
    }
    h.done.push_back(std::move(s));
    return true;
}

void history_clear(EditHistory& h) { h = EditHistory{}; }
