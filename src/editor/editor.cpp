// The editor's state, keys, mouse and brushes.
#include "editor/editor.h"

#include "app/assets.h"
#include "app/audio.h"
#include "app/draw.h"

namespace {
constexpr double fly_step = 0.8;  // cells per frame with an arrow held

struct DockGroup {
    int first, count;
    DockLayer layer;
    char first_code;
    int first_icon;
};
// Blocks, items, decorations (with the markers), enemy spawn cells, background blocks.
constexpr DockGroup dock_groups[] = {
    {0, 19, DockLayer::play, 'a', 0},
    {20, 8, DockLayer::play, 'A', slot_first_item},
    {29, 12, DockLayer::decor, 'A', slot_first_decor},
    {42, 5, DockLayer::play, '0', slot_first_enemy},
    {48, 19, DockLayer::decor, 'a', 0},
};

void sound(const EditorSounds* snd, ChunkPtr EditorSounds::*which) {
    if (snd) play_sound((snd->*which).get(), false);
}

void choose(EditorState& ed, int slot) {
    DockSlot s = dock_slot(slot);
    if (s.layer == DockLayer::play) {
        ed.brush0 = s.code;
        ed.brush1 = ' ';
    } else if (s.layer == DockLayer::decor) {
        ed.brush0 = ' ';
        ed.brush1 = s.code;
    }
}

void fly(const Controls& c, Player& player) {
    if (c.key(SDL_SCANCODE_RIGHT)) player.x += fly_step;
    if (c.key(SDL_SCANCODE_LEFT)) player.x -= fly_step;
    if (c.key(SDL_SCANCODE_UP)) player.y += fly_step;
    if (c.key(SDL_SCANCODE_DOWN)) player.y -= fly_step;
    if (player.x < 0) player.x = 0;
    if (player.y < 0) player.y = 0;
}

bool inside_level(int row, int column) {
    return row >= 0 && row < grid_height && column >= 0 && column < grid_width;
}

// Cells outside the level cannot change, so painting there is silent too.
void paint(EditorState& ed, World& w, const EditorSounds* snd) {
    int r = ed.cell_row, c = ed.cell_column;
    if (!inside_level(r, c)) return;
    if (grid_get(r, c, w.play_grid) == ed.brush0 && grid_get(r, c, w.decor_grid) == ed.brush1)
        return;
    grid_set(r, c, w.play_grid, ed.brush0);
    grid_set(r, c, w.decor_grid, ed.brush1);
    sound(snd, &EditorSounds::put);
}

void erase(EditorState& ed, World& w, const EditorSounds* snd) {
    int r = ed.cell_row, c = ed.cell_column;
    if (grid_get(r, c, w.play_grid) == ' ' && grid_get(r, c, w.decor_grid) == ' ') return;
    grid_set(r, c, w.play_grid, ' ');
    grid_set(r, c, w.decor_grid, ' ');
    sound(snd, &EditorSounds::remove);
}

void pick(EditorState& ed, const World& w, const EditorSounds* snd) {
    char play = grid_get(ed.cell_row, ed.cell_column, w.play_grid);
    char decor = grid_get(ed.cell_row, ed.cell_column, w.decor_grid);
    if ((play != ed.brush0 && play != ' ') || (decor != ed.brush1 && decor != ' ')) {
        ed.brush0 = play;
        ed.brush1 = decor;
        sound(snd, &EditorSounds::click);
    }
}
}  // namespace

DockSlot dock_slot(int slot) {
    for (const DockGroup& g : dock_groups) {
        if (slot >= g.first && slot < g.first + g.count) {
            int k = slot - g.first;
            return {g.layer, static_cast<char>(g.first_code + k), g.first_icon + k};
        }
    }
    return {};
}

int dock_slot_of(DockLayer layer, char code) {
    if (code == ' ') return -1;
    for (const DockGroup& g : dock_groups) {
        if (g.layer == layer && code >= g.first_code && code < g.first_code + g.count)
            return g.first + (code - g.first_code);
    }
    return -1;
}

int dock_hit(int x, int y, int scroll) {
    if (y < 9 || y > 49) return -1;
    int p = scroll + x - 10;
    // Truncating remainder: at scroll 0 the ten pixels left of the first icon count as slot 0.
    if (p % dock_slot_width >= tile_size()) return -1;
    int slot = p / dock_slot_width;
    if (slot >= dock_slot_count || dock_slot(slot).layer == DockLayer::gap) return -1;
    return slot;
}

void editor_init(EditorState& ed, EditorArt& art, EditorSounds& snd) {
    ed = EditorState{};
    snd.swipe = load_sound("swipe.wav");
    snd.click = load_sound("click.wav");
    snd.put = load_sound("put.wav");
    snd.remove = load_sound("rem.wav");
    art.cursor = load_texture("ide/mouse.png");
    art.dock = load_texture("ide/dock.png");
    art.select = load_texture("ide/select.png");
}

void editor_handle_key(EditorState& ed, const SDL_Event& event) {
    switch (event.key.keysym.sym) {
        case SDLK_e:
            ed.active = !ed.active;
            break;
        case SDLK_a:
            // A also walks left: only the editor takes it as the rail brush (of the decor layer).
            if (ed.active) ed.brush1 = rail_brush;
            break;
        case SDLK_c:
            ed.brush0 = ed.brush1 = ' ';
            break;
        default:
            break;
    }
}

void editor_handle_event(EditorState& ed, const SDL_Event& event, const EditorSounds* snd) {
    if (!ed.active) return;
    if (event.type == SDL_MOUSEMOTION) {
        ed.pointer_x = event.motion.x;
        ed.pointer_y = event.motion.y;
    } else if (event.type == SDL_MOUSEWHEEL && ed.pointer_y < dock_height) {
        int limit = dock_slot_count * dock_slot_width - window_width;
        if (event.wheel.y < 0 && ed.dock_scroll_target < limit) {
            ed.dock_scroll_target += dock_wheel_step;
            sound(snd, &EditorSounds::swipe);
        } else if (event.wheel.y > 0 && ed.dock_scroll_target > 0) {
            ed.dock_scroll_target -= dock_wheel_step;
            sound(snd, &EditorSounds::swipe);
        }
    }
}

void editor_update(EditorState& ed, World& world, Player& player, const Controls& controls,
                   const EditorSounds* snd) {
    if (!ed.active) return;
    fly(controls, player);
    double c = tile_size();
    ed.cell_column = cell_floor(ed.pointer_x / c + world.camera_x);
    ed.cell_row = cell_floor((window_height - ed.pointer_y) / c + world.camera_y);
    Uint32 buttons = controls.mouse_buttons;
    bool left = buttons & SDL_BUTTON(SDL_BUTTON_LEFT);
    bool right = buttons & SDL_BUTTON(SDL_BUTTON_RIGHT);
    bool in_level = ed.pointer_y > dock_height;
    if (left && in_level) {
        paint(ed, world, snd);
    } else if (left && ed.pointer_y < dock_height) {
        int slot = dock_hit(ed.pointer_x, ed.pointer_y, ed.dock_scroll);
        if (slot >= 0) choose(ed, slot);
    } else if (right && in_level) {
        erase(ed, world, snd);
    } else if (buttons && in_level) {
        pick(ed, world, snd);
    }
    // The dock is drawn with the scroll of the previous easing step; the hit-test above used
    // the current one.
    ed.dock_scroll_drawn = ed.dock_scroll;
    ed.dock_scroll += (ed.dock_scroll_target - ed.dock_scroll) / 5;
}

void editor_release(EditorArt& art, EditorSounds& snd) {
    art = EditorArt{};
    snd = EditorSounds{};
}
