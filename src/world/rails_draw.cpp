// Drawing the rail platforms.
#include "world/rails.h"

#include "app/draw.h"

void rail_draw(const RailPlatforms& rails, const ThemeTiles& tiles, double camera_x,
               double camera_y) {
    for (const RailPlatform& p : rails.list) {
        draw_cell(tiles[0].get(), p.x - camera_x, p.y - camera_y);
    }
}
