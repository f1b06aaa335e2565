// Sound effects at menu or game volume, and one streamed music track whose changes are
// cross-faded by a short-lived worker thread, so a screen asking for new music never waits.
#pragma once
#include <SDL_mixer.h>

#include <string>

#include "app/sdl_handles.h"

extern int menu_volume;     // channel volume of menu sounds, 0 … 128 (full until settings apply)
extern int effects_volume;  // channel volume of game sounds, 0 … 128

// "ressources/sounds/sounds/" + name; null when missing (or the path is too long).
ChunkPtr load_sound(const std::string& name);
// Plays once on the first free channel, then sets that channel to the menu or game volume.
void play_sound(Mix_Chunk* chunk, bool menu);

// Volumes from the settings' fractions (0 … 1, kept within): general × menus and general × effects
// of the mixer's full 128.
void apply_effect_volumes(double general, double menus, double effects);
// The settings' music volume, a fraction of full (0 … 1, kept within). The music plays at this
// times the level the moment asks for (set_music_level).
void apply_music_volume(double volume);
// What the moment asks of the music, a fraction of the settings' music volume (0 … 1): full for
// a new track, lower as the player nears a level's exit.
void set_music_level(double level);

// Fades the current track out and the named one in, on the "fonduson" worker; the same name as
// the last request does nothing at all. The empty name fades the music out into silence.
void play_music(const std::string& name);
// The last track requested.
const std::string& current_music();
// How many fade workers were started since the program began.
int music_workers_started();

// Shutdown: waits for running fade workers, stops the music and frees the last track, so the
// audio device can be closed safely afterwards; the music volume and level are full again. A worker
// can hang opening its track (a level's music naming a named pipe): after 2 s of waiting this gives
// up, touches nothing and returns false, and the mixer must then be left open.
bool audio_shutdown();

// Sound and music paths are at most 99 characters as the source folder writes them
// ("ressources/sounds/…"; longer names load nothing), wherever the game is installed.
constexpr size_t max_sound_path = 99;
