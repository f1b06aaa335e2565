// Rail platforms: built from the layers, moving along the rails, meeting the player, drawn.
#include "world/rails.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "session/level_files.h"
#include "support/harness.h"

namespace {
// The platforms of two layers given as grid text; the play layer sets the grid's size.
struct Level {
    Grid play, decor;
    RailPlatforms rails;
    Level(const std::string& p, const std::string& d)
        : play(parse_grid_text(p, true)), decor(parse_grid_text(d, false)) {
        rail_build(rails, play, decor);
    }
    RailPlatform& move(int frames) {
        for (int f = 0; f < frames; ++f) rail_move(rails, decor, frame_dt);
        return rails.list[0];
    }
};

Player player_at(double x, double y, double vx, double vy) {
    Player p;
    p.x = x, p.y = y, p.vx = vx, p.vy = vy;
    return p;
}
}  // namespace

TEST(RailBuild, LiftsBlocksOnRailsInRowOrderAndRemovesItems) {
    // From the lowest row up, left to right; blocks and items on rails leave blanks, while an
    // enemy on a rail and a block off the rails stay.
    Level l("bH1 cf\nd  Ge \n", ".... .\n.  .. \n");
    ASSERT_EQ(l.rails.list.size(), 4u);
    EXPECT_TRUE(l.rails.list[1].x == 4 && l.rails.list[1].y == 0);
    EXPECT_TRUE(l.rails.list[3].x == 5 && l.rails.list[3].y == 1);
    EXPECT_EQ(l.play, parse_grid_text("  1 c \n      \n", true));
    // Past fifty platforms, blocks stay fixed in the play layer; items still go.
    Level many(std::string(60, 'a') + "H\n", std::string(61, '.') + "\n");
    EXPECT_EQ(many.rails.list.size(), 50u);
    EXPECT_EQ(many.play,
              parse_grid_text(std::string(50, ' ') + std::string(10, 'a') + " \n", true));
}

TEST(RailMove, TracksTheirEndsMiddlesAndBends) {
    // Out to the third rail, overshooting by less than a step, back to the first, out again.
    Level track(" a   \n", " ... \n");
    double lo = 9, hi = 0;
    for (int f = 0; f < 100; ++f) {
        RailPlatform& p = track.move(1);
        lo = std::min(lo, p.x), hi = std::max(hi, p.x);
    }
    EXPECT_NEAR(lo, 1, 1e-9);
    EXPECT_TRUE(hi >= 3 - 1e-9 && hi < 3.05) << hi;
    EXPECT_EQ(track.move(0).dir_x, 1);
    // Lone rails never move, even in the corner, where truncation would take the cell "just
    // below" for the platform's own.
    Level lone("   \n a \na  \n", "   \n . \n.  \n");
    EXPECT_TRUE(lone.move(30).x == 0 && lone.rails.list[0].y == 0 && lone.rails.list[1].x == 1);
    // In the middle of a track the two ways cancel in the first frame, then it goes left.
    Level mid(" a \n", "...\n");
    EXPECT_NEAR(mid.move(1).x, 1, 1e-12);
    EXPECT_NEAR(mid.move(1).x, 0.95, 1e-12);
    // Down a column, diagonally into the bend, then along the lowest row (not below it, and
    // not bouncing on it however the steps round) to its end.
    Level bend("a  \n   \n   \n", ".  \n.  \n...\n");
    EXPECT_NEAR(bend.move(30).x, 0.45, 1e-9);
    EXPECT_NEAR(bend.rails.list[0].y, 0.5, 1e-9);
    EXPECT_EQ(bend.move(30).y, 0);
    EXPECT_NEAR(bend.rails.list[0].x, 1.95, 1e-9);
    EXPECT_EQ(bend.move(1).dir_x, 1);
}

namespace {
using Cell = std::pair<int, int>;  // column, row

// Every track of rails within a 4 × 4 box: a path of cells, each rail touching only the rails
// before and after it on the path, so that the track never offers a choice. Each is listed
// once, from either end.
std::vector<std::vector<Cell>> tracks_in_a_box() {
    std::vector<std::vector<Cell>> tracks;
    std::vector<Cell> path;
    std::function<void()> grow = [&] {
        if (path.size() >= 2 && path.front() < path.back()) tracks.push_back(path);
        auto [x, y] = path.back();
        for (Cell next : {Cell{x + 1, y}, Cell{x - 1, y}, Cell{x, y + 1}, Cell{x, y - 1}}) {
            if (next.first < 0 || next.second < 0 || next.first > 3 || next.second > 3) continue;
            bool free = true;
            for (size_t i = 0; i < path.size(); ++i) {
                int d =
                    std::abs(path[i].first - next.first) + std::abs(path[i].second - next.second);
                free = free && d != 0 && (d != 1 || i + 1 == path.size());
            }
            if (!free) continue;
            path.push_back(next);
            grow();
            path.pop_back();
        }
    };
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 4; ++y) {
            path = {{x, y}};
            grow();
        }
    }
    return tracks;
}

// The layers of a track, one cell in from the level's edges, with a block on its cell `start`.
Level track_level(const std::vector<Cell>& track, Cell start) {
    std::vector<std::string> play(6, std::string(6, ' ')), decor = play;
    for (Cell c : track) decor[5 - (c.second + 1)][c.first + 1] = '.';
    play[5 - (start.second + 1)][start.first + 1] = 'a';
    std::string p, d;
    for (int row = 0; row < 6; ++row) p += play[row] + "\n", d += decor[row] + "\n";
    return Level(p, d);
}
}  // namespace

TEST(RailMove, FollowsEveryTrackBothWaysWhateverItsBends) {
    // Set on any cell of any track, bends of every shape included, a platform runs to one end,
    // turns there, runs to the other end and back, again and again, and never leaves the rails
    // (cutting a corner, it stays within a cell of them).
    std::vector<std::vector<Cell>> tracks = tracks_in_a_box();
    ASSERT_EQ(tracks.size(), 1004u);
    for (const std::vector<Cell>& track : tracks) {
        for (Cell start : track) {
            Level l = track_level(track, start);
            Cell ends[2] = {track.front(), track.back()};
            int arrivals = 0, last_end = -1;
            bool on_rails = true;
            int limit = 200 + 80 * static_cast<int>(track.size());
            for (int f = 0; f < limit && arrivals < 5 && on_rails; ++f) {
                const RailPlatform& p = l.move(1);
                double x = p.x - 1, y = p.y - 1;
                on_rails = false;
                for (Cell c : track)
                    on_rails =
                        on_rails || (std::fabs(x - c.first) < 1 && std::fabs(y - c.second) < 1);
                for (int e = 0; e < 2; ++e) {
                    if (e != last_end && std::fabs(x - ends[e].first) < 0.06 &&
                        std::fabs(y - ends[e].second) < 0.06)
                        ++arrivals, last_end = e;
                }
            }
            std::string where;
            for (Cell c : track)
                where += " " + std::to_string(c.first) + "," + std::to_string(c.second);
            ASSERT_TRUE(on_rails) << "left the track" << where << " from " << start.first << ","
                                  << start.second;
            ASSERT_EQ(arrivals, 5)
                << "stuck on the track" << where << " from " << start.first << "," << start.second;
        }
    }
}

TEST(RailCollide, RidingBumpingAndSides) {
    // Riding a platform that moves right: carried 0.05 a frame, 0.9 above it.
    Level l("a   \n    \n", "....\n    \n");
    Player rider = player_at(0.2, 1.9, 0, 0);
    for (int f = 0; f < 10; ++f) {
        RailPlatform& p = l.move(1);
        rider.vy = -1.5, rider.y -= 0.025;  // what gravity does in a frame
        int carried = 0;
        rail_collide(l.rails, rider, carried);
        EXPECT_EQ(rider.y, p.y + 0.9);
    }
    EXPECT_NEAR(rider.x, 0.7, 1e-9);
    // A lift: along the bottom row to the left, then up the column. Once it only rises, its
    // rider rises with it and is not pushed sideways by the last sideways step.
    Level lift("   \n   \n   \n  a\n", ".  \n.  \n.  \n...\n");
    for (int f = 0; f < 200 && !(lift.move(1).x == 0 && lift.rails.list[0].y >= 0.5); ++f) {
    }
    RailPlatform& going_up = lift.rails.list[0];
    ASSERT_EQ(going_up.x, 0);
    Player lifted = player_at(0.3, going_up.y + 0.9, 0, 0);
    for (int f = 0; f < 20; ++f) {
        lift.move(1);
        lifted.vy = -1.5, lifted.y -= 0.025;
        int carried = 0;
        rail_collide(lift.rails, lifted, carried);
        EXPECT_EQ(lifted.y, going_up.y + 0.9);
    }
    EXPECT_EQ(lifted.x, 0.3);
    EXPECT_GT(going_up.y, 1.4);
    EXPECT_EQ(going_up.x, 0);
    // Over two platforms the first in list order carries; none when on the ground as well.
    RailPlatforms two{{{0, 0, 3, 1, 0, 0, 0, 0.05}, {0, 0, 4, 1, 0, 0, 0, -0.05}}};
    for (int on_ground : {0, 1}) {
        Player both = player_at(3.5, 1.8, 0, -2);
        int carried = on_ground;
        rail_collide(two, both, carried);
        EXPECT_NEAR(both.x, on_ground ? 3.5 : 3.55, 1e-12);
    }
    // Against a platform at (5, 3): landing comes first and lifts the player above the side
    // tests; 0.9 across is off the top; the head is stopped under it; the sides push out.
    RailPlatforms one{{{0, 0, 5, 3, 0, 0, 0, 0}}};
    Player lands = player_at(4.3, 3.05, 8, -3), off_top = player_at(5.9, 3.5, 0, -3),
           head = player_at(5.2, 1.5, 3, 10), left = player_at(4.2, 3.1, 8, 0),
           too_high = player_at(4.2, 3.11, 8, 0), right = player_at(5.51, 1.9, -8, 0);
    for (Player* p : {&lands, &off_top, &head, &left, &too_high, &right}) {
        int carried = 1;
        rail_collide(one, *p, carried);
    }
    EXPECT_TRUE(lands.y == 3.9 && lands.x == 4.3);
    EXPECT_EQ(off_top.y, 3.5);
    EXPECT_TRUE(head.y == 1 && head.vy == 0);
    EXPECT_TRUE(left.x == 5 - 1 - 0.000001 && left.vx == 0);
    EXPECT_EQ(too_high.x, 4.2);
    EXPECT_TRUE(right.x == 5 + 1.000000001 && right.vx == 0);
}

TEST(RailDraw, EveryPlatformShowsTheFirstBlockTile) {
    TestDisplay display;
    ThemeTiles tiles;
    tiles[0] = solid_texture(4, 4, {255, 0, 0, 255});
    tiles[2] = solid_texture(4, 4, {0, 255, 0, 255});
    Level l("   \n  c\n", "   \n  .\n");
    clear_black();
    rail_draw(l.rails, tiles, -0.5, -1);
    SDL_Rect r = find_colour({255, 0, 0, 255});  // cell (2.5, 1): 25 pixels a cell
    EXPECT_TRUE(r.x == 62 && r.y == 550 && r.w == 25 && r.h == 25) << r.x << "," << r.y;
    EXPECT_EQ(find_colour({0, 255, 0, 255}).w, 0);
}
