// Level drawing. Cell positions are relative to the camera, in cells, y upwards.
#include "world/level_draw.h"

#include <cmath>

#include "app/draw.h"

namespace {
SDL_Texture* slot(const ThemeTiles& tiles, int i) { return tiles[i].get(); }

// Decorations are drawn for 40-pixel cells: scaled to the cell size, growing up and to the right
// from the cell's lower-left corner.
void draw_own_size(SDL_Texture* tex, double x, double y) {
    int tw, th;
    if (!tex || SDL_QueryTexture(tex, nullptr, nullptr, &tw, &th) != 0) return;
    int t = tile_size();
    double s = t / 40.0;
    int w = static_cast<int>(tw * s), h = static_cast<int>(th * s);
    SDL_Rect dst{static_cast<int>(t * x), static_cast<int>(window_height - t * y - h), w, h};
    render_copy(tex, &dst);
}

bool cell_visible(double x, double y) {
    int t = tile_size();
    int left = static_cast<int>(t * x), top = static_cast<int>(window_height - t * (y + 1));
    return left + t > 0 && left < window_width && top + t > 0 && top < window_height;
}

double pulse(int clock_ms) { return std::fabs(std::cos(clock_ms / 300.0)) * tile_size(); }

void draw_spring(SDL_Texture* tex, double x, double y, int clock_ms) {
    int t = tile_size(), h = window_height;
    double e = pulse(clock_ms) / 2 + h / 48;
    SDL_Rect dst{static_cast<int>(t * x), static_cast<int>(h - t * y - e), t, static_cast<int>(e)};
    if (tex) SDL_RenderCopy(game_renderer, tex, nullptr, &dst);
}

void draw_coin(SDL_Texture* tex, double x, double y, int clock_ms) {
    int t = tile_size();
    double a = pulse(clock_ms);
    SDL_Rect dst{static_cast<int>(t * (x + 0.5) - a / 2),
                 static_cast<int>(window_height - t * (y + 1)), static_cast<int>(a), t};
    if (tex) SDL_RenderCopy(game_renderer, tex, nullptr, &dst);
}

void draw_decor_cell(const ThemeTiles& tiles, char c, double x, double y, bool editor) {
    if (c == ' ' || (c >= '0' && c <= '9')) return;
    if (is_block(c)) {
        // Background blocks: the block tile, darkened.
        SDL_Texture* tex = slot(tiles, c - 'a');
        if (!tex) return;
        SDL_SetTextureColorMod(tex, 150, 150, 150);
        draw_cell(tex, x, y);
        SDL_SetTextureColorMod(tex, 255, 255, 255);
    } else if (c >= 'A' && c <= 'L') {
        SDL_Texture* tex = slot(tiles, slot_first_decor + c - 'A');
        if (editor) draw_cell(tex, x, y);
        if (c != cell::start_marker && c != cell::exit_marker) draw_own_size(tex, x, y);
    } else if (c == cell::rail) {
        draw_cell(slot(tiles, slot_rail), x, y);
    } else {
        draw_cell(slot(tiles, slot_error_decor), x, y);
    }
}

void draw_play_cell(const ThemeTiles& tiles, char c, double x, double y, bool editor,
                    int clock_ms) {
    if (c == ' ') return;
    if (is_block(c)) {
        if (c != cell::hidden_block || editor) draw_cell(slot(tiles, c - 'a'), x, y);
    } else if (c >= 'A' && c <= 'F') {
        draw_cell(slot(tiles, slot_first_item + c - 'A'), x, y);
    } else if (c == cell::spring) {
        draw_spring(slot(tiles, slot_spring), x, y, clock_ms);
    } else if (c == cell::coin) {
        draw_coin(slot(tiles, slot_coin), x, y, clock_ms);
    } else if (c >= '0' && c <= '5') {
        if (editor) draw_cell(slot(tiles, slot_first_enemy + c - '0'), x, y);
    } else {
        draw_cell(slot(tiles, slot_error_play), x, y);
    }
}

struct Connector {
    int dr, dc;
    double angle, length;
};
// Each pair of neighbouring rail cells is joined once: up-right, right, down-right, down.
constexpr Connector connectors[] = {
    {1, 1, -45, 1.41421356237}, {0, 1, 0, 1}, {-1, 1, 45, 1.41421356237}, {-1, 0, 90, 1}};

void draw_rail_connectors(const World& w, const ThemeTiles& tiles, double camera_x,
                          double camera_y) {
    SDL_Texture* tex = slot(tiles, slot_rail_connector);
    if (!tex) return;
    int t = tile_size(), h = window_height;
    int rows = h / t + 1, cols = window_width / t + 1;
    for (int i = 0; i <= rows; ++i) {
        for (int j = 0; j <= cols; ++j) {
            int r = cell_floor(camera_y + i), c = cell_floor(camera_x + j);
            if (grid_get(r, c, w.decor_grid) != cell::rail) continue;
            double x = c - camera_x, y = r - camera_y;
            for (const Connector& k : connectors) {
                if (grid_get(r + k.dr, c + k.dc, w.decor_grid) != cell::rail) continue;
                SDL_Rect dst{static_cast<int>(t * (x + 0.5)), static_cast<int>(h - t * (y + 0.5)),
                             static_cast<int>(t * k.length), static_cast<int>(t * 0.1)};
                SDL_Point centre{0, static_cast<int>(t * 0.1 / 2)};
                // Level tracks are mostly straight across: those need no turning, which is the
                // renderer's dearest copy.
                if (k.angle == 0)
                    render_copy(tex, &dst);
                else
                    render_copy_ex(tex, dst, k.angle, &centre, SDL_FLIP_NONE);
            }
        }
    }
}
}  // namespace

void draw_level(const World& w, const ThemeTiles& tiles, bool editor) {
    draw_level(w, tiles, editor, w.camera_x, w.camera_y);
}

void draw_level(const World& w, const ThemeTiles& tiles, bool editor, double camera_x,
                double camera_y) {
    int t = tile_size();
    int top = window_height / t + 1, right = window_width / t + 9;
    // Cells are taken with floor, not truncation: a camera left of or below the level (a level
    // narrower or lower than the view) must not draw column or row 0 twice.
    double fx = std::floor(camera_x) - camera_x, fy = std::floor(camera_y) - camera_y;
    // The ranges reach beyond the view so that big decorations from cells outside it still show;
    // a cell-sized image wholly outside the window would draw nothing, so it is skipped.
    for (int i = -40; i <= top; ++i) {
        int row = cell_floor(i + camera_y);
        for (int j = -24; j <= right; ++j) {
            int column = cell_floor(j + camera_x);
            double x = j + fx, y = i + fy;
            char decor = grid_get(row, column, w.decor_grid);
            if (!cell_visible(x, y)) {
                if (decor >= 'C' && decor <= 'L')
                    draw_own_size(slot(tiles, slot_first_decor + decor - 'A'), x, y);
                continue;
            }
            draw_decor_cell(tiles, decor, x, y, editor);
            draw_play_cell(tiles, grid_get(row, column, w.play_grid), x, y, editor, w.clock_ms);
        }
    }
    draw_rail_connectors(w, tiles, camera_x, camera_y);
}

void draw_portal(const World& w, const ThemeTiles& tiles) {
    draw_portal(w, tiles, w.camera_x, w.camera_y);
}

void draw_portal(const World& w, const ThemeTiles& tiles, double camera_x, double camera_y) {
    int t = tile_size(), s = 10 * t;
    SDL_Rect dst{static_cast<int>((w.exit_x - camera_x) * t),
                 static_cast<int>(window_height - (w.exit_y - camera_y + 10) * t), s, s};
    // Turned, a layer stays within the circle through the square's corners: out of the window,
    // nothing is drawn (turning a picture is the renderer's dearest copy).
    int reach = s * 3 / 4;
    if (dst.x + s / 2 + reach < 0 || dst.x + s / 2 - reach > window_width ||
        dst.y + s / 2 + reach < 0 || dst.y + s / 2 - reach > window_height)
        return;
    SDL_Point centre{s / 2, s / 2};
    double now = w.clock_ms;
    const double angles[] = {-now / 5, now / 10, now / 150};
    for (int layer = 0; layer < 3; ++layer) {
        SDL_Texture* tex = slot(tiles, slot_portal + 2 - layer);
        render_copy_ex(tex, dst, angles[layer], &centre, SDL_FLIP_NONE);
    }
}
