// The way out of a level: nearing the exit point (the centre of the portal, five cells up and
// right of the exit marker) the player is captured, drawn in a twentieth of the way each frame,
// and the level is won on arrival. The same record carries the black veil that opens the level
// and closes it when the session ends, however it ends.
#pragma once
#include <string>

#include "app/sdl_handles.h"
#include "session/world.h"

struct LevelTransition {
    // 30 × the player's distance to the exit point, 0 … 255, and the same unclamped. Until the
    // first update measures them (an editor switched on before the level's first frame keeps
    // them), the exit counts as far away: no darkening, full music.
    double proximity = 255;
    double music_proximity = 400;
    bool captured = false;  // the exit has taken the player over; never released
    int intro_alpha = 255;  // the opening and closing veil: black at the level's entry
};

// The veil: a 1 × 1 black texture stretched over the window, blended.
struct TransitionArt {
    TexturePtr veil;
};
// The chime of arrival.
struct TransitionSounds {
    ChunkPtr end;
};

// The player's distance to the exit point, in thirtieths of a cell.
double exit_proximity(const Player& p, const World& w);
// One frame, with the editor off: capture and pull, the veil opening (or closing once the
// session has a result), and the win on arrival, which plays the end sound.
void transition_update(LevelTransition& t, int& session_result, Player& p, const World& w,
                       Mix_Chunk* end_sound);
// One frame of the opening veil alone: a level entered with the editor on opens all the same.
void transition_open(LevelTransition& t);
// True while the closing veil has not nearly covered the window: a session with a result keeps
// running, frozen, until then.
bool transition_running(const LevelTransition& t);
// Every frame, also with the editor on, after transition_update: the music fades with the
// exit's nearness, at the settings' music volume from 13⅓ cells away (400 thirtieths) and silent
// at the exit point.
void transition_music(LevelTransition& t);

// Entering a level: the screen turns black and shows the level's title and creator, the level's
// loading screen starts over that card (2000 ms at least; the caller loads, then calls
// loading_end), and the veil is made and set fully black, to open once the level runs. The end
// sound is loaded here too.
void level_intro_card(LevelTransition& t, TransitionArt& art, TransitionSounds& sounds,
                      const std::string& titre, const std::string& createur);
// Darkens the window with the player's nearness to the exit: black at the exit point, clear from
// 8.5 cells away. Drawn under the portal, the player and the gauges, which stay visible.
void transition_draw_proximity(const LevelTransition& t, const TransitionArt& art);
// The opening and closing veil, the last drawing of a frame.
void transition_draw_veil(const LevelTransition& t, const TransitionArt& art);
// The session's last frame, whatever its result: one black frame; the veil is freed.
void transition_close(TransitionArt& art);
