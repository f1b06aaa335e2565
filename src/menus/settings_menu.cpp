// The settings and pause menu's rules: its keys, the fade of the darkening, and its loop.
#include "menus/settings_menu.h"

#include <algorithm>

#include "app/audio.h"
#include "menus/widgets.h"

namespace {
constexpr int fade_open = 200;     // the darkening rises a seventh of the way toward this
constexpr int fade_closed = 9;     // and, once closing, falls a tenth a frame down to this
constexpr int mode_labels = 4;     // "Full Screen" … "Windowed"
constexpr int quality_labels = 3;  // "None", "Medium", "High"
constexpr int last_size = static_cast<int>(window_sizes.size()) - 1;

void click(const SettingsMenuSounds* sounds) {
    if (sounds) play_sound(sounds->click.get(), true);
}

void close_with(SettingsMenu& m, int result) {
    m.result = result;
    m.closing = true;
}

MenuRow selected_row(const SettingsMenu& m) { return menu_row(m.row, m.in_game); }

// One step of `value` within 0 … top, counted from the label the menu shows for it; a value
// beyond the labels changes only when the step lands on a label.
bool step_within(int& value, int shown, int dir, int top) {
    int next = shown + dir;
    if (next < 0 || next > top) return false;
    value = next;
    return true;
}

// Right (+1) or Left (−1) on the selected sub-row.
void change_value(SettingsMenu& m, int dir, const SettingsMenuSounds* sounds) {
    bool changed = false;
    if (selected_row(m) == MenuRow::display) {
        std::array<int, display_entries>& d = m.form.display;
        switch (m.sub_row) {
            case display_mode:
                changed =
                    step_within(d[display_mode], shown_mode(d[display_mode]), dir, mode_labels - 1);
                break;
            case display_size:
                // "Custom" sits below the first size: Right from it gives the first size, Left
                // from the first size keeps it.
                changed = step_within(d[display_size], d[display_size], dir, last_size);
                break;
            case display_quality:
                changed = step_within(d[display_quality], shown_quality(d[display_quality]), dir,
                                      quality_labels - 1);
                break;
            default:
                break;
        }
    } else if (selected_row(m) == MenuRow::sound && m.sub_row >= 0 && m.sub_row < sound_entries) {
        int& step = m.form.volumes[m.sub_row];
        changed = step_within(step, shown_volume(step), dir, volume_steps);
    }
    if (changed) click(sounds);
}

void save_and_hear(const SettingsMenu& m) {
    settings_from_menu_and_save(m.form);
    settings_apply_volumes();
}

void confirm(SettingsMenu& m) {
    if (m.sub_row != 1) return;  // "No" does nothing; Backspace goes back
    MenuRow r = selected_row(m);
    if (r == MenuRow::back_to_menu) close_with(m, menu_back);
    if (r == MenuRow::exit) close_with(m, menu_quit);
}

void handle_key(SettingsMenu& m, SDL_Keycode key, const SettingsMenuSounds* sounds) {
    bool in_main = m.column == 0;
    switch (key) {
        case SDLK_ESCAPE:
            close_with(m, menu_resume);
            break;
        case SDLK_UP: {
            int& r = in_main ? m.row : m.sub_row;
            if (r > 0) {
                r -= 1;
                click(sounds);
            }
            break;
        }
        case SDLK_DOWN: {
            int& r = in_main ? m.row : m.sub_row;
            int last = in_main ? menu_rows(m.in_game) - 1 : sub_entries(selected_row(m)) - 1;
            if (r < last) {
                r += 1;
                click(sounds);
            }
            break;
        }
        case SDLK_RIGHT:
            // The sub-column opens where it was left.
            if (in_main) {
                m.column = 1;
            } else {
                change_value(m, 1, sounds);
            }
            save_and_hear(m);
            break;
        case SDLK_LEFT:
            if (!in_main) change_value(m, -1, sounds);
            save_and_hear(m);
            break;
        case SDLK_BACKSPACE:
            m.column = 0;
            break;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            if (in_main) {
                m.sub_row = 0;
                m.column = 1;
            } else {
                confirm(m);
            }
            break;
        case SDLK_SPACE:
            settings_from_menu_and_save(m.form);
            settings_apply();
            break;
        default:
            break;
    }
}
}  // namespace

MenuRow menu_row(int row, bool in_game) {
    if (!in_game && row >= 1) row += 1;  // the settings screen has no "Back to menu"
    switch (row) {
        case 0:
            return MenuRow::resume;
        case 1:
            return MenuRow::back_to_menu;
        case 2:
            return MenuRow::exit;
        case 3:
            return MenuRow::display;
        default:
            return MenuRow::sound;
    }
}

int menu_rows(bool in_game) { return in_game ? 5 : 4; }

int sub_entries(MenuRow row) {
    switch (row) {
        case MenuRow::back_to_menu:
        case MenuRow::exit:
            return 2;
        case MenuRow::display:
            return display_entries;
        case MenuRow::sound:
            return sound_entries;
        default:
            return 0;
    }
}

int shown_mode(int mode) { return mode >= 0 && mode < mode_labels ? mode : mode_windowed; }
int shown_quality(int quality) { return std::clamp(quality, 0, quality_labels - 1); }
int shown_volume(int step) { return std::clamp(step, 0, volume_steps); }
int shown_size(int index) {
    return index >= 0 && index <= last_size ? index : static_cast<int>(window_sizes.size());
}

SettingsMenu settings_menu_open(bool in_game) {
    SettingsMenu m;
    m.in_game = in_game;
    m.form = settings_to_menu();
    settings_from_menu_and_save(m.form);
    return m;
}

int settings_menu_update(SettingsMenu& m, const Controls& c, const SettingsMenuSounds* sounds) {
    // The lists glide toward the rows selected when the last frame was drawn.
    m.row_pos = ease_list(m.row_pos, m.row);
    m.sub_pos = ease_list(m.sub_pos, m.sub_row);
    // Repeated key-downs count: holding Down walks down the column. The controller plays the
    // keys: B goes back as Backspace does, and from the main column closes the menu as Escape
    // does; X applies the display settings as Space does.
    for (const SDL_Event& e : c.events) {
        SDL_Keycode key = menu_key(e, m.stick);
        if (e.type == SDL_CONTROLLERBUTTONDOWN) {
            if (key == SDLK_BACKSPACE && m.column == 0) key = SDLK_ESCAPE;
            if (e.cbutton.button == SDL_CONTROLLER_BUTTON_X) key = SDLK_SPACE;
        }
        if (key != SDLK_UNKNOWN) handle_key(m, key, sounds);
    }
    if (c.quit) close_with(m, menu_quit);
    if (!m.closing) {
        m.fade += (fade_open - m.fade) / 7;
    } else {
        m.fade -= m.fade / 10;
    }
    // Opening "Resume" closes the menu. Once another result is chosen it stays chosen, so a
    // window closed while the menu fades out still quits.
    if (m.column == 1 && selected_row(m) == MenuRow::resume && !m.closing)
        close_with(m, menu_resume);
    return m.closing && m.fade <= fade_closed ? settings_menu_done : screen_running;
}

int settings_menu_run(SettingsMenu& m, const SettingsMenuArt& art,
                      const SettingsMenuSounds* sounds) {
    run_screen([&](const Controls& c) { return settings_menu_update(m, c, sounds); },
               [&] { settings_menu_draw(m, art); });
    return m.result;
}

int settings_menu(bool in_game, const ScreenDraw& below) {
    SettingsMenuArt art = settings_menu_art(in_game);
    art.backdrop = settings_menu_backdrop(below);
    SettingsMenu m = settings_menu_open(in_game);
    SettingsMenuSounds sounds = settings_menu_sounds();
    return settings_menu_run(m, art, &sounds);
}
