#pragma once

#include <cstdint>

// A small deterministic generator (SplitMix64): the same sequence on every platform,
// unlike std::rand or the std distributions, so regenerated files keep their bytes.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    // Uniform in [-1, 1).
    double signedUniform() { return uniform() * 2.0 - 1.0; }
    // Integer in [0, n).
    int below(int n) { return int(next() % uint64_t(n)); }

  private:
    uint64_t state_;
};
