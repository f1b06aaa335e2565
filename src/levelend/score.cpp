// The score rows, their layout and the screen's loop.
#include "levelend/score.h"

#include <cstdio>

#include "app/assets.h"
#include "app/draw.h"
#include "app/screen.h"

namespace {
constexpr int score_font_size = 60;
constexpr SDL_Color score_colour{255, 255, 255, 255};
constexpr int row_height = 50;
constexpr int value_gap = 50;

std::string plus(int points) {
    char text[32];
    std::snprintf(text, sizeof text, "+ %d", points);
    return text;
}

void half_size(SDL_Texture* tex, int* w, int* h) {
    *w = *h = 0;
    if (tex) SDL_QueryTexture(tex, nullptr, nullptr, w, h);
    *w /= 2;
    *h /= 2;
}
}  // namespace

std::vector<ScoreRow> score_rows(int time_left, int power, int enemy_points, int items_collected) {
    int time_points = time_left / 1000, power_points = power / 1000;
    int enemy_score = enemy_points * 20, item_score = items_collected * 5;
    int total = time_points + power_points + enemy_score + item_score;
    return {
        {"Temps restant:", plus(time_points), -2.0},
        {"Bonus puissance:", plus(power_points), -1.0},
        {"Enemis tués:", plus(enemy_score), 0.0},
        {"Objets récupérés:", plus(item_score), 1.0},
        {"Score total:", std::to_string(total), 2.5},
        {"Appuyez sur une touche", "pour continuer", 5.0},
    };
}

SDL_Rect score_label_rect(int w, int h, int lw, int lh, double r) {
    return {w / 2 - lw, static_cast<int>((h - lh) / 2 + r * row_height), lw, lh};
}

SDL_Rect score_value_rect(int w, int h, int vw, int vh, double r) {
    return {w / 2 + value_gap, static_cast<int>((h - vh) / 2 + r * row_height), vw, vh};
}

void score_open(ScoreScreen& s, int time_left, int power, int enemy_points, int items_collected) {
    FontPtr font = open_font("intensa.ttf", score_font_size);
    s.black = make_black_texture();
    s.rows.clear();
    for (const ScoreRow& row : score_rows(time_left, power, enemy_points, items_collected)) {
        s.rows.push_back({make_text_texture(font.get(), row.label, score_colour),
                          make_text_texture(font.get(), row.value, score_colour), row.r});
    }
}

int score_update(const Controls& in) {
    if (in.quit) return score_quit;
    for (const SDL_Event& e : in.events)
        if (is_press(e) || e.type == SDL_CONTROLLERBUTTONDOWN) return score_continue;
    return screen_running;
}

void score_draw(const ScoreScreen& s) {
    draw_fullscreen(s.black.get());
    for (const ScoreScreen::Row& row : s.rows) {
        int lw, lh, vw, vh;
        half_size(row.label.get(), &lw, &lh);
        half_size(row.value.get(), &vw, &vh);
        SDL_Rect l = score_label_rect(window_width, window_height, lw, lh, row.r);
        SDL_Rect v = score_value_rect(window_width, window_height, vw, vh, row.r);
        draw_rect(row.label.get(), l.x, l.y, l.w, l.h);
        draw_rect(row.value.get(), v.x, v.y, v.w, v.h);
    }
}

int show_score_screen(int time_left, int power, int enemy_points, int items_collected) {
    ScoreScreen s;
    score_open(s, time_left, power, enemy_points, items_collected);
    return run_screen(score_update, [&] { score_draw(s); });
}
