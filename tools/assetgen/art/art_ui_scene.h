// The subjects that the menu pictures, splash screens and emblems share: Mivo himself, the
// blocks, coins and portal of a level, trees, gears, clouds and the gold "Mivo" logo.
#pragma once
#include <cstdint>
#include <string>

#include "art/art_ui_kit.h"

// Mivo's attitude in a picture.
enum class Pose { stand, run, jump, wave };

struct MivoLook {
    Color scarf = pal::red;
    Color tunic = pal::blue;
};

// Mivo with his feet at the pen's origin, about 100 design units tall, facing right (the pen
// mirrors him to face left).
void draw_mivo(Canvas& cv, const Pen& pen, Pose pose, const MivoLook& look = {});
// Mivo's head alone, centred on the pen's origin, 48 design units across.
void draw_mivo_head(Canvas& cv, const Pen& pen, const MivoLook& look = {});

enum class Block { grass, earth, brick, question, stone, crate };
// A level block of `size` pixels with its top-left corner at (x, y).
void draw_block(Canvas& cv, float x, float y, float size, Block kind, uint32_t seed);
// A gold coin of radius r, turned so it shows `width` (0 … 1) of its face.
void draw_coin(Canvas& cv, float cx, float cy, float r, float width = 1.0f);
// The swirling exit portal of radius r.
void draw_portal(Canvas& cv, float cx, float cy, float r);
// A round storybook tree with its trunk's foot at (x, y), `height` pixels tall; far trees take
// a rim softened toward the haze.
void draw_tree(Canvas& cv, float x, float y, float height, Color leaves, uint32_t seed,
               Color rim = pal::outline);
// A round bush of radius r sitting on (x, y).
void draw_bush(Canvas& cv, float x, float y, float r, uint32_t seed);
// A gear with `teeth` teeth, outer radius r, turned by `angle` degrees.
void draw_gear(Canvas& cv, float cx, float cy, float r, int teeth, Color metal, float angle);
// A twinkle: a four-pointed star of radius r.
void draw_sparkle(Canvas& cv, float cx, float cy, float r, Color color);

// A sunny landscape filling the canvas: sky with the sun at the top left, clouds, a pale far
// range and green hills with a few trees, the hills' foot near `horizon` pixels from the top.
void meadow_backdrop(Canvas& cv, float horizon, uint32_t seed);
// A soft white cloud filling most of a w × h canvas, with transparent edges.
Canvas cloud_canvas(int w, int h, uint32_t seed);
// The game's name in gold rounded letters with outline, depth and shine, `size` points.
Canvas logo_canvas(int size);
// Text with a dark rim `rim` pixels wide, for captions over pictures.
Canvas rimmed_text(const std::string& font, int size, const std::string& text, Color color,
                   float rim);
// Darkens the bottom `height` pixels of a picture so a light caption stays readable there.
void caption_shade(Canvas& cv, float height, float strength);

// The menu pictures 1.png … 6.png, the menu background bgg.png and the settings corner
// picture setts.png, written into the folder `ide` (ending with '/').
bool generate_menu_pictures(const std::string& ide);
