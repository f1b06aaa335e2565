// Drawing the enemies: two images taking turns on the clock, mirrored when walking right (the
// images face left). Defeated enemies are not drawn.
#include "app/draw.h"
#include "world/enemies.h"

void enemies_draw(const Enemies& enemies, const EnemyArt& art, double camera_x, double camera_y,
                  int clock_ms) {
    int t = tile_size();
    for (const Enemy& e : enemies.list) {
        if (e.dead) continue;
        const EnemyType& type = enemy_types[e.type];
        double left = t * (e.x - camera_x);
        double top = window_height - (e.y - camera_y + type.h) * t;
        double w = t * type.w, h = t * type.h;
        // Off screen: skipped before the pixel conversion, which would overflow for an enemy
        // that has been falling down a pit for a long time.
        if (left >= window_width || left + w <= 0 || top >= window_height || top + h <= 0) continue;
        int phase = clock_ms % type.frame_period_ms;
        const TexturePtr& tex = art.frames[e.type][phase > type.frame_period_ms / 2 ? 0 : 1];
        if (!tex) continue;
        SDL_Rect dst{static_cast<int>(left), static_cast<int>(top), static_cast<int>(w),
                     static_cast<int>(h)};
        render_copy_ex(tex.get(), dst, 0, nullptr,
                       e.dir_x == 1 ? SDL_FLIP_HORIZONTAL : SDL_FLIP_NONE);
    }
}
