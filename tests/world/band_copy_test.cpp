// A band's opaque foot is copied plainly rather than blended, and the sky and a level's panorama
// stretched once and then copied: every background of our levels, in a level and in the level
// selection (deepened bands, on its canvas and faded), shows the same pixels as with the sky and
// the panorama stretched and every band blended whole on every frame; and the rows a nearer
// band's opaque foot covers are not drawn beneath it, nor the frame cleared beneath a background
// that covers it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/draw.h"
#include "support/harness.h"
#include "world/background.h"

namespace {
std::vector<Uint32> frame_pixels() {
    std::vector<Uint32> px(static_cast<size_t>(window_width) * window_height);
    SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, px.data(),
                         window_width * 4);
    return px;
}

}  // namespace

TEST(BandCopy, PlainCopiesGiveTheSamePixels) {
    TestDisplay display(1000, 600);
    TexturePtr canvas = select_background_canvas();
    int split_bands[2] = {0, 0}, fitted_skies = 0;  // [in a level, in the selection]
    int fitted_slices = 0, covering = 0;
    // Unsmoothed and smoothed, as the player's setting has it.
    for (const char* smoothing : {"0", "2"})
        for (const std::string fond : {"1", "2", "3", "4", "5", "vallee.png"}) {
            SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, smoothing);
            Background bg;
            background_load(bg, fond);
            BackgroundArt sel;
            select_background_load(sel, fond);
            select_background_prepare(sel, true);  // as when its level is the highlighted one
            select_background_settle(sel);
            for (const auto* bands : {&bg.art.bands, &sel.bands}) {
                for (const FittedBand& b : *bands) {
                    int h = 0;
                    if (b.plain) SDL_QueryTexture(b.plain.get(), nullptr, nullptr, nullptr, &h);
                    if (b.solid_from < h) ++split_bands[bands == &sel.bands];
                }
            }
            std::vector<std::vector<Uint32>> split;
            auto draw_all = [&] {
                std::vector<std::vector<Uint32>> frames;
                for (double x : {0.0, 13.4, 57.9}) {
                    clear_black();
                    background_draw(bg, x, 3.0);
                    frames.push_back(frame_pixels());
                    clear_black();
                    select_background_draw(sel, -x, 255, canvas.get());
                    frames.push_back(frame_pixels());
                    clear_black();
                    select_background_draw(sel, -x, 140, canvas.get());
                    frames.push_back(frame_pixels());
                    // The lower of two cross-fading: drawn and faded on the frame itself.
                    for (int alpha : {1, 128, 140, 254}) {
                        clear_black();
                        select_background_draw(sel, -x, alpha, canvas.get());
                        std::vector<Uint32> from_canvas = frame_pixels();
                        clear_black();
                        select_background_draw(sel, -x, alpha, canvas.get(), true);
                        EXPECT_TRUE(frame_pixels() == from_canvas)
                            << "background " << fond << ", alpha " << alpha;
                    }
                    // Turning the carousel the other way leaves the window's left edge uncovered
                    // by the bands' first copies.
                    clear_black();
                    select_background_draw(sel, x + 20.7, 140, canvas.get());
                    frames.push_back(frame_pixels());
                }
                return frames;
            };
            split = draw_all();
            // A frame (or canvas) the background claims to cover whole is not cleared first:
            // whatever it held, the drawing gives the pixels it gives over black.
            auto loud = [] {
                SDL_SetRenderDrawColor(game_renderer, 255, 0, 255, 255);
                SDL_RenderClear(game_renderer);
                SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
            };
            if (background_covers_window(bg)) {
                ++covering;
                loud();
                background_draw(bg, 13.4, 3.0);
                EXPECT_TRUE(frame_pixels() == split[4]) << "background " << fond;
                SDL_SetRenderTarget(game_renderer, canvas.get());
                loud();
                SDL_SetRenderTarget(game_renderer, nullptr);
                clear_black();
                select_background_draw(sel, -13.4, 140, canvas.get());
                EXPECT_TRUE(frame_pixels() == split[6]) << "background " << fond;
            }
            if (bg.art.sky_fitted) ++fitted_skies;
            for (const auto& f : bg.art.fitted_slices) fitted_slices += f.tex != nullptr;
            bg.art.plain_copies = false;
            sel.plain_copies = false;
            EXPECT_TRUE(draw_all() == split)
                << "background " << fond << ", smoothing " << smoothing;
            background_release(bg);
            select_background_release(sel);
        }
    SDL_ResetHint(SDL_HINT_RENDER_SCALE_QUALITY);
    // The comparison is worth something only if feet were copied plainly and skies fitted.
    EXPECT_GT(split_bands[0], 0);
    EXPECT_GT(split_bands[1], 0);
    EXPECT_GT(fitted_skies, 0);
    EXPECT_GT(fitted_slices, 0);
    EXPECT_GT(covering, 0);
}

// Two selection backgrounds cross-fading are composed on the frame row by row, both at once:
// the same pixels as the lower drawn on its canvas and laid over the black frame, then the upper
// laid over it from the other canvas, whichever side the carousel leaves uncovered.
TEST(BandCopy, CrossFadeOnTheFrameGivesTheCanvasPixels) {
    TestDisplay display(1000, 600);
    ASSERT_TRUE(frame_drawn_directly());
    TexturePtr canvases[2] = {select_background_canvas(), select_background_canvas()};
    BackgroundArt sel[3];
    const char* fonds[3] = {"1", "2", "5"};
    for (int k = 0; k < 3; ++k) {
        select_background_load(sel[k], fonds[k]);
        select_background_prepare(sel[k], true);
        select_background_settle(sel[k]);
    }
    int compared = 0;
    for (int k = 0; k < 3; ++k)
        for (double x : {-13.4, 0.0, 20.7})
            for (int alpha : {1, 128, 140, 254}) {
                const BackgroundArt& lower = sel[k];
                const BackgroundArt& upper = sel[(k + 1) % 3];
                const double upper_x = x - 20.8;
                clear_black();
                select_background_draw(lower, x, alpha, canvases[0].get());
                select_background_draw(upper, upper_x, 255 - alpha, canvases[1].get());
                std::vector<Uint32> from_canvases = frame_pixels();
                clear_black();
                ASSERT_TRUE(
                    select_backgrounds_cross_fade(lower, x, alpha, upper, upper_x, 255 - alpha));
                EXPECT_TRUE(frame_pixels() == from_canvases)
                    << "backgrounds " << fonds[k] << " under " << fonds[(k + 1) % 3] << ", x " << x
                    << ", alpha " << alpha;
                ++compared;
            }
    EXPECT_EQ(compared, 36);
    for (BackgroundArt& art : sel) select_background_release(art);
}
