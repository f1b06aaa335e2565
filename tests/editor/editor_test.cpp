// The editor: dock hit-test and scroll, painting, erasing and picking, and a real save.
#include "editor/editor.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/clock.h"
#include "app/draw.h"
#include "app/input.h"
#include "app/shell.h"
#include "session/level_files.h"
#include "session/session.h"
#include "support/harness.h"

namespace {
// An editor switched on over a 20 × 10 level, with the frame's controls in hand, and sounds that
// tell whether they played.
struct Editing {
    Controls controls;
    EditorState ed;
    EditorSounds snd;
    World world;
    Player player;

    Editing() {
        clock_use_virtual(true);
        init_libraries();
        window_width = 1000;
        window_height = 600;
        ed.active = true;
        for (ChunkPtr* c : {&snd.put, &snd.remove, &snd.click, &snd.swipe}) *c = silent_chunk();
        std::string rows;
        for (int i = 0; i < 10; ++i) rows += "[ 20]\n";
        world.play_grid = parse_grid_text(rows, true);
        world.decor_grid = parse_grid_text(rows, false);
        world.authored_play = world.play_grid;
    }
    ~Editing() {
        snd = EditorSounds{};
        quit_libraries();
        clock_use_virtual(false);
    }
    // One frame of the editor with these mouse buttons held.
    void frame(Uint32 buttons = 0) {
        controls.mouse_buttons = buttons;
        editor_update(ed, world, player, controls, &snd);
    }
    // Points at the cell (row, column) with the camera at (0, 0) and holds the buttons.
    void click(int row, int column, Uint32 buttons) {
        ed.pointer_x = column * 25 + 12;
        ed.pointer_y = 600 - row * 25 - 12;
        frame(buttons);
    }
    void event(const SDL_Event& e) { editor_handle_event(ed, e, &snd); }
    char play(int r, int c) { return grid_get(r, c, world.play_grid); }
    char decor(int r, int c) { return grid_get(r, c, world.decor_grid); }
};

const Uint32 left = SDL_BUTTON(SDL_BUTTON_LEFT);
const Uint32 right = SDL_BUTTON(SDL_BUTTON_RIGHT);
const Uint32 middle = SDL_BUTTON(SDL_BUTTON_MIDDLE);

SDL_Event wheel(int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = y;
    return e;
}
}  // namespace

TEST(Editor, DockHitTestFindsSlotsGapsAndNothingElse) {
    window_height = 600;  // icons of 25 pixels
    EXPECT_EQ(dock_hit(75, 30, 0), 1);
    EXPECT_EQ(dock_slot(1).code, 'b');
    EXPECT_EQ(dock_hit(100, 30, 0), -1);           // between icons: 90 mod 60 = 30 ≥ 25
    EXPECT_EQ(dock_hit(3, 30, 0), 0);              // the margin left of the first icon counts
    EXPECT_EQ(dock_hit(19 * 60 + 15, 30, 0), -1);  // a gap
    EXPECT_EQ(dock_hit(20 * 60 + 15, 30, 0), 20);
    EXPECT_EQ(dock_hit(67 * 60 + 15, 30, 0), -1);  // beyond the last slot
    EXPECT_EQ(dock_hit(15, 30, 66 * 60), 66);
    EXPECT_EQ(dock_hit(75, 8, 0), -1);
    EXPECT_EQ(dock_hit(75, 9, 0), 1);
    EXPECT_EQ(dock_hit(75, 49, 0), 1);
    EXPECT_EQ(dock_hit(75, 50, 0), -1);
    // The layout's groups.
    EXPECT_EQ(dock_slot(18).code, 's');
    EXPECT_EQ(dock_slot(27).code, 'H');
    EXPECT_EQ(dock_slot(29).layer, DockLayer::decor);
    EXPECT_EQ(dock_slot(29).code, 'A');
    EXPECT_EQ(dock_slot(40).code, 'L');
    EXPECT_EQ(dock_slot(46).code, '4');
    EXPECT_EQ(dock_slot(46).icon, slot_first_enemy + 4);
    EXPECT_EQ(dock_slot(48).layer, DockLayer::decor);
    EXPECT_EQ(dock_slot(66).code, 's');
    EXPECT_EQ(dock_slot(66).icon, 18);
    EXPECT_EQ(dock_slot_of(DockLayer::decor, 'a'), 48);
    EXPECT_EQ(dock_slot_of(DockLayer::play, ' '), -1);
}

TEST(Editor, WheelStopsAtTheDocksEndAndTheScrollEases) {
    Editing e;
    window_width = 1920;
    for (int i = 0; i < 12; ++i) e.event(wheel(-1));
    EXPECT_EQ(e.ed.dock_scroll_target, 2100);
    window_width = 800;
    for (int i = 0; i < 12; ++i) e.event(wheel(-1));
    EXPECT_EQ(e.ed.dock_scroll_target, 3300);  // the target may pass the limit by a step
    EXPECT_TRUE(sound_played());
    for (int i = 0; i < 20; ++i) e.event(wheel(1));
    EXPECT_EQ(e.ed.dock_scroll_target, 0);
    e.event(wheel(0));
    EXPECT_EQ(e.ed.dock_scroll_target, 0);
    // The wheel over the level does nothing.
    e.ed.pointer_y = 71;
    e.event(wheel(-1));
    EXPECT_EQ(e.ed.dock_scroll_target, 0);

    window_width = 1000;
    e.ed.pointer_y = 30;
    e.event(wheel(-1));
    for (int i = 0; i < 40; ++i) e.frame();
    EXPECT_EQ(e.ed.dock_scroll, 296);  // rests short of the target
    e.event(wheel(1));
    int drawn_before = e.ed.dock_scroll;
    e.click(5, 5, 0);
    EXPECT_EQ(e.ed.dock_scroll_drawn, drawn_before);  // copied before the next easing step
    EXPECT_EQ(e.ed.dock_scroll, 296 - 296 / 5);
    for (int i = 0; i < 40; ++i) e.frame();
    EXPECT_EQ(e.ed.dock_scroll, 4);
}

TEST(Editor, ChoosingABlockThenPaintingClearsTheDecoration) {
    Editing e;
    grid_set(3, 4, e.world.decor_grid, 'D');
    e.ed.brush1 = 'E';  // a decoration brush in hand: a block chosen in the dock replaces it
    e.ed.pointer_x = 2 * 60 + 15;  // slot 2: block 'c'
    e.ed.pointer_y = 30;
    e.frame(left);
    EXPECT_EQ(e.ed.brush0, 'c');
    EXPECT_EQ(e.ed.brush1, ' ');
    EXPECT_FALSE(sound_played());  // choosing is silent
    e.click(3, 4, left);
    EXPECT_EQ(e.play(3, 4), 'c');
    EXPECT_EQ(e.decor(3, 4), ' ');
    EXPECT_TRUE(sound_played());
    e.click(3, 4, left);  // the same pair again: nothing written, nothing played
    EXPECT_FALSE(sound_played());
    // A decoration brush blanks the play layer where it paints.
    e.ed.pointer_x = 33 * 60 + 15 - 300;  // slot 33: decoration 'E', with the dock scrolled
    e.ed.pointer_y = 30;
    e.ed.dock_scroll = 300;
    e.frame(left);
    EXPECT_EQ(e.ed.brush1, 'E');
    EXPECT_EQ(e.ed.brush0, ' ');
    e.click(3, 4, left);
    EXPECT_EQ(e.play(3, 4), ' ');
    EXPECT_EQ(e.decor(3, 4), 'E');
}

TEST(Editor, EraseAndPickPlayOnlyWhenSomethingChanges) {
    Editing e;
    e.click(2, 2, right);  // already blank
    EXPECT_FALSE(sound_played());
    grid_set(2, 2, e.world.play_grid, 'H');
    grid_set(2, 2, e.world.decor_grid, 'a');
    e.click(2, 2, right);
    EXPECT_EQ(e.play(2, 2), ' ');
    EXPECT_EQ(e.decor(2, 2), ' ');
    EXPECT_TRUE(sound_played());

    grid_set(6, 7, e.world.play_grid, 'd');
    e.click(6, 7, middle);
    EXPECT_EQ(e.ed.brush0, 'd');
    EXPECT_EQ(e.ed.brush1, ' ');
    EXPECT_TRUE(sound_played());
    e.ed.brush1 = '.';
    e.click(8, 8, middle);  // a blank cell: the brushes stay
    EXPECT_EQ(e.ed.brush0, 'd');
    EXPECT_EQ(e.ed.brush1, '.');
    EXPECT_FALSE(sound_played());
}

TEST(Editor, TheLineBetweenDockAndLevelAndTheLevelsEdgesChangeNothing) {
    Editing e;
    e.ed.brush0 = 'a';
    e.ed.pointer_x = 75;
    e.ed.pointer_y = 70;
    e.frame(left);
    EXPECT_EQ(e.ed.brush0, 'a');
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 20; ++c) ASSERT_EQ(e.play(r, c), ' ');
    // Past the level's right edge the cell is outside: nothing is written.
    e.world.camera_x = 15;
    e.ed.pointer_x = 990;
    e.ed.pointer_y = 300;
    Grid before = e.world.play_grid;
    e.frame(left);
    EXPECT_EQ(e.ed.cell_column, 54);
    EXPECT_EQ(e.world.play_grid, before);
    EXPECT_FALSE(sound_played());
}

TEST(Editor, CellUnderThePointerFollowsTheCamera) {
    Editing e;
    e.world.camera_x = 10.5;
    e.world.camera_y = 3.2;
    e.ed.pointer_x = 110;
    e.ed.pointer_y = 500;
    e.frame();
    EXPECT_EQ(e.ed.cell_column, 14);
    EXPECT_EQ(e.ed.cell_row, 7);
}

TEST(Editor, ArrowsFlyTheViewButNeverBelowZero) {
    Editing e;
    e.player.x = 0.5;
    e.player.y = 2;
    e.controls.held[SDL_SCANCODE_LEFT] = 1;
    e.controls.held[SDL_SCANCODE_UP] = 1;
    e.frame();
    EXPECT_EQ(e.player.x, 0);
    EXPECT_NEAR(e.player.y, 2.8, 1e-12);
    e.controls.held[SDL_SCANCODE_RIGHT] = 1;  // opposite arrows cancel
    e.frame();
    EXPECT_NEAR(e.player.x, 0, 1e-12);
    e.controls.held = {};
    e.controls.held[SDL_SCANCODE_DOWN] = 1;
    for (int i = 0; i < 10; ++i) e.frame();
    EXPECT_EQ(e.player.y, 0);
}

TEST(Editor, KeysSetBrushesAndAArmsRailsOnlyInTheEditor) {
    EditorState ed;
    World world;
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_a;
    editor_handle_key(ed, world,
                      key);  // A walks left in play: no rail brush armed behind the scenes
    EXPECT_EQ(ed.brush1, ' ');
    ed.active = true;
    editor_handle_key(ed, world, key);
    EXPECT_EQ(ed.brush1, '.');
    ed.active = false;
    ed.brush0 = 'q';
    key.key.keysym.sym = SDLK_c;
    editor_handle_key(ed, world, key);
    EXPECT_EQ(ed.brush0, ' ');
    EXPECT_EQ(ed.brush1, ' ');
    key.key.keysym.sym = SDLK_e;
    editor_handle_key(ed, world, key);
    EXPECT_TRUE(ed.active);
    // Pointer motion only counts while the editor is on.
    editor_handle_key(ed, world, key);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 40;
    motion.motion.y = 50;
    editor_handle_event(ed, motion, nullptr);
    EXPECT_EQ(ed.pointer_x, 0);
}

// A whole session on a temporary level: switch the editor on, paint, erase and pick with the
// mouse, save with U, and read the files back.
TEST(Editor, EditsSavedFromASessionReadBackExactly) {
    Sandbox sandbox;
    TestDisplay display;
    std::vector<Uint8> keys(SDL_NUM_SCANCODES, 0);
    input_install_keyboard(keys.data());
    write_file("levels/new/0.lvl", "[ 30]\n[ 30]\n[ 30]\n[ 30]\n[a30]\n");
    write_file("levels/new/1.lvl", "\n\n\nA\n\n");
    write_file("levels/new/config.ini", "titre=New\ntheme=base\n");
    Session s;
    session_start(s, "new");
    auto push = [](SDL_Event e) { SDL_PushEvent(&e); };
    auto key = push_key;
    auto move = [&](int x, int y) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = x;
        e.motion.y = y;
        push(e);
    };
    session_frame(s);
    key(SDLK_e);
    session_frame(s);
    ASSERT_TRUE(s.editor.active);
    double cx = s.world.camera_x, cy = s.world.camera_y;
    auto cell_point = [&](int row, int column, int* x, int* y) {
        *x = static_cast<int>((column - cx) * 25 + 12);
        *y = static_cast<int>(600 - (row - cy) * 25 - 12);
    };
    // Choose block 'i' from the dock and paint two cells of row 2 by dragging.
    move(8 * 60 + 15, 30);
    input_install_mouse(true, SDL_BUTTON(SDL_BUTTON_LEFT));
    session_frame(s);
    EXPECT_EQ(s.editor.brush0, 'i');
    int x, y;
    for (int column : {5, 6}) {
        cell_point(2, column, &x, &y);
        move(x, y);
        session_frame(s);
    }
    // Erase a floor cell, then pick the painted block and put a coin brush in its place.
    cell_point(0, 10, &x, &y);
    move(x, y);
    input_install_mouse(true, SDL_BUTTON(SDL_BUTTON_RIGHT));
    session_frame(s);
    s.editor.brush0 = 'H';
    cell_point(3, 7, &x, &y);
    move(x, y);
    input_install_mouse(true, SDL_BUTTON(SDL_BUTTON_LEFT));
    session_frame(s);
    input_install_mouse(true, 0);
    testing::internal::CaptureStdout();
    key(SDLK_u);
    session_frame(s);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "saved\n");

    std::string play = read_file("levels/new/0.lvl");
    EXPECT_EQ(play, grid_to_text(s.world.play_grid));
    EXPECT_EQ(play, "[ 29] \n[ 7]H[ 21] \n[ 5]ii[ 22] \n[ 29] \n[a10] [a18]a\n");
    EXPECT_EQ(read_file("levels/new/1.lvl"), grid_to_text(s.world.decor_grid));
    session_end(s);
    input_install_mouse(false);
    input_install_keyboard(nullptr);
}

TEST(Editor, AControllerMovesThePointerPaintsErasesPicksAndChooses) {
    Editing e;
    Pad& pad = e.controls.pad;
    pad.present = true;
    e.ed.pointer_x = 112;
    e.ed.pointer_y = 600 - 3 * 25 - 12;  // over the cell (3, 4)
    pad.axes[SDL_CONTROLLER_AXIS_LEFTX] = 1.0;
    e.frame();
    EXPECT_EQ(e.ed.pointer_x, 112 + 14);         // a full push moves 14 pixels a frame
    pad.axes[SDL_CONTROLLER_AXIS_LEFTX] = 0.15;  // inside the dead zone: still
    e.frame();
    EXPECT_EQ(e.ed.pointer_x, 126);
    pad.axes[SDL_CONTROLLER_AXIS_LEFTX] = 0;

    e.ed.brush0 = 'g';
    pad.buttons[SDL_CONTROLLER_BUTTON_A] = true;  // A paints
    e.frame();
    EXPECT_EQ(e.play(3, 5), 'g');
    pad.buttons[SDL_CONTROLLER_BUTTON_A] = false;
    e.ed.brush0 = 'k';
    pad.buttons[SDL_CONTROLLER_BUTTON_X] = true;  // X picks
    e.frame();
    EXPECT_EQ(e.ed.brush0, 'g');
    pad.buttons[SDL_CONTROLLER_BUTTON_X] = false;
    pad.buttons[SDL_CONTROLLER_BUTTON_B] = true;  // B erases
    e.frame();
    EXPECT_EQ(e.play(3, 5), ' ');
    pad.buttons[SDL_CONTROLLER_BUTTON_B] = false;

    // The shoulders scroll the dock one step per press; Y chooses the slot under the pointer.
    pad.buttons[SDL_CONTROLLER_BUTTON_RIGHTSHOULDER] = true;
    e.frame();
    e.frame();
    EXPECT_EQ(e.ed.dock_scroll_target, 300);
    pad.buttons[SDL_CONTROLLER_BUTTON_RIGHTSHOULDER] = false;
    e.frame();
    pad.buttons[SDL_CONTROLLER_BUTTON_LEFTSHOULDER] = true;
    e.frame();
    EXPECT_EQ(e.ed.dock_scroll_target, 0);
    pad.buttons[SDL_CONTROLLER_BUTTON_LEFTSHOULDER] = false;
    for (int i = 0; i < 40; ++i) e.frame();  // the dock comes to rest
    e.ed.pointer_x = 2 * 60 + 15;            // slot 2: block 'c'
    e.ed.pointer_y = 30;
    pad.buttons[SDL_CONTROLLER_BUTTON_Y] = true;
    e.frame();
    EXPECT_EQ(e.ed.brush0, 'c');

    // Pushed against the window's edge, the stick flies the view.
    e.ed.pointer_x = 999;
    e.ed.pointer_y = 300;
    e.player.x = 5;
    pad.axes[SDL_CONTROLLER_AXIS_LEFTX] = 1.0;
    e.frame();
    EXPECT_NEAR(e.player.x, 5.8, 1e-12);
    EXPECT_EQ(e.ed.pointer_x, 999);
}
