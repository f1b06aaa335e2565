// The editor's dock and cursor on screen, by pixels.
#include <gtest/gtest.h>

#include "app/draw.h"
#include "editor/editor.h"
#include "session/level_files.h"
#include "support/harness.h"
#include "world/camera.h"
#include "world/level_draw.h"

namespace {
const SDL_Color red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255},
    yellow{255, 255, 0, 255}, white{255, 255, 255, 255};

}  // namespace

TEST(EditorDraw, DockSlotsHighlightsAndCursor) {
    TestDisplay display;
    ThemeTiles w;
    w[2] = solid_texture(8, 8, red);    // block 'c': slot 2, and background 'c': slot 50
    w[3] = solid_texture(8, 8, green);  // block 'd': slot 3
    EditorState ed;
    EditorArt art;
    ed.active = true;
    art.select = solid_texture(6, 6, yellow);
    art.cursor = solid_texture(24, 24, white);
    ed.brush0 = 'd';
    ed.pointer_x = 500;
    ed.pointer_y = 300;
    clear_black();
    editor_draw(ed, art, w, World{});
    // A plain slot: the icon at (x + 10, 10), one cell in size.
    SDL_Rect reds = find_colour(red);
    EXPECT_RECT(reds, 2 * 60 + 10, 10, 25, 25);
    // The play layer's brush is highlighted: frame at (x, 0) 60 × 60, icon 50 × 50.
    EXPECT_RECT(find_colour(green), 3 * 60 + 5, 5, 50, 50);
    SDL_Rect frame = find_colour(yellow);
    EXPECT_EQ(frame.x, 3 * 60);
    EXPECT_EQ(frame.w, 60);
    EXPECT_EQ(frame.h, 60);
    // The cursor hangs from the pointer: left edge at x, lower edge 25 pixels below y.
    EXPECT_RECT(find_colour(white), 500, 301, 24, 24);

    // Both brushes highlight at once: scrolled by 2400 pixels, the decor layer's background
    // block 'c' (slot 50) shows highlighted at x = 600.
    ed.brush1 = 'c';
    ed.dock_scroll_drawn = 2400;
    clear_black();
    editor_draw(ed, art, w, World{});
    EXPECT_RECT(find_colour(red), 50 * 60 - 2400 + 5, 5, 50, 50);
    // Slot 3 scrolled out; its image serves the background block 'd' of slot 51, not chosen.
    EXPECT_RECT(find_colour(green), 51 * 60 - 2400 + 10, 10, 25, 25);
    EXPECT_EQ(find_colour(yellow).x, 50 * 60 - 2400);

    ed.active = false;
    clear_black();
    editor_draw(ed, art, w, World{});
    EXPECT_EQ(find_colour(red).w, 0);
}

TEST(EditorDraw, DockStretchesAcrossTheWindow) {
    TestDisplay display(1280, 720);
    ThemeTiles w;
    EditorState ed;
    EditorArt art;
    ed.active = true;
    art.dock = solid_texture(4, 70, blue);
    clear_black();
    editor_draw(ed, art, w, World{});
    EXPECT_RECT(find_colour(blue), 0, 0, 1280, 70);
}

TEST(EditorDraw, AnArmedRailBrushShowsAtTheDocksEnd) {
    TestDisplay display;
    ThemeTiles w;
    w[slot_rail] = solid_texture(8, 8, red);
    EditorState ed;
    EditorArt art;
    ed.active = true;
    art.select = solid_texture(6, 6, yellow);
    clear_black();
    editor_draw(ed, art, w, World{});
    EXPECT_EQ(find_colour(red).w, 0);
    ed.brush1 = rail_brush;
    clear_black();
    editor_draw(ed, art, w, World{});
    EXPECT_RECT(find_colour(red), 1000 - 60 + 5, 5, 50, 50);
    EXPECT_EQ(find_colour(yellow).x, 1000 - 60);
}

// The outlined cell, with the brush faint in it, is the cell the pointer paints, wherever the
// camera puts the level: a 30-column level sits at the right of a 1366-pixel window.
TEST(EditorDraw, TheOutlineAndPreviewLandOnTheCellThePointerPaints) {
    for (SDL_Point size : {SDL_Point{1000, 600}, SDL_Point{1366, 768}}) {
        TestDisplay display(size.x, size.y);
        int t = size.y / 24;
        World world;
        world.play_grid = parse_grid_text("[ 30]\n[ 30]\n[ 30]\n[ 30]\n[a30]\n", true);
        world.decor_grid = parse_grid_text("\n", false);
        camera_follow(world, 12, 1, -((size.x / 2) / t), 0, 1, 1);
        ThemeTiles tiles;
        tiles['b' - 'a'] = solid_texture(8, 8, blue);
        EditorState ed;
        EditorArt art;
        ed.active = true;
        ed.brush0 = 'b';
        ed.pointer_x = size.x * 2 / 3;
        ed.pointer_y = size.y - t * 3 - 5;
        Player p;
        Controls controls;
        editor_update(ed, world, p, controls, nullptr);
        clear_black();
        editor_draw(ed, art, tiles, world);
        SDL_Rect outline = find_colour({255, 236, 140, 255});
        SDL_Color inside = read_pixel(outline.x + outline.w / 2, outline.y + outline.h / 2);
        EXPECT_GT(inside.b, 60);  // the brush, faint
        EXPECT_LT(inside.b, 160);

        controls.mouse_buttons = SDL_BUTTON(SDL_BUTTON_LEFT);
        editor_update(ed, world, p, controls, nullptr);
        clear_black();
        draw_level(world, tiles, false);
        EXPECT_RECT(find_colour(blue), outline.x, outline.y, outline.w, outline.h) << size.x;
    }
}

// The help along the window's foot stays whole inside the window: on 800 × 600 it takes two
// lines, on 1920 × 1080 one.
TEST(EditorDraw, TheHelpLineFitsTheWindow) {
    Sandbox sandbox;
    for (SDL_Point size : {SDL_Point{800, 600}, SDL_Point{1920, 1080}}) {
        SCOPED_TRACE(size.x);
        TestDisplay display(size.x, size.y);
        EditorState ed;
        EditorArt art;
        EditorSounds snd;
        editor_init(ed, art, snd);
        art.dock.reset();  // the help alone
        art.select.reset();
        art.cursor.reset();
        ed.active = true;
        ed.pointer_y = 0;  // over the dock: no cell outlined
        ed.brush0 = 'a';   // a block: no eraser badge at the dock's end
        clear_black();
        editor_draw(ed, art, ThemeTiles{}, World{});
        SDL_Rect help = find_lit();
        ASSERT_GT(help.w, 0);
        EXPECT_GE(help.x, 8);
        EXPECT_LE(help.x + help.w, size.x - 8);
        EXPECT_LE(help.y + help.h, size.y);
        EXPECT_EQ(help.h > 40, size.x == 800);  // two lines of 18-point text, or one
    }
}
