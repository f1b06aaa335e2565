// The theme's tile images: one per cell code of both layers, plus the fixed images every theme
// shares (enemy icons for the editor, error tiles, the exit portal), in the World's tile table.
#pragma once
#include "session/world.h"

// Resets the markers and the camera, then loads the 51 slots from the theme's folders.
void load_theme_tiles(World& world, ThemeTiles& tiles, const std::string& theme);
// Releases the theme's textures at the end of a session.
void release_tiles(ThemeTiles& tiles);
