#pragma once

#include <glm/glm.hpp>

// Places on the planet are unit vectors from its centre; distances are angles in degrees.

// acos(cosine) in degrees. Callers test `cosine < 1.0f` first: the game treats a dot product
// of 1 or more as out of range for every rule.
float angleDegrees(float cosine);

// R(angle, axis) from the identity (glm normalizes the axis), the angle in degrees.
glm::mat4 rotationDegrees(float angleDegrees, const glm::vec3& axis);

// v turned as a column vector: R(angle, axis) * (v, w). Turns v by +angle about axis.
glm::vec3 rotateColumn(const glm::vec3& v, float angleDegrees, const glm::vec3& axis, float w);
// v turned as a row vector from the left: (v, w) * R(angle, axis). Turns v by -angle.
glm::vec3 rotateRow(const glm::vec3& v, float angleDegrees, const glm::vec3& axis, float w);

// T(at) * S(scale) * R(acos(up.y), (0,1,0) x up): stands a mesh's +Y along `up`, placed at
// `at`. The cosine is up.y as given, clamped to [-1, 1]. On the Y axis itself (zero tilt axis)
// the mesh stays upright, or is turned upside down below the centre.
glm::mat4 standingMatrix(const glm::vec3& at, float scale, const glm::vec3& up);

// A random unit vector from three rand() draws mapped to [-50, 50] each.
glm::vec3 randomDirection();
