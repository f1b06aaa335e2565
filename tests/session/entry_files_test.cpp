// The hand-written files of characters and doors: fields, backslash lines, the limits of the
// format, the CR LF quirk of the doors' channel, and files that are missing or out of reach.
#include <gtest/gtest.h>

#include <filesystem>

#include "levelend/doors.h"
#include "session/level_files.h"
#include "support/harness.h"
#include "support/named_pipe.h"
#include "world/characters.h"
#include "world/level_select.h"

namespace {
// "x y w h motion image text", with a leading '\' when disabled.
std::string shown(const Character& c) {
    return (c.disabled ? "\\" : "") + std::to_string(c.x) + " " + std::to_string(c.y) + " " +
           std::to_string(c.w) + " " + std::to_string(c.h) + " " + std::to_string(c.motion) + " " +
           c.image_path + " " + c.text;
}

// "x y channel label", with a leading '\' when hidden.
std::string shown(const Door& d) {
    return (d.hidden ? "\\" : "") + std::to_string(d.x) + " " + std::to_string(d.y) + " " +
           std::to_string(d.channel) + " " + d.label;
}

template <typename T>
std::vector<std::string> all_shown(const std::vector<T>& entries) {
    std::vector<std::string> out;
    for (const T& e : entries) out.push_back(shown(e));
    return out;
}

using Lines = std::vector<std::string>;
}  // namespace

TEST(CharacterFile, FieldsBackslashLinesLimitsAndTextAfterTheEnd) {
    std::string long_path(45, 'p'), long_text(600, 't');
    EXPECT_EQ(all_shown(parse_characters_text(
                  "[10|5|1|2|1|pnj/fee.png|Hello&world]\n"
                  "\\[10|5|1|2|1|pnj/fee.png|Hello&world]\r\n"  // a CR ends a line too
                  "note[3|-4|x|2]\n"
                  "\n"
                  "[123456|7|8|9|2|" +
                  long_path + "|" + long_text + "]\n[1|2|3|4|0|a.png|Hello]XY\n")),
              (Lines{"10 5 1 2 1 pnj/fee.png Hello&world", "\\10 5 1 2 1 pnj/fee.png Hello&world",
                     "3 -4 0 2 0  ", "0 0 0 0 0  ",
                     "1234 7 8 9 2 " + std::string(39, 'p') + " " + std::string(499, 't'),
                     "1 2 3 4 0 a.png XYllo"}));
}

TEST(CharacterFile, FiftyLinesAtMostAndALongLineIsOneEntry) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "[" + std::to_string(i) + "|1|1|1|0|a.png|Hi]\n";
    std::vector<Character> cs = parse_characters_text(text);
    ASSERT_EQ(cs.size(), 50u);
    EXPECT_EQ(cs[49].x, 49);
    // Past its 999th character a line is dropped, not read as a further entry.
    cs = parse_characters_text("[1|1|1|1|0|a.png|" + std::string(1200, 'a') + "[7|7]\n[2|2]\n");
    ASSERT_EQ(cs.size(), 2u);
    EXPECT_EQ(cs[1].x, 2);
}

TEST(DoorFile, FieldsHiddenDoorsBlankLinesAndTheCrLfChannel) {
    // Blank lines (an empty one, blanks, a CR LF line end alone) are no doors.
    EXPECT_EQ(all_shown(parse_doors_text("[12|3|1]\n\\[20|4|1]\nx[7|8]\n\n \t\r\n[1|2|300]\n"
                                         "[123456|9|1]\n[1|2|34]5\n[12|3|1]\r\n[12|3|12]\r\n")),
              (Lines{"12 3 1 1", "\\20 4 1 1", "7 8 0 ",
                     "1 2 44 300",  // the channel is a byte
                     "1234 9 1 1",  // fields keep four characters
                     // Fields after the channel are written over it from its start, the CR of
                     // a CR LF line end too.
                     "1 2 54 54", "12 3 0 \r", "12 3 2 \r2"}));
    std::string text;
    for (int i = 0; i < 55; ++i) text += "[" + std::to_string(i) + "|0|0]\n\n";
    EXPECT_EQ(parse_doors_text(text).size(), 50u);  // fifty doors, blank lines aside
}

TEST(EntryFiles, ReadFromTheLevelFolderWhenThereIsOne) {
    Sandbox sandbox;
    write_file("levels/l/portals.lvl", "[4|5|2]\n[9|5|2]\n");
    write_file("levels/l/caracters.lvl", "[1|2|1|1|0|a.png|Hi]\n");
    EXPECT_EQ(read_doors_file("l").size(), 2u);
    EXPECT_EQ(read_characters_file("l").size(), 1u);
    EXPECT_TRUE(read_doors_file("nothing").empty());
    EXPECT_TRUE(read_characters_file("nothing").empty());
    // A folder where the file should be holds nothing.
    std::filesystem::create_directories("levels/d/portals.lvl");
    std::filesystem::create_directories("levels/d/caracters.lvl");
    EXPECT_TRUE(read_doors_file("d").empty());
    EXPECT_TRUE(read_characters_file("d").empty());
    // A named pipe is never opened (it would wait for a writer), and says so.
    NamedPipe doors("levels/p/portals.lvl"), characters("levels/p/caracters.lvl");
    testing::internal::CaptureStdout();
    size_t entries = read_doors_file("p").size() + read_characters_file("p").size();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "levels/p/portals.lvl is a named pipe, not a file: not read.\n"
              "levels/p/caracters.lvl is a named pipe, not a file: not read.\n");
    EXPECT_EQ(entries, 0u);
    EXPECT_FALSE(doors.opened());
    EXPECT_FALSE(characters.opened());
}

// Every reader of a level's files keeps to the one limit of folder names that the level selection
// keeps to: a level it offers is read whole, doors and characters included; one past it is not
// read at all, and each reader says so.
TEST(EntryFiles, OneLimitOfFolderNamesForEveryReader) {
    Sandbox sandbox;
    std::string longest(max_level_name, 'n'), longer(max_level_name + 1, 'n');
    for (const std::string& name : {longest, longer}) {
        write_file("levels/" + name + "/portals.lvl", "[4|5|2]\n");
        write_file("levels/" + name + "/caracters.lvl", "[1|2|1|1|0|a.png|Hi]\n");
        write_file("levels/" + name + "/config.ini", "titre=T\n");
        write_file("levels/" + name + "/0.lvl", "a\n");
        write_file("levels/" + name + "/1.lvl", "A\n");
    }
    testing::internal::CaptureStdout();
    std::vector<std::string> listed = list_levels().names;
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(listed, (std::vector<std::string>{longest}));
    LevelInfo info;
    read_level_info(info, longest);
    EXPECT_EQ(info.titre, "T");
    EXPECT_EQ(read_doors_file(longest).size(), 1u);
    EXPECT_EQ(read_characters_file(longest).size(), 1u);

    testing::internal::CaptureStdout();
    read_level_info(info, longer);
    size_t doors = read_doors_file(longer).size(), characters = read_characters_file(longer).size();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(info.titre, "");
    EXPECT_EQ(doors + characters, 0u);
    for (const char* file : {"config.ini", "portals.lvl", "caracters.lvl"})
        EXPECT_NE(out.find("levels/" + longer + "/" + file), std::string::npos) << file;
}
