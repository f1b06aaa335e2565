// The player's sprite on screen: where it stands, which frame, mirroring and blinking.
#include <gtest/gtest.h>

#include "app/clock.h"
#include "app/draw.h"
#include "session/player.h"
#include "support/harness.h"

namespace {
const SDL_Color red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255};

// Each frame as the session runs it: the animation steps in the update, then the sprite is drawn.
struct Drawn {
    TestDisplay display;
    Player p;
    PlayerArt art;
    Drawn() {
        art.walk1 = solid_texture(40, 80, red);
        art.walk2 = solid_texture(40, 80, green);
        art.air = solid_texture(40, 80, blue);
        p.x = 10;
        p.y = 2;
        p.on_ground = 1;
    }
    SDL_Rect draw(double cam_x = 0, double cam_y = 0, PlayerInput in = {}) {
        player_animate(p, in, nullptr);
        clear_black();
        player_draw(p, art, cam_x, cam_y);
        for (SDL_Color c : {red, green, blue}) {
            SDL_Rect r = find_colour(c);
            if (r.w) return r;
        }
        return {0, 0, 0, 0};
    }
};
}  // namespace

TEST(PlayerDraw, StandsOnItsCellAndWalksThroughTwoFrames) {
    Drawn d;
    // x = (10 − 0) × 25; the top edge at (2 − 0.05) × 25 + 50 = 98.75 → 98 pixels up, then the
    // sprite's two cells of height taken as two pixels: 600 − 98 − 2 = 500.
    SDL_Rect r = d.draw();
    EXPECT_EQ(r.x, 250);
    EXPECT_EQ(r.y, 500);
    EXPECT_EQ(r.w, 25);
    EXPECT_EQ(r.h, 50);
    EXPECT_EQ(read_pixel(260, 520).r, 255);  // standing: first walking frame
    // Walking at vx = 10: period 13, so frames 0 … 5 show the first image, 6 … 13 the second,
    // and the cycle starts again after frame 13.
    d.p.vx = 10;
    d.p.anim_frame = 0;
    PlayerInput walking;
    walking.right = 0.8;
    std::string frames;
    for (int i = 0; i < 15; ++i) {
        d.draw(0, 0, walking);
        frames += read_pixel(260, 520).g == 255 ? '2' : '1';
    }
    EXPECT_EQ(frames, "111111222222221");
    d.p.on_ground = 0;
    d.draw(0, 0, walking);
    EXPECT_EQ(read_pixel(260, 520).b, 255);
}

TEST(PlayerDraw, BlinksWhileItCannotBeHurt) {
    Drawn d;
    d.p.vulnerable = 0;
    clock_use_virtual(true, 1010);  // 10 ≤ 24: hidden this frame
    EXPECT_EQ(d.draw().w, 0);
    int frame = d.p.anim_frame;
    clock_use_virtual(true, 1050);
    EXPECT_EQ(d.draw().w, 25);
    EXPECT_EQ(d.p.anim_frame, frame + 1);
}

// The footsteps follow the walk cycle in the update; a frozen player drawn again and again (under
// a pause menu, a score screen) neither walks nor steps.
TEST(PlayerDraw, FootstepsFollowTheWalkCycleAndDrawingChangesNothing) {
    Drawn d;
    PlayerSounds snd;
    snd.step = silent_chunk();
    snd.step2 = silent_chunk();
    auto heard = [&] {
        std::string which = "-";
        for (int ch = 0; ch < MIX_CHANNELS; ++ch) {
            if (!Mix_Playing(ch)) continue;
            which = Mix_GetChunk(ch) == snd.step.get() ? "1" : "2";
        }
        Mix_HaltChannel(-1);
        return which;
    };
    d.p.vx = 10;  // a period of 13 frames: the first half is frames 0 … 5
    PlayerInput walking;
    walking.right = 0.8;
    std::string steps;
    for (int i = 0; i < 8; ++i) {
        player_animate(d.p, walking, &snd);
        steps += heard();
    }
    EXPECT_EQ(steps, "1-----2-");

    Player before = d.p;
    for (int i = 0; i < 5; ++i) player_draw(d.p, d.art, 0, 0);
    EXPECT_EQ(heard(), "-");
    EXPECT_EQ(d.p.anim_frame, before.anim_frame);
    EXPECT_EQ(d.p.step_phase, before.step_phase);
}
