// decodeReplay on arbitrary bytes: no crash, no hang and no allocation beyond what the file's
// size allows; whatever it accepts is a replay the game could have written, and reads back
// the same once written again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/Replay.h"

namespace {

void check(const std::string& bytes) {
    const ReplayRead read = decodeReplay(bytes);
    if (read.ok == !read.problem.empty())
        std::abort();
    if (!read.ok)
        return;
    const ReplayRead again = decodeReplay(encodeReplay(read.replay));
    if (!again.ok || again.replay.frames.size() != read.replay.frames.size() ||
        again.replay.checks.size() != read.replay.checks.size())
        std::abort();
    for (const ReplayFrame& f : read.replay.frames)
        if (!(f.dt >= 0.0f && f.dt <= 0.25f))
            std::abort();
}

} // namespace

// The bytes as they come, which the checksum nearly always refuses, and as the body of a file
// with its checksum put right, which reaches the frames.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    check(bytes);
    Fnv64 sum;
    sum.bytes(bytes.data(), bytes.size());
    const std::uint64_t value = sum.value();
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    check(bytes);
    return 0;
}
