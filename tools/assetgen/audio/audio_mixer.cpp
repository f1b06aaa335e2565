// Loop mixing: sends, a ping-pong echo, a small reverb, levelling and a soft limiter.
#include "audio/audio_mixer.h"

#include <algorithm>
#include <cmath>

#include "audio/audio_levels.h"

namespace synth {

namespace {

constexpr double kTailSeconds = 6.0;

// Adds everything past `loop` onto the start of the loop and trims it.
Sound folded(Sound s, size_t loop) {
    for (size_t i = loop; i < s.size(); ++i) s[i % loop] += s[i];
    s.resize(loop);
    return s;
}

// Runs a stateful effect twice around the loop and keeps only the second lap, so the effect's
// state at the start of the loop is the one it has at the end.
template <class F>
void around_loop(size_t n, F&& f) {
    for (int lap = 0; lap < 2; ++lap) {
        for (size_t i = 0; i < n; ++i) f(i, lap == 1);
    }
}

// Echoes bounce left, right, left… each repeat a little darker.
void add_echo(const Sound& send, const Space& space, double step_seconds, Sound& left,
              Sound& right) {
    size_t delay = samples(space.echo_steps * step_seconds);
    Sound line_l(delay), line_r(delay);
    OnePole tone_l, tone_r;
    size_t w = 0;
    around_loop(send.size(), [&](size_t i, bool keep) {
        float dl = line_l[w];
        float dr = line_r[w];
        line_l[w] = send[i] + space.feedback * tone_r.low(dr, 3500);
        line_r[w] = space.feedback * tone_l.low(dl, 3500);
        if (++w == delay) w = 0;
        if (!keep) return;
        left[i] += space.echo_level * dl;
        right[i] += space.echo_level * dr;
    });
}

class Comb {
  public:
    explicit Comb(size_t length) : line_(length) {}
    float process(float x) {
        float y = line_[i_];
        damped_ = y * 0.75f + damped_ * 0.25f;
        line_[i_] = x + damped_ * 0.84f;
        if (++i_ == line_.size()) i_ = 0;
        return y;
    }

  private:
    Sound line_;
    size_t i_ = 0;
    float damped_ = 0;
};

class Allpass {
  public:
    explicit Allpass(size_t length) : line_(length) {}
    float process(float x) {
        float b = line_[i_];
        line_[i_] = x + b * 0.5f;
        if (++i_ == line_.size()) i_ = 0;
        return b - x;
    }

  private:
    Sound line_;
    size_t i_ = 0;
};

// A small Schroeder-style room (parallel damped combs into allpasses), one per channel with
// slightly different lengths for width.
class Room {
  public:
    explicit Room(size_t spread) {
        for (size_t length : {1116, 1188, 1277, 1356, 1422, 1557})
            combs_.emplace_back(length + spread);
        for (size_t length : {556, 441, 341}) allpasses_.emplace_back(length + spread);
    }
    float process(float x) {
        float sum = 0;
        for (Comb& c : combs_) sum += c.process(x);
        for (Allpass& a : allpasses_) sum = a.process(sum);
        return sum * 0.1f;
    }

  private:
    std::vector<Comb> combs_;
    std::vector<Allpass> allpasses_;
};

void add_reverb(const Sound& send, float level, Sound& left, Sound& right) {
    Room room_l(0), room_r(23);
    around_loop(send.size(), [&](size_t i, bool keep) {
        float l = room_l.process(send[i]);
        float r = room_r.process(send[i]);
        if (!keep) return;
        left[i] += level * l;
        right[i] += level * r;
    });
}

}  // namespace

Song::Song(double bpm, int bars)
    : step_seconds_(60.0 / bpm / 4.0),
      loop_(samples(bars * 16 * step_seconds_)),
      left_(loop_ + samples(kTailSeconds)),
      right_(left_.size()),
      echo_(left_.size()),
      reverb_(left_.size()) {}

void Song::add(const Sound& sound, double step, float gain, const Send& send) {
    size_t start = samples(step * step_seconds_) % loop_;
    size_t count = std::min(sound.size(), left_.size() - start);
    double angle = (send.pan + 1.0) * kPi / 4.0;  // equal power, unity in the centre
    auto gain_l = static_cast<float>(gain * std::cos(angle) * std::sqrt(2.0));
    auto gain_r = static_cast<float>(gain * std::sin(angle) * std::sqrt(2.0));
    for (size_t i = 0; i < count; ++i) {
        float v = sound[i];
        left_[start + i] += v * gain_l;
        right_[start + i] += v * gain_r;
        echo_[start + i] += v * gain * send.echo;
        reverb_[start + i] += v * gain * send.reverb;
    }
}

std::pair<Sound, Sound> Song::mixdown(const Space& space) const {
    Sound left = folded(left_, loop_);
    Sound right = folded(right_, loop_);
    add_echo(folded(echo_, loop_), space, step_seconds_, left, right);
    add_reverb(folded(reverb_, loop_), space.reverb_level, left, right);
    double energy = 0;
    for (size_t i = 0; i < loop_; ++i) energy += left[i] * left[i] + right[i] * right[i];
    double rms = std::sqrt(energy / (2.0 * static_cast<double>(loop_)));
    auto gain = static_cast<float>(rms > 0 ? space.loudness / rms : 1.0);
    constexpr float knee = 0.75f * kMusicPeak;
    for (size_t i = 0; i < loop_; ++i) {
        left[i] = soft_limit(left[i] * gain, knee, kMusicPeak);
        right[i] = soft_limit(right[i] * gain, knee, kMusicPeak);
    }
    return {std::move(left), std::move(right)};
}

}  // namespace synth
