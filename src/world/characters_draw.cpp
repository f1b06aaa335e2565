// Drawing the characters, floating on the frame's clock, and the shown character's bubble.
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/assets.h"
#include "app/draw.h"
#include "world/characters.h"

namespace {
constexpr SDL_Color text_colour{0, 0, 0, 255};
constexpr int bubble_max_alpha = 180;  // the bubble stays a little see-through
constexpr int bubble_margin = 20;      // pixels of bubble around the text

// Up and down a quarter cell, one wave every π seconds; the sway is a little quicker.
double float_offset(int clock_ms) { return std::cos(clock_ms / 500.0) / 4; }
double sway_offset(int clock_ms) { return -std::sin(clock_ms / 400.0) / 4; }

struct BubbleLine {
    TexturePtr tex;
    int w = 0, h = 0;
};
}  // namespace

void draw_cell_rect(SDL_Texture* tex, double x, double y, double w, double h) {
    if (!tex) return;
    int t = tile_size();
    SDL_Rect dst{static_cast<int>(t * x), static_cast<int>(window_height - (y + h) * t),
                 static_cast<int>(t * w), static_cast<int>(t * h)};
    SDL_RenderCopy(game_renderer, tex, nullptr, &dst);
}

SDL_Rect bubble_place(SDL_Rect bubble, SDL_Rect speaker, int window_w, int window_h) {
    constexpr int beside_gap = 6;  // pixels between a speaker and a bubble moved beside it
    SDL_Rect r = bubble;
    r.x = std::max(0, std::min(r.x, window_w - r.w));
    r.y = std::max(0, std::min(r.y, window_h - r.h));
    if (r.y <= bubble.y || speaker.w <= 0 || !SDL_HasIntersection(&r, &speaker)) return r;
    int right = speaker.x + speaker.w + beside_gap, left = speaker.x - beside_gap - r.w;
    if (right + r.w <= window_w) {
        r.x = right;
    } else if (left >= 0) {
        r.x = left;
    }
    return r;
}

void characters_draw(const Characters& c, const CharacterArt& art, double camera_x,
                     double camera_y) {
    for (size_t i = 0; i < c.entries.size() && i < art.images.size(); ++i) {
        const Character& e = c.entries[i];
        if (e.disabled) continue;
        double x = e.x - camera_x, y = e.y - camera_y;
        if (e.motion == motion_float || e.motion == motion_sway) y += float_offset(c.clock_ms);
        if (e.motion == motion_sway) x += sway_offset(c.clock_ms);
        draw_cell_rect(art.images[i].get(), x, y, e.w, e.h);
    }
}

void bubble_draw(const Characters& c, const CharacterArt& art, double camera_x, double camera_y) {
    if (c.bubble_alpha <= 0) return;  // while it is 0 the bubble and its text are invisible
    const std::string empty;
    bool listed = c.shown > 0 && c.shown <= static_cast<int>(c.entries.size());
    const std::string& text = listed ? c.entries[c.shown - 1].text : empty;

    // An empty line renders nothing but keeps its place: it is as high as a line of text.
    int line_height = art.font ? TTF_FontHeight(art.font.get()) : 0;
    std::vector<BubbleLine> lines;
    int widest = 0, text_height = 0;
    for (const std::string& s : bubble_lines(text)) {
        BubbleLine line;
        line.tex = make_text_texture(art.font.get(), s, text_colour);
        line.h = line_height;
        if (line.tex) {
            SDL_QueryTexture(line.tex.get(), nullptr, nullptr, &line.w, &line.h);
            SDL_SetTextureBlendMode(line.tex.get(), SDL_BLENDMODE_BLEND);
            set_alpha(line.tex.get(), 0, 255, 255, 255 - c.bubble_alpha);
        }
        widest = std::max(widest, line.w);
        text_height += line.h;
        lines.push_back(std::move(line));
    }

    int t = tile_size();
    // x from the left, y upwards from the window's lower edge: the top of the text.
    double x = (c.anchor_x - camera_x - 2) * t;
    double y = (c.anchor_y - camera_y + 5) * t + text_height;
    SDL_Rect wanted{static_cast<int>(x - bubble_margin),
                    static_cast<int>(window_height - (y + 1) - bubble_margin / 2),
                    widest + 2 * bubble_margin,
                    static_cast<int>(text_height * 1.2 + bubble_margin)};
    // Near the level's top or sides the bubble moves into the window, and the text with it. The
    // speaker counts with the quarter cell it floats and sways by.
    SDL_Rect speaker{0, 0, 0, 0};
    if (listed) {
        const Character& e = c.entries[c.shown - 1];
        speaker = {static_cast<int>((e.x - camera_x) * t) - t / 4,
                   static_cast<int>(window_height - (e.y + e.h - camera_y) * t) - t / 4,
                   e.w * t + t / 2, e.h * t + t / 2};
    }
    SDL_Rect placed = bubble_place(wanted, speaker, window_width, window_height);
    int dx = placed.x - wanted.x, dy = placed.y - wanted.y;
    set_alpha(art.bubble.get(), 0, bubble_max_alpha, 255, 255 - c.bubble_alpha);
    draw_rect(art.bubble.get(), placed.x, placed.y, placed.w, placed.h);
    int above = 0;  // height of the lines already drawn
    for (const BubbleLine& line : lines) {
        draw_rect(line.tex.get(), static_cast<int>(x) + dx,
                  static_cast<int>(window_height - (y - above + 1)) + dy, line.w, line.h);
        above += line.h;
    }
}
