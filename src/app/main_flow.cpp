// Start-up in order, the flow between screens, and shutdown in reverse order.
#include "app/main_flow.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "app/audio.h"
#include "app/clock.h"
#include "app/draw.h"
#include "app/random.h"
#include "app/settings.h"
#include "app/shell.h"
#include "session/session.h"

namespace {
constexpr int message_wait_ms = 1500;

bool start_up() {
    random_seed(static_cast<std::uint32_t>(std::time(nullptr)));
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

std::string first_level() {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    auto holds = [](const fs::path& p, const char* file) {
        std::error_code unreadable;
        return fs::exists(p / file, unreadable);
    };
    for (fs::directory_iterator it("levels", ec), end; !ec && it != end; it.increment(ec)) {
        fs::path p = it->path();
        if (holds(p, "0.lvl") && holds(p, "1.lvl") && holds(p, "config.ini"))
            names.push_back(p.filename().string());
    }
    std::sort(names.begin(), names.end());
    return names.empty() ? "" : names.front();
}

int run_game() {
    if (!start_up()) {
        quit_libraries();
        return 1;
    }
    std::string level = first_level();
    if (level.empty()) {
        std::printf(
            "No level found in levels/ (a level is a folder holding 0.lvl, 1.lvl and "
            "config.ini).\n");
    } else if (run_session(level) == session_won) {
        show_message("Bravo !");
        sleep_ms(message_wait_ms);
    }
    shut_down();
    return 0;
}
