// Effect volumes and music changes.
#include "app/audio.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "app/clock.h"
#include "app/shell.h"
#include "support/harness.h"

namespace {
struct AudioOnly {
    AudioOnly() {
        clock_use_virtual(true, 0);
        init_libraries();
    }
    ~AudioOnly() {
        let_music_workers_finish();
        quit_libraries();
        clock_use_virtual(false);
    }
};

int channel_volume_after_playing(bool menu) {
    static std::vector<Uint8> silence(44100, 0);
    ChunkPtr chunk(Mix_QuickLoad_RAW(silence.data(), static_cast<Uint32>(silence.size())));
    play_sound(chunk.get(), menu);
    int volume = -1;
    for (int ch = 0; ch < Mix_AllocateChannels(-1); ++ch)
        if (Mix_Playing(ch)) volume = Mix_Volume(ch, -1);
    Mix_HaltChannel(-1);
    return volume;
}
}  // namespace

// Menu and game sounds are both a share of the mixer's full 128, so every step of either slider
// is heard; out-of-range fractions are kept within 0 … 1.
TEST(Audio, EffectVolumesAreTheSettingsShareOfFullVolume) {
    AudioOnly audio;
    apply_effect_volumes(1.0, 1.0, 0.5);
    EXPECT_EQ(effects_volume, 64);
    EXPECT_EQ(channel_volume_after_playing(false), 64);

    apply_effect_volumes(0.6, 1.0, 1.0);
    EXPECT_EQ(channel_volume_after_playing(true), 76);
    apply_effect_volumes(0.6, 0.8, 1.0);
    EXPECT_EQ(channel_volume_after_playing(true), 61);  // Menus at 80 % is softer than at 100 %

    apply_effect_volumes(0.4, 1.0, 1.0);
    EXPECT_EQ(channel_volume_after_playing(true), 51);
    EXPECT_EQ(channel_volume_after_playing(false), 51);

    // A negative fraction would reach the mixer as a question that leaves the channel as it was.
    apply_effect_volumes(-0.56, 1.0, 1.0);
    EXPECT_EQ(channel_volume_after_playing(false), 0);
    EXPECT_EQ(channel_volume_after_playing(true), 0);
    apply_effect_volumes(2e7, 1.0, 1.0);
    EXPECT_EQ(channel_volume_after_playing(false), 128);
    EXPECT_EQ(channel_volume_after_playing(true), 128);
}

// The music plays at the player's music volume times what the moment asks: a new track asks for
// all of it, the exit for less as the player nears it.
TEST(Audio, MusicPlaysAtTheSettingTimesTheMomentsLevel) {
    AudioOnly audio;
    int started = music_workers_started();
    apply_music_volume(0.5);
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);
    set_music_level(0.5);
    EXPECT_EQ(Mix_VolumeMusic(-1), 32);
    apply_music_volume(0.25);  // the settings change near the exit
    EXPECT_EQ(Mix_VolumeMusic(-1), 16);
    play_music("vesk.ogg");
    EXPECT_EQ(Mix_VolumeMusic(-1), 32);  // a new track: all of the setting, no more
    EXPECT_EQ(music_workers_started(), started + 1);
    apply_music_volume(0.0);
    play_music("");
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);  // Music at 0 % stays silent

    // Kept within range: a wrapped setting is silence, not "unchanged".
    apply_music_volume(1.0);
    apply_music_volume(-0.56);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    apply_music_volume(3.0);
    EXPECT_EQ(Mix_VolumeMusic(-1), 128);
    set_music_level(-1);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
}

TEST(Audio, SameTrackTwiceStartsOneWorkerAndLeavesTheVolume) {
    AudioOnly audio;
    int started = music_workers_started();
    play_music("vesk.ogg");
    EXPECT_EQ(music_workers_started(), started + 1);
    Mix_VolumeMusic(40);
    play_music("vesk.ogg");
    EXPECT_EQ(music_workers_started(), started + 1);
    EXPECT_EQ(Mix_VolumeMusic(-1), 40);
    play_music("");  // silence after a fade-out
    EXPECT_EQ(current_music(), "");
    EXPECT_EQ(music_workers_started(), started + 2);
}

TEST(Audio, MissingOrOverlongSoundNamesLoadNothing) {
    AudioOnly audio;
    EXPECT_EQ(load_sound("no-such-sound.wav"), nullptr);
    EXPECT_EQ(load_sound(std::string(120, 'a') + ".wav"), nullptr);
    play_sound(nullptr, true);  // plays nothing, changes nothing
}

TEST(Audio, TheFadeWorkerStartsTheTrackAndTheEmptyNameSilencesIt) {
    AudioOnly audio;
    auto wait_for = [](bool playing) {
        for (int i = 0; i < 300 && (Mix_PlayingMusic() != 0) != playing; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return (Mix_PlayingMusic() != 0) == playing;
    };
    play_music("vesk.ogg");
    EXPECT_TRUE(wait_for(true));
    play_music("");
    EXPECT_TRUE(wait_for(false));
}

// A level whose music names a named pipe leaves the fade worker waiting to open it for a writer
// that never comes. Quitting waits for the worker a bounded time only, then leaves the mixer,
// which the worker may still use, open.
TEST(Audio, QuittingGivesUpOnAWorkerStuckOpeningItsTrack) {
    Sandbox sandbox;
    // A music folder of the sandbox's own, so the pipe is not made in the generated resources.
    std::filesystem::remove("ressources");
    std::filesystem::create_directories("ressources/sounds/musics");
    const char* pipe_path = "ressources/sounds/musics/stuck.ogg";
    ASSERT_EQ(mkfifo(pipe_path, 0600), 0);
    clock_use_virtual(true, 0);
    init_libraries();
    play_music("stuck.ogg");

    testing::internal::CaptureStdout();
    std::atomic<bool> quit{false};
    std::thread quitter([&] {
        quit_libraries();
        quit = true;
    });
    for (int i = 0; i < 500 && !quit; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(quit) << "quitting waits for the stuck music worker";
    if (quit) {
        EXPECT_NE(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the mixer was closed";
        EXPECT_NE(out.find("without closing the audio device"), std::string::npos) << out;
    }

    // Lets the worker go: a writer that opens and closes at once gives it an empty file.
    clock_use_virtual(false);
    bool released = false;
    for (int i = 0; i < 500 && !released; ++i) {
        int fd = open(pipe_path, O_WRONLY | O_NONBLOCK);
        released = fd >= 0;
        if (released)
            close(fd);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    quitter.join();
    EXPECT_TRUE(released);
    let_music_workers_finish();
    quit_libraries();  // the worker is gone: the mixer closes as usual
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
}
