// Building blocks for the game's synthesised sounds: oscillators, envelopes, filters, seeded
// noise, and writers for 16-bit WAV and Ogg Vorbis files. Everything is deterministic: the same
// code gives the same bytes on every run.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace synth {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTau = 2 * kPi;

using Sound = std::vector<float>;  // mono samples at kRate

inline size_t samples(double seconds) { return static_cast<size_t>(seconds * kRate + 0.5); }
inline double seconds(size_t index) { return static_cast<double>(index) / kRate; }
double midi_hz(double note);  // 69 = A4 = 440 Hz

// White noise in -1 … 1 (xorshift32 from a fixed seed).
class Noise {
  public:
    explicit Noise(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    float next();
    float uniform() { return 0.5f * (next() + 1.0f); }  // 0 … 1

  private:
    uint32_t state_;
};

// A phase accumulator. Saw and pulse are band-limited (PolyBLEP); every wave is zero-mean.
// Call exactly one wave function per sample: each call advances the phase by hz / kRate.
class Osc {
  public:
    explicit Osc(double phase = 0) : phase_(phase) {}
    float sine(double hz);
    float triangle(double hz);
    float saw(double hz);
    float pulse(double hz, double duty);
    // Sine with its phase offset by `mod` radians (for FM).
    float sine_pm(double hz, double mod);

  private:
    double advance(double hz);  // returns the phase before the step
    double phase_;
    double dt_ = 0;
};

// Attack-decay-sustain-release level (0 … 1) of a note held `held` seconds, at time `t` after it
// started. The attack is linear, the decay exponential, and the release reaches exactly zero.
struct Adsr {
    double attack = 0.005, decay = 0.1, sustain = 1.0, release = 0.05;
    double at(double t, double held) const;
    double length(double held) const { return held + release; }

  private:
    double holding(double t) const;
};

// Zero-delay-feedback state-variable filter; the cutoff may change every sample.
class Svf {
  public:
    struct Out {
        float low, band, high;
    };
    Out process(float x, double cutoff, double q = 0.7071);

  private:
    float ic1_ = 0, ic2_ = 0;
    double cutoff_ = -1, q_ = -1;  // the coefficients below were computed for these
    double k_ = 0, a1_ = 0, a2_ = 0, a3_ = 0;
};

// One-pole low-pass (a gentle 6 dB/octave tone control).
class OnePole {
  public:
    float low(float x, double cutoff);
    float high(float x, double cutoff) { return x - low(x, cutoff); }

  private:
    float state_ = 0;
    double cutoff_ = -1;
    float a_ = 0;
};

// Renders `length` seconds by calling f(t) for each sample time t.
template <class F>
Sound render(double length, F&& f) {
    Sound out(samples(length));
    for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<float>(f(seconds(i)));
    return out;
}

// Adds `src` times `gain` into `dst` starting at `at` seconds, growing `dst` if needed.
void mix_into(Sound& dst, const Sound& src, double at, float gain = 1.0f);
// Short fades at both ends so a sound never starts or stops with a click.
void fade_edges(Sound& s, double fade_in, double fade_out);
void normalize_peak(Sound& s, float peak);
// Smooth limiter with unity gain below `knee` that never exceeds `ceiling`.
float soft_limit(float x, float knee, float ceiling);

// 16-bit PCM WAV; `interleaved` holds `channels` samples per frame in -1 … 1.
bool write_wav(const std::string& path, const std::vector<float>& interleaved, int channels);
// Stereo Ogg Vorbis at a VBR quality (-0.1 … 1) with a fixed stream serial.
bool write_ogg(const std::string& path, const std::vector<float>& left,
               const std::vector<float>& right, float quality, int serial);

}  // namespace synth
