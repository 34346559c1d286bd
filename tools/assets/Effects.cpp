#include "Effects.h"

#include <algorithm>
#include <cmath>

#include "Random.h"
#include "Synth.h"

namespace {

constexpr float kPi = 3.14159265358979f;

std::vector<float> normalised(std::vector<float> samples) {
    float peak = 1e-9f;
    for (float s : samples) {
        peak = std::max(peak, std::fabs(s));
    }
    for (float& s : samples) {
        s *= 0.9f / peak;
    }
    // A few milliseconds of fade at the end, so the cut never clicks.
    int fade = std::min<int>(int(samples.size()), kSampleRate / 200);
    for (int i = 0; i < fade; ++i) {
        samples[samples.size() - 1 - size_t(i)] *= float(i) / float(fade);
    }
    return samples;
}

} // namespace

std::vector<float> punchSound() {
    Random noise(1);
    std::vector<float> out(size_t(0.28f * kSampleRate));
    float low = 0.0f, phase = 0.0f;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / kSampleRate;
        // Whoosh: noise through a low-pass that opens while the fist speeds up.
        float cutoff = 0.05f + 0.4f * std::min(1.0f, t / 0.09f);
        low += (float(noise.signedUniform()) - low) * cutoff;
        float whoosh = low * std::sin(std::min(1.0f, t / 0.1f) * kPi / 2.0f) *
                       (t < 0.1f ? 1.0f : std::exp(-(t - 0.1f) * 40.0f));
        // Thump at 0.09 s: a falling low sine.
        float thump = 0.0f;
        if (t > 0.09f) {
            float u = t - 0.09f;
            phase += (60.0f + 120.0f * std::exp(-u * 25.0f)) / kSampleRate;
            thump = std::sin(2.0f * kPi * phase) * std::exp(-u * 14.0f) * 1.4f;
        }
        out[i] = std::tanh(whoosh * 0.9f + thump);
    }
    return normalised(out);
}

std::vector<float> enemyPunchSound() {
    Random noise(2);
    std::vector<float> out(size_t(0.32f * kSampleRate));
    float low = 0.0f, phase = 0.0f;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / kSampleRate;
        float white = float(noise.signedUniform());
        low += (white - low) * 0.25f;
        float smack = (white - low) * std::exp(-t * 35.0f);
        // A gritty, descending square "oof" under the smack.
        phase = std::fmod(phase + (320.0f * std::exp(-t * 4.0f) + 90.0f) / kSampleRate, 1.0f);
        float oof = (phase < 0.5f ? 0.5f : -0.5f) * std::exp(-t * 9.0f);
        out[i] = std::tanh((smack * 1.3f + oof) * 1.5f);
    }
    return normalised(out);
}

std::vector<float> enemyDieSound() {
    Random noise(3);
    std::vector<float> out(size_t(0.75f * kSampleRate));
    float phase = 0.0f, sparklePhase = 0.0f;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / kSampleRate;
        float pitch =
            900.0f * std::exp(-t * 3.2f) * (1.0f + 0.12f * std::sin(2.0f * kPi * 18.0f * t));
        phase = std::fmod(phase + pitch / kSampleRate, 1.0f);
        float zap = (2.0f * phase - 1.0f) * std::exp(-t * 3.5f);
        sparklePhase += 2400.0f * (1.0f + t) / kSampleRate;
        float sparkle = std::sin(2.0f * kPi * sparklePhase) *
                        (std::fmod(t * 24.0f, 1.0f) < 0.3f ? 1.0f : 0.0f) * std::exp(-t * 5.0f) *
                        0.35f;
        float pop = float(noise.signedUniform()) * std::exp(-t * 60.0f);
        out[i] = std::tanh(zap * 0.8f + sparkle + pop * 0.8f);
    }
    return normalised(out);
}
