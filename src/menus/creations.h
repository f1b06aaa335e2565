// The Creations screen, the level author's home: every level folder with a small map of it, its
// title, author and theme and the level checker's verdict, and what can be done with it: play
// it, edit it, list the checker's findings (one opens the editor on its cell), duplicate,
// rename, delete it into "Recently deleted" and restore it from there, or make a new level.
// Mouse, keys (arrows, Return, Escape) and a controller (pad, A, B) all work it.
#pragma once
#include <SDL.h>

#include <future>
#include <map>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/sdl_handles.h"
#include "check/level_check.h"
#include "menus/level_pictures.h"
#include "session/level_folders.h"

// How the screen is left, and what the main flow does next.
enum class CreationsExit { back, quit, play, edit };
struct CreationsChoice {
    CreationsExit exit = CreationsExit::back;
    std::string level;
    bool focus = false;  // edit with the view on this cell, outlined
    int column = 0, row = 0;
    std::string note;  // the finding's words, shown beside the cell
};
// A few words for the flow's trace: "back", "quit", "play <level>", "edit <level> at c,r".
std::string creations_choice_words(const CreationsChoice& c);

// The level highlighted last, kept between visits (a level played or edited is highlighted
// again when the screen comes back).
extern std::string creations_last_level;

// What a row of the list does.
enum class CreationsAction { new_level, play, edit, check, duplicate, rename, remove, restore };

// The overlay open over the list, if any.
enum class CreationsView { list, findings, name_entry, confirm_delete, new_level };

// The rows of the new-level form, top to bottom.
enum class FormRow { name, title, author, theme, background, music, size, buttons };
constexpr int form_rows = 8;

struct NewLevelForm {
    int row = 0;
    std::string name, title, author;
    int theme = 0, background = 0, music = 0, size = 0;
    int button = 0;  // on the buttons row: 0 "Create", 1 "Cancel"
};

struct Creations {
    std::vector<LevelReport> levels;  // in name order
    std::vector<TrashedLevel> trash;  // the most recent first
    std::vector<std::string> themes, backgrounds, musics;
    int row = 0;        // 0: "New level", then the levels, then the deleted ones
    int action = 0;     // the highlighted action of the row
    double scroll = 0;  // the list's first row shown, gliding toward where the row shows
    CreationsView view = CreationsView::list;
    int finding = 0;        // the highlighted finding
    bool renaming = false;  // the name entry renames (else duplicates)
    std::string typed;
    int confirm = 0;  // 0 "Keep it", 1 "Delete"
    NewLevelForm form;
    std::string notice;  // the last operation's result
    bool notice_bad = false;
    int notice_frames = 0;
    SDL_Point pointer{-1, -1};
    int stick_x = 0, stick_y = 0;  // where the controller's left stick is pushed: −1, 0, +1
    int hover_row = -1;            // the row under the pointer
    int fade = 255;                // the veil over the screen as it opens, then as it closes
    bool veil_is_picture = true;   // the veil is the menu tile's picture (else black)
    bool leaving = false;
    CreationsChoice choice;
};

// Reads the levels, the trash and the resource tree's choices; highlights `highlight`. Opened
// from the main menu, the screen emerges from the tile's picture; else from black.
Creations creations_open(const std::string& highlight, bool from_menu);
int creations_row_count(const Creations& c);
// The row heading the deleted levels ("Recently deleted"), which is never highlighted; −1 when
// nothing was deleted.
int creations_trash_heading(const Creations& c);
// The level of a row, or null ("New level", a deleted one).
const LevelReport* creations_level_at(const Creations& c, int row);
const TrashedLevel* creations_trashed_at(const Creations& c, int row);
// The actions a row offers, in button order.
std::vector<CreationsAction> creations_actions(const Creations& c, int row);
// What the name being typed lacks, "" when it can be taken.
std::string creations_name_problem(const Creations& c);

// Where things are on a window of the current size: the list's rows, the action buttons, the
// findings, the dialog's buttons and the form's rows, for the mouse and for drawing alike.
struct CreationsLayout {
    int margin = 0, top = 0, bottom = 0;  // the band between top and bottom holds the panels
    SDL_Rect list, detail, back;
    int row_height = 0, rows_shown = 0;
    SDL_Rect detail_map;
    std::vector<SDL_Rect> buttons;  // the highlighted row's actions
    SDL_Rect dialog;
    std::vector<SDL_Rect> dialog_buttons;  // name entry and delete: the two choices
    int finding_height = 0, findings_shown = 0;
    SDL_Rect findings;                           // the findings' list
    SDL_Rect form;                               // the new-level form's panel
    std::vector<SDL_Rect> form_rows;             // its rows, as FormRow orders them
    std::vector<SDL_Rect> form_value;            // where each row's value stands
    std::vector<SDL_Rect> form_less, form_more;  // the arrows of the choice rows (empty for text)
    std::vector<SDL_Rect> form_buttons;          // "Create", "Cancel"
};
CreationsLayout creations_layout(const Creations& c);
// The list row at a window point, or −1.
int creations_row_at(const Creations& c, const CreationsLayout& l, SDL_Point p);

// The frame's rules: keys, clicks, the controller, the glide and the fades. Returns
// screen_running, or 1 once the screen is over (choice is then set).
int creations_update(Creations& c, const Controls& in, const ChunkPtr* swipe = nullptr,
                     const ChunkPtr* click = nullptr);

// Everything the screen shows: fonts sized for the window, the maps, the form's samples and
// thumbnails (made on a worker thread), and a cache of text labels.
struct CreationsArt {
    int made_for_height = 0;
    FontPtr title_font, big_font, text_font, small_font;
    TexturePtr background, back, tile_picture, veil;
    TexturePtr panel;  // a rounded square whose corners round every panel, tinted
    PictureBox pictures;
    std::map<std::string, TexturePtr> thumbs;  // each level's map for its list row
    std::string detail_level;                  // the level of the detail map below
    TexturePtr detail_map;
    std::vector<TexturePtr> theme_samples;
    std::future<std::vector<SurfacePtr>> background_work;
    bool backgrounds_asked = false;
    std::vector<TexturePtr> background_thumbs;
    mutable std::map<std::string, TexturePtr> labels;  // by font, colour and text
};
CreationsArt creations_art();
// Before each frame's drawing: fonts for a new window size, the maps of the rows in sight and
// of the highlighted level, the form's pictures once it opens.
void creations_prepare(CreationsArt& art, const Creations& c);
void creations_draw(const Creations& c, const CreationsArt& art);

// The whole screen: how it was left.
CreationsChoice creations_screen(bool from_menu);
