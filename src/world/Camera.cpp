#include "world/Camera.h"

#include <glm/gtc/matrix_transform.hpp>

#include "render/LightMatrices.h"
#include "world/SphereMath.h"

namespace {
constexpr float kMinDistance = 2.0f;
constexpr float kMaxDistance = 6.0f;

// The turn this frame in degrees: 8 per second, widened by the remaining angle (degrees) so
// the camera catches up with a player that outruns it.
float allowedTurn(float remainingDegrees, float dt) {
    float allowed = 8.0f * dt;
    if (remainingDegrees > 7.0f) {
        allowed += 6.0f * dt;
    }
    if (remainingDegrees > 15.0f) {
        allowed += 6.0f * dt;
    }
    if (remainingDegrees > 45.0f) {
        allowed += 10.0f * dt;
    }
    return allowed;
}
} // namespace

void Camera::zoom(float amount) {
    const float newDistance = distance - amount;
    // A step that would leave the open interval is refused whole, not shortened.
    if (newDistance > kMinDistance && newDistance < kMaxDistance) {
        eye -= amount * glm::normalize(eye);
        distance = newDistance;
    }
}

void Camera::follow(const glm::vec3& target, const glm::vec3& newUp, float dt) {
    const glm::vec3 n = glm::normalize(eye);
    const float cosine = glm::dot(target, n);
    if (target != n && cosine < 1.0f) {
        const float remaining = angleDegrees(cosine);
        const float allowed = allowedTurn(remaining, dt);
        // Never snaps onto the target: within one frame's turn the eye stays put.
        if (allowed < remaining) {
            eye = rotateColumn(eye, allowed, turnAxis(n, target), 1.0f);
        }
    }
    up = newUp;
}

glm::mat4 Camera::view() const {
    return glm::lookAt(eye, center, up);
}

glm::mat4 Camera::projection() const {
    return cameraProjection(aspect);
}
