// The settings and pause menu's pictures: its labels, made when it opens, and its frame.
#include <algorithm>
#include <cstdio>
#include <string>

#include "app/assets.h"
#include "app/audio.h"
#include "app/draw.h"
#include "menus/settings_menu.h"
#include "menus/widgets.h"

namespace {
constexpr int title_size = 50;  // the main column and the cursor
constexpr int entry_size = 30;  // everything else
constexpr SDL_Color label_colour{255, 255, 255, 255};
// The sub-column's fixed places, right of its entries: "<", the values, ">".
constexpr int less_offset = 170;
constexpr int value_offset = 200;
constexpr int more_offset = 350;
constexpr int arrow_gap = 12;    // between an arrow and a label it has moved clear of
constexpr int main_gap = 30;     // kept free right of the main column's rows
constexpr int edge_margin = 20;  // kept free at the window's right edge
constexpr int cursor_gap = 50;

std::vector<TexturePtr> labels(TTF_Font* font, std::initializer_list<std::string> texts) {
    std::vector<TexturePtr> out;
    for (const std::string& t : texts) out.push_back(make_label(font, t, label_colour));
    return out;
}

SDL_Texture* label_at(const std::vector<TexturePtr>& list, int index) {
    return index >= 0 && index < static_cast<int>(list.size()) ? list[index].get() : nullptr;
}

int width_of(SDL_Texture* tex) {
    int w = 0;
    if (tex) SDL_QueryTexture(tex, nullptr, nullptr, &w, nullptr);
    return w;
}

int widest(const std::vector<TexturePtr>& list) {
    int w = 0;
    for (const TexturePtr& t : list) w = std::max(w, width_of(t.get()));
    return w;
}

// The entries of the open "Display" or "Sound" sub-column, with the value each one shows.
const std::vector<TexturePtr>* value_entries(const SettingsMenu& m, const SettingsMenuArt& art,
                                             std::vector<SDL_Texture*>* values) {
    const SettingsForm& f = m.form;
    switch (menu_row(m.row, m.in_game)) {
        case MenuRow::display:
            *values = {label_at(art.modes, shown_mode(f.display[display_mode])),
                       label_at(art.sizes, shown_size(f.display[display_size])),
                       label_at(art.qualities, shown_quality(f.display[display_quality]))};
            return &art.display_entries;
        case MenuRow::sound:
            values->clear();
            for (int step : f.volumes) values->push_back(label_at(art.volumes, shown_volume(step)));
            return &art.sound_entries;
        default:
            return nullptr;
    }
}

// A value beside entry i, fading and gliding with it; a shrunk value keeps its middle on the
// entry's middle.
void draw_value(SDL_Texture* tex, int i, int x, double pos, double scale) {
    int a = fading_alpha(i, pos);
    int h = 0;
    if (!tex || a == 0 || SDL_QueryTexture(tex, nullptr, nullptr, nullptr, &h) != 0) return;
    SDL_SetTextureAlphaMod(tex, static_cast<Uint8>(a));
    draw_scaled(tex, x, fading_y(i, pos) + static_cast<int>(h * (1 - scale) / 2), scale);
}
}  // namespace

SubColumnPlace sub_column_place(const SettingsMenu& m, const SettingsMenuArt& art) {
    std::vector<SDL_Texture*> values;
    const std::vector<TexturePtr>* entries = value_entries(m, art, &values);
    int entry_w = entries ? widest(*entries) : 0, value_w = 0;
    for (SDL_Texture* v : values) value_w = std::max(value_w, width_of(v));
    // "<" and the values past an entry that would reach into "<"; ">" past a value shown.
    int less_off = entry_w > less_offset ? entry_w + arrow_gap : less_offset;
    int value_off = less_off + value_offset - less_offset;
    int more_off =
        value_off + value_w > more_offset ? value_off + value_w + arrow_gap : more_offset;
    // Past the window's right edge (with a margin), the sub-column moves left, but not over the
    // main column's rows in sight; on the narrowest windows ">" stops at the margin and the
    // values shrink to what is left.
    int more_w = width_of(art.more.get());
    int x = window_width / 2;
    int main_right = window_width / 6;
    for (int r = m.row - 1; r <= m.row + 1; ++r)
        main_right = std::max(main_right, window_width / 6 + width_of(label_at(art.rows, r)));
    int overflow = x + more_off + more_w + edge_margin - window_width;
    int room = x - main_right - main_gap;
    if (overflow > 0 && room > 0) x -= std::min(overflow, room);
    double scale = 1.0;
    int fit = window_width - edge_margin - more_w - x;  // the furthest right ">" can stand
    if (more_off > fit) {
        int value_room = fit - arrow_gap - value_off;
        if (value_w > value_room && value_w > 0)
            scale = std::max(0.0, static_cast<double>(value_room) / value_w);
        more_off = std::max(fit, value_off + static_cast<int>(value_w * scale) + arrow_gap);
    }
    return {x, x + less_off, x + value_off, x + more_off, scale};
}

SettingsMenuArt settings_menu_art(bool in_game) {
    SettingsMenuArt art;
    FontPtr big = open_font("intensa.ttf", title_size);
    FontPtr small = open_font("intensa.ttf", entry_size);
    if (in_game) {
        art.rows = labels(big.get(), {"Resume", "Back to menu", "Exit", "Display", "Sound"});
    } else {
        art.rows = labels(big.get(), {"Resume", "Exit", "Display", "Sound"});
    }
    art.confirm = labels(small.get(), {"No", "Yes"});
    art.display_entries = labels(small.get(), {"Mode", "Resolution", "Smoothing"});
    art.modes = labels(
        small.get(), {"Full Screen", "Full Screen Borderless", "Windowed Borderless", "Windowed"});
    for (size_t i = 0; i <= window_sizes.size(); ++i)
        art.sizes.push_back(
            make_label(small.get(), window_size_label(static_cast<int>(i)), label_colour));
    art.qualities = labels(small.get(), {"None", "Medium", "High"});
    art.sound_entries = labels(small.get(), {"General", "Music", "Effects", "Menus"});
    for (int step = 0; step <= volume_steps; ++step) {
        char text[16];
        std::snprintf(text, sizeof text, "%d %c", step * volume_step_percent, '%');
        art.volumes.push_back(make_label(small.get(), text, label_colour));
    }
    art.less = make_label(small.get(), "<", label_colour);
    art.more = make_label(small.get(), ">", label_colour);
    art.cursor = make_label(big.get(), ">", label_colour);
    art.corner = load_texture("ide/setts.png");
    art.dimmer = make_black_texture();
    if (art.dimmer) SDL_SetTextureBlendMode(art.dimmer.get(), SDL_BLENDMODE_BLEND);
    return art;
}

TexturePtr settings_menu_backdrop(const ScreenDraw& below) {
    if (below) {
        SDL_RenderClear(game_renderer);
        below();
    }
    return window_snapshot();
}

SettingsMenuSounds settings_menu_sounds() {
    SettingsMenuSounds sounds;
    sounds.click = load_sound("click.wav");
    return sounds;
}

void settings_menu_draw(const SettingsMenu& m, const SettingsMenuArt& art) {
    int w = window_width, h = window_height;
    draw_fullscreen(art.backdrop.get());
    set_alpha(art.dimmer.get(), 0, 255, 250, 255 - m.fade);
    draw_fullscreen(art.dimmer.get());
    // The corner picture sits under the texts, so a row gliding past it stays readable.
    draw_scaled_anchored(art.corner.get(), 0, 0, 1.0);
    draw_fading_list(art.rows, w / 6, m.row_pos);
    if (m.column == 1) {
        switch (menu_row(m.row, m.in_game)) {
            case MenuRow::back_to_menu:
            case MenuRow::exit:
                draw_fading_list(art.confirm, (4 * w) / 6, m.sub_pos);
                break;
            case MenuRow::display:
            case MenuRow::sound: {
                std::vector<SDL_Texture*> values;
                const std::vector<TexturePtr>& entries = *value_entries(m, art, &values);
                SubColumnPlace at = sub_column_place(m, art);
                draw_fading_list(entries, at.x, m.sub_pos);
                for (size_t i = 0; i < values.size(); ++i)
                    draw_value(values[i], static_cast<int>(i), at.value_x, m.sub_pos,
                               at.value_scale);
                draw_scaled(art.less.get(), at.less_x, h / 2, 1.0);
                draw_scaled(art.more.get(), at.more_x, h / 2, 1.0);
                break;
            }
            case MenuRow::resume:
                break;
        }
    } else {
        draw_scaled(art.cursor.get(), w / 6 - cursor_gap, h / 2, 1.0);
    }
}
