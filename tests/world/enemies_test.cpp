// Enemies: which spawn cells the view's scan reaches, walking, falling and patrolling frame by
// frame, what touching the player does, and where the sprite lands on screen.
#include "world/enemies.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/clock.h"
#include "app/draw.h"
#include "session/level_files.h"
#include "support/harness.h"

namespace {
constexpr int walker = 0, flyer = 1;

// An empty level of w × h cells on a 1000 × 600 window (cells of 25 pixels, 24 × 40 in view).
Grid empty_level(int w, int h) {
    window_width = 1000;
    window_height = 600;
    std::string text;
    for (int r = 0; r < h; ++r) text += std::string(w, ' ') + "\n";
    return parse_grid_text(text, true);
}

void fill_row(Grid& g, int row, int from, int to, char c) {
    for (int col = from; col <= to; ++col) grid_set(row, col, g, c);
}

Enemy enemy_at(int type, double x, double y) {
    Enemy e;
    e.type = type;
    e.cell_x = static_cast<int>(x);
    e.cell_y = static_cast<int>(y);
    e.x = x;
    e.y = y;
    return e;
}

bool spawned(const Enemies& es, int column, int row) {
    return std::any_of(es.list.begin(), es.list.end(),
                       [&](const Enemy& e) { return e.cell_x == column && e.cell_y == row; });
}

// The lowest and highest x an enemy reaches in the given number of frames.
std::pair<double, double> x_range(Enemies& es, const Grid& g, int frames) {
    double lo = es.list[0].x, hi = lo;
    for (int i = 0; i < frames; ++i) {
        enemies_move(es, g, frame_dt);
        lo = std::min(lo, es.list[0].x);
        hi = std::max(hi, es.list[0].x);
    }
    return {lo, hi};
}
}  // namespace

TEST(EnemySpawn, ScanSkipsTheLowestRowAndFirstColumnAndReachesPastTheRightEdge) {
    Grid g = empty_level(120, 60);
    // Camera (3.7, 2.2): the scan reads rows 3 … 25 and columns 4 … 67 (40 + 25 columns).
    for (auto [col, row] : {std::pair{4, 3}, {67, 25}, {3, 10}, {68, 10}, {30, 2}, {30, 26}}) {
        grid_set(row, col, g, '0');
    }
    grid_set(12, 30, g, '1');
    for (char d : {'2', '3', '4', '5', '/'}) grid_set(14, 20 + d - '0', g, d);  // no such types
    Enemies es;
    enemies_spawn(es, g, 3.7, 2.2);
    ASSERT_EQ(es.list.size(), 3u);
    EXPECT_TRUE(spawned(es, 4, 3) && spawned(es, 67, 25));
    const Enemy& f = es.list[1];
    EXPECT_EQ(f.type, flyer);
    EXPECT_EQ(f.x, 30);
    EXPECT_EQ(f.y, 12);
    EXPECT_EQ(f.dir_x, -1);
    // A camera left of the level (a level narrower than the view) scans from the column right of
    // the view's first one, here column 0.
    Grid narrow = empty_level(30, 30);
    grid_set(5, 0, narrow, '0');
    Enemies left;
    enemies_spawn(left, narrow, -0.5, 0);
    EXPECT_EQ(left.list.size(), 1u);
}

TEST(EnemySpawn, EachCellSpawnsOnceUntilClearedAndTheListHoldsFiftyInScanOrder) {
    Grid g = empty_level(60, 30);
    grid_set(5, 10, g, '0');
    Enemies es;
    enemies_spawn(es, g, 0, 0);
    es.list[0].x = 30;  // it walked away and was defeated: its cell stays taken
    es.list[0].dead = true;
    enemies_spawn(es, g, 0, 0);
    EXPECT_EQ(es.list.size(), 1u);
    enemies_clear(es);
    enemies_spawn(es, g, 0, 0);
    ASSERT_EQ(es.list.size(), 1u);
    EXPECT_FALSE(es.list[0].dead);

    // Rows from the bottom, each from the left: all of row 1, then columns 1 … 20 of row 2.
    fill_row(g, 1, 1, 30, '1');
    fill_row(g, 2, 1, 30, '0');
    // A full list is told once a life of the level, not at every scan.
    enemies_clear(es);
    for (int scan = 0; scan < 3; ++scan) {
        if (scan == 2) enemies_restart(es);
        testing::internal::CaptureStdout();
        enemies_spawn(es, g, 0, 0);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), scan == 1 ? "" : "max enemy 50\n");
    }
    ASSERT_EQ(es.list.size(), max_enemies);
    EXPECT_TRUE(spawned(es, 30, 1) && spawned(es, 20, 2) && !spawned(es, 21, 2));
}

TEST(EnemyMove, WalkerFallsRestsOnTheFloorAndNeverFallsThroughIt) {
    Grid g = empty_level(40, 80);
    fill_row(g, 2, 0, 39, 'a');
    Enemies es;
    es.list.push_back(enemy_at(walker, 20, 10));
    enemies_move(es, g, frame_dt);
    const Enemy& e = es.list[0];
    EXPECT_DOUBLE_EQ(e.vy, -90 * frame_dt);
    EXPECT_DOUBLE_EQ(e.y, 10 - 90 * frame_dt * frame_dt);
    EXPECT_DOUBLE_EQ(e.x, 20 - 2.5 * frame_dt);
    for (int i = 0; i < 120; ++i) enemies_move(es, g, frame_dt);
    EXPECT_EQ(e.y, 2 + 0.99999999999);
    EXPECT_EQ(e.vy, 0);
    // Nothing happens without time, not even settling on the floor.
    es.list[0].y = 2.5;
    enemies_move(es, g, 0);
    EXPECT_EQ(e.y, 2.5);
    // From high up it would cross more than a cell per frame: its fall is limited so that it
    // still meets a floor one cell thick.
    Enemies high;
    high.list.push_back(enemy_at(walker, 20, 75));
    for (int i = 0; i < 200; ++i) enemies_move(high, g, frame_dt);
    EXPECT_EQ(high.list[0].y, 2 + 0.99999999999);
}

TEST(EnemyMove, WalkerSetsOffLeftTurnsAtWallsAtBodyHeightAndWalksOffLedges) {
    Grid g = empty_level(40, 20);
    fill_row(g, 0, 0, 39, 'a');
    grid_set(1, 5, g, 'a');  // walls at body height, left and right
    grid_set(1, 15, g, 'a');
    grid_set(2, 8, g, 'a');  // higher up: not looked at
    Enemies es;
    es.list.push_back(enemy_at(walker, 10, 0.99999999999));
    auto [lo, hi] = x_range(es, g, 600);
    // It turns once its own column is the wall's neighbour on the left, and once the column
    // ahead of it is the wall on the right.
    EXPECT_LT(lo, 6);
    EXPECT_GT(lo, 6 - 2.5 * frame_dt);
    EXPECT_GE(hi, 14);
    EXPECT_LT(hi, 14 + 2.5 * frame_dt);
    EXPECT_EQ(es.list[0].y, 0.99999999999);
    // Walls on both sides at once: it ends up facing right.
    grid_set(1, 6, g, 'a');
    Enemies boxed;
    boxed.list.push_back(enemy_at(walker, 5.5, 0.99999999999));
    enemies_move(boxed, g, frame_dt);
    EXPECT_EQ(boxed.list[0].dir_x, +1);

    // Ground is looked for under one cell's width: standing while x ≥ 7, falling past it.
    Grid ledge = empty_level(40, 20);
    fill_row(ledge, 5, 8, 20, 'a');
    Enemies off;
    off.list.push_back(enemy_at(walker, 10, 5.99999999999));
    for (int i = 0; i < 70; ++i) enemies_move(off, ledge, frame_dt);  // x ≈ 7.08
    EXPECT_EQ(off.list[0].y, 5 + 0.99999999999);
    for (int i = 0; i < 14; ++i) enemies_move(off, ledge, frame_dt);  // x = 6.5
    EXPECT_LT(off.list[0].y, 5.9);
    EXPECT_EQ(off.list[0].dir_x, -1);
}

TEST(EnemyMove, FlyerHoldsItsHeightAndPatrolsThreeCellsEachWay) {
    Grid g = empty_level(60, 30);
    for (bool wall : {false, true}) {
        // A wall at the very end of its patrol turns it the same way: it goes on patrolling
        // rather than shivering into the wall.
        if (wall) grid_set(11, 16, g, 'a');
        Enemies es;
        es.list.push_back(enemy_at(flyer, 20, 10));
        auto [lo, hi] = x_range(es, g, 1000);
        EXPECT_EQ(es.list[0].y, 10);
        EXPECT_LT(lo, 17);
        EXPECT_GT(lo, 17 - 2 * frame_dt) << wall;
        EXPECT_GT(hi, 23);
        EXPECT_LT(hi, 23 + 2 * frame_dt);
    }
}

namespace {
// A player overlapping an enemy, at 1000 ms on the virtual clock.
struct Touch {
    Enemies es;
    Player p;
    explicit Touch(int type, double x = 10.5, double y = 1, double vy = 0) {
        clock_use_virtual(true, 1000);
        es.list.push_back(enemy_at(type, 10, 1));
        p.x = x;
        p.y = y;
        p.vy = vy;
    }
    ~Touch() { clock_use_virtual(false); }
    void contact() { enemies_contact(es, p, nullptr); }
};
}  // namespace

TEST(EnemyContact, HurtsThenGivesGraceTimeThenHurtsAgain) {
    Touch t(walker);
    t.contact();
    EXPECT_EQ(t.p.time_left, full_time - 50000);
    EXPECT_EQ(t.p.vulnerable, 0);
    EXPECT_EQ(t.p.hurt_until, 3000);
    clock_advance(2000);  // at hurt_until: still in grace
    t.contact();
    EXPECT_EQ(t.p.time_left, full_time - 50000);
    clock_advance(1);
    t.contact();
    EXPECT_EQ(t.p.time_left, full_time - 100000);
    EXPECT_EQ(t.p.hurt_until, 5001);
    EXPECT_FALSE(t.es.list[0].dead);

    Touch f(flyer);  // twice as strong, half the grace time
    f.contact();
    EXPECT_EQ(f.p.time_left, full_time - 100000);
    EXPECT_EQ(f.p.hurt_until, 2000);

    // Bodies that only meet along an edge do not touch.
    for (auto [x, y] : {std::pair{9.0, 1.0}, {11.5, 1.0}, {10.5, -1.0}, {10.5, 2.5}}) {
        Touch edge(walker, x, y);
        edge.contact();
        EXPECT_EQ(edge.p.time_left, full_time) << x << ", " << y;
    }
}

TEST(EnemyContact, DashOrLandingFromTheRightDefeatsAndTheDefeatedNoLongerHurt) {
    Touch d(flyer);
    d.es.list.push_back(enemy_at(walker, 10.2, 1.5));
    d.p.dash_timer = 0.1;
    d.contact();
    EXPECT_TRUE(d.es.list[0].dead && d.es.list[1].dead);
    EXPECT_EQ(d.p.enemy_points, 3);
    EXPECT_EQ(d.p.time_left, full_time + 30000);
    d.p.dash_timer = 0;
    d.contact();
    EXPECT_EQ(d.p.time_left, full_time + 30000);

    // Landing is worth half the points (none for a walker) and no time, and bounces the player.
    for (int type : {walker, flyer}) {
        Touch land(type, 10.5, 1, -0.6);
        land.contact();
        EXPECT_TRUE(land.es.list[0].dead);
        EXPECT_EQ(land.p.vy, 4);
        EXPECT_EQ(land.p.enemy_points, type == walker ? 0 : 1);
        EXPECT_EQ(land.p.time_left, full_time);
    }
    // Level with it or left of it, or barely falling: the player is hurt instead.
    for (auto [x, vy] : {std::pair{10.0, -3.0}, {9.5, -3.0}, {10.5, -0.5}}) {
        Touch hurt(walker, x, 1, vy);
        hurt.contact();
        EXPECT_FALSE(hurt.es.list[0].dead) << x << ", " << vy;
        EXPECT_EQ(hurt.p.time_left, full_time - 50000) << x << ", " << vy;
    }
}

namespace {
const SDL_Color red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255};

// Two pixels side by side, so that mirroring shows.
TexturePtr two_colour_texture(SDL_Color left, SDL_Color right) {
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, 2, 1, 32, SDL_PIXELFORMAT_ARGB8888));
    SDL_Rect l{0, 0, 1, 1}, r{1, 0, 1, 1};
    SDL_FillRect(s.get(), &l, SDL_MapRGBA(s->format, left.r, left.g, left.b, 255));
    SDL_FillRect(s.get(), &r, SDL_MapRGBA(s->format, right.r, right.g, right.b, 255));
    return TexturePtr(SDL_CreateTextureFromSurface(game_renderer, s.get()));
}

// Which image shows at the pixel: 'a' for the first ("1.png"), 'b' for the second.
char image_at(const Enemies& es, const EnemyArt& art, int ms, int x) {
    clear_black();
    enemies_draw(es, art, 2.5, 1, ms);
    SDL_Color c = read_pixel(x, 530);
    return c.r == 255 ? 'a' : c.g == 255 ? 'b' : c.b == 255 ? 'm' : '-';
}
}  // namespace

TEST(EnemyDraw, StandsOnItsCellFacesLeftAndAlternatesTwoImages) {
    TestDisplay display;
    EnemyArt art;
    for (auto& frames : art.frames) {
        frames[0] = two_colour_texture(red, blue);
        frames[1] = two_colour_texture(green, blue);
    }
    Enemies es;
    es.list.push_back(enemy_at(walker, 10, 3));
    // Left 25 × (10 − 2.5) = 187.5; top 600 − (3 − 1 + 1.5) × 25 = 512.5; 37.5 pixels a side.
    EXPECT_EQ(image_at(es, art, 101, 190), 'a');
    SDL_Rect r = find_colour(red), b = find_colour(blue);
    EXPECT_EQ(r.x, 187);
    EXPECT_EQ(r.y, 512);
    EXPECT_EQ(r.h, 37);
    EXPECT_EQ(b.x + b.w, 187 + 37);
    // The second image for the first half of each cycle, phase 0 included.
    std::string walker_frames;
    for (int ms : {100, 101, 200}) walker_frames += image_at(es, art, ms, 190);
    EXPECT_EQ(walker_frames, "bab");
    // Walking right, mirrored: the first image's left pixel now shows on the right.
    es.list[0].dir_x = +1;
    EXPECT_EQ(image_at(es, art, 101, 190), 'm');
    EXPECT_EQ(image_at(es, art, 101, 220), 'a');

    Enemies f;
    f.list.push_back(enemy_at(flyer, 10, 3));
    EXPECT_EQ(image_at(f, art, 25, 190), 'b');
    EXPECT_EQ(image_at(f, art, 26, 190), 'a');
    // Defeated enemies and missing images draw nothing.
    f.list[0].dead = true;
    EXPECT_EQ(image_at(f, art, 26, 190), '-');
    EXPECT_EQ(image_at(es, EnemyArt{}, 101, 220), '-');
}

TEST(EnemyArt, LoadsBothImagesOfEachTypeFromTheThemeAndBothSounds) {
    TestDisplay display;
    Sandbox sandbox;
    EnemyArt art;
    enemies_load_types(art, "neige");
    for (const auto& frames : art.frames) EXPECT_TRUE(frames[0] && frames[1]);
    enemies_release(art);
    EXPECT_EQ(art.frames[1][1], nullptr);
    EnemySounds sounds;
    enemies_load_sounds(sounds);
    EXPECT_TRUE(sounds.hurt && sounds.kill);
}
