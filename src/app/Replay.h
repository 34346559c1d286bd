#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/FrameCommands.h"

// A recorded game: its seed and, frame by frame, the time each frame played and what the
// shell took from the input that changes the world. The world is a function of these alone,
// so playing them back gives the same game on any machine, at any frame rate.
struct ReplayFrame {
    float dt = 0.0f;
    FrameCommands commands; // its aim is not kept
};

// The world's state after a frame, every second of game time: where playback first differs.
struct ReplayCheck {
    std::uint32_t frame = 0;
    std::uint64_t state = 0;
};

struct Replay {
    std::uint64_t seed = 0;
    double spawnPhase = 0.0; // seconds since the last release when the game's first frame began
    std::vector<ReplayFrame> frames;
    std::vector<ReplayCheck> checks;
    // The recorded result: the clock "Zeit", the kills and the lives left at the end.
    double seconds = 0.0;
    std::int32_t kills = 0;
    float lives = 0.0f;
};

constexpr std::uint32_t kReplayVersion = 1;

// The file: "QVREPLAY", the version, the seed, the spawn phase, the result, the counts, the
// frames (each a byte of flags and only what changed since the frame before), the checks, and
// a checksum of all before it. Little-endian throughout; documented in docs/replay-format.md.
std::string encodeReplay(const Replay& replay);

struct ReplayRead {
    bool ok = false;
    Replay replay;
    std::string problem; // what is wrong, for the one line that says so
};
// Any bytes at all: damaged, cut short, foreign or newer files are refused with the reason,
// and no count in the file can make it allocate more than the file's own size suggests.
ReplayRead decodeReplay(const std::string& bytes);

// FNV-1a, 64 bits: enough to tell a damaged file or a diverging world, and the same on every
// machine and build.
class Fnv64 {
  public:
    void bytes(const void* data, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i)
            value_ = (value_ ^ p[i]) * 0x100000001b3ULL;
    }
    template <typename T> void add(const T& v) { bytes(&v, sizeof v); }
    std::uint64_t value() const { return value_; }

  private:
    std::uint64_t value_ = 0xcbf29ce484222325ULL;
};
