// Sound effects at menu or game volume, and one streamed music track whose changes are
// cross-faded by a short-lived worker thread, so a screen asking for new music never waits.
#pragma once
#include <SDL_mixer.h>

#include <string>

#include "app/sdl_handles.h"

extern int menu_volume;     // channel volume of menu sounds (255 until settings apply)
extern int effects_volume;  // channel volume of game sounds

// "ressources/sounds/sounds/" + name; null when missing (or the path is too long).
ChunkPtr load_sound(const std::string& name);
// Plays once on the first free channel, then sets that channel to the menu or game volume.
void play_sound(Mix_Chunk* chunk, bool menu);

// Volumes from the settings' fractions (0 … 1): general × menus × 255, general × effects × 128.
void apply_effect_volumes(double general, double menus, double effects);
// Music volume as a fraction of full (0 … 1): the settings, a new track, the exit's nearness.
void apply_music_volume(double volume);

// Fades the current track out and the named one in, on the "fonduson" worker; the same name as
// the last request does nothing at all. The empty name fades the music out into silence.
void play_music(const std::string& name);
// The last track requested.
const std::string& current_music();
// How many fade workers were started since the program began.
int music_workers_started();

// Shutdown: waits for running fade workers, stops the music and frees the last track, so the
// audio device can be closed safely afterwards. A worker can hang opening its track (a level's
// music naming a named pipe): after 2 s of waiting this gives up, touches nothing and returns
// false, and the mixer must then be left open.
bool audio_shutdown();

// Full sound and music paths are at most 99 characters (longer names load nothing).
constexpr size_t max_sound_path = 99;
