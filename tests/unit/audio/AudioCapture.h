#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "audio/SoundEngine.h"

// What the audio tests share: fixture files, a real engine whose output SDL's disk driver
// writes to a file in real time, and a view of that file as 16-bit stereo frames.

constexpr int captureRate = 44100;

// Writes a 16-bit stereo 44.1 kHz WAV whose frame i holds sample(i) on both channels.
void writeWav(const std::string& path, int frames, const std::function<int16_t(int)>& sample);
void writeText(const std::string& path, const std::string& text);

// Redirects std::cerr for its lifetime.
class CerrCapture {
  public:
    CerrCapture();
    ~CerrCapture();
    std::vector<std::string> lines() const;

  private:
    std::ostringstream text_;
    std::streambuf* previous_;
};

class DiskCapture {
  public:
    // A fresh directory for fixtures and the capture file.
    DiskCapture();
    ~DiskCapture();

    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    // Points SDL at the disk driver and opens the engine on it.
    std::unique_ptr<SoundEngine> open();

    // Frames written so far.
    long frames() const;
    // Waits until `count` frames exist; false after a timeout generous for a loaded machine.
    bool waitFrames(long count) const;
    // The first frame at or after `from` whose left sample passes `test`, waiting for output
    // to arrive; -1 after the timeout.
    long waitFor(long from, const std::function<bool(int)>& test) const;
    // Left-channel samples of frames [from, from + count), waiting for them.
    std::vector<int> samples(long from, long count) const;

  private:
    std::string dir_;
};

// Left samples of `samples` as runs of equal values: (value, length) in order.
std::vector<std::pair<int, long>> runs(const std::vector<int>& samples);
