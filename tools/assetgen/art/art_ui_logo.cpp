// The game's name as a logo: rounded gold letters lit from the top left, with a glossy shine on
// their upper half, a dark rim, a chunky orange depth below them and a soft shadow.
#include <algorithm>
#include <cmath>

#include "art/art_ui_scene.h"

namespace {

// Rows where the letters have ink, to spread the gold gradient over them.
std::pair<float, float> ink_rows(const Canvas& mask) {
    int top = mask.h, bottom = 0;
    for (int y = 0; y < mask.h; ++y)
        for (int x = 0; x < mask.w; ++x)
            if (mask.at(x, y).a > 0.5f) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return {static_cast<float>(top), static_cast<float>(bottom + 1)};
}

// The letters' rim and their depth: the rimmed silhouette pushed down `depth` pixels.
Canvas depth_layer(const Canvas& mask, float rim, int depth) {
    std::vector<float> d = distance_field(mask);
    Canvas out(mask.w, mask.h);
    for (int x = 0; x < mask.w; ++x) {
        for (int y = 0; y < mask.h; ++y) {
            float a = 0;
            for (int k = 0; k <= depth && y - k >= 0; ++k)
                a = std::max(a, std::clamp(rim + 0.5f - d[static_cast<size_t>(y - k) * mask.w + x],
                                           0.0f, 1.0f));
            if (a <= 0) continue;
            float t = smoothstep(0, static_cast<float>(depth),
                                 static_cast<float>(y) - static_cast<float>(mask.h) * 0.5f);
            out.at(x, y) = with_alpha(mix(hex(0xE0901E), hex(0xA4520E), t), a);
        }
    }
    thick_outline(out, rim * 0.45f, pal::outline);
    return out;
}

Color gold_at(float t) {
    return stop_color(
        {{0.0f, hex(0xFFF6C4)}, {0.42f, hex(0xFFDD55)}, {0.55f, pal::gold}, {1.0f, hex(0xF3962A)}},
        t);
}

// Gold letters with a lit bevel and a glossy upper half.
void gold_fill(Canvas& out, const Canvas& mask, float size) {
    auto [top, bottom] = ink_rows(mask);
    std::vector<float> inside = distance_field(mask, 0.5f, true);
    std::vector<float> soft = inside;
    blur_field(soft, mask.w, mask.h, static_cast<int>(size * 0.015f) + 1);
    float bevel = size * 0.05f, gloss_line = top + (bottom - top) * 0.44f;
    auto din = [&](int x, int y) {
        x = std::clamp(x, 0, mask.w - 1);
        y = std::clamp(y, 0, mask.h - 1);
        return soft[static_cast<size_t>(y) * mask.w + x];
    };
    for (int y = 0; y < mask.h; ++y) {
        for (int x = 0; x < mask.w; ++x) {
            float a = mask.at(x, y).a;
            if (a <= 0) continue;
            float t = (y + 0.5f - top) / (bottom - top);
            Color c = gold_at(t);
            c = shade(c, (fractal_noise(x / 9.0f, y / 9.0f, 404, 3) - 0.5f) * 0.08f);
            float d = inside[static_cast<size_t>(y) * mask.w + x];
            if (d < bevel) {
                float gx = din(x + 2, y) - din(x - 2, y), gy = din(x, y + 2) - din(x, y - 2);
                float len = std::hypot(gx, gy);
                if (len > 1e-4f) {
                    float facing = (gx + gy) / (len * 1.41421356f), e = 1 - d / bevel;
                    c = shade(c, facing > 0 ? facing * 0.55f * e : facing * 0.4f * e);
                }
            }
            float wave = std::sin(x / (size * 0.9f) * 3.14159f) * size * 0.03f;
            float gloss = (1 - smoothstep(-1.0f, 1.0f, y + 0.5f - gloss_line - wave)) *
                          smoothstep(size * 0.035f, size * 0.065f, d);
            c = mix(c, pal::white, gloss * 0.5f * (1 - 0.5f * t));
            blend(out, x, y, c, a);
        }
    }
}

}  // namespace

Canvas logo_canvas(int size) {
    Canvas glyphs = text_canvas(display_font_path(), size, "Mivo", pal::white);
    float rim = size * 0.055f;
    int depth = static_cast<int>(size * 0.08f);
    int pad = static_cast<int>(rim + depth + size * 0.08f);
    Canvas mask(glyphs.w + 2 * pad, glyphs.h + 2 * pad);
    draw_canvas(mask, glyphs, static_cast<float>(pad), static_cast<float>(pad));
    Canvas out = depth_layer(mask, rim, depth);
    std::vector<float> d = distance_field(mask);
    for (size_t i = 0; i < out.px.size(); ++i) {
        float a = std::clamp(rim + 0.5f - d[i], 0.0f, 1.0f);
        if (a > 0) out.px[i] = over(with_alpha(pal::outline, a), out.px[i]);
    }
    gold_fill(out, mask, static_cast<float>(size));
    drop_shadow(out, size * 0.03f, size * 0.05f, size * 0.07f, with_alpha(pal::outline, 0.35f));
    return cropped(out, 2);
}
