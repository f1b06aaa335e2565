// Frame cap and drawing helpers, checked by their numbers and by pixels on the software renderer.
#include "app/draw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "app/assets.h"
#include "app/clock.h"
#include "app/stretched_copies.h"
#include "support/harness.h"

namespace {
const SDL_Color red{255, 0, 0, 255};

}  // namespace

TEST(Draw, SetAlphaClampsThenSubtractsTheAbsoluteFade) {
    EXPECT_EQ(alpha_value(0, 255, 255, 300), 0);
    EXPECT_EQ(alpha_value(0, 200, 255, 0), 200);
    EXPECT_EQ(alpha_value(0, 255, 250, -5), 245);
    EXPECT_EQ(alpha_value(0, 180, 255, 100), 80);
    EXPECT_EQ(alpha_value(10, 255, 0, 0), 10);
}

TEST(Draw, TileSizeIsATwentyFourthOfTheHeight) {
    window_height = 600;
    EXPECT_EQ(tile_size(), 25);
    window_height = 1080;
    EXPECT_EQ(tile_size(), 45);
    window_height = 1050;
    EXPECT_EQ(tile_size(), 43);
    // Without a window manager a window can be made lower than 24 pixels; the session divides
    // the view by the cell size, so a cell stays one pixel at least.
    for (int h : {0, 1, 23}) {
        window_height = h;
        EXPECT_EQ(tile_size(), 1) << "window height " << h;
    }
    window_height = 600;
}

TEST(Draw, HelpersPlaceTexturesWhereTheGameExpects) {
    TestDisplay display;
    TexturePtr cell = solid_texture(7, 9, red);

    clear_black();
    draw_cell(cell.get(), 0, 0);
    EXPECT_RECT(find_colour(red), 0, 575, 25, 25);

    clear_black();
    draw_cell(cell.get(), 2.5, 3.9);  // trunc(62.5), trunc(600 - 25 × 4.9)
    EXPECT_RECT(find_colour(red), 62, 477, 25, 25);

    TexturePtr wide = solid_texture(101, 51, red);
    clear_black();
    draw_scaled_centered(wide.get(), 50, 50, 1.0);
    EXPECT_RECT(find_colour(red), 449, 274, 101, 51);

    clear_black();
    draw_scaled_anchored(wide.get(), 10, 20, 0.5);  // 50 × 25 with its lower-left at (10, 20)
    EXPECT_RECT(find_colour(red), 10, 555, 50, 25);

    clear_black();
    draw_cell_px(cell.get(), 30, 100);
    EXPECT_RECT(find_colour(red), 30, 500, 25, 25);

    clear_black();
    draw_scaled(wide.get(), 3, 4, 2.0);
    EXPECT_RECT(find_colour(red), 3, 4, 202, 102);
}

TEST(Draw, SpriteCellsSubtractTheCellHeightAsPixels) {
    TestDisplay display;
    TexturePtr sprite = solid_texture(4, 8, red);
    clear_black();
    // The player's sprite: 1 × 2 cells whose top edge is 150 pixels above the lower edge.
    draw_sprite_cells(sprite.get(), false, 100, 150, 1.0, 2.0);
    EXPECT_RECT(find_colour(red), 100, 448, 25, 50);
}

TEST(Draw, PresentFrameSleepsTheRemainderAndNeverCatchesUp) {
    TestDisplay display;
    clock_use_virtual(true, 1000);
    reset_frame_cap();
    present_frame();  // first call: 1/60 s from now, trunc(16.67) = 16 ms
    EXPECT_EQ(now_ms(), 1016);
    clock_advance(5);  // 5 ms of work: sleeps trunc(11.67) = 11
    present_frame();
    EXPECT_EQ(now_ms(), 1032);
    clock_advance(40);  // a slow frame: no sleep, no catching up afterwards
    present_frame();
    EXPECT_EQ(now_ms(), 1072);
    present_frame();  // measured from the previous present
    EXPECT_EQ(now_ms(), 1088);
    int hook_calls = 0;
    set_frame_hook([&] { ++hook_calls; });
    present_frame();
    EXPECT_EQ(hook_calls, 1);
}

TEST(Draw, WindowSnapshotCopiesTheCurrentFrame) {
    TestDisplay display;
    TexturePtr cell = solid_texture(1, 1, red);
    clear_black();
    draw_cell(cell.get(), 1, 1);
    TexturePtr snap = window_snapshot();
    ASSERT_NE(snap, nullptr);
    clear_black();
    draw_fullscreen(snap.get());
    EXPECT_RECT(find_colour(red), 25, 550, 25, 25);
}

namespace {
// A picture whose every pixel differs from its neighbours, half see-through when `alpha`.
TexturePtr patterned_texture(int w, int h, bool alpha,
                             Uint32 alpha_format = SDL_PIXELFORMAT_ARGB8888) {
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(
        0, w, h, 32, alpha ? alpha_format : Uint32{SDL_PIXELFORMAT_RGB888}));
    auto* px = static_cast<Uint32*>(s->pixels);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px[y * (s->pitch / 4) + x] = SDL_MapRGBA(
                s->format, static_cast<Uint8>(x * 37 + y * 11), static_cast<Uint8>(x * 5 + y * 53),
                static_cast<Uint8>(x * y * 7), static_cast<Uint8>(x * 29 + y * 13));
    TexturePtr t(SDL_CreateTextureFromSurface(game_renderer, s.get()));
    SDL_SetTextureBlendMode(t.get(), SDL_BLENDMODE_BLEND);
    return t;
}

std::vector<Uint32> window_pixels() {
    std::vector<Uint32> px(static_cast<size_t>(window_width) * window_height);
    SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, px.data(),
                         window_width * 4);
    return px;
}
}  // namespace

// Pictures drawn at a steady size are stretched once and copied after that: smoothed or not,
// blended or opaque, modulated (an opaque one darkened with its tint put in the copy), crossing
// the window's edge or a split screen's clip, turned and mirrored, every frame shows the pixels
// of stretching the picture on every draw.
TEST(Draw, StretchedCopiesGiveThePixelsOfStretchingEachTime) {
    TestDisplay display(640, 400);
    for (const char* smoothing : {"0", "2"}) {
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, smoothing);
        // A picture keeps one copy, for the size it is drawn at: one pair of pictures a place.
        struct Place {
            TexturePtr see_through, opaque;
            SDL_Rect at;
            double angle;
            SDL_RendererFlip flip;
            bool split;  // in the right half, drawn as a split screen's half
        };
        std::vector<Place> places;
        auto place = [&](SDL_Rect at, double angle = 0, SDL_RendererFlip flip = SDL_FLIP_NONE,
                         bool split = false) {
            places.push_back({patterned_texture(37, 23, true), patterned_texture(29, 31, false), at,
                              angle, flip, split});
        };
        place({10, 12, 90, 70});
        place({-30, 300, 120, 140});  // across the window's edges
        place({600, 5, 61, 17});
        place({200, 150, 80, 60}, 33.0);
        place({300, 150, 70, 50}, 0, SDL_FLIP_HORIZONTAL);
        place({20, 250, 90, 70}, 0, SDL_FLIP_NONE, true);
        place({-25, 330, 60, 50}, 0, SDL_FLIP_NONE, true);  // across the half's clip
        place({400, 200, 111, 77});                         // modulated and faded
        auto frame = [&] {
            clear_black();
            for (size_t i = 0; i < places.size(); ++i) {
                Place& p = places[i];
                bool faded = i + 1 == places.size();
                SDL_SetTextureColorMod(p.see_through.get(), 200, faded ? 120 : 200, 255);
                SDL_SetTextureAlphaMod(p.see_through.get(), faded ? 150 : 255);
                SDL_SetTextureAlphaMod(p.opaque.get(), faded ? 90 : 255);
                std::optional<ScopedViewport> half;
                if (p.split) half.emplace(SDL_Rect{320, 0, 320, 400});
                // The opaque picture as it is, then darkened, at one place (a block in the level
                // and behind it): both are kept.
                for (int d = 0; d < 3; ++d) {
                    SDL_Texture* t = d == 0 ? p.see_through.get() : p.opaque.get();
                    SDL_SetTextureColorMod(p.opaque.get(), d == 2 ? 150 : 255, d == 2 ? 140 : 255,
                                           255);
                    SDL_Point centre{20, 10};
                    if (p.angle != 0 || p.flip != SDL_FLIP_NONE)
                        render_copy_ex(t, p.at, p.angle, &centre, p.flip);
                    else
                        render_copy(t, &p.at);
                }
            }
        };
        use_stretched_copies(false);
        frame();
        std::vector<Uint32> stretched = window_pixels();
        use_stretched_copies(true);
        for (int n = 0; n < 4; ++n) frame();  // copies are made after a few draws at one size
        EXPECT_GT(stretched_copies_kept(), 0) << "smoothing " << smoothing;
        EXPECT_TRUE(window_pixels() == stretched) << "smoothing " << smoothing;
    }
    SDL_ResetHint(SDL_HINT_RENDER_SCALE_QUALITY);
}

// The black veil over a level is laid on the software renderer's frame directly: at every alpha,
// over the whole window or over a split screen's half, it gives the pixels of the renderer
// blending it strip after strip.
TEST(Draw, BlackVeilLaidDirectlyGivesTheRenderersPixels) {
    TestDisplay display(643, 400);  // rows of pixels not a multiple of four long
    TexturePtr picture = patterned_texture(643, 400, false);
    TexturePtr veil = make_black_texture();
    SDL_SetTextureBlendMode(veil.get(), SDL_BLENDMODE_BLEND);
    int laid = veils_laid_directly();
    for (int alpha : {1, 9, 77, 128, 200, 254}) {
        for (bool half : {false, true}) {
            std::vector<Uint32> frames[2];
            for (bool direct : {false, true}) {
                use_direct_drawing(direct);
                clear_black();
                draw_fullscreen(picture.get());
                {
                    std::optional<ScopedViewport> part;
                    if (half) part.emplace(SDL_Rect{321, 0, 322, 400});
                    set_alpha(veil.get(), 0, 255, alpha, 0);
                    draw_fullscreen(veil.get());
                }
                frames[direct] = window_pixels();
            }
            EXPECT_TRUE(frames[0] == frames[1]) << "alpha " << alpha << (half ? ", half" : "");
        }
    }
    use_direct_drawing(true);
    EXPECT_EQ(veils_laid_directly() - laid, 12);  // every veil above was laid directly
}

// A smoothed picture turned about its centre or a corner, at its own size or stretched, inside
// the window or across its edges, over a busy frame, is turned and blended on the software
// renderer's frame directly with the renderer's own pixels: the exit's portal turns three such
// pictures every frame.
TEST(Draw, PictureTurnedDirectlyGivesTheRenderersPixels) {
    TestDisplay display(643, 400);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    TexturePtr backdrop = patterned_texture(643, 400, false);
    TexturePtr pictures[] = {
        patterned_texture(150, 130, true),                            // turned at its own size
        patterned_texture(150, 130, true, SDL_PIXELFORMAT_ABGR8888),  // as a PNG loads
        patterned_texture(41, 37, true),                              // stretched, then turned
        patterned_texture(41, 37, true, SDL_PIXELFORMAT_ABGR8888)};
    SDL_ResetHint(SDL_HINT_RENDER_SCALE_QUALITY);
    struct Turn {
        SDL_Rect dst;
        double angle;
        bool corner;  // about the top-left corner rather than the centre
    };
    const Turn turns[] = {
        {{100, 80, 150, 130}, 17.3, false},   {{-60, 250, 150, 130}, -123.9, false},
        {{560, -70, 150, 130}, 301.25, true}, {{300, 200, 150, 130}, 45, true},
        {{250, 100, 150, 130}, 0.01, false},  {{580, 340, 150, 130}, -89.99, false}};
    int turned = pictures_turned_directly();
    for (const TexturePtr& picture : pictures) {
        for (const Turn& t : turns) {
            std::vector<Uint32> frames[2];
            for (bool direct : {false, true}) {
                use_direct_drawing(direct);
                const SDL_Point corner{0, 0};
                for (int draw = 0; draw < 3;
                     ++draw) {  // a stretched copy is kept from the third on
                    clear_black();
                    draw_fullscreen(backdrop.get());
                    render_copy_ex(picture.get(), t.dst, t.angle, t.corner ? &corner : nullptr,
                                   SDL_FLIP_NONE);
                }
                frames[direct] = window_pixels();
            }
            EXPECT_TRUE(frames[0] == frames[1]) << "angle " << t.angle;
        }
    }
    use_direct_drawing(true);
    EXPECT_EQ(pictures_turned_directly() - turned, 72);  // every draw with direct drawing on
}
