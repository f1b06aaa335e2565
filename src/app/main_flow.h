// The program from start to quit: start-up, the screens in turn, shutdown.
#pragma once

// Runs the whole game; returns the process exit status.
int run_game();
