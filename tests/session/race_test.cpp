// Races: two racers in one level, driven frame by frame with scripted controls on the virtual
// clock, and the halves of the split screen read back pixel by pixel.
#include "session/race.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/clock.h"
#include "app/draw.h"
#include "app/input.h"
#include "app/screen.h"
#include "support/harness.h"
#include "world/level_draw.h"

namespace {
// A 90 × 8 level: a floor on row 0, the start marker at (3, 1), a coin at (8, 1), a wall two
// cells high at column 14, the exit marker at column 80 of row 0 (its point at (84.5, 4)).
constexpr const char* race_play = "\n\n\n\n\n[ 14]a\n        H[ 5]a\n[a90]\n";
constexpr const char* race_decor = "\n\n\n\n\n\n   A\n[ 80]B\n";
constexpr double exit_column = 80;

void write_race_level(const std::string& portals = "") {
    write_file("levels/t/0.lvl", race_play);
    write_file("levels/t/1.lvl", race_decor);
    write_file("levels/t/config.ini", "titre=Test\ntheme=base\n");
    if (!portals.empty()) write_file("levels/t/portals.lvl", portals);
}

SDL_Event key_down(SDL_Keycode k) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = k;
    return e;
}

// The keys of one way of playing: walk right, run, jump (held and pressed).
struct Script {
    SDL_Scancode right, run, jump;
    SDL_Keycode jump_press;
};

// Frame f of the script: walking right from frame 5 to 200, running from 60 to 120, jumps
// pressed at frames 40, 100 and 150 and held a while after each; against the wall at column 14
// the last one is a wall jump.
Controls scripted(const Script& k, int f) {
    Controls c;
    if (f >= 5 && f < 200) c.held[k.right] = 1;
    if (f >= 60 && f < 120) c.held[k.run] = 1;
    bool held = (f >= 40 && f < 55) || (f >= 100 && f < 130) || (f >= 150 && f < 160);
    if (held) c.held[k.jump] = 1;
    if (f == 40 || f == 100 || f == 150) c.events.push_back(key_down(k.jump_press));
    return c;
}

constexpr int script_frames = 240;
using Path = std::vector<std::pair<double, double>>;

// One frame of a race on injected controls, a sixtieth of a second later.
void race_step(Race& r, const Controls& c) {
    clock_advance(16);
    race_update(r, c);
}

struct RaceLevel {
    Sandbox sandbox;
    TestDisplay display;
    Race r;
    explicit RaceLevel(const std::string& portals = "") {
        write_race_level(portals);
        race_start(r, "t");
        race_step(r, Controls{});  // the first frame reads the level
    }
    ~RaceLevel() { session_release(r.s); }
    Player& p(int i) { return r.racers[static_cast<size_t>(i)].player; }
};
}  // namespace

// The same controls move either racer exactly as they move the lone player, frame for frame,
// while the other racer stands at the start.
TEST(Race, EachRacerMovesAsTheLonePlayer) {
    Sandbox sandbox;
    TestDisplay display;
    write_race_level();
    Path alone;
    {
        Session s;
        session_start(s, "t");
        Script k{SDL_SCANCODE_RIGHT, SDL_SCANCODE_LSHIFT, SDL_SCANCODE_UP, SDLK_UP};
        for (int f = 0; f < script_frames; ++f) {
            clock_advance(16);
            session_update(s, scripted(k, f));
            alone.emplace_back(s.player.x, s.player.y);
        }
        session_release(s);
    }
    ASSERT_GT(alone.back().first, 15.0);  // over the wall
    for (int i = 0; i < racer_count; ++i) {
        const RacerKeys& keys = racer_keys[static_cast<size_t>(i)];
        Script k{keys.right, keys.run, keys.jump, keys.press_jump};
        Race r;
        race_start(r, "t");
        for (int f = 0; f < script_frames; ++f) {
            race_step(r, scripted(k, f));
            const Player& racer = r.racers[static_cast<size_t>(i)].player;
            const Player& other = r.racers[static_cast<size_t>(1 - i)].player;
            ASSERT_EQ(racer.x, alone[f].first) << "player " << i + 1 << ", frame " << f;
            ASSERT_EQ(racer.y, alone[f].second) << "player " << i + 1 << ", frame " << f;
            ASSERT_EQ(other.x, 3.0) << "frame " << f;
        }
        session_release(r.s);
    }
}

// A racer who dies starts again at the start marker alone, with its countdown going on; the
// level is not read again (the coin the other took stays taken) and the other plays on.
TEST(Race, ADeadRacerStartsAgainAloneAndTheLevelGoesOn) {
    RaceLevel lvl;
    Controls walk;
    walk.held[SDL_SCANCODE_D] = 1;
    walk.held[SDL_SCANCODE_RIGHT] = 1;
    for (int f = 0; f < 40; ++f) race_step(lvl.r, walk);
    EXPECT_EQ(grid_get(1, 8, lvl.r.s.world.play_grid), ' ');
    int items = lvl.p(0).items_collected + lvl.p(1).items_collected;
    EXPECT_EQ(items, 1);
    int power = lvl.p(1).power, time_left = lvl.p(0).time_left;
    int respawns = lvl.p(0).respawns, others = lvl.p(1).respawns;
    double x1 = lvl.p(1).x;
    lvl.p(0).alive = 0;  // killed
    race_step(lvl.r, walk);
    EXPECT_EQ(lvl.p(0).x, 3.0);
    EXPECT_EQ(lvl.p(0).y, 1.0);
    EXPECT_EQ(lvl.p(0).respawns, respawns + 2);     // the death and the spawn, as alone
    EXPECT_EQ(lvl.p(0).time_left, time_left - 16);  // the countdown goes on
    EXPECT_GT(lvl.p(1).x, x1);                      // the other walks on
    EXPECT_EQ(lvl.p(1).power, power + 10);
    EXPECT_EQ(lvl.p(1).respawns, others);
    EXPECT_EQ(grid_get(1, 8, lvl.r.s.world.play_grid), ' ');  // not read again
    EXPECT_EQ(lvl.r.s.session_result, session_running);
}

// The first racer the exit captures wins; both on the same frame is a draw; when a countdown
// runs out, the one nearer the exit wins.
TEST(Race, TheFirstCapturedWinsAndTheSameFrameIsADraw) {
    auto near_exit = [](Player& p, double x) {
        p.x = x;
        p.y = 2;
        p.vx = p.vy = 0;
    };
    {
        RaceLevel lvl;
        near_exit(lvl.p(0), exit_column + 3);
        near_exit(lvl.p(1), exit_column + 3);
        race_step(lvl.r, Controls{});
        EXPECT_EQ(lvl.r.winner, race_tied);
    }
    {
        RaceLevel lvl;
        near_exit(lvl.p(1), exit_column + 4);
        race_step(lvl.r, Controls{});
        EXPECT_EQ(lvl.r.winner, 1);
        near_exit(lvl.p(0), exit_column + 4);  // a frame late
        race_step(lvl.r, Controls{});
        EXPECT_EQ(lvl.r.winner, 1);
        double x0 = lvl.p(0).x;
        for (int f = 0; f < race_verdict_frames; ++f) race_step(lvl.r, Controls{});
        EXPECT_EQ(lvl.p(0).x, x0);                         // the other stands still
        EXPECT_NEAR(lvl.p(1).x, exit_column + 4.5, 0.05);  // pulled in
        EXPECT_EQ(lvl.r.s.session_result, session_won);
    }
    {
        RaceLevel lvl;
        lvl.p(0).x = 20;
        lvl.p(1).x = 10;
        lvl.p(0).time_left = lvl.p(1).time_left = 16;
        race_step(lvl.r, Controls{});
        EXPECT_EQ(lvl.r.winner, 0);
        EXPECT_TRUE(lvl.r.by_countdown);
    }
}

// Down in front of a door takes the racer who pressed it through, and only that one.
TEST(Race, ADoorTakesOnlyTheRacerWhoEntered) {
    RaceLevel lvl("[10|1|0]\n[20|1|0]\n");
    lvl.p(0).x = lvl.p(1).x = 11;
    Controls down;
    down.events.push_back(key_down(SDLK_DOWN));  // player 1's
    race_step(lvl.r, down);
    for (int f = 0; f < 45; ++f) race_step(lvl.r, Controls{});
    EXPECT_EQ(lvl.p(0).x, 21.0);
    EXPECT_EQ(lvl.p(1).x, 11.0);
    EXPECT_EQ(lvl.r.racers[1].doors.teleport_state, teleport_idle);
    Controls s;
    s.events.push_back(key_down(SDLK_s));  // player 2's
    race_step(lvl.r, s);
    for (int f = 0; f < 45; ++f) race_step(lvl.r, Controls{});
    EXPECT_EQ(lvl.p(1).x, 21.0);
}

// An enemy hurts the racer it touches and no other; one beaten by a racer's dash is beaten for
// both.
TEST(Race, AnEnemyHurtsWhomItTouchesAndFallsForBoth) {
    RaceLevel lvl;
    lvl.p(0).x = 20;
    lvl.p(1).x = 40;
    std::vector<Enemy>& list = lvl.r.s.enemies.list;
    list.push_back(Enemy{20, 1, -1, 20.5, 1, 0, 0, false});
    list.push_back(Enemy{40, 1, -1, 40.5, 1, 0, 0, false});
    lvl.p(1).dash_timer = 1;  // player 2 dashes into the second
    int time0 = lvl.p(0).time_left, time1 = lvl.p(1).time_left;
    race_step(lvl.r, Controls{});
    EXPECT_EQ(lvl.p(0).vulnerable, 0);
    EXPECT_LT(lvl.p(0).time_left, time0 - 16);
    EXPECT_EQ(lvl.p(1).vulnerable, 1);
    EXPECT_GT(lvl.p(1).time_left, time1);  // a dash's win gives time
    EXPECT_FALSE(list[0].dead);
    EXPECT_TRUE(list[1].dead);
    clock_advance(5000);  // player 1's grace time is over
    lvl.p(0).x = list[1].x;
    lvl.p(0).y = list[1].y;
    time0 = lvl.p(0).time_left;
    race_step(lvl.r, Controls{});
    EXPECT_EQ(lvl.p(0).vulnerable, 1);  // the beaten one is beaten for player 1 too
    EXPECT_EQ(lvl.p(0).time_left, time0 - 16);
}

// Each controller takes the next player; the editor's E does nothing in a race.
TEST(Race, ControllersTakeThePlayersInTurnAndTheEditorStaysOff) {
    RaceLevel lvl;
    Controls c;
    c.pad2.present = true;
    c.pad2.axes[SDL_CONTROLLER_AXIS_LEFTX] = -1.0;
    c.events.push_back(key_down(SDLK_e));
    race_step(lvl.r, c);
    EXPECT_NEAR(lvl.r.racers[1].input.left, 0.65, 1e-12);
    EXPECT_EQ(lvl.r.racers[0].input.left, 0);
    EXPECT_FALSE(lvl.r.s.editor.active);
    c.pad = c.pad2;
    c.pad2 = Pad{};
    race_step(lvl.r, c);
    EXPECT_NEAR(lvl.r.racers[0].input.left, 0.65, 1e-12);
    EXPECT_EQ(lvl.r.racers[1].input.left, 0);
    EXPECT_FALSE(lvl.r.s.editor.active);
}

namespace {
// The frame on the renderer, as ARGB pixels.
std::vector<Uint32> frame_pixels(int w, int h) {
    std::vector<Uint32> px(static_cast<size_t>(w) * h);
    SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, px.data(), w * 4);
    return px;
}

// A level of 60 × 30 cells whose blocks 'a' … 'e' follow a pattern that differs at every
// offset, drawn with one solid colour per block.
struct PatternLevel {
    World world;
    ThemeTiles tiles;
    PatternLevel() {
        grid_width = 60;
        grid_height = 30;
        world.play_grid.assign(60 * 30, ' ');
        world.decor_grid.assign(60 * 30, ' ');
        for (int row = 0; row < 30; ++row)
            for (int col = 0; col < 60; ++col)
                if ((row * 7 + col * 3) % 4 != 0)
                    grid_set(row, col, world.play_grid, static_cast<char>('a' + (row + col) % 5));
        const SDL_Color colours[] = {{200, 30, 30, 255},
                                     {30, 200, 30, 255},
                                     {30, 30, 200, 255},
                                     {200, 200, 30, 255},
                                     {30, 200, 200, 255}};
        for (int k = 0; k < 5; ++k) tiles[static_cast<size_t>(k)] = solid_texture(8, 8, colours[k]);
    }
};
}  // namespace

// Each half of the split screen shows, pixel for pixel, what a window of the half's size shows
// from the same camera, and nothing of it spills into the other half.
TEST(RaceDraw, EachHalfIsTheWholeWindowsPictureAtItsSize) {
    // Side by side, and one above the other in a window taller than wide.
    const std::pair<int, int> sizes[] = {{1000, 600}, {1366, 768}, {700, 900}};
    const double cameras[2][2] = {{3.4, 2.7}, {21.25, 5.5}};
    for (auto [w, h] : sizes) {
        for (int i = 0; i < racer_count; ++i) {
            SDL_Rect half = race_half(i, w, h);
            if (h > w) {
                EXPECT_TRUE(same_rect(half, SDL_Rect{0, i * 450, 700, 450}));
            } else {
                EXPECT_TRUE(same_rect(half, SDL_Rect{i * (w / 2), 0, w / 2, h}));
            }
            std::vector<Uint32> alone, split;
            {
                TestDisplay display(half.w, half.h);
                PatternLevel lvl;
                clear_black();
                draw_level(lvl.world, lvl.tiles, false, cameras[i][0], cameras[i][1]);
                alone = frame_pixels(half.w, half.h);
            }
            {
                TestDisplay display(w, h);
                PatternLevel lvl;
                clear_black();
                {
                    ScopedViewport part(half);
                    EXPECT_EQ(window_width, half.w);
                    EXPECT_EQ(tile_size(), half.h / 24);
                    draw_level(lvl.world, lvl.tiles, false, cameras[i][0], cameras[i][1]);
                }
                EXPECT_EQ(window_width, w);
                split = frame_pixels(w, h);
            }
            int wrong = 0, spilt = 0;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    Uint32 got = split[static_cast<size_t>(y) * w + x];
                    bool inside =
                        x >= half.x && x < half.x + half.w && y >= half.y && y < half.y + half.h;
                    if (!inside) {
                        spilt += (got & 0xFFFFFF) != 0;
                        continue;
                    }
                    Uint32 want = alone[static_cast<size_t>(y - half.y) * half.w + (x - half.x)];
                    wrong += got != want;
                }
            }
            EXPECT_EQ(wrong, 0) << w << " x " << h << ", half " << i;
            EXPECT_EQ(spilt, 0) << w << " x " << h << ", half " << i;
        }
    }
}

// A whole race through the loop every screen runs: player 2 sets off at once, player 1 late;
// player 2 wins, the halves show it, the veil closes, and the result screen waits for a key.
TEST(Race, AScriptedRaceThroughTheLoop) {
    Sandbox sandbox;
    TestDisplay display;
    write_race_level();
    std::vector<Uint8> keys(SDL_NUM_SCANCODES, 0);
    input_install_keyboard(keys.data());
    Race r;
    race_start(r, "t");
    int frame = 0;
    SDL_Color divider{};
    int white[2] = {-1, -1};  // whitish pixels where the verdict goes, in each half
    set_frame_hook([&] {
        frame += 1;
        // Both walk right and jump every half second (over the wall), player 1 from frame 40.
        keys[SDL_SCANCODE_D] = keys[SDL_SCANCODE_W] = 1;
        keys[SDL_SCANCODE_RIGHT] = keys[SDL_SCANCODE_UP] = frame > 40;
        if (frame % 30 == 0) push_key(SDLK_w);
        if (frame > 40 && frame % 30 == 10) push_key(SDLK_UP);
        if (frame == 150) divider = read_pixel(500, 300);
        if (r.winner != race_undecided && r.frames == r.decided_frame + 30)
            for (int i = 0; i < racer_count; ++i) {
                SDL_Rect band{500 * i, 200, 500, 80};
                std::vector<Uint32> px(500 * 80);
                SDL_RenderReadPixels(game_renderer, &band, SDL_PIXELFORMAT_ARGB8888, px.data(),
                                     500 * 4);
                white[i] = static_cast<int>(std::count_if(px.begin(), px.end(), [](Uint32 p) {
                    return (p >> 16 & 255) > 235 && (p >> 8 & 255) > 235 && (p & 255) > 235;
                }));
            }
    });
    int result =
        run_screen([&](const Controls& c) { return race_update(r, c); }, [&] { race_draw(r); });
    EXPECT_EQ(result, session_won);
    EXPECT_EQ(r.winner, 1);
    EXPECT_FALSE(r.by_countdown);
    EXPECT_LT(r.racers[0].player.x, exit_column + 1);
    EXPECT_NEAR(divider.r, 20, 2);  // under the open veil's last faint shade
    EXPECT_NEAR(divider.g, 20, 2);
    EXPECT_GT(white[0], white[1] + 300) << white[1];  // "Player 2 wins" in player 1's half
    int shown = 0;
    set_frame_hook([&] {
        if (++shown == 3) push_key(SDLK_SPACE);
    });
    EXPECT_EQ(race_end(r), session_won);
    EXPECT_GE(shown, 3);
    set_frame_hook(nullptr);
    input_install_keyboard(nullptr);
}
