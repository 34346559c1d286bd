#include "Icon.h"

#include <cmath>
#include <glm/geometric.hpp>

#include "Textures.h"

namespace {

// Coverage of an ellipse at pixel centre (x, y), with a one-pixel soft edge.
float ellipse(float x, float y, float cx, float cy, float rx, float ry) {
    float d = std::sqrt((x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry));
    return glm::clamp((1.0f - d) * std::fmin(rx, ry), 0.0f, 1.0f);
}

void over(glm::vec4& dst, const glm::vec3& colour, float alpha) {
    glm::vec3 c = glm::vec3(dst) * dst.a * (1.0f - alpha) + colour * alpha;
    float a = alpha + dst.a * (1.0f - alpha);
    dst = glm::vec4(a > 0.0f ? c / a : c, a);
}

glm::vec4 planetPixel(float px, float py, float cx, float cy, float r) {
    float x = (px - cx) / r, y = (py - cy) / r;
    float inside = glm::clamp((1.0f - std::sqrt(x * x + y * y)) * r, 0.0f, 1.0f);
    if (inside <= 0.0f) {
        return glm::vec4(0.0f);
    }
    float z = std::sqrt(std::fmax(0.0f, 1.0f - x * x - y * y));
    glm::vec3 n(x, y, z);
    // Tilt the globe so that a continent faces the viewer.
    glm::vec3 d(n.x * 0.8f + n.z * 0.6f, n.y, -n.x * 0.6f + n.z * 0.8f);
    float light =
        0.25f + 0.85f * std::fmax(0.0f, glm::dot(n, glm::normalize(glm::vec3(-0.5f, 0.6f, 0.7f))));
    return glm::vec4(planetColour(d) * light, inside);
}

// Coloured ellipses laid over the planet, in order; centres and radii as fractions of the size.
struct Spot {
    glm::vec3 colour;
    float cx, cy, rx, ry;
};
const Spot kSpots[] = {
    // The fighter on the top of the world: feet, body, head, gloves.
    {{0.1f, 0.12f, 0.32f}, 0.45f, 0.71f, 0.05f, 0.03f},
    {{0.1f, 0.12f, 0.32f}, 0.55f, 0.71f, 0.05f, 0.03f},
    {{0.13f, 0.42f, 0.92f}, 0.5f, 0.8f, 0.1f, 0.1f},
    {{1.0f, 0.78f, 0.18f}, 0.5f, 0.81f, 0.03f, 0.03f},
    {{1.0f, 0.79f, 0.62f}, 0.5f, 0.92f, 0.065f, 0.065f},
    {{0.05f, 0.05f, 0.1f}, 0.48f, 0.93f, 0.01f, 0.014f},
    {{0.05f, 0.05f, 0.1f}, 0.52f, 0.93f, 0.01f, 0.014f},
    {{1.0f, 0.78f, 0.18f}, 0.34f, 0.82f, 0.05f, 0.05f},
    {{1.0f, 0.78f, 0.18f}, 0.7f, 0.86f, 0.07f, 0.07f},
    // An enemy at the right rim, its horns up.
    {{1.0f, 0.92f, 0.72f}, 0.82f, 0.64f, 0.02f, 0.05f},
    {{1.0f, 0.92f, 0.72f}, 0.92f, 0.64f, 0.02f, 0.05f},
    {{0.78f, 0.1f, 0.25f}, 0.87f, 0.56f, 0.08f, 0.065f},
    {{1.0f, 0.95f, 0.45f}, 0.845f, 0.58f, 0.018f, 0.018f},
    {{1.0f, 0.95f, 0.45f}, 0.895f, 0.58f, 0.018f, 0.018f},
};

} // namespace

Image renderIcon(int size) {
    Image image(size, size);
    float s = float(size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float px = float(x) + 0.5f, py = float(y) + 0.5f;
            glm::vec4 c = planetPixel(px, py, 0.5f * s, 0.36f * s, 0.34f * s);
            for (const Spot& spot : kSpots)
                over(c, spot.colour,
                     ellipse(px, py, spot.cx * s, spot.cy * s, spot.rx * s, spot.ry * s));
            image.set(x, y, c);
        }
    }
    return image;
}
