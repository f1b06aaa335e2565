// Teleport doors: which door leads where, the fade out and in with the player placed at full
// black and the enemies gone, and where the doors, their channels and the veil are drawn.
#include "levelend/doors.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include "app/draw.h"
#include "session/level_files.h"
#include "support/harness.h"

namespace {
DoorSet doors_of(const std::string& file) {
    DoorSet d;
    d.doors = parse_doors_text(file);
    return d;
}

// A player standing in front of the middle cell of the door whose lower-left cell is (x, y).
Player before_door(int x, int y) {
    Player p;
    p.x = x + 1;
    p.y = y;
    return p;
}

PlayerInput down() {
    PlayerInput in;
    in.down_pressed = 1;
    return in;
}

using Place = std::pair<double, double>;

// Presses Down at the player's place and runs the whole teleport; where the player comes out.
Place go_through(DoorSet& d, Player p, Enemies& enemies) {
    doors_update(d, p, down(), enemies, nullptr);
    for (int i = 0; i < 100 && teleporting(d); ++i)
        doors_update(d, p, PlayerInput{}, enemies, nullptr);
    return {p.x, p.y};
}

Place go_through(DoorSet& d, Player p) {
    Enemies none;
    return go_through(d, p, none);
}
}  // namespace

TEST(DoorPairs, FirstPartnerInTableOrderAndHiddenDoorsAreArrivalsOnly) {
    DoorSet d = doors_of("[10|2|2]\n[20|2|2]\n[30|2|2]\n\\[40|2|5]\n[50|2|5]\n[60|2|7]\n");
    EXPECT_EQ(go_through(d, before_door(10, 2)), Place(21, 2));
    EXPECT_EQ(go_through(d, before_door(20, 2)), Place(11, 2));
    // The third door of a channel leads to the first, but no door leads to it.
    EXPECT_EQ(go_through(d, before_door(30, 2)), Place(11, 2));
    // A hidden door is reached, but cannot be entered.
    EXPECT_EQ(go_through(d, before_door(50, 2)), Place(41, 2));
    Enemies none;
    Player p = before_door(40, 2);
    doors_update(d, p, down(), none, nullptr);
    EXPECT_FALSE(teleporting(d));
    // A door without partner leads back into itself.
    EXPECT_EQ(go_through(d, before_door(60, 2)), Place(61, 2));
}

TEST(DoorPairs, InFrontOfTheMiddleCellAndTheLaterDoorWins) {
    DoorSet d = doors_of("[10|2|1]\n[30|2|1]\n");
    Enemies none;
    struct Case {
        double x, y;
        bool enters;
    };
    // The player (1 × 2) overlaps column 11 strictly, and its feet are at most at row 4.
    for (Case c :
         {Case{10.01, 2, true}, Case{10, 2, false}, Case{11.99, 2, true}, Case{12, 2, false},
          Case{11, 1, true}, Case{11, 0.99, false}, Case{11, 4, true}, Case{11, 4.01, false}}) {
        d.teleport_state = teleport_idle;
        Player p;
        p.x = c.x;
        p.y = c.y;
        doors_update(d, p, down(), none, nullptr);
        EXPECT_EQ(teleporting(d), c.enters) << c.x << ", " << c.y;
    }
    // Only Down opens a door.
    d.teleport_state = teleport_idle;
    Player p = before_door(10, 2);
    doors_update(d, p, PlayerInput{}, none, nullptr);
    EXPECT_FALSE(teleporting(d));

    // Two doors side by side: a player touching both goes through the later one in the table.
    d = doors_of("[10|2|1]\n[11|2|2]\n[40|2|1]\n[50|2|2]\n");
    Player both;
    both.x = 11.5;
    both.y = 2;
    EXPECT_EQ(go_through(d, both), Place(51, 2));
}

TEST(DoorTeleport, TwentyFramesEachWayEnemiesGoneAndDownIgnoredMeanwhile) {
    TestDisplay display;
    ChunkPtr sound = silent_chunk();
    DoorSounds sounds;
    sounds.teleport = std::move(sound);
    DoorSet d = doors_of("[10|2|3]\n[70|8|3]\n[90|2|4]\n");
    Player p = before_door(10, 2);
    p.vx = 5;
    p.vy = -3;
    Enemies enemies;
    enemies.list.resize(3);
    doors_update(d, p, down(), enemies, &sounds);
    ASSERT_EQ(d.teleport_state, teleport_fading_out);
    EXPECT_EQ(d.fade_alpha, 0);

    int frames = 0;
    while (d.teleport_state == teleport_fading_out && frames < 100) {
        // Down again, in front of another door, while fading changes nothing: the target stays.
        Player elsewhere = before_door(90, 2);
        if (frames == 3) {
            doors_update(d, elsewhere, down(), enemies, &sounds);
        } else {
            doors_update(d, p, PlayerInput{}, enemies, &sounds);
        }
        ++frames;
        if (d.teleport_state == teleport_fading_out) {
            EXPECT_EQ(p.x, 11);
            EXPECT_EQ(enemies.list.size(), 3u);
            EXPECT_FALSE(sound_played());
        }
    }
    EXPECT_EQ(frames, 20);
    EXPECT_EQ(d.fade_alpha, 255);
    EXPECT_EQ(p.x, 71);
    EXPECT_EQ(p.y, 8);
    EXPECT_EQ(p.vx, 0);
    EXPECT_EQ(p.vy, 0);
    EXPECT_TRUE(enemies.list.empty());
    EXPECT_TRUE(sound_played());
    EXPECT_TRUE(teleport_arriving(d));

    frames = 0;
    while (teleporting(d) && frames < 100) {
        doors_update(d, p, down(), enemies, &sounds);
        ++frames;
    }
    EXPECT_EQ(frames, 20);
    EXPECT_EQ(d.fade_alpha, 0);
    EXPECT_EQ(p.x, 71);

    // Into the same door, too, the enemies are gone.
    DoorSet alone = doors_of("[10|2|3]\n");
    enemies.list.resize(2);
    EXPECT_EQ(go_through(alone, before_door(10, 2), enemies), Place(11, 2));
    EXPECT_TRUE(enemies.list.empty());
}

TEST(DoorDraw, ArchRingsAndLabelsFillTheDoorsCells) {
    TestDisplay display(1000, 600);  // cells of 25 pixels
    constexpr SDL_Color red{255, 0, 0, 255}, green{0, 255, 0, 255};
    DoorSet d = doors_of("[10|2|3]\n\\[20|2|1]\n");
    DoorArt art;
    art.base = solid_texture(8, 8, red);
    art.labels.push_back(solid_texture(4, 4, green));
    art.labels.push_back(solid_texture(4, 4, green));
    doors_draw(d, art, 8, 1, false);
    // The door's lower-left cell (10, 2) is (2, 1) in view: 3 × 3 cells up from there.
    EXPECT_RECT(find_colour(red), 50, 500, 75, 75);
    EXPECT_EQ(find_colour(green).w, 0);  // the channel shows in the editor only
    doors_draw(d, art, 8, 1, true);
    EXPECT_RECT(find_colour(green), 75, 525, 25, 25);
    EXPECT_RECT(find_colour(red), 50, 500, 75, 75);  // the hidden door is not drawn

    // The ring takes its channel's colour; both rings turn about the door's centre.
    clear_black();
    art = DoorArt{};
    art.center = solid_texture(8, 8, {255, 255, 255, 255});
    d.spin_degrees = 0;
    doors_draw(d, art, 8, 1, false);
    EXPECT_RECT(find_colour(door_channel_colour(3)), 50, 500, 75, 75);
    clear_black();
    art.center2 = solid_texture(8, 8, green);
    d.spin_degrees = 45;
    doors_draw(d, art, 8, 1, false);
    SDL_Rect turned = find_colour(green);
    EXPECT_NEAR(turned.x + turned.w / 2.0, 87.5, 1);
    EXPECT_NEAR(turned.y + turned.h / 2.0, 537.5, 1);
    EXPECT_GT(turned.w, 100);  // a square turned by 45 degrees is wider
}

TEST(DoorDraw, TheVeilIsAsDarkAsTheFade) {
    TestDisplay display(200, 120);
    DoorArt art;
    DoorSounds sounds;
    doors_load_art(art, sounds);
    DoorSet d;
    for (auto [fade, grey] : {std::pair{0.0, 255}, {255.0, 0}, {127.6, 127}}) {
        SDL_SetRenderDrawColor(game_renderer, 255, 255, 255, 255);
        SDL_RenderClear(game_renderer);
        d.fade_alpha = fade;
        doors_draw_veil(d, art);
        EXPECT_NEAR(read_pixel(199, 119).r, grey, 1) << fade;
    }
}

TEST(DoorDraw, ALevelsDoorsInTheEditor) {
    Sandbox sandbox;
    TestDisplay display(1000, 600);
    write_file("levels/l/portals.lvl",
               "[1|2|0]\n[5|2|1]\n[9|2|2]\n[13|2|3]\n[17|2|4]\n[21|2|9]\n\\[25|2|0]\n");
    DoorSet d;
    DoorArt art;
    DoorSounds sounds;
    doors_load_art(art, sounds);
    doors_reset(d);
    d.teleport_state = teleport_fading_in;
    d.fade_alpha = 100;
    grid_width = 40;  // a level of one screen, every door in it
    grid_height = 24;
    doors_load(d, art, "l");
    ASSERT_EQ(d.doors.size(), 7u);
    ASSERT_EQ(art.labels.size(), 7u);
    EXPECT_EQ(d.teleport_state, teleport_fading_in);  // a reload leaves the teleport alone
    EXPECT_EQ(d.fade_alpha, 100);
    d.spin_degrees = 30;
    SDL_SetRenderDrawColor(game_renderer, 110, 195, 247, 255);
    SDL_RenderClear(game_renderer);
    doors_draw(d, art, 0, 0, true);
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, 1000, 600, 32, SDL_PIXELFORMAT_ARGB8888));
    SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, s->pixels, s->pitch);
    IMG_SavePNG(s.get(), "/tmp/mivo_doors.png");
}

// A blank line is no door (it made one at cell (0, 0) that could be seen and entered), and a door
// that does not stand wholly inside the level, which would send the player out of the world, is
// left out with a line naming it.
TEST(DoorLoad, BlankLinesAndDoorsOutsideTheLevelAreLeftOut) {
    Sandbox sandbox;
    write_file("levels/l/portals.lvl",
               "[2|1|0]\n\n[10|2|0]\r\n \t\r\n[18|1|1]\n[17|7|1]\n[-1|0|2]\n[5|8|2]\n\n");
    grid_width = 20;
    grid_height = 10;
    DoorSet d;
    DoorArt art;
    doors_reset(d);
    testing::internal::CaptureStdout();
    doors_load(d, art, "l");
    std::string out = testing::internal::GetCapturedStdout();
    std::vector<std::pair<int, int>> cells;
    for (const Door& door : d.doors) cells.emplace_back(door.x, door.y);
    EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{2, 1}, {10, 2}, {17, 7}}));
    EXPECT_EQ(art.labels.size(), 3u);
    EXPECT_EQ(out,
              "levels/l/portals.lvl: the door [18|1|1] does not stand inside the level (20 x 10 "
              "cells): left out.\n"
              "levels/l/portals.lvl: the door [-1|0|2] does not stand inside the level (20 x 10 "
              "cells): left out.\n"
              "levels/l/portals.lvl: the door [5|8|2] does not stand inside the level (20 x 10 "
              "cells): left out.\n");
    // Down at cell (0, 0) goes nowhere.
    Player p = before_door(0, 0);
    Enemies none;
    doors_update(d, p, down(), none, nullptr);
    EXPECT_FALSE(teleporting(d));
}
