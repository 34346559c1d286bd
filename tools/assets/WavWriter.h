#pragma once

#include <string>
#include <vector>

// Writes 16-bit PCM WAV. `samples` are interleaved per channel, in [-1, 1]; values outside
// are clamped. False on I/O error.
bool writeWav(const std::string& path, const std::vector<float>& samples, int channels,
              int sampleRate);
