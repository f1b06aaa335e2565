// The program from start to quit: start-up, the screens in turn, shutdown.
#pragma once
#include <string>

// Runs the whole game; returns the process exit status.
int run_game();
// The level the game starts: the first folder of levels/, in name order, that holds both grid
// files and a description (0.lvl, 1.lvl and config.ini); "" when there is none.
std::string first_level();
