// Teleport doors: 3 × 3-cell arches with two spinning rings tinted by their channel. Down in
// front of a door's middle cell fades to black, places the player at the other door of the same
// channel and fades back in. A level lists its doors in "portals.lvl"; hidden ones are arrival
// points only.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/sdl_handles.h"
#include "session/world.h"
#include "world/enemies.h"

constexpr int max_doors = 50;  // lines of portals.lvl read
constexpr int door_cells = 3;  // a door is 3 × 3 cells

// What the doors are doing.
constexpr int teleport_idle = 0;
constexpr int teleport_fading_out = 1;
constexpr int teleport_fading_in = 2;

struct Door {
    bool hidden = false;  // its line began with a backslash: unseen and not enterable, but a door
                          // of its channel still leads to it
    int x = 0, y = 0;     // lower-left cell, rows counted from the lowest
    std::uint8_t channel = 0;  // doors of one channel lead to each other; also the rings' colour
    std::string label;         // the channel as written, shown in the editor
};

struct DoorSet {
    int teleport_state = teleport_idle;
    int target_x = 0, target_y = 0;  // the door the player comes out of
    double fade_alpha = 0;           // the teleport's black veil, 0 … 255
    std::vector<Door> doors;         // in file order
    double spin_degrees = 0;         // the rings' angle, clockwise
};

struct DoorArt {
    TexturePtr base, center, center2;  // the arch and the two rings
    TexturePtr veil;
    FontPtr label_font;
    std::vector<TexturePtr> labels;  // one per door
};

struct DoorSounds {
    ChunkPtr teleport;  // "end.wav", at the moment of full black
};

// Once per session: the pictures, the veil, the label font and the sound.
void doors_load_art(DoorArt& art, DoorSounds& sounds);
void doors_release(DoorArt& art, DoorSounds& sounds);
// At the level's entry: no doors, no teleport.
void doors_reset(DoorSet& d);
// At every restart of the level and on R, after the layers: the level's doors replace the old
// ones, but for doors that do not stand wholly inside the level (grid_width × grid_height), which
// are left out with a line each. A teleport under way carries on.
void doors_load(DoorSet& d, DoorArt& art, const std::string& level);

// The colour of a channel's ring.
SDL_Color door_channel_colour(int channel);
// True while a teleport runs: the player's physics and the enemies' contact wait.
inline bool teleporting(const DoorSet& d) { return d.teleport_state != teleport_idle; }
// True while the player comes out of a door: the camera jumps to it instead of gliding.
inline bool teleport_arriving(const DoorSet& d) { return d.teleport_state == teleport_fading_in; }
// Once a frame, in play and in the editor: Down in front of a door starts a teleport; a
// teleport fades out in 20 frames, places the player at the partner door with every enemy gone,
// and fades in in 20 frames.
void doors_update(DoorSet& d, Player& p, const PlayerInput& input, Enemies& enemies,
                  const DoorSounds* sounds);

// Every door that is not hidden; the editor also shows each door's channel.
void doors_draw(const DoorSet& d, const DoorArt& art, double camera_x, double camera_y,
                bool editor);
// The teleport's veil over the whole window, right after the player.
void doors_draw_veil(const DoorSet& d, const DoorArt& art);
