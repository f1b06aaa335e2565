// Level folders as an author handles them: names, duplicates, renames, the trash and back, and
// new levels that play and save.
#include "session/level_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "check/level_check.h"
#include "session/session.h"
#include "support/harness.h"

namespace fs = std::filesystem;

namespace {
// Every file below the folder, by its path within it, with its bytes.
std::map<std::string, std::string> snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file())
            files[fs::relative(e.path(), folder).string()] = read_file(e.path().string());
    return files;
}

void write_level(const std::string& name) {
    write_file("levels/" + name + "/0.lvl", "[a40]\n");
    write_file("levels/" + name + "/1.lvl", "A[ 38]B\n");
    write_file("levels/" + name + "/config.ini", "titre=" + name + "\ntheme=base\n");
}
}  // namespace

TEST(LevelFolders, NamesAreCheckedAsTheyAreTyped) {
    Sandbox sandbox;
    write_level("Prairie");
    const std::string longest(longest_level_name(), 'x');
    EXPECT_EQ(level_name_problem(""), NameProblem::empty);
    EXPECT_EQ(level_name_problem(longest), NameProblem::none);
    EXPECT_EQ(level_name_problem(longest + "x"), NameProblem::too_long);
    for (std::string bad : {"a b", "a/b", "..", "été", "a.b", "a;b"})
        EXPECT_EQ(level_name_problem(bad), NameProblem::bad_character) << bad;
    EXPECT_EQ(level_name_problem("Server"), NameProblem::reserved);
    EXPECT_EQ(level_name_problem("server"), NameProblem::reserved);
    EXPECT_EQ(level_name_problem("Prairie"), NameProblem::taken);
    EXPECT_EQ(level_name_problem("prairie"), NameProblem::taken);  // one folder on some disks
    EXPECT_EQ(level_name_problem("Prairie", "Prairie"), NameProblem::none);  // renamed as it is
    EXPECT_EQ(level_name_problem("Prairie_2-b"), NameProblem::none);
    std::string problem;
    EXPECT_FALSE(rename_level("Prairie", "Server", &problem));
    EXPECT_FALSE(duplicate_level("Prairie", "prairie", &problem));
    EXPECT_EQ(level_folders(), std::vector<std::string>{"Prairie"});
}

// A level deleted twice in one second, under the same name, comes back twice: byte for byte, the
// first under its name, the second beside it. Duplicates and renames keep every byte too.
TEST(LevelFolders, DeleteThenRestoreLeavesTheFolderByteIdentical) {
    Sandbox sandbox;
    write_level("a");
    write_file("levels/a/portals.lvl", std::string("[1|0|1]\r\n\\[5|0|1]\0\xff", 18));
    write_file("levels/a/notes/idea.txt", "a folder of the author's own");
    const auto before = snapshot("levels/a");
    std::string problem, restored;
    std::time_t when = 1700000000;

    ASSERT_TRUE(duplicate_level("a", "b", &problem)) << problem;
    EXPECT_EQ(snapshot("levels/b"), before);
    ASSERT_TRUE(rename_level("b", "c", &problem)) << problem;
    EXPECT_EQ(snapshot("levels/c"), before);
    EXPECT_EQ(level_folders(), (std::vector<std::string>{"a", "c"}));

    ASSERT_TRUE(trash_level("a", when, &problem)) << problem;
    write_level("a");  // a new "a", deleted in the same second
    ASSERT_TRUE(trash_level("a", when, &problem)) << problem;
    EXPECT_EQ(level_folders(), std::vector<std::string>{"c"});
    std::vector<TrashedLevel> trash = trashed_levels();
    ASSERT_EQ(trash.size(), 2u);
    EXPECT_EQ(trash[0].name, "a");
    EXPECT_EQ(trash[1].name, "a");
    EXPECT_NE(trash[0].folder, trash[1].folder);
    EXPECT_EQ(trash[0].when.size(), 19u);  // "YYYY-MM-DD HH:MM:SS"
    const std::string first =
        trash[0].folder.size() < trash[1].folder.size() ? trash[0].folder : trash[1].folder;
    const std::string second = first == trash[0].folder ? trash[1].folder : trash[0].folder;
    EXPECT_EQ(snapshot("levels/.trash/" + first), before);

    ASSERT_TRUE(restore_level(first, &restored, &problem)) << problem;
    EXPECT_EQ(restored, "a");
    EXPECT_EQ(snapshot("levels/a"), before);
    ASSERT_TRUE(restore_level(second, &restored, &problem)) << problem;
    EXPECT_EQ(restored, "a_2");
    EXPECT_EQ(level_folders(), (std::vector<std::string>{"a", "a_2", "c"}));
    EXPECT_TRUE(trashed_levels().empty());
}

// A new level of each theme is ready for the checker, and plays: Mivo stands on its floor, U
// saves it unchanged, and walking right reaches the exit.
TEST(LevelFolders, NewLevelFromEveryThemeOpensPlaysAndSaves) {
    Sandbox sandbox;
    TestDisplay display;
    ASSERT_GE(theme_names().size(), 3u);
    for (const std::string& theme : theme_names()) {
        SCOPED_TRACE(theme);
        NewLevel n;
        n.name = "new_" + theme;
        n.titre = "Nouveau";
        n.createur = "Moi";
        n.theme = theme;
        n.fond = background_names().front();
        n.musique = music_names().front();
        std::string problem;
        ASSERT_TRUE(create_level(n, &problem)) << problem;
        LevelReport report = check_level("levels/" + n.name);
        EXPECT_TRUE(report.ready()) << report_text(report);
        EXPECT_EQ(report.layers.width, 40);
        EXPECT_EQ(report.layers.height, 24);
        const std::string play = read_file("levels/" + n.name + "/0.lvl");
        const std::string decor = read_file("levels/" + n.name + "/1.lvl");

        // Frames without drawing: the rules of a level are what is played.
        Session s;
        session_start(s, n.name);
        Controls idle, walk, save;
        walk.held[SDL_SCANCODE_RIGHT] = 1;
        SDL_Event u{};
        u.type = SDL_KEYDOWN;
        u.key.keysym.sym = SDLK_u;
        save.events.push_back(u);
        session_frame(s);
        for (int i = 0; i < 30; ++i) session_update(s, idle);
        EXPECT_EQ(s.player.y, 3.0);  // on the floor
        session_update(s, save);
        EXPECT_EQ(read_file("levels/" + n.name + "/0.lvl"), play);
        EXPECT_EQ(read_file("levels/" + n.name + "/1.lvl"), decor);
        for (int i = 0; i < 600 && session_running_now(s); ++i) session_update(s, walk);
        EXPECT_EQ(s.session_result, session_won);
        s.session_result = session_back;  // past the score screen
        session_end(s);
    }
    for (const LevelSize& size : level_sizes()) {
        NewLevel n;
        n.name = "size_" + std::to_string(size.width);
        n.theme = "base";
        n.fond = "1";
        n.musique = "vesk.ogg";
        n.width = size.width;
        n.height = size.height;
        std::string problem;
        ASSERT_TRUE(create_level(n, &problem)) << problem;
        LevelReport report = check_level("levels/" + n.name);
        EXPECT_TRUE(report.ready()) << report_text(report);
        EXPECT_EQ(report.layers.width, size.width);
        EXPECT_EQ(report.layers.height, size.height);
    }
}

TEST(LevelFolders, TheAuthorsNameIsKeptInItsOwnFile) {
    Sandbox sandbox;
    write_file("settings.ini", "mode=3\n");
    EXPECT_EQ(read_author(), "");
    EXPECT_TRUE(write_author("Lou"));
    EXPECT_EQ(read_author(), "Lou");
    EXPECT_FALSE(write_author("a;b"));
    EXPECT_FALSE(write_author(std::string(40, 'x')));
    EXPECT_EQ(read_author(), "Lou");
    EXPECT_EQ(read_file("settings.ini"), "mode=3\n");
}
