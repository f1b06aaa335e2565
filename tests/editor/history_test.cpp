// Undo and redo in the editor, stroke by stroke, driven as an author drives it: buttons held
// over cells, frame after frame, then Backspace and Shift+Backspace.
#include "editor/history.h"

#include <gtest/gtest.h>

#include "app/draw.h"
#include "editor/editor.h"
#include "session/level_files.h"
#include "session/session.h"
#include "support/harness.h"

namespace {
const Uint32 left = SDL_BUTTON(SDL_BUTTON_LEFT);
const Uint32 right = SDL_BUTTON(SDL_BUTTON_RIGHT);
const Uint32 middle = SDL_BUTTON(SDL_BUTTON_MIDDLE);

struct Authoring {
    EditorState ed;
    World world;
    Player player;
    Controls controls;
    Authoring() {
        window_width = 1000;
        window_height = 600;
        world.play_grid = parse_grid_text("[ 20]\n[ 20]\n[ 20]\n[ 20]\n[a20]\n", true);
        world.decor_grid = parse_grid_text("\n\n\n\n[ 3]C\n", false);
        world.authored_play = world.play_grid;
        ed.active = true;
    }
    // Holds the buttons over the cell (row, column) for one frame (camera at 0, 0).
    void hold(int row, int column, Uint32 buttons) {
        ed.pointer_x = column * 25 + 12;
        ed.pointer_y = 600 - row * 25 - 12;
        controls.mouse_buttons = buttons;
        editor_update(ed, world, player, controls, nullptr);
    }
    void release() {
        controls.mouse_buttons = 0;
        editor_update(ed, world, player, controls, nullptr);
    }
    void key(bool shift) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = SDLK_BACKSPACE;
        e.key.keysym.mod = shift ? KMOD_LSHIFT : KMOD_NONE;
        editor_handle_key(ed, world, e);
    }
    std::string layers() const {
        return grid_to_text(world.play_grid) + grid_to_text(world.decor_grid);
    }
};
}  // namespace

TEST(History, StrokesUndoAndRedoAsOneStepEach) {
    Authoring a;
    const std::string start = a.layers();
    a.ed.brush0 = 'b';
    for (int c = 2; c <= 6; ++c) a.hold(3, c, left);  // one stroke of five cells
    a.hold(3, 6, left);                               // held still: nothing more
    a.release();
    const std::string painted = a.layers();
    a.hold(0, 3, right);  // a second stroke erases a floor cell and the bush on it
    a.hold(0, 4, right);
    a.release();
    const std::string erased = a.layers();
    EXPECT_EQ(a.ed.history.done.size(), 2u);

    a.key(false);
    EXPECT_EQ(a.layers(), painted);
    a.key(false);
    EXPECT_EQ(a.layers(), start);
    a.key(false);  // nothing left to undo
    EXPECT_EQ(a.layers(), start);
    a.key(true);
    EXPECT_EQ(a.layers(), painted);
    a.key(true);
    EXPECT_EQ(a.layers(), erased);

    // A new stroke after an undo forgets what was undone.
    a.key(false);
    a.ed.brush0 = 'q';
    a.hold(4, 9, left);
    a.release();
    a.key(true);
    EXPECT_EQ(grid_get(0, 3, a.world.play_grid), 'a');  // the erase stays undone
    EXPECT_EQ(grid_get(4, 9, a.world.play_grid), 'q');
}

TEST(History, APickIsAStepAndACellPaintedTwiceComesBackWhole) {
    Authoring a;
    grid_set(2, 5, a.world.play_grid, 'd');
    a.ed.brush0 = 'c';
    a.hold(2, 5, middle);  // pick: the brushes become the cell's
    a.release();
    EXPECT_EQ(a.ed.brush0, 'd');
    a.key(false);
    EXPECT_EQ(a.ed.brush0, 'c');
    a.key(true);
    EXPECT_EQ(a.ed.brush0, 'd');

    // One stroke that paints a cell, erases it and paints it again (the brush changed under the
    // held button) undoes to the cell's first state.
    a.ed.brush0 = 'k';
    a.hold(0, 7, left);
    a.ed.brush0 = 'm';
    a.hold(0, 7, left);
    a.release();
    a.key(false);
    EXPECT_EQ(grid_get(0, 7, a.world.play_grid), 'a');
}

TEST(History, MemoryStaysBoundedAndAReadOfTheLayersForgetsIt) {
    Authoring a;
    EditHistory h;
    for (int i = 0; i < 3000; ++i) {
        for (int k = 0; k < 100; ++k) history_note_cell(h, {0, k, 'a', ' ', 'b', ' ', 'a'});
        history_close_stroke(h);
    }
    EXPECT_LE(h.done.size(), history_max_strokes);
    EXPECT_LE(h.cells, history_max_cells);
    size_t held = 0;
    for (const Stroke& s : h.done) held += s.cells.size();
    EXPECT_EQ(held, h.cells);

    a.ed.brush0 = 'b';
    a.hold(3, 3, left);
    a.release();
    editor_layers_read(a.ed, a.world);  // R, or a restart: the cells came back from the files
    a.key(false);
    EXPECT_EQ(grid_get(3, 3, a.world.play_grid), 'b');
    EXPECT_FALSE(a.ed.unsaved);
    a.hold(3, 4, left);
    EXPECT_TRUE(a.ed.unsaved);
    a.key(false);  // undone back to the files' state: nothing unsaved
    a.release();
    EXPECT_FALSE(a.ed.unsaved);
}
