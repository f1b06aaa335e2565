// The level's description: a named pipe in its place, and names of resources that would lead
// outside the resource tree.
#include <gtest/gtest.h>

#include <filesystem>

#include "session/level_files.h"
#include "support/harness.h"
#include "support/named_pipe.h"

TEST(LevelInfo, APipeIsNotReadAndNamesLeavingTheResourcesAreDropped) {
    Sandbox sandbox;
    NamedPipe pipe("levels/p/config.ini");
    LevelInfo info;
    testing::internal::CaptureStdout();
    read_level_info(info, "p");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(pipe.opened());
    EXPECT_EQ(info.name, "p");
    EXPECT_EQ(info.titre + info.createur + info.fond + info.musique + info.theme, "");
    EXPECT_EQ(out, "levels/p/config.ini is a named pipe, not a file: not read.\n");

    // A background, a track or a theme is looked for below ressources/ only: no absolute path,
    // no ".." step, each refusal said once. Dots inside a name are only dots.
    write_file("levels/l/config.ini",
               "titre=T\nfond=../../levels/l/x.png\nmusique=/tmp/a.ogg\ntheme=neige/../..\n");
    testing::internal::CaptureStdout();
    read_level_info(info, "l");
    out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(info.titre, "T");
    EXPECT_EQ(info.fond + info.musique + info.theme, "");
    EXPECT_EQ(
        out,
        "levels/l/config.ini (fond): \"../../levels/l/x.png\" leads outside ressources/: "
        "not read.\n"
        "levels/l/config.ini (musique): \"/tmp/a.ogg\" leads outside ressources/: not read.\n"
        "levels/l/config.ini (theme): \"neige/../..\" leads outside ressources/: not read.\n");
    write_file("levels/l/config.ini", "fond=a..b.png\nmusique=x/y.ogg\ntheme=..neige\n");
    testing::internal::CaptureStdout();
    read_level_info(info, "l");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(info.fond, "a..b.png");
    EXPECT_EQ(info.musique, "x/y.ogg");
    EXPECT_EQ(info.theme, "..neige");

    // A track that is a named pipe would hold the music worker, and quitting with it: the level
    // plays without music. (A music folder of the sandbox's own, not the generated one.)
    std::filesystem::remove("ressources");
    NamedPipe track("ressources/sounds/musics/pipe.ogg");
    write_file("levels/l/config.ini", "musique=pipe.ogg\n");
    testing::internal::CaptureStdout();
    read_level_info(info, "l");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ressources/sounds/musics/pipe.ogg is a named pipe, not a file: not read.\n");
    EXPECT_EQ(info.musique, "");
    EXPECT_FALSE(track.opened());
}
