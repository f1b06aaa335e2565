// Backgrounds: loading both kinds, and where the sky, the bands, the panorama slices and the
// clouds land for a camera position, in the session and faded in the level selection.
#include "world/background.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <vector>

#include "app/draw.h"
#include "app/settings.h"
#include "session/world.h"
#include "support/harness.h"
#include "support/named_pipe.h"

namespace {
const SDL_Color sky{200, 200, 200, 255}, black{0, 0, 0, 255}, red{255, 0, 0, 255},
    green{0, 255, 0, 255}, blue{0, 0, 255, 255};
const SDL_Color band_colour[3] = {{200, 0, 0, 255}, {0, 200, 0, 255}, {0, 0, 200, 255}};
const SDL_Color marker[3] = {{100, 0, 0, 255}, {0, 100, 0, 255}, {0, 0, 100, 255}};

bool near(SDL_Color a, SDL_Color b, int tolerance = 0) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}
#define EXPECT_COLOUR(x, y, c) EXPECT_TRUE(near(read_pixel(x, y), c)) << "at " << x << "," << y

// A w × h image, transparent but for the rectangles given, each {x, y, w, h} with its colour.
SurfacePtr image(int w, int h, std::vector<std::pair<SDL_Rect, SDL_Color>> fills) {
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
    SDL_FillRect(s.get(), nullptr, 0);
    for (auto& [r, c] : fills)
        SDL_FillRect(s.get(), &r, SDL_MapRGBA(s->format, c.r, c.g, c.b, c.a));
    return s;
}

// A working folder of its own for backgrounds: panoramas coloured red, green, blue, … by slice,
// and layered sets.
struct ArtFolder {
    TempDir dir;
    std::filesystem::path previous = std::filesystem::current_path();
    ArtFolder() {
        std::filesystem::create_directories(dir.path + "/ressources/textures/backgrounds");
        std::filesystem::current_path(dir.path);
    }
    ~ArtFolder() { std::filesystem::current_path(previous); }
    // Set `name`: a grey sky, and band b 8 × 12 pixels, opaque only in rows 3b + 3 … 3b + 5, its
    // first column in the marker colour: each band shows in its own strip, and the marker tells
    // where a copy begins and whether it is mirrored. Band 0's fifth column is half transparent,
    // as the soft edge of a hill.
    void save_layered(const std::string& name) {
        std::string folder = "ressources/textures/backgrounds/" + name + "/";
        std::filesystem::create_directories(folder);
        IMG_SavePNG(image(4, 4, {{{0, 0, 4, 4}, sky}}).get(), (folder + "0.png").c_str());
        for (int b = 0; b < 3; ++b) {
            SurfacePtr s = image(
                8, 12, {{{0, 3 * b + 3, 8, 3}, band_colour[b]}, {{0, 3 * b + 3, 1, 3}, marker[b]}});
            if (b == 0) {
                SDL_Rect soft{4, 3, 1, 3};
                SDL_FillRect(s.get(), &soft, SDL_MapRGBA(s->format, 200, 0, 0, 128));
            }
            IMG_SavePNG(s.get(), (folder + std::to_string(b + 1) + ".png").c_str());
        }
        IMG_SavePNG(image(1, 1, {}).get(), (folder + "4.png").c_str());
    }
    void save(const std::string& name, int w, int h) {
        const int sw = background_slice_width;
        SurfacePtr s = image(
            w, h, {{{0, 0, sw, h}, red}, {{sw, 0, sw, h}, green}, {{2 * sw, 0, sw, h}, blue}});
        IMG_SavePNG(s.get(), ("ressources/textures/backgrounds/" + name).c_str());
    }
};

struct SettingsRestored {
    Settings saved = settings;
    ~SettingsRestored() { settings = saved; }
};
}  // namespace

TEST(BackgroundLoad, LayeredSetsFromTheResourceTree) {
    TestDisplay display(1000, 600);
    Sandbox sandbox;
    Background bg;
    background_load(bg, "1");
    EXPECT_EQ(bg.art.layer_set, 2);
    EXPECT_NE(bg.art.layers[0], nullptr);
    for (const TexturePtr& t : bg.clouds) EXPECT_NE(t, nullptr);
    // Each band is ready for the window: 1200 pixels wide, kept from below its empty sky (every
    // band of this set has one) down, with its mirrored twin.
    for (const FittedBand& band : bg.art.bands) {
        ASSERT_TRUE(band.plain && band.mirrored);
        int w = 0, h = 0;
        SDL_QueryTexture(band.plain.get(), nullptr, nullptr, &w, &h);
        EXPECT_EQ(band.width, 1200);
        EXPECT_EQ(w, 1200);
        EXPECT_GT(band.top, 0);
        EXPECT_EQ(band.top + h, 600);
    }
}

// A background's pictures that are named pipes are not opened: a read would wait for a writer
// that never comes, on the level's loading screen or in the level selection. Each says so.
TEST(BackgroundLoad, NamedPipesAreNotOpened) {
    TestDisplay display(1000, 600);
    ArtFolder folder;
    NamedPipe panorama("ressources/textures/backgrounds/pipe.png"),
        sky("ressources/textures/backgrounds/7/0.png"),
        band("ressources/textures/backgrounds/7/2.png");
    testing::internal::CaptureStdout();
    Background session_panorama, session_layered;
    background_load(session_panorama, "pipe.png");
    background_load(session_layered, "7");
    BackgroundArt selection;
    select_background_load(selection, "7");
    select_background_prepare(selection, true);
    select_background_settle(selection);
    std::string out = testing::internal::GetCapturedStdout();
    for (const NamedPipe* pipe : {&panorama, &sky, &band}) {
        EXPECT_FALSE(pipe->opened()) << pipe->path;
        std::string relative = pipe->path.substr(pipe->path.find("ressources/"));
        EXPECT_NE(out.find(relative + " is a named pipe"), std::string::npos) << relative;
    }
    EXPECT_EQ(session_panorama.art.slice_count, 0);
    EXPECT_FALSE(session_layered.art.layers[0]);
    EXPECT_FALSE(selection.bands[1].plain);
}

TEST(BackgroundDraw, BandsScrollAtTheirOwnSpeedsAndMirrorEveryOtherCopy) {
    TestDisplay display(1920, 240);  // 10 pixels a cell; bands 480 × 240
    grid_width = 10;                 // a narrow level: the bands must still fill the width
    SettingsRestored restored;
    settings.lissage = quality_none;  // sharp pixels, to find the edges exactly
    ArtFolder folder;
    folder.save_layered("7");
    Background bg;
    background_load(bg, "7");
    clear_black();
    // Camera at (12, 6) cells: x0 = −120 and y0 = 60 pixels, divided by 6, 4 and 3 for the
    // bands, which are also lowered by half the divided y0.
    background_draw(bg, 12, 6);
    const int start[3] = {-20, -30, -40}, top[3] = {5 + 60, 7 + 120, 10 + 180};
    for (int b = 0; b < 3; ++b) {
        int y = top[b] + 30, mirrored = start[b] + 900;  // the second copy's marker, at its end
        EXPECT_COLOUR(start[b] + 59, y, marker[b]);
        EXPECT_COLOUR(start[b] + 60, y, band_colour[b]);
        EXPECT_COLOUR(mirrored, y, marker[b]);
        EXPECT_COLOUR(1919, y, marker[b]);  // the fifth copy reaches the right edge
        EXPECT_COLOUR(500, top[b] - 1, sky);
        EXPECT_COLOUR(500, top[b], band_colour[b]);
    }
    // The soft column lies half over the sky.
    EXPECT_TRUE(near(read_pixel(start[0] + 270, top[0] + 30), {200, 100, 100, 255}, 2));
    // The selection: x0 = x · 10 pixels, divisors 6, 3 and 2, no vertical shift.
    BackgroundArt sel;
    select_background_load(sel, "7");
    EXPECT_EQ(sel.bands[0].plain, nullptr);  // fitted only once its level comes near
    select_background_prepare(sel, true);
    select_background_settle(sel);
    clear_black();
    select_background_draw(sel, -2, 255, nullptr);
    const int selection_start[3] = {-20 / 6, -20 / 3, -20 / 2};
    for (int b = 0; b < 3; ++b) {
        EXPECT_COLOUR(selection_start[b] + 59, 60 * b + 60, marker[b]);
        EXPECT_COLOUR(selection_start[b] + 60, 60 * b + 60, band_colour[b]);
    }
    // The selection shows it as if drawn twice: three quarters over the sky.
    EXPECT_TRUE(near(read_pixel(selection_start[0] + 270, 90), {200, 50, 50, 255}, 2));
    // Faded: the whole picture is laid at the alpha over what was drawn before (blue here); the
    // textures are left opaque.
    TexturePtr canvas = select_background_canvas();
    auto blue_then = [&](double x, int alpha, SDL_Texture* on) {
        SDL_SetRenderDrawColor(game_renderer, 0, 0, 200, 255);
        SDL_RenderClear(game_renderer);
        SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
        select_background_draw(sel, x, alpha, on);
    };
    blue_then(0, 128, canvas.get());
    EXPECT_TRUE(near(read_pixel(500, 20), {100, 100, 200, 255}, 3));
    EXPECT_TRUE(near(read_pixel(500, 90), {100, 0, 100, 255}, 3));
    EXPECT_TRUE(near(read_pixel(2, 90), {50, 0, 100, 255}, 3));  // the marker
    // Without a canvas, the nearer of two fading pictures is drawn whole, the farther not at all.
    blue_then(0, 200, nullptr);
    EXPECT_COLOUR(500, 90, band_colour[0]);
    blue_then(0, 100, nullptr);
    EXPECT_COLOUR(500, 90, (SDL_Color{0, 0, 200, 255}));
    Uint8 alpha = 0;
    SDL_GetTextureAlphaMod(sel.bands[0].plain.get(), &alpha);
    EXPECT_EQ(alpha, 255);
    SDL_GetTextureAlphaMod(sel.layers[0].get(), &alpha);
    EXPECT_EQ(alpha, 255);
    // A new display mode: the next update fits the bands to the new height; the same height
    // again keeps them as they are.
    SDL_SetWindowSize(game_window, 1920, 120);
    refresh_window_size();
    background_fit(bg.art);
    EXPECT_EQ(bg.art.bands[2].width, 240);
    EXPECT_EQ(bg.art.bands[2].top, 90);  // rows 9 … 11 of 12, ten times as high
    SDL_Texture* kept = bg.art.bands[2].plain.get();
    background_fit(bg.art);
    EXPECT_EQ(bg.art.bands[2].plain.get(), kept);
    clear_black();
    background_draw(bg, 0, 0);
    EXPECT_COLOUR(29, 100, marker[2]);
    EXPECT_COLOUR(30, 100, band_colour[2]);
}

TEST(BackgroundDraw, PanoramaSlicesScrollAtLeastThreeTimesSlowerThanTheLevel) {
    TestDisplay display(1600, 600);
    ArtFolder folder;
    folder.save("wide.png", 4000, 1080);  // drawn at 600 / 1080: 2222 pixels, slices 1066.67
    folder.save("fit.png", 1600, 600);    // drawn as wide as the window: no room to scroll
    folder.save("huge.png", 20 * background_slice_width + 1, 1);
    Background bg;
    background_load(bg, "huge.png");  // past twenty slices only the first twenty are kept
    EXPECT_TRUE(bg.art.slice_count == 20 && bg.art.last_slice_width == 0);
    background_load(bg, "wide.png");
    EXPECT_TRUE(bg.art.layer_set == 0 && bg.art.slice_count == 3 && bg.art.last_slice_width == 160);
    // 64 columns: T · grid_width − W = 0, so r = 3, and 120 cells move it 1000 pixels;
    // 200 columns: r = 3400 / 622 = 5.466, 228 pixels for 50 cells; 114: r = 2.01 becomes 3.
    const std::tuple<int, int, int> cases[] = {{64, 120, 66}, {200, 50, 838}, {114, 40, 733}};
    for (auto [columns, camera_x, green_from] : cases) {
        grid_width = columns;
        clear_black();
        background_draw(bg, camera_x, 7);
        EXPECT_COLOUR(green_from - 1, 300, red);
        EXPECT_COLOUR(green_from, 599, green);  // not moved vertically
    }
    // At 120 cells: slices join without a seam, then 160 pixels of image (88.9 drawn) and
    // the black rest of the last slice.
    grid_width = 64;
    clear_black();
    background_draw(bg, 120, 0);
    EXPECT_COLOUR(1132, 300, green);
    EXPECT_COLOUR(1220, 300, blue);
    EXPECT_COLOUR(1223, 300, black);
    background_load(bg, "fit.png");
    clear_black();
    background_draw(bg, 120, 0);  // r = 3 rather than 0 / 0
    EXPECT_COLOUR(599, 300, red);
    EXPECT_COLOUR(600, 300, black);
}

TEST(BackgroundDraw, CloudRowsAtTheirDepths) {
    TestDisplay display(1000, 600);
    Background bg;
    bg.clouds[0] = solid_texture(4, 4, red);    // "cloud.png", the near row
    bg.clouds[1] = solid_texture(4, 4, blue);   // "cloud2.png", the far row
    bg.clouds[2] = solid_texture(4, 4, green);  // "cloud3.png", the middle row
    auto box = [](SDL_Color c) {
        SDL_Rect r = find_colour(c);
        return std::vector<int>{r.x, r.y, r.w, r.h};
    };
    clear_black();
    background_draw(bg, 30, 20);                                   // 750 × 500 pixels
    EXPECT_EQ(box(red), std::vector<int>({265, 0, 735, 180}));     // 640k − 375, at 250 − 250
    EXPECT_EQ(box(green), std::vector<int>({293, 225, 640, 90}));  // 480k − 187, at 125 + 100
    EXPECT_EQ(box(blue), std::vector<int>({675, 283, 106, 60}));   // 800k − 125, at 83 + 200
    clear_black();
    background_draw(bg, -10, 0);  // left of the level counts as 0; the near row is above
    EXPECT_EQ(box(red), std::vector<int>({0, 0, 0, 0}));
    EXPECT_EQ(box(green), std::vector<int>({0, 100, 1000, 90}));
}

// The bands are fitted to the window as the player's smoothing ("lissage") scales pictures: by
// nearest pixel with "None", blending neighbours otherwise; a change of the setting fits them
// again.
TEST(BackgroundDraw, BandsAreFittedWithTheSmoothingSetting) {
    TestDisplay display(1920, 240);  // bands 480 × 240: the 8 × 12 images grow 60 and 20 times
    SettingsRestored restored;
    ArtFolder folder;
    folder.save_layered("7");
    Background bg;
    // Across band 0's marker column into its body, and down across its top edge.
    auto edges = [&] {
        clear_black();
        background_draw(bg, 0, 0);
        std::vector<SDL_Color> across, down;
        for (int x = 50; x < 70; ++x) across.push_back(read_pixel(x, 90));
        for (int y = 50; y < 70; ++y) down.push_back(read_pixel(200, y));
        return std::pair{across, down};
    };
    auto in_between = [](const std::vector<SDL_Color>& line, SDL_Color a, SDL_Color b) {
        int n = 0;
        for (SDL_Color c : line) n += !near(c, a, 1) && !near(c, b, 1);
        return n;
    };
    settings.lissage = quality_none;
    background_load(bg, "7");
    auto [sharp_across, sharp_down] = edges();
    EXPECT_EQ(in_between(sharp_across, marker[0], band_colour[0]), 0);
    EXPECT_EQ(in_between(sharp_down, sky, band_colour[0]), 0);
    for (int quality : {quality_medium, quality_high}) {
        settings.lissage = quality;
        background_fit(bg.art);
        auto [smooth_across, smooth_down] = edges();
        EXPECT_GE(in_between(smooth_across, marker[0], band_colour[0]), 20);
        EXPECT_GE(in_between(smooth_down, sky, band_colour[0]), 10);
    }
}
