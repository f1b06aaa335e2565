// The player: a body one cell wide and two tall that walks, runs, jumps (held and off walls),
// dashes, lands, bumps blocks from below and picks up items, against a countdown. Moves are
// swept in 100 sub-steps per axis against the play layer with the grid probes.
#pragma once
#include "session/world.h"

extern int dash_direction;    // +1 or −1, direction of the current dash
extern double dash_distance;  // cells travelled by the current dash

// Loads the skin's images and the player's sounds; the player starts not alive.
void player_create(Player& p, const std::string& skin);
void player_release(Player& p);
// Counts the frame down; true when the level must restart (time out, fallen, or killed).
bool player_life_check(Player& p);
// Places a living player at the cell with full time.
void player_spawn(Player& p, int column, int row);
// One frame of movement, collisions, block bumps and item pickups.
void player_update(Player& p, Grid& play, PlayerInput& input, double dt);
// Draws the player (blinking while it cannot be hurt) and plays the footsteps.
void player_draw(Player& p, double camera_x, double camera_y, PlayerInput input);
