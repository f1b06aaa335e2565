// Start-up in order, the flow between screens, and shutdown in reverse order.
#include "app/main_flow.h"

#include <SDL.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "app/audio.h"
#include "app/clock.h"
#include "app/draw.h"
#include "app/paths.h"
#include "app/random.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/splash.h"
#include "menus/creations.h"
#include "menus/main_menu.h"
#include "menus/settings_menu.h"
#include "menus/title.h"
#include "session/race.h"
#include "session/session.h"
#include "world/level_select.h"

namespace {
constexpr int message_wait_ms = 1500;
constexpr const char* won_message = "Bravo !";

FlowTrace flow_trace;

// A screen's result as the trace tells it: texts as they are, numbers in decimal, the level
// selection's choice as the level's name or the way it was left in angle brackets.
std::string trace_text(const std::string& text) { return text; }
std::string trace_text(int code) { return std::to_string(code); }
std::string trace_text(const SelectChoice& c) {
    switch (c.kind) {
        case SelectChoice::play:
            return c.level;
        case SelectChoice::back:
            return "<back>";
        case SelectChoice::quit:
            return "<quit>";
        default:
            return "<none>";
    }
}

// Runs one screen, telling the trace (when a test set one) as it starts and what it returned.
template <typename Screen>
auto traced(const char* name, Screen screen) {
    if (flow_trace) flow_trace(FlowMoment::starts, name, "");
    auto result = screen();
    if (flow_trace) flow_trace(FlowMoment::returned, name, trace_text(result));
    return result;
}

// After a won level: "Bravo !" for a moment.
void say_bravo() {
    traced("message", [] {
        show_message(won_message);
        sleep_ms(message_wait_ms);
        return std::string(won_message);
    });
}

// Escape in the level selection: the settings menu; a non-zero code leaves the selection.
int settings_from_selection() { return settings_menu(false); }

bool start_up() {
    random_seed(static_cast<std::uint32_t>(std::time(nullptr)));
    prepare_folders();
    settings_load();
    init_libraries();
    if (!create_display()) return false;
    window_intro();
    SDL_SetWindowMaximumSize(game_window, window_max_width, window_max_height);
    SDL_SetWindowMinimumSize(game_window, window_min_width, window_min_height);
    settings_apply();
    refresh_window_size();
    SDL_RenderClear(game_renderer);
    refresh_window_size();
    if (!traced("splash", [] { return show_splash(1400, "ide/splashScreen.png", true); }))
        return false;
    play_music("vesk.ogg");
    return traced("splash", [] { return show_splash(2000, "ide/splashScreen2.png", false); });
}

// The title, then the main menu and the screens it opens, until the player quits. Each menu
// opening receives the code the menu gave last, so the tile the player comes back from zooms
// back into place.
void main_flow() {
    if (traced("title", [] { return title_screen(false); }) != title_go_on) return;
    int menu_code = menu_code_quit;
    do {
        menu_code = traced("menu", [&] { return main_menu(menu_code); });
        switch (menu_code) {
            case tile_story:
                menu_code = level_run();
                break;
            case tile_multiplayer:
                menu_code = race_run();
                break;
            case tile_creations:
                menu_code = creations_run();
                break;
            case tile_settings:
                if (traced("settings", [] { return settings_menu(false); }) == menu_quit)
                    menu_code = menu_code_quit;
                break;
            case tile_credits:
                if (!traced("credits", credits_wait)) menu_code = menu_code_quit;
                break;
            case tile_close:
                menu_code = menu_code_quit;
                break;
            case menu_code_title:
                if (traced("title", [] { return title_screen(true); }) != title_go_on)
                    menu_code = menu_code_quit;
                break;
            default:
                break;
        }
    } while (menu_code != menu_code_quit);
}

void shut_down() {
    window_outro();
    destroy_display();
    quit_libraries();
}
}  // namespace

// Levels one after another: the selection, the level, the selection again. Returns 1 to show
// the main menu again, 0 to quit.
int level_run() {
    for (;;) {
        SelectChoice chosen =
            traced("select", [] { return level_select(settings_from_selection); });
        if (chosen.kind == SelectChoice::back) return 1;
        if (chosen.kind != SelectChoice::play) return 0;
        int result = traced("session", [&] { return run_session(chosen.level); });
        if (result == session_won) {
            say_bravo();
        } else if (result == session_quit) {
            return 0;
        }
    }
}

int race_run() {
    for (;;) {
        SelectChoice chosen =
            traced("select", [] { return level_select(settings_from_selection); });
        if (chosen.kind == SelectChoice::back) return tile_multiplayer;
        if (chosen.kind != SelectChoice::play) return menu_code_quit;
        int result = traced("race", [&] { return run_race(chosen.level); });
        if (result == session_quit) return menu_code_quit;
    }
}

int creations_run() {
    bool from_menu = true;
    for (;;) {
        CreationsChoice choice;
        traced("creations", [&] {
            choice = creations_screen(from_menu);
            return creations_choice_words(choice);
        });
        from_menu = false;
        if (choice.exit == CreationsExit::back) return tile_creations;
        if (choice.exit == CreationsExit::quit) return menu_code_quit;
        SessionStart how;
        how.editor = choice.exit == CreationsExit::edit;
        how.focus = choice.focus;
        how.focus_column = choice.column;
        how.focus_row = choice.row;
        how.focus_note = choice.note;
        int result = traced("session", [&] { return run_session(choice.level, how); });
        if (result == session_won) say_bravo();
        if (result == session_quit) return menu_code_quit;
    }
}

void set_flow_trace(FlowTrace trace) { flow_trace = std::move(trace); }

int run_game() {
    bool started = start_up();  // false: no window, or closed during a splash screen
    if (!game_window) {
        quit_libraries();
        return 1;
    }
    if (started) main_flow();
    shut_down();
    return 0;
}
