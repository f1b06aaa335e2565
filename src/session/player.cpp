// Player movement and physics.
#include "session/player.h"

#include <cmath>

#include "app/assets.h"
#include "app/audio.h"
#include "app/clock.h"
#include "session/probes.h"

namespace {
constexpr double walk_speed = 17;
constexpr double acceleration = 3;
constexpr double ground_look_ahead = 0.4;
constexpr double jump_speed = 22;
constexpr double jump_hold_height = 4;
constexpr double wall_jump_push = 51;
constexpr double lowest_vy = -50;
constexpr int dash_cost = 10000;
constexpr double dash_length = 5;
constexpr double bounce_speed = 66;  // jump item and spring
constexpr double speed_item_push = 80;
constexpr int coin_power = 1000;
constexpr int time_item_bonus = 60000;
constexpr int trap_cost = 13000;

// Rules run silent when no sounds are given (tests, replays).
void sound(const PlayerSounds* snd, ChunkPtr PlayerSounds::*which) {
    if (snd) play_sound((snd->*which).get(), false);
}

void drive(Player& p, const PlayerInput& input, double dt, bool grounded) {
    double k = grounded ? 2 : 1;
    if (input.right != 0 && input.left == 0) {
        p.facing_left = 0;
        double target = walk_speed * input.right;
        if (p.vx < target) p.vx += (target - p.vx) * dt * acceleration * k;
        if (p.vx > target && grounded) p.vx += (target - p.vx) * dt * acceleration;
    } else if (input.left != 0 && input.right == 0) {
        p.facing_left = 1;
        double target = -walk_speed * input.left;
        if (p.vx > target) p.vx += (target - p.vx) * dt * acceleration * k;
        if (p.vx < target && grounded) p.vx += (target - p.vx) * dt * acceleration;
    } else {
        p.vx += k * (-p.vx / 10) * dt * 50;  // friction
    }
}

void dash(Player& p, const PlayerInput& input, const PlayerSounds* snd) {
    if (input.dash_pressed && p.dash_timer == 0 && p.power >= dash_cost) {
        p.vx = 0;
        p.power -= dash_cost;
        p.dash_direction = p.facing_left == 0 ? 1 : -1;
        p.dash_timer = 1;
        p.dash_distance = 0;
        sound(snd, &PlayerSounds::dash);
    }
    if (p.dash_timer != 0) {
        p.x += dash_step * p.dash_direction;
        p.dash_distance += dash_step;
        if (p.dash_distance >= dash_length) p.dash_timer = 0;
    }
}

struct SideHits {
    bool right = false, left = false;
};

SideHits sweep_x(Player& p, const Grid& play, double dt) {
    double sub = dt / 100;
    SideHits hit;
    double right_at = 0, left_at = 0, xs = p.x;
    for (double s = 0; s < dt; s += sub) {
        xs = p.x + p.vx * s;
        if (!hit.right && probe_right(play, xs, p.y, p.w, p.h)) {
            hit.right = true;
            right_at = xs;
        }
        if (!hit.left && probe_left(play, xs, p.y, p.w, p.h)) {
            hit.left = true;
            left_at = xs;
        }
        if (hit.right && hit.left) break;
    }
    if (hit.right && hit.left) {
        p.dash_timer = 0;
    } else if (hit.right) {
        if (p.vx < 0) {
            p.x = xs;
        } else {
            p.vx = 0;
            p.x = static_cast<int>(right_at);
            p.dash_timer = 0;
        }
    } else if (hit.left) {
        if (p.vx > 0) {
            p.x = xs;
        } else {
            p.vx = 0;
            p.x = static_cast<int>(left_at + 0.9999999999);
            p.dash_timer = 0;
        }
    } else {
        p.x = xs;
    }
    if (p.x < 0) p.x = 0;
    return hit;
}

void jump(Player& p, const Grid& play, PlayerInput& input, SideHits wall, const PlayerSounds* snd) {
    if (input.jump_pressed && (probe_floor(play, p.x, p.y - ground_look_ahead) || p.on_ground)) {
        p.vy = jump_speed;
        sound(snd, &PlayerSounds::jump);
        input.jump_rise = 0;
    } else if (input.jump_pressed && (wall.right || wall.left)) {
        p.vy = jump_speed;
        sound(snd, &PlayerSounds::jump);
        input.jump_rise = 0;
        if (wall.right) p.vx = -wall_jump_push;
        if (wall.left) p.vx = wall_jump_push;
    }
    if (p.vy <= 0) input.jump_rise = -1;
    bool held = input.jump_keys_held || input.jump_held;
    if (held && input.jump_rise < jump_hold_height && input.jump_rise != -1) {
        p.vy = jump_speed;
    } else {
        input.jump_rise = -1;
    }
    if (p.vy < lowest_vy) p.vy = lowest_vy;
}

// Returns whether the head hit a ceiling, and where.
bool sweep_y(Player& p, const Grid& play, PlayerInput& input, double dt, double* ceiling_at) {
    double sub = dt / 100;
    bool floor_hit = false, ceiling_hit = false;
    double floor_at = 0, ys = p.y;
    for (double s = 0; s < dt; s += sub) {
        ys = p.y + p.vy * s;
        if (!floor_hit && probe_floor(play, p.x, ys)) {
            floor_hit = true;
            floor_at = ys;
        }
        if (!ceiling_hit && probe_ceiling(play, p.x, ys)) {
            ceiling_hit = true;
            *ceiling_at = ys;
        }
        if (floor_hit && ceiling_hit) break;
    }
    if (!floor_hit && !ceiling_hit) {
        if (input.jump_rise != -1) input.jump_rise += ys - p.y;
        p.y = ys;
    } else if (floor_hit && ceiling_hit) {
        p.vy = 0;
        p.y = static_cast<int>(floor_at + 0.99999);
    } else if (floor_hit) {
        // Lands only when the feet meet the top of a cell; deep inside it (as after jumping
        // into a one-way platform from below) the player keeps falling through.
        double f = floor_at - static_cast<int>(floor_at);
        if (p.vy <= 0 && (f > 0.9 || f < 0.00001)) {
            p.vy = 0;
            p.y = static_cast<int>(floor_at + 0.99999);
        } else {
            p.vy -= gravity * dt;
            p.y = ys;
        }
    } else {
        if (p.vy < 0) {
            p.y = ys;
        } else {
            p.vy = 0;
        }
    }
    p.on_ground = floor_hit;
    if (!floor_hit) p.vy -= gravity * dt;
    return ceiling_hit;
}

void bump_head(Player& p, Grid& play, double ceiling_at, const PlayerSounds* snd) {
    if (bump_item_block(play, play, p.x, p.y, p.w, p.h, cell::item_block, cell::spent_block) ||
        bump_item_block(play, play, p.x, p.y, p.w, p.h, cell::hidden_block, cell::spent_block)) {
        sound(snd, &PlayerSounds::item_block);
    }
    if (bump_breakable(play, p.x, p.y, p.w, p.h, cell::breakable))
        sound(snd, &PlayerSounds::break_block);
    p.y = static_cast<int>(ceiling_at);
}

bool take(Player& p, Grid& play, char code, char replacement) {
    return touch_cells(play, p.x, p.y, p.w, p.h, code, replacement);
}

void pick_items(Player& p, Grid& play, const PlayerSounds* snd) {
    if (take(p, play, cell::coin, cell::empty)) {  // coin
        p.power += coin_power;
        sound(snd, &PlayerSounds::coin);
        p.items_collected += 1;
    }
    if (take(p, play, cell::time_item, cell::empty)) {  // time
        sound(snd, &PlayerSounds::coin);
        p.time_left += time_item_bonus;
        p.items_collected += 1;
    }
    if (take(p, play, cell::jump_item, cell::empty)) {  // jump
        sound(snd, &PlayerSounds::coin);
        p.vy = bounce_speed;
        p.items_collected += 1;
    }
    if (take(p, play, cell::spring,
             cell::spring)) {  // spring: stays, bounces on every frame of contact
        sound(snd, &PlayerSounds::coin);
        p.vy = bounce_speed;
        p.items_collected += 1;
    }
    if (take(p, play, cell::speed_item, cell::empty)) {  // speed
        sound(snd, &PlayerSounds::coin);
        p.vx = speed_item_push;
        p.items_collected += 1;
    } else if (take(p, play, cell::trap, cell::sprung_trap)) {  // trap
        sound(snd, &PlayerSounds::hurt);
        p.time_left -= trap_cost;
    }
}
}  // namespace

void player_create(Player& p, PlayerArt& art, PlayerSounds& snd, const std::string& skin) {
    snd.coin = load_sound("coin.wav");
    snd.jump = load_sound("jump.wav");
    snd.step = load_sound("step.wav");
    snd.step2 = load_sound("step2.wav");
    snd.item_block = load_sound("itemBloc.wav");
    snd.break_block = load_sound("breakBloc.wav");
    snd.hurt = load_sound("rem.wav");
    snd.over = load_sound("over.wav");
    snd.dash = load_sound("dash.wav");
    std::string folder = "players/skin_" + skin;
    art.walk1 = load_texture_in(folder, "1.png");
    art.walk2 = load_texture_in(folder, "2.png");
    art.air = load_texture_in(folder, "3.png");
    p.time_limit = full_time;
    p.respawns = 0;
    p.time_left = p.time_limit;
    p.power = 0;
    p.enemy_points = 0;
    p.items_collected = 0;
    p.alive = 0;
}

void player_release(PlayerArt& art) {
    art.walk1.reset();
    art.walk2.reset();
    art.air.reset();
}

bool player_life_check(Player& p, const PlayerSounds* snd) {
    p.time_left -= 16;
    p.power += 10;
    if (p.time_left > full_time) p.time_left = full_time;
    if (p.power > max_power) p.power = max_power;
    if (p.time_left <= 0) p.alive = 0;
    if (p.y < 0 && p.alive) p.alive = 0;
    if (p.alive == 1) return false;
    // The restart that opens a level is silent; every later one is a death.
    if (p.respawns != 0) sound(snd, &PlayerSounds::over);
    p.time_left = full_time;
    p.power = 0;
    p.respawns += 1;
    p.enemy_points = 0;
    p.items_collected = 0;
    return true;
}

void player_spawn(Player& p, int column, int row) {
    p.w = 1;
    p.h = 2;
    p.vx = p.vy = 0;
    p.x = column;
    p.y = row;
    p.alive = 1;
    p.facing_left = 0;
    p.step_phase = 0;
    p.hurt_until = 0;
    p.vulnerable = 1;
    p.respawns += 1;
    p.time_left = p.time_limit;
    p.power = 0;
    p.enemy_points = 0;
    p.items_collected = 0;
}

void player_update(Player& p, World& world, PlayerInput& input, double dt,
                   const PlayerSounds* snd) {
    if (dt == 0) return;
    Grid& play = world.play_grid;
    bool grounded = probe_floor(play, p.x, p.y - ground_look_ahead) || p.on_ground;
    if (!input.dash_pressed && p.dash_timer == 0) {
        drive(p, input, dt, grounded);
    } else {
        dash(p, input, snd);
    }
    SideHits wall = sweep_x(p, play, dt);
    jump(p, play, input, wall, snd);
    double ceiling_at = 0;
    if (sweep_y(p, play, input, dt, &ceiling_at)) bump_head(p, play, ceiling_at, snd);
    pick_items(p, play, snd);
}

void player_animate(Player& p, const PlayerInput& input, const PlayerSounds* snd) {
    // Hidden while blinking: the walk cycle waits too.
    p.blink_hidden = p.vulnerable != 1 && now_ms() % 100 <= 24;
    if (p.blink_hidden) return;
    int period = static_cast<int>(17 - std::fabs(p.vx) * 0.4);
    int first_half = p.anim_frame < period / 2 ? 1 : 0;
    if (first_half != p.step_phase) {
        p.step_phase = first_half;
        sound(snd, first_half ? &PlayerSounds::step : &PlayerSounds::step2);
    }
    if (p.on_ground == 1) {
        bool standing = input.left == input.right && p.vx > -1 && p.vx < 1;
        if (p.anim_frame > period || standing) p.anim_frame = 0;
        p.pose = p.anim_frame < period / 2 ? PlayerPose::walk1 : PlayerPose::walk2;
    } else {
        p.pose = PlayerPose::air;
    }
    p.anim_frame += 1;
}
