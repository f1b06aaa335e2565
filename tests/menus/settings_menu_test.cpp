// The settings and pause menu, driven through its real loop with keys injected frame by frame on
// the virtual clock.
#include "menus/settings_menu.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "app/audio.h"
#include "app/draw.h"
#include "support/harness.h"

namespace {
constexpr SDL_Color backdrop_colour{200, 100, 40, 255};

// One opening of the menu over a plain-coloured frame, in a sandbox holding its settings.ini.
// Keys are pressed one a frame, from the first frame on; `look` sees the menu after each frame.
struct MenuRun {
    Settings saved = settings;
    int saved_menu_volume = menu_volume, saved_effects_volume = effects_volume;
    Sandbox sandbox;
    TestDisplay display;
    SettingsMenuArt art;
    SettingsMenu menu;
    int frames = 0;

    explicit MenuRun(bool in_game, int w = 1000, int h = 600, Settings s = Settings{})
        : display(w, h) {
        settings = s;
        art = settings_menu_art(in_game);
        TexturePtr frame = solid_texture(8, 8, backdrop_colour);
        art.backdrop = settings_menu_backdrop([&] { draw_fullscreen(frame.get()); });
        menu = settings_menu_open(in_game);
    }
    ~MenuRun() {
        settings = saved;
        menu_volume = saved_menu_volume;
        effects_volume = saved_effects_volume;
    }

    // Runs until the menu is done (or 600 frames have passed: the window is then closed).
    int run(std::vector<SDL_Event> keys, std::function<void()> look = {}) {
        set_frame_hook([&] {
            ++frames;
            if (look) look();
            if (static_cast<size_t>(frames) <= keys.size()) SDL_PushEvent(&keys[frames - 1]);
            if (frames == 600) {
                SDL_Event quit{};
                quit.type = SDL_QUIT;
                SDL_PushEvent(&quit);
            }
        });
        int result = settings_menu_run(menu, art, nullptr);
        set_frame_hook(nullptr);
        return result;
    }
};

SDL_Event key(SDL_Keycode k, bool repeat = false) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = k;
    e.key.repeat = repeat ? 1 : 0;
    return e;
}
const SDL_Event up = key(SDLK_UP), down = key(SDLK_DOWN), left = key(SDLK_LEFT),
                right = key(SDLK_RIGHT), enter = key(SDLK_RETURN), back = key(SDLK_BACKSPACE),
                escape = key(SDLK_ESCAPE), space = key(SDLK_SPACE);
}  // namespace

// The pause menu's five rows, and what confirming each gives back.
TEST(SettingsMenu, PauseMenuRowsAndConfirmations) {
    {
        MenuRun m(true);
        // Held Down repeats: four Downs reach "Sound", a fifth finds no row below it.
        int row_after_four = -1, row_after_five = -1;
        m.run({down, key(SDLK_DOWN, true), down, down, down, escape}, [&] {
            if (m.frames == 5) row_after_four = m.menu.row;
            if (m.frames == 6) row_after_five = m.menu.row;
        });
        EXPECT_EQ(row_after_four, 4);
        EXPECT_EQ(row_after_five, 4);
        EXPECT_EQ(menu_row(4, true), MenuRow::sound);
        EXPECT_EQ(m.menu.result, menu_resume);
    }
    {
        MenuRun m(true);
        EXPECT_EQ(m.run({down, enter, down, enter}), menu_back);
    }
    {
        MenuRun m(true);
        EXPECT_EQ(m.run({down, down, enter, down, enter}), menu_quit);
    }
    {
        // Enter on "No" does nothing; Backspace goes back to the main column.
        MenuRun m(true);
        bool closed_early = false;
        m.run({down, enter, enter, enter, back, escape},
              [&] { closed_early |= m.frames <= 6 && m.menu.closing; });
        EXPECT_FALSE(closed_early);
        EXPECT_EQ(m.menu.column, 0);
        EXPECT_EQ(m.menu.result, menu_resume);
    }
    {
        // Right opens the row it is on: on "Resume", that closes the menu.
        MenuRun m(true);
        EXPECT_EQ(m.run({right}), menu_resume);
        EXPECT_TRUE(m.menu.closing);
    }
    {
        // The settings screen has no "Back to menu": three Downs reach "Sound", "Exit" is second.
        MenuRun m(false);
        int last_row = -1;
        m.run({down, down, down, down, up, up, enter, down, enter},
              [&] { last_row = m.frames == 5 ? m.menu.row : last_row; });
        EXPECT_EQ(last_row, 3);
        EXPECT_EQ(menu_row(3, false), MenuRow::sound);
        EXPECT_EQ(m.menu.result, menu_quit);
    }
    {
        // Closing the window quits, even while the menu already fades out toward "Resume".
        MenuRun m(true);
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        EXPECT_EQ(m.run({right, quit}), menu_quit);
    }
}

// Every change is written at once and volumes are heard at once; the display follows only when
// Space is pressed.
TEST(SettingsMenu, ChangesAreSavedAtOnceAndTheDisplayWaitsForSpace) {
    MenuRun m(false, 1300, 700);
    // Opening writes the file in full, the window's size standing for "Custom".
    EXPECT_EQ(read_file("settings.ini"),
              "mode=3\nresx=1300\nresy=700\nlissage=2\nvolume_general=100\nvolume_musique=100\n"
              "volume_effets=100\nvolume_menus=100\n");
    EXPECT_EQ(m.menu.form.display[display_size], size_custom);

    int size_after_left = 0, size_after_right = 0, menu_volume_after_left = 0;
    SDL_Point window_before_space{}, window_after_space{};
    bool rewritten = false;
    auto look = [&] {
        SDL_Point now;
        SDL_GetWindowSize(game_window, &now.x, &now.y);
        if (m.frames == 6) size_after_left = m.menu.form.display[display_size];
        if (m.frames == 7) size_after_right = m.menu.form.display[display_size];
        if (m.frames == 7) window_before_space = now;
        if (m.frames == 8) window_after_space = now;
        if (m.frames == 10) std::remove("settings.ini");
        if (m.frames == 13) rewritten = file_exists("settings.ini");
        if (m.frames == 15) menu_volume_after_left = menu_volume;
    };
    // Display, Resolution: Left, Right, Space. Sound, Music at 100 %: Right changes nothing but
    // writes the file again. General: Left.
    m.run({down, down, enter, down, left, right, space, back, down, enter, down, right, up, left,
           escape},
          look);
    EXPECT_EQ(size_after_left, size_custom);  // Left from "Custom" stays
    EXPECT_EQ(size_after_right, 0);           // Right from "Custom" is the first size
    EXPECT_EQ(window_before_space.x, 1300);
    EXPECT_EQ(window_before_space.y, 700);
    EXPECT_EQ(window_after_space.x, 800);
    EXPECT_EQ(window_after_space.y, 600);
    EXPECT_TRUE(rewritten);
    EXPECT_EQ(m.menu.form.volumes[sound_music], volume_steps);
    EXPECT_EQ(menu_volume_after_left, 121);  // general 95 % × menus 100 % of 128
    EXPECT_EQ(read_file("settings.ini"),
              "mode=3\nresx=800\nresy=600\nlissage=2\nvolume_general=95\nvolume_musique=100\n"
              "volume_effets=100\nvolume_menus=100\n");
}

// The darkening rises to 194 over the frozen frame and, once closed, fades out in 34 frames;
// Escape in the very first frame ends the menu after that frame.
TEST(SettingsMenu, DarkeningFadesInAndOut) {
    {
        MenuRun m(true);
        std::vector<SDL_Event> keys(60, key(SDLK_F1));
        keys.push_back(escape);
        int fade_at_escape = 0;
        SDL_Color corner{};
        m.run(keys, [&] {
            if (m.frames == 61) {
                fade_at_escape = m.menu.fade;
                corner = read_pixel(990, 10);
            }
        });
        EXPECT_EQ(fade_at_escape, 194);
        // The frozen frame under black at alpha 189.
        EXPECT_NEAR(corner.r, 200 * (255 - 189) / 255, 2);
        EXPECT_NEAR(corner.g, 100 * (255 - 189) / 255, 2);
        EXPECT_EQ(m.frames, 61 + 34);
    }
    {
        MenuRun m(true);
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);  // read in the first frame
        EXPECT_EQ(m.run({}), menu_quit);
        EXPECT_EQ(m.frames, 1);
    }
}

// A hand-edited file can hold values the menu has no label for: the menu shows the nearest label,
// keeps the value until that entry is changed, and steps from what it shows.
TEST(SettingsMenu, ValuesBeyondTheLabelsAreShownNearAndKept) {
    EXPECT_EQ(shown_mode(7), mode_windowed);
    EXPECT_EQ(shown_mode(-2), mode_windowed);  // shown as the window it gives
    EXPECT_EQ(shown_mode(1), 1);
    EXPECT_EQ(shown_quality(5), quality_high);
    EXPECT_EQ(shown_quality(-1), quality_none);
    EXPECT_EQ(shown_volume(60), volume_steps);
    EXPECT_EQ(shown_volume(-4), 0);
    EXPECT_EQ(shown_size(size_custom), static_cast<int>(window_sizes.size()));
    EXPECT_EQ(shown_size(17), 17);

    Settings odd;
    odd.mode = 7;
    odd.lissage = 5;
    odd.volume_general = 300;
    odd.volume_musique = -20;
    MenuRun m(true, 1000, 600, odd);
    EXPECT_EQ(read_file("settings.ini"),
              "mode=7\nresx=1000\nresy=600\nlissage=5\nvolume_general=300\nvolume_musique=-20\n"
              "volume_effets=100\nvolume_menus=100\n");
    // Display: Right on mode 7 and on smoothing 5 keeps them; Left on mode 7 gives 2.
    // Sound: Left on 300 % gives 95 %; Left on −20 % keeps it.
    m.run({down, down, down, enter, right, down, down, right, up, up, left,  //
           back, down, enter, left, down, left, escape});
    EXPECT_EQ(read_file("settings.ini"),
              "mode=2\nresx=1000\nresy=600\nlissage=5\nvolume_general=95\nvolume_musique=-20\n"
              "volume_effets=100\nvolume_menus=100\n");
}

// The sub-columns of "Display" and "Sound" keep their fixed places (entries in the middle of the
// window, "<" 170 pixels right of them, the values 200, ">" 350) unless a label would overlap
// another or leave the window; in every window size of the list, with every value shown, no
// label overlaps another and none leaves the window.
TEST(SettingsMenu, SubColumnsKeepTheirPlacesUnlessALabelWouldOverlapOrLeave) {
    TestDisplay display(1000, 600);
    SettingsMenuArt art = settings_menu_art(true);
    auto width = [](const TexturePtr& t) {
        int w = 0;
        SDL_QueryTexture(t.get(), nullptr, nullptr, &w, nullptr);
        return w;
    };
    SettingsMenu m;
    m.in_game = true;
    m.column = 1;
    m.row = 4;  // "Sound": values of at most "100 %" stay in their places
    m.form.volumes = {20, 0, 7, 13};
    SubColumnPlace at = sub_column_place(m, art);
    EXPECT_TRUE(at.x == 500 && at.less_x == 670 && at.value_x == 700 && at.more_x == 850 &&
                at.value_scale == 1.0)
        << at.x << " " << at.less_x << " " << at.value_x << " " << at.more_x;
    m.row = 3;  // "Display": the entries leave room for "<", "Windowed" pushes ">" right
    m.form.display = {mode_windowed, 2, quality_high};
    at = sub_column_place(m, art);
    int windowed = width(art.modes[mode_windowed]);
    ASSERT_GT(200 + windowed, 350);
    EXPECT_TRUE(at.x == 500 && at.less_x == 670 && at.value_x == 700 &&
                at.more_x == 700 + windowed + 12)
        << at.x << " " << at.less_x << " " << at.value_x << " " << at.more_x;

    int less_w = width(art.less), more_w = width(art.more);
    // "Full Screen Borderless" would leave the window: the sub-column moves left, the value
    // stays whole and ">" ends 20 pixels short of the window's edge.
    m.form.display = {mode_fullscreen_desktop, 2, quality_high};
    at = sub_column_place(m, art);
    EXPECT_TRUE(at.x < 500 && at.value_scale == 1.0 && at.more_x + more_w == 980 &&
                at.value_x - at.x == 200)
        << at.x << " " << at.value_x << " " << at.more_x << " " << at.value_scale;
    int entries_w = 0;
    for (const TexturePtr& t : art.display_entries) entries_w = std::max(entries_w, width(t));
    int saved_width = window_width;
    for (WindowSize size : window_sizes) {
        window_width = size.w;
        for (int mode = 0; mode < 4; ++mode) {
            for (int quality = 0; quality < 3; ++quality) {
                m.form.display = {mode, 0, quality};
                at = sub_column_place(m, art);
                int value_w = std::max(width(art.modes[mode]), width(art.qualities[quality]));
                value_w = std::max(value_w, width(art.sizes[0]));
                SCOPED_TRACE(std::to_string(size.w) + " wide, mode " + std::to_string(mode));
                EXPECT_GE(at.less_x, at.x + entries_w);
                EXPECT_GE(at.value_x, at.less_x + less_w);
                EXPECT_GE(at.more_x, at.value_x + static_cast<int>(value_w * at.value_scale));
                EXPECT_LE(at.more_x + more_w, size.w - 20);
                if (200 + value_w <= 350 && size.w / 2 + 350 + more_w <= size.w - 20) {
                    EXPECT_TRUE(at.x == size.w / 2 && at.value_x == at.x + 200 &&
                                at.more_x == at.x + 350);
                }
            }
        }
    }
    window_width = saved_width;
}
