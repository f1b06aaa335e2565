// Effects, volumes and the music fade worker.
#include "app/audio.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>

#include "app/clock.h"
#include "app/paths.h"

int menu_volume = MIX_MAX_VOLUME;
int effects_volume = MIX_MAX_VOLUME;

namespace {
const std::string sounds_folder = "sounds/sounds/";
const std::string music_folder = "sounds/musics/";
constexpr int shutdown_wait_ms = 2000;  // how long quitting waits for the fade workers

std::string last_requested;
MusicPtr current_music_track;  // freed and replaced under music_lock
std::mutex music_lock;         // serialises the free-load-start step of workers
std::atomic<int> workers_running{0};
std::atomic<int> workers_started{0};
double music_setting = 1;  // the settings' music volume
double music_level = 1;    // what the moment asks of it

// A fraction of full volume kept within 0 … 1, so that no product of it leaves the mixer's range
// (whose volumes outside 0 … 128 are read as a question that changes nothing) or an int's.
double unit(double fraction) {
    if (!(fraction > 0)) return 0;
    return std::min(fraction, 1.0);
}

int mixer_volume(double fraction) { return static_cast<int>(unit(fraction) * MIX_MAX_VOLUME); }

void update_music_volume() { Mix_VolumeMusic(mixer_volume(music_setting * music_level)); }

int fade_worker(void* data) {
    std::unique_ptr<std::string> name(static_cast<std::string*>(data));
    std::string relative = music_folder + *name;
    std::string path = resource_path(relative);
    Mix_FadeOutMusic(500);
    sleep_ms(500);
    {
        std::lock_guard<std::mutex> lock(music_lock);
        current_music_track.reset();
        if (source_resource_chars(relative) <= max_sound_path)
            current_music_track.reset(Mix_LoadMUS(path.c_str()));
        if (current_music_track) Mix_FadeInMusic(current_music_track.get(), -1, 1000);
    }
    workers_running.fetch_sub(1);
    return 0;
}
}  // namespace

ChunkPtr load_sound(const std::string& name) {
    std::string relative = sounds_folder + name;
    if (source_resource_chars(relative) > max_sound_path) return nullptr;
    SDL_RWops* rw = SDL_RWFromFile(resource_path(relative).c_str(), "rb");
    if (!rw) return nullptr;
    return ChunkPtr(Mix_LoadWAV_RW(rw, 1));
}

void play_sound(Mix_Chunk* chunk, bool menu) {
    if (!chunk) return;
    int channel = Mix_PlayChannelTimed(-1, chunk, 0, -1);
    if (channel < 0) return;
    Mix_Volume(channel, std::clamp(menu ? menu_volume : effects_volume, 0, MIX_MAX_VOLUME));
}

void apply_effect_volumes(double general, double menus, double effects) {
    menu_volume = mixer_volume(unit(general) * unit(menus));
    effects_volume = mixer_volume(unit(general) * unit(effects));
}

void apply_music_volume(double volume) {
    music_setting = unit(volume);
    update_music_volume();
}

void set_music_level(double level) {
    music_level = unit(level);
    update_music_volume();
}

void play_music(const std::string& name) {
    if (name == last_requested) return;
    last_requested = name;
    workers_running.fetch_add(1);
    workers_started.fetch_add(1);
    auto arg = std::make_unique<std::string>(name);
    SDL_Thread* t = SDL_CreateThread(fade_worker, "fonduson", arg.get());
    if (t) {
        arg.release();  // the worker owns its copy of the name now
        SDL_DetachThread(t);
    } else {
        workers_running.fetch_sub(1);
    }
    set_music_level(1.0);
}

const std::string& current_music() { return last_requested; }

int music_workers_started() { return workers_started.load(); }

bool audio_shutdown() {
    int give_up_at = now_ms() + shutdown_wait_ms;
    while (workers_running.load() > 0 && now_ms() < give_up_at) sleep_ms(1);
    if (workers_running.load() > 0) return false;
    std::lock_guard<std::mutex> lock(music_lock);
    Mix_HaltMusic();
    current_music_track.reset();
    last_requested.clear();
    music_setting = music_level = 1;
    return true;
}
