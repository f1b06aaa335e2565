// Drawing backgrounds and clouds. Pixel positions truncate toward zero and integer halves and
// thirds divide as integers do, so the layers move in whole pixels at their own rates.
#include "world/background.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/assets.h"
#include "app/draw.h"
#include "app/frame_rows.h"
#include "session/world.h"

namespace {
// True when `tex` holds pixels in the format of what the renderer draws on now.
bool in_frame_format(SDL_Texture* tex) {
    Uint32 format = 0;
    return SDL_QueryTexture(tex, &format, nullptr, nullptr, nullptr) == 0 &&
           format == frame_format();
}

// Rows [top, bottom) of the window.
struct Rows {
    int top = 0, bottom = 0;
};
// The rows of the window a layer is still seen in: those no nearer band covers with its opaque
// rows. What a nearer band's opaque rows cover is never drawn: they would replace it pixel for
// pixel.
using SeenRows = std::vector<Rows>;

SeenRows rows_outside(const SeenRows& seen, Rows covered) {
    if (covered.top >= covered.bottom) return seen;
    SeenRows out;
    for (const Rows& r : seen) {
        if (covered.bottom <= r.top || covered.top >= r.bottom) {
            out.push_back(r);
            continue;
        }
        if (r.top < covered.top) out.push_back({r.top, covered.top});
        if (covered.bottom < r.bottom) out.push_back({covered.bottom, r.bottom});
    }
    return out;
}

// True when the band's rows from `solid_from` down are copied plainly: opaque, unmodulated.
bool plainly_copied(SDL_Texture* tex, int solid_from, int h) {
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    Uint8 r = 0, g = 0, b = 0, a = 0;
    SDL_GetTextureBlendMode(tex, &mode);
    SDL_GetTextureColorMod(tex, &r, &g, &b);
    SDL_GetTextureAlphaMod(tex, &a);
    return mode == SDL_BLENDMODE_BLEND && r == 255 && g == 255 && b == 255 && a == 255 &&
           solid_from >= 0 && solid_from < h;
}

// One copy of a band, its rows [from, to) alone: those down to `solid_from` blended, the opaque
// rows below copied plainly (the same pixels, several times quicker with the software renderer),
// from `solid` when given (those rows in the frame's format).
void draw_band_rows(SDL_Texture* tex, SDL_Texture* solid, int solid_from, const SDL_Rect& dst,
                    int from, int to) {
    if (from >= to) return;
    bool plain_split = plainly_copied(tex, solid_from, dst.h);
    int blended_to = plain_split ? std::min(to, solid_from) : to;
    if (from < blended_to) {
        SDL_Rect src{0, from, dst.w, blended_to - from},
            out{dst.x, dst.y + from, dst.w, blended_to - from};
        SDL_RenderCopy(game_renderer, tex, &src, &out);
    }
    int plain_from = std::max(from, blended_to);
    if (plain_split && plain_from < to && solid) {
        SDL_Rect src{0, plain_from - solid_from, dst.w, to - plain_from},
            out{dst.x, dst.y + plain_from, dst.w, to - plain_from};
        SDL_RenderCopy(game_renderer, solid, &src, &out);
    } else if (plain_split && plain_from < to) {
        SDL_Rect src{0, plain_from, dst.w, to - plain_from},
            out{dst.x, dst.y + plain_from, dst.w, to - plain_from};
        SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_NONE);
        SDL_RenderCopy(game_renderer, tex, &src, &out);
        SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
    }
}

// Where a band lies in the window and which of its rows are opaque across the whole window.
struct BandPlace {
    int y = 0, h = 0;
    Rows solid;  // empty when it has none or they are blended
};

// The first of a band's copies reaching into the window, and its left edge.
int first_copy(int base, int bw) { return base < 0 ? -base / bw : 0; }

BandPlace band_place(const FittedBand& band, int x0, int y0, int divisor, bool plain_copies) {
    BandPlace p;
    if (!band.plain || !band.mirrored || band.width <= 0) return p;
    SDL_QueryTexture(band.plain.get(), nullptr, nullptr, nullptr, &p.h);
    p.y = (y0 / divisor) / 2 + band.top;
    // Its copies go on to the window's right edge or past it; whether they start at its left
    // edge or before depends on the scroll (the selection's carousel may leave a gap there).
    int base = x0 / divisor;
    bool whole_width = base + band.width * first_copy(base, band.width) <= 0;
    if (whole_width && plain_copies && plainly_copied(band.plain.get(), band.solid_from, p.h) &&
        plainly_copied(band.mirrored.get(), band.solid_from, p.h))
        p.solid = {std::max(0, p.y + band.solid_from), std::min(window_height, p.y + p.h)};
    return p;
}

// A band is a row of copies from x0 / divisor on, every other one mirrored so that neighbours
// join seamlessly. The band was fitted to the window's height beforehand: each copy is a plain
// copy of pixels, drawn in the rows where it is still seen.
void draw_band(const FittedBand& band, const BandPlace& place, int x0, int divisor,
               bool plain_copies, const SeenRows& seen) {
    int bw = band.width;
    if (!band.plain || !band.mirrored || bw <= 0) return;
    int base = x0 / divisor;
    // From the first copy reaching into the window until one starts past its right.
    int i = first_copy(base, bw);
    for (int px = base + bw * i; px <= window_width; ++i, px += bw) {
        SDL_Rect dst{px, place.y, bw, place.h};
        bool mirrored = i % 2 == 1;
        SDL_Texture* tex = (mirrored ? band.mirrored : band.plain).get();
        SDL_Texture* solid = (mirrored ? band.solid_mirrored : band.solid_plain).get();
        if (solid && !in_frame_format(solid)) solid = nullptr;
        int solid_from = plain_copies ? band.solid_from : dst.h;
        for (const Rows& r : seen)
            draw_band_rows(tex, solid, solid_from, dst, std::max(0, r.top - dst.y),
                           std::min(dst.h, r.bottom - dst.y));
    }
}

struct BandSpeeds {
    int divisors[3];  // of bands 1, 2 and 3, the farthest first
};
constexpr BandSpeeds session_bands{{6, 4, 3}};
constexpr BandSpeeds selection_bands{{6, 3, 2}};

// True when `tex` lands on the frame as a plain copy of its pixels however it is stretched:
// opaque, blended at full alpha or not at all, unmodulated, onto a frame without alpha.
bool fits_plainly(SDL_Texture* tex, Uint32 target) {
    Uint32 format = 0;
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    Uint8 r = 0, g = 0, b = 0, a = 0;
    return tex && SDL_QueryTexture(tex, &format, nullptr, nullptr, nullptr) == 0 &&
           !SDL_ISPIXELFORMAT_ALPHA(format) && SDL_GetTextureBlendMode(tex, &mode) == 0 &&
           (mode == SDL_BLENDMODE_NONE || mode == SDL_BLENDMODE_BLEND) &&
           SDL_GetTextureColorMod(tex, &r, &g, &b) == 0 && r == 255 && g == 255 && b == 255 &&
           SDL_GetTextureAlphaMod(tex, &a) == 0 && a == 255 && target != SDL_PIXELFORMAT_UNKNOWN &&
           !SDL_ISPIXELFORMAT_ALPHA(target);
}

// `tex` stretched to w × h by the same drawing onto a target of the frame's format: the very
// routine that would stretch it onto the frame, smoothed or not. Copied plainly afterwards.
TexturePtr fit_plainly(SDL_Texture* tex, int w, int h, Uint32 target) {
    TexturePtr fitted(SDL_CreateTexture(game_renderer, target, SDL_TEXTUREACCESS_TARGET, w, h));
    SDL_Texture* before = SDL_GetRenderTarget(game_renderer);
    if (!fitted || SDL_SetRenderTarget(game_renderer, fitted.get()) != 0) return nullptr;
    draw_rect(tex, 0, 0, w, h);
    SDL_SetRenderTarget(game_renderer, before);
    SDL_SetTextureBlendMode(fitted.get(), SDL_BLENDMODE_NONE);
    return fitted;
}

// The sky as it lands stretched over the window, made on its first drawing at a size (its pixels
// readable in place when the renderer allows); null when the sky is not opaque or is drawn
// stretched on every frame.
SDL_Texture* fitted_sky(const BackgroundArt& art) {
    SDL_Texture* sky = art.layers[0].get();
    int w = window_width, h = window_height;
    Uint32 target = frame_format();
    if (!art.plain_copies || !fits_plainly(sky, target)) return nullptr;
    if (!art.sky_fitted || art.sky_fitted_w != w || art.sky_fitted_h != h ||
        art.sky_fitted_format != target) {
        art.sky_fitted.reset();
        art.sky_fitted = fit_plainly(sky, w, h, target);
        if (TexturePtr readable = readable_copy(art.sky_fitted.get()))
            art.sky_fitted = std::move(readable);
        art.sky_fitted_w = w;
        art.sky_fitted_h = h;
        art.sky_fitted_format = target;
    }
    return art.sky_fitted.get();
}

// The sky stretched over the window. An opaque sky is stretched once and then copied plainly.
void draw_sky(const BackgroundArt& art, const SeenRows& seen) {
    SDL_Texture* fitted = fitted_sky(art);
    if (!fitted) {
        draw_rect(art.layers[0].get(), 0, 0, window_width, window_height);
        return;
    }
    for (const Rows& r : seen) {
        SDL_Rect rows{0, r.top, window_width, r.bottom - r.top};
        SDL_RenderCopy(game_renderer, fitted, &rows, &rows);
    }
}

// A layered background's pixels read in place, to compose the frame's rows from them directly:
// the same pixels as drawing the sky and each band's copies with the renderer, in one pass over
// each row instead of one blit per copy of a band.
struct BandRows {
    const Uint32* pixels[2] = {nullptr, nullptr};  // plain, mirrored
    const RowSpans* spans[2] = {nullptr, nullptr};
    int pitch[2] = {0, 0};
    int width = 0;  // 0: nothing to draw
    int y = 0, h = 0, solid_from = 0, base = 0, first = 0;
    bool across = false;  // its copies start at the window's left edge or before
};
struct LayerRows {
    const Uint32* sky = nullptr;
    int sky_pitch = 0;
    BandRows bands[background_band_count];
};

// False when some layer cannot be read so (another renderer, a target, a tinted band): the
// renderer draws the background then.
bool read_layers(const BackgroundArt& art, int x0, int y0, const BandSpeeds& speeds,
                 PixelReader& reader, LayerRows& out) {
    if (art.layer_set < 1 || !art.plain_copies || window_width <= 0) return false;
    // Fitted to the window as it is now, or null.
    SDL_Texture* sky = fitted_sky(art);
    out.sky = reader.rows(sky, frame_format(), &out.sky_pitch);
    if (!out.sky) return false;
    for (int b = 0; b < background_band_count; ++b) {
        const FittedBand& band = art.bands[b];
        BandRows& r = out.bands[b];
        if (!band.plain || !band.mirrored || band.width <= 0) continue;
        SDL_Texture* tex[2] = {band.plain.get(), band.mirrored.get()};
        for (int k = 0; k < 2; ++k) {
            int w = 0, h = 0;
            SDL_BlendMode mode = SDL_BLENDMODE_NONE;
            Uint8 cr = 0, cg = 0, cb = 0, ca = 0;
            if (SDL_QueryTexture(tex[k], nullptr, nullptr, &w, &h) != 0 || w != band.width ||
                (k == 1 && h != r.h) || SDL_GetTextureBlendMode(tex[k], &mode) != 0 ||
                mode != SDL_BLENDMODE_BLEND || SDL_GetTextureColorMod(tex[k], &cr, &cg, &cb) != 0 ||
                SDL_GetTextureAlphaMod(tex[k], &ca) != 0 || (cr & cg & cb & ca) != 255)
                return false;
            r.h = h;
            r.pixels[k] = reader.rows(tex[k], SDL_PIXELFORMAT_ARGB8888, &r.pitch[k]);
            if (!r.pixels[k]) return false;
        }
        r.spans[0] = &band.spans_plain;
        r.spans[1] = &band.spans_mirrored;
        for (const RowSpans* spans : r.spans)
            if (spans->first.size() != static_cast<size_t>(std::clamp(band.solid_from, 0, r.h)) + 1)
                return false;
        r.width = band.width;
        r.y = (y0 / speeds.divisors[b]) / 2 + band.top;
        r.solid_from = std::clamp(band.solid_from, 0, r.h);
        r.base = x0 / speeds.divisors[b];
        r.first = first_copy(r.base, r.width);
        r.across = r.base + r.width * r.first <= 0;
    }
    return true;
}

// Row y of the background into `out` (the window's width): the sky, then each band's copies from
// the farthest, blended where they are soft and copied where opaque; the layers beneath a band
// whose opaque rows cover the row across are left out, as nothing of them would show.
void compose_row(const LayerRows& l, int y, Uint32* out) {
    const int w = window_width;
    int from = -1;  // the nearest band covering the row across; -1: none, the sky shows
    for (int b = background_band_count - 1; b >= 0 && from < 0; --b) {
        const BandRows& band = l.bands[b];
        const int r = y - band.y;
        if (band.width > 0 && band.across && r >= band.solid_from && r < band.h) from = b;
    }
    if (from < 0)
        std::memcpy(out, l.sky + static_cast<ptrdiff_t>(y) * l.sky_pitch, w * sizeof(Uint32));
    for (int b = std::max(from, 0); b < background_band_count; ++b) {
        const BandRows& band = l.bands[b];
        const int r = y - band.y;
        if (band.width <= 0 || r < 0 || r >= band.h) continue;
        const bool solid = r >= band.solid_from;
        int i = band.first;
        for (int px = band.base + band.width * i; px <= w; ++i, px += band.width) {
            const int left = std::max(px, 0), right = std::min(px + band.width, w);
            if (left >= right) continue;
            const int k = i % 2;
            const Uint32* src = band.pixels[k] + static_cast<ptrdiff_t>(r) * band.pitch[k];
            if (solid) {
                std::memcpy(out + left, src + (left - px), (right - left) * sizeof(Uint32));
                continue;
            }
            // Only the stretches of the row that show something are read.
            const RowSpans& spans = *band.spans[k];
            for (int n = spans.first[r]; n < spans.first[r + 1]; ++n) {
                const int from = std::max(px + spans.spans[n].from, left);
                const int to = std::min(px + spans.spans[n].to, right);
                if (from < to) blend_row(out + from, src + (from - px), to - from);
            }
        }
    }
}

// The background composed on the frame's rows directly; false when it cannot be.
bool compose_on_frame(const BackgroundArt& art, int x0, int y0, const BandSpeeds& speeds) {
    if (!frame_drawn_directly()) return false;
    PixelReader reader;
    LayerRows layers;
    if (!read_layers(art, x0, y0, speeds, reader, layers)) return false;
    SDL_Surface* frame = frame_surface_directly();
    if (!frame || frame->w != window_width || frame->h != window_height) return false;
    for (int y = 0; y < frame->h; ++y) compose_row(layers, y, surface_row(frame, y));
    return true;
}

// The sky over the whole window, then the three bands from the farthest.
void draw_layered(const BackgroundArt& art, int x0, int y0, const BandSpeeds& speeds) {
    if (compose_on_frame(art, x0, y0, speeds)) return;
    BandPlace places[background_band_count];
    SeenRows seen[background_band_count + 1];  // of the sky, then of each band
    seen[background_band_count] = {{0, window_height}};
    for (int b = background_band_count - 1; b >= 0; --b) {
        places[b] = band_place(art.bands[b], x0, y0, speeds.divisors[b], art.plain_copies);
        seen[b] = rows_outside(seen[b + 1], places[b].solid);
    }
    // seen[b + 1] holds the rows no band nearer than b covers; seen[0] those of the sky.
    draw_sky(art, seen[0]);
    for (int b = 0; b < background_band_count; ++b)
        draw_band(art.bands[b], places[b], x0, speeds.divisors[b], art.plain_copies, seen[b + 1]);
}

// The panorama fills the window's height and scrolls x · tile_size / r pixels: r times slower
// than the level (at least 3), so that its right end comes into view with the level's right end.
void draw_panorama(const BackgroundArt& art, double x) {
    if (art.slice_count == 0 || !art.slices[0]) return;
    int W = window_width, H = window_height, T = tile_size();
    int th = 0;
    SDL_QueryTexture(art.slices[0].get(), nullptr, nullptr, nullptr, &th);
    if (th <= 0) return;
    int full = art.last_slice_width > 0 ? art.slice_count - 1 : art.slice_count;
    int sw = background_slice_width * full + art.last_slice_width;
    double scale = static_cast<double>(H) / th;
    int pw = static_cast<int>(sw * scale);
    // A panorama exactly as wide as the window has no room to scroll: it takes the least
    // slowness like any other narrow one.
    double r = pw != W ? static_cast<double>(T * grid_width - W) / (pw - W) : 3;
    if (r < 3) r = 3;
    int off = static_cast<int>(x * T / r);
    double v = background_slice_width * scale;
    Uint32 target = frame_format();
    for (int i = 0; i < art.slice_count; ++i) {
        // Each slice ends where the next begins, so no seam opens between them.
        int left = static_cast<int>(off + i * v), right = static_cast<int>(off + (i + 1) * v);
        BackgroundArt::FittedSlice& fitted = art.fitted_slices[i];
        if (right <= 0 || left >= W || !art.slices[i]) {
            fitted = {};  // out of view: its pixels go
            continue;
        }
        SDL_Rect dst{left, 0, right - left, H};
        SDL_Texture* slice = art.slices[i].get();
        if (art.keeps_frame_copies && art.plain_copies && fits_plainly(slice, target) &&
            !crosses_clip(dst)) {
            if (!fitted.tex || fitted.w != dst.w || fitted.h != H || fitted.format != target) {
                fitted = {};
                fitted = {fit_plainly(slice, dst.w, H, target), dst.w, H, target};
            }
            if (fitted.tex) {
                SDL_RenderCopy(game_renderer, fitted.tex.get(), nullptr, &dst);
                continue;
            }
        }
        SDL_RenderCopy(game_renderer, slice, nullptr, &dst);
    }
}

// True when the background lays opaque pixels over all of what the renderer draws on now: a
// layered set's opaque sky is stretched over it all, below the bands.
bool covers_frame(const BackgroundArt& art) {
    return art.layer_set >= 1 && fits_plainly(art.layers[0].get(), frame_format());
}

struct CloudRow {
    int image;  // index in Background::clouds
    int copies, spacing;
    int divisor;  // of the camera's pixel position
    int lift;     // pixels added to the row's height
    int w, h;
};
// The big clouds are nearest and scroll fastest; then the middle ones, then the small far ones.
constexpr CloudRow cloud_rows[cloud_kinds] = {
    {0, 4, 640, 2, -250, 320, 180},
    {2, 6, 480, 4, 100, 160, 90},
    {1, 8, 800, 6, 200, 106, 60},
};

void draw_clouds(const Background& bg, double camera_x, double camera_y) {
    int T = tile_size();
    for (const CloudRow& row : cloud_rows) {
        // The remainder keeps the dividend's sign, as C++'s % does.
        int shift = static_cast<int>(camera_x * T / row.divisor) % row.spacing;
        int y = static_cast<int>(camera_y * T / row.divisor + row.lift);
        for (int k = 0; k < row.copies; ++k) {
            draw_rect(bg.clouds[row.image].get(), row.spacing * k - shift, y, row.w, row.h);
        }
    }
}
}  // namespace

void background_draw(const Background& bg, double camera_x, double camera_y) {
    // A level narrower than the view puts the camera left of the level; the background then
    // stays at its start rather than leaving bare window on its left.
    double cx = std::max(camera_x, 0.0);
    const BackgroundArt& art = bg.art;
    int T = tile_size();
    if (art.layer_set >= 1) {
        draw_layered(art, static_cast<int>(-cx * T), static_cast<int>(camera_y * T), session_bands);
    } else {
        draw_panorama(art, -cx);
    }
    draw_clouds(bg, cx, camera_y);
}

bool background_covers_window(const Background& bg) { return covers_frame(bg.art); }

void select_background_draw(const BackgroundArt& art, double x, int alpha, SDL_Texture* canvas,
                            bool onto_black) {
    int a = std::clamp(alpha, 0, 255);
    if (a == 0) return;
    auto draw = [&art, x] {
        if (art.layer_set >= 1) {
            draw_layered(art, static_cast<int>(x * tile_size()), 0, selection_bands);
        } else {
            draw_panorama(art, x);
        }
    };
    // Faded onto the black frame, the picture is drawn on the frame itself and its pixels faded
    // there at once, as laying it over black from a canvas would give them.
    if (a < 255 && onto_black && frame_drawn_directly()) {
        draw();
        fade_frame_directly(a);
        return;
    }
    // Faded, the picture is made whole on the canvas first and laid over the frame at the alpha
    // in one copy: fading each layer on its own costs the software renderer several times as
    // much, and two backgrounds fade at once while the carousel turns.
    if (a < 255 && canvas && SDL_SetRenderTarget(game_renderer, canvas) == 0) {
        if (!covers_frame(art)) SDL_RenderClear(game_renderer);
        draw();
        SDL_SetRenderTarget(game_renderer, nullptr);
        SDL_SetTextureAlphaMod(canvas, static_cast<Uint8>(a));
        SDL_RenderCopy(game_renderer, canvas, nullptr, nullptr);
        return;
    }
    // Without a canvas the nearer of two fading pictures is drawn whole, the other left out.
    if (a >= 128) draw();
}

bool select_backgrounds_cross_fade(const BackgroundArt& lower, double lower_x, int lower_alpha,
                                   const BackgroundArt& upper, double upper_x, int upper_alpha) {
    if (lower_alpha < 1 || lower_alpha > 254 || upper_alpha < 1 || upper_alpha > 254 ||
        !frame_drawn_directly() || !covers_frame(lower) || !covers_frame(upper))
        return false;
    PixelReader reader;
    LayerRows l, u;
    const int t = tile_size();
    if (!read_layers(lower, static_cast<int>(lower_x * t), 0, selection_bands, reader, l) ||
        !read_layers(upper, static_cast<int>(upper_x * t), 0, selection_bands, reader, u))
        return false;
    SDL_Surface* frame = frame_surface_directly();
    if (!frame || frame->w != window_width || frame->h != window_height) return false;
    // Each row of both, then the one faded and the other laid over it, while the row is warm.
    static thread_local std::vector<Uint32> upper_row;
    upper_row.resize(static_cast<size_t>(frame->w));
    for (int y = 0; y < frame->h; ++y) {
        Uint32* row = surface_row(frame, y);
        compose_row(l, y, row);
        compose_row(u, y, upper_row.data());
        cross_fade_row(row, upper_row.data(), frame->w, lower_alpha, upper_alpha);
    }
    return true;
}

bool select_background_composed(const BackgroundArt& art) {
    return art.layer_set >= 1 && art.plain_copies && game_window && software_renderer() &&
           fits_plainly(art.layers[0].get(), SDL_GetWindowPixelFormat(game_window));
}

TexturePtr select_background_canvas() {
    renderer_acquire();
    // Opaque pixels: laying it over the frame with an alpha is the renderer's quickest blend.
    TexturePtr canvas(SDL_CreateTexture(game_renderer, SDL_PIXELFORMAT_RGB888,
                                        SDL_TEXTUREACCESS_TARGET, std::max(window_width, 1),
                                        std::max(window_height, 1)));
    renderer_release();
    if (canvas) SDL_SetTextureBlendMode(canvas.get(), SDL_BLENDMODE_BLEND);
    return canvas;
}
