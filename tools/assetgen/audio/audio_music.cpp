// The game's four music loops, composed in the notation of audio_score.h, played by the
// instruments of audio_instruments.h, mixed to loop seamlessly and encoded as Ogg Vorbis.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

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

// A voice whose note is the same every time it is played (no seed, no state) is synthesised once
// for each pitch and length: the sections that come back cost nothing the second time.
Voice once_per_note(Voice voice) {
    auto cache = std::make_shared<std::map<std::pair<double, double>, Sound>>();
    return [voice, cache](double hz, double held) -> const Sound& {
        auto [it, fresh] = cache->try_emplace({hz, held});
        if (fresh) it->second = voice(hz, held);
        return it->second;
    };
}

Voice lead_voice(LeadTone tone) {
    return once_per_note([tone](double hz, double held) { return lead(hz, held, tone); });
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
    return once_per_note([tone](double hz, double held) { return pad(hz, held, tone); });
}

Voice triangle_bass_voice() { return once_per_note(triangle_bass); }

Voice saw_bass_voice(double cutoff) {
    return once_per_note([cutoff](double hz, double held) { return saw_bass(hz, held, cutoff); });
}

Voice organ_voice() { return once_per_note(organ); }

Drum kick_drum(double punch) {
    return [hit = kick(punch)](uint32_t) { return hit; };
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

// Title theme. F major, 96 BPM, 48 bars (2 min). A states the motif over a soft groove; B soars
// higher with a fuller beat and bells; C, a bridge of falling major sevenths, sings low and slow
// on a breathy flute, and its suspended dominant leads back into A. The second time round A
// gains a harmony and bells, B a fill into C, and C is rung on bells over a steady beat.
Song vesk() {
    Song song(96, 48);
    const std::string a_chords = "F C/E Dm Bb F C Bb C ", b_chords = "Bb C Am Dm Gm C F C ",
                      c_chords = "Bbmaj7 Am7 Gm7 F Bbmaj7 Am7 Dm7 Csus4:8 C:8 ";
    auto chords = progression(a_chords + b_chords + c_chords + a_chords + b_chords + c_chords);
    auto a = [](int bar) {
        return melody(
            "A4:2 C5:2 F5:4 E5:2 C5:2 A4:4 | G4:2 C5:2 E5:4 D5:2 C5:2 G4:4 |"
            "F4:2 A4:2 D5:4 C5:2 A4:2 F4:2 A4:2 | Bb4:6 A4:2 G4:4 F4:2 G4:2 |"
            "A4:2 C5:2 F5:4 G5:2 A5:2 G5:4 | E5:4 D5:2 C5:2 E5:4 G5:4 |"
            "F5:4 D5:4 Bb4:2 C5:2 D5:4 | E5:6 D5:2 C5:8 |",
            bar);
    };
    auto b = [](int bar) {
        return melody(
            "D5:4 F5:4 Bb5:6 A5:2 | G5:4 E5:4 C5:6 D5:2 | E5:4 A5:4 C6:4 B5:2 A5:2 |"
            "A5:8 F5:4 D5:4 | D5:4 G5:4 Bb5:4 A5:2 G5:2 | E5:4 G5:4 C6:6 Bb5:2 |"
            "A5:6 G5:2 F5:4 C5:4 | E5:6 D5:2 C5:4 r:4 |",
            bar);
    };
    auto c = [](int bar) {
        return melody(
            "D5:6 C5:2 D5:4 F5:4 | E5:6 D5:2 C5:8 | Bb4:6 C5:2 D5:4 F5:4 | A4:4 C5:4 F5:8 |"
            "D5:6 C5:2 D5:4 A5:4 | G5:6 F5:2 E5:8 | F5:4 E5:4 D5:4 A4:4 | C5:4 F5:4 E5:8 |",
            bar);
    };
    Voice flute = lead_voice({0.5, 0.15, 5, 2.5, {0.06, 0.4, 0.7, 0.2}});
    play(song, a(0) + b(8) + a(24) + b(32), lead_voice({0.35, 0.18, 7, 5, {0.02, 0.3, 0.65, 0.15}}),
         {0.3f, {0.1f, 0.25f, 0.3f}, 0.9});
    play(song, diatonic_shift(a(24), 5, -2), lead_voice({0.5, 0.1, 0, 3, {0.01, 0.2, 0.6, 0.06}}),
         {0.11f, {0.45f, 0.15f, 0.2f}, 0.85});
    play(song, c(16), flute, {0.3f, {-0.1f, 0.3f, 0.45f}, 0.95});
    std::vector<Note> low = c(40);
    for (Note& n : low) n.pitch -= 12;
    play(song, c(40), bell_voice({3.5, 1.2, 0.8}), {0.3f, {0.15f, 0.35f, 0.5f}});
    play(song, low, flute, {0.13f, {-0.2f, 0.2f, 0.4f}, 0.95});
    play(song,
         chord_pattern(chords, "1-5-8-5-3-5-8-5-", 3, 0, 16) +
             chord_pattern(chords, "1---5---8---5---", 3, 16, 24) +
             chord_pattern(chords, "1-5-8-5-3-5-8-5-", 3, 24, 48),
         pluck_voice(1.0, 0.35), {0.44f, {-0.35f, 0.15f, 0.3f}});
    play(song,
         chord_pattern(chords, "8---5---3---5---", 5, 8, 16) +
             chord_pattern(chords, "8---5---3---5---", 5, 24, 40),
         bell_voice({3.5, 1.0, 0.5}), {0.1f, {0.45f, 0.4f, 0.4f}});
    play(song, chord_pattern(chords, "x---------------", 3, 0, 48), pad_voice({1300}),
         {0.12f, {0, 0, 0.5f}, 1.0, 0.5f});
    play(song,
         chord_pattern(chords, "1-----1-5---1---", 2, 0, 8) +
             chord_pattern(chords, "1-----1-5---8-5-", 2, 8, 16) +
             chord_pattern(chords, "1-------5-------", 2, 16, 24) +
             chord_pattern(chords, "1-----1-5---1---", 2, 24, 32) +
             chord_pattern(chords, "1-----1-5---8-5-", 2, 32, 40) +
             chord_pattern(chords, "1-----1-5-------", 2, 40, 48),
         triangle_bass_voice(), {0.35f, {}});
    beat(song,
         drum_pattern("x.......x.......", 0, 8) + drum_pattern("x.....x.x.......", 8, 16) +
             drum_pattern("x...............", 16, 24) + drum_pattern("x.......x.......", 24, 32) +
             drum_pattern("x.....x.x.......", 32, 40) + drum_pattern("x.......x.......", 40, 48),
         kick_drum(0.8), 0.45f, {});
    beat(song, drum_pattern("....x.......x...", 0, 8) + drum_pattern("....x.......x...", 24, 32),
         rim_drum(), 0.6f, {-0.15f, 0, 0.3f});
    beat(song,
         drum_pattern("....x.......x...", 8, 16) + drum_pattern("....x.......x...", 32, 39) +
             drum_pattern("....x.....o.x.xo", 39, 40) + drum_pattern("....x.......x...", 40, 47) +
             drum_pattern("....x.....o.x.xo", 47, 48),
         snare_drum(), 0.4f, {0, 0, 0.3f});
    beat(song,
         drum_pattern("o.x.o.x.o.x.o.x.", 0, 16) + drum_pattern("o...o...o...o...", 16, 24) +
             drum_pattern("o.x.o.x.o.x.o.x.", 24, 48),
         shaker_drum(), 0.25f, {0.3f});
    return song;
}

// Meadow level. G major, 140 BPM, 72 bars (2 min). A is a bouncy staccato tune, A' its answer with
// a harmony a third below; B is smoother and climbs back to the tonic. C turns to the key of C
// with a singing line over a 3-3-2 strum, C' answers it through F and Am and a D7 that leads
// home. The second A is doubled by a pluck, and D is a light breakdown: a whistled call and
// response over the bass and the hats.
Song prairie() {
    Song song(140, 72);
    const std::string a_chords = "G D Em C G D C D ", b_chords = "C D Bm Em Am Bm C D ";
    auto chords = progression(a_chords + a_chords + b_chords + "C Am F G C Am Dm7 G " +
                              "F G Em Am F G Am D7 " + a_chords + a_chords + b_chords +
                              "Em C G D Em C Am7 D ");
    const std::string a_head =
        "G5:2 r:1 G5:1 B5:2 D6:2 B5:2 G5:2 A5:2 B5:2 | A5:2 r:1 A5:1 F#5:2 A5:2 D6:4 C6:2 B5:2 |"
        "B5:2 r:1 B5:1 G5:2 B5:2 E6:4 D6:2 B5:2 | C6:4 B5:2 A5:2 G5:4 E5:4 |"
        "G5:2 r:1 G5:1 B5:2 D6:2 G6:4 F#6:2 E6:2 | D6:2 r:1 D6:1 C6:2 A5:2 F#5:4 A5:4 |";
    auto a1 = [&](int bar) {
        return melody(
            a_head + "G5:2 E5:2 G5:2 C6:2 E6:4 D6:2 C6:2 | B5:2 A5:2 r:2 F#5:2 A5:4 r:4 |", bar);
    };
    auto a2 = [&](int bar) {
        return melody(a_head + "E6:4 D6:2 C6:2 B5:2 A5:2 G5:2 E5:2 | F#5:4 A5:2 D6:2 r:8 |", bar);
    };
    auto b = [](int bar) {
        return melody(
            "E5:6 G5:2 C6:8 | D6:6 C6:2 A5:8 | B5:6 A5:2 F#5:4 D5:4 | E5:12 G5:2 B5:2 |"
            "C6:6 B5:2 A5:4 E5:4 | D6:6 B5:2 F#5:4 A5:4 | G5:4 E5:4 G5:4 C6:4 |"
            "A5:6 F#5:2 D5:2 E5:2 F#5:2 A5:2 |",
            bar);
    };
    auto c = melody(
        "E5:4 G5:4 C6:6 B5:2 | A5:8 E5:4 C5:4 | F5:4 A5:4 C6:4 D6:2 C6:2 | B5:8 G5:4 D5:4 |"
        "E5:4 G5:4 C6:6 D6:2 | E6:6 D6:2 C6:4 A5:4 | F5:4 A5:4 D6:4 C6:4 | B5:6 A5:2 G5:4 D5:4 |",
        24);
    auto c2 = melody(
        "C6:6 A5:2 F5:4 A5:4 | D6:6 B5:2 G5:4 B5:4 | E6:4 D6:2 B5:2 G5:4 E5:4 | A5:6 B5:2 C6:8 |"
        "A5:4 C6:4 F6:4 E6:2 D6:2 | D6:4 B5:4 G5:4 B5:2 D6:2 | C6:6 B5:2 A5:4 E5:4 |"
        "F#5:4 A5:4 C6:4 D6:4 |",
        32);
    auto d = melody(
        "B5:8 r:4 G5:2 A5:2 | G5:4 E5:4 r:8 | D6:8 r:4 B5:2 C6:2 | A5:8 r:8 |"
        "B5:4 E6:4 D6:4 B5:4 | C6:4 G5:4 E5:4 G5:4 | A5:6 G5:2 E5:4 C6:4 | A5:4 F#5:2 A5:2 D6:8 |",
        64);
    LeadTone bouncy{0.25, 0.1, 0, 8, {0.005, 0.15, 0.5, 0.05}};
    LeadTone smooth{0.3, 0.22, 6, 6, {0.01, 0.3, 0.7, 0.1}};
    LeadTone soft{0.5, 0.1, 0, 3, {0.01, 0.2, 0.6, 0.06}};
    LeadTone whistle{0.5, 0.2, 0, 2.5, {0.03, 0.2, 0.8, 0.12}};
    play(song, a1(0) + a2(8) + a1(40) + a2(48), lead_voice(bouncy),
         {0.28f, {0.05f, 0.2f, 0.15f}, 0.8});
    play(song, a1(40) + a2(48), pluck_voice(0.4, 0.7), {0.12f, {-0.4f, 0.2f, 0.15f}, 0.8});
    play(song, b(16) + c + c2 + b(56), lead_voice(smooth), {0.26f, {0.05f, 0.25f, 0.2f}, 0.95});
    play(song,
         diatonic_shift(a2(8) + b(16), 7, -2) + diatonic_shift(c2, 0, -2) +
             diatonic_shift(a2(48) + b(56), 7, -2),
         lead_voice(soft), {0.11f, {0.45f, 0.15f, 0.2f}, 0.85});
    play(song, d, lead_voice(whistle), {0.24f, {0.1f, 0.35f, 0.3f}, 0.9});
    play(song,
         chord_pattern(chords, "..x...x...x...x.", 4, 0, 24) +
             chord_pattern(chords, "x..x..x.x..x..x.", 4, 24, 40) +
             chord_pattern(chords, "..x...x...x...x.", 4, 40, 72),
         pluck_voice(0.5, 0.6), {0.3f, {-0.3f, 0.1f, 0.15f}, 1.0, 0.3f});
    play(song,
         chord_pattern(chords, "x---------------", 4, 16, 40) +
             chord_pattern(chords, "x---------------", 4, 56, 72),
         pad_voice({1800}), {0.08f, {0, 0, 0.4f}, 1.0, 0.5f});
    play(song,
         chord_pattern(chords, "1.8.1.8.5.8.5.8.", 2, 0, 16) +
             chord_pattern(chords, "1-----1-5-----3-", 2, 16, 24) +
             chord_pattern(chords, "1-----5-1-----5-", 2, 24, 40) +
             chord_pattern(chords, "1.8.1.8.5.8.5.8.", 2, 40, 56) +
             chord_pattern(chords, "1-----1-5-----3-", 2, 56, 64) +
             chord_pattern(chords, "1-------5-------", 2, 64, 72),
         triangle_bass_voice(), {0.35f, {}, 0.9});
    beat(song, drum_pattern("x.....x.x.......", 0, 64) + drum_pattern("x.......x.......", 64, 72),
         kick_drum(1.0), 0.42f, {});
    beat(song,
         drum_pattern("....x.......x...", 0, 23) + drum_pattern("....x...o.o.xoxx", 23, 24) +
             drum_pattern("....x.......x...", 24, 39) + drum_pattern("....x...o.o.xoxx", 39, 40) +
             drum_pattern("....x.......x...", 40, 64) + drum_pattern("........x.......", 64, 71) +
             drum_pattern("....x...o.o.xoxx", 71, 72),
         snare_drum(), 0.35f, {0.05f, 0, 0.25f});
    beat(song, drum_pattern("x.o.x.o.x.o.x.o.", 0, 72), closed_hat(), 0.25f, {0.25f});
    beat(song,
         drum_pattern("..x...x...x...x.", 16, 24) + drum_pattern("..x...x...x...x.", 32, 40) +
             drum_pattern("..x...x...x...x.", 56, 64),
         open_hat(), 0.14f, {-0.25f, 0, 0.2f});
    return song;
}

// Snow level. D major, 90 BPM, 48 bars (2 min 8 s). Bells carry the tune over a slow pad, with a
// breathy flute an octave below; B adds a rippling celesta and a soft beat. C, in B minor, lets
// the flute sing alone down a falling bass, through a wistful G minor, to a suspended A. The
// second A is harmonised, and the second C is rung on the bells.
Song neige() {
    Song song(90, 48);
    const std::string a_chords = "Dmaj7 Bm7 Gmaj7 A Dmaj7 F#m7 Gmaj7 Asus4 ",
                      b_chords = "Em7 F#m7 Gmaj7 A Bm7 G Em7 A7 ",
                      c_chords = "Bm Bm/A Gmaj7 D/F# Em7 Gm D/A Asus4:8 A:8 ";
    auto chords = progression(a_chords + b_chords + c_chords + a_chords + b_chords + c_chords);
    auto a = [](int bar) {
        return melody(
            "F#5:4 A5:4 C#6:6 A5:2 | B5:8 F#5:4 D5:4 | D5:4 G5:4 B5:6 A5:2 | A5:12 E5:4 |"
            "F#5:4 A5:4 D6:4 E6:2 F#6:2 | E6:8 C#6:4 A5:4 | B5:4 D6:4 F#6:4 D6:2 B5:2 |"
            "E6:8 D6:8 |",
            bar);
    };
    auto b = [](int bar) {
        return melody(
            "G5:6 B5:2 E6:8 | C#6:6 A5:2 F#5:8 | D6:6 B5:2 G5:4 F#5:4 | E5:4 A5:4 C#6:8 |"
            "D6:6 C#6:2 B5:4 F#5:4 | G5:4 B5:4 D6:4 G6:4 | F#6:6 E6:2 D6:4 B5:4 |"
            "C#6:6 B5:2 A5:4 r:4 |",
            bar);
    };
    auto c = [](int bar) {
        return melody(
            "F#5:6 E5:2 D5:4 B4:4 | D5:4 E5:4 F#5:8 | G5:6 F#5:2 D5:8 | E5:4 D5:4 A4:8 |"
            "B4:6 D5:2 G5:8 | Bb5:6 A5:2 G5:8 | F#5:6 E5:2 D5:8 | E5:4 D5:4 C#5:4 E5:4 |",
            bar);
    };
    auto octave_down = [](std::vector<Note> notes) {
        for (Note& n : notes) n.pitch -= 12;
        return notes;
    };
    Voice flute = lead_voice({0.5, 0.15, 5, 2.5, {0.06, 0.4, 0.7, 0.2}});
    play(song, a(0) + b(8) + a(24) + b(32) + c(40), bell_voice({3.5, 1.2, 0.8}),
         {0.32f, {0.15f, 0.35f, 0.5f}});
    play(song, octave_down(a(0) + b(8) + b(32) + c(40)), flute, {0.14f, {-0.2f, 0.2f, 0.4f}, 0.95});
    play(song, octave_down(diatonic_shift(a(24), 2, -2)), flute,
         {0.12f, {-0.3f, 0.2f, 0.4f}, 0.95});
    play(song, c(16), flute, {0.3f, {-0.05f, 0.3f, 0.5f}, 0.95});
    play(song,
         chord_pattern(chords, "1.5.8.9.8.5.3.5.", 5, 0, 8) +
             chord_pattern(chords, "1589851315898513", 5, 8, 16) +
             chord_pattern(chords, "1...5...8...5...", 5, 16, 24) +
             chord_pattern(chords, "1.5.8.9.8.5.3.5.", 5, 24, 32) +
             chord_pattern(chords, "1589851315898513", 5, 32, 40) +
             chord_pattern(chords, "1.5.8.9.8.5.3.5.", 5, 40, 48),
         bell_voice({4.0, 0.8, 0.35}), {0.1f, {-0.4f, 0.3f, 0.3f}});
    play(song, chord_pattern(chords, "x---------------", 4, 0, 48),
         pad_voice({1100, {0.6, 0.8, 0.8, 0.9}}), {0.11f, {0, 0, 0.6f}, 1.0, 0.5f});
    play(song,
         chord_pattern(chords, "1-------5-------", 2, 0, 8) +
             chord_pattern(chords, "1-------5---3---", 2, 8, 16) +
             chord_pattern(chords, "1---------------", 2, 16, 24) +
             chord_pattern(chords, "1-------5-------", 2, 24, 32) +
             chord_pattern(chords, "1-------5---3---", 2, 32, 40) +
             chord_pattern(chords, "1-------5-------", 2, 40, 48),
         triangle_bass_voice(), {0.3f, {}});
    beat(song,
         drum_pattern("x.......x.......", 0, 8) + drum_pattern("x.......x.....x.", 8, 16) +
             drum_pattern("x.......x.......", 24, 32) + drum_pattern("x.......x.....x.", 32, 40) +
             drum_pattern("x.......x.......", 40, 48),
         kick_drum(0.6), 0.32f, {});
    beat(song, drum_pattern("........x.......", 8, 16) + drum_pattern("........x.......", 32, 48),
         snare_drum(), 0.3f, {0, 0, 0.5f});
    beat(song,
         drum_pattern("x.o.x.o.x.o.x.o.", 0, 16) + drum_pattern("x...o...x...o...", 16, 24) +
             drum_pattern("x.o.x.o.x.o.x.o.", 24, 48),
         jingle_drum(), 0.14f, {0.3f, 0, 0.2f});
    return song;
}

// Night castle level. A minor, 126 BPM, 64 bars (2 min). A drives an eighth-note bass under an
// organ with a vibrato lead; B climbs higher and more heroic; a four-bar break of harpsichord and
// toms turns to C major, where C marches down a stepwise bass and C' climbs back through Dm and
// a suspended E into A. The second A and B carry a harmony a third below, then the harpsichord
// takes the tune alone before the last break leads round.
Song nuit() {
    Song song(126, 64);
    const std::string a_chords = "Am F G E Am F Dm E ", b_chords = "Dm Am Bb E Dm Am F E7 ";
    auto chords =
        progression(a_chords + b_chords + "Am Am F G " + "C G/B Am Em/G F C/E Dm7 G " +
                    "F G Em Am Dm G Esus4 E7 " + a_chords + b_chords + a_chords + "Am Am F E ");
    auto a = [](int bar) {
        return melody(
            "A4:3 C5:3 E5:2 D5:2 C5:2 B4:2 C5:2 | A4:3 C5:3 F5:4 E5:2 D5:2 C5:2 |"
            "B4:3 D5:3 G5:4 F5:2 E5:2 D5:2 | E5:6 D5:2 B4:4 G#4:4 |"
            "A4:3 C5:3 E5:2 A5:4 G5:2 E5:2 | F5:3 E5:3 C5:2 A4:4 C5:2 F5:2 |"
            "D5:3 F5:3 A5:2 G5:2 F5:2 E5:2 D5:2 | E5:4 G#5:4 B5:4 r:4 |",
            bar);
    };
    auto b = [](int bar) {
        return melody(
            "F5:6 E5:2 D5:4 A5:4 | E5:8 C5:4 A4:4 | D5:6 F5:2 Bb5:4 A5:2 G5:2 | G#5:8 B5:4 E5:4 |"
            "A5:6 G5:2 F5:4 D5:4 | E5:6 A5:2 C6:4 B5:2 A5:2 | C6:6 A5:2 F5:4 A5:4 |"
            "B5:4 G#5:4 E5:4 D5:4 |",
            bar);
    };
    auto c = melody(
        "E5:3 G5:3 C6:2 D6:4 C6:4 | D5:3 G5:3 B5:2 A5:4 G5:4 | C5:3 E5:3 A5:2 G5:4 E5:4 |"
        "B4:6 C5:2 D5:4 E5:4 | F5:3 E5:3 D5:2 C5:4 A4:4 | G4:3 C5:3 E5:2 G5:8 |"
        "F5:3 E5:3 D5:2 C5:4 A4:4 | B4:4 D5:4 G5:4 F5:4 |"
        "A5:6 G5:2 F5:4 C5:4 | B5:6 A5:2 G5:4 D5:4 | G5:4 E5:4 B4:4 E5:4 | C6:8 B5:4 A5:4 |"
        "F5:6 E5:2 D5:4 A5:4 | G5:6 F5:2 D5:4 B4:4 | A4:4 B4:4 E5:8 | G#5:4 E5:4 D5:4 B4:4 |",
        20);
    LeadTone tone{0.5, 0.25, 5, 6, {0.01, 0.2, 0.75, 0.1}};
    play(song, a(0) + b(8) + c + a(36) + b(44), lead_voice(tone),
         {0.27f, {0.1f, 0.3f, 0.3f}, 0.92});
    play(song, diatonic_shift(a(36) + b(44), 0, -2),
         lead_voice({0.5, 0.15, 0, 4, {0.01, 0.2, 0.6, 0.08}}), {0.1f, {-0.4f, 0.2f, 0.25f}, 0.9});
    play(song, a(52), pluck_voice(0.8, 0.8), {0.3f, {0.2f, 0.35f, 0.35f}});
    play(song, chord_pattern(chords, "x-------x-------", 3, 0, 64), organ_voice(),
         {0.08f, {0, 0, 0.4f}, 0.95, 0.45f});
    play(song,
         chord_pattern(chords, "1.3.5.8.5.3.5.8.", 4, 0, 8) +
             chord_pattern(chords, "1358", 4, 8, 20) +
             chord_pattern(chords, "1.5.8.5.1.5.8.5.", 4, 20, 36) +
             chord_pattern(chords, "1.3.5.8.5.3.5.8.", 4, 36, 44) +
             chord_pattern(chords, "1358", 4, 44, 64),
         pluck_voice(0.6, 0.9), {0.35f, {-0.4f, 0.2f, 0.2f}});
    play(song, chord_pattern(chords, "1.1.8.1.1.1.8.5.", 1, 0, 64), saw_bass_voice(500),
         {0.45f, {}, 0.9});
    beat(song, drum_pattern("x.......x.x.....", 0, 64), kick_drum(1.0), 0.45f, {});
    beat(song,
         drum_pattern("....x.......x...", 0, 19) + drum_pattern("x.x.x.x.xoxoxxxx", 19, 20) +
             drum_pattern("....x.......x...", 20, 35) + drum_pattern("....x...o.o.xoxx", 35, 36) +
             drum_pattern("....x.......x...", 36, 63) + drum_pattern("x.x.x.x.xoxoxxxx", 63, 64),
         snare_drum(), 0.33f, {0, 0, 0.3f});
    beat(song,
         drum_pattern("x.o.x.o.x.o.x.o.", 0, 8) + drum_pattern("xoxoxoxoxoxoxoxo", 8, 16) +
             drum_pattern("x.o.x.o.x.o.x.o.", 20, 36) + drum_pattern("x.o.x.o.x.o.x.o.", 36, 44) +
             drum_pattern("xoxoxoxoxoxoxoxo", 44, 52) + drum_pattern("x.o.x.o.x.o.x.o.", 52, 60),
         closed_hat(), 0.22f, {0.3f});
    beat(song,
         drum_pattern("..x...x...x...x.", 8, 16) + drum_pattern("..x...x...x...x.", 28, 36) +
             drum_pattern("..x...x...x...x.", 44, 52),
         open_hat(), 0.12f, {-0.3f, 0, 0.2f});
    beat(song, drum_pattern("x..x..x.........", 16, 19) + drum_pattern("x..x..x.........", 60, 63),
         tom_drum(110), 0.25f, {-0.3f, 0, 0.3f});
    beat(song, drum_pattern("........x..x..x.", 16, 19) + drum_pattern("........x..x..x.", 60, 63),
         tom_drum(80), 0.28f, {0.3f, 0, 0.3f});
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
