// The generator's sound writers and the loop mixer: files the mixer reads, identical bytes on
// every run, music whose end flows into its start, and a mix of music and effects that never
// clips.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/sdl_handles.h"
#include "audio/audio_levels.h"
#include "audio/audio_mixer.h"
#include "audio/audio_sfx.h"
#include "audio/audio_synth.h"
#include "support/harness.h"

using namespace synth;

namespace {
uint32_t le32(const std::string& s, size_t at) {
    uint32_t v = 0;
    std::memcpy(&v, s.data() + at, 4);
    return v;
}
uint16_t le16(const std::string& s, size_t at) {
    uint16_t v = 0;
    std::memcpy(&v, s.data() + at, 2);
    return v;
}
float peak_of(const Sound& s) {
    float p = 0;
    for (float v : s) p = std::max(p, std::fabs(v));
    return p;
}
struct Mixer {
    Mixer() {
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
        SDL_Init(SDL_INIT_AUDIO);
        Mix_Init(MIX_INIT_OGG);
        Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024);
    }
    ~Mixer() {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_Quit();
    }
};
}  // namespace

TEST(Synth, WavFilesHaveAProperHeaderAndClampedSamples) {
    TempDir dir;
    std::string path = dir.path + "/sounds/x.wav";
    std::vector<float> samples = {0.0f, 0.5f, -0.5f, 1.0f, -1.0f, 3.0f, -3.0f, 0.25f};
    ASSERT_TRUE(write_wav(path, samples, 2));
    std::string f = read_file(path);
    ASSERT_EQ(f.size(), 44u + samples.size() * 2);
    EXPECT_EQ(f.substr(0, 4), "RIFF");
    EXPECT_EQ(le32(f, 4), f.size() - 8);
    EXPECT_EQ(f.substr(8, 4), "WAVE");
    EXPECT_EQ(le16(f, 20), 1);  // PCM
    EXPECT_EQ(le16(f, 22), 2);
    EXPECT_EQ(le32(f, 24), 44100u);
    EXPECT_EQ(le16(f, 34), 16);
    EXPECT_EQ(le32(f, 40), samples.size() * 2);
    auto sample = [&](int i) { return static_cast<int16_t>(le16(f, 44 + 2 * i)); };
    EXPECT_EQ(sample(0), 0);
    EXPECT_GT(sample(5), 32000);  // clamped to full scale, not wrapped
    EXPECT_LT(sample(6), -32000);
    Mixer mixer;
    ChunkPtr chunk(Mix_LoadWAV(path.c_str()));
    EXPECT_NE(chunk, nullptr);
}

TEST(Synth, OggFilesAreIdenticalRunToRunAndLastTheirLength) {
    TempDir dir;
    Sound left = render(2.0, [](double t) { return 0.3 * std::sin(kTau * 440 * t); });
    Sound right = render(2.0, [](double t) { return 0.3 * std::sin(kTau * 330 * t); });
    ASSERT_TRUE(write_ogg(dir.path + "/a.ogg", left, right, 0.3f, 1234));
    ASSERT_TRUE(write_ogg(dir.path + "/b.ogg", left, right, 0.3f, 1234));
    std::string a = read_file(dir.path + "/a.ogg");
    EXPECT_EQ(a, read_file(dir.path + "/b.ogg"));
    EXPECT_EQ(a.substr(0, 4), "OggS");
    EXPECT_EQ(le32(a, 14), 1234u);  // the stream serial
    Mixer mixer;
    MusicPtr music(Mix_LoadMUS((dir.path + "/a.ogg").c_str()));
    ASSERT_NE(music, nullptr);
    EXPECT_NEAR(Mix_MusicDuration(music.get()), 2.0, 0.01);
}

TEST(Synth, EnvelopesEndAtSilence) {
    Adsr env{0.01, 0.1, 0.5, 0.2};
    EXPECT_NEAR(env.at(0.005, 1.0), 0.5, 1e-6);       // halfway up the linear attack
    EXPECT_NEAR(env.at(0.9, 1.0), 0.5, 1e-3);         // holding at the sustain level
    EXPECT_NEAR(env.at(1.1, 1.0), 0.5 * 0.25, 1e-3);  // half-way through the release
    EXPECT_NEAR(env.at(1.2, 1.0), 0.0, 1e-12);        // the release reaches silence
    EXPECT_EQ(env.at(1.3, 1.0), 0.0);
    EXPECT_EQ(env.length(1.0), 1.2);
}

TEST(Synth, TailsWrapAroundSoTheLoopIsSeamless) {
    Song song(120, 1);  // one bar of 2 s
    Sound ring = render(1.0, [](double t) { return 0.5 * std::sin(kTau * 220 * t) * (1 - t); });
    song.add(ring, 15, 1.0f, Send{});  // the last sixteenth: rings 0.875 s past the end
    auto [left, right] = song.mixdown(Space{});
    ASSERT_EQ(left.size(), song.loop_samples());
    ASSERT_EQ(right.size(), song.loop_samples());
    double head = 0;
    for (size_t i = 0; i < samples(0.5); ++i) head += std::fabs(left[i]);
    EXPECT_GT(head, 0);  // the tail sounds at the start of the loop
    // The last sample flows into the first like any two neighbours inside the loop.
    double biggest_step = 0;
    for (size_t i = 1; i < left.size(); ++i)
        biggest_step = std::max(biggest_step, std::fabs(double(left[i]) - left[i - 1]));
    EXPECT_LE(std::fabs(double(left.front()) - left.back()), biggest_step + 1e-6);
}

// At full volume the game adds the music and the effects sample by sample and scales none of
// them. The effects as the generator writes them and a loop far hotter than any track, pushed
// through the mixdown every track goes through: even with the music at its peak and the three
// loudest effects at theirs at the same moment, and room left for what the Ogg coder adds to the
// music's peaks, the sum stays below full scale.
TEST(Synth, MusicAndTheThreeLoudestEffectsNeverClip) {
    std::vector<float> effects;
    for (const Effect& e : render_effects()) {
        effects.push_back(peak_of(e.samples));
        EXPECT_GT(effects.back(), 0.0f) << e.name;
    }
    ASSERT_GE(effects.size(), 3u);
    std::sort(effects.rbegin(), effects.rend());

    Song song(120, 1);
    Sound chord = render(1.0, [](double t) {
        return std::sin(kTau * 110 * t) + std::sin(kTau * 165 * t) + std::sin(kTau * 277 * t);
    });
    for (int step = 0; step < 16; step += 2) song.add(chord, step, 1.0f, Send{0.3f, 0.5f, 0.5f});
    Space hot;
    hot.loudness = 0.5f;  // ten times a track's level: deep into the limiter
    auto [left, right] = song.mixdown(hot);
    float music = std::max(peak_of(left), peak_of(right));
    EXPECT_LE(music, kMusicPeak);
    EXPECT_GT(music, 0.95f * kMusicPeak);

    float worst = music * kCodecOvershoot + effects[0] + effects[1] + effects[2];
    EXPECT_LE(worst, 1.0f) << "music " << music << ", effects " << effects[0] << " + " << effects[1]
                           << " + " << effects[2];
}
