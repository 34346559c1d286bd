#include "Songs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "Synth.h"

namespace {

struct Style {
    const char* name;
    float bpm;
    int root;                 // MIDI note of the key's tonic, in the bass register
    std::array<int, 7> scale; // semitones above the root
    std::vector<int> chords;  // scale degree of each bar's chord, cycled
    const char* sections;     // one letter per 8 bars: I intro, A and B melody, C break
    const char* kick;         // 16 steps per bar
    const char* snare;
    const char* hat;  // x closed, o open
    const char* bass; // R root, 5 fifth, O octave, '.' hold or rest
    Tone lead;
    Tone bassTone;
    unsigned seed;
};

struct Note {
    int step, length, offset; // offset: scale steps above the chord's root, or rest if < -50
};

constexpr int kRest = -99;

// A two-bar motif: a rhythm and a contour, fixed by the seed.
std::vector<Note> makeMotif(Random& rng) {
    static const int lengths[] = {2, 2, 2, 4, 4, 1, 3, 6};
    std::vector<Note> motif;
    int step = 0, offset = rng.below(3) * 2;
    while (step < 32) {
        int length = lengths[rng.below(8)];
        if (length == 1 || length == 3) {
            length = (step % 2 == 0) ? length + 1 : length; // keep dotted notes off the beat
        }
        length = std::min(length, 32 - step);
        bool rest = step > 0 && rng.uniform() < 0.14;
        motif.push_back({step, length, rest ? kRest : offset});
        offset = std::clamp(offset + rng.below(5) - 2, -2, 9);
        step += length;
    }
    return motif;
}

int scaleNote(const Style& style, int degree) {
    int octave = int(std::floor(float(degree) / 7.0f));
    return style.root + 12 * octave + style.scale[size_t(degree - octave * 7)];
}

// Strong beats land on the chord: the nearest of root, third and fifth.
int snapToChord(int degree, int chordRoot) {
    int best = degree, bestDistance = 99;
    for (int o = -7; o <= 14; o += 7) {
        for (int tone : {0, 2, 4}) {
            int d = chordRoot + tone + o;
            if (std::abs(d - degree) < bestDistance) {
                best = d;
                bestDistance = std::abs(d - degree);
            }
        }
    }
    return best;
}

class Arranger {
  public:
    Arranger(const Style& style, int bars)
        : style_(style), stepFrames_(60.0 / style.bpm / 4.0 * kSampleRate),
          out_(int(std::lround(stepFrames_ * 16 * bars))), noise_(style.seed * 7919u + 1u),
          bars_(bars) {}

    LoopBuffer& buffer() { return out_; }
    int chordOf(int bar) const { return style_.chords[size_t(bar) % style_.chords.size()]; }
    long frameOf(int bar, int step) const { return std::lround((bar * 16 + step) * stepFrames_); }
    float stepSeconds() const { return float(stepFrames_ / kSampleRate); }

    void drums(int bar, char section) {
        bool fill = bar % 8 == 7;
        for (int s = 0; s < 16; ++s) {
            long f = frameOf(bar, s);
            if (style_.kick[s] == 'x' && !(section == 'C' && s % 8 != 0)) {
                playKick(out_, f, 0.9f);
            }
            bool roll = fill && s >= 12;
            if (style_.snare[s] == 'x' || roll) {
                playSnare(out_, f, roll ? 0.25f + 0.08f * float(s - 12) : 0.45f, noise_);
            }
            if (section != 'I' || bar % 8 >= 4) {
                char h = style_.hat[s];
                if (h == 'x' || h == 'o') {
                    playHat(out_, f, s % 4 == 0 ? 0.16f : 0.11f, h == 'o', noise_);
                }
            }
        }
    }

    void bass(int bar) {
        int root = scaleNote(style_, chordOf(bar));
        for (int s = 0; s < 16; ++s) {
            char c = style_.bass[s];
            if (c == '.') {
                continue;
            }
            int length = 1;
            while (s + length < 16 && style_.bass[s + length] == '.' && length < 4) {
                ++length;
            }
            int note = c == 'O' ? root + 12 : c == '5' ? scaleNote(style_, chordOf(bar) + 4) : root;
            playTone(out_, style_.bassTone, float(note), frameOf(bar, s),
                     stepSeconds() * float(length) * 0.85f, 0.5f, -0.1f);
        }
    }

    void arpeggio(int bar) {
        static const int order[] = {0, 2, 4, 7, 4, 2};
        Tone pluck{Wave::Triangle, 0.002f, 0.08f, 0.0f, 0.05f, 0.0f, 0.7f, 6.0f};
        for (int s = 0; s < 16; s += 1) {
            int degree = chordOf(bar) + order[s % 6] + 14;
            playTone(out_, pluck, float(scaleNote(style_, degree)), frameOf(bar, s),
                     stepSeconds() * 0.5f, 0.12f, 0.5f);
        }
    }

    void melody(int bar, const std::vector<Note>& motif, int lift, bool cadence) {
        int half = bar % 2;
        for (const Note& n : motif) {
            if (n.step / 16 != half || n.offset == kRest) {
                continue;
            }
            int chord = chordOf(bar);
            int degree = chord + n.offset + 7 + lift;
            if (n.step % 8 == 0) {
                degree = snapToChord(degree, chord);
            }
            bool last = cadence && half == 1 && n.step + n.length >= 32;
            if (last) {
                degree = snapToChord(degree, 0); // phrase ends home, on the tonic chord
            }
            playTone(out_, style_.lead, float(scaleNote(style_, degree) + 12),
                     frameOf(bar, n.step % 16), stepSeconds() * float(n.length) * 0.9f, 0.3f,
                     -0.25f);
        }
    }

    int bars() const { return bars_; }

  private:
    const Style& style_;
    double stepFrames_;
    LoopBuffer out_;
    Random noise_;
    int bars_;
};

Song compose(const Style& style) {
    int bars = int(std::strlen(style.sections)) * 8;
    Arranger arranger(style, bars);
    Random rng(style.seed);
    std::vector<Note> motifA = makeMotif(rng), motifB = makeMotif(rng), motifA2 = makeMotif(rng);
    motifA2.insert(motifA2.begin(), motifA.begin(), motifA.begin() + long(motifA.size() / 2));
    for (int bar = 0; bar < bars; ++bar) {
        char section = style.sections[bar / 8];
        int inPhrase = bar % 8;
        if (section != 'C' || inPhrase >= 4) {
            arranger.bass(bar);
        }
        if (section == 'A' || section == 'B') {
            const std::vector<Note>& motif = section == 'B' ? (inPhrase < 4 ? motifB : motifA)
                                                            : (inPhrase / 2 == 2 ? motifB : motifA);
            arranger.melody(bar, motif, section == 'B' && inPhrase < 4 ? 2 : 0, inPhrase == 7);
        }
    }
    arranger.buffer().echo(int(std::lround(60.0 / style.bpm * 0.75 * kSampleRate)), 0.32f, 4);
    for (int bar = 0; bar < bars; ++bar) {
        char section = style.sections[bar / 8];
        arranger.drums(bar, section);
        if (section != 'A') {
            arranger.arpeggio(bar);
        }
    }
    return {style.name, arranger.buffer().finish(0.85f, kSampleRate / 25)};
}

std::vector<Style> styles() {
    const std::array<int, 7> minor{0, 2, 3, 5, 7, 8, 10}, major{0, 2, 4, 5, 7, 9, 11};
    const std::array<int, 7> dorian{0, 2, 3, 5, 7, 9, 10}, harmonic{0, 2, 3, 5, 7, 8, 11};
    Tone square{Wave::Square, 0.005f, 0.15f, 0.55f, 0.08f, 0.15f, 0.5f, 1.5f};
    Tone pulse{Wave::Pulse, 0.004f, 0.2f, 0.5f, 0.1f, 0.2f, 0.6f, 1.0f};
    Tone saw{Wave::Saw, 0.01f, 0.3f, 0.6f, 0.12f, 0.12f, 0.35f, 0.8f};
    Tone soft{Wave::Triangle, 0.01f, 0.25f, 0.7f, 0.15f, 0.25f, 1.0f, 0.0f};
    Tone bassSaw{Wave::Saw, 0.003f, 0.12f, 0.5f, 0.04f, 0.0f, 0.3f, 5.0f};
    Tone bassSquare{Wave::Square, 0.003f, 0.1f, 0.6f, 0.04f, 0.0f, 0.2f, 3.0f};
    return {
        {"track1",
         128.0f,
         45,
         minor,
         {0, 5, 2, 6},
         "IABA",
         "x...x...x...x...",
         "....x.......x...",
         "..x...x...x...o.",
         "R.R.O.R.R.R.O.5.",
         square,
         bassSaw,
         101u},
        {"track2",
         100.0f,
         38,
         dorian,
         {0, 3, 0, 6, 0, 3, 4, 4},
         "IAB",
         "x.....x...x.....",
         "....x.......x..x",
         "x.xxx.x.x.xxx.xo",
         "R..R..O.R.5..R..",
         pulse,
         bassSquare,
         202u},
        {"track3",
         112.0f,
         36,
         major,
         {0, 4, 5, 3},
         "IAB",
         "x.......x.x.....",
         "....x.......x...",
         "x.x.x.x.x.x.x.x.",
         "R...5...R.O.5...",
         soft,
         bassSquare,
         303u},
        {"track4",
         140.0f,
         40,
         harmonic,
         {0, 3, 4, 0, 5, 3, 4, 4},
         "IACB",
         "x.x...x.x.x...x.",
         "....x.......x...",
         "xxxxxxxxxxxxxxxx",
         "RRO.RRO.RRO.R5O.",
         saw,
         bassSaw,
         404u},
    };
}

} // namespace

std::vector<Song> composeSongs() {
    std::vector<Song> songs;
    for (const Style& style : styles()) {
        songs.push_back(compose(style));
    }
    return songs;
}
