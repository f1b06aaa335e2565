// The program from start to quit: start-up, the screens in turn, shutdown.
#pragma once
#include <functional>
#include <string>

// Runs the whole game; returns the process exit status.
int run_game();
// Levels one after another: the selection, the chosen level, "Bravo !" after a win, the selection
// again. 1 when the player went back to the menu, 0 to quit.
int level_run();
// Races one after another: the selection, the chosen level raced by two players, its result
// screen, the selection again. tile_multiplayer when the players went back to the menu, 0 to
// quit.
int race_run();
// The Creations screen and the levels it plays or opens in the editor, Creations again after
// each. tile_creations when the author went back to the menu (the tile zooms back into place),
// 0 to quit.
int creations_run();

// Test seam, not set in the game: told each screen the flow opens as it starts (result empty),
// then again with what it returned, numbers in decimal, the level selection's choice as the
// level's name, "<back>" or "<quit>". The screens: "splash", "title", "menu",
// "select", "session", "race", "message" (whose result is the text shown), "settings", "credits",
// "creations" (whose result is creations_choice_words).
enum class FlowMoment { starts, returned };
using FlowTrace =
    std::function<void(FlowMoment moment, const std::string& screen, const std::string& result)>;
void set_flow_trace(FlowTrace trace);
