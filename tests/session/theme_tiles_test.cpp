// The theme's tile table: which image lands in which of the 51 slots, and what a level whose
// theme folder is missing tells its author.
#include "session/theme_tiles.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "support/harness.h"

namespace {
// Width of a slot's texture, 0 for an empty slot.
int width_of(const ThemeTiles& tiles, int slot) {
    int w = 0, h = 0;
    if (!tiles[slot] || SDL_QueryTexture(tiles[slot].get(), nullptr, nullptr, &w, &h)) return 0;
    return w;
}

// A PNG one pixel high and `width` wide (folders are created).
void write_png(const std::string& path, int width) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, width, 1, 32, SDL_PIXELFORMAT_RGBA32));
    SDL_FillRect(s.get(), nullptr, SDL_MapRGBA(s->format, 200, 100, 50, 255));
    ASSERT_EQ(IMG_SavePNG(s.get(), path.c_str()), 0) << path;
}
}  // namespace

// Every image of a test theme is as wide as its slot number plus one, so an image loaded into
// the wrong slot, or from the wrong theme, shows in the widths.
TEST(ThemeTiles, EachSlotHoldsItsOwnImage) {
    Sandbox sandbox;
    std::filesystem::remove("ressources");  // a resource tree of the test's own
    std::map<int, std::string> files;
    const std::string theme = "ressources/textures/theme_essai/";
    const std::string base = "ressources/textures/theme_base/";
    for (char c = 'a'; c <= 's'; ++c) files[c - 'a'] = theme + "blocs/" + c + ".png";
    for (char c = 'A'; c <= 'L'; ++c) files[19 + c - 'A'] = theme + "decor/" + c + ".png";
    for (char c = 'a'; c <= 'h'; ++c) files[31 + c - 'a'] = theme + "objets/" + c + ".png";
    for (char d = '0'; d <= '2'; ++d) files[39 + d - '0'] = base + "enemy/" + d + "/1.png";
    files[44] = theme + "rail/1.png";
    files[45] = theme + "rail/0.png";
    files[46] = "ressources/textures/erb.png";
    files[47] = "ressources/textures/erd.png";
    for (char d = '0'; d <= '2'; ++d) files[48 + d - '0'] = base + "portail/" + d + ".png";
    for (const auto& [slot, path] : files) write_png(path, slot + 1);

    TestDisplay display;
    World world;
    ThemeTiles tiles;
    world.exit_x = world.start_y = 7;
    world.camera_x = 3.5;
    load_theme_tiles(world, tiles, "essai");
    for (int slot = 0; slot < tile_slot_count; ++slot) {
        int expected = files.count(slot) ? slot + 1 : 0;  // 42 and 43 hold no image
        EXPECT_EQ(width_of(tiles, slot), expected) << "slot " << slot;
    }
    // Rails are drawn semi-transparent; the other tiles are not.
    for (int slot : {slot_rail, slot_rail_connector}) {
        Uint8 alpha = 0;
        SDL_BlendMode mode = SDL_BLENDMODE_NONE;
        SDL_GetTextureAlphaMod(tiles[slot].get(), &alpha);
        SDL_GetTextureBlendMode(tiles[slot].get(), &mode);
        EXPECT_EQ(alpha, 155) << "slot " << slot;
        EXPECT_EQ(mode, SDL_BLENDMODE_BLEND) << "slot " << slot;
    }
    Uint8 alpha = 0;
    SDL_GetTextureAlphaMod(tiles[0].get(), &alpha);
    EXPECT_EQ(alpha, 255);
    // A new level starts with its markers and camera at the origin.
    EXPECT_EQ(world.exit_x, 0);
    EXPECT_EQ(world.start_y, 0);
    EXPECT_EQ(world.camera_x, 0);
}

// A theme that names no folder ("xyz", or "base" followed by the blanks of a comment in
// config.ini) would show invisible ground without a word; it is named on standard output.
TEST(ThemeTiles, AMissingThemeFolderIsNamed) {
    Sandbox sandbox;
    TestDisplay display;
    World world;
    ThemeTiles tiles;
    testing::internal::CaptureStdout();
    load_theme_tiles(world, tiles, "xyz");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out,
              "Theme folder \"ressources/textures/theme_xyz\" not found: blocks and decorations "
              "will not show.\n");
    // The shared images still load: invalid codes show the error tiles, the exit its portal.
    EXPECT_EQ(tiles[0], nullptr);
    EXPECT_NE(tiles[slot_error_play], nullptr);
    EXPECT_NE(tiles[slot_error_decor], nullptr);
    EXPECT_NE(tiles[slot_portal], nullptr);

    testing::internal::CaptureStdout();
    load_theme_tiles(world, tiles, "base  ");
    out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\"ressources/textures/theme_base  \""), std::string::npos) << out;

    testing::internal::CaptureStdout();
    load_theme_tiles(world, tiles, "base");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_NE(tiles[0], nullptr);
}
