#include "world/Visibility.h"

#include <algorithm>
#include <cmath>

#include "render/LightMatrices.h"

namespace {
// The planet mesh is inscribed in the unit sphere and both it and the bodies are rasterized:
// the planet is taken smaller and every ball larger, so that "hidden" holds with room to spare.
constexpr float kPlanetRadius = 0.99f;
constexpr float kBallMargin = 0.01f;
// Lit planet fragments face the sun (+x in the planet shader); with the mesh's facets none lies
// further than this past the terminator plane.
constexpr float kNightMargin = 0.2f;
} // namespace

bool hiddenBehindPlanet(const glm::vec3& eye, const glm::vec3& centre, float radius) {
    const float eyeDistance = glm::length(eye);
    const float r = radius + kBallMargin;
    if (!(eyeDistance > kPlanetRadius)) {
        return false;
    }
    const glm::vec3 toEye = eye / eyeDistance;
    // Sight lines touch the planet on a circle in this plane; nearer to the eye than it nothing
    // is hidden, as every sight line through the cone meets the planet before the plane.
    const float horizonPlane = kPlanetRadius * kPlanetRadius / eyeDistance;
    if (glm::dot(centre, toEye) + r >= horizonPlane) {
        return false;
    }
    const glm::vec3 sight = centre - eye;
    const float sightLength = glm::length(sight);
    if (!(sightLength > r)) {
        return false;
    }
    const float coneHalfAngle = std::asin(kPlanetRadius / eyeDistance);
    const float offAxis = std::acos(std::clamp(glm::dot(sight / sightLength, -toEye), -1.0f, 1.0f));
    return offAxis + std::asin(r / sightLength) < coneHalfAngle;
}

bool castsNoVisibleShadow(const glm::vec3& centre, float radius) {
    // Depths in the shadow map grow away from the light along x, so a caster wholly past the
    // night margin lies behind every lit planet fragment and cannot darken one. Any other
    // fragment it could darken lies behind it from the light and so behind the planet, whose
    // own depth is in the map before the bodies are drawn in colour.
    const glm::vec3 toSun = glm::normalize(shadowLightPosition());
    return glm::dot(centre, toSun) + radius < -kNightMargin &&
           hiddenBehindPlanet(shadowLightPosition(), centre, radius);
}
