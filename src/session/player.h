// The player: a body one cell wide and two tall that walks, runs, jumps (held and off walls),
// dashes, lands, bumps blocks from below and picks up items, against a countdown. Moves are
// swept in 100 sub-steps per axis against the play layer with the grid probes.
#pragma once
#include "session/world.h"

// The skin's three images.
struct PlayerArt {
    TexturePtr walk1, walk2, air;
};
// The player's sounds; rules given none run silent.
struct PlayerSounds {
    ChunkPtr coin, jump, step, step2, item_block, break_block, hurt, over, dash;
};

// Loads the skin's images and the player's sounds; the player starts not alive.
void player_create(Player& p, PlayerArt& art, PlayerSounds& snd, const std::string& skin);
void player_release(PlayerArt& art);
// Counts the frame down; true when the level must restart (time out, fallen, or killed).
bool player_life_check(Player& p, const PlayerSounds* snd);
// Places a living player at the cell with full time.
void player_spawn(Player& p, int column, int row);
// One frame of movement, collisions, block bumps and item pickups in the world's play layer.
void player_update(Player& p, World& world, PlayerInput& input, double dt, const PlayerSounds* snd);
// Steps the walk cycle once per drawn frame and plays the footsteps that follow it; chooses the
// pose drawn and whether the player blinks out this frame. Runs last in the frame's update.
void player_animate(Player& p, const PlayerInput& input, const PlayerSounds* snd);
// Draws the player in the pose its animation chose.
void player_draw(const Player& p, const PlayerArt& art, double camera_x, double camera_y);
