#pragma once

#include <cstddef>
#include <vector>

#include "Random.h"

constexpr int kSampleRate = 44100;

// A stereo loop of fixed length that instruments add into. Writes wrap around the end, so a
// note or echo that rings past the loop point continues at its start: the loop is seamless.
class LoopBuffer {
  public:
    explicit LoopBuffer(int frames) : left_(size_t(frames), 0.0f), right_(size_t(frames), 0.0f) {}

    int frames() const { return int(left_.size()); }
    // `pan` from -1 (left) to 1 (right), equal power.
    void add(long frame, float value, float pan);
    // A feedback echo over the whole loop (applied after the parts that should echo).
    void echo(int delayFrames, float feedback, int repeats);
    // Interleaved stereo, peak at `peak`, with `fadeFrames` of fade at both ends so that a
    // player that leaves a gap at the loop point hears no click.
    std::vector<float> finish(float peak, int fadeFrames) const;

  private:
    std::vector<float> left_, right_;
};

enum class Wave { Square, Pulse, Saw, Triangle };

struct Tone {
    Wave wave = Wave::Square;
    float attack = 0.005f, decay = 0.1f, sustain = 0.6f, release = 0.08f; // seconds / level
    float vibrato = 0.0f;                                                 // semitones
    float cutoff = 1.0f;      // 0..1 brightness of a simple low-pass, 1 = open
    float cutoffDecay = 0.0f; // how fast the low-pass closes after the attack, per second
};

// Frequency of MIDI note `note` in Hz.
float noteFrequency(float note);
// Adds one pitched note starting at `startFrame`, lasting `seconds` before its release.
void playTone(LoopBuffer& out, const Tone& tone, float note, long startFrame, float seconds,
              float volume, float pan);
void playKick(LoopBuffer& out, long startFrame, float volume);
void playSnare(LoopBuffer& out, long startFrame, float volume, Random& noise);
void playHat(LoopBuffer& out, long startFrame, float volume, bool open, Random& noise);
