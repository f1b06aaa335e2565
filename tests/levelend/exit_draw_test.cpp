// The exit's pictures and music: the proximity veil, the level veil, the music's fade with the
// exit's nearness, the intro card and the session's last black frame.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/assets.h"
#include "app/audio.h"
#include "app/draw.h"
#include "app/loading.h"
#include "levelend/exit.h"
#include "support/harness.h"

namespace {
TransitionArt veil_art() {
    TransitionArt art;
    art.veil = make_black_texture();
    SDL_SetTextureBlendMode(art.veil.get(), SDL_BLENDMODE_BLEND);
    return art;
}

void clear_white() {
    SDL_SetRenderDrawColor(game_renderer, 255, 255, 255, 255);
    SDL_RenderClear(game_renderer);
}

std::vector<Uint32> frame_pixels() {
    std::vector<Uint32> px(static_cast<size_t>(window_width) * window_height);
    SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, px.data(),
                         window_width * 4);
    return px;
}

// The intro card's frame as presented, for a title and creator.
std::vector<Uint32> card_frame(const std::string& titre, const std::string& createur) {
    std::vector<Uint32> card;
    set_frame_hook([&] {
        if (card.empty()) card = frame_pixels();
    });
    LevelTransition t;
    TransitionArt art;
    TransitionSounds sounds;
    level_intro_card(t, art, sounds, titre, createur);
    loading_end();
    set_frame_hook(nullptr);
    return card;
}
}  // namespace

TEST(ExitDraw, VeilsDarkenByNearnessAndByTheLevelsOpening) {
    TestDisplay display;
    TransitionArt art = veil_art();
    LevelTransition t;
    t.proximity = 100;  // 3⅓ cells from the exit point: alpha 155
    clear_white();
    transition_draw_proximity(t, art);
    EXPECT_EQ(read_pixel(500, 300).r, 100);
    t.proximity = 255;  // 8.5 cells and beyond: no darkening
    clear_white();
    transition_draw_proximity(t, art);
    EXPECT_EQ(read_pixel(500, 300).r, 255);

    t.intro_alpha = 9;  // the faint veil left once the level has opened
    clear_white();
    transition_draw_veil(t, art);
    EXPECT_EQ(read_pixel(10, 590).r, 246);
    t.intro_alpha = 255;
    clear_white();
    transition_draw_veil(t, art);
    EXPECT_EQ(read_pixel(10, 590).r, 0);
}

// The music fades from the player's music volume, whatever it is, to silence at the exit point.
TEST(ExitDraw, MusicFadesWithTheExitsNearness) {
    TestDisplay display;
    LevelTransition t;
    transition_music(t);  // not measured yet: far away
    EXPECT_EQ(Mix_VolumeMusic(-1), 128);
    t.music_proximity = 200;  // 6⅔ cells: half
    transition_music(t);
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);
    t.music_proximity = 900;
    transition_music(t);
    EXPECT_EQ(t.music_proximity, 400);
    EXPECT_EQ(Mix_VolumeMusic(-1), 128);
    apply_music_volume(0.5);  // Music at 50 %
    transition_music(t);
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);
    t.music_proximity = 200;
    transition_music(t);
    EXPECT_EQ(Mix_VolumeMusic(-1), 32);
    t.music_proximity = 0;
    transition_music(t);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
}

// The card is black with the title above the creator; the loading screen then runs over it, and
// the level's veil starts fully closed.
TEST(ExitDraw, IntroCardShowsTitleAndCreatorThenLoads) {
    TestDisplay display;
    std::vector<Uint32> card;
    std::atomic<int> frames{0};
    std::vector<Uint32> loading;
    set_frame_hook([&] {
        if (frames == 0) card = frame_pixels();
        if (frames == 3) loading = frame_pixels();
        ++frames;
    });
    LevelTransition t;
    t.intro_alpha = 9;
    TransitionArt art;
    TransitionSounds sounds;
    level_intro_card(t, art, sounds, "Prairie", "Mivo Team");
    EXPECT_TRUE(loading_thread_alive());
    while (frames < 4) std::this_thread::yield();  // a few loading frames over the card
    loading_end();
    set_frame_hook(nullptr);
    EXPECT_EQ(t.intro_alpha, 255);
    EXPECT_NE(art.veil, nullptr);
    EXPECT_NE(sounds.end, nullptr);

    ASSERT_FALSE(card.empty());
    ASSERT_FALSE(loading.empty());
    // Rows holding the card's text colour: the title around 25 % of the height, the creator
    // around 40 %, nothing else.
    int w = window_width, h = window_height;
    std::vector<int> rows;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((card[y * w + x] & 0xFFFFFF) == 0xDCDCC8) {
                rows.push_back(y);
                break;
            }
    ASSERT_FALSE(rows.empty());
    EXPECT_GT(rows.front(), h * 25 / 100 - 40);
    EXPECT_LT(rows.back(), h * 40 / 100 + 20);
    bool title_row = false, creator_row = false;
    for (int y : rows) {
        title_row |= y == h * 25 / 100;
        creator_row |= y == h * 40 / 100;
    }
    EXPECT_TRUE(title_row && creator_row);
    EXPECT_EQ(card[5] & 0xFFFFFF, 0u);  // black around
    // The loading screen freezes the card: the title is still there.
    int same = 0;
    for (int x = 0; x < w; ++x)
        same += loading[(h * 25 / 100) * w + x] == card[(h * 25 / 100) * w + x];
    EXPECT_EQ(same, w);
}

// A description saved in Latin-1 shows the same title as one saved in UTF-8.
TEST(ExitDraw, IntroCardReadsUtf8AndLatin1Titles) {
    TestDisplay display;
    std::vector<Uint32> utf8 = card_frame("For\xC3\xAAt",
                                          "Cr\xC3\xA9"
                                          "ateur");
    std::vector<Uint32> latin1 = card_frame("For\xEAt",
                                            "Cr\xE9"
                                            "ateur");
    ASSERT_FALSE(utf8.empty());
    EXPECT_TRUE(utf8 == latin1);
}

TEST(ExitDraw, CloseDrawsOneBlackFrameAndFreesTheVeil) {
    TestDisplay display;
    TransitionArt art = veil_art();
    SDL_SetTextureAlphaMod(art.veil.get(), 9);
    int presents = 0;
    SDL_Color shown{};
    set_frame_hook([&] {
        ++presents;
        shown = read_pixel(500, 300);
    });
    SDL_SetRenderDrawColor(game_renderer, 255, 255, 255, 255);
    transition_close(art);
    set_frame_hook(nullptr);
    EXPECT_EQ(presents, 1);
    EXPECT_EQ(shown.r + shown.g + shown.b, 0);
    EXPECT_EQ(art.veil, nullptr);
}
