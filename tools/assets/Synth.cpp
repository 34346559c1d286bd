#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.14159265358979f;

// Band-limited step correction (polyBLEP) that takes the worst aliasing off saw and square.
float polyBlep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

float oscillator(Wave wave, float phase, float dt) {
    switch (wave) {
    case Wave::Saw:
        return 2.0f * phase - 1.0f - polyBlep(phase, dt);
    case Wave::Triangle:
        return 1.0f - 4.0f * std::fabs(phase - 0.5f);
    case Wave::Square:
    case Wave::Pulse: {
        float duty = wave == Wave::Square ? 0.5f : 0.25f;
        float v = phase < duty ? 1.0f : -1.0f;
        v += polyBlep(phase, dt);
        v -= polyBlep(std::fmod(phase + 1.0f - duty, 1.0f), dt);
        return v;
    }
    }
    return 0.0f;
}

float envelope(const Tone& tone, float t, float held) {
    float level;
    if (t < tone.attack) {
        level = t / tone.attack;
    } else {
        float d = (t - tone.attack) / tone.decay;
        level = tone.sustain + (1.0f - tone.sustain) * std::exp(-d * 3.0f);
    }
    if (t > held) {
        level *= std::max(0.0f, 1.0f - (t - held) / tone.release);
    }
    return level;
}

} // namespace

void LoopBuffer::add(long frame, float value, float pan) {
    long n = long(left_.size());
    size_t i = size_t(((frame % n) + n) % n);
    float angle = (pan + 1.0f) * kPi / 4.0f;
    left_[i] += value * std::cos(angle);
    right_[i] += value * std::sin(angle);
}

void LoopBuffer::echo(int delayFrames, float feedback, int repeats) {
    std::vector<float> dryLeft = left_, dryRight = right_;
    float gain = feedback;
    long n = long(left_.size());
    for (int r = 1; r <= repeats; ++r) {
        long shift = long(delayFrames) * r;
        for (long i = 0; i < n; ++i) {
            size_t j = size_t((i + shift) % n);
            // Alternate sides for a wide, ping-pong echo.
            left_[j] += (r % 2 ? dryRight[size_t(i)] : dryLeft[size_t(i)]) * gain;
            right_[j] += (r % 2 ? dryLeft[size_t(i)] : dryRight[size_t(i)]) * gain;
        }
        gain *= feedback;
    }
}

std::vector<float> LoopBuffer::finish(float peak, int fadeFrames) const {
    float loudest = 1e-9f;
    for (size_t i = 0; i < left_.size(); ++i) {
        loudest = std::max({loudest, std::fabs(left_[i]), std::fabs(right_[i])});
    }
    float gain = peak / loudest;
    std::vector<float> out;
    out.reserve(left_.size() * 2);
    int n = frames();
    for (int i = 0; i < n; ++i) {
        float ramp =
            std::min({1.0f, float(i) / float(fadeFrames), float(n - 1 - i) / float(fadeFrames)});
        float edge = 0.5f - 0.5f * std::cos(ramp * kPi); // raised cosine: no corner at the ends
        out.push_back(left_[size_t(i)] * gain * edge);
        out.push_back(right_[size_t(i)] * gain * edge);
    }
    return out;
}

float noteFrequency(float note) {
    return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f);
}

void playTone(LoopBuffer& out, const Tone& tone, float note, long startFrame, float seconds,
              float volume, float pan) {
    int frames = int((seconds + tone.release) * kSampleRate);
    float base = noteFrequency(note);
    float phase = 0.0f, low = 0.0f, low2 = 0.0f;
    for (int i = 0; i < frames; ++i) {
        float t = float(i) / kSampleRate;
        float wobble = tone.vibrato * std::sin(2.0f * kPi * 5.5f * t) * std::min(1.0f, t * 4.0f);
        float dt = base * std::pow(2.0f, wobble / 12.0f) / kSampleRate;
        float v = oscillator(tone.wave, phase, dt);
        phase = std::fmod(phase + dt, 1.0f);
        float bright = std::clamp(tone.cutoff * std::exp(-tone.cutoffDecay * t), 0.02f, 1.0f);
        low += (v - low) * bright; // two one-pole stages: a soft 12 dB low-pass
        low2 += (low - low2) * bright;
        out.add(startFrame + i, low2 * envelope(tone, t, seconds) * volume, pan);
    }
}

void playKick(LoopBuffer& out, long startFrame, float volume) {
    float phase = 0.0f;
    int frames = int(0.35f * kSampleRate);
    for (int i = 0; i < frames; ++i) {
        float t = float(i) / kSampleRate;
        float freq = 45.0f + 110.0f * std::exp(-t * 30.0f);
        phase += freq / kSampleRate;
        float v = std::sin(2.0f * kPi * phase) * std::exp(-t * 9.0f);
        v += (i < 40 ? 0.4f * (1.0f - float(i) / 40.0f) : 0.0f); // the beater's click
        out.add(startFrame + i, std::tanh(v * 1.5f) * volume, 0.0f);
    }
}

void playSnare(LoopBuffer& out, long startFrame, float volume, Random& noise) {
    int frames = int(0.22f * kSampleRate);
    float band = 0.0f, low = 0.0f;
    for (int i = 0; i < frames; ++i) {
        float t = float(i) / kSampleRate;
        float white = float(noise.signedUniform());
        low += (white - low) * 0.35f;
        band = white - low; // takes the rumble off the noise
        float body = std::sin(2.0f * kPi * 185.0f * t) * std::exp(-t * 30.0f);
        float v = band * std::exp(-t * 18.0f) * 0.8f + body * 0.6f;
        out.add(startFrame + i, v * volume, 0.05f);
    }
}

void playHat(LoopBuffer& out, long startFrame, float volume, bool open, Random& noise) {
    int frames = int((open ? 0.25f : 0.05f) * kSampleRate);
    float low = 0.0f;
    for (int i = 0; i < frames; ++i) {
        float t = float(i) / kSampleRate;
        float white = float(noise.signedUniform());
        low += (white - low) * 0.6f;
        float v = (white - low) * std::exp(-t * (open ? 14.0f : 70.0f));
        out.add(startFrame + i, v * volume, 0.3f);
    }
}
