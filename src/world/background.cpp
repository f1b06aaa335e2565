// Loading and releasing backgrounds. Every texture is made under the renderer handshake: the
// session's loading screen animates on its own thread while the background loads.
#include "world/background.h"

#include <SDL_image.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "app/assets.h"
#include "app/draw.h"
#include "app/file_checks.h"
#include "app/frame_rows.h"
#include "app/paths.h"
#include "app/settings.h"

namespace {
const std::string background_folder = "textures/backgrounds/";

// Cuts the image into slices of background_slice_width; the last slice is padded with black.
// An image wider than max_background_slices slices keeps its first slices only.
void load_panorama(BackgroundArt& art, const std::string& fond) {
    std::string path = resource_path(background_folder + fond);
    if (!regular_file(path)) return;
    SurfacePtr image(IMG_Load(path.c_str()));
    if (!image) return;
    int h = image->h;
    art.slice_count = image->w / background_slice_width;
    art.last_slice_width = image->w % background_slice_width;
    if (art.last_slice_width > 0) ++art.slice_count;
    if (art.slice_count > max_background_slices) {
        art.slice_count = max_background_slices;
        art.last_slice_width = 0;
    }
    for (int j = 0; j < art.slice_count; ++j) {
        SurfacePtr slice(SDL_CreateRGBSurface(0, background_slice_width, h, 32, 0, 0, 0, 0));
        if (!slice) continue;
        SDL_Rect src{j * background_slice_width, 0, background_slice_width, h};
        SDL_Rect dst{0, 0, background_slice_width, h};
        SDL_BlitSurface(image.get(), &src, slice.get(), &dst);
        renderer_acquire();
        art.slices[j].reset(SDL_CreateTextureFromSurface(game_renderer, slice.get()));
        renderer_release();
    }
}

// The player's smoothing ("lissage"), read on the renderer's thread and handed to the workers.
bool smoothing() { return settings.lissage != quality_none; }

// Its pixels readable in place: the frame's rows may be composed from them directly.
TexturePtr make_texture(SDL_Surface* surface) {
    renderer_acquire();
    TexturePtr tex = readable_texture(surface);
    renderer_release();
    if (tex) SDL_SetTextureBlendMode(tex.get(), SDL_BLENDMODE_BLEND);
    return tex;
}

// The first row holding a pixel that is not wholly transparent; the height when there is none.
int first_visible_row(SDL_Surface* s) {
    for (int y = 0; y < s->h; ++y) {
        const Uint32* row = surface_row(s, y);
        for (int x = 0; x < s->w; ++x)
            if (row[x] & 0xFF000000u) return y;
    }
    return s->h;
}

// Each pixel as it would stand after being drawn twice over itself: the colour laid twice with
// cover a leaves 1 − (1 − a)² of it over what was below.
void deepen(SDL_Surface* s) {
    for (int y = 0; y < s->h; ++y) {
        Uint32* row = surface_row(s, y);
        for (int x = 0; x < s->w; ++x) {
            Uint32 a = row[x] >> 24, left = 255 - a;
            row[x] = (row[x] & 0x00FFFFFFu) | ((255 - (left * left + 127) / 255) << 24);
        }
    }
}

// Band image `file` scaled to width × height as the renderer scales pictures with the player's
// smoothing (nearest pixel without, blending neighbours with), deepened for the level selection,
// kept from its first visible row down, plain and mirrored. Pixels only: safe on any thread.
BandPixels band_pixels(const std::string& file, int width, int height, bool deepened, bool smooth) {
    BandPixels band;
    band.width = width;
    band.top = height;
    if (!regular_file(file)) return band;
    SurfacePtr image(IMG_Load(file.c_str()));
    if (!image) return band;
    SurfacePtr source(SDL_ConvertSurfaceFormat(image.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    SurfacePtr scaled(
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!source || !scaled) return band;
    SDL_SetSurfaceBlendMode(source.get(), SDL_BLENDMODE_NONE);
    int failed = smooth ? SDL_SoftStretchLinear(source.get(), nullptr, scaled.get(), nullptr)
                        : SDL_BlitScaled(source.get(), nullptr, scaled.get(), nullptr);
    if (failed != 0) return band;
    if (deepened) deepen(scaled.get());
    band.top = first_visible_row(scaled.get());
    int h = height - band.top;
    if (h <= 0) return band;
    SurfacePtr plain(SDL_CreateRGBSurfaceWithFormat(0, width, h, 32, SDL_PIXELFORMAT_ARGB8888));
    SurfacePtr mirrored(SDL_CreateRGBSurfaceWithFormat(0, width, h, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!plain || !mirrored) return band;
    for (int y = 0; y < h; ++y) {
        const Uint32* from = surface_row(scaled.get(), y + band.top);
        Uint32* back = surface_row(mirrored.get(), y);
        std::memcpy(surface_row(plain.get(), y), from, static_cast<size_t>(width) * sizeof(Uint32));
        for (int x = 0; x < width; ++x) back[width - 1 - x] = from[x];
    }
    band.solid_from = h;
    for (int y = h - 1; y >= 0; --y) {
        const Uint32* row = surface_row(plain.get(), y);
        bool solid = true;
        for (int x = 0; x < width && solid; ++x) solid = (row[x] >> 24) == 0xFF;
        if (!solid) break;
        band.solid_from = y;
    }
    band.spans_plain = row_spans(plain.get(), band.solid_from);
    band.spans_mirrored = row_spans(mirrored.get(), band.solid_from);
    band.plain = std::move(plain);
    band.mirrored = std::move(mirrored);
    return band;
}

// Every band of the set in `folder` made for a window `height` pixels high.
FittedPixels fitted_pixels(const std::string& folder, int height, bool deepened, bool smooth) {
    // One set at a time: the level selection fits the backgrounds of the highlighted level and
    // of both its neighbours at once, and each holds the decoded, scaled and mirrored pictures
    // of three bands while it works (some 80 MB at 1920 × 1080).
    static std::mutex one_at_a_time;
    std::lock_guard<std::mutex> lock(one_at_a_time);
    FittedPixels fitted;
    fitted.height = height;
    fitted.smooth = smooth;
    // The band images are made twice as wide as high; a band is drawn as high as the window.
    int width = height * 3000 / 1500;
    for (int b = 0; b < background_band_count; ++b)
        fitted.bands[b] = band_pixels(resource_path(folder + "/" + std::to_string(b + 1) + ".png"),
                                      width, height, deepened, smooth);
    return fitted;
}

// Rows `from` down of an ARGB band, in the window's pixel format, copied unblended; nullptr when
// there are none or the window's format has an alpha channel.
TexturePtr solid_rows(SDL_Surface* band, int from) {
    Uint32 format = game_window ? SDL_GetWindowPixelFormat(game_window)
                                : static_cast<Uint32>(SDL_PIXELFORMAT_UNKNOWN);
    if (from < 0 || from >= band->h || format == SDL_PIXELFORMAT_UNKNOWN ||
        SDL_ISPIXELFORMAT_ALPHA(format) || SDL_BYTESPERPIXEL(format) != 4)
        return nullptr;
    SurfacePtr rows(SDL_CreateRGBSurfaceWithFormatFrom(surface_row(band, from), band->w,
                                                       band->h - from, 32, band->pitch,
                                                       SDL_PIXELFORMAT_ARGB8888));
    SurfacePtr converted(rows ? SDL_ConvertSurfaceFormat(rows.get(), format, 0) : nullptr);
    TexturePtr tex = converted ? make_texture(converted.get()) : nullptr;
    if (tex) SDL_SetTextureBlendMode(tex.get(), SDL_BLENDMODE_NONE);
    return tex;
}

// The fitted pixels become the art's textures (the renderer's thread).
void take_fitted(BackgroundArt& art, FittedPixels& fitted) {
    art.fitted_height = fitted.height;
    art.fitted_smooth = fitted.smooth;
    for (int b = 0; b < background_band_count; ++b) {
        BandPixels& from = fitted.bands[b];
        FittedBand& band = art.bands[b];
        band = FittedBand{};
        band.width = from.width;
        band.top = from.top;
        band.solid_from = from.solid_from;
        if (from.plain && from.mirrored) {
            band.spans_plain = std::move(from.spans_plain);
            band.spans_mirrored = std::move(from.spans_mirrored);
            band.plain = make_texture(from.plain.get());
            band.mirrored = make_texture(from.mirrored.get());
            if (art.keeps_frame_copies) {
                band.solid_plain = solid_rows(from.plain.get(), from.solid_from);
                band.solid_mirrored = solid_rows(from.mirrored.get(), from.solid_from);
            }
        }
        // Each band's pixels go as soon as its pictures hold them: the level selection takes
        // two or three backgrounds' at once (some 36 MB each at 1920 x 1080).
        from.plain.reset();
        from.mirrored.reset();
    }
}

void load_art(BackgroundArt& art, const std::string& fond, bool deepened) {
    art = BackgroundArt{};
    art.deepened = deepened;
    art.keeps_frame_copies = !deepened;
    if (fond.empty()) return;  // no background named
    if (fond.size() == 1) art.layer_set = std::atoi(fond.c_str()) + 1;
    if (art.layer_set == 0) {
        load_panorama(art, fond);
        return;
    }
    art.folder = background_folder + fond;
    // The bands (1 … 3) are read when they are fitted to the window: the session's at once,
    // the level selection's while their level is near the highlight.
    for (int i : {0, background_layer_count - 1}) {
        art.layers[i] = load_texture(art.folder + "/" + std::to_string(i) + ".png");
    }
    if (!deepened) background_fit(art);
}

long texture_bytes(const TexturePtr& t) {
    int w = 0, h = 0;
    if (!t || SDL_QueryTexture(t.get(), nullptr, nullptr, &w, &h) != 0) return 0;
    return 4L * w * h;
}
}  // namespace

RowSpans row_spans(SDL_Surface* s, int rows) {
    // Gaps shorter than this are read through: a span costs more than a few pixels skipped.
    constexpr int least_gap = 16;
    RowSpans out;
    rows = std::clamp(rows, 0, s->h);
    out.first.reserve(static_cast<size_t>(rows) + 1);
    for (int y = 0; y < rows; ++y) {
        out.first.push_back(static_cast<int>(out.spans.size()));
        const Uint32* row = surface_row(s, y);
        for (int x = 0; x < s->w;) {
            if ((row[x] >> 24) == 0) {
                ++x;
                continue;
            }
            int end = x + 1;
            while (end < s->w && (row[end] >> 24) != 0) ++end;
            if (!out.spans.empty() && out.first.back() < static_cast<int>(out.spans.size()) &&
                x - out.spans.back().to < least_gap)
                out.spans.back().to = end;
            else
                out.spans.push_back({x, end});
            x = end;
        }
    }
    out.first.push_back(static_cast<int>(out.spans.size()));
    return out;
}

void background_fit(BackgroundArt& art) {
    bool smooth = smoothing();
    if (art.layer_set < 1 || art.folder.empty() || window_height <= 0 ||
        (art.fitted_height == window_height && art.fitted_smooth == smooth))
        return;
    art.bands = {};  // the old size's pixels go before the new ones are made
    FittedPixels fitted = fitted_pixels(art.folder, window_height, art.deepened, smooth);
    take_fitted(art, fitted);
}

void select_background_prepare(BackgroundArt& art, bool wanted) {
    if (art.layer_set < 1 || art.folder.empty()) return;
    if (art.pending.valid()) {
        if (art.pending.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
        FittedPixels fitted = art.pending.get();
        // Made for a height the window no longer has, or with the smoothing no longer chosen:
        // made again below.
        if (fitted.height == window_height && fitted.smooth == smoothing())
            take_fitted(art, fitted);
    }
    if (!wanted) {
        art.bands = {};
        art.fitted_height = 0;
        art.sky_fitted.reset();
        return;
    }
    if ((art.fitted_height == window_height && art.fitted_smooth == smoothing()) ||
        window_height <= 0)
        return;
    art.pending = std::async(std::launch::async, fitted_pixels, art.folder, window_height,
                             art.deepened, smoothing());
}

void select_background_settle(BackgroundArt& art) {
    if (art.pending.valid()) art.pending.wait();
    bool wanted = art.fitted_height != 0 || art.pending.valid();
    select_background_prepare(art, wanted);
}

long background_texture_bytes(const BackgroundArt& art) {
    long bytes = 0;
    for (const TexturePtr& t : art.slices) bytes += texture_bytes(t);
    for (const BackgroundArt::FittedSlice& f : art.fitted_slices) bytes += texture_bytes(f.tex);
    for (const TexturePtr& t : art.layers) bytes += texture_bytes(t);
    for (const FittedBand& b : art.bands)
        bytes += texture_bytes(b.plain) + texture_bytes(b.mirrored) + texture_bytes(b.solid_plain) +
                 texture_bytes(b.solid_mirrored);
    return bytes;
}

long background_texture_bytes(const Background& bg) {
    long bytes = background_texture_bytes(bg.art);
    for (const TexturePtr& t : bg.clouds) bytes += texture_bytes(t);
    return bytes;
}

void background_load(Background& bg, const std::string& fond) {
    load_art(bg.art, fond, false);
    bg.clouds[0] = load_texture("ide/cloud.png");
    bg.clouds[1] = load_texture("ide/cloud2.png");
    bg.clouds[2] = load_texture("ide/cloud3.png");
}

void background_release(Background& bg) { bg = Background{}; }

void select_background_load(BackgroundArt& art, const std::string& fond) {
    load_art(art, fond, true);
}

void select_background_release(BackgroundArt& art) { art = BackgroundArt{}; }
