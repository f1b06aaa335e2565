// The program from start to quit: start-up, the screens in turn, shutdown.
#pragma once
#include <string>

// Runs the whole game; returns the process exit status.
int run_game();
// Levels one after another: the selection, the chosen level, "Bravo !" after a win, the selection
// again. 1 when the player went back to the menu, 0 to quit.
int level_run();
