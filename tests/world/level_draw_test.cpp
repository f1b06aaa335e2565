// Where the level's cells land on screen, by pixels.
#include "world/level_draw.h"

#include <gtest/gtest.h>

#include "app/draw.h"
#include "editor/editor.h"
#include "session/level_files.h"
#include "support/harness.h"
#include "world/camera.h"

namespace {
const SDL_Color red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255};

World world_of(const std::string& play, const std::string& decor) {
    World w;
    w.play_grid = parse_grid_text(play, true);
    w.decor_grid = parse_grid_text(decor, false);
    return w;
}
}  // namespace

TEST(LevelDraw, CellsAndDecorationsLandWhereTheyShould) {
    TestDisplay display;
    ThemeTiles tiles;
    World w = world_of("\n\n\n\n[ 9]a\na\n", "\n\n  C\n\n\n\n");
    tiles['a' - 'a'] = solid_texture(10, 10, red);
    tiles[slot_first_decor + 'C' - 'A'] = solid_texture(80, 120, green);

    clear_black();
    draw_level(w, tiles, false);
    // The play cell at row 0, column 0 with the camera at (0, 0).
    SDL_Rect cells = find_colour(red);
    EXPECT_RECT(cells, 0, 550, 250, 50);  // the cells at (0, 0) and (1, 9)
    EXPECT_EQ(read_pixel(0, 575).r, 255);
    EXPECT_EQ(read_pixel(30, 580).r, 0);
    // An 80 × 120 decoration at cell (2, 3) grows up and right at 25/40 of its size.
    EXPECT_RECT(find_colour(green), 50, 450, 50, 75);

    // Moving the camera half a cell moves everything by half a cell.
    w.camera_x = 0.5;
    clear_black();
    draw_level(w, tiles, false);
    EXPECT_EQ(read_pixel(5, 580).r, 255);
    EXPECT_EQ(read_pixel(13, 580).r, 0);
}

TEST(LevelDraw, EditorOnlyCellsAndDarkenedBackgroundBlocks) {
    TestDisplay display;
    ThemeTiles tiles;
    World w = world_of("f0 \n", "b A\n");
    tiles['f' - 'a'] = solid_texture(4, 4, red);
    tiles['b' - 'a'] = solid_texture(4, 4, {200, 200, 200, 255});
    tiles[slot_first_enemy] = solid_texture(4, 4, blue);
    tiles[slot_first_decor] = solid_texture(4, 4, green);
    clear_black();
    draw_level(w, tiles, false);
    // Hidden block, start marker and spawn cell are not drawn in play.
    EXPECT_EQ(find_colour(red).w, 0);
    EXPECT_EQ(find_colour(blue).w, 0);
    EXPECT_EQ(find_colour(green).w, 0);
    // The background block is darkened to 150/255.
    SDL_Color dark = read_pixel(10, 590);
    EXPECT_EQ(dark.r, 200 * 150 / 255);
    clear_black();
    draw_level(w, tiles, true);
    EXPECT_EQ(find_colour(red).w, 25);
    EXPECT_EQ(find_colour(blue).w, 25);
    EXPECT_EQ(find_colour(green).w, 25);
}

TEST(LevelDraw, CoinsAndSpringsPulse) {
    TestDisplay display;
    ThemeTiles tiles;
    World w = world_of("HG\n", "\n");
    tiles[slot_coin] = solid_texture(4, 4, red);
    tiles[slot_spring] = solid_texture(4, 4, green);
    clear_black();
    draw_level(w, tiles, false);
    EXPECT_RECT(find_colour(red), 0, 575, 25, 25);  // a full square at time 0
    EXPECT_RECT(find_colour(green), 25, 600 - 25, 25, 25 / 2 + 600 / 48 + 0);
    w.clock_ms = 471;  // a quarter turn: the coin is edge-on
    clear_black();
    draw_level(w, tiles, false);
    EXPECT_LE(find_colour(red).w, 1);
    EXPECT_EQ(find_colour(green).h, 600 / 48);
}

TEST(LevelDraw, RailsAreJoinedOncePerNeighbour) {
    TestDisplay display;
    ThemeTiles tiles;
    // An L-shaped track: (row 4, column 5), (row 4, column 6) and (row 5, column 6).
    World w = world_of(std::string("[ 10]\n") + "[ 10]\n[ 10]\n[ 10]\n[ 10]\n[ 10]\n[ 10]\n",
                       "\n      .\n     ..\n\n\n\n\n");
    tiles[slot_rail_connector] = solid_texture(8, 2, red);
    auto red_near = [](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (read_pixel(x + dx, y + dy).r == 255) return true;
        return false;
    };
    clear_black();
    draw_level(w, tiles, false);
    // Connectors start at cell centres: (137, 487) for (4, 5) and (162, 462) for (5, 6).
    EXPECT_TRUE(red_near(150, 487));   // right from (4, 5)
    EXPECT_TRUE(red_near(146, 478));   // up-right from (4, 5)
    EXPECT_TRUE(red_near(162, 475));   // down from (5, 6)
    EXPECT_FALSE(red_near(175, 487));  // nothing right of (4, 6)
    EXPECT_FALSE(red_near(125, 487));  // nothing left of the track
    SDL_Rect all = find_colour(red);
    EXPECT_GE(all.x, 136);
    EXPECT_LE(all.x + all.w, 165);
}

TEST(LevelDraw, PortalStandsTenCellsUpAndRightOfTheExit) {
    TestDisplay display;
    ThemeTiles tiles;
    World w = world_of("[ 30]\n", "\n");
    w.exit_x = 2;
    w.exit_y = 1;
    tiles[slot_portal + 2] = solid_texture(8, 8, blue);   // outer layer, drawn first
    tiles[slot_portal + 1] = solid_texture(8, 8, green);  // middle
    tiles[slot_portal] = solid_texture(8, 8, red);        // inner layer, drawn last
    w.clock_ms = 0;                                       // no rotation yet
    clear_black();
    draw_portal(w, tiles);
    EXPECT_RECT(find_colour(red), 50, 600 - 11 * 25, 250, 250);
    EXPECT_EQ(find_colour(green).w, 0);
    w.clock_ms = 450;  // the middle ring has turned 45 degrees: its corners show
    clear_black();
    draw_portal(w, tiles);
    EXPECT_GT(find_colour(green).w, 0);
    w.camera_x = 1;
    w.camera_y = 1;
    w.clock_ms = 0;
    clear_black();
    draw_portal(w, tiles);
    EXPECT_RECT(find_colour(red), 25, 600 - 10 * 25, 250, 250);
}

// A level narrower than the view sits at the window's right edge with the camera left of 0:
// every column is drawn once, where the physics and the pointer have it.
TEST(LevelDraw, NarrowLevelsDrawEachColumnOnceWhereThePointerPaints) {
    TestDisplay display(1366, 768);  // 32-pixel cells, 42.6875 columns
    ThemeTiles tiles;
    World w = world_of("\n\n[ 29]c\na[ 28]c\n", "\n\n\n\n");
    tiles['a' - 'a'] = solid_texture(10, 10, red);
    tiles['c' - 'a'] = solid_texture(10, 10, blue);
    camera_follow(w, 5, 1, -21, 21, 1, 1);
    ASSERT_DOUBLE_EQ(w.camera_x, 30 - 1366 / 32.0);
    clear_black();
    draw_level(w, tiles, false);
    SDL_Rect first = find_colour(red);
    EXPECT_RECT(first, 406, 768 - 32, 32, 32);  // column 0, once, 12.6875 cells from the left
    SDL_Rect last = find_colour(blue);
    EXPECT_EQ(last.x + last.w, 1366);  // column 29 ends at the window's right edge

    // The pointer over the drawn cell paints that cell.
    EditorState ed;
    Controls controls;
    controls.mouse_buttons = SDL_BUTTON(SDL_BUTTON_LEFT);
    ed.active = true;
    ed.brush0 = 'q';
    ed.pointer_x = first.x + 3;
    ed.pointer_y = first.y + 16;
    Player p;
    p.x = 5;
    editor_update(ed, w, p, controls, nullptr);
    EXPECT_EQ(grid_get(0, 0, w.play_grid), 'q');
    EXPECT_EQ(grid_get(0, 1, w.play_grid), ' ');
    // Left of the level there is nothing to paint.
    ed.pointer_x = first.x - 5;
    ed.brush0 = 'r';
    editor_update(ed, w, p, controls, nullptr);
    EXPECT_EQ(grid_get(0, 0, w.play_grid), 'q');
}

TEST(LevelDraw, ACameraBetweenRowsDrawsRowZeroOnce) {
    TestDisplay display;
    ThemeTiles tiles;
    World d = world_of("[ 40]\n[ 40]\n[ 40]\n", "\n\n  C\n");
    TexturePtr half = solid_texture(80, 120, green);  // seen through: a second copy shows
    SDL_SetTextureBlendMode(half.get(), SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(half.get(), 128);
    tiles[slot_first_decor + 'C' - 'A'] = std::move(half);
    d.camera_y = 0.5;
    clear_black();
    draw_level(d, tiles, false);
    EXPECT_NEAR(read_pixel(60, 590).g, 128, 2);  // once, half a cell below the window's edge
    EXPECT_NEAR(read_pixel(60, 540).g, 128, 2);
}
