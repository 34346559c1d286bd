#include "Characters.h"

#include <cmath>
#include <glm/geometric.hpp>

#include "CharacterLayout.h"

namespace {

constexpr float kPi = 3.14159265358979f;

// An orthonormal frame whose second axis is `pole`.
struct Frame {
    glm::vec3 x, y, z;
};

Frame frameAround(const glm::vec3& pole) {
    glm::vec3 y = glm::normalize(pole);
    glm::vec3 helper = std::fabs(y.x) < 0.9f ? glm::vec3(1, 0, 0) : glm::vec3(0, 1, 0);
    glm::vec3 z = glm::normalize(glm::cross(helper, y));
    return {glm::cross(y, z), y, z};
}

const Frame kUpright{{1, 0, 0}, {0, 1, 0}, {0, 0, -1}};

// An ellipsoid (radii along the frame's axes) whose radius is multiplied by bump(theta, phi);
// theta runs around the pole axis (theta = pi/2 faces +z for an upright frame), phi from
// -pi/2 (bottom) to pi/2 (top).
void addBlob(MeshBuilder& mesh, const glm::vec3& centre, const glm::vec3& radii, const Frame& f,
             int around, int along, const UvRect& rect, float (*bump)(float, float) = nullptr) {
    auto shape = [=](float s, float t) {
        float theta = s * 2.0f * kPi, phi = (t - 0.5f) * kPi;
        float b = bump ? bump(theta, phi) : 1.0f;
        glm::vec3 d(std::cos(phi) * std::cos(theta), std::sin(phi),
                    std::cos(phi) * std::sin(theta));
        return centre + (f.x * (radii.x * d.x) + f.y * (radii.y * d.y) - f.z * (radii.z * d.z)) * b;
    };
    auto inside = [=](float, float) { return centre; };
    mesh.addSurface(shape, inside, around, along, layout::inset(rect));
}

// A tapering, bending horn from `base` along `direction`, its tip bent towards `bend`.
void addHorn(MeshBuilder& mesh, const glm::vec3& base, const glm::vec3& direction,
             const glm::vec3& bend, float length, float radius, int around, int along,
             const UvRect& rect) {
    Frame f = frameAround(direction);
    auto axis = [=](float t) { return base + f.y * (length * t) + bend * (length * t * t); };
    auto shape = [=](float s, float t) {
        // The first fifth closes the base with a flat cap, the rest tapers to the tip.
        float r = t < 0.2f ? radius * std::sin(t / 0.2f * kPi / 2.0f)
                           : radius * std::pow(1.0f - (t - 0.2f) / 0.8f, 0.9f);
        float a = t < 0.2f ? 0.0f : (t - 0.2f) / 0.8f;
        float theta = s * 2.0f * kPi;
        return axis(a) + (f.x * std::cos(theta) + f.z * std::sin(theta)) * r;
    };
    auto inside = [=](float, float t) {
        float a = t < 0.2f ? 0.0f : (t - 0.2f) / 0.8f;
        return t < 0.2f ? axis(0.0f) + f.y * (length * 0.2f) : axis(std::fmin(a, 0.8f) * 0.9f);
    };
    mesh.addSurface(shape, inside, around, along, layout::inset(rect));
}

void addEyes(MeshBuilder& mesh, const glm::vec3& centre, float distance, float radius, float spread,
             float lift, int around, int along) {
    for (float side : {-1.0f, 1.0f}) {
        glm::vec3 gaze = glm::normalize(glm::vec3(side * spread, lift, 1.0f));
        addBlob(mesh, centre + gaze * distance, glm::vec3(radius), frameAround(gaze), around, along,
                layout::kEye);
    }
}

// Five soft spikes around the enemy's waist: a star when seen from the camera above.
float enemySpikes(float theta, float phi) {
    float ring = std::pow(std::fmax(0.0f, std::cos(5.0f * theta + kPi / 2.0f)), 6.0f);
    float band = std::pow(std::cos(phi), 3.0f);
    float flatBottom = phi < -0.9f ? 0.95f : 1.0f;
    return (1.0f + 0.24f * ring * band) * flatBottom;
}

} // namespace

MeshBuilder playerMesh() {
    MeshBuilder mesh;
    for (float side : {-1.0f, 1.0f}) {
        addBlob(mesh, {side * 0.28f, 0.14f, 0.1f}, {0.2f, 0.14f, 0.3f}, kUpright, 12, 6,
                layout::kFoot);
    }
    addBlob(mesh, {0.0f, 0.78f, 0.0f}, {0.56f, 0.62f, 0.5f}, kUpright, 20, 12, layout::kBody);
    const glm::vec3 head(0.0f, 1.5f, 0.02f);
    addBlob(mesh, head, glm::vec3(0.42f), kUpright, 18, 12, layout::kHead);
    addEyes(mesh, head, 0.36f, 0.11f, 0.38f, 0.55f, 10, 6);
    addHorn(mesh, head + glm::vec3(0.0f, 0.3f, -0.05f), {0.0f, 1.0f, -0.35f}, {0.0f, -0.2f, -0.5f},
            0.35f, 0.13f, 8, 5, layout::kCuff);
    return mesh;
}

MeshBuilder enemyMesh() {
    MeshBuilder mesh;
    const glm::vec3 body(0.0f, 0.6f, 0.0f);
    // Kept coarse: the enemy is drawn twice per frame for every one of possibly thousands.
    addBlob(mesh, body, {0.66f, 0.58f, 0.66f}, kUpright, 10, 6, layout::kBody, enemySpikes);
    for (float side : {-1.0f, 1.0f}) {
        addHorn(mesh, {side * 0.3f, 0.95f, -0.08f}, {side * 0.55f, 1.0f, -0.1f},
                {side * 0.35f, 0.1f, 0.0f}, 0.55f, 0.14f, 5, 3, layout::kHead);
    }
    addEyes(mesh, body, 0.55f, 0.17f, 0.42f, 0.9f, 5, 3);
    return mesh;
}

MeshBuilder fistMesh() {
    MeshBuilder mesh;
    const glm::vec3 centre(0.0f, 1.3f, 0.0f);
    addBlob(mesh, centre, {0.95f, 0.8f, 0.85f}, kUpright, 16, 10, layout::kFist);
    addBlob(mesh, centre + glm::vec3(0.72f, -0.2f, 0.3f), {0.3f, 0.26f, 0.45f}, kUpright, 10, 6,
            layout::kCuff);
    addBlob(mesh, centre + glm::vec3(0.0f, -0.05f, -0.72f), {0.62f, 0.56f, 0.3f}, kUpright, 12, 6,
            layout::kCuff);
    return mesh;
}
