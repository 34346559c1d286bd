#pragma once

#include <cstdint>
#include <glm/glm.hpp>
#include <string>

// A run's chance, fixed by one seed. Two streams come from it: where enemies land, and the
// rest (wandering, the player's nudges, the music). The rest is drawn once per enemy per
// frame, so the number of its draws follows the frame rate; kept apart, the landing places
// of a seed are the same at any frame rate.
enum class Chance { Landing, Behaviour };

// SplitMix64 reduced to the range of the C library's rand() that the game's rules are
// written for. The same seed gives the same draws on every machine and build.
class Random {
  public:
    explicit Random(std::uint64_t seed = 0) : state_(seed) {}
    int next(); // 0 to 32767
    std::uint64_t state() const { return state_; }

  private:
    std::uint64_t state_;
};

// Seeds both streams of the game's chance.
void seedChance(std::uint64_t seed);
// A seed nobody chose: from the clock and the system's entropy.
std::uint64_t freshSeed();
// A seed as a player writes it: decimal digits only, at most 2^64 - 1.
bool parseSeed(const std::string& text, std::uint64_t& seed);

// One draw from a stream, 0 to 32767.
int randomValue(Chance stream = Chance::Behaviour);
// A random unit vector from three draws mapped to [-50, 50] each, x first.
glm::vec3 randomDirection(Chance stream = Chance::Behaviour);
