// The game's sound effects, each synthesised from a few oscillators, noise, sweeps and envelopes,
// and written as 44.1 kHz 16-bit mono WAV.
#include "audio/audio_sfx.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "assetgen.h"
#include "audio/audio_instruments.h"
#include "audio/audio_levels.h"

namespace synth {

namespace {

// Exponential glide from `from` to `to` Hz over `time` seconds, then holding `to`.
double glide(double from, double to, double time, double t) {
    return from * std::pow(to / from, std::min(t / time, 1.0));
}

// A short menu tick: a falling square blip over a crisp transient.
Sound click() {
    Osc blip;
    Noise noise(11);
    Svf air;
    return render(0.045, [&](double t) {
        double tone = blip.pulse(glide(1800, 900, 0.03, t), 0.5) * std::exp(-t / 0.009);
        double tick = air.process(noise.next(), 3000).high * std::exp(-t / 0.002);
        return 0.6 * tone + 0.5 * tick;
    });
}

// Air brushed past: noise through a band-pass sweeping upward, swelling and fading.
Sound swipe() {
    Noise noise(12);
    Svf band;
    constexpr double kLength = 0.24;
    return render(kLength, [&](double t) {
        double x = t / kLength;
        double env = std::pow(std::sin(kPi * std::pow(x, 0.7)), 2.0);
        return band.process(noise.next(), glide(600, 5000, kLength, t), 2.5).band * env;
    });
}

// A rising major arpeggio of bells that rings out.
Sound chime() {
    Sound out;
    const double notes[] = {79, 84, 88, 91, 96};  // G5 C6 E6 G6 C7
    for (int i = 0; i < 5; ++i) {
        BellTone tone{1.0 + 2.5 * (i % 2), 1.2, i == 4 ? 0.26 : 0.18};
        mix_into(out, bell(midi_hz(notes[i]), tone), 0.075 * i, i == 4 ? 1.0f : 0.7f);
    }
    return out;
}

// The classic two-note coin: a short B5 jumping to a ringing E6.
Sound coin() {
    Osc square;
    OnePole soften;
    return render(0.42, [&](double t) {
        bool second = t >= 0.065;
        double hz = midi_hz(second ? 88 : 83);
        double env = second ? std::exp(-(t - 0.065) / 0.11) : 1.0;
        return soften.low(square.pulse(hz, 0.5), 7000) * env;
    });
}

// A springy square sweep upward.
Sound jump() {
    Osc square;
    OnePole soften;
    return render(0.22, [&](double t) {
        double hz = 250.0 + 600.0 * std::pow(std::min(t / 0.18, 1.0), 0.6);
        double env = std::min(t / 0.005, 1.0) * std::exp(-t / 0.09);
        return soften.low(square.pulse(hz, 0.25), 5000) * env;
    });
}

// A soft footfall: a muffled scuff of noise over a tiny low thump.
Sound step(uint32_t seed, double pitch, double cutoff) {
    Osc thump;
    Noise noise(seed);
    Svf scuff;
    return render(0.06, [&](double t) {
        double body = thump.sine(glide(pitch, pitch * 0.5, 0.04, t)) * std::exp(-t / 0.015);
        double grit = scuff.process(noise.next(), cutoff).low * std::exp(-t / 0.012);
        return 0.7 * body + grit;
    });
}

// A hollow thump as the block is struck, then a quick rising sparkle.
Sound item_block() {
    Osc body;
    Osc knock;
    Noise noise(13);
    OnePole muffle;
    Sound out = render(0.2, [&](double t) {
        double thump = body.sine(glide(190, 70, 0.08, t)) * std::exp(-t / 0.06);
        double wood = knock.pulse(110, 0.5) * std::exp(-t / 0.03);
        double hit = muffle.low(noise.next(), 1500) * std::exp(-t / 0.008);
        return thump + 0.3 * wood + 0.6 * hit;
    });
    const double sparkle[] = {88, 92, 95, 100};  // E6 G#6 B6 E7
    for (int i = 0; i < 4; ++i) {
        mix_into(out, bell(midi_hz(sparkle[i]), {2.0, 0.6, 0.07}), 0.06 + 0.04 * i, 0.35f);
    }
    return out;
}

// Bricks giving way: a thud under a shower of short noise grains at random pitches.
Sound break_block() {
    Osc body;
    Noise noise(14);
    OnePole rumble;
    Sound out = render(0.4, [&](double t) {
        double thud = body.sine(glide(130, 50, 0.1, t)) * std::exp(-t / 0.07);
        return 0.8 * thud + 0.7 * rumble.low(noise.next(), 900) * std::exp(-t / 0.06);
    });
    Noise pick(15);
    for (int i = 0; i < 14; ++i) {
        double at = 0.25 * std::pow(pick.uniform(), 1.6);
        double centre = 800.0 + 3200.0 * pick.uniform();
        double level = 0.9 * std::exp(-at / 0.12);
        Noise grain_noise(100 + static_cast<uint32_t>(i));
        Svf band;
        Sound grain = render(0.03, [&](double t) {
            return band.process(grain_noise.next(), centre, 2.0).band * std::exp(-t / 0.008);
        });
        mix_into(out, grain, at, static_cast<float>(level));
    }
    return out;
}

// A dull, heavy knock: low sine drop, muffled noise, a faint clack.
Sound hard() {
    Osc body;
    Osc knock;
    Noise noise(16);
    OnePole muffle;
    Svf clack;
    return render(0.22, [&](double t) {
        double drop = body.sine(glide(95, 55, 0.12, t)) * std::exp(-t / 0.07);
        double mid = knock.triangle(200) * std::exp(-t / 0.02);
        double dust = muffle.low(noise.next(), 800) * std::exp(-t / 0.02);
        double wood = clack.process(noise.next(), 1200, 3.0).band * std::exp(-t / 0.01);
        return drop + 0.4 * mid + 0.8 * dust + 0.5 * wood;
    });
}

// A falling, wobbling square: something lost, something hurt.
Sound rem() {
    Osc square;
    OnePole soften;
    constexpr double kLength = 0.42;
    return render(kLength, [&](double t) {
        double wobble = 1.0 + 0.03 * std::sin(kTau * 18.0 * t);
        double hz = glide(700, 150, 0.38, t) * wobble;
        double env = std::min(t / 0.004, 1.0) * std::min((kLength - t) / 0.12, 1.0);
        return soften.low(square.pulse(hz, 0.5 - 0.25 * t / kLength), 4000) * env;
    });
}

// Game over: three sliding steps down and a long sagging last note over a low triangle.
Sound over() {
    Sound out;
    const double notes[] = {67, 66, 65};  // G4 F#4 F4
    LeadTone tone{0.5, 0.0, 6.0, 6.0, {0.006, 0.1, 0.8, 0.05}};
    for (int i = 0; i < 3; ++i) mix_into(out, lead(midi_hz(notes[i]), 0.17, tone), 0.22 * i);
    LeadTone last{0.5, 0.45, 6.0, 6.0, {0.006, 0.4, 0.7, 0.25}};
    mix_into(out, lead(midi_hz(64), 0.6, last), 0.66);  // E4
    Osc low;
    Adsr env{0.01, 0.5, 0.6, 0.3};
    mix_into(out, render(1.4, [&](double t) { return low.triangle(midi_hz(40)) * env.at(t, 1.1); }),
             0.0, 0.5f);
    return out;
}

// A whoosh: noise through a band-pass that rises and falls, over a breath of low rumble.
Sound dash() {
    Noise noise(17);
    Svf band;
    OnePole rumble;
    constexpr double kLength = 0.32;
    return render(kLength, [&](double t) {
        double x = t / kLength;
        double centre = 400.0 + 2200.0 * std::sin(kPi * std::pow(x, 0.6));
        double env = std::min(t / 0.03, 1.0) * std::pow(1.0 - x, 1.5);
        float n = noise.next();
        return (band.process(n, centre, 1.8).band + 0.4 * rumble.low(n, 300)) * env;
    });
}

// A blade: a bright noise slash sweeping down, with a short metallic ring.
Sound cut() {
    Noise noise(18);
    Svf band;
    std::vector<Osc> ring(3);
    const double partials[] = {2630, 3910, 5210};
    return render(0.25, [&](double t) {
        double slash = band.process(noise.next(), glide(7000, 2200, 0.08, t), 1.2).band;
        double env = std::min(t / 0.003, 1.0) * std::exp(-t / 0.035);
        double metal = 0;
        for (size_t k = 0; k < ring.size(); ++k) metal += ring[k].sine(partials[k]);
        return 1.4 * slash * env + 0.12 * metal * std::exp(-t / 0.07);
    });
}

// A round pop: a sine dropping fast in pitch.
Sound put() {
    Osc body;
    return render(0.11, [&](double t) {
        double env = std::min(t / 0.001, 1.0) * std::exp(-t / 0.03);
        return body.sine(glide(1000, 320, 0.035, t)) * env;
    });
}

// RMS of the loudest 50 ms window.
float loudest_rms(const Sound& s) {
    size_t window = std::min(samples(0.05), s.size());
    double energy = 0;
    double best = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        energy += static_cast<double>(s[i]) * s[i];
        if (i >= window) energy -= static_cast<double>(s[i - window]) * s[i - window];
        best = std::max(best, energy);
    }
    return static_cast<float>(std::sqrt(best / static_cast<double>(window)));
}

// The effect as the game gets it: faded in and out, at most kEffectPeak, and no louder over its
// loudest 50 ms than `loudness`.
Sound levelled(Sound s, float loudness) {
    fade_edges(s, 0.002, 0.006);
    normalize_peak(s, kEffectPeak);
    float rms = loudest_rms(s);
    if (rms > loudness) {
        for (float& v : s) v *= loudness / rms;
    }
    return s;
}

}  // namespace

std::vector<Effect> render_effects() {
    const std::pair<const char*, std::function<Sound()>> effects[] = {
        {"click", click},
        {"swipe", swipe},
        {"end", chime},
        {"coin", coin},
        {"jump", jump},
        {"itemBloc", item_block},
        {"breakBloc", break_block},
        {"hard", hard},
        {"rem", rem},
        {"over", over},
        {"dash", dash},
        {"cut", cut},
        {"put", put},
    };
    std::vector<Effect> out;
    for (const auto& [name, make] : effects)
        out.push_back({name, levelled(make(), kEffectLoudness)});
    out.push_back({"step", levelled(step(19, 140, 500), kStepLoudness)});
    out.push_back({"step2", levelled(step(20, 120, 420), kStepLoudness)});
    return out;
}

}  // namespace synth

bool generate_sounds(const std::string& root) {
    bool ok = true;
    for (const synth::Effect& e : synth::render_effects())
        ok = synth::write_wav(root + "/sounds/sounds/" + e.name + ".wav", e.samples, 1) && ok;
    return ok;
}
