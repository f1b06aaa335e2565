// How loud the generated sounds are. At full volume the game adds the music and every effect
// playing at that moment sample by sample, scaling none of them down, and whatever passes full
// scale clips. So the music's peak plus the peaks of three effects heard at once (a coin, a jump
// and a stomp; three coins of a row) must stay below full scale, whatever moment they meet.
#pragma once

namespace synth {

// The ceiling of the music's limiter: no sample of a track passes it (-10.5 dBFS).
constexpr float kMusicPeak = 0.30f;
// No effect peaks higher (-13.6 dBFS).
constexpr float kEffectPeak = 0.21f;
// Effects are levelled by their loudest 50 ms; this caps that level (-17.5 dB RMS), so a plain
// square wave is no louder than a noisy hit.
constexpr float kEffectLoudness = 0.133f;
// Footsteps sit well below everything else.
constexpr float kStepLoudness = 0.021f;
// Ogg Vorbis may raise a peak a little as it codes the music: up to 4 % on our tracks.
constexpr float kCodecOvershoot = 1.06f;

}  // namespace synth
