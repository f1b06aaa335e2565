// Mivo, the game's hero, as the menus and splash screens show him: a small adventurer with a big
// round head, big eyes, a tuft of brown hair, a blue tunic and a red scarf that flies behind him.
// He is drawn from parts, back to front, each with its dark rim.
#include <cmath>
#include <tuple>

#include "art/art_ui_scene.h"

namespace {

const Color skin = hex(0xFFD3A8);
const Color hair = hex(0x7A4B2C);
const Color trousers = hex(0x3B4A6B);
const Color boots = hex(0x8A5530);
const Color mouth = hex(0x8C2F39);

using Points = std::vector<std::pair<float, float>>;

// A limb from its joint (shoulder or hip) to its end (hand or ankle), in design units.
struct Limb {
    float ax, ay, bx, by;
};

struct Stance {
    Limb front_arm, back_arm, front_leg, back_leg;
    std::vector<Points> tails;  // the scarf's loose ends, behind the neck
};

Stance stance_for(Pose pose) {
    const std::vector<Points> hanging = {
        {{-8, -52}, {-15, -48}, {-18, -38}, {-21, -29}, {-14, -30}, {-11, -39}, {-4, -45}}};
    const std::vector<Points> flying = {
        {{-8, -49}, {-20, -46}, {-31, -47}, {-42, -41}, {-34, -38}, {-22, -40}, {-9, -44}},
        {{-7, -53},
         {-19, -56},
         {-30, -61},
         {-42, -58},
         {-54, -64},
         {-47, -53},
         {-35, -50},
         {-22, -47},
         {-9, -46}}};
    const Limb stand_front_leg{4, -22, 5, -5}, stand_back_leg{-5, -22, -6, -5};
    switch (pose) {
        case Pose::run:
            return {{7, -42, -13, -33},
                    {-5, -42, 14, -47},
                    {4, -22, 16, -9},
                    {-4, -22, -15, -13},
                    flying};
        case Pose::jump:
            return {{8, -43, 24, -57},
                    {-8, -43, -24, -57},
                    {4, -22, 13, -13},
                    {-4, -22, -7, -5},
                    flying};
        case Pose::wave:
            return {
                {9, -42, 26, -55}, {-9, -42, -12, -27}, stand_front_leg, stand_back_leg, hanging};
        case Pose::stand:
            break;
    }
    return {{9, -42, 12, -27}, {-9, -42, -12, -27}, stand_front_leg, stand_back_leg, hanging};
}

// A colour lit from the top left over a part centred at (cx, cy) of radius r, with grain.
Shader lit(const Pen& pen, Color base, float cx, float cy, float r, uint32_t seed) {
    float lx = pen.mirror ? cx + r * 0.5f : cx - r * 0.5f;
    Shader light = pen.radial(lx, cy - r * 0.6f, r * 1.8f, shade(base, 0.3f), shade(base, -0.14f));
    return noisy(light, seed, 6 * pen.s, 0.025f);
}

float rim(const Pen& pen) { return std::max(1.2f, 1.9f * pen.s); }

void draw_arm(Canvas& cv, const Pen& pen, const Limb& l, const MivoLook& look) {
    float cx = (l.ax + l.bx) / 2, cy = (l.ay + l.by) / 2;
    sticker(cv, pen.capsule(l.ax, l.ay, l.bx, l.by, 4), lit(pen, look.tunic, cx, cy, 8, 11),
            rim(pen));
    sticker(cv, pen.circle(l.bx, l.by, 4.4f), lit(pen, skin, l.bx, l.by, 4.4f, 12), rim(pen));
}

void draw_leg(Canvas& cv, const Pen& pen, const Limb& l) {
    float cx = (l.ax + l.bx) / 2, cy = (l.ay + l.by) / 2;
    sticker(cv, pen.capsule(l.ax, l.ay, l.bx, l.by, 4.6f), lit(pen, trousers, cx, cy, 9, 13),
            rim(pen));
    sticker(cv, pen.ellipse(l.bx + 3, l.by + 1.5f, 7.2f, 4.6f),
            lit(pen, boots, l.bx + 3, l.by + 1.5f, 7, 14), rim(pen));
}

void draw_scarf_tails(Canvas& cv, const Pen& pen, const std::vector<Points>& tails, Color scarf) {
    for (const Points& tail : tails) {
        Shape cloth = grown(pen.poly(tail), 0.8f * pen.s);
        sticker(cv, cloth,
                noisy(pen.vgrad(-64, shade(scarf, 0.15f), -28, shade(scarf, -0.25f)), 15, 6 * pen.s,
                      0.03f),
                rim(pen));
        auto [tx, ty] = tail[tail.size() / 2];
        fill(cv, clip(pen.capsule(-9, -49, tx, ty + 3, 1.1f), cloth),
             with_alpha(shade(scarf, 0.4f), 0.7f));
    }
}

void draw_torso(Canvas& cv, const Pen& pen, const MivoLook& look) {
    sticker(cv, pen.box(-12, -50, 12, -18, 10), lit(pen, look.tunic, 0, -35, 16, 16), rim(pen));
    fill(cv, pen.box(-11.5f, -29, 11.5f, -24), shade(boots, -0.25f));
    sticker(cv, pen.box(2.5f, -29.5f, 8, -23.5f, 1), solid(pal::gold), rim(pen) * 0.5f);
}

void draw_scarf_wrap(Canvas& cv, const Pen& pen, Color scarf) {
    sticker(cv, pen.capsule(-11.5f, -49, 11.5f, -49, 6), lit(pen, scarf, 0, -49, 13, 17), rim(pen));
    fill(cv, pen.capsule(-8, -51, 8, -51, 1.2f), with_alpha(shade(scarf, 0.45f), 0.8f));
    sticker(cv, pen.circle(-9, -49, 4.2f), lit(pen, scarf, -9, -49, 5, 21), rim(pen) * 0.7f);
}

void draw_face(Canvas& cv, const Pen& pen) {
    float thin = rim(pen) * 0.55f;
    sticker(cv, pen.ellipse(5, -67, 5.3f, 7.2f), solid(pal::white), thin);
    sticker(cv, pen.ellipse(16.5f, -67, 4.8f, 6.9f), solid(pal::white), thin);
    Color iris = hex(0x23263A);
    fill(cv, pen.ellipse(7, -66, 3.3f, 4.7f), pen.vgrad(-70, shade(iris, 0.25f), -62, iris));
    fill(cv, pen.ellipse(18, -66, 3.0f, 4.4f), pen.vgrad(-70, shade(iris, 0.25f), -62, iris));
    fill(cv, pen.circle(5.8f, -68.3f, 1.5f), pal::white);
    fill(cv, pen.circle(16.9f, -68.2f, 1.3f), pal::white);
    fill(cv, pen.circle(8.1f, -63.8f, 0.6f), pal::white);
    fill(cv, pen.ellipse(-0.5f, -57, 3.8f, 2.3f), with_alpha(pal::pink, 0.45f));
    fill(cv, pen.ellipse(21.5f, -58, 2.6f, 2.0f), with_alpha(pal::pink, 0.45f));
    Shape smile = clip(pen.circle(11.5f, -58.5f, 3.8f), pen.box(5, -58.5f, 18, -52));
    sticker(cv, smile, solid(mouth), thin);
    fill(cv, clip(pen.ellipse(11.5f, -55.6f, 2.2f, 1.3f), smile), hex(0xE86A7A));
}

// The hair: a cap over the top and back of the head, with rounded bangs.
void draw_hair(Canvas& cv, const Pen& pen, const Shape& head) {
    Shape crown = pen.circle(0, -67, 25.2f);
    Shape mass = clip(crown, pen.box(-30, -100, 30, -80));
    for (auto [bx, by, br] : {std::tuple{-15.0f, -79.0f, 7.5f},
                              {-5.5f, -80.5f, 7.0f},
                              {4.0f, -81.0f, 6.5f},
                              {12.5f, -82.0f, 6.0f},
                              {-19.0f, -68.0f, 9.0f},
                              {-21.0f, -60.0f, 6.0f}})
        mass = unite(mass, clip(pen.circle(bx, by, br), crown));
    sticker(cv, mass, lit(pen, hair, -6, -82, 24, 20), rim(pen) * 0.8f);
    fill(cv, clip(pen.ellipse(-8, -88, 8, 3), head), with_alpha(pal::white, 0.28f));
}

// The head's parts are laid out around (0, -66); the head sits 8 units higher on the body.
void draw_head(Canvas& cv, const Pen& body_pen) {
    Pen pen = body_pen;
    pen.oy -= 8 * pen.s;
    Shape head = pen.circle(0, -66, 24);
    sticker(cv, head, lit(pen, skin, 0, -66, 24, 19), rim(pen));
    draw_hair(cv, pen, head);
    draw_face(cv, pen);
}

}  // namespace

void draw_mivo(Canvas& cv, const Pen& pen, Pose pose, const MivoLook& look) {
    Stance st = stance_for(pose);
    draw_arm(cv, pen, st.back_arm, look);
    draw_leg(cv, pen, st.back_leg);
    draw_scarf_tails(cv, pen, st.tails, look.scarf);
    draw_leg(cv, pen, st.front_leg);
    draw_torso(cv, pen, look);
    draw_scarf_wrap(cv, pen, look.scarf);
    draw_head(cv, pen);
    draw_arm(cv, pen, st.front_arm, look);
}

void draw_mivo_head(Canvas& cv, const Pen& pen, const MivoLook& look) {
    Pen at_head = pen;
    at_head.oy = pen.oy + 74 * pen.s;
    draw_scarf_wrap(cv, at_head, look.scarf);
    draw_head(cv, at_head);
}
