// Start-up in order, the flow between screens, and shutdown in reverse order.
#include "app/main_flow.h"

#include <SDL.h>

#include <cstdlib>
#include <ctime>

#include "app/audio.h"
#include "app/clock.h"
#include "app/draw.h"
#include "app/settings.h"
#include "app/shell.h"

namespace {
constexpr int message_wait_ms = 1500;

bool start_up() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    init_libraries();
    if (!create_display()) return false;
    window_intro();
    SDL_SetWindowMaximumSize(game_window, 1920, 1080);
    SDL_SetWindowMinimumSize(game_window, 800, 600);
    settings_apply();
    refresh_window_size();
    SDL_RenderClear(game_renderer);
    refresh_window_size();
    play_music("vesk.ogg");
    return true;
}

void shut_down() {
    window_outro();
    destroy_display();
    quit_libraries();
}
}  // namespace

int run_game() {
    if (!start_up()) {
        quit_libraries();
        return 1;
    }
    show_message("Bravo !");
    sleep_ms(message_wait_ms);
    shut_down();
    return 0;
}
