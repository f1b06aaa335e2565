// Which level the game starts.
#include "app/main_flow.h"

#include <gtest/gtest.h>

#include "support/harness.h"

namespace {
void make_level(const std::string& name, bool play, bool decor, bool config) {
    std::string folder = "levels/" + name + "/";
    if (play) write_file(folder + "0.lvl", "[a10]\n");
    if (decor) write_file(folder + "1.lvl", "[ 10]\n");
    if (config) write_file(folder + "config.ini", "theme=base\n");
}
}  // namespace

// The first folder in name order that holds both grid files and a description; folders that
// lack one of the three are passed over, whatever their names, as are plain files.
TEST(MainFlow, FirstLevelIsTheFirstCompleteFolderInNameOrder) {
    Sandbox sandbox;
    EXPECT_EQ(first_level(), "");  // an empty levels/ folder
    make_level("0_no_description", true, true, false);
    make_level("1_no_play_layer", false, true, true);
    make_level("2_no_decor_layer", true, false, true);
    write_file("levels/3_a_file", "");
    EXPECT_EQ(first_level(), "");
    make_level("c_level", true, true, true);
    make_level("a_level", true, true, true);
    make_level("b_level", true, true, true);
    EXPECT_EQ(first_level(), "a_level");
}
