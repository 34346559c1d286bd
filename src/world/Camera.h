#pragma once

#include <glm/glm.hpp>

// The colour pass's eye: on a sphere of radius `distance` around the planet, looking at the
// player's place and turning toward it at a bounded rate.
class Camera {
  public:
    Camera() = default;

    // Positive moves the eye nearer; a step that would leave (2, 6) is refused whole.
    void zoom(float amount);
    // Turns the eye toward `target` (a unit direction) and takes `newUp` as the up vector.
    void follow(const glm::vec3& target, const glm::vec3& newUp, float dt);

    glm::mat4 view() const;       // lookAt(eye, center, up)
    glm::mat4 projection() const; // perspective(45 degrees, aspect, 0.1, 1000)

    float aspect = 16.0f / 9.0f;
    float distance = 3.0f;
    glm::vec3 eye{0.0f, 0.0f, -3.0f};
    glm::vec3 up{0.0f, 1.0f, 0.0f};
    glm::vec3 center{0.0f, 0.0f, 0.0f};
};
