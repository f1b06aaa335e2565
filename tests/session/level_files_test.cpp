// Grid files: the run-length format, sizes, markers, and saving without losing the level.
#include "session/level_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "app/replace_files.h"

#include "support/harness.h"

namespace {
std::string row_of(const Grid& layer, int array_row) {
    return std::string(layer.begin() + array_row * grid_width,
                       layer.begin() + (array_row + 1) * grid_width);
}

void write_level(const std::string& name, const std::string& play, const std::string& decor) {
    write_file("levels/" + name + "/0.lvl", play);
    write_file("levels/" + name + "/1.lvl", decor);
    write_file("levels/" + name + "/config.ini", "titre=T\ntheme=base\n");
}
}  // namespace

TEST(LevelFiles, RunTokensExpandAndBadCountsProduceNothing) {
    Grid g = parse_grid_text("[a5]b\n", true);
    EXPECT_EQ(grid_width, 6);
    EXPECT_EQ(row_of(g, 0), "aaaaab");
    EXPECT_EQ(grid_to_text(g), "[a5]b\n");

    g = parse_grid_text("[x0]y\n", true);
    EXPECT_EQ(row_of(g, 0), "y");
    g = parse_grid_text("[xq]y[x-3]z\n", true);
    EXPECT_EQ(row_of(g, 0), "yz");
    g = parse_grid_text("[ 25]H\n", true);
    EXPECT_EQ(grid_width, 26);
    EXPECT_EQ(row_of(g, 0), std::string(25, ' ') + "H");
    // The count is read from at most six digits; the token ends at its ']'.
    g = parse_grid_text("[c1234567]d\n", true);
    EXPECT_EQ(grid_width, 999);
    EXPECT_EQ(row_of(g, 0), std::string(999, 'c'));
}

TEST(LevelFiles, SizeComesFromThePlayLayerAndRowsArePadded) {
    std::string text = std::string(12, 'a') + "\n[b40]\n" + std::string(7, 'c') + "\n";
    Grid g = parse_grid_text(text, true);
    EXPECT_EQ(grid_width, 40);
    EXPECT_EQ(grid_height, 3);
    EXPECT_EQ(row_of(g, 0), std::string(12, 'a') + std::string(28, ' '));
    EXPECT_EQ(row_of(g, 2), std::string(7, 'c') + std::string(33, ' '));
    // Rows are counted from the lowest: the last line is row 0.
    EXPECT_EQ(grid_get(0, 0, g), 'c');
    EXPECT_EQ(grid_get(2, 11, g), 'a');

    // The decor layer takes that size: longer and extra lines are cut, short ones padded.
    Grid decor = parse_grid_text(std::string(50, 'X') + "\nY\n", false);
    EXPECT_EQ(decor.size(), 120u);
    EXPECT_EQ(row_of(decor, 0), std::string(40, 'X'));
    EXPECT_EQ(row_of(decor, 1), "Y" + std::string(39, ' '));
    EXPECT_EQ(row_of(decor, 2), std::string(40, ' '));
    Grid tall = parse_grid_text("1\n2\n3\n4\n5\n", false);
    EXPECT_EQ(tall.size(), 120u);
    EXPECT_EQ(tall[80], '3');

    // An empty line is a row of blanks; CR LF reads like LF.
    Grid crlf = parse_grid_text("ab\r\n\r\n[c3]\r\n", true);
    Grid lf = parse_grid_text("ab\n\n[c3]\n", true);
    EXPECT_EQ(grid_height, 3);
    EXPECT_EQ(crlf, lf);
}

TEST(LevelFiles, WriterKeepsTheLastCellOfARowSingle) {
    grid_width = 10;
    grid_height = 1;
    EXPECT_EQ(grid_to_text(Grid(10, ' ')), "[ 9] \n");
    grid_width = 4;
    EXPECT_EQ(grid_to_text(Grid{'a', 'a', 'a', 'b'}), "aaab\n");
    grid_width = 6;
    EXPECT_EQ(grid_to_text(Grid{'a', 'a', 'a', 'a', 'a', 'b'}), "[a5]b\n");
    grid_width = 5;
    EXPECT_EQ(grid_to_text(Grid{'a', 'a', 'a', 'a', 'a'}), "[a4]a\n");
}

TEST(LevelFiles, AnyLayerReadsBackIdentical) {
    // A full-size layer of every cell the reader can give ('[' and ']' first, so the rows of
    // runs are mostly brackets): rows without runs (999 characters and a line end), rows of
    // long runs, rows of runs ending in a different cell.
    grid_width = max_grid_width;
    grid_height = max_grid_height;
    Grid layer(static_cast<size_t>(grid_width) * grid_height);
    std::string codes = "[]a";
    for (int c = 1; c < 256; ++c) {
        if (c != '\n' && c != '\r' && c != '[' && c != ']' && c != 'a')
            codes += static_cast<char>(c);
    }
    unsigned seed = 7;
    for (int r = 0; r < grid_height; ++r) {
        for (int c = 0; c < grid_width; ++c) {
            seed = seed * 1103515245u + 12345u;
            char cell = r % 3 == 0 ? codes[(r * 7 + c) % codes.size()]
                                   : codes[(seed >> 16) % (r % 3 == 1 ? 3 : codes.size())];
            layer[static_cast<size_t>(r) * grid_width + c] = cell;
        }
    }
    std::string text = grid_to_text(layer);
    Grid back = parse_grid_text(text, true);
    EXPECT_EQ(grid_width, max_grid_width);
    EXPECT_EQ(grid_height, max_grid_height);
    EXPECT_EQ(back, layer);
    EXPECT_EQ(grid_to_text(back), text);

    // A '[' cell read from a run token is written back as one: "x[[3]y" stays five cells.
    Grid brackets = parse_grid_text("x[[3]y\n", true);
    EXPECT_EQ(grid_to_text(brackets), "x[[3]y\n");
    EXPECT_EQ(parse_grid_text(grid_to_text(brackets), true), brackets);
}

TEST(LevelFiles, RowsAndLinesBeyondTheLimitsAreCut) {
    std::string text;
    for (int i = 0; i < 120; ++i) text += std::string(1200, 'a' + i % 19) + "\n";
    Grid g = parse_grid_text(text, true);
    EXPECT_EQ(grid_width, max_grid_width);
    EXPECT_EQ(grid_height, max_grid_height);
    EXPECT_EQ(g.size(), static_cast<size_t>(max_grid_width * max_grid_height));
    EXPECT_EQ(row_of(g, 1), std::string(999, 'b'));
}

TEST(LevelFiles, MarkersTakeTheLastFreeOneInReadingOrder) {
    grid_width = 5;
    grid_height = 3;
    World w;
    // Array rows, top first: an 'A' under a solid decor block is not a start.
    Grid decor = parse_grid_text("aA  B\nA   A\n  B  \n", false);
    find_markers(decor, w);
    EXPECT_EQ(w.start_x, 4);  // the later of the two free 'A' on the middle row
    EXPECT_EQ(w.start_y, 1);
    EXPECT_EQ(w.exit_x, 2);  // the lowest 'B' comes last
    EXPECT_EQ(w.exit_y, 0);

    World none;
    none.start_x = 3;  // kept when no marker qualifies
    find_markers(parse_grid_text("h\nA\n", false), none);
    EXPECT_EQ(none.start_x, 0);  // 'h' is not side-solid, so this 'A' counts
    World blocked;
    blocked.start_x = 3;
    find_markers(parse_grid_text("b\nA\n", false), blocked);
    EXPECT_EQ(blocked.start_x, 3);
}

TEST(LevelFiles, LoadReadsBothLayersAndDescription) {
    Sandbox sandbox;
    write_level("one", "[a10]\nb\n", "\nA\n");
    write_file("levels/one/config.ini",
               "titre=Premier\ncreateur=Nous\nfond=1\nmusique=prairie.ogg\ntheme=neige\n");
    World w;
    ASSERT_TRUE(load_level(w, "one"));
    EXPECT_EQ(grid_width, 10);
    EXPECT_EQ(grid_height, 2);
    EXPECT_EQ(grid_get(1, 9, w.play_grid), 'a');
    EXPECT_EQ(grid_get(0, 0, w.play_grid), 'b');
    EXPECT_EQ(w.start_y, 0);
    LevelInfo info;
    read_level_info(info, "one");
    EXPECT_EQ(info.name, "one");
    EXPECT_EQ(info.titre, "Premier");
    EXPECT_EQ(info.createur, "Nous");
    EXPECT_EQ(info.fond, "1");
    EXPECT_EQ(info.musique, "prairie.ogg");
    EXPECT_EQ(info.theme, "neige");

    // A level whose decor file is missing does not load, and what was loaded stays.
    write_file("levels/two/0.lvl", "ccc\n");
    EXPECT_FALSE(load_level(w, "two"));
    EXPECT_EQ(grid_width, 10);
    EXPECT_EQ(grid_get(0, 0, w.play_grid), 'b');
}

TEST(LevelFiles, SaveWritesExactlyTheLayersAndReportsFailures) {
    Sandbox sandbox;
    write_level("lvl", "[a6]\n", "[ 6]\n");
    World w;
    ASSERT_TRUE(load_level(w, "lvl"));
    grid_set(0, 2, w.authored_play, 'H');
    grid_set(0, 3, w.play_grid, ' ');  // taken by play: the authored layer is what is saved
    grid_set(0, 5, w.decor_grid, 'B');
    testing::internal::CaptureStdout();
    EXPECT_TRUE(save_level(w, "lvl"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "saved\n");
    EXPECT_EQ(read_file("levels/lvl/0.lvl"), "aaHaaa\n");
    EXPECT_EQ(read_file("levels/lvl/1.lvl"), "[ 5]B\n");
    EXPECT_EQ(w.exit_x, 5);
    EXPECT_FALSE(file_exists("levels/lvl/0.lvl.tmp"));

    // A file that cannot be written: no "saved", a line naming it, the old file intact.
    write_file("levels/lvl/1.lvl.tmp/blocker", "");  // the temporary name is taken by a folder
    grid_set(0, 0, w.authored_play, 'z');
    testing::internal::CaptureStdout();
    EXPECT_FALSE(save_level(w, "lvl"));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find("saved\n"), std::string::npos);
    EXPECT_NE(out.find("levels/lvl/1.lvl"), std::string::npos);
    EXPECT_EQ(read_file("levels/lvl/1.lvl"), "[ 5]B\n");
    // Both or neither: the play layer written first is not renamed over the old one either.
    EXPECT_EQ(read_file("levels/lvl/0.lvl"), "aaHaaa\n");
    EXPECT_FALSE(file_exists("levels/lvl/0.lvl.tmp"));

    testing::internal::CaptureStdout();
    EXPECT_FALSE(save_level(w, "no-such-level"));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("could not save"), std::string::npos);
}

TEST(LevelFiles, EmptyFoldersAndMismatchedLayersAreNoLevel) {
    Sandbox sandbox;
    write_level("good", "[a6]\n", "[ 6]\n");
    World w;
    ASSERT_TRUE(load_level(w, "good"));
    // An empty play layer, or a folder where the file should be, reads as no level at all.
    write_level("empty", "", "[ 6]\n");
    write_file("levels/folder/0.lvl/inside", "");
    write_file("levels/folder/1.lvl", "\n");
    for (const char* name : {"empty", "folder"}) {
        testing::internal::CaptureStdout();
        EXPECT_FALSE(load_level(w, name));
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(out.find(std::string("levels/") + name + "/0.lvl"), std::string::npos) << out;
        EXPECT_EQ(grid_width, 6);
        EXPECT_EQ(grid_height, 1);
        EXPECT_EQ(grid_get(0, 0, w.play_grid), 'a');
    }

    // A layer that is not the grid's size is never written (it would be read past its end).
    Grid small(3, 'a');
    EXPECT_EQ(grid_to_text(small), "");
    EXPECT_FALSE(write_grid_file(small, "0.lvl", "good"));
    EXPECT_EQ(read_file("levels/good/0.lvl"), "[a6]\n");
    World unread;  // layers never read from a level are not saved over it
    unread.play_grid = Grid(6, 'b');
    unread.decor_grid = Grid(6, ' ');
    testing::internal::CaptureStdout();
    EXPECT_FALSE(save_level(unread, "good"));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("nothing to save yet"),
              std::string::npos);
    EXPECT_EQ(read_file("levels/good/0.lvl"), "[a6]\n");
}

TEST(LevelFiles, ReadingSaysWhatTheLimitsCut) {
    Sandbox sandbox;
    std::string text;
    for (int i = 0; i < 103; ++i) text += i == 4 ? "[a1200]\n" : "a\n";
    write_level("big", text, "\n");
    World w;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(load_level(w, "big"));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("levels/big/0.lvl: 1 row(s) longer than 999 cells"), std::string::npos)
        << out;
    EXPECT_NE(out.find("levels/big/0.lvl: 3 line(s) past the 100th"), std::string::npos) << out;
    testing::internal::CaptureStdout();
    write_level("small", "a\n", "\n");
    ASSERT_TRUE(load_level(w, "small"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(LevelFiles, DecorOutsideThePlayLayerIsNamedAndNotSavedOverUnasked) {
    Sandbox sandbox;
    write_level("wide", "[a6]\n", "[ 5]CDE\nF\n[ 5] \n");  // wider, and a row below with a cell
    World w;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(load_level(w, "wide"));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("levels/wide/1.lvl: 1 row(s) below the play layer's 1 were left out"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("levels/wide/1.lvl: 1 row(s) wider than the play layer's 6 cells"),
              std::string::npos)
        << out;
    // The first U says what it would drop and keeps the files; the second one saves.
    std::string said;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(save_level(w, "wide", &said));
    testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("not saved"), std::string::npos) << said;
    EXPECT_EQ(read_file("levels/wide/1.lvl"), "[ 5]CDE\nF\n[ 5] \n");
    testing::internal::CaptureStdout();
    EXPECT_TRUE(save_level(w, "wide"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "saved\n");
    EXPECT_EQ(read_file("levels/wide/1.lvl"), "[ 5]C\n");
}

// A save stopped dead at any of its steps (a kill, a power cut) leaves, once the level is read
// again, either the old pair or the new one, and no temporary or journal in the folder.
TEST(LevelFiles, ASaveStoppedAtAnyStepLeavesOneWholePairOnceReadAgain) {
    Sandbox sandbox;
    const std::string old0 = "[a5]a\n", old1 = "[ 5] \n";
    int stop = 0;
    for (;; ++stop) {
        write_level("lvl", old0, old1);
        World w;
        ASSERT_TRUE(load_level(w, "lvl"));
        grid_set(0, 1, w.authored_play, 'H');
        grid_set(0, 4, w.decor_grid, 'B');
        const std::string new0 = grid_to_text(w.authored_play), new1 = grid_to_text(w.decor_grid);
        bool stopped = false;
        set_replace_stop([&](int step) { return stopped = stopped || step == stop; });
        testing::internal::CaptureStdout();
        bool saved = save_level(w, "lvl");
        set_replace_stop(nullptr);
        World again;
        ASSERT_TRUE(load_level(again, "lvl"));
        std::string out = testing::internal::GetCapturedStdout();
        std::string on_disk0 = read_file("levels/lvl/0.lvl"),
                    on_disk1 = read_file("levels/lvl/1.lvl");
        bool old_pair = on_disk0 == old0 && on_disk1 == old1;
        bool new_pair = on_disk0 == new0 && on_disk1 == new1;
        EXPECT_TRUE(old_pair || new_pair) << "stopped at step " << stop << "\n" << out;
        std::vector<std::string> left;
        for (const auto& e : std::filesystem::directory_iterator("levels/lvl"))
            left.push_back(e.path().filename().string());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::string>{"0.lvl", "1.lvl", "config.ini"})) << stop;
        if (!stopped) {
            EXPECT_TRUE(saved);
            EXPECT_TRUE(new_pair);
            break;
        }
    }
    EXPECT_GE(stop, 6);  // every temporary, the journal, each rename and the journal's end
}

// When the second file cannot be replaced after the first one was, the first is put back: the
// message that the level on disk is unchanged is true.
TEST(LevelFiles, AFailedSecondRenamePutsTheFirstFileBack) {
    Sandbox sandbox;
    write_level("lvl", "[a5]a\n", "[ 5] \n");
    World w;
    ASSERT_TRUE(load_level(w, "lvl"));
    grid_set(0, 1, w.authored_play, 'H');
    std::filesystem::remove("levels/lvl/1.lvl");
    write_file("levels/lvl/1.lvl/blocker", "");  // a folder cannot be renamed over
    std::string said;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(save_level(w, "lvl", &said));
    testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("the level on disk is unchanged"), std::string::npos) << said;
    EXPECT_EQ(read_file("levels/lvl/0.lvl"), "[a5]a\n");
    EXPECT_FALSE(file_exists("levels/lvl/0.lvl.tmp"));
    EXPECT_FALSE(file_exists("levels/lvl/1.lvl.tmp"));
    EXPECT_FALSE(file_exists("levels/lvl/save.journal"));
}
