#include "AudioCapture.h"

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

namespace {

constexpr double timeoutSeconds = 10.0;

void put16(std::ofstream& out, uint16_t v) {
    out.put(static_cast<char>(v & 0xff));
    out.put(static_cast<char>(v >> 8));
}

void put32(std::ofstream& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v & 0xffff));
    put16(out, static_cast<uint16_t>(v >> 16));
}

} // namespace

void writeWav(const std::string& path, int frames, const std::function<int16_t(int)>& sample) {
    std::ofstream out(path, std::ios::binary);
    const uint32_t dataBytes = static_cast<uint32_t>(frames) * 4;
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 2);
    put32(out, captureRate);
    put32(out, captureRate * 4);
    put16(out, 4);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    for (int i = 0; i < frames; ++i) {
        const uint16_t v = static_cast<uint16_t>(sample(i));
        put16(out, v);
        put16(out, v);
    }
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

CerrCapture::CerrCapture() : previous_(std::cerr.rdbuf(text_.rdbuf())) {}

CerrCapture::~CerrCapture() {
    std::cerr.rdbuf(previous_);
}

std::vector<std::string> CerrCapture::lines() const {
    std::vector<std::string> result;
    std::istringstream in(text_.str());
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

DiskCapture::DiskCapture() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quorvex-audio-XXXXXX").string();
    dir_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string("/tmp");
    // The disk driver announces itself on every open; that is noise in the test log.
    SDL_LogSetPriority(SDL_LOG_CATEGORY_AUDIO, SDL_NUM_LOG_PRIORITIES);
}

DiskCapture::~DiskCapture() {
    std::error_code ignored;
    if (dir_ != "/tmp") {
        std::filesystem::remove_all(dir_, ignored);
    }
}

std::unique_ptr<SoundEngine> DiskCapture::open() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path("capture.raw").c_str(), 1);
    return SoundEngine::create();
}

long DiskCapture::frames() const {
    std::error_code error;
    const auto bytes = std::filesystem::file_size(path("capture.raw"), error);
    return error ? 0 : static_cast<long>(bytes / 4);
}

bool DiskCapture::waitFrames(long count) const {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (frames() < count) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

long DiskCapture::waitFor(long from, const std::function<bool(int)>& test) const {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    long next = from;
    while (std::chrono::steady_clock::now() < deadline) {
        const long available = frames();
        if (available > next) {
            const std::vector<int> block = samples(next, available - next);
            for (size_t i = 0; i < block.size(); ++i) {
                if (test(block[i])) {
                    return next + static_cast<long>(i);
                }
            }
            next = available;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return -1;
}

std::vector<int> DiskCapture::samples(long from, long count) const {
    std::vector<int> result;
    if (!waitFrames(from + count)) {
        return result;
    }
    std::ifstream in(path("capture.raw"), std::ios::binary);
    in.seekg(from * 4);
    std::vector<char> bytes(static_cast<size_t>(count) * 4);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    result.reserve(static_cast<size_t>(count));
    for (long i = 0; i < count; ++i) {
        const auto lo = static_cast<uint8_t>(bytes[i * 4]);
        const auto hi = static_cast<uint8_t>(bytes[i * 4 + 1]);
        result.push_back(static_cast<int16_t>(lo | (hi << 8)));
    }
    return result;
}

std::vector<std::pair<int, long>> runs(const std::vector<int>& samples) {
    std::vector<std::pair<int, long>> result;
    for (int s : samples) {
        if (result.empty() || result.back().first != s) {
            result.push_back({s, 0});
        }
        ++result.back().second;
    }
    return result;
}
