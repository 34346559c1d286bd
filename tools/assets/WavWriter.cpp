#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

void appendLittle(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(uint8_t(v >> (8 * i)));
    }
}

void appendTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

bool writeWav(const std::string& path, const std::vector<float>& samples, int channels,
              int sampleRate) {
    uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    appendTag(out, "RIFF");
    appendLittle(out, 36 + dataBytes, 4);
    appendTag(out, "WAVE");
    appendTag(out, "fmt ");
    appendLittle(out, 16, 4);
    appendLittle(out, 1, 2); // PCM
    appendLittle(out, uint32_t(channels), 2);
    appendLittle(out, uint32_t(sampleRate), 4);
    appendLittle(out, uint32_t(sampleRate * channels * 2), 4);
    appendLittle(out, uint32_t(channels * 2), 2);
    appendLittle(out, 16, 2);
    appendTag(out, "data");
    appendLittle(out, dataBytes, 4);
    for (float s : samples) {
        long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        appendLittle(out, uint32_t(int16_t(v)) & 0xFFFFu, 2);
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}
