#pragma once

#include <glm/glm.hpp>

// The shadow light: 5 units out on +x looking at the origin, square 45-degree frustum
// (near 0.1, far 1000), matching the square shadow map.
glm::mat4 shadowLightMatrix();
glm::vec3 shadowLightPosition();
// Maps clip space [-1, 1] to shadow-map texture space [0, 1] on x, y and z.
glm::mat4 shadowBias();
// The colour pass's projection: 45 degrees vertical, `aspect`, near 0.1, far 1000.
glm::mat4 cameraProjection(float aspect);
