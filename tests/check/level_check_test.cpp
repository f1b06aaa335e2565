// The level checker against small levels with one fault each, and against every level we ship.
#include "check/level_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "levelend/doors.h"
#include "support/harness.h"

namespace {
// A 60 × 8 level the checker finds ready: a floor on row 0, the start at column 2 of row 1, the
// exit marker at column 5 of row 0 (its portal pulls the player to columns 9 and 10, rows 4
// and 5, which are free).
struct SmallLevel {
    std::string play = "\n\n\n\n\n\n\n[a60]\n";
    std::string decor = "\n\n\n\n\n\n  A\n     B\n";
    std::string config = "titre=Petit\ncreateur=Test\nfond=1\nmusique=prairie.ogg\ntheme=base\n";
    std::string doors, characters;
    bool has_decor = true;
};

std::string resources() { return source_dir() + "/ressources"; }

LevelReport check_written(const SmallLevel& l, const std::string& folder) {
    write_file(folder + "/0.lvl", l.play);
    if (l.has_decor) write_file(folder + "/1.lvl", l.decor);
    write_file(folder + "/config.ini", l.config);
    if (!l.doors.empty()) write_file(folder + "/portals.lvl", l.doors);
    if (!l.characters.empty()) write_file(folder + "/caracters.lvl", l.characters);
    return check_level(folder, resources());
}

std::string row_of(int width, int column, char code, char rest = ' ') {
    std::string row(width, rest);
    row[column] = code;
    return row;
}

struct Fault {
    const char* what;
    FindingKind kind;
    int column, row;  // of the first finding; −1 for none
    std::function<void(SmallLevel&)> make;
    std::string name = "small";
};
}  // namespace

TEST(LevelCheck, EachFaultIsFoundAloneAtItsCell) {
    TempDir dir;
    ASSERT_TRUE(check_written(SmallLevel{}, dir.path + "/clean").ready())
        << report_text(check_level(dir.path + "/clean", resources()));

    const std::string rails51 = "\n" + std::string(51, '.') + "\n\n\n\n\n  A\n     B\n";
    const Fault faults[] = {
        {"no decor layer", FindingKind::file_missing, -1, -1,
         [](SmallLevel& l) { l.has_decor = false; }},
        {"a folder name past the paths' limit", FindingKind::name_too_long, -1, -1,
         [](SmallLevel&) {}, std::string(42, 'n')},
        {"an empty play layer", FindingKind::empty_level, -1, -1,
         [](SmallLevel& l) { l.play = "\n"; }},
        {"a row of 1000 cells", FindingKind::row_too_long, -1, -1,
         [](SmallLevel& l) { l.play = "[ 1000]\n" + l.play; }},
        {"101 lines", FindingKind::too_many_rows, -1, -1,
         [](SmallLevel& l) { l.play = std::string(92, '\n') + l.play + "a\n"; }},
        {"decor below the play layer", FindingKind::decor_cut, -1, -1,
         [](SmallLevel& l) { l.decor += "a\n"; }},
        {"no start", FindingKind::no_start, -1, -1,
         [](SmallLevel& l) { l.decor = "\n\n\n\n\n\n\n     B\n"; }},
        {"no exit", FindingKind::no_exit, -1, -1,
         [](SmallLevel& l) { l.decor = "\n\n\n\n\n\n  A\n"; }},
        {"two starts", FindingKind::extra_start, 30, 3,
         [](SmallLevel& l) { l.decor = "\n\n\n\n" + row_of(31, 30, 'A') + "\n\n  A\n     B\n"; }},
        {"two exits", FindingKind::extra_exit, 5, 0,
         [](SmallLevel& l) { l.decor = "\n\n\n\n\n\n  A\n     B" + row_of(35, 34, 'B') + "\n"; }},
        {"a start under a background block", FindingKind::marker_ignored, 30, 3,
         [](SmallLevel& l) {
             l.decor =
                 "\n\n\n" + row_of(31, 30, 'a') + "\n" + row_of(31, 30, 'A') + "\n\n  A\n     B\n";
         }},
        {"a start inside the floor", FindingKind::start_in_block, 2, 0,
         [](SmallLevel& l) { l.decor = "\n\n\n\n\n\n\n  A  B\n"; }},
        {"a block in the portal", FindingKind::exit_in_block, 5, 0,
         [](SmallLevel& l) { l.play = "\n\n\n" + row_of(11, 10, 'i') + "\n\n\n\n[a60]\n"; }},
        {"an unknown play code", FindingKind::error_code, 7, 1,
         [](SmallLevel& l) { l.play = "\n\n\n\n\n\n" + row_of(8, 7, '#') + "\n[a60]\n"; }},
        {"an unknown decor code", FindingKind::error_code, 50, 6,
         [](SmallLevel& l) { l.decor = "\n" + row_of(51, 50, 'Z') + "\n\n\n\n\n  A\n     B\n"; }},
        {"enemy 3", FindingKind::spawn_nothing, 20, 1,
         [](SmallLevel& l) { l.play = "\n\n\n\n\n\n" + row_of(21, 20, '3') + "\n[a60]\n"; }},
        {"51 blocks on one rail", FindingKind::extra_platform, 50, 6,
         [&](SmallLevel& l) {
             l.play = "\n" + std::string(51, 'a') + "\n\n\n\n\n\n[a60]\n";
             l.decor = rails51;
         }},
        {"a rail alone", FindingKind::rail_alone, 40, 5,
         [](SmallLevel& l) { l.decor = "\n\n" + row_of(41, 40, '.') + "\n\n\n\n  A\n     B\n"; }},
        {"a door alone", FindingKind::door_no_partner, 20, 1,
         [](SmallLevel& l) { l.doors = "[20|1|3]\n"; }},
        {"a door past the right edge (the first one just fits)", FindingKind::door_outside, 58, 1,
         [](SmallLevel& l) { l.doors = "[57|1|1]\n[58|1|1]\n"; }},
        {"a block where a door is arrived at", FindingKind::door_arrival_blocked, 31, 2,
         [](SmallLevel& l) {
             l.doors = "[20|1|1]\n[30|1|1]\n";
             l.play = "\n\n\n\n\n" + row_of(32, 31, 'k') + "\n\n[a60]\n";
         }},
        {"a five-digit number", FindingKind::entry_cut, 1000, 1,
         [](SmallLevel& l) { l.characters = "[10000|1|1|1|0|pnj/sage.png|Salut]\n"; }},
        {"a CR LF door file", FindingKind::entry_cut, 20, 1,
         [](SmallLevel& l) { l.doors = "[20|1|1]\r\n[30|1|1]\r\n"; }},
        {"a picture that is not there", FindingKind::picture_missing, 10, 1,
         [](SmallLevel& l) { l.characters = "[10|1|1|1|0|pnj/personne.png|Salut]\n"; }},
        {"a bubble line of 100 characters", FindingKind::bubble_too_big, 10, 1,
         [](SmallLevel& l) {
             l.characters = "[10|1|1|1|0|pnj/sage.png|Salut&" + std::string(100, 'o') + "]\n";
         }},
        {"an unknown theme", FindingKind::theme_missing, -1, -1,
         [](SmallLevel& l) { l.config = "titre=T\nfond=1\nmusique=prairie.ogg\ntheme=lune\n"; }},
        {"an unknown background", FindingKind::background_missing, -1, -1,
         [](SmallLevel& l) { l.config = "titre=T\nfond=9\nmusique=prairie.ogg\ntheme=base\n"; }},
        {"an unknown music", FindingKind::music_missing, -1, -1,
         [](SmallLevel& l) { l.config = "titre=T\nfond=1\nmusique=opera.ogg\ntheme=base\n"; }},
        {"a title longer than a line holds", FindingKind::config_cut, -1, -1,
         [](SmallLevel& l) {
             l.config =
                 "titre=" + std::string(40, 't') + "\nfond=1\nmusique=prairie.ogg\ntheme=base\n";
         }},
    };
    int n = 0;
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.what);
        SmallLevel level;
        f.make(level);
        std::string folder = dir.path + "/" + std::to_string(n++) + "/" + f.name;
        LevelReport r = check_written(level, folder);
        std::set<FindingKind> kinds;
        for (const Finding& found : r.findings) kinds.insert(found.kind);
        ASSERT_EQ(kinds, std::set<FindingKind>{f.kind}) << report_text(r);
        EXPECT_EQ(r.findings[0].column, f.column) << report_text(r);
        EXPECT_EQ(r.findings[0].row, f.row) << report_text(r);
    }
}

// The game passes over blank lines of portals.lvl, so the checker pairs each door with the line
// it really comes from: a number cut on the line after a blank one is found and named by its
// line, and fifty doors with blank lines between them are all read.
TEST(LevelCheck, DoorLinesAreTheLinesTheGameReads) {
    TempDir dir;
    SmallLevel level;
    level.doors = "[20|1|0]\n\n[30|1|00000]\n";
    LevelReport r = check_written(level, dir.path + "/blank");
    ASSERT_EQ(r.findings.size(), 1u) << report_text(r);
    EXPECT_EQ(r.findings[0].kind, FindingKind::entry_cut);
    EXPECT_EQ(r.findings[0].column, 30);
    EXPECT_EQ(r.findings[0].words.rfind("line 3:", 0), 0u) << r.findings[0].words;

    level.doors.clear();
    for (int i = 0; i < max_doors; ++i) level.doors += "[20|1|1]\n \r\n";
    r = check_written(level, dir.path + "/fifty");
    EXPECT_TRUE(r.ready()) << report_text(r);
}

// A folder in place of a level file, and a level whose every cell is wrong: the report says so
// in a bounded number of findings.
TEST(LevelCheck, BadFilesAndFloodsOfFaults) {
    TempDir dir;
    SmallLevel level;
    LevelReport r = check_written(level, dir.path + "/folder");
    ASSERT_TRUE(r.ready());
    std::filesystem::remove(dir.path + "/folder/0.lvl");
    std::filesystem::create_directory(dir.path + "/folder/0.lvl");
    r = check_level(dir.path + "/folder", resources());
    ASSERT_EQ(r.findings.size(), 1u) << report_text(r);
    EXPECT_EQ(r.findings[0].kind, FindingKind::file_missing);

    level.play = "[#999]\n[#999]\n\n\n\n\n\n[a60]\n";
    r = check_written(level, dir.path + "/flood");
    EXPECT_EQ(r.findings.size(), static_cast<size_t>(max_findings_of_a_kind) + 1);
    EXPECT_FALSE(r.findings.back().has_cell());
}

TEST(LevelCheck, EveryShippedLevelAndTheTemplateIsReady) {
    std::vector<std::string> folders{source_dir() + "/templates/blank"};
    for (const auto& e : std::filesystem::directory_iterator(source_dir() + "/levels"))
        folders.push_back(e.path().string());
    ASSERT_GE(folders.size(), 7u);
    // The game measures a picture's path from its resource folder's own name: resources found
    // deep in a long path (an installed game, a build machine's checkout) are as ready.
    TempDir dir;
    std::string deep = dir.path + "/a/rather/long/way/down/to/the/resources/of/the/game";
    std::filesystem::create_directories(deep);
    std::filesystem::create_directory_symlink(resources(), deep + "/ressources");
    for (const std::string& f : folders) {
        LevelReport r = check_level(f, deep + "/ressources");
        EXPECT_TRUE(r.ready()) << report_text(r);
        EXPECT_GT(r.layers.width, 0) << f;
    }
}
