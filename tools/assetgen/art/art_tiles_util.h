// Drawing helpers shared by the game's tiles and sprites: the three level themes' colours,
// noise that repeats across a block so ground tiles join without seams, and a few shapes the
// raster toolkit lacks.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "art/raster.h"

namespace tiles {

inline constexpr float kPi = 3.14159265f;
inline constexpr float kTau = 2 * kPi;

// Hermite step from 0 at e0 to 1 at e1.
float smoothstep(float e0, float e1, float v);

// The colours of one level theme. Every theme fills the same roles, so a level reads the same
// whichever theme it is played in.
struct Theme {
    std::string name;
    uint32_t seed = 0;
    bool snow = false, night = false;
    Color top;         // grass (snow, night moss) over the earth blocks
    Color earth;       // soil of the ground blocks
    Color stone;       // rocks, stone blocks, pillars, arches
    Color brick;       // breakable bricks
    Color wood;        // planks, crates, fences, signs
    Color metal;       // metal plates, spikes, rails
    Color ice;         // ice blocks
    Color sand;        // sand blocks
    Color dark_earth;  // deep soil
    Color moss;        // moss on stone (frost in the snow)
    Color pipe;        // pipes
    Color roof;        // roof tiles
    Color leaf;        // bushes and trees
    Color trunk;       // tree trunks
    Color glow;        // lantern light
    Color creature;    // the walking beetle's shell
};

const std::vector<Theme>& themes();  // base, neige, nuit

// Fractal noise 0 … 1 repeating every `size` pixels; `cell` (a divisor of size) sets the grain.
float tile_noise(float x, float y, uint32_t seed, int cell, int size = 64);
// A shader with repeating noise on top, so textures tile without seams.
Shader tile_noisy(Shader base, uint32_t seed, int cell, float amount, int size = 64);
// The lit look of a sprite's part: light on top, shadow below, a little grain.
Shader lit(Color c, float y0, float y1, uint32_t seed, float grain = 0.05f);

// The stones of an arch: wedge-shaped voussoirs in the half circle above (cx, cy), `wedges` of
// them, and courses `course` pixels high in the two legs below, each stone its own shade.
struct Masonry {
    float cx = 0, cy = 0;
    int wedges = 7;
    float course = 14;
    uint32_t seed = 0;
};
Color masonry_px(Color stone, const Masonry& m, float x, float y);

// Star with `points` tips, `turn` in radians (0 points the first tip straight up).
Sdf sdf_star(float cx, float cy, float outer, float inner, int points, float turn = 0);
// A thick polyline: capsules along the points.
Sdf sdf_path(const std::vector<std::pair<float, float>>& pts, float r);

// The game's sprite outline: a 2-pixel dark line wherever the drawing meets air.
void ink(Canvas& cv);
// A pale 2-pixel rim around the outline of what moves and hurts: the dark line holds the shape
// on a bright sky, the rim on slate walls and night skies.
void danger_rim(Canvas& cv);
// Adds a soft radial light (alpha falls off with distance) over what is drawn.
void glow(Canvas& cv, float cx, float cy, float r, Color c, float strength);
// Moves every pixel's colour (not its alpha) toward `toward` by the function's amount 0 … 1.
void tint_where(Canvas& cv, const std::function<float(float x, float y)>& amount, Color toward);
// Text in the display face with the game's outline, trimmed to its visible pixels.
Canvas glyph(const std::string& text, int size, Color color);

// Places `src` so that its visible pixels are centred on (cx, cy).
void draw_centred(Canvas& dst, const Canvas& src, float cx, float cy);

// Writes images under the resource root and remembers whether any failed.
struct Writer {
    std::string root;
    bool ok = true;
    void put(const Canvas& cv, const std::string& rel);
};

// The families of images, each drawn by its own file.
void draw_blocks(const Theme& t, Writer& out);   // blocs/a … s
void draw_decor(const Theme& t, Writer& out);    // decor/A … L
void draw_items(const Theme& t, Writer& out);    // objets/a … h and the rail pieces
void draw_enemies(const Theme& t, Writer& out);  // enemy/0 walker and enemy/1 flyer
void draw_base_extras(Writer& out);              // doors, portal, third enemy, error tiles
void draw_characters(Writer& out);               // Mivo and the people of the levels

}  // namespace tiles
