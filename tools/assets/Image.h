#pragma once

#include <cstdint>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>
#include <vector>

// An RGBA image with rows bottom-up: row 0 is the bottom edge, where texture v = 0 lies.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    Image(int w, int h) : width(w), height(h), rgba(size_t(w) * size_t(h) * 4, 0) {}

    uint8_t* at(int x, int y) { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
    const uint8_t* at(int x, int y) const {
        return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4];
    }
    // Colour components in [0, 1], clamped and rounded.
    void set(int x, int y, const glm::vec4& colour);
    void set(int x, int y, const glm::vec3& colour) { set(x, y, glm::vec4(colour, 1.0f)); }
};
