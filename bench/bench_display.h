// The benchmarks' display: the libraries, the window at a given size and its software renderer,
// on the virtual clock, for as long as the record lives.
#pragma once
#include "app/clock.h"
#include "app/draw.h"
#include "app/settings.h"
#include "app/shell.h"

struct BenchDisplay {
    BenchDisplay(int w, int h) {
        clock_use_virtual(true);
        init_libraries();
        // The player's default smoothing, as the game starts with it: stretched pictures are
        // sampled as a new player sees them.
        settings_apply_smoothing();
        create_display();
        SDL_SetWindowSize(game_window, w, h);
        refresh_window_size();
    }
    ~BenchDisplay() {
        destroy_display();
        quit_libraries();
    }
    BenchDisplay(const BenchDisplay&) = delete;
    BenchDisplay& operator=(const BenchDisplay&) = delete;
};
