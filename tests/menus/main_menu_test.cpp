// The main menu: where its tiles sit, and how it is left without choosing a tile.
#include "menus/main_menu.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "app/draw.h"
#include "support/harness.h"

namespace {
SDL_Event key(SDL_Keycode k) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = k;
    return e;
}

// Runs the whole menu, pushing one event a frame from the first frame on (Backspace after 600
// frames).
int run_menu(int previous, std::vector<SDL_Event> events) {
    int frames = 0;
    set_frame_hook([&] {
        ++frames;
        if (static_cast<size_t>(frames) <= events.size()) SDL_PushEvent(&events[frames - 1]);
        if (frames == 600) {  // a menu that missed its way out goes back to the title
            SDL_Event back = key(SDLK_BACKSPACE);
            SDL_PushEvent(&back);
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
