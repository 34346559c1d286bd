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
// The same, but on the Y axis the tilt turns about `fallbackAxis` instead (a body that walks
// over a pole passes its last tilt axis, so its orientation does not jump there).
glm::mat4 standingMatrix(const glm::vec3& at, float scale, const glm::vec3& up,
                         const glm::vec3& fallbackAxis);
// (0,1,0) x up = (up.z, 0, -up.x): the axis that tilts +Y onto `up`; zero on the Y axis.
glm::vec3 tiltAxis(const glm::vec3& up);

// True when `v` is too short to be normalized (zero, or so small its squared length is not a
// normal float): glm::normalize and glm::rotate would give NaN for it.
bool isDegenerate(const glm::vec3& v);
// `v` as it is, or normalized once its length has drifted more than 1e-5 from 1. Places are
// moved by float rotations that each shrink them a hair; over minutes of walking the drift
// would reach 1e-4, where the dot product of two nearby places is off by about a degree.
glm::vec3 keepOnSphere(const glm::vec3& v);

// Some unit vector perpendicular to the unit vector `v`.
glm::vec3 anyPerpendicular(const glm::vec3& v);
// cross(from, to), the axis that turns `from` toward `to` by a positive angle. When the two
// are opposite the cross product vanishes and every great circle leads there: then any axis
// perpendicular to `from` is returned.
glm::vec3 turnAxis(const glm::vec3& from, const glm::vec3& to);
