// The session loop driven frame by frame with injected events on a virtual clock.
#include "session/session.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/clock.h"
#include "app/draw.h"
#include "app/input.h"
#include "session/level_files.h"
#include "support/harness.h"

namespace {
// A 20 × 8 level: a floor on row 0, the start marker on row 1 at column 3, a coin at column 8,
// the exit far right on row 0.
struct PlayedLevel {
    Sandbox sandbox;
    TestDisplay display;
    std::vector<Uint8> keys = std::vector<Uint8>(SDL_NUM_SCANCODES, 0);
    Session s;

    explicit PlayedLevel(const std::string& decor = "\n\n\n\n\n\n   A\n[ 19]B\n",
                         const std::string& play = "\n\n\n\n\n\n        H\n[a20]\n") {
        write_file("levels/t/0.lvl", play);
        write_file("levels/t/1.lvl", decor);
        write_file("levels/t/config.ini", "titre=Test\ntheme=base\n");
        input_install_keyboard(keys.data());
        session_start(s, "t");
    }
    ~PlayedLevel() {
        session_end(s);
        input_install_keyboard(nullptr);
    }
    void press(SDL_Keycode key) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = key;
        SDL_PushEvent(&e);
    }
};
}  // namespace

TEST(Session, FirstFrameRestartsTheLevelWithoutPhysics) {
    PlayedLevel lvl("\n\n   A\n\n\n\n\n[ 19]B\n");  // start in the air, at row 5
    EXPECT_EQ(lvl.s.player.alive, 0);
    session_frame(lvl.s);
    EXPECT_EQ(lvl.s.player.alive, 1);
    EXPECT_EQ(lvl.s.player.x, 3.0);
    EXPECT_EQ(lvl.s.player.y, 5.0);  // not fallen yet
    EXPECT_EQ(grid_width, 20);
    session_frame(lvl.s);  // gravity starts acting at the end of the first physics frame
    session_frame(lvl.s);
    EXPECT_LT(lvl.s.player.y, 5.0);
}

TEST(Session, ReloadRestoresTheLayersAndLeavesThePlayer) {
    PlayedLevel lvl;
    session_frame(lvl.s);
    grid_set(1, 8, lvl.s.world.play_grid, ' ');
    lvl.s.player.x = 5;
    lvl.s.player.power = 777;
    lvl.press(SDLK_r);
    session_frame(lvl.s);
    EXPECT_EQ(grid_get(1, 8, lvl.s.world.play_grid), 'H');
    EXPECT_EQ(lvl.s.player.x, 5.0);
    EXPECT_EQ(lvl.s.player.power, 787);
}

// U writes the level as its author made it: the platform lifted onto its rail, the coin taken
// and the block broken in play are all back in the files, with the editor's stroke; the
// "unsaved" mark follows the author's changes only, and undo gives back the author's cell.
TEST(Session, SaveWritesTheLevelAsItsAuthorMadeIt) {
    PlayedLevel lvl;
    write_file("levels/t/0.lvl", "\n\n\n\n   b[ 8]a\n\n        H\n[a20]\n");
    write_file("levels/t/1.lvl", "\n\n\n\n[ 11][.5]\n\n   A\n[ 19]B\n");
    const std::string play = read_file("levels/t/0.lvl"), decor = read_file("levels/t/1.lvl");
    session_frame(lvl.s);
    ASSERT_EQ(lvl.s.world.rails.list.size(), 1u);
    EXPECT_EQ(grid_get(3, 11, lvl.s.world.play_grid), ' ');  // lifted onto the rail
    lvl.keys[SDL_SCANCODE_RIGHT] = 1;
    for (int f = 0; f < 60 && grid_get(1, 8, lvl.s.world.play_grid) == 'H'; ++f)
        session_frame(lvl.s);
    lvl.keys[SDL_SCANCODE_RIGHT] = 0;
    EXPECT_EQ(grid_get(1, 8, lvl.s.world.play_grid), ' ');  // taken
    grid_set(3, 3, lvl.s.world.play_grid, ' ');             // broken from below
    lvl.press(SDLK_e);
    session_frame(lvl.s);
    EXPECT_FALSE(lvl.s.editor.unsaved);

    // A stroke over the taken coin's cell with a blank brush changes the authored cell.
    auto paint = [&](int row, int column) {
        double t = tile_size();
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = static_cast<int>((column - lvl.s.world.camera_x) * t + t / 2);
        e.motion.y = static_cast<int>(window_height - (row - lvl.s.world.camera_y) * t - t / 2);
        SDL_PushEvent(&e);
        input_install_mouse(true, SDL_BUTTON(SDL_BUTTON_RIGHT));
        session_frame(lvl.s);
        input_install_mouse(true, 0);
        session_frame(lvl.s);
    };
    paint(1, 8);
    EXPECT_TRUE(lvl.s.editor.unsaved);
    lvl.press(SDLK_BACKSPACE);  // undone: the coin is the author's again
    session_frame(lvl.s);
    EXPECT_FALSE(lvl.s.editor.unsaved);
    paint(0, 15);  // a hole in the floor
    EXPECT_TRUE(lvl.s.editor.unsaved);
    input_install_mouse(false);

    testing::internal::CaptureStdout();
    lvl.press(SDLK_u);
    session_frame(lvl.s);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "saved\n");
    EXPECT_FALSE(lvl.s.editor.unsaved);
    Grid authored = parse_grid_text(play, true);
    grid_set(0, 15, authored, ' ');
    EXPECT_EQ(read_file("levels/t/0.lvl"), grid_to_text(authored));
    EXPECT_EQ(read_file("levels/t/1.lvl"), grid_to_text(parse_grid_text(decor, false)));

    // R reads them back: the platform, the coin and the block are where the author put them.
    lvl.press(SDLK_r);
    session_frame(lvl.s);
    ASSERT_EQ(lvl.s.world.rails.list.size(), 1u);
    EXPECT_EQ(lvl.s.world.rails.list[0].cell_x, 12);
    EXPECT_EQ(grid_get(1, 8, lvl.s.world.play_grid), 'H');
    EXPECT_EQ(grid_get(3, 3, lvl.s.world.play_grid), 'b');
}

TEST(Session, KeyBRestartsAtTheStart) {
    PlayedLevel lvl;
    session_frame(lvl.s);
    lvl.s.player.x = 12;
    lvl.s.player.items_collected = 3;
    int respawns = lvl.s.player.respawns;
    lvl.press(SDLK_b);
    session_frame(lvl.s);
    EXPECT_EQ(lvl.s.player.x, 3.0);
    EXPECT_EQ(lvl.s.player.items_collected, 0);
    EXPECT_EQ(lvl.s.player.respawns, respawns + 2);  // the restart and the spawn
}

TEST(Session, HeldArrowsWalkAndShiftRuns) {
    PlayedLevel lvl;
    session_frame(lvl.s);
    lvl.keys[SDL_SCANCODE_RIGHT] = 1;
    session_frame(lvl.s);
    EXPECT_EQ(lvl.s.input.right, 0.8);
    EXPECT_GT(lvl.s.player.x, 3.0);
    lvl.keys[SDL_SCANCODE_LSHIFT] = 1;
    session_frame(lvl.s);
    EXPECT_EQ(lvl.s.input.right, 1.0);
    lvl.keys[SDL_SCANCODE_RIGHT] = 0;
    lvl.keys[SDL_SCANCODE_A] = 1;
    session_frame(lvl.s);
    EXPECT_EQ(lvl.s.input.left, 1.0);
}

TEST(Session, WindowCloseAndEscapeEndTheSession) {
    PlayedLevel lvl;
    session_frame(lvl.s);
    lvl.press(SDLK_s);  // consumed, does nothing
    session_frame(lvl.s);
    EXPECT_TRUE(session_running_now(lvl.s));
    // Escape opens the pause menu over the frozen level; its "Exit" ends the session.
    std::vector<SDL_Keycode> menu_keys{SDLK_DOWN, SDLK_DOWN, SDLK_RETURN, SDLK_DOWN, SDLK_RETURN};
    size_t next = 0;
    set_frame_hook([&] {
        if (next < menu_keys.size()) push_key(menu_keys[next++]);
    });
    lvl.press(SDLK_ESCAPE);
    session_frame(lvl.s);
    set_frame_hook(nullptr);
    EXPECT_EQ(next, menu_keys.size());
    EXPECT_EQ(lvl.s.session_result, session_quit);

    // The same with a controller: Start pauses, the d-pad and A answer in the menu.
    PlayedLevel padded;
    session_frame(padded.s);
    std::vector<SDL_GameControllerButton> buttons{
        SDL_CONTROLLER_BUTTON_START,     SDL_CONTROLLER_BUTTON_DPAD_DOWN,
        SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_A,
        SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_A};
    next = 0;
    auto push_button = [&] {
        if (next >= buttons.size()) return;
        SDL_Event e{};
        e.type = SDL_CONTROLLERBUTTONDOWN;
        e.cbutton.button = static_cast<Uint8>(buttons[next++]);
        SDL_PushEvent(&e);
    };
    set_frame_hook(push_button);
    push_button();
    session_frame(padded.s);
    set_frame_hook(nullptr);
    EXPECT_EQ(next, buttons.size());
    EXPECT_EQ(padded.s.session_result, session_quit);

    PlayedLevel other;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    session_frame(other.s);
    EXPECT_FALSE(session_running_now(other.s));
    EXPECT_EQ(other.s.session_result, session_quit);
}

TEST(Session, UnreadableLevelFilesSendThePlayerBack) {
    PlayedLevel lvl;
    session_frame(lvl.s);
    std::remove("levels/t/1.lvl");
    testing::internal::CaptureStdout();
    lvl.press(SDLK_b);
    session_frame(lvl.s);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(lvl.s.session_result, session_back);
    EXPECT_NE(out.find("cannot be read"), std::string::npos);
}

TEST(Session, KeysBeforeTheLayersAreReadLeaveTheFilesAlone) {
    PlayedLevel lvl;
    const std::string play = read_file("levels/t/0.lvl"), decor = read_file("levels/t/1.lvl");
    // Pressed while the window opens: handled in the first frame's input step, before the
    // restart path has read the layers.
    testing::internal::CaptureStdout();
    lvl.press(SDLK_u);
    lvl.press(SDLK_r);
    lvl.press(SDLK_e);
    session_frame(lvl.s);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("nothing to save yet"), std::string::npos);
    EXPECT_EQ(out.find("saved"), std::string::npos);
    EXPECT_EQ(read_file("levels/t/0.lvl"), play);
    EXPECT_EQ(read_file("levels/t/1.lvl"), decor);
    // The editor is on, and the level was read all the same.
    EXPECT_TRUE(lvl.s.editor.active);
    EXPECT_EQ(grid_get(1, 8, lvl.s.world.play_grid), 'H');
    EXPECT_EQ(lvl.s.player.x, 3.0);

    // A second session of the same process starts with the first one's grid size but no
    // layers of its own: U before its first frame saves nothing either.
    PlayedLevel other;
    testing::internal::CaptureStdout();
    other.press(SDLK_u);
    session_frame(other.s);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("nothing to save yet"),
              std::string::npos);
    EXPECT_EQ(read_file("levels/t/0.lvl"), play);

    // Once read, U saves the layers.
    testing::internal::CaptureStdout();
    lvl.press(SDLK_u);
    session_frame(lvl.s);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "saved\n");
    EXPECT_EQ(read_file("levels/t/0.lvl"), grid_to_text(lvl.s.world.authored_play));
}

TEST(Session, AFailedReloadKeepsTheLevelOnScreenAndPlaysOn) {
    PlayedLevel lvl;
    session_frame(lvl.s);
    grid_set(3, 10, lvl.s.world.play_grid, 'b');
    std::remove("levels/t/1.lvl");
    testing::internal::CaptureStdout();
    lvl.press(SDLK_r);
    session_frame(lvl.s);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(session_running_now(lvl.s));
    EXPECT_EQ(grid_get(3, 10, lvl.s.world.play_grid), 'b');
    EXPECT_EQ(grid_width, 20);
    EXPECT_NE(out.find("levels/t/1.lvl cannot be read"), std::string::npos);
    EXPECT_NE(out.find("kept"), std::string::npos);

    // An empty play layer is no level: a restart cannot play it and sends the player back.
    write_file("levels/t/1.lvl", "");
    write_file("levels/t/0.lvl", "");
    testing::internal::CaptureStdout();
    lvl.press(SDLK_b);
    session_frame(lvl.s);
    out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(lvl.s.session_result, session_back);
    EXPECT_NE(out.find("levels/t/0.lvl holds no cells"), std::string::npos);
}

TEST(Session, DoubleTapOpensAWindowOf199Milliseconds) {
    clock_use_virtual(true, 1000);
    Session s;
    arrow_press(s, 1);
    EXPECT_EQ(s.input.dash_pressed, 0);
    clock_advance(199);
    arrow_press(s, 1);
    EXPECT_EQ(s.input.dash_pressed, 1);
    s.input.dash_pressed = 0;
    arrow_press(s, 1);  // the window was closed by the dash
    EXPECT_EQ(s.input.dash_pressed, 0);
    clock_advance(50);
    arrow_press(s, -1);  // the other way inside the window: nothing
    EXPECT_EQ(s.input.dash_pressed, 0);
    clock_advance(50);
    arrow_press(s, -1);  // same way again, still inside the first window
    EXPECT_EQ(s.input.dash_pressed, 1);
    s.input.dash_pressed = 0;
    clock_advance(200);
    arrow_press(s, -1);
    clock_advance(200);
    arrow_press(s, -1);  // 200 ms later: too slow
    EXPECT_EQ(s.input.dash_pressed, 0);
    clock_use_virtual(false);
}

TEST(Session, ControllerStickHasADeadZoneAndTheTriggerRuns) {
    EXPECT_EQ(controller_dead_zone(0.2), 0.0);
    EXPECT_EQ(controller_dead_zone(-0.15), 0.0);
    EXPECT_NEAR(controller_dead_zone(1.0), 1.0, 1e-12);
    EXPECT_NEAR(controller_dead_zone(-0.6), -0.5, 1e-12);

    Session s;
    apply_controller(s, -1.0, 0, 0, 0, 0);
    EXPECT_NEAR(s.input.left, 0.65, 1e-12);
    Session t;
    apply_controller(t, -1.0, 0, 1.0, 0, 0);
    EXPECT_NEAR(t.input.left, 1.0, 1e-12);
    Session u;
    apply_controller(u, 0.1, 0.5, 0, 1, 1);
    EXPECT_EQ(u.input.right, 0);  // inside the dead zone: the keyboard may drive
    EXPECT_EQ(u.input.down_pressed, 1);
    EXPECT_EQ(u.input.jump_pressed, 1);
    EXPECT_EQ(u.input.jump_held, 1);
    EXPECT_EQ(u.input.dash_pressed, 1);
    u.input = PlayerInput{};
    apply_controller(u, 0, 0, 0, 1, 1);  // held buttons: no new press
    EXPECT_EQ(u.input.jump_pressed, 0);
    EXPECT_EQ(u.input.jump_held, 1);
    EXPECT_EQ(u.input.dash_pressed, 0);
}

TEST(Session, TheEditorStandsTheGameStill) {
    PlayedLevel lvl("\n\n   A\n\n\n\n\n[ 19]B\n");  // start in the air
    session_frame(lvl.s);
    lvl.press(SDLK_e);
    session_frame(lvl.s);
    ASSERT_TRUE(lvl.s.editor.active);
    int time_left = lvl.s.player.time_left;
    lvl.s.player.y = -3;  // even below the level nobody dies while editing
    for (int i = 0; i < 10; ++i) session_frame(lvl.s);
    EXPECT_EQ(lvl.s.player.time_left, time_left);
    EXPECT_EQ(lvl.s.player.y, 0);  // the editor keeps the view anchor inside the level
    EXPECT_EQ(lvl.s.player.alive, 1);
    lvl.s.player.y = 5;
    lvl.press(SDLK_e);
    for (int i = 0; i < 3; ++i) session_frame(lvl.s);
    EXPECT_LT(lvl.s.player.y, 5.0);
    EXPECT_LT(lvl.s.player.time_left, time_left);
}

// A session started for editing: the editor is on from the first frame and the level's veil
// opens all the same; the view has the asked cell in its middle at once and stays there, and the
// cell is outlined in pink.
TEST(Session, EditStartsWithTheEditorOnAndTheViewOnTheCell) {
    Sandbox sandbox;
    TestDisplay display;  // 1000 × 600: cells of 25 pixels, 40 × 24 in view
    write_file("levels/wide/0.lvl", std::string(59, '\n') + "[a200]\n");
    write_file("levels/wide/1.lvl", std::string(58, '\n') + "   A[ 150]B\n");
    write_file("levels/wide/config.ini", "titre=Wide\ntheme=base\n");
    Session s;
    session_start(s, "wide", {true, true, 120, 30, "a note"});
    session_frame(s);
    EXPECT_TRUE(s.editor.active);
    EXPECT_EQ(s.world.camera_x, 100.0);
    EXPECT_EQ(s.world.camera_y, 18.0);
    for (int i = 0; i < 40; ++i) session_frame(s);
    EXPECT_EQ(s.world.camera_x, 100.0);
    EXPECT_EQ(s.world.camera_y, 18.0);
    EXPECT_LT(s.transition.intro_alpha, 10);
    s.transition.intro_alpha = 0;  // the open veil's last trace would tint every colour
    session_draw(s);
    // The cell's square is (500, 275) to (525, 300); the frame lies around it.
    SDL_Rect mark = find_colour({255, 93, 162, 255});
    EXPECT_EQ(mark.x + mark.w / 2, 512);
    EXPECT_EQ(mark.y + mark.h / 2, 287);
    EXPECT_GE(mark.w, 25 + 6);
    EXPECT_LE(mark.w, 25 + 18);
    s.session_result = session_back;
    session_end(s);
}

// Under the pause menu the level is drawn again from what its last update left, however long the
// menu stays open: the walking enemy, the turning coin, the bouncing spring, the exit's portal,
// the door's rings and the floating character all stand as the last frame showed them.
TEST(Session, DrawnAgainWithoutAnUpdateTheLevelStandsStill) {
    PlayedLevel lvl("\n\n\n\n\n\n   A\n[ 19]B\n", "\n\n\n\n\n\n        H G    0\n[a20]\n");
    write_file("levels/t/portals.lvl", "[12|1|2]\n");
    write_file("levels/t/caracters.lvl", "[5|3|1|2|2|pnj/fee.png|Hi]\n");
    for (int i = 0; i < 20; ++i) session_frame(lvl.s);
    ASSERT_EQ(lvl.s.enemies.list.size(), 1u);
    ASSERT_EQ(lvl.s.doors.doors.size(), 1u);
    auto drawn = [&] {
        clear_black();
        session_draw(lvl.s);
        std::vector<Uint32> px(static_cast<size_t>(window_width) * window_height);
        SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, px.data(),
                             window_width * 4);
        return px;
    };
    std::vector<Uint32> last = drawn();
    for (int ms : {30, 60, 90, 120, 1000}) {
        clock_advance(ms);
        EXPECT_TRUE(drawn() == last) << ms << " ms later";
    }
}
