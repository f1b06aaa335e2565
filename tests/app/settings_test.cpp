// The settings file, its menu form, and how the display modes show the window.
#include "app/settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "app/audio.h"
#include "app/draw.h"
#include "support/harness.h"
#include "support/named_pipe.h"

// Exclusive full screen, full screen on the desktop, borderless window, window; any other value
// is a bordered window too. The dummy video driver keeps the full-screen flags but not the
// border, which is checked on the mode's description instead.
TEST(Settings, EachDisplayModeGivesItsBorderAndFullScreenFlag) {
    Settings saved = settings;
    TestDisplay display;
    struct Mode {
        int mode;
        Uint32 fullscreen;
        bool bordered;
    };
    // Each mode is applied over the one before.
    for (Mode m :
         {Mode{0, SDL_WINDOW_FULLSCREEN, true}, Mode{1, SDL_WINDOW_FULLSCREEN_DESKTOP, true},
          Mode{2, 0, false}, Mode{0, SDL_WINDOW_FULLSCREEN, true}, Mode{3, 0, true},
          Mode{1, SDL_WINDOW_FULLSCREEN_DESKTOP, true}, Mode{7, 0, true}}) {
        EXPECT_EQ(window_mode(m.mode).fullscreen, m.fullscreen) << "mode " << m.mode;
        EXPECT_EQ(window_mode(m.mode).bordered, m.bordered) << "mode " << m.mode;
        settings.mode = m.mode;
        settings_apply();
        Uint32 flags = SDL_GetWindowFlags(game_window);
        EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN_DESKTOP, m.fullscreen) << "mode " << m.mode;
        EXPECT_EQ(window_is_fullscreen(), m.fullscreen != 0) << "mode " << m.mode;
    }
    settings = saved;
}

namespace {
// Keeps the settings record and the window size of the test to itself.
struct SettingsKept {
    Settings saved = settings;
    int w = window_width, h = window_height;
    ~SettingsKept() {
        settings = saved;
        window_width = w;
        window_height = h;
    }
};
}  // namespace

// Missing keys keep their defaults (the size being the window's at that moment); a value is its
// leading number as atoi reads it, without wrapping into a byte and without overflowing.
TEST(Settings, LoadKeepsDefaultsAndReadsLeadingNumbers) {
    SettingsKept kept;
    Sandbox sandbox;
    window_width = 1000;
    window_height = 600;
    settings.mode = 0;
    settings_load();  // no file
    EXPECT_EQ(settings.mode, mode_windowed);
    EXPECT_EQ(settings.resx, 1000);
    EXPECT_EQ(settings.resy, 600);
    EXPECT_EQ(settings.lissage, quality_high);
    EXPECT_EQ(settings.volume_general, 100);
    EXPECT_EQ(settings.volume_musique, 100);
    EXPECT_EQ(settings.volume_effets, 100);
    EXPECT_EQ(settings.volume_menus, 100);

    // Any order, other keys and comments; an empty value keeps the default.
    write_file("settings.ini",
               "volume_menus=300\n; hand-edited\nvolume_general=abc\nlissage=-1 ;smooth?\n"
               "theme=base\nmode=\nresy=99999999999999\nvolume_musique= 80x\r\nresx=1280\n");
    window_width = 1234;
    window_height = 567;
    settings_load();
    EXPECT_EQ(settings.mode, mode_windowed);
    EXPECT_EQ(settings.resx, 1280);
    EXPECT_EQ(settings.resy, INT_MAX);
    EXPECT_EQ(settings.lissage, -1);
    EXPECT_EQ(settings.volume_general, 0);  // "abc": silence
    EXPECT_EQ(settings.volume_musique, 80);
    EXPECT_EQ(settings.volume_effets, 100);
    EXPECT_EQ(settings.volume_menus, 300);  // kept as written, not wrapped to 44

    write_file("settings.ini", "mode=1\n");
    settings_load();
    EXPECT_EQ(settings.mode, mode_fullscreen_desktop);
    EXPECT_EQ(settings.resx, 1234);
    EXPECT_EQ(settings.resy, 567);
}

// A named pipe named settings.ini would hold the start-up before any window: it is not opened,
// the defaults apply, and one line says why.
TEST(Settings, ANamedPipeIsNotReadAndTheDefaultsApply) {
    SettingsKept kept;
    Sandbox sandbox;
    NamedPipe pipe("settings.ini");
    settings.volume_menus = 5;
    testing::internal::CaptureStdout();
    settings_load();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(pipe.opened());
    EXPECT_EQ(settings.volume_menus, 100);
    EXPECT_EQ(out, "settings.ini is a named pipe, not a file: not read.\n");
}

// Each slider drives its own sounds, and a volume is heard within 0 … 100 % whatever the file
// holds, which is kept as written.
TEST(Settings, EachVolumeIsHeardOnItsOwnSoundsWithinItsRange) {
    SettingsKept kept;
    Sandbox sandbox;
    TestDisplay display;
    write_file("settings.ini",
               "volume_general=2000000000\nvolume_musique=50\nvolume_effets=-2147483648\n"
               "volume_menus=40\n");
    settings_load();
    settings_apply_volumes();
    EXPECT_EQ(menu_volume, 51);  // 100 % × 40 % of full
    EXPECT_EQ(effects_volume, 0);
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);
    EXPECT_EQ(settings.volume_general, 2000000000);
    settings.volume_general = -7;
    settings.volume_musique = 400;
    settings.volume_effets = 80;
    settings_apply_volumes();
    EXPECT_EQ(menu_volume, 0);
    EXPECT_EQ(effects_volume, 0);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    settings.volume_general = 50;
    settings_apply_volumes();
    EXPECT_EQ(menu_volume, 25);          // 50 % × 40 %
    EXPECT_EQ(effects_volume, 51);       // 50 % × 80 %
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);  // 50 % × 100 %
}

// Whatever the file held, it is written back as the same eight lines in the same order; a file
// that cannot be written leaves the old one whole.
TEST(Settings, SavedFileIsTheEightLinesInOrder) {
    SettingsKept kept;
    Sandbox sandbox;
    write_file("settings.ini",
               "volume_menus=35\nresy=720\n;x\nvolume_effets=50\nmode=2\nlissage=1\nresx=1280\n"
               "volume_musique=47\nother=1\nvolume_general=90\n");
    settings_load();
    window_width = 1280;
    window_height = 720;
    SettingsForm form = settings_to_menu();
    EXPECT_EQ(form.volumes[sound_music], 9);  // 47 % shows as step 9
    ASSERT_TRUE(settings_from_menu_and_save(form));
    EXPECT_EQ(read_file("settings.ini"),
              "mode=2\nresx=1280\nresy=720\nlissage=1\nvolume_general=90\nvolume_musique=45\n"
              "volume_effets=50\nvolume_menus=35\n");
    EXPECT_FALSE(file_exists("settings.ini.tmp"));

    // A folder where the new file would be written: nothing is written, the old file stays.
    std::filesystem::create_directory("settings.ini.tmp");
    settings.mode = mode_fullscreen;
    EXPECT_FALSE(settings_save());
    EXPECT_EQ(read_file("settings.ini").substr(0, 7), "mode=2\n");
}

// A player who keeps the settings elsewhere behind a symbolic link keeps the link, and the file
// keeps its mode; a file the player made read-only is pinned: nothing is written, even by root.
TEST(Settings, SavingFollowsLinksKeepsTheModeAndLeavesAPinnedFileAlone) {
    namespace fs = std::filesystem;
    SettingsKept kept;
    Sandbox sandbox;
    const std::string old_text = "mode=2\nresx=1280\n";
    write_file("kept/mivo.ini", old_text);
    fs::permissions("kept/mivo.ini", fs::perms(0640));
    fs::create_symlink("kept/mivo.ini", "settings.ini");
    settings = Settings{};
    ASSERT_TRUE(settings_save());
    EXPECT_TRUE(fs::is_symlink("settings.ini"));
    EXPECT_EQ(read_file("kept/mivo.ini").substr(0, 7), "mode=3\n");
    EXPECT_EQ(fs::status("kept/mivo.ini").permissions(), fs::perms(0640));
    EXPECT_FALSE(file_exists("kept/mivo.ini.tmp"));
    EXPECT_FALSE(file_exists("settings.ini.tmp"));

    // Pinned through the link, then as a plain file: saving writes nothing and says so.
    for (bool linked : {true, false}) {
        if (!linked) {
            fs::remove("settings.ini");
            write_file("settings.ini", old_text);
        }
        std::string pinned = linked ? "kept/mivo.ini" : "settings.ini";
        write_file(pinned, old_text);
        fs::permissions(pinned, fs::perms(0444));
        EXPECT_FALSE(settings_save()) << pinned;
        EXPECT_EQ(read_file(pinned), old_text) << pinned;
        EXPECT_EQ(fs::status(pinned).permissions(), fs::perms(0444)) << pinned;
        EXPECT_EQ(fs::is_symlink("settings.ini"), linked);
        fs::permissions(pinned, fs::perms(0644));
    }
}

// The menu's size index is that of the window's real size; a size the list does not hold is
// "Custom", which saves as the window's size.
TEST(Settings, MenuSizeIndexFollowsTheWindow) {
    SettingsKept kept;
    Sandbox sandbox;
    settings.resx = 640;
    settings.resy = 480;
    window_width = 1366;
    window_height = 768;
    EXPECT_EQ(settings_to_menu().display[display_size], 13);
    EXPECT_EQ(window_size_label(13), "1366 x 768");
    window_width = 800;
    window_height = 600;
    EXPECT_EQ(settings_to_menu().display[display_size], 0);
    window_width = 1920;
    window_height = 1080;
    EXPECT_EQ(settings_to_menu().display[display_size], 17);
    window_width = 1280;  // five sizes are 1280 wide
    window_height = 1024;
    EXPECT_EQ(settings_to_menu().display[display_size], 11);
    window_height = 700;
    EXPECT_EQ(settings_to_menu().display[display_size], size_custom);

    window_width = 1300;
    window_height = 700;
    SettingsForm form = settings_to_menu();
    EXPECT_EQ(form.display[display_size], size_custom);
    EXPECT_EQ(window_size_label(size_custom), "Custom");
    settings_from_menu_and_save(form);
    EXPECT_EQ(settings.resx, 1300);
    EXPECT_EQ(settings.resy, 700);
    EXPECT_NE(read_file("settings.ini").find("resx=1300\nresy=700\n"), std::string::npos);

    form.display[display_size] = 0;
    settings_from_menu_and_save(form);
    EXPECT_EQ(settings.resx, 800);
    EXPECT_EQ(settings.resy, 600);
}
