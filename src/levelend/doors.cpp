// Teleport doors: loading a level's doors, and the teleport from Down to the fade back in.
#include "levelend/doors.h"

#include <cstdio>

#include "app/assets.h"
#include "app/audio.h"
#include "app/clock.h"
#include "session/level_files.h"

namespace {
constexpr SDL_Color label_colour{0, 0, 0, 255};
constexpr double full_black = 255;

// True when the player overlaps the column of the door's middle cell, from its lowest row to
// the top of the middle cell.
bool in_front(const Door& door, const Player& p) {
    return p.x + p.w > door.x + 1 && p.x < door.x + 2 && p.y + p.h >= door.y + 1 &&
           p.y <= door.y + 2;
}

// The door that door i leads to: the first other door of its channel in the table, hidden or
// not; a door without partner leads back to itself.
const Door& partner(const DoorSet& d, size_t i) {
    for (size_t j = 0; j < d.doors.size(); ++j) {
        if (j != i && d.doors[j].channel == d.doors[i].channel) return d.doors[j];
    }
    return d.doors[i];
}

void try_enter(DoorSet& d, const Player& p) {
    // Touching two doors at once, the later one in the table wins.
    for (size_t i = 0; i < d.doors.size(); ++i) {
        if (d.doors[i].hidden || !in_front(d.doors[i], p)) continue;
        const Door& target = partner(d, i);
        d.teleport_state = teleport_fading_out;
        d.target_x = target.x;
        d.target_y = target.y;
    }
}
}  // namespace

void doors_load_art(DoorArt& art, DoorSounds& sounds) {
    art.base = load_texture("textures/theme_base/door/base.png");
    art.center = load_texture("textures/theme_base/door/center.png");
    art.center2 = load_texture("textures/theme_base/door/center2.png");
    art.veil = make_black_texture();
    if (art.veil) SDL_SetTextureBlendMode(art.veil.get(), SDL_BLENDMODE_BLEND);
    art.label_font = open_font("calibri.ttf", 20);
    art.labels.clear();
    sounds.teleport = load_sound("end.wav");
}

void doors_release(DoorArt& art, DoorSounds& sounds) {
    art = DoorArt{};
    sounds = DoorSounds{};
}

void doors_reset(DoorSet& d) {
    d.teleport_state = teleport_idle;
    d.fade_alpha = 0;
    d.doors.clear();
}

void doors_load(DoorSet& d, DoorArt& art, const std::string& level) {
    art.labels.clear();
    d.doors.clear();
    for (const Door& door : read_doors_file(level)) {
        // A door must stand wholly inside the level: out of one that does not, the player would
        // come out beyond the world's edge.
        if (door.x >= 0 && door.y >= 0 && door.x + door_cells <= grid_width &&
            door.y + door_cells <= grid_height) {
            d.doors.push_back(door);
            continue;
        }
        std::printf(
            "%s: the door [%d|%d|%d] does not stand inside the level (%d x %d cells): "
            "left out.\n",
            level_path(level, "portals.lvl").c_str(), door.x, door.y, door.channel, grid_width,
            grid_height);
    }
    std::fflush(stdout);
    for (const Door& door : d.doors)
        art.labels.push_back(make_text_texture(art.label_font.get(), door.label, label_colour));
}

SDL_Color door_channel_colour(int channel) {
    switch (channel) {
        case 0:
            return {66, 134, 244, 255};  // blue
        case 1:
            return {66, 244, 80, 255};  // green
        case 2:
            return {241, 244, 66, 255};  // yellow
        case 3:
            return {244, 66, 167, 255};  // pink
        case 4:
            return {244, 95, 66, 255};  // orange
        default:
            return {140, 66, 244, 255};  // purple
    }
}

void doors_update(DoorSet& d, Player& p, const PlayerInput& input, Enemies& enemies,
                  const DoorSounds* sounds) {
    d.spin_degrees = now_ms() / 5.0;  // 200 degrees a second
    switch (d.teleport_state) {
        case teleport_fading_out:
            // A quarter of what is left to black each frame: black after 20 frames.
            d.fade_alpha += (256 - d.fade_alpha) / 4;
            if (d.fade_alpha > full_black) {
                d.fade_alpha = full_black;
                // Out of the door's middle column, standing on its lowest row.
                p.x = d.target_x + 1;
                p.y = d.target_y;
                p.vx = p.vy = 0;
                enemies_clear(enemies);
                d.teleport_state = teleport_fading_in;
                if (sounds) play_sound(sounds->teleport.get(), false);
            }
            break;
        case teleport_fading_in:
            d.fade_alpha -= (d.fade_alpha + 1) / 4;
            if (d.fade_alpha < 0) {
                d.fade_alpha = 0;
                d.teleport_state = teleport_idle;
            }
            break;
        default:
            if (input.down_pressed) try_enter(d, p);
            break;
    }
}
