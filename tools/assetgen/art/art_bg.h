// Pieces of the level backgrounds: skylines of land that join seamlessly where the game mirrors
// every other copy of a band, faceted snowy mountains, pines, a night sky, a moon and a castle.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "art/art_ui_kit.h"

// The top edge of a layer of land: its y at each x.
using Profile = std::function<float(float x)>;

// The profile sampled once per column; near both ends it flattens into its own mirror image,
// so a band and its mirrored neighbour meet edge to edge without a kink.
Profile seamless(const Profile& f, int width, float margin);
// A profile of rolling hills: `base` minus up to `amp` pixels of noise `period` pixels wide.
Profile rolling(float base, float amp, float period, uint32_t seed);

// Land below a profile: `top` colour at its edge darkening into `deep` over `depth` pixels,
// with grain of the given size and strength.
void paint_land(Canvas& cv, const Profile& top, Color edge, Color deep, float depth, uint32_t seed,
                float grain = 40, float amount = 0.07f);

// Mountains below a profile, lit on their left faces, with snow above the height `snowline`
// (a y in pixels; larger than the canvas for none).
struct MountainStyle {
    Color rock_lit, rock_shadow, snow_lit, snow_shadow;
    float snowline;
    Color haze;        // colour the foot of the range fades into
    float haze_depth;  // over this many pixels below the profile
};
void paint_mountains(Canvas& cv, const Profile& top, const MountainStyle& style, uint32_t seed);

// A pine with its foot at (x, y), `height` pixels tall, optionally carrying snow.
void draw_pine(Canvas& cv, float x, float y, float height, Color needles, bool snowy, Color rim,
               uint32_t seed);
// Stars scattered over the canvas above `floor` pixels, thinning toward it.
void draw_stars(Canvas& cv, float floor, int count, uint32_t seed);
// A full moon with craters and a halo.
void draw_moon(Canvas& cv, float cx, float cy, float r);
// A castle silhouette standing on (cx, ground), `height` pixels tall, with lit windows.
void draw_castle(Canvas& cv, float cx, float ground, float height, Color stone);
// A little cottage with a red roof and a lit window, its floor at (x, y), `size` pixels wide.
void draw_cottage(Canvas& cv, float x, float y, float size, uint32_t seed);

// The sunny panorama "vallee.png".
bool generate_valley(const std::string& path);
