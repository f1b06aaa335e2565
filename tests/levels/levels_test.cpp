// Our levels: every folder is a well-formed level, and each one can be played from its start
// to its exit with the keyboard alone, without dying and without an enemy's touch, while the
// enemies walk and fly and the rail platforms move as in the game. The scripts below replay a
// run through the real session, key by key, waiting for enemies and platforms as a player
// watches them. MIVO_REPLAY_TRACE=1 prints where every step of a passing replay ended.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "levels/replay.h"
#include "session/level_files.h"
#include "world/enemies.h"

using namespace replay;

namespace {

bool on_ground_after_flight(const Moment& m) { return m.p.on_ground && m.p.vy == 0; }
// Landed on a floor at or above the given height.
std::function<bool(const Moment&)> landed_high(double y) {
    return [=](const Moment& m) { return m.p.on_ground && m.p.vy == 0 && m.p.y >= y; };
}
// The enemy of a spawn cell is alive and its left edge within lo … hi, heading that way (+1
// right, −1 left; 0 either way).
std::function<bool(const Moment&)> enemy_in(int cell_x, int cell_y, double lo, double hi,
                                            int dir = 0) {
    return [=](const Moment& m) {
        const Enemy* e = enemy(m.s, cell_x, cell_y);
        return e && e->x >= lo && e->x <= hi && (dir == 0 || e->dir_x == dir);
    };
}
// The enemy of a spawn cell is alive, at most `d` cells ahead of the player (to the right).
std::function<bool(const Moment&)> enemy_ahead(int cell_x, int cell_y, double d) {
    return [=](const Moment& m) {
        const Enemy* e = enemy(m.s, cell_x, cell_y);
        return e && e->x - m.p.x <= d;
    };
}
// The enemy of a spawn cell is alive, at most `d` cells behind the player (to the left).
std::function<bool(const Moment&)> enemy_behind(int cell_x, int cell_y, double d) {
    return [=](const Moment& m) {
        const Enemy* e = enemy(m.s, cell_x, cell_y);
        return e && m.p.x - e->x <= d;
    };
}
// The platform that started at a cell has its left edge within lo … hi, its lower edge at
// least at `above`, and last went that way (+1 right, −1 left; 0 either way).
std::function<bool(const Moment&)> platform_in(int cell_x, int cell_y, double lo, double hi,
                                               double above = 0, int dir = 0) {
    return [=](const Moment& m) {
        const RailPlatform& p = platform(m.s, cell_x, cell_y);
        return p.x >= lo && p.x <= hi && p.y >= above && (dir == 0 || p.dir_x == dir);
    };
}
// Stands still, watching, until the condition holds.
Step wait_for(std::string what, std::function<bool(const Moment&)> done, int limit = 1800) {
    return until(std::move(what), 0, std::move(done), limit);
}
bool is_riding(const Moment& m) { return riding(m.s); }

bool at_left_wall(const Moment& m, double x) { return m.p.x <= x && m.p.vx == 0; }
bool at_right_wall(const Moment& m, double x) { return m.p.x >= x && m.p.vx == 0; }

// The wall jumps that end a climb: off the right wall, then off the left one over the top of
// the right wall, gliding with the keys released (a wall jump pushes at 51 cells/s, and only
// friction slows it in the air).
void leave_shaft(Script& s, int left) {
    s.push_back(jump_until("wall jump off the right wall", Held::left, 8,
                           [=](const Moment& m) { return at_left_wall(m, left + 1); }));
    s.push_back(jump_until("last wall jump, off the left wall", Held::left, 12,
                           [](const Moment& m) { return m.frames >= 2; }));
    s.push_back({"glide over the top, keys released", 0, none, 10, on_ground_after_flight});
}

// Climbs a shaft three cells wide between a left wall ending at column `left` and a right
// wall at column `left` + 4, by wall jumps from side to side, holding Left throughout: pressed
// into the left wall the jump pushes right, and against the right wall any jump pushes left.
void climb_shaft(Script& s, int left, int wall_jumps) {
    const double lx = left + 1, rx = left + 3;
    for (int i = 0; i < wall_jumps; ++i) {
        s.push_back(jump_until("wall jump off the right wall", Held::left, 8,
                               [=](const Moment& m) { return at_left_wall(m, lx); }));
        s.push_back(jump_until("wall jump off the left wall", Held::left, 8,
                               [=](const Moment& m) { return at_right_wall(m, rx); }));
    }
}

Outcome expect_completed(const std::string& level, const Script& script) {
    Outcome o = play(level, script);
    EXPECT_TRUE(o.reached_exit) << level << ": " << o.failure << "\n" << o.trace;
    EXPECT_EQ(o.deaths, 0) << level;
    EXPECT_EQ(o.hurts, 0) << level;
    EXPECT_GT(o.time_left, 0) << level;
    if (o.reached_exit) {
        std::printf(
            "%s: exit reached after %d frames, %d items, time left %d; %d enemies met, %d "
            "beaten; %d frames on platforms, across columns %.1f to %.1f\n",
            level.c_str(), o.frames, o.items, o.time_left, o.enemies_spawned, o.enemies_defeated,
            o.riding_frames, o.ride_from, o.ride_to);
    }
    if (std::getenv("MIVO_REPLAY_TRACE")) std::printf("%s", o.trace.c_str());
    return o;
}

struct LevelFiles {
    std::string name;
    std::string folder;  // absolute path
    Grid play, decor;
    int width = 0, height = 0;
};

// Reads both layers the way the game does; the decor layer is also read on its own to make
// sure none of its cells would be cut away by the play layer's size.
LevelFiles read_level(const std::string& folder) {
    LevelFiles f;
    f.folder = folder;
    f.name = std::filesystem::path(folder).filename().string();
    std::string decor_text = read_file(folder + "/1.lvl");
    parse_grid_text(decor_text, true);
    int decor_width = grid_width, decor_height = grid_height;
    f.play = parse_grid_text(read_file(folder + "/0.lvl"), true);
    f.width = grid_width;
    f.height = grid_height;
    f.decor = parse_grid_text(decor_text, false);
    EXPECT_LE(decor_width, f.width) << f.name << ": decor wider than the play layer";
    EXPECT_LE(decor_height, f.height) << f.name << ": decor taller than the play layer";
    return f;
}

std::vector<std::string> our_levels() {
    std::vector<std::string> folders;
    for (const auto& e : std::filesystem::directory_iterator(source_dir() + "/levels")) {
        if (e.is_directory()) folders.push_back(e.path().string());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

std::string config_value(const std::string& config, const std::string& key) {
    std::istringstream in(config);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    }
    return "";
}

// The fields of a "[a|b|c…]" line of portals.lvl or caracters.lvl.
std::vector<std::string> bracket_fields(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    for (char c : line.substr(line.find('[') + 1)) {
        if (c == '|' || c == ']') {
            fields.push_back(field);
            field.clear();
            if (c == ']') break;
        } else {
            field += c;
        }
    }
    return fields;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

void check_level(const std::string& folder) {
    SCOPED_TRACE(folder);
    LevelFiles f = read_level(folder);
    EXPECT_GT(f.width, 0);
    EXPECT_LE(f.width, max_grid_width);
    EXPECT_LE(f.height, max_grid_height);

    std::string config = read_file(folder + "/config.ini");
    for (const char* key : {"titre", "fond", "musique", "theme"}) {
        std::string v = config_value(config, key);
        EXPECT_FALSE(v.empty()) << key;
        EXPECT_LT(v.size(), 50u) << key;  // LevelInfo keeps 49 characters
    }
    EXPECT_TRUE(
        std::set<std::string>({"base", "neige", "nuit"}).count(config_value(config, "theme")));

    // Every cell code is one the game knows; enemies are of the two defined types.
    const std::string play_codes = " abcdefghijklmnopqrsABCDEFGH01";
    const std::string decor_codes = " abcdefghijklmnopqrsABCDEFGHIJKL.";
    int starts = 0, exits = 0, start_x = 0, start_y = 0;
    for (int y = 0; y < f.height; ++y) {
        for (int x = 0; x < f.width; ++x) {
            char p = grid_get(y, x, f.play), d = grid_get(y, x, f.decor);
            EXPECT_NE(play_codes.find(p), std::string::npos)
                << "play '" << p << "' at " << x << "," << y;
            EXPECT_NE(decor_codes.find(d), std::string::npos)
                << "decor '" << d << "' at " << x << "," << y;
            bool free_above = !side_solid(grid_get(y + 1, x, f.decor));
            if (d == 'A') {
                EXPECT_TRUE(free_above) << "start marker under a background block";
                ++starts, start_x = x, start_y = y;
            }
            if (d == 'B') {
                EXPECT_TRUE(free_above) << "exit marker under a background block";
                ++exits;
            }
            if (d == '.' && is_block(p)) {
                bool track = false;
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    track = track || grid_get(y + dy, x + dx, f.decor) == '.';
                }
                EXPECT_TRUE(track) << "a platform with no rail to move on at " << x << "," << y;
            }
            if (d == '.') {
                EXPECT_FALSE(p >= 'A' && p <= 'H') << "an item on a rail vanishes";
            }
        }
    }
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(side_free(grid_get(start_y, start_x, f.play)) &&
                side_free(grid_get(start_y + 1, start_x, f.play)))
        << "the player would start inside a block";
    // No enemy is born within reach of the start: a player gets time to look around.
    for (int y = 0; y < f.height; ++y) {
        for (int x = 0; x < f.width; ++x) {
            if (!enemy_type_of_cell(grid_get(y, x, f.play))) continue;
            EXPECT_TRUE(std::abs(x - start_x) > 12 || std::abs(y - start_y) > 12)
                << "an enemy spawns next to the start, at " << x << "," << y;
        }
    }

    // A channel holds a pair of doors, or a single door that leads back to itself; a hidden door
    // is only ever arrived at, so it has a partner to come from. The player can stand in front
    // of each door's middle cell.
    std::map<int, int> channels;
    std::set<int> hidden_channels;
    for (const std::string& line : lines_of(read_file(folder + "/portals.lvl"))) {
        std::vector<std::string> d = bracket_fields(line);
        ASSERT_EQ(d.size(), 3u) << line;
        int x = std::atoi(d[0].c_str()), y = std::atoi(d[1].c_str());
        int channel = std::atoi(d[2].c_str());
        ++channels[channel];
        if (line.rfind("\\", 0) == 0) hidden_channels.insert(channel);
        EXPECT_TRUE(floor_solid(grid_get(y - 1, x + 1, f.play))) << "no floor under " << line;
        EXPECT_TRUE(side_free(grid_get(y, x + 1, f.play)) &&
                    side_free(grid_get(y + 1, x + 1, f.play)))
            << "a block in front of " << line;
    }
    for (auto [channel, count] : channels) {
        EXPECT_TRUE(count == 2 || (count == 1 && !hidden_channels.count(channel)))
            << "channel " << channel;
    }

    // Characters: seven fields, one of the three pictures, a text the bubble can hold.
    for (const std::string& line : lines_of(read_file(folder + "/caracters.lvl"))) {
        std::vector<std::string> c = bracket_fields(line);
        ASSERT_EQ(c.size(), 7u) << line;
        EXPECT_TRUE(
            std::set<std::string>({"pnj/sage.png", "pnj/robot.png", "pnj/fee.png"}).count(c[5]));
        EXPECT_LT(c[6].size(), 500u);
    }
}

}  // namespace

TEST(LevelsFiles, EveryLevelAndTheTemplateIsWellFormed) {
    std::vector<std::string> folders = our_levels();
    EXPECT_EQ(folders.size(), 6u);
    folders.push_back(source_dir() + "/templates/blank");
    for (const std::string& folder : folders) check_level(folder);
    EXPECT_EQ(config_value(read_file(source_dir() + "/templates/blank/config.ini"), "titre"),
              "Nouveau niveau");
}

TEST(LevelsFiles, OurLevelsShowEveryBlockItemEnemyAndBackground) {
    // Between them, our levels use every block and item the play layer knows; each one puts
    // both kinds of enemy on the way and stands in front of a background of its own that the
    // resource tree has (so no two look alike in the level selection), at least one of them a
    // panorama; and some rail turns a corner (a cell with rails beside and above or below it).
    std::set<char> used;
    std::set<std::string> backgrounds;
    bool panorama = false, corner = false;
    for (const std::string& folder : our_levels()) {
        SCOPED_TRACE(folder);
        LevelFiles f = read_level(folder);
        std::set<char> here;
        for (int y = 0; y < f.height; ++y) {
            for (int x = 0; x < f.width; ++x) {
                here.insert(grid_get(y, x, f.play));
                auto rail = [&](int dy, int dx) {
                    return grid_get(y + dy, x + dx, f.decor) == '.';
                };
                if (rail(0, 0) && (rail(0, 1) || rail(0, -1)) && (rail(1, 0) || rail(-1, 0)))
                    corner = true;
            }
        }
        EXPECT_TRUE(here.count('0') && here.count('1')) << "a walker and a flyer";
        used.insert(here.begin(), here.end());
        std::string fond = config_value(read_file(folder + "/config.ini"), "fond");
        std::string image = source_dir() + "/ressources/textures/backgrounds/" + fond +
                            (fond.size() == 1 ? "/1.png" : "");
        EXPECT_TRUE(file_exists(image)) << image;
        EXPECT_TRUE(backgrounds.insert(fond).second) << "a second level in front of " << fond;
        panorama = panorama || fond.size() > 1;
    }
    for (char c : std::string("abcdefghijklmnopqrsABCDEFGH")) {
        EXPECT_TRUE(used.count(c)) << "no level uses '" << c << "'";
    }
    EXPECT_TRUE(panorama);
    EXPECT_TRUE(corner);
}

TEST(LevelsFiles, TheGreatValleyIsLarge) {
    LevelFiles f = read_level(source_dir() + "/levels/3_grande_vallee");
    EXPECT_GE(f.width, 300);
    EXPECT_GE(f.height, 60);
}

// A level saved from the game right after it starts comes out byte for byte as it was, though
// its platforms stand lifted onto their rails (and items on rails are gone): U writes the level
// as its author made it. Read back with R, it gives the same platforms, items and enemies.
TEST(LevelsFiles, USavesEveryLevelAsItWasAndRGivesItBack) {
    namespace fs = std::filesystem;
    for (const std::string& folder : our_levels()) {
        SCOPED_TRACE(folder);
        std::string name = fs::path(folder).filename().string();
        Sandbox sandbox;
        fs::copy(folder, "levels/" + name, fs::copy_options::recursive);
        TestDisplay display;
        Session s;
        session_start(s, name);
        session_frame(s);
        session_frame(s);
        auto cells = [](const RailPlatforms& r) {
            std::vector<std::pair<int, int>> c;
            for (const RailPlatform& p : r.list) c.push_back({p.cell_x, p.cell_y});
            return c;
        };
        auto spawned = [](const Enemies& e) {
            std::vector<std::pair<int, int>> c;
            for (const Enemy& x : e.list) c.push_back({x.cell_x, x.cell_y});
            return c;
        };
        const auto platforms = cells(s.world.rails);
        const Grid play = s.world.play_grid;
        const auto enemies = spawned(s.enemies);
        EXPECT_FALSE(s.editor.unsaved);
        testing::internal::CaptureStdout();
        push_key(SDLK_u);
        session_frame(s);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "saved\n");
        EXPECT_EQ(read_file("levels/" + name + "/0.lvl"), read_file(folder + "/0.lvl"));
        EXPECT_EQ(read_file("levels/" + name + "/1.lvl"), read_file(folder + "/1.lvl"));
        push_key(SDLK_r);
        session_frame(s);
        EXPECT_EQ(cells(s.world.rails), platforms);
        EXPECT_EQ(s.world.play_grid, play);
        session_frame(s);
        EXPECT_EQ(spawned(s.enemies), enemies);
        session_end(s);
    }
}

namespace {

// The tutorial's dash tunnel, the hedgehog's dip and the rail pit.
constexpr double tutorial_tunnel = 255, tutorial_dip = 287, tutorial_rail_pit = 303;

// The tutorial from its start to the near edge of the rail pit.
Script premiers_pas_to_the_rail_pit() {
    const double T = tutorial_tunnel, C = tutorial_dip, R = tutorial_rail_pit;
    Script s = {
        settle("land at the start"),
        walk_to("walk along the meadow and its coins", right, 30),
        walk_to("run toward the wide gap", run_right, 46.6),
        jump_to_ground("running jump over the gap", run_right, 20),
        walk_to("walk to the crates", right, 66.2),
        jump_to_ground("tap jump onto the crates", right, 0),
        walk_to("step down from the crates", right, 73),
        jump_to_ground("held jump onto the stone tower", right, 10),
        jump_to_ground("jump onto the hill", right, 20),
        stop_at("stop under the one-way shelf", 86.5),
        jump_to_ground("jump up through the shelf", 0, 20),
        walk_to("walk off the shelf", right, 89.5),
        settle("drop back onto the hill", right),
        stop_at("stop under the item block", 90.8),
        jump_to_ground("bump the item block", 0, 0),
        stop_at("stop under the breakable bricks", 94.5),
        jump_to_ground("break two bricks", 0, 0),
        stop_at("stop under the hidden block", 99.8),
        jump_to_ground("bump the hidden block", 0, 0),
        wait_for("watch the hedgehog turn at the hill's foot", enemy_in(118, 6, 111, 130, 1)),
        walk_to("walk down from the hill", right, 104),
        settle("land behind the hedgehog", right),
        until("run after the hedgehog", right, enemy_ahead(118, 6, 3.7)),
        jump_to_ground("jump onto its back", right, 0),
        walk_to("walk to the spikes", right, 122.3),
        jump_to_ground("tap jump over the spikes", right, 0),
        walk_to("walk into the shaft", right, 132),
        until("stand against its right wall", right, [](const Moment& m) { return m.p.vx == 0; }),
        jump_until("first jump up the shaft", right, 12,
                   [](const Moment& m) { return m.frames >= 8; }),
    };
    climb_shaft(s, 129, 3);
    leave_shaft(s, 129);
    Script rest = {
        walk_to("walk to the gem's pillar", right, 147.8),
        jump_to_ground("tap jump over the pillar", right, 0),
        stop_at("stop before the bat", 155),
        wait_for("wait until the bat flies back left", enemy_in(162, 21, 0, 160.5, -1)),
        jump_to_ground("held jump over the bat", right, 12),
        walk_to("walk down the one-way steps", right, 192),
        walk_to("spring over the tower", right, 205),
        settle("land behind the tower", right),
        {"take the feather up to the shelf", right, none, 0, landed_high(23)},
        walk_to("walk off the shelf", right, 238.5),
        settle("land on the long run", right),
        walk_to("walk to the dash tunnel", right, T - 6),
        jump_to_ground("jump over the well", right, 0),
        stop_at("stop at the edge of the pit in the tunnel", T + 8.8),
        dash("dash across the pit", dash_right),
        settle("land on the far side"),
        walk_to("walk to the step", right, T + 26.5),
        jump_to_ground("tap up the step", right, 0),
        walk_to("walk to the hedgehog's dip", right, C),
        until("drop into it", right, [](const Moment& m) { return m.p.on_ground && m.p.y < 5.5; }),
        stop_at("stop under its open end", C),
        wait_for("let the hedgehog come close", enemy_in(int(C) + 6, 5, C + 1.2, C + 3, -1)),
        dash("dash through the hedgehog", dash_right),
        walk_to("walk to the dip's far end", right, C + 9),
        until("stand against its step", right, [](const Moment& m) { return m.p.vx == 0; }),
        jump_to_ground("tap up the step", right, 0),
        stop_at("stop at the rail pit", R - 1.5),
    };
    s.insert(s.end(), rest.begin(), rest.end());
    return s;
}

// A leap as long as a level allows: a run from `from`, set off once the platform that should
// carry Mivo instead is where `ready` wants it, the longest held jump from the edge at `edge`,
// a dash at the top of it, and the fall, keys held all the way.
void leap(Script& s, double from, std::function<bool(const Moment&)> ready, double edge) {
    s.push_back(stop_at("walk back for a run-up", from));
    s.push_back(wait_for("wait for the platform to set off", std::move(ready)));
    s.push_back(
        until("run to the edge", run_right, [=](const Moment& m) { return m.p.x >= edge; }));
    s.push_back(jump_until("leap from the edge", run_right, 20,
                           [](const Moment& m) { return m.frames >= 16; }));
    s.push_back(dash("dash at the top of the leap", dash_right, run_right));
    s.push_back(
        until("fall", run_right, [](const Moment& m) { return m.p.on_ground && m.p.vy == 0; }));
}

}  // namespace

TEST(LevelsReplay, PremiersPas) {
    const double R = tutorial_rail_pit;
    Script s = premiers_pas_to_the_rail_pit();
    Script rest = {
        wait_for("wait for the platform", platform_in(int(R), 5, R, R + 0.3)),
        until("step onto the platform", right, is_riding),
        until("ride it over the pit", 0, platform_in(int(R), 5, R + 19.5, R + 21)),
        jump_to_ground("jump onto the far ledge", right, 10),
        walk_to("walk into the exit", right, 370),
    };
    s.insert(s.end(), rest.begin(), rest.end());
    Outcome o = expect_completed("1_premiers_pas", s);
    EXPECT_GE(o.enemies_defeated, 2);  // landed on one hedgehog, dashed through another
    EXPECT_LE(o.ride_from, R + 1);     // rode from the near side of the rail pit
    EXPECT_GE(o.ride_to, R + 19);      // to its far side
}

TEST(LevelsReplay, Glacier) {
    Script s = {
        settle("land at the start"),
        stop_at("walk to the block of ice", 18),
        wait_for("watch the hedgehog walk away", enemy_in(36, 6, 27, 60, 1)),
        jump_to_ground("tap jump over the block of ice", right, 0),
        until("run after the hedgehog", right, enemy_ahead(36, 6, 3.7)),
        jump_to_ground("jump onto its back", right, 0),
        walk_to("walk to the other block of ice", right, 40.3),
        jump_to_ground("tap jump over it", right, 0),
        walk_to("walk into the crevasse", right, 55),
        until("stand against its right wall", right, [](const Moment& m) { return m.p.vx == 0; }),
        jump_until("first jump up the crevasse", right, 12,
                   [](const Moment& m) { return m.frames >= 8; }),
    };
    climb_shaft(s, 52, 4);
    leave_shaft(s, 52);
    Script rest = {
        stop_at("stop before the ice blocks", 65),
        jump_to_ground("jump onto the ice blocks", right, 4),
        stop_at("walk off them, up to the bat", 72),
        wait_for("let the bat come close", enemy_in(79, 23, 0, 76.6)),
        dash("dash through the bat", dash_right),
        walk_to("walk to the chasm", right, 88.5),
        settle("drop onto the first plank", right),
        stop_at("stop on the first plank", 92),
        jump_to_ground("jump up to the second plank", right, 20),
        stop_at("stop on the second plank", 101.5),
        jump_to_ground("jump down to the third plank", right, 20),
        stop_at("stop on the third plank", 111),
        jump_to_ground("jump to the far ledge", right, 20),
        stop_at("walk to the block of ice", 121),
        wait_for("watch the hedgehog walk away", enemy_in(135, 22, 127, 150, 1)),
        jump_to_ground("tap jump over the block of ice", right, 0),
        until("run after the hedgehog", right, enemy_ahead(135, 22, 3.7)),
        jump_to_ground("jump onto its back", right, 0),
        stop_at("walk to the last block of ice", 144),
        jump_to_ground("tap jump over it", right, 0),
        stop_at("stop at the top of the lift", 150.5),
        wait_for("wait for the lift", platform_in(152, 21, 152, 152, 20.8)),
        until("step onto it", right, is_riding),
        until("ride down the shaft, round the corner and over the gap", 0,
              platform_in(152, 21, 165.5, 167)),
        walk_to("step off onto the valley", right, 168.5),
        stop_at("stop at the block of ice", 168.5),
        wait_for("watch the hedgehog walk away", enemy_in(178, 6, 176, 190, 1)),
        jump_to_ground("tap jump over the block of ice", right, 0),
        until("run after the hedgehog", right, enemy_ahead(178, 6, 3.7)),
        jump_to_ground("jump onto its back", right, 0),
        stop_at("step back before the spring", 178.5),
        walk_to("spring over the ice wall into the exit", right, 205),
    };
    s.insert(s.end(), rest.begin(), rest.end());
    Outcome o = expect_completed("2_glacier", s);
    EXPECT_GE(o.enemies_defeated, 3);  // two hedgehogs landed on, a bat dashed through
    EXPECT_GE(o.ride_to, 165);         // rode the lift down and over the gap
}

namespace {

// The Great Chasm: its first column, the two islands, the bend of the last rail, the far side.
constexpr int chasm = 215, chasm_island_1 = chasm + 21, chasm_island_2 = chasm + 36,
              chasm_bend = chasm_island_2 + 7, chasm_far_side = chasm_bend + 12;

// The great valley from its start to the edge of the Great Chasm.
Script grande_vallee_to_the_chasm() {
    const int C = chasm;
    Script s = {
        settle("land at the start"),
        walk_to("walk into the cave's shaft, down to the second ledge", right, 55),
        settle("stand on the second ledge"),
        walk_to("walk left off it, down to the third ledge", left, 44),
        walk_to("walk right off it, down into the cave", right, 57),
        settle("land in the cave", right),
        walk_to("walk to the hedgehog's trench", right, 60.3),
        jump_to_ground("jump over the trench", right, 20),
        walk_to("walk to the rail pit", right, 96.3),
        jump_to_ground("jump over the rail pit", right, 20),
        walk_to("walk to the springs' pedestal", right, 115.5),
        jump_to_ground("jump onto the springs, fly up to the meadow", right, 12),
        stop_at("stop before the first pipe", 131.5),
        wait_for("watch the hedgehog walk away", enemy_in(141, 31, 140, 150, 1)),
        jump_to_ground("jump over the pipe", right, 12),
        stop_at("stop behind it", 137),
        wait_for("let the hedgehog come close", enemy_in(141, 31, 0, 138.6, -1)),
        jump_to_ground("jump as it comes and land on it", 0, 10),
        stop_at("walk to the second pipe", 144.5),
        jump_to_ground("jump over it", right, 12),
        stop_at("stop below the first cliff step", 149.5),
        jump_to_ground("held jump onto the first step", right, 12),
        stop_at("stop on the first step", 158.5),
        jump_to_ground("held jump onto the second step", right, 12),
        stop_at("stop on the second step", 167.5),
        jump_to_ground("held jump onto the third step", right, 12),
        stop_at("stop on the third step", 176.5),
        jump_to_ground("held jump onto the heights", right, 12),
        stop_at("stop before the bat", 186),
        wait_for("let the bat come close", enemy_in(193, 52, 0, 190.6)),
        dash("dash through the bat", dash_right),
        stop_at("walk past the door to the edge of the chasm", C - 1.5),
    };
    return s;
}

}  // namespace

TEST(LevelsReplay, GrandeVallee) {
    const int C = chasm, I1 = chasm_island_1, I2 = chasm_island_2, K = chasm_bend,
              F = chasm_far_side;
    Script s = grande_vallee_to_the_chasm();
    Script rest = {
        wait_for("wait for the straight rail's platform", platform_in(C, 50, C, C + 0.3)),
        until("step onto it", right, is_riding),
        until("ride it to the first island", 0, platform_in(C, 50, C + 18.6, C + 20)),
        jump_to_ground("jump onto the island", right, 4),
        stop_at("stop on the island", I1 + 1.5),
        wait_for("wait for the turning rail's platform", platform_in(I1 + 3, 50, 0, 999, 49.8)),
        until("step onto it", right, is_riding),
        until("ride it down, round the corner, under the rock", 0,
              platform_in(I1 + 3, 50, I1 + 12.6, I1 + 14)),
        jump_to_ground("jump onto the second island", right, 4),
        stop_at("stop on the island", I2 + 1.5),
        wait_for("wait for the bent rail's platform", platform_in(I2 + 3, 45, 0, I2 + 3.3, 44.9)),
        until("step onto it", right, is_riding),
        until("ride it along and down the bend", 0, platform_in(I2 + 3, 45, K, K + 1.5, 0)),
        until("ride it on under the rock", 0, platform_in(I2 + 3, 45, K + 9.6, K + 11)),
        jump_to_ground("jump onto the far side", right, 4),
        stop_at("walk to the first pipe", F + 4),
        wait_for("watch the hedgehog walk away", enemy_in(F + 16, 44, F + 12, F + 30, 1)),
        jump_to_ground("jump over the pipe", right, 0),
        until("run after the hedgehog", right, enemy_ahead(F + 16, 44, 3.7)),
        jump_to_ground("jump onto its back", right, 0),
        stop_at("walk to the second pipe", F + 24),
        jump_to_ground("jump over it", right, 0),
        walk_to("walk down the two steps to the meadow", right, 335),
        {"take the feather up to the shelf", right, none, 0, landed_high(51)},
        walk_to("walk off the shelf", right, 355.5),
        settle("land on the meadow", right),
        stop_at("stop before the pipe", 363.5),
        wait_for("watch the hedgehog walk away", enemy_in(376, 31, 374, 390, 1)),
        jump_to_ground("jump over the pipe", right, 12),
        stop_at("stop behind it", 369),
        wait_for("let the hedgehog come close", enemy_in(376, 31, 0, 370.6, -1)),
        jump_to_ground("jump as it comes and land on it", 0, 10),
        stop_at("walk to the last pipe", 383.5),
        jump_to_ground("jump over it", right, 12),
        walk_to("walk into the exit", right, 410),
    };
    s.insert(s.end(), rest.begin(), rest.end());
    Outcome o = expect_completed("3_grande_vallee", s);
    EXPECT_GE(o.enemies_defeated, 4);  // three hedgehogs landed on, a bat dashed through
    EXPECT_LE(o.ride_from, C + 0.5);   // the three rides took Mivo across the whole chasm
    EXPECT_GE(o.ride_to, F - 3);
}

TEST(LevelsReplay, NoLeapCrossesWhereAPlatformMustBeRidden) {
    // The longest leap from the edge (a run, a held jump and a dash at its top) falls into the
    // tutorial's rail pit, and into the Great Chasm. Each leaves while the platform is still at
    // the near end, so that Mivo flies over it rather than onto it.
    const double R = tutorial_rail_pit;
    Script pit = premiers_pas_to_the_rail_pit();
    leap(pit, R - 6, platform_in(int(R), 5, R, R + 0.5, 0, 1), R - 1.2);
    Outcome o = play("1_premiers_pas", pit);
    EXPECT_EQ(o.failure, "the script ended before the exit") << o.trace;
    EXPECT_LT(o.end_y, 5) << "the leap reached the far ledge\n" << o.trace;

    Script gouffre = grande_vallee_to_the_chasm();
    leap(gouffre, chasm - 16, platform_in(chasm, 50, chasm, chasm + 0.5, 0, 1), chasm - 1.2);
    o = play("3_grande_vallee", gouffre);
    EXPECT_EQ(o.failure, "the script ended before the exit") << o.trace;
    EXPECT_LT(o.end_y, 40) << "the leap reached an island\n" << o.trace;
}

TEST(LevelsReplay, Chateau) {
    const int X = 92;  // the lift's shaft
    Script s = {
        settle("land at the start"),
        walk_to("walk through the gate to the crates", right, 37.3),
        jump_to_ground("held jump over the crates", right, 12),
        walk_to("walk to the spikes", right, 47.3),
        jump_to_ground("tap jump over the spikes", right, 0),
        stop_at("walk to the metal block", 68),
        wait_for("watch the hedgehog walk away", enemy_in(82, 4, 77, 99, 1)),
        jump_to_ground("tap jump over the metal block", right, 0),
        until("run after the hedgehog", right, enemy_ahead(82, 4, 3.7)),
        jump_to_ground("jump onto its back", right, 0),
        walk_to("walk to the other metal block", right, 90.3),
        jump_to_ground("tap jump over it", right, 0),
        stop_at("stop under the plank ladder", 100.5),
        jump_to_ground("jump up through the first plank", 0, 12),
        jump_to_ground("jump up through the second plank", 0, 12),
        jump_to_ground("jump up through the ceiling's plank", 0, 12),
        stop_at("walk left to the metal block", 90),
        wait_for("watch the hedgehog walk away", enemy_in(78, 18, 0, 81, -1)),
        jump_to_ground("tap jump over the metal block", left, 0),
        until("run after the hedgehog", left, enemy_behind(78, 18, 5.2)),
        jump_to_ground("jump onto its back", left, 0),
        walk_to("walk to the other metal block", left, 69.7),
        jump_to_ground("tap jump over it", left, 0),
        walk_to("walk into the chimney", left, 13),
        until("stand against its left wall", left, [](const Moment& m) { return m.p.vx == 0; }),
        jump_until("first jump up the chimney", left, 12,
                   [](const Moment& m) { return m.frames >= 8; }),
        jump_until("wall jump off the left wall", Held::left, 8,
                   [](const Moment& m) { return at_right_wall(m, 15); }),
    };
    climb_shaft(s, 12, 3);
    leave_shaft(s, 12);
    Script rest = {
        stop_at("walk to the bat", 52.5),
        wait_for("let the bat come close", enemy_in(60, 33, 0, 57.1)),
        dash("dash through the bat", dash_right),
        stop_at("walk to the lift", 90.5),
        wait_for("wait for the lift's platform to come down",
                 [=](const Moment& m) { return platform(m.s, X, 32).y <= 32.3; }),
        until("walk up against it", right, [](const Moment& m) { return m.p.x >= 90.9; }),
        jump_until("jump up beside it, leaning onto it", right, 0,
                   [](const Moment& m) { return m.frames >= 4; }),
        until("come down on it", 0, is_riding),
        stop_on_platform("stand in the middle of it, under the hole", X, 32, 0),
        until("ride it up through the ceiling", 0, platform_in(X, 32, X, X, 44.9)),
        jump_to_ground("hop off onto the third floor", left, 0),
        stop_at("walk left to the bat", 55),
        wait_for("let the bat come close", enemy_in(48, 47, 50.5, 60, 1)),
        dash("dash through the bat", dash_left),
        walk_to("walk left to the low crates", left, 33.5),
        jump_to_ground("jump onto the low crates", left, 6),
        jump_to_ground("held jump onto the tall crates", left, 12),
        stop_at("stop under the plank", 16),
        jump_to_ground("jump up through the plank", 0, 8),
        jump_to_ground("jump up through the ceiling's plank", 0, 8),
        stop_at("walk right to the metal block", 42),
        wait_for("watch the hedgehog walk away", enemy_in(57, 60, 51, 70, 1)),
        jump_to_ground("tap jump over the metal block", right, 0),
        until("run after the hedgehog", right, enemy_ahead(57, 60, 3.7)),
        jump_to_ground("jump onto its back", right, 0),
        walk_to("walk to the other metal block", right, 68.3),
        jump_to_ground("tap jump over it", right, 0),
        stop_at("walk to the bat", 72.5),
        wait_for("let the bat come close", enemy_in(80, 61, 0, 77.1)),
        dash("dash through the bat", dash_right),
        stop_at("stop under the planks to the roof", 95),
        jump_to_ground("jump up through the first plank", 0, 12),
        jump_to_ground("jump up through the second plank", 0, 12),
        jump_to_ground("jump up through the roof's plank", 0, 12),
        walk_to("walk along the roof into the exit", left, 30),
    };
    s.insert(s.end(), rest.begin(), rest.end());
    Outcome o = expect_completed("4_chateau", s);
    EXPECT_GE(o.enemies_defeated, 6);  // three hedgehogs landed on, three bats dashed through
    EXPECT_GE(o.riding_frames, 200);   // the lift carried Mivo to the third floor
}

namespace {

// Down in front of a door: the veil falls, the player comes out of the partner door and lands.
Step enter_door(std::string what, std::function<bool(const Moment&)> out) {
    return {std::move(what), 0, down, 0,
            [=](const Moment& m) { return m.frames >= 50 && m.p.on_ground && out(m); }};
}

}  // namespace

TEST(LevelsReplay, PortesDuGivre) {
    Script s = {
        settle("land at the start"),
        stop_at("walk to the orange door", 12),
        enter_door("enter it: it leads back to itself",
                   [](const Moment& m) { return m.p.x >= 11.5 && m.p.x <= 12.5; }),
        stop_at("walk to the green door", 22),
        enter_door("enter it, out into the second hall",
                   [](const Moment& m) { return m.p.x >= 32 && m.p.x <= 34; }),
        stop_at("walk to the block of ice", 36),
        wait_for("watch the hedgehog walk away", enemy_in(46, 4, 44, 60, 1)),
        jump_to_ground("tap jump over the block of ice", right, 0),
        until("run after the hedgehog", right, enemy_ahead(46, 4, 3.7)),
        jump_to_ground("jump onto its back", right, 0),
        wait_for(
            "the hedgehog is beaten", [](const Moment& m) { return enemy(m.s, 46, 4) == nullptr; },
            5),
        walk_to("walk to the other block of ice", right, 52.3),
        jump_to_ground("tap jump over it", right, 0),
        stop_at("walk to the yellow door", 57),
        enter_door("enter it, out of the hidden door in the third hall",
                   [](const Moment& m) { return m.p.x >= 62 && m.p.x <= 64; }),
        stop_at("walk to the bat", 72.5),
        wait_for("let the bat come close", enemy_in(80, 5, 0, 77.1)),
        dash("dash through the bat", dash_right),
        walk_to("walk into the exit", right, 110),
    };
    Outcome o = expect_completed("5_portes_du_givre", s);
    // A door clears the enemies, so the count starts again in each hall: the bat dashed through
    // in the last one (the hedgehog of the second hall is checked above).
    EXPECT_GE(o.enemies_defeated, 1);
}

namespace {

constexpr int night_pit = 70;  // the night rail's bottomless pit, and its rail

// The night rail from its start to the edge of the pit.
Script rail_de_nuit_to_the_pit() {
    const int R = night_pit;
    return {
        settle("land at the start"),
        stop_at("walk to the metal block", 18),
        wait_for("watch the hedgehog walk away", enemy_in(36, 6, 27, 60, 1)),
        jump_to_ground("tap jump over the metal block", right, 0),
        until("run after the hedgehog", right, enemy_ahead(36, 6, 3.7)),
        jump_to_ground("jump onto its back", right, 0),
        walk_to("walk to the other metal block", right, 40.3),
        jump_to_ground("tap jump over it", right, 0),
        stop_at("walk to the bat", 52.5),
        wait_for("let the bat come close", enemy_in(60, 7, 0, 57.1)),
        dash("dash through the bat", dash_right),
        stop_at("stop at the edge of the pit", R - 1.5),
    };
}

}  // namespace

TEST(LevelsReplay, RailDeNuit) {
    const int R = night_pit;
    Script s = rail_de_nuit_to_the_pit();
    Script rest = {
        wait_for("wait for the platform", platform_in(R, 5, R, R + 0.3)),
        until("step onto the platform", right, is_riding),
        until("ride it over the pit", 0, platform_in(R, 5, R + 19.5, R + 21)),
        jump_to_ground("jump onto the far ledge", right, 10),
        walk_to("walk into the exit", right, 126),
    };
    s.insert(s.end(), rest.begin(), rest.end());
    Outcome o = expect_completed("6_rail_de_nuit", s);
    EXPECT_GE(o.enemies_defeated, 2);  // a hedgehog landed on, a bat dashed through
    EXPECT_LE(o.ride_from, R + 1);     // rode from the near side of the pit
    EXPECT_GE(o.ride_to, R + 19);      // to its far side
}

TEST(LevelsReplay, NoLeapCrossesTheNightPit) {
    // The longest leap from the edge falls into the night rail's pit: only the platform crosses.
    const double R = night_pit;
    Script s = rail_de_nuit_to_the_pit();
    leap(s, R - 6, platform_in(int(R), 5, R, R + 0.5, 0, 1), R - 1.2);
    Outcome o = play("6_rail_de_nuit", s);
    EXPECT_TRUE(o.failure == "the script ended before the exit" ||
                o.failure == "died during \"fall\"")
        << o.failure << "\n"
        << o.trace;
    EXPECT_TRUE(o.deaths > 0 || o.end_y < 5) << "the leap reached the far ledge\n" << o.trace;
}
