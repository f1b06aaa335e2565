// Rail platforms: blocks of the play layer that sit on the decor layer's rail cells are lifted
// out at every restart and glide along the connected rails, turning round at the ends. The
// player rides them, bumps the head on them and is stopped by their sides.
#pragma once
#include "session/world.h"

constexpr double rail_speed = 3;  // cells per second: 0.05 cells a frame

// Contact tests of a one-cell platform against a body at (px, py) of size pw × ph.
bool platform_on_top(const RailPlatform& p, double px, double py, double pw, double ph);
bool platform_below(const RailPlatform& p, double px, double py, double pw, double ph);
bool platform_left_side(const RailPlatform& p, double px, double py, double pw, double ph);
bool platform_right_side(const RailPlatform& p, double px, double py, double pw, double ph);

void rail_clear(RailPlatforms& rails);
// Lifts every block lying on a rail out of the play layer as a platform (at most
// max_rail_platforms; further ones stay fixed blocks) and removes the items lying on rails.
void rail_build(RailPlatforms& rails, Grid& play, const Grid& decor);
// One step of every platform along the rails of the decor layer.
void rail_move(RailPlatforms& rails, const Grid& decor, double dt);
// Lands, bumps and stops the player against every platform. `carried` is the player's on_ground
// of this frame: a player already standing on the level, or already carried by an earlier
// platform, is not moved sideways again.
void rail_collide(const RailPlatforms& rails, Player& player, int& carried);
// Every platform shows the theme's first block tile, whatever letter it was lifted from.
void rail_draw(const RailPlatforms& rails, const ThemeTiles& tiles, double camera_x,
               double camera_y);
