// Drawing the level around the camera: the decor layer behind, the play layer in front, rails
// joined by connectors, animated coins and springs, decorations at their own size, and the
// spinning exit portal.
#pragma once
#include "session/world.h"

// Both layers with the theme's tiles; the editor also shows hidden blocks, markers and enemy
// spawn cells. Coins turn and springs bounce on the world's clock.
void draw_level(const World& world, const ThemeTiles& tiles, bool editor);
// The same from a camera of its own (one half of a split screen).
void draw_level(const World& world, const ThemeTiles& tiles, bool editor, double camera_x,
                double camera_y);
// The portal's three layers at the exit marker, turned by the world's clock.
void draw_portal(const World& world, const ThemeTiles& tiles);
void draw_portal(const World& world, const ThemeTiles& tiles, double camera_x, double camera_y);
