// Drawing kit of the interface and background art: shapes that know their bounds (so a small
// part of a big picture costs only its own pixels), a pen that places design coordinates on a
// canvas, distance fields for outlines and glows, and ridges of land painted column by column.
#pragma once
#include <functional>
#include <utility>
#include <vector>

#include "art/raster.h"

struct Bounds {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A signed-distance shape with the rectangle outside which it is certainly empty.
struct Shape {
    Sdf sdf;
    Bounds box;
};

Shape unite(const Shape& a, const Shape& b);
Shape cut(const Shape& a, const Shape& b);   // a without b
Shape clip(const Shape& a, const Shape& b);  // the part of a inside b
Shape grown(const Shape& s, float amount);   // every edge pushed outwards by `amount`

// Paints a shape like the raster toolkit's `fill`, visiting only the pixels of its bounds.
void fill(Canvas& cv, const Shape& s, const Shader& color);
void fill(Canvas& cv, const Shape& s, Color color);
// A sprite part: the shape over an `edge`-pixel rim of the outline colour, so parts drawn back
// to front keep a dark line between them like a storybook drawing.
void sticker(Canvas& cv, const Shape& s, const Shader& color, float edge, Color rim = pal::outline);
void sticker(Canvas& cv, const Shape& s, Color color, float edge, Color rim = pal::outline);

// Lightens the rim of a shape facing the top-left light and darkens the opposite rim.
void bevel_in(Canvas& cv, const Shape& s, float size, float light, float dark);

// Places design coordinates on a canvas: x' = ox ± s·x, y' = oy + s·y (mirrored when facing
// left). Shapes and shaders made through a pen are in canvas pixels.
struct Pen {
    float ox = 0, oy = 0, s = 1;
    bool mirror = false;

    float x(float v) const { return mirror ? ox - s * v : ox + s * v; }
    float y(float v) const { return oy + s * v; }
    Shape circle(float cx, float cy, float r) const;
    Shape ellipse(float cx, float cy, float rx, float ry) const;
    Shape box(float x0, float y0, float x1, float y1, float r = 0) const;
    Shape capsule(float ax, float ay, float bx, float by, float r) const;
    Shape poly(const std::vector<std::pair<float, float>>& pts) const;
    Shader vgrad(float y0, Color top, float y1, Color bottom) const;
    Shader radial(float cx, float cy, float r, Color inner, Color outer) const;
};

// Distance in pixels from each pixel centre to the nearest pixel whose alpha reaches
// `threshold` (0 on those pixels); `inverse` measures to the nearest pixel below it instead.
std::vector<float> distance_field(const Canvas& cv, float threshold = 0.5f, bool inverse = false);
// Pulls every pixel's colour `amount` of the way toward `color`, keeping its alpha.
void tint(Canvas& cv, Color color, float amount);
// `top` composited over `under`.
Color over(Color top, Color under);
// The canvas cut down to its visible pixels plus `margin` transparent pixels around them.
Canvas cropped(const Canvas& cv, int margin);
// Softens a field of w × h values with two passes of a box blur of the given radius.
void blur_field(std::vector<float>& f, int w, int h, int radius);
// Outline of any width behind everything opaque (the raster toolkit's is for thin ones).
void thick_outline(Canvas& cv, float width, Color color);
// A soft shadow of the canvas' shapes, `blur` pixels wide, offset by (dx, dy), behind them.
void drop_shadow(Canvas& cv, float dx, float dy, float blur, Color color);

// Land whose top edge is a function of x, painted column by column with an anti-aliased rim.
// The colour function receives the pixel and its depth below the edge.
struct Ridge {
    std::function<float(float x)> top;
    std::function<Color(float x, float y, float depth)> color;
};
void paint_ridge(Canvas& cv, const Ridge& ridge);

// Smooth 1-D noise in 0 … 1 along x.
float noise1(float x, uint32_t seed, int octaves = 4);
// 0 … 1 Hermite step between the two edges.
float smoothstep(float e0, float e1, float v);
// Fills a canvas with a vertical gradient through the colour stops (positions 0 … 1).
void paint_vstops(Canvas& cv, const std::vector<std::pair<float, Color>>& stops);
// Colour at position t of a list of stops.
Color stop_color(const std::vector<std::pair<float, Color>>& stops, float t);
