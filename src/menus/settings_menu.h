// The settings screen and the pause menu, one overlay for both: over the frozen, darkened frame
// it opened on, a main column on the left and, once a row is opened, its sub-column in the
// middle. Display and sound settings are edited in place and written to "settings.ini" at every
// change; volumes take effect at once, display changes when Space is pressed.
#pragma once
#include <SDL.h>

#include <vector>

#include "app/screen.h"
#include "app/sdl_handles.h"
#include "app/settings.h"

// What the menu hands back to the screen below it.
constexpr int menu_resume = 0;  // Escape or "Resume": the screen below goes on
constexpr int menu_quit = -1;   // "Exit" confirmed, or the window was closed
constexpr int menu_back = -2;   // "Back to menu" confirmed, in the pause menu only

// What settings_menu_update returns once the menu has faded out (the result is in the record).
constexpr int settings_menu_done = 1;

// The rows of the main column. The pause menu has "Back to menu" as its second row, which moves
// the rows after it down by one.
enum class MenuRow { resume, back_to_menu, exit, display, sound };
MenuRow menu_row(int row, bool in_game);
int menu_rows(bool in_game);
// Entries of the sub-column a row opens (0 for "Resume", which opens none but closes the menu).
int sub_entries(MenuRow row);

// Which label the menu shows for a value of its form. Values a hand-edited file can hold beyond
// the labels show as the nearest label (a mode the game does not know as "Windowed", which is
// how it shows the window); the value itself is kept until the player changes that entry.
int shown_mode(int mode);
int shown_quality(int quality);
int shown_volume(int step);
int shown_size(int index);  // window_sizes.size() stands for "Custom"

struct SettingsMenu {
    bool in_game = false;  // the pause menu of a level
    bool closing = false;  // a result is chosen and the darkening fades out
    int result = menu_resume;
    int column = 0;  // 0 in the main column, 1 in the sub-column of the selected row
    int row = 0, sub_row = 0;
    double row_pos = 0, sub_pos = 0;  // the lists' gliding positions
    SettingsForm form;
    int fade = 0;  // darkness over the frozen frame: rises toward 200, falls once closing
    StickLatch stick;
};

struct SettingsMenuArt {
    TexturePtr backdrop;              // the frame the menu opened on
    TexturePtr dimmer;                // black, stretched over the backdrop with the fade's alpha
    TexturePtr corner;                // "ide/setts.png", in the lower-left corner
    std::vector<TexturePtr> rows;     // the main column, as menu_row orders it
    std::vector<TexturePtr> confirm;  // "No", "Yes"
    std::vector<TexturePtr> display_entries;  // "Mode", "Resolution", "Smoothing"
    std::vector<TexturePtr> modes;            // by display mode
    std::vector<TexturePtr> sizes;            // by window_sizes index, then "Custom"
    std::vector<TexturePtr> qualities;        // "None", "Medium", "High"
    std::vector<TexturePtr> sound_entries;    // "General", "Music", "Effects", "Menus"
    std::vector<TexturePtr> volumes;          // "0 %" … "100 %", by step
    TexturePtr less, more;                    // "<" and ">" around the value being changed
    TexturePtr cursor;                        // ">" left of the selected row
};

struct SettingsMenuSounds {
    ChunkPtr click;  // a move or a change, at the menu volume
};

// Opens the menu on the settings as they stand, and writes them at once in the file's canonical
// form ("Custom" as the window's current size).
SettingsMenu settings_menu_open(bool in_game);
// The labels, the corner picture and the dimmer. The backdrop is taken apart, before the menu
// draws anything.
SettingsMenuArt settings_menu_art(bool in_game);
// The frame under the menu: `below` drawn afresh when given, else what the renderer holds.
TexturePtr settings_menu_backdrop(const ScreenDraw& below);
SettingsMenuSounds settings_menu_sounds();

// One frame of keys and of the fade. Returns screen_running, then settings_menu_done once a result
// is chosen and the darkening has faded out.
int settings_menu_update(SettingsMenu& m, const Controls& c, const SettingsMenuSounds* sounds);
void settings_menu_draw(const SettingsMenu& m, const SettingsMenuArt& art);
// Where the open "Display" or "Sound" sub-column stands, in pixels from the window's left: its
// entries, "<", its values and ">", and the values' scale. Each keeps its fixed place (the
// entries in the middle of the window, "<" 170 pixels right of them, the values 200, ">" 350)
// unless a label would overlap another or leave the window: "<" and the values then move right
// past the longest entry, ">" past the longest value shown; a sub-column running past the
// window's right edge (less a margin of 20 pixels) moves left, never over the main column's rows
// in sight, and on the narrowest windows its values shrink.
struct SubColumnPlace {
    int x, less_x, value_x, more_x;
    double value_scale;
};
SubColumnPlace sub_column_place(const SettingsMenu& m, const SettingsMenuArt& art);
// Runs the menu's frames until it is done; returns its result.
int settings_menu_run(SettingsMenu& m, const SettingsMenuArt& art,
                      const SettingsMenuSounds* sounds);

// The whole menu, from opening to closing: menu_resume, menu_quit or (in_game only) menu_back.
// `below` redraws the screen it opens over, for the frozen backdrop.
int settings_menu(bool in_game, const ScreenDraw& below = {});
