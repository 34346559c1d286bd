#include "world/Random.h"

#include <chrono>
#include <random>

namespace {

Random landing;
Random behaviour;

Random& streamOf(Chance stream) {
    return stream == Chance::Landing ? landing : behaviour;
}

std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

} // namespace

int Random::next() {
    state_ += 0x9e3779b97f4a7c15ULL;
    // The top bits are the best mixed.
    return static_cast<int>(mix(state_) >> 49);
}

void seedChance(std::uint64_t seed) {
    // The streams start far apart in the generator's sequence, not one draw from each other.
    landing = Random(mix(seed));
    behaviour = Random(mix(seed ^ 0x5851f42d4c957f2dULL));
}

std::uint64_t freshSeed() {
    std::random_device entropy;
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    return mix((static_cast<std::uint64_t>(entropy()) << 32) ^ entropy() ^
               static_cast<std::uint64_t>(ticks));
}

bool parseSeed(const std::string& text, std::uint64_t& seed) {
    if (text.empty() || text.size() > 20)
        return false;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    seed = value;
    return true;
}

int randomValue(Chance stream) {
    return streamOf(stream).next();
}

glm::vec3 randomDirection(Chance stream) {
    // Three separate statements: x, y and z must be drawn in this order.
    const float x = static_cast<float>(randomValue(stream) / 32767.0 * 100.0 - 50.0);
    const float y = static_cast<float>(randomValue(stream) / 32767.0 * 100.0 - 50.0);
    const float z = static_cast<float>(randomValue(stream) / 32767.0 * 100.0 - 50.0);
    const glm::vec3 v(x, y, z);
    return v / glm::length(v);
}
