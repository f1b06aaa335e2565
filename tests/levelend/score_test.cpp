// The score screen: points and texts, layout, and what continues.
#include "levelend/score.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/draw.h"
#include "app/screen.h"
#include "support/harness.h"

TEST(Score, RowsAddUpTheLevelInFrench) {
    std::vector<ScoreRow> rows = score_rows(185000, 40000, 3, 7);
    ASSERT_EQ(rows.size(), 6u);
    const char* labels[] = {"Temps restant:",    "Bonus puissance:", "Enemis tués:",
                            "Objets récupérés:", "Score total:",     "Appuyez sur une touche"};
    const char* values[] = {"+ 185", "+ 40", "+ 60", "+ 35", "320", "pour continuer"};
    double offsets[] = {-2.0, -1.0, 0.0, 1.0, 2.5, 5.0};
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].label, labels[i]);
        EXPECT_EQ(rows[i].value, values[i]);
        EXPECT_EQ(rows[i].r, offsets[i]);
    }
    EXPECT_EQ(score_rows(999, 0, 0, 0)[0].value, "+ 0");
    EXPECT_EQ(score_rows(1000, 0, 0, 0)[0].value, "+ 1");
    EXPECT_EQ(score_rows(-5500, 999, 0, 0)[0].value, "+ -5");  // toward zero, signs kept
    EXPECT_EQ(score_rows(-5500, 999, 0, 0)[4].value, "-5");
}

TEST(Score, LabelsEndAtTheCentreLineAndValuesStartFiftyPixelsRight) {
    EXPECT_RECT(score_label_rect(1000, 600, 120, 31, -2.0), 380, 184, 120, 31);  // 284 − 100
    EXPECT_RECT(score_value_rect(1000, 600, 40, 30, 2.5), 550, 410, 40, 30);     // 285 + 125
}

// Clicks do not continue, nor the repeats of a key held since the level; a key press does.
// Closing the window ends the screen too.
TEST(Score, OnlyAKeyPressContinues) {
    TestDisplay display;
    int frames = 0;
    set_frame_hook([&] {
        ++frames;
        SDL_Event e{};
        if (frames <= 3) {
            e.type = SDL_MOUSEBUTTONDOWN;
            e.button.button = SDL_BUTTON_LEFT;
        } else if (frames == 4) {
            e.type = SDL_KEYDOWN;
            e.key.keysym.sym = SDLK_RIGHT;
            e.key.repeat = 1;
        } else {
            e.type = SDL_KEYDOWN;
            e.key.keysym.sym = SDLK_a;
        }
        SDL_PushEvent(&e);
        if (frames == 2) {
            const char* dir = std::getenv("MIVO_FRAMES");
            if (!dir) return;
            SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, window_width, window_height, 32,
                                                        SDL_PIXELFORMAT_ARGB8888));
            SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, s->pixels,
                                 s->pitch);
            IMG_SavePNG(s.get(), (std::string(dir) + "/score.png").c_str());
        }
    });
    EXPECT_EQ(show_score_screen(185000, 40000, 3, 7), score_continue);
    EXPECT_EQ(frames, 6);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);

    set_frame_hook([&] {
        SDL_Event e{};
        e.type = SDL_QUIT;
        SDL_PushEvent(&e);
    });
    EXPECT_EQ(show_score_screen(0, 0, 0, 0), score_quit);
    set_frame_hook(nullptr);
}

namespace {
// White pixels in the columns x0 … x1 − 1 of the frame.
int white_in_columns(int x0, int x1) {
    std::vector<Uint32> px(static_cast<size_t>(window_width) * window_height);
    SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, px.data(),
                         window_width * 4);
    int count = 0;
    for (int y = 0; y < window_height; ++y)
        for (int x = x0; x < x1; ++x) count += (px[y * window_width + x] & 0xFFFFFF) == 0xFFFFFF;
    return count;
}
}  // namespace

// A controller's button press continues too, as a key does; its stick does not.
TEST(Score, AControllerPressContinues) {
    Controls c;
    SDL_Event e{};
    e.type = SDL_CONTROLLERAXISMOTION;
    c.events = {e};
    EXPECT_EQ(score_update(c), screen_running);
    c.events[0].type = SDL_CONTROLLERBUTTONDOWN;
    c.events[0].cbutton.button = SDL_CONTROLLER_BUTTON_A;
    EXPECT_EQ(score_update(c), score_continue);
}

TEST(Score, RowsAreDrawnAtHalfSizeEitherSideOfTheCentreLine) {
    TestDisplay display;
    ScoreScreen s;
    score_open(s, 185000, 40000, 3, 7);
    ASSERT_EQ(s.rows.size(), 6u);
    clear_black();
    score_draw(s);
    EXPECT_EQ(white_in_columns(500, 550), 0);  // between the labels' end and the values
    EXPECT_GT(white_in_columns(480, 500), 0);
    EXPECT_GT(white_in_columns(550, 570), 0);
    int lw, lh;
    SDL_QueryTexture(s.rows[0].label.get(), nullptr, nullptr, &lw, &lh);
    SDL_Rect white = find_colour({255, 255, 255, 255});
    int first_top = (600 - lh / 2) / 2 - 100;  // the first row's box, at half size
    EXPECT_GE(white.y, first_top);
    EXPECT_LT(white.y, first_top + lh / 2);
    int pw, ph;  // the prompt, 5 rows down, is the lowest
    SDL_QueryTexture(s.rows[5].value.get(), nullptr, nullptr, &pw, &ph);
    EXPECT_LE(white.y + white.h, (600 - ph / 2) / 2 + 250 + ph / 2);
    EXPECT_GT(white.y + white.h, (600 - ph / 2) / 2 + 250);
}
