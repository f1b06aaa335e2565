// Parsing of the music notation and expansion of chord patterns into notes.
#include "audio/audio_score.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace synth {

namespace {

// Splits on spaces and calls f(token) for each word.
template <class F>
void for_each_word(std::string_view text, F&& f) {
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        size_t end = text.find(' ', i);
        if (end == std::string_view::npos) end = text.size();
        if (end > i) f(text.substr(i, end - i));
        i = end;
    }
}

int to_int(std::string_view text, int fallback) {
    int value = fallback;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Reads a note letter and accidental at the front of `text`, consuming them; returns the pitch
// class.
int take_pitch_class(std::string_view& text) {
    constexpr std::array<int, 7> kLetters{9, 11, 0, 2, 4, 5, 7};  // A … G
    int pc = kLetters[static_cast<size_t>(text[0] - 'A') % 7];
    text.remove_prefix(1);
    if (!text.empty() && (text[0] == '#' || text[0] == 'b')) {
        pc += text[0] == '#' ? 1 : -1;
        text.remove_prefix(1);
    }
    return (pc + 12) % 12;
}

std::vector<int> quality_intervals(std::string_view q) {
    if (q == "m") return {0, 3, 7};
    if (q == "7") return {0, 4, 7, 10};
    if (q == "m7") return {0, 3, 7, 10};
    if (q == "maj7") return {0, 4, 7, 11};
    if (q == "sus4") return {0, 5, 7};
    if (q == "sus2") return {0, 2, 7};
    if (q == "dim") return {0, 3, 6};
    if (q == "add9") return {0, 4, 7, 14};
    if (!q.empty())
        std::printf("assetgen: unknown chord quality '%.*s'\n", static_cast<int>(q.size()),
                    q.data());
    return {0, 4, 7};
}

Chord parse_chord(std::string_view symbol) {
    Chord chord;
    chord.root = take_pitch_class(symbol);
    chord.bass = chord.root;
    size_t slash = symbol.find('/');
    if (slash != std::string_view::npos) {
        std::string_view bass = symbol.substr(slash + 1);
        chord.bass = take_pitch_class(bass);
        symbol = symbol.substr(0, slash);
    }
    chord.intervals = quality_intervals(symbol);
    return chord;
}

const Chord& chord_at(const std::vector<Chord>& chords, double step) {
    for (const Chord& c : chords) {
        if (step >= c.step && step < c.step + c.length) return c;
    }
    return chords.back();
}

// The pitches a pattern character stands for over `c` (empty for rests and holds).
std::vector<int> degree_pitches(const Chord& c, char degree, int octave) {
    int root = 12 * (octave + 1) + c.root;
    const std::vector<int>& iv = c.intervals;
    switch (degree) {
        case '1':
            return {12 * (octave + 1) + c.bass};
        case '3':
            return {root + iv[1]};
        case '5':
            return {root + iv[2]};
        case '7':
            return {root + (iv.size() > 3 ? iv[3] : 12)};
        case '8':
            return {root + 12};
        case '9':
            return {root + 14};
        case 'x': {
            std::vector<int> all;
            for (int i : iv) all.push_back(root + i);
            return all;
        }
        default:
            return {};
    }
}

int floor_div(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

int pitch_of(std::string_view name) {
    int pc = take_pitch_class(name);
    return pc + 12 * (to_int(name, 4) + 1);
}

std::vector<Note> melody(std::string_view text, int bar) {
    std::vector<Note> notes;
    double step = bar * kStepsPerBar;
    for_each_word(text, [&](std::string_view word) {
        if (word == "|") {  // bar line: catches miscounted bars
            if (std::fmod(step, kStepsPerBar) != 0) {
                std::printf("assetgen: bar line at step %g in \"%.*s\"\n", step,
                            static_cast<int>(text.size()), text.data());
            }
            return;
        }
        size_t colon = word.find(':');
        std::string_view name = word.substr(0, colon);
        double length = colon == std::string_view::npos ? 4 : to_int(word.substr(colon + 1), 4);
        if (name != "r") notes.push_back({step, length, pitch_of(name)});
        step += length;
    });
    return notes;
}

std::vector<Chord> progression(std::string_view text, int bar) {
    std::vector<Chord> chords;
    double step = bar * kStepsPerBar;
    for_each_word(text, [&](std::string_view word) {
        size_t colon = word.find(':');
        Chord chord = parse_chord(word.substr(0, colon));
        chord.step = step;
        chord.length =
            colon == std::string_view::npos ? kStepsPerBar : to_int(word.substr(colon + 1), 16);
        step += chord.length;
        chords.push_back(chord);
    });
    return chords;
}

std::vector<Note> chord_pattern(const std::vector<Chord>& chords, std::string_view pattern,
                                int octave, int from, int to) {
    std::vector<Note> notes;
    size_t sounding = 0;  // notes at the end of `notes` that a '-' extends
    int first = from * kStepsPerBar;
    for (int s = first; s < to * kStepsPerBar; ++s) {
        char c = pattern[static_cast<size_t>(s - first) % pattern.size()];
        if (c == '-') {
            for (size_t k = notes.size() - sounding; k < notes.size(); ++k) notes[k].length += 1;
            continue;
        }
        std::vector<int> pitches = degree_pitches(chord_at(chords, s), c, octave);
        for (int p : pitches) notes.push_back({static_cast<double>(s), 1, p});
        sounding = pitches.size();
    }
    return notes;
}

std::vector<Hit> drum_pattern(std::string_view pattern, int from, int to) {
    std::vector<Hit> hits;
    int first = from * kStepsPerBar;
    for (int s = first; s < to * kStepsPerBar; ++s) {
        char c = pattern[static_cast<size_t>(s - first) % pattern.size()];
        if (c == 'x' || c == 'o') hits.push_back({static_cast<double>(s), c == 'x' ? 1.0f : 0.5f});
    }
    return hits;
}

std::vector<Note> diatonic_shift(const std::vector<Note>& notes, int tonic, int degrees) {
    constexpr std::array<int, 7> kMajor{0, 2, 4, 5, 7, 9, 11};
    std::vector<Note> out = notes;
    for (Note& n : out) {
        int d = n.pitch - tonic;
        int octave = floor_div(d, 12);
        int within = d - 12 * octave;
        int index = 0;
        while (index < 6 && kMajor[static_cast<size_t>(index + 1)] <= within) ++index;
        index += degrees;
        octave += floor_div(index, 7);
        index -= 7 * floor_div(index, 7);
        n.pitch = tonic + 12 * octave + kMajor[static_cast<size_t>(index)];
    }
    return out;
}

std::vector<Note> operator+(std::vector<Note> a, const std::vector<Note>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Hit> operator+(std::vector<Hit> a, const std::vector<Hit>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace synth
