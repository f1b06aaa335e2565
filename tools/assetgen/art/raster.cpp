// Implementation of the generator's raster toolkit.
#include "art/raster.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

uint32_t hash3(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^
                 static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

float smooth(float t) { return t * t * (3 - 2 * t); }

}  // namespace

Color hex(uint32_t rgb, float alpha) {
    return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f, alpha};
}

Color mix(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Color shade(Color c, float amount) {
    Color target = amount >= 0 ? Color{1, 1, 1, c.a} : Color{0, 0, 0, c.a};
    return mix(c, target, std::fabs(amount));
}

Color with_alpha(Color c, float a) {
    c.a = a;
    return c;
}

uint64_t Rng::next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Rng::uniform() { return static_cast<float>(next() >> 40) / static_cast<float>(1ull << 24); }
float Rng::range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
int Rng::integer(int lo, int hi) {
    return lo + static_cast<int>(next() % static_cast<uint64_t>(hi - lo + 1));
}

float value_noise(float x, float y, uint32_t seed, int period) {
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    float fx = smooth(x - x0), fy = smooth(y - y0);
    auto corner = [&](int cx, int cy) {
        if (period > 0) {
            cx = ((cx % period) + period) % period;
            cy = ((cy % period) + period) % period;
        }
        return (hash3(cx, cy, seed) & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
    };
    float a = corner(x0, y0), b = corner(x0 + 1, y0), c = corner(x0, y0 + 1),
          d = corner(x0 + 1, y0 + 1);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

float fractal_noise(float x, float y, uint32_t seed, int octaves, int period) {
    float sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * value_noise(x, y, seed + o * 101, period);
        norm += amp;
        amp *= 0.5f;
        x *= 2;
        y *= 2;
        if (period > 0) period *= 2;
    }
    return sum / norm;
}

Canvas::Canvas(int width, int height, Color fill_color)
    : w(width), h(height), px(static_cast<size_t>(width) * height, fill_color) {}

void blend(Canvas& cv, int x, int y, Color c, float coverage) {
    if (!cv.inside(x, y)) return;
    float a = clamp01(c.a * coverage);
    if (a <= 0) return;
    Color& d = cv.at(x, y);
    float out_a = a + d.a * (1 - a);
    if (out_a <= 0) {
        d = {0, 0, 0, 0};
        return;
    }
    d.r = (c.r * a + d.r * d.a * (1 - a)) / out_a;
    d.g = (c.g * a + d.g * d.a * (1 - a)) / out_a;
    d.b = (c.b * a + d.b * d.a * (1 - a)) / out_a;
    d.a = out_a;
}

Sdf sdf_circle(float cx, float cy, float r) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf sdf_ellipse(float cx, float cy, float rx, float ry) {
    // Approximation good enough for anti-aliasing: distance scaled by the local gradient.
    return [=](float x, float y) {
        float nx = (x - cx) / rx, ny = (y - cy) / ry;
        float k = std::hypot(nx, ny);
        float grad = std::hypot(nx / rx, ny / ry);
        if (grad < 1e-6f) return -std::min(rx, ry);
        return (k * k - 1) / (2 * grad);
    };
}

Sdf sdf_box(float x0, float y0, float x1, float y1, float radius) {
    return [=](float x, float y) {
        float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
        float hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
        float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
        float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

Sdf sdf_capsule(float ax, float ay, float bx, float by, float r) {
    return [=](float x, float y) {
        float pax = x - ax, pay = y - ay, bax = bx - ax, bay = by - ay;
        float len2 = bax * bax + bay * bay;
        float t = len2 > 0 ? std::clamp((pax * bax + pay * bay) / len2, 0.0f, 1.0f) : 0.0f;
        return std::hypot(pax - bax * t, pay - bay * t) - r;
    };
}

Sdf sdf_polygon(std::vector<std::pair<float, float>> pts) {
    return [pts = std::move(pts)](float x, float y) {
        float d = 1e30f;
        bool in = false;
        size_t n = pts.size();
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            auto [xi, yi] = pts[i];
            auto [xj, yj] = pts[j];
            float ex = xj - xi, ey = yj - yi, wx = x - xi, wy = y - yi;
            float len2 = ex * ex + ey * ey;
            float t = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.0f, 1.0f) : 0.0f;
            d = std::min(d, std::hypot(wx - ex * t, wy - ey * t));
            if (((yi > y) != (yj > y)) && (x < (xj - xi) * (y - yi) / (yj - yi) + xi)) in = !in;
        }
        return in ? -d : d;
    };
}

Sdf sdf_union(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Sdf sdf_subtract(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}
Sdf sdf_intersect(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
Sdf sdf_ring(float cx, float cy, float r, float thickness) {
    return
        [=](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - r) - thickness / 2; };
}

Box around(float cx, float cy, float r) {
    int m = static_cast<int>(std::ceil(r)) + 2;
    int x = static_cast<int>(cx), y = static_cast<int>(cy);
    return {x - m, y - m, x + m + 1, y + m + 1};
}

void fill(Canvas& cv, const Sdf& shape, const Shader& color, Box box) {
    int x0 = std::max(box.x0, 0), y0 = std::max(box.y0, 0);
    int x1 = std::min(box.x1, cv.w), y1 = std::min(box.y1, cv.h);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            float coverage = clamp01(0.5f - shape(x + 0.5f, y + 0.5f));
            if (coverage > 0) blend(cv, x, y, color(x + 0.5f, y + 0.5f), coverage);
        }
    }
}

void fill(Canvas& cv, const Sdf& shape, Color color, Box box) {
    fill(cv, shape, solid(color), box);
}

void stroke(Canvas& cv, const Sdf& shape, float width, Color color) {
    Sdf rim = [=](float x, float y) {
        float d = shape(x, y);
        return std::max(d, -d - width);
    };
    fill(cv, rim, color);
}

Shader solid(Color c) {
    return [=](float, float) { return c; };
}

Shader vgradient(float y0, Color top, float y1, Color bottom) {
    return [=](float, float y) { return mix(top, bottom, clamp01((y - y0) / (y1 - y0))); };
}

Shader hgradient(float x0, Color left, float x1, Color right) {
    return [=](float x, float) { return mix(left, right, clamp01((x - x0) / (x1 - x0))); };
}

Shader radial(float cx, float cy, float r, Color inner, Color outer) {
    return [=](float x, float y) {
        return mix(inner, outer, clamp01(std::hypot(x - cx, y - cy) / r));
    };
}

Shader noisy(Shader base, uint32_t seed, float scale, float amount) {
    return [=](float x, float y) {
        Color c = base(x, y);
        float n = fractal_noise(x / scale, y / scale, seed, 3) * 2 - 1;
        Color out = shade(c, n * amount);
        out.a = c.a;
        return out;
    };
}

void paint_all(Canvas& cv, const Shader& color) {
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x) cv.at(x, y) = color(x + 0.5f, y + 0.5f);
}

void outline(Canvas& cv, float width, Color color) {
    Canvas src = cv;
    int r = static_cast<int>(std::ceil(width));
    for (int y = 0; y < cv.h; ++y) {
        for (int x = 0; x < cv.w; ++x) {
            float own = src.at(x, y).a;
            if (own >= 0.999f) continue;
            float best = 0;
            for (int dy = -r; dy <= r; ++dy) {
                for (int dx = -r; dx <= r; ++dx) {
                    int sx = x + dx, sy = y + dy;
                    if (!src.inside(sx, sy)) continue;
                    float dist = std::hypot(static_cast<float>(dx), static_cast<float>(dy));
                    float reach = clamp01(width + 0.5f - dist);
                    best = std::max(best, src.at(sx, sy).a * reach);
                }
            }
            if (best <= 0) continue;
            // The outline sits behind the sprite's own pixel.
            Color under = with_alpha(color, color.a * best);
            Color top = src.at(x, y);
            Canvas one(1, 1, under);
            blend(one, 0, 0, top, 1.0f);
            cv.at(x, y) = one.at(0, 0);
        }
    }
}

void bevel(Canvas& cv, const Sdf& shape, float size, float light, float dark) {
    for (int y = 0; y < cv.h; ++y) {
        for (int x = 0; x < cv.w; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            float d = shape(fx, fy);
            if (d > 0 || d < -size) continue;
            float e = 1 - (-d / size);  // 1 at the edge, 0 deep inside
            float gx = shape(fx + 1, fy) - shape(fx - 1, fy);
            float gy = shape(fx, fy + 1) - shape(fx, fy - 1);
            float len = std::hypot(gx, gy);
            if (len < 1e-6f) continue;
            // Outward normal facing the top-left light source is lit.
            float facing = (-gx - gy) / (len * 1.41421356f);
            Color& c = cv.at(x, y);
            float a = c.a;
            c = facing > 0 ? shade(c, facing * light * e) : shade(c, facing * dark * e);
            c.a = a;
        }
    }
}

void fade(Canvas& cv, float factor) {
    for (Color& c : cv.px) c.a *= factor;
}

namespace {

Color sample_bilinear(const Canvas& src, float x, float y) {
    x -= 0.5f;
    y -= 0.5f;
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    float fx = x - x0, fy = y - y0;
    Color acc{0, 0, 0, 0};
    float wsum = 0;
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 2; ++i) {
            int sx = std::clamp(x0 + i, 0, src.w - 1), sy = std::clamp(y0 + j, 0, src.h - 1);
            float wgt = (i ? fx : 1 - fx) * (j ? fy : 1 - fy);
            bool outside = x0 + i < 0 || y0 + j < 0 || x0 + i >= src.w || y0 + j >= src.h;
            const Color& c = src.at(sx, sy);
            float a = outside ? 0 : c.a;
            acc.r += c.r * a * wgt;
            acc.g += c.g * a * wgt;
            acc.b += c.b * a * wgt;
            acc.a += a * wgt;
            wsum += wgt;
        }
    }
    if (acc.a > 0) {
        acc.r /= acc.a;
        acc.g /= acc.a;
        acc.b /= acc.a;
    }
    acc.a /= std::max(wsum, 1e-6f);
    return acc;
}

}  // namespace

void draw_canvas(Canvas& dst, const Canvas& src, float x, float y, float scale, float opacity) {
    if (scale == 1.0f && x == std::floor(x) && y == std::floor(y)) {
        int ix = static_cast<int>(x), iy = static_cast<int>(y);
        for (int sy = 0; sy < src.h; ++sy)
            for (int sx = 0; sx < src.w; ++sx)
                blend(dst, ix + sx, iy + sy, src.at(sx, sy), opacity);
        return;
    }
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    int x1 = static_cast<int>(std::ceil(x + src.w * scale));
    int y1 = static_cast<int>(std::ceil(y + src.h * scale));
    for (int dy = std::max(y0, 0); dy < std::min(y1, dst.h); ++dy) {
        for (int dx = std::max(x0, 0); dx < std::min(x1, dst.w); ++dx) {
            float sx = (dx + 0.5f - x) / scale, sy = (dy + 0.5f - y) / scale;
            if (sx < 0 || sy < 0 || sx > src.w || sy > src.h) continue;
            blend(dst, dx, dy, sample_bilinear(src, sx, sy), opacity);
        }
    }
}

Canvas scaled(const Canvas& src, int w, int h) {
    Canvas out(w, h);
    float sx = static_cast<float>(src.w) / w, sy = static_cast<float>(src.h) / h;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float fx0 = x * sx, fx1 = (x + 1) * sx, fy0 = y * sy, fy1 = (y + 1) * sy;
            Color acc{0, 0, 0, 0};
            float area = 0;
            for (int yy = static_cast<int>(fy0);
                 yy < std::min(static_cast<int>(std::ceil(fy1)), src.h); ++yy) {
                float wy = std::min(fy1, yy + 1.0f) - std::max(fy0, static_cast<float>(yy));
                for (int xx = static_cast<int>(fx0);
                     xx < std::min(static_cast<int>(std::ceil(fx1)), src.w); ++xx) {
                    float wx = std::min(fx1, xx + 1.0f) - std::max(fx0, static_cast<float>(xx));
                    float wgt = wx * wy;
                    const Color& c = src.at(xx, yy);
                    acc.r += c.r * c.a * wgt;
                    acc.g += c.g * c.a * wgt;
                    acc.b += c.b * c.a * wgt;
                    acc.a += c.a * wgt;
                    area += wgt;
                }
            }
            if (acc.a > 0) {
                acc.r /= acc.a;
                acc.g /= acc.a;
                acc.b /= acc.a;
            }
            acc.a /= std::max(area, 1e-6f);
            out.at(x, y) = acc;
        }
    }
    return out;
}

Canvas flipped_x(const Canvas& src) {
    Canvas out(src.w, src.h);
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x) out.at(x, y) = src.at(src.w - 1 - x, y);
    return out;
}

Canvas rotated(const Canvas& src, float degrees) {
    Canvas out(src.w, src.h);
    float rad = degrees * 3.14159265f / 180.0f, c = std::cos(rad), s = std::sin(rad);
    float cx = src.w / 2.0f, cy = src.h / 2.0f;
    for (int y = 0; y < src.h; ++y) {
        for (int x = 0; x < src.w; ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float sx = c * dx + s * dy + cx, sy = -s * dx + c * dy + cy;
            if (sx < 0 || sy < 0 || sx > src.w || sy > src.h) continue;
            out.at(x, y) = sample_bilinear(src, sx, sy);
        }
    }
    return out;
}

namespace {
std::map<std::pair<std::string, int>, TTF_Font*>& font_cache() {
    static std::map<std::pair<std::string, int>, TTF_Font*> cache;
    return cache;
}

TTF_Font* font_at(const std::string& path, int size) {
    auto key = std::make_pair(path, size);
    auto it = font_cache().find(key);
    if (it != font_cache().end()) return it->second;
    TTF_Font* f = TTF_OpenFont(path.c_str(), size);
    if (!f) std::printf("assetgen: cannot open font %s: %s\n", path.c_str(), TTF_GetError());
    font_cache()[key] = f;
    return f;
}
}  // namespace

bool text_init() { return TTF_Init() == 0; }

void text_quit() {
    for (auto& [key, f] : font_cache())
        if (f) TTF_CloseFont(f);
    font_cache().clear();
    TTF_Quit();
}

Canvas text_canvas(const std::string& font_path, int size, const std::string& text, Color color) {
    TTF_Font* f = font_at(font_path, size);
    if (!f || text.empty()) return Canvas();
    SDL_Color white{255, 255, 255, 255};
    SDL_Surface* s = TTF_RenderUTF8_Blended(f, text.c_str(), white);
    if (!s) return Canvas();
    SDL_Surface* conv = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(s);
    if (!conv) return Canvas();
    Canvas out(conv->w, conv->h);
    for (int y = 0; y < conv->h; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(conv->pixels) + y * conv->pitch;
        for (int x = 0; x < conv->w; ++x) {
            out.at(x, y) = with_alpha(color, color.a * row[x * 4 + 3] / 255.0f);
        }
    }
    SDL_FreeSurface(conv);
    return out;
}

std::pair<int, int> measure_text(const std::string& font_path, int size, const std::string& text) {
    TTF_Font* f = font_at(font_path, size);
    int w = 0, h = 0;
    if (f) TTF_SizeUTF8(f, text.c_str(), &w, &h);
    return {w, h};
}

std::pair<int, int> draw_text(Canvas& cv, const std::string& font_path, int size,
                              const std::string& text, float x, float y, Color color) {
    Canvas t = text_canvas(font_path, size, text, color);
    draw_canvas(cv, t, std::floor(x), std::floor(y));
    return {t.w, t.h};
}

bool make_parent_dirs(const std::string& path) {
    for (size_t i = 1; i < path.size(); ++i) {
        if (path[i] != '/') continue;
        std::string dir = path.substr(0, i);
        // Another thread of the generator may create the same folder at the same moment.
        if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
            std::printf("assetgen: cannot create folder %s\n", dir.c_str());
            return false;
        }
    }
    return true;
}

bool save_png(const Canvas& cv, const std::string& path) {
    if (!make_parent_dirs(path)) return false;
    auto q = [](float v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f)); };
    // An image without any transparency is stored without an alpha channel: the game then
    // copies it without blending, which is much cheaper for the software renderer.
    bool opaque =
        std::all_of(cv.px.begin(), cv.px.end(), [&](const Color& c) { return q(c.a) == 255; });
    int bytes = opaque ? 3 : 4;
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(
        0, cv.w, cv.h, bytes * 8, opaque ? SDL_PIXELFORMAT_RGB24 : SDL_PIXELFORMAT_RGBA32));
    if (!s) return false;
    for (int y = 0; y < cv.h; ++y) {
        uint8_t* row = static_cast<uint8_t*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < cv.w; ++x) {
            const Color& c = cv.at(x, y);
            uint8_t a = q(c.a);
            uint8_t* p = row + x * bytes;
            p[0] = a > 0 ? q(c.r) : 0;
            p[1] = a > 0 ? q(c.g) : 0;
            p[2] = a > 0 ? q(c.b) : 0;
            if (!opaque) p[3] = a;
        }
    }
    bool ok = IMG_SavePNG(s.get(), path.c_str()) == 0;
    if (!ok) std::printf("assetgen: cannot write %s: %s\n", path.c_str(), IMG_GetError());
    return ok;
}

std::string display_font_path() { return "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf"; }
std::string small_font_path() { return "/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf"; }
