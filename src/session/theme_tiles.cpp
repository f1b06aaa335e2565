// Loading the tile table. Rails are made semi-transparent here, once.
#include "session/theme_tiles.h"

#include <cstdio>
#include <filesystem>

#include "app/assets.h"
#include "app/draw.h"
#include "app/paths.h"

void load_theme_tiles(World& world, ThemeTiles& t, const std::string& theme) {
    world.exit_x = world.exit_y = world.start_x = world.start_y = 0;
    world.camera_x = world.camera_y = 0;
    // Without its folder the level's ground is invisible; say so rather than play in silence.
    // The quotes show the blanks a comment in config.ini can leave after the theme's name.
    std::string folder = resource_path("textures/theme_" + theme);
    std::error_code unreadable;
    if (!std::filesystem::is_directory(folder, unreadable))
        std::printf("Theme folder \"%s\" not found: blocks and decorations will not show.\n",
                    folder.c_str());
    for (char c = 'a'; c <= 's'; ++c) t[c - 'a'] = load_theme_texture(theme, "blocs", c, "png");
    for (char c = 'a'; c <= 'h'; ++c)
        t[slot_first_item + c - 'a'] = load_theme_texture(theme, "objets", c, "png");
    for (char c = 'A'; c <= 'L'; ++c)
        t[slot_first_decor + c - 'A'] = load_theme_texture(theme, "decor", c, "png");
    t[slot_rail] = load_theme_texture(theme, "rail", '1', "png");
    t[slot_rail_connector] = load_theme_texture(theme, "rail", '0', "png");
    t[slot_error_play] = load_texture("textures/erb.png");
    t[slot_error_decor] = load_texture("textures/erd.png");
    for (int slot : {slot_rail, slot_rail_connector}) {
        if (!t[slot]) continue;
        SDL_SetTextureBlendMode(t[slot].get(), SDL_BLENDMODE_BLEND);
        set_alpha(t[slot].get(), 0, 255, 255, 100);
    }
    for (int i = 0; i < 3; ++i)
        t[slot_portal + i] =
            load_texture("textures/theme_base/portail/" + std::to_string(i) + ".png");
    for (int i = 0; i < 3; ++i)
        t[slot_first_enemy + i] =
            load_texture("textures/theme_base/enemy/" + std::to_string(i) + "/1.png");
}

void release_tiles(ThemeTiles& tiles) {
    for (TexturePtr& t : tiles) t.reset();
}
