#include "world/SphereMath.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <glm/gtc/matrix_transform.hpp>

namespace {
constexpr float kDegreesPerRadian = 180.0f / 3.14159265358979f;
}

float angleDegrees(float cosine) {
    return std::acos(cosine) * kDegreesPerRadian;
}

glm::mat4 rotationDegrees(float angleDegrees, const glm::vec3& axis) {
    // glm 0.9.9 takes radians; every angle in the game is in degrees.
    return glm::rotate(glm::mat4(1.0f), glm::radians(angleDegrees), axis);
}

glm::vec3 rotateColumn(const glm::vec3& v, float angleDegrees, const glm::vec3& axis, float w) {
    return glm::vec3(rotationDegrees(angleDegrees, axis) * glm::vec4(v, w));
}

glm::vec3 rotateRow(const glm::vec3& v, float angleDegrees, const glm::vec3& axis, float w) {
    return glm::vec3(glm::vec4(v, w) * rotationDegrees(angleDegrees, axis));
}

glm::vec3 tiltAxis(const glm::vec3& up) {
    return glm::vec3(up.z, 0.0f, -up.x);
}

glm::mat4 standingMatrix(const glm::vec3& at, float scale, const glm::vec3& up) {
    // Below the centre any horizontal axis turns the mesh upside down; +X is as good as any.
    return standingMatrix(at, scale, up, glm::vec3(1.0f, 0.0f, 0.0f));
}

glm::mat4 standingMatrix(const glm::vec3& at, float scale, const glm::vec3& up,
                         const glm::vec3& fallbackAxis) {
    // up.y is not renormalized (a fist sits just outside the unit sphere), hence the clamp.
    const float tilt = angleDegrees(std::clamp(up.y, -1.0f, 1.0f));
    glm::vec3 axis = tiltAxis(up);
    if (isDegenerate(axis)) {
        axis = fallbackAxis;
    }
    glm::mat4 model = glm::scale(glm::mat4(1.0f), glm::vec3(scale));
    model = glm::translate(glm::mat4(1.0f), at) * model;
    return model * rotationDegrees(tilt, axis);
}

bool isDegenerate(const glm::vec3& v) {
    return !(glm::dot(v, v) >= FLT_MIN);
}

glm::vec3 keepOnSphere(const glm::vec3& v) {
    const float lengthSquared = glm::dot(v, v);
    return std::abs(lengthSquared - 1.0f) > 2e-5f ? v / std::sqrt(lengthSquared) : v;
}

glm::vec3 anyPerpendicular(const glm::vec3& v) {
    // Cross with the world axis least aligned with v, so the result is never short.
    const glm::vec3 a =
        std::abs(v.x) < 0.5f ? glm::vec3(1.0f, 0.0f, 0.0f) : glm::vec3(0.0f, 1.0f, 0.0f);
    return glm::normalize(glm::cross(v, a));
}

glm::vec3 turnAxis(const glm::vec3& from, const glm::vec3& to) {
    const glm::vec3 axis = glm::cross(from, to);
    return isDegenerate(axis) ? anyPerpendicular(from) : axis;
}
