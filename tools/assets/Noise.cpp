#include "Noise.h"

#include <cmath>
#include <cstdint>

namespace {

float latticeValue(int x, int y, int z, unsigned seed) {
    uint32_t h = uint32_t(x) * 0x8DA6B343u ^ uint32_t(y) * 0xD8163841u ^ uint32_t(z) * 0xCB1AB31Fu;
    h ^= seed * 0x165667B1u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return float(h & 0xFFFFFFu) / float(0x7FFFFF) - 1.0f;
}

float smooth(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

float mix(float a, float b, float t) {
    return a + (b - a) * t;
}

} // namespace

float valueNoise(const glm::vec3& p, unsigned seed) {
    float fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    int x = int(fx), y = int(fy), z = int(fz);
    float tx = smooth(p.x - fx), ty = smooth(p.y - fy), tz = smooth(p.z - fz);
    float c[2][2];
    for (int j = 0; j < 2; ++j) {
        for (int k = 0; k < 2; ++k) {
            c[j][k] = mix(latticeValue(x, y + j, z + k, seed),
                          latticeValue(x + 1, y + j, z + k, seed), tx);
        }
    }
    return mix(mix(c[0][0], c[1][0], ty), mix(c[0][1], c[1][1], ty), tz);
}

float fractalNoise(const glm::vec3& p, int octaves, unsigned seed) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    glm::vec3 q = p;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(q, seed + unsigned(i) * 101u) * weight;
        total += weight;
        weight *= 0.5f;
        // The odd offset keeps the lattices of the layers from lining up.
        q = q * 2.0f + glm::vec3(17.31f, 5.77f, 11.13f);
    }
    return sum / total * 1.6f;
}
