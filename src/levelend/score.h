// The end-of-level score screen: the time left, the stored power, the enemies defeated and the
// items collected turned into points, their total, and a prompt; it stays until a key is pressed.
#pragma once
#include <SDL.h>

#include <string>
#include <vector>

#include "app/controls.h"
#include "app/sdl_handles.h"

// One row: a label ending at the window's vertical centre line, a value starting 50 pixels right
// of it, r rows of 50 pixels below the middle of the window.
struct ScoreRow {
    std::string label, value;
    double r = 0;
};

// The six rows, in French as the player reads them, and the total on the fifth.
std::vector<ScoreRow> score_rows(int time_left, int power, int enemy_points, int items_collected);

// Where a row's texts go on a window of w × h, their rendered sizes already halved.
SDL_Rect score_label_rect(int w, int h, int lw, int lh, double r);
SDL_Rect score_value_rect(int w, int h, int vw, int vh, double r);

struct ScoreScreen {
    struct Row {
        TexturePtr label, value;
        double r = 0;
    };
    std::vector<Row> rows;
    TexturePtr black;
};

constexpr int score_continue = 1;
constexpr int score_quit = -1;  // the window was closed

// Renders the rows once, white, at 60 points.
void score_open(ScoreScreen& s, int time_left, int power, int enemy_points, int items_collected);
// A key pressed this frame continues; mouse buttons do not. A closed window ends it too.
int score_update(const Controls& in);
// Black, then each row at half its rendered size. Changes nothing.
void score_draw(const ScoreScreen& s);
// The screen, until a key is pressed (score_continue) or the window is closed (score_quit).
int show_score_screen(int time_left, int power, int enemy_points, int items_collected);
