// The enemies, 60 × 60 and facing left: the walker (a round spiky beetle, two walking frames)
// and the flyer (a little bat, wings up and wings down) of each theme, and in "base" a third
// creature, a hopping slime, which is also the editor's icon for its spawn cell.
#include <algorithm>
#include <cmath>

#include "art/art_tiles_util.h"

namespace tiles {

namespace {

// A big cartoon eye looking to the left, with its shine.
void eye(Canvas& cv, float x, float y, float rx, float ry, Color iris) {
    fill(cv, sdf_ellipse(x, y, rx + 1.2f, ry + 1.2f), pal::outline);
    fill(cv, sdf_ellipse(x, y, rx, ry), vgradient(y - ry, pal::white, y + ry, hex(0xDCE6F0)));
    float px = x - rx * 0.35f, py = y + ry * 0.1f;
    fill(cv, sdf_ellipse(px, py, rx * 0.55f, ry * 0.62f), iris);
    fill(cv, sdf_circle(px - rx * 0.15f, py - ry * 0.25f, rx * 0.22f), pal::white);
}

// A cross brow slanting down toward the middle of the face.
void brow(Canvas& cv, float x0, float y0, float x1, float y1) {
    fill(cv, sdf_capsule(x0, y0, x1, y1, 1.4f), pal::outline);
}

// --- walker: spiky beetle ---------------------------------------------------------------------

Canvas walker(const Theme& t, int frame) {
    Canvas cv(60, 60);
    Color shell = t.creature, legs = shade(t.creature, -0.6f);
    float lift = frame == 1 ? 0.0f : -1.0f;
    const float step[2][3] = {{-4, 2, 5}, {3, -3, -1}};
    for (int i = 0; i < 3; ++i) {
        float x = 20 + i * 12.0f;
        float dx = step[frame - 1][i];
        fill(cv, sdf_capsule(x, 46 + lift, x + dx, 55, 2.6f), legs);
        fill(cv, sdf_ellipse(x + dx - 1, 56, 4, 2.5f), legs);
    }
    Sdf dome = sdf_intersect(sdf_ellipse(34, 40 + lift, 22, 22), sdf_box(0, 0, 60, 49 + lift));
    Color spike_c = t.snow ? hex(0xE8F7FF) : (t.night ? hex(0xFFD66B) : hex(0xFFF1D6));
    for (int i = 0; i < 6; ++i) {
        float a = kPi * (0.15f + 0.15f * i);
        float cx = 34 - std::cos(a) * 20, cy = 40 + lift - std::sin(a) * 20;
        float tx = 34 - std::cos(a) * 29, ty = 40 + lift - std::sin(a) * 29;
        float nx = std::sin(a) * 4.5f, ny = -std::cos(a) * 4.5f;
        Sdf s = sdf_polygon({{cx - nx, cy - ny}, {tx, ty}, {cx + nx, cy + ny}});
        fill(cv, s, vgradient(ty, shade(spike_c, 0.4f), cy, shade(spike_c, -0.25f)));
    }
    fill(cv, dome, radial(26, 24 + lift, 30, shade(shell, 0.35f), shade(shell, -0.35f)));
    bevel(cv, dome, 4, 0.3f, 0.35f);
    fill(cv, sdf_path({{34, 19 + lift}, {36, 30 + lift}, {38, 48 + lift}}, 0.9f),
         with_alpha(shade(shell, -0.5f), 0.8f));
    fill(cv, sdf_ellipse(26, 26 + lift, 6, 3.2f), with_alpha(pal::white, 0.45f));
    fill(cv, sdf_box(13, 45 + lift, 56, 50 + lift, 2.5f), shade(shell, -0.45f));
    Color face = shade(t.creature, t.night ? -0.45f : -0.3f);
    Sdf head = sdf_ellipse(14, 40 + lift, 11, 10);
    fill(cv, head, radial(10, 36 + lift, 14, shade(face, 0.25f), shade(face, -0.25f)));
    Color iris = t.night ? hex(0xFFB020) : pal::outline;
    eye(cv, 9, 38 + lift, 3.6f, 4.6f, iris);
    eye(cv, 17.5f, 37 + lift, 3.2f, 4.2f, iris);
    brow(cv, 5, 31.5f + lift, 11, 34 + lift);
    brow(cv, 15, 33.5f + lift, 21, 31 + lift);
    fill(cv, sdf_capsule(7, 46 + lift, 12, 45 + lift, 1.1f), pal::outline);
    fill(cv, sdf_polygon({{8, 46 + lift}, {9.5f, 49 + lift}, {10.5f, 45.6f + lift}}), pal::white);
    // The face reaches the left edge: moved a pixel right, it leaves room for the rim.
    Canvas moved(60, 60);
    draw_canvas(moved, cv, 1, 0);
    ink(moved);
    danger_rim(moved);
    return moved;
}

// --- flyer: bat -------------------------------------------------------------------------------

Color flyer_colour(const Theme& t) {
    if (t.snow) return hex(0x8FB4E0);
    if (t.night) return hex(0x4C3C7E);
    return pal::purple;
}

// One wing, drawn for the right side and mirrored for the left; the trailing edge is scalloped
// between the finger tips, which stop short of the image's edges to leave room for the rim.
Sdf bat_wing(float side, bool up) {
    static const std::vector<std::pair<float, float>> raised = {
        {36, 24}, {46, 12}, {55, 6}, {55, 17}, {51, 14}, {49, 25}, {45, 21}, {42, 32}, {36, 34}};
    static const std::vector<std::pair<float, float>> lowered = {
        {36, 26}, {48, 24}, {55, 34}, {55, 50}, {51, 44}, {48, 50}, {44, 41}, {39, 44}, {36, 36}};
    std::vector<std::pair<float, float>> pts = up ? raised : lowered;
    if (side < 0)
        for (auto& p : pts) p.first = 60 - p.first;
    return sdf_polygon(pts);
}

Canvas flyer(const Theme& t, bool wings_up) {
    Canvas cv(60, 60);
    Color body = flyer_colour(t), membrane = shade(body, -0.25f);
    for (float side : {1.0f, -1.0f}) {
        Sdf w = bat_wing(side, wings_up);
        fill(cv, w, vgradient(6, shade(membrane, 0.2f), 54, shade(membrane, -0.3f)));
        bevel(cv, w, 3, 0.3f, 0.3f);
    }
    Sdf ears = sdf_union(sdf_polygon({{19, 22}, {20, 9}, {27, 19}}),
                         sdf_polygon({{33, 19}, {39, 9}, {40, 22}}));
    fill(cv, ears, shade(body, -0.1f));
    fill(cv, sdf_polygon({{21.5f, 19}, {21.5f, 13}, {25, 18}}), shade(pal::pink, -0.1f));
    Sdf torso = sdf_ellipse(30, 30, 12, 12);
    fill(cv, torso, radial(25, 24, 18, shade(body, 0.35f), shade(body, -0.3f)));
    bevel(cv, torso, 3, 0.3f, 0.3f);
    fill(cv, sdf_ellipse(33, 36, 6, 5), with_alpha(shade(body, 0.4f), 0.6f));
    Color iris = t.night ? pal::red : pal::outline;
    eye(cv, 23.5f, 27, 4.2f, 5.2f, iris);
    eye(cv, 33, 27, 3.8f, 4.8f, iris);
    fill(cv, sdf_capsule(24, 35.5f, 30, 35.5f, 1.1f), pal::outline);
    fill(cv, sdf_polygon({{25, 36}, {26.2f, 39.5f}, {27.4f, 36}}), pal::white);
    fill(cv, sdf_circle(20, 32.5f, 1.8f), with_alpha(pal::pink, 0.6f));
    fill(cv, sdf_capsule(28, 41, 27, 46, 1.4f), shade(body, -0.5f));
    fill(cv, sdf_capsule(33, 41, 34, 46, 1.4f), shade(body, -0.5f));
    ink(cv);
    danger_rim(cv);
    return cv;
}

// --- the third creature: a hopping slime ------------------------------------------------------

Canvas slime(bool airborne) {
    Canvas cv(60, 60);
    Color c = hex(0x3FCF9A);
    float cy = airborne ? 30.0f : 38.0f, rx = airborne ? 19.0f : 25.0f,
          ry = airborne ? 24.0f : 19.0f;
    float bottom = airborne ? 52.0f : 58.0f;
    Sdf body = sdf_intersect(
        sdf_union(sdf_ellipse(30, cy, rx, ry), sdf_box(30 - rx, cy, 30 + rx, bottom, 6)),
        sdf_box(0, 0, 60, bottom));
    body = sdf_union(body, sdf_polygon({{27, cy - ry + 2}, {31, cy - ry - 6}, {35, cy - ry + 3}}));
    fill(cv, body, radial(22, cy - 10, rx * 2, shade(c, 0.4f), shade(c, -0.35f)));
    bevel(cv, body, 4, 0.35f, 0.3f);
    fill(cv, sdf_ellipse(20, cy - ry * 0.5f, 4, 6), with_alpha(pal::white, 0.6f));
    fill(cv, sdf_circle(25, cy - ry * 0.25f - 4, 1.6f), with_alpha(pal::white, 0.7f));
    eye(cv, 22, cy + 1, 4.2f, 5.4f, pal::outline);
    eye(cv, 33, cy + 1, 3.8f, 5.0f, pal::outline);
    Sdf mouth = sdf_intersect(sdf_ellipse(27, cy + 9, 4, 3), sdf_box(0, cy + 9, 60, 60));
    fill(cv, mouth, shade(pal::red, -0.3f));
    fill(cv, sdf_circle(16, cy + 7, 2), with_alpha(pal::pink, 0.6f));
    ink(cv);
    danger_rim(cv);
    if (airborne) {
        fill(cv, sdf_ellipse(30, 58, 14, 1.8f), with_alpha(pal::outline, 0.3f));
    }
    return cv;
}

}  // namespace

void draw_enemies(const Theme& t, Writer& out) {
    std::string dir = "textures/theme_" + t.name + "/enemy/";
    out.put(walker(t, 1), dir + "0/1.png");
    out.put(walker(t, 2), dir + "0/2.png");
    out.put(flyer(t, true), dir + "1/1.png");
    out.put(flyer(t, false), dir + "1/2.png");
    if (t.name == "base") {
        out.put(slime(false), dir + "2/1.png");
        out.put(slime(true), dir + "2/2.png");
    }
}

}  // namespace tiles
