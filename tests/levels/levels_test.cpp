// Our levels: every folder is a well-formed level, and each one can be played from its start
// to its exit with the keyboard alone, without dying. The scripts below replay a run through
// the real session, key by key.
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

using namespace replay;

namespace {

bool on_ground_after_flight(const Moment& m) { return m.p.on_ground && m.p.vy == 0; }
// Landed on a floor at or above the given height.
std::function<bool(const Moment&)> landed_high(double y) {
    return [=](const Moment& m) { return m.p.on_ground && m.p.vy == 0 && m.p.y >= y; };
}
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

void expect_completed(const std::string& level, const Script& script) {
    Outcome o = play(level, script);
    EXPECT_TRUE(o.reached_exit) << level << ": " << o.failure << "\n" << o.trace;
    EXPECT_EQ(o.deaths, 0) << level;
    EXPECT_GT(o.time_left, 0) << level;
    if (o.reached_exit) {
        std::printf("%s: exit reached after %d frames, %d items, time left %d\n", level.c_str(),
                    o.frames, o.items, o.time_left);
    }
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

    // Doors come in pairs, and the player can stand in front of each one's middle cell.
    std::map<int, int> channels;
    for (const std::string& line : lines_of(read_file(folder + "/portals.lvl"))) {
        std::vector<std::string> d = bracket_fields(line);
        ASSERT_EQ(d.size(), 3u) << line;
        int x = std::atoi(d[0].c_str()), y = std::atoi(d[1].c_str());
        ++channels[std::atoi(d[2].c_str())];
        EXPECT_TRUE(floor_solid(grid_get(y - 1, x + 1, f.play))) << "no floor under " << line;
        EXPECT_TRUE(side_free(grid_get(y, x + 1, f.play)) &&
                    side_free(grid_get(y + 1, x + 1, f.play)))
            << "a block in front of " << line;
    }
    for (auto [channel, count] : channels) EXPECT_EQ(count, 2) << "channel " << channel;

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
    EXPECT_EQ(folders.size(), 4u);
    folders.push_back(source_dir() + "/templates/blank");
    for (const std::string& folder : folders) check_level(folder);
    EXPECT_EQ(config_value(read_file(source_dir() + "/templates/blank/config.ini"), "titre"),
              "Nouveau niveau");
}

TEST(LevelsFiles, TheGreatValleyIsLarge) {
    LevelFiles f = read_level(source_dir() + "/levels/3_grande_vallee");
    EXPECT_GE(f.width, 300);
    EXPECT_GE(f.height, 60);
}

TEST(LevelsFiles, GridFilesAreWrittenAsTheGameWritesThem) {
    // A level saved from the editor must come out unchanged when nobody touched it.
    for (const std::string& folder : our_levels()) {
        SCOPED_TRACE(folder);
        LevelFiles f = read_level(folder);
        EXPECT_EQ(grid_to_text(f.play), read_file(folder + "/0.lvl"));
        EXPECT_EQ(grid_to_text(f.decor), read_file(folder + "/1.lvl"));
    }
}

TEST(LevelsReplay, PremiersPas) {
    const double T = 255, R = 283;  // the dash tunnel, the rail pit
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
        walk_to("walk down from the hill", right, 105),
        settle("land in the lowland", right),
        walk_to("walk to the walker's trough", right, 108.3),
        jump_to_ground("jump over the walker's trough", right, 20),
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
        walk_to("walk down the one-way steps", right, 192),
        walk_to("spring over the tower", right, 205),
        settle("land behind the tower", right),
        walk_to("walk to the dash tunnel", right, T - 6),
        jump_to_ground("jump over the well", right, 0),
        stop_at("stop at the edge of the pit in the tunnel", T + 8.8),
        dash("dash across the pit", dash_right),
        settle("land on the far side"),
        walk_to("walk to the step", right, T + 26.5),
        jump_to_ground("tap up the step", right, 0),
        walk_to("walk to the rail pit", right, R + 12.5),
        jump_to_ground("jump over the rail pit", right, 20),
        walk_to("walk into the exit", right, 350),
    };
    s.insert(s.end(), rest.begin(), rest.end());
    expect_completed("1_premiers_pas", s);
}

TEST(LevelsReplay, Glacier) {
    Script s = {
        settle("land at the start"),
        walk_to("walk to the walker's hollow", right, 22.3),
        jump_to_ground("jump over the hollow", right, 20),
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
        walk_to("walk under the flyer to the chasm", right, 88.5),
        settle("drop onto the first plank", right),
        stop_at("stop on the first plank", 92),
        jump_to_ground("jump up to the second plank", right, 20),
        stop_at("stop on the second plank", 101.5),
        jump_to_ground("jump down to the third plank", right, 20),
        stop_at("stop on the third plank", 111),
        jump_to_ground("jump to the far ledge", right, 20),
        walk_to("walk to the rail pit", right, 133.5),
        jump_to_ground("jump over the rail pit", right, 20),
        walk_to("walk to the walker's hollow", right, 148.3),
        jump_to_ground("jump over the hollow", right, 20),
        walk_to("walk off the glacier", right, 171),
        settle("land in the valley", right),
        walk_to("spring over the ice wall into the exit", right, 205),
    };
    s.insert(s.end(), rest.begin(), rest.end());
    expect_completed("2_glacier", s);
}

TEST(LevelsReplay, GrandeVallee) {
    Script s = {
        settle("land at the start"),
        walk_to("walk into the cave's shaft, down to the second ledge", right, 55),
        settle("stand on the second ledge"),
        walk_to("walk left off it, down to the third ledge", left, 44),
        walk_to("walk right off it, down into the cave", right, 57),
        settle("land in the cave", right),
        walk_to("walk to the walker's hollow", right, 60.3),
        jump_to_ground("jump over the hollow", right, 20),
        walk_to("walk to the rail pit", right, 96.3),
        jump_to_ground("jump over the rail pit", right, 20),
        walk_to("walk to the springs' pedestal", right, 115.5),
        jump_to_ground("jump onto the springs, fly up to the meadow", right, 12),
        walk_to("walk to the walker's hollow", right, 136.3),
        jump_to_ground("jump over the hollow", right, 20),
        stop_at("stop below the first cliff step", 149.5),
        jump_to_ground("held jump onto the first step", right, 12),
        stop_at("stop on the first step", 158.5),
        jump_to_ground("held jump onto the second step", right, 12),
        stop_at("stop on the second step", 167.5),
        jump_to_ground("held jump onto the third step", right, 12),
        stop_at("stop on the third step", 176.5),
        jump_to_ground("held jump onto the heights", right, 12),
        walk_to("walk under the flyer to the rail gap", right, 213.3),
        jump_to_ground("jump over the rail gap", right, 20),
        walk_to("walk past the door to the walker's hollow", right, 278.3),
        jump_to_ground("jump over the hollow", right, 20),
        walk_to("walk down the three steps to the meadow", right, 330),
        walk_to("walk to the last walker's hollow", right, 356.3),
        jump_to_ground("jump over the hollow", right, 20),
        walk_to("walk into the exit", right, 410),
    };
    expect_completed("3_grande_vallee", s);
}

TEST(LevelsReplay, Chateau) {
    Script s = {
        settle("land at the start"),
        walk_to("walk through the gate to the crates", right, 37.3),
        jump_to_ground("held jump over the crates", right, 12),
        walk_to("walk to the spikes", right, 47.3),
        jump_to_ground("tap jump over the spikes", right, 0),
        stop_at("stop under the plank ladder", 100.5),
        jump_to_ground("jump up through the first plank", 0, 12),
        jump_to_ground("jump up through the second plank", 0, 12),
        jump_to_ground("jump up through the ceiling's plank", 0, 12),
        walk_to("walk left to the walker's hollow", left, 68.7),
        jump_to_ground("jump over the hollow", left, 20),
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
        walk_to("walk to the rail gap", right, 47.3),
        jump_to_ground("jump over the rail gap", right, 20),
        walk_to("walk under the flyer to the spring", right, 99.5),
        {"spring up through the ceiling, drifting left", Held::left, none, 0, landed_high(46)},
        walk_to("walk left to the low crates", left, 33.5),
        jump_to_ground("jump onto the low crates", left, 6),
        jump_to_ground("held jump onto the tall crates", left, 12),
        stop_at("stop under the plank", 16),
        jump_to_ground("jump up through the plank", 0, 8),
        jump_to_ground("jump up through the ceiling's plank", 0, 8),
        walk_to("walk right to the walker's hollow", right, 48.3),
        jump_to_ground("jump over the hollow", right, 20),
        stop_at("stop under the planks to the roof", 95),
        jump_to_ground("jump up through the first plank", 0, 12),
        jump_to_ground("jump up through the second plank", 0, 12),
        jump_to_ground("jump up through the roof's plank", 0, 12),
        walk_to("walk along the roof into the exit", left, 30),
    };
    s.insert(s.end(), rest.begin(), rest.end());
    expect_completed("4_chateau", s);
}
