// The game's four music loops, composed in the notation of audio_score.h, played by the
// instruments of audio_instruments.h, mixed to loop seamlessly and encoded as Ogg Vorbis.
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "assetgen.h"
#include "audio/audio_instruments.h"
#include "audio/audio_levels.h"
#include "audio/audio_mixer.h"
#include "audio/audio_score.h"
#include "audio/audio_synth.h"

namespace {

using namespace synth;

constexpr float kQuality = 0.35f;
constexpr int kSerial = 0x4D69766F;  // every track gets its own fixed stream serial from here

using Voice = std::function<Sound(double hz, double held)>;
using Drum = std::function<Sound(uint32_t seed)>;

// How a part sits in the mix. `gate` shortens the notes (staccato); `spread` fans the notes of
// a chord across the stereo field.
struct Part {
    float gain = 0.3f;
    Send send;
    double gate = 1.0;
    float spread = 0;
};

void play(Song& song, const std::vector<Note>& notes, const Voice& voice, const Part& part) {
    for (size_t i = 0; i < notes.size(); ++i) {
        const Note& n = notes[i];
        Send send = part.send;
        send.pan += part.spread * static_cast<float>(static_cast<int>(i % 3) - 1);
        double held = n.length * song.step_seconds() * part.gate;
        song.add(voice(midi_hz(n.pitch), held), n.step, part.gain, send);
    }
}

void beat(Song& song, const std::vector<Hit>& hits, const Drum& drum, float gain, Send send) {
    uint32_t seed = 1;
    for (const Hit& h : hits) song.add(drum(seed++), h.step, gain * h.level, send);
}

Voice lead_voice(LeadTone tone) {
    return [tone](double hz, double held) { return lead(hz, held, tone); };
}

// Bells ring the same whatever the note length, so each pitch is synthesised once.
Voice bell_voice(BellTone tone) {
    auto cache = std::make_shared<std::map<double, Sound>>();
    return [tone, cache](double hz, double) -> const Sound& {
        auto [it, fresh] = cache->try_emplace(hz);
        if (fresh) it->second = bell(hz, tone);
        return it->second;
    };
}

Voice pluck_voice(double sustain, double brightness) {
    return [sustain, brightness, seed = 1u](double hz, double held) mutable {
        return pluck(hz, held, {sustain, brightness, seed++});
    };
}

Voice pad_voice(PadTone tone) {
    return [tone](double hz, double held) { return pad(hz, held, tone); };
}

Voice triangle_bass_voice() { return triangle_bass; }

Voice saw_bass_voice(double cutoff) {
    return [cutoff](double hz, double held) { return saw_bass(hz, held, cutoff); };
}

Voice organ_voice() { return organ; }

Drum kick_drum(double punch) {
    return [punch](uint32_t) { return kick(punch); };
}
Drum snare_drum() { return snare; }
Drum closed_hat() {
    return [](uint32_t seed) { return hat(seed, false); };
}
Drum open_hat() {
    return [](uint32_t seed) { return hat(seed, true); };
}
Drum shaker_drum() { return shaker; }
Drum rim_drum() { return rim; }
Drum jingle_drum() { return jingle; }
Drum tom_drum(double hz) {
    return [hz](uint32_t seed) { return tom(hz, seed); };
}

bool save(const std::string& root, const char* name, const Song& song, const Space& space,
          int index) {
    auto [left, right] = song.mixdown(space);
    return write_ogg(root + "/sounds/musics/" + name + ".ogg", left, right, kQuality,
                     kSerial + index);
}

// Title theme. F major, 96 BPM, 16 bars (40 s): A states the motif over a soft groove, B soars
// higher with a fuller beat and bells, and its half cadence leads back into A.
Song vesk() {
    Song song(96, 16);
    auto chords = progression("F C/E Dm Bb F C Bb C  Bb C Am Dm Gm C F C");
    auto tune = melody(
        "A4:2 C5:2 F5:4 E5:2 C5:2 A4:4 | G4:2 C5:2 E5:4 D5:2 C5:2 G4:4 |"
        "F4:2 A4:2 D5:4 C5:2 A4:2 F4:2 A4:2 | Bb4:6 A4:2 G4:4 F4:2 G4:2 |"
        "A4:2 C5:2 F5:4 G5:2 A5:2 G5:4 | E5:4 D5:2 C5:2 E5:4 G5:4 |"
        "F5:4 D5:4 Bb4:2 C5:2 D5:4 | E5:6 D5:2 C5:8 |"
        "D5:4 F5:4 Bb5:6 A5:2 | G5:4 E5:4 C5:6 D5:2 | E5:4 A5:4 C6:4 B5:2 A5:2 |"
        "A5:8 F5:4 D5:4 | D5:4 G5:4 Bb5:4 A5:2 G5:2 | E5:4 G5:4 C6:6 Bb5:2 |"
        "A5:6 G5:2 F5:4 C5:4 | E5:6 D5:2 C5:4 r:4 |");
    play(song, tune, lead_voice({0.35, 0.18, 7, 5, {0.02, 0.3, 0.65, 0.15}}),
         {0.3f, {0.1f, 0.25f, 0.3f}, 0.9});
    play(song, chord_pattern(chords, "1-5-8-5-3-5-8-5-", 3, 0, 16), pluck_voice(1.0, 0.35),
         {0.44f, {-0.35f, 0.15f, 0.3f}});
    play(song, chord_pattern(chords, "8---5---3---5---", 5, 8, 16), bell_voice({3.5, 1.0, 0.5}),
         {0.1f, {0.45f, 0.4f, 0.4f}});
    play(song, chord_pattern(chords, "x---------------", 3, 0, 16), pad_voice({1300}),
         {0.12f, {0, 0, 0.5f}, 1.0, 0.5f});
    play(song,
         chord_pattern(chords, "1-----1-5---1---", 2, 0, 8) +
             chord_pattern(chords, "1-----1-5---8-5-", 2, 8, 16),
         triangle_bass_voice(), {0.35f, {}});
    beat(song, drum_pattern("x.......x.......", 0, 8) + drum_pattern("x.....x.x.......", 8, 16),
         kick_drum(0.8), 0.45f, {});
    beat(song, drum_pattern("....x.......x...", 0, 8), rim_drum(), 0.6f, {-0.15f, 0, 0.3f});
    beat(song, drum_pattern("....x.......x...", 8, 15) + drum_pattern("....x.....o.x.xo", 15, 16),
         snare_drum(), 0.4f, {0, 0, 0.3f});
    beat(song, drum_pattern("o.x.o.x.o.x.o.x.", 0, 16), shaker_drum(), 0.25f, {0.3f});
    return song;
}

// Meadow level. G major, 140 BPM, 24 bars (41 s): a bouncy staccato A, its repeat with a
// harmony a third below, and a smoother B that climbs back to the tonic with a run.
Song prairie() {
    Song song(140, 24);
    auto chords = progression("G D Em C G D C D  G D Em C G D C D  C D Bm Em Am Bm C D");
    const char* a_head =
        "G5:2 r:1 G5:1 B5:2 D6:2 B5:2 G5:2 A5:2 B5:2 | A5:2 r:1 A5:1 F#5:2 A5:2 D6:4 C6:2 B5:2 |"
        "B5:2 r:1 B5:1 G5:2 B5:2 E6:4 D6:2 B5:2 | C6:4 B5:2 A5:2 G5:4 E5:4 |"
        "G5:2 r:1 G5:1 B5:2 D6:2 G6:4 F#6:2 E6:2 | D6:2 r:1 D6:1 C6:2 A5:2 F#5:4 A5:4 |";
    auto a1 = melody(std::string(a_head) + "G5:2 E5:2 G5:2 C6:2 E6:4 D6:2 C6:2 |" +
                     "B5:2 A5:2 r:2 F#5:2 A5:4 r:4 |");
    auto a2 = melody(
        std::string(a_head) + "E6:4 D6:2 C6:2 B5:2 A5:2 G5:2 E5:2 |" + "F#5:4 A5:2 D6:2 r:8 |", 8);
    auto b = melody(
        "E5:6 G5:2 C6:8 | D6:6 C6:2 A5:8 | B5:6 A5:2 F#5:4 D5:4 | E5:12 G5:2 B5:2 |"
        "C6:6 B5:2 A5:4 E5:4 | D6:6 B5:2 F#5:4 A5:4 | G5:4 E5:4 G5:4 C6:4 |"
        "A5:6 F#5:2 D5:2 E5:2 F#5:2 A5:2 |",
        16);
    LeadTone bouncy{0.25, 0.1, 0, 8, {0.005, 0.15, 0.5, 0.05}};
    LeadTone smooth{0.3, 0.22, 6, 6, {0.01, 0.3, 0.7, 0.1}};
    LeadTone soft{0.5, 0.1, 0, 3, {0.01, 0.2, 0.6, 0.06}};
    play(song, a1 + a2, lead_voice(bouncy), {0.28f, {0.05f, 0.2f, 0.15f}, 0.8});
    play(song, b, lead_voice(smooth), {0.26f, {0.05f, 0.25f, 0.2f}, 0.95});
    play(song, diatonic_shift(a2, 7, -2) + diatonic_shift(b, 7, -2), lead_voice(soft),
         {0.11f, {0.45f, 0.15f, 0.2f}, 0.85});
    play(song, chord_pattern(chords, "..x...x...x...x.", 4, 0, 24), pluck_voice(0.5, 0.6),
         {0.3f, {-0.3f, 0.1f, 0.15f}, 1.0, 0.3f});
    play(song, chord_pattern(chords, "x---------------", 4, 16, 24), pad_voice({1800}),
         {0.08f, {0, 0, 0.4f}, 1.0, 0.5f});
    play(song,
         chord_pattern(chords, "1.8.1.8.5.8.5.8.", 2, 0, 16) +
             chord_pattern(chords, "1-----1-5-----3-", 2, 16, 24),
         triangle_bass_voice(), {0.35f, {}, 0.9});
    beat(song, drum_pattern("x.....x.x.......", 0, 24), kick_drum(1.0), 0.42f, {});
    beat(song, drum_pattern("....x.......x...", 0, 23) + drum_pattern("....x...o.o.xoxx", 23, 24),
         snare_drum(), 0.35f, {0.05f, 0, 0.25f});
    beat(song, drum_pattern("x.o.x.o.x.o.x.o.", 0, 24), closed_hat(), 0.25f, {0.25f});
    beat(song, drum_pattern("..x...x...x...x.", 16, 24), open_hat(), 0.14f, {-0.25f, 0, 0.2f});
    return song;
}

// Snow level. D major, 90 BPM, 16 bars (43 s): bells carry the tune over a slow pad, with a
// breathy flute an octave below; B adds a rippling celesta and a soft beat.
Song neige() {
    Song song(90, 16);
    auto chords =
        progression("Dmaj7 Bm7 Gmaj7 A Dmaj7 F#m7 Gmaj7 Asus4  Em7 F#m7 Gmaj7 A Bm7 G Em7 A7");
    auto tune = melody(
        "F#5:4 A5:4 C#6:6 A5:2 | B5:8 F#5:4 D5:4 | D5:4 G5:4 B5:6 A5:2 | A5:12 E5:4 |"
        "F#5:4 A5:4 D6:4 E6:2 F#6:2 | E6:8 C#6:4 A5:4 | B5:4 D6:4 F#6:4 D6:2 B5:2 |"
        "E6:8 D6:8 |"
        "G5:6 B5:2 E6:8 | C#6:6 A5:2 F#5:8 | D6:6 B5:2 G5:4 F#5:4 | E5:4 A5:4 C#6:8 |"
        "D6:6 C#6:2 B5:4 F#5:4 | G5:4 B5:4 D6:4 G6:4 | F#6:6 E6:2 D6:4 B5:4 |"
        "C#6:6 B5:2 A5:4 r:4 |");
    play(song, tune, bell_voice({3.5, 1.2, 0.8}), {0.32f, {0.15f, 0.35f, 0.5f}});
    std::vector<Note> flute = tune;
    for (Note& n : flute) n.pitch -= 12;
    play(song, flute, lead_voice({0.5, 0.15, 5, 2.5, {0.06, 0.4, 0.7, 0.2}}),
         {0.14f, {-0.2f, 0.2f, 0.4f}, 0.95});
    play(song,
         chord_pattern(chords, "1.5.8.9.8.5.3.5.", 5, 0, 8) +
             chord_pattern(chords, "1589851315898513", 5, 8, 16),
         bell_voice({4.0, 0.8, 0.35}), {0.1f, {-0.4f, 0.3f, 0.3f}});
    play(song, chord_pattern(chords, "x---------------", 4, 0, 16),
         pad_voice({1100, {0.6, 0.8, 0.8, 0.9}}), {0.11f, {0, 0, 0.6f}, 1.0, 0.5f});
    play(song,
         chord_pattern(chords, "1-------5-------", 2, 0, 8) +
             chord_pattern(chords, "1-------5---3---", 2, 8, 16),
         triangle_bass_voice(), {0.3f, {}});
    beat(song, drum_pattern("x.......x.......", 0, 8) + drum_pattern("x.......x.....x.", 8, 16),
         kick_drum(0.6), 0.32f, {});
    beat(song, drum_pattern("........x.......", 8, 16), snare_drum(), 0.3f, {0, 0, 0.5f});
    beat(song, drum_pattern("x.o.x.o.x.o.x.o.", 0, 16), jingle_drum(), 0.14f, {0.3f, 0, 0.2f});
    return song;
}

// Night castle level. A minor, 126 BPM, 20 bars (38 s): a driving eighth-note bass under an
// organ, a vibrato lead in A and a higher, heroic B; a four-bar break of harpsichord and toms
// builds back into A.
Song nuit() {
    Song song(126, 20);
    auto chords = progression("Am F G E Am F Dm E  Dm Am Bb E Dm Am F E7  Am Am F E");
    auto tune = melody(
        "A4:3 C5:3 E5:2 D5:2 C5:2 B4:2 C5:2 | A4:3 C5:3 F5:4 E5:2 D5:2 C5:2 |"
        "B4:3 D5:3 G5:4 F5:2 E5:2 D5:2 | E5:6 D5:2 B4:4 G#4:4 |"
        "A4:3 C5:3 E5:2 A5:4 G5:2 E5:2 | F5:3 E5:3 C5:2 A4:4 C5:2 F5:2 |"
        "D5:3 F5:3 A5:2 G5:2 F5:2 E5:2 D5:2 | E5:4 G#5:4 B5:4 r:4 |"
        "F5:6 E5:2 D5:4 A5:4 | E5:8 C5:4 A4:4 | D5:6 F5:2 Bb5:4 A5:2 G5:2 | G#5:8 B5:4 E5:4 |"
        "A5:6 G5:2 F5:4 D5:4 | E5:6 A5:2 C6:4 B5:2 A5:2 | C6:6 A5:2 F5:4 A5:4 |"
        "B5:4 G#5:4 E5:4 D5:4 |");
    play(song, tune, lead_voice({0.5, 0.25, 5, 6, {0.01, 0.2, 0.75, 0.1}}),
         {0.27f, {0.1f, 0.3f, 0.3f}, 0.92});
    play(song, chord_pattern(chords, "x-------x-------", 3, 0, 16), organ_voice(),
         {0.08f, {0, 0, 0.4f}, 0.95, 0.45f});
    play(song,
         chord_pattern(chords, "1.3.5.8.5.3.5.8.", 4, 0, 8) +
             chord_pattern(chords, "1358", 4, 8, 20),
         pluck_voice(0.6, 0.9), {0.35f, {-0.4f, 0.2f, 0.2f}});
    play(song, chord_pattern(chords, "1.1.8.1.1.1.8.5.", 1, 0, 20), saw_bass_voice(500),
         {0.45f, {}, 0.9});
    beat(song, drum_pattern("x.......x.x.....", 0, 20), kick_drum(1.0), 0.45f, {});
    beat(song, drum_pattern("....x.......x...", 0, 19) + drum_pattern("x.x.x.x.xoxoxxxx", 19, 20),
         snare_drum(), 0.33f, {0, 0, 0.3f});
    beat(song, drum_pattern("x.o.x.o.x.o.x.o.", 0, 8) + drum_pattern("xoxoxoxoxoxoxoxo", 8, 16),
         closed_hat(), 0.22f, {0.3f});
    beat(song, drum_pattern("..x...x...x...x.", 8, 16), open_hat(), 0.12f, {-0.3f, 0, 0.2f});
    beat(song, drum_pattern("x..x..x.........", 16, 19), tom_drum(110), 0.25f, {-0.3f, 0, 0.3f});
    beat(song, drum_pattern("........x..x..x.", 16, 19), tom_drum(80), 0.28f, {0.3f, 0, 0.3f});
    return song;
}

}  // namespace

// Each track is levelled to its own share of the limiter's ceiling: its loudness is the RMS it
// gets before its few highest peaks are rounded off.
bool generate_music(const std::string& root) {
    bool ok = save(root, "vesk", vesk(), {3, 0.35f, 0.6f, 0.6f, 0.16f * kMusicPeak}, 0);
    ok = save(root, "prairie", prairie(), {3, 0.3f, 0.5f, 0.35f, 0.18f * kMusicPeak}, 1) && ok;
    ok = save(root, "neige", neige(), {3, 0.4f, 0.6f, 0.8f, 0.15f * kMusicPeak}, 2) && ok;
    ok = save(root, "nuit", nuit(), {3, 0.35f, 0.5f, 0.55f, 0.17f * kMusicPeak}, 3) && ok;
    return ok;
}
