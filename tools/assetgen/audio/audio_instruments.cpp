// Melodic voices and a synthesised drum kit.
#include "audio/audio_instruments.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace synth {

namespace {

double cents(double c) { return std::pow(2.0, c / 1200.0); }

// Drum hits ring out freely; a short fade guarantees they end at exactly zero.
Sound finished(Sound s) {
    fade_edges(s, 0.0005, 0.015);
    return s;
}

}  // namespace

Sound lead(double hz, double held, const LeadTone& tone) {
    Osc main;
    Osc twin(0.37);
    Svf filter;
    double twin_ratio = cents(tone.detune);
    double cutoff = std::min(hz * tone.brightness, 14000.0);
    return render(tone.env.length(held), [&](double t) {
        double depth = tone.vibrato * std::clamp((t - 0.12) / 0.25, 0.0, 1.0);
        double f = hz * std::pow(2.0, depth * std::sin(kTau * 5.5 * t) / 12.0);
        double v = main.pulse(f, tone.duty);
        if (tone.detune != 0) v = 0.6 * (v + twin.pulse(f * twin_ratio, tone.duty));
        return filter.process(static_cast<float>(v), cutoff).low * tone.env.at(t, held);
    });
}

Sound bell(double hz, const BellTone& tone) {
    Osc carrier;
    Osc modulator;
    Osc octave;
    double length = tone.ring * 4.6;  // down to -40 dB
    return render(length, [&](double t) {
        double strike = std::min(t / 0.002, 1.0);
        double index = tone.index * std::exp(-t / (tone.ring * 0.25));
        double mod = modulator.sine(hz * tone.ratio) * index;
        double v = carrier.sine_pm(hz, mod) * std::exp(-t / tone.ring) +
                   0.25 * octave.sine(hz * 2.0) * std::exp(-t / (tone.ring * 0.4));
        double x = t / length;
        double tail = x > 0.9 ? std::pow((1.0 - x) / 0.1, 2.0) : 1.0;
        return strike * tail * v;
    });
}

Sound pluck(double hz, double held, const PluckTone& tone) {
    constexpr double kDamp = 0.08;
    Sound out(samples(held + kDamp));
    double delay = kRate / hz - 0.5;  // the two-tap average adds half a sample
    double loss = std::pow(10.0, -3.0 / (tone.sustain * hz));
    // One period of coloured noise, at full level whatever its brightness.
    Sound burst(static_cast<size_t>(kRate / hz));
    Noise noise(tone.seed);
    OnePole colour;
    for (float& v : burst) v = colour.low(noise.next(), hz * (1.0 + 14.0 * tone.brightness));
    normalize_peak(burst, 1.0f);
    auto past = [&](size_t i, double back) {
        double pos = static_cast<double>(i) - back;
        if (pos < 0) return 0.0;
        auto k = static_cast<size_t>(pos);
        double f = pos - static_cast<double>(k);
        return out[k] * (1.0 - f) + out[k + 1] * f;
    };
    for (size_t i = 0; i < out.size(); ++i) {
        double x = i < burst.size() ? burst[i] : 0.0;
        double y = x + loss * 0.5 * (past(i, delay) + past(i, delay + 1.0));
        out[i] = static_cast<float>(y);
    }
    OnePole dc;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = seconds(i);
        double release = t < held ? 1.0 : std::pow(1.0 - std::min((t - held) / kDamp, 1.0), 2.0);
        out[i] = dc.high(out[i], 25.0) * static_cast<float>(release * std::min(t / 0.001, 1.0));
    }
    return out;
}

Sound pad(double hz, double held, const PadTone& tone) {
    std::array<Osc, 3> saws{Osc(0.0), Osc(0.31), Osc(0.67)};
    const std::array<double, 3> ratios{cents(-9), 1.0, cents(8)};
    Svf filter;
    size_t tick = 0;
    double cutoff = tone.cutoff;
    return render(tone.env.length(held), [&](double t) {
        double v = 0;
        for (size_t k = 0; k < saws.size(); ++k) v += saws[k].saw(hz * ratios[k]);
        if (tick++ % 32 == 0) cutoff = tone.cutoff * (1.0 + 0.2 * std::sin(kTau * 0.25 * t));
        return filter.process(static_cast<float>(v / 3), cutoff, 0.8).low * tone.env.at(t, held);
    });
}

Sound organ(double hz, double held) {
    std::array<Osc, 4> partials;
    const std::array<double, 4> weights{0.55, 0.3, 0.12, 0.08};
    const Adsr env{0.012, 0.15, 0.85, 0.1};
    return render(env.length(held), [&](double t) {
        double v = 0;
        for (size_t k = 0; k < partials.size(); ++k) {
            v += weights[k] * partials[k].sine(hz * static_cast<double>(k + 1));
        }
        return v * (1.0 + 0.08 * std::sin(kTau * 5.8 * t)) * env.at(t, held);
    });
}

Sound triangle_bass(double hz, double held) {
    Osc body;
    Osc sub;
    OnePole soften;
    const Adsr env{0.004, 0.25, 0.7, 0.05};
    return render(env.length(held), [&](double t) {
        double v = 0.8 * body.triangle(hz) + 0.35 * sub.sine(hz);
        return soften.low(static_cast<float>(v), 2500) * env.at(t, held);
    });
}

Sound saw_bass(double hz, double held, double cutoff) {
    Osc body;
    Osc sub;
    Svf filter;
    const Adsr env{0.003, 0.2, 0.6, 0.04};
    return render(env.length(held), [&](double t) {
        double sweep = cutoff * (1.0 + 3.0 * std::exp(-t / 0.07));
        double v = filter.process(body.saw(hz), sweep, 1.3).low + 0.45 * sub.sine(hz);
        return v * env.at(t, held);
    });
}

Sound kick(double punch) {
    Osc body;
    Noise noise(7);
    OnePole click_tone;
    return finished(render(0.4, [&](double t) {
        double f = 48.0 + 120.0 * punch * std::exp(-t / 0.035);
        double amp = std::exp(-t / 0.16) * std::min(t / 0.001, 1.0);
        double click = click_tone.low(noise.next(), 3000) * std::exp(-t / 0.003) * 0.6;
        return std::tanh(1.4 * body.sine(f) * amp) + click;
    }));
}

Sound snare(uint32_t seed) {
    Osc drum;
    Osc ring;
    Noise noise(seed);
    Svf wires;
    return finished(render(0.25, [&](double t) {
        double shell = drum.sine(190.0 * (1.0 + 0.3 * std::exp(-t / 0.01))) * std::exp(-t / 0.045);
        double overtone = ring.sine(330.0) * std::exp(-t / 0.03);
        double rattle = wires.process(noise.next(), 1500, 0.5).high * std::exp(-t / 0.07);
        return 0.55 * shell + 0.25 * overtone + 0.7 * rattle;
    }));
}

Sound hat(uint32_t seed, bool open) {
    // Six detuned squares give the metallic colour, high-passed like a cymbal.
    const std::array<double, 6> freqs{349, 517, 628, 889, 918, 1360};
    std::array<Osc, 6> metal;
    Noise noise(seed);
    Svf filter;
    double ring = open ? 0.13 : 0.022;
    return finished(render(open ? 0.45 : 0.09, [&](double t) {
        double v = 0;
        for (size_t k = 0; k < metal.size(); ++k) v += metal[k].pulse(freqs[k], 0.5);
        v = v / 6.0 + 0.6 * noise.next();
        return filter.process(static_cast<float>(v), 7000, 0.8).high * std::exp(-t / ring);
    }));
}

Sound shaker(uint32_t seed) {
    Noise noise(seed);
    Svf filter;
    return finished(render(0.12, [&](double t) {
        double env = t < 0.006 ? t / 0.006 : std::exp(-(t - 0.006) / 0.035);
        return filter.process(noise.next(), 6500, 1.2).band * env;
    }));
}

Sound rim(uint32_t seed) {
    Osc body;
    Noise noise(seed);
    Svf filter;
    return finished(render(0.07, [&](double t) {
        double tone = body.sine(1700) * std::exp(-t / 0.012);
        double snap = filter.process(noise.next(), 2500, 1.0).band * std::exp(-t / 0.006);
        return 0.6 * tone + 1.2 * snap;
    }));
}

Sound tom(double hz, uint32_t seed) {
    Osc body;
    Noise noise(seed);
    OnePole filter;
    return finished(render(0.5, [&](double t) {
        double v = body.sine(hz * (1.0 + 0.6 * std::exp(-t / 0.03))) * std::exp(-t / 0.22);
        return v + 0.3 * filter.low(noise.next(), 2000) * std::exp(-t / 0.015);
    }));
}

Sound jingle(uint32_t seed) {
    // A cluster of small bells struck a few milliseconds apart.
    Noise pick(seed);
    struct Tinkle {
        Osc osc;
        double hz, start, ring;
    };
    std::array<Tinkle, 5> bells;
    for (auto& b : bells) {
        b.hz = 3500.0 + 4500.0 * pick.uniform();
        b.start = 0.025 * pick.uniform();
        b.ring = 0.05 + 0.05 * pick.uniform();
    }
    Noise noise(seed + 1);
    Svf filter;
    return finished(render(0.25, [&](double t) {
        double v = 0;
        for (auto& b : bells) {
            double s = b.osc.sine(b.hz);
            if (t >= b.start) v += 0.3 * s * std::exp(-(t - b.start) / b.ring);
        }
        return v + 0.5 * filter.process(noise.next(), 8000, 1.5).band * std::exp(-t / 0.03);
    }));
}

}  // namespace synth
