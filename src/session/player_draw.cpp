// Drawing the player: the walk cycle, the jump pose, blinking while it cannot be hurt, and the
// footsteps that follow the walk cycle.
#include <cmath>

#include "app/audio.h"
#include "app/clock.h"
#include "app/draw.h"
#include "session/player.h"

void player_draw(Player& p, double camera_x, double camera_y, PlayerInput input) {
    if (p.vulnerable != 1 && now_ms() % 100 <= 24) return;
    int t = tile_size();
    double px = (p.x - camera_x) * t;
    double py = (p.y - camera_y - 0.05) * t;
    int period = static_cast<int>(17 - std::fabs(p.vx) * 0.4);
    int first_half = p.anim_frame < period / 2 ? 1 : 0;
    if (first_half != p.step_phase) {
        p.step_phase = first_half;
        play_sound(first_half ? p.snd_step.get() : p.snd_step2.get(), false);
    }
    SDL_Texture* tex = p.tex_air.get();
    if (p.on_ground == 1) {
        bool standing = input.left == input.right && p.vx > -1 && p.vx < 1;
        if (p.anim_frame > period || standing) p.anim_frame = 0;
        tex = p.anim_frame < period / 2 ? p.tex_walk1.get() : p.tex_walk2.get();
    }
    draw_sprite_cells(tex, p.facing_left != 0, static_cast<int>(px), static_cast<int>(py + p.h * t),
                      p.w, p.h);
    p.anim_frame += 1;
}
