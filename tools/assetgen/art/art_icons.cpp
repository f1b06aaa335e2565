// The game's icon for the desktop menu: the emblem of the splash screen (Mivo's head on a blue
// disc) as a 256 × 256 picture, and the same drawing as vector shapes for the scalable icon. The
// vector one follows the raster drawing part for part, in the same design units, with the dark
// rims as strokes under the fills; the grain and the lighting's finer shading are left out.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "art/art_ui_scene.h"
#include "assetgen.h"

namespace {
const Color skin = hex(0xFFD3A8);
const Color hair = hex(0x7A4B2C);
const Color iris = hex(0x23263A);
const Color mouth = hex(0x8C2F39);
const Color tongue = hex(0xE86A7A);
const Color disc_light = hex(0x9FDBFF);

std::string css(Color c) {
    auto byte = [](float v) {
        return static_cast<int>(std::lround(std::fmin(1, std::fmax(0, v)) * 255));
    };
    char s[8];
    std::snprintf(s, sizeof s, "#%02X%02X%02X", byte(c.r), byte(c.g), byte(c.b));
    return s;
}

std::string num(float v) {
    char s[32];
    std::snprintf(s, sizeof s, "%.2f", v);
    std::string t = s;
    while (t.back() == '0') t.pop_back();
    if (t.back() == '.') t.pop_back();
    return t;
}

std::string opacity(Color c) { return c.a < 1 ? " fill-opacity=\"" + num(c.a) + "\"" : ""; }

std::string circle(float cx, float cy, float r, const std::string& paint) {
    return "<circle cx=\"" + num(cx) + "\" cy=\"" + num(cy) + "\" r=\"" + num(r) + "\" " + paint +
           "/>\n";
}

std::string ellipse(float cx, float cy, float rx, float ry, const std::string& paint) {
    return "<ellipse cx=\"" + num(cx) + "\" cy=\"" + num(cy) + "\" rx=\"" + num(rx) + "\" ry=\"" +
           num(ry) + "\" " + paint + "/>\n";
}

std::string fill(Color c) { return "fill=\"" + css(c) + "\"" + opacity(c); }
std::string rimmed(const std::string& paint, float rim) {
    return paint + " stroke=\"" + css(pal::outline) + "\" stroke-width=\"" + num(2 * rim) + "\"";
}

// A round-capped bar from (ax, ay) to (bx, by), `r` thick on each side.
std::string capsule(float ax, float ay, float bx, float by, float r, Color c) {
    return "<line x1=\"" + num(ax) + "\" y1=\"" + num(ay) + "\" x2=\"" + num(bx) + "\" y2=\"" +
           num(by) + "\" stroke=\"" + css(c) + "\" stroke-width=\"" + num(2 * r) +
           "\" stroke-linecap=\"round\"" + (c.a < 1 ? " stroke-opacity=\"" + num(c.a) + "\"" : "") +
           "/>\n";
}

// A radial gradient lit from the top left, as the raster's parts are, in design units.
std::string gradient(const std::string& id, float cx, float cy, float r, Color inner, Color outer) {
    return "<radialGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" cx=\"" + num(cx) +
           "\" cy=\"" + num(cy) + "\" r=\"" + num(r) + "\"><stop offset=\"0\" stop-color=\"" +
           css(inner) + "\"/><stop offset=\"1\" stop-color=\"" + css(outer) +
           "\"/></radialGradient>\n";
}

// The same parts as the raster emblem: the head's pen is the emblem's at 256 pixels.
std::string icon_svg() {
    const float s = 3.24f, ox = 124, scarf_y = 140 + 74 * s, head_y = scarf_y - 8 * s;
    const float rim = 1.9f;  // the rim of Mivo's parts, in design units
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
        "viewBox=\"0 0 256 256\">\n<defs>\n";
    svg += gradient("disc", 88, 80, 180, disc_light, pal::blue);
    svg += gradient("skin", -12, -80.4f, 43.2f, shade(skin, 0.3f), shade(skin, -0.14f));
    svg += gradient("hair", -18, -94, 36, shade(hair, 0.3f), shade(hair, -0.14f));
    svg += gradient("scarf", -6.5f, -56.8f, 23.4f, shade(pal::red, 0.3f), shade(pal::red, -0.14f));
    // The hair lies within the crown; its rim may pass the crown by its own width.
    svg += "<clipPath id=\"crown\"><circle cx=\"0\" cy=\"-67\" r=\"25.2\"/></clipPath>\n";
    svg += "<clipPath id=\"crown-rim\"><circle cx=\"0\" cy=\"-67\" r=\"" + num(25.2f + 0.8f * rim) +
           "\"/></clipPath>\n";
    svg += "<clipPath id=\"head\"><circle cx=\"0\" cy=\"-66\" r=\"24\"/></clipPath>\n";
    svg +=
        "<clipPath id=\"smile\"><rect x=\"5\" y=\"-58.5\" width=\"13\" "
        "height=\"6.5\"/></clipPath>\n";
    svg += "</defs>\n";
    svg += circle(128, 128, 117, rimmed("fill=\"url(#disc)\"", 3));

    svg +=
        "<g transform=\"translate(" + num(ox) + " " + num(scarf_y) + ") scale(" + num(s) + ")\">\n";
    svg += capsule(-11.5f, -49, 11.5f, -49, 6 + rim, pal::outline);
    svg +=
        "<line x1=\"-11.5\" y1=\"-49\" x2=\"11.5\" y2=\"-49\" stroke=\"url(#scarf)\" "
        "stroke-width=\"12\" stroke-linecap=\"round\"/>\n";
    svg += capsule(-8, -51, 8, -51, 1.2f, with_alpha(shade(pal::red, 0.45f), 0.8f));
    svg += circle(-9, -49, 4.2f, rimmed(fill(pal::red), 0.7f * rim));
    svg += "</g>\n";

    svg +=
        "<g transform=\"translate(" + num(ox) + " " + num(head_y) + ") scale(" + num(s) + ")\">\n";
    svg += circle(0, -66, 24, rimmed("fill=\"url(#skin)\"", rim));
    // The hair: the crown's top and rounded bangs, each part rimmed, then filled over the rims.
    const float bangs[][3] = {{-15, -79, 7.5f}, {-5.5f, -80.5f, 7}, {4, -81, 6.5f},
                              {12.5f, -82, 6},  {-19, -68, 9},      {-21, -60, 6}};
    for (bool rims : {true, false}) {
        std::string paint =
            rims ? rimmed("fill=\"" + css(pal::outline) + "\"", 0.8f * rim) : "fill=\"url(#hair)\"";
        svg += std::string("<g clip-path=\"url(#") + (rims ? "crown-rim" : "crown") + ")\">\n";
        // The crown's top, above the row y = −80.
        float half = std::sqrt(25.2f * 25.2f - 13 * 13);
        svg += "<path d=\"M" + num(-half) + " -80 A25.2 25.2 0 0 1 " + num(half) + " -80 Z\" " +
               paint + "/>\n";
        for (const auto& b : bangs) svg += circle(b[0], b[1], b[2], paint);
        svg += "</g>\n";
    }
    svg += "<g clip-path=\"url(#head)\">" +
           ellipse(-8, -88, 8, 3, fill(with_alpha(pal::white, 0.28f))) + "</g>\n";
    float thin = rim * 0.55f;
    svg += ellipse(5, -67, 5.3f, 7.2f, rimmed(fill(pal::white), thin));
    svg += ellipse(16.5f, -67, 4.8f, 6.9f, rimmed(fill(pal::white), thin));
    svg += ellipse(7, -66, 3.3f, 4.7f, fill(iris));
    svg += ellipse(18, -66, 3.0f, 4.4f, fill(iris));
    svg += circle(5.8f, -68.3f, 1.5f, fill(pal::white));
    svg += circle(16.9f, -68.2f, 1.3f, fill(pal::white));
    svg += circle(8.1f, -63.8f, 0.6f, fill(pal::white));
    svg += ellipse(-0.5f, -57, 3.8f, 2.3f, fill(with_alpha(pal::pink, 0.45f)));
    svg += ellipse(21.5f, -58, 2.6f, 2.0f, fill(with_alpha(pal::pink, 0.45f)));
    svg += "<path d=\"M7.7 -58.5 A3.8 3.8 0 0 0 15.3 -58.5 Z\" " + rimmed(fill(mouth), thin) +
           " stroke-linejoin=\"round\"/>\n";
    svg += "<g clip-path=\"url(#smile)\">" + ellipse(11.5f, -55.6f, 2.2f, 1.3f, fill(tongue)) +
           "</g>\n";
    svg += "</g>\n</svg>\n";
    return svg;
}
}  // namespace

bool write_icon_svg(const std::string& path) {
    if (!make_parent_dirs(path)) return false;
    std::ofstream out(path, std::ios::binary);
    out << icon_svg();
    return static_cast<bool>(out);
}
