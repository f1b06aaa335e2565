// The Creations screen driven as an author drives it, with keys, clicks, typed text and a
// controller injected frame by frame on the virtual clock.
#include "menus/creations.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <utility>
#include <vector>

#include "app/draw.h"
#include "support/harness.h"

namespace fs = std::filesystem;

namespace {
SDL_Event key(SDL_Keycode k) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = k;
    return e;
}

SDL_Event pad(Uint8 button) {
    SDL_Event e{};
    e.type = SDL_CONTROLLERBUTTONDOWN;
    e.cbutton.button = button;
    return e;
}

SDL_Event stick(Uint8 axis, Sint16 value) {
    SDL_Event e{};
    e.type = SDL_CONTROLLERAXISMOTION;
    e.caxis.axis = axis;
    e.caxis.value = value;
    return e;
}

SDL_Event typed(const char* text) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, text, sizeof e.text.text - 1);
    return e;
}

SDL_Event click(const SDL_Rect& r) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = r.x + r.w / 2;
    e.button.y = r.y + r.h / 2;
    return e;
}

// Runs the screen, pushing one event every third frame, and what it chose.
CreationsChoice run(bool from_menu, std::vector<SDL_Event> events) {
    int frame = 0;
    set_frame_hook([&] {
        ++frame;
        size_t i = static_cast<size_t>(frame / 3);
        if (frame % 3 == 0 && i <= events.size() && i > 0) SDL_PushEvent(&events[i - 1]);
        if (frame == 3000) {  // a screen that missed its way out is closed
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        }
    });
    CreationsChoice c = creations_screen(from_menu);
    set_frame_hook(nullptr);
    return c;
}

std::map<std::string, std::string> files_of(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder))
        files[e.path().filename().string()] = read_file(e.path().string());
    return files;
}

// "alpha" is ready; "beta" has a rail alone at column 5, row 2.
void write_levels() {
    for (const char* name : {"alpha", "beta"}) {
        std::string folder = std::string("levels/") + name;
        write_file(folder + "/0.lvl", "\n\n\n\n\n\n\n[a60]\n");
        write_file(folder + "/config.ini",
                   "titre=T\ncreateur=Moi\nfond=1\nmusique=prairie.ogg\ntheme=base\n");
    }
    write_file("levels/alpha/1.lvl", "\n\n\n\n\n\n  A\n     B\n");
    write_file("levels/beta/1.lvl", "\n\n\n\n\n     .\n  A\n     B\n");
}
}  // namespace

TEST(Creations, KeysClicksTypingAndAController) {
    Sandbox sandbox;
    TestDisplay display;
    write_levels();
    creations_last_level.clear();

    // Keys: down to "beta", right to "Check", and the finding opens the editor on its cell.
    CreationsChoice c = run(true, {key(SDLK_DOWN), key(SDLK_DOWN), key(SDLK_RIGHT), key(SDLK_RIGHT),
                                   key(SDLK_RETURN), key(SDLK_RETURN)});
    EXPECT_EQ(creations_choice_words(c), "edit beta at 5,2");

    // A controller: right three times (the stick pushed and let go, twice the pad) to
    // "Duplicate", A; then the name is typed (a blank is refused as it is typed, and erased) and
    // Return duplicates "beta" as "beta_two".
    const Uint8 right = SDL_CONTROLLER_BUTTON_DPAD_RIGHT, across = SDL_CONTROLLER_AXIS_LEFTX;
    c = run(false, {stick(across, 30000), stick(across, 25000), stick(across, 0), pad(right),
                    pad(right), pad(SDL_CONTROLLER_BUTTON_A), key(SDLK_BACKSPACE),
                    key(SDLK_BACKSPACE), key(SDLK_BACKSPACE), key(SDLK_BACKSPACE), typed("t w"),
                    key(SDLK_RETURN), key(SDLK_BACKSPACE), key(SDLK_BACKSPACE), typed("wo"),
                    key(SDLK_RETURN), pad(SDL_CONTROLLER_BUTTON_B)});
    EXPECT_EQ(c.exit, CreationsExit::back);
    ASSERT_TRUE(fs::exists("levels/beta_two"));
    EXPECT_EQ(files_of("levels/beta_two"), files_of("levels/beta"));

    // Clicks: "Delete" on the highlighted level ("beta_two", the last one made), "Delete" in
    // the dialog. Then, the screen opened again: down to the deleted level, Return restores it,
    // and a click on "alpha" and on "Play" plays it.
    Creations probe = creations_open("alpha", false);
    CreationsLayout at = creations_layout(probe);
    SDL_Rect alpha_row{at.list.x + 20, at.list.y + 6 + at.row_height + at.row_height / 2, 10, 1};
    const std::map<std::string, std::string> before = files_of("levels/beta_two");
    c = run(false, {click(at.buttons[5]), click(at.dialog_buttons[1]), key(SDLK_ESCAPE)});
    EXPECT_EQ(c.exit, CreationsExit::back);
    EXPECT_FALSE(fs::exists("levels/beta_two"));
    ASSERT_EQ(trashed_levels().size(), 1u);
    c = run(false, {key(SDLK_DOWN), key(SDLK_DOWN), key(SDLK_DOWN), key(SDLK_RETURN),
                    click(alpha_row), click(at.buttons[0])});
    EXPECT_EQ(creations_choice_words(c), "play alpha");
    EXPECT_TRUE(trashed_levels().empty());
    EXPECT_EQ(files_of("levels/beta_two"), before);
}

// The new-level form: the name typed over the offered one, the second theme, the second size;
// "Create" makes the level, keeps the author's name and opens it in the editor.
TEST(Creations, NewLevelFormMakesTheLevelAndOpensTheEditor) {
    Sandbox sandbox;
    TestDisplay display;
    write_levels();
    creations_last_level.clear();
    std::vector<SDL_Event> events{key(SDLK_UP), key(SDLK_UP), key(SDLK_RETURN)};
    for (int i = 0; i < 9; ++i) events.push_back(key(SDLK_BACKSPACE));  // "new_level"
    events.push_back(typed("mon_niveau"));
    events.push_back(key(SDLK_DOWN));
    events.push_back(key(SDLK_DOWN));
    events.push_back(typed("Lou"));
    events.push_back(key(SDLK_DOWN));
    events.push_back(key(SDLK_RIGHT));  // the second theme
    for (int i = 0; i < 3; ++i) events.push_back(key(SDLK_DOWN));
    events.push_back(key(SDLK_RIGHT));   // the second size
    events.push_back(key(SDLK_RETURN));  // to the buttons
    events.push_back(key(SDLK_RETURN));  // "Create"
    CreationsChoice c = run(true, events);
    EXPECT_EQ(creations_choice_words(c), "edit mon_niveau");
    LevelReport r = check_level("levels/mon_niveau");
    EXPECT_TRUE(r.ready()) << report_text(r);
    EXPECT_EQ(r.theme, theme_names()[1]);
    EXPECT_EQ(r.createur, "Lou");
    EXPECT_EQ(r.layers.width, level_sizes()[1].width);
    EXPECT_EQ(r.layers.height, level_sizes()[1].height);
    EXPECT_EQ(read_author(), "Lou");
}
