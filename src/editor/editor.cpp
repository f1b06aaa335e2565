// The editor's state, keys, mouse and brushes.
#include "editor/editor.h"

#include <algorithm>
#include <cmath>

#include "app/assets.h"
#include "app/audio.h"
#include "app/clock.h"
#include "app/draw.h"

namespace {
constexpr double fly_step = 0.8;          // cells per frame with an arrow held
constexpr double pad_pointer_speed = 14;  // pixels per frame with the stick pushed fully
constexpr double pad_dead_zone = 0.2;

const char* const block_names[19] = {"ground",
                                     "breakable block",
                                     "grassy ground",
                                     "item block",
                                     "spent item block",
                                     "hidden item block",
                                     "earth",
                                     "one-way platform",
                                     "stone",
                                     "stone bricks",
                                     "wooden crate",
                                     "metal block",
                                     "ice",
                                     "sand",
                                     "dark earth",
                                     "mossy stone",
                                     "pipe",
                                     "pillar",
                                     "roof tiles"};
const char* const item_names[8] = {"trap (-13 s)", "sprung trap", "time (+60 s)", "jump",
                                   "speed",        "gem",         "spring",       "coin (+power)"};
const char* const decor_names[12] = {"start flag", "exit flag",  "bush",     "flowers",
                                     "tree",       "rock",       "signpost", "fence",
                                     "mushroom",   "tall grass", "lantern",  "arch"};
const char* const enemy_names[5] = {"walker", "flyer", "enemy 2", "enemy 3", "enemy 4"};

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

// Writes the brushes (or blanks) into the cell as the author's change, noting it for undo.
// Nothing happens when the cell already holds them, as shown and as authored.
bool change_cell(EditorState& ed, World& w, char play, char decor) {
    int r = ed.cell_row, c = ed.cell_column;
    CellChange change{r,    c,     grid_get(r, c, w.play_grid),    grid_get(r, c, w.decor_grid),
                      play, decor, grid_get(r, c, w.authored_play)};
    if (change.play_before == play && change.decor_before == decor &&
        change.authored_before == play)
        return false;
    history_note_cell(ed.history, change);
    author_cell(w, r, c, play, decor);
    return true;
}

// Cells outside the level cannot change, so painting there is silent too.
void paint(EditorState& ed, World& w, const EditorSounds* snd) {
    if (!inside_level(ed.cell_row, ed.cell_column)) return;
    if (change_cell(ed, w, ed.brush0, ed.brush1)) sound(snd, &EditorSounds::put);
}

void erase(EditorState& ed, World& w, const EditorSounds* snd) {
    if (change_cell(ed, w, ' ', ' ')) sound(snd, &EditorSounds::remove);
}

void pick(EditorState& ed, const World& w, const EditorSounds* snd) {
    char play = grid_get(ed.cell_row, ed.cell_column, w.play_grid);
    char decor = grid_get(ed.cell_row, ed.cell_column, w.decor_grid);
    if ((play != ed.brush0 && play != ' ') || (decor != ed.brush1 && decor != ' ')) {
        history_note_pick(ed.history, ed.brush0, ed.brush1, play, decor);
        ed.brush0 = play;
        ed.brush1 = decor;
        sound(snd, &EditorSounds::click);
    }
}
// The wheel's step over the dock: the target may pass the end by less than a step.
void scroll_dock(EditorState& ed, int direction, const EditorSounds* snd) {
    int limit = dock_slot_count * dock_slot_width - window_width;
    if (direction > 0 && ed.dock_scroll_target < limit) {
        ed.dock_scroll_target += dock_wheel_step;
        sound(snd, &EditorSounds::swipe);
    } else if (direction < 0 && ed.dock_scroll_target > 0) {
        ed.dock_scroll_target -= dock_wheel_step;
        sound(snd, &EditorSounds::swipe);
    }
}

double dead_zone(double v) {
    double sign = v < 0 ? -1 : (v > 0 ? 1 : 0);
    return sign * std::max(std::fabs(v) - pad_dead_zone, 0.0) / (1 - pad_dead_zone);
}

// A controller edits like the mouse: the left stick moves the pointer (pushing past the window's
// edge flies the view), A, B and X hold the left, right and middle buttons, Y chooses the slot
// under the pointer and the shoulders scroll the dock. Returns the buttons it holds.
Uint32 pad_edit(EditorState& ed, const Pad& pad, Player& player, const EditorSounds* snd) {
    if (!pad.present) return 0;
    double sx = dead_zone(pad.axis(SDL_CONTROLLER_AXIS_LEFTX));
    double sy = dead_zone(pad.axis(SDL_CONTROLLER_AXIS_LEFTY));
    if (sx != 0 || sy != 0) {
        int x = ed.pointer_x + static_cast<int>(sx * pad_pointer_speed);
        int y = ed.pointer_y + static_cast<int>(sy * pad_pointer_speed);
        if (x < 0 || x >= window_width) player.x += sx < 0 ? -fly_step : fly_step;
        if (y < 0) player.y += fly_step;
        if (y >= window_height) player.y -= fly_step;
        if (player.x < 0) player.x = 0;
        if (player.y < 0) player.y = 0;
        ed.pointer_x = std::clamp(x, 0, window_width - 1);
        ed.pointer_y = std::clamp(y, 0, window_height - 1);
    }
    bool l = pad.button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
    bool r = pad.button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    bool y = pad.button(SDL_CONTROLLER_BUTTON_Y);
    if (l && !ed.pad_shoulder_left) scroll_dock(ed, -1, snd);
    if (r && !ed.pad_shoulder_right) scroll_dock(ed, 1, snd);
    if (y && !ed.pad_y) {
        int slot = dock_hit(ed.pointer_x, ed.pointer_y, ed.dock_scroll);
        if (slot >= 0) choose(ed, slot);
    }
    ed.pad_shoulder_left = l;
    ed.pad_shoulder_right = r;
    ed.pad_y = y;
    Uint32 buttons = 0;
    if (pad.button(SDL_CONTROLLER_BUTTON_A)) buttons |= SDL_BUTTON(SDL_BUTTON_LEFT);
    if (pad.button(SDL_CONTROLLER_BUTTON_B)) buttons |= SDL_BUTTON(SDL_BUTTON_RIGHT);
    if (pad.button(SDL_CONTROLLER_BUTTON_X)) buttons |= SDL_BUTTON(SDL_BUTTON_MIDDLE);
    return buttons;
}

TexturePtr words(const EditorArt& art, const std::string& text, SDL_Color colour) {
    return make_text_texture(art.font.get(), text, colour);
}
}  // namespace

std::string dock_slot_name(int slot) {
    DockSlot s = dock_slot(slot);
    if (s.layer == DockLayer::gap) return "";
    if (s.code >= '0' && s.code <= '4') return enemy_names[s.code - '0'];
    if (s.layer == DockLayer::play && is_block(s.code)) return block_names[s.code - 'a'];
    if (s.layer == DockLayer::play) return item_names[s.code - 'A'];
    if (is_block(s.code)) return std::string("background ") + block_names[s.code - 'a'];
    return decor_names[s.code - 'A'];
}

int brush_icon(DockLayer layer, char code) {
    if (layer == DockLayer::decor && code == rail_brush) return slot_rail;
    int slot = dock_slot_of(layer, code);
    return slot < 0 ? -1 : dock_slot(slot).icon;
}

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
    art.font = open_font("calibri.ttf", 18);
    const SDL_Color ink{255, 255, 255, 255};
    for (int slot = 0; slot < dock_slot_count; ++slot)
        art.slot_names[slot] = words(art, dock_slot_name(slot), ink);
    art.rail_name = words(art, "rail (A)", ink);
    art.eraser_name = words(art, "eraser (C)", ink);
    art.unsaved = words(art, "unsaved  (U saves)", {255, 190, 90, 255});
    const std::string keys = "E play   U save   R reload   Backspace undo   Shift+Backspace redo";
    const std::string mouse =
        "A rails   C eraser   wheel: dock   left paint   right erase   middle pick";
    art.help = words(art, keys + "   " + mouse, ink);
    art.help_lines = {words(art, keys, ink), words(art, mouse, ink)};
}

void editor_mark_cell(EditorState& ed, EditorArt& art, int column, int row,
                      const std::string& note) {
    ed.marked = true;
    ed.marked_column = column;
    ed.marked_row = row;
    art.mark_note = note.empty() ? nullptr : words(art, note, {255, 255, 255, 255});
}

void editor_layers_read(EditorState& ed, const World& world) {
    history_clear(ed.history);
    ed.stroke_held = false;
    editor_layers_saved(ed, world);
}

void editor_layers_saved(EditorState& ed, const World& world) {
    ed.clean_play = world.authored_play;
    ed.clean_decor = world.decor_grid;
    ed.unsaved = false;
}

void editor_notice(EditorState& ed, EditorArt& art, const std::string& text) {
    art.notice = words(art, text, {255, 255, 255, 255});
    ed.notice_until = now_ms() + notice_ms;
}

void editor_handle_key(EditorState& ed, World& world, const SDL_Event& event) {
    switch (event.key.keysym.sym) {
        case SDLK_BACKSPACE:
            if (!ed.active) break;
            if (event.key.keysym.mod & KMOD_SHIFT) {
                history_redo(ed.history, world, ed.brush0, ed.brush1);
            } else {
                history_undo(ed.history, world, ed.brush0, ed.brush1);
            }
            break;
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
        if (event.wheel.y != 0) scroll_dock(ed, event.wheel.y < 0 ? 1 : -1, snd);
    }
}

void editor_update(EditorState& ed, World& world, Player& player, const Controls& controls,
                   const EditorSounds* snd) {
    if (!ed.active) return;
    fly(controls, player);
    Uint32 buttons = controls.mouse_buttons | pad_edit(ed, controls.pad, player, snd);
    double c = tile_size();
    ed.cell_column = cell_floor(ed.pointer_x / c + world.camera_x);
    ed.cell_row = cell_floor((window_height - ed.pointer_y) / c + world.camera_y);
    ed.hover_slot = dock_hit(ed.pointer_x, ed.pointer_y, ed.dock_scroll);
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
    // A stroke is every change made while a button stays down in the level.
    bool stroke = buttons && ed.pointer_y > dock_height;
    if (!stroke && ed.stroke_held) history_close_stroke(ed.history);
    ed.stroke_held = stroke;
    ed.unsaved = world.authored_play != ed.clean_play || world.decor_grid != ed.clean_decor;
    // The dock is drawn with the scroll of the previous easing step; the hit-test above used
    // the current one.
    ed.dock_scroll_drawn = ed.dock_scroll;
    ed.dock_scroll += (ed.dock_scroll_target - ed.dock_scroll) / 5;
}

void editor_release(EditorArt& art, EditorSounds& snd) {
    art = EditorArt{};
    snd = EditorSounds{};
}
