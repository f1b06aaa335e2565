// Drawing the player: the pose its animation chose, mirrored when it faces left, nothing while
// it blinks.
#include "app/draw.h"
#include "session/player.h"

void player_draw(const Player& p, const PlayerArt& art, double camera_x, double camera_y) {
    if (p.blink_hidden) return;
    int t = tile_size();
    double px = (p.x - camera_x) * t;
    double py = (p.y - camera_y - 0.05) * t;
    SDL_Texture* tex = p.pose == PlayerPose::walk1   ? art.walk1.get()
                       : p.pose == PlayerPose::walk2 ? art.walk2.get()
                                                     : art.air.get();
    draw_sprite_cells(tex, p.facing_left != 0, static_cast<int>(px), static_cast<int>(py + p.h * t),
                      p.w, p.h);
}
