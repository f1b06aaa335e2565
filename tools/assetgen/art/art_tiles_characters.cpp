// Mivo, the hero (40 × 80, facing right: two walking frames and a jump), and the people met in
// the levels: the old sage, the little robot and the fairy.
#include <algorithm>
#include <cmath>
#include <tuple>

#include "art/art_tiles_util.h"

namespace tiles {

namespace {

const Color kSkin = hex(0xFFD3A8);
const Color kHair = hex(0x7A4A2A);
const Color kTunic = pal::blue;
const Color kBoot = hex(0x6B4228);
const Color kScarf = pal::red;

// A body part with the lit look and a thin darker line around it, so overlapping parts stay
// apart at small sizes.
void limb(Canvas& cv, const Sdf& s, Color c, float y0, float y1, uint32_t seed) {
    fill(cv, s, lit(c, y0, y1, seed, 0.03f));
    stroke(cv, s, 1.1f, shade(c, -0.5f));
}

// A big friendly eye looking right.
void hero_eye(Canvas& cv, float x, float y, float rx, float ry) {
    fill(cv, sdf_ellipse(x, y, rx + 0.9f, ry + 0.9f), pal::outline);
    fill(cv, sdf_ellipse(x, y, rx, ry), pal::white);
    fill(cv, sdf_ellipse(x + rx * 0.3f, y + ry * 0.12f, rx * 0.68f, ry * 0.72f), hex(0x2A3350));
    fill(cv, sdf_circle(x + rx * 0.1f, y - ry * 0.28f, rx * 0.36f), pal::white);
    fill(cv, sdf_circle(x + rx * 0.55f, y + ry * 0.42f, rx * 0.15f), with_alpha(pal::white, 0.8f));
}

enum class Pose { stride, crossed, jump };

// The scarf's loose end streams behind Mivo (to the left): down while walking, up in a jump.
void scarf_tail(Canvas& cv, Pose pose) {
    std::vector<std::pair<float, float>> tail;
    if (pose == Pose::jump) {
        tail = {{13, 37}, {8, 32}, {5, 25}, {3, 18}};
    } else if (pose == Pose::stride) {
        tail = {{13, 38}, {8, 41}, {5, 46}, {3, 51}};
    } else {
        tail = {{13, 38}, {8, 42}, {6, 47}, {5, 52}};
    }
    Sdf s = sdf_path(tail, 3.0f);
    limb(cv, s, kScarf, 30, 54, 3);
    auto [ex, ey] = tail.back();
    fill(cv, sdf_capsule(ex - 2.5f, ey + 0.5f, ex + 2.5f, ey - 0.5f, 0.7f), shade(kScarf, -0.5f));
}

void hero_legs(Canvas& cv, Pose pose) {
    struct Leg {
        float hx, hy, fx, fy;
    };
    Leg back{}, front{};
    if (pose == Pose::stride) {
        back = {17, 58, 11, 73};
        front = {24, 58, 30, 73};
    } else if (pose == Pose::crossed) {
        back = {18, 58, 22, 73};
        front = {23, 58, 18, 73};
    } else {
        back = {17, 57, 11, 66};
        front = {24, 57, 30, 70};
    }
    Color pants = hex(0x3B4A6B);
    for (const Leg* leg : {&back, &front}) {
        Color c = leg == &back ? shade(pants, -0.2f) : pants;
        limb(cv, sdf_capsule(leg->hx, leg->hy, leg->fx, leg->fy, 3.6f), c, 56, 74, 5);
        float bx = leg->fx + 1.5f, by = leg->fy + 3;
        Color b = leg == &back ? shade(kBoot, -0.2f) : kBoot;
        limb(cv, sdf_box(bx - 5, by - 4, bx + 6, by + 3.5f, 3), b, by - 4, by + 3.5f, 6);
    }
}

void hero_arm(Canvas& cv, float sx, float sy, float hx, float hy, bool back) {
    Color sleeve = back ? shade(kTunic, -0.25f) : kTunic;
    limb(cv, sdf_capsule(sx, sy, hx, hy, 3.0f), sleeve, sy - 3, hy + 3, 7);
    Color skin = back ? shade(kSkin, -0.15f) : kSkin;
    limb(cv, sdf_circle(hx, hy, 3.3f), skin, hy - 3, hy + 3, 8);
}

void hero_head(Canvas& cv) {
    Sdf head = sdf_circle(21, 19, 15.5f);
    fill(cv, head, radial(16, 13, 24, shade(kSkin, 0.25f), shade(kSkin, -0.12f)));
    stroke(cv, head, 1.1f, shade(kSkin, -0.45f));
    // The hair is the head less the face, which sits forward (right) and low: a cap over the
    // top and the back of the head, with a cowlick on top.
    Sdf hair = sdf_subtract(sdf_circle(21, 19, 16.2f), sdf_ellipse(26, 24.5f, 13, 12.5f));
    hair = sdf_union(hair, sdf_polygon({{15, 6}, {19, 1.5f}, {27, 1.8f}, {24, 6}}));
    limb(cv, hair, kHair, 0, 24, 9);
    fill(cv, sdf_ellipse(14, 8.5f, 4, 1.8f), with_alpha(pal::white, 0.35f));
    hero_eye(cv, 23.5f, 20, 3.6f, 5.2f);
    hero_eye(cv, 32.5f, 20, 3.3f, 4.9f);
    fill(cv, sdf_ellipse(31.5f, 27.5f, 2.8f, 1.7f), with_alpha(pal::pink, 0.55f));
    fill(cv, sdf_ellipse(20.5f, 27.5f, 2.2f, 1.5f), with_alpha(pal::pink, 0.45f));
    Sdf smile = sdf_intersect(sdf_ring(28.5f, 26, 3.2f, 1.3f), sdf_box(20, 26.5f, 40, 40));
    fill(cv, smile, hex(0x8A3A2A));
}

Canvas mivo(Pose pose) {
    Canvas cv(40, 80);
    bool jump = pose == Pose::jump;
    if (jump) {
        hero_arm(cv, 14, 41, 7, 30, true);
    } else {
        hero_arm(cv, 14, 41, pose == Pose::stride ? 17 : 12, 53, true);
    }
    hero_legs(cv, pose);
    Sdf body = sdf_box(12, 36, 30, 60, 6);
    limb(cv, body, kTunic, 36, 60, 10);
    fill(cv, sdf_box(12.5f, 52, 29.5f, 55), hex(0x6B4228));
    fill(cv, sdf_box(19, 51.5f, 23, 55.5f, 1), pal::gold);
    scarf_tail(cv, pose);
    Sdf collar = sdf_box(10, 33.5f, 32, 40, 3);
    limb(cv, collar, kScarf, 33, 40, 11);
    fill(cv, sdf_capsule(13, 36, 29, 36, 0.6f), with_alpha(shade(kScarf, 0.45f), 0.7f));
    hero_head(cv);
    if (jump) {
        hero_arm(cv, 27, 41, 35, 29, false);
    } else {
        hero_arm(cv, 27, 41, pose == Pose::stride ? 25 : 30, 53, false);
    }
    ink(cv);
    return cv;
}

// --- the sage ---------------------------------------------------------------------------------

Canvas sage() {
    Canvas cv(80, 120);
    Color robe = hex(0x5A4C9C), wood = hex(0x9A6A3E);
    Sdf staff = sdf_box(61, 22, 66, 120, 2);
    limb(cv, staff, wood, 22, 120, 21);
    Sdf gem = sdf_polygon({{63.5f, 4}, {70, 13}, {63.5f, 24}, {57, 13}});
    fill(cv, gem, vgradient(4, hex(0xBFF3FF), 24, hex(0x3A9BE8)));
    Sdf gown = sdf_polygon({{28, 44}, {48, 44}, {60, 118}, {16, 118}});
    gown = [gown](float x, float y) { return gown(x, y) - 3; };
    limb(cv, gown, robe, 40, 120, 22);
    fill(cv, sdf_box(30, 70, 46, 74, 1.5f), pal::gold);
    Sdf hood = sdf_union(sdf_circle(38, 34, 17), sdf_polygon({{30, 14}, {36, 6}, {44, 17}}));
    limb(cv, hood, shade(robe, -0.1f), 12, 50, 23);
    Sdf face = sdf_ellipse(39, 37, 10.5f, 11.5f);
    fill(cv, face, radial(35, 32, 16, shade(kSkin, 0.2f), shade(kSkin, -0.15f)));
    Sdf beard = sdf_polygon({{28, 40}, {50, 40}, {46, 62}, {39, 78}, {32, 62}});
    beard = sdf_union(beard, sdf_ellipse(39, 42, 11, 5));
    limb(cv, beard, hex(0xF2F2F6), 36, 80, 24);
    fill(cv, sdf_path({{36, 50}, {37, 62}, {38, 70}}, 0.6f), with_alpha(hex(0xB8BCCB), 0.9f));
    fill(cv, sdf_path({{43, 50}, {42, 62}}, 0.6f), with_alpha(hex(0xB8BCCB), 0.9f));
    fill(cv, sdf_ellipse(39, 40.5f, 3, 2.5f), shade(kSkin, -0.15f));
    fill(cv, sdf_capsule(31, 31, 36.5f, 30, 1.6f), hex(0xE8E8F0));
    fill(cv, sdf_capsule(41.5f, 30, 47, 31, 1.6f), hex(0xE8E8F0));
    for (float x : {34.0f, 44.0f}) {
        Sdf lid = sdf_intersect(sdf_ring(x, 34, 2.4f, 1.2f), sdf_box(0, 34, 80, 40));
        fill(cv, lid, pal::outline);
    }
    Sdf sleeve = sdf_polygon({{44, 50}, {54, 56}, {61, 62}, {60, 70}, {50, 66}, {42, 60}});
    limb(cv, sleeve, shade(robe, 0.08f), 50, 70, 25);
    limb(cv, sdf_circle(62.5f, 64, 4), kSkin, 60, 68, 26);
    ink(cv);
    glow(cv, 63.5f, 14, 14, hex(0x9FE8FF), 0.7f);
    fill(cv, sdf_star(61, 10, 3, 0.8f, 4), pal::white);
    return cv;
}

// --- the robot --------------------------------------------------------------------------------

Canvas robot() {
    Canvas cv(80, 80);
    Color metal = hex(0xB9C6D6), dark = hex(0x4A5670);
    limb(cv, sdf_capsule(40, 10, 40, 4, 1.2f), dark, 2, 12, 31);
    for (float x : {22.0f, 58.0f}) limb(cv, sdf_circle(x, 71, 7), dark, 64, 78, 32);
    limb(cv, sdf_box(18, 66, 62, 74, 4), shade(dark, 0.15f), 66, 74, 33);
    limb(cv, sdf_capsule(14, 44, 8, 56, 3.5f), metal, 42, 58, 34);
    limb(cv, sdf_capsule(66, 44, 72, 36, 3.5f), metal, 34, 48, 35);
    Sdf body = sdf_box(20, 38, 60, 68, 8);
    limb(cv, body, metal, 38, 68, 36);
    bevel(cv, body, 4, 0.3f, 0.25f);
    fill(cv, sdf_box(30, 46, 50, 60, 3), shade(metal, -0.3f));
    fill(cv, sdf_circle(35, 53, 2.6f), pal::red);
    fill(cv, sdf_circle(43, 53, 2.6f), pal::gold);
    Sdf head = sdf_box(17, 10, 63, 40, 10);
    limb(cv, head, metal, 10, 40, 37);
    bevel(cv, head, 4, 0.4f, 0.25f);
    Sdf screen = sdf_box(22, 15, 58, 35, 7);
    fill(cv, screen, vgradient(15, hex(0x24365A), 35, hex(0x132038)));
    for (float x : {32.0f, 48.0f}) {
        Sdf happy = sdf_intersect(sdf_ring(x, 26, 3.6f, 2), sdf_box(0, 0, 80, 25.5f));
        fill(cv, happy, hex(0x6FF0FF));
    }
    Sdf mouth = sdf_intersect(sdf_ring(40, 27, 3, 1.5f), sdf_box(0, 28.5f, 80, 40));
    fill(cv, mouth, hex(0x6FF0FF));
    fill(cv, sdf_capsule(26, 18, 32, 18, 1), with_alpha(pal::white, 0.35f));
    for (float x : {17.5f, 62.5f}) limb(cv, sdf_box(x - 3, 20, x + 3, 30, 2), dark, 20, 30, 38);
    fill(cv, sdf_circle(40, 5, 3.5f), radial(39, 4, 4, shade(pal::red, 0.6f), pal::red));
    ink(cv);
    glow(cv, 40, 5, 8, pal::red, 0.5f);
    glow(cv, 40, 25, 18, hex(0x6FF0FF), 0.12f);
    return cv;
}

// --- the fairy --------------------------------------------------------------------------------

Canvas fairy() {
    Canvas cv(40, 40);
    Color wing = hex(0xBFF1FF);
    for (auto [x, y, rx, ry] : {std::tuple{12.0f, 14.0f, 7.0f, 4.5f},
                                {28.0f, 14.0f, 7.0f, 4.5f},
                                {13.5f, 22.0f, 5.0f, 3.2f},
                                {26.5f, 22.0f, 5.0f, 3.2f}}) {
        Sdf w = sdf_ellipse(x, y, rx, ry);
        fill(cv, w, with_alpha(wing, 0.7f));
        stroke(cv, w, 0.9f, with_alpha(shade(wing, -0.3f), 0.9f));
    }
    Sdf dress = sdf_polygon({{20, 17}, {26, 31}, {14, 31}});
    dress = [dress](float x, float y) { return dress(x, y) - 1; };
    fill(cv, dress, vgradient(17, shade(pal::pink, 0.3f), 31, shade(pal::pink, -0.2f)));
    fill(cv, sdf_circle(20, 12, 5), radial(18.5f, 10.5f, 7, shade(kSkin, 0.2f), kSkin));
    fill(cv, sdf_intersect(sdf_circle(20, 12, 5.4f), sdf_box(0, 0, 40, 10.5f)), hex(0xFFC94A));
    fill(cv, sdf_circle(18.3f, 12.6f, 0.9f), pal::outline);
    fill(cv, sdf_circle(21.9f, 12.6f, 0.9f), pal::outline);
    fill(cv, sdf_capsule(27, 24, 32, 18, 0.7f), hex(0xE8D3A0));
    fill(cv, sdf_star(32.5f, 17.5f, 3.2f, 1.3f, 5), pal::gold);
    ink(cv);
    Canvas lit_up(40, 40);
    glow(lit_up, 20, 20, 20, hex(0xFFE9A8), 0.6f);
    draw_canvas(lit_up, cv, 0, 0);
    cv = lit_up;
    Rng r(41);
    for (int i = 0; i < 6; ++i) {
        float x = r.range(4, 36), y = r.range(4, 38);
        fill(cv, sdf_star(x, y, 2.2f, 0.5f, 4), pal::white, around(x, y, 3));
    }
    return cv;
}

}  // namespace

void draw_characters(Writer& out) {
    out.put(mivo(Pose::stride), "players/skin_j1/1.png");
    out.put(mivo(Pose::crossed), "players/skin_j1/2.png");
    out.put(mivo(Pose::jump), "players/skin_j1/3.png");
    out.put(sage(), "pnj/sage.png");
    out.put(robot(), "pnj/robot.png");
    out.put(fairy(), "pnj/fee.png");
}

}  // namespace tiles
