// The game's sound effects, synthesised and levelled as the game plays them.
#pragma once
#include <string>
#include <vector>

#include "audio/audio_synth.h"

namespace synth {

struct Effect {
    std::string name;  // the file name without ".wav"
    Sound samples;     // mono, at kRate
};

// Every effect file of sounds/sounds/, ready to be written.
std::vector<Effect> render_effects();

}  // namespace synth
