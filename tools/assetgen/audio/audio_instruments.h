// The instruments of the game's music (a few effects borrow them too). Each renders one note,
// mono, from its start to the end of its release, peaking near 1 at full level; the caller sets
// the volume.
#pragma once
#include <cstdint>

#include "audio/audio_synth.h"

namespace synth {

// A pulse-wave lead with an optional detuned twin, a delayed vibrato and a low-pass.
struct LeadTone {
    double duty = 0.5;
    double vibrato = 0.0;     // depth in semitones, fading in after the attack
    double detune = 0.0;      // cents of the second oscillator (0 = single oscillator)
    double brightness = 8.0;  // low-pass cutoff in multiples of the note's frequency
    Adsr env{0.01, 0.2, 0.7, 0.08};
};
Sound lead(double hz, double held, const LeadTone& tone);

// A frequency-modulated bell: inharmonic modulator, bright strike, long exponential ring.
struct BellTone {
    double ratio = 3.5;  // modulator / carrier frequency
    double index = 2.0;  // modulation depth at the strike
    double ring = 0.9;   // seconds for the level to fall by 1/e
};
Sound bell(double hz, const BellTone& tone);

// A plucked string (Karplus-Strong) damped when the note is released.
struct PluckTone {
    double sustain = 1.2;     // seconds to fall by 60 dB while held
    double brightness = 0.5;  // 0 dull … 1 bright
    uint32_t seed = 1;
};
Sound pluck(double hz, double held, const PluckTone& tone);

// Three detuned saws through a gently moving low-pass, with a slow swell.
struct PadTone {
    double cutoff = 1400;
    Adsr env{0.35, 0.6, 0.8, 0.7};
};
Sound pad(double hz, double held, const PadTone& tone);

Sound organ(double hz, double held);
Sound triangle_bass(double hz, double held);
Sound saw_bass(double hz, double held, double cutoff);

// Percussion. `seed` varies the noise from hit to hit.
Sound kick(double punch = 1.0);
Sound snare(uint32_t seed);
Sound hat(uint32_t seed, bool open);
Sound shaker(uint32_t seed);
Sound rim(uint32_t seed);
Sound tom(double hz, uint32_t seed);
Sound jingle(uint32_t seed);

}  // namespace synth
