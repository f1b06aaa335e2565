// A compact text notation for the music: melodies, chord progressions, chord-based patterns (bass
// lines, arpeggios, stabs) and drum grids. Time is counted in sixteenth notes ("steps") from the
// start of the loop; a 4/4 bar is 16 steps.
#pragma once
#include <string_view>
#include <vector>

namespace synth {

constexpr int kStepsPerBar = 16;

struct Note {
    double step = 0;
    double length = 0;  // in steps
    int pitch = 0;      // MIDI number, 60 = C4
};

struct Chord {
    double step = 0;
    double length = 0;
    int root = 0;                // pitch class, 0 = C
    std::vector<int> intervals;  // semitones above the root, first is 0
    int bass = 0;                // pitch class of the lowest note (differs for slash chords)
};

struct Hit {
    double step = 0;
    float level = 1;
};

// "C#5" → 73, "Bb3" → 58.
int pitch_of(std::string_view name);

// Notes laid end to end from bar `bar`: "E5:4 D5:2 r:2 G4:8 |" (lengths in steps, "r" rests;
// "|" marks a bar line and reports a miscount).
std::vector<Note> melody(std::string_view text, int bar = 0);

// One chord per bar unless a length is given: "F C/E Dm7 Bb:8 C:8". Qualities: m, 7, m7, maj7,
// sus4, sus2, dim, add9.
std::vector<Chord> progression(std::string_view text, int bar = 0);

// Plays a pattern of chord degrees over bars [from, to) of a progression, one character per
// step, repeating the pattern: 1 bass, 3 third, 5 fifth, 7 seventh (or octave), 8 octave, 9
// ninth, x every chord tone, '-' holds the previous note, anything else rests. `octave` places
// the root (4 puts C at 60).
std::vector<Note> chord_pattern(const std::vector<Chord>& chords, std::string_view pattern,
                                int octave, int from, int to);

// A drum grid over bars [from, to), repeating: 'x' hit, 'o' soft hit, anything else nothing.
std::vector<Hit> drum_pattern(std::string_view pattern, int from, int to);

// Each note moved by `degrees` steps along the major scale of `tonic` (pitch class), for
// harmony lines in thirds (-2) or sixths (-5). Notes outside the scale move by the nearest
// scale note below them.
std::vector<Note> diatonic_shift(const std::vector<Note>& notes, int tonic, int degrees);

// Concatenation, for building parts section by section.
std::vector<Note> operator+(std::vector<Note> a, const std::vector<Note>& b);
std::vector<Hit> operator+(std::vector<Hit> a, const std::vector<Hit>& b);

}  // namespace synth
