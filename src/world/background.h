// The picture behind a level, named by the `fond` of its config.ini: a one-character name is a
// layered set (a sky and three bands scrolling at their own speeds), a longer one the file name
// of a wide panorama cut into slices. The session draws three rows of clouds over it; the level
// selection shows every level's background, faded by an alpha and without clouds.
#pragma once
#include <array>
#include <future>
#include <string>
#include <vector>

#include "app/sdl_handles.h"

constexpr int background_slice_width = 1920;  // pixels of image in one panorama slice
constexpr int max_background_slices = 20;     // a panorama is cut off after 20 slices
constexpr int background_layer_count = 5;     // sky, three bands, and one that is never drawn
constexpr int cloud_kinds = 3;
constexpr int background_band_count = 3;

// Where a band's rows show anything: per row, the stretches of pixels not wholly transparent
// (short gaps between them included). Drawing a row skips the rest without reading it.
struct RowSpans {
    struct Span {
        int from, to;  // pixels [from, to) of the row
    };
    std::vector<int> first;  // row y's spans are spans[first[y]] … spans[first[y + 1] − 1]
    std::vector<Span> spans;
};
// The spans of the first `rows` rows of an ARGB surface.
RowSpans row_spans(SDL_Surface* s, int rows);

// A parallax band made ready for one window height: scaled once to the window's height (and
// twice as wide), cut below its transparent sky, and mirrored once, so that a frame only copies
// pixels. Scaling and flipping a band on every frame costs the software renderer several
// milliseconds a band.
struct FittedBand {
    TexturePtr plain, mirrored;
    int width = 0;  // = 2 × the window height it was made for
    int top = 0;    // rows above the picture, left out: nothing but transparency
    // The first of the rows that are opaque from there down to the band's foot: they are copied
    // plainly, which the software renderer does several times quicker than blending them and
    // which gives the same pixels.
    int solid_from = 0;
    // A level's bands: those opaque rows again, in the frame's pixel format (nullptr without):
    // a plain copy in the frame's own format is a copy of memory, thrice as quick as dropping
    // each pixel's alpha on the way.
    TexturePtr solid_plain, solid_mirrored;
    // The rows above solid_from that show something, plain and mirrored.
    RowSpans spans_plain, spans_mirrored;
};

// A band's pixels fitted away from the renderer, before they become a FittedBand.
struct BandPixels {
    SurfacePtr plain, mirrored;
    int width = 0, top = 0, solid_from = 0;
    RowSpans spans_plain, spans_mirrored;
};
struct FittedPixels {
    std::array<BandPixels, background_band_count> bands;
    int height = 0;       // the window height they were made for
    bool smooth = false;  // scaled blending neighbours, as the smoothing setting asked
};

// The images of one background. The level selection holds one per listed level.
struct BackgroundArt {
    int slice_count = 0;       // panorama slices
    int last_slice_width = 0;  // image in the last slice; 0 when every slice is full
    std::array<TexturePtr, max_background_slices> slices;
    // The sky (0) and the image that is never drawn (4); the bands 1 … 3 live in `bands`.
    std::array<TexturePtr, background_layer_count> layers;
    int layer_set = 0;  // 0 for a panorama; a layered set's number + 1
    // Layered sets: the folder the bands are read from again when the window's height or the
    // smoothing changes, the bands as fitted, and the height they were fitted for (0: not yet).
    std::string folder;
    std::array<FittedBand, background_band_count> bands;
    int fitted_height = 0;
    bool fitted_smooth = false;  // and whether they were scaled smooth
    // The level selection shows each band as if drawn twice at the same place, which deepens
    // its soft edges: its bands are fitted so, with each pixel's cover a = 1 − (1 − a)².
    bool deepened = false;
    // The level selection fits bands on a worker thread while the carousel turns.
    std::future<FittedPixels> pending;
    // The sky as it lands stretched over the window, made on its first drawing at a size: a
    // frame then copies it plainly, several times quicker with the software renderer.
    mutable TexturePtr sky_fitted;
    mutable int sky_fitted_w = 0, sky_fitted_h = 0;
    mutable Uint32 sky_fitted_format = 0;  // of the target it was made for
    // A level's background keeps copies made for the frame (the level selection holds every
    // level's pictures already): its bands' opaque rows in the frame's format, and its
    // panorama's slices in view as they land stretched over the window. A slice is made on its
    // first drawing at its size and dropped when it leaves the view: a frame then copies it
    // plainly, several times quicker with the software renderer than stretching it again.
    bool keeps_frame_copies = false;
    struct FittedSlice {
        TexturePtr tex;
        int w = 0, h = 0;
        Uint32 format = 0;  // of the target it was made for
    };
    mutable std::array<FittedSlice, max_background_slices> fitted_slices;
    // False: the sky and the panorama stretched and every band blended whole on every frame, as
    // tests compare.
    bool plain_copies = true;
};

// The session's background: the level's images and the clouds over them.
struct Background {
    BackgroundArt art;
    std::array<TexturePtr, cloud_kinds> clouds;  // "ide/cloud.png", "cloud2.png", "cloud3.png"
};

// Loads the images; a layered set's bands are fitted to the window as it is.
void background_load(Background& bg, const std::string& fond);
// Fits a layered set's bands again when the window's height or the smoothing setting is no
// longer theirs (a new display mode); nothing otherwise. Called by the screen's update, never by
// its drawing.
void background_fit(BackgroundArt& art);
// Bytes of pixels held by the background's textures, clouds included.
long background_texture_bytes(const Background& bg);
long background_texture_bytes(const BackgroundArt& art);
// Scrolls with the camera: the panorama and the bands slower than the level, each cloud row at
// its own depth.
void background_draw(const Background& bg, double camera_x, double camera_y);
// True when background_draw lays opaque pixels over the whole window (or the viewport): a
// layered set whose sky is opaque, as all of ours are. The frame below needs no clearing.
bool background_covers_window(const Background& bg);
void background_release(Background& bg);

// The level selection's variant: the same images, without clouds.
void select_background_load(BackgroundArt& art, const std::string& fond);
// Shifted by x cells and drawn with alpha 0 … 255. A faded background is drawn whole on the
// canvas (a window-sized target of select_background_canvas, scratch space that holds nothing
// between frames) and laid over the frame with the alpha; `onto_black`: the frame holds nothing
// yet but the black it was cleared to, and the background may be drawn and faded on it directly.
void select_background_draw(const BackgroundArt& art, double x, int alpha, SDL_Texture* canvas,
                            bool onto_black = false);
// Two layered backgrounds cross-fading, drawn on the frame at once, row by row: the pixels
// select_background_draw gives for `lower` faded onto the black frame and `upper` faded over it
// (both alphas 1 … 254), without a canvas. False when it cannot be so (another renderer, a
// drawing target, a panorama): nothing was drawn then.
bool select_backgrounds_cross_fade(const BackgroundArt& lower, double lower_x, int lower_alpha,
                                   const BackgroundArt& upper, double upper_x, int upper_alpha);
// True when select_backgrounds_cross_fade can draw the background, as far as it can tell before
// drawing: a layered set with an opaque sky, under the software renderer.
bool select_background_composed(const BackgroundArt& art);
TexturePtr select_background_canvas();
void select_background_release(BackgroundArt& art);
// Once a frame in the level selection: a background `wanted` (its level near the highlight) gets
// its bands fitted to the window on a worker thread, taken once ready; one no longer wanted lets
// them go. Until its bands are ready a background shows its sky alone.
void select_background_prepare(BackgroundArt& art, bool wanted);
// Waits for the work under way, then prepares as wanted before (loading, tests).
void select_background_settle(BackgroundArt& art);
