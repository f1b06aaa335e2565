// The main menu: where its tiles sit, and how it is left without choosing a tile.
#include "menus/main_menu.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "app/draw.h"
#include "menus/widgets.h"
#include "support/harness.h"

namespace {
SDL_Event key(SDL_Keycode k) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = k;
    return e;
}

int menu_frames = 0;  // how many frames the last run_menu lasted

// Runs the whole menu, pushing one event a frame from the first frame on (Backspace after 600
// frames, the window's close after 700).
int run_menu(int previous, std::vector<SDL_Event> events) {
    int& frames = menu_frames;
    frames = 0;
    set_frame_hook([&] {
        ++frames;
        if (static_cast<size_t>(frames) <= events.size()) SDL_PushEvent(&events[frames - 1]);
        if (frames == 600) {  // a menu that missed its way out goes back to the title
            SDL_Event back = key(SDLK_BACKSPACE);
            SDL_PushEvent(&back);
        }
        if (frames == 700) {  // nor found its way out of the settings menu: the window closes
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        }
    });
    int result = main_menu(previous);
    set_frame_hook(nullptr);
    return result;
}
}  // namespace

// On a 1920 × 1080 window "Story" is 640 × 360 centred at (618, 344), "Settings" 295 × 154 at
// (1131, 638): drawn at rest, the pictures land there.
TEST(MainMenu, TilesOnAFullHdWindow) {
    TestDisplay display(1920, 1080);
    MainMenuArt art;
    art.pictures[tile_story - 1] = solid_texture(8, 8, {255, 0, 0, 255});
    art.pictures[tile_settings - 1] = solid_texture(8, 8, {0, 255, 0, 255});
    MainMenu m = main_menu_open(0);
    m.overlay = 0;
    clear_black();
    main_menu_draw(m, art);
    // Pictures at rest are drawn at brightness 150.
    EXPECT_RECT(find_colour({150, 0, 0, 255}), 618 - 320, 344 - 180, 640, 360);
    EXPECT_RECT(find_colour({0, 150, 0, 255}), 1131 - 147, 638 - 77, 295, 154);
}

// A point on a tile's lower edge misses it; a point just inside hits it and, once clicked,
// chooses it.
TEST(MainMenu, ClickInsideTheStoryTileChoosesIt) {
    TestDisplay display(1920, 1080);
    MainMenu m = main_menu_open(0);
    Controls c;
    SDL_Event motion{}, click{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 618;
    motion.motion.y = 344 + 180;
    click.type = SDL_MOUSEBUTTONDOWN;
    c.events = {motion, click};
    main_menu_update(m, c, nullptr, {});
    EXPECT_FALSE(m.chosen[tile_story - 1]);
    c.events[0].motion.y = 344 + 179;
    main_menu_update(m, c, nullptr, {});
    EXPECT_TRUE(m.chosen[tile_story - 1]);
    EXPECT_EQ(main_menu_result(m), tile_story);
}

// "Creations" (centred at (1302, 344) on a 1920 × 1080 window) and "Multiplayer" (at (618, 736))
// hover, grow by a twentieth and are chosen like "Story", and zoom back into place.
TEST(MainMenu, CreationsAndMultiplayerAnswerLikeStory) {
    TestDisplay display(1920, 1080);
    for (auto [tile, x, y] :
         {std::tuple{tile_creations, 1302, 344}, std::tuple{tile_multiplayer, 618, 736}}) {
        MainMenu m = main_menu_open(0);
        Controls c;
        SDL_Event motion{}, click{};
        motion.type = SDL_MOUSEMOTION;
        motion.motion.x = x;
        motion.motion.y = y;
        click.type = SDL_MOUSEBUTTONDOWN;
        c.events = {motion};
        for (int i = 0; i < 60; ++i) main_menu_update(m, c, nullptr, {});
        EXPECT_NEAR(tile_growth(m, tile), 1.05, 1e-6);
        EXPECT_EQ(tile_growth(m, tile_story), 1.0);
        EXPECT_EQ(main_menu_result(m), menu_code_quit);
        c.events = {click};
        main_menu_update(m, c, nullptr, {});
        EXPECT_EQ(main_menu_result(m), tile);
        // The menu comes back from it with its picture zooming back into place.
        MainMenu back = main_menu_open(tile);
        EXPECT_EQ(back.zoom[tile - 1], 0.0);
        EXPECT_TRUE(back.returning[tile - 1]);
    }
}

TEST(MainMenu, BackspaceGoesBackToTheTitle) {
    Sandbox sandbox;
    TestDisplay display;
    EXPECT_EQ(run_menu(0, {key(SDLK_BACKSPACE)}), menu_code_title);
}

// Escape opens the settings menu; its "Exit" confirmed leaves the menu with 0.
TEST(MainMenu, EscapeThenExitQuits) {
    Sandbox sandbox;
    TestDisplay display;
    EXPECT_EQ(run_menu(0, {key(SDLK_ESCAPE), key(SDLK_DOWN), key(SDLK_RETURN), key(SDLK_DOWN),
                           key(SDLK_RETURN)}),
              menu_code_quit);
}

// Escape then "Resume" keeps the menu; Backspace afterwards still reaches the title.
TEST(MainMenu, EscapeThenResumeStays) {
    Sandbox sandbox;
    TestDisplay display;
    SDL_Event nothing{};
    nothing.type = SDL_USEREVENT;
    std::vector<SDL_Event> events{key(SDLK_ESCAPE), key(SDLK_ESCAPE)};
    events.insert(events.end(), 60, nothing);  // the settings menu fades out meanwhile
    events.push_back(key(SDLK_BACKSPACE));
    EXPECT_EQ(run_menu(0, events), menu_code_title);
}

// Closing the window quits the menu while it opens and while a chosen tile zooms up.
TEST(MainMenu, ClosingWhileOpeningOrZoomingQuits) {
    Sandbox sandbox;
    TestDisplay display;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_EQ(run_menu(0, {}), menu_code_quit);

    MenuTile story = main_menu_tile(tile_story, 1000, 600);
    SDL_Event motion{}, click{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 500 + story.dx;
    motion.motion.y = 300 + story.dy;
    click.type = SDL_MOUSEBUTTONDOWN;
    EXPECT_EQ(run_menu(0, {motion, click}), tile_story);  // the zoom runs to its end
    EXPECT_EQ(run_menu(0, {motion, click, quit}), menu_code_quit);
}

namespace {
SDL_Event pad_button(SDL_GameControllerButton b) {
    SDL_Event e{};
    e.type = SDL_CONTROLLERBUTTONDOWN;
    e.cbutton.button = static_cast<Uint8>(b);
    return e;
}

SDL_Event pad_stick(SDL_GameControllerAxis axis, Sint16 value) {
    SDL_Event e{};
    e.type = SDL_CONTROLLERAXISMOTION;
    e.caxis.axis = static_cast<Uint8>(axis);
    e.caxis.value = value;
    return e;
}

// One frame with these events, then `frames` − 1 quiet ones for the hover to settle.
void frames_with(MainMenu& m, std::vector<SDL_Event> events, int frames = 40) {
    Controls c;
    c.events = std::move(events);
    main_menu_update(m, c, nullptr, {});
    c.events.clear();
    for (int i = 1; i < frames; ++i) main_menu_update(m, c, nullptr, {});
}
}  // namespace

// Without a mouse the menu is played with the arrows: the first press shows the highlight on
// "Story", which grows as under the pointer; Right takes it to "Creations"; the mouse moving
// takes the lead back; Return chooses the highlighted tile.
TEST(MainMenu, ArrowKeysMoveAHighlightAndReturnChooses) {
    TestDisplay display(800, 600);
    MainMenu m = main_menu_open(0);
    frames_with(m, {key(SDLK_DOWN)});
    EXPECT_NEAR(tile_growth(m, tile_story), 1.05, 1e-3);
    frames_with(m, {key(SDLK_RIGHT)});
    EXPECT_NEAR(tile_growth(m, tile_creations), 1.05, 1e-3);
    EXPECT_NEAR(tile_growth(m, tile_story), 1.0, 1e-3);
    frames_with(m, {key(SDLK_DOWN)});  // down to the small tiles below
    int below = 0;
    for (int k : {tile_settings, tile_credits})
        if (tile_growth(m, k) > 1.09) below = k;
    EXPECT_NE(below, 0);
    EXPECT_NEAR(tile_growth(m, tile_creations), 1.0, 1e-3);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;  // the pointer onto "Close"
    MenuTile close = main_menu_tile(tile_close, 800, 600);
    motion.motion.x = 400 + close.dx;
    motion.motion.y = 300 + close.dy;
    frames_with(m, {motion});
    EXPECT_NEAR(tile_growth(m, tile_close), 1.1, 1e-3);
    EXPECT_NEAR(tile_growth(m, below), 1.0, 1e-3);
    frames_with(m, {key(SDLK_UP)});  // the keys start again from the tile under the pointer
    EXPECT_NEAR(tile_growth(m, tile_close), 1.1, 1e-3);
    // Up to "Settings", up to "Creations", left to "Story" (left of "Settings" is "Multiplayer").
    frames_with(m, {key(SDLK_UP), key(SDLK_UP), key(SDLK_LEFT), key(SDLK_RETURN)}, 1);
    EXPECT_EQ(main_menu_result(m), tile_story);

    // A tile once chosen is the one that opens: clicked where the pointer stands while the keys
    // had taken the highlight to "Story", "Creations" zooms, and Return then does not choose
    // "Story" too.
    MainMenu again = main_menu_open(0);
    MenuTile creations = main_menu_tile(tile_creations, 800, 600);
    motion.motion.x = 400 + creations.dx;
    motion.motion.y = 300 + creations.dy;
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    frames_with(again, {motion, key(SDLK_DOWN), key(SDLK_LEFT), click, key(SDLK_RETURN)});
    EXPECT_EQ(main_menu_result(again), tile_creations);

    // Return held down (its key repeats) shows the highlight and chooses nothing; the pointer's
    // click then chooses.
    MainMenu held = main_menu_open(0);
    SDL_Event repeat = key(SDLK_RETURN);
    repeat.key.repeat = 1;
    frames_with(held, {key(SDLK_RETURN), repeat, repeat});
    EXPECT_EQ(main_menu_result(held), menu_code_quit);  // nothing chosen, the menu still open
    frames_with(held, {motion, click});
    EXPECT_EQ(main_menu_result(held), tile_creations);
}

// The same with a controller, through the whole menu: the stick counts once per push, the d-pad
// moves too, A chooses; Start opens the settings menu, whose B from its main column closes it,
// and B in the menu goes back to the title.
TEST(MainMenu, ControllerMovesTheHighlightAndChooses) {
    Sandbox sandbox;
    TestDisplay display(800, 600);
    SDL_Event centre = pad_stick(SDL_CONTROLLER_AXIS_LEFTX, 0);
    SDL_Event right = pad_stick(SDL_CONTROLLER_AXIS_LEFTX, 30000);
    // Pushed, held (no second step), let go, pushed again: "Story" shown, then "Creations".
    EXPECT_EQ(run_menu(0, {right, pad_stick(SDL_CONTROLLER_AXIS_LEFTX, 32000), centre, right,
                           pad_button(SDL_CONTROLLER_BUTTON_A)}),
              tile_creations);
    EXPECT_EQ(run_menu(0, {pad_button(SDL_CONTROLLER_BUTTON_DPAD_DOWN),
                           pad_button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
                           pad_button(SDL_CONTROLLER_BUTTON_DPAD_LEFT),
                           pad_button(SDL_CONTROLLER_BUTTON_A)}),
              tile_story);
    SDL_Event nothing{};
    nothing.type = SDL_USEREVENT;
    std::vector<SDL_Event> events{pad_button(SDL_CONTROLLER_BUTTON_START),
                                  pad_button(SDL_CONTROLLER_BUTTON_B)};
    events.insert(events.end(), 60, nothing);  // the settings menu fades out meanwhile
    events.push_back(pad_button(SDL_CONTROLLER_BUTTON_B));
    EXPECT_EQ(run_menu(0, events), menu_code_title);
    EXPECT_LT(menu_frames, 100);  // B itself, not the test's way out after 600 frames
}

// On the smallest window, 800 × 600, every caption is drawn inside its tile, at rest and at full
// hover: "Multiplayer" at its size would be wider than its tile.
TEST(MainMenu, CaptionsFitTheirTilesOnTheSmallestWindow) {
    Sandbox sandbox;
    TestDisplay display(800, 600);
    MainMenuArt all = main_menu_art();
    for (double hover : {0.0, 1.0}) {
        for (int k = 1; k <= menu_tiles; ++k) {
            SCOPED_TRACE(k);
            MainMenuArt one;  // this caption alone
            one.captions[k - 1] = std::move(all.captions[k - 1]);
            MainMenu m = main_menu_open(0);
            m.hover.fill(hover);
            clear_black();
            main_menu_draw(m, one);
            all.captions[k - 1] = std::move(one.captions[k - 1]);
            SDL_Rect text = find_lit();
            MenuTile p = main_menu_tile(k, 800, 600);
            SDL_Rect tile = menu_tile_rect(p.dx, p.dy, p.w, p.h, tile_growth(m, k), 1);
            ASSERT_GT(text.w, 0);
            EXPECT_GE(text.x, tile.x);
            EXPECT_LE(text.x + text.w, tile.x + tile.w);
            EXPECT_GE(text.y, tile.y);
            EXPECT_LE(text.y + text.h, tile.y + tile.h);
        }
    }
}

// The credits picture gives way to a controller's button as to a key or a click.
TEST(MainMenu, CreditsEndOnAControllerPress) {
    Sandbox sandbox;
    TestDisplay display;
    int frames = 0;
    set_frame_hook([&] {
        SDL_Event e{};
        if (++frames == 3) {
            e.type = SDL_CONTROLLERBUTTONDOWN;
            e.cbutton.button = SDL_CONTROLLER_BUTTON_B;
        } else if (frames == 10) {
            e.type = SDL_QUIT;  // a wait the press did not end ends with the window
        } else {
            return;
        }
        SDL_PushEvent(&e);
    });
    EXPECT_TRUE(credits_wait());
    set_frame_hook(nullptr);
    EXPECT_EQ(frames, 4);
}
