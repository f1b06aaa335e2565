// Characters: who speaks when the player comes near, the bubble's fade from one character to the
// next, its lines, and where the characters and the bubble land on screen.
#include "world/characters.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "app/assets.h"
#include "app/clock.h"
#include "app/draw.h"
#include "session/level_files.h"
#include "support/harness.h"
#include "support/named_pipe.h"

namespace {
constexpr SDL_Color red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255};

Characters with(const std::string& file) {
    Characters c;
    c.entries = parse_characters_text(file);
    return c;
}

// The number of updates with the player at (x, y) until the bubble's alpha is `alpha`.
int updates_until(Characters& c, double x, double y, int alpha) {
    int frames = 0;
    do {
        characters_update(c, x, y);
        ++frames;
    } while (c.bubble_alpha != alpha && frames < 100);
    return frames;
}
}  // namespace

TEST(CharacterHover, WithinTwoCellsTheFirstListedEnabledCharacterSpeaks) {
    Characters c = with("[10|5|1|2|1|pnj/fee.png|Hello&world]\n");
    EXPECT_EQ(character_near(c, 8.5, 5), 1);
    EXPECT_EQ(character_near(c, 7.99, 5), 0);
    EXPECT_EQ(character_near(c, 12.99, 5), 1);  // x + w + 2 is outside
    EXPECT_EQ(character_near(c, 13, 5), 0);
    EXPECT_EQ(character_near(c, 10, 3 - 0.000005), 1);  // standing just under the lowest row
    EXPECT_EQ(character_near(c, 10, 2.9), 0);
    EXPECT_EQ(character_near(c, 10, 9), 0);

    c = with("\\[10|5|1|2|1|pnj/fee.png|Hidden]\n[11|5|1|1|0|a.png|Second]\n[9|5|1|1|0|a|Third]\n");
    EXPECT_EQ(character_near(c, 10, 5), 2);  // the disabled one never speaks
    EXPECT_EQ(character_near(c, 7, 5), 3);
}

TEST(CharacterBubble, FadesInAndOutInSevenFramesAndFadesOutBeforeSwitching) {
    Characters c = with("[10|5|1|2|0|a.png|A]\n[30|5|1|2|0|a.png|B]\n");
    // What each frame draws (the alpha the update leaves): a frame fades only after it is drawn,
    // so the frame the player arrives in shows nothing, nor does the next, in whose fade the
    // bubble passes to the character; then it grows. Walking off, the frame still shows it whole.
    std::vector<int> drawn;
    for (int i = 0; i < 10; ++i) {
        characters_update(c, 10, 5);
        drawn.push_back(c.bubble_alpha);
    }
    EXPECT_EQ(drawn, (std::vector<int>{0, 0, 40, 80, 120, 160, 200, 240, 255, 255}));
    EXPECT_EQ(c.shown, 1);
    EXPECT_EQ(c.bubble_alpha, 255);
    EXPECT_EQ(c.anchor_x, 13);
    EXPECT_EQ(c.anchor_y, 4);

    // Straight to the other character: the first bubble fades out completely, then the second
    // fades in.
    std::vector<int> shown, alpha;
    for (int i = 0; i < 16; ++i) {
        characters_update(c, 30, 5);
        shown.push_back(c.shown);
        alpha.push_back(c.bubble_alpha);
    }
    EXPECT_EQ(alpha[0], 255);
    EXPECT_EQ(alpha[6], 15);
    EXPECT_EQ(shown[6], 1);
    EXPECT_EQ(alpha[7], 0);
    EXPECT_EQ(shown[7], 2);
    EXPECT_EQ(c.anchor_x, 33);
    EXPECT_EQ(alpha[8], 40);
    EXPECT_EQ(alpha[14], 255);

    // Away from both: whole once more, out in 7 frames, and nobody is shown.
    EXPECT_EQ(updates_until(c, 60, 5, 0), 1 + 7);
    EXPECT_EQ(c.shown, 0);
    EXPECT_EQ(c.bubble_alpha, 0);
}

TEST(CharacterBubble, AReloadWithFewerCharactersLetsTheBubbleFadeWhereItWas) {
    Characters c = with("[10|5|1|2|0|a.png|A]\n[30|5|1|2|0|a.png|B]\n");
    updates_until(c, 30, 5, 255);
    ASSERT_EQ(c.shown, 2);
    c.entries = parse_characters_text("[10|5|1|2|0|a.png|A]\n");
    characters_update(c, 30, 5);
    EXPECT_EQ(c.anchor_x, 33);
    EXPECT_EQ(updates_until(c, 30, 5, 0), 7);
    EXPECT_EQ(c.shown, 0);
}

TEST(CharacterBubble, LinesSplitAtEveryAmpersandWithinTheLimits) {
    EXPECT_EQ(bubble_lines("Hello&world"), (std::vector<std::string>{"Hello", "world"}));
    EXPECT_EQ(bubble_lines("Hello"), (std::vector<std::string>{"Hello"}));
    EXPECT_EQ(bubble_lines("a&&b&"), (std::vector<std::string>{"a", "", "b", ""}));
    std::vector<std::string> many = bubble_lines(std::string(70, '&'));
    EXPECT_EQ(many.size(), 50u);
    EXPECT_EQ(bubble_lines(std::string(120, 'x') + "&y")[0].size(), 99u);
}

TEST(CharacterDraw, StillFloatingAndSwayingCharactersInTheirCells) {
    TestDisplay display(1000, 600);  // cells of 25 pixels
    Characters c = with(
        "[10|5|1|2|0|a|still]\n[20|5|2|1|1|a|floats]\n[30|5|1|1|2|a|sways]\n\\[0|0|4|4|0|a|off]\n");
    CharacterArt art;
    art.images.push_back(solid_texture(4, 4, red));
    art.images.push_back(solid_texture(4, 4, green));
    art.images.push_back(solid_texture(4, 4, blue));
    art.images.push_back(solid_texture(4, 4, {255, 255, 255, 255}));
    // At 1000 ms the float is cos(2) / 4 = −0.104 cells, the sway −sin(2.5) / 4 = −0.150.
    c.clock_ms = 1000;
    clear_black();
    characters_draw(c, art, 8, 1);
    EXPECT_RECT(find_colour(red), 50, 450, 25, 50);
    double lift = std::cos(2.0) / 4, sway = -std::sin(2.5) / 4;
    EXPECT_RECT(find_colour(green), 300, static_cast<int>(600 - (4 + lift + 1) * 25), 50, 25);
    EXPECT_RECT(find_colour(blue), static_cast<int>((22 + sway) * 25),
                static_cast<int>(600 - (4 + lift + 1) * 25), 25, 25);
    EXPECT_EQ(find_colour({255, 255, 255, 255}).w, 0);  // disabled
    // Between two half seconds the characters move on: the clock is not cut to whole steps.
    c.clock_ms = 1250;
    clear_black();
    characters_draw(c, art, 8, 1);
    EXPECT_NE(find_colour(green).y, static_cast<int>(600 - (4 + lift + 1) * 25));
}

TEST(CharacterDraw, TheBubbleStandsOverItsTextAndEmptyLinesKeepTheirHeight) {
    TestDisplay display(1000, 600);
    CharacterArt art;
    art.font = open_font("calibri.ttf", 20);
    ASSERT_TRUE(art.font);
    art.bubble = solid_texture(8, 8, red);
    int line = TTF_FontHeight(art.font.get());
    Characters c = with("[10|5|1|2|0|a|Hello&&world]\n");
    c.shown = 1;
    c.bubble_alpha = 255;
    c.anchor_x = 13;
    c.anchor_y = 4;
    bubble_draw(c, art, 8, 1);
    // The text's top-left corner, upwards: X = (13 − 8 − 2) cells = 75, Y = (4 − 1 + 5) cells
    // + the text's height. The bubble is at most 180 opaque: red over black shows darker.
    int th = 3 * line;
    int top = 600 - (200 + th + 1);
    SDL_Color seen = read_pixel(56, top - 9);
    EXPECT_GT(seen.r, 150);
    EXPECT_LT(seen.r, 200);
    SDL_Rect bubble = find_colour(seen);
    EXPECT_EQ(bubble.x, 55);
    EXPECT_EQ(bubble.y, top - 10);
    EXPECT_EQ(bubble.h, static_cast<int>(th * 1.2 + 20));
    // Black text inside the bubble, on the first and the third line, none on the second.
    auto dark_in_rows = [&](int from, int to) {
        for (int y = from; y < to; ++y)
            for (int x = bubble.x; x < bubble.x + bubble.w; ++x) {
                SDL_Color p = read_pixel(x, y);
                if (p.r < 100 && p.g < 100) return true;
            }
        return false;
    };
    EXPECT_TRUE(dark_in_rows(top, top + line));
    EXPECT_FALSE(dark_in_rows(top + line, top + 2 * line));
    EXPECT_TRUE(dark_in_rows(top + 2 * line, top + 3 * line));

    // Faded below 75 the bubble is gone; a shown number past the list draws no text.
    clear_black();
    c.bubble_alpha = 75;
    bubble_draw(c, art, 8, 1);
    EXPECT_EQ(find_colour(seen).w, 0);
    c.shown = 5;
    c.bubble_alpha = 255;
    bubble_draw(c, art, 8, 1);
    EXPECT_EQ(find_colour(seen).h, static_cast<int>(line * 1.2 + 20));
}

TEST(CharacterDraw, ALevelsCharactersWithTheirBubble) {
    Sandbox sandbox;
    TestDisplay display(1000, 600);
    write_file("levels/l/caracters.lvl",
               "[10|5|2|3|0|pnj/sage.png|Bienvenue, Mivo !&Marche avec les flèches&(ou A et D).]\n"
               "[16|6|1|1|2|pnj/fee.png|Psst !]\n"
               "[20|5|2|2|1|pnj/missing.png|Rien]\n");
    Characters c;
    CharacterArt art;
    characters_init(c, art);
    testing::internal::CaptureStdout();
    characters_load(c, art, "l");
    EXPECT_NE(testing::internal::GetCapturedStdout().find("nul"), std::string::npos);
    ASSERT_EQ(c.entries.size(), 3u);
    EXPECT_FALSE(art.images[2]);
    for (int i = 0; i < 10; ++i) characters_update(c, 9, 5);
    SDL_SetRenderDrawColor(game_renderer, 110, 195, 247, 255);
    SDL_RenderClear(game_renderer);
    characters_draw(c, art, 0, 0);
    bubble_draw(c, art, 0, 0);
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, 1000, 600, 32, SDL_PIXELFORMAT_ARGB8888));
    SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, s->pixels, s->pitch);
    IMG_SavePNG(s.get(), "/tmp/mivo_characters.png");

    // A reload replaces the characters; the bubble carries on.
    write_file("levels/l/caracters.lvl", "[16|6|1|1|2|pnj/fee.png|Psst !]\n");
    characters_load(c, art, "l");
    EXPECT_EQ(c.entries.size(), 1u);
    EXPECT_EQ(art.images.size(), 1u);
    EXPECT_EQ(c.bubble_alpha, 255);
}

// A character's picture is looked for inside ressources/ only, and only in a regular file: a
// named pipe would hold the level's loading for a writer that never comes. Each refusal is said
// in one line; a picture that is simply missing says "nul".
TEST(CharacterLoad, PicturesOutsideTheResourcesOrInNamedPipesAreNotRead) {
    Sandbox sandbox;
    TestDisplay display(1000, 600);
    std::filesystem::remove("ressources");  // a resource tree of the sandbox's own
    NamedPipe pipe("ressources/pnj/pipe.png");
    SurfacePtr picture(SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 32, SDL_PIXELFORMAT_ARGB8888));
    write_file("levels/l/caracters.lvl",
               "[1|1|1|1|0|pnj/pipe.png|A]\n[2|1|1|1|0|../levels/l/pic.png|B]\n"
               "[3|1|1|1|0|pnj/missing.png|C]\n[4|1|1|1|0||D]\n");
    ASSERT_EQ(IMG_SavePNG(picture.get(), "levels/l/pic.png"), 0);
    Characters c;
    CharacterArt art;
    testing::internal::CaptureStdout();
    characters_load(c, art, "l");
    std::string out = testing::internal::GetCapturedStdout();
    ASSERT_EQ(art.images.size(), 4u);
    for (const TexturePtr& image : art.images) EXPECT_FALSE(image);
    EXPECT_FALSE(pipe.opened());
    EXPECT_EQ(out,
              "ressources/pnj/pipe.png is a named pipe, not a file: not read.\n"
              "levels/l/caracters.lvl: \"../levels/l/pic.png\" leads outside ressources/: not "
              "read.\n"
              "nul: no picture at ressources/pnj/missing.png\n"
              "nul: no picture at ressources/\n");
}

// Near the level's top the bubble would leave the window: it moves down into it, as little as
// needed, and where that would cover its speaker it stands beside the speaker instead: right of
// it, or left of it at the window's right edge. Its text moves with it.
TEST(CharacterDraw, TheBubbleStaysInTheWindowAndOffItsSpeaker) {
    TestDisplay display(1000, 600);  // cells of 25 pixels, 40 × 24 of them
    CharacterArt art;
    art.font = open_font("calibri.ttf", 20);
    ASSERT_TRUE(art.font);
    art.bubble = solid_texture(8, 8, red);
    const SDL_Color seen{180, 0, 0, 255};  // red at the bubble's 180 over black
    auto bubble_of = [&](const std::string& line) {
        Characters c = with(line);
        c.shown = 1;
        c.bubble_alpha = 255;
        c.anchor_x = c.entries[0].x + 3;  // as the update sets it
        c.anchor_y = c.entries[0].y - c.entries[0].h + 1;
        clear_black();
        bubble_draw(c, art, 0, 0);
        SDL_Rect b = find_colour(seen);
        // The text: lit pixels of another colour than the bubble's, all inside the bubble.
        std::vector<Uint32> px(1000 * 600);
        SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, px.data(), 4000);
        int dark = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 1000; ++x) {
                Uint32 p = px[y * 1000 + x] & 0xFFFFFF;
                if (p == 0 || p == 0xB40000) continue;
                ++dark;
                SDL_Point at{x, y};
                EXPECT_TRUE(SDL_PointInRect(&at, &b)) << x << "," << y;
            }
        EXPECT_GT(dark, 0);
        EXPECT_GE(b.x, 0);
        EXPECT_GE(b.y, 0);
        EXPECT_LE(b.x + b.w, 1000);
        EXPECT_LE(b.y + b.h, 600);
        return b;
    };
    // In the middle of the top, its speaker well below: only moved down, to the window's top.
    SDL_Rect b = bubble_of("[20|19|1|2|0|a|Hello]\n");
    EXPECT_EQ(b.y, 0);
    EXPECT_EQ(b.x, 21 * 25 - 20);
    // At the right edge lower down: only moved left, its right edge on the window's.
    b = bubble_of("[39|10|1|2|0|a|Hello]\n");
    EXPECT_EQ(b.x + b.w, 1000);
    int line = TTF_FontHeight(art.font.get());
    EXPECT_EQ(b.y, 600 - ((10 - 2 + 1 + 5) * 25 + line + 1) - 10);  // where it always stood
    // In the top-left corner the speaker (0, 0, 25, 50 on screen) would be covered: the bubble
    // stands right of it.
    b = bubble_of("[0|22|1|2|0|a|Hello]\n");
    SDL_Rect speaker{0, 0, 25, 50};
    EXPECT_FALSE(SDL_HasIntersection(&b, &speaker));
    EXPECT_EQ(b.y, 0);
    EXPECT_LT(b.x, 25 + 40);  // close beside it
    // In the top-right corner, left of it.
    b = bubble_of("[39|22|1|2|0|a|Hello]\n");
    speaker = {975, 0, 25, 50};
    EXPECT_FALSE(SDL_HasIntersection(&b, &speaker));
    EXPECT_GT(b.x + b.w, 975 - 40);
}
