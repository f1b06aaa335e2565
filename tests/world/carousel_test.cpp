// The level carousel's perspective: where cards land and which clicks hit them.
#include "world/carousel.h"

#include <gtest/gtest.h>

#include "app/draw.h"
#include "support/harness.h"

namespace {
const SDL_Color red{255, 0, 0, 255};
}  // namespace

TEST(Carousel, ScalesWithDistanceFromTheCentreAndHitsStrictlyInside) {
    TestDisplay display;
    TexturePtr card = solid_texture(400, 100, red);
    SDL_Rect r;
    // At the centre of a 1000-pixel window: k = 500^1.12 × 0.0015, f = k × 0.25 × 0.7.
    ASSERT_TRUE(carousel_rect(card.get(), 0, 70, 0.7, &r));
    double f = std::pow(500.0, 1.12) * 0.0015 * 0.25 * 0.7;
    int w = static_cast<int>(400 * f), h = static_cast<int>(100 * f);
    EXPECT_RECT(r, (1000 - w) / 2, 70 + (600 - h) / 2, w, h);
    SDL_Rect side;
    ASSERT_TRUE(carousel_rect(card.get(), 333, 70, 0.7, &side));
    EXPECT_LT(side.w, r.w);

    clear_black();
    draw_carousel_pair(card.get(), nullptr, 0, 70, 0.7);
    EXPECT_RECT(find_colour(red), r.x, r.y, r.w, r.h);

    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.x = r.x + 1;
    click.button.y = r.y + 1;
    EXPECT_TRUE(carousel_hit(click, card.get(), 0, 70, 0.7));
    click.button.x = r.x;  // on the border: a miss
    EXPECT_FALSE(carousel_hit(click, card.get(), 0, 70, 0.7));
    click.button.x = r.x + 1;
    click.button.y = r.y + r.h;
    EXPECT_FALSE(carousel_hit(click, card.get(), 0, 70, 0.7));
    click.button.y = r.y + 1;
    click.type = SDL_MOUSEBUTTONUP;
    EXPECT_FALSE(carousel_hit(click, card.get(), 0, 70, 0.7));

    // At half the window width or beyond nothing is drawn and nothing is hit.
    click.type = SDL_MOUSEBUTTONDOWN;
    EXPECT_FALSE(carousel_rect(card.get(), 500, 0, 0.7, &r));
    EXPECT_FALSE(carousel_rect(card.get(), -500, 0, 0.7, &r));
    EXPECT_FALSE(carousel_hit(click, card.get(), 500, 0, 0.7));
    clear_black();
    draw_carousel_pair(card.get(), card.get(), -500, 0, 0.7);
    EXPECT_EQ(find_colour(red).w, 0);
}

// A name wider than its card is narrowed to the card's inside, centred, in proportion; a short
// one keeps its size.
TEST(Carousel, LongLabelsFitInsideTheirCard) {
    TestDisplay display;
    const SDL_Color blue{0, 0, 255, 255};
    TexturePtr card = solid_texture(400, 100, red);
    TexturePtr long_name = solid_texture(800, 80, blue), short_name = solid_texture(200, 40, blue);
    SDL_Rect c, own;
    ASSERT_TRUE(carousel_rect(card.get(), 0, 70, 0.7, &c));
    clear_black();
    draw_carousel_pair(long_name.get(), card.get(), 0, 70, 0.7);
    SDL_Rect drawn = find_colour(blue);
    int room = c.w * 17 / 20;
    EXPECT_EQ(drawn.w, room);
    EXPECT_NEAR(drawn.h, room / 10, 1);
    EXPECT_NEAR(drawn.x + drawn.w / 2, c.x + c.w / 2, 1);
    EXPECT_NEAR(drawn.y + drawn.h / 2, c.y + c.h / 2, 1);
    clear_black();
    draw_carousel_pair(short_name.get(), card.get(), 0, 70, 0.7);
    ASSERT_TRUE(carousel_rect(short_name.get(), 0, 70, 0.7, &own));
    EXPECT_RECT(find_colour(blue), own.x, own.y, own.w, own.h);
}
