// A small raster toolkit for drawing the game's art in code: a floating-point RGBA canvas,
// anti-aliased shapes from signed distances, gradients, seeded noise, outlines, text through
// SDL_ttf, and PNG output through SDL_image. Everything is deterministic.
#pragma once
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

// Straight (not premultiplied) colour, each channel 0 … 1.
struct Color {
    float r = 0, g = 0, b = 0, a = 1;
};

Color hex(uint32_t rgb, float alpha = 1.0f);  // hex(0x2B2D42)
Color mix(Color a, Color b, float t);         // linear blend, t = 0 gives a
Color shade(Color c, float amount);           // amount > 0 lightens toward white, < 0 darkens
Color with_alpha(Color c, float a);

// The palette every image shares.
namespace pal {
inline const Color outline = hex(0x2B2D42);
inline const Color sky_top = hex(0x6EC3F7);
inline const Color sky_bottom = hex(0xD6F0FF);
inline const Color grass = hex(0x6CC24A);
inline const Color earth = hex(0xB5784A);
inline const Color stone = hex(0x9AA3AD);
inline const Color wood = hex(0xC8894B);
inline const Color gold = hex(0xFFD23F);
inline const Color red = hex(0xE4572E);
inline const Color blue = hex(0x3A86FF);
inline const Color purple = hex(0x8338EC);
inline const Color pink = hex(0xFF5DA2);
inline const Color ice = hex(0xA8E6FF);
inline const Color panel = hex(0x1F2A44);
inline const Color text = hex(0xD6EEF3);
inline const Color white = hex(0xFFFFFF);
inline const Color black = hex(0x000000);
}  // namespace pal

// Deterministic random numbers (splitmix64); the same seed gives the same art on every run.
struct Rng {
    uint64_t state = 0;
    explicit Rng(uint64_t seed) : state(seed) {}
    uint64_t next();
    float uniform();                  // 0 … 1
    float range(float lo, float hi);  // lo … hi
    int integer(int lo, int hi);      // lo … hi inclusive
};

// Smooth value noise in 0 … 1, tileable over `period` units when period > 0.
float value_noise(float x, float y, uint32_t seed, int period = 0);
// Fractal sum of value noise octaves, 0 … 1.
float fractal_noise(float x, float y, uint32_t seed, int octaves, int period = 0);

struct Canvas {
    int w = 0, h = 0;
    std::vector<Color> px;  // row-major, top row first

    Canvas() = default;
    Canvas(int width, int height, Color fill = {0, 0, 0, 0});
    Color& at(int x, int y) { return px[static_cast<size_t>(y) * w + x]; }
    const Color& at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
};

// Alpha-composites `c` over the pixel with extra coverage 0 … 1.
void blend(Canvas& cv, int x, int y, Color c, float coverage = 1.0f);

// Signed distance of a point to a shape: negative inside, positive outside, in pixels.
using Sdf = std::function<float(float x, float y)>;
// Colour of a point, for gradients and textures.
using Shader = std::function<Color(float x, float y)>;

Sdf sdf_circle(float cx, float cy, float r);
Sdf sdf_ellipse(float cx, float cy, float rx, float ry);
Sdf sdf_box(float x0, float y0, float x1, float y1, float radius = 0);  // rounded rectangle
Sdf sdf_capsule(float ax, float ay, float bx, float by, float r);       // thick line
Sdf sdf_polygon(std::vector<std::pair<float, float>> points);           // any simple polygon
Sdf sdf_union(Sdf a, Sdf b);
Sdf sdf_subtract(Sdf a, Sdf b);  // a without b
Sdf sdf_intersect(Sdf a, Sdf b);
Sdf sdf_ring(float cx, float cy, float r, float thickness);

// A rectangle of pixels, x1 and y1 excluded; it may reach past the canvas.
struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
inline constexpr Box kWholeCanvas{std::numeric_limits<int>::min(), std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};
Box around(float cx, float cy, float r);  // the square around a circle, with a margin

// Paints the shape with anti-aliased edges; the shader is sampled at pixel centres. Only the
// pixels of `box` are looked at, so a small shape on a big canvas costs only its own pixels.
void fill(Canvas& cv, const Sdf& shape, const Shader& color, Box box = kWholeCanvas);
void fill(Canvas& cv, const Sdf& shape, Color color, Box box = kWholeCanvas);
// Paints only the rim of the shape: a band `width` pixels wide just inside its edge.
void stroke(Canvas& cv, const Sdf& shape, float width, Color color);

// Shaders.
Shader solid(Color c);
Shader vgradient(float y0, Color top, float y1, Color bottom);  // vertical, clamped
Shader hgradient(float x0, Color left, float x1, Color right);
Shader radial(float cx, float cy, float r, Color inner, Color outer);
// Adds seeded noise of the given strength (lighten/darken up to `amount`) to another shader.
Shader noisy(Shader base, uint32_t seed, float scale, float amount);

// Fills the whole canvas with a shader (no blending: replaces the pixels).
void paint_all(Canvas& cv, const Shader& color);

// Draws a `width`-pixel outline in `color` around everything opaque, behind it: every
// transparent pixel within `width` of a visible one becomes the outline colour.
void outline(Canvas& cv, float width, Color color);
// Darkens/lightens the shape toward its edges: light from the top left, shadow bottom right.
void bevel(Canvas& cv, const Sdf& shape, float size, float light, float dark);
// Multiplies alpha of every pixel by the given factor.
void fade(Canvas& cv, float factor);

// Copies `src` over `dst` at (x, y) with alpha compositing, optionally scaled (bilinear).
void draw_canvas(Canvas& dst, const Canvas& src, float x, float y, float scale = 1.0f,
                 float opacity = 1.0f);
Canvas scaled(const Canvas& src, int w, int h);  // area-averaged resize
Canvas flipped_x(const Canvas& src);
// Rotated copy about the canvas centre, same size, angle in degrees clockwise.
Canvas rotated(const Canvas& src, float degrees);

// Text through SDL_ttf (call text_init once, from one thread only).
bool text_init();
void text_quit();
// Renders UTF-8 text in the font file at `size` points with its top-left corner at (x, y).
// Returns the text's width and height in pixels (0, 0 when the font cannot be opened).
std::pair<int, int> draw_text(Canvas& cv, const std::string& font_path, int size,
                              const std::string& text, float x, float y, Color color);
std::pair<int, int> measure_text(const std::string& font_path, int size, const std::string& text);
// Renders text into its own canvas (for outlining or scaling before placing it).
Canvas text_canvas(const std::string& font_path, int size, const std::string& text, Color color);

// Writes the canvas as a PNG, creating the folders of the path. Prints and returns false on error.
bool save_png(const Canvas& cv, const std::string& path);
// Creates every folder of the path (like mkdir -p on its parent).
bool make_parent_dirs(const std::string& path);

// Font files installed by the generator (also used to draw text into images).
std::string display_font_path();  // bold rounded display face
std::string small_font_path();    // small text face
