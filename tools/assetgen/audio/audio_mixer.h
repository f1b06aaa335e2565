// The loop mixer: collects the sounds of a track on a stereo bus with echo and reverb sends, then
// renders a mix that loops seamlessly. Whatever rings past the end of the loop (note releases,
// echoes, reverb) is wrapped around onto its start, so the last sample flows into the first.
#pragma once
#include <utility>

#include "audio/audio_synth.h"

namespace synth {

struct Send {
    float pan = 0;     // -1 left … 1 right
    float echo = 0;    // share sent to the ping-pong echo
    float reverb = 0;  // share sent to the reverb
};

struct Space {
    double echo_steps = 3;    // echo time in sixteenths
    float feedback = 0.35f;   // echo repeats
    float echo_level = 0.6f;  // echo return
    float reverb_level = 0.5f;
    float loudness = 0.05f;  // target RMS of the final mix, before its peaks are limited
};

class Song {
  public:
    Song(double bpm, int bars);

    double step_seconds() const { return step_seconds_; }
    size_t loop_samples() const { return loop_; }

    // Adds a mono sound beginning `step` sixteenths after the start of the loop.
    void add(const Sound& sound, double step, float gain, const Send& send);
    // The looping stereo mix (left, right), levelled and limited to kMusicPeak.
    std::pair<Sound, Sound> mixdown(const Space& space) const;

  private:
    double step_seconds_;
    size_t loop_;
    Sound left_, right_, echo_, reverb_;  // loop length plus room for the tail
};

}  // namespace synth
