// Level maps, theme samples and background thumbnails, drawn on surfaces.
#include "menus/level_pictures.h"

#include <SDL_image.h>

#include <algorithm>
#include <cmath>

#include "app/assets.h"
#include "session/world.h"

namespace {
constexpr int decor_cell_pixels = 40;  // decorations are drawn for cells of this size
constexpr int portal_cells = 10;
constexpr Uint8 background_shade = 150;  // background blocks are drawn darkened, as in a level
constexpr Uint8 rail_alpha = 110;
// The sky where a level has no layered background: the palette's sky, top to bottom.
constexpr SDL_Color sky_top{110, 195, 247, 255}, sky_bottom{214, 240, 255, 255};

SurfacePtr argb(SurfacePtr s) {
    if (!s) return nullptr;
    if (s->format->format == SDL_PIXELFORMAT_ARGB8888) return s;
    return SurfacePtr(SDL_ConvertSurfaceFormat(s.get(), SDL_PIXELFORMAT_ARGB8888, 0));
}

SurfacePtr load(const std::string& path) {
    SurfacePtr s = argb(SurfacePtr(IMG_Load(path.c_str())));
    if (s) SDL_SetSurfaceBlendMode(s.get(), SDL_BLENDMODE_BLEND);
    return s;
}

SurfacePtr blank(int w, int h) {
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, std::max(w, 1), std::max(h, 1), 32,
                                                SDL_PIXELFORMAT_ARGB8888));
    if (s) SDL_SetSurfaceBlendMode(s.get(), SDL_BLENDMODE_BLEND);
    return s;
}

SurfacePtr shrink_whole(SDL_Surface* src, int w, int h) {
    if (!src) return nullptr;
    return shrink_surface(src, {0, 0, src->w, src->h}, w, h);
}

void put(SDL_Surface* picture, SDL_Surface* onto, int x, int y) {
    if (!picture || !onto) return;
    SDL_Rect at{x, y, picture->w, picture->h};
    SDL_BlitSurface(picture, nullptr, onto, &at);
}

void fill_sky(SDL_Surface* s, SDL_Surface* sky) {
    if (sky) {
        SurfacePtr fitted = shrink_whole(sky, s->w, s->h);
        if (fitted) {
            SDL_SetSurfaceBlendMode(fitted.get(), SDL_BLENDMODE_NONE);
            SDL_BlitSurface(fitted.get(), nullptr, s, nullptr);
            return;
        }
    }
    for (int y = 0; y < s->h; ++y) {
        double f = s->h > 1 ? static_cast<double>(y) / (s->h - 1) : 0;
        auto mix = [f](Uint8 a, Uint8 b) { return static_cast<Uint8>(a + (b - a) * f); };
        SDL_Rect line{0, y, s->w, 1};
        SDL_FillRect(s, &line,
                     SDL_MapRGBA(s->format, mix(sky_top.r, sky_bottom.r),
                                 mix(sky_top.g, sky_bottom.g), mix(sky_top.b, sky_bottom.b), 255));
    }
}

void load_common(PictureBox& box) {
    if (box.common_loaded) return;
    box.common_loaded = true;
    std::string t = box.resources + "/textures/";
    for (int i = 0; i < 3; ++i)
        box.enemies[i] = load(t + "theme_base/enemy/" + std::to_string(i) + "/1.png");
    box.player = load(box.resources + "/players/skin_j1/1.png");
    // The portal's outer swirl, as the exit shows it from afar.
    box.portal = load(t + "theme_base/portail/0.png");
    box.error_play = load(t + "erb.png");
    box.error_decor = load(t + "erd.png");
}

ThemePictures& theme_pictures(const std::string& theme, PictureBox& box) {
    auto found = box.themes.find(theme);
    if (found != box.themes.end()) return found->second;
    ThemePictures& p = box.themes[theme];
    std::string base = box.resources + "/textures/theme_" + theme + "/";
    for (char c = 'a'; c <= 's'; ++c) p.blocks[c - 'a'] = load(base + "blocs/" + c + ".png");
    for (char c = 'a'; c <= 'h'; ++c) p.items[c - 'a'] = load(base + "objets/" + c + ".png");
    for (char c = 'A'; c <= 'L'; ++c) p.decor[c - 'A'] = load(base + "decor/" + c + ".png");
    p.rail = load(base + "rail/1.png");
    return p;
}

// A decoration's own size for cells of `cell` pixels.
SurfacePtr own_size(SDL_Surface* s, int cell) {
    if (!s) return nullptr;
    return shrink_whole(s, std::max(1, s->w * cell / decor_cell_pixels),
                        std::max(1, s->h * cell / decor_cell_pixels));
}

const ScaledTiles& scaled_tiles(const std::string& theme, int cell, PictureBox& box) {
    auto key = std::make_pair(theme, cell);
    auto found = box.scaled.find(key);
    if (found != box.scaled.end()) return found->second;
    const ThemePictures& p = theme_pictures(theme, box);
    ScaledTiles& s = box.scaled[key];
    for (size_t i = 0; i < p.blocks.size(); ++i) {
        s.blocks[i] = shrink_whole(p.blocks[i].get(), cell, cell);
        s.background_blocks[i] = shrink_whole(p.blocks[i].get(), cell, cell);
        if (s.background_blocks[i])
            SDL_SetSurfaceColorMod(s.background_blocks[i].get(), background_shade, background_shade,
                                   background_shade);
    }
    for (size_t i = 0; i < p.items.size(); ++i)
        s.items[i] = shrink_whole(p.items[i].get(), cell, cell);
    for (size_t i = 0; i < p.decor.size(); ++i) s.decor[i] = own_size(p.decor[i].get(), cell);
    s.rail = shrink_whole(p.rail.get(), cell, cell);
    if (s.rail) SDL_SetSurfaceAlphaMod(s.rail.get(), rail_alpha);
    return s;
}

SDL_Surface* sky_of(const std::string& fond, PictureBox& box) {
    if (fond.size() != 1) return nullptr;  // a panorama has no sky of its own
    auto found = box.skies.find(fond);
    if (found != box.skies.end()) return found->second.get();
    SurfacePtr& sky = box.skies[fond];
    sky = load(box.resources + "/textures/backgrounds/" + fond + "/0.png");
    return sky.get();
}

// Draws a picture whose lower-left corner stands at the cell, growing up and right, on a map
// whose lowest row ends at the surface's lower edge.
void put_at_cell(SDL_Surface* picture, SDL_Surface* map, int column, int row, int cell) {
    if (!picture) return;
    put(picture, map, column * cell, map->h - row * cell - picture->h);
}
}  // namespace

SurfacePtr shrink_surface(SDL_Surface* src, SDL_Rect from, int w, int h) {
    if (!src || w <= 0 || h <= 0 || from.w <= 0 || from.h <= 0) return nullptr;
    SurfacePtr converted;
    SDL_Surface* in = src;
    if (src->format->format != SDL_PIXELFORMAT_ARGB8888) {
        converted.reset(SDL_ConvertSurfaceFormat(src, SDL_PIXELFORMAT_ARGB8888, 0));
        in = converted.get();
        if (!in) return nullptr;
    }
    SurfacePtr out = blank(w, h);
    if (!out) return nullptr;
    SDL_LockSurface(in);
    for (int oy = 0; oy < h; ++oy) {
        int y0 = from.y + oy * from.h / h, y1 = std::max(y0 + 1, from.y + (oy + 1) * from.h / h);
        Uint32* out_row = surface_row(out.get(), oy);
        for (int ox = 0; ox < w; ++ox) {
            int x0 = from.x + ox * from.w / w,
                x1 = std::max(x0 + 1, from.x + (ox + 1) * from.w / w);
            Uint64 r = 0, g = 0, b = 0, a = 0, n = 0;
            for (int y = std::max(y0, 0); y < std::min(y1, in->h); ++y) {
                const Uint32* row = surface_row(in, y);
                for (int x = std::max(x0, 0); x < std::min(x1, in->w); ++x) {
                    Uint32 p = row[x];
                    Uint32 pa = p >> 24;
                    r += ((p >> 16) & 0xFF) * pa;
                    g += ((p >> 8) & 0xFF) * pa;
                    b += (p & 0xFF) * pa;
                    a += pa;
                    ++n;
                }
            }
            Uint32 pixel = 0;
            if (a > 0)
                pixel = static_cast<Uint32>(a / n) << 24 | static_cast<Uint32>(r / a) << 16 |
                        static_cast<Uint32>(g / a) << 8 | static_cast<Uint32>(b / a);
            out_row[ox] = pixel;
        }
    }
    SDL_UnlockSurface(in);
    return out;
}

int map_cell_pixels(int width, int height, int box_w, int box_h, int largest) {
    if (width <= 0 || height <= 0) return 1;
    return std::clamp(std::min(box_w / width, box_h / height), 1, largest);
}

SurfacePtr level_map_surface(const LevelReport& level, int cell, PictureBox& box) {
    const CheckedLayers& l = level.layers;
    if (l.width <= 0 || l.height <= 0) return nullptr;
    load_common(box);
    SurfacePtr map = blank(l.width * cell, l.height * cell);
    if (!map) return nullptr;
    fill_sky(map.get(), sky_of(level.fond, box));
    const ScaledTiles& tiles = scaled_tiles(level.theme, cell, box);
    SurfacePtr error_play = shrink_whole(box.error_play.get(), cell, cell);
    SurfacePtr error_decor = shrink_whole(box.error_decor.get(), cell, cell);
    std::array<SurfacePtr, 3> enemies;
    for (int i = 0; i < 3; ++i) enemies[i] = shrink_whole(box.enemies[i].get(), cell, cell);

    // Back to front, as a level is drawn: the decor layer's cells, its decorations, then the
    // play layer.
    for (int row = 0; row < l.height; ++row) {
        for (int column = 0; column < l.width; ++column) {
            char d = l.decor_at(row, column);
            if (d == ' ' || (d >= '0' && d <= '9') || (d >= 'A' && d <= 'L')) continue;
            SDL_Surface* picture = error_decor.get();
            if (is_block(d)) picture = tiles.background_blocks[d - 'a'].get();
            if (d == cell::rail) picture = tiles.rail.get();
            put_at_cell(picture, map.get(), column, row, cell);
        }
    }
    for (int row = 0; row < l.height; ++row)
        for (int column = 0; column < l.width; ++column) {
            char d = l.decor_at(row, column);
            if (d >= 'C' && d <= 'L')
                put_at_cell(tiles.decor[d - 'A'].get(), map.get(), column, row, cell);
        }
    for (int row = 0; row < l.height; ++row) {
        for (int column = 0; column < l.width; ++column) {
            char p = l.play_at(row, column);
            if (p == ' ' || (p >= '3' && p <= '5')) continue;
            SDL_Surface* picture = error_play.get();
            if (is_block(p)) picture = tiles.blocks[p - 'a'].get();
            if (p >= 'A' && p <= 'H') picture = tiles.items[p - 'A'].get();
            if (p >= '0' && p <= '2') picture = enemies[p - '0'].get();
            put_at_cell(picture, map.get(), column, row, cell);
        }
    }
    SurfacePtr portal = shrink_whole(box.portal.get(), portal_cells * cell, portal_cells * cell);
    put_at_cell(portal.get(), map.get(), level.exit_column, level.exit_row, cell);
    SurfacePtr player = shrink_whole(box.player.get(), cell, 2 * cell);
    put_at_cell(player.get(), map.get(), level.start_column, level.start_row, cell);
    return map;
}

SurfacePtr level_map_fitted(const LevelReport& level, int w, int h, int largest, PictureBox& box) {
    const CheckedLayers& l = level.layers;
    if (l.width <= 0 || l.height <= 0 || w <= 0 || h <= 0) return nullptr;
    double k = std::min(static_cast<double>(w) / l.width, static_cast<double>(h) / l.height);
    int cell = std::clamp(static_cast<int>(std::ceil(k)), 1, largest);
    SurfacePtr map = level_map_surface(level, cell, box);
    if (!map || (map->w <= w && map->h <= h)) return map;
    double fit = std::min(static_cast<double>(w) / map->w, static_cast<double>(h) / map->h);
    return shrink_whole(map.get(), std::max(1, static_cast<int>(map->w * fit)),
                        std::max(1, static_cast<int>(map->h * fit)));
}

SurfacePtr theme_sample_surface(const std::string& theme, int w, int h, PictureBox& box) {
    // Eight cells by four: ground, a bush, an item block, a coin and a breakable block.
    LevelReport scene;
    scene.theme = theme;
    scene.layers.width = 8;
    scene.layers.height = 4;
    scene.layers.play =
        "        "
        "  d H  b"
        "cccccccc"
        "gggggggg";
    scene.layers.decor =
        "        "
        "C     D "
        "        "
        "        ";
    scene.exit_column = scene.start_column = -100;  // no portal, no Mivo
    int cell = map_cell_pixels(scene.layers.width, scene.layers.height, w, h, 64);
    SurfacePtr drawn = level_map_surface(scene, cell, box);
    return shrink_whole(drawn.get(), w, h);
}

SurfacePtr background_thumbnail(const std::string& resources, const std::string& fond, int w,
                                int h) {
    std::string base = resources + "/textures/backgrounds/" + fond;
    double aspect = static_cast<double>(w) / h;
    if (fond.size() != 1) {
        SurfacePtr panorama = load(base);
        if (!panorama) return nullptr;
        int crop = std::min(panorama->w, static_cast<int>(panorama->h * aspect));
        return shrink_surface(panorama.get(), {0, 0, crop, panorama->h}, w, h);
    }
    SurfacePtr sky = load(base + "/0.png");
    if (!sky) return nullptr;
    SurfacePtr out = blank(w, h);
    fill_sky(out.get(), sky.get());
    // A band is drawn as high as the window and twice as wide as high: a window of this shape
    // shows the left aspect / 2 of it.
    for (char c = '1'; c <= '3'; ++c) {
        SurfacePtr band = load(base + "/" + c + ".png");
        if (!band) continue;
        int crop = std::min(band->w, static_cast<int>(band->w * aspect / 2));
        SurfacePtr fitted = shrink_surface(band.get(), {0, 0, crop, band->h}, w, h);
        if (fitted) SDL_BlitSurface(fitted.get(), nullptr, out.get(), nullptr);
    }
    return out;
}
