// The menu widgets. Every position comes from the window's size at the moment of drawing, so a
// menu follows a resized window at once.
#include "menus/widgets.h"

#include <algorithm>
#include <cmath>

#include "app/clock.h"
#include "app/draw.h"
#include "app/random.h"

CloudTunnel cloud_tunnel;

namespace {
constexpr double list_visibility = 1.2;  // entries this far from the list's position are hidden
constexpr int tile_outline = 4;

// Width and height of a texture; 0 × 0 for a missing one.
SDL_Point texture_size(SDL_Texture* tex) {
    SDL_Point size{0, 0};
    if (tex) SDL_QueryTexture(tex, nullptr, nullptr, &size.x, &size.y);
    return size;
}
}  // namespace

TexturePtr make_label(TTF_Font* font, const std::string& text, SDL_Color colour) {
    if (!font || text.empty()) return nullptr;
    SurfacePtr surface(TTF_RenderUTF8_Blended(font, text.c_str(), colour));
    if (!surface) return nullptr;
    return TexturePtr(SDL_CreateTextureFromSurface(game_renderer, surface.get()));
}

int fading_alpha(int i, double pos) {
    int a = static_cast<int>((list_visibility - std::fabs(i - pos)) * 255);
    return std::clamp(a, 0, 255);
}

int fading_y(int i, double pos) {
    return static_cast<int>(window_height / 2 - pos * list_spacing + i * list_spacing);
}

void draw_fading_entry(SDL_Texture* tex, int i, int x, double pos) {
    int a = fading_alpha(i, pos);
    if (!tex || a == 0) return;
    SDL_SetTextureAlphaMod(tex, static_cast<Uint8>(a));
    draw_scaled(tex, x, fading_y(i, pos), 1.0);
}

void draw_fading_list(const std::vector<TexturePtr>& entries, int x, double pos) {
    for (size_t i = 0; i < entries.size(); ++i)
        draw_fading_entry(entries[i].get(), static_cast<int>(i), x, pos);
}

double ease_list(double pos, int selected) { return pos + (selected - pos) / 3; }

int menu_tile_brightness(double s, double z) {
    return std::clamp(static_cast<int>((s - z) * 1550 + 150), 0, 255);
}

namespace {
// A tile's picture before truncation to pixels, and its hover-grown size at rest.
struct TilePlace {
    double x, y, w, h;
    int sw, sh;
};
TilePlace tile_place(int dx, int dy, int w, int h, double s, double z) {
    int sw = static_cast<int>(w * s), sh = static_cast<int>(h * s);
    int x = dx - sw / 2 + window_width / 2, y = dy - sh / 2 + window_height / 2;
    return {x * z, y * z, sw * z + (1 - z) * window_width, sh * z + (1 - z) * window_height,
            sw,    sh};
}
}  // namespace

SDL_Rect menu_tile_rect(int dx, int dy, int w, int h, double s, double z) {
    TilePlace t = tile_place(dx, dy, w, h, s, z);
    return {static_cast<int>(t.x), static_cast<int>(t.y), static_cast<int>(t.w),
            static_cast<int>(t.h)};
}

SDL_Rect menu_tile_outline_rect(int dx, int dy, int w, int h, double s, double z) {
    TilePlace t = tile_place(dx, dy, w, h, s, z);
    return {static_cast<int>(t.x - tile_outline), static_cast<int>(t.y - tile_outline),
            static_cast<int>(t.w + 2 * tile_outline), static_cast<int>(t.h + 2 * tile_outline)};
}

SDL_Rect menu_tile_caption_rect(SDL_Texture* label, int dx, int dy, int w, int h, double s) {
    TilePlace t = tile_place(dx, dy, w, h, s, 1);
    // A caption wider than its tile (less a sixteenth on each side) is shrunk to fit it.
    SDL_Point size = texture_size(label);
    double fit = size.x > 0 ? std::min(1.0, (w - w / 8) / static_cast<double>(size.x)) : 1;
    int lw = static_cast<int>(size.x * fit * s), lh = static_cast<int>(size.y * fit * s);
    return {dx + window_width / 2 - lw / 2, dy + t.sh / 2 + window_height / 2 - lh, lw, lh};
}

void draw_menu_tile(SDL_Texture* image, SDL_Texture* label, SDL_Texture* frame, int dx, int dy,
                    int w, int h, double s, double z) {
    if (image) {
        auto b = static_cast<Uint8>(menu_tile_brightness(s, z));
        SDL_SetTextureColorMod(image, b, b, b);
        SDL_Rect picture = menu_tile_rect(dx, dy, w, h, s, z);
        render_copy(image, &picture);
    }
    if (label) {
        SDL_Rect caption = menu_tile_caption_rect(label, dx, dy, w, h, s);
        SDL_RenderCopy(game_renderer, label, nullptr, &caption);
    }
    if (frame) {
        SDL_Rect outline = menu_tile_outline_rect(dx, dy, w, h, s, z);
        SDL_RenderCopy(game_renderer, frame, nullptr, &outline);
    }
}

bool menu_tile_hit(SDL_Point p, int dx, int dy, int w, int h, double s) {
    int sw = static_cast<int>(w * s), sh = static_cast<int>(h * s);
    int left = dx - sw / 2 + window_width / 2, top = dy - sh / 2 + window_height / 2;
    return left < p.x && p.x < left + sw && top < p.y && p.y < top + sh;
}

void cloud_tunnel_step(CloudTunnel& t) {
    double diagonal = std::sqrt(static_cast<double>(window_width) * window_width +
                                static_cast<double>(window_height) * window_height);
    for (Cloud& c : t.clouds) {
        if (c.active) {
            c.x = static_cast<int>(c.x + c.vx * (c.scale + 1));
            c.y = static_cast<int>(c.y + c.vy * (c.scale + 1));
            c.scale = std::sqrt(static_cast<double>(c.x) * c.x + static_cast<double>(c.y) * c.y) /
                      diagonal;
            if (c.scale > 1) c.active = false;
        } else if (static_cast<uint32_t>(now_ms()) > t.next_cloud_ms) {
            c = Cloud{};
            c.vx = random_between(-5, 4);
            c.vy = random_between(-5, 4);
            c.active = true;
            c.kind = random_between(0, 2);
            t.next_cloud_ms = static_cast<uint32_t>(now_ms() + random_between(100, 299));
        }
    }
}

void cloud_tunnel_draw(const CloudTunnel& t, const std::array<SDL_Texture*, 3>& images) {
    // The pictures are drawn at a 30th of their size per cell at full scale.
    SDL_Point base = texture_size(images[0]);
    int bw = base.x / 30 * tile_size(), bh = base.y / 30 * tile_size();
    for (const Cloud& c : t.clouds) {
        if (!c.active) continue;
        SDL_Texture* tex = images[std::clamp(c.kind, 0, 2)];
        if (!tex) continue;
        set_alpha(tex, 0, 255, 200, static_cast<int>(200 - c.scale * 255));
        SDL_Rect dst{static_cast<int>(c.x + (window_width - c.scale * bw) / 2),
                     static_cast<int>(-c.y + (window_height - c.scale * bh) / 2),
                     static_cast<int>(c.scale * bw), static_cast<int>(c.scale * bh)};
        SDL_RenderCopy(game_renderer, tex, nullptr, &dst);
    }
}
