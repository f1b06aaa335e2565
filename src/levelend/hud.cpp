// The gauges' easing, colours and layout.
#include "levelend/hud.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/assets.h"
#include "app/clock.h"
#include "app/draw.h"

HudGauges hud_gauges;

namespace {
constexpr double full_time_units = 300000.0;
constexpr double full_power_units = 40000.0;
constexpr int flicker_period_ms = 180;
constexpr double power_lift = 0.001;  // keeps the bar a hair above its value
constexpr int ticks = 360;
constexpr int ring_cx = 70, ring_cy = 70, tick_length = 40;
constexpr int segments = 4;
constexpr double segment_length = 37.5;
constexpr Uint8 frame_grey = 85;
constexpr SDL_Color spent{50, 50, 50, 255};
constexpr SDL_Color full_segment{50, 219, 255, 255};
// The seconds fit the ring's inside: at this size three of the widest digits with their gaps are
// 66 pixels wide.
constexpr int digit_font_size = 30;
constexpr int digit_gap = 2;  // pixels between two digits' cells, so that no two ever touch
constexpr int digits_centre_x = 69;

Uint8 channel(double v) { return static_cast<Uint8>(std::clamp(static_cast<int>(v), 0, 255)); }

void tint(SDL_Texture* tex, SDL_Color c) { SDL_SetTextureColorMod(tex, c.r, c.g, c.b); }

int glyph_index(char c) {
    const char* at = std::strchr(hud_glyph_chars, c);
    return at && c ? static_cast<int>(at - hud_glyph_chars) : -1;
}
}  // namespace

void hud_create(HudArt& art) {
    art.dot = load_texture("ide/px.png");
    art.ring = load_texture("ide/circle.png");
    art.bar = load_texture("ide/h2.png");
    if (art.ring) SDL_SetTextureColorMod(art.ring.get(), frame_grey, frame_grey, frame_grey);
    if (art.bar) SDL_SetTextureColorMod(art.bar.get(), frame_grey, frame_grey, frame_grey);
    FontPtr font = open_font("intensa.ttf", digit_font_size);
    // Every character stands in a cell as wide as the widest one: the seconds do not shift as
    // they count down, and a glyph never reaches into its neighbour's cell.
    int widest = 0;
    for (size_t i = 0; i < art.glyphs.size(); ++i) {
        art.glyphs[i] =
            make_text_texture(font.get(), std::string(1, hud_glyph_chars[i]), {255, 255, 255, 255});
        int w = 0;
        if (art.glyphs[i]) SDL_QueryTexture(art.glyphs[i].get(), nullptr, nullptr, &w, nullptr);
        widest = std::max(widest, w);
    }
    art.digit_pitch = widest + digit_gap;
}

void hud_destroy(HudArt& art) { art = HudArt{}; }

void hud_update(HudGauges& g, int time_left, int power) {
    g.time_smooth += (time_left / full_time_units - g.time_smooth) / 10;
    // The eased value and its tenth are summed before the lift: in another order the last bit
    // differs, and at times so does a segment's last pixel.
    g.power_smooth = g.power_smooth + (power / full_power_units - g.power_smooth) / 10 + power_lift;
    g.flicker = (now_ms() % flicker_period_ms) / static_cast<double>(flicker_period_ms);
}

SDL_Color hud_tick_colour(int i, double s, bool vulnerable, double ph) {
    if (i >= s * ticks) return spent;
    if (vulnerable) return {channel((1 - s) * 510), channel(s * 510), 0, 255};
    // Only the low 8 bits count: green falls from 126 to 0, jumps to 255 and falls to 128.
    return {static_cast<Uint8>(static_cast<int>(ph * 255) & 0xFF),
            static_cast<Uint8>(static_cast<int>(382 - ph * 255) & 0xFF), 0, 255};
}

double hud_segment_fill(double power_smooth, int j) {
    return std::clamp(power_smooth * segments - j, 0.0, 1.0);
}

SDL_Color hud_segment_colour(double f) {
    if (f == 1.0) return full_segment;
    return {channel((1 - f) * 510), channel(f * 510), 0, 255};
}

std::string hud_seconds_text(int time_left) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0lf", time_left / 1000.0);
    return text;
}

int hud_char_x(int k, int n, int cw, int pitch) {
    return static_cast<int>(digits_centre_x + (k - n / 2.0) * pitch + (pitch - cw) / 2.0);
}

namespace {
bool same_colours(const std::vector<SDL_Color>& a, const std::vector<SDL_Color>& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](SDL_Color x, SDL_Color y) {
               return x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a;
           });
}

// The frame's pixels in `r`, given in the viewport (the renderer reads window coordinates).
std::vector<Uint32> read_rect(const SDL_Rect& r, const SDL_Rect& viewport) {
    SDL_Rect in_window{r.x + viewport.x, r.y + viewport.y, r.w, r.h};
    std::vector<Uint32> px(static_cast<size_t>(r.w) * r.h);
    if (SDL_RenderReadPixels(game_renderer, &in_window, SDL_PIXELFORMAT_ARGB8888, px.data(),
                             r.w * 4) != 0)
        px.clear();
    return px;
}

// The ring's ticks, each the dot stretched into a line and turned about the ring's centre. When
// the frame round the ring holds the pixels it held under the same ticks before, the pixels
// they left then are copied back instead.
void draw_ticks(const HudArt& art, SDL_Texture* dot, const std::vector<SDL_Color>& colours) {
    auto turn_all = [&] {
        SDL_Rect tick{ring_cx, ring_cy, tick_length, 1};
        SDL_Point pivot{0, 0};
        for (int i = 0; i < ticks; ++i) {
            tint(dot, colours[static_cast<size_t>(i)]);
            render_copy_ex(dot, tick, i - 90, &pivot, SDL_FLIP_NONE);
        }
    };
    // Every turned tick lands within a tick's length and a pixel of the centre.
    constexpr int reach = tick_length + 2;
    SDL_Rect area{ring_cx - reach, ring_cy - reach, 2 * reach + 1, 2 * reach + 1};
    SDL_Rect viewport{0, 0, 0, 0};
    SDL_RenderGetViewport(game_renderer, &viewport);
    bool fits = area.x >= 0 && area.y >= 0 && area.x + area.w <= window_width &&
                area.y + area.h <= window_height;
    if (!art.keep_ticks || !fits) {
        turn_all();
        return;
    }
    HudArt::KeptTicks* kept = nullptr;
    for (HudArt::KeptTicks& k : art.kept_ticks)
        if (k.viewport.x == viewport.x && k.viewport.y == viewport.y &&
            k.viewport.w == viewport.w && k.viewport.h == viewport.h)
            kept = &k;
    if (!kept) {
        kept = &art.kept_ticks.emplace_back();
        kept->viewport = viewport;
    }
    std::vector<Uint32> under = read_rect(area, viewport);
    if (!under.empty() && kept->pasted && under == kept->under &&
        same_colours(colours, kept->colours)) {
        SDL_RenderCopy(game_renderer, kept->pasted.get(), nullptr, &area);
        return;
    }
    turn_all();
    std::vector<Uint32> after = read_rect(area, viewport);
    if (under.empty() || after.empty()) return;
    if (!kept->pasted) {
        kept->pasted.reset(SDL_CreateTexture(game_renderer, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STATIC, area.w, area.h));
        if (kept->pasted) SDL_SetTextureBlendMode(kept->pasted.get(), SDL_BLENDMODE_NONE);
    }
    if (!kept->pasted ||
        SDL_UpdateTexture(kept->pasted.get(), nullptr, after.data(), area.w * 4) != 0) {
        kept->pasted.reset();
        return;
    }
    kept->under = std::move(under);
    kept->colours = colours;
}
}  // namespace

void hud_draw(const HudArt& art, const HudGauges& g, int time_left, bool vulnerable) {
    SDL_Texture* dot = art.dot.get();
    if (dot) {
        std::vector<SDL_Color> colours(ticks);
        for (int i = 0; i < ticks; ++i)
            colours[static_cast<size_t>(i)] =
                hud_tick_colour(i, g.time_smooth, vulnerable, g.flicker);
        draw_ticks(art, dot, colours);
        for (int j = 0; j < segments; ++j) {
            double f = hud_segment_fill(g.power_smooth, j);
            tint(dot, hud_segment_colour(f));
            draw_rect(dot, 108 + 37 * j, 60, static_cast<int>(f * segment_length), 20);
        }
    }
    draw_rect(art.bar.get(), 98, 50, 170, 40);
    draw_rect(art.ring.get(), 20, 20, 100, 100);
    std::string text = hud_seconds_text(time_left);
    int n = static_cast<int>(text.size());
    for (int k = n - 1; k >= 0; --k) {
        int at = glyph_index(text[k]);
        if (at < 0) continue;
        SDL_Texture* glyph = art.glyphs[at].get();
        int cw = 0, ch = 0;
        if (!glyph || SDL_QueryTexture(glyph, nullptr, nullptr, &cw, &ch) != 0) continue;
        draw_rect(glyph, hud_char_x(k, n, cw, art.digit_pitch), ring_cy - ch / 2, cw, ch);
    }
}
