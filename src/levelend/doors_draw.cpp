// Drawing the doors: the arch, the channel's tinted ring and the sparkle ring turning together,
// the channel over the middle cell in the editor, and the teleport's veil.
#include "app/draw.h"
#include "levelend/doors.h"
#include "world/characters.h"

void doors_draw(const DoorSet& d, const DoorArt& art, double camera_x, double camera_y,
                bool editor) {
    int t = tile_size();
    int s = door_cells * t;
    SDL_Point centre{s / 2, s / 2};
    for (size_t i = 0; i < d.doors.size(); ++i) {
        const Door& door = d.doors[i];
        if (door.hidden) continue;
        double dx = door.x - camera_x, dy = door.y - camera_y;
        SDL_Rect dst{static_cast<int>(t * dx),
                     static_cast<int>(window_height - (dy + door_cells) * t), s, s};
        // Turned, the rings stay within the circle through the square's corners: a door whose
        // circle lies out of the window draws nothing, and turning its rings is the renderer's
        // dearest copy.
        int reach = s * 3 / 4 + 1;
        int cx = dst.x + s / 2, cy = dst.y + s / 2;
        if (cx + reach < 0 || cx - reach > window_width || cy + reach < 0 ||
            cy - reach > window_height)
            continue;
        render_copy(art.base.get(), &dst);
        if (art.center) {
            SDL_Color c = door_channel_colour(door.channel);
            SDL_SetTextureColorMod(art.center.get(), c.r, c.g, c.b);
            render_copy_ex(art.center.get(), dst, d.spin_degrees, &centre, SDL_FLIP_NONE);
        }
        if (art.center2)
            render_copy_ex(art.center2.get(), dst, d.spin_degrees, &centre, SDL_FLIP_NONE);
        if (editor && i < art.labels.size())
            draw_cell_rect(art.labels[i].get(), dx + 1, dy + 1, 1, 1);
    }
}

void doors_draw_veil(const DoorSet& d, const DoorArt& art) {
    int fade = static_cast<int>(255 - d.fade_alpha);
    if (alpha_value(0, 255, 255, fade) == 0) return;
    set_alpha(art.veil.get(), 0, 255, 255, fade);
    draw_fullscreen(art.veil.get());
}
