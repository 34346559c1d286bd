#include "app/Replay.h"

#include <cmath>
#include <cstring>

namespace {

constexpr char kMagic[8] = {'Q', 'V', 'R', 'E', 'P', 'L', 'A', 'Y'};
// A frame's flags: what it repeats of the frame before, and its four switches.
enum : std::uint8_t {
    kSameDt = 1,
    kSameFacing = 2,
    kSameWalk = 4,
    kPunch = 8,
    kSuperPunch = 16,
    kZoomIn = 32,
    kZoomOut = 64,
};
constexpr std::size_t kHeaderBytes = 8 + 4 + 8 + 8 + 8 + 4 + 4 + 4 + 4;

class Writer {
  public:
    template <typename T> void put(T v) {
        unsigned char b[sizeof v];
        std::memcpy(b, &v, sizeof v);
        out.append(reinterpret_cast<const char*>(b), sizeof v); // x86-64 and ARM are little-endian
    }
    std::string out;
};

class Reader {
  public:
    explicit Reader(const std::string& bytes, std::size_t end) : bytes_(bytes), end_(end) {}
    template <typename T> bool get(T& v) {
        if (end_ - at_ < sizeof v)
            return false;
        std::memcpy(&v, bytes_.data() + at_, sizeof v);
        at_ += sizeof v;
        return true;
    }
    std::size_t left() const { return end_ - at_; }

  private:
    const std::string& bytes_;
    std::size_t end_;
    std::size_t at_ = 0;
};

bool walkEqual(const FrameCommands& a, const FrameCommands& b) {
    return a.forward == b.forward && a.right == b.right && a.left == b.left &&
           a.backward == b.backward;
}

bool share(float v) {
    return std::isfinite(v) && v >= 0.0f && v <= 1.0f;
}

bool readFrame(Reader& in, const ReplayFrame& before, ReplayFrame& frame) {
    std::uint8_t flags = 0;
    if (!in.get(flags) || (flags & 0x80))
        return false;
    frame = before;
    FrameCommands& c = frame.commands;
    if (!(flags & kSameDt) && !in.get(frame.dt))
        return false;
    if (!(flags & kSameFacing) && !in.get(c.facing))
        return false;
    if (!(flags & kSameWalk) &&
        !(in.get(c.forward) && in.get(c.right) && in.get(c.left) && in.get(c.backward)))
        return false;
    c.punch = flags & kPunch;
    c.superPunch = flags & kSuperPunch;
    c.zoomIn = flags & kZoomIn;
    c.zoomOut = flags & kZoomOut;
    // Nothing the game itself could have recorded: a frame plays at most a quarter second.
    return std::isfinite(frame.dt) && frame.dt >= 0.0f && frame.dt <= 0.25f &&
           std::isfinite(c.facing) && share(c.forward) && share(c.right) && share(c.left) &&
           share(c.backward);
}

} // namespace

std::string encodeReplay(const Replay& r) {
    Writer w;
    w.out.append(kMagic, sizeof kMagic);
    w.put(kReplayVersion);
    w.put(r.seed);
    w.put(r.spawnPhase);
    w.put(r.seconds);
    w.put(r.kills);
    w.put(r.lives);
    w.put(static_cast<std::uint32_t>(r.frames.size()));
    w.put(static_cast<std::uint32_t>(r.checks.size()));
    ReplayFrame before;
    for (const ReplayFrame& f : r.frames) {
        const FrameCommands& c = f.commands;
        std::uint8_t flags = (f.dt == before.dt ? kSameDt : 0) |
                             (c.facing == before.commands.facing ? kSameFacing : 0) |
                             (walkEqual(c, before.commands) ? kSameWalk : 0) |
                             (c.punch ? kPunch : 0) | (c.superPunch ? kSuperPunch : 0) |
                             (c.zoomIn ? kZoomIn : 0) | (c.zoomOut ? kZoomOut : 0);
        w.put(flags);
        if (!(flags & kSameDt))
            w.put(f.dt);
        if (!(flags & kSameFacing))
            w.put(c.facing);
        if (!(flags & kSameWalk)) {
            w.put(c.forward);
            w.put(c.right);
            w.put(c.left);
            w.put(c.backward);
        }
        before = f;
    }
    for (const ReplayCheck& check : r.checks) {
        w.put(check.frame);
        w.put(check.state);
    }
    Fnv64 sum;
    sum.bytes(w.out.data(), w.out.size());
    w.put(sum.value());
    return w.out;
}

ReplayRead decodeReplay(const std::string& bytes) {
    ReplayRead read;
    if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        read.problem = "not a replay";
        return read;
    }
    if (bytes.size() < kHeaderBytes + 8) {
        read.problem = "cut short";
        return read;
    }
    Reader in(bytes, bytes.size() - 8);
    char magic[8];
    std::uint32_t version = 0, frames = 0, checks = 0;
    Replay& r = read.replay;
    for (char& c : magic)
        in.get(c);
    in.get(version);
    if (version != kReplayVersion) {
        read.problem = version > kReplayVersion ? "from a newer version of the game (format " +
                                                      std::to_string(version) + ")"
                                                : "of an unknown format " + std::to_string(version);
        return read;
    }
    Fnv64 sum;
    sum.bytes(bytes.data(), bytes.size() - 8);
    std::uint64_t stored = 0;
    std::memcpy(&stored, bytes.data() + bytes.size() - 8, 8);
    if (stored != sum.value()) {
        read.problem = "damaged or cut short (its checksum does not match)";
        return read;
    }
    in.get(r.seed);
    in.get(r.spawnPhase);
    in.get(r.seconds);
    in.get(r.kills);
    in.get(r.lives);
    in.get(frames);
    in.get(checks);
    // Every frame takes a byte at least and every check twelve: larger counts are lies.
    if (frames > in.left() || checks > in.left() / 12 || !std::isfinite(r.spawnPhase) ||
        !std::isfinite(r.seconds) || !std::isfinite(r.lives)) {
        read.problem = "damaged (its counts do not fit the file)";
        return read;
    }
    r.frames.reserve(frames);
    ReplayFrame before;
    for (std::uint32_t i = 0; i < frames; ++i) {
        ReplayFrame frame;
        if (!readFrame(in, before, frame)) {
            read.problem = "damaged at frame " + std::to_string(i);
            return read;
        }
        r.frames.push_back(frame);
        before = frame;
    }
    for (std::uint32_t i = 0; i < checks; ++i) {
        ReplayCheck check;
        in.get(check.frame);
        in.get(check.state);
        if (check.frame >= frames || (i > 0 && check.frame <= r.checks.back().frame)) {
            read.problem = "damaged at check " + std::to_string(i);
            return read;
        }
        r.checks.push_back(check);
    }
    if (in.left() != 0) {
        read.problem = "damaged (bytes after its end)";
        return read;
    }
    read.ok = true;
    return read;
}
