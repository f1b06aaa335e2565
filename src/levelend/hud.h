// The heads-up display in the window's top-left corner: the time left as a ring of 360 ticks
// with the seconds in its middle, and the stored power as a bar of four segments. Both ease
// toward their values; the ring runs green to red with the time, and flickers while the player
// cannot be hurt. Laid out in fixed pixels: it does not scale with the window.
#pragma once
#include <SDL.h>

#include <array>
#include <string>
#include <vector>

#include "app/sdl_handles.h"

// The gauges' eased values (1 = full), kept from one level to the next, and the flicker's phase
// (0 … 1, a sawtooth of 180 ms).
struct HudGauges {
    double time_smooth = 0;
    double power_smooth = 0;
    double flicker = 0;
};
extern HudGauges hud_gauges;  // the game's, from start to quit

// Characters the seconds can show.
constexpr const char* hud_glyph_chars = "0123456789-";

struct HudArt {
    TexturePtr dot;   // one white pixel, tinted and stretched into ticks and segments
    TexturePtr ring;  // frames the ticks
    TexturePtr bar;   // frames the segments
    std::array<TexturePtr, 11> glyphs;  // the seconds' characters, white, rendered once
    int digit_pitch = 0;                // pixels from one character's cell to the next
    // The ring's ticks as they last landed on the frame: 360 turned copies cost milliseconds, and
    // the same ticks over the same pixels land the same. Kept per place (a race draws two HUDs).
    struct KeptTicks {
        SDL_Rect viewport{0, 0, 0, 0};
        std::vector<SDL_Color> colours;
        std::vector<Uint32> under;  // the frame's pixels round the ring before the ticks
        TexturePtr pasted;          // and after them, ready to copy back
    };
    mutable std::vector<KeptTicks> kept_ticks;
    bool keep_ticks = true;  // false: the ticks turned on every frame (tests compare)
};

void hud_create(HudArt& art);
void hud_destroy(HudArt& art);
// Once per frame, after the player has moved: the gauges ease a tenth of the way to the time left
// (300000 = full) and the power (40000 = full); the power settles a little above its value.
void hud_update(HudGauges& g, int time_left, int power);
// Draws the ring, the bar and the seconds. Changes nothing.
void hud_draw(const HudArt& art, const HudGauges& g, int time_left, bool vulnerable);

// Tick i of the ring (0 points up, then clockwise) for the eased time s and flicker phase ph.
SDL_Color hud_tick_colour(int i, double s, bool vulnerable, double ph);
// Segment j's fill (0 … 1) for the eased power.
double hud_segment_fill(double power_smooth, int j);
// A segment's colour for its fill: red when empty, green when nearly full, light blue when full.
SDL_Color hud_segment_colour(double f);
// The seconds left, rounded to whole seconds.
std::string hud_seconds_text(int time_left);
// Left edge of character k of an n-character text, the character cw wide: each character centred
// in a cell of `pitch` pixels, the cells side by side and centred on x = 69. Drawn upright
// centred on the ring's middle line.
int hud_char_x(int k, int n, int cw, int pitch);
