// The frame budget table of every screen, printed after the benchmarks.
#pragma once

// True when the command line asks for the table alone ("--frame_table_only").
bool frame_table_wanted(int argc, char** argv);
// Runs every screen at 1000 × 600 and 1920 × 1080 and prints the table.
void run_frame_table();
