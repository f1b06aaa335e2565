// The way out of a level: nearing the exit point (the centre of the portal, five cells up and
// right of the exit marker) the player is captured, drawn in a twentieth of the way each frame,
// and the level is won on arrival. The same record carries the black veil that opens the level
// and closes it when the session ends, however it ends.
#pragma once
#include "app/sdl_handles.h"
#include "session/world.h"

struct LevelTransition {
    double proximity = 0;        // 30 × the player's distance to the exit point, 0 … 255
    double music_proximity = 0;  // the same, unclamped
    bool captured = false;       // the exit has taken the player over; never released
    int intro_alpha = 255;       // the opening and closing veil: black at the level's entry
};

// The player's distance to the exit point, in thirtieths of a cell.
double exit_proximity(const Player& p, const World& w);
// One frame, with the editor off: capture and pull, the veil opening (or closing once the
// session has a result), and the win on arrival, which plays the end sound.
void transition_update(LevelTransition& t, int& session_result, Player& p, const World& w,
                       Mix_Chunk* end_sound);
// True while the closing veil has not nearly covered the window: a session with a result keeps
// running, frozen, until then.
bool transition_running(const LevelTransition& t);
