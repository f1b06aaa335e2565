// The grid reader and writer: the input is a level's "0.lvl" and "1.lvl" (cut at the first
// "\n#1.lvl\n"), written into a level folder and read by load_level as a session reads them.
// Whatever was read, saving the level then loading it again gives the same size, the same two
// layers and the same markers, with nothing cut (a zero byte reads as an empty cell and a row
// ends at its first CR, so the files are not always the input; the layers they give are).
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "session/level_files.h"
#include "session/world.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    use_scratch_folders();
    std::vector<std::string_view> parts = split_input(data, size, "\n#1.lvl\n", 2);
    const std::string dir = scratch_level_dir();
    put_file(dir + "/0.lvl", parts[0]);
    if (parts.size() > 1) {
        put_file(dir + "/1.lvl", parts[1]);
    } else {
        remove_file(dir + "/1.lvl");
    }

    World world;
    if (!load_level(world, fuzz_level)) return 0;
    FUZZ_CHECK(layer_fits_grid(world.authored_play));
    FUZZ_CHECK(layer_fits_grid(world.decor_grid));
    const int width = grid_width, height = grid_height;

    // Saved, then loaded again: the same level. After a reading that cut part of a file, the
    // first save only warns and the second one saves.
    bool saved = save_level(world, fuzz_level);
    if (!saved && world.read_cut == false) saved = save_level(world, fuzz_level);
    FUZZ_CHECK(saved);
    World reread;
    FUZZ_CHECK(load_level(reread, fuzz_level));
    FUZZ_CHECK(grid_width == width && grid_height == height);
    FUZZ_CHECK(!reread.read_cut);
    FUZZ_CHECK(reread.authored_play == world.authored_play);
    FUZZ_CHECK(reread.decor_grid == world.decor_grid);
    FUZZ_CHECK(reread.start_x == world.start_x && reread.start_y == world.start_y);
    FUZZ_CHECK(reread.exit_x == world.exit_x && reread.exit_y == world.exit_y);
    return 0;
}
